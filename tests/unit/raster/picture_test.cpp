#include "raster/picture.h"

#include <gtest/gtest.h>

#include "raster_test_util.h"

namespace snapwell {
namespace {

using testing::FromRows;
using testing::kRed;
using testing::ToRows;

TEST(PictureTest, NewPictureIsWhiteWithBlackPenCopyModeAndSolidBlackFill) {
  Picture p(3, 2);
  ASSERT_EQ(p.Width(), 3);
  ASSERT_EQ(p.Height(), 2);
  EXPECT_EQ(ToRows(p), (std::vector<std::string>{"...", "..."}));
  EXPECT_EQ(p.PenColor(), kBlack);
  EXPECT_EQ(p.PenWidth(), 1);
  EXPECT_EQ(p.GetDrawMode(), DrawMode::kCopyPen);
  EXPECT_EQ(p.FillColor(), kBlack);
  EXPECT_EQ(p.GetFillStyle(), FillStyle::kSolid);
}

TEST(PictureTest, GrowingKeepsPixelsThatRemainAndWhitensNewArea) {
  Picture p = FromRows({"r#", "#r"});
  ASSERT_TRUE(p.Resize(3, 4));
  EXPECT_EQ(ToRows(p), (std::vector<std::string>{"r#.", "#r.", "...", "..."}));
}

TEST(PictureTest, ShrinkingKeepsTopLeftAndGrowingAgainDoesNotBringPixelsBack) {
  Picture p = FromRows({"r#b", "#rg", "bgr"});
  ASSERT_TRUE(p.Resize(2, 1));
  EXPECT_EQ(ToRows(p), (std::vector<std::string>{"r#"}));
  ASSERT_TRUE(p.Resize(3, 2));
  EXPECT_EQ(ToRows(p), (std::vector<std::string>{"r#.", "..."}));
}

TEST(PictureTest, ResizeUsesTheBackgroundColour) {
  Picture p(1, 1);
  p.SetBackColor(kRed);
  ASSERT_TRUE(p.Resize(2, 1));
  EXPECT_EQ(ToRows(p), (std::vector<std::string>{".r"}));
  p.Clear();
  EXPECT_EQ(ToRows(p), (std::vector<std::string>{"rr"}));
}

TEST(PictureTest, RefusedSizesLeaveThePictureAsItWas) {
  Picture p = FromRows({"r#"});
  EXPECT_FALSE(p.Resize(-1, 5));
  EXPECT_FALSE(p.Resize(5, -1));
  EXPECT_FALSE(p.Resize(kMaxPictureSide + 1, 1));
  EXPECT_FALSE(p.Resize(40000, 40000));  // 1.6 G pixels
  EXPECT_EQ(ToRows(p), (std::vector<std::string>{"r#"}));
  Picture huge(100000, 100000);
  EXPECT_TRUE(huge.Empty());
}

TEST(PictureTest, ZeroSizedPictureTakesEveryOperationWithoutHarm) {
  Picture p(0, 0);
  EXPECT_TRUE(p.Empty());
  p.SetPixel(0, 0, kRed);
  EXPECT_EQ(p.GetPixel(0, 0), kInvalidPixel);
  p.Line(0, 0, 10, 10);
  p.Circle(0, 0, 5);
  p.Clear();
  EXPECT_FALSE(p.FloodFillBorder(0, 0, kBlack));
  ASSERT_TRUE(p.Resize(2, 0));
  EXPECT_TRUE(p.Empty());
}

TEST(PictureTest, PixelsOutsideAreIgnoredAndReadAsInvalid) {
  Picture p(2, 2);
  for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {2, 0}, {0, 2}}) {
    p.SetPixel(x, y, kRed);
    EXPECT_EQ(p.GetPixel(x, y), kInvalidPixel);
  }
  EXPECT_EQ(ToRows(p), (std::vector<std::string>{"..", ".."}));
}

TEST(PictureTest, TopByteOfColoursIsDropped) {
  Picture p(1, 1);
  p.SetPixel(0, 0, 0xFF00FF00);
  EXPECT_EQ(p.GetPixel(0, 0), 0x0000FF00u);
  p.View().At(0, 0) = 0xAB000000;  // as a foreign writer might leave it
  EXPECT_EQ(p.GetPixel(0, 0), kBlack);
  p.SetPenColor(0xFF123456);
  EXPECT_EQ(p.PenColor(), 0x00123456u);
}

TEST(PictureTest, PenWidthIsHeldToOneToThree) {
  Picture p(1, 1);
  p.SetPenWidth(0);
  EXPECT_EQ(p.PenWidth(), 1);
  p.SetPenWidth(7);
  EXPECT_EQ(p.PenWidth(), 3);
  p.SetPenWidth(2);
  EXPECT_EQ(p.PenWidth(), 2);
}

