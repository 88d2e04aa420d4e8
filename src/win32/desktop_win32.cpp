#include "win32/desktop_win32.h"

#include <string>
#include <vector>

#include "raster/block_transfer.h"
#include "win32/dib_picture_win32.h"
#include "win32/form_view_win32.h"

namespace snapwell::win32 {
namespace {

// How long after a window of ours left the screen a grab still waits for the display.
constexpr DWORD kLeftScreenSettleMs = 250;
DWORD lastLeftScreen = 0;
bool anyLeftScreen = false;

HWND ToHwnd(WindowHandle window) {
  // Window handles are 32-bit values sign-extended on 64-bit Windows.
  return reinterpret_cast<HWND>(static_cast<INT_PTR>(window));
}

WindowHandle FromHwnd(HWND window) {
  return static_cast<WindowHandle>(reinterpret_cast<INT_PTR>(window));
}

std::wstring Widen(std::string_view text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

}  // namespace

HFONT CreateChosenFont(const FontChoice& choice) {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(choice.pointSize, SystemDpi(), 72);
  lf.lfWeight = choice.bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = static_cast<BYTE>(choice.charSet);
  const std::wstring face = Widen(choice.name);
  lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  return CreateFontIndirectW(&lf);
}

namespace {
BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC /*dc*/, LPRECT /*rect*/, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info) != FALSE) {
    const RECT& r = info.rcMonitor;
    reinterpret_cast<std::vector<ScreenArea>*>(list)->push_back({r.left, r.top, r.right, r.bottom});
  }
  return TRUE;
}
}  // namespace

ScreenLayout CurrentScreenLayout() {
  std::vector<ScreenArea> monitors;
  EnumDisplayMonitors(nullptr, nullptr, &AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) {
    // No monitor list (a bare session): the desktop window's rectangle is the screen.
    RECT rect{};
    ::GetWindowRect(GetDesktopWindow(), &rect);
    monitors.push_back({rect.left, rect.top, rect.right, rect.bottom});
  }
  return LayoutOfMonitors(monitors);
}

void NoteWindowLeftScreen() {
  lastLeftScreen = GetTickCount();
  anyLeftScreen = true;
}

void Win32Desktop::RefreshDesktop() {
  UpdateWindow(GetDesktopWindow());
  GdiFlush();
  // A window that has just left the screen (the settings dialog, a menu, the surface itself) may
  // still be shown while the window manager takes its frame away: let the display catch up
  // briefly. A hotkey pressed with the program in the tray grabs at once.
  if (!anyLeftScreen || GetTickCount() - lastLeftScreen > kLeftScreenSettleMs) return;
  for (int i = 0; i < 3; ++i) {
    MSG pending;
    PeekMessageW(&pending, nullptr, 0, 0, PM_NOREMOVE);
    Sleep(10);
  }
}

void Win32Desktop::GrabScreen(Picture& target, const ScreenLayout& screen) {
  frozen_ = screen;
  const int width = screen.width;
  const int height = screen.height;
  // The screen's DC counts from the primary monitor's top-left: the virtual screen starts at the
  // origin.
  HDC screenDc = GetDC(nullptr);
  if (screenDc == nullptr) return;
  const int x = frozen_.originX;
  const int y = frozen_.originY;
  if (HDC dc = PictureDc(target); dc != nullptr) {
    ::BitBlt(dc, 0, 0, width, height, screenDc, x, y, SRCCOPY);
    GdiFlush();
  } else {
    Picture copy = CreateDibPicture(width, height);
    if (HDC copyDc = PictureDc(copy); copyDc != nullptr) {
      ::BitBlt(copyDc, 0, 0, width, height, screenDc, x, y, SRCCOPY);
      GdiFlush();
      snapwell::BitBlt(target, 0, 0, width, height, copy, 0, 0, RasterOp::kSrcCopy);
    }
  }
  ReleaseDC(nullptr, screenDc);
}

std::int32_t Win32Desktop::MetricsScreenWidthTwips() const {
  HDC dc = GetDC(nullptr);
  const int dpi = dc != nullptr ? GetDeviceCaps(dc, LOGPIXELSX) : 96;
  if (dc != nullptr) ReleaseDC(nullptr, dc);
  return GetSystemMetrics(SM_CXVIRTUALSCREEN) * (1440 / (dpi > 0 ? dpi : 96));
}

std::int32_t Win32Desktop::WorkAreaHeight() const {
  RECT area{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) return GetSystemMetrics(SM_CYSCREEN);
  return area.bottom;
}

WindowHandle Win32Desktop::DesktopWindow() const {
  return FromHwnd(GetDesktopWindow());
}

WindowHandle Win32Desktop::WindowFromPoint(std::int32_t x, std::int32_t y) const {
  return FromHwnd(::WindowFromPoint(POINT{x + frozen_.originX, y + frozen_.originY}));
}

WindowHandle Win32Desktop::GetParent(WindowHandle window) const {
  return FromHwnd(::GetParent(ToHwnd(window)));
}

WindowHandle Win32Desktop::FirstChild(WindowHandle window) const {
  return FromHwnd(GetWindow(ToHwnd(window), GW_CHILD));
}

WindowHandle Win32Desktop::NextWindow(WindowHandle window) const {
  return FromHwnd(GetWindow(ToHwnd(window), GW_HWNDNEXT));
}

