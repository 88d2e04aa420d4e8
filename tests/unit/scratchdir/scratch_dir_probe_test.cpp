#include "scratch_dir_probe.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace scratchdir {
namespace {

// A scripted kernel: fixed folders, a clock that advances one millisecond per reading.
class FakeSystem : public System {
 public:
  std::uint32_t TempPath(std::uint32_t size, char* buffer) override {
    ++tempCalls;
    if (failTemp) return 0;
    if (temp.size() + 1 > size) return static_cast<std::uint32_t>(temp.size() + 1);
    std::memcpy(buffer, temp.c_str(), temp.size() + 1);
    return static_cast<std::uint32_t>(temp.size());
  }
  std::uint32_t WindowsDirectory(char* buffer, std::uint32_t size) override {
    if (windows.size() + 1 > size) return static_cast<std::uint32_t>(windows.size() + 1);
    std::memcpy(buffer, windows.c_str(), windows.size() + 1);
    return static_cast<std::uint32_t>(windows.size());
  }
  LocalTime Now() override {
    LocalTime t = time;
    time.milliseconds = (time.milliseconds + 1) % 1000;
    return t;
  }
  bool Exists(const char* path) override {
    probed.emplace_back(path);
    return existing.count(path) > 0 || everythingExists;
  }

  std::string temp = "C:\\Temp\\";
  std::string windows = "C:\\WINDOWS";
  LocalTime time{2026, 12, 7, 5, 4, 3, 21};
  std::set<std::string> existing;
  std::vector<std::string> probed;
  bool failTemp = false;
  bool everythingExists = false;
  int tempCalls = 0;
};

std::string ProbeText(FakeSystem& system, const char* suffix, std::uint32_t* result = nullptr) {
  char buffer[400];
  std::memset(buffer, '#', sizeof buffer);
  buffer[sizeof buffer - 1] = '\0';
  const std::uint32_t r = Probe(system, sizeof buffer, buffer, suffix);
  if (result != nullptr) *result = r;
  return r > 0 ? std::string(buffer) : std::string();
}

TEST(ScratchDirProbe, CleanTemporaryFolderGetsOneBackslashAndTheSuffix) {
  FakeSystem system;
  EXPECT_EQ(ProbeText(system, "x.bmp"), "C:\\Temp\\x.bmp");
  system.temp = "C:\\Temp";
  std::uint32_t length = 0;
  EXPECT_EQ(ProbeText(system, "x.bmp", &length), "C:\\Temp\\x.bmp");
  EXPECT_EQ(length, 13u);
  EXPECT_EQ(ProbeText(system, ""), "C:\\Temp\\");
  EXPECT_TRUE(system.probed.empty());
}

TEST(ScratchDirProbe, UnsuitableFolderFallsBackToATimeStampedNameInTheWindowsDriveRoot) {
  for (const std::string& temp : std::vector<std::string>{
           "C:\\Users\\John Smith\\Temp\\", "C:\\Users\\\xE5\xA4\xAA\xE9\x83\x8E\\Temp\\", "C:\\a\tb\\"}) {
    FakeSystem system;
    system.temp = temp;
    system.windows = "D:\\WINDOWS";
    EXPECT_EQ(ProbeText(system, "x.bmp"), "D:\\tmp20261207_050403_021_x.bmp") << temp;
  }
  FakeSystem system;
  system.temp = "C:\\with blank\\";
  EXPECT_EQ(ProbeText(system, ""), "C:\\tmp20261207_050403_021_");
}

TEST(ScratchDirProbe, ExistingNamesAreSkippedUntilOneIsFree) {
  FakeSystem system;
  system.temp = "C:\\with blank\\";
  system.existing = {"C:\\tmp20261207_050403_021", "C:\\tmp20261207_050403_022"};
  EXPECT_EQ(ProbeText(system, "a"), "C:\\tmp20261207_050403_023_a");
  EXPECT_EQ(system.probed.size(), 3u);
}

TEST(ScratchDirProbe, ACallerBufferOnlyOneLongerThanThePathReceivesIt) {
  FakeSystem system;  // result "C:\Temp\x.bmp", 13 characters
  char buffer[20];
  std::memset(buffer, '#', sizeof buffer);
  EXPECT_EQ(Probe(system, 13, buffer, "x.bmp"), 13u);
  EXPECT_EQ(buffer[0], '#');  // untouched: the terminator would not fit
  EXPECT_EQ(Probe(system, 14, buffer, "x.bmp"), 13u);
  EXPECT_STREQ(buffer, "C:\\Temp\\x.bmp");
  EXPECT_EQ(buffer[14], '#');
  EXPECT_EQ(Probe(system, 0, nullptr, "x.bmp"), 13u);  // asking for the length only
}

TEST(ScratchDirProbe, FailingSystemCallsAndOverlongPathsAreRefusedWithoutWritingPastAnyBuffer) {
  const struct {
    const char* what;
    std::string temp, windows, suffix;
    bool failTemp, everythingExists;
  } cases[] = {
      {"temporary folder fails", "C:\\Temp\\", "C:\\WINDOWS", "x", true, false},
      {"empty temporary folder", "", "C:\\WINDOWS", "x", false, false},
      {"no Windows folder", "C:\\with blank\\", "", "x", false, false},
      {"clock never finds a free name", "C:\\with blank\\", "C:\\WINDOWS", "x", false, true},
      {"longer than the working buffer", "C:\\" + std::string(300, 'd') + "\\", "C:\\WINDOWS", "x", false,
       false},
      {"fits, but not with the suffix", "C:\\" + std::string(250, 'd') + "\\", "C:\\WINDOWS",
       std::string(20, 's'), false, false},
      {"exactly 259: no room for a suffix", "C:\\" + std::string(256, 'd'), "C:\\WINDOWS", "s", false, false},
      {"fallback with an overlong suffix", "C:\\with blank\\", "C:\\WINDOWS", std::string(400, 's'), false,
       false},
  };
  for (const auto& c : cases) {
    FakeSystem system;
    system.temp = c.temp;
    system.windows = c.windows;
    system.failTemp = c.failTemp;
    system.everythingExists = c.everythingExists;
    std::uint32_t length = 99;
    EXPECT_EQ(ProbeText(system, c.suffix.c_str(), &length), "") << c.what;
    EXPECT_EQ(length, 0u) << c.what;
  }
  // The lengths just inside those limits still work.
  FakeSystem system;
  system.temp = "C:\\" + std::string(250, 'd') + "\\";
  EXPECT_EQ(ProbeText(system, std::string(5, 's').c_str()).size(), 259u);  // 254 + 5 fits
  system.temp = "C:\\" + std::string(256, 'd');                            // the backslash fits, nothing more
  EXPECT_EQ(ProbeText(system, "").size(), 260u);
  system.temp = "C:\\with blank\\";
  EXPECT_EQ(ProbeText(system, nullptr), "C:\\tmp20261207_050403_021_");
}

}  // namespace
}  // namespace scratchdir
