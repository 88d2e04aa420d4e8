#include "text/text_format.h"

#include <gtest/gtest.h>

#include <string>

namespace snapwell {
namespace {

TEST(FormatTextTest, FillsPlaceholdersInAnyOrderAndRepeatedWithArgumentsAsTheyStand) {
  EXPECT_EQ(FormatText("field %1, line %2", {"7", "3"}), "field 7, line 3");
  EXPECT_EQ(FormatText("（項目 %1、%2 行目）", {"7", "3"}), "（項目 7、3 行目）");
  EXPECT_EQ(FormatText("%2 of %1, again %2", {"a", "b"}), "b of a, again b");
  EXPECT_EQ(FormatText("%1%2%3%4%5%6%7%8%9", {"1", "2", "3", "4", "5", "6", "7", "8", "9"}), "123456789");
  EXPECT_EQ(FormatText("%1", {""}), "");
  // A file name holding placeholders or C format directives is not expanded again.
  EXPECT_EQ(FormatText("file (%1) and %2", {"a%2b%s%n.vod", "x"}), "file (a%2b%s%n.vod) and x");
  EXPECT_EQ(FormatText("%1", {"C:\\100%\\"}), "C:\\100%\\");
}

TEST(FormatTextTest, MissingArgumentsAndOtherPercentSignsStaySurplusArgumentsAreIgnored) {
  EXPECT_EQ(FormatText("%1 and %2 and %9", {"a"}), "a and %2 and %9");
  EXPECT_EQ(FormatText("%1 %3", {}), "%1 %3");
  EXPECT_EQ(FormatText("only %1", {"a", "b", "c"}), "only a");
  EXPECT_EQ(FormatText("no placeholder", {"a"}), "no placeholder");
  // Percent signs other than placeholders stay.
  EXPECT_EQ(FormatText("100%% sure, %0, %a, %s, %n", {"x"}), "100% sure, %0, %a, %s, %n");
  EXPECT_EQ(FormatText("trailing %", {"x"}), "trailing %");
  EXPECT_EQ(FormatText("%", {}), "%");
  EXPECT_EQ(FormatText("%%1", {"x"}), "%1");
  EXPECT_EQ(FormatText("%10", {"x"}), "x0");
  EXPECT_EQ(FormatText(" %", {}), " %");
  EXPECT_EQ(FormatText("", {"x"}), "");
}

}  // namespace
}  // namespace snapwell
