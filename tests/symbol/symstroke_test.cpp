#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "KyVuv50.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct MakeCase {
  const char* name;
  BYTE type;
  std::vector<CPoint2D> pts;
  double penWidth;
  BOOL fill;
  int penStyle;
  int brushStyle;
  BOOL ok;
};

TEST(CKySymStroke, MakeAcceptsExactlyTheValidStrokes) {
  const CPoint2D a{-0.5, -0.5}, b{0.5, 0.5}, c{0.5, -0.5};
  const MakeCase cases[] = {
      {"empty", 0, {}, 0, FALSE, 0, 0, TRUE},
      {"empty with a point", 0, {a}, 0, FALSE, 0, 0, FALSE},
      {"empty filled", 0, {}, 0, TRUE, 0, 0, FALSE},
      {"polyline of two", 1, {a, b}, 0.1, FALSE, 0, 0, TRUE},
      {"polyline of one", 1, {a}, 0.1, FALSE, 0, 0, FALSE},
      {"polyline filled", 1, {a, b}, 0.1, TRUE, 0, 0, FALSE},
      {"polygon of three", 2, {a, b, c}, 0, TRUE, 4, 6, TRUE},
      {"polygon of two", 2, {a, b}, 0, FALSE, 0, 0, FALSE},
      {"rectangle", 3, {a, b}, 0, TRUE, 0, 0, TRUE},
      {"rectangle of three", 3, {a, b, c}, 0, TRUE, 0, 0, FALSE},
      {"ellipse unfilled", 4, {a, b}, 0, FALSE, 0, 0, TRUE},
      {"ellipse of one", 4, {a}, 0, FALSE, 0, 0, FALSE},
      {"filled polygon", 10, {a, b, c}, 0, TRUE, 0, 0, TRUE},
      {"filled polygon without fill", 10, {a, b, c}, 0, FALSE, 0, 0, FALSE},
      {"filled ellipse", 11, {a, b}, 0, TRUE, 0, 0, TRUE},
      {"filled ellipse without fill", 11, {a, b}, 0, FALSE, 0, 0, FALSE},
      {"unknown type 5", 5, {a, b}, 0, FALSE, 0, 0, FALSE},
      {"unknown type 12", 12, {a, b}, 0, TRUE, 0, 0, FALSE},
      {"pen style 5", 1, {a, b}, 0, FALSE, 5, 0, TRUE},
      {"pen style 6", 1, {a, b}, 0, FALSE, 6, 0, FALSE},
      {"pen style -1", 1, {a, b}, 0, FALSE, -1, 0, FALSE},
      {"brush style 7", 3, {a, b}, 0, TRUE, 0, 7, FALSE},
      {"negative pen width", 1, {a, b}, -0.01, FALSE, 0, 0, FALSE},
      {"pen width at the limit", 1, {a, b}, 256.0, FALSE, 0, 0, TRUE},
      {"pen width past the limit", 1, {a, b}, 256.5, FALSE, 0, 0, FALSE},
      {"NaN pen width", 1, {a, b}, kNaN, FALSE, 0, 0, FALSE},
      {"NaN x", 1, {{kNaN, 0}, b}, 0, FALSE, 0, 0, FALSE},
      {"infinite y", 3, {a, {0, kInf}}, 0, FALSE, 0, 0, FALSE},
      {"coordinate at the limit", 3, {{-256, -256}, {256, 256}}, 0, FALSE, 0, 0, TRUE},
      {"coordinate past the limit", 3, {{-256.001, 0}, b}, 0, FALSE, 0, 0, FALSE},
  };
  for (const MakeCase& t : cases) {
    CKySymStroke s;
    const BOOL got = s.Make(t.type, t.pts.data(), static_cast<int>(t.pts.size()), t.penWidth, t.fill,
                            t.penStyle, t.brushStyle, TRUE, FALSE, 0x123456);
    EXPECT_EQ(t.ok, got) << t.name;
    if (got) {
      EXPECT_EQ(t.type, s.GetStrokeType()) << t.name;
      EXPECT_EQ(static_cast<int>(t.pts.size()), s.GetPointCount()) << t.name;
      EXPECT_EQ(0x123456u, s.GetColor()) << t.name;
      EXPECT_TRUE(s.IsPenFix()) << t.name;
      EXPECT_FALSE(s.IsBrushFix()) << t.name;
    } else {
      EXPECT_EQ(CKySymStroke(), s) << t.name << ": a refused Make must leave the stroke as it was";
    }
  }
}

