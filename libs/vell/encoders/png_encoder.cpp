// PNG files: 8-bit RGB, chunks written here, the image data compressed with zlib.
//
// Filters: a screenshot is mostly rows of few colours (text, flat areas, window frames) with
// now and then rows of photograph. Rows of few colours are left unfiltered (a row equal to the
// one above takes the Up filter: all zeros) and compressed with zlib's default strategy: a
// glyph or an icon then repeats byte for byte wherever it appears, which string matching
// finds, while a prediction filter would mix it with the row above. Other rows take the filter
// with the smallest sum of absolute values (the usual heuristic) and, by what their filtered
// bytes look like, string matching, run-length coding or Huffman codes alone. On real
// screenshots this gives files smaller than libpng's defaults in about half its time.
//
// Speed: the rows are cut into up to four slices, filtered and compressed side by side. Each
// slice primes its compressor with the filtered rows just before it (recomputed, so slices
// never wait for each other) and all but the last end on a byte boundary, so the pieces join
// into one zlib stream. The slicing depends only on the picture's size, so a picture gives
// the same file on every machine, and every picture is compressed exactly once.
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "atomic_file.h"
#include "encoders.h"
#include "pixel_rows.h"

namespace vell {

namespace {

constexpr int kLevel = 6;
constexpr std::size_t kWindow = 32768;
constexpr std::size_t kMinSliceBytes = std::size_t{1} << 20;  // smaller pictures are one slice
constexpr int kMaxSlices = 4;
constexpr int kPad = 3;               // one zero pixel before each row, so the left neighbour always exists
constexpr int kRowsBeforeSwitch = 4;  // rows of another kind in a row before the strategy follows

enum Filter : unsigned char { kNone = 0, kSub = 1, kUp = 2, kAverage = 3, kPaeth = 4 };

// The Paeth predictor, written without branches on small integers so that the compiler
// can run it over many bytes at once.
inline std::uint8_t Paeth(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
  const std::int16_t toB = static_cast<std::int16_t>(b - c);  // p - a
  const std::int16_t toA = static_cast<std::int16_t>(a - c);  // p - b
  const std::int16_t both = static_cast<std::int16_t>(toB + toA);
  const std::int16_t pa = toB < 0 ? static_cast<std::int16_t>(-toB) : toB;
  const std::int16_t pb = toA < 0 ? static_cast<std::int16_t>(-toA) : toA;
  const std::int16_t pc = both < 0 ? static_cast<std::int16_t>(-both) : both;
  return (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
}

inline std::uint8_t Average(std::uint8_t a, std::uint8_t b) {
  return static_cast<std::uint8_t>((static_cast<unsigned>(a) + b) >> 1);
}

// |d| of a filtered byte read as a signed value.
inline std::uint8_t Magnitude(std::uint8_t d) {
  const std::uint8_t negated = static_cast<std::uint8_t>(0 - d);
  return d < negated ? d : negated;
}

// Sums of magnitudes of every filter's output over bytes [0, n); n <= 2^24 keeps the 32-bit
// sums from overflowing.
void AddSums(const std::uint8_t* __restrict cur, const std::uint8_t* __restrict prev, std::size_t n,
             std::uint64_t* sums) {
  std::uint32_t none = 0, sub = 0, up = 0, average = 0, paeth = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t x = cur[i], a = cur[i - kPad], b = prev[i], c = prev[i - kPad];
    none += Magnitude(x);
    sub += Magnitude(static_cast<std::uint8_t>(x - a));
    up += Magnitude(static_cast<std::uint8_t>(x - b));
    average += Magnitude(static_cast<std::uint8_t>(x - Average(a, b)));
    paeth += Magnitude(static_cast<std::uint8_t>(x - Paeth(a, b, c)));
  }
  sums[kNone] += none;
  sums[kSub] += sub;
  sums[kUp] += up;
  sums[kAverage] += average;
  sums[kPaeth] += paeth;
}

// How many pixels of a row bring a colour not seen shortly before (a small cache of recent
// colours misses). Screen content misses on fewer than a quarter of its pixels.
int NewColours(const std::uint32_t* row, int width) {
  std::uint32_t recent[256];
  std::memset(recent, 0xFF, sizeof recent);  // no pixel has its top byte set after masking
  int misses = 0;
  std::uint32_t last = 0xFFFFFFFFu;
  for (int x = 0; x < width; ++x) {
    const std::uint32_t p = row[x] & 0xFFFFFF;
    if (p == last) continue;  // the usual case on screen: the colour of the pixel before
    last = p;
    std::uint32_t& slot = recent[(p * 2654435761u) >> 24];
    misses += slot != p;
    slot = p;
  }
  return misses;
}

// Filters one row of RGB bytes. `cur` and `prev` point at the first byte of their rows and
// have kPad zero bytes before it. out[0] receives the filter type, out[1..n] the bytes.
void FilterRow(const std::uint8_t* cur, const std::uint8_t* prev, std::size_t n, bool unfiltered,
               std::uint8_t* out) {
  int best = kNone;
  if (unfiltered && std::memcmp(cur, prev, n) == 0) {
    best = kUp;  // a repeated row: all zeros, which the compressor codes at distance one
  } else if (!unfiltered) {
    std::uint64_t sums[5] = {0, 0, 0, 0, 0};
    constexpr std::size_t kBlock = std::size_t{1} << 24;
    for (std::size_t at = 0; at < n; at += kBlock)
      AddSums(cur + at, prev + at, n - at < kBlock ? n - at : kBlock, sums);
    for (int f = kSub; f <= kPaeth; ++f)
      if (sums[f] < sums[best]) best = f;
  }
  out[0] = static_cast<std::uint8_t>(best);
  std::uint8_t* __restrict o = out + 1;
  switch (best) {
    case kNone:
      std::memcpy(o, cur, n);
      break;
    case kSub:
      for (std::size_t i = 0; i < n; ++i)
        o[i] = static_cast<std::uint8_t>(cur[i] - cur[i - kPad]);
      break;
    case kUp:
      for (std::size_t i = 0; i < n; ++i)
        o[i] = static_cast<std::uint8_t>(cur[i] - prev[i]);
      break;
    case kAverage:
      for (std::size_t i = 0; i < n; ++i)
        o[i] = static_cast<std::uint8_t>(cur[i] - Average(cur[i - kPad], prev[i]));
      break;
    default:
      for (std::size_t i = 0; i < n; ++i)
        o[i] = static_cast<std::uint8_t>(cur[i] - Paeth(cur[i - kPad], prev[i], prev[i - kPad]));
      break;
  }
}

// Tells how the compressor should treat a filtered photographic row, from how often a
// six-byte sequence other than zeros repeats one seen before (here or in the rows just above)
// and how many bytes are zero. Rows with repeats keep string matching (the filtered-data
// strategy, which keeps no match shorter than six bytes). Without repeats string matching
// finds nothing worth its time: runs of zeros (flat margins beside a photo) are then coded
// as runs, and rows of grain with Huffman codes alone, at the same size in a fraction of
// the time.
class PhotoRows {
 public:
  int StrategyFor(const std::uint8_t* bytes, std::size_t n) {
    if (seen_.empty()) seen_.assign(kSlots, 0);
    std::size_t zeros = 0, repeats = 0;
    for (std::size_t i = 0; i < n; ++i)
      zeros += bytes[i] == 0;
    for (std::size_t i = 0; i + 8 <= n; ++i) {
      std::uint64_t v;
      std::memcpy(&v, bytes + i, sizeof v);
      v &= 0xFFFFFFFFFFFFull;  // six bytes
      std::uint64_t& slot = seen_[(v * 0x9E3779B97F4A7C15ull) >> (64 - kSlotBits)];
      repeats += slot == v && v != 0;
      slot = v;
    }
    if (repeats * 64 >= n) return Z_FILTERED;
    return zeros * 8 >= n ? Z_RLE : Z_HUFFMAN_ONLY;
  }

