// CKySymbol::Draw on real device contexts: where the ink lands, how large,
// turned which way, in which colours, in every map mode a caller uses, and
// that the DC comes back as it was. Every case runs on 32- and 16-bit
// bitmaps.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <tuple>

#include "KyErrorMsg.h"
#include "symbol_canvas.h"

namespace {

using kytest::InkBox;
using kytest::SetScreen;
using kytest::SymbolCanvas;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

CKySymbol Dot() {
  CKySymbol sym;
  auto* s = new CKySymStroke;
  EXPECT_TRUE(s->MakeStroke_FilledEllipse({-0.125, -0.125}, {0.125, 0.125}, 0, FALSE, 0));
  sym.AddStroke(s);
  return sym;
}

// A horizontal bar across the whole size, a tenth of it high.
CKySymbol Bar() {
  CKySymbol sym;
  kytest::FilledRect(&sym, {-0.5, -0.05}, {0.5, 0.05});
  return sym;
}

// A small square right of the anchor: shows which way the symbol is turned.
CKySymbol Marker() {
  CKySymbol sym;
  kytest::FilledRect(&sym, {0.3, -0.1}, {0.5, 0.1});
  return sym;
}

CKySymStroke* Line(CPoint2D a, CPoint2D b, double width, int style = 0) {
  auto* s = new CKySymStroke;
  const CPoint2D pts[2] = {a, b};
  EXPECT_TRUE(s->MakeStroke_Polyline(pts, 2, width, style, FALSE, 0));
  return s;
}

class SymbolDraw : public testing::TestWithParam<int> {
 protected:
  void SetUp() override { SetScreen(); }
  int bpp() const { return GetParam(); }
  // Draws sym in MM_TEXT on a fresh canvas and returns its ink.
  InkBox InkOf(CKySymbol& sym, CPoint at, unsigned long size, int angle = 0, double scale = 1.0,
               int w = 120, int h = 120) {
    SymbolCanvas c(w, h, bpp());
    CKySymbolParameter param(at, size, angle, kRed, 0, nullptr, scale);
    EXPECT_TRUE(sym.Draw(c.dc(), param, FALSE, 0, 0));
    return c.Ink();
  }
};

TEST_P(SymbolDraw, ADotsInkIsCentredOnItsPositionAndGrowsWithSizeAndScale) {
  CKySymbol dot = Dot();
  // The platform's pixel x covers x .. x + 1, so a shape centred on the
  // point x has its middle between pixels x - 1 and x: twice its centre is
  // 2x - 1.
  for (const CPoint at : {CPoint(40, 30), CPoint(41, 31), CPoint(60, 77)}) {
    const InkBox ink = InkOf(dot, at, 40);
    ASSERT_FALSE(ink.Empty());
    EXPECT_NEAR(2 * at.x - 1, ink.CentreX2(), 1) << at.x;
    EXPECT_NEAR(2 * at.y - 1, ink.CentreY2(), 1) << at.y;
    EXPECT_EQ(10, ink.Width()) << "a quarter of 40 pixels";
    EXPECT_EQ(10, ink.Height());
  }
  // Size and scale multiply the ink.
  const InkBox large = InkOf(dot, CPoint(60, 60), 80);
  EXPECT_EQ(20, large.Width());
  EXPECT_EQ(20, large.Height());

  // Size 80 and size 40 at scale 2 are the same pixels.
  SymbolCanvas a(120, 120, bpp()), b(120, 120, bpp());
  CKySymbolParameter pa(CPoint(60, 60), 80, 0, kRed, 0, nullptr, 1.0);
  CKySymbolParameter pb(CPoint(60, 60), 40, 0, kRed, 0, nullptr, 2.0);
  CKySymbol bar = Bar();
  ASSERT_TRUE(bar.Draw(a.dc(), pa, FALSE));
  ASSERT_TRUE(bar.Draw(b.dc(), pb, FALSE));
  EXPECT_EQ(a.Pixels(), b.Pixels());
  EXPECT_EQ(80, a.Ink().Width());
}

TEST_P(SymbolDraw, AQuarterTurnMakesAHorizontalBarVertical) {
  CKySymbol bar = Bar();
  const InkBox flat = InkOf(bar, CPoint(60, 60), 60, 0);
  EXPECT_EQ(60, flat.Width());
  EXPECT_EQ(6, flat.Height());
  const InkBox upright = InkOf(bar, CPoint(60, 60), 60, 900);
  EXPECT_EQ(6, upright.Width());
  EXPECT_EQ(60, upright.Height());
  EXPECT_EQ(flat.count, upright.count);
  EXPECT_EQ(flat.CentreX2(), upright.CentreY2());
  EXPECT_EQ(flat.CentreY2(), upright.CentreX2());
  const InkBox diagonal = InkOf(bar, CPoint(60, 60), 60, 450);
  EXPECT_NEAR(diagonal.Width(), diagonal.Height(), 1);
  EXPECT_NEAR(46, diagonal.Width(), 2) << "60 / sqrt(2) + 6 / sqrt(2)";
}

TEST_P(SymbolDraw, AnglesTurnCounterClockwiseOnThePage) {
  CKySymbol marker = Marker();
  const struct {
    int angle;
    int dx, dy;  // where the marker lies from the anchor: -1, 0, 1
  } cases[] = {{0, 1, 0}, {900, 0, -1}, {1800, -1, 0}, {2700, 0, 1}, {-900, 0, 1}, {450, 1, -1}};
  for (const auto& t : cases) {
    const InkBox ink = InkOf(marker, CPoint(60, 60), 100, t.angle);
    ASSERT_FALSE(ink.Empty()) << t.angle;
    const int cx = ink.CentreX2() - 2 * 60, cy = ink.CentreY2() - 2 * 60;
    EXPECT_EQ(t.dx, cx > 4 ? 1 : cx < -4 ? -1 : 0) << t.angle;
    EXPECT_EQ(t.dy, cy > 4 ? 1 : cy < -4 ? -1 : 0) << t.angle;
  }
}

TEST_P(SymbolDraw, StrokesTakeTheCallersColourUnlessFixed) {
  // A square outlined with an 8-pixel pen and filled.
  auto make = [](BOOL penFix, BOOL brushFix) {
    CKySymbol sym;
    auto* s = new CKySymStroke;
    const CPoint2D pts[4] = {{-0.4, -0.4}, {0.4, -0.4}, {0.4, 0.4}, {-0.4, 0.4}};
    EXPECT_TRUE(s->MakeStroke_Polygon(pts, 4, 0.1, TRUE, 0, 0, penFix, brushFix, kGreen));
    sym.AddStroke(s);
    return sym;
  };
  const struct {
    const char* name;
    BOOL penFix, brushFix;
    COLORREF outline, inside;
  } cases[] = {
      {"both follow", FALSE, FALSE, kRed, kRed},
      {"pen fixed", TRUE, FALSE, kGreen, kRed},
      {"brush fixed", FALSE, TRUE, kRed, kGreen},
      {"both fixed", TRUE, TRUE, kGreen, kGreen},
  };
  for (const auto& t : cases) {
    SymbolCanvas c(120, 120, bpp());
    CKySymbol sym = make(t.penFix, t.brushFix);
    CKySymbolParameter param(CPoint(60, 60), 80, 0, kRed, 0);
    ASSERT_TRUE(sym.Draw(c.dc(), param, FALSE));
    EXPECT_EQ(c.Stored(t.outline), c.At(60, 60 - 32)) << t.name << ": on the outline";
    EXPECT_EQ(c.Stored(t.inside), c.At(60, 60)) << t.name << ": inside";
    EXPECT_EQ(t.outline == t.inside ? 1u : 2u, c.Colours().size()) << t.name;

    // Clearing both flags makes the whole stroke follow.
    sym.GetLastStroke(0)->MakePenFix(0);
    sym.GetLastStroke(0)->MakeBrushFix(0);
    c.Clear(RGB(255, 255, 255));
    param.m_crColor = kBlue;
    ASSERT_TRUE(sym.Draw(c.dc(), param, FALSE));
    ASSERT_EQ(1u, c.Colours().size()) << t.name;
    EXPECT_EQ(c.Stored(kBlue), *c.Colours().begin()) << t.name;
  }
}

// A symbol pattern tile as the fill style module makes one: a memory DC in
// MM_ISOTROPIC with the extents of MM_LOMETRIC, a tile of 100 x 100 tenths
// of a millimetre, the symbol at (near(px), -near(py)).
class Tile {
 public:
  explicit Tile(int bpp) : m_canvas(38, 38, bpp) {
    m_canvas.dc()->SetMapMode(MM_ISOTROPIC);
    CSize s(100, 100);
    m_canvas.dc()->LPtoDP(&s);
    EXPECT_EQ(CSize(38, 38), s) << "100 tenths of a millimetre at 3.78 pixels per millimetre";
  }
  SymbolCanvas& canvas() { return m_canvas; }
  BOOL Draw(CKySymbol& sym, int px, int py, unsigned long size, int angle = 0) {
    CKySymbolParameter param(CPoint(10, 10), 128, 0, 0, 0, nullptr, 1.0);
    param.m_nSize = size;
    param.m_nAngle = angle;
    param.m_crColor = kRed;
    param.m_ptPosition = CPoint(px, -py);
    return sym.Draw(m_canvas.dc(), param, 0, 0, 0);
  }

