#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <numbers>

#include "geometry.h"
#include "test_image.h"

namespace vell {
namespace {

using testing::TestImage;
constexpr double kPi = std::numbers::pi;
constexpr std::uint32_t kMarker = 0x123456;

// Rotates the whole of `src` about its centre onto a canvas of the given size, centred.
TestImage RollWhole(const TestImage& src, int canvasW, int canvasH, double angle, RollSampling sampling,
                    std::uint32_t fill = kMarker) {
  TestImage dst(canvasW, canvasH, fill);
  Roll(dst.View(), (canvasW - 1) / 2.0, (canvasH - 1) / 2.0, canvasW, canvasH, angle, src.CView(),
       (src.Width() - 1) / 2.0, (src.Height() - 1) / 2.0, sampling,
       InclusiveRect{0, 0, src.Width() - 1, src.Height() - 1});
  return dst;
}

TEST(RollTest, RightAnglesAreExactTransposesWithEitherSampling) {
  const TestImage f = TestImage::LetterF(5, 7);
  for (RollSampling sampling : {RollSampling::kNearest, RollSampling::kBilinear}) {
    const TestImage quarter = RollWhole(f, 7, 5, kPi / 2, sampling);
    const TestImage half = RollWhole(f, 5, 7, kPi, sampling);
    const TestImage back = RollWhole(f, 7, 5, -kPi / 2, sampling);
    for (int i = 0; i < 5; ++i) {
      for (int j = 0; j < 7; ++j) {
        EXPECT_EQ(quarter.At(7 - 1 - j, i), f.At(i, j)) << "clockwise quarter at " << i << "," << j;
        EXPECT_EQ(half.At(5 - 1 - i, 7 - 1 - j), f.At(i, j)) << "half turn at " << i << "," << j;
        EXPECT_EQ(back.At(j, 5 - 1 - i), f.At(i, j)) << "counter-clockwise quarter at " << i << "," << j;
      }
    }
  }
}

// Nearest sampling is checked pixel by pixel below; here the smooth result of a red spot 5 pixels
// right of the centre must peak where a clockwise turn about the centres puts it.
TEST(RollTest, BilinearAtThirtyDegreesMovesASpotClockwiseAboutTheCentres) {
  TestImage src(21, 21, 0xFFFFFF);
  for (int y = 9; y <= 11; ++y) {
    for (int x = 14; x <= 16; ++x)
      src.At(x, y) = Rgb(255, 0, 0);
  }
  const double angle = 30.0 * kPi / 180.0;
  // Clockwise on screen with y down: (5, 0) turns to (5 cos 30, 5 sin 30) below-right.
  const double ex = 15 + 5 * std::cos(angle), ey = 15 + 5 * std::sin(angle);
  const TestImage smooth = RollWhole(src, 31, 31, angle, RollSampling::kBilinear);
  int bestX = 0, bestY = 0, bestGreen = 256;
  for (int y = 0; y < 31; ++y) {
    for (int x = 0; x < 31; ++x) {
      if (smooth.At(x, y) == kMarker) continue;
      EXPECT_EQ(RedOf(smooth.At(x, y)), 255);  // white and red only mix into pinks
      if (GreenOf(smooth.At(x, y)) < bestGreen) {
        bestGreen = GreenOf(smooth.At(x, y));
        bestX = x;
        bestY = y;
      }
    }
  }
  EXPECT_LE(std::hypot(bestX - ex, bestY - ey), 1.0);
  EXPECT_LT(bestGreen, 200);
}

// The obviously-right version: inverse-rotate each canvas pixel on its own.
TEST(RollTest, NearestMatchesPerPixelInverseRotationAndLeavesTheRestAlone) {
  const TestImage src = TestImage::Random(23, 17, 7);
  const InclusiveRect rect{3, 2, 19, 14};
  const double angle = 0.7, scx = 11.0, scy = 8.5, dcx = 15.5, dcy = 12.0;
  TestImage dst(32, 25, kMarker);
  ASSERT_TRUE(Roll(dst.View(), dcx, dcy, 32, 25, angle, src.CView(), scx, scy, RollSampling::kNearest, rect));
  int covered = 0, untouched = 0;
  for (int y = 0; y < 25; ++y) {
    for (int x = 0; x < 32; ++x) {
      const double dx = x - dcx, dy = y - dcy;
      const double sx = scx + dx * std::cos(angle) + dy * std::sin(angle);
      const double sy = scy - dx * std::sin(angle) + dy * std::cos(angle);
      // Skip the hair-thin ties where rounding order decides.
      const auto nearTie = [](double v) { return std::abs(v - std::floor(v) - 0.5) < 1e-9; };
      if (nearTie(sx) || nearTie(sy)) continue;
      const int ix = static_cast<int>(std::lround(sx)), iy = static_cast<int>(std::lround(sy));
      if (ix >= rect.left && ix <= rect.right && iy >= rect.top && iy <= rect.bottom) {
        EXPECT_EQ(dst.At(x, y), src.At(ix, iy)) << x << "," << y;
        ++covered;
      } else {
        EXPECT_EQ(dst.At(x, y), kMarker) << x << "," << y;
        ++untouched;
      }
    }
  }
  EXPECT_GT(covered, 100);
  EXPECT_GT(untouched, 100);
}

// The same for bilinear sampling: the four neighbours of each inverse image, clamped to the
// rectangle, mixed with exact weights; the library's weights have 7 bits, so levels may differ
// a little, but a wrong neighbour or a swapped weight shows as a large difference.
TEST(RollTest, BilinearMatchesPerPixelInverseRotationWithinWeightRounding) {
  const TestImage src = TestImage::Random(41, 29, 8);
  const InclusiveRect rect{2, 1, 38, 26};
  const double angle = -2.2, scx = 20.0, scy = 13.5, dcx = 26.5, dcy = 24.0;
  TestImage dst(53, 48, kMarker);
  ASSERT_TRUE(
      Roll(dst.View(), dcx, dcy, 53, 48, angle, src.CView(), scx, scy, RollSampling::kBilinear, rect));
  int compared = 0;
  for (int y = 0; y < 48; ++y) {
    for (int x = 0; x < 53; ++x) {
      const double dx = x - dcx, dy = y - dcy;
      const double sx = scx + dx * std::cos(angle) + dy * std::sin(angle);
      const double sy = scy - dx * std::sin(angle) + dy * std::cos(angle);
      if (std::lround(sx) < rect.left || std::lround(sx) > rect.right || std::lround(sy) < rect.top ||
          std::lround(sy) > rect.bottom || dst.At(x, y) == kMarker)
        continue;
      const int x0 = static_cast<int>(std::floor(sx)), y0 = static_cast<int>(std::floor(sy));
      const double fx = sx - x0, fy = sy - y0;
      const auto at = [&](int px, int py) {
        return src.At(std::clamp(px, rect.left, rect.right), std::clamp(py, rect.top, rect.bottom));
      };
      for (int shift : {0, 8, 16}) {
        const auto level = [shift](std::uint32_t p) { return static_cast<double>((p >> shift) & 0xFF); };
        const double expected = (1 - fy) * ((1 - fx) * level(at(x0, y0)) + fx * level(at(x0 + 1, y0))) +
                                fy * ((1 - fx) * level(at(x0, y0 + 1)) + fx * level(at(x0 + 1, y0 + 1)));
        EXPECT_NEAR(level(dst.At(x, y)), expected, 3.0) << x << "," << y << " channel " << shift;
      }
      ++compared;
    }
  }
  EXPECT_GT(compared, 700);
}

TEST(RollTest, AnglesBelowMinusPiEqualTheirEquivalentInTheHalfOpenRange) {
  EXPECT_DOUBLE_EQ(NormalizeAngle(-kPi), kPi);
  EXPECT_DOUBLE_EQ(NormalizeAngle(kPi), kPi);
  EXPECT_NEAR(NormalizeAngle(-3 * kPi / 2), kPi / 2, 1e-12);
  EXPECT_NEAR(NormalizeAngle(5 * kPi), kPi, 1e-12);
  EXPECT_NEAR(NormalizeAngle(-0.25), -0.25, 0);
  const TestImage src = TestImage::Random(19, 13, 3);
  for (double degrees : {-200.0, -359.0, -540.5, -181.0}) {
    const double angle = degrees * kPi / 180.0;
    double equivalent = angle;
    while (equivalent <= -kPi)
      equivalent += 2 * kPi;
    for (RollSampling sampling : {RollSampling::kNearest, RollSampling::kBilinear}) {
      EXPECT_TRUE(
          RollWhole(src, 27, 27, angle, sampling).SamePixels(RollWhole(src, 27, 27, equivalent, sampling)))
          << degrees;
    }
  }
}

// The white rectangle inside a red frame: bilinear keeps the flat white exactly flat and never
// mixes in the frame beyond the rectangle.
TEST(RollTest, BilinearKeepsAFlatColourFlatAndNeverBleedsFromOutsideTheRectangle) {
  TestImage src(60, 60, Rgb(255, 0, 0));
  for (int y = 5; y <= 44; ++y) {
    for (int x = 5; x <= 34; ++x)
      src.At(x, y) = Rgb(37, 201, 99);
  }
  TestImage dst(60, 60, kMarker);
  Roll(dst.View(), 29.5, 29.5, 60, 60, 0.4, src.CView(), 19.5, 24.5, RollSampling::kBilinear,
       InclusiveRect{5, 5, 34, 44});
  int flat = 0;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 60; ++x) {
      if (dst.At(x, y) == kMarker) continue;
      EXPECT_EQ(dst.At(x, y), Rgb(37, 201, 99)) << x << "," << y;
      ++flat;
    }
  }
  EXPECT_GT(flat, 1000);
}

