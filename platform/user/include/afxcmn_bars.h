// The framework wrappers of toolbars and tooltips: thin classes over the
// TB_ and TTM_ messages of commctrl_toolbar.h and commctrl_tooltip.h, with
// the framework's names.
// Each call answers as its message does (TRUE/FALSE, -1 for not found).
#pragma once

#include "afxwin.h"
#include "commctrl.h"

class CImageList;

// A tool's description with room for its text, as GetToolInfo fills it.
class CToolInfo : public TOOLINFO {
 public:
  TCHAR szText[256];
};

class CToolTipCtrl : public CWnd {
 public:
  CToolTipCtrl() = default;

  // Makes the tooltip window, a hidden topmost popup owned by pParentWnd
  // (active from the start). FALSE when it cannot be made.
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);
  virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwStyle = 0, DWORD dwStyleEx = 0);

  void Activate(BOOL bActivate) { ::SendMessage(m_hWnd, TTM_ACTIVATE, bActivate, 0); }
  // A tool for pWnd: nIDTool 0 makes the whole window the tool (found by its
  // handle), otherwise the tool is lpRectTool (NULL: pWnd's client area) of
  // pWnd. The text is string nIDText of the module that holds it along the
  // resource chain, or lpszText (LPSTR_TEXTCALLBACK: asked for with
  // TTN_NEEDTEXT). FALSE when the tooltip refuses the tool.
  BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
  BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr,
               UINT_PTR nIDTool = 0);
  void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
  // Hands a message of a tool's window to the tooltip (mouse messages start,
  // move and end the showing; other messages are ignored).
  void RelayEvent(LPMSG lpMsg) { ::SendMessage(m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg)); }

  void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
  BOOL GetToolInfo(CToolInfo& ToolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
  void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
  int GetToolCount() const { return static_cast<int>(::SendMessage(m_hWnd, TTM_GETTOOLCOUNT, 0, 0)); }
  // TRUE and the tool's description when a tool of pWnd lies under pt
  // (pWnd's client coordinates).
  BOOL HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFO lpToolInfo) const;
  void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
  void UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool = 0);

  // Delays in milliseconds: SetDelayTime(n) sets the initial delay n and
  // the others from it; the two-argument form sets one (TTDT_*).
  void SetDelayTime(UINT nDelay) { ::SendMessage(m_hWnd, TTM_SETDELAYTIME, TTDT_AUTOMATIC, MAKELPARAM(nDelay, 0)); }
  void SetDelayTime(DWORD dwDuration, int iTime) { ::SendMessage(m_hWnd, TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0)); }
  int GetDelayTime(DWORD dwDuration) const { return static_cast<int>(::SendMessage(m_hWnd, TTM_GETDELAYTIME, dwDuration, 0)); }
  void SetTipBkColor(COLORREF clr) { ::SendMessage(m_hWnd, TTM_SETTIPBKCOLOR, clr, 0); }
  COLORREF GetTipBkColor() const { return static_cast<COLORREF>(::SendMessage(m_hWnd, TTM_GETTIPBKCOLOR, 0, 0)); }
  void SetTipTextColor(COLORREF clr) { ::SendMessage(m_hWnd, TTM_SETTIPTEXTCOLOR, clr, 0); }
  COLORREF GetTipTextColor() const { return static_cast<COLORREF>(::SendMessage(m_hWnd, TTM_GETTIPTEXTCOLOR, 0, 0)); }
  int SetMaxTipWidth(int iWidth) { return static_cast<int>(::SendMessage(m_hWnd, TTM_SETMAXTIPWIDTH, 0, iWidth)); }
  int GetMaxTipWidth() const { return static_cast<int>(::SendMessage(m_hWnd, TTM_GETMAXTIPWIDTH, 0, 0)); }
  void Pop() { ::SendMessage(m_hWnd, TTM_POP, 0, 0); }

 private:
  // The description of pWnd's tool nIDTool as AddTool makes it.
  static void FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT_PTR nIDTool);
};

class CToolBarCtrl : public CWnd {
 public:
  CToolBarCtrl() = default;

