// ScratchDirProbe: a path for a temporary file whose folder holds only printable 7-bit
// characters without blanks, for tools that cannot cope with others. The logic runs over an
// injected system so that every case can be tested without Windows.
#pragma once

#include <cstdint>

namespace scratchdir {

// Size of the working buffer: the platform's path limit plus the terminator.
inline constexpr std::uint32_t kWorkingSize = 261;

struct LocalTime {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int milliseconds = 0;
};

// The kernel calls the probe needs, with their ANSI semantics.
class System {
 public:
  virtual ~System() = default;
  // Like GetTempPathA: characters copied (without terminator), the size needed (with terminator)
  // when the buffer is too small, 0 on failure.
  virtual std::uint32_t TempPath(std::uint32_t size, char* buffer) = 0;
  // Like GetWindowsDirectoryA, same return rules.
  virtual std::uint32_t WindowsDirectory(char* buffer, std::uint32_t size) = 0;
  virtual LocalTime Now() = 0;
  // Whether anything of that name exists (GetFileAttributesA succeeds).
  virtual bool Exists(const char* path) = 0;
};

// Composes the path and copies it into buffer when bufferLength is greater than its length.
// Returns the length of the path (without terminator), or the failing system call's result (0).
// A path that would not fit the working buffer (a temporary folder or a suffix so long that the
// result passes the path limit) cannot be composed: the result is 0 and nothing is copied, so a
// caller never retries with a larger buffer for a path no tool could open.
std::uint32_t Probe(System& system, std::uint32_t bufferLength, char* buffer, const char* suffix);

}  // namespace scratchdir
