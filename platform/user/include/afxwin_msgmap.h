// The framework's message maps: the entry and map records, the macros that
// declare and build a class's map, and one ON_ macro per message or
// notification, each unpacking wParam and lParam for its handler's
// signature. Included by afxwin.h, which gives the classes they name.
#pragma once

#include "afx.h"
#include "afxdc.h"
#include "winuser.h"

class CCmdTarget;

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
