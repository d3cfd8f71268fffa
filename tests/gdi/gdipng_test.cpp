// PNG files of pixels, bitmaps and DCs.
#include "gdipng.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>

#include "gdi_fixture.h"

namespace {

std::string TempPath(const char* name) {
  return testing::TempDir() + "gdipng_" + std::to_string(getpid()) + "_" + name;
}

TEST(GdiPng, PixelsRoundTripExactly) {
  const DWORD px[6] = {0xFF0000, 0x00FF00, 0x0000FF, 0x000000, 0xFFFFFF, 0x123456};
  const std::string path = TempPath("rt.png");
  ASSERT_TRUE(GdiWritePngPixels(path.c_str(), 3, 2, px));
  int w = 0, h = 0;
  std::vector<DWORD> got;
  ASSERT_TRUE(GdiReadPngPixels(path.c_str(), &w, &h, &got));
  EXPECT_EQ(w, 3);
  EXPECT_EQ(h, 2);
  EXPECT_EQ(got, std::vector<DWORD>(px, px + 6));
  // The same pixels give the same bytes.
  const std::string again = TempPath("rt2.png");
  ASSERT_TRUE(GdiWritePngPixels(again.c_str(), 3, 2, px));
  std::ifstream f1(path, std::ios::binary), f2(again, std::ios::binary);
  std::string b1((std::istreambuf_iterator<char>(f1)), {}), b2((std::istreambuf_iterator<char>(f2)), {});
  EXPECT_EQ(b1, b2);
  std::remove(path.c_str());
  std::remove(again.c_str());
}

std::string Bytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(f)), {});
}

TEST(GdiPng, FewColoursAreWrittenAsTheSmallestPalette) {
  // n colours in a 40 x 30 picture, the last of them in its last pixel
  // (found only at the end of the first pass): IHDR's bit depth (byte 24)
  // and colour type (byte 25: 3 a palette, 2 RGB), and exact pixels back.
  const struct {
    int colours, depth, type;
  } cases[] = {{1, 1, 3}, {2, 1, 3}, {3, 2, 3}, {4, 2, 3}, {5, 4, 3}, {16, 4, 3}, {17, 8, 3}, {256, 8, 3}, {257, 8, 2}};
  for (const auto& c : cases) {
    std::vector<DWORD> px(40 * 30);
    for (size_t i = 0; i < px.size(); ++i)
      px[i] = static_cast<DWORD>((i * 7919) % (c.colours - 1 ? c.colours - 1 : 1)) * 0x010101u;
    px.back() = 0xABCDEF;  // a colour of its own
    if (c.colours == 1) std::fill(px.begin(), px.end(), 0xABCDEF);
    const std::string path = TempPath("few.png");
    ASSERT_TRUE(GdiWritePngPixels(path.c_str(), 40, 30, px.data())) << c.colours;
    const std::string bytes = Bytes(path);
    ASSERT_GT(bytes.size(), 26u);
    EXPECT_EQ(c.depth, bytes[24]) << c.colours;
    EXPECT_EQ(c.type, bytes[25]) << c.colours;
    int w = 0, h = 0;
    std::vector<DWORD> got;
    ASSERT_TRUE(GdiReadPngPixels(path.c_str(), &w, &h, &got));
    EXPECT_EQ(px, got) << c.colours;
    // The encoder in memory, at the files' level, gives the file's bytes;
    // from rows further apart, the same.
    std::vector<BYTE> memory;
    ASSERT_TRUE(GdiEncodePng(px.data(), 40, 40, 30, 1, &memory));
    EXPECT_EQ(bytes, std::string(memory.begin(), memory.end())) << c.colours;
    std::vector<DWORD> wide(50 * 30, 0x999999);
    for (int y = 0; y < 30; ++y) std::copy_n(&px[y * 40], 40, &wide[y * 50]);
    ASSERT_TRUE(GdiEncodePng(wide.data(), 50, 40, 30, 1, &memory));
    EXPECT_EQ(bytes, std::string(memory.begin(), memory.end())) << c.colours;
    std::remove(path.c_str());
  }
  std::vector<BYTE> out;
  const DWORD one = 0;
  EXPECT_FALSE(GdiEncodePng(&one, 0, 1, 1, 1, &out));
  EXPECT_FALSE(GdiEncodePng(&one, 1, 1, 1, 10, &out));
  EXPECT_FALSE(GdiEncodePng(nullptr, 1, 1, 1, 1, &out));
}

