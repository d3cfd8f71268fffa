// PDF and SVG pages of a map, read back by real readers: poppler
// (pdftoppm), MuPDF (mutool), librsvg (rsvg-convert).
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "KyFillStyleLib.h"
#include "KyMapJob.h"
#include "KyMapVector.h"
#include "KyVuv50.h"
#include "bmp_builder.h"
#include "lib_builder.h"
#include "gdipng.h"
#include "map_fixture.h"

namespace {

using kymaptest::Box;
using kymaptest::Feature;

std::string Poly(const std::string& rings) { return R"({"type": "Polygon", "coordinates": [)" + rings + "]}"; }

// An 8 x 8 tile of 81 dpi: all set but the middle pixel (its edges are
// all fore, so a gap between cells would show as a light line), or grid
// lines on the first row and column.
void AddTiles(CKyFillStyleLib& lib) {
  CByteArray dot, grid;
  kytest::ToArray(kytest::Mono(8, 8, [](int x, int y) { return !(x == 4 && y == 4); }), dot);
  kytest::ToArray(kytest::Mono(8, 8, [](int x, int y) { return x == 0 || y == 0; }), grid);
  ASSERT_TRUE(lib.AddFillStyle(new CKyFillStyle(500, "grid", grid, CKyFillStyle::FS_81DPI), lib.GetStyleGroup()));
  ASSERT_TRUE(lib.AddFillStyle(new CKyFillStyle(501, "dot", dot, CKyFillStyle::FS_81DPI), lib.GetStyleGroup()));
}

struct Picture {
  int width = 0, height = 0;
  std::vector<DWORD> px;
  DWORD At(int x, int y) const { return px[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
};

// Draws data over the extent 0..120 x 0..80 on a picture of width x height
// at dpi: into path (a .pdf or .svg) when given, else as pixels.
Picture Draw(const std::string& data, const std::string& styles, int width, int height, int dpi,
             const std::string& path = "", bool legend = false, bool antialias = true,
             kymap::MapReport* report = nullptr) {
  CKyFillStyleLib lib;
  AddTiles(lib);
  kymaptest::Screen screen(width, height, 32, dpi);
  screen.dc.FillSolidRect(0, 0, width, height, RGB(0xFF, 0xFF, 0xFF));
  kymap::MapJobOptions o;
  o.data = data;
  o.extent = kymap::Extent{0, 0, 120, 80};
  o.rules = kymap::ParseStyles(styles);
  o.antialias = antialias;
  o.legend = legend ? kymap::LegendPlace::kBeside : kymap::LegendPlace::kNone;
  Picture p;
  if (!path.empty()) {
    const bool pdf = path.substr(path.size() - 3) == "pdf";
    kymap::VectorDocument doc(path, pdf ? kymap::VectorKind::kPdf : kymap::VectorKind::kSvg, width, height, dpi,
                              RGB(0xFF, 0xFF, 0xFF));
    o.vector = &doc;
    const kymap::MapReport r = kymap::DrawMap(screen.dc, width, height, lib, o);
    if (report) *report = r;
    doc.Commit();
    return p;
  }
  const kymap::MapReport r = kymap::DrawMap(screen.dc, width, height, lib, o);
  if (report) *report = r;
  GdiGetBitmapPixels(static_cast<HBITMAP>(screen.canvas.GetSafeHandle()), &p.width, &p.height, &p.px);
  return p;
}

// Runs a reader; the picture it wrote to png.
Picture Read(const std::string& command, const std::string& png) {
  std::remove(png.c_str());
  const int rc = std::system((command + " >/dev/null 2>&1").c_str());
  Picture p;
  EXPECT_EQ(0, rc) << command;
  EXPECT_TRUE(GdiReadPngPixels(png.c_str(), &p.width, &p.height, &p.px)) << command;
  return p;
}

// What a command prints.
std::string Output(const std::string& command) {
  std::string text;
  if (FILE* f = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    ::pclose(f);
  }
  return text;
}

Picture Poppler(const std::string& pdf, int dpi, const std::string& dir) {
  return Read("pdftoppm -png -singlefile -r " + std::to_string(dpi) + " " + pdf + " " + dir + "/poppler", dir + "/poppler.png");
}

const char* kBoxStyles = R"({"field": "k", "default": {"style": 0, "fore": "#C0C0C0", "rate": 60, "outline": false},
  "classes": {
    "a": {"style": 500, "fore": "#1B5E20", "back": "#E8F5E9", "outline": false},
    "b": {"style": 500, "fore": "#0D47A1", "back": "#FFFFFF", "transparent": true, "outline": false},
    "h": {"style": 3, "fore": "#800000", "back": "#FFF8E1", "outline": false},
    "d": {"style": 501, "fore": "#202020", "back": "#FFFF00", "outline": false},
    "g": {"gradient": "linear", "fore": "#FF0000", "back": "#0000FF", "rate": 80, "outline": false}}})";

struct Rect {
  double x0, y0, x1, y1;
};
const Rect kBoxes[] = {{5.3, 5.6, 45.45, 40.2}, {45.45, 5.6, 83.7, 40.2}, {88.2, 5.6, 115.3, 40.2},
                       {5.3, 45.5, 40.2, 75.35}, {45.45, 45.5, 80.1, 75.35}, {85.2, 45.5, 115.3, 75.35}};
const char* kKeys[] = {"a", "a", "b", "h", "d", "g"};

std::string Boxes(const kymaptest::TempDir& dir) {
  std::string features;
  for (int i = 0; i < 6; ++i) {
    if (i) features += ",";
    features += Feature(std::string(R"({"k": ")") + kKeys[i] + "\"}",
                        Poly(Box(kBoxes[i].x0, kBoxes[i].y0, kBoxes[i].x1, kBoxes[i].y1)));
  }
  return dir.Write("boxes.geojson", kymaptest::Collection(features));
}

// Whether pixel (x, y) of a picture at scale pixels a map unit is within
// reach pixels of a box's edge.
bool NearAnEdge(int x, int y, double scale, double reach) {
  const double px = (x + 0.5) / scale, py = (y + 0.5) / scale, r = reach / scale;
  for (const Rect& b : kBoxes) {
    const double x0 = b.x0, x1 = b.x1, y0 = 80 - b.y1, y1 = 80 - b.y0;
    const bool inside = px >= x0 && px <= x1 && py >= y0 && py <= y1;
    const double d = inside ? std::min({px - x0, x1 - px, py - y0, y1 - py})
                            : std::hypot(std::max({x0 - px, 0.0, px - x1}), std::max({y0 - py, 0.0, py - y1}));
    if (d < r) return true;
  }
  return false;
}

TEST(MapVector, APdfAt300DpiHasTheSmoothPicturesColoursAndPatternPeriod) {
  kymaptest::TempDir dir;
  const std::string data = Boxes(dir);
  // 1000 x 666 pixels at 300 dpi: 8.33 pixels a map unit.
  const int w = 1000, h = 666;
  const double scale = w / 120.0;
  const Picture ours = Draw(data, kBoxStyles, w, h, 300);
  Draw(data, kBoxStyles, w, h, 300, dir.Path() + "/map.pdf");
  const Picture theirs = Poppler(dir.Path() + "/map.pdf", 300, dir.Path());
  ASSERT_EQ(w, theirs.width);
  ASSERT_EQ(h, theirs.height);
  // Away from edges, outside the pattern boxes (the paper, and a gradient at
  // 80 %, a picture at the page's resolution): equal within two levels a
  // channel, as blending at a rate rounds a level differently in each
  // program; in the gradient within eight, as poppler resamples the picture
  // where the gradient steps from one colour to the next.
  auto near = [](DWORD a, DWORD b, int levels) {
    for (int shift : {0, 8, 16}) {
      if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > levels) return false;
    }
    return true;
  };
  auto close = [&](DWORD a, DWORD b) { return near(a, b, 2); };
  auto inBox = [&](int x, int y, int i) {
    const double px = (x + 0.5) / scale, py = 80 - (y + 0.5) / scale;
    return px > kBoxes[i].x0 && px < kBoxes[i].x1 && py > kBoxes[i].y0 && py < kBoxes[i].y1;
  };
  long compared = 0, equal = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (NearAnEdge(x, y, scale, 2) || inBox(x, y, 0) || inBox(x, y, 1) || inBox(x, y, 2) || inBox(x, y, 3) ||
          inBox(x, y, 4)) {
        continue;
      }
      ++compared;
      equal += near(ours.At(x, y), theirs.At(x, y), inBox(x, y, 5) ? 8 : 2);
    }
  }
  EXPECT_GT(compared, w * h / 3);
  const int gx = static_cast<int>(100 * scale), gy = static_cast<int>((80 - 60) * scale);
  EXPECT_NE(ours.At(gx, gy), 0xFFFFFFu);  // the gradient is there
  EXPECT_TRUE(close(ours.At(gx, gy), theirs.At(gx, gy))) << std::hex << ours.At(gx, gy) << " " << theirs.At(gx, gy);
  EXPECT_GE(equal, compared * 99 / 100) << equal << " of " << compared;
  // The grid's vertical lines (a period of 30 pixels: 8 pixels of 81 dpi at
  // 300) start on the same columns.
  auto lines = [&](const Picture& p, int y) {
    std::vector<int> at;
    for (int x = 60; x < 370; ++x) {
      const bool dark = ((p.At(x, y) >> 8) & 0xFF) < 0x80, before = ((p.At(x - 1, y) >> 8) & 0xFF) < 0x80;
      if (dark && !before) at.push_back(x);
    }
    return at;
  };
  for (int y : {400, 455, 520}) {
    const std::vector<int> want = lines(ours, y);
    EXPECT_GE(want.size(), 9u);
    EXPECT_EQ(want, lines(theirs, y)) << "row " << y;
  }
  // MuPDF reads it too, at the page's size.
  const Picture mupdf =
      Read("mutool draw -r 300 -o " + dir.Path() + "/mupdf.png " + dir.Path() + "/map.pdf", dir.Path() + "/mupdf.png");
  EXPECT_EQ(w, mupdf.width);
  EXPECT_EQ(h, mupdf.height);
}

