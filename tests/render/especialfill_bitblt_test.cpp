// TransparentBitblt and TransparentBitbltMask: a device bitmap, alone or
// through a mask, over what the device shows, in every depth.
#include <gtest/gtest.h>

#include "KyEspecialFill.h"
#include "especialfill_device.h"

namespace {

using kytest::FillDevice;
using kytest::MakeSolidBitmap;

const int kTrueColour[] = {32, 24, 16, 15};

// The block blended is the bitmap's size or the given one, whichever is
// less, and its bits are those of the same rectangle blended in one colour.
TEST(EspecialFillBitblt, BlendsOnlyWhatTheBitmapCovers) {
  const struct {
    const char* name;
    CSize bitmap;
    CPoint at;
    CSize size;
    CRect blended;
  } cases[] = {
      {"cx 10 is wider than the bitmap: only its 4 columns", {4, 3}, {2, 1}, {10, 3}, CRect(2, 1, 6, 4)},
      {"the size limits the block", {6, 6}, {0, 0}, {2, 3}, CRect(0, 0, 2, 3)},
  };
  for (int bpp : kTrueColour) {
    for (const auto& c : cases) {
      FillDevice dev(20, 10, bpp), ref(20, 10, bpp);
      CBitmap red;
      MakeSolidBitmap(dev.dc, red, c.bitmap.cx, c.bitmap.cy, RGB(255, 0, 0));
      EXPECT_TRUE(CKyEspecialFill::TransparentBitblt(&dev.dc, &red, c.at.x, c.at.y, c.size.cx, c.size.cy, 50))
          << c.name;
      CRect where = c.blended;
      EXPECT_TRUE(CKyEspecialFill::TransparentRectangle(&ref.dc, &where, RGB(255, 0, 0), FALSE, 50)) << c.name;
      EXPECT_EQ(dev.Raw(), ref.Raw()) << bpp << " bits, " << c.name;
    }
  }
}

TEST(EspecialFillBitblt, OpaqueRatesAndPaletteDevicesCopy) {
  for (int bpp : {32, 24, 16, 15, 8}) {
    for (long rate : {100L, 250L, 40L}) {
      if (rate == 40 && bpp != 8) continue;  // only the palette device copies at 40
      FillDevice dev(10, 10, bpp), ref(10, 10, bpp);
      CBitmap blue;
      MakeSolidBitmap(dev.dc, blue, 5, 5, RGB(0, 0, 255));
      EXPECT_TRUE(CKyEspecialFill::TransparentBitblt(&dev.dc, &blue, 2, 2, 5, 5, rate)) << bpp << " " << rate;
      CRect where(2, 2, 7, 7);
      CBrush brush(RGB(0, 0, 255));
      ref.dc.FillRect(&where, &brush);
      EXPECT_EQ(dev.Raw(), ref.Raw()) << bpp << " bits, rate " << rate;
    }
  }
}

TEST(EspecialFillBitblt, NothingToDo) {
  FillDevice dev(10, 10, 32);
  CBitmap red;
  MakeSolidBitmap(dev.dc, red, 4, 4, RGB(255, 0, 0));
  const std::vector<BYTE> before = dev.Raw();
  EXPECT_FALSE(CKyEspecialFill::TransparentBitblt(&dev.dc, &red, 0, 0, 0, 4, 50));
  EXPECT_FALSE(CKyEspecialFill::TransparentBitblt(&dev.dc, &red, 0, 0, 4, 0, 50));
  EXPECT_TRUE(CKyEspecialFill::TransparentBitblt(&dev.dc, &red, 0, 0, 4, 4, 0));
  EXPECT_TRUE(CKyEspecialFill::TransparentBitblt(&dev.dc, &red, 0, 0, 4, 4, -5));
  EXPECT_FALSE(CKyEspecialFill::TransparentBitblt(nullptr, &red, 0, 0, 4, 4, 50));
  EXPECT_FALSE(CKyEspecialFill::TransparentBitblt(&dev.dc, nullptr, 0, 0, 4, 4, 50));
  CBitmap none;
  EXPECT_FALSE(CKyEspecialFill::TransparentBitblt(&dev.dc, &none, 0, 0, 4, 4, 50));
  EXPECT_EQ(dev.Raw(), before);
}

// A bitmap of another layout than the device cannot be mixed byte by byte:
// reading the device's rows with its byte count would run past them.
TEST(EspecialFillBitblt, BitmapOfAnotherDepthIsRefused) {
  kytest::SetDisplay(10, 10, 32);
  HDC screen32 = ::GetDC(nullptr);
  CBitmap wide;
  wide.Attach(::CreateCompatibleBitmap(screen32, 6, 6));
  ::ReleaseDC(nullptr, screen32);
  FillDevice dev(10, 10, 16);
  const std::vector<BYTE> before = dev.Raw();
  EXPECT_FALSE(CKyEspecialFill::TransparentBitblt(&dev.dc, &wide, 0, 0, 6, 6, 50));
  EXPECT_EQ(dev.Raw(), before);
}

TEST(EspecialFillBitblt, LogicalPositionAndSizeAndTheMappingAfterwards) {
  FillDevice dev(100, 100, 32);
  dev.dc.SetMapMode(MM_LOMETRIC);
  CPoint at(127, -127);
  CSize size(254, 254);
  dev.dc.LPtoDP(&at);
  dev.dc.LPtoDP(&size);
  ASSERT_GT(size.cx, 60);
  CBitmap black;
  MakeSolidBitmap(dev.dc, black, 30, 30, RGB(0, 0, 0));
  // The size is more than the bitmap: the bitmap's 30 x 30 are blended.
  EXPECT_TRUE(CKyEspecialFill::TransparentBitblt(&dev.dc, &black, 127, -127, 254, 254, 50));
  EXPECT_EQ(dev.dc.GetMapMode(), MM_LOMETRIC);
  EXPECT_EQ(dev.dc.GetWindowOrg(), CPoint(0, 0));
  EXPECT_EQ(dev.PixelAt(at.x - 1, at.y - 1), 0xFFFFFFu);
  EXPECT_EQ(dev.PixelAt(at.x, at.y), 0x7F7F7Fu);
  EXPECT_EQ(dev.PixelAt(at.x + 29, at.y + 29), 0x7F7F7Fu);
  EXPECT_EQ(dev.PixelAt(at.x + 30, at.y + 29), 0xFFFFFFu);
  EXPECT_EQ(dev.PixelAt(at.x + 29, at.y + 30), 0xFFFFFFu);
}

// The mask pair of a transparent background: the colour bitmap holds the
// foreground in colour on black, the mask the foreground black on white.
void MakePair(CDC& dc, CBitmap& colour, CBitmap& mask, int w, int h, COLORREF fore) {
  MakeSolidBitmap(dc, colour, w, h, RGB(0, 0, 0));
  MakeSolidBitmap(dc, mask, w, h, RGB(255, 255, 255));
  CDC mem;
  mem.CreateCompatibleDC(&dc);
  // A checkerboard of 1-pixel foreground squares.
  for (CBitmap* b : {&colour, &mask}) {
    HGDIOBJ old = ::SelectObject(mem.m_hDC, b->m_hObject);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        if ((x + y) % 2 == 0) mem.SetPixel(x, y, b == &colour ? fore : RGB(0, 0, 0));
    ::SelectObject(mem.m_hDC, old);
  }
}

TEST(EspecialFillBitbltMask, OnlyTheForegroundIsMixed) {
  for (int bpp : kTrueColour) {
    FillDevice dev(12, 12, bpp);
    const std::vector<BYTE> white = dev.RawAt(0, 0);
    CBitmap colour, mask;
    MakePair(dev.dc, colour, mask, 6, 6, RGB(255, 0, 0));
    EXPECT_TRUE(CKyEspecialFill::TransparentBitbltMask(&dev.dc, &colour, &mask, 3, 3, 6, 6, 50)) << bpp;
    FillDevice ref(12, 12, bpp);
    CRect one(0, 0, 1, 1);
    CKyEspecialFill::TransparentRectangle(&ref.dc, &one, RGB(255, 0, 0), FALSE, 50);
    const std::vector<BYTE> mixed = ref.RawAt(0, 0);
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 12; ++x) {
        const bool inBlock = x >= 3 && x < 9 && y >= 3 && y < 9;
        const bool fore = inBlock && (x - 3 + y - 3) % 2 == 0;
        ASSERT_EQ(dev.RawAt(x, y), fore ? mixed : white) << bpp << " bits at " << x << "," << y;
      }
  }
}

