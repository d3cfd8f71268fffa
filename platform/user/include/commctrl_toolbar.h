// Common controls: toolbars ("ToolbarWindow32"), with the home platform's
// names, values and layouts.
//
// A toolbar is a row (or, with TBSTYLE_WRAPABLE, rows) of buttons that draw
// images cut from the bitmaps added with TB_ADDBITMAP, or taken from an image
// list given with TB_SETIMAGELIST. A click on a button sends WM_COMMAND
// (the button's command in the low word, BN_CLICKED in the high word, the
// toolbar's handle in lParam) to the toolbar's parent, or to the window set
// with TB_SETPARENT. TBSTYLE_TOOLTIPS gives the toolbar a tooltip of its own
// (commctrl_tooltip.h); its TTN_NEEDTEXT notifications (idFrom = the button's
// command) are passed on to that same window.
#pragma once

#include <cstddef>

#include "commctrl.h"

// ---------------------------------------------------------------- toolbars
#define TOOLBARCLASSNAMEA "ToolbarWindow32"
#define TOOLBARCLASSNAME TOOLBARCLASSNAMEA

// Button states (fsState).
#define TBSTATE_CHECKED 0x01
#define TBSTATE_PRESSED 0x02
#define TBSTATE_ENABLED 0x04
#define TBSTATE_HIDDEN 0x08
#define TBSTATE_INDETERMINATE 0x10
#define TBSTATE_WRAP 0x20  // the next button starts a new row
#define TBSTATE_ELLIPSES 0x40
#define TBSTATE_MARKED 0x80

// Button styles (fsStyle) and toolbar window styles. A check-group button
// stays checked when clicked again and takes the check from the other
// check-group buttons of its group: the run of TBSTYLE_GROUP buttons around
// it, ended by a separator or a button of another kind.
#define TBSTYLE_BUTTON 0x0000
#define TBSTYLE_SEP 0x0001
#define TBSTYLE_CHECK 0x0002
#define TBSTYLE_GROUP 0x0004
#define TBSTYLE_CHECKGROUP (TBSTYLE_GROUP | TBSTYLE_CHECK)
#define TBSTYLE_DROPDOWN 0x0008
#define TBSTYLE_AUTOSIZE 0x0010
#define TBSTYLE_NOPREFIX 0x0020
#define TBSTYLE_TOOLTIPS 0x0100
#define TBSTYLE_WRAPABLE 0x0200
#define TBSTYLE_ALTDRAG 0x0400
#define TBSTYLE_FLAT 0x0800
#define TBSTYLE_LIST 0x1000
#define TBSTYLE_CUSTOMERASE 0x2000
#define TBSTYLE_REGISTERDROP 0x4000
#define TBSTYLE_TRANSPARENT 0x8000
#define BTNS_BUTTON TBSTYLE_BUTTON
#define BTNS_SEP TBSTYLE_SEP
#define BTNS_CHECK TBSTYLE_CHECK
#define BTNS_GROUP TBSTYLE_GROUP
#define BTNS_CHECKGROUP TBSTYLE_CHECKGROUP
#define BTNS_DROPDOWN TBSTYLE_DROPDOWN
#define BTNS_AUTOSIZE TBSTYLE_AUTOSIZE
#define BTNS_NOPREFIX TBSTYLE_NOPREFIX
#define BTNS_SHOWTEXT 0x0040
#define BTNS_WHOLEDROPDOWN 0x0080

#define TBSTYLE_EX_DRAWDDARROWS 0x00000001
#define TBSTYLE_EX_MIXEDBUTTONS 0x00000008
#define TBSTYLE_EX_HIDECLIPPEDBUTTONS 0x00000010
#define TBSTYLE_EX_DOUBLEBUFFER 0x00000080

