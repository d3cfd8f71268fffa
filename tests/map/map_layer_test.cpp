#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>

#include "KyMapLayer.h"
#include "map_fixture.h"

namespace {

using kymap::Layer;
using kymap::MapError;
using kymaptest::Box;
using kymaptest::Feature;

struct Read {
  std::vector<kymap::PolygonFeature> features;
  kymap::FeatureCounts counts;
};

Read ReadAll(Layer& layer, const std::string& field) {
  Read r;
  layer.ForEachPolygon(field, [&r](const kymap::PolygonFeature& f) {
    r.features.push_back(f);
    return Layer::Drawn::kDrawn;
  }, r.counts);
  return r;
}

TEST(MapLayer, PolygonsAreStreamedAndEveryOtherFeatureIsCountedByCause) {
  kymaptest::TempDir dir;
  const std::string features =
      Feature(R"({"kind": "a"})", R"({"type": "Polygon", "coordinates": [)" + Box(0, 0, 10, 10) + ", " +
                                      Box(2, 2, 4, 4) + "]}") +
      "," +
      Feature(R"({"kind": "b"})", R"({"type": "MultiPolygon", "coordinates": [[)" + Box(20, 0, 30, 10) + "], [" +
                                      Box(40, 0, 50, 10) + "]]}") +
      "," + Feature(R"({"kind": null})", R"({"type": "Point", "coordinates": [1, 2]})") + "," +
      Feature(R"({"kind": "c"})", R"({"type": "LineString", "coordinates": [[1, 2], [3, 4]]})") + "," +
      Feature(R"({"kind": "bowtie"})", R"({"type": "Polygon", "coordinates": [[[0, 0], [10, 10], [10, 0], [0, 10], [0, 0]]]})") +
      "," + Feature(R"({"kind": "huge"})", R"({"type": "Polygon", "coordinates": [[[0, 0], [1e300, 0], [0, 1], [0, 0]]]})") +
      "," + Feature(R"({"kind": "none"})", "null") + "," +
      Feature(R"({"kind": "dot"})", R"({"type": "Polygon", "coordinates": [[[5, 5]]]})") + "," +
      Feature(R"({})", R"({"type": "Polygon", "coordinates": [)" + Box(60, 0, 70, 10) + "]}");
  Layer layer(dir.Write("l.geojson", kymaptest::Collection(features)));
  Read r = ReadAll(layer, "kind");
  EXPECT_EQ(9, r.counts.read);
  EXPECT_EQ(4, r.counts.drawn);
  EXPECT_EQ(1, r.counts.repaired);  // the bow-tie
  const std::map<std::string, long long> causes = {{"not a polygon", 2},
                                                   {"invalid geometry", 1},
                                                   {"coordinates not finite or out of range", 1},
                                                   {"empty", 1}};
  EXPECT_EQ(causes, r.counts.skipped);
  // Every feature at fault is named by its FID, with its cause.
  std::vector<std::string> notes;
  for (const kymap::FeatureNote& n : r.counts.notes) notes.push_back(std::to_string(n.fid) + " " + n.what);
  EXPECT_EQ((std::vector<std::string>{"2 not a polygon", "3 not a polygon", "4 repaired",
                                      "5 coordinates not finite or out of range", "6 empty", "7 invalid geometry"}),
            notes);
  EXPECT_EQ("Self-intersection[5 5]", r.counts.notes[2].detail);
  ASSERT_EQ(4u, r.features.size());
  EXPECT_TRUE(r.features[2].repaired);
  r.features.erase(r.features.begin() + 2);
  EXPECT_EQ((std::vector<int>{5, 5}), r.features[0].ringSizes);
  EXPECT_EQ("a", r.features[0].value);
  EXPECT_FALSE(r.features[0].valueIsNull);
  EXPECT_DOUBLE_EQ(2, r.features[0].xy[10]);  // the hole's first point
  EXPECT_EQ((std::vector<int>{5, 5}), r.features[1].ringSizes);
  EXPECT_DOUBLE_EQ(50, r.features[1].bounds.maxX);
  EXPECT_TRUE(r.features[2].valueIsNull);
  EXPECT_EQ("", r.features[2].value);
}

TEST(MapLayer, DistinctValuesAreSortedAsTheFieldsType) {
  kymaptest::TempDir dir;
  std::string features;
  const int numbers[] = {10, 9, 100, 9, -1};
  const char* names[] = {"b", "a", "B", "a", "é"};
  for (int i = 0; i < 5; ++i) {
    if (i) features += ",";
    features += Feature("{\"n\": " + std::to_string(numbers[i]) + ", \"s\": \"" + names[i] + "\"}",
                        R"({"type": "Polygon", "coordinates": [)" + Box(i, 0, i + 1, 1) + "]}");
  }
  features += "," + Feature(R"({"n": null, "s": null})", R"({"type": "Polygon", "coordinates": [)" + Box(0, 0, 1, 1) + "]}");
  Layer layer(dir.Write("v.geojson", kymaptest::Collection(features)));
  EXPECT_EQ((std::vector<std::string>{"-1", "9", "10", "100"}), layer.DistinctValues("n"));
  EXPECT_EQ((std::vector<std::string>{"B", "a", "b", "é"}), layer.DistinctValues("s"));
  // Reading the values leaves the layer whole for drawing.
  EXPECT_EQ(6, ReadAll(layer, "n").counts.drawn);
}

TEST(MapLayer, SourcesLayersFieldsAndCrsThatDoNotExistAreNamed) {
  kymaptest::TempDir dir;
  const std::string path = dir.Write(
      "f.geojson", kymaptest::Collection(Feature(R"({"kind": "a"})", R"({"type": "Polygon", "coordinates": [)" +
                                                                          Box(0, 0, 1, 1) + "]}")));
  struct Case {
    const char* name;
    std::function<void()> call;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"no file", [&] { Layer l(dir.Path() + "/nosuch.shp"); },
       "cannot open '" + dir.Path() + "/nosuch.shp': no such file or data source"},
      {"not vector data", [&] { Layer l(dir.Write("junk.geojson", "{ not json")); }, ""},
      {"no such layer", [&] { Layer l(path + ":roads"); }, "'" + path + "' has no layer 'roads' (it has: f)"},
      {"no such field", [&] { Layer(path).RequireField("landuse"); }, "the layer 'f' has no field 'landuse' (it has: kind)"},
      {"unknown crs", [&] { Layer(path).SetTargetCrs("EPSG:999999"); }, ""},
  };
  for (const Case& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << c.name << ": accepted";
    } catch (const MapError& e) {
      if (!c.message.empty()) {
        EXPECT_EQ(c.message, e.what()) << c.name;
      }
      EXPECT_EQ(std::string::npos, std::string(e.what()).find('\n')) << c.name;
    }
  }
  EXPECT_NO_THROW(Layer(path + ":f"));
  EXPECT_NO_THROW(Layer(path + ":0"));
}

