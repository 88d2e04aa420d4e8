// Pen drawing on a Picture: dots, lines with round pens, circles and ellipses.
// Every shape is first reduced to the set of pixels it covers, then each pixel goes through the
// draw mode exactly once, so inverting modes never cancel themselves inside one shape.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "raster/picture.h"

namespace snapwell {

namespace {

// The pen dot covers [x + kLo, x + kHi] × [y + kLo, y + kHi] for widths 1, 2, 3.
int DotLo(int width) {
  return width == 1 ? 0 : -1;
}
int DotHi(int width) {
  return width == 3 ? 1 : 0;
}

void ApplySpan(vell::PixelView view, int y, std::int64_t x0, std::int64_t x1, DrawMode mode,
               std::uint32_t color) {
  if (y < 0 || y >= view.height) return;
  x0 = std::max<std::int64_t>(x0, 0);
  x1 = std::min<std::int64_t>(x1, std::int64_t{view.width} - 1);
  if (x1 < x0) return;
  std::uint32_t* row = view.Row(y);
  if (mode == DrawMode::kCopyPen || mode == DrawMode::kBlack) {
    std::fill(row + x0, row + x1 + 1, ApplyDrawMode(mode, color, 0));
    return;
  }
  for (std::int64_t x = x0; x <= x1; ++x)
    row[x] = ApplyDrawMode(mode, color, row[x]);
}

// Floor division for a positive divisor.
std::int64_t FloorDiv(__int128 a, __int128 b) {
  __int128 q = a / b;
  if ((a % b != 0) && (a < 0)) --q;
  return static_cast<std::int64_t>(q);
}

}  // namespace

void Picture::Point(int x, int y) {
  const int lo = DotLo(penWidth_);
  const int hi = DotHi(penWidth_);
  for (std::int64_t yy = std::int64_t{y} + lo; yy <= std::int64_t{y} + hi; ++yy) {
    if (yy < 0 || yy >= view_.height) continue;
    ApplySpan(view_, static_cast<int>(yy), std::int64_t{x} + lo, std::int64_t{x} + hi, drawMode_, penColor_);
  }
}

void Picture::Line(int x0, int y0, int x1, int y1) {
  if (Empty()) return;
  const std::int64_t adx = std::llabs(std::int64_t{x1} - x0);
  const std::int64_t ady = std::llabs(std::int64_t{y1} - y0);
  const int sx = x1 >= x0 ? 1 : -1;
  const int sy = y1 >= y0 ? 1 : -1;
  const std::int64_t steps = std::max(adx, ady);  // points 0 .. steps - 1; the end point is left out
  if (steps == 0) return;
  const bool xMajor = adx >= ady;
  const int lo = DotLo(penWidth_);
  const int hi = DotHi(penWidth_);

  // Only the steps whose major coordinate can reach the picture (with the dot) are visited.
  const std::int64_t major0 = xMajor ? x0 : y0;
  const int majorStep = xMajor ? sx : sy;
  const std::int64_t majorLimit = xMajor ? view_.width : view_.height;
  std::int64_t first = 0;
  std::int64_t last = steps - 1;
  if (majorStep > 0) {
    first = std::max(first, -hi - major0);
    last = std::min(last, majorLimit - 1 - lo - major0);
  } else {
    first = std::max(first, major0 + lo - (majorLimit - 1));
    last = std::min(last, major0 + hi);
  }
  if (first > last) return;

  const std::int64_t minorD = xMajor ? ady : adx;
  const std::int64_t minor0 = xMajor ? y0 : x0;
  const int minorStep = xMajor ? sy : sx;
  auto pointAt = [&](std::int64_t i, std::int64_t* px, std::int64_t* py) {
    const std::int64_t major = major0 + majorStep * i;
    // Nearest minor coordinate, halves rounded away from the start.
    const std::int64_t minor = minor0 + minorStep * FloorDiv(static_cast<__int128>(2) * i * minorD + steps,
                                                             static_cast<__int128>(2) * steps);
    *px = xMajor ? major : minor;
    *py = xMajor ? minor : major;
  };

  if (penWidth_ == 1) {
    for (std::int64_t i = first; i <= last; ++i) {
      std::int64_t px = 0;
      std::int64_t py = 0;
      pointAt(i, &px, &py);
      if (px < 0 || py < 0 || px >= view_.width || py >= view_.height) continue;
      std::uint32_t& p = view_.At(static_cast<int>(px), static_cast<int>(py));
      p = ApplyDrawMode(drawMode_, penColor_, p);
    }
    return;
  }

  // Wider pens: collect the covered span of each row (consecutive dots overlap, so it is one run).
  const std::int64_t firstRow = std::max<std::int64_t>(std::min(y0, y1) + std::int64_t{lo}, 0);
  const std::int64_t lastRow = std::min<std::int64_t>(std::max(y0, y1) + std::int64_t{hi}, view_.height - 1);
  if (firstRow > lastRow) return;
  const auto rows = static_cast<std::size_t>(lastRow - firstRow + 1);
  std::vector<std::int64_t> spanLo(rows, std::numeric_limits<std::int64_t>::max());
  std::vector<std::int64_t> spanHi(rows, std::numeric_limits<std::int64_t>::min());
  for (std::int64_t i = first; i <= last; ++i) {
    std::int64_t px = 0;
    std::int64_t py = 0;
    pointAt(i, &px, &py);
    for (std::int64_t yy = std::max(py + lo, firstRow); yy <= std::min(py + hi, lastRow); ++yy) {
      const auto r = static_cast<std::size_t>(yy - firstRow);
      spanLo[r] = std::min(spanLo[r], px + lo);
      spanHi[r] = std::max(spanHi[r], px + hi);
    }
  }
  for (std::size_t r = 0; r < rows; ++r) {
    if (spanLo[r] <= spanHi[r]) {
      ApplySpan(view_, static_cast<int>(firstRow + static_cast<std::int64_t>(r)), spanLo[r], spanHi[r],
                drawMode_, penColor_);
    }
  }
}

void Picture::Circle(double cx, double cy, double r) {
  if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(r) || r < 0) return;
  const double outer = r + penWidth_ / 2.0;
  PaintEllipse(cx, cy, outer, outer);
}

