// The build's string-table generator, run on small tables: what it writes for texts with
// characters CMake and the two output languages treat specially, and what it refuses.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "text/texts.h"

namespace {

namespace fs = std::filesystem;

class GenerateStringsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("snapwell_strings_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  // Runs the generator on the table; true when it succeeded.
  bool Generate(const std::string& table) {
    std::ofstream(dir / "strings.txt", std::ios::binary) << table;
    const std::string command = "cmake -DSOURCE=\"" + (dir / "strings.txt").string() + "\" -DCPP_OUT=\"" +
                                (dir / "out.inc").string() + "\" -DRC_OUT=\"" + (dir / "out.rc").string() +
                                "\" -P \"" SNAPWELL_SOURCE_DIR "/src/text/generate_strings.cmake\" > \"" +
                                (dir / "log.txt").string() + "\" 2>&1";
    return std::system(command.c_str()) == 0;
  }

  std::string Read(const char* name) const {
    std::ifstream in(dir / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path dir;
};

TEST_F(GenerateStringsTest, CarriesSpecialCharactersIntoBothOutputs) {
  ASSERT_TRUE(
      Generate("# comment\r\n\r\n"
               "101\t\"a;b [c] ]d[\"\t\"x;;y\"\r\n"
               "102 \"Sure??\"  \"say \\\"hi\\\"\\r\\n\"\n"
               "282\t\" lead and trail \"\t\"\\\\share\"\n"))
      << Read("log.txt");
  const std::string inc = Read("out.inc");
  EXPECT_NE(inc.find("{101, \"a;b [c] ]d[\", \"x;;y\"},"), std::string::npos) << inc;
  EXPECT_NE(inc.find("{102, \"Sure\\?\\?\", \"say \\\"hi\\\"\\r\\n\"},"), std::string::npos) << inc;
  EXPECT_NE(inc.find("{282, \" lead and trail \", \"\\\\share\"},"), std::string::npos) << inc;

  const std::string rc = Read("out.rc");
  EXPECT_EQ(rc.find("#pragma code_page(65001)"), rc.find('\n') + 1);
  const auto english = rc.find("LANGUAGE LANG_ENGLISH, SUBLANG_ENGLISH_US");
  const auto japanese = rc.find("LANGUAGE LANG_JAPANESE, SUBLANG_DEFAULT");
  ASSERT_NE(english, std::string::npos);
  ASSERT_NE(japanese, std::string::npos);
  EXPECT_LT(english, rc.find("  101, \"a;b [c] ]d[\""));
  EXPECT_GT(japanese, rc.find("  282, \" lead and trail \""));
  EXPECT_GT(rc.find("  102, \"say \"\"hi\"\"\\r\\n\""), japanese);
}

TEST_F(GenerateStringsTest, TakesItsRangeFromTheCode) {
  const std::string last = std::to_string(snapwell::kLastTextId);
  ASSERT_TRUE(Generate(last + "\t\"last %1\"\t\"最後 %1\"\n")) << Read("log.txt");
  EXPECT_NE(Read("out.inc").find("{" + last + ", \"last %1\", \"最後 %1\"},"), std::string::npos);
  EXPECT_NE(Read("out.rc").find("  " + last + ", \"最後 %1\""), std::string::npos);
}

TEST_F(GenerateStringsTest, RefusesMalformedTables) {
  EXPECT_FALSE(Generate("101\t\"a\"\t\"b\"\n101\t\"c\"\t\"d\"\n")) << "repeated id";
  EXPECT_FALSE(Generate("100\t\"a\"\t\"b\"\n")) << "id below the range";
  EXPECT_FALSE(Generate(std::to_string(snapwell::kLastTextId + 1) + "\t\"a\"\t\"b\"\n"))
      << "id above the range";
  EXPECT_FALSE(Generate("101\t\"a\\q\"\t\"b\"\n")) << "unknown escape";
  EXPECT_FALSE(Generate("101\t\"only one\"\n")) << "missing language";
  EXPECT_FALSE(Generate("101\t\"open\t\"b\"\n")) << "unbalanced quotes";
  EXPECT_FALSE(Generate("abc\t\"a\"\t\"b\"\n")) << "no id";
}

}  // namespace
