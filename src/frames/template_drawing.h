// Drawing a frame template stretched over a rectangle: the live preview while the user drags,
// and the mask the cut-out uses (desktop pixels inside the outline, white outside).
// Lines are the picture's own; elliptic arcs come from the imaging library's DrawArc.
#pragma once

#include <cstdint>

#include "frames/vell_frame.h"
#include "imaging/imaging.h"
#include "raster/picture.h"

namespace snapwell {

// Draws the template so that its box's corners land on the rectangle's first and last pixels.
// colorRef is a 0x00BBGGRR colour (0 = black); drawMode 1 black, 6 invert, 13 copy pen. The
// mapping is worked out in double precision. Records other than lines and arcs are skipped, and so
// are arcs under half a pixel in either radius. A frame without a stretchable box draws nothing.
// Raises ImagingError when the imaging library cannot be bound for an arc.
void DrawTemplateOutline(const CVellFrame& frame, Imaging& imaging, Picture& target, double left, double top,
                         double width, double height, std::uint32_t colorRef, int drawMode);

// One elliptic arc of a template: centre, radii in target pixels, angles in radians, turning
// clockwise on screen; equal angles draw the whole ellipse.
void DrawTemplateArc(Imaging& imaging, Picture& target, double cx, double cy, double rx, double ry,
                     double start, double end, std::uint32_t colorRef, int drawMode);

// The pictures the template mask is built with.
struct TemplateMaskBuffers {
  Picture& surface;  // shows the frozen desktop; gets the outline inverted on it
  Picture& board1;   // white on entry; receives the outline in black
  Picture& board2;   // (screenWidth + 4) x (screenHeight + 4); receives the mask at offset (2, 2)
  Picture& board3;   // scratch, screen-sized
  int screenWidth;
  int screenHeight;
};

// Leaves in board2, inside the rectangle and at offset (2, 2), the desktop pixels inside and on
// the template outline and white elsewhere; the surface shows the outline inverted.
void BuildTemplateMask(const CVellFrame& frame, Imaging& imaging, const TemplateMaskBuffers& buffers,
                       double left, double top, double width, double height);

}  // namespace snapwell
