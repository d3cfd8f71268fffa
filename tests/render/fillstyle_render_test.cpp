#include <gtest/gtest.h>

#include <vector>

#include "KyFillStyleLib.h"
#include "KySampleSymbols.h"
#include "KyVuv50.h"
#include "bmp_builder.h"
#include "lib_builder.h"
#include "screen_dc.h"

namespace {

// The standard screen at the given depth, with a canvas of width x height.
class Screen : public kytest::ScreenDC {
 public:
  explicit Screen(int bpp = 32, int width = 200, int height = 120)
      : ScreenDC(kytest::StandardScreen(bpp), width, height) {}
};

CKyFillStyle* MonoStyle(CKyFillStyle& s, int w, int h, CKyFillStyle::FS_RESOLUTION res = CKyFillStyle::FS_81DPI) {
  CByteArray pattern;
  kytest::ToArray(kytest::Mono(w, h, [](int x, int y) { return x == 0 || y == 0; }), pattern);
  s.CreateFillStyle(8, "grid", pattern, res);
  return &s;
}

// Every bit set: the foreground everywhere.
void SolidStyle(CKyFillStyle& s) {
  CByteArray pattern;
  kytest::ToArray(kytest::Mono(8, 8, [](int, int) { return true; }), pattern);
  s.CreateFillStyle(8, "solid", pattern, CKyFillStyle::FS_81DPI);
}

TEST(TilePreparation, NaturalSizeKeepsThePhysicalSize) {
  Screen screen;
  CKyFillStyle s;
  MonoStyle(s, 8, 8);
  ASSERT_TRUE(s.SetFillStyle(&screen.dc, RGB(255, 0, 0), RGB(255, 255, 255), CSize(0, 0), 1.0));
  // 8 x 254 / 81 = 25 tenths of a millimetre; 25 x 1024 / 3200 = 8 pixels.
  EXPECT_EQ(8, s.GetTileWidth());
  EXPECT_EQ(8, s.GetTileHeight());

  HDC printer = KyCreatePrinterDC();
  ASSERT_NE(nullptr, printer);
  CDC pdc;
  pdc.Attach(printer);
  ASSERT_TRUE(s.SetFillStyle(&pdc, RGB(255, 0, 0), RGB(255, 255, 255), CSize(0, 0), 1.0));
  EXPECT_EQ(59, s.GetTileWidth());  // 25 x 4800 / 2030
  s.ReleaseBMP();
  pdc.DeleteDC();

  CKyFillStyle t;
  MonoStyle(t, 16, 16, CKyFillStyle::FS_96DPI);
  ASSERT_TRUE(t.SetFillStyle(&screen.dc, 0, RGB(255, 255, 255), CSize(0, 0), 1.0));
  EXPECT_EQ(42 * 1024 / 3200, t.GetTileWidth());  // 16 x 254 / 96 = 42 tenths
}

TEST(TilePreparation, SizeAndScaleRules) {
  Screen screen;
  CKyFillStyle s;
  MonoStyle(s, 8, 8);
  EXPECT_FALSE(s.SetFillStyle(&screen.dc, 0, 0xFFFFFF, CSize(0, 50), 1.0));
  EXPECT_EQ(0, s.GetTileWidth());
  EXPECT_FALSE(s.SetFillStyle(&screen.dc, 0, 0xFFFFFF, CSize(20000, 100), 1.0));  // wider than the screen
  EXPECT_TRUE(s.SetFillStyle(&screen.dc, 0, 0xFFFFFF, CSize(100, 50), 2.0));
  EXPECT_EQ(200 * 1024 / 3200, s.GetTileWidth());
  EXPECT_EQ(100 * 768 / 2400, s.GetTileHeight());
  // A tile under two pixels is drawn at two rather than refused.
  EXPECT_TRUE(s.SetFillStyle(&screen.dc, 0, 0xFFFFFF, CSize(1, 4), 1.0));
  EXPECT_EQ(2, s.GetTileWidth());
  EXPECT_EQ(2, s.GetTileHeight());
  // An absurd scale ends in the size check, not in a wrapped size.
  EXPECT_FALSE(s.SetFillStyle(&screen.dc, 0, 0xFFFFFF, CSize(0, 0), 1e12));
  // Draw refuses one tile side of zero; with both zero it takes the natural size.
  s.m_nTileWidth = 0;
  s.m_nTileHeight = 7;
  CRect r(0, 0, 20, 20);
  EXPECT_FALSE(s.Draw(&screen.dc, &r, 100));
  s.m_nTileHeight = 0;
  EXPECT_TRUE(s.Draw(&screen.dc, &r, 100));
  CKyFillStyle empty;
  EXPECT_FALSE(empty.SetFillStyle(&screen.dc, 0, 0, CSize(0, 0), 1.0));
}

// On a coarse device a small pattern is drawn at the smallest tile that
// can be drawn (two pixels; four for symbols, drawn larger as a whole)
// instead of failing: every style of the built-in library prepares and
// fills at 10 to 20 dpi, opaque and transparent.
TEST(TilePreparation, EveryBuiltInStylePreparesAtLowResolution) {
  CKyFillStyleLib lib;
  ASSERT_TRUE(lib.CreateDefault());
  ASSERT_GT(lib.GetCount(), 90);
  for (int dpi : {10, 13, 20}) {
    kytest::ScreenDC screen(kytest::ScreenAtDpi(200, 200, 32, dpi), 40, 40);
    for (int mode : {OPAQUE, TRANSPARENT}) {
      screen.dc.SetBkMode(mode);
      for (long i = 0; i < lib.GetCount(); ++i) {
        CKyFillStyle s;
        s = *lib.GetFillStyle(i);
        CSize natural(0, 0);
        ASSERT_TRUE(s.SetFillStyleEx(&screen.dc, RGB(255, 0, 0), RGB(255, 255, 255), natural, 1.0))
            << "style " << s.GetFillStyleID() << " at " << dpi << " dpi";
        EXPECT_GE(s.GetTileWidth(), s.GetFillStyleVector() ? 4 : 2);
        CRect r(0, 0, 40, 40);
        // The transparent pair is painted by DisplayEx.
        EXPECT_TRUE(mode == OPAQUE ? s.Display(&screen.dc, &r, 100) : s.DisplayEx(&screen.dc, &r, FALSE, 100))
            << "style " << s.GetFillStyleID() << " at " << dpi << " dpi";
      }
    }
  }
}

// An 8 x 8 grid of 81 dpi is 2.5 mm: under a pixel at 10 dpi, so its tile
// is the two-pixel one.
TEST(TilePreparation, TheSmallestTiles) {
  kytest::ScreenDC screen(kytest::ScreenAtDpi(200, 200, 32, 10), 40, 40);
  CKyFillStyle grid;
  MonoStyle(grid, 8, 8);
  ASSERT_TRUE(grid.SetFillStyle(&screen.dc, RGB(255, 0, 0), RGB(255, 255, 255), CSize(0, 0), 1.0));
  EXPECT_EQ(2, grid.GetTileWidth());
  EXPECT_EQ(2, grid.GetTileHeight());
}

TEST(TilePreparation, TwoColourPatternsTakeTheCallersColoursAndKeepTheirBytes) {
  for (int bpp : {32, 24, 16, 15}) {
    Screen screen(bpp);
    CKyFillStyle s;
    MonoStyle(s, 8, 8);
    CByteArray before;
    s.GetBMPArray(before);
    ASSERT_TRUE(s.SetFillStyle(&screen.dc, RGB(255, 0, 0), RGB(0, 255, 0), CSize(0, 0), 1.0)) << bpp;
    CRect r(0, 0, 16, 16);
    ASSERT_TRUE(s.Display(&screen.dc, &r, 100));
    EXPECT_EQ(RGB(255, 0, 0), screen.At(0, 0)) << bpp;   // bit 1: foreground
    EXPECT_EQ(RGB(0, 255, 0), screen.At(3, 3)) << bpp;   // bit 0: background
    EXPECT_EQ(RGB(255, 0, 0), screen.At(8, 5)) << bpp;   // next tile's first column
    EXPECT_EQ(screen.At(199, 100), screen.At(16, 3)) << bpp;  // untouched paper
    EXPECT_EQ(kytest::FromArray(before), kytest::FromArray(s.m_arrBMP));
  }
}

TEST(TilePreparation, AShortOrLyingImageIsRefused) {
  Screen screen;
  CKyFillStyle s;
  CByteArray bad;
  kytest::ToArray({'B', 'M', 1, 2, 3}, bad);
  s.CreateFillStyle(8, "short", bad, CKyFillStyle::FS_81DPI);
  EXPECT_FALSE(s.SetFillStyle(&screen.dc, 0, 0xFFFFFF, CSize(0, 0), 1.0));
  std::vector<uint8_t> lying = kytest::Mono(8, 8);
  lying[18] = 0xFF;  // claims a width of 255 + ... pixels
  lying[21] = 0x01;
  kytest::ToArray(lying, bad);
  s.CreateFillStyle(8, "lying", bad, CKyFillStyle::FS_81DPI);
  EXPECT_FALSE(s.SetFillStyle(&screen.dc, 0, 0xFFFFFF, CSize(100, 100), 1.0));
  CRect r(0, 0, 10, 10);
  EXPECT_FALSE(s.Draw(&screen.dc, &r, 100));
}

// A 24-bit tile whose every pixel tells its own position: red = x, green = y.
std::vector<uint8_t> PositionImage(int w, int h) {
  return kytest::Colour24(w, h, [](int x, int y) { return RGB(x, y, 0x40); });
}

TEST(TileGrid, PiecesAreAnchoredAtTheTopLeftCorner) {
  Screen screen(32, 200, 120);
  CKyFillStyle s;
  CByteArray pattern;
  kytest::ToArray(PositionImage(32, 32), pattern);
  s.CreateFillStyle(8, "pos", pattern, CKyFillStyle::FS_81DPI);
  // 32 pixels on this screen are 100 tenths of a millimetre.
  ASSERT_TRUE(s.SetFillStyle(&screen.dc, 0, 0, CSize(100, 100), 1.0));
  ASSERT_EQ(32, s.GetTileWidth());
  CRect r(10, 20, 110, 70);  // 100 x 50: 3 full tiles, a 4-wide column, an 18-high row
  ASSERT_TRUE(s.Display(&screen.dc, &r, 100));
  for (int y = 0; y < 120; ++y) {
    for (int x = 0; x < 200; ++x) {
      const COLORREF want = r.PtInRect(CPoint(x, y))
                                ? RGB((x - 10) % 32, (y - 20) % 32, 0x40)
                                : RGB(0xCC, 0xCC, 0xCC);
      ASSERT_EQ(want, screen.At(x, y)) << x << "," << y;
    }
  }
}

TEST(TileGrid, DisplayRestoresAMetricMapModeAndClipsToTheScreen) {
  Screen screen(32, 200, 120);
  CKyFillStyle s;
  MonoStyle(s, 8, 8);
  ASSERT_TRUE(s.SetFillStyle(&screen.dc, RGB(0, 0, 255), RGB(255, 255, 0), CSize(0, 0), 1.0));
  screen.dc.SetMapMode(MM_LOMETRIC);
  screen.dc.SetWindowOrg(5, -7);
  CRect r(5, -7, 5 + 250, -7 - 250);  // 25 mm square from the window origin
  ASSERT_TRUE(s.Display(&screen.dc, &r, 100));
  EXPECT_EQ(MM_LOMETRIC, screen.dc.GetMapMode());
  EXPECT_EQ(CPoint(5, -7), screen.dc.GetWindowOrg());
  screen.dc.SetMapMode(MM_TEXT);
  screen.dc.SetWindowOrg(0, 0);
  EXPECT_EQ(RGB(0, 0, 255), screen.At(0, 0));
  EXPECT_EQ(RGB(255, 255, 0), screen.At(1, 1));
  const int side = 250 * 1024 / 3200;  // device pixels of 25 mm, near enough
  EXPECT_EQ(RGB(0xCC, 0xCC, 0xCC), screen.At(side + 2, 2));
}

TEST(TileGrid, TransparentPairLeavesTheBackgroundAlone) {
  Screen screen(32, 64, 64);
  CKyFillStyle s;
  MonoStyle(s, 8, 8);
  screen.dc.SetBkMode(TRANSPARENT);
  CSize none(0, 0);
  ASSERT_TRUE(s.SetFillStyleEx(&screen.dc, RGB(200, 0, 0), RGB(255, 255, 255), none, 1.0));
  EXPECT_EQ(nullptr, s.m_bmpPattern.GetSafeHandle());
  ASSERT_NE(nullptr, s.m_bmpMask.GetSafeHandle());
  // Wider than a tile, so the rows are laid through bands.
  CRect r(0, 0, 60, 30);
  ASSERT_TRUE(s.DisplayEx(&screen.dc, &r, FALSE, 100));
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const bool ink = r.PtInRect(CPoint(x, y)) && (x % 8 == 0 || y % 8 == 0);
      ASSERT_EQ(ink ? RGB(200, 0, 0) : RGB(0xCC, 0xCC, 0xCC), screen.At(x, y)) << x << "," << y;
    }
  }
}

