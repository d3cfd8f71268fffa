// The mixing of raw device bits in every layout, the rounding helper and
// the print tiling of CKyEspecialFill.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "KyEspecialFill.h"

namespace {

class Fill : public CKyEspecialFill {
 public:
  using CKyEspecialFill::ClampRate;
  using CKyEspecialFill::MixBits;
  using CKyEspecialFill::MixColour;
  using CKyEspecialFill::Near;
  using CKyEspecialFill::SplitRect;
};

int Mix(int below, int over, long rate) { return below * (100 - rate) / 100 + over * rate / 100; }

WORD Word(const std::vector<BYTE>& v, size_t at) { return static_cast<WORD>(v[at] | (v[at + 1] << 8)); }
void PutWord(std::vector<BYTE>& v, size_t at, WORD w) {
  v[at] = static_cast<BYTE>(w);
  v[at + 1] = static_cast<BYTE>(w >> 8);
}

// Rate 50 of pure red over white, in each layout's component widths.
TEST(EspecialFillMix, HalfRedOverWhiteInEveryLayout) {
  const struct {
    const char* name;
    int bpp, width;
    std::vector<BYTE> row, expect;
  } cases[] = {
      {"32 bits keep the fourth byte", 32, 1, {0xFF, 0xFF, 0xFF, 0x5A}, {0x7F, 0x7F, 0xFE, 0x5A}},
      // Two pixels in a row of 6 bytes plus 2 bytes of padding that must stay.
      {"24 bits keep the padding", 24, 2, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xAB, 0xCD},
       {0x7F, 0x7F, 0xFE, 0x7F, 0x7F, 0xFE, 0xAB, 0xCD}},
      // Word 0xF3EF: red 15 + 15, green 31, blue 15.
      {"16 bits", 16, 1, {0xFF, 0xFF}, {0xEF, 0xF3}},
      // Words 0xFFFF and 0x7FFF: red 15 + 15 = 30, green 15, blue 15, and
      // the top bit stays as it was.
      {"15 bits keep the top bit", 15, 2, {0xFF, 0xFF, 0xFF, 0x7F}, {0xEF, 0xF9, 0xEF, 0x79}},
  };
  for (const auto& c : cases) {
    std::vector<BYTE> px = c.row;
    Fill::MixColour(px.data(), static_cast<LONG>(px.size()), c.bpp, c.width, 1, RGB(255, 0, 0), 50);
    EXPECT_EQ(px, c.expect) << c.name;
  }
}

TEST(EspecialFillMix, OtherDepthsAreLeftAlone) {
  for (int bpp : {1, 4, 8, 17, 48}) {
    std::vector<BYTE> px(16, 0x33), before = px;
    Fill::MixColour(px.data(), 16, bpp, 4, 1, RGB(1, 2, 3), 40);
    std::vector<BYTE> over(16, 0x99);
    Fill::MixBits(px.data(), over.data(), nullptr, 16, bpp, 4, 1, 40);
    EXPECT_EQ(px, before) << bpp << " bits";
  }
}

// Every component value at every rate, over rows long enough for the four
// pixel steps and with a tail, against the formula itself.
TEST(EspecialFillMix, EveryValueAtEveryRateIn32Bits) {
  const int width = 256 + 3;
  std::vector<BYTE> row(4 * width);
  for (long rate = 1; rate <= 99; ++rate) {
    for (int x = 0; x < width; ++x) {
      row[4 * x] = static_cast<BYTE>(x);
      row[4 * x + 1] = static_cast<BYTE>(255 - x);
      row[4 * x + 2] = static_cast<BYTE>(x * 7);
      row[4 * x + 3] = static_cast<BYTE>(x ^ 0x55);
    }
    const COLORREF cr = RGB(rate * 2, 255 - rate, rate * 37 % 256);
    Fill::MixColour(row.data(), 4 * width, 32, width, 1, cr, rate);
    for (int x = 0; x < width; ++x) {
      ASSERT_EQ(row[4 * x], Mix(static_cast<BYTE>(x), (cr >> 16) & 0xFF, rate)) << "rate " << rate << " x " << x;
      ASSERT_EQ(row[4 * x + 1], Mix(static_cast<BYTE>(255 - x), (cr >> 8) & 0xFF, rate)) << rate << " " << x;
      ASSERT_EQ(row[4 * x + 2], Mix(static_cast<BYTE>(x * 7), cr & 0xFF, rate)) << rate << " " << x;
      ASSERT_EQ(row[4 * x + 3], static_cast<BYTE>(x ^ 0x55)) << rate << " " << x;
    }
  }
}

