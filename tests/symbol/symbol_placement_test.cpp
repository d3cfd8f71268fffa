#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "KySymbolPlacement.h"
#include "symbol_canvas.h"

namespace {

using kytest::SetScreen;
using kytest::SymbolCanvas;

struct TurnCase {
  const char* name;
  int angle;
  CPoint2D in;
  POINT out;  // anchor (100, 50), 40 pixels per symbol size
};

TEST(CKySymbolPlacement, TurnsCounterClockwiseOnAYDownDeviceHalfTurnsExactly) {
  const TurnCase cases[] = {
      {"upright right", 0, {0.5, 0.0}, {120, 50}},
      {"upright below", 0, {0.0, 0.25}, {100, 60}},
      {"quarter right goes up", 900, {0.5, 0.0}, {100, 30}},
      {"quarter below goes right", 900, {0.0, 0.25}, {110, 50}},
      {"half", 1800, {0.5, 0.25}, {80, 40}},
      {"three quarters right goes down", 2700, {0.5, 0.0}, {100, 70}},
      {"minus a quarter is three quarters", -900, {0.5, 0.0}, {100, 70}},
      {"a whole turn and a quarter", 4500, {0.5, 0.0}, {100, 30}},
      {"eighth", 450, {0.5, 0.0}, {114, 36}},  // 20 / sqrt(2) = 14.14
  };
  for (const TurnCase& t : cases) {
    const CKySymbolPlacement p(100, 50, 40, 40, t.angle);
    const POINT got = p.MapToPixel(t.in);
    EXPECT_EQ(t.out.x, got.x) << t.name;
    EXPECT_EQ(t.out.y, got.y) << t.name;
  }
  // sin(pi) in floating point is 1.2e-16; 0.5 pixels then must not tip over.
  const CKySymbolPlacement p(0, 0, 1, 1, 1800);
  double x, y;
  p.Map(CPoint2D(0.5, 0.5), &x, &y);
  EXPECT_EQ(-0.5, x);
  EXPECT_EQ(-0.5, y);
  const POINT px = p.MapToPixel(CPoint2D(0.5, 0.5));
  EXPECT_EQ(0, px.x) << "-0.5 rounds half up, to 0";
  EXPECT_EQ(0, px.y);
}

struct ModeCase {
  const char* name;
  int mode;
  CPoint position;
  double anchorX, anchorY, scaleX, scaleY;  // device pixels, pixels per symbol size for size 100
};

TEST(CKySymbolPlacement, FromParameterFollowsTheMapModeForTheAnchorOnly) {
  SetScreen();
  // 1920 pixels over 508 mm and 1080 over 286 mm: the pixels per 0.1 mm
  // differ a little between the axes.
  const double lx = 1920.0 / 5080.0, ly = 1080.0 / 2860.0;
  const ModeCase cases[] = {
      {"text", MM_TEXT, {30, 40}, 30, 40, 100, 100},
      {"lometric, y up", MM_LOMETRIC, {100, -200}, 38, 76, 100 * lx, 100 * ly},
      {"isotropic with lometric extents", MM_ISOTROPIC, {100, -200}, 38, 76, 100 * lx, 100 * ly},
  };
  for (const ModeCase& t : cases) {
    SymbolCanvas c(8, 8, 32);
    c.dc()->SetMapMode(t.mode);
    CKySymbolParameter param(t.position, 50, 0, 0, 0, nullptr, 2.0);
    CKySymbolPlacement p;
    ASSERT_TRUE(CKySymbolPlacement::FromParameter(c.dc(), param, &p)) << t.name;
    EXPECT_EQ(t.anchorX, p.GetAnchorX()) << t.name;
    EXPECT_EQ(t.anchorY, p.GetAnchorY()) << t.name;
    EXPECT_DOUBLE_EQ(t.scaleX, p.GetScaleX()) << t.name;
    EXPECT_DOUBLE_EQ(t.scaleY, p.GetScaleY()) << t.name << ": never negative, the symbol is not mirrored";
  }
}

TEST(CKySymbolPlacement, AMirroredMappingMovesTheAnchorButDoesNotMirrorTheSymbol) {
  SymbolCanvas c(8, 8, 32);
  c.dc()->SetMapMode(MM_ANISOTROPIC);
  c.dc()->SetWindowExt(-10, 20);
  c.dc()->SetViewportExt(10, 10);
  c.dc()->SetViewportOrg(100, 0);
  CKySymbolParameter param(CPoint(30, 40), 40, 0, 0, 0);
  CKySymbolPlacement p;
  ASSERT_TRUE(CKySymbolPlacement::FromParameter(c.dc(), param, &p));
  EXPECT_EQ(70, p.GetAnchorX());
  EXPECT_EQ(20, p.GetAnchorY());
  EXPECT_EQ(40, p.GetScaleX());
  EXPECT_EQ(20, p.GetScaleY());
  EXPECT_DOUBLE_EQ(std::sqrt(800.0), p.GetLengthScale());
  EXPECT_EQ(90, p.MapToPixel(CPoint2D(0.5, 0)).x) << "right of the anchor stays right on the page";
}

TEST(CKySymbolPlacement, FromParameterRefusesWhatCannotBeDrawn) {
  SymbolCanvas c(8, 8, 32);
  const double kNaN = std::numeric_limits<double>::quiet_NaN();
  const double kInf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* name;
    unsigned long size;
    double scale;
    CPoint position;
  } cases[] = {
      {"NaN scale", 10, kNaN, {0, 0}},
      {"infinite scale", 10, kInf, {0, 0}},
      {"negative scale", 10, -1.0, {0, 0}},
      {"size beyond the device", 0xFFFFFFFFul, 1.0, {0, 0}},
      {"size times scale beyond the device", 100000, 100.0, {0, 0}},
      {"anchor near the end of int", 10, 1.0, {0x7FFFFFF0, 0}},
  };
  for (const Case& t : cases) {
    CKySymbolParameter param(t.position, t.size, 0, 0, 0, nullptr, t.scale);
    CKySymbolPlacement p(1, 2, 3, 4, 0);
    SetLastError(0);
    EXPECT_FALSE(CKySymbolPlacement::FromParameter(c.dc(), param, &p)) << t.name;
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError()) << t.name;
    EXPECT_EQ(1, p.GetAnchorX()) << t.name << ": left as it was";
  }
  CKySymbolParameter ok(CPoint(0, 0), 10, 0, 0, 0);
  CKySymbolPlacement p;
  EXPECT_FALSE(CKySymbolPlacement::FromParameter(nullptr, ok, &p));
  EXPECT_FALSE(CKySymbolPlacement::FromParameter(c.dc(), ok, nullptr));
  ok.m_nSize = 0;
  EXPECT_TRUE(CKySymbolPlacement::FromParameter(c.dc(), ok, &p)) << "size 0 is a symbol of no extent";
}

