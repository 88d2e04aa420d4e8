// Owned pixel buffers for the imaging tests: a picture of any size with a stride wider than
// its width, so row arithmetic mistakes show up.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "pixel_view.h"

namespace vell::testing {

class TestImage {
 public:
  TestImage(int width, int height, std::uint32_t fill = 0xFFFFFF)
      : width_(width),
        height_(height),
        stride_(width + 3),
        pixels_(static_cast<std::size_t>(stride_) * height, fill) {}

  PixelView View() { return {pixels_.data(), width_, height_, stride_}; }
  ConstPixelView CView() const { return {pixels_.data(), width_, height_, stride_}; }
  std::uint32_t& At(int x, int y) { return pixels_[static_cast<std::size_t>(y) * stride_ + x]; }
  std::uint32_t At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * stride_ + x]; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  bool SamePixels(const TestImage& other) const {
    if (width_ != other.width_ || height_ != other.height_) return false;
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        if (At(x, y) != other.At(x, y)) return false;
      }
    }
    return true;
  }

  // True when no routine wrote into the gap between the end of a row and the next row.
  bool PaddingHolds(std::uint32_t fill) const {
    for (int y = 0; y < height_; ++y) {
      for (int x = width_; x < stride_; ++x) {
        if (pixels_[static_cast<std::size_t>(y) * stride_ + x] != fill) return false;
      }
    }
    return true;
  }

  // An "F" in two colours on a third: every flip, turn and channel swap changes it.
  static TestImage LetterF(int width, int height) {
    TestImage img(width, height, Rgb(240, 240, 240));
    for (int y = 0; y < height; ++y)
      img.At(0, y) = Rgb(200, 20, 30);
    for (int x = 0; x < width; ++x)
      img.At(x, 0) = Rgb(20, 40, 220);
    for (int x = 0; x < width / 2 + 1; ++x)
      img.At(x, height / 2) = Rgb(20, 40, 220);
    return img;
  }

  static TestImage Random(int width, int height, unsigned seed) {
    TestImage img(width, height);
    std::mt19937 rng(seed);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x)
        img.At(x, y) = rng() & 0xFFFFFF;
    }
    return img;
  }

 private:
  int width_;
  int height_;
  int stride_;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace vell::testing
