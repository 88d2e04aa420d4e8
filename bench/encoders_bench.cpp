// File writers on a desktop-like picture (windows with text-like strokes, flat areas, a noisy
// photo strip, a taskbar) at 1920x1080 and 3840x2160, against a plain memcpy of the same
// pixels. PNG reports its file size next to what libpng's default settings give.
#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "output/bmp_file.h"
#include "pixel_view.h"
#include "savejpg/savejpg.h"
#include "support/libpng_reference.h"
#include "vell/encoders/encoders.h"

namespace {

struct Desktop {
  int width;
  int height;
  std::vector<std::uint32_t> pixels;
  vell::ConstPixelView View() const { return {pixels.data(), width, height, width}; }
};

Desktop MakeDesktop(int w, int h) {
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

const Desktop& DesktopOf(int w, int h) {
  static Desktop hd = MakeDesktop(1920, 1080);
  static Desktop uhd = MakeDesktop(3840, 2160);
  return (w == hd.width && h == hd.height) ? hd : uhd;
}

std::string ScratchPath(const std::string& name) {
  const std::filesystem::path shm("/dev/shm");
  return ((std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path()) / name)
      .string();
}

std::uintmax_t FileSize(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::file_size(path, ignored);
}

void BM_Memcpy(benchmark::State& state) {
  const Desktop& d = DesktopOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  std::vector<std::uint32_t> copy(d.pixels.size());
  for (auto _ : state) {
    std::memcpy(copy.data(), d.pixels.data(), d.pixels.size() * sizeof(std::uint32_t));
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
}

void BM_WriteBmp(benchmark::State& state) {
  const Desktop& d = DesktopOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const std::string path = ScratchPath("snapwell-bench.bmp");
  for (auto _ : state) {
    if (snapwell::WriteBmpFile(path, d.View()) != snapwell::FileError::None)
      state.SkipWithError("BMP not written");
  }
  state.counters["file_bytes"] = static_cast<double>(FileSize(path));
  std::filesystem::remove(path);
}

// CPU time of the whole process, every thread included, in milliseconds.
double ProcessCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

template <bool (*Write)(const char*, vell::ConstPixelView)>
void BM_VellWriter(benchmark::State& state, const char* name) {
  const Desktop& d = DesktopOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const std::string path = ScratchPath(std::string("snapwell-bench.") + name);
  const double cpuBefore = ProcessCpuMs();
  for (auto _ : state) {
    if (!Write(path.c_str(), d.View())) state.SkipWithError("file not written");
  }
  // Writers that work on several threads: CPU time of all of them per file.
  state.counters["all_threads_cpu_ms"] =
      (ProcessCpuMs() - cpuBefore) / static_cast<double>(state.iterations() ? state.iterations() : 1);
  state.counters["file_bytes"] = static_cast<double>(FileSize(path));
  std::filesystem::remove(path);
}

void BM_WritePpm(benchmark::State& state) {
  BM_VellWriter<vell::WritePpm>(state, "ppm");
}
void BM_WritePgm(benchmark::State& state) {
  BM_VellWriter<vell::WritePgm>(state, "pgm");
}
void BM_WriteEps(benchmark::State& state) {
  BM_VellWriter<vell::WriteEps>(state, "eps");
}

void BM_WritePng(benchmark::State& state) {
  BM_VellWriter<vell::WritePng>(state, "png");
  const Desktop& d = DesktopOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  state.counters["libpng_default_bytes"] =
      static_cast<double>(snapwell::testing::LibpngDefaultSize(d.View()));
}

// libpng with its defaults, timed for comparison.
void BM_LibpngDefault(benchmark::State& state) {
  const Desktop& d = DesktopOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  std::size_t size = 0;
  for (auto _ : state)
    size = snapwell::testing::LibpngDefaultSize(d.View());
  state.counters["file_bytes"] = static_cast<double>(size);
}

// What the saving step does for JPEG: the BMP file is read back and converted at quality 85.
void BM_SavetoJpeg(benchmark::State& state) {
  const Desktop& d = DesktopOf(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const std::string bmp = ScratchPath("snapwell-bench-in.bmp");
  const std::string jpg = ScratchPath("snapwell-bench.jpg");
  if (snapwell::WriteBmpFile(bmp, d.View()) != snapwell::FileError::None)
    state.SkipWithError("BMP not written");
  for (auto _ : state) {
    if (savejpg::SavetoJPEG(bmp.c_str(), jpg.c_str(), 85, 0) != savejpg::kSaved)
      state.SkipWithError("JPEG not written");
  }
  state.counters["file_bytes"] = static_cast<double>(FileSize(jpg));
  std::filesystem::remove(bmp);
  std::filesystem::remove(jpg);
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_Memcpy)->Apply(Sizes);
BENCHMARK(BM_WriteBmp)->Apply(Sizes);
BENCHMARK(BM_WritePpm)->Apply(Sizes);
BENCHMARK(BM_WritePgm)->Apply(Sizes);
BENCHMARK(BM_WritePng)->Apply(Sizes);
BENCHMARK(BM_LibpngDefault)->Apply(Sizes);
BENCHMARK(BM_SavetoJpeg)->Apply(Sizes);
BENCHMARK(BM_WriteEps)->Apply(Sizes);

}  // namespace
