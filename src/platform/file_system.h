// File operations the core needs, with the failure kinds the program tells apart.
// Paths are UTF-8 with backslashes, as the user sees them on Windows.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "file_error.h"

namespace snapwell {

// The kinds of file failure, shared with the imaging libraries' file writer.
using FileError = vell::FileError;
// A failure with the system's own code for it.
using FileFailure = vell::FileFailure;

// The one table of the error numbers the program's messages give a file failure
// ("An unexpected error occurred (No. 53)."): None 0, NotFound 53 "file not found",
// PathNotFound 76 "path not found", BadName 52 "bad file name", AccessDenied 70
// "permission denied", DiskFull 61 "disk full", Other 75 "path/file access error".
int FileErrorNumber(FileError error);

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Whether a file or folder of that name exists, and if not, why not.
  virtual FileError Probe(std::string_view path) const = 0;
  virtual FileError DeleteFile(std::string_view path) = 0;
  // The user's Pictures folder, with a trailing backslash, where relative output names go
  // (see platform/paths.h); empty when the system names none.
  virtual std::string PicturesFolder() const = 0;
  // Full paths of the files matching a pattern whose last part may hold * and ? ("Help\*.gif").
  virtual std::vector<std::string> FindFiles(std::string_view pattern) const = 0;
  // Whole file as bytes; nothing (with the reason in error) when it cannot be read.
  virtual std::optional<std::string> ReadFile(std::string_view path, FileError* error) const = 0;
};

}  // namespace snapwell
