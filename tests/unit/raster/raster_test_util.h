// Helpers for the raster tests: small asymmetric pictures, seeded random pictures, and pictures
// whose rows are padded, so that every operation is also checked with stride > width.
#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "raster/picture.h"

namespace snapwell::testing {

inline constexpr std::uint32_t kRed = 0x00FF0000;
inline constexpr std::uint32_t kBlue = 0x000000FF;
inline constexpr std::uint32_t kGreen = 0x0000FF00;

using Rows = std::vector<std::string>;

// Storage with three unused pixels at the end of every row (filled with a marker that must
// never show up in a picture).
class PaddedPixelStore : public PixelStore {
 public:
  static constexpr int kPad = 3;
  static constexpr std::uint32_t kMarker = 0xDEADBEEF;
  vell::PixelView View() const override {
    return vell::PixelView{pixels_.empty() ? nullptr : const_cast<std::uint32_t*>(pixels_.data()), width_,
                           height_, width_ + kPad};
  }
  bool Reallocate(int width, int height, const Refill& refill) override {
    if (!IsAcceptablePictureSize(width, height)) return false;
    std::vector<std::uint32_t> fresh(static_cast<std::size_t>(width + kPad) * height, kMarker);
    if (refill)
      refill(vell::PixelView{fresh.empty() ? nullptr : fresh.data(), width, height, width + kPad}, View());
    pixels_ = std::move(fresh);
    width_ = width;
    height_ = height;
    return true;
  }
  bool PaddingIntact() const {
    for (int y = 0; y < height_; ++y) {
      for (int i = 0; i < kPad; ++i) {
        if (pixels_[static_cast<std::size_t>(y) * (width_ + kPad) + width_ + i] != kMarker) return false;
      }
    }
    return true;
  }

 private:
  std::vector<std::uint32_t> pixels_;
  int width_ = 0;
  int height_ = 0;
};

inline Picture PaddedPicture(int width, int height) {
  Picture p(std::make_unique<PaddedPixelStore>());
  p.Resize(width, height);
  return p;
}

// The letters of FromRows / ToRows: '.' white, '#' black, 'r' red, 'b' blue, 'g' green.
inline constexpr std::pair<char, std::uint32_t> kLetters[] = {
    {'.', kWhite}, {'#', kBlack}, {'r', kRed}, {'b', kBlue}, {'g', kGreen}};

inline Picture FromRows(const Rows& rows) {
  Picture p(rows.empty() ? 0 : static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x) {
      for (auto [letter, colour] : kLetters) {
        if (rows[y][x] == letter) p.SetPixel(x, y, colour);
      }
    }
  }
  return p;
}

// The picture as rows of letters ('?' for any other colour).
inline Rows ToRows(const Picture& p) {
  Rows rows(p.Height(), std::string(p.Width(), '?'));
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x) {
      for (auto [letter, colour] : kLetters) {
        if (p.GetPixel(x, y) == colour) rows[y][x] = letter;
      }
    }
  }
  return rows;
}

// A 4 × 5 "F": red stem, blue arms. No flip, turn or channel swap maps it onto itself.
inline Picture LetterF() {
  return FromRows({"rbbb", "r...", "rbb.", "r...", "r..."});
}

inline void FillRandom(Picture& p, std::uint32_t seed, std::uint32_t colorMask = kColorMask) {
  std::mt19937 rng(seed);
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x)
      p.SetPixel(x, y, rng() & colorMask);
  }
}

inline std::vector<std::uint32_t> PixelsOf(const Picture& p) {
  std::vector<std::uint32_t> out;
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x)
      out.push_back(p.GetPixel(x, y));
  }
  return out;
}

// A plain copy of a picture's pixels.
inline Picture CopyOf(const Picture& p) {
  Picture c(p.Width(), p.Height());
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x)
      c.SetPixel(x, y, p.GetPixel(x, y));
  }
  return c;
}

}  // namespace snapwell::testing
