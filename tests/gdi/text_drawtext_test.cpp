// DrawText: sizes from DT_CALCRECT, placement of each alignment (checked
// against TextOut at the position the rule gives), breaks, prefixes,
// ellipsis and clipping.
#include <cstring>

#include "codepage.h"
#include "gdi_fixture.h"

namespace {

class DrawTextTest : public testing::Test {
 protected:
  void SetUp() override {
    AfxSetCodePage(1252);
    GetTextMetricsA(a_.dc(), &tm_);
  }
  void TearDown() override { AfxSetCodePage(0); }
  int Width(const std::string& s) {
    SIZE sz{};
    GetTextExtentPoint32A(a_.dc(), s.c_str(), static_cast<int>(s.size()), &sz);
    return sz.cx;
  }
  RECT Calc(const std::string& s, RECT r, UINT format, int* height = nullptr) {
    int h = DrawTextA(a_.dc(), s.c_str(), static_cast<int>(s.size()), &r, format | DT_CALCRECT);
    if (height) *height = h;
    return r;
  }
  TextCanvas a_{160, 80};
  TextCanvas b_{160, 80};
  TEXTMETRICA tm_{};
};

TEST_F(DrawTextTest, CalcRectSizes) {
  struct Case {
    const char* name;
    std::string text;
    int rectWidth;
    UINT format;
    int lines;
    std::vector<std::string> widest;  // one of these is the widest line
  };
  const Case cases[] = {
      {"single line", "Hello world", 200, DT_SINGLELINE, 1, {"Hello world"}},
      {"line breaks", "one\ntwo three\r\nx", 200, 0, 3, {"two three"}},
      {"CR alone breaks", "a\rbb", 200, 0, 2, {"bb"}},
      {"single line ignores breaks", "ab\ncd", 200, DT_SINGLELINE, 1, {}},
      {"word break", "alpha beta gamma", 0, DT_WORDBREAK, 3, {"alpha", "gamma", "beta"}},
      {"word break keeps what fits", "alpha beta gamma", -1, DT_WORDBREAK, 2, {"alpha beta"}},
      {"a word wider than the rect is whole", "incomprehensibilities", 10, DT_WORDBREAK, 1,
       {"incomprehensibilities"}},
      {"prefix removed", "&File", 200, DT_SINGLELINE, 1, {"File"}},
      {"double prefix is one ampersand", "A&&B", 200, DT_SINGLELINE, 1, {"A&B"}},
      {"no prefix", "&File", 200, DT_SINGLELINE | DT_NOPREFIX, 1, {"&File"}},
  };
  for (const Case& c : cases) {
    int rw = c.rectWidth;
    if (rw < 0) rw = Width("alpha beta") + 2;  // room for two words, not three
    int h = 0;
    const RECT r = Calc(c.text, RECT{10, 5, 10 + rw, 6}, c.format, &h);
    EXPECT_EQ(r.left, 10) << c.name;
    EXPECT_EQ(r.top, 5) << c.name;
    EXPECT_EQ(r.bottom - r.top, c.lines * tm_.tmHeight) << c.name;
    EXPECT_EQ(h, c.lines * tm_.tmHeight) << c.name;
    if (!c.widest.empty()) {
      int widest = 0;
      for (const std::string& s : c.widest) widest = std::max(widest, Width(s));
      EXPECT_EQ(r.right - r.left, widest) << c.name;
    }
  }
  // External leading is added per line only when asked for.
  const RECT lead = Calc("a\nb", RECT{0, 0, 100, 0}, DT_EXTERNALLEADING);
  EXPECT_EQ(lead.bottom, 2 * (tm_.tmHeight + tm_.tmExternalLeading));
  // Empty text has no height.
  RECT e{3, 4, 50, 60};
  EXPECT_EQ(DrawTextA(a_.dc(), "", 0, &e, DT_CALCRECT), 0);
  EXPECT_EQ(e.right, 3);
  EXPECT_EQ(e.bottom, 4);
}

TEST_F(DrawTextTest, PlacementMatchesTextOutAtTheRulesPosition) {
  const std::string s = "Centred";
  const int w = Width(s);
  const RECT box{20, 10, 140, 70};
  struct Case {
    const char* name;
    UINT format;
    int x, y;
  };
  const Case cases[] = {
      {"left top", DT_LEFT | DT_TOP, 20, 10},
      {"center", DT_CENTER, 20 + (120 - w) / 2, 10},
      {"right", DT_RIGHT, 140 - w, 10},
      {"vcenter", DT_SINGLELINE | DT_VCENTER, 20, 10 + (60 - tm_.tmHeight) / 2},
      {"bottom", DT_SINGLELINE | DT_BOTTOM, 20, 70 - tm_.tmHeight},
      {"center vcenter", DT_SINGLELINE | DT_CENTER | DT_VCENTER, 20 + (120 - w) / 2,
       10 + (60 - tm_.tmHeight) / 2},
  };
  for (const Case& c : cases) {
    a_.Clear();
    b_.Clear();
    RECT r = box;
    const int h = DrawTextA(a_.dc(), s.c_str(), -1, &r, c.format);
    ASSERT_TRUE(TextOutA(b_.dc(), c.x, c.y, s.c_str(), static_cast<int>(s.size()))) << c.name;
    EXPECT_EQ(a_.Pixels(), b_.Pixels()) << c.name;
    // The height, or with DT_VCENTER/DT_BOTTOM the offset to the text's bottom.
    EXPECT_EQ(h, c.y + tm_.tmHeight - (c.format & (DT_VCENTER | DT_BOTTOM) ? 10 : c.y)) << c.name;
  }
}

TEST_F(DrawTextTest, LinesStackByTheCellHeight) {
  RECT r{0, 0, 160, 80};
  DrawTextA(a_.dc(), "ab\ncd", -1, &r, 0);
  TextOutA(b_.dc(), 0, 0, "ab", 2);
  TextOutA(b_.dc(), 0, tm_.tmHeight, "cd", 2);
  EXPECT_EQ(a_.Pixels(), b_.Pixels());
}

TEST_F(DrawTextTest, PrefixUnderlinesOneCharacter) {
  RECT r{0, 0, 160, 80};
  DrawTextA(a_.dc(), "&File", -1, &r, DT_SINGLELINE);
  TextOutA(b_.dc(), 0, 0, "File", 4);
  const std::vector<DWORD> withMark = a_.Pixels(), plain = b_.Pixels();
  // The same letters plus a line under the F alone.
  const int fWidth = Width("F");
  int extra = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 160; ++x) {
      const size_t i = static_cast<size_t>(y) * 160 + x;
      if (withMark[i] == plain[i]) continue;
      ++extra;
      EXPECT_LT(x, fWidth);
      EXPECT_GE(y, tm_.tmAscent);
    }
  EXPECT_GE(extra, fWidth - 2);
  a_.Clear();
  DrawTextA(a_.dc(), "&File", -1, &r, DT_SINGLELINE | DT_HIDEPREFIX);
  EXPECT_EQ(a_.Pixels(), plain);
}

