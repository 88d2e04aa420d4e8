// PNG files: 8-bit RGB, chunks written here.
//
// Filters: a screenshot is mostly rows of few colours (text, flat areas, window frames) with
// now and then rows of photograph. Rows of few colours are left unfiltered: a glyph or an icon
// then repeats byte for byte wherever it appears, which string matching finds, while a
// prediction filter would mix it with the row above. A row equal to the one above becomes all
// zeros. Other rows take the filter with the smallest sum of absolute values (the usual
// heuristic).
//
// Compression: the filtered rows are cut into pieces of one kind each, and each piece goes to
// the compressor that does it best (measured on real screenshots):
//   - rows of screen content: libdeflate, as small as zlib's level 6 in half its time;
//   - long runs of repeated rows: zlib's run-length strategy. One deflate block then covers
//     megabytes of zeros, where libdeflate starts a block (with its code tables) every few
//     hundred kilobytes and ends up a few per cent larger than libpng on a flat screen;
//   - photographic rows: zlib, with string matching, run-length coding or Huffman codes alone
//     as their filtered bytes call for, which libdeflate cannot be told.
// The pieces join into the one zlib stream a PNG holds: zlib's end with a sync flush, and
// libdeflate's final block is made joinable (deflate_join.h). Large pieces are cut further so
// that up to four compress side by side; every cut depends only on the picture, so a picture
// gives the same file on every machine.
#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "atomic_file.h"
#include "deflate_join.h"
#include "encoders.h"
#include "pixel_rows.h"

