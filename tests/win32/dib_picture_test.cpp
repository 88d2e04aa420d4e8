// DIB-backed pictures: the core and GDI see the same pixels, top-down, with red and blue in
// their places, and GDI's BitBlt agrees with ours.
#include "win32/dib_picture_win32.h"

#include <gtest/gtest.h>

#include <random>

#include "raster/block_transfer.h"
#include "unit/raster/raster_test_util.h"

namespace snapwell {
namespace {

using testing::FillRandom;
using testing::kBlue;
using testing::kRed;
using testing::PixelsOf;

// The letter F (red stem, blue arms) at (x, y) on a picture.
void DrawF(Picture& p, int x, int y) {
  BitBlt(p, x, y, 4, 5, testing::LetterF(), 0, 0, RasterOp::kSrcCopy);
}

TEST(DibPictureTest, StartsWhiteWithADcHoldingATopDownSection) {
  Picture p = CreateDibPicture(7, 5);
  ASSERT_EQ(p.Width(), 7);
  ASSERT_EQ(p.Height(), 5);
  HDC dc = PictureDc(p);
  ASSERT_NE(dc, nullptr);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), PictureBitmap(p));
  DIBSECTION section{};
  ASSERT_EQ(GetObject(PictureBitmap(p), sizeof(section), &section), static_cast<int>(sizeof(section)));
  EXPECT_EQ(section.dsBm.bmWidth, 7);
  EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
  EXPECT_EQ(section.dsBm.bmBits, p.View().pixels);
  EXPECT_EQ(p.GetPixel(6, 4), kWhite);
  EXPECT_EQ(GetPixel(dc, 6, 4), RGB(255, 255, 255));
}

TEST(DibPictureTest, GdiReadsWhatTheCoreDrewTopDownWithRedAndBlueInPlace) {
  Picture p = CreateDibPicture(6, 7);
  DrawF(p, 1, 1);
  HDC dc = PictureDc(p);
  EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 0, 0));  // top of the stem
  EXPECT_EQ(GetPixel(dc, 1, 5), RGB(255, 0, 0));  // bottom of the stem
  EXPECT_EQ(GetPixel(dc, 4, 1), RGB(0, 0, 255));  // end of the top arm
  EXPECT_EQ(GetPixel(dc, 4, 3), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc, 3, 3), RGB(0, 0, 255));  // end of the middle arm
}

TEST(DibPictureTest, CoreReadsWhatGdiDrewAfterAFlush) {
  Picture p = CreateDibPicture(5, 4);
  HDC dc = PictureDc(p);
  ASSERT_NE(SetPixel(dc, 0, 0, RGB(255, 0, 0)), static_cast<COLORREF>(-1));
  RECT r{2, 1, 4, 3};
  ScopedGdiObject brush(CreateSolidBrush(RGB(0, 0, 255)));
  FillRect(dc, &r, static_cast<HBRUSH>(brush.Get()));
  GdiFlush();
  EXPECT_EQ(p.GetPixel(0, 0), kRed);
  EXPECT_EQ(p.GetPixel(2, 1), kBlue);
  EXPECT_EQ(p.GetPixel(3, 2), kBlue);
  EXPECT_EQ(p.GetPixel(4, 3), kWhite);
  EXPECT_EQ(p.GetPixel(1, 1), kWhite);
}

