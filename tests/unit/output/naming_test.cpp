#include "output/naming.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace snapwell {
namespace {

using snapwell::testing::FakePlatform;

constexpr int kBmp = 1, kJpg = 2, kPng = 3, kPgm = 6;

std::string Completed(std::string_view path, bool force, int index, int defaultExt) {
  return CompleteExtension(CFileName(path), force, index, defaultExt).Path();
}

TEST(CompleteExtensionTest, KeepsRecognisedExtensionsInAnyCase) {
  for (const char* path : {"a.jpg", "a.BMP", "C:\\x\\a.Png", "a.jpeg", "a.JPEG", "a.eps", "a.ppm", "a.pgm"}) {
    EXPECT_EQ(Completed(path, true, 7, kBmp), path);
  }
}

TEST(CompleteExtensionTest, AppendsNeverSubstitutes) {
  EXPECT_EQ(Completed("shot.txt", true, 0, kBmp), "shot.txt.bmp");
  EXPECT_EQ(Completed("C:\\a.b\\c", false, 0, kPng), "C:\\a.b\\c.png");
  EXPECT_EQ(Completed("shot.", true, 0, kJpg), "shot..jpg");
}

TEST(CompleteExtensionTest, FileTypeIndexPicksTheChosenFormatUnlessForced) {
  EXPECT_EQ(Completed("a", false, 7, kBmp), "a.pgm");
  EXPECT_EQ(Completed("a", false, 2, kPgm), "a.bmp");
  EXPECT_EQ(Completed("a", false, 3, kBmp), "a.jpg");
  EXPECT_EQ(Completed("a", false, 1, kPng), "a.png");  // all formats: the default
  EXPECT_EQ(Completed("a", false, 0, kPng), "a.png");  // dialog never used
  EXPECT_EQ(Completed("a", true, 7, kPng), "a.png");
  EXPECT_EQ(Completed("a", false, 8, kJpg), "a.jpg");
  EXPECT_EQ(Completed("a", false, -1, kJpg), "a.jpg");
  EXPECT_EQ(Completed("", true, 0, kBmp), ".bmp");
}

TEST(CompleteExtensionTest, DamagedDefaultExtFallsBackToBmp) {
  EXPECT_EQ(Completed("a", true, 0, 0), "a.bmp");
  EXPECT_EQ(Completed("a", true, 0, 99), "a.bmp");
}

class AutosetFileNameTest : public ::testing::Test {
 protected:
  AutosetFileNameTest() { fake.files.AddFolder("C:\\pics"); }

  std::optional<std::string> Autoset(std::string_view path) {
    const auto result = AutosetFileName(CFileName(path), "C:\\app\\", fake.files, fake.ui, texts);
    if (!result) return std::nullopt;
    return result->Path();
  }

