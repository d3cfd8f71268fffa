#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "KyFillStyleLib.h"
#include "KyMapJob.h"
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

}  // namespace
