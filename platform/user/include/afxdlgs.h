// The framework's standard dialogs: the file dialog and property sheets
// with their pages.
//
//   CFileDialog dlg(TRUE, "bru", NULL, OFN_HIDEREADONLY, "Libraries(*.bru)|*.bru||");
//   if (dlg.DoModal() == IDOK) Open(dlg.GetPathName());
//
//   CPropertySheet sheet("Setting...");
//   sheet.AddPage(&stylePage);        // pages are the caller's; the sheet only points at them
//   sheet.AddPage(&openPage);
//   if (sheet.DoModal() == IDOK) ...  // every page that was shown has taken its values
//
// A sheet's OK first asks the active page (OnKillActive: its data exchange,
// which may refuse), then tells every page that was made (OnApply, which
// calls OnOK); Cancel tells them OnReset (which calls OnCancel). Pages that
// were never shown are not made, so their members keep the values given.
#pragma once

#include "afxcmn.h"
#include "afxwin.h"
#include "commdlg.h"
#include "prsht.h"

// ---------------------------------------------------------------- common dialogs
class CCommonDialog : public CDialog {
  DECLARE_DYNAMIC(CCommonDialog)
 public:
  explicit CCommonDialog(CWnd* pParentWnd);
};

class CFileDialog : public CCommonDialog {
  DECLARE_DYNAMIC(CFileDialog)
 public:
  // bOpenFileDialog TRUE: an open dialog, FALSE: a save dialog. lpszFilter
  // is in the form "Text(*.ext)|*.ext|Other|*.a;*.b||"; lpszFileName is the
  // initial name (it may hold a folder).
  explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                       DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                       CWnd* pParentWnd = nullptr);

  // IDOK or IDCANCEL (also when the dialog could not run; then
  // CommDlgExtendedError says why).
  INT_PTR DoModal() override;

  // The chosen file's full path; with several chosen, their folder (use
  // GetStartPosition / GetNextPathName for them).
  CString GetPathName() const;
  // The chosen name without its folder ("a.bru").
  CString GetFileName() const;
  // Its extension without the '.', empty when it has none.
  CString GetFileExt() const;
  // The name without folder and extension ("a").
  CString GetFileTitle() const;
  BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
  // Iterates the chosen files: NULL when none; GetNextPathName returns a full
  // path and moves pos on, to NULL after the last.
  POSITION GetStartPosition() const;
  CString GetNextPathName(POSITION& pos) const;

  OPENFILENAME m_ofn;

 protected:
  BOOL m_bOpenFileDialog;
  std::string m_strFilter;  // the filter with its '|' turned into '\0'
  CString m_strDefExt;
  TCHAR m_szFileTitle[64];
  // Room for many names of a multiple selection; callers may point
  // m_ofn.lpstrFile at a buffer of their own instead.
  TCHAR m_szFileName[8192];
};

// ---------------------------------------------------------------- property sheets
class CPropertySheet;

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)
 public:
  CPropertyPage();
  // The page's template along the resource chain; nIDCaption, when not 0,
  // a string that replaces the template's caption on the tab.
  explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
  explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
  ~CPropertyPage() override;
  void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
  void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

  // Enables the sheet's Apply button (bChanged) or, when no page has
  // changes left, disables it.
  void SetModified(BOOL bChanged = TRUE);

  // The sheet's questions. OnSetActive: about to be shown (TRUE accepts;
  // shows the members again except the first time, when OnInitDialog did).
  // OnKillActive: about to be left (TRUE lets it go; runs the data
  // exchange). OnApply: OK or Apply (TRUE accepts; calls OnOK). OnReset:
  // Cancel (calls OnCancel). OnOK and OnCancel do nothing by default.
  virtual BOOL OnSetActive();
  virtual BOOL OnKillActive();
  virtual BOOL OnApply();
  virtual void OnReset();
  void OnOK() override;
  void OnCancel() override;
  virtual BOOL OnQueryCancel();

  // The page's window inside pSheet: made from the template as a child of
  // the sheet; FALSE when the template is missing.
  BOOL CreatePage(CPropertySheet* pSheet);
  // The tab's text: the caption string, else the template's caption.
  CString GetTabText() const;
  // The template's size in pixels of the template's own font; FALSE when missing.
  BOOL GetTemplateSize(SIZE* pSize) const;
  BOOL IsModified() const { return m_bChanged; }

  PROPSHEETPAGE m_psp;

 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  // The sheet handles the dialog keys of its pages.
  BOOL PreTranslateMessage(MSG* pMsg) override;

  friend class CPropertySheet;
  CString m_strCaption;
  BOOL m_bFirstSetActive = TRUE;
  BOOL m_bChanged = FALSE;

 private:
  BOOL LoadPageTemplate(const void** ppData, size_t* pcb, HINSTANCE* phInst) const;
};

