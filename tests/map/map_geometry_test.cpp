// The quick validity test agrees with the geometry engine: what it passes
// the engine finds valid, and the plain shapes of real data pass it.
#include <cpl_error.h>
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "KyMapGeometry.h"

namespace {

std::unique_ptr<OGRMultiPolygon> Ring(const std::vector<double>& xy, bool close = true) {
  OGRLinearRing ring;
  for (size_t i = 0; i + 1 < xy.size(); i += 2) ring.addPoint(xy[i], xy[i + 1]);
  if (close) ring.closeRings();
  OGRPolygon poly;
  poly.addRing(&ring);
  auto g = std::make_unique<OGRMultiPolygon>();
  g->addGeometry(&poly);
  return g;
}

TEST(PlainlyValid, NeverPassesWhatTheEngineFindsInvalid) {
  // Random rings of 3 to 12 points on a coarse grid: many cross or touch
  // themselves, run straight or double back.
  CPLPushErrorHandler(CPLQuietErrorHandler);  // the engine's warnings on each
  std::mt19937 rng(20261208);
  std::uniform_int_distribution<int> at(0, 6);
  int passed = 0, valid = 0;
  for (int round = 0; round < 4000; ++round) {
    std::vector<double> xy;
    const int n = 3 + round % 10;
    for (int i = 0; i < 2 * n; ++i) xy.push_back(at(rng));
    const auto g = Ring(xy);
    const bool plain = kymap::PlainlyValid(*g), isValid = g->IsValid();
    if (plain) {
      EXPECT_TRUE(isValid) << g->exportToWkt();
    }
    passed += plain;
    valid += isValid;
  }
  // It is a quick path, not the engine: most valid rings still take it.
  EXPECT_GT(passed, valid / 2);
  CPLPopErrorHandler();
}

std::unique_ptr<OGRMultiPolygon> Rings(const std::vector<std::vector<double>>& rings) {
  auto g = std::make_unique<OGRMultiPolygon>();
  for (const auto& xy : rings) g->addGeometry(Ring(xy)->getGeometryRef(0));
  return g;
}

// A star-shaped ring of n points around (cx, cy), radii r .. (1 + jag) r.
std::vector<double> Star(std::mt19937& rng, int n, double cx, double cy, double r, double jag = 1) {
  std::uniform_real_distribution<double> unit(0, 1);
  std::vector<double> xy;
  for (int i = 0; i < n; ++i) {
    const double a = 2 * M_PI * (i + 0.5 * unit(rng)) / n, d = r * (1 + jag * unit(rng));
    xy.push_back(cx + d * std::cos(a));
    xy.push_back(cy + d * std::sin(a));
  }
  return xy;
}

TEST(PlainlyValid, SeveralRingsNeverPassWhatTheEngineFindsInvalid) {
  // Two or three random rings on a coarse grid (crossing, touching, one in
  // another, apart), and small stars placed at random, some overlapping.
  CPLPushErrorHandler(CPLQuietErrorHandler);
  std::mt19937 rng(8);
  std::uniform_int_distribution<int> at(0, 9);
  std::uniform_real_distribution<double> place(0, 10);
  int passed = 0, valid = 0;
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::vector<double>> rings;
    const int count = 2 + round % 2;
    for (int k = 0; k < count; ++k) {
      if (round % 3 == 0) {
        rings.push_back(Star(rng, 3 + round % 20, place(rng), place(rng), 0.5 + place(rng) / 4));
        continue;
      }
      std::vector<double> xy;
      for (int i = 0; i < 2 * (3 + (round + k) % 4); ++i) xy.push_back(at(rng));
      rings.push_back(xy);
    }
    const auto g = Rings(rings);
    const bool plain = kymap::PlainlyValid(*g), isValid = g->IsValid();
    if (plain) {
      EXPECT_TRUE(isValid) << g->exportToWkt();
    }
    passed += plain;
    valid += isValid;
  }
  EXPECT_GT(passed, valid / 3);
  CPLPopErrorHandler();
}

