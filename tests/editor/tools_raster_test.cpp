// The drawing tools' rasterisers: the listed cells of each shape, and over
// thousands of seeded random drags every cell once, symmetry, endpoints and
// a pinned checksum of every cell.
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

// Whether the first region of an ellipse's outline (the steps along x)
// ends on the axis row; the ellipses where it does may meet themselves.
bool FirstRegionEndsOnTheAxis(CPoint p, CPoint q) {
  const int dx = q.x - p.x, a = dx / 2, b = std::abs((q.y - p.y) / 2);
  const double A = double(a) * a, B = double(b) * b;
  int x = (dx % 2 != 0 && dx < 0) ? -1 : 0, y = b;
  if (B * x - A * b >= 0) return false;  // no steps along x at all
  double d = (0.25 - b) * A + B, t = (2 * x + 3) * B;
  do {
    const bool diag = d > 0;
    d += diag ? (2 - 2 * y) * A + t : t;
    x += 1;
    y -= diag ? 1 : 0;
    t += 2 * B;
  } while (B * x - A * y < 0);
  return y == 0;
}

// ---- Listed cells.
struct Listed {
  const char* name;
  void (*fn)(CPoint, CPoint, const KyCellPlot&);
  CPoint a, b;
  bool ordered;    // the cells in exactly this order; else in any order, each once
  CellList cells;
};

TEST(ToolsRaster, ListedCells) {
  const Listed cases[] = {
      {"line (0,0)-(4,1), from anchor to end", KyRasterLine, {0, 0}, {4, 1}, true,
       {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}}},
      {"line (0,0)-(1,1)", KyRasterLine, {0, 0}, {1, 1}, false, {{0, 0}, {1, 1}}},
      {"line (0,0)-(2,1)", KyRasterLine, {0, 0}, {2, 1}, false, {{0, 0}, {1, 1}, {2, 1}}},
      {"line single", KyRasterLine, {3, 3}, {3, 3}, false, {{3, 3}}},
      {"rectangle single", KyRasterRectangle, {3, 3}, {3, 3}, false, {{3, 3}}},
      {"filled rectangle single", KyRasterRectangleFill, {3, 3}, {3, 3}, false, {{3, 3}}},
      {"rectangle (0,0)-(2,2)", KyRasterRectangle, {0, 0}, {2, 2}, false,
       {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}}},
      {"rectangle (2,2)-(0,0)", KyRasterRectangle, {2, 2}, {0, 0}, false,
       {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {2, 1}, {0, 2}, {1, 2}, {2, 2}}},
      {"degenerate rectangle", KyRasterRectangle, {1, 4}, {4, 4}, false, {{1, 4}, {2, 4}, {3, 4}, {4, 4}}},
      {"filled rectangle rows run from the anchor's row", KyRasterRectangleFill, {1, 1}, {0, 0}, true,
       {{1, 1}, {0, 1}, {1, 0}, {0, 0}}},
      {"ellipse (0,0)-(5,3)", KyRasterEllipse, {0, 0}, {5, 3}, false,
       {{2, 0}, {3, 0}, {1, 1}, {4, 1}, {1, 2}, {4, 2}, {2, 3}, {3, 3}}},
      {"ellipse (0,3)-(5,0)", KyRasterEllipse, {0, 3}, {5, 0}, false,
       {{2, 1}, {3, 1}, {1, 1}, {4, 1}, {1, 2}, {4, 2}, {2, 2}, {3, 2}}},
      {"ellipse (0,0)-(4,4)", KyRasterEllipse, {0, 0}, {4, 4}, false,
       {{2, 0}, {2, 4}, {0, 2}, {4, 2}, {1, 0}, {3, 0}, {1, 4}, {3, 4}, {0, 1}, {0, 3}, {4, 1}, {4, 3}}},
      {"ellipse dragged left fills its columns", KyRasterEllipse, {5, 0}, {0, 3}, false,
       {{2, 0}, {3, 0}, {1, 0}, {4, 0}, {0, 1}, {5, 1}, {0, 2}, {5, 2}, {1, 3}, {2, 3}, {3, 3}, {4, 3}}},
      {"quarter ellipse runs from the end to the anchor", KyRasterQuarterEllipse, {0, 0}, {4, 4}, true,
       {{4, 4}, {3, 4}, {2, 3}, {1, 3}, {1, 2}, {0, 1}, {0, 0}}},
      // A vertical drag is the column; a horizontal one only the end cell.
      {"quarter ellipse dragged down", KyRasterQuarterEllipse, {2, 0}, {2, 3}, true,
       {{2, 3}, {2, 2}, {2, 1}, {2, 0}}},
      {"quarter ellipse dragged across", KyRasterQuarterEllipse, {0, 2}, {5, 2}, true, {{5, 2}}},
      {"quarter ellipse single", KyRasterQuarterEllipse, {1, 1}, {1, 1}, true, {{1, 1}}},
  };
  for (const Listed& c : cases) {
    SCOPED_TRACE(c.name);
    const CellList got = Cells(c.fn, c.a, c.b);
    if (c.ordered) {
      EXPECT_EQ(got, c.cells);
    } else {
      EXPECT_EQ(got.size(), c.cells.size());
      EXPECT_EQ(AsSet(got), AsSet(c.cells));
    }
  }
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

TEST_F(RandomDrags, EveryCellOnce) {
  EXPECT_FALSE(HasDuplicates(Cells(KyRasterEllipse, {0, 0}, {10, 6})));
  EXPECT_FALSE(HasDuplicates(Cells(KyRasterEllipseFill, {0, 0}, {10, 6})));
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
    const bool flat = dy == 0 || (dy % 2 == 0 && FirstRegionEndsOnTheAxis(a, b));
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
