// The framework's window classes: CWnd with message maps, CDialog with data
// exchange, the standard controls' wrappers and the window DCs. Module code
// includes this header; it brings the framework core (afx.h), the GDI's
// classes (afxdc.h) and the window system (winuser.h) with it.
//
// Message routing, as the framework does it:
//   AfxWndProc -> CWnd::WindowProc -> OnWndMsg
//     WM_COMMAND: a control's notification goes first to the control's own
//       object (OnChildNotify: its ON_CONTROL_REFLECT entries), then to the
//       window's ON_COMMAND / ON_CONTROL entries (OnCmdMsg)
//     WM_NOTIFY: the same with ON_NOTIFY_REFLECT and ON_NOTIFY
//     WM_DRAWITEM, WM_MEASUREITEM, WM_COMPAREITEM, WM_DELETEITEM, WM_CTLCOLOR*:
//       the window's own entry first; its default (CWnd::OnDrawItem, ...)
//       hands the message to the control's object (DrawItem, MeasureItem, ...)
//     anything else: the first entry for the message along the map chain
//   and DefWindowProc (the procedure the window had before) when no entry
//   took it.
#pragma once

#include <map>

#include "afx.h"
#include "afxdc.h"
#include "winuser.h"

class CWnd;
class CCmdTarget;
class CDataExchange;
class CScrollBar;

// ---------------------------------------------------------------- message maps
// Each entry carries a thunk that unpacks the message for its handler and
// returns TRUE when it took the message.
typedef BOOL (*AFX_PMSG)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;  // the message, or WM_REFLECT_BASE + message for reflected entries
  UINT nCode;     // control notification or WM_NOTIFY code
  UINT nID;       // first control id
  UINT nLastID;   // last control id of a range
  UINT_PTR nSig;  // kept for the layout; the thunk knows the signature
  AFX_PMSG pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();
  const AFX_MSGMAP_ENTRY* lpEntries;
};

#define WM_REFLECT_BASE 0xBC00

#define afx_msg

#define DECLARE_MESSAGE_MAP()                   \
 protected:                                     \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                    \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                               \
    using ThisClass [[maybe_unused]] = theClass;                                  \
    using TheBaseClass = baseClass;                                               \
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                \
  {0, 0, 0, 0, 0, nullptr}                                                               \
  }                                                                                      \
  ;                                                                                      \
  static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
  return &messageMap;                                                                    \
  }

#define AFX_THIS(p) static_cast<ThisClass*>(p)
#define AFX_MSG_ENTRY(msg, body) \
  {msg, 0, 0, 0, 0, +[](CCmdTarget* p, WPARAM wParam, LPARAM lParam, LRESULT* pResult) -> BOOL { body; return TRUE; }},

