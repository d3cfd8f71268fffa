// The geometry of the gradients: colour axes, the colour along an axis, the
// line helpers and the centre, far corner and ring step of the centred kinds.
#include <gtest/gtest.h>

#include <cmath>

#include "KyEspecialFill.h"

namespace {

class Fill : public CKyEspecialFill {
 public:
  using CKyEspecialFill::CalAzimuth;
  using CKyEspecialFill::CCentredGeometry;
  using CKyEspecialFill::GetCentredGeometry;
  using CKyEspecialFill::GetColor;
  using CKyEspecialFill::GetEndPointOfColor;
  using CKyEspecialFill::GetSectionPoint;
  using CKyEspecialFill::GetVerticalPoint;
  using CKyEspecialFill::kRadiansPerTenth;
};

struct AxisCase {
  const char* name;
  double radians;
  CRect rect;
  CPoint p1, p2;
};

double Tenths(long t) { return t * Fill::kRadiansPerTenth; }

TEST(EspecialFillGeometry, ColourAxisOfEveryDirection) {
  const CRect wide(0, 0, 200, 100), square(0, 0, 100, 100);
  const AxisCase cases[] = {
      {"0: left to right", Tenths(0), wide, {0, 0}, {200, 0}},
      {"3600 counts as 0", Tenths(3600), wide, {0, 0}, {200, 0}},
      {"negative counts as 0", Tenths(-900), wide, {0, 0}, {200, 0}},
      {"900: bottom to top", Tenths(900), wide, {0, 100}, {0, 0}},
      {"1800: right to left", Tenths(1800), wide, {200, 0}, {0, 0}},
      {"2700: top to bottom", Tenths(2700), wide, {0, 0}, {0, 100}},
      {"450 on a square: corner to corner", Tenths(450), square, {0, 100}, {100, 0}},
      {"1350 on a square", Tenths(1350), square, {100, 100}, {0, 0}},
      {"2250 on a square", Tenths(2250), square, {100, 0}, {0, 100}},
      // cos(315 degrees) * D is 99.99999999999997 in doubles and truncates to
      // 99: the axis ends one pixel short.
      {"3150 on a square", Tenths(3150), square, {0, 0}, {99, 100}},
      // The axis leaves the bottom-left corner at 45 degrees and stops at the
      // level of the top-right corner: its foot (150, -50).
      {"450 on 200 x 100", Tenths(450), wide, {0, 100}, {150, -50}},
      {"offset rectangle", Tenths(1800), CRect(30, 40, 80, 90), {80, 40}, {30, 40}},
      // Angles near the axes snap within a tenth of a milliradian.
      {"just past 900", M_PI / 2 + 0.0009, wide, {0, 100}, {0, 0}},
      {"just short of a turn", 2 * M_PI - 0.0009, wide, {0, 0}, {200, 0}},
  };
  for (const AxisCase& c : cases) {
    CRect rect = c.rect;
    CPoint p1, p2;
    Fill::GetEndPointOfColor(c.radians, rect, p1, p2);
    EXPECT_EQ(p1, c.p1) << c.name;
    EXPECT_EQ(p2, c.p2) << c.name;
  }
}

TEST(EspecialFillGeometry, ColourAlongTheAxisTruncatesTowardZero) {
  CPoint p1(0, 0), p2(100, 0);
  struct {
    const char* name;
    CPoint p;
    COLORREF c1, c2, expect;
  } cases[] = {
      {"start", {0, 0}, RGB(0, 0, 0), RGB(255, 100, 10), RGB(0, 0, 0)},
      {"half way up", {50, 0}, RGB(0, 0, 0), RGB(255, 100, 10), RGB(127, 50, 5)},
      // 255 - 127.5 truncates to 128, not 127.
      {"half way down", {50, 0}, RGB(255, 255, 255), RGB(0, 0, 0), RGB(128, 128, 128)},
      {"off the axis counts by distance", {30, 40}, RGB(0, 0, 0), RGB(200, 0, 0), RGB(100, 0, 0)},
      {"at the end", {100, 0}, RGB(1, 2, 3), RGB(250, 150, 50), RGB(250, 150, 50)},
      {"beyond the end", {170, 0}, RGB(1, 2, 3), RGB(250, 150, 50), RGB(250, 150, 50)},
  };
  for (auto& c : cases) {
    DWORD colour = 0xDEADBEEF;
    Fill::GetColor(p1, p2, c.c1, c.c2, c.p, colour);
    EXPECT_EQ(colour, c.expect) << c.name;
  }
  // An axis of no length gives the end colour, also at its own point.
  CPoint q(7, 7), at(7, 7);
  DWORD colour = 0;
  Fill::GetColor(q, q, RGB(10, 20, 30), RGB(40, 50, 60), at, colour);
  EXPECT_EQ(colour, RGB(40, 50, 60));
}

TEST(EspecialFillGeometry, FootOfThePerpendicular) {
  struct {
    const char* name;
    CPoint a, b, p, expect;
  } cases[] = {
      {"vertical line", {5, 0}, {5, 10}, {9, 7}, {5, 7}},
      {"horizontal line", {0, 3}, {10, 3}, {4, 9}, {4, 3}},
      {"diagonal", {0, 0}, {10, 10}, {10, 0}, {5, 5}},
      // Steep: y first, trunc(1.8) = 1, then x = trunc(1 / 3) = 0.
      {"steep", {0, 0}, {1, 3}, {3, 1}, {0, 1}},
      {"point on the line", {0, 0}, {4, 2}, {8, 4}, {8, 4}},
  };
  for (auto& c : cases) {
    CPoint p = c.p;
    Fill::GetVerticalPoint(c.a, c.b, p);
    EXPECT_EQ(p, c.expect) << c.name;
  }
}

TEST(EspecialFillGeometry, PointOfALineAtOneCoordinate) {
  struct {
    const char* name;
    CPoint a, b, p, expect;
  } cases[] = {
      {"shallow keeps x", {0, 0}, {10, 5}, {4, 99}, {4, 2}},
      {"steep keeps y", {0, 0}, {2, 10}, {99, 5}, {1, 5}},
      {"truncation toward zero", {0, 0}, {10, -5}, {3, 0}, {3, -1}},
      {"vertical", {6, 0}, {6, 10}, {1, 4}, {6, 4}},
      {"horizontal", {0, 8}, {10, 8}, {3, 1}, {3, 8}},
  };
  for (auto& c : cases) {
    CPoint p = c.p;
    Fill::GetSectionPoint(c.a, c.b, p);
    EXPECT_EQ(p, c.expect) << c.name;
  }
}

TEST(EspecialFillGeometry, Azimuth) {
  EXPECT_DOUBLE_EQ(Fill::CalAzimuth(CPoint(0, 0), CPoint(1, 1)), -3 * M_PI / 4);
  EXPECT_DOUBLE_EQ(Fill::CalAzimuth(CPoint(5, 0), CPoint(0, 0)), 0.0);
}

struct CentreCase {
  const char* name;
  CRect rect;
  long h, v;
  CPoint centre;
  long rmax;
};

// Printing: no clipping, so no device is asked.
TEST(EspecialFillGeometry, CentreAndFarCorner) {
  const CentreCase cases[] = {
      {"middle", CRect(0, 0, 200, 100), 0, 0, {100, 50}, 112},  // ceil(111.80)
      {"half right: on the right edge", CRect(0, 0, 200, 100), 50, 0, {200, 50}, 207},
      {"full right: one and a half widths", CRect(0, 0, 200, 100), 100, 0, {300, 50}, 305},
      {"left: far corner on the right", CRect(0, 0, 200, 100), -30, 0, {40, 50}, 168},
      {"up: far corner at the bottom", CRect(0, 0, 200, 100), 0, 50, {100, 0}, 142},
      {"down", CRect(0, 0, 200, 100), 0, -100, {100, 150}, 181},
      // (L + R) / 2 truncates toward zero: -101 / 2 is -50.
      {"negative coordinates", CRect(-101, 0, 0, 10), 0, 0, {-50, 5}, 52},
  };
  for (const CentreCase& c : cases) {
    Fill::CCentredGeometry g;
    Fill::GetCentredGeometry(nullptr, c.rect, c.h, c.v, TRUE, g);
    EXPECT_EQ(g.centre, c.centre) << c.name;
    EXPECT_EQ(g.rmax, c.rmax) << c.name;
    EXPECT_EQ(g.clip, c.rect) << c.name;
    EXPECT_EQ(g.rel, CPoint(c.centre.x - c.rect.left, c.centre.y - c.rect.top)) << c.name;
  }
}

TEST(EspecialFillGeometry, PrintRingsAreAboutTwoHundred) {
  Fill::CCentredGeometry g;
  Fill::GetCentredGeometry(nullptr, CRect(0, 0, 200, 100), 0, 0, TRUE, g);
  EXPECT_EQ(g.step, 1);  // ceil(112 / 200)
  EXPECT_EQ(g.penWidth, 2);
  EXPECT_DOUBLE_EQ(g.d, 0.0);
  EXPECT_DOUBLE_EQ(g.hd, std::sqrt(100.0 * 100 + 50 * 50));
  Fill::GetCentredGeometry(nullptr, CRect(0, 0, 4000, 3000), 0, 0, TRUE, g);
  EXPECT_EQ(g.rmax, 2500);
  EXPECT_EQ(g.step, 13);  // ceil(2500 / 200) = 12.5 up
  EXPECT_EQ(g.penWidth, 13 + 7);
}

}  // namespace
