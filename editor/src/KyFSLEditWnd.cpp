// The canvas window: its class, the mouse, and what it tells its host.
//
// A press starts a drag (m_nDragKind): a size handle (1 corner, 2 right,
// 3 bottom) or the grid (4). Moves show the drag NOT-XOR on the window;
// the release writes it into m_arrBits and rebuilds the off-screen bitmap.
// Each press that starts a drag takes the one-step undo snapshot first.
#include <cstdio>
#include <cstdlib>

#include "KyFSLEditHost.h"
#include "KyFSLEditWndImpl.h"
#include "KyFillStyle.h"

using namespace kycanvas;

BEGIN_MESSAGE_MAP(CKyFSLEditWnd, CWnd)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_WM_RBUTTONDOWN()
ON_WM_RBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_PAINT()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_ERASEBKGND()
ON_WM_CAPTURECHANGED()
END_MESSAGE_MAP()

BOOL CKyFSLEditWnd::RegisterWndClass() {
  WNDCLASS wc{};
  if (GetClassInfoA(nullptr, kClassName, &wc)) return TRUE;
  wc.style = CS_DBLCLKS;  // no class cursor: the canvas sets its own on every move
  wc.lpfnWndProc = ::DefWindowProcA;
  wc.lpszClassName = kClassName;
  wc.hbrBackground = nullptr;
  return RegisterClass(&wc) != 0;
}

CKyFSLEditWnd::CKyFSLEditWnd() { RegisterWndClass(); }

CKyFSLEditWnd::~CKyFSLEditWnd() {
  Clear();
  if (m_hWnd) DestroyWindow();
}

CKyFSLEditHost* CKyFSLEditWnd::GetHost() const {
  if (!m_hWnd) return nullptr;
  HWND parent = ::GetParent(m_hWnd);
  return parent ? dynamic_cast<CKyFSLEditHost*>(CWnd::FromHandlePermanent(parent)) : nullptr;
}

namespace kycanvas {

void ShowSize(CKyFSLEditWnd& wnd, bool bWidth, bool bHeight) {
  CKyFSLEditHost* host = wnd.GetHost();
  if (!host) return;
  char text[16];
  if (bWidth)
    if (CWnd* e = host->GetCanvasWidthEdit()) {
      std::snprintf(text, sizeof text, "%d", wnd.m_nWidth);
      e->SetWindowText(text);
    }
  if (bHeight)
    if (CWnd* e = host->GetCanvasHeightEdit()) {
      std::snprintf(text, sizeof text, "%d", wnd.m_nHeight);
      e->SetWindowText(text);
    }
}

}  // namespace kycanvas

namespace {

// The cell under a client point; the division truncates toward zero, so the
// cells just left of or above the window are still column or row 0.
CPoint CellAt(const CKyFSLEditWnd& w, CPoint point) {
  const int c = CellSize(w);
  return CPoint((point.x + w.m_nScrollX) / c, (point.y + w.m_nScrollY) / c);
}

}  // namespace

namespace kycanvas {

void DrawShape(CKyFSLEditWnd& w, CDC* pDC, int nColor, int bInsert) {
  switch (w.m_nTool) {
    case KY_TOOL_LINE:
      w.DrawLine(pDC, nColor, bInsert);
      break;
    case KY_TOOL_QUARTER_ELLIPSE:
      w.DrawQuarterEllipse(pDC, nColor, bInsert);
      break;
    case KY_TOOL_RECTANGLE:
      w.DrawRectangle(pDC, nColor, bInsert);
      break;
    case KY_TOOL_ELLIPSE:
      w.DrawEllipse(pDC, nColor, bInsert);
      break;
    case KY_TOOL_RECTANGLE_FILL:
      w.DrawRectangleFill(pDC, nColor, bInsert);
      break;
    case KY_TOOL_ELLIPSE_FILL:
      w.DrawEllipseFill(pDC, nColor, bInsert);
      break;
    default:
      break;
  }
}

}  // namespace kycanvas