TEST(MapLayer, FeaturesAreReprojectedAndTheExtentFollows) {
  kymaptest::TempDir dir;
  const std::string wgs84 = R"({"type": "FeatureCollection", "features": [)" +
                            Feature("{}", R"({"type": "Polygon", "coordinates": [)" + Box(0, 0, 1, 1) + "]}") + "]}";
  Layer layer(dir.Write("w.geojson", wgs84));
  EXPECT_EQ("EPSG:4326", layer.SourceCrs());
  layer.SetTargetCrs("EPSG:3857");
  EXPECT_EQ("EPSG:3857", layer.MapCrs());
  const kymap::Extent e = layer.MapExtent();
  EXPECT_NEAR(0, e.minX, 1e-6);
  EXPECT_NEAR(111319.49079327357, e.maxX, 1e-6);
  EXPECT_NEAR(111325.14286638486, e.maxY, 1e-6);
  const Read r = ReadAll(layer, "");
  ASSERT_EQ(1u, r.features.size());
  EXPECT_NEAR(111319.49079327357, r.features[0].xy[2], 1e-6);
}

TEST(MapLayer, DegreesOnWgs84AreToldApartAndAnEarlyCheckCountsTheSmall) {
  kymaptest::TempDir dir;
  const std::string square = Feature("{}", R"({"type": "Polygon", "coordinates": [)" + Box(0, 0, 1, 1) + "]}");
  auto withCrs = [&](const std::string& crs) {
    return R"({"type": "FeatureCollection", "crs": {"type": "name", "properties": {"name": ")" + crs +
           R"("}}, "features": [)" + square + "]}";
  };
  // GeoJSON without a CRS is in WGS 84 degrees; the fixture's collections
  // are in Web Mercator.
  EXPECT_TRUE(Layer(dir.Write("plain.geojson", R"({"type": "FeatureCollection", "features": [)" + square + "]}"))
                  .SourceIsWgs84LonLat());
  EXPECT_FALSE(Layer(dir.Write("fixture.geojson", kymaptest::Collection(square))).SourceIsWgs84LonLat());
  EXPECT_TRUE(Layer(dir.Write("4326.geojson", withCrs("EPSG:4326"))).SourceIsWgs84LonLat());
  EXPECT_FALSE(Layer(dir.Write("nad27.geojson", withCrs("EPSG:4267"))).SourceIsWgs84LonLat());
  EXPECT_FALSE(Layer(dir.Write("3857.geojson", withCrs("EPSG:3857"))).SourceIsWgs84LonLat());
  // What the check calls small is counted so and never drawn, an invalid
  // polygon as it is read (not repaired first); a point is not asked about.
  const std::string bowtie =
      Feature("{}", R"({"type": "Polygon", "coordinates": [[[5, 0], [6, 1], [6, 0], [5, 1], [5, 0]]]})");
  const std::string point = Feature("{}", R"({"type": "Point", "coordinates": [1, 2]})");
  Layer layer(dir.Write("w.geojson", kymaptest::Collection(square + "," + bowtie + "," + point)));
  std::vector<kymap::Extent> seen;
  layer.SetEarlyTooSmall([&](const kymap::Extent& e) {
    seen.push_back(e);
    return true;
  });
  const Read r = ReadAll(layer, "");
  EXPECT_TRUE(r.features.empty());
  ASSERT_EQ(2u, seen.size());
  EXPECT_EQ(1, seen[0].maxX);
  EXPECT_EQ(5, seen[1].minX);
  EXPECT_EQ(2, r.counts.skipped.at(kymap::SkipCauseName(kymap::SkipCause::kTooSmall)));
  EXPECT_EQ(1, r.counts.skipped.at(kymap::SkipCauseName(kymap::SkipCause::kNotPolygon)));
  EXPECT_EQ(0, r.counts.repaired);
}

