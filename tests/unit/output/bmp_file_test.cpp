// Snapwell's own BMP file: header fields, bottom-up padded rows, and safe failure.
#include "output/bmp_file.h"

#include <gtest/gtest.h>

#include "encoder_test_support.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

namespace snapwell::testing {
namespace {

std::uint32_t U16At(const std::string& b, std::size_t at) {
  return static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8);
}
std::uint32_t U32At(const std::string& b, std::size_t at) {
  return U16At(b, at) | (U16At(b, at + 2) << 16);
}

class BmpFileTest : public ::testing::Test {
 protected:
  std::string WriteAndRead(const TestPicture& picture) {
    const std::string path = folder.Path("shot.bmp");
    EXPECT_EQ(WriteBmpFile(path, picture.View()), FileError::None);
    return ReadBytes(path);
  }
  ScratchFolder folder;
};

TEST_F(BmpFileTest, HeadersDescribeA24BitBottomUpPicture) {
  const std::string bytes = WriteAndRead(RandomPicture(5, 3, 1));
  const std::uint32_t rowBytes = 16;  // 15 bytes of pixels padded to 16
  ASSERT_EQ(bytes.size(), 54u + rowBytes * 3);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(U32At(bytes, 2), bytes.size());  // bfSize
  EXPECT_EQ(U32At(bytes, 6), 0u);            // reserved
  EXPECT_EQ(U32At(bytes, 10), 54u);          // bfOffBits
  EXPECT_EQ(U32At(bytes, 14), 40u);          // biSize
  EXPECT_EQ(U32At(bytes, 18), 5u);           // width
  EXPECT_EQ(U32At(bytes, 22), 3u);           // positive height: bottom-up
  EXPECT_EQ(U16At(bytes, 26), 1u);           // planes
  EXPECT_EQ(U16At(bytes, 28), 24u);          // bits per pixel
  EXPECT_EQ(U32At(bytes, 30), 0u);           // BI_RGB
  EXPECT_EQ(U32At(bytes, 34), rowBytes * 3);
  EXPECT_EQ(U32At(bytes, 46), 0u);  // no colour table
}

TEST_F(BmpFileTest, RowsRunBottomUpInBlueGreenRedWithZeroPadding) {
  // Top row: red, blue, blue; bottom row: red, blue, white.
  const std::string red = "\x0A\x1E\xC8", blue = "\xDC\x28\x0A", white = "\xFF\xFF\xFF", pad(3, '\0');
  EXPECT_EQ(WriteAndRead(LetterF(3, 2)).substr(54), red + blue + white + pad + red + blue + blue + pad);
}

// stb_image reads back every pixel, whatever the row padding; the same bytes come from EncodeBmp.
TEST_F(BmpFileTest, OddWidthsRoundTripThroughADecoder) {
  for (int width : {1, 2, 3, 4, 5, 7, 641}) {
    SCOPED_TRACE(width);
    const TestPicture picture = RandomPicture(width, 3, static_cast<unsigned>(width));
    const std::string bytes = WriteAndRead(picture);
    const std::vector<std::uint8_t> encoded = EncodeBmp(picture.View());
    EXPECT_EQ(bytes, std::string(encoded.begin(), encoded.end()));
    int w = 0, h = 0, channels = 0;
    unsigned char* rgb = stbi_load_from_memory(reinterpret_cast<const unsigned char*>(bytes.data()),
                                               static_cast<int>(bytes.size()), &w, &h, &channels, 3);
    ASSERT_NE(rgb, nullptr);
    EXPECT_EQ(w, width);
    EXPECT_EQ(h, 3);
    std::vector<std::uint32_t> decoded;
    for (int i = 0; i < w * h; ++i)
      decoded.push_back(vell::Rgb(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2]));
    stbi_image_free(rgb);
    EXPECT_EQ(decoded, Pixels(picture));
  }
}

TEST_F(BmpFileTest, UnwritableTargetsSayWhyAndKeepWhatIsThere) {
  const TestPicture picture = RandomPicture(4, 4, 1);
  EXPECT_EQ(WriteBmpFile(folder.Path("gone/shot.bmp"), picture.View()), FileError::PathNotFound);
  EXPECT_TRUE(folder.Names().empty());
  std::filesystem::create_directory(folder.Path("dir.bmp"));
  EXPECT_EQ(WriteBmpFile(folder.Path("dir.bmp"), picture.View()), FileError::AccessDenied);
  WriteBytes(folder.Path("old.bmp"), "keep me");
  MakeReadOnly(folder.Path("old.bmp"));
  EXPECT_EQ(WriteBmpFile(folder.Path("old.bmp"), picture.View()), FileError::AccessDenied);
  EXPECT_EQ(ReadBytes(folder.Path("old.bmp")), "keep me");
  EXPECT_EQ(folder.Names().size(), 2u);
}

TEST_F(BmpFileTest, EmptyOrOversizedPictureIsRefusedBeforeAllocating) {
  EXPECT_EQ(WriteBmpFile(folder.Path("shot.bmp"), TestPicture(0, 3).View()), FileError::Other);
  EXPECT_TRUE(EncodeBmp(TestPicture(3, 0).View()).empty());
  // 40000 x 40000 x 3 bytes does not fit the 32-bit size fields; no pixel is ever read.
  const std::uint32_t pixel = 0;
  const vell::ConstPixelView huge(&pixel, 40000, 40000, 40000);
  EXPECT_TRUE(EncodeBmp(huge).empty());
  EXPECT_EQ(WriteBmpFile(folder.Path("huge.bmp"), huge), FileError::Other);
  EXPECT_TRUE(folder.Names().empty());
}

}  // namespace
}  // namespace snapwell::testing
