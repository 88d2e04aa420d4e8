// Scaling the cut-out: sampling and library ways by factor and colour controls, the round(E x w)
// size without a white column, the size warning and the refusal of a size no buffer can hold.
#include "transform/scale.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"
#include "unit/transform/transform_test_util.h"

namespace snapwell::testing {
namespace {

using Rows = std::vector<std::vector<std::uint32_t>>;
constexpr std::uint32_t a = 0x100000, b = 0x200000, c = 0x300000, d = 0x400000;

struct ScaleCase {
  const char* label;
  float e;
  std::int16_t enlargeCc;
  std::int16_t reductCc;
  Rows block;     // placed at (1, 1) of a 10 x 10 screen
  Rows expected;  // at (0, 0) afterwards, one row and column beyond included
  std::vector<std::string> calls;
};

TEST(ScaleCutOutTest, WaysByFactorAndColourControl) {
  const Rows four = {{a, b, a, b}, {c, d, c, d}, {a, a, b, b}, {c, c, d, d}};
  const std::uint32_t W = kWhite;
  const ScaleCase cases[] = {
      {"100 % copies, whatever the controls",
       1.0f,
       1,
       1,
       {{a, b}, {c, d}},
       {{a, b, W}, {c, d, W}, {W, W, W}},
       {}},
      {"200 % by sampling",
       2.0f,
       0,
       1,
       {{a, b}, {c, d}},
       {{a, a, b, b, W}, {a, a, b, b, W}, {c, c, d, d, W}, {c, c, d, d, W}, {W, W, W, W, W}},
       {}},
      {"150 % by sampling: round(1.5 x 2) = 3 columns, none white",
       1.5f,
       0,
       1,
       {{a, b}, {c, d}},
       {{a, a, b, W}, {a, a, b, W}, {c, c, d, W}, {W, W, W, W}},
       {}},
      {"50 % by sampling takes every second column and row",
       0.5f,
       1,
       0,
       four,
       {{a, a, W}, {a, b, W}, {W, W, W}},
       {}},
      {"200 % by the library with its colour flag",
       2.0f,
       2,
       1,
       {{a, a}, {a, a}},
       {{a, a, a, a, W}, {a, a, a, a, W}, {a, a, a, a, W}, {a, a, a, a, W}, {W, W, W, W, W}},
       {"EnlargeBitBlt(2,2,1,1,2,2)"}},
      {"50 % by the library, no colour flag",
       0.5f,
       1,
       1,
       {{b, b, b, b}, {b, b, b, b}, {b, b, b, b}, {b, b, b, b}},
       {{b, b, W}, {b, b, W}, {W, W, W}},
       {"ReductBitBlt(4,4,1,1,0.5)"}},
  };
  for (const ScaleCase& sc : cases) {
    SCOPED_TRACE(sc.label);
    Picture board1 = PictureWith(10, 10, 1, 1, sc.block);
    Picture board2(12, 12);
    FakePlatform fake;
    RecordingImaging imaging;
    const int n = static_cast<int>(sc.block.size());
    const ScaleJob job{board1, board2, 1, 1, n, n, sc.e, sc.enlargeCc, sc.reductCc, 10, 10};
    EXPECT_EQ(ScaleCutOut(job, imaging, fake.ui, Texts()), ScaleOutcome::Scaled);
    const int size = static_cast<int>(sc.expected.size());
    EXPECT_EQ(BlockOf(board1, 0, 0, size, size), sc.expected);
    EXPECT_EQ(imaging.calls, sc.calls);
  }
}

TEST(ScaleCutOutTest, SizeWarningAndRefusal) {
  FakePlatform fake;
  RecordingImaging imaging;
  Picture board1(1920, 1080), board2(1922, 1082);
  // A 2000 x 1000 region at 200 % on a 1920 x 1080 screen: 4000 x 2000 pixels need a confirmation.
  const ScaleJob job{board1, board2, 0, 0, 1999, 999, 2.0f, 0, 0, 1920, 1080};
  fake.ui.Expect(MsgAnswer::No);
  EXPECT_EQ(ScaleCutOut(job, imaging, fake.ui, Texts()), ScaleOutcome::Declined);
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_EQ(
      fake.ui.shown[0].text,
      "The picture size after Enlargement becomes quite large ( 4000 x 2000 ).\r\n\r\nThe system load will "
      "be quite heavy.\r\nDo you want to continue?");
  EXPECT_EQ(fake.ui.shown[0].title, "Warning!");
  EXPECT_EQ(board1.Width(), 1920);  // nothing grown

  fake.ui.Expect(MsgAnswer::Yes);
  EXPECT_EQ(ScaleCutOut(job, imaging, fake.ui, Texts()), ScaleOutcome::Scaled);
  EXPECT_EQ(std::make_pair(board1.Width(), board1.Height()), std::make_pair(4001, 2001));
  EXPECT_EQ(std::make_pair(board2.Width(), board2.Height()), std::make_pair(4001, 2001));

  // 6400 % of the whole screen cannot be held: refused before anything is allocated.
  Picture small1(1920, 1080), small2(1922, 1082);
  const ScaleJob huge{small1, small2, 0, 0, 1919, 1079, 64.0f, 1, 1, 1920, 1080};
  fake.ui.shown.clear();
  fake.ui.Expect(MsgAnswer::Ok);
  EXPECT_EQ(ScaleCutOut(huge, imaging, fake.ui, Texts()), ScaleOutcome::TooLarge);
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_EQ(
      fake.ui.shown[0].text,
      "The picture would be too large to be made ( 122880 x 69120 ).\r\nChoose a smaller enlargement or a "
      "smaller region.");
  EXPECT_EQ(fake.ui.shown[0].title, "Error");
  EXPECT_EQ(small1.Width(), 1920);
  EXPECT_TRUE(imaging.calls.empty());
}

}  // namespace
}  // namespace snapwell::testing
