// The capture pipeline on the 1920x1080 screenshots of the corpus (make corpus): the frozen
// surface coming up on one monitor and on two (1280x1024 beside 1024x768), from the
// released mouse to the finished file for a full-screen rectangle in each format, and the single
// steps (cut-out and mask by frame style, scaling at 200 %, a 30-degree turn, halving). Files are written
// to build/bench-out on disk, as the program writes them; the buffers are the program's own,
// allocated per capture; all-thread CPU time is reported beside the wall time.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "capture/frm_main.h"
#include "support/capture_setup.h"
#include "support/disk_file_system.h"
#include "support/fake_platform.h"
#include "support/screenshot_corpus.h"
#include "transform/hand_over.h"
#include "transform/rotate.h"
#include "transform/scale.h"

namespace {

using namespace snapwell;
using namespace snapwell::testing;

constexpr int kW = 1920, kH = 1080;

struct NoDialogs : TransformDialogs {
  void ShowSeriesDialog() override {}
  void ShowSeriesProgress(const std::string&) override {}
  bool ShowOutputDialog() override { return true; }
  void DisableSettingsDialog() override {}
};

// Copies a corpus picture into the top-left corner of a picture.
void CopyInto(Picture& target, const CorpusPicture& source) {
  const vell::PixelView to = target.View();
  for (int y = 0; y < std::min(to.height, source.height); ++y)
    std::memcpy(to.Row(y), source.pixels.data() + static_cast<std::size_t>(y) * source.width,
                sizeof(std::uint32_t) * static_cast<std::size_t>(std::min(to.width, source.width)));
}

// CPU time of the timed parts only (the set-up between them runs with the timing paused).
class CpuMeter {
 public:
  void Start() { start_ = bench::ProcessCpuMs(); }
  void Stop() { total_ += bench::ProcessCpuMs() - start_; }
  void Report(benchmark::State& state) const {
    state.counters["all_threads_cpu_ms"] =
        total_ / static_cast<double>(std::max<std::int64_t>(1, state.iterations()));
  }

 private:
  double start_ = 0, total_ = 0;
};

// One run of the program on the fake desktop showing a screenshot, files on the real disk.
class Run {
 public:
  explicit Run(const CorpusPicture& desktop, int w = kW, int h = kH, std::vector<ScreenArea> monitors = {}) {
    SetUpScreen(fake, app, w, h);
    fake.screen.monitors = std::move(monitors);
    CopyInto(fake.desktop.screen, desktop);
    fake.output.temporaryFolder = bench::OutFolder();
    Settings& s = app.settings;
    s.RollValue = 6;
    s.OutDialog = 0;
    s.Outputs = 2;
    s.AutoName = 0;
    s.FreehandLineWidth = 1;
    form.handOver = &transform;
  }
  void Start(std::int16_t style) { StartCapture(app, form, style); }
  void Press(const std::vector<std::pair<int, int>>& points) {
    form.Form_MouseDown(1, 0, static_cast<float>(points[0].first), static_cast<float>(points[0].second));
    for (std::size_t i = 1; i < points.size(); ++i)
      form.MouseMove(1, 0, points[i].first, points[i].second);
  }
  void Release(std::pair<int, int> at) {
    form.Form_MouseUp(1, 0, static_cast<float>(at.first), static_cast<float>(at.second));
  }