TEST(CKySymStroke, RefusedMakerKeepsThePreviousStroke) {
  CKySymStroke s;
  ASSERT_TRUE(s.MakeStroke_Ellipse({-0.25, -0.25}, {0.25, 0.25}, 0.02, TRUE, 1, 2, TRUE, TRUE, 0xFF));
  const CKySymStroke before = s;
  const CPoint2D one{0, 0};
  EXPECT_FALSE(s.MakeStroke_Polyline(&one, 1, 0, 0, FALSE, 0));
  EXPECT_FALSE(s.MakeStroke_Polyline(nullptr, 2, 0, 0, FALSE, 0));
  EXPECT_FALSE(s.MakeStroke_FilledPolygon(&one, -1, 0, FALSE, 0));
  EXPECT_FALSE(s.MakeStroke_Rectangle({0, 0}, {kNaN, 0}, 0, TRUE, 0, 0, FALSE, FALSE, 0));
  EXPECT_EQ(before, s);
}

TEST(CKySymStroke, EveryMakerGivesItsType) {
  const CPoint2D tri[3] = {{0, -0.5}, {0.5, 0.5}, {-0.5, 0.5}};
  CKySymStroke s;
  ASSERT_TRUE(s.MakeStroke_Polyline(tri, 2, 0.05, 1, FALSE, 0));
  EXPECT_EQ(CKySymStroke::typePolyline, s.GetStrokeType());
  EXPECT_FALSE(s.IsFilled());
  EXPECT_EQ(0.05, s.GetPenWidth());
  EXPECT_EQ(1, s.GetPenStyle());
  ASSERT_TRUE(s.MakeStroke_Polygon(tri, 3, 0, FALSE, 0, 0, FALSE, FALSE, 0));
  EXPECT_EQ(CKySymStroke::typePolygon, s.GetStrokeType());
  ASSERT_TRUE(s.MakeStroke_Rectangle(tri[0], tri[1], 0, FALSE, 0, 0, FALSE, FALSE, 0));
  EXPECT_EQ(CKySymStroke::typeRectangle, s.GetStrokeType());
  ASSERT_TRUE(s.MakeStroke_Ellipse(tri[0], tri[1], 0, FALSE, 0, 0, FALSE, FALSE, 0));
  EXPECT_EQ(CKySymStroke::typeEllipse, s.GetStrokeType());
  ASSERT_TRUE(s.MakeStroke_FilledPolygon(tri, 3, 3, TRUE, 0xABCDEF));
  EXPECT_EQ(CKySymStroke::typeFilledPolygon, s.GetStrokeType());
  EXPECT_TRUE(s.IsFilled());
  EXPECT_TRUE(s.IsBrushFix());
  EXPECT_EQ(3, s.GetBrushStyle());
  ASSERT_TRUE(s.MakeStroke_FilledEllipse(tri[0], tri[1], 0, FALSE, 0));
  EXPECT_EQ(CKySymStroke::typeFilledEllipse, s.GetStrokeType());
  EXPECT_TRUE(s.IsFilled());
  EXPECT_EQ(0.5, s.GetPoint(1).x);
  EXPECT_EQ(0.0, s.GetPoint(2).x) << "an index out of range gives (0, 0)";
  EXPECT_EQ(0.0, s.GetPoint(-1).y);
}

TEST(CKySymStroke, MaskRectangleCallFillsInTheParameterColour) {
  // The call a transparent symbol pattern tile makes for a filled shape.
  CKySymStroke s;
  ASSERT_TRUE(s.MakeStroke_Rectangle(CPoint2D(-0.1, -0.2), CPoint2D(0.3, 0.4), 0, 1, 0, 0, 0, 0, 0xFFFFFF));
  EXPECT_EQ(CKySymStroke::typeRectangle, s.GetStrokeType());
  EXPECT_TRUE(s.IsFilled());
  EXPECT_FALSE(s.IsPenFix());
  EXPECT_FALSE(s.IsBrushFix());
  EXPECT_EQ(0, s.GetPenStyle());
  EXPECT_EQ(0, s.GetBrushStyle());
  EXPECT_EQ(0.0, s.GetPenWidth());
  EXPECT_EQ(0xFFFFFFu, s.GetColor());
}

