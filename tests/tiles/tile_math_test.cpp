// Tile numbering: zoom ranges, boxes in degrees, the tiles an extent
// touches, metatiles and the MBTiles row order.
#include <gtest/gtest.h>

#include "KyTileMath.h"
#include "KyTileRenderer.h"

namespace {

using namespace kytiles;

TEST(TileMath, ZoomRanges) {
  const struct {
    const char* text;
    int min, max;  // -1: refused
  } cases[] = {
      {"0", 0, 0}, {"3-7", 3, 7}, {"0-22", 0, 22}, {"12-12", 12, 12},
      {"0-23", -1, -1}, {"5-3", -1, -1}, {"-1", -1, -1}, {"", -1, -1}, {"2-", -1, -1}, {"a-3", -1, -1},
      {"1 -3", -1, -1}, {"99999999999999999999", -1, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    if (c.min < 0) {
      try {
        ParseZoomRange(c.text);
        ADD_FAILURE() << "accepted";
      } catch (const MapError& e) {
        EXPECT_EQ("zoom '" + std::string(c.text) + "' is not N or N-M within 0-22 (the first not above the second)",
                  e.what());
      }
      continue;
    }
    const ZoomRange r = ParseZoomRange(c.text);
    EXPECT_EQ(c.min, r.min);
    EXPECT_EQ(c.max, r.max);
  }
}

TEST(TileMath, BoxesInDegrees) {
  const struct {
    const char* text;
    double west, south, east, north;
    const char* error;
  } cases[] = {
      {"-10,35,30,60", -10, 35, 30, 60, nullptr},
      {"-200,-90,200,90", -180, -kMaxLatitude, 180, kMaxLatitude, nullptr},  // cut to the world
      {"10,35,-10,60", 0, 0, 0, 0, "has no area"},
      {"190,0,200,10", 0, 0, 0, 0, "lies outside the world"},
      {"0,86,10,89", 0, 0, 0, 0, "lies outside the world"},
      {"0,0,10", 0, 0, 0, 0, "is not west,south,east,north"},
      {"0,0,10,x", 0, 0, 0, 0, "is not west,south,east,north"},
      {"0,0,10,nan", 0, 0, 0, 0, "is not west,south,east,north"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    if (c.error) {
      try {
        ParseBbox(c.text);
        ADD_FAILURE() << "accepted";
      } catch (const MapError& e) {
        EXPECT_NE(std::string::npos, std::string(e.what()).find(c.error)) << e.what();
      }
      continue;
    }
    const LonLatBox b = ParseBbox(c.text);
    EXPECT_EQ(c.west, b.west);
    EXPECT_EQ(c.south, b.south);
    EXPECT_EQ(c.east, b.east);
    EXPECT_EQ(c.north, b.north);
  }
}

TEST(TileMath, TilesAnExtentTouches) {
  const double h = kWorldHalf;
  const struct {
    const char* name;
    Extent extent;
    int z;
    TileRange want;
  } cases[] = {
      {"world at 0", {-h, -h, h, h}, 0, {0, 0, 0, 0}},
      {"world at 3", {-h, -h, h, h}, 3, {0, 0, 7, 7}},
      {"north-east quarter", {0, 0, h, h}, 1, {1, 0, 1, 0}},  // ends on borders: no neighbours
      {"a point's tile", {1, 1, 2, 2}, 2, {2, 1, 2, 1}},
      {"past the world", {-3 * h, -3 * h, 3 * h, 3 * h}, 2, {0, 0, 3, 3}},
      {"Europe at 5", {MercatorX(-10), MercatorY(35), MercatorX(30), MercatorY(60)}, 5, {15, 9, 18, 12}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const TileRange r = TilesOf(c.extent, c.z);
    EXPECT_EQ(c.want.x0, r.x0);
    EXPECT_EQ(c.want.y0, r.y0);
    EXPECT_EQ(c.want.x1, r.x1);
    EXPECT_EQ(c.want.y1, r.y1);
  }
}

TEST(TileMath, TileExtentsRowsAndPixels) {
  const Extent e = TileExtent(TileId{1, 1, 0});
  EXPECT_EQ(0, e.minX);
  EXPECT_EQ(0, e.minY);
  EXPECT_DOUBLE_EQ(kWorldHalf, e.maxX);
  EXPECT_DOUBLE_EQ(kWorldHalf, e.maxY);
  EXPECT_EQ(0, TmsRow(0, 0));
  EXPECT_EQ(7, TmsRow(3, 0));
  EXPECT_EQ(0, TmsRow(3, 7));
  const WorldPixels w(22, 1024);  // 2^32 pixels a side: past 32 bits
  EXPECT_EQ(int64_t{1} << 32, w.Size());
  EXPECT_DOUBLE_EQ(0, w.X(-kWorldHalf));
  EXPECT_DOUBLE_EQ(static_cast<double>(int64_t{1} << 31), w.Y(0));
  EXPECT_NEAR(MercatorY(kMaxLatitude), kWorldHalf, 1e-6);
  EXPECT_DOUBLE_EQ(kWorldHalf, MercatorX(180));
}

TEST(TileMath, MetatilesCoverTheRangeOnce) {
  const TileRange range{3, 5, 12, 9};  // 10 x 5 tiles
  const std::vector<Metatile> ms = MetatilesOf(4, range, 8);
  ASSERT_EQ(4u, ms.size());  // metatile columns 0 and 1, rows 0 and 1
  long long tiles = 0;
  for (const Metatile& m : ms) tiles += TilesOfMetatile(m, 8, range).Count();
  EXPECT_EQ(range.Count(), tiles);
  const TileRange first = TilesOfMetatile(ms[0], 8, range);
  EXPECT_EQ(3, first.x0);
  EXPECT_EQ(5, first.y0);
  EXPECT_EQ(7, first.x1);
  EXPECT_EQ(7, first.y1);
  EXPECT_TRUE(MetatilesOf(0, TileRange{}, 8).empty());
}

}  // namespace
