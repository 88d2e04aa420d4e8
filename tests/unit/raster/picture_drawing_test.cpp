#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <set>

#include "raster/picture.h"
#include "raster_test_util.h"

namespace snapwell {
namespace {

using testing::CopyOf;
using testing::FillRandom;
using testing::kBlue;
using testing::kRed;
using testing::PixelsOf;
using testing::Rows;
using testing::ToRows;

using PixelSet = std::set<std::pair<int, int>>;

// The ideal line sampled once per step of the longer axis, rounded to the nearest pixel (halves
// away from the start, in exact integers: floating point misplaces some halves), without its
// end point.
std::vector<std::pair<int, int>> IdealLine(int x0, int y0, int x1, int y1) {
  std::vector<std::pair<int, int>> points;
  const std::int64_t steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
  auto round = [steps](std::int64_t num) {  // num / steps
    const std::int64_t q = (2 * std::abs(num) + steps) / (2 * steps);
    return static_cast<int>(num < 0 ? -q : q);
  };
  for (std::int64_t i = 0; i < steps; ++i)
    points.emplace_back(x0 + round((x1 - x0) * i), y0 + round((y1 - y0) * i));
  return points;
}

PixelSet Dot(int x, int y, int width) {
  PixelSet s;
  const int lo = width == 1 ? 0 : -1, hi = width == 3 ? 1 : 0;
  for (int dy = lo; dy <= hi; ++dy) {
    for (int dx = lo; dx <= hi; ++dx)
      s.insert({x + dx, y + dy});
  }
  return s;
}

PixelSet Changed(const Picture& before, const Picture& after) {
  PixelSet s;
  for (int y = 0; y < after.Height(); ++y) {
    for (int x = 0; x < after.Width(); ++x) {
      if (before.GetPixel(x, y) != after.GetPixel(x, y)) s.insert({x, y});
    }
  }
  return s;
}

TEST(LineTest, ExamplesLeaveOutTheEndPointAndStepAsTheIdealLine) {
  struct Case {
    int x0, y0, x1, y1;
    Rows expected;
  } const cases[] = {
      {1, 1, 5, 1, {".......", ".####..", "......."}},
      {5, 1, 1, 1, {".......", "..####.", "......."}},
      {1, 4, 1, 0, {"...", ".#.", ".#.", ".#.", ".#."}},
      {1, 1, 1, 1, {"...", "...", "..."}},  // zero length: nothing
      {0, 0, 5, 2, {"##....", "..##..", "....#.", "......"}},
      {3, 0, 0, 3, {"...#", "..#.", ".#..", "...."}},
  };
  for (const Case& c : cases) {
    Picture p(static_cast<int>(c.expected[0].size()), static_cast<int>(c.expected.size()));
    p.Line(c.x0, c.y0, c.x1, c.y1);
    EXPECT_EQ(ToRows(p), c.expected) << c.x0 << "," << c.y0 << " -> " << c.x1 << "," << c.y1;
  }
}

// Every width, thin lines included, against the ideal line: lines within the picture and lines
// from far beyond it (clipping must not shift a pixel), on plain and padded rows.
TEST(LineTest, RandomLinesCoverTheUnionOfRoundDotsAndInvertEachPixelOnce) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> near(-6, 26), far(-35, 55);
  for (int round = 0; round < 1200; ++round) {
    const int width = 1 + round % 3;
    auto& coord = round % 2 ? far : near;
    const int x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
    Picture p = round % 4 < 2 ? testing::PaddedPicture(21, 19) : Picture(21, 19);
    PixelSet expected;
    for (auto [x, y] : IdealLine(x0, y0, x1, y1)) {
      for (auto [dx, dy] : Dot(x, y, width)) {
        if (dx >= 0 && dy >= 0 && dx < p.Width() && dy < p.Height()) expected.insert({dx, dy});
      }
    }
    FillRandom(p, rng());
    const Picture before = CopyOf(p);
    p.SetPenWidth(width);
    p.SetDrawMode(DrawMode::kInvert);
    p.Line(x0, y0, x1, y1);
    ASSERT_EQ(Changed(before, p), expected) << width << ": " << x0 << "," << y0 << " -> " << x1 << "," << y1;
    for (auto [x, y] : expected)
      ASSERT_EQ(p.GetPixel(x, y), ~before.GetPixel(x, y) & kColorMask);
    if (auto* padded = dynamic_cast<testing::PaddedPixelStore*>(p.Store())) {
      ASSERT_TRUE(padded->PaddingIntact());
    }
  }
}

TEST(LineTest, HugeCoordinatesFinishAtOnceAndClip) {
  Picture p(5, 3);
  p.SetPenWidth(3);
  p.Line(INT_MIN, 1, INT_MAX, 1);
  EXPECT_EQ(ToRows(p), (Rows{"#####", "#####", "#####"}));
  Picture q(5, 3);
  q.Line(INT_MIN, INT_MIN, INT_MAX, INT_MAX);  // the main diagonal
  q.Line(INT_MAX, INT_MIN, INT_MIN, INT_MAX);  // x + y = -1: misses the picture
  EXPECT_EQ(ToRows(q), (Rows{"#....", ".#...", "..#.."}));
  Picture r(5, 3);
  r.Line(-1000000000, 2, 1000000000, 2);
  EXPECT_EQ(ToRows(r), (Rows{".....", ".....", "#####"}));
}

TEST(LineTest, DrawModesApplyToThePen) {
  Picture p(4, 1);
  p.SetPixel(0, 0, kRed);
  p.SetPixel(1, 0, kRed);
  p.SetPenColor(kBlue);
  p.SetDrawMode(DrawMode::kBlack);
  p.Line(0, 0, 1, 0);
  p.SetDrawMode(DrawMode::kCopyPen);
  p.Line(1, 0, 2, 0);
  p.SetDrawMode(DrawMode::kInvert);
  p.Line(2, 0, 4, 0);
  EXPECT_EQ(ToRows(p), (Rows{"#b##"}));
  p.SetDrawMode(DrawMode::kContrast);
  p.Line(0, 0, 4, 0);
  EXPECT_EQ(p.GetPixel(1, 0), kBlue ^ 0x00808080u);
  p.Line(0, 0, 4, 0);
  EXPECT_EQ(ToRows(p), (Rows{"#b##"}));
}

TEST(PointTest, DotsOfEachWidth) {
  Picture p(9, 4);
  p.Point(1, 1);
  p.SetPenWidth(2);
  p.Point(4, 1);
  p.SetPenWidth(3);
  p.Point(7, 2);
  EXPECT_EQ(ToRows(p), (Rows{"...##....", ".#.##.###", "......###", "......###"}));
  p.Point(-1, -1);  // clipped to the corner
  EXPECT_EQ(p.GetPixel(0, 0), kBlack);
}

// Whether a pixel centre lies in the ellipse of semi-axes a, b round (cx, cy), boundary included.
bool InEllipse(int x, int y, double cx, double cy, double a, double b) {
  const double u = (x - cx) / a, v = (y - cy) / b;
  return u * u + v * v <= 1.0 + 1e-9;
}

TEST(CircleTest, EvenAndOddDiametersCoverTheirBoxExactly) {
  // The disc masks of the circle cut-out: d = 10 round (100.5, 100.5) r 4.5 covers 96..105;
  // d = 11 round (101, 101) r 5 covers 96..106.
  for (auto [c, r, lo, hi] : {std::tuple{100.5, 4.5, 96, 105}, std::tuple{101.0, 5.0, 96, 106}}) {
    Picture p(120, 120);
    p.Circle(c, c, r);
    const int mid = static_cast<int>(c);
    for (int y = 0; y < 120; ++y) {
      for (int x = 0; x < 120; ++x)
        ASSERT_EQ(p.GetPixel(x, y) == kBlack, InEllipse(x, y, c, c, r + 0.5, r + 0.5)) << x << "," << y;
    }
    EXPECT_EQ(ToRows(p)[mid].substr(lo - 1, hi - lo + 3), "." + std::string(hi - lo + 1, '#') + ".");
    EXPECT_EQ(p.GetPixel(mid, lo - 1), kWhite);
    EXPECT_EQ(p.GetPixel(mid, lo), kBlack);
    EXPECT_EQ(p.GetPixel(mid, hi), kBlack);
    EXPECT_EQ(p.GetPixel(mid, hi + 1), kWhite);
  }
}

TEST(CircleTest, PenBandFillTransparentFillAndInvertEachCoverTheirPart) {
  for (int width = 1; width <= 3; ++width) {
    Picture p(40, 40);
    p.SetPenWidth(width);
    p.SetPenColor(kRed);
    p.SetFillColor(kBlue);
    p.Circle(19.5, 20, 9.25);
    Picture hollow(40, 40);
    hollow.SetPenWidth(width);
    hollow.SetFillStyle(FillStyle::kTransparent);
    hollow.Circle(19.5, 20, 9.25);
    Picture inverted(40, 40);
    FillRandom(inverted, width);
    const Picture before = CopyOf(inverted);
    inverted.SetPenWidth(width);
    inverted.SetDrawMode(DrawMode::kInvert);
    inverted.Circle(19.5, 20, 9.25);
    const double outer = 9.25 + width / 2.0;
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 40; ++x) {
        SCOPED_TRACE(::testing::Message() << "width " << width << " at " << x << "," << y);
        const bool in = InEllipse(x, y, 19.5, 20, outer, outer);
        const double dist = std::hypot(x - 19.5, y - 20.0);
        ASSERT_EQ(inverted.GetPixel(x, y),
                  in ? (~before.GetPixel(x, y) & kColorMask) : before.GetPixel(x, y));
        if (!in) {
          ASSERT_EQ(p.GetPixel(x, y), kWhite);
          ASSERT_EQ(hollow.GetPixel(x, y), kWhite);
        } else if (dist < outer - width - 1e-6) {
          ASSERT_EQ(p.GetPixel(x, y), kBlue);
          ASSERT_EQ(hollow.GetPixel(x, y), kWhite);
        } else if (dist > outer - width + 1e-6) {
          ASSERT_EQ(p.GetPixel(x, y), kRed);
          ASSERT_EQ(hollow.GetPixel(x, y), kBlack);
        }
      }
    }
  }
}

