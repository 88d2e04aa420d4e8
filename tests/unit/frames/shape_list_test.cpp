#include "frames/shape_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_platform.h"

namespace snapwell {
namespace {

using Items = std::vector<std::string>;

class ShapeListTest : public ::testing::Test {
 protected:
  ShapeList List(const char* name, std::int16_t choice, const Texts& with = Texts(Language::English)) {
    return SetVariOutLineList(fake.files, fake.ui, with, name, "C:\\Snapwell\\", choice);
  }
  testing::FakePlatform fake;
};

TEST_F(ShapeListTest, EntriesFollowFreehandAndAChoiceBeyondTheListFallsBack) {
  fake.files.AddFile("C:\\Snapwell\\default.vol", "One,1.vod\r\n\"Two, too\",2.vod\r\nThree,3.vod\r\n");
  fake.files.AddFile("C:\\Snapwell\\empty.vol", "\r\n\r\n");
  const ShapeList list = List("default.vol", 3);
  EXPECT_EQ(list.items, (Items{"Freehand", "One", "Two, too", "Three"}));
  EXPECT_EQ(list.variLineShape, 3);
  EXPECT_EQ(List("default.vol", 4).variLineShape, 0);
  EXPECT_EQ(List("default.vol", -1).variLineShape, 0);
  EXPECT_EQ(List("empty.vol", 1).items, Items{"Freehand"});
  EXPECT_EQ(List("empty.vol", 1).variLineShape, 0);
  EXPECT_TRUE(fake.ui.shown.empty());
}

TEST_F(ShapeListTest, MissingListSaysSoWithTheSettingsName) {
  fake.files.AddFolder("C:\\Snapwell");
  fake.files.badNames.insert("c:\\snapwell\\a<b.vol");
  // Missing file, missing folder, a name no file can have.
  for (const char* name : {"mine.vol", "Q:\\gone\\x.vol", "a<b.vol"}) {
    fake.ui.shown.clear();
    fake.ui.Expect(MsgAnswer::Ok);
    const ShapeList list = List(name, 2);
    EXPECT_EQ(list.items, Items{"Freehand"});
    EXPECT_EQ(list.variLineShape, 0);
    ASSERT_EQ(fake.ui.shown.size(), 1u);
    EXPECT_EQ(fake.ui.shown[0].text, "The VellFrame List file (" + std::string(name) +
                                         ") is not found.\r\nYou cannot use various frames.");
    EXPECT_EQ(fake.ui.shown[0].title, "File Not Found");
    EXPECT_EQ(fake.ui.shown[0].icon, MsgIcon::Exclamation);
  }
}

TEST_F(ShapeListTest, UnreadableOrBrokenListIsAnUnexpectedErrorKeepingTheEntriesBeforeTheFault) {
  fake.files.AddFile("C:\\Snapwell\\locked.vol", "One,1.vod\n");
  fake.files.locked.insert("c:\\snapwell\\locked.vol");
  fake.files.AddFile("C:\\Snapwell\\broken.vol", "One,1.vod\r\nTwo,2.vod\r\nThree\r\n");
  fake.ui.Expect(MsgAnswer::Ok);
  fake.ui.Expect(MsgAnswer::Ok);
  const ShapeList locked = List("locked.vol", 1);
  EXPECT_EQ(locked.items, Items{"Freehand"});
  EXPECT_EQ(locked.variLineShape, 0);
  const ShapeList broken = List("broken.vol", 3);
  EXPECT_EQ(broken.items, (Items{"Freehand", "One", "Two"}));
  EXPECT_EQ(broken.variLineShape, 0);
  ASSERT_EQ(fake.ui.shown.size(), 2u);
  EXPECT_EQ(fake.ui.shown[0].text, "An unexpected error occurred (No. 70).");
  EXPECT_EQ(fake.ui.shown[0].title, "Error in frmSetting.SetVariOutLineList.");
  EXPECT_EQ(fake.ui.shown[1].text, "An unexpected error occurred (No. 62).");
}

TEST_F(ShapeListTest, JapaneseTexts) {
  fake.ui.Expect(MsgAnswer::Ok);
  EXPECT_EQ(List("x.vol", 0, Texts(Language::Japanese)).items, Items{"フリーハンド"});
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_EQ(fake.ui.shown[0].text,
            "VellFrameリスト (x.vol) が見つかりません。\r\n多様なワク型は使えません。");
  EXPECT_EQ(fake.ui.shown[0].title, "ファイルが見つかりません");
}

}  // namespace
}  // namespace snapwell
