// The imaging library's geometry on desktop-sized pictures, against a plain memcpy of the
// same picture measured in the same run.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <vector>

#include "pixel_view.h"
#include "vell/geometry.h"

namespace {

struct BenchPicture {
  int width, height;
  std::vector<std::uint32_t> pixels;
  BenchPicture(int w, int h, std::uint32_t fill = 0xFFFFFF)
      : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
  vell::PixelView View() { return {pixels.data(), width, height, width}; }
};

// A desktop: a title bar and task bar, flat window areas, rows of "text" and a photo strip.
BenchPicture Desktop(int w, int h) {
  BenchPicture p(w, h, vell::Rgb(0, 120, 215));
  std::uint32_t seed = 12345;
  for (int y = 0; y < h; ++y) {
    std::uint32_t* row = p.pixels.data() + static_cast<std::size_t>(y) * w;
    for (int x = 0; x < w; ++x) {
      if (y > h - h / 24) {
        row[x] = vell::Rgb(32, 32, 32);
      } else if (x > w / 10 && x < w * 6 / 10 && y > h / 10 && y < h * 8 / 10) {
        const bool titleBar = y < h / 10 + 30;
        seed = seed * 1664525u + 1013904223u;
        const bool ink = !titleBar && (y / 16) % 2 == 0 && ((x / 7 + y / 16) % 5 != 0) && (seed >> 28) < 6;
        row[x] = titleBar ? vell::Rgb(240, 240, 240) : (ink ? vell::Rgb(20, 20, 20) : 0xFFFFFF);
      } else if (x > w * 65 / 100 && x < w * 95 / 100 && y > h / 5 && y < h * 3 / 5) {
        // A photo: smooth gradients with noise.
        seed = seed * 1664525u + 1013904223u;
        const int n = static_cast<int>(seed >> 29);
        row[x] = vell::Rgb((x * 255 / w + n) & 0xFF, (y * 255 / h + n) & 0xFF, ((x + y) / 8 + n) & 0xFF);
      }
    }
  }
  return p;
}

const int kSizes[][2] = {{1920, 1080}, {3840, 2160}};

void BM_VellMemcpy(benchmark::State& state) {
  const auto* size = kSizes[state.range(0)];
  BenchPicture src = Desktop(size[0], size[1]), dst(size[0], size[1]);
  for (auto _ : state) {
    std::memcpy(dst.pixels.data(), src.pixels.data(), src.pixels.size() * sizeof(std::uint32_t));
    benchmark::ClobberMemory();
  }
  state.SetLabel(std::to_string(size[0]) + "x" + std::to_string(size[1]));
}

void BM_RollBitBlt30Bilinear(benchmark::State& state) {
  const auto* size = kSizes[state.range(0)];
  BenchPicture src = Desktop(size[0], size[1]);
  const double a = std::numbers::pi / 6;
  const int cw = static_cast<int>(std::ceil(size[0] * std::cos(a) + size[1] * std::sin(a))) + 2;
  const int ch = static_cast<int>(std::ceil(size[0] * std::sin(a) + size[1] * std::cos(a))) + 2;
  BenchPicture dst(cw, ch);
  for (auto _ : state) {
    vell::Roll(dst.View(), (cw - 1) / 2.0, (ch - 1) / 2.0, cw, ch, a, src.View(), (size[0] - 1) / 2.0,
               (size[1] - 1) / 2.0, vell::RollSampling::kBilinear, {0, 0, size[0] - 1, size[1] - 1});
    benchmark::ClobberMemory();
  }
  state.SetLabel(std::to_string(size[0]) + "x" + std::to_string(size[1]) + " onto " + std::to_string(cw) +
                 "x" + std::to_string(ch));
}

void Enlarge(benchmark::State& state, vell::EnlargeFilter filter) {
  const auto* size = kSizes[state.range(0)];
  BenchPicture src = Desktop(size[0], size[1]), dst(size[0] * 2, size[1] * 2);
  for (auto _ : state) {
    vell::Enlarge(dst.View(), 0, 0, size[0], size[1], src.View(), 0, 0, 2.0, filter);
    benchmark::ClobberMemory();
  }
  state.SetLabel(std::to_string(size[0]) + "x" + std::to_string(size[1]) + " x2");
}
void BM_EnlargeBitBlt2Smooth(benchmark::State& state) {
  Enlarge(state, vell::EnlargeFilter::kBilinear);
}
void BM_EnlargeBitBlt2Sharp(benchmark::State& state) {
  Enlarge(state, vell::EnlargeFilter::kSharp);
}

void BM_ReductBitBltHalf(benchmark::State& state) {
  const auto* size = kSizes[state.range(0)];
  BenchPicture src = Desktop(size[0], size[1]), dst(size[0] / 2, size[1] / 2);
  for (auto _ : state) {
    vell::Reduce(dst.View(), 0, 0, size[0], size[1], src.View(), 0, 0, 0.5);
    benchmark::ClobberMemory();
  }
  state.SetLabel(std::to_string(size[0]) + "x" + std::to_string(size[1]) + " x0.5");
}

void BM_DrawArcWholeEllipseInvert(benchmark::State& state) {
  const auto* size = kSizes[state.range(0)];
  BenchPicture p = Desktop(size[0], size[1]);
  for (auto _ : state) {
    vell::DrawArc(p.View(), 10, 10, size[0] - 10, size[1] - 10, 0, 0, 0, 0, 0, 6);
    benchmark::ClobberMemory();
  }
}

BENCHMARK(BM_VellMemcpy)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RollBitBlt30Bilinear)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnlargeBitBlt2Smooth)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EnlargeBitBlt2Sharp)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReductBitBltHalf)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawArcWholeEllipseInvert)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
