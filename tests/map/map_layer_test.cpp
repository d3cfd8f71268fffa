#include <gtest/gtest.h>

#include <cmath>
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
    return true;
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
  const Read r = ReadAll(layer, "kind");
  EXPECT_EQ(9, r.counts.read);
  EXPECT_EQ(3, r.counts.drawn);
  const std::map<std::string, long long> causes = {{"not a polygon", 2},
                                                   {"invalid geometry", 2},
                                                   {"coordinates not finite or out of range", 1},
                                                   {"empty", 1}};
  EXPECT_EQ(causes, r.counts.skipped);
  ASSERT_EQ(3u, r.features.size());
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

}  // namespace
