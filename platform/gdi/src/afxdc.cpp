// The framework's GDI wrappers. Temporary wrappers made by FromHandle live in
// one map per process until AfxDeleteTempGdiObjects; a permanent wrapper
// (one that Attach or a Create call bound) is found first.
#include "afxdc.h"

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

namespace {

struct WrapperMaps {
  std::map<HGDIOBJ, CGdiObject*> permanent;
  std::map<HGDIOBJ, std::unique_ptr<CGdiObject>> temporary;
  // Temporaries of a handle that a FromHandle of a more derived class
  // replaced; kept until AfxDeleteTempGdiObjects, since callers may still
  // hold them.
  std::vector<std::unique_ptr<CGdiObject>> retired;
  std::map<HDC, CDC*> permanent_dc;
  std::map<HDC, std::unique_ptr<CDC>> temporary_dc;
};

WrapperMaps& Maps() {
  static WrapperMaps* m = new WrapperMaps;
  return *m;
}

template <class T>
T* FromHandleOf(HGDIOBJ h) {
  if (!h) return nullptr;
  WrapperMaps& m = Maps();
  auto p = m.permanent.find(h);
  if (p != m.permanent.end()) return static_cast<T*>(p->second);
  auto& slot = m.temporary[h];
  // A wrapper of the handle made as another class (CGdiObject::FromHandle
  // of the font a SelectStockObject gave back, then CFont::FromHandle) is
  // no T: casting it down was undefined. A T takes its place.
  if (slot && !dynamic_cast<T*>(slot.get())) {
    m.retired.push_back(std::move(slot));
  }
  if (!slot) {
    auto w = std::make_unique<T>();
    w->m_hObject = h;
    slot = std::move(w);
  }
  return static_cast<T*>(slot.get());
}

}  // namespace

void AfxDeleteTempGdiObjects() {
  WrapperMaps& m = Maps();
  for (auto& t : m.temporary) t.second->m_hObject = nullptr;  // temporaries never own their handle
  m.temporary.clear();
  for (auto& t : m.retired) t->m_hObject = nullptr;
  m.retired.clear();
}

// ---------------------------------------------------------------- CGdiObject
CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ h) { return FromHandleOf<CGdiObject>(h); }

BOOL CGdiObject::Attach(HGDIOBJ h) {
  ASSERT(m_hObject == nullptr && "Attach to a CGdiObject that already holds an object?");
  if (!h) return FALSE;
  m_hObject = h;
  Maps().permanent[h] = this;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ h = m_hObject;
  if (h) {
    auto it = Maps().permanent.find(h);
    if (it != Maps().permanent.end() && it->second == this) Maps().permanent.erase(it);
  }
  m_hObject = nullptr;
  return h;
}

BOOL CGdiObject::DeleteObject() {
  if (!m_hObject) return FALSE;
  // A temporary wrapper does not own its handle.
  auto t = Maps().temporary.find(m_hObject);
  if (t != Maps().temporary.end() && t->second.get() == this) return FALSE;
  for (auto& r : Maps().retired)
    if (r.get() == this) return FALSE;
  return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const { return ::GetObject(m_hObject, nCount, lpObject); }
UINT CGdiObject::GetObjectType() const { return UINT(::GetObjectType(m_hObject)); }
BOOL CGdiObject::CreateStockObject(int nIndex) { return Attach(::GetStockObject(nIndex)); }
BOOL CGdiObject::UnrealizeObject() { return ::UnrealizeObject(m_hObject); }

// ---------------------------------------------------------------- CPen
CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
CPen::CPen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle) {
  CreatePen(nPenStyle, nWidth, pLogBrush, nStyleCount, lpStyle);
}
CPen* CPen::FromHandle(HPEN h) { return FromHandleOf<CPen>(h); }
BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
  return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}
