// BMP input of the JPEG library.
#include "bmp_source.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

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

// Whether the headers describe a picture that fits in the file; this keeps a damaged or
// hostile header from asking for gigabytes before a single pixel is read.
bool HeadersSound(const unsigned char* data, std::size_t size) {
  if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M') return false;
  const std::uint32_t offset = U32(data + 10);
  const std::uint32_t infoSize = U32(data + 14);
  std::int64_t width, height;
  std::uint32_t planes, bits, compression = 0;
  if (infoSize == 12) {
    width = static_cast<std::int16_t>(U16(data + 18));
    height = static_cast<std::int16_t>(U16(data + 20));
    planes = U16(data + 22);
    bits = U16(data + 24);
  } else if (infoSize == 40 || infoSize == 56 || infoSize == 108 || infoSize == 124) {
    if (size < 14 + std::size_t{infoSize}) return false;
    width = static_cast<std::int32_t>(U32(data + 18));
    height = static_cast<std::int32_t>(U32(data + 22));
    planes = U16(data + 26);
    bits = U16(data + 28);
    compression = U32(data + 30);
  } else {
    return false;
  }
  if (height < 0) height = -height;
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return false;
  if (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) > kMaxPixels) return false;
  if (planes != 1) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  if (compression != 0 && !(compression == 3 && (bits == 16 || bits == 32))) return false;
  const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
  if (offset < 14 + infoSize || offset > size) return false;
  return rowBytes * static_cast<std::uint64_t>(height) <= size - offset;
}

}  // namespace

void RgbImage::Release::operator()(unsigned char* pixels) const {
  stbi_image_free(pixels);
}

BmpStatus DecodeBmp(const unsigned char* data, std::size_t size, RgbImage& image) {
  if (data == nullptr || size > kMaxFileSize || !HeadersSound(data, size)) return BmpStatus::Invalid;
  int width = 0, height = 0, channels = 0;
  unsigned char* pixels = stbi_load_from_memory(data, static_cast<int>(size), &width, &height, &channels, 3);
  if (pixels == nullptr) {
    const char* reason = stbi_failure_reason();
    return (reason != nullptr && std::strcmp(reason, "outofmem") == 0) ? BmpStatus::OutOfMemory
                                                                       : BmpStatus::Invalid;
  }
  image.rgb.reset(pixels);
  image.width = width;
  image.height = height;
  return BmpStatus::Ok;
}

BmpStatus ReadBmpFile(const char* path, RgbImage& image) {
  std::FILE* file = vell::OpenForReading(path);
  if (file == nullptr) return BmpStatus::Unreadable;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(file, std::fclose);
  if (std::fseek(file, 0, SEEK_END) != 0) return BmpStatus::Unreadable;
  const long length = std::ftell(file);
  if (length < 0) return BmpStatus::Unreadable;
  if (static_cast<unsigned long>(length) > kMaxFileSize) return BmpStatus::Invalid;
  if (std::fseek(file, 0, SEEK_SET) != 0) return BmpStatus::Unreadable;
  std::vector<unsigned char> bytes;
  try {
    bytes.resize(static_cast<std::size_t>(length));
  } catch (...) {
    return BmpStatus::OutOfMemory;
  }
  if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size())
    return BmpStatus::Unreadable;
  return DecodeBmp(bytes.data(), bytes.size(), image);
}

}  // namespace savejpg
