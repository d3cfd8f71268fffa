// Image lists. Each list keeps its images in a column of one 32-bit
// top-down DIB section (image i in rows i*cy .. i*cy+cy-1, so an image's
// pixels are contiguous and removing one is a single move) and, with
// ILC_MASK, a monochrome bitmap of the same shape whose 1 bits are
// transparent. The mask's bytes are kept here too (one per pixel) and
// copied into the monochrome bitmap after each change.
//
// Masked pixels are black in the stored image, whichever way the image came
// in, so that drawing is the mask ANDed in and the image ORed over it.
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "commctrl.h"

namespace {

struct ImageList {
  int cx = 0, cy = 0;
  UINT flags = 0;
  int grow = 4;
  int count = 0;
  int capacity = 0;
  COLORREF bk = CLR_NONE;
  std::vector<uint32_t> pixels;  // 0x00RRGGBB as the DIB section stores them
  std::vector<uint8_t> mask;     // 1 = transparent
  HBITMAP image = nullptr;       // DIB section over the pixels' copy
  uint32_t* imageBits = nullptr;
  HBITMAP maskBmp = nullptr;
  bool dirty = true;

  bool HasMask() const { return (flags & ILC_MASK) != 0; }
  size_t ImagePixels() const { return static_cast<size_t>(cx) * cy; }

  ~ImageList() { FreeBitmaps(); }

  void FreeBitmaps() {
    if (image) DeleteObject(image);
    if (maskBmp) DeleteObject(maskBmp);
    image = maskBmp = nullptr;
    imageBits = nullptr;
    dirty = true;
  }

  // Room for n images; the vectors grow in steps of `grow`.
  bool Reserve(int n) {
    if (n <= capacity) return true;
    int cap = capacity;
    while (cap < n) cap += grow > 0 ? grow : 4;
    size_t px = ImagePixels() * static_cast<size_t>(cap);
    if (px > (static_cast<size_t>(1) << 28)) return false;
    pixels.resize(px, 0);
    mask.resize(px, 0);
    capacity = cap;
    FreeBitmaps();
    return true;
  }

