// The mirrored strip copy reads white where the source lies beyond its picture (the flips
// themselves are checked on whole captures).
#include "transform/flip.h"

#include <gtest/gtest.h>

#include "unit/transform/transform_test_util.h"

namespace snapwell::testing {
namespace {

using Rows = std::vector<std::vector<std::uint32_t>>;

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
