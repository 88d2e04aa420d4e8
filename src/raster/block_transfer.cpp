// Bit-block transfers: clipping to both pictures, overlap within one picture, per-op row loops.
#include "raster/block_transfer.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace snapwell {

namespace {

// One row of the operation; the loops are simple enough for the compiler to vectorise.
template <RasterOp kOp>
void RowOp(std::uint32_t* d, const std::uint32_t* s, int n) {
  for (int i = 0; i < n; ++i)
    d[i] = ApplyRasterOp(kOp, s[i], d[i]);
}

using RowFn = void (*)(std::uint32_t*, const std::uint32_t*, int);

RowFn RowFor(RasterOp op) {
  switch (op) {
    case RasterOp::kSrcCopy:
      return RowOp<RasterOp::kSrcCopy>;
    case RasterOp::kSrcPaint:
      return RowOp<RasterOp::kSrcPaint>;
    case RasterOp::kSrcAnd:
      return RowOp<RasterOp::kSrcAnd>;
    case RasterOp::kSrcInvert:
      return RowOp<RasterOp::kSrcInvert>;
    case RasterOp::kNotSrcCopy:
      return RowOp<RasterOp::kNotSrcCopy>;
    case RasterOp::kDstInvert:
      return RowOp<RasterOp::kDstInvert>;
  }
  return nullptr;
}

// Narrows the interval [a, a + n) so that both a and b + (the same offset) stay in [0, limitA) and
// [0, limitB); returns the start shift and the new length (0 when nothing remains).
struct Span {
  std::int64_t shift = 0;
  std::int64_t length = 0;
};

Span ClipSpan(std::int64_t a, std::int64_t b, std::int64_t n, std::int64_t limitA, std::int64_t limitB) {
  std::int64_t start = 0;
  start = std::max(start, -a);
  start = std::max(start, -b);
  std::int64_t end = n;
  end = std::min(end, limitA - a);
  end = std::min(end, limitB - b);
  if (end <= start) return Span{};
  return Span{start, end - start};
}

bool Overlaps(const std::uint32_t* a0, const std::uint32_t* a1, const std::uint32_t* b0,
              const std::uint32_t* b1) {
  return a0 < b1 && b0 < a1;
}

}  // namespace

void BitBlt(vell::PixelView dst, int dstX, int dstY, int w, int h, vell::ConstPixelView src, int srcX,
            int srcY, RasterOp op) {
  const RowFn row = RowFor(op);
  if (row == nullptr || w <= 0 || h <= 0 || dst.pixels == nullptr) return;
  if (op == RasterOp::kDstInvert) {
    const Span sx = ClipSpan(dstX, dstX, w, dst.width, dst.width);
    const Span sy = ClipSpan(dstY, dstY, h, dst.height, dst.height);
    for (std::int64_t j = 0; j < sy.length; ++j) {
      std::uint32_t* d = dst.Row(static_cast<int>(dstY + sy.shift + j)) + dstX + sx.shift;
      row(d, d, static_cast<int>(sx.length));  // the source is not read
    }
    return;
  }
  if (src.pixels == nullptr) return;
  const Span sx = ClipSpan(dstX, srcX, w, dst.width, src.width);
  const Span sy = ClipSpan(dstY, srcY, h, dst.height, src.height);
  if (sx.length == 0 || sy.length == 0) return;
  const int n = static_cast<int>(sx.length);
  const int rows = static_cast<int>(sy.length);
  const int dx = static_cast<int>(dstX + sx.shift);
  const int dy = static_cast<int>(dstY + sy.shift);
  const int sxs = static_cast<int>(srcX + sx.shift);
  const int sys = static_cast<int>(srcY + sy.shift);

  // Do the two blocks share memory? Then go through a row buffer, rows in the order that reads
  // every source row before it is overwritten.
  const std::uint32_t* dFirst = dst.Row(dy) + dx;
  const std::uint32_t* dLast = dst.Row(dy + rows - 1) + dx + n;
  const std::uint32_t* sFirst = src.Row(sys) + sxs;
  const std::uint32_t* sLast = src.Row(sys + rows - 1) + sxs + n;
  if (!Overlaps(dFirst, dLast, sFirst, sLast)) {
    for (int j = 0; j < rows; ++j)
      row(dst.Row(dy + j) + dx, src.Row(sys + j) + sxs, n);
    return;
  }
  if (src.stride != dst.stride) {
    // Views of the same pixels with different row lengths: read the whole block first.
    std::vector<std::uint32_t> block(static_cast<std::size_t>(n) * static_cast<std::size_t>(rows));
    for (int j = 0; j < rows; ++j)
      std::memcpy(&block[static_cast<std::size_t>(j) * n], src.Row(sys + j) + sxs, n * sizeof(std::uint32_t));
    for (int j = 0; j < rows; ++j)
      row(dst.Row(dy + j) + dx, &block[static_cast<std::size_t>(j) * n], n);
    return;
  }
  std::vector<std::uint32_t> buffer(static_cast<std::size_t>(n));
  const bool bottomUp = dFirst > sFirst;
  for (int k = 0; k < rows; ++k) {
    const int j = bottomUp ? rows - 1 - k : k;
    std::memcpy(buffer.data(), src.Row(sys + j) + sxs, buffer.size() * sizeof(std::uint32_t));
    row(dst.Row(dy + j) + dx, buffer.data(), n);
  }
}

void BitBlt(Picture& dst, int dstX, int dstY, int w, int h, const Picture& src, int srcX, int srcY,
            RasterOp op) {
  BitBlt(dst.View(), dstX, dstY, w, h, src.View(), srcX, srcY, op);
}

void DstInvert(Picture& dst, int x, int y, int w, int h) {
  BitBlt(dst.View(), x, y, w, h, vell::ConstPixelView{}, 0, 0, RasterOp::kDstInvert);
}

}  // namespace snapwell
