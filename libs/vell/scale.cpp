// Enlargement (nearest, bilinear, edge-sharpened) and area-averaging reduction of a block.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "blend.h"
#include "geometry.h"

namespace vell {
namespace {

// Longest side a scaled block may have; anything beyond is a bad argument, not a picture.
constexpr double kMaxScaledSide = 1 << 28;

// The part of a scaling call that survives clipping: source block limits (absolute, inclusive)
// and the range of output pixels that land inside the destination.
struct ScaleJob {
  int srcLeft = 0, srcTop = 0, srcRight = 0, srcBottom = 0;  // block ∩ source
  int outX0 = 0, outX1 = 0, outY0 = 0, outY1 = 0;            // drawn output range, end exclusive
};

bool PlanScale(const PixelView& dst, int dstX, int dstY, int width, int height, const ConstPixelView& src,
               int srcX, int srcY, double factor, ScaleJob& job) {
  if (dst.pixels == nullptr || src.pixels == nullptr) return false;
  const int outW = ScaledLength(width, factor);
  const int outH = ScaledLength(height, factor);
  if (outW == 0 || outH == 0) return false;
  const Block block = ClipBlock(srcX, srcY, width, height, src.width, src.height);
  if (block.Empty()) return false;
  job.srcLeft = block.x;
  job.srcTop = block.y;
  job.srcRight = block.x + block.width - 1;
  job.srcBottom = block.y + block.height - 1;
  job.outX0 = static_cast<int>(std::clamp<std::int64_t>(-std::int64_t{dstX}, 0, outW));
  job.outX1 = static_cast<int>(std::clamp<std::int64_t>(std::int64_t{dst.width} - dstX, 0, outW));
  job.outY0 = static_cast<int>(std::clamp<std::int64_t>(-std::int64_t{dstY}, 0, outH));
  job.outY1 = static_cast<int>(std::clamp<std::int64_t>(std::int64_t{dst.height} - dstY, 0, outH));
  return true;
}

// Interpolation taps along one axis: for output index i, source indices i0/i1 and the weight
// (0..256) of i1.
struct Taps {
  std::vector<int> i0, i1;
  std::vector<std::uint32_t> w;
};

Taps MakeTaps(int out0, int out1, int origin, int lo, int hi, double factor, EnlargeFilter filter) {
  Taps t;
  const auto n = static_cast<std::size_t>(out1 - out0);
  t.i0.resize(n);
  t.i1.resize(n);
  t.w.resize(n);
  for (int o = out0; o < out1; ++o) {
    const auto k = static_cast<std::size_t>(o - out0);
    // Centre of output pixel o, in source pixel coordinates relative to the block.
    const double u = (o + 0.5) / factor - 0.5;
    if (filter == EnlargeFilter::kNearest) {
      const double p = std::floor(u + 0.5) + origin;
      t.i0[k] = t.i1[k] = static_cast<int>(std::clamp(p, double(lo), double(hi)));
      t.w[k] = 0;
      continue;
    }
    const double f = std::floor(u);
    double frac = u - f;
    if (filter == EnlargeFilter::kSharp) frac = frac * frac * (3.0 - 2.0 * frac);  // smoothstep
    const double p = f + origin;
    t.i0[k] = static_cast<int>(std::clamp(p, double(lo), double(hi)));
    t.i1[k] = static_cast<int>(std::clamp(p + 1.0, double(lo), double(hi)));
    t.w[k] = static_cast<std::uint32_t>(std::lround(frac * 256.0));
  }
  return t;
}

// Box-filter coverage along one axis: output index o averages source indices
// first[o] .. first[o] + count[o] - 1 with the weights weight[offset[o] ...], summing to 1.
struct Coverage {
  std::vector<int> first, count;
  std::vector<std::size_t> offset;
  std::vector<float> weight;
};

Coverage MakeCoverage(int out0, int out1, int origin, int lo, int hi, double factor) {
  Coverage cv;
  for (int o = out0; o < out1; ++o) {
    // Output pixel o covers [o / factor, (o + 1) / factor) of the block, clipped to the source.
    const double a = std::max(o / factor + origin, double(lo));
    const double b = std::min((o + 1) / factor + origin, double(hi) + 1.0);
    cv.offset.push_back(cv.weight.size());
    if (!(b > a)) {
      // Rounding left this pixel past the source: it repeats the nearest source pixel.
      cv.first.push_back(static_cast<int>(std::clamp(std::floor(a), double(lo), double(hi))));
      cv.count.push_back(1);
      cv.weight.push_back(1.0f);
      continue;
    }
    const int i0 = static_cast<int>(std::floor(a));
    const int i1 = std::min(static_cast<int>(std::ceil(b)) - 1, hi);
    cv.first.push_back(i0);
    cv.count.push_back(i1 - i0 + 1);
    const double span = b - a;
    for (int i = i0; i <= i1; ++i) {
      const double covered = std::min(b, i + 1.0) - std::max(a, double(i));
      cv.weight.push_back(static_cast<float>(std::max(covered, 0.0) / span));
    }
  }
  return cv;
}

std::uint32_t PackChannels(const float* c) {
  // Sums of non-negative terms: truncating v + 0.5 rounds to nearest without a library call.
  const auto channel = [](float v) {
    return static_cast<std::uint32_t>(
        std::clamp(static_cast<int>(v + 0.5f), 0, 255));  // NOLINT(bugprone-incorrect-roundings)
  };
  return (channel(c[0]) << 16) | (channel(c[1]) << 8) | channel(c[2]);
}

// The area average of output columns [k0, k1) and rows [r0, r1) of the tables, in floating
// point; table index 0 lands at (outX, outY).
void AverageAreas(PixelView dst, int outX, int outY, ConstPixelView src, const Coverage& cols, std::size_t k0,
                  std::size_t k1, const Coverage& rows, std::size_t r0, std::size_t r1) {
  if (k0 >= k1) return;
  const std::size_t n = k1 - k0;
  std::vector<float> horiz(3 * n), acc(3 * n);
  int cachedRow = -1;
  for (std::size_t r = r0; r < r1; ++r) {
    std::fill(acc.begin(), acc.end(), 0.0f);
    for (int j = 0; j < rows.count[r]; ++j) {
      const int sy = rows.first[r] + j;
      if (sy != cachedRow) {
        // Area average of this source row over each output column.
        const std::uint32_t* in = src.Row(sy);
        for (std::size_t k = 0; k < n; ++k) {
          float cr = 0, cg = 0, cb = 0;
          const float* wt = &cols.weight[cols.offset[k0 + k]];
          const std::uint32_t* p = in + cols.first[k0 + k];
          for (int i = 0; i < cols.count[k0 + k]; ++i) {
            cr += wt[i] * static_cast<float>((p[i] >> 16) & 0xFF);
            cg += wt[i] * static_cast<float>((p[i] >> 8) & 0xFF);
            cb += wt[i] * static_cast<float>(p[i] & 0xFF);
          }
          horiz[3 * k] = cr;
          horiz[3 * k + 1] = cg;
          horiz[3 * k + 2] = cb;
        }
        cachedRow = sy;
      }
      const float wy = rows.weight[rows.offset[r] + static_cast<std::size_t>(j)];
      for (std::size_t k = 0; k < 3 * n; ++k)
        acc[k] += wy * horiz[k];
    }
    std::uint32_t* out = dst.Row(outY + static_cast<int>(r)) + outX + static_cast<int>(k0);
    for (std::size_t k = 0; k < n; ++k)
      out[k] = PackChannels(&acc[3 * k]);
  }
}

// Whole-number divisors n whose n x n blocks the integer average below gives exactly as
// AverageAreas does; those blocks may take the short way. (Replaying the float arithmetic
// would fit every n but cost several times the integer sums; these n cover the usual factors.)
//  - n a power of two up to 256: the weight 1/n is exact, and every product and partial sum is a
//    multiple of 1/n^2 below 256, held exactly in a float's 24 bits; the float path computes the
//    true mean and, like the integer one, rounds a half up.
//  - n odd up to 23: with n^2 pixels in a block the mean is never a whole number and a half; it
//    lies at least 1/(2n^2) from one, while the float path strays from the true mean by less
//    than 2^-24 * (510 n + 766) (rounded weight, 2n roundings of products and sums, the added
//    half): so both round the same way.
//  - other even n: the mean can be exactly x.5, where the float path may land on either side.
bool ExactlyAveraged(int n) {
  const bool powerOfTwo = n >= 2 && n <= 256 && (n & (n - 1)) == 0;
  return powerOfTwo || (n >= 3 && n <= 23 && n % 2 == 1);
}

// The stretch [begin, end) of table entries that each average n whole pixels, every one starting
// where the last ended, with the weights AverageAreas uses for such a run; empty when none.
std::pair<std::size_t, std::size_t> WholeRun(const Coverage& cv, int n) {
  const float weight = static_cast<float>(1.0 / n);
  const auto whole = [&](std::size_t k) {
    if (cv.count[k] != n) return false;
    const float* w = &cv.weight[cv.offset[k]];
    return std::all_of(w, w + n, [weight](float v) { return v == weight; });
  };
  std::size_t begin = 0;
  while (begin < cv.first.size() && !whole(begin))
    ++begin;
  std::size_t end = begin;
  while (end < cv.first.size() && whole(end) && (end == begin || cv.first[end] == cv.first[end - 1] + n))
    ++end;
  return {begin, end};
}

// The integer average of whole n x n blocks: `width` x `height` output pixels at (outX, outY)
// from the source block at (x, y), each (sum + n^2 / 2) / n^2 per channel.
void AverageWholeBlocks(PixelView dst, int outX, int outY, int width, int height, ConstPixelView src, int x,
                        int y, int n) {
  const auto area = static_cast<std::uint32_t>(n * n);
  // Division by a multiply and a shift: with 2^(shift - 24) >= area the rounding of the
  // multiplier is too small to matter for any dividend below 2^24, and the multiplier fits 32 bits.
  int shift = 24;
  while ((std::uint32_t{1} << (shift - 24)) < area)
    ++shift;
  const std::uint64_t inverse = ((std::uint64_t{1} << shift) + area - 1) / area;
  const int span = width * n;
  // Column sums of n source rows, four 16-bit lanes (B, G, R, top byte) per source column.
  std::vector<std::uint16_t> sums(4 * static_cast<std::size_t>(span));
  for (int r = 0; r < height; ++r) {
    for (int j = 0; j < n; ++j) {
      const std::uint32_t* in = src.Row(y + r * n + j) + x;
      int i = 0;
#if defined(__SSE2__)
      const __m128i zero = _mm_setzero_si128();
      for (; i + 4 <= span; i += 4) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        auto* lanes = reinterpret_cast<__m128i*>(sums.data() + 4 * static_cast<std::size_t>(i));
        __m128i lo = _mm_unpacklo_epi8(pixels, zero), hi = _mm_unpackhi_epi8(pixels, zero);
        if (j > 0) {
          lo = _mm_add_epi16(lo, _mm_loadu_si128(lanes));
          hi = _mm_add_epi16(hi, _mm_loadu_si128(lanes + 1));
        }
        _mm_storeu_si128(lanes, lo);
        _mm_storeu_si128(lanes + 1, hi);
      }
#endif
      for (; i < span; ++i) {
        for (int c = 0; c < 4; ++c) {
          std::uint16_t& lane = sums[4 * static_cast<std::size_t>(i) + static_cast<std::size_t>(c)];
          const auto value = static_cast<std::uint16_t>((in[i] >> (8 * c)) & 0xFF);
          lane = static_cast<std::uint16_t>(j > 0 ? lane + value : value);
        }
      }
    }
    std::uint32_t* out = dst.Row(outY + r) + outX;
    int k = 0;
#if defined(__SSE2__)
    if (n == 2) {
      // Halving, four output pixels at a time: the left and right columns of each block side by
      // side, added, rounded and shifted in 16-bit lanes.
      const __m128i two = _mm_set1_epi16(2);
      const __m128i colours = _mm_set1_epi32(0x00FFFFFF);
      for (; k + 4 <= width; k += 4) {
        const auto* lanes = reinterpret_cast<const __m128i*>(sums.data() + 8 * static_cast<std::size_t>(k));
        const auto half = [&](__m128i a, __m128i b) {
          const __m128i sum = _mm_add_epi16(_mm_unpacklo_epi64(a, b), _mm_unpackhi_epi64(a, b));
          return _mm_srli_epi16(_mm_add_epi16(sum, two), 2);
        };
        const __m128i left = half(_mm_loadu_si128(lanes), _mm_loadu_si128(lanes + 1));
        const __m128i right = half(_mm_loadu_si128(lanes + 2), _mm_loadu_si128(lanes + 3));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + k),
                         _mm_and_si128(_mm_packus_epi16(left, right), colours));
      }
    }
    // Any n, one output pixel at a time: its n column sums added in 32-bit lanes, then
    // (sum + area / 2) / area for blue and red in the even lanes, green in the odd ones.
    const __m128i halfArea = _mm_set1_epi32(static_cast<int>(area / 2));
    const __m128i multiplier = _mm_set1_epi32(static_cast<int>(inverse));
    const __m128i shiftCount = _mm_cvtsi32_si128(shift);
    const __m128i zero = _mm_setzero_si128();
    for (; k < width; ++k) {
      const std::uint16_t* column =
          sums.data() + 4 * static_cast<std::size_t>(k) * static_cast<std::size_t>(n);
      __m128i sum = halfArea;
      for (int i = 0; i < n; ++i) {
        const __m128i lanes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(column + 4 * i));
        sum = _mm_add_epi32(sum, _mm_unpacklo_epi16(lanes, zero));
      }
      const __m128i even = _mm_srl_epi64(_mm_mul_epu32(sum, multiplier), shiftCount);
      const __m128i odd = _mm_srl_epi64(_mm_mul_epu32(_mm_srli_epi64(sum, 32), multiplier), shiftCount);
      const __m128i blueGreen = _mm_or_si128(even, _mm_slli_epi64(odd, 8));
      out[k] = static_cast<std::uint32_t>(_mm_cvtsi128_si32(blueGreen) & 0xFFFF) |
               static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(even, 8)) << 16);
    }
