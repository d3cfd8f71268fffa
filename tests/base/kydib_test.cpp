// CKyDib: loading every depth and row order, refusing headers that lie, and
// drawing with the image's own colours.
#include "KyDib.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "gdi_helpers.h"

namespace {

void Put16(std::vector<BYTE>& v, size_t at, uint32_t x) {
  v[at] = static_cast<BYTE>(x);
  v[at + 1] = static_cast<BYTE>(x >> 8);
}
void Put32(std::vector<BYTE>& v, size_t at, uint32_t x) {
  for (int i = 0; i < 4; ++i) v[at + i] = static_cast<BYTE>(x >> (8 * i));
}

// A BMP file image with a 40-byte header. rows are given top row first and
// are written in the order the height's sign asks for; each row is padded.
struct Bmp {
  int bitCount = 8;
  int width = 0;
  int height = 0;  // negative: top-down
  uint32_t compression = BI_RGB;
  std::vector<uint32_t> table;               // 0x00RRGGBB entries
  std::vector<std::vector<BYTE>> rows;       // unpadded, top row first
  std::vector<uint32_t> masks;               // for BI_BITFIELDS
  std::vector<BYTE> rle;                     // raw data for the RLE kinds

  std::vector<BYTE> Bytes() const {
    const size_t stride = (static_cast<size_t>(width) * bitCount + 31) / 32 * 4;
    const size_t maskBytes = masks.size() * 4;
    const size_t offBits = 14 + 40 + maskBytes + table.size() * 4;
    const size_t image = compression == BI_RLE8 || compression == BI_RLE4 ? rle.size()
                                                                           : stride * rows.size();
    std::vector<BYTE> v(offBits + image, 0);
    v[0] = 'B';
    v[1] = 'M';
    Put32(v, 2, static_cast<uint32_t>(v.size()));
    Put32(v, 10, static_cast<uint32_t>(offBits));
    Put32(v, 14, 40);
    Put32(v, 18, static_cast<uint32_t>(width));
    Put32(v, 22, static_cast<uint32_t>(height));
    Put16(v, 26, 1);
    Put16(v, 28, static_cast<uint32_t>(bitCount));
    Put32(v, 30, compression);
    Put32(v, 34, static_cast<uint32_t>(image));
    Put32(v, 46, static_cast<uint32_t>(table.size()));
    for (size_t i = 0; i < masks.size(); ++i) Put32(v, 54 + 4 * i, masks[i]);
    for (size_t i = 0; i < table.size(); ++i) {
      BYTE* e = v.data() + 54 + maskBytes + 4 * i;
      e[0] = static_cast<BYTE>(table[i]);
      e[1] = static_cast<BYTE>(table[i] >> 8);
      e[2] = static_cast<BYTE>(table[i] >> 16);
    }
    if (!rle.empty()) {
      std::memcpy(v.data() + offBits, rle.data(), rle.size());
    } else {
      const bool topDown = height < 0;
      for (size_t r = 0; r < rows.size(); ++r) {
        size_t fileRow = topDown ? r : rows.size() - 1 - r;
        std::memcpy(v.data() + offBits + fileRow * stride, rows[r].data(), rows[r].size());
      }
    }
    return v;
  }
};

// 3 x 2, 8 bits: top row red green blue, bottom row white black index 5.
Bmp Sample8(bool topDown) {
  return Bmp{8, 3, topDown ? -2 : 2, BI_RGB, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x123456},
             {{0, 1, 2}, {3, 4, 5}}, {}, {}};
}

BOOL LoadBytes(CKyDib& dib, const std::vector<BYTE>& bytes) {
  CByteArray a;
  for (BYTE x : bytes) a.Add(x);
  return dib.Load(a, 0);
}