std::vector<BYTE> BitmapBits(CBitmap& b) {
  BITMAP bm{};
  b.GetBitmap(&bm);
  std::vector<BYTE> bits(static_cast<size_t>(bm.bmWidthBytes) * bm.bmHeight);
  b.GetBitmapBits(static_cast<DWORD>(bits.size()), bits.data());
  return bits;
}

// The pair is made from one preparation of the tile; its bits are those of
// two preparations (black on white for the mask, the foreground on black),
// in every depth, at the natural size, enlarged and shrunk.
TEST(TilePreparation, TheTransparentPairHasTheBitsOfTwoPreparations) {
  struct Size {
    const char* name;
    CSize tenths;
  };
  const Size sizes[] = {{"natural", CSize(0, 0)}, {"enlarged", CSize(130, 90)}, {"shrunk", CSize(22, 19)}};
  for (int bpp : {32, 24, 16, 15, 8}) {
    for (const Size& size : sizes) {
      Screen screen(bpp, 64, 64);
      CKyFillStyle pair, single;
      CByteArray pattern;
      kytest::ToArray(kytest::Mono(16, 12, [](int x, int y) { return (x * 3 + y) % 5 == 0; }), pattern);
      pair.CreateFillStyle(8, "p", pattern, CKyFillStyle::FS_81DPI);
      single.CreateFillStyle(8, "s", pattern, CKyFillStyle::FS_81DPI);
      const COLORREF fore = RGB(200, 60, 10);
      CSize sz = size.tenths;
      screen.dc.SetBkMode(TRANSPARENT);
      ASSERT_TRUE(pair.SetFillStyleEx(&screen.dc, fore, RGB(255, 255, 255), sz, 1.0)) << bpp << size.name;
      ASSERT_TRUE(single.SetFillStyle(&screen.dc, RGB(0, 0, 0), RGB(255, 255, 255), sz, 1.0));
      EXPECT_EQ(BitmapBits(single.m_bmpPattern), BitmapBits(pair.m_bmpMask)) << bpp << " " << size.name;
      ASSERT_TRUE(single.SetFillStyle(&screen.dc, fore, RGB(0, 0, 0), sz, 1.0));
      EXPECT_EQ(BitmapBits(single.m_bmpPattern), BitmapBits(pair.m_bmpFore)) << bpp << " " << size.name;
      EXPECT_EQ(fore, pair.m_crFore);
      EXPECT_EQ(RGB(0, 0, 0), pair.m_crBack);
      EXPECT_EQ(nullptr, pair.m_bmpPattern.GetSafeHandle());
    }
  }
}

