// The settings dialog's menus, "Save Main settings", the version box and the hotkey button.
#include "app/app_shell.h"
#include "app/frm_setting.h"
#include "app/settings_io.h"
#include "output/naming.h"
#include "text/messages.h"

namespace snapwell {
namespace {

// Print set-up: no print-to-file box, no page ranges, no selection.
constexpr long kPrintSetupFlags = 0x10000C;
// What the shared dialog keeps for the Save dialog afterwards: no read-only box, no read-only
// files, long file names.
constexpr long kSaveAfterPrintFlags = 0x208004;

}  // namespace

void frmSetting::btnReset_Click() {
  ApplySettings();
}

void frmSetting::mnuFName_Click() {
  WithoutHotkey([&] {
    const Settings& s = app_.settings;
    CommonDialogState& dialog = app_.CommonDialog1;
    dialog.DefaultExt = std::string(ExtensionTable(s.DefaultExt));
    dialog.Filter = BuildFileFilter(app_.texts, s.DefaultExt);
    dialog.FileName = app_.FileName.Folder() + app_.FileName.Body();
    // A cancelled dialog leaves the output name as it was.
    if (app_.platform.ui.ShowSaveDialog(dialog)) app_.FileName.SetPath(dialog.FileName);
  });
}

void frmSetting::mnuPrinter_Click() {
  WithoutHotkey([&] {
    CommonDialogState& dialog = app_.CommonDialog1;
    const long saveFlags = dialog.Flags;
    dialog.Flags = kPrintSetupFlags;
    if (app_.platform.ui.ShowPrinterDialog(dialog)) {
      dialog.Flags = kSaveAfterPrintFlags;
      app_.PrintCopies = static_cast<std::int16_t>(dialog.Copies);
    } else {
      dialog.Flags = saveFlags;  // a cancelled set-up changes nothing
    }
  });
}

void frmSetting::mnuSaveSetting_Click() {
  if (!CheckOutputTarget(app_)) return;
  WithoutHotkey([&] {
    const Texts& t = app_.texts;
    std::string question = std::string(t(148)) + "\r\n\r\n" + std::string(t(149)) + "\r\n" +
                           std::string(t(150)) + "\r\n" + std::string(t(151));
    if (app_.platform.ui.MessageBox(question, t(124), MsgButtons::YesNo, MsgIcon::Question) ==
        MsgAnswer::Yes) {
      SaveAllSettings(app_, window.Left, window.Top, [this] { ValidateFields(); });
    }
  });
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
  WithoutHotkey([&] {
    app_.platform.ui.MessageBox(VersionBoxText(app_.texts), VersionBoxTitle(app_.texts), MsgButtons::Ok,
                                MsgIcon::Information);
  });
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
