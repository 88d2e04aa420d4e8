// Walks the blocks of a raw deflate stream to find its final block and its end. The Huffman
// codes are decoded only to step over each block's symbols; nothing is inflated.
#include "deflate_join.h"

#include <cstdint>
#include <cstring>

namespace vell {
namespace {

constexpr int kMaxBits = 15;
constexpr int kFastBits = 10;
constexpr int kLiteralCodes = 288;
constexpr int kDistanceCodes = 32;

constexpr std::uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic block lists the lengths of the code-length code.
constexpr std::uint8_t kLengthOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// The stream's bits, least significant first as deflate packs them; past the end it reads
// zeros, and Inside() tells whether anything taken lay beyond the data.
class BitReader {
 public:
  BitReader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}

  std::uint32_t Peek(int n) {
    if (count_ < n) Fill();
    return static_cast<std::uint32_t>(buffer_ & ((std::uint64_t{1} << n) - 1));
  }
  void Skip(int n) {
    if (count_ < n) Fill();
    buffer_ >>= n;
    count_ -= n;
    taken_ += static_cast<std::size_t>(n);
  }
  std::uint32_t Take(int n) {
    const std::uint32_t v = Peek(n);
    Skip(n);
    return v;
  }
  // Steps over whole bytes after aligning to a byte boundary (a stored block's contents).
  void SkipBytes(std::size_t bytes) {
    taken_ = (taken_ + 7) / 8 * 8 + bytes * 8;
    next_ = taken_ / 8;
    buffer_ = 0;
    count_ = 0;
  }
  void AlignToByte() { Skip(static_cast<int>((8 - taken_ % 8) % 8)); }
  bool Inside() const { return taken_ <= size_ * 8; }
  std::size_t Taken() const { return taken_; }

 private:
  // Keeps at least 56 bits buffered: a word at a time away from the end, then byte by byte.
  void Fill() {
    if (next_ + 8 <= size_) {
      std::uint64_t word;
      std::memcpy(&word, data_ + next_, sizeof word);
      buffer_ |= word << count_;
      next_ += static_cast<std::size_t>((63 - count_) >> 3);
      count_ |= 56;
      return;
    }
    while (count_ <= 56) {
      const std::uint64_t byte = next_ < size_ ? data_[next_] : 0;
      buffer_ |= byte << count_;
      ++next_;
      count_ += 8;
    }
  }

  const unsigned char* data_;
  std::size_t size_;
  std::size_t next_ = 0;   // next byte to load
  std::size_t taken_ = 0;  // bits taken
  std::uint64_t buffer_ = 0;
  int count_ = 0;
};

// A canonical Huffman code: short codes from a table, longer ones counted out bit by bit.
class Huffman {
 public:
  // False when the lengths over-subscribe the code.
  bool Build(const std::uint8_t* lengths, int n) {
    std::memset(count_, 0, sizeof count_);
    std::memset(fast_, 0, sizeof fast_);
    for (int s = 0; s < n; ++s)
      ++count_[lengths[s]];
    count_[0] = 0;
    int left = 1;
    for (int len = 1; len <= kMaxBits; ++len) {
      left = left * 2 - count_[len];
      if (left < 0) return false;
    }
    int offset[kMaxBits + 2] = {0};
    for (int len = 1; len <= kMaxBits; ++len)
      offset[len + 1] = offset[len] + count_[len];
    for (int s = 0; s < n; ++s)
      if (lengths[s] != 0) symbols_[offset[lengths[s]]++] = static_cast<std::uint16_t>(s);
    // Codes of up to kFastBits bits, reversed as they arrive, fill every table slot they prefix.
    int code = 0, index = 0;
    for (int len = 1; len <= kFastBits; ++len, code <<= 1) {
      for (int k = 0; k < count_[len]; ++k, ++code, ++index) {
        int reversed = 0;
        for (int b = 0; b < len; ++b)
          reversed |= ((code >> b) & 1) << (len - 1 - b);
        for (int slot = reversed; slot < (1 << kFastBits); slot += 1 << len)
          fast_[slot] = static_cast<std::uint16_t>(symbols_[index] << 4 | len);
      }
    }
    return true;
  }

  // The next symbol, or -1 for a code the table does not hold.
  int Decode(BitReader& in) const {
    const std::uint32_t bits = in.Peek(kMaxBits);
    const std::uint16_t entry = fast_[bits & ((1u << kFastBits) - 1)];
    if (entry != 0) {
      in.Skip(entry & 15);
      return entry >> 4;
    }
    int code = 0, first = 0, index = 0;
    for (int len = 1; len <= kMaxBits; ++len) {
      code |= static_cast<int>((bits >> (len - 1)) & 1);
      if (code - count_[len] < first) {
        in.Skip(len);
        return symbols_[index + (code - first)];
      }
      index += count_[len];
      first = (first + count_[len]) << 1;
      code <<= 1;
    }
    return -1;
  }

