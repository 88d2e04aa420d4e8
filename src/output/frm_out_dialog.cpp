#include "output/frm_out_dialog.h"

#include <optional>

#include "output/dialog_place.h"
#include "output/naming.h"
#include "output/print_image.h"
#include "output/save_dialog.h"

namespace snapwell {

frmOutDialog::frmOutDialog(const OutputContext& context) : c_(context) {
  window.Width = kOutDialogWidth;
  window.Height = kOutDialogHeight;
}

void frmOutDialog::Load() {
  if (!window.Loaded) Form_Load();
}

bool frmOutDialog::ShowForOutput() {
  Load();
  outputConfirmed = false;
  setUpPending_ = true;
  window.Visible = true;
  c_.platform.shell.ShowModal(*this);
  // However the dialog went away, the next showing starts afresh.
  setUpPending_ = false;
  if (window.Loaded) Unload();
  return outputConfirmed;
}

void frmOutDialog::SetCaptions() {
  const Texts& t = c_.texts;
  const auto set = [&](Control& c, int id) { c.Caption = std::string(t(id)); };
  window.Caption = std::string(t(172));
  set(Frame1, 175);
  set(chkOutput[0], 176);
  set(chkOutput[1], 179);
  set(chkOutput[2], 177);
  set(btnPrinter, 178);
  set(chkAutoName, 180);
  set(lblFolder, 181);
  set(lblFilename, 182);
  set(btnFile, 183);
  set(btnStart, 173);
  set(btnCancel, 174);
}

void frmOutDialog::Form_Load() {
  window.Loaded = true;
  window.Visible = false;
  window.Enabled = true;
  SetCaptions();
  CentreOnArea(window, DialogArea(), c_.platform.screen);
  MousePointer = kPointerDefault;
  // The folder box is never typed into: the view makes it read-only and its change handler
  // undoes anything else.
  txtFolderName.TabStop = false;
  UpdateFileControls();
  ShowName(c_.FileName.Folder(), c_.FileName.FileName());
}

void frmOutDialog::Unload() {
  window.Loaded = false;
  window.Visible = false;
}

std::string frmOutDialog::CounterText() const {
  if (c_.seriesIndex < 1) return {};
  return " " + std::to_string(c_.seriesIndex) + "/" + std::to_string(c_.seriesTotal);
}

void frmOutDialog::ShowName(const std::string& folder, const std::string& fileName) {
  SetText(txtFolderName, folder);
  SetText(txtFileName, fileName);
}

// The set-up runs once for each showing before an output; later activations (after a message
// box or the Save dialog) leave the user's choices alone.
void frmOutDialog::Form_Activate() {
  if (!setUpPending_) return;
  setUpPending_ = false;
  window.Caption = std::string(c_.texts(172)) + CounterText();
  window.Enabled = true;
  const std::int16_t autoName = c_.AutoName;
  const std::int16_t outputs = c_.Outputs;
  outputConfirmed = false;
  for (int i = 0; i < 3; ++i)
    SetOutputBox(i, (outputs >> i) & 1);
  chkOutput_Click(1);
  // The auto-renewal box shows the setting only while the file box is ticked; the setting
  // itself is kept either way.
  SetAutoNameBox(chkOutput[1].Value != 0 ? (autoName == 1 ? 1 : 0) : 0);
  c_.AutoName = autoName;
  UpdateFileControls();

  CommonDialogState& dialog = c_.CommonDialog1;
  CFileName& name = c_.FileName;
  if (name.Path().empty()) {
    name.SetPath(dialog.FileName);
  } else {
    dialog.FileName = name.Folder() + name.Body();
  }
  // A name without a folder is shown in the folder it will be written to: the user's Pictures.
  if (name.Folder().empty()) name.SetFolder(c_.platform.files.PicturesFolder());
  const CFileName work = NameToShow(true);
  ShowName(work.Folder(), work.FileName());

  // The pointer onto the output button: window in twips, button in the window's pixels.
  const Screen& screen = c_.platform.screen;
  c_.platform.shell.SetCursorPos(window.Left / screen.TwipsPerPixelX() + btnStart.Left + kOutputJumpX,
                                 window.Top / screen.TwipsPerPixelY() + btnStart.Top + kOutputJumpY);
}

void frmOutDialog::btnStart_Click() {
  UserInterface& ui = c_.platform.ui;
  const Texts& t = c_.texts;
  const CFileName work = CompleteExtension(c_.FileName, true, c_.CommonDialog1.FilterIndex, c_.DefaultExt);
  if (!CheckOutputTarget(c_.Outputs, ui, t)) return;
  if ((c_.Outputs & 2) != 0) {
    int problem = 0;
    if (txtFileName.Caption.empty()) {
      problem = 129;
    } else if (work.Body().empty()) {
      problem = 139;
    }
    if (problem != 0) {
      ui.MessageBox(t(problem), t(120), MsgButtons::Ok, MsgIcon::Exclamation);
      ++txtFileName.FocusRequests;
      return;
    }
    // A name the box still refuses would be written under the last good one: say so instead.
    if (CheckFileName()) {
      ++txtFileName.FocusRequests;
      return;
    }
  }
  outputConfirmed = true;
  MousePointer = kPointerHourglass;
  window.Caption = std::string(t(141)) + CounterText();
  Unload();
}

// Stop: nothing is output; in a series the whole series ends, so Stop is never needed once
// per picture.
void frmOutDialog::btnCancel_Click() {
  if (c_.seriesIndex >= 1) c_.seriesCancel = true;
  Unload();
}

void frmOutDialog::btnFile_Click() {
  CFileName& name = c_.FileName;
  // A cancelled dialog leaves the name as it was.
  if (!AskForOutputName(c_.CommonDialog1, name, c_.DefaultExt, c_.texts, c_.platform.ui)) return;
  const CFileName work = NameToShow(false);
  // The folder box follows the stored name; the chosen folder is stored with it.
  name.SetFolder(work.Folder());
  ShowName(work.Folder(), work.FileName());
}

CFileName frmOutDialog::NameToShow(bool forceExtension) {
  CFileName& name = c_.FileName;
  CFileName work = CompleteExtension(name, forceExtension, c_.CommonDialog1.FilterIndex, c_.DefaultExt);
  if (c_.AutoName == 1) {
    const std::optional<CFileName> numbered =
        AutosetFileName(work, c_.platform.files, c_.platform.ui, c_.texts);
    if (numbered) {
      work = *numbered;
      name.SetBody(work.Body());
    }
  }
  return work;
}

void frmOutDialog::btnPrinter_Click() {
  c_.CommonDialog1.Copies = c_.PrintCopies;
  PrinterSetup(c_.CommonDialog1, c_.PrintCopies, c_.platform.ui);
}

void frmOutDialog::SetOutputBox(int index, int value) {
  Control& box = chkOutput[index];
  if (box.Value == value) return;
  box.Value = value;
  chkOutput_Click(index);
}

void frmOutDialog::SetAutoNameBox(int value) {
  if (chkAutoName.Value == value) return;
  chkAutoName.Value = value;
  chkAutoName_Click();
}

void frmOutDialog::SetText(TextBoxControl& box, std::string text) {
  if (box.Caption == text) return;
  box.Caption = std::move(text);
  if (&box == &txtFileName) txtFileName_Change();
  if (&box == &txtFolderName) txtFolderName_Change();
}

// The printer box brings the clipboard box with it, ticked and greyed, as in the settings dialog.
void frmOutDialog::chkOutput_Click(int /*index*/) {
  if (chkOutput[2].Value != 0) {
    SetOutputBox(0, 1);
    chkOutput[0].Enabled = false;
  } else {
    chkOutput[0].Enabled = true;
  }
  if (chkOutput[1].Value == 0) SetAutoNameBox(0);
  c_.Outputs =
      static_cast<std::int16_t>(chkOutput[0].Value + 2 * chkOutput[1].Value + 4 * chkOutput[2].Value);
  UpdateFileControls();
}

void frmOutDialog::chkAutoName_Click() {
  c_.AutoName = static_cast<std::int16_t>(chkAutoName.Value);
}

bool frmOutDialog::CheckFileName() {
  return snapwell::CheckFileName(txtFileName.Caption, c_.platform.ui, c_.texts);
}

void frmOutDialog::txtFileName_Change() {
  if (!CheckFileName()) c_.FileName.SetFileName(txtFileName.Caption);
}

void frmOutDialog::txtFileName_LostFocus() {
  if (CheckFileName()) ++txtFileName.FocusRequests;
}

void frmOutDialog::txtFolderName_Change() {
  const std::string folder = c_.FileName.Folder();
  if (txtFolderName.Caption != folder) txtFolderName.Caption = folder;
}

void frmOutDialog::UpdateFileControls() {
  const bool file = chkOutput[1].Value != 0;
  chkAutoName.Enabled = file;
  btnFile.Enabled = file;
  txtFolderName.Enabled = file;
  txtFileName.Enabled = file;
  txtFolderName.BackColor = kButtonFaceColour;
  txtFileName.BackColor = file ? kWindowColour : kButtonFaceColour;
}

}  // namespace snapwell
