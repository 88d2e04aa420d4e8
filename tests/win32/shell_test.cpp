// The desktop shell on the real (Wine) desktop: the hotkey belongs to the tray window and is
// held once, the subclassed tray window sees its messages before its own procedure does.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "win32/shell_win32.h"

namespace snapwell::win32 {
namespace {

TEST(Win32Shell, HotkeyIsHeldOnceAndTheHookSeesTrayMessagesFirst) {
  Win32Shell shell;
  shell.trayWindow = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(shell.trayWindow, nullptr);
  EXPECT_TRUE(shell.RegisterHotkey(MOD_CONTROL | MOD_ALT, VK_F9));
  EXPECT_FALSE(shell.RegisterHotkey(MOD_CONTROL | MOD_ALT, VK_F9));  // a second registration fails
  shell.UnregisterHotkey();
  EXPECT_TRUE(shell.RegisterHotkey(MOD_CONTROL | MOD_ALT, VK_F9));
  shell.UnregisterHotkey();

  std::vector<UINT> seen;
  shell.trayProcedure = [&](UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_USER + 1) seen.push_back(static_cast<UINT>(lParam));
  };
  shell.HookTrayWindow();
  SendMessageW(shell.trayWindow, WM_USER + 1, 1, WM_LBUTTONDOWN);
  shell.UnhookTrayWindow();
  SendMessageW(shell.trayWindow, WM_USER + 1, 1, WM_RBUTTONDOWN);  // no longer hooked
  EXPECT_EQ(seen, std::vector<UINT>{WM_LBUTTONDOWN});
  EXPECT_EQ(shell.ExecutableBaseName(), "win32_tests");
  DestroyWindow(shell.trayWindow);
}

}  // namespace
}  // namespace snapwell::win32
