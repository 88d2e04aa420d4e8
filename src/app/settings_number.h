// Reading numbers out of stored setting texts: the leading number of a text, then the
// conversion to the setting's type. Odd texts never fail; they read as a defined value.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace snapwell {

// The leading number of a text: leading blanks are skipped and reading stops at the first
// character that cannot continue a number. A text that does not begin with a number reads 0.
// Overflow gives an infinity (a caller range check turns it into the default).
double ReadLeadingNumber(std::string_view text);

// Round half to even into a 16- or 32-bit integer; nothing when out of range or not finite.
std::optional<std::int16_t> RoundToInt16(double value);
std::optional<std::int32_t> RoundToInt32(double value);
// A single-precision value; nothing when it overflows the single range.
std::optional<float> ToSingle(double value);

// "True"/"False" (any case); a number is true when not zero; anything else is nothing.
std::optional<bool> ReadBooleanText(std::string_view text);

// Shortest decimal text that reads back as the same single ("0.25", "90", "-45").
std::string FormatSingle(float value);

}  // namespace snapwell
