// Enlargement (nearest, bilinear, edge-sharpened) and area-averaging reduction of a block.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

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
  ScaleJob job;
  if (!PlanScale(dst, dstX, dstY, width, height, src, srcX, srcY, factor, job)) return false;
  if (job.outX0 >= job.outX1 || job.outY0 >= job.outY1) return true;
  const Coverage cols = MakeCoverage(job.outX0, job.outX1, srcX, job.srcLeft, job.srcRight, factor);
  const Coverage rows = MakeCoverage(job.outY0, job.outY1, srcY, job.srcTop, job.srcBottom, factor);
  const std::size_t n = cols.first.size();

  std::vector<float> horiz(3 * n), acc(3 * n);
  int cachedRow = -1;
  for (std::size_t r = 0; r < rows.first.size(); ++r) {
    std::fill(acc.begin(), acc.end(), 0.0f);
    for (int j = 0; j < rows.count[r]; ++j) {
      const int sy = rows.first[r] + j;
      if (sy != cachedRow) {
        // Area average of this source row over each output column.
        const std::uint32_t* in = src.Row(sy);
        for (std::size_t k = 0; k < n; ++k) {
          float cr = 0, cg = 0, cb = 0;
          const float* wt = &cols.weight[cols.offset[k]];
          const std::uint32_t* p = in + cols.first[k];
          for (int i = 0; i < cols.count[k]; ++i) {
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
    std::uint32_t* out = dst.Row(dstY + job.outY0 + static_cast<int>(r)) + dstX + job.outX0;
    for (std::size_t k = 0; k < n; ++k)
      out[k] = PackChannels(&acc[3 * k]);
  }
  return true;
}

}  // namespace vell
