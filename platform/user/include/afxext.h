// The framework's control bars: CControlBar (the bar styles) and CToolBar,
// a toolbar window loaded from a toolbar resource.
//
// A toolbar resource (RT_TOOLBAR) is the framework's layout, little-endian
// WORDs:
//   wVersion (1), wWidth, wHeight (one image), wItemCount,
//   then wItemCount command ids, 0 for a separator.
// LoadToolBar reads it and loads the RT_BITMAP of the same name as the
// images, one per non-separator button, in order.
//
// A CToolBar is itself the "ToolbarWindow32" window; GetToolBarCtrl gives a
// CToolBarCtrl over the same window for the TB_ messages.
#pragma once

#include "afxcmn.h"

// Control bar styles (the bar's own, kept apart from the window styles).
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#define CBRS_ALIGN_ANY 0xF000L
#define CBRS_BORDER_LEFT 0x0100L
#define CBRS_BORDER_TOP 0x0200L
#define CBRS_BORDER_RIGHT 0x0400L
#define CBRS_BORDER_BOTTOM 0x0800L
#define CBRS_BORDER_ANY 0x0F00L
#define CBRS_TOOLTIPS 0x0010L
#define CBRS_FLYBY 0x0020L
#define CBRS_FLOAT_MULTI 0x0040L
#define CBRS_BORDER_3D 0x0080L
#define CBRS_HIDE_INPLACE 0x0008L
#define CBRS_SIZE_DYNAMIC 0x0004L
#define CBRS_SIZE_FIXED 0x0002L
#define CBRS_FLOATING 0x0001L
#define CBRS_GRIPPER 0x00400000L
#define CBRS_ORIENT_HORZ (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL 0x0040FFFFL
#define CBRS_NOALIGN 0x00000000L
#define CBRS_LEFT (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// Control bar window ids.
#define AFX_IDW_CONTROLBAR_FIRST 0xE800
#define AFX_IDW_CONTROLBAR_LAST 0xE8FF
#define AFX_IDW_TOOLBAR 0xE800

// The framework's toolbar resource header; the ids follow it.
struct CToolBarData {
  WORD wVersion;
  WORD wWidth;
  WORD wHeight;
  WORD wItemCount;
  WORD* items() { return reinterpret_cast<WORD*>(this + 1); }
};

class CControlBar : public CWnd {
 public:
  CControlBar() = default;

  // The bar styles (CBRS_*), which the window does not see.
  void SetBarStyle(DWORD dwStyle);
  // Turns the tooltips of the bar's items on or off; TRUE when the bar has
  // a tooltip to turn.
  BOOL EnableToolTips(BOOL bEnable = TRUE);
  // Items on the bar.
  virtual int GetCount() const { return 0; }
  // The size the bar wants: its items' extent, and the length of the
  // parent's side it is aligned to when bStretch.
  virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);

  CRect m_rcBorders{0, 0, 0, 0};  // space kept free around the items

 protected:
  DWORD m_dwStyle = 0;
};

class CToolBar : public CControlBar {
 public:
  CToolBar();
  ~CToolBar() override;

  // Makes the toolbar window (TBSTYLE_TOOLTIPS included, so that the items
  // have tooltips) with the CBRS_ styles of dwStyle as its bar styles.
  // FALSE when the window cannot be made.
  virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
  // The same with toolbar styles of the control (TBSTYLE_FLAT, ...) and borders.
  virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = TBSTYLE_FLAT,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, CRect rcBorders = CRect(0, 0, 0, 0),
                        UINT nID = AFX_IDW_TOOLBAR);

  // Sizes of the buttons and of their images; the button must be at least
  // the image plus 7 by 6.
  void SetSizes(SIZE sizeButton, SIZE sizeImage);
  void SetHeight(int cyHeight);

  // Loads a toolbar resource along the resource chain: its buttons (the
  // separators included) and the images of the bitmap of the same id.
  // FALSE when the resource is missing, is not version 1, is shorter than
  // its count says, or its bitmap cannot be loaded; the bar is then left as
  // it was.
  BOOL LoadToolBar(LPCTSTR lpszResourceName);
  BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCE(nIDResource)); }
  // Replaces the images with those of a bitmap resource (along the chain)
  // or of a bitmap the bar takes over. FALSE when it cannot be loaded.
  BOOL LoadBitmap(LPCTSTR lpszResourceName);
  BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
  BOOL SetBitmap(HBITMAP hbmImageWell);
  // Replaces the buttons: one per id, ID_SEPARATOR (0) making a separator;
  // images are given to the other buttons in order. NULL ids make nIDCount
  // separators whose ids are set later with SetButtonInfo.
  BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

  // The index of the button with the command, -1 when none.
  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  // The button's rectangle in the bar's client coordinates (empty for a bad index).
  virtual void GetItemRect(int nIndex, LPRECT lpRect) const;
  // Styles of a button: its TBBS_ style in the low word and its state in the
  // high word, as the framework packs them.
  UINT GetButtonStyle(int nIndex) const;
  void SetButtonStyle(int nIndex, UINT nStyle);
  void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
  void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);

  // The same window seen as a toolbar control.
  CToolBarCtrl& GetToolBarCtrl() const;

  int GetCount() const override;
  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

 protected:
  HBITMAP m_hbmImageWell = nullptr;  // the images, owned
  CSize m_sizeButton{23, 22};
  CSize m_sizeImage{16, 15};

 private:
  BOOL AddImages(HBITMAP hbm);
  // GetToolBarCtrl's view of the window: not attached, it only carries the handle.
  mutable CToolBarCtrl m_ctrl;
};

// CToolBar button styles, in the framework's encoding.
#ifndef ID_SEPARATOR
#define ID_SEPARATOR 0
#endif
#define TBBS_BUTTON MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_DROPDOWN MAKELONG(TBSTYLE_DROPDOWN, 0)
#define TBBS_AUTOSIZE MAKELONG(TBSTYLE_AUTOSIZE, 0)
#define TBBS_NOPREFIX MAKELONG(TBSTYLE_NOPREFIX, 0)
#define TBBS_CHECKED MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_PRESSED MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_DISABLED MAKELONG(0, TBSTATE_ENABLED)  // inverted: set when the button is NOT enabled
#define TBBS_INDETERMINATE MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN MAKELONG(0, TBSTATE_HIDDEN)
#define TBBS_WRAPPED MAKELONG(0, TBSTATE_WRAP)
