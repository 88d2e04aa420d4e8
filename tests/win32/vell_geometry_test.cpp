// vell.dll as Snapwell meets it: loaded by name, every export found by name, the geometry
// exports run on device contexts of top-down and bottom-up DIB sections.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <numbers>
#include <string>

#include "imaging/imaging.h"
#include "raster/picture.h"
#include "win32/dib_picture_win32.h"

#include "win32/dib_dc.h"

namespace {

using RollBitBltFn = int(__stdcall*)(HDC, double, double, int, int, double, HDC, double, double, int, RECT*);
using EnlargeBitBltFn = int(__stdcall*)(HDC, int, int, int, int, HDC, int, int, double, int);
using ReductBitBltFn = int(__stdcall*)(HDC, int, int, int, int, HDC, int, int, double);
using DrawArcFn = int(__stdcall*)(HDC, int, int, int, int, int, int, int, int, COLORREF, int);
using SavePngFn = int(__stdcall*)(const char*, HDC, int, int, int, int, int);

using snapwell::testing::DibDc;

// An "F" in two colours on light grey.
void PaintF(DibDc& dib, int w, int h) {
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x)
      dib.At(x, y) = 0xF0F0F0;
  }
  for (int y = 0; y < h; ++y)
    dib.At(0, y) = 0xC81E1E;
  for (int x = 0; x < w; ++x)
    dib.At(x, 0) = 0x1428DC;
  for (int x = 0; x <= w / 2; ++x)
    dib.At(x, h / 2) = 0x1428DC;
}

class VellDllTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    module = LoadLibraryA("vell");
    ASSERT_NE(module, nullptr) << "vell.dll must sit beside the test executable";
  }
  void TearDown() override {
    if (module != nullptr) FreeLibrary(module);
  }
  template <typename Fn>
  Fn Get(const char* name) {
    auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    EXPECT_NE(fn, nullptr) << name;
    return fn;
  }
  bool TopDown() const { return GetParam(); }

  HMODULE module = nullptr;
};

TEST_P(VellDllTest, RollBitBltTurnsAQuarterExactlyAndLeavesTheRest) {
  DibDc src(5, 7, TopDown(), 0), dst(9, 6, !TopDown(), 0x123456);
  PaintF(src, 5, 7);
  auto roll = Get<RollBitBltFn>("RollBitBlt");
  ASSERT_NE(roll, nullptr);
  RECT rect{0, 0, 4, 6};
  EXPECT_EQ(roll(dst.Dc(), 3.0, 2.0, 7, 5, std::numbers::pi / 2, src.Dc(), 2.0, 3.0, 1, &rect), 1);
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 7; ++j)
      EXPECT_EQ(dst.At(7 - 1 - j, i), src.At(i, j)) << i << "," << j;
  }
  EXPECT_EQ(dst.At(8, 0), 0x123456u);
  EXPECT_EQ(dst.At(0, 5), 0x123456u);
}

TEST_P(VellDllTest, EnlargeAndReduceScaleIntoTheDestinationCorner) {
  DibDc src(8, 8, TopDown(), 0xFFFFFF), dst(10, 10, !TopDown(), 0x123456);
  src.At(2, 3) = 0x0000FF;
  src.At(3, 3) = 0x00FF00;
  ASSERT_EQ(Get<EnlargeBitBltFn>("EnlargeBitBlt")(dst.Dc(), 0, 0, 2, 1, src.Dc(), 2, 3, 2.0, 0), 1);
  EXPECT_EQ(dst.At(0, 0), 0x0000FFu);
  EXPECT_EQ(dst.At(1, 1), 0x0000FFu);
  EXPECT_EQ(dst.At(2, 0), 0x00FF00u);
  EXPECT_EQ(dst.At(3, 1), 0x00FF00u);
  EXPECT_EQ(dst.At(4, 0), 0x123456u);
  EXPECT_EQ(dst.At(0, 2), 0x123456u);

  DibDc checker(4, 4, TopDown(), 0), small(4, 4, TopDown(), 0x123456);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x)
      checker.At(x, y) = ((x + y) % 2) ? 0x000000 : 0xC86432;
  }
  ASSERT_EQ(Get<ReductBitBltFn>("ReductBitBlt")(small.Dc(), 0, 0, 4, 4, checker.Dc(), 0, 0, 0.5), 1);
  EXPECT_EQ(small.At(0, 0), 0x643219u);
  EXPECT_EQ(small.At(1, 1), 0x643219u);
  EXPECT_EQ(small.At(2, 2), 0x123456u);
}

