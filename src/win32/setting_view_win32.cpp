// The settings dialog's window procedure, the helper window and the one rendering pass of the
// shell's forms. The layout is in setting_layout_win32.cpp, the menu bar in
// setting_menu_win32.cpp, the hotkey dialog in hotkey_view_win32.cpp.
#include "win32/setting_view_win32.h"

#include <commctrl.h>

#include "win32/desktop_win32.h"
#include "win32/text_win32.h"

namespace snapwell::win32 {

ShellViews::ShellViews(AppShell& shell, Win32Shell& desktop, HICON icon)
    : shell_(shell), form_(shell.setting), desktop_(desktop), icon_(icon) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW trayClass{};
  trayClass.cbSize = sizeof trayClass;
  trayClass.lpfnWndProc = DefWindowProcW;
  trayClass.hInstance = instance;
  trayClass.hIcon = icon;
  trayClass.lpszClassName = L"SnapwellTray";
  RegisterClassExW(&trayClass);
  tray_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"SnapwellTray", L"Snapwell", WS_POPUP, 0, 0, 1, 1, nullptr,
                          nullptr, instance, nullptr);
  desktop_.trayWindow = tray_;
  desktop_.icon = icon;
  desktop_.trayProcedure = [this](UINT message, WPARAM wParam, LPARAM lParam) {
    shell_.tray.TrayWindowProc(message, wParam, lParam);
    if (message == kTrayCallbackMessage || message == kHotkeyMessage) SyncAll();
  };
  desktop_.runModal = [this](ModalForm& form) { RunHotkeyDialog(form); };

  WNDCLASSEXW helperClass{};
  helperClass.cbSize = sizeof helperClass;
  helperClass.lpfnWndProc = &ShellViews::HelperProc;
  helperClass.hInstance = instance;
  helperClass.lpszClassName = L"SnapwellHelper";
  RegisterClassExW(&helperClass);
}

ShellViews::~ShellViews() {
  if (dialog_ != nullptr) DestroyWindow(dialog_);
  if (helper_ != nullptr) DestroyWindow(helper_);
  if (tray_ != nullptr) DestroyWindow(tray_);
}

void ShellViews::CreateForms() {
  helper_ = CreateWindowExW(WS_EX_TOOLWINDOW, L"SnapwellHelper", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
  SetWindowLongPtrW(helper_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  dialog_ = CreateEmptyDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
                              WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, nullptr, &ShellViews::DialogProc,
                              reinterpret_cast<LPARAM>(this));
  desktop_.dialogOwner = dialog_;
  SendMessageW(dialog_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(dialog_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  view_.Attach(dialog_, shell_.DialogFont);
  BuildMenu();
  const int tpp = TwipsPerPixel();
  SetWindowPos(dialog_, nullptr, form_.window.Left / tpp, form_.window.Top / tpp, kSettingDialogWidth / tpp,
               kSettingDialogHeight / tpp, SWP_NOZORDER | SWP_NOACTIVATE);
  LayOutSetting();
  SyncAll();
}

INT_PTR CALLBACK ShellViews::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    return FALSE;
  }
  auto* self = reinterpret_cast<ShellViews*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (self == nullptr || self->dialog_ != hwnd) return FALSE;
  return self->OnDialogMessage(message, wParam, lParam);
}

INT_PTR ShellViews::OnDialogMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  frmSetting& f = form_;
  switch (message) {
    case WM_COMMAND:
      // A menu item (no control window), else one of the controls.
      if ((lParam != 0 || !MenuCommand(LOWORD(wParam))) && !view_.Command(wParam, lParam)) return FALSE;
      SyncAll();
      return TRUE;
    case WM_NOTIFY:
      if (reinterpret_cast<NMHDR*>(lParam)->hwndFrom == tab_ &&
          reinterpret_cast<NMHDR*>(lParam)->code == TCN_SELCHANGE) {
        f.tabMain_Click(static_cast<int>(SendMessageW(tab_, TCM_GETCURSEL, 0, 0)));
        SyncAll();
      }
      return FALSE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && lastActive_ != dialog_ && !syncing_) {
        Activated(dialog_);
        f.Form_Activate();
        SyncAll();
      }
      return FALSE;
    case WM_SIZE:
      if (!syncing_) {
        if (wParam == SIZE_MINIMIZED) {
          f.window.State = WindowState::Minimized;
          if (lastActive_ == dialog_) lastActive_ = nullptr;
        } else if (wParam == SIZE_RESTORED) {
          f.window.State = WindowState::Normal;
        }
      }
      return FALSE;
    case WM_MOVE:
      if (!syncing_ && !IsIconic(dialog_) && IsWindowVisible(dialog_)) {
        RECT r{};
        GetWindowRect(dialog_, &r);
        f.window.Left = r.left * TwipsPerPixel();
        f.window.Top = r.top * TwipsPerPixel();
      }
      return FALSE;
    case WM_SHOWWINDOW:
      if (wParam == FALSE && lastActive_ == dialog_) lastActive_ = nullptr;
      return FALSE;
    case WM_CLOSE:
      f.Form_QueryUnload();
      SyncAll();
      return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // Controls stand on the tab's page, which the theme paints in the window colour; text
      // boxes (also greyed ones) keep their own colours.
      wchar_t cls[16] = {};
      GetClassNameW(reinterpret_cast<HWND>(lParam), cls, 16);
      if (lstrcmpiW(cls, L"Edit") == 0) return FALSE;
      const HDC dc = reinterpret_cast<HDC>(wParam);
      // A group box is only its frame and title: it must not fill over the controls inside.
      if ((GetWindowLongPtrW(reinterpret_cast<HWND>(lParam), GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX &&
          lstrcmpiW(cls, L"Button") == 0) {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        return reinterpret_cast<INT_PTR>(GetStockObject(HOLLOW_BRUSH));
      }
      SetBkColor(dc, GetSysColor(COLOR_WINDOW));
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
    }
    case WM_DISPLAYCHANGE:
      f.SysInfo1_DisplayChanged();
      return FALSE;
    default:
      return FALSE;
  }
}

