// The capture pipeline on a 1920x1080 desktop-like picture: from the released mouse to the
// finished file for a full-screen rectangle in each format, and the single steps (cut-out and
// mask by frame style, scaling at 200 %, a 30-degree turn). Files go to the temporary folder on
// disk, as the program writes them.
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

#include "capture/frm_main.h"
#include "desktop_picture.h"
#include "support/disk_file_system.h"
#include "support/fake_platform.h"
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

// One run of the program on the fake desktop, files on the real disk.
class Run {
 public:
  Run() {
    fake.screen.size = {kW, kH};
    static const bench::Desktop desktop = bench::MakeDesktop(kW, kH);
    fake.desktop.screen = Picture(kW, kH);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x)
        fake.desktop.screen.SetPixel(x, y, desktop.pixels[y * kW + x]);
    fake.desktop.metricsWidthTwips = kW * 15;
    fake.desktop.workAreaHeight = kH - 40;
    fake.output.temporaryFolder = Folder();
    app.screenWidth = kW;
    app.screenHeight = kH;
    Settings& s = app.settings;
    s.RollValue = 6;
    s.OutDialog = 0;
    s.Outputs = 2;
    s.AutoName = 0;
    s.FreehandLineWidth = 1;
    form.handOver = &transform;
  }
  static std::string Folder() {
    static const std::string folder = [] {
      const auto path = std::filesystem::temp_directory_path() / "snapwell-capture-bench";
      std::filesystem::create_directories(path);
      return path.string() + "/";
    }();
    return folder;
  }
  void Start(std::int16_t style) {
    app.settings.FlameStyle = style;
    app.showPointer = app.trackMoves = true;
    app.fixedFrame = 0;
    form.Load();
    form.Show();
  }
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
  Platform platform{fake.store, disk, fake.screen, fake.ui, fake.timers, fake.desktop, fake.output};
  AppContext app{platform, Folder()};
  std::unique_ptr<Imaging> imaging = CreateImaging();
  FrmMain form{app, *imaging};
  NoDialogs dialogs;
  Transform transform{form, dialogs};
};

// Released mouse to finished file, full-screen rectangle, 100 %, no rotation.
void BM_ReleaseToFile(benchmark::State& state, const char* ext) {
  Run run;
  run.app.FileName.SetPath(Run::Folder() + "shot" + ext);
  run.app.settings.AutoName = 0;
  for (auto _ : state) {
    state.PauseTiming();
    run.Start(0);
    run.Press({{0, 0}, {kW - 1, kH - 1}});
    state.ResumeTiming();
    run.Release({kW - 1, kH - 1});
    run.fake.ui.Expect(MsgAnswer::Yes);  // the overwrite question from the second run on
    run.fake.timers.Advance(1);
    state.PauseTiming();
    run.fake.ui.answers.clear();
    state.ResumeTiming();
  }
}
BENCHMARK_CAPTURE(BM_ReleaseToFile, bmp, ".bmp")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ReleaseToFile, png, ".png")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ReleaseToFile, jpg, ".jpg")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ReleaseToFile, eps, ".eps")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ReleaseToFile, ppm, ".ppm")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_ReleaseToFile, pgm, ".pgm")->Unit(benchmark::kMillisecond)->UseRealTime();

// The cut-out and mask (CutOutRegion at 100 %, scaling included) of a full-screen region.
enum Style { kRectangle, kCircle, kFreehand };
void BM_CutOut(benchmark::State& state, Style style) {
  Run run;
  for (auto _ : state) {
    state.PauseTiming();
    run.Start(style == kRectangle ? 0 : style == kCircle ? 1 : 2);
    if (style == kRectangle) run.Press({{0, 0}, {kW - 1, kH - 1}});
    if (style == kCircle) run.Press({{kW / 2, kH / 2}, {kW / 2, kH - 1}});
    if (style == kFreehand) run.Press({{0, 0}, {kW - 1, 0}, {kW - 1, kH - 1}, {0, kH - 1}, {0, 0}});
    run.Release(style == kFreehand ? std::pair{0, 0} : std::pair{kW - 1, kH - 1});
    std::int32_t endX = run.form.endX, endY = run.form.endY;
    std::int16_t ok = 0;
    state.ResumeTiming();
    run.transform.CutOutRegion(endX, endY, ok);
  }
}
BENCHMARK_CAPTURE(BM_CutOut, rectangle, kRectangle)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_CutOut, circle, kCircle)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_CutOut, freehand, kFreehand)->Unit(benchmark::kMillisecond)->UseRealTime();

// Scaling a 960x540 cut-out at 200 % (to a full screen of pixels), by sampling and by the library.
void BM_Scale200(benchmark::State& state) {
  Picture board1(kW + 2, kH + 2), board2(kW + 4, kH + 4);
  FakePlatform fake;
  std::unique_ptr<Imaging> imaging = CreateImaging();
  const auto colorControl = static_cast<std::int16_t>(state.range(0));
  for (auto _ : state) {
    const ScaleJob job{board1, board2, 480, 270, 1439, 809, 2.0f, colorControl, 1, kW, kH};
    benchmark::DoNotOptimize(ScaleCutOut(job, *imaging, fake.ui, Texts()));
  }
}
BENCHMARK(BM_Scale200)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Turning a full-screen cut-out by 30 degrees (RollBitBlt, smoothed).
void BM_Rotate30(benchmark::State& state) {
  Picture board1(kW + 2, kH + 2), board2(kW + 4, kH + 4);
  std::unique_ptr<Imaging> imaging = CreateImaging();
  const float pi = static_cast<float>(4.0 * std::atan(1.0));
  for (auto _ : state) {
    RotationRegion region{0, 0, 0, kW - 1, kH - 1, 1101.4f, 0.5123f};
    float angle = pi / 6.0f;
    benchmark::DoNotOptimize(RotateCutOut(board2, board1, region, angle, 1.0f, 1, pi, *imaging));
  }
}
BENCHMARK(BM_Rotate30)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