#define ON_WM_CREATE() AFX_MSG_ENTRY(WM_CREATE, *pResult = AFX_THIS(p)->OnCreate(reinterpret_cast<LPCREATESTRUCT>(lParam)); (void)wParam)
#define ON_WM_DESTROY() AFX_MSG_ENTRY(WM_DESTROY, AFX_THIS(p)->OnDestroy(); (void)wParam; (void)lParam; (void)pResult)
#define ON_WM_NCDESTROY() AFX_MSG_ENTRY(WM_NCDESTROY, AFX_THIS(p)->OnNcDestroy(); (void)wParam; (void)lParam; (void)pResult)
#define ON_WM_CLOSE() AFX_MSG_ENTRY(WM_CLOSE, AFX_THIS(p)->OnClose(); (void)wParam; (void)lParam; (void)pResult)
#define ON_WM_PAINT() AFX_MSG_ENTRY(WM_PAINT, AFX_THIS(p)->OnPaint(); (void)wParam; (void)lParam; (void)pResult)
#define ON_WM_ERASEBKGND() AFX_MSG_ENTRY(WM_ERASEBKGND, *pResult = AFX_THIS(p)->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam))); (void)lParam)
#define ON_WM_SIZE() AFX_MSG_ENTRY(WM_SIZE, AFX_THIS(p)->OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); (void)pResult)
#define ON_WM_MOVE() AFX_MSG_ENTRY(WM_MOVE, AFX_THIS(p)->OnMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); (void)wParam; (void)pResult)
#define ON_WM_SHOWWINDOW() AFX_MSG_ENTRY(WM_SHOWWINDOW, AFX_THIS(p)->OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)); (void)pResult)
#define ON_WM_ENABLE() AFX_MSG_ENTRY(WM_ENABLE, AFX_THIS(p)->OnEnable(static_cast<BOOL>(wParam)); (void)lParam; (void)pResult)
#define AFX_MOUSE_ENTRY(msg, fn) AFX_MSG_ENTRY(msg, AFX_THIS(p)->fn(static_cast<UINT>(wParam), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))); (void)pResult)
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE_ENTRY(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_MOUSE_ENTRY(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_MOUSE_ENTRY(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MOUSEWHEEL() AFX_MSG_ENTRY(WM_MOUSEWHEEL, *pResult = AFX_THIS(p)->OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))))
#define AFX_KEY_ENTRY(msg, fn) AFX_MSG_ENTRY(msg, AFX_THIS(p)->fn(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); (void)pResult)
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY_ENTRY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() AFX_KEY_ENTRY(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() AFX_KEY_ENTRY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_KEY_ENTRY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_SETFOCUS() AFX_MSG_ENTRY(WM_SETFOCUS, AFX_THIS(p)->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))); (void)lParam; (void)pResult)
#define ON_WM_KILLFOCUS() AFX_MSG_ENTRY(WM_KILLFOCUS, AFX_THIS(p)->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))); (void)lParam; (void)pResult)
#define ON_WM_TIMER() AFX_MSG_ENTRY(WM_TIMER, AFX_THIS(p)->OnTimer(static_cast<UINT_PTR>(wParam)); (void)lParam; (void)pResult)
#define ON_WM_HSCROLL() AFX_MSG_ENTRY(WM_HSCROLL, AFX_THIS(p)->OnHScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam)))); (void)pResult)
#define ON_WM_VSCROLL() AFX_MSG_ENTRY(WM_VSCROLL, AFX_THIS(p)->OnVScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam)))); (void)pResult)
#define ON_WM_DRAWITEM() AFX_MSG_ENTRY(WM_DRAWITEM, AFX_THIS(p)->OnDrawItem(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); *pResult = TRUE)
#define ON_WM_MEASUREITEM() AFX_MSG_ENTRY(WM_MEASUREITEM, AFX_THIS(p)->OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); *pResult = TRUE)
#define ON_WM_SETCURSOR() AFX_MSG_ENTRY(WM_SETCURSOR, *pResult = AFX_THIS(p)->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_GETDLGCODE() AFX_MSG_ENTRY(WM_GETDLGCODE, *pResult = AFX_THIS(p)->OnGetDlgCode(); (void)wParam; (void)lParam)
#define ON_WM_NCHITTEST() AFX_MSG_ENTRY(WM_NCHITTEST, *pResult = AFX_THIS(p)->OnNcHitTest(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))); (void)wParam)
#define ON_WM_CAPTURECHANGED() AFX_MSG_ENTRY(WM_CAPTURECHANGED, AFX_THIS(p)->OnCaptureChanged(CWnd::FromHandle(reinterpret_cast<HWND>(lParam))); (void)wParam; (void)pResult)
#define ON_WM_ACTIVATE() AFX_MSG_ENTRY(WM_ACTIVATE, AFX_THIS(p)->OnActivate(LOWORD(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam)); (void)pResult)
#define ON_WM_NCACTIVATE() AFX_MSG_ENTRY(WM_NCACTIVATE, *pResult = AFX_THIS(p)->OnNcActivate(static_cast<BOOL>(wParam)); (void)lParam)
#define ON_WM_CONTEXTMENU() AFX_MSG_ENTRY(WM_CONTEXTMENU, AFX_THIS(p)->OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))); (void)pResult)
#define ON_WM_SYSCOMMAND() AFX_MSG_ENTRY(WM_SYSCOMMAND, AFX_THIS(p)->OnSysCommand(static_cast<UINT>(wParam), lParam); (void)pResult)
#define ON_WM_CTLCOLOR()                                                                                       \
  AFX_MSG_ENTRY(WM_CTLCOLOR, *pResult = reinterpret_cast<LRESULT>(AFX_THIS(p)->OnCtlColor(                     \
                                 CDC::FromHandle(reinterpret_cast<HDC>(wParam)),                               \
                                 CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), static_cast<UINT>(*pResult))))
