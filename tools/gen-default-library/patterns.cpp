// Each pattern is drawn with the wrapping primitives of Tile, so every one
// tiles without a seam. Motifs of the land-cover patterns are spaced on a
// jittered or half-drop grid of the tile, so that a filled area shows no
// rows of stripes; line screens use slopes whose period divides the tile.
#include "patterns.h"

#include <functional>

namespace {

typedef std::function<void(Tile&)> Draw;

void Add(std::vector<Pattern>& out, const char* what, int w, int h, const Draw& draw) {
  Tile t(w, h);
  draw(t);
  out.push_back({what, t});
}

int Mod(int a, int n) { return ((a % n) + n) % n; }

// The 8 x 8 ordered-dither matrix: thresholds 0..63 spread as evenly as a
// square grid allows, so that level k inks exactly k pixels.
int Bayer8(int x, int y) {
  int v = 0;
  for (int bit = 0; bit < 3; ++bit) {
    int xb = (x >> bit) & 1, yb = (y >> bit) & 1;  // the finest bit weighs most
    v = v * 4 + ((xb ^ yb) << 1 | yb);
  }
  return v;
}

// Scatters n dots over the tile, no two closer than minDist (measured
// around the wrap), by trying random places in a fixed sequence.
template <typename Stamp>
void Scatter(Tile& t, uint64_t seed, int n, double minDist, Stamp stamp) {
  Random r(seed);
  std::vector<std::pair<int, int>> placed;
  for (int tries = 0; static_cast<int>(placed.size()) < n && tries < 20000; ++tries) {
    int x = r.Below(t.Width()), y = r.Below(t.Height());
    bool ok = true;
    for (auto [px, py] : placed) {
      int dx = std::abs(px - x), dy = std::abs(py - y);
      dx = std::min(dx, t.Width() - dx);
      dy = std::min(dy, t.Height() - dy);
      if (dx * dx + dy * dy < minDist * minDist) {
        ok = false;
        break;
      }
    }
    if (!ok) continue;
    placed.push_back({x, y});
    stamp(t, x, y, r);
  }
}

// ---- motifs of the land-cover patterns; (x, y) is the foot of the motif ----

void MarshTuft(Tile& t, int x, int y, int half) {
  t.Line(x - half, y, x + half, y);
  for (int i = -half + 1; i <= half - 1; i += 2) t.Line(x + i, y - 1, x + i, y - 2 - (i == 0 ? 2 : (std::abs(i) < half - 1 ? 1 : 0)));
}

void GrassTuft(Tile& t, int x, int y) {
  t.Line(x, y, x, y - 3);
  t.Line(x - 1, y, x - 2, y - 2);
  t.Line(x + 1, y, x + 2, y - 2);
}

void Reed(Tile& t, int x, int y) {
  t.Line(x - 3, y, x + 3, y);
  t.Line(x, y - 1, x, y - 7);
  t.Line(x - 2, y - 1, x - 2, y - 5);
  t.Line(x + 2, y - 1, x + 2, y - 5);
  t.Set(x + 1, y - 6);
  t.Set(x - 1, y - 4);
  t.Set(x + 3, y - 4);
}

void Conifer(Tile& t, int x, int y, int h) {
  int top = y - h;
  t.Line(x, top, x - h / 2, y - 1);
  t.Line(x, top, x + h / 2, y - 1);
  t.Line(x - h / 2, y - 1, x + h / 2, y - 1);
  t.Line(x, y, x, y + 1);
}

void Deciduous(Tile& t, int x, int y, double r) {
  t.Circle(x, y - r - 1, r);
  t.Line(x, y, x, y - 1);
}

void Crown(Tile& t, int x, int y, int r) {
  // A leafy crown: a ring of small arcs around the centre, with a trunk.
  double cy = y - r - 3;
  int lobes = r >= 6 ? 9 : 7;
  double lr = r * 0.42;
  for (int i = 0; i < lobes; ++i) {
    double a = 2 * kPi * i / lobes - kPi / 2;
    double lx = x + (r - lr) * std::cos(a), ly = cy + (r - lr) * std::sin(a);
    double deg = a * 180 / kPi;
    t.Arc(lx, ly, lr, lr, deg - 95, deg + 95);
  }
  t.Line(x, y, x, static_cast<int>(cy + r - 1));
  t.Line(x, static_cast<int>(cy + r * 0.4), x - 2, static_cast<int>(cy + r * 0.1));
}

void RockOutcrop(Tile& t, int x, int y, int s) {
  // An angular block lit from the top left: outline, and hatching on the
  // shaded right face.
  int ax = x - s, bx = x - s / 3, cx = x + s / 2, dx = x + s;
  int top = y - s, mid = y - s / 2;
  t.Line(ax, y, bx, top);
  t.Line(bx, top, cx, top + s / 4);
  t.Line(cx, top + s / 4, dx, y);
  t.Line(ax, y, dx, y);
  t.Line(cx, top + s / 4, x, y);
  for (int i = 2; i < s; i += 2) {
    int hx = x + i * (dx - x) / s;
    t.Line(hx, y, hx - (s / 4) * (s - i) / s, mid + i / 2);
  }
}

void Boulder(Tile& t, int x, int y, int r) {
  t.Arc(x, y, r, r * 0.75, 150, 400);
  t.Line(x - r + 1, static_cast<int>(y + r * 0.3), x + r - 1, static_cast<int>(y + r * 0.3));
}

void Triangle(Tile& t, int x, int y, int s) {
  t.Line(x, y - s, x - s, y);
  t.Line(x, y - s, x + s, y);
  t.Line(x - s, y, x + s, y);
}

}  // namespace