#endif
    for (; k < width; ++k) {
      std::uint32_t pixel = 0;
      for (int c = 0; c < 3; ++c) {
        std::uint32_t sum = area / 2;
        for (int i = 0; i < n; ++i)
          sum += sums[4 * static_cast<std::size_t>(k * n + i) + static_cast<std::size_t>(c)];
        pixel |= static_cast<std::uint32_t>((sum * inverse) >> shift) << (8 * c);
      }
      out[k] = pixel;
    }
  }
}

bool ReduceBlock(PixelView dst, int dstX, int dstY, int width, int height, ConstPixelView src, int srcX,
                 int srcY, double factor, bool wholeBlocks) {
  ScaleJob job;
  if (!PlanScale(dst, dstX, dstY, width, height, src, srcX, srcY, factor, job)) return false;
  if (job.outX0 >= job.outX1 || job.outY0 >= job.outY1) return true;
  const Coverage cols = MakeCoverage(job.outX0, job.outX1, srcX, job.srcLeft, job.srcRight, factor);
  const Coverage rows = MakeCoverage(job.outY0, job.outY1, srcY, job.srcTop, job.srcBottom, factor);
  const int outX = dstX + job.outX0, outY = dstY + job.outY0;
  const std::size_t colCount = cols.first.size(), rowCount = rows.first.size();
  const double divisor = 1.0 / factor;
  const int n = divisor < 1000.0 ? static_cast<int>(std::lround(divisor)) : 0;
  if (!wholeBlocks || !ExactlyAveraged(n)) {
    AverageAreas(dst, outX, outY, src, cols, 0, colCount, rows, 0, rowCount);
    return true;
  }
  // Whole blocks the short way; the part blocks at the edges of the source around them (and
  // everything, when there are none) the general way.
  auto [c0, c1] = WholeRun(cols, n);
  auto [r0, r1] = WholeRun(rows, n);
  if (c0 == c1 || r0 == r1) c0 = c1 = r0 = r1 = 0;
  AverageAreas(dst, outX, outY, src, cols, 0, colCount, rows, 0, r0);
  AverageAreas(dst, outX, outY, src, cols, 0, colCount, rows, r1, rowCount);
  AverageAreas(dst, outX, outY, src, cols, 0, c0, rows, r0, r1);
  AverageAreas(dst, outX, outY, src, cols, c1, colCount, rows, r0, r1);
  if (c0 < c1)
    AverageWholeBlocks(dst, outX + static_cast<int>(c0), outY + static_cast<int>(r0),
                       static_cast<int>(c1 - c0), static_cast<int>(r1 - r0), src, cols.first[c0],
                       rows.first[r0], n);
  return true;
}

}  // namespace