  // The GDI bitmaps as the pixels are now (made or refreshed on demand).
  bool Realize() {
    if (!dirty && image) return true;
    int rows = cy * (capacity > 0 ? capacity : 1);
    if (!image) {
      BITMAPINFO bi{};
      bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
      bi.bmiHeader.biWidth = cx;
      bi.bmiHeader.biHeight = -rows;
      bi.bmiHeader.biPlanes = 1;
      bi.bmiHeader.biBitCount = 32;
      void* bits = nullptr;
      image = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
      if (!image) return false;
      imageBits = static_cast<uint32_t*>(bits);
      if (HasMask()) maskBmp = CreateBitmap(cx, rows, 1, 1, nullptr);
    }
    size_t n = ImagePixels() * static_cast<size_t>(capacity);
    if (n) std::memcpy(imageBits, pixels.data(), n * sizeof(uint32_t));
    if (maskBmp) {
      // Monochrome rows are word aligned, most significant bit first.
      size_t stride = static_cast<size_t>((cx + 15) / 16) * 2;
      std::vector<uint8_t> bits(stride * static_cast<size_t>(rows), 0);
      for (int y = 0; y < rows && static_cast<size_t>(y) * cx < mask.size(); ++y)
        for (int x = 0; x < cx; ++x)
          if (mask[static_cast<size_t>(y) * cx + x]) bits[y * stride + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
      SetBitmapBits(maskBmp, static_cast<DWORD>(bits.size()), bits.data());
    }
    dirty = false;
    return true;
  }
};

struct Registry {
  std::map<HIMAGELIST, std::unique_ptr<ImageList>> lists;
  uintptr_t next = 0x10000;
};

Registry& Reg() {
  static Registry r;
  return r;
}

ImageList* Find(HIMAGELIST h) {
  auto it = Reg().lists.find(h);
  if (it == Reg().lists.end()) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  return it->second.get();
}

uint32_t ToPixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// The pixels of a bitmap as 0x00RRGGBB rows, top row first; false for a
// bad handle.
bool ReadBitmap(HBITMAP hbm, int* w, int* h, std::vector<uint32_t>* out) {
  BITMAP bm{};
  if (!hbm || !GetObject(hbm, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return false;
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = bm.bmWidth;
  bi.bmiHeader.biHeight = -bm.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  out->assign(static_cast<size_t>(bm.bmWidth) * bm.bmHeight, 0);
  HDC dc = CreateCompatibleDC(nullptr);
  int got = GetDIBits(dc, hbm, 0, static_cast<UINT>(bm.bmHeight), out->data(), &bi, DIB_RGB_COLORS);
  DeleteDC(dc);
  if (got <= 0) return false;
  for (uint32_t& p : *out) p &= 0x00FFFFFF;
  *w = bm.bmWidth;
  *h = bm.bmHeight;
  return true;
}

// Writes the images of a strip into slots first.. of the list. The mask
// comes from maskPixels (non-black = transparent) or from the pixels equal
// to maskColour; neither: nothing is transparent.
void StoreStrip(ImageList* il, int first, int n, int w, const std::vector<uint32_t>& px,
                const std::vector<uint32_t>* maskPixels, int maskW, int maskH, const uint32_t* maskColour) {
  for (int k = 0; k < n; ++k) {
    size_t base = il->ImagePixels() * static_cast<size_t>(first + k);
    for (int y = 0; y < il->cy; ++y)
      for (int x = 0; x < il->cx; ++x) {
        int sx = k * il->cx + x;
        uint32_t p = px[static_cast<size_t>(y) * w + sx];
        bool transparent = false;
        if (maskPixels && sx < maskW && y < maskH) transparent = (*maskPixels)[static_cast<size_t>(y) * maskW + sx] != 0;
        if (maskColour) transparent = p == *maskColour;
        size_t at = base + static_cast<size_t>(y) * il->cx + x;
        il->mask[at] = il->HasMask() && transparent ? 1 : 0;
        il->pixels[at] = il->mask[at] ? 0 : p;
      }
  }
  il->dirty = true;
}

int AddImages(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask, const uint32_t* maskColour) {
  ImageList* il = Find(himl);
  if (!il) return -1;
  int w = 0, h = 0, mw = 0, mh = 0;
  std::vector<uint32_t> px, mpx;
  if (!ReadBitmap(hbmImage, &w, &h, &px) || h < il->cy) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  bool haveMask = hbmMask && ReadBitmap(hbmMask, &mw, &mh, &mpx);
  int n = w / il->cx;
  if (n <= 0 || !il->Reserve(il->count + n)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  int first = il->count;
  StoreStrip(il, first, n, w, px, haveMask ? &mpx : nullptr, mw, mh, maskColour);
  il->count += n;
  return first;
}

void Blend(HDC hdc, ImageList* il, int i, int x, int y, int w, int h, COLORREF fg, UINT style) {
  // A dither of the blend colour over the image's opaque pixels: every
  // other pixel for 50 %, one in four for 25 %.
  bool half = (style & ILD_BLEND50) != 0;
  size_t base = il->ImagePixels() * static_cast<size_t>(i);
  for (int yy = 0; yy < h; ++yy)
    for (int xx = 0; xx < w; ++xx) {
      if (il->mask[base + static_cast<size_t>(yy) * il->cx + xx]) continue;
      bool on = half ? ((xx + yy) & 1) == 0 : ((xx & 1) == 0 && (yy & 1) == 0);
      if (on) SetPixelV(hdc, x + xx, y + yy, fg);
    }
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow) {
  if (cx <= 0 || cy <= 0 || cx > 4096 || cy > 4096 || cInitial < 0 || cGrow < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto il = std::make_unique<ImageList>();
  il->cx = cx;
  il->cy = cy;
  il->flags = flags;
  il->grow = cGrow > 0 ? cGrow : 4;
  if (!il->Reserve(cInitial > 0 ? cInitial : 1)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  Registry& r = Reg();
  HIMAGELIST h = reinterpret_cast<HIMAGELIST>(r.next);
  r.next += 4;
  r.lists[h] = std::move(il);
  return h;
}

BOOL ImageList_Destroy(HIMAGELIST himl) {
  if (!Find(himl)) return FALSE;
  Reg().lists.erase(himl);
  return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST himl) {
  ImageList* il = Find(himl);
  return il ? il->count : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT uNewCount) {
  ImageList* il = Find(himl);
  if (!il || uNewCount > 0x100000 || !il->Reserve(static_cast<int>(uNewCount))) return FALSE;
  size_t from = il->ImagePixels() * static_cast<size_t>(uNewCount);
  std::fill(il->pixels.begin() + static_cast<std::ptrdiff_t>(std::min(from, il->pixels.size())), il->pixels.end(), 0u);
  std::fill(il->mask.begin() + static_cast<std::ptrdiff_t>(std::min(from, il->mask.size())), il->mask.end(), uint8_t{0});
  il->count = static_cast<int>(uNewCount);
  il->dirty = true;
  return TRUE;
}

int ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask) {
  return AddImages(himl, hbmImage, hbmMask, nullptr);
}

int ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask) {
  uint32_t key = ToPixel(crMask);
  return AddImages(himl, hbmImage, nullptr, &key);
}

BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP hbmImage, HBITMAP hbmMask) {
  ImageList* il = Find(himl);
  if (!il) return FALSE;
  int w = 0, h = 0, mw = 0, mh = 0;
  std::vector<uint32_t> px, mpx;
  if (i < 0 || i >= il->count || !ReadBitmap(hbmImage, &w, &h, &px) || w < il->cx || h < il->cy) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  bool haveMask = hbmMask && ReadBitmap(hbmMask, &mw, &mh, &mpx);
  StoreStrip(il, i, 1, w, px, haveMask ? &mpx : nullptr, mw, mh, nullptr);
  return TRUE;
}

BOOL ImageList_Remove(HIMAGELIST himl, int i) {
  ImageList* il = Find(himl);
  if (!il) return FALSE;
  if (i == -1) {
    il->count = 0;
    std::fill(il->pixels.begin(), il->pixels.end(), 0u);
    std::fill(il->mask.begin(), il->mask.end(), uint8_t{0});
    il->dirty = true;
    return TRUE;
  }
  if (i < 0 || i >= il->count) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  size_t n = il->ImagePixels();
  auto px = il->pixels.begin();
  auto mk = il->mask.begin();
  std::ptrdiff_t at = static_cast<std::ptrdiff_t>(n * static_cast<size_t>(i));
  std::ptrdiff_t end = static_cast<std::ptrdiff_t>(n * static_cast<size_t>(il->count));
  std::ptrdiff_t step = static_cast<std::ptrdiff_t>(n);
  std::move(px + at + step, px + end, px + at);
  std::move(mk + at + step, mk + end, mk + at);
  std::fill(px + end - step, px + end, 0u);
  std::fill(mk + end - step, mk + end, uint8_t{0});
  --il->count;
  il->dirty = true;
  return TRUE;
}

BOOL ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, int dx, int dy, COLORREF rgbBk,
                      COLORREF rgbFg, UINT fStyle) {
  ImageList* il = Find(himl);
  if (!il) return FALSE;
  if (i < 0 || i >= il->count || !hdcDst) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!il->Realize()) return FALSE;
  int w = dx > 0 ? std::min(dx, il->cx) : il->cx;
  int h = dy > 0 ? std::min(dy, il->cy) : il->cy;
  int sy = i * il->cy;
  COLORREF bk = rgbBk == CLR_DEFAULT ? il->bk : rgbBk;
  HDC src = CreateCompatibleDC(hdcDst);
  HGDIOBJ oldSrc = SelectObject(src, il->image);
  COLORREF oldText = SetTextColor(hdcDst, RGB(0, 0, 0));
  COLORREF oldBk = SetBkColor(hdcDst, RGB(255, 255, 255));
  BOOL ok = TRUE;
  if (!il->maskBmp) {
    if (fStyle & ILD_MASK)
      ok = PatBlt(hdcDst, x, y, w, h, BLACKNESS);
    else
      ok = BitBlt(hdcDst, x, y, w, h, src, 0, sy, SRCCOPY);
  } else {
    HDC msk = CreateCompatibleDC(hdcDst);
    HGDIOBJ oldMask = SelectObject(msk, il->maskBmp);
    if (fStyle & ILD_MASK) {
      ok = BitBlt(hdcDst, x, y, w, h, msk, 0, sy, SRCCOPY);
    } else {
      if (!(fStyle & ILD_TRANSPARENT) && bk != CLR_NONE) {
        HBRUSH br = CreateSolidBrush(bk);
        RECT r{x, y, x + w, y + h};
        FillRect(hdcDst, &r, br);
        DeleteObject(br);
      }
      // Transparent pixels: the mask is white there and keeps the
      // destination; the image is black there and adds nothing.
      ok = BitBlt(hdcDst, x, y, w, h, msk, 0, sy, SRCAND) && BitBlt(hdcDst, x, y, w, h, src, 0, sy, SRCPAINT);
    }
    SelectObject(msk, oldMask);
    DeleteDC(msk);
  }
  if (ok && (fStyle & (ILD_BLEND25 | ILD_BLEND50)) && !(fStyle & ILD_MASK))
    Blend(hdcDst, il, i, x, y, w, h,
          rgbFg == CLR_DEFAULT || rgbFg == CLR_NONE ? GetSysColor(COLOR_HIGHLIGHT) : rgbFg, fStyle);
  SetTextColor(hdcDst, oldText);
  SetBkColor(hdcDst, oldBk);
  SelectObject(src, oldSrc);
  DeleteDC(src);
  return ok;
}

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle) {
  return ImageList_DrawEx(himl, i, hdcDst, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, fStyle);
}

COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk) {
  ImageList* il = Find(himl);
  if (!il) return CLR_NONE;
  COLORREF old = il->bk;
  il->bk = clrBk;
  return old;
}