TEST(KyDibLoad, EveryDepthAndRowOrder) {
  struct Case {
    const char* name;
    Bmp bmp;  // bit count, width, height, compression, table, rows, masks, RLE data
    std::vector<std::pair<POINT, COLORREF>> expect;
  };
  const Case cases[] = {
      {"8 bit bottom-up", Sample8(false),
       {{{0, 0}, RGB(255, 0, 0)}, {{2, 0}, RGB(0, 0, 255)}, {{2, 1}, RGB(0x12, 0x34, 0x56)}}},
      {"8 bit top-down", Sample8(true),
       {{{0, 0}, RGB(255, 0, 0)}, {{1, 1}, RGB(0, 0, 0)}, {{2, 1}, RGB(0x12, 0x34, 0x56)}}},
      // Top row: x 0 and x 9 set; bottom row: all but x 0.
      {"1 bit", {1, 10, 2, BI_RGB, {0x000000, 0xFFFFFF}, {{0x80, 0x40}, {0x7F, 0xC0}}, {}, {}},
       {{{0, 0}, RGB(255, 255, 255)}, {{1, 0}, RGB(0, 0, 0)}, {{9, 0}, RGB(255, 255, 255)},
        {{0, 1}, RGB(0, 0, 0)}, {{1, 1}, RGB(255, 255, 255)}, {{8, 1}, RGB(255, 255, 255)},
        {{9, 1}, RGB(255, 255, 255)}}},
      {"4 bit", {4, 3, -1, BI_RGB, {0x000000, 0x800000, 0x008000}, {{0x12, 0x00}}, {}, {}},
       {{{0, 0}, RGB(0x80, 0, 0)}, {{1, 0}, RGB(0, 0x80, 0)}, {{2, 0}, RGB(0, 0, 0)}}},
      {"24 bit",
       {24, 2, 2, BI_RGB, {},
        {{0x01, 0x02, 0x03, 0x04, 0x05, 0x06}, {0x10, 0x20, 0x30, 0x40, 0x50, 0x60}}, {}, {}},
       {{{0, 0}, RGB(3, 2, 1)}, {{1, 0}, RGB(6, 5, 4)}, {{1, 1}, RGB(0x60, 0x50, 0x40)}}},
      {"32 bit", {32, 1, -2, BI_RGB, {}, {{0x11, 0x22, 0x33, 0xFF}, {0xAA, 0xBB, 0xCC, 0x00}}, {}, {}},
       {{{0, 0}, RGB(0x33, 0x22, 0x11)}, {{0, 1}, RGB(0xCC, 0xBB, 0xAA)}}},
      // 5-5-5: 0x7C00 is full red, 0x0010 half blue widened by repeating bits.
      {"16 bit 5-5-5", {16, 2, 1, BI_RGB, {}, {{0x00, 0x7C, 0x10, 0x00}}, {}, {}},
       {{{0, 0}, RGB(255, 0, 0)}, {{1, 0}, RGB(0, 0, 0x84)}}},
      // 5-6-5 bit fields: 0x07E0 is full green.
      {"16 bit fields", {16, 1, 1, BI_BITFIELDS, {}, {{0xE0, 0x07}}, {0xF800, 0x07E0, 0x001F}, {}},
       {{{0, 0}, RGB(0, 255, 0)}}},
      // 4 x 2: bottom row "run of 4 x index 1", top row "absolute 2 pixels 2, 0", end.
      {"RLE8",
       {8, 4, 2, BI_RLE8, {0x000000, 0xFF0000, 0x0000FF}, {}, {}, {4, 1, 0, 0, 0, 3, 2, 0, 2, 0, 0, 1}},
       {{{0, 1}, RGB(255, 0, 0)}, {{3, 1}, RGB(255, 0, 0)}, {{0, 0}, RGB(0, 0, 255)},
        {{1, 0}, RGB(0, 0, 0)}, {{2, 0}, RGB(0, 0, 255)}, {{3, 0}, RGB(0, 0, 0)}}},
      // 3 x 1: a run of 3 alternating 1, 2.
      {"RLE4", {4, 3, 1, BI_RLE4, {0x000000, 0xFF0000, 0x00FF00}, {}, {}, {3, 0x12, 0, 1}},
       {{{0, 0}, RGB(255, 0, 0)}, {{1, 0}, RGB(0, 255, 0)}, {{2, 0}, RGB(255, 0, 0)}}},
  };
  for (const Case& c : cases) {
    CKyDib dib;
    ASSERT_TRUE(LoadBytes(dib, c.bmp.Bytes())) << c.name;
    EXPECT_EQ(dib.GetWidth(), c.bmp.width) << c.name;
    EXPECT_EQ(dib.GetHeight(), c.bmp.height < 0 ? -c.bmp.height : c.bmp.height) << c.name;
    EXPECT_EQ(dib.GetBitCount(), c.bmp.bitCount) << c.name;
    for (const auto& [pt, colour] : c.expect)
      EXPECT_EQ(dib.GetPixel(pt.x, pt.y), colour) << c.name << " at " << pt.x << "," << pt.y;
    EXPECT_EQ(dib.GetPixel(-1, 0), CLR_INVALID) << c.name;
    EXPECT_EQ(dib.GetPixel(0, dib.GetHeight()), CLR_INVALID) << c.name;
  }
}

