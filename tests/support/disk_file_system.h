// The real disk behind the FileSystem interface, for tests whose files are written by the
// encoders themselves: paths are the host's own ("/tmp/…/shot.png").
#pragma once

#include "platform/file_system.h"

namespace snapwell::testing {

class DiskFileSystem : public FileSystem {
 public:
  FileError Probe(std::string_view path) const override;
  FileError DeleteFile(std::string_view path) override;
  std::vector<std::string> FindFiles(std::string_view pattern) const override;
  std::optional<std::string> ReadFile(std::string_view path, FileError* error) const override;

  std::vector<std::string> deleted;
};

}  // namespace snapwell::testing