// Linear and radial gradients are the PDF's own shadings, with the
// module's geometry and colours: poppler's pixels at the page's resolution
// are the module's gradient's within the steps of its bands.
TEST(MapVector, LinearAndRadialGradientsAreNative) {
  kymaptest::TempDir dir;
  const std::string data = Boxes(dir);
  for (const char* kind : {R"("linear", "angle": 300)", R"("linear", "angle": 2100)", R"("radial", "offset": [30, -20])",
                           R"("radial")"}) {
    const std::string styles = std::string(R"({"field": "k", "default": {"style": 1, "outline": false}, "classes": {
      "g": {"gradient": )") + kind + R"(, "fore": "#FFD000", "back": "#1030A0", "outline": false}}})";
    const int w = 600, h = 400;
    const double scale = w / 120.0;
    const std::string pdf = dir.Path() + "/g.pdf";
    const Picture ours = Draw(data, styles, w, h, 180);
    Draw(data, styles, w, h, 180, pdf);
    const std::string images = Output("pdfimages -list " + pdf);
    EXPECT_EQ(2, std::count(images.begin(), images.end(), '\n')) << kind << ": " << images;  // no picture
    const Picture theirs = Poppler(pdf, 180, dir.Path());
    ASSERT_EQ(w, theirs.width);
    const Rect& g = kBoxes[5];
    long compared = 0, near = 0;
    int worst = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const double mx = (x + 0.5) / scale, my = 80 - (y + 0.5) / scale;
        if (!(mx > g.x0 && mx < g.x1 && my > g.y0 && my < g.y1) || NearAnEdge(x, y, scale, 2)) continue;
        ++compared;
        int d = 0;
        for (int shift : {0, 8, 16}) {
          d = std::max(d, std::abs(static_cast<int>((ours.At(x, y) >> shift) & 0xFF) -
                                   static_cast<int>((theirs.At(x, y) >> shift) & 0xFF)));
        }
        worst = std::max(worst, d);
        near += d <= 6;
      }
    }
    EXPECT_GT(compared, 10000);
    EXPECT_GE(near, compared * 99 / 100) << kind << ": " << near << " of " << compared << ", at worst " << worst;
  }
}

