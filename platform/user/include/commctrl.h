// The common controls: registration (InitCommonControlsEx) and, per control
// family, the window classes, messages, styles and structures.
#pragma once

#include "winuser.h"

typedef struct tagINITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
} INITCOMMONCONTROLSEX, *LPINITCOMMONCONTROLSEX;

#define ICC_LISTVIEW_CLASSES 0x00000001
#define ICC_TREEVIEW_CLASSES 0x00000002
#define ICC_BAR_CLASSES 0x00000004
#define ICC_TAB_CLASSES 0x00000008
#define ICC_UPDOWN_CLASS 0x00000010
#define ICC_PROGRESS_CLASS 0x00000020
#define ICC_WIN95_CLASSES 0x000000FF
#define ICC_STANDARD_CLASSES 0x00004000

// Registers the common control classes. Every family is registered whatever
// dwICC asks for (the classes also exist before the first call, so dialog
// templates naming them work without it). FALSE for a NULL argument or a
// dwSize other than sizeof(INITCOMMONCONTROLSEX).
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce);
void InitCommonControls();

// The families, each in a header of its own.
#include "commctrl_bars.h"
#include "commctrl_tab.h"
