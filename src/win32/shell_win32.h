// The desktop shell on Windows: the notification-area icon of the tray window (version-1
// record, identifier 1, callback message 1025), hotkey 1 on that window, the subclassing of
// its window procedure, popup menus, the pointer, the Open dialog and new processes.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/shell.h"

namespace snapwell::win32 {

class Win32Shell : public Shell {
 public:
  bool AddTrayIcon(std::string_view tip) override;
  bool ModifyTrayIcon(std::string_view tip) override;
  bool DeleteTrayIcon() override;
  void HookTrayWindow() override;
  void UnhookTrayWindow() override;
  bool RegisterHotkey(int platformModifiers, int keyCode) override;
  void UnregisterHotkey() override;
  void BringTrayWindowToForeground() override;
  int TrackPopupMenu(std::span<const PopupMenuItem> items) override;
  void SetCursorPos(int x, int y) override;
  long ScreenWidthTwips() const override;
  std::string ExecutableBaseName() const override;
  bool LaunchProcess(std::string_view path) override;
  bool ShowOpenDialog(CommonDialogState& dialog) override;
  void ShowModal(ModalForm& form) override;

  HWND trayWindow = nullptr;  // the hidden window that owns icon and hotkey
  HICON icon = nullptr;       // the program icon
  HWND dialogOwner = nullptr;
  // The program's own procedure for the hooked tray window (before the previous one runs).
  std::function<void(UINT, WPARAM, LPARAM)> trayProcedure;
  // Shows a modal form's window until the form is closed.
  std::function<void(ModalForm&)> runModal;

 private:
  static LRESULT CALLBACK HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  bool Notify(DWORD message, std::string_view tip);
  WNDPROC previous_ = nullptr;
};

}  // namespace snapwell::win32