TEST(KyDibLoad, CoreHeaderWithThreeByteColours) {
  // 12-byte header, 2 x 1, 1 bit, table of RGBTRIPLEs.
  std::vector<BYTE> v(14 + 12 + 6 + 4, 0);
  v[0] = 'B';
  v[1] = 'M';
  Put32(v, 2, static_cast<uint32_t>(v.size()));
  Put32(v, 10, 14 + 12 + 6);
  Put32(v, 14, 12);
  Put16(v, 18, 2);
  Put16(v, 20, 1);
  Put16(v, 22, 1);
  Put16(v, 24, 1);
  const BYTE table[6] = {0x00, 0x00, 0xFF, 0xFF, 0x00, 0x00};  // red, blue
  std::memcpy(v.data() + 26, table, 6);
  v[32] = 0x40;  // pixel 1 set
  CKyDib dib;
  ASSERT_TRUE(LoadBytes(dib, v));
  EXPECT_EQ(dib.GetPixel(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(dib.GetPixel(1, 0), RGB(0, 0, 255));
  // Widened to the 40-byte form that StretchDIBits reads.
  EXPECT_EQ(dib.GetInfo()->bmiHeader.biSize, 40u);
  EXPECT_EQ(dib.GetColorCount(), 2);
}

TEST(KyDibLoad, StartOffsetInTheArray) {
  std::vector<BYTE> bytes = Sample8(false).Bytes();
  CByteArray a;
  for (int i = 0; i < 5; ++i) a.Add(0xEE);
  for (BYTE x : bytes) a.Add(x);
  CKyDib dib;
  EXPECT_TRUE(dib.Load(a, 5));
  EXPECT_EQ(dib.GetPixel(1, 0), RGB(0, 255, 0));
  EXPECT_FALSE(dib.Load(a, 0));
  EXPECT_FALSE(dib.IsValid());
  EXPECT_FALSE(dib.Load(a, -1));
  EXPECT_FALSE(dib.Load(a, static_cast<int>(a.GetSize()) + 1));
  CByteArray empty;
  EXPECT_FALSE(dib.Load(empty, 0));
}

TEST(KyDibLoad, HeadersThatLieAreRefused) {
  struct Case {
    const char* name;
    std::function<void(std::vector<BYTE>&)> mutate;
  };
  const Case cases[] = {
      {"no BM signature", [](std::vector<BYTE>& v) { v[1] = 'A'; }},
      {"file size past the end", [](std::vector<BYTE>& v) { Put32(v, 2, static_cast<uint32_t>(v.size() + 1)); }},
      {"bits offset past the end", [](std::vector<BYTE>& v) { Put32(v, 10, static_cast<uint32_t>(v.size())); }},
      {"bits offset inside the colour table", [](std::vector<BYTE>& v) { Put32(v, 10, 54 + 8); }},
      {"bits offset leaving too few rows", [](std::vector<BYTE>& v) { Put32(v, 10, 54 + 6 * 4 + 1); }},
      {"rows cut short", [](std::vector<BYTE>& v) { v.pop_back(); Put32(v, 2, 0); }},
      {"header size unknown", [](std::vector<BYTE>& v) { Put32(v, 14, 41); }},
      {"header size past the end", [](std::vector<BYTE>& v) { Put32(v, 14, 124); v.resize(14 + 100); Put32(v, 2, 0); }},
      {"zero width", [](std::vector<BYTE>& v) { Put32(v, 18, 0); }},
      {"negative width", [](std::vector<BYTE>& v) { Put32(v, 18, static_cast<uint32_t>(-3)); }},
      {"zero height", [](std::vector<BYTE>& v) { Put32(v, 22, 0); }},
      {"most negative height", [](std::vector<BYTE>& v) { Put32(v, 22, 0x80000000u); }},
      {"huge width and height", [](std::vector<BYTE>& v) { Put32(v, 18, 0x7FFFFFFF); Put32(v, 22, 0x7FFFFFFF); }},
      {"width that overflows the stride", [](std::vector<BYTE>& v) { Put32(v, 18, 0x7FFFFFFF); Put32(v, 22, 1); }},
      {"two planes", [](std::vector<BYTE>& v) { Put16(v, 26, 2); }},
      {"bit count 3", [](std::vector<BYTE>& v) { Put16(v, 28, 3); }},
      {"bit count 0", [](std::vector<BYTE>& v) { Put16(v, 28, 0); }},
      {"more colours than the depth has", [](std::vector<BYTE>& v) { Put32(v, 46, 257); }},
      {"colour count past the bits", [](std::vector<BYTE>& v) { Put32(v, 46, 200); }},
      {"unknown compression", [](std::vector<BYTE>& v) { Put32(v, 30, 7); }},
      {"bit fields on 8 bits", [](std::vector<BYTE>& v) { Put32(v, 30, BI_BITFIELDS); }},
      {"RLE4 on 8 bits", [](std::vector<BYTE>& v) { Put32(v, 30, BI_RLE4); }},
      {"RLE8 top-down", [](std::vector<BYTE>& v) { Put32(v, 30, BI_RLE8); Put32(v, 22, static_cast<uint32_t>(-2)); }},
      {"RLE8 size past the end", [](std::vector<BYTE>& v) { Put32(v, 30, BI_RLE8); Put32(v, 34, 1000); }},
      {"RLE8 size zero", [](std::vector<BYTE>& v) { Put32(v, 30, BI_RLE8); Put32(v, 34, 0); }},
      {"only the file header", [](std::vector<BYTE>& v) { v.resize(14); }},
  };
  const std::vector<BYTE> good = Sample8(false).Bytes();
  for (const Case& c : cases) {
    std::vector<BYTE> v = good;
    c.mutate(v);
    CKyDib dib;
    ASSERT_TRUE(LoadBytes(dib, good)) << c.name;
    SetLastError(0);
    EXPECT_FALSE(LoadBytes(dib, v)) << c.name;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA)) << c.name;
    // A refused image leaves nothing behind, not the one loaded before.
    EXPECT_FALSE(dib.IsValid()) << c.name;
    EXPECT_EQ(dib.GetInfo(), nullptr) << c.name;
    EXPECT_EQ(dib.GetWidth(), 0) << c.name;
  }
}

