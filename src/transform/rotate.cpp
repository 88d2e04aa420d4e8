#include "transform/rotate.h"

#include <algorithm>
#include <cmath>

#include "raster/block_transfer.h"
#include "raster/turns.h"
#include "transform/scale.h"

namespace snapwell {
namespace {

constexpr double kSqrt2 = 1.4142135623730951;

bool Within(float value, float target) {
  return std::fabs(static_cast<float>(value - target)) <= kAngleTolerance;
}

float ThreeHalfPi(float pi) {
  return static_cast<float>(3.0f * pi / 2.0f);
}

bool IsQuarterOrThreeQuarter(float angle, float pi) {
  return angle == pi / 2.0f || angle == -pi / 2.0f || angle == ThreeHalfPi(pi);
}

std::int64_t Round(double v) {
  return static_cast<std::int64_t>(std::nearbyint(v));
}

}  // namespace

float SnapAngle(float angle, float pi) {
  const float halfPi = pi / 2.0f;
  if (Within(angle, 0.0f)) angle = 0.0f;
  if (Within(angle, halfPi)) angle = halfPi;
  if (Within(angle, pi)) angle = pi;
  if (Within(angle, -pi)) angle = -pi;
  if (Within(angle, -halfPi)) angle = -halfPi;
  if (Within(angle, ThreeHalfPi(pi))) angle = ThreeHalfPi(pi);
  return angle;
}

bool IsRightAngle(float angle, float pi) {
  return angle == 0.0f || angle == pi || angle == -pi || IsQuarterOrThreeQuarter(angle, pi);
}

CanvasSize RotationCanvas(RotationRegion& region, float enlargeValue, float angle, float pi) {
  const double e = enlargeValue;
  const double w = static_cast<double>(region.x2) - region.x1 + 1;
  const double h = static_cast<double>(region.y2) - region.y1 + 1;
  const double a = angle;
  const bool right = IsRightAngle(angle, pi);
  CanvasSize size;
  // Rectangles and freehand outlines at right angles keep every pixel: the exact box, or swapped.
  if (right && region.frameStyle != 1) {
    size.width = Round(e * w);
    size.height = Round(e * h);
    if (IsQuarterOrThreeQuarter(angle, pi)) std::swap(size.width, size.height);
  } else if (region.frameStyle == 0) {
    double r = std::sqrt(std::pow(e * h / 2.0, 2) + std::pow(e * w / 2.0, 2));
    r = e < 1.0 ? r - e / 2.0 * kSqrt2 : r + (e - 1.0) * kSqrt2;
    r += kSqrt2;
    const double g = region.diagonalAngle;
    const double hx = std::max(std::fabs(r * std::cos(a + g)), std::fabs(r * std::cos(a - g)));
    const double hy = std::max(std::fabs(r * std::sin(a + g)), std::fabs(r * std::sin(a - g)));
    size.width = Round(2.0 * hx);
    size.height = Round(2.0 * hy);
  } else if (region.frameStyle == 1) {
    double r = e * w / 2.0 + 0.5;
    if (angle != 0.0f) r = e < 1.0 ? r - e / 2.0 + 0.5 : r + e - 1.0;
    if (!right) r += 1.0;
    size.width = size.height = Round(2.0 * r - 1.0);
  } else {
    double r = e * region.radius;
    r = e < 1.0 ? r - e / 2.0 + 1.0 : r + (e - 1.0) * kSqrt2;
    r += kSqrt2;
    region.diagonalAngle =
        region.x1 == region.x2
            ? static_cast<float>(2.0 * std::atan(1.0))
            : static_cast<float>(std::atan((std::fabs(static_cast<double>(region.y2) - region.y1) + 1.0) /
                                           (std::fabs(static_cast<double>(region.x2) - region.x1) + 1.0)));
    const double g = region.diagonalAngle;
    const double ca = static_cast<double>(Round(std::fabs(r * std::cos(a + g))));
    const double sb = static_cast<double>(Round(std::fabs(r * std::sin(a + g))));
    const double cc = static_cast<double>(Round(std::fabs(r * std::cos(a - g))));
    const double sd = static_cast<double>(Round(std::fabs(r * std::sin(a - g))));
    size.width = Round(2.0 * std::max(ca, cc));
    size.height = Round(2.0 * std::max(sb, sd));
  }
  size.width = std::max<std::int64_t>(size.width, 1);
  size.height = std::max<std::int64_t>(size.height, 1);
  return size;
}

bool RotateCutOut(Picture& board2, const Picture& board1, RotationRegion& region, float& angle,
                  float enlargeValue, std::int16_t rollColorControl, float pi, Imaging& imaging,
                  CanvasSize* canvasOut) {
  const CanvasSize canvas = RotationCanvas(region, enlargeValue, angle, pi);
  if (canvasOut != nullptr) *canvasOut = canvas;
  if (!IsAcceptablePictureSize(canvas.width, canvas.height)) return false;
  const int W = static_cast<int>(canvas.width), H = static_cast<int>(canvas.height);
  if (!board2.Recreate(W, H)) return false;

  // The exact turns read the block the canvas is made of, at the top-left of picBoard1.
  if (angle == 0.0f) {
    BitBlt(board2, 0, 0, W, H, board1, 0, 0, RasterOp::kSrcCopy);
  } else if (angle == pi / 2.0f) {
    TurnClockwise(board1.View(0, 0, H, W), board2.View());
  } else if (angle == -pi || angle == pi) {
    TurnHalf(board1.View(0, 0, W, H), board2.View());
  } else if (angle == -pi / 2.0f || angle == ThreeHalfPi(pi)) {
    TurnAnticlockwise(board1.View(0, 0, H, W), board2.View());
  } else {
    if (angle > pi) angle = static_cast<float>(angle - 2.0f * pi);
    const double e = enlargeValue;
    const RollRect rect{
        0, 0,
        static_cast<std::int32_t>(ScaledSize(enlargeValue, std::int64_t{region.x2} - region.x1 + 1) - 1),
        static_cast<std::int32_t>(ScaledSize(enlargeValue, std::int64_t{region.y2} - region.y1 + 1) - 1)};
    imaging.RollBitBlt(board2, (W - 1) / 2.0, (H - 1) / 2.0, W, H, angle, board1,
                       e * (static_cast<double>(region.x2) - region.x1) / 2.0,
                       e * (static_cast<double>(region.y2) - region.y1) / 2.0, rollColorControl, rect);
  }
  return true;
}

}  // namespace snapwell
