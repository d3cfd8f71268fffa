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

// ---------------------------------------------------------------- tree view
#define WC_TREEVIEWA "SysTreeView32"
#define WC_TREEVIEW WC_TREEVIEWA

#define TVS_HASBUTTONS 0x0001
#define TVS_HASLINES 0x0002
#define TVS_LINESATROOT 0x0004
#define TVS_EDITLABELS 0x0008
#define TVS_DISABLEDRAGDROP 0x0010
#define TVS_SHOWSELALWAYS 0x0020
#define TVS_RTLREADING 0x0040
#define TVS_NOTOOLTIPS 0x0080
#define TVS_CHECKBOXES 0x0100
#define TVS_TRACKSELECT 0x0200
#define TVS_SINGLEEXPAND 0x0400
#define TVS_INFOTIP 0x0800
#define TVS_FULLROWSELECT 0x1000
#define TVS_NOSCROLL 0x2000
#define TVS_NONEVENHEIGHT 0x4000
#define TVS_NOHSCROLL 0x8000

struct _TREEITEM;
typedef struct _TREEITEM* HTREEITEM;

#define TVI_ROOT ((HTREEITEM)(ULONG_PTR)-0x10000)
#define TVI_FIRST ((HTREEITEM)(ULONG_PTR)-0x0FFFF)
#define TVI_LAST ((HTREEITEM)(ULONG_PTR)-0x0FFFE)
#define TVI_SORT ((HTREEITEM)(ULONG_PTR)-0x0FFFD)

#define TVIF_TEXT 0x0001
#define TVIF_IMAGE 0x0002
#define TVIF_PARAM 0x0004
#define TVIF_STATE 0x0008
#define TVIF_HANDLE 0x0010
#define TVIF_SELECTEDIMAGE 0x0020
#define TVIF_CHILDREN 0x0040
#define TVIF_INTEGRAL 0x0080

#define TVIS_SELECTED 0x0002
#define TVIS_CUT 0x0004
#define TVIS_DROPHILITED 0x0008
#define TVIS_BOLD 0x0010
#define TVIS_EXPANDED 0x0020
#define TVIS_EXPANDEDONCE 0x0040
#define TVIS_EXPANDPARTIAL 0x0080
#define TVIS_OVERLAYMASK 0x0F00
#define TVIS_STATEIMAGEMASK 0xF000
#define TVIS_USERMASK 0xF000

struct TVITEMA {
  UINT mask;
  HTREEITEM hItem;
  UINT state;
  UINT stateMask;
  LPSTR pszText;
  int cchTextMax;
  int iImage;
  int iSelectedImage;
  int cChildren;
  LPARAM lParam;
};
typedef TVITEMA TVITEM;
typedef TVITEMA* LPTVITEMA;
typedef TVITEMA* LPTVITEM;
typedef TVITEMA TV_ITEM;
typedef TVITEMA TV_ITEMA;

struct TVINSERTSTRUCTA {
  HTREEITEM hParent;       // TVI_ROOT or NULL: a top-level item
  HTREEITEM hInsertAfter;  // TVI_FIRST, TVI_LAST, TVI_SORT or a sibling
  TVITEMA item;
};
typedef TVINSERTSTRUCTA TVINSERTSTRUCT;
typedef TVINSERTSTRUCTA* LPTVINSERTSTRUCTA;
typedef TVINSERTSTRUCTA* LPTVINSERTSTRUCT;
typedef TVINSERTSTRUCTA TV_INSERTSTRUCT;
typedef TVINSERTSTRUCTA TV_INSERTSTRUCTA;

