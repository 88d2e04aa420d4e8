// Arithmetic of a continuous rotation series: folding angles, counting the pictures from start,
// end and step, the series dialog's working values and the progress texts.
// Angles are single-precision degrees, positive clockwise.
#pragma once

#include <cstdint>
#include <string>

namespace snapwell {

// Folds an angle into -180..180 (180 and -180 stay). Not-a-number and infinities give 0.
float NormalizeAngle(float x);

// Number of pictures from start to end by step: the end is always reached, by a shorter last
// step when needed. Both angles are folded first and the end is moved by whole turns past the
// start in the step's direction. A step of 0 or not a number gives 1 (one picture at the start);
// the count never exceeds 32767.
std::int16_t SeriesCount(float start, float end, float step);

// Which value of the series dialog is worked out from the other three (ContOutCulc).
enum class SeriesCalc : std::int16_t { Start = 0, End = 1, Step = 2, Number = 3 };

// The series dialog's working copies while it is open.
struct SeriesDialogState {
  float start = 0;
  float end = 0;
  float step = 1;
  std::int16_t number = 2;
  std::int16_t calculated = 3;  // ContOutCulc 0..3; anything else counts as 3
};

// The state a newly opened dialog shows for the stored angles.
SeriesDialogState LoadSeriesDialog(float startAng, float endAng, float stepAng, std::int16_t contOutCulc);

// Works out the value chosen by `calculated`. After start, end or step the number of pictures is
// counted again, so the dialog never shows a count other than the one that will run.
void Recalculate(SeriesDialogState& state);

// Leaving a box with the number read from its text (0 when it holds none).
void LeaveStartBox(SeriesDialogState& state, double value);
void LeaveEndBox(SeriesDialogState& state, double value);
void LeaveStepBox(SeriesDialogState& state, double value);    // a step of 0 becomes 1
void LeaveNumberBox(SeriesDialogState& state, double value);  // rounded, bounded to 2..32767

// The number box read as a 16-bit count: rounded half to even, bounded to 2..32767.
std::int16_t BoundOutputNumber(double value);

// A 16-bit number with its sign position: " 5", "-3".
std::string WithSignPosition(std::int32_t value);
// The progress box when the series starts: " 1 / 5".
std::string SeriesStartText(std::int32_t total);
// The progress box after each picture, the number of the next one: " 2/ 5".
std::string SeriesProgressText(std::int32_t index, std::int32_t total);

// One picture's advance of a running series: the angle (radians, single precision) moves by the
// step, wraps into -pi..pi, and the last picture takes the end angle exactly.
struct SeriesPosition {
  float angle = 0;         // radians
  std::int32_t index = 1;  // number of the next picture; the series ends when it passes the total
};
void AdvanceSeries(SeriesPosition& position, float stepAng, float endAng, std::int32_t total);

}  // namespace snapwell
