// The mirrored strip copy that moves a region out of its source in two passes (columns, then
// rows) and mirrors it on the way as the flip setting asks, and the masked block copy the cut-out
// builds its masks with. Source pixels that lie outside their picture count as white, so a region
// reaching past the screen's edge is white there, never black or undefined.
#pragma once

#include <cstdint>

#include "raster/block_transfer.h"
#include "raster/picture.h"

namespace snapwell {

// A block of pixels, all four edges inclusive.
struct StripBlock {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

// The read directions of the flip setting: +1 or -1.
inline std::int16_t XStep(std::int16_t reverseValue) {
  return static_cast<std::int16_t>(1 - 2 * (reverseValue % 2 != 0 ? 1 : 0));
}
inline std::int16_t YStep(std::int16_t reverseValue) {
  return static_cast<std::int16_t>(1 - 2 * ((reverseValue & 2) != 0 ? 1 : 0));
}

// Where the column pass reads and how it combines.
struct ColumnPass {
  const Picture& source;
  int offsetX = 0;  // the column read for block column s is s + offsetX
  int offsetY = 0;
  RasterOp op = RasterOp::kSrcCopy;  // kSrcCopy or kSrcPaint
};

// Column pass: every column X of the block in `intermediate` becomes op(source column s + ox,
// rows T + oy ...), s running from the left edge forwards or from the right edge backwards.
// Row pass: every row Y of the block in `board1` becomes the row s of `intermediate`, s running
// from the top down or from the bottom up. Pixels outside the block are not touched. Both passes
// work on whole rows of the block: the same pixels as one strip per column and row.
void MirroredStripCopy(const ColumnPass& columns, Picture& intermediate, Picture& board1,
                       const StripBlock& block, std::int16_t reverseValue);

// BitBlt with op for kSrcCopy, kSrcPaint, kSrcAnd and kNotSrcCopy, except that where the source
// block lies outside `src` the destination is combined with white instead of being left alone.
void BlitWhiteOutside(Picture& dst, int dstX, int dstY, int w, int h, const Picture& src, int srcX, int srcY,
                      RasterOp op);

}  // namespace snapwell
