// Icons and the bitmaps of modules: LoadBitmap, LoadImage, LoadIcon, the
// icon directory lookup, icons made from resources or bitmaps, and
// DrawIconEx.
//
// An icon here is two bitmaps of the same size: a monochrome AND mask and a
// colour image in the screen's format, plus, for 32-bit images that carry
// one, an alpha channel. Drawing without alpha is the classic pair of
// transfers:
//
//   dest = (dest AND mask) XOR colour
//
//   mask 0, colour c  ->  c            (the picture)
//   mask 1, colour 0  ->  dest         (transparent)
//   mask 1, colour c  ->  dest XOR c   (inverted, as cursors use it)
//
// The system icons (IDI_*) are not bitmaps: they are drawn as the shapes
// they stand for. Their handles, and those of icons, are numbers of our own
// that no GDI object shares.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "gdiresource.h"
#include "wnd.h"

namespace kyuser {
namespace {

constexpr uintptr_t kSysIconBase = 0xC2000000;
constexpr uintptr_t kIconBase = 0xC4000000;

struct IconObject {
  bool fIcon = true;
  DWORD xHotspot = 0, yHotspot = 0;
  int width = 0, height = 0;
  HBITMAP mask = nullptr;   // 1 bit, width x height
  HBITMAP color = nullptr;  // the screen's format
  std::vector<BYTE> alpha;  // width * height, rows top first; empty when opaque
  bool shared = false;      // a module's, handed out again and never destroyed