#define ON_WM_CTLCOLOR_REFLECT()                                                                               \
  AFX_MSG_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, *pResult = reinterpret_cast<LRESULT>(AFX_THIS(p)->CtlColor(       \
                                                  CDC::FromHandle(reinterpret_cast<HDC>(wParam)),              \
                                                  static_cast<UINT>(*pResult))); (void)lParam)

// Commands and control notifications: handlers take nothing (ranges: the id).
#define AFX_CMD_ENTRY(msg, code, id, last, body) \
  {msg, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(last), 0, +[](CCmdTarget* p, WPARAM wParam, LPARAM lParam, LRESULT* pResult) -> BOOL { body; }},
#define ON_COMMAND(id, memberFxn) AFX_CMD_ENTRY(WM_COMMAND, 0, id, id, AFX_THIS(p)->memberFxn(); (void)wParam; (void)lParam; (void)pResult; return TRUE)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) AFX_CMD_ENTRY(WM_COMMAND, 0, id, idLast, AFX_THIS(p)->memberFxn(static_cast<UINT>(wParam)); (void)lParam; (void)pResult; return TRUE)
#define ON_CONTROL(code, id, memberFxn) AFX_CMD_ENTRY(WM_COMMAND, code, id, id, AFX_THIS(p)->memberFxn(); (void)wParam; (void)lParam; (void)pResult; return TRUE)
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn) AFX_CMD_ENTRY(WM_COMMAND, code, id, idLast, AFX_THIS(p)->memberFxn(static_cast<UINT>(wParam)); (void)lParam; (void)pResult; return TRUE)
#define ON_BN_CLICKED(id, fn) ON_CONTROL(BN_CLICKED, id, fn)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_BN_SETFOCUS(id, fn) ON_CONTROL(BN_SETFOCUS, id, fn)
#define ON_BN_KILLFOCUS(id, fn) ON_CONTROL(BN_KILLFOCUS, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_UPDATE(id, fn) ON_CONTROL(EN_UPDATE, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_EN_MAXTEXT(id, fn) ON_CONTROL(EN_MAXTEXT, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
#define ON_LBN_SELCANCEL(id, fn) ON_CONTROL(LBN_SELCANCEL, id, fn)
#define ON_LBN_SETFOCUS(id, fn) ON_CONTROL(LBN_SETFOCUS, id, fn)
#define ON_LBN_KILLFOCUS(id, fn) ON_CONTROL(LBN_KILLFOCUS, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_DBLCLK(id, fn) ON_CONTROL(CBN_DBLCLK, id, fn)
#define ON_CBN_SETFOCUS(id, fn) ON_CONTROL(CBN_SETFOCUS, id, fn)
#define ON_CBN_KILLFOCUS(id, fn) ON_CONTROL(CBN_KILLFOCUS, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_CBN_EDITUPDATE(id, fn) ON_CONTROL(CBN_EDITUPDATE, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_CBN_CLOSEUP(id, fn) ON_CONTROL(CBN_CLOSEUP, id, fn)
#define ON_CBN_SELENDOK(id, fn) ON_CONTROL(CBN_SELENDOK, id, fn)
#define ON_CBN_SELENDCANCEL(id, fn) ON_CONTROL(CBN_SELENDCANCEL, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)
#define ON_STN_DBLCLK(id, fn) ON_CONTROL(STN_DBLCLK, id, fn)

