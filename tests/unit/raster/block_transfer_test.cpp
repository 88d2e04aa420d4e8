#include "raster/block_transfer.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "raster_test_util.h"

namespace snapwell {
namespace {

using testing::FillRandom;
using testing::FromRows;
using testing::LetterF;
using testing::PixelsOf;
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
  EXPECT_EQ(ToRows(dst), (std::vector<std::string>{
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
  EXPECT_EQ(ToRows(mask), (std::vector<std::string>{"..##", "####", "...."}));
  Picture desktop = FromRows({"rgbr", "bgrb", "rrrr"});
  BitBlt(mask, 0, 0, 4, 3, desktop, 0, 0, RasterOp::kSrcPaint);
  EXPECT_EQ(ToRows(mask), (std::vector<std::string>{"..br", "bgrb", "...."}));
  DstInvert(mask, 0, 2, 4, 1);
  EXPECT_EQ(ToRows(mask), (std::vector<std::string>{"..br", "bgrb", "####"}));
  Picture inverted(4, 3);
  BitBlt(inverted, 0, 0, 4, 3, outline, 0, 0, RasterOp::kNotSrcCopy);
  EXPECT_EQ(ToRows(inverted), (std::vector<std::string>{"###.", ".###", "####"}));
  BitBlt(inverted, 0, 0, 4, 3, inverted, 0, 0, RasterOp::kSrcInvert);  // x XOR x
  EXPECT_EQ(ToRows(inverted), (std::vector<std::string>{"####", "####", "####"}));
}

TEST(BitBltTest, ClipsAtEveryEdgeOfBothPictures) {
  Picture src = LetterF();
  // Source block partly left/above the source, destination partly beyond the right/bottom.
  Picture dst(4, 4);
  BitBlt(dst, 2, 2, 6, 6, src, -1, -1, RasterOp::kSrcCopy);
  EXPECT_EQ(ToRows(dst), (std::vector<std::string>{"....", "....", "....", "...r"}));
  // Negative destination offsets.
  Picture dst2(3, 3);
  BitBlt(dst2, -1, -2, 10, 10, src, 0, 0, RasterOp::kSrcCopy);
  EXPECT_EQ(ToRows(dst2), (std::vector<std::string>{
                              "bb.",
                              "...",
                              "...",
                          }));
  // Entirely outside either picture: nothing happens.
  Picture dst3(3, 3);
  BitBlt(dst3, 3, 0, 2, 2, src, 0, 0, RasterOp::kSrcCopy);
  BitBlt(dst3, 0, 0, 2, 2, src, 4, 0, RasterOp::kSrcCopy);
  BitBlt(dst3, 0, 0, 0, 2, src, 0, 0, RasterOp::kSrcCopy);
  BitBlt(dst3, 0, 0, 2, -2, src, 0, 0, RasterOp::kNotSrcCopy);
  EXPECT_EQ(ToRows(dst3), (std::vector<std::string>{"...", "...", "..."}));
}

TEST(BitBltTest, ExtremeOffsetsAndSizesNeitherOverflowNorTouchAnything) {
  Picture src = LetterF();
  Picture dst(3, 3);
  BitBlt(dst, INT_MAX, INT_MAX, INT_MAX, INT_MAX, src, 0, 0, RasterOp::kSrcCopy);
  BitBlt(dst, INT_MIN, INT_MIN, INT_MAX, INT_MAX, src, 0, 0, RasterOp::kSrcCopy);
  BitBlt(dst, 0, 0, INT_MAX, INT_MAX, src, INT_MIN, INT_MIN, RasterOp::kSrcCopy);
  DstInvert(dst, INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(ToRows(dst), (std::vector<std::string>{"...", "...", "..."}));
  BitBlt(dst, -1, 0, INT_MAX, INT_MAX, src, 0, 0, RasterOp::kSrcCopy);
  EXPECT_EQ(ToRows(dst), (std::vector<std::string>{"bbb", "...", "bb."}));
}

TEST(BitBltTest, DstInvertWithoutSourceClipsToTheDestinationOnly) {
  Picture dst(3, 2);
  Picture tiny(1, 1);
  BitBlt(dst, -1, 0, 3, 5, tiny, 0, 0, RasterOp::kDstInvert);
  EXPECT_EQ(ToRows(dst), (std::vector<std::string>{"##.", "##."}));
}

TEST(BitBltTest, RandomBlocksMatchThePixelByPixelVersion) {
  std::mt19937 rng(1234);
  std::uniform_int_distribution<int> size(1, 23);
  std::uniform_int_distribution<int> offset(-12, 24);
  for (int round = 0; round < 600; ++round) {
    Picture src =
        (round % 3 == 0) ? testing::PaddedPicture(size(rng), size(rng)) : Picture(size(rng), size(rng));
    Picture dst =
        (round % 2 == 0) ? testing::PaddedPicture(size(rng), size(rng)) : Picture(size(rng), size(rng));
    FillRandom(src, rng());
    FillRandom(dst, rng());
    Picture expected(dst.Width(), dst.Height());
    BitBlt(expected, 0, 0, dst.Width(), dst.Height(), dst, 0, 0, RasterOp::kSrcCopy);
    const RasterOp op = kAllOps[round % 6];
    const int dx = offset(rng), dy = offset(rng), w = size(rng) + 5, h = size(rng) + 5, sx = offset(rng),
              sy = offset(rng);
    SlowBitBlt(expected, dx, dy, w, h, src, sx, sy, op);
    BitBlt(dst, dx, dy, w, h, src, sx, sy, op);
    ASSERT_EQ(PixelsOf(dst), PixelsOf(expected)) << "round " << round;
    if (auto* padded = dynamic_cast<testing::PaddedPixelStore*>(dst.Store())) {
      ASSERT_TRUE(padded->PaddingIntact()) << "round " << round;
    }
  }
}

TEST(BitBltTest, OverlappingBlocksInOnePictureReadTheSourceBeforeWriting) {
  std::mt19937 rng(99);
  std::uniform_int_distribution<int> offset(-3, 14);
  std::uniform_int_distribution<int> size(1, 14);
  for (int round = 0; round < 600; ++round) {
    Picture p = (round % 2) ? testing::PaddedPicture(13, 11) : Picture(13, 11);
    FillRandom(p, rng());
    Picture snapshot(13, 11);
    BitBlt(snapshot, 0, 0, 13, 11, p, 0, 0, RasterOp::kSrcCopy);
    Picture expected(13, 11);
    BitBlt(expected, 0, 0, 13, 11, p, 0, 0, RasterOp::kSrcCopy);
    const RasterOp op = kAllOps[round % 6];
    const int dx = offset(rng), dy = offset(rng), sx = offset(rng), sy = offset(rng), w = size(rng),
              h = size(rng);
    SlowBitBlt(expected, dx, dy, w, h, snapshot, sx, sy, op);
    BitBlt(p, dx, dy, w, h, p, sx, sy, op);
    ASSERT_EQ(PixelsOf(p), PixelsOf(expected)) << "round " << round;
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
