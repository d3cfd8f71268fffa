// Selection, deletion and stock objects: the lifetime rules.
#include "gdi_fixture.h"

namespace {

TEST(Objects, SelectReturnsThePreviousObject) {
  HDC dc = CreateCompatibleDC(nullptr);
  HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
  HGDIOBJ first = SelectObject(dc, red);
  EXPECT_EQ(first, GetStockObject(BLACK_PEN));
  EXPECT_EQ(SelectObject(dc, first), red);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
  EXPECT_EQ(GetObjectType(GetCurrentObject(dc, OBJ_BITMAP)), DWORD(OBJ_BITMAP));
  EXPECT_EQ(GetObjectType(dc), DWORD(OBJ_MEMDC));
  EXPECT_EQ(GetObjectType(red), DWORD(OBJ_PEN));
  DeleteObject(red);
  DeleteDC(dc);
}

TEST(Objects, ASelectedPenIsDeletedWhenDeselected) {
  HDC dc = CreateCompatibleDC(nullptr);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  HGDIOBJ old = SelectObject(dc, pen);
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_EQ(GetObjectType(pen), DWORD(OBJ_PEN));  // still in use
  SelectObject(dc, old);
  EXPECT_EQ(GetObjectType(pen), 0u);  // gone with its last selection
  EXPECT_EQ(SelectObject(dc, pen), nullptr);
  DeleteDC(dc);
}

TEST(Objects, ASelectedBitmapIsNotDeletedAndBelongsToOneDC) {
  HDC a = CreateCompatibleDC(nullptr), b = CreateCompatibleDC(nullptr);
  HBITMAP bmp = CreateBitmap(4, 4, 1, 32, nullptr);
  HGDIOBJ old = SelectObject(a, bmp);
  EXPECT_FALSE(DeleteObject(bmp));
  EXPECT_EQ(SelectObject(b, bmp), nullptr);  // already in a
  SelectObject(a, old);
  EXPECT_NE(SelectObject(b, bmp), nullptr);
  DeleteDC(b);  // deleting the DC lets the bitmap go
  EXPECT_TRUE(DeleteObject(bmp));
  EXPECT_EQ(GetObjectType(bmp), 0u);
  // Only memory DCs take bitmaps.
  HDC screen = GetDC(nullptr);
  HBITMAP other = CreateBitmap(2, 2, 1, 32, nullptr);
  EXPECT_EQ(SelectObject(screen, other), nullptr);
  ReleaseDC(nullptr, screen);
  DeleteObject(other);
  DeleteDC(a);
}

TEST(Objects, StockObjectsSurviveDeletion) {
  for (int i : {WHITE_BRUSH, BLACK_BRUSH, NULL_BRUSH, BLACK_PEN, NULL_PEN, SYSTEM_FONT}) {
    HGDIOBJ s = GetStockObject(i);
    ASSERT_NE(s, nullptr) << i;
    EXPECT_TRUE(DeleteObject(s)) << i;
    EXPECT_EQ(GetStockObject(i), s) << i;
    EXPECT_NE(GetObjectType(s), 0u) << i;
  }
  EXPECT_EQ(GetStockObject(-1), nullptr);
  EXPECT_EQ(GetStockObject(99), nullptr);
  LOGBRUSH lb{};
  EXPECT_EQ(GetObject(GetStockObject(LTGRAY_BRUSH), sizeof lb, &lb), int(sizeof lb));
  EXPECT_EQ(lb.lbColor, RGB(192, 192, 192));
}

TEST(Objects, DeletedAndForeignHandlesFail) {
  HBRUSH b = CreateSolidBrush(0);
  EXPECT_TRUE(DeleteObject(b));
  EXPECT_FALSE(DeleteObject(b));
  LOGBRUSH lb;
  EXPECT_EQ(GetObject(b, sizeof lb, &lb), 0);
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_EQ(SelectObject(dc, b), nullptr);
  EXPECT_EQ(SelectObject(dc, reinterpret_cast<HGDIOBJ>(0x7)), nullptr);
  EXPECT_FALSE(DeleteObject(dc));  // a DC goes with DeleteDC
  EXPECT_TRUE(DeleteDC(dc));
  EXPECT_FALSE(DeleteDC(dc));
  EXPECT_EQ(SetBkMode(dc, OPAQUE), 0);
  EXPECT_EQ(SetMapMode(dc, MM_TEXT), 0);
  EXPECT_EQ(CreateHatchBrush(9, 0), nullptr);
  EXPECT_EQ(CreatePen(42, 1, 0), nullptr);
}

TEST(Objects, SaveDCRestoresStateAndSelections) {
  HDC dc = CreateCompatibleDC(nullptr);
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(9, 9, 9));
  SetBkColor(dc, RGB(1, 1, 1));
  int level = SaveDC(dc);
  EXPECT_EQ(level, 1);
  SelectObject(dc, pen);
  SetBkColor(dc, RGB(2, 2, 2));
  SetMapMode(dc, MM_LOMETRIC);
  EXPECT_EQ(SaveDC(dc), 2);
  SetBkMode(dc, TRANSPARENT);
  EXPECT_TRUE(RestoreDC(dc, 1));
  EXPECT_EQ(GetBkColor(dc), RGB(1, 1, 1));
  EXPECT_EQ(GetMapMode(dc), MM_TEXT);
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_FALSE(RestoreDC(dc, 1));  // that level is gone
  EXPECT_TRUE(DeleteObject(pen));
  EXPECT_EQ(GetObjectType(pen), 0u);
  DeleteDC(dc);
}

TEST(Objects, GetObjectOfPensAndBitmaps) {
  HPEN p = CreatePen(PS_DASH, 1, RGB(1, 2, 3));
  LOGPEN lp{};
  EXPECT_EQ(GetObject(p, sizeof lp, &lp), int(sizeof lp));
  EXPECT_EQ(lp.lopnStyle, UINT(PS_DASH));
  EXPECT_EQ(lp.lopnColor, RGB(1, 2, 3));
  EXPECT_EQ(GetObject(p, 0, nullptr), int(sizeof lp));
  EXPECT_EQ(GetObject(p, 2, &lp), 0);
  DeleteObject(p);
}

}  // namespace