// Inkscape opens the SVG and the PDF and renders each at the page's size.
// (Its pixels are not ours: its PDF import turns cairo's tiling patterns
// upside down, and its SVG rendering cuts the gradient's picture short.)
TEST(MapVector, InkscapeRendersTheSvgAndThePdf) {
  kymaptest::TempDir dir;
  const std::string data = Boxes(dir);
  for (const char* kind : {"svg", "pdf"}) {
    const std::string file = dir.Path() + "/map." + kind;
    Draw(data, kBoxStyles, 1000, 666, 300, file);
    const Picture theirs = Read("inkscape --export-type=png --export-dpi=300 --export-background=white "
                                "--export-background-opacity=1 --export-filename=" +
                                    dir.Path() + "/inkscape.png " + file,
                                dir.Path() + "/inkscape.png");
    EXPECT_EQ(1000, theirs.width) << kind;
    EXPECT_EQ(666, theirs.height) << kind;
    // The dotted box's pattern is there: dark with yellow dots.
    const double scale = 1000 / 120.0;
    long dark = 0, yellow = 0;
    for (int y = static_cast<int>((80 - 70) * scale); y < (80 - 50) * scale; ++y) {
      for (int x = static_cast<int>(50 * scale); x < 75 * scale; ++x) {
        const DWORD c = theirs.At(x, y);
        const int r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
        dark += r < 0x30 && g < 0x30 && b < 0x30;
        yellow += r > 0xE0 && g > 0xE0 && b < 0x40;
      }
    }
    EXPECT_GT(dark, 20000) << kind;
    EXPECT_GT(yellow, 100) << kind;
  }
}

