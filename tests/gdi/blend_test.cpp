// The blend column: GdiBlendRect and GdiBlendBlt against the mixing rule
// written out per format, over every component value and every rate, with
// and without a mask, through clipping and mapping, and refusing what they
// cannot mix. The suite runs again with KYGDI_NO_FAST_PATHS=1, so the fast
// paths and the general loops are both held to the rule.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gdi_fixture.h"
#include "gdiblend.h"

namespace {

struct Format {
  int bpp;
  int bytes;
  int shift[3];  // red, green, blue
  int width[3];
  uint32_t keep;  // bits that are not colour
};

const Format kFormats[] = {
    {32, 4, {16, 8, 0}, {8, 8, 8}, 0xFF000000u},
    {24, 3, {16, 8, 0}, {8, 8, 8}, 0},
    {16, 2, {11, 5, 0}, {5, 6, 5}, 0},
    {15, 2, {10, 5, 0}, {5, 5, 5}, 0x8000u},
};

uint32_t Load(const uint8_t* p, int n) {
  uint32_t v = 0;
  for (int i = 0; i < n; ++i) v |= uint32_t(p[i]) << (8 * i);
  return v;
}
void Store(uint8_t* p, int n, uint32_t v) {
  for (int i = 0; i < n; ++i) p[i] = uint8_t(v >> (8 * i));
}

// The rule, per component: below * (100 - rate) / 100 + over * rate / 100.
uint32_t Mix(const Format& f, uint32_t below, uint32_t over, int rate) {
  uint32_t out = below & f.keep;
  for (int c = 0; c < 3; ++c) {
    const uint32_t m = (1u << f.width[c]) - 1;
    const uint32_t b = (below >> f.shift[c]) & m, o = (over >> f.shift[c]) & m;
    out |= (b * uint32_t(100 - rate) / 100 + o * uint32_t(rate) / 100) << f.shift[c];
  }
  return out;
}

// A colour in the format's own fields (what the platform makes of it).
uint32_t PixelOf(const Format& f, COLORREF c) {
  const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  const int in[3] = {r, g, b};
  uint32_t v = 0;
  for (int k = 0; k < 3; ++k) v |= uint32_t(in[k] >> (8 - f.width[k])) << f.shift[k];
  return v;
}

// Rows whose bytes walk every value 0..255 (the top bit of a 15-bit
// word included), one row per start value, so that every component value
// meets every other.
std::vector<uint8_t> Walk(int stride, int rows, int seed) {
  std::vector<uint8_t> v(size_t(stride) * rows);
  for (size_t i = 0; i < v.size(); ++i) v[i] = uint8_t(i * 7 + seed * 13 + (i / size_t(stride)) * 29);
  return v;
}

// GdiBlendRect with a colour, and GdiBlendBlt without and with a mask, on
// rows of 261 pixels: the vector loops take 8 or 4 at a time, and the
// pixels they leave over are mixed too.
TEST(GdiBlend, RectAndBltMixEveryValueAtEveryRate) {
  enum Kind { kRect, kBlt, kMaskedBlt };
  constexpr int kW = 261;
  for (const Format& f : kFormats)
    for (Kind kind : {kRect, kBlt, kMaskedBlt}) {
      TestCanvas dst(kW, 2, f.bpp), src(kW, 2, f.bpp);
      const HBITMAP mask = CreateBitmap(kW, 2, 1, UINT(f.bpp), nullptr);
      const std::vector<uint8_t> below = Walk(int(dst.Bytes().size() / 2), 2, 1);
      const std::vector<uint8_t> over = Walk(int(below.size() / 2), 2, 5);
      const int stride = int(below.size() / 2);
      // Black (colour bits 0, other bits set) every third pixel.
      std::vector<uint8_t> m(below.size(), 0xFF);
      for (int y = 0; y < 2; ++y)
        for (int x = 0; x < kW; x += 3) Store(&m[size_t(y) * stride + size_t(x) * f.bytes], f.bytes, f.keep);
      SetBitmapBits(mask, DWORD(m.size()), m.data());
      src.SetBytes(over);
      for (int rate = 1; rate <= 99; ++rate) {
        dst.SetBytes(below);
        const COLORREF colour = RGB(rate * 2 + 3, 255 - rate, rate * 37 % 256);
        RECT all{0, 0, kW, 2};
        const HBITMAP use_mask = kind == kMaskedBlt ? mask : nullptr;
        ASSERT_TRUE(kind == kRect ? GdiBlendRect(dst.dc(), &all, colour, rate)
                                  : GdiBlendBlt(dst.dc(), 0, 0, kW, 2, src.dc(), 0, 0, use_mask, rate))
            << f.bpp << " bpp, kind " << kind;
        const std::vector<uint8_t> got = dst.Bytes();
        for (int y = 0; y < 2; ++y)
          for (int x = 0; x < kW; ++x) {
            const size_t at = size_t(y) * stride + size_t(x) * f.bytes;
            const uint32_t b = Load(&below[at], f.bytes);
            const uint32_t o = kind == kRect ? PixelOf(f, colour) : Load(&over[at], f.bytes);
            const bool mixed = kind != kMaskedBlt || x % 3 == 0;
            ASSERT_EQ(mixed ? Mix(f, b, o, rate) : b, Load(&got[at], f.bytes))
                << f.bpp << " bpp, kind " << kind << ", rate " << rate << ", x " << x;
          }
      }
      DeleteObject(mask);
    }
}

TEST(GdiBlend, RulesExamples) {
  // Rate 50 of pure red over white: 32 bits B, G, R = 7F, 7F, FE and the
  // fourth byte kept; 16 bits 0xF3EF.
  struct Case {
    int bpp;
    std::vector<uint8_t> white, want;
  };
  const Case cases[] = {
      {32, {0xFF, 0xFF, 0xFF, 0x5A}, {0x7F, 0x7F, 0xFE, 0x5A}},
      {24, {0xFF, 0xFF, 0xFF}, {0x7F, 0x7F, 0xFE}},
      {16, {0xFF, 0xFF}, {0xEF, 0xF3}},
      {15, {0xFF, 0xFF}, {0xEF, 0xF9}},  // red 15 + 15, green 15, blue 15, bit 15 kept
  };
  for (const Case& c : cases) {
    TestCanvas canvas(1, 1, c.bpp);
    std::vector<uint8_t> bits = canvas.Bytes();
    std::copy(c.white.begin(), c.white.end(), bits.begin());
    canvas.SetBytes(bits);
    RECT r{0, 0, 1, 1};
    ASSERT_TRUE(GdiBlendRect(canvas.dc(), &r, RGB(255, 0, 0), 50));
    const std::vector<uint8_t> got = canvas.Bytes();
    EXPECT_EQ(c.want, std::vector<uint8_t>(got.begin(), got.begin() + long(c.want.size()))) << c.bpp;
  }
}

TEST(GdiBlend, ClippingMappingAndTheSourcesEdge) {
  TestCanvas dst(10, 6, 32, RGB(0, 0, 0)), src(4, 4, 32, RGB(200, 100, 0));
  // The clip keeps columns 0..5; the window origin moves logical (2, 1) to
  // device (0, 0); a 6 x 6 copy from the 4 x 4 source takes 4 x 4 of it.
  HRGN clip = CreateRectRgn(0, 0, 6, 6);
  SelectClipRgn(dst.dc(), clip);
  SetWindowOrgEx(dst.dc(), 2, 1, nullptr);
  ASSERT_TRUE(GdiBlendBlt(dst.dc(), 5, 2, 6, 6, src.dc(), 0, 0, nullptr, 50));
  SetWindowOrgEx(dst.dc(), 0, 0, nullptr);
  EXPECT_EQ(Rows({"..........",
                  "...###....",
                  "...###....",
                  "...###....",
                  "...###....",
                  ".........."}),
            dst.Picture(RGB(100, 50, 0)));
  DeleteObject(clip);
}

TEST(GdiBlend, RefusesWhatItCannotMix) {
  TestCanvas d32(4, 4, 32), d8(4, 4, 8), s24(4, 4, 24), s32(4, 4, 32);
  RECT r{0, 0, 4, 4};
  SetLastError(0);
  EXPECT_FALSE(GdiBlendRect(d8.dc(), &r, 0, 50));
  EXPECT_EQ(DWORD(ERROR_NOT_SUPPORTED), GetLastError());
  EXPECT_FALSE(GdiBlendRect(d32.dc(), &r, 0, 0));
  EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());
  EXPECT_FALSE(GdiBlendRect(d32.dc(), &r, 0, 100));
  EXPECT_FALSE(GdiBlendRect(d32.dc(), nullptr, 0, 50));
  EXPECT_FALSE(GdiBlendRect(nullptr, &r, 0, 50));
  EXPECT_FALSE(GdiBlendBlt(d32.dc(), 0, 0, 4, 4, s24.dc(), 0, 0, nullptr, 50));
  EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());
  EXPECT_FALSE(GdiBlendBlt(d32.dc(), 0, 0, 4, 4, d32.dc(), 0, 0, nullptr, 50));
  EXPECT_FALSE(GdiBlendBlt(d32.dc(), 0, 0, 4, 4, s32.dc(), 0, 0, s24.bitmap(), 50));
  EXPECT_FALSE(GdiBlendBlt(d8.dc(), 0, 0, 4, 4, d8.dc(), 0, 0, nullptr, 50));
  // Nothing to mix is success.
  EXPECT_TRUE(GdiBlendBlt(d32.dc(), 0, 0, 0, 4, s32.dc(), 0, 0, nullptr, 50));
  EXPECT_TRUE(GdiBlendBlt(d32.dc(), 0, 0, 4, 4, s32.dc(), 9, 9, nullptr, 50));
  RECT outside{20, 20, 30, 30};
  EXPECT_TRUE(GdiBlendRect(d32.dc(), &outside, 0, 50));
}

}  // namespace
