#include "frames/field_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace snapwell {
namespace {

// Every string field of the text, stopping at the first one that is not Ok.
std::vector<std::string> ReadAll(const std::string& text, FieldStatus* last = nullptr) {
  FieldReader reader(text);
  std::vector<std::string> fields;
  std::string field;
  FieldStatus status;
  while ((status = reader.ReadString(field)) == FieldStatus::Ok)
    fields.push_back(field);
  EXPECT_TRUE(status != FieldStatus::EndOfData || reader.AtEnd()) << text;
  if (last != nullptr) *last = status;
  return fields;
}

TEST(FieldReaderTest, SplitsTrimsAndQuotesStrings) {
  const struct {
    const char* text;
    std::vector<std::string> fields;
  } cases[] = {
      {"a,b\r\nc\nd\re", {"a", "b", "c", "d", "e"}},  // every kind of line end
      {"\" Heart, big \",\"\"\r\nnext", {" Heart, big ", "", "next"}},
      {"  left  ,, right\t\n", {"left", "", "right"}},  // two commas make an empty field
      {"A,\r\nB,b.vod", {"A", "", "B", "b.vod"}},       // so do a comma and a line end
      {"A, \nB,b.vod\n", {"A", "", "B", "b.vod"}},
      {"\xEF\xBB\xBF"
       "first\r\n\r\n  \r\nsecond\r\n\r\n",
       {"first", "second"}},  // blank lines and the byte-order mark are no fields
  };
  for (const auto& c : cases) {
    FieldStatus last;
    EXPECT_EQ(ReadAll(c.text, &last), c.fields) << c.text;
    EXPECT_EQ(last, FieldStatus::EndOfData) << c.text;
  }
  FieldStatus last;
  EXPECT_TRUE(ReadAll("\"never closed, at all", &last).empty());
  EXPECT_EQ(last, FieldStatus::EndOfData);
  EXPECT_TRUE(ReadAll("\"abc\"def,x", &last).empty());
  EXPECT_EQ(last, FieldStatus::WrongField);
}

TEST(FieldReaderTest, NumbersUseADecimalPointAndExponents) {
  FieldReader reader("1.5, -2 ,+.25,3.,1e2,2D-1,1e-400,0");
  float value = 7;
  for (float expected : {1.5f, -2.0f, 0.25f, 3.0f, 100.0f, 0.2f, 0.0f, 0.0f}) {  // tiny reads as 0, over 0.2
    ASSERT_EQ(reader.ReadSingle(value), FieldStatus::Ok);
    EXPECT_FLOAT_EQ(value, expected);
  }
  for (const char* text :
       {"abc", "1 5", ",", ".", "1e", "--1", "1.2.3", "nan", "inf", "0x10", "1e39", "\"\""}) {
    FieldReader bad(text);
    value = 7;
    EXPECT_EQ(bad.ReadSingle(value), FieldStatus::WrongField) << text;
    EXPECT_EQ(value, 7) << text;
  }
}

TEST(FieldReaderTest, IntegersMustBeWholeAndFitIn32Bits) {
  std::int32_t value = 0;
  FieldReader good("2147483647,-2147483648,12.0");
  for (std::int32_t expected : {2147483647, -2147483647 - 1, 12}) {
    ASSERT_EQ(good.ReadInt32(value), FieldStatus::Ok);
    EXPECT_EQ(value, expected);
  }
  for (const char* text : {"2147483648", "-2147483649", "3.5", "1e10", "x"}) {
    FieldReader reader(text);
    EXPECT_EQ(reader.ReadInt32(value), FieldStatus::WrongField) << text;
  }
}

TEST(FieldReaderTest, ReportsFieldAndLineOfTheFault) {
  FieldReader reader("a,b\r\nc,oops");
  std::string text;
  float value = 0;
  for (int i = 0; i < 3; ++i)
    ASSERT_EQ(reader.ReadString(text), FieldStatus::Ok);
  EXPECT_EQ(reader.ReadSingle(value), FieldStatus::WrongField);
  EXPECT_EQ(reader.FieldNumber(), 4);
  EXPECT_EQ(reader.Line(), 2);
}

}  // namespace
}  // namespace snapwell
