// The module's toolbars, bitmaps and icon as it registers them: the toolbar
// tables in button order, bitmap sizes and backgrounds as the controls that
// draw them expect, and an icon group whose images are what it says.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "KyROZ50Module.h"
#include "resource.h"
#include "wingdi.h"

namespace {

int Word(const BYTE* p) { return p[0] | p[1] << 8; }
int32_t Long(const BYTE* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

std::vector<BYTE> Load(LPCSTR type, int id, WORD lang) {
  HINSTANCE h = KyROZ50ResourceHandle();
  HRSRC res = lang ? FindResourceEx(h, type, MAKEINTRESOURCE(id), lang) : FindResource(h, MAKEINTRESOURCE(id), type);
  if (!res) return {};
  const BYTE* p = static_cast<const BYTE*>(LockResource(LoadResource(h, res)));
  return std::vector<BYTE>(p, p + SizeofResource(h, res));
}

// The button ids in order are checked where the command bar is made from its
// toolbar (UiLoaded); here both languages must hold the same table.
TEST(UiImages, ToolbarsListTheSameButtonsInBothLanguages) {
  for (int id : {IDR_FSL_EDITTOOL, IDR_FSL_BRUSHLIB}) {
    SCOPED_TRACE(id);
    const std::vector<BYTE> en = Load(RT_TOOLBAR, id, 1033), zh = Load(RT_TOOLBAR, id, 2052);
    ASSERT_GE(en.size(), 8u);
    EXPECT_EQ(Word(&en[0]), 1);   // version
    EXPECT_EQ(Word(&en[2]), 16);  // button image width
    EXPECT_EQ(Word(&en[4]), 16);  // and height
    EXPECT_EQ(en.size(), 8 + 2 * static_cast<size_t>(Word(&en[6])));
    EXPECT_EQ(en, zh);
  }
}

// A bitmap resource drawn through the GDI: its size and a few pixels.
struct Decoded {
  int width = 0, height = 0;
  std::vector<COLORREF> px;  // top row first
  COLORREF At(int x, int y) const { return px[static_cast<size_t>(y * width + x)]; }
};

Decoded Decode(const std::vector<BYTE>& dib) {
  Decoded d;
  if (dib.size() < 40) return d;
  const auto* bih = reinterpret_cast<const BITMAPINFOHEADER*>(dib.data());
  const int colours = bih->biBitCount <= 8 ? (bih->biClrUsed ? static_cast<int>(bih->biClrUsed) : 1 << bih->biBitCount) : 0;
  const BYTE* bits = dib.data() + bih->biSize + 4 * colours;
  HDC screen = GetDC(nullptr);
  HBITMAP hbm = CreateDIBitmap(screen, bih, CBM_INIT, bits, reinterpret_cast<const BITMAPINFO*>(bih), DIB_RGB_COLORS);
  HDC mem = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(mem, hbm);
  d.width = bih->biWidth;
  d.height = bih->biHeight;
  for (int y = 0; y < d.height; ++y)
    for (int x = 0; x < d.width; ++x) d.px.push_back(GetPixel(mem, x, y));
  SelectObject(mem, old);
  DeleteDC(mem);
  DeleteObject(hbm);
  ReleaseDC(nullptr, screen);
  return d;
}

TEST(UiImages, BitmapsHaveTheSizesAndBackgroundsTheirControlsUse) {
  const COLORREF magenta = RGB(255, 0, 255), grey = RGB(192, 192, 192), white = RGB(255, 255, 255), black = 0;
  const struct {
    int id;
    WORD lang;  // 0: the one variant
    int width, height;
    COLORREF corner;  // the background, at the top left pixel
  } cases[] = {
      {IDR_FSL_EDITTOOL, 1033, 12 * 16, 16, grey},     {IDR_FSL_EDITTOOL, 2052, 12 * 16, 16, grey},
      {IDR_FSL_BRUSHLIB, 1033, 16 * 16, 16, grey},     {IDR_FSL_BRUSHLIB, 2052, 16 * 16, 16, grey},
      {IDB_FSL_EDITTOOL16, 0, 12 * 16, 16, magenta},   {IDB_FSL_BRUSHLIB16, 0, 16 * 16, 16, magenta},
      {IDB_FSL_NEW_STYLE, 0, 48, 48, white},          {IDB_FSL_FOLDER, 0, 48, 48, white},
      {IDB_FSL_FOLDER_UP, 0, 48, 48, white},          {IDB_FSL_GROUP_TREE, 0, 2 * 16, 16, black},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.id) + " in " + std::to_string(c.lang));
    std::vector<BYTE> b = Load(RT_BITMAP, c.id, c.lang);
    ASSERT_GE(b.size(), 40u);
    EXPECT_NE(Word(&b[0]), 0x4D42) << "a resource bitmap has no file header";
    EXPECT_EQ(Long(&b[0]), 40);
    Decoded d = Decode(b);
    ASSERT_EQ(d.width, c.width);
    ASSERT_EQ(d.height, c.height);
    EXPECT_EQ(d.At(0, 0), c.corner);
    EXPECT_EQ(d.At(d.width - 1, d.height - 1), c.corner);
    // Every image has something drawn on its background.
    const int images = c.width / c.height;
    for (int i = 0; i < images; ++i) {
      int ink = 0;
      for (int y = 0; y < c.height; ++y)
        for (int x = i * c.height; x < (i + 1) * c.height; ++x) ink += d.At(x, y) != c.corner;
      EXPECT_GE(ink, 8) << "image " << i << " is nearly empty";
    }
  }
}

