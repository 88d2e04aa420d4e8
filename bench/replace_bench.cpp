// What replacing a file costs: the PNG writer on a 1920x1080 screenshot-like picture, once
// into a fresh name and once over an existing file, where the new data is forced to disk
// before the rename. Written to the temporary folder (a real disk, unlike /dev/shm, where
// forcing data to disk costs nothing).
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "pixel_view.h"
#include "vell/encoders/encoders.h"

namespace {

// Flat window areas, a gradient title bar, lines of two-colour "text" and a noisy photo strip,
// which makes the file about as large as a real screenshot's.
std::vector<std::uint32_t> Screenshot(int width, int height) {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height, vell::Rgb(240, 240, 240));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint32_t& p = pixels[static_cast<std::size_t>(y) * width + x];
      if (y < 32)
        p = vell::Rgb(30, 80, 150 + y * 3);
      else if (y >= height - 160)
        p = (static_cast<std::uint32_t>(x) * 2654435761u ^ y * 40503u) >> 8 & 0xFFFFFF;
      else if (y % 18 < 12 && x % 9 < 6 && ((x * 7 + y * 13) / 11) % 3 != 0)
        p = vell::Rgb(20, 20, 20);
    }
  }
  return pixels;
}

void BM_PngOnto(benchmark::State& state, bool replacing) {
  constexpr int kWidth = 1920, kHeight = 1080;
  static const std::vector<std::uint32_t> pixels = Screenshot(kWidth, kHeight);
  const vell::ConstPixelView view{pixels.data(), kWidth, kHeight, kWidth};
  const std::filesystem::path path = std::filesystem::temp_directory_path() / "snapwell-replace-bench.png";
  std::filesystem::remove(path);
  if (replacing && !vell::WritePng(path.string().c_str(), view)) state.SkipWithError("file not written");
  for (auto _ : state) {
    if (!replacing) {
      state.PauseTiming();
      std::filesystem::remove(path);
      state.ResumeTiming();
    }
    if (!vell::WritePng(path.string().c_str(), view)) state.SkipWithError("file not written");
  }
  state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::filesystem::remove(path);
}

void BM_PngNewFile(benchmark::State& state) {
  BM_PngOnto(state, false);
}
void BM_PngReplacingFile(benchmark::State& state) {
  BM_PngOnto(state, true);
}

}  // namespace

BENCHMARK(BM_PngNewFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PngReplacingFile)->Unit(benchmark::kMillisecond)->UseRealTime();
