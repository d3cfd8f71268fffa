#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "KyFillStyleLib.h"
#include <cmath>

#include "KyMapJob.h"
#include "KyMapLayer.h"
#include "KyMapView.h"
#include "bmp_builder.h"
#include "gdipng.h"
#include "map_fixture.h"

namespace {

using kymaptest::Box;
using kymaptest::Feature;

std::string Poly(const std::string& rings) { return R"({"type": "Polygon", "coordinates": [)" + rings + "]}"; }

// Grid lines on the first row and column of an 8 x 8 tile at 81 dpi: 2.5 mm.
void AddGrid(CKyFillStyleLib& lib, long id) {
  CByteArray pattern;
  kytest::ToArray(kytest::Mono(8, 8, [](int x, int y) { return x == 0 || y == 0; }), pattern);
  ASSERT_TRUE(lib.AddFillStyle(new CKyFillStyle(id, "grid", pattern, CKyFillStyle::FS_81DPI), lib.GetStyleGroup()));
}

kymap::StyleRules Rules(const std::string& json) { return kymap::ParseStyles(json); }

std::vector<DWORD> Pixels(CBitmap& b, int* w = nullptr, int* h = nullptr) {
  int width = 0, height = 0;
  std::vector<DWORD> px;
  GdiGetBitmapPixels(static_cast<HBITMAP>(b.GetSafeHandle()), &width, &height, &px);
  if (w) *w = width;
  if (h) *h = height;
  return px;
}

// The small scene: two neighbours of one class sharing the border x = 45,
// a square with a hole (the hole stays the paper's grey), a transparent
// hatch over the paper, a gradient, and a feature of no class.
const char* kSceneStyles = R"({"field": "k", "default": {"style": 0, "fore": "#C0C0C0", "outline": false},
  "classes": {
    "a": {"style": 500, "fore": "#1B5E20", "back": "#E8F5E9", "outline": {"colour": "#202020", "width": 0.1}},
    "b": {"style": 500, "fore": "#0D47A1", "back": "#FFFFFF", "transparent": true, "outline": false},
    "g": {"gradient": "linear", "fore": "#FF0000", "back": "#0000FF", "outline": false},
    "h": {"style": 3, "fore": "#800000", "back": "#FFF8E1", "rate": 100, "outline": false}}})";

std::string SceneData(const kymaptest::TempDir& dir) {
  return dir.Write(
      "scene.geojson",
      kymaptest::Collection(Feature(R"({"k": "a"})", Poly(Box(5, 5, 45, 40))) + "," +
                            Feature(R"({"k": "a"})", Poly(Box(45, 5, 83, 40))) + "," +
                            Feature(R"({"k": "b"})", Poly(Box(88, 5, 115, 40) + "," + Box(95, 12, 108, 30))) + "," +
                            Feature(R"({"k": "g"})", Poly(Box(5, 45, 40, 75))) + "," +
                            Feature(R"({"k": "h"})", Poly(Box(45, 45, 80, 75))) + "," +
                            Feature(R"({"k": "zz"})", Poly(Box(85, 45, 115, 75)))));
}

kymap::MapReport DrawScene(CDC& dc, CKyFillStyleLib& lib, const std::string& data, kymap::Align align) {
  kymap::MapJobOptions o;
  o.data = data;
  o.extent = kymap::Extent{0, 0, 120, 80};
  o.rules = Rules(kSceneStyles);
  o.align = align;
  return kymap::DrawMap(dc, 120, 80, lib, o);
}

