// Reading the BMP file handed to the JPEG library: its headers are checked against the
// file's real length before any pixel memory is allocated. 24- and 32-bit rows go to the
// encoder straight from the file's bytes; the other depths are decoded by stb_image first.
#pragma once

#include <cstddef>
#include <memory>

namespace savejpg {

enum class BmpStatus { Ok, Unreadable, Invalid, OutOfMemory };

// The pixel rows of a BMP file, top-down, in one of the layouts the encoder takes as they are.
class BmpPicture {
 public:
  enum class Layout { Bgr, Bgrx, Rgb };  // bytes per pixel 3, 4, 3

  int width() const { return width_; }
  int height() const { return height_; }
  Layout layout() const { return layout_; }
  int BytesPerPixel() const { return layout_ == Layout::Bgrx ? 4 : 3; }
  const unsigned char* Row(int y) const { return first_ + static_cast<std::ptrdiff_t>(y) * step_; }

 private:
  struct StbRelease {
    void operator()(unsigned char* pixels) const;
  };
  friend BmpStatus DecodeBmp(const unsigned char* data, std::size_t size, BmpPicture& picture);
  friend BmpStatus ReadBmpFile(const char* path, BmpPicture& picture);

  int width_ = 0;
  int height_ = 0;
  Layout layout_ = Layout::Rgb;
  const unsigned char* first_ = nullptr;  // row 0, the top one
  std::ptrdiff_t step_ = 0;               // from one row to the next below it (negative bottom-up)
  std::unique_ptr<unsigned char[]> file_;
  std::unique_ptr<unsigned char, StbRelease> decoded_;
};

// Decodes a whole BMP file held in memory. The rows may point into `data`, which must then
// outlive the picture.
BmpStatus DecodeBmp(const unsigned char* data, std::size_t size, BmpPicture& picture);
// Reads and decodes the file at path (in the ANSI code page on Windows, as AtomicFile takes it);
// the picture keeps the file's bytes.
BmpStatus ReadBmpFile(const char* path, BmpPicture& picture);

}  // namespace savejpg
