// The imaging binding on Windows: vell.dll and SaveJPG.dll loaded by name, each function bound
// with GetProcAddress on its first call. Pictures reach the libraries as device contexts: their
// own when they live in a DIB section, otherwise a top-down 32-bit DIB section staged for the
// call, whose pixels are copied back into destinations afterwards.
#ifdef _WIN32

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "imaging/imaging.h"

namespace snapwell {
namespace {

using RollBitBltFn = int(__stdcall*)(HDC, double, double, int, int, double, HDC, double, double, int, RECT*);
using EnlargeBitBltFn = int(__stdcall*)(HDC, int, int, int, int, HDC, int, int, double, int);
using ReductBitBltFn = int(__stdcall*)(HDC, int, int, int, int, HDC, int, int, double);
using DrawArcFn = int(__stdcall*)(HDC, int, int, int, int, int, int, int, int, COLORREF, int);
using SaveBlockFn = int(__stdcall*)(const char*, HDC, int, int, int, int);
using SavePngFn = int(__stdcall*)(const char*, HDC, int, int, int, int, int);
using SavetoJpegFn = short(__stdcall*)(const char*, const char*, int, int);

// A picture as a device context, for as long as a call needs it.
class StagedPicture {
 public:
  StagedPicture(const Picture& picture, PictureDcLookup dcOf, const char* library, const char* function) {
    if (dcOf != nullptr) {
      if (void* own = dcOf(picture)) {
        // The picture's own DC: the library reads and writes its pixels in place.
        GdiFlush();
        ownDc_ = static_cast<HDC>(own);
        return;
      }
    }
    const vell::ConstPixelView view = picture.View();
    // A DIB section cannot be empty; an empty picture is staged as one white pixel that is
    // never copied back.
    width_ = std::max(view.width, 1);
    height_ = std::max(view.height, 1);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    if (dc_ != nullptr) bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap_ == nullptr || bits == nullptr) {
      Release();
      throw ImagingError(ImagingError::Kind::kOutOfMemory, library, function);
    }
    old_ = SelectObject(dc_, bitmap_);
    bits_ = static_cast<std::uint32_t*>(bits);
    if (view.width == 0 || view.height == 0) {
      bits_[0] = 0xFFFFFF;
      return;
    }
    for (int y = 0; y < view.height; ++y) {
      std::memcpy(bits_ + static_cast<std::size_t>(y) * width_, view.Row(y),
                  sizeof(std::uint32_t) * view.width);
    }
  }
  StagedPicture(const StagedPicture&) = delete;
  StagedPicture& operator=(const StagedPicture&) = delete;
  ~StagedPicture() { Release(); }

  HDC Dc() const { return ownDc_ != nullptr ? ownDc_ : dc_; }

  void CopyBack(Picture& picture) const {
    GdiFlush();
    if (ownDc_ != nullptr) return;
    const vell::PixelView view = picture.View();
    if (view.width == 0 || view.height == 0) return;
    for (int y = 0; y < view.height; ++y) {
      const std::uint32_t* in = bits_ + static_cast<std::size_t>(y) * width_;
      std::uint32_t* out = view.Row(y);
      for (int x = 0; x < view.width; ++x)
        out[x] = in[x] & 0x00FFFFFFu;
    }
  }

