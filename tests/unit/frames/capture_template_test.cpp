#include "frames/capture_template.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace snapwell {
namespace {

constexpr const char* kAppFolder = "C:\\Snapwell\\";

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

  testing::FakePlatform fake;
  Texts texts{Language::English};
  CVellFrame frame;
};

TEST_F(CaptureTemplateTest, SoundTemplateLoadsQuietly) {
  EXPECT_TRUE(LoadCaptureTemplate(frame, fake.files, fake.ui, texts, "default.vol", 1, kAppFolder));
  EXPECT_EQ(frame.Title(), "Good");
  EXPECT_TRUE(fake.ui.shown.empty());
}

TEST_F(CaptureTemplateTest, UnsupportedRecordsWarnButTheTemplateIsUsed) {
  fake.ui.Expect(MsgAnswer::Ok);
  EXPECT_TRUE(LoadCaptureTemplate(frame, fake.files, fake.ui, texts, "default.vol", 2, kAppFolder));
  EXPECT_EQ(frame.Title(), "Odd");
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_EQ(fake.ui.shown[0].text,
            "Some unsupported data are found in the VellFrame Data file(s).\r\n"
            "The frame may not be drawn correctly.");
  EXPECT_EQ(fake.ui.shown[0].title, "Warning!");
  EXPECT_EQ(fake.ui.shown[0].icon, MsgIcon::Exclamation);
}

TEST_F(CaptureTemplateTest, FlatTemplateIsRejectedNamingTheFile) {
  fake.ui.Expect(MsgAnswer::Ok);
  EXPECT_FALSE(LoadCaptureTemplate(frame, fake.files, fake.ui, texts, "default.vol", 3, kAppFolder));
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_NE(fake.ui.shown[0].text.find("(C:\\Snapwell\\flat.vod)"), std::string::npos)
      << fake.ui.shown[0].text;
  EXPECT_NE(fake.ui.shown[0].text.find("greater than 1"), std::string::npos);
  EXPECT_NE(fake.ui.shown[0].text.find("freehand"), std::string::npos);
}

TEST_F(CaptureTemplateTest, MissingTemplateFileIsRejected) {
  fake.ui.Expect(MsgAnswer::Ok);
  EXPECT_FALSE(LoadCaptureTemplate(frame, fake.files, fake.ui, texts, "default.vol", 4, kAppFolder));
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_NE(fake.ui.shown[0].text.find("VellFrame Data file (C:\\Snapwell\\lost.vod)"), std::string::npos);
  EXPECT_NE(fake.ui.shown[0].text.find("not found"), std::string::npos);
}

TEST_F(CaptureTemplateTest, ListWithoutTheEntryIsRejectedNamingTheList) {
  fake.ui.Expect(MsgAnswer::Ok);
  EXPECT_FALSE(LoadCaptureTemplate(frame, fake.files, fake.ui, texts, "default.vol", 9, kAppFolder));
  ASSERT_EQ(fake.ui.shown.size(), 1u);
  EXPECT_NE(fake.ui.shown[0].text.find("VellFrame List file (C:\\Snapwell\\default.vol)"), std::string::npos);
  EXPECT_NE(fake.ui.shown[0].text.find("no entry number 9"), std::string::npos);
}

TEST_F(CaptureTemplateTest, FreehandEntryLoadsNothing) {
  EXPECT_FALSE(LoadCaptureTemplate(frame, fake.files, fake.ui, texts, "default.vol", 0, kAppFolder));
  EXPECT_FALSE(LoadCaptureTemplate(frame, fake.files, fake.ui, texts, "default.vol", -4, kAppFolder));
  EXPECT_EQ(frame.DataNum(), 0);
  EXPECT_TRUE(fake.ui.shown.empty());
}

TEST_F(CaptureTemplateTest, RejectionKeepsThePreviousTemplate) {
  ASSERT_TRUE(LoadCaptureTemplate(frame, fake.files, fake.ui, texts, "default.vol", 1, kAppFolder));
  fake.ui.Expect(MsgAnswer::Ok);
  EXPECT_FALSE(LoadCaptureTemplate(frame, fake.files, fake.ui, texts, "default.vol", 3, kAppFolder));
  EXPECT_EQ(frame.Title(), "Good");
}

}  // namespace
}  // namespace snapwell
