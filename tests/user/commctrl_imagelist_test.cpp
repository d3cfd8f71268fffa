// Image lists: adding strips with a mask colour or a mask bitmap, drawing
// them opaque, transparent, as a mask and blended, removing and replacing
// images, and calls on bad handles.
#include <gtest/gtest.h>

#include <vector>

#include "commctrl.h"

namespace {

constexpr uint32_t M = 0xFF00FF;  // the mask colour of the strips below
constexpr uint32_t R = 0xFF0000;
constexpr uint32_t G = 0x00FF00;
constexpr uint32_t B = 0x0000FF;
constexpr uint32_t K = 0x000000;
constexpr uint32_t C = 0xCCCCCC;  // what the target is filled with

// A 32-bit top-down bitmap with its pixels (0x00RRGGBB) in reach.
struct Dib {
  HBITMAP bmp = nullptr;
  uint32_t* bits = nullptr;
  int w = 0, h = 0;
  Dib(int width, int height, uint32_t fill) : w(width), h(height) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* p = nullptr;
    bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    bits = static_cast<uint32_t*>(p);
    for (int i = 0; i < w * h; ++i) bits[i] = fill;
  }
  ~Dib() { DeleteObject(bmp); }
  uint32_t& At(int x, int y) { return bits[y * w + x]; }
  std::vector<uint32_t> Row(int y) const { return std::vector<uint32_t>(bits + y * w, bits + (y + 1) * w); }
};

// Two 2 x 2 images side by side: [R M / M G] and [B B / M K].
Dib Strip() {
  Dib d(4, 2, 0);
  uint32_t px[8] = {R, M, B, B, M, G, M, K};
  for (int i = 0; i < 8; ++i) d.bits[i] = px[i];
  return d;
}

// Draws image i of the list at (1, 0) of a 4 x 2 target filled with C.
std::vector<uint32_t> DrawnRows(HIMAGELIST il, int i, UINT style, COLORREF bk = CLR_DEFAULT, COLORREF fg = CLR_DEFAULT) {
  Dib target(4, 2, C);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, target.bmp);
  EXPECT_TRUE(ImageList_DrawEx(il, i, dc, 1, 0, 0, 0, bk, fg, style));
  SelectObject(dc, old);
  DeleteDC(dc);
  std::vector<uint32_t> out = target.Row(0);
  std::vector<uint32_t> second = target.Row(1);
  out.insert(out.end(), second.begin(), second.end());
  return out;
}

TEST(ImageListTest, AddMaskedSplitsAStripAndMasksTheColour) {
  HIMAGELIST il = ImageList_Create(2, 2, ILC_COLOR24 | ILC_MASK, 1, 1);
  ASSERT_NE(il, nullptr);
  Dib strip = Strip();
  EXPECT_EQ(ImageList_AddMasked(il, strip.bmp, RGB(255, 0, 255)), 0);
  EXPECT_EQ(ImageList_GetImageCount(il), 2);
  EXPECT_EQ(ImageList_AddMasked(il, strip.bmp, RGB(255, 0, 255)), 2);  // the index of the first added
  EXPECT_EQ(ImageList_GetImageCount(il), 4);
  int cx = 0, cy = 0;
  EXPECT_TRUE(ImageList_GetIconSize(il, &cx, &cy));
  EXPECT_EQ(cx, 2);
  EXPECT_EQ(cy, 2);

  struct Case {
    const char* name;
    int image;
    UINT style;
    COLORREF bk, fg;
    std::vector<uint32_t> want;
  } cases[] = {
      // No background colour: ILD_NORMAL draws through the mask.
      {"normal, no background", 0, ILD_NORMAL, CLR_DEFAULT, CLR_DEFAULT, {C, R, C, C, C, C, G, C}},
      {"normal, second image", 1, ILD_NORMAL, CLR_DEFAULT, CLR_DEFAULT, {C, B, B, C, C, C, K, C}},
      {"transparent", 0, ILD_TRANSPARENT, RGB(0, 0, 255), CLR_DEFAULT, {C, R, C, C, C, C, G, C}},
      // A background colour fills the masked pixels.
      {"normal over blue", 0, ILD_NORMAL, RGB(0, 0, 255), CLR_DEFAULT, {C, R, B, C, C, B, G, C}},
      // The mask alone: white where transparent, black where drawn.
      {"mask", 0, ILD_MASK, CLR_DEFAULT, CLR_DEFAULT, {C, K, 0xFFFFFF, C, C, 0xFFFFFF, K, C}},
      // 50 %: every other pixel, on even x + y; the masked ones stay untouched.
      {"blended", 1, ILD_BLEND50, CLR_DEFAULT, RGB(1, 2, 3), {C, 0x010203, B, C, C, C, 0x010203, C}},
  };
  for (const Case& c : cases) EXPECT_EQ(DrawnRows(il, c.image, c.style, c.bk, c.fg), c.want) << c.name;

  // The list's own background colour is used by ILD_NORMAL.
  EXPECT_EQ(ImageList_SetBkColor(il, RGB(0, 255, 0)), CLR_NONE);
  EXPECT_EQ(ImageList_GetBkColor(il), RGB(0, 255, 0));
  EXPECT_EQ(DrawnRows(il, 0, ILD_NORMAL), (std::vector<uint32_t>{C, R, G, C, C, G, G, C}));
  ImageList_SetBkColor(il, CLR_NONE);

  // Removing moves later images down.
  EXPECT_TRUE(ImageList_Remove(il, 0));
  EXPECT_EQ(ImageList_GetImageCount(il), 3);
  EXPECT_EQ(DrawnRows(il, 0, ILD_NORMAL), (std::vector<uint32_t>{C, B, B, C, C, C, K, C}));
  EXPECT_FALSE(ImageList_Remove(il, 3));
  EXPECT_TRUE(ImageList_RemoveAll(il));
  EXPECT_EQ(ImageList_GetImageCount(il), 0);
  EXPECT_TRUE(ImageList_SetImageCount(il, 3));
  EXPECT_EQ(ImageList_GetImageCount(il), 3);
  HIMAGELIST copy = ImageList_Duplicate(il);
  EXPECT_EQ(ImageList_GetImageCount(copy), 3);
  ImageList_Destroy(copy);
  EXPECT_TRUE(ImageList_Destroy(il));
}

