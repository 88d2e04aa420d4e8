// Picture: the program's off-screen picture buffers (32-bit 0x00RRGGBB pixels, rows top-down)
// with the drawing state a buffer carries: background, pen, draw mode and fill.
// Every drawing operation is our own pixel code, so results are the same natively and on Windows.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "pixel_view.h"

namespace snapwell {

inline constexpr std::uint32_t kWhite = 0x00FFFFFF;
inline constexpr std::uint32_t kBlack = 0x00000000;
// What GetPixel answers outside the picture; no pixel ever has a non-zero top byte.
inline constexpr std::uint32_t kInvalidPixel = 0xFFFFFFFF;
inline constexpr std::uint32_t kColorMask = 0x00FFFFFF;

// Largest picture we agree to hold: 2^28 pixels (1 GiB), and no side beyond 65535.
inline constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 28;
inline constexpr int kMaxPictureSide = 65535;

// How a pen or fill combines with the pixels under it; the numbers are the R2_* binary raster
// operations of the platform.
//   kBlack     (1)  black, whatever the colour
//   kContrast  (2)  every channel moves by half its range (pixel XOR 0x808080), whatever the colour:
//                   the mark differs from what lies under it by 128 in each channel, so an outline
//                   stays visible on any picture, and drawing it twice restores the picture
//   kInvert    (6)  the destination inverted
//   kCopyPen   (13) the colour itself
// Any other number draws as kCopyPen.
enum class DrawMode : int { kBlack = 1, kContrast = 2, kInvert = 6, kCopyPen = 13 };

// Whether closed shapes are filled with the fill colour or only outlined by the pen.
enum class FillStyle { kSolid, kTransparent };

// Where a picture's pixels live: plain memory natively, a DIB section on Windows.
class PixelStore {
 public:
  using Refill = std::function<void(vell::PixelView fresh, vell::ConstPixelView old)>;

  virtual ~PixelStore() = default;
  virtual vell::PixelView View() const = 0;
  // Replaces the storage by one of width × height pixels. `refill` gets the new, uninitialised
  // pixels and the old ones, which stay valid during the call. On failure (no memory, a size beyond
  // the limits) returns false and keeps the old storage untouched.
  virtual bool Reallocate(int width, int height, const Refill& refill) = 0;
};

// Plain heap memory, rows packed (stride = width).
class MemoryPixelStore : public PixelStore {
 public:
  MemoryPixelStore() = default;
  vell::PixelView View() const override;
  bool Reallocate(int width, int height, const Refill& refill) override;

 private:
  std::unique_ptr<std::uint32_t[]> pixels_;
  int width_ = 0;
  int height_ = 0;
};

// True when width × height is a size a picture may have (both >= 0, within the limits above).
bool IsAcceptablePictureSize(std::int64_t width, std::int64_t height);

class Picture {
 public:
  // An empty 0 × 0 picture in plain memory.
  Picture();
  // A white width × height picture in plain memory; stays 0 × 0 when the size is refused
  // (check Width()/Height() or use Resize, which reports it).
  Picture(int width, int height);
  // A picture over a given store, which keeps the size and pixels it has.
  explicit Picture(std::unique_ptr<PixelStore> store);

  Picture(Picture&&) noexcept;
  Picture& operator=(Picture&&) noexcept;
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;
  ~Picture();

  int Width() const { return view_.width; }
  int Height() const { return view_.height; }
  bool Empty() const { return view_.width == 0 || view_.height == 0; }
  vell::PixelView View() { return view_; }
  vell::ConstPixelView View() const { return view_; }
  // The part of the rectangle (x, y, w, h) that lies inside the picture (may be empty).
  vell::PixelView View(int x, int y, int w, int h);
  vell::ConstPixelView View(int x, int y, int w, int h) const;
  PixelStore* Store() const { return store_.get(); }

  // Changes the size; the pixels that remain inside keep their place, new area takes the
  // background colour. False (and nothing changed) when the size is refused or memory runs out.
  bool Resize(int width, int height);
  // Changes the size and whitens the whole picture with the background colour, keeping no pixel:
  // cheaper than Resize and Clear for a buffer about to be drawn anew. False (nothing changed)
  // when the size is refused or memory runs out.
  bool Recreate(int width, int height);
  // Fills the whole picture with the background colour.
  void Clear();
  // Fills the part of the rectangle inside the picture with a colour (no draw mode).
  void FillRect(int x, int y, int w, int h, std::uint32_t color);

