// The JPEG library: BMP files of every supported kind in, JPEG files out, read back with
// libjpeg; damaged input and unwritable output give their own results and write nothing.
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>

#include <jpeglib.h>

#include <gtest/gtest.h>

#include "encoder_test_support.h"
#include "output/bmp_file.h"
#include "savejpg/savejpg.h"
#include "support/screenshot_corpus.h"

namespace snapwell::testing {
namespace {

// A JPEG file decoded by libjpeg, as R, G, B samples; empty when it is no JPEG file.
struct Decoded {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
  int Channel(int x, int y, int c) const { return rgb[(static_cast<std::size_t>(y) * width + x) * 3 + c]; }
};

Decoded DecodeJpeg(const std::string& bytes) {
  Decoded out;
  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  if (bytes.size() < 4 || jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK) {
    jpeg_destroy_decompress(&info);
    return out;
  }
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  out.width = static_cast<int>(info.output_width);
  out.height = static_cast<int>(info.output_height);
  out.rgb.resize(static_cast<std::size_t>(out.width) * out.height * 3);
  while (info.output_scanline < info.output_height) {
    unsigned char* row = out.rgb.data() + static_cast<std::size_t>(info.output_scanline) * out.width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return out;
}

int ChannelOf(std::uint32_t pixel, int c) {
  return static_cast<int>((pixel >> (16 - 8 * c)) & 0xFF);
}

// A hand-made BMP file: any bit depth, either row order, optional colour table.
std::string HandMadeBmp(int width, int height, int bits, bool topDown,
                        const std::vector<std::uint32_t>& palette,
                        const std::function<std::uint32_t(int, int)>& value) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * bits + 31) / 32 * 4;
  const std::uint32_t offset = 54 + static_cast<std::uint32_t>(palette.size()) * 4;
  std::string b(offset + rowBytes * height, '\0');
  auto put = [&b](std::size_t at, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i)
      b[at + i] = static_cast<char>(v >> (8 * i));
  };
  b[0] = 'B';
  b[1] = 'M';
  put(2, static_cast<std::uint32_t>(b.size()), 4);
  put(10, offset, 4);
  put(14, 40, 4);
  put(18, static_cast<std::uint32_t>(width), 4);
  put(22, static_cast<std::uint32_t>(topDown ? -height : height), 4);
  put(26, 1, 2);
  put(28, static_cast<std::uint32_t>(bits), 2);
  put(46, static_cast<std::uint32_t>(palette.size()), 4);
  for (std::size_t i = 0; i < palette.size(); ++i)
    put(54 + i * 4, palette[i], 4);  // B, G, R, 0
  for (int y = 0; y < height; ++y) {
    const std::size_t row = offset + static_cast<std::size_t>(topDown ? y : height - 1 - y) * rowBytes;
    for (int x = 0; x < width; ++x)
      put(row + static_cast<std::size_t>(x) * bits / 8, value(x, y), bits / 8);
  }
  return b;
}

// Flat 16 x 16 blocks in four colours: a JPEG file keeps each block's colour closely.
int BlockIndex(int x, int y) {
  return ((x / 16) + 2 * (y / 16)) % 4;
}
std::uint32_t BlockColour(int x, int y) {
  static const std::uint32_t colours[] = {vell::Rgb(200, 40, 30), vell::Rgb(20, 160, 60),
                                          vell::Rgb(30, 50, 210), vell::Rgb(250, 250, 250)};
  return colours[BlockIndex(x, y)];
}

