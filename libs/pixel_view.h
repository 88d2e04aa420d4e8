// A view of 32-bit pixels shared by the imaging libraries and the program's pictures.
// A pixel is 0x00RRGGBB in a std::uint32_t (bytes B, G, R, 0 in memory, as in a 32-bit DIB);
// rows run top-down, stride counts pixels from one row to the next.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vell {

struct PixelView {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;  // in pixels, >= width

  std::uint32_t* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
  std::uint32_t& At(int x, int y) const { return Row(y)[x]; }
  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

struct ConstPixelView {
  const std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  std::ptrdiff_t stride = 0;

  ConstPixelView() = default;
  ConstPixelView(const std::uint32_t* p, int w, int h, std::ptrdiff_t s)
      : pixels(p), width(w), height(h), stride(s) {}
  ConstPixelView(const PixelView& v)
      : pixels(v.pixels), width(v.width), height(v.height), stride(v.stride) {}  // NOLINT
  const std::uint32_t* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
  std::uint32_t At(int x, int y) const { return Row(y)[x]; }
};

constexpr std::uint32_t Rgb(int r, int g, int b) {
  return (static_cast<std::uint32_t>(r & 0xFF) << 16) | (static_cast<std::uint32_t>(g & 0xFF) << 8) |
         static_cast<std::uint32_t>(b & 0xFF);
}
constexpr int RedOf(std::uint32_t p) {
  return static_cast<int>((p >> 16) & 0xFF);
}
constexpr int GreenOf(std::uint32_t p) {
  return static_cast<int>((p >> 8) & 0xFF);
}
constexpr int BlueOf(std::uint32_t p) {
  return static_cast<int>(p & 0xFF);
}
// A Windows COLORREF (0x00BBGGRR) as a pixel.
constexpr std::uint32_t FromColorRef(std::uint32_t c) {
  return Rgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

}  // namespace vell