// The press of either button; bRight changes only what Pen, Erase and the
// single-cell shapes paint, and when undo is taken.
void CKyFSLEditWnd::ButtonDown(CPoint point, bool bRight) {
  CKyFSLEditWnd& w = *this;
  w.SetCapture();
  const CPoint cell = CellAt(w, point);
  const int k = w.PtInRect(CPoint(point.x + w.m_nScrollX, point.y + w.m_nScrollY));
  if (k >= 1 && k <= 3) {
    w.InsertSelect(1, TRUE);
    w.m_nDragKind = k;
  } else if (k == 4) {
    w.m_ptAnchor = w.m_ptEnd = cell;
    CanvasDC dc(w);
    switch (w.m_nTool) {
      case KY_TOOL_SELECT:
        if (!w.m_rcSelect.IsRectEmpty()) {
          if (w.m_rcSelect.PtInRect(cell))
            w.m_bMoveSelect = TRUE;
          else
            w.InsertSelect(1, TRUE);
        }
        break;
      case KY_TOOL_ERASE:
        w.DrawPoint(dc.Get(), cell, 0, FALSE);
        if (!bRight) w.m_ptEnd = CPoint(0, 0);
        break;
      case KY_TOOL_PEN:
        w.DrawPoint(dc.Get(), cell, bRight ? 0 : 1, FALSE);
        break;
      case KY_TOOL_LINE:
      case KY_TOOL_QUARTER_ELLIPSE:
      case KY_TOOL_RECTANGLE:
      case KY_TOOL_RECTANGLE_FILL:
        DrawShape(w, dc.Get(), bRight ? 0 : 1, FALSE);
        m_bPreviewShown = true;
        break;
      default:  // the ellipses show nothing until the pointer moves
        m_bPreviewShown = false;
        break;
    }
    w.m_nDragKind = 4;
  }
  if (w.m_nDragKind != 0 && (bRight || !w.m_bMoveSelect)) w.SaveUndo();
}

void CKyFSLEditWnd::OnLButtonDown(UINT, CPoint point) { ButtonDown(point, false); }

void CKyFSLEditWnd::OnRButtonDown(UINT, CPoint point) { ButtonDown(point, true); }

void CKyFSLEditWnd::OnMouseMove(UINT nFlags, CPoint point) {
  const CPoint cell = CellAt(*this, point);
  const int k = PtInRect(CPoint(point.x + m_nScrollX, point.y + m_nScrollY));

  LPCSTR cursor = IDC_ARROW;
  if (k == 1 || m_nDragKind == 1)
    cursor = IDC_SIZENWSE;
  else if (k == 2 || m_nDragKind == 2)
    cursor = IDC_SIZEWE;
  else if (k == 3 || m_nDragKind == 3)
    cursor = IDC_SIZENS;
  else if (k == 4)
    cursor = m_rcSelect.PtInRect(cell) ? IDC_SIZEALL : IDC_CROSS;
  ::SetCursor(::LoadCursor(nullptr, cursor));

  if (m_nDragKind == 1)
    DrawElastic(cell.x, cell.y);
  else if (m_nDragKind == 2)
    DrawElastic(cell.x, Height(*this));
  else if (m_nDragKind == 3)
    DrawElastic(Width(*this), cell.y);

  if (k == 4 && m_nDragKind == 4 && (cell.x != m_ptEnd.x || cell.y != m_ptEnd.y)) {
    if (m_nTool == KY_TOOL_SELECT) {
      if (m_bMoveSelect) {
        DrawSelect(TRUE);
        InsertSelect(1, FALSE);
        m_rcSelect.OffsetRect(cell.x - m_ptEnd.x, cell.y - m_ptEnd.y);
        InsertSelect(1, FALSE);
        DrawSelect(TRUE);
        m_ptEnd = cell;
      } else {
        m_ptEnd = cell;
        DrawSelect(FALSE);
      }
    } else if (m_nTool == KY_TOOL_ERASE || m_nTool == KY_TOOL_PEN) {
      // m_ptEnd stays, so every cell passed over other than it is written.
      // The Pen clears while only the right button is held, as its press did.
      const bool rightOnly = (nFlags & MK_RBUTTON) && !(nFlags & MK_LBUTTON);
      const int colour = m_nTool == KY_TOOL_ERASE || rightOnly ? 0 : 1;
      CanvasDC dc(*this);
      DrawPoint(dc.Get(), cell, colour, TRUE);
    } else if (IsShapeTool(m_nTool)) {
      CanvasDC dc(*this);
      if (CDC* pDC = dc.Get()) pDC->SetROP2(R2_NOTXORPEN);
      if (m_bPreviewShown) DrawShape(*this, dc.Get(), 1, FALSE);  // takes the last preview away
      m_ptEnd = cell;
      DrawShape(*this, dc.Get(), 1, FALSE);
      m_bPreviewShown = true;
    }
  }

  if (CKyFSLEditHost* host = GetHost()) {
    char text[80];
    std::snprintf(text, sizeof text, "x=%d,y=%d,dx=%d,dy=%d", cell.x + 1, cell.y + 1, std::abs(m_ptEnd.x - m_ptAnchor.x),
                  std::abs(m_ptEnd.y - m_ptAnchor.y));
    host->GetCanvasStatus() = text;
    CWnd::FromHandle(::GetParent(m_hWnd))->UpdateData(FALSE);
  }
}

