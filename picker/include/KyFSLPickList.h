// CKyFSLPickList: the picker's owner-drawn, multi-column list of one group.
// The list keeps no strings: an entry is a placeholder whose index alone
// says what it shows. With S sub-groups, K = 8 in the root group (0 below
// it) and N items:
//
//   0 .. S-1          sub-group i         folder bitmap, the group's name
//   S .. S+K-1        built-in fill i-S   a GDI brush,   "Win32 System"
//   S+K .. S+K+N-1    the group's item    the style,     the style's name
//
// Swatches are drawn when the list asks for an entry and released at once,
// so memory does not grow with the group.
#pragma once

#include "afxwin.h"

class CKyFillStyleGroup;
class CKyFillStyleLib;

class CKyFSLPickList : public CListBox {
 public:
  CKyFSLPickList();
  ~CKyFSLPickList() override;

  // Empties the list and shows pGroup: one empty placeholder per entry.
  // A null group leaves the list empty.
  void UpdateGroup(CKyFillStyleGroup* pGroup);

  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
  // 90 x 90; the picker dialog sets its own cell size after creation.
  void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

  // The caption of the built-in fills.
  static constexpr const char* kBuiltInCaption = "Win32 System";
  static constexpr COLORREF kSwatchColour = 0xFF0000;
  // The hatch style (HS_*) of a built-in fill id, or -1 for the solid (0),
  // the hollow (1) and any other id.
  static int BuiltInHatch(long id);
  // Entries before the built-in fills and the number of built-in fills in
  // a group (0 and 0 for null).
  static long SubGroupCount(const CKyFillStyleGroup* pGroup);
  static long BuiltInCount(const CKyFillStyleGroup* pGroup);

  CKyFillStyleGroup* m_pGroup;
  CKyFillStyleLib* m_pLib;

 protected:
  // Draws the swatch of entry index into rect: 1 when drawn, 0 when there is
  // no library or group, or the library cannot prepare the style.
  int Draw(CDC* pDC, long index, CRect* rect);
  // The caption of entry index; empty when a pointer is missing or the
  // sub-group or style does not exist.
  CString GetName(long index);
  afx_msg void OnKillfocus();

  DECLARE_MESSAGE_MAP()
};
