// The Arrange Paste dialog: four unsigned values, validated on Enter and
// read back quietly whenever the window goes.
#include "KyFSLArrangePasteDlg.h"
#include "resource.h"

CKyFSLArrangePasteDlg::CKyFSLArrangePasteDlg(CWnd* pParent) : CDialog(IDD_FSL_ARRANGE_PASTE, pParent) {}

BEGIN_MESSAGE_MAP(CKyFSLArrangePasteDlg, CDialog)
ON_WM_DESTROY()
END_MESSAGE_MAP()

void CKyFSLArrangePasteDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Text(pDX, IDC_ARRANGE_X, m_nXCoordinate);
  DDV_MinMaxUInt(pDX, m_nXCoordinate, 0, kMaxCoordinate);
  DDX_Text(pDX, IDC_ARRANGE_Y, m_nYCoordinate);
  DDV_MinMaxUInt(pDX, m_nYCoordinate, 0, kMaxCoordinate);
  DDX_Text(pDX, IDC_ARRANGE_X_SPACE, m_nXSpace);
  DDV_MinMaxUInt(pDX, m_nXSpace, 0, kMaxSpace);
  DDX_Text(pDX, IDC_ARRANGE_Y_SPACE, m_nYSpace);
  DDV_MinMaxUInt(pDX, m_nYSpace, 0, kMaxSpace);
}

void CKyFSLArrangePasteDlg::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CKyFSLArrangePasteDlg::ReadBack(int id, UINT& field, UINT maxValue) {
  BOOL ok = FALSE;
  UINT v = GetDlgItemInt(id, &ok, FALSE);
  if (ok && v <= maxValue) field = v;
}

void CKyFSLArrangePasteDlg::OnDestroy() {
  // No message boxes while the window goes: values out of range are left.
  ReadBack(IDC_ARRANGE_X, m_nXCoordinate, kMaxCoordinate);
  ReadBack(IDC_ARRANGE_Y, m_nYCoordinate, kMaxCoordinate);
  ReadBack(IDC_ARRANGE_X_SPACE, m_nXSpace, kMaxSpace);
  ReadBack(IDC_ARRANGE_Y_SPACE, m_nYSpace, kMaxSpace);
  CDialog::OnDestroy();
}
