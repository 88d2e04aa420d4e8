// The output target dialog `frmOutDialog`: just before a picture is output the user confirms
// where it goes (clipboard, file, printer) and under which name; its Browse and printer buttons
// open the shared common dialog. A model: the Win32 view renders its controls and forwards the
// user's actions.
#pragma once

#include <cstdint>
#include <string>

#include "output/dialog_place.h"
#include "output/file_name.h"
#include "output/output_context.h"
#include "platform/form_controls.h"

namespace snapwell {

// System colours as a form keeps them.
inline constexpr std::uint32_t kButtonFaceColour = 0x8000000F;
inline constexpr std::uint32_t kWindowColour = 0x80000005;

// Mouse pointers of a form: default, hourglass, arrow with hourglass.
inline constexpr int kPointerDefault = 0;
inline constexpr int kPointerHourglass = 11;
inline constexpr int kPointerArrowHourglass = 13;

// A text box: its background colour and the requests for the keyboard focus.
struct TextBoxControl : Control {
  std::uint32_t BackColor = kWindowColour;
  int FocusRequests = 0;  // bumped each time the form puts the focus into this box
};

// Size of the dialog in twips (the view lays it out in pixels of the system DPI).
inline constexpr int kOutDialogWidth = 5880;
inline constexpr int kOutDialogHeight = 3360;
// Where the pointer lands on the output button, from its top-left corner in the window.
inline constexpr int kOutputJumpX = 26;
inline constexpr int kOutputJumpY = 38;

class frmOutDialog : public ModalForm {
 public:
  explicit frmOutDialog(const OutputContext& context);
  // Where the dialog stands: the middle of this area (system pixels).
  ScreenArea DialogArea() const { return DialogAreaOf(c_); }

  FormWindow window;
  int MousePointer = kPointerDefault;
  Control Frame1, chkOutput[3], btnPrinter, chkAutoName, lblFolder, lblFilename, btnFile, btnStart, btnCancel;
  TextBoxControl txtFolderName, txtFileName;
  // True only after the output button closed the dialog.
  bool outputConfirmed = false;

  // Loads the window without showing it (for the shared common dialog); nothing when loaded.
  void Load();
  // Shown modally before an output: the boxes are set up from the settings on its activation.
  // True when the user started the output.
  bool ShowForOutput();

  void Form_Load();
  void Form_Activate();
  void btnStart_Click();
  void btnCancel_Click();
  void btnFile_Click();
  void btnPrinter_Click();
  void chkOutput_Click(int index);
  void chkAutoName_Click();
  void txtFileName_Change();
  void txtFileName_LostFocus();
  void txtFolderName_Change();

  // A check box's value from the user or the code; Click runs when the value changes.
  void SetOutputBox(int index, int value);
  void SetAutoNameBox(int value);
  // A text box's text from the user or the code; Change runs when the text changes.
  void SetText(TextBoxControl& box, std::string text);

  bool IsOpen() const override { return window.Loaded && window.Visible; }
  void CloseByUser() override { btnCancel_Click(); }
  void Unload();

 private:
  void SetCaptions();
  void UpdateFileControls();
  bool CheckFileName();
  std::string CounterText() const;
  void ShowName(const std::string& folder, const std::string& fileName);
  // The stored name completed with its extension (forced or as the Save dialog's type says) and,
  // with automatic numbering, numbered; the stored name takes the numbered body.
  CFileName NameToShow(bool forceExtension);

  OutputContext c_;
  bool setUpPending_ = false;  // the next activation prepares the dialog for an output
};

}  // namespace snapwell
