// The block columns of every format: a copy under each ROP3 that uses no
// pattern, and pattern rectangles under each ROP3 that uses no source. The
// bitmaps hold seeded bytes; the expected bytes come from the ROP3's truth
// table applied bit by bit, so every format, every offset and both the fast
// and the general loops (KYGDI_NO_FAST_PATHS=1) are held to the same bits.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "gdi_fixture.h"

namespace {

// Bits of storage per pixel: a 15-bit pixel fills a word.
int StorageBits(int bpp) { return bpp == 15 ? 16 : bpp; }
int StrideOf(int w, int bpp) { return ((w * StorageBits(bpp) + 15) / 16) * 2; }

std::vector<uint8_t> Seeded(size_t n, uint32_t seed) {
  std::vector<uint8_t> v(n);
  for (uint8_t& b : v) {
    seed = seed * 1664525u + 1013904223u;
    b = uint8_t(seed >> 24);
  }
  return v;
}

// A canvas of seeded bytes.
class RawCanvas : public TestCanvas {
 public:
  RawCanvas(int w, int h, int bpp, uint32_t seed) : TestCanvas(w, h, bpp) {
    SetBytes(Seeded(size_t(StrideOf(w, bpp)) * size_t(h), seed));
  }
};

// The storage bits of pixel (x, y): `count` bits from `bit` of byte `byte`.
struct PixelBits {
  size_t byte;
  int bit, count;
};
PixelBits BitsOf(int x, int y, int w, int bpp) {
  const size_t row = size_t(y) * size_t(StrideOf(w, bpp));
  if (bpp == 1) return {row + size_t(x / 8), 7 - x % 8, 1};
  return {row + size_t(x) * size_t(StorageBits(bpp) / 8), 0, StorageBits(bpp)};
}
// Bit i of a pixel's storage (bytes little-endian).
int GetBit(const std::vector<uint8_t>& v, PixelBits p, int i) {
  const int n = p.bit + i;
  return (v[p.byte + size_t(n / 8)] >> (n % 8)) & 1;
}
void SetBit(std::vector<uint8_t>& v, PixelBits p, int i, int value) {
  const int n = p.bit + i;
  uint8_t& b = v[p.byte + size_t(n / 8)];
  b = uint8_t((b & ~(1 << (n % 8))) | (value << (n % 8)));
}
bool Inside(const RECT& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

// The truth table: bit (P * 4 + S * 2 + D) of the code.
int Rop3Bit(int rop, int p, int s, int d) { return (rop >> (p * 4 + s * 2 + d)) & 1; }
// Bit i of the result at a pixel. A code that reads neither source nor
// pattern is an and/xor pair on the colour bits, which clears bit 15 of a
// 15-bit pixel; a code with a source or a pattern works on whole words.
int ResultBit(int bpp, int rop, int i, int p, int s, int d) {
  const bool reads_s = ((rop >> 2) ^ rop) & 0x33, reads_p = ((rop >> 4) ^ rop) & 0x0F;
  if (bpp == 15 && i == 15 && !reads_s && !reads_p) return 0;
  return Rop3Bit(rop, p, s, d);
}

std::string Where(int bpp, const char* rop, int x, int y) {
  return "bpp " + std::to_string(bpp) + " " + rop + " at " + std::to_string(x) + "," + std::to_string(y);
}

struct NamedRop {
  const char* name;
  int code;
};

// Every code that reads no pattern.
const NamedRop kSourceRops[] = {
    {"BLACKNESS", 0x00}, {"NOTSRCERASE", 0x11}, {"~S&D", 0x22},  {"NOTSRCCOPY", 0x33},
    {"SRCERASE", 0x44},  {"DSTINVERT", 0x55},   {"SRCINVERT", 0x66}, {"~(S&D)", 0x77},
    {"SRCAND", 0x88},    {"~(S^D)", 0x99},      {"D", 0xAA},       {"MERGEPAINT", 0xBB},
    {"SRCCOPY", 0xCC},   {"S|~D", 0xDD},        {"SRCPAINT", 0xEE}, {"WHITENESS", 0xFF},
};

// Every code that reads no source.
const NamedRop kPatternRops[] = {
    {"BLACKNESS", 0x00}, {"~(P|D)", 0x05}, {"~P&D", 0x0A},     {"~P", 0x0F},      {"P&~D", 0x50}, {"DSTINVERT", 0x55},
    {"PATINVERT", 0x5A}, {"~(P&D)", 0x5F}, {"P&D", 0xA0},      {"~(P^D)", 0xA5},  {"D", 0xAA},    {"~P|D", 0xAF},
    {"PATCOPY", 0xF0},   {"P|~D", 0xF5},   {"P|D", 0xFA},      {"WHITENESS", 0xFF},
};

TEST(BlockCopy, EveryFormatAndCodeGivesItsTruthTable) {
  const int W = 13, H = 5, SW = 11, SH = 4;
  for (int bpp : kAllBpp)
    for (const NamedRop& rop : kSourceRops) {
      RawCanvas dst(W, H, bpp, 1), src(SW, SH, bpp, 2);
      const std::vector<uint8_t> d0 = dst.Bytes(), s0 = src.Bytes();
      // Odd offsets, so that 1-bit rows start mid-byte on both sides.
      ASSERT_TRUE(BitBlt(dst.dc(), 3, 1, 9, 3, src.dc(), 1, 0, DWORD(rop.code) << 16));
      std::vector<uint8_t> want = d0;
      for (int y = 1; y < 4; ++y)
        for (int x = 3; x < 12; ++x) {
          PixelBits dp = BitsOf(x, y, W, bpp), sp = BitsOf(x - 2, y - 1, SW, bpp);
          for (int i = 0; i < dp.count; ++i)
            SetBit(want, dp, i, ResultBit(bpp, rop.code, i, 0, GetBit(s0, sp, i), GetBit(d0, dp, i)));
        }
      ASSERT_EQ(dst.Bytes(), want) << "bpp " << bpp << " " << rop.name;
    }
}

// A few pixels written out, so that the truth-table model is itself pinned.
TEST(BlockCopy, PinnedPixels) {
  struct Case {
    const char* name;
    int bpp;
    DWORD rop;
    std::vector<uint8_t> d, s, want;
  } cases[] = {
      {"32 SRCINVERT", 32, SRCINVERT, {0x12, 0x34, 0x56, 0x00}, {0xFF, 0x00, 0x0F, 0x00}, {0xED, 0x34, 0x59, 0x00}},
      {"32 SRCAND", 32, SRCAND, {0x12, 0x34, 0x56, 0x78}, {0xF0, 0x0F, 0xFF, 0x00}, {0x10, 0x04, 0x56, 0x00}},
      {"24 NOTSRCCOPY", 24, NOTSRCCOPY, {0x00, 0x00, 0x00, 0, 0, 0}, {0x01, 0x80, 0xFE, 0x10, 0x20, 0x30},
       {0xFE, 0x7F, 0x01, 0xEF, 0xDF, 0xCF}},
      {"16 SRCPAINT", 16, SRCPAINT, {0x1F, 0x00}, {0x00, 0xF8}, {0x1F, 0xF8}},
      {"15 SRCINVERT", 15, SRCINVERT, {0x00, 0x80}, {0xFF, 0xFF}, {0xFF, 0x7F}},
      {"15 DSTINVERT", 15, DSTINVERT, {0x00, 0x80}, {0x00, 0x00}, {0xFF, 0x7F}},
      {"8 SRCERASE", 8, SRCERASE, {0x0F, 0xF0}, {0xFF, 0xFF}, {0xF0, 0x0F}},
      {"1 MERGEPAINT", 1, MERGEPAINT, {0x0F, 0x00}, {0x3C, 0x00}, {0xCF, 0xFF}},
  };
  for (const Case& c : cases) {
    const int w = int(c.d.size() * 8 / size_t(StorageBits(c.bpp)));
    const int h = 1;
    RawCanvas dst(w, h, c.bpp, 0), src(w, h, c.bpp, 0);
    dst.SetBytes(c.d);
    src.SetBytes(c.s);
    ASSERT_TRUE(BitBlt(dst.dc(), 0, 0, w, h, src.dc(), 0, 0, c.rop)) << c.name;
    EXPECT_EQ(dst.Bytes(), c.want) << c.name;
  }
}

// Within one bitmap every source pixel is read before it is written, with
// one clip rectangle and when the clip splits the destination into several.
TEST(BlockCopy, WithinOneBitmapReadsEverySourcePixelFirst) {
  const int W = 12, H = 8;
  struct Clip {
    const char* name;
    RECT a, b;
  } clips[] = {
      {"whole bitmap", {0, 0, 12, 8}, {0, 0, 0, 0}},
      {"side by side", {0, 0, 5, 8}, {6, 0, 12, 8}},
      {"one above the other", {0, 0, 12, 3}, {0, 4, 12, 8}},
  };
  const POINT shifts[] = {{2, 0}, {-2, 0}, {0, 2}, {0, -2}, {3, 1}, {-1, -3}, {1, 1}, {-1, -1}};
  const NamedRop rops[] = {{"SRCCOPY", 0xCC}, {"SRCINVERT", 0x66}};
  for (int bpp : kAllBpp)
    for (const Clip& clip : clips)
      for (POINT sh : shifts)
        for (const NamedRop& rop : rops) {
          RawCanvas c(W, H, bpp, 7);
          HRGN a = CreateRectRgn(clip.a.left, clip.a.top, clip.a.right, clip.a.bottom);
          HRGN b = CreateRectRgn(clip.b.left, clip.b.top, clip.b.right, clip.b.bottom);
          CombineRgn(a, a, b, RGN_OR);
          SelectClipRgn(c.dc(), a);
          const std::vector<uint8_t> before = c.Bytes();
          // The whole bitmap moved by the shift: destination (x, y) takes
          // source (x - sh.x, y - sh.y).
          ASSERT_TRUE(BitBlt(c.dc(), sh.x, sh.y, W, H, c.dc(), 0, 0, DWORD(rop.code) << 16));
          std::vector<uint8_t> want = before;
          for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
              const int sx = x - sh.x, sy = y - sh.y;
              if (sx < 0 || sy < 0 || sx >= W || sy >= H) continue;
              if (!Inside(clip.a, x, y) && !Inside(clip.b, x, y)) continue;
              PixelBits dp = BitsOf(x, y, W, bpp), sp = BitsOf(sx, sy, W, bpp);
              for (int i = 0; i < dp.count; ++i)
                SetBit(want, dp, i, Rop3Bit(rop.code, 0, GetBit(before, sp, i), GetBit(before, dp, i)));
            }
          EXPECT_EQ(c.Bytes(), want) << "bpp " << bpp << " " << clip.name << " shift " << sh.x << "," << sh.y
                                     << " " << rop.name;
          SelectClipRgn(c.dc(), nullptr);
          DeleteObject(a);
          DeleteObject(b);
        }
}

// A tile's bits, its size and the brush origin it is laid from.
struct Tile {
  const std::vector<uint8_t>& bits;
  int w, h;
  POINT org;
};

// Checks every bit of a W x H picture: where inside(x, y) holds, the pattern
// code combines the tile with the bits before; elsewhere they are unchanged.
template <typename Inside>
void ExpectTileLaid(const std::vector<uint8_t>& got, const std::vector<uint8_t>& before, const Tile& tile, int W,
                    int H, int bpp, const NamedRop& rop, const std::string& what, Inside inside) {
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const int tx = ((x - tile.org.x) % tile.w + tile.w) % tile.w;
      const int ty = ((y - tile.org.y) % tile.h + tile.h) % tile.h;
      PixelBits dp = BitsOf(x, y, W, bpp), pp = BitsOf(tx, ty, tile.w, bpp);
      for (int i = 0; i < dp.count; ++i) {
        const int old = GetBit(before, dp, i);
        const int want = inside(x, y) ? ResultBit(bpp, rop.code, i, GetBit(tile.bits, pp, i), 0, old) : old;
        ASSERT_EQ(GetBit(got, dp, i), want) << Where(bpp, rop.name, x, y) << what << " bit " << i;
      }
    }
}

