// Common controls: tab control.
//
// A row of tabs along the top of the control over a framed display area in
// which the owner shows the page of the selected tab. A click on a tab (or
// the arrow keys, with the focus on the control) asks the parent with
// TCN_SELCHANGING, which may refuse by returning TRUE, then selects the tab
// and tells the parent with TCN_SELCHANGE (both WM_NOTIFY with an NMHDR).
// TCM_SETCURSEL from code sends nothing.
#pragma once

#include "winuser.h"

#define WC_TABCONTROLA "SysTabControl32"
#define WC_TABCONTROL WC_TABCONTROLA

// Styles. Only a single row of text tabs at the top is drawn; the other
// layouts are accepted and drawn the same way.
#define TCS_SCROLLOPPOSITE 0x0001
#define TCS_BOTTOM 0x0002
#define TCS_RIGHT 0x0002
#define TCS_MULTISELECT 0x0004
#define TCS_FLATBUTTONS 0x0008
#define TCS_FORCEICONLEFT 0x0010
#define TCS_FORCELABELLEFT 0x0020
#define TCS_HOTTRACK 0x0040
#define TCS_VERTICAL 0x0080
#define TCS_TABS 0x0000
#define TCS_BUTTONS 0x0100
#define TCS_SINGLELINE 0x0000
#define TCS_MULTILINE 0x0200
#define TCS_RIGHTJUSTIFY 0x0000
#define TCS_FIXEDWIDTH 0x0400
#define TCS_RAGGEDRIGHT 0x0800
#define TCS_FOCUSONBUTTONDOWN 0x1000
#define TCS_OWNERDRAWFIXED 0x2000
#define TCS_TOOLTIPS 0x4000
#define TCS_FOCUSNEVER 0x8000

// Item fields.
#define TCIF_TEXT 0x0001
#define TCIF_IMAGE 0x0002
#define TCIF_RTLREADING 0x0004
#define TCIF_PARAM 0x0008
#define TCIF_STATE 0x0010

#define TCIS_BUTTONPRESSED 0x0001
#define TCIS_HIGHLIGHTED 0x0002

typedef struct tagTCITEMA {
  UINT mask;
  DWORD dwState;
  DWORD dwStateMask;
  LPSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
} TCITEMA, *LPTCITEMA;
typedef TCITEMA TCITEM;
typedef LPTCITEMA LPTCITEM;
typedef TCITEMA TC_ITEM;

#define TCHT_NOWHERE 0x0001
#define TCHT_ONITEMICON 0x0002
#define TCHT_ONITEMLABEL 0x0004
#define TCHT_ONITEM (TCHT_ONITEMICON | TCHT_ONITEMLABEL)

typedef struct tagTCHITTESTINFO {
  POINT pt;
  UINT flags;
} TCHITTESTINFO, *LPTCHITTESTINFO;

