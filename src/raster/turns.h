// Whole-block mirrors and right-angle turns for the transform steps: exact pixel permutations,
// done by rows and cache-sized tiles instead of one pixel or one strip at a time.
#pragma once

#include "pixel_view.h"

namespace snapwell {

// Mirror directions in the order of the flip setting: 0 none, 1 left–right, 2 top–bottom, 3 both.
enum class Flip : int { kNone = 0, kHorizontal = 1, kVertical = 2, kBoth = 3 };

// Each operation writes the transformed source block at the origin of `dst`; what would fall
// beyond `dst` is left out. With src the w × h block:
//   FlipCopy           dst(x, y) = src(w-1-x, y) / src(x, h-1-y) / both     (w × h)
//   TurnHalf           dst(x, y) = src(w-1-x, h-1-y)                        (w × h)
//   TurnClockwise      dst(x, y) = src(y, h-1-x)   a quarter turn clockwise (h × w)
//   TurnAnticlockwise  dst(x, y) = src(w-1-y, x)   a quarter turn the other way (h × w)
// Source and destination may share pixels; the result is as if the source had been read first.
void FlipCopy(vell::ConstPixelView src, vell::PixelView dst, Flip flip);
void TurnHalf(vell::ConstPixelView src, vell::PixelView dst);
void TurnClockwise(vell::ConstPixelView src, vell::PixelView dst);
void TurnAnticlockwise(vell::ConstPixelView src, vell::PixelView dst);

// Mirrors a block where it stands.
void FlipInPlace(vell::PixelView view, Flip flip);

}  // namespace snapwell
