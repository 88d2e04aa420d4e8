#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <queue>
#include <set>
#include <utility>

#include "geometry.h"
#include "test_image.h"

namespace vell {
namespace {

using testing::TestImage;

int Neighbours(const std::set<std::pair<int, int>>& set, const ArcPoint& p) {
  int n = 0;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      if ((dx || dy) && set.count({p.x + dx, p.y + dy})) ++n;
    }
  }
  return n;
}

bool Connected(const std::vector<ArcPoint>& points) {
  std::set<std::pair<int, int>> left;
  for (const ArcPoint& p : points)
    left.insert({p.x, p.y});
  std::queue<std::pair<int, int>> todo;
  todo.push(*left.begin());
  left.erase(left.begin());
  while (!todo.empty()) {
    const auto [x, y] = todo.front();
    todo.pop();
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        auto it = left.find({x + dx, y + dy});
        if (it == left.end()) continue;
        todo.push(*it);
        left.erase(it);
      }
    }
  }
  return left.empty();
}

TEST(ArcOutlineTest, StartZeroToNinetyIsTheLowerRightQuarter) {
  // Box 10..50 x 10..30: centre (30, 20), radii 20 and 10. Start on the right, end at the bottom.
  const auto arc = ArcOutline(10, 10, 50, 30, 50, 20, 30, 30);
  ASSERT_FALSE(arc.empty());
  for (const ArcPoint& p : arc) {
    EXPECT_GE(p.x, 30) << p.x << "," << p.y;
    EXPECT_GE(p.y, 20) << p.x << "," << p.y;
  }
  EXPECT_EQ(arc.front(), (ArcPoint{50, 20}));
  EXPECT_EQ(arc.back(), (ArcPoint{30, 30}));
  EXPECT_TRUE(Connected(arc));
  // The same radials the other way round give the other three quarters.
  const auto rest = ArcOutline(10, 10, 50, 30, 30, 30, 50, 20);
  EXPECT_GT(rest.size(), 2 * arc.size());
  EXPECT_TRUE(std::any_of(rest.begin(), rest.end(), [](const ArcPoint& p) { return p.x < 20 && p.y < 20; }));
}

TEST(ArcOutlineTest, RadialsNeedNotTouchTheEllipse) {
  // Points far out along the diagonals pick the arc between the radials, not the points.
  const auto arc = ArcOutline(0, 0, 40, 40, -70, -100, 100, -80);
  ASSERT_FALSE(arc.empty());
  for (const ArcPoint& p : arc)
    EXPECT_LE(p.y, 20) << p.x << "," << p.y;  // the upper part only
}

// Outlines bound flood fills: a gap anywhere lets the fill leak. Every box from three pixels up,
// some odd ones, and a thin one.
TEST(ArcOutlineTest, WholeEllipseIsClosedThinAndFillsItsBox) {
  std::vector<std::array<int, 4>> boxes = {{0, 0, 40, 20}, {3, 5, 4, 30}, {0, 0, 101, 101}, {7, 7, 10, 9}};
  for (int w = 3; w <= 40; ++w) {
    for (int h = 3; h <= 40; h += 1 + w % 3)
      boxes.push_back({5, 7, 5 + w, 7 + h});
  }
  for (auto [l, t, r, b] : boxes) {
    SCOPED_TRACE(::testing::Message() << l << "," << t << "," << r << "," << b);
    const auto ellipse = ArcOutline(l, t, r, b, 0, 0, 0, 0);
    std::set<std::pair<int, int>> set;
    for (const ArcPoint& p : ellipse)
      set.insert({p.x, p.y});
    ASSERT_EQ(set.size(), ellipse.size()) << "each pixel once";
    ASSERT_TRUE(Connected(ellipse));
    for (const ArcPoint& p : ellipse)
      ASSERT_GE(Neighbours(set, p), 2) << "closed at " << p.x << "," << p.y;
    const auto [minX, maxX] = std::minmax_element(
        ellipse.begin(), ellipse.end(), [](const ArcPoint& p, const ArcPoint& q) { return p.x < q.x; });
    const auto [minY, maxY] = std::minmax_element(
        ellipse.begin(), ellipse.end(), [](const ArcPoint& p, const ArcPoint& q) { return p.y < q.y; });
    ASSERT_EQ((std::array{minX->x, minY->y, maxX->x, maxY->y}), (std::array{l, t, r, b}));
  }
}

