// Mirrors and right-angle turns. Rows are reversed four pixels at a time; quarter turns go
// through 128 × 128 tiles with a 4 × 4 register transpose, so both pictures stay in cache.
#include "raster/turns.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace snapwell {

namespace {

constexpr int kTileX = 128;  // destination columns per tile
constexpr int kTileY = 128;  // destination rows per tile

bool SharesMemory(vell::ConstPixelView a, vell::ConstPixelView b) {
  if (a.pixels == nullptr || b.pixels == nullptr || a.width <= 0 || a.height <= 0 || b.width <= 0 ||
      b.height <= 0) {
    return false;
  }
  const std::uint32_t* a1 = a.Row(a.height - 1) + a.width;
  const std::uint32_t* b1 = b.Row(b.height - 1) + b.width;
  return a.pixels < b1 && b.pixels < a1;
}

// A packed copy of a view, for operations whose source and destination overlap.
struct OwnedCopy {
  std::vector<std::uint32_t> pixels;
  vell::ConstPixelView view;
};

OwnedCopy CopyOf(vell::ConstPixelView src) {
  OwnedCopy c;
  c.pixels.resize(static_cast<std::size_t>(src.width) * static_cast<std::size_t>(src.height));
  for (int y = 0; y < src.height; ++y) {
    std::memcpy(&c.pixels[static_cast<std::size_t>(y) * src.width], src.Row(y),
                src.width * sizeof(std::uint32_t));
  }
  c.view = vell::ConstPixelView(c.pixels.data(), src.width, src.height, src.width);
  return c;
}

// d[i] = s[n - 1 - i] for i < count (count <= n): the first `count` pixels of the reversed row.
void ReverseRow(const std::uint32_t* s, int n, std::uint32_t* d, int count) {
  int i = 0;
#if defined(__SSE2__)
  for (; i + 16 <= count; i += 16) {
    const std::uint32_t* from = s + n - 16 - i;
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 4));
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 8));
    const __m128i e = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 12));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_shuffle_epi32(e, 0x1B));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i + 4), _mm_shuffle_epi32(c, 0x1B));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i + 8), _mm_shuffle_epi32(b, 0x1B));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i + 12), _mm_shuffle_epi32(a, 0x1B));
  }
  for (; i + 4 <= count; i += 4) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + n - 4 - i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), _mm_shuffle_epi32(v, 0x1B));
  }
#endif
  for (; i < count; ++i)
    d[i] = s[n - 1 - i];
}

void ReverseRowInPlace(std::uint32_t* row, int n) {
  int i = 0;
  int j = n - 1;
#if defined(__SSE2__)
  for (; j - i + 1 >= 8; i += 4, j -= 4) {
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + i));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + j - 3));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row + i), _mm_shuffle_epi32(b, 0x1B));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(row + j - 3), _mm_shuffle_epi32(a, 0x1B));
  }
#endif
  for (; i < j; ++i, --j)
    std::swap(row[i], row[j]);
}

#if defined(__SSE2__)
// Writes the transpose of the 4 × 4 block whose rows are r0..r3 to four destination rows.
inline void Transpose4(__m128i r0, __m128i r1, __m128i r2, __m128i r3, std::uint32_t* d0, std::uint32_t* d1,
                       std::uint32_t* d2, std::uint32_t* d3) {
  const __m128i t0 = _mm_unpacklo_epi32(r0, r1);
  const __m128i t1 = _mm_unpacklo_epi32(r2, r3);
  const __m128i t2 = _mm_unpackhi_epi32(r0, r1);
  const __m128i t3 = _mm_unpackhi_epi32(r2, r3);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d0), _mm_unpacklo_epi64(t0, t1));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d1), _mm_unpackhi_epi64(t0, t1));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d2), _mm_unpacklo_epi64(t2, t3));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(d3), _mm_unpackhi_epi64(t2, t3));
}

