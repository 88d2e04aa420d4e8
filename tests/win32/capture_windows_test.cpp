// The capture's own windows under Wine: every kind of message box a capture raises stands in
// front of the topmost surface and pointer readout, has the keyboard, and is what the screen
// shows; when it closes the surface has the keyboard again.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "text/messages.h"
#include "text/texts.h"
#include "win32/desktop_win32.h"
#include "win32/frm_main_view_win32.h"
#include "win32/platform_win32.h"

namespace snapwell::win32 {
namespace {

constexpr COLORREF kSurfaceColour = RGB(255, 0, 255);
constexpr wchar_t kClass[] = L"SnapwellTestCaptureWindow";

// Dispatches this thread's messages for the given time.
void Pump(int milliseconds) {
  const DWORD start = GetTickCount();
  for (DWORD waited = 0; waited < static_cast<DWORD>(milliseconds); waited = GetTickCount() - start) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(milliseconds) - waited, QS_ALLINPUT);
    for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);)
      DispatchMessageW(&msg);
  }
}

// What the probe found while the box was up.
struct BoxSeen {
  bool found = false;
  bool aboveSurface = false;
  bool readoutClear = false;  // the readout hidden or behind the box
  bool foreground = false;
  bool focusInside = false;
  bool onScreen = false;  // the screen shows the box, not the surface, at its centre
};

struct Probe {
  HWND surface = nullptr;
  HWND pointer = nullptr;
  int answerId = IDOK;
  DWORD started = 0;
  BoxSeen seen;
};
Probe* probe = nullptr;

// Activations of the surface the program takes as the user's, among its own windows (the
// surface's activation procedure runs for those).
const Win32Desktop* watched = nullptr;
HWND watchedSurface = nullptr;
int userActivations = 0;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && window == watchedSurface &&
      watched != nullptr && IsOwnActivation(reinterpret_cast<HWND>(lParam), *watched)) {
    ++userActivations;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

BOOL CALLBACK FindBox(HWND window, LPARAM found) {
  wchar_t cls[16] = {};
  GetClassNameW(window, cls, 16);
  if (std::wstring(cls) == L"#32770" && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

// The place of a window among the top-level windows, front first.
int ZIndex(HWND window) {
  int i = 0;
  for (HWND h = GetTopWindow(nullptr); h != nullptr; h = GetWindow(h, GW_HWNDNEXT), ++i) {
    if (h == window) return i;
  }
  return -1;
}

bool ScreenShowsBox(HWND box) {
  RECT r{};
  GetWindowRect(box, &r);
  HDC screen = GetDC(nullptr);
  const COLORREF pixel = GetPixel(screen, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  ReleaseDC(nullptr, screen);
  return pixel != CLR_INVALID && pixel != kSurfaceColour;
}

// Runs inside the box's message loop: looks at the box once the screen shows it (or after two
// seconds), then answers it.
void CALLBACK LookAtBox(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
  if (box == nullptr) return;
  const bool shown = ScreenShowsBox(box);
  if (!shown && GetTickCount() - probe->started < 2000) return;
  KillTimer(nullptr, timer);
  BoxSeen& seen = probe->seen;
  seen.found = true;
  seen.onScreen = shown;
  const int at = ZIndex(box);
  seen.aboveSurface = at >= 0 && at < ZIndex(probe->surface);
  seen.readoutClear = IsWindowVisible(probe->pointer) == FALSE || (at >= 0 && at < ZIndex(probe->pointer));
  seen.foreground = GetForegroundWindow() == box;
  const HWND focus = GetFocus();
  seen.focusInside = focus == box || IsChild(box, focus) != FALSE;
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(probe->answerId, BN_CLICKED), 0);
}

class MessageBoxOverCaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(GetModuleHandleW(nullptr), kClass, &wc)) {
      wc.lpfnWndProc = WindowProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.hbrBackground = CreateSolidBrush(kSurfaceColour);
      wc.lpszClassName = kClass;
      RegisterClassExW(&wc);
    }
    const int w = GetSystemMetrics(SM_CXSCREEN);
    const int h = GetSystemMetrics(SM_CYSCREEN);
    // As in the program: the settings dialog hidden, owning the boxes; the surface topmost over
    // the whole screen and the readout topmost at the screen's centre, where a box comes up.
    settings = CreateWindowExW(0, kClass, L"Settings", WS_OVERLAPPEDWINDOW, 100, 100, 300, 200, nullptr,
                               nullptr, nullptr, nullptr);
    surface = CreateWindowExW(WS_EX_TOPMOST, kClass, L"Surface", WS_POPUP, 0, 0, w, h, nullptr, nullptr,
                              nullptr, nullptr);
    pointer = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClass, L"", WS_POPUP | WS_BORDER, w / 2 - 40,
                              h / 2 - 10, 80, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(settings != nullptr && surface != nullptr && pointer != nullptr);
    ShowWindow(surface, SW_SHOW);
    SetForegroundWindow(surface);
    ShowWindow(pointer, SW_SHOWNA);
    desktop.Register(OwnWindow::Surface, surface);
    desktop.Register(OwnWindow::Pointer, pointer);
    ui.owner = settings;
    ui.desktop = &desktop;
    watched = &desktop;
    watchedSurface = surface;
    Pump(500);
  }
  void TearDown() override {
    watched = nullptr;
    watchedSurface = nullptr;
    desktop.Register(OwnWindow::Surface, nullptr);
    desktop.Register(OwnWindow::Pointer, nullptr);
    for (HWND h : {pointer, surface, settings})
      if (h != nullptr) DestroyWindow(h);
    Pump(200);
  }

  Win32Desktop desktop;
  Win32UserInterface ui;
  HWND settings = nullptr;
  HWND surface = nullptr;
  HWND pointer = nullptr;
};

