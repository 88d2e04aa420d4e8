#include "win32/shell_win32.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>

#include "win32/desktop_win32.h"
#include "win32/text_win32.h"
#include "win32/window_metrics_win32.h"

namespace snapwell::win32 {
namespace {

constexpr UINT kTrayIconId = 1;
constexpr UINT kTrayCallback = WM_USER + 1;  // 1025
constexpr int kHotkeyId = 1;
Win32Shell* hooked = nullptr;

}  // namespace

// The tip goes through the wide record so every character of either language shows; the
// record keeps the version-1 layout with its 64-character tip field.
bool Win32Shell::Notify(DWORD message, std::string_view tip) {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;
  data.hWnd = trayWindow;
  data.uID = kTrayIconId;
  if (message != NIM_DELETE) {
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;  // 7
    data.uCallbackMessage = kTrayCallback;
    data.hIcon = icon;
    const std::wstring wide = Widen(tip);
    const std::size_t n = std::min<std::size_t>(wide.size(), 63);
    std::copy_n(wide.begin(), n, data.szTip);
    data.szTip[n] = L'\0';
  }
  return Shell_NotifyIconW(message, &data) != FALSE;
}

bool Win32Shell::AddTrayIcon(std::string_view tip) {
  return Notify(NIM_ADD, tip);
}
bool Win32Shell::ModifyTrayIcon(std::string_view tip) {
  return Notify(NIM_MODIFY, tip);
}
bool Win32Shell::DeleteTrayIcon() {
  return Notify(NIM_DELETE, {});
}

LRESULT CALLBACK Win32Shell::HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Win32Shell* self = hooked;
  if (self == nullptr) return DefWindowProcW(hwnd, message, wParam, lParam);
  const WNDPROC previous = self->previous_;
  if (self->trayProcedure) self->trayProcedure(message, wParam, lParam);
  return CallWindowProcW(previous, hwnd, message, wParam, lParam);
}

void Win32Shell::HookTrayWindow() {
  if (hooked == this || trayWindow == nullptr) return;
  hooked = this;
  previous_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(trayWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Shell::HookProc)));
}

void Win32Shell::UnhookTrayWindow() {
  if (hooked != this) return;
  SetWindowLongPtrW(trayWindow, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
  hooked = nullptr;
}

bool Win32Shell::RegisterHotkey(int platformModifiers, int keyCode) {
  return RegisterHotKey(trayWindow, kHotkeyId, static_cast<UINT>(platformModifiers),
                        static_cast<UINT>(keyCode)) != FALSE;
}

void Win32Shell::UnregisterHotkey() {
  UnregisterHotKey(trayWindow, kHotkeyId);
}

void Win32Shell::BringTrayWindowToForeground() {
  SetForegroundWindow(trayWindow);
}

int Win32Shell::TrackPopupMenu(std::span<const PopupMenuItem> items) {
  HMENU menu = CreatePopupMenu();
  if (menu == nullptr) return 0;
  for (const PopupMenuItem& item : items) {
    if (!item.visible) continue;
    if (item.separator) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(menu, MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), static_cast<UINT_PTR>(item.id),
                  Widen(item.text).c_str());
    }
  }
  POINT at{};
  GetCursorPos(&at);
  const int chosen = static_cast<int>(::TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                                                       at.x, at.y, 0, trayWindow, nullptr));
  PostMessageW(trayWindow, WM_NULL, 0, 0);  // lets the menu close when the user clicks elsewhere
  NoteWindowLeftScreen();
  DestroyMenu(menu);
  return chosen;
}

void Win32Shell::SetCursorPos(int x, int y) {
  ::SetCursorPos(x, y);
}

long Win32Shell::ScreenWidthTwips() const {
  return static_cast<long>(GetSystemMetrics(SM_CXVIRTUALSCREEN)) * TwipsPerPixel();
}

std::string Win32Shell::ExecutableBaseName() const {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name(path);
  const auto slash = name.find_last_of(L"\\/");
  if (slash != std::wstring::npos) name.erase(0, slash + 1);
  const auto dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos) name.erase(dot);
  return Narrow(name);
}

bool Win32Shell::LaunchProcess(std::string_view path) {
  std::wstring commandLine = L"\"" + Widen(path) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWMINIMIZED;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool Win32Shell::ShowOpenDialog(CommonDialogState& dialog) {
  std::wstring filter = Widen(dialog.Filter);
  for (wchar_t& c : filter) {
    if (c == L'|') c = L'\0';
  }
  filter.append(2, L'\0');
  std::wstring file = Widen(dialog.FileName);
  file.resize(std::max<std::size_t>(file.size() + 1, 32768), L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = dialogOwner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
  if (!GetOpenFileNameW(&ofn)) return false;
  dialog.FileName = Narrow(file.c_str());
  return true;
}

void Win32Shell::ShowModal(ModalForm& form) {
  if (runModal) {
    runModal(form);
  } else {
    form.CloseByUser();
  }
}

}  // namespace snapwell::win32
