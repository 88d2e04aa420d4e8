// The real platform under Wine: registry store, file probing and the start-up of Snapwell.exe.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "app/app_context.h"
#include "app/settings_io.h"
#include "win32/platform_win32.h"
#include "win32/shell_win32.h"
#include "win32/text_win32.h"
#include "win32/texts_win32.h"

namespace snapwell::win32 {
namespace {

class RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    subKey = L"Software\\Snapwell\\Test" + std::to_wstring(GetCurrentProcessId());
    RegDeleteTreeW(HKEY_CURRENT_USER, subKey.c_str());
  }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, subKey.c_str()); }
  std::wstring subKey;
};

TEST_F(RegistryStoreTest, MissingKeyReadsNothingValuesRoundTripAsStringsOtherTypesReadEmpty) {
  RegistrySettingsStore store(subKey);
  EXPECT_FALSE(store.Get("FlameStyle"));
  ASSERT_TRUE(store.Set("FlameStyle", "2"));
  ASSERT_TRUE(store.Set("FileName", "C:\\写真\\shot"));
  ASSERT_TRUE(store.Set("Empty", ""));
  EXPECT_EQ(store.Get("FlameStyle"), "2");
  EXPECT_EQ(store.Get("FileName"), "C:\\写真\\shot");
  EXPECT_EQ(store.Get("Empty"), "");  // present but empty, not missing
  DWORD type = 0;
  ASSERT_EQ(
      RegGetValueW(HKEY_CURRENT_USER, subKey.c_str(), L"FlameStyle", RRF_RT_ANY, &type, nullptr, nullptr),
      ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  store.Delete("FlameStyle");
  store.Delete("NeverThere");
  EXPECT_FALSE(store.Get("FlameStyle"));
  const DWORD number = 7;  // a value of another type reads as empty text
  RegSetKeyValueW(HKEY_CURRENT_USER, subKey.c_str(), L"Outputs", REG_DWORD, &number, sizeof number);
  EXPECT_EQ(store.Get("Outputs"), "");
}

TEST_F(RegistryStoreTest, MigrationAndLoadingWorkOnTheRealRegistry) {
  RegistrySettingsStore store(subKey);
  Win32FileSystem files;
  Win32Screen screen;
  Win32UserInterface ui;
  Win32Timers timers;
  Win32Shell desktop;
  Platform platform{store, files, screen, ui, timers, desktop};
  AppContext app(platform, ExecutableFolder());
  MigrateSettings(app);
  EXPECT_EQ(store.Get("CurrentVersion"), "4.5");
  EXPECT_EQ(store.Get("StepAng"), "90");
  LoadSettings(app);
  EXPECT_GT(app.screenWidth, 0);
  EXPECT_GT(app.screenHeight, 0);
  EXPECT_EQ(app.FileName.Path(), "VellOut");
}

TEST(Win32FileSystem, ProbeTellsMissingFileFromMissingFolderAndReadsWholeFiles) {
  wchar_t temp[MAX_PATH];
  ASSERT_GT(GetTempPathW(MAX_PATH, temp), 0u);
  const std::string folder = Narrow(temp) + "snapwell probe " + std::to_string(GetCurrentProcessId());
  CreateDirectoryW(Widen(folder).c_str(), nullptr);
  const std::string file = folder + "\\note.txt";
  HANDLE h = CreateFileW(Widen(file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(h, "a,b\r\n", 5, &written, nullptr);
  CloseHandle(h);

  Win32FileSystem files;
  EXPECT_EQ(files.Probe(file), FileError::None);
  EXPECT_EQ(files.Probe(folder + "\\absent.bmp"), FileError::NotFound);
  EXPECT_EQ(files.Probe(folder + "\\no folder\\absent.bmp"), FileError::PathNotFound);
  EXPECT_EQ(files.Probe(folder + "\\a<b.vol"), FileError::BadName);
  FileError error = FileError::Other;
  EXPECT_EQ(files.ReadFile(file, &error), "a,b\r\n");
  EXPECT_EQ(error, FileError::None);
  EXPECT_FALSE(files.ReadFile(folder + "\\absent.vod", &error));
  EXPECT_EQ(error, FileError::NotFound);
  EXPECT_EQ(files.FindFiles(folder + "\\*.txt").size(), 1u);
  EXPECT_EQ(files.DeleteFile(file), FileError::None);
  EXPECT_EQ(files.DeleteFile(file), FileError::NotFound);
  RemoveDirectoryW(Widen(folder).c_str());
  const std::string pictures = files.PicturesFolder();
  ASSERT_FALSE(pictures.empty());
  EXPECT_EQ(pictures.back(), '\\');
}

TEST(ResourceTexts, ComeFromTheExecutablesStringTable) {
  const std::wstring exe = Widen(ExecutableFolder()) + L"Snapwell.exe";
  HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr);
  const Texts texts = LoadResourceTexts(module);
  FreeLibrary(module);
  const std::string expected(Text(texts.language(), 106));
  EXPECT_FALSE(expected.empty());
  EXPECT_EQ(texts(106), expected);
  EXPECT_EQ(texts(171), Text(texts.language(), 171));
}

// Snapwell.exe starts, migrates its settings into HKCU\Software\Snapwell\Default and quits.
TEST(SnapwellExe, StartsAndMigratesItsSettings) {
  RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Snapwell\\Default");
  const std::wstring exe = Widen(ExecutableFolder()) + L"Snapwell.exe";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring command = L"\"" + exe + L"\"";
  ASSERT_TRUE(
      CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 30000), WAIT_OBJECT_0);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  RegistrySettingsStore store;
  EXPECT_EQ(store.Get("CurrentVersion"), "4.5");
  EXPECT_EQ(store.Get("StartAng"), "0");
}

}  // namespace
}  // namespace snapwell::win32
