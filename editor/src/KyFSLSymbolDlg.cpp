// The symbol pattern dialog: the sizes exchanged with the edits, the point
// list kept in step with m_arrPoints row for row, and the symbol button
// drawn by the dialog.
#include "KyFSLSymbolDlg.h"

#include <cstdlib>

#include "KyLslExtSymPickerDlg.h"
#include "KySymLib.h"
#include "KySymbol.h"
#include "resource.h"

namespace {

constexpr int kSymbolButtonEdge = 2;  // the raised edge of the symbol button

CString Decimal(int v) {
  CString s;
  s.Format("%d", v);
  return s;
}

}  // namespace

BEGIN_MESSAGE_MAP(CKyFSLSymbolDlg, CDialog)
ON_BN_CLICKED(IDC_SYMBOL_ADD, OnAdd)
ON_BN_CLICKED(IDC_SYMBOL_DELETE, OnDelete)
ON_BN_CLICKED(IDC_SYMBOL_MODIFY, OnModify)
ON_NOTIFY(NM_CLICK, IDC_SYMBOL_POINTS, OnClickPoints)
ON_BN_CLICKED(IDC_SYMBOL_SELECT, OnSelectSymbol)
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CKyFSLSymbolDlg::CKyFSLSymbolDlg(CWnd* pParent) : CDialog(IDD_FSL_SYMBOL, pParent) {}
CKyFSLSymbolDlg::~CKyFSLSymbolDlg() = default;

BOOL CKyFSLSymbolDlg::AttachKyFillStyleLib(CKyFillStyleLib* pLib, long nOwnCount) {
  m_pLib = pLib;
  m_nOwnCount = nOwnCount;
  return TRUE;
}

CKySymbol* CKyFSLSymbolDlg::SymbolOfIndex(CKyFillStyleLib* pLib, long nOwnCount, int index) {
  if (!pLib || index < 0) return nullptr;
  CKySymLib* symLib = index < nOwnCount ? pLib->GetSymLib() : pLib->m_pResSymLib;
  long position = index < nOwnCount ? index : index - nOwnCount;
  if (!symLib) return nullptr;
  long id = symLib->GetSymbolID(position);
  return id < 0 ? nullptr : symLib->GetSymbolEx(static_cast<unsigned long>(id));
}

void CKyFSLSymbolDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_SYMBOL_WIDTH, m_editWidth);
  DDX_Control(pDX, IDC_SYMBOL_ANGLE, m_editAngle);
  DDX_Control(pDX, IDC_SYMBOL_SIZE, m_editSize);
  DDX_Control(pDX, IDC_SYMBOL_HEIGHT, m_editHeight);
  DDX_Control(pDX, IDC_SYMBOL_SELECT, m_btnSymbol);
  DDX_Control(pDX, IDC_SYMBOL_POINTS, m_listPoints);
  // A negative or enormous tile would be rendered as a bitmap of that many
  // tenths of a millimetre: the sizes stay within what the spins offer.
  DDX_Text(pDX, IDC_SYMBOL_HEIGHT, m_nHeight);
  DDV_MinMaxInt(pDX, m_nHeight, 0, kMaxLength);
  DDX_Text(pDX, IDC_SYMBOL_POINT_X, m_nPointX);
  DDX_Text(pDX, IDC_SYMBOL_POINT_Y, m_nPointY);
  DDX_Text(pDX, IDC_SYMBOL_ANGLE, m_nAngle);
  DDV_MinMaxInt(pDX, m_nAngle, 0, kMaxAngle);
  DDX_Text(pDX, IDC_SYMBOL_SIZE, m_nSize);
  DDV_MinMaxInt(pDX, m_nSize, 0, kMaxLength);
  DDX_Text(pDX, IDC_SYMBOL_WIDTH, m_nWidth);
  DDV_MinMaxInt(pDX, m_nWidth, 0, kMaxLength);
}

BOOL CKyFSLSymbolDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_listPoints.SetExtendedStyle(m_listPoints.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  m_listPoints.InsertColumn(0, "X", LVCFMT_LEFT, 87, 0);
  m_listPoints.InsertColumn(1, "Y", LVCFMT_LEFT, 87, 1);
  for (INT_PTR i = 0; i < m_arrPoints.GetSize(); ++i) {
    int r = m_listPoints.InsertItem(static_cast<int>(i), Decimal(m_arrPoints[i].x));
    m_listPoints.SetItemText(r, 1, Decimal(m_arrPoints[i].y));
  }
  if (m_arrPoints.GetSize() > 0) SelectRow(0);
  struct SpinRange {
    int id;
    int high;
    int value;
  };
  const SpinRange spins[] = {
      {IDC_SYMBOL_WIDTH_SPIN, kMaxLength, m_nWidth},
      {IDC_SYMBOL_HEIGHT_SPIN, kMaxLength, m_nHeight},
      {IDC_SYMBOL_SIZE_SPIN, kMaxLength, m_nSize},
      {IDC_SYMBOL_ANGLE_SPIN, kMaxAngle, m_nAngle},
  };
  for (const SpinRange& s : spins) {
    CWnd* spin = GetDlgItem(s.id);
    if (!spin) continue;
    spin->SendMessage(UDM_SETRANGE32, 0, s.high);
    // The position only, so that the arrows step from the value shown; the
    // buddy keeps the text the exchange gave it.
    CString text;
    GetDlgItem(s.id - 1)->GetWindowText(text);
    spin->SendMessage(UDM_SETPOS32, 0, s.value);
    GetDlgItem(s.id - 1)->SetWindowText(text);
  }
  return TRUE;
}