 private:
  void Release() {
    if (dc_ != nullptr && old_ != nullptr) SelectObject(dc_, old_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
    if (dc_ != nullptr) DeleteDC(dc_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    old_ = nullptr;
  }

  HDC ownDc_ = nullptr;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// One library, loaded on the first call of any of its functions. Stays loaded for the run.
class LazyLibrary {
 public:
  explicit LazyLibrary(std::string name) : name_(std::move(name)) {}
  LazyLibrary(const LazyLibrary&) = delete;
  LazyLibrary& operator=(const LazyLibrary&) = delete;
  ~LazyLibrary() {
    if (module_ != nullptr) FreeLibrary(module_);
  }

  // The address of `function`, bound once; raises ImagingError when the library or the function
  // is missing (a later call tries again, so a library installed meanwhile is found).
  template <typename Fn>
  Fn Bind(Fn& cache, const char* function) {
    if (cache != nullptr) return cache;
    if (module_ == nullptr) module_ = LoadLibraryA(name_.c_str());
    if (module_ == nullptr) throw ImagingError(ImagingError::Kind::kLibraryNotFound, name_, function);
    FARPROC address = GetProcAddress(module_, function);
    if (address == nullptr) throw ImagingError(ImagingError::Kind::kFunctionNotFound, name_, function);
    cache = reinterpret_cast<Fn>(reinterpret_cast<void*>(address));
    return cache;
  }

  const char* Name() const { return name_.c_str(); }

 private:
  std::string name_;
  HMODULE module_ = nullptr;
};

class DllImaging final : public Imaging {
 public:
  DllImaging(const ImagingLibraryNames& names, PictureDcLookup dcOf)
      : vell_(names.vell), saveJpg_(names.saveJpg), dcOf_(dcOf) {}

  bool RollBitBlt(Picture& dst, double dstCentreX, double dstCentreY, int width, int height, double angle,
                  const Picture& src, double srcCentreX, double srcCentreY, int colorFlag,
                  const RollRect& rect) override {
    const auto fn = vell_.Bind(roll_, "RollBitBlt");
    StagedPicture source(src, dcOf_, vell_.Name(), "RollBitBlt");
    StagedPicture target(dst, dcOf_, vell_.Name(), "RollBitBlt");
    RECT r{rect.left, rect.top, rect.right, rect.bottom};
    const int result = fn(target.Dc(), dstCentreX, dstCentreY, width, height, angle, source.Dc(), srcCentreX,
                          srcCentreY, colorFlag, &r);
    target.CopyBack(dst);
    return result != 0;
  }

  bool EnlargeBitBlt(Picture& dst, int dstX, int dstY, int width, int height, const Picture& src, int srcX,
                     int srcY, double factor, int colorFlag) override {
    const auto fn = vell_.Bind(enlarge_, "EnlargeBitBlt");
    StagedPicture source(src, dcOf_, vell_.Name(), "EnlargeBitBlt");
    StagedPicture target(dst, dcOf_, vell_.Name(), "EnlargeBitBlt");
    const int result = fn(target.Dc(), dstX, dstY, width, height, source.Dc(), srcX, srcY, factor, colorFlag);
    target.CopyBack(dst);
    return result != 0;
  }

  bool ReductBitBlt(Picture& dst, int dstX, int dstY, int width, int height, const Picture& src, int srcX,
                    int srcY, double factor) override {
    const auto fn = vell_.Bind(reduct_, "ReductBitBlt");
    StagedPicture source(src, dcOf_, vell_.Name(), "ReductBitBlt");
    StagedPicture target(dst, dcOf_, vell_.Name(), "ReductBitBlt");
    const int result = fn(target.Dc(), dstX, dstY, width, height, source.Dc(), srcX, srcY, factor);
    target.CopyBack(dst);
    return result != 0;
  }

  bool DrawArc(Picture& target, int left, int top, int right, int bottom, int startX, int startY, int endX,
               int endY, std::uint32_t colorRef, int rasterMode) override {
    const auto fn = vell_.Bind(arc_, "DrawArc");
    StagedPicture staged(target, dcOf_, vell_.Name(), "DrawArc");
    const int result =
        fn(staged.Dc(), left, top, right, bottom, startX, startY, endX, endY, colorRef, rasterMode);
    staged.CopyBack(target);
    return result != 0;
  }

  bool SaveAsEPS(const std::string& path, const Picture& src, int x, int y, int width, int height) override {
    return SaveBlock(eps_, "SaveAsEPS", path, src, x, y, width, height);
  }
  bool SaveAsPPM(const std::string& path, const Picture& src, int x, int y, int width, int height) override {
    return SaveBlock(ppm_, "SaveAsPPM", path, src, x, y, width, height);
  }
  bool SaveAsPGM(const std::string& path, const Picture& src, int x, int y, int width, int height) override {
    return SaveBlock(pgm_, "SaveAsPGM", path, src, x, y, width, height);
  }
  bool SaveAsPNG(const std::string& path, const Picture& src, int x, int y, int width, int height,
                 int reserved) override {
    const auto fn = vell_.Bind(png_, "SaveAsPNG");
    StagedPicture source(src, dcOf_, vell_.Name(), "SaveAsPNG");
    return Done(fn(path.c_str(), source.Dc(), x, y, width, height, reserved) != 0);
  }

  std::int16_t SavetoJPEG(const std::string& bmpPath, const std::string& outPath, int quality,
                          int flag) override {
    const auto fn = saveJpg_.Bind(jpeg_, "SavetoJPEG");
    const short result = fn(bmpPath.c_str(), outPath.c_str(), quality, flag);
    Done(result == 1);
    return result;
  }
  vell::FileFailure LastSaveFailure() const override { return lastFailure_; }

 private:
  bool SaveBlock(SaveBlockFn& cache, const char* function, const std::string& path, const Picture& src, int x,
                 int y, int width, int height) {
    const auto fn = vell_.Bind(cache, function);
    StagedPicture source(src, dcOf_, vell_.Name(), function);
    return Done(fn(path.c_str(), source.Dc(), x, y, width, height) != 0);
  }
  // A writer's answer, with the cause the library left as the last error when it failed; read
  // before anything else (the staged picture's release) can change it.
  bool Done(bool written) {
    if (!written) {
      const DWORD code = GetLastError();
      lastFailure_ = {vell::FileErrorOfSystemCode(code), code};
      if (lastFailure_.kind == vell::FileError::None)
        lastFailure_ = vell::FailureOfKind(vell::FileError::Other);
    }
    return written;
  }
  vell::FileFailure lastFailure_;

  LazyLibrary vell_;
  LazyLibrary saveJpg_;
  PictureDcLookup dcOf_;
  RollBitBltFn roll_ = nullptr;
  EnlargeBitBltFn enlarge_ = nullptr;
  ReductBitBltFn reduct_ = nullptr;
  DrawArcFn arc_ = nullptr;
  SaveBlockFn eps_ = nullptr;
  SaveBlockFn ppm_ = nullptr;
  SaveBlockFn pgm_ = nullptr;
  SavePngFn png_ = nullptr;
  SavetoJpegFn jpeg_ = nullptr;
};

}  // namespace

std::unique_ptr<Imaging> CreateImaging(const ImagingLibraryNames& names, PictureDcLookup dcOf) {
  return std::make_unique<DllImaging>(names, dcOf);
}

}  // namespace snapwell

#endif  // _WIN32
