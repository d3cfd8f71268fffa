// Line styles drawn through the GDI: exact pixels in device units, and the
// same styles under a metric mapping with y up.
#include "KyLineStyleObj.h"

#include <gtest/gtest.h>

#include "KyLineStyleLib.h"
#include "linestyle_canvas.h"

namespace {

CKyLineStyleObj Style(CKyLineStyleLib& lib, long id, long width) {
  CKyLineStyleObj s(lib.GetStyleObj(lib.FindID(id)));
  s.SetLineStyle(width, RGB(255, 0, 0));
  return s;
}

// The built-in styles, for every test.
class LineStyleObj : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(lib.CreateDefault()); }
  CKyLineStyleLib lib;
};

TEST_F(LineStyleObj, DoubleLineIsTwoThinLinesOneUnitEachSide) {
  LineCanvas c(64, 40);
  CKyLineStyleObj s = Style(lib, 6, 2);
  POINT pts[2] = {{10, 20}, {50, 20}};
  ASSERT_TRUE(s.Polyline(c.DC(), pts, 2));
  // u = 2: rows 18 and 22, one pixel each; nothing on the centre line.
  for (int x = 10; x < 50; ++x) {
    EXPECT_EQ(c.RowsWith(kRed, x), (std::vector<int>{18, 22})) << x;
  }
  EXPECT_EQ(c.At(9, 18), kBlank);
  EXPECT_EQ(c.At(50, 18), kBlank);
  EXPECT_EQ(c.Count(kRed), 2 * 40);
}

TEST_F(LineStyleObj, ClosedRectangleJoinsEveryCorner) {
  LineCanvas c(64, 64);
  CKyLineStyleObj s = Style(lib, 6, 2);
  POINT pts[5] = {{10, 10}, {10, 50}, {50, 50}, {50, 10}, {10, 10}};
  ASSERT_TRUE(s.Polyline(c.DC(), pts, 5));
  // u = 2: one square 2 pixels outside the path, one 2 inside, each closed
  // at its corners; nothing on the path itself.
  EXPECT_EQ(c.RowsWith(kRed, 30), (std::vector<int>{8, 12, 48, 52}));
  EXPECT_EQ(c.At(8, 8), kRed);    // outer corner, mitred
  EXPECT_EQ(c.At(7, 7), kBlank);
  EXPECT_EQ(c.At(12, 12), kRed);  // inner corner
  EXPECT_EQ(c.At(10, 10), kBlank);
  EXPECT_EQ(c.At(8, 30), kRed);
  EXPECT_EQ(c.At(52, 30), kRed);
  EXPECT_EQ(c.At(10, 30), kBlank);
}

TEST_F(LineStyleObj, DashPhaseRunsOnAndTicksStandOnDashes) {
  LineCanvas c(120, 30);
  // Width 1 on a device: u is two pixels, so the pattern is 16 on, 4 off,
  // 2 on, 4 off (26 pixels) and a tick stands at 8 + 26 k, 5 pixels high.
  CKyLineStyleObj s = Style(lib, 7, 1);
  POINT pts[2] = {{0, 20}, {110, 20}};
  ASSERT_TRUE(s.Polyline(c.DC(), pts, 2));
  auto lineAt = [&](int x) {
    for (int y = 18; y <= 22; ++y)
      if (c.At(x, y) == kRed) return true;
    return false;
  };
  for (int k = 0; k < 4; ++k) {
    const int o = 26 * k;
    EXPECT_TRUE(lineAt(o + 4)) << k;        // inside the dash
    EXPECT_TRUE(lineAt(o + 12)) << k;
    EXPECT_FALSE(lineAt(o + 18)) << k;      // the first gap
    EXPECT_TRUE(lineAt(o + 20) || lineAt(o + 21)) << k;  // the dot
    EXPECT_FALSE(lineAt(o + 24)) << k;      // the second gap
    // The tick goes up 2.5 u = 5 pixels from the line at the dash's middle.
    EXPECT_EQ(c.At(o + 8, 16), kRed) << k;
    EXPECT_EQ(c.At(o + 8, 14), kBlank) << k;
    EXPECT_EQ(c.At(o + 12, 16), kBlank) << k;
  }
}

TEST_F(LineStyleObj, DashPhaseCarriesAcrossVertices) {
  LineCanvas a(80, 80), b(80, 80);
  CKyLineStyleObj s = Style(lib, 7, 1);
  // One straight line drawn as one segment and as three collinear pieces
  // gives the same pixels: the pattern does not restart at a vertex.
  POINT one[2] = {{0, 40}, {78, 40}};
  POINT three[4] = {{0, 40}, {11, 40}, {37, 40}, {78, 40}};
  s.Polyline(a.DC(), one, 2);
  s.Polyline(b.DC(), three, 4);
  for (int y = 30; y < 45; ++y)
    for (int x = 0; x < 80; ++x) ASSERT_EQ(a.At(x, y), b.At(x, y)) << x << "," << y;
}

