// The colour popup: a palette grid and "More...", holding the capture while open.
#include "KyColorPopup.h"

#include "KyButtonColorPicker.h"
#include "KyColorDlg.h"
#include "KyDez50Res.h"

namespace {

const COLORREF kPalette[CKyColorPopup::kColumns * CKyColorPopup::kRows] = {
    // darkest row first, then ever lighter, greys in the last column
    RGB(0, 0, 0),       RGB(128, 64, 0),    RGB(64, 64, 0),     RGB(0, 64, 0),
    RGB(0, 64, 64),     RGB(0, 0, 128),     RGB(64, 0, 128),    RGB(64, 64, 64),
    RGB(128, 0, 0),     RGB(255, 128, 0),   RGB(128, 128, 0),   RGB(0, 128, 0),
    RGB(0, 128, 128),   RGB(0, 0, 255),     RGB(128, 0, 128),   RGB(128, 128, 128),
    RGB(255, 0, 0),     RGB(255, 160, 64),  RGB(160, 192, 0),   RGB(64, 160, 96),
    RGB(64, 192, 192),  RGB(64, 96, 255),   RGB(192, 0, 192),   RGB(160, 160, 160),
    RGB(255, 0, 255),   RGB(255, 208, 0),   RGB(255, 255, 0),   RGB(0, 255, 0),
    RGB(0, 255, 255),   RGB(0, 192, 255),   RGB(160, 64, 96),   RGB(192, 192, 192),
    RGB(255, 160, 208), RGB(255, 208, 160), RGB(255, 255, 160), RGB(208, 255, 208),
    RGB(208, 255, 255), RGB(160, 208, 255), RGB(208, 160, 255), RGB(255, 255, 255),
};

BOOL RegisterPopupClass() {
  WNDCLASS wc{};
  if (GetClassInfo(nullptr, CKyColorPopup::ClassName(), &wc)) return TRUE;
  wc.style = CS_SAVEBITS;
  wc.lpfnWndProc = DefWindowProc;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = CKyColorPopup::ClassName();
  return RegisterClass(&wc) != 0;
}

CString MoreText() {
  CString s;
  if (!s.LoadString(IDS_KYDEZ_MORE)) s = "More...";
  return s;
}

}  // namespace

