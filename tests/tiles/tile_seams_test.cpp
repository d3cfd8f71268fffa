// Seamless tiles: any two neighbouring tiles, side by side, are the picture
// of both drawn at once, pixel for pixel (compared as their PNG bytes), for
// patterns of 6, 7, 9 and 12 pixels, a symbol pattern, hatches and
// outlines, at scale 1 and 2, across tile and metatile borders.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>

#include "KyFillStyleLib.h"
#include "KyTilePng.h"
#include "KyTileRenderer.h"
#include "KyVuv50.h"
#include "bmp_builder.h"
#include "lib_builder.h"
#include "map_fixture.h"

namespace {

using kytiles::Metatile;
using kytiles::PictureFrame;
using kytiles::TileId;
using kytiles::TileRange;

constexpr int kZoom = 3;
constexpr int kTile = 256;  // at scale 1
constexpr long kFirstOwn = 9001;

// Web Mercator metres of a world pixel at zoom 3 of 256-pixel tiles.
double Mx(double px) { return px / (kTile << kZoom) * 2 * kytiles::kWorldHalf - kytiles::kWorldHalf; }
double My(double py) { return kytiles::kWorldHalf - py / (kTile << kZoom) * 2 * kytiles::kWorldHalf; }

std::string Ring(std::initializer_list<std::pair<double, double>> pixels) {
  std::string out = "[";
  for (const auto& [x, y] : pixels) {
    char text[80];
    std::snprintf(text, sizeof text, "[%.3f, %.3f], ", Mx(x), My(y));
    out += text;
  }
  const auto& [x, y] = *pixels.begin();
  char text[80];
  std::snprintf(text, sizeof text, "[%.3f, %.3f]]", Mx(x), My(y));
  return out + text;
}

std::string Polygon(const std::string& kind, const std::string& rings) {
  return kymaptest::Feature(R"({"kind": ")" + kind + R"("})", R"({"type": "Polygon", "coordinates": [)" + rings + "]}");
}

// Shapes over tiles 2..5 of zoom 3 (pixels 512..1536), with borders on and
// off the tile and metatile lines, sharing edges, slanted, with a hole.
std::string Layer() {
  return kymaptest::Collection(
      Polygon("six", Ring({{530.3, 540.7}, {1020.2, 545.1}, {1030.6, 790.4}, {520.9, 770.2}})) + "," +
      Polygon("seven", Ring({{1020.2, 545.1}, {1500.4, 530.0}, {1490.8, 1010.3}, {1030.6, 790.4}})) + "," +
      Polygon("nine", Ring({{520.9, 770.2}, {1030.6, 790.4}, {1010.1, 1300.6}, {560.5, 1290.0}}) + "," +
              Ring({{700.5, 900.5}, {820.2, 905.0}, {760.7, 1100.9}})) + "," +
      Polygon("twelve", Ring({{1030.6, 790.4}, {1490.8, 1010.3}, {1520.0, 1520.0}, {1010.1, 1300.6}})) + "," +
      Polygon("symbol", Ring({{600.0, 1300.0}, {1000.0, 1310.0}, {1100.0, 1530.0}, {640.0, 1500.0}})) + "," +
      Polygon("hatch", Ring({{1200.0, 600.0}, {1400.0, 620.0}, {1350.0, 1000.0}})) + "," +
      Polygon("other", Ring({{768.0, 768.0}, {780.0, 768.0}, {780.0, 1200.0}})));
}

// The built-in library with bitmap patterns of 6, 7, 9 and 12 pixels at 96
// dpi added, and a symbol pattern of stars; the id of the symbol pattern.
long OwnLibrary(CKyFillStyleLib& lib) {
  EXPECT_TRUE(lib.CreateDefault());
  const int sizes[] = {6, 7, 9, 12};
  for (int i = 0; i < 4; ++i) {
    const int n = sizes[i];
    CByteArray pattern;
    kytest::ToArray(kytest::Mono(n, n, [n](int x, int y) { return x == 0 || y == n - 1 || x == y; }), pattern);
    auto* s = new CKyFillStyle(kFirstOwn + i, "own", pattern, CKyFillStyle::FS_96DPI);
    EXPECT_TRUE(lib.AddFillStyle(s, lib.GetStyleGroup()));
  }
  CKySymLib samples = KySampleSymbols();
  auto* star = new CKySymbol;
  *star = *samples.GetSymbol(kySampleStar);
  const long symbol = lib.AddSymbol(star);
  EXPECT_GE(symbol, 0);
  CKyFillStyle* stars = kytest::AddVector(lib, kFirstOwn + 4, "stars", symbol);
  stars->GetFillStyleVector()->AddPoint(CPoint(10, 70));
  return kFirstOwn + 4;
}

kymap::StyleRules Rules(long symbol, bool transparent) {
  kymap::StyleRules rules;
  rules.field = "kind";
  const auto add = [&](const char* kind, long style, COLORREF fore, double outlineMm) {
    kymap::FillSpec s;
    s.style = style;
    s.fore = fore;
    s.transparent = transparent;
    s.outline.visible = outlineMm > 0;
    s.outline.widthMm = outlineMm;
    rules.classes.push_back({kind, s});
  };
  add("six", kFirstOwn, RGB(0xB2, 0x3A, 0x12), 0.3);
  add("seven", kFirstOwn + 1, RGB(0x2E, 0x7D, 0x32), 0.1);
  add("nine", kFirstOwn + 2, RGB(0x15, 0x65, 0xC0), 1.0);
  add("twelve", kFirstOwn + 3, RGB(0x6A, 0x1B, 0x9A), 0);
  add("symbol", symbol, RGB(0x00, 0x00, 0x00), 0.2);
  add("hatch", 4, RGB(0x80, 0x40, 0x00), 0.1);
  rules.Index();
  return rules;
}

// The tile's square of a picture, encoded as the renderer encodes tiles;
// empty when the square is all background (white).
std::vector<uint8_t> Cut(const kytiles::TileRenderer& r, const PictureFrame& f, const TileId& t, int tp) {
  const int64_t left = t.x * tp - f.px0, top = t.y * tp - f.py0;
  const uint32_t* first = r.Pixels() + top * r.Stride() + left;
  bool blank = true;
  for (int y = 0; y < tp && blank; ++y) {
    for (int x = 0; x < tp && blank; ++x) blank = (first[y * r.Stride() + x] & 0xFFFFFF) == 0xFFFFFF;
  }
  return blank ? std::vector<uint8_t>() : kytiles::EncodePng(first, r.Stride(), tp, tp);
}

struct Case {
  const char* name;
  int scale;
  bool transparent;
  bool antialias;
};

TEST(TileSeams, NeighboursEqualOnePictureOfBoth) {
  const Case cases[] = {{"scale 1", 1, false, false},
                        {"scale 2", 2, false, false},
                        {"scale 1, transparent", 1, true, false},
                        {"scale 2, transparent", 2, true, false},
                        {"scale 1, smooth", 1, false, true},
                        {"scale 2, smooth", 2, false, true},
                        {"scale 2, transparent, smooth", 2, true, true}};
  kymaptest::TempDir dir;
  const std::string data = dir.Write("shapes.geojson", Layer());
  CKyFillStyleLib lib;
  const long symbol = OwnLibrary(lib);
  const TileRange range{2, 2, 5, 5};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    kytiles::TileSetup setup;
    setup.data = data;
    setup.rules = Rules(symbol, c.transparent);
    setup.scale = c.scale;
    setup.antialias = c.antialias;
    setup.metatile = 2;  // metatile borders between tiles 3 and 4
    kytiles::TileRenderer renderer(setup, lib);
    const int tp = setup.TilePixels();

    std::map<std::pair<int64_t, int64_t>, std::vector<uint8_t>> tiles;
    long long drawn = 0;
    for (const Metatile& m : kytiles::MetatilesOf(kZoom, range, setup.metatile)) {
      kytiles::DrawCounts counts;
      for (auto& t : renderer.Render(m, range, counts)) tiles[{t.id.x, t.id.y}] = std::move(t.png);
      drawn += counts.features.drawn;
    }
    ASSERT_EQ(16u, tiles.size());
    EXPECT_GT(drawn, 7);

    // Each pair drawn at once, in a picture that starts at an odd place.
    int compared = 0;
    for (int64_t y = range.y0; y <= range.y1; ++y) {
      for (int64_t x = range.x0; x <= range.x1; ++x) {
        for (const auto& [dx, dy] : {std::pair<int, int>{1, 0}, {0, 1}}) {
          if (x + dx > range.x1 || y + dy > range.y1) continue;
          PictureFrame both;
          both.z = kZoom;
          both.tilePixels = tp;
          both.px0 = x * tp - 37;
          both.py0 = y * tp - 29;
          both.width = (1 + dx) * tp + 37 + 41;
          both.height = (1 + dy) * tp + 29 + 23;
          kytiles::DrawCounts counts;
          renderer.Draw(both, counts);
          const TileId a{kZoom, x, y}, b{kZoom, x + dx, y + dy};
          const std::string where = std::to_string(x) + "," + std::to_string(y) + (dx ? " and east" : " and south");
          const bool sameA = tiles[{a.x, a.y}] == Cut(renderer, both, a, tp);
          EXPECT_TRUE(sameA) << "tile " << where;
          const bool sameB = tiles[{b.x, b.y}] == Cut(renderer, both, b, tp);
          EXPECT_TRUE(sameB) << "its neighbour " << where;
          ++compared;
        }
      }
    }
    EXPECT_EQ(24, compared);
  }
}

