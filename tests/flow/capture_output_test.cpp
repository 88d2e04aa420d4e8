// Whole captures on the fake desktop: marking with each frame tool, the transform, and the
// picture that reaches the clipboard, the file and the printer, pixel by pixel.
#include <gtest/gtest.h>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "capture/frm_main.h"
#include "support/capture_setup.h"
#include "support/disk_file_system.h"
#include "support/fake_platform.h"
#include "transform/hand_over.h"
#include "unit/output/encoder_test_support.h"

namespace snapwell::testing {
namespace {

constexpr int kScreenW = 320, kScreenH = 240;

// The scratch folders of a run: files are written to the real disk.
struct FlowFolders {
  ScratchFolder folder;
  ScratchFolder temporary;
  DiskFileSystem disk;
};

// The composition of a run: the fake platform with the real disk for files, the surface and the
// transform wired together, default settings for a plain clipboard capture.
class CaptureFlow : public ::testing::Test, protected FlowFolders, protected FakeCapture {
 protected:
  CaptureFlow() : FakeCapture(kScreenW, kScreenH, &disk, folder.Path("")) {
    fake.output.temporaryFolder = temporary.Path("");
    app.PrintDocumentName = "VellOut";  // as start-up names it
    Settings& s = app.settings;
    s.RollValue = 6;
    s.EnlargeValue = 1.0f;
    s.ReverseValue = 0;
    s.FreehandLineWidth = 1;
    s.DefaultExt = 3;
  }

  void Drag(const std::vector<std::pair<int, int>>& points) {
    form.Form_MouseDown(1, 0, static_cast<float>(points[0].first), static_cast<float>(points[0].second));
    for (std::size_t i = 1; i < points.size(); ++i)
      form.MouseMove(1, 0, points[i].first, points[i].second);
    form.Form_MouseUp(1, 0, static_cast<float>(points.back().first),
                      static_cast<float>(points.back().second));
  }
  // The release is handed over on the next tick of the capture timer.
  void Tick(int ticks = 1) {
    for (int i = 0; i < ticks && form.loaded; ++i)
      fake.timers.Advance(1);
  }
  // A click in the rotation phase confirms the angle.
  void Confirm() {
    form.Form_MouseDown(1, 0, 5, 5);
    form.Form_MouseUp(1, 0, 5, 5);
  }