  // Single pixels, stored as given (no draw mode); outside the picture SetPixel does nothing and
  // GetPixel answers kInvalidPixel.
  void SetPixel(int x, int y, std::uint32_t color);
  std::uint32_t GetPixel(int x, int y) const;

  // Drawing state. Colours are pixels (0x00RRGGBB); the top byte is ignored.
  std::uint32_t BackColor() const { return backColor_; }
  void SetBackColor(std::uint32_t color) { backColor_ = color & kColorMask; }
  std::uint32_t PenColor() const { return penColor_; }
  void SetPenColor(std::uint32_t color) { penColor_ = color & kColorMask; }
  // Pen width in pixels, held to 1–3.
  int PenWidth() const { return penWidth_; }
  void SetPenWidth(int width);
  DrawMode GetDrawMode() const { return drawMode_; }
  void SetDrawMode(DrawMode mode) { drawMode_ = mode; }
  std::uint32_t FillColor() const { return fillColor_; }
  void SetFillColor(std::uint32_t color) { fillColor_ = color & kColorMask; }
  FillStyle GetFillStyle() const { return fillStyle_; }
  void SetFillStyle(FillStyle style) { fillStyle_ = style; }

  // A dot of the pen's width at (x, y) in the pen colour, through the draw mode. The dot covers the
  // pixels whose centres lie within width/2 of the pen centre: one pixel for width 1, the 2 × 2
  // block up and left of (x, y) for width 2, the 3 × 3 block round it for width 3.
  void Point(int x, int y);
  // A line from (x0, y0) towards (x1, y1) with a round pen of the pen's width, through the draw
  // mode; every pixel is touched once. The end point itself is not drawn (a zero-length line
  // draws nothing), so lines join without overlap; draw it with Point where it is wanted.
  void Line(int x0, int y0, int x1, int y1);
  // A circle round (cx, cy) whose pen runs along radius r: pixels within r + w/2 of the centre are
  // covered, the outer band of the pen's width w in the pen colour and the inside in the fill colour
  // (when the fill is solid); all through the draw mode, each pixel once.
  void Circle(double cx, double cy, double r);
  // The ellipse that just fills the inclusive box (left, top)–(right, bottom) (corners in any
  // order): a pixel is covered when its centre lies inside the ellipse through the box's outer edges.
  // Pen band and fill as for Circle.
  void Ellipse(int left, int top, int right, int bottom);
  // Fills the 4-connected area round (x, y) that does not have the border colour with the fill
  // colour (stored as is, whatever the draw mode or fill style). Scanline fill with its own stack,
  // never recursive. False when the seed lies outside or on the border colour.
  bool FloodFillBorder(int x, int y, std::uint32_t borderColor);

 private:
  // The store's new storage, filled by `refill`, and the view of it.
  bool Reallocate(int width, int height, const PixelStore::Refill& refill);

  void PaintEllipse(double cx, double cy, double outerA, double outerB);

  std::unique_ptr<PixelStore> store_;
  vell::PixelView view_;
  std::uint32_t backColor_ = kWhite;
  std::uint32_t penColor_ = kBlack;
  int penWidth_ = 1;
  DrawMode drawMode_ = DrawMode::kCopyPen;
  std::uint32_t fillColor_ = kBlack;
  FillStyle fillStyle_ = FillStyle::kSolid;
};

// The result of the draw mode for a mark of `color` over the pixel `dst`.
inline std::uint32_t ApplyDrawMode(DrawMode mode, std::uint32_t color, std::uint32_t dst) {
  switch (mode) {
    case DrawMode::kBlack:
      return kBlack;
    case DrawMode::kContrast:
      return (dst ^ 0x00808080) & kColorMask;
    case DrawMode::kInvert:
      return ~dst & kColorMask;
    case DrawMode::kCopyPen:
    default:
      return color & kColorMask;
  }
}

}  // namespace snapwell
