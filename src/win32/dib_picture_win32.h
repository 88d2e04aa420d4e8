// Pictures whose pixels live in a top-down 32-bit DIB section selected into their own memory DC,
// so the shell can show them, grab the screen into them and hand them to vell.dll as a DC, while
// the core draws on the very same pixels.
#pragma once

#include <windows.h>

#include <memory>

#include "raster/picture.h"

namespace snapwell {

// Owns one GDI object (bitmap, brush, pen, font) and deletes it.
class ScopedGdiObject {
 public:
  ScopedGdiObject() = default;
  explicit ScopedGdiObject(HGDIOBJ object) : object_(object) {}
  ~ScopedGdiObject() { Reset(); }
  ScopedGdiObject(ScopedGdiObject&& other) noexcept : object_(other.Release()) {}
  ScopedGdiObject& operator=(ScopedGdiObject&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ScopedGdiObject(const ScopedGdiObject&) = delete;
  ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;

  HGDIOBJ Get() const { return object_; }
  HGDIOBJ Release() {
    HGDIOBJ o = object_;
    object_ = nullptr;
    return o;
  }
  void Reset(HGDIOBJ object = nullptr) {
    if (object_ != nullptr) DeleteObject(object_);
    object_ = object;
  }

 private:
  HGDIOBJ object_ = nullptr;
};

// Owns a memory DC from CreateCompatibleDC and deletes it.
class ScopedMemoryDc {
 public:
  ScopedMemoryDc() = default;
  explicit ScopedMemoryDc(HDC dc) : dc_(dc) {}
  ~ScopedMemoryDc() {
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  ScopedMemoryDc(const ScopedMemoryDc&) = delete;
  ScopedMemoryDc& operator=(const ScopedMemoryDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_ = nullptr;
};

// A DIB section in a memory DC. The DC stays the same for the store's whole life; a resize
// selects a new bitmap into it. After drawing on the DC with GDI, call GdiFlush() before the
// core reads the pixels (GDI may batch its drawing).
class DibPixelStore : public PixelStore {
 public:
  // A store of width × height pixels (0 × 0 when that size is refused), or null when GDI cannot
  // make a memory DC and a section at all. The pixels start black; Picture::Clear whitens them.
  static std::unique_ptr<DibPixelStore> Create(int width, int height);
  ~DibPixelStore() override;

  vell::PixelView View() const override;
  bool Reallocate(int width, int height, const Refill& refill) override;

  HDC Dc() const { return dc_.Get(); }
  HBITMAP Bitmap() const { return static_cast<HBITMAP>(bitmap_.Get()); }

 private:
  explicit DibPixelStore(HDC dc) : dc_(dc) {}
  // A top-down 32-bit DIB section of at least 1 × 1 pixels (GDI refuses empty ones).
  static HBITMAP NewSection(int width, int height, std::uint32_t** bits);

  ScopedMemoryDc dc_;
  ScopedGdiObject bitmap_;
  HGDIOBJ originalBitmap_ = nullptr;  // what the DC held before ours, put back before deleting
  std::uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// A white width × height picture backed by a DIB section. A size that is refused gives a 0 × 0
// picture that is still DIB-backed; only when GDI cannot make even that does the picture fall
// back to plain memory (then PictureDc answers null).
Picture CreateDibPicture(int width, int height);

// The memory DC and the bitmap selected into it, for a DIB-backed picture; null otherwise.
HDC PictureDc(const Picture& picture);
HBITMAP PictureBitmap(const Picture& picture);

}  // namespace snapwell