 private:
  SymbolCanvas m_canvas;
};

TEST_P(SymbolDraw, ASymbolOfSize60InTheMiddleOfATileSpans60PerCent) {
  Tile tile(bpp());
  CKySymbol square;
  kytest::FilledRect(&square, {-0.5, -0.5}, {0.5, 0.5});
  ASSERT_TRUE(tile.Draw(square, 50, 50, 60));
  const InkBox ink = tile.canvas().Ink();
  // 60 tenths of a millimetre are 22.7 pixels: vertices 19 -+ 11.3 on both
  // axes, the null pen filling 8 .. 29.
  EXPECT_EQ(CRect(8, 8, 29, 29), CRect(ink.left, ink.top, ink.right, ink.bottom));
  EXPECT_NEAR(0.6, ink.Width() / 38.0, 0.03);
  EXPECT_EQ(37, ink.CentreX2()) << "centred in the 38 pixels";
  EXPECT_EQ(37, ink.CentreY2());
  tile.canvas().Dump("symbol-tile-square");
}

TEST_P(SymbolDraw, AYUpMappingPlacesTheSymbolDownThePageWithItsTopUpAndPreviewsFit) {
  Tile tile(bpp());
  // Tile point (20, 10) is logical (20, -10): device (7.6, 3.8).
  CKySymbol dot = Dot();
  ASSERT_TRUE(tile.Draw(dot, 20, 10, 40));
  const InkBox ink = tile.canvas().Ink();
  EXPECT_NEAR(2 * 8 - 1, ink.CentreX2(), 1);
  EXPECT_NEAR(2 * 4 - 1, ink.CentreY2(), 1);

  // The top of a symbol (negative y) stays up on the page.
  Tile top(bpp());
  CKySymbol cap;
  kytest::FilledRect(&cap, {-0.5, -0.5}, {0.5, -0.3});
  ASSERT_TRUE(top.Draw(cap, 50, 50, 60));
  EXPECT_LT(top.canvas().Ink().bottom, 19) << "above the anchor";
  // And a quarter turn takes the right side up there too.
  Tile turned(bpp());
  CKySymbol marker = Marker();
  ASSERT_TRUE(turned.Draw(marker, 50, 50, 60, 900));
  EXPECT_LT(turned.canvas().Ink().bottom, 19);
  EXPECT_NEAR(37, turned.canvas().Ink().CentreX2(), 1);
  // A preview of the tile's rectangle fills it, the mapping kept.
  Tile preview(bpp());
  RECT r{0, 0, 100, -100};
  CKySymbol bar = Bar();
  ASSERT_TRUE(bar.Draw(preview.canvas().dc(), r, kRed));
  EXPECT_EQ(0, preview.canvas().Ink().left);
  EXPECT_EQ(36, preview.canvas().Ink().right);
  EXPECT_NEAR(37, preview.canvas().Ink().CentreY2(), 1);
  EXPECT_EQ(MM_ISOTROPIC, preview.canvas().dc()->GetMapMode());
}

TEST_P(SymbolDraw, EverySampleStaysInsideItsSizeAndDrawsInOneColour) {
  const CKySymLib lib = KySampleSymbols();
  for (long pos = 0; pos < lib.GetSymbolCount(); ++pos) {
    CKySymbol* sym = lib.GetSymbolAt(pos);
    SymbolCanvas c(120, 120, bpp());
    CKySymbolParameter param(CPoint(60, 60), 60, 0, kBlue, 0);
    ASSERT_TRUE(sym->Draw(c.dc(), param, FALSE)) << sym->GetSymName().str();
    const InkBox ink = c.Ink();
    ASSERT_FALSE(ink.Empty()) << sym->GetSymName().str();
    // Half the size, half the widest pen (0.06 of 60 pixels) and a pixel.
    EXPECT_GE(ink.left, 60 - 30 - 2 - 1) << sym->GetSymName().str();
    EXPECT_GE(ink.top, 60 - 30 - 2 - 1) << sym->GetSymName().str();
    EXPECT_LE(ink.right, 60 + 30 + 2) << sym->GetSymName().str();
    EXPECT_LE(ink.bottom, 60 + 30 + 2) << sym->GetSymName().str();
    ASSERT_EQ(1u, c.Colours().size()) << sym->GetSymName().str();
    EXPECT_EQ(c.Stored(kBlue), *c.Colours().begin()) << sym->GetSymName().str();
  }
}

// The DC a caller hands over, in a state of its own.
struct CallerState {
  int mapMode, bkMode, rop2, fillMode;
  COLORREF bk, text;
  CPoint windowOrg, viewportOrg, brushOrg, position;
  CSize windowExt, viewportExt;
  HGDIOBJ pen, brush;

