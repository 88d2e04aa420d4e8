// The JPEG library's BMP reader on arbitrary bytes: it must refuse or decode, never crash,
// and a decoded picture must be as large as its header says.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "savejpg/bmp_source.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  savejpg::RgbImage image;
  if (savejpg::DecodeBmp(data, size, image) == savejpg::BmpStatus::Ok) {
    if (image.width <= 0 || image.height <= 0 || !image.rgb) std::abort();
    // Touch the last pixel: the buffer must hold every row.
    const std::size_t last = (static_cast<std::size_t>(image.width) * image.height - 1) * 3;
    volatile unsigned char sink = image.rgb.get()[last + 2];
    (void)sink;
  }
  return 0;
}
