#include "win32/texts_win32.h"

#include <optional>
#include <string>

#include "win32/text_win32.h"

namespace snapwell::win32 {

Texts LoadResourceTexts(HINSTANCE instance) {
  // Windows picks the resource language; the loaded texts tell which one it was.
  return Texts::FromLoader([instance](int id) -> std::optional<std::string> {
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW hands out a pointer into the resource itself.
    const int length = LoadStringW(instance, static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) return std::nullopt;
    return Narrow(std::wstring_view(text, static_cast<std::size_t>(length)));
  });
}

}  // namespace snapwell::win32
