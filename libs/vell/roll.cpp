// Rotation of a source rectangle onto a canvas about two centres.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "geometry.h"

namespace vell {
namespace {

// Bilinear mix of the pixels (x0, x1) of the rows above and below, weights wx, wy in 0..256
// taken to 7 bits, so the four products fit 16 bits and sum to 2^14.
inline std::uint32_t Bilinear(const std::uint32_t* r0, const std::uint32_t* r1, int x0, int x1,
                              std::uint32_t wx, std::uint32_t wy) {
  const int ax = static_cast<int>((wx + 1) >> 1), ay = static_cast<int>((wy + 1) >> 1);  // 0..128
  const int w00 = (128 - ax) * (128 - ay), w10 = (128 - ax) * ay, w01 = ax * (128 - ay), w11 = ax * ay;
#if defined(__SSE2__)
  // One channel per 32-bit lane, each a multiply-add of (above, below) pairs.
  const __m128i zero = _mm_setzero_si128();
  __m128i top, bottom;
  if (x1 == x0 + 1) {
    top = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(r0 + x0));
    bottom = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(r1 + x0));
  } else {
    top = _mm_set1_epi32(static_cast<int>(r0[x0]));
    bottom = _mm_set1_epi32(static_cast<int>(r1[x0]));
  }
  const __m128i mixed = _mm_unpacklo_epi8(top, bottom);  // left pair's bytes, then the right pair's
  const __m128i left = _mm_unpacklo_epi8(mixed, zero);
  const __m128i right = _mm_unpackhi_epi8(mixed, zero);
  const __m128i sum = _mm_add_epi32(_mm_madd_epi16(left, _mm_set1_epi32(w00 | (w10 << 16))),
                                    _mm_madd_epi16(right, _mm_set1_epi32(w01 | (w11 << 16))));
  const __m128i scaled = _mm_srli_epi32(_mm_add_epi32(sum, _mm_set1_epi32(8192)), 14);
  const __m128i packed = _mm_packs_epi32(scaled, zero);
  return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(packed, zero)));
#else
  std::uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const auto channel = [shift](std::uint32_t p) { return static_cast<int>((p >> shift) & 0xFF); };
    const int v =
        channel(r0[x0]) * w00 + channel(r1[x0]) * w10 + channel(r0[x1]) * w01 + channel(r1[x1]) * w11;
    result |= static_cast<std::uint32_t>((v + 8192) >> 14) << shift;
  }
  return result;
#endif
}

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

  // Along a row the source position advances by (c, -s); it is stepped in 34.30 fixed point,
  // restarted from the exact value on every row (drift far below 1e-4 pixel).
  constexpr int kFrac = 30;
  constexpr double kOne = double(std::int64_t{1} << kFrac);
  constexpr std::int64_t kHalf = std::int64_t{1} << (kFrac - 1);
  constexpr std::int64_t kFracMask = (std::int64_t{1} << kFrac) - 1;
  const auto toFixed = [&](double v) { return static_cast<std::int64_t>(std::llround(v * kOne)); };
  const std::int64_t fxLow = toFixed(xLow), fxHigh = toFixed(xHigh);
  const std::int64_t fyLow = toFixed(yLow), fyHigh = toFixed(yHigh);
  const std::int64_t stepX = toFixed(c), stepY = toFixed(-s);

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
    // Within the span the position stays within two pixels of the source rectangle, so the
    // fixed-point values are far from overflow.
    std::int64_t fx = toFixed(rowX + x0 * c);
    std::int64_t fy = toFixed(rowY - x0 * s);
    std::uint32_t* out = dst.Row(y);
    for (int x = x0; x <= x1; ++x, fx += stepX, fy += stepY) {
      if (!(fx >= fxLow && fx < fxHigh && fy >= fyLow && fy < fyHigh)) continue;
      if (!bilinear) {
        out[x] = src.At(static_cast<int>((fx + kHalf) >> kFrac), static_cast<int>((fy + kHalf) >> kFrac));
        continue;
      }
      const int ix = static_cast<int>(fx >> kFrac);  // floor: the shift is arithmetic
      const int iy = static_cast<int>(fy >> kFrac);
      const auto wx = static_cast<std::uint32_t>(((fx & kFracMask) + (kHalf >> 8)) >> (kFrac - 8));
      const auto wy = static_cast<std::uint32_t>(((fy & kFracMask) + (kHalf >> 8)) >> (kFrac - 8));
      const int cx0 = std::max(ix, left);
      const int cx1 = std::min(ix + 1, right);
      const std::uint32_t* r0 = src.Row(std::max(iy, top));
      const std::uint32_t* r1 = src.Row(std::min(iy + 1, bottom));
      out[x] = Bilinear(r0, r1, cx0, cx1, wx, wy);
    }
  }
  return true;
}

}  // namespace vell