  // The picture shows the desktop block (left, top, w, h) read in the flip's directions.
  static void ExpectDesktopBlock(const PixelCopy& picture, int left, int top, int w, int h, int reverse) {
    ASSERT_EQ(picture.width, w);
    ASSERT_EQ(picture.height, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const int sx = reverse % 2 != 0 ? left + w - 1 - x : left + x;
        const int sy = (reverse & 2) != 0 ? top + h - 1 - y : top + y;
        ASSERT_EQ(picture.At(x, y), DesktopPixel(sx, sy)) << "at " << x << "," << y << " flip " << reverse;
      }
  }
  const PixelCopy& Clipboard() {
    static const PixelCopy none;
    EXPECT_TRUE(fake.output.clipboard.has_value());
    return fake.output.clipboard ? *fake.output.clipboard : none;
  }
  static PixelCopy DecodeFile(const std::string& path) {
    int w = 0, h = 0, channels = 0;
    unsigned char* data = stbi_load(path.c_str(), &w, &h, &channels, 3);
    PixelCopy copy{w, h, {}};
    for (int i = 0; data != nullptr && i < w * h; ++i)
      copy.pixels.push_back(vell::Rgb(data[3 * i], data[3 * i + 1], data[3 * i + 2]));
    stbi_image_free(data);
    return copy;
  }
};

TEST_F(CaptureFlow, RectangleBothWaysWithEveryFlip) {
  for (int reverse = 0; reverse < 4; ++reverse) {
    for (const bool backwards : {false, true}) {
      app.settings.ReverseValue = static_cast<std::int16_t>(reverse);
      Start(0);
      if (backwards)
        Drag({{29, 34}, {10, 20}});
      else
        Drag({{10, 20}, {29, 34}});
      Tick();
      EXPECT_FALSE(form.loaded);
      ExpectDesktopBlock(Clipboard(), 10, 20, 20, 15, reverse);
    }
  }
  EXPECT_EQ(fake.ui.beeps, 8);
}

TEST_F(CaptureFlow, FixedFrameNearTheCornerAndWindowPick) {
  app.settings.FixFieldX = 200;
  app.settings.FixFieldY = 100;
  Start(0, 1);
  form.MouseMove(0, 0, 300, 200);
  Drag({{300, 200}});
  Tick();
  ExpectDesktopBlock(Clipboard(), 120, 140, 200, 100, 0);

  // A control reaching past the left edge: the region is clamped to the screen.
  fake.desktop.windows = {{5, 0, false, {0, 0, 300, 200}}, {6, 5, true, {-20, 50, 40, 90}}};
  app.settings.CaptureWindow = 1;
  Start(3);
  Drag({{10, 60}});
  Tick();
  ExpectDesktopBlock(Clipboard(), 0, 50, 40, 40, 0);
}

TEST_F(CaptureFlow, CircleKeepsItsDiscWithAHorizontalFlip) {
  struct Row {
    std::pair<int, int> to;
    int diameter;
    std::int16_t reverse;
  };
  const Row rows[] = {{{103, 104}, 9, 0}, {{103, 104}, 9, 1}, {{104, 102}, 8, 0}, {{104, 102}, 8, 1}};
  for (const Row& row : rows) {
    app.settings.ReverseValue = row.reverse;
    Start(1);
    Drag({{100, 100}, row.to});
    Tick();
    const PixelCopy& picture = Clipboard();
    ASSERT_EQ(picture.width, row.diameter);
    ASSERT_EQ(picture.height, row.diameter);
    // The middle row runs across the whole disc from desktop column 96; the corners are white.
    const int d = row.diameter;
    for (int x = 0; x < d; ++x) {
      const int source = 96 + (row.reverse != 0 ? d - 1 - x : x);
      EXPECT_EQ(picture.At(x, 4), DesktopPixel(source, 100)) << d << " flip " << row.reverse << " x " << x;
    }
    for (const auto& [x, y] : {std::pair{0, 0}, {d - 1, 0}, {0, d - 1}, {d - 1, d - 1}})
      EXPECT_EQ(picture.At(x, y), kWhite);
  }
}

TEST_F(CaptureFlow, CircleDiscIsDrawnInTheLineWidth) {
  // An 8-pixel circle (drawn from (100, 100) to (104, 102)): the disc round the centre (3.5, 3.5)
  // of the picture reaches as far as the circle's radius less half a pixel plus half the pen,
  // 4, 4.5 or 5 pixels. The corner (0, 0) lies 4.95 from the centre, (0, 1) 4.30, (0, 2) 3.81.
  struct Row {
    std::int16_t width;
    bool cornerInside, nextInside;
  };
  for (const Row& row : {Row{1, false, false}, Row{2, false, true}, Row{3, true, true}}) {
    SCOPED_TRACE(row.width);
    app.settings.FreehandLineWidth = row.width;
    Start(1);
    Drag({{100, 100}, {104, 102}});
    Tick();
    const PixelCopy& picture = Clipboard();
    ASSERT_EQ(std::make_pair(picture.width, picture.height), std::make_pair(8, 8));
    EXPECT_EQ(picture.At(0, 0), row.cornerInside ? DesktopPixel(96, 96) : kWhite);
    EXPECT_EQ(picture.At(0, 1), row.nextInside ? DesktopPixel(96, 97) : kWhite);
    EXPECT_EQ(picture.At(7, 6), row.nextInside ? DesktopPixel(103, 102) : kWhite);
    EXPECT_EQ(picture.At(0, 2), DesktopPixel(96, 98));
  }
}

TEST_F(CaptureFlow, FreehandAtTheLeftEdgeClosedAndOpenWithEachWidth) {
  const std::vector<std::pair<int, int>> closed = {{0, 10}, {20, 10}, {20, 30}, {0, 30}, {0, 10}};
  const std::vector<std::pair<int, int>> open = {{0, 10}, {20, 10}, {20, 30}, {0, 30}};
  struct Row {
    std::int16_t width;
    bool closed;
    int size;  // the box grows by half the pen width on every side
  };
  const Row rows[] = {{1, true, 21},  {1, false, 21}, {2, true, 23},
                      {2, false, 23}, {3, true, 23},  {3, false, 23}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.width) + (row.closed ? " closed" : " open"));
    app.settings.FreehandLineWidth = row.width;
    Start(2);
    Drag(row.closed ? closed : open);
    Tick();
    const PixelCopy& picture = Clipboard();
    ASSERT_EQ(picture.width, row.size);
    ASSERT_EQ(picture.height, row.size);
    const int k = row.width / 2;
    // Inside: the desktop when the outline closes, white when the fill got in.
    EXPECT_EQ(picture.At(10 + k, 10 + k), row.closed ? DesktopPixel(10, 20) : kWhite);
    // The stroke itself keeps the desktop, also on the screen's left edge, which only the closed
    // outline runs along.
    EXPECT_EQ(picture.At(k, 10 + k), row.closed ? DesktopPixel(0, 20) : kWhite);
    EXPECT_EQ(picture.At(10 + k, k), DesktopPixel(10, 10));
    // Left of the screen's edge there is nothing: white.
    if (k > 0) {
      EXPECT_EQ(picture.At(0, 10 + k), kWhite);
    }
  }
}

