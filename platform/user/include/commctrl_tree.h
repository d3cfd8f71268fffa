// Common controls: tree view ("SysTreeView32"): its styles, messages,
// items, notifications and the message helpers, with the home platform's
// names, values and layouts.
#pragma once

#include "commctrl.h"

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