TEST(PlainlyValid, TakesPlainShapesAndLeavesTheRestToTheEngine) {
  // Star-shaped rings (never crossing) pass.
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int n = 3; n <= 64; ++n) {
    std::vector<double> xy;
    for (int i = 0; i < n; ++i) {
      const double a = 2 * M_PI * (i + 0.5 * unit(rng)) / n, r = 1 + unit(rng);
      xy.push_back(10 + r * std::cos(a));
      xy.push_back(50 + r * std::sin(a));
    }
    EXPECT_TRUE(kymap::PlainlyValid(*Ring(xy))) << n;
  }
  // Long rings too (a coast's small wiggles), and islands apart from each
  // other.
  for (int n : {65, 500, 5000}) {
    EXPECT_TRUE(kymap::PlainlyValid(*Ring(Star(rng, n, 10, 50, 1, 10.0 / n)))) << n;
  }
  EXPECT_TRUE(kymap::PlainlyValid(
      *Rings({Star(rng, 300, 0, 0, 1, 0.05), Star(rng, 80, 5, 0, 1, 0.2), Star(rng, 9, 0, 5, 1)})));
  // A long ring crossing itself once, far from where it starts.
  std::vector<double> crossed = Star(rng, 2000, 0, 0, 1, 0.005);
  std::swap(crossed[1000], crossed[1002]);
  std::swap(crossed[1001], crossed[1003]);
  EXPECT_FALSE(kymap::PlainlyValid(*Ring(crossed)));
  // An island inside another, and two touching at a corner: the engine's.
  EXPECT_FALSE(kymap::PlainlyValid(*Rings({{0, 0, 9, 0, 9, 9, 0, 9}, {3, 3, 6, 3, 6, 6, 3, 6}})));
  EXPECT_FALSE(kymap::PlainlyValid(*Rings({{0, 0, 3, 0, 3, 3, 0, 3}, {3, 3, 6, 3, 6, 6, 3, 6}})));
  EXPECT_FALSE(kymap::PlainlyValid(*Rings({{0, 0, 3, 0, 3, 3, 0, 3}, {1, 1, 5, 1, 5, 5, 1, 5}})));
  // Repeated points are valid and pass.
  EXPECT_TRUE(kymap::PlainlyValid(*Ring({0, 0, 4, 0, 4, 0, 4, 3, 0, 3})));
  // A bow-tie, a spike, a ring touching itself at a vertex, three points in
  // a line, an open ring, a ring of two points: the engine decides.
  EXPECT_FALSE(kymap::PlainlyValid(*Ring({0, 0, 4, 4, 4, 0, 0, 4})));
  EXPECT_FALSE(kymap::PlainlyValid(*Ring({0, 0, 4, 0, 6, 0, 4, 0, 4, 3})));
  EXPECT_FALSE(kymap::PlainlyValid(*Ring({0, 0, 4, 0, 2, 2, 4, 4, 0, 4, 2, 2})));
  EXPECT_FALSE(kymap::PlainlyValid(*Ring({0, 0, 2, 0, 4, 0, 4, 3})));
  EXPECT_FALSE(kymap::PlainlyValid(*Ring({0, 0, 4, 0, 4, 3}, false)));
  EXPECT_FALSE(kymap::PlainlyValid(*Ring({0, 0, 4, 0})));
  EXPECT_FALSE(kymap::PlainlyValid(*Ring({0, 0, NAN, 0, 4, 3})));
  // A ring with a hole is the engine's; two polygons apart pass.
  OGRPolygon holed;
  OGRLinearRing outer, inner;
  for (auto [x, y] : {std::pair{0, 0}, {9, 0}, {9, 9}, {0, 9}, {0, 0}}) outer.addPoint(x, y);
  for (auto [x, y] : {std::pair{3, 3}, {3, 6}, {6, 6}, {6, 3}, {3, 3}}) inner.addPoint(x, y);
  holed.addRing(&outer);
  holed.addRing(&inner);
  OGRMultiPolygon withHole;
  withHole.addGeometry(&holed);
  EXPECT_FALSE(kymap::PlainlyValid(withHole));
  auto two = Ring({0, 0, 1, 0, 1, 1});
  two->addGeometry(Ring({5, 5, 6, 5, 6, 6})->getGeometryRef(0));
  EXPECT_TRUE(kymap::PlainlyValid(*two));
}

}  // namespace