TEST(MapJob, TheSmallSceneMatchesItsPictureInEveryDepth) {
  kymaptest::TempDir dir;
  const std::string data = SceneData(dir);
  for (int bpp : {32, 24, 16}) {
    SCOPED_TRACE(bpp);
    CKyFillStyleLib lib;
    AddGrid(lib, 500);
    kymaptest::Screen screen(120, 80, bpp);
    const kymap::MapReport report = DrawScene(screen.dc, lib, data, kymap::Align::kMap);
    EXPECT_EQ(6, report.counts.drawn);
    ASSERT_EQ(5u, report.classes.size());
    EXPECT_EQ(2, report.classes[0].features);
    EXPECT_EQ(1, report.classes[4].features);  // "zz" has no class
    int w = 0, h = 0;
    const std::vector<DWORD> got = Pixels(screen.canvas, &w, &h);
    const std::string golden = std::string(std::getenv("KY_TEST_DATA")) + "/map/scene-" + std::to_string(bpp) + ".png";
    if (std::getenv("KY_REGEN_GOLDEN")) GdiWritePngPixels(golden.c_str(), w, h, got.data());
    int gw = 0, gh = 0;
    std::vector<DWORD> want;
    ASSERT_TRUE(GdiReadPngPixels(golden.c_str(), &gw, &gh, &want)) << golden;
    ASSERT_EQ(gw, w);
    ASSERT_EQ(gh, h);
    long differ = 0;
    for (size_t i = 0; i < want.size(); ++i) differ += want[i] != got[i];
    if (differ) {
      std::filesystem::create_directories("test-dumps");
      const std::string actual = "test-dumps/map-scene-" + std::to_string(bpp) + "-actual.png";
      GdiWritePngPixels(actual.c_str(), w, h, got.data());
      ADD_FAILURE() << differ << " pixels differ from " << golden << "; see " << actual;
    }
    // Exact rules the picture must keep: the hole is untouched paper, the
    // transparent hatch leaves the paper between its lines.
    EXPECT_EQ(screen.dc.GetPixel(0, 0), screen.dc.GetPixel(100, 80 - 20));
  }
}

TEST(MapJob, AMapAnchorContinuesThePatternAcrossASharedBorder) {
  kymaptest::TempDir dir;
  const char* styles = R"({"field": "k", "classes": {"a": {"style": 500, "outline": false}}})";
  const std::string two = dir.Write("two.geojson", kymaptest::Collection(Feature(R"({"k": "a"})", Poly(Box(5, 5, 45, 40))) +
                                                                         "," + Feature(R"({"k": "a"})", Poly(Box(45, 5, 83, 40)))));
  const std::string one = dir.Write("one.geojson", kymaptest::Collection(Feature(R"({"k": "a"})", Poly(Box(5, 5, 83, 40)))));
  auto draw = [&](const std::string& data, kymap::Align align) {
    CKyFillStyleLib lib;
    AddGrid(lib, 500);
    kymaptest::Screen screen(120, 80);
    kymap::MapJobOptions o;
    o.data = data;
    o.extent = kymap::Extent{0, 0, 120, 80};
    o.rules = Rules(styles);
    o.align = align;
    kymap::DrawMap(screen.dc, 120, 80, lib, o);
    return Pixels(screen.canvas);
  };
  // Anchored to the map, two neighbours look exactly like one shape.
  EXPECT_EQ(draw(one, kymap::Align::kMap), draw(two, kymap::Align::kMap));
  EXPECT_NE(draw(one, kymap::Align::kShape), draw(two, kymap::Align::kShape));
}

// The distance between the left edges of the grid lines on a row between
// two horizontal lines.
std::vector<int> Periods(CDC& dc, int y, int from, int to) {
  std::vector<int> lines, periods;
  for (int x = from + 1; x < to; ++x) {
    if (dc.GetPixel(x, y) == RGB(0, 0, 0) && dc.GetPixel(x - 1, y) != RGB(0, 0, 0)) lines.push_back(x);
  }
  for (size_t i = 1; i < lines.size(); ++i) periods.push_back(lines[i] - lines[i - 1]);
  return periods;
}

