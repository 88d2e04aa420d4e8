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

#include "desktop_picture.h"
#include "output/bmp_file.h"
#include "pixel_view.h"
#include "savejpg/savejpg.h"
#include "support/libpng_reference.h"
#include "vell/encoders/encoders.h"

namespace {

using snapwell::bench::Desktop;
using snapwell::bench::MakeDesktop;

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
