#include "text/text_format.h"

namespace snapwell {

namespace {

bool IsPlaceholderDigit(char c) {
  return c >= '1' && c <= '9';
}

}  // namespace

std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(pattern.size());
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c != '%' || i + 1 == pattern.size()) {
      out += c;
      continue;
    }
    const char next = pattern[i + 1];
    if (next == '%') {
      out += '%';
      ++i;
    } else if (IsPlaceholderDigit(next)) {
      const std::size_t index = static_cast<std::size_t>(next - '1');
      if (index < args.size()) {
        out += *(args.begin() + index);
      } else {
        out += c;
        out += next;
      }
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace snapwell