  static CallerState Of(CDC* dc) {
    return CallerState{dc->GetMapMode(),         dc->GetBkMode(),       dc->GetROP2(),
                       dc->GetPolyFillMode(),    dc->GetBkColor(),      dc->GetTextColor(),
                       dc->GetWindowOrg(),       dc->GetViewportOrg(),  dc->GetBrushOrg(),
                       dc->GetCurrentPosition(), dc->GetWindowExt(),    dc->GetViewportExt(),
                       ::GetCurrentObject(dc->GetSafeHdc(), OBJ_PEN), ::GetCurrentObject(dc->GetSafeHdc(), OBJ_BRUSH)};
  }
  void ExpectSame(const CallerState& o, const char* what) const {
    EXPECT_EQ(std::tie(mapMode, bkMode, rop2, fillMode, bk, text, pen, brush),
              std::tie(o.mapMode, o.bkMode, o.rop2, o.fillMode, o.bk, o.text, o.pen, o.brush))
        << what;
    EXPECT_EQ(std::tie(windowOrg, viewportOrg, brushOrg, position),
              std::tie(o.windowOrg, o.viewportOrg, o.brushOrg, o.position))
        << what;
    EXPECT_EQ(std::tie(windowExt, viewportExt), std::tie(o.windowExt, o.viewportExt)) << what;
  }
};

TEST_P(SymbolDraw, TheDCComesBackAsItWasAndEveryObjectMadeIsGone) {
  SymbolCanvas c(120, 120, bpp());
  CDC* dc = c.dc();
  CPen pen(PS_DASH, 0, kGreen);
  CBrush brush(kBlue);
  dc->SelectObject(&pen);
  dc->SelectObject(&brush);
  dc->SetMapMode(MM_ANISOTROPIC);
  dc->SetWindowExt(200, 200);
  dc->SetViewportExt(100, 100);
  dc->SetWindowOrg(-20, -10);
  dc->SetViewportOrg(3, 4);
  dc->SetBkMode(OPAQUE);
  dc->SetBkColor(RGB(1, 2, 3));
  dc->SetTextColor(RGB(4, 5, 6));
  dc->SetPolyFillMode(WINDING);
  dc->SetBrushOrg(3, 5);
  dc->MoveTo(7, 9);
  const CallerState before = CallerState::Of(dc);
  const int callersLevel = dc->SaveDC();
  ASSERT_NE(0, callersLevel);

  // Every kind of stroke, pen and brush.
  CKySymbol sym;
  const CPoint2D tri[3] = {{-0.4, 0.4}, {0.0, -0.4}, {0.4, 0.4}};
  auto* a = new CKySymStroke;
  ASSERT_TRUE(a->MakeStroke_Polygon(tri, 3, 0.05, TRUE, 1, 3, TRUE, FALSE, kGreen));
  auto* b = new CKySymStroke;
  ASSERT_TRUE(b->MakeStroke_Ellipse({-0.5, -0.2}, {0.5, 0.2}, 0, TRUE, 2, 0, FALSE, TRUE, kBlue));
  auto* r = new CKySymStroke;
  ASSERT_TRUE(r->MakeStroke_Rectangle({-0.1, -0.1}, {0.1, 0.1}, 0.1, FALSE, 5, 0, FALSE, FALSE, 0));
  sym.AddStroke(a);
  sym.AddStroke(b);
  sym.AddStroke(r);
  sym.AddStroke(Line({-0.5, 0.5}, {0.5, 0.5}, 0.02, 3));
  kytest::FilledRect(&sym, {-0.5, -0.5}, {-0.3, -0.3});

  kytest::HandleProbe probe;
  CKySymbolParameter param(CPoint(100, 100), 100, 300, kRed, 0);
  ASSERT_TRUE(sym.Draw(dc, param, FALSE));
  CallerState::Of(dc).ExpectSame(before, "after Draw");
  RECT preview{0, 0, 80, 60};
  ASSERT_TRUE(sym.Draw(dc, preview, kRed));
  CallerState::Of(dc).ExpectSame(before, "after the preview");
  param.m_dScale = -1;
  EXPECT_FALSE(sym.Draw(dc, param, FALSE));
  CallerState::Of(dc).ExpectSame(before, "after a refusal");
  EXPECT_EQ(0, probe.Alive()) << "pens and brushes made by Draw are deleted";
  EXPECT_TRUE(dc->RestoreDC(callersLevel)) << "the caller's saved level is still there";
  EXPECT_FALSE(dc->RestoreDC(callersLevel)) << "and Draw left none of its own";
  EXPECT_FALSE(c.Ink().Empty());
  dc->SelectStockObject(BLACK_PEN);
  dc->SelectStockObject(WHITE_BRUSH);
}

TEST_P(SymbolDraw, WhatCannotBeDrawnIsRefusedAndNothingIsDrawn) {
  SymbolCanvas c(60, 60, bpp());
  CKySymbol dot = Dot();
  CKySymbolParameter param(CPoint(30, 30), 40, 0, kRed, 0);
  EXPECT_FALSE(dot.Draw(nullptr, param, FALSE));
  RECT r{0, 0, 10, 10};
  EXPECT_FALSE(dot.Draw(nullptr, r, kRed));
  for (double bad : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), -2.0}) {
    param.m_dScale = bad;
    SetLastError(0);
    EXPECT_FALSE(dot.Draw(c.dc(), param, FALSE)) << bad;
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError()) << bad;
  }
  param.m_dScale = 1.0;
  param.m_nSize = ULONG_MAX;
  EXPECT_FALSE(dot.Draw(c.dc(), param, FALSE));
  EXPECT_TRUE(c.Ink().Empty());

  // Nothing to draw is not a failure.
  param.m_nSize = 0;
  EXPECT_TRUE(dot.Draw(c.dc(), param, FALSE));
  CKySymbol empty;
  param.m_nSize = 40;
  EXPECT_TRUE(empty.Draw(c.dc(), param, FALSE));
  EXPECT_TRUE(empty.Draw(c.dc(), r, kRed));
  CKySymbol nullLine;
  nullLine.AddStroke(Line({-0.5, 0}, {0.5, 0}, 0.1, 5));
  EXPECT_TRUE(nullLine.Draw(c.dc(), param, FALSE));
  EXPECT_TRUE(c.Ink().Empty());
  RECT flat{5, 5, 5, 50};
  EXPECT_FALSE(dot.Draw(c.dc(), flat, kRed));

  // Any angle is a turn.
  param.m_nAngle = INT_MIN;
  EXPECT_TRUE(dot.Draw(c.dc(), param, FALSE));
  EXPECT_FALSE(c.Ink().Empty());
}

