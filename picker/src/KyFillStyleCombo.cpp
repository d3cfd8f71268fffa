#include "KyFillStyleCombo.h"

#include "KyBrushStyleFolder.h"
#include "KyFillStyle.h"
#include "KyFillStyleLib.h"

namespace {
constexpr COLORREF kSwatchColour = 0xFF6900;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kBlack = 0x000000;
constexpr int kBuiltInCount = 8;
}  // namespace

BEGIN_MESSAGE_MAP(CKyFillStyleCombo, CComboBox)
END_MESSAGE_MAP()

CKyFillStyleCombo::CKyFillStyleCombo() : m_pLib(nullptr) {}

CKyFillStyleCombo::~CKyFillStyleCombo() = default;

void CKyFillStyleCombo::InitContent() {
  ResetContent();
  CString text;
  for (int id = 0; id < kBuiltInCount; ++id) {
    text.Format("%06d", id);
    AddString(text);
  }
  if (!m_pLib || m_pLib->GetCount() == 0) return;
  const long count = m_pLib->GetCount();
  for (long p = 0; p < count; ++p) {
    CKyFillStyle* style = m_pLib->GetFillStyle(p);
    if (!style) continue;
    text.Format("%06ld", style->GetFillStyleID());
    AddString(text);
  }
}

void CKyFillStyleCombo::SetCurStyleID(long id) {
  if (id < kBuiltInCount) {
    SetCurSel(static_cast<int>(id));
    return;
  }
  if (m_pLib && m_pLib->GetCount() != 0) {
    // An id the library does not hold would give position -1 and so the
    // entry of built-in fill 7; it selects nothing instead, so that
    // GetCurStyleID answers -1 rather than 7.
    const long position = m_pLib->FindID(id);
    SetCurSel(position < 0 ? -1 : static_cast<int>(position + kBuiltInCount));
    return;
  }
  SetCurSel(static_cast<int>(id));
}

long CKyFillStyleCombo::GetCurStyleID() {
  const int i = GetCurSel();
  if (i < kBuiltInCount) return i;
  if (m_pLib && m_pLib->GetCount() != 0) return m_pLib->FindIndex(i - kBuiltInCount);
  return i;
}

void CKyFillStyleCombo::DrawSwatch(CDC* pDC, UINT itemID, CRect& r) {
  if (m_pLib && m_pLib->GetCount() != 0 && itemID >= static_cast<UINT>(kBuiltInCount)) {
    CKyFillStyle* style = m_pLib->GetFillStyle(static_cast<long>(itemID) - kBuiltInCount);
    if (style) {
      if (style->SetFillStyle(pDC, kSwatchColour, kWhite, CSize(0, 0), 1.0)) style->Display(pDC, &r, 100);
      style->ReleaseBMP();
    }
    return;
  }
  // Without a library the index itself is handed to the controls module,
  // which makes a brush for library indexes too.
  CBrush brush;
  if (CKyBrushStyleFolder::CreateBrush(brush, static_cast<int>(itemID), kSwatchColour)) {
    pDC->FillRect(&r, &brush);
    brush.DeleteObject();
  }
}

void CKyFillStyleCombo::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (!lpDrawItemStruct) return;
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  if (!pDC) return;
  const UINT itemID = lpDrawItemStruct->itemID;
  const UINT action = lpDrawItemStruct->itemAction;
  const UINT state = lpDrawItemStruct->itemState;
  CRect rcItem(lpDrawItemStruct->rcItem);

  if ((action & ODA_DRAWENTIRE) && itemID != static_cast<UINT>(-1)) {
    CString text;
    if (static_cast<int>(itemID) < GetCount()) GetLBText(static_cast<int>(itemID), text);
    CRect r = rcItem;
    r.DeflateRect(1, 1);
    CBrush white(kWhite);
    pDC->FillRect(&rcItem, &white);
    pDC->SetTextColor(kBlack);
    const int h = r.bottom - r.top;
    pDC->SetTextAlign(TA_LEFT | TA_TOP);
    pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(r.left, r.top, text);
    if (itemID != 1) {
      pDC->SetTextColor(kSwatchColour);
      r.left += 3 * h;
      DrawSwatch(pDC, itemID, r);
      pDC->SetTextColor(kBlack);
    } else {
      CString caption;
      if (!caption.LoadString(kHollowCaptionID)) caption = "Hollow";
      r.left += 3 * h;
      pDC->SetTextAlign(TA_CENTER);
      pDC->TextOut((r.left + r.right) / 2, r.top, caption);
      pDC->SetTextAlign(TA_LEFT | TA_TOP);
    }
  }
  const bool selected = (state & ODS_SELECTED) != 0;
  if (selected && (action & (ODA_DRAWENTIRE | ODA_SELECT))) {
    CBrush black(kBlack);
    pDC->FrameRect(&rcItem, &black);
  }
  if (!selected && (action & ODA_SELECT)) {
    CBrush white(kWhite);
    pDC->FrameRect(&rcItem, &white);
  }
}
