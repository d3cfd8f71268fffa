// Bitmaps and DCs to PNG, through the platform's own GetDIBits, so a bitmap
// of any format is saved as the colours it shows.
#include <algorithm>
#include <cstring>

#include "dc.h"
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
  BITMAP bm{};
  if (!hbm || GetObjectType(hbm) != OBJ_BITMAP || !GetObject(hbm, sizeof bm, &bm) || bm.bmWidth <= 0 ||
      bm.bmHeight <= 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  // Bands of rows are read as they are written, so a large picture never
  // has a second full copy in memory.
  constexpr int kBand = 64;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = -bm.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  const size_t width = static_cast<size_t>(bm.bmWidth);
  std::vector<DWORD> band(width * kBand);
  int bandTop = -kBand;
  HDC hdc = CreateCompatibleDC(nullptr);
  if (!hdc) return FALSE;
  const BOOL ok = GdiWritePngRows(path, bm.bmWidth, bm.bmHeight, [&](int y, DWORD* row) {
    if (y < bandTop || y >= bandTop + kBand) {
      const int lines = std::min(kBand, bm.bmHeight - y);
      if (GetDIBits(hdc, hbm, static_cast<UINT>(y), static_cast<UINT>(lines), band.data(), &bi, DIB_RGB_COLORS) !=
          lines) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
      }
      bandTop = y;
    }
    const DWORD* src = band.data() + static_cast<size_t>(y - bandTop) * width;
    for (size_t x = 0; x < width; ++x) row[x] = src[x] & 0x00FFFFFF;
    return TRUE;
  });
  // The reason a write failed outlives the clean-up.
  const DWORD error = GetLastError();
  DeleteDC(hdc);
  SetLastError(error);
  return ok;
}

BOOL GdiSaveDCPng(HDC hdc, const char* path) {
  // Through the DC's own target, so that display and printer DCs (whose
  // pixels are not a selected bitmap) save too.
  kygdi::DC* dc = kygdi::LookupDC(hdc);
  if (!dc) return FALSE;
  const kygdi::Surface& s = dc->Target();
  if (s.width <= 0 || s.height <= 0 || !s.funcs) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return GdiWritePngRows(path, s.width, s.height, [&](int y, DWORD* row) {
    for (int x = 0; x < s.width; ++x) {
      const COLORREF c = s.PixelToColour(s.funcs->get_pixel(s, x, y));
      row[x] = static_cast<DWORD>(GetRValue(c)) << 16 | static_cast<DWORD>(GetGValue(c)) << 8 | GetBValue(c);
    }
    return TRUE;
  });
}
