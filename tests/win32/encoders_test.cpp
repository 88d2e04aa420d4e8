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

// A DIB-section DC holding a seeded picture: flat blocks with a red stroke down the left and a
// blue one along the top (an upside-down or mirrored file shows at once), noise bottom right.
class PictureDc : public snapwell::testing::DibDc {
 public:
  PictureDc(int width, int height, bool topDown) : DibDc(width, height, topDown, 0) {
    std::mt19937 random(static_cast<unsigned>(width * 7 + height));
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
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

// Luma 0.299 R + 0.587 G + 0.114 B, rounded to nearest, ties to even; as grey in all three channels.
std::uint32_t GreyOf(std::uint32_t p) {
  const int sum = 299 * static_cast<int>((p >> 16) & 0xFF) + 587 * static_cast<int>((p >> 8) & 0xFF) +
                  114 * static_cast<int>(p & 0xFF);
  int grey = sum / 1000;
  const int rest = sum % 1000;
  if (rest > 500 || (rest == 500 && (grey & 1))) ++grey;
  return static_cast<std::uint32_t>(grey) * 0x010101u;
}

class EncoderDllTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    vell_ = LoadLibraryA("vell");
    saveJpg_ = LoadLibraryA("SaveJPG");
    ASSERT_NE(vell_, nullptr) << "vell.dll beside the test";
    ASSERT_NE(saveJpg_, nullptr) << "SaveJPG.dll beside the test";
    savePng_ = Export<SaveAsPngFn>(vell_, "SaveAsPNG");
    savePpm_ = Export<SaveAsFn>(vell_, "SaveAsPPM");
    savePgm_ = Export<SaveAsFn>(vell_, "SaveAsPGM");
    saveEps_ = Export<SaveAsFn>(vell_, "SaveAsEPS");
    saveJpeg_ = Export<SavetoJpegFn>(saveJpg_, "SavetoJPEG");
    ASSERT_TRUE(savePng_ && savePpm_ && savePgm_ && saveEps_ && saveJpeg_) << "an export is missing";
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
  static Fn Export(HMODULE module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  }
  // Joined as bytes: std::filesystem would take a narrow name as another code page than the ANSI one.
  std::string Path(const std::string& name) const { return folder_.string() + "\\" + name; }
  std::size_t FileCount() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder_), {}));
  }
  // The file holds exactly the picture's pixels (or their grey), top row first.
  void ExpectExactPixels(const std::string& name, PictureDc& picture, bool grey = false) {
    SCOPED_TRACE(name);
    const Decoded file = Decode(Path(name));
    ASSERT_EQ(file.width, picture.Width());
    ASSERT_EQ(file.height, picture.Height());
    int wrong = 0;
    for (int y = 0; y < picture.Height(); ++y)
      for (int x = 0; x < picture.Width(); ++x)
        wrong += file.At(x, y) != (grey ? GreyOf(picture.At(x, y)) : picture.At(x, y) & 0xFFFFFFu);
    EXPECT_EQ(wrong, 0);
  }

  HMODULE vell_ = nullptr;
  HMODULE saveJpg_ = nullptr;
  SaveAsPngFn savePng_ = nullptr;
  SaveAsFn savePpm_ = nullptr, savePgm_ = nullptr, saveEps_ = nullptr;
  SavetoJpegFn saveJpeg_ = nullptr;
  std::filesystem::path folder_;
};

