#include "raster/turns.h"

#include <gtest/gtest.h>

#include <random>

#include "raster/block_transfer.h"
#include "raster_test_util.h"

namespace snapwell {
namespace {

using testing::FillRandom;
using testing::LetterF;
using testing::PixelsOf;
using testing::ToRows;

// The obvious versions, one pixel at a time, as the rotation step describes them.
Picture SlowClockwise(const Picture& src) {
  Picture dst(src.Height(), src.Width());
  for (int i = 0; i < src.Width(); ++i) {
    for (int j = 0; j < src.Height(); ++j)
      dst.SetPixel(src.Height() - 1 - j, i, src.GetPixel(i, j));
  }
  return dst;
}
Picture SlowAnticlockwise(const Picture& src) {
  Picture dst(src.Height(), src.Width());
  for (int i = 0; i < src.Width(); ++i) {
    for (int j = 0; j < src.Height(); ++j)
      dst.SetPixel(j, src.Width() - 1 - i, src.GetPixel(i, j));
  }
  return dst;
}
Picture SlowFlip(const Picture& src, Flip flip) {
  const bool h = flip == Flip::kHorizontal || flip == Flip::kBoth,
             v = flip == Flip::kVertical || flip == Flip::kBoth;
  Picture dst(src.Width(), src.Height());
  for (int y = 0; y < src.Height(); ++y) {
    for (int x = 0; x < src.Width(); ++x) {
      dst.SetPixel(h ? src.Width() - 1 - x : x, v ? src.Height() - 1 - y : y, src.GetPixel(x, y));
    }
  }
  return dst;
}

TEST(TurnsTest, LetterFInEveryOrientation) {
  const Picture f = LetterF();
  Picture cw(5, 4), acw(5, 4), half(4, 5), mirror(4, 5), upside(4, 5);
  TurnClockwise(f.View(), cw.View());
  TurnAnticlockwise(f.View(), acw.View());
  TurnHalf(f.View(), half.View());
  FlipCopy(f.View(), mirror.View(), Flip::kHorizontal);
  FlipCopy(f.View(), upside.View(), Flip::kVertical);
  EXPECT_EQ(ToRows(cw), (std::vector<std::string>{"rrrrr", "..b.b", "..b.b", "....b"}));
  EXPECT_EQ(ToRows(acw), (std::vector<std::string>{"b....", "b.b..", "b.b..", "rrrrr"}));
  EXPECT_EQ(ToRows(half), (std::vector<std::string>{"...r", "...r", ".bbr", "...r", "bbbr"}));
  EXPECT_EQ(ToRows(mirror), (std::vector<std::string>{"bbbr", "...r", ".bbr", "...r", "...r"}));
  EXPECT_EQ(ToRows(upside), (std::vector<std::string>{"r...", "r...", "rbb.", "r...", "rbbb"}));
}

TEST(TurnsTest, RandomPicturesOfOddSizesMatchThePixelByPixelVersions) {
  std::mt19937 rng(2024);
  const std::pair<int, int> sizes[] = {{1, 1},   {1, 7},    {7, 1},    {5, 3},    {4, 4},
                                       {63, 65}, {130, 67}, {67, 130}, {129, 257}};
  for (auto [w, h] : sizes) {
    Picture src = testing::PaddedPicture(w, h);
    FillRandom(src, rng());
    Picture cw = testing::PaddedPicture(h, w), acw = testing::PaddedPicture(h, w);
    TurnClockwise(src.View(), cw.View());
    TurnAnticlockwise(src.View(), acw.View());
    EXPECT_EQ(PixelsOf(cw), PixelsOf(SlowClockwise(src))) << w << "x" << h;
    EXPECT_EQ(PixelsOf(acw), PixelsOf(SlowAnticlockwise(src))) << w << "x" << h;
    for (Flip flip : {Flip::kNone, Flip::kHorizontal, Flip::kVertical, Flip::kBoth}) {
      Picture out = testing::PaddedPicture(w, h);
      FlipCopy(src.View(), out.View(), flip);
      EXPECT_EQ(PixelsOf(out), PixelsOf(SlowFlip(src, flip))) << w << "x" << h;
      Picture inPlace = testing::PaddedPicture(w, h);
      BitBlt(inPlace, 0, 0, w, h, src, 0, 0, RasterOp::kSrcCopy);
      FlipInPlace(inPlace.View(), flip);
      EXPECT_EQ(PixelsOf(inPlace), PixelsOf(out)) << w << "x" << h;
      EXPECT_TRUE(dynamic_cast<testing::PaddedPixelStore*>(inPlace.Store())->PaddingIntact());
    }
  }
}

TEST(TurnsTest, TwoQuarterTurnsMakeAHalfTurnAndFourMakeNone) {
  Picture src(37, 19);
  FillRandom(src, 8);
  Picture a(19, 37), b(37, 19), half(37, 19), c(19, 37), d(37, 19);
  TurnClockwise(src.View(), a.View());
  TurnClockwise(a.View(), b.View());
  TurnHalf(src.View(), half.View());
  EXPECT_EQ(PixelsOf(b), PixelsOf(half));
  TurnClockwise(b.View(), c.View());
  TurnClockwise(c.View(), d.View());
  EXPECT_EQ(PixelsOf(d), PixelsOf(src));
  Picture back(37, 19);
  TurnAnticlockwise(a.View(), back.View());
  EXPECT_EQ(PixelsOf(back), PixelsOf(src));
}

TEST(TurnsTest, SmallerDestinationTakesOnlyWhatFitsAndKeepsTheRest) {
  const Picture f = LetterF();
  Picture cw(3, 2);
  cw.FillRect(0, 0, 3, 2, testing::kGreen);
  TurnClockwise(f.View(), cw.View());
  EXPECT_EQ(ToRows(cw), (std::vector<std::string>{"rrr", "..b"}));
  Picture wide(7, 2);
  TurnAnticlockwise(f.View(), wide.View());
  EXPECT_EQ(ToRows(wide), (std::vector<std::string>{"b......", "b.b...."}));
  Picture flipped(2, 6);
  FlipCopy(f.View(), flipped.View(), Flip::kBoth);
  EXPECT_EQ(ToRows(flipped), (std::vector<std::string>{"..", "..", ".b", "..", "bb", ".."}));
}

TEST(TurnsTest, SourceAndDestinationSharingPixelsGiveTheSameResult) {
  Picture p(20, 20);
  FillRandom(p, 77);
  Picture expectedCw = SlowClockwise(p), expectedAcw = SlowAnticlockwise(p),
          expectedFlip = SlowFlip(p, Flip::kBoth);
  Picture q(20, 20);
  BitBlt(q, 0, 0, 20, 20, p, 0, 0, RasterOp::kSrcCopy);
  Picture r(20, 20);
  BitBlt(r, 0, 0, 20, 20, p, 0, 0, RasterOp::kSrcCopy);
  TurnClockwise(p.View(), p.View());
  TurnAnticlockwise(q.View(), q.View());
  FlipCopy(r.View(), r.View(), Flip::kBoth);
  EXPECT_EQ(PixelsOf(p), PixelsOf(expectedCw));
  EXPECT_EQ(PixelsOf(q), PixelsOf(expectedAcw));
  EXPECT_EQ(PixelsOf(r), PixelsOf(expectedFlip));
  // Partly overlapping blocks of one picture: a mirrored copy shifted by one pixel.
  Picture s(9, 5);
  FillRandom(s, 78);
  Picture source(8, 5);
  BitBlt(source, 0, 0, 8, 5, s, 0, 0, RasterOp::kSrcCopy);
  const Picture mirrored = SlowFlip(source, Flip::kHorizontal);
  FlipCopy(s.View(0, 0, 8, 5), s.View(1, 0, 8, 5), Flip::kHorizontal);
  Picture got(8, 5);
  BitBlt(got, 0, 0, 8, 5, s, 1, 0, RasterOp::kSrcCopy);
  EXPECT_EQ(PixelsOf(got), PixelsOf(mirrored));
}

TEST(TurnsTest, EmptyViewsAreIgnored) {
  Picture p(3, 3);
  FillRandom(p, 1);
  const auto before = PixelsOf(p);
  TurnClockwise(vell::ConstPixelView{}, p.View());
  TurnAnticlockwise(p.View(), vell::PixelView{});
  FlipCopy(p.View(0, 0, 0, 3), p.View(), Flip::kBoth);
  FlipInPlace(vell::PixelView{}, Flip::kBoth);
  EXPECT_EQ(PixelsOf(p), before);
}

}  // namespace
}  // namespace snapwell
