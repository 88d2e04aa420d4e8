// CutOutRegion: the marked region cut out of the frozen desktop into picBoard1 with everything
// outside the outline white, mirrored on the way, then scaled to the top-left corner.
#include <algorithm>
#include <cmath>

#include "frames/template_drawing.h"
#include "output/series.h"
#include "raster/block_transfer.h"
#include "transform/hand_over.h"
#include "transform/scale.h"

namespace snapwell {
namespace {

float Sign(float v) {
  return static_cast<float>((v > 0.0f) - (v < 0.0f));
}

}  // namespace

Transform::Transform(FrmMain& surface, TransformDialogs& dialogs) : m_(surface), dialogs_(dialogs) {}

void Transform::PrepareBuffers() {
  // The freehand and template masks address picBoard2 two pixels in on every side.
  const std::int32_t margin = m_.Board2Margin();
  GrowBuffer(m_.frmBoard.picBoard2, std::int64_t{m_.app.screenWidth} + margin,
             std::int64_t{m_.app.screenHeight} + margin);
}

void Transform::CutOutFreehand(std::int16_t reverseValue) {
  FrmBoard& board = m_.frmBoard;
  Picture& b1 = board.picBoard1;
  Picture& b2 = board.picBoard2;
  Picture& b3 = board.picBoard3;
  Picture& s = m_.surface;
  const int sw = m_.app.screenWidth, sh = m_.app.screenHeight;

  // The pen's width is part of the outline: the box grows by half of it.
  const int k = m_.app.settings.FreehandLineWidth / 2;
  m_.x1 -= k;
  m_.y1 -= k;
  m_.x2 += k;
  m_.y2 += k;
  const int w = m_.x2 - m_.x1 + 1, h = m_.y2 - m_.y1 + 1;
  m_.centreX = static_cast<float>(m_.x1 + m_.x2) / 2.0f;
  m_.centreY = static_cast<float>(m_.y1 + m_.y2) / 2.0f;
  m_.radius =
      std::sqrt(std::pow(static_cast<float>(w) / 2.0f, 2.0f) + std::pow(static_cast<float>(h) / 2.0f, 2.0f));

  // The outline onto the margin of picBoard2; the fill from the margin blackens the outside, the
  // invert turns that into a black inside on white, and the outline itself joins the inside.
  BitBlt(b2, 2, 2, sw + 2, sh + 2, b1, 0, 0, RasterOp::kSrcCopy);
  b2.SetFillColor(kBlack);
  b2.FloodFillBorder(0, 0, kBlack);
  DstInvert(b2, 2, 2, sw + 2, sh + 2);
  BitBlt(b2, m_.x1 + 2, m_.y1 + 2, w + 2, h + 2, b1, m_.x1, m_.y1, RasterOp::kSrcAnd);
  // The outline shown inverted on the surface is taken off before the surface's pixels are used,
  // so the stroke's own pixels keep the desktop's colours in the cut-out.
  BitBlt(b3, m_.x1, m_.y1, w, h, b1, m_.x1, m_.y1, RasterOp::kNotSrcCopy);
  BitBlt(s, m_.x1, m_.y1, w, h, b3, m_.x1, m_.y1, RasterOp::kSrcInvert);
  BlitWhiteOutside(b2, m_.x1 + 2, m_.y1 + 2, w, h, s, m_.x1, m_.y1, RasterOp::kSrcPaint);

  MirroredStripCopy({b2, 2, 2, RasterOp::kSrcCopy}, b3, b1, {m_.x1, m_.y1, m_.x2, m_.y2}, reverseValue);
  if (m_.app.settings.RollValue != 6 && m_.app.settings.ContOutput == 0) m_.ShowRotatedCircle();
}

bool Transform::CutOutCircle(std::int16_t reverseValue) {
  const float diameter = std::nearbyint(m_.radius * 2.0f);
  if (m_.shpCircle.Width == 0.0f || diameter <= 0.0f) return false;
  const int d = static_cast<int>(diameter);
  m_.radius = diameter / 2.0f;
  const float shift = d % 2 == 0 ? 1.0f : 1.5f;
  m_.centreX += shift;
  m_.centreY += shift;
  m_.x1 = static_cast<std::int32_t>(std::floor(m_.centreX - m_.radius));
  m_.y1 = static_cast<std::int32_t>(std::floor(m_.centreY - m_.radius));
  m_.x2 = m_.x1 + d - 1;
  m_.y2 = m_.y1 + d - 1;

  // A black disc on white in picBoard2, drawn in the buffer's pen (the line width of the
  // capture), then ORed with the desktop.
  Picture& b2 = m_.frmBoard.picBoard2;
  b2.FillRect(m_.x1, m_.y1, d, d, kWhite);
  const DrawMode mode = b2.GetDrawMode();
  b2.SetPenColor(kBlack);
  b2.SetDrawMode(DrawMode::kCopyPen);
  b2.SetFillColor(kBlack);
  b2.SetFillStyle(FillStyle::kSolid);
  b2.Circle(m_.centreX - 1.0f, m_.centreY - 1.0f, m_.radius - 0.5f);
  b2.SetDrawMode(mode);

  // The circle's copies lie one pixel right of and below the desktop: a disc touching the right or
  // bottom edge needs one more column or row in picBoard1 to keep its last desktop pixels.
  GrowBuffer(m_.frmBoard.picBoard1, std::min<std::int64_t>(m_.x2 + 1, std::int64_t{m_.app.screenWidth} + 1),
             std::min<std::int64_t>(m_.y2 + 1, std::int64_t{m_.app.screenHeight} + 1));
  MirroredStripCopy({m_.surface, -1, -1, RasterOp::kSrcPaint}, b2, m_.frmBoard.picBoard1,
                    {m_.x1, m_.y1, m_.x2, m_.y2}, reverseValue);
  m_.ShowRotatedCircle();
  return true;
}

void Transform::CutOutRectangle(std::int32_t endX, std::int32_t endY, std::int16_t reverseValue) {
  std::int32_t left = m_.x1, top = m_.y1, right = m_.x2, bottom = m_.y2;
  if (m_.app.fixedFrame == 0) {
    left = std::min(m_.x1, endX);
    right = std::max(m_.x1, endX);
    top = std::min(m_.y1, endY);
    bottom = std::max(m_.y1, endY);
  }
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, m_.app.screenWidth - 1);
  bottom = std::min(bottom, m_.app.screenHeight - 1);