TEST(TileGrid, ColourPatternsCannotBeTransparent) {
  Screen screen;
  CKyFillStyle s;
  CByteArray pattern;
  kytest::ToArray(PositionImage(8, 8), pattern);
  s.CreateFillStyle(8, "colour", pattern, CKyFillStyle::FS_81DPI);
  screen.dc.SetBkMode(TRANSPARENT);
  CSize none(0, 0);
  ASSERT_TRUE(s.SetFillStyleEx(&screen.dc, RGB(200, 0, 0), RGB(255, 255, 255), none, 1.0));
  EXPECT_NE(nullptr, s.m_bmpPattern.GetSafeHandle());
  EXPECT_EQ(nullptr, s.m_bmpMask.GetSafeHandle());
}

TEST(FillShapes, PolygonFillsInsideOnlyAndRemovesTheClip) {
  Screen screen(32, 100, 100);
  CKyFillStyle s;
  SolidStyle(s);
  ASSERT_TRUE(s.SetFillStyle(&screen.dc, RGB(0, 128, 0), RGB(255, 255, 255), CSize(0, 0), 1.0));
  POINT tri[] = {{10, 10}, {90, 10}, {10, 90}};
  EXPECT_TRUE(s.Polygon(&screen.dc, tri, 3, FALSE, 100));
  EXPECT_EQ(RGB(0, 128, 0), screen.At(12, 12));
  EXPECT_EQ(RGB(0, 128, 0), screen.At(40, 40));
  EXPECT_EQ(RGB(0xCC, 0xCC, 0xCC), screen.At(80, 80));
  EXPECT_EQ(RGB(0xCC, 0xCC, 0xCC), screen.At(5, 5));
  CRect clip;
  screen.dc.GetClipBox(&clip);
  EXPECT_EQ(CRect(0, 0, 100, 100), clip);
  // No points paint nothing.
  EXPECT_TRUE(s.Polygon(&screen.dc, tri, 0, FALSE, 100));
  EXPECT_EQ(RGB(0xCC, 0xCC, 0xCC), screen.At(80, 80));
  POINT two[] = {{60, 60}, {99, 60}, {99, 99}, {60, 99}, {0, 0}, {5, 0}, {0, 5}};
  int counts[] = {4, 3};
  EXPECT_TRUE(s.PolyPolygon(&screen.dc, two, counts, 2, FALSE, 100));
  EXPECT_EQ(RGB(0, 128, 0), screen.At(80, 80));
  EXPECT_EQ(RGB(0, 128, 0), screen.At(1, 1));
}

