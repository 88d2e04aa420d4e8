#include "raster/turns.h"

#include <gtest/gtest.h>

#include <random>

#include "raster/block_transfer.h"
#include "raster_test_util.h"

namespace snapwell {
namespace {

using testing::FillRandom;
using testing::LetterF;
using testing::PaddedPicture;
using testing::PixelsOf;
using testing::Rows;
using testing::ToRows;

// The seven orientations: four flips (in the order of Flip), a half turn and two quarter turns.
enum Orientation { kHalfTurn = 4, kClockwise, kAnticlockwise, kOrientations };

bool SwapsSides(int o) {
  return o == kClockwise || o == kAnticlockwise;
}

void Fast(int o, vell::ConstPixelView src, vell::PixelView dst) {
  if (o == kHalfTurn) return TurnHalf(src, dst);
  if (o == kClockwise) return TurnClockwise(src, dst);
  if (o == kAnticlockwise) return TurnAnticlockwise(src, dst);
  FlipCopy(src, dst, static_cast<Flip>(o));
}

// The obvious version: each pixel of the w × h source to its place, one at a time.
Picture Slow(int o, const Picture& src) {
  const int w = src.Width(), h = src.Height();
  Picture dst(SwapsSides(o) ? h : w, SwapsSides(o) ? w : h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const bool mirrored = o == 1 || o == 3 || o == kHalfTurn,
                 upsideDown = o == 2 || o == 3 || o == kHalfTurn;
      const int tx = o == kClockwise ? h - 1 - y : o == kAnticlockwise ? y : mirrored ? w - 1 - x : x;
      const int ty = o == kClockwise ? x : o == kAnticlockwise ? w - 1 - x : upsideDown ? h - 1 - y : y;
      dst.SetPixel(tx, ty, src.GetPixel(x, y));
    }
  }
  return dst;
}

TEST(TurnsTest, LetterFInEveryOrientation) {
  const Rows expected[kOrientations] = {
      {"rbbb", "r...", "rbb.", "r...", "r..."}, {"bbbr", "...r", ".bbr", "...r", "...r"},
      {"r...", "r...", "rbb.", "r...", "rbbb"}, {"...r", "...r", ".bbr", "...r", "bbbr"},
      {"...r", "...r", ".bbr", "...r", "bbbr"}, {"rrrrr", "..b.b", "..b.b", "....b"},
      {"b....", "b.b..", "b.b..", "rrrrr"}};
  for (int o = 0; o < kOrientations; ++o) {
    Picture out(SwapsSides(o) ? 5 : 4, SwapsSides(o) ? 4 : 5);
    Fast(o, LetterF().View(), out.View());
    EXPECT_EQ(ToRows(out), expected[o]) << o;
    EXPECT_EQ(ToRows(Slow(o, LetterF())), expected[o]) << o;
  }
}

TEST(TurnsTest, RandomPicturesOfOddSizesMatchThePixelByPixelVersions) {
  std::mt19937 rng(2024);
  const std::pair<int, int> sizes[] = {{1, 1},   {1, 7},    {7, 1},    {5, 3},    {4, 4},
                                       {63, 65}, {130, 67}, {67, 130}, {129, 257}};
  for (auto [w, h] : sizes) {
    Picture src = PaddedPicture(w, h);
    FillRandom(src, rng());
    for (int o = 0; o < kOrientations; ++o) {
      Picture out = SwapsSides(o) ? PaddedPicture(h, w) : PaddedPicture(w, h);
      Fast(o, src.View(), out.View());
      EXPECT_EQ(PixelsOf(out), PixelsOf(Slow(o, src))) << o << ": " << w << "x" << h;
    }
    for (Flip flip : {Flip::kNone, Flip::kHorizontal, Flip::kVertical, Flip::kBoth}) {
      Picture inPlace = PaddedPicture(w, h), out(w, h);
      BitBlt(inPlace, 0, 0, w, h, src, 0, 0, RasterOp::kSrcCopy);
      FlipInPlace(inPlace.View(), flip);
      FlipCopy(src.View(), out.View(), flip);
      EXPECT_EQ(PixelsOf(inPlace), PixelsOf(out)) << w << "x" << h;
      EXPECT_TRUE(static_cast<testing::PaddedPixelStore*>(inPlace.Store())->PaddingIntact());
    }
  }
}

TEST(TurnsTest, SmallerDestinationTakesOnlyWhatFitsAndKeepsTheRest) {
  const Picture f = LetterF();
  Picture cw(3, 2);
  cw.FillRect(0, 0, 3, 2, testing::kGreen);
  TurnClockwise(f.View(), cw.View());
  EXPECT_EQ(ToRows(cw), (Rows{"rrr", "..b"}));
  Picture wide(7, 2);
  TurnAnticlockwise(f.View(), wide.View());
  EXPECT_EQ(ToRows(wide), (Rows{"b......", "b.b...."}));
  Picture flipped(2, 6);
  FlipCopy(f.View(), flipped.View(), Flip::kBoth);
  EXPECT_EQ(ToRows(flipped), (Rows{"..", "..", ".b", "..", "bb", ".."}));
}

TEST(TurnsTest, SourceAndDestinationSharingPixelsGiveTheSameResult) {
  for (int o = 0; o < kOrientations; ++o) {
    Picture p(20, 20);
    FillRandom(p, 77);
    const Picture expected = Slow(o, p);
    Fast(o, p.View(), p.View());
    EXPECT_EQ(PixelsOf(p), PixelsOf(expected)) << o;
  }
  // Partly overlapping blocks of one picture: a mirrored copy shifted by one pixel.
  Picture s(9, 5);
  FillRandom(s, 78);
  Picture source(8, 5);
  BitBlt(source, 0, 0, 8, 5, s, 0, 0, RasterOp::kSrcCopy);
  FlipCopy(s.View(0, 0, 8, 5), s.View(1, 0, 8, 5), Flip::kHorizontal);
  Picture got(8, 5);
  BitBlt(got, 0, 0, 8, 5, s, 1, 0, RasterOp::kSrcCopy);
  EXPECT_EQ(PixelsOf(got), PixelsOf(Slow(static_cast<int>(Flip::kHorizontal), source)));
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
