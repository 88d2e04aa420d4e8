#include "app/frm_tray_icon.h"

#include <cmath>
#include <cstdlib>

#include "app/app_shell.h"
#include "app/hotkey_text.h"
#include "app/settings_io.h"
#include "app/tray_tip.h"

namespace snapwell {

frmTrayIcon::frmTrayIcon(AppShell& shell) : shell_(shell), app_(shell.app) {}

void frmTrayIcon::Form_Load() {
  window.Loaded = true;
  SetCaptions();
  window.Width = 1;
  window.Height = 1;
  window.Visible = false;
}

void frmTrayIcon::Form_Unload() {
  RemoveTrayIcon();
  window.Loaded = false;
}

void frmTrayIcon::SetCaptions() {
  const Texts& t = app_.texts;
  Control* items[] = {&mnuPopup,      &mnuCapture,    &mnuSetting, &mnuResetCapture, &mnuVersion,
                      &mnuQuit,       &mnuRestart,    &mnuWaiting, &mnuWait,         &mnuContinueWaiting,
                      &mnuNowCapture, &mnuQuitWaiting};
  for (int i = 0; i < 12; ++i)
    items[i]->Caption = std::string(t(271 + i));
  mnuRestart.Visible = false;
  mnuRestart.Enabled = false;
}

std::string frmTrayIcon::BuildTrayTip() const {
  const frmSetting& dialog = shell_.setting;
  const Settings& s = app_.settings;
  const int shape = s.VariLineShape;
  const std::string_view entry =
      shape >= 0 && shape < static_cast<int>(dialog.cmbVariLine.List.size())
          ? std::string_view(dialog.cmbVariLine.List[static_cast<std::size_t>(shape)])
          : std::string_view(app_.texts(192));
  return snapwell::BuildTrayTip(
      TrayTipState{dialog.window.Caption, s.FlameStyle, s.FixField != 0, s.CaptureWindow, entry}, app_.texts);
}

void frmTrayIcon::AddTrayIcon() {
  if (app_.TrayIconShown) return;
  app_.platform.shell.AddTrayIcon(BuildTrayTip());
  app_.platform.shell.HookTrayWindow();
  app_.TrayIconShown = true;
}

void frmTrayIcon::UpdateTrayIcon() {
  if (app_.TrayIconShown) app_.platform.shell.ModifyTrayIcon(BuildTrayTip());
}

void frmTrayIcon::RemoveTrayIcon() {
  if (!app_.TrayIconShown) return;
  app_.platform.shell.UnhookTrayWindow();
  app_.platform.shell.DeleteTrayIcon();
  app_.TrayIconShown = false;
}

// A stored combination the hotkey dialog would not accept is never registered.
void frmTrayIcon::RegisterCaptureHotkey(int keyState, int keyCode) {
  const std::optional<DescribedHotkey> described = DescribeHotkey(keyCode, keyState, app_.texts);
  if (!described || !described->choice.enabled) return;
  app_.platform.shell.RegisterHotkey(PlatformModifiers(keyState), keyCode);
}

void frmTrayIcon::UnregisterCaptureHotkey() {
  app_.platform.shell.UnregisterHotkey();
}

bool frmTrayIcon::ScreenSizeLooksRight() {
  MeasureScreen(app_);
  const long width = app_.platform.shell.ScreenWidthTwips() / app_.platform.screen.TwipsPerPixelX();
  return std::labs(width - app_.screenWidth) <= std::labs(width - app_.screenHeight);
}

bool frmTrayIcon::CaptureBusy() const {
  return app_.showPointer || app_.SelectionInProgress || shell_.capture.IsLoaded();
}

// A capture asked for while the dialog is not in use: it hides itself when activated.
void frmTrayIcon::RequestCapture() {
  app_.skipSecondGrab = true;
  shell_.setting.window.State = WindowState::Minimized;
  shell_.setting.window.Visible = true;
}

void frmTrayIcon::TrayWindowProc(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  frmSetting& dialog = shell_.setting;
  if (message == kHotkeyMessage) {
    if (wParam != kCaptureHotkeyId || app_.SelectionInProgress || app_.showPointer) return;
    RequestCapture();
    shell_.capture.Unload();
    dialog.btnStart_Click();
    return;
  }
  if (message != kTrayCallbackMessage) return;
  const auto mouse = static_cast<unsigned>(lParam);
  if (mouse != kLeftButtonDown && mouse != kRightButtonDown) return;
  Shell& platform = app_.platform.shell;
  if (!dialog.window.Visible && dialog.window.Enabled) {
    if (CaptureBusy()) return;
    if (mouse == kLeftButtonDown) {
      RequestCapture();
      shell_.capture.Unload();
      dialog.btnStart_Click();
    } else {
      const bool offer = !ScreenSizeLooksRight();
      mnuRestart.Visible = offer;
      mnuRestart.Enabled = offer;
      if (!mnuPopup.Enabled) return;
      platform.BringTrayWindowToForeground();
      const std::vector<PopupMenuItem> items = PopupItems();
      MenuChosen(platform.TrackPopupMenu(items));
    }
  } else if (!dialog.window.Visible) {
    // Disabled for a countdown, which the waiting menu serves, or for a running capture.
    if (!dialog.Counting()) return;
    platform.BringTrayWindowToForeground();
    const std::vector<PopupMenuItem> items = WaitingItems();
    MenuChosen(platform.TrackPopupMenu(items));
  } else {
    ++dialog.window.FocusRequests;
    const Screen& screen = app_.platform.screen;
    const double x = static_cast<double>(dialog.window.Left) / screen.TwipsPerPixelX() +
                     dialog.btnStart.Left + kCaptureJumpX;
    const double y = static_cast<double>(dialog.window.Top) / screen.TwipsPerPixelY() + dialog.btnStart.Top +
                     kCaptureJumpY;
    platform.SetCursorPos(static_cast<int>(std::nearbyint(x)), static_cast<int>(std::nearbyint(y)));
  }
}

std::vector<PopupMenuItem> frmTrayIcon::PopupItems() const {
  return {
      {kCapture, mnuCapture.Caption, mnuCapture.Enabled, mnuCapture.Visible, false},
      {kSetting, mnuSetting.Caption, mnuSetting.Enabled, mnuSetting.Visible, false},
      {kResetCapture, mnuResetCapture.Caption, mnuResetCapture.Enabled, mnuResetCapture.Visible, false},
      {0, "", true, true, true},
      {kVersion, mnuVersion.Caption, mnuVersion.Enabled, mnuVersion.Visible, false},
      {0, "", true, true, true},
      {kQuit, mnuQuit.Caption, mnuQuit.Enabled, mnuQuit.Visible, false},
      {kRestart, mnuRestart.Caption, mnuRestart.Enabled, mnuRestart.Visible, false},
  };
}

std::vector<PopupMenuItem> frmTrayIcon::WaitingItems() const {
  return {
      {kWait, mnuWait.Caption, mnuWait.Enabled, mnuWait.Visible, false},
      {kContinueWaiting, mnuContinueWaiting.Caption, true, true, false},
      {0, "", true, true, true},
      {kNowCapture, mnuNowCapture.Caption, true, true, false},
      {kQuitWaiting, mnuQuitWaiting.Caption, true, true, false},
  };
}

void frmTrayIcon::MenuChosen(int id) {
  frmSetting& dialog = shell_.setting;
  switch (id) {
    case kCapture:
      RequestCapture();
      dialog.btnStart_Click();
      break;
    case kSetting:
      dialog.window.State = WindowState::Normal;
      dialog.window.Visible = true;
      break;
    case kResetCapture:
      app_.KeepDialogPlace = true;
      RequestCapture();
      dialog.btnReset_Click();
      shell_.capture.Unload();
      dialog.btnStart_Click();
      app_.KeepDialogPlace = false;
      break;
    case kVersion:
      dialog.ShowVersionBox();
      break;
    case kQuit:
      dialog.QuitApp();
      Form_Unload();
      break;
    case kRestart:
      dialog.QuitApp();
      Form_Unload();
      shell_.LaunchNewInstance();
      break;
    case kNowCapture:
      dialog.NowCapture();
      break;
    case kQuitWaiting:
      dialog.QuitTimer();
      break;
    default:
      break;  // "Waiting", "Continue" or nothing chosen: the countdown goes on
  }
}

}  // namespace snapwell