// The polygon is converted to device units once: where a logical unit is
// three pixels, the tile covers exactly the device region of the points,
// up to the last column of a sharp tip.
TEST(FillShapes, PolygonInAZoomedMappingCoversItsDeviceRegion) {
  for (long rate : {100L, 50L}) {
    Screen screen(32, 100, 100), ref(32, 100, 100);
    CKyFillStyle s;
    SolidStyle(s);
    ASSERT_TRUE(s.SetFillStyle(&screen.dc, RGB(0, 128, 0), RGB(255, 255, 255), CSize(0, 0), 1.0));
    screen.dc.SetMapMode(MM_ANISOTROPIC);
    screen.dc.SetWindowExt(1, 1);
    screen.dc.SetViewportExt(3, 3);
    POINT tip[] = {{2, 2}, {30, 4}, {2, 3}};  // its device box ends at 76, between two units
    EXPECT_TRUE(s.Polygon(&screen.dc, tip, 3, FALSE, rate));
    EXPECT_EQ(MM_ANISOTROPIC, screen.dc.GetMapMode());
    EXPECT_EQ(CSize(3, 3), screen.dc.GetViewportExt()) << "the caller's mapping stays";
    POINT dev[3] = {tip[0], tip[1], tip[2]};
    screen.dc.LPtoDP(dev, 3);
    screen.dc.SetMapMode(MM_TEXT);
    CRgn rgn;
    rgn.CreatePolygonRgn(dev, 3, ALTERNATE);
    const COLORREF grey = RGB(0xCC, 0xCC, 0xCC);
    const COLORREF ink = rate == 100 ? RGB(0, 128, 0) : RGB(0xCC / 2, (0xCC + 128) / 2, 0xCC / 2);
    int inside = 0;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 100; ++x) {
        const bool in = rgn.PtInRegion(x, y);
        inside += in;
        ASSERT_EQ(in ? ink : grey, screen.At(x, y)) << "rate " << rate << " at " << x << "," << y;
      }
    EXPECT_GT(inside, 50);
  }
}

