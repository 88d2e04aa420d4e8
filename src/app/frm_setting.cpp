#include "app/frm_setting.h"

#include <algorithm>
#include <exception>

#include "app/app_shell.h"
#include "app/settings_io.h"
#include "frames/shape_list.h"
#include "text/number_text.h"

namespace snapwell {

frmSetting::frmSetting(AppShell& shell)
    : Timer1(shell.app.platform.timers, [this] { Timer1_Timer(); }), shell_(shell), app_(shell.app) {
  window.Width = kSettingDialogWidth;
  window.Height = kSettingDialogHeight;
  mnuRestart.Visible = false;
  mnuRestart.Enabled = false;
}

void frmSetting::SetCheck(Control& box, int value, void (frmSetting::*click)()) {
  if (box.Value == value) return;
  box.Value = value;
  (this->*click)();
}

void frmSetting::SetCheck(Control& box, int value, int index, void (frmSetting::*click)(int)) {
  if (box.Value == value) return;
  box.Value = value;
  (this->*click)(index);
}

void frmSetting::SetText(Control& box, std::string text) {
  if (box.Caption == text) return;
  box.Caption = std::move(text);
  if (&box == &txtEnlarge) txtEnlarge_Change();
}

void frmSetting::SetCaptions() {
  const Texts& t = app_.texts;
  const auto set = [&](Control& c, int id) { c.Caption = std::string(t(id)); };
  window.Caption = std::string(t(185));
  tabCaption[0] = std::string(t(187));
  tabCaption[1] = std::string(t(188));
  set(fraFrame, 189);
  set(optFlame[0], 190);
  set(optFlame[1], 191);
  set(optFlame[3], 193);
  set(chkFixField, 194);
  Label1.Caption = "X :";
  Label2.Caption = "Y :";
  set(Label10, 196);
  set(optWindowTarget[0], 197);
  set(optWindowTarget[1], 198);
  set(optWindowTarget[2], 199);
  set(fraTimer, 200);
  set(optTimerEnable[0], 201);
  set(optTimerEnable[1], 202);
  set(Label3, 203);
  set(fraAngle, 204);
  set(optRoll[6], 205);
  for (int i = 0; i < 6; ++i)
    set(optRoll[i], 206 + i);
  set(Label5, 212);
  set(Label6, 213);
  set(Label7, 214);
  set(Label8, 215);
  set(fraEnlarge, 216);
  set(Label4, 217);
  Label13.Caption = "(1 - 6400)";
  for (int i = 0; i < 3; ++i)
    set(btnEnlarge[i], 218 + i);
  set(fraReverse, 221);
  for (int i = 0; i < 4; ++i)
    set(optReverse[i], 222 + i);
  set(fraOutput, 226);
  set(chkOutput[0], 227);
  set(chkOutput[1], 229);
  set(chkOutput[2], 228);
  set(btnFile, 229);
  set(chkAutoName, 230);
  set(chkOutDialog, 231);
  set(btnContOut, 232);
  set(btnStart, 233);
  set(btnReset, 234);
  set(btnClose, 235);
  set(fraWhereStay, 236);
  for (int i = 0; i < 3; ++i)
    set(optWhereStay[i], 237 + i);
  set(fraAppearWindow, 240);
  set(optAppearWindow[0], 241);
  set(optAppearWindow[1], 242);
  set(fraDefaultFileExt, 243);
  const char* formats[] = {"BMP", "JPEG", "PNG", "EPS", "PPM", "PGM"};
  for (int i = 1; i <= 6; ++i)
    optDefaultFileExt[i].Caption = formats[i - 1];
  set(fraLineWidth, 244);
  set(optDrawWidthValue[3], 245);
  set(optDrawWidthValue[2], 246);
  set(optDrawWidthValue[1], 247);
  set(fraColorAdjust, 248);
  set(fraWhereRotation, 249);
  set(fraWhereReduct, 250);
  set(fraWhereEnlarge, 251);
  set(optFlgRollColor[0], 252);
  set(optFlgRollColor[1], 255);
  set(optFlgReductColor[0], 252);
  set(optFlgReductColor[1], 255);
  set(optFlgEnlargeColor[0], 253);
  set(optFlgEnlargeColor[1], 254);
  set(optFlgEnlargeColor[2], 255);
  set(lblDoAdjust, 256);
  set(lblNoAdjust, 257);
  set(btnHotKeySetting, 258);
  Control* menus[] = {&mnuFile,  &mnuFName, &mnuPrinter, &mnuRun, &mnuSaveSetting, &mnuSelectOutLineList,
                      &mnuClose, &mnuEnd,   &mnuRestart};
  for (int i = 0; i < 9; ++i)
    set(*menus[i], 259 + i);
  set(mnuSetting, 268);
  set(mnuSaveSetting2, 263);
  set(mnuSettingReset, 269);
  set(mnuVersion, 270);
}

void frmSetting::Form_Load() {
  window.Loaded = true;
  SetCaptions();
  KeepCurrentTab = false;
  // Without a continuous rotation dialog its button is not offered.
  btnContOut.Enabled = static_cast<bool>(showContOutDialog);
  ApplySettings();
  app_.PrintCopies = 1;
  shell_.helper.Form_Load();
  window.Width = kSettingDialogWidth;
  window.Height = kSettingDialogHeight;
}

void frmSetting::ApplySettings() {
  Settings& s = app_.settings;
  LoadSettings(app_, DialogSizeTwips{window.Width, window.Height});
  QuitWaitingRequested = 0;

  if (!app_.KeepDialogPlace) {
    const ScreenArea primary = PrimaryArea(app_.screenLayout);
    const long screenW = static_cast<long>(primary.Width()) * app_.platform.screen.TwipsPerPixelX();
    const long screenH = static_cast<long>(primary.Height()) * app_.platform.screen.TwipsPerPixelY();
    window.Left = s.WindowLeft;
    window.Top = s.WindowTop;
    if (window.Left + window.Width > screenW) window.Left = static_cast<int>(screenW - window.Width);
    if (window.Top + window.Height > screenH) window.Top = static_cast<int>(screenH - window.Height);
  }

  app_.CaptureViaHelper = false;
  if (s.WhereStay != 0) {
    btnHotKeySetting.Enabled = false;
  } else {
    shell_.tray.mnuPopup.Enabled = true;
    btnHotKeySetting.Enabled = true;
    if (s.HotKeyEnabled) shell_.tray.RegisterCaptureHotkey(s.HotKeyModifiers, s.HotKeyKeyCode);
  }

  SetVariOutLineList();
  SelectShapeEntry(s.VariLineShape);

  Select(optFlame, s.FlameStyle, &frmSetting::optFlame_Click);
  SetCheck(chkFixField, s.FixField != 0 ? 1 : 0, &frmSetting::chkFixField_Click);
  s.FixFieldX = std::clamp(s.FixFieldX, 1, std::max(1, app_.screenWidth));
  s.FixFieldY = std::clamp(s.FixFieldY, 1, std::max(1, app_.screenHeight));
  SetText(txtFFX, std::to_string(s.FixFieldX));
  SetText(txtFFY, std::to_string(s.FixFieldY));
  SetText(txtCopyTime, GeneralNumber(s.CopyTime));
  SetText(txtEnlarge, GeneralNumber(s.EnlargeValue * 100.0f));
  Select(optReverse, s.ReverseValue, &frmSetting::optReverse_Click);
  Select(optRoll, s.RollValue, &frmSetting::optRoll_Click);
  Select(optTimerEnable, s.CopyTimer, &frmSetting::optTimerEnable_Click);
  SetCheck(chkAutoName, s.AutoName != 0 ? 1 : 0, &frmSetting::chkAutoName_Click);
  SetCheck(chkContOut, s.ContOutput != 0 ? 1 : 0, &frmSetting::chkContOut_Click);
  fraAngle.Enabled = s.ContOutput == 0;
  ShowOutputBoxes();
  SetCheck(chkOutDialog, s.OutDialog != 0 ? 1 : 0, &frmSetting::chkOutDialog_Click);
  SetText(txtRoll, GeneralNumber(s.DefRoll));

  optAppearWindow_Click(s.AppearWindow);
  optWindowTarget_Click(s.CaptureWindow);
  optDefaultFileExt_Click(s.DefaultExt);
  optTimerEnable_Click(s.CopyTimer);
  optWhereStay_Click(s.WhereStay);
  optDrawWidthValue_Click(s.FreehandLineWidth);
  optFlgReductColor_Click(s.ReductColorControl ^ 1);
  optFlgEnlargeColor_Click((s.EnlargeColorControl + 2) % 3);
  optFlgRollColor_Click(s.RollColorControl ^ 1);

  if (!app_.FileName.Path().empty()) {
    app_.CommonDialog1.FileName = app_.FileName.Path();
  } else {
    app_.FileName.SetPath(app_.CommonDialog1.FileName);
  }

  UpdateAutoNameBox();
  UpdateTypedAngleBox();
  UpdateTrayIconInTray();
}

// The output boxes from Outputs; their Click procedures recompute Outputs from the boxes as
// they go, so the value held before is put back.
void frmSetting::ShowOutputBoxes() {
  // The box handlers run one box at a time: the clipboard box's, before the file box is ticked,
  // would untick Auto-Renewal. The loaded values are put back afterwards.
  const std::int16_t outputs = app_.settings.Outputs;
  const std::int16_t autoName = app_.settings.AutoName;
  for (int i = 0; i < 3; ++i)
    SetCheck(chkOutput[i], (outputs >> i) & 1, i, &frmSetting::chkOutput_Click);
  app_.settings.Outputs = outputs;
  SetCheck(chkAutoName, autoName != 0 ? 1 : 0, &frmSetting::chkAutoName_Click);
}

void frmSetting::Form_Activate() {
  Settings& s = app_.settings;
  if (app_.skipSecondGrab) {
    window.Visible = false;  // shown only to run a capture
  } else {
    ++window.FocusRequests;
  }
  if (!KeepCurrentTab) tabMain = 0;
  KeepCurrentTab = false;

  if (s.WhereStay == 2) {
    mnuRestart.Visible = false;
    mnuRestart.Enabled = false;
  } else {
    const bool offer = !shell_.tray.ScreenSizeLooksRight();
    mnuRestart.Visible = offer;
    mnuRestart.Enabled = offer;
  }

  s.FixField = static_cast<std::int16_t>(chkFixField.Value);
  if (optFlame[3].Value != 0) s.FlameStyle = 3;
  MeasureScreen(app_);
  s.FixFieldX = std::clamp(s.FixFieldX, 1, std::max(1, app_.screenWidth));
  s.FixFieldY = std::clamp(s.FixFieldY, 1, std::max(1, app_.screenHeight));
  SetText(txtFFX, std::to_string(s.FixFieldX));
  SetText(txtFFY, std::to_string(s.FixFieldY));
  SetCheck(chkAutoName, s.AutoName != 0 ? 1 : 0, &frmSetting::chkAutoName_Click);
  ShowOutputBoxes();
  SetCheck(chkOutDialog, s.OutDialog != 0 ? 1 : 0, &frmSetting::chkOutDialog_Click);

  if (!app_.SelectionInProgress) app_.PrintCopies = 1;
  Select(optFlame, s.FlameStyle, &frmSetting::optFlame_Click);
}

void frmSetting::CloseDialog() {
  app_.SelectionInProgress = false;
  switch (app_.settings.WhereStay) {
    case 0:
      shell_.tray.mnuPopup.Enabled = true;
      window.Visible = false;
      break;
    case 1:
      window.State = WindowState::Minimized;
      break;
    default:
      QuitApp();
      return;
  }
  shell_.capture.UnloadCompanions();
  shell_.capture.Unload();
  shell_.helper.Show();
}

bool frmSetting::Form_QueryUnload() {
  const int whereStay = app_.settings.WhereStay;
  if (whereStay == 0 || (whereStay == 1 && window.State != WindowState::Minimized)) {
    CloseDialog();
    return true;
  }
  QuitApp();
  return false;
}

void frmSetting::QuitApp() {
  if (!window.Loaded && !shell_.tray.window.Loaded && !shell_.helper.window.Loaded) return;
  if (app_.settings.WhereStay == 0) {
    if (app_.settings.HotKeyEnabled) shell_.tray.UnregisterCaptureHotkey();
    shell_.tray.RemoveTrayIcon();
  }
  Timer1.SetInterval(0);
  window.Loaded = false;
  window.Visible = false;
  shell_.capture.UnloadCompanions();
  shell_.capture.Unload();
  shell_.tray.Form_Unload();
  shell_.helper.Form_Unload();
}

void frmSetting::Restart() {
  QuitApp();
  shell_.LaunchNewInstance();
}

void frmSetting::EnableAppearWindowFrame(bool enabled) {
  fraAppearWindow.Enabled = enabled;
  optAppearWindow[0].Enabled = enabled;
  optAppearWindow[1].Enabled = enabled;
}

void frmSetting::HotkeyOn() {
  const Settings& s = app_.settings;
  if (s.HotKeyEnabled && s.WhereStay == 0)
    shell_.tray.RegisterCaptureHotkey(s.HotKeyModifiers, s.HotKeyKeyCode);
}

void frmSetting::WithoutHotkey(const std::function<void()>& modal) {
  if (hotkeyHeld_ == 0 && app_.settings.HotKeyEnabled) shell_.tray.UnregisterCaptureHotkey();
  ++hotkeyHeld_;
  struct Release {
    frmSetting& dialog;
    ~Release() {
      if (--dialog.hotkeyHeld_ == 0) dialog.HotkeyOn();
    }
  } release{*this};
  modal();
}

MsgAnswer frmSetting::HotkeyFreeUi::MessageBox(std::string_view text, std::string_view title,
                                               MsgButtons buttons, MsgIcon icon) {
  MsgAnswer answer = MsgAnswer::Ok;
  dialog_.WithoutHotkey([&] { answer = dialog_.app_.platform.ui.MessageBox(text, title, buttons, icon); });
  return answer;
}

void frmSetting::HotkeyFreeUi::Beep() {
  dialog_.app_.platform.ui.Beep();
}

bool frmSetting::HotkeyFreeUi::ShowSaveDialog(CommonDialogState& dialog) {
  bool chosen = false;
  dialog_.WithoutHotkey([&] { chosen = dialog_.app_.platform.ui.ShowSaveDialog(dialog); });
  return chosen;
}

bool frmSetting::HotkeyFreeUi::ShowPrinterDialog(CommonDialogState& dialog) {
  bool chosen = false;
  dialog_.WithoutHotkey([&] { chosen = dialog_.app_.platform.ui.ShowPrinterDialog(dialog); });
  return chosen;
}

void frmSetting::UpdateTrayIconInTray() {
  if (app_.settings.WhereStay == 0) shell_.tray.UpdateTrayIcon();
}

void frmSetting::SysInfo1_DisplayChanged() {
  // A running capture keeps the screen it froze; the next capture measures the new one.
  if (!shell_.tray.CaptureBusy()) MeasureScreen(app_);
}

void frmSetting::tabMain_Click(int page) {
  tabMain = page == 1 ? 1 : 0;
}

void frmSetting::SetVariOutLineList() {
  Settings& s = app_.settings;
  const std::int16_t chosen = s.VariLineShape;
  if (!cmbVariLine.List.empty()) SelectShapeEntry(0);
  s.VariLineShape = chosen;
  const ShapeList list = snapwell::SetVariOutLineList(app_.platform.files, ui_, app_.texts, s.VOLFileName,
                                                      app_.AppFolder, chosen);
  cmbVariLine.List = list.items;
  cmbVariLine.ListIndex = -1;
  s.VariLineShape = list.variLineShape;
  SelectShapeEntry(s.VariLineShape);
}

void frmSetting::SelectShapeEntry(int index) {
  Settings& s = app_.settings;
  const std::int16_t flameStyle = s.FlameStyle;
  if (index < 0 || index >= static_cast<int>(cmbVariLine.List.size())) index = 0;
  cmbVariLine.ListIndex = index;
  cmbVariLine_Click();
  s.FlameStyle = flameStyle;
  Select(optFlame, flameStyle, &frmSetting::optFlame_Click);
}

void frmSetting::UpdateAutoNameBox() {
  chkAutoName.Enabled = chkOutput[1].Value != 0;
}

void frmSetting::UpdateTypedAngleBox() {
  const bool typed = app_.settings.RollValue == 5;
  txtRoll.Enabled = typed;
  txtRollWindowColour = typed;
}

}  // namespace snapwell
