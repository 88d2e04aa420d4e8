// The interface fonts, described by the string table so that the Japanese texts get a
// Japanese face and character set. The shell turns these descriptions into real fonts.
#pragma once

#include <string>
#include <string_view>

#include "text/texts.h"

namespace snapwell {

struct FontChoice {
  std::string name;
  int pointSize = 9;
  bool bold = false;
  int charSet = 0;  // 0 = ANSI, 128 = Shift-JIS

  friend bool operator==(const FontChoice&, const FontChoice&) = default;
};

// The character set named by text 103: its leading number (ReadLeadingNumber), rounded and
// limited to the byte range a font's character set can hold; 0 when the text has no number.
int CharSetFromText(std::string_view text);

// Every window and control: text 101, 9 pt, regular.
FontChoice DialogFont(const Texts& texts);
// The capture surface's alert: text 101, 12 pt, bold.
FontChoice LargeFont(const Texts& texts);
// The fixed-pitch face of the pointer readout window (text 102), same size and set as DialogFont.
FontChoice PointerFont(const Texts& texts);

}  // namespace snapwell