std::string World() { return std::string(std::getenv("KY_TEST_DATA")) + "/../../data/naturalearth/naturalearth_lowres.shp"; }

std::string Square(double x0, double y0, double x1, double y1) {
  return R"({"type": "Polygon", "coordinates": [)" + Box(x0, y0, x1, y1) + "]}";
}

TEST(MapLayer, NumbersAreClassValuesOfTheirOwnKind) {
  kymaptest::TempDir dir;
  // Whole numbers past 2^53 stay apart; -0 is not 0; NaN is a value of its
  // own; a real is written without the driver's trailing zeros.
  const char* values[] = {"9007199254740993", "9007199254740992", "-3", "9007199254740993"};
  const char* reals[] = {"0.0", "-0.0", "NaN", "140.0", "0.1", "NaN"};
  std::string features;
  for (int i = 0; i < 6; ++i) {
    if (i) features += ",";
    features += Feature(std::string("{\"i\": ") + values[i % 4] + ", \"r\": " + reals[i] + "}", Square(i, 0, i + 1, 1));
  }
  Layer layer(dir.Write("n.geojson", kymaptest::Collection(features)));
  EXPECT_EQ(kymap::FieldKind::kInteger, layer.KindOf("i"));
  EXPECT_EQ(kymap::FieldKind::kReal, layer.KindOf("r"));
  EXPECT_EQ((std::vector<std::string>{"-3", "9007199254740992", "9007199254740993"}), layer.DistinctValues("i"));
  EXPECT_EQ((std::vector<std::string>{"-0", "0", "0.1", "140", "nan"}), layer.DistinctValues("r"));
  const Read r = ReadAll(layer, "r");
  ASSERT_EQ(6u, r.features.size());
  EXPECT_EQ("140", r.features[3].value);
  EXPECT_EQ(140, r.features[3].number);
  // As reals, 2^53 + 1 rounds to 2^53.
  EXPECT_EQ((std::vector<double>{-3, 0x1p53, 0x1p53, 0x1p53, 0x1p53, 0x1p53}), layer.NumericValues("i"));
}

TEST(MapLayer, TheExtentComesFromFeaturesThatCanBeDrawn) {
  kymaptest::TempDir dir;
  for (const char* far : {"1e308", "1e101", "Infinity"}) {
    SCOPED_TRACE(far);
    const std::string features =
        Feature("{}", Square(0, 0, 10, 10)) + "," + Feature("{}", Square(20, 5, 30, 8)) + "," +
        Feature("{}", std::string(R"({"type": "Polygon", "coordinates": [[[0, 0], [)") + far + R"(, 0], [0, 1], [0, 0]]]})");
    Layer layer(dir.Write("far.geojson", kymaptest::Collection(features)));
    const kymap::Extent e = layer.MapExtent();
    EXPECT_EQ(std::make_tuple(0.0, 0.0, 30.0, 10.0), std::make_tuple(e.minX, e.minY, e.maxX, e.maxY));
  }
}

TEST(MapLayer, AReadThatEndsEarlyIsAnErrorOrCountedAsUnreadable) {
  kymaptest::TempDir dir;
  const std::string base = std::string(std::getenv("KY_TEST_DATA")) + "/../../data/naturalearth/naturalearth_lowres";
  for (const char* ext : {".shp", ".shx", ".prj", ".dbf"}) {
    std::filesystem::copy_file(base + ext, dir.Path() + "/cut" + ext);
  }
  std::filesystem::resize_file(dir.Path() + "/cut.dbf", 11838);
  Layer layer(dir.Path() + "/cut.shp");
  try {
    ReadAll(layer, "continent");
    ADD_FAILURE() << "a damaged source read as whole";
  } catch (const MapError& e) {
    EXPECT_NE(std::string::npos, std::string(e.what()).find("stopped after 41 features of 177")) << e.what();
  }
  EXPECT_THROW(layer.DistinctValues("continent"), MapError);
  layer.SetKeepGoing(true);
  const Read r = ReadAll(layer, "continent");
  EXPECT_EQ(41, r.counts.read);
  EXPECT_EQ(136, r.counts.skipped.at("unreadable"));
}

