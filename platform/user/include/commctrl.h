// The common controls: registration (InitCommonControlsEx), the
// notification codes they share and image lists. Each family's window
// class, messages, styles and structures are in a header of its own,
// included at the end: commctrl_list.h (list view), commctrl_tab.h,
// commctrl_toolbar.h, commctrl_tooltip.h, commctrl_tree.h (tree view) and
// commctrl_updown.h.
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

// ---------------------------------------------------------------- notifications
// Every common control tells its parent what happened with WM_NOTIFY: wParam
// is the control's id, lParam an NMHDR (or a structure that begins with one)
// whose code is one of the values below. The families' ranges count down
// from their _FIRST value.
#define NM_FIRST (0U - 0U)
#define NM_OUTOFMEMORY (NM_FIRST - 1)
#define NM_CLICK (NM_FIRST - 2)
#define NM_DBLCLK (NM_FIRST - 3)
#define NM_RETURN (NM_FIRST - 4)
#define NM_RCLICK (NM_FIRST - 5)
#define NM_RDBLCLK (NM_FIRST - 6)
#define NM_SETFOCUS (NM_FIRST - 7)
#define NM_KILLFOCUS (NM_FIRST - 8)
#define NM_CUSTOMDRAW (NM_FIRST - 12)
#define NM_HOVER (NM_FIRST - 13)
#define NM_LAST (NM_FIRST - 99)

#define LVN_FIRST (0U - 100U)
#define LVN_LAST (0U - 199U)
#define HDN_FIRST (0U - 300U)
#define HDN_LAST (0U - 399U)
#define TVN_FIRST (0U - 400U)
#define TVN_LAST (0U - 499U)
#define TTN_FIRST (0U - 520U)
#define TTN_LAST (0U - 549U)
#define TCN_FIRST (0U - 550U)
#define TCN_LAST (0U - 580U)
#define CDN_FIRST (0U - 601U)
#define CDN_LAST (0U - 699U)
#define TBN_FIRST (0U - 700U)
#define TBN_LAST (0U - 720U)
#define UDN_FIRST (0U - 721U)
#define UDN_LAST (0U - 740U)
#define PSN_FIRST (0U - 200U)
#define PSN_LAST (0U - 299U)

#define CLR_NONE 0xFFFFFFFFL
#define CLR_DEFAULT 0xFF000000L

// Text and image values an item can leave to its parent (asked for with
// the families' GETDISPINFO notifications).
#define LPSTR_TEXTCALLBACKA ((LPSTR)(LONG_PTR)-1)
#define LPSTR_TEXTCALLBACK LPSTR_TEXTCALLBACKA
#define I_IMAGECALLBACK (-1)
#define I_IMAGENONE (-2)
#define I_CHILDRENCALLBACK (-1)

// ---------------------------------------------------------------- shared styles and notification formats
#ifndef CCS_TOP
#define CCS_TOP 0x00000001L
#define CCS_NOMOVEY 0x00000002L
#define CCS_BOTTOM 0x00000003L
#define CCS_NORESIZE 0x00000004L
#define CCS_NOPARENTALIGN 0x00000008L
#define CCS_ADJUSTABLE 0x00000020L
#define CCS_NODIVIDER 0x00000040L
#define CCS_VERT 0x00000080L
#define CCS_LEFT (CCS_VERT | CCS_TOP)
#define CCS_RIGHT (CCS_VERT | CCS_BOTTOM)
#define CCS_NOMOVEX (CCS_VERT | CCS_NOMOVEY)
#endif

#ifndef WM_NOTIFYFORMAT
#define WM_NOTIFYFORMAT 0x0055
#define NFR_ANSI 1
#define NFR_UNICODE 2
#define NF_QUERY 3
#define NF_REQUERY 4
#endif

// ---------------------------------------------------------------- image lists
// An image list keeps equally sized images side by side in one bitmap of
// the list's colour depth, and with ILC_MASK a monochrome mask beside it
// (1 = transparent). Index -1 means "all" where a call says so.
struct _IMAGELIST;
typedef struct _IMAGELIST* HIMAGELIST;

#define ILC_MASK 0x00000001
#define ILC_COLOR 0x00000000
#define ILC_COLORDDB 0x000000FE
#define ILC_COLOR4 0x00000004
#define ILC_COLOR8 0x00000008
#define ILC_COLOR16 0x00000010
#define ILC_COLOR24 0x00000018
#define ILC_COLOR32 0x00000020

#define ILD_NORMAL 0x00000000
#define ILD_TRANSPARENT 0x00000001
#define ILD_BLEND25 0x00000002
#define ILD_FOCUS ILD_BLEND25
#define ILD_BLEND50 0x00000004
#define ILD_SELECTED ILD_BLEND50
#define ILD_BLEND ILD_BLEND50
#define ILD_MASK 0x00000010
#define ILD_IMAGE 0x00000020

struct IMAGEINFO {
  HBITMAP hbmImage;  // the list's own bitmaps: do not delete or select them
  HBITMAP hbmMask;   // NULL without ILC_MASK
  int Unused1;
  int Unused2;
  RECT rcImage;  // the image's place in hbmImage
};
typedef IMAGEINFO* LPIMAGEINFO;

// NULL (ERROR_INVALID_PARAMETER) for a size below 1 or a negative count.
HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int cInitial, int cGrow);
// FALSE for an unknown list.
BOOL ImageList_Destroy(HIMAGELIST himl);
int ImageList_GetImageCount(HIMAGELIST himl);  // 0 for an unknown list
// Grows or shrinks the list to uNewCount images (new ones are black).
BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT uNewCount);
// Adds the images of hbmImage, a strip of images side by side (its width
// divided by the list's image width; a last partial image is dropped), with
// their mask from hbmMask (may be NULL: nothing transparent). The index of
// the first image added, -1 on failure.
int ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask);
// The same, with the mask made from the pixels of colour crMask. In a list
// with ILC_MASK those pixels are blacked out in the stored image, so that
// drawing shows the background there; without ILC_MASK the image is stored
// as it is.
int ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask);
BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP hbmImage, HBITMAP hbmMask);
// Removes image i (later ones move down), or all with i = -1.
BOOL ImageList_Remove(HIMAGELIST himl, int i);
#define ImageList_RemoveAll(himl) ImageList_Remove(himl, -1)
// Draws image i with its top left at (x, y). ILD_NORMAL draws over the
// list's background colour when it has one (CLR_NONE: masked, as
// ILD_TRANSPARENT), ILD_TRANSPARENT lets the destination show through the
// mask, ILD_MASK draws the mask alone, ILD_BLEND25/50 mix in the highlight
// colour. FALSE for an unknown list or an index out of range.
BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle);
// dx, dy 0: the whole image. rgbBk CLR_DEFAULT: the list's background,
// CLR_NONE: transparent. rgbFg is the blend colour (CLR_DEFAULT: highlight).
BOOL ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, int dx, int dy, COLORREF rgbBk,
                      COLORREF rgbFg, UINT fStyle);
COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk);  // the previous one, CLR_NONE on failure
COLORREF ImageList_GetBkColor(HIMAGELIST himl);
BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy);
// Changes the image size and removes every image.
BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy);
BOOL ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* pImageInfo);
// A copy with images, mask and background colour; NULL on failure.
HIMAGELIST ImageList_Duplicate(HIMAGELIST himl);

// The families, each in a header of its own.
#include "commctrl_list.h"
#include "commctrl_tab.h"
#include "commctrl_toolbar.h"
#include "commctrl_tooltip.h"
#include "commctrl_tree.h"
#include "commctrl_updown.h"
