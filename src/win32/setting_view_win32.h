// The native windows of the shell's forms: the settings dialog with its two tab pages and menu
// bar, the modal hotkey dialog, the hidden tray window and the helper window, and the one
// rendering pass that brings all of them in line with their models after every event. The
// procedures live by concern: setting_view_win32.cpp (window procedure and rendering),
// setting_layout_win32.cpp (the layout table), setting_menu_win32.cpp (the menu table),
// hotkey_view_win32.cpp (the hotkey dialog).
#pragma once

#include <windows.h>

#include <functional>

#include "app/app_shell.h"
#include "win32/form_view_win32.h"
#include "win32/shell_win32.h"

namespace snapwell::win32 {

class ShellViews {
 public:
  ShellViews(AppShell& shell, Win32Shell& desktop, HICON icon);
  ~ShellViews();
  ShellViews(const ShellViews&) = delete;
  ShellViews& operator=(const ShellViews&) = delete;

  // The hidden tray window exists before start-up: the icon and the hotkey belong to it.
  HWND TrayWindow() const { return tray_; }
  // The dialog and the helper window, once start-up has prepared their models.
  void CreateForms();
  // Renders every form; safe to call from inside an event (it then runs again afterwards).
  void SyncAll();
  // One message of the program's loop: dialog keys first, then the usual dispatch.
  void Dispatch(MSG& msg);
  HWND SettingWindow() const { return dialog_; }

 private:
  static constexpr int kMenuBase = 1000;  // menu command ids follow it

  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK HelperProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void LayOutSetting();
  void BuildMenu();
  // Runs the menu item of command id; false when id is no menu item.
  bool MenuCommand(int id);
  void SyncSetting();
  void SyncHelper();
  void RunHotkeyDialog(ModalForm& form);
  void Activated(HWND window);

  AppShell& shell_;
  frmSetting& form_;
  Win32Shell& desktop_;
  HICON icon_;
  HWND tray_ = nullptr;
  HWND helper_ = nullptr;
  HWND dialog_ = nullptr;
  HWND tab_ = nullptr;
  HMENU menu_ = nullptr;
  std::wstring menuSignature_;
  FormView view_;
  int focusRequests_ = 0;
  bool shownOnce_ = false;
  bool syncing_ = false;
  bool again_ = false;
  HWND lastActive_ = nullptr;  // the program's own window that was last made active
};

}  // namespace snapwell::win32
