#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "KyFillStyleLib.h"
#include "KyMapJob.h"
#include "KyMapSmooth.h"
#include "bmp_builder.h"
#include "gdipng.h"
#include "map_fixture.h"

namespace {

using kymaptest::Box;
using kymaptest::Feature;

std::string Poly(const std::string& rings) { return R"({"type": "Polygon", "coordinates": [)" + rings + "]}"; }

void AddGrid(CKyFillStyleLib& lib, long id) {
  CByteArray pattern;
  kytest::ToArray(kytest::Mono(8, 8, [](int x, int y) { return x == 0 || y == 0; }), pattern);
  ASSERT_TRUE(lib.AddFillStyle(new CKyFillStyle(id, "grid", pattern, CKyFillStyle::FS_81DPI), lib.GetStyleGroup()));
}

struct Rect {
  double x0, y0, x1, y1;  // map units; the picture is 120 x 80 pixels over 0..120 x 0..80
};

// Every kind of fill on boxes whose edges fall inside pixels: two
// neighbours of one class, a box with a hole, transparent, rate, gradient,
// hatch, and a feature of no class.
const Rect kBoxes[] = {{5.3, 5.6, 45.45, 40.2},  {45.45, 5.6, 83.7, 40.2},  {88.2, 5.6, 115.3, 40.2},
                       {95.4, 12.3, 108.6, 30.7}, {5.3, 45.5, 40.2, 75.35}, {45.45, 45.5, 80.1, 75.35},
                       {85.2, 45.5, 115.3, 75.35}};

const char* kStyles = R"({"field": "k", "default": {"style": 0, "fore": "#C0C0C0", "rate": 60, "outline": false},
  "classes": {
    "a": {"style": 500, "fore": "#1B5E20", "back": "#E8F5E9", "outline": {"colour": "#202020", "width": 0.1}},
    "b": {"style": 500, "fore": "#0D47A1", "back": "#FFFFFF", "transparent": true, "outline": false},
    "g": {"gradient": "linear", "fore": "#FF0000", "back": "#0000FF", "outline": false},
    "h": {"style": 3, "fore": "#800000", "back": "#FFF8E1", "outline": {"colour": "#000080", "width": 0.5LS}}}})";

// The scene's styles; the hatch's outline a plain line, or a line style
// whose ticks reach past the edges.
std::string Styles(bool lineStyle) {
  std::string s = kStyles;
  s.replace(s.find("LS"), 2, lineStyle ? R"(, "linestyle": 7)" : "");
  return s;
}

std::string Scene(const kymaptest::TempDir& dir) {
  auto box = [](int i) { return Box(kBoxes[i].x0, kBoxes[i].y0, kBoxes[i].x1, kBoxes[i].y1); };
  return dir.Write("scene.geojson",
                   kymaptest::Collection(Feature(R"({"k": "a"})", Poly(box(0))) + "," +
                                         Feature(R"({"k": "a"})", Poly(box(1))) + "," +
                                         Feature(R"({"k": "b"})", Poly(box(2) + "," + box(3))) + "," +
                                         Feature(R"({"k": "g"})", Poly(box(4))) + "," +
                                         Feature(R"({"k": "h"})", Poly(box(5))) + "," +
                                         Feature(R"({"k": "zz"})", Poly(box(6)))));
}

std::vector<DWORD> Draw(const std::string& data, const std::string& styles, bool antialias, int bpp = 32,
                        kymap::Align align = kymap::Align::kMap, bool section = false) {
  CKyFillStyleLib lib;
  AddGrid(lib, 500);
  std::unique_ptr<kymaptest::Screen> own =
      section ? std::make_unique<kymaptest::SectionScreen>(120, 80) : std::make_unique<kymaptest::Screen>(120, 80, bpp);
  kymaptest::Screen& screen = *own;
  CBitmap& canvas = section ? static_cast<kymaptest::SectionScreen&>(screen).section : screen.canvas;
  kymap::MapJobOptions o;
  o.data = data;
  o.extent = kymap::Extent{0, 0, 120, 80};
  o.rules = kymap::ParseStyles(styles);
  o.antialias = antialias;
  o.align = align;
  kymap::DrawMap(screen.dc, 120, 80, lib, o);
  int w = 0, h = 0;
  std::vector<DWORD> px;
  GdiGetBitmapPixels(static_cast<HBITMAP>(canvas.GetSafeHandle()), &w, &h, &px);
  return px;
}

// Whether the centre of pixel (x, y) is within reach pixels of an edge of a
// box of the scene (device y runs down from 80).
bool NearAnEdge(int x, int y, double reach) {
  const double px = x + 0.5, py = y + 0.5;
  for (const Rect& r : kBoxes) {
    const double x0 = r.x0, x1 = r.x1, y0 = 80 - r.y1, y1 = 80 - r.y0;
    const bool inside = px >= x0 && px <= x1 && py >= y0 && py <= y1;
    const double d = inside ? std::min({px - x0, x1 - px, py - y0, y1 - py})
                            : std::hypot(std::max({x0 - px, 0.0, px - x1}), std::max({y0 - py, 0.0, py - y1}));
    if (d < reach) return true;
  }
  return false;
}

