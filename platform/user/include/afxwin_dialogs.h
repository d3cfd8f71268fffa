// The framework's dialogs: CDialog (modal and modeless, from a resource or
// a template in memory), data exchange and validation (DDX_, DDV_), the
// framework's prompts and message boxes. Included by afxwin.h.
#pragma once

#include "afxwin.h"

// ---------------------------------------------------------------- dialogs and data exchange
class CDataExchange {
 public:
  CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);
  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
  HWND m_hWndLastControl = nullptr;
  BOOL m_bEditLastControl = FALSE;

  // The control's window, remembered as the one a failure goes back to;
  // throws CNotSupportedException when the dialog has no control nIDC.
  HWND PrepareCtrl(int nIDC);
  HWND PrepareEditCtrl(int nIDC);
  // Puts the focus on the last control (selecting an edit's text), gives the
  // last exchanged member its value back and throws CUserException.
  [[noreturn]] void Fail();

  // The member the last DDX_Text stored into, and its value before: a failed
  // validation puts it back.
  void RememberMember(void* p, const void* oldValue, size_t size);
  void RememberMember(CString* p);

 private:
  void* m_pLast = nullptr;
  unsigned char m_old[16] = {0};
  size_t m_oldSize = 0;
  CString* m_pLastString = nullptr;
  CString m_oldString;
};

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
 public:
  CDialog();
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Modeless: makes the dialog from the template along the resource chain;
  // FALSE when the template is missing or a control cannot be made.
  virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);
  // Modal: runs a loop of its own until EndDialog; the result given to
  // EndDialog, or -1 when the dialog could not be made or the queue gave up.
  virtual INT_PTR DoModal();
  // A template to use instead of a resource (for DoModal and Create).
  BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);
  void EndDialog(int nResult);

  virtual BOOL OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

  void MapDialogRect(LPRECT lpRect) const;

  LPCTSTR m_lpszTemplateName = nullptr;
  UINT m_nIDHelp = 0;
  CWnd* m_pParentWnd = nullptr;
  LPCDLGTEMPLATE m_lpDialogTemplate = nullptr;

 protected:
  BOOL CreateFromTemplate(HINSTANCE hInst, const void* pTemplate, size_t cb, CWnd* pParentWnd);
  INT_PTR RunModalLoop();
  void EndModalLoop(int nResult);
  HWND PreModal();

  int m_nModalResult = -1;
  BOOL m_bContinueModal = FALSE;
  BOOL m_bInModalLoop = FALSE;

  DECLARE_MESSAGE_MAP()
};

// Data exchange: DDX_ moves a value between a control and a member (into
// the member when pDX->m_bSaveAndValidate); a text that is not a number of
// the member's kind is reported with the framework's message and fails.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, LONG& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
// Validation runs only when saving: a value out of range is reported with
// the framework's standard range message and the exchange fails there.
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal);
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars);

// The framework's prompts (string ids of the framework's own table).
#define AFX_IDP_PARSE_INT 0xF110
#define AFX_IDP_PARSE_REAL 0xF111
#define AFX_IDP_PARSE_INT_RANGE 0xF112
#define AFX_IDP_PARSE_REAL_RANGE 0xF113
#define AFX_IDP_PARSE_STRING_SIZE 0xF114
#define AFX_IDP_PARSE_RADIO_BUTTON 0xF115
#define AFX_IDP_PARSE_BYTE 0xF116
#define AFX_IDP_PARSE_UINT 0xF117

// A message box owned by the active window, captioned with the program's name.
int AfxMessageBox(LPCTSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
// rString = the string nIDS with %1 (and %2) replaced.
void AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
void AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2);
// The framework's own strings (the prompts above), in the thread's UI language.
BOOL AfxLoadFrameworkString(UINT nID, CString& rString);
// The window a message box or modal dialog made now would be owned by.
CWnd* AfxGetMainWnd();
void AfxSetMainWnd(CWnd* pWnd);