TEST(ImageListTest, WithoutAMaskTheImagesAreDrawnAsTheyAre) {
  // As the picker's folder list is made: 24-bit colour, no mask, black as the
  // mask colour, which therefore stays black.
  HIMAGELIST il = ImageList_Create(2, 2, ILC_COLOR24, 10, 5);
  Dib strip = Strip();
  strip.At(1, 0) = K;
  EXPECT_EQ(ImageList_AddMasked(il, strip.bmp, RGB(0, 0, 0)), 0);
  EXPECT_EQ(DrawnRows(il, 0, ILD_NORMAL), (std::vector<uint32_t>{C, R, K, C, C, M, G, C}));
  EXPECT_EQ(DrawnRows(il, 0, ILD_TRANSPARENT), (std::vector<uint32_t>{C, R, K, C, C, M, G, C}));
  IMAGEINFO info{};
  EXPECT_TRUE(ImageList_GetImageInfo(il, 1, &info));
  EXPECT_NE(info.hbmImage, nullptr);
  EXPECT_EQ(info.hbmMask, nullptr);
  EXPECT_EQ(info.rcImage.top, 2);
  EXPECT_EQ(info.rcImage.bottom, 4);
  ImageList_Destroy(il);
}

TEST(ImageListTest, AMaskBitmapMarksTheTransparentPixels) {
  HIMAGELIST il = ImageList_Create(2, 2, ILC_COLOR32 | ILC_MASK, 0, 0);
  Dib strip = Strip();
  Dib mask(4, 2, 0);
  mask.At(0, 0) = 0xFFFFFF;  // only the red pixel of image 0 is transparent
  EXPECT_EQ(ImageList_Add(il, strip.bmp, mask.bmp), 0);
  EXPECT_EQ(DrawnRows(il, 0, ILD_NORMAL), (std::vector<uint32_t>{C, C, M, C, C, M, G, C}));
  // Replace keeps the count and changes one image.
  Dib other(2, 2, B);
  EXPECT_TRUE(ImageList_Replace(il, 1, other.bmp, nullptr));
  EXPECT_EQ(ImageList_GetImageCount(il), 2);
  EXPECT_EQ(DrawnRows(il, 1, ILD_NORMAL), (std::vector<uint32_t>{C, B, B, C, C, B, B, C}));
  ImageList_Destroy(il);
}

TEST(ImageListTest, BadArgumentsFailWithoutHarm) {
  EXPECT_EQ(ImageList_Create(0, 16, ILC_COLOR24, 1, 1), nullptr);
  EXPECT_EQ(ImageList_Create(16, 16, ILC_COLOR24, -1, 1), nullptr);
  HIMAGELIST il = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
  Dib narrow(8, 16, R);  // narrower than one image: nothing to add
  EXPECT_EQ(ImageList_Add(il, narrow.bmp, nullptr), -1);
  EXPECT_EQ(ImageList_AddMasked(il, nullptr, 0), -1);
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_FALSE(ImageList_Draw(il, 0, dc, 0, 0, ILD_NORMAL));  // no image 0 yet
  EXPECT_TRUE(ImageList_Destroy(il));
  // The handle is dead now and never comes back for another list.
  EXPECT_FALSE(ImageList_Destroy(il));
  EXPECT_EQ(ImageList_GetImageCount(il), 0);
  EXPECT_FALSE(ImageList_Draw(il, 0, dc, 0, 0, ILD_NORMAL));
  HIMAGELIST next = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
  EXPECT_NE(next, il);
  ImageList_Destroy(next);
  DeleteDC(dc);
}

}  // namespace
