// The browser grid's input and scrolling: clicks select, double clicks go to
// the dialog, the vertical bar scrolls by whole rows.
#include <algorithm>

#include "KyFSLEditList.h"
#include "KyROZ50Module.h"

namespace {
constexpr const char* kGridClass = "BRUSHLISTBOX";
constexpr COLORREF kFrameColour = 0x404040;
}  // namespace

KyFSLGridCells KyFSLGridCells::Of(const CKyFillStyleGroup* group) {
  KyFSLGridCells c;
  if (!group) return c;
  c.parent = group->GetParentGroup() ? 1 : 0;
  c.subGroups = static_cast<int>(group->GetSubGroupCount());
  c.styles = static_cast<int>(group->GetItemCount());
  return c;
}

CKyFSLEditList::CKyFSLEditList() = default;

CKyFSLEditList::~CKyFSLEditList() { m_bmpGrid.DeleteObject(); }

BOOL CKyFSLEditList::RegisterWndClass() {
  WNDCLASSA wc{};
  if (GetClassInfoA(nullptr, kGridClass, &wc)) return TRUE;
  wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
  wc.lpfnWndProc = &::DefWindowProcA;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = kGridClass;
  return RegisterClassA(&wc) != 0;
}

BEGIN_MESSAGE_MAP(CKyFSLEditList, CListBox)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_VSCROLL()
ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

KyFSLGridCells CKyFSLEditList::Cells() const {
  return m_pHost ? KyFSLGridCells::Of(m_pHost->GetGridGroup()) : KyFSLGridCells();
}

CRect CKyFSLEditList::CellRect(int index) const {
  if (m_nColumns <= 0) return CRect(0, 0, 0, 0);
  int k = index - m_nTopIndex;
  // Cells above the top row get negative rows (floor division), so that
  // their frames land outside the client area instead of on a visible cell.
  int row = k >= 0 ? k / m_nColumns : -((-k + m_nColumns - 1) / m_nColumns);
  int col = k - row * m_nColumns;
  return CRect(col * m_nItemSize, row * m_nItemSize, (col + 1) * m_nItemSize, (row + 1) * m_nItemSize);
}

int CKyFSLEditList::CellFromPoint(CPoint point) const {
  if (m_nItemSize <= 0 || point.x < 0 || point.y < 0 || point.x >= m_nItemSize * m_nColumns) return -1;
  return m_nTopIndex + (point.y / m_nItemSize) * m_nColumns + point.x / m_nItemSize;
}

void CKyFSLEditList::DrawFrame(CDC* pDC, int index) const {
  CRect r = CellRect(index);
  pDC->Rectangle(&r);
}

void CKyFSLEditList::BrushSelect(int index) {
  KyFSLGridCells cells = Cells();
  if (index < -1 || index > cells.NewCell()) return;
  if (m_hWnd) {
    CClientDC dc(this);
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, kFrameColour);
    CPen* oldPen = dc.SelectObject(&pen);
    CGdiObject* oldBrush = dc.SelectStockObject(NULL_BRUSH);
    int oldRop = dc.SetROP2(R2_NOTXORPEN);
    // Drawn twice, a NOT-XOR frame is gone: the old one is erased this way.
    if (m_nSelIndex >= 0) DrawFrame(&dc, m_nSelIndex);
    if (index >= 0) DrawFrame(&dc, index);
    dc.SetROP2(oldRop);
    dc.SelectObject(oldBrush);
    dc.SelectObject(oldPen);
  }
  m_nSelIndex = index;
  if (!m_pHost) return;
  CSize size(0, 0);
  CKyFillStyleLib* lib = m_pHost->GetGridLib();
  CKyFillStyleGroup* group = m_pHost->GetGridGroup();
  if (lib && group && cells.IsStyle(index)) {
    long position = lib->FindID(group->GetItemID(index - cells.parent - cells.subGroups));
    if (position >= 0) size = lib->GetFillStyleSize(position);
    // A pattern stored top row first has a negative height in its header;
    // the size box shows how tall it is.
    if (size.cy < 0) size.cy = -size.cy;
  }
  m_pHost->OnGridSelect(index, size);
}

BOOL CKyFSLEditList::ScrollChange(int index) {
  if (!m_hWnd || m_nColumns <= 0) return FALSE;
  KyFSLGridCells cells = Cells();
  int total = cells.NewCell();  // the new-style cell is not counted
  int rows = total / m_nColumns;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(SB_VERT, &si);
  int page = static_cast<int>(si.nPage);
  int oldPos = si.nPos;
  int p = oldPos;
  if (rows <= m_nRows - 1) {
    if (si.nMax < m_nRows) return FALSE;
    SCROLLINFO set{sizeof set, SIF_RANGE | SIF_POS, 0, page - 1, 0, 0, 0};
    SetScrollInfo(SB_VERT, &set, TRUE);
    p = 0;
  } else {
    SCROLLINFO set{sizeof set, SIF_RANGE, 0, rows, 0, 0, 0};
    SetScrollInfo(SB_VERT, &set, TRUE);
    if (index < 0) {
      p = 0;
    } else if (index < m_nTopIndex) {
      p = oldPos - (m_nTopIndex - index - 1) / m_nColumns - 1;
    } else if (index >= m_nTopIndex + m_nRows * m_nColumns) {
      p = (index - m_nRows * m_nColumns - m_nTopIndex) / m_nColumns + oldPos + 1;
    }
    p = std::max(0, std::min(p, rows - page + 1));
  }
  SetScrollPos(SB_VERT, p, TRUE);
  if (p == oldPos) return FALSE;
  m_nTopIndex = m_nColumns * p;
  return TRUE;
}

void CKyFSLEditList::OnLButtonDown(UINT nFlags, CPoint point) {
  int index = CellFromPoint(point);
  if (index >= 0) BrushSelect(index);
}

void CKyFSLEditList::OnRButtonDown(UINT nFlags, CPoint point) { BrushSelect(-1); }

void CKyFSLEditList::OnLButtonDblClk(UINT nFlags, CPoint point) {
  if (m_pHost) m_pHost->OnGridDoubleClick();
}

// A notch of the wheel is a row of cells, as a line of the scroll bar;
// smaller turns (of a touchpad) add up to notches.
BOOL CKyFSLEditList::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt) {
  m_nWheelRest += zDelta;
  while (m_nWheelRest >= WHEEL_DELTA || m_nWheelRest <= -WHEEL_DELTA) {
    const bool up = m_nWheelRest > 0;
    m_nWheelRest += up ? -WHEEL_DELTA : WHEEL_DELTA;
    SendMessage(WM_VSCROLL, MAKEWPARAM(up ? SB_LINEUP : SB_LINEDOWN, 0));
    if (!m_hWnd) break;
  }
  return TRUE;
}

void CKyFSLEditList::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(SB_VERT, &si);
  int page = static_cast<int>(si.nPage);
  int pos = si.nPos;
  switch (nSBCode) {
    case SB_LINEUP:
      pos = std::max(0, pos - 1);
      break;
    case SB_LINEDOWN:
      if (pos < si.nMax - m_nRows + 1) pos += 1;
      break;
    case SB_PAGEUP:
      pos = std::max(si.nMin, pos - (page - 1));
      break;
    case SB_PAGEDOWN:
      pos = std::min(si.nMax - page + 1, pos + (page - 1));
      break;
    case SB_THUMBTRACK:
      pos = si.nTrackPos;
      break;
    default:
      break;
  }
  if (pos != si.nPos) {
    m_nTopIndex = m_nColumns * pos;
    SetScrollPos(SB_VERT, pos, TRUE);
    ReDraw();
  }
  Default();
}