BOOL CPen::CreatePen(int nPenStyle, int nWidth, const LOGBRUSH* pLogBrush, int nStyleCount, const DWORD* lpStyle) {
  return Attach(::ExtCreatePen(DWORD(nPenStyle), DWORD(nWidth), pLogBrush, DWORD(nStyleCount), lpStyle));
}
BOOL CPen::CreatePenIndirect(LPLOGPEN lpLogPen) { return Attach(::CreatePenIndirect(lpLogPen)); }
int CPen::GetLogPen(LOGPEN* pLogPen) { return ::GetObject(m_hObject, sizeof(LOGPEN), pLogPen); }

// ---------------------------------------------------------------- CBrush
CBrush::CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
CBrush::CBrush(int nIndex, COLORREF crColor) { CreateHatchBrush(nIndex, crColor); }
CBrush::CBrush(CBitmap* pBitmap) { CreatePatternBrush(pBitmap); }
CBrush* CBrush::FromHandle(HBRUSH h) { return FromHandleOf<CBrush>(h); }
BOOL CBrush::CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }
BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor) { return Attach(::CreateHatchBrush(nIndex, crColor)); }
BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush) { return Attach(::CreateBrushIndirect(lpLogBrush)); }
BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) {
  return pBitmap ? Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->m_hObject))) : FALSE;
}
BOOL CBrush::CreateDIBPatternBrush(const void* lpPackedDIB, UINT nUsage) {
  return Attach(::CreateDIBPatternBrushPt(lpPackedDIB, nUsage));
}
BOOL CBrush::CreateSysColorBrush(int nIndex) { return Attach(::GetSysColorBrush(nIndex)); }
int CBrush::GetLogBrush(LOGBRUSH* pLogBrush) { return ::GetObject(m_hObject, sizeof(LOGBRUSH), pLogBrush); }

// ---------------------------------------------------------------- CBitmap
CBitmap* CBitmap::FromHandle(HBITMAP h) { return FromHandleOf<CBitmap>(h); }
BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits) {
  return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}
BOOL CBitmap::CreateBitmapIndirect(LPBITMAP lpBitmap) { return Attach(::CreateBitmapIndirect(lpBitmap)); }
BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
  return Attach(::CreateCompatibleBitmap(pDC ? pDC->m_hDC : nullptr, nWidth, nHeight));
}
BOOL CBitmap::CreateDiscardableBitmap(CDC* pDC, int nWidth, int nHeight) {
  return CreateCompatibleBitmap(pDC, nWidth, nHeight);
}
int CBitmap::GetBitmap(BITMAP* pBitMap) { return ::GetObject(m_hObject, sizeof(BITMAP), pBitMap); }
DWORD CBitmap::SetBitmapBits(DWORD dwCount, const void* lpBits) {
  return DWORD(::SetBitmapBits(static_cast<HBITMAP>(m_hObject), dwCount, lpBits));
}
DWORD CBitmap::GetBitmapBits(DWORD dwCount, LPVOID lpBits) const {
  return DWORD(::GetBitmapBits(static_cast<HBITMAP>(m_hObject), LONG(dwCount), lpBits));
}
CSize CBitmap::SetBitmapDimension(int nWidth, int nHeight) {
  SIZE old{0, 0};
  ::SetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), nWidth, nHeight, &old);
  return CSize(old);
}
CSize CBitmap::GetBitmapDimension() const {
  SIZE s{0, 0};
  ::GetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), &s);
  return CSize(s);
}

