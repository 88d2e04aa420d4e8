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

// Source positions are stepped along a canvas row in 34.30 fixed point.
constexpr int kFrac = 30;
constexpr double kOne = double(std::int64_t{1} << kFrac);
constexpr std::int64_t kHalf = std::int64_t{1} << (kFrac - 1);
constexpr std::int64_t kFracMask = (std::int64_t{1} << kFrac) - 1;

// The weight (0..128) of the right or lower neighbour at a fixed-point position: the fraction
// rounded to 8 bits and then halved rounding up, folded into one rounding.
inline int Weight7(std::int64_t f) {
  return static_cast<int>(((f & kFracMask) + (std::int64_t{3} << (kFrac - 9))) >> (kFrac - 7));
}

// Bilinear mix of the pixels (x0, x1) of the rows above and below with weights ax, ay in
// 0..128, so the four products fit 16 bits and sum to 2^14.
inline std::uint32_t Bilinear(const std::uint32_t* r0, const std::uint32_t* r1, int x0, int x1, int ax,
                              int ay) {
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

// `count` pixels of a canvas row from (fx, fy) on, stepping by (stepX, stepY), whose 2 x 2
// source neighbourhoods all lie inside the rectangle.
void DrawInner(std::uint32_t* out, int count, std::int64_t fx, std::int64_t fy, std::int64_t stepX,
               std::int64_t stepY, const std::uint32_t* base, std::ptrdiff_t stride) {
  int x = 0;
#if defined(__SSE2__)
  // Four pixels at a time. Their weights come side by side from the low 32 bits of the
  // positions (the fraction is all they need), each lane holding the pair (128 - w, w). The mix
  // is taken vertically, then horizontally: the same integer sum as the four products, and
  // exact, since a vertical mix stays below 2^15.
  const auto low = [](std::int64_t v) { return static_cast<int>(static_cast<std::uint32_t>(v)); };
  __m128i fracX = _mm_set_epi32(low(fx + 3 * stepX), low(fx + 2 * stepX), low(fx + stepX), low(fx));
  __m128i fracY = _mm_set_epi32(low(fy + 3 * stepY), low(fy + 2 * stepY), low(fy + stepY), low(fy));
  const __m128i stepX4 = _mm_set1_epi32(low(4 * stepX)), stepY4 = _mm_set1_epi32(low(4 * stepY));
  const __m128i fraction = _mm_set1_epi32(static_cast<int>(kFracMask));
  const __m128i rounding = _mm_set1_epi32(3 << (kFrac - 9));
  const __m128i full = _mm_set1_epi32(128), half = _mm_set1_epi32(8192), zero = _mm_setzero_si128();
  const auto pairs = [&](__m128i frac) {
    const __m128i w = _mm_srli_epi32(_mm_add_epi32(_mm_and_si128(frac, fraction), rounding), kFrac - 7);
    return _mm_add_epi32(_mm_sub_epi32(_mm_slli_epi32(w, 16), w), full);  // (128 - w) | w << 16
  };
  const auto mix = [&](__m128i xPair, __m128i yPair) {
    const std::uint32_t* p = base + (fy >> kFrac) * stride + (fx >> kFrac);
    fx += stepX;
    fy += stepY;
    const __m128i top = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
    const __m128i bottom = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + stride));
    const __m128i mixed = _mm_unpacklo_epi8(top, bottom);  // left pair's bytes, then the right pair's
    const __m128i columns = _mm_packs_epi32(_mm_madd_epi16(_mm_unpacklo_epi8(mixed, zero), yPair),
                                            _mm_madd_epi16(_mm_unpackhi_epi8(mixed, zero), yPair));
    const __m128i sideBySide = _mm_unpacklo_epi16(columns, _mm_srli_si128(columns, 8));
    return _mm_srli_epi32(_mm_add_epi32(_mm_madd_epi16(sideBySide, xPair), half), 14);
  };
  for (; count - x >= 4; x += 4) {
    const __m128i xs = pairs(fracX), ys = pairs(fracY);
    const __m128i p0 = mix(_mm_shuffle_epi32(xs, 0x00), _mm_shuffle_epi32(ys, 0x00));
    const __m128i p1 = mix(_mm_shuffle_epi32(xs, 0x55), _mm_shuffle_epi32(ys, 0x55));
    const __m128i p2 = mix(_mm_shuffle_epi32(xs, 0xAA), _mm_shuffle_epi32(ys, 0xAA));
    const __m128i p3 = mix(_mm_shuffle_epi32(xs, 0xFF), _mm_shuffle_epi32(ys, 0xFF));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x),
                     _mm_packus_epi16(_mm_packs_epi32(p0, p1), _mm_packs_epi32(p2, p3)));
    fracX = _mm_add_epi32(fracX, stepX4);
    fracY = _mm_add_epi32(fracY, stepY4);
  }
