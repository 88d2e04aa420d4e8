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

// A block of a picture in pixels.
struct Block {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  bool Empty() const { return width <= 0 || height <= 0; }
};

// The part of the block (x, y, width, height) that lies inside a limitWidth × limitHeight
// picture; an empty block when they do not meet. Never overflows, whatever the numbers.
constexpr Block ClipBlock(int x, int y, int width, int height, int limitWidth, int limitHeight) {
  const std::int64_t left = x > 0 ? x : 0;
  const std::int64_t top = y > 0 ? y : 0;
  const std::int64_t right = std::int64_t{x} + width < limitWidth ? std::int64_t{x} + width : limitWidth;
  const std::int64_t bottom = std::int64_t{y} + height < limitHeight ? std::int64_t{y} + height : limitHeight;
  if (right <= left || bottom <= top) return {};
  return {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
          static_cast<int>(bottom - top)};
}

// The pixels of the part of a block inside a view; a view without pixels when there is none.
template <typename View>
View BlockOf(const View& view, int x, int y, int width, int height) {
  const Block block = ClipBlock(x, y, width, height, view.width, view.height);
  if (block.Empty()) return View{};
  return View{view.Row(block.y) + block.x, block.width, block.height, view.stride};
}

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
