// The line style picker: swatches of the pen styles and the library's
// styles, a width with its up-down, a colour button and a preview.
#include "KyLineStylePickerDlg.h"

#include "KyZod50Res.h"
#include "commctrl.h"

namespace {

const char* const kPenNames[CKyLineStylePickerDlg::kPenStyleCount] = {"Solid", "Dash", "Dot", "Dash-Dot",
                                                                      "Dash-Dot-Dot", "Null"};
const int kPenStyles[CKyLineStylePickerDlg::kPenStyleCount] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT,
                                                               PS_NULL};
constexpr int kItemHeight = 24;
constexpr int kSwatchWidth = 96;  // pixels of an entry given to the swatch, the name follows

long ClampWidth(long w) { return w < 1 ? 1 : w > CKyLineStylePickerDlg::kMaxWidth ? CKyLineStylePickerDlg::kMaxWidth : w; }

}  // namespace

BEGIN_MESSAGE_MAP(CKyLineStylePickerDlg, CDialog)
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_LBN_SELCHANGE(IDC_KYZOD_STYLES, OnSelchangeStyles)
ON_LBN_DBLCLK(IDC_KYZOD_STYLES, OnDblclkStyles)
ON_EN_CHANGE(IDC_KYZOD_WIDTH, OnChangeWidth)
ON_MESSAGE(WM_COLORPICKER_SELCHANGE, OnColorChange)
END_MESSAGE_MAP()

CKyLineStylePickerDlg::CKyLineStylePickerDlg(CWnd* pParent) : CDialog(IDD_KYZOD_LINESTYLE, pParent) {}
CKyLineStylePickerDlg::~CKyLineStylePickerDlg() = default;

int CKyLineStylePickerDlg::EntryOfStyle(long id) const {
  if (id >= 0 && id < kPenStyleCount) return static_cast<int>(id);
  if (id >= CKyLineStyleLib::kFirstID && m_pLib) {
    const int i = m_pLib->FindID(id);
    if (i >= 0) return kPenStyleCount + i;
  }
  return -1;
}

long CKyLineStylePickerDlg::StyleOfEntry(int index) const {
  if (index >= 0 && index < kPenStyleCount) return index;
  if (m_pLib && index >= kPenStyleCount && index - kPenStyleCount < m_pLib->Count())
    return m_pLib->GetStyleObj(index - kPenStyleCount).GetID();
  return -1;
}

void CKyLineStylePickerDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_KYZOD_STYLES, m_listStyles);
  DDX_Control(pDX, IDC_KYZOD_COLOR, m_btnColor);
  DDX_Text(pDX, IDC_KYZOD_WIDTH, m_nWidth);
  DDV_MinMaxLong(pDX, m_nWidth, 1, kMaxWidth);
}

BOOL CKyLineStylePickerDlg::OnInitDialog() {
  m_nWidth = ClampWidth(m_nWidth);
  CDialog::OnInitDialog();
  m_listStyles.SetItemHeight(0, kItemHeight);
  for (int i = 0; i < kPenStyleCount; ++i) {
    CString name;
    if (!name.LoadString(static_cast<UINT>(IDS_KYZOD_PEN_SOLID + i))) name = kPenNames[i];
    m_listStyles.AddString(name);
  }
  if (m_pLib)
    for (int i = 0; i < m_pLib->Count(); ++i) m_listStyles.AddString(m_pLib->GetStyleObj(i).GetName());
  const int sel = EntryOfStyle(m_nStyle);
  m_listStyles.SetCurSel(sel);
  m_btnColor.SetColor(m_crColor);
  SendDlgItemMessage(IDC_KYZOD_WIDTH_SPIN, UDM_SETRANGE32, 1, kMaxWidth);
  SendDlgItemMessage(IDC_KYZOD_WIDTH_SPIN, UDM_SETPOS32, 0, m_nWidth);
  CString name;
  if (sel >= 0) m_listStyles.GetText(sel, name);
  SetDlgItemText(IDC_KYZOD_NAME, name);
  m_bInitialized = TRUE;
  return TRUE;
}

void CKyLineStylePickerDlg::OnOK() {
  // The style and colour are current already; the width comes through the
  // exchange, whose range message keeps the dialog open.
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CKyLineStylePickerDlg::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS) {
  if (nIDCtl == IDC_KYZOD_STYLES) {
    lpMIS->itemHeight = kItemHeight;
    return;
  }
  CDialog::OnMeasureItem(nIDCtl, lpMIS);
}

