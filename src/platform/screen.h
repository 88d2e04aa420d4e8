// What the core asks of the display: the screen (every monitor's bounding rectangle, Windows'
// virtual screen) and the twips scale.
//
// The core counts screen pixels from the virtual screen's top-left corner, so its coordinates
// start at (0, 0) however the monitors stand; the system's own coordinates are those plus the
// origin. The platform alone converts between the two.
#pragma once

#include <cstdint>
#include <vector>

namespace snapwell {

struct ScreenSize {
  int width = 0;   // pixels
  int height = 0;  // pixels
};

// A rectangle of screen pixels; right and bottom are exclusive.
struct ScreenArea {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  std::int32_t Width() const { return right - left; }
  std::int32_t Height() const { return bottom - top; }
  bool Contains(std::int32_t x, std::int32_t y) const {
    return x >= left && x < right && y >= top && y < bottom;
  }
  friend bool operator==(const ScreenArea&, const ScreenArea&) = default;
};

struct ScreenLayout {
  // The system position of the virtual screen's top-left corner: negative when a monitor stands
  // left of or above the primary one.
  std::int32_t originX = 0;
  std::int32_t originY = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;
  // Every monitor in the core's coordinates, the primary one first.
  std::vector<ScreenArea> monitors;
};

// The layout of monitors given in system coordinates. The primary monitor is the one holding the
// system's (0, 0), else the first one. No monitor gives an empty layout.
ScreenLayout LayoutOfMonitors(const std::vector<ScreenArea>& systemMonitors);

// The monitor holding the point, else the one nearest to it; a layout without monitors gives the
// whole screen.
ScreenArea MonitorAt(const ScreenLayout& layout, std::int32_t x, std::int32_t y);
// The monitor showing most of the area, else the one nearest to its centre.
ScreenArea MonitorOfArea(const ScreenLayout& layout, const ScreenArea& area);
// The parts of the screen that no monitor shows, as rectangles (none on a single monitor).
std::vector<ScreenArea> UncoveredAreas(const ScreenLayout& layout);
// The primary monitor in system coordinates (it stands at the system's (0, 0)); the whole screen
// when there is no monitor list.
ScreenArea PrimaryArea(const ScreenLayout& layout);
// An area of the core's coordinates in system coordinates.
ScreenArea ToSystem(const ScreenLayout& layout, const ScreenArea& area);

class Screen {
 public:
  virtual ~Screen() = default;
  // The monitors as they stand now.
  virtual ScreenLayout Layout() const = 0;
  // Twips (1/1440 inch) per pixel horizontally and vertically: 15 at 96 dpi.
  virtual int TwipsPerPixelX() const = 0;
  virtual int TwipsPerPixelY() const = 0;
};

}  // namespace snapwell
