#include <gtest/gtest.h>

#include "KyVuv50.h"

namespace {

struct SampleCase {
  long id;
  const char* name;
  int strokes;
  BYTE firstType;
};

TEST(KySampleSymbols, HoldsTheSixSamplesInIdOrder) {
  const SampleCase cases[] = {
      {kySampleDot, "dot", 1, CKySymStroke::typeFilledEllipse},
      {kySampleCross, "cross", 2, CKySymStroke::typePolyline},
      {kySampleStar, "star", 1, CKySymStroke::typeFilledPolygon},
      {kySampleTree, "tree", 2, CKySymStroke::typeRectangle},
      {kySampleReedTuft, "reed tuft", 5, CKySymStroke::typePolyline},
      {kySampleRock, "rock", 2, CKySymStroke::typePolygon},
  };
  const CKySymLib lib = KySampleSymbols();
  ASSERT_EQ(6, lib.GetSymbolCount());
  for (long pos = 0; pos < 6; ++pos) {
    const SampleCase& t = cases[pos];
    EXPECT_EQ(t.id, lib.GetSymbolID(pos)) << t.name;
    const CKySymbol* sym = lib.GetSymbol(static_cast<unsigned long>(t.id));
    ASSERT_NE(nullptr, sym) << t.name;
    EXPECT_EQ(CString(t.name), sym->GetSymName());
    ASSERT_EQ(t.strokes, sym->GetCount()) << t.name;
    EXPECT_EQ(t.firstType, sym->GetLastStroke(0)->GetStrokeType()) << t.name;
    for (int i = 0; i < sym->GetCount(); ++i) {
      EXPECT_FALSE(sym->GetLastStroke(i)->IsPenFix()) << t.name << " follows the caller's colour";
      EXPECT_FALSE(sym->GetLastStroke(i)->IsBrushFix()) << t.name;
    }
    CRect r;
    ASSERT_TRUE(sym->GetSymbolRect(&r));
    EXPECT_TRUE(r.left >= -128 && r.top >= -128 && r.right <= 128 && r.bottom <= 128) << t.name;
  }
}

TEST(KySampleSymbols, DotAndStarAreSingleFilledShapesWithExactBounds) {
  const CKySymLib lib = KySampleSymbols();
  CRect r;
  ASSERT_TRUE(lib.GetSymbol(kySampleDot)->GetLastStroke(0)->GetStrokeRect(&r));
  EXPECT_EQ(CRect(-32, -32, 32, 32), r);  // 0.125 * 255 = 31.875, rounded outward
  ASSERT_TRUE(lib.GetSymbol(kySampleStar)->GetLastStroke(0)->GetStrokeRect(&r));
  EXPECT_EQ(-128, r.top);  // the top point at -0.5
  EXPECT_EQ(10, lib.GetSymbol(kySampleStar)->GetLastStroke(0)->GetPointCount());
}

// The two mask variants a transparent symbol pattern tile builds from a
// library symbol, done here with the operations that tile uses.
TEST(KySampleSymbols, MaskVariantsCanBeBuiltFromEverySample) {
  const CKySymLib lib = KySampleSymbols();
  const double k = 0.00392156862745098;
  int rectangles = 0;
  for (long pos = 0; pos < lib.GetSymbolCount(); ++pos) {
    const CKySymbol* sym = lib.GetSymbolAt(pos);
    CKySymbol mask;
    const BYTE type = sym->GetLastStroke(0)->GetStrokeType();
    if (sym->GetCount() == 1 && (type == 10 || type == 11)) {
      CRect r;
      ASSERT_TRUE(sym->GetLastStroke(0)->GetStrokeRect(&r));
      auto* s = new CKySymStroke;
      ASSERT_TRUE(s->MakeStroke_Rectangle(CPoint2D(r.left * k, r.top * k), CPoint2D(r.right * k, r.bottom * k), 0,
                                          1, 0, 0, 0, 0, 0xFFFFFF));
      mask.AddStroke(s);
      CRect m;
      ASSERT_TRUE(mask.GetSymbolRect(&m));
      EXPECT_EQ(r, m) << sym->GetSymName().str() << ": the mask covers the shape's rectangle exactly";
      EXPECT_TRUE(mask.GetLastStroke(0)->IsFilled());
      ++rectangles;
    } else {
      mask = *sym;
      for (int i = 0; i < mask.GetCount(); ++i) {
        mask.GetLastStroke(i)->MakeBrushFix(0);
        mask.GetLastStroke(i)->MakePenFix(0);
      }
      EXPECT_EQ(sym->GetCount(), mask.GetCount());
      CRect a, b;
      ASSERT_TRUE(sym->GetSymbolRect(&a));
      ASSERT_TRUE(mask.GetSymbolRect(&b));
      EXPECT_EQ(a, b) << sym->GetSymName().str();
    }
  }
  EXPECT_EQ(2, rectangles) << "the dot and the star";
}

}  // namespace
