#include "platform/file_system.h"

#include <array>

namespace snapwell {
namespace {

struct ErrorNumber {
  FileError error;
  int number;
};

constexpr std::array<ErrorNumber, 7> kErrorNumbers{{
    {FileError::None, 0},
    {FileError::NotFound, 53},      // file not found
    {FileError::PathNotFound, 76},  // path not found
    {FileError::BadName, 52},       // bad file name
    {FileError::AccessDenied, 70},  // permission denied
    {FileError::DiskFull, 61},      // disk full
    {FileError::Other, 75},         // path/file access error
}};

}  // namespace

int FileErrorNumber(FileError error) {
  for (const ErrorNumber& row : kErrorNumbers) {
    if (row.error == error) return row.number;
  }
  return 75;
}

}  // namespace snapwell
