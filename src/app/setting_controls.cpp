// The settings dialog's control handlers and the checks of its text boxes.
#include <algorithm>
#include <cmath>

#include "app/app_shell.h"
#include "app/frm_setting.h"
#include "app/settings_io.h"
#include "output/save_dialog.h"
#include "text/number_text.h"

namespace snapwell {
namespace {

float NumberOf(const Control& box) {
  const double value = ReadLeadingNumber(box.Caption);
  if (!std::isfinite(value)) return value < 0 ? -3.0e38f : 3.0e38f;
  return static_cast<float>(std::clamp(value, -3.0e38, 3.0e38));
}

void Show(Control& c, bool visible) {
  c.Visible = visible;
  c.Enabled = visible;
}

}  // namespace

void frmSetting::optFlame_Click(int index) {
  Settings& s = app_.settings;
  if (index != s.FlameStyle) {
    s.FlameStyle = static_cast<std::int16_t>(index);
    UpdateTrayIconInTray();
  }
  ShowFixedSize();
}

// The fixed-size controls and the window-target controls follow the frame tool.
void frmSetting::ShowFixedSize() {
  const Settings& s = app_.settings;
  const int tool = s.FlameStyle;
  const bool templateChosen = tool == 2 && s.VariLineShape != 0;
  const bool rectangle = tool == 0 || templateChosen;
  const bool circle = tool == 1;
  Show(chkFixField, rectangle || circle);
  Show(Label1, rectangle || circle);
  Show(txtFFX, rectangle || circle);
  Show(Label2, rectangle);
  Show(txtFFY, rectangle);
  Label1.Caption = circle ? std::string(app_.texts(195)) : std::string("X :");
  if (circle) txtFFX.Caption = std::to_string(s.FixFieldX);
  app_.templateMode = templateChosen;
  const bool windowTool = tool == 3;
  Show(Label10, windowTool);
  Show(picWindowTarget, windowTool);
  for (Control& option : optWindowTarget)
    Show(option, windowTool);
}

void frmSetting::cmbVariLine_Click() {
  app_.settings.VariLineShape = static_cast<std::int16_t>(std::max(0, cmbVariLine.ListIndex));
  UpdateTrayIconInTray();
  Select(optFlame, 2, &frmSetting::optFlame_Click);
}

void frmSetting::chkFixField_Click() {
  app_.settings.FixField = static_cast<std::int16_t>(chkFixField.Value);
  UpdateTrayIconInTray();
}

void frmSetting::optWindowTarget_Click(int index) {
  if (index != app_.settings.CaptureWindow) {
    app_.settings.CaptureWindow = static_cast<std::int16_t>(index);
    UpdateTrayIconInTray();
  }
  SetOptions(optWindowTarget, index);
}

void frmSetting::optTimerEnable_Click(int index) {
  app_.settings.CopyTimer = static_cast<std::int16_t>(index);
  txtCopyTime.Enabled = index == 1;
}

void frmSetting::optRoll_Click(int index) {
  app_.settings.RollValue = static_cast<std::int16_t>(index);
  UpdateTypedAngleBox();
}

void frmSetting::optReverse_Click(int index) {
  app_.settings.ReverseValue = static_cast<std::int16_t>(index);
}

void frmSetting::btnEnlarge_Click(int index) {
  app_.settings.EnlargeValue = std::ldexp(0.5f, index);
  SetText(txtEnlarge, GeneralNumber(app_.settings.EnlargeValue * 100.0f));
}

void frmSetting::chkOutput_Click(int /*index*/) {
  if (chkOutput[2].Value != 0) {
    chkOutput[0].Value = 1;
    chkOutput[0].Enabled = false;
  } else {
    chkOutput[0].Enabled = true;
  }
  if (chkOutput[1].Value == 0) SetCheck(chkAutoName, 0, &frmSetting::chkAutoName_Click);
  app_.settings.Outputs =
      static_cast<std::int16_t>(chkOutput[0].Value + 2 * chkOutput[1].Value + 4 * chkOutput[2].Value);
  UpdateAutoNameBox();
}

void frmSetting::chkAutoName_Click() {
  app_.settings.AutoName = static_cast<std::int16_t>(chkAutoName.Value);
}

void frmSetting::chkOutDialog_Click() {
  app_.settings.OutDialog = static_cast<std::int16_t>(chkOutDialog.Value);
}

void frmSetting::chkContOut_Click() {
  app_.settings.ContOutput = static_cast<std::int16_t>(chkContOut.Value);
  const bool angles = chkContOut.Value == 0;
  fraAngle.Enabled = angles;
  for (Control& option : optRoll)
    option.Enabled = angles;
}

void frmSetting::btnContOut_Click() {
  if (!showContOutDialog) return;
  WithoutHotkey([&] {
    const bool confirmed = showContOutDialog();
    if (chkContOut.Value == 0 && confirmed) SetCheck(chkContOut, 1, &frmSetting::chkContOut_Click);
    if (chkContOut.Value != 0 && !confirmed) SetCheck(chkContOut, 0, &frmSetting::chkContOut_Click);
  });
}

// A chosen name ticks the file box; a cancel leaves the name and clears the box.
void frmSetting::btnFile_Click() {
  const bool chosen =
      AskForOutputName(app_.CommonDialog1, app_.FileName, app_.settings.DefaultExt, app_.texts, ui_);
  SetCheck(chkOutput[1], chosen ? 1 : 0, 1, &frmSetting::chkOutput_Click);
}

void frmSetting::optWhereStay_Click(int index) {
  Settings& s = app_.settings;
  SetOptions(optWhereStay, index);
  if (index != s.WhereStay) {
    const bool leavingTray = s.WhereStay == 0;
    if (index == 0) {
      shell_.tray.AddTrayIcon();
      EnableAppearWindowFrame(true);
      btnHotKeySetting.Enabled = true;
      s.WhereStay = 0;  // the hotkey belongs to the tray: registered once the residence is set
      if (s.HotKeyEnabled) shell_.tray.RegisterCaptureHotkey(s.HotKeyModifiers, s.HotKeyKeyCode);
    } else {
      if (leavingTray) {
        if (s.HotKeyEnabled) shell_.tray.UnregisterCaptureHotkey();
        shell_.tray.RemoveTrayIcon();
      }
      if (index == 1) {
        EnableAppearWindowFrame(true);
      } else {
        optAppearWindow_Click(0);
        EnableAppearWindowFrame(false);
      }
      btnHotKeySetting.Enabled = false;
    }
  }
  s.WhereStay = static_cast<std::int16_t>(index);
  WriteSetting(app_, "WhereStay");
}

void frmSetting::optAppearWindow_Click(int index) {
  SetOptions(optAppearWindow, index);
  optAppearWindow[index == 1 ? 1 : 0].TabStop = false;
  optAppearWindow[index == 1 ? 0 : 1].TabStop = true;
  app_.settings.AppearWindow = static_cast<std::int16_t>(index);
  WriteSetting(app_, "AppearWindow");
}

void frmSetting::optDefaultFileExt_Click(int index) {
  app_.settings.DefaultExt = static_cast<std::int16_t>(index);
  SetOptions(optDefaultFileExt, index);
  WriteSetting(app_, "DefaultExt");
}

void frmSetting::optDrawWidthValue_Click(int index) {
  app_.settings.FreehandLineWidth = static_cast<std::int16_t>(index);
  SetOptions(optDrawWidthValue, index);
  WriteSetting(app_, "FreehandLineWidth");
}

void frmSetting::optFlgRollColor_Click(int index) {
  SetOptions(optFlgRollColor, index);
  app_.settings.RollColorControl = static_cast<std::int16_t>(index ^ 1);
  WriteSetting(app_, "RollColorControl");
}

void frmSetting::optFlgReductColor_Click(int index) {
  SetOptions(optFlgReductColor, index);
  app_.settings.ReductColorControl = static_cast<std::int16_t>(index ^ 1);
  WriteSetting(app_, "ReductColorControl");
}

void frmSetting::optFlgEnlargeColor_Click(int index) {
  SetOptions(optFlgEnlargeColor, index);
  app_.settings.EnlargeColorControl = static_cast<std::int16_t>(index == 2 ? 0 : index + 1);
  WriteSetting(app_, "EnlargeColorControl");
}

void frmSetting::txtEnlarge_Change() {
  app_.settings.EnlargeValue = std::clamp(std::fabs(NumberOf(txtEnlarge)) / 100.0f, 0.01f, 64.0f);
}

void frmSetting::txtCopyTime_LostFocus() {
  float value = NumberOf(txtCopyTime);
  if (value < 0.25f) value = 0.25f;
  if (value >= 3600.0f) value = 3600.0f;
  app_.settings.CopyTime = value;
  SetText(txtCopyTime, GeneralNumber(value));
}

void frmSetting::txtEnlarge_LostFocus() {
  float value = NumberOf(txtEnlarge) / 100.0f;
  if (value < 0.01f) value = 0.01f;
  if (value >= 64.0f) value = 64.0f;
  app_.settings.EnlargeValue = value;
  SetText(txtEnlarge, GeneralNumber(value * 100.0f));
}

void frmSetting::txtFFX_LostFocus() {
  Settings& s = app_.settings;
  float value = NumberOf(txtFFX);
  if (value < 1.0f) value = 1.0f;
  if (value > static_cast<float>(app_.screenWidth)) value = static_cast<float>(app_.screenWidth);
  if (s.FlameStyle == 1 && value > static_cast<float>(app_.screenHeight))
    value = static_cast<float>(app_.screenHeight);
  s.FixFieldX = std::max(1, static_cast<std::int32_t>(std::nearbyint(value)));
  SetText(txtFFX, std::to_string(s.FixFieldX));
}

void frmSetting::txtFFY_LostFocus() {
  Settings& s = app_.settings;
  float value = NumberOf(txtFFY);
  if (value < 1.0f) value = 1.0f;
  if (value > static_cast<float>(app_.screenHeight)) value = static_cast<float>(app_.screenHeight);
  s.FixFieldY = std::max(1, static_cast<std::int32_t>(std::nearbyint(value)));
  SetText(txtFFY, std::to_string(s.FixFieldY));
}

// A typed angle folded into -180 ... 180: 540 is 180, 270 is -90, -800 is -80.
void frmSetting::txtRoll_LostFocus() {
  float angle = NumberOf(txtRoll);
  if (std::fabs(angle) >= 360.0f) angle -= 360.0f * std::floor(angle / 360.0f);
  if (std::fabs(angle) > 180.0f) angle = (std::fabs(angle) - 360.0f) * (angle < 0 ? -1.0f : 1.0f);
  app_.settings.DefRoll = angle;
  SetText(txtRoll, GeneralNumber(angle));
}

void frmSetting::ValidateFields() {
  txtFFX_LostFocus();
  txtFFY_LostFocus();
  txtCopyTime_LostFocus();
  txtRoll_LostFocus();
}

}  // namespace snapwell
