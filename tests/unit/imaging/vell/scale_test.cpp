#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <vector>

#include "blend.h"
#include "geometry.h"
#include "test_image.h"

namespace vell {
namespace {

using testing::TestImage;
constexpr std::uint32_t kMarker = 0x123456;

// Pixels written by a scaling call: everything that no longer holds the marker.
void ExpectWrittenBlock(const TestImage& dst, int width, int height) {
  for (int y = 0; y < dst.Height(); ++y) {
    for (int x = 0; x < dst.Width(); ++x) {
      EXPECT_EQ(dst.At(x, y) != kMarker, x < width && y < height) << x << "," << y;
    }
  }
}

TEST(ScaledLengthTest, RoundsUpWithAHairOfToleranceAndRefusesNonsense) {
  EXPECT_EQ(ScaledLength(10, 2.0), 20);
  EXPECT_EQ(ScaledLength(3, 1.5), 5);
  EXPECT_EQ(ScaledLength(10, 0.5), 5);
  EXPECT_EQ(ScaledLength(10, static_cast<double>(0.1f)), 1);  // single-precision factors
  EXPECT_EQ(ScaledLength(1, 0.01), 1);                        // never 0
  EXPECT_EQ(ScaledLength(0, 2.0), 0);
  EXPECT_EQ(ScaledLength(5, 0.0), 0);
  EXPECT_EQ(ScaledLength(5, -2.0), 0);
  EXPECT_EQ(ScaledLength(5, std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(ScaledLength(5, std::numeric_limits<double>::infinity()), 0);
  EXPECT_EQ(ScaledLength(5, 1e9), 0);
}

TEST(BlendTest, RowBlendGivesThePixelBlendForEveryWeightAndLength) {
  // The row blend works four pixels at a time with a per-pixel tail; both must agree with the
  // single-pixel blend exactly, top bytes dropped, at every weight and every row length.
  std::mt19937 rng(31);
  for (std::uint32_t w = 0; w <= 256; ++w) {
    for (std::size_t n = 0; n <= 13; ++n) {
      std::vector<std::uint32_t> a(n), b(n), out(n, kMarker);
      for (std::size_t k = 0; k < n; ++k) {
        a[k] = static_cast<std::uint32_t>(rng());
        b[k] = static_cast<std::uint32_t>(rng());
      }
      BlendRows(a.data(), b.data(), w, out.data(), n);
      for (std::size_t k = 0; k < n; ++k)
        ASSERT_EQ(out[k], Blend(a[k], b[k], w)) << "weight " << w << ", pixel " << k << " of " << n;
    }
  }
  EXPECT_EQ(Blend(0x00FF0000, 0x000000FF, 128), 0x00800080u);
  EXPECT_EQ(Blend(0xFF123456, 0xFF123456, 77), 0x00123456u);
}

TEST(EnlargeTest, NearestRepeatsEachPixelOfTheSourceBlockIntoAFactorSizedBlock) {
  const TestImage f = TestImage::LetterF(5, 7), random = TestImage::Random(12, 9, 5);
  struct Case {
    const TestImage& src;
    int sx, sy, w, h, factor;
  } const cases[] = {{f, 0, 0, 5, 7, 2}, {random, 4, 6, 3, 2, 3}};
  for (const Case& c : cases) {
    TestImage dst(14, 18, kMarker);
    ASSERT_TRUE(
        Enlarge(dst.View(), 0, 0, c.w, c.h, c.src.CView(), c.sx, c.sy, c.factor, EnlargeFilterFromFlag(0)));
    ExpectWrittenBlock(dst, c.w * c.factor, c.h * c.factor);
    for (int y = 0; y < c.h * c.factor; ++y) {
      for (int x = 0; x < c.w * c.factor; ++x)
        EXPECT_EQ(dst.At(x, y), c.src.At(c.sx + x / c.factor, c.sy + y / c.factor)) << x << "," << y;
    }
  }
}

TEST(EnlargeTest, SmoothFiltersKeepAFlatColourExactlyFlatAndFillTheScaledBlock) {
  const TestImage src(7, 5, Rgb(12, 250, 131));
  for (int flag : {1, 2}) {
    TestImage dst(30, 30, kMarker);
    ASSERT_TRUE(Enlarge(dst.View(), 0, 0, 7, 5, src.CView(), 0, 0, 2.5, EnlargeFilterFromFlag(flag)));
    for (int y = 0; y < 30; ++y) {
      for (int x = 0; x < 30; ++x) {
        if (x < 18 && y < 13) {
          EXPECT_EQ(dst.At(x, y), Rgb(12, 250, 131)) << flag << ": " << x << "," << y;
        } else {
          EXPECT_EQ(dst.At(x, y), kMarker) << flag << ": " << x << "," << y;
        }
      }
    }
  }
}

TEST(EnlargeTest, BilinearRampsMonotonicallyAndSharpenedEdgesAreSteeper) {
  TestImage src(2, 1);
  src.At(0, 0) = 0x000000;
  src.At(1, 0) = 0xFFFFFF;
  TestImage smooth(8, 4, kMarker), sharp(8, 4, kMarker);
  Enlarge(smooth.View(), 0, 0, 2, 1, src.CView(), 0, 0, 4.0, EnlargeFilterFromFlag(1));
  Enlarge(sharp.View(), 0, 0, 2, 1, src.CView(), 0, 0, 4.0, EnlargeFilterFromFlag(2));
  int sharper = 0;
  for (int x = 1; x < 8; ++x) {
    EXPECT_GE(BlueOf(smooth.At(x, 0)), BlueOf(smooth.At(x - 1, 0)));
    EXPECT_GE(BlueOf(sharp.At(x, 0)), BlueOf(sharp.At(x - 1, 0)));
  }
  for (int x = 0; x < 8; ++x) {
    // Sharpening pushes every in-between level away from mid grey.
    const int s = std::abs(BlueOf(smooth.At(x, 0)) - 128), h = std::abs(BlueOf(sharp.At(x, 0)) - 128);
    EXPECT_GE(h, s) << x;
    if (h > s) ++sharper;
  }
  EXPECT_GE(sharper, 2);
  EXPECT_EQ(BlueOf(smooth.At(0, 0)), 0);
  EXPECT_EQ(BlueOf(smooth.At(7, 0)), 255);
  EXPECT_GT(BlueOf(smooth.At(3, 0)), 0);
  EXPECT_LT(BlueOf(smooth.At(3, 0)), 255);
}

TEST(EnlargeTest, BadFactorsDrawNothing) {
  const TestImage src = TestImage::Random(4, 4, 2);
  TestImage dst(20, 20, kMarker);
  const TestImage untouched(20, 20, kMarker);
  for (double factor :
       {0.0, -2.0, 1e9, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
    EXPECT_FALSE(Enlarge(dst.View(), 0, 0, 4, 4, src.CView(), 0, 0, factor, EnlargeFilter::kBilinear))
        << factor;
    EXPECT_FALSE(Reduce(dst.View(), 0, 0, 4, 4, src.CView(), 0, 0, factor)) << factor;
  }
  EXPECT_FALSE(Enlarge(dst.View(), 0, 0, 4, 4, src.CView(), 10, 10, 2.0, EnlargeFilter::kBilinear));
  EXPECT_FALSE(Enlarge(dst.View(), 0, 0, -4, 4, src.CView(), 0, 0, 2.0, EnlargeFilter::kBilinear));
  EXPECT_TRUE(dst.SamePixels(untouched));
}

TEST(EnlargeTest, ClipsToBothPictures) {
  const TestImage src = TestImage::Random(6, 6, 9);
  for (EnlargeFilter filter : {EnlargeFilter::kNearest, EnlargeFilter::kBilinear, EnlargeFilter::kSharp}) {
    TestImage dst(7, 5, kMarker);
    // The block hangs over the source's bottom-right edge, the result over the destination's.
    EXPECT_TRUE(Enlarge(dst.View(), -3, 2, 10, 10, src.CView(), 2, 3, 3.0, filter));
    EXPECT_EQ(dst.At(0, 0), kMarker);
    EXPECT_NE(dst.At(0, 2), kMarker);
    EXPECT_NE(dst.At(6, 4), kMarker);
    // Extreme offsets and sizes must neither overflow nor write out of bounds.
    Enlarge(dst.View(), INT_MAX, INT_MIN, INT_MAX, INT_MAX, src.CView(), INT_MIN, 0, 1.5, filter);
    Enlarge(dst.View(), INT_MIN, INT_MIN, 6, 6, src.CView(), 0, 0, 1.5, filter);
    EXPECT_TRUE(Reduce(dst.View(), -3, 2, 10, 10, src.CView(), 2, 3, 0.7));
  }
}

TEST(ReduceTest, FlatColourStaysExactlyFlatAtAnyFactor) {
  const TestImage src(37, 23, Rgb(1, 254, 77));
  for (double factor : {0.5, 0.3333333432674408, 0.01, 0.77, 0.999}) {
    TestImage dst(40, 40, kMarker);
    ASSERT_TRUE(Reduce(dst.View(), 0, 0, 37, 23, src.CView(), 0, 0, factor));
    const int w = ScaledLength(37, factor), h = ScaledLength(23, factor);
    ExpectWrittenBlock(dst, w, h);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x)
        EXPECT_EQ(dst.At(x, y), Rgb(1, 254, 77)) << factor;
    }
  }
}

// The obviously-right version: integrate each output pixel's square over the source. Halving
// averages 2 x 2 cells; at 2/3 partly covered pixels count by their covered fraction.
TEST(ReduceTest, MatchesSlowAreaAverageOnRandomPictures) {
  const TestImage src = TestImage::Random(29, 31, 11);
  for (double factor : {0.5, 2.0 / 3.0, 0.37}) {
    const int w = ScaledLength(29, factor), h = ScaledLength(31, factor);
    TestImage dst(w + 2, h + 2, kMarker);
    ASSERT_TRUE(Reduce(dst.View(), 0, 0, 29, 31, src.CView(), 0, 0, factor));
    ExpectWrittenBlock(dst, w, h);
    for (int oy = 0; oy < h; ++oy) {
      for (int ox = 0; ox < w; ++ox) {
        const double x0 = ox / factor, x1 = std::min((ox + 1) / factor, 29.0);
        const double y0 = oy / factor, y1 = std::min((oy + 1) / factor, 31.0);
        double sum[3] = {0, 0, 0}, area = 0;
        for (int sy = 0; sy < 31; ++sy) {
          for (int sx = 0; sx < 29; ++sx) {
            const double cx = std::max(0.0, std::min(x1, sx + 1.0) - std::max(x0, double(sx)));
            const double cy = std::max(0.0, std::min(y1, sy + 1.0) - std::max(y0, double(sy)));
            const double a = cx * cy;
            sum[0] += a * RedOf(src.At(sx, sy));
            sum[1] += a * GreenOf(src.At(sx, sy));
            sum[2] += a * BlueOf(src.At(sx, sy));
            area += a;
          }
        }
        SCOPED_TRACE(::testing::Message() << factor << " at " << ox << "," << oy);
        EXPECT_NEAR(RedOf(dst.At(ox, oy)), sum[0] / area, 0.51);
        EXPECT_NEAR(GreenOf(dst.At(ox, oy)), sum[1] / area, 0.51);
        EXPECT_NEAR(BlueOf(dst.At(ox, oy)), sum[2] / area, 0.51);
      }
    }
  }
}

// Factors 1/n take an integer short way over whole blocks; it must give the general area
// average's pixels bit for bit: top bytes set as a DIB may carry them, blocks hanging over the
// source's edges, destinations offset and clipped, and two-level noise, whose block means often
// fall exactly on a half (where the float path of an even n that is no power of two may round
// down).
TEST(ReduceTest, WholeNumberFactorsMatchTheGeneralAreaAverageBitForBit) {
  struct Case {
    double factor;
    bool twoLevels;
    int srcW, srcH, srcX, srcY, width, height, dstX, dstY;
  } const cases[] = {
      {0.5, true, 37, 23, 0, 0, 37, 23, 0, 0},
      {0.5, false, 41, 30, -1, 3, 44, 27, 2, -1},
      {1.0 / 3, false, 50, 31, 2, -2, 49, 40, -3, 1},
      {0.25, true, 45, 33, -3, -1, 52, 39, 1, 1},
      {1.0 / 5, false, 61, 47, 1, 1, 58, 43, 0, 2},
      {0.1, true, 127, 121, 3, -2, 127, 121, 0, 0},
      {0.125, false, 67, 35, -5, 2, 70, 30, 0, 0},
      {1.0 / 23, false, 101, 75, -4, 5, 99, 70, 1, 0},
      {static_cast<double>(0.2f), false, 61, 47, 1, 1, 58, 43, 0, 2},  // not quite 1/5: no whole blocks
  };
  std::mt19937 rng(15);
  for (const Case& c : cases) {
    TestImage src(c.srcW, c.srcH);
    for (int y = 0; y < c.srcH; ++y) {
      for (int x = 0; x < c.srcW; ++x) {
        const auto noise = static_cast<std::uint32_t>(rng());
        src.At(x, y) = c.twoLevels ? Rgb(37, 160, 201) + (noise & 0x010101) : noise;
      }
    }
    TestImage fast(14, 12, kMarker), general(14, 12, kMarker);
    ASSERT_TRUE(
        Reduce(fast.View(), c.dstX, c.dstY, c.width, c.height, src.CView(), c.srcX, c.srcY, c.factor));
    ASSERT_TRUE(ReduceByArea(general.View(), c.dstX, c.dstY, c.width, c.height, src.CView(), c.srcX, c.srcY,
                             c.factor));
    EXPECT_TRUE(fast.SamePixels(general)) << c.factor << " from " << c.srcX << "," << c.srcY;
    EXPECT_FALSE(fast.SamePixels(TestImage(14, 12, kMarker))) << c.factor;
  }
}

}  // namespace
}  // namespace vell
