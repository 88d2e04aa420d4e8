// The encoders as Snapwell meets them: SaveAsEPS/PPM/PGM/PNG of vell.dll and SavetoJPEG of
// SaveJPG.dll, loaded and found by name, writing pictures held by DIB sections in memory DCs;
// the files are read back with stb_image.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "output/bmp_file.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>

#include "win32/dib_dc.h"

namespace {

using SaveAsFn = int(__stdcall*)(const char*, HDC, int, int, int, int);
using SaveAsPngFn = int(__stdcall*)(const char*, HDC, int, int, int, int, int);
using SavetoJpegFn = short(__stdcall*)(const char*, const char*, int, int);

// A DIB-section DC holding a seeded picture.
class PictureDc : public snapwell::testing::DibDc {
 public:
  PictureDc(int width, int height, bool topDown) : DibDc(width, height, topDown, 0) {
    std::mt19937 random(static_cast<unsigned>(width * 7 + height));
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        // Flat blocks with a red stroke down the left and a blue one along the top: an
        // upside-down or mirrored file shows at once.
        std::uint32_t p = ((x / 8 + y / 8) % 2) ? 0x20A040u : 0xF0E0D0u;
        if (x == 0) p = 0xC81E1Eu;
        if (y == 0) p = 0x1428DCu;
        if (x > width / 2 && y > height / 2) p = random() & 0xFFFFFFu;
        At(x, y) = p;
      }
  }
};

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Decoded {
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
  std::uint32_t At(int x, int y) const {
    const unsigned char* p = rgb.data() + (static_cast<std::size_t>(y) * width + x) * 3;
    return (static_cast<std::uint32_t>(p[0]) << 16) | (p[1] << 8) | p[2];
  }
};

Decoded Decode(const std::string& path) {
  const std::string bytes = ReadBytes(path);
  Decoded d;
  int channels = 0;
  unsigned char* data =
      stbi_load_from_memory(reinterpret_cast<const unsigned char*>(bytes.data()),
                            static_cast<int>(bytes.size()), &d.width, &d.height, &channels, 3);
  if (data != nullptr) {
    d.rgb.assign(data, data + static_cast<std::size_t>(d.width) * d.height * 3);
    stbi_image_free(data);
  }
  return d;
}

int GreyOf(std::uint32_t p) {
  const int sum = 299 * static_cast<int>((p >> 16) & 0xFF) + 587 * static_cast<int>((p >> 8) & 0xFF) +
                  114 * static_cast<int>(p & 0xFF);
  int grey = sum / 1000;
  const int rest = sum % 1000;
  if (rest > 500 || (rest == 500 && (grey & 1))) ++grey;
  return grey;
}

class EncoderDllTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    vell_ = LoadLibraryA("vell");
    saveJpg_ = LoadLibraryA("SaveJPG");
    ASSERT_NE(vell_, nullptr) << "vell.dll beside the test";
    ASSERT_NE(saveJpg_, nullptr) << "SaveJPG.dll beside the test";
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder_ = std::filesystem::path(temp) / ("snapwell-enc-" + std::to_string(GetCurrentProcessId()) + "-" +
                                             std::to_string(GetTickCount64()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    if (saveJpg_ != nullptr) FreeLibrary(saveJpg_);
    if (vell_ != nullptr) FreeLibrary(vell_);
  }
  template <typename Fn>
  Fn Export(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_))
      names.push_back(entry.path().filename().string());
    return names;
  }
  void ExpectExactPixels(const Decoded& file, PictureDc& picture) {
    ASSERT_EQ(file.width, picture.Width());
    ASSERT_EQ(file.height, picture.Height());
    int wrong = 0;
    for (int y = 0; y < picture.Height(); ++y)
      for (int x = 0; x < picture.Width(); ++x)
        wrong += file.At(x, y) != picture.At(x, y);
    EXPECT_EQ(wrong, 0);
  }

  HMODULE vell_ = nullptr;
  HMODULE saveJpg_ = nullptr;
  std::filesystem::path folder_;
};

TEST_P(EncoderDllTest, PngAndPpmHoldTheExactPixelsTheRightWayUp) {
  PictureDc picture(37, 23, GetParam());
  auto savePng = Export<SaveAsPngFn>(vell_, "SaveAsPNG");
  auto savePpm = Export<SaveAsFn>(vell_, "SaveAsPPM");
  ASSERT_NE(savePng, nullptr);
  ASSERT_NE(savePpm, nullptr);
  savePng(Path("shot.png").c_str(), picture.Dc(), 0, 0, 37, 23, 0);
  savePpm(Path("shot.ppm").c_str(), picture.Dc(), 0, 0, 37, 23);
  ExpectExactPixels(Decode(Path("shot.png")), picture);
  ExpectExactPixels(Decode(Path("shot.ppm")), picture);
  EXPECT_EQ(Names().size(), 2u);  // no temporary file left
}