  // Makes the toolbar window; FALSE when it cannot be made. The button
  // structure size is set to sizeof(TBBUTTON) on the way.
  virtual BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  virtual BOOL CreateEx(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

  BOOL CheckButton(int nID, BOOL bCheck = TRUE) { return Send(TB_CHECKBUTTON, nID, MAKELONG(bCheck, 0)); }
  BOOL IsButtonEnabled(int nID) const { return Send(TB_ISBUTTONENABLED, nID, 0); }
  BOOL IsButtonChecked(int nID) const { return Send(TB_ISBUTTONCHECKED, nID, 0); }
  BOOL SetState(int nID, UINT nState) { return Send(TB_SETSTATE, nID, MAKELONG(nState, 0)); }
  int GetState(int nID) const { return Send(TB_GETSTATE, nID, 0); }
  UINT CommandToIndex(UINT nID) const { return static_cast<UINT>(Send(TB_COMMANDTOINDEX, nID, 0)); }
  int GetBitmap(int nID) const { return Send(TB_GETBITMAP, nID, 0); }
  BOOL GetButtonInfo(int nID, TBBUTTONINFO* ptbbi) const { return Send(TB_GETBUTTONINFO, nID, reinterpret_cast<LPARAM>(ptbbi)) != -1; }
  BOOL SetButtonInfo(int nID, TBBUTTONINFO* ptbbi) { return Send(TB_SETBUTTONINFO, nID, reinterpret_cast<LPARAM>(ptbbi)); }

  int GetButtonCount() const { return Send(TB_BUTTONCOUNT, 0, 0); }
  BOOL GetItemRect(int nIndex, LPRECT lpRect) const { return Send(TB_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(lpRect)); }
  BOOL AddButtons(int nNumButtons, LPTBBUTTON lpButtons) { return Send(TB_ADDBUTTONS, nNumButtons, reinterpret_cast<LPARAM>(lpButtons)); }
  BOOL DeleteButton(int nIndex) { return Send(TB_DELETEBUTTON, nIndex, 0); }
  // Index of the button at the point (client coordinates); a negative
  // value -1 - i for separator i or a point beside every button.
  int HitTest(LPPOINT ppt) const { return Send(TB_HITTEST, 0, reinterpret_cast<LPARAM>(ppt)); }

  // Images and strings. AddBitmap returns the index of the first image
  // added, -1 on failure; the id form loads the bitmap along the resource chain.
  int AddBitmap(int nNumButtons, UINT nBitmapID);
  int AddBitmap(int nNumButtons, CBitmap* pBitmap);
  BOOL ReplaceBitmap(LPTBREPLACEBITMAP pReplaceBitmap) { return Send(TB_REPLACEBITMAP, 0, reinterpret_cast<LPARAM>(pReplaceBitmap)); }
  // A string table entry (found along the resource chain) or a list of
  // NUL-separated strings ending in two NULs; the index of the first, -1 on failure.
  int AddString(UINT nStringID);
  int AddStrings(LPCTSTR lpszStrings) { return Send(TB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszStrings)); }
  // The framework's image list object for the handle, or NULL.
  CImageList* SetImageList(CImageList* pImageList);
  CImageList* GetImageList() const;

  // Sizes and layout.
  void SetButtonStructSize(int nSize) { Send(TB_BUTTONSTRUCTSIZE, nSize, 0); }
  BOOL SetButtonSize(CSize size) { return Send(TB_SETBUTTONSIZE, 0, MAKELONG(size.cx, size.cy)); }
  CSize GetButtonSize() const;
  void AutoSize() { Send(TB_AUTOSIZE, 0, 0); }
  void SetRows(int nRows, BOOL bLarger, LPRECT lpRect) { Send(TB_SETROWS, MAKEWPARAM(nRows, bLarger), reinterpret_cast<LPARAM>(lpRect)); }
  DWORD GetStyle() const { return static_cast<DWORD>(Send(TB_GETSTYLE, 0, 0)); }
  void SetStyle(DWORD dwStyle) { Send(TB_SETSTYLE, 0, static_cast<LPARAM>(dwStyle)); }
  DWORD GetExtendedStyle() const { return static_cast<DWORD>(Send(TB_GETEXTENDEDSTYLE, 0, 0)); }
  DWORD SetExtendedStyle(DWORD dwExStyle) { return static_cast<DWORD>(Send(TB_SETEXTENDEDSTYLE, 0, static_cast<LPARAM>(dwExStyle))); }
  int GetHotItem() const { return Send(TB_GETHOTITEM, 0, 0); }

  // The tooltip and the window that gets the commands and notifications.
  CToolTipCtrl* GetToolTips() const;

 private:
  int Send(UINT msg, WPARAM wp, LPARAM lp) const { return static_cast<int>(::SendMessage(m_hWnd, msg, wp, lp)); }
  // GetToolTips' view of a tooltip that no object of its own is attached to.
  mutable CToolTipCtrl m_tipView;
};
