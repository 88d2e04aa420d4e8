#include "output/frm_cont_out.h"

#include "output/dialog_place.h"
#include "text/number_text.h"

namespace snapwell {

frmContOut::frmContOut(const OutputContext& context) : c_(context) {
  window.Width = kContOutWidth;
  window.Height = kContOutHeight;
}

bool frmContOut::ShowModalDialog() {
  if (window.Loaded) Unload();  // a progress window left over gives way to the dialog
  Form_Load();
  confirmed_ = false;
  window.Visible = true;
  c_.platform.shell.ShowModal(*this);
  if (window.Loaded) Unload();
  return confirmed_;
}

void frmContOut::ShowProgress(const std::string& text) {
  if (window.Loaded) Unload();
  Form_Load();
  progressMode = true;
  txtOutputNumber.Caption = text;
  for (TextBoxControl* box : {&txtStartAng, &txtEndAng, &txtStepAng, &txtOutputNumber})
    box->Enabled = false;
  btnRun.Caption = std::string(c_.texts(121));
  btnRun.Enabled = false;
  for (Control& option : optFix)
    option.Enabled = false;
  MousePointer = kPointerArrowHourglass;
  window.Visible = true;
  ++TopmostRequests;
}

void frmContOut::SetProgressText(const std::string& text) {
  if (window.Loaded) txtOutputNumber.Caption = text;
}

void frmContOut::Unload() {
  window.Loaded = false;
  window.Visible = false;
  progressMode = false;
}

void frmContOut::SetCaptions() {
  const Texts& t = c_.texts;
  const auto set = [&](Control& c, int id) { c.Caption = std::string(t(id)); };
  window.Caption = std::string(t(156));
  set(btnRun, 157);
  set(btnCancel, 158);
  set(lblCalculated, 159);
  set(lblStartAng, 160);
  set(lblEndAng, 161);
  set(lblStepAng, 162);
  set(lblOutputNum, 163);
  // The option buttons stand in the "Calculate" column beside the labels: no text of their own.
  for (Control& option : optFix)
    option.Caption.clear();
}

void frmContOut::Form_Load() {
  window.Loaded = true;
  window.Visible = false;
  window.Enabled = true;
  progressMode = false;
  SetCaptions();
  CentreOnArea(window, DialogArea(), c_.platform.screen);
  MousePointer = kPointerDefault;
  for (TextBoxControl* box : {&txtStartAng, &txtEndAng, &txtStepAng, &txtOutputNumber})
    box->Enabled = true;
  btnRun.Enabled = true;
  for (Control& option : optFix)
    option.Enabled = true;
  state_ = LoadSeriesDialog(c_.StartAng, c_.EndAng, c_.StepAng, c_.ContOutCulc);
  ShowState();
  // The option of the calculated value shows as chosen, matching the greyed box.
  SelectOption(state_.calculated);
}

void frmContOut::Form_Activate() {
  if (progressMode) return;  // the progress window never takes the pointer
  const Screen& screen = c_.platform.screen;
  c_.platform.shell.SetCursorPos(window.Left / screen.TwipsPerPixelX() + btnRun.Left + kRunJumpX,
                                 window.Top / screen.TwipsPerPixelY() + btnRun.Top + kRunJumpY);
}

void frmContOut::ShowState() {
  txtStartAng.Caption = GeneralNumber(state_.start);
  txtEndAng.Caption = GeneralNumber(state_.end);
  txtStepAng.Caption = GeneralNumber(state_.step);
  txtOutputNumber.Caption = std::to_string(state_.number);
}

void frmContOut::SelectOption(int index) {
  if (index < 0 || index > 3) index = 3;
  for (int i = 0; i < 4; ++i)
    optFix[i].Value = i == index ? 1 : 0;
  optFix_Click(index);
}

void frmContOut::optFix_Click(int index) {
  c_.ContOutCulc = static_cast<std::int16_t>(index);
  state_.calculated = static_cast<std::int16_t>(index);
  TextBoxControl* boxes[4] = {&txtStartAng, &txtEndAng, &txtStepAng, &txtOutputNumber};
  for (int i = 0; i < 4; ++i)
    boxes[i]->Enabled = i != index;
}

void frmContOut::txtStartAng_LostFocus() {
  LeaveStartBox(state_, ReadLeadingNumber(txtStartAng.Caption));
  ShowState();
}

void frmContOut::txtEndAng_LostFocus() {
  LeaveEndBox(state_, ReadLeadingNumber(txtEndAng.Caption));
  ShowState();
}

void frmContOut::txtStepAng_LostFocus() {
  LeaveStepBox(state_, ReadLeadingNumber(txtStepAng.Caption));
  ShowState();
}

void frmContOut::txtOutputNumber_LostFocus() {
  LeaveNumberBox(state_, ReadLeadingNumber(txtOutputNumber.Caption));
  ShowState();
}

void frmContOut::Recalculate() {
  snapwell::Recalculate(state_);
  ShowState();
}

void frmContOut::btnRun_Click() {
  if (progressMode) return;
  c_.seriesCancel = false;
  c_.StartAng = state_.start;
  c_.EndAng = state_.end;
  c_.StepAng = state_.step;
  MousePointer = kPointerHourglass;
  confirmed_ = true;
  Unload();
}

void frmContOut::btnCancel_Click() {
  c_.seriesCancel = true;
  confirmed_ = false;
  Unload();
}

}  // namespace snapwell
