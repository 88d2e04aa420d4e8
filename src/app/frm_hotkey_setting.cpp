#include "app/frm_hotkey_setting.h"

#include "app/app_context.h"

namespace snapwell {

frmHotKeySetting::frmHotKeySetting(AppContext& app) : app_(app) {}

void frmHotKeySetting::Form_Load() {
  const Texts& t = app_.texts;
  window.Loaded = true;
  window.Visible = true;
  window.Caption = std::string(t(164));
  btnOK.Caption = std::string(t(165));
  btnCancel.Caption = std::string(t(166));
  Label1.Caption = std::string(t(167));
  Label2.Caption = std::string(t(168));
  Label3.Caption = std::string(t(169));
  pending = HotkeyChoice{true, 0, 0};
  const Settings& s = app_.settings;
  const std::optional<DescribedHotkey> stored =
      s.HotKeyEnabled ? DescribeHotkey(s.HotKeyKeyCode, s.HotKeyModifiers, t) : std::nullopt;
  if (stored) {
    pending = stored->choice;
    lblHotKey.Caption = stored->label;
  } else {
    // No hotkey, or a stored one this dialog would not accept: neither is in use.
    KeyDown(kKeyBackspace, 0);
  }
}

void frmHotKeySetting::KeyDown(int keyCode, int keyState) {
  const std::optional<DescribedHotkey> described = DescribeHotkey(keyCode, keyState, app_.texts);
  if (!described) return;
  pending = described->choice;
  lblHotKey.Caption = described->label;
}

void frmHotKeySetting::btnOK_Click() {
  Settings& s = app_.settings;
  s.HotKeyEnabled = pending.enabled;
  s.HotKeyModifiers = pending.modifiers;
  s.HotKeyKeyCode = pending.keyCode;
  window.Loaded = false;
  window.Visible = false;
}

void frmHotKeySetting::btnCancel_Click() {
  window.Loaded = false;
  window.Visible = false;
}

}  // namespace snapwell