 private:
  std::uint16_t fast_[1 << kFastBits];  // symbol << 4 | length; 0 for longer codes
  std::uint16_t count_[kMaxBits + 1];
  std::uint16_t symbols_[kLiteralCodes];
};

// Reads a dynamic block's code tables.
bool ReadDynamicCodes(BitReader& in, Huffman& literals, Huffman& distances) {
  const int nLiterals = static_cast<int>(in.Take(5)) + 257;
  const int nDistances = static_cast<int>(in.Take(5)) + 1;
  const int nLengthCodes = static_cast<int>(in.Take(4)) + 4;
  if (nLiterals > 286 || nDistances > 30) return false;
  std::uint8_t lengthCodeLengths[19] = {0};
  for (int i = 0; i < nLengthCodes; ++i)
    lengthCodeLengths[kLengthOrder[i]] = static_cast<std::uint8_t>(in.Take(3));
  Huffman lengthCode;
  if (!lengthCode.Build(lengthCodeLengths, 19)) return false;
  std::uint8_t lengths[286 + 30] = {0};
  for (int i = 0; i < nLiterals + nDistances;) {
    const int symbol = lengthCode.Decode(in);
    if (symbol < 0) return false;
    if (symbol < 16) {
      lengths[i++] = static_cast<std::uint8_t>(symbol);
      continue;
    }
    int repeat = 0;
    std::uint8_t value = 0;
    if (symbol == 16) {
      if (i == 0) return false;
      value = lengths[i - 1];
      repeat = 3 + static_cast<int>(in.Take(2));
    } else {
      repeat = symbol == 17 ? 3 + static_cast<int>(in.Take(3)) : 11 + static_cast<int>(in.Take(7));
    }
    if (i + repeat > nLiterals + nDistances) return false;
    while (repeat-- > 0)
      lengths[i++] = value;
  }
  if (lengths[256] == 0) return false;  // no end of block
  return in.Inside() && literals.Build(lengths, nLiterals) &&
         distances.Build(lengths + nLiterals, nDistances);
}

// Steps over a block's symbols up to its end-of-block code.
bool SkipSymbols(BitReader& in, const Huffman& literals, const Huffman& distances) {
  for (;;) {
    const int symbol = literals.Decode(in);
    if (symbol < 256) {
      if (symbol < 0 || !in.Inside()) return false;
      continue;
    }
    if (symbol == 256) return in.Inside();
    if (symbol > 285) return false;
    in.Skip(kLengthExtra[symbol - 257]);
    const int distance = distances.Decode(in);
    if (distance < 0 || distance >= 30) return false;
    in.Skip(kDistanceExtra[distance]);
  }
}

// Where the final block's header starts and where the stream ends, in bits.
bool FindFinalBlock(const unsigned char* data, std::size_t size, std::size_t& finalAt, std::size_t& endAt) {
  BitReader in(data, size);
  Huffman literals, distances;
  for (;;) {
    const std::size_t at = in.Taken();
    const bool final = in.Take(1) != 0;
    const std::uint32_t type = in.Take(2);
    if (type == 0) {
      in.AlignToByte();
      const std::uint32_t length = in.Take(16);
      if ((length ^ in.Take(16)) != 0xFFFF) return false;
      in.SkipBytes(length);
    } else if (type == 1) {
      std::uint8_t lengths[kLiteralCodes + kDistanceCodes];
      std::memset(lengths, 8, 144);
      std::memset(lengths + 144, 9, 112);
      std::memset(lengths + 256, 7, 24);
      std::memset(lengths + 280, 8, 8);
      std::memset(lengths + kLiteralCodes, 5, kDistanceCodes);
      if (!literals.Build(lengths, kLiteralCodes) ||
          !distances.Build(lengths + kLiteralCodes, kDistanceCodes))
        return false;
      if (!SkipSymbols(in, literals, distances)) return false;
    } else if (type == 2) {
      if (!ReadDynamicCodes(in, literals, distances) || !SkipSymbols(in, literals, distances)) return false;
    } else {
      return false;
    }
    if (!in.Inside()) return false;
    if (final) {
      finalAt = at;
      endAt = in.Taken();
      return true;
    }
  }
}

}  // namespace

bool MakeJoinable(unsigned char* data, std::size_t& size, std::size_t capacity) {
  std::size_t finalAt = 0, endAt = 0;
  if (data == nullptr || !FindFinalBlock(data, size, finalAt, endAt)) return false;
  if ((endAt + 7) / 8 != size || capacity < size + 5) return false;  // trailing bytes, or no room
  data[finalAt / 8] = static_cast<unsigned char>(data[finalAt / 8] & ~(1u << (finalAt % 8)));
  // The empty stored block: three zero bits (not final, stored) from the end, zeros up to the
  // byte boundary, then its length 0 and the length's complement.
  if (endAt % 8 != 0)
    data[endAt / 8] = static_cast<unsigned char>(data[endAt / 8] & ((1u << (endAt % 8)) - 1));
  const std::size_t headerEnd = (endAt + 3 + 7) / 8;
  while (size < headerEnd)
    data[size++] = 0;
  const unsigned char empty[4] = {0x00, 0x00, 0xFF, 0xFF};
  std::memcpy(data + size, empty, sizeof empty);
  size += sizeof empty;
  return true;
}

}  // namespace vell
