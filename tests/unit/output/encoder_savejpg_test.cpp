// The JPEG library: BMP files of every supported kind in, JPEG files out, read back with
// libjpeg; damaged input and unwritable output give their own results and write nothing.
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <functional>

#include <jpeglib.h>

#include <gtest/gtest.h>

#include "encoder_test_support.h"
#include "output/bmp_file.h"
#include "savejpg/savejpg.h"

namespace snapwell::testing {
namespace {

struct Decoded {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
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

// Largest and mean difference of any channel between the decoded file and the picture.
void Compare(const Decoded& decoded, const TestPicture& picture, int& worst, double& mean) {
  worst = 0;
  double sum = 0;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) {
      const unsigned char* p = decoded.rgb.data() + (static_cast<std::size_t>(y) * picture.width + x) * 3;
      const std::uint32_t want = picture.At(x, y);
      for (int d : {p[0] - vell::RedOf(want), p[1] - vell::GreenOf(want), p[2] - vell::BlueOf(want)}) {
        worst = std::max(worst, std::abs(d));
        sum += std::abs(d);
      }
    }
  mean = sum / (3.0 * picture.width * picture.height);
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
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = value(x, y);
      if (bits == 8) put(row + x, v, 1);
      if (bits == 24) put(row + x * 3, v, 3);
      if (bits == 32) put(row + x * 4, v, 4);
    }
  }
  return b;
}

// Flat 16 x 16 blocks in four colours: a JPEG file keeps each block's colour closely.
std::uint32_t BlockColour(int x, int y) {
  static const std::uint32_t colours[] = {vell::Rgb(200, 40, 30), vell::Rgb(20, 160, 60),
                                          vell::Rgb(30, 50, 210), vell::Rgb(250, 250, 250)};
  return colours[((x / 16) + 2 * (y / 16)) % 4];
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
  double mean = 0;
  Compare(decoded, picture, worst, mean);
  EXPECT_LT(mean, 2.0);
  EXPECT_LE(worst, 16);
}

TEST_F(SaveJpgTest, EveryBmpKindIsReadTheRightWayUp) {
  const int w = 48, h = 32;
  const TestPicture want = BlockPicture(w, h);
  // Colour table entries are B, G, R, 0 in the file: the same bytes as a pixel in memory.
  const std::vector<std::uint32_t> palette = {BlockColour(0, 0), BlockColour(16, 0), BlockColour(0, 16),
                                              BlockColour(16, 16)};
  struct Kind {
    const char* name;
    std::string bytes;
  };
  const Kind kinds[] = {
      {"24 bottom-up", HandMadeBmp(w, h, 24, false, {}, BlockColour)},
      {"24 top-down", HandMadeBmp(w, h, 24, true, {}, BlockColour)},
      {"32 bottom-up", HandMadeBmp(w, h, 32, false, {}, BlockColour)},
      {"32 top-down", HandMadeBmp(w, h, 32, true, {}, BlockColour)},
      {"8 with palette",
       HandMadeBmp(w, h, 8, false, palette, [](int x, int y) { return ((x / 16) + 2 * (y / 16)) % 4; })},
  };
  for (const Kind& kind : kinds) {
    WriteBytes(folder.Path("in.bmp"), kind.bytes);
    ASSERT_EQ(Convert(folder.Path("in.bmp"), folder.Path("out.jpg"), 95), savejpg::kSaved) << kind.name;
    const Decoded decoded = DecodeJpeg(ReadBytes(folder.Path("out.jpg")));
    ASSERT_EQ(decoded.width, w) << kind.name;
    ASSERT_EQ(decoded.height, h) << kind.name;
    // Block centres, away from the edges where the blocks meet.
    for (int by = 0; by < h / 16; ++by)
      for (int bx = 0; bx < w / 16; ++bx) {
        const int x = bx * 16 + 8, y = by * 16 + 8;
        const unsigned char* p = decoded.rgb.data() + (static_cast<std::size_t>(y) * w + x) * 3;
        const std::uint32_t c = want.At(x, y);
        EXPECT_NEAR(p[0], vell::RedOf(c), 12) << kind.name << " block " << bx << "," << by;
        EXPECT_NEAR(p[1], vell::GreenOf(c), 12) << kind.name << " block " << bx << "," << by;
        EXPECT_NEAR(p[2], vell::BlueOf(c), 12) << kind.name << " block " << bx << "," << by;
      }
  }
}

