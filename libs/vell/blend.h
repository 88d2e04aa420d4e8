// Small pixel arithmetic shared by the geometry routines: an 8-bit fixed-point blend of two
// 0x00RRGGBB pixels that keeps a flat colour exactly flat.
#pragma once

#include <cstdint>

namespace vell {

// a * (256 - w) + b * w, rounded, per channel; w in 0..256. Red and blue travel together in the
// even bytes, green on its own, so each channel has 16 bits of headroom.
inline std::uint32_t Blend(std::uint32_t a, std::uint32_t b, std::uint32_t w) {
  const std::uint32_t iw = 256 - w;
  const std::uint32_t rb = ((a & 0xFF00FFu) * iw + (b & 0xFF00FFu) * w + 0x800080u) >> 8;
  const std::uint32_t g = ((a & 0x00FF00u) * iw + (b & 0x00FF00u) * w + 0x008000u) >> 8;
  return (rb & 0xFF00FFu) | (g & 0x00FF00u);
}

}  // namespace vell
