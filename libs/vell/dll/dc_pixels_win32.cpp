// Copies of a device context's bitmap for the imaging library's exports.
#include "dc_pixels_win32.h"

#include <algorithm>
#include <cstdlib>

namespace vell {
namespace {

// Largest bitmap we copy: 2^28 pixels (1 GiB), the program's own picture limit.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

}  // namespace

BITMAPINFO DcPixels::Format() const {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

bool DcPixels::Load(HDC dc) {
  if (dc == nullptr) return false;
  auto* bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
  BITMAP bm{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof(bm), &bm) == 0) return false;
  const std::int64_t w = std::abs(static_cast<std::int64_t>(bm.bmWidth));
  const std::int64_t h = std::abs(static_cast<std::int64_t>(bm.bmHeight));
  if (w == 0 || h == 0 || w * h > kMaxPixels) return false;
  dc_ = dc;
  bitmap_ = bitmap;
  width_ = static_cast<int>(w);
  height_ = static_cast<int>(h);
  pixels_.assign(static_cast<std::size_t>(w * h), 0);
  BITMAPINFO info = Format();
  if (GetDIBits(dc_, bitmap_, 0, static_cast<UINT>(height_), pixels_.data(), &info, DIB_RGB_COLORS) !=
      height_) {
    return false;
  }
  // The fourth byte is unused in a 32-bit DIB; keep it zero so every pixel is 0x00RRGGBB.
  for (std::uint32_t& p : pixels_)
    p &= 0x00FFFFFFu;
  return true;
}

bool DcPixels::Store() {
  if (bitmap_ == nullptr) return false;
  BITMAPINFO info = Format();
  return SetDIBits(dc_, bitmap_, 0, static_cast<UINT>(height_), pixels_.data(), &info, DIB_RGB_COLORS) ==
         height_;
}

bool DcPixels::LoadForReading(HDC dc) {
  if (dc == nullptr) return false;
  auto* bitmap = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
  DIBSECTION section{};
  if (bitmap != nullptr && GetObjectW(bitmap, sizeof(section), &section) == sizeof(section) &&
      section.dsBm.bmBits != nullptr && section.dsBmih.biBitCount == 32 &&
      section.dsBmih.biCompression == BI_RGB && section.dsBmih.biHeight < 0 &&
      section.dsBm.bmWidthBytes == section.dsBm.bmWidth * 4) {
    const std::int64_t w = section.dsBm.bmWidth;
    const std::int64_t h = -static_cast<std::int64_t>(section.dsBmih.biHeight);
    if (w > 0 && w * h <= kMaxPixels) {
      GdiFlush();  // drawing still queued for the bitmap lands first
      const auto* bits = static_cast<const std::uint32_t*>(section.dsBm.bmBits);
      if (std::all_of(bits, bits + w * h, [](std::uint32_t p) { return (p >> 24) == 0; })) {
        dc_ = dc;
        bitmap_ = bitmap;
        width_ = static_cast<int>(w);
        height_ = static_cast<int>(h);
        inPlace_ = ConstPixelView{bits, width_, height_, width_};
        return true;
      }
    }
  }
  return Load(dc);
}

ConstPixelView DcPixels::Block(int x, int y, int width, int height) const {
  const ConstPixelView all =
      inPlace_.pixels != nullptr ? inPlace_ : ConstPixelView{pixels_.data(), width_, height_, width_};
  return BlockOf(all, x, y, width, height);
}

}  // namespace vell