TEST(MapJob, APatternKeepsItsPhysicalSizeAtEveryResolution) {
  kymaptest::TempDir dir;
  const std::string data =
      dir.Write("sq.geojson", kymaptest::Collection(Feature(R"({"k": "a"})", Poly(Box(0, 0, 100, 100)))));
  const char* styles = R"({"field": "k", "classes": {"a": {"style": 500, "fore": "#000000", "outline": false}}})";
  // 8 pixels at 81 dpi are 2.5 mm: 9.45 pixels at 96 dpi, 29.5 at 300.
  for (const auto& [dpi, lo, hi] : {std::tuple{96, 9, 10}, std::tuple{300, 29, 30}}) {
    SCOPED_TRACE(dpi);
    CKyFillStyleLib lib;
    AddGrid(lib, 500);
    kymaptest::Screen screen(400, 400, 32, dpi);
    kymap::MapJobOptions o;
    o.data = data;
    o.extent = kymap::Extent{0, 0, 100, 100};
    o.rules = Rules(styles);
    kymap::DrawMap(screen.dc, 400, 400, lib, o);
    // A row between two horizontal lines: the one with the fewest black pixels.
    int row = 150, fewest = 401;
    for (int y = 150; y < 250; ++y) {
      int black = 0;
      for (int x = 0; x < 400; ++x) black += screen.dc.GetPixel(x, y) == RGB(0, 0, 0);
      if (black < fewest) fewest = black, row = y;
    }
    const std::vector<int> periods = Periods(screen.dc, row, 0, 400);
    ASSERT_GE(periods.size(), 10u);
    for (int p : periods) {
      EXPECT_GE(p, lo);
      EXPECT_LE(p, hi);
    }
  }
}

TEST(MapJob, AHoleStaysEmptyLesothoInsideSouthAfrica) {
  const std::string world = std::string(std::getenv("KY_TEST_DATA")) + "/../../data/naturalearth/naturalearth_lowres.shp";
  CKyFillStyleLib lib;
  kymaptest::Screen screen(300, 300);
  kymap::MapJobOptions o;
  o.data = world;
  o.extent = kymap::Extent{27, -31, 30, -28};  // 100 pixels a degree
  o.rules = Rules(R"({"field": "name", "default": {"style": 1, "outline": false},
                      "classes": {"South Africa": {"style": 0, "fore": "#FF0000", "outline": false}}})");
  const kymap::MapReport r = kymap::DrawMap(screen.dc, 300, 300, lib, o);
  EXPECT_EQ(177, r.counts.read);
  EXPECT_EQ(1, r.classes[0].features);
  EXPECT_EQ(RGB(0xCC, 0xCC, 0xCC), screen.dc.GetPixel(125, 160));  // Maseru's side of Lesotho: the hole
  EXPECT_EQ(RGB(0xFF, 0x00, 0x00), screen.dc.GetPixel(280, 30));   // KwaZulu-Natal
}

TEST(MapJob, AStyleTheLibraryLacksIsNamed) {
  kymaptest::TempDir dir;
  CKyFillStyleLib lib;
  AddGrid(lib, 500);
  kymaptest::Screen screen(40, 40);
  kymap::MapJobOptions o;
  o.data = dir.Write("sq.geojson", kymaptest::Collection(Feature(R"({"k": "a"})", Poly(Box(0, 0, 1, 1)))));
  o.rules = Rules(R"({"field": "k", "classes": {"a": {"style": 77}}})");
  try {
    kymap::DrawMap(screen.dc, 40, 40, lib, o);
    ADD_FAILURE() << "drawn";
  } catch (const kymap::MapError& e) {
    EXPECT_STREQ("style 77 is not in the library", e.what());
  }
  o.rules = Rules(R"({"field": "nosuch", "classes": {"a": {"style": 500}}})");
  EXPECT_THROW(kymap::DrawMap(screen.dc, 40, 40, lib, o), kymap::MapError);
}