TEST_F(CaptureFlow, TemplateMaskKeepsTheInsideOnly) {
  ASSERT_TRUE(UseDiamondTemplate(app));
  Start(2);
  Drag({{100, 100}, {139, 139}});
  Tick();
  const PixelCopy& picture = Clipboard();
  ASSERT_EQ(picture.width, 40);
  EXPECT_EQ(picture.At(20, 20), DesktopPixel(120, 120));
  EXPECT_EQ(picture.At(0, 0), kWhite);
  EXPECT_EQ(picture.At(39, 39), kWhite);
}

TEST_F(CaptureFlow, RotationPresetsAndTypedAngles) {
  struct Row {
    std::int16_t rollValue;
    float defRoll;
    int width, height;
    bool transposed;
  };
  // A 20 x 15 rectangle; 45 degrees: r = 12.5 + sqrt 2, half-diagonal angle atan(15/20).
  const Row rows[] = {
      {2, 0, 15, 20, true}, {5, 89.95f, 15, 20, true}, {1, 0, 28, 28, false}, {5, 30, 28, 26, false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.rollValue * 1000 + row.defRoll);
    app.settings.RollValue = row.rollValue;
    app.settings.DefRoll = row.defRoll;
    Start(0);
    Drag({{10, 20}, {29, 34}});
    Tick();
    ASSERT_TRUE(form.rotating);
    Confirm();
    EXPECT_FALSE(form.loaded);
    const PixelCopy& picture = Clipboard();
    EXPECT_EQ(picture.width, row.width);
    EXPECT_EQ(picture.height, row.height);
    if (row.transposed) {
      // Clockwise quarter turn: the left column, read upwards, becomes the top row.
      for (int x = 0; x < 15; ++x)
        EXPECT_EQ(picture.At(x, 0), DesktopPixel(10, 34 - x));
      EXPECT_EQ(picture.At(14, 19), DesktopPixel(29, 20));
    } else {
      EXPECT_EQ(picture.At(picture.width / 2, picture.height / 2) != kWhite, true);
      EXPECT_EQ(picture.At(0, 0), kWhite);
    }
  }
}

TEST_F(CaptureFlow, ScalingBothWaysAndTheDeclinedWarning) {
  struct Row {
    float e;
    std::int16_t colorControl;
    int width, height;
  };
  const Row rows[] = {{2.0f, 0, 40, 30}, {2.0f, 1, 40, 30}, {0.5f, 0, 10, 8}, {0.5f, 1, 10, 8}};
  for (const Row& row : rows) {
    app.settings.EnlargeValue = row.e;
    app.settings.EnlargeColorControl = app.settings.ReductColorControl = row.colorControl;
    Start(0);
    Drag({{10, 20}, {29, 34}});
    Tick();
    const PixelCopy& picture = Clipboard();
    EXPECT_EQ(std::make_pair(picture.width, picture.height), std::make_pair(row.width, row.height)) << row.e;
    if (row.colorControl == 0 && row.e > 1) {
      EXPECT_EQ(picture.At(3, 5), DesktopPixel(11, 22));  // each pixel doubled
    }
    if (row.colorControl == 0 && row.e < 1) {
      EXPECT_EQ(picture.At(3, 5), DesktopPixel(16, 30));  // every second pixel
    }
  }
  // 400 % of a 200 x 150 region is more than the screen holds: the user declines.
  fake.output.clipboard.reset();
  app.settings.EnlargeValue = 4.0f;
  fake.ui.Expect(MsgAnswer::No);
  Start(0);
  Drag({{0, 0}, {199, 149}});
  Tick();
  EXPECT_FALSE(form.loaded);
  EXPECT_FALSE(fake.output.clipboard.has_value());
  EXPECT_EQ(
      fake.ui.shown.back().text,
      "The picture size after Enlargement becomes quite large ( 800 x 600 ).\r\n\r\nThe system load will be "
      "quite heavy.\r\nDo you want to continue?");
}

