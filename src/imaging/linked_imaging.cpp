// The imaging binding where the libraries are linked in: the portable cores called directly on
// the pictures' pixels. Windows builds load the DLLs instead (imaging_win32.cpp).
#ifndef _WIN32

#include <algorithm>

#include "encoders/encoders.h"
#include "geometry.h"
#include "imaging/imaging.h"
#include "savejpg/savejpg.h"

namespace snapwell {
namespace {

// The block of a picture a writer gets, clipped to the picture like the DLL clips to its bitmap.
vell::ConstPixelView Block(const Picture& picture, int x, int y, int width, int height) {
  return vell::BlockOf(picture.View(), x, y, width, height);
}

template <typename Writer>
bool Save(Writer writer, const std::string& path, const Picture& src, int x, int y, int width, int height,
          vell::FileFailure& why) {
  const vell::ConstPixelView block = Block(src, x, y, width, height);
  why = vell::FailureOfKind(path.empty() ? vell::FileError::PathNotFound : vell::FileError::Other);
  return !path.empty() && block.pixels != nullptr && writer(path.c_str(), block, &why);
}

class LinkedImaging final : public Imaging {
 public:
  bool RollBitBlt(Picture& dst, double dstCentreX, double dstCentreY, int width, int height, double angle,
                  const Picture& src, double srcCentreX, double srcCentreY, int colorFlag,
                  const RollRect& rect) override {
    const auto sampling = colorFlag != 0 ? vell::RollSampling::kBilinear : vell::RollSampling::kNearest;
    return vell::Roll(dst.View(), dstCentreX, dstCentreY, width, height, angle, src.View(), srcCentreX,
                      srcCentreY, sampling,
                      vell::InclusiveRect{rect.left, rect.top, rect.right, rect.bottom});
  }
  bool EnlargeBitBlt(Picture& dst, int dstX, int dstY, int width, int height, const Picture& src, int srcX,
                     int srcY, double factor, int colorFlag) override {
    return vell::Enlarge(dst.View(), dstX, dstY, width, height, src.View(), srcX, srcY, factor,
                         vell::EnlargeFilterFromFlag(colorFlag));
  }
  bool ReductBitBlt(Picture& dst, int dstX, int dstY, int width, int height, const Picture& src, int srcX,
                    int srcY, double factor) override {
    return vell::Reduce(dst.View(), dstX, dstY, width, height, src.View(), srcX, srcY, factor);
  }
  bool DrawArc(Picture& target, int left, int top, int right, int bottom, int startX, int startY, int endX,
               int endY, std::uint32_t colorRef, int rasterMode) override {
    return vell::DrawArc(target.View(), left, top, right, bottom, startX, startY, endX, endY, colorRef,
                         rasterMode);
  }
  bool SaveAsEPS(const std::string& path, const Picture& src, int x, int y, int width, int height) override {
    return Save(vell::WriteEps, path, src, x, y, width, height, lastFailure_);
  }
  bool SaveAsPPM(const std::string& path, const Picture& src, int x, int y, int width, int height) override {
    return Save(vell::WritePpm, path, src, x, y, width, height, lastFailure_);
  }
  bool SaveAsPGM(const std::string& path, const Picture& src, int x, int y, int width, int height) override {
    return Save(vell::WritePgm, path, src, x, y, width, height, lastFailure_);
  }
  bool SaveAsPNG(const std::string& path, const Picture& src, int x, int y, int width, int height,
                 int /*reserved*/) override {
    return Save(vell::WritePng, path, src, x, y, width, height, lastFailure_);
  }
  std::int16_t SavetoJPEG(const std::string& bmpPath, const std::string& outPath, int quality,
                          int flag) override {
    return savejpg::SavetoJPEG(bmpPath.c_str(), outPath.c_str(), quality, flag, &lastFailure_);
  }
  vell::FileFailure LastSaveFailure() const override { return lastFailure_; }

 private:
  vell::FileFailure lastFailure_;
};

}  // namespace

std::unique_ptr<Imaging> CreateImaging(const ImagingLibraryNames& /*names*/, PictureDcLookup /*dcOf*/) {
  return std::make_unique<LinkedImaging>();
}

}  // namespace snapwell

#endif  // _WIN32