TEST_P(VellDllTest, DrawArcDrawsTheLowerRightQuarterInThePenColour) {
  DibDc dib(60, 40, TopDown(), 0xFFFFFF);
  auto arc = Get<DrawArcFn>("DrawArc");
  ASSERT_EQ(arc(dib.Dc(), 10, 10, 50, 30, 50, 20, 30, 30, 0x0000FF, 13), 1);
  int drawn = 0;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 60; ++x) {
      if (dib.At(x, y) == 0xFFFFFFu) continue;
      ++drawn;
      EXPECT_EQ(dib.At(x, y), 0xFF0000u);  // COLORREF red
      EXPECT_TRUE(x >= 30 && y >= 20) << x << "," << y;
    }
  }
  EXPECT_GT(drawn, 20);
  EXPECT_EQ(dib.At(50, 20), 0xFF0000u);
  EXPECT_EQ(dib.At(30, 30), 0xFF0000u);
}

TEST_P(VellDllTest, SaveAsPngWritesTheDcBlock) {
  DibDc dib(7, 5, TopDown(), 0x336699);
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("vell_test_" + std::to_string(GetCurrentProcessId()) + ".png"))
                               .string();
  ASSERT_EQ(Get<SavePngFn>("SaveAsPNG")(path.c_str(), dib.Dc(), 0, 0, 7, 5, 0), 1);
  EXPECT_GT(std::filesystem::file_size(path), 8u);
  std::filesystem::remove(path);
  EXPECT_EQ(Get<SavePngFn>("SaveAsPNG")(path.c_str(), nullptr, 0, 0, 7, 5, 0), 0);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_P(VellDllTest, BadArgumentsAreRefusedWithoutHarm) {
  DibDc dib(6, 6, TopDown(), 0x123456);
  EXPECT_EQ(Get<RollBitBltFn>("RollBitBlt")(dib.Dc(), 1, 1, 6, 6, 0.5, dib.Dc(), 1, 1, 1, nullptr), 0);
  EXPECT_EQ(Get<EnlargeBitBltFn>("EnlargeBitBlt")(dib.Dc(), 0, 0, 3, 3, dib.Dc(), 0, 0, 1e9, 1), 0);
  EXPECT_EQ(Get<ReductBitBltFn>("ReductBitBlt")(nullptr, 0, 0, 3, 3, dib.Dc(), 0, 0, 0.5), 0);
  EXPECT_EQ(Get<DrawArcFn>("DrawArc")(dib.Dc(), 0, 0, 5, 5, 0, 0, 0, 0, 0, 99), 0);
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(dib.At(x, y), 0x123456u);
  }
}

INSTANTIATE_TEST_SUITE_P(RowOrders, VellDllTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? std::string("TopDown") : std::string("BottomUp");
                         });

TEST(VellExportsTest, EveryFunctionIsExportedByName) {
  HMODULE vell = LoadLibraryA("vell");
  ASSERT_NE(vell, nullptr);
  for (const char* name : {"RollBitBlt", "EnlargeBitBlt", "ReductBitBlt", "DrawArc", "SaveAsEPS", "SaveAsPPM",
                           "SaveAsPGM", "SaveAsPNG"}) {
    EXPECT_NE(GetProcAddress(vell, name), nullptr) << name;
  }
  FreeLibrary(vell);
}

// The program's binding: Pictures handed to the DLL, missing pieces reported by name.
TEST(ImagingBindingTest, CallsTheDllOnPictures) {
  auto imaging = snapwell::CreateImaging();
  snapwell::Picture src(4, 2), dst(8, 4);
  src.SetPixel(1, 0, 0x0000FF);
  ASSERT_TRUE(imaging->EnlargeBitBlt(dst, 0, 0, 4, 2, src, 0, 0, 2.0, 0));
  EXPECT_EQ(dst.GetPixel(2, 0), 0x0000FFu);
  EXPECT_EQ(dst.GetPixel(3, 1), 0x0000FFu);
  EXPECT_EQ(dst.GetPixel(4, 0), snapwell::kWhite);
  ASSERT_TRUE(imaging->DrawArc(dst, 0, 0, 7, 3, 0, 0, 0, 0, 0, 1));
  EXPECT_EQ(dst.GetPixel(0, 1), snapwell::kBlack);
}