COLORREF ImageList_GetBkColor(HIMAGELIST himl) {
  ImageList* il = Find(himl);
  return il ? il->bk : CLR_NONE;
}

BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy) {
  ImageList* il = Find(himl);
  if (!il || !cx || !cy) return FALSE;
  *cx = il->cx;
  *cy = il->cy;
  return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy) {
  ImageList* il = Find(himl);
  if (!il || cx <= 0 || cy <= 0 || cx > 4096 || cy > 4096) return FALSE;
  il->cx = cx;
  il->cy = cy;
  il->count = 0;
  il->capacity = 0;
  il->pixels.clear();
  il->mask.clear();
  il->FreeBitmaps();
  return il->Reserve(1);
}

BOOL ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* pImageInfo) {
  ImageList* il = Find(himl);
  if (!il || !pImageInfo || i < 0 || i >= il->count || !il->Realize()) return FALSE;
  pImageInfo->hbmImage = il->image;
  pImageInfo->hbmMask = il->maskBmp;
  pImageInfo->Unused1 = pImageInfo->Unused2 = 0;
  pImageInfo->rcImage = RECT{0, i * il->cy, il->cx, (i + 1) * il->cy};
  return TRUE;
}

HIMAGELIST ImageList_Duplicate(HIMAGELIST himl) {
  ImageList* il = Find(himl);
  if (!il) return nullptr;
  HIMAGELIST h = ImageList_Create(il->cx, il->cy, il->flags, il->capacity, il->grow);
  if (!h) return nullptr;
  ImageList* copy = Find(h);
  copy->Reserve(il->capacity);
  copy->pixels = il->pixels;
  copy->mask = il->mask;
  copy->count = il->count;
  copy->bk = il->bk;
  copy->dirty = true;
  return h;
}
