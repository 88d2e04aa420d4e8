// The hotkey dialog's native window: a modal dialog over the settings dialog whose key presses
// go to the model as hotkey candidates before the dialog's own keys.
#include "win32/setting_view_win32.h"
#include "win32/text_win32.h"

namespace snapwell::win32 {
namespace {

int KeyState() {
  return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
         (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

// The hotkey dialog's window: its view and its model, for the dialog procedure.
struct HotkeyWindow {
  frmHotKeySetting* form;
  FormView* view;
  std::function<void()> sync;
};

INT_PTR CALLBACK HotkeyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    return TRUE;
  }
  auto* window = reinterpret_cast<HotkeyWindow*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (window == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) {
        window->form->btnCancel_Click();
      } else {
        window->view->Command(wParam, lParam);
      }
      window->sync();
      return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) PointAtCentre(window->view->Handle(window->form->btnOK));
      return FALSE;
    case WM_CLOSE:
      window->form->CloseByUser();
      window->sync();
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void ShellViews::RunHotkeyDialog(ModalForm& modal) {
  frmHotKeySetting& form = shell_.hotkeyDialog;
  if (&modal != &form) {
    modal.CloseByUser();
    return;
  }
  FormView view;
  HotkeyWindow window{&form, &view, {}};
  HWND hwnd = CreateEmptyDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME,
                                dialog_, &HotkeyProc, reinterpret_cast<LPARAM>(&window));
  if (hwnd == nullptr) {
    form.CloseByUser();
    return;
  }
  view.Attach(hwnd, shell_.DialogFont);
  const SIZE outer = OuterSize(hwnd, view.Scale(320), view.Scale(150), false);
  SetWindowPos(hwnd, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CentreOnScreen(hwnd);
  using K = ControlKind;
  view.Add(K::Label, form.Label1, 14, 12, 292, 46);
  view.Add(K::Label, form.Label2, 14, 62, 292, 18);
  view.Add(K::Label, form.Label3, 14, 88, 80, 18);
  view.Add(K::Label, form.lblHotKey, 96, 88, 210, 18);
  view.Add(K::DefaultButton, form.btnOK, 70, 114, 86, 26, -1,
           FormView::OnClick([&form] { form.btnOK_Click(); }));
  view.Add(K::Button, form.btnCancel, 164, 114, 86, 26, -1,
           FormView::OnClick([&form] { form.btnCancel_Click(); }));
  SendMessageW(hwnd, DM_SETDEFID, static_cast<WPARAM>(GetDlgCtrlID(view.Handle(form.btnOK))), 0);
  window.sync = [&] {
    view.Sync(0);
    SetWindowTextW(hwnd, Widen(form.window.Caption).c_str());
  };
  window.sync();
  if (dialog_ != nullptr) EnableWindow(dialog_, FALSE);
  ShowWindow(hwnd, SW_SHOW);
  Activated(hwnd);  // the settings dialog's activation runs again when it is back on top
  SetForegroundWindow(hwnd);
  SetFocus(view.Handle(form.btnOK));
  MSG msg;
  while (form.IsOpen() && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    const bool ours = msg.hwnd == hwnd || IsChild(hwnd, msg.hwnd);
    if (ours && (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)) {
      form.KeyDown(static_cast<int>(msg.wParam), KeyState());
      window.sync();
      // Alt combinations are hotkey candidates, not menu or mnemonic keys (Alt+F4 still closes).
      if (msg.message == WM_SYSKEYDOWN && msg.wParam != VK_F4) continue;
    }
    if (!IsDialogMessageW(hwnd, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    SyncAll();
  }
  if (dialog_ != nullptr) EnableWindow(dialog_, TRUE);
  DestroyWindow(hwnd);
  if (dialog_ != nullptr && form_.window.Visible) SetActiveWindow(dialog_);
}

}  // namespace snapwell::win32