// ---------------------------------------------------------------- CRgn
CRgn* CRgn::FromHandle(HRGN h) { return FromHandleOf<CRgn>(h); }
BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }
BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect) { return Attach(::CreateRectRgnIndirect(lpRect)); }
BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateEllipticRgn(x1, y1, x2, y2)); }
BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT lpRect) { return Attach(::CreateEllipticRgnIndirect(lpRect)); }
BOOL CRgn::CreatePolygonRgn(LPPOINT lpPoints, int nCount, int nMode) {
  return Attach(::CreatePolygonRgn(lpPoints, nCount, nMode));
}
BOOL CRgn::CreatePolyPolygonRgn(LPPOINT lpPoints, LPINT lpPolyCounts, int nCount, int nMode) {
  return Attach(::CreatePolyPolygonRgn(lpPoints, lpPolyCounts, nCount, nMode));
}
BOOL CRgn::CreateFromData(const XFORM* lpXForm, int nCount, const RGNDATA* pRgnData) {
  return Attach(::ExtCreateRegion(lpXForm, DWORD(nCount), pRgnData));
}
void CRgn::SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn(*this, x1, y1, x2, y2); }
void CRgn::SetRectRgn(LPCRECT r) { ::SetRectRgn(*this, r->left, r->top, r->right, r->bottom); }
int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode) {
  return ::CombineRgn(*this, pRgn1 ? HRGN(*pRgn1) : nullptr, pRgn2 ? HRGN(*pRgn2) : nullptr, nCombineMode);
}
int CRgn::CopyRgn(const CRgn* pRgnSrc) { return ::CombineRgn(*this, pRgnSrc ? HRGN(*pRgnSrc) : nullptr, nullptr, RGN_COPY); }
BOOL CRgn::EqualRgn(const CRgn* pRgn) const { return pRgn ? ::EqualRgn(*this, *pRgn) : FALSE; }
int CRgn::OffsetRgn(int x, int y) { return ::OffsetRgn(*this, x, y); }
int CRgn::OffsetRgn(POINT point) { return ::OffsetRgn(*this, point.x, point.y); }
int CRgn::GetRgnBox(LPRECT lpRect) const { return ::GetRgnBox(*this, lpRect); }
BOOL CRgn::PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y); }
BOOL CRgn::PtInRegion(POINT point) const { return ::PtInRegion(*this, point.x, point.y); }
BOOL CRgn::RectInRegion(LPCRECT lpRect) const { return ::RectInRegion(*this, lpRect); }
int CRgn::GetRegionData(LPRGNDATA lpRgnData, int nCount) const {
  return int(::GetRegionData(*this, DWORD(nCount), lpRgnData));
}

CFont* CFont::FromHandle(HFONT h) { return FromHandleOf<CFont>(h); }
CPalette* CPalette::FromHandle(HPALETTE h) { return FromHandleOf<CPalette>(h); }

// ---------------------------------------------------------------- CDC
CDC::~CDC() {
  if (m_hDC && m_bOwnsDC) ::DeleteDC(Detach());
  else Detach();
}

CDC* CDC::FromHandle(HDC hDC) {
  if (!hDC) return nullptr;
  WrapperMaps& m = Maps();
  auto p = m.permanent_dc.find(hDC);
  if (p != m.permanent_dc.end()) return p->second;
  auto& slot = m.temporary_dc[hDC];
  if (!slot) {
    slot = std::make_unique<CDC>();
    slot->m_hDC = slot->m_hAttribDC = hDC;
  }
  return slot.get();
}

void CDC::DeleteTempMap() {
  WrapperMaps& m = Maps();
  for (auto& t : m.temporary_dc) t.second->m_hDC = t.second->m_hAttribDC = nullptr;
  m.temporary_dc.clear();
}

BOOL CDC::Attach(HDC hDC) {
  ASSERT(m_hDC == nullptr && "Attach to a CDC that already holds a DC?");
  if (!hDC) return FALSE;
  m_hDC = m_hAttribDC = hDC;
  Maps().permanent_dc[hDC] = this;
  return TRUE;
}

HDC CDC::Detach() {
  HDC h = m_hDC;
  if (h) {
    auto it = Maps().permanent_dc.find(h);
    if (it != Maps().permanent_dc.end() && it->second == this) Maps().permanent_dc.erase(it);
  }
  m_hDC = m_hAttribDC = nullptr;
  m_bOwnsDC = FALSE;
  return h;
}

void CDC::SetAttribDC(HDC hDC) { m_hAttribDC = hDC; }
void CDC::SetOutputDC(HDC hDC) { m_hDC = hDC; }
void CDC::ReleaseAttribDC() { m_hAttribDC = nullptr; }
void CDC::ReleaseOutputDC() { m_hDC = nullptr; }

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
  if (!Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr))) return FALSE;
  m_bOwnsDC = TRUE;
  return TRUE;
}