// Large enough to be compressed in several slices side by side; the old file is replaced.
TEST_P(EncoderDllTest, LargePngReplacesAnExistingFile) {
  PictureDc picture(1200, 800, GetParam());
  auto savePng = Export<SaveAsPngFn>(vell_, "SaveAsPNG");
  ASSERT_NE(savePng, nullptr);
  std::ofstream(Path("big.png"), std::ios::binary) << "old";
  savePng(Path("big.png").c_str(), picture.Dc(), 0, 0, 1200, 800, 0);
  ExpectExactPixels(Decode(Path("big.png")), picture);
  EXPECT_EQ(Names().size(), 1u);
}

TEST_P(EncoderDllTest, PgmHoldsTheLumaOfEveryPixel) {
  PictureDc picture(20, 9, GetParam());
  auto savePgm = Export<SaveAsFn>(vell_, "SaveAsPGM");
  ASSERT_NE(savePgm, nullptr);
  savePgm(Path("grey.pgm").c_str(), picture.Dc(), 0, 0, 20, 9);
  const Decoded file = Decode(Path("grey.pgm"));
  ASSERT_EQ(file.width, 20);
  ASSERT_EQ(file.height, 9);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 20; ++x)
      EXPECT_EQ(static_cast<int>(file.At(x, y) & 0xFF), GreyOf(picture.At(x, y)));
}

TEST_P(EncoderDllTest, EpsHasItsHeaderAndBoundingBox) {
  PictureDc picture(31, 17, GetParam());
  auto saveEps = Export<SaveAsFn>(vell_, "SaveAsEPS");
  ASSERT_NE(saveEps, nullptr);
  saveEps(Path("shot.eps").c_str(), picture.Dc(), 0, 0, 31, 17);
  const std::string text = ReadBytes(Path("shot.eps"));
  EXPECT_EQ(text.rfind("%!PS-Adobe-3.0 EPSF-3.0\n", 0), 0u);
  EXPECT_NE(text.find("\n%%BoundingBox: 0 0 31 17\n"), std::string::npos);
  EXPECT_NE(text.find("/ASCII85Decode filter"), std::string::npos);
  EXPECT_NE(text.find("~>\n"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 6), "%%EOF\n");
}

TEST_P(EncoderDllTest, JpegFromTheProgramsBmpFileIsCloseToThePicture) {
  PictureDc picture(64, 48, GetParam());
  auto saveJpeg = Export<SavetoJpegFn>(saveJpg_, "SavetoJPEG");
  ASSERT_NE(saveJpeg, nullptr);
  // The program's BMP file of the same pixels, as the saving step writes it.
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x)
      pixels.push_back(picture.At(x, y));
  ASSERT_EQ(snapwell::WriteBmpFile(Path("_temp.bmp"), vell::ConstPixelView(pixels.data(), 64, 48, 64)),
            snapwell::FileError::None);
  EXPECT_EQ(saveJpeg(Path("_temp.bmp").c_str(), Path("shot.jpg").c_str(), 85, 0), 1);
  const Decoded file = Decode(Path("shot.jpg"));
  ASSERT_EQ(file.width, 64);
  ASSERT_EQ(file.height, 48);
  // The flat top-left quarter: within a few levels away from the block edges.
  for (int y = 2; y < 24; y += 8)
    for (int x = 2; x < 32; x += 8) {
      const std::uint32_t want = picture.At(x + 2, y + 2), got = file.At(x + 2, y + 2);
      for (int shift : {16, 8, 0})
        EXPECT_NEAR(static_cast<int>((got >> shift) & 0xFF), static_cast<int>((want >> shift) & 0xFF), 24);
    }
}

TEST_P(EncoderDllTest, FailuresLeaveNoFileAndKeepAnExistingOne) {
  PictureDc picture(16, 16, GetParam());
  auto savePng = Export<SaveAsPngFn>(vell_, "SaveAsPNG");
  auto saveJpeg = Export<SavetoJpegFn>(saveJpg_, "SavetoJPEG");
  ASSERT_NE(savePng, nullptr);
  ASSERT_NE(saveJpeg, nullptr);
  savePng(Path("missing\\shot.png").c_str(), picture.Dc(), 0, 0, 16, 16, 0);
  EXPECT_TRUE(Names().empty());
  EXPECT_EQ(saveJpeg(Path("none.bmp").c_str(), Path("shot.jpg").c_str(), 85, 0), -2);
  std::ofstream(Path("old.bmp"), std::ios::binary) << "not a bitmap";
  std::ofstream(Path("old.jpg"), std::ios::binary) << "old";
  EXPECT_EQ(saveJpeg(Path("old.bmp").c_str(), Path("old.jpg").c_str(), 85, 0), -3);
  EXPECT_EQ(ReadBytes(Path("old.jpg")), "old");
  SetFileAttributesA(Path("old.jpg").c_str(), FILE_ATTRIBUTE_READONLY);
  savePng(Path("old.jpg").c_str(), picture.Dc(), 0, 0, 16, 16, 0);
  EXPECT_EQ(ReadBytes(Path("old.jpg")), "old");
  SetFileAttributesA(Path("old.jpg").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(Names().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(BothRowOrders, EncoderDllTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "TopDown" : "BottomUp";
                         });

}  // namespace
