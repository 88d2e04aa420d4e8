// Reduction and enlargement of the cut-out: the size warning, the refusal of a size no buffer can
// hold, and the two ways of scaling (the imaging library's smoothing, or plain sampling by whole
// columns and rows with single-precision counters). The result lies at (0, 0) of picBoard1.
#pragma once

#include <cstdint>

#include "imaging/imaging.h"
#include "platform/user_interface.h"
#include "raster/picture.h"
#include "text/texts.h"

namespace snapwell {

// Text ids of the refusal of a scaled size too large to hold.
inline constexpr int kTextScaledTooLarge = 294;
inline constexpr int kTextScaledTooLargeHint = 295;

struct ScaleJob {
  Picture& board1;  // holds the cut-out at (x1, y1); receives the scaled picture at (0, 0)
  Picture& board2;  // work buffer
  std::int32_t x1 = 0;
  std::int32_t y1 = 0;
  std::int32_t x2 = 0;
  std::int32_t y2 = 0;
  float enlargeValue = 1.0f;  // E, 1 = 100 %
  std::int16_t enlargeColorControl = 1;
  std::int16_t reductColorControl = 1;
  std::int32_t screenWidth = 0;
  std::int32_t screenHeight = 0;
};

enum class ScaleOutcome : std::uint8_t {
  Scaled,
  Declined,  // the user answered No to the size warning
  TooLarge,  // the scaled picture cannot be held; the user was told
};

// round(E × length), halves to even: the scaled size everywhere after the scaling.
std::int64_t ScaledSize(float enlargeValue, std::int64_t length);

// Scales the cut-out as the settings in the job ask. Raises ImagingError when the library cannot
// be bound and RunTimeError 7 when memory runs out while growing a buffer.
ScaleOutcome ScaleCutOut(const ScaleJob& job, Imaging& imaging, UserInterface& ui, const Texts& texts);

}  // namespace snapwell