TEST(PictureTest, SubViewIsClippedToThePicture) {
  Picture p(4, 3);
  auto v = p.View(1, 1, 10, 10);
  EXPECT_EQ(v.width, 3);
  EXPECT_EQ(v.height, 2);
  EXPECT_EQ(v.pixels, &p.View().At(1, 1));
  v = p.View(-2, -1, 3, 3);
  EXPECT_EQ(v.width, 1);
  EXPECT_EQ(v.height, 2);
  EXPECT_EQ(v.pixels, &p.View().At(0, 0));
  const Picture& constant = p;
  EXPECT_EQ(constant.View(-2, -1, 3, 3).pixels, v.pixels);
  EXPECT_EQ(constant.View(-2, -1, 3, 3).height, 2);
  EXPECT_EQ(p.View(4, 0, 1, 1).width, 0);
  EXPECT_EQ(p.View(0, 0, -1, 1).width, 0);
}

TEST(PictureTest, FillRectIsClipped) {
  Picture p(3, 2);
  p.FillRect(-5, 1, 7, 9, kRed);
  EXPECT_EQ(ToRows(p), (std::vector<std::string>{"...", "rr."}));
}

TEST(PictureTest, MoveKeepsPixelsAndDrawingState) {
  Picture a = FromRows({"r#"});
  a.SetPenWidth(3);
  a.SetDrawMode(DrawMode::kInvert);
  Picture b(std::move(a));
  EXPECT_EQ(ToRows(b), (std::vector<std::string>{"r#"}));
  EXPECT_EQ(b.PenWidth(), 3);
  EXPECT_EQ(b.GetDrawMode(), DrawMode::kInvert);
  Picture c;
  c = std::move(b);
  EXPECT_EQ(ToRows(c), (std::vector<std::string>{"r#"}));
}

// A store that can be told to fail, as a DIB section might when memory runs out.
class FailingStore : public PixelStore {
 public:
  vell::PixelView View() const override { return inner.View(); }
  bool Reallocate(int width, int height, const Refill& refill) override {
    return !fail && inner.Reallocate(width, height, refill);
  }
  MemoryPixelStore inner;
  bool fail = false;
};

TEST(PictureTest, FailedReallocationKeepsSizeAndPixels) {
  auto store = std::make_unique<FailingStore>();
  FailingStore* raw = store.get();
  Picture p(std::move(store));
  ASSERT_TRUE(p.Resize(2, 1));
  p.SetPixel(1, 0, kRed);
  raw->fail = true;
  EXPECT_FALSE(p.Resize(5, 5));
  EXPECT_EQ(p.Width(), 2);
  EXPECT_EQ(ToRows(p), (std::vector<std::string>{".r"}));
}

TEST(PictureTest, PaddedRowsKeepTheirPaddingThroughResize) {
  auto store = std::make_unique<testing::PaddedPixelStore>();
  auto* raw = store.get();
  Picture p(std::move(store));
  ASSERT_TRUE(p.Resize(3, 2));
  p.SetPixel(2, 1, kRed);
  ASSERT_TRUE(p.Resize(5, 3));
  EXPECT_EQ(p.View().stride, 5 + testing::PaddedPixelStore::kPad);
  EXPECT_EQ(ToRows(p), (std::vector<std::string>{".....", "..r..", "....."}));
  EXPECT_TRUE(raw->PaddingIntact());
}

TEST(DrawModeTest, ModesCombineAsDocumented) {
  const std::uint32_t d = 0x00123456;
  EXPECT_EQ(ApplyDrawMode(DrawMode::kBlack, kRed, d), kBlack);
  EXPECT_EQ(ApplyDrawMode(DrawMode::kInvert, kRed, d), 0x00EDCBA9u);
  EXPECT_EQ(ApplyDrawMode(DrawMode::kCopyPen, kRed, d), kRed);
  EXPECT_EQ(ApplyDrawMode(static_cast<DrawMode>(7), kRed, d), kRed);
}

TEST(DrawModeTest, ContrastModeStaysVisibleOnEveryGreyAndUndoesItself) {
  for (int v = 0; v < 256; ++v) {
    const std::uint32_t d = vell::Rgb(v, v, v);
    const std::uint32_t out = ApplyDrawMode(DrawMode::kContrast, kBlack, d);
    EXPECT_EQ(std::abs(vell::RedOf(out) - v), 128) << v;
    EXPECT_EQ(ApplyDrawMode(DrawMode::kContrast, kBlack, out), d);
  }
}

}  // namespace
}  // namespace snapwell
