#include "text/number_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace snapwell {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsExponentMarker(char c) {
  return c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

// Length of the longest prefix of text that is a number: [sign] digits [. digits] [e [sign] digits].
// The exponent counts only when at least one digit follows it.
std::size_t NumberPrefixLength(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i]))
    ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i]))
      ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < text.size() && IsExponentMarker(text[i])) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    const std::size_t expStart = j;
    while (j < text.size() && IsDigit(text[j]))
      ++j;
    if (j > expStart) i = j;
  }
  return i;
}

// Rough decimal exponent of an unsigned number text, to tell an overflow from an underflow.
long long DecimalMagnitude(std::string_view number) {
  long long magnitude = 0;
  std::size_t i = 0;
  bool seenNonZero = false;
  while (i < number.size() && IsDigit(number[i])) {
    if (number[i] != '0') seenNonZero = true;
    if (seenNonZero) ++magnitude;
    ++i;
  }
  if (i < number.size() && number[i] == '.') {
    ++i;
    while (!seenNonZero && i < number.size() && number[i] == '0')
      --magnitude, ++i;
    while (i < number.size() && IsDigit(number[i]))
      ++i;
  }
  if (i < number.size() && IsExponentMarker(number[i])) {
    ++i;
    const bool negativeExp = i < number.size() && number[i] == '-';
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) ++i;
    long long exponent = 0;
    while (i < number.size() && IsDigit(number[i])) {
      exponent = std::min<long long>(exponent * 10 + (number[i] - '0'), 1'000'000'000LL);
      ++i;
    }
    magnitude += negativeExp ? -exponent : exponent;
  }
  return magnitude;
}

}  // namespace

LeadingNumber ScanLeadingNumber(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && (text[start] == ' ' || text[start] == '\t'))
    ++start;
  const std::size_t length = NumberPrefixLength(text.substr(start));
  if (length == 0) return {};
  // from_chars takes neither a plus sign nor the exponent marker "d".
  std::string number(text.substr(start, length));
  const bool negative = number.front() == '-';
  if (number.front() == '+' || number.front() == '-') number.erase(0, 1);
  for (char& c : number) {
    if (c == 'd' || c == 'D') c = 'e';
  }
  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    value = DecimalMagnitude(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (error != std::errc() || end != number.data() + number.size()) {
    return {};
  }
  return {negative ? -value : value, start + length};
}

double ReadLeadingNumber(std::string_view text) {
  return ScanLeadingNumber(text).value;
}

std::optional<std::int16_t> RoundToInt16(double value) {
  const std::optional<std::int32_t> wide = RoundToInt32(value);
  if (!wide || *wide < std::numeric_limits<std::int16_t>::min() ||
      *wide > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(*wide);
}

std::optional<std::int32_t> RoundToInt32(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double rounded = std::nearbyint(value);  // default rounding mode: half to even
  if (rounded < -2147483648.0 || rounded > 2147483647.0) return std::nullopt;
  return static_cast<std::int32_t>(rounded);
}

std::optional<float> ToSingle(double value) {
  if (!std::isfinite(value) || std::fabs(value) > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(value);
}

std::optional<bool> ReadBooleanText(std::string_view text) {
  while (!text.empty() && text.front() == ' ')
    text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ')
    text.remove_suffix(1);
  auto equalsNoCase = [&](std::string_view word) {
    if (text.size() != word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
      if (std::tolower(static_cast<unsigned char>(text[i])) != word[i]) return false;
    }
    return true;
  };
  if (equalsNoCase("true")) return true;
  if (equalsNoCase("false")) return false;
  if (const LeadingNumber number = ScanLeadingNumber(text); number.length > 0 && number.length == text.size())
    return number.value != 0.0;
  return std::nullopt;
}

std::string FormatSingle(float value) {
  if (value == 0.0f) return "0";  // also for -0
  std::array<char, 48> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  if (error != std::errc()) return "0";
  return std::string(buffer.data(), end);
}

std::string GeneralNumber(float value) {
  if (value == 0.0f || std::isnan(value)) return "0";
  std::array<char, 32> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%.7G", static_cast<double>(value));
  return buffer.data();
}

}  // namespace snapwell
