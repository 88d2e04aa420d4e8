#include "output/series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace snapwell {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

void ExpectState(const SeriesDialogState& got, const SeriesDialogState& want) {
  EXPECT_EQ(got.start, want.start);
  EXPECT_EQ(got.end, want.end);
  EXPECT_EQ(got.step, want.step);
  EXPECT_EQ(got.number, want.number);
  EXPECT_EQ(got.calculated, want.calculated);
}

TEST(NormalizeAngleTest, FoldsIntoHalfTurns) {
  const std::pair<float, float> cases[] = {{400, 40},    {-200, 160}, {540, 180},    {180, 180},
                                           {-180, -180}, {200, -160}, {-300, 60},    {360, 0},
                                           {-360, 0},    {-400, -40}, {12.5f, 12.5f}};
  for (const auto& [angle, folded] : cases)
    EXPECT_EQ(NormalizeAngle(angle), folded) << angle;
}

TEST(NormalizeAngleTest, HugeAndUndefinedAnglesStayInRange) {
  for (float x : {1e30f, -1e30f, 3.4e38f, -3.4e38f, 1e7f + 0.5f, -1e-30f}) {
    const float y = NormalizeAngle(x);
    EXPECT_GE(y, -180) << x;
    EXPECT_LE(y, 180) << x;
  }
  for (float x : {kNaN, kInf, -kInf})
    EXPECT_EQ(NormalizeAngle(x), 0) << x;
  EXPECT_FALSE(std::signbit(NormalizeAngle(-0.0f)));
}

TEST(SeriesCountTest, CountsPicturesToTheEnd) {
  struct Case {
    float start, end, step;
    int count;
  } const cases[] = {
      {0, 90, 30, 4},         {0, 100, 30, 4},         {0, -100, -30, 3}, {0, -90, -30, 4},
      {170, -170, 20, 2},     {0, 0, 90, 5},           {0, 0, -90, 5},    {0, 0, 1, 361},
      {0, 90, 200, 1},        {0, -100, -200, 1},                          // never fewer than one picture
      {0, 90, 0, 1},                                                       // a step of 0 does not move
      {0, 90, kNaN, 1},                                                    // nor one of NaN
      {0, 90, 1e-30f, 32767}, {0, 90, -1e-30f, 32767}, {0, 90, 1e30f, 1},  // capped; one for a huge step
      {720, 810, 30, 4},      {kNaN, 90, 30, 4},                           // stored angles are folded first
  };
  for (const Case& c : cases)
    EXPECT_EQ(SeriesCount(c.start, c.end, c.step), c.count) << c.start << " " << c.end << " " << c.step;
  for (float huge : {1e30f, -1e30f, 3.4e38f, -2.5e20f}) {
    const float folded = NormalizeAngle(huge);
    EXPECT_EQ(SeriesCount(huge, 90, 30), SeriesCount(folded, 90, 30)) << huge;
    EXPECT_EQ(SeriesCount(0, huge, -7), SeriesCount(0, folded, -7)) << huge;
    EXPECT_EQ(SeriesCount(huge, huge, 45), 9) << huge;
  }
}

TEST(SeriesDialogTest, LoadCountsTheStoredAngles) {
  ExpectState(LoadSeriesDialog(0, 100, 30, 2), {0, 100, 30, 4, 2});
  EXPECT_EQ(LoadSeriesDialog(0, 100, 30, 9).calculated, 3);
}

TEST(SeriesDialogTest, LeavingBoxesFoldsAndBoundsValues) {
  SeriesDialogState state = LoadSeriesDialog(0, 90, 30, 3);
  for (const auto& [value, folded] : {std::pair{400.0, 40.0f}, {-200.0, 160.0f}, {540.0, 180.0f}}) {
    LeaveStartBox(state, value);
    EXPECT_EQ(state.start, folded) << value;
  }
  for (double step : {0.0, 720.0}) {
    LeaveStepBox(state, step);
    EXPECT_EQ(state.step, 1) << step;
  }
  LeaveEndBox(state, 1e300);
  EXPECT_EQ(state.end, 0);
}

