#include "app/tray_tip.h"

namespace snapwell {
namespace {

struct Sequence {
  std::size_t bytes;
  std::size_t units;
};

bool IsContinuation(unsigned char c) {
  return c >= 0x80 && c <= 0xBF;
}

// The well-formed UTF-8 sequence starting at i, or one byte and one unit when it is not.
Sequence SequenceAt(std::string_view s, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) return {1, 1};
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;  // no encoded surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return {1, 1};
  }
  if (i + length > s.size()) return {1, 1};
  if (byte(i + 1) < low || byte(i + 1) > high) return {1, 1};
  for (std::size_t k = 2; k < length; ++k) {
    if (!IsContinuation(byte(i + k))) return {1, 1};
  }
  return {length, length == 4 ? 2u : 1u};
}

}  // namespace

std::size_t Utf16Length(std::string_view utf8) {
  std::size_t units = 0;
  for (std::size_t i = 0; i < utf8.size();) {
    const Sequence seq = SequenceAt(utf8, i);
    i += seq.bytes;
    units += seq.units;
  }
  return units;
}

std::string_view CutToUtf16Units(std::string_view utf8, std::size_t maxUnits) {
  std::size_t units = 0;
  std::size_t i = 0;
  while (i < utf8.size()) {
    const Sequence seq = SequenceAt(utf8, i);
    if (units + seq.units > maxUnits) break;
    units += seq.units;
    i += seq.bytes;
  }
  return utf8.substr(0, i);
}

std::string FrameToolDescription(const TrayTipState& state, const Texts& texts) {
  std::string text;
  switch (state.flameStyle) {
    case 0:
    case 1:
      if (state.fixField) text += texts(112);
      text += texts(state.flameStyle == 0 ? 190 : 191);
      break;
    case 2:
      text += state.variLineShape;
      break;
    case 3:
      if (state.captureWindow == 2) {
        text += texts(115);
        text += texts(193);
      } else {
        text += texts(193);
        if (state.captureWindow == 0) text += texts(113);
        if (state.captureWindow == 1) text += texts(114);
      }
      break;
    default:
      break;
  }
  return text;
}

std::string BuildTrayTip(const TrayTipState& state, const Texts& texts) {
  std::string tip(state.caption);
  tip += " (";
  tip += FrameToolDescription(state, texts);
  tip += ')';
  return std::string(CutToUtf16Units(tip, kTrayTipField - 1));
}

}  // namespace snapwell
