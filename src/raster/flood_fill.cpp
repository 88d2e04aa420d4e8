// Border flood fill: fill from a seed up to a border colour (4-connected), as a span fill that
// walks whole runs of a row and keeps its pending runs on a heap stack, so no picture size can
// exhaust the call stack.
#include <cstdint>
#include <vector>

#include "raster/picture.h"

namespace snapwell {

namespace {

struct Run {
  int y;   // the row already filled
  int xl;  // its run, inclusive
  int xr;
  int dy;  // the row to explore next is y + dy
};

// When the fill colour is the border colour a filled pixel stops the fill by itself; otherwise a
// mask remembers what has been filled.
template <bool kTrackVisited>
class SpanFill {
 public:
  SpanFill(vell::PixelView view, std::uint32_t border, std::uint32_t fill)
      : view_(view), border_(border), fill_(fill) {
    if (kTrackVisited) {
      visited_.assign(static_cast<std::size_t>(view.width) * static_cast<std::size_t>(view.height), 0);
    }
  }

  void Run(int x, int y) {
    Push(y, x, x, 1);
    Push(y + 1, x, x, -1);  // explores row y itself first
    while (!stack_.empty()) {
      const struct Run r = stack_.back();
      stack_.pop_back();
      Explore(r.y + r.dy, r.xl, r.xr, r.dy);
    }
  }

 private:
  bool Inside(const std::uint32_t* row, std::size_t rowBase, int x) const {
    if ((row[x] & kColorMask) == border_) return false;
    if constexpr (kTrackVisited) return visited_[rowBase + static_cast<std::size_t>(x)] == 0;
    return true;
  }
  void Set(std::uint32_t* row, std::size_t rowBase, int x) {
    row[x] = fill_;
    if constexpr (kTrackVisited) visited_[rowBase + static_cast<std::size_t>(x)] = 1;
  }
  void Push(int y, int xl, int xr, int dy) {
    const int next = y + dy;
    if (next >= 0 && next < view_.height) stack_.push_back({y, xl, xr, dy});
  }

  // Row y, below or above the filled run [x1, x2] of row y - dy.
  void Explore(int y, int x1, int x2, int dy) {
    std::uint32_t* row = view_.Row(y);
    const std::size_t base = static_cast<std::size_t>(y) * static_cast<std::size_t>(view_.width);
    const int width = view_.width;
    int x = x1;
    int l = 0;
    for (; x >= 0 && Inside(row, base, x); --x)
      Set(row, base, x);
    bool extendRight = x < x1;  // the pixel at x1 was filled: go on to its right first
    if (extendRight) {
      l = x + 1;
      if (l < x1) Push(y, l, x1 - 1, -dy);  // the run leaks back round the left end
      x = x1 + 1;
    }
    do {
      if (extendRight) {
        for (; x < width && Inside(row, base, x); ++x)
          Set(row, base, x);
        Push(y, l, x - 1, dy);
        if (x > x2 + 1) Push(y, x2 + 1, x - 1, -dy);  // ... or round the right end
      }
      extendRight = true;
      x = SkipBorder(row, base, x, x2);
      l = x;
    } while (x <= x2);
  }

  // The first x after `x`, up to x2 + 1, where the fill can go on.
  int SkipBorder(const std::uint32_t* row, std::size_t base, int x, int x2) const {
    for (++x; x <= x2 && !Inside(row, base, x); ++x) {
    }
    return x;
  }

  vell::PixelView view_;
  std::uint32_t border_;
  std::uint32_t fill_;
  std::vector<std::uint8_t> visited_;
  std::vector<struct Run> stack_;
};

}  // namespace

bool Picture::FloodFillBorder(int x, int y, std::uint32_t borderColor) {
  borderColor &= kColorMask;
  if (!view_.Contains(x, y) || (view_.At(x, y) & kColorMask) == borderColor) return false;
  if (fillColor_ == borderColor) {
    SpanFill<false>(view_, borderColor, fillColor_).Run(x, y);
  } else {
    SpanFill<true>(view_, borderColor, fillColor_).Run(x, y);
  }
  return true;
}

}  // namespace snapwell
