#include "KyFSLPickList.h"

#include "KyFillStyle.h"
#include "KyFillStyleGroup.h"
#include "KyFillStyleLib.h"
#include "resource.h"

namespace {
constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kBlack = 0x000000;
constexpr UINT kCaptionFormat = DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX;

// Draws the folder bitmap stretched over rect; false when it cannot be had.
bool DrawFolder(CDC* pDC, const CRect& rect) {
  CBitmap folder;
  if (!folder.LoadBitmap(IDB_FSL_FOLDER)) return false;
  BITMAP bm{};
  folder.GetBitmap(&bm);
  CDC mem;
  if (!mem.CreateCompatibleDC(pDC)) return false;
  CBitmap* old = mem.SelectObject(&folder);
  pDC->StretchBlt(rect.left, rect.top, rect.Width(), rect.Height(), &mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
  mem.SelectObject(old);
  return true;
}
}  // namespace

BEGIN_MESSAGE_MAP(CKyFSLPickList, CListBox)
  ON_CONTROL_REFLECT(LBN_KILLFOCUS, OnKillfocus)
END_MESSAGE_MAP()

CKyFSLPickList::CKyFSLPickList() : m_pGroup(nullptr), m_pLib(nullptr) {}

CKyFSLPickList::~CKyFSLPickList() = default;

int CKyFSLPickList::BuiltInHatch(long id) {
  // Ids 2 to 7 in the order of the built-in fills, not of the HS_ values.
  static const int kHatch[6] = {HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS, HS_FDIAGONAL, HS_HORIZONTAL, HS_VERTICAL};
  return id >= 2 && id <= 7 ? kHatch[id - 2] : -1;
}

long CKyFSLPickList::SubGroupCount(const CKyFillStyleGroup* pGroup) {
  return pGroup ? pGroup->GetSubGroupCount() : 0;
}

long CKyFSLPickList::BuiltInCount(const CKyFillStyleGroup* pGroup) {
  return pGroup && !pGroup->GetParentGroup() ? 8 : 0;
}

void CKyFSLPickList::UpdateGroup(CKyFillStyleGroup* pGroup) {
  ResetContent();
  m_pGroup = pGroup;
  if (!pGroup) return;
  const long total = SubGroupCount(pGroup) + pGroup->GetItemCount() + BuiltInCount(pGroup);
  for (long i = 0; i < total; ++i) AddString("");
}

void CKyFSLPickList::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  if (!lpMeasureItemStruct) return;
  lpMeasureItemStruct->itemWidth = 90;
  lpMeasureItemStruct->itemHeight = 90;
}

void CKyFSLPickList::OnKillfocus() {}

CString CKyFSLPickList::GetName(long index) {
  if (!m_pLib || !m_pGroup) return CString();
  const long s = SubGroupCount(m_pGroup), k = BuiltInCount(m_pGroup);
  if (index < s) {
    CKyFillStyleGroup* sub = m_pGroup->SubGroup(index);
    return sub ? sub->GetName() : CString();
  }
  if (index < s + k) return CString(kBuiltInCaption);
  const long position = m_pLib->FindID(m_pGroup->GetItemID(index - k - s));
  if (position < 0 || !m_pLib->GetFillStyle(position)) return CString();
  return m_pLib->GetFillStyleName(position);
}

int CKyFSLPickList::Draw(CDC* pDC, long index, CRect* rect) {
  if (!m_pLib || !m_pGroup || !pDC || !rect) return 0;
  const long s = SubGroupCount(m_pGroup), k = BuiltInCount(m_pGroup);
  if (index < s) {
    DrawFolder(pDC, *rect);
    return 1;
  }
  if (index >= s + k) {
    const long id = m_pGroup->GetItemID(index - s - k);
    CKyFillStyle* style = m_pLib->CreateFillStyle(pDC, id, kSwatchColour, 0xFFFFFF, CSize(0, 0), 1.0);
    if (!style) return 0;
    style->Display(pDC, rect, 100);
    style->ReleaseBMP();
    CBrush black(kBlack);
    pDC->FrameRect(rect, &black);
    return 1;
  }
  const long id = index - s;
  if (id == 1) {
    CGdiObject* old = pDC->SelectStockObject(NULL_BRUSH);
    pDC->Rectangle(rect);
    if (old) pDC->SelectObject(old);
    return 1;
  }
  CBrush brush;
  const int hatch = BuiltInHatch(id);
  if (!(hatch < 0 ? brush.CreateSolidBrush(kSwatchColour) : brush.CreateHatchBrush(hatch, kSwatchColour))) return 0;
  CBrush* old = pDC->SelectObject(&brush);
  pDC->Rectangle(rect);
  pDC->SelectObject(old);
  return 1;
}

void CKyFSLPickList::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (!lpDrawItemStruct || lpDrawItemStruct->itemID == static_cast<UINT>(-1)) return;
  CDC dc;
  if (!dc.Attach(lpDrawItemStruct->hDC)) return;
  const long item = static_cast<long>(lpDrawItemStruct->itemID);
  const UINT action = lpDrawItemStruct->itemAction;
  const UINT state = lpDrawItemStruct->itemState;

  // The swatch is 50 x 50 at (30, 20) of a 95 x 110 cell; the caption under
  // it is wider than the swatch and reaches past the cell. A caption too
  // long for its line ends in an ellipsis (centred and clipped, a long name
  // lost both its ends); the whole name is in the find box.
  CRect r(lpDrawItemStruct->rcItem);
  r.left += 30;
  r.top += 20;
  r.right -= 15;
  r.bottom -= 40;
  CRect t = r;
  t.OffsetRect(0, r.Height());
  t.InflateRect(20, 0);
  t.top += 10;
  t.bottom -= 4;

  const CString name = GetName(item);
  const bool isGroup = item < SubGroupCount(m_pGroup);
  if (action & ODA_DRAWENTIRE) {
    Draw(&dc, item, &r);
    dc.DrawText(name, &t, kCaptionFormat);
  }
  const bool selected = (state & ODS_SELECTED) != 0;
  if (selected && (action & (ODA_DRAWENTIRE | ODA_SELECT))) {
    if (!isGroup) {
      CBrush red(kRed);
      dc.FrameRect(&r, &red);
    }
    dc.SetBkColor(GetSysColor(COLOR_HIGHLIGHT));
    dc.SetTextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
    dc.DrawText(name, &t, kCaptionFormat);
    dc.SetBkColor(GetSysColor(COLOR_WINDOW));
    dc.SetTextColor(GetSysColor(COLOR_WINDOWTEXT));
  }
  if (!selected && (action & ODA_SELECT)) {
    if (!isGroup) {
      CBrush black(kBlack);
      dc.FrameRect(&r, &black);
    }
    dc.DrawText(name, &t, kCaptionFormat);
  }
  dc.Detach();
}
