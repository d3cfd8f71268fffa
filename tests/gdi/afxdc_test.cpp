// The framework wrappers: ownership, FromHandle, SelectObject overloads.
#include <typeinfo>

#include "afxdc.h"
#include "gdi_fixture.h"

namespace {

TEST(AfxDC, CreateCompatibleDCOwnsItsDC) {
  HDC h = nullptr;
  {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    h = dc.GetSafeHdc();
    EXPECT_EQ(dc.m_hAttribDC, h);
    EXPECT_EQ(CDC::FromHandle(h), &dc);  // the permanent wrapper is found
  }
  EXPECT_EQ(GetObjectType(h), 0u);  // deleted with the object
}

TEST(AfxDC, AttachedDCsStayWithTheirOwner) {
  HDC h = CreateCompatibleDC(nullptr);
  {
    CDC dc;
    dc.Attach(h);
    EXPECT_EQ(dc.Detach(), h);
  }
  EXPECT_EQ(GetObjectType(h), DWORD(OBJ_MEMDC));
  CDC* temp = CDC::FromHandle(h);
  ASSERT_NE(temp, nullptr);
  EXPECT_EQ(CDC::FromHandle(h), temp);
  CDC::DeleteTempMap();
  EXPECT_EQ(GetObjectType(h), DWORD(OBJ_MEMDC));  // temporaries never own
  DeleteDC(h);
  EXPECT_EQ(CDC::FromHandle(nullptr), nullptr);
}

TEST(AfxDC, SelectObjectReturnsTheOldObject) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap bmp;
  ASSERT_TRUE(bmp.CreateBitmap(4, 4, 1, 32, nullptr));
  CBitmap* old_bmp = dc.SelectObject(&bmp);
  ASSERT_NE(old_bmp, nullptr);
  BITMAP bm{};
  old_bmp->GetBitmap(&bm);
  EXPECT_EQ(bm.bmWidth, 1);  // the memory DC's own 1 x 1 bitmap
  CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
  CPen* old_pen = dc.SelectObject(&pen);
  EXPECT_EQ(old_pen->m_hObject, GetStockObject(BLACK_PEN));
  EXPECT_EQ(dc.GetCurrentPen(), &pen);
  CBrush brush(RGB(0, 0, 255));
  CBrush* old_brush = dc.SelectObject(&brush);
  EXPECT_EQ(old_brush->m_hObject, GetStockObject(WHITE_BRUSH));
  dc.Rectangle(0, 0, 4, 4);
  EXPECT_EQ(dc.GetPixel(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(dc.GetPixel(1, 1), RGB(0, 0, 255));
  CRgn rgn;
  rgn.CreateRectRgn(0, 0, 1, 1);
  EXPECT_EQ(dc.SelectObject(&rgn), SIMPLEREGION);
  EXPECT_EQ(dc.SelectClipRgn(nullptr), SIMPLEREGION);
  dc.SelectObject(old_pen);
  dc.SelectObject(old_brush);
  dc.SelectObject(old_bmp);
  EXPECT_TRUE(bmp.DeleteObject());
  EXPECT_EQ(bmp.m_hObject, nullptr);
  EXPECT_FALSE(bmp.DeleteObject());
}

TEST(AfxDC, GdiObjectsDeleteTheirHandles) {
  HGDIOBJ h;
  {
    CBrush b;
    b.CreateHatchBrush(HS_CROSS, RGB(1, 2, 3));
    h = b.m_hObject;
    LOGBRUSH lb{};
    EXPECT_EQ(b.GetLogBrush(&lb), int(sizeof lb));
    EXPECT_EQ(lb.lbHatch, ULONG_PTR(HS_CROSS));
  }
  EXPECT_EQ(GetObjectType(h), 0u);
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CGdiObject* oldPen = dc.SelectStockObject(WHITE_PEN);
  ASSERT_NE(oldPen, nullptr);
  EXPECT_EQ(oldPen->GetObjectType(), UINT(OBJ_PEN));
  LOGPEN lp{};
  EXPECT_TRUE(CPen::FromHandle(static_cast<HPEN>(GetStockObject(BLACK_PEN)))->GetLogPen(&lp));
  EXPECT_EQ(lp.lopnColor, RGB(0, 0, 0));
  AfxDeleteTempGdiObjects();
}

// A handle handed out as an untyped CGdiObject first (as SelectStockObject
// hands back the old object), then asked for as its own class, before the
// temporaries are freed: the typed wrapper is a real object of that class
// and the same one when asked again, the first stays usable for its holder,
// and no temporary deletes the handle. (A stock object selected out and a
// brush selected in later used to meet in one wrapper.)
TEST(AfxDC, TemporaryWrappersTakeTheClassAskedFor) {
  HFONT font = ::CreateFontA(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Arial");
  ASSERT_NE(font, nullptr);
  struct Case {
    const char* name;
    HGDIOBJ handle;
    CGdiObject* (*typed)(HGDIOBJ);
    const std::type_info& type;
  } cases[] = {
      {"stock pen", GetStockObject(BLACK_PEN),
       [](HGDIOBJ h) -> CGdiObject* { return CPen::FromHandle(HPEN(h)); }, typeid(CPen)},
      {"stock brush", GetStockObject(BLACK_BRUSH),
       [](HGDIOBJ h) -> CGdiObject* { return CBrush::FromHandle(HBRUSH(h)); }, typeid(CBrush)},
      {"font", font, [](HGDIOBJ h) -> CGdiObject* { return CFont::FromHandle(HFONT(h)); }, typeid(CFont)},
  };
  for (const Case& c : cases) {
    AfxDeleteTempGdiObjects();
    const DWORD type = GetObjectType(c.handle);
    CGdiObject* plain = CGdiObject::FromHandle(c.handle);
    CGdiObject* typed = c.typed(c.handle);
    ASSERT_NE(typed, nullptr) << c.name;
    EXPECT_NE(typed, plain) << c.name;
    EXPECT_EQ(typeid(*typed), c.type) << c.name;
    EXPECT_EQ(typed->m_hObject, c.handle) << c.name;
    EXPECT_EQ(plain->m_hObject, c.handle) << c.name;
    EXPECT_EQ(c.typed(c.handle), typed) << c.name;
    // Asked again, a CGdiObject may be either.
    CGdiObject* again = CGdiObject::FromHandle(c.handle);
    EXPECT_TRUE(again == plain || again == typed) << c.name;
    EXPECT_FALSE(plain->DeleteObject()) << c.name;
    EXPECT_FALSE(typed->DeleteObject()) << c.name;
    AfxDeleteTempGdiObjects();
    EXPECT_EQ(GetObjectType(c.handle), type) << c.name;
  }
  ::DeleteObject(font);
}

TEST(AfxDC, RegionsThroughTheWrapper) {
  CRgn a, b, c;
  POINT tri[] = {{0, 0}, {4, 0}, {0, 4}};
  ASSERT_TRUE(a.CreatePolygonRgn(tri, 3, ALTERNATE));
  b.CreateRectRgn(0, 0, 1, 1);
  c.CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(c.CombineRgn(&a, &b, RGN_DIFF), COMPLEXREGION);
  EXPECT_FALSE(c.PtInRegion(0, 0));
  EXPECT_TRUE(c.PtInRegion(1, 0));
  CRect box;
  c.GetRgnBox(&box);
  EXPECT_EQ(box, CRect(0, 0, 4, 4));
  EXPECT_EQ(c.OffsetRgn(CPoint(1, 1)), COMPLEXREGION);
  EXPECT_TRUE(c.PtInRegion(2, 1));
}

TEST(AfxDC, Draw3dRectAndFillSolidRect) {
  TestCanvas canvas(4, 3, 32);
  CDC* dc = CDC::FromHandle(canvas.dc());
  dc->Draw3dRect(0, 0, 4, 3, RGB(255, 0, 0), RGB(0, 0, 255));
  EXPECT_EQ(canvas.Picture(RGB(255, 0, 0)), Rows({"###.", "#...", "...."}));
  EXPECT_EQ(canvas.Picture(RGB(0, 0, 255)), Rows({"...#", "...#", "####"}));
  dc->FillSolidRect(1, 1, 2, 1, RGB(0, 255, 0));
  EXPECT_EQ(canvas.Picture(RGB(0, 255, 0)), Rows({"....", ".##.", "...."}));
  EXPECT_EQ(dc->GetBkColor(), RGB(0, 255, 0));  // left set, as the framework does
  CDC::DeleteTempMap();
}

TEST(AfxDC, SaveAndRestoreThroughTheWrapper) {
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  int saved = dc.SaveDC();
  dc.SetMapMode(MM_LOMETRIC);
  dc.SetBkMode(TRANSPARENT);
  EXPECT_TRUE(dc.RestoreDC(saved));
  EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
  EXPECT_EQ(dc.GetBkMode(), OPAQUE);
  CPoint old = dc.SetWindowOrg(5, 6);
  EXPECT_EQ(old, CPoint(0, 0));
  EXPECT_EQ(dc.GetWindowOrg(), CPoint(5, 6));
}

}  // namespace