TEST(EspecialFillBitbltMask, OpaqueIsAndThenOr) {
  for (int bpp : {32, 24, 16, 15, 8}) {
    FillDevice dev(8, 8, bpp, RGB(0, 255, 0));
    CBitmap colour, mask;
    MakePair(dev.dc, colour, mask, 4, 4, RGB(255, 0, 0));
    const long rate = bpp == 8 ? 50 : 100;  // a palette device is opaque at any rate
    EXPECT_TRUE(CKyEspecialFill::TransparentBitbltMask(&dev.dc, &colour, &mask, 2, 2, 4, 4, rate)) << bpp;
    EXPECT_EQ(dev.PixelAt(2, 2), 0xFF0000u) << bpp;  // foreground
    EXPECT_EQ(dev.PixelAt(3, 2), 0x00FF00u) << bpp;  // background shows through
    EXPECT_EQ(dev.PixelAt(6, 6), 0x00FF00u) << bpp;
  }
}

TEST(EspecialFillBitbltMask, PairsThatDoNotMatchAreRefused) {
  FillDevice dev(10, 10, 32);
  CBitmap colour, mask, small;
  MakePair(dev.dc, colour, mask, 4, 4, RGB(255, 0, 0));
  MakeSolidBitmap(dev.dc, small, 3, 4, RGB(255, 255, 255));
  const std::vector<BYTE> before = dev.Raw();
  EXPECT_FALSE(CKyEspecialFill::TransparentBitbltMask(&dev.dc, &colour, &small, 0, 0, 4, 4, 50));
  EXPECT_FALSE(CKyEspecialFill::TransparentBitbltMask(&dev.dc, &colour, &small, 0, 0, 4, 4, 100));
  CBitmap mono;
  mono.CreateBitmap(4, 4, 1, 1, nullptr);
  EXPECT_FALSE(CKyEspecialFill::TransparentBitbltMask(&dev.dc, &colour, &mono, 0, 0, 4, 4, 50));
  EXPECT_FALSE(CKyEspecialFill::TransparentBitbltMask(&dev.dc, &colour, nullptr, 0, 0, 4, 4, 50));
  EXPECT_EQ(dev.Raw(), before);
  EXPECT_TRUE(CKyEspecialFill::TransparentBitbltMask(&dev.dc, &colour, &small, 0, 0, 4, 4, 0));
}

// 24-bit rows of an odd width are padded to a word: 7 pixels take 22 bytes,
// and the padding byte of each row must not be taken for a pixel.
TEST(EspecialFillBitblt, PaddedRowsOf24Bits) {
  FillDevice dev(7, 5, 24), ref(7, 5, 24);
  EXPECT_EQ(dev.Info().bmWidthBytes, 22);
  CBitmap black;
  MakeSolidBitmap(dev.dc, black, 7, 5, RGB(0, 0, 0));
  EXPECT_TRUE(CKyEspecialFill::TransparentBitblt(&dev.dc, &black, 0, 0, 7, 5, 30));
  CRect all(0, 0, 7, 5);
  EXPECT_TRUE(CKyEspecialFill::TransparentRectangle(&ref.dc, &all, RGB(0, 0, 0), FALSE, 30));
  EXPECT_EQ(dev.Raw(), ref.Raw());
  EXPECT_EQ(dev.PixelAt(6, 4), 0xB2B2B2u);  // 255 * 70 / 100 = 178
}

}  // namespace
