// Bitmap and icon resources: LoadBitmap, LoadImage, CBitmap::LoadBitmap,
// icon directories, icons from resources and bitmaps, and DrawIconEx's
// AND/XOR drawing, exact to the pixel.
#include <gtest/gtest.h>

#include <string>

#include "afxres.h"
#include "afxwin.h"
#include "gdiresource.h"
#include "image_resources.h"

using namespace kytest;

namespace {

constexpr WORD kBmp24 = 7101, kBmpMono = 7102, kBmpDamaged = 7103, kBmpGrays = 7104;
constexpr WORD kIconGroup = 7110, kIcon16 = 7111, kIcon32 = 7112, kIconAlpha = 7113, kIconAlphaGroup = 7114;
constexpr WORD kIconBadImage = 7115, kIconBadGroup = 7116;
constexpr COLORREF kRed = RGB(255, 0, 0), kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

// A 4 x 3 picture whose every pixel is different.
COLORREF Pixel(int x, int y) { return RGB(40 * x + 10, 60 * y + 20, 200 - 30 * x - 20 * y); }

// A 4 x 4 icon, by quarter of the rows: picture (mask 0), transparent
// (mask 1, colour 0), inverting (mask 1, colour white), picture.
COLORREF IconColor(int, int y) { return y == 1 ? kBlack : y == 2 ? kWhite : kRed; }
bool IconMask(int, int y) { return y == 1 || y == 2; }

void RegisterAll() {
  static bool done = false;
  if (done) return;
  done = true;
  AddResource(RT_BITMAP, kBmp24, Dib24(4, 3, Pixel));
  AddResource(RT_BITMAP, kBmpMono, Dib1(8, 2, kBlack, kWhite, [](int x, int) { return x % 2 == 1; }));
  AddResource(RT_BITMAP, kBmpGrays,
              Dib1(8, 1, RGB(192, 192, 192), RGB(128, 128, 128), [](int x, int) { return x % 2 == 1; }));
  Bytes damaged = Dib24(100, 100, Pixel);
  damaged.resize(200);  // the rows are gone
  AddResource(RT_BITMAP, kBmpDamaged, damaged);

  Bytes i16 = IconImage(16, 16, 24, [](int, int) { return RGB(0, 0, 255); }, [](int, int) { return false; });
  Bytes i32 = IconImage(32, 32, 24, [](int x, int y) { return IconColor(x, y / 8); },
                        [](int x, int y) { return IconMask(x, y / 8); });
  AddResource(RT_GROUP_ICON, kIconGroup,
              IconGroup({{16, 16, 24, kIcon16, i16.size()}, {32, 32, 24, kIcon32, i32.size()}}));
  AddResource(RT_ICON, kIcon16, i16);
  AddResource(RT_ICON, kIcon32, i32);

  // Opaque left column, half-transparent second, clear right half; no mask needed.
  Bytes alpha = IconImage(4, 4, 32, [](int x, int) -> COLORREF {
    return x == 0 ? 0xFF0000FF : x == 1 ? 0x800000FF : 0;
  }, [](int x, int) { return x >= 2; });
  AddResource(RT_GROUP_ICON, kIconAlphaGroup, IconGroup({{4, 4, 32, kIconAlpha, alpha.size()}}));
  AddResource(RT_ICON, kIconAlpha, alpha);

  Bytes bad = IconImage(8, 8, 24, Pixel, [](int, int) { return false; });
  bad.resize(60);
  AddResource(RT_GROUP_ICON, kIconBadGroup, IconGroup({{8, 8, 24, kIconBadImage, bad.size()}}));
  AddResource(RT_ICON, kIconBadImage, bad);
}

class IconTest : public testing::Test {
 protected:
  void SetUp() override {
    RegisterAll();
    self = GetModuleHandle(nullptr);
  }
  HINSTANCE self = nullptr;
};

// The pixels of a bitmap, read through a memory DC.
COLORREF At(HBITMAP bm, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bm);
  COLORREF c = GetPixel(dc, x, y);
  SelectObject(dc, old);
  DeleteDC(dc);
  return c;
}

// The error a call that must fail leaves; ~0 when it succeeded.
template <class Call>
DWORD FailsWith(Call call) {
  SetLastError(0);
  return call() ? ~0u : GetLastError();
}

