#include "platform/screen.h"

#include <algorithm>
#include <cstdint>

namespace snapwell {
namespace {

std::int64_t Overlap(const ScreenArea& a, const ScreenArea& b) {
  const std::int64_t w = std::min(a.right, b.right) - std::max(a.left, b.left);
  const std::int64_t h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

// Squared distance from the point to the nearest pixel of the area.
std::int64_t DistanceSquared(const ScreenArea& area, std::int32_t x, std::int32_t y) {
  const std::int64_t dx = x < area.left ? area.left - x : (x >= area.right ? x - area.right + 1 : 0);
  const std::int64_t dy = y < area.top ? area.top - y : (y >= area.bottom ? y - area.bottom + 1 : 0);
  return dx * dx + dy * dy;
}

ScreenArea Nearest(const ScreenLayout& layout, std::int32_t x, std::int32_t y) {
  if (layout.monitors.empty()) return {0, 0, layout.width, layout.height};
  return *std::min_element(layout.monitors.begin(), layout.monitors.end(),
                           [x, y](const ScreenArea& a, const ScreenArea& b) {
                             return DistanceSquared(a, x, y) < DistanceSquared(b, x, y);
                           });
}

}  // namespace

ScreenLayout LayoutOfMonitors(const std::vector<ScreenArea>& systemMonitors) {
  ScreenLayout layout;
  std::vector<ScreenArea> monitors;
  for (const ScreenArea& m : systemMonitors)
    if (m.Width() > 0 && m.Height() > 0) monitors.push_back(m);
  if (monitors.empty()) return layout;
  const auto primary =
      std::find_if(monitors.begin(), monitors.end(), [](const ScreenArea& m) { return m.Contains(0, 0); });
  if (primary != monitors.end()) std::rotate(monitors.begin(), primary, primary + 1);
  ScreenArea bounds = monitors.front();
  for (const ScreenArea& m : monitors) {
    bounds.left = std::min(bounds.left, m.left);
    bounds.top = std::min(bounds.top, m.top);
    bounds.right = std::max(bounds.right, m.right);
    bounds.bottom = std::max(bounds.bottom, m.bottom);
  }
  layout.originX = bounds.left;
  layout.originY = bounds.top;
  layout.width = bounds.Width();
  layout.height = bounds.Height();
  for (const ScreenArea& m : monitors)
    layout.monitors.push_back(
        {m.left - bounds.left, m.top - bounds.top, m.right - bounds.left, m.bottom - bounds.top});
  return layout;
}

ScreenArea MonitorAt(const ScreenLayout& layout, std::int32_t x, std::int32_t y) {
  return Nearest(layout, x, y);
}

ScreenArea MonitorOfArea(const ScreenLayout& layout, const ScreenArea& area) {
  const ScreenArea* best = nullptr;
  std::int64_t bestOverlap = 0;
  for (const ScreenArea& m : layout.monitors) {
    const std::int64_t overlap = Overlap(m, area);
    if (overlap > bestOverlap) {
      best = &m;
      bestOverlap = overlap;
    }
  }
  if (best != nullptr) return *best;
  return Nearest(layout, area.left + area.Width() / 2, area.top + area.Height() / 2);
}

std::vector<ScreenArea> UncoveredAreas(const ScreenLayout& layout) {
  // Cut the screen into bands at every monitor's top and bottom; in each band the columns no
  // monitor crosses are uncovered.
  std::vector<std::int32_t> rows{0, layout.height};
  for (const ScreenArea& m : layout.monitors) {
    rows.push_back(std::clamp(m.top, 0, layout.height));
    rows.push_back(std::clamp(m.bottom, 0, layout.height));
  }
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  std::vector<ScreenArea> uncovered;
  for (std::size_t i = 0; i + 1 < rows.size(); ++i) {
    const std::int32_t top = rows[i];
    const std::int32_t bottom = rows[i + 1];
    std::vector<ScreenArea> spans;
    for (const ScreenArea& m : layout.monitors)
      if (m.top <= top && m.bottom >= bottom) spans.push_back(m);
    std::sort(spans.begin(), spans.end(),
              [](const ScreenArea& a, const ScreenArea& b) { return a.left < b.left; });
    std::int32_t x = 0;
    for (const ScreenArea& m : spans) {
      if (m.left > x) uncovered.push_back({x, top, std::min(m.left, layout.width), bottom});
      x = std::max(x, m.right);
    }
    if (x < layout.width) uncovered.push_back({x, top, layout.width, bottom});
  }
  return uncovered;
}

ScreenArea PrimaryArea(const ScreenLayout& layout) {
  if (layout.monitors.empty()) return {0, 0, layout.width, layout.height};
  return ToSystem(layout, layout.monitors.front());
}

ScreenArea ToSystem(const ScreenLayout& layout, const ScreenArea& area) {
  return {area.left + layout.originX, area.top + layout.originY, area.right + layout.originX,
          area.bottom + layout.originY};
}

}  // namespace snapwell