// A button. On 64-bit builds the home platform pads the two bytes to eight.
typedef struct _TBBUTTON {
  int iBitmap;    // image index, or for a separator its width (0: the default 8)
  int idCommand;  // 0 for a separator
  BYTE fsState;
  BYTE fsStyle;
  BYTE bReserved[6];
  DWORD_PTR dwData;
  INT_PTR iString;  // index of a string added with TB_ADDSTRING, or a string pointer; -1 none
} TBBUTTON, *PTBBUTTON, *LPTBBUTTON;
typedef const TBBUTTON* LPCTBBUTTON;

// TB_ADDBITMAP: with hInst NULL, nID is an HBITMAP (the toolbar copies it);
// otherwise nID is the id of an RT_BITMAP resource of hInst.
typedef struct tagTBADDBITMAP {
  HINSTANCE hInst;
  UINT_PTR nID;
} TBADDBITMAP, *LPTBADDBITMAP;
#define HINST_COMMCTRL ((HINSTANCE)-1)

typedef struct _TBREPLACEBITMAP {
  HINSTANCE hInstOld;
  UINT_PTR nIDOld;
  HINSTANCE hInstNew;
  UINT_PTR nIDNew;
  int nButtons;
} TBREPLACEBITMAP, *LPTBREPLACEBITMAP;

#define TBIF_IMAGE 0x00000001
#define TBIF_TEXT 0x00000002
#define TBIF_STATE 0x00000004
#define TBIF_STYLE 0x00000008
#define TBIF_LPARAM 0x00000010
#define TBIF_COMMAND 0x00000020
#define TBIF_SIZE 0x00000040
#define TBIF_BYINDEX 0x80000000  // the wParam of TB_GET/SETBUTTONINFO is an index

typedef struct {
  UINT cbSize;
  DWORD dwMask;
  int idCommand;
  int iImage;
  BYTE fsState;
  BYTE fsStyle;
  WORD cx;
  DWORD_PTR lParam;
  LPSTR pszText;
  int cchText;
} TBBUTTONINFOA, *LPTBBUTTONINFOA;
typedef TBBUTTONINFOA TBBUTTONINFO;
typedef LPTBBUTTONINFOA LPTBBUTTONINFO;

