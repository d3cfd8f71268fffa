// A one-bit pattern tile and the drawing primitives of the generator.
//
// Every primitive wraps around the tile's edges (coordinates are taken
// modulo the width and height), so whatever is drawn tiles seamlessly: a
// motif that crosses the right edge continues at the left of the next tile.
// Pixel value 1 is ink (the pattern's foreground), 0 the background.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <vector>

constexpr double kPi = 3.14159265358979323846;

class Tile {
 public:
  Tile(int w, int h) : m_w(w), m_h(h), m_px(static_cast<size_t>(w * h), 0) {}
  int Width() const { return m_w; }
  int Height() const { return m_h; }

  int Get(int x, int y) const { return m_px[Index(x, y)]; }
  void Set(int x, int y, int v = 1) { m_px[Index(x, y)] = static_cast<uint8_t>(v); }

  // Every pixel for which f(x, y) holds becomes ink.
  template <typename F>
  void Where(F f) {
    for (int y = 0; y < m_h; ++y)
      for (int x = 0; x < m_w; ++x)
        if (f(x, y)) Set(x, y);
  }

  void Line(int x0, int y0, int x1, int y1, int v = 1) {
    int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
      Set(x0, y0, v);
      if (x0 == x1 && y0 == y1) break;
      int e2 = 2 * err;
      if (e2 >= dy) {
        err += dy;
        x0 += sx;
      }
      if (e2 <= dx) {
        err += dx;
        y0 += sy;
      }
    }
  }

  // An ellipse outline (or filled) around (cx, cy) with radii rx, ry, drawn
  // from the angle a0 to a1 in degrees, y down, 0 at the right.
  void Arc(double cx, double cy, double rx, double ry, double a0, double a1, int v = 1) {
    int steps = static_cast<int>(std::ceil((rx + ry) * 4 * std::fabs(a1 - a0) / 90.0)) + 2;
    for (int i = 0; i <= steps; ++i) {
      double a = (a0 + (a1 - a0) * i / steps) * kPi / 180.0;
      Set(static_cast<int>(std::lround(cx + rx * std::cos(a))), static_cast<int>(std::lround(cy + ry * std::sin(a))), v);
    }
  }
  void Circle(double cx, double cy, double r, int v = 1) { Arc(cx, cy, r, r, 0, 360, v); }
  void Disc(double cx, double cy, double r, int v = 1) {
    int R = static_cast<int>(std::ceil(r)) + 1;
    for (int dy = -R; dy <= R; ++dy)
      for (int dx = -R; dx <= R; ++dx) {
        double fx = std::floor(cx) + dx + 0.5 - cx, fy = std::floor(cy) + dy + 0.5 - cy;
        if (fx * fx + fy * fy <= r * r) Set(static_cast<int>(std::floor(cx)) + dx, static_cast<int>(std::floor(cy)) + dy, v);
      }
  }
  void Rect(int x, int y, int w, int h, int v = 1) {
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) Set(x + i, y + j, v);
  }

  // Stamps a small picture given as rows of '#' (ink) and '.' (left alone),
  // its top left corner at (x, y).
  void Stamp(int x, int y, std::initializer_list<const char*> rows) {
    int j = 0;
    for (const char* row : rows) {
      for (int i = 0; row[i]; ++i)
        if (row[i] == '#') Set(x + i, y + j);
      ++j;
    }
  }

  int InkCount() const {
    int n = 0;
    for (uint8_t p : m_px) n += p;
    return n;
  }

 private:
  size_t Index(int x, int y) const {
    x %= m_w;
    y %= m_h;
    if (x < 0) x += m_w;
    if (y < 0) y += m_h;
    return static_cast<size_t>(y * m_w + x);
  }
  int m_w, m_h;
  std::vector<uint8_t> m_px;
};

// A small deterministic generator (splitmix64), so that stipples come out
// the same on every machine and every build.
class Random {
 public:
  explicit Random(uint64_t seed) : m_s(seed) {}
  uint64_t Next() {
    uint64_t z = (m_s += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }

 private:
  uint64_t m_s;
};
