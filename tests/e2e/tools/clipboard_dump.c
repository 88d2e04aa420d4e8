/* Reads the picture on the clipboard through the Win32 clipboard API, for the end-to-end tests:
 * writes the CF_DIB as a 24-bit BMP file (argv[1]) and the registered "PNG" format as is
 * (argv[2]), and prints the formats it found. Exit 1 when no picture is on the clipboard. */
#include <stdio.h>
#include <string.h>
#include <windows.h>

static int WriteBmp(const char* path, const BITMAPINFOHEADER* dib) {
  const int w = dib->biWidth, h = dib->biHeight < 0 ? -dib->biHeight : dib->biHeight;
  const int bits = dib->biBitCount, srcRow = ((w * bits + 31) / 32) * 4, dstRow = (w * 3 + 3) & ~3;
  const unsigned char* src = (const unsigned char*)dib + dib->biSize +
                             (dib->biCompression == BI_BITFIELDS ? 12 : 0);
  FILE* f;
  BITMAPFILEHEADER fh = {0};
  BITMAPINFOHEADER ih = {0};
  unsigned char row[65536 * 3];
  if ((bits != 32 && bits != 24) || w <= 0 || w > 65536 || h <= 0) return 0;
  f = fopen(path, "wb");
  if (f == NULL) return 0;
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + (DWORD)dstRow * h;
  ih.biSize = sizeof ih;
  ih.biWidth = w;
  ih.biHeight = h;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  fwrite(&fh, sizeof fh, 1, f);
  fwrite(&ih, sizeof ih, 1, f);
  for (int y = 0; y < h; ++y) { /* bottom-up out */
    const int srcY = dib->biHeight < 0 ? h - 1 - y : y;
    const unsigned char* s = src + (size_t)srcRow * srcY;
    memset(row, 0, (size_t)dstRow);
    for (int x = 0; x < w; ++x) memcpy(row + x * 3, s + x * (bits / 8), 3);
    fwrite(row, 1, (size_t)dstRow, f);
  }
  return fclose(f) == 0;
}

int main(int argc, char** argv) {
  int ok = 0;
  UINT png = RegisterClipboardFormatA("PNG");
  if (argc < 3 || !OpenClipboard(NULL)) return 2;
  if (IsClipboardFormatAvailable(CF_BITMAP)) puts("CF_BITMAP");
  HANDLE dib = GetClipboardData(CF_DIB);
  if (dib != NULL) {
    puts("CF_DIB");
    const BITMAPINFOHEADER* header = (const BITMAPINFOHEADER*)GlobalLock(dib);
    ok = header != NULL && WriteBmp(argv[1], header);
    if (header != NULL) GlobalUnlock(dib);
  }
  HANDLE data = GetClipboardData(png);
  if (data != NULL) {
    const void* bytes = GlobalLock(data);
    FILE* f = fopen(argv[2], "wb");
    if (bytes != NULL && f != NULL) {
      fwrite(bytes, 1, GlobalSize(data), f);
      puts("PNG");
    }
    if (f != NULL) fclose(f);
    if (bytes != NULL) GlobalUnlock(data);
  }
  CloseClipboard();
  return ok ? 0 : 1;
}
