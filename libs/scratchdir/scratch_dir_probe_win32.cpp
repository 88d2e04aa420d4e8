// The exported entry of ScratchDirProbe.dll: the probe over the real kernel32 calls.
#include <windows.h>

#include "scratch_dir_probe.h"

namespace {

class KernelSystem : public scratchdir::System {
 public:
  std::uint32_t TempPath(std::uint32_t size, char* buffer) override { return GetTempPathA(size, buffer); }
  std::uint32_t WindowsDirectory(char* buffer, std::uint32_t size) override {
    return GetWindowsDirectoryA(buffer, size);
  }
  scratchdir::LocalTime Now() override {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds};
  }
  bool Exists(const char* path) override { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }
};

}  // namespace

extern "C" DWORD __stdcall ScratchDirProbe(DWORD bufferLength, char* buffer, const char* suffix) {
  KernelSystem system;
  return scratchdir::Probe(system, bufferLength, buffer, suffix);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
  return TRUE;
}
