// The real platform: registry settings, the file system, the screen and message boxes.
#pragma once

#include <windows.h>

#include <string>

#include "platform/platform.h"

namespace snapwell::win32 {

// Settings as REG_SZ values under HKEY_CURRENT_USER\<subKey>. The key is opened per call, so a
// key deleted or made read-only while running only makes that call fail.
class RegistrySettingsStore : public SettingsStore {
 public:
  explicit RegistrySettingsStore(std::wstring subKey = L"Software\\Snapwell\\Default",
                                 HKEY root = HKEY_CURRENT_USER);
  std::optional<std::string> Get(std::string_view key) const override;
  bool Set(std::string_view key, std::string_view value) override;
  void Delete(std::string_view key) override;

 private:
  std::wstring subKey_;
  HKEY root_;
};

class Win32FileSystem : public FileSystem {
 public:
  FileError Probe(std::string_view path) const override;
  FileError DeleteFile(std::string_view path) override;
  // SHGetKnownFolderPath(FOLDERID_Pictures).
  std::string PicturesFolder() const override;
  std::vector<std::string> FindFiles(std::string_view pattern) const override;
  std::optional<std::string> ReadFile(std::string_view path, FileError* error) const override;
};

class Win32Screen : public Screen {
 public:
  ScreenSize DesktopSize() const override;
  int TwipsPerPixelX() const override;
  int TwipsPerPixelY() const override;
};

class Win32UserInterface : public UserInterface {
 public:
  MsgAnswer MessageBox(std::string_view text, std::string_view title, MsgButtons buttons,
                       MsgIcon icon) override;
  void Beep() override;
  HWND owner = nullptr;
};

// Folder of the running executable, with a trailing backslash.
std::string ExecutableFolder();

}  // namespace snapwell::win32
