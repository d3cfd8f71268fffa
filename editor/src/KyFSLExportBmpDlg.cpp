// The Export BMP File dialog: two colour pickers and a path.
#include "KyFSLExportBmpDlg.h"

#include "afxdlgs.h"
#include "resource.h"

BEGIN_MESSAGE_MAP(CKyFSLExportBmpDlg, CDialog)
ON_BN_CLICKED(IDC_EXPORT_BROWSE, OnBrowse)
ON_MESSAGE(WM_COLORPICKER_SELCHANGE, OnColorSelChange)
END_MESSAGE_MAP()

CKyFSLExportBmpDlg::CKyFSLExportBmpDlg(CWnd* pParent) : CDialog(IDD_FSL_EXPORT_BMP, pParent) {}
CKyFSLExportBmpDlg::~CKyFSLExportBmpDlg() = default;

void CKyFSLExportBmpDlg::DoDataExchange(CDataExchange* pDX) {
  CDialog::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_EXPORT_FRONT_COLOR, m_btnFront);
  DDX_Control(pDX, IDC_EXPORT_BACK_COLOR, m_btnBack);
  DDX_Text(pDX, IDC_EXPORT_PATH, m_strPath);
}

BOOL CKyFSLExportBmpDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_btnFront.SetColor(m_crFront);
  m_btnBack.SetColor(m_crBack);
  return TRUE;
}

void CKyFSLExportBmpDlg::OnBrowse() {
  CFileDialog dlg(FALSE, "*.bmp", m_strFileName, OFN_OVERWRITEPROMPT, "BMP File(*.bmp)|*.bmp||", this);
  if (dlg.DoModal() != IDOK) return;
  m_strPath = dlg.GetPathName();
  m_strFileName = dlg.GetFileName();
  SetDlgItemText(IDC_EXPORT_PATH, m_strPath);
}

LRESULT CKyFSLExportBmpDlg::OnColorSelChange(WPARAM wParam, LPARAM lParam) {
  if (lParam == IDC_EXPORT_FRONT_COLOR) m_crFront = static_cast<COLORREF>(wParam);
  if (lParam == IDC_EXPORT_BACK_COLOR) m_crBack = static_cast<COLORREF>(wParam);
  return 0;
}
