// Elliptic arcs: the outline between two radials, drawn with a binary raster operation.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>
#include <vector>

#include "geometry.h"

namespace vell {
namespace {

// Largest box side drawn; a larger ellipse cannot be part of any picture.
constexpr std::int64_t kMaxBoxSide = 1 << 18;

// Parametric angle t of the point where the radial from the centre through (dx, dy) meets the
// ellipse (rx cos t, ry sin t).
double RadialParameter(double dx, double dy, double rx, double ry) {
  return std::atan2(dy * rx, dx * ry);
}

// Keeps each pixel once. Flat ellipses fold back on themselves and tight tips may revisit a
// pixel; the order of the rest is kept when nothing repeats.
std::vector<ArcPoint> Unique(std::vector<ArcPoint> points) {
  std::vector<ArcPoint> sorted = points;
  auto less = [](const ArcPoint& p, const ArcPoint& q) { return p.y != q.y ? p.y < q.y : p.x < q.x; };
  std::sort(sorted.begin(), sorted.end(), less);
  if (std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end()) return points;
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  return sorted;
}

// The outline in drawing order; a pixel may occur more than once.
std::vector<ArcPoint> TraceArc(int left, int top, int right, int bottom, int startX, int startY, int endX,
                               int endY) {
  std::vector<ArcPoint> points;
  std::int64_t l = left, r = right, t = top, b = bottom;
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  if (r - l > kMaxBoxSide || b - t > kMaxBoxSide) return points;
  const double cx = (l + r) / 2.0;
  const double cy = (t + b) / 2.0;
  const double rx = (r - l) / 2.0;
  const double ry = (b - t) / 2.0;

  const double ts = RadialParameter(startX - cx, startY - cy, rx, ry);
  double te = RadialParameter(endX - cx, endY - cy, rx, ry);
  // Clockwise on screen is increasing t; coinciding radials mean the whole ellipse.
  while (te <= ts)
    te += 2.0 * std::numbers::pi;
  const double sweep = te - ts;

  // Steps short enough that consecutive samples are at most one pixel apart on either axis.
  const double radius = std::max({rx, ry, 0.5});
  const auto steps = static_cast<std::int64_t>(std::ceil(sweep * radius / 0.7)) + 1;
  auto sample = [&](std::int64_t i) {
    const double a = ts + sweep * static_cast<double>(i) / static_cast<double>(steps);
    return ArcPoint{static_cast<int>(std::floor(cx + rx * std::cos(a) + 0.5)),
                    static_cast<int>(std::floor(cy + ry * std::sin(a) + 0.5))};
  };
  // A staircase corner: its two neighbours on the outline touch diagonally, so it adds nothing.
  auto diagonal = [](const ArcPoint& p, const ArcPoint& q) {
    return std::abs(p.x - q.x) == 1 && std::abs(p.y - q.y) == 1;
  };
  for (std::int64_t i = 0; i <= steps; ++i) {
    const ArcPoint p = sample(i);
    if (!points.empty() && points.back() == p) continue;
    if (points.size() >= 2 && diagonal(points[points.size() - 2], p)) points.pop_back();
    points.push_back(p);
  }
  // A closed outline meets itself where it started: drop the repeats and the corner there.
  if (points.size() >= 3 && points.back() == points.front()) points.pop_back();
  if (sweep >= 2.0 * std::numbers::pi - 1e-12 && points.size() >= 3 &&
      diagonal(points[points.size() - 1], points[1])) {
    points.erase(points.begin());
  }
  return points;
}

}  // namespace

std::vector<ArcPoint> ArcOutline(int left, int top, int right, int bottom, int startX, int startY, int endX,
                                 int endY) {
  return Unique(TraceArc(left, top, right, bottom, startX, startY, endX, endY));
}

std::uint32_t ApplyRop2(int rop, std::uint32_t pen, std::uint32_t dst) {
  // rop - 1 is a truth table indexed by (pen bit, destination bit).
  const auto table = static_cast<std::uint32_t>(rop - 1);
  const std::uint32_t all = 0xFFFFFFu;
  const std::uint32_t m0 = (table & 1u) ? all : 0u;
  const std::uint32_t m1 = (table & 2u) ? all : 0u;
  const std::uint32_t m2 = (table & 4u) ? all : 0u;
  const std::uint32_t m3 = (table & 8u) ? all : 0u;
  const std::uint32_t np = ~pen & all, nd = ~dst & all;
  return ((np & nd & m0) | (np & dst & m1) | (pen & nd & m2) | (pen & dst & m3)) & all;
}

bool DrawArc(PixelView view, int left, int top, int right, int bottom, int startX, int startY, int endX,
             int endY, std::uint32_t colorRef, int rop) {
  if (rop < 1 || rop > 16 || view.pixels == nullptr) return false;
  // An ellipse lies within its box: a box beside the picture draws nothing there.
  const auto [boxLeft, boxRight] = std::minmax(left, right);
  const auto [boxTop, boxBottom] = std::minmax(top, bottom);
  if (boxRight < 0 || boxBottom < 0 || boxLeft >= view.width || boxTop >= view.height) return true;
  const std::uint32_t pen = FromColorRef(colorRef);
  std::vector<ArcPoint> visible = TraceArc(left, top, right, bottom, startX, startY, endX, endY);
  std::erase_if(visible, [&](const ArcPoint& p) { return !view.Contains(p.x, p.y); });
  // Each pixel once, so that inverting never undoes itself.
  for (const ArcPoint& p : Unique(std::move(visible))) {
    std::uint32_t& px = view.At(p.x, p.y);
    px = ApplyRop2(rop, pen, px);
  }
  return true;
}

}  // namespace vell
