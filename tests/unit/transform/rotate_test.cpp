// Rotation: snapping to right angles, canvas sizes by frame style, the exact turns and the
// arguments RollBitBlt gets.
#include "transform/rotate.h"

#include <gtest/gtest.h>

#include <cmath>

#include "unit/transform/transform_test_util.h"

namespace snapwell::testing {
namespace {

using Rows = std::vector<std::vector<std::uint32_t>>;
const float kPi = static_cast<float>(4.0 * std::atan(1.0));

float Degrees(float d) {
  return static_cast<float>(d * kPi / 180.0f);
}

TEST(RotateTest, SnapsWithinATenthOfADegree) {
  const struct {
    float degrees;
    float expected;
  } cases[] = {{89.95f, kPi / 2},   {-0.05f, 0.0f},         {180.08f, kPi},         {-179.95f, -kPi},
               {-89.95f, -kPi / 2}, {269.95f, 3 * kPi / 2}, {89.8f, Degrees(89.8f)}};
  for (const auto& c : cases)
    EXPECT_EQ(SnapAngle(Degrees(c.degrees), kPi), c.expected) << c.degrees;
}

TEST(RotateTest, CanvasSizes) {
  const struct {
    const char* label;
    RotationRegion region;
    float e;
    float angle;
    std::int64_t width, height;
  } cases[] = {
      {"rectangle at 0", {0, 0, 0, 9, 3, 0, 0.3805064f}, 1.0f, 0.0f, 10, 4},
      {"rectangle at 200 %, 180", {0, 0, 0, 9, 3, 0, 0.3805064f}, 2.0f, kPi, 20, 8},
      {"rectangle at 90: swapped", {0, 0, 0, 9, 3, 0, 0.3805064f}, 1.0f, kPi / 2, 4, 10},
      {"rectangle at 45", {0, 0, 0, 9, 3, 0, 0.3805064f}, 1.0f, kPi / 4, 12, 12},
      {"circle of 101 at 0", {1, 5, 5, 105, 105, 50.5f, 0}, 1.0f, 0.0f, 101, 101},
      {"circle of 10 at 200 %, 30", {1, 0, 0, 9, 9, 5, 0}, 2.0f, Degrees(30), 24, 24},
      {"freehand at 90 keeps the box", {2, 0, 0, 6, 2, 3.8078866f, 0}, 1.0f, -kPi / 2, 3, 7},
      {"freehand at 30", {2, 0, 0, 6, 2, 3.8078866f, 0}, 1.0f, Degrees(30), 10, 8},
  };
  for (auto c : cases) {
    const CanvasSize size = RotationCanvas(c.region, c.e, c.angle, kPi);
    EXPECT_EQ(std::make_pair(size.width, size.height), std::make_pair(c.width, c.height)) << c.label;
  }
}

TEST(RotateTest, RightAnglesAreExactTurns) {
  const struct {
    float angle;
    Rows expected;
  } cases[] = {
      {0.0f, {{1, 2, 3}, {4, 5, 6}}},
      {kPi / 2, {{4, 1}, {5, 2}, {6, 3}}},
      {kPi, {{6, 5, 4}, {3, 2, 1}}},
      {-kPi, {{6, 5, 4}, {3, 2, 1}}},
      {-kPi / 2, {{3, 6}, {2, 5}, {1, 4}}},
      {3 * kPi / 2, {{3, 6}, {2, 5}, {1, 4}}},
      {SnapAngle(Degrees(89.95f), kPi), {{4, 1}, {5, 2}, {6, 3}}},
  };
  for (auto c : cases) {
    const Picture board1 = PictureWith(8, 8, 0, 0, {{1, 2, 3}, {4, 5, 6}});
    Picture board2(10, 10);
    RecordingImaging imaging;
    RotationRegion region{0, 4, 4, 6, 5, 0, 0};
    ASSERT_TRUE(RotateCutOut(board2, board1, region, c.angle, 1.0f, 1, kPi, imaging));
    const int w = static_cast<int>(c.expected[0].size()), h = static_cast<int>(c.expected.size());
    EXPECT_EQ(std::make_pair(board2.Width(), board2.Height()), std::make_pair(w, h));
    EXPECT_EQ(BlockOf(board2, 0, 0, w, h), c.expected) << c.angle;
    EXPECT_TRUE(imaging.calls.empty());
  }
}

TEST(RotateTest, OtherAnglesGoToTheLibraryInRange) {
  Picture board1(20, 20), board2(4, 4);
  RecordingImaging imaging;
  // A 3 x 2 rectangle at 150 %: the source rectangle ends at round(4.5) - 1 and round(3) - 1.
  RotationRegion region{0, 0, 0, 2, 1, 0, 0.5880026f};
  float angle = Degrees(190.0f);
  ASSERT_TRUE(RotateCutOut(board2, board1, region, angle, 1.5f, 0, kPi, imaging));
  EXPECT_FLOAT_EQ(angle, Degrees(-170.0f));
  ASSERT_EQ(imaging.calls.size(), 1u);
  EXPECT_EQ(imaging.calls[0].substr(imaging.calls[0].find(",-2.967")), ",-2.967,1.5,0.75,0,{0,0,3,2})");
}

}  // namespace
}  // namespace snapwell::testing