// Rows and columns (away from the page's edges) where the paper shows
// through the "d" pattern: its colours have no blue, the paper is white, so
// a line of the paper between cells raises the blue of a row or column
// well above that of the pattern (at most 0x20, where its two colours
// blend).
std::vector<std::string> Hairlines(const Picture& p) {
  std::vector<std::string> lines;
  const int mx = p.width / 10, my = p.height / 10;
  auto blue = [&](int x, int y) { return static_cast<long>(p.At(x, y) & 0xFF); };
  for (int y = my; y < p.height - my; ++y) {
    long sum = 0;
    for (int x = mx; x < p.width - mx; ++x) sum += blue(x, y);
    if (sum > 0x30L * (p.width - 2 * mx)) lines.push_back("row " + std::to_string(y));
  }
  for (int x = mx; x < p.width - mx; ++x) {
    long sum = 0;
    for (int y = my; y < p.height - my; ++y) sum += blue(x, y);
    if (sum > 0x30L * (p.height - 2 * my)) lines.push_back("column " + std::to_string(x));
  }
  return lines;
}

TEST(MapVector, PatternCellsShowNoHairline) {
  kymaptest::TempDir dir;
  const std::string data =
      dir.Write("one.geojson", kymaptest::Collection(Feature(R"({"k": "d"})", Poly(Box(0, 0, 120, 80)))));
  // Pattern pixels of 1/81 inch: cells of 10 x 10 pixels on a page of 96
  // dpi, 30 x 30 at 300 dpi.
  for (int dpi : {96, 300}) {
    const int w = 4 * dpi, h = 8 * dpi / 3;  // 4 x 2.67 inches
    const std::string pdf = dir.Path() + "/one" + std::to_string(dpi) + ".pdf";
    Draw(data, kBoxStyles, w, h, dpi, pdf);
    // poppler at resolutions other than the page's, where cells that
    // merely abut leave a line of the paper between them.
    for (int at : {72, 150, 300, 600}) {
      const Picture p = Poppler(pdf, at, dir.Path());
      ASSERT_EQ(4 * at, p.width);
      EXPECT_EQ(std::vector<std::string>(), Hairlines(p)) << "a page of " << dpi << " dpi, poppler at " << at;
    }
    EXPECT_EQ(std::vector<std::string>(),
              Hairlines(Read("mutool draw -r 150 -o " + dir.Path() + "/mupdf.png " + pdf, dir.Path() + "/mupdf.png")))
        << "a page of " << dpi << " dpi, mupdf at 150";
  }
  // The SVG's <pattern> in headless Chromium at device scales 1, 2 and 4
  // and in librsvg; the page is 240 x 160 CSS pixels.
  Draw(data, kBoxStyles, 240, 160, 96, dir.Path() + "/one.svg");
  for (int zoom : {1, 2, 4}) {
    const Picture shot = Read("chromium --headless=new --no-sandbox --disable-gpu --hide-scrollbars "
                              "--force-device-scale-factor=" + std::to_string(zoom) +
                                  " --window-size=240,160 --screenshot=" + dir.Path() + "/chromium.png file://" +
                                  dir.Path() + "/one.svg",
                              dir.Path() + "/chromium.png");
    ASSERT_EQ(240 * zoom, shot.width);
    EXPECT_EQ(std::vector<std::string>(), Hairlines(shot)) << "chromium at " << zoom;
  }
  for (double zoom : {1.0, 1.5, 2.0, 4.0}) {
    const Picture p =
        Read("rsvg-convert -z " + std::to_string(zoom) + " -o " + dir.Path() + "/svg.png " + dir.Path() + "/one.svg",
             dir.Path() + "/svg.png");
    EXPECT_EQ(std::vector<std::string>(), Hairlines(p)) << "rsvg at " << zoom;
  }
}

// The PDF's cells overlap their neighbours by a tile, and repeat at the
// tile's own size: the box of each repeating pattern is two tiles each way
// from 0, its step one.
TEST(MapVector, PdfCellsOverlapByATile) {
  kymaptest::TempDir dir;
  const std::string data =
      dir.Write("one.geojson", kymaptest::Collection(Feature(R"({"k": "d"})", Poly(Box(0, 0, 120, 80)))));
  Draw(data, kBoxStyles, 120, 80, 96, dir.Path() + "/one.pdf");
  std::ifstream in(dir.Path() + "/one.pdf");
  std::stringstream pdf;
  pdf << in.rdbuf();
  const std::string text = pdf.str();
  const size_t at = text.find("/PatternType 1");
  ASSERT_NE(std::string::npos, at);
  // 8 pixels of 81 dpi are 9 at 96 dpi.
  const std::string dict = text.substr(at, text.find("stream", at) - at);
  EXPECT_NE(std::string::npos, dict.find("/BBox [ 0 0 18 18 ]")) << dict;
  EXPECT_NE(std::string::npos, dict.find("/XStep 9 ")) << dict;
  EXPECT_NE(std::string::npos, dict.find("/YStep 9 ")) << dict;
  EXPECT_EQ(std::string::npos, text.find("/PatternType 1", at + 1));  // one pattern
}