 private:
  static constexpr int kSlotBits = 14;  // 128 KiB: stays in the second-level cache
  static constexpr std::size_t kSlots = std::size_t{1} << kSlotBits;
  std::vector<std::uint64_t> seen_;
};

// Turns picture rows into filtered rows, one after another, keeping the previous row.
class RowFilter {
 public:
  RowFilter(const ConstPixelView& image, int firstRow)
      : image_(image),
        bytes_(static_cast<std::size_t>(image.width) * 3),
        a_(bytes_ + kPad, 0),
        b_(bytes_ + kPad, 0),
        out_(bytes_ + 1),
        next_(firstRow) {
    if (firstRow > 0) RowToRgb(image.Row(firstRow - 1), image.width, Prev());
  }
  std::size_t RowBytes() const { return bytes_ + 1; }
  // Whether the row Next() returned last is screen content (left unfiltered), and whether it
  // is nearly flat besides.
  bool Unfiltered() const { return newColours_ * 4 < image_.width; }
  bool Flat() const { return newColours_ * 64 < image_.width; }
  // The next row, filtered; valid until the next call.
  const unsigned char* Next() {
    const std::uint32_t* row = image_.Row(next_);
    newColours_ = NewColours(row, image_.width);
    RowToRgb(row, image_.width, Cur());
    FilterRow(Cur(), Prev(), bytes_, Unfiltered(), out_.data());
    std::swap(a_, b_);
    ++next_;
    return out_.data();
  }