bool Win32Desktop::GetWindowRect(WindowHandle window, WindowRect& rect) const {
  RECT r{};
  if (!::GetWindowRect(ToHwnd(window), &r)) return false;
  rect = {r.left - frozen_.originX, r.top - frozen_.originY, r.right - frozen_.originX,
          r.bottom - frozen_.originY};
  return true;
}

std::uint32_t Win32Desktop::GetWindowStyle(WindowHandle window) const {
  return static_cast<std::uint32_t>(GetWindowLongA(ToHwnd(window), GWL_STYLE));
}

WindowHandle Win32Desktop::ForegroundWindow() const {
  return FromHwnd(GetForegroundWindow());
}

bool Win32Desktop::IsProgramWindow(WindowHandle window) const {
  DWORD process = 0;
  GetWindowThreadProcessId(ToHwnd(window), &process);
  return process == GetCurrentProcessId() && ToHwnd(window) != Handle(OwnWindow::Pointer) &&
         ToHwnd(window) != Handle(OwnWindow::OutDialog) && ToHwnd(window) != Handle(OwnWindow::ContOut);
}

PointerPos Win32Desktop::GetCursorPos() const {
  POINT p{};
  ::GetCursorPos(&p);
  return {p.x - frozen_.originX, p.y - frozen_.originY};
}

void Win32Desktop::SetCursorPos(std::int32_t x, std::int32_t y) {
  ::SetCursorPos(x + frozen_.originX, y + frozen_.originY);
}

HWND Win32Desktop::Handle(OwnWindow window) const {
  const auto it = handles_.find(window);
  return it != handles_.end() && IsWindow(it->second) ? it->second : nullptr;
}

void Win32Desktop::Register(OwnWindow window, HWND handle) {
  handles_[window] = handle;
}

HWND Win32Desktop::ShownCaptureWindow() const {
  for (const OwnWindow window : {OwnWindow::Surface, OwnWindow::Pointer}) {
    HWND h = Handle(window);
    if (h != nullptr && IsWindowVisible(h) != FALSE) return h;
  }
  return nullptr;
}

void Win32Desktop::SetWindowPos(OwnWindow window, ZPlace place, std::int32_t x, std::int32_t y,
                                std::int32_t cx, std::int32_t cy, std::uint32_t flags) {
  if (HWND h = Handle(window); h != nullptr) {
    const PlacingScope placing(*this);
    if ((flags & kSwpNoMove) == 0) {
      x += frozen_.originX;
      y += frozen_.originY;
    }
    ::SetWindowPos(h, place == ZPlace::Topmost ? HWND_TOPMOST : HWND_NOTOPMOST, x, y, cx, cy, flags);
  }
}

bool Win32Desktop::IsTopmost(OwnWindow window) const {
  HWND h = Handle(window);
  return h != nullptr && (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

void Win32Desktop::ShowWindow(OwnWindow window, bool visible) {
  HWND h = Handle(window);
  if (h == nullptr) return;
  const PlacingScope placing(*this);
  if (!visible) {
    if (IsWindowVisible(h) != FALSE) NoteWindowLeftScreen();
    ::ShowWindow(h, SW_HIDE);
  } else if (window == OwnWindow::Pointer) {
    ::ShowWindow(h, SW_SHOWNA);  // the readout never takes the keyboard from the surface
  } else {
    ::ShowWindow(h, SW_SHOW);
    // The capture is asked for by a hotkey or the tray: the surface takes the keyboard.
    if (window == OwnWindow::Surface) SetForegroundWindow(h);
  }
}

void Win32Desktop::EnableWindow(OwnWindow window, bool enabled) {
  if (HWND h = Handle(window); h != nullptr) ::EnableWindow(h, enabled ? TRUE : FALSE);
}

void Win32Desktop::SetMousePointer(OwnWindow window, PointerKind kind) {
  pointers_[window] = kind;
  if (HWND h = Handle(window); h != nullptr) SetCursor(CursorOf(window));
}

HCURSOR Win32Desktop::CursorOf(OwnWindow window) const {
  const auto it = pointers_.find(window);
  const PointerKind kind = it != pointers_.end() ? it->second : PointerKind::Default;
  switch (kind) {
    case PointerKind::Cross:
      return LoadCursorW(nullptr, IDC_CROSS);
    case PointerKind::Hourglass:
      return LoadCursorW(nullptr, IDC_WAIT);
    case PointerKind::ArrowHourglass:
      return LoadCursorW(nullptr, IDC_APPSTARTING);
    case PointerKind::Default:
      break;
  }
  return LoadCursorW(nullptr, IDC_ARROW);
}

void Win32Desktop::Focus(OwnWindow window) {
  if (HWND h = Handle(window); h != nullptr) SetFocus(h);
}

TextExtent Win32Desktop::MeasureText(const FontChoice& font, std::string_view text) const {
  HDC dc = GetDC(nullptr);
  if (dc == nullptr) return {static_cast<int>(text.size()) * 8, 16};
  HFONT f = CreateChosenFont(font);
  HGDIOBJ old = SelectObject(dc, f);
  const std::wstring wide = Widen(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  SelectObject(dc, old);
  DeleteObject(f);
  ReleaseDC(nullptr, dc);
  return {size.cx, size.cy};
}

}  // namespace snapwell::win32
