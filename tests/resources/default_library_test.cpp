// The built-in default library as the module embeds it, byte for byte.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "KyROZ50Module.h"
#include "resource.h"

namespace {

int32_t Long(const BYTE* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}
int Word(const BYTE* p) { return p[0] | p[1] << 8; }

struct Image {
  const BYTE* data = nullptr;
  DWORD size = 0;
};

Image DefaultImage() {
  Image img;
  HINSTANCE h = KyROZ50ResourceHandle();
  HRSRC res = FindResource(h, MAKEINTRESOURCE(IDR_KYFSLBMP), RT_KYFSLBMP);
  if (!res) return img;
  img.data = static_cast<const BYTE*>(LockResource(LoadResource(h, res)));
  img.size = SizeofResource(h, res);
  return img;
}

// The make-up of the library in id order: so many patterns of each size.
const struct {
  int width, height, count;
} kRuns[] = {{8, 8, 60}, {33, 33, 19}, {66, 66, 7}, {20, 20, 3}, {16, 12, 1}, {33, 28, 1}, {76, 64, 1}};

}  // namespace

TEST(DefaultLibrary, HeaderAndTreeBlock) {
  Image img = DefaultImage();
  ASSERT_NE(img.data, nullptr);
  ASSERT_EQ(img.size, 21608u);
  EXPECT_EQ(Long(img.data), 20010521);
  ASSERT_EQ(Long(img.data + 4), 388);
  const BYTE* t = img.data + 8;
  EXPECT_EQ(Long(t), 4);
  const BYTE name[] = {0xC4, 0xAC, 0xC8, 0xCF};  // GB2312 for the root's name
  EXPECT_EQ(std::memcmp(t + 4, name, 4), 0);
  EXPECT_EQ(Long(t + 8), 3);    // type: fill styles
  EXPECT_EQ(Long(t + 12), 0);   // no sub-groups
  EXPECT_EQ(Long(t + 16), 92);  // items
  for (int i = 0; i < 92; ++i) EXPECT_EQ(Long(t + 20 + 4 * i), 8 + i) << "item " << i;
  EXPECT_EQ(20 + 4 * 92, 388);
}

TEST(DefaultLibrary, RecordsAndTheirBitmaps) {
  Image img = DefaultImage();
  ASSERT_EQ(img.size, 21608u);
  size_t off = 8 + 388;
  int id = 8;
  std::set<std::string> patterns;
  for (const auto& run : kRuns) {
    for (int k = 0; k < run.count; ++k, ++id) {
      SCOPED_TRACE("id " + std::to_string(id));
      ASSERT_LE(off + 16 + 3, img.size);
      const BYTE* r = img.data + off;
      EXPECT_EQ(Long(r), id);
      ASSERT_EQ(Long(r + 4), 3);
      char name[4];
      std::snprintf(name, sizeof name, "%03d", id);
      EXPECT_EQ(std::string(reinterpret_cast<const char*>(r + 8), 3), name);
      EXPECT_EQ(Long(r + 11), 81);
      const int32_t length = Long(r + 15);
      const int rowBytes = (run.width + 31) / 32 * 4;
      const int imageSize = rowBytes * run.height;
      ASSERT_EQ(length, 62 + imageSize);
      ASSERT_LE(off + 19 + static_cast<size_t>(length), img.size);
      const BYTE* b = r + 19;
      // File header.
      EXPECT_EQ(b[0], 'B');
      EXPECT_EQ(b[1], 'M');
      EXPECT_EQ(Long(b + 2), length);
      EXPECT_EQ(Long(b + 6), 0);
      EXPECT_EQ(Long(b + 10), 62);
      // Info header.
      EXPECT_EQ(Long(b + 14), 40);
      EXPECT_EQ(Long(b + 18), run.width);
      EXPECT_EQ(Long(b + 22), run.height);  // positive: bottom-up rows
      EXPECT_EQ(Word(b + 26), 1);
      EXPECT_EQ(Word(b + 28), 1);
      EXPECT_EQ(Long(b + 30), 0);
      EXPECT_EQ(Long(b + 34), imageSize);
      EXPECT_EQ(Long(b + 46), 2);
      // Colour table: entry 0 the white background, entry 1 the black ink.
      const BYTE table[8] = {0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0};
      EXPECT_EQ(std::memcmp(b + 54, table, 8), 0);
      // Pixels: ink somewhere, paper somewhere, and the row padding clear.
      int ink = 0;
      for (int y = 0; y < run.height; ++y) {
        const BYTE* row = b + 62 + y * rowBytes;
        for (int x = 0; x < rowBytes * 8; ++x) {
          bool bit = row[x / 8] & (0x80 >> (x % 8));
          if (x >= run.width) EXPECT_FALSE(bit) << "padding at x " << x << ", row " << y;
          else ink += bit;
        }
      }
      EXPECT_GT(ink, 0);
      EXPECT_LT(ink, run.width * run.height);
      EXPECT_TRUE(patterns.insert(std::string(reinterpret_cast<const char*>(b), static_cast<size_t>(length))).second)
          << "the same pattern twice";
      off += 19 + static_cast<size_t>(length);
    }
  }
  EXPECT_EQ(id, 100);
  EXPECT_EQ(off, img.size);  // the records end exactly at the end of the image
}

TEST(DefaultLibrary, OneLanguageOnly) {
  // Found in every UI language, and the same bytes in each.
  Image english = DefaultImage();
  SetThreadUILanguage(LANGID_CHINESE_SIMPLIFIED);
  Image chinese = DefaultImage();
  SetThreadUILanguage(0);
  EXPECT_EQ(english.data, chinese.data);
  EXPECT_TRUE(FindResourceEx(KyROZ50ResourceHandle(), RT_KYFSLBMP, MAKEINTRESOURCE(IDR_KYFSLBMP),
                             MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)));
  EXPECT_EQ(FindResourceEx(KyROZ50ResourceHandle(), RT_KYFSLBMP, MAKEINTRESOURCE(IDR_KYFSLBMP), 1033), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_LANG_NOT_FOUND));
}