TestPicture BlockPicture(int w, int h) {
  TestPicture picture(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      picture.At(x, y) = BlockColour(x, y);
  return picture;
}

class SaveJpgTest : public ::testing::Test {
 protected:
  short Convert(const std::string& bmp, const std::string& jpg, int quality = 85) {
    return savejpg::SavetoJPEG(bmp.c_str(), jpg.c_str(), quality, 0);
  }
  ScratchFolder folder;
};

TEST_F(SaveJpgTest, SmoothPictureSurvivesCloselyAtTheProgramsQuality) {
  const TestPicture picture = SmoothPicture(203, 101);
  ASSERT_EQ(WriteBmpFile(folder.Path("in.bmp"), picture.View()), FileError::None);
  ASSERT_EQ(Convert(folder.Path("in.bmp"), folder.Path("out.jpg")), savejpg::kSaved);
  const Decoded decoded = DecodeJpeg(ReadBytes(folder.Path("out.jpg")));
  ASSERT_EQ(decoded.width, 203);
  ASSERT_EQ(decoded.height, 101);
  int worst = 0;
  double sum = 0;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      for (int c = 0; c < 3; ++c) {
        const int d = std::abs(decoded.Channel(x, y, c) - ChannelOf(picture.At(x, y), c));
        worst = std::max(worst, d);
        sum += d;
      }
  EXPECT_LT(sum / (3.0 * picture.width * picture.height), 2.0);
  EXPECT_LE(worst, 16);
}

// Real screenshots through the program's own steps (a 24-bit BMP file, then quality 85): the
// decoded picture keeps a small mean error per sample, for each kind of picture.
TEST_F(SaveJpgTest, ScreenshotsKeepASmallErrorAtTheProgramsQuality) {
  const std::vector<CorpusPicture> corpus = LoadCorpus(FixedCorpusFolder(), "1920x1080");
  ASSERT_FALSE(corpus.empty()) << "no screenshots in " << FixedCorpusFolder();
  const std::map<std::string, double> kMostMeanError = {
      {"document", 1.5}, {"photo", 8.0}, {"terminal", 1.0}, {"ui-mock", 0.6}, {"wine-dialog", 0.6}};
  for (const CorpusPicture& picture : corpus) {
    SCOPED_TRACE(picture.name);
    ASSERT_EQ(WriteBmpFile(folder.Path("in.bmp"), picture.View()), FileError::None);
    ASSERT_EQ(Convert(folder.Path("in.bmp"), folder.Path("out.jpg")), savejpg::kSaved);
    const Decoded decoded = DecodeJpeg(ReadBytes(folder.Path("out.jpg")));
    ASSERT_EQ(decoded.width, picture.width);
    ASSERT_EQ(decoded.height, picture.height);
    double sum = 0;
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < picture.width; ++x)
        for (int c = 0; c < 3; ++c)
          sum += std::abs(decoded.Channel(x, y, c) - ChannelOf(picture.pixels[y * picture.width + x], c));
    const std::string scene = picture.name.substr(picture.name.find('/') + 1);
    const auto bound = kMostMeanError.find(scene);
    EXPECT_LE(sum / (3.0 * picture.width * picture.height),
              bound == kMostMeanError.end() ? 1.0 : bound->second);
  }
}

TEST_F(SaveJpgTest, EveryBmpKindIsReadTheRightWayUp) {
  const int w = 48, h = 32;
  // Colour table entries are B, G, R, 0 in the file: the same bytes as a pixel in memory.
  const std::vector<std::uint32_t> palette = {BlockColour(0, 0), BlockColour(16, 0), BlockColour(0, 16),
                                              BlockColour(16, 16)};
  const std::pair<const char*, std::string> kinds[] = {
      {"24 bottom-up", HandMadeBmp(w, h, 24, false, {}, BlockColour)},
      {"24 top-down", HandMadeBmp(w, h, 24, true, {}, BlockColour)},
      {"32 bottom-up", HandMadeBmp(w, h, 32, false, {}, BlockColour)},
      {"32 top-down", HandMadeBmp(w, h, 32, true, {}, BlockColour)},
      {"8 with palette", HandMadeBmp(w, h, 8, false, palette, BlockIndex)},
  };
  for (const auto& [name, bytes] : kinds) {
    SCOPED_TRACE(name);
    WriteBytes(folder.Path("in.bmp"), bytes);
    ASSERT_EQ(Convert(folder.Path("in.bmp"), folder.Path("out.jpg"), 95), savejpg::kSaved);
    const Decoded decoded = DecodeJpeg(ReadBytes(folder.Path("out.jpg")));
    ASSERT_EQ(decoded.width, w);
    ASSERT_EQ(decoded.height, h);
    // Block centres, away from the edges where the blocks meet.
    for (int y = 8; y < h; y += 16)
      for (int x = 8; x < w; x += 16)
        for (int c = 0; c < 3; ++c)
          EXPECT_NEAR(decoded.Channel(x, y, c), ChannelOf(BlockColour(x, y), c), 12) << x << "," << y;
  }
}