TEST_P(SymbolDraw, PensHaveTheirWidthInSymbolSizesAndAtLeastOnePixel) {
  const struct {
    const char* name;
    double width;
    int style;
    int height;  // of the ink of a horizontal line, 100 pixels per size
  } cases[] = {
      {"hairline", 0.0, 0, 1}, {"below a pixel", 0.004, 0, 1}, {"ten pixels", 0.1, 0, 10},
      {"dashed hairline", 0.0, 1, 1}, {"wide dashes draw solid", 0.1, 1, 10},
  };
  for (const auto& t : cases) {
    CKySymbol sym;
    sym.AddStroke(Line({-0.4, 0}, {0.4, 0}, t.width, t.style));
    const InkBox ink = InkOf(sym, CPoint(60, 60), 100);
    EXPECT_EQ(t.height, ink.Height()) << t.name;
    // Pixels 20 .. 100: a one-pixel line draws both of its ends; a wide one
    // has round caps of half its width.
    if (t.height == 1) {
      EXPECT_EQ(20, ink.left) << t.name;
      EXPECT_EQ(100, ink.right) << t.name;
    } else {
      EXPECT_NEAR(80 + t.height, ink.Width(), 1) << t.name;
    }
  }
  CKySymbol solid, dashed;
  solid.AddStroke(Line({-0.4, 0}, {0.4, 0}, 0, 0));
  dashed.AddStroke(Line({-0.4, 0}, {0.4, 0}, 0, 1));
  const long full = InkOf(solid, CPoint(60, 60), 100).count;
  const long dashes = InkOf(dashed, CPoint(60, 60), 100).count;
  EXPECT_LT(dashes, full) << "gaps";
  EXPECT_GT(dashes, full / 3);
}