// Invalid rings are drawn as what they mean: the same pixels as the valid
// shapes they are repaired into.
TEST(MapJob, InvalidPolygonsAreDrawnAsTheirRepairedShapes) {
  struct Case {
    const char* name;
    std::string invalid, valid;
  };
  const std::vector<Case> cases = {
      {"bow-tie", R"({"type": "Polygon", "coordinates": [[[10, 10], [70, 70], [70, 10], [10, 70], [10, 10]]]})",
       R"({"type": "MultiPolygon", "coordinates": [[[[10, 10], [40, 40], [10, 70], [10, 10]]],
                                                  [[[70, 10], [70, 70], [40, 40], [70, 10]]]]})"},
      {"spike", R"({"type": "Polygon", "coordinates": [[[10, 10], [60, 10], [60, 30], [75, 30], [60, 30], [60, 60], [10, 60], [10, 10]]]})",
       Poly(Box(10, 10, 60, 60))},
      {"ring touching itself",
       R"({"type": "Polygon", "coordinates": [[[10, 10], [70, 10], [70, 70], [40, 70], [55, 40], [25, 40], [40, 70], [10, 70], [10, 10]]]})",
       R"({"type": "Polygon", "coordinates": [[[10, 10], [70, 10], [70, 70], [10, 70], [10, 10]], [[40, 70], [55, 40], [25, 40], [40, 70]]]})"},
      {"duplicate points", R"({"type": "Polygon", "coordinates": [[[10, 10], [10, 10], [60, 10], [60, 60], [60, 60], [10, 60], [10, 10]]]})",
       Poly(Box(10, 10, 60, 60))},
  };
  kymaptest::TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto draw = [&](const std::string& geometry, kymap::MapReport* report) {
      CKyFillStyleLib lib;
      AddGrid(lib, 500);
      kymaptest::Screen screen(80, 80);
      kymap::MapJobOptions o;
      o.data = dir.Write("g.geojson", kymaptest::Collection(Feature(R"({"k": "a", "name": "Atlantis"})", geometry)));
      o.extent = kymap::Extent{0, 0, 80, 80};
      o.rules = Rules(R"({"field": "k", "classes": {"a": {"style": 500, "fore": "#000000"}}})");
      const kymap::MapReport r = kymap::DrawMap(screen.dc, 80, 80, lib, o);
      if (report) *report = r;
      return Pixels(screen.canvas);
    };
    kymap::MapReport report;
    EXPECT_EQ(draw(c.valid, nullptr), draw(c.invalid, &report));
    EXPECT_EQ(1, report.counts.drawn);
    if (std::string(c.name) != "duplicate points") {
      EXPECT_EQ(1, report.counts.repaired);
      ASSERT_EQ(1u, report.counts.notes.size());
      EXPECT_EQ("Atlantis", report.counts.notes[0].name);
      EXPECT_EQ(0, report.counts.notes[0].fid);
      EXPECT_NE(std::string::npos, report.ToJson().find("\"what\": \"repaired\""));
    }
  }
}

