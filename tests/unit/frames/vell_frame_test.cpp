#include "frames/vell_frame.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "support/fake_platform.h"

namespace snapwell {
namespace {

constexpr const char* kAppFolder = "C:\\Program Files\\Snapwell\\";

const char* kTwoRecords =
    "\"Box, with comma\"\r\n"
    "100,50\r\n"
    "3,4\r\n"
    "2\r\n"
    "\"l\",0,0,99,0,0,0,0,0\r\n"
    "\"C\",49.5,24.5,10,5.25,0,0,90,0\r\n";

TEST(VellFrameTest, NewFrameIsEmptyAndSupported) {
  CVellFrame frame;
  EXPECT_EQ(frame.Title(), "");
  EXPECT_EQ(frame.Width(), 0);
  EXPECT_EQ(frame.Height(), 0);
  EXPECT_EQ(frame.DataNum(), 0);
  EXPECT_FLOAT_EQ(frame.Version(), 1.1f);
  EXPECT_TRUE(frame.IsSupported());
}

TEST(VellFrameTest, ReadsEveryFieldInOrderWhateverTheLineEnds) {
  std::string lf = kTwoRecords;
  for (std::size_t at; (at = lf.find('\r')) != std::string::npos;)
    lf.erase(at, 1);
  std::string oneLine = lf;
  for (char& c : oneLine) {
    if (c == '\n') c = ',';
  }
  for (const std::string& text : {std::string(kTwoRecords), lf, oneLine}) {
    SCOPED_TRACE(text);
    CVellFrame frame;
    ASSERT_TRUE(frame.ParseVOD(text, "box.vod").Ok());
    EXPECT_EQ(frame.Title(), "Box, with comma");
    EXPECT_EQ(frame.Width(), 100);
    EXPECT_EQ(frame.Height(), 50);
    EXPECT_EQ(frame.Left(), 3);
    EXPECT_EQ(frame.Top(), 4);
    ASSERT_EQ(frame.DataNum(), 2);
    EXPECT_EQ(frame.ObjectType(1), "l");
    EXPECT_EQ(frame.Value(1, 3), 99);
    EXPECT_EQ(frame.ObjectType(2), "C");
    EXPECT_EQ(frame.Value(2, 1), 49.5f);
    EXPECT_EQ(frame.Value(2, 4), 5.25f);
    EXPECT_EQ(frame.Value(2, 7), 90);
    EXPECT_TRUE(frame.IsSupported());
    // Indexes outside the records answer nothing.
    EXPECT_EQ(frame.Value(2, 0), 0);
    EXPECT_EQ(frame.ObjectType(0), "");
    EXPECT_EQ(frame.ObjectType(3), "");
    EXPECT_EQ(frame.Value(-1, 1), 0);
    EXPECT_EQ(frame.Value(1, 9), 0);
    EXPECT_EQ(frame.Value(1, -1), 0);
  }
}

TEST(VellFrameTest, JudgesEachRecordSupported) {
  const struct {
    const char* record;
    bool supported;
  } cases[] = {{"l,0,0,9,9,0,0,0,0", true},    {"l,0,0,9,9,0,0,1,0", false}, {"L,0,0,9,9,0,0,0,0.001", false},
               {"c,5,5,2,2,0,30,60,0", true},  {"C,5,5,2,2,0,0,0,0", true},  {"c,5,5,2,2,7,0,0,0", false},
               {"c,5,5,2,2,0,0,0,-1", false},  {"x,0,0,0,0,0,0,0,0", false}, {"line,0,0,9,9,0,0,0,0", false},
               {"\"\",0,0,9,9,0,0,0,0", false}};
  for (const auto& c : cases) {
    CVellFrame frame;
    ASSERT_TRUE(frame.ParseVOD(std::string("t,10,10,0,0,2\nL,1,2,3,4,0,0,0,0\n") + c.record, "t.vod").Ok());
    EXPECT_EQ(frame.IsSupported(), c.supported) << c.record;
  }
  CVellFrame empty;
  ASSERT_TRUE(empty.ParseVOD("empty,10,10,0,0,0", "e.vod").Ok());
  EXPECT_EQ(empty.DataNum(), 0);
  EXPECT_TRUE(empty.IsSupported());
  // Data after the records is ignored.
  ASSERT_TRUE(empty.ParseVOD("t,10,10,0,0,1\nL,0,0,1,1,0,0,0,0\nextra,stuff\n", "t.vod").Ok());
  EXPECT_EQ(empty.DataNum(), 1);
}

TEST(VellFrameTest, BrokenFilesAreRejectedKeepingThePreviousTemplate) {
  const struct {
    const char* text;
    TemplateError error;
  } cases[] = {
      {"", TemplateError::EndsEarly},
      {"title\r\n100,100\r\n0", TemplateError::EndsEarly},
      {"t,10,10,0,0,1\nL,1,2,3", TemplateError::EndsEarly},
      {"\"unclosed title,10,10,0,0,0", TemplateError::EndsEarly},
      {"t,ten,10,0,0,0", TemplateError::WrongField},
      {"t,10,10,0,0,1\nL,1,2,3,4,0,0,zero,0", TemplateError::WrongField},
      {"t,10,10,0,0,2.5", TemplateError::WrongField},
      {"t,10,10,0,0,99999999999", TemplateError::WrongField},
      {"t,1,10,0,0,0", TemplateError::BadSize},
      {"t,10,0.5,0,0,0", TemplateError::BadSize},
      {"t,-5,10,0,0,0", TemplateError::BadSize},
      {"t,10,10,0,0,-1", TemplateError::BadCount},
      {"t,10,10,0,0,2147483647\nL,0,0,1,1,0,0,0,0", TemplateError::MissingRecords},
      {"t,10,10,0,0,3\nL,0,0,1,1,0,0,0,0\n\n", TemplateError::MissingRecords},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    CVellFrame frame;
    ASSERT_TRUE(frame.ParseVOD(kTwoRecords, "box.vod").Ok());
    const TemplateReadResult result = frame.ParseVOD(c.text, "bad.vod");
    EXPECT_EQ(result.error, c.error);
    EXPECT_EQ(result.file, "bad.vod");
    EXPECT_EQ(frame.Title(), "Box, with comma");
    EXPECT_EQ(frame.DataNum(), 2);
  }
}

TEST(VellFrameTest, RejectionTellsWhereAndHowMany) {
  CVellFrame frame;
  TemplateReadResult result =
      frame.ParseVOD("t,10,10,0,0,5\nL,0,0,1,1,0,0,0,0\nL,0,0,1,1,0,0,0,0\n", "t.vod");
  EXPECT_EQ(result.error, TemplateError::MissingRecords);
  EXPECT_EQ(result.expected, 5);
  EXPECT_EQ(result.found, 2);
  result = frame.ParseVOD("t\r\n10,10\r\n0,0\r\n1\r\nL,0,0,1,one,0,0,0,0\r\n", "t.vod");
  EXPECT_EQ(result.error, TemplateError::WrongField);
  EXPECT_EQ(result.field, 11);
  EXPECT_EQ(result.line, 5);
}

TEST(VellFrameTest, ReadsFilesRelativeToTheProgramFolderAndNamesMissingOrLockedOnes) {
  testing::FakePlatform fake;
  fake.files.AddFile("C:\\Program Files\\Snapwell\\box.vod", kTwoRecords);
  fake.files.AddFile("C:\\Program Files\\Snapwell\\locked.vod", kTwoRecords);
  fake.files.locked.insert("c:\\program files\\snapwell\\locked.vod");
  CVellFrame frame;
  EXPECT_TRUE(frame.ReadVODFile(fake.files, "box.vod", kAppFolder).Ok());
  EXPECT_EQ(frame.DataNum(), 2);
  TemplateReadResult result = frame.ReadVODFile(fake.files, "gone.vod", kAppFolder);
  EXPECT_EQ(result.error, TemplateError::FileNotFound);
  EXPECT_EQ(result.file, "C:\\Program Files\\Snapwell\\gone.vod");
  result = frame.ReadVODFile(fake.files, "X:\\nowhere\\gone.vod", kAppFolder);
  EXPECT_EQ(result.error, TemplateError::FileNotFound);
  EXPECT_EQ(result.fileError, FileError::PathNotFound);
  EXPECT_EQ(frame.ReadVODFile(fake.files, "locked.vod", kAppFolder).error, TemplateError::FileUnreadable);
}

TEST(VellFrameTest, ListEntryPicksItsFile) {
  testing::FakePlatform fake;
  fake.files.AddFile("C:\\Program Files\\Snapwell\\default.vol",
                     "\"A, first\",a.vod\r\nB,D:\\shapes\\b.vod\r\n");
  fake.files.AddFile("C:\\Program Files\\Snapwell\\l.vol", "A,a.vod\r\n\"broken");
  fake.files.AddFile("C:\\Program Files\\Snapwell\\a.vod", "A,10,10,0,0,0");
  fake.files.AddFile("D:\\shapes\\b.vod", "B,20,20,0,0,0");
  CVellFrame frame;
  ASSERT_TRUE(frame.ReadVODFileWithVOL(fake.files, "default.vol", 2, kAppFolder).Ok());
  EXPECT_EQ(frame.Title(), "B");
  ASSERT_TRUE(frame.ReadVODFileWithVOL(fake.files, "default.vol", 1, kAppFolder).Ok());
  EXPECT_EQ(frame.Title(), "A");

  TemplateReadResult result = frame.ReadVODFileWithVOL(fake.files, "default.vol", 3, kAppFolder);
  EXPECT_EQ(result.error, TemplateError::NoSuchEntry);
  EXPECT_TRUE(result.inList);
  EXPECT_EQ(result.found, 2);
  EXPECT_EQ(frame.ReadVODFileWithVOL(fake.files, "default.vol", 0, kAppFolder).error,
            TemplateError::NoSuchEntry);
  result = frame.ReadVODFileWithVOL(fake.files, "other.vol", 1, kAppFolder);
  EXPECT_EQ(result.error, TemplateError::FileNotFound);
  EXPECT_TRUE(result.inList);
  EXPECT_EQ(frame.Title(), "A");
  // A broken tail after the entry does not matter; reaching into it does.
  EXPECT_TRUE(frame.ReadVODFileWithVOL(fake.files, "l.vol", 1, kAppFolder).Ok());
  result = frame.ReadVODFileWithVOL(fake.files, "l.vol", 2, kAppFolder);
  EXPECT_EQ(result.error, TemplateError::EndsEarly);
  EXPECT_TRUE(result.inList);
}

// The templates that ship with the program.
std::string ReadShipped(const std::string& name) {
  std::ifstream in(std::string(SNAPWELL_SOURCE_DIR "/templates/") + name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(ShippedTemplatesTest, EveryListedTemplateLoadsAndIsSupported) {
  testing::FakePlatform fake;
  const std::string list = ReadShipped("default.vol");
  ASSERT_FALSE(list.empty());
  fake.files.AddFile(std::string(kAppFolder) + "default.vol", list);
  for (const char* name : {"ellipse.vod", "rounded_rectangle.vod", "star.vod", "heart.vod",
                           "speech_bubble.vod", "cloud.vod", "diamond.vod"}) {
    fake.files.AddFile(std::string(kAppFolder) + name, ReadShipped(name));
  }
  for (std::int16_t entry = 1; entry <= 7; ++entry) {
    CVellFrame frame;
    const TemplateReadResult result = frame.ReadVODFileWithVOL(fake.files, "default.vol", entry, kAppFolder);
    ASSERT_TRUE(result.Ok()) << "entry " << entry << " " << result.file;
    EXPECT_TRUE(frame.IsSupported()) << frame.Title();
    EXPECT_GT(frame.DataNum(), 0) << frame.Title();
    EXPECT_GT(frame.Width(), 1) << frame.Title();
  }
  CVellFrame frame;
  EXPECT_EQ(frame.ReadVODFileWithVOL(fake.files, "default.vol", 8, kAppFolder).error,
            TemplateError::NoSuchEntry);
}

}  // namespace
}  // namespace snapwell
