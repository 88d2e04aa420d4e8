// Why a file could not be found, read or written: one set of kinds for the imaging libraries'
// file writer and the program's file system (platform/file_system.h), and on Windows the one
// table that sorts system error codes into them.
#pragma once

#include <cstdint>

namespace vell {

enum class FileError : std::uint8_t {
  None,          // success / the file exists
  NotFound,      // the file does not exist (its folder does)
  PathNotFound,  // a folder of the path does not exist
  BadName,       // the name cannot stand for a file (forbidden characters, a malformed path)
  AccessDenied,  // exists but may not be touched (read-only, locked, a folder in the way)
  DiskFull,      // no room left for the data
  Other,         // anything else: device not ready, a failing disk...
};

#ifdef _WIN32
// The kind of a Windows system error code (GetLastError).
FileError FileErrorOfSystemCode(unsigned long code);
#endif

}  // namespace vell
