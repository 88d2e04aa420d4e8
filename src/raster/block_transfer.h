// Bit-block transfers between pictures with the raster operations the program uses.
// The values are the platform's ternary raster-operation codes (SRCCOPY, SRCPAINT, ...), so a
// Win32 caller can pass a code straight through.
#pragma once

#include <cstdint>

#include "raster/picture.h"

namespace snapwell {

enum class RasterOp : std::uint32_t {
  kSrcCopy = 0x00CC0020,     // SRCCOPY     D = S
  kSrcPaint = 0x00EE0086,    // SRCPAINT    D = S OR D
  kSrcAnd = 0x008800C6,      // SRCAND      D = S AND D
  kSrcInvert = 0x00660046,   // SRCINVERT   D = S XOR D
  kNotSrcCopy = 0x00330008,  // NOTSRCCOPY  D = NOT S
  kDstInvert = 0x00550009,   // DSTINVERT   D = NOT D (no source)
};

// Combines one pixel; the result always has a zero top byte.
inline std::uint32_t ApplyRasterOp(RasterOp op, std::uint32_t src, std::uint32_t dst) {
  switch (op) {
    case RasterOp::kSrcCopy:
      return src & kColorMask;
    case RasterOp::kSrcPaint:
      return (src | dst) & kColorMask;
    case RasterOp::kSrcAnd:
      return (src & dst) & kColorMask;
    case RasterOp::kSrcInvert:
      return (src ^ dst) & kColorMask;
    case RasterOp::kNotSrcCopy:
      return ~src & kColorMask;
    case RasterOp::kDstInvert:
      return ~dst & kColorMask;
  }
  return dst & kColorMask;
}

// Transfers the w × h block at (srcX, srcY) of `src` onto `dst` at (dstX, dstY) with `op`.
// Only the pixels that lie inside both pictures take part (for kDstInvert, inside `dst`);
// w or h <= 0 does nothing. `src` and `dst` may be the same picture, the two blocks overlapping:
// the result is as if the source block had been read in full first.
void BitBlt(Picture& dst, int dstX, int dstY, int w, int h, const Picture& src, int srcX, int srcY,
            RasterOp op);
// The same on raw views (both may be views of the same pixels).
void BitBlt(vell::PixelView dst, int dstX, int dstY, int w, int h, vell::ConstPixelView src, int srcX,
            int srcY, RasterOp op);
// kDstInvert (or any operation that needs no source) over a block of `dst`.
void DstInvert(Picture& dst, int x, int y, int w, int h);

}  // namespace snapwell