inline __m128i Load4(const std::uint32_t* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
#endif

// dst(x, y) = src(y, h-1-x) over the dst rectangle [x0, x1) × [y0, y1).
void ClockwiseTile(vell::ConstPixelView src, vell::PixelView dst, int x0, int x1, int y0, int y1) {
  const int h = src.height;
  const std::ptrdiff_t st = src.stride;
  int y = y0;
#if defined(__SSE2__)
  for (; y + 4 <= y1; y += 4) {
    std::uint32_t* d0 = dst.Row(y);
    std::uint32_t* d1 = dst.Row(y + 1);
    std::uint32_t* d2 = dst.Row(y + 2);
    std::uint32_t* d3 = dst.Row(y + 3);
    // Offset of src(y, h-1-x); dst row y+k, columns x..x+3 = src column y+k, rows h-1-x down to h-4-x.
    std::ptrdiff_t at = (h - 1 - x0) * st + y;
    int x = x0;
    for (; x + 4 <= x1; x += 4, at -= 4 * st) {
      const std::uint32_t* s = src.pixels + at;
      Transpose4(Load4(s), Load4(s - st), Load4(s - 2 * st), Load4(s - 3 * st), d0 + x, d1 + x, d2 + x,
                 d3 + x);
    }
    for (; x < x1; ++x, at -= st) {
      const std::uint32_t* s = src.pixels + at;
      d0[x] = s[0];
      d1[x] = s[1];
      d2[x] = s[2];
      d3[x] = s[3];
    }
  }
#endif
  for (; y < y1; ++y) {
    std::uint32_t* d = dst.Row(y);
    for (int x = x0; x < x1; ++x)
      d[x] = src.Row(h - 1 - x)[y];
  }
}

// dst(x, y) = src(w-1-y, x) over the dst rectangle [x0, x1) × [y0, y1). The groups of four rows go
// upwards, so that the source columns are visited left to right.
void AnticlockwiseTile(vell::ConstPixelView src, vell::PixelView dst, int x0, int x1, int y0, int y1) {
  const int w = src.width;
  const std::ptrdiff_t st = src.stride;
  int scalarEnd = y1;
#if defined(__SSE2__)
  scalarEnd = y0 + (y1 - y0) % 4;
  for (int y = y1 - 4; y >= scalarEnd; y -= 4) {
    std::uint32_t* d0 = dst.Row(y);
    std::uint32_t* d1 = dst.Row(y + 1);
    std::uint32_t* d2 = dst.Row(y + 2);
    std::uint32_t* d3 = dst.Row(y + 3);
    // Source columns w-4-y .. w-1-y feed dst rows y+3 .. y; rows x .. x+3 feed columns x .. x+3.
    std::ptrdiff_t at = x0 * st + (w - 4 - y);
    int x = x0;
    for (; x + 4 <= x1; x += 4, at += 4 * st) {
      const std::uint32_t* s = src.pixels + at;
      Transpose4(Load4(s), Load4(s + st), Load4(s + 2 * st), Load4(s + 3 * st), d3 + x, d2 + x, d1 + x,
                 d0 + x);
    }
    for (; x < x1; ++x, at += st) {
      const std::uint32_t* s = src.pixels + at;
      d3[x] = s[0];
      d2[x] = s[1];
      d1[x] = s[2];
      d0[x] = s[3];
    }
  }
#endif
  for (int y = y0; y < scalarEnd; ++y) {
    std::uint32_t* d = dst.Row(y);
    for (int x = x0; x < x1; ++x)
      d[x] = src.Row(x)[w - 1 - y];
  }
}

// Visits the turned block (src.height wide, src.width tall, cut to dst) tile by tile. With
// `fromBottom` the tile rows go upwards, so that an anticlockwise turn walks the source forwards.
template <typename TileFn>
void Tiled(vell::ConstPixelView src, vell::PixelView dst, TileFn tile, bool fromBottom) {
  const int outW = std::min(src.height, dst.width);
  const int outH = std::min(src.width, dst.height);
  const int tileRows = (outH + kTileY - 1) / kTileY;
  for (int t = 0; t < tileRows; ++t) {
    const int ty = (fromBottom ? tileRows - 1 - t : t) * kTileY;
    for (int tx = 0; tx < outW; tx += kTileX) {
      tile(src, dst, tx, std::min(tx + kTileX, outW), ty, std::min(ty + kTileY, outH));
    }
  }
}

bool Usable(vell::ConstPixelView src, vell::PixelView dst) {
  return src.pixels != nullptr && dst.pixels != nullptr && src.width > 0 && src.height > 0 && dst.width > 0 &&
         dst.height > 0;
}

}  // namespace

