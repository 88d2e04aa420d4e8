// What the output dialogs share: centring a window on the screen and reading the number a user
// typed into a box.
#pragma once

#include <string_view>

#include "platform/form_controls.h"
#include "platform/screen.h"

namespace snapwell {

// Left and top (twips) so that the window stands in the middle of the screen.
void CentreOnScreen(FormWindow& window, const Screen& screen);

}  // namespace snapwell
