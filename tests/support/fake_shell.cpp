#include "support/fake_shell.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace snapwell::testing {

bool FakeShell::AddTrayIcon(std::string_view text) {
  EXPECT_FALSE(trayIcon) << "tray icon added twice";
  trayIcon = true;
  tip = text;
  return true;
}

bool FakeShell::ModifyTrayIcon(std::string_view text) {
  if (!trayIcon) return false;
  tip = text;
  return true;
}

bool FakeShell::DeleteTrayIcon() {
  const bool was = trayIcon;
  trayIcon = false;
  return was;
}

bool FakeShell::RegisterHotkey(int platformModifiers, int keyCode) {
  hotkeyLog.push_back("register " + std::to_string(platformModifiers) + " " + std::to_string(keyCode));
  if (hotkey) return false;  // a second registration fails, as on the real desktop
  hotkey = std::make_pair(platformModifiers, keyCode);
  return true;
}

void FakeShell::UnregisterHotkey() {
  hotkeyLog.emplace_back("unregister");
  hotkey.reset();
}

int FakeShell::TrackPopupMenu(std::span<const PopupMenuItem> items) {
  menusShown.emplace_back(items.begin(), items.end());
  if (menuAnswers.empty()) {
    ADD_FAILURE() << "unexpected popup menu";
    return 0;
  }
  const int id = menuAnswers.front();
  menuAnswers.pop_front();
  const auto item =
      std::find_if(items.begin(), items.end(), [id](const PopupMenuItem& i) { return i.id == id; });
  if (item == items.end() || !item->visible || !item->enabled || item->separator) {
    ADD_FAILURE() << "menu item " << id << " cannot be chosen: not shown, or greyed";
    return 0;
  }
  return id;
}

bool FakeShell::LaunchProcess(std::string_view path) {
  launched.emplace_back(path);
  return true;
}

bool FakeShell::ShowOpenDialog(CommonDialogState& dialog) {
  hotkeyWhileModal.push_back(hotkey.has_value());
  if (openAnswers.empty()) {
    ADD_FAILURE() << "unexpected Open dialog";
    return false;
  }
  const std::optional<std::string> answer = openAnswers.front();
  openAnswers.pop_front();
  if (!answer) return false;
  dialog.FileName = *answer;
  return true;
}

void FakeShell::ShowModal(ModalForm& form) {
  hotkeyWhileModal.push_back(hotkey.has_value());
  if (modalScript.empty()) {
    ADD_FAILURE() << "unexpected modal form";
    form.CloseByUser();
    return;
  }
  auto action = std::move(modalScript.front());
  modalScript.pop_front();
  action(form);
  EXPECT_FALSE(form.IsOpen()) << "the scripted action left the modal form open";
}

}  // namespace snapwell::testing