namespace vell {

namespace {

constexpr int kZlibLevel = 6;
constexpr int kLibdeflateLevel = 6;
constexpr std::size_t kWindow = 32768;
constexpr int kPad = 3;  // one zero pixel before each row, so the left neighbour always exists
constexpr int kRowsBeforeSwitch =
    4;  // photographic rows of another kind in a row before the strategy follows
// Runs of repeated rows shorter than this stay with the rows around them: libdeflate codes them
// well too, and only a long run gains more than a piece of its own costs.
constexpr std::size_t kMinRepeatBytes = std::size_t{256} << 10;
constexpr int kMinRun = 16;  // shorter runs of screen or photographic rows join the piece before
constexpr std::size_t kMinPieceBytes = std::size_t{2} << 20;  // pieces are cut no smaller than this
constexpr int kMaxThreads = 4;

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
               bool repeated, std::uint8_t* out) {
  int best = kNone;
  if (repeated) {
    // Up makes a repeated row all zeros, but its filter byte 2 then cuts the run of zeros the
    // row above ended with; a row of zero bytes (black) is all zeros unfiltered already, and
    // None lets that run go on through its filter byte.
    best = cur[0] == 0 && std::memcmp(cur, cur + 1, n - 1) == 0 ? kNone : kUp;
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
        b_(bytes_ + kPad, 0) {
    if (firstRow > 0) RowToRgb(image.Row(firstRow - 1), image.width, Prev());
  }
  // Whether the row filtered last is screen content (left unfiltered) or equal to the one above.
  bool Unfiltered() const { return newColours_ * 4 < image_.width; }
  bool Repeated() const { return repeated_; }
  // Filters row y (rows come in order) into out[0, width * 3 + 1).
  void Next(int y, unsigned char* out) {
    const std::uint32_t* row = image_.Row(y);
    newColours_ = NewColours(row, image_.width);
    RowToRgb(row, image_.width, Cur());
    repeated_ = std::memcmp(Cur(), Prev(), bytes_) == 0;
    FilterRow(Cur(), Prev(), bytes_, Unfiltered(), repeated_, out);
    std::swap(a_, b_);
  }

 private:
  unsigned char* Cur() { return a_.data() + kPad; }
  unsigned char* Prev() { return b_.data() + kPad; }

  ConstPixelView image_;
  std::size_t bytes_;
  std::vector<unsigned char> a_, b_;
  int newColours_ = 0;
  bool repeated_ = false;
};

enum class Kind : unsigned char { kScreen, kRepeat, kPhoto };

// Every row filtered, in one buffer, with what each row is and, for photographic rows, the
// zlib strategy their bytes call for.
struct Filtered {
  std::size_t rowBytes = 0;
  int height = 0;
  std::unique_ptr<unsigned char[]> bytes;  // not zero-filled: every byte is written
  std::vector<Kind> kind;
  std::vector<unsigned char> strategy;  // zlib strategies, 0..4
  const unsigned char* Row(int y) const { return bytes.get() + rowBytes * static_cast<std::size_t>(y); }
};

// Runs f(0) .. f(count - 1), on up to kMaxThreads threads (this one among them).
template <typename F>
void SideBySide(int count, const F& f) {
  std::atomic<int> next{0};
  const auto work = [&] {
    for (int i; (i = next.fetch_add(1)) < count;)
      f(i);
  };
  std::vector<std::thread> helpers;
  for (int t = 1; t < std::min(count, kMaxThreads); ++t) {
    try {
      helpers.emplace_back(work);
    } catch (...) {
      break;  // no thread to be had: the others do the work
    }
  }
  work();
  for (std::thread& t : helpers)
    t.join();
}

// Filters the picture in bands side by side; each band starts from the row above it.
bool FilterPicture(const ConstPixelView& image, Filtered& out) {
  out.rowBytes = static_cast<std::size_t>(image.width) * 3 + 1;
  out.height = image.height;
  out.bytes.reset(new unsigned char[out.rowBytes * static_cast<std::size_t>(image.height)]);
  out.kind.assign(static_cast<std::size_t>(image.height), Kind::kScreen);
  out.strategy.assign(static_cast<std::size_t>(image.height), Z_DEFAULT_STRATEGY);
  const std::size_t total = out.rowBytes * static_cast<std::size_t>(image.height);
  const int bands = static_cast<int>(std::clamp<std::size_t>(total / kMinPieceBytes, 1, kMaxThreads));
  std::atomic<bool> ok{true};
  SideBySide(bands, [&](int band) {
    try {
      const int first = static_cast<int>(static_cast<long long>(image.height) * band / bands);
      const int end = static_cast<int>(static_cast<long long>(image.height) * (band + 1) / bands);
      RowFilter rows(image, first);
      PhotoRows photo;
      for (int y = first; y < end; ++y) {
        unsigned char* row = out.bytes.get() + out.rowBytes * static_cast<std::size_t>(y);
        rows.Next(y, row);
        const auto i = static_cast<std::size_t>(y);
        if (rows.Repeated()) {
          out.kind[i] = Kind::kRepeat;
        } else if (!rows.Unfiltered()) {
          out.kind[i] = Kind::kPhoto;
          out.strategy[i] = static_cast<unsigned char>(photo.StrategyFor(row + 1, out.rowBytes - 1));
        }
      }
    } catch (...) {
      ok = false;  // out of memory
    }
  });
  return ok;
}

// A run of rows for one compressor, and its compressed bytes.
struct Piece {
  Kind kind = Kind::kScreen;
  int firstRow = 0;
  int endRow = 0;
  bool last = false;
  std::unique_ptr<unsigned char[]> out;
  std::size_t capacity = 0;
  std::size_t size = 0;
  bool ok = false;
};

// Cuts the rows into runs of one kind: short runs of repeated rows stay with the rows around
// them, other short runs join the run before; then runs too big to compress on one thread
// are cut in equal parts.
std::vector<Piece> CutIntoPieces(const Filtered& f) {
  std::vector<Kind> kind = f.kind;
  const int h = f.height;
  const auto minRepeatRows = static_cast<int>((kMinRepeatBytes + f.rowBytes - 1) / f.rowBytes);
  for (int y = 0; y < h;) {
    int end = y;
    while (end < h && kind[end] == kind[y])
      ++end;
    if (kind[y] == Kind::kRepeat && end - y < minRepeatRows) {
      const Kind around = y > 0 ? kind[y - 1] : (end < h ? kind[end] : Kind::kScreen);
      std::fill(kind.begin() + y, kind.begin() + end, around == Kind::kRepeat ? Kind::kScreen : around);
    }
    y = end;
  }
  std::vector<Piece> runs;
  for (int y = 0; y < h;) {
    int end = y;
    while (end < h && kind[end] == kind[y])
      ++end;
    if (!runs.empty() && kind[y] != Kind::kRepeat && runs.back().kind != Kind::kRepeat && end - y < kMinRun) {
      runs.back().endRow = end;  // too short to be worth a piece of its own
    } else {
      Piece run;
      run.kind = kind[y];
      run.firstRow = y;
      run.endRow = end;
      runs.push_back(std::move(run));
    }
    y = end;
  }
  const std::size_t total = f.rowBytes * static_cast<std::size_t>(h);
  const std::size_t target = std::max(kMinPieceBytes, total / kMaxThreads);
  std::vector<Piece> pieces;
  for (const Piece& run : runs) {
    const std::size_t bytes = f.rowBytes * static_cast<std::size_t>(run.endRow - run.firstRow);
    // Runs of repeated rows compress at memory speed: never worth a cut.
    const int parts =
        run.kind == Kind::kRepeat ? 1 : static_cast<int>(std::max<std::size_t>(1, bytes / target));
    for (int i = 0; i < parts; ++i) {
      Piece piece;
      piece.kind = run.kind;
      piece.firstRow =
          run.firstRow + static_cast<int>(static_cast<long long>(run.endRow - run.firstRow) * i / parts);
      piece.endRow = run.firstRow +
                     static_cast<int>(static_cast<long long>(run.endRow - run.firstRow) * (i + 1) / parts);
      pieces.push_back(std::move(piece));
    }
  }
  pieces.back().last = true;
  return pieces;
}

// zlib for one piece: string matching primed with the rows before it, the run-length
// strategy, or for photographic rows the strategy each row calls for.
class ZlibPiece {
 public:
  ZlibPiece(const Filtered& f, Piece& piece) : f_(f), piece_(piece) {}
  ~ZlibPiece() {
    if (open_) deflateEnd(&z_);
  }
  ZlibPiece(const ZlibPiece&) = delete;
  ZlibPiece& operator=(const ZlibPiece&) = delete;

  bool Compress() {
    const bool runs = piece_.kind == Kind::kRepeat;
    int strategy = runs ? Z_RLE : Z_DEFAULT_STRATEGY;
    if (deflateInit2(&z_, kZlibLevel, Z_DEFLATED, -15, 8, strategy) != Z_OK) return false;
    open_ = true;
    const unsigned char* start = f_.Row(piece_.firstRow);
    if (!runs && piece_.firstRow > 0) {
      const std::size_t keep = std::min<std::size_t>(kWindow, static_cast<std::size_t>(start - f_.Row(0)));
      if (deflateSetDictionary(&z_, start - keep, static_cast<uInt>(keep)) != Z_OK) return false;
    }
    const std::size_t length = f_.rowBytes * static_cast<std::size_t>(piece_.endRow - piece_.firstRow);
    Grow(deflateBound(&z_, static_cast<uLong>(length)) + 65536);
    z_.next_out = piece_.out.get();
    z_.avail_out = static_cast<uInt>(piece_.capacity);
    int wanted = strategy, wantedRun = 0;
    for (int y = piece_.firstRow; y < piece_.endRow; ++y) {
      if (piece_.kind == Kind::kPhoto) {
        // A few rows of another kind in a row before switching, so that a stray one does not
        // cut a block.
        const int kind = f_.strategy[static_cast<std::size_t>(y)];
        wantedRun = kind == wanted ? wantedRun + 1 : 1;
        wanted = kind;
        if (wanted != strategy && wantedRun >= kRowsBeforeSwitch) {
          if (!SetStrategy(wanted)) return false;
          strategy = wanted;
        }
      }
      if (!Deflate(f_.Row(y), f_.rowBytes, Z_NO_FLUSH)) return false;
    }
    if (!Deflate(nullptr, 0, piece_.last ? Z_FINISH : Z_SYNC_FLUSH)) return false;
    piece_.size = z_.total_out;
    return true;
  }

 private:
  // Room for at least `more` bytes after what is written.
  void Grow(std::size_t more) {
    const std::size_t used = piece_.capacity - (piece_.out ? z_.avail_out : 0);
    if (piece_.out && used + more <= piece_.capacity) return;
    const std::size_t grown = std::max(used + more, piece_.capacity + piece_.capacity / 2);
    std::unique_ptr<unsigned char[]> bigger(new unsigned char[grown]);
    if (used > 0) std::memcpy(bigger.get(), piece_.out.get(), used);
    piece_.out = std::move(bigger);
    piece_.capacity = grown;
    z_.next_out = piece_.out.get() + used;
    z_.avail_out = static_cast<uInt>(grown - used);
  }

  bool Deflate(const unsigned char* data, std::size_t size, int flush) {
    z_.next_in = const_cast<Bytef*>(data);
    z_.avail_in = static_cast<uInt>(size);
    for (;;) {
      if (z_.avail_out == 0) Grow(65536);
      const int result = deflate(&z_, flush);
      if (result == Z_STREAM_END) return true;
      if (result != Z_OK && result != Z_BUF_ERROR) return false;
      if (z_.avail_in == 0 && z_.avail_out != 0) return true;  // all taken, and the flush is complete
    }
  }

  // Changes the strategy between rows; zlib first finishes the current block, which needs room.
  bool SetStrategy(int strategy) {
    for (int attempt = 0; attempt < 8; ++attempt) {
      if (z_.avail_out < 65536) Grow(65536);
      const int result = deflateParams(&z_, kZlibLevel, strategy);
      if (result == Z_OK) return true;
      if (result != Z_BUF_ERROR) return false;
      z_.avail_out = 0;  // make room and try again
    }
    return false;
  }

  const Filtered& f_;
  Piece& piece_;
  z_stream z_{};
  bool open_ = false;
};

// libdeflate for a piece of screen rows. It starts without the rows before (it takes no
// dictionary): pieces are cut large enough that this costs little.
bool LibdeflatePiece(const Filtered& f, Piece& piece) {
  libdeflate_compressor* compressor = libdeflate_alloc_compressor(kLibdeflateLevel);
  if (compressor == nullptr) return false;
  const std::size_t length = f.rowBytes * static_cast<std::size_t>(piece.endRow - piece.firstRow);
  piece.capacity = libdeflate_deflate_compress_bound(compressor, length) + 8;
  piece.out.reset(new (std::nothrow) unsigned char[piece.capacity]);
  piece.size = piece.out ? libdeflate_deflate_compress(compressor, f.Row(piece.firstRow), length,
                                                       piece.out.get(), piece.capacity)
                         : 0;
  libdeflate_free_compressor(compressor);
  return piece.size > 0 && (piece.last || MakeJoinable(piece.out.get(), piece.size, piece.capacity));
}

void CompressPiece(const Filtered& f, Piece& piece) noexcept try {
  if (piece.kind == Kind::kScreen && LibdeflatePiece(f, piece)) {
    piece.ok = true;
    return;
  }
  // zlib also stands in should libdeflate fail (it only does so when out of memory).
  piece.out.reset();
  piece.capacity = piece.size = 0;
  piece.ok = ZlibPiece(f, piece).Compress();
} catch (...) {
  piece.ok = false;  // out of memory: the picture is not written
}

void PutU32(unsigned char* out, std::uint32_t v) {
  out[0] = static_cast<unsigned char>(v >> 24);
  out[1] = static_cast<unsigned char>(v >> 16);
  out[2] = static_cast<unsigned char>(v >> 8);
  out[3] = static_cast<unsigned char>(v);
}

struct Span {
  const unsigned char* data;
  std::size_t size;
};

// One chunk: length, type, the data in parts, CRC over type and data.
bool WriteChunk(AtomicFile& file, const char* type, const std::vector<Span>& parts) {
  std::size_t total = 0;
  for (const Span& part : parts)
    total += part.size;
  if (total > 0x7FFFFFFFu) return false;
  unsigned char head[8];
  PutU32(head, static_cast<std::uint32_t>(total));
  std::memcpy(head + 4, type, 4);
  std::uint32_t crc = libdeflate_crc32(0, head + 4, 4);
  for (const Span& part : parts)
    crc = libdeflate_crc32(crc, part.data, part.size);
  unsigned char tail[4];
  PutU32(tail, crc);
  bool ok = file.Write(head, 8);
  for (const Span& part : parts)
    ok = ok && (part.size == 0 || file.Write(part.data, part.size));
  return ok && file.Write(tail, 4);
}

}  // namespace

bool WritePng(const char* path, ConstPixelView image, FileFailure* why) try {
  PresetFailure(why);
  if (!IsWritable(image)) return false;
  // The compressed data must fit one chunk; keep the picture well inside that.
  if (static_cast<std::size_t>(image.width) * 3 + 1 >
      (std::size_t{1} << 30) / static_cast<std::size_t>(image.height))
    return false;

  Filtered filtered;
  if (!FilterPicture(image, filtered)) return false;
  std::vector<Piece> pieces = CutIntoPieces(filtered);
  SideBySide(static_cast<int>(pieces.size()),
             [&](int i) { CompressPiece(filtered, pieces[static_cast<std::size_t>(i)]); });
  for (const Piece& piece : pieces)
    if (!piece.ok) return false;
  const std::uint32_t adler =
      libdeflate_adler32(1, filtered.bytes.get(), filtered.rowBytes * static_cast<std::size_t>(image.height));

  AtomicFile file(why);
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
  // The zlib stream in one IDAT chunk: its two-byte header, the pieces, the Adler-32 of all
  // filtered bytes.
  static const unsigned char kZlibHeader[2] = {0x78, 0x9C};  // deflate, 32 KiB window
  unsigned char trailer[4];
  PutU32(trailer, adler);
  std::vector<Span> data = {{kZlibHeader, sizeof kZlibHeader}};
  for (const Piece& piece : pieces)
    data.push_back({piece.out.get(), piece.size});
  data.push_back({trailer, sizeof trailer});
  const bool ok = file.Write(kSignature, sizeof kSignature) &&
                  WriteChunk(file, "IHDR", {{header, sizeof header}}) && WriteChunk(file, "IDAT", data) &&
                  WriteChunk(file, "IEND", {});
  return ok && file.Commit();
} catch (...) {
  ReportOutOfMemory(why);
  return false;
}

}  // namespace vell
