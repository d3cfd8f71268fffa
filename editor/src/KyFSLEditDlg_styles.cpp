// The editor's style commands: Save ("<<") into the edited cell, Save as
// ("<--") into the selected cell, New fillStyle, New subgroup and Delete.
#include <cerrno>
#include <climits>
#include <cstdlib>

#include "KyFSLEditDlg.h"
#include "afxres.h"
#include "resource.h"

namespace {

constexpr int kNewEdge = 32;
constexpr int kNewBytes = 128;  // 32 rows of 4 bytes
// Anything this short is no BMP image with pixels: only a symbol style can
// be stored from such a canvas.
constexpr INT_PTR kMinImageBytes = 40;

CString Decimal(long v) {
  CString s;
  s.Format("%ld", v);
  return s;
}

}  // namespace

BOOL CKyFSLEditDlg::ParseCode(const CString& text, long& id) {
  CString digits = text;
  digits.Remove(',');
  digits.Trim();
  if (digits.IsEmpty()) return FALSE;
  const char* p = digits;
  char* end = nullptr;
  errno = 0;
  long long v = std::strtoll(p, &end, 10);
  if (errno == ERANGE || !end || *end != '\0' || v < INT32_MIN || v > INT32_MAX) return FALSE;
  id = static_cast<long>(v);
  return TRUE;
}

CKyFillStyle* CKyFSLEditDlg::StyleFromCanvas(long& typedID) {
  CByteArray bytes;
  m_wndCanvas.ToByteBuffer(bytes);
  CString codeText, name;
  m_editCode.GetWindowText(codeText);
  m_editName.GetWindowText(name);
  bool image = bytes.GetSize() > kMinImageBytes;
  CKyFillStyle* vector = m_wndCanvas.m_pVectorStyle;
  if (!image && !(vector && vector->GetFillStyleVector())) return nullptr;
  long id = 0;
  if (!ParseCode(codeText, id) || id < 8) {
    // A code the library cannot take: said where it was typed.
    AfxMessageBox(IDS_BAD_CODE, MB_OK | MB_ICONEXCLAMATION);
    m_editCode.SetFocus();
    m_editCode.SetSel(0, -1);
    return nullptr;
  }
  typedID = id;
  if (image) return new CKyFillStyle(id, name, bytes, m_nResolution);
  auto* style = new CKyFillStyle;
  *style = *vector;
  style->SetFillStyleID(id);
  style->SetFillStyleName(name);
  return style;
}

void CKyFSLEditDlg::RenameGroup() {
  if (!m_pGroup) return;
  CString name;
  m_editGroup.GetWindowText(name);
  if (name == m_pGroup->GetName()) return;
  if (!m_pGroup->SetName(name)) {
    m_editGroup.SetWindowText(m_pGroup->GetName());
    return;
  }
  // A renamed group is a change of the library like any other.
  m_bModified = TRUE;
  m_pLib->SetModifiedFlag(TRUE);
}

void CKyFSLEditDlg::OnSaveButton() {
  if (!m_pLib || !m_pGroup) return;
  CommitFloat();
  RenameGroup();
  int e = m_wndList.m_nEditIndex;
  KyFSLGridCells cells = Cells();
  if (!cells.IsStyle(e)) return;
  long typed = 0;
  CKyFillStyle* style = StyleFromCanvas(typed);
  if (!style) return;
  long p = m_pLib->FindID(m_pGroup->GetItemID(e - cells.subGroups - cells.parent));
  long r = m_pLib->InsertAt(p, m_pGroup, style);
  if (r == -1) {
    delete style;
    return;
  }
  m_wndList.ReDraw();
  m_comboCode.DeleteString(e);
  m_comboName.DeleteString(e);
  m_comboCode.InsertString(e, Decimal(r));
  m_comboName.InsertString(e, style->GetFillStyleName());
  m_comboCode.SetCurSel(e);
  m_comboName.SetCurSel(e);
  m_bModified = TRUE;
  m_pLib->SetModifiedFlag(TRUE);
}

void CKyFSLEditDlg::OnSaveAsButton() {
  if (!m_pLib || !m_pGroup) return;
  CommitFloat();
  int i = m_wndList.m_nSelIndex;
  KyFSLGridCells cells = Cells();
  if (i < 0 || cells.IsUp(i) || i > cells.NewCell()) return;
  CKyFillStyleGroup* target = m_pGroup;
  long p = m_pLib->GetCount();
  int k = i - cells.subGroups - cells.parent;
  if (k < 0) target = m_pGroup->SubGroup(i - cells.parent);
  if (!target) return;
  if (k >= 0 && m_pGroup->GetItemID(k) != -1) p = m_pLib->FindID(m_pGroup->GetItemID(k));
  long typed = 0;
  CKyFillStyle* style = StyleFromCanvas(typed);
  if (!style) return;
  long r = m_pLib->InsertAt(p, target, style);
  if (r == -1) {
    delete style;
    return;
  }
  if (k >= 0) {
    m_wndList.ReDraw();
    m_comboCode.DeleteString(i);
    m_comboName.DeleteString(i);
    m_comboCode.InsertString(i, Decimal(r));
    m_comboName.InsertString(i, style->GetFillStyleName());
    m_comboCode.SetCurSel(i);
    m_comboName.SetCurSel(i);
    if (m_wndList.ScrollChange(i)) m_wndList.ReDraw();
    // The canvas now shows the style of this cell. A style sent into a
    // sub-group has no cell here, so nothing is edited then.
    m_wndList.m_nEditIndex = i;
  }
  if (r > typed) m_editCode.SetWindowText(Decimal(r));
  m_bModified = TRUE;
  m_pLib->SetModifiedFlag(TRUE);
}

