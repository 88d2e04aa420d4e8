// A scripted desktop for the capture tests: a known screen picture, a window tree in z-order,
// a cursor, and a record of what the core did to its own windows.
#pragma once

#include <map>
#include <set>
#include <vector>

#include "platform/desktop.h"

namespace snapwell::testing {

struct FakeWindow {
  WindowHandle handle = 0;
  WindowHandle parent = 0;  // GetParent: the parent of a child, the owner of an owned window
  bool child = false;       // a control inside its parent (not a top-level window)
  WindowRect rect;
  std::uint32_t style = kWsVisible | kWsSysMenu;
};

struct WindowPosCall {
  OwnWindow window;
  ZPlace place;
  std::int32_t x, y, cx, cy;
  std::uint32_t flags;
  friend bool operator==(const WindowPosCall&, const WindowPosCall&) = default;
};

class FakeDesktop : public Desktop {
 public:
  void RefreshDesktop() override { ++refreshes; }
  void GrabScreen(Picture& target, const ScreenLayout& layout) override;
  std::int32_t MetricsScreenWidthTwips() const override { return metricsWidthTwips; }
  std::int32_t WorkAreaHeight() const override { return workAreaHeight; }

  WindowHandle DesktopWindow() const override { return kDesktopHandle; }
  WindowHandle WindowFromPoint(std::int32_t x, std::int32_t y) const override;
  WindowHandle GetParent(WindowHandle window) const override;
  WindowHandle FirstChild(WindowHandle window) const override;
  WindowHandle NextWindow(WindowHandle window) const override;
  bool GetWindowRect(WindowHandle window, WindowRect& rect) const override;
  std::uint32_t GetWindowStyle(WindowHandle window) const override;
  WindowHandle ForegroundWindow() const override { return foreground; }
  bool IsProgramWindow(WindowHandle window) const override { return programWindows.count(window) > 0; }

  PointerPos GetCursorPos() const override { return cursor; }
  void SetCursorPos(std::int32_t x, std::int32_t y) override { cursor = {x, y}; }

  void SetWindowPos(OwnWindow window, ZPlace place, std::int32_t x, std::int32_t y, std::int32_t cx,
                    std::int32_t cy, std::uint32_t flags) override;
  bool IsTopmost(OwnWindow window) const override;
  void ShowWindow(OwnWindow window, bool visible) override;
  void EnableWindow(OwnWindow window, bool enabled) override { this->enabled[window] = enabled; }
  void SetMousePointer(OwnWindow window, PointerKind kind) override { pointers[window] = kind; }
  void Focus(OwnWindow window) override { focused.push_back(window); }
  // 7 pixels per character, 13 pixels high.
  TextExtent MeasureText(const FontChoice& font, std::string_view text) const override;

  static constexpr WindowHandle kDesktopHandle = 1;
  // The program's own capture windows as the window tree holds them: in front of every other
  // window while they are shown, each with a handle of its own.
  static WindowHandle HandleOf(OwnWindow window) { return 900 + static_cast<WindowHandle>(window); }
  std::map<OwnWindow, WindowRect> ownRects;
  Picture screen;                            // what a grab copies (empty: nothing; the target stays white)
  WindowRect desktopRect{0, 0, 1920, 1080};  // the desktop window's rectangle
  std::vector<FakeWindow> windows;           // front to back; children after their parents
  std::set<WindowHandle> programWindows;     // the program's own
  std::int32_t metricsWidthTwips = 1920 * 15;
  std::int32_t workAreaHeight = 1040;
  WindowHandle foreground = 0;
  PointerPos cursor;
  int refreshes = 0;
  int grabs = 0;
  std::vector<WindowPosCall> windowPos;
  std::map<OwnWindow, bool> topmost;
  std::map<OwnWindow, bool> shown;
  std::vector<std::pair<OwnWindow, bool>> showCalls;
  std::map<OwnWindow, bool> enabled;
  std::map<OwnWindow, PointerKind> pointers;
  std::vector<OwnWindow> focused;

 private:
  const FakeWindow* Find(WindowHandle window) const;
};

}  // namespace snapwell::testing
