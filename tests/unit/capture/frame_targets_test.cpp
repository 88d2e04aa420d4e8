#include "unit/capture/capture_fixture.h"

namespace snapwell::testing {
namespace {

using Points = std::vector<std::pair<int, int>>;

TEST_F(CaptureTest, FreehandStrokeIsDrawnIntoTheMaskAndShownInverted) {
  struct Row {
    std::int16_t width;
    Points stroke;  // press, moves; released at the last point
    WindowRect box;
    Points black, white;
  };
  const Points square = {{0, 10}, {20, 10}, {20, 30}, {0, 30}, {0, 10}};
  const Points open = {{0, 10}, {20, 10}, {20, 30}, {0, 30}};
  const Row rows[] = {
      {1, square, {0, 10, 20, 30}, {{0, 10}, {10, 10}, {20, 20}, {0, 20}}, {{1, 20}, {10, 20}}},
      {1, open, {0, 10, 20, 30}, {{0, 10}, {10, 30}}, {{0, 20}, {0, 30}, {10, 20}}},
      {2, square, {0, 10, 20, 30}, {{0, 20}, {10, 10}}, {{3, 20}, {10, 20}}},
      {2, open, {0, 10, 20, 30}, {{10, 30}}, {{0, 20}, {10, 20}}},
      {3, square, {0, 10, 20, 30}, {{0, 20}, {1, 20}, {10, 9}, {10, 11}}, {{3, 20}, {10, 20}}},
      {3, open, {0, 10, 20, 30}, {{10, 29}, {10, 31}}, {{0, 20}, {10, 20}}},
  };
  for (const Row& row : rows) {
    app.settings.FreehandLineWidth = row.width;
    Start(2);
    form.Form_MouseDown(1, 0, static_cast<float>(row.stroke[0].first),
                        static_cast<float>(row.stroke[0].second));
    for (std::size_t i = 1; i < row.stroke.size(); ++i)
      form.MouseMove(1, 0, row.stroke[i].first, row.stroke[i].second);
    // Out of sight while the stroke is drawn, showing the last point.
    EXPECT_EQ(form.frmPointer.Left, 1024 * 15 + 10);
    EXPECT_EQ(form.frmPointer.lblPointer, "(0," + std::to_string(row.stroke.back().second) + ")");
    form.Form_MouseUp(1, 0, static_cast<float>(row.stroke.back().first),
                      static_cast<float>(row.stroke.back().second));
    EXPECT_EQ((WindowRect{form.x1, form.y1, form.x2, form.y2}), row.box);
    const Picture& mask = form.frmBoard.picBoard1;
    for (const auto& [x, y] : row.black) {
      EXPECT_EQ(mask.GetPixel(x, y), kBlack) << row.width << " at " << x << "," << y;
      EXPECT_EQ(form.surface.GetPixel(x, y), ~DesktopPixel(x, y) & kColorMask);
    }
    for (const auto& [x, y] : row.white) {
      EXPECT_EQ(mask.GetPixel(x, y), kWhite) << row.width << " at " << x << "," << y;
      EXPECT_EQ(form.surface.GetPixel(x, y), DesktopPixel(x, y));
    }
    fake.timers.Advance(1);
    EXPECT_EQ(handOver.regions.back(), row.box);
  }
}

TEST_F(CaptureTest, FreehandRedrawRestoresTheDirtyRectangleOnly) {
  app.settings.FreehandLineWidth = 2;
  Start(2);
  form.Form_MouseDown(1, 0, 10, 10);
  // Marks on the surface just inside and just outside the rectangle (8, 8) … (22, 17).
  const Points inside = {{8, 8}, {22, 17}, {22, 8}}, outside = {{7, 8}, {23, 17}, {8, 18}};
  for (const auto& [x, y] : inside)
    form.surface.SetPixel(x, y, 0x123456);
  for (const auto& [x, y] : outside)
    form.surface.SetPixel(x, y, 0x123456);
  form.MouseMove(1, 0, 20, 15);
  for (const auto& [x, y] : inside)
    EXPECT_EQ(form.surface.GetPixel(x, y), DesktopPixel(x, y));
  for (const auto& [x, y] : outside)
    EXPECT_EQ(form.surface.GetPixel(x, y), 0x123456u);
  // Drawing back over the stroke keeps it inverted, not restored.
  form.MouseMove(1, 0, 10, 10);
  EXPECT_EQ(form.surface.GetPixel(10, 10), ~DesktopPixel(10, 10) & kColorMask);
}

TEST_F(CaptureTest, TemplatePreviewShowsTheOutlineOverTheCleanDesktop) {
  fake.files.AddFile("C:\\Snapwell\\diag.vod", "Diagonal,10,10,0,0,1\r\nL,0,0,9,9,0,0,0,0\r\n");
  ASSERT_TRUE(app.VellFrame.ReadVODFile(fake.files, "diag.vod", app.AppFolder).Ok());
  app.templateMode = true;
  Start(2);
  EXPECT_EQ(form.frameStyle, 0);
  EXPECT_EQ(form.shpBox.BorderStyle, 3);
  form.Form_MouseDown(1, 0, 100, 100);
  form.MouseMove(1, 0, 109, 109);
  const PictureControl& preview = form.picVariLineDraw;
  ASSERT_TRUE(preview.Visible);
  EXPECT_EQ(preview.Left, 101);
  EXPECT_EQ(preview.picture.Width(), 8);
  EXPECT_EQ(preview.picture.Height(), 8);
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(preview.picture.GetPixel(i, i), ~DesktopPixel(101 + i, 101 + i) & kColorMask);
  EXPECT_EQ(preview.picture.GetPixel(1, 0), DesktopPixel(102, 101));
  form.MouseMove(1, 0, 101, 101);  // under 3 × 3: no preview
  EXPECT_FALSE(preview.Visible);
}

TEST_F(CaptureTest, WindowPickTakesTheWholeWindowOrTheControl) {
  fake.desktop.windows = {
      {10, 5, false, {100, 100, 400, 300}},  // a dialog owned by window 5
      {11, 10, true, {150, 250, 230, 280}},  // its button
      {5, 0, false, {0, 0, 800, 600}},
      {20, 0, false, {-50, 650, 200, 900}},
  };
  struct Row {
    std::int16_t mode;
    int x, y;
    WindowRect region;
  };
  const Row rows[] = {
      {0, 160, 260, {100, 100, 399, 299}},
      {1, 160, 260, {150, 250, 229, 279}},
      {0, 900, 700, {0, 0, 1023, 767}},
      {1, 10, 700, {-50, 650, 199, 899}},
  };
  for (const Row& row : rows) {
    app.settings.CaptureWindow = row.mode;
    fake.desktop.showCalls.clear();
    Start(3);
    Drag(row.x, row.y, 5, 5);
    EXPECT_EQ((WindowRect{form.x1, form.y1, form.x2, form.y2}), row.region);
    EXPECT_EQ(form.frameStyle, 0);
    EXPECT_TRUE(form.windowPicked);
    EXPECT_EQ(app.fixedFrame, 1);
    const std::vector<std::pair<OwnWindow, bool>> hiddenForThePick = {{OwnWindow::Surface, false},
                                                                      {OwnWindow::Surface, true},
                                                                      {OwnWindow::Surface, false},
                                                                      {OwnWindow::Surface, true}};
    EXPECT_EQ(fake.desktop.showCalls, hiddenForThePick);  // the grab, the show, then the pick
    fake.timers.Advance(1);
    EXPECT_EQ(handOver.regions.back(), row.region);
  }
}

TEST_F(CaptureTest, WindowPickLooksPastTheProgramsOwnWindows) {
  // With a rotation phase to follow the readout is shown; before the first move it still stands
  // where it was, here over the button that is clicked. Neither it nor the surface is taken.
  fake.desktop.windows = {{10, 0, false, {100, 100, 400, 300}}, {11, 10, true, {150, 250, 230, 280}}};
  fake.desktop.ownRects = {{OwnWindow::Surface, {0, 0, 1024, 768}},
                           {OwnWindow::Pointer, {140, 250, 200, 270}}};
  app.settings.RollValue = 1;
  for (const std::int16_t mode : {0, 1}) {
    app.settings.CaptureWindow = mode;
    Start(3);
    ASSERT_TRUE(form.frmPointer.Visible);
    form.Form_MouseDown(1, 0, 160, 260);
    EXPECT_EQ((WindowRect{form.x1, form.y1, form.x2, form.y2}),
              (mode == 0 ? WindowRect{100, 100, 399, 299} : WindowRect{150, 250, 229, 279}));
    EXPECT_TRUE(form.frmPointer.Visible);
    EXPECT_TRUE(fake.desktop.shown[OwnWindow::Pointer]);
    form.EndCapture();
  }
}

TEST_F(CaptureTest, ActiveWindowIsTheTopmostOrdinaryWindowReachingIntoTheScreen) {
  const std::uint32_t ordinary = kWsVisible | kWsSysMenu;
  struct Row {
    std::vector<FakeWindow> windows;
    WindowRect region;
  };
  const Row rows[] = {
      {{{2, 0, false, {0, 0, 500, 500}, ordinary},   // the program's own
        {3, 0, false, {10, 10, 25, 310}, ordinary},  // 15 × 300
        {4, 0, false, {100, 100, 116, 116}, kWsVisible | kWsPopup}},
       {100, 100, 115, 115}},
      {{{3, 0, false, {0, 0, 900, 700}, kWsSysMenu},    // hidden
        {4, 0, false, {0, 0, 900, 700}, kWsVisible},    // neither popup nor system menu
        {5, 0, false, {0, 728, 1024, 768}, ordinary},   // in the task-bar strip
        {6, 0, false, {-4, -4, 1028, 772}, ordinary}},  // maximised
       {0, 0, 1023, 767}},
      {{{7, 0, false, {1000, 50, 1100, 200}, ordinary}}, {1000, 50, 1023, 199}},
      {{{8, 0, false, {1010, 50, 1100, 200}, ordinary}}, {0, 0, 1023, 767}},  // 14 wide on the screen
  };
  app.settings.CaptureWindow = 2;
  fake.desktop.programWindows = {2};
  for (const Row& row : rows) {
    fake.desktop.windows = row.windows;
    handOver.calls.clear();
    Start(3);
    EXPECT_EQ(handOver.calls, (std::vector<std::string>{"CutOutRegion(0,0)", "RotateAndOutput"}));
    ASSERT_FALSE(handOver.regions.empty());
    EXPECT_EQ(handOver.regions.back(), row.region);
    EXPECT_FALSE(form.IsLoaded());
  }
}

TEST_F(CaptureTest, ActiveWindowCaptureWithRotationKeepsThePointerReadout) {
  app.settings.CaptureWindow = 2;
  app.settings.RollValue = 1;
  fake.desktop.windows = {{4, 0, false, {100, 100, 300, 200}}};
  Start(3);
  EXPECT_TRUE(form.rotating);
  EXPECT_TRUE(app.showPointer);
  EXPECT_TRUE(form.frmPointer.Visible);
  EXPECT_EQ(handOver.regions.back(), (WindowRect{100, 100, 299, 199}));
}

}  // namespace
}  // namespace snapwell::testing
