// The 16 x 16 images of the canvas's tool palette, in button order. The
// shape tools are drawn with the figure they make; the others are pixel art.
#include "art.h"

namespace uires {

namespace {

enum : int { k = 0, r = 1, d = 8, B = 12, W = 15 };

bool InEllipse(int x, int y, int x0, int y0, int x1, int y1) {
  const double cx = (x0 + x1 + 1) / 2.0, cy = (y0 + y1 + 1) / 2.0;
  const double rx = (x1 - x0 + 1) / 2.0, ry = (y1 - y0 + 1) / 2.0;
  const double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
  return u * u + v * v <= 1.0;
}

// The ellipse in the box, its edge in `edge` and, unless fill < 0, its
// inside in `fill`.
void Ellipse(PixelArt& a, int x0, int y0, int x1, int y1, int edge, int fill) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      if (!InEllipse(x, y, x0, y0, x1, y1)) continue;
      const bool border = !InEllipse(x - 1, y, x0, y0, x1, y1) || !InEllipse(x + 1, y, x0, y0, x1, y1) ||
                          !InEllipse(x, y - 1, x0, y0, x1, y1) || !InEllipse(x, y + 1, x0, y0, x1, y1);
      if (border) a.Set(x, y, edge);
      else if (fill >= 0) a.Set(x, y, fill);
    }
}

PixelArt Select() {
  PixelArt a(16, 16);
  for (int i = 2; i <= 13; i += 2) {
    a.Set(i, 2, k);
    a.Set(i, 13, k);
    a.Set(2, i, k);
    a.Set(13, i, k);
  }
  a.Set(13, 13, k);
  return a;
}

PixelArt Erase() {
  return PixelArt::FromRows("erase", {
      "................",
      "................",
      "................",
      ".........kkkk...",
      "........kWWWWk..",
      ".......kWWWWWWk.",
      "......kWWWWWWk..",
      ".....kRkWWWWk...",
      "....kRRRkWWk....",
      "...kRRRRRkk.....",
      "..kRRRRRRk......",
      "..kRRRRRk.......",
      "...kRRRk........",
      "....kkk.........",
      "................",
      "................",
  });
}

PixelArt Pen() {
  return PixelArt::FromRows("pen", {
      "................",
      "...........kk...",
      "..........kRRk..",
      ".........kYRRRk.",
      "........kYYYRk..",
      ".......kYYYYk...",
      "......kYYYYk....",
      ".....kYYYYk.....",
      "....kYYYYk......",
      "...kWYYYk.......",
      "...kWWYk........",
      "..kdWWk.........",
      "..kkdk..........",
      "..kkk...........",
      "................",
      "................",
  });
}

PixelArt LineTool() {
  PixelArt a(16, 16);
  a.Line(2, 13, 13, 2, k);
  return a;
}

PixelArt QuarterEllipse() {
  // The upper right quarter of an ellipse centred at the lower left corner.
  PixelArt a(16, 16);
  PixelArt whole(16, 16);
  Ellipse(whole, -9, 2, 13, 24, k, -1);
  for (int y = 2; y <= 13; ++y)
    for (int x = 2; x <= 13; ++x)
      if (whole.Get(x, y) == k) a.Set(x, y, k);
  a.Line(2, 2, 2, 13, d);
  a.Line(2, 13, 13, 13, d);
  return a;
}

PixelArt RectangleTool() {
  PixelArt a(16, 16);
  a.FrameRect(2, 3, 13, 12, k);
  return a;
}

PixelArt EllipseTool() {
  PixelArt a(16, 16);
  Ellipse(a, 1, 3, 14, 12, k, -1);
  return a;
}

PixelArt RectangleFill() {
  PixelArt a(16, 16);
  a.FillRect(2, 3, 13, 12, B);
  a.FrameRect(2, 3, 13, 12, k);
  return a;
}

PixelArt EllipseFill() {
  PixelArt a(16, 16);
  Ellipse(a, 1, 3, 14, 12, k, B);
  return a;
}

PixelArt Invert() {
  // A square, one half black and one half white, split on the diagonal.
  PixelArt a(16, 16);
  for (int y = 3; y <= 12; ++y)
    for (int x = 3; x <= 12; ++x) a.Set(x, y, x + y < 15 ? k : W);
  a.FrameRect(2, 2, 13, 13, k);
  return a;
}

PixelArt Import() {
  return PixelArt::FromRows("import", {
      "................",
      ".kkkkkkkkkk.....",
      ".kWWWWWWWWk.....",
      ".kWCCCCCCWk.....",
      ".kWCCYYCCWk.....",
      ".kWCCYYCCWk.....",
      ".kWGGCCGGWk.....",
      ".kWGGGGGGWk.....",
      ".kWWWWWWWWk.....",
      ".kkkkkkkkkk.B...",
      "...........BB...",
      "......BBBBBBBB..",
      "......BBBBBBBBB.",
      "......BBBBBBBB..",
      "...........BB...",
      "............B...",
  });
}

PixelArt SymbolStyle() {
  // Small stars in rows, the way a symbol pattern lays its symbol.
  return PixelArt::FromRows("symbol", {
      "................",
      "..r.......r.....",
      ".rrr.....rrr....",
      "rrrrr...rrrrr...",
      ".r.r.....r.r....",
      "................",
      "......r.......r.",
      ".....rrr.....rrr",
      "....rrrrr...rrrr",
      ".....r.r.....r.r",
      "................",
      "..r.......r.....",
      ".rrr.....rrr....",
      "rrrrr...rrrrr...",
      ".r.r.....r.r....",
      "................",
  });
}

}  // namespace

std::vector<PixelArt> ToolImages() {
  return {Select(), Erase(), Pen(), LineTool(), QuarterEllipse(), RectangleTool(),
          EllipseTool(), RectangleFill(), EllipseFill(), Invert(), Import(), SymbolStyle()};
}

}  // namespace uires
