// The DIB transfers: GetDIBits, SetDIBits, StretchDIBits, SetDIBitsToDevice,
// CreateDIBitmap and CreateDIBSection, on small images with exact pixels.
#include <cstring>

#include "gdi_fixture.h"

namespace {

// A BITMAPINFO with room for a full colour table.
struct Info {
  std::vector<BYTE> bytes = std::vector<BYTE>(sizeof(BITMAPINFOHEADER) + 256 * 4, 0);
  Info(int w, int h, int bitCount, std::vector<COLORREF> table = {}) {
    BITMAPINFOHEADER& hd = Header();
    hd.biSize = sizeof(BITMAPINFOHEADER);
    hd.biWidth = w;
    hd.biHeight = h;
    hd.biPlanes = 1;
    hd.biBitCount = static_cast<WORD>(bitCount);
    hd.biCompression = BI_RGB;
    hd.biClrUsed = static_cast<DWORD>(table.size());
    for (size_t i = 0; i < table.size(); ++i) {
      BYTE* e = bytes.data() + sizeof(BITMAPINFOHEADER) + 4 * i;
      e[0] = GetBValue(table[i]);
      e[1] = GetGValue(table[i]);
      e[2] = GetRValue(table[i]);
    }
  }
  BITMAPINFOHEADER& Header() { return *reinterpret_cast<BITMAPINFOHEADER*>(bytes.data()); }
  BITMAPINFO* Get() { return reinterpret_cast<BITMAPINFO*>(bytes.data()); }
  const BYTE* Table() const { return bytes.data() + sizeof(BITMAPINFOHEADER); }
};

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
                   kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

TEST(Dib, GetDIBitsDescribesTheBitmap) {
  struct Case {
    int bpp;
    WORD bitCount;
    DWORD compression;
  };
  const Case cases[] = {{32, 32, BI_RGB}, {24, 24, BI_RGB}, {16, 16, BI_BITFIELDS}, {15, 16, BI_RGB}, {1, 1, BI_RGB}};
  HDC dc = CreateCompatibleDC(nullptr);
  for (const Case& c : cases) {
    HBITMAP bmp = CreateBitmap(5, 3, 1, static_cast<UINT>(c.bpp), nullptr);
    ASSERT_NE(bmp, nullptr) << c.bpp;
    Info info(0, 0, 0);
    ASSERT_NE(GetDIBits(dc, bmp, 0, 0, nullptr, info.Get(), DIB_RGB_COLORS), 0) << c.bpp;
    EXPECT_EQ(info.Header().biWidth, 5) << c.bpp;
    EXPECT_EQ(info.Header().biHeight, 3) << c.bpp;
    EXPECT_EQ(info.Header().biBitCount, c.bitCount) << c.bpp;
    EXPECT_EQ(info.Header().biCompression, c.compression) << c.bpp;
    EXPECT_EQ(info.Header().biSizeImage, (5u * c.bitCount + 31) / 32 * 4 * 3) << c.bpp;
    DeleteObject(bmp);
  }
  DeleteDC(dc);
}

TEST(Dib, GetDIBitsRowsInEachDepth) {
  TestCanvas m(3, 2, 32);
  SetPixel(m.dc(), 0, 0, kRed);
  SetPixel(m.dc(), 1, 0, kBlack);
  SetPixel(m.dc(), 2, 1, RGB(0x10, 0x20, 0x30));
  m.Deselect();  // read while deselected, as the platform wants

  // 24 bits, bottom-up: the bottom row comes first.
  Info i24(3, 2, 24);
  std::vector<BYTE> rows(2 * 12, 0xEE);
  ASSERT_EQ(GetDIBits(m.dc(), m.bitmap(), 0, 2, rows.data(), i24.Get(), DIB_RGB_COLORS), 2);
  const BYTE bottom[12] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x30, 0x20, 0x10, 0, 0, 0};
  const BYTE top[12] = {0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0, 0, 0};
  EXPECT_EQ(0, std::memcmp(rows.data(), bottom, 12));
  EXPECT_EQ(0, std::memcmp(rows.data() + 12, top, 12));

  // 32 bits, top-down, one scan line from the second.
  Info i32(3, -2, 32);
  DWORD line[3] = {0, 0, 0};
  ASSERT_EQ(GetDIBits(m.dc(), m.bitmap(), 1, 1, line, i32.Get(), DIB_RGB_COLORS), 1);
  EXPECT_EQ(line[2] & 0xFFFFFF, 0x102030u);