// Messages of one's own: LRESULT fn(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) AFX_MSG_ENTRY(message, *pResult = AFX_THIS(p)->memberFxn(wParam, lParam))

// WM_NOTIFY: void fn(NMHDR*, LRESULT*); the _EX forms BOOL fn(UINT id, NMHDR*, LRESULT*).
#define ON_NOTIFY(code, id, memberFxn) AFX_CMD_ENTRY(WM_NOTIFY, code, id, id, AFX_THIS(p)->memberFxn(reinterpret_cast<NMHDR*>(lParam), pResult); (void)wParam; return TRUE)
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn) AFX_CMD_ENTRY(WM_NOTIFY, code, id, idLast, AFX_THIS(p)->memberFxn(static_cast<UINT>(wParam), reinterpret_cast<NMHDR*>(lParam), pResult); return TRUE)
#define ON_NOTIFY_EX(code, id, memberFxn) AFX_CMD_ENTRY(WM_NOTIFY, code, id, id, return AFX_THIS(p)->memberFxn(static_cast<UINT>(wParam), reinterpret_cast<NMHDR*>(lParam), pResult))
#define ON_NOTIFY_EX_RANGE(code, id, idLast, memberFxn) AFX_CMD_ENTRY(WM_NOTIFY, code, id, idLast, return AFX_THIS(p)->memberFxn(static_cast<UINT>(wParam), reinterpret_cast<NMHDR*>(lParam), pResult))

// Notifications a control handles itself (reflected from its parent).
#define ON_CONTROL_REFLECT(code, memberFxn) AFX_CMD_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, AFX_THIS(p)->memberFxn(); (void)wParam; (void)lParam; (void)pResult; return TRUE)
#define ON_CONTROL_REFLECT_EX(code, memberFxn) AFX_CMD_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, 0, (void)wParam; (void)lParam; (void)pResult; return AFX_THIS(p)->memberFxn())
#define ON_NOTIFY_REFLECT(code, memberFxn) AFX_CMD_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0, AFX_THIS(p)->memberFxn(reinterpret_cast<NMHDR*>(lParam), pResult); (void)wParam; return TRUE)
#define ON_NOTIFY_REFLECT_EX(code, memberFxn) AFX_CMD_ENTRY(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0, (void)wParam; return AFX_THIS(p)->memberFxn(reinterpret_cast<NMHDR*>(lParam), pResult))
#define ON_BN_CLICKED_REFLECT(fn) ON_CONTROL_REFLECT(BN_CLICKED, fn)

// WM_CTLCOLOR kinds (nCtlColor of OnCtlColor).
#define CTLCOLOR_MSGBOX 0
#define CTLCOLOR_EDIT 1
#define CTLCOLOR_LISTBOX 2
#define CTLCOLOR_BTN 3
#define CTLCOLOR_DLG 4
#define CTLCOLOR_SCROLLBAR 5
#define CTLCOLOR_STATIC 6

// ---------------------------------------------------------------- exceptions
class CException {
 public:
  virtual ~CException() = default;
  void Delete() { delete this; }
};
class CUserException : public CException {};
class CNotSupportedException : public CException {};
[[noreturn]] void AfxThrowUserException();
[[noreturn]] void AfxThrowNotSupportedException();

// ---------------------------------------------------------------- CCmdTarget and CWnd
class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
 public:
  CCmdTarget() = default;
  virtual ~CCmdTarget() = default;
  CCmdTarget(const CCmdTarget&) = delete;
  CCmdTarget& operator=(const CCmdTarget&) = delete;

  // Looks for an ON_COMMAND / ON_CONTROL entry of nID and nCode (or, with
  // pExtra, a WM_NOTIFY entry); TRUE when a handler took it.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, LRESULT* pResult);

 protected:
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
  // The first entry along the chain for the message, code and id; NULL for none.
  const AFX_MSGMAP_ENTRY* FindEntry(UINT nMessage, UINT nCode, UINT nID) const;
};