// The anti-aliased route: a metatile's east column of tiles, drawn in the
// metatile and in a picture of it and the next column that starts at an odd
// place, is the same to the last level of every channel (buffer included).
TEST(TileSeams, SmoothMetatilesEqualPicturesFromOddPlaces) {
  kymaptest::TempDir dir;
  const std::string data = dir.Write("shapes.geojson", Layer());
  CKyFillStyleLib lib;
  const long symbol = OwnLibrary(lib);
  const TileRange range{2, 2, 5, 5};
  kytiles::TileSetup setup;
  setup.data = data;
  setup.rules = Rules(symbol, false);
  setup.antialias = true;
  setup.metatile = 2;
  kytiles::TileRenderer renderer(setup, lib);
  const int tp = setup.TilePixels();
  int worst = 0, differing = 0;
  for (const Metatile& m : kytiles::MetatilesOf(kZoom, range, setup.metatile)) {
    PictureFrame meta;
    meta.z = kZoom;
    meta.tilePixels = tp;
    meta.px0 = m.x * 2 * tp - renderer.Buffer();
    meta.py0 = m.y * 2 * tp - renderer.Buffer();
    meta.width = meta.height = 2 * tp + 2 * renderer.Buffer();
    kytiles::DrawCounts counts;
    renderer.Draw(meta, counts);
    const std::vector<uint32_t> first(renderer.Pixels(), renderer.Pixels() + static_cast<size_t>(renderer.Stride()) * meta.height);
    const int stride = renderer.Stride();
    PictureFrame pair = meta;
    pair.px0 = meta.px0 + tp + 37;  // the metatile's east column and the next one, from an odd place
    pair.width = 2 * tp;
    renderer.Draw(pair, counts);
    for (int y = 0; y < meta.height; ++y) {
      for (int x = 0; x < tp - 37 + renderer.Buffer(); ++x) {
        const uint32_t a = first[static_cast<size_t>(y) * stride + x + tp + 37];
        const uint32_t b = renderer.Pixels()[static_cast<size_t>(y) * renderer.Stride() + x];
        int most = 0;
        for (int shift : {0, 8, 16}) most = std::max(most, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
        worst = std::max(worst, most);
        differing += most > 0;
      }
    }
  }
  EXPECT_EQ(0, worst);
  EXPECT_EQ(0, differing);
}

// Every tile lays the 7-pixel pattern in the phase of the world's pixel
// grid: the colour of world pixel (x, y) depends only on x mod 7 and y mod 7,
// in tiles whose corners fall in different phases (512, 768 and 1280 are 1,
// 5 and 6 mod 7).
TEST(TileSeams, PatternPhaseFollowsTheWorldOrigin) {
  kymaptest::TempDir dir;
  const std::string data = dir.Write(
      "square.geojson", kymaptest::Collection(Polygon("seven", Ring({{400, 400}, {1700, 400}, {1700, 1700}, {400, 1700}}))));
  CKyFillStyleLib lib;
  OwnLibrary(lib);
  kytiles::TileSetup setup;
  setup.data = data;
  kymap::FillSpec seven;
  seven.style = kFirstOwn + 1;
  seven.outline.visible = false;
  setup.rules.field = "kind";
  setup.rules.classes.push_back({"seven", seven});
  setup.rules.Index();
  setup.metatile = 1;
  kytiles::TileRenderer renderer(setup, lib);
  std::map<int, uint32_t> phase;  // (x mod 7) * 7 + (y mod 7) -> colour
  int wrong = 0;
  for (const auto& [tx, ty] : {std::pair<int, int>{2, 2}, {3, 2}, {5, 3}, {4, 5}}) {
    PictureFrame f;
    f.z = kZoom;
    f.tilePixels = kTile;
    f.px0 = tx * kTile;
    f.py0 = ty * kTile;
    f.width = f.height = kTile;
    kytiles::DrawCounts counts;
    renderer.Draw(f, counts);
    for (int y = 0; y < kTile; ++y) {
      for (int x = 0; x < kTile; ++x) {
        const int key = static_cast<int>((f.px0 + x) % 7) * 7 + static_cast<int>((f.py0 + y) % 7);
        const uint32_t colour = renderer.Pixels()[y * renderer.Stride() + x] & 0xFFFFFF;
        const auto [at, fresh] = phase.emplace(key, colour);
        wrong += !fresh && at->second != colour;
      }
    }
  }
  EXPECT_EQ(49u, phase.size());
  EXPECT_EQ(0, wrong);
  int black = 0;
  for (const auto& [key, colour] : phase) black += colour == 0;
  EXPECT_GT(black, 6);  // the pattern's lines, not a flat fill
  EXPECT_LT(black, 49);
}

}  // namespace
