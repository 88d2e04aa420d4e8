#include "text/fonts.h"

#include "text/number_text.h"

namespace snapwell {

int CharSetFromText(std::string_view text) {
  const double value = ReadLeadingNumber(text);
  if (!(value > 0.0)) return 0;
  return value >= 255.0 ? 255 : RoundToInt32(value).value_or(0);
}

FontChoice DialogFont(const Texts& texts) {
  return FontChoice{std::string(texts(101)), 9, false, CharSetFromText(texts(103))};
}

FontChoice LargeFont(const Texts& texts) {
  return FontChoice{std::string(texts(101)), 12, true, CharSetFromText(texts(103))};
}

FontChoice PointerFont(const Texts& texts) {
  return FontChoice{std::string(texts(102)), 9, false, CharSetFromText(texts(103))};
}

}  // namespace snapwell