TEST_P(SymbolDraw, APrinterDrawsItsThinnestLineATenthOfAMillimetreWide) {
  HDC printer = KyCreatePrinterDC();
  ASSERT_NE(nullptr, printer);
  CDC mem;
  ASSERT_TRUE(mem.CreateCompatibleDC(CDC::FromHandle(printer)));
  CBitmap bmp;
  ASSERT_TRUE(bmp.CreateBitmap(120, 120, 1, static_cast<UINT>(bpp()), nullptr));
  HGDIOBJ old = mem.SelectObject(bmp.GetSafeHandle());
  mem.PatBlt(0, 0, 120, 120, WHITENESS);
  CKySymbol sym;
  sym.AddStroke(Line({-0.4, 0}, {0.4, 0}, 0, 0));
  CKySymbolParameter param(CPoint(60, 60), 100, 0, kRed, 0);
  ASSERT_TRUE(sym.Draw(&mem, param, TRUE));
  mem.SelectObject(old);
  int w = 0, h = 0;
  std::vector<DWORD> px;
  ASSERT_TRUE(GdiGetBitmapPixels(static_cast<HBITMAP>(bmp.GetSafeHandle()), &w, &h, &px));
  int rows = 0;
  for (int y = 0; y < h; ++y) rows += px[static_cast<size_t>(y) * w + 60] != 0xFFFFFF;
  EXPECT_EQ(2, rows) << "600 dpi: 2.4 pixels to 0.1 mm";
  mem.DeleteDC();
  DeleteDC(printer);
}

