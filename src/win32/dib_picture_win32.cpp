// DIB-section storage for pictures.
#include "win32/dib_picture_win32.h"

#include <algorithm>

namespace snapwell {

HBITMAP DibPixelStore::NewSection(int width, int height, std::uint32_t** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = std::max(width, 1);
  info.bmiHeader.biHeight = -std::max(height, 1);  // negative: rows run top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* pixels = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (bitmap == nullptr || pixels == nullptr) {
    if (bitmap != nullptr) DeleteObject(bitmap);
    return nullptr;
  }
  *bits = static_cast<std::uint32_t*>(pixels);
  return bitmap;
}

std::unique_ptr<DibPixelStore> DibPixelStore::Create(int width, int height) {
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) return nullptr;
  std::unique_ptr<DibPixelStore> store(new DibPixelStore(dc));
  // Start with the smallest section, then grow to the size asked for.
  std::uint32_t* bits = nullptr;
  HBITMAP first = NewSection(0, 0, &bits);
  if (first == nullptr) return nullptr;
  store->bitmap_.Reset(first);
  store->bits_ = bits;
  store->originalBitmap_ = SelectObject(store->dc_.Get(), first);
  if (!store->Reallocate(width, height, nullptr)) store->Reallocate(0, 0, nullptr);
  return store;
}

DibPixelStore::~DibPixelStore() {
  // The bitmap cannot be deleted while it is selected into the DC.
  if (dc_.Get() != nullptr && originalBitmap_ != nullptr) SelectObject(dc_.Get(), originalBitmap_);
  bitmap_.Reset();
}

vell::PixelView DibPixelStore::View() const {
  return vell::PixelView{bits_, width_, height_, std::max(width_, 1)};
}

bool DibPixelStore::Reallocate(int width, int height, const Refill& refill) {
  if (!IsAcceptablePictureSize(width, height) || dc_.Get() == nullptr) return false;
  std::uint32_t* bits = nullptr;
  ScopedGdiObject fresh(NewSection(width, height, &bits));
  if (fresh.Get() == nullptr) return false;
  GdiFlush();  // finish any GDI drawing on the old pixels before they are read
  if (refill) refill(vell::PixelView{bits, width, height, std::max(width, 1)}, View());
  SelectObject(dc_.Get(), fresh.Get());
  bitmap_ = std::move(fresh);
  bits_ = bits;
  width_ = width;
  height_ = height;
  return true;
}

Picture CreateDibPicture(int width, int height) {
  std::unique_ptr<DibPixelStore> store = DibPixelStore::Create(width, height);
  if (store == nullptr) return Picture();
  const bool sized = store->View().width == width && store->View().height == height;
  Picture picture(std::move(store));
  if (sized) picture.Clear();
  return picture;
}

HDC PictureDc(const Picture& picture) {
  const auto* store = dynamic_cast<const DibPixelStore*>(picture.Store());
  return store != nullptr ? store->Dc() : nullptr;
}

HBITMAP PictureBitmap(const Picture& picture) {
  const auto* store = dynamic_cast<const DibPixelStore*>(picture.Store());
  return store != nullptr ? store->Bitmap() : nullptr;
}

}  // namespace snapwell