// Messages. Results on failure: -1 for indexes, FALSE for the others.
#define TCM_FIRST 0x1300
#define TCM_GETIMAGELIST (TCM_FIRST + 2)      // the list set, or NULL
#define TCM_SETIMAGELIST (TCM_FIRST + 3)      // lParam: HIMAGELIST; the previous one
#define TCM_GETITEMCOUNT (TCM_FIRST + 4)
#define TCM_GETITEMA (TCM_FIRST + 5)          // wParam: index, lParam: LPTCITEM
#define TCM_SETITEMA (TCM_FIRST + 6)
#define TCM_INSERTITEMA (TCM_FIRST + 7)       // the new index, or -1
#define TCM_DELETEITEM (TCM_FIRST + 8)
#define TCM_DELETEALLITEMS (TCM_FIRST + 9)
#define TCM_GETITEMRECT (TCM_FIRST + 10)      // lParam: LPRECT in client coordinates
#define TCM_GETCURSEL (TCM_FIRST + 11)        // -1 when none
#define TCM_SETCURSEL (TCM_FIRST + 12)        // the previous selection, or -1
#define TCM_HITTEST (TCM_FIRST + 13)          // lParam: LPTCHITTESTINFO; the index, or -1
#define TCM_SETITEMEXTRA (TCM_FIRST + 14)
#define TCM_ADJUSTRECT (TCM_FIRST + 40)       // wParam: TRUE window from display, FALSE display from window
#define TCM_SETITEMSIZE (TCM_FIRST + 41)      // lParam: MAKELPARAM(cx, cy); the old size
#define TCM_REMOVEIMAGE (TCM_FIRST + 42)
#define TCM_SETPADDING (TCM_FIRST + 43)       // lParam: MAKELPARAM(cx, cy)
#define TCM_GETROWCOUNT (TCM_FIRST + 44)
#define TCM_GETTOOLTIPS (TCM_FIRST + 45)
#define TCM_SETTOOLTIPS (TCM_FIRST + 46)
#define TCM_GETCURFOCUS (TCM_FIRST + 47)
#define TCM_SETCURFOCUS (TCM_FIRST + 48)
#define TCM_SETMINTABWIDTH (TCM_FIRST + 49)
#define TCM_DESELECTALL (TCM_FIRST + 50)
#define TCM_HIGHLIGHTITEM (TCM_FIRST + 51)
#define TCM_SETEXTENDEDSTYLE (TCM_FIRST + 52)
#define TCM_GETEXTENDEDSTYLE (TCM_FIRST + 53)
#define TCM_GETITEM TCM_GETITEMA
#define TCM_SETITEM TCM_SETITEMA
#define TCM_INSERTITEM TCM_INSERTITEMA

// Notifications (WM_NOTIFY codes).
#define TCN_FIRST (0U - 550U)
#define TCN_KEYDOWN (TCN_FIRST - 0)
#define TCN_SELCHANGE (TCN_FIRST - 1)
#define TCN_SELCHANGING (TCN_FIRST - 2)
#define TCN_GETOBJECT (TCN_FIRST - 3)
#define TCN_FOCUSCHANGE (TCN_FIRST - 4)

// The message wrappers.
inline int TabCtrl_GetItemCount(HWND h) { return static_cast<int>(::SendMessageA(h, TCM_GETITEMCOUNT, 0, 0)); }
inline BOOL TabCtrl_GetItem(HWND h, int i, TCITEMA* p) {
  return static_cast<BOOL>(::SendMessageA(h, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(p)));
}
inline BOOL TabCtrl_SetItem(HWND h, int i, const TCITEMA* p) {
  return static_cast<BOOL>(::SendMessageA(h, TCM_SETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(p)));
}
inline int TabCtrl_InsertItem(HWND h, int i, const TCITEMA* p) {
  return static_cast<int>(::SendMessageA(h, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(p)));
}
inline BOOL TabCtrl_DeleteItem(HWND h, int i) {
  return static_cast<BOOL>(::SendMessageA(h, TCM_DELETEITEM, static_cast<WPARAM>(i), 0));
}
inline BOOL TabCtrl_DeleteAllItems(HWND h) { return static_cast<BOOL>(::SendMessageA(h, TCM_DELETEALLITEMS, 0, 0)); }
inline BOOL TabCtrl_GetItemRect(HWND h, int i, RECT* r) {
  return static_cast<BOOL>(::SendMessageA(h, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(r)));
}
inline int TabCtrl_GetCurSel(HWND h) { return static_cast<int>(::SendMessageA(h, TCM_GETCURSEL, 0, 0)); }
inline int TabCtrl_SetCurSel(HWND h, int i) {
  return static_cast<int>(::SendMessageA(h, TCM_SETCURSEL, static_cast<WPARAM>(i), 0));
}
inline int TabCtrl_HitTest(HWND h, TCHITTESTINFO* p) {
  return static_cast<int>(::SendMessageA(h, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(p)));
}
inline void TabCtrl_AdjustRect(HWND h, BOOL bLarger, RECT* r) {
  ::SendMessageA(h, TCM_ADJUSTRECT, static_cast<WPARAM>(bLarger), reinterpret_cast<LPARAM>(r));
}
inline int TabCtrl_GetRowCount(HWND h) { return static_cast<int>(::SendMessageA(h, TCM_GETROWCOUNT, 0, 0)); }