TEST(SeriesDialogTest, NumberBoxIsRoundedAndBounded) {
  const std::pair<double, int> cases[] = {{1, 2},         {-5, 2},        {2.5, 2}, {3.5, 4},
                                          {40000, 32767}, {1e300, 32767}, {kNaN, 2}};
  for (const auto& [value, number] : cases)
    EXPECT_EQ(BoundOutputNumber(value), number) << value;
}

// The value named by `calculated` is worked out from the other three; the count then shown is
// the count that runs.
TEST(SeriesDialogTest, EachValueIsWorkedOutFromTheOtherThree) {
  const std::pair<SeriesDialogState, SeriesDialogState> cases[] = {
      {{0, 90, 10, 4, 2}, {0, 90, 30, 4, 2}},        {{0, 999, 30, 4, 1}, {0, 90, 30, 4, 1}},
      {{999, 90, 30, 4, 0}, {0, 90, 30, 4, 0}},      {{0, 100, 30, 99, 3}, {0, 100, 30, 4, 3}},
      {{0, -90, -1, 4, 2}, {0, -90, -30, 4, 2}},      // the step takes the sign of the way to the end
      {{170, -170, 5, 2, 2}, {170, -170, 20, 2, 2}},  // across the end of the turn
      {{0, 90, 200, 1, 2}, {0, 90, 90, 2, 2}},        // a count of one does not divide by zero
  };
  for (const auto& [before, after] : cases) {
    SCOPED_TRACE(::testing::Message() << before.start << " " << before.end << " " << before.step << " "
                                      << before.number << " " << before.calculated);
    SeriesDialogState state = before;
    Recalculate(state);
    ExpectState(state, after);
  }
}

TEST(SeriesDialogTest, NeverShowsACountThatWillNotRun) {
  // Start 0, end 0, two pictures: the step comes out as a full turn, taken as 1 degree, and the
  // series then runs 361 pictures.
  SeriesDialogState state = LoadSeriesDialog(0, 0, 90, 2);
  LeaveNumberBox(state, 2);
  ExpectState(state, {0, 0, 1, 361, 2});

  // The end worked out from a count that overshoots a half turn folds back.
  state = LoadSeriesDialog(0, 90, 50, 1);
  LeaveNumberBox(state, 10);
  ExpectState(state, {0, 90, 50, 2, 1});  // 450 folds to 90: pictures at 0 and 50, then 90

  // One picture spans no step: the worked-out start or end lies on the other angle, and the
  // count shown is then the full turn that will run.
  state = LoadSeriesDialog(0, 10, 30, 0);
  ASSERT_EQ(state.number, 1);
  LeaveEndBox(state, 10);
  ExpectState(state, {10, 10, 30, 13, 0});
  state = LoadSeriesDialog(0, 10, 30, 1);
  ASSERT_EQ(state.number, 1);
  LeaveStartBox(state, 20);
  ExpectState(state, {20, 20, 30, 13, 1});
}

TEST(SeriesDialogTest, ShownCountAlwaysMatchesTheAngles) {
  // A sweep over odd inputs: whatever is calculated, the dialog keeps finite angles, a step and
  // a count of at least one picture.
  const double values[] = {0, 1, -1, 7.5, 90, -90, 179.9, 180, -180, 359, 361, 1e9, -1e9, 3e38, 0.001};
  for (std::int16_t calc = 0; calc <= 3; ++calc) {
    for (double a : values) {
      for (double b : values) {
        SeriesDialogState state = LoadSeriesDialog(0, 90, 30, calc);
        LeaveStartBox(state, a);
        LeaveEndBox(state, b);
        LeaveStepBox(state, a - b);
        LeaveNumberBox(state, b);
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
