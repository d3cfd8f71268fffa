// Packed DIBs made into bitmaps (gdiresource.h), and CBitmap::LoadBitmap.
//
// The header is checked against the bytes there are before anything is
// read through it: a resource or file that says it holds more rows or
// colours than it has fails as damaged, never reads past its end.
#include <cstring>

#include "afxdc.h"
#include "afxres.h"
#include "dib_layout.h"
#include "gdiresource.h"

using namespace kygdi;

namespace {

// A 1-bit DIB whose two colours are black and white (either order) is a
// monochrome image; the others are colour images that happen to be small.
bool IsBlackAndWhite(const DibLayout& l, const BYTE* table) {
  if (l.bitCount != 1 || l.colors != 2) return false;
  auto rgb = [&](int i) {
    const BYTE* e = table + static_cast<size_t>(i) * l.colorEntryBytes;
    return static_cast<uint32_t>(e[0]) | static_cast<uint32_t>(e[1]) << 8 | static_cast<uint32_t>(e[2]) << 16;
  };
  uint32_t a = rgb(0), b = rgb(1);
  return (a == 0 && b == 0xFFFFFF) || (a == 0xFFFFFF && b == 0);
}

HBITMAP MakeSection(const DibLayout& l) {
  // A section of the DIB's own depth where our surfaces can share it; 32
  // bits for the indexed and 16-bit depths.
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = l.width;
  bi.bmiHeader.biHeight = -l.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = l.bitCount == 24 ? 24 : 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  return CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
}

}  // namespace

HBITMAP KyCreateBitmapFromPackedDib(const void* pPacked, size_t cb, UINT kind) {
  if (!pPacked || !cb) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const BYTE* p = static_cast<const BYTE*>(pPacked);
  DibLayout l;
  if (!DibParseInfo(p, cb, &l) || l.infoBytes > cb || l.imageBytes > cb - l.infoBytes) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  const BITMAPINFO* bmi = reinterpret_cast<const BITMAPINFO*>(p);
  const BYTE* bits = p + l.infoBytes;
  HBITMAP hbm = nullptr;
  if (kind & KY_DIB_MONO) {
    hbm = CreateBitmap(l.width, l.height, 1, 1, nullptr);
  } else if (kind & KY_DIB_SECTION) {
    hbm = MakeSection(l);
  } else if (!(kind & KY_DIB_SCREEN) && IsBlackAndWhite(l, p + l.colorTableOffset)) {
    hbm = CreateBitmap(l.width, l.height, 1, 1, nullptr);
  } else {
    HDC screen = GetDC(nullptr);
    hbm = CreateCompatibleBitmap(screen, l.width, l.height);
    ReleaseDC(nullptr, screen);
  }
  if (!hbm) return nullptr;
  if (SetDIBits(nullptr, hbm, 0, static_cast<UINT>(l.height), bits, bmi, DIB_RGB_COLORS) != l.height) {
    DeleteObject(hbm);
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  return hbm;
}

HBITMAP KyLoadBitmapResource(HINSTANCE hInstance, LPCSTR lpName, UINT kind) {
  if (!lpName) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HRSRC r = FindResource(hInstance, lpName, RT_BITMAP);
  if (!r) return nullptr;
  HGLOBAL g = LoadResource(hInstance, r);
  const void* data = LockResource(g);
  if (!data) return nullptr;
  return KyCreateBitmapFromPackedDib(data, SizeofResource(hInstance, r), kind);
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName) {
  HINSTANCE h = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
  return Attach(KyLoadBitmapResource(h, lpszResourceName, KY_DIB_DEVICE));
}

BOOL CBitmap::LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