// Messages. Results as on the home platform: the setters TRUE, or FALSE for
// an unknown command id or index; TB_IS* and TB_GETSTATE -1 for an unknown
// command; indexes -1 when not found.
#define TB_ENABLEBUTTON (WM_USER + 1)
#define TB_CHECKBUTTON (WM_USER + 2)
#define TB_PRESSBUTTON (WM_USER + 3)
#define TB_HIDEBUTTON (WM_USER + 4)
#define TB_INDETERMINATE (WM_USER + 5)
#define TB_MARKBUTTON (WM_USER + 6)
#define TB_ISBUTTONENABLED (WM_USER + 9)
#define TB_ISBUTTONCHECKED (WM_USER + 10)
#define TB_ISBUTTONPRESSED (WM_USER + 11)
#define TB_ISBUTTONHIDDEN (WM_USER + 12)
#define TB_ISBUTTONINDETERMINATE (WM_USER + 13)
#define TB_ISBUTTONHIGHLIGHTED (WM_USER + 14)
#define TB_SETSTATE (WM_USER + 17)
#define TB_GETSTATE (WM_USER + 18)          // the state, -1 for an unknown command
#define TB_ADDBITMAP (WM_USER + 19)         // index of the first image added, -1 on failure
#define TB_ADDBUTTONSA (WM_USER + 20)
#define TB_INSERTBUTTONA (WM_USER + 21)
#define TB_DELETEBUTTON (WM_USER + 22)
#define TB_GETBUTTON (WM_USER + 23)
#define TB_BUTTONCOUNT (WM_USER + 24)
#define TB_COMMANDTOINDEX (WM_USER + 25)    // -1 for an unknown command
#define TB_ADDSTRINGA (WM_USER + 28)        // index of the first string added, -1 on failure
#define TB_GETITEMRECT (WM_USER + 29)       // by index, in client coordinates
#define TB_BUTTONSTRUCTSIZE (WM_USER + 30)
#define TB_SETBUTTONSIZE (WM_USER + 31)
#define TB_SETBITMAPSIZE (WM_USER + 32)
#define TB_AUTOSIZE (WM_USER + 33)
#define TB_GETTOOLTIPS (WM_USER + 35)
#define TB_SETTOOLTIPS (WM_USER + 36)
#define TB_SETPARENT (WM_USER + 37)         // the previous notify window
#define TB_SETROWS (WM_USER + 39)
#define TB_GETROWS (WM_USER + 40)
#define TB_SETCMDID (WM_USER + 42)
#define TB_CHANGEBITMAP (WM_USER + 43)
#define TB_GETBITMAP (WM_USER + 44)
#define TB_GETBUTTONTEXTA (WM_USER + 45)
#define TB_REPLACEBITMAP (WM_USER + 46)
#define TB_SETINDENT (WM_USER + 47)
#define TB_SETIMAGELIST (WM_USER + 48)      // the previous list
#define TB_GETIMAGELIST (WM_USER + 49)
#define TB_GETRECT (WM_USER + 51)           // by command id
#define TB_SETHOTIMAGELIST (WM_USER + 52)
#define TB_GETHOTIMAGELIST (WM_USER + 53)
#define TB_SETDISABLEDIMAGELIST (WM_USER + 54)
#define TB_GETDISABLEDIMAGELIST (WM_USER + 55)
#define TB_SETSTYLE (WM_USER + 56)
#define TB_GETSTYLE (WM_USER + 57)
#define TB_GETBUTTONSIZE (WM_USER + 58)     // MAKELONG(width, height)
#define TB_SETBUTTONWIDTH (WM_USER + 59)
#define TB_GETBUTTONINFOA (WM_USER + 65)    // index of the button, -1 when not found
#define TB_SETBUTTONINFOA (WM_USER + 66)
#define TB_HITTEST (WM_USER + 69)           // index of the button, or -1 - index of the separator / nearest
#define TB_GETHOTITEM (WM_USER + 71)
#define TB_SETHOTITEM (WM_USER + 72)
#define TB_MOVEBUTTON (WM_USER + 82)
#define TB_GETMAXSIZE (WM_USER + 83)
#define TB_SETEXTENDEDSTYLE (WM_USER + 84)  // the previous extended style
#define TB_GETEXTENDEDSTYLE (WM_USER + 85)
#define TB_GETPADDING (WM_USER + 86)
#define TB_SETPADDING (WM_USER + 87)
#define TB_ADDBUTTONS TB_ADDBUTTONSA
#define TB_INSERTBUTTON TB_INSERTBUTTONA
#define TB_ADDSTRING TB_ADDSTRINGA
#define TB_GETBUTTONTEXT TB_GETBUTTONTEXTA
#define TB_GETBUTTONINFO TB_GETBUTTONINFOA
#define TB_SETBUTTONINFO TB_SETBUTTONINFOA

// Notifications (WM_NOTIFY to the notify window).
#define TBN_FIRST (0U - 700U)
#define TBN_DROPDOWN (TBN_FIRST - 10)
#define TBN_HOTITEMCHANGE (TBN_FIRST - 13)
#define TBDDRET_DEFAULT 0
#define TBDDRET_NODEFAULT 1

typedef struct tagNMTOOLBARA {
  NMHDR hdr;
  int iItem;  // the button's command
  TBBUTTON tbButton;
  int cchText;
  LPSTR pszText;
  RECT rcButton;
} NMTOOLBARA, *LPNMTOOLBARA;
typedef NMTOOLBARA NMTOOLBAR;
typedef LPNMTOOLBARA LPNMTOOLBAR;

#define HICF_OTHER 0x00000000
#define HICF_MOUSE 0x00000001
#define HICF_LEAVING 0x00000020
typedef struct tagNMTBHOTITEM {
  NMHDR hdr;
  int idOld;
  int idNew;
  DWORD dwFlags;
} NMTBHOTITEM, *LPNMTBHOTITEM;
