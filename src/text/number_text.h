// Numbers in texts. One leading-number reader serves every place a number is typed or stored:
// the settings store, the fields of frame template files, the font's character set (text 103)
// and the number boxes of the dialogs. Odd texts never fail; they read as a defined value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace snapwell {

// The number a text begins with and how many characters it took (leading blanks included).
// The form is [+|-] digits [. digits] [e|E|d|D [+|-] digits] with at least one digit; an
// exponent marker without digits after it is not part of the number. length 0: no number
// (value 0). Too large reads as an infinity of its sign, too small as 0.
struct LeadingNumber {
  double value = 0.0;
  std::size_t length = 0;
};
LeadingNumber ScanLeadingNumber(std::string_view text);

// The value of ScanLeadingNumber: leading blanks are skipped, reading stops at the first
// character that cannot continue a number, and a text that does not begin with one reads 0.
double ReadLeadingNumber(std::string_view text);

// Round half to even into a 16- or 32-bit integer; nothing when out of range or not finite.
std::optional<std::int16_t> RoundToInt16(double value);
std::optional<std::int32_t> RoundToInt32(double value);
// A single-precision value; nothing when it overflows the single range.
std::optional<float> ToSingle(double value);

// "True"/"False" (any case); a number is true when not zero; anything else is nothing.
std::optional<bool> ReadBooleanText(std::string_view text);

// Shortest decimal text that reads back as the same single ("0.25", "90", "-45"): how the
// settings store writes a single.
std::string FormatSingle(float value);

// The general number format of every number a window shows (the settings dialog's boxes, the
// series dialog's angles, the capture surface's readout): at most seven significant digits and
// no trailing zeros ("40", "-160", "33.33333", "0.25"); an exponent only where seven digits do
// not reach ("1.234568E+07", "1E-05"). Zero, minus zero and not-a-number show "0".
std::string GeneralNumber(float value);

}  // namespace snapwell
