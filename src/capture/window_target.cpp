// The window frame tool: a window's rectangle, read from the live windows, becomes a fixed
// rectangle on the frozen desktop. Rectangles come with right and bottom exclusive.
#include <algorithm>

#include "capture/capture_math.h"
#include "capture/frm_main.h"

namespace snapwell {
namespace {

// A chain of parents longer than this is a broken window tree; the walk stops there.
constexpr int kMaxWalk = 100000;

// Clamps a rectangle to the screen, right and bottom staying exclusive.
WindowRect ClampToScreen(WindowRect r, std::int32_t screenWidth, std::int32_t screenHeight) {
  r.left = std::max(r.left, 0);
  r.top = std::max(r.top, 0);
  r.right = std::min(r.right, screenWidth);
  r.bottom = std::min(r.bottom, screenHeight);
  return r;
}

}  // namespace

void FrmMain::PickWindow() {
  app.fixedFrame = 1;
  windowPicked = true;
  frameStyle = 0;
  // Hidden, and the readout with it, so that the window below them is found: before the first
  // move the readout may still stand where the press is.
  const bool wasVisible = Visible;
  const bool readoutShown = frmPointer.Visible;
  Visible = false;
  desktop.ShowWindow(OwnWindow::Surface, false);
  if (readoutShown) frmPointer.Hide();
  WindowHandle h = desktop.WindowFromPoint(x1, y1);
  if (h != 0 && windowMode == 0) {
    // "Whole": the top-level window the control belongs to. Owners are not followed, so a
    // button in an owned dialog gives the dialog.
    for (int i = 0; i < kMaxWalk && (desktop.GetWindowStyle(h) & kWsChild) != 0; ++i) {
      const WindowHandle parent = desktop.GetParent(h);
      if (parent == 0 || parent == h) break;
      h = parent;
    }
  }
  WindowRect r;
  if (h == 0 || !desktop.GetWindowRect(h, r)) r = {0, 0, app.screenWidth, app.screenHeight};
  x1 = r.left;
  y1 = r.top;
  x2 = r.right - 1;
  y2 = r.bottom - 1;
  Visible = wasVisible;
  if (wasVisible) desktop.ShowWindow(OwnWindow::Surface, true);
  if (readoutShown) frmPointer.Show();
  shpBox.Left = static_cast<float>(x1);
  shpBox.Top = static_cast<float>(y1);
  shpBox.Width = static_cast<float>(x2 - x1 + 1);
  shpBox.Height = static_cast<float>(y2 - y1 + 1);
  shpBox.Visible = true;
}

bool FrmMain::IsCandidateWindow(WindowHandle window) const {
  const std::uint32_t style = desktop.GetWindowStyle(window);
  return (style & kWsVisible) != 0 && (style & (kWsPopup | kWsSysMenu)) != 0;
}

WindowHandle FrmMain::FindActiveWindow() {
  const std::int32_t workBottom = desktop.WorkAreaHeight();
  const std::int32_t sw = app.screenWidth;
  const std::int32_t sh = app.screenHeight;
  WindowHandle h = desktop.FirstChild(desktop.DesktopWindow());
  for (int i = 0; h != 0 && i < kMaxWalk; ++i, h = desktop.NextWindow(h)) {
    if (desktop.IsProgramWindow(h) || !IsCandidateWindow(h)) continue;
    WindowRect r;
    if (!desktop.GetWindowRect(h, r)) continue;
    if (!(r.left < sw + 4 && r.right > -4 && r.top < workBottom && r.bottom > -4)) continue;
    const WindowRect c = ClampToScreen(r, sw, sh);
    if (static_cast<std::int64_t>(c.right) - c.left >= 16 &&
        static_cast<std::int64_t>(c.bottom) - c.top >= 16) {
      return h;
    }
  }
  return desktop.DesktopWindow();
}

void FrmMain::CaptureActiveWindow() {
  WindowRect r{0, 0, app.screenWidth, app.screenHeight};
  if (activeWindow != 0 && !desktop.GetWindowRect(activeWindow, r)) {
    r = {0, 0, app.screenWidth, app.screenHeight};
  }
  r = ClampToScreen(r, app.screenWidth, app.screenHeight);
  const float centreXAt = (static_cast<float>(r.right) + static_cast<float>(r.left)) / 2.0f;
  const float centreYAt = (static_cast<float>(r.bottom) + static_cast<float>(r.top)) / 2.0f;
  windowMode = 0;
  if (Visible) PlaceSurface(ZPlace::Topmost);
  // The readout stays with this capture (it shows the angle in a rotation phase).
  app.showPointer = true;
  app.SelectionInProgress = true;
  started = true;
  app.fixedFrame = 1;
  windowPicked = true;
  frameStyle = 0;
  x1 = r.left;
  y1 = r.top;
  x2 = r.right - 1;
  y2 = r.bottom - 1;
  shpBox.Left = static_cast<float>(x1);
  shpBox.Top = static_cast<float>(y1);
  shpBox.Width = static_cast<float>(x2 - x1 + 1);
  shpBox.Height = static_cast<float>(y2 - y1 + 1);
  shpBox.Visible = true;
  MouseUp(0, 0, centreXAt, centreYAt);
  if (!loaded || !released) return;
  HandOverRegion();
}

}  // namespace snapwell