// Every raster operation, with blocks reaching beyond either picture on any side; the mask
// operations of the cut-out among them.
TEST(DibPictureTest, GdiBitBltFromItMatchesOursForEveryOperationWithClipping) {
  const DWORD ops[] = {SRCCOPY, SRCPAINT, SRCAND, SRCINVERT, NOTSRCCOPY, DSTINVERT};
  std::mt19937 rng(5);
  for (int round = 0; round < 60; ++round) {
    const DWORD rop = ops[round % 6];
    Picture src = CreateDibPicture(23, 17);
    FillRandom(src, rng());
    Picture viaGdi = CreateDibPicture(19, 21);
    Picture viaCore(19, 21);
    const std::uint32_t seed = rng();
    FillRandom(viaGdi, seed);
    FillRandom(viaCore, seed);
    const int dx = static_cast<int>(rng() % 30) - 8, dy = static_cast<int>(rng() % 30) - 8;
    const int sx = static_cast<int>(rng() % 30) - 5, sy = static_cast<int>(rng() % 30) - 5;
    const int w = 1 + static_cast<int>(rng() % 30), h = 1 + static_cast<int>(rng() % 30);
    ASSERT_TRUE(::BitBlt(PictureDc(viaGdi), dx, dy, w, h, PictureDc(src), sx, sy, rop));
    GdiFlush();
    BitBlt(viaCore, dx, dy, w, h, src, sx, sy, static_cast<RasterOp>(rop));
    ASSERT_EQ(PixelsOf(viaGdi), PixelsOf(viaCore)) << "round " << round << ", op " << std::hex << rop;
  }
}

TEST(DibPictureTest, RasterOpCodesAreTheGdiCodes) {
  EXPECT_EQ(static_cast<DWORD>(RasterOp::kSrcCopy), SRCCOPY);
  EXPECT_EQ(static_cast<DWORD>(RasterOp::kSrcPaint), SRCPAINT);
  EXPECT_EQ(static_cast<DWORD>(RasterOp::kSrcAnd), SRCAND);
  EXPECT_EQ(static_cast<DWORD>(RasterOp::kSrcInvert), SRCINVERT);
  EXPECT_EQ(static_cast<DWORD>(RasterOp::kNotSrcCopy), NOTSRCCOPY);
  EXPECT_EQ(static_cast<DWORD>(RasterOp::kDstInvert), DSTINVERT);
  EXPECT_EQ(static_cast<int>(DrawMode::kBlack), R2_BLACK);
  EXPECT_EQ(static_cast<int>(DrawMode::kContrast), R2_NOTMERGEPEN);
  EXPECT_EQ(static_cast<int>(DrawMode::kInvert), R2_NOT);
  EXPECT_EQ(static_cast<int>(DrawMode::kCopyPen), R2_COPYPEN);
}

TEST(DibPictureTest, ResizeKeepsTheDcAndThePixelsThatRemain) {
  Picture p = CreateDibPicture(6, 7);
  DrawF(p, 0, 0);
  HDC dc = PictureDc(p);
  HBITMAP before = PictureBitmap(p);
  ASSERT_TRUE(p.Resize(10, 3));
  EXPECT_EQ(PictureDc(p), dc);
  EXPECT_NE(PictureBitmap(p), before);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BITMAP), PictureBitmap(p));
  EXPECT_EQ(p.GetPixel(0, 2), kRed);
  EXPECT_EQ(p.GetPixel(3, 0), kBlue);
  EXPECT_EQ(p.GetPixel(9, 2), kWhite);
  EXPECT_EQ(GetPixel(dc, 2, 2), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc, 9, 0), RGB(255, 255, 255));
}

TEST(DibPictureTest, RefusedSizesLeaveAnEmptyPictureThatCanStillGrow) {
  Picture p = CreateDibPicture(100000, 100000);
  EXPECT_TRUE(p.Empty());
  ASSERT_NE(PictureDc(p), nullptr);
  ASSERT_TRUE(p.Resize(3, 2));
  EXPECT_EQ(p.GetPixel(2, 1), kWhite);
  EXPECT_FALSE(p.Resize(-1, 4));
  EXPECT_EQ(p.Width(), 3);
}

TEST(DibPictureTest, PlainPicturesHaveNoDc) {
  Picture p(3, 3);
  EXPECT_EQ(PictureDc(p), nullptr);
  EXPECT_EQ(PictureBitmap(p), nullptr);
}

}  // namespace
}  // namespace snapwell
