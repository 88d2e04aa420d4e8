// What every whole-capture run on the fake platform sets up alike: the screen of a given size,
// and a capture started with a frame tool, as the capture request starts it.
#pragma once

#include <cstdint>

#include "app/app_context.h"
#include "capture/frm_main.h"
#include "support/fake_platform.h"

namespace snapwell::testing {

// A desktop where every pixel differs from its neighbours, so any shifted, flipped or missing
// pixel shows.
inline std::uint32_t DesktopPixel(int x, int y) {
  return (static_cast<std::uint32_t>(x * 7 + y * 13) * 2654435761u) & 0x00FFFFFF;
}

// The fake desktop picture painted with DesktopPixel.
inline void PaintDistinctDesktop(FakePlatform& fake) {
  Picture& screen = fake.desktop.screen;
  for (int y = 0; y < screen.Height(); ++y)
    for (int x = 0; x < screen.Width(); ++x)
      screen.SetPixel(x, y, DesktopPixel(x, y));
}

// A w × h screen (its desktop picture white until filled), a work area 40 pixels short of it,
// and the run told its size as MeasureScreen would.
inline void SetUpScreen(FakePlatform& fake, AppContext& app, int w, int h) {
  fake.screen.size = {w, h};
  fake.desktop.screen = Picture(w, h);
  fake.desktop.metricsWidthTwips = w * 15;
  fake.desktop.workAreaHeight = h - 40;
  app.screenWidth = w;
  app.screenHeight = h;
}

// The capture request with the frame tool `flameStyle` and the fixed-frame mode, then the
// surface loaded and shown.
inline void StartCapture(AppContext& app, FrmMain& form, std::int16_t flameStyle, std::int16_t fixed = 0) {
  app.settings.FlameStyle = flameStyle;
  app.keyLeftDown = app.mouseLeftDown = 0;
  app.showPointer = app.trackMoves = true;
  app.fixedFrame = fixed;
  form.Load();
  form.Show();
}

}  // namespace snapwell::testing
