// A feature's rings as pixels of a block of the world: rounded on the
// world's grid before the block's corner is taken off, generalised, cut far
// outside.
#include <gtest/gtest.h>

#include <ogr_spatialref.h>

#include <cmath>
#include <memory>
#include <random>

#include "KyTileGeometry.h"

namespace {

using namespace kytiles;

// Zoom 2 of 256-pixel tiles: 1024 world pixels.
constexpr double kPerPixel = 2 * kWorldHalf / 1024;

kymap::PolygonFeature Feature(std::vector<std::vector<std::pair<double, double>>> rings) {
  kymap::PolygonFeature f;
  f.bounds = Extent{1e300, 1e300, -1e300, -1e300};
  for (const auto& ring : rings) {
    for (const auto& [px, py] : ring) {
      const double x = px * kPerPixel - kWorldHalf, y = kWorldHalf - py * kPerPixel;
      f.xy.push_back(x);
      f.xy.push_back(y);
      f.bounds.minX = std::min(f.bounds.minX, x);
      f.bounds.maxX = std::max(f.bounds.maxX, x);
      f.bounds.minY = std::min(f.bounds.minY, y);
      f.bounds.maxY = std::max(f.bounds.maxY, y);
    }
    f.ringSizes.push_back(static_cast<int>(ring.size()));
  }
  return f;
}

PictureFrame Frame(int64_t px0, int64_t py0, int w, int h) {
  PictureFrame f;
  f.z = 2;
  f.tilePixels = 256;
  f.px0 = px0;
  f.py0 = py0;
  f.width = w;
  f.height = h;
  return f;
}

std::string Text(const std::vector<double>& xy, const std::vector<int>& sizes) {
  std::string out;
  size_t at = 0;
  for (int n : sizes) {
    out += "[";
    for (int i = 0; i < n; ++i, at += 2) {
      char text[64];
      std::snprintf(text, sizeof text, "%g,%g ", xy[at], xy[at + 1]);
      out += text;
    }
    out.back() = ']';
  }
  return out;
}

TEST(TileGeometry, RingsInPixelsOfTheBlock) {
  const struct {
    const char* name;
    PictureFrame frame;
    int margin;
    kymap::PolygonFeature feature;
    std::string want;
    int steps = 1;
  } cases[] = {
      {"rounded on the world's grid, then moved",
       Frame(100, 200, 50, 50), 16,
       Feature({{{110.4, 210.6}, {130.6, 210.4}, {130.4, 230.6}, {110.4, 210.6}}}),
       "[10,11 31,10 30,31]"},
      {"a corner west of the origin rounds like the rest",
       Frame(-3, -3, 20, 20), 16,
       Feature({{{-0.6, 0.6}, {10.0, 0.6}, {10.0, 10.0}, {-0.6, 0.6}}}),
       "[2,4 13,4 13,13]"},
      {"repeated and straight-through vertices are dropped",
       Frame(0, 0, 64, 64), 16,
       Feature({{{10, 10}, {10.2, 10.1}, {20, 10}, {30, 10}, {30, 20}, {30, 30}, {10, 30}, {10, 10}}}),
       "[10,10 30,10 30,30 10,30]"},
      {"a spike back along a line is kept",
       Frame(0, 0, 64, 64), 16,
       Feature({{{10, 10}, {30, 10}, {20, 10}, {20, 30}, {10, 10}}}),
       "[10,10 30,10 20,10 20,30]"},
      {"a hole is a ring of its own; a ring that rounds to a line vanishes",
       Frame(0, 0, 64, 64), 16,
       Feature({{{0, 0}, {40, 0}, {40, 40}, {0, 40}, {0, 0}},
                {{10, 10}, {20, 10}, {20, 20}, {10, 10}},
                {{5, 5}, {5.2, 5.1}, {5.1, 5.3}, {5, 5}}}),
       "[0,0 40,0 40,40 0,40][10,10 20,10 20,20]"},
      {"cut at the margin past the picture",
       Frame(500, 500, 10, 10), 4,
       Feature({{{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}, {0, 0}}}),
       "[-4,14 -4,-4 14,-4 14,14]"},
      {"wholly outside",
       Frame(0, 0, 10, 10), 4,
       Feature({{{100, 100}, {200, 100}, {200, 200}, {100, 100}}}),
       ""},
      {"eighths of a pixel for smooth edges",
       Frame(100, 200, 50, 50), 16,
       Feature({{{110.4, 210.6}, {130.6, 210.4}, {130.4, 230.6}, {110.4, 210.61}}}),
       "[10.375,10.625 30.625,10.375 30.375,30.625]", 8},
      {"a slanted cut lands on the grid",
       Frame(0, 0, 10, 10), 2,
       Feature({{{0, 0}, {5, 0}, {20, 5}, {0, 5}, {0, 0}}}),
       "[0,0 5,0 12,2.375 12,5 0,5]", 8},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TileGeometry g(c.frame, c.margin, c.steps);
    std::vector<double> xy;
    std::vector<int> sizes;
    g.Rings(c.feature, xy, sizes);
    EXPECT_EQ(c.want, Text(xy, sizes));
  }
}

TEST(TileGeometry, FeaturesBelowAPixel) {
  TileGeometry g(Frame(0, 0, 64, 64), 16);
  EXPECT_TRUE(g.BelowAPixel(Feature({{{10.1, 10.1}, {10.3, 10.1}, {10.3, 10.4}, {10.1, 10.1}}})));
  // By its size, wherever it lies: across a pixel's edge as well.
  EXPECT_TRUE(g.BelowAPixel(Feature({{{10.1, 10.1}, {10.9, 10.1}, {10.9, 10.95}, {10.1, 10.1}}})));
  EXPECT_TRUE(g.BelowAPixel(Feature({{{10.7, 10.7}, {11.6, 10.7}, {11.6, 11.6}, {10.7, 10.7}}})));
  // A pixel or more either way is drawn, however thin the other way.
  EXPECT_FALSE(g.BelowAPixel(Feature({{{10.1, 10.1}, {11.1, 10.1}, {11.1, 10.2}, {10.1, 10.1}}})));
  EXPECT_FALSE(g.BelowAPixel(Feature({{{10.1, 10.1}, {10.2, 10.1}, {10.2, 12.5}, {10.1, 10.1}}})));
  // The same feature in another picture: the same answer.
  TileGeometry elsewhere(Frame(-500, 333, 7, 9), 16, 8);
  EXPECT_TRUE(elsewhere.BelowAPixel(Feature({{{10.7, 10.7}, {11.6, 10.7}, {11.6, 11.6}, {10.7, 10.7}}})));
  const Extent e = g.FilterExtent(2);
  // Cut at the world's edges: past them the projection back to degrees
  // wraps around.
  EXPECT_DOUBLE_EQ(-kWorldHalf, e.minX);
  EXPECT_DOUBLE_EQ(kWorldHalf, e.maxY);
  EXPECT_DOUBLE_EQ(-kWorldHalf + 66 * kPerPixel, e.maxX);
  EXPECT_DOUBLE_EQ(kWorldHalf - 66 * kPerPixel, e.minY);
}

TEST(TileGeometry, WhatIsPlainlyBelowAPixelInDegreesIsSoOnceProjected) {
  // Small boxes of degrees at every zoom, against BelowAPixel on their
  // corners projected by the projection the tiles use.
  OGRSpatialReference wgs84, mercator;
  wgs84.SetWellKnownGeogCS("WGS84");
  wgs84.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  mercator.importFromEPSG(3857);
  mercator.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  std::unique_ptr<OGRCoordinateTransformation> project(OGRCreateCoordinateTransformation(&wgs84, &mercator));
  ASSERT_TRUE(project);
  std::mt19937 rng(20261208);
  std::uniform_real_distribution<double> lon(-180, 180), lat(-85, 85), unit(0, 1);
  int plainly = 0, below = 0;
  for (int z = 0; z <= 22; ++z) {
    PictureFrame frame;
    frame.z = z;
    TileGeometry g(frame, 16);
    const double pixelDegrees = 360.0 / (256.0 * std::ldexp(1.0, z));
    for (int i = 0; i < 400; ++i) {
      const double x = lon(rng), y = lat(rng), w = unit(rng) * 2 * pixelDegrees, h = unit(rng) * 2 * pixelDegrees;
      const Extent degrees{x, y, std::min(180.0, x + w), std::min(85.0, y + h)};
      double xs[2] = {degrees.minX, degrees.maxX}, ys[2] = {degrees.minY, degrees.maxY};
      ASSERT_TRUE(project->Transform(2, xs, ys));
      kymap::PolygonFeature f;
      f.bounds = Extent{xs[0], ys[0], xs[1], ys[1]};
      const bool isBelow = g.BelowAPixel(f), isPlainly = g.PlainlyBelowAPixel(degrees);
      if (isPlainly) {
        EXPECT_TRUE(isBelow) << z << ": " << x << ", " << y;
      }
      plainly += isPlainly;
      below += isBelow;
    }
  }
  // Nearly every box below a pixel is told so before it is projected.
  EXPECT_GT(plainly, below * 99 / 100);
  EXPECT_GT(below, 1000);
  // Outside Web Mercator's square of the world: never.
  PictureFrame frame;
  TileGeometry g(frame, 16);
  EXPECT_FALSE(g.PlainlyBelowAPixel(Extent{10, 85.5, 10.0001, 85.5001}));
  EXPECT_FALSE(g.PlainlyBelowAPixel(Extent{180.5, 0, 180.6, 0.1}));
}

}  // namespace
