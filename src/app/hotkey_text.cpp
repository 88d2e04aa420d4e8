#include "app/hotkey_text.h"

namespace snapwell {

int PlatformModifiers(int keyState) {
  int flags = 0;
  if ((keyState & kKeyStateCtrl) != 0) flags |= kModControl;
  if ((keyState & kKeyStateShift) != 0) flags |= kModShift;
  if ((keyState & kKeyStateAlt) != 0) flags |= kModAlt;
  return flags;
}

int KeyStateFromPlatform(int platformModifiers) {
  int state = 0;
  if ((platformModifiers & kModControl) != 0) state |= kKeyStateCtrl;
  if ((platformModifiers & kModShift) != 0) state |= kKeyStateShift;
  if ((platformModifiers & kModAlt) != 0) state |= kKeyStateAlt;
  return state;
}

namespace {

// The key's name and whether it needs Ctrl or Alt; nothing for a key that is never accepted.
struct KeyName {
  std::string name;
  bool needsCtrlOrAlt;
};

std::optional<KeyName> NameOf(int keyCode) {
  if (keyCode >= 112 && keyCode <= 127) return KeyName{"[F" + std::to_string(keyCode - 111) + "]", false};
  switch (keyCode) {
    case 41:
      return KeyName{"[Slc]", false};
    case 42:
      return KeyName{"[Prn]", false};
    case 43:
      return KeyName{"[Exec]", false};
    case 44:
      return KeyName{"[Snap]", false};
    case 96:
      return KeyName{"[Ten0]", true};
    case 101:
      return KeyName{"[Ten5]", true};
    case 106:
      return KeyName{"[ * ]", true};
    case 107:
      return KeyName{"[ + ]", true};
    case 109:
      return KeyName{"[ - ]", true};
    case 110:
      return KeyName{"[ . ]", true};
    case 111:
      return KeyName{"[ / ]", true};
    default:
      break;
  }
  if ((keyCode >= '0' && keyCode <= '9') || (keyCode >= 'A' && keyCode <= 'Z')) {
    return KeyName{std::string("[ ") + static_cast<char>(keyCode) + " ]", true};
  }
  return std::nullopt;
}

}  // namespace

std::optional<DescribedHotkey> DescribeHotkey(int keyCode, int modifiers, const Texts& texts) {
  modifiers &= kKeyStateShift | kKeyStateCtrl | kKeyStateAlt;
  if (keyCode == kKeyBackspace || keyCode == kKeyDelete) {
    return DescribedHotkey{HotkeyChoice{false, modifiers, keyCode}, std::string(texts(170))};
  }
  const std::optional<KeyName> key = NameOf(keyCode);
  if (!key) return std::nullopt;
  if (key->needsCtrlOrAlt && modifiers < kKeyStateCtrl) return std::nullopt;

  std::string label;
  if ((modifiers & kKeyStateShift) != 0) label += "Shift + ";
  if ((modifiers & kKeyStateCtrl) != 0) label += "Ctrl + ";
  if ((modifiers & kKeyStateAlt) != 0) label += "Alt + ";
  label += key->name;
  return DescribedHotkey{HotkeyChoice{true, modifiers, keyCode}, std::move(label)};
}

}  // namespace snapwell