 private:
  unsigned char* Cur() { return a_.data() + kPad; }
  unsigned char* Prev() { return b_.data() + kPad; }

  ConstPixelView image_;
  std::size_t bytes_;
  std::vector<unsigned char> a_, b_, out_;
  int next_;
  int newColours_ = 0;
};

struct Slice {
  int firstRow = 0;
  int endRow = 0;
  bool last = false;
  // Raw deflate data. Not zero-filled: only the pages the compressor writes are ever touched.
  std::unique_ptr<unsigned char[]> out;
  std::size_t capacity = 0;
  std::size_t size = 0;

  // Room for at least `more` bytes after the first `used`.
  void Grow(std::size_t used, std::size_t more) {
    const std::size_t wanted = used + more;
    if (wanted <= capacity) return;
    const std::size_t grown = std::max(wanted, capacity + capacity / 2);
    std::unique_ptr<unsigned char[]> bigger(new unsigned char[grown]);
    if (used > 0) std::memcpy(bigger.get(), out.get(), used);
    out = std::move(bigger);
    capacity = grown;
  }
  uLong adler = 1;         // of this slice's filtered bytes
  std::size_t length = 0;  // number of filtered bytes
  bool ok = false;
};

bool Deflate(z_stream& z, Slice& slice, const unsigned char* data, std::size_t size, int flush) {
  z.next_in = const_cast<Bytef*>(data);
  z.avail_in = static_cast<uInt>(size);
  for (;;) {
    if (z.avail_out == 0) {
      const std::size_t used = slice.capacity;
      slice.Grow(used, 65536);
      z.next_out = slice.out.get() + used;
      z.avail_out = static_cast<uInt>(slice.capacity - used);
    }
    const int result = deflate(&z, flush);
    if (result == Z_STREAM_END) return true;
    if (result != Z_OK && result != Z_BUF_ERROR) return false;
    if (z.avail_in == 0 && z.avail_out != 0) return true;  // all taken, and the flush is complete
  }
}

// Changes the strategy between rows; zlib first finishes the current block, which needs room.
bool SetStrategy(z_stream& z, Slice& slice, int strategy) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    if (z.avail_out < 65536) {
      const std::size_t used = slice.capacity - z.avail_out;
      slice.Grow(used, 65536);
      z.next_out = slice.out.get() + used;
      z.avail_out = static_cast<uInt>(slice.capacity - used);
    }
    // The level stays, so the search settings made at the start stay too.
    const int result = deflateParams(&z, kLevel, strategy);
    if (result == Z_OK) return true;
    if (result != Z_BUF_ERROR) return false;
    z.avail_out = 0;  // make room and try again
  }
  return false;
}