LRESULT CALLBACK ShellViews::HelperProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<ShellViews*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self != nullptr && (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN)) {
    self->shell_.helper.Form_MouseDown();
    self->SyncAll();
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void ShellViews::Activated(HWND window) {
  lastActive_ = window;
}

void ShellViews::SyncAll() {
  if (syncing_) {
    again_ = true;
    return;
  }
  syncing_ = true;
  for (int pass = 0; pass < 4; ++pass) {
    again_ = false;
    SyncHelper();
    SyncSetting();
    if (!again_) break;
  }
  syncing_ = false;
  // Showing a window may have made it active: its activation runs now, outside the pass.
  if (dialog_ != nullptr && GetActiveWindow() == dialog_ && lastActive_ != dialog_ && form_.window.Visible &&
      !IsIconic(dialog_)) {
    Activated(dialog_);
    form_.Form_Activate();
    SyncAll();
  }
}

void ShellViews::SyncHelper() {
  if (helper_ == nullptr) return;
  const FormWindow& w = shell_.helper.window;
  const bool visible = w.Loaded && w.Visible;
  if ((IsWindowVisible(helper_) != FALSE) != visible) ShowWindow(helper_, visible ? SW_SHOWNA : SW_HIDE);
}

void ShellViews::SyncSetting() {
  if (dialog_ == nullptr) return;
  FormWindow& w = form_.window;
  if (!w.Loaded) {
    ShowWindow(dialog_, SW_HIDE);
    return;
  }
  const std::wstring caption = Widen(w.Caption);
  wchar_t current[256] = {};
  GetWindowTextW(dialog_, current, 256);
  if (caption != current) SetWindowTextW(dialog_, caption.c_str());
  if ((IsWindowEnabled(dialog_) != FALSE) != w.Enabled) EnableWindow(dialog_, w.Enabled ? TRUE : FALSE);
  BuildMenu();
  if (tab_ != nullptr && SendMessageW(tab_, TCM_GETCURSEL, 0, 0) != form_.tabMain)
    SendMessageW(tab_, TCM_SETCURSEL, static_cast<WPARAM>(form_.tabMain), 0);
  view_.Sync(form_.tabMain);

  if (!IsIconic(dialog_)) {
    RECT r{};
    GetWindowRect(dialog_, &r);
    const int tpp = TwipsPerPixel();
    if (r.left != w.Left / tpp || r.top != w.Top / tpp)
      SetWindowPos(dialog_, nullptr, w.Left / tpp, w.Top / tpp, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const bool shown = IsWindowVisible(dialog_) != FALSE;
  const bool iconic = IsIconic(dialog_) != FALSE;
  if (!w.Visible) {
    if (shown) {
      NoteWindowLeftScreen();
      ShowWindow(dialog_, SW_HIDE);
    }
  } else if (w.State == WindowState::Minimized) {
    if (shown && !iconic) NoteWindowLeftScreen();
    if (!shown || !iconic) ShowWindow(dialog_, SW_SHOWMINNOACTIVE);
  } else if (!shown || iconic) {
    ShowWindow(dialog_, iconic ? SW_RESTORE : SW_SHOWNORMAL);
    SetForegroundWindow(dialog_);
  }
  if (w.FocusRequests != focusRequests_) {
    focusRequests_ = w.FocusRequests;
    if (w.Visible && !IsIconic(dialog_)) {
      SetForegroundWindow(dialog_);
      SetFocus(view_.Handle(form_.btnStart));
    }
  }
}

void ShellViews::Dispatch(MSG& msg) {
  if (dialog_ != nullptr && IsDialogMessageW(dialog_, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

}  // namespace snapwell::win32
