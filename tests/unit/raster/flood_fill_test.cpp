#include <gtest/gtest.h>

#include <deque>
#include <random>

#include "raster/block_transfer.h"
#include "raster/picture.h"
#include "raster_test_util.h"

namespace snapwell {
namespace {

using testing::FromRows;
using testing::kBlue;
using testing::kRed;
using testing::PixelsOf;
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

TEST(FloodFillTest, FillsTheInsideOfAClosedOutlineOnly) {
  Picture p = FromRows({
      "........",
      ".#####..",
      ".#...#..",
      ".#.r.#..",
      ".#####..",
      "........",
  });
  p.SetFillColor(kBlue);
  EXPECT_TRUE(p.FloodFillBorder(2, 2, kBlack));
  EXPECT_EQ(ToRows(p), (std::vector<std::string>{
                           "........",
                           ".#####..",
                           ".#bbb#..",
                           ".#bbb#..",
                           ".#####..",
                           "........",
                       }));
}

TEST(FloodFillTest, LeaksThroughAOnePixelGapButNotThroughADiagonalStep) {
  Picture gap = FromRows({
      "......",
      ".##.#.",
      ".#..#.",
      ".####.",
      "......",
  });
  ASSERT_TRUE(gap.FloodFillBorder(2, 2, kBlack));  // black fill: the fill meets the border
  EXPECT_EQ(ToRows(gap), (std::vector<std::string>(5, "######")));

  Picture diagonal = FromRows({
      "..#...",
      ".#.#..",
      "#...#.",
      ".#.#..",
      "..#...",
  });
  diagonal.SetFillColor(kRed);
  ASSERT_TRUE(diagonal.FloodFillBorder(2, 2, kBlack));
  EXPECT_EQ(ToRows(diagonal), (std::vector<std::string>{
                                  "..#...",
                                  ".#r#..",
                                  "#rrr#.",
                                  ".#r#..",
                                  "..#...",
                              }));
}

TEST(FloodFillTest, RunsRoundAShapeTouchingTheEdgesThroughTheMargin) {
  // The mask of an outline touching the top and left edges, copied in with a 2-pixel margin:
  // the fill from (0, 0) goes round it and leaves only the inside white.
  Picture outline = FromRows({
      "#####.",
      "#...#.",
      "#...#.",
      "#####.",
  });
  Picture board(outline.Width() + 4, outline.Height() + 4);
  BitBlt(board, 2, 2, outline.Width(), outline.Height(), outline, 0, 0, RasterOp::kSrcCopy);
  ASSERT_TRUE(board.FloodFillBorder(0, 0, kBlack));
  EXPECT_EQ(ToRows(board), (std::vector<std::string>{
                               "##########",
                               "##########",
                               "##########",
                               "###...####",
                               "###...####",
                               "##########",
                               "##########",
                               "##########",
                           }));
}

TEST(FloodFillTest, PictureWithoutTheBorderColourIsFilledWhole) {
  Picture p(7, 5);
  p.SetPixel(3, 3, kRed);
  p.SetFillColor(kBlue);
  ASSERT_TRUE(p.FloodFillBorder(6, 4, kBlack));
  EXPECT_EQ(ToRows(p), (std::vector<std::string>(5, "bbbbbbb")));
}

TEST(FloodFillTest, FillColourEqualToTheExistingColourStillStops) {
  Picture p = FromRows({"..#..", "..#..", "....."});
  p.SetFillColor(kWhite);
  ASSERT_TRUE(p.FloodFillBorder(0, 0, kBlack));
  EXPECT_EQ(ToRows(p), (std::vector<std::string>{"..#..", "..#..", "....."}));
}

TEST(FloodFillTest, SeedOnTheBorderOrOutsideChangesNothing) {
  Picture p = FromRows({".#.", "..."});
  p.SetFillColor(kRed);
  EXPECT_FALSE(p.FloodFillBorder(1, 0, kBlack));
  EXPECT_FALSE(p.FloodFillBorder(-1, 0, kBlack));
  EXPECT_FALSE(p.FloodFillBorder(0, 2, kBlack));
  EXPECT_EQ(ToRows(p), (std::vector<std::string>{".#.", "..."}));
}

TEST(FloodFillTest, BorderIsMatchedByColourWhateverTheTopByte) {
  Picture p = FromRows({".#.", ".#."});
  p.View().At(1, 0) = 0xFF000000;  // black as a screen grab may leave it
  p.SetFillColor(kRed);
  ASSERT_TRUE(p.FloodFillBorder(0, 0, 0xAB000000));
  EXPECT_EQ(ToRows(p), (std::vector<std::string>{"r#.", "r#."}));
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
    Picture expected(w, h);
    BitBlt(expected, 0, 0, w, h, p, 0, 0, RasterOp::kSrcCopy);
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
