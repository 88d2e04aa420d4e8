#include "output/dialog_place.h"

namespace snapwell {

void CentreOnScreen(FormWindow& window, const Screen& screen) {
  const ScreenSize size = screen.DesktopSize();
  const long long width = static_cast<long long>(size.width) * screen.TwipsPerPixelX();
  const long long height = static_cast<long long>(size.height) * screen.TwipsPerPixelY();
  window.Left = static_cast<int>((width - window.Width) / 2);
  window.Top = static_cast<int>((height - window.Height) / 2);
}

}  // namespace snapwell
