// Reading the BMP file handed to the JPEG library: its headers are checked against the
// file's real length before any pixel memory is allocated, then stb_image decodes it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace savejpg {

enum class BmpStatus { Ok, Unreadable, Invalid, OutOfMemory };

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;  // top-down rows of R, G, B
};

// Decodes a whole BMP file held in memory.
BmpStatus DecodeBmp(const unsigned char* data, std::size_t size, RgbImage& image);
// Reads and decodes the file at path (ANSI/UTF-8).
BmpStatus ReadBmpFile(const char* path, RgbImage& image);

}  // namespace savejpg
