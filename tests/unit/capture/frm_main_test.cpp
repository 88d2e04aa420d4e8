#include "capture/frm_main.h"

#include "unit/capture/capture_fixture.h"

namespace snapwell::testing {
namespace {

using Calls = std::vector<std::string>;

TEST_F(CaptureTest, GrabsTwiceUnlessTheTrayAskedForOneGrab) {
  for (const bool skip : {false, true}) {
    fake.desktop.grabs = 0;
    app.skipSecondGrab = skip;
    Start(0);
    EXPECT_EQ(fake.desktop.grabs, skip ? 1 : 2);
    EXPECT_FALSE(app.skipSecondGrab);
    EXPECT_EQ(form.surface.GetPixel(1023, 767), DesktopPixel(1023, 767));
    EXPECT_FALSE(form.lblAlert.Visible);
    form.EndCapture();
  }
}

TEST_F(CaptureTest, BuffersAreSizedOncePerCaptureWithTheFreehandMargin) {
  struct Row {
    std::int16_t flameStyle;
    bool templateMode;
    int board2Width, board2Height;
  };
  for (const Row& row : {Row{0, false, 1026, 770}, Row{2, false, 1028, 772}, Row{2, true, 1028, 772}}) {
    app.templateMode = row.templateMode;
    Start(row.flameStyle);
    const Picture& board2 = form.frmBoard.picBoard2;
    EXPECT_EQ(board2.Width(), row.board2Width);
    EXPECT_EQ(board2.Height(), row.board2Height);
    EXPECT_EQ(form.frmBoard.picBoard1.Width(), 1024);
    EXPECT_EQ(form.frmBoard.picBoard3.Height(), 768);
    if (row.flameStyle == 2) {
      EXPECT_EQ(board2.GetPixel(0, 0), kWhite);
      EXPECT_EQ(board2.GetPixel(1027, 771), kWhite);
      EXPECT_EQ(board2.GetPixel(2, 2), DesktopPixel(0, 0));
      EXPECT_EQ(board2.GetPixel(1025, 769), DesktopPixel(1023, 767));
    }
    // A later activation (after a message box) leaves the filled buffers alone.
    form.frmBoard.picBoard2.Resize(300, 200);
    form.Form_Activate();
    EXPECT_EQ(board2.Width(), 300);
    form.EndCapture();
  }
}

TEST_F(CaptureTest, AlertShowsWhenTheScreenMetricsDisagree) {
  fake.desktop.metricsWidthTwips = 700 * 15;  // nearer the height than the width
  Start(0);
  EXPECT_TRUE(form.lblAlert.Visible);
  EXPECT_EQ(form.lblAlert.Caption, "Please restart Snapwell (failed to get the screen size).");
  EXPECT_EQ(form.lblAlert.Left, 1024 - form.lblAlert.Width);
}

TEST_F(CaptureTest, ActivationPresetsTheAngle) {
  struct Row {
    std::int16_t rollValue;
    float defRoll;
    float angle;
  };
  for (const Row& row :
       {Row{0, 0, 0.0f}, Row{1, 0, 0.78539819f}, Row{2, 0, 1.5707964f}, Row{3, 0, -0.78539819f},
        Row{4, 0, -1.5707964f}, Row{5, 30, 0.52359879f}, Row{6, 30, 0.0f}}) {
    app.settings.RollValue = row.rollValue;
    app.settings.DefRoll = row.defRoll;
    Start(0);
    EXPECT_FLOAT_EQ(form.angle, row.angle) << row.rollValue;
    form.EndCapture();
  }
}

TEST_F(CaptureTest, CancellingBeforeTheFirstPointRestoresTheDialogAfterItOnlyEnds) {
  struct Row {
    bool pressFirst;
    bool escape;
    std::int16_t whereStay;
    Calls shellCalls;
  };
  const Row rows[] = {
      {false, false, 0, {"Restore", "ShowHelper", "Enable", "Focus"}},
      {false, true, 0, {"Restore", "ShowHelper", "Enable", "Focus"}},
      {true, false, 0, {"ShowHelper", "Enable"}},
      {true, true, 0, {"ShowHelper", "Enable"}},
      {false, false, 2, {"Restore", "ShowHelper", "Enable", "Quit"}},
      {true, true, 2, {"ShowHelper", "Enable", "Quit"}},
  };
  for (const Row& row : rows) {
    shell.calls.clear();
    app.settings.WhereStay = row.whereStay;
    Start(0);
    if (row.pressFirst) form.Form_MouseDown(1, 0, 10, 10);
    if (row.escape) {
      form.KeyDown(27, 0);
    } else {
      form.Form_MouseDown(2, 0, 10, 10);
    }
    EXPECT_EQ(shell.calls, row.shellCalls);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_FALSE(form.frmBoard.loaded);
    EXPECT_FALSE(app.showPointer);
    EXPECT_TRUE(handOver.calls.empty());
    EXPECT_EQ(fake.timers.Running(), 0u);
  }
}

TEST_F(CaptureTest, ReleasedRegionIsHandedOverOnTheNextTick) {
  struct Row {
    std::int16_t rollValue;
    float enlargeValue;  // 64: 1984 x 704 pixels, more than the screen: the user is asked
    Calls calls;
    bool endsAtOnce;
  };
  const Row rows[] = {
      {6, 1, {"CutOutRegion(40,30)", "RotateAndOutput"}, true},
      {6, 64, {"CutOutRegion(40,30)"}, true},  // the size warning declined
      {1, 1, {"CutOutRegion(40,30)"}, false},  // the rotation phase follows
  };
  for (const Row& row : rows) {
    handOver.calls.clear();
    app.settings.RollValue = row.rollValue;
    app.settings.EnlargeValue = row.enlargeValue;
    if (row.enlargeValue > 1) fake.ui.Expect(MsgAnswer::No);
    Start(0);
    Drag(10, 20, 40, 30);
    EXPECT_TRUE(form.released);
    EXPECT_TRUE(handOver.calls.empty());
    fake.timers.Advance(1);
    EXPECT_EQ(handOver.calls, row.calls);
    EXPECT_EQ(form.IsLoaded(), !row.endsAtOnce);
    fake.timers.Advance(5);
    EXPECT_EQ(handOver.calls.size(), row.calls.size());  // never handed over twice
    if (!row.endsAtOnce) {
      form.Form_MouseDown(1, 0, 30, 30);
      form.Form_MouseUp(1, 0, 30, 30);
      EXPECT_EQ(handOver.calls.back(), "RotateAndOutput");
      EXPECT_FALSE(form.IsLoaded());
    }
  }
}

TEST_F(CaptureTest, FailureInsideAnEventProcedureIsReportedOnceAndEndsTheCapture) {
  enum class Way { Timer, DoubleClick, Activation, RotationRelease };
  struct Row {
    Way way;
    long cutOutFailure, outputFailure;
    const char* title;
    const char* text;
  };
  const Row rows[] = {
      {Way::Timer, 76, 0, "Error in frmMain.Timer1_Timer.", "An unexpected error occurred (No. 76)."},
      {Way::DoubleClick, 0, 53, "Error in frmMain.Form_DblClick.", "An unexpected error occurred (No. 53)."},
      {Way::Activation, 7, 0, "Error in frmMain.Form_Activate.", "An unexpected error occurred (No. 7)."},
      {Way::RotationRelease, 0, 61, "Error in frmMain.MouseUp.", "An unexpected error occurred (No. 61)."},
  };
  for (const Row& row : rows) {
    handOver.failure = row.cutOutFailure;
    handOver.outputFailure = row.outputFailure;
    fake.ui.shown.clear();
    shell.calls.clear();
    app.settings.RollValue = row.way == Way::RotationRelease ? 0 : 6;
    app.settings.CaptureWindow = 2;
    fake.ui.Expect(MsgAnswer::Ok);
    if (row.way == Way::Activation) {
      Start(3);
    } else if (row.way == Way::DoubleClick) {
      Start(0, 1);
      form.Form_MouseDown(1, 0, 10, 10);
      form.Form_DblClick(0, 10, 10);
    } else {
      Start(0);
      Drag(10, 20, 40, 30);
      fake.timers.Advance(1);
      if (row.way == Way::RotationRelease) Drag(30, 30, 40, 40);
    }
    fake.timers.Advance(10);
    ASSERT_EQ(fake.ui.shown.size(), 1u);
    EXPECT_EQ(fake.ui.shown[0].title, row.title);
    EXPECT_EQ(fake.ui.shown[0].text, row.text);
    EXPECT_EQ(fake.ui.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(form.IsLoaded());
    EXPECT_EQ(fake.timers.Running(), 0u);
    EXPECT_EQ(shell.calls, (Calls{"ShowHelper", "Enable"}));
  }
}

TEST_F(CaptureTest, SeriesOutputsOnePicturePerTickFromItsOwnAngle) {
  // Start 0, end 3/16, step 1/16 degree: four pictures, at 0, 1/16, 2/16 and exactly 3/16. The
  // rotation snaps 1/16 degree (within a tenth of a degree of 0) to 0, which must not hold the
  // series back: it turns on from its own angle.
  app.settings.ContOutput = 1;
  app.settings.StartAng = 0;
  app.settings.EndAng = 0.1875f;
  app.settings.StepAng = 0.0625f;
  Start(0);
  Drag(10, 20, 40, 30);
  fake.timers.Advance(3);  // the cut-out and the first picture share the first tick
  EXPECT_TRUE(form.IsLoaded());
  EXPECT_EQ(dialogs.progress, (Calls{" 1 / 4"}));
  fake.timers.Advance(1);
  EXPECT_FALSE(form.IsLoaded());
  ASSERT_EQ(handOver.angles.size(), 4u);
  const float degrees[] = {0.0f, 0.0625f, 0.125f, 0.1875f};
  for (int i = 0; i < 4; ++i)
    EXPECT_NEAR(handOver.angles[i] * 180.0f / app.Pi, degrees[i], 1e-5f) << i;
  EXPECT_EQ(progress.texts, (Calls{" 2/ 4", " 3/ 4", " 4/ 4", " 5/ 4"}));
  EXPECT_EQ(shell.calls, (Calls{"Enable", "ShowHelper", "Enable"}));
  EXPECT_EQ(progress.unloads, 1);
}

TEST_F(CaptureTest, SeriesWrapsItsAngleAndStopsWhenCancelled) {
  app.settings.ContOutput = 1;
  app.settings.StartAng = 170;
  app.settings.EndAng = 0;
  app.settings.StepAng = 20;
  Start(0);
  Drag(10, 20, 40, 30);
  fake.timers.Advance(2);  // cut-out and 170, then 190 = -170
  ASSERT_EQ(handOver.angles.size(), 2u);
  EXPECT_NEAR(handOver.angles[1] * 180.0f / app.Pi, -170.0f, 1e-3f);
  app.seriesCancel = true;
  fake.timers.Advance(1);
  EXPECT_EQ(handOver.angles.size(), 2u);
  EXPECT_FALSE(form.IsLoaded());
}

TEST_F(CaptureTest, TimerPutsThePointerWindowBackOnTopOnlyWhileItIsShown) {
  Start(0);
  ASSERT_TRUE(form.frmPointer.Visible);
  fake.desktop.topmost[OwnWindow::Pointer] = false;
  fake.desktop.windowPos.clear();
  fake.timers.Advance(1);
  const std::vector<WindowPosCall> expected = {
      {OwnWindow::Surface, ZPlace::Topmost, 0, 0, 1024, 768, kSwpFrameChanged | kSwpShowWindow},
      {OwnWindow::Pointer, ZPlace::Topmost, 0, 0, 1, 1, 0x73}};
  EXPECT_EQ(fake.desktop.windowPos, expected);
  form.frmPointer.Hide();
  fake.desktop.topmost[OwnWindow::Pointer] = false;
  fake.timers.Advance(1);
  EXPECT_EQ(fake.desktop.windowPos.size(), 2u);
}

}  // namespace
}  // namespace snapwell::testing
