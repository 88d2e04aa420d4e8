// DIB-backed pictures: the core and GDI see the same pixels, top-down, with red and blue in
// their places, and GDI's BitBlt agrees with ours.
#include "win32/dib_picture_win32.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "raster/block_transfer.h"

namespace snapwell {
namespace {

constexpr std::uint32_t kRed = 0x00FF0000;
constexpr std::uint32_t kBlue = 0x000000FF;

// The letter F (red stem, blue arms) at (x, y) on a picture.
void DrawF(Picture& p, int x, int y) {
  for (int j = 0; j < 5; ++j)
    p.SetPixel(x, y + j, kRed);
  for (int i = 1; i < 4; ++i)
    p.SetPixel(x + i, y, kBlue);
  for (int i = 1; i < 3; ++i)
    p.SetPixel(x + i, y + 2, kBlue);
}

std::vector<std::uint32_t> PixelsOf(const Picture& p) {
  std::vector<std::uint32_t> out;
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x)
      out.push_back(p.GetPixel(x, y));
  }
  return out;
}

void FillRandom(Picture& p, std::uint32_t seed) {
  std::mt19937 rng(seed);
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x)
      p.SetPixel(x, y, rng() & kColorMask);
  }
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

TEST(DibPictureTest, GdiBitBltFromItMatchesOurSrcCopyWithClipping) {
  std::mt19937 rng(5);
  for (int round = 0; round < 40; ++round) {
    Picture src = CreateDibPicture(23, 17);
    FillRandom(src, rng());
    Picture viaGdi = CreateDibPicture(19, 21);
    Picture viaCore(19, 21);
    const int dx = static_cast<int>(rng() % 30) - 8, dy = static_cast<int>(rng() % 30) - 8;
    const int sx = static_cast<int>(rng() % 30) - 5, sy = static_cast<int>(rng() % 30) - 5;
    // Blocks reaching beyond either picture on any side.
    const int w = 1 + static_cast<int>(rng() % 30), h = 1 + static_cast<int>(rng() % 30);
    ASSERT_TRUE(::BitBlt(PictureDc(viaGdi), dx, dy, w, h, PictureDc(src), sx, sy, SRCCOPY));
    GdiFlush();
    BitBlt(viaCore, dx, dy, w, h, src, sx, sy, RasterOp::kSrcCopy);
    ASSERT_EQ(PixelsOf(viaGdi), PixelsOf(viaCore)) << "round " << round;
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

TEST(DibPictureTest, GdiAgreesWithOurSrcPaintAndSrcAndOnTheMaskColours) {
  // The cut-out combines black/white masks with desktop pixels; GDI must give the same.
  Picture desktop = CreateDibPicture(8, 8);
  FillRandom(desktop, 9);
  for (DWORD rop : {SRCPAINT, SRCAND, SRCINVERT}) {
    Picture viaGdi = CreateDibPicture(8, 8);
    Picture viaCore = CreateDibPicture(8, 8);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        const std::uint32_t c = ((x + y) % 3 == 0) ? kBlack : kWhite;
        viaGdi.SetPixel(x, y, c);
        viaCore.SetPixel(x, y, c);
      }
    }
    ASSERT_TRUE(::BitBlt(PictureDc(viaGdi), 0, 0, 8, 8, PictureDc(desktop), 0, 0, rop));
    GdiFlush();
    BitBlt(viaCore, 0, 0, 8, 8, desktop, 0, 0, static_cast<RasterOp>(rop));
    EXPECT_EQ(PixelsOf(viaGdi), PixelsOf(viaCore)) << std::hex << rop;
  }
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
