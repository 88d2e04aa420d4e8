// The temporary-file-and-rename writer under the encoders: nothing shows under the target's
// name before Commit, and nothing is left behind when a write is given up.
#include "vell/encoders/atomic_file.h"

#include <cstring>

#include <gtest/gtest.h>

#include "encoder_test_support.h"
#include "output/bmp_file.h"
#include "vell/encoders/encoders.h"

namespace snapwell::testing {
namespace {

TEST(AtomicFileTest, TargetAppearsOnlyOnCommit) {
  ScratchFolder folder;
  const std::string target = folder.Path("shot.png");
  vell::AtomicFile file;
  ASSERT_TRUE(file.Open(target.c_str()));
  ASSERT_TRUE(file.Write(std::string("first part, ")));
  ASSERT_TRUE(file.Write(std::string("second part")));
  EXPECT_FALSE(std::filesystem::exists(target));
  EXPECT_EQ(std::filesystem::path(file.temporaryPath()).parent_path(),
            std::filesystem::path(target).parent_path());
  ASSERT_TRUE(file.Commit());
  EXPECT_EQ(ReadBytes(target), "first part, second part");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"shot.png"});
}

TEST(AtomicFileTest, OnlyReplacingAnExistingFileWaitsForTheDisk) {
  ScratchFolder folder;
  const std::string target = folder.Path("shot.png");
  for (const bool existed : {false, true}) {
    vell::AtomicFile file;
    ASSERT_TRUE(file.Open(target.c_str()));
    ASSERT_TRUE(file.Write(std::string(existed ? "new" : "old")));
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(file.flushedToDisk(), existed);
  }
  EXPECT_EQ(ReadBytes(target), "new");
}

TEST(AtomicFileTest, DroppingAnUncommittedFileKeepsTheOldTarget) {
  ScratchFolder folder;
  const std::string target = folder.Path("shot.png");
  WriteBytes(target, "old");
  {
    vell::AtomicFile file;
    ASSERT_TRUE(file.Open(target.c_str()));
    ASSERT_TRUE(file.Write(std::string(3 << 20, 'x')));  // past the buffer: bytes reach the disk
  }
  EXPECT_EQ(ReadBytes(target), "old");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"shot.png"});
}

TEST(AtomicFileTest, FailuresSayWhy) {
  ScratchFolder folder;
  vell::AtomicFile file;
  EXPECT_FALSE(file.Open(folder.Path("gone/shot.png").c_str()));
  EXPECT_EQ(file.failure(), vell::FileError::PathNotFound);
  std::filesystem::create_directory(folder.Path("dir"));
  EXPECT_FALSE(file.Open(folder.Path("dir").c_str()));
  EXPECT_EQ(file.failure(), vell::FileError::AccessDenied);
  EXPECT_FALSE(file.Write("x", 1));  // nothing open
  EXPECT_FALSE(file.Commit());
  EXPECT_EQ(file.Claim(4), nullptr);
}

TEST(AtomicFileTest, LargeBlocksAndClaimsKeepTheirOrder) {
  ScratchFolder folder;
  const std::string target = folder.Path("data");
  std::string expected;
  vell::AtomicFile file;
  ASSERT_TRUE(file.Open(target.c_str()));
  for (int round = 0; round < 3; ++round) {
    const std::string big(1500000 + round, static_cast<char>('a' + round));
    ASSERT_TRUE(file.Write(big));
    expected += big;
    unsigned char* room = file.Claim(700000);
    ASSERT_NE(room, nullptr);
    std::memset(room, '0' + round, 700000);
    expected += std::string(700000, static_cast<char>('0' + round));
  }
  EXPECT_EQ(file.Claim(std::size_t{1} << 30), nullptr);  // larger than the buffer
  ASSERT_TRUE(file.Commit());
  EXPECT_EQ(ReadBytes(target), expected);
}

// Rows longer than the file's buffer take the slower path and still come out right.
TEST(AtomicFileTest, RowsWiderThanTheBufferAreWrittenWhole) {
  ScratchFolder folder;
  const TestPicture picture = RandomPicture(400000, 2, 8);
  ASSERT_TRUE(vell::WritePpm(folder.Path("wide.ppm").c_str(), picture.View()));
  // Compared whole, without printing megabytes when they differ.
  EXPECT_TRUE(ReadBytes(folder.Path("wide.ppm")) == "P6\n400000 2\n255\n" + RgbSamples(picture));
  // The same bytes as the BMP encoder gives in memory.
  ASSERT_EQ(WriteBmpFile(folder.Path("wide.bmp"), picture.View()), FileError::None);
  const std::vector<std::uint8_t> bmp = EncodeBmp(picture.View());
  ASSERT_EQ(bmp.size(), 54u + 1200000u * 2);
  EXPECT_TRUE(ReadBytes(folder.Path("wide.bmp")) == std::string(bmp.begin(), bmp.end()));
}

}  // namespace
}  // namespace snapwell::testing