#define TV_FIRST 0x1100
#define TVM_INSERTITEMA (TV_FIRST + 0)     // lParam TVINSERTSTRUCT*; the new item, NULL on failure
#define TVM_INSERTITEM TVM_INSERTITEMA
#define TVM_DELETEITEM (TV_FIRST + 1)      // lParam the item with its subtree, or TVI_ROOT (NULL): all
#define TVM_EXPAND (TV_FIRST + 2)          // wParam TVE_*, lParam the item; TRUE when something changed
#define TVM_GETITEMRECT (TV_FIRST + 4)     // wParam TRUE: the text only; *(HTREEITEM*)lParam in, RECT out
#define TVM_GETCOUNT (TV_FIRST + 5)
#define TVM_GETINDENT (TV_FIRST + 6)
#define TVM_SETINDENT (TV_FIRST + 7)
#define TVM_GETIMAGELIST (TV_FIRST + 8)    // wParam TVSIL_*
#define TVM_SETIMAGELIST (TV_FIRST + 9)    // wParam TVSIL_*, lParam HIMAGELIST; the previous list
#define TVM_GETNEXTITEM (TV_FIRST + 10)    // wParam TVGN_*, lParam the item; NULL when there is none
#define TVM_SELECTITEM (TV_FIRST + 11)     // wParam TVGN_CARET, _DROPHILITE or _FIRSTVISIBLE
#define TVM_GETITEMA (TV_FIRST + 12)
#define TVM_GETITEM TVM_GETITEMA
#define TVM_SETITEMA (TV_FIRST + 13)
#define TVM_SETITEM TVM_SETITEMA
#define TVM_EDITLABELA (TV_FIRST + 14)
#define TVM_EDITLABEL TVM_EDITLABELA
#define TVM_GETEDITCONTROL (TV_FIRST + 15)
#define TVM_GETVISIBLECOUNT (TV_FIRST + 16)
#define TVM_HITTEST (TV_FIRST + 17)        // lParam TVHITTESTINFO*; the item hit or NULL
#define TVM_CREATEDRAGIMAGE (TV_FIRST + 18)
#define TVM_SORTCHILDREN (TV_FIRST + 19)
#define TVM_ENSUREVISIBLE (TV_FIRST + 20)
#define TVM_SORTCHILDRENCB (TV_FIRST + 21)
#define TVM_ENDEDITLABELNOW (TV_FIRST + 22)
#define TVM_SETITEMHEIGHT (TV_FIRST + 27)
#define TVM_GETITEMHEIGHT (TV_FIRST + 28)
#define TVM_SETBKCOLOR (TV_FIRST + 29)
#define TVM_SETTEXTCOLOR (TV_FIRST + 30)
#define TVM_GETBKCOLOR (TV_FIRST + 31)
#define TVM_GETTEXTCOLOR (TV_FIRST + 32)
#define TVM_GETITEMSTATE (TV_FIRST + 39)

#define TVE_COLLAPSE 0x0001
#define TVE_EXPAND 0x0002
#define TVE_TOGGLE 0x0003
#define TVE_EXPANDPARTIAL 0x4000
#define TVE_COLLAPSERESET 0x8000

#define TVSIL_NORMAL 0
#define TVSIL_STATE 2

#define TVGN_ROOT 0x0000
#define TVGN_NEXT 0x0001
#define TVGN_PREVIOUS 0x0002
#define TVGN_PARENT 0x0003
#define TVGN_CHILD 0x0004
#define TVGN_FIRSTVISIBLE 0x0005
#define TVGN_NEXTVISIBLE 0x0006
#define TVGN_PREVIOUSVISIBLE 0x0007
#define TVGN_DROPHILITE 0x0008
#define TVGN_CARET 0x0009
#define TVGN_LASTVISIBLE 0x000A

struct TVHITTESTINFO {
  POINT pt;  // client coordinates
  UINT flags;
  HTREEITEM hItem;
};
typedef TVHITTESTINFO* LPTVHITTESTINFO;
typedef TVHITTESTINFO TV_HITTESTINFO;

#define TVHT_NOWHERE 0x0001
#define TVHT_ONITEMICON 0x0002
#define TVHT_ONITEMLABEL 0x0004
#define TVHT_ONITEMINDENT 0x0008
#define TVHT_ONITEMBUTTON 0x0010
#define TVHT_ONITEMRIGHT 0x0020
#define TVHT_ONITEMSTATEICON 0x0040
#define TVHT_ONITEM (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON)
#define TVHT_ABOVE 0x0100
#define TVHT_BELOW 0x0200
#define TVHT_TORIGHT 0x0400
#define TVHT_TOLEFT 0x0800

#define TVC_UNKNOWN 0x0000
#define TVC_BYMOUSE 0x0001
#define TVC_BYKEYBOARD 0x0002

