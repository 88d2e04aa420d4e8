#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <random>

#include "geometry.h"
#include "test_image.h"

namespace vell {
namespace {

using testing::TestImage;
constexpr std::uint32_t kMarker = 0x123456;

// Arguments as a confused caller might pass them: mostly near the pictures, sometimes wild.
class WildArguments {
 public:
  explicit WildArguments(unsigned seed) : rng_(seed) {}
  int Coord() {
    switch (rng_() % 8) {
      case 0:
        return INT_MIN + static_cast<int>(rng_() % 3);
      case 1:
        return INT_MAX - static_cast<int>(rng_() % 3);
      case 2:
        return static_cast<int>(rng_() % 200001) - 100000;
      default:
        return static_cast<int>(rng_() % 41) - 10;
    }
  }
  double Real() {
    switch (rng_() % 10) {
      case 0:
        return std::numeric_limits<double>::quiet_NaN();
      case 1:
        return (rng_() % 2 ? 1 : -1) * std::numeric_limits<double>::infinity();
      case 2:
        return (rng_() % 2 ? 1e300 : -1e300);
      case 3:
        return std::ldexp(static_cast<double>(rng_() % 1000), -static_cast<int>(rng_() % 40));
      default:
        return std::uniform_real_distribution<double>(-40.0, 40.0)(rng_);
    }
  }
  int Small() { return static_cast<int>(rng_() % 20) - 2; }

 private:
  std::mt19937 rng_;
};

TEST(ClippingTest, WildArgumentsNeverWriteOutsideTheDestination) {
  WildArguments arg(2024);
  const TestImage src = TestImage::Random(13, 9, 77);
  for (int i = 0; i < 400; ++i) {
    TestImage dst(11, 7, kMarker);
    switch (i % 4) {
      case 0:
        Roll(dst.View(), arg.Real(), arg.Real(), arg.Coord(), arg.Coord(), arg.Real(), src.CView(),
             arg.Real(), arg.Real(), i % 8 ? RollSampling::kBilinear : RollSampling::kNearest,
             InclusiveRect{arg.Coord(), arg.Coord(), arg.Coord(), arg.Coord()});
        break;
      case 1:
        Enlarge(dst.View(), arg.Coord(), arg.Coord(), arg.Coord(), arg.Coord(), src.CView(), arg.Coord(),
                arg.Coord(), arg.Real(), EnlargeFilterFromFlag(arg.Small()));
        break;
      case 2:
        Reduce(dst.View(), arg.Coord(), arg.Coord(), arg.Coord(), arg.Coord(), src.CView(), arg.Coord(),
               arg.Coord(), arg.Real());
        break;
      default:
        DrawArc(dst.View(), arg.Coord(), arg.Coord(), arg.Coord(), arg.Coord(), arg.Coord(), arg.Coord(),
                arg.Coord(), arg.Coord(), 0xFF, arg.Small());
        break;
    }
    ASSERT_TRUE(dst.PaddingHolds(kMarker)) << "call " << i;
  }
}

TEST(ClippingTest, EmptyViewsAreRefused) {
  TestImage dst(4, 4, kMarker);
  const ConstPixelView none;
  EXPECT_FALSE(Roll(dst.View(), 1, 1, 4, 4, 0.3, none, 1, 1, RollSampling::kBilinear, {0, 0, 3, 3}));
  EXPECT_FALSE(Enlarge(dst.View(), 0, 0, 2, 2, none, 0, 0, 2.0, EnlargeFilter::kBilinear));
  EXPECT_FALSE(Reduce(dst.View(), 0, 0, 2, 2, none, 0, 0, 0.5));
  EXPECT_FALSE(DrawArc(PixelView{}, 0, 0, 3, 3, 0, 0, 0, 0, 0, 1));
  EXPECT_TRUE(dst.SamePixels(TestImage(4, 4, kMarker)));
}

}  // namespace
}  // namespace vell