TEST(ImagingBindingTest, DibPicturesGoToTheDllByTheirOwnDc) {
  auto imaging =
      snapwell::CreateImaging({}, [](const snapwell::Picture& p) -> void* { return snapwell::PictureDc(p); });
  snapwell::Picture src = snapwell::CreateDibPicture(5, 7);
  snapwell::Picture dst = snapwell::CreateDibPicture(9, 6);
  snapwell::Picture plain(5, 7);
  ASSERT_NE(snapwell::PictureDc(src), nullptr);
  for (snapwell::Picture* p : {&src, &plain}) {
    p->FillRect(0, 0, 1, 7, 0xC81E1E);
    p->FillRect(0, 0, 5, 1, 0x1428DC);
  }
  dst.FillRect(0, 0, 9, 6, 0x123456);
  ASSERT_TRUE(
      imaging->RollBitBlt(dst, 3.0, 2.0, 7, 5, -std::numbers::pi / 2, src, 2.0, 3.0, 0, {0, 0, 4, 6}));
  for (int i = 0; i < 5; ++i) {
    for (int j = 0; j < 7; ++j)
      EXPECT_EQ(dst.GetPixel(j, 5 - 1 - i), src.GetPixel(i, j)) << i << "," << j;
  }
  EXPECT_EQ(dst.GetPixel(8, 3), 0x123456u);

  // A DIB picture and a plain one as source give the same result.
  snapwell::Picture fromDib = snapwell::CreateDibPicture(12, 16), fromPlain(12, 16);
  ASSERT_TRUE(imaging->EnlargeBitBlt(fromDib, 0, 0, 5, 7, src, 0, 0, 2.2, 1));
  ASSERT_TRUE(imaging->EnlargeBitBlt(fromPlain, 0, 0, 5, 7, plain, 0, 0, 2.2, 1));
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 12; ++x)
      EXPECT_EQ(fromDib.GetPixel(x, y), fromPlain.GetPixel(x, y)) << x << "," << y;
  }
}

TEST(ImagingBindingTest, MissingLibraryOrFunctionIsAnErrorNamingBoth) {
  auto noLibrary = snapwell::CreateImaging({"no_such_vell", "no_such_savejpg"});
  snapwell::Picture p(4, 4);
  try {
    noLibrary->DrawArc(p, 0, 0, 3, 3, 0, 0, 0, 0, 0, 1);
    FAIL() << "no error raised";
  } catch (const snapwell::ImagingError& e) {
    EXPECT_EQ(e.Library(), "no_such_vell");
    EXPECT_EQ(e.Function(), "DrawArc");
    EXPECT_EQ(e.Number(), 53);
  }
  // A library that lacks the function: kernel32 has no RollBitBlt.
  auto wrongLibrary = snapwell::CreateImaging({"kernel32", "kernel32"});
  try {
    wrongLibrary->RollBitBlt(p, 1.5, 1.5, 4, 4, 0.3, p, 1.5, 1.5, 1, {0, 0, 3, 3});
    FAIL() << "no error raised";
  } catch (const snapwell::ImagingError& e) {
    EXPECT_EQ(e.Function(), "RollBitBlt");
    EXPECT_EQ(e.Number(), 453);
    EXPECT_NE(std::string(e.what()).find("kernel32"), std::string::npos);
  }
  EXPECT_THROW(wrongLibrary->SavetoJPEG("a.bmp", "a.jpg", 85, 0), snapwell::ImagingError);
}

// The binding reads why a writer failed from the last error the library left.
TEST(ImagingBindingTest, FailedWriterTellsTheSystemsCause) {
  auto imaging = snapwell::CreateImaging();
  snapwell::Picture p(4, 4);
  const std::string missing = (std::filesystem::temp_directory_path() / "snapwell-no-such-folder").string();
  EXPECT_FALSE(imaging->SaveAsPNG(missing + "\\shot.png", p, 0, 0, 4, 4, 0));
  EXPECT_EQ(imaging->LastSaveFailure().kind, vell::FileError::PathNotFound);
  EXPECT_EQ(imaging->LastSaveFailure().systemCode, static_cast<unsigned long>(ERROR_PATH_NOT_FOUND));
  const std::string badName = (std::filesystem::temp_directory_path() / "bad?name.eps").string();
  EXPECT_FALSE(imaging->SaveAsEPS(badName, p, 0, 0, 4, 4));
  EXPECT_EQ(imaging->LastSaveFailure().kind, vell::FileError::BadName);
}

}  // namespace
