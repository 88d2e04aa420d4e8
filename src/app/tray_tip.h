// The tray icon's tooltip: the settings dialog's caption and the chosen frame tool in words,
// "Snapwell (Fixed Size Rectangle)", cut to the notification record's tip field.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/texts.h"

namespace snapwell {

// The tip field holds 64 UTF-16 units including the closing NUL (szTip of the wide
// notification record; the shell registers the icon with the wide call so any character
// shows). So the text keeps at most 63 units.
inline constexpr std::size_t kTrayTipField = 64;

struct TrayTipState {
  std::string_view caption;        // the settings dialog's current caption (also the countdown)
  int flameStyle = 0;              // FlameStyle
  bool fixField = false;           // FixField
  int captureWindow = 0;           // CaptureWindow
  std::string_view variLineShape;  // the frame-shape list's chosen entry ("Freehand" or a title)
};

// The frame tool in words: "Fixed Size Rectangle", "Window - Each Part", "Active Window"...
std::string FrameToolDescription(const TrayTipState& state, const Texts& texts);

// caption + " (" + description + ")", cut to fit kTrayTipField.
std::string BuildTrayTip(const TrayTipState& state, const Texts& texts);

// UTF-16 units the UTF-8 text becomes. A byte that is not part of a well-formed sequence
// counts as one unit (it turns into one replacement character).
std::size_t Utf16Length(std::string_view utf8);

// The longest prefix of utf8 that fits in maxUnits UTF-16 units, never cutting a character
// (nor a surrogate pair) in two.
std::string_view CutToUtf16Units(std::string_view utf8, std::size_t maxUnits);

}  // namespace snapwell
