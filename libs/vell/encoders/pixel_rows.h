// Small helpers shared by the encoders: checking a picture before writing it and turning
// its 32-bit rows into the byte layouts the file formats want (on little-endian machines,
// which are all this library is built for).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "pixel_view.h"

namespace vell {

// A picture worth writing: pixels present, both sides positive, rows no shorter than the width.
inline bool IsWritable(const ConstPixelView& image) {
  return image.pixels != nullptr && image.width > 0 && image.height > 0 && image.stride >= image.width;
}

// R, G, B bytes of one row. Four pixels at a time go out as 12 bytes in two little-endian stores.
inline void RowToRgb(const std::uint32_t* row, int width, unsigned char* out) {
  int x = 0;
  for (; x + 4 <= width; x += 4, out += 12) {
    // 0x00RRGGBB turned into 0x00BBGGRR, whose low three bytes are R, G, B in memory.
    const std::uint32_t a = __builtin_bswap32(row[x]) >> 8;
    const std::uint32_t b = __builtin_bswap32(row[x + 1]) >> 8;
    const std::uint32_t c = __builtin_bswap32(row[x + 2]) >> 8;
    const std::uint32_t d = __builtin_bswap32(row[x + 3]) >> 8;
    // Whole-word stores: building the bytes in a small array first stalls store forwarding.
    const std::uint64_t first = a | (std::uint64_t{b} << 24) | (std::uint64_t{c} << 48);
    const std::uint32_t second = (c >> 16) | (d << 8);
    std::memcpy(out, &first, sizeof first);
    std::memcpy(out + 8, &second, sizeof second);
  }
  for (; x < width; ++x, out += 3) {
    const std::uint32_t p = row[x];
    out[0] = static_cast<unsigned char>(p >> 16);
    out[1] = static_cast<unsigned char>(p >> 8);
    out[2] = static_cast<unsigned char>(p);
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