// A 5 x 3 tile of seeded pixels laid from the brush origin (3, 2), through a
// clip of two bands: one taller than the tile, one a single row.
TEST(PatternRects, EveryFormatAndCodeLaysTheTileFromTheOrigin) {
  const int W = 19, H = 11, TW = 5, TH = 3;
  for (int bpp : kAllBpp)
    for (const NamedRop& rop : kPatternRops) {
      RawCanvas dst(W, H, bpp, 3), tile(TW, TH, bpp, 4);
      HBRUSH brush = CreatePatternBrush(tile.bitmap());
      ASSERT_TRUE(brush);
      // A monochrome tile takes the text colour for 0 and the background
      // for 1: black and white keep its bits.
      SetTextColor(dst.dc(), RGB(0, 0, 0));
      SetBkColor(dst.dc(), RGB(255, 255, 255));
      SetBrushOrgEx(dst.dc(), 3, 2, nullptr);
      HGDIOBJ old = SelectObject(dst.dc(), brush);
      const RECT band1{0, 0, W, 7}, band2{2, 8, 10, 9};
      HRGN a = CreateRectRgnIndirect(&band1), b = CreateRectRgnIndirect(&band2);
      CombineRgn(a, a, b, RGN_OR);
      SelectClipRgn(dst.dc(), a);
      const std::vector<uint8_t> d0 = dst.Bytes(), t0 = tile.Bytes();
      ASSERT_TRUE(PatBlt(dst.dc(), 1, 1, 17, 9, DWORD(rop.code) << 16)) << rop.name;
      const Tile laid{t0, TW, TH, {3, 2}};
      ExpectTileLaid(dst.Bytes(), d0, laid, W, H, bpp, rop, "", [&](int x, int y) {
        return x >= 1 && x < 18 && y >= 1 && y < 10 && (Inside(band1, x, y) || Inside(band2, x, y));
      });
      SelectClipRgn(dst.dc(), nullptr);
      SelectObject(dst.dc(), old);
      DeleteObject(a);
      DeleteObject(b);
      DeleteObject(brush);
    }
}

