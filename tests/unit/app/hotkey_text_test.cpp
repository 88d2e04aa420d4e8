#include "app/hotkey_text.h"

#include <gtest/gtest.h>

namespace snapwell {
namespace {

// The key-state bits of HotKeyModifiers: Shift 1, Ctrl 2, Alt 4.
constexpr int kShift = 1, kCtrl = 2, kAlt = 4;

std::string Label(int keyCode, int modifiers, Language language = Language::English) {
  const auto d = DescribeHotkey(keyCode, modifiers, Texts(language));
  return d ? d->label : "<refused>";
}

TEST(DescribeHotkeyTest, DefaultHotkeyIsCtrlMinus) {
  const auto d = DescribeHotkey(109, kCtrl, Texts(Language::English));
  ASSERT_TRUE(d);
  EXPECT_EQ(d->label, "Ctrl + [ - ]");
  EXPECT_EQ(d->choice, (HotkeyChoice{true, 2, 109}));
}

TEST(DescribeHotkeyTest, PrefixOrderIsAlwaysShiftCtrlAltAndFunctionKeysGoAlone) {
  EXPECT_EQ(Label('A', kCtrl | kShift), "Shift + Ctrl + [ A ]");
  EXPECT_EQ(Label('Z', kAlt | kShift), "Shift + Alt + [ Z ]");
  EXPECT_EQ(Label('0', kAlt | kCtrl | kShift), "Shift + Ctrl + Alt + [ 0 ]");
  EXPECT_EQ(Label(112, kAlt), "Alt + [F1]");
  // Function and system keys may go alone.
  EXPECT_EQ(Label(116, 0), "[F5]");
  EXPECT_EQ(Label(127, 0), "[F16]");
  EXPECT_EQ(Label(41, 0), "[Slc]");
  EXPECT_EQ(Label(42, 0), "[Prn]");
  EXPECT_EQ(Label(43, kShift), "Shift + [Exec]");
  EXPECT_EQ(Label(44, 0), "[Snap]");
}

TEST(DescribeHotkeyTest, LettersDigitsAndKeypadNeedCtrlOrAlt) {
  for (int code :
       std::initializer_list<int>{'A', 'M', 'Z', '0', '5', '9', 96, 101, 106, 107, 109, 110, 111}) {
    SCOPED_TRACE(code);
    EXPECT_FALSE(DescribeHotkey(code, 0, Texts()));
    EXPECT_FALSE(DescribeHotkey(code, kShift, Texts()));
    EXPECT_TRUE(DescribeHotkey(code, kCtrl, Texts()));
    EXPECT_TRUE(DescribeHotkey(code, kAlt, Texts()));
  }
  EXPECT_EQ(Label(96, kCtrl), "Ctrl + [Ten0]");
  EXPECT_EQ(Label(101, kCtrl), "Ctrl + [Ten5]");
  EXPECT_EQ(Label(106, kCtrl), "Ctrl + [ * ]");
  EXPECT_EQ(Label(107, kCtrl), "Ctrl + [ + ]");
  EXPECT_EQ(Label(110, kCtrl), "Ctrl + [ . ]");
  EXPECT_EQ(Label(111, kCtrl), "Ctrl + [ / ]");
  EXPECT_EQ(Label('7', kAlt), "Alt + [ 7 ]");
}

TEST(DescribeHotkeyTest, BackspaceAndDeleteMeanNoHotkey) {
  const auto del = DescribeHotkey(46, kCtrl, Texts(Language::English));
  ASSERT_TRUE(del);
  EXPECT_EQ(del->label, "(No hotkey)");  // no prefix
  EXPECT_EQ(del->choice, (HotkeyChoice{false, kCtrl, 46}));
  const auto bs = DescribeHotkey(8, 0, Texts(Language::Japanese));
  ASSERT_TRUE(bs);
  EXPECT_EQ(bs->label, "(なし)");
  EXPECT_FALSE(bs->choice.enabled);
}

TEST(DescribeHotkeyTest, RefusesEverythingElseAndIgnoresStrayModifierBits) {
  // Keypad digits other than 0 and 5, arrows, Enter, Escape, Space, lone modifiers, F17,
  // and codes outside the key range.
  for (int code :
       std::initializer_list<int>{97, 98, 100, 102, 105, 37,  38,  39,          40, 13, 27, 32, 16,
                                  17, 18, 128, 0,   -1,  255, 256, 65536 + 'A', 45, 91, 47, 58, 64}) {
    EXPECT_FALSE(DescribeHotkey(code, kCtrl | kAlt, Texts())) << code;
  }
  // A bit beyond Alt neither counts as Ctrl/Alt nor reaches the stored value.
  EXPECT_FALSE(DescribeHotkey('A', 8, Texts()));
  const auto d = DescribeHotkey('A', 8 | kCtrl, Texts());
  ASSERT_TRUE(d);
  EXPECT_EQ(d->choice.modifiers, kCtrl);
}

// For registration Ctrl becomes the control flag 2, Shift the shift flag 4, Alt the alt flag 1.
TEST(HotkeyModifiersTest, KeyStateBitsBecomePlatformFlags) {
  EXPECT_EQ(PlatformModifiers(0), 0);
  EXPECT_EQ(PlatformModifiers(kShift), 4);
  EXPECT_EQ(PlatformModifiers(kCtrl), 2);
  EXPECT_EQ(PlatformModifiers(kAlt), 1);
  EXPECT_EQ(PlatformModifiers(kShift | kCtrl | kAlt), 7);
  EXPECT_EQ(PlatformModifiers(kShift | kAlt), 5);  // Shift 4 + Alt 1
  EXPECT_EQ(PlatformModifiers(kCtrl | 8 | 16), 2);
  EXPECT_EQ(PlatformModifiers(-1), 7);
  for (int state = 0; state < 8; ++state)
    EXPECT_EQ(KeyStateFromPlatform(PlatformModifiers(state)), state);
}

}  // namespace
}  // namespace snapwell
