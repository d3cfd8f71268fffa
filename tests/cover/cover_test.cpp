// The cover of polygons: the areas of pixels inside, exact under
// whole-pixel moves and band splits, the two fill rules, shared edges, bad
// points, the spans.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "KyCover.h"

namespace {

using kycover::Cover;
using kycover::Rows;
using kycover::Rule;

std::vector<uint8_t> Render(Cover& c, const Rows& r, int bandRows = 1 << 20) {
  const int w = r.right - r.left;
  std::vector<uint8_t> mask(static_cast<size_t>(w) * (r.bottom - r.top), 0xEE);
  for (int top = r.top; top < r.bottom; top += bandRows) {
    const int bottom = std::min(r.bottom, top + bandRows);
    c.Render(Rows{r.left, top, r.right, bottom}, mask.data() + static_cast<size_t>(top - r.top) * w, w);
  }
  return mask;
}

std::vector<double> Box(double x0, double y0, double x1, double y1) { return {x0, y0, x1, y0, x1, y1, x0, y1}; }

// The area of the ring inside the pixel (x, y): the ring clipped to the
// pixel's square side by side, in doubles.
double AreaIn(const std::vector<double>& ring, int x, int y) {
  std::vector<std::pair<double, double>> poly;
  for (size_t i = 0; i + 1 < ring.size(); i += 2) poly.emplace_back(ring[i], ring[i + 1]);
  auto clip = [&](auto inside, auto cut) {
    std::vector<std::pair<double, double>> out;
    for (size_t i = 0; i < poly.size(); ++i) {
      const auto a = poly[i], b = poly[(i + 1) % poly.size()];
      if (inside(b)) {
        if (!inside(a)) out.push_back(cut(a, b));
        out.push_back(b);
      } else if (inside(a)) {
        out.push_back(cut(a, b));
      }
    }
    poly = out;
  };
  using P = std::pair<double, double>;
  auto atX = [](double v) {
    return [v](P a, P b) { return P{v, a.second + (b.second - a.second) * (v - a.first) / (b.first - a.first)}; };
  };
  auto atY = [](double v) {
    return [v](P a, P b) { return P{a.first + (b.first - a.first) * (v - a.second) / (b.second - a.second), v}; };
  };
  clip([x](P p) { return p.first >= x; }, atX(x));
  clip([x](P p) { return p.first <= x + 1; }, atX(x + 1));
  clip([y](P p) { return p.second >= y; }, atY(y));
  clip([y](P p) { return p.second <= y + 1; }, atY(y + 1));
  double area = 0;
  for (size_t i = 0; i < poly.size(); ++i) {
    const P a = poly[i], b = poly[(i + 1) % poly.size()];
    area += a.first * b.second - b.first * a.second;
  }
  return std::fabs(area) / 2;
}

TEST(Cover, CoversAreTheAreasInside) {
  // Star-shaped rings (concave, never crossing themselves) with vertices on
  // a 256th of a pixel, against their areas clipped pixel by pixel; the
  // spans are in order, apart, and neighbours of one cover are merged.
  std::mt19937 rng(20261208);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int round = 0; round < 30; ++round) {
    const int n = 3 + round % 11;
    std::vector<double> angles(n), ring;
    for (double& a : angles) a = unit(rng) * 2 * M_PI;
    std::sort(angles.begin(), angles.end());
    for (double a : angles) {
      const double r = 2 + unit(rng) * 10;
      ring.push_back(std::round((13 + r * std::cos(a)) * 256) / 256);
      ring.push_back(std::round((13 + r * std::sin(a)) * 256) / 256);
    }
    Cover c;
    ASSERT_TRUE(c.AddRing(ring.data(), n));
    const std::vector<uint8_t> m = Render(c, Rows{0, 0, 26, 26});
    for (int y = 0; y < 26; ++y) {
      for (int x = 0; x < 26; ++x) {
        // Half a level from rounding the cover, the rest from the cuts
        // rounded to 1/256 of a pixel.
        EXPECT_NEAR(AreaIn(ring, x, y) * 255, m[y * 26 + x], 1.25) << round << " at " << x << ", " << y;
      }
    }
    Cover again;
    again.AddRing(ring.data(), n);
    std::vector<uint8_t> fromSpans(26 * 26, 0);
    int lastY = -1;
    again.Render(Rows{0, 0, 26, 26}, [&](int y, const kycover::Span* spans, size_t count) {
      EXPECT_GT(y, lastY);
      lastY = y;
      for (size_t i = 0; i < count; ++i) {
        EXPECT_LT(spans[i].x0, spans[i].x1);
        if (i > 0) {
          EXPECT_LE(spans[i - 1].x1, spans[i].x0);
          EXPECT_FALSE(spans[i - 1].x1 == spans[i].x0 && spans[i - 1].cover == spans[i].cover);
        }
        for (int x = spans[i].x0; x < spans[i].x1; ++x) fromSpans[y * 26 + x] = spans[i].cover;
      }
    });
    EXPECT_EQ(m, fromSpans) << round;
  }
}