BOOL CDC::DeleteDC() {
  if (!m_hDC) return FALSE;
  return ::DeleteDC(Detach());
}

int CDC::GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hAttribDC, nIndex); }

int CDC::SaveDC() {
  int n = 0;
  if (m_hAttribDC) n = ::SaveDC(m_hAttribDC);
  if (m_hDC != m_hAttribDC && ::SaveDC(m_hDC) != 0) n = -1;  // the output DC's level is not the caller's
  return n;
}

BOOL CDC::RestoreDC(int nSavedDC) {
  BOOL ok = TRUE;
  if (m_hDC != m_hAttribDC) ok = ::RestoreDC(m_hDC, -1);
  if (m_hAttribDC) ok = ::RestoreDC(m_hAttribDC, nSavedDC) && ok;
  return ok;
}

namespace {
// Selects into both handles as the framework does; the output DC's old
// object is the one reported.
HGDIOBJ SelectBoth(CDC* dc, HGDIOBJ h) {
  HGDIOBJ old = nullptr;
  if (dc->m_hDC != dc->m_hAttribDC && dc->m_hAttribDC) old = ::SelectObject(dc->m_hAttribDC, h);
  if (dc->m_hDC) old = ::SelectObject(dc->m_hDC, h);
  return old;
}
}  // namespace

CGdiObject* CDC::SelectStockObject(int nIndex) {
  return CGdiObject::FromHandle(SelectBoth(this, ::GetStockObject(nIndex)));
}
CPen* CDC::SelectObject(CPen* pPen) {
  return CPen::FromHandle(static_cast<HPEN>(SelectBoth(this, pPen ? pPen->m_hObject : nullptr)));
}
CBrush* CDC::SelectObject(CBrush* pBrush) {
  return CBrush::FromHandle(static_cast<HBRUSH>(SelectBoth(this, pBrush ? pBrush->m_hObject : nullptr)));
}
CFont* CDC::SelectObject(CFont* pFont) {
  return CFont::FromHandle(static_cast<HFONT>(SelectBoth(this, pFont ? pFont->m_hObject : nullptr)));
}
CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
  // Bitmaps go into the output DC only.
  return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, pBitmap ? pBitmap->m_hObject : nullptr)));
}
int CDC::SelectObject(CRgn* pRgn) {
  int r = ERROR;
  if (m_hDC != m_hAttribDC && m_hAttribDC) r = int(intptr_t(::SelectObject(m_hAttribDC, pRgn ? pRgn->m_hObject : nullptr)));
  if (m_hDC) r = int(intptr_t(::SelectObject(m_hDC, pRgn ? pRgn->m_hObject : nullptr)));
  return r;
}
CGdiObject* CDC::SelectObject(CGdiObject* pObject) {
  return CGdiObject::FromHandle(SelectBoth(this, pObject ? pObject->m_hObject : nullptr));
}
HGDIOBJ CDC::SelectObject(HGDIOBJ hObject) { return SelectBoth(this, hObject); }

