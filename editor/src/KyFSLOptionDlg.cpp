// The options sheet and its two pages. The pages hold the values in public
// fields; the list selections and the check boxes keep them current, so a
// page that was shown needs no exchange of its own at OK.
#include "KyFSLOptionDlg.h"

#include <cstdio>
#include <cstdlib>

#include "resource.h"

// Two blanks follow the two-digit values, so that the millimetres line up.
const long CKyFSLOptionStylePage::kResolutions[kResolutionCount] = {72, 81, 96, 127, 150, 200, 254};
const char* const CKyFSLOptionStylePage::kResolutionLabels[kResolutionCount] = {
    "72  dpi(0.353 mm/pixel)",  "81  dpi(0.313 mm/pixel)",  "96  dpi(0.265 mm/pixel)", "127 dpi(0.200 mm/pixel)",
    "150 dpi(0.169 mm/pixel)", "200 dpi(0.127 mm/pixel)", "254 dpi(0.100 mm/pixel)",
};

// ---------------------------------------------------------------- style page
IMPLEMENT_DYNCREATE(CKyFSLOptionStylePage, CPropertyPage)

BEGIN_MESSAGE_MAP(CKyFSLOptionStylePage, CPropertyPage)
ON_LBN_SELCHANGE(IDC_OPTION_RESOLUTION, OnSelchangeResolution)
ON_LBN_SELCHANGE(IDC_OPTION_ZOOM, OnSelchangeZoom)
END_MESSAGE_MAP()

CKyFSLOptionStylePage::CKyFSLOptionStylePage() : CPropertyPage(IDD_FSL_OPTION_STYLE) {}
CKyFSLOptionStylePage::~CKyFSLOptionStylePage() = default;

void CKyFSLOptionStylePage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_OPTION_ZOOM, m_listZoom);
  DDX_Control(pDX, IDC_OPTION_RESOLUTION, m_listResolution);
}

BOOL CKyFSLOptionStylePage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  for (int size = kMinCellSize; size <= kMaxCellSize; ++size) {
    char label[16];
    std::snprintf(label, sizeof label, "%d * %d", size, size);
    m_listZoom.AddString(label);
  }
  // Outside 2..8 the index is out of range and the list keeps no selection.
  m_listZoom.SetCurSel(m_nCellSize - kMinCellSize);
  for (const char* label : kResolutionLabels) m_listResolution.AddString(label);
  char value[16];
  std::snprintf(value, sizeof value, "%ld", m_nResolution);
  // A failed search leaves the list without a selection.
  m_listResolution.SelectString(-1, value);
  return TRUE;
}

void CKyFSLOptionStylePage::OnSelchangeResolution() {
  int i = m_listResolution.GetCurSel();
  if (i == LB_ERR) return;
  CString label;
  m_listResolution.GetText(i, label);
  m_nResolution = std::atol(label);
}

void CKyFSLOptionStylePage::OnSelchangeZoom() {
  int i = m_listZoom.GetCurSel();
  if (i == LB_ERR) return;
  m_nCellSize = i + kMinCellSize;
}

// ---------------------------------------------------------------- open page
IMPLEMENT_DYNCREATE(CKyFSLOptionOpenPage, CPropertyPage)

BEGIN_MESSAGE_MAP(CKyFSLOptionOpenPage, CPropertyPage)
ON_BN_CLICKED(IDC_OPTION_APPEND, OnAppend)
ON_BN_CLICKED(IDC_OPTION_OVERWRITE, OnOverwrite)
END_MESSAGE_MAP()

CKyFSLOptionOpenPage::CKyFSLOptionOpenPage() : CPropertyPage(IDD_FSL_OPTION_OPEN) {}
CKyFSLOptionOpenPage::~CKyFSLOptionOpenPage() = default;

void CKyFSLOptionOpenPage::DoDataExchange(CDataExchange* pDX) {
  CPropertyPage::DoDataExchange(pDX);
  DDX_Check(pDX, IDC_OPTION_APPEND, m_bAppend);
  DDX_Check(pDX, IDC_OPTION_OVERWRITE, m_bOverwrite);
}

BOOL CKyFSLOptionOpenPage::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  if (!m_bAppend) GetDlgItem(IDC_OPTION_OVERWRITE)->EnableWindow(FALSE);
  return TRUE;
}

void CKyFSLOptionOpenPage::OnAppend() {
  UpdateData(TRUE);
  if (!m_bAppend) {
    m_bOverwrite = FALSE;
    UpdateData(FALSE);
  }
  GetDlgItem(IDC_OPTION_OVERWRITE)->EnableWindow(m_bAppend);
}

void CKyFSLOptionOpenPage::OnOverwrite() { UpdateData(TRUE); }

// ---------------------------------------------------------------- the sheet
IMPLEMENT_DYNAMIC(CKyFSLOptionDlg, CPropertySheet)

BEGIN_MESSAGE_MAP(CKyFSLOptionDlg, CPropertySheet)
END_MESSAGE_MAP()

CKyFSLOptionDlg::CKyFSLOptionDlg(UINT nIDCaption, CWnd* pParent, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParent, iSelectPage) {
  AddPage(&m_pageStyle);
  AddPage(&m_pageOpen);
}

CKyFSLOptionDlg::~CKyFSLOptionDlg() = default;
