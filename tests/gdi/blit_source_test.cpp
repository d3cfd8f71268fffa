// The source rows of a blit: every pair of formats through the row
// converter, straight and stretched, against one pixel at a time through
// SetPixel into a bitmap of the destination's format.
#include <string>

#include "gdi_fixture.h"

namespace {

// Colours that every format keeps apart (all are entries of the 8-bit
// palette), in a row that does not repeat within a tile of the source.
const COLORREF kColours[] = {RGB(0, 0, 0),     RGB(255, 255, 255), RGB(255, 0, 0), RGB(0, 255, 0),
                             RGB(0, 0, 255),   RGB(128, 128, 128), RGB(255, 255, 0)};
constexpr int kCount = int(sizeof kColours / sizeof kColours[0]);

const COLORREF kText = RGB(255, 0, 0), kBack = RGB(0, 0, 255);  // the destination's, for monochrome sources
const COLORREF kSourceBack = RGB(255, 255, 255);               // the source's, for monochrome destinations

// Source pixel (x, y): the colours in turn, shifted each row.
COLORREF SourceColour(int x, int y) { return kColours[(x + 2 * y) % kCount]; }

// What the destination holds for a source pixel that reads back as `c`
// from a source of src_bpp: a monochrome source takes the destination's
// text colour for black and its background colour for white; a monochrome
// destination is white where the source has its background colour.
COLORREF Expected(COLORREF c, int src_bpp, int dst_bpp) {
  COLORREF want = c;
  if (src_bpp == 1 && dst_bpp != 1) want = c == RGB(255, 255, 255) ? kBack : kText;
  if (dst_bpp == 1 && src_bpp != 1) want = c == kSourceBack ? RGB(255, 255, 255) : RGB(0, 0, 0);
  TestCanvas one(1, 1, dst_bpp);
  SetPixel(one.dc(), 0, 0, want);
  return one.At(0, 0);
}

struct Blit {
  const char* name;
  int dst_w, dst_h;  // the source is 9 x 4, copied whole
};

TEST(SourceRows, EveryPairOfFormatsStraightAndStretched) {
  // Rows of 37 pixels: the converters' vector loops and their scalar tails.
  const int SW = 37, SH = 4;
  const Blit blits[] = {
      {"straight", SW, SH},
      {"twice as large", 2 * SW, 2 * SH},
      {"three halves", SW * 3 / 2, SH * 3 / 2},
  };
  for (int src_bpp : kAllBpp)
    for (int dst_bpp : kAllBpp)
      for (const Blit& b : blits) {
        TestCanvas src(SW, SH, src_bpp), dst(b.dst_w + 2, b.dst_h + 2, dst_bpp, RGB(0, 255, 0));
        for (int y = 0; y < SH; ++y)
          for (int x = 0; x < SW; ++x) SetPixel(src.dc(), x, y, SourceColour(x, y));
        SetTextColor(dst.dc(), kText);
        SetBkColor(dst.dc(), kBack);
        SetBkColor(src.dc(), kSourceBack);
        SetStretchBltMode(dst.dc(), COLORONCOLOR);
        ASSERT_TRUE(StretchBlt(dst.dc(), 1, 1, b.dst_w, b.dst_h, src.dc(), 0, 0, SW, SH, SRCCOPY));
        const std::string where = std::string(b.name) + " from " + std::to_string(src_bpp) + " to " +
                                  std::to_string(dst_bpp);
        for (int y = 0; y < b.dst_h; ++y)
          for (int x = 0; x < b.dst_w; ++x) {
            // The source pixel whose centre maps nearest.
            const int sx = (2 * x + 1) * SW / (2 * b.dst_w), sy = (2 * y + 1) * SH / (2 * b.dst_h);
            ASSERT_EQ(dst.At(1 + x, 1 + y), Expected(src.At(sx, sy), src_bpp, dst_bpp))
                << where << " at " << x << "," << y;
          }
        // The frame around the blit stays.
        const COLORREF frame = Expected(RGB(0, 255, 0), dst_bpp, dst_bpp);
        for (int x = 0; x < b.dst_w + 2; ++x) {
          ASSERT_EQ(dst.At(x, 0), frame) << where;
          ASSERT_EQ(dst.At(x, b.dst_h + 1), frame) << where;
        }
      }
}

// A stretched source beside the destination in one bitmap.
TEST(SourceRows, StretchingWithinOneBitmap) {
  for (int bpp : kAllBpp) {
    TestCanvas c(8, 4, bpp, RGB(0, 0, 0));
    SetPixel(c.dc(), 0, 0, RGB(255, 255, 255));
    SetPixel(c.dc(), 1, 1, RGB(255, 255, 255));
    SetStretchBltMode(c.dc(), COLORONCOLOR);
    // Rows 0..1, columns 0..1 doubled into columns 4..7: each source row
    // lies above the rows it is drawn into.
    ASSERT_TRUE(StretchBlt(c.dc(), 4, 0, 4, 4, c.dc(), 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(c.Picture(RGB(255, 255, 255)), Rows({"#...##..", ".#..##..", "......##", "......##"})) << bpp;
  }
}

}  // namespace