void CompressSlice(const ConstPixelView& image, Slice& slice) noexcept try {
  z_stream z{};
  if (deflateInit2(&z, kLevel, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK) return;
  // Level 6's search, but looking for whole 258-byte matches further down the chain, and far
  // down it on nearly flat rows, where the search is cheap: flat screen areas then repeat at
  // the cheapest distance. The settings change without cutting a block.
  bool deepSearch = true;
  deflateTune(&z, 32, 128, 258, 1024);
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3 + 1;
  // The rows before the slice, as far back as the window reaches, prime the compressor.
  if (slice.firstRow > 0) {
    const int primeRows = static_cast<int>((kWindow + rowBytes - 1) / rowBytes);
    const int from = slice.firstRow > primeRows ? slice.firstRow - primeRows : 0;
    RowFilter earlier(image, from);
    std::vector<unsigned char> history;
    for (int y = from; y < slice.firstRow; ++y) {
      const unsigned char* row = earlier.Next();
      history.insert(history.end(), row, row + rowBytes);
    }
    const std::size_t keep = history.size() < kWindow ? history.size() : kWindow;
    if (deflateSetDictionary(&z, history.data() + history.size() - keep, static_cast<uInt>(keep)) != Z_OK) {
      deflateEnd(&z);
      return;
    }
  }
  const std::size_t expected = rowBytes * static_cast<std::size_t>(slice.endRow - slice.firstRow);
  // As much as the data could ever take, so that it is never moved while it grows.
  slice.Grow(0, deflateBound(&z, static_cast<uLong>(expected)) + 65536);
  z.next_out = slice.out.get();
  z.avail_out = static_cast<uInt>(slice.capacity);
  RowFilter rows(image, slice.firstRow);
  PhotoRows photo;
  int strategy = Z_DEFAULT_STRATEGY;
  int wanted = strategy, wantedRun = 0;
  bool ok = true;
  for (int y = slice.firstRow; ok && y < slice.endRow; ++y) {
    const unsigned char* row = rows.Next();
    slice.adler = adler32(slice.adler, row, static_cast<uInt>(rowBytes));
    if (rows.Flat() != deepSearch) {
      deepSearch = rows.Flat();
      if (deepSearch)
        deflateTune(&z, 32, 128, 258, 1024);
      else
        deflateTune(&z, 8, 16, 128, 128);  // zlib's own for level 6
    }
    const int kind = rows.Unfiltered() ? Z_DEFAULT_STRATEGY : photo.StrategyFor(row + 1, rowBytes - 1);
    // A few rows of another kind in a row before switching, so that a stray one does not
    // cut a block.
    wantedRun = kind == wanted ? wantedRun + 1 : 1;
    wanted = kind;
    if (wanted != strategy && wantedRun >= kRowsBeforeSwitch) {
      ok = SetStrategy(z, slice, wanted);
      strategy = wanted;
    }
    ok = ok && Deflate(z, slice, row, rowBytes, Z_NO_FLUSH);
  }
  ok = ok && Deflate(z, slice, nullptr, 0, slice.last ? Z_FINISH : Z_SYNC_FLUSH);
  slice.size = z.total_out;
  slice.length = expected;
  deflateEnd(&z);
  slice.ok = ok;
} catch (...) {
  slice.ok = false;  // out of memory: the picture is not written
}

// Several slices only for pictures big enough to gain from them.
int SliceCount(const ConstPixelView& image) {
  const std::size_t bytes =
      (static_cast<std::size_t>(image.width) * 3 + 1) * static_cast<std::size_t>(image.height);
  std::size_t count = bytes / kMinSliceBytes;
  if (count < 1) count = 1;
  if (count > static_cast<std::size_t>(kMaxSlices)) count = kMaxSlices;
  if (count > static_cast<std::size_t>(image.height)) count = static_cast<std::size_t>(image.height);
  return static_cast<int>(count);
}

// Compresses the picture in `count` slices, all but the first on threads of their own.
std::vector<Slice> CompressInSlices(const ConstPixelView& image, int count) {
  std::vector<Slice> slices(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    slices[i].firstRow = static_cast<int>(static_cast<long long>(image.height) * i / count);
    slices[i].endRow = static_cast<int>(static_cast<long long>(image.height) * (i + 1) / count);
    slices[i].last = i + 1 == count;
  }
  std::vector<std::thread> workers;
  workers.reserve(slices.size());
  for (int i = 1; i < count; ++i) {
    try {
      workers.emplace_back(CompressSlice, std::cref(image), std::ref(slices[i]));
    } catch (...) {
      CompressSlice(image, slices[i]);  // no thread to be had: do it here
    }
  }
  CompressSlice(image, slices[0]);
  for (std::thread& t : workers)
    t.join();
  return slices;
}

void PutU32(unsigned char* out, std::uint32_t v) {
  out[0] = static_cast<unsigned char>(v >> 24);
  out[1] = static_cast<unsigned char>(v >> 16);
  out[2] = static_cast<unsigned char>(v >> 8);
  out[3] = static_cast<unsigned char>(v);
}

// One chunk: length, type, the data in up to three parts, CRC over type and data.
bool WriteChunk(AtomicFile& file, const char* type, const unsigned char* a, std::size_t aSize,
                const unsigned char* b = nullptr, std::size_t bSize = 0, const unsigned char* c = nullptr,
                std::size_t cSize = 0) {
  const std::size_t total = aSize + bSize + cSize;
  if (total > 0x7FFFFFFFu) return false;
  unsigned char head[8];
  PutU32(head, static_cast<std::uint32_t>(total));
  std::memcpy(head + 4, type, 4);
  uLong crc = crc32(0L, head + 4, 4);
  if (aSize) crc = crc32(crc, a, static_cast<uInt>(aSize));
  if (bSize) crc = crc32(crc, b, static_cast<uInt>(bSize));
  if (cSize) crc = crc32(crc, c, static_cast<uInt>(cSize));
  unsigned char tail[4];
  PutU32(tail, static_cast<std::uint32_t>(crc));
  return file.Write(head, 8) && (aSize == 0 || file.Write(a, aSize)) &&
         (bSize == 0 || file.Write(b, bSize)) && (cSize == 0 || file.Write(c, cSize)) && file.Write(tail, 4);
}

}  // namespace