TEST(Cover, SharesOfPixelsAreTheirAreasInside) {
  // Edges at 2.5 (half of column 2), 5.25 (a quarter of column 5), rows
  // 1.75 to 3: row 1 has a quarter of its height inside.
  Cover c;
  const std::vector<double> box = Box(2.5, 1.75, 5.25, 3);
  ASSERT_TRUE(c.AddRing(box.data(), 4));
  const std::vector<uint8_t> m = Render(c, Rows{0, 0, 7, 4});
  const std::vector<uint8_t> want = {0, 0, 0,   0,   0,   0,  0,  //
                                     0, 0, 32,  64,  64,  16, 0,  // 1/8, 1/4, 1/16 of 255
                                     0, 0, 128, 255, 255, 64, 0,  //
                                     0, 0, 0,   0,   0,   0,  0};
  EXPECT_EQ(want, m);
  EXPECT_EQ(2, c.Bounds().left);
  EXPECT_EQ(1, c.Bounds().top);
  EXPECT_EQ(6, c.Bounds().right);
  EXPECT_EQ(3, c.Bounds().bottom);
}

TEST(Cover, MovesByWholePixelsAndSplitsIntoBandsAndColumnsChangeNothing) {
  // Seeded polygons with vertices on an eighth and on a 256th of a pixel
  // (what a picture moved by whole pixels keeps exactly).
  std::mt19937 rng(20261207);
  std::uniform_real_distribution<double> at(0, 60);
  for (int round = 0; round < 40; ++round) {
    const bool eighths = round % 2 == 0;
    std::vector<double> ring;
    const int n = 3 + round % 9;
    for (int i = 0; i < 2 * n; ++i)
      ring.push_back(eighths ? std::round(at(rng) * 8) / 8 : std::round(at(rng) * 256) / 256);
    std::vector<double> moved = ring;
    for (int i = 0; i < n; ++i) moved[2 * i] += 1037, moved[2 * i + 1] -= 2029;
    Cover a(round % 3 ? Rule::kNonZero : Rule::kEvenOdd), b(round % 3 ? Rule::kNonZero : Rule::kEvenOdd);
    ASSERT_TRUE(a.AddRing(ring.data(), n));
    ASSERT_TRUE(b.AddRing(moved.data(), n));
    const std::vector<uint8_t> whole = Render(a, Rows{-1, -1, 62, 62});
    EXPECT_EQ(whole, Render(b, Rows{1036, -2030, 1099, -1967}, 7)) << round;
    EXPECT_EQ(whole, Render(a, Rows{-1, -1, 62, 62}, 1)) << round;
    // Cut into columns too: each part equals its columns of the whole.
    for (int cut : {7, 30, 45}) {
      Cover parts(round % 3 ? Rule::kNonZero : Rule::kEvenOdd);
      parts.AddRing(moved.data(), n);
      const std::vector<uint8_t> left = Render(parts, Rows{1036, -2030, 1036 + cut, -1967}, 5),
                                 right = Render(parts, Rows{1036 + cut, -2030, 1099, -1967}, 9);
      std::vector<uint8_t> joined;
      for (int y = 0; y < 63; ++y) {
        joined.insert(joined.end(), left.begin() + y * cut, left.begin() + (y + 1) * cut);
        joined.insert(joined.end(), right.begin() + y * (63 - cut), right.begin() + (y + 1) * (63 - cut));
      }
      EXPECT_EQ(whole, joined) << round << " cut at " << cut;
    }
  }
}

