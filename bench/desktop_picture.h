// A desktop-like picture for the benchmarks: overlapping windows with text-like strokes, flat
// areas, a noisy photo strip and a taskbar, the same on every run.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "pixel_view.h"

namespace snapwell::bench {

struct Desktop {
  int width;
  int height;
  std::vector<std::uint32_t> pixels;
  vell::ConstPixelView View() const { return {pixels.data(), width, height, width}; }
};

inline Desktop MakeDesktop(int w, int h) {
  Desktop d{w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w) * h, vell::Rgb(58, 110, 165))};
  std::uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  auto fill = [&d](int x0, int y0, int x1, int y1, std::uint32_t c) {
    for (int y = std::max(0, y0); y < std::min(d.height, y1); ++y)
      for (int x = std::max(0, x0); x < std::min(d.width, x1); ++x)
        d.pixels[static_cast<std::size_t>(y) * d.width + x] = c;
  };
  std::uint8_t glyphs[48][9];
  for (auto& glyph : glyphs)
    for (auto& row : glyph)
      row = static_cast<std::uint8_t>(next() & 0x3F);
  // Overlapping windows: title bar, toolbar, white client area with lines of "text".
  for (int i = 0; i < 5; ++i) {
    const int x0 = i * w / 7 + 20, y0 = i * h / 9 + 30, x1 = x0 + w / 2, y1 = y0 + h / 2;
    fill(x0 - 1, y0 - 1, x1 + 1, y1 + 1, vell::Rgb(128, 128, 128));
    for (int y = y0; y < y0 + 24; ++y)
      fill(x0, y, x1, y + 1, vell::Rgb(31, 78, 153 + 2 * (y - y0)));
    fill(x0, y0 + 24, x1, y1, vell::Rgb(255, 255, 255));
    fill(x0, y0 + 24, x1, y0 + 50, vell::Rgb(240, 240, 240));
    for (int ty = y0 + 60; ty + 12 < std::min(y1, h); ty += 16) {
      const int end = x0 + 8 + static_cast<int>(next() % static_cast<std::uint32_t>(x1 - x0 - 20));
      for (int tx = x0 + 8; tx < end; tx += (next() % 7 == 0) ? 10 : 7) {
        const std::uint8_t* glyph = glyphs[next() % 48];
        for (int gy = 0; gy < 9; ++gy)
          for (int gx = 0; gx < 6; ++gx)
            if ((glyph[gy] >> gx & 1) && tx + gx < w)
              d.pixels[static_cast<std::size_t>(ty + gy) * w + tx + gx] =
                  ((gx ^ gy) & 1) ? vell::Rgb(32, 32, 32) : vell::Rgb(90, 90, 90);
      }
    }
  }
  // A photo-like strip: smooth colour waves with grain.
  const int s0 = h * 7 / 10, s1 = s0 + h / 7;
  for (int y = s0; y < s1; ++y)
    for (int x = 0; x < w; ++x) {
      const double fx = x / static_cast<double>(w), fy = (y - s0) / static_cast<double>(s1 - s0);
      auto grain = [&next](double v) {
        return std::clamp(static_cast<int>(v) + static_cast<int>(next() % 17) - 8, 0, 255);
      };
      d.pixels[static_cast<std::size_t>(y) * w + x] =
          vell::Rgb(grain(128 + 90 * std::sin(fx * 9 + fy * 3)), grain(110 + 80 * std::cos(fx * 5 - fy * 4)),
                    grain(100 + 70 * std::sin(fx * 13 + fy)));
    }
  fill(0, h - 40, w, h, vell::Rgb(32, 40, 48));  // taskbar
  return d;
}

}  // namespace snapwell::bench
