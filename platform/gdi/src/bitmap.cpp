// Device-dependent bitmaps: creation, BITMAP, raw bits.
#include <algorithm>
#include <cstring>

#include "dc.h"
#include "stock.h"

using namespace kygdi;

namespace {

HBITMAP NewBitmap(int w, int h, int bpp, const void* bits) {
  if (w < 0 || h < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (w == 0 || h == 0) return DefaultBitmap();
  auto b = std::make_unique<BitmapObject>();
  if (!b->surface.Create(w, h, bpp)) {
    SetLastError(PrimitivesFor(bpp) ? ERROR_NOT_ENOUGH_MEMORY : ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (bits) std::memcpy(b->surface.bits, bits, b->surface.storage.size());
  return static_cast<HBITMAP>(AddObject(std::move(b)));
}

// Depths that CreateBitmap accepts map onto the formats we keep.
int FormatFor(UINT planes, UINT bit_count) {
  UINT bpp = planes * bit_count;
  switch (bpp) {
    case 1: return 1;
    case 8: return 8;
    case 15: return 15;
    case 16: return 16;
    case 24: return 24;
    case 32: return 32;
    default: return 0;
  }
}

}  // namespace

HBITMAP CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitCount, const void* lpBits) {
  int bpp = FormatFor(nPlanes, nBitCount);
  if (!bpp || nPlanes != 1) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return NewBitmap(nWidth, nHeight, bpp, lpBits);
}

HBITMAP CreateBitmapIndirect(const BITMAP* pbm) {
  if (!pbm) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // bmWidthBytes must hold a row; the platform checks it the same way.
  int bpp = FormatFor(pbm->bmPlanes, pbm->bmBitsPixel);
  if (!bpp || pbm->bmPlanes != 1 || pbm->bmWidth < 0 || pbm->bmHeight < 0 ||
      (pbm->bmWidth > 0 && pbm->bmWidthBytes < Surface::StrideFor(pbm->bmWidth, bpp))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  HBITMAP h = NewBitmap(pbm->bmWidth, pbm->bmHeight, bpp, nullptr);
  if (h && pbm->bmBits && h != DefaultBitmap()) {
    BitmapObject* b = Lookup<BitmapObject>(h, OBJ_BITMAP);
    const uint8_t* src = static_cast<const uint8_t*>(pbm->bmBits);
    for (int y = 0; y < b->surface.height; ++y)
      std::memcpy(b->surface.Row(y), src + size_t(y) * size_t(pbm->bmWidthBytes), size_t(b->surface.stride));
  }
  return h;
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int cx, int cy) {
  DC* dc = LookupDC(hdc);
  if (!dc) return nullptr;
  if (cx < 0 || cy < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // A memory DC makes bitmaps like the one selected into it, so a fresh
  // memory DC (with its 1 x 1 monochrome bitmap) makes monochrome ones.
  int bpp = dc->memory ? dc->Target().bpp : dc->device.bits_pixel;
  if (bpp == 0) bpp = 1;
  return NewBitmap(cx, cy, bpp, nullptr);
}

LONG GetBitmapBits(HBITMAP hbit, LONG cb, LPVOID lpvBits) {
  BitmapObject* b = Lookup<BitmapObject>(hbit, OBJ_BITMAP);
  if (!b || cb < 0) return 0;
  LONG size = LONG(b->surface.storage.size());
  if (!lpvBits) return size;
  LONG n = std::min(cb, size);
  if (n > 0) std::memcpy(lpvBits, b->surface.bits, size_t(n));
  return n;
}

LONG SetBitmapBits(HBITMAP hbm, DWORD cb, const void* pvBits) {
  BitmapObject* b = Lookup<BitmapObject>(hbm, OBJ_BITMAP);
  if (!b || !pvBits || b->stock) return 0;
  LONG n = LONG(std::min<size_t>(cb, b->surface.storage.size()));
  if (n > 0) std::memcpy(b->surface.bits, pvBits, size_t(n));
  return n;
}

BOOL GetBitmapDimensionEx(HBITMAP hbit, LPSIZE lpsize) {
  BitmapObject* b = Lookup<BitmapObject>(hbit, OBJ_BITMAP);
  if (!b || !lpsize) return FALSE;
  *lpsize = b->dimension;
  return TRUE;
}

BOOL SetBitmapDimensionEx(HBITMAP hbit, int w, int h, LPSIZE old) {
  BitmapObject* b = Lookup<BitmapObject>(hbit, OBJ_BITMAP);
  if (!b) return FALSE;
  if (old) *old = b->dimension;
  b->dimension = SIZE{w, h};
  return TRUE;
}