// A GeoPackage's R-tree holds each box rounded outwards to floats: under a
// spatial filter it counts a feature that ends a hair past the filter, which
// the read rightly leaves out. That read is whole, not a damaged source.
TEST(MapLayer, AFilteredReadOfAGeoPackageIsWholeWhenItsIndexCountsMore) {
  kymaptest::TempDir dir;
  const std::string json = dir.Write(
      "near.geojson",
      kymaptest::Collection(Feature(R"({"kind": "in"})", R"({"type": "Polygon", "coordinates": [)" + Box(0, 0, 5, 5) +
                                                              "]}") +
                            "," +
                            Feature(R"({"kind": "past"})",
                                    R"({"type": "Polygon", "coordinates": [[[10.0000001, 0], [11, 0], [11, 1],)"
                                    R"( [10.0000001, 1], [10.0000001, 0]]]})")));
  const std::string gpkg = dir.Path() + "/near.gpkg";
  ASSERT_EQ(0, std::system(("ogr2ogr -f GPKG '" + gpkg + "' '" + json + "'").c_str()));
  Layer layer(gpkg);
  const kymap::Extent filter{-1, -1, 10, 10};
  layer.SetSpatialFilter(&filter);
  const Read r = ReadAll(layer, "kind");
  ASSERT_EQ(1u, r.features.size());
  EXPECT_EQ("in", r.features[0].value);
}

TEST(MapLayer, SourcesOnTheNetworkOrBehindAVirtualDriverNeedPermission) {
  kymaptest::TempDir dir;
  const std::string vrt = dir.Write("v.vrt", "<OGRVRTDataSource><OGRVRTLayer name=\"w\"><SrcDataSource>" + World() +
                                                 "</SrcDataSource></OGRVRTLayer></OGRVRTDataSource>");
  for (const std::string& name : {std::string("/vsicurl/http://127.0.0.1:9/x.geojson"),
                                  std::string("https://127.0.0.1:9/x.geojson"), vrt}) {
    SCOPED_TRACE(name);
    try {
      Layer l(name);
      ADD_FAILURE() << "opened";
    } catch (const MapError& e) {
      EXPECT_NE(std::string::npos, std::string(e.what()).find("--allow-network")) << e.what();
    }
  }
  EXPECT_NO_THROW(Layer(vrt, true));
}

TEST(MapLayer, FeaturesAreNamedByTheLayersNameField) {
  Layer world(World());
  EXPECT_EQ("name", world.NameField());
  const Read r = ReadAll(world, "");
  EXPECT_EQ("Fiji", r.features[0].name);
  EXPECT_EQ(0, r.features[0].fid);
}

// Every feature of the world lands inside the projected world, none reaches
// across it, and Web Mercator's world is its square.
TEST(MapLayer, ProjectionsCutAtTheirAntimeridianAndClipInfinitePoles) {
  struct Case {
    const char* crs;
    double half;  // half the world's width in map units
  };
  for (const Case& c : {Case{"EPSG:3857", 20037508.342789244}, Case{"+proj=robin +lon_0=150", 17005833.33052523},
                        Case{"ESRI:54030", 17005833.33052523}, Case{"EPSG:3035", 0}}) {
    SCOPED_TRACE(c.crs);
    Layer world(World());
    world.SetTargetCrs(c.crs);
    const Read r = ReadAll(world, "");
    EXPECT_EQ(177, r.counts.drawn);
    const kymap::Extent e = world.MapExtent();
    if (c.half > 0) {
      EXPECT_GE(e.minX, -c.half - 1e-3);
      EXPECT_LE(e.maxX, c.half + 1e-3);
    }
    // Only Mercator's world is bounded by a rectangle of its own.
    kymap::Extent bounds;
    EXPECT_EQ(std::string(c.crs) == "EPSG:3857", world.WorldBounds(bounds));
  }
  Layer mercator(World());
  mercator.SetTargetCrs("EPSG:3857");
  const kymap::Extent e = mercator.MapExtent();
  EXPECT_NEAR(-20037508.342789244, e.minY, 1);  // Antarctica clipped at 85.0511 degrees south
  EXPECT_NEAR(20037508.342789244, e.maxX, 1);
}

}  // namespace