void FlipCopy(vell::ConstPixelView src, vell::PixelView dst, Flip flip) {
  if (!Usable(src, dst)) return;
  const bool sameBlock = src.pixels == dst.pixels && src.stride == dst.stride && src.width == dst.width &&
                         src.height == dst.height;
  if (sameBlock) {
    FlipInPlace(dst, flip);
    return;
  }
  if (SharesMemory(src, dst)) {
    const OwnedCopy copy = CopyOf(src);
    FlipCopy(copy.view, dst, flip);
    return;
  }
  const bool horizontal = flip == Flip::kHorizontal || flip == Flip::kBoth;
  const bool vertical = flip == Flip::kVertical || flip == Flip::kBoth;
  const int outW = std::min(src.width, dst.width);
  const int outH = std::min(src.height, dst.height);
  for (int y = 0; y < outH; ++y) {
    const std::uint32_t* s = src.Row(vertical ? src.height - 1 - y : y);
    std::uint32_t* d = dst.Row(y);
    if (horizontal) {
      ReverseRow(s, src.width, d, outW);
    } else {
      std::memcpy(d, s, static_cast<std::size_t>(outW) * sizeof(std::uint32_t));
    }
  }
}

void TurnHalf(vell::ConstPixelView src, vell::PixelView dst) {
  FlipCopy(src, dst, Flip::kBoth);
}

void TurnClockwise(vell::ConstPixelView src, vell::PixelView dst) {
  if (!Usable(src, dst)) return;
  if (SharesMemory(src, dst)) {
    const OwnedCopy copy = CopyOf(src);
    Tiled(copy.view, dst, ClockwiseTile, false);
    return;
  }
  Tiled(src, dst, ClockwiseTile, false);
}

void TurnAnticlockwise(vell::ConstPixelView src, vell::PixelView dst) {
  if (!Usable(src, dst)) return;
  if (SharesMemory(src, dst)) {
    const OwnedCopy copy = CopyOf(src);
    Tiled(copy.view, dst, AnticlockwiseTile, true);
    return;
  }
  Tiled(src, dst, AnticlockwiseTile, true);
}

void FlipInPlace(vell::PixelView view, Flip flip) {
  if (view.pixels == nullptr || view.width <= 0 || view.height <= 0) return;
  const bool horizontal = flip == Flip::kHorizontal || flip == Flip::kBoth;
  const bool vertical = flip == Flip::kVertical || flip == Flip::kBoth;
  if (vertical) {
    std::vector<std::uint32_t> buffer(static_cast<std::size_t>(view.width));
    const std::size_t bytes = buffer.size() * sizeof(std::uint32_t);
    for (int top = 0, bottom = view.height - 1; top < bottom; ++top, --bottom) {
      std::memcpy(buffer.data(), view.Row(top), bytes);
      std::memcpy(view.Row(top), view.Row(bottom), bytes);
      std::memcpy(view.Row(bottom), buffer.data(), bytes);
    }
  }
  if (horizontal) {
    for (int y = 0; y < view.height; ++y)
      ReverseRowInPlace(view.Row(y), view.width);
  }
}

}  // namespace snapwell