TEST_P(EncoderDllTest, VellExportsWriteTheDibsPixelsTheRightWayUp) {
  PictureDc picture(37, 23, GetParam());
  savePng_(Path("shot.png").c_str(), picture.Dc(), 0, 0, 37, 23, 0);
  savePpm_(Path("shot.ppm").c_str(), picture.Dc(), 0, 0, 37, 23);
  savePgm_(Path("shot.pgm").c_str(), picture.Dc(), 0, 0, 37, 23);
  saveEps_(Path("shot.eps").c_str(), picture.Dc(), 0, 0, 37, 23);
  ExpectExactPixels("shot.png", picture);
  ExpectExactPixels("shot.ppm", picture);
  ExpectExactPixels("shot.pgm", picture, true);
  const std::string eps = ReadBytes(Path("shot.eps"));
  EXPECT_EQ(eps.rfind("%!PS-Adobe-3.0 EPSF-3.0\n", 0), 0u);
  EXPECT_NE(eps.find("\n%%BoundingBox: 0 0 37 23\n"), std::string::npos);
  EXPECT_NE(eps.find("/ASCII85Decode filter"), std::string::npos);
  EXPECT_NE(eps.find("~>\n"), std::string::npos);
  EXPECT_EQ(eps.substr(eps.size() - 6), "%%EOF\n");
  EXPECT_EQ(FileCount(), 4u);  // no temporary file left
  // A pixel whose unused fourth byte is set (GDI may leave one) is written as its colour.
  picture.At(5, 5) |= 0xFF000000u;
  savePng_(Path("alpha.png").c_str(), picture.Dc(), 0, 0, 37, 23, 0);
  ExpectExactPixels("alpha.png", picture);
}

// Large enough to be compressed in several slices side by side; the old file is replaced.
TEST_P(EncoderDllTest, LargePngReplacesAnExistingFile) {
  PictureDc picture(1200, 800, GetParam());
  std::ofstream(Path("big.png"), std::ios::binary) << "old";
  savePng_(Path("big.png").c_str(), picture.Dc(), 0, 0, 1200, 800, 0);
  ExpectExactPixels("big.png", picture);
  EXPECT_EQ(FileCount(), 1u);
}

TEST_P(EncoderDllTest, JpegFromTheProgramsBmpFileIsCloseToThePicture) {
  PictureDc picture(64, 48, GetParam());
  // The program's BMP file of the same pixels, as the saving step writes it.
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x)
      pixels.push_back(picture.At(x, y));
  ASSERT_EQ(snapwell::WriteBmpFile(Path("_temp.bmp"), vell::ConstPixelView(pixels.data(), 64, 48, 64)),
            snapwell::FileError::None);
  EXPECT_EQ(saveJpeg_(Path("_temp.bmp").c_str(), Path("shot.jpg").c_str(), 85, 0), 1);
  const Decoded file = Decode(Path("shot.jpg"));
  ASSERT_EQ(file.width, 64);
  ASSERT_EQ(file.height, 48);
  // The flat top-left quarter: within a few levels away from the block edges.
  for (int y = 4; y < 24; y += 8)
    for (int x = 4; x < 32; x += 8) {
      const std::uint32_t want = picture.At(x, y), got = file.At(x, y);
      for (int shift : {16, 8, 0})
        EXPECT_NEAR(static_cast<int>((got >> shift) & 0xFF), static_cast<int>((want >> shift) & 0xFF), 24);
    }
}

