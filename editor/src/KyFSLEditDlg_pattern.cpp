// The editor's pattern commands on the canvas: the tools, Copy, Cut, Paste,
// Arrange paste, Clear, Undo and Invert. The canvas's clipboard is its own;
// the system clipboard is never used.
#include <algorithm>
#include <utility>

#include "KyFSLArrangePasteDlg.h"
#include "KyFSLEditDlg.h"
#include "afxres.h"
#include "resource.h"

namespace {

void ShowSize(CEdit& edit, int v) {
  CString s;
  s.Format("%d", v);
  edit.SetWindowText(s);
}

}  // namespace

void CKyFSLEditDlg::SetTool(int nTool) {
  CommitFloat();
  m_wndCanvas.m_nTool = nTool;
  if (m_wndToolPalette.m_hWnd) m_wndToolPalette.CheckButton(nTool, TRUE);
}

void CKyFSLEditDlg::OnEdittoolSelect() { SetTool(ID_EDITTOOL_SELECT); }
void CKyFSLEditDlg::OnEdittoolErase() { SetTool(ID_EDITTOOL_ERASE); }
void CKyFSLEditDlg::OnEdittoolPen() { SetTool(ID_EDITTOOL_PEN); }
void CKyFSLEditDlg::OnEdittoolLine() { SetTool(ID_EDITTOOL_LINE); }
void CKyFSLEditDlg::OnEdittoolQuarterEllipse() { SetTool(ID_EDITTOOL_QUARTER_ELLIPSE); }
void CKyFSLEditDlg::OnEdittoolRectangle() { SetTool(ID_EDITTOOL_RECTANGLE); }
void CKyFSLEditDlg::OnEdittoolEllipse() { SetTool(ID_EDITTOOL_ELLIPSE); }
void CKyFSLEditDlg::OnEdittoolRectanglefill() { SetTool(ID_EDITTOOL_RECTANGLEFILL); }
void CKyFSLEditDlg::OnEdittoolEllipsefill() { SetTool(ID_EDITTOOL_ELLIPSEFILL); }

void CKyFSLEditDlg::OnBrushCopy() {
  CKyFSLEditWnd& c = m_wndCanvas;
  if (c.m_arrFloat.IsEmpty()) return;
  c.m_rcCopy.SetRect(0, 0, c.m_rcSelect.Width(), c.m_rcSelect.Height());
  c.m_arrCopy.Copy(c.m_arrFloat);
}

void CKyFSLEditDlg::OnBrushCut() {
  CKyFSLEditWnd& c = m_wndCanvas;
  if (c.m_arrFloat.IsEmpty()) return;
  OnBrushCopy();
  c.InsertSelect(0, TRUE);
  DropFloat();
  c.ReDraw();
}

void CKyFSLEditDlg::OnBrushPaste() {
  CKyFSLEditWnd& c = m_wndCanvas;
  CommitFloat();
  if (c.m_arrCopy.IsEmpty() || c.m_nWidth == 0 || c.m_nHeight == 0) return;
  c.SaveUndo();
  int w = c.m_rcCopy.Width(), h = c.m_rcCopy.Height();
  if (w > c.m_nWidth || h > c.m_nHeight) {
    int answer = AfxMessageBox(IDS_CLIPBOARD_LARGER, MB_YESNOCANCEL | MB_ICONQUESTION);
    if (answer == IDCANCEL) return;
    if (answer == IDYES) {
      c.m_nWidth = std::max(c.m_nWidth, w);
      c.m_nHeight = std::max(c.m_nHeight, h);
      c.DragBrush();
      ShowSize(m_editWidth, c.m_nWidth);
      ShowSize(m_editHeight, c.m_nHeight);
      c.ScrollChange(0, 0);
      c.ReDraw();
    }
  }
  c.m_rcSelect = c.m_rcCopy;
  c.m_arrFloat.Copy(c.m_arrCopy);
  c.InsertSelect(1, FALSE);
  c.DrawSelect(TRUE);
}

void CKyFSLEditDlg::OnBrushArrangepaste() {
  CKyFSLEditWnd& c = m_wndCanvas;
  CommitFloat();
  if (c.m_arrCopy.IsEmpty() || c.m_nWidth == 0 || c.m_nHeight == 0) return;
  CKyFSLArrangePasteDlg dlg(this);
  dlg.DoModal();
  // Whichever way the dialog closed, its values are taken.
  if (c.ArrangePaste(CPoint(static_cast<int>(dlg.m_nXCoordinate), static_cast<int>(dlg.m_nYCoordinate)),
                     static_cast<int>(dlg.m_nXSpace), static_cast<int>(dlg.m_nYSpace)))
    c.ReDraw();
  ShowSize(m_editWidth, c.m_nWidth);
  ShowSize(m_editHeight, c.m_nHeight);
}

void CKyFSLEditDlg::OnBrushClear() {
  CKyFSLEditWnd& c = m_wndCanvas;
  if (c.m_arrBits.IsEmpty()) return;
  DropFloat();
  c.SaveUndo();
  for (INT_PTR i = 0; i < c.m_arrBits.GetSize(); ++i) c.m_arrBits[i] = 0;
  c.ReDraw();
}

void CKyFSLEditDlg::OnBrushUndo() {
  CKyFSLEditWnd& c = m_wndCanvas;
  if (c.m_nWidth == 0 || c.m_nHeight == 0) return;
  CommitFloat();
  std::swap(c.m_nWidth, c.m_nUndoWidth);
  std::swap(c.m_nHeight, c.m_nUndoHeight);
  CByteArray bits;
  bits.Copy(c.m_arrBits);
  c.m_arrBits.Copy(c.m_arrUndo);
  c.m_arrUndo.Copy(bits);
  ShowSize(m_editWidth, c.m_nWidth);
  ShowSize(m_editHeight, c.m_nHeight);
  c.ScrollChange(0, 0);
  c.ReDraw();
}

void CKyFSLEditDlg::OnBrushInvert() {
  CommitFloat();
  if (m_wndCanvas.m_arrBits.IsEmpty()) return;
  if (m_wndCanvas.InvertBrush()) m_wndCanvas.ReDraw();
}

void CKyFSLEditDlg::ResizeFromEdits() {
  CKyFSLEditWnd& c = m_wndCanvas;
  if (c.m_arrBits.IsEmpty()) {
    ShowSize(m_editWidth, c.m_nWidth);
    ShowSize(m_editHeight, c.m_nHeight);
    return;
  }
  CString ws, hs;
  m_editWidth.GetWindowText(ws);
  m_editHeight.GetWindowText(hs);
  long w = 0, h = 0;
  // Sizes that are not numbers (or beyond what the canvas takes) are put
  // back rather than read as 0, which would empty the pattern.
  if (!ParseCode(ws, w) || !ParseCode(hs, h) || w < 0 || h < 0 || w > CKyFSLEditWnd::kMaxSize ||
      h > CKyFSLEditWnd::kMaxSize) {
    ShowSize(m_editWidth, c.m_nWidth);
    ShowSize(m_editHeight, c.m_nHeight);
    return;
  }
  c.SaveUndo();
  c.m_nWidth = static_cast<int>(w);
  c.m_nHeight = static_cast<int>(h);
  c.DragBrush();
  c.ScrollChange(0, 0);
  c.ReDraw();
}