TEST(EspecialFillMix, EveryWordAtSomeRatesIn16And15Bits) {
  for (int bpp : {16, 15}) {
    for (long rate : {1L, 33L, 50L, 99L}) {
      std::vector<BYTE> px(2 * 65536);
      for (int w = 0; w < 65536; ++w) PutWord(px, 2 * w, static_cast<WORD>(w));
      const COLORREF cr = RGB(200, 100, 50);
      Fill::MixColour(px.data(), 2 * 65536, bpp, 65536, 1, cr, rate);
      for (int w = 0; w < 65536; ++w) {
        int expect;
        if (bpp == 16)
          expect = (Mix(w >> 11, 200 >> 3, rate) << 11) | (Mix((w >> 5) & 63, 100 >> 2, rate) << 5) |
                   Mix(w & 31, 50 >> 3, rate);
        else
          expect = (w & 0x8000) | (Mix((w >> 10) & 31, 200 >> 3, rate) << 10) |
                   (Mix((w >> 5) & 31, 100 >> 3, rate) << 5) | Mix(w & 31, 50 >> 3, rate);
        ASSERT_EQ(Word(px, 2 * w), expect) << bpp << " bits, rate " << rate << ", word " << w;
      }
    }
  }
}

TEST(EspecialFillMix, RowsStopAtTheirWidthAndStride) {
  // Two rows of 3 pixels in 32 bits with 16-byte strides: the fourth pixel
  // of each row is outside the width and must not change.
  std::vector<BYTE> px(32, 0xFF);
  Fill::MixColour(px.data(), 16, 32, 3, 2, RGB(0, 0, 0), 50);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x)
      for (int c = 0; c < 3; ++c)
        EXPECT_EQ(px[16 * y + 4 * x + c], x < 3 ? 0x7F : 0xFF) << y << "," << x;
  // A width past the stride is held to the stride.
  std::vector<BYTE> small(8, 0xFF);
  Fill::MixColour(small.data(), 8, 32, 1000, 1, RGB(0, 0, 0), 50);
  EXPECT_EQ(small, (std::vector<BYTE>{0x7F, 0x7F, 0x7F, 0xFF, 0x7F, 0x7F, 0x7F, 0xFF}));
}

struct BitsCase {
  const char* name;
  int bpp;
  std::vector<BYTE> below, over, mask;
  long rate;
  std::vector<BYTE> expect;
};

