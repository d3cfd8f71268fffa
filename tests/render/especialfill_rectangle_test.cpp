// TransparentRectangle on devices of every depth: the exact mixed pixels,
// the opaque cases, the print tiling and the DC's mapping afterwards.
#include <gtest/gtest.h>

#include "KyEspecialFill.h"
#include "especialfill_device.h"

namespace {

using kytest::FillDevice;

struct DepthCase {
  int bpp;
  std::vector<BYTE> white, mixed;  // raw bytes of a pixel
};

// Rate 50 of pure red over white: each component trunc(below / 2) +
// trunc(red / 2), in the component widths of the layout.
const DepthCase kHalfRedOverWhite[] = {
    {32, {0xFF, 0xFF, 0xFF}, {0x7F, 0x7F, 0xFE}},
    {24, {0xFF, 0xFF, 0xFF}, {0x7F, 0x7F, 0xFE}},
    {16, {0xFF, 0xFF}, {0xEF, 0xF3}},  // word 0xF3EF: red 30, green 31, blue 15
    {15, {0xFF, 0x7F}, {0xEF, 0x79}},  // word 0x79EF: red 30, green 15, blue 15
};

std::vector<BYTE> Rgb(std::vector<BYTE> raw, int bpp) {
  if (bpp == 32) raw.resize(3);  // the fourth byte is checked on its own
  return raw;
}

TEST(EspecialFillRectangle, HalfRedOverWhiteInEveryTrueColourDepth) {
  for (const DepthCase& c : kHalfRedOverWhite) {
    FillDevice dev(16, 12, c.bpp);
    const std::vector<BYTE> fourthBefore = dev.RawAt(5, 5);
    CRect rect(2, 3, 9, 8);
    EXPECT_TRUE(CKyEspecialFill::TransparentRectangle(&dev.dc, &rect, RGB(255, 0, 0), FALSE, 50)) << c.bpp;
    for (int y = 0; y < dev.Height(); ++y)
      for (int x = 0; x < dev.Width(); ++x) {
        const bool inside = x >= 2 && x < 9 && y >= 3 && y < 8;
        ASSERT_EQ(Rgb(dev.RawAt(x, y), c.bpp), inside ? c.mixed : c.white)
            << c.bpp << " bits at " << x << "," << y;
      }
    if (c.bpp == 32) {
      EXPECT_EQ(dev.RawAt(5, 5)[3], fourthBefore[3]) << "the fourth byte is kept";
    }
  }
}

// Rates of 0 and below draw nothing; above 100, and any rate on a palette
// device, are exactly a plain solid fill.
TEST(EspecialFillRectangle, RatesOutsidePercentAndTheOpaqueCases) {
  for (int bpp : {32, 24, 16, 15, 8}) {
    for (long rate : {-5L, 0L, 250L, 30L}) {
      if (rate == 30 && bpp != 8) continue;
      FillDevice dev(10, 10, bpp), ref(10, 10, bpp);
      CRect rect(1, 1, 6, 6);
      EXPECT_TRUE(CKyEspecialFill::TransparentRectangle(&dev.dc, &rect, RGB(0, 128, 255), FALSE, rate)) << bpp;
      CBrush brush(RGB(0, 128, 255));
      if (rate > 0) ref.dc.FillRect(&rect, &brush);
      EXPECT_EQ(dev.Raw(), ref.Raw()) << bpp << " bits, rate " << rate;
    }
  }
}

// The blend covers the rectangle, normalized and clipped to the device.
TEST(EspecialFillRectangle, NormalizedAndClippedToTheDevice) {
  const struct {
    const char* name;
    CRect rect, blended;
  } cases[] = {
      {"partly off the device", CRect(-5, -5, 3, 3), CRect(0, 0, 3, 3)},
      {"upside down", CRect(6, 6, 2, 2), CRect(2, 2, 6, 6)},
      {"text mapping with its window origin set", CRect(1, 1, 4, 4), CRect(1, 1, 4, 4)},
  };
  for (const auto& c : cases) {
    FillDevice dev(10, 10, 24);
    dev.dc.SetWindowOrg(0, 0);
    CRect rect = c.rect;
    EXPECT_TRUE(CKyEspecialFill::TransparentRectangle(&dev.dc, &rect, RGB(0, 0, 0), FALSE, 50)) << c.name;
    EXPECT_EQ(dev.dc.GetMapMode(), MM_TEXT) << c.name;
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x)
        ASSERT_EQ(dev.PixelAt(x, y), c.blended.PtInRect(CPoint(x, y)) ? 0x7F7F7Fu : 0xFFFFFFu)
            << c.name << " at " << x << "," << y;
  }
}

TEST(EspecialFillRectangle, FalseOffTheDevice) {
  FillDevice dev(10, 10, 32);
  const std::vector<BYTE> before = dev.Raw();
  CRect off(20, 0, 30, 5);
  EXPECT_FALSE(CKyEspecialFill::TransparentRectangle(&dev.dc, &off, RGB(0, 0, 0), FALSE, 50));
  CRect empty(4, 4, 4, 9);
  EXPECT_FALSE(CKyEspecialFill::TransparentRectangle(&dev.dc, &empty, RGB(0, 0, 0), FALSE, 50));
  EXPECT_EQ(dev.Raw(), before);
  EXPECT_FALSE(CKyEspecialFill::TransparentRectangle(nullptr, &off, RGB(0, 0, 0), FALSE, 50));
  EXPECT_FALSE(CKyEspecialFill::TransparentRectangle(&dev.dc, nullptr, RGB(0, 0, 0), FALSE, 50));
}

