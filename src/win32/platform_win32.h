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
  ScreenLayout Layout() const override;
  int TwipsPerPixelX() const override;
  int TwipsPerPixelY() const override;
};

class Win32Desktop;

// Message boxes and the common dialogs. While a capture window is shown (the topmost surface or
// the pointer readout), a message box stands in front of it and takes the keyboard.
class Win32UserInterface : public UserInterface {
 public:
  MsgAnswer MessageBox(std::string_view text, std::string_view title, MsgButtons buttons,
                       MsgIcon icon) override;
  void Beep() override;
  bool ShowSaveDialog(CommonDialogState& dialog) override;
  bool ShowPrinterDialog(CommonDialogState& dialog) override;
  HWND owner = nullptr;             // the window that owns boxes and dialogs (the settings dialog)
  Win32Desktop* desktop = nullptr;  // where the capture windows are found
};

// Thread timers (SetTimer without a window). A tick that is still running (a message box or
// dialog nests a message loop inside it) is not entered again by its own timer.
class Win32Timers : public Timers {
 public:
  TimerId StartTimer(int intervalMs, std::function<void()> tick) override;
  void StopTimer(TimerId id) override;
};

// Folder of the running executable, with a trailing backslash.
std::string ExecutableFolder();

}  // namespace snapwell::win32