  FakePlatform fake;
  DiskFileSystem disk;
  Platform platform{fake.store,  disk,         fake.screen, fake.ui,
                    fake.timers, fake.desktop, fake.shell,  fake.output};
  AppContext app{platform, bench::OutFolder()};
  std::unique_ptr<Imaging> imaging = CreateImaging();
  FrmMain form{app, *imaging};
  NoDialogs dialogs;
  Transform transform{form, dialogs};
};

// The capture request to the surface ready for the mouse: the grab, the white where no monitor
// is, the buffers. On two monitors the screen has 2304 x 1024 pixels, 14 % more than one 1080p
// monitor; the counter "s_per_pixel" (wall time) tells whether the cost grows faster than that.
void BM_SurfaceUp(benchmark::State& state, const CorpusPicture* desktop, bool twoMonitors) {
  const int w = twoMonitors ? 2304 : kW, h = twoMonitors ? 1024 : kH;
  Run run(*desktop, w, h,
          twoMonitors ? std::vector<ScreenArea>{{0, 0, 1280, 1024}, {1280, 0, 2304, 768}}
                      : std::vector<ScreenArea>{});
  CpuMeter cpu;
  for (auto _ : state) {
    cpu.Start();
    run.Start(0);
    cpu.Stop();
    state.PauseTiming();
    run.form.EndCapture();
    state.ResumeTiming();
  }
  cpu.Report(state);
  state.counters["s_per_pixel"] =
      benchmark::Counter(static_cast<double>(w) * h,
                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Released mouse to finished file, full-screen rectangle, 100 %, no rotation.
void BM_ReleaseToFile(benchmark::State& state, const CorpusPicture* desktop, const char* ext) {
  Run run(*desktop);
  const std::string path = bench::OutPath(desktop->name + "-capture", ext);
  CpuMeter cpu;
  for (auto _ : state) {
    state.PauseTiming();
    std::remove(path.c_str());
    run.app.FileName.SetPath(path);
    run.Start(0);
    run.Press({{0, 0}, {kW - 1, kH - 1}});
    state.ResumeTiming();
    cpu.Start();
    run.Release({kW - 1, kH - 1});
    run.fake.timers.Advance(1);
    cpu.Stop();
  }
  cpu.Report(state);
  std::error_code ignored;
  state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(path, ignored));
  if (!run.fake.ui.shown.empty()) state.SkipWithError("a message box came up");
}

// The cut-out and mask (CutOutRegion at 100 %, no rotation) of a full-screen region.
enum Style : std::int16_t { kRectangle = 0, kCircle = 1, kFreehand = 2 };
void BM_CutOut(benchmark::State& state, const CorpusPicture* desktop, Style style) {
  Run run(*desktop);
  CpuMeter cpu;
  for (auto _ : state) {
    state.PauseTiming();
    run.Start(style);
    if (style == kRectangle) run.Press({{0, 0}, {kW - 1, kH - 1}});
    if (style == kCircle) run.Press({{kW / 2, kH / 2}, {kW / 2, kH - 1}});
    if (style == kFreehand) run.Press({{0, 0}, {kW - 1, 0}, {kW - 1, kH - 1}, {0, kH - 1}, {0, 0}});
    run.Release(style == kFreehand ? std::pair{0, 0} : std::pair{kW - 1, kH - 1});
    std::int32_t endX = run.form.endX, endY = run.form.endY;
    std::int16_t ok = 0;
    state.ResumeTiming();
    cpu.Start();
    run.transform.CutOutRegion(endX, endY, ok);
    cpu.Stop();
  }
  cpu.Report(state);
}

// Scaling a 960x540 cut-out at 200 % (to a full screen of pixels), by sampling and by the library.
void BM_Scale200(benchmark::State& state, const CorpusPicture* desktop, std::int16_t colorControl) {
  Picture board1(kW + 2, kH + 2), board2(kW + 4, kH + 4);
  CopyInto(board1, *desktop);
  FakePlatform fake;
  std::unique_ptr<Imaging> imaging = CreateImaging();
  CpuMeter cpu;
  cpu.Start();
  for (auto _ : state) {
    const ScaleJob job{board1, board2, 480, 270, 1439, 809, 2.0f, colorControl, 1, kW, kH};
    benchmark::DoNotOptimize(ScaleCutOut(job, *imaging, fake.ui, Texts()));
  }
  cpu.Stop();
  cpu.Report(state);
}

// Turning a full-screen cut-out by 30 degrees (RollBitBlt, smoothed).
void BM_Rotate30(benchmark::State& state, const CorpusPicture* desktop) {
  Picture board1(kW + 2, kH + 2), board2(kW + 4, kH + 4);
  CopyInto(board1, *desktop);
  std::unique_ptr<Imaging> imaging = CreateImaging();
  const float pi = static_cast<float>(4.0 * std::atan(1.0));
  CpuMeter cpu;
  cpu.Start();
  for (auto _ : state) {
    RotationRegion region{0, 0, 0, kW - 1, kH - 1, 1101.4f, 0.5123f};
    float angle = pi / 6.0f;
    benchmark::DoNotOptimize(RotateCutOut(board2, board1, region, angle, 1.0f, 1, pi, *imaging));
  }
  cpu.Stop();
  cpu.Report(state);
}

// Halving a full screenshot with the library (ReductBitBlt at 50 %, a whole-number factor).
void BM_Reduce50(benchmark::State& state, const CorpusPicture* desktop) {
  Picture board1(kW, kH), board2(kW / 2, kH / 2);
  CopyInto(board1, *desktop);
  std::unique_ptr<Imaging> imaging = CreateImaging();
  CpuMeter cpu;
  cpu.Start();
  for (auto _ : state)
    benchmark::DoNotOptimize(imaging->ReductBitBlt(board2, 0, 0, kW, kH, board1, 0, 0, 0.5));
  cpu.Stop();
  cpu.Report(state);
}

template <typename Bench, typename... Args>
void Register(const std::string& name, const CorpusPicture& picture, Bench bench, Args... args) {
  benchmark::RegisterBenchmark((name + "/" + picture.name).c_str(), bench, &picture, args...)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
}

const bool kRegistered = [] {
  static const std::vector<CorpusPicture> corpus = LoadCorpus(bench::LiveCorpusFolder(), "1920x1080");
  if (corpus.empty()) std::fprintf(stderr, "no 1920x1080 screenshots: run make corpus\n");
  for (const CorpusPicture& picture : corpus) {
    Register("BM_SurfaceUp/one_monitor", picture, BM_SurfaceUp, false);
    Register("BM_SurfaceUp/two_monitors", picture, BM_SurfaceUp, true);
    for (const char* ext : {".bmp", ".png", ".jpg", ".eps", ".ppm", ".pgm"})
      Register(std::string("BM_ReleaseToFile") + ext, picture, BM_ReleaseToFile, ext);
    Register("BM_CutOut/rectangle", picture, BM_CutOut, kRectangle);
    Register("BM_CutOut/circle", picture, BM_CutOut, kCircle);
    Register("BM_CutOut/freehand", picture, BM_CutOut, kFreehand);
    Register("BM_Scale200/sampling", picture, BM_Scale200, std::int16_t{0});
    Register("BM_Scale200/library", picture, BM_Scale200, std::int16_t{1});
    Register("BM_Rotate30", picture, BM_Rotate30);
    Register("BM_Reduce50", picture, BM_Reduce50);
  }
  return true;
}();

}  // namespace
