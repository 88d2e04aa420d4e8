// The settings dialog's menus, "Save Main settings", the version box and the hotkey button.
#include "app/app_shell.h"
#include "app/frm_setting.h"
#include "app/settings_io.h"
#include "output/print_image.h"
#include "output/save_dialog.h"
#include "text/messages.h"

namespace snapwell {

void frmSetting::btnReset_Click() {
  ApplySettings();
}

// A cancelled dialog leaves the output name as it was.
void frmSetting::mnuFName_Click() {
  AskForOutputName(app_.CommonDialog1, app_.FileName, app_.settings.DefaultExt, app_.texts, ui_);
}

// The settings dialog's set-up shows the copies the dialog was last left with.
void frmSetting::mnuPrinter_Click() {
  PrinterSetup(app_.CommonDialog1, app_.PrintCopies, ui_);
}

void frmSetting::mnuSaveSetting_Click() {
  if (!CheckOutputTarget(app_.settings.Outputs, ui_, app_.texts)) return;
  const Texts& t = app_.texts;
  const std::string question = std::string(t(148)) + "\r\n\r\n" + std::string(t(149)) + "\r\n" +
                               std::string(t(150)) + "\r\n" + std::string(t(151));
  if (ui_.MessageBox(question, t(124), MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes)
    SaveAllSettings(app_, window.Left, window.Top, [this] { ValidateFields(); });
}

void frmSetting::mnuSelectOutLineList_Click() {
  WithoutHotkey([&] {
    CommonDialogState dialog;
    dialog.Filter = std::string(app_.texts(118));
    dialog.FileName = app_.settings.VOLFileName;
    if (app_.platform.shell.ShowOpenDialog(dialog) && !dialog.FileName.empty()) {
      app_.settings.VOLFileName = dialog.FileName;
      SetVariOutLineList();
    }
  });
}

void frmSetting::ShowVersionBox() {
  ui_.MessageBox(VersionBoxText(app_.texts), VersionBoxTitle(app_.texts), MsgButtons::Ok,
                 MsgIcon::Information);
}

void frmSetting::btnHotKeySetting_Click() {
  Settings& s = app_.settings;
  shell_.tray.UnregisterCaptureHotkey();
  KeepCurrentTab = true;
  shell_.hotkeyDialog.Form_Load();
  app_.platform.shell.ShowModal(shell_.hotkeyDialog);
  if (s.WhereStay != 0) return;
  if (s.HotKeyEnabled) {
    shell_.tray.RegisterCaptureHotkey(s.HotKeyModifiers, s.HotKeyKeyCode);
  } else {
    shell_.tray.UnregisterCaptureHotkey();
  }
  WriteSetting(app_, "HotKeyEnabled");
  WriteSetting(app_, "HotKeyModifiers");
  WriteSetting(app_, "HotKeyKeyCode");
}

}  // namespace snapwell
