// BMP input of the JPEG library.
#include "bmp_source.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "vell/encoders/atomic_file.h"

#define STBI_NO_STDIO
#define STBI_ONLY_BMP
#define STBI_MAX_DIMENSIONS 65535
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

namespace savejpg {

namespace {

constexpr std::size_t kMaxFileSize = std::size_t{1} << 30;
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 28;
constexpr int kMaxSide = 65535;  // the largest side a JPEG file can state

std::uint32_t U16(const unsigned char* p) {
  return p[0] | (p[1] << 8);
}
std::uint32_t U32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

struct BmpHeader {
  std::uint32_t offset = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative for top-down rows
  std::uint32_t bits = 0;
  std::uint32_t compression = 0;
  std::uint64_t rowBytes = 0;
};

// Whether the headers describe a picture that fits in the file; this keeps a damaged or
// hostile header from asking for gigabytes before a single pixel is read.
bool ReadHeader(const unsigned char* data, std::size_t size, BmpHeader& h) {
  if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M') return false;
  h.offset = U32(data + 10);
  const std::uint32_t infoSize = U32(data + 14);
  std::uint32_t planes;
  if (infoSize == 12) {
    h.width = static_cast<std::int16_t>(U16(data + 18));
    h.height = static_cast<std::int16_t>(U16(data + 20));
    planes = U16(data + 22);
    h.bits = U16(data + 24);
  } else if (infoSize == 40 || infoSize == 56 || infoSize == 108 || infoSize == 124) {
    if (size < 14 + std::size_t{infoSize}) return false;
    h.width = static_cast<std::int32_t>(U32(data + 18));
    h.height = static_cast<std::int32_t>(U32(data + 22));
    planes = U16(data + 26);
    h.bits = U16(data + 28);
    h.compression = U32(data + 30);
  } else {
    return false;
  }
  const std::int64_t rows = h.height < 0 ? -h.height : h.height;
  const std::uint32_t bits = h.bits;
  if (h.width <= 0 || rows <= 0 || h.width > kMaxSide || rows > kMaxSide) return false;
  if (static_cast<std::uint64_t>(h.width) * static_cast<std::uint64_t>(rows) > kMaxPixels) return false;
  if (planes != 1) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  if (h.compression != 0 && !(h.compression == 3 && (bits == 16 || bits == 32))) return false;
  h.rowBytes = (static_cast<std::uint64_t>(h.width) * bits + 31) / 32 * 4;
  if (h.offset < 14 + infoSize || h.offset > size) return false;
  return h.rowBytes * static_cast<std::uint64_t>(rows) <= size - h.offset;
}

}  // namespace

void BmpPicture::StbRelease::operator()(unsigned char* pixels) const {
  stbi_image_free(pixels);
}

BmpStatus DecodeBmp(const unsigned char* data, std::size_t size, BmpPicture& picture) {
  BmpHeader h;
  if (data == nullptr || size > kMaxFileSize || !ReadHeader(data, size, h)) return BmpStatus::Invalid;
  picture.width_ = static_cast<int>(h.width);
  picture.height_ = static_cast<int>(h.height < 0 ? -h.height : h.height);
  // Uncompressed 24- and 32-bit rows (the last byte of four unused) are what the encoder takes.
  if (h.compression == 0 && (h.bits == 24 || h.bits == 32)) {
    picture.layout_ = h.bits == 24 ? BmpPicture::Layout::Bgr : BmpPicture::Layout::Bgrx;
    const unsigned char* rows = data + h.offset;
    const auto stride = static_cast<std::ptrdiff_t>(h.rowBytes);
    picture.first_ = h.height < 0 ? rows : rows + (picture.height_ - 1) * stride;
    picture.step_ = h.height < 0 ? stride : -stride;
    return BmpStatus::Ok;
  }
  int width = 0, height = 0, channels = 0;
  unsigned char* pixels = stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &channels, 3);
  if (pixels == nullptr) {
    const char* reason = stbi_failure_reason();
    return (reason != nullptr && std::strcmp(reason, "outofmem") == 0) ? BmpStatus::OutOfMemory
                                                                       : BmpStatus::Invalid;
  }
  picture.decoded_.reset(pixels);
  if (width != picture.width_ || height != picture.height_) return BmpStatus::Invalid;
  picture.layout_ = BmpPicture::Layout::Rgb;
  picture.first_ = pixels;
  picture.step_ = static_cast<std::ptrdiff_t>(width) * 3;
  return BmpStatus::Ok;
}

BmpStatus ReadBmpFile(const char* path, BmpPicture& picture) {
  std::FILE* file = vell::OpenForReading(path);
  if (file == nullptr) return BmpStatus::Unreadable;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(file, std::fclose);
  if (std::fseek(file, 0, SEEK_END) != 0) return BmpStatus::Unreadable;
  const long length = std::ftell(file);
  if (length < 0) return BmpStatus::Unreadable;
  if (static_cast<unsigned long>(length) > kMaxFileSize) return BmpStatus::Invalid;
  if (std::fseek(file, 0, SEEK_SET) != 0) return BmpStatus::Unreadable;
  const auto size = static_cast<std::size_t>(length);
  // Not zero-filled first: every byte is read over at once.
  picture.file_.reset(new (std::nothrow) unsigned char[size > 0 ? size : 1]);
  if (!picture.file_) return BmpStatus::OutOfMemory;
  if (size > 0 && std::fread(picture.file_.get(), 1, size, file) != size) return BmpStatus::Unreadable;
  return DecodeBmp(picture.file_.get(), size, picture);
}

}  // namespace savejpg
