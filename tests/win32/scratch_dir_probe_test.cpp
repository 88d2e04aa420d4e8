// ScratchDirProbe.dll loaded as its callers load it: by name and by ordinal.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

namespace {

using ProbeFunction = DWORD(__stdcall*)(DWORD, char*, const char*);

class ScratchDirProbeDll : public ::testing::Test {
 protected:
  void SetUp() override {
    library = LoadLibraryA("ScratchDirProbe.dll");
    ASSERT_NE(library, nullptr);
    probe =
        reinterpret_cast<ProbeFunction>(reinterpret_cast<void*>(GetProcAddress(library, "ScratchDirProbe")));
    ASSERT_NE(probe, nullptr);
    char value[MAX_PATH] = {};
    savedTmp = GetEnvironmentVariableA("TMP", value, MAX_PATH) > 0 ? value : "";
    savedTemp = GetEnvironmentVariableA("TEMP", value, MAX_PATH) > 0 ? value : "";
  }
  void TearDown() override {
    SetEnvironmentVariableA("TMP", savedTmp.empty() ? nullptr : savedTmp.c_str());
    SetEnvironmentVariableA("TEMP", savedTemp.empty() ? nullptr : savedTemp.c_str());
    if (library != nullptr) FreeLibrary(library);
  }
  void PointTempAt(const std::string& folder) {
    CreateDirectoryA(folder.c_str(), nullptr);
    SetEnvironmentVariableA("TMP", folder.c_str());
    SetEnvironmentVariableA("TEMP", folder.c_str());
  }

  HMODULE library = nullptr;
  ProbeFunction probe = nullptr;
  std::string savedTmp;
  std::string savedTemp;
};

TEST_F(ScratchDirProbeDll, IsExportedByNameAtOrdinalOne) {
  FARPROC byOrdinal = GetProcAddress(library, MAKEINTRESOURCEA(1));
  EXPECT_EQ(reinterpret_cast<void*>(byOrdinal), reinterpret_cast<void*>(probe));
}

TEST_F(ScratchDirProbeDll, CleanTemporaryFolderIsUsedAsItIsAndASmallBufferLeftAlone) {
  PointTempAt("C:\\snapwell_tmp");
  char expected[MAX_PATH] = {};
  const DWORD tempLength = GetTempPathA(MAX_PATH, expected);
  ASSERT_GT(tempLength, 0u);
  char buffer[MAX_PATH] = {};
  const DWORD length = probe(sizeof buffer, buffer, "shot.bmp");
  EXPECT_EQ(std::string(buffer), std::string(expected) + "shot.bmp");
  EXPECT_EQ(length, std::strlen(buffer));
  char small[4] = {'#', '#', '#', '#'};  // too small: left alone, the length returned
  EXPECT_EQ(probe(sizeof small, small, "shot.bmp"), length);
  EXPECT_EQ(small[0], '#');
}

TEST_F(ScratchDirProbeDll, FolderWithABlankFallsBackToTheDriveRoot) {
  PointTempAt("C:\\snapwell tmp");
  char windows[MAX_PATH] = {};
  ASSERT_GT(GetWindowsDirectoryA(windows, MAX_PATH), 2u);
  const std::string root(windows, 3);
  char buffer[MAX_PATH] = {};
  const DWORD length = probe(sizeof buffer, buffer, "x.bmp");
  const std::string path(buffer);
  ASSERT_EQ(length, path.size());
  // root + "tmp" + yyyymmdd_hhmmss_mmm + "_x.bmp"
  EXPECT_EQ(path.size(), root.size() + 3 + 19 + 6) << path;
  EXPECT_EQ(path.rfind(root + "tmp", 0), 0u) << path;
  EXPECT_EQ(path.substr(path.size() - 6), "_x.bmp");
  EXPECT_EQ(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);  // only tested, never created
}

}  // namespace