// A library with the sample dot (id 10) and a symbol pattern drawing it.
struct DotLibrary {
  DotLibrary() {
    CKySymLib samples = KySampleSymbols();
    auto* dot = new CKySymbol;
    *dot = *samples.GetSymbol(kySampleDot);
    EXPECT_EQ(10, lib.AddSymbol(dot));
    style = kytest::AddVector(lib, 8, "dots", 10);
    style = lib.GetFillStyle(0);  // binds the symbol library
    vector = style->GetFillStyleVector();
    vector->RemoveAllPoint();
    vector->SetHeight(100);
  }
  CKyFillStyleLib lib;
  CKyFillStyle* style = nullptr;
  CKyFillStyleVector* vector = nullptr;
};

COLORREF TilePixel(CDC& like, CBitmap& tile, int x, int y) {
  CDC mem;
  mem.CreateCompatibleDC(&like);
  CBitmap* old = mem.SelectObject(&tile);
  const COLORREF c = mem.GetPixel(x, y);
  mem.SelectObject(old);
  return c;
}

TEST(SymbolTile, SizeFollowsTheDevicesPhysicalResolution) {
  Screen screen;
  DotLibrary d;
  d.vector->SetWidth(100);
  d.vector->SetHeight(100);
  CBitmap tile;
  ASSERT_TRUE(d.vector->CreateBitmap(&screen.dc, RGB(0, 0, 0), RGB(0, 255, 0), 1.0, FALSE, tile));
  BITMAP bm;
  tile.GetBitmap(&bm);
  EXPECT_EQ(32, bm.bmWidth);  // 10 mm at 3.2 pixels per millimetre
  EXPECT_EQ(32, bm.bmHeight);
  // No points: a tile of the background colour.
  for (int y = 0; y < 32; y += 7) {
    for (int x = 0; x < 32; x += 7) EXPECT_EQ(RGB(0, 255, 0), TilePixel(screen.dc, tile, x, y));
  }
  // Three device pixels are too few for a tile: the whole tile is drawn a
  // quarter larger, 1.25 mm by 12.5 mm, which gives four.
  d.vector->SetWidth(10);
  ASSERT_TRUE(d.vector->CreateBitmap(&screen.dc, 0, 0xFFFFFF, 1.0, FALSE, tile));
  tile.GetBitmap(&bm);
  EXPECT_EQ(4, bm.bmWidth);
  EXPECT_EQ(40, bm.bmHeight);
  d.vector->SetWidth(0);
  EXPECT_FALSE(d.vector->CreateBitmap(&screen.dc, 0, 0xFFFFFF, 1.0, FALSE, tile));
}

