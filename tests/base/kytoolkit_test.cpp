// CKyToolkit::SaveBitmapFile: the bytes of the written file, read back by
// CKyDib, and the failures.
#include "KyToolkit.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "KyDib.h"
#include "gdi_helpers.h"

namespace {

std::string TempPath(const char* name) {
  return testing::TempDir() + "kytoolkit_" + std::to_string(getpid()) + "_" + name;
}

std::vector<BYTE> ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<BYTE>((std::istreambuf_iterator<char>(f)), {});
}

uint32_t LE32(const std::vector<BYTE>& v, size_t at) {
  return v[at] | v[at + 1] << 8 | v[at + 2] << 16 | static_cast<uint32_t>(v[at + 3]) << 24;
}

TEST(KyToolkitSave, ColourBitmapBecomesA24BitFile) {
  TestCanvas p(3, 2, 32);
  SetPixel(p.dc(), 0, 0, RGB(255, 0, 0));
  SetPixel(p.dc(), 2, 1, RGB(0x10, 0x20, 0x30));
  p.Deselect();  // as a caller does before saving it
  std::string path = TempPath("c.bmp");
  ASSERT_TRUE(CKyToolkit::SaveBitmapFile(p.dc(), p.bitmap(), path.data()));
  const std::vector<BYTE> f = ReadAll(path);
  ASSERT_EQ(f.size(), 14u + 40 + 2 * 12);  // rows of 9 bytes padded to 12
  EXPECT_EQ(f[0], 'B');
  EXPECT_EQ(f[1], 'M');
  EXPECT_EQ(LE32(f, 2), f.size());
  EXPECT_EQ(LE32(f, 10), 54u);
  EXPECT_EQ(LE32(f, 18), 3u);
  EXPECT_EQ(LE32(f, 22), 2u);  // positive: bottom-up
  EXPECT_EQ(f[28], 24);
  // The bottom row comes first: its last pixel is 0x102030 as B, G, R.
  EXPECT_EQ(f[54 + 6], 0x30);
  EXPECT_EQ(f[54 + 7], 0x20);
  EXPECT_EQ(f[54 + 8], 0x10);
  // The top row's first pixel is red.
  EXPECT_EQ(f[54 + 12], 0x00);
  EXPECT_EQ(f[54 + 14], 0xFF);

  CKyDib dib;
  ASSERT_TRUE(dib.Load(f.data(), f.size()));
  EXPECT_EQ(dib.GetPixel(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(dib.GetPixel(1, 0), RGB(255, 255, 255));
  EXPECT_EQ(dib.GetPixel(2, 1), RGB(0x10, 0x20, 0x30));
  std::remove(path.c_str());
}

TEST(KyToolkitSave, MonochromeBitmapKeepsOneBitAndTakesColours) {
  TestCanvas p(10, 1, 1);
  PatBlt(p.dc(), 0, 0, 1, 1, BLACKNESS);
  p.Deselect();
  std::string path = TempPath("m.bmp");
  ASSERT_TRUE(CKyToolkit::SaveBitmapFile(nullptr, p.bitmap(), path.data()));
  std::vector<BYTE> f = ReadAll(path);
  ASSERT_EQ(f.size(), 14u + 40 + 8 + 4);
  EXPECT_EQ(f[28], 1);
  EXPECT_EQ(LE32(f, 46), 2u);
  EXPECT_EQ(LE32(f, 54), 0x000000u);  // black
  EXPECT_EQ(LE32(f, 58), 0xFFFFFFu);  // white
  EXPECT_EQ(f[62], 0x7F);             // pixel 0 black, the rest white
  EXPECT_EQ(f[63], 0xC0);

  unsigned char colours[8] = {0xFF, 0, 0, 0, 0, 0, 0xFF, 0};  // blue, red
  ASSERT_TRUE(CKyToolkit::SaveBitmapFile(nullptr, p.bitmap(), path.data(), colours));
  f = ReadAll(path);
  CKyDib dib;
  ASSERT_TRUE(dib.Load(f.data(), f.size()));
  EXPECT_EQ(dib.GetPixel(0, 0), RGB(0, 0, 255));
  EXPECT_EQ(dib.GetPixel(1, 0), RGB(255, 0, 0));
  std::remove(path.c_str());
}

TEST(KyToolkitSave, FailuresLeaveNoFile) {
  TestCanvas p(2, 2, 32);
  p.Deselect();
  std::string path = TempPath("bad.bmp");
  EXPECT_FALSE(CKyToolkit::SaveBitmapFile(p.dc(), nullptr, path.data()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(CKyToolkit::SaveBitmapFile(p.dc(), reinterpret_cast<HBITMAP>(p.dc()), path.data()));
  EXPECT_FALSE(std::ifstream(path).good());
  EXPECT_FALSE(CKyToolkit::SaveBitmapFile(p.dc(), p.bitmap(), nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  char missing[] = "/nonexistent-dir/x.bmp";
  EXPECT_FALSE(CKyToolkit::SaveBitmapFile(p.dc(), p.bitmap(), missing));
}

}  // namespace