TEST_F(CaptureFlow, OutputsToClipboardFileAndPrinter) {
  struct Row {
    std::int16_t outputs;
    bool clipboard;
    bool file;
    int pages;
  };
  // The printer prints the picture itself: what another program put on the clipboard stays there
  // unless the clipboard is a target too.
  const Row rows[] = {{0, false, false, 0}, {5, true, false, 2}, {7, true, true, 2}, {4, false, false, 2}};
  const PixelCopy theirs{1, 1, {0x123456}};
  app.PrintCopies = 2;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.outputs);
    fake.output.clipboard = theirs;
    fake.output.documents.clear();
    const std::string target = folder.Path("out" + std::to_string(row.outputs) + ".png");
    app.FileName.SetPath(target);
    app.settings.Outputs = row.outputs;
    const int beeps = fake.ui.beeps;
    Start(0);
    Drag({{10, 20}, {29, 34}});
    Tick();
    EXPECT_EQ(fake.ui.beeps, beeps + 1);
    ASSERT_TRUE(fake.output.clipboard.has_value());
    if (row.clipboard) {
      ExpectDesktopBlock(*fake.output.clipboard, 10, 20, 20, 15, 0);
    } else {
      EXPECT_EQ(fake.output.clipboard->pixels, theirs.pixels);
    }
    if (row.file) ExpectDesktopBlock(DecodeFile(target), 10, 20, 20, 15, 0);
    if (row.pages == 0) {
      EXPECT_TRUE(fake.output.documents.empty());
      continue;
    }
    ASSERT_EQ(fake.output.documents.size(), 1u);
    EXPECT_EQ(fake.output.documents[0].name, "VellOut");
    EXPECT_TRUE(fake.output.documents[0].ended);
    ASSERT_EQ(fake.output.documents[0].pages.size(), 2u);
    for (const PixelCopy& page : fake.output.documents[0].pages)
      ExpectDesktopBlock(page, 10, 20, 20, 15, 0);
  }
}

TEST_F(CaptureFlow, HeldClipboardIsToldAndTheOtherOutputsStillRun) {
  app.settings.Outputs = 7;
  app.PrintCopies = 1;
  app.FileName.SetPath(folder.Path("held.png"));
  fake.output.clipboardBusyFor = -1;
  fake.ui.Expect(MsgAnswer::Ok);
  Start(0);
  Drag({{10, 20}, {29, 34}});
  Tick();
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_EQ(fake.ui.shown[0].text,
            "The picture could not be copied to the clipboard, because another program is using it.");
  EXPECT_EQ(fake.output.clipboardAttempts, 40);
  EXPECT_EQ(fake.output.clipboardContents, 1);  // made once, only placing is tried again
  EXPECT_EQ(fake.output.paused, 39 * 50);
  EXPECT_EQ(fake.ui.beeps, 0);  // no sign of success
  ExpectDesktopBlock(DecodeFile(folder.Path("held.png")), 10, 20, 20, 15, 0);
  ASSERT_EQ(fake.output.documents.size(), 1u);
  ExpectDesktopBlock(fake.output.documents[0].pages.at(0), 10, 20, 20, 15, 0);
}

TEST_F(CaptureFlow, SeriesOfFourNumberedFiles) {
  Settings& s = app.settings;
  s.ContOutput = 1;
  s.StartAng = 0;
  s.EndAng = 90;
  s.StepAng = 30;
  s.Outputs = 2;
  s.AutoName = 1;
  app.FileName.SetPath(folder.Path("turn"));
  Start(0);
  Drag({{10, 20}, {29, 34}});
  Tick(10);
  EXPECT_FALSE(form.loaded);
  EXPECT_EQ(dialogs.seriesDialogs, 1);
  EXPECT_EQ(dialogs.progress, std::vector<std::string>{" 1 / 4"});
  EXPECT_EQ(progress.texts, (std::vector<std::string>{" 2/ 4", " 3/ 4", " 4/ 4", " 5/ 4"}));
  // 0 and 90 degrees keep every pixel; 30 and 60 lie in larger canvases.
  ExpectDesktopBlock(DecodeFile(folder.Path("turn0.png")), 10, 20, 20, 15, 0);
  EXPECT_EQ(DecodeFile(folder.Path("turn1.png")).width, 28);
  EXPECT_EQ(DecodeFile(folder.Path("turn2.png")).width, 26);
  const PixelCopy last = DecodeFile(folder.Path("turn3.png"));
  EXPECT_EQ(std::make_pair(last.width, last.height), std::make_pair(15, 20));
  EXPECT_EQ(last.At(0, 0), DesktopPixel(10, 34));
  EXPECT_EQ(folder.Names().size(), 4u);
}

TEST_F(CaptureFlow, CancellingTheSeriesOrTheOutputDialogOutputsNothing) {
  app.settings.ContOutput = 1;
  dialogs.cancelSeries = true;
  Start(0);
  Drag({{10, 20}, {29, 34}});
  Tick();
  EXPECT_FALSE(form.loaded);
  EXPECT_EQ(dialogs.seriesDialogs, 1);

  app.settings.ContOutput = 0;
  app.settings.OutDialog = 1;
  dialogs.startOutput = false;
  Start(0);
  Drag({{10, 20}, {29, 34}});
  Tick();
  EXPECT_FALSE(form.loaded);
  EXPECT_EQ(dialogs.outputDialogs, 1);
  EXPECT_FALSE(fake.output.clipboard.has_value());
  EXPECT_EQ(fake.ui.beeps, 0);
}

}  // namespace
}  // namespace snapwell::testing
