#include "app/tray_tip.h"

#include <gtest/gtest.h>

namespace snapwell {
namespace {

std::string Tip(int flameStyle, bool fixField, int captureWindow, Language language = Language::English,
                std::string_view caption = "Snapwell", std::string_view shape = "Freehand") {
  return BuildTrayTip(TrayTipState{caption, flameStyle, fixField, captureWindow, shape}, Texts(language));
}

TEST(BuildTrayTipTest, DescribesEveryFrameToolAfterTheCaptionInEitherLanguage) {
  EXPECT_EQ(Tip(0, false, 0), "Snapwell (Rectangle)");
  EXPECT_EQ(Tip(0, true, 0), "Snapwell (Fixed Size Rectangle)");
  EXPECT_EQ(Tip(1, false, 0), "Snapwell (Circle)");
  EXPECT_EQ(Tip(1, true, 0), "Snapwell (Fixed Size Circle)");
  EXPECT_EQ(Tip(2, true, 0), "Snapwell (Freehand)");
  EXPECT_EQ(Tip(2, false, 0, Language::English, "Snapwell", "Heart, big"), "Snapwell (Heart, big)");
  EXPECT_EQ(Tip(3, false, 0), "Snapwell (Window - Whole)");
  EXPECT_EQ(Tip(3, true, 1), "Snapwell (Window - Each Part)");
  EXPECT_EQ(Tip(3, false, 2), "Snapwell (Active Window)");
  EXPECT_EQ(Tip(4, false, 0), "Snapwell ()");
  EXPECT_EQ(Tip(-1, true, 0), "Snapwell ()");
  EXPECT_EQ(Tip(3, false, 2, Language::English, "Waiting : 1.5sec"), "Waiting : 1.5sec (Active Window)");
  EXPECT_EQ(Tip(0, true, 0, Language::Japanese), "Snapwell (固定矩形)");
  EXPECT_EQ(Tip(3, false, 0, Language::Japanese), "Snapwell (ウィンドウ全体)");
  EXPECT_EQ(Tip(3, false, 2, Language::Japanese), "Snapwell (アクティブウィンドウ)");
}

TEST(BuildTrayTipTest, CutsExactlyAtTheFieldLimit) {
  // "Snapwell (" + title + ")" is 11 units around the title.
  const std::string fits(63 - 11, 'x');
  EXPECT_EQ(Tip(2, false, 0, Language::English, "Snapwell", fits), "Snapwell (" + fits + ")");
  const std::string tooLong(63 - 10, 'x');
  const std::string cut = Tip(2, false, 0, Language::English, "Snapwell", tooLong);
  EXPECT_EQ(cut, "Snapwell (" + tooLong);  // the closing parenthesis falls off
  EXPECT_EQ(Utf16Length(cut), 63u);        // the 64-character field and its NUL
}

TEST(BuildTrayTipTest, NeverCutsInsideACharacter) {
  // 60 three-byte characters: 10 + 60 > 63 units, cut after 53 whole characters.
  std::string title;
  for (int i = 0; i < 60; ++i)
    title += "枠";
  const std::string cut = Tip(2, false, 0, Language::English, "Snapwell", title);
  EXPECT_EQ(Utf16Length(cut), 63u);
  EXPECT_EQ(cut.size(), 10u + 53u * 3u);
}

TEST(Utf16Test, CountsUnitsNotBytesAndCutsKeepSurrogatePairsWhole) {
  EXPECT_EQ(Utf16Length(""), 0u);
  EXPECT_EQ(Utf16Length("abc"), 3u);
  EXPECT_EQ(Utf16Length("é"), 1u);
  EXPECT_EQ(Utf16Length("ｳｨﾝﾄﾞｳ"), 6u);
  EXPECT_EQ(Utf16Length("😀"), 2u);  // outside the BMP: a surrogate pair
  EXPECT_EQ(CutToUtf16Units("ab😀c", 3), "ab");
  EXPECT_EQ(CutToUtf16Units("ab😀c", 4), "ab😀");
  EXPECT_EQ(CutToUtf16Units("ab😀c", 0), "");
  EXPECT_EQ(CutToUtf16Units("ab😀c", 100), "ab😀c");
  // Malformed bytes count one each.
  EXPECT_EQ(Utf16Length("\xff\xfe"), 2u);
  EXPECT_EQ(Utf16Length("a\xe6\x9e"), 3u);         // a three-byte character cut short
  EXPECT_EQ(Utf16Length("\xed\xa0\x80"), 3u);      // an encoded surrogate is not well formed
  EXPECT_EQ(Utf16Length("\xc0\xaf"), 2u);          // overlong
  EXPECT_EQ(Utf16Length("\xf4\x90\x80\x80"), 4u);  // beyond U+10FFFF
  EXPECT_EQ(CutToUtf16Units("a\xe6\x9e", 2), "a\xe6");
}

}  // namespace
}  // namespace snapwell
