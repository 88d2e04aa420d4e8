// Reads the comma-separated text of frame template files one field at a time.
// Commas and line ends (CR LF, LF or a lone CR) are equivalent separators; blank lines are no
// fields. A string may be quoted to hold commas; numbers use a decimal point whatever the locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace snapwell {

enum class FieldStatus : std::uint8_t {
  Ok,
  EndOfData,   // no field left, or a quoted string runs to the end of the data
  WrongField,  // the field is not of the type asked for (or is out of its range)
};

class FieldReader {
 public:
  explicit FieldReader(std::string_view data);

  // A string field: quoted ("a, b") or bare (up to the next comma or line end, outer blanks trimmed).
  FieldStatus ReadString(std::string& out);
  // A finite decimal number that fits in single precision.
  FieldStatus ReadSingle(float& out);
  // A whole decimal number in the 32-bit range.
  FieldStatus ReadInt32(std::int32_t& out);

  // True when only blanks and line ends are left.
  bool AtEnd();
  // Fields read so far, counting from 1 for the field being read when an error is reported.
  int FieldNumber() const { return fieldNumber_; }
  // Line of the field being read (or last read), counting from 1.
  int Line() const { return line_; }

 private:
  // The raw text of the next field (unquoted) without its separator.
  FieldStatus NextField(std::string& out, bool& quoted);
  // The next field as a number; WrongField when it is not one.
  FieldStatus ReadNumber(double& value);
  void SkipBlanks();
  void SkipBlanksAndLineEnds();
  bool ConsumeLineEnd();

  std::string_view data_;
  std::size_t pos_ = 0;
  int fieldNumber_ = 0;
  int line_ = 1;
  bool afterComma_ = false;  // the last field ended with a comma
};

}  // namespace snapwell
