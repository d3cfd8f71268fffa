// The pattern origin: tiles anchored at each shape's corner (the default)
// or on one grid through a point, for every painting route.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KyFillStyleLib.h"
#include "bmp_builder.h"
#include "screen_dc.h"

namespace {

constexpr COLORREF kFore = RGB(0xFF, 0x00, 0x00);
constexpr COLORREF kBack = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF kPaper = RGB(0xCC, 0xCC, 0xCC);

// The standard screen (an 81 dpi 8 x 8 pattern is 8 pixels), a 32-bit
// canvas of 120 x 80 pre-filled with grey.
class Screen : public kytest::ScreenDC {
 public:
  Screen() : ScreenDC(kytest::StandardScreen(), 120, 80) {}
};

// Grid lines on the tile's first row and column; a transparent background
// makes the mask pair instead of one tile.
void GridStyle(CKyFillStyle& s, CDC& dc, bool transparent) {
  CByteArray pattern;
  kytest::ToArray(kytest::Mono(8, 8, [](int x, int y) { return x == 0 || y == 0; }), pattern);
  s.CreateFillStyle(8, "grid", pattern, CKyFillStyle::FS_81DPI);
  CSize natural(0, 0);
  dc.SetBkMode(transparent ? TRANSPARENT : OPAQUE);
  ASSERT_TRUE(s.SetFillStyleEx(&dc, kFore, kBack, natural, 1.0));
  dc.SetBkMode(OPAQUE);
  ASSERT_EQ(8, s.GetTileWidth());
}

int Mod8(int v) { return ((v % 8) + 8) % 8; }

enum class Route { Display, DisplayTransparent, Polygon, PolygonPair };

struct Case {
  const char* name;
  Route route;
  bool anchored;
  POINT origin;
};

// Two shapes side by side, sharing the border x = 61.
const CRect kLeft(13, 5, 61, 45), kRight(61, 5, 107, 45);

void Paint(CKyFillStyle& s, CDC& dc, Route route, const CRect& r) {
  CRect rect(r);
  POINT pts[4] = {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
  switch (route) {
    case Route::Display:
      ASSERT_TRUE(s.Display(&dc, &rect, 100));
      break;
    case Route::DisplayTransparent:
      dc.SetBkMode(TRANSPARENT);
      ASSERT_TRUE(s.DisplayEx(&dc, &rect, FALSE, 100));
      dc.SetBkMode(OPAQUE);
      break;
    case Route::Polygon:
      ASSERT_TRUE(s.Polygon(&dc, pts, 4, FALSE, 100));
      break;
    case Route::PolygonPair: {
      dc.SetBkMode(TRANSPARENT);
      int counts[1] = {4};
      ASSERT_TRUE(s.PolyPolygon(&dc, pts, counts, 1, FALSE, 100));
      dc.SetBkMode(OPAQUE);
      break;
    }
  }
}

TEST(PatternOrigin, EveryRouteLaysTheGridFromTheShapeOrFromTheOrigin) {
  const Case cases[] = {
      {"display per shape", Route::Display, false, {0, 0}},
      {"display at 0,0", Route::Display, true, {0, 0}},
      {"display at 3,-5", Route::Display, true, {3, -5}},
      {"transparent per shape", Route::DisplayTransparent, false, {0, 0}},
      {"transparent at 0,0", Route::DisplayTransparent, true, {0, 0}},
      {"polygon per shape", Route::Polygon, false, {0, 0}},
      {"polygon at 0,0", Route::Polygon, true, {0, 0}},
      {"polygon at -9,100", Route::Polygon, true, {-9, 100}},
      {"transparent polygon at 3,-5", Route::PolygonPair, true, {3, -5}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Screen screen;
    const bool transparent = c.route == Route::DisplayTransparent || c.route == Route::PolygonPair;
    CKyFillStyle s;
    GridStyle(s, screen.dc, transparent);
    s.SetPatternOrigin(c.anchored ? &c.origin : nullptr);
    POINT got{};
    EXPECT_EQ(c.anchored ? TRUE : FALSE, s.GetPatternOrigin(&got));
    Paint(s, screen.dc, c.route, kLeft);
    Paint(s, screen.dc, c.route, kRight);
    int wrong = 0;
    std::string first;
    for (int y = 0; y < 80; ++y) {
      for (int x = 0; x < 120; ++x) {
        const CRect& r = kLeft.PtInRect(CPoint(x, y)) ? kLeft : kRight;
        COLORREF want = kPaper;
        if (r.PtInRect(CPoint(x, y))) {
          const int ax = c.anchored ? c.origin.x : r.left, ay = c.anchored ? c.origin.y : r.top;
          const bool line = Mod8(x - ax) == 0 || Mod8(y - ay) == 0;
          want = line ? kFore : (transparent ? kPaper : kBack);
        }
        if (screen.dc.GetPixel(x, y) != want && wrong++ == 0) first = std::to_string(x) + "," + std::to_string(y);
      }
    }
    EXPECT_EQ(0, wrong) << "first wrong pixel at " << first;
  }
}

TEST(PatternOrigin, ASharedBorderContinuesThePatternOnlyWhenAnchored) {
  for (bool anchored : {false, true}) {
    Screen screen;
    CKyFillStyle s;
    GridStyle(s, screen.dc, false);
    const POINT origin{0, 0};
    s.SetPatternOrigin(anchored ? &origin : nullptr);
    Paint(s, screen.dc, Route::Polygon, kLeft);
    Paint(s, screen.dc, Route::Polygon, kRight);
    // Column 61 starts the right shape: a grid line there only per shape.
    EXPECT_EQ(anchored ? kBack : kFore, screen.dc.GetPixel(61, 10)) << anchored;
    EXPECT_EQ(anchored ? kFore : kBack, screen.dc.GetPixel(64, 10)) << anchored;
  }
}

// The print route stretches the pattern image itself at the printer's
// resolution; a partial piece at the right or bottom shows the top-left part
// of a whole tile, lines and all, however thin it is.
TEST(PrintRoute, PartialPiecesShowTheTopLeftOfAWholeTile) {
  CDC printer;
  ASSERT_TRUE(printer.Attach(KyCreatePrinterDC()));
  CKyFillStyle s;
  CByteArray pattern;
  kytest::ToArray(kytest::Mono(8, 8, [](int x, int y) { return x == 0 || y == 0; }), pattern);
  s.CreateFillStyle(8, "grid", pattern, CKyFillStyle::FS_81DPI);
  CSize natural(0, 0);
  ASSERT_TRUE(s.SetFillStyleEx(&printer, kFore, kBack, natural, 1.0));
  const int w = s.GetTileWidth(), h = s.GetTileHeight();
  ASSERT_EQ(59, w);
  for (const POINT origin : {POINT{-1000, -1000}, POINT{0, 0}}) {
    const bool anchored = origin.x == 0;
    s.SetPatternOrigin(anchored ? &origin : nullptr);
    // One whole tile and a 5-pixel remainder each way; anchored, the grid
    // through (0, 0) puts the box's corner 2 pixels into a tile.
    const int left = anchored ? w - 2 : 100, top = anchored ? h - 2 : 100;
    CRect r(left, top, left + w + 5, top + h + 5);
    printer.FillSolidRect(0, 0, 400, 400, kPaper);
    ASSERT_TRUE(s.Draw(&printer, &r, 100));
    const int gridX = anchored ? w : left, gridY = anchored ? h : top;
    // Every row and column where a tile starts inside the box is a line.
    for (int y = top; y < r.bottom; ++y) {
      EXPECT_EQ(kFore, printer.GetPixel(gridX + w, y)) << "column of the right piece, y " << y << " " << anchored;
    }
    for (int x = left; x < r.right; ++x) {
      EXPECT_EQ(kFore, printer.GetPixel(x, gridY + h)) << "row of the bottom piece, x " << x << " " << anchored;
    }
    EXPECT_EQ(kBack, printer.GetPixel(gridX + w / 2, gridY + h / 2)) << anchored;
    EXPECT_EQ(kPaper, printer.GetPixel(r.right, r.bottom)) << anchored;
  }
  s.ReleaseBMP();
  printer.DeleteDC();
}

TEST(PatternOrigin, ClearingTheOriginGoesBackToPerShapeAndCopiesDoNotCarryIt) {
  CKyFillStyle s;
  const POINT origin{5, 6};
  s.SetPatternOrigin(&origin);
  POINT got{};
  ASSERT_TRUE(s.GetPatternOrigin(&got));
  EXPECT_EQ(5, got.x);
  EXPECT_EQ(6, got.y);
  CKyFillStyle copy;
  copy = s;
  EXPECT_FALSE(copy.GetPatternOrigin(&got));
  s.SetPatternOrigin(nullptr);
  EXPECT_FALSE(s.GetPatternOrigin(nullptr));
}

}  // namespace
