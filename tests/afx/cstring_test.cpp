#include <gtest/gtest.h>

#include "afx.h"

namespace {

struct CodePage {
  explicit CodePage(UINT cp) { AfxSetCodePage(cp); }
  ~CodePage() { AfxSetCodePage(0); }
};

TEST(CString, MakeUpperLeavesDoubleByteCharactersIntactUnderCodePage936) {
  CodePage cp(936);
  // 0xC4 0xE3 and 0xB0 0x61 are double-byte characters; 0x61 as a trail byte
  // must not become 0x41.
  CString s("a\xC4\xE3z\xB0" "ab");
  s.MakeUpper();
  EXPECT_EQ(std::string("A\xC4\xE3Z\xB0" "aB"), s.str());
}

TEST(CString, MakeUpperUpcasesEveryAsciiLetterUnderSingleBytePage) {
  CodePage cp(1252);
  CString s("a\xB0" "ab");
  s.MakeUpper();
  EXPECT_EQ(std::string("A\xB0" "AB"), s.str());
}

TEST(CString, FindNeverMatchesOnATrailByte) {
  CodePage cp(936);
  CString s("\xB0" "ab");
  EXPECT_EQ(-1, s.Find("ab"));
  EXPECT_EQ(2, s.Find("b"));
  AfxSetCodePage(1252);
  EXPECT_EQ(1, s.Find("ab"));
}

TEST(CString, FindHonoursStartAndEmptyNeedle) {
  CString s("abcabc");
  EXPECT_EQ(3, s.Find("abc", 1));
  EXPECT_EQ(-1, s.Find("abc", 4));
  EXPECT_EQ(2, s.Find(""  , 2));
  EXPECT_EQ(-1, s.Find("x", 99));
  EXPECT_EQ(5, s.Find('c', 3));
  EXPECT_EQ(5, s.ReverseFind('c'));
}

TEST(CString, CompareIsBytewise) {
  EXPECT_LT(CString("A").Compare("a"), 0);
  EXPECT_GT(CString("\xB0").Compare("a"), 0);  // unsigned byte order
  EXPECT_EQ(0, CString("ab").CompareNoCase("AB"));
  EXPECT_TRUE(CString("A") != CString("a"));
}

TEST(CString, TrimRemoveAndFormat) {
  CString s(" \t x y \r\n");
  s.Trim();
  EXPECT_EQ(std::string("x y"), s.str());
  EXPECT_EQ(1, s.Remove(' '));
  EXPECT_EQ(std::string("xy"), s.str());
  CString t("--a--");
  t.TrimLeft('-');
  EXPECT_EQ(std::string("a--"), t.str());
  t.TrimRight("-");
  EXPECT_EQ(std::string("a"), t.str());
  CString f;
  f.Format("x=%d,y=%d,dx=%d,dy=%d", 1, -2, 3, 40);
  EXPECT_EQ(std::string("x=1,y=-2,dx=3,dy=40"), f.str());
}

TEST(CString, MidLeftRightClampTheirArguments) {
  CString s("hello");
  EXPECT_EQ(std::string("ell"), s.Mid(1, 3).str());
  EXPECT_EQ(std::string(""), s.Mid(9).str());
  EXPECT_EQ(std::string("he"), s.Left(2).str());
  EXPECT_EQ(std::string("hello"), s.Right(99).str());
  EXPECT_EQ(std::string(""), s.Left(-1).str());
}

TEST(CodePageText, ConvertsGbkToUtf8AndMarksBrokenBytes) {
  // 0xC4 0xAC is U+9ED8; a lone lead byte at the end becomes U+FFFD.
  EXPECT_EQ("\xE9\xBB\x98", AfxCodePageToUtf8("\xC4\xAC", 2, 936));
  EXPECT_EQ("a\xEF\xBF\xBD", AfxCodePageToUtf8("a\xC4", 2, 936));
  std::string back;
  ASSERT_TRUE(AfxUtf8ToCodePage("\xE9\xBB\x98", back, 936));
  EXPECT_EQ("\xC4\xAC", back);
}

}  // namespace
