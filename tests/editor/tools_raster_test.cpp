// The drawing tools' rasterisers: the listed cells of each shape, and over
// thousands of seeded random drags the agreement with a reference written
// here step by step, every cell once, symmetry and endpoints.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "KyFSLEditTools.h"

namespace {

using Cell = std::pair<int, int>;
using CellList = std::vector<Cell>;

CellList Cells(void (*fn)(CPoint, CPoint, const KyCellPlot&), CPoint a, CPoint b) {
  CellList out;
  fn(a, b, [&](int x, int y) { out.emplace_back(x, y); });
  return out;
}
std::set<Cell> AsSet(const CellList& l) { return std::set<Cell>(l.begin(), l.end()); }
bool HasDuplicates(const CellList& l) { return AsSet(l).size() != l.size(); }

// ---- A reference, written from the steps with its own structure: the
// ellipse states are collected first and turned into cells afterwards.
struct RefEllipse {
  int x0, y0, x1, y1, dx, dy, a, hy, b;
  std::vector<std::pair<int, int>> region1, region2;  // (x, y) after each step
  std::vector<bool> diag1;
  explicit RefEllipse(CPoint p, CPoint q) : x0(p.x), y0(p.y), x1(q.x), y1(q.y) {
    dx = x1 - x0;
    dy = y1 - y0;
    a = dx / 2;
    hy = dy / 2;
    b = hy < 0 ? -hy : hy;
    const double A = double(a) * a, B = double(b) * b;
    int x = (dx % 2 != 0 && dx < 0) ? -1 : 0, y = b;
    if (B * x - A * b < 0) {
      double d = (0.25 - b) * A + B, t = (2 * x + 3) * B;
      for (;;) {
        const bool diag = d > 0;
        d += diag ? (2 - 2 * y) * A + t : t;
        x += 1;
        y -= diag ? 1 : 0;
        t += 2 * B;
        diag1.push_back(diag);
        region1.emplace_back(x, y);
        if (B * x - A * y >= 0) break;
      }
    }
    if (y >= 1) {
      double d = A * (y - 1) * (y - 1) + B * (x + 0.5) * (x + 0.5) - A * B, t = 2 * B * (x + 1);
      while (y > 0) {
        if (d < 0) {
          d += (3 - 2 * y) * A + t;
          x++;
          t += 2 * B;
        } else {
          d += (3 - 2 * y) * A;
        }
        y--;
        region2.emplace_back(x, y);
      }
    }
  }
  int XR(int x) const { return x0 + a + x; }
  int XL(int x) const { return x1 - a - x; }
  int YB(int y) const { return y1 - hy + y; }
  int YT(int y) const { return y0 + hy - y; }
  CellList Outline() const {
    CellList out;
    if (dx % 2 == 0) {
      out.emplace_back(x1 - a, YB(b));
      out.emplace_back(x1 - a, YT(b));
    }
    for (auto [x, y] : region1)
      for (Cell c : {Cell{XR(x), YB(y)}, Cell{XL(x), YB(y)}, Cell{XR(x), YT(y)}, Cell{XL(x), YT(y)}}) out.push_back(c);
    for (auto [x, y] : region2) {
      out.emplace_back(XR(x), YB(y));
      out.emplace_back(XL(x), YB(y));
      if (dy % 2 == 0 && y < 1) break;
      out.emplace_back(XR(x), YT(y));
      out.emplace_back(XL(x), YT(y));
    }
    return out;
  }
  CellList Filled() const {
    CellList out;
    auto span = [&](int x, int row) {
      for (int c = XL(x); c <= XR(x); ++c) out.emplace_back(c, row);
    };
    if (dx % 2 == 0) {
      out.emplace_back(x1 - a, YB(b));
      out.emplace_back(x1 - a, YT(b));
    }
    for (size_t i = 0; i < region1.size(); ++i) {
      auto [x, y] = region1[i];
      if (diag1[i]) {
        span(x, YB(y));
        span(x, YT(y));
      } else {
        for (Cell c : {Cell{XR(x), YB(y)}, Cell{XL(x), YB(y)}, Cell{XR(x), YT(y)}, Cell{XL(x), YT(y)}}) out.push_back(c);
      }
    }
    for (auto [x, y] : region2) {
      span(x, YB(y));
      if (!(dy % 2 == 0 && y < 1)) span(x, YT(y));
    }
    return out;
  }
};

CellList RefLine(CPoint p, CPoint q) {
  CellList out;
  int dx = q.x - p.x, dy = q.y - p.y, sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1, ax = std::abs(dx), ay = std::abs(dy);
  int x = p.x, y = p.y;
  const bool steep = ay > ax;
  int& major = steep ? y : x;
  int& minor = steep ? x : y;
  const int smaj = steep ? sy : sx, smin = steep ? sx : sy, amaj = steep ? ay : ax, amin = steep ? ax : ay;
  int e = -amaj;
  for (int i = 0; i <= amaj; ++i) {
    out.emplace_back(x, y);
    major += smaj;
    e += 2 * amin;
    if (e >= 0) {
      minor += smin;
      e -= 2 * amaj;
    }
  }
  return out;
}

CellList RefQuarter(CPoint p, CPoint q) {
  CellList out;
  const int A = q.x - p.x, B = std::abs(q.y - p.y), sy = q.y < p.y ? -1 : 1, s = A < 0 ? 1 : -1;
  const double AA = double(A) * A, BB = double(B) * B;
  auto at = [&](int k, int y) { out.emplace_back(q.x + k * s, p.y + y * sy); };
  out.emplace_back(q.x, q.y);
  int k = 0, y = B;
  if (B * AA > 0) {
    double d = (0.25 - B) * AA + BB, t = 3 * BB, u = 0;
    do {
      if (d <= 0) {
        d += t;
      } else {
        d += (2 - 2 * y) * AA + t;
        y--;
      }
      k++;
      t += 2 * BB;
      u += BB;
      at(k, y);
    } while (u - y * AA < 0);
  }
  if (y >= 1) {
    double d = AA * (y - 1) * (y - 1) + BB * (k + 0.5) * (k + 0.5) - BB * AA, t = 2 * BB * (k + 1);
    while (y >= 1) {
      if (d < 0) {
        d += (3 - 2 * y) * AA + t;
        t += 2 * BB;
        k++;
      } else {
        d += (3 - 2 * y) * AA;
      }
      y--;
      at(k, y);
    }
  }
  return out;
}

// ---- Listed cells.
struct Listed {
  const char* name;
  void (*fn)(CPoint, CPoint, const KyCellPlot&);
  CPoint a, b;
  CellList cells;  // exactly these, in any order
};

TEST(ToolsRaster, ListedCells) {
  const Listed cases[] = {
      {"line (0,0)-(4,1)", KyRasterLine, {0, 0}, {4, 1}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}},
      {"line (0,0)-(1,1)", KyRasterLine, {0, 0}, {1, 1}, {{0, 0}, {1, 1}}},
      {"line (0,0)-(2,1)", KyRasterLine, {0, 0}, {2, 1}, {{0, 0}, {1, 1}, {2, 1}}},
      {"line single", KyRasterLine, {3, 3}, {3, 3}, {{3, 3}}},
      {"rectangle single", KyRasterRectangle, {3, 3}, {3, 3}, {{3, 3}}},
      {"filled rectangle single", KyRasterRectangleFill, {3, 3}, {3, 3}, {{3, 3}}},
      {"rectangle (0,0)-(2,2)",
       KyRasterRectangle,
       {0, 0},
       {2, 2},
       {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}}},
      {"rectangle (2,2)-(0,0)",
       KyRasterRectangle,
       {2, 2},
       {0, 0},
       {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}}},
      {"degenerate rectangle", KyRasterRectangle, {1, 4}, {4, 4}, {{1, 4}, {2, 4}, {3, 4}, {4, 4}}},
      {"ellipse (0,0)-(5,3)",
       KyRasterEllipse,
       {0, 0},
       {5, 3},
       {{2, 0}, {3, 0}, {1, 1}, {4, 1}, {1, 2}, {4, 2}, {2, 3}, {3, 3}}},
      {"ellipse (0,3)-(5,0)", KyRasterEllipse, {0, 3}, {5, 0}, {{2, 1}, {3, 1}, {1, 1}, {4, 1}, {1, 2}, {4, 2}, {2, 2}, {3, 2}}},
  };
  for (const Listed& c : cases) {
    CellList got = Cells(c.fn, c.a, c.b);
    EXPECT_EQ(got.size(), c.cells.size()) << c.name;
    EXPECT_EQ(AsSet(got), AsSet(c.cells)) << c.name;
  }
}