#define TVN_SELCHANGINGA (TVN_FIRST - 1)  // return TRUE to keep the old selection
#define TVN_SELCHANGEDA (TVN_FIRST - 2)
#define TVN_GETDISPINFOA (TVN_FIRST - 3)
#define TVN_SETDISPINFOA (TVN_FIRST - 4)
#define TVN_ITEMEXPANDINGA (TVN_FIRST - 5)  // return TRUE to stop the change
#define TVN_ITEMEXPANDEDA (TVN_FIRST - 6)
#define TVN_BEGINDRAGA (TVN_FIRST - 7)
#define TVN_BEGINRDRAGA (TVN_FIRST - 8)
#define TVN_DELETEITEMA (TVN_FIRST - 9)
#define TVN_BEGINLABELEDITA (TVN_FIRST - 10)
#define TVN_ENDLABELEDITA (TVN_FIRST - 11)
#define TVN_KEYDOWN (TVN_FIRST - 12)
#define TVN_SELCHANGING TVN_SELCHANGINGA
#define TVN_SELCHANGED TVN_SELCHANGEDA
#define TVN_GETDISPINFO TVN_GETDISPINFOA
#define TVN_SETDISPINFO TVN_SETDISPINFOA
#define TVN_ITEMEXPANDING TVN_ITEMEXPANDINGA
#define TVN_ITEMEXPANDED TVN_ITEMEXPANDEDA
#define TVN_BEGINDRAG TVN_BEGINDRAGA
#define TVN_BEGINRDRAG TVN_BEGINRDRAGA
#define TVN_DELETEITEM TVN_DELETEITEMA
#define TVN_BEGINLABELEDIT TVN_BEGINLABELEDITA
#define TVN_ENDLABELEDIT TVN_ENDLABELEDITA

// TVN_SELCHANG*, TVN_ITEMEXPAND*, TVN_DELETEITEM (itemOld), TVN_BEGIN*DRAG.
// action: TVC_* for selections, TVE_* for expansions.
struct NMTREEVIEWA {
  NMHDR hdr;
  UINT action;
  TVITEMA itemOld;
  TVITEMA itemNew;
  POINT ptDrag;
};
typedef NMTREEVIEWA NMTREEVIEW;
typedef NMTREEVIEWA* LPNMTREEVIEWA;
typedef NMTREEVIEWA* LPNMTREEVIEW;
typedef NMTREEVIEWA NM_TREEVIEW;
typedef NMTREEVIEWA NM_TREEVIEWA;

struct NMTVDISPINFOA {
  NMHDR hdr;
  TVITEMA item;
};
typedef NMTVDISPINFOA NMTVDISPINFO;
typedef NMTVDISPINFOA TV_DISPINFO;
typedef NMTVDISPINFOA* LPNMTVDISPINFO;

struct NMTVKEYDOWN {
  NMHDR hdr;
  WORD wVKey;
  UINT flags;
};
typedef NMTVKEYDOWN TV_KEYDOWN;
typedef NMTVKEYDOWN* LPNMTVKEYDOWN;

