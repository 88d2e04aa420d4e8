// UTF-8 <-> UTF-16 at the boundary to the wide Win32 API.
#pragma once

#include <string>
#include <string_view>

namespace snapwell::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace snapwell::win32
