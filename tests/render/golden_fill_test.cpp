// Golden fill scenes. Each scene paints on a 128 x 96 device whose bits are
// all 0xCC before it starts, in 32, 24, 16, 15 and 8 bits, and is compared
// with two records in tests/golden:
//   <scene>-<bpp>.png   every pixel as a colour, for people and for the diff;
//   checksums.txt       a checksum of the raw bits, which also covers what a
//                       colour cannot show (the fourth byte at 32 bits, the
//                       top bit of a 15-bit word).
// No tolerance: these fills are integer arithmetic and must not move by one.
// A failure writes actual, expected and diff to test-dumps/golden/.
// scripts/regen-golden rewrites the records (KY_REGEN_GOLDEN=1); the new
// pictures are reviewed like code.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "KyEspecialFill.h"
#include "KyFillStyleLib.h"
#include "KySampleSymbols.h"
#include "KyVuv50.h"
#include "bmp_builder.h"
#include "especialfill_device.h"
#include "gdipng.h"
#include "lib_builder.h"

namespace {

constexpr int kW = 128, kH = 96;

std::string GoldenDir() {
  const char* data = std::getenv("KY_TEST_DATA");
  return std::string(data ? data : "tests/data") + "/../golden";
}

bool Regenerating() {
  const char* e = std::getenv("KY_REGEN_GOLDEN");
  return e && *e && *e != '0';
}

uint64_t Fnv1a(const std::vector<BYTE>& bytes) {
  uint64_t h = 1469598103934665603ull;
  for (BYTE b : bytes) h = (h ^ b) * 1099511628211ull;
  return h;
}

std::map<std::string, std::string> ReadChecksums() {
  std::map<std::string, std::string> out;
  std::ifstream f(GoldenDir() + "/checksums.txt");
  std::string name, sum;
  while (f >> name >> sum) out[name] = sum;
  return out;
}

void WriteChecksum(const std::string& name, const std::string& sum) {
  std::map<std::string, std::string> all = ReadChecksums();
  all[name] = sum;
  std::ofstream f(GoldenDir() + "/checksums.txt", std::ios::trunc);
  for (const auto& [n, s] : all) f << n << ' ' << s << '\n';
}

// An 8 x 8 two-colour pattern: a diagonal and a short bar, so that the
// tile's phase shows.
void DiagonalPattern(CByteArray& out) {
  kytest::ToArray(kytest::Mono(8, 8, [](int x, int y) { return x == y || (y == 6 && x < 3); }), out);
}

std::vector<POINT> Star(int cx, int cy, int r) {
  std::vector<POINT> pts;
  for (int i = 0; i < 10; ++i) {
    const double a = 3.141592653589793 / 2 + i * 3.141592653589793 / 5;
    const double rr = (i % 2 ? 0.4 : 1.0) * r;
    pts.push_back(POINT{static_cast<LONG>(cx + rr * std::cos(a)), static_cast<LONG>(cy - rr * std::sin(a))});
  }
  return pts;
}

// A pattern style prepared for the DC in its current background mode.
struct PatternStyle {
  explicit PatternStyle(CDC& dc) {
    CByteArray bytes;
    DiagonalPattern(bytes);
    style.CreateFillStyle(8, "diagonal", bytes, CKyFillStyle::FS_81DPI);
    CSize natural(0, 0);
    style.SetFillStyleEx(&dc, RGB(0, 0, 200), RGB(255, 240, 0), natural, 1.0);
  }
  CKyFillStyle style;
};

void PaintPattern(CDC& dc, int bkMode, long rate) {
  dc.SetBkMode(bkMode);
  PatternStyle p(dc);
  CRect r(5, 7, 123, 90);
  p.style.DisplayEx(&dc, &r, FALSE, rate);
}

void PaintHole(CDC& dc, int bkMode, long rate) {
  dc.SetBkMode(bkMode);
  PatternStyle p(dc);
  POINT pts[] = {{4, 4}, {124, 10}, {110, 92}, {8, 80}, {40, 30}, {90, 30}, {90, 70}, {40, 70}};
  int counts[] = {4, 4};
  p.style.PolyPolygon(&dc, pts, counts, 2, FALSE, rate);
}

void PaintSymbol(CDC& dc, int bkMode, long rate) {
  dc.SetBkMode(bkMode);
  CKyFillStyleLib lib;
  CKySymLib samples = KySampleSymbols();
  auto* star = new CKySymbol;
  *star = *samples.GetSymbol(kySampleStar);
  lib.AddSymbol(star);
  kytest::AddVector(lib, 8, "stars", 10);
  CKyFillStyle* style = lib.GetFillStyle(0);
  style->GetFillStyleVector()->AddPoint(CPoint(10, 70));
  CSize none(0, 0);
  style->SetFillStyleEx(&dc, RGB(200, 0, 0), RGB(220, 255, 220), none, 1.0);
  CRect r(3, 2, 120, 94);
  style->DisplayEx(&dc, &r, FALSE, rate);
}

void PaintGradient(CDC& dc, long type, long rate) {
  CRect r(6, 4, 122, 92);
  CKyEspecialFill::GradientRectangle(&dc, &r, RGB(250, 20, 0), RGB(0, 60, 240), 300, 20, -30, type, FALSE, rate);
}

struct Scene {
  const char* name;
  void (*paint)(CDC& dc);
};

const Scene kScenes[] = {
    {"opaque", [](CDC& dc) { PaintPattern(dc, OPAQUE, 100); }},
    {"transparent", [](CDC& dc) { PaintPattern(dc, TRANSPARENT, 100); }},
    {"transparent-rate50", [](CDC& dc) { PaintPattern(dc, TRANSPARENT, 50); }},
    {"rate50", [](CDC& dc) { PaintPattern(dc, OPAQUE, 50); }},
    {"rectangle-rate50",
     [](CDC& dc) {
       CRect a(10, 10, 100, 70), b(40, 30, 126, 95);
       CKyEspecialFill::TransparentRectangle(&dc, &a, RGB(255, 0, 0), FALSE, 50);
       CKyEspecialFill::TransparentRectangle(&dc, &b, RGB(0, 128, 255), FALSE, 33);
     }},
    {"star-rate40",
     [](CDC& dc) {
       std::vector<POINT> star = Star(64, 50, 46);
       CKyEspecialFill::TransparentPolygon(&dc, star.data(), static_cast<int>(star.size()), RGB(20, 200, 90), FALSE,
                                           40, nullptr);
     }},
    {"linear", [](CDC& dc) { PaintGradient(dc, CKyEspecialFill::GRADIENT_LINEAR, 100); }},
    {"radial", [](CDC& dc) { PaintGradient(dc, CKyEspecialFill::GRADIENT_RADIAL, 100); }},
    {"conical", [](CDC& dc) { PaintGradient(dc, CKyEspecialFill::GRADIENT_CONICAL, 100); }},
    {"square", [](CDC& dc) { PaintGradient(dc, CKyEspecialFill::GRADIENT_SQUARE, 100); }},
    {"radial-rate50", [](CDC& dc) { PaintGradient(dc, CKyEspecialFill::GRADIENT_RADIAL, 50); }},
    {"hole", [](CDC& dc) { PaintHole(dc, OPAQUE, 100); }},
    {"hole-rate50", [](CDC& dc) { PaintHole(dc, OPAQUE, 50); }},
    {"hole-transparent-rate70", [](CDC& dc) { PaintHole(dc, TRANSPARENT, 70); }},
    {"symbol", [](CDC& dc) { PaintSymbol(dc, OPAQUE, 100); }},
    {"symbol-transparent-rate60", [](CDC& dc) { PaintSymbol(dc, TRANSPARENT, 60); }},
};

const int kDepths[] = {32, 24, 16, 15, 8};

struct Case {
  const Scene* scene;
  int bpp;
  std::string Name() const { return std::string(scene->name) + "-" + std::to_string(bpp); }
};

// Test listings name the row, not the bytes of the struct.
void PrintTo(const Case& c, std::ostream* os) { *os << c.Name(); }

std::vector<Case> AllCases() {
  std::vector<Case> out;
  for (const Scene& s : kScenes)
    for (int bpp : kDepths) out.push_back(Case{&s, bpp});
  return out;
}

class GoldenFill : public ::testing::TestWithParam<Case> {};

void DumpFailure(const std::string& name, const std::vector<DWORD>& actual, const std::vector<DWORD>& expected) {
  const std::string dir = "test-dumps/golden";
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  GdiWritePngPixels((dir + "/" + name + "-actual.png").c_str(), kW, kH, actual.data());
  if (expected.size() == actual.size()) {
    GdiWritePngPixels((dir + "/" + name + "-expected.png").c_str(), kW, kH, expected.data());
    std::vector<DWORD> diff(actual.size());
    for (size_t i = 0; i < diff.size(); ++i) diff[i] = actual[i] == expected[i] ? 0x000000 : 0xFF00FF;
    GdiWritePngPixels((dir + "/" + name + "-diff.png").c_str(), kW, kH, diff.data());
  }
}

TEST_P(GoldenFill, PaintsThePixelsOnRecord) {
  const Case& c = GetParam();
  const std::string name = c.Name();
  kytest::FillDevice dev(kW, kH, c.bpp);
  {
    BITMAP bm = dev.Info();
    std::vector<BYTE> cc(static_cast<size_t>(bm.bmWidthBytes) * bm.bmHeight, 0xCC);
    ASSERT_EQ(cc.size(), dev.Bitmap().SetBitmapBits(static_cast<DWORD>(cc.size()), cc.data())) << name;
  }
  c.scene->paint(dev.dc);

  int w = 0, h = 0;
  std::vector<DWORD> actual;
  ASSERT_TRUE(GdiGetBitmapPixels(static_cast<HBITMAP>(dev.Bitmap().m_hObject), &w, &h, &actual)) << name;
  char sum[17];
  std::snprintf(sum, sizeof sum, "%016llx", static_cast<unsigned long long>(Fnv1a(dev.Raw())));
  const std::string png = GoldenDir() + "/" + name + ".png";

  if (Regenerating()) {
    std::filesystem::create_directories(GoldenDir());
    ASSERT_TRUE(GdiWritePngPixels(png.c_str(), w, h, actual.data())) << name;
    WriteChecksum(name, sum);
    return;
  }

  int ew = 0, eh = 0;
  std::vector<DWORD> expected;
  ASSERT_TRUE(GdiReadPngPixels(png.c_str(), &ew, &eh, &expected)) << name << ": no " << png;
  ASSERT_EQ(kW, ew) << name;
  ASSERT_EQ(kH, eh) << name;
  size_t differ = 0, first = 0;
  for (size_t i = 0; i < actual.size(); ++i)
    if (actual[i] != expected[i] && differ++ == 0) first = i;
  if (differ) DumpFailure(name, actual, expected);
  EXPECT_EQ(0u, differ) << name << ": first at (" << first % kW << ", " << first / kW << ") 0x" << std::hex
                        << actual[first] << " instead of 0x" << expected[first];
  EXPECT_EQ(ReadChecksums()[name], std::string(sum)) << name << ": raw bits differ";
}

INSTANTIATE_TEST_SUITE_P(Scenes, GoldenFill, ::testing::ValuesIn(AllCases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                           std::string n = info.param.Name();
                           for (char& ch : n)
                             if (ch == '-') ch = '_';
                           return n;
                         });

}  // namespace
