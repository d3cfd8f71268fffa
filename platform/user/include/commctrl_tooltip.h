// Common controls: tooltips ("tooltips_class32"), with the home platform's
// names, values and layouts.
//
// A tooltip shows the text of the tool under the mouse after the initial
// delay. The tools' windows (or their owners) hand it their mouse messages
// with TTM_RELAYEVENT. Text given as LPSTR_TEXTCALLBACK is asked for with
// TTN_NEEDTEXTA, or TTN_NEEDTEXTW when the tool's window answers
// WM_NOTIFYFORMAT with NFR_UNICODE; text given as MAKEINTRESOURCE(id) with
// hinst is string id of that module.
#pragma once

#include <cstddef>

#include "commctrl.h"

// ---------------------------------------------------------------- tooltips
#define TOOLTIPS_CLASSA "tooltips_class32"
#define TOOLTIPS_CLASS TOOLTIPS_CLASSA

#define TTS_ALWAYSTIP 0x01  // shows also while the owner is inactive
#define TTS_NOPREFIX 0x02
#define TTS_NOANIMATE 0x10
#define TTS_NOFADE 0x20
#define TTS_BALLOON 0x40

// Tool flags. TTF_IDISHWND: uId is the tool's window handle and the tool is
// that whole window; otherwise the tool is rect in hwnd's client area.
#define TTF_IDISHWND 0x0001
#define TTF_CENTERTIP 0x0002
#define TTF_RTLREADING 0x0004
#define TTF_SUBCLASS 0x0010
#define TTF_TRACK 0x0020
#define TTF_ABSOLUTE 0x0080
#define TTF_TRANSPARENT 0x0100
#define TTF_PARSELINKS 0x1000
#define TTF_DI_SETITEM 0x8000  // NMTTDISPINFO: keep the text given for later showings

#define TTDT_AUTOMATIC 0
#define TTDT_RESHOW 1
#define TTDT_AUTOPOP 2
#define TTDT_INITIAL 3

#ifndef LPSTR_TEXTCALLBACKA
#define LPSTR_TEXTCALLBACKA ((LPSTR)(LONG_PTR)-1)
#define LPSTR_TEXTCALLBACK LPSTR_TEXTCALLBACKA
#endif

typedef struct tagTOOLINFOA {
  UINT cbSize;  // at least TTTOOLINFOA_V1_SIZE
  UINT uFlags;
  HWND hwnd;
  UINT_PTR uId;
  RECT rect;
  HINSTANCE hinst;
  LPSTR lpszText;
  LPARAM lParam;
  void* lpReserved;
} TTTOOLINFOA, *LPTTTOOLINFOA, TOOLINFOA, *LPTOOLINFOA;
typedef TOOLINFOA TOOLINFO;
typedef LPTOOLINFOA LPTOOLINFO;
typedef TTTOOLINFOA TTTOOLINFO;
#define TTTOOLINFOA_V1_SIZE offsetof(TTTOOLINFOA, lParam)
#define TTTOOLINFOA_V2_SIZE offsetof(TTTOOLINFOA, lpReserved)

typedef struct _TT_HITTESTINFOA {
  HWND hwnd;
  POINT pt;
  TTTOOLINFOA ti;
} TTHITTESTINFOA, *LPTTHITTESTINFOA;
typedef TTHITTESTINFOA TTHITTESTINFO;
typedef LPTTHITTESTINFOA LPTTHITTESTINFO;

