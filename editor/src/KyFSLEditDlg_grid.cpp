// The editor's browsing: the code and name combo boxes, the grid's
// selection, and Edit (">>"), which opens a group or loads a style into the
// canvas.
#include "KyFSLEditDlg.h"
#include "afxres.h"
#include "resource.h"

void CKyFSLEditDlg::CommitFloat() { m_wndCanvas.InsertSelect(1, TRUE); }

void CKyFSLEditDlg::DropFloat() {
  bool shown = !m_wndCanvas.m_arrFloat.IsEmpty();
  m_wndCanvas.m_rcSelect.SetRectEmpty();
  m_wndCanvas.m_arrFloat.RemoveAll();
  // The block was painted over the pattern; the canvas shows it no more.
  if (shown && m_wndCanvas.m_hWnd) m_wndCanvas.ReDraw();
}

void CKyFSLEditDlg::AddCodes() {
  m_comboCode.ResetContent();
  m_comboName.ResetContent();
  if (!m_pGroup) return;
  if (m_pGroup->GetParentGroup()) {
    m_comboCode.AddString("");
    m_comboName.AddString(" .. ");
  }
  for (long g = 0; g < m_pGroup->GetSubGroupCount(); ++g) {
    m_comboCode.AddString("");
    m_comboName.AddString(m_pGroup->SubGroup(g)->GetName());
  }
  for (long k = 0; k < m_pGroup->GetItemCount(); ++k) {
    CString code;
    code.Format("%d", static_cast<int>(m_pGroup->GetItemID(k)));
    m_comboCode.AddString(code);
    m_comboName.AddString(m_pGroup->GetItemName(k));
  }
  m_comboCode.SetCurSel(m_wndList.m_nSelIndex);
  m_comboName.SetCurSel(m_wndList.m_nSelIndex);
}

void CKyFSLEditDlg::SelectCell(int i) {
  if (m_wndList.ScrollChange(i)) m_wndList.ReDraw();
  m_wndList.BrushSelect(i);
}

void CKyFSLEditDlg::OnSelchangeCode() {
  CommitFloat();
  SelectCell(m_comboCode.GetCurSel());
}

void CKyFSLEditDlg::OnSelchangeName() {
  CommitFloat();
  SelectCell(m_comboName.GetCurSel());
}

void CKyFSLEditDlg::OnGridSelect(int index, CSize size) {
  m_nSelWidth = static_cast<UINT>(size.cx);
  m_nSelHeight = static_cast<UINT>(size.cy);
  if (!m_hWnd) return;
  UpdateData(FALSE);
  int entry = Cells().IsNew(index) ? -1 : index;
  m_comboCode.SetCurSel(entry);
  m_comboName.SetCurSel(entry);
  m_comboCode.SetFocus();
}

void CKyFSLEditDlg::OnGridDoubleClick() {
  // The canvas's selection goes first, whether or not a cell is selected.
  DropFloat();
  if (m_wndList.m_nSelIndex < 0) return;
  OnEditButton();
}

void CKyFSLEditDlg::ShowGroup(CKyFillStyleGroup* group) {
  if (!group) return;
  m_pGroup = group;
  m_wndList.m_nSelIndex = -1;
  m_wndList.m_nEditIndex = -1;
  AddCodes();
  m_wndList.ScrollChange(0);
  m_wndList.ReDraw();
  m_editGroup.SetWindowText(m_pGroup->GetName());
}

void CKyFSLEditDlg::OnEditButton() {
  int i = m_wndList.m_nSelIndex;
  if (i < 0 || !m_pGroup || !m_pLib) return;
  DropFloat();
  KyFSLGridCells cells = Cells();
  if (cells.IsUp(i)) {
    ShowGroup(m_pGroup->GetParentGroup());
  } else if (cells.IsSubGroup(i)) {
    ShowGroup(m_pGroup->SubGroup(i - cells.parent));
  } else if (cells.IsNew(i)) {
    OnBrushNew();
  } else if (cells.IsStyle(i)) {
    CKyFillStyle* style = m_pLib->GetFillStyle(m_pLib->FindID(m_pGroup->GetItemID(i - cells.parent - cells.subGroups)));
    if (!style) return;
    CByteArray bytes;
    style->GetBMPArray(bytes);
    CString code;
    code.Format("%d", static_cast<int>(style->GetFillStyleID()));
    if (m_wndCanvas.FromByteBuffer(bytes)) {
      m_nResolution = style->GetResolution();
      CString w, h;
      w.Format("%d", m_wndCanvas.m_nWidth);
      h.Format("%d", m_wndCanvas.m_nHeight);
      m_editCode.SetWindowText(code);
      m_editName.SetWindowText(style->GetFillStyleName());
      m_editWidth.SetWindowText(w);
      m_editHeight.SetWindowText(h);
    } else if (style->GetFillStyleVector()) {
      auto* copy = new CKyFillStyle;
      *copy = *style;
      delete m_wndCanvas.m_pVectorStyle;
      m_wndCanvas.m_pVectorStyle = copy;
      m_editCode.SetWindowText(code);
      m_editName.SetWindowText(style->GetFillStyleName());
      m_editWidth.SetWindowText("0");
      m_editHeight.SetWindowText("0");
    } else {
      // The record's pattern is no image the canvas can take: say so rather
      // than leave an empty canvas that looks like the style.
      m_wndCanvas.ReDraw();
      AfxMessageBox(IDS_STYLE_NOT_EDITABLE, MB_OK | MB_ICONEXCLAMATION);
      return;
    }
    m_wndList.m_nEditIndex = i;
    m_wndCanvas.ScrollChange(0, 0);
    m_wndCanvas.ReDraw();
  }
}
