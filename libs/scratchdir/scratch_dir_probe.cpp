#include "scratch_dir_probe.h"

#include <cstdio>
#include <cstring>

namespace scratchdir {
namespace {

// Tries to find a free time-stamped name; a clock that never moves on must not hang the caller.
constexpr int kMaxNameAttempts = 100000;

// True when the folder holds a blank, a control character or a byte with the high bit set.
bool HasUnsuitableCharacter(const char* text) {
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p != 0; ++p) {
    if (*p <= 32 || *p >= 128) return true;
  }
  return false;
}

// Appends `tail` to the text of `length` characters in work, unless it would pass the limit.
bool Append(char* work, std::size_t& length, const char* tail) {
  const std::size_t tailLength = std::strlen(tail);
  if (length + tailLength >= kWorkingSize) return false;
  std::memcpy(work + length, tail, tailLength + 1);
  length += tailLength;
  return true;
}

bool AppendUnlessEndsWith(char* work, std::size_t& length, char c) {
  if (length > 0 && work[length - 1] == c) return true;
  const char tail[2] = {c, '\0'};
  return Append(work, length, tail);
}

std::uint32_t CopyOut(const char* work, std::size_t length, std::uint32_t bufferLength, char* buffer) {
  if (buffer != nullptr && bufferLength > length) std::memcpy(buffer, work, length + 1);
  return static_cast<std::uint32_t>(length);
}

}  // namespace

std::uint32_t Probe(System& system, std::uint32_t bufferLength, char* buffer, const char* suffix) {
  if (suffix == nullptr) suffix = "";
  char work[kWorkingSize] = {};

  const std::uint32_t tempResult = system.TempPath(kWorkingSize, work);
  if (tempResult >= kWorkingSize) return 0;  // the folder alone does not fit the working buffer
  if (tempResult == 0 || work[0] == '\0') return tempResult;
  work[kWorkingSize - 1] = '\0';
  std::size_t length = std::strlen(work);

  if (!HasUnsuitableCharacter(work)) {
    if (!AppendUnlessEndsWith(work, length, '\\') || !Append(work, length, suffix)) return 0;
    return CopyOut(work, length, bufferLength, buffer);
  }

  // The temporary folder is unsuitable: a unique name in the root of the Windows drive instead.
  char windows[kWorkingSize] = {};
  const std::uint32_t windowsResult = system.WindowsDirectory(windows, kWorkingSize - 1);
  if (windowsResult == 0 || windows[0] == '\0') return windowsResult;
  windows[3] = '\0';  // the drive root, such as a letter, a colon and a backslash

  bool found = false;
  for (int attempt = 0; attempt < kMaxNameAttempts && !found; ++attempt) {
    const LocalTime t = system.Now();
    const int written = std::snprintf(work, kWorkingSize, "%stmp%04d%02d%02d_%02d%02d%02d_%03d", windows,
                                      t.year, t.month, t.day, t.hour, t.minute, t.second, t.milliseconds);
    if (written < 0 || static_cast<std::size_t>(written) >= kWorkingSize) return 0;
    found = !system.Exists(work);
  }
  if (!found) return 0;
  length = std::strlen(work);
  if (!AppendUnlessEndsWith(work, length, '_') || !Append(work, length, suffix)) return 0;
  return CopyOut(work, length, bufferLength, buffer);
}

}  // namespace scratchdir
