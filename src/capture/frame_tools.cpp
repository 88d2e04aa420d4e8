// The rectangle, circle and fixed-size frames as they follow the pointer, the frame-template
// preview, and the turning of the frame in the rotation phase.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "capture/capture_math.h"
#include "capture/frm_main.h"
#include "frames/template_drawing.h"
#include "raster/block_transfer.h"

namespace snapwell {
namespace {

// The colour of the unturned reference frame in the rotation phase.
constexpr std::uint32_t kReferenceFrameColor = 0xFFFF00;

// Direction of (x, y) seen from the centre, in screen coordinates (y grows downwards). Each
// distance counts the pixels it spans, so one pixel right and one down is 45 degrees.
float DirectionFromCentre(float centreX, float centreY, std::int32_t x, std::int32_t y, float pi) {
  const std::int64_t dx = static_cast<std::int64_t>(x) - Nearest(centreX);
  const std::int64_t dy = static_cast<std::int64_t>(y) - Nearest(centreY);
  if (dx == 0) return centreY > static_cast<float>(y) ? -pi / 2.0f : pi / 2.0f;
  const std::int64_t product = dx * dy;
  const float sign = product > 0 ? 1.0f : (product < 0 ? -1.0f : 0.0f);
  float a = std::atan(sign * (static_cast<float>(std::llabs(dy)) + 1.0f) /
                      (static_cast<float>(std::llabs(dx)) + 1.0f));
  if (centreX > static_cast<float>(x)) a += pi;
  return a;
}

void ShowLine(LineControl& line, float ax, float ay, float bx, float by) {
  line.X1 = ax;
  line.Y1 = ay;
  line.X2 = bx;
  line.Y2 = by;
  line.Visible = true;
}

}  // namespace

void FrmMain::RectangleDrag(std::int32_t x, std::int32_t y) {
  const std::int32_t left = std::min(x1, x);
  const std::int32_t right = std::max(x1, x);
  const std::int32_t top = std::min(y1, y);
  const std::int32_t bottom = std::max(y1, y);
  const std::int32_t width = right - left + 1;
  const std::int32_t height = bottom - top + 1;
  shpBox.Left = static_cast<float>(left);
  shpBox.Top = static_cast<float>(top);
  shpBox.Width = static_cast<float>(width);
  shpBox.Height = static_cast<float>(height);
  shpBox.Visible = true;
  if (!app.templateMode) return;
  if (width < 3 || height < 3) {
    picVariLineDraw.Visible = false;
    return;
  }
  // The template drawn over the clean desktop inside the frame, in the small preview only.
  picVariLineDraw.Visible = false;
  picVariLineDraw.Left = static_cast<float>(left + 1);
  picVariLineDraw.Top = static_cast<float>(top + 1);
  Picture& preview = picVariLineDraw.picture;
  SizeBuffer(preview, width - 2, height - 2);
  picVariLineDraw.Visible = true;
  BitBlt(preview, 0, 0, width, height, frmBoard.picBoard2, left + 3, top + 3, RasterOp::kSrcCopy);
  DrawTemplateOutline(app.VellFrame, imaging, preview, -1.0, -1.0, width, height, 0, 6);
}

void FrmMain::CircleDrag(std::int32_t x, std::int32_t y) {
  const float dx = centreX - static_cast<float>(x);
  const float dy = centreY - static_cast<float>(y);
  radius = std::sqrt(dx * dx + dy * dy);
  if (2.0f * radius > static_cast<float>(app.screenHeight))
    radius = static_cast<float>(app.screenHeight) / 2.0f;
  shpCircle.Left = static_cast<float>(Nearest(centreX - radius));
  shpCircle.Top = static_cast<float>(Nearest(centreY - radius));
  shpCircle.Width = shpCircle.Height = static_cast<float>(Nearest(2.0f * radius));
  shpCircle.Visible = true;
}

void FrmMain::PrepareFixedFrame() {
  const Settings& s = app.settings;
  if (frameStyle == 0) {
    shpBox.Width = static_cast<float>(s.FixFieldX);
    shpBox.Height = static_cast<float>(s.FixFieldY);
    shpBox.Visible = true;
  } else if (frameStyle == 1) {
    radius = static_cast<float>(s.FixFieldX) / 2.0f;
    shpCircle.Width = shpCircle.Height = 2.0f * radius;
    shpCircle.Visible = true;
  }
}

void FrmMain::FixedFrameFollow(std::int32_t x, std::int32_t y) {
  const Settings& s = app.settings;
  if (frameStyle == 0) {
    x1 = std::min(x, app.screenWidth - s.FixFieldX);
    y1 = std::min(y, app.screenHeight - s.FixFieldY);
    shpBox.Left = static_cast<float>(x1);
    shpBox.Top = static_cast<float>(y1);
    shpBox.Visible = true;
    x2 = x1 + s.FixFieldX - 1;
    y2 = y1 + s.FixFieldY - 1;
  } else if (frameStyle == 1) {
    // The pointer is the centre; an odd diameter sits half a pixel further right and down.
    const float shift = Nearest(2.0f * radius) % 2 == 0 ? 0.0f : 0.5f;
    shpCircle.Left = static_cast<float>(x) - radius + shift;
    shpCircle.Top = static_cast<float>(y) - radius + shift;
    shpCircle.Visible = true;
    x1 = x;
    y1 = y;
  }
}

void FrmMain::RollFlame(std::int32_t& x, std::int32_t& y) {
  if (settleTicks > 0) return;
  if (x == Nearest(centreX) && y == Nearest(centreY)) return;
  const float pi = app.Pi;
  const float a = DirectionFromCentre(centreX, centreY, x, y, pi);
  float d = a - clickAngle;
  clickAngle = a;
  if (d > pi) d -= 2.0f * pi;
  if (d < -pi) d += 2.0f * pi;
  // A jump of more than a quarter turn between two moves is not a turn.
  if (d < -pi / 2.0f || d > pi / 2.0f) return;
  angle += d;
  if (angle >= 3.0f * pi / 2.0f) angle -= 2.0f * pi;
  if (angle < -pi / 2.0f) angle += 2.0f * pi;
  if (std::fabs(angle) < pi / 360.0f) angle = 0.0f;
  const Settings& s = app.settings;
  switch (frameStyle) {
    case 0:
      ShowRotatedRectangle();
      break;
    case 1:
      ShowRotatedCircle();
      break;
    case 2:
      if (s.RollValue != 6 && s.ContOutput == 0) ShowRotatedCircle();
      break;
    default:
      break;
  }
}

void FrmMain::RotationClick(float x, float y) {
  settleTicks = 5;
  endX = Nearest(x);
  endY = Nearest(y);
  // The same direction rule as the moves, so the frame does not jump on the first move.
  clickAngle = DirectionFromCentre(centreX, centreY, endX, endY, app.Pi);
}

void FrmMain::ShowRotatedRectangle() {
  const float r = radius;
  const float c = centreX;
  const float e = centreY;
  const float c1 = r * std::cos(angle + diagonalAngle);
  const float s1 = r * std::sin(angle + diagonalAngle);
  const float c2 = r * std::cos(angle - diagonalAngle);
  const float s2 = r * std::sin(angle - diagonalAngle);
  const Settings& s = app.settings;
  if (s.RollValue == 6 || s.ContOutput != 0) {
    shpBox.Visible = true;
    return;
  }
  // The reference frame in its own colour: drawn in contrast like the turned frame it would cancel
  // it wherever the two lie on each other (all round at 0 degrees).
  shpBox.BorderColor = kReferenceFrameColor;
  shpBox.drawMode = DrawMode::kCopyPen;
  shpBox.Visible = true;
  const float ax = c - c1, ay = e - s1;
  const float bx = c - c2, by = e - s2;
  const float cx = c + c1, cy = e + s1;
  const float dx = c + c2, dy = e + s2;
  ShowLine(Line1, cx, cy, dx, dy);
  ShowLine(Line2, dx, dy, ax, ay);
  ShowLine(Line3, ax, ay, bx, by);
  ShowLine(Line4, bx, by, cx, cy);
}

void FrmMain::ShowRotatedCircle() {
  const float r = radius;
  const bool odd = Nearest(2.0f * r) % 2 != 0;
  const float p = std::floor(centreX) - (odd ? 0.5f : 0.0f);
  const float q = std::floor(centreY) - (odd ? 0.5f : 0.0f);
  const float pi = app.Pi;
  float u = 0.5f;
  float v = 0.5f;
  if (angle >= 0.0f && angle <= pi / 4.0f) {
    u = 2.5f;
    v = 1.5f;
  } else if (angle > pi / 4.0f && angle <= pi / 2.0f) {
    u = 1.0f;
    v = 2.0f;
  }
  const float lift = odd ? 0.5f : 0.0f;
  const float px = centreX + r * std::cos(angle) - u;
  const float py = centreY + r * std::sin(angle) - v - lift;
  const float qx = centreX + r * std::cos(angle + pi) - u;
  const float qy = centreY + r * std::sin(angle + pi) - v - lift;
  const Settings& s = app.settings;
  if (s.RollValue != 6 && s.ContOutput == 0) {
    ShowLine(Line0, centreX - r - 1.5f, centreY - 1.6f, centreX + r - 1.5f, centreY - 1.6f);
    Line0.drawMode = DrawMode::kCopyPen;  // as the reference frame: the turned diameter stays visible on it
    ShowLine(Line1, px, py, qx, qy);
    Line1.drawMode = DrawMode::kContrast;
  }
  shpCircle.drawMode = DrawMode::kContrast;
  shpCircle.Left = p - r - 1.0f;
  shpCircle.Top = q - r - 1.0f;
  shpCircle.Width = shpCircle.Height = static_cast<float>(Nearest(2.0f * r));
  shpCircle.Visible = true;
}

}  // namespace snapwell