  // 1 bit: a black and white table, black pixels 0.
  Info i1(3, -2, 1);
  DWORD mono[2] = {0, 0};
  ASSERT_EQ(GetDIBits(m.dc(), m.bitmap(), 0, 2, mono, i1.Get(), DIB_RGB_COLORS), 2);
  EXPECT_EQ(0, std::memcmp(i1.Table(), "\0\0\0\0\xFF\xFF\xFF\0", 8));
  EXPECT_EQ(reinterpret_cast<BYTE*>(mono)[0] & 0xE0, 0x20);  // red is nearer black than white
  m.Reselect();
}

// Reading into 32-bit rows (what pictures are saved through) from each
// direct depth: the colour in the low three bytes, the fourth byte zero
// whatever the bitmap keeps there, and zeros past the bitmap's width.
TEST(Dib, GetDIBitsToThirtyTwoBitsFromDirectDepths) {
  const COLORREF colours[3] = {RGB(0x12, 0x34, 0x56), RGB(0xFE, 0x01, 0x80), RGB(0, 0, 0)};
  for (int bpp : {32, 24}) {
    TestCanvas c(3, 2, bpp);
    if (bpp == 32) {
      // The fourth byte set in every pixel of the bitmap.
      const DWORD raw[6] = {0xAB123456, 0xCDFE0180, 0xEF000000, 0x01FFFFFF, 0x02FFFFFF, 0x03FFFFFF};
      SetBitmapBits(c.bitmap(), sizeof raw, raw);
    } else {
      for (int x = 0; x < 3; ++x) SetPixel(c.dc(), x, 0, colours[x]);
    }
    c.Deselect();
    Info info(5, -2, 32);
    std::vector<DWORD> rows(10, 0xEEEEEEEE);
    ASSERT_EQ(GetDIBits(c.dc(), c.bitmap(), 0, 2, rows.data(), info.Get(), DIB_RGB_COLORS), 2) << bpp;
    const std::vector<DWORD> want = {0x123456, 0xFE0180, 0x000000, 0, 0, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0, 0};
    EXPECT_EQ(rows, want) << bpp;
    // Bottom-up, from the second scan line: the bottom row alone.
    Info up(3, 2, 32);
    DWORD line[3] = {1, 1, 1};
    ASSERT_EQ(GetDIBits(c.dc(), c.bitmap(), 0, 1, line, up.Get(), DIB_RGB_COLORS), 1) << bpp;
    EXPECT_EQ(std::vector<DWORD>(line, line + 3), std::vector<DWORD>(3, 0xFFFFFF)) << bpp;
    c.Reselect();
  }
}

TEST(Dib, SetDIBitsUsesTheImagesColourTable) {
  struct Case {
    const char* name;
    int bitCount;
    std::vector<COLORREF> table;
    std::vector<BYTE> row;  // one row, padded to 4 bytes
    std::vector<COLORREF> expect;
  };
  const Case cases[] = {
      {"1 bit", 1, {kRed, kBlue}, {0x40, 0, 0, 0}, {kRed, kBlue, kRed}},
      {"4 bit", 4, {kBlack, kGreen, kRed}, {0x12, 0x00, 0, 0}, {kGreen, kRed, kBlack}},
      {"8 bit", 8, {kBlack, kGreen, kBlue}, {2, 1, 0, 0}, {kBlue, kGreen, kBlack}},
      {"24 bit", 24, {}, {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0}, {kBlue, kGreen, kRed}},
      {"16 bit", 16, {}, {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0, 0}, {kRed, kGreen, kBlue}},
  };
  for (const Case& c : cases) {
    TestCanvas m(3, 1, 32);
    m.Deselect();
    Info info(3, 1, c.bitCount, c.table);
    ASSERT_EQ(SetDIBits(m.dc(), m.bitmap(), 0, 1, c.row.data(), info.Get(), DIB_RGB_COLORS), 1) << c.name;
    m.Reselect();
    for (int x = 0; x < 3; ++x) EXPECT_EQ(m.At(x, 0), c.expect[x]) << c.name << " x " << x;
  }
}

