// The binding to the outside imaging libraries: vell (rotation, smoothed scaling, arcs, the
// PNG/EPS/PPM/PGM writers) and SaveJPG (BMP file to JPEG). On Windows each function is bound
// by name from the DLL on its first call; natively the libraries' cores are linked in directly.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "file_error.h"
#include "raster/picture.h"

namespace snapwell {

// A library or one of its functions could not be bound. Raised to the caller of the operation
// that needed it; the text names both, for example
//   The function "RollBitBlt" of the library "vell" could not be found.
class ImagingError : public std::runtime_error {
 public:
  enum class Kind { kLibraryNotFound, kFunctionNotFound, kOutOfMemory };

  ImagingError(Kind kind, std::string library, std::string function);

  Kind GetKind() const { return kind_; }
  const std::string& Library() const { return library_; }
  const std::string& Function() const { return function_; }
  // The run-time error number a message box shows for it: 53 for a missing library ("file not
  // found"), 453 for a missing entry point, 7 for memory.
  long Number() const;

 private:
  Kind kind_;
  std::string library_;
  std::string function_;
};

// The source rectangle of RollBitBlt, right and bottom inclusive.
struct RollRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

// The library calls, with their argument lists. Pictures stand where the libraries take device
// contexts. vell's results are not part of the contract (the program never reads them); they are
// passed on as true = done for whoever wants to log or test them. A missing library or function
// raises ImagingError.
class Imaging {
 public:
  virtual ~Imaging() = default;

  // Fills the canvas pixels of `dst` whose inverse rotation about the two centres lands in `rect`
  // of `src`; colorFlag 1 smooths, 0 takes the nearest pixel. Positive angles turn clockwise.
  virtual bool RollBitBlt(Picture& dst, double dstCentreX, double dstCentreY, int width, int height,
                          double angle, const Picture& src, double srcCentreX, double srcCentreY,
                          int colorFlag, const RollRect& rect) = 0;
  // Scales the block (srcX, srcY, width, height) by factor > 1 to (dstX, dstY); colorFlag 1
  // smooths, 2 sharpens edges.
  virtual bool EnlargeBitBlt(Picture& dst, int dstX, int dstY, int width, int height, const Picture& src,
                             int srcX, int srcY, double factor, int colorFlag) = 0;
  // Scales the block by factor < 1, averaging the area each output pixel covers.
  virtual bool ReductBitBlt(Picture& dst, int dstX, int dstY, int width, int height, const Picture& src,
                            int srcX, int srcY, double factor) = 0;
  // The arc of the ellipse inscribed in the box between the radials through the start and end
  // points, clockwise on screen (start = end = (0, 0): the whole ellipse), in colorRef
  // (0x00BBGGRR) with raster mode 1 (black) or 6 (invert).
  virtual bool DrawArc(Picture& target, int left, int top, int right, int bottom, int startX, int startY,
                       int endX, int endY, std::uint32_t colorRef, int rasterMode) = 0;

  // Write the block (x, y, width, height) of the picture to `path` (UTF-8). The file appears
  // complete or not at all.
  virtual bool SaveAsEPS(const std::string& path, const Picture& src, int x, int y, int width,
                         int height) = 0;
  virtual bool SaveAsPPM(const std::string& path, const Picture& src, int x, int y, int width,
                         int height) = 0;
  virtual bool SaveAsPGM(const std::string& path, const Picture& src, int x, int y, int width,
                         int height) = 0;
  virtual bool SaveAsPNG(const std::string& path, const Picture& src, int x, int y, int width, int height,
                         int reserved) = 0;

  // SaveJPG: the 24-bit BMP file at bmpPath as a JPEG file at outPath; the library's 16-bit
  // result (1 = written).
  virtual std::int16_t SavetoJPEG(const std::string& bmpPath, const std::string& outPath, int quality,
                                  int flag) = 0;

  // Why the last of the five writers above that failed did not write its file: the kind and the
  // system's own code (on Windows the thread's last error the library left). Valid right after
  // that call.
  virtual vell::FileFailure LastSaveFailure() const = 0;
};

// The names the libraries are loaded by.
struct ImagingLibraryNames {
  std::string vell = "vell";
  std::string saveJpg = "SaveJPG";
};

// The device context (an HDC) a picture's pixels are selected into, or null when it has none.
// On Windows the binding hands such pictures to the libraries as they are; others are copied
// into a DIB section for the call and back.
using PictureDcLookup = void* (*)(const Picture& picture);

// The binding for this platform: by name from the DLLs on Windows (nothing is loaded until a
// function is first called), the linked-in cores elsewhere, where names and lookup play no part.
std::unique_ptr<Imaging> CreateImaging(const ImagingLibraryNames& names = {}, PictureDcLookup dcOf = nullptr);

}  // namespace snapwell
