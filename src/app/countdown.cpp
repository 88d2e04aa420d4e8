// The capture request of the settings dialog and its countdown: every capture channel ends in
// btnStart_Click, which clears the way and opens the capture surface at once (through the
// helper window) or after CopyTime seconds.
#include <cmath>

#include "app/app_shell.h"
#include "app/frm_setting.h"
#include "frames/capture_template.h"
#include "output/print_image.h"

namespace snapwell {
namespace {

// "Waiting : 1.5sec": hundredths shown with one decimal, halves rounded up ("###0.0").
std::string WaitingText(const Texts& texts, std::int32_t hundredths) {
  const std::int32_t tenths = (hundredths + 5) / 10;
  return std::string(texts(186)) + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + "sec";
}

}  // namespace

void frmSetting::btnStart_Click() {
  Settings& s = app_.settings;
  if (!CheckOutputTarget(s.Outputs, ui_, app_.texts)) {
    app_.skipSecondGrab = false;  // the dialog must not hide itself when it is next opened
    return;
  }
  if (s.WhereStay == 0) window.Visible = false;
  window.State = WindowState::Minimized;
  shell_.capture.Unload();
  app_.keyLeftDown = 0;
  app_.mouseLeftDown = 0;
  app_.showPointer = true;
  app_.trackMoves = true;

  if ((s.FlameStyle == 0 || s.FlameStyle == 1) && s.FixField != 0) {
    app_.fixedFrame = s.FixField;
  } else if (s.FlameStyle == 2 && s.VariLineShape != 0) {
    // A template that cannot be used is reported and this capture marks a freehand outline; the
    // dialog keeps the template chosen, and the next capture tries it again.
    app_.templateMode = LoadCaptureTemplate(app_.VellFrame, app_.platform.files, ui_, app_.texts,
                                            s.VOLFileName, s.VariLineShape, app_.AppFolder);
    app_.fixedFrame = app_.templateMode ? s.FixField : std::int16_t{0};
  } else {
    app_.fixedFrame = 0;
  }

  // The dialog stays disabled until the capture ends (EndCapture), so that nothing reached
  // through the taskbar or Alt+Tab can unload the running surface.
  window.Enabled = false;
  if (s.CopyTimer != 0) {
    shell_.tray.mnuPopup.Enabled = false;
    WaitElapsed = 0;
    Timer1.SetInterval(kCountdownInterval);
  } else {
    app_.CaptureViaHelper = true;
    if (s.WhereStay == 0) shell_.tray.mnuPopup.Enabled = false;
    shell_.helper.Show();
  }
}

void frmSetting::Timer1_Timer() {
  Settings& s = app_.settings;
  if (QuitWaitingRequested == 0) {
    WaitElapsed += kHundredthsPerTick;
    const auto limit = static_cast<std::int32_t>(std::floor(s.CopyTime * 100.0f));
    if (WaitElapsed < limit) {
      const std::string text = WaitingText(app_.texts, WaitElapsed);
      window.Caption = text;
      if (s.WhereStay == 0) {
        shell_.tray.mnuWait.Caption = text;
        shell_.tray.UpdateTrayIcon();
      }
    } else {
      EndWaiting();
      window.Enabled = false;  // the capture begins: disabled until it ends
      app_.showPointer = true;
      shell_.capture.Load();
      shell_.capture.Show();
      app_.platform.ui.Beep();
    }
  } else {
    EndWaiting();
    app_.showPointer = false;
    app_.skipSecondGrab = false;
    QuitWaitingRequested = 0;
    app_.platform.ui.Beep();
  }
}

void frmSetting::EndWaiting() {
  window.Caption = std::string(app_.texts(185));
  window.Enabled = true;
  UpdateTrayIconInTray();
  Timer1.SetInterval(0);
  WaitElapsed = 0;
  shell_.tray.mnuPopup.Enabled = true;
  shell_.tray.mnuWait.Caption = std::string(app_.texts(279));  // no stale time in the next countdown
}

// Both act only while the countdown runs: a menu left open past its end changes nothing.
void frmSetting::NowCapture() {
  if (!Counting()) return;
  WaitElapsed = static_cast<std::int32_t>(app_.settings.CopyTime * 100.0f);
  Timer1.SetInterval(1);
}

void frmSetting::QuitTimer() {
  if (!Counting()) return;
  QuitWaitingRequested = 1;
  Timer1.SetInterval(1);
}

}  // namespace snapwell
