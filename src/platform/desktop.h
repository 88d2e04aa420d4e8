// What the capture asks of the live desktop: the screen's pixels, the window tree under the
// pointer, the cursor, and the placement of the program's own capture windows. The decisions
// stay in the core; this is only the asking.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/screen.h"
#include "raster/picture.h"
#include "text/fonts.h"

namespace snapwell {

// A window handle as the system gives it; handles fit 32 bits on every Windows (0 = none).
using WindowHandle = std::int32_t;

// A window's rectangle in screen pixels; right and bottom are exclusive, as the system returns them.
struct WindowRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

struct PointerPos {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

// Window style bits the window target reads.
inline constexpr std::uint32_t kWsVisible = 0x10000000;
inline constexpr std::uint32_t kWsPopup = 0x80000000;
inline constexpr std::uint32_t kWsChild = 0x40000000;
inline constexpr std::uint32_t kWsSysMenu = 0x00080000;

// SetWindowPos flags.
inline constexpr std::uint32_t kSwpNoSize = 0x0001;
inline constexpr std::uint32_t kSwpNoMove = 0x0002;
inline constexpr std::uint32_t kSwpNoActivate = 0x0010;
inline constexpr std::uint32_t kSwpFrameChanged = 0x0020;
inline constexpr std::uint32_t kSwpShowWindow = 0x0040;

// The program's own windows of a capture that the core places, shows and points at.
enum class OwnWindow : std::uint8_t { Surface, Pointer, OutDialog, ContOut };

// Z-order places of SetWindowPos.
enum class ZPlace : std::int8_t { Topmost = -1, NotTopmost = -2 };

// Mouse pointer shapes of a window (the form designer's MousePointer numbers).
enum class PointerKind : std::int16_t { Default = 0, Cross = 2, Hourglass = 11, ArrowHourglass = 13 };

// A text's extent in pixels.
struct TextExtent {
  int width = 0;
  int height = 0;
};

class Desktop {
 public:
  virtual ~Desktop() = default;

  // --- the screen's pixels
  // Lets pending repaints of the screen happen before a copy (UpdateWindow on the desktop).
  virtual void RefreshDesktop() = 0;
  // Copies the screen of `screen` (every monitor's bounding rectangle) into `target` at (0, 0)
  // (plain copy); until the next grab the desktop's coordinates count from that screen's origin.
  virtual void GrabScreen(Picture& target, const ScreenLayout& screen) = 0;
  // The screen width from the system metrics, in twips (the second opinion on the screen size).
  virtual std::int32_t MetricsScreenWidthTwips() const = 0;
  // Height of the work area (the screen without the task bar), in pixels.
  virtual std::int32_t WorkAreaHeight() const = 0;

  // --- the window tree
  virtual WindowHandle DesktopWindow() const = 0;
  // The innermost window under the screen point, or 0.
  virtual WindowHandle WindowFromPoint(std::int32_t x, std::int32_t y) const = 0;
  // The parent of a child window (kWsChild), the owner of an owned one, else 0.
  virtual WindowHandle GetParent(WindowHandle window) const = 0;
  // z-order walk: the first child (GW_CHILD) and the next window below (GW_HWNDNEXT), 0 at the end.
  virtual WindowHandle FirstChild(WindowHandle window) const = 0;
  virtual WindowHandle NextWindow(WindowHandle window) const = 0;
  // False (rect untouched) when the handle is no window.
  virtual bool GetWindowRect(WindowHandle window, WindowRect& rect) const = 0;
  virtual std::uint32_t GetWindowStyle(WindowHandle window) const = 0;
  virtual WindowHandle ForegroundWindow() const = 0;
  // The capture surface, the helper window frmNull and the buffer pictures: never a capture target.
  virtual bool IsProgramWindow(WindowHandle window) const = 0;

  // --- the cursor
  virtual PointerPos GetCursorPos() const = 0;
  virtual void SetCursorPos(std::int32_t x, std::int32_t y) = 0;

  // --- the program's own capture windows (no effect while a window does not exist)
  virtual void SetWindowPos(OwnWindow window, ZPlace place, std::int32_t x, std::int32_t y, std::int32_t cx,
                            std::int32_t cy, std::uint32_t flags) = 0;
  // Whether the window still has the topmost extended style.
  virtual bool IsTopmost(OwnWindow window) const = 0;
  // Shows or hides it at once (before the next window query).
  virtual void ShowWindow(OwnWindow window, bool visible) = 0;
  virtual void EnableWindow(OwnWindow window, bool enabled) = 0;
  virtual void SetMousePointer(OwnWindow window, PointerKind kind) = 0;
  // Gives it the keyboard focus.
  virtual void Focus(OwnWindow window) = 0;
  // The extent of one line of text in the font.
  virtual TextExtent MeasureText(const FontChoice& font, std::string_view text) const = 0;
};

}  // namespace snapwell