// Messages (the ANSI forms; tools are described with TOOLINFOA).
#define TTM_ACTIVATE (WM_USER + 1)
#define TTM_SETDELAYTIME (WM_USER + 3)
#define TTM_ADDTOOLA (WM_USER + 4)          // TRUE, FALSE for a bad TOOLINFO
#define TTM_DELTOOLA (WM_USER + 5)
#define TTM_NEWTOOLRECTA (WM_USER + 6)
#define TTM_RELAYEVENT (WM_USER + 7)
#define TTM_GETTOOLINFOA (WM_USER + 8)      // TRUE when the tool exists
#define TTM_SETTOOLINFOA (WM_USER + 9)
#define TTM_HITTESTA (WM_USER + 10)
#define TTM_GETTEXTA (WM_USER + 11)
#define TTM_UPDATETIPTEXTA (WM_USER + 12)
#define TTM_GETTOOLCOUNT (WM_USER + 13)
#define TTM_ENUMTOOLSA (WM_USER + 14)
#define TTM_GETCURRENTTOOLA (WM_USER + 15)
#define TTM_WINDOWFROMPOINT (WM_USER + 16)
#define TTM_TRACKACTIVATE (WM_USER + 17)
#define TTM_TRACKPOSITION (WM_USER + 18)
#define TTM_SETTIPBKCOLOR (WM_USER + 19)
#define TTM_SETTIPTEXTCOLOR (WM_USER + 20)
#define TTM_GETDELAYTIME (WM_USER + 21)
#define TTM_GETTIPBKCOLOR (WM_USER + 22)
#define TTM_GETTIPTEXTCOLOR (WM_USER + 23)
#define TTM_SETMAXTIPWIDTH (WM_USER + 24)
#define TTM_GETMAXTIPWIDTH (WM_USER + 25)
#define TTM_SETMARGIN (WM_USER + 26)
#define TTM_GETMARGIN (WM_USER + 27)
#define TTM_POP (WM_USER + 28)
#define TTM_UPDATE (WM_USER + 29)
#define TTM_POPUP (WM_USER + 34)
#define TTM_ADDTOOL TTM_ADDTOOLA
#define TTM_DELTOOL TTM_DELTOOLA
#define TTM_NEWTOOLRECT TTM_NEWTOOLRECTA
#define TTM_GETTOOLINFO TTM_GETTOOLINFOA
#define TTM_SETTOOLINFO TTM_SETTOOLINFOA
#define TTM_HITTEST TTM_HITTESTA
#define TTM_GETTEXT TTM_GETTEXTA
#define TTM_UPDATETIPTEXT TTM_UPDATETIPTEXTA
#define TTM_ENUMTOOLS TTM_ENUMTOOLSA
#define TTM_GETCURRENTTOOL TTM_GETCURRENTTOOLA

// Notifications, sent to the tool's hwnd with idFrom = the tool's uId.
#define TTN_FIRST (0U - 520U)
#define TTN_GETDISPINFOA (TTN_FIRST - 0)
#define TTN_GETDISPINFOW (TTN_FIRST - 10)
#define TTN_SHOW (TTN_FIRST - 1)
#define TTN_POP (TTN_FIRST - 2)
#define TTN_NEEDTEXTA TTN_GETDISPINFOA
#define TTN_NEEDTEXTW TTN_GETDISPINFOW
#define TTN_GETDISPINFO TTN_GETDISPINFOA
#define TTN_NEEDTEXT TTN_NEEDTEXTA

// The answer to TTN_NEEDTEXT: lpszText pointing at a string (szText, or one
// that lives on), or MAKEINTRESOURCE(id) with hinst; the tooltip takes the
// text when the notification returns. The wide form's text is UTF-16 code
// units, one per WCHAR.
typedef struct tagNMTTDISPINFOA {
  NMHDR hdr;
  LPSTR lpszText;
  char szText[80];
  HINSTANCE hinst;
  UINT uFlags;
  LPARAM lParam;
} NMTTDISPINFOA, *LPNMTTDISPINFOA;
typedef struct tagNMTTDISPINFOW {
  NMHDR hdr;
  WCHAR* lpszText;
  WCHAR szText[80];
  HINSTANCE hinst;
  UINT uFlags;
  LPARAM lParam;
} NMTTDISPINFOW, *LPNMTTDISPINFOW;
typedef NMTTDISPINFOA NMTTDISPINFO;
typedef LPNMTTDISPINFOA LPNMTTDISPINFO;
typedef NMTTDISPINFOA TOOLTIPTEXTA;
typedef NMTTDISPINFOW TOOLTIPTEXTW;
typedef NMTTDISPINFOA TOOLTIPTEXT;
typedef LPNMTTDISPINFOA LPTOOLTIPTEXT;
