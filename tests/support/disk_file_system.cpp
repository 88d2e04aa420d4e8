// The host's own calls; the Windows build has its real file system instead.
#ifndef _WIN32
#include "support/disk_file_system.h"

#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace snapwell::testing {
namespace {

FileError FromErrno(int error) {
  switch (error) {
    case ENOENT:
      return FileError::NotFound;
    case ENOTDIR:
      return FileError::PathNotFound;
    case EACCES:
    case EPERM:
      return FileError::AccessDenied;
    case ENAMETOOLONG:  // what a name Windows refuses as invalid comes closest to here
      return FileError::BadName;
    default:
      return FileError::Other;
  }
}

// A missing file in a missing folder is "path not found", as Windows reports it.
FileError Missing(const std::string& path) {
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  std::error_code error;
  if (!parent.empty() && !std::filesystem::is_directory(parent, error)) return FileError::PathNotFound;
  return FileError::NotFound;
}

}  // namespace

FileError DiskFileSystem::Probe(std::string_view path) const {
  const std::string p(path);
  struct stat info {};
  if (::stat(p.c_str(), &info) == 0) return FileError::None;
  const FileError error = FromErrno(errno);
  return error == FileError::NotFound ? Missing(p) : error;
}

FileError DiskFileSystem::DeleteFile(std::string_view path) {
  const std::string p(path);
  if (::unlink(p.c_str()) == 0) {
    deleted.push_back(p);
    return FileError::None;
  }
  const FileError error = FromErrno(errno);
  return error == FileError::NotFound ? Missing(p) : error;
}

std::vector<std::string> DiskFileSystem::FindFiles(std::string_view pattern) const {
  const std::filesystem::path p{std::string(pattern)};
  std::vector<std::string> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(p.parent_path(), error)) {
    if (entry.is_regular_file() && ::fnmatch(p.filename().c_str(), entry.path().filename().c_str(), 0) == 0) {
      found.push_back(entry.path().string());
    }
  }
  return found;
}

std::optional<std::string> DiskFileSystem::ReadFile(std::string_view path, FileError* error) const {
  std::ifstream in{std::string(path), std::ios::binary};
  if (!in) {
    if (error != nullptr) *error = Probe(path) == FileError::None ? FileError::AccessDenied : Probe(path);
    return std::nullopt;
  }
  if (error != nullptr) *error = FileError::None;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace snapwell::testing

#endif  // _WIN32