TEST_F(LineStyleObj, TeethAreFilledTrianglesOnTheLeft) {
  LineCanvas c(80, 40);
  // Width 2: u = 2; a tooth every 16 pixels from 4, base 6, apex 6 up.
  CKyLineStyleObj s = Style(lib, 9, 2);
  POINT pts[2] = {{0, 30}, {70, 30}};
  ASSERT_TRUE(s.Polyline(c.DC(), pts, 2));
  for (int k = 0; k < 4; ++k) {
    const int mid = 4 + 16 * k + 3;
    EXPECT_EQ(c.At(mid, 27), kRed) << k;   // inside the tooth
    EXPECT_EQ(c.At(mid, 22), kBlank) << k; // above the apex
    EXPECT_EQ(c.At(mid + 6, 26), kBlank) << k;  // between teeth
  }
  EXPECT_EQ(c.At(35, 34), kBlank);  // nothing on the right side
}

TEST_F(LineStyleObj, MetricMappingWithYUpScalesEverything) {
  LineCanvas c(200, 200);
  CDC* dc = c.DC();
  dc->SetMapMode(MM_LOMETRIC);  // 0.1 mm, y up
  dc->SetViewportOrg(0, 199);
  // 20 logical units are 2 mm; double line at +-20 logical from y = 100.
  CKyLineStyleObj s = Style(lib, 6, 20);
  POINT pts[2] = {{50, 100}, {400, 100}};
  ASSERT_TRUE(s.Polyline(dc, pts, 2));
  POINT probe[3] = {{100, 120}, {100, 100}, {100, 80}};
  dc->LPtoDP(probe, 3);
  dc->SetMapMode(MM_TEXT);
  dc->SetViewportOrg(0, 0);
  std::vector<int> rows = c.RowsWith(kRed, probe[1].x);
  ASSERT_FALSE(rows.empty());
  // Left of travel east, as seen with y down, is -y logical, which is down
  // on a y-up mapping; either way the two lines lie 2 mm from the centre.
  EXPECT_EQ(c.At(probe[1].x, probe[1].y), kBlank);
  bool nearUpper = false, nearLower = false;
  for (int r : rows) {
    nearUpper |= std::abs(r - probe[0].y) <= 1;
    nearLower |= std::abs(r - probe[2].y) <= 1;
  }
  EXPECT_TRUE(nearUpper);
  EXPECT_TRUE(nearLower);
}

TEST_F(LineStyleObj, UnitIsAtLeastTwoDevicePixels) {
  LineCanvas c(10, 10);
  CKyLineStyleObj s = Style(lib, 6, 1);
  EXPECT_EQ(s.UnitFor(c.DC()), 2.0);
  s.SetLineStyle(7, 0);
  EXPECT_EQ(s.UnitFor(c.DC()), 7.0);
  s.SetLineStyle(-5, 0);
  EXPECT_EQ(s.UnitFor(c.DC()), 2.0);
  EXPECT_EQ(s.UnitFor(nullptr), 1.0);
}

TEST_F(LineStyleObj, BadInputDrawsNothingAndNeverCrashes) {
  LineCanvas c(40, 40);
  CKyLineStyleObj s = Style(lib, 8, 2);
  POINT pts[3] = {{5, 5}, {5, 5}, {5, 5}};
  EXPECT_FALSE(s.Polyline(c.DC(), nullptr, 3));
  EXPECT_FALSE(s.Polyline(c.DC(), pts, 1));
  EXPECT_FALSE(s.Polyline(c.DC(), pts, -4));
  EXPECT_FALSE(s.Polyline(nullptr, pts, 3));
  EXPECT_TRUE(s.Polyline(c.DC(), pts, 3));  // one point, repeated: nothing to draw
  EXPECT_EQ(c.Count(kRed), 0);
  // Far-away points and huge widths are held inside the coordinate space.
  POINT wild[3] = {{-2000000000, 5}, {2000000000, 5}, {0, 2000000000}};
  s.SetLineStyle(1 << 30, RGB(255, 0, 0));
  EXPECT_TRUE(s.Polyline(c.DC(), wild, 3));
  // Every style, every few widths, a zig-zag: no crash, the DC as it was.
  POINT zig[6] = {{2, 2}, {30, 4}, {3, 20}, {35, 35}, {35, 2}, {2, 2}};
  HGDIOBJ pen = c.DC()->GetCurrentPen()->GetSafeHandle();
  HGDIOBJ brush = c.DC()->GetCurrentBrush()->GetSafeHandle();
  for (int i = 0; i < lib.Count(); ++i)
    for (long w : {0L, 1L, 3L, 10L}) {
      CKyLineStyleObj t(lib.GetStyleObj(i));
      t.SetLineStyle(w, RGB(0, 0, 255));
      EXPECT_TRUE(t.Polyline(c.DC(), zig, 6));
    }
  EXPECT_EQ(c.DC()->GetCurrentPen()->GetSafeHandle(), pen);
  EXPECT_EQ(c.DC()->GetCurrentBrush()->GetSafeHandle(), brush);
}

}  // namespace