// A failing writer leaves the cause as the thread's last error, which the message to the user names.
TEST_P(EncoderDllTest, FailuresLeaveNoFileAndKeepAnExistingOne) {
  PictureDc picture(16, 16, GetParam());
  SetLastError(0);
  EXPECT_EQ(savePng_(Path("missing\\shot.png").c_str(), picture.Dc(), 0, 0, 16, 16, 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  const std::vector<std::uint32_t> white(16 * 16, 0xFFFFFFu);
  ASSERT_EQ(snapwell::WriteBmpFile(Path("in.bmp"), vell::ConstPixelView(white.data(), 16, 16, 16)),
            snapwell::FileError::None);
  SetLastError(0);
  EXPECT_EQ(saveJpeg_(Path("in.bmp").c_str(), Path("missing\\shot.jpg").c_str(), 85, 0), -4);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  DeleteFileA(Path("in.bmp").c_str());
  EXPECT_EQ(FileCount(), 0u);
  EXPECT_EQ(saveJpeg_(Path("none.bmp").c_str(), Path("shot.jpg").c_str(), 85, 0), -2);
  std::ofstream(Path("old.bmp"), std::ios::binary) << "not a bitmap";
  std::ofstream(Path("old.jpg"), std::ios::binary) << "old";
  EXPECT_EQ(saveJpeg_(Path("old.bmp").c_str(), Path("old.jpg").c_str(), 85, 0), -3);
  EXPECT_EQ(ReadBytes(Path("old.jpg")), "old");
  SetFileAttributesA(Path("old.jpg").c_str(), FILE_ATTRIBUTE_READONLY);
  SetLastError(0);
  EXPECT_EQ(savePng_(Path("old.jpg").c_str(), picture.Dc(), 0, 0, 16, 16, 0), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(ReadBytes(Path("old.jpg")), "old");
  SetFileAttributesA(Path("old.jpg").c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(FileCount(), 2u);
}

// vell.dll and SaveJPG.dll take ANSI paths; under the UTF-8 code page of Snapwell's manifest
// (this program carries the same setting) such a path names any file, also one longer than the
// 260 characters the ANSI file functions stop at. Every writer of both libraries saves into a
// folder named like the Japanese default output name, deep enough to pass that length.
TEST_P(EncoderDllTest, EveryWriterSavesIntoAFolderWithAJapaneseName) {
  ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8)) << "the manifest's code page";
  const std::string deep = "Snapwell出力ファイル\\" + std::string(220, 'd');
  const std::wstring wideFolder = L"\\\\?\\" + folder_.wstring() + L"\\Snapwell出力ファイル";
  const std::wstring wideDeep = wideFolder + L"\\" + std::wstring(220, L'd');
  ASSERT_TRUE(CreateDirectoryW(wideFolder.c_str(), nullptr) && CreateDirectoryW(wideDeep.c_str(), nullptr));
  const std::string in = Path(deep + "\\画像");
  ASSERT_GT(in.size(), static_cast<std::size_t>(MAX_PATH));
  PictureDc picture(37, 23, GetParam());
  EXPECT_EQ(savePng_((in + ".png").c_str(), picture.Dc(), 0, 0, 37, 23, 0), 1);
  EXPECT_EQ(savePpm_((in + ".ppm").c_str(), picture.Dc(), 0, 0, 37, 23), 1);
  EXPECT_EQ(savePgm_((in + ".pgm").c_str(), picture.Dc(), 0, 0, 37, 23), 1);
  EXPECT_EQ(saveEps_((in + ".eps").c_str(), picture.Dc(), 0, 0, 37, 23), 1);
  std::vector<std::uint32_t> pixels;
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 37; ++x)
      pixels.push_back(picture.At(x, y));
  ASSERT_EQ(snapwell::WriteBmpFile(in + ".bmp", vell::ConstPixelView(pixels.data(), 37, 23, 37)),
            snapwell::FileError::None);
  EXPECT_EQ(saveJpeg_((in + ".bmp").c_str(), (in + ".jpg").c_str(), 85, 0), 1);
  // Each file is there under its UTF-16 name; moved out to a short one, it is read back.
  for (const wchar_t* ext : {L".png", L".ppm", L".pgm", L".eps", L".bmp", L".jpg"}) {
    const std::wstring to = L"\\\\?\\" + folder_.wstring() + L"\\画像" + ext;
    EXPECT_TRUE(MoveFileW((wideDeep + L"\\画像" + ext).c_str(), to.c_str())) << GetLastError();
  }
  ExpectExactPixels("画像.png", picture);
  ExpectExactPixels("画像.ppm", picture);
  ExpectExactPixels("画像.pgm", picture, true);
  ExpectExactPixels("画像.bmp", picture);
  EXPECT_EQ(ReadBytes(Path("画像.eps")).rfind("%!PS-Adobe-3.0 EPSF-3.0\n", 0), 0u);
  EXPECT_EQ(Decode(Path("画像.jpg")).width, 37);
  EXPECT_TRUE(RemoveDirectoryW(wideDeep.c_str()));  // empty: no temporary file left
  EXPECT_TRUE(RemoveDirectoryW(wideFolder.c_str()));
}

INSTANTIATE_TEST_SUITE_P(BothRowOrders, EncoderDllTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "TopDown" : "BottomUp";
                         });

}  // namespace
