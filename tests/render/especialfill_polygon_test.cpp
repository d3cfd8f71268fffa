// TransparentPolygon and TransparentPolyPolygon: the blend stays inside the
// shape, and the DC's clipping is what it should be afterwards.
#include <gtest/gtest.h>

#include <string>

#include "KyEspecialFill.h"
#include "especialfill_device.h"

namespace {

using kytest::FillDevice;

const DWORD kWhite = 0xFFFFFF, kHalf = 0x7F7F7F;

// Which pixels of the device differ from white.
std::vector<bool> Painted(FillDevice& dev) {
  std::vector<bool> out;
  for (DWORD p : dev.Pixels()) out.push_back(p != kWhite);
  return out;
}

TEST(EspecialFillPolygon, BlendsInsideTheShapeOnly) {
  for (int bpp : {32, 24, 16, 15}) {
    FillDevice dev(30, 30, bpp), ref(30, 30, bpp);
    POINT tri[3] = {{2, 2}, {25, 2}, {2, 25}};
    EXPECT_TRUE(CKyEspecialFill::TransparentPolygon(&dev.dc, tri, 3, RGB(0, 0, 0), FALSE, 50, nullptr)) << bpp;
    // The same pixels as an opaque polygon of the same region.
    CRgn rgn;
    rgn.CreatePolygonRgn(tri, 3, ALTERNATE);
    CBrush black(RGB(0, 0, 0));
    ref.dc.FillRgn(&rgn, &black);
    EXPECT_EQ(Painted(dev), Painted(ref)) << bpp;
    EXPECT_EQ(dev.PixelAt(5, 5) == kHalf || bpp < 24, true) << bpp;
    EXPECT_EQ(dev.PixelAt(24, 24), kWhite) << bpp;
    // The clipping is gone again.
    CRgn probe;
    probe.CreateRectRgn(0, 0, 1, 1);
    EXPECT_EQ(::GetClipRgn(dev.dc.m_hDC, (HRGN)probe.m_hObject), 0) << bpp;
  }
}

TEST(EspecialFillPolygon, PolyPolygonWithAHole) {
  FillDevice dev(40, 40, 32);
  POINT pts[8] = {{2, 2}, {30, 2}, {30, 30}, {2, 30}, {10, 10}, {20, 10}, {20, 20}, {10, 20}};
  int counts[2] = {4, 4};
  EXPECT_TRUE(CKyEspecialFill::TransparentPolyPolygon(&dev.dc, pts, counts, 2, RGB(0, 0, 0), FALSE, 50, nullptr));
  EXPECT_EQ(dev.PixelAt(4, 4), kHalf);
  EXPECT_EQ(dev.PixelAt(15, 15), kWhite);  // alternate filling leaves the inner square out
  EXPECT_EQ(dev.PixelAt(35, 35), kWhite);
}

TEST(EspecialFillPolygon, OffTheDeviceIsFalse) {
  FillDevice dev(20, 20, 32);
  POINT sq[4] = {{50, 50}, {60, 50}, {60, 60}, {50, 60}};
  EXPECT_FALSE(CKyEspecialFill::TransparentPolygon(&dev.dc, sq, 4, RGB(0, 0, 0), FALSE, 50, nullptr));
  EXPECT_FALSE(CKyEspecialFill::TransparentPolygon(nullptr, sq, 4, RGB(0, 0, 0), FALSE, 50, nullptr));
  // Points promised but missing, or a negative count, are refused.
  EXPECT_FALSE(CKyEspecialFill::TransparentPolygon(&dev.dc, nullptr, 4, RGB(0, 0, 0), FALSE, 50, nullptr));
  int counts[2] = {4, -1};
  EXPECT_FALSE(CKyEspecialFill::TransparentPolyPolygon(&dev.dc, sq, counts, 2, RGB(0, 0, 0), FALSE, 50, nullptr));
  for (DWORD p : dev.Pixels()) ASSERT_EQ(p, kWhite);
}

// A shape that makes no region stands for the whole device area.
TEST(EspecialFillPolygon, NoShapeMeansTheWholeDevice) {
  FillDevice dev(20, 20, 32);
  EXPECT_TRUE(CKyEspecialFill::TransparentPolygon(&dev.dc, nullptr, 0, RGB(0, 0, 0), FALSE, 50, nullptr));
  for (DWORD p : dev.Pixels()) ASSERT_EQ(p, kHalf);
  dev.Paint(RGB(255, 255, 255));
  EXPECT_TRUE(CKyEspecialFill::TransparentPolyPolygon(&dev.dc, nullptr, nullptr, 0, RGB(0, 0, 0), FALSE, 50,
                                                      nullptr));
  for (DWORD p : dev.Pixels()) ASSERT_EQ(p, kHalf);
}

// Printing, blended or as a gradient: the paint stays inside the print
// region, which is the DC's clipping again afterwards; printing without one
// leaves no clipping.
TEST(EspecialFillPolygon, PrintingKeepsThePrintRegion) {
  for (bool gradient : {false, true}) {
    SCOPED_TRACE(gradient ? "gradient" : "blend");
    FillDevice dev(40, 40, gradient ? 24 : 32);
    CRgn print;
    print.CreateRectRgn(0, 0, 20, 40);
    dev.dc.SelectClipRgn(&print);
    POINT sq[4] = {{10, 10}, {30, 10}, {30, 30}, {10, 30}};
    auto paint = [&](CRgn* region) {
      if (gradient) {
        return CKyEspecialFill::GradientPolygon(&dev.dc, sq, 4, RGB(0, 0, 0), RGB(200, 100, 50), 0, 0, 0, 1, TRUE,
                                                100, region);
      }
      return CKyEspecialFill::TransparentPolygon(&dev.dc, sq, 4, RGB(0, 0, 0), TRUE, 50, region);
    };
    EXPECT_TRUE(paint(&print));
    EXPECT_EQ(dev.PixelAt(15, 15) == kHalf, !gradient);
    EXPECT_NE(dev.PixelAt(15, 15), kWhite);
    EXPECT_EQ(dev.PixelAt(25, 15), kWhite);  // outside the print region
    CRgn now;
    now.CreateRectRgn(0, 0, 1, 1);
    ASSERT_EQ(::GetClipRgn(dev.dc.m_hDC, (HRGN)now.m_hObject), 1);
    EXPECT_TRUE(now.EqualRgn(&print));
    EXPECT_TRUE(paint(nullptr));
    EXPECT_EQ(::GetClipRgn(dev.dc.m_hDC, (HRGN)now.m_hObject), 0);
  }
}

TEST(EspecialFillPolygon, LogicalPointsInAMetricMapping) {
  FillDevice dev(100, 100, 32);
  dev.dc.SetMapMode(MM_LOMETRIC);
  POINT sq[4] = {{0, 0}, {127, 0}, {127, -127}, {0, -127}};  // device (0, 0) to about (49, 49)
  POINT keep[4];
  std::copy(sq, sq + 4, keep);
  EXPECT_TRUE(CKyEspecialFill::TransparentPolygon(&dev.dc, sq, 4, RGB(0, 0, 0), FALSE, 50, nullptr));
  EXPECT_EQ(dev.dc.GetMapMode(), MM_LOMETRIC);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(CPoint(sq[i]), CPoint(keep[i])) << "the caller's points stay";
  EXPECT_EQ(dev.PixelAt(10, 10), kHalf);
  EXPECT_EQ(dev.PixelAt(60, 60), kWhite);
}

// The shape is converted to device units once: the blend covers exactly the
// pixels of the device region, also when a logical unit is several pixels
// wide (the bounding box used to go back to logical units, snap to their
// grid and lose the region's edge columns) and when the window origin moves.
TEST(EspecialFillPolygon, BlendsTheDeviceRegionInEveryMapping) {
  struct Case {
    const char* name;
    int mode;
    SIZE window_ext, viewport_ext;
    POINT window_org;
    long rate;
  } cases[] = {
      {"text", MM_TEXT, {1, 1}, {1, 1}, {0, 0}, 50},
      {"text, origin moved", MM_TEXT, {1, 1}, {1, 1}, {-3, 2}, 50},
      {"three pixels a unit", MM_ANISOTROPIC, {1, 1}, {3, 3}, {0, 0}, 50},
      {"three pixels a unit, y up, origin moved", MM_ANISOTROPIC, {1, -1}, {3, 3}, {1, 12}, 50},
      {"three pixels a unit, opaque", MM_ANISOTROPIC, {1, 1}, {3, 3}, {0, 0}, 100},
  };
  for (const Case& c : cases) {
    FillDevice dev(40, 40, 32), ref(40, 40, 32);
    for (FillDevice* d : {&dev, &ref}) {
      d->dc.SetMapMode(c.mode);
      if (c.mode == MM_ANISOTROPIC) {
        d->dc.SetWindowExt(c.window_ext);
        d->dc.SetViewportExt(c.viewport_ext);
      }
      d->dc.SetWindowOrg(c.window_org);
    }
    POINT tri[3] = {{2, 1}, {20, 2}, {3, 20}};  // past the device in some mappings
    ASSERT_TRUE(CKyEspecialFill::TransparentPolygon(&dev.dc, tri, 3, RGB(0, 0, 0), FALSE, c.rate, nullptr))
        << c.name;
    EXPECT_EQ(dev.dc.GetMapMode(), c.mode) << c.name;
    EXPECT_EQ(dev.dc.GetViewportExt(), ref.dc.GetViewportExt()) << c.name << ": the caller's mapping stays";
    EXPECT_EQ(dev.dc.GetWindowOrg(), CPoint(c.window_org)) << c.name;
    // The region of the same points, in device units, painted opaque.
    POINT devPts[3] = {tri[0], tri[1], tri[2]};
    ref.dc.LPtoDP(devPts, 3);
    CRgn rgn;
    rgn.CreatePolygonRgn(devPts, 3, ALTERNATE);
    {
      kytest::DeviceUnits units(ref.dc.m_hDC);
      CBrush black(RGB(0, 0, 0));
      ref.dc.FillRgn(&rgn, &black);
    }
    const DWORD ink = c.rate == 100 ? 0x000000u : kHalf;
    const std::vector<DWORD> got = dev.Pixels(), want = ref.Pixels();
    int painted = 0, wrong = 0;
    std::string first;
    for (size_t i = 0; i < got.size(); ++i) {
      painted += want[i] != kWhite;
      if (got[i] == (want[i] == kWhite ? kWhite : ink)) continue;
      if (!wrong++) first = std::to_string(i % 40) + "," + std::to_string(i / 40);
    }
    EXPECT_EQ(wrong, 0) << c.name << ", first at " << first;
    EXPECT_GT(painted, 20) << c.name;
  }
}

}  // namespace