TEST_F(SaveJpgTest, QualityIsClampedAndChangesTheFile) {
  const TestPicture picture = RandomPicture(64, 64, 4);
  ASSERT_EQ(WriteBmpFile(folder.Path("in.bmp"), picture.View()), FileError::None);
  ASSERT_EQ(Convert(folder.Path("in.bmp"), folder.Path("low.jpg"), -5), savejpg::kSaved);
  ASSERT_EQ(Convert(folder.Path("in.bmp"), folder.Path("one.jpg"), 1), savejpg::kSaved);
  ASSERT_EQ(Convert(folder.Path("in.bmp"), folder.Path("high.jpg"), 1000), savejpg::kSaved);
  ASSERT_EQ(Convert(folder.Path("in.bmp"), folder.Path("hundred.jpg"), 100), savejpg::kSaved);
  EXPECT_EQ(ReadBytes(folder.Path("low.jpg")), ReadBytes(folder.Path("one.jpg")));
  EXPECT_EQ(ReadBytes(folder.Path("high.jpg")), ReadBytes(folder.Path("hundred.jpg")));
  EXPECT_LT(ReadBytes(folder.Path("one.jpg")).size(), ReadBytes(folder.Path("hundred.jpg")).size());
}

TEST_F(SaveJpgTest, MissingOrEmptyPathsAreBadArguments) {
  EXPECT_EQ(savejpg::SavetoJPEG(nullptr, folder.Path("o.jpg").c_str(), 85, 0), savejpg::kBadArgument);
  EXPECT_EQ(savejpg::SavetoJPEG(folder.Path("i.bmp").c_str(), nullptr, 85, 0), savejpg::kBadArgument);
  EXPECT_EQ(savejpg::SavetoJPEG("", folder.Path("o.jpg").c_str(), 85, 0), savejpg::kBadArgument);
  EXPECT_TRUE(folder.Names().empty());
}

TEST_F(SaveJpgTest, MissingSourceIsUnreadable) {
  EXPECT_EQ(Convert(folder.Path("none.bmp"), folder.Path("out.jpg")), savejpg::kSourceUnreadable);
  EXPECT_TRUE(folder.Names().empty());
}

TEST_F(SaveJpgTest, DamagedSourcesAreInvalidAndWriteNothing) {
  const std::string good = HandMadeBmp(40, 30, 24, false, {}, BlockColour);
  std::string truncated = good.substr(0, good.size() - 100);
  std::string huge = good;
  huge[18] = huge[19] = '\xFF';  // width 65535 and more: the pixels cannot be in the file
  huge[22] = huge[23] = '\x7F';
  std::string hugeTopDown = good;
  hugeTopDown[22] = hugeTopDown[23] = '\0';
  hugeTopDown[24] = hugeTopDown[25] = '\x80';  // height -2^31 + ...
  std::string badDepth = good;
  badDepth[28] = 7;
  std::string compressed = good;
  compressed[30] = 1;  // run-length encoding: not read
  std::string badOffset = good;
  badOffset[10] = '\x10';
  badOffset[11] = '\xFF';
  const std::string cases[] = {"",        "BM",       "not a picture at all, just text",
                               truncated, huge,       hugeTopDown,
                               badDepth,  compressed, badOffset};
  for (const std::string& bytes : cases) {
    WriteBytes(folder.Path("in.bmp"), bytes);
    EXPECT_EQ(Convert(folder.Path("in.bmp"), folder.Path("out.jpg")), savejpg::kSourceInvalid)
        << bytes.size();
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"in.bmp"});
  }
}

TEST_F(SaveJpgTest, UnwritableTargetIsReportedAndLeftAsItWas) {
  ASSERT_EQ(WriteBmpFile(folder.Path("in.bmp"), BlockPicture(32, 32).View()), FileError::None);
  EXPECT_EQ(Convert(folder.Path("in.bmp"), folder.Path("gone/out.jpg")), savejpg::kTargetUnwritable);
  std::filesystem::create_directory(folder.Path("dir.jpg"));
  EXPECT_EQ(Convert(folder.Path("in.bmp"), folder.Path("dir.jpg")), savejpg::kTargetUnwritable);
  WriteBytes(folder.Path("old.jpg"), "old");
  MakeReadOnly(folder.Path("old.jpg"));
  EXPECT_EQ(Convert(folder.Path("in.bmp"), folder.Path("old.jpg")), savejpg::kTargetUnwritable);
  EXPECT_EQ(ReadBytes(folder.Path("old.jpg")), "old");
  EXPECT_EQ(folder.Names().size(), 3u);
}

TEST_F(SaveJpgTest, ExistingTargetIsReplacedAndSourceKept) {
  ASSERT_EQ(WriteBmpFile(folder.Path("in.bmp"), BlockPicture(32, 32).View()), FileError::None);
  WriteBytes(folder.Path("out.jpg"), "old");
  ASSERT_EQ(Convert(folder.Path("in.bmp"), folder.Path("out.jpg")), savejpg::kSaved);
  EXPECT_EQ(DecodeJpeg(ReadBytes(folder.Path("out.jpg"))).width, 32);
  EXPECT_EQ(folder.Names().size(), 2u);
}

}  // namespace
}  // namespace snapwell::testing