TEST(ToolsRaster, LineListsCellsFromAnchorToEnd) {
  CellList got = Cells(KyRasterLine, {0, 0}, {4, 1});
  EXPECT_EQ(got, (CellList{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}));
}

TEST(ToolsRaster, EllipseFourByFour) {
  CellList got = Cells(KyRasterEllipse, {0, 0}, {4, 4});
  std::set<Cell> s = AsSet(got);
  for (Cell c : {Cell{2, 0}, Cell{2, 4}, Cell{0, 2}, Cell{4, 2}}) EXPECT_TRUE(s.count(c)) << c.first << "," << c.second;
  for (Cell c : s) {
    EXPECT_TRUE(c.first >= 0 && c.first <= 4 && c.second >= 0 && c.second <= 4);
  }
  EXPECT_EQ(s.size(), 12u);
  EXPECT_FALSE(HasDuplicates(got));
}

TEST(ToolsRaster, EllipseDraggedLeftFillsItsColumns) {
  std::set<Cell> s = AsSet(Cells(KyRasterEllipse, {5, 0}, {0, 3}));
  int minX = 99, maxX = -99, minY = 99, maxY = -99;
  for (Cell c : s) {
    minX = std::min(minX, c.first);
    maxX = std::max(maxX, c.first);
    minY = std::min(minY, c.second);
    maxY = std::max(maxY, c.second);
  }
  EXPECT_EQ(minX, 0);
  EXPECT_EQ(maxX, 5);
  EXPECT_EQ(minY, 0);
  EXPECT_EQ(maxY, 3);
}

