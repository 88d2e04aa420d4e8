#include "raster/picture.h"

#include <gtest/gtest.h>

#include "raster_test_util.h"

namespace snapwell {
namespace {

using testing::FromRows;
using testing::kRed;
using testing::Rows;
using testing::ToRows;

TEST(PictureTest, NewPictureIsWhiteWithBlackPenCopyModeSolidBlackFillAndPenWidthHeldToOneToThree) {
  Picture p(3, 2);
  ASSERT_EQ(p.Width(), 3);
  ASSERT_EQ(p.Height(), 2);
  EXPECT_EQ(ToRows(p), (Rows{"...", "..."}));
  EXPECT_EQ(p.PenColor(), kBlack);
  EXPECT_EQ(p.PenWidth(), 1);
  EXPECT_EQ(p.GetDrawMode(), DrawMode::kCopyPen);
  EXPECT_EQ(p.FillColor(), kBlack);
  EXPECT_EQ(p.GetFillStyle(), FillStyle::kSolid);
  for (auto [asked, held] : {std::pair{0, 1}, {7, 3}, {2, 2}}) {
    p.SetPenWidth(asked);
    EXPECT_EQ(p.PenWidth(), held) << asked;
  }
}

TEST(PictureTest, ResizeKeepsTheTopLeftAndFillsNewAreaWithTheBackgroundColour) {
  Picture p = FromRows({"r#b", "#rg", "bgr"});
  ASSERT_TRUE(p.Resize(2, 1));
  EXPECT_EQ(ToRows(p), (Rows{"r#"}));
  ASSERT_TRUE(p.Resize(3, 2));  // the cut pixels do not come back
  EXPECT_EQ(ToRows(p), (Rows{"r#.", "..."}));
  p.SetBackColor(kRed);
  ASSERT_TRUE(p.Resize(4, 3));
  EXPECT_EQ(ToRows(p), (Rows{"r#.r", "...r", "rrrr"}));
  p.Clear();
  EXPECT_EQ(ToRows(p), (Rows(3, "rrrr")));
  // Recreate keeps nothing, at a new size and at the same one.
  p = FromRows({"r#b", "#rg"});
  ASSERT_TRUE(p.Recreate(2, 3));
  EXPECT_EQ(ToRows(p), (Rows(3, "..")));
  p.SetPixel(1, 1, kRed);
  ASSERT_TRUE(p.Recreate(2, 3));
  EXPECT_EQ(ToRows(p), (Rows(3, "..")));
}

TEST(PictureTest, RefusedSizesLeaveThePictureAsItWas) {
  Picture p = FromRows({"r#"});
  EXPECT_FALSE(p.Resize(-1, 5));
  EXPECT_FALSE(p.Resize(5, -1));
  EXPECT_FALSE(p.Resize(kMaxPictureSide + 1, 1));
  EXPECT_FALSE(p.Resize(40000, 40000));  // 1.6 G pixels
  EXPECT_FALSE(p.Recreate(40000, 40000));
  EXPECT_EQ(ToRows(p), (Rows{"r#"}));
  EXPECT_TRUE(Picture(100000, 100000).Empty());
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

TEST(PictureTest, PixelsAndRectanglesOutsideAreClippedAndReadAsInvalid) {
  Picture p(3, 2);
  for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {3, 0}, {0, 2}}) {
    p.SetPixel(x, y, kRed);
    EXPECT_EQ(p.GetPixel(x, y), kInvalidPixel);
  }
  EXPECT_EQ(ToRows(p), (Rows{"...", "..."}));
  p.FillRect(-5, 1, 7, 9, kRed);
  EXPECT_EQ(ToRows(p), (Rows{"...", "rr."}));
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

TEST(PictureTest, SubViewIsClippedToThePicture) {
  Picture p(4, 3);
  auto v = p.View(1, 1, 10, 10);
  EXPECT_EQ(v.width, 3);
  EXPECT_EQ(v.height, 2);
  EXPECT_EQ(v.pixels, &p.View().At(1, 1));
  const Picture& constant = p;
  const auto c = constant.View(-2, -1, 3, 3);
  EXPECT_EQ(c.width, 1);
  EXPECT_EQ(c.height, 2);
  EXPECT_EQ(c.pixels, &p.View().At(0, 0));
  EXPECT_EQ(p.View(4, 0, 1, 1).width, 0);
  EXPECT_EQ(p.View(0, 0, -1, 1).width, 0);
}

TEST(PictureTest, MoveKeepsPixelsAndDrawingState) {
  Picture a = FromRows({"r#"});
  a.SetPenWidth(3);
  a.SetDrawMode(DrawMode::kInvert);
  Picture b(std::move(a));
  Picture c;
  c = std::move(b);
  EXPECT_EQ(ToRows(c), (Rows{"r#"}));
  EXPECT_EQ(c.PenWidth(), 3);
  EXPECT_EQ(c.GetDrawMode(), DrawMode::kInvert);
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
  EXPECT_EQ(ToRows(p), (Rows{".r"}));
}

TEST(PictureTest, PaddedRowsKeepTheirPaddingThroughResize) {
  Picture p = testing::PaddedPicture(3, 2);
  p.SetPixel(2, 1, kRed);
  ASSERT_TRUE(p.Resize(5, 3));
  EXPECT_EQ(p.View().stride, 5 + testing::PaddedPixelStore::kPad);
  EXPECT_EQ(ToRows(p), (Rows{".....", "..r..", "....."}));
  EXPECT_TRUE(static_cast<testing::PaddedPixelStore*>(p.Store())->PaddingIntact());
}

TEST(DrawModeTest, ModesCombineAsDocumented) {
  const std::uint32_t d = 0x00123456;
  EXPECT_EQ(ApplyDrawMode(DrawMode::kBlack, kRed, d), kBlack);
  EXPECT_EQ(ApplyDrawMode(DrawMode::kInvert, kRed, d), 0x00EDCBA9u);
  EXPECT_EQ(ApplyDrawMode(DrawMode::kCopyPen, kRed, d), kRed);
  EXPECT_EQ(ApplyDrawMode(static_cast<DrawMode>(7), kRed, d), kRed);
  // Contrast stays visible on every grey and undoes itself.
  for (int v = 0; v < 256; ++v) {
    const std::uint32_t grey = vell::Rgb(v, v, v);
    const std::uint32_t out = ApplyDrawMode(DrawMode::kContrast, kBlack, grey);
    EXPECT_EQ(std::abs(vell::RedOf(out) - v), 128) << v;
    EXPECT_EQ(ApplyDrawMode(DrawMode::kContrast, kBlack, out), grey);
  }
}

}  // namespace
}  // namespace snapwell
