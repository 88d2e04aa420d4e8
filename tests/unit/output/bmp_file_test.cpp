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
  const TestPicture picture = LetterF(3, 2);
  const std::string bytes = WriteAndRead(picture);
  ASSERT_EQ(bytes.size(), 54u + 12 * 2);
  for (int fileRow = 0; fileRow < 2; ++fileRow) {
    const int y = 1 - fileRow;
    for (int x = 0; x < 3; ++x) {
      const std::size_t at = 54 + static_cast<std::size_t>(fileRow) * 12 + x * 3;
      EXPECT_EQ(static_cast<unsigned char>(bytes[at]), vell::BlueOf(picture.At(x, y)));
      EXPECT_EQ(static_cast<unsigned char>(bytes[at + 1]), vell::GreenOf(picture.At(x, y)));
      EXPECT_EQ(static_cast<unsigned char>(bytes[at + 2]), vell::RedOf(picture.At(x, y)));
    }
    for (int pad = 9; pad < 12; ++pad)
      EXPECT_EQ(bytes[54 + static_cast<std::size_t>(fileRow) * 12 + pad], '\0');
  }
}

TEST_F(BmpFileTest, OddWidthsRoundTripThroughADecoder) {
  for (int width : {1, 2, 3, 4, 5, 7, 641}) {
    const TestPicture picture = RandomPicture(width, 3, static_cast<unsigned>(width));
    const std::string bytes = WriteAndRead(picture);
    int w = 0, h = 0, channels = 0;
    unsigned char* rgb = stbi_load_from_memory(reinterpret_cast<const unsigned char*>(bytes.data()),
                                               static_cast<int>(bytes.size()), &w, &h, &channels, 3);
    ASSERT_NE(rgb, nullptr) << width;
    ASSERT_EQ(w, width);
    ASSERT_EQ(h, 3);
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < width; ++x) {
        const unsigned char* p = rgb + (static_cast<std::size_t>(y) * width + x) * 3;
        EXPECT_EQ(vell::Rgb(p[0], p[1], p[2]), picture.At(x, y)) << width << ": " << x << "," << y;
      }
    stbi_image_free(rgb);
  }
}

TEST_F(BmpFileTest, EncodedBytesAreTheFileWritten) {
  const TestPicture picture = RandomPicture(7, 5, 9);
  const std::vector<std::uint8_t> encoded = EncodeBmp(picture.View());
  EXPECT_EQ(WriteAndRead(picture), std::string(encoded.begin(), encoded.end()));
}

TEST_F(BmpFileTest, MissingFolderIsReportedAndNothingIsWritten) {
  EXPECT_EQ(WriteBmpFile(folder.Path("gone/shot.bmp"), RandomPicture(4, 4, 1).View()),
            FileError::PathNotFound);
  EXPECT_TRUE(folder.Names().empty());
}

TEST_F(BmpFileTest, FolderOrReadOnlyFileInTheWayIsAccessDenied) {
  std::filesystem::create_directory(folder.Path("dir.bmp"));
  EXPECT_EQ(WriteBmpFile(folder.Path("dir.bmp"), RandomPicture(4, 4, 1).View()), FileError::AccessDenied);
  WriteBytes(folder.Path("old.bmp"), "keep me");
  MakeReadOnly(folder.Path("old.bmp"));
  EXPECT_EQ(WriteBmpFile(folder.Path("old.bmp"), RandomPicture(4, 4, 1).View()), FileError::AccessDenied);
  EXPECT_EQ(ReadBytes(folder.Path("old.bmp")), "keep me");
  EXPECT_EQ(folder.Names().size(), 2u);
}

TEST_F(BmpFileTest, EmptyPictureIsRefused) {
  EXPECT_EQ(WriteBmpFile(folder.Path("shot.bmp"), TestPicture(0, 3).View()), FileError::Other);
  EXPECT_TRUE(EncodeBmp(TestPicture(3, 0).View()).empty());
  EXPECT_TRUE(folder.Names().empty());
}

TEST_F(BmpFileTest, PictureTooLargeForTheFormatIsRefusedBeforeAllocating) {
  // 40000 x 40000 x 3 bytes does not fit the 32-bit size fields; no pixel is ever read.
  const std::uint32_t pixel = 0;
  const vell::ConstPixelView huge(&pixel, 40000, 40000, 40000);
  EXPECT_TRUE(EncodeBmp(huge).empty());
  EXPECT_EQ(WriteBmpFile(folder.Path("huge.bmp"), huge), FileError::Other);
  EXPECT_TRUE(folder.Names().empty());
}

}  // namespace
}  // namespace snapwell::testing
