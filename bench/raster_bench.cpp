// Raster operations on a desktop-like picture (flat windows, text-like strokes, a noisy photo
// strip) at 1920×1080 and 3840×2160, next to a plain memcpy of the same picture in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "raster/block_transfer.h"
#include "raster/picture.h"
#include "raster/turns.h"

namespace snapwell {
namespace {

Picture DesktopLike(int width, int height) {
  Picture p(width, height);
  std::mt19937 rng(20261207);
  p.FillRect(0, 0, width, height, 0x003A6EA5);  // wallpaper
  // Windows: flat areas with a title bar and lines of "text".
  for (int i = 0; i < 6; ++i) {
    const int w = width / 3 + static_cast<int>(rng() % (width / 4));
    const int h = height / 3 + static_cast<int>(rng() % (height / 4));
    const int x = static_cast<int>(rng() % (width - w));
    const int y = static_cast<int>(rng() % (height - h));
    p.FillRect(x, y, w, h, i % 2 ? 0x00F0F0F0 : kWhite);
    p.FillRect(x, y, w, 24, 0x000078D7);
    for (int line = y + 34; line + 12 < y + h; line += 18) {
      for (int gx = x + 8; gx + 8 < x + w - 8; gx += 7 + static_cast<int>(rng() % 3)) {
        if (rng() % 9 == 0) continue;  // a space between words
        const int glyph = static_cast<int>(rng() % 4);
        p.Line(gx, line, gx, line + 10);
        if (glyph > 0) p.Line(gx, line + 5 * (glyph - 1), gx + 5, line + 5 * (glyph - 1));
        if (glyph == 3) p.Line(gx + 5, line, gx + 5, line + 10);
      }
    }
  }
  // A photo: smooth gradients with noise across a strip.
  const int top = height * 2 / 3;
  const int stripH = height / 5;
  for (int y = top; y < top + stripH; ++y) {
    std::uint32_t* row = p.View().Row(y);
    for (int x = 0; x < width; ++x) {
      const int n = static_cast<int>(rng() % 24);
      row[x] =
          vell::Rgb((x * 255 / width + n) & 0xFF, ((y - top) * 255 / stripH + n) & 0xFF, (128 + n) & 0xFF);
    }
  }
  return p;
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
}

void BM_RasterMemcpy(benchmark::State& state) {
  const Picture src = DesktopLike(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  Picture dst(src.Width(), src.Height());
  const std::size_t bytes = static_cast<std::size_t>(src.Width()) * src.Height() * sizeof(std::uint32_t);
  for (auto _ : state) {
    std::memcpy(dst.View().pixels, src.View().pixels, bytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_RasterMemcpy)->Apply(Sizes);

void BM_RasterBitBltSrcCopy(benchmark::State& state) {
  const Picture src = DesktopLike(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  Picture dst(src.Width(), src.Height());
  for (auto _ : state) {
    BitBlt(dst, 0, 0, src.Width(), src.Height(), src, 0, 0, RasterOp::kSrcCopy);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RasterBitBltSrcCopy)->Apply(Sizes);

template <Flip kFlip>
void BM_Mirror(benchmark::State& state) {
  const Picture src = DesktopLike(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  Picture dst(src.Width(), src.Height());
  for (auto _ : state) {
    FlipCopy(src.View(), dst.View(), kFlip);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Mirror<Flip::kHorizontal>)->Name("BM_RasterMirrorHorizontal")->Apply(Sizes);
BENCHMARK(BM_Mirror<Flip::kVertical>)->Name("BM_RasterMirrorVertical")->Apply(Sizes);
BENCHMARK(BM_Mirror<Flip::kBoth>)->Name("BM_RasterTurnHalf")->Apply(Sizes);

void BM_RasterMirrorHorizontalInPlace(benchmark::State& state) {
  Picture p = DesktopLike(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  for (auto _ : state) {
    FlipInPlace(p.View(), Flip::kHorizontal);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RasterMirrorHorizontalInPlace)->Apply(Sizes);

void BM_RasterTurnClockwise(benchmark::State& state) {
  const Picture src = DesktopLike(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  Picture dst(src.Height(), src.Width());
  for (auto _ : state) {
    TurnClockwise(src.View(), dst.View());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RasterTurnClockwise)->Apply(Sizes);

void BM_RasterTurnAnticlockwise(benchmark::State& state) {
  const Picture src = DesktopLike(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  Picture dst(src.Height(), src.Width());
  for (auto _ : state) {
    TurnAnticlockwise(src.View(), dst.View());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RasterTurnAnticlockwise)->Apply(Sizes);

// The freehand mask: a closed outline on white, filled from the corner up to black with black.
void BM_RasterFloodFillMask(benchmark::State& state) {
  const int w = static_cast<int>(state.range(0));
  const int h = static_cast<int>(state.range(1));
  Picture mask(w, h);
  mask.SetPenWidth(3);
  mask.SetFillStyle(FillStyle::kTransparent);
  mask.Circle(w / 2.0, h / 2.0, h / 3.0);
  for (int i = 0; i < 40; ++i)
    mask.Line(w / 8 + i * 9, h / 8, w / 8 + i * 9 + 40, h / 8 + 60);
  Picture work(w, h);
  for (auto _ : state) {
    state.PauseTiming();
    BitBlt(work, 0, 0, w, h, mask, 0, 0, RasterOp::kSrcCopy);
    state.ResumeTiming();
    work.FloodFillBorder(0, 0, kBlack);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RasterFloodFillMask)->Apply(Sizes);

// The whole desktop picture filled with another colour (no border colour in it at all).
void BM_RasterFloodFillWholeDesktop(benchmark::State& state) {
  const Picture desktop = DesktopLike(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  Picture work(desktop.Width(), desktop.Height());
  work.SetFillColor(0x00FF0000);
  for (auto _ : state) {
    state.PauseTiming();
    BitBlt(work, 0, 0, work.Width(), work.Height(), desktop, 0, 0, RasterOp::kSrcCopy);
    state.ResumeTiming();
    work.FloodFillBorder(0, 0, 0x00010203);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RasterFloodFillWholeDesktop)->Apply(Sizes);

}  // namespace
}  // namespace snapwell
