// The pixels of the bitmap selected into a device context, as 32-bit top-down rows.
// GetDIBits/SetDIBits convert from and to whatever layout the bitmap has (top-down or
// bottom-up DIB section, device-dependent bitmap), so the library never guesses it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "pixel_view.h"

namespace vell {

class DcPixels {
 public:
  // Reads the whole bitmap selected into `dc`. False for a missing DC, an unreadable bitmap or
  // one too large to copy.
  bool Load(HDC dc);
  // Reads the bitmap for writers, which only read it: a top-down 32-bit DIB section whose unused
  // fourth bytes are all zero (as the program keeps its pictures) is read in place, without a
  // copy of its pixels; any other bitmap is copied as Load does.
  bool LoadForReading(HDC dc);
  // Writes the pixels back into the same bitmap.
  bool Store();

  PixelView View() { return {pixels_.data(), width_, height_, width_}; }
  // The part of (x, y, width, height) inside the bitmap; empty when they do not meet.
  ConstPixelView Block(int x, int y, int width, int height) const;

 private:
  BITMAPINFO Format() const;

  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
  ConstPixelView inPlace_;  // the DIB section's own pixels, when LoadForReading could use them
};

}  // namespace vell