#endif
  for (; x < count; ++x, fx += stepX, fy += stepY) {
    const std::uint32_t* p = base + (fy >> kFrac) * stride + (fx >> kFrac);
    out[x] = Bilinear(p, p + stride, 0, 1, Weight7(fx), Weight7(fy));
  }
}

// Narrows [lo, hi] to the x for which lower <= a + x * k < upper, give or take one pixel.
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

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {  // b > 0
  return a >= 0 ? a / b : -((b - 1 - a) / b);
}

// Keeps in [first, last] only the t for which lower <= f + t * step < upper.
void Confine(std::int64_t f, std::int64_t step, std::int64_t lower, std::int64_t upper, std::int64_t& first,
             std::int64_t& last) {
  if (step == 0) {
    if (f < lower || f >= upper) last = first - 1;
  } else if (step > 0) {
    first = std::max(first, -FloorDiv(f - lower, step));
    last = std::min(last, FloorDiv(upper - 1 - f, step));
  } else {
    first = std::max(first, FloorDiv(f - upper, -step) + 1);
    last = std::min(last, FloorDiv(f - lower, -step));
  }
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

  // Along a row the source position advances by (c, -s) in fixed point, restarted from the
  // exact value on every row (drift far below 1e-4 pixel).
  const auto toFixed = [&](double v) { return static_cast<std::int64_t>(std::llround(v * kOne)); };
  const std::int64_t fxLow = toFixed(xLow), fxHigh = toFixed(xHigh);
  const std::int64_t fyLow = toFixed(yLow), fyHigh = toFixed(yHigh);
  const std::int64_t stepX = toFixed(c), stepY = toFixed(-s);

  const std::uint32_t* const base = src.pixels;
  const std::ptrdiff_t stride = src.stride;
  for (int y = 0; y < canvasH; ++y) {
    const double dy = y - dstCentreY;
    // Inverse rotation: source = centre + R(-angle) * (canvas - centre).
    const double rowX = srcCentreX - dstCentreX * c + dy * s;
    const double rowY = srcCentreY + dstCentreX * s + dy * c;
    double lo = 0.0, hi = canvasW - 1.0;
    NarrowSpan(rowX, c, xLow, xHigh, lo, hi);
    NarrowSpan(rowY, -s, yLow, yHigh, lo, hi);
    if (lo > hi) continue;
    // Column x0 + t sits at (fx, fy) + t * (stepX, stepY). Within the span the position stays
    // within two pixels of the source rectangle, so the fixed-point values are far from overflow.
    const int x0 = static_cast<int>(std::ceil(lo));
    const std::int64_t fx = toFixed(rowX + x0 * c);
    const std::int64_t fy = toFixed(rowY - x0 * s);
    // The covered columns, solved exactly on those positions: no pixel needs a test of its own.
    std::int64_t first = 0, last = static_cast<int>(std::floor(hi)) - x0;
    Confine(fx, stepX, fxLow, fxHigh, first, last);
    Confine(fy, stepY, fyLow, fyHigh, first, last);
    if (first > last) continue;
    std::uint32_t* out = dst.Row(y) + x0;
    if (!bilinear) {
      for (std::int64_t t = first; t <= last; ++t) {
        const std::int64_t ix = (fx + t * stepX + kHalf) >> kFrac, iy = (fy + t * stepY + kHalf) >> kFrac;
        out[t] = base[iy * stride + ix];
      }
      continue;
    }
    // Columns whose 2 x 2 neighbourhood leaves the rectangle take its edge pixels instead.
    const auto drawClamped = [&](std::int64_t from, std::int64_t to) {
      for (std::int64_t t = from; t <= to; ++t) {
        const std::int64_t px = fx + t * stepX, py = fy + t * stepY;
        const int ix = static_cast<int>(px >> kFrac);  // floor: the shift is arithmetic
        const int iy = static_cast<int>(py >> kFrac);
        out[t] = Bilinear(src.Row(std::max(iy, top)), src.Row(std::min(iy + 1, bottom)), std::max(ix, left),
                          std::min(ix + 1, right), Weight7(px), Weight7(py));
      }
    };
    std::int64_t innerFirst = first, innerLast = last;
    Confine(fx, stepX, std::int64_t{left} << kFrac, std::int64_t{right} << kFrac, innerFirst, innerLast);
    Confine(fy, stepY, std::int64_t{top} << kFrac, std::int64_t{bottom} << kFrac, innerFirst, innerLast);
    if (innerFirst > innerLast) {
      drawClamped(first, last);
      continue;
    }
    drawClamped(first, innerFirst - 1);
    DrawInner(out + innerFirst, static_cast<int>(innerLast - innerFirst + 1), fx + innerFirst * stepX,
              fy + innerFirst * stepY, stepX, stepY, base, stride);
    drawClamped(innerLast + 1, last);
  }
  return true;
}

}  // namespace vell
