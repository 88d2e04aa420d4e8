#include "win32/setting_view_win32.h"

#include <commctrl.h>

#include "win32/desktop_win32.h"
#include "win32/text_win32.h"

namespace snapwell::win32 {
namespace {

constexpr int kMenuBase = 1000;
enum MenuCommandId : int {
  kFName = kMenuBase + 1,
  kPrinter,
  kRun,
  kSaveSetting,
  kSelectOutLineList,
  kClose,
  kEnd,
  kRestart,
  kSaveSetting2,
  kSettingReset,
  kVersion,
};

// The window's outer size for a client area of width x height.
SIZE OuterSize(HWND hwnd, int width, int height, bool menu) {
  RECT r{0, 0, width, height};
  AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)), menu ? TRUE : FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE)));
  return {r.right - r.left, r.bottom - r.top};
}

int TwipsPerPixel() {
  const int dpi = SystemDpi();
  return 1440 / dpi;
}

void CentreOnScreen(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  const int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void PointAtCentre(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

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

void ShellViews::LayOutSetting() {
  frmSetting& f = form_;
  RECT client{};
  GetClientRect(dialog_, &client);
  tab_ =
      CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP,
                      view_.Scale(4), view_.Scale(4), client.right - view_.Scale(8),
                      client.bottom - view_.Scale(8), dialog_, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(tab_, WM_SETFONT, reinterpret_cast<WPARAM>(view_.Font()), FALSE);
  for (int page = 0; page < 2; ++page) {
    std::wstring caption = Widen(f.tabCaption[page]);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tab_, TCM_INSERTITEMW, static_cast<WPARAM>(page), reinterpret_cast<LPARAM>(&item));
  }

  using K = ControlKind;
  FormView& v = view_;
  const auto select = [&f](auto& group, int i, void (frmSetting::*click)(int)) {
    return FormView::OnClick([&f, &group, i, click] { f.Select(group, i, click); });
  };
  const auto check = [&f](Control& box, void (frmSetting::*click)()) {
    return FormView::OnClick([&f, &box, click] { f.SetCheck(box, box.Value != 0 ? 0 : 1, click); });
  };
  const auto press = [&f](void (frmSetting::*click)()) {
    return FormView::OnClick([&f, click] { (f.*click)(); });
  };
  const auto text = [&f](void (frmSetting::*leave)(), void (frmSetting::*change)() = nullptr) {
    FormView::Events e;
    e.lostFocus = [&f, leave] { (f.*leave)(); };
    if (change != nullptr) e.change = [&f, change] { (f.*change)(); };
    return e;
  };

  // Main page, left column: frame tool, countdown, scale, flip.
  v.Add(K::Group, f.fraFrame, 10, 30, 170, 170, 0);
  v.Add(K::Option, f.optFlame[0], 18, 46, 150, 18, 0, select(f.optFlame, 0, &frmSetting::optFlame_Click));
  v.Add(K::Option, f.optFlame[1], 18, 64, 150, 18, 0, select(f.optFlame, 1, &frmSetting::optFlame_Click));
  v.Add(K::Option, f.optFlame[2], 18, 85, 16, 18, 0, select(f.optFlame, 2, &frmSetting::optFlame_Click));
  v.Add(K::Option, f.optFlame[3], 18, 108, 150, 18, 0, select(f.optFlame, 3, &frmSetting::optFlame_Click));
  v.Add(K::Combo, f.cmbVariLine, 36, 83, 136, 22, 0, FormView::OnClick([&f] { f.cmbVariLine_Click(); }));
  v.Add(K::Check, f.chkFixField, 18, 130, 150, 18, 0, check(f.chkFixField, &frmSetting::chkFixField_Click));
  v.Add(K::RightLabel, f.Label1, 14, 155, 58, 16, 0);
  v.Add(K::Edit, f.txtFFX, 74, 152, 44, 21, 0, text(&frmSetting::txtFFX_LostFocus));
  v.Add(K::RightLabel, f.Label2, 118, 155, 12, 16, 0);
  v.Add(K::Edit, f.txtFFY, 132, 152, 44, 21, 0, text(&frmSetting::txtFFY_LostFocus));
  v.Add(K::Label, f.Label10, 18, 130, 150, 16, 0);
  for (int i = 0; i < 3; ++i)
    v.Add(K::Option, f.optWindowTarget[i], 26, 146 + 17 * i, 146, 17, 0,
          select(f.optWindowTarget, i, &frmSetting::optWindowTarget_Click));

  v.Add(K::Group, f.fraTimer, 10, 204, 170, 60, 0);
  v.Add(K::Option, f.optTimerEnable[0], 18, 220, 72, 18, 0,
        select(f.optTimerEnable, 0, &frmSetting::optTimerEnable_Click));
  v.Add(K::Option, f.optTimerEnable[1], 92, 220, 82, 18, 0,
        select(f.optTimerEnable, 1, &frmSetting::optTimerEnable_Click));
  v.Add(K::Edit, f.txtCopyTime, 110, 239, 40, 21, 0, text(&frmSetting::txtCopyTime_LostFocus));
  v.Add(K::Label, f.Label3, 153, 242, 25, 16, 0);

  v.Add(K::Group, f.fraEnlarge, 10, 268, 170, 64, 0);
  v.Add(K::Edit, f.txtEnlarge, 18, 284, 50, 21, 0,
        text(&frmSetting::txtEnlarge_LostFocus, &frmSetting::txtEnlarge_Change));
  v.Add(K::Label, f.Label4, 70, 287, 22, 16, 0);
  v.Add(K::Label, f.Label13, 96, 287, 80, 16, 0);
  for (int i = 0; i < 3; ++i) {
    const int index = i;
    v.Add(K::Button, f.btnEnlarge[i], 16 + 54 * i, 307, 52, 22, 0,
          FormView::OnClick([&f, index] { f.btnEnlarge_Click(index); }));
  }

  v.Add(K::Group, f.fraReverse, 10, 336, 170, 58, 0);
  v.Add(K::Option, f.optReverse[0], 16, 352, 72, 18, 0,
        select(f.optReverse, 0, &frmSetting::optReverse_Click));
  v.Add(K::Option, f.optReverse[1], 88, 352, 90, 18, 0,
        select(f.optReverse, 1, &frmSetting::optReverse_Click));
  v.Add(K::Option, f.optReverse[2], 16, 371, 72, 18, 0,
        select(f.optReverse, 2, &frmSetting::optReverse_Click));
  v.Add(K::Option, f.optReverse[3], 88, 371, 90, 18, 0,
        select(f.optReverse, 3, &frmSetting::optReverse_Click));

  // Main page, right column: default angle, output targets.
  v.Add(K::Group, f.fraAngle, 186, 30, 170, 170, 0);
  const int rollRows[7][3] = {{194, 64, 150}, {194, 82, 74},  {194, 100, 74}, {272, 82, 80},
                              {272, 100, 80}, {194, 121, 62}, {194, 46, 150}};
  for (int i = 0; i < 7; ++i)
    v.Add(K::Option, f.optRoll[i], rollRows[i][0], rollRows[i][1], rollRows[i][2], 18, 0,
          select(f.optRoll, i, &frmSetting::optRoll_Click));
  v.Add(K::Edit, f.txtRoll, 258, 119, 48, 21, 0, text(&frmSetting::txtRoll_LostFocus));
  v.Add(K::Label, f.Label5, 310, 122, 42, 16, 0);
  v.Add(K::Label, f.Label6, 194, 145, 156, 16, 0);
  v.Add(K::Label, f.Label7, 204, 161, 146, 16, 0);
  v.Add(K::Label, f.Label8, 204, 177, 146, 16, 0);

  v.Add(K::Group, f.fraOutput, 186, 204, 170, 172, 0);
  v.Add(K::Check, f.chkOutput[0], 194, 220, 156, 18, 0, FormView::OnClick([&f] {
          f.SetCheck(f.chkOutput[0], f.chkOutput[0].Value ? 0 : 1, 0, &frmSetting::chkOutput_Click);
        }));
  v.Add(K::Check, f.chkOutput[2], 194, 238, 156, 18, 0, FormView::OnClick([&f] {
          f.SetCheck(f.chkOutput[2], f.chkOutput[2].Value ? 0 : 1, 2, &frmSetting::chkOutput_Click);
        }));
  v.Add(K::Check, f.chkOutput[1], 194, 257, 76, 18, 0, FormView::OnClick([&f] {
          f.SetCheck(f.chkOutput[1], f.chkOutput[1].Value ? 0 : 1, 1, &frmSetting::chkOutput_Click);
        }));
  v.Add(K::Button, f.btnFile, 272, 255, 78, 22, 0, press(&frmSetting::btnFile_Click));
  HWND autoName = v.Add(K::Check, f.chkAutoName, 194, 278, 156, 30, 0,
                        check(f.chkAutoName, &frmSetting::chkAutoName_Click));
  HWND outDialog = v.Add(K::Check, f.chkOutDialog, 194, 308, 156, 36, 0,
                         check(f.chkOutDialog, &frmSetting::chkOutDialog_Click));
  for (HWND box : {autoName, outDialog})
    SetWindowLongPtrW(box, GWL_STYLE, GetWindowLongPtrW(box, GWL_STYLE) | BS_MULTILINE | BS_TOP);
  v.Add(K::Check, f.chkContOut, 194, 348, 16, 18, 0, check(f.chkContOut, &frmSetting::chkContOut_Click));
  v.Add(K::Button, f.btnContOut, 212, 346, 138, 22, 0, press(&frmSetting::btnContOut_Click));

  v.Add(K::DefaultButton, f.btnStart, 10, 400, 110, 24, 0, press(&frmSetting::btnStart_Click));
  v.Add(K::Button, f.btnReset, 128, 400, 110, 24, 0, press(&frmSetting::btnReset_Click));
  v.Add(K::Button, f.btnClose, 246, 400, 110, 24, 0, press(&frmSetting::btnClose_Click));

  // Env. page.
  v.Add(K::Group, f.fraWhereStay, 10, 30, 346, 42, 1);
  for (int i = 0; i < 3; ++i)
    v.Add(K::Option, f.optWhereStay[i], 18 + 112 * i, 48, 108, 18, 1,
          select(f.optWhereStay, i, &frmSetting::optWhereStay_Click));
  v.Add(K::Group, f.fraAppearWindow, 10, 76, 346, 42, 1);
  for (int i = 0; i < 2; ++i)
    v.Add(K::Option, f.optAppearWindow[i], 18 + 112 * i, 94, 108, 18, 1,
          FormView::OnClick([&f, i] { f.optAppearWindow_Click(i); }));
  v.Add(K::Group, f.fraDefaultFileExt, 10, 122, 346, 42, 1);
  for (int i = 1; i <= 6; ++i)
    v.Add(K::Option, f.optDefaultFileExt[i], 18 + 55 * (i - 1), 140, 54, 18, 1,
          select(f.optDefaultFileExt, i, &frmSetting::optDefaultFileExt_Click));
  v.Add(K::Group, f.fraLineWidth, 10, 168, 346, 42, 1);
  for (int i = 3; i >= 1; --i)
    v.Add(K::Option, f.optDrawWidthValue[i], 18 + 112 * (3 - i), 186, 108, 18, 1,
          select(f.optDrawWidthValue, i, &frmSetting::optDrawWidthValue_Click));
  v.Add(K::Group, f.fraColorAdjust, 10, 214, 346, 172, 1);
  v.Add(K::Group, f.fraWhereRotation, 18, 230, 330, 38, 1);
  for (int i = 0; i < 2; ++i)
    v.Add(K::Option, f.optFlgRollColor[i], 26 + 150 * i, 246, 146, 18, 1,
          select(f.optFlgRollColor, i, &frmSetting::optFlgRollColor_Click));
  v.Add(K::Group, f.fraWhereReduct, 18, 270, 330, 38, 1);
  for (int i = 0; i < 2; ++i)
    v.Add(K::Option, f.optFlgReductColor[i], 26 + 150 * i, 286, 146, 18, 1,
          select(f.optFlgReductColor, i, &frmSetting::optFlgReductColor_Click));
  v.Add(K::Group, f.fraWhereEnlarge, 18, 310, 330, 38, 1);
  const int enlargeColumns[3][2] = {{26, 112}, {140, 104}, {246, 98}};
  for (int i = 0; i < 3; ++i)
    v.Add(K::Option, f.optFlgEnlargeColor[i], enlargeColumns[i][0], 326, enlargeColumns[i][1], 18, 1,
          select(f.optFlgEnlargeColor, i, &frmSetting::optFlgEnlargeColor_Click));
  v.Add(K::Label, f.lblDoAdjust, 26, 352, 322, 16, 1);
  v.Add(K::Label, f.lblNoAdjust, 26, 368, 322, 16, 1);
  v.Add(K::Button, f.btnHotKeySetting, 10, 400, 160, 24, 1, press(&frmSetting::btnHotKeySetting_Click));

  SendMessageW(dialog_, DM_SETDEFID, static_cast<WPARAM>(GetDlgCtrlID(v.Handle(f.btnStart))), 0);
}

void ShellViews::BuildMenu() {
  const frmSetting& f = form_;
  std::wstring signature;
  for (const Control* c : {&f.mnuFile, &f.mnuFName, &f.mnuPrinter, &f.mnuRun, &f.mnuSaveSetting,
                           &f.mnuSelectOutLineList, &f.mnuClose, &f.mnuEnd, &f.mnuRestart, &f.mnuSetting,
                           &f.mnuSaveSetting2, &f.mnuSettingReset, &f.mnuVersion}) {
    signature += Widen(c->Caption) + (c->Visible ? L"v" : L"h") + (c->Enabled ? L"e" : L"d") + L"|";
  }
  if (signature == menuSignature_) return;
  menuSignature_ = signature;
  const auto item = [](HMENU menu, const Control& c, int id) {
    if (!c.Visible) return;
    AppendMenuW(menu, MF_STRING | (c.Enabled ? MF_ENABLED : MF_GRAYED), static_cast<UINT_PTR>(id),
                Widen(c.Caption).c_str());
  };
  HMENU bar = CreateMenu();
  HMENU file = CreatePopupMenu();
  item(file, f.mnuFName, kFName);
  item(file, f.mnuPrinter, kPrinter);
  AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  item(file, f.mnuRun, kRun);
  item(file, f.mnuSaveSetting, kSaveSetting);
  item(file, f.mnuSelectOutLineList, kSelectOutLineList);
  AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
  item(file, f.mnuClose, kClose);
  item(file, f.mnuEnd, kEnd);
  item(file, f.mnuRestart, kRestart);
  HMENU setting = CreatePopupMenu();
  item(setting, f.mnuSaveSetting2, kSaveSetting2);
  item(setting, f.mnuSettingReset, kSettingReset);
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), Widen(f.mnuFile.Caption).c_str());
  AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(setting), Widen(f.mnuSetting.Caption).c_str());
  AppendMenuW(bar, MF_STRING, kVersion, Widen(f.mnuVersion.Caption).c_str());
  HMENU old = menu_;
  menu_ = bar;
  SetMenu(dialog_, menu_);
  if (old != nullptr) DestroyMenu(old);
}

void ShellViews::MenuCommand(int id) {
  frmSetting& f = form_;
  switch (id) {
    case kFName:
      f.mnuFName_Click();
      break;
    case kPrinter:
      f.mnuPrinter_Click();
      break;
    case kRun:
      f.mnuRun_Click();
      break;
    case kSaveSetting:
      f.mnuSaveSetting_Click();
      break;
    case kSelectOutLineList:
      f.mnuSelectOutLineList_Click();
      break;
    case kClose:
      f.mnuClose_Click();
      break;
    case kEnd:
      f.mnuEnd_Click();
      break;
    case kRestart:
      f.mnuRestart_Click();
      break;
    case kSaveSetting2:
      f.mnuSaveSetting2_Click();
      break;
    case kSettingReset:
      f.mnuSettingReset_Click();
      break;
    case kVersion:
      f.mnuVersion_Click();
      break;
    default:
      break;
  }
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
      if (lParam == 0 && LOWORD(wParam) > kMenuBase) {
        MenuCommand(LOWORD(wParam));
      } else if (!view_.Command(wParam, lParam)) {
        return FALSE;
      }
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
