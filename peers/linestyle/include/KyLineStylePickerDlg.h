// CKyLineStylePickerDlg: the modal dialog in which a user picks a line style,
// its width and its colour.
//
// The list shows a swatch and a name for each of the six pen styles (ids 0 to
// 5: solid, dash, dot, dash-dot, dash-dot-dot, null) and then for each style
// of the attached library; a width edit with an up-down control (1 to
// kMaxWidth) and a colour button; a preview of the choice. A double click on
// an entry is OK. Template IDD_KYZOD_LINESTYLE (English and Chinese).
//
//   CKyLineStylePickerDlg dlg;
//   dlg.AttachLineStyleLib(&lib);
//   dlg.SetCurSelStyle(id); dlg.SetCurSelColor(cr); dlg.SetCurSelWidth(w);
//   if (dlg.DoModal() == IDOK) { id = dlg.GetCurSelStyle(); ... }
#pragma once

#include "KyButtonColorPicker.h"
#include "KyLineStyleLib.h"
#include "afxwin.h"

class CKyLineStylePickerDlg : public CDialog {
 public:
  static constexpr long kMaxWidth = 1000;
  static constexpr int kPenStyleCount = 6;

  explicit CKyLineStylePickerDlg(CWnd* pParent = nullptr);
  ~CKyLineStylePickerDlg() override;

  // The library whose styles follow the pen styles; NULL shows the pen
  // styles alone. Not owned.
  void AttachLineStyleLib(CKyLineStyleLib* pLib) { m_pLib = pLib; }

  // The choice: given before DoModal, read after IDOK. A style id that is
  // neither a pen style nor in the library selects no entry, and OK then
  // keeps the id given. Widths are clamped to 1..kMaxWidth when shown.
  void SetCurSelStyle(long id) { m_nStyle = id; }
  long GetCurSelStyle() const { return m_nStyle; }
  void SetCurSelColor(COLORREF cr) { m_crColor = cr; }
  COLORREF GetCurSelColor() const { return m_crColor; }
  void SetCurSelWidth(long width) { m_nWidth = width; }
  long GetCurSelWidth() const { return m_nWidth; }

  // List entry of a style id (pen styles first, then the library's); -1 when
  // the id has none.
  int EntryOfStyle(long id) const;
  // The style id of a list entry; -1 for an index out of range.
  long StyleOfEntry(int index) const;

  // Draws the swatch of style id across rc (device pixels, MM_TEXT) at the
  // given width and colour: the pen styles with a GDI pen, the library's
  // through their style objects.
  void DrawStyle(CDC* pDC, const CRect& rc, long id, long width, COLORREF cr) const;

  BOOL OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(CDataExchange* pDX) override;

 protected:
  afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
  afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  afx_msg void OnSelchangeStyles();
  afx_msg void OnDblclkStyles();
  afx_msg void OnChangeWidth();
  afx_msg LRESULT OnColorChange(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  void DrawPreview(CDC* pDC, const CRect& r);

  CKyLineStyleLib* m_pLib = nullptr;
  long m_nStyle = 0;
  long m_nWidth = 1;
  COLORREF m_crColor = RGB(0, 0, 0);
  CListBox m_listStyles;
  CKyButtonColorPicker m_btnColor;
  BOOL m_bInitialized = FALSE;
};