// The home platform's message helpers, as functions (their results may be ignored).
inline HTREEITEM TreeView_InsertItem(HWND hwnd, const TVINSERTSTRUCTA* lpis) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(hwnd, TVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(lpis)));
}
inline BOOL TreeView_DeleteItem(HWND hwnd, HTREEITEM hitem) {
  return static_cast<BOOL>(SendMessageA(hwnd, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(hitem)));
}
inline BOOL TreeView_DeleteAllItems(HWND hwnd) { return TreeView_DeleteItem(hwnd, TVI_ROOT); }
inline BOOL TreeView_Expand(HWND hwnd, HTREEITEM hitem, UINT code) {
  return static_cast<BOOL>(SendMessageA(hwnd, TVM_EXPAND, code, reinterpret_cast<LPARAM>(hitem)));
}
inline UINT TreeView_GetCount(HWND hwnd) { return static_cast<UINT>(SendMessageA(hwnd, TVM_GETCOUNT, 0, 0)); }
inline HIMAGELIST TreeView_GetImageList(HWND hwnd, int iImage) {
  return reinterpret_cast<HIMAGELIST>(SendMessageA(hwnd, TVM_GETIMAGELIST, static_cast<WPARAM>(iImage), 0));
}
inline HIMAGELIST TreeView_SetImageList(HWND hwnd, HIMAGELIST himl, int iImage) {
  return reinterpret_cast<HIMAGELIST>(
      SendMessageA(hwnd, TVM_SETIMAGELIST, static_cast<WPARAM>(iImage), reinterpret_cast<LPARAM>(himl)));
}
inline HTREEITEM TreeView_GetNextItem(HWND hwnd, HTREEITEM hitem, UINT code) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(hwnd, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(hitem)));
}
inline HTREEITEM TreeView_GetChild(HWND hwnd, HTREEITEM hitem) { return TreeView_GetNextItem(hwnd, hitem, TVGN_CHILD); }
inline HTREEITEM TreeView_GetNextSibling(HWND hwnd, HTREEITEM hitem) { return TreeView_GetNextItem(hwnd, hitem, TVGN_NEXT); }
inline HTREEITEM TreeView_GetPrevSibling(HWND hwnd, HTREEITEM hitem) { return TreeView_GetNextItem(hwnd, hitem, TVGN_PREVIOUS); }
inline HTREEITEM TreeView_GetParent(HWND hwnd, HTREEITEM hitem) { return TreeView_GetNextItem(hwnd, hitem, TVGN_PARENT); }
inline HTREEITEM TreeView_GetFirstVisible(HWND hwnd) { return TreeView_GetNextItem(hwnd, nullptr, TVGN_FIRSTVISIBLE); }
inline HTREEITEM TreeView_GetNextVisible(HWND hwnd, HTREEITEM hitem) { return TreeView_GetNextItem(hwnd, hitem, TVGN_NEXTVISIBLE); }
inline HTREEITEM TreeView_GetPrevVisible(HWND hwnd, HTREEITEM hitem) {
  return TreeView_GetNextItem(hwnd, hitem, TVGN_PREVIOUSVISIBLE);
}
inline HTREEITEM TreeView_GetLastVisible(HWND hwnd) { return TreeView_GetNextItem(hwnd, nullptr, TVGN_LASTVISIBLE); }
inline HTREEITEM TreeView_GetSelection(HWND hwnd) { return TreeView_GetNextItem(hwnd, nullptr, TVGN_CARET); }
inline HTREEITEM TreeView_GetRoot(HWND hwnd) { return TreeView_GetNextItem(hwnd, nullptr, TVGN_ROOT); }
inline BOOL TreeView_Select(HWND hwnd, HTREEITEM hitem, UINT code) {
  return static_cast<BOOL>(SendMessageA(hwnd, TVM_SELECTITEM, code, reinterpret_cast<LPARAM>(hitem)));
}
inline BOOL TreeView_SelectItem(HWND hwnd, HTREEITEM hitem) { return TreeView_Select(hwnd, hitem, TVGN_CARET); }
inline BOOL TreeView_GetItem(HWND hwnd, TVITEMA* pitem) {
  return static_cast<BOOL>(SendMessageA(hwnd, TVM_GETITEM, 0, reinterpret_cast<LPARAM>(pitem)));
}
inline BOOL TreeView_SetItem(HWND hwnd, const TVITEMA* pitem) {
  return static_cast<BOOL>(SendMessageA(hwnd, TVM_SETITEM, 0, reinterpret_cast<LPARAM>(pitem)));
}
inline UINT TreeView_GetItemState(HWND hwnd, HTREEITEM hitem, UINT mask) {
  return static_cast<UINT>(SendMessageA(hwnd, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(hitem), mask));
}
inline HTREEITEM TreeView_HitTest(HWND hwnd, TVHITTESTINFO* lpht) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(hwnd, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(lpht)));
}

// ---------------------------------------------------------------- list view
// Only the report view (LVS_REPORT: a header of columns over rows of items
// and sub-items) is drawn; the icon views keep their data and draw as a
// report without header.
#define WC_LISTVIEWA "SysListView32"
#define WC_LISTVIEW WC_LISTVIEWA

