// CKyFSLEditDlg: the fill style library editor (template 4901). It works on
// the attached library itself: the browser grid (CKyFSLEditList) on the left
// shows the current group, the pattern canvas (CKyFSLEditWnd) on the right
// edits one bitmap pattern, and three buttons between them move a style into
// the canvas (">>" Edit) and back ("<<" Save into the edited cell, "<--" Save
// as into the selected cell). The library reaches a file only through the
// library commands (New Lib, Open Lib, Save, Save as, the default library).
//
//   CKyFSLEditDlg dlg(pParent);
//   dlg.AttachKyFillStyleLib(&lib);   // before the window is made
//   dlg.DoModal();                    // or Create(pParent), modeless
//
// Cells of the grid and entries of the code and name combo boxes are numbered
// alike (see KyFSLEditList.h): ".." when the group has a parent, the
// sub-groups, the styles, then the empty new-style cell.
//
// m_bModified is the dialog's own record of changes since the library was
// last loaded or stored; the library's modified flag tells its owner.
// Every question is a message box with Yes, No and Cancel, and Cancel always
// leaves everything as it was.
#pragma once

#include "KyFSLEditHost.h"
#include "KyFSLEditList.h"
#include "KyFSLEditWnd.h"
#include "KyFillStyleLib.h"
#include "afxcmn.h"
#include "afxext.h"
#include "afxwin.h"

class CKyFSLEditDlg : public CDialog, public CKyFSLEditHost, public CKyFSLEditListHost {
 public:
  explicit CKyFSLEditDlg(CWnd* pParent = nullptr);
  ~CKyFSLEditDlg() override;

  // Modeless: the same dialog from template 4901; FALSE when the template is
  // missing or the start-up fails (no library attached, a bar not made).
  BOOL Create(CWnd* pParent);
  // Stores the library (not owned) and counts its own symbols; TRUE. Must
  // precede the window's creation; a null library makes OnInitDialog fail.
  BOOL AttachKyFillStyleLib(CKyFillStyleLib* pLib);
  CKyFillStyleLib* GetKyFillStyleLib() const { return m_pLib; }
  // Refills both combo boxes for the current group and selects the grid's
  // selected cell in them.
  void AddCodes();
  // Makes (bNew) or changes the symbol pattern in the canvas through the
  // symbol dialog.
  void FillStyleSymbolAtt(int bNew) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;
  // Invalidates the parent, frees the tool buttons, destroys the window.
  BOOL DestroyWindow() override;

  // The canvas's host.
  CWnd* GetCanvasWidthEdit() override { return &m_editWidth; }
  CWnd* GetCanvasHeightEdit() override { return &m_editHeight; }
  CString& GetCanvasStatus() override { return m_strStatus; }
  // The grid's host.
  CKyFillStyleGroup* GetGridGroup() override { return m_pGroup; }
  CKyFillStyleLib* GetGridLib() override { return m_pLib; }
  void OnGridSelect(int index, CSize size) override;
  void OnGridDoubleClick() override;

  // Tooltip text of a command id 23301..23328: its string, at most 79
  // characters; empty for other ids.
  static CString NeedText(UINT nID);
  // Reads a code typed by the user: digits with optional thousands commas
  // and sign. FALSE for text that is no number or lies outside 32 bits.
  static BOOL ParseCode(const CString& text, long& id);

  // Members, in the order the editor knows them.
  CEdit m_editWidth;
  CEdit m_editHeight;
  CEdit m_editGroup;
  CEdit m_editName;
  CEdit m_editCode;
  CSpinButtonCtrl m_spinWidth;
  CSpinButtonCtrl m_spinHeight;
  CComboBox m_comboName;
  CSpinButtonCtrl m_spinCode;
  CComboBox m_comboCode;
  CString m_strStatus;
  UINT m_nSelHeight = 0;
  UINT m_nSelWidth = 0;
  CDWordArray m_arrAddedSymbols;
  long m_nSymCount = 0;
  BOOL m_bOverwrite = FALSE;
  BOOL m_bAppend = FALSE;
  TBBUTTON* m_pToolButtons = nullptr;
  CToolBarCtrl m_wndToolPalette;
  CToolBar m_wndCommandBar;
  CToolTipCtrl m_wndToolTip;
  CString m_strPath;
  CKyFillStyleLib* m_pLib = nullptr;
  CKyFSLEditList m_wndList;
  CKyFSLEditWnd m_wndCanvas;
  BOOL m_bModified = FALSE;
  CKyFillStyleGroup* m_pGroup = nullptr;
  CKyFillStyle::FS_RESOLUTION m_nResolution = CKyFillStyle::FS_81DPI;