void CKyFSLEditDlg::OnBrushNew() {
  if (!m_pLib || !m_pGroup) return;
  CKyFSLEditWnd& c = m_wndCanvas;
  c.m_nWidth = c.m_nHeight = c.m_nUndoWidth = c.m_nUndoHeight = kNewEdge;
  c.m_arrImage.RemoveAll();
  c.m_arrFloat.RemoveAll();
  c.m_rcSelect.SetRectEmpty();
  c.m_arrBits.RemoveAll();
  c.m_arrBits.SetSize(kNewBytes);
  c.m_arrUndo.RemoveAll();
  c.m_arrUndo.SetSize(kNewBytes);
  for (int b = 0; b < kNewBytes; ++b) c.m_arrBits[b] = c.m_arrUndo[b] = 0;
  // A symbol style shown before would be painted under the new pattern.
  delete c.m_pVectorStyle;
  c.m_pVectorStyle = nullptr;

  CString name;
  name.LoadString(IDS_NEW_FILLSTYLE);
  CByteArray bytes;
  c.ToByteBuffer(bytes);
  long id = m_pLib->GetMaxID() + 1;
  if (id < 8) id = 8;
  auto* style = new CKyFillStyle(id, name, bytes, m_nResolution);
  if (m_pLib->InsertAt(m_pLib->GetCount(), m_pGroup, style) == -1) {
    delete style;
    return;
  }
  c.ScrollChange(0, 0);
  c.ReDraw();
  m_editCode.SetWindowText(Decimal(id));
  m_editName.SetWindowText(name);
  m_editWidth.SetWindowText("32");
  m_editHeight.SetWindowText("32");

  int i = Cells().NewCell() - 1;
  m_wndList.m_nSelIndex = i;
  m_wndList.ScrollChange(i);
  m_wndList.ReDraw();
  m_comboCode.AddString(Decimal(id));
  m_comboName.AddString(name);
  m_wndList.BrushSelect(i);
  m_wndList.m_nEditIndex = i;
  m_bModified = TRUE;
  m_pLib->SetModifiedFlag(TRUE);
}

void CKyFSLEditDlg::OnBrushlibSubgroup() {
  if (!m_pLib || !m_pGroup) return;
  CommitFloat();
  KyFSLGridCells cells = Cells();
  CString name;
  name.LoadString(IDS_NEW_GROUP);
  name += Decimal(cells.subGroups + 1);
  int i = cells.subGroups + cells.parent;
  if (!m_pGroup->CreateSubGroup(name)) return;
  m_comboCode.InsertString(i, "");
  m_comboName.InsertString(i, name);
  // Every cell from i on moved one further.
  if (m_wndList.m_nSelIndex >= i) ++m_wndList.m_nSelIndex;
  if (m_wndList.m_nEditIndex >= 0) ++m_wndList.m_nEditIndex;
  m_wndList.ScrollChange(i);
  m_wndList.ReDraw();
  m_wndList.BrushSelect(i);
  // Closing without saving would lose the group: count it as a change.
  m_bModified = TRUE;
  m_pLib->SetModifiedFlag(TRUE);
}

void CKyFSLEditDlg::OnBrushDelete() {
  if (!m_pLib || !m_pGroup) return;
  CommitFloat();
  int i = m_wndList.m_nSelIndex;
  KyFSLGridCells cells = Cells();
  if (i < 0 || cells.IsUp(i) || i >= cells.NewCell()) return;
  if (cells.IsSubGroup(i)) {
    CKyFillStyleGroup* sub = m_pGroup->SubGroup(i - cells.parent);
    if (!sub) return;
    int deleteContents = TRUE;
    if (sub->GetSubGroupCount() > 0 || sub->GetItemCount() > 0) {
      int answer = AfxMessageBox(IDS_GO_UP, MB_YESNOCANCEL | MB_ICONQUESTION);
      if (answer == IDCANCEL) return;
      deleteContents = answer == IDNO;
    }
    if (!m_pGroup->RemoveSubGroup(i - cells.parent, deleteContents)) return;
  } else {
    int deleteStyle = TRUE;
    if (m_pGroup->GetParentGroup()) {
      int answer = AfxMessageBox(IDS_GO_UP, MB_YESNOCANCEL | MB_ICONQUESTION);
      if (answer == IDCANCEL) return;
      deleteStyle = answer == IDNO;
    }
    if (!m_pGroup->RemoveStyleItem(i - cells.parent - cells.subGroups, deleteStyle)) return;
  }
  if (i >= cells.NewCell() - 1) i -= 1;
  // The frame stood on a cell whose content changed; it is drawn anew below.
  m_wndList.m_nSelIndex = -1;
  m_wndList.ScrollChange(i);
  m_wndList.ReDraw();
  m_wndList.BrushSelect(i);
  m_wndList.m_nEditIndex = -1;
  AddCodes();
  m_bModified = TRUE;
  m_pLib->SetModifiedFlag(TRUE);
}