TEST_F(SaveJpgTest, QualityIsClampedAndChangesTheFile) {
  ASSERT_EQ(WriteBmpFile(folder.Path("in.bmp"), RandomPicture(64, 64, 4).View()), FileError::None);
  const std::pair<int, const char*> qualities[] = {{-5, "low"}, {1, "one"}, {1000, "high"}, {100, "hundred"}};
  for (const auto& [quality, name] : qualities)
    ASSERT_EQ(Convert(folder.Path("in.bmp"), folder.Path(std::string(name) + ".jpg"), quality),
              savejpg::kSaved);
  EXPECT_EQ(ReadBytes(folder.Path("low.jpg")), ReadBytes(folder.Path("one.jpg")));
  EXPECT_EQ(ReadBytes(folder.Path("high.jpg")), ReadBytes(folder.Path("hundred.jpg")));
  EXPECT_LT(ReadBytes(folder.Path("one.jpg")).size(), ReadBytes(folder.Path("hundred.jpg")).size());
}

TEST_F(SaveJpgTest, BadArgumentsAndMissingOrDamagedSourcesWriteNothing) {
  const std::string in = folder.Path("in.bmp"), out = folder.Path("out.jpg");
  EXPECT_EQ(savejpg::SavetoJPEG(nullptr, out.c_str(), 85, 0), savejpg::kBadArgument);
  EXPECT_EQ(savejpg::SavetoJPEG(in.c_str(), nullptr, 85, 0), savejpg::kBadArgument);
  EXPECT_EQ(savejpg::SavetoJPEG("", out.c_str(), 85, 0), savejpg::kBadArgument);
  EXPECT_EQ(Convert(in, out), savejpg::kSourceUnreadable);
  EXPECT_TRUE(folder.Names().empty());

  const std::string good = HandMadeBmp(40, 30, 24, false, {}, BlockColour);
  auto damaged = [&good](std::initializer_list<std::pair<int, char>> changes) {
    std::string bytes = good;
    for (const auto& [at, value] : changes)
      bytes[at] = value;
    return bytes;
  };
  const std::string cases[] = {
      "",
      "BM",
      "not a picture at all, just text",
      good.substr(0, good.size() - 100),
      damaged({{18, '\xFF'}, {19, '\xFF'}, {22, '\x7F'}, {23, '\x7F'}}),  // far more pixels than bytes
      damaged({{22, 0}, {23, 0}, {24, '\x80'}, {25, '\x80'}}),            // height near -2^31
      damaged({{28, 7}}),                                                 // no such bit depth
      damaged({{30, 1}}),                                                 // run-length encoding: not read
      damaged({{10, '\x10'}, {11, '\xFF'}}),                              // pixels past the end
  };
  for (const std::string& bytes : cases) {
    WriteBytes(in, bytes);
    EXPECT_EQ(Convert(in, out), savejpg::kSourceInvalid) << bytes.size();
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"in.bmp"});
  }
}

TEST_F(SaveJpgTest, TargetIsReplacedOnlyWhereItMayBeWritten) {
  const std::string in = folder.Path("in.bmp");
  ASSERT_EQ(WriteBmpFile(in, BlockPicture(32, 32).View()), FileError::None);
  EXPECT_EQ(Convert(in, folder.Path("gone/out.jpg")), savejpg::kTargetUnwritable);
  std::filesystem::create_directory(folder.Path("dir.jpg"));
  EXPECT_EQ(Convert(in, folder.Path("dir.jpg")), savejpg::kTargetUnwritable);
  WriteBytes(folder.Path("old.jpg"), "old");
  MakeReadOnly(folder.Path("old.jpg"));
  EXPECT_EQ(Convert(in, folder.Path("old.jpg")), savejpg::kTargetUnwritable);
  EXPECT_EQ(ReadBytes(folder.Path("old.jpg")), "old");

  WriteBytes(folder.Path("out.jpg"), "old");
  ASSERT_EQ(Convert(in, folder.Path("out.jpg")), savejpg::kSaved);
  EXPECT_EQ(DecodeJpeg(ReadBytes(folder.Path("out.jpg"))).width, 32);
  EXPECT_EQ(folder.Names().size(), 4u);  // the source kept, no temporary file
}

}  // namespace
}  // namespace snapwell::testing
