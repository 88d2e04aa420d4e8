#include "text/messages.h"

#include <gtest/gtest.h>

namespace snapwell {
namespace {

TEST(VersionBoxTest, TextAndTitleInBothLanguages) {
  const std::string head =
      "Snapwell  Version 4.50\r\n" + std::string(kCreditLine) + "\r\n\r\nVellFrame  Version 1.1 ";
  EXPECT_EQ(VersionBoxText(Texts(Language::English)), head + "is available.");
  EXPECT_EQ(VersionBoxTitle(Texts(Language::English)), "Version Information");
  EXPECT_EQ(VersionBoxText(Texts(Language::Japanese)), head + "サポート");
  EXPECT_EQ(VersionBoxTitle(Texts(Language::Japanese)), "バージョン情報");
}

TEST(UnexpectedErrorTest, TitleNamesWindowAndProcedureAndTextCarriesTheNumber) {
  EXPECT_EQ(UnexpectedErrorTitle("frmMain", "SaveImage"), "Error in frmMain.SaveImage.");
  EXPECT_EQ(UnexpectedErrorText(Texts(Language::English), 76), "An unexpected error occurred (No. 76).");
  EXPECT_EQ(UnexpectedErrorText(Texts(Language::Japanese), -3),
            "予測できないエラーが発生しました（No. -3）。");
}

}  // namespace
}  // namespace snapwell
