// Picture storage, size and single pixels.
#include "raster/picture.h"

#include <algorithm>
#include <new>
#include <utility>

namespace snapwell {

namespace {

void FillView(vell::PixelView view, std::uint32_t color) {
  for (int y = 0; y < view.height; ++y)
    std::fill_n(view.Row(y), view.width, color);
}

}  // namespace

bool IsAcceptablePictureSize(std::int64_t width, std::int64_t height) {
  return width >= 0 && height >= 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

vell::PixelView MemoryPixelStore::View() const {
  return vell::PixelView{pixels_.get(), width_, height_, width_};
}

bool MemoryPixelStore::Reallocate(int width, int height, const Refill& refill) {
  if (!IsAcceptablePictureSize(width, height)) return false;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  std::unique_ptr<std::uint32_t[]> fresh;
  if (count > 0) {
    fresh.reset(new (std::nothrow) std::uint32_t[count]);
    if (!fresh) return false;
  }
  if (refill) refill(vell::PixelView{fresh.get(), width, height, width}, View());
  pixels_ = std::move(fresh);
  width_ = width;
  height_ = height;
  return true;
}

Picture::Picture() : store_(std::make_unique<MemoryPixelStore>()) {}

Picture::Picture(int width, int height) : Picture() {
  Resize(width, height);
}

Picture::Picture(std::unique_ptr<PixelStore> store) : store_(std::move(store)) {
  if (!store_) store_ = std::make_unique<MemoryPixelStore>();
  view_ = store_->View();
}

Picture::Picture(Picture&& other) noexcept
    : store_(std::move(other.store_)),
      view_(std::exchange(other.view_, vell::PixelView{})),
      backColor_(other.backColor_),
      penColor_(other.penColor_),
      penWidth_(other.penWidth_),
      drawMode_(other.drawMode_),
      fillColor_(other.fillColor_),
      fillStyle_(other.fillStyle_) {}

Picture& Picture::operator=(Picture&& other) noexcept {
  if (this != &other) {
    store_ = std::move(other.store_);
    view_ = std::exchange(other.view_, vell::PixelView{});
    backColor_ = other.backColor_;
    penColor_ = other.penColor_;
    penWidth_ = other.penWidth_;
    drawMode_ = other.drawMode_;
    fillColor_ = other.fillColor_;
    fillStyle_ = other.fillStyle_;
  }
  return *this;
}

Picture::~Picture() = default;

vell::PixelView Picture::View(int x, int y, int w, int h) {
  const vell::PixelView block = vell::BlockOf(view_, x, y, w, h);
  if (block.pixels == nullptr) return vell::PixelView{view_.pixels, 0, 0, view_.stride};
  return block;
}

vell::ConstPixelView Picture::View(int x, int y, int w, int h) const {
  return const_cast<Picture*>(this)->View(x, y, w, h);
}

bool Picture::Resize(int width, int height) {
  if (width == view_.width && height == view_.height && view_.pixels != nullptr) return true;
  const std::uint32_t back = backColor_;
  return Reallocate(width, height, [back](vell::PixelView fresh, vell::ConstPixelView old) {
    const int keepW = std::min(fresh.width, old.width);
    const int keepH = std::min(fresh.height, old.height);
    for (int y = 0; y < fresh.height; ++y) {
      std::uint32_t* row = fresh.Row(y);
      int x = 0;
      if (y < keepH && keepW > 0) {
        std::copy_n(old.Row(y), keepW, row);
        x = keepW;
      }
      std::fill(row + x, row + fresh.width, back);
    }
  });
}

bool Picture::Recreate(int width, int height) {
  if (width == view_.width && height == view_.height && view_.pixels != nullptr) {
    Clear();
    return true;
  }
  const std::uint32_t back = backColor_;
  return Reallocate(width, height,
                    [back](vell::PixelView fresh, vell::ConstPixelView) { FillView(fresh, back); });
}

bool Picture::Reallocate(int width, int height, const PixelStore::Refill& refill) {
  if (!store_) store_ = std::make_unique<MemoryPixelStore>();
  const bool ok = store_->Reallocate(width, height, refill);
  if (ok) view_ = store_->View();
  return ok;
}

void Picture::Clear() {
  FillView(view_, backColor_);
}

void Picture::FillRect(int x, int y, int w, int h, std::uint32_t color) {
  FillView(View(x, y, w, h), color & kColorMask);
}

void Picture::SetPixel(int x, int y, std::uint32_t color) {
  if (view_.Contains(x, y)) view_.At(x, y) = color & kColorMask;
}

std::uint32_t Picture::GetPixel(int x, int y) const {
  if (!view_.Contains(x, y)) return kInvalidPixel;
  return view_.At(x, y) & kColorMask;
}

void Picture::SetPenWidth(int width) {
  penWidth_ = std::clamp(width, 1, 3);
}

}  // namespace snapwell