// The message being handled, for Default() and GetCurrentMessage().
struct AFX_CURRENT_MESSAGE {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

class CWnd : public CCmdTarget {
  DECLARE_DYNCREATE(CWnd)
 public:
  HWND m_hWnd = nullptr;

  CWnd() = default;
  ~CWnd() override;  // destroys a window still attached (the framework warns; here it just does)

  operator HWND() const { return m_hWnd; }  // NOLINT
  HWND GetSafeHwnd() const { return m_hWnd; }
  BOOL operator==(const CWnd& w) const { return w.m_hWnd == m_hWnd; }

  // The object attached to a window; FromHandle makes a temporary one for a
  // window without (it lives until the window dies). NULL for NULL or a dead window.
  static CWnd* FromHandle(HWND hWnd);
  static CWnd* FromHandlePermanent(HWND hWnd);
  BOOL Attach(HWND hWndNew);
  HWND Detach();
  // Routes the window's messages through this object from now on; FALSE for
  // a dead window or one already attached to another object.
  BOOL SubclassWindow(HWND hWnd);
  BOOL SubclassDlgItem(UINT nID, CWnd* pParent);

  virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                      CWnd* pParentWnd, UINT nID, void* pContext = nullptr);
  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
  BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
  virtual BOOL DestroyWindow();
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  virtual void PostNcDestroy();
  virtual BOOL PreTranslateMessage(MSG* pMsg);
  // Offers pMsg to PreTranslateMessage of its window's object and of each
  // parent's in turn, up to (not including) hWndStop; TRUE when one took it.
  static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  virtual void DoDataExchange(CDataExchange* pDX);
  // Runs DoDataExchange; FALSE when a validation failed (the user has been told).
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

  // The window's data.
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  int GetDlgCtrlID() const;
  void SetWindowText(LPCTSTR lpszString);
  int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
  void GetWindowText(CString& rString) const;
  int GetWindowTextLength() const;
  CFont* GetFont() const;
  HICON SetIcon(HICON hIcon, BOOL bBigIcon);
  HICON GetIcon(BOOL bBigIcon) const;

  // The tree.
  CWnd* GetParent() const;
  CWnd* SetParent(CWnd* pWndNewParent);
  // The first ancestor that is not a child window: the dialog of a control.
  CWnd* GetParentOwner() const;
  CWnd* GetDlgItem(int nID) const;
  void GetDlgItem(int nID, HWND* phWnd) const;
  CWnd* GetWindow(UINT nCmd) const;
  CWnd* GetTopWindow() const;
  BOOL IsChild(const CWnd* pWnd) const;
  CWnd* ChildWindowFromPoint(POINT point) const;
  static CWnd* WindowFromPoint(POINT point);
  CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;
  CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const;

  // Geometry.
  void GetWindowRect(LPRECT lpRect) const;
  void GetClientRect(LPRECT lpRect) const;
  void ClientToScreen(LPPOINT lpPoint) const;
  void ClientToScreen(LPRECT lpRect) const;
  void ScreenToClient(LPPOINT lpPoint) const;
  void ScreenToClient(LPRECT lpRect) const;
  void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
  void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
  void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
  void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
  BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
  void CenterWindow(CWnd* pAlternateOwner = nullptr);
  void BringWindowToTop();

  // State.
  BOOL ShowWindow(int nCmdShow);
  BOOL IsWindowVisible() const;
  BOOL IsWindowEnabled() const;
  BOOL EnableWindow(BOOL bEnable = TRUE);
  CWnd* SetFocus();
  static CWnd* GetFocus();
  CWnd* SetActiveWindow();
  static CWnd* GetActiveWindow();
  BOOL SetForegroundWindow();
  CWnd* SetCapture();
  static CWnd* GetCapture();

