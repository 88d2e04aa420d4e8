// The message of a file that cannot be written, for the causes the four reasons do not cover and
// in Japanese, and where the Save dialog of the rescue opens. (The four reasons in English are
// judged in whole captures: tests/flow/file_rescue_test.cpp.)
#include "output/save_rescue.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace snapwell::testing {
namespace {

TEST(SaveRescueTest, MessageNamesFileAndCauseThenAsks) {
  struct Row {
    const char* label;
    Language language;
    WriteFailure failure;
    std::string text;
  };
  const Row rows[] = {
      {"the system's own words",
       Language::English,
       {"E:\\shots\\a.png", {FileError::Other, 21}, {}},
       "Failed to output to the file.\r\nE:\\shots\\a.png\xC2\xA0"
       "\r\nThe device is not ready.\r\n\r\n"
       "Do you want to save the picture somewhere else?"},
      {"no words for the code",
       Language::English,
       {"E:\\a.png", {FileError::Other, 1117}, {}},
       "Failed to output to the file.\r\nE:\\a.png\xC2\xA0"
       "\r\nAn unexpected error occurred (No. 1117).\r\n\r\n"
       "Do you want to save the picture somewhere else?"},
      {"a library's own words",
       Language::English,
       {"C:\\a.png", {FileError::Other, 0}, "The library \"vell\" could not be found."},
       "Failed to output to the file.\r\nC:\\a.png\xC2\xA0"
       "\r\nThe library \"vell\" could not be found.\r\n\r\n"
       "Do you want to save the picture somewhere else?"},
      {"Japanese: full disk",
       Language::Japanese,
       {"D:\\写真\\b.jpg", {FileError::DiskFull, 112}, {}},
       "ファイルの保存に失敗しました。\r\nD:\\写真\\b.jpg\xC2\xA0"
       "\r\nディスクの空き容量が足りません。\r\n\r\n"
       "画像を別の場所に保存しますか？"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    FakePlatform fake;
    fake.output.systemErrorTexts[21] = "The device is not ready.";
    const Texts texts(row.language);
    fake.ui.Expect(MsgAnswer::No);
    EXPECT_FALSE(AskToSaveElsewhere(row.failure, texts, fake.output, fake.ui));
    fake.ui.Expect(MsgAnswer::Yes);
    EXPECT_TRUE(AskToSaveElsewhere(row.failure, texts, fake.output, fake.ui));
    ASSERT_EQ(fake.ui.shown.size(), 2u);
    EXPECT_EQ(fake.ui.shown[0].text, row.text);
    EXPECT_EQ(fake.ui.shown[0].title, row.language == Language::English ? "Error" : "エラー");
    EXPECT_EQ(fake.ui.shown[0].buttons, MsgButtons::YesNo);
  }
}

TEST(SaveRescueTest, DialogOpensInPicturesWithTheNameAndFormat) {
  FakeFileSystem files;
  CommonDialogState shared;
  shared.Flags = 0x208004;
  shared.FileName = "C:\\kept\\setting";
  const Texts texts;
  CommonDialogState dialog = PrepareRescueDialog(CFileName("E:\\gone\\shot7.JPEG"), shared, 3, files, texts);
  EXPECT_EQ(dialog.FileName, "C:\\Users\\tester\\Pictures\\shot7.JPEG");
  EXPECT_EQ(dialog.FilterIndex, 3);  // JPEG
  EXPECT_EQ(dialog.DefaultExt, ".jpg");
  EXPECT_EQ(dialog.Flags, 0x208004);
  EXPECT_EQ(dialog.DialogTitle, "Output Filename");
  EXPECT_EQ(dialog.Filter.rfind("All Available Formats|*.png;*.bmp;*.jpg;*.jpeg;", 0), 0u);
  EXPECT_EQ(shared.FileName, "C:\\kept\\setting");

  // A forward slash separates too; with no Pictures folder the dialog opens where it likes.
  files.picturesFolder = "C:\\Users\\tester\\Gone\\";
  dialog = PrepareRescueDialog(CFileName("E:/x/c.pgm"), shared, 3, files, texts);
  EXPECT_EQ(dialog.FileName, "c.pgm");
  EXPECT_EQ(dialog.FilterIndex, 7);
  files.picturesFolder.clear();
  EXPECT_EQ(PrepareRescueDialog(CFileName("a.bmp"), shared, 3, files, texts).FileName, "a.bmp");
}

}  // namespace
}  // namespace snapwell::testing
