// The string resources linked into Snapwell.exe: every text of the table in both languages,
// read straight from the resource blocks, and the language the platform picks by default.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <set>
#include <string>

#include "text/texts.h"
#include "win32/text_win32.h"

namespace snapwell::win32 {
namespace {

constexpr WORD kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

std::wstring ExeBeside(const wchar_t* name) {
  wchar_t self[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self, length);
  path.erase(path.find_last_of(L"\\/") + 1);
  return path + name;
}

class StringResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module = LoadLibraryExW(ExeBeside(L"Snapwell.exe").c_str(), nullptr,
                            LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr) << "Snapwell.exe must sit beside win32_tests.exe";
  }
  void TearDown() override {
    if (module != nullptr) FreeLibrary(module);
  }

  // The text with that id in exactly that language, or nothing when its block or entry is
  // missing. A block holds 16 counted UTF-16 strings, ids 16(n-1) .. 16n-1 in block n.
  std::optional<std::string> Lookup(int id, WORD language) const {
    HRSRC found =
        FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(static_cast<WORD>(id / 16 + 1)), language);
    if (found == nullptr) return std::nullopt;
    HGLOBAL loaded = LoadResource(module, found);
    const auto* p = static_cast<const WCHAR*>(LockResource(loaded));
    const DWORD bytes = SizeofResource(module, found);
    if (p == nullptr) return std::nullopt;
    const WCHAR* end = p + bytes / sizeof(WCHAR);
    for (int i = 0; i < id % 16; ++i) {
      if (p >= end) return std::nullopt;
      p += 1 + *p;
    }
    if (p >= end || *p == 0 || p + 1 + *p > end) return std::nullopt;
    return Narrow(std::wstring_view(p + 1, *p));
  }

  HMODULE module = nullptr;
};

TEST_F(StringResourcesTest, EveryTextExistsInBothLanguagesAndMatchesTheTableUnusedIdsDoNot) {
  ASSERT_FALSE(TextTable().empty());
  for (const TextEntry& e : TextTable()) {
    SCOPED_TRACE(e.id);
    EXPECT_EQ(Lookup(e.id, kEnglish), std::string(e.english));
    EXPECT_EQ(Lookup(e.id, kJapanese), std::string(e.japanese));
  }
  EXPECT_EQ(Lookup(105, kEnglish), std::nullopt);  // unused ids are absent
  EXPECT_EQ(Lookup(109, kJapanese), std::nullopt);
  EXPECT_EQ(Lookup(kLastTextId + 1, kEnglish), std::nullopt);
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
  reinterpret_cast<std::set<WORD>*>(param)->insert(language);
  return TRUE;
}

TEST_F(StringResourcesTest, EveryBlockIsMarkedUsEnglishAndJapaneseOnly) {
  // A language-neutral English block would win over Japanese on a Japanese system.
  for (int block = kFirstTextId / 16 + 1; block <= kLastTextId / 16 + 1; ++block) {
    SCOPED_TRACE(block);
    std::set<WORD> languages;
    EnumResourceLanguagesW(module, RT_STRING, MAKEINTRESOURCEW(static_cast<WORD>(block)), CollectLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    EXPECT_EQ(languages, (std::set<WORD>{kEnglish, kJapanese}));
  }
}

TEST_F(StringResourcesTest, PlatformPicksTheUsersLanguage) {
  const bool japanese = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
  const WCHAR* text = nullptr;
  const int length = LoadStringW(module, 266, reinterpret_cast<LPWSTR>(&text), 0);
  ASSERT_GT(length, 0);
  EXPECT_EQ(Narrow(std::wstring_view(text, static_cast<std::size_t>(length))),
            std::string(Text(japanese ? Language::Japanese : Language::English, 266)));
}

}  // namespace
}  // namespace snapwell::win32
