// Small helpers shared by the encoders: checking a picture before writing it and turning
// its 32-bit rows into the byte layouts the file formats want.
#pragma once

#include <cstddef>
#include <cstdint>

#include "pixel_view.h"

namespace vell {

// A picture worth writing: pixels present, both sides positive, rows no shorter than the width.
inline bool IsWritable(const ConstPixelView& image) {
  return image.pixels != nullptr && image.width > 0 && image.height > 0 && image.stride >= image.width;
}

// R, G, B bytes of one row.
inline void RowToRgb(const std::uint32_t* row, int width, unsigned char* out) {
  for (int x = 0; x < width; ++x) {
    const std::uint32_t p = row[x];
    out[0] = static_cast<unsigned char>(p >> 16);
    out[1] = static_cast<unsigned char>(p >> 8);
    out[2] = static_cast<unsigned char>(p);
    out += 3;
  }
}

// Luma with the usual weights 0.299, 0.587, 0.114, rounded to nearest (ties to even).
inline unsigned char GreyOf(std::uint32_t p) {
  const std::uint32_t sum = 299 * ((p >> 16) & 0xFF) + 587 * ((p >> 8) & 0xFF) + 114 * (p & 0xFF);
  std::uint32_t grey = sum / 1000;
  const std::uint32_t rest = sum % 1000;
  if (rest > 500 || (rest == 500 && (grey & 1) != 0)) ++grey;
  return static_cast<unsigned char>(grey);
}

}  // namespace vell