TEST_P(SymbolDraw, HatchGapsLeaveWhatLiesBeneath) {
  SymbolCanvas c(120, 120, bpp());
  c.dc()->SetBkMode(OPAQUE);
  c.dc()->SetBkColor(kGreen);
  CKySymbol sym;
  auto* s = new CKySymStroke;
  const CPoint2D sq[4] = {{-0.4, -0.4}, {0.4, -0.4}, {0.4, 0.4}, {-0.4, 0.4}};
  ASSERT_TRUE(s->MakeStroke_FilledPolygon(sq, 4, 1 + HS_HORIZONTAL, FALSE, 0));
  sym.AddStroke(s);
  CKySymbolParameter param(CPoint(60, 60), 100, 0, kRed, 0);
  ASSERT_TRUE(sym.Draw(c.dc(), param, FALSE));
  const InkBox ink = c.Ink();
  EXPECT_EQ(80, ink.Width()) << "the filled pixels of the square, 20 .. 99";
  EXPECT_EQ(c.Stored(kRed), *c.Colours().begin());
  EXPECT_EQ(1u, c.Colours().size()) << "no background colour in the gaps";
  EXPECT_LT(ink.count, ink.Width() * ink.Height() / 4) << "one row in eight";
}

TEST_P(SymbolDraw, APreviewFillsItsRectangleCentredWithTheAspectKept) {
  const CKySymLib lib = KySampleSymbols();
  const RECT rect{10, 20, 110, 70};
  for (long pos = 0; pos < lib.GetSymbolCount(); ++pos) {
    CKySymbol* sym = lib.GetSymbolAt(pos);
    SymbolCanvas c(120, 90, bpp());
    RECT r = rect;
    ASSERT_TRUE(sym->Draw(c.dc(), r, kRed)) << sym->GetSymName().str();
    const InkBox ink = c.Ink();
    const std::string name = sym->GetSymName().str();
    EXPECT_GE(ink.left, rect.left) << name;
    EXPECT_GE(ink.top, rect.top) << name;
    EXPECT_LT(ink.right, rect.right) << name;
    EXPECT_LT(ink.bottom, rect.bottom) << name;
    // One side fills the rectangle but for the pen widening the bounds.
    EXPECT_TRUE(ink.Height() >= 44 || ink.Width() >= 95) << name << ": " << ink.Width() << " x " << ink.Height();
    EXPECT_NEAR(rect.left + rect.right - 1, ink.CentreX2(), 2) << name;
    EXPECT_NEAR(rect.top + rect.bottom - 1, ink.CentreY2(), 2) << name;
  }
  // The dot's bounds, not its nominal size, fill the preview.
  SymbolCanvas c(60, 60, bpp());
  RECT r{0, 0, 40, 40};
  CKySymbol dot = Dot();
  ASSERT_TRUE(dot.Draw(c.dc(), r, kRed));
  EXPECT_GE(c.Ink().Width(), 38);
  EXPECT_LE(c.Ink().right, 39);
}