EnlargeFilter EnlargeFilterFromFlag(int flag) {
  if (flag == 1) return EnlargeFilter::kBilinear;
  if (flag == 2) return EnlargeFilter::kSharp;
  return EnlargeFilter::kNearest;
}

int ScaledLength(int length, double factor) {
  if (length <= 0 || !std::isfinite(factor) || !(factor > 0.0)) return 0;
  const double v = length * factor;
  if (!(v <= kMaxScaledSide)) return 0;
  // A hair of tolerance so that 10 x 0.1f is one pixel, not two.
  return std::max(1, static_cast<int>(std::ceil(v - 1e-6)));
}

bool Enlarge(PixelView dst, int dstX, int dstY, int width, int height, ConstPixelView src, int srcX, int srcY,
             double factor, EnlargeFilter filter) {
  ScaleJob job;
  if (!PlanScale(dst, dstX, dstY, width, height, src, srcX, srcY, factor, job)) return false;
  if (job.outX0 >= job.outX1 || job.outY0 >= job.outY1) return true;
  const Taps cols = MakeTaps(job.outX0, job.outX1, srcX, job.srcLeft, job.srcRight, factor, filter);
  const Taps rows = MakeTaps(job.outY0, job.outY1, srcY, job.srcTop, job.srcBottom, factor, filter);
  const std::size_t n = cols.w.size();

  // Horizontally interpolated source rows, computed once per source row and kept while the
  // output rows still need them.
  std::vector<std::uint32_t> bufA(n), bufB(n);
  int rowA = -1, rowB = -1;
  auto horizontal = [&](int sy, std::vector<std::uint32_t>& buf) {
    const std::uint32_t* in = src.Row(sy);
    for (std::size_t k = 0; k < n; ++k)
      buf[k] = Blend(in[cols.i0[k]], in[cols.i1[k]], cols.w[k]);
  };
  auto rowOf = [&](int sy) -> const std::uint32_t* {
    if (sy == rowA) return bufA.data();
    if (sy == rowB) return bufB.data();
    // Replace whichever cached row is older (smaller index: output rows only move down).
    if (rowA < rowB) {
      horizontal(sy, bufA);
      rowA = sy;
      return bufA.data();
    }
    horizontal(sy, bufB);
    rowB = sy;
    return bufB.data();
  };

  for (std::size_t r = 0; r < rows.w.size(); ++r) {
    std::uint32_t* out = dst.Row(dstY + job.outY0 + static_cast<int>(r)) + dstX + job.outX0;
    const std::uint32_t w = rows.w[r];
    if (w == 0 || rows.i0[r] == rows.i1[r]) {
      const std::uint32_t* a = rowOf(rows.i0[r]);
      std::copy(a, a + n, out);
      continue;
    }
    const std::uint32_t* a = rowOf(rows.i0[r]);
    const std::uint32_t* b = rowOf(rows.i1[r]);
    BlendRows(a, b, w, out, n);
  }
  return true;
}

bool Reduce(PixelView dst, int dstX, int dstY, int width, int height, ConstPixelView src, int srcX, int srcY,
            double factor) {
  return ReduceBlock(dst, dstX, dstY, width, height, src, srcX, srcY, factor, true);
}

bool ReduceByArea(PixelView dst, int dstX, int dstY, int width, int height, ConstPixelView src, int srcX,
                  int srcY, double factor) {
  return ReduceBlock(dst, dstX, dstY, width, height, src, srcX, srcY, factor, false);
}

}  // namespace vell
