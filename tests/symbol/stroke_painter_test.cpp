#include <gtest/gtest.h>

#include <cmath>

#include "KyStrokePainter.h"
#include "symbol_canvas.h"

namespace {

std::vector<CPoint> Points(const std::vector<POINT>& v) { return std::vector<CPoint>(v.begin(), v.end()); }

TEST(CKyStrokePainter, EllipseVertexCountKeepsEdgesWithinAQuarterPixel) {
  const struct {
    double radius;
    int count;
  } cases[] = {
      {0.0, 8}, {0.2, 8}, {1.0, 8}, {3.0, 8}, {10.0, 16}, {100.0, 48}, {1000.0, 144}, {1e6, 1024}, {1e300, 1024},
  };
  for (const auto& t : cases) {
    const int n = CKyStrokePainter::EllipseVertexCount(t.radius);
    EXPECT_EQ(t.count, n) << t.radius;
    EXPECT_EQ(0, n % 4) << t.radius;
    if (t.radius > 1 && n < CKyStrokePainter::kMaxEllipseVertices) {
      EXPECT_LE(t.radius * (1 - std::cos(M_PI / n)), 0.25) << t.radius;
    }
  }
  EXPECT_EQ(CKyStrokePainter::kMaxEllipseVertices,
            CKyStrokePainter::EllipseVertexCount(std::numeric_limits<double>::infinity()));
  EXPECT_EQ(8, CKyStrokePainter::EllipseVertexCount(std::numeric_limits<double>::quiet_NaN()));
}

TEST(CKyStrokePainter, RectanglesAndEllipsesBecomePolygonsThatTurn) {
  kytest::SymbolCanvas c(4, 4, 32);
  CKySymStroke rect;
  ASSERT_TRUE(rect.MakeStroke_Rectangle({-0.5, -0.25}, {0.5, 0.25}, 0, FALSE, 0, 0, FALSE, FALSE, 0));
  const CKyStrokePainter upright(c.dc(), CKySymbolPlacement(50, 50, 40, 40, 0), 0, 1);
  EXPECT_EQ(Points(upright.Vertices(rect)), (std::vector<CPoint>{{30, 40}, {70, 40}, {70, 60}, {30, 60}}));
  const CKyStrokePainter turned(c.dc(), CKySymbolPlacement(50, 50, 40, 40, 900), 0, 1);
  EXPECT_EQ(Points(turned.Vertices(rect)), (std::vector<CPoint>{{40, 70}, {40, 30}, {60, 30}, {60, 70}}));

  CKySymStroke ell;
  ASSERT_TRUE(ell.MakeStroke_FilledEllipse({-0.5, -0.25}, {0.5, 0.25}, 0, FALSE, 0));
  const std::vector<POINT> e = upright.Vertices(ell);
  ASSERT_EQ(static_cast<size_t>(CKyStrokePainter::EllipseVertexCount(20)), e.size());
  const size_t q = e.size() / 4;
  EXPECT_EQ(70, e[0].x);
  EXPECT_EQ(50, e[0].y);
  EXPECT_EQ(50, e[q].x);
  EXPECT_EQ(60, e[q].y) << "a quarter on, the end of the y radius";
  EXPECT_EQ(30, e[2 * q].x);
  EXPECT_EQ(40, e[3 * q].y);
  for (const POINT& p : e) {
    const double dx = (p.x - 50) / 20.0, dy = (p.y - 50) / 10.0;
    EXPECT_NEAR(1.0, dx * dx + dy * dy, 0.16) << p.x << "," << p.y;
  }
  EXPECT_TRUE(upright.Vertices(CKySymStroke()).empty());
}

TEST(CKyStrokePainter, UprightEllipsesAndCirclesGoToThePlatformsEllipse) {
  kytest::SymbolCanvas c(4, 4, 32);
  CKySymStroke ell, circle, rect;
  ASSERT_TRUE(ell.MakeStroke_Ellipse({-0.5, -0.25}, {0.5, 0.25}, 0, FALSE, 0, 0, FALSE, FALSE, 0));
  ASSERT_TRUE(circle.MakeStroke_FilledEllipse({0.0, 0.0}, {0.5, 0.5}, 0, FALSE, 0));
  ASSERT_TRUE(rect.MakeStroke_Rectangle({-0.5, -0.25}, {0.5, 0.25}, 0, FALSE, 0, 0, FALSE, FALSE, 0));
  const struct {
    const char* name;
    const CKySymStroke* stroke;
    int angle;
    BOOL upright;
    RECT box;  // anchor (50, 50), 40 pixels per size; Ellipse covers left..right - 1
  } cases[] = {
      {"upright ellipse", &ell, 0, TRUE, {30, 40, 70, 60}},
      {"ellipse on its side", &ell, 900, TRUE, {40, 30, 60, 70}},
      {"ellipse upside down", &ell, 1800, TRUE, {30, 40, 70, 60}},
      {"ellipse at an eighth", &ell, 450, FALSE, {}},
      {"circle at an eighth", &circle, 450, TRUE, {54, 40, 74, 60}},  // centre (0.25, 0.25) turned to (64.1, 50)
      {"rectangle", &rect, 0, FALSE, {}},
  };
  for (const auto& t : cases) {
    const CKyStrokePainter p(c.dc(), CKySymbolPlacement(50, 50, 40, 40, t.angle), 0, 1);
    RECT box{};
    EXPECT_EQ(t.upright, p.UprightEllipseBox(*t.stroke, &box)) << t.name;
    if (!t.upright) continue;
    EXPECT_EQ(CRect(t.box), CRect(box)) << t.name;
  }
}

TEST(CKyStrokePainter, PenWidthInPixelsWithTheThinnestLine) {
  kytest::SymbolCanvas c(4, 4, 32);
  const struct {
    double width;      // symbol sizes
    double scale;      // pixels per size
    int thinnest;
    int pixels;        // for CreatePen: 0 is the one-pixel line
  } cases[] = {
      {0.0, 100, 1, 0}, {0.01, 100, 1, 0}, {0.014, 100, 1, 0}, {0.016, 100, 1, 2}, {0.1, 100, 1, 10},
      {0.0, 100, 2, 2}, {0.01, 100, 3, 3}, {0.1, 100, 3, 10},  {256, 1e7, 1, 268435456},
  };
  for (const auto& t : cases) {
    CKySymStroke s;
    const CPoint2D pts[2] = {{0, 0}, {1, 0}};
    ASSERT_TRUE(s.MakeStroke_Polyline(pts, 2, t.width, 0, FALSE, 0));
    const CKyStrokePainter p(c.dc(), CKySymbolPlacement(0, 0, t.scale, t.scale, 0), 0, t.thinnest);
    EXPECT_EQ(t.pixels, p.PenWidth(s)) << t.width << " at " << t.scale;
  }
}

}  // namespace
