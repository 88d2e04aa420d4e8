// What the output dialogs share: centring a window on the screen and reading the number a user
// typed into a box.
#pragma once

#include <string_view>

#include "app/form_controls.h"
#include "platform/screen.h"

namespace snapwell {

// Left and top (twips) so that the window stands in the middle of the screen.
void CentreOnScreen(FormWindow& window, const Screen& screen);

// The leading number of a typed text: blanks are skipped, then an optional sign, digits with an
// optional decimal part and exponent; anything after it is ignored. No number reads 0, a
// number too large for a double reads as the largest one of its sign.
double ReadTypedNumber(std::string_view text);

}  // namespace snapwell
