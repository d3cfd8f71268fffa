// Common controls: up-down ("msctls_updown32").
#pragma once

#include "commctrl.h"

// ---------------------------------------------------------------- up-down
// An up-down is a pair of arrows that steps a position within a range. With
// a buddy window (UDM_SETBUDDY, or UDS_AUTOBUDDY: the previous control in
// z-order) it takes its place beside it (UDS_ALIGNRIGHT/LEFT, the buddy
// shrinking by the up-down's width) and, with UDS_SETBUDDYINT, writes the
// position into the buddy's text (grouped by thousands with "," unless
// UDS_NOTHOUSANDS) and reads it back from there before each step.
#define UPDOWN_CLASSA "msctls_updown32"
#define UPDOWN_CLASS UPDOWN_CLASSA

#define UD_MAXVAL 0x7fff
#define UD_MINVAL (-UD_MAXVAL)

#define UDS_WRAP 0x0001
#define UDS_SETBUDDYINT 0x0002
#define UDS_ALIGNRIGHT 0x0004
#define UDS_ALIGNLEFT 0x0008
#define UDS_AUTOBUDDY 0x0010
#define UDS_ARROWKEYS 0x0020
#define UDS_HORZ 0x0040
#define UDS_NOTHOUSANDS 0x0080
#define UDS_HOTTRACK 0x0100

struct UDACCEL {
  UINT nSec;  // seconds of holding before this step applies
  UINT nInc;
};
typedef UDACCEL* LPUDACCEL;

#define UDM_SETRANGE (WM_USER + 101)    // lParam MAKELONG(upper, lower), 16-bit
#define UDM_GETRANGE (WM_USER + 102)    // MAKELONG(upper, lower)
#define UDM_SETPOS (WM_USER + 103)      // lParam the position (LOWORD); the previous one
#define UDM_GETPOS (WM_USER + 104)      // LOWORD the position, HIWORD non-zero on error
#define UDM_SETBUDDY (WM_USER + 105)    // wParam the buddy; the previous one
#define UDM_GETBUDDY (WM_USER + 106)
#define UDM_SETACCEL (WM_USER + 107)    // wParam the count, lParam UDACCEL*
#define UDM_GETACCEL (WM_USER + 108)
#define UDM_SETBASE (WM_USER + 109)     // wParam 10 or 16; the previous base, 0 for others
#define UDM_GETBASE (WM_USER + 110)
#define UDM_SETRANGE32 (WM_USER + 111)  // wParam the lower, lParam the upper limit
#define UDM_GETRANGE32 (WM_USER + 112)  // wParam int* lower, lParam int* upper
#define UDM_SETPOS32 (WM_USER + 113)    // lParam the position; the previous one
#define UDM_GETPOS32 (WM_USER + 114)    // lParam BOOL* set TRUE on error

// UDN_DELTAPOS: sent before each step; a non-zero result cancels it, and
// the parent may change iDelta. After the step the parent gets WM_VSCROLL
// (WM_HSCROLL with UDS_HORZ) with SB_THUMBPOSITION and the new position in
// the high word of wParam, lParam the up-down, and SB_ENDSCROLL when the
// button is released.
struct NMUPDOWN {
  NMHDR hdr;
  int iPos;
  int iDelta;
};
typedef NMUPDOWN* LPNMUPDOWN;
typedef NMUPDOWN NM_UPDOWN;
#define UDN_DELTAPOS (UDN_FIRST - 1)

// Makes an up-down with its buddy, range and position; NULL on failure.
HWND CreateUpDownControl(DWORD dwStyle, int x, int y, int cx, int cy, HWND hParent, int nID, HINSTANCE hInst,
                         HWND hBuddy, int nUpper, int nLower, int nPos);