BEGIN_MESSAGE_MAP(CKyColorPopup, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_KEYDOWN()
ON_WM_GETDLGCODE()
ON_WM_CAPTURECHANGED()
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

const COLORREF* CKyColorPopup::Palette() { return kPalette; }

CKyColorPopup::CKyColorPopup(CKyButtonColorPicker* pButton) : m_pButton(pButton) {}

CKyColorPopup::~CKyColorPopup() = default;

BOOL CKyColorPopup::Open(POINT pt, COLORREF crCurrent) {
  if (!RegisterPopupClass()) return FALSE;
  m_crCurrent = crCurrent;
  const int cx = 2 * kMargin + kColumns * kCell;
  const int cy = 3 * kMargin + kRows * kCell + kMoreHeight;
  // Kept on the screen: flipped above the button when there is no room below.
  const int sx = GetSystemMetrics(SM_CXSCREEN), sy = GetSystemMetrics(SM_CYSCREEN);
  int x = pt.x, y = pt.y;
  if (x + cx > sx) x = sx - cx;
  if (x < 0) x = 0;
  if (y + cy > sy && m_pButton && m_pButton->m_hWnd) {
    CRect r;
    m_pButton->GetWindowRect(&r);
    y = r.top - cy;
  }
  if (y < 0) y = 0;
  HWND owner = m_pButton && m_pButton->m_hWnd ? ::GetAncestor(m_pButton->m_hWnd, GA_ROOT) : nullptr;
  if (!CreateEx(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, ClassName(), "", WS_POPUP | WS_BORDER, x, y, cx, cy, owner,
                nullptr))
    return FALSE;
  m_nHot = -1;
  for (int i = 0; i < kColumns * kRows; ++i)
    if (kPalette[i] == (crCurrent & 0x00FFFFFF)) m_nHot = i;
  ShowWindow(SW_SHOWNA);
  SetFocus();
  SetCapture();
  return TRUE;
}

CRect CKyColorPopup::EntryRect(int index) const {
  if (index >= 0 && index < kMoreEntry) {
    const int col = index % kColumns, row = index / kColumns;
    return CRect(kMargin + col * kCell, kMargin + row * kCell, kMargin + (col + 1) * kCell,
                 kMargin + (row + 1) * kCell);
  }
  if (index == kMoreEntry) {
    const int top = 2 * kMargin + kRows * kCell;
    return CRect(kMargin, top, kMargin + kColumns * kCell, top + kMoreHeight);
  }
  return CRect(0, 0, 0, 0);
}

int CKyColorPopup::HitTest(POINT pt) const {
  for (int i = 0; i <= kMoreEntry; ++i)
    if (EntryRect(i).PtInRect(pt)) return i;
  return -1;
}

void CKyColorPopup::SetHot(int index) {
  if (index == m_nHot) return;
  CRect old = EntryRect(m_nHot), now = EntryRect(index);
  m_nHot = index;
  old.InflateRect(1, 1);
  now.InflateRect(1, 1);
  InvalidateRect(&old, FALSE);
  InvalidateRect(&now, FALSE);
}

void CKyColorPopup::Close(COLORREF cr) {
  if (m_bClosing) return;
  m_bClosing = TRUE;
  CKyButtonColorPicker* button = m_pButton;
  m_pButton = nullptr;
  if (m_hWnd) {
    if (GetCapture() == this) ReleaseCapture();
    DestroyWindow();  // deletes this object
  } else {
    delete this;
  }
  if (button) button->OnPopupClosed(cr);
}

void CKyColorPopup::PostNcDestroy() {
  // Closed by the window's end rather than by Close (its owner went away):
  // the button hears of it too.
  CKyButtonColorPicker* button = m_bClosing ? nullptr : m_pButton;
  m_bClosing = TRUE;
  m_pButton = nullptr;
  if (button) button->OnPopupClosed(CLR_INVALID);
  delete this;
}

void CKyColorPopup::Pick(int index) {
  if (index >= 0 && index < kMoreEntry) {
    Close(kPalette[index]);
    return;
  }
  if (index != kMoreEntry) return;
  // The chooser runs modally; the popup gives up the capture and hides, and
  // must not take the lost capture or focus for a cancel meanwhile.
  m_bInChooser = TRUE;
  ReleaseCapture();
  ShowWindow(SW_HIDE);
  CWnd* parent = m_pButton ? m_pButton->GetParent() : nullptr;
  CKyColorDlg dlg(m_crCurrent == CLR_INVALID ? RGB(0, 0, 0) : m_crCurrent, parent);
  const INT_PTR r = dlg.DoModal();
  m_bInChooser = FALSE;
  Close(r == IDOK ? dlg.GetColor() : CLR_INVALID);
}

BOOL CKyColorPopup::OnEraseBkgnd(CDC*) { return TRUE; }

void CKyColorPopup::OnPaint() {
  CPaintDC dc(this);
  CRect client;
  GetClientRect(&client);
  dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
  CBrush shadow(GetSysColor(COLOR_BTNSHADOW));
  CBrush black(RGB(0, 0, 0));
  CBrush white(RGB(255, 255, 255));
  for (int i = 0; i < kMoreEntry; ++i) {
    CRect cell = EntryRect(i);
    cell.DeflateRect(1, 1);  // the gap between cells
    CRect inner(cell);
    inner.DeflateRect(1, 1);
    dc.FillSolidRect(&inner, kPalette[i]);
    dc.FrameRect(&cell, &shadow);
    if (i == m_nHot) {
      CRect hot(cell);
      hot.InflateRect(1, 1);
      dc.FrameRect(&hot, &black);
      dc.FrameRect(&inner, &white);
    }
  }
  CRect more = EntryRect(kMoreEntry);
  if (m_nHot == kMoreEntry) dc.DrawEdge(&more, BDR_RAISEDINNER, BF_RECT);
  CString text = MoreText();
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
  CFont* old = dc.SelectObject(CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))));
  dc.DrawText(text, &more, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  dc.SelectObject(old);
}

void CKyColorPopup::OnMouseMove(UINT, CPoint point) { SetHot(HitTest(point)); }

void CKyColorPopup::OnLButtonDown(UINT, CPoint point) {
  CRect client;
  GetClientRect(&client);
  if (!client.PtInRect(point)) {
    Close(CLR_INVALID);
    return;
  }
  SetHot(HitTest(point));
}

void CKyColorPopup::OnLButtonUp(UINT, CPoint point) {
  const int index = HitTest(point);
  if (index >= 0) Pick(index);
}

UINT CKyColorPopup::OnGetDlgCode() { return DLGC_WANTALLKEYS | DLGC_WANTARROWS; }

void CKyColorPopup::OnKeyDown(UINT nChar, UINT, UINT) {
  int hot = m_nHot;
  switch (nChar) {
    case VK_ESCAPE:
      Close(CLR_INVALID);
      return;
    case VK_RETURN:
    case VK_SPACE:
      if (hot >= 0) Pick(hot);
      return;
    case VK_LEFT:
      hot = hot < 0 ? 0 : hot == kMoreEntry ? kMoreEntry - 1 : hot % kColumns ? hot - 1 : hot;
      break;
    case VK_RIGHT:
      hot = hot < 0 ? 0 : hot == kMoreEntry ? kMoreEntry : hot % kColumns != kColumns - 1 ? hot + 1 : hot;
      break;
    case VK_UP:
      hot = hot < 0 ? 0 : hot == kMoreEntry ? kMoreEntry - kColumns : hot >= kColumns ? hot - kColumns : hot;
      break;
    case VK_DOWN:
      hot = hot < 0 ? 0 : hot == kMoreEntry ? kMoreEntry : hot + kColumns < kMoreEntry ? hot + kColumns : kMoreEntry;
      break;
    default:
      return;
  }
  SetHot(hot);
}

void CKyColorPopup::OnCaptureChanged(CWnd* pWnd) {
  if (!m_bClosing && !m_bInChooser && pWnd != this) Close(CLR_INVALID);
}

void CKyColorPopup::OnKillFocus(CWnd* pNewWnd) {
  if (!m_bClosing && !m_bInChooser && pNewWnd != this) Close(CLR_INVALID);
}
