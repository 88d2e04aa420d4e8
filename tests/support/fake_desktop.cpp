#include "support/fake_desktop.h"

#include "raster/block_transfer.h"

namespace snapwell::testing {
namespace {

bool Contains(const WindowRect& r, std::int32_t x, std::int32_t y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

bool IsShown(const FakeWindow& w) {
  return (w.style & kWsVisible) != 0;
}

}  // namespace

void FakeDesktop::GrabScreen(Picture& target, const ScreenLayout& layout) {
  ++grabs;
  BitBlt(target, 0, 0, layout.width, layout.height, screen, 0, 0, RasterOp::kSrcCopy);
}

const FakeWindow* FakeDesktop::Find(WindowHandle window) const {
  for (const FakeWindow& w : windows) {
    if (w.handle == window) return &w;
  }
  return nullptr;
}

WindowHandle FakeDesktop::WindowFromPoint(std::int32_t x, std::int32_t y) const {
  for (const OwnWindow own : {OwnWindow::Pointer, OwnWindow::Surface}) {
    const auto place = ownRects.find(own);
    const auto isShown = shown.find(own);
    if (place != ownRects.end() && isShown != shown.end() && isShown->second && Contains(place->second, x, y))
      return HandleOf(own);
  }
  WindowHandle hit = 0;
  for (const FakeWindow& w : windows) {
    if (!w.child && IsShown(w) && Contains(w.rect, x, y)) {
      hit = w.handle;
      break;
    }
  }
  // Descend into the frontmost child under the point while there is one.
  for (bool deeper = hit != 0; deeper;) {
    deeper = false;
    for (const FakeWindow& w : windows) {
      if (w.child && w.parent == hit && IsShown(w) && Contains(w.rect, x, y)) {
        hit = w.handle;
        deeper = true;
        break;
      }
    }
  }
  return hit;
}

WindowHandle FakeDesktop::GetParent(WindowHandle window) const {
  const FakeWindow* w = Find(window);
  return w != nullptr ? w->parent : 0;
}

WindowHandle FakeDesktop::FirstChild(WindowHandle window) const {
  for (const FakeWindow& w : windows) {
    if (window == kDesktopHandle ? !w.child : (w.child && w.parent == window)) return w.handle;
  }
  return 0;
}

WindowHandle FakeDesktop::NextWindow(WindowHandle window) const {
  const FakeWindow* self = Find(window);
  if (self == nullptr) return 0;
  bool past = false;
  for (const FakeWindow& w : windows) {
    if (&w == self) {
      past = true;
    } else if (past && w.child == self->child && (!w.child || w.parent == self->parent)) {
      return w.handle;
    }
  }
  return 0;
}

bool FakeDesktop::GetWindowRect(WindowHandle window, WindowRect& rect) const {
  if (window == kDesktopHandle) {
    rect = desktopRect;
    return true;
  }
  for (const auto& [own, place] : ownRects) {
    if (window == HandleOf(own)) {
      rect = place;
      return true;
    }
  }
  const FakeWindow* w = Find(window);
  if (w == nullptr) return false;
  rect = w->rect;
  return true;
}

std::uint32_t FakeDesktop::GetWindowStyle(WindowHandle window) const {
  const FakeWindow* w = Find(window);
  if (w == nullptr) return 0;
  return w->child ? w->style | kWsChild : w->style;
}

void FakeDesktop::SetWindowPos(OwnWindow window, ZPlace place, std::int32_t x, std::int32_t y,
                               std::int32_t cx, std::int32_t cy, std::uint32_t flags) {
  windowPos.push_back({window, place, x, y, cx, cy, flags});
  topmost[window] = place == ZPlace::Topmost;
  if ((flags & kSwpShowWindow) != 0) shown[window] = true;
}

bool FakeDesktop::IsTopmost(OwnWindow window) const {
  const auto it = topmost.find(window);
  return it != topmost.end() && it->second;
}

void FakeDesktop::ShowWindow(OwnWindow window, bool visible) {
  shown[window] = visible;
  showCalls.emplace_back(window, visible);
}

TextExtent FakeDesktop::MeasureText(const FontChoice&, std::string_view text) const {
  return {static_cast<int>(text.size()) * 7, 13};
}

}  // namespace snapwell::testing
