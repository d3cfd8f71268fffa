// Symbol patterns in the editor: the tool palette's "New symbol fillStyle"
// and a double click on the symbol style in the canvas.
//
// Styles refer only to symbols of the library's own symbol library. A symbol
// chosen from the resource library is copied in the first time it is used;
// m_arrAddedSymbols remembers the resource ids of those copies, entry k for
// the own symbol at position m_nSymCount + k, so that the same resource
// symbol chosen again reuses its copy, and so that the dialog can show a
// copied symbol as the resource symbol it came from.
#include "KyFSLEditDlg.h"
#include "KyFSLSymbolDlg.h"
#include "KySymLib.h"
#include "KySymbol.h"

namespace {

long OrZero(long id) { return id < 0 ? 0 : id; }

}  // namespace

void CKyFSLEditDlg::OnFslEdittoolSymbol() { FillStyleSymbolAtt(1); }

void CKyFSLEditDlg::FillStyleSymbolAtt(int bNew) {
  // A new style needs a group to go into.
  if (!m_pLib || (bNew && !m_pGroup)) return;
  CKySymLib* own = m_pLib->GetSymLib();
  CKySymLib* res = m_pLib->m_pResSymLib;
  const long n = m_nSymCount;
  CKyFillStyleVector* canvasVector = m_wndCanvas.m_pVectorStyle ? m_wndCanvas.m_pVectorStyle->GetFillStyleVector() : nullptr;
  // A change needs a symbol style in the canvas to change.
  if (!bNew && !canvasVector) return;

  CKyFSLSymbolDlg dlg(this);
  dlg.AttachKyFillStyleLib(m_pLib, n);
  if (!bNew) {
    dlg.m_nWidth = static_cast<int>(canvasVector->GetWidth());
    dlg.m_nHeight = static_cast<int>(canvasVector->GetHeight());
    dlg.m_nAngle = static_cast<int>(canvasVector->GetSymAngle());
    dlg.m_nSize = static_cast<int>(canvasVector->GetSymSize());
    for (long i = 0; i < canvasVector->GetPointCount(); ++i) dlg.m_arrPoints.Add(canvasVector->GetPoint(i));
    long p = own->FindID(canvasVector->GetSymID());
    if (p >= n) {
      // A copy made during this run is shown as the resource symbol it came from.
      long k = p - n;
      p = -1;
      if (res && k < m_arrAddedSymbols.GetSize()) {
        long r = res->FindID(static_cast<long>(m_arrAddedSymbols[k]));
        if (r != -1) p = r + n;
      }
    }
    dlg.m_nSymIndex = static_cast<int>(p);
  }
  if (dlg.DoModal() != IDOK) return;

  CKyFillStyle* style = nullptr;
  CKyFillStyleVector* target = canvasVector;
  if (bNew) {
    long id = m_pLib->GetMaxID() + 1;
    if (id < 8) id = 8;
    CString name;
    name.Format("%ld", id);
    style = new CKyFillStyle;
    style->CreateFillStyleVector(id, name, 200, 200);
    style->AttachSymLib(own);
    target = style->GetFillStyleVector();
    if (!target) {
      delete style;
      return;
    }
  }
  target->SetWidth(static_cast<unsigned long>(dlg.m_nWidth));
  target->SetHeight(static_cast<unsigned long>(dlg.m_nHeight));
  target->SetSymAngle(dlg.m_nAngle);
  target->SetSymSize(dlg.m_nSize);

  long s = 0;
  const int i = dlg.m_nSymIndex;
  if (i >= 0 && i < n) {
    s = OrZero(own->GetSymbolID(i));
  } else if (i >= n && res) {
    long r = res->GetSymbolID(i - n);
    if (r >= 0) {
      INT_PTR k = 0;
      while (k < m_arrAddedSymbols.GetSize() && static_cast<long>(m_arrAddedSymbols[k]) != r) ++k;
      if (k < m_arrAddedSymbols.GetSize()) {
        s = OrZero(own->GetSymbolID(n + static_cast<long>(k)));
      } else if (CKySymbol* source = res->GetSymbolEx(static_cast<unsigned long>(r))) {
        CKySymbol* copy = new CKySymbol(*source);
        long added = m_pLib->AddSymbol(copy);
        if (added < 0) {
          delete copy;
        } else {
          // Only a copy that is in the library gets its entry: entry k must
          // stay the own symbol at position n + k.
          m_arrAddedSymbols.Add(static_cast<DWORD>(r));
          s = added;
        }
      }
    }
  }
  target->SetSymID(s);

  if (bNew) {
    if (own->FindID(s) != -1)
      if (CKySymbol* symbol = own->GetSymbolEx(static_cast<unsigned long>(s))) style->SetFillStyleName(symbol->GetSymName());
  }
  target->RemoveAllPoint();
  for (INT_PTR k = 0; k < dlg.m_arrPoints.GetSize(); ++k) target->AddPoint(dlg.m_arrPoints[k]);

  if (!bNew) {
    m_wndCanvas.ReDraw();
    return;
  }
  CommitFloat();
  const int c0 = Cells().NewCell();
  const long id = style->GetFillStyleID();
  const CString name = style->GetFillStyleName();
  if (m_pLib->AddFillStyle(style, m_pGroup)) {
    CString code;
    code.Format("%ld", id);
    m_comboCode.AddString(code);
    m_comboName.AddString(name);
  } else {
    delete style;
  }
  const int c1 = Cells().NewCell();
  if (c1 > c0) {
    m_wndList.ScrollChange(c1 - 1);
    m_wndList.ReDraw();
    m_wndList.BrushSelect(c1 - 1);
    m_wndList.m_nEditIndex = -1;
    m_bModified = TRUE;
  }
}
