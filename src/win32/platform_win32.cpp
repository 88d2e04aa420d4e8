#include "win32/platform_win32.h"

#include <commdlg.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "win32/desktop_win32.h"
#include "win32/text_win32.h"

namespace snapwell::win32 {
namespace {

struct KeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using ScopedKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

struct HandleCloser {
  void operator()(HANDLE h) const {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
};

std::wstring FolderOf(const std::wstring& path) {
  const auto cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

// A window a message box can stand on: shown and not minimised.
bool IsShownOwner(HWND window) {
  return window != nullptr && IsWindowVisible(window) != FALSE && IsIconic(window) == FALSE;
}

// While a message box over the capture windows is up: the box is put in front of every window
// as it is activated, also in front of topmost windows shown after its owner (the readout).
thread_local HHOOK frontBoxHook = nullptr;
LRESULT CALLBACK PutBoxInFront(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    HWND window = reinterpret_cast<HWND>(wParam);
    wchar_t kind[8] = {};
    if (GetClassNameW(window, kind, 8) > 0 && std::wstring_view(kind) == L"#32770")
      SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  return CallNextHookEx(frontBoxHook, code, wParam, lParam);
}

// The largest settings value or template file we accept; anything bigger is damaged.
constexpr DWORD kMaxValueBytes = 1u << 20;
constexpr LONGLONG kMaxFileBytes = 64ll << 20;

}  // namespace

RegistrySettingsStore::RegistrySettingsStore(std::wstring subKey, HKEY root)
    : subKey_(std::move(subKey)), root_(root) {}

std::optional<std::string> RegistrySettingsStore::Get(std::string_view key) const {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(root_, subKey_.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return std::nullopt;
  const ScopedKey handle(raw);
  const std::wstring name = Widen(key);
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(raw, name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  if ((type != REG_SZ && type != REG_EXPAND_SZ) || bytes > kMaxValueBytes) return std::string();
  std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
  DWORD size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  if (RegQueryValueExW(raw, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.resize(wcsnlen(value.c_str(), size / sizeof(wchar_t)));
  return Narrow(value);
}

bool RegistrySettingsStore::Set(std::string_view key, std::string_view value) {
  HKEY raw = nullptr;
  if (RegCreateKeyExW(root_, subKey_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  const ScopedKey handle(raw);
  const std::wstring name = Widen(key);
  const std::wstring data = Widen(value);
  const DWORD bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(raw, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()), bytes) ==
         ERROR_SUCCESS;
}

void RegistrySettingsStore::Delete(std::string_view key) {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(root_, subKey_.c_str(), 0, KEY_SET_VALUE, &raw) != ERROR_SUCCESS) return;
  const ScopedKey handle(raw);
  RegDeleteValueW(raw, Widen(key).c_str());
}

FileError Win32FileSystem::Probe(std::string_view path) const {
  if (GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES) return FileError::None;
  return vell::FileErrorOfSystemCode(GetLastError());
}

FileError Win32FileSystem::DeleteFile(std::string_view path) {
  if (::DeleteFileW(Widen(path).c_str())) return FileError::None;
  return vell::FileErrorOfSystemCode(GetLastError());
}

std::string Win32FileSystem::PicturesFolder() const {
  PWSTR raw = nullptr;
  std::string folder;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Pictures, KF_FLAG_DEFAULT, nullptr, &raw)) && raw != nullptr)
    folder = Narrow(raw);
  CoTaskMemFree(raw);  // also when the call failed
  if (!folder.empty() && folder.back() != '\\') folder.push_back('\\');
  return folder;
}

std::vector<std::string> Win32FileSystem::FindFiles(std::string_view pattern) const {
  const std::wstring wide = Widen(pattern);
  const std::wstring folder = FolderOf(wide);
  std::vector<std::string> found;
  WIN32_FIND_DATAW data{};
  HANDLE find = FindFirstFileW(wide.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return found;
  do {
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
      found.push_back(Narrow(folder + data.cFileName));
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return found;
}

std::optional<std::string> Win32FileSystem::ReadFile(std::string_view path, FileError* error) const {
  const auto fail = [&](DWORD code) -> std::optional<std::string> {
    if (error != nullptr) *error = vell::FileErrorOfSystemCode(code);
    return std::nullopt;
  };
  HANDLE raw = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
  if (raw == INVALID_HANDLE_VALUE) return fail(GetLastError());
  const std::unique_ptr<void, HandleCloser> file(raw);
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(raw, &size)) return fail(GetLastError());
  if (size.QuadPart > kMaxFileBytes) return fail(ERROR_FILE_TOO_LARGE);
  std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!content.empty() &&
      (!::ReadFile(raw, content.data(), static_cast<DWORD>(content.size()), &read, nullptr) ||
       read != content.size())) {
    return fail(GetLastError() != ERROR_SUCCESS ? GetLastError() : ERROR_HANDLE_EOF);
  }
  if (error != nullptr) *error = FileError::None;
  return content;
}

ScreenLayout Win32Screen::Layout() const {
  return CurrentScreenLayout();
}

namespace {
int TwipsPerPixel(int caps) {
  HDC dc = GetDC(nullptr);
  const int dpi = dc != nullptr ? GetDeviceCaps(dc, caps) : 96;
  if (dc != nullptr) ReleaseDC(nullptr, dc);
  return dpi > 0 ? 1440 / dpi : 15;
}
}  // namespace

int Win32Screen::TwipsPerPixelX() const {
  return TwipsPerPixel(LOGPIXELSX);
}
int Win32Screen::TwipsPerPixelY() const {
  return TwipsPerPixel(LOGPIXELSY);
}

MsgAnswer Win32UserInterface::MessageBox(std::string_view text, std::string_view title, MsgButtons buttons,
                                         MsgIcon icon) {
  UINT flags = MB_SETFOREGROUND;
  switch (buttons) {
    case MsgButtons::Ok:
      flags |= MB_OK;
      break;
    case MsgButtons::OkCancel:
      flags |= MB_OKCANCEL;
      break;
    case MsgButtons::YesNo:
      flags |= MB_YESNO;
      break;
    case MsgButtons::YesNoCancel:
      flags |= MB_YESNOCANCEL;
      break;
    case MsgButtons::RetryCancel:
      flags |= MB_RETRYCANCEL;
      break;
  }
  switch (icon) {
    case MsgIcon::None:
      break;
    case MsgIcon::Exclamation:
      flags |= MB_ICONEXCLAMATION;
      break;
    case MsgIcon::Question:
      flags |= MB_ICONQUESTION;
      break;
    case MsgIcon::Information:
      flags |= MB_ICONINFORMATION;
      break;
    case MsgIcon::Critical:
      flags |= MB_ICONERROR;
      break;
  }
  HWND boxOwner = owner;
  std::optional<Win32Desktop::PlacingScope> byCore;
  HHOOK hook = nullptr;
  bool readoutAside = false;
  if (desktop != nullptr && desktop->ShownCaptureWindow() != nullptr) {
    // Over the frozen screen the box stands topmost, in front of the capture windows, and takes
    // the keyboard. Owned by a shown window of ours (the dialog that asks, else the surface), it
    // keeps that window still while it is up and gives the keyboard back to it afterwards; that
    // return is not the user activating the surface.
    flags |= MB_TOPMOST;
    HWND surface = desktop->HandleOf(OwnWindow::Surface);
    if (!IsShownOwner(owner) && IsShownOwner(surface)) boxOwner = surface;
    byCore.emplace(*desktop);
    if (frontBoxHook == nullptr) {
      hook = SetWindowsHookExW(WH_CBT, PutBoxInFront, nullptr, GetCurrentThreadId());
      frontBoxHook = hook;
    }
    // The readout steps aside while the box is up: it stands beside the pointer, maybe over the
    // box, and a window manager keeps such a small unframed window above framed ones.
    HWND readout = desktop->HandleOf(OwnWindow::Pointer);
    readoutAside = readout != nullptr && IsWindowVisible(readout) != FALSE;
    if (readoutAside) desktop->ShowWindow(OwnWindow::Pointer, false);
  }
  const int answer = ::MessageBoxW(boxOwner, Widen(text).c_str(), Widen(title).c_str(), flags);
  if (hook != nullptr) {
    UnhookWindowsHookEx(hook);
    frontBoxHook = nullptr;
  }
  if (readoutAside) desktop->ShowWindow(OwnWindow::Pointer, true);
  NoteWindowLeftScreen();
  switch (answer) {
    case IDYES:
      return MsgAnswer::Yes;
    case IDNO:
      return MsgAnswer::No;
    case IDRETRY:
      return MsgAnswer::Retry;
    case IDOK:
      return MsgAnswer::Ok;
    default:
      return MsgAnswer::Cancel;
  }
}

void Win32UserInterface::Beep() {
  MessageBeep(MB_OK);
}

bool Win32UserInterface::ShowSaveDialog(CommonDialogState& dialog) {
  // "Text|*.a|Text|*.b" becomes the double-NUL-terminated pairs the common dialog wants.
  std::wstring filter = Widen(dialog.Filter);
  for (wchar_t& c : filter) {
    if (c == L'|') c = L'\0';
  }
  filter.append(2, L'\0');
  std::wstring file = Widen(dialog.FileName);
  file.resize(std::max<std::size_t>(file.size() + 1, 32768), L'\0');
  const std::wstring title = Widen(dialog.DialogTitle);
  std::wstring defaultExt = Widen(dialog.DefaultExt);
  if (!defaultExt.empty() && defaultExt.front() == L'.') defaultExt.erase(0, 1);

  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = dialog.Filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(std::max(dialog.FilterIndex, 0));
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
  ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
  // The program's own flags, plus: the dialog never moves the process's current folder.
  ofn.Flags = static_cast<DWORD>(dialog.Flags) | OFN_NOCHANGEDIR | OFN_EXPLORER;
  const BOOL saved = GetSaveFileNameW(&ofn);
  NoteWindowLeftScreen();
  if (!saved) return false;
  dialog.FileName = Narrow(file.c_str());
  dialog.FilterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}

bool Win32UserInterface::ShowPrinterDialog(CommonDialogState& dialog) {
  PRINTDLGW pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  pd.Flags = static_cast<DWORD>(dialog.Flags) | PD_USEDEVMODECOPIESANDCOLLATE;
  pd.nCopies = static_cast<WORD>(std::clamp(dialog.Copies, 1, 9999));
  const BOOL ok = PrintDlgW(&pd);
  NoteWindowLeftScreen();
  if (ok) {
    // With PD_USEDEVMODECOPIESANDCOLLATE the count lives in the printer's DEVMODE.
    int copies = pd.nCopies;
    if (pd.hDevMode != nullptr) {
      if (const auto* mode = static_cast<const DEVMODEW*>(GlobalLock(pd.hDevMode))) {
        if ((mode->dmFields & DM_COPIES) != 0) copies = mode->dmCopies;
        GlobalUnlock(pd.hDevMode);
      }
    }
    dialog.Copies = static_cast<std::int16_t>(copies);
  }
  if (pd.hDevMode != nullptr) GlobalFree(pd.hDevMode);
  if (pd.hDevNames != nullptr) GlobalFree(pd.hDevNames);
  return ok != FALSE;
}

std::string ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
  return Narrow(FolderOf(path));
}

namespace {

struct RunningTimer {
  std::function<void()> tick;
  bool inTick = false;
};

// Thread timers carry no context pointer, so their ticks are found by id.
std::map<UINT_PTR, std::shared_ptr<RunningTimer>>& RunningTimers() {
  static std::map<UINT_PTR, std::shared_ptr<RunningTimer>> timers;
  return timers;
}

void CALLBACK TimerTick(HWND, UINT, UINT_PTR id, DWORD) {
  const auto found = RunningTimers().find(id);
  if (found == RunningTimers().end()) return;
  const std::shared_ptr<RunningTimer> timer = found->second;  // alive even if stopped inside
  if (timer->inTick) return;
  timer->inTick = true;
  timer->tick();
  timer->inTick = false;
}

}  // namespace

Timers::TimerId Win32Timers::StartTimer(int intervalMs, std::function<void()> tick) {
  const UINT_PTR id = SetTimer(nullptr, 0, static_cast<UINT>(intervalMs < 1 ? 1 : intervalMs), TimerTick);
  if (id == 0) return 0;
  RunningTimers()[id] = std::make_shared<RunningTimer>(RunningTimer{std::move(tick)});
  return static_cast<TimerId>(id);
}

void Win32Timers::StopTimer(TimerId id) {
  if (id == 0) return;
  KillTimer(nullptr, static_cast<UINT_PTR>(id));
  RunningTimers().erase(static_cast<UINT_PTR>(id));
}

}  // namespace snapwell::win32
