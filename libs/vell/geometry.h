// Pixel geometry of the imaging library: rotation about two centres, smoothed enlargement,
// area-averaging reduction and elliptic arcs, all on 32-bit pixel views. Every routine clips
// to the views it is given and refuses arguments that could not describe a picture.
#pragma once

#include <cstdint>
#include <vector>

#include "pixel_view.h"

namespace vell {

// A rectangle with right and bottom inclusive, as the rotation call passes it.
struct InclusiveRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

// How the rotation samples the source.
enum class RollSampling { kNearest, kBilinear };

// Writes every pixel of the canvas [0, width) x [0, height) (clipped to `dst`) whose inverse
// rotation about the two centres lands inside `rect` (clipped to `src`); all other pixels keep
// their value. A positive angle turns clockwise on screen (y grows downwards). A canvas pixel
// is covered when the source pixel nearest to its inverse image lies in the rectangle; with
// bilinear sampling its neighbours are clamped to the rectangle, so no outside colour bleeds in.
// Returns false (nothing drawn) for non-finite arguments.
bool Roll(PixelView dst, double dstCentreX, double dstCentreY, int width, int height, double angle,
          ConstPixelView src, double srcCentreX, double srcCentreY, RollSampling sampling,
          InclusiveRect rect);

// Angle reduced to (-pi, pi]; the rotation treats every angle like this equivalent.
double NormalizeAngle(double angle);

// How an enlargement fills the pixels between source pixel centres.
enum class EnlargeFilter {
  kNearest,   // plain pixel repetition
  kBilinear,  // smooth ramps between neighbouring pixels
  kSharp,     // bilinear with its weights passed through smoothstep (3t^2 - 2t^3): the ramp between
              // two source pixels is steep at their boundary and flat near their centres, so edges
              // come out crisper than kBilinear, without the halos of a sharpening kernel;
              // flat areas stay exactly flat
};

// Enlargement filter for the library's colour flag: 1 smooths, 2 sharpens edges, others repeat.
EnlargeFilter EnlargeFilterFromFlag(int flag);

// Size of a block of `length` pixels scaled by `factor`: the smallest whole count that holds it
// (at least 1), or 0 when the factor is not a positive finite number or the result is absurd.
int ScaledLength(int length, double factor);

// Scales the block (srcX, srcY, width, height) of `src` by `factor` into `dst` with its top-left
// corner at (dstX, dstY). Source samples are clamped to the part of the block inside `src`.
// Returns false (nothing drawn) when the factor or the block cannot be scaled.
bool Enlarge(PixelView dst, int dstX, int dstY, int width, int height, ConstPixelView src, int srcX, int srcY,
             double factor, EnlargeFilter filter);

// Reduces the block like Enlarge, each output pixel the average of the source area it covers,
// partly covered source pixels weighted by their covered fraction. Whole blocks of a factor 1/n
// take an integer short way where it gives the same pixels.
bool Reduce(PixelView dst, int dstX, int dstY, int width, int height, ConstPixelView src, int srcX, int srcY,
            double factor);

// Reduce without the short way: every pixel through the floating-point area average, which the
// short way must match bit for bit.
bool ReduceByArea(PixelView dst, int dstX, int dstY, int width, int height, ConstPixelView src, int srcX,
                  int srcY, double factor);

// One pixel of an arc.
struct ArcPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const ArcPoint&, const ArcPoint&) = default;
};

// The one-pixel-wide outline of the arc of the ellipse inscribed in the box (all edges
// inclusive) from the radial through the start point to the radial through the end point,
// running clockwise on screen (the direction of increasing angle with y pointing down). When
// both radials coincide (start = end = (0, 0) among them) the whole ellipse results. Every
// pixel appears once; the outline is 8-connected. Empty for boxes too large to be a picture.
std::vector<ArcPoint> ArcOutline(int left, int top, int right, int bottom, int startX, int startY, int endX,
                                 int endY);

// Draws ArcOutline into `view` with the binary raster operation `rop` (1 black ... 6 invert ...
// 13 copy pen ... 16 white, as a device context numbers them) and `colorRef` (0x00BBGGRR).
// Returns false (nothing drawn) for a raster operation outside 1..16.
bool DrawArc(PixelView view, int left, int top, int right, int bottom, int startX, int startY, int endX,
             int endY, std::uint32_t colorRef, int rop);

// Applies a binary raster operation (1..16) of pen `pen` to pixel `dst`.
std::uint32_t ApplyRop2(int rop, std::uint32_t pen, std::uint32_t dst);

}  // namespace vell
