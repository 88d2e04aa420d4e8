// RotateAndOutput: the capture windows stepped back before any dialog, the output target dialog
// and what leaving it without output does, the active window's delayed capture with its own
// placing, the beep, and the mouse pointer the surface is left with.
#include <gtest/gtest.h>

#include "support/capture_setup.h"

namespace snapwell::testing {
namespace {

class HandOverTest : public ::testing::Test, protected FakeCapture {
 protected:
  HandOverTest() : FakeCapture(320, 240) {}

  // A 20 x 15 rectangle cut out, its output next.
  void CutOutRectangle() {
    Start(0);
    form.x1 = 10;
    form.y1 = 20;
    std::int32_t endX = 29, endY = 34;
    std::int16_t ok = 0;
    transform.CutOutRegion(endX, endY, ok);
    ASSERT_NE(ok, 0);
    fake.desktop.windowPos.clear();
  }
};

const WindowPosCall kSurfaceBack{OwnWindow::Surface, ZPlace::NotTopmost, 0, 0, 320, 240, 0x60};
const WindowPosCall kPointerBack{OwnWindow::Pointer, ZPlace::NotTopmost, 0, 0, 1, 1, 0x73};
const WindowPosCall kSurfaceOnTop{OwnWindow::Surface, ZPlace::Topmost, 0, 0, 320, 240, 0x60};
const WindowPosCall kDialogOnTop{OwnWindow::OutDialog, ZPlace::Topmost, 0, 0, 320, 240, 0x33};

TEST_F(HandOverTest, OutputTargetDialogAndWhatFollowsIt) {
  struct Row {
    const char* label;
    std::int16_t outDialog, captureWindow, copyTimer;
    bool startOutput;
    std::vector<WindowPosCall> placed;
    bool busy, surfaceEnabledInDialog, output;
  };
  const Row rows[] = {
      {"no dialog", 0, 0, 0, true, {kSurfaceBack, kPointerBack}, false, true, true},
      {"dialog, output started", 1, 0, 0, true, {kSurfaceBack, kPointerBack}, true, true, true},
      {"dialog left without output", 1, 0, 0, false, {kSurfaceBack, kPointerBack}, true, true, false},
      {"active window after a countdown",
       1,
       2,
       1,
       true,
       {kSurfaceBack, kPointerBack, kSurfaceOnTop, kDialogOnTop, kSurfaceBack},
       true,
       false,
       true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    app.settings.OutDialog = row.outDialog;
    app.settings.CaptureWindow = row.captureWindow;
    app.settings.CopyTimer = row.copyTimer;
    dialogs.startOutput = row.startOutput;
    bool enabledInDialog = true;
    dialogs.whileOutputDialog = [&] {
      enabledInDialog =
          fake.desktop.enabled.count(OwnWindow::Surface) == 0 || fake.desktop.enabled[OwnWindow::Surface];
    };
    fake.output.clipboard.reset();
    const int beeps = fake.ui.beeps;
    const int shownDialogs = dialogs.outputDialogs;
    CutOutRectangle();
    transform.RotateAndOutput();
    EXPECT_EQ(fake.desktop.windowPos, row.placed);
    EXPECT_FALSE(form.frmPointer.Visible);
    EXPECT_EQ(dialogs.outputDialogs - shownDialogs, row.outDialog);
    EXPECT_EQ(form.busy, row.busy);
    EXPECT_EQ(enabledInDialog, row.surfaceEnabledInDialog);
    EXPECT_TRUE(form.Enabled);
    EXPECT_EQ(fake.output.clipboard.has_value(), row.output);
    EXPECT_EQ(fake.ui.beeps - beeps, row.output ? 1 : 0);
    EXPECT_EQ(form.MousePointer, PointerKind::Cross);
    form.EndCapture();
  }
}

TEST_F(HandOverTest, NoOutputsStillBeepsAndAFailureLeavesTheCross) {
  app.settings.OutDialog = 0;
  app.settings.Outputs = 0;
  CutOutRectangle();
  transform.RotateAndOutput();
  EXPECT_EQ(fake.ui.beeps, 1);
  EXPECT_FALSE(fake.output.clipboard.has_value());
  form.EndCapture();

  // A region beyond any picture: the rotation's refusal is told, nothing is output.
  app.settings.Outputs = 1;
  CutOutRectangle();
  form.x2 = 70000;
  fake.ui.Expect(MsgAnswer::Ok);
  transform.RotateAndOutput();
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_EQ(fake.ui.shown[0].title, "Error");
  EXPECT_FALSE(fake.output.clipboard.has_value());
  EXPECT_EQ(form.MousePointer, PointerKind::Cross);
}

}  // namespace
}  // namespace snapwell::testing