// The mask of a transparent symbol pattern tile replaces a single filled
// shape by its rectangle in symbol units (GetStrokeRect / 255) and draws it
// with the size of 255 device pixels: one symbol unit per pixel.
TEST_P(SymbolDraw, TheMaskRectangleOfAFilledShapeIsOneSymbolUnitPerPixel) {
  SymbolCanvas c(100, 100, bpp());
  c.dc()->SetMapMode(MM_ISOTROPIC);
  CKySymbol dot = Dot();
  CRect units;
  ASSERT_TRUE(dot.GetLastStroke(0)->GetStrokeRect(&units));
  const double k = 0.00392156862745098;
  CKySymbol mask;
  auto* s = new CKySymStroke;
  ASSERT_TRUE(s->MakeStroke_Rectangle(CPoint2D(units.left * k, units.top * k),
                                      CPoint2D(units.right * k, units.bottom * k), 0, 1, 0, 0, 0, 0, 0xFFFFFF));
  mask.AddStroke(s);
  CSize size(255, 255);
  c.dc()->DPtoLP(&size);
  CKySymbolParameter param(CPoint(10, 10), 128, 0, 0, 0, nullptr, 1.0);
  param.m_nSize = static_cast<unsigned long>(size.cx);
  param.m_crColor = 0;
  CPoint centre(50, 50);
  c.dc()->DPtoLP(&centre);
  param.m_ptPosition = centre;
  ASSERT_TRUE(mask.Draw(c.dc(), param, 0, 0, 0));
  const InkBox ink = c.Ink();
  EXPECT_NEAR(65, ink.Width(), 1) << "-32 .. 32 units, outline included";
  EXPECT_NEAR(65, ink.Height(), 1);
  EXPECT_NEAR(2 * 50, ink.CentreX2(), 2);
  EXPECT_EQ(ink.Width() * ink.Height(), ink.count) << "solid";
}

// The samples at the sizes a map shows them, for looking at: six columns, a
// row per size in pixels, written to test-dumps/symbol-samples-<bpp>.png.
TEST_P(SymbolDraw, TheSamplesReadAtEverySize) {
  const CKySymLib lib = KySampleSymbols();
  const int sizes[] = {12, 16, 24, 40, 64};
  const int cell = 72;
  SymbolCanvas sheet(cell * 6, cell * 5, bpp());
  for (int row = 0; row < 5; ++row) {
    for (long pos = 0; pos < lib.GetSymbolCount(); ++pos) {
      CKySymbolParameter param(CPoint(cell * static_cast<int>(pos) + cell / 2, cell * row + cell / 2),
                               static_cast<unsigned long>(sizes[row]), 0, RGB(0, 90, 40), 0);
      ASSERT_TRUE(lib.GetSymbolAt(pos)->Draw(sheet.dc(), param, FALSE));
    }
  }
  sheet.Dump("symbol-samples-" + std::to_string(bpp()));
  const std::vector<DWORD> px = sheet.Pixels();
  for (int row = 0; row < 5; ++row) {
    for (int col = 0; col < 6; ++col) {
      long ink = 0;
      for (int y = row * cell; y < (row + 1) * cell; ++y)
        for (int x = col * cell; x < (col + 1) * cell; ++x)
          ink += px[static_cast<size_t>(y) * sheet.width() + x] != sheet.Paper();
      EXPECT_GE(ink, 5) << "sample " << col << " at " << sizes[row] << " pixels";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Depths, SymbolDraw, testing::Values(32, 16),
                         [](const testing::TestParamInfo<int>& i) { return std::to_string(i.param) + "bpp"; });

}  // namespace