TEST(ToolsRaster, TenBySixOutlineAndFillProduceEachCellOnce) {
  EXPECT_FALSE(HasDuplicates(Cells(KyRasterEllipse, {0, 0}, {10, 6})));
  EXPECT_FALSE(HasDuplicates(Cells(KyRasterEllipseFill, {0, 0}, {10, 6})));
}

TEST(ToolsRaster, QuarterEllipseRunsFromEndToAnchor) {
  CellList got = Cells(KyRasterQuarterEllipse, {0, 0}, {4, 4});
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got.front(), (Cell{4, 4}));
  EXPECT_EQ(got.back(), (Cell{0, 0}));
  for (Cell c : got) EXPECT_TRUE(c.first >= 0 && c.first <= 4 && c.second >= 0 && c.second <= 4);
  EXPECT_FALSE(HasDuplicates(got));
}

TEST(ToolsRaster, QuarterEllipseDegenerateDrags) {
  // A vertical drag is the column; a horizontal one only the end cell.
  EXPECT_EQ(Cells(KyRasterQuarterEllipse, {2, 0}, {2, 3}), (CellList{{2, 3}, {2, 2}, {2, 1}, {2, 0}}));
  EXPECT_EQ(Cells(KyRasterQuarterEllipse, {0, 2}, {5, 2}), (CellList{{5, 2}}));
  EXPECT_EQ(Cells(KyRasterQuarterEllipse, {1, 1}, {1, 1}), (CellList{{1, 1}}));
}

TEST(ToolsRaster, FilledRectangleRowsRunFromAnchorRow) {
  EXPECT_EQ(Cells(KyRasterRectangleFill, {1, 1}, {0, 0}), (CellList{{1, 1}, {0, 1}, {1, 0}, {0, 0}}));
}

