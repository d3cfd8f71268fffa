// The editor's keyboard: Enter acts by the focused control, Delete drops
// the floating block, the left Control key with Z, C, V, X runs Undo, Copy,
// Paste and Cut. Everything else goes on to the dialog's own handling.
#include "KyFSLEditDlg.h"
#include "afxres.h"
#include "resource.h"

namespace {

// The edit field inside a drop-down combo box is a child of the combo.
bool IsComboEdit(HWND focus, const CComboBox& combo) {
  return focus && combo.m_hWnd && (focus == combo.m_hWnd || ::GetParent(focus) == combo.m_hWnd);
}

}  // namespace

void CKyFSLEditDlg::ShowFound(int i) {
  AddCodes();
  m_wndList.ScrollChange(i);
  m_wndList.ReDraw();
  m_wndList.BrushSelect(i);
  // The found style becomes the edited one, so it is loaded too: an edited
  // cell whose style is not in the canvas would be overwritten by Save.
  OnEditButton();
}

void CKyFSLEditDlg::FindFromCodeCombo() {
  if (!m_pGroup || !m_pLib) return;
  CString text;
  m_comboCode.GetWindowText(text);
  long id = 0;
  int i = -1;
  if (ParseCode(text, id)) {
    i = static_cast<int>(m_pGroup->GetItemIndex(id));
    if (i == -1) {
      CKyFillStyleGroup* g = m_pLib->GetStyleGroup()->GetGroupWithItemID(id);
      if (g) {
        m_pGroup = g;
        m_editGroup.SetWindowText(g->GetName());
        i = static_cast<int>(g->GetItemIndex(id));
      }
    }
  }
  if (i == -1) return;  // no such style anywhere: the text stays for correction
  KyFSLGridCells cells = Cells();
  i += cells.parent + cells.subGroups;
  ShowFound(i);
}

void CKyFSLEditDlg::FindFromNameCombo() {
  if (!m_pGroup || !m_pLib) return;
  CString text;
  m_comboName.GetWindowText(text);
  if (text.IsEmpty()) return;
  KyFSLGridCells cells = Cells();
  // The search starts after the selected cell, counted among the styles.
  long start = m_wndList.m_nSelIndex + 1 - cells.parent - cells.subGroups;
  if (start < 0) start = 0;
  int i = static_cast<int>(m_pGroup->GetItemIndex(text, start));
  if (i == -1) {
    CKyFillStyleGroup* g = m_pLib->GetStyleGroup()->GetGroupWithItemName(text);
    if (g) {
      m_pGroup = g;
      m_editGroup.SetWindowText(g->GetName());
      i = static_cast<int>(g->GetItemIndex(text, 0));
    }
  }
  if (i == -1) return;
  cells = Cells();
  i += cells.parent + cells.subGroups;
  ShowFound(i);
}

BOOL CKyFSLEditDlg::PreTranslateMessage(MSG* pMsg) {
  if (m_wndToolTip.m_hWnd) m_wndToolTip.RelayEvent(pMsg);
  if (pMsg->message != WM_KEYDOWN) return CDialog::PreTranslateMessage(pMsg);
  HWND focus = ::GetFocus();
  if (pMsg->wParam == VK_RETURN) {
    CommitFloat();
    if (focus && (focus == m_editWidth.m_hWnd || focus == m_editHeight.m_hWnd)) {
      if (m_wndCanvas.m_arrBits.IsEmpty()) {
        ResizeFromEdits();  // puts the sizes back
        return FALSE;
      }
      ResizeFromEdits();
    } else if (focus && focus == m_editGroup.m_hWnd) {
      RenameGroup();
    } else if (focus && (focus == m_editCode.m_hWnd || focus == m_editName.m_hWnd)) {
      OnSaveButton();
    } else if (IsComboEdit(focus, m_comboCode)) {
      FindFromCodeCombo();
    } else if (IsComboEdit(focus, m_comboName)) {
      FindFromNameCombo();
    }
  } else if (pMsg->wParam == VK_DELETE) {
    if (!m_wndCanvas.m_arrFloat.IsEmpty()) {
      m_wndCanvas.InsertSelect(0, TRUE);
      DropFloat();
      m_wndCanvas.ReDraw();
    }
  } else if (GetKeyState(VK_LCONTROL) < 0) {
    // Only the left Control key: the right one leaves these keys to the edits.
    switch (pMsg->wParam) {
      case 'Z':
        OnBrushUndo();
        break;
      case 'C':
        OnBrushCopy();
        break;
      case 'V':
        OnBrushPaste();
        break;
      case 'X':
        OnBrushCut();
        break;
      default:
        break;
    }
  }
  return CDialog::PreTranslateMessage(pMsg);
}