class CPropertySheet : public CWnd {
  DECLARE_DYNAMIC(CPropertySheet)
 public:
  CPropertySheet();
  explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  ~CPropertySheet() override;
  void Construct(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

  // Modal: IDOK or IDCANCEL; -1 when the sheet could not be made (no pages,
  // a page template missing) or the queue gave up.
  virtual INT_PTR DoModal();
  // Modeless; FALSE when the sheet cannot be made. DestroyWindow ends it.
  virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = static_cast<DWORD>(-1), DWORD dwExStyle = 0);

  // The pages stay the caller's. Adding or removing while the sheet is up
  // adds or removes the tab.
  void AddPage(CPropertyPage* pPage);
  void RemovePage(CPropertyPage* pPage);
  void RemovePage(int nPage);
  int GetPageCount() const { return static_cast<int>(m_pages.GetSize()); }
  // NULL for an index out of range.
  CPropertyPage* GetPage(int nPage) const;
  // -1 when pPage is not one of the sheet's.
  int GetPageIndex(CPropertyPage* pPage) const;
  CPropertyPage* GetActivePage() const;
  int GetActiveIndex() const;
  // FALSE when the index is out of range or a page refused the change.
  BOOL SetActivePage(int nPage);
  BOOL SetActivePage(CPropertyPage* pPage);
  void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
  // The sheet's tab control; NULL before the sheet is made.
  CTabCtrl* GetTabControl() const;
  // Ends a modal sheet with nEndID (or destroys a modeless one).
  void EndDialog(int nEndID);
  // PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW as if the button were pressed.
  void PressButton(int nButton);

  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  PROPSHEETHEADER m_psh;

 protected:
  // Makes the window, its tab control and buttons, and the first page.
  BOOL CreateSheet(HWND hWndParent, BOOL bModal);
  // The answer of a page to a notification code.
  LRESULT NotifyPage(CPropertyPage* pPage, UINT code, LPARAM lParam = 0);
  // Leaves the active page for nPage; FALSE when one of them refused.
  BOOL ChangePage(int nPage);
  // Makes (the first time) and shows page nPage; FALSE when it refused.
  BOOL ShowPage(int nPage);
  // Tab and Shift+Tab through the tab control, the active page's controls and the buttons.
  BOOL TabNavigate(BOOL bPrevious);
  // OK and Apply: FALSE when a page kept the sheet open.
  BOOL Apply(BOOL bClose);
  void Cancel();
  void UpdateApplyButton();
  void LayoutPage(CPropertyPage* pPage);

  CPtrArray m_pages;
  CString m_strCaption;
  CWnd* m_pParentWnd = nullptr;
  UINT m_nStartPage = 0;
  int m_nActive = -1;
  CTabCtrl m_tab;
  SIZE m_pageSize{0, 0};
  BOOL m_bModal = FALSE;
  BOOL m_bEnded = FALSE;
  int m_nResult = -1;
  BOOL m_bCancelToClose = FALSE;

  DECLARE_MESSAGE_MAP()
};
