#include "frames/field_reader.h"

#include <cmath>
#include <limits>

#include "text/number_text.h"

namespace snapwell {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsLineEnd(char c) {
  return c == '\r' || c == '\n';
}
// A field holds a number only when the whole of it is one (the shared leading-number reader,
// the same as for settings and typed values); a value too large for a double is no number.
bool ParseNumber(std::string_view text, double& value) {
  const LeadingNumber number = ScanLeadingNumber(text);
  if (number.length == 0 || number.length != text.size() || !std::isfinite(number.value)) return false;
  value = number.value;
  return true;
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
  if (afterComma_) {
    // A comma promises a field, possibly empty, even before a line end; only blanks and line ends
    // to the end of the data make a trailing comma harmless. Nothing is consumed here.
    std::size_t i = pos_;
    while (i < data_.size() && (IsBlank(data_[i]) || IsLineEnd(data_[i])))
      ++i;
    return i >= data_.size();
  }
  SkipBlanksAndLineEnds();
  return pos_ >= data_.size();
}

FieldStatus FieldReader::NextField(std::string& out, bool& quoted) {
  out.clear();
  quoted = false;
  ++fieldNumber_;
  // A line end and a comma are equivalent separators, so a line end right after a comma closes
  // an empty field ("A,<line end>B" is "A", "", "B"). Blank lines after a line end are no fields.
  if (afterComma_) {
    SkipBlanks();
  } else {
    SkipBlanksAndLineEnds();
  }
  afterComma_ = false;
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
    afterComma_ = true;
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
