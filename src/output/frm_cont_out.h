// The series dialog `frmContOut`: start angle, end angle, step angle and number of outputs of a
// continuous rotation series, one of them worked out from the other three. While a series runs
// without the output target dialog the same window is shown again as the topmost progress
// window, whose Cancel ends the series. A model: the Win32 view renders it.
#pragma once

#include <string>

#include "output/frm_out_dialog.h"
#include "output/output_context.h"
#include "output/series.h"
#include "platform/form_controls.h"

namespace snapwell {

inline constexpr int kContOutWidth = 4680;
inline constexpr int kContOutHeight = 3300;
// Where the pointer lands on the OK button, from its top-left corner in the window.
inline constexpr int kRunJumpX = 51;
inline constexpr int kRunJumpY = 38;

class frmContOut : public ModalForm {
 public:
  explicit frmContOut(const OutputContext& context);
  // Where the dialog stands: the middle of this area (system pixels).
  ScreenArea DialogArea() const { return DialogAreaOf(c_); }

  FormWindow window;
  int MousePointer = kPointerDefault;
  Control btnRun, btnCancel, lblCalculated, lblStartAng, lblEndAng, lblStepAng, lblOutputNum;
  TextBoxControl txtStartAng, txtEndAng, txtStepAng, txtOutputNumber;
  Control optFix[4];
  // True while the window serves as the progress window of a running series.
  bool progressMode = false;
  // Bumped each time the window asks to stand above all other windows.
  int TopmostRequests = 0;

  // Shown modally (by the cut-out step or the settings dialog's series button). True when
  // left with OK: the angles are stored and seriesCancel is cleared; otherwise seriesCancel is set.
  bool ShowModalDialog();
  // The progress window: loaded again, inputs disabled but Cancel, shown topmost with `text`
  // in its number box.
  void ShowProgress(const std::string& text);
  // The number box of the progress window; nothing when the window is not loaded.
  void SetProgressText(const std::string& text);
  void Unload();

  void Form_Load();
  void Form_Activate();
  void optFix_Click(int index);
  void txtStartAng_LostFocus();
  void txtEndAng_LostFocus();
  void txtStepAng_LostFocus();
  void txtOutputNumber_LostFocus();
  void btnRun_Click();
  void btnCancel_Click();
  // A user's (or the code's) choice of option button: the group follows and Click runs.
  void SelectOption(int index);
  void Recalculate();

  const SeriesDialogState& State() const { return state_; }
  bool IsOpen() const override { return window.Loaded && window.Visible; }
  void CloseByUser() override { btnCancel_Click(); }

 private:
  void SetCaptions();
  void ShowState();

  OutputContext c_;
  SeriesDialogState state_;
  bool confirmed_ = false;
};

}  // namespace snapwell