void Picture::Ellipse(int left, int top, int right, int bottom) {
  const double l = std::min(left, right);
  const double rr = std::max(left, right);
  const double t = std::min(top, bottom);
  const double b = std::max(top, bottom);
  PaintEllipse((l + rr) / 2.0, (t + b) / 2.0, (rr - l + 1) / 2.0, (b - t + 1) / 2.0);
}

void Picture::PaintEllipse(double cx, double cy, double outerA, double outerB) {
  if (Empty() || !(outerA > 0) || !(outerB > 0)) return;
  constexpr double kEps = 1e-9;
  const double innerA = outerA - penWidth_;
  const double innerB = outerB - penWidth_;
  const bool hasInside = innerA > 0 && innerB > 0;
  const double yFirst = std::max(0.0, std::ceil(cy - outerB - kEps));
  const double yLast = std::min(static_cast<double>(view_.height - 1), std::floor(cy + outerB + kEps));
  if (yFirst > yLast) return;
  const bool fill = fillStyle_ == FillStyle::kSolid;
  const double xMax = static_cast<double>(view_.width);
  auto clampX = [xMax](double v) { return static_cast<std::int64_t>(std::clamp(v, -1.0, xMax)); };
  for (int y = static_cast<int>(yFirst); y <= static_cast<int>(yLast); ++y) {
    const double dy = y - cy;
    const double t = 1.0 - (dy / outerB) * (dy / outerB);
    if (t < -kEps) continue;
    const double half = outerA * std::sqrt(std::max(t, 0.0));
    const std::int64_t x0 = clampX(std::ceil(cx - half - kEps));
    const std::int64_t x1 = clampX(std::floor(cx + half + kEps));
    if (x1 < x0) continue;
    std::int64_t i0 = x1 + 1;  // inside run [i0, i1], empty by default
    std::int64_t i1 = x1;
    if (hasInside && std::abs(dy) < innerB) {
      const double ti = 1.0 - (dy / innerB) * (dy / innerB);
      const double halfIn = innerA * std::sqrt(std::max(ti, 0.0));
      const std::int64_t a = clampX(std::ceil(cx - halfIn + kEps));
      const std::int64_t b = clampX(std::floor(cx + halfIn - kEps));
      if (a <= b) {
        i0 = std::max(a, x0);
        i1 = std::min(b, x1);
      }
    }
    if (i0 > i1) {
      ApplySpan(view_, y, x0, x1, drawMode_, penColor_);
      continue;
    }
    ApplySpan(view_, y, x0, i0 - 1, drawMode_, penColor_);
    if (fill) ApplySpan(view_, y, i0, i1, drawMode_, fillColor_);
    ApplySpan(view_, y, i1 + 1, x1, drawMode_, penColor_);
  }
}

}  // namespace snapwell
