// The live desktop on Windows: screen grabs, the window tree, the cursor, and the placement of
// the capture's own windows, which their views register here when they create them.
#pragma once

#include <windows.h>

#include <map>

#include "platform/desktop.h"
#include "platform/screen.h"

namespace snapwell::win32 {

// Tells the next screen grab that a window of the program has just left the screen (hidden,
// minimised, a menu or message box closed): the display may still show it for a moment.
void NoteWindowLeftScreen();

// A font from its description at the screen's DPI; the caller owns it.
HFONT CreateChosenFont(const FontChoice& choice);

// Every monitor as the system places them now.
ScreenLayout CurrentScreenLayout();

// The desktop in the core's coordinates: from the virtual screen's top-left corner. Each grab
// keeps the screen the core measured for it; the pointer, the window tree and the capture windows
// are converted with its origin until the next grab, so that a capture keeps the screen it froze.

class Win32Desktop : public Desktop {
 public:
  void RefreshDesktop() override;
  void GrabScreen(Picture& target, const ScreenLayout& screen) override;
  std::int32_t MetricsScreenWidthTwips() const override;
  std::int32_t WorkAreaHeight() const override;

  WindowHandle DesktopWindow() const override;
  WindowHandle WindowFromPoint(std::int32_t x, std::int32_t y) const override;
  WindowHandle GetParent(WindowHandle window) const override;
  WindowHandle FirstChild(WindowHandle window) const override;
  WindowHandle NextWindow(WindowHandle window) const override;
  bool GetWindowRect(WindowHandle window, WindowRect& rect) const override;
  std::uint32_t GetWindowStyle(WindowHandle window) const override;
  WindowHandle ForegroundWindow() const override;
  bool IsProgramWindow(WindowHandle window) const override;

  PointerPos GetCursorPos() const override;
  void SetCursorPos(std::int32_t x, std::int32_t y) override;

  void SetWindowPos(OwnWindow window, ZPlace place, std::int32_t x, std::int32_t y, std::int32_t cx,
                    std::int32_t cy, std::uint32_t flags) override;
  bool IsTopmost(OwnWindow window) const override;
  void ShowWindow(OwnWindow window, bool visible) override;
  void EnableWindow(OwnWindow window, bool enabled) override;
  void SetMousePointer(OwnWindow window, PointerKind kind) override;
  void Focus(OwnWindow window) override;
  TextExtent MeasureText(const FontChoice& font, std::string_view text) const override;

  // The system position of the core's (0, 0) as the last grab found it.
  POINT Origin() const { return {frozen_.originX, frozen_.originY}; }
  // A view registers its window when it creates it and null when it destroys it.
  void Register(OwnWindow window, HWND handle);
  // The cursor a window's view sets on WM_SETCURSOR.
  HCURSOR CursorOf(OwnWindow window) const;
  // The registered window, null while it does not exist.
  HWND HandleOf(OwnWindow window) const { return Handle(window); }
  // True while a placement, a show or a message box asked by the core runs: the activation it
  // causes is the core's own doing, not the user's.
  bool Placing() const { return placing_ > 0; }
  // The capture window a message box must stand in front of: the surface while it is shown, else
  // the pointer readout while it is shown; null between captures.
  HWND ShownCaptureWindow() const;

  // Counts a change of the windows the core asked for, for as long as it lives.
  class PlacingScope {
   public:
    explicit PlacingScope(Win32Desktop& desktop) : depth_(desktop.placing_) { ++depth_; }
    ~PlacingScope() { --depth_; }
    PlacingScope(const PlacingScope&) = delete;
    PlacingScope& operator=(const PlacingScope&) = delete;

   private:
    int& depth_;
  };

 private:
  HWND Handle(OwnWindow window) const;
  int placing_ = 0;
  ScreenLayout frozen_ = CurrentScreenLayout();
  std::map<OwnWindow, HWND> handles_;
  std::map<OwnWindow, PointerKind> pointers_;
};

}  // namespace snapwell::win32
