// Device bitmaps: creation, BITMAP, and the raw bits of each depth.
#include <cstring>

#include "gdi_fixture.h"

namespace {

struct RawCase {
  const char* name;
  int bpp;
  int width;
  COLORREF colours[3];
  int width_bytes;
  std::vector<uint8_t> bytes;  // the first row
};

TEST(Bitmap, RawBitsOfEachDepth) {
  const RawCase cases[] = {
      {"32 bpp is blue, green, red, 0", 32, 2, {RGB(0x12, 0x34, 0x56), RGB(255, 0, 0)}, 8,
       {0x56, 0x34, 0x12, 0x00, 0x00, 0x00, 0xFF, 0x00}},
      {"24 bpp rows are word-aligned", 24, 3, {RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9)}, 10,
       {3, 2, 1, 6, 5, 4, 9, 8, 7, 0}},
      {"16 bpp is 5-6-5 little-endian", 16, 3, {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)}, 6,
       {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00}},
      {"15 bpp is 5-5-5 little-endian", 15, 3, {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255)}, 6,
       {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00}},
      {"16 bpp drops low bits", 16, 1, {RGB(0x0F, 0x0F, 0x0F)}, 2, {0x61, 0x08}},
      {"8 bpp indexes the fixed palette", 8, 3, {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 0, 0)}, 4,
       {0, 255, 249, 0}},
      {"1 bpp, leftmost pixel in bit 7", 1, 3, {RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 255, 255)}, 2,
       {0xA0, 0x00}},
  };
  for (const RawCase& c : cases) {
    TestCanvas canvas(c.width, 2, c.bpp, RGB(0, 0, 0));
    for (int x = 0; x < c.width; ++x) SetPixel(canvas.dc(), x, 0, c.colours[x]);
    BITMAP bm{};
    ASSERT_EQ(GetObject(canvas.bitmap(), sizeof bm, &bm), int(sizeof bm)) << c.name;
    EXPECT_EQ(bm.bmWidthBytes, c.width_bytes) << c.name;
    EXPECT_EQ(bm.bmBitsPixel, c.bpp) << c.name;
    EXPECT_EQ(bm.bmPlanes, 1) << c.name;
    std::vector<uint8_t> raw(size_t(bm.bmWidthBytes) * 2, 0xEE);
    EXPECT_EQ(GetBitmapBits(canvas.bitmap(), LONG(raw.size()), raw.data()), LONG(raw.size())) << c.name;
    EXPECT_EQ(std::vector<uint8_t>(raw.begin(), raw.begin() + bm.bmWidthBytes), c.bytes) << c.name;
  }
}

TEST(Bitmap, SetBitmapBitsRoundTripsAndReadsBack) {
  for (int bpp : kAllBpp) {
    TestCanvas canvas(5, 3, bpp);
    BITMAP bm{};
    GetObject(canvas.bitmap(), sizeof bm, &bm);
    std::vector<uint8_t> in(size_t(bm.bmWidthBytes) * 3);
    for (size_t i = 0; i < in.size(); ++i) in[i] = uint8_t(i * 37 + 11);
    EXPECT_EQ(SetBitmapBits(canvas.bitmap(), DWORD(in.size()), in.data()), LONG(in.size())) << bpp;
    std::vector<uint8_t> out(in.size());
    EXPECT_EQ(GetBitmapBits(canvas.bitmap(), LONG(out.size()), out.data()), LONG(out.size())) << bpp;
    EXPECT_EQ(in, out) << bpp;
    // A short buffer gets what fits.
    EXPECT_EQ(GetBitmapBits(canvas.bitmap(), 3, out.data()), 3) << bpp;
  }
}

TEST(Bitmap, MonochromeWidthBytesAreWordAligned) {
  const int widths[][2] = {{1, 2}, {16, 2}, {17, 4}, {33, 6}};
  for (auto& w : widths) {
    HBITMAP h = CreateBitmap(w[0], 1, 1, 1, nullptr);
    BITMAP bm{};
    GetObject(h, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidthBytes, w[1]) << w[0];
    DeleteObject(h);
  }
}

TEST(Bitmap, CreateBitmapIndirectCopiesBitsByWidthBytes) {
  uint8_t bits[] = {0xF0, 0x00, 0x0F, 0x00};
  BITMAP bm{0, 8, 2, 2, 1, 1, bits};
  HBITMAP h = CreateBitmapIndirect(&bm);
  ASSERT_NE(h, nullptr);
  uint8_t out[4] = {};
  EXPECT_EQ(GetBitmapBits(h, 4, out), 4);
  EXPECT_EQ(std::memcmp(out, bits, 4), 0);
  DeleteObject(h);
}

TEST(Bitmap, CompatibleBitmapsFollowTheDevice) {
  KyDisplaySettings saved;
  KyGetDisplaySettings(&saved);
  for (int bpp : kColourBpp) {
    KyDisplaySettings s = saved;
    s.nBitsPixel = bpp;
    ASSERT_TRUE(KySetDisplaySettings(&s));
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), bpp);
    HBITMAP h = CreateCompatibleBitmap(screen, 4, 4);
    BITMAP bm{};
    GetObject(h, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, bpp);
    // A fresh memory DC holds a 1 x 1 monochrome bitmap, so it makes monochrome ones.
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP mono = CreateCompatibleBitmap(mem, 4, 4);
    GetObject(mono, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    HGDIOBJ old = SelectObject(mem, h);
    HBITMAP colour = CreateCompatibleBitmap(mem, 4, 4);
    GetObject(colour, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, bpp);
    SelectObject(mem, old);
    for (HBITMAP b : {h, mono, colour}) DeleteObject(b);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
  }
  KySetDisplaySettings(&saved);
}

TEST(Bitmap, BadSizesFailCleanly) {
  EXPECT_EQ(CreateBitmap(-1, 4, 1, 32, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(4, -1, 1, 32, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(1 << 20, 1 << 20, 1, 32, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(4, 4, 1, 7, nullptr), nullptr);
  EXPECT_EQ(CreateBitmap(4, 4, 2, 8, nullptr), nullptr);
  EXPECT_EQ(CreateBitmapIndirect(nullptr), nullptr);
  BITMAP short_rows{0, 100, 1, 2, 1, 32, nullptr};
  EXPECT_EQ(CreateBitmapIndirect(&short_rows), nullptr);
  // A zero size gives the stock 1 x 1 monochrome bitmap.
  HBITMAP empty = CreateBitmap(0, 0, 1, 32, nullptr);
  ASSERT_NE(empty, nullptr);
  BITMAP bm{};
  GetObject(empty, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 1);
  EXPECT_EQ(bm.bmBitsPixel, 1);
  uint8_t buf[4];
  EXPECT_EQ(GetBitmapBits(nullptr, 4, buf), 0);
  EXPECT_EQ(SetBitmapBits(nullptr, 4, buf), 0);
  EXPECT_EQ(GetObject(nullptr, sizeof bm, &bm), 0);
}

}  // namespace
