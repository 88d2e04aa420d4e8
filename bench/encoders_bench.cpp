// File writers on the screenshot corpus (scripts/screenshot-corpus: real screen grabs at
// 1920x1080 and 3840x2160). As in the program, every file is written on disk in a target
// folder (build/bench-out) and every result is allocated per capture; writers that use several
// threads report the CPU time of all of them beside the wall time. `make bench-compare` puts
// libpng and libjpeg-turbo beside these on the same pictures.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "output/bmp_file.h"
#include "savejpg/savejpg.h"
#include "support/libpng_reference.h"
#include "support/screenshot_corpus.h"
#include "vell/encoders/encoders.h"

namespace {

using snapwell::testing::CorpusPicture;

std::string OutPath(const CorpusPicture& picture, const std::string& extension) {
  return snapwell::bench::OutPath(picture.name, extension);
}

using snapwell::bench::ProcessCpuMs;

// Runs `write` once per iteration and reports the file's size and the CPU time of all threads.
template <typename Write>
void MeasureFile(benchmark::State& state, const std::string& path, Write write) {
  const double cpuBefore = ProcessCpuMs();
  for (auto _ : state)
    if (!write()) state.SkipWithError("file not written");
  const double iterations = state.iterations() ? static_cast<double>(state.iterations()) : 1.0;
  state.counters["all_threads_cpu_ms"] = (ProcessCpuMs() - cpuBefore) / iterations;
  std::error_code ignored;
  state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(path, ignored));
}

void BM_Memcpy(benchmark::State& state, const CorpusPicture* picture) {
  for (auto _ : state) {
    std::vector<std::uint32_t> copy(picture->pixels.size());
    std::memcpy(copy.data(), picture->pixels.data(), copy.size() * sizeof(std::uint32_t));
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
}

void BM_WriteBmp(benchmark::State& state, const CorpusPicture* picture) {
  const std::string path = OutPath(*picture, ".bmp");
  MeasureFile(state, path,
              [&] { return snapwell::WriteBmpFile(path, picture->View()) == snapwell::FileError::None; });
}

template <bool (*Write)(const char*, vell::ConstPixelView, vell::FileFailure*)>
void BM_VellWriter(benchmark::State& state, const CorpusPicture* picture, const char* extension) {
  const std::string path = OutPath(*picture, extension);
  MeasureFile(state, path, [&] { return Write(path.c_str(), picture->View(), nullptr); });
}

void BM_WritePng(benchmark::State& state, const CorpusPicture* picture) {
  BM_VellWriter<vell::WritePng>(state, picture, ".png");
  state.counters["size_vs_libpng"] =
      state.counters["file_bytes"] /
      static_cast<double>(snapwell::testing::LibpngDefaultSize(picture->View()));
}

// SavetoJPEG alone: the BMP file in, the JPEG file out, at the program's quality.
void BM_SavetoJpeg(benchmark::State& state, const CorpusPicture* picture) {
  const std::string bmp = OutPath(*picture, "-in.bmp"), jpg = OutPath(*picture, ".jpg");
  if (snapwell::WriteBmpFile(bmp, picture->View()) != snapwell::FileError::None)
    state.SkipWithError("no BMP");
  MeasureFile(state, jpg,
              [&] { return savejpg::SavetoJPEG(bmp.c_str(), jpg.c_str(), 85, 0) == savejpg::kSaved; });
  std::filesystem::remove(bmp);
}

// The program's whole JPEG step: a temporary BMP file, SavetoJPEG, the BMP file removed.
void BM_JpegSaveStep(benchmark::State& state, const CorpusPicture* picture) {
  const std::string bmp = OutPath(*picture, "-step.bmp"), jpg = OutPath(*picture, "-step.jpg");
  MeasureFile(state, jpg, [&] {
    const bool ok = snapwell::WriteBmpFile(bmp, picture->View()) == snapwell::FileError::None &&
                    savejpg::SavetoJPEG(bmp.c_str(), jpg.c_str(), 85, 0) == savejpg::kSaved;
    std::filesystem::remove(bmp);
    return ok;
  });
}

void Register(const char* name, void (*bench)(benchmark::State&, const CorpusPicture*),
              const CorpusPicture& picture) {
  benchmark::RegisterBenchmark((std::string(name) + "/" + picture.name).c_str(), bench, &picture)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
}

// One benchmark per writer and picture, registered before the benchmark library's main runs.
const bool kRegistered = [] {
  static const std::vector<CorpusPicture> corpus =
      snapwell::testing::LoadCorpus(snapwell::bench::LiveCorpusFolder());
  if (corpus.empty()) std::fprintf(stderr, "no screenshot corpus: run make corpus\n");
  for (const CorpusPicture& picture : corpus) {
    Register("BM_Memcpy", BM_Memcpy, picture);
    Register("BM_WriteBmp", BM_WriteBmp, picture);
    Register("BM_WritePng", BM_WritePng, picture);
    Register(
        "BM_WritePpm",
        [](benchmark::State& s, const CorpusPicture* p) { BM_VellWriter<vell::WritePpm>(s, p, ".ppm"); },
        picture);
    Register(
        "BM_WritePgm",
        [](benchmark::State& s, const CorpusPicture* p) { BM_VellWriter<vell::WritePgm>(s, p, ".pgm"); },
        picture);
    Register(
        "BM_WriteEps",
        [](benchmark::State& s, const CorpusPicture* p) { BM_VellWriter<vell::WriteEps>(s, p, ".eps"); },
        picture);
    Register("BM_SavetoJpeg", BM_SavetoJpeg, picture);
    Register("BM_JpegSaveStep", BM_JpegSaveStep, picture);
  }
  return true;
}();

}  // namespace
