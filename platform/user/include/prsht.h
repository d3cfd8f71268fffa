// Property sheets: the messages a sheet answers, the notifications it sends
// its pages, and the page and sheet descriptions.
//
// A sheet is a dialog with a tab control, one tab per page, over the page
// of the selected tab, and the buttons OK, Cancel and Apply below. Pages are
// child dialogs made from their templates the first time their tab is
// chosen. The sheet tells a page what happens with WM_NOTIFY (a PSHNOTIFY,
// hwndFrom the sheet, idFrom 0) and reads the page's answer from the
// message's result:
//   PSN_SETACTIVE   the page is about to be shown; 0 accepts, -1 refuses
//   PSN_KILLACTIVE  the page is about to be left (also before OK); TRUE keeps it
//   PSN_APPLY       OK or Apply: take the values; PSNRET_INVALID* keeps the sheet open
//   PSN_RESET       Cancel: the sheet closes without taking anything
// The framework's CPropertySheet and CPropertyPage (afxdlgs.h) are built on
// these; module code uses those.
#pragma once

#include "winuser.h"

#define MAXPROPPAGES 100

// Page flags.
#define PSP_DEFAULT 0x00000000
#define PSP_DLGINDIRECT 0x00000001
#define PSP_USEHICON 0x00000002
#define PSP_USEICONID 0x00000004
#define PSP_USETITLE 0x00000008
#define PSP_RTLREADING 0x00000010
#define PSP_HASHELP 0x00000020
#define PSP_USEREFPARENT 0x00000040
#define PSP_USECALLBACK 0x00000080
#define PSP_PREMATURE 0x00000400

typedef struct _PROPSHEETPAGEA {
  DWORD dwSize;
  DWORD dwFlags;
  HINSTANCE hInstance;
  LPCSTR pszTemplate;           // or, with PSP_DLGINDIRECT, a template in memory
  LPCDLGTEMPLATE pResource;
  HICON hIcon;
  LPCSTR pszTitle;              // the tab's text with PSP_USETITLE, else the template caption
  DLGPROC pfnDlgProc;
  LPARAM lParam;
  void* pfnCallback;
  UINT* pcRefParent;
} PROPSHEETPAGEA, *LPPROPSHEETPAGEA;
typedef const PROPSHEETPAGEA* LPCPROPSHEETPAGEA;
typedef PROPSHEETPAGEA PROPSHEETPAGE;
typedef LPPROPSHEETPAGEA LPPROPSHEETPAGE;
typedef LPCPROPSHEETPAGEA LPCPROPSHEETPAGE;

// Sheet flags.
#define PSH_DEFAULT 0x00000000
#define PSH_PROPTITLE 0x00000001
#define PSH_USEHICON 0x00000002
#define PSH_USEICONID 0x00000004
#define PSH_PROPSHEETPAGE 0x00000008
#define PSH_WIZARD 0x00000020
#define PSH_USEPSTARTPAGE 0x00000040
#define PSH_NOAPPLYNOW 0x00000080
#define PSH_USECALLBACK 0x00000100
#define PSH_HASHELP 0x00000200
#define PSH_MODELESS 0x00000400

typedef struct _PROPSHEETHEADERA {
  DWORD dwSize;
  DWORD dwFlags;
  HWND hwndParent;
  HINSTANCE hInstance;
  HICON hIcon;
  LPCSTR pszCaption;
  UINT nPages;
  UINT nStartPage;
  LPCPROPSHEETPAGEA ppsp;
  void* pfnCallback;
} PROPSHEETHEADERA, *LPPROPSHEETHEADERA;
typedef const PROPSHEETHEADERA* LPCPROPSHEETHEADERA;
typedef PROPSHEETHEADERA PROPSHEETHEADER;
typedef LPPROPSHEETHEADERA LPPROPSHEETHEADER;
typedef LPCPROPSHEETHEADERA LPCPROPSHEETHEADER;

// Notifications to the pages.
#define PSN_FIRST (0U - 200U)
#define PSN_SETACTIVE (PSN_FIRST - 0)
#define PSN_KILLACTIVE (PSN_FIRST - 1)
#define PSN_APPLY (PSN_FIRST - 2)
#define PSN_RESET (PSN_FIRST - 3)
#define PSN_HELP (PSN_FIRST - 5)
#define PSN_WIZBACK (PSN_FIRST - 6)
#define PSN_WIZNEXT (PSN_FIRST - 7)
#define PSN_WIZFINISH (PSN_FIRST - 8)
#define PSN_QUERYCANCEL (PSN_FIRST - 9)

