#include "text/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace snapwell {
namespace {

TEST(ReadLeadingNumber, TakesTheLeadingNumberStopsAtTheFirstOddCharacterAndReadsNoneAsZero) {
  EXPECT_EQ(ReadLeadingNumber("42"), 42.0);
  EXPECT_EQ(ReadLeadingNumber("   42"), 42.0);
  EXPECT_EQ(ReadLeadingNumber("\t-3.5kg"), -3.5);
  EXPECT_EQ(ReadLeadingNumber("0.25"), 0.25);
  EXPECT_EQ(ReadLeadingNumber(".5"), 0.5);
  EXPECT_EQ(ReadLeadingNumber("+7"), 7.0);
  EXPECT_EQ(ReadLeadingNumber("12 34"), 12.0);
  EXPECT_EQ(ReadLeadingNumber("1.2.3"), 1.2);
  EXPECT_EQ(ReadLeadingNumber("2e3"), 2000.0);
  EXPECT_EQ(ReadLeadingNumber("2e"), 2.0);
  EXPECT_EQ(ReadLeadingNumber("2e+x"), 2.0);
  EXPECT_EQ(ReadLeadingNumber("2D-1"), 0.2);  // the exponent marker of older writers
  EXPECT_EQ(ScanLeadingNumber(" 12.5deg").length, 5u);
  EXPECT_EQ(ScanLeadingNumber("1e").length, 1u);
  EXPECT_EQ(ReadLeadingNumber("0x10"), 0.0);
  // Texts that do not begin with a number read zero.
  for (const char* text : {"", "abc", "-", "+", ".", "-.", " ", "e5", "True"}) {
    EXPECT_EQ(ReadLeadingNumber(text), 0.0) << text;
  }
}

TEST(ReadLeadingNumber, HugeAndTinyNumbersDoNotFail) {
  EXPECT_TRUE(std::isinf(ReadLeadingNumber("1e999")));
  EXPECT_TRUE(std::isinf(ReadLeadingNumber("-1e999")));
  EXPECT_LT(ReadLeadingNumber("-1e999"), 0.0);
  EXPECT_EQ(ReadLeadingNumber("1e-999"), 0.0);
  EXPECT_EQ(ReadLeadingNumber("0." + std::string(500, '0') + "1"), 0.0);
  EXPECT_TRUE(std::isinf(ReadLeadingNumber(std::string(400, '9'))));
  EXPECT_TRUE(std::isinf(ReadLeadingNumber("1e99999999999999999999999")));
  EXPECT_EQ(ReadLeadingNumber(std::string(10000, '7').substr(0, 3)), 777.0);
  EXPECT_EQ(ReadLeadingNumber(std::string(10000, 'x')), 0.0);
}

TEST(IntegerRounding, HalvesGoToEvenAndOutOfRangeIsRefused) {
  EXPECT_EQ(RoundToInt16(2.5), 2);
  EXPECT_EQ(RoundToInt16(3.5), 4);
  EXPECT_EQ(RoundToInt16(-2.5), -2);
  EXPECT_EQ(RoundToInt16(2.6), 3);
  EXPECT_EQ(RoundToInt16(32767.4), 32767);
  EXPECT_FALSE(RoundToInt16(32767.5));  // rounds to 32768
  EXPECT_EQ(RoundToInt16(-32768.0), -32768);
  EXPECT_FALSE(RoundToInt16(70000));
  EXPECT_EQ(RoundToInt32(70000.5), 70000);
  EXPECT_FALSE(RoundToInt32(2147483648.0));
  EXPECT_EQ(RoundToInt32(-2147483648.0), INT32_MIN);
  EXPECT_FALSE(RoundToInt32(INFINITY));
  EXPECT_FALSE(RoundToInt32(NAN));
}

TEST(Singles, OverflowIsRefusedAndTextIsShortest) {
  EXPECT_FALSE(ToSingle(1e39));
  EXPECT_FALSE(ToSingle(-INFINITY));
  EXPECT_EQ(ToSingle(3.8), 3.8f);
  EXPECT_EQ(FormatSingle(0.25f), "0.25");
  EXPECT_EQ(FormatSingle(90.0f), "90");
  EXPECT_EQ(FormatSingle(-45.0f), "-45");
  EXPECT_EQ(FormatSingle(4.5f), "4.5");
  EXPECT_EQ(FormatSingle(3.8f), "3.8");
  EXPECT_EQ(FormatSingle(-0.0f), "0");
  EXPECT_EQ(FormatSingle(0.1f), "0.1");
  // What is written reads back as the same single.
  for (float v : {0.01f, 64.0f, 3600.0f, 123.456f, -179.99f, 1e-7f, 3e20f}) {
    EXPECT_EQ(static_cast<float>(ReadLeadingNumber(FormatSingle(v))), v) << FormatSingle(v);
  }
}

// The one format of every number a window shows: seven significant digits, where the store's
// shortest form would show eight ("33.333332").
TEST(GeneralNumber, SevenSignificantDigitsWithoutTrailingZeros) {
  const std::pair<float, const char*> cases[] = {
      {100.0f / 3, "33.33333"},
      {40, "40"},
      {-160, "-160"},
      {0.25f, "0.25"},
      {6400, "6400"},
      {-0.0f, "0"},
      {NAN, "0"},
      {1e-5f, "1E-05"},
      {0.1f, "0.1"},
      {-80.5f, "-80.5"},
      {3600, "3600"},
      {1234567, "1234567"},
      {12345678, "1.234568E+07"},
  };
  for (const auto& [value, text] : cases)
    EXPECT_EQ(GeneralNumber(value), text) << value;
  EXPECT_EQ(FormatSingle(100.0f / 3), "33.333332");  // the store keeps every digit
}

TEST(ReadBooleanText, WordsInAnyCaseAndNumbers) {
  EXPECT_EQ(ReadBooleanText("True"), true);
  EXPECT_EQ(ReadBooleanText("FALSE"), false);
  EXPECT_EQ(ReadBooleanText(" true "), true);
  EXPECT_EQ(ReadBooleanText("0"), false);
  EXPECT_EQ(ReadBooleanText("-1"), true);
  EXPECT_FALSE(ReadBooleanText("yes"));
  EXPECT_FALSE(ReadBooleanText(""));
  EXPECT_FALSE(ReadBooleanText("1x"));
}

}  // namespace
}  // namespace snapwell
