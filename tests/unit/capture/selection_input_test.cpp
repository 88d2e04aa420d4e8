#include "unit/capture/capture_fixture.h"

namespace snapwell::testing {
namespace {

TEST_F(CaptureTest, RectangleFollowsTheDragInEitherDirection) {
  // Released half a pixel right of and above the last point: halves round to even.
  struct Row {
    int fromX, fromY, toX, toY;
    float left, top, width, height;
    const char* readout;
    int endX, endY;
  };
  const Row rows[] = {
      {10, 10, 10, 10, 10, 10, 1, 1, "(1,1)", 10, 10},
      {10, 10, 5, 20, 5, 10, 6, 11, "(6,11)", 6, 20},
      {40, 30, 10, 20, 10, 20, 31, 11, "(31,11)", 10, 20},
      {100, 100, 219, 179, 100, 100, 120, 80, "(120,80)", 220, 178},
  };
  for (const Row& row : rows) {
    Start(0);
    EXPECT_EQ(form.frmPointer.lblPointer, "(0,0)");
    form.Form_MouseDown(1, 0, static_cast<float>(row.fromX) + 0.7f, static_cast<float>(row.fromY));
    form.MouseMove(1, 0, row.toX, row.toY);
    ExpectShape(form.shpBox, row.left, row.top, row.width, row.height);
    EXPECT_EQ(form.frmPointer.lblPointer, row.readout);
    form.Form_MouseUp(1, 0, static_cast<float>(row.toX) + 0.5f, static_cast<float>(row.toY) - 0.5f);
    EXPECT_FALSE(form.shpBox.Visible);
    EXPECT_TRUE(form.released);
    EXPECT_EQ(form.x1, row.fromX);
    EXPECT_EQ(form.endX, row.endX);
    EXPECT_EQ(form.endY, row.endY);
    form.EndCapture();
  }
}

TEST_F(CaptureTest, FixedFrameFollowsThePointerAndStaysOnTheScreen) {
  app.settings.FixFieldX = 200;
  app.settings.FixFieldY = 100;
  Start(0, 1);
  ExpectShape(form.shpBox, 0, 0, 200, 100);
  form.MouseMove(0, 0, 950, 700);
  ExpectShape(form.shpBox, 824, 668, 200, 100);
  form.Form_MouseDown(1, 0, 950, 700);
  form.MouseMove(1, 0, 10, 10);  // a drag does not resize or move it
  form.Form_MouseUp(1, 0, 10, 10);
  EXPECT_EQ((WindowRect{form.x1, form.y1, form.x2, form.y2}), (WindowRect{824, 668, 1023, 767}));
  EXPECT_EQ(form.endX, 824);
  form.EndCapture();

  // Space before any move: the region is whole at the press.
  Start(0, 1);
  form.KeyDown(32, 0);
  form.KeyUp(32, 0);
  fake.timers.Advance(1);
  ASSERT_EQ(handOver.regions.size(), 1u);
  EXPECT_EQ(handOver.regions[0], (WindowRect{0, 0, 199, 99}));
}

TEST_F(CaptureTest, CircleFollowsTheDragWithHalvesToEven) {
  struct Row {
    int toX, toY;
    float radius, left, width;
    const char* readout;
  };
  const Row rows[] = {
      {103, 104, 4.3011627f, 96, 9, "Diam.= 9"},
      {103, 106, 6.0415230f, 94, 12, "Diam.= 12"},
      {1000, 760, 384.0f, -284, 768, "Diam.= 768"},  // never wider than the screen is high
  };
  for (const Row& row : rows) {
    Start(1);
    form.Form_MouseDown(1, 0, 100, 100);
    form.MouseMove(1, 0, row.toX, row.toY);
    EXPECT_FLOAT_EQ(form.radius, row.radius);
    ExpectShape(form.shpCircle, row.left, row.left, row.width, row.width);
    EXPECT_EQ(form.frmPointer.lblPointer, row.readout);
    form.EndCapture();
  }
}

TEST_F(CaptureTest, FixedCircleIsCentredOnThePointerAndNotClampedAtThePress) {
  struct Row {
    std::int32_t fixX;
    float left, top, width;
  };
  for (const Row& row : {Row{20, 40, 50, 20}, Row{21, 40, 50, 21}}) {
    app.settings.FixFieldX = row.fixX;
    Start(1, 1);
    form.MouseMove(0, 0, 50, 60);
    ExpectShape(form.shpCircle, row.left, row.top, row.width, row.width);
    form.MouseMove(0, 0, 1020, 760);
    form.Form_MouseDown(1, 0, 1020, 760);
    EXPECT_EQ(form.x1, 1020);
    EXPECT_FLOAT_EQ(form.centreX, 1020.5f);
    EXPECT_FLOAT_EQ(form.centreY, 760.5f);
    form.EndCapture();
  }
}

TEST_F(CaptureTest, KeyboardAloneMarksARegion) {
  Start(0);
  form.frmPointer.Form_KeyDown(39, 2);  // Ctrl+Right: 16, passed on by the readout window
  EXPECT_EQ(form.pointerX, 16);
  form.KeyDown(40, 7);  // Shift+Ctrl+Alt+Down: 512
  EXPECT_EQ(form.pointerY, 512);
  form.KeyDown(98, 7);
  EXPECT_EQ(form.pointerY, 767);
  EXPECT_EQ(fake.desktop.cursor.y, 767);
  form.KeyDown(32, 0);
  form.KeyDown(32, 0);  // key repeat
  for (int i = 0; i < 3; ++i)
    form.KeyDown(39, 0);
  form.KeyDown(36, 0);  // Home: up and left
  ExpectShape(form.shpBox, 16, 766, 3, 2);
  form.frmPointer.Form_KeyUp(32, 0);
  EXPECT_EQ(app.keyLeftDown, 0);
  fake.timers.Advance(1);
  EXPECT_EQ(handOver.calls, (std::vector<std::string>{"CutOutRegion(18,766)", "RotateAndOutput"}));
}

TEST_F(CaptureTest, OwnCursorMoveIsDroppedAndTheMiddleButtonDoesNothing) {
  Start(0);
  form.Form_MouseDown(4, 0, 10, 10);
  EXPECT_FALSE(form.started);
  form.MouseMove(0, 0, 30, 40);
  fake.desktop.cursor = {200, 100};
  form.Form_MouseMove(0, 0);  // the move SetCursorPos caused
  EXPECT_EQ(form.pointerX, 30);
  form.Form_MouseMove(0, 0);
  EXPECT_EQ(form.pointerX, 200);
}

TEST_F(CaptureTest, DoubleClickCutsTheRegionOutOnce) {
  // A fixed 20-pixel circle double-clicked at (100, 100) with a rotation phase to follow, at
  // 5000 % (1000 x 1000 pixels, more than the screen holds). Whether the timer ticks between the
  // clicks (the second press then falls in the rotation phase and acts as a click) or not (the
  // double click commits at the point), the region is cut out once: the centre of an even circle
  // moves by one pixel, and the size warning is asked once.
  app.settings.FixFieldX = 20;
  app.settings.RollValue = 1;
  app.settings.EnlargeValue = 50;
  for (const bool tickBetween : {true, false}) {
    SCOPED_TRACE(tickBetween ? "tick between the clicks" : "no tick between the clicks");
    handOver.calls.clear();
    fake.ui.shown.clear();
    fake.ui.Expect(MsgAnswer::Yes);
    Start(1, 1);
    form.MouseMove(0, 0, 100, 100);
    form.Form_MouseDown(1, 0, 100, 100);
    form.Form_MouseUp(1, 0, 100, 100);
    if (tickBetween) {
      fake.timers.Advance(1);
      ASSERT_TRUE(form.rotating);
    }
    form.Form_DblClick(0, 100, 100);
    form.Form_MouseUp(1, 0, 100, 100);
    fake.timers.Advance(5);
    EXPECT_EQ(handOver.calls, (std::vector<std::string>{"CutOutRegion(100,100)", "RotateAndOutput"}));
    EXPECT_EQ(fake.ui.shown.size(), 1u);
    EXPECT_FLOAT_EQ(form.centreX, 101.5f);
    EXPECT_FALSE(form.IsLoaded());
  }
}

TEST_F(CaptureTest, RotationPhaseTurnsTheFrameByTheMoves) {
  const float pi = 3.14159265f;
  struct Row {
    float startAngle;
    int clickX, clickY, settle;
    std::vector<std::pair<int, int>> moves;
    float angle;
  };
  const Row rows[] = {
      {0, 110, 100, 5, {{110, 101}}, 0.17985350f},                   // atan(2 / 11)
      {0, 110, 101, 5, {{110, 102}}, 0.08639857f},                   // same rule at the click: no jump
      {3 * pi / 2 - 0.05f, 110, 100, 5, {{110, 101}}, -1.4409432f},  // past 3pi/2 wraps
      {0, 200, 100, 5, {{400, 101}}, 0.0f},                          // 0.38 degrees snaps to 0
      {0.3f, 110, 100, 5, {{90, 100}, {90, 99}}, 0.47985345f},       // a half turn is not taken
      {0, 110, 100, 2, {{110, 101}}, 0.0f},                          // still settling
  };
  app.settings.RollValue = 0;
  for (const Row& row : rows) {
    Start(0);
    Drag(50, 80, 150, 120);
    fake.timers.Advance(1);
    ASSERT_TRUE(form.rotating);
    form.centreX = form.centreY = 100.0f;
    form.radius = 50.0f;
    form.angle = row.startAngle;
    form.Form_MouseDown(1, 0, static_cast<float>(row.clickX), static_cast<float>(row.clickY));
    fake.timers.Advance(row.settle);
    for (const auto& [x, y] : row.moves)
      form.MouseMove(1, 0, x, y);
    EXPECT_NEAR(form.angle, row.angle, 1e-6f) << row.clickX << "," << row.clickY;
    form.EndCapture();
  }
}

TEST_F(CaptureTest, RotatedOutlinesShowTheTurnedFrame) {
  app.settings.RollValue = 0;
  Start(0);
  form.centreX = 100;
  form.centreY = 50;
  form.radius = 50;
  form.diagonalAngle = 0;
  form.angle = 3.14159265f / 2;
  form.ShowRotatedRectangle();
  EXPECT_EQ(form.shpBox.BorderColor, 0xFFFF00u);
  EXPECT_TRUE(form.Line1.Visible && form.Line2.Visible && form.Line3.Visible && form.Line4.Visible);
  EXPECT_NEAR(form.Line1.X1, 100, 1e-4);  // C = centre + r (cos a, sin a)
  EXPECT_NEAR(form.Line1.Y1, 100, 1e-4);
  EXPECT_NEAR(form.Line3.X1, 100, 1e-4);  // A = centre - r (cos a, sin a)
  EXPECT_NEAR(form.Line3.Y1, 0, 1e-4);

  form.frameStyle = 1;
  form.radius = 10.5f;  // diameter 21: odd
  form.centreX = form.centreY = 40.5f;
  form.angle = 0;
  form.ShowRotatedCircle();
  ExpectShape(form.shpCircle, 28, 28, 21, 21);
  EXPECT_FLOAT_EQ(form.Line1.X1, 48.5f);  // the diameter's end, nudged 2.5 left
  EXPECT_FLOAT_EQ(form.Line1.Y1, 38.5f);  // and 1.5 up, half a pixel more for an odd diameter
  EXPECT_FLOAT_EQ(form.Line0.Y1, 38.9f);

  // At 0 degrees the turned outline lies on the reference one: on a white desktop the turned
  // line's pixel must still differ from the reference outline's and from the desktop.
  const auto shown = [](DrawMode under, std::uint32_t underColor, DrawMode over) {
    return ApplyDrawMode(over, kBlack, ApplyDrawMode(under, underColor, kWhite));
  };
  EXPECT_NE(shown(form.Line0.drawMode, kBlack, form.Line1.drawMode), kWhite);
  form.frameStyle = 0;
  form.angle = 0;
  form.ShowRotatedRectangle();
  const std::uint32_t reference = ApplyDrawMode(form.shpBox.drawMode, 0x00FFFF, kWhite);  // cyan
  EXPECT_NE(reference, kWhite);
  const std::uint32_t turned = shown(form.shpBox.drawMode, 0x00FFFF, form.Line1.drawMode);
  EXPECT_NE(turned, reference);
  EXPECT_NE(turned, kWhite);

  app.settings.RollValue = 6;
  form.Line1.Visible = false;
  form.ShowRotatedRectangle();
  EXPECT_FALSE(form.Line1.Visible);
  EXPECT_TRUE(form.shpBox.Visible);
}

TEST_F(CaptureTest, ReadoutShowsTheAngleAndKeepsBesideThePointer) {
  Start(0);
  form.rotating = true;
  form.angle = 3 * 3.14159265f / 2 - 0.01f;
  form.UpdateReadout();
  EXPECT_EQ(form.frmPointer.lblPointer, "-90.57 deg.");
  form.rotating = false;
  // 7 pixels per character and 13 high: "(974,300)" is 1005 twips wide, 220 high.
  struct Row {
    int x, y, left, top;
  };
  for (const Row& row : {Row{974, 300, 13365, 4040},   // near the right edge: left of the pointer
                         Row{924, 300, 14100, 4040},   // right of and above the pointer
                         Row{924, 10, 14100, 390}}) {  // near the top: below it
    form.MouseMove(0, 0, row.x, row.y);
    EXPECT_EQ(form.frmPointer.Left, row.left) << row.x;
    EXPECT_EQ(form.frmPointer.Top, row.top) << row.y;
  }
}

}  // namespace
}  // namespace snapwell::testing
