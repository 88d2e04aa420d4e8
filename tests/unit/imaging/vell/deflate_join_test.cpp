// Joining complete deflate streams: every kind of block libdeflate writes (stored, fixed and
// dynamic codes, long and short streams, every end position within a byte) followed by another
// piece still inflates to the two inputs in turn; anything but one whole stream is refused.
#include <libdeflate.h>
#include <zlib.h>

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "vell/encoders/deflate_join.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Compress(const Bytes& input, int level) {
  libdeflate_compressor* compressor = libdeflate_alloc_compressor(level);
  Bytes out(libdeflate_deflate_compress_bound(compressor, input.size()) + 5);
  out.resize(libdeflate_deflate_compress(compressor, input.data(), input.size(), out.data(), out.size()));
  libdeflate_free_compressor(compressor);
  return out;
}

Bytes Inflate(const Bytes& stream) {
  z_stream z{};
  inflateInit2(&z, -15);
  Bytes out(1 << 20);
  z.next_in = const_cast<Bytef*>(stream.data());
  z.avail_in = static_cast<uInt>(stream.size());
  z.next_out = out.data();
  z.avail_out = static_cast<uInt>(out.size());
  const int result = inflate(&z, Z_FINISH);
  out.resize(result == Z_STREAM_END && z.avail_in == 0 ? z.total_out : 0);
  inflateEnd(&z);
  return out;
}

TEST(DeflateJoinTest, JoinedPiecesInflateToBothInputsInTurn) {
  std::mt19937 random(5);
  Bytes noise(70000), text, zeros(400000, 0), tiny = {'a', 'b', 'c'};
  for (unsigned char& b : noise)
    b = static_cast<unsigned char>(random());
  for (int i = 0; text.size() < 200000; ++i)
    for (char c : "row " + std::to_string(i % 97) + " of a terminal\n")
      text.push_back(static_cast<unsigned char>(c));
  const Bytes tail = {'t', 'a', 'i', 'l'};
  for (const Bytes* input : {&noise, &text, &zeros, &tiny})
    for (int level : {0, 1, 6, 12}) {
      SCOPED_TRACE(std::to_string(input->size()) + " bytes at level " + std::to_string(level));
      Bytes piece = Compress(*input, level);
      std::size_t size = piece.size();
      piece.resize(size + 5);
      ASSERT_TRUE(vell::MakeJoinable(piece.data(), size, piece.size()));
      piece.resize(size);
      EXPECT_EQ(Bytes(piece.end() - 4, piece.end()), (Bytes{0x00, 0x00, 0xFF, 0xFF}));  // byte-aligned end
      const Bytes last = Compress(tail, 6);
      piece.insert(piece.end(), last.begin(), last.end());
      Bytes expected = *input;
      expected.insert(expected.end(), tail.begin(), tail.end());
      EXPECT_TRUE(Inflate(piece) == expected);
    }
}

TEST(DeflateJoinTest, AnythingButOneWholeStreamIsLeftAlone) {
  const Bytes text(5000, 'x');
  const Bytes whole = Compress(text, 6);
  struct Case {
    const char* name;
    Bytes data;
    std::size_t room;
  };
  Bytes truncated(whole.begin(), whole.end() - 2), trailing = whole, corrupt = whole;
  trailing.push_back(0x55);
  corrupt[0] |= 0x06;  // block type 3, which does not exist
  const Case cases[] = {{"truncated", truncated, 8},
                        {"bytes after the end", trailing, 8},
                        {"a reserved block type", corrupt, 8},
                        {"no room for the stored block", whole, 3},
                        {"empty", {}, 8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes data = c.data;
    data.resize(c.data.size() + c.room);
    std::size_t size = c.data.size();
    EXPECT_FALSE(vell::MakeJoinable(data.data(), size, data.size()));
    EXPECT_EQ(size, c.data.size());
    EXPECT_TRUE(std::equal(c.data.begin(), c.data.end(), data.begin()));
  }
}

}  // namespace