// ---- Properties over random drags, rerunnable by seed.
class RandomDrags : public testing::Test {
 protected:
  static constexpr int kDrags = 4000;
  std::vector<std::pair<CPoint, CPoint>> Drags(uint32_t seed, int span) {
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int> d(0, span);
    std::vector<std::pair<CPoint, CPoint>> out;
    for (int i = 0; i < kDrags; ++i) out.emplace_back(CPoint(d(rng), d(rng)), CPoint(d(rng), d(rng)));
    return out;
  }
};

TEST_F(RandomDrags, AgreeWithTheReference) {
  for (auto [a, b] : Drags(1, 40)) {
    SCOPED_TRACE(testing::Message() << "(" << a.x << "," << a.y << ")-(" << b.x << "," << b.y << ")");
    EXPECT_EQ(Cells(KyRasterLine, a, b), RefLine(a, b));
    EXPECT_EQ(Cells(KyRasterQuarterEllipse, a, b), RefQuarter(a, b));
    RefEllipse ref(a, b);
    EXPECT_EQ(AsSet(Cells(KyRasterEllipse, a, b)), AsSet(ref.Outline()));
    EXPECT_EQ(Cells(KyRasterEllipse, a, b).size(), ref.Outline().size());
    EXPECT_EQ(Cells(KyRasterEllipseFill, a, b), ref.Filled());
  }
}

TEST_F(RandomDrags, EveryCellOnce) {
  for (auto [a, b] : Drags(2, 60)) {
    SCOPED_TRACE(testing::Message() << "(" << a.x << "," << a.y << ")-(" << b.x << "," << b.y << ")");
    EXPECT_FALSE(HasDuplicates(Cells(KyRasterLine, a, b)));
    EXPECT_FALSE(HasDuplicates(Cells(KyRasterRectangle, a, b)));
    EXPECT_FALSE(HasDuplicates(Cells(KyRasterRectangleFill, a, b)));
    // Ellipse cells repeat only where the mirrored halves meet: a drag one
    // or two columns wide (a = 0), of odd width to the left (columns x = -1
    // and 0 meet), of odd height upward (rows y = 0 and 1 meet), or a flat
    // one of even height whose first region runs down to the axis row (a
    // drag of height 0 puts both axis cells on the same row).
    const int dx = b.x - a.x, dy = b.y - a.y;
    RefEllipse ref(a, b);
    const bool flat = dy == 0 || (dy % 2 == 0 && !ref.region1.empty() && ref.region1.back().second == 0);
    if (std::abs(dx) >= 2 && !(dx < 0 && dx % 2 != 0) && !(dy < 0 && dy % 2 != 0) && !flat) {
      EXPECT_FALSE(HasDuplicates(Cells(KyRasterEllipse, a, b)));
      EXPECT_FALSE(HasDuplicates(Cells(KyRasterEllipseFill, a, b)));
    }
  }
}

TEST_F(RandomDrags, FilledEllipseIsTheOutlineSpanRowByRow) {
  for (auto [a, b] : Drags(3, 60)) {
    if (std::abs(b.x - a.x) < 2) continue;  // a = 0: the spans run backwards and hold nothing
    SCOPED_TRACE(testing::Message() << "(" << a.x << "," << a.y << ")-(" << b.x << "," << b.y << ")");
    std::map<int, std::pair<int, int>> rows;
    for (Cell c : Cells(KyRasterEllipse, a, b)) {
      auto it = rows.find(c.second);
      if (it == rows.end())
        rows[c.second] = {c.first, c.first};
      else
        it->second = {std::min(it->second.first, c.first), std::max(it->second.second, c.first)};
    }
    std::set<Cell> expect;
    for (auto [row, span] : rows)
      for (int x = span.first; x <= span.second; ++x) expect.insert({x, row});
    EXPECT_EQ(AsSet(Cells(KyRasterEllipseFill, a, b)), expect);
  }
}