TEST(MapVector, APatternCellIsTheModulesTileAtThePagesResolution) {
  kymaptest::TempDir dir;
  const std::string data =
      dir.Write("one.geojson", kymaptest::Collection(Feature(R"({"k": "a"})", Poly(Box(0, 0, 120, 80)))));
  Draw(data, kBoxStyles, 120, 80, 96, dir.Path() + "/grid.svg");
  Draw(data, kBoxStyles, 120, 80, 96, dir.Path() + "/grid.pdf");
  std::ifstream in(dir.Path() + "/grid.svg");
  std::stringstream svg;
  svg << in.rdbuf();
  // One pattern for the class; the page 120 x 80 pixels of 96 dpi in points.
  size_t patterns = 0;
  for (size_t at = svg.str().find("<pattern"); at != std::string::npos; at = svg.str().find("<pattern", at + 1)) ++patterns;
  EXPECT_EQ(1u, patterns);
  EXPECT_NE(std::string::npos, svg.str().find("width=\"90pt\" height=\"60pt\"")) << svg.str().substr(0, 300);
  // 8 pixels of 81 dpi are 9 or 10 at 96 dpi; the grid lines come back at
  // that period from poppler at the page's resolution, as in our picture.
  const Picture ours = Draw(data, kBoxStyles, 120, 80, 96);
  const Picture theirs = Poppler(dir.Path() + "/grid.pdf", 96, dir.Path());
  ASSERT_EQ(120, theirs.width);
  for (int y = 20; y < 60; ++y) {
    for (int x = 20; x < 100; ++x) ASSERT_EQ(ours.At(x, y), theirs.At(x, y)) << x << "," << y;
  }
}

TEST(MapVector, NeighboursOfOneClassShowNoSeamInThePdf) {
  kymaptest::TempDir dir;
  const std::string styles = R"({"field": "k", "classes": {"a": {"style": 500, "fore": "#1B5E20", "back": "#E8F5E9", "outline": false}}})";
  const std::string two = dir.Write(
      "two.geojson", kymaptest::Collection(Feature(R"({"k": "a"})", Poly(Box(5.21, 5.63, 45.37, 40.29))) + "," +
                                           Feature(R"({"k": "a"})", Poly(Box(45.37, 5.63, 83.71, 40.29)))));
  const std::string one =
      dir.Write("one.geojson", kymaptest::Collection(Feature(R"({"k": "a"})", Poly(Box(5.21, 5.63, 83.71, 40.29)))));
  Draw(two, styles, 120, 80, 96, dir.Path() + "/two.pdf");
  Draw(one, styles, 120, 80, 96, dir.Path() + "/one.pdf");
  const Picture joined = Poppler(dir.Path() + "/two.pdf", 300, dir.Path());
  const Picture whole = Poppler(dir.Path() + "/one.pdf", 300, dir.Path());
  ASSERT_EQ(whole.width, joined.width);
  EXPECT_EQ(whole.px, joined.px);
}

const char* kLabelledStyles = R"({"field": "k", "default": {"style": 0, "fore": "#C0C0C0", "label": "Other"},
  "classes": {
    "a": {"style": 500, "fore": "#1B5E20", "back": "#E8F5E9", "outline": false, "label": "Wetland"},
    "b": {"style": 500, "fore": "#0D47A1", "back": "#FFFFFF", "transparent": true, "outline": false, "label": "Lake"},
    "h": {"style": 3, "fore": "#800000", "back": "#FFF8E1", "outline": false, "label": "Hatched"},
    "d": {"style": 501, "fore": "#202020", "back": "#FFFF00", "outline": false, "label": "Dotted"},
    "g": {"gradient": "linear", "fore": "#FF0000", "back": "#0000FF", "outline": false, "label": "Gradient"}}})";

