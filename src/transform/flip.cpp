#include "transform/flip.h"

#include <algorithm>
#include <cstring>

namespace snapwell {
namespace {

template <RasterOp Op>
void CombineRow(std::uint32_t* dst, int count, const vell::ConstPixelView& src, int srcX, int step,
                int srcY) {
  const bool rowInside = srcY >= 0 && srcY < src.height;
  for (int i = 0; i < count; ++i, srcX += step) {
    const std::uint32_t s =
        rowInside && srcX >= 0 && srcX < src.width ? src.Row(srcY)[srcX] & kColorMask : kWhite;
    dst[i] = ApplyRasterOp(Op, s, dst[i]);
  }
}

// One block row: dst[0 .. count) combined with src row srcY read from srcX in steps of `step`.
void CombineRowWith(RasterOp op, std::uint32_t* dst, int count, const vell::ConstPixelView& src, int srcX,
                    int step, int srcY) {
  // The common case, a forward copy wholly inside the source, is one memory copy.
  if (op == RasterOp::kSrcCopy && step == 1 && srcY >= 0 && srcY < src.height && srcX >= 0 &&
      srcX + count <= src.width) {
    std::memcpy(dst, src.Row(srcY) + srcX, static_cast<std::size_t>(count) * sizeof(std::uint32_t));
    return;
  }
  switch (op) {
    case RasterOp::kSrcPaint:
      CombineRow<RasterOp::kSrcPaint>(dst, count, src, srcX, step, srcY);
      break;
    case RasterOp::kSrcAnd:
      CombineRow<RasterOp::kSrcAnd>(dst, count, src, srcX, step, srcY);
      break;
    case RasterOp::kNotSrcCopy:
      CombineRow<RasterOp::kNotSrcCopy>(dst, count, src, srcX, step, srcY);
      break;
    default:
      CombineRow<RasterOp::kSrcCopy>(dst, count, src, srcX, step, srcY);
      break;
  }
}

}  // namespace

void MirroredStripCopy(const ColumnPass& columns, Picture& intermediate, Picture& board1,
                       const StripBlock& block, std::int16_t reverseValue) {
  const int xStep = XStep(reverseValue);
  const int yStep = YStep(reverseValue);
  const int left = block.left, top = block.top, right = block.right, bottom = block.bottom;
  if (right < left || bottom < top) return;

  // Column pass, done a block row at a time: column X reads source column s(X) + ox.
  {
    const vell::ConstPixelView src = columns.source.View();
    const vell::PixelView q = intermediate.View();
    const int x0 = std::max(left, 0), x1 = std::min(right, q.width - 1);
    const int y0 = std::max(top, 0), y1 = std::min(bottom, q.height - 1);
    if (x0 <= x1) {
      // s(X) = left + (X - left) forwards, right - (X - left) backwards.
      const int firstSource = (xStep > 0 ? left + (x0 - left) : right - (x0 - left)) + columns.offsetX;
      for (int y = y0; y <= y1; ++y) {
        CombineRowWith(columns.op, q.Row(y) + x0, x1 - x0 + 1, src, firstSource, xStep, y + columns.offsetY);
      }
    }
  }

  // Row pass: row Y of board1 takes row s(Y) of the intermediate picture, unmirrored along it.
  {
    const vell::ConstPixelView q = intermediate.View();
    const vell::PixelView out = board1.View();
    const int x0 = std::max(left, 0), x1 = std::min(right, out.width - 1);
    const int y0 = std::max(top, 0), y1 = std::min(bottom, out.height - 1);
    if (x0 > x1) return;
    for (int y = y0; y <= y1; ++y) {
      const int sourceRow = yStep > 0 ? top + (y - top) : bottom - (y - top);
      CombineRowWith(RasterOp::kSrcCopy, out.Row(y) + x0, x1 - x0 + 1, q, x0, 1, sourceRow);
    }
  }
}

void BlitWhiteOutside(Picture& dst, int dstX, int dstY, int w, int h, const Picture& src, int srcX, int srcY,
                      RasterOp op) {
  const vell::PixelView out = dst.View();
  const vell::ConstPixelView in = src.View();
  const int x0 = std::max(dstX, 0), x1 = std::min(dstX + w, out.width);
  const int y0 = std::max(dstY, 0), y1 = std::min(dstY + h, out.height);
  if (x0 >= x1 || y0 >= y1) return;
  // The same picture on both sides would need a copy of the source block first.
  if (&dst == &src) {
    Picture copy(w, h);
    BitBlt(copy, 0, 0, w, h, src, srcX, srcY, RasterOp::kSrcCopy);
    BlitWhiteOutside(dst, dstX, dstY, w, h, copy, 0, 0, op);
    return;
  }
  for (int y = y0; y < y1; ++y) {
    CombineRowWith(op, out.Row(y) + x0, x1 - x0, in, srcX + (x0 - dstX), 1, srcY + (y - dstY));
  }
}

}  // namespace snapwell