TEST(KyDibLoad, RunsPastTheImageAreCut) {
  // A run of 200, a delta far past the image, then literal data that claims
  // more bytes than remain.
  const Bmp b{8, 2, 1, BI_RLE8, {0x000000, 0xFFFFFF}, {}, {}, {200, 1, 0, 2, 250, 250, 0, 9, 1}};
  CKyDib dib;
  ASSERT_TRUE(LoadBytes(dib, b.Bytes()));
  EXPECT_EQ(dib.GetPixel(0, 0), RGB(255, 255, 255));
  EXPECT_EQ(dib.GetPixel(1, 0), RGB(255, 255, 255));
}

TEST(KyDibLoad, CloseForgetsTheImage) {
  CKyDib dib;
  ASSERT_TRUE(LoadBytes(dib, Sample8(true).Bytes()));
  dib.Close();
  EXPECT_FALSE(dib.IsValid());
  EXPECT_EQ(dib.GetBits(), nullptr);
  dib.Close();  // twice is harmless
  EXPECT_TRUE(LoadBytes(dib, Sample8(true).Bytes()));
}

// A 32-bit canvas pre-filled with 0xcc grey.
class Target : public TestCanvas {
 public:
  Target(int w, int h) : TestCanvas(w, h, 32, RGB(0xCC, 0xCC, 0xCC)) {}
};

