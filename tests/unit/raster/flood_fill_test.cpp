#include <gtest/gtest.h>

#include <deque>
#include <random>

#include "raster/picture.h"
#include "raster_test_util.h"

namespace snapwell {
namespace {

using testing::CopyOf;
using testing::FromRows;
using testing::kBlue;
using testing::kRed;
using testing::PixelsOf;
using testing::Rows;
using testing::ToRows;

// The obvious version: breadth-first over 4-neighbours with a visited set.
void SlowFloodFillBorder(Picture& p, int x, int y, std::uint32_t border, std::uint32_t fill) {
  if (p.GetPixel(x, y) == kInvalidPixel || p.GetPixel(x, y) == border) return;
  std::vector<bool> seen(static_cast<std::size_t>(p.Width()) * p.Height());
  std::deque<std::pair<int, int>> queue{{x, y}};
  seen[static_cast<std::size_t>(y) * p.Width() + x] = true;
  while (!queue.empty()) {
    auto [cx, cy] = queue.front();
    queue.pop_front();
    p.SetPixel(cx, cy, fill);
    for (auto [nx, ny] : {std::pair{cx - 1, cy}, {cx + 1, cy}, {cx, cy - 1}, {cx, cy + 1}}) {
      if (nx < 0 || ny < 0 || nx >= p.Width() || ny >= p.Height()) continue;
      const std::size_t i = static_cast<std::size_t>(ny) * p.Width() + nx;
      if (seen[i] || p.GetPixel(nx, ny) == border) continue;
      seen[i] = true;
      queue.push_back({nx, ny});
    }
  }
}

// Fills from (x, y) with the given colour up to black and checks the outcome.
void ExpectFill(const Rows& before, int x, int y, std::uint32_t fill, const Rows& after) {
  Picture p = FromRows(before);
  p.SetFillColor(fill);
  EXPECT_TRUE(p.FloodFillBorder(x, y, kBlack));
  EXPECT_EQ(ToRows(p), after);
}

TEST(FloodFillTest, ExamplesFillUpToTheBorderThroughFourNeighbours) {
  SCOPED_TRACE("the inside of a closed outline only");
  ExpectFill({"........", ".#####..", ".#...#..", ".#.r.#..", ".#####..", "........"}, 2, 2, kBlue,
             {"........", ".#####..", ".#bbb#..", ".#bbb#..", ".#####..", "........"});
  SCOPED_TRACE("leaks through a one-pixel gap (a black fill meets the border)");
  ExpectFill({"......", ".##.#.", ".#..#.", ".####.", "......"}, 2, 2, kBlack, Rows(5, "######"));
  SCOPED_TRACE("but not through a diagonal step");
  ExpectFill({"..#...", ".#.#..", "#...#.", ".#.#..", "..#..."}, 2, 2, kRed,
             {"..#...", ".#r#..", "#rrr#.", ".#r#..", "..#..."});
  SCOPED_TRACE("round an outline touching the edges, through the 2-pixel margin added round it");
  ExpectFill({"..........", "..........", "..#####...", "..#...#...", "..#...#...", "..#####...",
              "..........", ".........."},
             0, 0, kBlack,
             {"##########", "##########", "##########", "###...####", "###...####", "##########",
              "##########", "##########"});
  SCOPED_TRACE("a picture without the border colour is filled whole");
  ExpectFill({".......", ".......", ".......", "...r...", "......."}, 6, 4, kBlue, Rows(5, "bbbbbbb"));
  SCOPED_TRACE("a fill colour equal to the existing one still stops");
  ExpectFill({"..#..", "..#..", "....."}, 0, 0, kWhite, {"..#..", "..#..", "....."});
}

TEST(FloodFillTest, SeedOnTheBorderOrOutsideChangesNothing) {
  Picture p = FromRows({".#.", "..."});
  p.SetFillColor(kRed);
  EXPECT_FALSE(p.FloodFillBorder(1, 0, kBlack));
  EXPECT_FALSE(p.FloodFillBorder(-1, 0, kBlack));
  EXPECT_FALSE(p.FloodFillBorder(0, 2, kBlack));
  EXPECT_EQ(ToRows(p), (Rows{".#.", "..."}));
}

TEST(FloodFillTest, BorderIsMatchedByColourWhateverTheTopByte) {
  Picture p = FromRows({".#.", ".#."});
  p.View().At(1, 0) = 0xFF000000;  // black as a screen grab may leave it
  p.SetFillColor(kRed);
  ASSERT_TRUE(p.FloodFillBorder(0, 0, 0xAB000000));
  EXPECT_EQ(ToRows(p), (Rows{"r#.", "r#."}));
}

TEST(FloodFillTest, RandomMazesMatchTheBreadthFirstVersion) {
  std::mt19937 rng(42);
  for (int round = 0; round < 400; ++round) {
    const int w = 1 + static_cast<int>(rng() % 40), h = 1 + static_cast<int>(rng() % 30);
    Picture p = (round % 2) ? testing::PaddedPicture(w, h) : Picture(w, h);
    // Three colours: border black, white, red; about 40 % border.
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const unsigned r = rng() % 10;
        p.SetPixel(x, y, r < 4 ? kBlack : r < 8 ? kWhite : kRed);
      }
    }
    const std::uint32_t fill = (round % 3 == 0) ? kBlack : (round % 3 == 1) ? kRed : kBlue;
    Picture expected = CopyOf(p);
    const int sx = static_cast<int>(rng() % w), sy = static_cast<int>(rng() % h);
    SlowFloodFillBorder(expected, sx, sy, kBlack, fill);
    p.SetFillColor(fill);
    p.FloodFillBorder(sx, sy, kBlack);
    ASSERT_EQ(PixelsOf(p), PixelsOf(expected)) << "round " << round;
  }
}

TEST(FloodFillTest, FullEightKPictureWithAWindingCombIsSafe) {
  // 7680 × 4320 with one-pixel walls that force the fill up and down every other column.
  const int w = 7680, h = 4320;
  Picture p(w, h);
  for (int x = 1; x < w; x += 2) {
    const bool fromTop = (x / 2) % 2 == 0;
    p.FillRect(x, fromTop ? 0 : 1, 1, h - 1, kBlack);
  }
  p.SetFillColor(kRed);
  ASSERT_TRUE(p.FloodFillBorder(0, 0, kBlack));
  EXPECT_EQ(p.GetPixel(w - 2, h - 1), kRed);
  EXPECT_EQ(p.GetPixel(w - 2, 0), kRed);
  EXPECT_EQ(p.GetPixel(1, 5), kBlack);
  EXPECT_EQ(p.GetPixel(1, h - 1), kRed);
  EXPECT_EQ(p.GetPixel(3, 0), kRed);
}

}  // namespace
}  // namespace snapwell
