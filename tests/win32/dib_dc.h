// Test helper: a 32-bit DIB section selected into its own memory DC, in either row order,
// addressed top-down whatever its layout — what the imaging libraries receive from Snapwell.
#pragma once

#include <windows.h>

#include <cstdint>

namespace snapwell::testing {

class DibDc {
 public:
  DibDc(int width, int height, bool topDown, std::uint32_t fill)
      : width_(width), height_(height), topDown_(topDown) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = topDown ? -height : height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<std::uint32_t*>(bits);
    old_ = SelectObject(dc_, bitmap_);
    for (int i = 0; i < width * height; ++i)
      bits_[i] = fill;
  }
  DibDc(const DibDc&) = delete;
  DibDc& operator=(const DibDc&) = delete;
  ~DibDc() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }

  HDC Dc() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // A pixel by top-down coordinates; GDI's pending drawing is flushed first.
  std::uint32_t& At(int x, int y) {
    GdiFlush();
    return bits_[(topDown_ ? y : height_ - 1 - y) * width_ + x];
  }

 private:
  int width_, height_;
  bool topDown_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

}  // namespace snapwell::testing
