// The interface texts from Snapwell.exe's string resources, which Windows picks in the
// language of the user's interface.
#pragma once

#include <windows.h>

#include "text/texts.h"

namespace snapwell::win32 {

Texts LoadResourceTexts(HINSTANCE instance);

}  // namespace snapwell::win32