int CKyFSLSymbolDlg::GetSelectedRow() const {
  if (!m_listPoints.m_hWnd) return -1;
  return m_listPoints.GetNextItem(-1, LVNI_SELECTED);
}

void CKyFSLSymbolDlg::SelectRow(int r) {
  for (int s = GetSelectedRow(); s >= 0; s = m_listPoints.GetNextItem(s, LVNI_SELECTED))
    m_listPoints.SetItemState(s, 0, LVIS_SELECTED | LVIS_FOCUSED);
  m_listPoints.SetItemState(r, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  m_listPoints.EnsureVisible(r, FALSE);
  if (r >= 0 && r < m_arrPoints.GetSize()) {
    m_nPointX = m_arrPoints[r].x;
    m_nPointY = m_arrPoints[r].y;
    ShowPoint();
  }
}

void CKyFSLSymbolDlg::ShowPoint() {
  SetDlgItemText(IDC_SYMBOL_POINT_X, Decimal(m_nPointX));
  SetDlgItemText(IDC_SYMBOL_POINT_Y, Decimal(m_nPointY));
}

void CKyFSLSymbolDlg::ShowRow(int r) {
  m_listPoints.SetItemText(r, 0, Decimal(m_arrPoints[r].x));
  m_listPoints.SetItemText(r, 1, Decimal(m_arrPoints[r].y));
}

void CKyFSLSymbolDlg::OnAdd() {
  if (!UpdateData(TRUE)) return;
  INT_PTR r = m_arrPoints.Add(CPoint(m_nPointX, m_nPointY));
  int row = m_listPoints.InsertItem(static_cast<int>(r), Decimal(m_nPointX));
  m_listPoints.SetItemText(row, 1, Decimal(m_nPointY));
  SelectRow(row);
}

void CKyFSLSymbolDlg::OnModify() {
  int r = GetSelectedRow();
  if (r < 0 || r >= m_arrPoints.GetSize()) return;
  if (!UpdateData(TRUE)) return;
  m_arrPoints[r] = CPoint(m_nPointX, m_nPointY);
  ShowRow(r);
}

void CKyFSLSymbolDlg::OnDelete() {
  int r = GetSelectedRow();
  if (r < 0 || r >= m_arrPoints.GetSize()) return;
  m_arrPoints.RemoveAt(r);
  m_listPoints.DeleteItem(r);
}

void CKyFSLSymbolDlg::OnClickPoints(NMHDR*, LRESULT* pResult) {
  *pResult = 0;
  int r = GetSelectedRow();
  if (r < 0) return;
  m_nPointX = std::atoi(m_listPoints.GetItemText(r, 0));
  m_nPointY = std::atoi(m_listPoints.GetItemText(r, 1));
  ShowPoint();
}

void CKyFSLSymbolDlg::OnSelectSymbol() {
  CKyLslExtSymPickerDlg picker;
  picker.AttachLineSymLib(m_pLib ? m_pLib->GetSymLib() : nullptr, m_nOwnCount);
  picker.AttachResSymLib(m_pLib ? m_pLib->m_pResSymLib : nullptr);
  picker.SetIndex(m_nSymIndex);
  if (picker.DoModal() != IDOK) return;
  m_nSymIndex = picker.GetIndex();
  m_btnSymbol.Invalidate();
}

void CKyFSLSymbolDlg::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (nIDCtl != IDC_SYMBOL_SELECT || !lpDrawItemStruct) {
    CDialog::OnDrawItem(nIDCtl, lpDrawItemStruct);
    return;
  }
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  const UINT state = lpDrawItemStruct->itemState;
  // A push button: raised, sunk while pressed, with the focus inside its
  // edge; the symbol chosen sits on its face (none: the face is empty).
  CRect rc(lpDrawItemStruct->rcItem);
  ::DrawFrameControl(pDC->GetSafeHdc(), &rc, DFC_BUTTON, DFCS_BUTTONPUSH | ((state & ODS_SELECTED) ? DFCS_PUSHED : 0));
  rc.DeflateRect(kSymbolButtonEdge, kSymbolButtonEdge);
  if (state & ODS_FOCUS) pDC->DrawFocusRect(&rc);
  rc.DeflateRect(1, 1);
  if (state & ODS_SELECTED) rc.OffsetRect(1, 1);
  if ((state & ODS_DISABLED) || m_nSymIndex < 0) return;
  CKySymbol* symbol = SymbolOfIndex(m_pLib, m_nOwnCount, m_nSymIndex);
  if (!symbol) return;
  // The largest centred square of even side.
  int side = (rc.Width() < rc.Height() ? rc.Width() : rc.Height()) & ~1;
  CRect square(rc.left + (rc.Width() - side) / 2, rc.top + (rc.Height() - side) / 2, 0, 0);
  square.right = square.left + side;
  square.bottom = square.top + side;
  RECT r = square;
  symbol->Draw(pDC, r, RGB(0, 0, 0));
}
