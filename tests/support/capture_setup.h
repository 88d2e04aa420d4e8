// What every whole-capture run on the fake platform sets up alike: the screen of a given size, a
// capture started with a frame tool as the capture request starts it, and the windows the
// surface and the transform talk to, scripted and written down.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "capture/frm_main.h"
#include "support/fake_platform.h"
#include "transform/hand_over.h"

namespace snapwell::testing {

// A desktop where every pixel differs from its neighbours, so any shifted, flipped or missing
// pixel shows.
inline std::uint32_t DesktopPixel(int x, int y) {
  return (static_cast<std::uint32_t>(x * 7 + y * 13) * 2654435761u) & 0x00FFFFFF;
}

// The fake desktop picture painted with DesktopPixel.
inline void PaintDistinctDesktop(FakePlatform& fake) {
  Picture& screen = fake.desktop.screen;
  for (int y = 0; y < screen.Height(); ++y)
    for (int x = 0; x < screen.Width(); ++x)
      screen.SetPixel(x, y, DesktopPixel(x, y));
}

// A w × h screen (its desktop picture white until filled), a work area 40 pixels short of it,
// and the run told its size as MeasureScreen would.
inline void SetUpScreen(FakePlatform& fake, AppContext& app, int w, int h) {
  fake.screen.size = {w, h};
  fake.desktop.screen = Picture(w, h);
  fake.desktop.desktopRect = {0, 0, w, h};
  fake.desktop.metricsWidthTwips = w * 15;
  fake.desktop.workAreaHeight = h - 40;
  app.screenWidth = w;
  app.screenHeight = h;
}

// The capture request with the frame tool `flameStyle` and the fixed-frame mode, then the
// surface loaded and shown.
inline void StartCapture(AppContext& app, FrmMain& form, std::int16_t flameStyle, std::int16_t fixed = 0) {
  app.settings.FlameStyle = flameStyle;
  app.keyLeftDown = app.mouseLeftDown = 0;
  app.showPointer = app.trackMoves = true;
  app.fixedFrame = fixed;
  form.Load();
  form.Show();
}

// A 10 x 10 diamond touching the middle of each side as the current frame template, in template
// mode; false when it did not load.
inline bool UseDiamondTemplate(AppContext& app) {
  FakeFileSystem templates;
  templates.AddFile("C:\\t\\diamond.vod",
                    "Diamond,10,10,0,0,4\r\nL,5,0,9,5,0,0,0,0\r\nL,9,5,5,9,0,0,0,0\r\nL,5,9,0,5,0,0,0,0\r\n"
                    "L,0,5,5,0,0,0,0,0\r\n");
  app.templateMode = true;
  return app.VellFrame.ReadVODFile(templates, "C:\\t\\diamond.vod", "C:\\t\\").Ok();
}

// The series dialog and the output target dialog, answered as scripted.
struct ScriptedDialogs : TransformDialogs {
  explicit ScriptedDialogs(AppContext& app) : app_(app) {}
  void ShowSeriesDialog() override {
    ++seriesDialogs;
    app_.seriesCancel = cancelSeries;
  }
  void ShowSeriesProgress(const std::string& text) override { progress.push_back(text); }
  bool ShowOutputDialog() override {
    ++outputDialogs;
    if (whileOutputDialog) whileOutputDialog();
    return startOutput;
  }
  void DisableSettingsDialog() override { ++settingsDisabled; }
  bool cancelSeries = false;
  bool startOutput = true;
  std::function<void()> whileOutputDialog;  // runs while the output target dialog is up
  int seriesDialogs = 0;
  int outputDialogs = 0;
  int settingsDisabled = 0;
  std::vector<std::string> progress;

 private:
  AppContext& app_;
};

struct RecordingShell : ShellLink {
  void ShowHelper() override { calls.push_back("ShowHelper"); }
  void EnableSettingsDialog() override { calls.push_back("Enable"); }
  void RestoreSettingsDialog() override { calls.push_back("Restore"); }
  void FocusSettingsDialog() override { calls.push_back("Focus"); }
  void QuitApp() override { calls.push_back("Quit"); }
  std::vector<std::string> calls;
};

struct RecordingProgress : SeriesProgress {
  void SetProgressText(const std::string& text) override { texts.push_back(text); }
  void Unload() override { ++unloads; }
  std::vector<std::string> texts;
  int unloads = 0;
};

// The transform's hand-over, written down with the region and the angle as they stood when it
// was asked; a scripted failure is raised in place of the step.
struct RecordingHandOver : HandOver {
  RecordingHandOver(FrmMain& f, HandOver& realHandOver) : form(f), real(realHandOver) {}
  void CutOutRegion(std::int32_t& endX, std::int32_t& endY, std::int16_t& ok) override {
    calls.push_back("CutOutRegion(" + std::to_string(endX) + "," + std::to_string(endY) + ")");
    regions.push_back({form.x1, form.y1, form.x2, form.y2});
    if (failure != 0) throw RunTimeError(failure, "scripted failure");
    real.CutOutRegion(endX, endY, ok);
  }
  void RotateAndOutput() override {
    calls.push_back("RotateAndOutput");
    angles.push_back(form.angle);
    if (outputFailure != 0) throw RunTimeError(outputFailure, "scripted failure");
    real.RotateAndOutput();
  }
  FrmMain& form;
  HandOver& real;
  std::vector<std::string> calls;
  std::vector<WindowRect> regions;  // x1, y1, x2, y2 at each cut-out
  std::vector<float> angles;        // angle at each output
  long failure = 0;                 // raised by the cut-out
  long outputFailure = 0;           // raised by the output
};

// A capture on the fake platform (its files and imaging libraries the caller's, when given) on a
// w × h screen showing the distinct desktop: the surface with the real transform behind it, its
// dialogs scripted and its shell and series window written down. Plain outputs: the clipboard,
// no dialog.
struct FakeCapture {
  FakeCapture(int w, int h, FileSystem* files = nullptr, const std::string& appFolder = "C:\\Snapwell\\",
              std::unique_ptr<Imaging> imagingIn = nullptr)
      : platform{fake.store,  files != nullptr ? *files : fake.files,
                 fake.screen, fake.ui,
                 fake.timers, fake.desktop,
                 fake.shell,  fake.output},
        app(platform, appFolder),
        imaging(imagingIn != nullptr ? std::move(imagingIn) : CreateImaging()) {
    SetUpScreen(fake, app, w, h);
    PaintDistinctDesktop(fake);
    app.settings.OutDialog = 0;
    app.settings.Outputs = 1;
    form.handOver = &transform;
    form.shell = &shell;
    form.seriesProgress = &progress;
  }
  // The capture request with the frame tool, then the surface loaded and shown.
  void Start(std::int16_t flameStyle, std::int16_t fixed = 0) { StartCapture(app, form, flameStyle, fixed); }

  FakePlatform fake;
  Platform platform;
  AppContext app;
  std::unique_ptr<Imaging> imaging;
  FrmMain form{app, *imaging};
  ScriptedDialogs dialogs{app};
  Transform transform{form, dialogs};
  RecordingShell shell;
  RecordingProgress progress;
};

}  // namespace snapwell::testing
