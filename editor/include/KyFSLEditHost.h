// CKyFSLEditHost: what the pattern canvas (CKyFSLEditWnd) needs of the
// window it lives in. The editor dialog implements it; tests use a small
// stand-in. The canvas finds it by casting its parent window's object, so
// the parent must be a permanent CWnd object that also derives from this.
//
//   class CKyFSLEditDlg : public CDialog, public CKyFSLEditHost { ... };
//
// The canvas writes the pattern size into the two edits as "%d", assigns the
// status line to GetCanvasStatus() and then calls the parent window's
// UpdateData(FALSE) to show it, and asks for the symbol attributes of the
// symbol style it shows with FillStyleSymbolAtt(0).
#pragma once

#include "afx.h"

class CWnd;

class CKyFSLEditHost {
 public:
  virtual ~CKyFSLEditHost() = default;

  // The width and height edit boxes of the edited pattern; null when the
  // host has none (the canvas then writes nothing).
  virtual CWnd* GetCanvasWidthEdit() = 0;
  virtual CWnd* GetCanvasHeightEdit() = 0;
  // The status string member that the host's DoDataExchange shows; the
  // canvas assigns it and then calls UpdateData(FALSE) on the host window.
  virtual CString& GetCanvasStatus() = 0;
  // Opens the symbol attributes: bNew FALSE edits the symbol style that the
  // canvas holds, TRUE makes a new one.
  virtual void FillStyleSymbolAtt(int bNew) = 0;
};
