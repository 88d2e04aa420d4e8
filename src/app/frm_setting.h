// The settings dialog `frmSetting`: two pages of controls over the settings, the menus, and
// the hub through which captures are requested, countdowns run and the program quits.
// Procedures live by concern in frm_setting.cpp (load, apply, activation, close, quit),
// setting_controls.cpp (control handlers and field checks), setting_menus.cpp (menus) and
// countdown.cpp (the capture request and its countdown).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/form_controls.h"
#include "platform/timers.h"

namespace snapwell {

class AppShell;
struct AppContext;

// Twips of the dialog: fixed size.
inline constexpr int kSettingDialogWidth = 5580;
inline constexpr int kSettingDialogHeight = 7245;
// Countdown: tick interval, and hundredths counted per tick.
inline constexpr int kCountdownInterval = 246;
inline constexpr int kHundredthsPerTick = 25;

class frmSetting {
 public:
  explicit frmSetting(AppShell& shell);

  FormWindow window;
  int tabMain = 0;  // visible page: 0 "Main", 1 "Env."
  std::string tabCaption[2];

  // Main page.
  Control fraFrame, optFlame[4];
  ListControl cmbVariLine;
  Control chkFixField, Label1, txtFFX, Label2, txtFFY;
  Control Label10, picWindowTarget, optWindowTarget[3];
  Control fraTimer, optTimerEnable[2], txtCopyTime, Label3;
  Control fraAngle, optRoll[7], txtRoll, Label5, Label6, Label7, Label8;
  bool txtRollWindowColour = false;  // window background when usable, button face otherwise
  Control fraEnlarge, txtEnlarge, Label4, Label13, btnEnlarge[3];
  Control fraReverse, optReverse[4];
  Control fraOutput, chkOutput[3], btnFile, chkAutoName, chkOutDialog, chkContOut, btnContOut;
  Control btnStart, btnReset, btnClose;
  // Env. page.
  Control fraWhereStay, optWhereStay[3], fraAppearWindow, optAppearWindow[2];
  Control fraDefaultFileExt, optDefaultFileExt[7];  // 1..6
  Control fraLineWidth, optDrawWidthValue[4];       // 1..3
  Control fraColorAdjust, fraWhereRotation, fraWhereReduct, fraWhereEnlarge;
  Control optFlgRollColor[2], optFlgReductColor[2], optFlgEnlargeColor[3];
  Control lblDoAdjust, lblNoAdjust, btnHotKeySetting;
  // Menus.
  Control mnuFile, mnuFName, mnuPrinter, mnuRun, mnuSaveSetting, mnuSelectOutLineList, mnuClose, mnuEnd,
      mnuRestart, mnuSetting, mnuSaveSetting2, mnuSettingReset, mnuVersion;

  std::int32_t WaitElapsed = 0;           // countdown, hundredths of a second
  std::int32_t QuitWaitingRequested = 0;  // 1: the countdown was abandoned
  bool KeepCurrentTab = false;            // the next activation keeps the visible page
  FormTimer Timer1;

  // The continuous rotation dialog, once one is plugged in: shows it modally and answers
  // whether it was confirmed. Without one the button is not offered.
  std::function<bool()> showContOutDialog;

  // Public operations.
  void Form_Load();
  void SetCaptions();
  void EnableAppearWindowFrame(bool enabled);
  void QuitApp();
  void Restart();
  void NowCapture();
  void QuitTimer();
  void HotkeyOn();
  void btnReset_Click();
  void btnStart_Click();
  void optAppearWindow_Click(int index);
  void ShowVersionBox();
  bool Counting() const { return Timer1.Interval() != 0; }

  // Window events.
  void Form_Activate();
  // The close box; true when the close is cancelled (the dialog stays).
  bool Form_QueryUnload();
  void SysInfo1_DisplayChanged();
  void tabMain_Click(int page);

