// The exports of vell.dll: __stdcall entry points by name (vell.def keeps them undecorated).
// Each reads the bitmaps behind its device contexts, runs the portable core and writes the
// destination back. Results: 1 done, 0 refused or failed. No exception leaves the library.
// A writer that fails leaves the system's code of the cause as the thread's last error
// (ERROR_ACCESS_DENIED, ERROR_DISK_FULL…; ERROR_NOT_ENOUGH_MEMORY), as Windows functions do.
// Output paths come in the process's ANSI code page and are handed on as they are: the file
// writer converts them once to UTF-16 and opens them with the wide functions (atomic_file.h).
#include <windows.h>

#include "dc_pixels_win32.h"
#include "encoders/encoders.h"
#include "geometry.h"

namespace {

using vell::ConstPixelView;
using vell::DcPixels;

template <typename Body>
int Guarded(Body body) noexcept {
  try {
    return body() ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

template <typename Writer>
int SaveBlock(Writer writer, const char* path, HDC dc, int x, int y, int width, int height) noexcept {
  vell::FileFailure why = vell::FailureOfKind(vell::FileError::Other);
  const int done = Guarded([&] {
    if (path == nullptr || *path == '\0') {
      why = vell::FailureOfKind(vell::FileError::PathNotFound);
      return false;
    }
    DcPixels source;
    if (!source.LoadForReading(dc)) return false;
    const ConstPixelView block = source.Block(x, y, width, height);
    return block.pixels != nullptr && writer(path, block, &why);
  });
  // Set last: releasing the source's bitmap may have changed the last error.
  if (done == 0) SetLastError(why.systemCode);
  return done;
}

}  // namespace

extern "C" {

int __stdcall RollBitBlt(HDC dst, double dstCentreX, double dstCentreY, int width, int height, double angle,
                         HDC src, double srcCentreX, double srcCentreY, int colorFlag, const RECT* rect) {
  return Guarded([&] {
    if (rect == nullptr) return false;
    DcPixels source, target;
    if (!source.Load(src) || !target.Load(dst)) return false;
    const auto sampling = colorFlag != 0 ? vell::RollSampling::kBilinear : vell::RollSampling::kNearest;
    const vell::InclusiveRect r{rect->left, rect->top, rect->right, rect->bottom};
    return vell::Roll(target.View(), dstCentreX, dstCentreY, width, height, angle, source.View(), srcCentreX,
                      srcCentreY, sampling, r) &&
           target.Store();
  });
}

int __stdcall EnlargeBitBlt(HDC dst, int dstX, int dstY, int width, int height, HDC src, int srcX, int srcY,
                            double factor, int colorFlag) {
  return Guarded([&] {
    DcPixels source, target;
    if (!source.Load(src) || !target.Load(dst)) return false;
    return vell::Enlarge(target.View(), dstX, dstY, width, height, source.View(), srcX, srcY, factor,
                         vell::EnlargeFilterFromFlag(colorFlag)) &&
           target.Store();
  });
}

int __stdcall ReductBitBlt(HDC dst, int dstX, int dstY, int width, int height, HDC src, int srcX, int srcY,
                           double factor) {
  return Guarded([&] {
    DcPixels source, target;
    if (!source.Load(src) || !target.Load(dst)) return false;
    return vell::Reduce(target.View(), dstX, dstY, width, height, source.View(), srcX, srcY, factor) &&
           target.Store();
  });
}

int __stdcall DrawArc(HDC dc, int left, int top, int right, int bottom, int startX, int startY, int endX,
                      int endY, COLORREF color, int rop) {
  return Guarded([&] {
    DcPixels target;
    if (!target.Load(dc)) return false;
    return vell::DrawArc(target.View(), left, top, right, bottom, startX, startY, endX, endY, color, rop) &&
           target.Store();
  });
}

int __stdcall SaveAsEPS(const char* path, HDC dc, int x, int y, int width, int height) {
  return SaveBlock(vell::WriteEps, path, dc, x, y, width, height);
}

int __stdcall SaveAsPPM(const char* path, HDC dc, int x, int y, int width, int height) {
  return SaveBlock(vell::WritePpm, path, dc, x, y, width, height);
}

int __stdcall SaveAsPGM(const char* path, HDC dc, int x, int y, int width, int height) {
  return SaveBlock(vell::WritePgm, path, dc, x, y, width, height);
}

// The seventh argument is reserved; Snapwell passes 0.
int __stdcall SaveAsPNG(const char* path, HDC dc, int x, int y, int width, int height, int /*reserved*/) {
  return SaveBlock(vell::WritePng, path, dc, x, y, width, height);
}

}  // extern "C"