  // Painting.
  void Invalidate(BOOL bErase = TRUE);
  void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
  void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
  void ValidateRect(LPCRECT lpRect);
  void UpdateWindow();
  BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
                    UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  CDC* GetDC();
  CDC* GetWindowDC();
  int ReleaseDC(CDC* pDC);
  CDC* BeginPaint(LPPAINTSTRUCT lpPaint);
  void EndPaint(LPPAINTSTRUCT lpPaint);
  void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr);

  // Messages.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  static const MSG* GetCurrentMessage();
  UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer);
  BOOL KillTimer(UINT_PTR nIDEvent);
  int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

  // Dialog items.
  void SetDlgItemText(int nID, LPCTSTR lpszString);
  void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
  UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
  void CheckDlgButton(int nIDButton, UINT nCheck);
  UINT IsDlgButtonChecked(int nIDButton) const;
  void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton);

  // Scroll bars.
  BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
  BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
  int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
  int GetScrollPos(int nBar) const;
  void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
  void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
  void ShowScrollBar(UINT nBar, BOOL bShow = TRUE);

  // The handlers' defaults: each passes the message on to DefWindowProc.
  afx_msg int OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
  afx_msg void OnDestroy() { Default(); }
  afx_msg void OnNcDestroy();
  afx_msg void OnClose() { Default(); }
  afx_msg void OnPaint() { Default(); }
  afx_msg BOOL OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
  afx_msg void OnSize(UINT, int, int) { Default(); }
  afx_msg void OnMove(int, int) { Default(); }
  afx_msg void OnShowWindow(BOOL, UINT) { Default(); }
  afx_msg void OnEnable(BOOL) { Default(); }
  afx_msg void OnMouseMove(UINT, CPoint) { Default(); }
  afx_msg void OnLButtonDown(UINT, CPoint) { Default(); }
  afx_msg void OnLButtonUp(UINT, CPoint) { Default(); }
  afx_msg void OnLButtonDblClk(UINT, CPoint) { Default(); }
  afx_msg void OnRButtonDown(UINT, CPoint) { Default(); }
  afx_msg void OnRButtonUp(UINT, CPoint) { Default(); }
  afx_msg void OnRButtonDblClk(UINT, CPoint) { Default(); }
  afx_msg void OnMButtonDown(UINT, CPoint) { Default(); }
  afx_msg void OnMButtonUp(UINT, CPoint) { Default(); }
  afx_msg BOOL OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
  afx_msg void OnKeyDown(UINT, UINT, UINT) { Default(); }
  afx_msg void OnKeyUp(UINT, UINT, UINT) { Default(); }
  afx_msg void OnChar(UINT, UINT, UINT) { Default(); }
  afx_msg void OnSysKeyDown(UINT, UINT, UINT) { Default(); }
  afx_msg void OnSysKeyUp(UINT, UINT, UINT) { Default(); }
  afx_msg void OnSetFocus(CWnd*) { Default(); }
  afx_msg void OnKillFocus(CWnd*) { Default(); }
  afx_msg void OnTimer(UINT_PTR) { Default(); }
  afx_msg void OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
  afx_msg void OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
  afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  afx_msg BOOL OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
  afx_msg UINT OnGetDlgCode() { return static_cast<UINT>(Default()); }
  afx_msg LRESULT OnNcHitTest(CPoint) { return Default(); }
  afx_msg void OnCaptureChanged(CWnd*) { Default(); }
  afx_msg void OnActivate(UINT, CWnd*, BOOL) { Default(); }
  afx_msg BOOL OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
  afx_msg void OnContextMenu(CWnd*, CPoint) { Default(); }
  afx_msg void OnSysCommand(UINT, LPARAM) { Default(); }
  afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

  DECLARE_MESSAGE_MAP()

 protected:
  // Passes the current message to DefWindowProc.
  LRESULT Default();
  // Hands a message from the parent to the control's object.
  BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
  static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
  BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);

 public:
  WNDPROC m_pfnSuper = nullptr;  // the procedure the window had before this object took it
  BOOL m_bTemporary = FALSE;
};

