// The brushes of the built-in fills and of library indexes, pixel by pixel.
#include "KyBrushStyleFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gdi_helpers.h"

namespace {

// Fills a 16 x 16 bitmap, pre-filled with 0xCC, with the brush (none: left
// alone) and reads it back as 0x00RRGGBB values.
std::vector<DWORD> Paint(CBrush* brush) {
  TestCanvas c(16, 16, 32, RGB(0xCC, 0xCC, 0xCC));
  SetBkColor(c.dc(), RGB(255, 255, 255));
  SetBkMode(c.dc(), OPAQUE);
  if (brush) {
    RECT r{0, 0, 16, 16};
    FillRect(c.dc(), &r, static_cast<HBRUSH>(brush->GetSafeHandle()));
  }
  return c.Pixels();
}

// The same with the brush the folder makes for an index.
std::vector<DWORD> Paint(int index, COLORREF cr, BOOL* made) {
  CBrush brush;
  *made = CKyBrushStyleFolder::CreateBrush(brush, index, cr);
  return Paint(*made ? &brush : nullptr);
}

const DWORD C = 0x0069FF;  // COLORREF 0xFF6900 as 0x00RRGGBB
const DWORD W = 0xFFFFFF;
const DWORD G = 0xCCCCCC;  // untouched

TEST(BrushStyleFolder, SolidAndHollow) {
  BOOL made = FALSE;
  std::vector<DWORD> px = Paint(0, 0xFF6900, &made);
  ASSERT_TRUE(made);
  for (DWORD p : px) ASSERT_EQ(p, C);
  px = Paint(1, 0xFF6900, &made);
  ASSERT_TRUE(made);
  for (DWORD p : px) ASSERT_EQ(p, G);  // the hollow brush paints nothing
}

TEST(BrushStyleFolder, HatchesInTheirOrder) {
  struct Case {
    int index, hatch;
  };
  const Case cases[] = {{2, HS_BDIAGONAL}, {3, HS_CROSS}, {4, HS_DIAGCROSS},
                        {5, HS_FDIAGONAL}, {6, HS_HORIZONTAL}, {7, HS_VERTICAL}};
  for (const Case& c : cases) {
    EXPECT_EQ(CKyBrushStyleFolder::HatchStyle(c.index), c.hatch) << c.index;
    // The same pixels as the GDI's own hatch brush of that style.
    BOOL made = FALSE;
    std::vector<DWORD> ours = Paint(c.index, 0xFF6900, &made);
    ASSERT_TRUE(made) << c.index;
    CBrush hatch(c.hatch, 0xFF6900);
    EXPECT_EQ(ours, Paint(&hatch)) << "index " << c.index;
  }
  // Horizontal: one coloured row in eight, the rest the background.
  BOOL made = FALSE;
  std::vector<DWORD> px = Paint(6, 0xFF6900, &made);
  int coloured = 0;
  for (DWORD p : px) coloured += p == C;
  EXPECT_EQ(coloured, 2 * 16);
  EXPECT_EQ(CKyBrushStyleFolder::HatchStyle(0), -1);
  EXPECT_EQ(CKyBrushStyleFolder::HatchStyle(8), -1);
}

TEST(BrushStyleFolder, LibraryIndexesGetThePatternsInTurn) {
  EXPECT_EQ(CKyBrushStyleFolder::PatternRows(7), nullptr);
  EXPECT_EQ(CKyBrushStyleFolder::PatternRows(8), CKyBrushStyleFolder::PatternRows(16));
  EXPECT_NE(CKyBrushStyleFolder::PatternRows(8), CKyBrushStyleFolder::PatternRows(9));
  for (int index : {8, 9, 13, 100, 123456}) {
    BOOL made = FALSE;
    std::vector<DWORD> px = Paint(index, 0xFF6900, &made);
    ASSERT_TRUE(made) << index;
    const BYTE* rows = CKyBrushStyleFolder::PatternRows(index);
    // Laid from the origin, 8 x 8, repeated.
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const bool on = (rows[y % 8] >> (7 - x % 8)) & 1;
        ASSERT_EQ(px[y * 16 + x], on ? C : W) << "index " << index << " at " << x << "," << y;
      }
  }
}

TEST(BrushStyleFolder, NegativeIndexFailsAndEmptiesTheBrush) {
  CBrush brush(RGB(1, 2, 3));
  ASSERT_NE(brush.GetSafeHandle(), nullptr);
  EXPECT_FALSE(CKyBrushStyleFolder::CreateBrush(brush, -1, 0));
  EXPECT_EQ(brush.GetSafeHandle(), nullptr);
  EXPECT_FALSE(CKyBrushStyleFolder::CreateBrush(brush, -2147483647 - 1, 0));
  // A brush that held one before gets the new one.
  EXPECT_TRUE(CKyBrushStyleFolder::CreateBrush(brush, 0, RGB(1, 2, 3)));
  EXPECT_TRUE(CKyBrushStyleFolder::CreateBrush(brush, 3, RGB(1, 2, 3)));
  LOGBRUSH lb{};
  ASSERT_NE(brush.GetLogBrush(&lb), 0);
  EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_HATCHED));
  EXPECT_EQ(lb.lbHatch, static_cast<ULONG_PTR>(HS_CROSS));
}

}  // namespace
