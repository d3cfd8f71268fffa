// Bitmaps and DCs to PNG, through the platform's own GetDIBits, so a bitmap
// of any format is saved as the colours it shows.
#include <cstring>

#include "gdipng.h"

BOOL GdiGetBitmapPixels(HBITMAP hbm, int* width, int* height, std::vector<DWORD>* pixels) {
  if (!width || !height || !pixels) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  BITMAP bm{};
  if (!hbm || GetObjectType(hbm) != OBJ_BITMAP || !GetObject(hbm, sizeof bm, &bm) || bm.bmWidth <= 0 ||
      bm.bmHeight <= 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  // A 32-bit top-down DIB's pixel in memory is B, G, R, 0: 0x00RRGGBB.
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = -bm.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> out(static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight));
  HDC hdc = CreateCompatibleDC(nullptr);
  int lines = hdc ? GetDIBits(hdc, hbm, 0, static_cast<UINT>(bm.bmHeight), out.data(), &bi, DIB_RGB_COLORS) : 0;
  if (hdc) DeleteDC(hdc);
  if (lines != bm.bmHeight) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  for (DWORD& p : out) p &= 0x00FFFFFF;
  *width = bm.bmWidth;
  *height = bm.bmHeight;
  pixels->swap(out);
  return TRUE;
}

BOOL GdiSaveBitmapPng(HBITMAP hbm, const char* path) {
  int w = 0, h = 0;
  std::vector<DWORD> px;
  if (!GdiGetBitmapPixels(hbm, &w, &h, &px)) return FALSE;
  return GdiWritePngPixels(path, w, h, px.data());
}

BOOL GdiSaveDCPng(HDC hdc, const char* path) {
  HGDIOBJ bmp = hdc ? GetCurrentObject(hdc, OBJ_BITMAP) : nullptr;
  if (!bmp) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return GdiSaveBitmapPng(static_cast<HBITMAP>(bmp), path);
}
