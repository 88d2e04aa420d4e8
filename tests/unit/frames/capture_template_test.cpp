#include "frames/capture_template.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace snapwell {
namespace {

class CaptureTemplateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.files.AddFile("C:\\Snapwell\\default.vol",
                       "Good,good.vod\r\nOdd,odd.vod\r\nFlat,flat.vod\r\nLost,lost.vod\r\n");
    fake.files.AddFile("C:\\Snapwell\\good.vod", "Good,10,10,0,0,1\r\nL,0,0,9,9,0,0,0,0\r\n");
    fake.files.AddFile("C:\\Snapwell\\odd.vod",
                       "Odd,10,10,0,0,2\r\nL,0,0,9,9,0,0,0,0\r\nQ,0,0,0,0,0,0,0,0\r\n");
    fake.files.AddFile("C:\\Snapwell\\flat.vod", "Flat,10,1,0,0,0\r\n");
  }
  bool Load(std::int16_t entry) {
    return LoadCaptureTemplate(frame, fake.files, fake.ui, texts, "default.vol", entry, "C:\\Snapwell\\");
  }

  testing::FakePlatform fake;
  Texts texts{Language::English};
  CVellFrame frame;
};

TEST_F(CaptureTemplateTest, SoundTemplateLoadsQuietlyAndFreehandLoadsNothing) {
  EXPECT_FALSE(Load(0));
  EXPECT_FALSE(Load(-4));
  EXPECT_EQ(frame.DataNum(), 0);
  EXPECT_TRUE(Load(1));
  EXPECT_EQ(frame.Title(), "Good");
  EXPECT_TRUE(fake.ui.shown.empty());
}

TEST_F(CaptureTemplateTest, UnsupportedRecordsWarnButTheTemplateIsUsed) {
  fake.ui.Expect(MsgAnswer::Ok);
  EXPECT_TRUE(Load(2));
  EXPECT_EQ(frame.Title(), "Odd");
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_EQ(fake.ui.shown[0].text,
            "Some unsupported data are found in the VellFrame Data file(s).\r\n"
            "The frame may not be drawn correctly.");
  EXPECT_EQ(fake.ui.shown[0].title, "Warning!");
  EXPECT_EQ(fake.ui.shown[0].icon, MsgIcon::Exclamation);
}

TEST_F(CaptureTemplateTest, RejectionsNameTheFileAndKeepThePreviousTemplate) {
  ASSERT_TRUE(Load(1));
  const struct {
    std::int16_t entry;
    std::vector<const char*> fragments;
  } cases[] = {
      {3, {"(C:\\Snapwell\\flat.vod)", "greater than 1", "freehand"}},
      {4, {"VellFrame Data file (C:\\Snapwell\\lost.vod)", "not found"}},
      {9, {"VellFrame List file (C:\\Snapwell\\default.vol)", "no entry number 9"}},
  };
  for (const auto& c : cases) {
    fake.ui.shown.clear();
    fake.ui.Expect(MsgAnswer::Ok);
    EXPECT_FALSE(Load(c.entry)) << c.entry;
    ASSERT_EQ(fake.ui.shown.size(), 1u) << c.entry;
    for (const char* fragment : c.fragments)
      EXPECT_NE(fake.ui.shown[0].text.find(fragment), std::string::npos) << fake.ui.shown[0].text;
    EXPECT_EQ(frame.Title(), "Good");
  }
}

}  // namespace
}  // namespace snapwell
