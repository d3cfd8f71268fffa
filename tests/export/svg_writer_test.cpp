// The SVG of a few patterns, pinned byte for byte.
#include "KySvgWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "KyVuv50.h"
#include "bmp_builder.h"

namespace {

using kyexport::StyleToSvg;
using kyexport::SvgColours;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

const char kHead[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" ";

template <typename Bit>
void MakeBitmap(CKyFillStyle& s, int w, int h, Bit bit, CKyFillStyle::FS_RESOLUTION res) {
  CByteArray bytes;
  kytest::ToArray(kytest::Mono(w, h, bit), bytes);
  s.CreateFillStyle(8, "p", bytes, res);
}

struct BitmapCase {
  const char* name;
  int w, h;
  bool (*bit)(int x, int y);
  CKyFillStyle::FS_RESOLUTION res;
  bool transparent;
  std::string expected;
};

TEST(SvgWriter, BitmapPatternsExactly) {
  const BitmapCase cases[] = {
      {"checker 2x2 at 254 dpi", 2, 2, [](int x, int y) { return ((x + y) & 1) != 0; }, CKyFillStyle::FS_254DPI, false,
       std::string(kHead) +
           "width=\"0.2mm\" height=\"0.2mm\" viewBox=\"0 0 2 2\">\n"
           "<title>8 chess &amp; co</title>\n"
           "<rect x=\"0\" y=\"0\" width=\"2\" height=\"2\" fill=\"#FFFFFF\"/>\n"
           "<path fill=\"#FF0000\" d=\"M1 0h1v1h-1zM0 1h1v1h-1z\"/>\n"
           "</svg>\n"},
      // The background is left out; an unpainted frame keeps the tile's
      // extent for readers that measure the drawing.
      {"checker transparent: no background", 2, 2, [](int x, int y) { return ((x + y) & 1) != 0; },
       CKyFillStyle::FS_254DPI, true,
       std::string(kHead) +
           "width=\"0.2mm\" height=\"0.2mm\" viewBox=\"0 0 2 2\">\n"
           "<title>8 chess &amp; co</title>\n"
           "<rect x=\"0\" y=\"0\" width=\"2\" height=\"2\" fill=\"none\"/>\n"
           "<path fill=\"#FF0000\" d=\"M1 0h1v1h-1zM0 1h1v1h-1z\"/>\n"
           "</svg>\n"},
      // Rows 0 and 1 have the same run 1..3, which becomes one 2 x 2 square;
      // row 2 is one run across.
      {"merged runs at 96 dpi", 4, 3, [](int x, int y) { return x == 1 || x == 2 || y == 2; }, CKyFillStyle::FS_96DPI,
       false,
       std::string(kHead) +
           "width=\"1.058334mm\" height=\"0.79375mm\" viewBox=\"0 0 4 3\">\n"
           "<title>8 chess &amp; co</title>\n"
           "<rect x=\"0\" y=\"0\" width=\"4\" height=\"3\" fill=\"#FFFFFF\"/>\n"
           "<path fill=\"#FF0000\" d=\"M1 0h2v2h-2zM0 2h4v1h-4z\"/>\n"
           "</svg>\n"},
      {"all background: only the rectangle", 8, 1, [](int, int) { return false; }, CKyFillStyle::FS_81DPI, false,
       std::string(kHead) +
           "width=\"2.508642mm\" height=\"0.313581mm\" viewBox=\"0 0 8 1\">\n"
           "<title>8 chess &amp; co</title>\n"
           "<rect x=\"0\" y=\"0\" width=\"8\" height=\"1\" fill=\"#FFFFFF\"/>\n"
           "</svg>\n"},
  };
  for (const BitmapCase& c : cases) {
    CKyFillStyle s;
    MakeBitmap(s, c.w, c.h, c.bit, c.res);
    std::string error;
    SvgColours colours{kRed, kWhite, c.transparent};
    EXPECT_EQ(StyleToSvg(s, colours, "8 chess & co", &error), c.expected) << c.name;
    EXPECT_EQ(error, "") << c.name;
  }
}

TEST(SvgWriter, OpacityWrapsTheDrawingAndNotTheTitle) {
  CKyFillStyle s;
  MakeBitmap(s, 2, 1, [](int x, int) { return x == 0; }, CKyFillStyle::FS_254DPI);
  const std::string head = std::string(kHead) + "width=\"0.2mm\" height=\"0.1mm\" viewBox=\"0 0 2 1\">\n";
  const std::string drawing =
      "<rect x=\"0\" y=\"0\" width=\"2\" height=\"1\" fill=\"#FFFFFF\"/>\n"
      "<path fill=\"#FF0000\" d=\"M0 0h1v1h-1z\"/>\n";
  struct Case {
    const char* title;
    long rate;
    std::string expected;
  };
  const Case cases[] = {
      {"8 p", 100, head + "<title>8 p</title>\n" + drawing + "</svg>\n"},
      {"8 p", 50, head + "<title>8 p</title>\n<g opacity=\"0.5\">\n" + drawing + "</g>\n</svg>\n"},
      {"", 37, head + "<g opacity=\"0.37\">\n" + drawing + "</g>\n</svg>\n"},
      {"", 0, head + "<g opacity=\"0\">\n" + drawing + "</g>\n</svg>\n"},
  };
  for (const Case& c : cases) {
    std::string error;
    const std::string svg = StyleToSvg(s, SvgColours{kRed, kWhite, false}, c.title, &error);
    EXPECT_EQ(kyexport::WithOpacity(svg, c.rate), c.expected) << c.rate;
  }
}

TEST(SvgWriter, ColourPatternKeepsItsColoursAndTheCommonOneIsTheBase) {
  const COLORREF g = RGB(0, 128, 0), b = RGB(0, 0, 255);
  CByteArray bytes;
  kytest::ToArray(kytest::Colour24(3, 1, [&](int x, int) { return x == 0 ? b : g; }), bytes);
  CKyFillStyle s(9, "c", bytes, CKyFillStyle::FS_127DPI);
  // The caller's colours and transparency do not touch a colour picture.
  const std::string svg = StyleToSvg(s, SvgColours{kRed, kWhite, true}, "", nullptr);
  EXPECT_EQ(svg, std::string(kHead) +
                     "width=\"0.6mm\" height=\"0.2mm\" viewBox=\"0 0 3 1\">\n"
                     "<rect x=\"0\" y=\"0\" width=\"3\" height=\"1\" fill=\"#008000\"/>\n"
                     "<path fill=\"#0000FF\" d=\"M0 0h1v1h-1z\"/>\n"
                     "</svg>\n");
}

TEST(SvgWriter, TopDownRowsReadFromTheTop) {
  // The same 2 x 2 image stored top row first (negative height): the set
  // pixel (1, 0) must stay at the top right.
  std::vector<uint8_t> bmp = kytest::Mono(2, 2, [](int x, int y) { return x == 1 && y == 0; });
  std::swap_ranges(bmp.begin() + 62, bmp.begin() + 66, bmp.begin() + 66);  // rows swapped: top first
  kytest::PutLE(bmp, 22, static_cast<uint32_t>(-2), 4);
  CByteArray bytes;
  kytest::ToArray(bmp, bytes);
  CKyFillStyle s(8, "t", bytes, CKyFillStyle::FS_254DPI);
  const std::string svg = StyleToSvg(s, SvgColours{kRed, kWhite, true}, "", nullptr);
  EXPECT_NE(svg.find("<path fill=\"#FF0000\" d=\"M1 0h1v1h-1z\"/>"), std::string::npos) << svg;
}

TEST(SvgWriter, WidthsAreRoundedUpSoReadersKeepWholePixelsAnUnknownResolutionIs81Dpi) {
  struct Case {
    int pixels;
    CKyFillStyle::FS_RESOLUTION res;
    double mm;
  };
  // 16 pixels of 96 dpi are 4.2333... mm: 4.233333 would come out at
  // 15.99999 pixels on a 96-dpi device, which readers cut down to 15.
  const Case cases[] = {{16, CKyFillStyle::FS_96DPI, 4.233334},
                        {16, CKyFillStyle::FS_150DPI, 2.709334},
                        {8, CKyFillStyle::FS_254DPI, 0.8},
                        {10, CKyFillStyle::FS_127DPI, 2.0}};
  for (const Case& c : cases) {
    CKyFillStyle s;
    MakeBitmap(s, c.pixels, 1, [](int, int) { return true; }, c.res);
    kyexport::SvgTile tile;
    std::string error;
    ASSERT_TRUE(kyexport::SvgTileOf(s, &tile, &error));
    EXPECT_DOUBLE_EQ(tile.widthMm, c.mm) << c.pixels << " at " << c.res;
    EXPECT_GE(tile.widthMm / 25.4 * static_cast<int>(c.res), c.pixels) << c.pixels << " at " << c.res;
  }
  // An unknown resolution counts as the default.
  CKyFillStyle s;
  MakeBitmap(s, 8, 8, [](int, int) { return true; }, CKyFillStyle::FS_81DPI);
  s.SetResolution(static_cast<CKyFillStyle::FS_RESOLUTION>(0));
  kyexport::SvgTile tile;
  std::string error;
  ASSERT_TRUE(kyexport::SvgTileOf(s, &tile, &error));
  EXPECT_DOUBLE_EQ(tile.widthMm, 2.508642);  // 8 * 25.4 / 81, rounded up to the micrometre
  EXPECT_EQ(tile.viewWidth, 8);
}

TEST(SvgWriter, BadStylesSayWhy) {
  struct Case {
    const char* name;
    void (*make)(CKyFillStyle&);
    std::string error;
  };
  const Case cases[] = {
      {"no pattern", [](CKyFillStyle&) {}, "has no pattern image"},
      {"damaged image",
       [](CKyFillStyle& s) {
         CByteArray b;
         kytest::ToArray({'B', 'M', 1, 2, 3}, b);
         s.CreateFillStyle(8, "x", b, CKyFillStyle::FS_81DPI);
       },
       "has a damaged pattern image"},
      {"empty symbol tile", [](CKyFillStyle& s) { s.CreateFillStyleVector(8, "v", 0, 100); },
       "has a symbol tile of 0 x 100 tenths of a millimetre (1 to 10000 are drawable)"},
      {"symbol missing",
       [](CKyFillStyle& s) {
         s.CreateFillStyleVector(8, "v", 100, 100);
         s.GetFillStyleVector()->SetSymID(77);
         s.GetFillStyleVector()->AddPoint(CPoint(10, 10));
       },
       "draws symbol 77, which the library's symbol library lacks"},
  };
  for (const Case& c : cases) {
    CKyFillStyle s;
    c.make(s);
    std::string error;
    EXPECT_EQ(StyleToSvg(s, SvgColours{}, "", &error), "") << c.name;
    EXPECT_EQ(error, c.error) << c.name;
  }
}

CKySymLib OneSymbolLib() {
  CKySymLib lib;
  auto* sym = new CKySymbol;
  sym->SetSymId(5);
  auto* dot = new CKySymStroke;
  EXPECT_TRUE(dot->MakeStroke_FilledEllipse(CPoint2D(-0.25, -0.25), CPoint2D(0.25, 0.25), 0, FALSE, 0));
  sym->AddStroke(dot);
  auto* bar = new CKySymStroke;
  const CPoint2D pts[] = {{-0.5, 0}, {0.5, 0}};
  EXPECT_TRUE(bar->MakeStroke_Polyline(pts, 2, 0.1, 0, FALSE, 0));
  sym->AddStroke(bar);
  EXPECT_TRUE(lib.AddSymbol(sym));
  return lib;
}

TEST(SvgWriter, SymbolPatternExactly) {
  struct Case {
    const char* name;
    long angle;
    bool transparent;
    std::string body;
  };
  // A dot of half a symbol size under a bar of one symbol size, the symbol
  // 60 tenths of a millimetre, at (50, 40) of a 100 x 80 tile: far enough
  // from every edge that it is drawn once.
  const Case cases[] = {
      {"upright", 0, false,
       "<rect x=\"0\" y=\"0\" width=\"100\" height=\"80\" fill=\"#FFFFFF\"/>\n"
       "<ellipse cx=\"50\" cy=\"40\" rx=\"15\" ry=\"15\" fill=\"#FF0000\" stroke=\"none\"/>\n"
       "<polyline points=\"20,40 80,40\" fill=\"none\" stroke=\"#FF0000\" stroke-width=\"6\" "
       "stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n"},
      // A quarter turn counter-clockwise stands the bar up: its right end
      // goes to the top.
      {"quarter turn, transparent", 900, true,
       "<rect x=\"0\" y=\"0\" width=\"100\" height=\"80\" fill=\"none\"/>\n"
       "<ellipse cx=\"50\" cy=\"40\" rx=\"15\" ry=\"15\" transform=\"rotate(-90 50 40)\" fill=\"#FF0000\" "
       "stroke=\"none\"/>\n"
       "<polyline points=\"50,70 50,10\" fill=\"none\" stroke=\"#FF0000\" stroke-width=\"6\" "
       "stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n"},
  };
  CKySymLib lib = OneSymbolLib();
  for (const Case& c : cases) {
    CKyFillStyle s;
    s.CreateFillStyleVector(12, "sym", 100, 80);
    CKyFillStyleVector* v = s.GetFillStyleVector();
    v->SetSymID(5);
    v->SetSymAngle(c.angle);
    v->AddPoint(CPoint(50, 40));
    s.AttachSymLib(&lib);
    std::string error;
    EXPECT_EQ(StyleToSvg(s, SvgColours{kRed, kWhite, c.transparent}, "", &error),
              std::string(kHead) + "width=\"10mm\" height=\"8mm\" viewBox=\"0 0 100 80\">\n" + c.body + "</svg>\n")
        << c.name;
    EXPECT_EQ(error, "") << c.name;
  }
}

TEST(SvgWriter, SymbolNearAnEdgeIsRepeatedAcrossItAndCutToTheTile) {
  CKySymLib lib = OneSymbolLib();
  CKyFillStyle s;
  s.CreateFillStyleVector(12, "sym", 100, 100);
  s.GetFillStyleVector()->SetSymID(5);
  s.GetFillStyleVector()->AddPoint(CPoint(5, 95));
  s.AttachSymLib(&lib);
  const std::string svg = StyleToSvg(s, SvgColours{}, "", nullptr);
  // The point and its copies across the left edge, the bottom and that
  // corner all cross an edge: each is cut to the tile as polygons, and no
  // coordinate lies outside it.
  EXPECT_EQ(svg.find("<ellipse"), std::string::npos);
  EXPECT_EQ(svg.find("<polyline"), std::string::npos);
  size_t polygons = 0;
  for (size_t at = svg.find("<polygon points=\""); at != std::string::npos; at = svg.find("<polygon points=\"", at + 1)) {
    ++polygons;
    const size_t start = at + 16, end = svg.find('"', start);
    std::istringstream pts(svg.substr(start, end - start));
    double x, y;
    char comma;
    while (pts >> x >> comma >> y) {
      EXPECT_TRUE(x >= 0 && x <= 100 && y >= 0 && y <= 100) << x << "," << y;
    }
  }
  EXPECT_GT(polygons, 4u);
  // The dot's centre copies: the one across the bottom-left corner covers
  // the tile's bottom-left pixel area around (5, 95) as well as the top
  // right around (105, -5) -> (100, 0).
  EXPECT_NE(svg.find("100,0"), std::string::npos);
}

TEST(SvgWriter, SymbolPatternWithoutPointsIsPlainBackground) {
  CKyFillStyle s;
  s.CreateFillStyleVector(12, "empty", 50, 50);
  EXPECT_EQ(StyleToSvg(s, SvgColours{0, RGB(1, 2, 3), false}, "", nullptr),
            std::string(kHead) + "width=\"5mm\" height=\"5mm\" viewBox=\"0 0 50 50\">\n"
                                 "<rect x=\"0\" y=\"0\" width=\"50\" height=\"50\" fill=\"#010203\"/>\n</svg>\n");
}

}  // namespace
