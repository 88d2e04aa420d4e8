// Rotation of the scaled cut-out into the output picture: the angle snapped to right angles, the
// canvas sized from the region's shape, then a plain copy, an exact quarter or half turn, or the
// imaging library's RollBitBlt for any other angle.
#pragma once

#include <cstdint>

#include "imaging/imaging.h"
#include "raster/picture.h"

namespace snapwell {

// 0.1 degree in radians: how near a right angle an angle must be to be taken as it.
inline constexpr float kAngleTolerance = 0.001745329f;

// The region fields the rotation reads (the freehand canvas also sets diagonalAngle).
struct RotationRegion {
  std::int16_t frameStyle = 0;  // 0 rectangle, 1 circle, 2 freehand
  std::int32_t x1 = 0;
  std::int32_t y1 = 0;
  std::int32_t x2 = 0;
  std::int32_t y2 = 0;
  float radius = 0.0f;
  float diagonalAngle = 0.0f;
};

struct CanvasSize {
  std::int64_t width = 1;
  std::int64_t height = 1;
};

// The angle snapped to 0, pi/2, pi, -pi, -pi/2 or 3pi/2 when within kAngleTolerance of it.
float SnapAngle(float angle, float pi);
// 0, pi/2, -pi/2, pi, -pi or 3pi/2 exactly.
bool IsRightAngle(float angle, float pi);

// The output canvas for the region at the (snapped) angle and scale; never below 1 x 1.
CanvasSize RotationCanvas(RotationRegion& region, float enlargeValue, float angle, float pi);

// Sizes and clears board2 to the canvas and fills it from the scaled cut-out at (0, 0) of board1.
// An angle above pi is brought into range and written back. False (board2 untouched) when the canvas
// is too large to hold; the caller tells the user. Raises ImagingError when RollBitBlt is needed and
// the library cannot be bound.
bool RotateCutOut(Picture& board2, const Picture& board1, RotationRegion& region, float& angle,
                  float enlargeValue, std::int16_t rollColorControl, float pi, Imaging& imaging,
                  CanvasSize* canvasOut = nullptr);

}  // namespace snapwell