void CKyLineStylePickerDlg::DrawStyle(CDC* pDC, const CRect& rc, long id, long width, COLORREF cr) const {
  const int y = (rc.top + rc.bottom) / 2;
  POINT pts[2] = {{rc.left, y}, {rc.right, y}};
  if (id >= 0 && id < kPenStyleCount) {
    // A dashed pen wider than one pixel draws solid, as the fill preview
    // that uses the same pen will.
    CPen pen(kPenStyles[id], static_cast<int>(width), cr);
    CPen* old = pDC->SelectObject(&pen);
    const int oldBk = pDC->SetBkMode(TRANSPARENT);
    pDC->Polyline(pts, 2);
    pDC->SetBkMode(oldBk);
    pDC->SelectObject(old);
    return;
  }
  const int i = m_pLib ? m_pLib->FindID(id) : -1;
  if (i < 0) return;
  CKyLineStyleObj style(m_pLib->GetStyleObj(i));
  style.SetLineStyle(width, cr);
  style.Polyline(pDC, pts, 2);
}

void CKyLineStylePickerDlg::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS) {
  if (nIDCtl == IDC_KYZOD_PREVIEW) {
    DrawPreview(CDC::FromHandle(lpDIS->hDC), CRect(lpDIS->rcItem));
    return;
  }
  if (nIDCtl != IDC_KYZOD_STYLES) {
    CDialog::OnDrawItem(nIDCtl, lpDIS);
    return;
  }
  if (static_cast<int>(lpDIS->itemID) < 0) return;
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  CRect r(lpDIS->rcItem);
  const BOOL selected = (lpDIS->itemState & ODS_SELECTED) != 0;
  pDC->FillSolidRect(&r, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  CRect swatch(r.left + 4, r.top + 2, r.left + kSwatchWidth - 4, r.bottom - 2);
  pDC->FillSolidRect(&swatch, RGB(255, 255, 255));
  // Swatches are at most 4 pixels wide so that every entry fits its row;
  // the dashed pen styles are shown one pixel wide, the only width at which
  // the GDI dashes them, so that each shows its pattern.
  const long id = StyleOfEntry(static_cast<int>(lpDIS->itemID));
  long w = m_nWidth < 1 ? 1 : m_nWidth > 4 ? 4 : m_nWidth;
  if (id >= 1 && id <= 4) w = 1;
  CRect line(swatch);
  line.DeflateRect(4, 0);
  DrawStyle(pDC, line, id, w, m_crColor);
  CString name;
  m_listStyles.GetText(static_cast<int>(lpDIS->itemID), name);
  pDC->SetBkMode(TRANSPARENT);
  pDC->SetTextColor(GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  CRect text(r.left + kSwatchWidth, r.top, r.right - 2, r.bottom);
  pDC->DrawText(name, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  if (lpDIS->itemState & ODS_FOCUS) pDC->DrawFocusRect(&r);
}

// The preview: the chosen style across the middle of the preview control,
// at the chosen width (in pixels here) and colour, on white.
void CKyLineStylePickerDlg::DrawPreview(CDC* pDC, const CRect& r) {
  pDC->FillSolidRect(&r, RGB(255, 255, 255));
  CBrush frame(GetSysColor(COLOR_BTNSHADOW));
  pDC->FrameRect(&r, &frame);
  CRect line(r);
  line.DeflateRect(8, 0);
  const long w = m_nWidth < 1 ? 1 : m_nWidth > r.Height() / 4 ? r.Height() / 4 : m_nWidth;
  DrawStyle(pDC, line, m_nStyle, w < 1 ? 1 : w, m_crColor);
}

void CKyLineStylePickerDlg::OnSelchangeStyles() {
  const int sel = m_listStyles.GetCurSel();
  if (sel < 0) return;
  m_nStyle = StyleOfEntry(sel);
  CString name;
  m_listStyles.GetText(sel, name);
  SetDlgItemText(IDC_KYZOD_NAME, name);
  if (CWnd* p = GetDlgItem(IDC_KYZOD_PREVIEW)) p->Invalidate(FALSE);
}

void CKyLineStylePickerDlg::OnDblclkStyles() {
  if (m_listStyles.GetCurSel() >= 0) OnOK();
}

void CKyLineStylePickerDlg::OnChangeWidth() {
  if (!m_bInitialized) return;
  BOOL ok = FALSE;
  const UINT w = GetDlgItemInt(IDC_KYZOD_WIDTH, &ok, FALSE);
  // Only a width in range is taken while typing; OK reports the others.
  if (!ok || w < 1 || w > static_cast<UINT>(kMaxWidth)) return;
  m_nWidth = static_cast<long>(w);
  m_listStyles.Invalidate(FALSE);
  if (CWnd* p = GetDlgItem(IDC_KYZOD_PREVIEW)) p->Invalidate(FALSE);
}

LRESULT CKyLineStylePickerDlg::OnColorChange(WPARAM wParam, LPARAM lParam) {
  if (static_cast<int>(lParam) == IDC_KYZOD_COLOR) {
    m_crColor = static_cast<COLORREF>(wParam);
    m_listStyles.Invalidate(FALSE);
    if (CWnd* p = GetDlgItem(IDC_KYZOD_PREVIEW)) p->Invalidate(FALSE);
  }
  return 1;
}