TEST(SymbolTile, ASymbolCutByAnEdgeContinuesOnTheOppositeEdge) {
  Screen screen;
  DotLibrary d;
  // A dot of size 120 is some 25 tenths across; at x = 5 it crosses the left edge.
  d.vector->SetSymSize(120);
  d.vector->AddPoint(CPoint(5, 50));
  CBitmap tile;
  ASSERT_TRUE(d.vector->CreateBitmap(&screen.dc, RGB(0, 0, 0), RGB(255, 255, 255), 1.0, FALSE, tile));
  const int mid = 16;  // y = 50 tenths
  EXPECT_EQ(RGB(0, 0, 0), TilePixel(screen.dc, tile, 1, mid));   // the dot at x = 5
  EXPECT_EQ(RGB(0, 0, 0), TilePixel(screen.dc, tile, 31, mid));  // and again at x = 105
  EXPECT_EQ(RGB(255, 255, 255), TilePixel(screen.dc, tile, 16, mid));
  EXPECT_EQ(RGB(255, 255, 255), TilePixel(screen.dc, tile, 1, 2));
}

TEST(SymbolTile, MissingSymbolAndTheTransparentPair) {
  Screen screen(32, 64, 64);
  DotLibrary d;
  d.vector->AddPoint(CPoint(50, 50));
  screen.dc.SetBkMode(TRANSPARENT);
  CSize none(0, 0);
  ASSERT_TRUE(d.style->SetFillStyleEx(&screen.dc, RGB(200, 0, 0), RGB(255, 255, 255), none, 1.0));
  EXPECT_EQ(32, d.style->GetTileWidth());
  CRect r(0, 0, 64, 64);
  ASSERT_TRUE(d.style->DisplayEx(&screen.dc, &r, FALSE, 100));
  EXPECT_EQ(RGB(200, 0, 0), screen.At(16, 16));   // the dot's centre
  EXPECT_EQ(RGB(200, 0, 0), screen.At(48, 48));
  EXPECT_EQ(screen.At(63, 63), screen.At(2, 2));  // paper shows between the dots
  EXPECT_EQ(RGB(0xCC, 0xCC, 0xCC), screen.At(2, 2));
  d.vector->SetSymID(99);
  CBitmap tile;
  EXPECT_FALSE(d.vector->CreateBitmap(&screen.dc, 0, 0xFFFFFF, 1.0, FALSE, tile));
}

}  // namespace
