#include "text/fonts.h"

namespace snapwell {

int CharSetFromText(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
    ++i;
  int value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > 255) return 255;
  }
  return value;
}

FontSpec DialogFont(const Texts& texts) {
  return FontSpec{std::string(texts(101)), 9, false, CharSetFromText(texts(103))};
}

FontSpec LargeFont(const Texts& texts) {
  return FontSpec{std::string(texts(101)), 12, true, CharSetFromText(texts(103))};
}

FontSpec PointerFont(const Texts& texts) {
  return FontSpec{std::string(texts(102)), 9, false, CharSetFromText(texts(103))};
}

}  // namespace snapwell
