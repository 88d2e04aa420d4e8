// The application shell of one run: the permanent windows (settings dialog, tray window,
// helper window) and the hotkey dialog, the start-up that creates them, and the link through
// which the capture surface reports back.
#pragma once

#include "app/app_context.h"
#include "app/capture_link.h"
#include "app/frm_hotkey_setting.h"
#include "app/frm_null.h"
#include "app/frm_setting.h"
#include "app/frm_tray_icon.h"
#include "text/fonts.h"

namespace snapwell {

class AppShell : public ShellLink {
 public:
  // capture is only kept; it may be constructed after the shell.
  AppShell(AppContext& app, CaptureSurfaceLink& capture);

  AppContext& app;
  CaptureSurfaceLink& capture;
  FontChoice DialogFont;
  FontChoice LargeFont;
  frmTrayIcon tray;
  frmSetting setting;
  frmNull helper;
  frmHotKeySetting hotkeyDialog;

  // The program's entry: prepares the shared state, migrates the store, loads the tray window
  // and the dialog and shows what the residence asks for. Every failing step is skipped.
  void StartUp();
  // QuitApp has run: start the program anew, minimised.
  void LaunchNewInstance();
  // True once every window is unloaded: the message loop ends.
  bool Ended() const;

  void ShowHelper() override;
  void EnableSettingsDialog() override;
  void RestoreSettingsDialog() override;
  void FocusSettingsDialog() override;
  void QuitApp() override;
};

}  // namespace snapwell
