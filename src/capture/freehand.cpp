// The freehand outline: the stroke is drawn in black into the mask picBoard1 and shown on the
// frozen desktop inverted, redrawn from the clean copy so that the desktop picture is never lost.
#include <algorithm>

#include "capture/frm_main.h"
#include "raster/block_transfer.h"

namespace snapwell {

void FrmMain::StartOutline() {
  Picture& mask = frmBoard.picBoard1;
  mask.SetPenColor(kBlack);
  mask.SetPenWidth(app.settings.FreehandLineWidth);
  mask.SetDrawMode(DrawMode::kCopyPen);
  mask.Point(x1, y1);
  x2 = x1;
  y2 = y1;
  endX = x1;
  endY = y1;
}

void FrmMain::StrokeSegment(std::int32_t x, std::int32_t y) {
  Picture& mask = frmBoard.picBoard1;
  Picture& clean = frmBoard.picBoard2;
  Picture& compose = frmBoard.picBoard3;
  const std::int32_t w = app.settings.FreehandLineWidth;
  mask.SetPenColor(kBlack);
  mask.SetPenWidth(w);
  mask.SetDrawMode(DrawMode::kCopyPen);
  mask.Line(endX, endY, x, y);
  // Only the rectangle the segment touched is redrawn: the clean desktop, inverted where the
  // mask is black.
  const std::int32_t left = std::min(x, endX) - w;
  const std::int32_t right = std::max(x, endX) + w;
  const std::int32_t top = std::min(y, endY) - w;
  const std::int32_t bottom = std::max(y, endY) + w;
  const std::int32_t width = right - left + 1;
  const std::int32_t height = bottom - top + 1;
  BitBlt(compose, left, top, width, height, clean, left + 2, top + 2, RasterOp::kSrcCopy);
  BitBlt(compose, left, top, width, height, mask, left, top, RasterOp::kSrcInvert);
  BitBlt(surface, left, top, width, height, compose, left, top, RasterOp::kNotSrcCopy);
  endX = x;
  endY = y;
  x1 = std::min(x1, x);
  y1 = std::min(y1, y);
  x2 = std::max(x2, x);
  y2 = std::max(y2, y);
}

}  // namespace snapwell
