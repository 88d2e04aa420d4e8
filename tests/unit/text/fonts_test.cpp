#include "text/fonts.h"

#include <gtest/gtest.h>

namespace snapwell {
namespace {

TEST(FontsTest, EachLanguageHasItsFaceAndCharacterSet) {
  const Texts en(Language::English);
  EXPECT_EQ(DialogFont(en), (FontSpec{"Gulim", 9, false, 0}));
  EXPECT_EQ(LargeFont(en), (FontSpec{"Gulim", 12, true, 0}));
  EXPECT_EQ(PointerFont(en), (FontSpec{"GulimChe", 9, false, 0}));
  const Texts ja(Language::Japanese);
  EXPECT_EQ(DialogFont(ja), (FontSpec{"ＭＳ Ｐゴシック", 9, false, 128}));
  EXPECT_EQ(LargeFont(ja), (FontSpec{"ＭＳ Ｐゴシック", 12, true, 128}));
  EXPECT_EQ(PointerFont(ja).name, "ＭＳ ゴシック");
}

TEST(FontsTest, CharSetReadsLeadingDigitsWithinByteRange) {
  EXPECT_EQ(CharSetFromText("128"), 128);
  EXPECT_EQ(CharSetFromText(" 2"), 2);
  EXPECT_EQ(CharSetFromText("134 (GB2312)"), 134);
  EXPECT_EQ(CharSetFromText(""), 0);
  EXPECT_EQ(CharSetFromText("abc"), 0);
  EXPECT_EQ(CharSetFromText("-5"), 0);
  EXPECT_EQ(CharSetFromText("256"), 255);
  EXPECT_EQ(CharSetFromText("99999999999999999999"), 255);
}

TEST(FontsTest, LoadedTextsDriveTheFont) {
  const Texts texts = Texts::FromLoader(Language::English, [](int id) -> std::optional<std::string> {
    if (id == 101) return "Noto Sans";
    if (id == 103) return "garbage";
    return std::nullopt;
  });
  EXPECT_EQ(DialogFont(texts), (FontSpec{"Noto Sans", 9, false, 0}));
}

}  // namespace
}  // namespace snapwell
