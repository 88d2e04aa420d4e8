#include "frames/shape_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_platform.h"

namespace snapwell {
namespace {

constexpr const char* kAppFolder = "C:\\Snapwell\\";

class ShapeListTest : public ::testing::Test {
 protected:
  testing::FakePlatform fake;
  Texts texts{Language::English};
};

TEST_F(ShapeListTest, ThreeEntriesGiveFourItems) {
  fake.files.AddFile("C:\\Snapwell\\default.vol", "One,1.vod\r\n\"Two, too\",2.vod\r\nThree,3.vod\r\n");
  const ShapeList list = SetVariOutLineList(fake.files, fake.ui, texts, "default.vol", kAppFolder, 3);
  EXPECT_EQ(list.items, (std::vector<std::string>{"Freehand", "One", "Two, too", "Three"}));
  EXPECT_EQ(list.variLineShape, 3);
  EXPECT_TRUE(fake.ui.shown.empty());
}

TEST_F(ShapeListTest, ChoiceBeyondTheListFallsBackToFreehand) {
  fake.files.AddFile("C:\\Snapwell\\default.vol", "One,1.vod\nTwo,2.vod\n");
  EXPECT_EQ(SetVariOutLineList(fake.files, fake.ui, texts, "default.vol", kAppFolder, 5).variLineShape, 0);
  EXPECT_EQ(SetVariOutLineList(fake.files, fake.ui, texts, "default.vol", kAppFolder, -1).variLineShape, 0);
  EXPECT_EQ(SetVariOutLineList(fake.files, fake.ui, texts, "default.vol", kAppFolder, 2).variLineShape, 2);
}

TEST_F(ShapeListTest, MissingListSaysSoWithTheSettingsName) {
  fake.files.AddFolder("C:\\Snapwell");
  fake.ui.Expect(MsgAnswer::Ok);
  const ShapeList list = SetVariOutLineList(fake.files, fake.ui, texts, "mine.vol", kAppFolder, 2);
  EXPECT_EQ(list.items, std::vector<std::string>{"Freehand"});
  EXPECT_EQ(list.variLineShape, 0);
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_EQ(fake.ui.shown[0].text,
            "The VellFrame List file (mine.vol) is not found.\r\nYou cannot use various frames.");
  EXPECT_EQ(fake.ui.shown[0].title, "File Not Found");
  EXPECT_EQ(fake.ui.shown[0].icon, MsgIcon::Exclamation);
}

TEST_F(ShapeListTest, ListInAMissingFolderIsNotFoundToo) {
  fake.ui.Expect(MsgAnswer::Ok);
  const ShapeList list = SetVariOutLineList(fake.files, fake.ui, texts, "Q:\\gone\\x.vol", kAppFolder, 0);
  EXPECT_EQ(list.items.size(), 1u);
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_EQ(fake.ui.shown[0].title, "File Not Found");
}

TEST_F(ShapeListTest, UnreadableListIsAnUnexpectedError) {
  fake.files.AddFile("C:\\Snapwell\\default.vol", "One,1.vod\n");
  fake.files.locked.insert("c:\\snapwell\\default.vol");
  fake.ui.Expect(MsgAnswer::Ok);
  const ShapeList list = SetVariOutLineList(fake.files, fake.ui, texts, "default.vol", kAppFolder, 1);
  EXPECT_EQ(list.items.size(), 1u);
  EXPECT_EQ(list.variLineShape, 0);
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_EQ(fake.ui.shown[0].text, "An unexpected error occurred (No. 75).");
  EXPECT_EQ(fake.ui.shown[0].title, "Error in frmSetting.SetVariOutLineList.");
}

TEST_F(ShapeListTest, BrokenListKeepsTheEntriesBeforeTheFault) {
  fake.files.AddFile("C:\\Snapwell\\default.vol", "One,1.vod\r\nTwo,2.vod\r\nThree\r\n");
  fake.ui.Expect(MsgAnswer::Ok);
  const ShapeList list = SetVariOutLineList(fake.files, fake.ui, texts, "default.vol", kAppFolder, 3);
  EXPECT_EQ(list.items, (std::vector<std::string>{"Freehand", "One", "Two"}));
  EXPECT_EQ(list.variLineShape, 0);
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_EQ(fake.ui.shown[0].text, "An unexpected error occurred (No. 62).");
}

TEST_F(ShapeListTest, EmptyListHoldsOnlyFreehand) {
  fake.files.AddFile("C:\\Snapwell\\empty.vol", "\r\n\r\n");
  const ShapeList list = SetVariOutLineList(fake.files, fake.ui, texts, "empty.vol", kAppFolder, 1);
  EXPECT_EQ(list.items, std::vector<std::string>{"Freehand"});
  EXPECT_EQ(list.variLineShape, 0);
}

TEST_F(ShapeListTest, JapaneseTextsComeFromTheTable) {
  Texts japanese(Language::Japanese);
  fake.ui.Expect(MsgAnswer::Ok);
  const ShapeList list = SetVariOutLineList(fake.files, fake.ui, japanese, "x.vol", kAppFolder, 0);
  EXPECT_EQ(list.items[0], japanese(192));
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_EQ(fake.ui.shown[0].title, japanese(145));
}

}  // namespace
}  // namespace snapwell
