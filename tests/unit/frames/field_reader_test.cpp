#include "frames/field_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace snapwell {
namespace {

TEST(FieldReaderTest, CommasAndEveryKindOfLineEndSeparateFields) {
  FieldReader reader("a,b\r\nc\nd\re");
  std::string field;
  for (const char* expected : {"a", "b", "c", "d", "e"}) {
    ASSERT_EQ(reader.ReadString(field), FieldStatus::Ok);
    EXPECT_EQ(field, expected);
  }
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_EQ(reader.ReadString(field), FieldStatus::EndOfData);
}

TEST(FieldReaderTest, QuotedStringKeepsCommasAndBlanks) {
  FieldReader reader("\" Heart, big \",\"\"\r\nnext");
  std::string field;
  ASSERT_EQ(reader.ReadString(field), FieldStatus::Ok);
  EXPECT_EQ(field, " Heart, big ");
  ASSERT_EQ(reader.ReadString(field), FieldStatus::Ok);
  EXPECT_EQ(field, "");
  ASSERT_EQ(reader.ReadString(field), FieldStatus::Ok);
  EXPECT_EQ(field, "next");
}

TEST(FieldReaderTest, BareFieldsAreTrimmedAndTwoCommasMakeAnEmptyField) {
  FieldReader reader("  left  ,, right\t\n");
  std::string field;
  ASSERT_EQ(reader.ReadString(field), FieldStatus::Ok);
  EXPECT_EQ(field, "left");
  ASSERT_EQ(reader.ReadString(field), FieldStatus::Ok);
  EXPECT_EQ(field, "");
  ASSERT_EQ(reader.ReadString(field), FieldStatus::Ok);
  EXPECT_EQ(field, "right");
  EXPECT_TRUE(reader.AtEnd());
}

TEST(FieldReaderTest, BlankLinesAndByteOrderMarkAreNotFields) {
  FieldReader reader(
      "\xEF\xBB\xBF"
      "first\r\n\r\n  \r\nsecond\r\n\r\n");
  std::string field;
  ASSERT_EQ(reader.ReadString(field), FieldStatus::Ok);
  EXPECT_EQ(field, "first");
  ASSERT_EQ(reader.ReadString(field), FieldStatus::Ok);
  EXPECT_EQ(field, "second");
  EXPECT_TRUE(reader.AtEnd());
}

TEST(FieldReaderTest, UnclosedQuoteEndsTheData) {
  FieldReader reader("\"never closed, at all");
  std::string field;
  EXPECT_EQ(reader.ReadString(field), FieldStatus::EndOfData);
}

TEST(FieldReaderTest, TextAfterClosingQuoteIsWrong) {
  FieldReader reader("\"abc\"def,x");
  std::string field;
  EXPECT_EQ(reader.ReadString(field), FieldStatus::WrongField);
}

TEST(FieldReaderTest, NumbersUseADecimalPointAndExponents) {
  FieldReader reader("1.5, -2 ,+.25,3.,1e2,2D-1,0");
  float value = 0;
  for (float expected : {1.5f, -2.0f, 0.25f, 3.0f, 100.0f, 0.2f, 0.0f}) {
    ASSERT_EQ(reader.ReadSingle(value), FieldStatus::Ok);
    EXPECT_FLOAT_EQ(value, expected);
  }
}

TEST(FieldReaderTest, MalformedNumbersAreWrongFields) {
  for (const char* text :
       {"abc", "1 5", ",", ".", "1e", "--1", "1.2.3", "nan", "inf", "0x10", "1e39", "\"\""}) {
    FieldReader reader(text);
    float value = 7;
    EXPECT_EQ(reader.ReadSingle(value), FieldStatus::WrongField) << text;
    EXPECT_EQ(value, 7) << text;
  }
}

TEST(FieldReaderTest, TinyNumbersReadAsZero) {
  FieldReader reader("1e-400");
  float value = 7;
  ASSERT_EQ(reader.ReadSingle(value), FieldStatus::Ok);
  EXPECT_EQ(value, 0.0f);
}

TEST(FieldReaderTest, IntegersMustBeWholeAndFitIn32Bits) {
  std::int32_t value = 0;
  FieldReader good("2147483647,-2147483648,12.0");
  ASSERT_EQ(good.ReadInt32(value), FieldStatus::Ok);
  EXPECT_EQ(value, 2147483647);
  ASSERT_EQ(good.ReadInt32(value), FieldStatus::Ok);
  EXPECT_EQ(value, -2147483647 - 1);
  ASSERT_EQ(good.ReadInt32(value), FieldStatus::Ok);
  EXPECT_EQ(value, 12);
  for (const char* text : {"2147483648", "-2147483649", "3.5", "1e10", "x"}) {
    FieldReader reader(text);
    EXPECT_EQ(reader.ReadInt32(value), FieldStatus::WrongField) << text;
  }
}

TEST(FieldReaderTest, ReportsFieldAndLineOfTheFault) {
  FieldReader reader("a,b\r\nc,oops");
  std::string text;
  float value = 0;
  ASSERT_EQ(reader.ReadString(text), FieldStatus::Ok);
  ASSERT_EQ(reader.ReadString(text), FieldStatus::Ok);
  ASSERT_EQ(reader.ReadString(text), FieldStatus::Ok);
  EXPECT_EQ(reader.ReadSingle(value), FieldStatus::WrongField);
  EXPECT_EQ(reader.FieldNumber(), 4);
  EXPECT_EQ(reader.Line(), 2);
}

}  // namespace
}  // namespace snapwell