  ~IconObject() {
    if (mask) DeleteObject(mask);
    if (color) DeleteObject(color);
  }
};

struct IconTable {
  std::map<uintptr_t, std::unique_ptr<IconObject>> icons;
  uintptr_t next = kIconBase;
  // Shared images by module, name and kind.
  std::map<std::tuple<HINSTANCE, std::string, UINT, int, int>, HANDLE> shared;
};

IconTable& Icons() {
  static auto* t = new IconTable();
  return *t;
}

IconObject* LookupIcon(HICON h) {
  auto& m = Icons().icons;
  auto it = m.find(reinterpret_cast<uintptr_t>(h));
  return it == m.end() ? nullptr : it->second.get();
}

HICON AddIcon(std::unique_ptr<IconObject> icon) {
  IconTable& t = Icons();
  t.next += 4;
  t.icons[t.next] = std::move(icon);
  return reinterpret_cast<HICON>(t.next);
}

std::string NameKey(LPCSTR name) {
  return IS_INTRESOURCE(name) ? "#" + std::to_string(reinterpret_cast<uintptr_t>(name)) : std::string(name);
}

uint16_t LE16(const BYTE* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t LE32(const BYTE* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

// A copy of src (sw x sh) stretched to w x h: 1 bit when mono, else in the
// screen's format.
HBITMAP StretchCopy(HBITMAP src, int sw, int sh, int w, int h, bool mono) {
  HDC screen = GetDC(nullptr);
  HBITMAP out = mono ? CreateBitmap(w, h, 1, 1, nullptr) : CreateCompatibleBitmap(screen, w, h);
  HDC from = CreateCompatibleDC(screen), to = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  if (!out || !from || !to) {
    if (out) DeleteObject(out);
    if (from) DeleteDC(from);
    if (to) DeleteDC(to);
    return nullptr;
  }
  HGDIOBJ of = SelectObject(from, src), ot = SelectObject(to, out);
  // A monochrome source gives black for 0 and white for 1 in a colour copy.
  SetTextColor(to, RGB(0, 0, 0));
  SetBkColor(to, RGB(255, 255, 255));
  SetStretchBltMode(to, COLORONCOLOR);
  StretchBlt(to, 0, 0, w, h, from, 0, 0, sw, sh, SRCCOPY);
  SelectObject(from, of);
  SelectObject(to, ot);
  DeleteDC(from);
  DeleteDC(to);
  return out;
}

int BitmapSize(HBITMAP h, int* w, int* hgt) {
  BITMAP bm{};
  if (!h || !GetObject(h, sizeof bm, &bm)) return 0;
  *w = bm.bmWidth;
  *hgt = bm.bmHeight;
  return 1;
}

// Bit count of an icon directory entry: its own, or the one its colour
// count implies.
int EntryBits(const BYTE* e, bool fIcon) {
  if (!fIcon) return LE16(e + 6);
  int bits = LE16(e + 6);
  if (bits) return bits;
  switch (e[2]) {
    case 2: return 1;
    case 16: return 4;
    default: return 8;
  }
}

// The index of the best entry of a directory of `count` entries of 14
// bytes at entries (resources) for the size wanted: the nearest in size,
// then the deepest (or, for mono, the shallowest). -1 for none.
int BestEntry(const BYTE* entries, int count, size_t entryBytes, bool fIcon, int cx, int cy, bool mono,
              bool fileLayout) {
  int best = -1;
  long bestDist = 0;
  int bestBits = 0;
  for (int i = 0; i < count; ++i) {
    const BYTE* e = entries + static_cast<size_t>(i) * entryBytes;
    int w, h;
    if (fIcon || fileLayout) {
      w = e[0] ? e[0] : 256;
      h = e[1] ? e[1] : 256;
    } else {
      // Cursor directories hold WORD sizes, the height doubled.
      w = LE16(e);
      h = LE16(e + 2) / 2;
    }
    int bits = fileLayout ? (LE16(e + 6) ? LE16(e + 6) : 8) : EntryBits(e, fIcon);
    long dist = (cx > 0 ? std::labs(long(w) - cx) : 0) + (cy > 0 ? std::labs(long(h) - cy) : 0);
    bool better = best < 0 || dist < bestDist ||
                  (dist == bestDist && (mono ? bits < bestBits : (bits > bestBits && bits <= 32)));
    if (better) best = i, bestDist = dist, bestBits = bits;
  }
  return best;
}

// The size an icon of `w` x `h` is made in for the request.
void WantedSize(int* cx, int* cy, int w, int h, bool fIcon, UINT flags) {
  if (*cx == 0) *cx = (flags & LR_DEFAULTSIZE) ? GetSystemMetrics(fIcon ? SM_CXICON : SM_CXCURSOR) : w;
  if (*cy == 0) *cy = (flags & LR_DEFAULTSIZE) ? GetSystemMetrics(fIcon ? SM_CYICON : SM_CYCURSOR) : h;
}

HICON IconFromImage(const BYTE* p, size_t cb, bool fIcon, int cx, int cy, UINT flags) {
  auto fail = [] {
    SetLastError(ERROR_INVALID_DATA);
    return static_cast<HICON>(nullptr);
  };
  DWORD xHot = 0, yHot = 0;
  if (!fIcon) {
    if (cb < 4) return fail();
    xHot = LE16(p), yHot = LE16(p + 2);
    p += 4, cb -= 4;
  }
  // FIXME: images stored as PNG (their first bytes are 0x89 'P' 'N' 'G') are refused.
  if (cb < 40 || LE32(p) != 40) return fail();
  int32_t w = static_cast<int32_t>(LE32(p + 4)), h2 = static_cast<int32_t>(LE32(p + 8));
  WORD bits = LE16(p + 14);
  DWORD compression = LE32(p + 16);
  if (w <= 0 || w > 1024 || h2 <= 0 || h2 > 2048 || (h2 & 1) || compression != BI_RGB) return fail();
  const int h = h2 / 2;
  // The colour part alone: the same header with the real height.
  std::vector<BYTE> xorDib(p, p + cb);
  int32_t hh = h;
  std::memcpy(xorDib.data() + 8, &hh, 4);
  std::memset(xorDib.data() + 20, 0, 4);  // biSizeImage: the rows follow from the size
  DWORD colors = LE32(p + 32);
  if (bits <= 8 && colors == 0) colors = 1u << bits;
  if (bits > 8) colors = std::min<DWORD>(colors, 256);
  size_t infoBytes = 40 + static_cast<size_t>(colors) * 4;
  size_t xorStride = (static_cast<size_t>(w) * bits + 31) / 32 * 4;
  size_t andStride = (static_cast<size_t>(w) + 31) / 32 * 4;
  size_t xorEnd = infoBytes + xorStride * static_cast<size_t>(h);
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return fail();
  if (xorEnd > cb) return fail();
  bool hasMask = xorEnd + andStride * static_cast<size_t>(h) <= cb;
  if (!hasMask && bits != 32) return fail();

  auto icon = std::make_unique<IconObject>();
  icon->fIcon = fIcon;
  UINT kind = (flags & LR_MONOCHROME) ? KY_DIB_MONO : KY_DIB_SCREEN;
  HBITMAP color = KyCreateBitmapFromPackedDib(xorDib.data(), xorEnd, kind);
  if (!color) return fail();
  if (kind == KY_DIB_MONO) {
    HBITMAP c = StretchCopy(color, w, h, w, h, false);
    DeleteObject(color);
    color = c;
    if (!color) return fail();
  }
  // The mask as a 1-bit DIB of its own (black and white), or from the alpha.
  std::vector<BYTE> andDib(40 + 8 + andStride * static_cast<size_t>(h), 0);
  BITMAPINFOHEADER mh{};
  mh.biSize = 40;
  mh.biWidth = w;
  mh.biHeight = h;
  mh.biPlanes = 1;
  mh.biBitCount = 1;
  mh.biClrUsed = 2;
  std::memcpy(andDib.data(), &mh, 40);
  andDib[44] = andDib[45] = andDib[46] = 0xFF;  // entry 1 white
  BYTE* andRows = andDib.data() + 48;
  const BYTE* xorRows = p + infoBytes;
  bool anyAlpha = false;
  if (bits == 32) {
    icon->alpha.resize(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        BYTE a = xorRows[static_cast<size_t>(y) * xorStride + static_cast<size_t>(x) * 4 + 3];
        icon->alpha[static_cast<size_t>(h - 1 - y) * w + x] = a;
        anyAlpha |= a != 0;
      }
    if (!anyAlpha) icon->alpha.clear();
  }
  if (hasMask) {
    std::memcpy(andRows, p + xorEnd, andStride * static_cast<size_t>(h));
  } else if (anyAlpha) {
    // A 32-bit image without a mask: the fully transparent pixels are the mask.
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if (icon->alpha[static_cast<size_t>(h - 1 - y) * w + x] == 0)
          andRows[static_cast<size_t>(y) * andStride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
  }
  HBITMAP mask = KyCreateBitmapFromPackedDib(andDib.data(), andDib.size(), KY_DIB_MONO);
  if (!mask) {
    DeleteObject(color);
    return fail();
  }
  WantedSize(&cx, &cy, w, h, fIcon, flags);
  if (cx != w || cy != h) {
    HBITMAP c2 = StretchCopy(color, w, h, cx, cy, false), m2 = StretchCopy(mask, w, h, cx, cy, true);
    DeleteObject(color);
    DeleteObject(mask);
    if (!c2 || !m2) {
      if (c2) DeleteObject(c2);
      if (m2) DeleteObject(m2);
      return fail();
    }
    color = c2, mask = m2;
    if (!icon->alpha.empty()) {
      std::vector<BYTE> a(static_cast<size_t>(cx) * cy);
      for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) a[static_cast<size_t>(y) * cx + x] = icon->alpha[(y * h / cy) * w + x * w / cx];
      icon->alpha.swap(a);
    }
    xHot = xHot * cx / w, yHot = yHot * cy / h;
  }
  icon->width = cx, icon->height = cy;
  icon->color = color, icon->mask = mask;
  icon->xHotspot = xHot, icon->yHotspot = yHot;
  return AddIcon(std::move(icon));
}

bool ReadFile(LPCSTR path, std::vector<BYTE>& out) {
  std::ifstream f(path, std::ios::binary);
  if (!f) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return false;
  }
  out.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
  return true;
}

HBITMAP BitmapFromFile(LPCSTR path, UINT kind) {
  std::vector<BYTE> file;
  if (!ReadFile(path, file)) return nullptr;
  if (file.size() < 14 || file[0] != 'B' || file[1] != 'M') {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  return KyCreateBitmapFromPackedDib(file.data() + 14, file.size() - 14, kind);
}

// The bytes of a packed DIB from a resource or a .bmp file, copied so that
// its colour table can be changed.
bool ReadPackedDib(HINSTANCE hInst, LPCSTR name, bool fromFile, std::vector<BYTE>& out) {
  if (fromFile) {
    std::vector<BYTE> file;
    if (!ReadFile(name, file)) return false;
    if (file.size() < 14 || file[0] != 'B' || file[1] != 'M') {
      SetLastError(ERROR_INVALID_DATA);
      return false;
    }
    out.assign(file.begin() + 14, file.end());
    return true;
  }
  HRSRC r = FindResource(hInst, name, RT_BITMAP);
  if (!r) return false;
  const BYTE* p = static_cast<const BYTE*>(LockResource(LoadResource(hInst, r)));
  if (!p) return false;
  out.assign(p, p + SizeofResource(hInst, r));
  return true;
}

// LR_LOADMAP3DCOLORS and LR_LOADTRANSPARENT act on the colour table of an
// indexed image; deeper images have none and keep their colours.
void MapColorTable(std::vector<BYTE>& dib, UINT flags) {
  if (dib.size() < 40 || LE32(dib.data()) < 40) return;
  const DWORD headerSize = LE32(dib.data());
  const WORD bits = LE16(dib.data() + 14);
  if (bits > 8 || headerSize > dib.size()) return;
  DWORD colors = LE32(dib.data() + 32);
  if (colors == 0 || colors > (1u << bits)) colors = 1u << bits;
  const size_t table = headerSize;
  if (table + 4 * static_cast<size_t>(colors) >= dib.size()) return;
  auto set = [&](DWORD i, COLORREF c) {
    BYTE* e = dib.data() + table + 4 * static_cast<size_t>(i);
    e[0] = GetBValue(c), e[1] = GetGValue(c), e[2] = GetRValue(c);
  };
  if (flags & LR_LOADMAP3DCOLORS) {
    for (DWORD i = 0; i < colors; ++i) {
      const BYTE* e = dib.data() + table + 4 * static_cast<size_t>(i);
      COLORREF c = RGB(e[2], e[1], e[0]);
      if (c == RGB(128, 128, 128)) set(i, GetSysColor(COLOR_3DSHADOW));
      else if (c == RGB(192, 192, 192)) set(i, GetSysColor(COLOR_3DFACE));
      else if (c == RGB(223, 223, 223)) set(i, GetSysColor(COLOR_3DLIGHT));
    }
  }
  if (flags & LR_LOADTRANSPARENT) {
    // The first pixel of the bits (the bottom-left one of a bottom-up image).
    BYTE first = dib[table + 4 * static_cast<size_t>(colors)];
    DWORD index = bits == 8 ? first : bits == 4 ? first >> 4u : first >> 7u;
    if (index < colors) set(index, GetSysColor(COLOR_WINDOW));
  }
}

// An .ico or .cur file: a 6-byte header, 16-byte entries with the offset of
// each image, then the images.
HICON IconFromFile(LPCSTR path, bool fIcon, int cx, int cy, UINT flags) {
  std::vector<BYTE> file;
  if (!ReadFile(path, file)) return nullptr;
  const size_t n = file.size();
  if (n < 6 || LE16(file.data()) != 0 || LE16(file.data() + 2) != (fIcon ? 1 : 2)) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  int count = LE16(file.data() + 4);
  if (count == 0 || n < 6 + 16u * count) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  int wantX = cx, wantY = cy;
  if (flags & LR_DEFAULTSIZE) WantedSize(&wantX, &wantY, 0, 0, fIcon, flags);
  int i = BestEntry(file.data() + 6, count, 16, fIcon, wantX, wantY, (flags & LR_MONOCHROME) != 0, true);
  const BYTE* e = file.data() + 6 + 16 * i;
  uint32_t size = LE32(e + 8), offset = LE32(e + 12);
  if (offset > n || size > n - offset) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  if (fIcon) return IconFromImage(file.data() + offset, size, true, cx, cy, flags);
  // A cursor file keeps the hot spot in the entry; the image follows as in a resource.
  std::vector<BYTE> image(4);
  image[0] = e[4], image[1] = e[5], image[2] = e[6], image[3] = e[7];
  image.insert(image.end(), file.begin() + offset, file.begin() + offset + size);
  return IconFromImage(image.data(), image.size(), false, cx, cy, flags);
}

HICON IconFromModule(HINSTANCE hInst, LPCSTR name, bool fIcon, int cx, int cy, UINT flags) {
  LPCSTR groupType = fIcon ? RT_GROUP_ICON : RT_GROUP_CURSOR, imageType = fIcon ? RT_ICON : RT_CURSOR;
  HRSRC r = FindResource(hInst, name, groupType);
  if (!r) {
    // A single image under the name itself.
    HRSRC single = FindResource(hInst, name, imageType);
    if (!single) {
      SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
      return nullptr;
    }
    const BYTE* p = static_cast<const BYTE*>(LockResource(LoadResource(hInst, single)));
    if (!p) return nullptr;
    return IconFromImage(p, SizeofResource(hInst, single), fIcon, cx, cy, flags);
  }
  const BYTE* dir = static_cast<const BYTE*>(LockResource(LoadResource(hInst, r)));
  DWORD cb = SizeofResource(hInst, r);
  if (!dir || cb < 6 || LE16(dir) != 0 || LE16(dir + 2) != (fIcon ? 1 : 2) || LE16(dir + 4) == 0 ||
      cb < 6u + 14u * LE16(dir + 4)) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  int wantX = cx, wantY = cy;
  if (flags & LR_DEFAULTSIZE) WantedSize(&wantX, &wantY, 0, 0, fIcon, flags);
  int i = BestEntry(dir + 6, LE16(dir + 4), 14, fIcon, wantX, wantY, (flags & LR_MONOCHROME) != 0, false);
  WORD id = LE16(dir + 6 + 14 * i + 12);
  HRSRC img = FindResource(hInst, MAKEINTRESOURCE(id), imageType);
  if (!img) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  const BYTE* p = static_cast<const BYTE*>(LockResource(LoadResource(hInst, img)));
  if (!p) return nullptr;
  return IconFromImage(p, SizeofResource(hInst, img), fIcon, cx, cy, flags);
}

// Draws a system icon as the shape it stands for.
BOOL DrawSystemIcon(HDC hdc, int x, int y, UINT shape, int cx, int cy) {
  RECT r{x, y, x + cx, y + cy};
  COLORREF fillc = RGB(255, 255, 255), ink = RGB(0, 0, 0);
  const char* glyph = nullptr;
  bool round = true;
  switch (shape) {
    case 32513:  // hand / error
      fillc = RGB(255, 0, 0), ink = RGB(255, 255, 255), glyph = "X";
      break;
    case 32514:  // question
      fillc = RGB(255, 255, 255), ink = RGB(0, 0, 255), glyph = "?";
      break;
    case 32515:  // exclamation
      fillc = RGB(255, 255, 0), glyph = "!", round = false;
      break;
    case 32516:  // asterisk / information
      fillc = RGB(255, 255, 255), ink = RGB(0, 0, 255), glyph = "i";
      break;
    default:
      round = false;
      break;
  }
  HBRUSH br = CreateSolidBrush(fillc);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
  HGDIOBJ ob = SelectObject(hdc, br), op = SelectObject(hdc, pen);
  if (round) {
    Ellipse(hdc, r.left, r.top, r.right, r.bottom);
  } else if (glyph) {
    POINT tri[3] = {{x + cx / 2, y + 1}, {x + cx - 1, y + cy - 2}, {x, y + cy - 2}};
    Polygon(hdc, tri, 3);
  } else {
    Rectangle(hdc, r.left, r.top, r.right, r.bottom);
  }
  SelectObject(hdc, ob);
  SelectObject(hdc, op);
  DeleteObject(br);
  DeleteObject(pen);
  if (glyph) {
    HGDIOBJ of = SelectObject(hdc, BoldGuiFont());
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, ink);
    DrawTextA(hdc, glyph, 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(hdc, of);
  }
  return TRUE;
}

// The icon's pixels blended onto the DC by their alpha (only the normal
// drawing of an icon with an alpha channel comes here).
void DrawAlpha(HDC hdc, int x, int y, const IconObject& icon, int cx, int cy) {
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(mem, icon.color);
  for (int j = 0; j < cy; ++j)
    for (int i = 0; i < cx; ++i) {
      int sx = i * icon.width / cx, sy = j * icon.height / cy;
      unsigned a = icon.alpha[static_cast<size_t>(sy) * icon.width + sx];
      if (a == 0) continue;
      COLORREF s = GetPixel(mem, sx, sy);
      if (a == 255) {
        SetPixelV(hdc, x + i, y + j, s);
        continue;
      }
      COLORREF d = GetPixel(hdc, x + i, y + j);
      if (d == CLR_INVALID) continue;
      auto mix = [a](unsigned sc, unsigned dc) { return static_cast<BYTE>((sc * a + dc * (255 - a) + 127) / 255); };
      SetPixelV(hdc, x + i, y + j,
                RGB(mix(GetRValue(s), GetRValue(d)), mix(GetGValue(s), GetGValue(d)), mix(GetBValue(s), GetBValue(d))));
    }
  SelectObject(mem, old);
  DeleteDC(mem);
}

BOOL DrawIconObject(HDC hdc, int x, int y, const IconObject& icon, int cx, int cy, UINT flags) {
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  if (!mem) return FALSE;
  COLORREF oldText = SetTextColor(hdc, RGB(0, 0, 0)), oldBk = SetBkColor(hdc, RGB(255, 255, 255));
  int oldMode = SetStretchBltMode(hdc, COLORONCOLOR);
  HGDIOBJ old = SelectObject(mem, icon.mask);
  if ((flags & DI_NORMAL) == DI_NORMAL && !icon.alpha.empty()) {
    SelectObject(mem, old);
    DrawAlpha(hdc, x, y, icon, cx, cy);
  } else {
    if (flags & DI_MASK) StretchBlt(hdc, x, y, cx, cy, mem, 0, 0, icon.width, icon.height, SRCAND);
    if (flags & DI_IMAGE) {
      SelectObject(mem, icon.color);
      StretchBlt(hdc, x, y, cx, cy, mem, 0, 0, icon.width, icon.height, (flags & DI_MASK) ? SRCINVERT : SRCCOPY);
    }
    SelectObject(mem, old);
  }
  SetStretchBltMode(hdc, oldMode);
  SetTextColor(hdc, oldText);
  SetBkColor(hdc, oldBk);
  DeleteDC(mem);
  return TRUE;
}

}  // namespace
}  // namespace kyuser

using namespace kyuser;

HBITMAP LoadBitmapA(HINSTANCE hInstance, LPCSTR lpBitmapName) {
  return KyLoadBitmapResource(hInstance, lpBitmapName, KY_DIB_DEVICE);
}

HANDLE LoadImageA(HINSTANCE hInst, LPCSTR name, UINT type, int cx, int cy, UINT fuLoad) {
  if (!name || cx < 0 || cy < 0 || (type != IMAGE_BITMAP && type != IMAGE_ICON && type != IMAGE_CURSOR)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const bool fromFile = (fuLoad & LR_LOADFROMFILE) != 0;
  const bool shared = (fuLoad & LR_SHARED) && !fromFile;
  auto key = std::make_tuple(hInst, NameKey(name), type, cx, cy);
  if (shared) {
    auto it = Icons().shared.find(key);
    if (it != Icons().shared.end()) return it->second;
  }
  HANDLE result = nullptr;
  if (type == IMAGE_BITMAP) {
    UINT kind = (fuLoad & LR_MONOCHROME) ? KY_DIB_MONO : (fuLoad & LR_CREATEDIBSECTION) ? KY_DIB_SECTION : KY_DIB_DEVICE;
    HBITMAP hbm = nullptr;
    if (fuLoad & (LR_LOADTRANSPARENT | LR_LOADMAP3DCOLORS)) {
      std::vector<BYTE> dib;
      if (ReadPackedDib(hInst, name, fromFile, dib)) {
        MapColorTable(dib, fuLoad);
        hbm = KyCreateBitmapFromPackedDib(dib.data(), dib.size(), kind);
      }
    } else {
      hbm = fromFile ? BitmapFromFile(name, kind) : KyLoadBitmapResource(hInst, name, kind);
    }
    if (hbm && (cx || cy)) {
      int w = 0, h = 0;
      BitmapSize(hbm, &w, &h);
      int tw = cx ? cx : w, th = cy ? cy : h;
      if (tw != w || th != h) {
        HBITMAP s = StretchCopy(hbm, w, h, tw, th, kind == KY_DIB_MONO);
        DeleteObject(hbm);
        hbm = s;
      }
    }
    result = hbm;
  } else {
    bool fIcon = type == IMAGE_ICON;
    HICON h = fromFile ? IconFromFile(name, fIcon, cx, cy, fuLoad) : IconFromModule(hInst, name, fIcon, cx, cy, fuLoad);
    if (h && shared) LookupIcon(h)->shared = true;
    result = h;
  }
  if (result && shared) Icons().shared[key] = result;
  return result;
}

HICON LoadIconA(HINSTANCE hInstance, LPCSTR name) {
  if (!name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (!hInstance) {
    if (!IS_INTRESOURCE(name)) {
      SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
      return nullptr;
    }
    UINT id = static_cast<UINT>(reinterpret_cast<uintptr_t>(name));
    if (id < 32512 || id > 32517) {
      SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
      return nullptr;
    }
    return reinterpret_cast<HICON>(kSysIconBase + id);
  }
  return static_cast<HICON>(LoadImageA(hInstance, name, IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
}

UINT KyGetIconShape(HICON h) {
  uintptr_t v = reinterpret_cast<uintptr_t>(h);
  if (v > kSysIconBase && v < kSysIconBase + 0x8000) return static_cast<UINT>(v - kSysIconBase);
  return 0;
}

int LookupIconIdFromDirectoryEx(const BYTE* presbits, BOOL fIcon, int cxDesired, int cyDesired, UINT Flags) {
  // The directory has no length of its own; the caller vouches for the
  // entries its count announces.
  if (!presbits || LE16(presbits) != 0 || LE16(presbits + 2) != (fIcon ? 1 : 2) || LE16(presbits + 4) == 0) {
    SetLastError(ERROR_INVALID_DATA);
    return 0;
  }
  int cx = cxDesired, cy = cyDesired;
  if (Flags & LR_DEFAULTSIZE) WantedSize(&cx, &cy, 0, 0, fIcon != 0, Flags);
  int i = BestEntry(presbits + 6, LE16(presbits + 4), 14, fIcon != 0, cx, cy, (Flags & LR_MONOCHROME) != 0, false);
  return LE16(presbits + 6 + 14 * i + 12);
}

int LookupIconIdFromDirectory(const BYTE* presbits, BOOL fIcon) {
  return LookupIconIdFromDirectoryEx(presbits, fIcon, 0, 0, LR_DEFAULTSIZE);
}

HICON CreateIconFromResourceEx(const BYTE* presbits, DWORD dwResSize, BOOL fIcon, DWORD dwVer, int cxDesired,
                               int cyDesired, UINT Flags) {
  if (!presbits || dwVer != 0x00030000 || cxDesired < 0 || cyDesired < 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return IconFromImage(presbits, dwResSize, fIcon != 0, cxDesired, cyDesired, Flags);
}

HICON CreateIconFromResource(const BYTE* presbits, DWORD dwResSize, BOOL fIcon, DWORD dwVer) {
  return CreateIconFromResourceEx(presbits, dwResSize, fIcon, dwVer, 0, 0, 0);
}

HICON CreateIconIndirect(const ICONINFO* ii) {
  int mw = 0, mh = 0;
  if (!ii || !BitmapSize(ii->hbmMask, &mw, &mh)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto icon = std::make_unique<IconObject>();
  icon->fIcon = ii->fIcon != 0;
  icon->xHotspot = ii->xHotspot, icon->yHotspot = ii->yHotspot;
  if (ii->hbmColor) {
    int cw = 0, ch = 0;
    if (!BitmapSize(ii->hbmColor, &cw, &ch) || cw != mw || ch != mh) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    icon->width = mw, icon->height = mh;
    icon->mask = StretchCopy(ii->hbmMask, mw, mh, mw, mh, true);
    icon->color = StretchCopy(ii->hbmColor, mw, mh, mw, mh, false);
  } else {
    // A monochrome icon: AND rows over XOR rows in one bitmap twice as high.
    if (mh < 2 || (mh & 1)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    int h = mh / 2;
    icon->width = mw, icon->height = h;
    HBITMAP top = StretchCopy(ii->hbmMask, mw, h, mw, h, true);
    // The lower half: copy the whole and keep the part below.
    HBITMAP whole = StretchCopy(ii->hbmMask, mw, mh, mw, mh, false);
    HBITMAP bottom = nullptr;
    if (whole) {
      HDC screen = GetDC(nullptr);
      bottom = CreateCompatibleBitmap(screen, mw, h);
      HDC a = CreateCompatibleDC(screen), b = CreateCompatibleDC(screen);
      ReleaseDC(nullptr, screen);
      HGDIOBJ oa = SelectObject(a, whole), ob = SelectObject(b, bottom);
      BitBlt(b, 0, 0, mw, h, a, 0, h, SRCCOPY);
      SelectObject(a, oa);
      SelectObject(b, ob);
      DeleteDC(a);
      DeleteDC(b);
      DeleteObject(whole);
    }
    icon->mask = top;
    icon->color = bottom;
  }
  if (!icon->mask || !icon->color) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return AddIcon(std::move(icon));
}

BOOL GetIconInfo(HICON hIcon, PICONINFO piconinfo) {
  IconObject* icon = LookupIcon(hIcon);
  if (!icon || !piconinfo) {
    SetLastError(icon ? ERROR_INVALID_PARAMETER : ERROR_INVALID_CURSOR_HANDLE);
    return FALSE;
  }
  piconinfo->fIcon = icon->fIcon;
  piconinfo->xHotspot = icon->fIcon ? static_cast<DWORD>(icon->width / 2) : icon->xHotspot;
  piconinfo->yHotspot = icon->fIcon ? static_cast<DWORD>(icon->height / 2) : icon->yHotspot;
  piconinfo->hbmMask = StretchCopy(icon->mask, icon->width, icon->height, icon->width, icon->height, true);
  piconinfo->hbmColor = StretchCopy(icon->color, icon->width, icon->height, icon->width, icon->height, false);
  if (!piconinfo->hbmMask || !piconinfo->hbmColor) {
    if (piconinfo->hbmMask) DeleteObject(piconinfo->hbmMask);
    if (piconinfo->hbmColor) DeleteObject(piconinfo->hbmColor);
    piconinfo->hbmMask = piconinfo->hbmColor = nullptr;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  return TRUE;
}

HICON CopyIcon(HICON hIcon) {
  if (KyGetIconShape(hIcon)) return hIcon;
  IconObject* icon = LookupIcon(hIcon);
  if (!icon) {
    SetLastError(ERROR_INVALID_CURSOR_HANDLE);
    return nullptr;
  }
  auto copy = std::make_unique<IconObject>();
  copy->fIcon = icon->fIcon;
  copy->xHotspot = icon->xHotspot, copy->yHotspot = icon->yHotspot;
  copy->width = icon->width, copy->height = icon->height;
  copy->alpha = icon->alpha;
  copy->mask = StretchCopy(icon->mask, icon->width, icon->height, icon->width, icon->height, true);
  copy->color = StretchCopy(icon->color, icon->width, icon->height, icon->width, icon->height, false);
  if (!copy->mask || !copy->color) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return AddIcon(std::move(copy));
}

BOOL DestroyIcon(HICON hIcon) {
  if (KyGetIconShape(hIcon)) return TRUE;
  auto& m = Icons().icons;
  auto it = m.find(reinterpret_cast<uintptr_t>(hIcon));
  if (it == m.end()) {
    SetLastError(ERROR_INVALID_CURSOR_HANDLE);
    return FALSE;
  }
  if (!it->second->shared) m.erase(it);
  return TRUE;
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON hIcon, int cx, int cy, UINT, HBRUSH hbrFlickerFreeDraw, UINT diFlags) {
  UINT shape = KyGetIconShape(hIcon);
  IconObject* icon = shape ? nullptr : LookupIcon(hIcon);
  if (!hdc || (!shape && !icon)) {
    SetLastError(hdc ? ERROR_INVALID_CURSOR_HANDLE : ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!(diFlags & DI_NORMAL)) diFlags |= DI_NORMAL;
  if (cx == 0) cx = (diFlags & DI_DEFAULTSIZE) || !icon ? GetSystemMetrics(SM_CXICON) : icon->width;
  if (cy == 0) cy = (diFlags & DI_DEFAULTSIZE) || !icon ? GetSystemMetrics(SM_CYICON) : icon->height;
  if (!hbrFlickerFreeDraw)
    return shape ? DrawSystemIcon(hdc, x, y, shape, cx, cy) : DrawIconObject(hdc, x, y, *icon, cx, cy, diFlags);
  // Drawn onto the brush in a bitmap of its own first, then copied at once.
  HDC mem = CreateCompatibleDC(hdc);
  HBITMAP bmp = CreateCompatibleBitmap(hdc, cx, cy);
  if (!mem || !bmp) {
    if (mem) DeleteDC(mem);
    if (bmp) DeleteObject(bmp);
    return FALSE;
  }
  HGDIOBJ old = SelectObject(mem, bmp);
  RECT r{0, 0, cx, cy};
  FillRect(mem, &r, hbrFlickerFreeDraw);
  BOOL ok = shape ? DrawSystemIcon(mem, 0, 0, shape, cx, cy) : DrawIconObject(mem, 0, 0, *icon, cx, cy, diFlags);
  BitBlt(hdc, x, y, cx, cy, mem, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  return ok;
}

BOOL DrawIcon(HDC hdc, int x, int y, HICON hIcon) { return DrawIconEx(hdc, x, y, hIcon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE); }
