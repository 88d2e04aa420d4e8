// The hotkey dialog `frmHotKeySetting`: the user presses the combination that shall start a
// capture; the dialog shows it in words and hands it back on OK.
#pragma once

#include "app/hotkey_text.h"
#include "platform/form_controls.h"

namespace snapwell {

struct AppContext;

class frmHotKeySetting : public ModalForm {
 public:
  explicit frmHotKeySetting(AppContext& app);

  FormWindow window;
  Control Label1, Label2, Label3, lblHotKey, btnOK, btnCancel;
  HotkeyChoice pending;

  // Creation: texts and the stored hotkey (or "(No hotkey)").
  void Form_Load();
  // Every key pressed while the dialog is active; keyState: Shift 1, Ctrl 2, Alt 4.
  void KeyDown(int keyCode, int keyState);
  void btnOK_Click();
  void btnCancel_Click();

  bool IsOpen() const override { return window.Loaded; }
  void CloseByUser() override { btnCancel_Click(); }

 private:
  AppContext& app_;
};

}  // namespace snapwell
