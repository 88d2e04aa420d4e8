#include "output/dialog_place.h"

#include <charconv>
#include <limits>
#include <string>

namespace snapwell {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t Digits(std::string_view text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at]))
    ++at;
  return at;
}

}  // namespace

void CentreOnScreen(FormWindow& window, const Screen& screen) {
  const ScreenSize size = screen.DesktopSize();
  const long long width = static_cast<long long>(size.width) * screen.TwipsPerPixelX();
  const long long height = static_cast<long long>(size.height) * screen.TwipsPerPixelY();
  window.Left = static_cast<int>((width - window.Width) / 2);
  window.Top = static_cast<int>((height - window.Height) / 2);
}

double ReadTypedNumber(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
    ++at;
  const std::size_t start = at;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  const std::size_t intStart = at;
  at = Digits(text, at);
  bool any = at > intStart;
  if (at < text.size() && text[at] == '.') {
    const std::size_t fracStart = at + 1;
    const std::size_t fracEnd = Digits(text, fracStart);
    if (any || fracEnd > fracStart) {
      any = true;
      at = fracEnd;
    }
  }
  if (!any) return 0.0;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    std::size_t exp = at + 1;
    if (exp < text.size() && (text[exp] == '+' || text[exp] == '-')) ++exp;
    const std::size_t expEnd = Digits(text, exp);
    if (expEnd > exp) at = expEnd;
  }
  std::string number(text.substr(start, at - start));
  if (number.front() == '+') number.erase(0, 1);
  double value = 0.0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Too large or too small: the exponent's sign tells which.
    const std::size_t e = number.find_first_of("eE");
    const bool tiny = e != std::string::npos && e + 1 < number.size() && number[e + 1] == '-';
    if (tiny) return 0.0;
    return number.front() == '-' ? std::numeric_limits<double>::lowest() : std::numeric_limits<double>::max();
  }
  return error == std::errc() ? value : 0.0;
}

}  // namespace snapwell
