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

// A failure as the system told it: its kind, and the system's own error code (a Windows
// GetLastError code, errno elsewhere), which names a cause the kinds lump together as Other.
struct FileFailure {
  FileError kind = FileError::None;
  unsigned long systemCode = 0;
};

// The system's code for a kind, for failures found before any system call could give one (a
// folder in the target's place, a write that took no bytes): ERROR_ACCESS_DENIED or EACCES and
// so on; Other is the system's "cannot write" (ERROR_WRITE_FAULT, EIO); None is 0.
unsigned long SystemCodeOfKind(FileError kind);
inline FileFailure FailureOfKind(FileError kind) {
  return {kind, SystemCodeOfKind(kind)};
}
// What a writer reports when it ran out of memory: Other with ERROR_NOT_ENOUGH_MEMORY or ENOMEM.
FileFailure OutOfMemoryFailure();

#ifdef _WIN32
// The kind of a Windows system error code (GetLastError).
FileError FileErrorOfSystemCode(unsigned long code);
#endif

}  // namespace vell