#define LVS_ICON 0x0000
#define LVS_REPORT 0x0001
#define LVS_SMALLICON 0x0002
#define LVS_LIST 0x0003
#define LVS_TYPEMASK 0x0003
#define LVS_SINGLESEL 0x0004
#define LVS_SHOWSELALWAYS 0x0008
#define LVS_SORTASCENDING 0x0010
#define LVS_SORTDESCENDING 0x0020
#define LVS_SHAREIMAGELISTS 0x0040
#define LVS_NOLABELWRAP 0x0080
#define LVS_AUTOARRANGE 0x0100
#define LVS_EDITLABELS 0x0200
#define LVS_OWNERDRAWFIXED 0x0400
#define LVS_OWNERDATA 0x1000
#define LVS_NOSCROLL 0x2000
#define LVS_NOCOLUMNHEADER 0x4000
#define LVS_NOSORTHEADER 0x8000

#define LVS_EX_GRIDLINES 0x00000001
#define LVS_EX_SUBITEMIMAGES 0x00000002
#define LVS_EX_CHECKBOXES 0x00000004
#define LVS_EX_TRACKSELECT 0x00000008
#define LVS_EX_HEADERDRAGDROP 0x00000010
#define LVS_EX_FULLROWSELECT 0x00000020
#define LVS_EX_ONECLICKACTIVATE 0x00000040

#define LVIF_TEXT 0x0001
#define LVIF_IMAGE 0x0002
#define LVIF_PARAM 0x0004
#define LVIF_STATE 0x0008
#define LVIF_INDENT 0x0010

#define LVIS_FOCUSED 0x0001
#define LVIS_SELECTED 0x0002
#define LVIS_CUT 0x0004
#define LVIS_DROPHILITED 0x0008
#define LVIS_OVERLAYMASK 0x0F00
#define LVIS_STATEIMAGEMASK 0xF000

struct LVITEMA {
  UINT mask;
  int iItem;
  int iSubItem;
  UINT state;
  UINT stateMask;
  LPSTR pszText;
  int cchTextMax;
  int iImage;
  LPARAM lParam;
  int iIndent;
};
typedef LVITEMA LVITEM;
typedef LVITEMA* LPLVITEMA;
typedef LVITEMA* LPLVITEM;
typedef LVITEMA LV_ITEM;
typedef LVITEMA LV_ITEMA;

#define LVCF_FMT 0x0001
#define LVCF_WIDTH 0x0002
#define LVCF_TEXT 0x0004
#define LVCF_SUBITEM 0x0008
#define LVCF_IMAGE 0x0010
#define LVCF_ORDER 0x0020

#define LVCFMT_LEFT 0x0000
#define LVCFMT_RIGHT 0x0001
#define LVCFMT_CENTER 0x0002
#define LVCFMT_JUSTIFYMASK 0x0003

struct LVCOLUMNA {
  UINT mask;
  int fmt;
  int cx;
  LPSTR pszText;
  int cchTextMax;
  int iSubItem;
  int iImage;
  int iOrder;
};
typedef LVCOLUMNA LVCOLUMN;
typedef LVCOLUMNA* LPLVCOLUMNA;
typedef LVCOLUMNA* LPLVCOLUMN;
typedef LVCOLUMNA LV_COLUMN;
typedef LVCOLUMNA LV_COLUMNA;

#define LVNI_ALL 0x0000
#define LVNI_FOCUSED 0x0001
#define LVNI_SELECTED 0x0002
#define LVNI_CUT 0x0004
#define LVNI_DROPHILITED 0x0008
#define LVNI_ABOVE 0x0100
#define LVNI_BELOW 0x0200
#define LVNI_TOLEFT 0x0400
#define LVNI_TORIGHT 0x0800

struct LVHITTESTINFO {
  POINT pt;  // client coordinates
  UINT flags;
  int iItem;
  int iSubItem;  // LVM_SUBITEMHITTEST only
};
typedef LVHITTESTINFO* LPLVHITTESTINFO;
typedef LVHITTESTINFO LV_HITTESTINFO;

#define LVHT_NOWHERE 0x0001
#define LVHT_ONITEMICON 0x0002
#define LVHT_ONITEMLABEL 0x0004
#define LVHT_ONITEMSTATEICON 0x0008
#define LVHT_ONITEM (LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON)
#define LVHT_ABOVE 0x0008
#define LVHT_BELOW 0x0010
#define LVHT_TORIGHT 0x0020
#define LVHT_TOLEFT 0x0040