bool WriteAll(const std::string& path, const Bytes& bytes) {
  FILE* f = fopen(path.c_str(), "wb");
  return f && fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && fclose(f) == 0;
}

BITMAP Info(HBITMAP bm) {
  BITMAP b{};
  GetObject(bm, sizeof b, &b);
  return b;
}

// A screen-format canvas filled with one colour, to draw icons on.
struct Canvas {
  HDC dc;
  HBITMAP bm;
  HGDIOBJ old;
  Canvas(int w, int h, COLORREF fill) {
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    bm = CreateCompatibleBitmap(screen, w, h);
    ReleaseDC(nullptr, screen);
    old = SelectObject(dc, bm);
    HBRUSH b = CreateSolidBrush(fill);
    RECT r{0, 0, w, h};
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteObject(bm);
    DeleteDC(dc);
  }
};

// LoadBitmap makes device bitmaps; LoadImage also sections, monochrome and
// stretched bitmaps, and maps the colour tables of indexed images.
TEST_F(IconTest, BitmapsLoadWithTheDibsPixelsOrFailWithTheirErrors) {
  HDC screen = GetDC(nullptr);
  const int sb = GetDeviceCaps(screen, BITSPIXEL);
  ReleaseDC(nullptr, screen);
  auto alternate = [](COLORREF even, COLORREF odd) -> PixelFn {
    return [=](int x, int) { return x % 2 ? odd : even; };
  };
  struct Case {
    const char* name;
    WORD id;
    bool image;  // LoadImage with the size and flags, else LoadBitmap
    int cx, cy;
    UINT flags;
    int w, h, bits;
    PixelFn px;   // null: the pixels are not checked
    DWORD error;  // not 0: the load fails with it
  } cases[] = {
      {"24 bits", kBmp24, false, 0, 0, 0, 4, 3, sb, Pixel, 0},
      // A black-and-white DIB loads as a monochrome bitmap.
      {"black and white", kBmpMono, false, 0, 0, 0, 8, 2, 1, alternate(kBlack, kWhite), 0},
      {"missing", 7199, false, 0, 0, 0, 0, 0, 0, nullptr, ERROR_RESOURCE_NAME_NOT_FOUND},
      {"damaged", kBmpDamaged, false, 0, 0, 0, 0, 0, 0, nullptr, ERROR_INVALID_DATA},
      {"section", kBmp24, true, 0, 0, LR_CREATEDIBSECTION, 4, 3, 24, Pixel, 0},
      {"stretched", kBmp24, true, 8, 6, 0, 8, 6, sb, [](int x, int y) { return Pixel(x / 2, y / 2); }, 0},
      {"monochrome", kBmp24, true, 0, 0, LR_MONOCHROME, 4, 3, 1, nullptr, 0},
      {"as stored", kBmpGrays, true, 0, 0, 0, 8, 1, sb, alternate(RGB(192, 192, 192), RGB(128, 128, 128)), 0},
      {"3D colours", kBmpGrays, true, 0, 0, LR_LOADMAP3DCOLORS, 8, 1, sb,
       alternate(GetSysColor(COLOR_3DFACE), GetSysColor(COLOR_3DSHADOW)), 0},
      {"transparent", kBmpGrays, true, 0, 0, LR_LOADTRANSPARENT, 8, 1, sb,
       alternate(GetSysColor(COLOR_WINDOW), RGB(128, 128, 128)), 0},
      // A 24-bit image has no table to map.
      {"24 bits, transparent", kBmp24, true, 0, 0, LR_LOADTRANSPARENT, 4, 3, sb, Pixel, 0},
  };
  for (const Case& c : cases) {
    auto load = [&]() -> HBITMAP {
      if (!c.image) return LoadBitmap(self, MAKEINTRESOURCE(c.id));
      return static_cast<HBITMAP>(LoadImage(self, MAKEINTRESOURCE(c.id), IMAGE_BITMAP, c.cx, c.cy, c.flags));
    };
    if (c.error) {
      EXPECT_EQ(FailsWith(load), c.error) << c.name;
      continue;
    }
    HBITMAP bm = load();
    ASSERT_NE(bm, nullptr) << c.name;
    BITMAP b = Info(bm);
    EXPECT_EQ(b.bmWidth, c.w) << c.name;
    EXPECT_EQ(b.bmHeight, c.h) << c.name;
    EXPECT_EQ(b.bmBitsPixel, c.bits) << c.name;
    EXPECT_EQ(b.bmBits != nullptr, c.flags == LR_CREATEDIBSECTION) << c.name;  // only a section has its bits
    for (int y = 0; c.px && y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) EXPECT_EQ(At(bm, x, y), c.px(x, y)) << c.name << " " << x << "," << y;
    DeleteObject(bm);
  }
  auto* s1 = LoadImage(self, MAKEINTRESOURCE(kBmp24), IMAGE_BITMAP, 0, 0, LR_SHARED);
  EXPECT_EQ(LoadImage(self, MAKEINTRESOURCE(kBmp24), IMAGE_BITMAP, 0, 0, LR_SHARED), s1);
  EXPECT_EQ(FailsWith([&] { return LoadImage(self, MAKEINTRESOURCE(kBmp24), 7, 0, 0, 0); }),
            DWORD{ERROR_INVALID_PARAMETER});
  // CBitmap loads along the resource chain.
  AfxSetResourceHandle(self);
  CBitmap bm, none;
  ASSERT_TRUE(bm.LoadBitmap(kBmp24));
  BITMAP b{};
  bm.GetBitmap(&b);
  EXPECT_EQ(b.bmWidth, 4);
  EXPECT_FALSE(none.LoadBitmap(7199));
  EXPECT_EQ(none.m_hObject, nullptr);
}

