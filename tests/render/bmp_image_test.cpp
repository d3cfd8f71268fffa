// A pattern's BMP header read wherever its form puts the fields, and its
// colours written where its colour table is: a 12-byte core header, a
// 124-byte v5 header and a one-entry colour table, each with exact bytes.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <tuple>
#include <vector>

#include "KyDib.h"
#include "KyFillStyle.h"
#include "bmp_builder.h"
#include "screen_dc.h"

namespace {

using Bytes = std::vector<uint8_t>;
using kytest::PutLE;

// A 127 x 64 8-bit image with a core header (BITMAPCOREHEADER, 3-byte
// colour entries): the size is two 16-bit fields at bytes 18 and 20, the bit
// count at byte 24, the table at byte 26. Index i is the grey (i, i, i)
// except index 7, red; pixel (x, y) from the top has index 7 when x < 3,
// else index 200.
Bytes Core8() {
  const size_t table = 26, bits = table + 256 * 3, stride = 128;
  Bytes v(bits + stride * 64, 0);
  v[0] = 'B';
  v[1] = 'M';
  PutLE(v, 2, static_cast<uint32_t>(v.size()), 4);
  PutLE(v, 10, static_cast<uint32_t>(bits), 4);
  PutLE(v, 14, 12, 4);   // bcSize
  PutLE(v, 18, 127, 2);  // bcWidth
  PutLE(v, 20, 64, 2);   // bcHeight
  PutLE(v, 22, 1, 2);    // bcPlanes
  PutLE(v, 24, 8, 2);    // bcBitCount
  for (int i = 0; i < 256; ++i) v[table + 3 * i] = v[table + 3 * i + 1] = v[table + 3 * i + 2] = uint8_t(i);
  v[table + 21] = 0x00, v[table + 22] = 0x00, v[table + 23] = 0xFF;  // index 7: blue 0, green 0, red 255
  for (size_t r = 0; r < 64; ++r)
    for (size_t x = 0; x < 127; ++x) v[bits + r * stride + x] = x < 3 ? 7 : 200;
  return v;
}

// An 8 x 2 1-bit image with a v5 header (124 bytes): the colour table sits
// at byte 138, the pixels at 146. Top row 0xF0, bottom row 0x0F.
Bytes V5Mono() {
  Bytes v(146 + 8, 0);
  v[0] = 'B';
  v[1] = 'M';
  PutLE(v, 2, 154, 4);
  PutLE(v, 10, 146, 4);
  PutLE(v, 14, 124, 4);  // bV5Size
  PutLE(v, 18, 8, 4);
  PutLE(v, 22, 2, 4);
  PutLE(v, 26, 1, 2);
  PutLE(v, 28, 1, 2);
  PutLE(v, 34, 8, 4);             // bV5SizeImage
  PutLE(v, 14 + 56, 0x73524742, 4);  // bV5CSType 'sRGB'
  PutLE(v, 138, 0x000000, 4);     // entry 0 black
  PutLE(v, 142, 0xFFFFFF, 4);     // entry 1 white
  v[146] = 0x0F;                  // bottom row first
  v[150] = 0xF0;
  return v;
}

// An 8 x 2 1-bit image whose colour table has one entry (biClrUsed 1): the
// pixels start at byte 58, where a second entry would be.
const Bytes kOneEntry = {
    'B',  'M',  0x42, 0, 0, 0, 0, 0, 0, 0, 0x3A, 0, 0, 0,     // file header: 66 bytes, pixels at 58
    0x28, 0,    0,    0,                                      // biSize 40
    8,    0,    0,    0, 2, 0, 0, 0,                          // 8 x 2
    1,    0,    1,    0,                                      // planes 1, 1 bit
    0,    0,    0,    0, 8, 0, 0, 0,                          // BI_RGB, 8 bytes of pixels
    0,    0,    0,    0, 0, 0, 0, 0,                          // resolution
    1,    0,    0,    0, 0, 0, 0, 0,                          // biClrUsed 1
    0x10, 0x20, 0x30, 0,                                      // entry 0
    0xCC, 0,    0,    0,                                      // bottom row
    0x3C, 0,    0,    0,                                      // top row
};

// kOneEntry coloured with foreground (1, 2, 3) and background (4, 5, 6): a
// second entry in, the pixels moved by four bytes, file size, pixel offset
// and entry count corrected.
const Bytes kOneEntryColoured = {
    'B',  'M',  0x46, 0, 0, 0, 0, 0, 0, 0, 0x3E, 0, 0, 0,
    0x28, 0,    0,    0,
    8,    0,    0,    0, 2, 0, 0, 0,
    1,    0,    1,    0,
    0,    0,    0,    0, 8, 0, 0, 0,
    0,    0,    0,    0, 0, 0, 0, 0,
    2,    0,    0,    0, 0, 0, 0, 0,
    6,    5,    4,    0,                                      // entry 0: the background
    3,    2,    1,    0,                                      // entry 1: the foreground
    0xCC, 0,    0,    0,
    0x3C, 0,    0,    0,
};

struct HeaderCase {
  const char* name;
  Bytes image;
  int width, height, bitCount, colors, entryBytes;
  size_t table, bits;
};

TEST(BmpImage, EveryHeaderFormGivesTheSameFields) {
  const HeaderCase cases[] = {
      {"core 8-bit", Core8(), 127, 64, 8, 256, 3, 26, 26 + 768},
      {"v5 1-bit", V5Mono(), 8, 2, 1, 2, 4, 138, 146},
      {"one entry", kOneEntry, 8, 2, 1, 1, 4, 54, 58},
      {"info 1-bit", kytest::Mono(9, 5), 9, 5, 1, 2, 4, 54, 62},
  };
  for (const HeaderCase& c : cases) {
    KyBmpHeader h;
    ASSERT_TRUE(CKyDib::ReadHeader(c.image.data(), c.image.size(), &h)) << c.name;
    EXPECT_EQ(std::tie(c.width, c.height, c.bitCount, c.colors, c.entryBytes, c.table, c.bits),
              std::tie(h.width, h.height, h.bitCount, h.colors, h.colorEntryBytes, h.colorTableOffset,
                       h.bitsOffset))
        << c.name;
  }
  KyBmpHeader h;
  Bytes shortImage = kytest::Mono(8, 8);
  shortImage.resize(60);
  EXPECT_FALSE(CKyDib::ReadHeader(shortImage.data(), shortImage.size(), &h));
}

TEST(BmpImage, ExportWritesTheColourTableWhereItIs) {
  struct Case {
    const char* name;
    Bytes image;
    Bytes expected;
  };
  Bytes v5 = V5Mono();
  Bytes v5Coloured = v5;
  const uint8_t v5Table[] = {6, 5, 4, 0, 3, 2, 1, 0};
  std::copy(std::begin(v5Table), std::end(v5Table), v5Coloured.begin() + 138);
  Bytes info = kytest::Mono(8, 8);
  Bytes infoColoured = info;  // the usual image keeps its bytes at 54..56 and 58..60
  const uint8_t infoTable[] = {6, 5, 4, 0, 3, 2, 1, 0};
  std::copy(std::begin(infoTable), std::end(infoTable), infoColoured.begin() + 54);
  Bytes core = Core8();  // not 1-bit: unchanged
  const Case cases[] = {
      {"v5", v5, v5Coloured},
      {"one entry", kOneEntry, kOneEntryColoured},
      {"info", info, infoColoured},
      {"core 8-bit", core, core},
  };
  const char* path = "bmp_image_test_export.bmp";
  for (const Case& c : cases) {
    CByteArray bytes;
    kytest::ToArray(c.image, bytes);
    CKyFillStyle s(8, c.name, bytes, CKyFillStyle::FS_81DPI);
    ASSERT_TRUE(s.ExportBMPFile(path, RGB(1, 2, 3), RGB(4, 5, 6))) << c.name;
    std::ifstream f(path, std::ios::binary);
    Bytes got((std::istreambuf_iterator<char>(f)), {});
    EXPECT_EQ(c.expected, got) << c.name;
    KyBmpHeader again;
    EXPECT_TRUE(CKyDib::ReadHeader(got.data(), got.size(), &again)) << c.name;
  }
  std::remove(path);
  // A folder that does not exist cannot take the file.
  CByteArray bytes;
  kytest::ToArray(info, bytes);
  CKyFillStyle s(8, "info", bytes, CKyFillStyle::FS_81DPI);
  EXPECT_FALSE(s.ExportBMPFile("/no/such/folder/x.bmp", 0, 0));
}

TEST(BmpImage, ACoreHeaderPatternIsDrawnAtItsNaturalSize) {
  kytest::ScreenDC screen(kytest::StandardScreen(), 200, 120);
  CByteArray bytes;
  kytest::ToArray(Core8(), bytes);
  CKyFillStyle s(8, "core", bytes, CKyFillStyle::FS_81DPI);
  ASSERT_TRUE(s.SetFillStyle(&screen.dc, 0, 0, CSize(0, 0), 1.0));
  // 127 x 254 / 81 = 398 tenths of a mm, 398 x 1024 / 3200 = 127 pixels;
  // 64 x 254 / 81 = 201, 201 x 768 / 2400 = 64.
  EXPECT_EQ(127, s.GetTileWidth());
  EXPECT_EQ(64, s.GetTileHeight());
  CRect r(0, 0, 200, 100);
  ASSERT_TRUE(s.Display(&screen.dc, &r, 100));
  EXPECT_EQ(RGB(255, 0, 0), screen.dc.GetPixel(1, 10));
  EXPECT_EQ(RGB(200, 200, 200), screen.dc.GetPixel(50, 10));
  EXPECT_EQ(RGB(255, 0, 0), screen.dc.GetPixel(128, 70));  // the second tile
}

TEST(BmpImage, PatternsOfEveryHeaderTakeTheCallersColours) {
  struct Case {
    const char* name;
    Bytes image;
    COLORREF top[8];  // the top row after colouring
  };
  const COLORREF F = RGB(0, 0, 255), B = RGB(0, 255, 0);
  const Case cases[] = {
      {"v5", V5Mono(), {F, F, F, F, B, B, B, B}},
      {"one entry", kOneEntry, {B, B, F, F, F, F, B, B}},
  };
  for (const Case& c : cases) {
    kytest::ScreenDC screen(kytest::StandardScreen(), 200, 120);
    CByteArray bytes;
    kytest::ToArray(c.image, bytes);
    CKyFillStyle s(8, c.name, bytes, CKyFillStyle::FS_81DPI);
    // 8 pixels wide, 2 high at its natural size is too low for a tile; a
    // given size of 25 x 25 tenths makes it 8 x 8.
    ASSERT_TRUE(s.SetFillStyle(&screen.dc, F, B, CSize(25, 25), 1.0)) << c.name;
    ASSERT_EQ(8, s.GetTileWidth()) << c.name;
    CRect r(0, 0, 8, 8);
    ASSERT_TRUE(s.Display(&screen.dc, &r, 100)) << c.name;
    for (int x = 0; x < 8; ++x) EXPECT_EQ(c.top[x], screen.dc.GetPixel(x, 0)) << c.name << " x " << x;
    // The stored image is never changed by colouring.
    EXPECT_EQ(c.image, kytest::FromArray(s.m_arrBMP)) << c.name;
  }
}

}  // namespace