TEST(KyDibDraw, StretchedWithTheImagesOwnColours) {
  const Bmp b{1, 2, 1, BI_RGB, {0xFF0000, 0x0000FF} /* red, blue */, {{0x40}}, {}, {}};
  CKyDib dib;
  ASSERT_TRUE(LoadBytes(dib, b.Bytes()));
  Target t(6, 3);
  CDC* pDC = CDC::FromHandle(t.dc());
  // The DC's own colours play no part for a DIB.
  SetTextColor(t.dc(), RGB(0, 255, 0));
  SetBkColor(t.dc(), RGB(255, 255, 0));
  ASSERT_TRUE(dib.Draw(pDC, 4, 2));
  EXPECT_EQ(t.At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(t.At(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(t.At(2, 0), RGB(0, 0, 255));
  EXPECT_EQ(t.At(3, 1), RGB(0, 0, 255));
  EXPECT_EQ(t.At(4, 0), RGB(0xCC, 0xCC, 0xCC));  // outside (0, 0, 4, 2)
  EXPECT_EQ(t.At(0, 2), RGB(0xCC, 0xCC, 0xCC));
  // The DC's stretch mode is left as it was.
  EXPECT_EQ(GetStretchBltMode(t.dc()), BLACKONWHITE);
}

TEST(KyDibDraw, FreeDrawCountsTheSourceFromTheTop) {
  for (bool topDown : {false, true}) {
    CKyDib dib;
    ASSERT_TRUE(LoadBytes(dib, Sample8(topDown).Bytes()));
    Target t(4, 4);
    CDC* pDC = CDC::FromHandle(t.dc());
    // Bottom-right source pixel (index 5) onto a 2 x 2 block at (1, 1).
    ASSERT_TRUE(dib.FreeDraw(pDC, 1, 1, 2, 2, 2, 1, 1, 1)) << topDown;
    EXPECT_EQ(t.At(1, 1), RGB(0x12, 0x34, 0x56)) << topDown;
    EXPECT_EQ(t.At(2, 2), RGB(0x12, 0x34, 0x56)) << topDown;
    EXPECT_EQ(t.At(0, 0), RGB(0xCC, 0xCC, 0xCC)) << topDown;
    // The top row's first two pixels at natural size.
    ASSERT_TRUE(dib.FreeDraw(pDC, 0, 3, 2, 1, 0, 0, 2, 1)) << topDown;
    EXPECT_EQ(t.At(0, 3), RGB(255, 0, 0)) << topDown;
    EXPECT_EQ(t.At(1, 3), RGB(0, 255, 0)) << topDown;
  }
}

TEST(KyDibDraw, NothingToDrawFails) {
  CKyDib dib;
  Target t(2, 2);
  EXPECT_FALSE(dib.Draw(CDC::FromHandle(t.dc()), 2, 2));
  ASSERT_TRUE(LoadBytes(dib, Sample8(false).Bytes()));
  EXPECT_FALSE(dib.Draw(nullptr, 2, 2));
}

}  // namespace
