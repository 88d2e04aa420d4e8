#include "frames/template_drawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "raster/block_transfer.h"

namespace snapwell {
namespace {

CVellFrame Template(const std::string& text) {
  CVellFrame frame;
  const TemplateReadResult result = frame.ParseVOD(text, "test.vod");
  EXPECT_TRUE(result.Ok()) << text;
  return frame;
}

int CountColour(const Picture& picture, std::uint32_t colour) {
  int count = 0;
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x)
      count += picture.GetPixel(x, y) == colour ? 1 : 0;
  }
  return count;
}

class TemplateDrawingTest : public ::testing::Test {
 protected:
  std::unique_ptr<Imaging> imaging = CreateImaging();
};

TEST_F(TemplateDrawingTest, BoxCornersLandOnTheRectanglesFirstAndLastPixels) {
  const CVellFrame frame = Template("diag,100,100,0,0,1\nL,0,0,99,99,0,0,0,0\n");
  Picture picture(300, 200);
  DrawTemplateOutline(frame, *imaging, picture, 10, 20, 201, 101, 0, 13);
  EXPECT_EQ(picture.GetPixel(10, 20), kBlack);
  EXPECT_EQ(picture.GetPixel(210, 120), kBlack);
  EXPECT_EQ(picture.GetPixel(211, 121), kWhite);
  EXPECT_EQ(picture.GetPixel(9, 19), kWhite);
  EXPECT_EQ(CountColour(picture, kBlack), 201);
}

TEST_F(TemplateDrawingTest, LinesTakeTheColourAndKeepThePen) {
  const CVellFrame frame = Template("h,10,10,0,0,1\nl,0,0,9,0,0,0,0,0\n");
  Picture picture(20, 5);
  picture.SetPenColor(0x00ABCDEF);
  DrawTemplateOutline(frame, *imaging, picture, 0, 0, 10, 1, 0x000000FF, 13);  // red as COLORREF
  EXPECT_EQ(picture.GetPixel(0, 0), 0x00FF0000u);
  EXPECT_EQ(picture.GetPixel(9, 0), 0x00FF0000u);
  EXPECT_EQ(picture.GetPixel(10, 0), kWhite);
  EXPECT_EQ(picture.PenColor(), 0x00ABCDEFu);
  EXPECT_EQ(picture.GetDrawMode(), DrawMode::kCopyPen);
}

TEST_F(TemplateDrawingTest, ArcsRunFromStartToEndAngleAndEqualAnglesCloseTheEllipse) {
  // Points right, below, left, above the centre; an arc from 0 to 90 is the lower-right quarter.
  const struct {
    const char* record;
    bool right, below, left, above;
  } cases[] = {{"c,10,10,10,10,0,0,0,0", true, true, true, true},
               {"C,10,10,10,10,0,0,90,0", true, true, false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.record);
    Picture picture(21, 21);
    DrawTemplateOutline(Template(std::string("o,21,21,0,0,1\n") + c.record), *imaging, picture, 0, 0, 21, 21,
                        0, 13);
    EXPECT_EQ(picture.GetPixel(20, 10) == kBlack, c.right);
    EXPECT_EQ(picture.GetPixel(10, 20) == kBlack, c.below);
    EXPECT_EQ(picture.GetPixel(0, 10) == kBlack, c.left);
    EXPECT_EQ(picture.GetPixel(10, 0) == kBlack, c.above);
    EXPECT_EQ(picture.GetPixel(10, 10), kWhite);
    for (int y = 0; y < 21; ++y) {
      for (int x = 0; x < 21; ++x)
        EXPECT_TRUE(picture.GetPixel(x, y) != kBlack || c.left || (x >= 10 && y >= 10)) << x << "," << y;
    }
  }
}

TEST_F(TemplateDrawingTest, EmptyFramesTinyArcsAndUnknownRecordsDrawNothing) {
  const CVellFrame frame =
      Template("t,100,100,0,0,3\nc,50,50,0.2,30,0,0,0,0\nx,0,0,99,99,0,0,0,0\nc,50,50,30,0.1,0,0,0,0\n");
  Picture picture(50, 50);
  DrawTemplateOutline(frame, *imaging, picture, 0, 0, 50, 50, 0, 13);
  DrawTemplateOutline(CVellFrame(), *imaging, picture, 0, 0, 50, 50, 0, 13);
  EXPECT_EQ(CountColour(picture, kWhite), 50 * 50);
}

