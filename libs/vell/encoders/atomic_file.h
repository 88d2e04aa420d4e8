// A file that appears under its name only once it has been written completely.
// Bytes go to a fresh temporary file in the target's folder; Commit() renames it over the
// target. Any failure, or dropping the object uncommitted, removes the temporary file and
// leaves whatever was at the target untouched. When the target already exists, the new data is
// forced to disk before the rename, so a crash or power loss right after it can never leave an
// empty file where the old one was; a new file needs no such wait.
// Paths: on Windows in the process's ANSI code page (as the DLLs take them; Snapwell's manifest
// makes that UTF-8), converted once to UTF-16 for the wide file functions; elsewhere as bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "file_error.h"

namespace vell {

// Opens a file for reading bytes, taking its path by the same rule as AtomicFile::Open;
// nullptr when it cannot be opened.
std::FILE* OpenForReading(const char* path);

// A writer's answer before anything is known: Other (the picture could not be encoded), until
// its file fails for a reason of its own.
inline void PresetFailure(FileFailure* why) {
  if (why != nullptr) *why = FailureOfKind(FileError::Other);
}
inline void ReportOutOfMemory(FileFailure* why) {
  if (why != nullptr) *why = OutOfMemoryFailure();
}

class AtomicFile {
 public:
  AtomicFile() = default;
  // A writer that tells its caller why it failed names where: the first failure of this file,
  // with the system's code, is copied there as it happens.
  explicit AtomicFile(FileFailure* report) : report_(report) {}
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Creates the temporary file beside `path`. False when it cannot be created.
  bool Open(const char* path);
  // Buffered; a failed write makes every later call fail too.
  bool Write(const void* data, std::size_t size);
  bool Write(const std::string& text) { return Write(text.data(), text.size()); }
  // Room for `size` bytes, to be filled in place, for writers that produce rows of bytes;
  // nullptr after a failure or when size exceeds the buffer (then use Write).
  unsigned char* Claim(std::size_t size);
  // Flushes, closes and renames over the target. False (target untouched) on any failure.
  bool Commit();
  // Drops everything written so far; the target stays as it was.
  void Abandon();

  FileError failure() const { return failure_; }
  // The failure with the system's own code (a stand-in code when no system call failed).
  FileFailure detailedFailure() const { return {failure_, systemCode_}; }
  // The temporary file while open, in the form Open took.
  std::string temporaryPath() const;
  // After a successful Commit: whether the data was forced to disk first (an existing target).
  bool flushedToDisk() const { return flushedToDisk_; }

 private:
  bool Flush();
  bool WriteOut(const unsigned char* bytes, std::size_t size);
  // The first failure counts; Open starts afresh.
  void Fail(FileFailure why);
  bool CloseHandle();
  bool ForceToDisk();

#ifdef _WIN32
  using NativePath = std::wstring;  // for the wide file functions
#else
  using NativePath = std::string;
#endif
  NativePath target_;
  NativePath tempPath_;
  std::vector<unsigned char> buffer_;
  std::size_t used_ = 0;
  FileError failure_ = FileError::None;
  unsigned long systemCode_ = 0;
  FileFailure* report_ = nullptr;
  bool open_ = false;
  bool flushedToDisk_ = false;
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
};

}  // namespace vell