std::vector<Pattern> DefaultPatterns() {
  std::vector<Pattern> p;

  // ---- 8 x 8: line hatches ----
  Add(p, "horizontal lines, 8", 8, 8, [](Tile& t) { t.Where([](int, int y) { return y % 8 == 0; }); });
  Add(p, "horizontal lines, 4", 8, 8, [](Tile& t) { t.Where([](int, int y) { return y % 4 == 0; }); });
  Add(p, "horizontal lines, 2", 8, 8, [](Tile& t) { t.Where([](int, int y) { return y % 2 == 0; }); });
  Add(p, "vertical lines, 8", 8, 8, [](Tile& t) { t.Where([](int x, int) { return x % 8 == 0; }); });
  Add(p, "vertical lines, 4", 8, 8, [](Tile& t) { t.Where([](int x, int) { return x % 4 == 0; }); });
  Add(p, "vertical lines, 2", 8, 8, [](Tile& t) { t.Where([](int x, int) { return x % 2 == 0; }); });
  Add(p, "45 degree lines, 8", 8, 8, [](Tile& t) { t.Where([](int x, int y) { return (x + y) % 8 == 0; }); });
  Add(p, "45 degree lines, 4", 8, 8, [](Tile& t) { t.Where([](int x, int y) { return (x + y) % 4 == 0; }); });
  Add(p, "45 degree bold lines, 8", 8, 8, [](Tile& t) { t.Where([](int x, int y) { return (x + y) % 8 < 2; }); });
  Add(p, "135 degree lines, 8", 8, 8, [](Tile& t) { t.Where([](int x, int y) { return Mod(x - y, 8) == 0; }); });
  Add(p, "135 degree lines, 4", 8, 8, [](Tile& t) { t.Where([](int x, int y) { return Mod(x - y, 4) == 0; }); });
  Add(p, "135 degree bold lines, 8", 8, 8, [](Tile& t) { t.Where([](int x, int y) { return Mod(x - y, 8) < 2; }); });
  Add(p, "27 degree lines", 8, 8, [](Tile& t) { t.Where([](int x, int y) { return (x + 2 * y) % 8 < 2; }); });
  Add(p, "63 degree lines", 8, 8, [](Tile& t) { t.Where([](int x, int y) { return (2 * x + y) % 8 < 2; }); });
  Add(p, "153 degree lines", 8, 8, [](Tile& t) { t.Where([](int x, int y) { return Mod(x - 2 * y, 8) < 2; }); });
  Add(p, "117 degree lines", 8, 8, [](Tile& t) { t.Where([](int x, int y) { return Mod(2 * x - y, 8) < 2; }); });
  Add(p, "horizontal bold lines", 8, 8, [](Tile& t) { t.Where([](int, int y) { return y % 8 < 2; }); });
  Add(p, "vertical bold lines", 8, 8, [](Tile& t) { t.Where([](int x, int) { return x % 8 < 2; }); });
  Add(p, "horizontal double lines", 8, 8, [](Tile& t) { t.Where([](int, int y) { return y % 8 == 0 || y % 8 == 2; }); });
  Add(p, "dotted horizontal lines", 8, 8, [](Tile& t) { t.Where([](int x, int y) { return y % 4 == 0 && (x + y / 4) % 2 == 0; }); });
  Add(p, "dotted vertical lines", 8, 8, [](Tile& t) { t.Where([](int x, int y) { return x % 4 == 0 && (y + x / 4) % 2 == 0; }); });

  // ---- 8 x 8: cross-hatches ----
  Add(p, "square grid, 8", 8, 8, [](Tile& t) { t.Where([](int x, int y) { return x % 8 == 0 || y % 8 == 0; }); });
  Add(p, "square grid, 4", 8, 8, [](Tile& t) { t.Where([](int x, int y) { return x % 4 == 0 || y % 4 == 0; }); });
  Add(p, "diagonal cross-hatch, 8", 8, 8, [](Tile& t) { t.Where([](int x, int y) { return (x + y) % 8 == 0 || Mod(x - y, 8) == 0; }); });
  Add(p, "diagonal cross-hatch, 4", 8, 8, [](Tile& t) { t.Where([](int x, int y) { return (x + y) % 4 == 0 || Mod(x - y, 4) == 0; }); });
  Add(p, "bold square grid", 8, 8, [](Tile& t) { t.Where([](int x, int y) { return x % 8 < 2 || y % 8 < 2; }); });

  // ---- 8 x 8: dot screens of graded density (1/64 to 48/64) ----
  const int levels[] = {1, 2, 4, 8, 12, 16, 20, 24, 40, 48};
  const char* screens[] = {"dot screen 2%", "dot screen 3%", "dot screen 6%", "dot screen 12%", "dot screen 19%",
                           "dot screen 25%", "dot screen 31%", "dot screen 38%", "dot screen 62%", "dot screen 75%"};
  for (int i = 0; i < 10; ++i) {
    int k = levels[i];
    Add(p, screens[i], 8, 8, [k](Tile& t) { t.Where([k](int x, int y) { return Bayer8(x, y) < k; }); });
  }
  Add(p, "coarse dots, half drop", 8, 8, [](Tile& t) { t.Rect(0, 0, 2, 2); t.Rect(4, 4, 2, 2); });
  Add(p, "coarse dots, 4", 8, 8, [](Tile& t) { t.Where([](int x, int y) { return x % 4 < 2 && y % 4 < 2; }); });
  Add(p, "round dots", 8, 8, [](Tile& t) { t.Stamp(1, 1, {".#.", "###", ".#."}); t.Stamp(5, 5, {".#.", "###", ".#."}); });
  Add(p, "rings", 8, 8, [](Tile& t) { t.Stamp(1, 1, {".###.", "#...#", "#...#", "#...#", ".###."}); });

  // ---- 8 x 8: checks, bricks, weaves ----
  Add(p, "checks, 4", 8, 8, [](Tile& t) { t.Where([](int x, int y) { return (x / 4 + y / 4) % 2 == 0; }); });
  Add(p, "checks, 2", 8, 8, [](Tile& t) { t.Where([](int x, int y) { return (x / 2 + y / 2) % 2 == 0; }); });
  Add(p, "checks, 1", 8, 8, [](Tile& t) { t.Where([](int x, int y) { return (x + y) % 2 == 0; }); });
  Add(p, "bricks", 8, 8, [](Tile& t) {
    t.Where([](int x, int y) { return y % 4 == 0 || (y < 4 ? x == 0 : x == 4); });
  });
  Add(p, "basket weave", 8, 8, [](Tile& t) {
    t.Where([](int x, int y) {
      bool across = (x / 4 + y / 4) % 2 == 0;
      return across ? y % 2 == 0 && x % 4 != 3 : x % 2 == 0 && y % 4 != 3;
    });
  });
  Add(p, "diamonds", 8, 8, [](Tile& t) {
    t.Where([](int x, int y) { return std::abs(x - 4) + std::abs(y - 4) == 4 || std::abs(x - 4) + std::abs(y - 4) == 0; });
  });

  // ---- 8 x 8: waves and zigzags ----
  Add(p, "zigzag, horizontal", 8, 8, [](Tile& t) { t.Line(0, 5, 4, 1); t.Line(4, 1, 8, 5); });
  Add(p, "zigzag, vertical", 8, 8, [](Tile& t) { t.Line(5, 0, 1, 4); t.Line(1, 4, 5, 8); });
  Add(p, "scallops", 8, 8, [](Tile& t) { t.Arc(4, 1, 4, 3, 0, 180); });
  Add(p, "waves", 8, 8, [](Tile& t) {
    t.Arc(2, 3, 2, 1.5, 180, 360);
    t.Arc(6, 3, 2, 1.5, 0, 180);
  });

  // ---- 8 x 8: dashes and small marks ----
  Add(p, "dashes, horizontal", 8, 8, [](Tile& t) { t.Line(0, 1, 3, 1); t.Line(4, 5, 7, 5); });
  Add(p, "dashes, vertical", 8, 8, [](Tile& t) { t.Line(1, 0, 1, 3); t.Line(5, 4, 5, 7); });
  Add(p, "dashes, 45 degree", 8, 8, [](Tile& t) { t.Line(0, 3, 3, 0); t.Line(4, 7, 7, 4); });
  Add(p, "crosses", 8, 8, [](Tile& t) { t.Stamp(2, 2, {"..#..", "..#..", "#####", "..#..", "..#.."}); });
  Add(p, "saltires", 8, 8, [](Tile& t) { t.Stamp(2, 2, {"#...#", ".#.#.", "..#..", ".#.#.", "#...#"}); });
  Add(p, "small squares", 8, 8, [](Tile& t) { t.Stamp(2, 2, {"####", "#..#", "#..#", "####"}); });
  Add(p, "small triangles", 8, 8, [](Tile& t) { t.Stamp(1, 2, {"...#...", "..#.#..", ".#...#.", "#######"}); });

  // ---- 8 x 8: stipples ----
  Add(p, "sand, sparse", 8, 8, [](Tile& t) { Scatter(t, 11, 4, 3.0, [](Tile& s, int x, int y, Random&) { s.Set(x, y); }); });
  Add(p, "sand, dense", 8, 8, [](Tile& t) { Scatter(t, 12, 9, 2.0, [](Tile& s, int x, int y, Random&) { s.Set(x, y); }); });
  Add(p, "fine gravel", 8, 8, [](Tile& t) {
    Scatter(t, 13, 4, 3.0, [](Tile& s, int x, int y, Random& r) {
      s.Set(x, y);
      if (r.Below(2)) s.Set(x + 1, y);
      if (r.Below(2)) s.Set(x, y + 1);
    });
  });

  // ---- 33 x 33: ground and land cover ----
  Add(p, "marsh", 33, 33, [](Tile& t) {
    MarshTuft(t, 8, 9, 4);
    MarshTuft(t, 25, 25, 4);
    t.Line(18, 10, 22, 10);
    t.Line(1, 26, 5, 26);
    t.Line(14, 18, 18, 18);
    t.Line(30, 2, 34, 2);
  });
  Add(p, "grass", 33, 33, [](Tile& t) {
    const int at[][2] = {{5, 7}, {22, 5}, {13, 17}, {29, 19}, {6, 29}, {21, 30}};
    for (auto& a : at) GrassTuft(t, a[0], a[1]);
  });
  Add(p, "reeds", 33, 33, [](Tile& t) { Reed(t, 8, 12); Reed(t, 25, 28); });
  Add(p, "deciduous wood", 33, 33, [](Tile& t) {
    Deciduous(t, 8, 13, 3.5);
    Deciduous(t, 25, 29, 3.5);
    Deciduous(t, 26, 9, 2.5);
    Deciduous(t, 9, 29, 2.5);
  });
  Add(p, "coniferous wood", 33, 33, [](Tile& t) {
    Conifer(t, 8, 12, 8);
    Conifer(t, 25, 28, 8);
    Conifer(t, 25, 12, 6);
    Conifer(t, 8, 28, 6);
  });
  Add(p, "orchard", 33, 33, [](Tile& t) {
    for (int j = 0; j < 3; ++j)
      for (int i = 0; i < 3; ++i) {
        t.Circle(5 + 11 * i, 4 + 11 * j, 2.5);
        t.Set(5 + 11 * i, 8 + 11 * j);
      }
  });
  Add(p, "vineyard", 33, 33, [](Tile& t) {
    for (int i = 0; i < 3; ++i) {
      int x = 5 + 11 * i;
      for (int j = 0; j < 3; ++j) {
        int y = 11 * j + (i % 2) * 5;
        t.Line(x, y, x, y + 6);
        t.Stamp(x - 2, y + 7, {".#.", "#.#", ".#."});
      }
    }
  });
  Add(p, "scrub", 33, 33, [](Tile& t) {
    Scatter(t, 21, 9, 9.0, [](Tile& s, int x, int y, Random& r) {
      if (r.Below(3) == 0) {
        s.Stamp(x - 1, y - 1, {".#.", "#.#", ".#."});
      } else {
        s.Stamp(x - 2, y - 1, {".##.", "#..#", ".##."});
        s.Set(x, y + 2);
      }
    });
  });
  Add(p, "rock", 33, 33, [](Tile& t) { RockOutcrop(t, 10, 13, 8); RockOutcrop(t, 26, 29, 6); t.Line(20, 18, 23, 16); t.Line(3, 28, 6, 27); });
  Add(p, "gravel", 33, 33, [](Tile& t) {
    Scatter(t, 22, 18, 6.0, [](Tile& s, int x, int y, Random& r) {
      if (r.Below(3) == 0) s.Set(x, y);
      else s.Stamp(x - 1, y - 1, {".#.", "#.#", ".#."});
    });
  });
  Add(p, "sand", 33, 33, [](Tile& t) { Scatter(t, 23, 60, 3.0, [](Tile& s, int x, int y, Random&) { s.Set(x, y); }); });
  Add(p, "arable land", 33, 33, [](Tile& t) {
    for (int j = 0; j < 6; ++j) {
      int y = j * 11 / 2;
      for (int i = 0; i < 3; ++i) t.Line(11 * i + (j % 2) * 5, y, 11 * i + (j % 2) * 5 + 6, y);
    }
  });
  Add(p, "cemetery", 33, 33, [](Tile& t) {
    for (int j = 0; j < 3; ++j)
      for (int i = 0; i < 3; ++i) t.Stamp(3 + 11 * i, 3 + 11 * j, {".#.", "###", ".#.", ".#.", ".#."});
  });
  Add(p, "water waves", 33, 33, [](Tile& t) {
    for (int row = 0; row < 3; ++row)
      for (int x = 0; x < 33; ++x) {
        if (row % 2 == 1 && (x % 33) > 22) continue;
        if (row % 2 == 0 && (x % 33) < 8) continue;
        double y0 = 5 + 11 * row + 1.6 * std::sin(2 * kPi * x / 11);
        double y1 = 5 + 11 * row + 1.6 * std::sin(2 * kPi * (x + 1) / 11);
        t.Line(x, static_cast<int>(std::lround(y0)), x + 1, static_cast<int>(std::lround(y1)));
      }
  });
  Add(p, "stone wall", 33, 33, [](Tile& t) {
    const int joints[3][3] = {{0, 14, 23}, {7, 19, 28}, {3, 12, 25}};
    for (int r = 0; r < 3; ++r) {
      t.Line(0, 11 * r, 32, 11 * r);
      for (int x : joints[r]) t.Line(x, 11 * r + 1, x, 11 * r + 10);
    }
  });
  Add(p, "scree", 33, 33, [](Tile& t) {
    Scatter(t, 24, 10, 8.5, [](Tile& s, int x, int y, Random& r) { Triangle(s, x, y, 2 + r.Below(2)); });
  });
  Add(p, "dunes", 33, 33, [](Tile& t) {
    t.Arc(9, 12, 7, 4, 200, 340);
    t.Arc(9, 13, 5, 2.5, 210, 330);
    t.Arc(26, 28, 7, 4, 200, 340);
    t.Arc(26, 29, 5, 2.5, 210, 330);
    t.Arc(27, 11, 4, 2.5, 200, 340);
    t.Arc(8, 27, 4, 2.5, 200, 340);
  });
  Add(p, "18 degree lines", 33, 33, [](Tile& t) { t.Where([](int x, int y) { return (x + 3 * y) % 11 < 3; }); });
  Add(p, "72 degree lines", 33, 33, [](Tile& t) { t.Where([](int x, int y) { return (3 * x + y) % 11 < 3; }); });

  // ---- 66 x 66: land cover ----
  Add(p, "mixed wood", 66, 66, [](Tile& t) {
    Crown(t, 12, 26, 6);
    Conifer(t, 44, 22, 11);
    Conifer(t, 12, 58, 11);
    Crown(t, 45, 59, 6);
    Deciduous(t, 30, 42, 3);
    Conifer(t, 60, 40, 7);
  });
  Add(p, "orchard, large", 66, 66, [](Tile& t) {
    for (int j = 0; j < 3; ++j)
      for (int i = 0; i < 3; ++i) {
        int x = 11 + 22 * i, y = 17 + 22 * j;
        t.Circle(x, y - 8, 5);
        t.Disc(x, y - 8, 1.2);
        t.Line(x, y - 3, x, y);
      }
  });
  Add(p, "marsh, large", 66, 66, [](Tile& t) {
    MarshTuft(t, 14, 14, 6);
    MarshTuft(t, 47, 47, 6);
    MarshTuft(t, 50, 16, 4);
    MarshTuft(t, 17, 50, 4);
    const int dashes[][3] = {{28, 20, 27}, {2, 30, 36}, {36, 31, 38}, {58, 60, 66}, {25, 59, 65}, {62, 28, 34}};
    for (auto& d : dashes) t.Line(d[1], d[0], d[2], d[0]);
  });
  Add(p, "rock, large", 66, 66, [](Tile& t) {
    RockOutcrop(t, 18, 24, 13);
    RockOutcrop(t, 51, 57, 11);
    RockOutcrop(t, 52, 22, 7);
    RockOutcrop(t, 18, 56, 6);
  });
  Add(p, "tree rows", 66, 66, [](Tile& t) {
    // Two avenues of trees along field edges, the lower row set half a
    // tree apart from the upper.
    for (int i = 0; i < 6; ++i) {
      int x = 5 + 11 * i;
      t.Circle(x, 9, 3.5);
      t.Set(x, 9);
      t.Circle(x + 5, 42, 3.5);
      t.Set(x + 5, 42);
    }
    t.Where([](int x, int y) { return (y == 15 || y == 48) && x % 3 != 2; });
  });
  Add(p, "grassland", 66, 66, [](Tile& t) {
    Scatter(t, 31, 20, 12.0, [](Tile& s, int x, int y, Random& r) {
      GrassTuft(s, x, y);
      if (r.Below(2)) s.Set(x + 4, y);
    });
  });
  Add(p, "boulders", 66, 66, [](Tile& t) {
    Scatter(t, 32, 12, 15.0, [](Tile& s, int x, int y, Random& r) { Boulder(s, x, y, 3 + r.Below(3)); });
  });

  // ---- 20 x 20 ----
  Add(p, "fish scales", 20, 20, [](Tile& t) {
    for (int row = 0; row < 4; ++row)
      for (int i = 0; i < 2; ++i) t.Arc(5 + 10 * i + (row % 2) * 5, 5 * row, 5, 5, 0, 180);
  });
  Add(p, "basket weave, large", 20, 20, [](Tile& t) {
    t.Where([](int x, int y) {
      bool across = (x / 10 + y / 10) % 2 == 0;
      int u = across ? y % 10 : x % 10, v = across ? x % 10 : y % 10;
      return (u == 1 || u == 4 || u == 7) && v != 9;
    });
  });
  Add(p, "honeycomb", 20, 20, [](Tile& t) {
    const int centres[][2] = {{5, 7}, {15, 7}, {0, 17}, {10, 17}};
    for (auto& c : centres) {
      int x = c[0], y = c[1];
      t.Line(x, y - 7, x + 5, y - 3);
      t.Line(x + 5, y - 3, x + 5, y + 3);
      t.Line(x + 5, y + 3, x, y + 7);
      t.Line(x, y + 7, x - 5, y + 3);
      t.Line(x - 5, y + 3, x - 5, y - 3);
      t.Line(x - 5, y - 3, x, y - 7);
    }
  });

  // ---- the odd sizes ----
  Add(p, "open water", 16, 12, [](Tile& t) { t.Line(1, 2, 6, 2); t.Line(9, 8, 14, 8); });
  Add(p, "heath", 33, 28, [](Tile& t) {
    GrassTuft(t, 7, 8);
    GrassTuft(t, 24, 22);
    t.Stamp(22, 5, {".#.", "#.#", ".#."});
    t.Stamp(6, 19, {".#.", "#.#", ".#."});
    t.Set(15, 13);
    t.Set(30, 12);
    t.Set(14, 26);
  });
  Add(p, "woodland", 76, 64, [](Tile& t) {
    Crown(t, 12, 26, 8);
    Crown(t, 50, 26, 8);
    Crown(t, 31, 58, 8);
    Crown(t, 69, 58, 8);
    GrassTuft(t, 31, 24);
    GrassTuft(t, 69, 22);
    GrassTuft(t, 12, 52);
    GrassTuft(t, 50, 55);
  });
  return p;
}
