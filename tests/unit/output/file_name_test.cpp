#include "output/file_name.h"

#include <gtest/gtest.h>

namespace snapwell {
namespace {

struct Split {
  std::string folder, body, ext;
};

void ExpectSplit(const CFileName& f, const Split& want) {
  EXPECT_EQ(f.Folder(), want.folder);
  EXPECT_EQ(f.Body(), want.body);
  EXPECT_EQ(f.Ext(), want.ext);
  EXPECT_EQ(f.FileName(), want.body + want.ext);
}

TEST(CFileNameTest, ParseSplitsAtLastBackslashAndLastDot) {
  const std::pair<const char*, Split> cases[] = {
      {"", {"", "", ""}},
      {"C:\\pics\\shot.bmp", {"C:\\pics\\", "shot", ".bmp"}},
      {"C:\\a.b\\c", {"C:\\a.b\\", "c", ""}},  // a dot in a folder never counts
      {"name.tar.gz", {"", "name.tar", ".gz"}},
      {".bmp", {"", "", ".bmp"}},
      {"shot", {"", "shot", ""}},
      {"shot.", {"", "shot", "."}},
      {"C:\\pics\\", {"C:\\pics\\", "", ""}},  // trailing backslash: no body, no extension
      {"\\", {"\\", "", ""}},
      {"C:/pics/shot.png", {"", "C:/pics/shot", ".png"}},  // "/" is no separator
      {"C:\\dir.x/y", {"C:\\", "dir", ".x/y"}},
      {"C:\\写真\\画像.jpg", {"C:\\写真\\", "画像", ".jpg"}},
      {"\\\\server\\share\\a..b", {"\\\\server\\share\\", "a.", ".b"}},
  };
  for (const auto& [path, want] : cases) {
    SCOPED_TRACE(path);
    const CFileName f(path);
    EXPECT_EQ(f.Path(), path);
    ExpectSplit(f, want);
  }
  EXPECT_EQ(CFileName().Path(), "");
  ExpectSplit(CFileName(), {"", "", ""});
}

// Each setter replaces its part of "C:\x\p.png"; the new path is then split as any path is.
TEST(CFileNameTest, SettersReplaceTheirPartAndSplitAgain) {
  using Setter = void (CFileName::*)(std::string_view);
  struct Case {
    Setter set;
    const char* value;
    const char* path;
    Split split;
  } const cases[] = {
      {&CFileName::SetFolder, "C:\\y", "C:\\y\\p.png", {"C:\\y\\", "p", ".png"}},  // the backslash added
      {&CFileName::SetFolder, "D:\\y.z\\", "D:\\y.z\\p.png", {"D:\\y.z\\", "p", ".png"}},
      {&CFileName::SetFolder, "", "p.png", {"", "p", ".png"}},  // no folder, rather than the drive root
      {&CFileName::SetExt, "jpg", "C:\\x\\p.jpg", {"C:\\x\\", "p", ".jpg"}},  // the dot added
      {&CFileName::SetExt, ".pgm", "C:\\x\\p.pgm", {"C:\\x\\", "p", ".pgm"}},
      {&CFileName::SetExt, "", "C:\\x\\p.", {"C:\\x\\", "p", "."}},
      {&CFileName::SetBody, "shot12", "C:\\x\\shot12.png", {"C:\\x\\", "shot12", ".png"}},
      {&CFileName::SetBody, "a.b", "C:\\x\\a.b.png", {"C:\\x\\", "a.b", ".png"}},
      {&CFileName::SetFileName, "q.bmp", "C:\\x\\q.bmp", {"C:\\x\\", "q", ".bmp"}},
      // The backslash moves it into the folder.
      {&CFileName::SetFileName, "sub\\r", "C:\\x\\sub\\r", {"C:\\x\\sub\\", "r", ""}},
      {&CFileName::SetPath, "name.tar.gz", "name.tar.gz", {"", "name.tar", ".gz"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    CFileName f("C:\\x\\p.png");
    (f.*c.set)(c.value);
    EXPECT_EQ(f.Path(), c.path);
    ExpectSplit(f, c.split);
  }
}

TEST(ExtensionTableTest, NumbersTheSixFormatsFromOne) {
  const char* const want[] = {".bmp", ".bmp", ".jpg", ".png", ".eps", ".ppm", ".pgm", ".bmp"};
  for (int i = 0; i < 8; ++i)
    EXPECT_EQ(ExtensionTable(i), want[i]) << i;
  EXPECT_EQ(ExtensionTable(-32768), ".bmp");
}

}  // namespace
}  // namespace snapwell