TEST(MapSmooth, PixelsAwayFromEdgesAreTheModulesOwn) {
  kymaptest::TempDir dir;
  const std::string data = Scene(dir);
  for (kymap::Align align : {kymap::Align::kMap, kymap::Align::kShape}) {
    SCOPED_TRACE(static_cast<int>(align));
    const std::vector<DWORD> off = Draw(data, Styles(false), false, 32, align),
                             on = Draw(data, Styles(false), true, 32, align);
    int compared = 0, edges = 0;
    for (int y = 0; y < 80; ++y) {
      for (int x = 0; x < 120; ++x) {
        const size_t i = static_cast<size_t>(y) * 120 + x;
        if (NearAnEdge(x, y, 2.0)) {
          edges += off[i] != on[i];
          continue;
        }
        ++compared;
        EXPECT_EQ(off[i], on[i]) << "at " << x << "," << y;
      }
    }
    EXPECT_GT(compared, 6000);
    EXPECT_GT(edges, 300);  // the edges are smoothed
  }
}

// A canvas whose rows are written in place and one copied in bands give
// the same pixels, in every fill of the scene, both anchors, with line
// styles; a picture taller than a band crosses band borders inside shapes.
TEST(MapSmooth, InPlaceAndCopiedCanvasesAgree) {
  kymaptest::TempDir dir;
  const std::string data = Scene(dir);
  for (kymap::Align align : {kymap::Align::kMap, kymap::Align::kShape}) {
    for (bool lineStyle : {false, true}) {
      SCOPED_TRACE(std::to_string(static_cast<int>(align)) + (lineStyle ? " line style" : ""));
      const std::vector<DWORD> copied = Draw(data, Styles(lineStyle), true, 32, align, false),
                               inPlace = Draw(data, Styles(lineStyle), true, 32, align, true);
      ASSERT_EQ(copied.size(), inPlace.size());
      long differ = 0;
      for (size_t i = 0; i < copied.size(); ++i) differ += (copied[i] & 0xFFFFFF) != (inPlace[i] & 0xFFFFFF);
      EXPECT_EQ(0, differ);
    }
  }
}