// Packed DIBs and icon images are checked against their length and header.
TEST_F(IconTest, DamagedDibsAndIconImagesAreRefused) {
  const Bytes dib = Dib24(4, 3, Pixel), icon = IconImage(8, 8, 24, Pixel, [](int, int) { return false; });
  struct Case {
    const char* name;
    bool icon;  // an icon image, else a packed DIB
    std::function<void(Bytes&)> damage;
  } cases[] = {
      {"header cut", false, [](Bytes& v) { v.resize(20); }},
      {"rows cut by one byte", false, [](Bytes& v) { v.pop_back(); }},
      {"unknown header size", false, [](Bytes& v) { Put(v, 0, 41, 4); }},
      {"bit count 7", false, [](Bytes& v) { Put(v, 14, 7, 2); }},
      {"PNG compression", false, [](Bytes& v) { Put(v, 16, 5, 4); }},
      {"colour count past the table", false, [](Bytes& v) { Put(v, 14, 8, 2), Put(v, 32, 300, 4); }},
      {"height far beyond the bytes", false, [](Bytes& v) { Put(v, 8, 0x7FFFFF, 4); }},
      {"icon cut in the mask", true, [](Bytes& v) { v.resize(v.size() - 1); }},
      {"icon of odd height", true, [](Bytes& v) { Put(v, 8, 15, 4); }},
      {"compressed icon", true, [](Bytes& v) { Put(v, 16, 1, 4); }},
      {"icon with a PNG signature", true, [](Bytes& v) { v[0] = 0x89, v[1] = 'P', v[2] = 'N', v[3] = 'G'; }},
      {"huge icon", true, [](Bytes& v) { Put(v, 4, 100000, 4); }},
  };
  for (const Case& c : cases) {
    Bytes v = c.icon ? icon : dib;
    c.damage(v);
    const DWORD n = static_cast<DWORD>(v.size());
    auto make = [&]() -> bool {
      if (c.icon) return CreateIconFromResourceEx(v.data(), n, TRUE, 0x00030000, 0, 0, 0) != nullptr;
      return KyCreateBitmapFromPackedDib(v.data(), v.size(), KY_DIB_DEVICE) != nullptr;
    };
    EXPECT_EQ(FailsWith(make), DWORD{ERROR_INVALID_DATA}) << c.name;
  }
  HBITMAP bm = KyCreateBitmapFromPackedDib(dib.data(), dib.size(), KY_DIB_DEVICE);
  EXPECT_NE(bm, nullptr);
  DeleteObject(bm);
  HICON ok = CreateIconFromResource(icon.data(), static_cast<DWORD>(icon.size()), TRUE, 0x00030000);
  EXPECT_NE(ok, nullptr);
  DestroyIcon(ok);
  EXPECT_EQ(CreateIconFromResource(icon.data(), static_cast<DWORD>(icon.size()), TRUE, 0x00020000), nullptr);
}

