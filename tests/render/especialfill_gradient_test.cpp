// The gradients: solid fallbacks, the band walk of the linear kind, the
// rings, sectors and squares of the centred kinds, the polygon forms and the
// DC's mapping afterwards. Every kind in every depth, pixel for pixel, is in
// golden_fill_test.cpp.
#include <gtest/gtest.h>

#include <cstdlib>

#include <set>

#include "KyEspecialFill.h"
#include "especialfill_device.h"

namespace {

using kytest::FillDevice;

class Fill : public CKyEspecialFill {
 public:
  using CKyEspecialFill::GetConicalBitmap;
  using CKyEspecialFill::GetLinearBitmap;
  using CKyEspecialFill::GetRadialBitmap;
  using CKyEspecialFill::GetSquareBitmap;
};

// 0x00RRGGBB of a COLORREF, as the device helper reports pixels.
DWORD View(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

// c1 + trunc((c2 - c1) * t) per component, t = num / den in doubles.
COLORREF Along(COLORREF c1, COLORREF c2, double num, double den) {
  double t = num / den;
  if (t > 1) t = 1;
  auto mix = [t](int a, int b) { return a + static_cast<int>((b - a) * t); };
  return RGB(mix(c1 & 0xFF, c2 & 0xFF), mix((c1 >> 8) & 0xFF, (c2 >> 8) & 0xFF),
             mix((c1 >> 16) & 0xFF, (c2 >> 16) & 0xFF));
}

const COLORREF kFrom = RGB(0, 0, 0), kTo = RGB(200, 100, 50);

TEST(EspecialFillGradient, EqualColoursOrNoTypePaintASolidOpaqueFill) {
  struct {
    const char* name;
    long type;
    COLORREF start, end;
    long rate;
  } cases[] = {
      {"linear, equal colours, rate 30", 1, RGB(10, 20, 30), RGB(10, 20, 30), 30},
      {"radial, equal colours", 2, RGB(10, 20, 30), RGB(10, 20, 30), 100},
      {"conical, equal colours", 3, RGB(10, 20, 30), RGB(10, 20, 30), 5},
      {"square, equal colours", 4, RGB(10, 20, 30), RGB(10, 20, 30), 50},
      {"type 0", 0, RGB(10, 20, 30), RGB(250, 0, 0), 50},
      {"type 5", 5, RGB(10, 20, 30), RGB(250, 0, 0), 50},
      {"type -1", -1, RGB(10, 20, 30), RGB(250, 0, 0), 100},
  };
  for (auto& c : cases) {
    FillDevice dev(40, 30, 32);
    CRect rect(5, 5, 35, 25);
    EXPECT_TRUE(CKyEspecialFill::GradientRectangle(&dev.dc, &rect, c.start, c.end, 0, 0, 0, c.type, FALSE, c.rate))
        << c.name;
    EXPECT_EQ(dev.PixelAt(5, 5), View(c.start)) << c.name;
    EXPECT_EQ(dev.PixelAt(20, 15), View(c.start)) << c.name;
    EXPECT_EQ(dev.PixelAt(4, 4), 0xFFFFFFu) << c.name;
    EXPECT_EQ(dev.PixelAt(36, 26), 0xFFFFFFu) << c.name;
  }
}

// Angle 0 on 200 x 100: the colour axis runs from (0, 0) to (200, 0), the
// walk goes from 0 to 202 in steps of 2 with vertical pens 2 wide, each band
// in the colour of its x on the axis. A pen 2 wide at x covers x - 1 and x,
// so pixel x shows the band at the next even x.
TEST(EspecialFillGradient, LinearLeftToRightBands) {
  FillDevice dev(300, 120, 32);
  CRect rect(0, 0, 200, 100);
  EXPECT_TRUE(CKyEspecialFill::GradientRectangle(&dev.dc, &rect, kFrom, kTo, 0, 0, 0, 1, FALSE, 100));
  const std::vector<DWORD> px = dev.Pixels();
  for (int y : {0, 50, 99})
    for (int x = 0; x < 200; ++x) {
      const int band = x + (x & 1);
      ASSERT_EQ(px[y * 300 + x], View(Along(kFrom, kTo, band, 200))) << x << "," << y;
    }
  EXPECT_EQ(px[50 * 300 + 0], View(kFrom));
  EXPECT_EQ(px[50 * 300 + 199], View(kTo));
  EXPECT_EQ(px[50 * 300 + 200], 0xFFFFFFu);
  EXPECT_EQ(px[100 * 300 + 50], 0xFFFFFFu);
}

// Angle 1800 runs the same axis the other way: the picture is the angle-0
// one mirrored, crStart at the right edge and crEnd at the left.
TEST(EspecialFillGradient, LinearRightToLeftMirrorsLeftToRight) {
  FillDevice ltr(200, 100, 32), rtl(200, 100, 32);
  CRect rect(0, 0, 200, 100);
  EXPECT_TRUE(CKyEspecialFill::GradientRectangle(&ltr.dc, &rect, kFrom, kTo, 0, 0, 0, 1, FALSE, 100));
  EXPECT_TRUE(CKyEspecialFill::GradientRectangle(&rtl.dc, &rect, kFrom, kTo, 1800, 0, 0, 1, FALSE, 100));
  for (int y : {0, 50, 99})
    for (int x = 0; x < 200; ++x) ASSERT_EQ(rtl.PixelAt(x, y), ltr.PixelAt(199 - x, y)) << x << "," << y;
}

// Angle 900: from the bottom-left corner to the top-left one, one band per
// row (100 rows, step 1), crStart at the bottom and crEnd at the top.
TEST(EspecialFillGradient, LinearBottomToTop) {
  FillDevice dev(220, 120, 32);
  CRect rect(0, 0, 200, 100);
  EXPECT_TRUE(CKyEspecialFill::GradientRectangle(&dev.dc, &rect, kFrom, kTo, 900, 0, 0, 1, FALSE, 100));
  const std::vector<DWORD> px = dev.Pixels();
  for (int y = 0; y < 100; ++y)
    for (int x : {0, 100, 199}) ASSERT_EQ(px[y * 220 + x], View(Along(kFrom, kTo, 100 - y, 100))) << x << "," << y;
}

// Angle 450 on a square: the axis from the bottom-left corner to the top-right
// one; colours along the diagonal rise toward the top right.
TEST(EspecialFillGradient, LinearDiagonalOnASquare) {
  FillDevice dev(120, 120, 32);
  CRect rect(0, 0, 100, 100);
  EXPECT_TRUE(CKyEspecialFill::GradientRectangle(&dev.dc, &rect, kFrom, kTo, 450, 0, 0, 1, FALSE, 100));
  int last = -1;
  for (int i = 2; i < 98; i += 4) {
    const int red = (dev.PixelAt(i, 99 - i) >> 16) & 0xFF;
    EXPECT_GE(red, last) << i;
    last = red;
  }
  EXPECT_LE((dev.PixelAt(1, 98) >> 16) & 0xFF, 8u);
  EXPECT_GE((dev.PixelAt(98, 1) >> 16) & 0xFF, 192u);
  // Lines across the axis are bands of one colour.
  EXPECT_EQ(dev.PixelAt(30, 50), dev.PixelAt(50, 70));
}

TEST(EspecialFillGradient, PolygonAnglesAreBroughtIntoOneTurn) {
  POINT box[4] = {{10, 10}, {90, 10}, {90, 60}, {10, 60}};
  FillDevice a(100, 70, 32), b(100, 70, 32);
  EXPECT_TRUE(CKyEspecialFill::GradientPolygon(&a.dc, box, 4, kFrom, kTo, -900, 0, 0, 1, FALSE, 100, nullptr));
  CRect rect(10, 10, 90, 60);
  EXPECT_TRUE(CKyEspecialFill::GradientRectangle(&b.dc, &rect, kFrom, kTo, 2700, 0, 0, 1, FALSE, 100));
  EXPECT_EQ(a.Raw(), b.Raw());
  // 2700: crStart at the top.
  EXPECT_EQ(a.PixelAt(50, 10), View(Along(kFrom, kTo, 0, 50)));
}

TEST(EspecialFillGradient, PolygonIsClippedToItsShape) {
  FillDevice dev(100, 100, 32);
  POINT tri[3] = {{10, 10}, {90, 10}, {10, 90}};
  EXPECT_TRUE(CKyEspecialFill::GradientPolygon(&dev.dc, tri, 3, kFrom, kTo, 0, 0, 0, 2, FALSE, 100, nullptr));
  EXPECT_NE(dev.PixelAt(20, 20), 0xFFFFFFu);
  EXPECT_EQ(dev.PixelAt(80, 80), 0xFFFFFFu);
  CRgn probe;
  probe.CreateRectRgn(0, 0, 1, 1);
  EXPECT_EQ(::GetClipRgn(dev.dc.m_hDC, (HRGN)probe.m_hObject), 0);

  POINT pts[8] = {{0, 0}, {60, 0}, {60, 60}, {0, 60}, {20, 20}, {40, 20}, {40, 40}, {20, 40}};
  int counts[2] = {4, 4};
  dev.Paint(RGB(255, 255, 255));
  EXPECT_TRUE(CKyEspecialFill::GradientPolyPolygon(&dev.dc, pts, counts, 2, kFrom, kTo, 0, 0, 0, 1, FALSE, 100,
                                                   nullptr));
  EXPECT_NE(dev.PixelAt(10, 10), 0xFFFFFFu);
  EXPECT_EQ(dev.PixelAt(30, 30), 0xFFFFFFu);

  POINT off[3] = {{200, 200}, {300, 200}, {200, 300}};
  EXPECT_TRUE(CKyEspecialFill::GradientPolygon(&dev.dc, off, 3, kFrom, kTo, 0, 0, 0, 1, FALSE, 100, nullptr) ==
              FALSE);
  EXPECT_FALSE(CKyEspecialFill::GradientPolygon(&dev.dc, nullptr, 3, kFrom, kTo, 0, 0, 0, 1, FALSE, 100, nullptr));
  EXPECT_FALSE(CKyEspecialFill::GradientPolygon(&dev.dc, tri, 0, kFrom, kTo, 0, 0, 0, 1, FALSE, 100, nullptr));
}

// Half off the screen: the bitmap covers the visible half only, and its
// colours are those of the whole gradient there.
TEST(EspecialFillGradient, PartlyVisibleGradientKeepsItsColours) {
  FillDevice dev(150, 100, 32);
  CRect rect(-100, 0, 100, 50);
  CBitmap bitmap;
  EXPECT_TRUE(Fill::GetLinearBitmap(&dev.dc, &rect, kFrom, kTo, 0, bitmap, FALSE));
  BITMAP bm{};
  bitmap.GetBitmap(&bm);
  EXPECT_EQ(bm.bmWidth, 100);
  EXPECT_EQ(bm.bmHeight, 50);
  EXPECT_TRUE(CKyEspecialFill::GradientRectangle(&dev.dc, &rect, kFrom, kTo, 0, 0, 0, 1, FALSE, 100));
  // Device x 0 is axis x 100 of 200.
  EXPECT_EQ(dev.PixelAt(0, 25), View(Along(kFrom, kTo, 100, 200)));
  EXPECT_EQ(dev.PixelAt(99, 25), View(kTo));
  EXPECT_EQ(dev.PixelAt(100, 25), 0xFFFFFFu);
}

// Radial, offsets 0, on 200 x 100: centre (100, 50), rmax 112, step 2, pens
// 3 wide; a dot of crStart, then rings 3, 5, ... 111 (the last radius not
// above ceil(111.8) = 112), ring r in crStart + (crEnd - crStart) * r / 112.
TEST(EspecialFillGradient, RadialRings) {
  FillDevice dev(200, 100, 32);
  CRect rect(0, 0, 200, 100);
  const COLORREF end = RGB(224, 112, 0);
  EXPECT_TRUE(CKyEspecialFill::GradientRectangle(&dev.dc, &rect, kFrom, end, 0, 0, 0, 2, FALSE, 100));
  std::vector<DWORD> ring;
  for (int r = 3; r <= 111; r += 2) ring.push_back(View(Along(kFrom, end, r, 112)));
  EXPECT_EQ(dev.PixelAt(100, 50), View(kFrom));
  // Along the radius to the right: ring colours only, never falling, and
  // every ring shows.
  std::set<DWORD> seen;
  size_t last = 0;
  for (int x = 101; x < 200; ++x) {
    const DWORD p = dev.PixelAt(x, 50);
    auto it = std::find(ring.begin(), ring.end(), p);
    ASSERT_NE(it, ring.end()) << "x " << x << " shows " << std::hex << p;
    const size_t at = static_cast<size_t>(it - ring.begin());
    ASSERT_GE(at, last) << x;
    last = at;
    seen.insert(p);
  }
  EXPECT_EQ(seen.size(), 50u);  // rings 3 to 101: x 199 lies at 99, inside the pen of ring 101
  // The corners lie at 111.8: the last ring, 111, and not the end colour.
  EXPECT_EQ(dev.PixelAt(0, 0), View(Along(kFrom, end, 111, 112)));
  EXPECT_EQ(dev.PixelAt(199, 99), dev.PixelAt(1, 1));
}

TEST(EspecialFillGradient, RadialCentreOnTheRightEdge) {
  // hOffset 50 moves the centre half the width to the right: onto the right
  // edge. The far corner is the left one, at 206.2: rmax 207.
  FillDevice dev(200, 100, 32);
  CRect rect(0, 0, 200, 100);
  const COLORREF end = RGB(207, 0, 0);
  EXPECT_TRUE(CKyEspecialFill::GradientRectangle(&dev.dc, &rect, kFrom, end, 0, 50, 0, 2, FALSE, 100));
  // step ceil(207 / 72) = 3; the centre (200, 50) is outside the bitmap, so
  // rings start at trunc(100 - 111.8) -> at least 1 and run to 212.
  const DWORD corner = dev.PixelAt(0, 0);
  EXPECT_GE((corner >> 16) & 0xFF, 204u);
  // Ring 4, three pixels from the centre, in 207 * 4 / 207 = 4.
  EXPECT_EQ(dev.PixelAt(197, 50), View(RGB(4, 0, 0)));
  EXPECT_LT(dev.PixelAt(150, 50) >> 16 & 0xFF, dev.PixelAt(50, 50) >> 16 & 0xFF);
}

TEST(EspecialFillGradient, ConicalTurnsFromTheAngle) {
  FillDevice dev(200, 200, 32);
  CRect rect(0, 0, 200, 200);
  const COLORREF end = RGB(255, 255, 255);
  EXPECT_TRUE(CKyEspecialFill::GradientRectangle(&dev.dc, &rect, kFrom, end, 0, 0, 0, 3, FALSE, 100));
  // crStart to the right of the centre, crEnd to the left.
  EXPECT_EQ(dev.PixelAt(190, 100), View(kFrom));
  EXPECT_EQ(dev.PixelAt(10, 100), View(Along(kFrom, end, 64, 64)));
  // Straight up is a quarter of the way round: sector 32 of 64.
  EXPECT_EQ(dev.PixelAt(100, 10), View(Along(kFrom, end, 32, 64)));
  // The halves mirror each other about the line y = 100 between rows 99
  // and 100, up to one sector: a pixel on a sector edge is taken by the fill
  // rule's top-left sampling, which is not mirror-symmetric, so its mirror
  // may lie a sector or two away near the centre (4 per channel a sector).
  const auto close = [](DWORD a, DWORD b) {
    for (int shift : {0, 8, 16}) {
      if (std::abs(static_cast<int>(a >> shift & 0xFF) - static_cast<int>(b >> shift & 0xFF)) > 8) return false;
    }
    return true;
  };
  // Close to the centre a pixel spans several sectors, so it is left out.
  for (int x = 0; x < 200; x += 3) {
    for (int dy = 1; dy <= 100; dy += 3) {
      if (std::abs(x - 100) < 25 && dy < 25) continue;
      ASSERT_TRUE(close(dev.PixelAt(x, 100 - dy), dev.PixelAt(x, 99 + dy)))
          << x << " " << dy << ": " << std::hex << dev.PixelAt(x, 100 - dy) << " " << dev.PixelAt(x, 99 + dy);
    }
  }
}

TEST(EspecialFillGradient, SquareFullTurnIsAxisAligned) {
  FillDevice a(160, 100, 32), b(160, 100, 32), c(160, 100, 32);
  CRect rect(0, 0, 160, 100);
  EXPECT_TRUE(CKyEspecialFill::GradientRectangle(&a.dc, &rect, kFrom, kTo, 0, 10, -10, 4, FALSE, 100));
  EXPECT_TRUE(CKyEspecialFill::GradientRectangle(&b.dc, &rect, kFrom, kTo, 3600, 10, -10, 4, FALSE, 100));
  EXPECT_TRUE(CKyEspecialFill::GradientRectangle(&c.dc, &rect, kFrom, kTo, 300, 10, -10, 4, FALSE, 100));
  EXPECT_EQ(a.Raw(), b.Raw());
  EXPECT_NE(a.Raw(), c.Raw());
  // Axis-aligned squares: pixels at the same distance along x and along y
  // from the centre (96, 60) share a ring.
  EXPECT_EQ(a.PixelAt(96 + 30, 60), a.PixelAt(96, 60 + 30));
  EXPECT_EQ(a.PixelAt(96 + 30, 60 - 20), a.PixelAt(96 + 30, 60 + 20));
}

// Nothing to fill, and centred kinds of less than two visible pixels, are
// refused and draw nothing; the linear kind draws a single row.
TEST(EspecialFillGradient, RefusedRectanglesAndCentredKindsOfOnePixel) {
  FillDevice dev(100, 100, 32);
  const struct {
    const char* name;
    CRect rect;
    long type;
  } refused[] = {
      {"empty", CRect(5, 5, 5, 25), 1},
      {"radial one pixel high", CRect(0, 10, 100, 11), 2},
      {"conical one pixel high", CRect(0, 10, 100, 11), 3},
      {"square one pixel high", CRect(0, 10, 100, 11), 4},
      {"visible one pixel high at the bottom", CRect(0, 99, 100, 150), 2},
  };
  for (const auto& c : refused) {
    CRect rect = c.rect;
    EXPECT_FALSE(CKyEspecialFill::GradientRectangle(&dev.dc, &rect, kFrom, kTo, 0, 0, 0, c.type, FALSE, 100))
        << c.name;
  }
  EXPECT_FALSE(CKyEspecialFill::GradientRectangle(&dev.dc, nullptr, kFrom, kTo, 0, 0, 0, 1, FALSE, 100));
  CRect thin(0, 10, 100, 11);
  EXPECT_FALSE(CKyEspecialFill::GradientRectangle(nullptr, &thin, kFrom, kTo, 0, 0, 0, 1, FALSE, 100));
  CBitmap bitmap;
  EXPECT_FALSE(Fill::GetRadialBitmap(&dev.dc, &thin, kFrom, kTo, 0, 0, bitmap, FALSE));
  EXPECT_FALSE(Fill::GetConicalBitmap(&dev.dc, &thin, kFrom, kTo, 0, 0, 0, bitmap, FALSE));
  EXPECT_FALSE(Fill::GetSquareBitmap(&dev.dc, &thin, kFrom, kTo, 0, 0, 0, bitmap, FALSE));
  for (DWORD p : dev.Pixels()) ASSERT_EQ(p, 0xFFFFFFu);
  EXPECT_TRUE(CKyEspecialFill::GradientRectangle(&dev.dc, &thin, kFrom, kTo, 0, 0, 0, 1, FALSE, 100));
  EXPECT_EQ(dev.PixelAt(0, 10), View(kFrom));
}

TEST(EspecialFillGradient, RateBlendsTheGradient) {
  FillDevice dev(220, 100, 32), opaque(220, 100, 32);
  CRect rect(0, 0, 200, 100);
  EXPECT_TRUE(CKyEspecialFill::GradientRectangle(&dev.dc, &rect, kFrom, kTo, 0, 0, 0, 1, FALSE, 50));
  EXPECT_TRUE(CKyEspecialFill::GradientRectangle(&opaque.dc, &rect, kFrom, kTo, 0, 0, 0, 1, FALSE, 100));
  for (int x : {0, 51, 120, 199}) {
    const DWORD g = opaque.PixelAt(x, 40), p = dev.PixelAt(x, 40);
    for (int shift : {0, 8, 16})
      EXPECT_EQ((p >> shift) & 0xFF, 255u / 2 + ((g >> shift) & 0xFF) / 2) << x << " " << shift;
  }
}

TEST(EspecialFillGradient, MappingAndOriginAreRestored) {
  FillDevice dev(200, 200, 32);
  dev.dc.SetMapMode(MM_LOMETRIC);
  dev.dc.SetWindowOrg(-50, 40);
  CRect rect(0, 0, 300, -300);
  for (long type : {1L, 2L, 3L, 4L, 0L}) {
    EXPECT_TRUE(CKyEspecialFill::GradientRectangle(&dev.dc, &rect, kFrom, kTo, 450, 0, 0, type, FALSE, 70)) << type;
    EXPECT_EQ(dev.dc.GetMapMode(), MM_LOMETRIC) << type;
    EXPECT_EQ(dev.dc.GetWindowOrg(), CPoint(-50, 40)) << type;
  }
  // A text mapping with a window origin: restored too.
  FillDevice text(50, 50, 32);
  text.dc.SetWindowOrg(3, 4);
  CRect r(3, 4, 23, 24);
  EXPECT_TRUE(CKyEspecialFill::GradientRectangle(&text.dc, &r, kFrom, kTo, 0, 0, 0, 2, FALSE, 100));
  EXPECT_EQ(text.dc.GetWindowOrg(), CPoint(3, 4));
  EXPECT_EQ(text.dc.GetMapMode(), MM_TEXT);
}

// A polygon's gradient spans its region's box in device units: where a
// logical unit is three pixels and the box ends between two units, the
// ramp is the one of that very box, drawn in device units.
TEST(EspecialFillGradient, PolygonInAZoomedMappingSpansItsDeviceBox) {
  for (long type : {1L, 2L, 3L, 4L})
    for (long rate : {100L, 50L}) {
      FillDevice dev(100, 40, 32), ref(100, 40, 32);
      dev.dc.SetMapMode(MM_ANISOTROPIC);
      dev.dc.SetWindowExt(1, 1);
      dev.dc.SetViewportExt(3, 3);
      POINT tip[3] = {{2, 2}, {30, 4}, {2, 3}};  // its device box ends at 76, between two units
      ASSERT_TRUE(CKyEspecialFill::GradientPolygon(&dev.dc, tip, 3, kFrom, kTo, 0, 0, 0, type, FALSE, rate, nullptr));
      EXPECT_EQ(dev.dc.GetViewportExt(), CSize(3, 3));
      POINT pts[3] = {tip[0], tip[1], tip[2]};
      dev.dc.LPtoDP(pts, 3);
      CRgn rgn;
      rgn.CreatePolygonRgn(pts, 3, ALTERNATE);
      CRect box;
      rgn.GetRgnBox(&box);
      ASSERT_EQ(box.right, 76);
      ref.dc.SelectClipRgn(&rgn);
      ASSERT_TRUE(CKyEspecialFill::GradientRectangle(&ref.dc, &box, kFrom, kTo, 0, 0, 0, type, FALSE, rate));
      EXPECT_EQ(dev.Pixels(), ref.Pixels()) << "type " << type << " rate " << rate;
    }
}

TEST(EspecialFillGradient, PrintBandsAreFiner) {
  CDC printer;
  ASSERT_TRUE(printer.Attach(KyCreatePrinterDC()));
  // 400 pixels along the axis: step ceil(400 / 200) = 2 in print, so the
  // colour changes every 2 pixels instead of every 4.
  CRect rect(0, 0, 400, 50);
  EXPECT_TRUE(CKyEspecialFill::GradientRectangle(&printer, &rect, kFrom, RGB(200, 0, 0), 0, 0, 0, 1, TRUE, 100));
  EXPECT_EQ(printer.GetPixel(1, 20), Along(kFrom, RGB(200, 0, 0), 2, 400));
  EXPECT_EQ(printer.GetPixel(3, 20), Along(kFrom, RGB(200, 0, 0), 4, 400));
  EXPECT_EQ(printer.GetPixel(399, 20), RGB(200, 0, 0));
  ::DeleteDC(printer.Detach());
}

// A blended gradient wider than a band is drawn band by band; its bits are
// those of the whole gradient drawn into one bitmap and mixed in at once,
// for every kind, in 32 and 16 bits, partly off the device.
TEST(EspecialFillGradient, BlendedBandsGiveTheBitsOfTheWholeBitmap) {
  for (int bpp : {32, 16}) {
    for (long type = 1; type <= 4; ++type) {
      FillDevice banded(2100, 300, bpp, RGB(20, 200, 120));
      FillDevice whole(2100, 300, bpp, RGB(20, 200, 120));
      CRect r(-40, 10, 2080, 330);  // bands of 124 rows at 32 bits: three, the last cut by the device
      ASSERT_TRUE(CKyEspecialFill::GradientRectangle(&banded.dc, &r, RGB(250, 0, 0), RGB(0, 0, 250), 300, 10, -20,
                                                     type, FALSE, 40))
          << bpp << " type " << type;
      CBitmap bitmap;
      CRect device = r;
      BOOL made = FALSE;
      switch (type) {
        case 1: made = Fill::GetLinearBitmap(&whole.dc, &device, RGB(250, 0, 0), RGB(0, 0, 250), 300, bitmap, FALSE); break;
        case 2: made = Fill::GetRadialBitmap(&whole.dc, &device, RGB(250, 0, 0), RGB(0, 0, 250), 10, -20, bitmap, FALSE); break;
        case 3:
          made = Fill::GetConicalBitmap(&whole.dc, &device, RGB(250, 0, 0), RGB(0, 0, 250), 300, 10, -20, bitmap, FALSE);
          break;
        default:
          made = Fill::GetSquareBitmap(&whole.dc, &device, RGB(250, 0, 0), RGB(0, 0, 250), 300, 10, -20, bitmap, FALSE);
      }
      ASSERT_TRUE(made);
      ASSERT_TRUE(CKyEspecialFill::TransparentBitblt(&whole.dc, &bitmap, 0, 10, 2100, 290, 40));
      EXPECT_EQ(whole.Raw(), banded.Raw()) << bpp << " type " << type;
    }
  }
}

}  // namespace
