#include "output/series.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace snapwell {
namespace {

constexpr std::int32_t kMaxCount = 32767;

// Pi as the program holds it: single precision, from 4 atan 1.
const float kPi = static_cast<float>(4.0 * std::atan(1.0));

// Moves the end by whole turns past the start in the direction of the step. Both angles are
// already folded into -180..180, so this takes at most two turns.
float EndPastStart(float start, float end, float step) {
  if (step > 0) {
    while (end <= start)
      end += 360.0f;
  } else if (step < 0) {
    while (end >= start)
      end -= 360.0f;
  }
  return end;
}

SeriesCalc CalcOf(std::int16_t calculated) {
  return calculated >= 0 && calculated <= 3 ? static_cast<SeriesCalc>(calculated) : SeriesCalc::Number;
}

// A typed angle in single precision; beyond its range it is no angle (read as 0).
float TypedAngle(double value) {
  return std::fabs(value) <= std::numeric_limits<float>::max() ? static_cast<float>(value)
                                                               : std::numeric_limits<float>::infinity();
}

}  // namespace

float NormalizeAngle(float x) {
  if (!std::isfinite(x)) return 0.0f;
  if (std::fabs(x) >= 360.0f) {
    // Exact remainder in double, so huge angles fold as well as small ones.
    double r = std::fmod(static_cast<double>(x), 360.0);
    if (r < 0) r += 360.0;
    x = static_cast<float>(r);
    if (x >= 360.0f) x = 0.0f;  // a remainder just below 360 can round up to it
  }
  if (std::fabs(x) > 180.0f) x = (std::fabs(x) - 360.0f) * (x < 0 ? -1.0f : 1.0f);
  return x == 0.0f ? 0.0f : x;  // no negative zero in the boxes
}

std::int16_t SeriesCount(float start, float end, float step) {
  if (step == 0.0f || std::isnan(step)) return 1;
  const float s = NormalizeAngle(start);
  const float e = EndPastStart(s, NormalizeAngle(end), step);
  const float d = e - s;
  const float q = d / step;  // positive: d has the sign of the step
  if (!(q < static_cast<float>(kMaxCount))) return kMaxCount;
  const std::int32_t k = static_cast<std::int32_t>(std::floor(q));
  const float reached = static_cast<float>(k) * step;
  std::int32_t count = d < reached ? k : k + 1;
  // A negative step longer than the span still outputs the start picture.
  if (count < 1) count = 1;
  if (count > kMaxCount) count = kMaxCount;
  return static_cast<std::int16_t>(count);
}

SeriesDialogState LoadSeriesDialog(float startAng, float endAng, float stepAng, std::int16_t contOutCulc) {
  SeriesDialogState state;
  state.start = startAng;
  state.end = endAng;
  state.step = stepAng;
  state.number = SeriesCount(startAng, endAng, stepAng);
  state.calculated = static_cast<std::int16_t>(CalcOf(contOutCulc));
  return state;
}

void Recalculate(SeriesDialogState& state) {
  const SeriesCalc calc = CalcOf(state.calculated);
  const float intervals = static_cast<float>(state.number - 1);
  switch (calc) {
    case SeriesCalc::Start:
      state.start = NormalizeAngle(state.end - intervals * state.step);
      break;
    case SeriesCalc::End:
      state.end = NormalizeAngle(intervals * state.step + state.start);
      break;
    case SeriesCalc::Step: {
      const float s = NormalizeAngle(state.start);
      const float e = EndPastStart(s, NormalizeAngle(state.end), state.step);
      // A count below 2 (a step longer than the span) would divide by zero: the span is then
      // taken as one step, as for two pictures.
      state.step = NormalizeAngle((e - s) / std::max(intervals, 1.0f));
      if (state.step == 0.0f) state.step = 1.0f;
      break;
    }
    case SeriesCalc::Number:
      break;
  }
  // The series is counted again from the angles when it runs; show that count.
  state.number = SeriesCount(state.start, state.end, state.step);
}

void LeaveStartBox(SeriesDialogState& state, double value) {
  state.start = NormalizeAngle(TypedAngle(value));
  Recalculate(state);
}

void LeaveEndBox(SeriesDialogState& state, double value) {
  state.end = NormalizeAngle(TypedAngle(value));
  Recalculate(state);
}

void LeaveStepBox(SeriesDialogState& state, double value) {
  state.step = NormalizeAngle(TypedAngle(value));
  if (state.step == 0.0f) state.step = 1.0f;
  Recalculate(state);
}

void LeaveNumberBox(SeriesDialogState& state, double value) {
  state.number = BoundOutputNumber(value);
  Recalculate(state);
}

std::int16_t BoundOutputNumber(double value) {
  if (std::isnan(value)) return 2;
  const double rounded = std::nearbyint(value);  // half to even in the default rounding mode
  if (rounded < 2) return 2;
  if (rounded > kMaxCount) return kMaxCount;
  return static_cast<std::int16_t>(rounded);
}

std::string WithSignPosition(std::int32_t value) {
  return (value >= 0 ? " " : "") + std::to_string(value);
}

std::string SeriesStartText(std::int32_t total) {
  return " 1 /" + WithSignPosition(total);
}

std::string SeriesProgressText(std::int32_t index, std::int32_t total) {
  return WithSignPosition(index) + "/" + WithSignPosition(total);
}

void AdvanceSeries(SeriesPosition& position, float stepAng, float endAng, std::int32_t total) {
  position.angle = position.angle + stepAng / 180.0f * kPi;
  ++position.index;
  if (position.angle > kPi) position.angle = position.angle - 2.0f * kPi;
  if (position.angle < -kPi) position.angle = position.angle + 2.0f * kPi;
  if (position.index == total) position.angle = endAng / 180.0f * kPi;
}

}  // namespace snapwell