  // Control events.
  void optFlame_Click(int index);
  void cmbVariLine_Click();
  void chkFixField_Click();
  void optWindowTarget_Click(int index);
  void optTimerEnable_Click(int index);
  void optRoll_Click(int index);
  void optReverse_Click(int index);
  void btnEnlarge_Click(int index);
  void chkOutput_Click(int index);
  void chkAutoName_Click();
  void chkOutDialog_Click();
  void chkContOut_Click();
  void btnContOut_Click();
  void btnFile_Click();
  void optWhereStay_Click(int index);
  void optDefaultFileExt_Click(int index);
  void optDrawWidthValue_Click(int index);
  void optFlgRollColor_Click(int index);
  void optFlgReductColor_Click(int index);
  void optFlgEnlargeColor_Click(int index);
  void btnHotKeySetting_Click();
  void btnClose_Click() { CloseDialog(); }
  void txtEnlarge_Change();
  void txtCopyTime_LostFocus();
  void txtEnlarge_LostFocus();
  void txtFFX_LostFocus();
  void txtFFY_LostFocus();
  void txtRoll_LostFocus();

  // Menus.
  void mnuFName_Click();
  void mnuPrinter_Click();
  void mnuRun_Click() { btnStart_Click(); }
  void mnuSaveSetting_Click();
  void mnuSelectOutLineList_Click();
  void mnuClose_Click() { CloseDialog(); }
  void mnuEnd_Click() { QuitApp(); }
  void mnuRestart_Click() { Restart(); }
  void mnuSaveSetting2_Click() { mnuSaveSetting_Click(); }
  void mnuSettingReset_Click() { btnReset_Click(); }
  void mnuVersion_Click() { ShowVersionBox(); }

  // A user's (or the code's) selection of option index of a group: the group's options are
  // set and the Click procedure runs, as a form designer does.
  template <std::size_t N>
  void Select(Control (&group)[N], int index, void (frmSetting::*click)(int)) {
    SetOptions(group, index);
    (this->*click)(index);
  }
  // A check box's value from the user or the code; Click runs when the value changes.
  void SetCheck(Control& box, int value, void (frmSetting::*click)());
  void SetCheck(Control& box, int value, int index, void (frmSetting::*click)(int));
  // A text box's text from the user or the code; Change runs when the text changes.
  void SetText(Control& box, std::string text);

  template <std::size_t N>
  static void SetOptions(Control (&group)[N], int index) {
    for (std::size_t i = 0; i < N; ++i)
      group[i].Value = static_cast<int>(i) == index ? 1 : 0;
  }

 private:
  void CloseDialog();
  void ApplySettings();
  void EndWaiting();
  void Timer1_Timer();
  void SetVariOutLineList();
  void UpdateAutoNameBox();
  void UpdateTypedAngleBox();
  void SelectShapeEntry(int index);
  void ShowFixedSize();
  void ShowOutputBoxes();
  void ValidateFields();
  void UpdateTrayIconInTray();
  // Unregisters the hotkey for the length of a modal dialog or message box, then HotkeyOn; a
  // nested one leaves it to the outermost.
  void WithoutHotkey(const std::function<void()>& modal);

  // The platform's message boxes and common dialogs as the settings dialog shows them: each with
  // the capture hotkey unregistered, so that the hotkey cannot start a capture behind a question.
  class HotkeyFreeUi : public UserInterface {
   public:
    explicit HotkeyFreeUi(frmSetting& dialog) : dialog_(dialog) {}
    MsgAnswer MessageBox(std::string_view text, std::string_view title, MsgButtons buttons,
                         MsgIcon icon) override;
    void Beep() override;
    bool ShowSaveDialog(CommonDialogState& dialog) override;
    bool ShowPrinterDialog(CommonDialogState& dialog) override;

   private:
    frmSetting& dialog_;
  };

  AppShell& shell_;
  AppContext& app_;
  HotkeyFreeUi ui_{*this};
  int hotkeyHeld_ = 0;  // modal dialogs and message boxes open with the hotkey unregistered
};

}  // namespace snapwell