TEST(CKySymbolPlacement, PreviewFitsTheBoundsWithTheAspectKept) {
  SymbolCanvas c(8, 8, 32);
  CKySymbol bar;
  kytest::FilledRect(&bar, {-0.5, -0.1}, {0.5, 0.1});
  CKySymbolPlacement p;
  // Pixels 10 .. 109 across: vertices on 10 and 109, 99 pixels per size.
  ASSERT_TRUE(CKySymbolPlacement::ForPreview(c.dc(), RECT{10, 10, 110, 60}, bar, &p));
  EXPECT_EQ(99, p.GetScaleX());
  EXPECT_EQ(99, p.GetScaleY());
  EXPECT_EQ(10, p.MapToPixel(CPoint2D(-0.5, 0)).x);
  EXPECT_EQ(109, p.MapToPixel(CPoint2D(0.5, 0)).x);
  EXPECT_DOUBLE_EQ(34.5, p.GetAnchorY());

  // Off centre: a symbol whose points lie right of its anchor is shifted back.
  CKySymbol right;
  kytest::FilledRect(&right, {0.0, 0.0}, {1.0, 2.0});
  ASSERT_TRUE(CKySymbolPlacement::ForPreview(c.dc(), RECT{0, 0, 41, 41}, right, &p));
  EXPECT_EQ(20, p.GetScaleX()) << "the height decides";
  EXPECT_EQ(10, p.MapToPixel(CPoint2D(0, 0)).x);
  EXPECT_EQ(30, p.MapToPixel(CPoint2D(1, 0)).x);
  EXPECT_EQ(0, p.MapToPixel(CPoint2D(0, 0)).y);
  EXPECT_EQ(40, p.MapToPixel(CPoint2D(0, 2)).y);
}

TEST(CKySymbolPlacement, PreviewWidensByThePenAndFallsBackToTheNominalExtent) {
  SymbolCanvas c(8, 8, 32);
  CKySymbol line;
  const CPoint2D pts[2] = {{-0.4, 0}, {0.4, 0}};
  auto* s = new CKySymStroke;
  ASSERT_TRUE(s->MakeStroke_Polyline(pts, 2, 0.2, 0, FALSE, 0));
  line.AddStroke(s);
  CKySymbolPlacement p;
  ASSERT_TRUE(CKySymbolPlacement::ForPreview(c.dc(), RECT{0, 0, 101, 101}, line, &p));
  EXPECT_DOUBLE_EQ(100.0, p.GetScaleX()) << "0.8 of line and 0.2 of pen";

  CKySymbol empty;
  ASSERT_TRUE(CKySymbolPlacement::ForPreview(c.dc(), RECT{0, 0, 51, 21}, empty, &p));
  EXPECT_EQ(20, p.GetScaleX());
  EXPECT_EQ(25, p.GetAnchorX());
  EXPECT_EQ(10, p.GetAnchorY());

  EXPECT_FALSE(CKySymbolPlacement::ForPreview(c.dc(), RECT{5, 5, 5, 20}, line, &p)) << "empty on the device";
  EXPECT_FALSE(CKySymbolPlacement::ForPreview(nullptr, RECT{0, 0, 9, 9}, line, &p));
}

TEST(CKySymbolPlacement, PreviewInAYUpMapping) {
  SetScreen();
  SymbolCanvas c(8, 8, 32);
  c.dc()->SetMapMode(MM_ISOTROPIC);
  CKySymbol square;
  kytest::FilledRect(&square, {-0.5, -0.5}, {0.5, 0.5});
  CKySymbolPlacement p;
  // (0, 0) .. (100, -100) is device (0, 0) .. (38, 38).
  ASSERT_TRUE(CKySymbolPlacement::ForPreview(c.dc(), RECT{0, 0, 100, -100}, square, &p));
  EXPECT_EQ(37, p.GetScaleX());
  EXPECT_EQ(0, p.MapToPixel(CPoint2D(-0.5, -0.5)).y);
  EXPECT_EQ(37, p.MapToPixel(CPoint2D(0.5, 0.5)).y);
}

}  // namespace
