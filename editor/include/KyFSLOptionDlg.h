// CKyFSLOptionDlg: the editor's options, a property sheet of two pages that
// only carries values. The editor writes its settings into the pages' public
// fields, runs the sheet, and reads them back after IDOK:
//
//   CKyFSLOptionDlg sheet(IDS_SETTING, nullptr, 0);
//   sheet.m_pageStyle.m_nCellSize = canvas.m_nCellSize;   // ... and the rest
//   if (sheet.DoModal() == IDOK) canvas.m_nCellSize = sheet.m_pageStyle.m_nCellSize;
//
// "Style" (template 4903): the resolution given to new bitmap patterns and
// the canvas zoom (screen pixels per pattern pixel). "Open" (template 4904):
// whether Open Lib appends to the library and whether appended styles
// replace styles of the same id; overwrite can only be set while append is.
// A page that is never shown keeps the values it was given.
#pragma once

#include "afxdlgs.h"

class CKyFSLOptionStylePage : public CPropertyPage {
  DECLARE_DYNCREATE(CKyFSLOptionStylePage)
 public:
  CKyFSLOptionStylePage();
  ~CKyFSLOptionStylePage() override;

  // The seven resolutions in list order and their labels; a label starts
  // with its value in decimal.
  static constexpr int kResolutionCount = 7;
  static const long kResolutions[kResolutionCount];
  static const char* const kResolutionLabels[kResolutionCount];
  static constexpr int kMinCellSize = 2;
  static constexpr int kMaxCellSize = 8;

  // Edge of a pattern pixel on the canvas, 2..8; a value outside leaves the
  // zoom list without a selection.
  int m_nCellSize = 6;
  // Dots per inch of new patterns; a value that begins no label leaves the
  // resolution list without a selection.
  long m_nResolution = 254;
  CListBox m_listZoom;
  CListBox m_listResolution;

 protected:
  // Subclasses both lists; the two values are kept by the selection handlers.
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  afx_msg void OnSelchangeResolution();
  afx_msg void OnSelchangeZoom();
  DECLARE_MESSAGE_MAP()
};

class CKyFSLOptionOpenPage : public CPropertyPage {
  DECLARE_DYNCREATE(CKyFSLOptionOpenPage)
 public:
  CKyFSLOptionOpenPage();
  ~CKyFSLOptionOpenPage() override;

  // "Append the current Lib".
  BOOL m_bAppend = FALSE;
  // "Overwrited the same ID?"; only meaningful with m_bAppend.
  BOOL m_bOverwrite = FALSE;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  // Disables the overwrite box while append is off.
  BOOL OnInitDialog() override;
  // Clearing append clears and disables overwrite; setting it enables it.
  afx_msg void OnAppend();
  afx_msg void OnOverwrite();
  DECLARE_MESSAGE_MAP()
};

class CKyFSLOptionDlg : public CPropertySheet {
  DECLARE_DYNAMIC(CKyFSLOptionDlg)
 public:
  // The sheet captioned with string nIDCaption; the style page first, then
  // the open page. DoModal: IDOK, IDCANCEL, or -1 when a page template is
  // missing.
  explicit CKyFSLOptionDlg(UINT nIDCaption, CWnd* pParent = nullptr, UINT iSelectPage = 0);
  ~CKyFSLOptionDlg() override;

  CKyFSLOptionStylePage m_pageStyle;
  CKyFSLOptionOpenPage m_pageOpen;

 protected:
  DECLARE_MESSAGE_MAP()
};
