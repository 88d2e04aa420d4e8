// Modal interaction with the user: message boxes (and, later, dialogs) go through here so
// that the core decides and tests can script the answers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace snapwell {

enum class MsgButtons : std::uint8_t { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgIcon : std::uint8_t { None, Exclamation, Question, Information, Critical };
enum class MsgAnswer : std::uint8_t { Ok, Cancel, Yes, No, Retry };

// The common-dialog control `CommonDialog1`: one per run, shared by the Save dialog and the
// print set-up, keeping its filter, filter index, flags and copies between uses.
struct CommonDialogState {
  std::string DialogTitle;  // title of the Save dialog
  std::string Filter;       // "Text|*.ext|Text|*.ext..." as BuildFileFilter makes it
  int FilterIndex = 0;      // 1-based entry of Filter the user left selected; 0 before any use
  std::string DefaultExt;   // ".png": added by the dialog when the typed name has none
  std::string FileName;     // initial name in, chosen name out
  long Flags = 0;           // Save dialog: OFN_* bits; print set-up: PD_* bits
  int Copies = 1;           // print set-up: copies in and out
};

class UserInterface {
 public:
  virtual ~UserInterface() = default;
  virtual MsgAnswer MessageBox(std::string_view text, std::string_view title, MsgButtons buttons,
                               MsgIcon icon) = 0;
  virtual void Beep() = 0;
  // Shows the Save dialog as `dialog` describes it; on OK stores the chosen name and filter
  // index in it and answers true. Cancel answers false and changes nothing. The process's
  // current folder is left as it was.
  virtual bool ShowSaveDialog(CommonDialogState& dialog) = 0;
  // Shows the print set-up with `dialog.Flags` and `dialog.Copies`; on OK stores the copies.
  virtual bool ShowPrinterDialog(CommonDialogState& dialog) = 0;
};

}  // namespace snapwell
