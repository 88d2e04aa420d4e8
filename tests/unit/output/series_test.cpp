#include "output/series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace snapwell {
namespace {

TEST(NormalizeAngleTest, FoldsIntoHalfTurns) {
  EXPECT_EQ(NormalizeAngle(400), 40);
  EXPECT_EQ(NormalizeAngle(-200), 160);
  EXPECT_EQ(NormalizeAngle(540), 180);
  EXPECT_EQ(NormalizeAngle(180), 180);
  EXPECT_EQ(NormalizeAngle(-180), -180);
  EXPECT_EQ(NormalizeAngle(200), -160);
  EXPECT_EQ(NormalizeAngle(-300), 60);
  EXPECT_EQ(NormalizeAngle(360), 0);
  EXPECT_EQ(NormalizeAngle(-360), 0);
  EXPECT_EQ(NormalizeAngle(-400), -40);
  EXPECT_EQ(NormalizeAngle(12.5f), 12.5f);
}

TEST(NormalizeAngleTest, HugeAndUndefinedAnglesStayInRange) {
  for (float x : {1e30f, -1e30f, 3.4e38f, -3.4e38f, 1e7f + 0.5f, -1e-30f}) {
    const float y = NormalizeAngle(x);
    EXPECT_GE(y, -180) << x;
    EXPECT_LE(y, 180) << x;
  }
  EXPECT_EQ(NormalizeAngle(std::numeric_limits<float>::quiet_NaN()), 0);
  EXPECT_EQ(NormalizeAngle(std::numeric_limits<float>::infinity()), 0);
  EXPECT_EQ(NormalizeAngle(-std::numeric_limits<float>::infinity()), 0);
  EXPECT_FALSE(std::signbit(NormalizeAngle(-0.0f)));
}

struct CountCase {
  float start, end, step;
  int count;
};

class SeriesCountTest : public ::testing::TestWithParam<CountCase> {};

TEST_P(SeriesCountTest, CountsPicturesToTheEnd) {
  const CountCase& c = GetParam();
  EXPECT_EQ(SeriesCount(c.start, c.end, c.step), c.count) << c.start << " " << c.end << " " << c.step;
}

INSTANTIATE_TEST_SUITE_P(
    Angles, SeriesCountTest,
    ::testing::Values(CountCase{0, 90, 30, 4}, CountCase{0, 100, 30, 4}, CountCase{0, -100, -30, 3},
                      CountCase{0, -90, -30, 4}, CountCase{170, -170, 20, 2}, CountCase{0, 0, 90, 5},
                      CountCase{0, 0, -90, 5}, CountCase{0, 0, 1, 361}, CountCase{0, 90, 200, 1},
                      CountCase{0, -100, -200, 1},  // never fewer than one picture
                      CountCase{0, 90, 0, 1},       // a step of 0 does not move
                      CountCase{0, 90, std::numeric_limits<float>::quiet_NaN(), 1},  // nor one of NaN
                      CountCase{0, 90, 1e-30f, 32767},                               // capped
                      CountCase{0, 90, -1e-30f, 32767}, CountCase{0, 90, 1e30f, 1},
                      CountCase{720, 810, 30, 4},  // stored angles are folded first
                      CountCase{std::numeric_limits<float>::quiet_NaN(), 90, 30, 4}));

TEST(SeriesCountTest, HugeAnglesCountAsTheirFoldedAngles) {
  for (float huge : {1e30f, -1e30f, 3.4e38f, -2.5e20f}) {
    const float folded = NormalizeAngle(huge);
    EXPECT_EQ(SeriesCount(huge, 90, 30), SeriesCount(folded, 90, 30)) << huge;
    EXPECT_EQ(SeriesCount(0, huge, -7), SeriesCount(0, folded, -7)) << huge;
    EXPECT_EQ(SeriesCount(huge, huge, 45), 9) << huge;
  }
}

TEST(SeriesDialogTest, LoadCountsTheStoredAngles) {
  const SeriesDialogState state = LoadSeriesDialog(0, 100, 30, 2);
  EXPECT_EQ(state.number, 4);
  EXPECT_EQ(state.calculated, 2);
  EXPECT_EQ(LoadSeriesDialog(0, 100, 30, 9).calculated, 3);
}

TEST(SeriesDialogTest, LeavingBoxesFoldsAndBoundsValues) {
  SeriesDialogState state = LoadSeriesDialog(0, 90, 30, 3);
  LeaveStartBox(state, 400);
  EXPECT_EQ(state.start, 40);
  LeaveStartBox(state, -200);
  EXPECT_EQ(state.start, 160);
  LeaveStartBox(state, 540);
  EXPECT_EQ(state.start, 180);
  LeaveStepBox(state, 0);
  EXPECT_EQ(state.step, 1);
  LeaveStepBox(state, 720);
  EXPECT_EQ(state.step, 1);
  LeaveEndBox(state, 1e300);
  EXPECT_EQ(state.end, 0);
}

TEST(SeriesDialogTest, NumberBoxIsRoundedAndBounded) {
  EXPECT_EQ(BoundOutputNumber(1), 2);
  EXPECT_EQ(BoundOutputNumber(-5), 2);
  EXPECT_EQ(BoundOutputNumber(2.5), 2);
  EXPECT_EQ(BoundOutputNumber(3.5), 4);
  EXPECT_EQ(BoundOutputNumber(40000), 32767);
  EXPECT_EQ(BoundOutputNumber(1e300), 32767);
  EXPECT_EQ(BoundOutputNumber(std::numeric_limits<double>::quiet_NaN()), 2);
}

TEST(SeriesDialogTest, EachValueIsWorkedOutFromTheOtherThree) {
  SeriesDialogState state{0, 90, 10, 4, 2};
  Recalculate(state);
  EXPECT_EQ(state.step, 30);
  EXPECT_EQ(state.number, 4);

  state = {0, 999, 30, 4, 1};
  Recalculate(state);
  EXPECT_EQ(state.end, 90);
  EXPECT_EQ(state.number, 4);

  state = {999, 90, 30, 4, 0};
  Recalculate(state);
  EXPECT_EQ(state.start, 0);
  EXPECT_EQ(state.number, 4);

  state = {0, 100, 30, 99, 3};
  Recalculate(state);
  EXPECT_EQ(state.number, 4);
}

TEST(SeriesDialogTest, StepIsWorkedOutAcrossTheEndTurnByItsSign) {
  SeriesDialogState state{0, -90, -1, 4, 2};
  Recalculate(state);
  EXPECT_EQ(state.step, -30);
  EXPECT_EQ(state.number, 4);
  state = {170, -170, 5, 2, 2};
  Recalculate(state);
  EXPECT_EQ(state.step, 20);
  EXPECT_EQ(state.number, 2);
}

TEST(SeriesDialogTest, NeverShowsACountThatWillNotRun) {
  // Start 0, end 0, two pictures: the step comes out as a full turn, taken as 1 degree,
  // and the series then runs 361 pictures.
  SeriesDialogState state = LoadSeriesDialog(0, 0, 90, 2);
  LeaveNumberBox(state, 2);
  EXPECT_EQ(state.step, 1);
  EXPECT_EQ(state.number, 361);
  EXPECT_EQ(state.number, SeriesCount(state.start, state.end, state.step));

  // The end worked out from a count that overshoots a half turn folds back.
  state = LoadSeriesDialog(0, 90, 50, 1);
  LeaveNumberBox(state, 10);
  EXPECT_EQ(state.end, 90);
  EXPECT_EQ(state.number, SeriesCount(state.start, state.end, state.step));
}

TEST(SeriesDialogTest, CountOfOneDoesNotDivideByZero) {
  SeriesDialogState state = LoadSeriesDialog(0, 90, 200, 2);
  ASSERT_EQ(state.number, 1);
  Recalculate(state);
  EXPECT_EQ(state.step, 90);
  EXPECT_EQ(state.number, 2);
}

TEST(SeriesDialogTest, CountOfOneGivesStartAndEndWithoutAStepBetween) {
  // One picture spans no step: the worked-out start or end lies on the other angle, and the
  // count shown is then the full turn that will run.
  SeriesDialogState state = LoadSeriesDialog(0, 10, 30, 0);
  ASSERT_EQ(state.number, 1);
  LeaveEndBox(state, 10);
  EXPECT_EQ(state.start, 10);
  EXPECT_EQ(state.number, 13);

  state = LoadSeriesDialog(0, 10, 30, 1);
  ASSERT_EQ(state.number, 1);
  LeaveStartBox(state, 20);
  EXPECT_EQ(state.end, 20);
  EXPECT_EQ(state.number, 13);
}

TEST(SeriesDialogTest, ShownCountAlwaysMatchesTheAngles) {
  // A sweep over odd inputs: whatever is calculated, the count shown is the count that runs.
  const double values[] = {0, 1, -1, 7.5, 90, -90, 179.9, 180, -180, 359, 361, 1e9, -1e9, 3e38, 0.001};
  for (std::int16_t calc = 0; calc <= 3; ++calc) {
    for (double a : values) {
      for (double b : values) {
        SeriesDialogState state = LoadSeriesDialog(0, 90, 30, calc);
        LeaveStartBox(state, a);
        LeaveEndBox(state, b);
        LeaveStepBox(state, a - b);
        LeaveNumberBox(state, b);
        EXPECT_EQ(state.number, SeriesCount(state.start, state.end, state.step));
        EXPECT_GE(state.number, 1);
        EXPECT_TRUE(std::isfinite(state.start) && std::isfinite(state.end) && std::isfinite(state.step));
        EXPECT_NE(state.step, 0);
      }
    }
  }
}

TEST(SeriesTextTest, ProgressBoxKeepsTheSignPositions) {
  EXPECT_EQ(SeriesStartText(5), " 1 / 5");
  EXPECT_EQ(SeriesProgressText(2, 5), " 2/ 5");
  EXPECT_EQ(SeriesProgressText(32767, 32767), " 32767/ 32767");
  EXPECT_EQ(WithSignPosition(-3), "-3");
}

TEST(SeriesTextTest, AnglesShowInGeneralFormat) {
  EXPECT_EQ(FormatGeneral(40), "40");
  EXPECT_EQ(FormatGeneral(-160), "-160");
  EXPECT_EQ(FormatGeneral(100.0f / 3), "33.33333");
  EXPECT_EQ(FormatGeneral(0.5f), "0.5");
  EXPECT_EQ(FormatGeneral(-0.0f), "0");
  EXPECT_EQ(FormatGeneral(1e-5f), "1E-05");
}

// Runs a series the way the capture surface's timer does, in degrees.
std::vector<float> RunSeries(float start, float end, float step) {
  const std::int16_t total = SeriesCount(start, end, step);
  const float pi = static_cast<float>(4.0 * std::atan(1.0));
  SeriesPosition position{start / 180.0f * pi, 1};
  std::vector<float> degrees;
  while (position.index <= total) {
    degrees.push_back(std::round(position.angle / pi * 180.0f * 1000.0f) / 1000.0f);
    AdvanceSeries(position, step, end, total);
  }
  return degrees;
}

TEST(SeriesRunTest, PicturesStepFromStartAndEndExactlyAtTheEnd) {
  EXPECT_EQ(RunSeries(0, 90, 30), (std::vector<float>{0, 30, 60, 90}));
  EXPECT_EQ(RunSeries(0, 100, 30), (std::vector<float>{0, 30, 60, 100}));
  EXPECT_EQ(RunSeries(0, -100, -30), (std::vector<float>{0, -30, -100}));
  EXPECT_EQ(RunSeries(170, -170, 20), (std::vector<float>{170, -170}));
  EXPECT_EQ(RunSeries(0, 0, 90), (std::vector<float>{0, 90, 180, -90, 0}));
  EXPECT_EQ(RunSeries(0, 90, 200), (std::vector<float>{0}));
}

}  // namespace
}  // namespace snapwell