TEST(UiImages, ToolbarBitmapsAndImageListsShowTheSamePictures) {
  const struct {
    int toolbar, list;
  } pairs[] = {{IDR_FSL_EDITTOOL, IDB_FSL_EDITTOOL16}, {IDR_FSL_BRUSHLIB, IDB_FSL_BRUSHLIB16}};
  for (const auto& p : pairs) {
    Decoded a = Decode(Load(RT_BITMAP, p.toolbar, 1033)), b = Decode(Load(RT_BITMAP, p.list, 0));
    ASSERT_EQ(a.px.size(), b.px.size());
    for (size_t i = 0; i < a.px.size(); ++i) {
      const bool backA = a.px[i] == RGB(192, 192, 192), backB = b.px[i] == RGB(255, 0, 255);
      ASSERT_EQ(backA, backB) << p.toolbar << " pixel " << i;
      if (!backA) {
        ASSERT_EQ(a.px[i], b.px[i]) << p.toolbar << " pixel " << i;
      }
    }
  }
}

TEST(UiImages, GroupTreeImagesKeepBlackForTheMask) {
  // The tree's image list makes black transparent: the folders themselves
  // must use no black, or holes would show.
  Decoded d = Decode(Load(RT_BITMAP, IDB_FSL_GROUP_TREE, 0));
  ASSERT_EQ(d.width, 32);
  for (int i = 0; i < 2; ++i) {
    int black = 0;
    for (int y = 4; y < 12; ++y)
      for (int x = i * 16 + 4; x < i * 16 + 12; ++x) black += d.At(x, y) == 0;
    EXPECT_EQ(black, 0) << "image " << i;
  }
}

TEST(UiImages, IconGroupNamesItsImagesWithTheirSizes) {
  std::vector<BYTE> g = Load(RT_GROUP_ICON, IDI_FSL_PICK, 0);
  ASSERT_GE(g.size(), 6u);
  EXPECT_EQ(Word(&g[0]), 0);
  EXPECT_EQ(Word(&g[2]), 1);  // icons, not cursors
  const int count = Word(&g[4]);
  ASSERT_EQ(g.size(), 6u + 14u * static_cast<size_t>(count));
  bool has32 = false;
  for (int i = 0; i < count; ++i) {
    const BYTE* e = &g[6 + 14 * i];
    const int w = e[0], h = e[1], bits = Word(e + 6), id = Word(e + 12);
    SCOPED_TRACE("entry " + std::to_string(i));
    has32 |= w == 32 && h == 32;
    std::vector<BYTE> image = Load(RT_ICON, id, 0);
    ASSERT_EQ(image.size(), static_cast<size_t>(Long(e + 8)));
    const auto* bih = reinterpret_cast<const BITMAPINFOHEADER*>(image.data());
    EXPECT_EQ(bih->biWidth, w);
    EXPECT_EQ(bih->biHeight, 2 * h) << "the XOR image and the AND mask";
    EXPECT_EQ(bih->biBitCount, bits);
    const size_t xorRow = (static_cast<size_t>(w) * bits + 31) / 32 * 4, andRow = (static_cast<size_t>(w) + 31) / 32 * 4;
    const size_t colours = bits <= 8 ? size_t(1) << bits : 0;
    EXPECT_EQ(image.size(), 40 + 4 * colours + (xorRow + andRow) * static_cast<size_t>(h));
    // The corners are transparent (mask bit set), the centre is opaque.
    const BYTE* mask = image.data() + 40 + 4 * colours + xorRow * static_cast<size_t>(h);
    EXPECT_TRUE(mask[0] & 0x80) << "bottom left corner";
    const size_t mid = static_cast<size_t>(h / 2) * andRow + static_cast<size_t>(w / 2) / 8;
    EXPECT_FALSE(mask[mid] & (0x80 >> ((w / 2) % 8))) << "centre";
  }
  EXPECT_TRUE(has32) << "the picker's button shows the icon at 32 x 32";
}

}  // namespace
