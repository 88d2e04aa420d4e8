// Reading the BMP file handed to the JPEG library: its headers are checked against the
// file's real length before any pixel memory is allocated, then stb_image decodes it.
#pragma once

#include <cstddef>
#include <memory>

namespace savejpg {

enum class BmpStatus { Ok, Unreadable, Invalid, OutOfMemory };

struct RgbImage {
  struct Release {
    void operator()(unsigned char* pixels) const;
  };
  int width = 0;
  int height = 0;
  std::unique_ptr<unsigned char, Release> rgb;  // top-down rows of R, G, B, as the decoder made them
};

// Decodes a whole BMP file held in memory.
BmpStatus DecodeBmp(const unsigned char* data, std::size_t size, RgbImage& image);
// Reads and decodes the file at path (in the ANSI code page on Windows, as AtomicFile takes it).
BmpStatus ReadBmpFile(const char* path, RgbImage& image);

}  // namespace savejpg