#define LVFI_PARAM 0x0001
#define LVFI_STRING 0x0002
#define LVFI_PARTIAL 0x0008
#define LVFI_WRAP 0x0020

struct LVFINDINFOA {
  UINT flags;
  LPCSTR psz;
  LPARAM lParam;
  POINT pt;
  UINT vkDirection;
};
typedef LVFINDINFOA LVFINDINFO;
typedef LVFINDINFOA LV_FINDINFO;

#define LVIR_BOUNDS 0
#define LVIR_ICON 1
#define LVIR_LABEL 2
#define LVIR_SELECTBOUNDS 3

#define LVSIL_NORMAL 0
#define LVSIL_SMALL 1
#define LVSIL_STATE 2

#define LVSCW_AUTOSIZE (-1)
#define LVSCW_AUTOSIZE_USEHEADER (-2)

#define LVM_FIRST 0x1000
#define LVM_GETBKCOLOR (LVM_FIRST + 0)
#define LVM_SETBKCOLOR (LVM_FIRST + 1)
#define LVM_GETIMAGELIST (LVM_FIRST + 2)
#define LVM_SETIMAGELIST (LVM_FIRST + 3)
#define LVM_GETITEMCOUNT (LVM_FIRST + 4)
#define LVM_GETITEMA (LVM_FIRST + 5)        // lParam LVITEM* (iItem, iSubItem, mask in)
#define LVM_GETITEM LVM_GETITEMA
#define LVM_SETITEMA (LVM_FIRST + 6)
#define LVM_SETITEM LVM_SETITEMA
#define LVM_INSERTITEMA (LVM_FIRST + 7)     // the new item's index, -1 on failure
#define LVM_INSERTITEM LVM_INSERTITEMA
#define LVM_DELETEITEM (LVM_FIRST + 8)
#define LVM_DELETEALLITEMS (LVM_FIRST + 9)
#define LVM_GETCALLBACKMASK (LVM_FIRST + 10)
#define LVM_SETCALLBACKMASK (LVM_FIRST + 11)
#define LVM_GETNEXTITEM (LVM_FIRST + 12)    // wParam the item to start after (-1: from the top), lParam LVNI_*
#define LVM_FINDITEMA (LVM_FIRST + 13)
#define LVM_FINDITEM LVM_FINDITEMA
#define LVM_GETITEMRECT (LVM_FIRST + 14)    // lParam RECT* with left = LVIR_*
#define LVM_SETITEMPOSITION (LVM_FIRST + 15)
#define LVM_GETITEMPOSITION (LVM_FIRST + 16)
#define LVM_GETSTRINGWIDTHA (LVM_FIRST + 17)
#define LVM_GETSTRINGWIDTH LVM_GETSTRINGWIDTHA
#define LVM_HITTEST (LVM_FIRST + 18)
#define LVM_ENSUREVISIBLE (LVM_FIRST + 19)
#define LVM_SCROLL (LVM_FIRST + 20)
#define LVM_REDRAWITEMS (LVM_FIRST + 21)
#define LVM_ARRANGE (LVM_FIRST + 22)
#define LVM_EDITLABELA (LVM_FIRST + 23)
#define LVM_EDITLABEL LVM_EDITLABELA
#define LVM_GETEDITCONTROL (LVM_FIRST + 24)
#define LVM_GETCOLUMNA (LVM_FIRST + 25)
#define LVM_GETCOLUMN LVM_GETCOLUMNA
#define LVM_SETCOLUMNA (LVM_FIRST + 26)
#define LVM_SETCOLUMN LVM_SETCOLUMNA
#define LVM_INSERTCOLUMNA (LVM_FIRST + 27)  // the new column's index, -1 on failure
#define LVM_INSERTCOLUMN LVM_INSERTCOLUMNA
#define LVM_DELETECOLUMN (LVM_FIRST + 28)
#define LVM_GETCOLUMNWIDTH (LVM_FIRST + 29)
#define LVM_SETCOLUMNWIDTH (LVM_FIRST + 30)
#define LVM_GETHEADER (LVM_FIRST + 31)
#define LVM_GETVIEWRECT (LVM_FIRST + 34)
#define LVM_GETTEXTCOLOR (LVM_FIRST + 35)
#define LVM_SETTEXTCOLOR (LVM_FIRST + 36)
#define LVM_GETTEXTBKCOLOR (LVM_FIRST + 37)
#define LVM_SETTEXTBKCOLOR (LVM_FIRST + 38)
#define LVM_GETTOPINDEX (LVM_FIRST + 39)
#define LVM_GETCOUNTPERPAGE (LVM_FIRST + 40)
#define LVM_GETORIGIN (LVM_FIRST + 41)
#define LVM_UPDATE (LVM_FIRST + 42)
#define LVM_SETITEMSTATE (LVM_FIRST + 43)   // wParam the item (-1: all), lParam LVITEM* (state, stateMask)
#define LVM_GETITEMSTATE (LVM_FIRST + 44)   // wParam the item, lParam the mask
#define LVM_GETITEMTEXTA (LVM_FIRST + 45)   // wParam the item, lParam LVITEM* (iSubItem, pszText, cchTextMax); the length
#define LVM_GETITEMTEXT LVM_GETITEMTEXTA
#define LVM_SETITEMTEXTA (LVM_FIRST + 46)
#define LVM_SETITEMTEXT LVM_SETITEMTEXTA
#define LVM_SETITEMCOUNT (LVM_FIRST + 47)
#define LVM_SORTITEMS (LVM_FIRST + 48)
#define LVM_GETSELECTEDCOUNT (LVM_FIRST + 50)
#define LVM_SETEXTENDEDLISTVIEWSTYLE (LVM_FIRST + 54)  // wParam the mask (0: all), lParam the styles; the old ones
#define LVM_GETEXTENDEDLISTVIEWSTYLE (LVM_FIRST + 55)
#define LVM_GETSUBITEMRECT (LVM_FIRST + 56)            // wParam the item, lParam RECT* (top = sub-item, left = LVIR_*)
#define LVM_SUBITEMHITTEST (LVM_FIRST + 57)
#define LVM_GETSELECTIONMARK (LVM_FIRST + 66)
#define LVM_SETSELECTIONMARK (LVM_FIRST + 67)

