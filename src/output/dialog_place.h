// Where the output dialogs stand: in the middle of an area of the screen.
#pragma once

#include "output/output_context.h"
#include "platform/form_controls.h"
#include "platform/screen.h"

namespace snapwell {

// Left and top (twips, system coordinates) so that the window stands in the middle of `area`
// (system pixels).
void CentreOnArea(FormWindow& window, const ScreenArea& area, const Screen& screen);

// The area the output dialogs stand in: the context's, or the primary monitor as it stands now.
ScreenArea DialogAreaOf(const OutputContext& context);

}  // namespace snapwell