// The framework's window procedure.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// Attaches the next window made on this thread to pWnd (CreateEx and
// dialogs call it before the window is made).
void AfxHookWindowCreate(CWnd* pWnd);
BOOL AfxUnhookWindowCreate();

// ---------------------------------------------------------------- controls
class CButton : public CWnd {
 public:
  BOOL Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
  void SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, bHighlight); }
  UINT GetButtonStyle() const { return static_cast<UINT>(GetStyle() & 0xFFFF); }
  void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE) { SendMessage(BM_SETSTYLE, nStyle, bRedraw); }
  HICON SetIcon(HICON hIcon) { return reinterpret_cast<HICON>(SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon))); }
  HICON GetIcon() const { return reinterpret_cast<HICON>(SendMessage(BM_GETIMAGE, IMAGE_ICON)); }
  HBITMAP SetBitmap(HBITMAP hBitmap) { return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap))); }
  // Owner-drawn buttons: called for WM_DRAWITEM of this button.
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CStatic : public CWnd {
 public:
  BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF);
  HICON SetIcon(HICON hIcon) { return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(hIcon))); }
  HICON GetIcon() const { return reinterpret_cast<HICON>(SendMessage(STM_GETICON)); }
  HBITMAP SetBitmap(HBITMAP h) { return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(h))); }
};

class CEdit : public CWnd {
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  void SetSel(int nStartChar, int nEndChar, BOOL bNoScroll = FALSE);
};