  FrmBoard& board = m_.frmBoard;
  const StripBlock block{left, top, right, bottom};
  if (m_.app.templateMode) {
    m_.picVariLineDraw.Visible = false;
    board.picBoard1.Clear();
    BuildTemplateMask(m_.app.VellFrame, m_.imaging,
                      {m_.surface, board.picBoard1, board.picBoard2, board.picBoard3, m_.app.screenWidth,
                       m_.app.screenHeight},
                      static_cast<float>(left), static_cast<float>(top), static_cast<float>(right - left + 1),
                      static_cast<float>(bottom - top + 1));
    MirroredStripCopy({board.picBoard2, 2, 2, RasterOp::kSrcCopy}, board.picBoard3, board.picBoard1, block,
                      reverseValue);
  } else {
    MirroredStripCopy({m_.surface, 0, 0, RasterOp::kSrcCopy}, board.picBoard2, board.picBoard1, block,
                      reverseValue);
  }

  m_.x1 = left;
  m_.y1 = top;
  m_.x2 = right;
  m_.y2 = bottom;
  const float dx = static_cast<float>(right - left), dy = static_cast<float>(bottom - top);
  m_.radius = std::sqrt(std::pow(dx / 2.0f, 2.0f) + std::pow(dy / 2.0f, 2.0f));
  m_.centreX = static_cast<float>(left) + dx / 2.0f;
  m_.centreY = static_cast<float>(top) + dy / 2.0f;
  m_.diagonalAngle =
      dx == 0.0f
          ? static_cast<float>(2.0 * std::atan(1.0)) * Sign(dy)
          : static_cast<float>(std::atan(Sign(dx * dy) * (std::fabs(dy) + 1.0f) / (std::fabs(dx) + 1.0f)));
  m_.ShowRotatedRectangle();
}

void Transform::StartSeries() {
  AppContext& app = m_.app;
  m_.frmPointer.Unload();
  app.seriesTotal = SeriesCount(app.settings.StartAng, app.settings.EndAng, app.settings.StepAng);
  app.seriesIndex = 1;
  dialogs_.DisableSettingsDialog();
  if (app.settings.OutDialog == 0) {
    m_.Visible = false;
    m_.desktop.ShowWindow(OwnWindow::Surface, false);
    dialogs_.ShowSeriesProgress(SeriesStartText(app.seriesTotal));
  }
  m_.SetMousePointer(PointerKind::Cross);
}

void Transform::CutOutRegion(std::int32_t& endX, std::int32_t& endY, std::int16_t& ok) {
  ok = -1;
  if (m_.cutOutActive) return;
  AppContext& app = m_.app;
  const Settings& settings = app.settings;
  m_.SetMousePointer(PointerKind::Hourglass);

  if (settings.ContOutput == 1) {
    app.showPointer = false;
    dialogs_.DisableSettingsDialog();
    m_.PlaceCaptureWindows(ZPlace::NotTopmost);
    m_.cutOutActive = true;
    dialogs_.ShowSeriesDialog();
    m_.cutOutActive = false;
    if (app.seriesCancel) {
      // Nothing is cut out; the caller ends the capture (which enables the settings dialog).
      ok = 0;
      return;
    }
    m_.angle = static_cast<float>(settings.StartAng / 45.0f * std::atan(1.0f));
    m_.rotating = true;
  }

  PrepareBuffers();
  const std::int16_t reverseValue = settings.ReverseValue;
  switch (m_.frameStyle) {
    case 2:
      CutOutFreehand(reverseValue);
      break;
    case 1:
      if (!CutOutCircle(reverseValue)) {
        ok = 0;  // a circle without size: nothing to output
        m_.SetMousePointer(PointerKind::Cross);
        return;
      }
      break;
    case 0:
      CutOutRectangle(endX, endY, reverseValue);
      break;
    default:
      break;
  }
  // The rotation phase (or the series) follows the cut-out of a drawn region.
  if (m_.frameStyle >= 0 && m_.frameStyle <= 2 && (settings.RollValue != 6 || settings.ContOutput != 0)) {
    m_.rotating = true;
  }
  m_.UpdateReadout();

  const ScaleJob job{m_.frmBoard.picBoard1,
                     m_.frmBoard.picBoard2,
                     m_.x1,
                     m_.y1,
                     m_.x2,
                     m_.y2,
                     settings.EnlargeValue,
                     settings.EnlargeColorControl,
                     settings.ReductColorControl,
                     app.screenWidth,
                     app.screenHeight};
  if (ScaleCutOut(job, m_.imaging, app.platform.ui, app.texts) != ScaleOutcome::Scaled) {
    ok = 0;
    m_.SetMousePointer(PointerKind::Cross);
    return;
  }
  if (settings.ContOutput == 1) StartSeries();
  m_.SetMousePointer(PointerKind::Cross);
}

}  // namespace snapwell
