#include "text/messages.h"

#include <gtest/gtest.h>

namespace snapwell {
namespace {

TEST(VersionBoxTest, EnglishText) {
  const Texts en(Language::English);
  EXPECT_EQ(VersionBoxText(en), "Snapwell  Version 4.50\r\n" + std::string(kCreditLine) +
                                    "\r\n\r\nVellFrame  Version 1.1 is available.");
  EXPECT_EQ(VersionBoxTitle(en), "Version Information");
}

TEST(VersionBoxTest, JapaneseText) {
  const Texts ja(Language::Japanese);
  EXPECT_EQ(VersionBoxText(ja), "Snapwell  Version 4.50\r\n" + std::string(kCreditLine) +
                                    "\r\n\r\nVellFrame  Version 1.1 サポート");
  EXPECT_EQ(VersionBoxTitle(ja), "バージョン情報");
}

TEST(UnexpectedErrorTest, TitleNamesWindowAndProcedure) {
  EXPECT_EQ(UnexpectedErrorTitle("frmMain", "SaveImage"), "Error in frmMain.SaveImage.");
}

TEST(UnexpectedErrorTest, TextCarriesNumberWithLeadingBlank) {
  EXPECT_EQ(UnexpectedErrorText(Texts(Language::English), 76), "An unexpected error occurred (No. 76).");
  EXPECT_EQ(UnexpectedErrorText(Texts(Language::Japanese), -3),
            "予測できないエラーが発生しました（No. -3）。");
}

}  // namespace
}  // namespace snapwell
