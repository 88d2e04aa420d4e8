// The native windows of the output dialogs: the output target dialog and the series dialog as
// modal dialogs, and the series dialog's second life as the topmost progress window. Laid out in
// 96-dpi pixels scaled to the system DPI, with the dialog font of the string table.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "output/frm_cont_out.h"
#include "output/frm_out_dialog.h"
#include "platform/shell.h"
#include "text/fonts.h"

namespace snapwell::win32 {

class Win32Desktop;
struct DialogWindow;

class OutputDialogViews {
 public:
  OutputDialogViews(frmOutDialog& outDialog, frmContOut& contOut, FontChoice font);
  ~OutputDialogViews();
  OutputDialogViews(const OutputDialogViews&) = delete;
  OutputDialogViews& operator=(const OutputDialogViews&) = delete;

  // Runs the modal window of one of the two forms until the form closes; false (nothing done)
  // for any other form. Plug it in front of the shell's own modal runner.
  bool RunModal(ModalForm& form);

  // The progress window of a running series, as the transform and the capture timer drive it.
  void ShowSeriesProgress(const std::string& text);
  void SetProgressText(const std::string& text);
  void UnloadProgress();
  // Renders the progress window after the model changed (and removes it once unloaded).
  void SyncProgress();

  // The window the modal dialogs are owned by (the settings dialog), when there is one.
  HWND owner = nullptr;
  // The owner the platform gives message boxes and common dialogs (Win32UserInterface::owner):
  // while a dialog is up it owns them, so they stand over it and it takes no clicks meanwhile.
  HWND* messageOwner = nullptr;
  // Where the windows are registered for the placements the capture asks for; optional.
  Win32Desktop* desktop = nullptr;
  // Runs after each event of these windows, so the composition can render its other windows.
  std::function<void()> afterEvent;

  // For tests: the window shown now (the modal dialog or the progress window), or nullptr.
  HWND OutDialogWindow() const;
  HWND ContOutWindow() const;
  // For tests: called once a modal window is up, instead of waiting for the user; it may act on
  // the model and must leave the form closed.
  std::function<void(HWND window)> onModalShown;

 private:
  // An empty dialog window owned by `ownedBy`, sized for the given client area and centred,
  // its form window told the place.
  std::unique_ptr<DialogWindow> NewDialog(DWORD exStyle, HWND ownedBy, FormWindow& form,
                                          const ScreenArea& area, int clientWidth96, int clientHeight96);
  std::unique_ptr<DialogWindow> CreateOutDialog();
  std::unique_ptr<DialogWindow> CreateContOut(bool progress);
  void RunLoop(DialogWindow& window, ModalForm& form);
  // Hides the progress window and keeps it until the next one: its own Cancel may be what ended
  // it, and its dialog procedure is still running then.
  void RetireProgress();

  frmOutDialog& out_;
  frmContOut& cont_;
  FontChoice font_;
  std::unique_ptr<DialogWindow> outWindow_;
  std::unique_ptr<DialogWindow> contWindow_;      // the modal series dialog
  std::unique_ptr<DialogWindow> progressWindow_;  // the same form as the series' progress window
  std::unique_ptr<DialogWindow> retiredProgress_;
};

}  // namespace snapwell::win32
