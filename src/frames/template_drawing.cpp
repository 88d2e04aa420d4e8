#include "frames/template_drawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "raster/block_transfer.h"

namespace snapwell {
namespace {

constexpr double kNudge = 0.000001;
// Pixel coordinates far beyond any picture are held here, so conversions never overflow.
constexpr double kFarAway = 1e9;

int ToPixel(double value) {
  if (std::isnan(value)) return static_cast<int>(-kFarAway);
  if (value < -kFarAway) value = -kFarAway;
  if (value > kFarAway) value = kFarAway;
  return static_cast<int>(value);
}

int FloorPixel(double value) {
  return ToPixel(std::floor(value));
}

// Nearest whole number, halves to even, as a pixel count.
int NearestPixel(double value) {
  return ToPixel(std::nearbyint(value));
}

bool IsLine(const std::string& command) {
  return command == "l" || command == "L";
}
bool IsArc(const std::string& command) {
  return command == "c" || command == "C";
}

}  // namespace

void DrawTemplateArc(Imaging& imaging, Picture& target, double cx, double cy, double rx, double ry,
                     double start, double end, std::uint32_t colorRef, int drawMode) {
  const int left = FloorPixel(cx - rx + kNudge);
  const int top = FloorPixel(cy - ry + kNudge);
  const int right = FloorPixel(cx + rx + kNudge);
  const int bottom = FloorPixel(cy + ry + kNudge);
  int startX = 0, startY = 0, endX = 0, endY = 0;  // both (0, 0): the whole ellipse
  if (start != end) {
    startX = FloorPixel(rx * std::cos(start) + cx + 0.5);
    startY = FloorPixel(ry * std::sin(start) + cy + 0.5);
    endX = FloorPixel(rx * std::cos(end) + cx + 0.5);
    endY = FloorPixel(ry * std::sin(end) + cy + 0.5);
  }
  imaging.DrawArc(target, left, top, right, bottom, startX, startY, endX, endY, colorRef, drawMode);
}

void DrawTemplateOutline(const CVellFrame& frame, Imaging& imaging, Picture& target, double left, double top,
                         double width, double height, std::uint32_t colorRef, int drawMode) {
  const double boxWidth = frame.Width();
  const double boxHeight = frame.Height();
  if (!(boxWidth > 1.0) || !(boxHeight > 1.0)) return;
  const double sx = (width - 1.0) / (boxWidth - 1.0);
  const double sy = (height - 1.0) / (boxHeight - 1.0);

  target.SetDrawMode(static_cast<DrawMode>(drawMode));
  const std::uint32_t savedPen = target.PenColor();
  target.SetPenColor(vell::FromColorRef(colorRef));
  for (std::int32_t i = 1; i <= frame.DataNum(); ++i) {
    const std::string command = frame.ObjectType(i);
    auto value = [&](std::int16_t operand) { return static_cast<double>(frame.Value(i, operand)); };
    if (IsLine(command)) {
      const int x1 = FloorPixel(value(1) * sx + left + kNudge);
      const int y1 = FloorPixel(value(2) * sy + top + kNudge);
      const int x2 = FloorPixel(value(3) * sx + left + kNudge);
      const int y2 = FloorPixel(value(4) * sy + top + kNudge);
      target.Line(x1, y1, x2, y2);
      target.Point(x2, y2);  // the line leaves out its end point
    } else if (IsArc(command)) {
      const double rx = value(3) * sx;
      const double ry = value(4) * sy;
      if (rx >= 0.5 && ry >= 0.5) {
        DrawTemplateArc(imaging, target, value(1) * sx + left, value(2) * sy + top, rx, ry,
                        value(6) * std::numbers::pi / 180.0, value(7) * std::numbers::pi / 180.0, colorRef,
                        drawMode);
      }
    }
  }
  target.SetPenColor(savedPen);
}

void BuildTemplateMask(const CVellFrame& frame, Imaging& imaging, const TemplateMaskBuffers& buffers,
                       double left, double top, double width, double height) {
  const int sw = buffers.screenWidth;
  const int sh = buffers.screenHeight;
  BitBlt(buffers.board3, 0, 0, sw, sh, buffers.surface, 0, 0, RasterOp::kSrcCopy);
  for (Picture* picture : {&buffers.surface, &buffers.board1, &buffers.board2, &buffers.board3}) {
    picture->SetPenWidth(1);
  }
  // The outline in black into the mask, and inverted over the copy of the surface.
  DrawTemplateOutline(frame, imaging, buffers.board1, left, top, width, height, 0, 1);
  DrawTemplateOutline(frame, imaging, buffers.board3, left, top, width, height, 0, 6);

  // The mask with a 2-pixel white margin, so the fill runs round an outline at the screen's edge;
  // everything outside the outline turns black, then the whole mask is inverted.
  BitBlt(buffers.board2, 2, 2, sw + 2, sh + 2, buffers.board1, 0, 0, RasterOp::kSrcCopy);
  // The margin must be white for the fill to start and run round; whatever a smaller board1 left
  // uncovered is made so too.
  const int board1Right = std::min(buffers.board1.Width(), sw + 2) + 2;
  const int board1Bottom = std::min(buffers.board1.Height(), sh + 2) + 2;
  buffers.board2.FillRect(0, 0, sw + 4, 2, kWhite);
  buffers.board2.FillRect(0, 0, 2, sh + 4, kWhite);
  buffers.board2.FillRect(board1Right, 0, sw + 4 - board1Right, sh + 4, kWhite);
  buffers.board2.FillRect(0, board1Bottom, sw + 4, sh + 4 - board1Bottom, kWhite);
  buffers.board2.SetFillColor(kBlack);
  buffers.board2.SetFillStyle(FillStyle::kSolid);
  buffers.board2.FloodFillBorder(0, 0, kBlack);
  DstInvert(buffers.board2, 0, 0, sw + 4, sh + 4);

  const int x = FloorPixel(left);
  const int y = FloorPixel(top);
  const int w = NearestPixel(width + 1.0);
  const int h = NearestPixel(height + 1.0);
  // The outline pixels belong to the cut-out; the black pixels then take the desktop's colours.
  BitBlt(buffers.board2, x + 2, y + 2, w, h, buffers.board1, x, y, RasterOp::kSrcAnd);
  BitBlt(buffers.board2, x + 2, y + 2, w, h, buffers.surface, x, y, RasterOp::kSrcPaint);

  BitBlt(buffers.surface, 0, 0, sw, sh, buffers.board3, 0, 0, RasterOp::kSrcCopy);
  buffers.board3.SetDrawMode(DrawMode::kCopyPen);
}

}  // namespace snapwell