TEST(ArcOutlineTest, DegenerateAndHugeBoxesAreSafe) {
  EXPECT_EQ(ArcOutline(5, 5, 5, 5, 0, 0, 0, 0), (std::vector<ArcPoint>{{5, 5}}));
  const auto line = ArcOutline(2, 3, 2, 9, 0, 0, 0, 0);
  EXPECT_EQ(line.size(), 7u);
  EXPECT_TRUE(ArcOutline(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 0, 0).empty());
  EXPECT_EQ(ArcOutline(40, 20, 0, 0, 0, 0, 0, 0), ArcOutline(0, 0, 40, 20, 0, 0, 0, 0));
}

TEST(DrawArcTest, InvertTouchesEachPixelOnceAndTwiceRestores) {
  const TestImage original = TestImage::Random(50, 40, 4);
  TestImage img = original;
  ASSERT_TRUE(DrawArc(img.View(), -10, 5, 45, 60, 0, 0, 0, 0, 0, 6));  // partly off the picture
  int changed = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 50; ++x) {
      if (img.At(x, y) == original.At(x, y)) continue;
      ++changed;
      EXPECT_EQ(img.At(x, y), ~original.At(x, y) & 0xFFFFFF);
    }
  }
  EXPECT_GT(changed, 50);
  DrawArc(img.View(), -10, 5, 45, 60, 0, 0, 0, 0, 0, 6);
  EXPECT_TRUE(img.SamePixels(original));
}

TEST(DrawArcTest, BlackModeIgnoresTheColourAndCopyPenUsesIt) {
  TestImage black(30, 30), pen(30, 30);
  DrawArc(black.View(), 2, 2, 27, 27, 0, 0, 0, 0, 0x0000FF, 1);
  DrawArc(pen.View(), 2, 2, 27, 27, 0, 0, 0, 0, 0x0000FF, 13);  // COLORREF red
  const auto outline = ArcOutline(2, 2, 27, 27, 0, 0, 0, 0);
  for (const ArcPoint& p : outline) {
    EXPECT_EQ(black.At(p.x, p.y), 0x000000u);
    EXPECT_EQ(pen.At(p.x, p.y), Rgb(255, 0, 0));
  }
  EXPECT_EQ(black.At(15, 15), 0xFFFFFFu);
  EXPECT_FALSE(DrawArc(black.View(), 2, 2, 27, 27, 0, 0, 0, 0, 0, 0));
  EXPECT_FALSE(DrawArc(black.View(), 2, 2, 27, 27, 0, 0, 0, 0, 0, 17));
}

TEST(ApplyRop2Test, FollowsTheBinaryRasterOperationTable) {
  const std::uint32_t pen = 0x00F0F0, dst = 0x0FF00F;
  EXPECT_EQ(ApplyRop2(1, pen, dst), 0x000000u);         // black
  EXPECT_EQ(ApplyRop2(6, pen, dst), ~dst & 0xFFFFFFu);  // invert
  EXPECT_EQ(ApplyRop2(7, pen, dst), (pen ^ dst));       // xor pen
  EXPECT_EQ(ApplyRop2(9, pen, dst), (pen & dst));       // mask pen
  EXPECT_EQ(ApplyRop2(11, pen, dst), dst);              // no-op
  EXPECT_EQ(ApplyRop2(13, pen, dst), pen);              // copy pen
  EXPECT_EQ(ApplyRop2(15, pen, dst), (pen | dst));      // merge pen
  EXPECT_EQ(ApplyRop2(16, pen, dst), 0xFFFFFFu);        // white
  EXPECT_EQ(ApplyRop2(4, pen, dst), ~pen & 0xFFFFFFu);  // not copy pen
}

}  // namespace
}  // namespace vell
