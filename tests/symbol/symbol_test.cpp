#include <gtest/gtest.h>

#include "KyVuv50.h"

namespace {

CKySymStroke* Line(double y, COLORREF cr) {
  const CPoint2D pts[2] = {{-0.5, y}, {0.5, y}};
  auto* s = new CKySymStroke;
  EXPECT_TRUE(s->MakeStroke_Polyline(pts, 2, 0.1, 0, TRUE, cr));
  return s;
}

TEST(CKySymbol, HoldsItsStrokesInOrderEachOnce) {
  CKySymbol sym;
  EXPECT_EQ(0, sym.GetCount());
  EXPECT_EQ(0u, sym.GetSymId());
  EXPECT_TRUE(sym.GetSymName().IsEmpty());
  CKySymStroke* a = Line(-0.25, 1);
  CKySymStroke* b = Line(0.25, 2);
  ASSERT_TRUE(sym.AddStroke(a));
  ASSERT_TRUE(sym.AddStroke(b));
  EXPECT_EQ(2, sym.GetCount());
  EXPECT_EQ(a, sym.GetLastStroke(0));
  EXPECT_EQ(b, sym.GetLastStroke(1));
  EXPECT_EQ(nullptr, sym.GetLastStroke(2));
  EXPECT_EQ(nullptr, sym.GetLastStroke(-1));
  // A null stroke and the same stroke twice are refused.
  EXPECT_FALSE(sym.AddStroke(nullptr));
  EXPECT_FALSE(sym.AddStroke(a)) << "taking it twice would delete it twice";
  EXPECT_EQ(2, sym.GetCount());
  sym.RemoveAll();
  EXPECT_EQ(0, sym.GetCount());
}

TEST(CKySymbol, AssignmentCopiesDeeply) {
  CKySymbol src;
  src.SetSymId(42);
  src.SetSymName("reed");
  src.AddStroke(Line(-0.25, 0x11));
  src.AddStroke(Line(0.25, 0x22));

  CKySymbol dst;
  dst.SetSymId(7);
  dst.AddStroke(Line(0, 0x99));  // deleted by the assignment (ASan would see a leak)
  dst = src;
  EXPECT_EQ(src, dst);
  EXPECT_EQ(42u, dst.GetSymId());
  EXPECT_EQ(CString("reed"), dst.GetSymName());
  ASSERT_EQ(2, dst.GetCount());
  for (int i = 0; i < 2; ++i) EXPECT_NE(src.GetLastStroke(i), dst.GetLastStroke(i)) << i;

  // Changing the copy leaves the source alone.
  dst.GetLastStroke(0)->MakePenFix(0);
  EXPECT_TRUE(src.GetLastStroke(0)->IsPenFix());
  EXPECT_NE(src, dst);

  CKySymbol copy(src);
  EXPECT_EQ(src, copy);
  EXPECT_NE(src.GetLastStroke(1), copy.GetLastStroke(1));

  CKySymbol& self = src;
  src = self;
  EXPECT_EQ(copy, src) << "assigning a symbol to itself changes nothing";

  // Names are bytes; a zero byte inside one must not end the comparison.
  copy.SetSymName(CString("re\0d", 4));
  src.SetSymName(CString("re\0e", 4));
  EXPECT_NE(copy, src);
}

TEST(CKySymbol, SymbolRectJoinsTheStrokes) {
  CKySymbol sym;
  CRect r(5, 5, 5, 5);
  EXPECT_FALSE(sym.GetSymbolRect(&r));
  EXPECT_EQ(CRect(5, 5, 5, 5), r);
  sym.AddStroke(Line(-0.5, 0));  // a line of empty height
  ASSERT_TRUE(sym.GetSymbolRect(&r));
  EXPECT_EQ(CRect(-128, -128, 128, -127), r);
  auto* dot = new CKySymStroke;
  ASSERT_TRUE(dot->MakeStroke_FilledEllipse({0.0, 0.25}, {0.125, 0.5}, 0, FALSE, 0));
  sym.AddStroke(dot);
  ASSERT_TRUE(sym.GetSymbolRect(&r));
  EXPECT_EQ(CRect(-128, -128, 128, 128), r);
  EXPECT_FALSE(sym.GetSymbolRect(nullptr));
}

TEST(CKySymbolParameter, TheConstructorSetsEachField) {
  CStringArray texts;
  CKySymbolParameter p(CPoint(10, 10), 128, 0, 0, 0, nullptr, 1.0);
  EXPECT_EQ(CPoint(10, 10), p.m_ptPosition);
  EXPECT_EQ(128u, p.m_nSize);
  EXPECT_EQ(nullptr, p.m_pTexts);
  EXPECT_EQ(1.0, p.m_dScale);
  p.m_nSize = 60;
  p.m_nAngle = 450;
  p.m_crColor = 0xFF;
  p.m_nSymID = 12;
  p.m_pTexts = &texts;
  p.m_dScale = 2.5;
  const CKySymbolParameter q(CPoint(1, 2), 60, 450, 0xFF, 12, &texts, 2.5);
  EXPECT_EQ(q.m_nSize, p.m_nSize);
  EXPECT_EQ(q.m_nAngle, p.m_nAngle);
  EXPECT_EQ(q.m_crColor, p.m_crColor);
  EXPECT_EQ(q.m_nSymID, p.m_nSymID);
  EXPECT_EQ(q.m_pTexts, p.m_pTexts);
  EXPECT_EQ(q.m_dScale, p.m_dScale);
}

}  // namespace
