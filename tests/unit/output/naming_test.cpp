#include "output/naming.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace snapwell {
namespace {

using snapwell::testing::FakePlatform;

constexpr int kBmp = 1, kJpg = 2, kPng = 3, kPgm = 6;

// The one message box shown, field by field.
void ExpectOneBox(const FakePlatform& fake, std::string_view title, std::string_view text, MsgButtons buttons,
                  MsgIcon icon) {
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_EQ(fake.ui.shown[0].title, title);
  EXPECT_EQ(fake.ui.shown[0].text, text);
  EXPECT_EQ(fake.ui.shown[0].buttons, buttons);
  EXPECT_EQ(fake.ui.shown[0].icon, icon);
}

std::string Completed(std::string_view path, bool force, int index, int defaultExt) {
  return CompleteExtension(CFileName(path), force, index, defaultExt).Path();
}

TEST(CompleteExtensionTest, KeepsRecognisedExtensionsInAnyCase) {
  for (const char* path : {"a.jpg", "a.BMP", "C:\\x\\a.Png", "a.jpeg", "a.JPEG", "a.eps", "a.ppm", "a.pgm"}) {
    EXPECT_EQ(Completed(path, true, 7, kBmp), path);
  }
}

TEST(CompleteExtensionTest, AppendsTheChosenFormatNeverSubstituting) {
  struct Case {
    const char* path;
    bool force;
    int index, defaultExt;
    const char* want;
  } const cases[] = {
      {"shot.txt", true, 0, kBmp, "shot.txt.bmp"},
      {"C:\\a.b\\c", false, 0, kPng, "C:\\a.b\\c.png"},
      {"shot.", true, 0, kJpg, "shot..jpg"},
      {"", true, 0, kBmp, ".bmp"},
      {"a", false, 7, kBmp, "a.pgm"},
      {"a", false, 2, kPgm, "a.bmp"},
      {"a", false, 3, kBmp, "a.jpg"},
      {"a", false, 1, kPng, "a.png"},  // all formats: the default
      {"a", false, 0, kPng, "a.png"},  // dialog never used
      {"a", true, 7, kPng, "a.png"},
      {"a", false, 8, kJpg, "a.jpg"},
      {"a", false, -1, kJpg, "a.jpg"},
      {"a", true, 0, 0, "a.bmp"},  // damaged default
      {"a", true, 0, 99, "a.bmp"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Completed(c.path, c.force, c.index, c.defaultExt), c.want)
        << c.path << " " << c.force << " " << c.index << " " << c.defaultExt;
}

class AutosetFileNameTest : public ::testing::Test {
 protected:
  AutosetFileNameTest() { fake.files.AddFolder("C:\\pics"); }

  std::optional<std::string> Autoset(std::string_view path) {
    const auto result = AutosetFileName(CFileName(path), fake.files, fake.ui, texts);
    if (!result) return std::nullopt;
    return result->Path();
  }

  FakePlatform fake;
  Texts texts{Language::English};
};

TEST(AutosetFileNameNumberingTest, TakesTheFirstFreeNumber) {
  struct Case {
    std::vector<std::string> there;  // files, or folders with a trailing backslash
    const char* path;
    const char* want;
  };
  const Case cases[] = {
      {{}, "", ""},
      {{}, "C:\\pics\\shot.bmp", "C:\\pics\\shot0.bmp"},  // no digits: from zero
      {{}, "C:\\pics\\shot7.bmp", "C:\\pics\\shot7.bmp"},
      // Names compare without regard to case.
      {{"C:\\pics\\shot7.bmp", "C:\\pics\\SHOT8.BMP"}, "C:\\pics\\shot7.bmp", "C:\\pics\\shot9.bmp"},
      {{}, "C:\\pics\\img0099.bmp", "C:\\pics\\img99.bmp"},  // leading zeros dropped
      // An existing zero-padded file is not the same name as the plain number.
      {{"C:\\pics\\name0000.png"}, "C:\\pics\\name0000.png", "C:\\pics\\name0.png"},
      {{}, "C:\\pics\\shot10000.bmp", "C:\\pics\\shot10.bmp"},  // at most four digits read
      {{}, "C:\\pics\\shot12345.bmp", "C:\\pics\\shot12345.bmp"},
      {{}, "C:\\pics\\2024.jpg", "C:\\pics\\2024.jpg"},
      {{"C:\\pics\\shot9999.bmp"}, "C:\\pics\\shot9999.bmp", "C:\\pics\\shot10000.bmp"},  // past four digits
      // shot19999 reads as base "shot1" and number 9999.
      {{"C:\\pics\\shot19999.bmp"}, "C:\\pics\\shot19999.bmp", "C:\\pics\\shot110000.bmp"},
      {{"C:\\my.pics\\"}, "C:\\my.pics\\shot", "C:\\my.pics\\shot0"},  // dots in folders do not count
      {{"C:\\my.pics\\"}, "C:\\my.pics\\", "C:\\my.pics\\0"},
      {{"C:\\pics\\shot0.bmp\\"}, "C:\\pics\\shot.bmp", "C:\\pics\\shot1.bmp"},  // a folder takes a name
      // Relative names are numbered in the user's Pictures folder.
      {{"C:\\Users\\tester\\Pictures\\shot0.bmp"}, "shot.bmp", "C:\\Users\\tester\\Pictures\\shot1.bmp"},
      {{"C:\\Users\\tester\\Pictures\\out\\"},
       "out\\shot.bmp",
       "C:\\Users\\tester\\Pictures\\out\\shot0.bmp"},
      {{}, "VellOut.png", "C:\\Users\\tester\\Pictures\\VellOut0.png"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    FakePlatform fake;
    fake.files.AddFolder("C:\\pics");
    for (const std::string& path : c.there) {
      if (path.back() == '\\')
        fake.files.AddFolder(path.substr(0, path.size() - 1));
      else
        fake.files.AddFile(path);
    }
    const auto result = AutosetFileName(CFileName(c.path), fake.files, fake.ui, Texts(Language::English));
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->Path(), c.want);
  }
}

TEST_F(AutosetFileNameTest, WrapsFrom19999ToZero) {
  for (int n = 9999; n < kNumberedNames; ++n)
    fake.files.AddFile("C:\\pics\\p" + std::to_string(n) + ".bmp");
  EXPECT_EQ(Autoset("C:\\pics\\p9999.bmp"), "C:\\pics\\p0.bmp");
}

TEST_F(AutosetFileNameTest, AllNumbersTakenWarnsAndOverwritesTheStartingName) {
  for (int n = 0; n < kNumberedNames; ++n)
    fake.files.AddFile("C:\\pics\\s" + std::to_string(n) + ".bmp");
  fake.ui.Expect(MsgAnswer::Ok);
  EXPECT_EQ(Autoset("C:\\pics\\s0042.bmp"), "C:\\pics\\s42.bmp");
  ExpectOneBox(fake, "Hey, how and why did you make such many (20,000!) files?",
               "There are too many output files, so it is impossible to create a new file.\n\r"
               "The file is going to be overwritten.\n\rPlease agree.",
               MsgButtons::Ok, MsgIcon::None);
}

TEST_F(AutosetFileNameTest, MissingFolderIsReportedAndGivesUpTheOutput) {
  fake.ui.Expect(MsgAnswer::Ok);
  EXPECT_EQ(Autoset("C:\\gone\\shot.bmp"), std::nullopt);
  ExpectOneBox(fake, "Error in frmOutDialog.AutosetFileName.", "An unexpected error occurred (No. 76).",
               MsgButtons::Ok, MsgIcon::Exclamation);
}

TEST_F(AutosetFileNameTest, AccessDeniedDuringNumberingIsReportedInTheUsersLanguage) {
  fake.files.AddFile("C:\\pics\\shot0.bmp");
  fake.files.AddFile("C:\\pics\\shot1.bmp");
  fake.files.locked.insert("c:\\pics\\shot1.bmp");
  texts = Texts(Language::Japanese);
  fake.ui.Expect(MsgAnswer::Ok);
  EXPECT_EQ(Autoset("C:\\pics\\shot.bmp"), std::nullopt);
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_EQ(fake.ui.shown[0].text, "予測できないエラーが発生しました（No. 70）。");
}

TEST_F(AutosetFileNameTest, ABadNameIsReportedWithItsOwnNumber) {
  fake.files.badNames.insert("c:\\pics\\a?0.bmp");
  fake.ui.Expect(MsgAnswer::Ok);
  EXPECT_EQ(Autoset("C:\\pics\\a?.bmp"), std::nullopt);
  ExpectOneBox(fake, "Error in frmOutDialog.AutosetFileName.", "An unexpected error occurred (No. 52).",
               MsgButtons::Ok, MsgIcon::Exclamation);
}

TEST(BuildFileFilterTest, PutsTheDefaultExtensionFirst) {
  const std::string formats =
      "|BMP - 24bit Bitmap (*.bmp)|*.bmp|JPEG - JPEG Format (*.jpg; *.jpeg)|*.jpg;*.jpeg|PNG - Portable "
      "Network Graphic (*.png)|*.png|EPS - Encapsulated PostScript (*.eps)|*.eps|PPM - Portable PixelMap "
      "(*.ppm)|*.ppm|PGM - Portable GrayMap (*.pgm)|*.pgm";
  const std::string bmpFirst = "All Available Formats|*.bmp;*.jpg;*.jpeg;*.png;*.eps;*.ppm;*.pgm" + formats;
  const Texts en(Language::English);
  EXPECT_EQ(BuildFileFilter(en, kBmp), bmpFirst);
  EXPECT_EQ(BuildFileFilter(en, kJpg),
            "All Available Formats|*.jpg;*.jpeg;*.bmp;*.png;*.eps;*.ppm;*.pgm" + formats);
  EXPECT_EQ(BuildFileFilter(en, kPgm),
            "All Available Formats|*.pgm;*.bmp;*.jpg;*.jpeg;*.png;*.eps;*.ppm" + formats);
  // A damaged default gives the BMP order.
  EXPECT_EQ(BuildFileFilter(en, 0), bmpFirst);
  EXPECT_EQ(BuildFileFilter(en, 7), bmpFirst);
}

TEST(BuildFileFilterTest, HasSevenEntriesInTheUsersLanguage) {
  const std::string filter = BuildFileFilter(Texts(Language::Japanese), kPng);
  EXPECT_EQ(filter.rfind("対応済み全画像ﾌｧｲﾙ|*.png;*.bmp;*.jpg;*.jpeg;*.eps;*.ppm;*.pgm|BMP - 24ﾋﾞｯﾄ", 0),
            0u);
  EXPECT_EQ(std::count(filter.begin(), filter.end(), '|'), 13);
}

class CheckFileNameTest : public ::testing::Test {
 protected:
  bool Check(std::string_view name) { return CheckFileName(name, fake.ui, texts); }
  FakePlatform fake;
  Texts texts{Language::English};
};

TEST_F(CheckFileNameTest, AcceptsOrdinaryNames) {
  for (const char* name : {"", "shot", "shot 1.bmp", "写真.png", "a.b.c", "a-b_c(1)'&!"}) {
    EXPECT_FALSE(Check(name)) << name;
  }
  EXPECT_TRUE(fake.ui.shown.empty());
}

TEST_F(CheckFileNameTest, RefusesEachForbiddenCharacterWithTheListedMessage) {
  for (const char* name :
       {"a/b", "a\\b", "c:d", "a,b", "a;b", "a*", "a?", "a\"b", "<a", "a>", "a|b", "a\tb", "a:b*c?"}) {
    SCOPED_TRACE(name);
    fake.ui.shown.clear();
    fake.ui.Expect(MsgAnswer::Ok);
    EXPECT_TRUE(Check(name));
    // One message, however many bad characters.
    ExpectOneBox(fake, "Filename Error",
                 "Following characters cannot be used for a filename.\r\n        \\ / , ; * ? \" < > |",
                 MsgButtons::Ok, MsgIcon::Exclamation);
  }
}

TEST_F(CheckFileNameTest, MessageInJapanese) {
  texts = Texts(Language::Japanese);
  fake.ui.Expect(MsgAnswer::Ok);
  EXPECT_TRUE(Check("x|y"));
  ExpectOneBox(fake, "ファイル名エラー",
               "ファイル名には、以下の文字は使えません。\r\n        \\ / , ; * ? \" < > |", MsgButtons::Ok,
               MsgIcon::Exclamation);
}

}  // namespace
}  // namespace snapwell
