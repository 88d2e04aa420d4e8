#include "win32/output_dialogs_view_win32.h"

#include <map>
#include <utility>

#include "output/dialog_place.h"
#include "win32/desktop_win32.h"
#include "win32/form_view_win32.h"
#include "win32/text_win32.h"

namespace snapwell::win32 {

// One native dialog window: its controls' view and what its dialog procedure calls.
struct DialogWindow {
  HWND hwnd = nullptr;
  FormView view;
  std::function<void()> sync;      // renders the model
  std::function<void()> activate;  // the form's activation
  std::function<void()> close;     // close box and Escape
  const int* mousePointer = nullptr;
  std::function<void()> afterEvent;
  std::map<const TextBoxControl*, int> focusSeen;
  bool inEvent = false;  // an event procedure runs (its message boxes take the focus away)
  bool activated = false;
};

namespace {

constexpr OwnWindow kNoWindow = OwnWindow::Surface;

// Sizes the window for a client area of the given 96-dpi size and centres it on `area` (system
// pixels); the form's window keeps the outer size and place in twips, as the pointer jump reads them.
void PlaceWindow(DialogWindow& w, FormWindow& form, const ScreenArea& area, int clientWidth96,
                 int clientHeight96) {
  RECT r{0, 0, w.view.Scale(clientWidth96), w.view.Scale(clientHeight96)};
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(w.hwnd, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(w.hwnd, GWL_EXSTYLE)));
  const int twipsPerPixel = TwipsPerPixel();
  form.Width = (r.right - r.left) * twipsPerPixel;
  form.Height = (r.bottom - r.top) * twipsPerPixel;
  form.Left = area.left * twipsPerPixel + (area.Width() * twipsPerPixel - form.Width) / 2;
  form.Top = area.top * twipsPerPixel + (area.Height() * twipsPerPixel - form.Height) / 2;
  SetWindowPos(w.hwnd, nullptr, form.Left / twipsPerPixel, form.Top / twipsPerPixel, r.right - r.left,
               r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Events of a control run as event procedures: a text box's loss of focus caused by a message
// box of another procedure is not the user leaving it.
FormView::Events Click(DialogWindow& w, std::function<void()> click) {
  return FormView::OnClick([&w, click = std::move(click)] {
    w.inEvent = true;
    click();
    w.inEvent = false;
  });
}

FormView::Events Typing(DialogWindow& w, std::function<void()> change, std::function<void()> leave) {
  FormView::Events events;
  if (change) {
    events.change = [&w, change = std::move(change)] {
      w.inEvent = true;
      change();
      w.inEvent = false;
    };
  }
  events.lostFocus = [&w, leave = std::move(leave)] {
    if (w.inEvent) return;
    w.inEvent = true;
    leave();
    w.inEvent = false;
  };
  return events;
}

void SyncFocus(DialogWindow& w, std::initializer_list<const TextBoxControl*> boxes) {
  for (const TextBoxControl* box : boxes) {
    int& seen = w.focusSeen[box];
    if (box->FocusRequests == seen) continue;
    seen = box->FocusRequests;
    if (HWND h = w.view.Handle(*box)) {
      SetFocus(h);
      SendMessageW(h, EM_SETSEL, 0, -1);
    }
  }
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    return TRUE;
  }
  auto* w = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (w == nullptr || w->hwnd == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) {
        w->close();
      } else if (!w->view.Command(wParam, lParam)) {
        return FALSE;
      }
      w->sync();
      if (w->afterEvent) w->afterEvent();
      return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && w->activate) {
        w->activated = true;
        w->activate();
        w->sync();
      }
      return FALSE;
    case WM_CLOSE:
      w->close();
      w->sync();
      if (w->afterEvent) w->afterEvent();
      return TRUE;
    case WM_SETCURSOR:
      if (w->mousePointer != nullptr && LOWORD(lParam) == HTCLIENT) {
        const int pointer = *w->mousePointer;
        if (pointer == kPointerHourglass || pointer == kPointerArrowHourglass) {
          SetCursor(LoadCursorW(nullptr, pointer == kPointerHourglass ? IDC_WAIT : IDC_APPSTARTING));
          SetWindowLongPtrW(hwnd, DWLP_MSGRESULT, TRUE);
          return TRUE;
        }
      }
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace

OutputDialogViews::OutputDialogViews(frmOutDialog& outDialog, frmContOut& contOut, FontChoice font)
    : out_(outDialog), cont_(contOut), font_(std::move(font)) {}

OutputDialogViews::~OutputDialogViews() {
  for (auto* w : {&outWindow_, &contWindow_, &progressWindow_, &retiredProgress_}) {
    if (*w && (*w)->hwnd != nullptr) DestroyWindow((*w)->hwnd);
  }
}

HWND OutputDialogViews::OutDialogWindow() const {
  return outWindow_ ? outWindow_->hwnd : nullptr;
}

HWND OutputDialogViews::ContOutWindow() const {
  if (contWindow_) return contWindow_->hwnd;
  return progressWindow_ ? progressWindow_->hwnd : nullptr;
}

std::unique_ptr<DialogWindow> OutputDialogViews::NewDialog(DWORD exStyle, HWND ownedBy, FormWindow& form,
                                                           const ScreenArea& area, int clientWidth96,
                                                           int clientHeight96) {
  auto w = std::make_unique<DialogWindow>();
  w->hwnd = CreateEmptyDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, exStyle, ownedBy,
                              &DialogProc, reinterpret_cast<LPARAM>(w.get()));
  if (w->hwnd == nullptr) return nullptr;
  w->view.Attach(w->hwnd, font_);
  PlaceWindow(*w, form, area, clientWidth96, clientHeight96);
  return w;
}

std::unique_ptr<DialogWindow> OutputDialogViews::CreateOutDialog() {
  frmOutDialog& f = out_;
  auto w = NewDialog(WS_EX_DLGMODALFRAME, owner, f.window, f.DialogArea(), 380, 188);
  if (!w) return nullptr;
  FormView& v = w->view;
  DialogWindow& dw = *w;
  using K = ControlKind;
  const auto box = [&f, &dw](int i) {
    return Click(dw, [&f, i] { f.SetOutputBox(i, f.chkOutput[i].Value != 0 ? 0 : 1); });
  };
  HWND frame = v.Add(K::Group, f.Frame1, 10, 6, 360, 74);
  v.Add(K::Check, f.chkOutput[0], 22, 26, 120, 20, -1, box(0));
  v.Add(K::Check, f.chkOutput[2], 150, 26, 96, 20, -1, box(2));
  v.Add(K::Button, f.btnPrinter, 252, 23, 108, 25, -1, Click(dw, [&f] { f.btnPrinter_Click(); }));
  v.Add(K::Check, f.chkOutput[1], 22, 52, 120, 20, -1, box(1));
  v.Add(K::Check, f.chkAutoName, 150, 52, 210, 20, -1,
        Click(dw, [&f] { f.SetAutoNameBox(f.chkAutoName.Value != 0 ? 0 : 1); }));
  v.Add(K::Label, f.lblFolder, 10, 94, 80, 18);
  HWND folder = v.Add(K::Edit, f.txtFolderName, 90, 91, 280, 23, -1,
                      Typing(
                          dw, [&f] { f.txtFolderName_Change(); }, [] {}));
  SendMessageW(folder, EM_SETREADONLY, TRUE, 0);
  SetWindowLongPtrW(folder, GWL_STYLE, GetWindowLongPtrW(folder, GWL_STYLE) & ~WS_TABSTOP);
  v.Add(K::Label, f.lblFilename, 10, 124, 80, 18);
  v.Add(K::Edit, f.txtFileName, 90, 121, 196, 23, -1,
        Typing(
            dw, [&f] { f.txtFileName_Change(); }, [&f] { f.txtFileName_LostFocus(); }));
  v.Add(K::Button, f.btnFile, 292, 120, 78, 25, -1, Click(dw, [&f] { f.btnFile_Click(); }));
  v.Add(K::DefaultButton, f.btnStart, 176, 154, 94, 26, -1, Click(dw, [&f] { f.btnStart_Click(); }));
  v.Add(K::Button, f.btnCancel, 276, 154, 94, 26, -1, Click(dw, [&f] { f.btnCancel_Click(); }));
  // The frame stands behind the boxes on it, so it never paints over them.
  SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageW(w->hwnd, DM_SETDEFID, static_cast<WPARAM>(GetDlgCtrlID(v.Handle(f.btnStart))), 0);
  w->mousePointer = &f.MousePointer;
  w->activate = [&f] { f.Form_Activate(); };
  w->close = [&f] { f.CloseByUser(); };
  w->sync = [&f, &dw] {
    dw.view.Sync(0);
    SetWindowTextW(dw.hwnd, Widen(f.window.Caption).c_str());
    SyncFocus(dw, {&f.txtFileName});
  };
  return w;
}

std::unique_ptr<DialogWindow> OutputDialogViews::CreateContOut(bool progress) {
  frmContOut& f = cont_;
  const DWORD exStyle = progress ? WS_EX_TOPMOST | WS_EX_DLGMODALFRAME : WS_EX_DLGMODALFRAME;
  auto w = NewDialog(exStyle, progress ? nullptr : owner, f.window, f.DialogArea(), 300, 188);
  if (!w) return nullptr;
  FormView& v = w->view;
  DialogWindow& dw = *w;
  using K = ControlKind;
  HWND heading = v.Add(K::Label, f.lblCalculated, 210, 8, 84, 18);
  SetWindowLongPtrW(heading, GWL_STYLE, (GetWindowLongPtrW(heading, GWL_STYLE) & ~SS_TYPEMASK) | SS_CENTER);
  Control* labels[] = {&f.lblStartAng, &f.lblEndAng, &f.lblStepAng, &f.lblOutputNum};
  TextBoxControl* boxes[] = {&f.txtStartAng, &f.txtEndAng, &f.txtStepAng, &f.txtOutputNumber};
  void (frmContOut::*leave[])() = {&frmContOut::txtStartAng_LostFocus, &frmContOut::txtEndAng_LostFocus,
                                   &frmContOut::txtStepAng_LostFocus, &frmContOut::txtOutputNumber_LostFocus};
  for (int i = 0; i < 4; ++i) {
    const int y = 30 + 28 * i;
    v.Add(K::Label, *labels[i], 12, y + 3, 124, 18);
    v.Add(K::Edit, *boxes[i], 140, y, 80, 23, -1, Typing(dw, nullptr, [&f, m = leave[i]] { (f.*m)(); }));
    v.Add(K::Option, f.optFix[i], 243, y + 2, 18, 20, -1, Click(dw, [&f, i] { f.SelectOption(i); }));
  }
  v.Add(K::DefaultButton, f.btnRun, 36, 148, 110, 30, -1, Click(dw, [&f] { f.btnRun_Click(); }));
  v.Add(K::Button, f.btnCancel, 154, 148, 110, 30, -1, Click(dw, [&f] { f.btnCancel_Click(); }));
  HWND run = v.Handle(f.btnRun);
  SetWindowLongPtrW(run, GWL_STYLE, GetWindowLongPtrW(run, GWL_STYLE) | BS_MULTILINE);
  SendMessageW(w->hwnd, DM_SETDEFID, static_cast<WPARAM>(GetDlgCtrlID(run)), 0);
  w->mousePointer = &f.MousePointer;
  w->activate = [&f] { f.Form_Activate(); };
  w->close = [&f] { f.CloseByUser(); };
  w->sync = [&f, &dw] {
    dw.view.Sync(0);
    SetWindowTextW(dw.hwnd, Widen(f.window.Caption).c_str());
    SyncFocus(dw, {&f.txtStartAng, &f.txtEndAng, &f.txtStepAng, &f.txtOutputNumber});
    if (!f.window.Loaded) ShowWindow(dw.hwnd, SW_HIDE);
  };
  return w;
}

void OutputDialogViews::RunLoop(DialogWindow& w, ModalForm& form) {
  w.afterEvent = afterEvent;
  w.sync();
  HWND disabled = owner != nullptr && IsWindowEnabled(owner) ? owner : nullptr;
  if (disabled != nullptr) EnableWindow(disabled, FALSE);
  // Over a topmost capture surface the dialog must stand topmost too, or it would be hidden.
  if (desktop != nullptr && desktop->IsTopmost(OwnWindow::Surface))
    SetWindowPos(w.hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  HWND previousOwner = messageOwner != nullptr ? *messageOwner : nullptr;
  if (messageOwner != nullptr) *messageOwner = w.hwnd;
  ShowWindow(w.hwnd, SW_SHOW);
  SetForegroundWindow(w.hwnd);
  // Where the window manager hands out the activation late (or not at all, the program not
  // being in the foreground), the form's activation still runs as the dialog comes up.
  if (!w.activated && w.activate) {
    w.activated = true;
    w.activate();
    w.sync();
  }
  if (onModalShown) {
    onModalShown(w.hwnd);
    w.sync();
  }
  MSG msg;
  while (form.IsOpen() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(w.hwnd, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  if (messageOwner != nullptr) *messageOwner = previousOwner;
  if (disabled != nullptr) EnableWindow(disabled, TRUE);
  ShowWindow(w.hwnd, SW_HIDE);
  NoteWindowLeftScreen();
}

bool OutputDialogViews::RunModal(ModalForm& form) {
  std::unique_ptr<DialogWindow>* slot = nullptr;
  OwnWindow which = kNoWindow;
  if (&form == &out_) {
    slot = &outWindow_;
    which = OwnWindow::OutDialog;
  } else if (&form == &cont_) {
    RetireProgress();  // the model has unloaded a progress window left over for the dialog
    slot = &contWindow_;
    which = OwnWindow::ContOut;
  } else {
    return false;
  }
  if (*slot && (*slot)->hwnd != nullptr) DestroyWindow((*slot)->hwnd);
  *slot = &form == &out_ ? CreateOutDialog() : CreateContOut(false);
  if (!*slot) {
    form.CloseByUser();
    return true;
  }
  if (desktop != nullptr) desktop->Register(which, (*slot)->hwnd);
  RunLoop(**slot, form);
  if (desktop != nullptr) desktop->Register(which, nullptr);
  DestroyWindow((*slot)->hwnd);
  slot->reset();
  if (owner != nullptr && IsWindowVisible(owner)) SetActiveWindow(owner);
  return true;
}

void OutputDialogViews::ShowSeriesProgress(const std::string& text) {
  cont_.ShowProgress(text);
  RetireProgress();
  progressWindow_ = CreateContOut(true);
  if (!progressWindow_) return;
  progressWindow_->afterEvent = afterEvent;
  if (desktop != nullptr) desktop->Register(OwnWindow::ContOut, progressWindow_->hwnd);
  progressWindow_->sync();
  SetWindowPos(progressWindow_->hwnd, HWND_TOPMOST, 0, 0, 1, 1,
               SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
}

void OutputDialogViews::SetProgressText(const std::string& text) {
  cont_.SetProgressText(text);
  SyncProgress();
}

void OutputDialogViews::UnloadProgress() {
  cont_.Unload();
  SyncProgress();
}

void OutputDialogViews::SyncProgress() {
  if (!progressWindow_ || progressWindow_->hwnd == nullptr) return;
  if (cont_.window.Loaded && cont_.progressMode) {
    progressWindow_->sync();
    UpdateWindow(progressWindow_->hwnd);
    return;
  }
  RetireProgress();
}

void OutputDialogViews::RetireProgress() {
  if (retiredProgress_ && retiredProgress_->hwnd != nullptr) DestroyWindow(retiredProgress_->hwnd);
  retiredProgress_.reset();
  if (!progressWindow_) return;
  if (desktop != nullptr) desktop->Register(OwnWindow::ContOut, nullptr);
  if (progressWindow_->hwnd != nullptr) ShowWindow(progressWindow_->hwnd, SW_HIDE);
  retiredProgress_ = std::move(progressWindow_);
}

}  // namespace snapwell::win32
