// The simulated desktop shell: a tray icon and a hotkey that only record what was asked of
// them, popup menus and modal forms answered from a script, and a pointer that only moves.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace snapwell::testing {

class FakeShell : public Shell {
 public:
  bool AddTrayIcon(std::string_view tip) override;
  bool ModifyTrayIcon(std::string_view tip) override;
  bool DeleteTrayIcon() override;
  void HookTrayWindow() override { hooked = true; }
  void UnhookTrayWindow() override { hooked = false; }
  bool RegisterHotkey(int platformModifiers, int keyCode) override;
  void UnregisterHotkey() override;
  void BringTrayWindowToForeground() override { ++foregrounds; }
  // Answers with the next scripted id, which must be a visible and enabled item; records the
  // items it was shown. Unscripted: a failure.
  int TrackPopupMenu(std::span<const PopupMenuItem> items) override;
  void SetCursorPos(int x, int y) override { cursor = {x, y}; }
  long ScreenWidthTwips() const override { return screenWidthTwips; }
  std::string ExecutableBaseName() const override { return "Snapwell"; }
  bool LaunchProcess(std::string_view path) override;
  bool ShowOpenDialog(CommonDialogState& dialog) override;
  // Runs the next scripted action on the form (it must close it); unscripted: a failure.
  void ShowModal(ModalForm& form) override;

  bool trayIcon = false;
  std::string tip;
  bool hooked = false;
  std::optional<std::pair<int, int>> hotkey;  // platform modifiers, key code
  std::vector<std::string> hotkeyLog;         // "register 2 109", "unregister", in order
  std::vector<bool> hotkeyWhileModal;         // per modal form, dialog or message box: registered
  int foregrounds = 0;
  std::deque<int> menuAnswers;
  std::vector<std::vector<PopupMenuItem>> menusShown;
  std::optional<std::pair<int, int>> cursor;
  long screenWidthTwips = 1920 * 15;
  std::vector<std::string> launched;
  std::deque<std::optional<std::string>> openAnswers;
  std::deque<std::function<void(ModalForm&)>> modalScript;
};

}  // namespace snapwell::testing