TEST(MapSmooth, NeighboursOfOneClassShowNoSeam) {
  kymaptest::TempDir dir;
  // A border at x = 45.37, between pixels' centres, of a pattern and of a
  // solid class at a rate; the union as one feature for comparison.
  for (const char* cls : {R"("style": 500, "fore": "#1B5E20", "back": "#E8F5E9")",
                          R"("style": 0, "fore": "#3366CC", "rate": 70)"}) {
    SCOPED_TRACE(cls);
    const std::string styles =
        std::string(R"({"field": "k", "classes": {"a": {)") + cls + R"(, "outline": false}}})";
    const std::string two = dir.Write(
        "two.geojson", kymaptest::Collection(Feature(R"({"k": "a"})", Poly(Box(5.21, 5.63, 45.37, 40.29))) + "," +
                                             Feature(R"({"k": "a"})", Poly(Box(45.37, 5.63, 83.71, 40.29)))));
    const std::string one = dir.Write(
        "one.geojson", kymaptest::Collection(Feature(R"({"k": "a"})", Poly(Box(5.21, 5.63, 83.71, 40.29)))));
    const std::vector<DWORD> joined = Draw(two, styles, true), whole = Draw(one, styles, true);
    EXPECT_EQ(whole, joined);
    // Along the border, pixels equal the module's own.
    const std::vector<DWORD> off = Draw(one, styles, false);
    for (int y = 45; y < 70; ++y) {
      for (int x = 44; x <= 46; ++x) EXPECT_EQ(off[y * 120 + x], joined[y * 120 + x]) << x << "," << y;
    }
  }
}

TEST(MapSmooth, HolesStayEmptyAndOverlapsReadAsTheirUnion) {
  kymaptest::TempDir dir;
  const std::string styles = R"({"field": "k", "classes": {"a": {"style": 0, "fore": "#FF0000", "rate": 50, "outline": false}}})";
  // A square with a hole given in the same turn as the square, and two
  // overlapping squares of the class: the overlap is blended once.
  const std::string data = dir.Write(
      "holes.geojson",
      kymaptest::Collection(Feature(R"({"k": "a"})", Poly(Box(10.5, 10.5, 50.5, 50.5) + "," + Box(20.5, 20.5, 40.5, 40.5))) +
                            "," + Feature(R"({"k": "a"})", Poly(Box(60.5, 10.5, 90.5, 40.5))) + "," +
                            Feature(R"({"k": "a"})", Poly(Box(80.5, 20.5, 110.5, 50.5)))));
  const std::vector<DWORD> on = Draw(data, styles, true);
  auto at = [&](int x, int y) { return on[static_cast<size_t>(80 - y) * 120 + x] & 0xFFFFFF; };
  EXPECT_EQ(0xCCCCCCu, at(30, 30));         // the hole: paper
  const DWORD once = at(15, 15);
  EXPECT_NE(0xCCCCCCu, once);
  EXPECT_EQ(once, at(85, 30));              // the overlap: once, not twice
  EXPECT_EQ(once, at(70, 15));
}

TEST(MapSmooth, AppendFeatureTurnsOuterRingsOneWayAndHolesTheOther) {
  auto area = [](const kymap::DevicePath& p, int ring) {
    size_t at = 0;
    for (int r = 0; r < ring; ++r) at += 2 * p.sizes[r];
    double sum = 0;
    const int n = p.sizes[ring];
    for (int i = 0, j = n - 1; i < n; j = i++) {
      sum += p.xy[at + 2 * j] * p.xy[at + 2 * i + 1] - p.xy[at + 2 * i] * p.xy[at + 2 * j + 1];
    }
    return sum > 0 ? 1 : -1;
  };
  const std::vector<double> cw = {0, 0, 10, 0, 10, 10, 0, 10}, ccw = {0, 0, 0, 10, 10, 10, 10, 0};
  auto scaled = [](std::vector<double> v, double k, double d) {
    for (double& c : v) c = c * k + d;
    return v;
  };
  struct Case {
    const char* name;
    std::vector<std::vector<double>> rings;
    std::vector<int> want;
  } cases[] = {
      {"one ring, clockwise", {cw}, {1}},
      {"one ring, counter-clockwise", {ccw}, {1}},
      {"a hole of the same turn", {cw, scaled(cw, 0.5, 2)}, {1, -1}},
      {"an island in a hole", {ccw, scaled(ccw, 0.6, 2), scaled(cw, 0.2, 4)}, {1, -1, 1}},
      {"two parts side by side", {cw, scaled(ccw, 1, 20)}, {1, 1}},
      {"a ring of two points is left out", {{0, 0, 5, 5}, cw}, {1}},
  };
  for (const Case& c : cases) {
    std::vector<double> xy;
    std::vector<int> sizes;
    for (const auto& r : c.rings) {
      xy.insert(xy.end(), r.begin(), r.end());
      sizes.push_back(static_cast<int>(r.size() / 2));
    }
    kymap::DevicePath path;
    kymap::AppendFeature(path, xy, sizes);
    ASSERT_EQ(c.want.size(), path.sizes.size()) << c.name;
    for (size_t i = 0; i < c.want.size(); ++i) EXPECT_EQ(c.want[i], area(path, static_cast<int>(i))) << c.name << " ring " << i;
  }
}

TEST(MapSmooth, AnOutlineThinnerThanAPixelIsAPixelAtThatOpacity) {
  kymaptest::TempDir dir;
  // A white box whose left edge runs down the middle of column 20: the fill
  // covers half the column, then 0.1 mm (0.378 pixels at 96 dpi) of black
  // covers the whole column at 0.378 opacity.
  const std::string data =
      dir.Write("line.geojson", kymaptest::Collection(Feature(R"({"k": "a"})", Poly(Box(20.5, 10, 60, 70)))));
  const std::string styles = R"({"field": "k", "classes": {"a": {"style": 0, "fore": "#FFFFFF",
                                 "outline": {"colour": "#000000", "width": 0.1}}}})";
  const std::vector<DWORD> on = Draw(data, styles, true);
  const double alpha = 0.1 * 96 / 25.4;
  const double want = (0xCC + 0xFF) / 2.0 * (1 - alpha);
  for (int y = 20; y < 60; y += 7) {
    const DWORD p = on[static_cast<size_t>(y) * 120 + 20];
    // Each of the two blends rounds once: a unit either way.
    EXPECT_NEAR(want, p & 0xFF, 1.01) << y;
    EXPECT_EQ(p & 0xFF, (p >> 8) & 0xFF);
    EXPECT_EQ(0xCCu, on[static_cast<size_t>(y) * 120 + 18] & 0xFF);
    EXPECT_EQ(0xFFu, on[static_cast<size_t>(y) * 120 + 22] & 0xFF);
  }
}

TEST(MapSmooth, TheSmallSceneMatchesItsPicture) {
  kymaptest::TempDir dir;
  const std::vector<DWORD> got = Draw(Scene(dir), Styles(true), true);
  const std::string golden = std::string(std::getenv("KY_TEST_DATA")) + "/map/scene-smooth-32.png";
  if (std::getenv("KY_REGEN_GOLDEN")) GdiWritePngPixels(golden.c_str(), 120, 80, got.data());
  int gw = 0, gh = 0;
  std::vector<DWORD> want;
  ASSERT_TRUE(GdiReadPngPixels(golden.c_str(), &gw, &gh, &want)) << golden;
  ASSERT_EQ(120, gw);
  ASSERT_EQ(80, gh);
  long differ = 0;
  for (size_t i = 0; i < want.size(); ++i) differ += (want[i] & 0xFFFFFF) != (got[i] & 0xFFFFFF);
  if (differ) {
    std::filesystem::create_directories("test-dumps");
    GdiWritePngPixels("test-dumps/map-scene-smooth-32-actual.png", 120, 80, got.data());
    ADD_FAILURE() << differ << " pixels differ from " << golden << "; see test-dumps/map-scene-smooth-32-actual.png";
  }
}

}  // namespace
