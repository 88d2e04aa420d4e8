// The hidden form `frmBoard` with the three picture buffers of a capture, and the one place where
// a buffer is given a size: for the screen when the surface is activated, and larger when a
// cut-out or its scaling needs more. A size no picture can have is refused as out of memory.
#pragma once

#include <cstdint>

#include "capture/run_time_error.h"
#include "raster/picture.h"

namespace snapwell {

// picBoard2 holds the clean desktop at (2, 2): a margin of 2 on the near sides, and of 2 more on
// the far sides where the freehand and template masks need white round the whole screen.
inline constexpr std::int32_t kBoard2Margin = 2;
inline constexpr std::int32_t kBoard2OutlineMargin = 4;

// Gives the picture exactly width x height pixels, keeping those that stay inside and filling the
// rest white. Raises RunTimeError 7 when no picture can be that large or memory runs out.
void SizeBuffer(Picture& picture, std::int64_t width, std::int64_t height);
// Grows the picture to at least width x height (it never shrinks), as SizeBuffer does.
void GrowBuffer(Picture& picture, std::int64_t width, std::int64_t height);
// Whether growing the picture to at least width x height gives a size a picture can have.
bool BufferCanGrowTo(const Picture& picture, std::int64_t width, std::int64_t height);

class FrmBoard {
 public:
  bool loaded = false;
  Picture picBoard1;  // mask and work picture
  Picture picBoard2;  // the clean desktop at offset (2, 2); the rotated result
  Picture picBoard3;  // compose buffer

  // Loads it (white, empty buffers) unless it is loaded.
  void Load();
  // Frees the buffers.
  void Unload();
  // Gives all three the line width.
  void SetLineWidth(int width);
  // Loads it and sizes the buffers for a screenWidth x screenHeight screen: picBoard1 and
  // picBoard3 the screen, picBoard2 the screen and its margin (kBoard2Margin or
  // kBoard2OutlineMargin) in each direction.
  void SizeForScreen(std::int32_t screenWidth, std::int32_t screenHeight, std::int32_t board2Margin);
};

}  // namespace snapwell