TEST(Dib, StretchDIBitsScalesMirrorsAndClampsTheSource) {
  // 2 x 2 bottom-up: bottom row red green, top row blue white.
  Info info(2, 2, 8, {kRed, kGreen, kBlue, kWhite});
  const BYTE bits[8] = {0, 1, 0, 0, 2, 3, 0, 0};
  {
    TestCanvas m(4, 4, 32);
    SetStretchBltMode(m.dc(), COLORONCOLOR);
    ASSERT_EQ(StretchDIBits(m.dc(), 0, 0, 4, 4, 0, 0, 2, 2, bits, info.Get(), DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(m.At(0, 0), kBlue);
    EXPECT_EQ(m.At(3, 1), kWhite);
    EXPECT_EQ(m.At(1, 2), kRed);
    EXPECT_EQ(m.At(3, 3), kGreen);
  }
  {
    // A negative destination width mirrors left and right: (1, -2) covers
    // columns 0 and 1, x + w + 1 to x.
    TestCanvas m(2, 2, 32);
    ASSERT_NE(StretchDIBits(m.dc(), 1, 0, -2, 2, 0, 0, 2, 2, bits, info.Get(), DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(m.At(0, 0), kWhite);
    EXPECT_EQ(m.At(1, 0), kBlue);
    EXPECT_EQ(m.At(0, 1), kGreen);
  }
  {
    // The source's y counts from the bottom of a bottom-up image: row 1 is
    // the top row. A source reaching past the image draws only its part.
    TestCanvas m(4, 2, 32);
    ASSERT_NE(StretchDIBits(m.dc(), 0, 0, 2, 1, 0, 1, 2, 1, bits, info.Get(), DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(m.At(0, 0), kBlue);
    EXPECT_EQ(m.At(1, 0), kWhite);
    ASSERT_NE(StretchDIBits(m.dc(), 2, 1, 2, 1, 1, 0, 2, 1, bits, info.Get(), DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(m.At(2, 1), kGreen);
    EXPECT_EQ(m.At(3, 1), kWhite);  // past the image: untouched
  }
  {
    // The raster operation and the clip apply as for StretchBlt.
    TestCanvas m(2, 2, 32);
    HRGN left = CreateRectRgn(0, 0, 1, 2);
    SelectClipRgn(m.dc(), left);
    DeleteObject(left);
    ASSERT_NE(StretchDIBits(m.dc(), 0, 0, 2, 2, 0, 0, 2, 2, bits, info.Get(), DIB_RGB_COLORS, NOTSRCCOPY), 0);
    SelectClipRgn(m.dc(), nullptr);
    EXPECT_EQ(m.At(0, 0), RGB(255, 255, 0));  // not blue
    EXPECT_EQ(m.At(1, 0), kWhite);            // clipped away
  }
}

TEST(Dib, SetDIBitsToDeviceTakesABandOfScanLines) {
  // A 1 x 4 bottom-up image of which the bits hold scan lines 1 and 2.
  Info info(1, 4, 8, {kRed, kGreen, kBlue, kWhite});
  const BYTE band[8] = {1, 0, 0, 0, 2, 0, 0, 0};  // scan 1 green, scan 2 blue
  TestCanvas m(1, 4, 32);
  ASSERT_EQ(SetDIBitsToDevice(m.dc(), 0, 0, 1, 4, 0, 0, 1, 2, band, info.Get(), DIB_RGB_COLORS), 2);
  EXPECT_EQ(m.At(0, 0), kWhite);  // scan 3: not in the band
  EXPECT_EQ(m.At(0, 1), kBlue);
  EXPECT_EQ(m.At(0, 2), kGreen);
  EXPECT_EQ(m.At(0, 3), kWhite);
}

TEST(Dib, CreateDIBitmapAndSections) {
  Info info(2, 1, 1, {kBlue, kRed});
  const BYTE bits[4] = {0x80, 0, 0, 0};
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateDIBitmap(screen, &info.Header(), CBM_INIT, bits, info.Get(), DIB_RGB_COLORS);
  ASSERT_NE(bmp, nullptr);
  BITMAP bm{};
  GetObject(bmp, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBitsPixel, GetDeviceCaps(screen, BITSPIXEL));
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  EXPECT_EQ(GetPixel(dc, 0, 0), kRed);
  EXPECT_EQ(GetPixel(dc, 1, 0), kBlue);
  SelectObject(dc, old);
  DeleteObject(bmp);

  // A top-down 32-bit section shares its memory with the bitmap.
  Info sec(3, -2, 32);
  void* p = nullptr;
  HBITMAP section = CreateDIBSection(screen, sec.Get(), DIB_RGB_COLORS, &p, nullptr, 0);
  ASSERT_NE(section, nullptr);
  ASSERT_NE(p, nullptr);
  static_cast<DWORD*>(p)[3 * 1 + 2] = 0x00FF0000;  // (2, 1) red
  old = SelectObject(dc, section);
  EXPECT_EQ(GetPixel(dc, 2, 1), kRed);
  SetPixel(dc, 0, 0, kGreen);
  EXPECT_EQ(static_cast<DWORD*>(p)[0] & 0xFFFFFF, 0x00FF00u);
  GetObject(section, sizeof bm, &bm);
  EXPECT_EQ(bm.bmBits, p);
  SelectObject(dc, old);
  DeleteObject(section);
  DeleteDC(dc);

  // Layouts the surfaces cannot share are refused.
  Info bottomUp(3, 2, 32);
  EXPECT_EQ(CreateDIBSection(screen, bottomUp.Get(), DIB_RGB_COLORS, &p, nullptr, 0), nullptr);
  EXPECT_EQ(p, nullptr);
  ReleaseDC(nullptr, screen);
}

TEST(Dib, LargeSectionsAreZeroedEveryTime) {
  // A map's page of many megabytes is mapped on its own: zero throughout,
  // also when it reuses what a deleted one held, and drawn into like any.
  HDC screen = GetDC(nullptr);
  Info big(4096, -700, 32);  // 11.5 MB
  for (int round = 0; round < 2; ++round) {
    void* p = nullptr;
    HBITMAP section = CreateDIBSection(screen, big.Get(), DIB_RGB_COLORS, &p, nullptr, 0);
    ASSERT_NE(section, nullptr);
    const auto* px = static_cast<const DWORD*>(p);
    const size_t n = size_t{4096} * 700;
    size_t nonZero = 0;
    for (size_t i = 0; i < n; ++i) nonZero += px[i] != 0;
    EXPECT_EQ(nonZero, 0u) << round;
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, section);
    SetPixel(dc, 4095, 699, kRed);
    EXPECT_EQ(px[n - 1] & 0xFFFFFF, 0xFF0000u);
    std::memset(p, 0xAB, n * 4);  // what the next one must not show
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(section);
  }
  ReleaseDC(nullptr, screen);
}

TEST(Dib, BadInputFails) {
  TestCanvas m(2, 2, 32);
  Info good(2, 2, 24);
  const BYTE bits[16] = {};
  struct Case {
    const char* name;
    void (*spoil)(BITMAPINFOHEADER&);
  };
  const Case cases[] = {
      {"header size", [](BITMAPINFOHEADER& h) { h.biSize = 7; }},
      {"zero width", [](BITMAPINFOHEADER& h) { h.biWidth = 0; }},
      {"zero height", [](BITMAPINFOHEADER& h) { h.biHeight = 0; }},
      {"bit count", [](BITMAPINFOHEADER& h) { h.biBitCount = 7; }},
      {"planes", [](BITMAPINFOHEADER& h) { h.biPlanes = 3; }},
      {"huge", [](BITMAPINFOHEADER& h) { h.biWidth = h.biHeight = 0x7FFFFFFF; }},
      {"colours", [](BITMAPINFOHEADER& h) {
         h.biBitCount = 1;
         h.biClrUsed = 3;
       }},
  };
  for (const Case& c : cases) {
    Info bad(2, 2, 24);
    c.spoil(bad.Header());
    EXPECT_EQ(StretchDIBits(m.dc(), 0, 0, 2, 2, 0, 0, 2, 2, bits, bad.Get(), DIB_RGB_COLORS, SRCCOPY), 0)
        << c.name;
    EXPECT_EQ(SetDIBitsToDevice(m.dc(), 0, 0, 2, 2, 0, 0, 0, 2, bits, bad.Get(), DIB_RGB_COLORS), 0)
        << c.name;
  }
  EXPECT_EQ(StretchDIBits(m.dc(), 0, 0, 2, 2, 0, 0, 2, 2, nullptr, good.Get(), DIB_RGB_COLORS, SRCCOPY), 0);
  EXPECT_EQ(StretchDIBits(m.dc(), 0, 0, 2, 2, 0, 0, 2, 2, bits, nullptr, DIB_RGB_COLORS, SRCCOPY), 0);
  EXPECT_EQ(StretchDIBits(nullptr, 0, 0, 2, 2, 0, 0, 2, 2, bits, good.Get(), DIB_RGB_COLORS, SRCCOPY), 0);
  EXPECT_EQ(GetDIBits(m.dc(), nullptr, 0, 2, nullptr, good.Get(), DIB_RGB_COLORS), 0);
  EXPECT_EQ(GetDIBits(m.dc(), m.bitmap(), 0, 2, nullptr, nullptr, DIB_RGB_COLORS), 0);
  EXPECT_EQ(SetDIBits(m.dc(), reinterpret_cast<HBITMAP>(m.dc()), 0, 2, bits, good.Get(), DIB_RGB_COLORS), 0);
  EXPECT_EQ(CreateDIBSection(m.dc(), nullptr, DIB_RGB_COLORS, nullptr, nullptr, 0), nullptr);
  EXPECT_EQ(CreateDIBitmap(m.dc(), nullptr, 0, nullptr, nullptr, DIB_RGB_COLORS), nullptr);
}

}  // namespace