CPen* CDC::GetCurrentPen() const { return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN))); }
CBrush* CDC::GetCurrentBrush() const {
  return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
}
CFont* CDC::GetCurrentFont() const { return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT))); }
CBitmap* CDC::GetCurrentBitmap() const {
  return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

// Attributes: set on both handles, read from the attribute handle.

COLORREF CDC::GetBkColor() const { return ::GetBkColor(m_hAttribDC); }
COLORREF CDC::SetBkColor(COLORREF c) {
  COLORREF old = CLR_INVALID;
  if (m_hDC != m_hAttribDC && m_hDC) old = ::SetBkColor(m_hDC, c);
  if (m_hAttribDC) old = ::SetBkColor(m_hAttribDC, c);
  return old;
}
int CDC::GetBkMode() const { return ::GetBkMode(m_hAttribDC); }
int CDC::SetBkMode(int m) {
  int old = 0;
  if (m_hDC != m_hAttribDC && m_hDC) old = ::SetBkMode(m_hDC, m);
  if (m_hAttribDC) old = ::SetBkMode(m_hAttribDC, m);
  return old;
}
COLORREF CDC::GetTextColor() const { return ::GetTextColor(m_hAttribDC); }
COLORREF CDC::SetTextColor(COLORREF c) {
  COLORREF old = CLR_INVALID;
  if (m_hDC != m_hAttribDC && m_hDC) old = ::SetTextColor(m_hDC, c);
  if (m_hAttribDC) old = ::SetTextColor(m_hAttribDC, c);
  return old;
}
int CDC::GetROP2() const { return ::GetROP2(m_hAttribDC); }
int CDC::SetROP2(int m) {
  int old = 0;
  if (m_hDC != m_hAttribDC && m_hDC) old = ::SetROP2(m_hDC, m);
  if (m_hAttribDC) old = ::SetROP2(m_hAttribDC, m);
  return old;
}
int CDC::GetPolyFillMode() const { return ::GetPolyFillMode(m_hAttribDC); }
int CDC::SetPolyFillMode(int m) {
  int old = 0;
  if (m_hDC != m_hAttribDC && m_hDC) old = ::SetPolyFillMode(m_hDC, m);
  if (m_hAttribDC) old = ::SetPolyFillMode(m_hAttribDC, m);
  return old;
}
int CDC::GetStretchBltMode() const { return ::GetStretchBltMode(m_hAttribDC); }
int CDC::SetStretchBltMode(int m) {
  int old = 0;
  if (m_hDC != m_hAttribDC && m_hDC) old = ::SetStretchBltMode(m_hDC, m);
  if (m_hAttribDC) old = ::SetStretchBltMode(m_hAttribDC, m);
  return old;
}
CPoint CDC::GetBrushOrg() const {
  POINT p{0, 0};
  ::GetBrushOrgEx(m_hDC, &p);
  return CPoint(p);
}
CPoint CDC::SetBrushOrg(int x, int y) {
  POINT p{0, 0};
  ::SetBrushOrgEx(m_hDC, x, y, &p);
  return CPoint(p);
}
CPoint CDC::SetBrushOrg(POINT point) { return SetBrushOrg(point.x, point.y); }
COLORREF CDC::GetNearestColor(COLORREF c) const { return ::GetNearestColor(m_hAttribDC, c); }
int CDC::GetArcDirection() const { return ::GetArcDirection(m_hAttribDC); }
int CDC::SetArcDirection(int d) {
  int old = 0;
  if (m_hDC != m_hAttribDC && m_hDC) old = ::SetArcDirection(m_hDC, d);
  if (m_hAttribDC) old = ::SetArcDirection(m_hAttribDC, d);
  return old;
}

// Coordinates.
int CDC::GetMapMode() const { return ::GetMapMode(m_hAttribDC); }
int CDC::SetMapMode(int m) {
  int old = 0;
  if (m_hDC != m_hAttribDC && m_hDC) old = ::SetMapMode(m_hDC, m);
  if (m_hAttribDC) old = ::SetMapMode(m_hAttribDC, m);
  return old;
}

#define KY_POINT_CALL(fn, ...)                                 \
  POINT p{0, 0};                                               \
  if (m_hDC != m_hAttribDC && m_hDC) ::fn(m_hDC, __VA_ARGS__); \
  if (m_hAttribDC) ::fn(m_hAttribDC, __VA_ARGS__);             \
  return CPoint(p)
#define KY_SIZE_CALL(fn, ...)                                  \
  SIZE s{0, 0};                                                \
  if (m_hDC != m_hAttribDC && m_hDC) ::fn(m_hDC, __VA_ARGS__); \
  if (m_hAttribDC) ::fn(m_hAttribDC, __VA_ARGS__);             \
  return CSize(s)

CPoint CDC::GetViewportOrg() const {
  POINT p{0, 0};
  ::GetViewportOrgEx(m_hAttribDC, &p);
  return CPoint(p);
}
CPoint CDC::SetViewportOrg(int x, int y) { KY_POINT_CALL(SetViewportOrgEx, x, y, &p); }
CPoint CDC::SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
CPoint CDC::OffsetViewportOrg(int w, int h) { KY_POINT_CALL(OffsetViewportOrgEx, w, h, &p); }
CSize CDC::GetViewportExt() const {
  SIZE s{0, 0};
  ::GetViewportExtEx(m_hAttribDC, &s);
  return CSize(s);
}
CSize CDC::SetViewportExt(int cx, int cy) { KY_SIZE_CALL(SetViewportExtEx, cx, cy, &s); }
CSize CDC::SetViewportExt(SIZE size) { return SetViewportExt(size.cx, size.cy); }
CSize CDC::ScaleViewportExt(int xn, int xd, int yn, int yd) { KY_SIZE_CALL(ScaleViewportExtEx, xn, xd, yn, yd, &s); }
CPoint CDC::GetWindowOrg() const {
  POINT p{0, 0};
  ::GetWindowOrgEx(m_hAttribDC, &p);
  return CPoint(p);
}
CPoint CDC::SetWindowOrg(int x, int y) { KY_POINT_CALL(SetWindowOrgEx, x, y, &p); }
CPoint CDC::SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
CPoint CDC::OffsetWindowOrg(int w, int h) { KY_POINT_CALL(OffsetWindowOrgEx, w, h, &p); }
CSize CDC::GetWindowExt() const {
  SIZE s{0, 0};
  ::GetWindowExtEx(m_hAttribDC, &s);
  return CSize(s);
}
CSize CDC::SetWindowExt(int cx, int cy) { KY_SIZE_CALL(SetWindowExtEx, cx, cy, &s); }
CSize CDC::SetWindowExt(SIZE size) { return SetWindowExt(size.cx, size.cy); }
CSize CDC::ScaleWindowExt(int xn, int xd, int yn, int yd) { KY_SIZE_CALL(ScaleWindowExtEx, xn, xd, yn, yd, &s); }

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const { ::DPtoLP(m_hAttribDC, lpPoints, nCount); }
void CDC::DPtoLP(LPRECT lpRect) const { ::DPtoLP(m_hAttribDC, reinterpret_cast<LPPOINT>(lpRect), 2); }
void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const { ::LPtoDP(m_hAttribDC, lpPoints, nCount); }
void CDC::LPtoDP(LPRECT lpRect) const { ::LPtoDP(m_hAttribDC, reinterpret_cast<LPPOINT>(lpRect), 2); }

namespace {
SIZE AbsSize(SIZE s) { return SIZE{s.cx < 0 ? -s.cx : s.cx, s.cy < 0 ? -s.cy : s.cy}; }
}  // namespace

void CDC::DPtoLP(LPSIZE lpSize) const {
  SIZE we = AbsSize(GetWindowExt()), ve = AbsSize(GetViewportExt());
  lpSize->cx = MulDiv(lpSize->cx, we.cx, ve.cx);
  lpSize->cy = MulDiv(lpSize->cy, we.cy, ve.cy);
}

void CDC::LPtoDP(LPSIZE lpSize) const {
  SIZE we = AbsSize(GetWindowExt()), ve = AbsSize(GetViewportExt());
  lpSize->cx = MulDiv(lpSize->cx, ve.cx, we.cx);
  lpSize->cy = MulDiv(lpSize->cy, ve.cy, we.cy);
}

void CDC::DPtoHIMETRIC(LPSIZE lpSize) const {
  int mode = GetMapMode();
  if (mode == MM_HIMETRIC) {
    DPtoLP(lpSize);
    return;
  }
  int cxPerInch = GetDeviceCaps(LOGPIXELSX), cyPerInch = GetDeviceCaps(LOGPIXELSY);
  lpSize->cx = MulDiv(lpSize->cx, 2540, cxPerInch);
  lpSize->cy = MulDiv(lpSize->cy, 2540, cyPerInch);
}
void CDC::HIMETRICtoDP(LPSIZE lpSize) const {
  int mode = GetMapMode();
  if (mode == MM_HIMETRIC) {
    LPtoDP(lpSize);
    return;
  }
  int cxPerInch = GetDeviceCaps(LOGPIXELSX), cyPerInch = GetDeviceCaps(LOGPIXELSY);
  lpSize->cx = MulDiv(lpSize->cx, cxPerInch, 2540);
  lpSize->cy = MulDiv(lpSize->cy, cyPerInch, 2540);
}
void CDC::LPtoHIMETRIC(LPSIZE lpSize) const {
  LPtoDP(lpSize);
  DPtoHIMETRIC(lpSize);
}
void CDC::HIMETRICtoLP(LPSIZE lpSize) const {
  HIMETRICtoDP(lpSize);
  DPtoLP(lpSize);
}

// Clipping.
int CDC::GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
BOOL CDC::PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
BOOL CDC::PtVisible(POINT point) const { return ::PtVisible(m_hDC, point.x, point.y); }
BOOL CDC::RectVisible(LPCRECT lpRect) const { return ::RectVisible(m_hDC, lpRect); }
int CDC::SelectClipRgn(CRgn* pRgn) {
  int r = ERROR;
  HRGN h = pRgn ? static_cast<HRGN>(pRgn->m_hObject) : nullptr;
  if (m_hDC != m_hAttribDC && m_hAttribDC) r = ::SelectClipRgn(m_hAttribDC, h);
  if (m_hDC) r = ::SelectClipRgn(m_hDC, h);
  return r;
}
int CDC::SelectClipRgn(CRgn* pRgn, int nMode) {
  int r = ERROR;
  HRGN h = pRgn ? static_cast<HRGN>(pRgn->m_hObject) : nullptr;
  if (m_hDC != m_hAttribDC && m_hAttribDC) r = ::ExtSelectClipRgn(m_hAttribDC, h, nMode);
  if (m_hDC) r = ::ExtSelectClipRgn(m_hDC, h, nMode);
  return r;
}
int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2) { return ::ExcludeClipRect(m_hDC, x1, y1, x2, y2); }
int CDC::ExcludeClipRect(LPCRECT r) { return ::ExcludeClipRect(m_hDC, r->left, r->top, r->right, r->bottom); }
int CDC::IntersectClipRect(int x1, int y1, int x2, int y2) { return ::IntersectClipRect(m_hDC, x1, y1, x2, y2); }
int CDC::IntersectClipRect(LPCRECT r) { return ::IntersectClipRect(m_hDC, r->left, r->top, r->right, r->bottom); }
int CDC::OffsetClipRgn(int x, int y) { return ::OffsetClipRgn(m_hDC, x, y); }
int CDC::OffsetClipRgn(SIZE size) { return ::OffsetClipRgn(m_hDC, size.cx, size.cy); }
BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush) {
  return ::FillRgn(m_hDC, pRgn ? HRGN(*pRgn) : nullptr, pBrush ? HBRUSH(*pBrush) : nullptr);
}
BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight) {
  return ::FrameRgn(m_hDC, pRgn ? HRGN(*pRgn) : nullptr, pBrush ? HBRUSH(*pBrush) : nullptr, nWidth, nHeight);
}
BOOL CDC::InvertRgn(CRgn* pRgn) { return ::InvertRgn(m_hDC, pRgn ? HRGN(*pRgn) : nullptr); }
BOOL CDC::PaintRgn(CRgn* pRgn) { return ::PaintRgn(m_hDC, pRgn ? HRGN(*pRgn) : nullptr); }

