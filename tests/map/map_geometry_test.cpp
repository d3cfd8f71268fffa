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

TEST(PlainlyValid, TakesPlainShapesAndLeavesTheRestToTheEngine) {
  // Star-shaped rings (never crossing) of up to 64 points pass.
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
  // A ring with a hole, and two polygons, are the engine's.
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
  EXPECT_FALSE(kymap::PlainlyValid(*two));
}

}  // namespace