// One polygon that crosses the antimeridian of a map centred on 150 degrees
// east: cut there, its two halves lie at the two edges of the map and
// nothing of it crosses the middle.
TEST(MapJob, APolygonAcrossTheAntimeridianIsCutNotSmeared) {
  kymaptest::TempDir dir;
  const std::string data = dir.Write(
      "g.geojson", R"({"type": "FeatureCollection", "features": [)" + Feature("{}", Poly(Box(-60, 60, -10, 80))) + "]}");
  CKyFillStyleLib lib;
  kymaptest::Screen screen(400, 200);
  kymap::MapJobOptions o;
  o.data = data;
  o.crs = "+proj=robin +lon_0=150";
  o.extent = kymap::Extent{-17100000, -8700000, 17100000, 8700000};
  o.rules = Rules(R"({"default": {"style": 0, "fore": "#000000", "outline": false}})");
  const kymap::MapReport r = kymap::DrawMap(screen.dc, 400, 200, lib, o);
  EXPECT_EQ(1, r.counts.drawn);
  int left = 0, middle = 0, right = 0;
  for (int y = 0; y < 200; ++y) {
    for (int x = 0; x < 400; ++x) {
      if (screen.dc.GetPixel(x, y) != RGB(0, 0, 0)) continue;
      (x < 100 ? left : x >= 300 ? right : middle)++;
    }
  }
  EXPECT_GT(left, 50);
  EXPECT_GT(right, 50);
  EXPECT_EQ(0, middle);
}

TEST(MapJob, EveryCountryIsDrawnInEveryProjection) {
  const std::string world = std::string(std::getenv("KY_TEST_DATA")) + "/../../data/naturalearth/naturalearth_lowres.shp";
  for (const char* crs : {"", "EPSG:3035", "EPSG:3857", "ESRI:54030", "+proj=robin +lon_0=150"}) {
    SCOPED_TRACE(crs);
    // Each country inside its own largest ring: a point on that ring's
    // surface is drawn (countries smaller than a pixel at least one pixel).
    std::vector<std::pair<double, double>> inside;
    {
      kymap::Layer layer(world);
      if (*crs) layer.SetTargetCrs(crs);
      kymap::FeatureCounts counts;
      layer.ForEachPolygon("", [&](const kymap::PolygonFeature& f) {
        size_t at = 0, best = 0, bestSize = 0;
        for (size_t i = 0, from = 0; i < f.ringSizes.size(); from += 2 * f.ringSizes[i], ++i) {
          if (static_cast<size_t>(f.ringSizes[i]) > bestSize) bestSize = f.ringSizes[i], best = from;
        }
        (void)at;
        // The middle of the widest span of the ring on the row through the
        // middle of its bounds.
        double lo = HUGE_VAL, hi = -HUGE_VAL;
        for (size_t k = 0; k < bestSize; ++k) lo = std::min(lo, f.xy[best + 2 * k + 1]), hi = std::max(hi, f.xy[best + 2 * k + 1]);
        const double row = (lo + hi) / 2 + (hi - lo) * 1e-7;
        std::vector<double> xs;
        for (size_t k = 0; k + 1 < bestSize; ++k) {
          const double x0 = f.xy[best + 2 * k], y0 = f.xy[best + 2 * k + 1];
          const double x1 = f.xy[best + 2 * k + 2], y1 = f.xy[best + 2 * k + 3];
          if ((y0 <= row) != (y1 <= row)) xs.push_back(x0 + (row - y0) * (x1 - x0) / (y1 - y0));
        }
        std::sort(xs.begin(), xs.end());
        double widest = -1, mid = 0;
        for (size_t k = 0; k + 1 < xs.size(); k += 2) {
          if (xs[k + 1] - xs[k] > widest) widest = xs[k + 1] - xs[k], mid = (xs[k] + xs[k + 1]) / 2;
        }
        if (widest >= 0) inside.emplace_back(mid, row);
        return kymap::Layer::Drawn::kDrawn;
      }, counts);
    }
    ASSERT_EQ(177u, inside.size());
    CKyFillStyleLib lib;
    kymaptest::Screen screen(1600, 800);
    kymap::MapJobOptions o;
    o.data = world;
    o.crs = crs;
    o.minSize = 1;
    o.rules = Rules(R"({"default": {"style": 0, "fore": "#000000", "outline": false}})");
    const kymap::MapReport r = kymap::DrawMap(screen.dc, 1600, 800, lib, o);
    EXPECT_EQ(177, r.counts.drawn);
    const kymap::MapView view(r.extent, 1600, 800);
    int missing = 0;
    for (const auto& [x, y] : inside) {
      const int px = static_cast<int>(view.DeviceX(x)), py = static_cast<int>(view.DeviceY(y));
      bool found = false;
      for (int dy = -1; dy <= 1 && !found; ++dy) {
        for (int dx = -1; dx <= 1 && !found; ++dx) found = screen.dc.GetPixel(px + dx, py + dy) == RGB(0, 0, 0);
      }
      missing += !found;
    }
    EXPECT_EQ(0, missing);
  }
}

kymap::MapJobOptions WorldByContinent() {
  kymap::MapJobOptions o;
  o.data = std::string(std::getenv("KY_TEST_DATA")) + "/../../data/naturalearth/naturalearth_lowres.shp";
  o.classifyBy = "continent";
  return o;
}

// The legend stands beside the map, never on it: in every size of picture,
// no pixel of the map area lies under the legend.
TEST(MapJob, TheLegendStandsBesideTheMap) {
  struct Case {
    int width, height;
    const char* place;
  };
  // A map wider than its picture keeps the width and takes the legend below;
  // a picture too small for the legend in millimetres says so.
  for (const Case& c : {Case{400, 250, "none"}, Case{1123, 794, "below"}, Case{800, 1000, "below"},
                        Case{1600, 500, "right"}}) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    CKyFillStyleLib lib;
    lib.CreateDefault();
    kymaptest::Screen screen(c.width, c.height);
    kymap::MapJobOptions o = WorldByContinent();
    o.legend = kymap::LegendPlace::kBeside;
    const kymap::MapReport r = kymap::DrawMap(screen.dc, c.width, c.height, lib, o);
    EXPECT_EQ(c.place, r.legend);
    EXPECT_EQ(8u, r.legendEntries);
    EXPECT_EQ(r.legend == std::string("none"), r.legendDidNotFit);
    // The map area and the legend's panel split the picture.
    if (r.legend == std::string("none")) {
      EXPECT_EQ(CRect(0, 0, c.width, c.height), r.mapArea);
    } else if (r.legend == std::string("right")) {
      EXPECT_EQ(c.height, r.mapArea.bottom);
      EXPECT_LT(r.mapArea.right, c.width);
    } else {
      EXPECT_EQ(c.width, r.mapArea.right);
      EXPECT_LT(r.mapArea.bottom, c.height);
    }
  }
}

TEST(MapJob, ALegendInsideTakesTheEmptiestCorner) {
  kymaptest::TempDir dir;
  // Data in the lower left and upper right quarters: the upper left is empty.
  const std::string data = dir.Write(
      "q.geojson", kymaptest::Collection(Feature(R"({"k": "a"})", Poly(Box(0, 0, 50, 50))) + "," +
                                         Feature(R"({"k": "a"})", Poly(Box(50, 50, 100, 100))) + "," +
                                         Feature(R"({"k": "a"})", Poly(Box(50, 0, 100, 30)))));
  CKyFillStyleLib lib;
  AddGrid(lib, 500);
  kymaptest::Screen screen(400, 400);
  screen.dc.FillSolidRect(0, 0, 400, 400, RGB(0xFF, 0xFF, 0xFF));
  kymap::MapJobOptions o;
  o.data = data;
  o.extent = kymap::Extent{0, 0, 100, 100};
  o.rules = Rules(R"({"field": "k", "classes": {"a": {"style": 500, "outline": false}}})");
  o.legend = kymap::LegendPlace::kInside;
  const std::vector<DWORD> before = [&] {
    kymaptest::Screen plain(400, 400);
    plain.dc.FillSolidRect(0, 0, 400, 400, RGB(0xFF, 0xFF, 0xFF));
    kymap::MapJobOptions p = o;
    p.legend = kymap::LegendPlace::kNone;
    kymap::DrawMap(plain.dc, 400, 400, lib, p);
    return Pixels(plain.canvas);
  }();
  const kymap::MapReport r = kymap::DrawMap(screen.dc, 400, 400, lib, o);
  EXPECT_EQ("inside", r.legend);
  // Only the upper left quarter changed.
  const std::vector<DWORD> after = Pixels(screen.canvas);
  int changed = 0, outside = 0;
  for (int y = 0; y < 400; ++y) {
    for (int x = 0; x < 400; ++x) {
      if (before[y * 400 + x] == after[y * 400 + x]) continue;
      ++changed;
      outside += x >= 200 || y >= 200;
    }
  }
  EXPECT_GT(changed, 100);
  EXPECT_EQ(0, outside);
}

TEST(MapJob, ALegendThatDoesNotFitIsSaidAndCanBeAPictureOfItsOwn) {
  CKyFillStyleLib lib;
  lib.CreateDefault();
  kymaptest::Screen screen(400, 250);
  kymap::MapJobOptions o = WorldByContinent();
  o.classifyBy = "name";
  o.legend = kymap::LegendPlace::kBeside;
  kymaptest::Screen own(2000, 2000);
  CSize asked(0, 0);
  o.legendPicture = [&](int w, int h) -> CDC* {
    asked = CSize(w, h);
    return &own.dc;
  };
  const std::vector<DWORD> plain = [&] {
    kymaptest::Screen p(400, 250);
    kymap::MapJobOptions q = o;
    q.legend = kymap::LegendPlace::kNone;
    q.legendPicture = nullptr;
    kymap::DrawMap(p.dc, 400, 250, lib, q);
    return Pixels(p.canvas);
  }();
  const kymap::MapReport r = kymap::DrawMap(screen.dc, 400, 250, lib, o);
  EXPECT_TRUE(r.legendDidNotFit);
  EXPECT_EQ("none", r.legend);
  EXPECT_EQ(177u, r.legendEntries);
  EXPECT_EQ(plain, Pixels(screen.canvas));  // the map is whole, with no legend on it
  // The legend's own picture: columns of at most an A4 page's height.
  EXPECT_GT(asked.cx, 0);
  EXPECT_LE(asked.cy, static_cast<int>(std::lround(297 / 25.4 * 96)));
}

TEST(MapJob, ASwatchShowsAWholeTileOfItsPatternCentred) {
  // A 66 x 66 grid at 81 dpi: 77 or 78 pixels on a 96 dpi screen.
  CKyFillStyleLib lib;
  CByteArray pattern;
  kytest::ToArray(kytest::Mono(66, 66, [](int x, int y) { return x == 0 || y == 0; }), pattern);
  ASSERT_TRUE(lib.AddFillStyle(new CKyFillStyle(600, "big", pattern, CKyFillStyle::FS_81DPI), lib.GetStyleGroup()));
  kymaptest::Screen screen(300, 200);
  kymap::MapPainter painter(screen.dc, lib, kymap::Align::kMap, false);
  kymap::FillSpec spec;
  spec.style = 600;
  spec.fore = RGB(0, 0, 0);
  const int cls = painter.AddClass(spec);
  const CSize size = painter.SwatchSize(cls, CSize(34, 19));
  EXPECT_GE(size.cx, 79);
  EXPECT_GE(size.cy, 79);
  const CRect rect(10, 10, 10 + size.cx, 10 + size.cy);
  painter.Swatch(cls, rect);
  // The tile's grid line stands where the centred tile starts: (10 + 90 -
  // 78) / 2; the swatch's frame covers the next, one tile on.
  std::vector<int> columns;
  for (int x = rect.left + 1; x < rect.right - 1; ++x) {
    if (screen.dc.GetPixel(x, rect.top + size.cy / 2 + 3) == RGB(0, 0, 0)) columns.push_back(x);
  }
  EXPECT_EQ(80, size.cx);
  EXPECT_EQ(std::vector<int>{11}, columns);
}

TEST(MapJob, ABlankMapIsAnErrorThatSaysWhy) {
  kymaptest::TempDir dir;
  CKyFillStyleLib lib;
  kymaptest::Screen screen(40, 40);
  kymap::MapJobOptions o;
  o.data = dir.Write("lines.geojson",
                     kymaptest::Collection(Feature("{}", R"({"type": "LineString", "coordinates": [[0, 0], [1, 1]]})") +
                                           "," + Feature("{}", R"({"type": "Point", "coordinates": [0, 0]})")));
  o.extent = kymap::Extent{0, 0, 10, 10};
  try {
    kymap::DrawMap(screen.dc, 40, 40, lib, o);
    ADD_FAILURE() << "a blank map drawn";
  } catch (const kymap::MapError& e) {
    EXPECT_STREQ("the layer 'lines' has no polygons to draw (2 features read; --allow-empty draws the blank map)",
                 e.what());
  }
  o.data = dir.Write("far.geojson", kymaptest::Collection(Feature("{}", Poly(Box(100, 100, 101, 101)))));
  try {
    kymap::DrawMap(screen.dc, 40, 40, lib, o);
    ADD_FAILURE() << "a blank map drawn";
  } catch (const kymap::MapError& e) {
    EXPECT_STREQ("nothing of the layer 'far' lies inside the extent (1 features outside it or smaller than a pixel; "
                 "--allow-empty draws the blank map)",
                 e.what());
  }
  o.allowEmpty = true;
  EXPECT_EQ(0, kymap::DrawMap(screen.dc, 40, 40, lib, o).counts.drawn);
}

TEST(MapJob, FeaturesSmallerThanAPixelAreCountedAndCanBeDrawn) {
  kymaptest::TempDir dir;
  CKyFillStyleLib lib;
  kymap::MapJobOptions o;
  o.data = dir.Write("s.geojson", kymaptest::Collection(Feature("{}", Poly(Box(0, 0, 40, 40))) + "," +
                                                        Feature("{}", Poly(Box(20.1, 50.1, 20.2, 50.2))) + "," +
                                                        Feature("{}", Poly(Box(10, 60.1, 30, 60.3)))));
  o.extent = kymap::Extent{0, 0, 80, 80};
  o.rules = Rules(R"({"default": {"style": 0, "fore": "#000000", "outline": false}})");
  kymaptest::Screen screen(80, 80);
  const kymap::MapReport r = kymap::DrawMap(screen.dc, 80, 80, lib, o);
  EXPECT_EQ(1, r.counts.drawn);
  EXPECT_EQ(2, r.counts.skipped.at("smaller than a pixel"));
  EXPECT_EQ(0u, r.counts.skipped.count("outside the extent"));
  o.minSize = 1;
  kymaptest::Screen at(80, 80);
  EXPECT_EQ(3, kymap::DrawMap(at.dc, 80, 80, lib, o).counts.drawn);
  EXPECT_EQ(RGB(0, 0, 0), at.dc.GetPixel(20, 29));  // the dot, a pixel at its centre
  EXPECT_EQ(RGB(0xCC, 0xCC, 0xCC), at.dc.GetPixel(21, 29));
}

TEST(MapJob, TheGraticuleFollowsTheMeridians) {
  CKyFillStyleLib lib;
  kymaptest::Screen screen(720, 360);
  kymap::MapJobOptions o = WorldByContinent();
  o.classifyBy.clear();
  o.extent = kymap::Extent{-180, -90, 180, 90};
  o.graticule = 30;
  o.rules = Rules(R"({"default": {"style": 1, "outline": false}})");
  kymap::DrawMap(screen.dc, 720, 360, lib, o);
  // Two pixels a degree: the meridian of 0 at x = 360, the parallel of 30 S
  // at y = 240; the middle of a cell is paper.
  EXPECT_EQ(RGB(0xB4, 0xB4, 0xB4), screen.dc.GetPixel(360, 300));
  EXPECT_EQ(RGB(0xB4, 0xB4, 0xB4), screen.dc.GetPixel(100, 240));
  EXPECT_EQ(RGB(0xCC, 0xCC, 0xCC), screen.dc.GetPixel(390, 270));
}

}  // namespace

// The bar is redrawn in place; Finish ends its line so that a summary
// starts on a line of its own, and an unfinished bar is wiped.
TEST(MapJob, TheProgressBarEndsItsLine) {
  struct Case {
    const char* name;
    bool finish;
    std::string out;
  } cases[] = {
      {"finished", true,
       "\r[###############               ]  50% 1/2 features\r[##############################] 100% 2/2 features\n"},
      {"left unfinished", false,
       "\r[###############               ]  50% 1/2 features\r[##############################] 100% 2/2 features"
       "\r" + std::string(50, ' ') + "\r"},
  };
  for (const Case& c : cases) {
    char* text = nullptr;
    size_t size = 0;
    std::FILE* terminal = open_memstream(&text, &size);
    ASSERT_TRUE(terminal);
    {
      kymap::TerminalProgress bar(terminal, std::chrono::milliseconds(0), std::chrono::milliseconds(0));
      bar.Update(1, 2);
      bar.Update(2, 2);
      if (c.finish) {
        bar.Finish();
        bar.Update(2, 2);  // nothing more after the end
      }
    }
    std::fclose(terminal);
    EXPECT_EQ(std::string(text, size), c.out) << c.name;
    std::free(text);
  }
}
