// Block transfers: every ROP3 code, colour conversion, stretching, clipping.
#include "gdi_fixture.h"

namespace {

// An 8 x 1 monochrome bitmap whose pixel i is bit i of `pixels` (pixel 0
// leftmost, so the byte is bit-reversed into the bitmap's order).
HBITMAP MonoRow(uint8_t pixels) {
  uint8_t row[2] = {0, 0};
  for (int i = 0; i < 8; ++i)
    if ((pixels >> i) & 1) row[0] |= uint8_t(0x80 >> i);
  return CreateBitmap(8, 1, 1, 1, row);
}

// Pixel i of the canvas carries P = bit 2, S = bit 1, D = bit 0 of i, so the
// result of a ROP3 code at pixel i is bit i of the code: its truth table.
TEST(BitBlt, EveryRop3CodeInEveryDepth) {
  for (int bpp : kAllBpp) {
    HDC src_dc = CreateCompatibleDC(nullptr);
    HBITMAP src = MonoRow(0xCC);  // S: pixels 2, 3, 6, 7
    HGDIOBJ old_src = SelectObject(src_dc, src);
    HBITMAP pat_bits = MonoRow(0xF0);  // P: pixels 4..7
    HBRUSH pat = CreatePatternBrush(pat_bits);
    for (int code = 0; code < 256; ++code) {
      TestCanvas canvas(8, 1, bpp, RGB(0, 0, 0));
      for (int i = 0; i < 8; ++i)
        if (i & 1) SetPixel(canvas.dc(), i, 0, RGB(255, 255, 255));  // D: odd pixels
      // Monochrome sources and patterns take the text colour for 0 bits and
      // the background colour for 1 bits.
      SetTextColor(canvas.dc(), RGB(0, 0, 0));
      SetBkColor(canvas.dc(), RGB(255, 255, 255));
      HGDIOBJ old_brush = SelectObject(canvas.dc(), pat);
      ASSERT_TRUE(BitBlt(canvas.dc(), 0, 0, 8, 1, src_dc, 0, 0, DWORD(code) << 16)) << code;
      for (int i = 0; i < 8; ++i) {
        COLORREF want = ((code >> i) & 1) ? RGB(255, 255, 255) : RGB(0, 0, 0);
        ASSERT_EQ(canvas.At(i, 0), want) << "bpp " << bpp << " rop 0x" << std::hex << code << " pixel " << i;
      }
      SelectObject(canvas.dc(), old_brush);
    }
    DeleteObject(pat);
    DeleteObject(pat_bits);
    SelectObject(src_dc, old_src);
    DeleteObject(src);
    DeleteDC(src_dc);
  }
}

TEST(BitBlt, PatternCodesUseTheSelectedBrush) {
  for (int bpp : kColourBpp) {
    TestCanvas c(4, 1, bpp, RGB(0, 0, 0));
    SetPixel(c.dc(), 1, 0, RGB(255, 255, 255));
    HBRUSH white = CreateSolidBrush(RGB(255, 255, 255));
    HGDIOBJ old = SelectObject(c.dc(), white);
    PatBlt(c.dc(), 0, 0, 2, 1, PATINVERT);  // pixels 0, 1 flip
    EXPECT_EQ(c.Picture(RGB(255, 255, 255)), "#...\n") << bpp;
    PatBlt(c.dc(), 2, 0, 2, 1, PATCOPY);
    EXPECT_EQ(c.Picture(RGB(255, 255, 255)), "#.##\n") << bpp;
    SelectObject(c.dc(), GetStockObject(NULL_BRUSH));
    EXPECT_TRUE(PatBlt(c.dc(), 0, 0, 4, 1, PATCOPY));  // a hollow brush paints nothing
    EXPECT_EQ(c.Picture(RGB(255, 255, 255)), "#.##\n") << bpp;
    EXPECT_FALSE(PatBlt(c.dc(), 0, 0, 4, 1, SRCCOPY));  // no source in PatBlt
    SelectObject(c.dc(), old);
    DeleteObject(white);
  }
}

TEST(BitBlt, SourceOutsideItsBitmapIsNotCopied) {
  TestCanvas src(2, 2, 32, RGB(255, 0, 0));
  TestCanvas dst(4, 4, 32, RGB(0, 0, 0));
  EXPECT_TRUE(BitBlt(dst.dc(), 0, 0, 4, 4, src.dc(), -1, -1, SRCCOPY));
  EXPECT_EQ(dst.Picture(RGB(255, 0, 0)), Rows({"....", ".##.", ".##.", "...."}));
}

TEST(BitBlt, ClipRegionLimitsTheTransfer) {
  for (int bpp : kAllBpp) {
    TestCanvas c(4, 3, bpp, RGB(0, 0, 0));
    HRGN r = CreateRectRgn(1, 1, 3, 2);
    EXPECT_EQ(SelectClipRgn(c.dc(), r), SIMPLEREGION);
    PatBlt(c.dc(), 0, 0, 4, 3, WHITENESS);
    EXPECT_EQ(c.Picture(RGB(255, 255, 255)), Rows({"....", ".##.", "...."})) << bpp;
    RECT box;
    EXPECT_EQ(GetClipBox(c.dc(), &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.right, 3);
    SelectClipRgn(c.dc(), nullptr);
    PatBlt(c.dc(), 0, 0, 4, 3, WHITENESS);
    EXPECT_EQ(c.Picture(RGB(255, 255, 255)), Rows({"####", "####", "####"})) << bpp;
    DeleteObject(r);
  }
}

TEST(StretchBlt, EnlargesByRepeatingPixels) {
  for (int bpp : kAllBpp) {
    TestCanvas src(2, 1, bpp, RGB(0, 0, 0));
    SetPixel(src.dc(), 1, 0, RGB(255, 255, 255));
    TestCanvas dst(4, 2, bpp, RGB(0, 0, 0));
    StretchBlt(dst.dc(), 0, 0, 4, 2, src.dc(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(dst.Picture(RGB(255, 255, 255)), Rows({"..##", "..##"})) << bpp;
    // A negative width mirrors; the destination runs from x + w + 1 to x.
    StretchBlt(dst.dc(), 3, 0, -4, 2, src.dc(), 0, 0, 2, 1, SRCCOPY);
    EXPECT_EQ(dst.Picture(RGB(255, 255, 255)), Rows({"##..", "##.."})) << bpp;
  }
}

TEST(StretchBlt, ShrinkingFollowsTheStretchMode) {
  struct Case {
    int mode;
    const char* want;
  } cases[] = {{BLACKONWHITE, ".#\n"}, {WHITEONBLACK, "##\n"}, {COLORONCOLOR, "##\n"}};
  for (int bpp : kAllBpp)
    for (const Case& c : cases) {
      TestCanvas src(4, 1, bpp, RGB(255, 255, 255));
      SetPixel(src.dc(), 0, 0, RGB(0, 0, 0));  // black, white, white, white
      TestCanvas dst(2, 1, bpp, RGB(0, 0, 0));
      SetStretchBltMode(dst.dc(), c.mode);
      StretchBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, 4, 1, SRCCOPY);
      EXPECT_EQ(dst.Picture(RGB(255, 255, 255)), c.want) << "mode " << c.mode << " bpp " << bpp;
    }
}

TEST(BitBlt, BadHandlesFail) {
  TestCanvas c(2, 2, 32);
  EXPECT_FALSE(BitBlt(nullptr, 0, 0, 2, 2, c.dc(), 0, 0, SRCCOPY));
  EXPECT_FALSE(BitBlt(c.dc(), 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY));
  EXPECT_TRUE(BitBlt(c.dc(), 0, 0, 2, 2, nullptr, 0, 0, WHITENESS));  // no source needed
  EXPECT_FALSE(StretchBlt(c.dc(), 0, 0, 2, 2, reinterpret_cast<HDC>(0x12345), 0, 0, 1, 1, SRCCOPY));
  EXPECT_FALSE(PatBlt(nullptr, 0, 0, 1, 1, PATCOPY));
}

}  // namespace