TEST(Cover, PointsHalfwayBetweenFixedUnitsMoveAlikeEitherSideOfZero) {
  // Vertices on odd 512ths of a pixel round halves up, on both sides of
  // zero: moved by whole pixels across it, the covers are the same.
  const std::vector<double> ring = {-3.0 / 512, -7.0 / 512, 4 + 7.0 / 512, -3.0 / 512, 2 + 1.0 / 512, 3 + 5.0 / 512};
  std::vector<double> moved = ring;
  for (size_t i = 0; i < moved.size(); i += 2) moved[i] -= 7, moved[i + 1] -= 9;
  Cover a, b;
  ASSERT_TRUE(a.AddRing(ring.data(), 3));
  ASSERT_TRUE(b.AddRing(moved.data(), 3));
  EXPECT_EQ(Render(a, Rows{-1, -1, 6, 5}), Render(b, Rows{-8, -10, -1, -4}));
}

TEST(Cover, NeighboursSharingAnEdgeCoverLikeTheirUnion) {
  // Two quadrilaterals sharing a slanted edge, and one of both.
  const std::vector<double> left = {1.3, 1.1, 9.7, 1.1, 6.2, 14.9, 1.3, 14.9},
                            right = {9.7, 1.1, 17.6, 1.1, 17.6, 14.9, 6.2, 14.9},
                            both = {1.3, 1.1, 17.6, 1.1, 17.6, 14.9, 1.3, 14.9};
  for (Rule rule : {Rule::kNonZero, Rule::kEvenOdd}) {
    Cover two(rule), one(rule);
    two.AddRing(left.data(), 4);
    two.AddRing(right.data(), 4);
    one.AddRing(both.data(), 4);
    EXPECT_EQ(Render(one, Rows{0, 0, 20, 16}), Render(two, Rows{0, 0, 20, 16}));
  }
}

TEST(Cover, TheRulesDifferWhereRingsOverlap) {
  // Two squares turning the same way, overlapping in [4, 6) x [4, 6).
  const std::vector<double> a = Box(0, 0, 6, 6), b = Box(4, 4, 10, 10);
  Cover nonZero(Rule::kNonZero), evenOdd(Rule::kEvenOdd);
  for (Cover* c : {&nonZero, &evenOdd}) c->AddRing(a.data(), 4), c->AddRing(b.data(), 4);
  const std::vector<uint8_t> nz = Render(nonZero, Rows{0, 0, 10, 10}), eo = Render(evenOdd, Rows{0, 0, 10, 10});
  EXPECT_EQ(255, nz[5 * 10 + 5]);
  EXPECT_EQ(0, eo[5 * 10 + 5]);
  EXPECT_EQ(255, eo[1 * 10 + 1]);
  EXPECT_EQ(255, eo[8 * 10 + 8]);
  // A hole turning the other way is empty under both rules.
  const std::vector<double> outer = Box(0, 0, 10, 10), hole = {3, 3, 3, 7, 7, 7, 7, 3};
  Cover holed;
  holed.AddRing(outer.data(), 4);
  holed.AddRing(hole.data(), 4);
  EXPECT_EQ(0, Render(holed, Rows{0, 0, 10, 10})[5 * 10 + 5]);
}

TEST(Cover, FarPointsAreExactAndBadOnesDropTheRing) {
  // A square whose other corners lie 2^29 pixels away covers its pixels
  // whole.
  const double far = std::ldexp(1.0, 29);
  const std::vector<double> big = Box(2, 2, far, far);
  Cover c;
  ASSERT_TRUE(c.AddRing(big.data(), 4));
  const std::vector<uint8_t> m = Render(c, Rows{0, 0, 5, 5});
  EXPECT_EQ(0, m[1 * 5 + 1]);
  EXPECT_EQ(255, m[2 * 5 + 2]);
  EXPECT_EQ(255, m[4 * 5 + 4]);
  const std::vector<double> nan = {0, 0, NAN, 1, 1, 1}, huge = {0, 0, 4 * far, 1, 1, 1};
  Cover bad;
  EXPECT_FALSE(bad.AddRing(nan.data(), 3));
  EXPECT_FALSE(bad.AddRing(huge.data(), 3));
  EXPECT_FALSE(bad.AddRing(big.data(), 2));
  EXPECT_TRUE(bad.Empty());
  EXPECT_EQ(std::vector<uint8_t>(25, 0), Render(bad, Rows{0, 0, 5, 5}));
}

}  // namespace