TEST(EspecialFillMix, BitmapOverDeviceWithAndWithoutMask) {
  const std::vector<BYTE> none;
  const BitsCase cases[] = {
      {"32 no mask", 32, {10, 20, 30, 40}, {200, 100, 0, 9}, none, 25, {57, 40, 22, 40}},
      {"24 no mask", 24, {10, 20, 30}, {200, 100, 0}, none, 25, {57, 40, 22}},
      // Mask black in the first pixel only (the fourth byte does not count).
      {"32 mask", 32, {10, 20, 30, 40, 10, 20, 30, 40}, {200, 100, 0, 9, 200, 100, 0, 9},
       {0, 0, 0, 0xFF, 0, 1, 0, 0}, 25, {57, 40, 22, 40, 10, 20, 30, 40}},
      {"24 mask", 24, {10, 20, 30, 10, 20, 30}, {200, 100, 0, 200, 100, 0}, {0, 0, 0, 0, 0, 1}, 25,
       {57, 40, 22, 10, 20, 30}},
      // 16 bits: black is the whole word 0.
      {"16 mask", 16, {0xFF, 0xFF, 0xFF, 0xFF}, {0x00, 0xF8, 0x00, 0xF8}, {0, 0, 0, 0x80}, 50,
       {0xEF, 0xF3, 0xFF, 0xFF}},
      // 15 bits: bit 15 of the mask does not count, bit 15 of the device stays.
      {"15 mask", 15, {0xFF, 0xFF, 0xFF, 0x7F}, {0x00, 0x7C, 0x00, 0x7C}, {0, 0x80, 1, 0}, 50,
       {0xEF, 0xF9, 0xFF, 0x7F}},
  };
  for (const BitsCase& c : cases) {
    std::vector<BYTE> below = c.below;
    const int bytes = c.bpp == 32 ? 4 : c.bpp == 24 ? 3 : 2;
    const int width = static_cast<int>(below.size()) / bytes;
    Fill::MixBits(below.data(), c.over.data(), c.mask.empty() ? nullptr : c.mask.data(),
                  static_cast<LONG>(below.size()), c.bpp, width, 1, c.rate);
    EXPECT_EQ(below, c.expect) << c.name;
  }
}

TEST(EspecialFillMix, NearRoundsHalfAwayFromZeroAndRatesClampToPercent) {
  const struct {
    double v;
    int near;
  } rounding[] = {{2.5, 3}, {2.49, 2}, {-2.5, -3}, {-2.49, -2}, {0.0, 0}, {-0.4, 0}};
  for (const auto& c : rounding) EXPECT_EQ(Fill::Near(c.v), c.near) << c.v;
  const struct {
    long rate, clamped;
  } rates[] = {{-5, 0}, {0, 0}, {37, 37}, {250, 100}};
  for (const auto& c : rates) EXPECT_EQ(Fill::ClampRate(c.rate), c.clamped) << c.rate;
}

TEST(EspecialFillSplit, FullTilesThenRightColumnBottomRowAndCorner) {
  const struct {
    const char* name;
    CRect rect;
    CSize tile;
    std::vector<CRect> expect;
  } cases[] = {
      // No full tile fits the height: the right column is empty, the bottom
      // row holds two 2000-pixel tiles and the corner the 1000-pixel piece.
      {"print rectangle of 5000 x 300", CRect(0, 0, 5000, 300), CSize(2000, 2000),
       {CRect(0, 0, 2000, 300), CRect(2000, 0, 4000, 300), CRect(4000, 0, 5000, 300)}},
      {"full tiles first", CRect(10, 20, 10 + 250, 20 + 230), CSize(100, 100),
       {
           CRect(10, 20, 110, 120), CRect(110, 20, 210, 120),    // full tiles
           CRect(10, 120, 110, 220), CRect(110, 120, 210, 220),  //
           CRect(210, 20, 260, 120), CRect(210, 120, 260, 220),  // right column
           CRect(10, 220, 110, 250), CRect(110, 220, 210, 250),  // bottom row
           CRect(210, 220, 260, 250),                            // corner
       }},
      // A tile of 0 counts as 1.
      {"tiles of 0", CRect(0, 0, 2, 1), CSize(0, 0), {CRect(0, 0, 1, 1), CRect(1, 0, 2, 1)}},
      {"empty rectangle", CRect(5, 5, 5, 9), CSize(10, 10), {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Fill::SplitRect(c.rect, c.tile), c.expect) << c.name;
  // A rectangle of a y-up mapping is normalized first; negative tile sizes
  // count by their magnitude.
  EXPECT_EQ(Fill::SplitRect(CRect(0, 300, 500, 0), CSize(200, -200)).size(), 6u);
}

}  // namespace
