// What the application shell needs from the desktop beyond message boxes: the notification-area
// icon, the global capture hotkey, popup menus, the pointer, modal forms and starting a new
// instance of the program.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "platform/user_interface.h"

namespace snapwell {

enum class WindowState : unsigned char { Normal, Minimized };

// One entry of a popup menu; id 0 is never chosen.
struct PopupMenuItem {
  int id = 0;
  std::string text;  // "" with separator
  bool enabled = true;
  bool visible = true;
  bool separator = false;
};

// A form shown modally: the platform keeps its window up, nested in a message loop of its own,
// until the form says it is closed.
class ModalForm {
 public:
  virtual ~ModalForm() = default;
  virtual bool IsOpen() const = 0;
  // The close box (or Escape without a Cancel button): the form closes itself as Cancel would.
  virtual void CloseByUser() = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // The notification-area icon of the tray window (one icon, identifier 1): add, change its
  // tooltip, delete. Results are not relied on: a failed registration leaves no icon.
  virtual bool AddTrayIcon(std::string_view tip) = 0;
  virtual bool ModifyTrayIcon(std::string_view tip) = 0;
  virtual bool DeleteTrayIcon() = 0;
  // Routes the tray window's messages through the shell's tray procedure, and back.
  virtual void HookTrayWindow() = 0;
  virtual void UnhookTrayWindow() = 0;
  // Hotkey 1 of the tray window, with the platform's modifier flags (Alt 1, Ctrl 2, Shift 4).
  virtual bool RegisterHotkey(int platformModifiers, int keyCode) = 0;
  virtual void UnregisterHotkey() = 0;
  virtual void BringTrayWindowToForeground() = 0;
  // Pops the menu up at the pointer, tracking the right button; the chosen id, 0 when none.
  virtual int TrackPopupMenu(std::span<const PopupMenuItem> items) = 0;
  virtual void SetCursorPos(int x, int y) = 0;
  // The screen width as the system metrics report it, in twips.
  virtual long ScreenWidthTwips() const = 0;
  // File name of the running program without folder and extension ("Snapwell").
  virtual std::string ExecutableBaseName() const = 0;
  // Starts a program, its window minimised and activated; false when it could not start.
  virtual bool LaunchProcess(std::string_view path) = 0;
  // The Open dialog: like UserInterface::ShowSaveDialog, but the file must exist.
  virtual bool ShowOpenDialog(CommonDialogState& dialog) = 0;
  // Shows the form modally; returns when it is closed.
  virtual void ShowModal(ModalForm& form) = 0;
};

}  // namespace snapwell