#define PSNRET_NOERROR 0
#define PSNRET_INVALID 1
#define PSNRET_INVALID_NOCHANGEPAGE 2

typedef struct _PSHNOTIFY {
  NMHDR hdr;
  LPARAM lParam;  // PSN_APPLY: TRUE for OK, FALSE for Apply
} PSHNOTIFY, *LPPSHNOTIFY;

// Messages to the sheet.
#define PSM_SETCURSEL (WM_USER + 101)         // wParam: index, lParam: HPROPSHEETPAGE (NULL); FALSE when refused
#define PSM_REMOVEPAGE (WM_USER + 102)
#define PSM_ADDPAGE (WM_USER + 103)
#define PSM_CHANGED (WM_USER + 104)           // wParam: the page's window; enables Apply
#define PSM_RESTARTWINDOWS (WM_USER + 105)
#define PSM_REBOOTSYSTEM (WM_USER + 106)
#define PSM_CANCELTOCLOSE (WM_USER + 107)     // Cancel becomes "Close" and OK is disabled
#define PSM_QUERYSIBLINGS (WM_USER + 108)     // sent on to every page made; the first non-zero answer
#define PSM_UNCHANGED (WM_USER + 109)         // wParam: the page's window
#define PSM_APPLY (WM_USER + 110)             // applies as Apply does; FALSE when a page refused
#define PSM_SETTITLEA (WM_USER + 111)
#define PSM_SETWIZBUTTONS (WM_USER + 112)
#define PSM_PRESSBUTTON (WM_USER + 113)       // wParam: PSBTN_*
#define PSM_SETCURSELID (WM_USER + 114)
#define PSM_SETFINISHTEXTA (WM_USER + 115)
#define PSM_GETTABCONTROL (WM_USER + 116)
#define PSM_ISDIALOGMESSAGE (WM_USER + 117)
#define PSM_GETCURRENTPAGEHWND (WM_USER + 118)
#define PSM_SETTITLE PSM_SETTITLEA

#define PSBTN_BACK 0
#define PSBTN_NEXT 1
#define PSBTN_FINISH 2
#define PSBTN_OK 3
#define PSBTN_APPLYNOW 4
#define PSBTN_CANCEL 5
#define PSBTN_HELP 6

// The ids of the sheet's own controls.
#define ID_APPLY_NOW 0x3021
#define ID_WIZBACK 0x3023
#define ID_WIZNEXT 0x3024
#define ID_WIZFINISH 0x3025
#define AFX_IDC_TAB_CONTROL 0x3020

inline BOOL PropSheet_SetCurSel(HWND hDlg, void* hpage, int index) {
  return static_cast<BOOL>(::SendMessageA(hDlg, PSM_SETCURSEL, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(hpage)));
}
inline BOOL PropSheet_Changed(HWND hDlg, HWND hPage) {
  return static_cast<BOOL>(::SendMessageA(hDlg, PSM_CHANGED, reinterpret_cast<WPARAM>(hPage), 0));
}
inline void PropSheet_UnChanged(HWND hDlg, HWND hPage) {
  ::SendMessageA(hDlg, PSM_UNCHANGED, reinterpret_cast<WPARAM>(hPage), 0);
}
inline void PropSheet_CancelToClose(HWND hDlg) { ::SendMessageA(hDlg, PSM_CANCELTOCLOSE, 0, 0); }
inline void PropSheet_PressButton(HWND hDlg, int iButton) {
  ::SendMessageA(hDlg, PSM_PRESSBUTTON, static_cast<WPARAM>(iButton), 0);
}
inline HWND PropSheet_GetTabControl(HWND hDlg) {
  return reinterpret_cast<HWND>(::SendMessageA(hDlg, PSM_GETTABCONTROL, 0, 0));
}
inline HWND PropSheet_GetCurrentPageHwnd(HWND hDlg) {
  return reinterpret_cast<HWND>(::SendMessageA(hDlg, PSM_GETCURRENTPAGEHWND, 0, 0));
}
inline void PropSheet_SetTitle(HWND hDlg, DWORD wStyle, LPCSTR lpszText) {
  ::SendMessageA(hDlg, PSM_SETTITLEA, static_cast<WPARAM>(wStyle), reinterpret_cast<LPARAM>(lpszText));
}
inline LRESULT PropSheet_QuerySiblings(HWND hDlg, WPARAM wParam, LPARAM lParam) {
  return ::SendMessageA(hDlg, PSM_QUERYSIBLINGS, wParam, lParam);
}
