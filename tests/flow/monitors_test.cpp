// Whole captures on two monitors of different sizes: a second one left of and above the primary
// (negative system coordinates), so that the screen is their bounding rectangle with two corners
// that no monitor shows. The core counts from the screen's top-left corner.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/settings_io.h"
#include "output/dialog_place.h"
#include "support/capture_setup.h"

namespace snapwell::testing {
namespace {

// System pixels: the second monitor (-200,-40)-(0,120), the primary (0,0)-(320,240). The screen
// is 520 x 280 from (-200,-40); in its coordinates the second monitor is (0,0)-(200,160) and the
// primary (200,40)-(520,280); nothing shows below the second one or above the primary.
const std::vector<ScreenArea> kMonitors = {{0, 0, 320, 240}, {-200, -40, 0, 120}};

bool Uncovered(int x, int y) {
  return (x < 200 && y >= 160) || (x >= 200 && y < 40);
}
std::uint32_t Expected(int x, int y) {
  return Uncovered(x, y) ? kWhite : DesktopPixel(x, y);
}

class MonitorsFlow : public ::testing::Test, protected FakeCapture {
 protected:
  MonitorsFlow() : FakeCapture(520, 280) {
    fake.screen.monitors = kMonitors;  // the desktop picture shows pixels where no monitor is, too
    Settings& s = app.settings;
    s.RollValue = 6;
    s.EnlargeValue = 1.0f;
    s.FreehandLineWidth = 1;
  }
  void Drag(const std::vector<std::pair<int, int>>& points) {
    form.MouseMove(0, 0, points[0].first, points[0].second);
    form.Form_MouseDown(1, 0, static_cast<float>(points[0].first), static_cast<float>(points[0].second));
    for (std::size_t i = 1; i < points.size(); ++i)
      form.MouseMove(1, 0, points[i].first, points[i].second);
    form.Form_MouseUp(1, 0, static_cast<float>(points.back().first),
                      static_cast<float>(points.back().second));
    fake.timers.Advance(1);
  }
  const PixelCopy& Clipboard() {
    static const PixelCopy none;
    EXPECT_TRUE(fake.output.clipboard.has_value());
    return fake.output.clipboard ? *fake.output.clipboard : none;
  }
  // The clipboard holds the screen's block (left, top, w, h), white where no monitor is.
  void ExpectBlock(int left, int top, int w, int h) {
    const PixelCopy& picture = Clipboard();
    ASSERT_EQ(std::make_pair(picture.width, picture.height), std::make_pair(w, h));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        ASSERT_EQ(picture.At(x, y), Expected(left + x, top + y)) << "at " << left + x << "," << top + y;
  }
};

TEST_F(MonitorsFlow, RegionsAcrossTheSeamIntoTheCornersAndAtTheEdges) {
  struct Row {
    const char* what;
    std::int16_t tool, fixed;
    std::function<void()> mark;
    int left, top, w, h;
  };
  fake.desktop.windows = {{5, 0, false, {150, 20, 260, 120}}};
  const Row rows[] = {
      {"rectangle across the seam", 0, 0,
       [this] {
         Drag({{150, 50}, {220, 70}, {260, 100}});
       },
       150, 50, 111, 51},
      {"rectangle into the corner below the second monitor", 0, 0,
       [this] {
         Drag({{100, 100}, {250, 200}});
       },
       100, 100, 151, 101},
      {"rectangle clamped at the screen's bottom right", 0, 0,
       [this] {
         Drag({{500, 260}, {600, 400}});
       },
       500, 260, 20, 20},
      {"rectangle clamped at the top left, in the corner above the primary", 0, 0,
       [this] {
         Drag({{230, 30}, {-50, -50}});
       },
       0, 0, 231, 31},
      {"fixed frame pushed back from the right edge", 0, 1,
       [this] {
         Drag({{480, 250}});
       },
       420, 230, 100, 50},
      {"window across the seam", 3, 0,
       [this] {
         Drag({{170, 60}});
       },
       150, 20, 110, 100},
      {"keyboard across the seam", 0, 0,
       [this] {
         form.MouseMove(0, 0, 190, 50);
         form.KeyDown(32, 0);
         form.KeyDown(39, 2);  // Ctrl+Right: 16 pixels
         form.KeyDown(39, 2);
         form.KeyDown(40, 2);  // Ctrl+Down
         form.KeyUp(32, 0);
         fake.timers.Advance(1);
       },
       190, 50, 33, 17},
  };
  app.settings.FixFieldX = 100;
  app.settings.FixFieldY = 50;
  app.settings.CaptureWindow = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    fake.output.clipboard.reset();
    Start(row.tool, row.fixed);
    EXPECT_EQ(std::make_pair(app.screenWidth, app.screenHeight), std::make_pair(520, 280));
    row.mark();
    EXPECT_FALSE(form.loaded);
    ExpectBlock(row.left, row.top, row.w, row.h);
  }
}

TEST_F(MonitorsFlow, CircleFreehandAndTemplateAcrossTheSeamKeepTheDesktopInside) {
  Start(1);
  Drag({{200, 100}, {210, 100}});  // radius 10 round the seam
  const PixelCopy& disc = Clipboard();
  ASSERT_EQ(disc.width, 19);  // 2 r - 1, from column 191
  // The disc's middle row runs across the seam from the second monitor onto the primary.
  for (const int x : {8, 9, 10})
    EXPECT_EQ(disc.At(x, 9), DesktopPixel(191 + x, 100)) << x;
  EXPECT_EQ(disc.At(0, 0), kWhite);

  Start(2);
  Drag({{190, 90}, {210, 90}, {210, 110}, {190, 110}, {190, 90}});
  const PixelCopy& outline = Clipboard();
  ASSERT_EQ(std::make_pair(outline.width, outline.height), std::make_pair(21, 21));
  EXPECT_EQ(outline.At(10, 10), DesktopPixel(200, 100));
  EXPECT_EQ(outline.At(0, 0), DesktopPixel(190, 90));

  ASSERT_TRUE(UseDiamondTemplate(app));
  Start(2);
  Drag({{180, 80}, {219, 119}});
  const PixelCopy& diamond = Clipboard();
  ASSERT_EQ(diamond.width, 40);
  EXPECT_EQ(diamond.At(19, 20), DesktopPixel(199, 100));
  EXPECT_EQ(diamond.At(20, 20), DesktopPixel(200, 100));
  EXPECT_EQ(diamond.At(0, 0), kWhite);
}

TEST_F(MonitorsFlow, DialogsReadoutAndSizeWarningKeepToTheirMonitors) {
  // The output target dialog stands on the monitor that shows most of the region.
  app.settings.OutDialog = 1;
  ScreenArea dialogArea;
  dialogs.whileOutputDialog = [&] { dialogArea = app.dialogArea; };
  const std::pair<std::vector<std::pair<int, int>>, ScreenArea> regions[] = {
      {{{20, 20}, {120, 100}}, {-200, -40, 0, 120}}, {{{180, 60}, {400, 200}}, {0, 0, 320, 240}}};
  for (const auto& [drag, monitor] : regions) {
    Start(0);
    Drag(drag);
    EXPECT_EQ(dialogArea, monitor);
    EXPECT_EQ(app.dialogArea.Width(), 0);  // between captures: the primary monitor
  }
  FormWindow dialog;
  dialog.Width = 3000;
  dialog.Height = 1500;
  CentreOnArea(dialog, {-200, -40, 0, 120}, fake.screen);
  EXPECT_EQ(std::make_pair(dialog.Left, dialog.Top), std::make_pair(-3000, -150));
  app.settings.OutDialog = 0;

  // The readout turns left of the pointer near the second monitor's right edge, though the
  // screen goes on; 16 pixels right of it elsewhere.
  Start(0);
  form.MouseMove(0, 0, 100, 50);
  EXPECT_EQ(form.frmPointer.Left, 100 * 15 + 240);
  form.MouseMove(0, 0, 195, 50);
  EXPECT_EQ(form.frmPointer.Left, 195 * 15 - form.frmPointer.Width - 240);
  form.EndCapture();

  // The settings dialog is centred on the primary monitor.
  LoadSettings(app, DialogSizeTwips{3000, 1500});
  EXPECT_EQ(std::make_pair(app.settings.WindowLeft, app.settings.WindowTop), std::make_pair(900, 1050));

  // The size warning weighs the picture against the whole screen, 520 x 280 = 145600 pixels.
  for (const float enlarge : {3.8f, 3.9f}) {
    app.settings.EnlargeValue = enlarge;
    fake.ui.shown.clear();
    fake.ui.Expect(MsgAnswer::No);
    Start(0);
    Drag({{300, 100}, {399, 199}});
    ASSERT_EQ(fake.ui.shown.size(), enlarge > 3.85f ? 1u : 0u) << enlarge;
    if (!fake.ui.shown.empty()) {
      EXPECT_NE(fake.ui.shown[0].text.find("390 x 390"), std::string::npos);
    }
    form.EndCapture();
  }
}

}  // namespace
}  // namespace snapwell::testing