// Rows of 10 to 60 pixels, growing (the brush's repeated rows widen as
// they come), laid twice with one brush: the second time from another
// origin, which keeps the repeated rows and moves only the phase. Tiles of
// an odd size and of powers of two (whose phase is found another way).
TEST(PatternRects, LongRowsAndAMovedOriginLayTheTile) {
  const int W = 64, H = 6;
  const POINT origins[] = {{3, 2}, {-4, 1}};
  for (const SIZE size : {SIZE{5, 3}, SIZE{8, 4}})
    for (int bpp : kAllBpp)
      for (const NamedRop& rop : kPatternRops) {
        const int TW = size.cx, TH = size.cy;
        RawCanvas tile(TW, TH, bpp, 4);
        const std::vector<uint8_t> t0 = tile.Bytes();
        HBRUSH brush = CreatePatternBrush(tile.bitmap());
        ASSERT_TRUE(brush);
        for (const POINT& org : origins) {
          RawCanvas dst(W, H, bpp, 3);
          SetTextColor(dst.dc(), RGB(0, 0, 0));
          SetBkColor(dst.dc(), RGB(255, 255, 255));
          SetBrushOrgEx(dst.dc(), org.x, org.y, nullptr);
          HGDIOBJ old = SelectObject(dst.dc(), brush);
          HRGN rows = CreateRectRgn(0, 0, 0, 0);
          for (int y = 0; y < H; ++y) {
            HRGN row = CreateRectRgn(1, y, 1 + 10 * (y + 1), y + 1);
            CombineRgn(rows, rows, row, RGN_OR);
            DeleteObject(row);
          }
          SelectClipRgn(dst.dc(), rows);
          const std::vector<uint8_t> d0 = dst.Bytes();
          ASSERT_TRUE(PatBlt(dst.dc(), 0, 0, W, H, DWORD(rop.code) << 16)) << rop.name;
          const Tile laid{t0, TW, TH, org};
          const std::string what = " tile " + std::to_string(TW) + " origin " + std::to_string(org.x);
          ExpectTileLaid(dst.Bytes(), d0, laid, W, H, bpp, rop, what,
                         [](int x, int y) { return x >= 1 && x < 1 + 10 * (y + 1); });
          SelectClipRgn(dst.dc(), nullptr);
          SelectObject(dst.dc(), old);
          DeleteObject(rows);
        }
        DeleteObject(brush);
      }
}