// The legend of a PDF is real text in an embedded font, and its swatches
// and frame are those of the anti-aliased picture at the same resolution.
TEST(MapVector, TheLegendIsVectorWithItsFontEmbedded) {
  kymaptest::TempDir dir;
  const std::string data = Boxes(dir);
  const int w = 1400, h = 666;
  const std::string pdf = dir.Path() + "/legend.pdf";
  kymap::MapReport inPdf, inPng;
  Draw(data, kLabelledStyles, w, h, 300, pdf, true, true, &inPdf);
  const Picture ours = Draw(data, kLabelledStyles, w, h, 300, "", true, true, &inPng);
  ASSERT_EQ("right", inPdf.legend);
  ASSERT_EQ(inPng.mapArea, inPdf.mapArea);
  // pdffonts: name, type, encoding, embedded, subset, unicode, object.
  std::istringstream fonts(Output("pdffonts " + pdf));
  std::string line, embedded;
  while (std::getline(fonts, line)) {
    if (line.find("DejaVuSans") == std::string::npos) continue;
    std::istringstream words(line);
    std::vector<std::string> w8;
    for (std::string word; words >> word;) w8.push_back(word);
    ASSERT_GE(w8.size(), 7u) << line;
    embedded = w8[w8.size() - 5];
  }
  EXPECT_EQ("yes", embedded) << Output("pdffonts " + pdf);
  const std::string text = Output("pdftotext " + pdf + " -");
  for (const char* label : {"k", "Wetland", "Lake", "Hatched", "Dotted", "Gradient"}) {
    EXPECT_NE(std::string::npos, text.find(label)) << label << " in " << text;
  }
  EXPECT_EQ(std::string::npos, text.find("Other"));  // no feature fell to it
  // No picture in the file (pdfimages prints its header alone).
  const std::string images = Output("pdfimages -list " + pdf);
  EXPECT_EQ(2, std::count(images.begin(), images.end(), '\n')) << images;
  // The panel read back by poppler: the swatches (framed in 0x404040) hold
  // the patterns in phase and the frames where the picture has them; the
  // text beside them and above (the title) differs only where two
  // rasterisers shade a glyph's edge differently.
  const Picture theirs = Poppler(pdf, 300, dir.Path());
  ASSERT_EQ(w, theirs.width);
  // The swatches' frames: columns and rows with long runs of their colour.
  int swatchesRight = 0, swatchesTop = h;
  for (int x = inPdf.mapArea.right; x < w; ++x) {
    int n = 0;
    for (int y = 0; y < h; ++y) n += ours.At(x, y) == 0x404040;
    if (n > 100) swatchesRight = x;
  }
  for (int y = 0; y < h && swatchesTop == h; ++y) {
    int n = 0;
    for (int x = inPdf.mapArea.right; x < w; ++x) n += ours.At(x, y) == 0x404040;
    if (n > 50) swatchesTop = y;
  }
  ASSERT_GT(swatchesRight, inPdf.mapArea.right);
  long swatches = 0, swatchesNear = 0, rest = 0, restNear = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = inPdf.mapArea.right; x < w; ++x) {
      const DWORD a = ours.At(x, y), b = theirs.At(x, y);
      bool near = true;
      for (int shift : {0, 8, 16}) {
        near = near && std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) <= 8;
      }
      if (x <= swatchesRight && y >= swatchesTop) {
        ++swatches, swatchesNear += near;
      } else {
        ++rest, restNear += near;
      }
    }
  }
  EXPECT_GE(swatchesNear, swatches * 995 / 1000) << swatchesNear << " of " << swatches;
  EXPECT_GE(restNear, rest * 97 / 100) << restNear << " of " << rest;
}

// With anti-aliasing, the legend's text is shaded at its edges; without,
// it is the module's text of one colour on the paper.
TEST(MapVector, ALegendInsideTakesTheEmptiestCornerOfThePage) {
  // Shapes in three quarters of the map, none in the upper left: the legend
  // of the PDF goes there, as it does on pixels (the page's shapes are not
  // drawn on the device it measures).
  kymaptest::TempDir dir;
  const std::string data = dir.Write(
      "q.geojson", kymaptest::Collection(Feature(R"({"k": "a"})", Poly(Box(0, 0, 60, 40))) + "," +
                                         Feature(R"({"k": "a"})", Poly(Box(60, 40, 120, 80))) + "," +
                                         Feature(R"({"k": "a"})", Poly(Box(60, 0, 120, 25)))));
  const int w = 480, h = 320;
  auto draw = [&](kymap::LegendPlace legend, const std::string& pdf) {
    CKyFillStyleLib lib;
    AddTiles(lib);
    kymaptest::Screen screen(w, h, 32, 96);
    screen.dc.FillSolidRect(0, 0, w, h, RGB(0xFF, 0xFF, 0xFF));
    kymap::MapJobOptions o;
    o.data = data;
    o.extent = kymap::Extent{0, 0, 120, 80};
    o.rules = kymap::ParseStyles(R"({"field": "k", "classes": {"a": {"style": 500, "outline": false}}})");
    o.legend = legend;
    kymap::VectorDocument doc(pdf, kymap::VectorKind::kPdf, w, h, 96, RGB(0xFF, 0xFF, 0xFF));
    o.vector = &doc;
    const kymap::MapReport r = kymap::DrawMap(screen.dc, w, h, lib, o);
    doc.Commit();
    return r;
  };
  EXPECT_EQ("inside", draw(kymap::LegendPlace::kInside, dir.Path() + "/inside.pdf").legend);
  draw(kymap::LegendPlace::kNone, dir.Path() + "/plain.pdf");
  const Picture with = Poppler(dir.Path() + "/inside.pdf", 96, dir.Path());
  const Picture without = Poppler(dir.Path() + "/plain.pdf", 96, dir.Path());
  ASSERT_EQ(with.width, without.width);
  ASSERT_EQ(with.height, without.height);
  int changed = 0, elsewhere = 0;
  for (int y = 0; y < with.height; ++y) {
    for (int x = 0; x < with.width; ++x) {
      if (with.At(x, y) == without.At(x, y)) continue;
      ++changed;
      elsewhere += x >= with.width / 2 || y >= with.height / 2;
    }
  }
  EXPECT_GT(changed, 100);
  EXPECT_EQ(0, elsewhere);
}