TEST(CircleTest, CircleBeyondTheEdgesAndOddValuesAreSafe) {
  Picture p(10, 10);
  p.Circle(-3, 5, 6);  // clipped on the left
  EXPECT_EQ(p.GetPixel(0, 5), kBlack);
  EXPECT_EQ(p.GetPixel(3, 5), kBlack);
  EXPECT_EQ(p.GetPixel(4, 5), kWhite);
  Picture q(10, 10);
  q.Circle(NAN, 5, 3);
  q.Circle(5, 5, INFINITY);
  q.Circle(5, 5, -2);
  q.Circle(1e300, -1e300, 1e300);
  EXPECT_EQ(ToRows(q), ToRows(Picture(10, 10)));
  Picture r(5, 5);
  r.Circle(2, 2, 1e9);  // covers everything
  EXPECT_EQ(ToRows(r), (Rows(5, "#####")));
}

TEST(EllipseTest, FillsItsInclusiveBox) {
  Picture p(9, 6);
  p.Ellipse(1, 1, 7, 4);
  EXPECT_EQ(ToRows(p), (Rows{
                           ".........",
                           "..#####..",
                           ".#######.",
                           ".#######.",
                           "..#####..",
                           ".........",
                       }));
  Picture one(3, 3);
  one.Ellipse(1, 1, 1, 1);
  EXPECT_EQ(ToRows(one), (Rows{"...", ".#.", "..."}));
}

TEST(EllipseTest, RandomEllipsesInAnyCornerOrderMatchThePointTest) {
  std::mt19937 rng(3);
  std::uniform_int_distribution<int> coord(-5, 30);
  for (int round = 0; round < 200; ++round) {
    const int l = coord(rng), t = coord(rng), r = coord(rng), b = coord(rng);
    Picture p(26, 24);
    p.Ellipse(l, t, r, b);
    const double cx = (std::min(l, r) + std::max(l, r)) / 2.0, cy = (std::min(t, b) + std::max(t, b)) / 2.0;
    const double a = (std::abs(r - l) + 1) / 2.0, bb = (std::abs(b - t) + 1) / 2.0;
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 26; ++x) {
        ASSERT_EQ(p.GetPixel(x, y) == kBlack, InEllipse(x, y, cx, cy, a, bb))
            << l << "," << t << "," << r << "," << b << " at " << x << "," << y;
      }
    }
  }
}

}  // namespace
}  // namespace snapwell