  // Command handlers (tools, patterns, styles, library commands).
  afx_msg void OnEdittoolSelect();
  afx_msg void OnEdittoolErase();
  afx_msg void OnEdittoolPen();
  afx_msg void OnEdittoolLine();
  afx_msg void OnEdittoolQuarterEllipse();
  afx_msg void OnEdittoolRectangle();
  afx_msg void OnEdittoolEllipse();
  afx_msg void OnEdittoolRectanglefill();
  afx_msg void OnEdittoolEllipsefill();
  afx_msg void OnBrushInvert();
  afx_msg void OnBrushImage();
  afx_msg void OnFslEdittoolSymbol();
  afx_msg void OnBrushlibNew();
  afx_msg void OnBrushlibOpen();
  afx_msg void OnBrushlibSave();
  afx_msg void OnBrushlibSaveas();
  afx_msg void OnLoadSysLib();
  afx_msg void OnBrushlibSubgroup();
  afx_msg void OnBrushNew();
  afx_msg void OnBrushDelete();
  afx_msg void OnBrushCut();
  afx_msg void OnBrushCopy();
  afx_msg void OnBrushPaste();
  afx_msg void OnBrushArrangepaste();
  afx_msg void OnBrushClear();
  afx_msg void OnBrushUndo();
  afx_msg void OnFslExportBMP();
  afx_msg void OnFSLDialogSetting();
  afx_msg void OnEditButton();
  afx_msg void OnSaveButton();
  afx_msg void OnSaveAsButton();
  afx_msg void OnSelchangeCode();
  afx_msg void OnSelchangeName();
  afx_msg void OnClose();
  afx_msg void OnPaint();
  afx_msg BOOL OnNeedTextA(UINT id, NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg BOOL OnNeedTextW(UINT id, NMHDR* pNMHDR, LRESULT* pResult);

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  void OnOK() override;
  void OnCancel() override;
  DECLARE_MESSAGE_MAP()

 public:
  // Steps shared by the commands; each leaves the dialog consistent.
  // Commits the canvas's floating block into the pattern.
  void CommitFloat();
  // Empties the canvas's selection; the floating block is dropped unmerged.
  void DropFloat();
  // The cell counts of the current group.
  KyFSLGridCells Cells() const { return KyFSLGridCells::Of(m_pGroup); }
  // Shows group (of this library) in the grid: nothing selected or edited,
  // top row first, combo boxes refilled, its name in the group edit.
  void ShowGroup(CKyFillStyleGroup* group);
  // Selects cell i in the grid: scrolled into view, redrawn, framed.
  void SelectCell(int i);
  // The new style built from the canvas for Save and Save as, with the code
  // and name typed in the edits; null when the canvas holds nothing to
  // store or the code is not a number. Sets typedID to the code read.
  CKyFillStyle* StyleFromCanvas(long& typedID);
  // Enter in the width or height edit: resizes the pattern.
  void ResizeFromEdits();
  // Enter in the group edit: renames the current group, or shows its name
  // again when the name is refused.
  void RenameGroup();
  // Enter in the edit field of the code or name combo box: finds the style
  // in the group or the tree and selects it.
  void FindFromCodeCombo();
  void FindFromNameCombo();
  // Selects the found cell i of the (new) current group and edits its style.
  void ShowFound(int i);
  // Library commands.
  // The "Save File?" question before a command that replaces the library:
  // TRUE to go on (answered No, or Yes and the library was stored).
  BOOL AskSaveBeforeReplace();
  // Stores the library under m_strPath, asking for a path when there is none
  // (bAskPath: always). TRUE when it was written.
  BOOL SaveLibrary(BOOL bAskPath);
  // After the library's content was replaced: symbol counts, empty canvas.
  void RefreshAfterLibraryChange();
  // Back to the root group with nothing selected.
  void ResetTree();
  // Sets the tool of the canvas after committing its floating block.
  void SetTool(int nTool);

 private:
  // Ends a start-up that cannot go on: the modal loop returns -1, and a
  // modeless Create destroys the window and returns FALSE.
  BOOL FailInit();
  BOOL m_bInitFailed = FALSE;
  // The 16 x 16 images of the two bars, which the bars only borrow.
  CImageList m_imlTools;
  CImageList m_imlCommands;
};
