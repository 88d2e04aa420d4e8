#include "app/frm_null.h"

#include "app/app_shell.h"

namespace snapwell {

frmNull::frmNull(AppShell& shell)
    : Timer1(shell.app.platform.timers, [this] { Timer1_Timer(); }), shell_(shell) {}

void frmNull::Form_Load() {
  window.Loaded = true;
  window.Left = 0;
  window.Top = 0;
  window.Width = 0;
  window.Height = 0;
}

void frmNull::Form_Unload() {
  Timer1.SetInterval(0);
  window.Loaded = false;
  window.Visible = false;
}

void frmNull::Show() {
  if (!window.Loaded) Form_Load();
  window.Visible = true;
  Form_Activate();
}

void frmNull::Form_Activate() {
  if (!shell_.app.CaptureViaHelper) return;
  Timer1.SetInterval(1);
  window.Visible = false;
}

void frmNull::Timer1_Timer() {
  AppContext& app = shell_.app;
  CaptureSurfaceLink& surface = shell_.capture;
  if (surface.IsShowing()) return;  // the old surface is still in the way
  Timer1.SetInterval(0);
  app.showPointer = true;
  app.CaptureViaHelper = false;
  surface.Load();
  if (app.settings.WhereStay != 0) {
    shell_.setting.window.Visible = true;  // minimised, on the taskbar
  } else {
    shell_.tray.mnuPopup.Enabled = true;
  }
  surface.Show();
}

void frmNull::Form_MouseDown() {
  if (!shell_.app.TrayIconShown) return;
  shell_.setting.window.State = WindowState::Normal;
  shell_.setting.window.Visible = true;
}

}  // namespace snapwell
