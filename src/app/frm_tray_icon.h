// The hidden tray window `frmTrayIcon`: the notification-area icon with its tooltip, the two
// popup menus, the global capture hotkey and the window procedure that turns tray clicks and
// the hotkey into capture requests.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/form_controls.h"

namespace snapwell {

class AppShell;
struct AppContext;

// Window messages the tray procedure acts on.
inline constexpr unsigned kTrayCallbackMessage = 1025;  // first user message + 1
inline constexpr unsigned kHotkeyMessage = 0x0312;
inline constexpr unsigned kLeftButtonDown = 0x0201;
inline constexpr unsigned kRightButtonDown = 0x0204;
inline constexpr int kCaptureHotkeyId = 1;
// Offsets of the pointer jump onto the Capture button, in pixels.
inline constexpr int kCaptureJumpX = 48;
inline constexpr int kCaptureJumpY = 86;

class frmTrayIcon {
 public:
  // Menu item ids of the popup menus.
  enum MenuId : int {
    kCapture = 1,
    kSetting,
    kResetCapture,
    kVersion,
    kQuit,
    kRestart,
    kWait,
    kContinueWaiting,
    kNowCapture,
    kQuitWaiting,
  };

  explicit frmTrayIcon(AppShell& shell);

  FormWindow window;
  Control mnuPopup, mnuCapture, mnuSetting, mnuResetCapture, mnuVersion, mnuQuit, mnuRestart;
  Control mnuWaiting, mnuWait, mnuContinueWaiting, mnuNowCapture, mnuQuitWaiting;

  void Form_Load();
  void Form_Unload();
  void SetCaptions();
  void AddTrayIcon();
  void UpdateTrayIcon();
  void RemoveTrayIcon();
  void RegisterCaptureHotkey(int keyState, int keyCode);
  void UnregisterCaptureHotkey();
  bool ScreenSizeLooksRight();
  // A capture is pending or running.
  bool CaptureBusy() const;
  // The hooked window procedure: acts on tray callbacks and the hotkey. The platform passes
  // every message on to the previous procedure afterwards.
  void TrayWindowProc(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

  std::vector<PopupMenuItem> PopupItems() const;
  std::vector<PopupMenuItem> WaitingItems() const;
  void MenuChosen(int id);

 private:
  std::string BuildTrayTip() const;
  void RequestCapture();

  AppShell& shell_;
  AppContext& app_;
};

}  // namespace snapwell
