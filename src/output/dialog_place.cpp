#include "output/dialog_place.h"

namespace snapwell {

void CentreOnArea(FormWindow& window, const ScreenArea& area, const Screen& screen) {
  const long long tx = screen.TwipsPerPixelX();
  const long long ty = screen.TwipsPerPixelY();
  window.Left = static_cast<int>(area.left * tx + (area.Width() * tx - window.Width) / 2);
  window.Top = static_cast<int>(area.top * ty + (area.Height() * ty - window.Height) / 2);
}

ScreenArea DialogAreaOf(const OutputContext& context) {
  if (context.dialogArea.Width() > 0 && context.dialogArea.Height() > 0) return context.dialogArea;
  return PrimaryArea(context.platform.screen.Layout());
}

}  // namespace snapwell
