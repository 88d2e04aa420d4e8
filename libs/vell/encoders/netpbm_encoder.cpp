// Binary portable pixmap (P6) and graymap (P5) files, maxval 255, rows top-down.
#include <cstdio>
#include <vector>

#include "atomic_file.h"
#include "encoders.h"
#include "pixel_rows.h"

namespace vell {

namespace {

template <typename RowWriter>
bool WriteNetpbm(const char* path, ConstPixelView image, const char* magic, int bytesPerPixel,
                 RowWriter writeRow, FileFailure* why) {
  PresetFailure(why);
  if (!IsWritable(image)) return false;
  AtomicFile file(why);
  if (!file.Open(path)) return false;
  char header[64];
  const int headerLength =
      std::snprintf(header, sizeof header, "%s\n%d %d\n255\n", magic, image.width, image.height);
  bool ok = file.Write(header, static_cast<std::size_t>(headerLength));
  const std::size_t rowBytes =
      static_cast<std::size_t>(image.width) * static_cast<std::size_t>(bytesPerPixel);
  std::vector<unsigned char> spare;
  for (int y = 0; ok && y < image.height; ++y) {
    if (unsigned char* room = file.Claim(rowBytes)) {
      writeRow(image.Row(y), image.width, room);
    } else {
      spare.resize(rowBytes);  // a failed file, or a row longer than the file's buffer
      writeRow(image.Row(y), image.width, spare.data());
      ok = file.Write(spare.data(), spare.size());
    }
  }
  return ok && file.Commit();
}

}  // namespace

bool WritePpm(const char* path, ConstPixelView image, FileFailure* why) try {
  return WriteNetpbm(path, image, "P6", 3, RowToRgb, why);
} catch (...) {
  ReportOutOfMemory(why);
  return false;
}

bool WritePgm(const char* path, ConstPixelView image, FileFailure* why) try {
  return WriteNetpbm(
      path, image, "P5", 1,
      [](const std::uint32_t* in, int width, unsigned char* out) {
        for (int x = 0; x < width; ++x)
          out[x] = GreyOf(in[x]);
      },
      why);
} catch (...) {
  ReportOutOfMemory(why);
  return false;
}

}  // namespace vell