#define LVN_ITEMCHANGING (LVN_FIRST - 0)  // return TRUE to refuse the change
#define LVN_ITEMCHANGED (LVN_FIRST - 1)
#define LVN_INSERTITEM (LVN_FIRST - 2)
#define LVN_DELETEITEM (LVN_FIRST - 3)
#define LVN_DELETEALLITEMS (LVN_FIRST - 4)
#define LVN_BEGINLABELEDITA (LVN_FIRST - 5)
#define LVN_ENDLABELEDITA (LVN_FIRST - 6)
#define LVN_COLUMNCLICK (LVN_FIRST - 8)
#define LVN_BEGINDRAG (LVN_FIRST - 9)
#define LVN_BEGINRDRAG (LVN_FIRST - 11)
#define LVN_ITEMACTIVATE (LVN_FIRST - 14)
#define LVN_GETDISPINFOA (LVN_FIRST - 50)
#define LVN_SETDISPINFOA (LVN_FIRST - 51)
#define LVN_KEYDOWN (LVN_FIRST - 55)
#define LVN_BEGINLABELEDIT LVN_BEGINLABELEDITA
#define LVN_ENDLABELEDIT LVN_ENDLABELEDITA
#define LVN_GETDISPINFO LVN_GETDISPINFOA
#define LVN_SETDISPINFO LVN_SETDISPINFOA

// LVN_ITEMCHANG*, LVN_INSERTITEM, LVN_DELETEITEM, LVN_COLUMNCLICK (iSubItem).
struct NMLISTVIEW {
  NMHDR hdr;
  int iItem;
  int iSubItem;
  UINT uNewState;
  UINT uOldState;
  UINT uChanged;  // LVIF_*
  POINT ptAction;
  LPARAM lParam;
};
typedef NMLISTVIEW* LPNMLISTVIEW;
typedef NMLISTVIEW NM_LISTVIEW;

// NM_CLICK, NM_DBLCLK, NM_RCLICK of a list view and LVN_ITEMACTIVATE: the
// item and sub-item under the point (-1 off the items).
struct NMITEMACTIVATE {
  NMHDR hdr;
  int iItem;
  int iSubItem;
  UINT uNewState;
  UINT uOldState;
  UINT uChanged;
  POINT ptAction;
  LPARAM lParam;
  UINT uKeyFlags;
};
typedef NMITEMACTIVATE* LPNMITEMACTIVATE;

