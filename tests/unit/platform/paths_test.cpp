#include "platform/paths.h"

#include <gtest/gtest.h>

#include "platform/file_system.h"

namespace snapwell {
namespace {

TEST(ResolvePathTest, OnlyRelativePathsMoveIntoTheFolder) {
  const struct {
    const char* path;
    const char* folder;
    const char* want;
  } cases[] = {
      {"default.vol", "C:\\Program Files\\Snapwell\\", "C:\\Program Files\\Snapwell\\default.vol"},
      {"frames\\star.vod", "C:\\Program Files\\Snapwell\\", "C:\\Program Files\\Snapwell\\frames\\star.vod"},
      {"VellOut.bmp", "C:\\Users\\me\\Pictures", "C:\\Users\\me\\Pictures\\VellOut.bmp"},
      {"D:\\frames\\star.vod", "C:\\app\\", "D:\\frames\\star.vod"},
      {"D:a.bmp", "C:\\app\\", "D:a.bmp"},
      {"\\\\server\\share\\a.vod", "C:\\app\\", "\\\\server\\share\\a.vod"},
      {"\\frames\\a.vod", "C:\\app\\", "\\frames\\a.vod"},
      {"/x/a.bmp", "C:\\app\\", "/x/a.bmp"},
      {"a.bmp", "", "a.bmp"},
      {"", "C:\\app\\", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ResolvePath(c.path, c.folder), c.want) << c.path << " in " << c.folder;
}

TEST(FileErrorNumberTest, OneNumberForEachKindOfFailure) {
  const std::pair<FileError, int> table[] = {
      {FileError::None, 0},     {FileError::NotFound, 53},     {FileError::PathNotFound, 76},
      {FileError::BadName, 52}, {FileError::AccessDenied, 70}, {FileError::DiskFull, 61},
      {FileError::Other, 75},
  };
  for (const auto& [error, number] : table)
    EXPECT_EQ(FileErrorNumber(error), number) << static_cast<int>(error);
}

}  // namespace
}  // namespace snapwell