  FakePlatform fake;
  Texts texts{Language::English};
};

TEST_F(AutosetFileNameTest, EmptyNameStaysEmpty) {
  EXPECT_EQ(Autoset(""), "");
}

TEST_F(AutosetFileNameTest, BodyWithoutDigitsStartsAtZero) {
  EXPECT_EQ(Autoset("C:\\pics\\shot.bmp"), "C:\\pics\\shot0.bmp");
}

TEST_F(AutosetFileNameTest, FreeNameIsKeptAndTakenNamesAreSkipped) {
  EXPECT_EQ(Autoset("C:\\pics\\shot7.bmp"), "C:\\pics\\shot7.bmp");
  fake.files.AddFile("C:\\pics\\shot7.bmp");
  fake.files.AddFile("C:\\pics\\SHOT8.BMP");  // names compare without regard to case
  EXPECT_EQ(Autoset("C:\\pics\\shot7.bmp"), "C:\\pics\\shot9.bmp");
}

TEST_F(AutosetFileNameTest, NumberingDropsLeadingZeros) {
  EXPECT_EQ(Autoset("C:\\pics\\img0099.bmp"), "C:\\pics\\img99.bmp");
  // An existing zero-padded file is not the same name as the plain number.
  fake.files.AddFile("C:\\pics\\name0000.png");
  EXPECT_EQ(Autoset("C:\\pics\\name0000.png"), "C:\\pics\\name0.png");
}

TEST_F(AutosetFileNameTest, ReadsAtMostFourDigits) {
  EXPECT_EQ(Autoset("C:\\pics\\shot10000.bmp"), "C:\\pics\\shot10.bmp");
  EXPECT_EQ(Autoset("C:\\pics\\shot12345.bmp"), "C:\\pics\\shot12345.bmp");
  EXPECT_EQ(Autoset("C:\\pics\\2024.jpg"), "C:\\pics\\2024.jpg");
}

TEST_F(AutosetFileNameTest, NumbersGrowPastFourDigitsBeforeWrapping) {
  fake.files.AddFile("C:\\pics\\shot9999.bmp");
  EXPECT_EQ(Autoset("C:\\pics\\shot9999.bmp"), "C:\\pics\\shot10000.bmp");
}

TEST_F(AutosetFileNameTest, WrapsFrom19999ToZero) {
  // shot19999 reads as base "shot1" and number 9999.
  fake.files.AddFile("C:\\pics\\shot19999.bmp");
  EXPECT_EQ(Autoset("C:\\pics\\shot19999.bmp"), "C:\\pics\\shot110000.bmp");
  // A bare number at the top of the range wraps to 0.
  for (int n = 9999; n < kNumberedNames; ++n)
    fake.files.AddFile("C:\\pics\\p" + std::to_string(n) + ".bmp");
  EXPECT_EQ(Autoset("C:\\pics\\p9999.bmp"), "C:\\pics\\p0.bmp");
}

TEST_F(AutosetFileNameTest, DotsInFoldersDoNotCount) {
  fake.files.AddFolder("C:\\my.pics");
  EXPECT_EQ(Autoset("C:\\my.pics\\shot"), "C:\\my.pics\\shot0");
  EXPECT_EQ(Autoset("C:\\my.pics\\"), "C:\\my.pics\\0");
}

TEST_F(AutosetFileNameTest, FolderOfTheCandidatesNameIsTaken) {
  fake.files.AddFolder("C:\\pics\\shot0.bmp");
  EXPECT_EQ(Autoset("C:\\pics\\shot.bmp"), "C:\\pics\\shot1.bmp");
}

TEST_F(AutosetFileNameTest, AllNumbersTakenWarnsAndOverwritesTheStartingName) {
  for (int n = 0; n < kNumberedNames; ++n)
    fake.files.AddFile("C:\\pics\\s" + std::to_string(n) + ".bmp");
  fake.ui.Expect(MsgAnswer::Ok);
  EXPECT_EQ(Autoset("C:\\pics\\s0042.bmp"), "C:\\pics\\s42.bmp");
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_EQ(fake.ui.shown[0].title, "Hey, how and why did you make such many (20,000!) files?");
  EXPECT_EQ(fake.ui.shown[0].text,
            "There are too many output files, so it is impossible to create a new file.\n\r"
            "The file is going to be overwritten.\n\rPlease agree.");
  EXPECT_EQ(fake.ui.shown[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(fake.ui.shown[0].icon, MsgIcon::None);
}

TEST_F(AutosetFileNameTest, MissingFolderIsReportedAndGivesUpTheOutput) {
  fake.ui.Expect(MsgAnswer::Ok);
  EXPECT_EQ(Autoset("C:\\gone\\shot.bmp"), std::nullopt);
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_EQ(fake.ui.shown[0].title, "Error in frmOutDialog.AutosetFileName.");
  EXPECT_EQ(fake.ui.shown[0].text, "An unexpected error occurred (No. 76).");
  EXPECT_EQ(fake.ui.shown[0].buttons, MsgButtons::Ok);
  EXPECT_EQ(fake.ui.shown[0].icon, MsgIcon::Exclamation);
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

TEST_F(AutosetFileNameTest, RelativeNamesAreNumberedInTheProgramFolder) {
  fake.files.AddFile("C:\\app\\shot0.bmp");
  EXPECT_EQ(Autoset("shot.bmp"), "C:\\app\\shot1.bmp");
  fake.files.AddFolder("C:\\app\\out");
  EXPECT_EQ(Autoset("out\\shot.bmp"), "C:\\app\\out\\shot0.bmp");
}

TEST(ResolveAgainstFolderTest, OnlyRelativePathsMove) {
  EXPECT_EQ(ResolveAgainstFolder("shot.bmp", "C:\\app\\"), "C:\\app\\shot.bmp");
  EXPECT_EQ(ResolveAgainstFolder("sub\\shot", "C:\\app"), "C:\\app\\sub\\shot");
  EXPECT_EQ(ResolveAgainstFolder("C:\\x\\a.bmp", "C:\\app\\"), "C:\\x\\a.bmp");
  EXPECT_EQ(ResolveAgainstFolder("D:a.bmp", "C:\\app\\"), "D:a.bmp");
  EXPECT_EQ(ResolveAgainstFolder("\\\\server\\share\\a", "C:\\app\\"), "\\\\server\\share\\a");
  EXPECT_EQ(ResolveAgainstFolder("\\a.bmp", "C:\\app\\"), "\\a.bmp");
  EXPECT_EQ(ResolveAgainstFolder("a.bmp", ""), "a.bmp");
  EXPECT_EQ(ResolveAgainstFolder("", "C:\\app\\"), "C:\\app\\");
}

TEST(ProbeErrorNumberTest, EachFailureHasItsOwnNumber) {
  EXPECT_EQ(ProbeErrorNumber(FileError::PathNotFound), 76);
  EXPECT_EQ(ProbeErrorNumber(FileError::AccessDenied), 70);
  EXPECT_EQ(ProbeErrorNumber(FileError::Other), 75);
}

const std::string kEnglishFormats =
    "|BMP - 24bit Bitmap (*.bmp)|*.bmp|JPEG - JPEG Format (*.jpg; *.jpeg)|*.jpg;*.jpeg|PNG - Portable "
    "Network "
    "Graphic (*.png)|*.png|EPS - Encapsulated PostScript (*.eps)|*.eps|PPM - Portable PixelMap "
    "(*.ppm)|*.ppm|PGM - Portable GrayMap (*.pgm)|*.pgm";

TEST(BuildFileFilterTest, PutsTheDefaultExtensionFirst) {
  const Texts en(Language::English);
  EXPECT_EQ(BuildFileFilter(en, kBmp),
            "All Available Formats|*.bmp;*.jpg;*.jpeg;*.png;*.eps;*.ppm;*.pgm" + kEnglishFormats);
  EXPECT_EQ(BuildFileFilter(en, kJpg),
            "All Available Formats|*.jpg;*.jpeg;*.bmp;*.png;*.eps;*.ppm;*.pgm" + kEnglishFormats);
  EXPECT_EQ(BuildFileFilter(en, kPgm),
            "All Available Formats|*.pgm;*.bmp;*.jpg;*.jpeg;*.png;*.eps;*.ppm" + kEnglishFormats);
}

TEST(BuildFileFilterTest, HasSevenEntriesInTheUsersLanguage) {
  const std::string filter = BuildFileFilter(Texts(Language::Japanese), kPng);
  EXPECT_EQ(filter.rfind("対応済み全画像ﾌｧｲﾙ|*.png;*.bmp;*.jpg;*.jpeg;*.eps;*.ppm;*.pgm|BMP - 24ﾋﾞｯﾄ", 0),
            0u);
  EXPECT_EQ(std::count(filter.begin(), filter.end(), '|'), 13);
}

TEST(BuildFileFilterTest, DamagedDefaultExtGivesTheBmpOrder) {
  const Texts en(Language::English);
  EXPECT_EQ(BuildFileFilter(en, 0), BuildFileFilter(en, kBmp));
  EXPECT_EQ(BuildFileFilter(en, 7), BuildFileFilter(en, kBmp));
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
       {"a/b", "a\\b", "c:d", "a,b", "a;b", "a*", "a?", "a\"b", "<a", "a>", "a|b", "a\tb"}) {
    SCOPED_TRACE(name);
    fake.ui.Expect(MsgAnswer::Ok);
    EXPECT_TRUE(Check(name));
  }
  ASSERT_EQ(fake.ui.shown.size(), 12u);
  const auto& box = fake.ui.shown.back();
  EXPECT_EQ(box.title, "Filename Error");
  EXPECT_EQ(box.text, "Following characters cannot be used for a filename.\r\n        \\ / , ; * ? \" < > |");
  EXPECT_EQ(box.buttons, MsgButtons::Ok);
  EXPECT_EQ(box.icon, MsgIcon::Exclamation);
}

TEST_F(CheckFileNameTest, ShowsOneMessageForSeveralBadCharacters) {
  fake.ui.Expect(MsgAnswer::Ok);
  EXPECT_TRUE(Check("a:b*c?"));
  EXPECT_EQ(fake.ui.shown.size(), 1u);
}

TEST_F(CheckFileNameTest, MessageInJapanese) {
  texts = Texts(Language::Japanese);
  fake.ui.Expect(MsgAnswer::Ok);
  EXPECT_TRUE(Check("x|y"));
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_EQ(fake.ui.shown[0].title, "ファイル名エラー");
  EXPECT_EQ(fake.ui.shown[0].text,
            "ファイル名には、以下の文字は使えません。\r\n        \\ / , ; * ? \" < > |");
}

}  // namespace
}  // namespace snapwell
