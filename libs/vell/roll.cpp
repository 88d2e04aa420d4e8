// Rotation of a source rectangle onto a canvas about two centres.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "blend.h"
#include "geometry.h"

namespace vell {
namespace {

// Narrows [lo, hi] to the x for which lower <= a + x * k < upper, give or take one pixel:
// only a pre-selection; each pixel is tested exactly afterwards.
void NarrowSpan(double a, double k, double lower, double upper, double& lo, double& hi) {
  if (std::abs(k) < 1e-12) {
    if (a < lower - 1.0 || a >= upper + 1.0) hi = lo - 1.0;
    return;
  }
  double x1 = (lower - a) / k;
  double x2 = (upper - a) / k;
  if (x1 > x2) std::swap(x1, x2);
  lo = std::max(lo, x1 - 1.0);
  hi = std::min(hi, x2 + 1.0);
}

}  // namespace

double NormalizeAngle(double angle) {
  constexpr double kTwoPi = 2.0 * std::numbers::pi;
  double r = std::remainder(angle, kTwoPi);  // exact, in [-pi, pi]
  if (r <= -std::numbers::pi) r += kTwoPi;
  return r;
}

bool Roll(PixelView dst, double dstCentreX, double dstCentreY, int width, int height, double angle,
          ConstPixelView src, double srcCentreX, double srcCentreY, RollSampling sampling,
          InclusiveRect rect) {
  for (double v : {dstCentreX, dstCentreY, angle, srcCentreX, srcCentreY}) {
    if (!std::isfinite(v)) return false;
  }
  if (dst.pixels == nullptr || src.pixels == nullptr) return false;
  const int left = std::max(rect.left, 0);
  const int top = std::max(rect.top, 0);
  const int right = std::min(rect.right, src.width - 1);
  const int bottom = std::min(rect.bottom, src.height - 1);
  const int canvasW = std::min(width, dst.width);
  const int canvasH = std::min(height, dst.height);
  if (left > right || top > bottom || canvasW <= 0 || canvasH <= 0) return true;

  const double a = NormalizeAngle(angle);
  const double c = std::cos(a);
  const double s = std::sin(a);
  // The nearest source pixel floor(v + 0.5) lies in [left, right] exactly when
  // left - 0.5 <= v < right + 0.5.
  const double xLow = left - 0.5, xHigh = right + 0.5;
  const double yLow = top - 0.5, yHigh = bottom + 0.5;
  const bool bilinear = sampling == RollSampling::kBilinear;

  for (int y = 0; y < canvasH; ++y) {
    const double dy = y - dstCentreY;
    // Inverse rotation: source = centre + R(-angle) * (canvas - centre).
    const double rowX = srcCentreX - dstCentreX * c + dy * s;
    const double rowY = srcCentreY + dstCentreX * s + dy * c;
    double lo = 0.0, hi = canvasW - 1.0;
    NarrowSpan(rowX, c, xLow, xHigh, lo, hi);
    NarrowSpan(rowY, -s, yLow, yHigh, lo, hi);
    if (lo > hi) continue;
    const int x0 = static_cast<int>(std::ceil(lo));
    const int x1 = static_cast<int>(std::floor(hi));
    std::uint32_t* out = dst.Row(y);
    for (int x = x0; x <= x1; ++x) {
      const double sx = rowX + x * c;
      const double sy = rowY - x * s;
      if (!(sx >= xLow && sx < xHigh && sy >= yLow && sy < yHigh)) continue;
      if (!bilinear) {
        out[x] = src.At(static_cast<int>(std::floor(sx + 0.5)), static_cast<int>(std::floor(sy + 0.5)));
        continue;
      }
      const double fx = std::floor(sx);
      const double fy = std::floor(sy);
      const auto wx = static_cast<std::uint32_t>((sx - fx) * 256.0 + 0.5);
      const auto wy = static_cast<std::uint32_t>((sy - fy) * 256.0 + 0.5);
      const int ix = static_cast<int>(fx);
      const int iy = static_cast<int>(fy);
      const int cx0 = std::clamp(ix, left, right);
      const int cx1 = std::clamp(ix + 1, left, right);
      const std::uint32_t* r0 = src.Row(std::clamp(iy, top, bottom));
      const std::uint32_t* r1 = src.Row(std::clamp(iy + 1, top, bottom));
      out[x] = Blend(Blend(r0[cx0], r0[cx1], wx), Blend(r1[cx0], r1[cx1], wx), wy);
    }
  }
  return true;
}

}  // namespace vell