TEST_F(TemplateDrawingTest, HugeOperandsAreClippedNotOverflowed) {
  // The line runs through the box's diagonal; the ellipse and the far-away box miss the picture.
  // Undefined behaviour on the way shows in the sanitizer build.
  const CVellFrame frame =
      Template("t,2,2,0,0,2\nL,-3e38,-3e38,3e38,3e38,0,0,0,0\nC,0,0,3e38,3e38,0,0,0,0\n");
  Picture picture(40, 40);
  DrawTemplateOutline(frame, *imaging, picture, 0, 0, 40, 40, 0, 13);
  DrawTemplateOutline(frame, *imaging, picture, 1e30, -1e30, 3e38, 3e38, 0, 13);
  for (int i = 0; i < 40; ++i)
    EXPECT_EQ(picture.GetPixel(i, i), kBlack) << i;
  EXPECT_EQ(CountColour(picture, kBlack), 40);
}

TEST_F(TemplateDrawingTest, InvertingTwiceRestoresThePicture) {
  // Every pixel of a record is touched once, so the preview can be rubbed out by drawing again.
  const CVellFrame frame =
      Template("t,50,50,0,0,3\nL,0,0,49,20,0,0,0,0\nC,25,25,20,12,0,30,300,0\nL,49,49,0,49,0,0,0,0\n");
  Picture picture(80, 60);
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 80; ++x)
      picture.SetPixel(x, y, static_cast<std::uint32_t>(x * 3 + y * 1000));
  }
  Picture original(80, 60);
  BitBlt(original, 0, 0, 80, 60, picture, 0, 0, RasterOp::kSrcCopy);
  DrawTemplateOutline(frame, *imaging, picture, 5, 3, 70, 55, 0, 6);
  EXPECT_NE(CountColour(picture, picture.GetPixel(5, 3)), 0);
  EXPECT_NE(picture.GetPixel(5, 3), original.GetPixel(5, 3));
  DrawTemplateOutline(frame, *imaging, picture, 5, 3, 70, 55, 0, 6);
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 80; ++x)
      ASSERT_EQ(picture.GetPixel(x, y), original.GetPixel(x, y)) << x << "," << y;
  }
}

// A capture in miniature: the frozen desktop on the surface, clean buffers.
struct MaskScene {
  static constexpr int kWidth = 200;
  static constexpr int kHeight = 160;
  static constexpr std::uint32_t kDesktop = 0x00123456;

  MaskScene()
      : surface(kWidth, kHeight),
        board1(kWidth, kHeight),
        board2(kWidth + 4, kHeight + 4),
        board3(kWidth, kHeight) {
    surface.FillRect(0, 0, kWidth, kHeight, kDesktop);
  }
  TemplateMaskBuffers Buffers() { return {surface, board1, board2, board3, kWidth, kHeight}; }
  // The mask pixel for a desktop position.
  std::uint32_t Mask(int x, int y) const { return board2.GetPixel(x + 2, y + 2); }

  Picture surface, board1, board2, board3;
};

TEST_F(TemplateDrawingTest, MaskKeepsTheInsideAndWhitensTheRest) {
  const CVellFrame frame = Template("e,100,100,0,0,1\nC,49.5,49.5,49.5,49.5,0,0,0,0\n");
  MaskScene scene;
  scene.board3.SetDrawMode(DrawMode::kInvert);
  BuildTemplateMask(frame, *imaging, scene.Buffers(), 20, 30, 101, 81);
  EXPECT_EQ(scene.Mask(70, 70), MaskScene::kDesktop);   // centre
  EXPECT_EQ(scene.Mask(20, 70), MaskScene::kDesktop);   // on the outline, left
  EXPECT_EQ(scene.Mask(120, 70), MaskScene::kDesktop);  // on the outline, right
  EXPECT_EQ(scene.Mask(21, 31), kWhite);                // corner of the rectangle, outside the ellipse
  EXPECT_EQ(scene.Mask(119, 109), kWhite);
  EXPECT_EQ(scene.Mask(5, 5), kWhite);  // outside the rectangle
  EXPECT_EQ(scene.Mask(150, 150), kWhite);
  // The surface shows the desktop with the outline inverted on it.
  EXPECT_EQ(scene.surface.GetPixel(70, 70), MaskScene::kDesktop);
  EXPECT_EQ(scene.surface.GetPixel(20, 70), ~MaskScene::kDesktop & kColorMask);
  EXPECT_EQ(scene.surface.GetPixel(5, 5), MaskScene::kDesktop);
  EXPECT_EQ(scene.board3.GetDrawMode(), DrawMode::kCopyPen);
}

