// The size libpng gives a picture with its default settings: the yardstick our PNG writer
// must not exceed, shared by the encoder tests and the benchmark.
#pragma once

#include <png.h>

#include <csetjmp>
#include <cstddef>
#include <vector>

#include "pixel_view.h"

namespace snapwell::testing {

// Writes the picture with libpng's defaults through `write(data, size)`; false when it fails.
template <typename Write>
bool WriteWithLibpngDefaults(vell::ConstPixelView picture, Write write) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(
      png, &write,
      [](png_structp p, png_bytep data, png_size_t n) {
        if (!(*static_cast<Write*>(png_get_io_ptr(p)))(data, n)) png_error(p, "write failed");
      },
      [](png_structp) {});
  png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height),
               8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  std::vector<unsigned char> row(static_cast<std::size_t>(picture.width) * 3);
  for (int y = 0; y < picture.height; ++y) {
    const std::uint32_t* in = picture.Row(y);
    for (int x = 0; x < picture.width; ++x) {
      row[3 * x] = static_cast<unsigned char>(vell::RedOf(in[x]));
      row[3 * x + 1] = static_cast<unsigned char>(vell::GreenOf(in[x]));
      row[3 * x + 2] = static_cast<unsigned char>(vell::BlueOf(in[x]));
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

inline std::size_t LibpngDefaultSize(vell::ConstPixelView picture) {
  std::size_t size = 0;
  WriteWithLibpngDefaults(picture, [&size](const unsigned char*, std::size_t n) {
    size += n;
    return true;
  });
  return size;
}

}  // namespace snapwell::testing