void CKyFSLEditWnd::ButtonUp(CPoint point, bool bRight) {
  CKyFSLEditWnd& w = *this;
  m_bReleasing = true;
  ::ReleaseCapture();
  m_bReleasing = false;
  const CPoint cell = CellAt(w, point);
  switch (w.m_nDragKind) {
    case 1:
      w.m_nWidth = cell.x;
      w.m_nHeight = cell.y;
      w.m_rcElastic.SetRectEmpty();
      w.DragBrush();
      w.ScrollChange(2, 2);
      ShowSize(w, true, true);
      break;
    case 2:
      w.m_nWidth = cell.x;
      w.DragBrush();
      w.ScrollChange(1, 2);
      ShowSize(w, true, false);
      break;
    case 3:
      w.m_nHeight = cell.y;
      w.DragBrush();
      w.ScrollChange(2, 1);
      ShowSize(w, false, true);
      break;
    case 4: {
      if (cell.x < w.m_nWidth && cell.y < w.m_nHeight) w.m_ptEnd = cell;
      CanvasDC dc(w);
      if (w.m_nTool == KY_TOOL_SELECT) {
        if (w.m_bMoveSelect) {
          w.m_bMoveSelect = FALSE;  // the block floats on at its new place
        } else {
          w.SelectToByteArray();
          w.InsertSelect(0, TRUE);  // lifted out of the pattern
        }
      } else if (w.m_nTool == KY_TOOL_ERASE) {
        w.DrawPoint(dc.Get(), w.m_ptAnchor, 0, TRUE);
      } else if (w.m_nTool == KY_TOOL_PEN) {
        w.DrawPoint(dc.Get(), w.m_ptAnchor, bRight ? 0 : 1, TRUE);
      } else {
        DrawShape(w, dc.Get(), bRight ? 0 : 1, TRUE);
      }
      break;
    }
    default:
      break;
  }
  if (w.m_nDragKind != 0) {
    w.m_nDragKind = 0;
    // The rubber band is gone with the rebuild; a later handle drag must
    // not take away one that is no longer shown.
    w.m_rcElastic.SetRectEmpty();
    w.ReDraw();
    w.InsertSelect(1, FALSE);
    w.DrawSelect(TRUE);
  }
}

void CKyFSLEditWnd::OnLButtonUp(UINT, CPoint point) { ButtonUp(point, false); }

void CKyFSLEditWnd::OnRButtonUp(UINT, CPoint point) { ButtonUp(point, true); }

void CKyFSLEditWnd::OnCaptureChanged(CWnd*) {
  // Capture taken away in the middle of a drag (a message box, another
  // window): the drag ends where it is. What was written stays; previews and
  // rubber bands go with the rebuild.
  if (m_bReleasing || m_nDragKind == 0) return;
  m_nDragKind = 0;
  m_bMoveSelect = FALSE;
  m_rcElastic.SetRectEmpty();
  ReDraw();
  InsertSelect(1, FALSE);
  DrawSelect(TRUE);
}

void CKyFSLEditWnd::OnLButtonDblClk(UINT, CPoint point) {
  if (Width(*this) != 0 && Height(*this) != 0) return;
  if (!m_arrImage.IsEmpty() || !m_pVectorStyle || !m_pVectorStyle->GetFillStyleVector()) return;
  CKyFillStyleVector* v = m_pVectorStyle->GetFillStyleVector();
  CClientDC dc(this);
  dc.SetMapMode(MM_LOMETRIC);
  CSize tile(static_cast<int>(std::min<unsigned long>(v->GetWidth(), 1000000)),
             static_cast<int>(std::min<unsigned long>(v->GetHeight(), 1000000)));
  dc.LPtoDP(&tile);
  if (point.x > 0 && point.x < std::abs(tile.cx) && point.y > 0 && point.y < std::abs(tile.cy))
    if (CKyFSLEditHost* host = GetHost()) host->FillStyleSymbolAtt(0);
}