TEST_F(TemplateDrawingTest, MaskIgnoresStaleContentAroundTheScreen) {
  const CVellFrame frame = Template("e,100,100,0,0,1\nC,49.5,49.5,49.5,49.5,0,0,0,0\n");
  MaskScene scene;
  scene.board2.FillRect(0, 0, MaskScene::kWidth + 4, MaskScene::kHeight + 4, kBlack);
  scene.board1.Resize(MaskScene::kWidth - 10, MaskScene::kHeight - 10);
  BuildTemplateMask(frame, *imaging, scene.Buffers(), 20, 30, 101, 81);
  EXPECT_EQ(scene.Mask(70, 70), MaskScene::kDesktop);
  EXPECT_EQ(scene.Mask(21, 31), kWhite);
  EXPECT_EQ(scene.Mask(-2, -2), kWhite);
  EXPECT_EQ(scene.Mask(MaskScene::kWidth - 5, MaskScene::kHeight - 5), kWhite);
  EXPECT_EQ(scene.Mask(MaskScene::kWidth + 1, MaskScene::kHeight + 1), kWhite);
}

TEST_F(TemplateDrawingTest, MaskOfAnOutlineAtTheScreenEdgeStillFillsAndANarrowOneStaysWhite) {
  const CVellFrame diamond =
      Template("d,3,3,0,0,4\nL,1,0,2,1,0,0,0,0\nL,2,1,1,2,0,0,0,0\nL,1,2,0,1,0,0,0,0\nL,0,1,1,0,0,0,0,0\n");
  MaskScene scene;
  BuildTemplateMask(diamond, *imaging, scene.Buffers(), 0, 0, MaskScene::kWidth, MaskScene::kHeight);
  EXPECT_EQ(scene.Mask(100, 80), MaskScene::kDesktop);
  EXPECT_EQ(scene.Mask(0, 0), kWhite);
  EXPECT_EQ(scene.Mask(MaskScene::kWidth - 1, MaskScene::kHeight - 1), kWhite);

  MaskScene narrow;
  BuildTemplateMask(Template("e,100,100,0,0,1\nC,49.5,49.5,49.5,49.5,0,0,0,0\n"), *imaging, narrow.Buffers(),
                    50, 50, 2, 2);
  EXPECT_EQ(narrow.Mask(49, 49), kWhite);
  EXPECT_EQ(narrow.Mask(53, 53), kWhite);
}

std::string ReadShipped(const std::string& name) {
  std::ifstream in(std::string(SNAPWELL_SOURCE_DIR "/templates/") + name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class ShippedMaskTest : public ::testing::TestWithParam<const char*> {};

// Each shipped outline is closed: its mask holds the desktop in the middle and white in the corner,
// at every size from small to nearly the whole screen (a gap in the outline, where two records
// meet, would let the fill whiten everything).
TEST_P(ShippedMaskTest, OutlineIsClosedAtEverySize) {
  const CVellFrame frame = Template(ReadShipped(GetParam()));
  auto imaging = CreateImaging();
  for (int w = 12; w <= 195; w += 4) {
    for (int h : {w * 2 / 3 + 3, std::min(w, 155), std::min(w * 3 / 2, 155)}) {
      MaskScene scene;
      BuildTemplateMask(frame, *imaging, scene.Buffers(), 2, 3, w, h);
      ASSERT_EQ(scene.Mask(2 + w / 2, 3 + h / 2), MaskScene::kDesktop) << GetParam() << " " << w << "x" << h;
      ASSERT_EQ(scene.Mask(2, 3), kWhite) << GetParam() << " " << w << "x" << h;
      const int inside = CountColour(scene.board2, MaskScene::kDesktop);
      ASSERT_GT(inside, w * h * 0.3) << GetParam() << " " << w << "x" << h;
      ASSERT_LT(inside, (w + 1) * (h + 1) * 0.99) << GetParam() << " " << w << "x" << h;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Templates, ShippedMaskTest,
                         ::testing::Values("ellipse.vod", "rounded_rectangle.vod", "star.vod", "heart.vod",
                                           "speech_bubble.vod", "cloud.vod", "diamond.vod"));

}  // namespace
}  // namespace snapwell
