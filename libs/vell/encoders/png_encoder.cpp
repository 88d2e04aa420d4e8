// PNG files through stb_image_write, with zlib as its compressor.
// Screenshots are mostly flat areas and sharp strokes: the Sub filter on every row compresses
// them as well as an adaptive per-row search at a fraction of the cost, and zlib level 6 with
// the filtered-data strategy gives files at least as small as libpng's defaults. The deflate
// stream is cut into slices compressed side by side (each primed with the 32 KiB before it)
// and joined, so a large picture is written in a fraction of the time of one stream.
#include <zlib.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <thread>
#include <vector>

#include "atomic_file.h"
#include "encoders.h"
#include "pixel_rows.h"

namespace vell {
namespace {
unsigned char* DeflateForPng(unsigned char* data, int length, int* outLength, int quality) noexcept;
}  // namespace
}  // namespace vell

#define STBIW_ZLIB_COMPRESS vell::DeflateForPng
#define STBIW_CRC32(buffer, length) static_cast<unsigned int>(crc32(0L, (buffer), static_cast<uInt>(length)))
#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace vell {

namespace {

constexpr int kLevel = 6;
constexpr int kStrategy = Z_FILTERED;
constexpr int kSubFilter = 1;
constexpr std::size_t kWindow = 32768;
constexpr std::size_t kMinSlice = std::size_t{1} << 20;  // smaller inputs are not worth a thread
constexpr unsigned kMaxSlices = 4;

struct Slice {
  const unsigned char* data = nullptr;
  std::size_t size = 0;
  const unsigned char* dictionary = nullptr;  // the input just before this slice
  std::size_t dictionarySize = 0;
  bool last = false;
  std::vector<unsigned char> out;
  uLong adler = 1;
  bool ok = false;
};

// Raw deflate of one slice. Every slice but the last ends on a byte boundary (sync flush),
// so the pieces join into one valid stream.
void CompressSlice(Slice& slice) noexcept try {
  z_stream z{};
  if (deflateInit2(&z, kLevel, Z_DEFLATED, -15, 8, kStrategy) != Z_OK) return;
  if (slice.dictionarySize > 0 &&
      deflateSetDictionary(&z, slice.dictionary, static_cast<uInt>(slice.dictionarySize)) != Z_OK) {
    deflateEnd(&z);
    return;
  }
  try {
    slice.out.resize(deflateBound(&z, static_cast<uLong>(slice.size)) + 64);
  } catch (...) {
    deflateEnd(&z);
    return;
  }
  z.next_in = const_cast<Bytef*>(slice.data);
  z.avail_in = static_cast<uInt>(slice.size);
  z.next_out = slice.out.data();
  z.avail_out = static_cast<uInt>(slice.out.size());
  const int result = deflate(&z, slice.last ? Z_FINISH : Z_SYNC_FLUSH);
  const bool done = slice.last ? result == Z_STREAM_END : (result == Z_OK && z.avail_in == 0);
  slice.out.resize(z.total_out);
  deflateEnd(&z);
  slice.adler = adler32(1L, slice.data, static_cast<uInt>(slice.size));
  slice.ok = done;
} catch (...) {
  slice.ok = false;  // out of memory: the whole picture fails
}

// The slicing depends on the length alone, so a picture gives the same file on every machine.
unsigned SliceCount(std::size_t length) {
  const std::size_t count = length / kMinSlice;
  return count < 1 ? 1u : count > kMaxSlices ? kMaxSlices : static_cast<unsigned>(count);
}

// The zlib stream stb_image_write puts into the IDAT chunk; malloc'd, as stb frees it.
unsigned char* DeflateForPng(unsigned char* data, int length, int* outLength, int /*quality*/) noexcept try {
  if (data == nullptr || length < 0 || outLength == nullptr) return nullptr;
  const std::size_t total = static_cast<std::size_t>(length);
  const unsigned count = SliceCount(total);
  std::vector<Slice> slices(count);
  for (unsigned i = 0; i < count; ++i) {
    const std::size_t begin = total * i / count;
    const std::size_t end = total * (i + 1) / count;
    Slice& s = slices[i];
    s.data = data + begin;
    s.size = end - begin;
    s.dictionarySize = begin < kWindow ? begin : kWindow;
    s.dictionary = data + begin - s.dictionarySize;
    s.last = i + 1 == count;
  }
  std::vector<std::thread> workers;
  for (unsigned i = 1; i < count; ++i) {
    try {
      workers.emplace_back(CompressSlice, std::ref(slices[i]));
    } catch (...) {
      CompressSlice(slices[i]);  // no thread to be had: do it here
    }
  }
  CompressSlice(slices[0]);
  for (std::thread& t : workers)
    t.join();

  std::size_t size = 2 + 4;
  uLong adler = 1;
  for (const Slice& s : slices) {
    if (!s.ok) return nullptr;
    size += s.out.size();
    adler = adler32_combine(adler, s.adler, static_cast<z_off_t>(s.size));
  }
  if (size > static_cast<std::size_t>(INT_MAX)) return nullptr;
  auto* out = static_cast<unsigned char*>(std::malloc(size));
  if (out == nullptr) return nullptr;
  unsigned char* o = out;
  *o++ = 0x78;  // deflate, 32 KiB window
  *o++ = 0x9C;  // default level; (0x78 * 256 + 0x9C) % 31 == 0
  for (const Slice& s : slices) {
    std::memcpy(o, s.out.data(), s.out.size());
    o += s.out.size();
  }
  *o++ = static_cast<unsigned char>(adler >> 24);
  *o++ = static_cast<unsigned char>(adler >> 16);
  *o++ = static_cast<unsigned char>(adler >> 8);
  *o++ = static_cast<unsigned char>(adler);
  *outLength = static_cast<int>(size);
  return out;
} catch (...) {
  return nullptr;
}

}  // namespace

bool WritePng(const char* path, ConstPixelView image) try {
  if (!IsWritable(image)) return false;
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
  const std::size_t height = static_cast<std::size_t>(image.height);
  // stb_image_write counts the filtered image and the compressed stream in an int.
  if ((rowBytes + 1) * height > static_cast<std::size_t>(INT_MAX) / 2) return false;

  std::vector<unsigned char> rgb(rowBytes * height);
  for (int y = 0; y < image.height; ++y)
    RowToRgb(image.Row(y), image.width, rgb.data() + rowBytes * y);

  static const bool configured = (stbi_write_force_png_filter = kSubFilter, true);
  (void)configured;
  int length = 0;
  unsigned char* png =
      stbi_write_png_to_mem(rgb.data(), static_cast<int>(rowBytes), image.width, image.height, 3, &length);
  if (png == nullptr) return false;
  AtomicFile file;
  const bool ok = file.Open(path) && file.Write(png, static_cast<std::size_t>(length)) && file.Commit();
  std::free(png);
  return ok;
} catch (...) {
  return false;  // out of memory
}

}  // namespace vell