struct NMLVKEYDOWN {
  NMHDR hdr;
  WORD wVKey;
  UINT flags;
};
typedef NMLVKEYDOWN LV_KEYDOWN;
typedef NMLVKEYDOWN* LPNMLVKEYDOWN;

struct NMLVDISPINFOA {
  NMHDR hdr;
  LVITEMA item;
};
typedef NMLVDISPINFOA NMLVDISPINFO;
typedef NMLVDISPINFOA LV_DISPINFO;

typedef int(CALLBACK* PFNLVCOMPARE)(LPARAM lParam1, LPARAM lParam2, LPARAM lParamSort);

inline int ListView_GetItemCount(HWND hwnd) { return static_cast<int>(SendMessageA(hwnd, LVM_GETITEMCOUNT, 0, 0)); }
inline int ListView_InsertItem(HWND hwnd, const LVITEMA* pitem) {
  return static_cast<int>(SendMessageA(hwnd, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(pitem)));
}
inline BOOL ListView_DeleteItem(HWND hwnd, int i) {
  return static_cast<BOOL>(SendMessageA(hwnd, LVM_DELETEITEM, static_cast<WPARAM>(i), 0));
}
inline BOOL ListView_DeleteAllItems(HWND hwnd) { return static_cast<BOOL>(SendMessageA(hwnd, LVM_DELETEALLITEMS, 0, 0)); }
inline int ListView_GetNextItem(HWND hwnd, int i, UINT flags) {
  return static_cast<int>(SendMessageA(hwnd, LVM_GETNEXTITEM, static_cast<WPARAM>(i), MAKELPARAM(flags, 0)));
}
inline int ListView_InsertColumn(HWND hwnd, int iCol, const LVCOLUMNA* pcol) {
  return static_cast<int>(SendMessageA(hwnd, LVM_INSERTCOLUMN, static_cast<WPARAM>(iCol), reinterpret_cast<LPARAM>(pcol)));
}
inline int ListView_HitTest(HWND hwnd, LVHITTESTINFO* pinfo) {
  return static_cast<int>(SendMessageA(hwnd, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(pinfo)));
}
inline int ListView_SubItemHitTest(HWND hwnd, LVHITTESTINFO* pinfo) {
  return static_cast<int>(SendMessageA(hwnd, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(pinfo)));
}
inline UINT ListView_GetSelectedCount(HWND hwnd) { return static_cast<UINT>(SendMessageA(hwnd, LVM_GETSELECTEDCOUNT, 0, 0)); }
inline UINT ListView_GetItemState(HWND hwnd, int i, UINT mask) {
  return static_cast<UINT>(SendMessageA(hwnd, LVM_GETITEMSTATE, static_cast<WPARAM>(i), static_cast<LPARAM>(mask)));
}
inline BOOL ListView_SetItemState(HWND hwnd, int i, UINT state, UINT mask) {
  LVITEMA item{};
  item.state = state;
  item.stateMask = mask;
  return static_cast<BOOL>(SendMessageA(hwnd, LVM_SETITEMSTATE, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)));
}
inline void ListView_GetItemText(HWND hwnd, int i, int iSubItem, LPSTR pszText, int cchTextMax) {
  LVITEMA item{};
  item.iSubItem = iSubItem;
  item.pszText = pszText;
  item.cchTextMax = cchTextMax;
  SendMessageA(hwnd, LVM_GETITEMTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
}
inline BOOL ListView_SetItemText(HWND hwnd, int i, int iSubItem, LPCSTR pszText) {
  LVITEMA item{};
  item.iSubItem = iSubItem;
  item.pszText = const_cast<LPSTR>(pszText);
  return static_cast<BOOL>(SendMessageA(hwnd, LVM_SETITEMTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)));
}
inline DWORD ListView_SetExtendedListViewStyle(HWND hwnd, DWORD dw) {
  return static_cast<DWORD>(SendMessageA(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(dw)));
}

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

// The families, each in a header of its own.
#include "commctrl_bars.h"
#include "commctrl_tab.h"