bool WritePng(const char* path, ConstPixelView image) try {
  if (!IsWritable(image)) return false;
  // A slice's compressed data must fit a chunk; keep the picture well inside that.
  if (static_cast<std::size_t>(image.width) * 3 + 1 >
      (std::size_t{1} << 30) / static_cast<std::size_t>(image.height))
    return false;

  const std::vector<Slice> slices = CompressInSlices(image, SliceCount(image));
  const int count = static_cast<int>(slices.size());
  uLong adler = 1;
  for (const Slice& s : slices) {
    if (!s.ok) return false;
    adler = adler32_combine(adler, s.adler, static_cast<z_off_t>(s.length));
  }

  AtomicFile file;
  if (!file.Open(path)) return false;
  static const unsigned char kSignature[8] = {137, 'P', 'N', 'G', '\r', '\n', 26, '\n'};
  unsigned char header[13];
  PutU32(header, static_cast<std::uint32_t>(image.width));
  PutU32(header + 4, static_cast<std::uint32_t>(image.height));
  header[8] = 8;   // bits per sample
  header[9] = 2;   // RGB
  header[10] = 0;  // deflate
  header[11] = 0;  // adaptive filtering
  header[12] = 0;  // not interlaced
  bool ok = file.Write(kSignature, sizeof kSignature) && WriteChunk(file, "IHDR", header, sizeof header);
  // The zlib stream: its two-byte header, the slices, the Adler-32 of all filtered bytes;
  // one IDAT chunk per slice.
  static const unsigned char kZlibHeader[2] = {0x78, 0x9C};  // deflate, 32 KiB window
  unsigned char trailer[4];
  PutU32(trailer, static_cast<std::uint32_t>(adler));
  for (int i = 0; ok && i < count; ++i) {
    const Slice& s = slices[i];
    ok = WriteChunk(file, "IDAT", i == 0 ? kZlibHeader : nullptr, i == 0 ? 2 : 0, s.out.get(), s.size,
                    s.last ? trailer : nullptr, s.last ? 4 : 0);
  }
  ok = ok && WriteChunk(file, "IEND", nullptr, 0);
  return ok && file.Commit();
} catch (...) {
  return false;  // out of memory
}

}  // namespace vell
