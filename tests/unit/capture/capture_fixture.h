// A capture surface on the fake desktop, with a recording hand-over, shell and series window.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "capture/frm_main.h"
#include "support/capture_setup.h"
#include "support/fake_platform.h"

namespace snapwell::testing {

// Records what is handed over, with the region as it stood; acts like the transform as far as
// the surface relies on it (the rotation phase starts unless RollValue 6 without a series).
struct RecordingHandOver : HandOver {
  explicit RecordingHandOver(FrmMain& f) : form(f) {}
  void CutOutRegion(std::int32_t& endX, std::int32_t& endY, std::int16_t& ok) override {
    calls.push_back("CutOutRegion(" + std::to_string(endX) + "," + std::to_string(endY) + ")");
    regions.push_back({form.x1, form.y1, form.x2, form.y2});
    if (failure != 0) throw RunTimeError(failure, "scripted failure");
    ok = answer;
    const Settings& s = form.app.settings;
    if (ok != 0 && (s.RollValue != 6 || s.ContOutput != 0)) form.rotating = true;
    if (ok != 0 && s.ContOutput == 1) {
      form.angle = s.StartAng / 45.0f * 0.78539819f;
      form.app.seriesIndex = 1;
      form.app.seriesTotal = seriesTotal;
    }
  }
  void RotateAndOutput() override {
    calls.push_back("RotateAndOutput");
    angles.push_back(form.angle);
    if (outputFailure != 0) throw RunTimeError(outputFailure, "scripted failure");
    // The rotation snaps the angle it uses to whole degrees, as a real one may snap it.
    form.angle = std::nearbyint(form.angle * 180.0f / form.app.Pi) * form.app.Pi / 180.0f;
  }
  FrmMain& form;
  std::vector<std::string> calls;
  std::vector<WindowRect> regions;  // x1, y1, x2, y2 at each cut-out
  std::vector<float> angles;        // angle at each output
  std::int16_t answer = -1;
  std::int16_t seriesTotal = 0;
  long failure = 0;        // raised by the cut-out
  long outputFailure = 0;  // raised by the output
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

class CaptureTest : public ::testing::Test {
 protected:
  CaptureTest() {
    SetUpScreen(fake, app, 1024, 768);
    fake.desktop.desktopRect = {0, 0, 1024, 768};
    PaintDistinctDesktop(fake);
    form.handOver = &handOver;
    form.shell = &shell;
    form.seriesProgress = &progress;
  }

  // The capture request's flags, then load and show the surface.
  void Start(std::int16_t flameStyle, std::int16_t fixed = 0) { StartCapture(app, form, flameStyle, fixed); }

  void Drag(std::int32_t fromX, std::int32_t fromY, std::int32_t toX, std::int32_t toY) {
    form.Form_MouseDown(1, 0, static_cast<float>(fromX), static_cast<float>(fromY));
    form.MouseMove(1, 0, toX, toY);
    form.Form_MouseUp(1, 0, static_cast<float>(toX), static_cast<float>(toY));
  }

  void ExpectShape(const ShapeControl& s, float left, float top, float width, float height) {
    EXPECT_TRUE(s.Visible);
    EXPECT_EQ(s.Left, left);
    EXPECT_EQ(s.Top, top);
    EXPECT_EQ(s.Width, width);
    EXPECT_EQ(s.Height, height);
  }

  FakePlatform fake;
  AppContext app{fake.platform, "C:\\Snapwell\\"};
  std::unique_ptr<Imaging> imaging = CreateImaging();
  FrmMain form{app, *imaging};
  RecordingHandOver handOver{form};
  RecordingShell shell;
  RecordingProgress progress;
};

}  // namespace snapwell::testing