TEST_F(IconTest, LoadImageReadsBmpAndIcoFiles) {
  std::string dir = testing::TempDir();
  Bytes dib = Dib24(4, 3, Pixel);
  Bytes file = {'B', 'M'};
  Put(file, 2, static_cast<uint32_t>(14 + dib.size()), 4);
  Put(file, 6, 0, 4);
  Put(file, 10, 14 + 40, 4);
  file.insert(file.end(), dib.begin(), dib.end());
  std::string bmp = dir + "/kyicon_test.bmp";
  ASSERT_TRUE(WriteAll(bmp, file));
  auto* bm = static_cast<HBITMAP>(LoadImage(nullptr, bmp.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  ASSERT_NE(bm, nullptr);
  EXPECT_EQ(At(bm, 2, 1), Pixel(2, 1));
  DeleteObject(bm);

  Bytes img = IconImage(16, 16, 24, [](int, int) { return kRed; }, [](int, int) { return false; });
  // The file's directory: type 1, one entry of 16 x 16, 1 plane, 24 bits, the size and offset; the rest 0.
  Bytes ico;
  const struct {
    size_t at;
    uint32_t value;
    int bytes;
  } fields[] = {{2, 1, 2}, {4, 1, 2}, {6, 16, 1}, {7, 16, 1}, {10, 1, 2}, {12, 24, 2},
                {14, static_cast<uint32_t>(img.size()), 4}, {18, 22, 4}};
  for (const auto& f : fields) Put(ico, f.at, f.value, f.bytes);
  ico.insert(ico.end(), img.begin(), img.end());
  std::string icoPath = dir + "/kyicon_test.ico";
  ASSERT_TRUE(WriteAll(icoPath, ico));
  auto* icon = static_cast<HICON>(LoadImage(nullptr, icoPath.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE));
  ASSERT_NE(icon, nullptr);
  Canvas c(16, 16, kWhite);
  EXPECT_TRUE(DrawIconEx(c.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(GetPixel(c.dc, 8, 8), kRed);
  EXPECT_TRUE(DestroyIcon(icon));
  auto none = [&] { return LoadImage(nullptr, (dir + "/none.ico").c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE); };
  EXPECT_EQ(FailsWith(none), DWORD{ERROR_FILE_NOT_FOUND});
}

TEST_F(IconTest, TheDirectoryEntryNearestInSizeIsChosen) {
  HRSRC r = FindResource(self, MAKEINTRESOURCE(kIconGroup), RT_GROUP_ICON);
  ASSERT_NE(r, nullptr);
  auto* dir = static_cast<const BYTE*>(LockResource(LoadResource(self, r)));
  struct Case {
    int cx, cy;
    UINT flags;
    int id;
  } cases[] = {
      {16, 16, 0, kIcon16}, {32, 32, 0, kIcon32}, {20, 20, 0, kIcon16},
      {28, 28, 0, kIcon32}, {48, 48, 0, kIcon32}, {0, 0, LR_DEFAULTSIZE, kIcon32},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LookupIconIdFromDirectoryEx(dir, TRUE, c.cx, c.cy, c.flags), c.id) << c.cx << "x" << c.cy;
  EXPECT_EQ(LookupIconIdFromDirectory(dir, TRUE), kIcon32);
  EXPECT_EQ(LookupIconIdFromDirectoryEx(dir, FALSE, 32, 32, 0), 0);  // not a cursor directory
}

TEST_F(IconTest, LoadIconTakesTheSystemSizeAndHandsOutOneHandle) {
  HICON icon = LoadIcon(self, MAKEINTRESOURCE(kIconGroup));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(LoadIcon(self, MAKEINTRESOURCE(kIconGroup)), icon);
  EXPECT_EQ(KyGetIconShape(icon), 0u);
  ICONINFO ii{};
  ASSERT_TRUE(GetIconInfo(icon, &ii));
  EXPECT_TRUE(ii.fIcon);
  EXPECT_EQ(Info(ii.hbmColor).bmWidth, 32);
  EXPECT_EQ(Info(ii.hbmMask).bmHeight, 32);
  EXPECT_EQ(Info(ii.hbmMask).bmBitsPixel, 1);
  DeleteObject(ii.hbmColor);
  DeleteObject(ii.hbmMask);
  // The module's icon stays: destroying it does nothing.
  EXPECT_TRUE(DestroyIcon(icon));
  Canvas c(32, 32, kWhite);
  EXPECT_TRUE(DrawIcon(c.dc, 0, 0, icon));

  auto* small = static_cast<HICON>(LoadImage(self, MAKEINTRESOURCE(kIconGroup), IMAGE_ICON, 16, 16, 0));
  ASSERT_NE(small, nullptr);
  ASSERT_TRUE(GetIconInfo(small, &ii));
  EXPECT_EQ(Info(ii.hbmColor).bmWidth, 16);
  Canvas c16(16, 16, kWhite);
  DrawIconEx(c16.dc, 0, 0, small, 0, 0, 0, nullptr, DI_NORMAL);
  EXPECT_EQ(GetPixel(c16.dc, 5, 5), RGB(0, 0, 255));
  DeleteObject(ii.hbmColor);
  DeleteObject(ii.hbmMask);
  EXPECT_TRUE(DestroyIcon(small));
  EXPECT_EQ(FailsWith([&] { return DestroyIcon(small); }), DWORD{ERROR_INVALID_CURSOR_HANDLE});
  for (auto [id, error] :
       {std::pair<WORD, DWORD>{7198, ERROR_RESOURCE_NAME_NOT_FOUND}, {kIconBadGroup, ERROR_INVALID_DATA}})
    EXPECT_EQ(FailsWith([&] { return LoadIcon(self, MAKEINTRESOURCE(id)); }), error) << id;
}

TEST_F(IconTest, DrawIconExAndsTheMaskThenXorsTheImage) {
  HICON icon = LoadIcon(self, MAKEINTRESOURCE(kIconGroup));
  ASSERT_NE(icon, nullptr);
  const COLORREF back = RGB(0x33, 0x66, 0x99);
  struct Case {
    const char* name;
    UINT flags;
    COLORREF rows[4];  // expected colour of each band of rows
  } cases[] = {
      {"normal", DI_NORMAL, {kRed, back, RGB(0xCC, 0x99, 0x66), kRed}},
      {"mask", DI_MASK, {kBlack, back, back, kBlack}},
      {"image", DI_IMAGE, {kRed, kBlack, kWhite, kRed}},
  };
  for (const Case& c : cases) {
    Canvas canvas(32, 32, back);
    ASSERT_TRUE(DrawIconEx(canvas.dc, 0, 0, icon, 32, 32, 0, nullptr, c.flags)) << c.name;
    for (int band = 0; band < 4; ++band)
      EXPECT_EQ(GetPixel(canvas.dc, 10, band * 8 + 3), c.rows[band]) << c.name << " band " << band;
  }
  // Stretched to half size, and with a flicker-free brush under it.
  Canvas half(16, 16, back);
  DrawIconEx(half.dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
  EXPECT_EQ(GetPixel(half.dc, 5, 1), kRed);
  EXPECT_EQ(GetPixel(half.dc, 5, 5), back);
  Canvas brushed(32, 32, back);
  HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
  DrawIconEx(brushed.dc, 0, 0, icon, 32, 32, 0, green, DI_NORMAL);
  DeleteObject(green);
  EXPECT_EQ(GetPixel(brushed.dc, 10, 11), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(brushed.dc, 10, 19), RGB(255, 0, 255));

  auto bad = reinterpret_cast<HICON>(0x1234);
  EXPECT_EQ(FailsWith([&] { return DrawIconEx(half.dc, 0, 0, bad, 0, 0, 0, nullptr, DI_NORMAL); }),
            DWORD{ERROR_INVALID_CURSOR_HANDLE});
}

TEST_F(IconTest, AnAlphaChannelBlendsTheImage) {
  HICON icon = LoadIcon(self, MAKEINTRESOURCE(kIconAlphaGroup));
  ASSERT_NE(icon, nullptr);
  Canvas c(4, 4, kWhite);
  ASSERT_TRUE(DrawIconEx(c.dc, 0, 0, icon, 4, 4, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(GetPixel(c.dc, 0, 0), kRed);
  // 0x80 of red over white: 255 * 128 / 255 + 255 * 127 / 255, rounded.
  EXPECT_EQ(GetPixel(c.dc, 1, 0), RGB(255, 127, 127));
  EXPECT_EQ(GetPixel(c.dc, 3, 3), kWhite);
}

TEST_F(IconTest, IconsFromBitmapsCopyThemAndGiveCopiesBack) {
  HDC screen = GetDC(nullptr);
  HBITMAP color = CreateCompatibleBitmap(screen, 2, 2);
  ReleaseDC(nullptr, screen);
  BYTE maskBits[4] = {0x40, 0, 0x80, 0};  // rows, 2 bytes each: .X and X.
  HBITMAP mask = CreateBitmap(2, 2, 1, 1, maskBits);
  {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, color);
    SetPixel(dc, 0, 0, kRed);
    SetPixel(dc, 1, 0, kBlack);
    SetPixel(dc, 0, 1, kBlack);
    SetPixel(dc, 1, 1, RGB(0, 0, 255));
    SelectObject(dc, old);
    DeleteDC(dc);
  }
  ICONINFO ii{TRUE, 0, 0, mask, color};
  HICON icon = CreateIconIndirect(&ii);
  ASSERT_NE(icon, nullptr);
  DeleteObject(color);
  DeleteObject(mask);  // the icon keeps copies of its own
  Canvas c(2, 2, RGB(0, 255, 0));
  ASSERT_TRUE(DrawIconEx(c.dc, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(GetPixel(c.dc, 0, 0), kRed);
  EXPECT_EQ(GetPixel(c.dc, 1, 0), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(c.dc, 0, 1), RGB(0, 255, 0));
  EXPECT_EQ(GetPixel(c.dc, 1, 1), RGB(0, 0, 255));

  ICONINFO back{};
  ASSERT_TRUE(GetIconInfo(icon, &back));
  EXPECT_EQ(At(back.hbmColor, 1, 1), RGB(0, 0, 255));
  EXPECT_EQ(At(back.hbmMask, 1, 0), kWhite);
  EXPECT_EQ(back.xHotspot, 1u);
  DeleteObject(back.hbmColor);
  DeleteObject(back.hbmMask);

  HICON copy = CopyIcon(icon);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, icon);
  EXPECT_TRUE(DestroyIcon(icon));
  Canvas c2(2, 2, RGB(0, 255, 0));
  EXPECT_TRUE(DrawIconEx(c2.dc, 0, 0, copy, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(GetPixel(c2.dc, 0, 0), kRed);
  EXPECT_TRUE(DestroyIcon(copy));

  // A monochrome icon: AND rows over XOR rows in one bitmap.
  BYTE monoBits[8] = {0, 0, 0xC0, 0, 0xC0, 0, 0, 0};  // AND rows 00, 11; XOR rows 11, 00
  HBITMAP both = CreateBitmap(2, 4, 1, 1, monoBits);
  ICONINFO mono{TRUE, 0, 0, both, nullptr};
  HICON m = CreateIconIndirect(&mono);
  ASSERT_NE(m, nullptr);
  Canvas c3(2, 2, RGB(0, 255, 0));
  DrawIconEx(c3.dc, 0, 0, m, 0, 0, 0, nullptr, DI_NORMAL);
  EXPECT_EQ(GetPixel(c3.dc, 0, 0), kWhite);
  EXPECT_EQ(GetPixel(c3.dc, 0, 1), RGB(0, 255, 0));
  DestroyIcon(m);
  DeleteObject(both);

  ICONINFO none{TRUE, 0, 0, nullptr, nullptr};
  EXPECT_EQ(FailsWith([&] { return CreateIconIndirect(&none); }), DWORD{ERROR_INVALID_PARAMETER});
}

TEST_F(IconTest, SystemIconsAreStillTheirShapes) {
  HICON q = LoadIcon(nullptr, IDI_QUESTION);
  ASSERT_NE(q, nullptr);
  EXPECT_EQ(KyGetIconShape(q), 32514u);
  Canvas c(32, 32, RGB(0, 255, 0));
  EXPECT_TRUE(DrawIconEx(c.dc, 0, 0, q, 32, 32, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(GetPixel(c.dc, 4, 16), kWhite);  // inside the round face
  EXPECT_EQ(GetPixel(c.dc, 0, 0), RGB(0, 255, 0));
  EXPECT_TRUE(DestroyIcon(q));
  EXPECT_EQ(LoadIcon(nullptr, MAKEINTRESOURCE(100)), nullptr);
}

}  // namespace