// A realised brush is kept with the brush, and made again when the DC's
// colours, background mode or brush origin change.
TEST(PatternRects, ABrushFollowsTheStateOfTheDC) {
  const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), green = RGB(0, 255, 0), white = RGB(255, 255, 255);
  struct Step {
    const char* name;
    COLORREF bk;
    int bk_mode;
    int org_x;
    const char* want;  // '#' red line, 'o' background colour, '.' left white
  } steps[] = {
      {"opaque on blue", blue, OPAQUE, 0, "#ooooooo"},
      {"opaque on green", green, OPAQUE, 0, "#ooooooo"},
      {"origin moved", green, OPAQUE, 1, "o#oooooo"},
      {"transparent", green, TRANSPARENT, 1, ".#......"},
      {"back to opaque", blue, OPAQUE, 0, "#ooooooo"},
  };
  for (int bpp : kColourBpp) {
    HBRUSH hatch = CreateHatchBrush(HS_VERTICAL, red);
    for (const Step& s : steps) {
      TestCanvas c(8, 1, bpp, white);
      HGDIOBJ old = SelectObject(c.dc(), hatch);
      SetBkColor(c.dc(), s.bk);
      SetBkMode(c.dc(), s.bk_mode);
      // HS_VERTICAL has its line in column 4 of the tile: moved to 0.
      SetBrushOrgEx(c.dc(), 4 + s.org_x, 0, nullptr);
      PatBlt(c.dc(), 0, 0, 8, 1, PATCOPY);
      std::string got;
      for (int x = 0; x < 8; ++x) {
        COLORREF v = c.At(x, 0);
        got += v == red ? '#' : v == s.bk ? 'o' : v == white ? '.' : '?';
      }
      EXPECT_EQ(got, s.want) << "bpp " << bpp << " " << s.name;
      SelectObject(c.dc(), old);
    }
    DeleteObject(hatch);
  }
}

}  // namespace
