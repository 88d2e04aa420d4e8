#include "text/fonts.h"

#include <gtest/gtest.h>

namespace snapwell {
namespace {

TEST(FontsTest, EachLanguageHasItsFaceAndCharacterSet) {
  const Texts en(Language::English);
  EXPECT_EQ(DialogFont(en), (FontChoice{"Gulim", 9, false, 0}));
  EXPECT_EQ(LargeFont(en), (FontChoice{"Gulim", 12, true, 0}));
  EXPECT_EQ(PointerFont(en), (FontChoice{"GulimChe", 9, false, 0}));
  const Texts ja(Language::Japanese);
  EXPECT_EQ(DialogFont(ja), (FontChoice{"ＭＳ Ｐゴシック", 9, false, 128}));
  EXPECT_EQ(LargeFont(ja), (FontChoice{"ＭＳ Ｐゴシック", 12, true, 128}));
  EXPECT_EQ(PointerFont(ja).name, "ＭＳ ゴシック");
}

TEST(FontsTest, CharSetIsTheLeadingNumberWithinByteRange) {
  const std::pair<const char*, int> cases[] = {
      {"128", 128}, {" 2", 2},    {"134 (GB2312)", 134},         {"", 0},      {"abc", 0},
      {"-5", 0},    {"256", 255}, {"99999999999999999999", 255}, {"1e2", 100}, {"2.5", 2},
  };
  for (const auto& [text, charSet] : cases)
    EXPECT_EQ(CharSetFromText(text), charSet) << text;
}

TEST(FontsTest, LoadedTextsDriveTheFont) {
  const Texts texts = Texts::FromLoader(Language::English, [](int id) -> std::optional<std::string> {
    if (id == 101) return "Noto Sans";
    if (id == 103) return "garbage";
    return std::nullopt;
  });
  EXPECT_EQ(DialogFont(texts), (FontChoice{"Noto Sans", 9, false, 0}));
}

}  // namespace
}  // namespace snapwell