// Lines and shapes.
CPoint CDC::GetCurrentPosition() const {
  POINT p{0, 0};
  ::GetCurrentPositionEx(m_hAttribDC, &p);
  return CPoint(p);
}
CPoint CDC::MoveTo(int x, int y) {
  POINT p{0, 0};
  if (m_hDC != m_hAttribDC && m_hDC) ::MoveToEx(m_hDC, x, y, &p);
  if (m_hAttribDC) ::MoveToEx(m_hAttribDC, x, y, &p);
  return CPoint(p);
}
CPoint CDC::MoveTo(POINT point) { return MoveTo(point.x, point.y); }
BOOL CDC::LineTo(int x, int y) {
  if (m_hAttribDC && m_hAttribDC != m_hDC) ::MoveToEx(m_hAttribDC, x, y, nullptr);
  return ::LineTo(m_hDC, x, y);
}
BOOL CDC::LineTo(POINT point) { return LineTo(point.x, point.y); }
BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}
BOOL CDC::Arc(LPCRECT r, POINT s, POINT e) { return ::Arc(m_hDC, r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y); }
BOOL CDC::Polyline(const POINT* lpPoints, int nCount) { return ::Polyline(m_hDC, lpPoints, nCount); }
BOOL CDC::PolyPolyline(const POINT* lpPoints, const DWORD* lpPolyPoints, int nCount) {
  return ::PolyPolyline(m_hDC, lpPoints, lpPolyPoints, DWORD(nCount));
}
BOOL CDC::Polygon(const POINT* lpPoints, int nCount) { return ::Polygon(m_hDC, lpPoints, nCount); }
BOOL CDC::PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount) {
  return ::PolyPolygon(m_hDC, lpPoints, lpPolyCounts, nCount);
}
BOOL CDC::Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Rectangle(LPCRECT r) { return ::Rectangle(m_hDC, r->left, r->top, r->right, r->bottom); }
BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) { return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3); }
BOOL CDC::RoundRect(LPCRECT r, POINT p) { return ::RoundRect(m_hDC, r->left, r->top, r->right, r->bottom, p.x, p.y); }
BOOL CDC::Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
BOOL CDC::Ellipse(LPCRECT r) { return ::Ellipse(m_hDC, r->left, r->top, r->right, r->bottom); }
BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}
BOOL CDC::Pie(LPCRECT r, POINT s, POINT e) { return ::Pie(m_hDC, r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y); }
BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ::Chord(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}
BOOL CDC::Chord(LPCRECT r, POINT s, POINT e) {
  return ::Chord(m_hDC, r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y);
}
void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush) { ::FillRect(m_hDC, lpRect, pBrush ? HBRUSH(*pBrush) : nullptr); }
void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush) { ::FrameRect(m_hDC, lpRect, pBrush ? HBRUSH(*pBrush) : nullptr); }
void CDC::InvertRect(LPCRECT lpRect) { ::InvertRect(m_hDC, lpRect); }
void CDC::DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(m_hDC, lpRect); }

