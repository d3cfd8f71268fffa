// TextOut, ExtTextOut, extents, metrics, alignment and fonts: where the ink
// lands, what the background gets, and that the clip holds.
#include <cstring>

#include "afxdc.h"
#include "codepage.h"
#include "gdi_fixture.h"

namespace {

HFONT SansFont(int height, int weight = FW_NORMAL, bool underline = false) {
  return CreateFontA(height, 0, 0, 0, weight, 0, underline, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
}

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

class TextOutTest : public testing::Test {
 protected:
  void SetUp() override {
    AfxSetCodePage(1252);
    GetTextMetricsA(canvas_.dc(), &tm_);
  }
  void TearDown() override { AfxSetCodePage(0); }
  SIZE Extent(const char* s) {
    SIZE sz{-1, -1};
    EXPECT_TRUE(GetTextExtentPoint32A(canvas_.dc(), s, static_cast<int>(std::strlen(s)), &sz));
    return sz;
  }
  RECT Ink() const { return canvas_.Box(0x000000); }  // black text on white
  TextCanvas canvas_{120, 60};
  TEXTMETRICA tm_{};
};

TEST_F(TextOutTest, MetricsOfTheDialogFace) {
  // DejaVu Sans at an 11-pixel em, from its Windows ascent and descent.
  EXPECT_EQ(tm_.tmHeight, 13);
  EXPECT_EQ(tm_.tmAscent, 10);
  EXPECT_EQ(tm_.tmDescent, 3);
  EXPECT_EQ(tm_.tmInternalLeading, 2);
  EXPECT_EQ(tm_.tmHeight, tm_.tmAscent + tm_.tmDescent);
  EXPECT_EQ(tm_.tmWeight, FW_NORMAL);
  EXPECT_TRUE(tm_.tmPitchAndFamily & TMPF_TRUETYPE);
  EXPECT_TRUE(tm_.tmPitchAndFamily & TMPF_FIXED_PITCH);  // set means proportional
  EXPECT_EQ(tm_.tmCharSet, ANSI_CHARSET);
  char face[LF_FACESIZE];
  EXPECT_EQ(GetTextFaceA(canvas_.dc(), LF_FACESIZE, face), 14);
  EXPECT_STREQ(face, "MS Sans Serif");
}

TEST_F(TextOutTest, ExtentsAddUpAndHaveTheCellHeight) {
  EXPECT_EQ(Extent("").cx, 0);
  EXPECT_EQ(Extent("").cy, tm_.tmHeight);
  const SIZE ab = Extent("ab"), a = Extent("a"), b = Extent("b");
  EXPECT_EQ(ab.cx, a.cx + b.cx);
  EXPECT_EQ(ab.cy, tm_.tmHeight);
  EXPECT_GT(Extent("W").cx, Extent("i").cx);
  INT widths[2];
  ASSERT_TRUE(GetCharWidth32A(canvas_.dc(), 'a', 'b', widths));
  EXPECT_EQ(widths[0], a.cx);
  EXPECT_EQ(widths[1], b.cx);
  // Character extra widens every character.
  SetTextCharacterExtra(canvas_.dc(), 2);
  EXPECT_EQ(Extent("ab").cx, ab.cx + 4);
  SetTextCharacterExtra(canvas_.dc(), 0);
}

TEST_F(TextOutTest, InkLiesInTheCellForEachAlignment) {
  const char* s = "Hgy";
  const SIZE ext = Extent(s);
  const int x = 60, y = 30;
  struct Case {
    const char* name;
    UINT align;
    RECT cell;
  };
  const Case cases[] = {
      {"left top", TA_LEFT | TA_TOP, {x, y, x + ext.cx, y + tm_.tmHeight}},
      {"right top", TA_RIGHT | TA_TOP, {x - ext.cx, y, x, y + tm_.tmHeight}},
      {"center top", TA_CENTER | TA_TOP, {x - ext.cx / 2, y, x - ext.cx / 2 + ext.cx, y + tm_.tmHeight}},
      {"left baseline", TA_LEFT | TA_BASELINE, {x, y - tm_.tmAscent, x + ext.cx, y + tm_.tmDescent}},
      {"left bottom", TA_LEFT | TA_BOTTOM, {x, y - tm_.tmHeight, x + ext.cx, y}},
  };
  for (const Case& c : cases) {
    canvas_.Clear();
    EXPECT_EQ(SetTextAlign(canvas_.dc(), c.align) != GDI_ERROR, true) << c.name;
    ASSERT_TRUE(TextOutA(canvas_.dc(), x, y, s, 3)) << c.name;
    const RECT ink = Ink();
    EXPECT_TRUE(Inside(ink, c.cell)) << c.name << ": ink " << ink.left << "," << ink.top << "," << ink.right << ","
                                     << ink.bottom;
    // H reaches the top of the capitals, g and y the descent.
    EXPECT_GE(ink.bottom, c.cell.bottom - 1) << c.name;
    EXPECT_LE(ink.top, c.cell.top + tm_.tmInternalLeading + 1) << c.name;
  }
  SetTextAlign(canvas_.dc(), TA_LEFT | TA_TOP);
}

TEST_F(TextOutTest, InkIsTheTextColourAlone) {
  SetTextColor(canvas_.dc(), RGB(200, 10, 30));
  ASSERT_TRUE(TextOutA(canvas_.dc(), 2, 2, "Sample", 6));
  int ink = 0;
  for (DWORD p : canvas_.Pixels()) {
    // No grey levels: every pixel is the background or the text colour.
    ASSERT_TRUE(p == 0xFFFFFF || p == 0xC80A1E) << std::hex << p;
    ink += p == 0xC80A1E;
  }
  EXPECT_GT(ink, 20);
}

TEST_F(TextOutTest, OpaqueModeFillsTheCellWithTheBackground) {
  SetBkMode(canvas_.dc(), OPAQUE);
  SetBkColor(canvas_.dc(), RGB(0, 0, 255));
  const SIZE ext = Extent("Mix");
  ASSERT_TRUE(TextOutA(canvas_.dc(), 10, 5, "Mix", 3));
  const RECT cell{10, 5, 10 + ext.cx, 5 + tm_.tmHeight};
  const RECT painted = canvas_.Box(0xFFFFFF, false);
  EXPECT_TRUE(EqualRect(&painted, &cell));
  EXPECT_EQ(canvas_.Count(0x0000FF) + canvas_.Count(0x000000), ext.cx * tm_.tmHeight);
}

TEST_F(TextOutTest, ExtTextOutOpaqueRectAndClipping) {
  // ETO_OPAQUE paints the rectangle even in transparent mode.
  const RECT r{5, 5, 25, 20};
  SetBkColor(canvas_.dc(), RGB(0, 255, 0));
  ASSERT_TRUE(ExtTextOutA(canvas_.dc(), 5, 5, ETO_OPAQUE, &r, nullptr, 0, nullptr));
  const RECT green = canvas_.Box(0x00FF00);
  EXPECT_TRUE(EqualRect(&green, &r));
  EXPECT_EQ(canvas_.Count(0x00FF00), 20 * 15);

  // ETO_CLIPPED keeps the ink inside the rectangle.
  canvas_.Clear();
  const RECT clip{10, 10, 22, 30};
  ASSERT_TRUE(ExtTextOutA(canvas_.dc(), 4, 12, ETO_CLIPPED, &clip, "WWWWWW", 6, nullptr));
  const RECT ink = Ink();
  EXPECT_TRUE(Inside(ink, clip));
  EXPECT_EQ(ink.left, clip.left);    // the W's are cut at both sides
  EXPECT_EQ(ink.right, clip.right);
}

TEST_F(TextOutTest, ClipRegionHolds) {
  HRGN rgn = CreateRectRgn(0, 0, 30, 60);
  SelectClipRgn(canvas_.dc(), rgn);
  DeleteObject(rgn);
  ASSERT_TRUE(TextOutA(canvas_.dc(), 10, 10, "WWWWWWWW", 8));
  const RECT ink = Ink();
  EXPECT_EQ(ink.right, 30);
  SelectClipRgn(canvas_.dc(), nullptr);
}

TEST_F(TextOutTest, AdvancesFromLpDx) {
  const INT dx[3] = {20, 20, 20};
  ASSERT_TRUE(ExtTextOutA(canvas_.dc(), 0, 10, 0, nullptr, "lll", 3, dx));
  // Three narrow l's, 20 pixels apart: ink in three separate columns.
  const std::vector<DWORD> px = canvas_.Pixels();
  std::vector<int> columns;
  for (int x = 0; x < canvas_.w(); ++x) {
    bool any = false;
    for (int y = 0; y < canvas_.h(); ++y) any |= px[static_cast<size_t>(y) * canvas_.w() + x] == 0;
    if (any && (columns.empty() || columns.back() != x - 1)) columns.push_back(x);
    if (any && !columns.empty() && columns.back() == x - 1) columns.back() = x;
  }
  ASSERT_EQ(columns.size(), 3u);
  canvas_.Clear();
  ASSERT_TRUE(TextOutA(canvas_.dc(), 0, 10, "l", 1));
  const RECT one = Ink();
  EXPECT_EQ(one.right - 1, columns[0]);
  EXPECT_EQ(columns[1], columns[0] + 20);
  EXPECT_EQ(columns[2], columns[0] + 40);
}

TEST_F(TextOutTest, UpdateCurrentPosition) {
  SetTextAlign(canvas_.dc(), TA_UPDATECP);
  MoveToEx(canvas_.dc(), 7, 3, nullptr);
  ASSERT_TRUE(TextOutA(canvas_.dc(), 100, 100, "ab", 2));  // x and y are ignored
  POINT cp;
  GetCurrentPositionEx(canvas_.dc(), &cp);
  EXPECT_EQ(cp.x, 7 + Extent("ab").cx);
  EXPECT_EQ(cp.y, 3);
  EXPECT_GE(Ink().left, 7);
  EXPECT_LT(Ink().bottom, 3 + tm_.tmHeight + 1);
  SetTextAlign(canvas_.dc(), TA_NOUPDATECP);
}

TEST_F(TextOutTest, UnderlineAndBold) {
  const SIZE plain = Extent("MMMM");
  HFONT bold = SansFont(-11, FW_BOLD);
  HGDIOBJ prev = SelectObject(canvas_.dc(), bold);
  EXPECT_GT(Extent("MMMM").cx, plain.cx);
  SelectObject(canvas_.dc(), prev);
  DeleteObject(bold);

  HFONT under = SansFont(-11, FW_NORMAL, true);
  prev = SelectObject(canvas_.dc(), under);
  ASSERT_TRUE(TextOutA(canvas_.dc(), 10, 10, "ab", 2));
  const SIZE ext = Extent("ab");
  // A full row of ink under the baseline across the whole advance.
  bool fullRow = false;
  for (int y = 10 + tm_.tmAscent; y < 10 + tm_.tmHeight; ++y) {
    bool all = true;
    for (int x = 10; x < 10 + ext.cx; ++x) all &= canvas_.At(x, y) == 0;
    fullRow |= all;
  }
  EXPECT_TRUE(fullRow);
  SelectObject(canvas_.dc(), prev);
  DeleteObject(under);
}

TEST_F(TextOutTest, CodePageDecidesTheCharacters) {
  const char zhongwen[] = "\xd6\xd0\xce\xc4";  // two GBK characters
  AfxSetCodePage(936);
  const SIZE cjk = Extent(zhongwen);
  const SIZE one = Extent("\xd6\xd0");
  EXPECT_EQ(cjk.cx, 2 * one.cx);
  EXPECT_GE(one.cx, 10);  // an ideograph is about an em wide
  ASSERT_TRUE(TextOutA(canvas_.dc(), 5, 5, zhongwen, 4));
  const RECT ink = Ink();
  EXPECT_GT(ink.right - ink.left, one.cx);
  AfxSetCodePage(1252);
  // The same bytes are four Latin-1 letters under 1252.
  const SIZE latin = Extent(zhongwen);
  EXPECT_NE(latin.cx, cjk.cx);
}

TEST_F(TextOutTest, ChineseFaceNamesMapToTheCjkFace) {
  AfxSetCodePage(936);
  // "SimSun" in its own GBK bytes, and the same face asked for by charset.
  HFONT byName = CreateFontA(-14, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "\xcb\xce\xcc\xe5");
  HFONT byCharset = CreateFontA(-14, 0, 0, 0, 0, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0, "");
  HFONT latin = CreateFontA(-14, 0, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
  struct Face {
    TEXTMETRICA tm{};
    LONG x = 0;  // the advance of a Latin letter
  };
  auto measure = [&](HFONT f) {
    HGDIOBJ prev = SelectObject(canvas_.dc(), f);
    Face face;
    GetTextMetricsA(canvas_.dc(), &face.tm);
    face.x = Extent("x").cx;
    SelectObject(canvas_.dc(), prev);
    return face;
  };
  const Face a = measure(byName), b = measure(byCharset), c = measure(latin);
  EXPECT_EQ(a.tm.tmCharSet, GB2312_CHARSET);  // the default charset of code page 936
  EXPECT_EQ(a.tm.tmHeight, b.tm.tmHeight);
  EXPECT_EQ(a.tm.tmAveCharWidth, b.tm.tmAveCharWidth);
  EXPECT_EQ(a.x, b.x);
  // The CJK face is not the Latin one: its metrics differ.
  EXPECT_TRUE(a.tm.tmHeight != c.tm.tmHeight || a.tm.tmAveCharWidth != c.tm.tmAveCharWidth || a.x != c.x);
  DeleteObject(byName);
  DeleteObject(byCharset);
  DeleteObject(latin);
}

TEST_F(TextOutTest, ScaledMappingMeasuresInLogicalUnits) {
  // 40 tenths of a millimetre at 96 dots per inch is a 15-pixel em: the
  // same pixels as a 15-pixel font in MM_TEXT, measured in logical units.
  HFONT pixels = CreateFontA(-15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  HGDIOBJ prev = SelectObject(canvas_.dc(), pixels);
  const SIZE device = Extent("Scale");
  TEXTMETRICA tmDevice;
  GetTextMetricsA(canvas_.dc(), &tmDevice);
  SelectObject(canvas_.dc(), prev);
  DeleteObject(pixels);

  SetMapMode(canvas_.dc(), MM_LOMETRIC);
  HFONT metric = CreateFontA(-40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
  prev = SelectObject(canvas_.dc(), metric);
  TEXTMETRICA tm;
  GetTextMetricsA(canvas_.dc(), &tm);
  EXPECT_NEAR(tm.tmHeight - tm.tmInternalLeading, 40, 2);
  EXPECT_NEAR(tm.tmHeight, tmDevice.tmHeight * 254.0 / 96.0, 2);
  const SIZE logical = Extent("Scale");
  EXPECT_NEAR(logical.cx, device.cx * 254.0 / 96.0, 2);

  // Text still runs down the device from a TA_TOP reference, though y runs
  // upwards in the mapping: logical (0, 0) is the device's top-left corner.
  ASSERT_TRUE(TextOutA(canvas_.dc(), 20, -20, "H", 1));
  const RECT ink = Ink();
  EXPECT_GE(ink.left, 7);  // 20 tenths of a millimetre is 7.6 pixels
  EXPECT_GE(ink.top, 7);
  EXPECT_LE(ink.bottom, 8 + tmDevice.tmHeight);
  SelectObject(canvas_.dc(), prev);
  DeleteObject(metric);
  SetMapMode(canvas_.dc(), MM_TEXT);
}

TEST(TextCalls, FailLikeThePlatform) {
  SIZE sz;
  TEXTMETRICA tm;
  HDC bogus = reinterpret_cast<HDC>(static_cast<uintptr_t>(0x4));
  EXPECT_FALSE(TextOutA(bogus, 0, 0, "a", 1));
  EXPECT_FALSE(GetTextExtentPoint32A(bogus, "a", 1, &sz));
  EXPECT_FALSE(GetTextMetricsA(bogus, &tm));
  EXPECT_EQ(SetTextAlign(bogus, TA_CENTER), GDI_ERROR);
  RECT r{0, 0, 10, 10};
  EXPECT_EQ(DrawTextA(bogus, "a", 1, &r, 0), 0);
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_FALSE(TextOutA(dc, 0, 0, "a", -1));
  EXPECT_FALSE(GetTextExtentPoint32A(dc, "a", -1, &sz));
  EXPECT_FALSE(GetTextExtentPoint32A(dc, "a", 1, nullptr));
  // A DC without a bitmap of its own draws nothing and succeeds.
  EXPECT_TRUE(TextOutA(dc, 0, 0, "a", 1));
  EXPECT_EQ(CreateFontIndirectA(nullptr), nullptr);
  DeleteDC(dc);
}

TEST(TextFonts, StockFontsAndFrameworkFonts) {
  LOGFONTA lf{};
  ASSERT_EQ(GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf), static_cast<int>(sizeof lf));
  EXPECT_EQ(lf.lfHeight, -11);
  EXPECT_STREQ(lf.lfFaceName, "MS Shell Dlg");
  EXPECT_EQ(GetObjectType(GetStockObject(SYSTEM_FONT)), static_cast<DWORD>(OBJ_FONT));
  EXPECT_EQ(GetObjectType(GetStockObject(ANSI_VAR_FONT)), static_cast<DWORD>(OBJ_FONT));

  // Eight points on the 96 dpi display, truncated as the framework does.
  CFont font;
  ASSERT_TRUE(font.CreatePointFont(80, "MS Sans Serif"));
  LOGFONTA got{};
  ASSERT_EQ(font.GetLogFont(&got), static_cast<int>(sizeof got));
  EXPECT_EQ(got.lfHeight, -10);
  EXPECT_STREQ(got.lfFaceName, "MS Sans Serif");

  CDC dc;
  ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
  CFont* old = dc.SelectObject(&font);
  TEXTMETRICA tm;
  ASSERT_TRUE(dc.GetTextMetrics(&tm));
  EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 10);
  const CSize ext = dc.GetTextExtent("abc", 3);
  SIZE raw;
  GetTextExtentPoint32A(dc.GetSafeHdc(), "abc", 3, &raw);
  EXPECT_EQ(ext.cx, raw.cx);
  EXPECT_EQ(dc.SetTextAlign(TA_CENTER), static_cast<UINT>(TA_LEFT | TA_TOP));
  EXPECT_EQ(dc.GetTextAlign(), static_cast<UINT>(TA_CENTER));
  CString face;
  dc.GetTextFace(face);
  EXPECT_STREQ(face, "MS Sans Serif");
  dc.SelectObject(old);
}

}  // namespace
