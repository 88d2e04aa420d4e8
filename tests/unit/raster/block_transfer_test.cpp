#include "raster/block_transfer.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "raster_test_util.h"

namespace snapwell {
namespace {

using testing::CopyOf;
using testing::FillRandom;
using testing::FromRows;
using testing::LetterF;
using testing::PixelsOf;
using testing::Rows;
using testing::ToRows;

constexpr RasterOp kAllOps[] = {RasterOp::kSrcCopy,   RasterOp::kSrcPaint,   RasterOp::kSrcAnd,
                                RasterOp::kSrcInvert, RasterOp::kNotSrcCopy, RasterOp::kDstInvert};

// The obvious version: every pixel of the block on its own, kept only where both ends exist.
void SlowBitBlt(Picture& dst, int dx, int dy, int w, int h, const Picture& src, int sx, int sy, RasterOp op) {
  std::vector<std::uint32_t> before = PixelsOf(src);
  for (std::int64_t j = 0; j < h; ++j) {
    for (std::int64_t i = 0; i < w; ++i) {
      const std::int64_t tx = dx + i, ty = dy + j, fx = sx + i, fy = sy + j;
      if (tx < 0 || ty < 0 || tx >= dst.Width() || ty >= dst.Height()) continue;
      std::uint32_t s = 0;
      if (op != RasterOp::kDstInvert) {
        if (fx < 0 || fy < 0 || fx >= src.Width() || fy >= src.Height()) continue;
        s = before[static_cast<std::size_t>(fy * src.Width() + fx)];
      }
      const std::uint32_t d = dst.GetPixel(static_cast<int>(tx), static_cast<int>(ty));
      dst.SetPixel(static_cast<int>(tx), static_cast<int>(ty), ApplyRasterOp(op, s, d));
    }
  }
}

TEST(RasterOpTest, EachOperationCombinesAsItsCodeSays) {
  const std::uint32_t s = 0x00F0F00F, d = 0x003C3C3C;
  EXPECT_EQ(ApplyRasterOp(RasterOp::kSrcCopy, s, d), s);
  EXPECT_EQ(ApplyRasterOp(RasterOp::kSrcPaint, s, d), 0x00FCFC3Fu);
  EXPECT_EQ(ApplyRasterOp(RasterOp::kSrcAnd, s, d), 0x0030300Cu);
  EXPECT_EQ(ApplyRasterOp(RasterOp::kSrcInvert, s, d), 0x00CCCC33u);
  EXPECT_EQ(ApplyRasterOp(RasterOp::kNotSrcCopy, s, d), 0x000F0FF0u);
  EXPECT_EQ(ApplyRasterOp(RasterOp::kDstInvert, s, d), 0x00C3C3C3u);
  // Values are the platform's codes, so they can be passed through unchanged.
  EXPECT_EQ(static_cast<std::uint32_t>(RasterOp::kSrcCopy), 0x00CC0020u);
  EXPECT_EQ(static_cast<std::uint32_t>(RasterOp::kDstInvert), 0x00550009u);
}

TEST(BitBltTest, CopiesTheLetterFWithItsColoursInPlace) {
  Picture dst(6, 6);
  BitBlt(dst, 1, 1, 4, 5, LetterF(), 0, 0, RasterOp::kSrcCopy);
  EXPECT_EQ(ToRows(dst), (Rows{
                             "......",
                             ".rbbb.",
                             ".r....",
                             ".rbb..",
                             ".r....",
                             ".r....",
                         }));
}

TEST(BitBltTest, MaskOperationsOfTheFreehandCutOut) {
  // Mask black inside, white outside; AND keeps the outline black, OR takes the desktop's colours.
  Picture mask = FromRows({"..##", ".###", "...."});
  Picture outline = FromRows({"...#", "#...", "...."});
  BitBlt(mask, 0, 0, 4, 3, outline, 0, 0, RasterOp::kSrcAnd);
  EXPECT_EQ(ToRows(mask), (Rows{"..##", "####", "...."}));
  Picture desktop = FromRows({"rgbr", "bgrb", "rrrr"});
  BitBlt(mask, 0, 0, 4, 3, desktop, 0, 0, RasterOp::kSrcPaint);
  EXPECT_EQ(ToRows(mask), (Rows{"..br", "bgrb", "...."}));
  DstInvert(mask, 0, 2, 4, 1);
  EXPECT_EQ(ToRows(mask), (Rows{"..br", "bgrb", "####"}));
  Picture inverted(4, 3);
  BitBlt(inverted, 0, 0, 4, 3, outline, 0, 0, RasterOp::kNotSrcCopy);
  EXPECT_EQ(ToRows(inverted), (Rows{"###.", ".###", "####"}));
  BitBlt(inverted, 0, 0, 4, 3, inverted, 0, 0, RasterOp::kSrcInvert);  // x XOR x
  EXPECT_EQ(ToRows(inverted), (Rows{"####", "####", "####"}));
}

// Zero, negative and extreme offsets and sizes neither overflow nor touch anything; the block
// that reaches the picture from INT_MIN-sized spans is still placed exactly.
TEST(BitBltTest, DegenerateAndExtremeBlocksAreClippedSafely) {
  const Picture src = LetterF();
  Picture dst(3, 3);
  BitBlt(dst, 3, 0, 2, 2, src, 0, 0, RasterOp::kSrcCopy);
  BitBlt(dst, 0, 0, 2, 2, src, 4, 0, RasterOp::kSrcCopy);
  BitBlt(dst, 0, 0, 0, 2, src, 0, 0, RasterOp::kSrcCopy);
  BitBlt(dst, 0, 0, 2, -2, src, 0, 0, RasterOp::kNotSrcCopy);
  BitBlt(dst, INT_MAX, INT_MAX, INT_MAX, INT_MAX, src, 0, 0, RasterOp::kSrcCopy);
  BitBlt(dst, INT_MIN, INT_MIN, INT_MAX, INT_MAX, src, 0, 0, RasterOp::kSrcCopy);
  BitBlt(dst, 0, 0, INT_MAX, INT_MAX, src, INT_MIN, INT_MIN, RasterOp::kSrcCopy);
  DstInvert(dst, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(ToRows(dst), (Rows{"...", "...", "..."}));
  BitBlt(dst, -1, 0, INT_MAX, INT_MAX, src, 0, 0, RasterOp::kSrcCopy);
  EXPECT_EQ(ToRows(dst), (Rows{"bbb", "...", "bb."}));
}

// Blocks reaching beyond either picture on every side, between two pictures and within one
// (where the source must be read before it is overwritten), padded rows or not.
TEST(BitBltTest, RandomBlocksMatchThePixelByPixelVersion) {
  std::mt19937 rng(1234);
  std::uniform_int_distribution<int> size(1, 23);
  std::uniform_int_distribution<int> offset(-12, 24);
  for (int round = 0; round < 1200; ++round) {
    const bool withinOne = round % 2 == 1;
    Picture dst =
        (round % 3 == 0) ? testing::PaddedPicture(size(rng), size(rng)) : Picture(size(rng), size(rng));
    Picture other =
        (round % 5 == 0) ? testing::PaddedPicture(size(rng), size(rng)) : Picture(size(rng), size(rng));
    FillRandom(dst, rng());
    FillRandom(other, rng());
    const Picture& src = withinOne ? dst : other;
    const RasterOp op = kAllOps[(round / 2) % 6];
    const int dx = offset(rng), dy = offset(rng), w = size(rng) + 5, h = size(rng) + 5, sx = offset(rng),
              sy = offset(rng);
    Picture expected = CopyOf(dst);
    SlowBitBlt(expected, dx, dy, w, h, src, sx, sy, op);
    BitBlt(dst, dx, dy, w, h, src, sx, sy, op);
    ASSERT_EQ(PixelsOf(dst), PixelsOf(expected)) << "round " << round;
    if (auto* padded = dynamic_cast<testing::PaddedPixelStore*>(dst.Store())) {
      ASSERT_TRUE(padded->PaddingIntact()) << "round " << round;
    }
  }
}

TEST(BitBltTest, ResultsNeverCarryATopByte) {
  Picture src(2, 1);
  src.View().At(0, 0) = 0xFF00FF00;
  src.View().At(1, 0) = 0x80000001;
  Picture dst(2, 1);
  for (RasterOp op : kAllOps) {
    BitBlt(dst, 0, 0, 2, 1, src, 0, 0, op);
    EXPECT_EQ(dst.View().At(0, 0) >> 24, 0u);
    EXPECT_EQ(dst.View().At(1, 0) >> 24, 0u);
  }
}

}  // namespace
}  // namespace snapwell