TEST(RollTest, BadArgumentsDrawNothingAndStayInBounds) {
  const TestImage src = TestImage::Random(8, 8, 1);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  TestImage dst(10, 10, kMarker);
  const TestImage untouched(10, 10, kMarker);
  EXPECT_FALSE(
      Roll(dst.View(), 4.5, 4.5, 10, 10, nan, src.CView(), 3.5, 3.5, RollSampling::kBilinear, {0, 0, 7, 7}));
  EXPECT_FALSE(
      Roll(dst.View(), inf, 4.5, 10, 10, 0.3, src.CView(), 3.5, 3.5, RollSampling::kNearest, {0, 0, 7, 7}));
  // A rectangle wholly outside the source, or inverted, covers nothing.
  Roll(dst.View(), 4.5, 4.5, 10, 10, 0.3, src.CView(), 3.5, 3.5, RollSampling::kBilinear, {20, 20, 30, 30});
  Roll(dst.View(), 4.5, 4.5, 10, 10, 0.3, src.CView(), 3.5, 3.5, RollSampling::kBilinear, {7, 7, 0, 0});
  EXPECT_TRUE(dst.SamePixels(untouched));

  // Canvas sizes, rectangles and centres far beyond the pictures are clipped.
  Roll(dst.View(), 1e9, -1e9, INT_MAX, INT_MAX, 0.3, src.CView(), -5e8, 7e8, RollSampling::kBilinear,
       {INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  Roll(dst.View(), 4.5, 4.5, INT_MAX, INT_MAX, 2.0, src.CView(), 3.5, 3.5, RollSampling::kBilinear,
       {INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  EXPECT_NE(dst.At(5, 5), kMarker);
  EXPECT_TRUE(
      Roll(dst.View(), 4.5, 4.5, -3, 10, 0.3, src.CView(), 3.5, 3.5, RollSampling::kNearest, {0, 0, 7, 7}));
}

}  // namespace
}  // namespace vell