TEST_F(RandomDrags, RectanglesAreSymmetricAndCoverTheirBox) {
  for (auto [a, b] : Drags(4, 60)) {
    SCOPED_TRACE(testing::Message() << "(" << a.x << "," << a.y << ")-(" << b.x << "," << b.y << ")");
    const int w = std::abs(b.x - a.x) + 1, h = std::abs(b.y - a.y) + 1;
    std::set<Cell> outline = AsSet(Cells(KyRasterRectangle, a, b)), swapped = AsSet(Cells(KyRasterRectangle, b, a));
    EXPECT_EQ(outline, swapped);
    EXPECT_EQ(outline, AsSet(Cells(KyRasterRectangle, CPoint(a.x, b.y), CPoint(b.x, a.y))));
    const size_t ring = (w == 1 || h == 1) ? size_t(w) * h : size_t(2 * w + 2 * h - 4);
    EXPECT_EQ(outline.size(), ring);
    std::set<Cell> fill = AsSet(Cells(KyRasterRectangleFill, a, b));
    EXPECT_EQ(fill.size(), size_t(w) * h);
    EXPECT_EQ(fill, AsSet(Cells(KyRasterRectangleFill, b, a)));
  }
}

TEST_F(RandomDrags, LinesJoinTheirEndsWithoutGaps) {
  for (auto [a, b] : Drags(5, 80)) {
    SCOPED_TRACE(testing::Message() << "(" << a.x << "," << a.y << ")-(" << b.x << "," << b.y << ")");
    CellList l = Cells(KyRasterLine, a, b);
    ASSERT_FALSE(l.empty());
    EXPECT_EQ(l.front(), (Cell{a.x, a.y}));
    EXPECT_EQ(l.back(), (Cell{b.x, b.y}));
    EXPECT_EQ(l.size(), size_t(std::max(std::abs(b.x - a.x), std::abs(b.y - a.y)) + 1));
    for (size_t i = 1; i < l.size(); ++i) {
      EXPECT_LE(std::abs(l[i].first - l[i - 1].first), 1);
      EXPECT_LE(std::abs(l[i].second - l[i - 1].second), 1);
    }
  }
}

TEST_F(RandomDrags, QuarterEllipsesStayInTheirBoxAndReachTheAnchor) {
  for (auto [a, b] : Drags(6, 60)) {
    SCOPED_TRACE(testing::Message() << "(" << a.x << "," << a.y << ")-(" << b.x << "," << b.y << ")");
    CellList q = Cells(KyRasterQuarterEllipse, a, b);
    EXPECT_EQ(q.front(), (Cell{b.x, b.y}));
    // The arc ends on the anchor's row; unless it is flatter than a
    // quarter circle, on the anchor itself.
    EXPECT_EQ(q.back().second, a.y);
    if (b.y != a.y && std::abs(b.x - a.x) <= std::abs(b.y - a.y)) {
      EXPECT_EQ(q.back(), (Cell{a.x, a.y}));
    }
    for (Cell c : q) {
      EXPECT_TRUE(c.first >= std::min(a.x, b.x) && c.first <= std::max(a.x, b.x));
      EXPECT_TRUE(c.second >= std::min(a.y, b.y) && c.second <= std::max(a.y, b.y));
    }
  }
}

// A pinned checksum of all six shapes over the seeded drags, so that a
// change of any cell anywhere shows.
TEST_F(RandomDrags, PinnedChecksum) {
  uint64_t h = 1469598103934665603ULL;
  auto mix = [&](int v) {
    h ^= static_cast<uint32_t>(v);
    h *= 1099511628211ULL;
  };
  for (auto [a, b] : Drags(7, 30))
    for (auto fn : {KyRasterLine, KyRasterRectangle, KyRasterRectangleFill, KyRasterEllipse, KyRasterEllipseFill,
                    KyRasterQuarterEllipse})
      for (Cell c : Cells(fn, a, b)) {
        mix(c.first);
        mix(c.second);
      }
  EXPECT_EQ(h, 0x4830c2251a4456edULL) << std::hex << "checksum now " << h;
}

}  // namespace