TEST(MapVector, SymbolPatternCellsAreTheSymbolsOwnShapes) {
  // Dots (an ellipse), stars (a polygon) and rocks (an outline and a line),
  // one of each cut by the tile's edge, on boxes: the PDF's cells are paths with curves, not the tile's
  // pixels as rectangles, and poppler's picture of them is the module's
  // tile but for the symbols' smoothed edges.
  kymaptest::TempDir dir;
  const std::string data =
      dir.Write("s.geojson", kymaptest::Collection(Feature(R"({"k": "d"})", Poly(Box(5, 5, 58, 38))) + "," +
                                                   Feature(R"({"k": "r"})", Poly(Box(5, 42, 58, 75))) + "," +
                                                   Feature(R"({"k": "s"})", Poly(Box(62, 5, 115, 75)))));
  const int w = 480, h = 320;
  bool transparent = false;
  auto draw = [&](const std::string& pdf) {
    CKyFillStyleLib lib;
    CKySymLib samples = KySampleSymbols();
    for (auto [id, symbol] : {std::pair{900, kySampleDot}, {901, kySampleStar}, {902, kySampleRock}}) {
      auto* copy = new CKySymbol;
      *copy = *samples.GetSymbol(symbol);
      CKyFillStyle* style = kytest::AddVector(lib, id, "symbols", lib.AddSymbol(copy));
      style->GetFillStyleVector()->AddPoint(CPoint(95, 12));
    }
    kymaptest::Screen screen(w, h, 32, 96);
    screen.dc.FillSolidRect(0, 0, w, h, RGB(0xFF, 0xFF, 0xFF));
    kymap::MapJobOptions o;
    o.data = data;
    o.extent = kymap::Extent{0, 0, 120, 80};
    o.rules = kymap::ParseStyles(R"({"field": "k", "classes": {
      "d": {"style": 900, "fore": "#802000", "back": "#FFFFE0", "outline": false},
      "s": {"style": 901, "fore": "#003080", "back": "#E0F0FF", "outline": false},
      "r": {"style": 902, "fore": "#202020", "back": "#FFFFFF", "outline": false}}})");
    o.antialias = false;
    for (auto& [value, spec] : o.rules->classes) spec.transparent = transparent;
    std::unique_ptr<kymap::VectorDocument> doc;
    if (!pdf.empty()) {
      const kymap::VectorKind kind = pdf.substr(pdf.size() - 3) == "svg" ? kymap::VectorKind::kSvg
                                                                         : kymap::VectorKind::kPdf;
      doc = std::make_unique<kymap::VectorDocument>(pdf, kind, w, h, 96, RGB(0xFF, 0xFF, 0xFF));
      o.vector = doc.get();
    }
    kymap::DrawMap(screen.dc, w, h, lib, o);
    if (doc) doc->Commit();
    Picture p;
    GdiGetBitmapPixels(static_cast<HBITMAP>(screen.canvas.GetSafeHandle()), &p.width, &p.height, &p.px);
    return p;
  };
  const std::string pdf = dir.Path() + "/symbols.pdf", svg = dir.Path() + "/symbols.svg";
  draw(pdf);
  draw(svg);
  const Picture ours = draw("");
  // Read by poppler and by librsvg (the SVG's cells hold one tile, the
  // PDF's two each way).
  const Picture readings[] = {
      Poppler(pdf, 96, dir.Path()),
      Read("rsvg-convert -o " + dir.Path() + "/svg.png " + svg, dir.Path() + "/svg.png")};
  for (const Picture& theirs : readings) {
    ASSERT_EQ(ours.width, theirs.width);
    ASSERT_EQ(ours.height, theirs.height);
    // Inside the boxes, two pixels clear of their edges, and away from the
    // symbols' edges (a pixel whose neighbours on the module's tile are all
    // its colour): the same colour, so every symbol lies where its pixels do.
    const double scale = w / 120.0;
    int inside = 0, near = 0;
    for (int y = 1; y + 1 < h; ++y) {
      for (int x = 1; x + 1 < w; ++x) {
        const double mx = (x + 0.5) / scale, my = 80 - (y + 0.5) / scale, r = 2 / scale;
        const bool in = (my > 5 + r && my < 38 - r && mx > 5 + r && mx < 58 - r) ||
                        (my > 42 + r && my < 75 - r && mx > 5 + r && mx < 58 - r) ||
                        (my > 5 + r && my < 75 - r && mx > 62 + r && mx < 115 - r);
        const DWORD a = ours.At(x, y);
        bool flat = true;
        for (int k = 0; k < 9; ++k) flat = flat && ours.At(x - 1 + k % 3, y - 1 + k / 3) == a;
        if (!in || !flat) continue;
        ++inside;
        const DWORD b = theirs.At(x, y);
        int d = 0;
        for (int shift : {0, 8, 16}) {
          d = std::max(d, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
        }
        near += d <= 8;
      }
    }
    EXPECT_GT(inside, 70000);
    EXPECT_GE(near, inside * 99 / 100) << near << " of " << inside;
  }
  // The cells hold curves (the dot's ellipse).
  const std::string plain = dir.Path() + "/plain.pdf";
  ASSERT_EQ(0, std::system(("mutool clean -d " + pdf + " " + plain + " >/dev/null 2>&1").c_str()));
  std::ifstream in(plain, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(std::string::npos, text.find(" c f*")) << "no curve in the PDF";
  std::ifstream svgIn(svg, std::ios::binary);
  const std::string svgText((std::istreambuf_iterator<char>(svgIn)), std::istreambuf_iterator<char>());
  EXPECT_NE(std::string::npos, svgText.find(" C ")) << "no curve in the SVG";
  // On a transparent background the tile's pixels stay (the module's mask
  // decides what shows around a symbol): no curves.
  transparent = true;
  draw(pdf);
  ASSERT_EQ(0, std::system(("mutool clean -d " + pdf + " " + plain + " >/dev/null 2>&1").c_str()));
  std::ifstream again(plain, std::ios::binary);
  const std::string rects((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>());
  EXPECT_EQ(std::string::npos, rects.find(" c f*"));
}

TEST(MapVector, TheLegendsTextIsAntiAliasedOnlyWhenAsked) {
  kymaptest::TempDir dir;
  const std::string data = Boxes(dir);
  kymap::MapReport report;
  for (bool antialias : {false, true}) {
    const Picture p = Draw(data, kLabelledStyles, 700, 333, 150, "", true, antialias, &report);
    ASSERT_EQ("right", report.legend);
    std::set<DWORD> greys;
    for (int y = 0; y < p.height; ++y) {
      for (int x = report.mapArea.right; x < p.width; ++x) {
        const DWORD c = p.At(x, y);
        const DWORD r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
        if (r == g && g == b && r > 0x20 && r < 0xF0 && r != 0x50 && r != 0x40) greys.insert(c);
      }
    }
    if (antialias) {
      EXPECT_GT(greys.size(), 20u);
    } else {
      EXPECT_EQ(std::set<DWORD>(), greys);
    }
  }
}

TEST(MapVector, AFailedWriteKeepsTheOldFile) {
  kymaptest::TempDir dir;
  const std::string data =
      dir.Write("one.geojson", kymaptest::Collection(Feature(R"({"k": "a"})", Poly(Box(0, 0, 120, 80)))));
  const std::string old = dir.Write("old.pdf", "the old file");
  try {
    Draw(data, kBoxStyles, 120, 80, 96, dir.Path() + "/nodir/x.pdf");
    ADD_FAILURE() << "written";
  } catch (const kymap::MapError& e) {
    EXPECT_NE(std::string::npos, std::string(e.what()).find("cannot write '" + dir.Path() + "/nodir/x.pdf'")) << e.what();
  }
  ::mkdir((dir.Path() + "/folder.svg").c_str(), 0755);
  EXPECT_THROW(Draw(data, kBoxStyles, 120, 80, 96, dir.Path() + "/folder.svg"), kymap::MapError);
  // A document abandoned before Commit leaves the old file and no other.
  {
    kymap::VectorDocument doc(old, kymap::VectorKind::kPdf, 10, 10, 96, RGB(0xFF, 0xFF, 0xFF));
  }
  std::ifstream in(old);
  std::string text;
  std::getline(in, text);
  EXPECT_EQ("the old file", text);
}

}  // namespace
