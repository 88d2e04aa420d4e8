// CutOutRegion on the surface's fields: the region each frame style leaves for the rotation (the
// pixels are checked on whole captures), the series start, and the ways it stops.
#include <gtest/gtest.h>

#include <cmath>

#include "support/capture_setup.h"

namespace snapwell::testing {
namespace {

class CutOutTest : public ::testing::Test, protected FakeCapture {
 protected:
  CutOutTest() : FakeCapture(320, 240) {}

  // The region fields after a cut-out, as the rotation reads them.
  struct Region {
    WindowRect box;  // x1, y1, x2, y2
    float centreX, centreY, radius;
  };
  void ExpectRegion(const Region& expected) {
    EXPECT_EQ((WindowRect{form.x1, form.y1, form.x2, form.y2}), expected.box);
    EXPECT_FLOAT_EQ(form.centreX, expected.centreX);
    EXPECT_FLOAT_EQ(form.centreY, expected.centreY);
    EXPECT_NEAR(form.radius, expected.radius, 1e-4f);
  }
  std::int16_t CutOut(std::int32_t endX, std::int32_t endY) {
    std::int16_t ok = 0;
    transform.CutOutRegion(endX, endY, ok);
    return ok;
  }
};

TEST_F(CutOutTest, RectangleIsNormalisedClampedAndMeasured) {
  const float halfPi = static_cast<float>(2.0 * std::atan(1.0));
  struct Row {
    std::int16_t fixed;
    WindowRect start;  // x1, y1, and x2, y2 of a fixed frame
    std::int32_t endX, endY;
    Region region;
    float diagonalAngle;
  };
  const Row rows[] = {
      // dragged up and left; corners beyond the screen; zero width; one pixel
      {0, {29, 34, 0, 0}, 10, 20, {{10, 20, 29, 34}, 19.5f, 27, 11.800424f}, 0.6435011f},
      {0, {-5, -7, 0, 0}, 400, 300, {{0, 0, 319, 239}, 159.5f, 119.5f, 199.30003f}, 0.6435011f},
      {0, {50, 80, 0, 0}, 50, 60, {{50, 60, 50, 80}, 50, 70, 10}, halfPi},
      {0, {50, 60, 0, 0}, 50, 60, {{50, 60, 50, 60}, 50, 60, 0}, 0},
      // a fixed frame keeps its corners
      {1, {100, 50, 299, 149}, 0, 0, {{100, 50, 299, 149}, 199.5f, 99.5f, 111.13280f}, 0.4636476f},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.start.left);
    Start(0, row.fixed);
    form.x1 = row.start.left;
    form.y1 = row.start.top;
    form.x2 = row.start.right;
    form.y2 = row.start.bottom;
    EXPECT_NE(CutOut(row.endX, row.endY), 0);
    ExpectRegion(row.region);
    EXPECT_FLOAT_EQ(form.diagonalAngle, row.diagonalAngle);
    form.EndCapture();
  }
}

TEST_F(CutOutTest, CircleSnapsToAWholeDiameterAndMovesItsCentre) {
  struct Row {
    float radius;
    Region region;
  };
  const Row rows[] = {
      {4.3011627f, {{97, 97, 105, 105}, 102, 102, 4.5f}},     // diameter 9, odd: 1.5 pixels
      {3.8078866f, {{97, 97, 104, 104}, 101.5f, 101.5f, 4}},  // diameter 8, even: 1 pixel
  };
  for (const Row& row : rows) {
    Start(1);
    form.centreX = form.centreY = 100.5f;
    form.radius = row.radius;
    form.shpCircle.Width = form.shpCircle.Height = 9;
    EXPECT_NE(CutOut(100, 100), 0);
    ExpectRegion(row.region);
    form.EndCapture();
  }
  // A circle without size cuts nothing out and stops the capture.
  Start(1);
  form.shpCircle.Width = 0;
  EXPECT_EQ(CutOut(100, 100), 0);
}

TEST_F(CutOutTest, FreehandBoxGrowsByHalfTheLineWidth) {
  struct Row {
    std::int16_t width;
    Region region;
  };
  for (const Row& row :
       {Row{1, {{10, 20, 30, 40}, 20, 30, 14.849242f}}, Row{2, {{9, 19, 31, 41}, 20, 30, 16.263456f}},
        Row{3, {{9, 19, 31, 41}, 20, 30, 16.263456f}}}) {
    app.settings.FreehandLineWidth = row.width;
    Start(2);
    form.x1 = 10;
    form.y1 = 20;
    form.x2 = 30;
    form.y2 = 40;
    EXPECT_NE(CutOut(30, 40), 0);
    ExpectRegion(row.region);
    form.EndCapture();
  }
}

TEST_F(CutOutTest, SeriesStartsAtItsStartAngleBehindItsDialog) {
  app.settings.ContOutput = 1;
  app.settings.StartAng = 30;
  app.settings.EndAng = 90;
  app.settings.StepAng = 30;
  Start(0);
  form.x1 = 10;
  form.y1 = 20;
  fake.desktop.windowPos.clear();
  EXPECT_NE(CutOut(29, 34), 0);
  EXPECT_EQ(dialogs.seriesDialogs, 1);
  // Both capture windows stepped back behind the dialog.
  const std::vector<WindowPosCall> steppedBack = {
      {OwnWindow::Surface, ZPlace::NotTopmost, 0, 0, 320, 240, 0x60},
      {OwnWindow::Pointer, ZPlace::NotTopmost, 0, 0, 1, 1, 0x73}};
  EXPECT_EQ(fake.desktop.windowPos, steppedBack);
  EXPECT_FLOAT_EQ(form.angle, 0.52359879f);
  EXPECT_TRUE(form.rotating);
  EXPECT_EQ(app.seriesIndex, 1);
  EXPECT_EQ(app.seriesTotal, 3);
  EXPECT_EQ(dialogs.progress, (std::vector<std::string>{" 1 / 3"}));
  EXPECT_FALSE(form.Visible);
  EXPECT_FALSE(form.frmPointer.loaded);

  // Cut out again while its dialog is up: nothing changes.
  form.cutOutActive = true;
  form.x1 = 0;
  EXPECT_NE(CutOut(0, 0), 0);
  EXPECT_EQ(form.x1, 0);
  EXPECT_EQ(dialogs.seriesDialogs, 1);
  form.EndCapture();

  // Its dialog cancelled: nothing is cut out.
  dialogs.cancelSeries = true;
  Start(0);
  form.x1 = 10;
  form.y1 = 20;
  EXPECT_EQ(CutOut(29, 34), 0);
  EXPECT_EQ(form.x2, 0);
}

TEST_F(CutOutTest, DeclinedSizeWarningLeavesTheCutOutUnscaled) {
  app.settings.EnlargeValue = 4;  // 200 x 100 at 400 %: 320 000 pixels on a 76 800-pixel screen
  Start(0);
  form.x1 = 50;
  form.y1 = 60;
  fake.ui.Expect(MsgAnswer::No);
  EXPECT_EQ(CutOut(249, 159), 0);
  EXPECT_EQ(
      fake.ui.shown.at(0).text,
      "The picture size after Enlargement becomes quite large ( 800 x 400 ).\r\n\r\nThe system load will be "
      "quite heavy.\r\nDo you want to continue?");
  EXPECT_EQ(form.frmBoard.picBoard1.GetPixel(50, 60), DesktopPixel(50, 60));
  EXPECT_EQ(form.frmBoard.picBoard1.GetPixel(249, 159), DesktopPixel(249, 159));
  EXPECT_EQ(form.frmBoard.picBoard1.Width(), 320);
}

}  // namespace
}  // namespace snapwell::testing