TEST(CKySymStroke, PenAndBrushFixAreSeparateFlags) {
  CKySymStroke s;
  ASSERT_TRUE(s.MakeStroke_Ellipse({0, 0}, {0.5, 0.5}, 0, TRUE, 0, 0, TRUE, TRUE, 0x0000FF));
  s.MakePenFix(0);
  EXPECT_FALSE(s.IsPenFix());
  EXPECT_TRUE(s.IsBrushFix());
  s.MakeBrushFix(0);
  EXPECT_FALSE(s.IsBrushFix());
  s.MakePenFix(7);
  EXPECT_EQ(TRUE, s.IsPenFix()) << "any non-zero value is TRUE";
  EXPECT_EQ(0x0000FFu, s.GetColor()) << "the own colour is kept for later";
}

struct RectCase {
  const char* name;
  BYTE type;
  std::vector<CPoint2D> pts;
  CRect expected;
};

TEST(CKySymStroke, StrokeRectIsInSymbolUnitsRoundedOutwardOrFails) {
  const RectCase cases[] = {
      {"nominal extent", 3, {{-0.5, -0.5}, {0.5, 0.5}}, CRect(-128, -128, 128, 128)},
      {"corners given the other way", 4, {{0.5, 0.5}, {-0.5, -0.5}}, CRect(-128, -128, 128, 128)},
      {"whole units", 11, {{0.0, 0.0}, {1.0, 2.0}}, CRect(0, 0, 255, 510)},
      {"fractions widen", 11, {{0.001, -0.001}, {0.002, 0.003}}, CRect(0, -1, 1, 1)},
      {"polygon", 10, {{0.2, -0.4}, {-0.1, 0.3}, {0.0, 0.1}}, CRect(-26, -102, 51, 77)},
      {"vertical line", 1, {{0.0, -0.5}, {0.0, 0.5}}, CRect(0, -128, 0, 128)},
      {"limit", 3, {{-256, -256}, {256, 256}}, CRect(-65280, -65280, 65280, 65280)},
  };
  for (const RectCase& t : cases) {
    CKySymStroke s;
    ASSERT_TRUE(s.Make(t.type, t.pts.data(), static_cast<int>(t.pts.size()), 0, t.type >= 10 || t.type == 3,
                       0, 0, FALSE, FALSE, 0))
        << t.name;
    CRect r(9, 9, 9, 9);
    ASSERT_TRUE(s.GetStrokeRect(&r)) << t.name;
    EXPECT_EQ(t.expected, r) << t.name << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
  // An empty stroke, or no rectangle to fill, fails.
  CKySymStroke s;
  CRect r(1, 2, 3, 4);
  EXPECT_FALSE(s.GetStrokeRect(&r));
  EXPECT_EQ(CRect(1, 2, 3, 4), r);
  ASSERT_TRUE(s.MakeStroke_FilledEllipse({0, 0}, {1, 1}, 0, FALSE, 0));
  EXPECT_FALSE(s.GetStrokeRect(nullptr));
}

TEST(CKySymStroke, MaskRectangleOfAStrokeRectHasTheSameRect) {
  // A tile mask turns a filled shape's rectangle back into sizes with
  // 0.00392156862745098 (a little under 1/255); the rectangle must not grow.
  const double k = 0.00392156862745098;
  for (int a = -300; a <= 300; a += 7) {
    for (int b = a; b <= 300; b += 13) {
      CKySymStroke s;
      ASSERT_TRUE(s.MakeStroke_Rectangle(CPoint2D(a * k, -b * k), CPoint2D(b * k, -a * k), 0, 1, 0, 0, 0, 0,
                                         0xFFFFFF));
      CRect r;
      ASSERT_TRUE(s.GetStrokeRect(&r));
      ASSERT_EQ(CRect(a, -b, b, -a), r) << a << " " << b;
    }
  }
}

}  // namespace
