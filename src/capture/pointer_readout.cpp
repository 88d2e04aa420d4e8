// The pointer readout `frmPointer`: the pointer position, the frame size, the circle's diameter
// or the rotation angle, in a small window that keeps beside the pointer without covering the frame.
#include <cstdio>

#include "capture/capture_math.h"
#include "capture/frm_main.h"
#include "text/number_text.h"

namespace snapwell {

FrmPointer::FrmPointer(FrmMain& surface, Desktop& desktop) : surface_(surface), desktop_(desktop) {}

void FrmPointer::Load() {
  if (loaded) return;
  loaded = true;
  font = PointerFont(surface_.app.texts);
  SetText("(0,0)");
}

void FrmPointer::Show() {
  Load();
  Visible = true;
  surface_.PlacePointer(ZPlace::Topmost);
}

void FrmPointer::Hide() {
  if (!loaded) return;
  Visible = false;
  desktop_.ShowWindow(OwnWindow::Pointer, false);
}

void FrmPointer::Unload() {
  if (!loaded) return;
  Hide();
  loaded = false;
  lblPointer = "(0,0)";
}

void FrmPointer::SetText(const std::string& text) {
  lblPointer = text;
  const TextExtent extent = desktop_.MeasureText(font, text);
  const Screen& screen = surface_.app.platform.screen;
  Width = extent.width * screen.TwipsPerPixelX() + 60;
  Height = extent.height * screen.TwipsPerPixelY() + 25;
}

void FrmPointer::Form_KeyDown(std::int16_t keyCode, std::int16_t shift) {
  if (keyCode == 32 && surface_.frameStyle == 2) desktop_.Focus(OwnWindow::Surface);
  surface_.KeyDown(keyCode, shift);
}

void FrmPointer::Form_KeyUp(std::int16_t keyCode, std::int16_t shift) {
  surface_.KeyUp(keyCode, shift);
}

void FrmPointer::Form_MouseMove(std::int16_t button, std::int16_t shift) {
  AppContext& app = surface_.app;
  if (!app.trackMoves) {
    app.trackMoves = true;
    return;
  }
  const PointerPos at = desktop_.GetCursorPos();
  surface_.MouseMove(static_cast<std::int16_t>(button | app.keyLeftDown), shift, at.x, at.y);
}

void FrmMain::UpdateReadout() {
  if (!app.showPointer) return;
  std::string text;
  if (!started) {
    text = "(" + std::to_string(pointerX) + "," + std::to_string(pointerY) + ")";
  } else if (frameStyle == 0) {
    text = "(" + GeneralNumber(shpBox.Width) + "," + GeneralNumber(shpBox.Height) + ")";
  } else if (frameStyle == 1) {
    text = std::string(app.texts(116)) + " " + std::to_string(Nearest(2.0f * radius));
  } else {
    text = "(" + std::to_string(endX) + "," + std::to_string(endY) + ")";
  }
  if (rotating) {
    // Degrees to the hundredth, folded into -180 … 180.
    double d = Nearest(angle * 18000.0f / app.Pi) / 100.0;
    if (d > 180.0) d -= 360.0;
    if (d < -180.0) d += 360.0;
    char number[32];
    std::snprintf(number, sizeof number, "%.2f", d);
    text = number + std::string(app.texts(117));
  }
  frmPointer.SetText(text);

  const Screen& screen = app.platform.screen;
  const std::int32_t twipsX = screen.TwipsPerPixelX();
  const std::int32_t twipsY = screen.TwipsPerPixelY();
  const std::int32_t surfaceWidth = app.screenWidth * twipsX;
  const std::int32_t surfaceHeight = app.screenHeight * twipsY;
  if (frameStyle == 2 && started && !rotating) {
    // Out of sight, so that it cannot cover the stroke.
    frmPointer.Left = surfaceWidth + 10;
    frmPointer.Top = surfaceHeight + 10;
    return;
  }
  const std::int32_t px = Nearest(static_cast<double>(twipsX) * pointerX);
  const std::int32_t py = Nearest(static_cast<double>(twipsY) * pointerY);
  const std::int32_t w = frmPointer.Width;
  const std::int32_t h = frmPointer.Height;
  const bool dragging = started && app.fixedFrame == 0;
  // The readout stays on the monitor under the pointer.
  const ScreenArea monitor = MonitorAt(app.screenLayout, pointerX, pointerY);
  const std::int32_t limitX =
      dragging && pointerX < x1 ? monitor.left * twipsX + w + 240 : monitor.right * twipsX - w - 239;
  frmPointer.Left = px >= limitX ? px - w - 240 : px + 240;
  const std::int32_t limitY =
      dragging && pointerY > y1 ? monitor.bottom * twipsY - h - 239 : monitor.top * twipsY + h + 240;
  frmPointer.Top = py < limitY ? py + 240 : py - h - 240;
}

}  // namespace snapwell
