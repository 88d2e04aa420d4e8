#include "frames/field_reader.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace snapwell {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Checks the shape of a decimal number and copies it in the form from_chars accepts:
// [+|-] digits [. digits] [e|E|d|D [+|-] digits], at least one mantissa digit.
bool NormalizeNumber(std::string_view text, std::string& out) {
  out.clear();
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') out.push_back('-');
    ++i;
  }
  int mantissaDigits = 0;
  while (i < text.size() && IsDigit(text[i])) {
    out.push_back(text[i++]);
    ++mantissaDigits;
  }
  if (i < text.size() && text[i] == '.') {
    out.push_back(text[i++]);
    while (i < text.size() && IsDigit(text[i])) {
      out.push_back(text[i++]);
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
    out.push_back('e');
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) out.push_back(text[i++]);
    int exponentDigits = 0;
    while (i < text.size() && IsDigit(text[i])) {
      out.push_back(text[i++]);
      ++exponentDigits;
    }
    if (exponentDigits == 0) return false;
  }
  return i == text.size();
}

bool ParseNumber(std::string_view text, double& value) {
  std::string normal;
  if (!NormalizeNumber(text, normal)) return false;
  const char* first = normal.data();
  const char* last = first + normal.size();
  const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    // Too small to represent reads as zero; too large is an overflow.
    const auto e = normal.find('e');
    if (e != std::string::npos && normal.size() > e + 1 && normal[e + 1] == '-') {
      value = 0.0;
      return true;
    }
    return false;
  }
  return ec == std::errc() && ptr == last && std::isfinite(value);
}

}  // namespace

FieldReader::FieldReader(std::string_view data) : data_(data) {
  // A byte-order mark written by some editors is not part of the first field.
  if (data_.substr(0, 3) == "\xEF\xBB\xBF") pos_ = 3;
}

void FieldReader::SkipBlanks() {
  while (pos_ < data_.size() && IsBlank(data_[pos_]))
    ++pos_;
}

bool FieldReader::ConsumeLineEnd() {
  if (pos_ >= data_.size() || !IsLineEnd(data_[pos_])) return false;
  if (data_[pos_] == '\r' && pos_ + 1 < data_.size() && data_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
  ++line_;
  return true;
}

void FieldReader::SkipBlanksAndLineEnds() {
  for (;;) {
    SkipBlanks();
    if (!ConsumeLineEnd()) return;
  }
}

bool FieldReader::AtEnd() {
  SkipBlanksAndLineEnds();
  return pos_ >= data_.size();
}

FieldStatus FieldReader::NextField(std::string& out, bool& quoted) {
  out.clear();
  quoted = false;
  ++fieldNumber_;
  // Blank lines between fields are not empty fields; only two commas in a row make one.
  SkipBlanksAndLineEnds();
  if (pos_ >= data_.size()) return FieldStatus::EndOfData;
  if (data_[pos_] == '"') {
    quoted = true;
    const std::size_t close = data_.find('"', pos_ + 1);
    if (close == std::string_view::npos) {
      pos_ = data_.size();
      return FieldStatus::EndOfData;
    }
    out.assign(data_.substr(pos_ + 1, close - pos_ - 1));
    for (char c : out) {
      if (c == '\n') ++line_;
    }
    pos_ = close + 1;
    SkipBlanks();
    // Only a separator may follow the closing quote.
    if (pos_ < data_.size() && data_[pos_] != ',' && !IsLineEnd(data_[pos_])) return FieldStatus::WrongField;
  } else {
    const std::size_t start = pos_;
    while (pos_ < data_.size() && data_[pos_] != ',' && !IsLineEnd(data_[pos_]))
      ++pos_;
    std::size_t end = pos_;
    while (end > start && IsBlank(data_[end - 1]))
      --end;
    out.assign(data_.substr(start, end - start));
  }
  if (pos_ < data_.size() && data_[pos_] == ',') {
    ++pos_;
  } else {
    ConsumeLineEnd();
  }
  return FieldStatus::Ok;
}

FieldStatus FieldReader::ReadString(std::string& out) {
  bool quoted = false;
  return NextField(out, quoted);
}

FieldStatus FieldReader::ReadNumber(double& value) {
  std::string text;
  bool quoted = false;
  const FieldStatus status = NextField(text, quoted);
  if (status != FieldStatus::Ok) return status;
  return ParseNumber(text, value) ? FieldStatus::Ok : FieldStatus::WrongField;
}

FieldStatus FieldReader::ReadSingle(float& out) {
  double value = 0.0;
  if (const FieldStatus status = ReadNumber(value); status != FieldStatus::Ok) return status;
  if (std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
    return FieldStatus::WrongField;
  out = static_cast<float>(value);
  return FieldStatus::Ok;
}

FieldStatus FieldReader::ReadInt32(std::int32_t& out) {
  double value = 0.0;
  if (const FieldStatus status = ReadNumber(value); status != FieldStatus::Ok) return status;
  if (value != std::trunc(value) || value < static_cast<double>(std::numeric_limits<std::int32_t>::min()) ||
      value > static_cast<double>(std::numeric_limits<std::int32_t>::max())) {
    return FieldStatus::WrongField;
  }
  out = static_cast<std::int32_t>(value);
  return FieldStatus::Ok;
}

}  // namespace snapwell