TEST(GdiPng, BitmapsOfEveryDepthSaveTheirColours) {
  for (int bpp : {1, 32}) {
    TestCanvas c(4, 3, bpp);
    PatBlt(c.dc(), 1, 1, 2, 1, BLACKNESS);
    const std::string path = TempPath("bmp.png");
    ASSERT_TRUE(GdiSaveDCPng(c.dc(), path.c_str())) << bpp;
    c.Deselect();
    int w = 0, h = 0;
    std::vector<DWORD> got;
    ASSERT_TRUE(GdiReadPngPixels(path.c_str(), &w, &h, &got)) << bpp;
    ASSERT_EQ(got.size(), 12u) << bpp;
    EXPECT_EQ(got[0], 0xFFFFFFu) << bpp;
    EXPECT_EQ(got[5], 0x000000u) << bpp;
    EXPECT_EQ(got[6], 0x000000u) << bpp;
    EXPECT_EQ(got[7], 0xFFFFFFu) << bpp;
    ASSERT_TRUE(GdiSaveBitmapPng(c.bitmap(), path.c_str())) << bpp;
    std::remove(path.c_str());
    c.Reselect();
  }
}

TEST(GdiPng, DisplayDCSavesItsFrame) {
  KyDisplaySettings saved, small;
  KyGetDisplaySettings(&saved);
  small = saved;
  small.nHorzRes = 64;
  small.nVertRes = 32;
  ASSERT_TRUE(KySetDisplaySettings(&small));
  HDC screen = GetDC(nullptr);
  const int w = GetDeviceCaps(screen, HORZRES), h = GetDeviceCaps(screen, VERTRES);
  PatBlt(screen, 0, 0, 2, 1, BLACKNESS);
  const std::string path = TempPath("screen.png");
  ASSERT_TRUE(GdiSaveDCPng(screen, path.c_str()));
  ReleaseDC(nullptr, screen);
  int pw = 0, ph = 0;
  std::vector<DWORD> got;
  ASSERT_TRUE(GdiReadPngPixels(path.c_str(), &pw, &ph, &got));
  EXPECT_EQ(pw, w);
  EXPECT_EQ(ph, h);
  EXPECT_EQ(got[0], 0u);
  EXPECT_EQ(got[1], 0u);
  std::remove(path.c_str());
  KySetDisplaySettings(&saved);
}

TEST(GdiPng, FailuresAreReported) {
  const DWORD px[1] = {0};
  EXPECT_FALSE(GdiWritePngPixels("/nonexistent-dir/x.png", 1, 1, px));
  EXPECT_FALSE(GdiWritePngPixels(TempPath("z.png").c_str(), 0, 1, px));
  EXPECT_FALSE(GdiSaveBitmapPng(nullptr, TempPath("n.png").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  int w, h;
  std::vector<DWORD> got{1, 2};
  EXPECT_FALSE(GdiReadPngPixels("/nonexistent-dir/x.png", &w, &h, &got));
  // Not a PNG: refused, the output left alone.
  const std::string junk = TempPath("junk.png");
  { std::ofstream(junk) << "not a png at all"; }
  EXPECT_FALSE(GdiReadPngPixels(junk.c_str(), &w, &h, &got));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
  EXPECT_EQ(got.size(), 2u);
  std::remove(junk.c_str());
}

}  // namespace
