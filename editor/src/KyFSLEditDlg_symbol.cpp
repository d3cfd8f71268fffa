// Symbol patterns in the editor: the tool palette's "New symbol fillStyle"
// and a double click on the symbol style in the canvas.
#include "KyFSLEditDlg.h"

void CKyFSLEditDlg::OnFslEdittoolSymbol() { FillStyleSymbolAtt(1); }

void CKyFSLEditDlg::FillStyleSymbolAtt(int bNew) {
  // FIXME: the symbol dialog is still to come; nothing changes until then.
  (void)bNew;
}