class CListBox : public CWnd {
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
  int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
  int SetCurSel(int nSelect) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
  int SetSel(int nIndex, BOOL bSelect = TRUE) { return static_cast<int>(SendMessage(LB_SETSEL, bSelect, nIndex)); }
  int GetSelItems(int nMaxItems, LPINT rgIndex) const { return static_cast<int>(SendMessage(LB_GETSELITEMS, static_cast<WPARAM>(nMaxItems), reinterpret_cast<LPARAM>(rgIndex))); }
  int GetText(int nIndex, LPTSTR lpszBuffer) const { return static_cast<int>(SendMessage(LB_GETTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszBuffer))); }
  void GetText(int nIndex, CString& rString) const;
  int GetTextLen(int nIndex) const { return static_cast<int>(SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(nIndex))); }
  int AddString(LPCTSTR lpszItem) { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszItem))); }
  int InsertString(int nIndex, LPCTSTR lpszItem) { return static_cast<int>(SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszItem))); }
  int DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(LB_DELETESTRING, nIndex)); }
  void ResetContent() { SendMessage(LB_RESETCONTENT); }
  int SelectString(int nStartAfter, LPCTSTR lpszItem) { return static_cast<int>(SendMessage(LB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszItem))); }
  DWORD_PTR GetItemData(int nIndex) const { return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(nIndex))); }
  int SetItemData(int nIndex, DWORD_PTR dwItemData) { return static_cast<int>(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData))); }
  int GetItemRect(int nIndex, LPRECT lpRect) const { return static_cast<int>(SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpRect))); }
  int SetItemHeight(int nIndex, UINT cyItemHeight) { return static_cast<int>(SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex), MAKELPARAM(cyItemHeight, 0))); }
  int GetItemHeight(int nIndex) const { return static_cast<int>(SendMessage(LB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex))); }
  void SetColumnWidth(int cxWidth) { SendMessage(LB_SETCOLUMNWIDTH, static_cast<WPARAM>(cxWidth)); }
  int SetTopIndex(int nIndex) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex))); }
  int SetCaretIndex(int nIndex, BOOL bScroll = TRUE) { return static_cast<int>(SendMessage(LB_SETCARETINDEX, static_cast<WPARAM>(nIndex), bScroll)); }
  UINT ItemFromPoint(CPoint pt, BOOL& bOutside) const;

  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
  virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CComboBox : public CWnd {
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
  int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
  int SetCurSel(int nSelect) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
  int GetLBText(int nIndex, LPTSTR lpszText) const { return static_cast<int>(SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszText))); }
  void GetLBText(int nIndex, CString& rString) const;
  int GetLBTextLen(int nIndex) const { return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(nIndex))); }
  int AddString(LPCTSTR lpszString) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszString))); }
  int InsertString(int nIndex, LPCTSTR lpszString) { return static_cast<int>(SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(lpszString))); }
  int DeleteString(UINT nIndex) { return static_cast<int>(SendMessage(CB_DELETESTRING, nIndex)); }
  void ResetContent() { SendMessage(CB_RESETCONTENT); }
  int SelectString(int nStartAfter, LPCTSTR lpszString) { return static_cast<int>(SendMessage(CB_SELECTSTRING, static_cast<WPARAM>(nStartAfter), reinterpret_cast<LPARAM>(lpszString))); }
  DWORD_PTR GetItemData(int nIndex) const { return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, static_cast<WPARAM>(nIndex))); }
  int SetItemData(int nIndex, DWORD_PTR dwItemData) { return static_cast<int>(SendMessage(CB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(dwItemData))); }
  int SetItemHeight(int nIndex, UINT cyItemHeight) { return static_cast<int>(SendMessage(CB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(cyItemHeight))); }
  int GetItemHeight(int nIndex) const { return static_cast<int>(SendMessage(CB_GETITEMHEIGHT, static_cast<WPARAM>(nIndex))); }
  BOOL GetDroppedState() const { return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE)); }
  int SetDroppedWidth(UINT nWidth) { return static_cast<int>(SendMessage(CB_SETDROPPEDWIDTH, nWidth)); }
  int GetDroppedWidth() const { return static_cast<int>(SendMessage(CB_GETDROPPEDWIDTH)); }
  int SetTopIndex(int nIndex) { return static_cast<int>(SendMessage(CB_SETTOPINDEX, static_cast<WPARAM>(nIndex))); }

  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  virtual int CompareItem(LPCOMPAREITEMSTRUCT lpCompareItemStruct);
  virtual void DeleteItem(LPDELETEITEMSTRUCT lpDeleteItemStruct);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

class CScrollBar : public CWnd {
 public:
  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
  int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
  int SetScrollPos(int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, SB_CTL, nPos, bRedraw); }
  void GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const { ::GetScrollRange(m_hWnd, SB_CTL, lpMinPos, lpMaxPos); }
  void SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw = TRUE) { ::SetScrollRange(m_hWnd, SB_CTL, nMinPos, nMaxPos, bRedraw); }
  BOOL SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE) { return ::SetScrollInfo(m_hWnd, SB_CTL, lpScrollInfo, bRedraw) != 0 || lpScrollInfo; }
  BOOL GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
  void ShowScrollBar(BOOL bShow = TRUE) { ::ShowWindow(m_hWnd, bShow ? SW_SHOW : SW_HIDE); }
  BOOL EnableScrollBar(UINT nArrowFlags = ESB_ENABLE_BOTH) { return ::EnableScrollBar(m_hWnd, SB_CTL, nArrowFlags); }
};

// ---------------------------------------------------------------- window DCs
class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* pWnd);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps;

 protected:
  HWND m_hWnd;
};

class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* pWnd);
  ~CClientDC() override;

 protected:
  HWND m_hWnd;
};

class CWindowDC : public CDC {
 public:
  explicit CWindowDC(CWnd* pWnd);
  ~CWindowDC() override;

 protected:
  HWND m_hWnd;
};

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
