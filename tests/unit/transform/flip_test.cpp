// The mirrored strip copy: every flip setting on an asymmetric block, and white where the source
// lies beyond its picture.
#include "transform/flip.h"

#include <gtest/gtest.h>

#include "unit/transform/transform_test_util.h"

namespace snapwell::testing {
namespace {

using Rows = std::vector<std::vector<std::uint32_t>>;

TEST(MirroredStripCopyTest, EveryFlipReadsTheBlockInItsDirection) {
  const struct {
    std::int16_t reverseValue;
    Rows expected;
  } cases[] = {
      {0, {{1, 2, 3}, {4, 5, 6}}},
      {1, {{3, 2, 1}, {6, 5, 4}}},
      {2, {{4, 5, 6}, {1, 2, 3}}},
      {3, {{6, 5, 4}, {3, 2, 1}}},
  };
  for (const auto& c : cases) {
    const Picture surface = PictureWith(6, 5, 1, 2, {{1, 2, 3}, {4, 5, 6}});
    Picture q(6, 5), board1(6, 5);
    MirroredStripCopy({surface, 0, 0, RasterOp::kSrcCopy}, q, board1, {1, 2, 3, 3}, c.reverseValue);
    EXPECT_EQ(BlockOf(board1, 0, 2, 5, 2),
              (Rows{{kWhite, c.expected[0][0], c.expected[0][1], c.expected[0][2], kWhite},
                    {kWhite, c.expected[1][0], c.expected[1][1], c.expected[1][2], kWhite}}))
        << "ReverseValue " << c.reverseValue;
  }
}

TEST(MirroredStripCopyTest, SourceBeyondThePictureIsWhite) {
  // The circle's pass: the disc mask (black) ORed with the surface read one pixel up and left.
  // Block (0, 0)-(1, 1) reads surface (-1, -1)-(0, 0): only (1, 1) lies on the screen.
  const Picture surface = PictureWith(3, 3, 0, 0, {{7, 8, 9}});
  Picture q = PictureWith(3, 3, 0, 0, {{kBlack, kBlack}, {kBlack, kBlack}});
  Picture board1(3, 3);
  MirroredStripCopy({surface, -1, -1, RasterOp::kSrcPaint}, q, board1, {0, 0, 1, 1}, 0);
  EXPECT_EQ(BlockOf(board1, 0, 0, 2, 2), (Rows{{kWhite, kWhite}, {kWhite, 7}}));
}

}  // namespace
}  // namespace snapwell::testing