TEST(EspecialFillRectangle, MetricMappingIsConvertedAndRestored) {
  FillDevice dev(100, 100, 32);
  // Tenths of a millimetre, y up, the origin moved: the blend lands where
  // the DC maps the rectangle.
  dev.dc.SetMapMode(MM_LOMETRIC);
  dev.dc.SetWindowOrg(-127, 0);
  CRect rect(0, 0, 127, -127);
  CRect expect = rect;
  dev.dc.LPtoDP(&expect);
  expect.NormalizeRect();
  ASSERT_GT(expect.left, 10);
  ASSERT_GT(expect.Width(), 10);
  EXPECT_TRUE(CKyEspecialFill::TransparentRectangle(&dev.dc, &rect, RGB(0, 0, 0), FALSE, 50));
  EXPECT_EQ(dev.dc.GetMapMode(), MM_LOMETRIC);
  EXPECT_EQ(dev.dc.GetWindowOrg(), CPoint(-127, 0));
  const std::vector<DWORD> px = dev.Pixels();
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x)
      ASSERT_EQ(px[y * 100 + x], expect.PtInRect(CPoint(x, y)) ? 0x7F7F7Fu : 0xFFFFFFu) << x << "," << y;
}

TEST(EspecialFillRectangle, OnTheDisplayItself) {
  kytest::SetDisplay(40, 30, 16);
  CDC screen;
  screen.Attach(::GetDC(nullptr));
  screen.FillSolidRect(0, 0, 40, 30, RGB(255, 255, 255));
  CRect rect(10, 10, 20, 20);
  EXPECT_TRUE(CKyEspecialFill::TransparentRectangle(&screen, &rect, RGB(255, 0, 0), FALSE, 50));
  // 16 bits: white and red at rate 50 give red 30, green 31, blue 15, seen
  // through 8 bits per component as the device expands them.
  EXPECT_EQ(screen.GetPixel(15, 15), screen.GetPixel(10, 10));
  EXPECT_NE(screen.GetPixel(15, 15), screen.GetPixel(5, 5));
  ::ReleaseDC(nullptr, screen.Detach());
}

// A printer page is 4800 pixels wide: a 5000-pixel rectangle is painted in
// pieces of 2000, 2000 and 1000 (the last one clipped to the page), which
// together cover it exactly once.
TEST(EspecialFillRectangle, PrintRectanglesAreTiledAlsoInMetricUnits) {
  CDC printer;
  ASSERT_TRUE(printer.Attach(KyCreatePrinterDC()));
  CRect rect(0, 100, 5000, 400);
  EXPECT_TRUE(CKyEspecialFill::TransparentRectangle(&printer, &rect, RGB(255, 0, 0), TRUE, 50));
  for (int x : {0, 1999, 2000, 3999, 4000, 4799}) {
    EXPECT_EQ(printer.GetPixel(x, 100), RGB(254, 127, 127)) << x;
    EXPECT_EQ(printer.GetPixel(x, 399), RGB(254, 127, 127)) << x;
    EXPECT_EQ(printer.GetPixel(x, 99), RGB(255, 255, 255)) << x;
    EXPECT_EQ(printer.GetPixel(x, 400), RGB(255, 255, 255)) << x;
  }
  // A second pass over the seams mixes them once more, like anywhere else.
  CRect seam(1990, 100, 2010, 110);
  EXPECT_TRUE(CKyEspecialFill::TransparentRectangle(&printer, &seam, RGB(255, 0, 0), TRUE, 50));
  EXPECT_EQ(printer.GetPixel(1999, 105), printer.GetPixel(2000, 105));
  EXPECT_EQ(printer.GetPixel(1999, 105), RGB(254, 63, 63));
  // In metric units the tiles are of the same pixels.
  printer.FillSolidRect(0, 0, 4800, 400, RGB(255, 255, 255));
  printer.SetMapMode(MM_LOMETRIC);
  // 600 dpi: 2000 pixels are 846 tenths of a millimetre, and the whole page
  // width (4800 pixels, 2032) is split into tiles of that size.
  CRect metric(0, 0, 2032, -100);
  EXPECT_TRUE(CKyEspecialFill::TransparentRectangle(&printer, &metric, RGB(0, 0, 255), TRUE, 50));
  EXPECT_EQ(printer.GetMapMode(), MM_LOMETRIC);
  printer.SetMapMode(MM_TEXT);
  for (int x = 0; x < 4800; x += 7) ASSERT_EQ(printer.GetPixel(x, 50), RGB(127, 127, 254)) << x;
  EXPECT_EQ(printer.GetPixel(100, 237), RGB(255, 255, 255));
  ::DeleteDC(printer.Detach());
}

}  // namespace
