// What the core asks of the display: the desktop size in pixels and the twips scale.
#pragma once

namespace snapwell {

struct ScreenSize {
  int width = 0;   // right of the desktop window's rectangle, pixels
  int height = 0;  // bottom of the desktop window's rectangle, pixels
};

class Screen {
 public:
  virtual ~Screen() = default;
  virtual ScreenSize DesktopSize() const = 0;
  // Twips (1/1440 inch) per pixel horizontally and vertically: 15 at 96 dpi.
  virtual int TwipsPerPixelX() const = 0;
  virtual int TwipsPerPixelY() const = 0;
};

}  // namespace snapwell