TEST_F(DrawTextTest, EndEllipsisFitsTheRectangle) {
  const std::string s = "A rather long caption";
  const int room = Width("A rather") + 1;
  RECT calc{0, 0, room, 20};
  DrawTextA(a_.dc(), s.c_str(), -1, &calc, DT_SINGLELINE | DT_END_ELLIPSIS | DT_CALCRECT);
  EXPECT_LE(calc.right, room);
  EXPECT_GE(calc.right, Width("..."));
  RECT r{0, 0, room, 20};
  DrawTextA(a_.dc(), s.c_str(), -1, &r, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOCLIP);
  EXPECT_LE(a_.Ink().right, room);
  // What fits is drawn with three dots after it.
  std::string shown;
  for (size_t n = s.size(); n > 0; --n)
    if (Width(s.substr(0, n)) + Width("...") <= room) {
      shown = s.substr(0, n) + "...";
      break;
    }
  TextOutA(b_.dc(), 0, 0, shown.c_str(), static_cast<int>(shown.size()));
  EXPECT_EQ(a_.Pixels(), b_.Pixels());
}

TEST_F(DrawTextTest, ClippedToTheRectangleUnlessNoClip) {
  RECT r{0, 0, 25, 30};
  DrawTextA(a_.dc(), "WWWWWWWW", -1, &r, DT_SINGLELINE);
  EXPECT_EQ(a_.Ink().right, 25);
  a_.Clear();
  DrawTextA(a_.dc(), "WWWWWWWW", -1, &r, DT_SINGLELINE | DT_NOCLIP);
  EXPECT_GT(a_.Ink().right, 25);
}

TEST_F(DrawTextTest, ChineseBreaksBetweenCharacters) {
  AfxSetCodePage(936);
  const std::string s = "\xd6\xd0\xce\xc4\xd6\xd0\xce\xc4";  // four ideographs, no spaces
  const int one = Width("\xd6\xd0");
  RECT r = Calc(s, RECT{0, 0, 2 * one + 1, 0}, DT_WORDBREAK);
  EXPECT_EQ(r.bottom, 2 * tm_.tmHeight);
  EXPECT_EQ(r.right, 2 * one);
}

}  // namespace
