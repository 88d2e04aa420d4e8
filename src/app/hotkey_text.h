// The capture hotkey in words and in platform terms: which key combinations the hotkey
// dialog accepts and how it shows them ("Shift + Ctrl + [ A ]"), and the translation of the
// stored key-state bits into the modifier flags the platform's hotkey registration takes.
#pragma once

#include <optional>
#include <string>

#include "text/texts.h"

namespace snapwell {

// Key-state bits, as HotKeyModifiers stores them.
inline constexpr int kKeyStateShift = 1;
inline constexpr int kKeyStateCtrl = 2;
inline constexpr int kKeyStateAlt = 4;

// The platform's hotkey modifier flags.
inline constexpr int kModAlt = 1;
inline constexpr int kModControl = 2;
inline constexpr int kModShift = 4;

// Key-state bits to hotkey registration flags; bits other than Shift, Ctrl and Alt are dropped.
int PlatformModifiers(int keyState);
// The other way, for key events that arrive with platform flags.
int KeyStateFromPlatform(int platformModifiers);

// Virtual-key codes the dialog treats specially.
inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyDelete = 46;

struct HotkeyChoice {
  bool enabled = true;  // false: no hotkey (Backspace or Delete was pressed)
  int modifiers = 0;    // key-state bits
  int keyCode = 0;      // virtual-key code

  friend bool operator==(const HotkeyChoice&, const HotkeyChoice&) = default;
};

struct DescribedHotkey {
  HotkeyChoice choice;
  std::string label;  // what lblHotKey shows
};

// The dialog's key handler: the accepted combination and its words, or nothing when the key is
// not accepted (the dialog then keeps what it showed). F1-F16 and the Scroll-Lock/Print/
// Execute/Snapshot keys go alone; letters, digits and the keypad keys named in the table need
// Ctrl or Alt; Backspace and Delete mean "no hotkey".
std::optional<DescribedHotkey> DescribeHotkey(int keyCode, int modifiers, const Texts& texts);

}  // namespace snapwell
