#include "imaging/imaging.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <numbers>
#include <string>

#include "raster/picture.h"

namespace snapwell {
namespace {

namespace fs = std::filesystem;

class ImagingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir =
        fs::temp_directory_path() /
        ("snapwell_imaging_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  static std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  // An "F": red stem, blue bars, on white.
  static Picture LetterF(int w, int h) {
    Picture p(w, h);
    for (int y = 0; y < h; ++y)
      p.SetPixel(0, y, 0xC81E1E);
    for (int x = 0; x < w; ++x)
      p.SetPixel(x, 0, 0x1428DC);
    for (int x = 0; x <= w / 2; ++x)
      p.SetPixel(x, h / 2, 0x1428DC);
    return p;
  }

  fs::path dir;
  std::unique_ptr<Imaging> imaging = CreateImaging();
};

TEST_F(ImagingTest, RollBitBltTurnsPicturesAndKeepsUncoveredPixels) {
  const Picture f = LetterF(5, 7);
  Picture canvas(9, 7);  // wider than the turned picture: the two extra columns stay white
  canvas.FillRect(0, 0, 9, 7, 0x123456);
  ASSERT_TRUE(imaging->RollBitBlt(canvas, 3.0, 2.0, 7, 5, std::numbers::pi / 2, f, 2.0, 3.0, 1,
                                  RollRect{0, 0, 4, 6}));
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 7; ++j)
      EXPECT_EQ(canvas.GetPixel(7 - 1 - j, i), f.GetPixel(i, j));
  }
  EXPECT_EQ(canvas.GetPixel(8, 0), 0x123456u);
  EXPECT_EQ(canvas.GetPixel(0, 6), 0x123456u);
}

TEST_F(ImagingTest, EnlargeAndReduceWriteTheScaledBlockAtTheOrigin) {
  Picture src(20, 20);
  src.FillRect(4, 6, 3, 2, 0x00FF00);
  Picture big(12, 12);
  ASSERT_TRUE(imaging->EnlargeBitBlt(big, 0, 0, 3, 2, src, 4, 6, 2.0, 1));
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x)
      EXPECT_EQ(big.GetPixel(x, y), (x < 6 && y < 4) ? 0x00FF00u : kWhite) << x << "," << y;
  }
  Picture small(12, 12);
  src.FillRect(0, 0, 4, 4, 0x000000);
  src.SetPixel(1, 1, kWhite);
  ASSERT_TRUE(imaging->ReductBitBlt(small, 0, 0, 4, 4, src, 0, 0, 0.5));
  EXPECT_EQ(small.GetPixel(0, 0), vell::Rgb(64, 64, 64));  // one white pixel in four
  EXPECT_EQ(small.GetPixel(1, 1), 0x000000u);
  EXPECT_EQ(small.GetPixel(2, 0), kWhite);
}

TEST_F(ImagingTest, DrawArcInvertedTwiceRestoresThePicture) {
  Picture p = LetterF(30, 20);
  ASSERT_TRUE(imaging->DrawArc(p, 2, 2, 27, 17, 0, 0, 0, 0, 0, 6));
  EXPECT_EQ(p.GetPixel(2, 10), ~0x1428DCu & kColorMask);  // the left end of the ellipse, on the middle bar
  ASSERT_TRUE(imaging->DrawArc(p, 2, 2, 27, 17, 0, 0, 0, 0, 0, 6));
  EXPECT_EQ(p.GetPixel(2, 10), 0x1428DCu);
}

TEST_F(ImagingTest, SaveAsPpmWritesTheBlockAndFailuresWriteNothing) {
  Picture p(6, 4);
  p.SetPixel(1, 1, vell::Rgb(10, 20, 30));
  const fs::path out = dir / "shot.ppm";
  ASSERT_TRUE(imaging->SaveAsPPM(out.string(), p, 1, 1, 2, 2));
  const std::string data = ReadAll(out);
  ASSERT_GE(data.size(), 12u);
  EXPECT_EQ(data.substr(0, 2), "P6");
  EXPECT_EQ(data.substr(data.size() - 12, 3), std::string("\x0A\x14\x1E", 3));  // first pixel: (1, 1)

  EXPECT_FALSE(imaging->SaveAsPNG((dir / "none.png").string(), p, 10, 10, 5, 5, 0));
  EXPECT_FALSE(imaging->SaveAsEPS("", p, 0, 0, 6, 4));
  EXPECT_FALSE(fs::exists(dir / "none.png"));
  EXPECT_NE(imaging->SavetoJPEG((dir / "missing.bmp").string(), (dir / "out.jpg").string(), 85, 0), 1);
  EXPECT_FALSE(fs::exists(dir / "out.jpg"));
}

TEST_F(ImagingTest, EveryWriterLeavesACompleteFile) {
  const Picture f = LetterF(9, 11);
  EXPECT_TRUE(imaging->SaveAsPNG((dir / "a.png").string(), f, 0, 0, 9, 11, 0));
  EXPECT_TRUE(imaging->SaveAsEPS((dir / "a.eps").string(), f, 0, 0, 9, 11));
  EXPECT_TRUE(imaging->SaveAsPGM((dir / "a.pgm").string(), f, 0, 0, 9, 11));
  EXPECT_EQ(ReadAll(dir / "a.png").substr(1, 3), "PNG");
  EXPECT_EQ(ReadAll(dir / "a.eps").substr(0, 4), "%!PS");
  EXPECT_EQ(ReadAll(dir / "a.pgm").substr(0, 2), "P5");
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir))
    ++files;
  EXPECT_EQ(files, 3u);  // no temporary files left behind
}

TEST(ImagingErrorTest, NamesTheLibraryAndTheFunction) {
  const ImagingError missingLibrary(ImagingError::Kind::kLibraryNotFound, "vell", "RollBitBlt");
  EXPECT_STREQ(missingLibrary.what(), "The library \"vell\" needed for \"RollBitBlt\" could not be loaded.");
  EXPECT_EQ(missingLibrary.Number(), 53);
  const ImagingError missingFunction(ImagingError::Kind::kFunctionNotFound, "SaveJPG", "SavetoJPEG");
  EXPECT_STREQ(missingFunction.what(),
               "The function \"SavetoJPEG\" of the library \"SaveJPG\" could not be found.");
  EXPECT_EQ(missingFunction.Number(), 453);
  EXPECT_EQ(missingFunction.Library(), "SaveJPG");
  EXPECT_EQ(missingFunction.Function(), "SavetoJPEG");
}

}  // namespace
}  // namespace snapwell
