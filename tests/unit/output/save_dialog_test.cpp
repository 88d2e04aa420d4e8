// The one Save dialog of the output name: what it opens with, and what OK and Cancel leave.
#include "output/save_dialog.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace snapwell::testing {
namespace {

TEST(SaveDialogTest, OpensWithTitleFilterExtensionAndFolderAndBody) {
  FakePlatform fake;
  const Texts texts(Language::English);
  CommonDialogState dialog;
  CFileName name("C:\\pics\\shot.png");
  fake.ui.saveAnswers = {std::nullopt, "D:\\out\\new"};
  EXPECT_FALSE(AskForOutputName(dialog, name, 3, texts, fake.ui));
  EXPECT_EQ(name.Path(), "C:\\pics\\shot.png");  // a cancel changes nothing
  EXPECT_TRUE(AskForOutputName(dialog, name, 3, texts, fake.ui));
  EXPECT_EQ(name.Path(), "D:\\out\\new");
  ASSERT_EQ(fake.ui.saveDialogsShown.size(), 2u);
  const CommonDialogState& shown = fake.ui.saveDialogsShown[0];
  EXPECT_EQ(shown.DialogTitle, "Output Filename");
  EXPECT_EQ(shown.DefaultExt, ".png");
  EXPECT_EQ(shown.FileName, "C:\\pics\\shot");
  EXPECT_EQ(shown.Filter.rfind("All Available Formats|*.png;*.bmp;", 0), 0u);
}

TEST(SaveDialogTest, WithoutANameTheDialogKeepsItsOwn) {
  const Texts texts(Language::English);
  CommonDialogState dialog;
  dialog.FileName = "C:\\last\\pick";
  PrepareSaveDialog(dialog, CFileName(), 1, texts);
  EXPECT_EQ(dialog.FileName, "C:\\last\\pick");
  EXPECT_EQ(dialog.DefaultExt, ".bmp");
}

}  // namespace
}  // namespace snapwell::testing
