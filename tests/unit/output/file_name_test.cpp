#include "output/file_name.h"

#include <gtest/gtest.h>

namespace snapwell {
namespace {

struct Split {
  std::string folder, body, ext;
};

Split Parts(const CFileName& f) {
  return {f.Folder(), f.Body(), f.Ext()};
}

void ExpectSplit(std::string_view path, const Split& want) {
  SCOPED_TRACE(path);
  const CFileName f(path);
  EXPECT_EQ(f.Folder(), want.folder);
  EXPECT_EQ(f.Body(), want.body);
  EXPECT_EQ(f.Ext(), want.ext);
  EXPECT_EQ(f.FileName(), want.body + want.ext);
  EXPECT_EQ(f.Path(), path);
}

TEST(CFileNameTest, DefaultIsEmptyPath) {
  const CFileName f;
  EXPECT_EQ(f.Path(), "");
  ExpectSplit("", {"", "", ""});
}

TEST(CFileNameTest, ParseSplitsAtLastBackslashAndLastDot) {
  ExpectSplit("C:\\pics\\shot.bmp", {"C:\\pics\\", "shot", ".bmp"});
  ExpectSplit("C:\\a.b\\c", {"C:\\a.b\\", "c", ""});  // a dot in a folder never counts
  ExpectSplit("name.tar.gz", {"", "name.tar", ".gz"});
  ExpectSplit(".bmp", {"", "", ".bmp"});
  ExpectSplit("shot", {"", "shot", ""});
  ExpectSplit("shot.", {"", "shot", "."});
  ExpectSplit("C:\\pics\\", {"C:\\pics\\", "", ""});  // trailing backslash: no body, no extension
  ExpectSplit("\\", {"\\", "", ""});
  ExpectSplit("C:/pics/shot.png", {"", "C:/pics/shot", ".png"});  // "/" is no separator
  ExpectSplit("C:\\dir.x/y", {"C:\\", "dir", ".x/y"});
  ExpectSplit("C:\\写真\\画像.jpg", {"C:\\写真\\", "画像", ".jpg"});
  ExpectSplit("\\\\server\\share\\a..b", {"\\\\server\\share\\", "a.", ".b"});
}

TEST(CFileNameTest, SetFolderAppendsBackslashAndKeepsName) {
  CFileName f("C:\\old\\p.png");
  f.SetFolder("C:\\x");
  EXPECT_EQ(f.Path(), "C:\\x\\p.png");
  f.SetFolder("D:\\y.z\\");
  EXPECT_EQ(f.Path(), "D:\\y.z\\p.png");
  EXPECT_EQ(f.Ext(), ".png");
}

TEST(CFileNameTest, SetEmptyFolderDropsFolderInsteadOfNamingTheDriveRoot) {
  CFileName f("C:\\old\\p.png");
  f.SetFolder("");
  EXPECT_EQ(f.Path(), "p.png");
  EXPECT_EQ(f.Folder(), "");
}

TEST(CFileNameTest, SetExtAddsMissingDot) {
  CFileName f("C:\\x\\p.png");
  f.SetExt("jpg");
  EXPECT_EQ(f.Path(), "C:\\x\\p.jpg");
  f.SetExt(".pgm");
  EXPECT_EQ(f.Path(), "C:\\x\\p.pgm");
  f.SetExt("");
  EXPECT_EQ(f.Path(), "C:\\x\\p.");
}

TEST(CFileNameTest, SetBodyKeepsFolderAndExt) {
  CFileName f("C:\\x\\p.png");
  f.SetBody("shot12");
  EXPECT_EQ(f.Path(), "C:\\x\\shot12.png");
  // A body with a dot is parsed again: the new last dot starts the extension.
  f.SetBody("a.b");
  EXPECT_EQ(f.Path(), "C:\\x\\a.b.png");
  EXPECT_EQ(f.Body(), "a.b");
}

TEST(CFileNameTest, SetFileNameReplacesBodyAndExt) {
  CFileName f("C:\\x\\p.png");
  f.SetFileName("q.bmp");
  EXPECT_EQ(Parts(f).folder, "C:\\x\\");
  EXPECT_EQ(f.Body(), "q");
  EXPECT_EQ(f.Ext(), ".bmp");
  f.SetFileName("sub\\r");  // a backslash in the value moves it into the folder
  EXPECT_EQ(f.Folder(), "C:\\x\\sub\\");
  EXPECT_EQ(f.Body(), "r");
  EXPECT_EQ(f.Ext(), "");
}

TEST(CFileNameTest, SetPathReplacesEverything) {
  CFileName f("C:\\x\\p.png");
  f.SetPath("name.tar.gz");
  EXPECT_EQ(f.Folder(), "");
  EXPECT_EQ(f.Body(), "name.tar");
  EXPECT_EQ(f.Ext(), ".gz");
}

TEST(ExtensionTableTest, NumbersTheSixFormatsFromOne) {
  EXPECT_EQ(ExtensionTable(1), ".bmp");
  EXPECT_EQ(ExtensionTable(2), ".jpg");
  EXPECT_EQ(ExtensionTable(3), ".png");
  EXPECT_EQ(ExtensionTable(4), ".eps");
  EXPECT_EQ(ExtensionTable(5), ".ppm");
  EXPECT_EQ(ExtensionTable(6), ".pgm");
  EXPECT_EQ(ExtensionTable(0), ".bmp");
  EXPECT_EQ(ExtensionTable(7), ".bmp");
  EXPECT_EQ(ExtensionTable(-32768), ".bmp");
}

}  // namespace
}  // namespace snapwell
