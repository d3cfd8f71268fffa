// The symbol picker: a grid of the own symbols, then the resource symbols.
#include "KyLslExtSymPickerDlg.h"

#include "KySymbol.h"
#include "KyZod50Res.h"

BEGIN_MESSAGE_MAP(CKyLslExtSymPickerDlg, CDialog)
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_LBN_SELCHANGE(IDC_KYZOD_SYMBOLS, OnSelchangeSymbols)
ON_LBN_DBLCLK(IDC_KYZOD_SYMBOLS, OnDblclkSymbols)
END_MESSAGE_MAP()

CKyLslExtSymPickerDlg::CKyLslExtSymPickerDlg(CWnd* pParent) : CDialog(IDD_KYZOD_SYMBOL, pParent) {}
CKyLslExtSymPickerDlg::~CKyLslExtSymPickerDlg() = default;

void CKyLslExtSymPickerDlg::AttachLineSymLib(CKySymLib* pLib, long n) {
  m_pOwnLib = pLib;
  m_nOwnBase = n < 0 ? 0 : n;
}

namespace {
long Shown(const CKySymLib* lib, long limit) {
  if (!lib) return 0;
  const long count = lib->GetSymbolCount();
  return limit < count ? limit : count;
}
}  // namespace

// Cells: the own symbols shown (positions 0 .. k-1, k = min(n, count)),
// then the resource symbols. Indexes: a cell c < k is index c, a later one
// index n + (c - k).
int CKyLslExtSymPickerDlg::CellCount() const {
  return static_cast<int>(Shown(m_pOwnLib, m_nOwnBase) + (m_pResLib ? m_pResLib->GetSymbolCount() : 0));
}

int CKyLslExtSymPickerDlg::IndexOfCell(int cell) const {
  const long k = Shown(m_pOwnLib, m_nOwnBase);
  if (cell < 0 || cell >= CellCount()) return -1;
  return cell < k ? cell : static_cast<int>(m_nOwnBase + (cell - k));
}

int CKyLslExtSymPickerDlg::CellOfIndex(int index) const {
  const long k = Shown(m_pOwnLib, m_nOwnBase);
  if (index < 0) return -1;
  if (index < m_nOwnBase) return index < k ? index : -1;
  const long r = index - m_nOwnBase;
  return m_pResLib && r < m_pResLib->GetSymbolCount() ? static_cast<int>(k + r) : -1;
}

CKySymbol* CKyLslExtSymPickerDlg::SymbolOfIndex(int index) const {
  if (index < 0) return nullptr;
  if (index < m_nOwnBase) return m_pOwnLib && index < m_pOwnLib->GetSymbolCount() ? m_pOwnLib->GetSymbolAt(index) : nullptr;
  return m_pResLib ? m_pResLib->GetSymbolAt(index - m_nOwnBase) : nullptr;
}

BOOL CKyLslExtSymPickerDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_listSymbols.SubclassDlgItem(IDC_KYZOD_SYMBOLS, this);
  m_listSymbols.SetItemHeight(0, kCell);
  m_listSymbols.SetColumnWidth(kCell);
  const int cells = CellCount();
  for (int c = 0; c < cells; ++c) m_listSymbols.SetItemData(m_listSymbols.AddString(""), static_cast<DWORD_PTR>(IndexOfCell(c)));
  m_listSymbols.SetCurSel(CellOfIndex(m_nIndex));
  ShowName();
  return TRUE;
}

void CKyLslExtSymPickerDlg::OnOK() {
  m_nIndex = IndexOfCell(m_listSymbols.GetCurSel());
  EndDialog(IDOK);
}

void CKyLslExtSymPickerDlg::ShowName() {
  CKySymbol* s = SymbolOfIndex(IndexOfCell(m_listSymbols.GetCurSel()));
  SetDlgItemText(IDC_KYZOD_SYMNAME, s ? static_cast<LPCTSTR>(s->GetSymName()) : "");
}

void CKyLslExtSymPickerDlg::OnSelchangeSymbols() { ShowName(); }

void CKyLslExtSymPickerDlg::OnDblclkSymbols() {
  if (m_listSymbols.GetCurSel() >= 0) OnOK();
}

void CKyLslExtSymPickerDlg::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS) {
  if (nIDCtl == IDC_KYZOD_SYMBOLS) {
    lpMIS->itemHeight = kCell;
    return;
  }
  CDialog::OnMeasureItem(nIDCtl, lpMIS);
}

// A cell: the symbol in black in its middle square less a margin, on white
// for a resource symbol and on a faint blue for an own one, so that the two
// libraries part visibly; a grey grid line; the selection framed twice.
void CKyLslExtSymPickerDlg::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS) {
  if (nIDCtl != IDC_KYZOD_SYMBOLS) {
    CDialog::OnDrawItem(nIDCtl, lpDIS);
    return;
  }
  const int cell = static_cast<int>(lpDIS->itemID);
  if (cell < 0) return;
  CDC* pDC = CDC::FromHandle(lpDIS->hDC);
  CRect r(lpDIS->rcItem);
  const int index = IndexOfCell(cell);
  const BOOL own = index >= 0 && index < m_nOwnBase;
  pDC->FillSolidRect(&r, own ? RGB(240, 248, 255) : RGB(255, 255, 255));
  CBrush grid(RGB(192, 192, 192));
  pDC->FrameRect(&r, &grid);
  if (CKySymbol* s = SymbolOfIndex(index)) {
    CRect box(r);
    box.DeflateRect(6, 6);
    const int side = (box.Width() < box.Height() ? box.Width() : box.Height()) & ~1;
    RECT sq = {box.left + (box.Width() - side) / 2, box.top + (box.Height() - side) / 2, 0, 0};
    sq.right = sq.left + side;
    sq.bottom = sq.top + side;
    const int saved = pDC->SaveDC();
    s->Draw(pDC, sq, RGB(0, 0, 0));
    pDC->RestoreDC(saved);
  }
  if (lpDIS->itemState & ODS_SELECTED) {
    CBrush sel(GetSysColor(COLOR_HIGHLIGHT));
    CRect f(r);
    pDC->FrameRect(&f, &sel);
    f.DeflateRect(1, 1);
    pDC->FrameRect(&f, &sel);
  }
  if (lpDIS->itemState & ODS_FOCUS) {
    CRect f(r);
    f.DeflateRect(3, 3);
    pDC->DrawFocusRect(&f);
  }
}
