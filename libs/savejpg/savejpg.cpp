// BMP file in, baseline JPEG file out, through stb_image_write's encoder.
#include "savejpg.h"

#include <algorithm>

#include "bmp_source.h"
#include "vell/encoders/atomic_file.h"

#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace savejpg {

namespace {

void WriteToFile(void* context, void* data, int size) {
  if (size > 0) static_cast<vell::AtomicFile*>(context)->Write(data, static_cast<std::size_t>(size));
}

short ResultOf(vell::FileError failure) {
  switch (failure) {
    case vell::FileError::PathNotFound:
    case vell::FileError::BadName:
    case vell::FileError::AccessDenied:
      return kTargetUnwritable;
    case vell::FileError::DiskFull:
      return kTargetDiskFull;
    default:
      return kFailed;
  }
}

}  // namespace

short SavetoJPEG(const char* bmpPath, const char* outPath, int quality, int /*flag*/) noexcept try {
  if (bmpPath == nullptr || outPath == nullptr || *bmpPath == '\0' || *outPath == '\0') return kBadArgument;
  RgbImage image;
  switch (ReadBmpFile(bmpPath, image)) {
    case BmpStatus::Ok:
      break;
    case BmpStatus::Unreadable:
      return kSourceUnreadable;
    case BmpStatus::Invalid:
      return kSourceInvalid;
    case BmpStatus::OutOfMemory:
      return kOutOfMemory;
  }
  vell::AtomicFile file;
  if (!file.Open(outPath)) return ResultOf(file.failure());
  if (!stbi_write_jpg_to_func(WriteToFile, &file, image.width, image.height, 3, image.rgb.get(),
                              std::clamp(quality, 1, 100))) {
    return kFailed;
  }
  if (!file.Commit()) return ResultOf(file.failure());
  return kSaved;
} catch (...) {
  return kOutOfMemory;  // the only exception the work above can raise
}

}  // namespace savejpg