// The framework paints solid rectangles through the background colour, and
// leaves that colour set afterwards.
void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
  ::SetBkColor(m_hDC, clr);
  HBRUSH b = ::CreateSolidBrush(clr);
  RECT r{std::min(lpRect->left, lpRect->right), std::min(lpRect->top, lpRect->bottom),
         std::max(lpRect->left, lpRect->right), std::max(lpRect->top, lpRect->bottom)};
  ::FillRect(m_hDC, &r, b);
  ::DeleteObject(b);
}
void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
  RECT r{x, y, x + cx, y + cy};
  FillSolidRect(&r, clr);
}
void CDC::Draw3dRect(LPCRECT r, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  Draw3dRect(r->left, r->top, r->right - r->left, r->bottom - r->top, clrTopLeft, clrBottomRight);
}
void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
  FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
  FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
  FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
  FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}
BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) { return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags); }
COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
COLORREF CDC::GetPixel(POINT p) const { return ::GetPixel(m_hDC, p.x, p.y); }
COLORREF CDC::SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }
COLORREF CDC::SetPixel(POINT p, COLORREF c) { return ::SetPixel(m_hDC, p.x, p.y, c); }
BOOL CDC::SetPixelV(int x, int y, COLORREF c) { return ::SetPixelV(m_hDC, x, y, c); }
BOOL CDC::SetPixelV(POINT p, COLORREF c) { return ::SetPixelV(m_hDC, p.x, p.y, c); }

// Block transfers.
BOOL CDC::PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }
BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* pSrcDC, int xSrc, int ySrc, DWORD rop) {
  return ::BitBlt(m_hDC, x, y, w, h, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, rop);
}
BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* pSrcDC, int xSrc, int ySrc, int sw, int sh, DWORD rop) {
  return ::StretchBlt(m_hDC, x, y, w, h, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, sw, sh, rop);
}