TEST_F(MessageBoxOverCaptureTest, EveryKindStandsInFrontAndHasTheKeyboard) {
  const Texts t;
  const auto join = [](std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts)
      text += part;
    return text;
  };
  struct Kind {
    const char* what;
    std::string text, title;
    MsgButtons buttons;
    int answerId;
    MsgAnswer answer;
  };
  const Kind kinds[] = {
      {"size warning", join({t(125), "1200 x 800", t(126), "\r\n\r\n", t(127), "\r\n", t(128)}),
       std::string(t(120)), MsgButtons::YesNo, IDYES, MsgAnswer::Yes},
      {"size refusal", join({t(294), "\r\n", t(295)}), std::string(t(119)), MsgButtons::Ok, IDOK,
       MsgAnswer::Ok},
      {"failure report", UnexpectedErrorText(t, 7), UnexpectedErrorTitle("frmMain", "Timer1_Timer"),
       MsgButtons::Ok, IDOK, MsgAnswer::Ok},
      {"clipboard busy", std::string(t(296)), std::string(t(119)), MsgButtons::Ok, IDOK, MsgAnswer::Ok},
      {"printing failure", join({t(298), "\r\n", t(299)}), std::string(t(119)), MsgButtons::Ok, IDOK,
       MsgAnswer::Ok},
      {"incomplete file", std::string(t(134)), std::string(t(119)), MsgButtons::Ok, IDOK, MsgAnswer::Ok},
      {"template error", join({t(142), "default.vol", t(143)}), std::string(t(145)), MsgButtons::Ok, IDOK,
       MsgAnswer::Ok},
  };
  for (const Kind& kind : kinds) {
    SCOPED_TRACE(kind.what);
    Probe look{surface, pointer, kind.answerId, GetTickCount(), {}};
    userActivations = 0;
    probe = &look;
    SetTimer(nullptr, 0, 50, LookAtBox);
    const MsgAnswer answer = ui.MessageBox(kind.text, kind.title, kind.buttons, MsgIcon::Exclamation);
    probe = nullptr;
    EXPECT_EQ(answer, kind.answer);
    ASSERT_TRUE(look.seen.found);
    EXPECT_TRUE(look.seen.aboveSurface);
    EXPECT_TRUE(look.seen.readoutClear);
    EXPECT_TRUE(look.seen.foreground);
    EXPECT_TRUE(look.seen.focusInside);
    EXPECT_TRUE(look.seen.onScreen);
    // Back on the surface: enabled, with the keyboard, and that return not taken as the user's.
    Pump(100);
    EXPECT_TRUE(IsWindowEnabled(surface));
    EXPECT_TRUE(IsWindowVisible(pointer));
    EXPECT_EQ(GetForegroundWindow(), surface);
    EXPECT_EQ(userActivations, 0);
  }
}

}  // namespace
}  // namespace snapwell::win32
