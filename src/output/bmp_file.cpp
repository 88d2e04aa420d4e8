// Snapwell's own BMP writer.
#include "output/bmp_file.h"

#include <cstring>
#include <limits>
#include <new>

#include "vell/encoders/atomic_file.h"

namespace snapwell {

namespace {

struct BmpLayout {
  std::uint32_t rowBytes = 0;
  std::uint32_t imageBytes = 0;
};

// Row length and pixel-data size, or nothing when the picture cannot be a BMP file.
bool LayoutOf(const vell::ConstPixelView& image, BmpLayout& layout) {
  if (image.pixels == nullptr || image.width <= 0 || image.height <= 0 || image.stride < image.width)
    return false;
  const std::uint64_t rowBytes = (static_cast<std::uint64_t>(image.width) * 3 + 3) & ~std::uint64_t{3};
  const std::uint64_t imageBytes = rowBytes * static_cast<std::uint64_t>(image.height);
  if (imageBytes > std::numeric_limits<std::uint32_t>::max() - kBmpHeaderSize) return false;
  layout.rowBytes = static_cast<std::uint32_t>(rowBytes);
  layout.imageBytes = static_cast<std::uint32_t>(imageBytes);
  return true;
}

void Put16(std::uint8_t*& out, std::uint32_t v) {
  *out++ = static_cast<std::uint8_t>(v);
  *out++ = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::uint8_t*& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

void WriteHeaders(const vell::ConstPixelView& image, const BmpLayout& layout, std::uint8_t* out) {
  // BITMAPFILEHEADER
  *out++ = 'B';
  *out++ = 'M';
  Put32(out, kBmpHeaderSize + layout.imageBytes);  // bfSize
  Put32(out, 0);                                   // bfReserved1, bfReserved2
  Put32(out, kBmpHeaderSize);                      // bfOffBits
  // BITMAPINFOHEADER
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(image.width));
  Put32(out, static_cast<std::uint32_t>(image.height));  // positive: bottom-up rows
  Put16(out, 1);                                         // planes
  Put16(out, 24);                                        // bits per pixel
  Put32(out, 0);                                         // BI_RGB
  Put32(out, layout.imageBytes);
  Put32(out, 0);  // no preferred resolution
  Put32(out, 0);
  Put32(out, 0);  // no colour table
  Put32(out, 0);
}

// One file row (B, G, R per pixel, zero padding) from one picture row. A pixel's bytes in
// memory are already B, G, R, 0: four pixels go out as 12 bytes in two little-endian stores.
void EncodeRow(const std::uint32_t* row, int width, std::uint8_t* out, std::uint32_t rowBytes) {
  std::uint8_t* o = out;
  int x = 0;
  for (; x + 4 <= width; x += 4, o += 12) {
    const std::uint32_t a = row[x], b = row[x + 1], c = row[x + 2], d = row[x + 3];
    // Whole-word stores: building the bytes in a small array first stalls store forwarding.
    const std::uint64_t first =
        (a & 0xFFFFFF) | (std::uint64_t{b & 0xFFFFFF} << 24) | (std::uint64_t{c} << 48);
    const std::uint32_t second = ((c >> 16) & 0xFF) | (d << 8);
    std::memcpy(o, &first, sizeof first);
    std::memcpy(o + 8, &second, sizeof second);
  }
  for (; x < width; ++x, o += 3) {
    const std::uint32_t p = row[x];
    o[0] = static_cast<std::uint8_t>(p);
    o[1] = static_cast<std::uint8_t>(p >> 8);
    o[2] = static_cast<std::uint8_t>(p >> 16);
  }
  std::memset(o, 0, static_cast<std::size_t>(out + rowBytes - o));
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(vell::ConstPixelView image) {
  BmpLayout layout;
  if (!LayoutOf(image, layout)) return {};
  std::vector<std::uint8_t> bytes(kBmpHeaderSize + static_cast<std::size_t>(layout.imageBytes));
  WriteHeaders(image, layout, bytes.data());
  std::uint8_t* out = bytes.data() + kBmpHeaderSize;
  for (int y = image.height - 1; y >= 0; --y, out += layout.rowBytes) {
    EncodeRow(image.Row(y), image.width, out, layout.rowBytes);
  }
  return bytes;
}

FileError WriteBmpFile(const std::string& path, vell::ConstPixelView image, FileFailure* why) try {
  vell::PresetFailure(why);
  BmpLayout layout;
  if (!LayoutOf(image, layout)) return FileError::Other;
  vell::AtomicFile file(why);
  if (!file.Open(path.c_str())) return file.failure();
  std::uint8_t headers[kBmpHeaderSize];
  WriteHeaders(image, layout, headers);
  bool ok = file.Write(headers, sizeof headers);
  std::vector<std::uint8_t> spare;
  for (int y = image.height - 1; ok && y >= 0; --y) {
    if (std::uint8_t* room = file.Claim(layout.rowBytes)) {
      EncodeRow(image.Row(y), image.width, room, layout.rowBytes);
    } else {
      spare.resize(layout.rowBytes);  // a failed file, or a row longer than the file's buffer
      EncodeRow(image.Row(y), image.width, spare.data(), layout.rowBytes);
      ok = file.Write(spare.data(), spare.size());
    }
  }
  if (ok && file.Commit()) return FileError::None;
  return file.failure();
} catch (const std::bad_alloc&) {
  vell::ReportOutOfMemory(why);
  return FileError::Other;  // the temporary file is gone with the AtomicFile
}

}  // namespace snapwell
