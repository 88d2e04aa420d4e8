// Whole-pixel conversions and number texts of the capture surface: nearest with halves to even,
// floor towards minus infinity, both saturating at the 32-bit range instead of overflowing.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>

namespace snapwell {

class FrmMain;

inline std::int32_t SaturateInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value <= static_cast<double>(std::numeric_limits<std::int32_t>::min())) {
    return std::numeric_limits<std::int32_t>::min();
  }
  if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
    return std::numeric_limits<std::int32_t>::max();
  }
  return static_cast<std::int32_t>(value);
}

// The nearest whole number, halves to even (2.5 -> 2, 3.5 -> 4).
inline std::int32_t Nearest(double value) {
  return SaturateInt32(std::nearbyint(value));
}

inline std::int32_t FloorToInt32(double value) {
  return SaturateInt32(std::floor(value));
}

// Runs an event procedure of the surface; a failure raised inside it stops the capture timer,
// is reported as "Error in frmMain.<procedure>." and ends the capture. Does nothing while the
// surface is not loaded.
void RunGuarded(FrmMain& form, std::string_view procedure, const std::function<void()>& body);

}  // namespace snapwell
