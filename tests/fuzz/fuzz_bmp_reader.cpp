// The JPEG library's BMP reader on arbitrary bytes: it must refuse or decode, never crash,
// and a decoded picture must hold every row its header promises.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "savejpg/bmp_source.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  savejpg::BmpPicture picture;
  if (savejpg::DecodeBmp(data, size, picture) == savejpg::BmpStatus::Ok) {
    if (picture.width() <= 0 || picture.height() <= 0) std::abort();
    // Touch the first and last byte of the top and bottom rows.
    const std::size_t last = static_cast<std::size_t>(picture.width()) * picture.BytesPerPixel() - 1;
    for (int y : {0, picture.height() - 1}) {
      volatile unsigned char sink = picture.Row(y)[0] + picture.Row(y)[last];
      (void)sink;
    }
  }
  return 0;
}
