// CKyFSLExportBmpDlg: "Export BMP File" (template 4915), which asks for the
// two colours a pattern is written in and the file it goes to. It only
// collects values; the editor writes the file after IDOK when m_strPath is
// not empty.
//
//   CKyFSLExportBmpDlg dlg(this);
//   dlg.m_strFileName = name + ".bmp";      // offered by "..."
//   if (dlg.DoModal() == IDOK && !dlg.m_strPath.IsEmpty()) Export(dlg.m_strPath, dlg.m_crFront, dlg.m_crBack);
#pragma once

#include "KyButtonColorPicker.h"
#include "afxwin.h"

class CKyFSLExportBmpDlg : public CDialog {
 public:
  explicit CKyFSLExportBmpDlg(CWnd* pParent = nullptr);
  ~CKyFSLExportBmpDlg() override;

  CKyButtonColorPicker m_btnFront;
  CKyButtonColorPicker m_btnBack;
  // The path written (the text of the path edit, read at OK).
  CString m_strPath;
  // The name "..." offers; after "..." the name chosen there.
  CString m_strFileName;
  COLORREF m_crFront = RGB(0, 0, 0);
  COLORREF m_crBack = RGB(255, 255, 255);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  // Both pickers show the dialog's colours.
  BOOL OnInitDialog() override;
  // "...": the save-file dialog; on OK its path goes into the edit.
  afx_msg void OnBrowse();
  // A picker's choice: wParam the colour, lParam the picker's id.
  afx_msg LRESULT OnColorSelChange(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};
