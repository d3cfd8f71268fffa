// CKyFSLEditWnd: the pattern canvas of the editor. A child window of class
// "BRUSHWND" that shows one 1-bit pattern magnified, one square cell of
// m_nCellSize screen pixels per pattern pixel with grid lines between the
// cells, and lets the user draw into it with nine tools, select and move a
// floating block, resize the pattern by three handles, invert and undo.
//
// Pixel buffer m_arrBits: the pixel data of a 1-bit DIB. Rows bottom-up,
// each S = ((W - 1) / 32) * 4 + 4 bytes; pattern row y starts at byte
// (H - y - 1) * S; pixel x is bit 7 - x % 8 of byte x / 8 of its row; a set
// bit is a drawn pixel (palette index 1, black; shown blue).
//
// Packed block (m_arrFloat, m_arrCopy): w x h pixels top-down, row r at byte
// r * R with R = 8 * ceil(w / 8); pixel c in byte c / 8, bit 7 - c % 8.
//
// The fields are public because the editor dialog sets them directly; every
// operation tolerates whatever it finds there (a buffer whose size is not
// H x S, sizes without a buffer) and never reads or writes outside the three
// buffers. The parent window must implement CKyFSLEditHost.
#pragma once

#include "afxcoll.h"
#include "afxwin.h"

class CKyFillStyle;
class CKyFSLEditHost;
namespace kycanvas {
class CanvasDC;
}

// The tool command ids (the tool palette's buttons).
enum : int {
  KY_TOOL_SELECT = 23301,
  KY_TOOL_ERASE = 23302,
  KY_TOOL_PEN = 23303,
  KY_TOOL_LINE = 23304,
  KY_TOOL_QUARTER_ELLIPSE = 23305,
  KY_TOOL_RECTANGLE = 23306,
  KY_TOOL_ELLIPSE = 23307,
  KY_TOOL_RECTANGLE_FILL = 23308,
  KY_TOOL_ELLIPSE_FILL = 23309,
};

class CKyFSLEditWnd : public CWnd {
 public:
  // Window class name of the canvas.
  static constexpr const char* kClassName = "BRUSHWND";
  // Largest width and height a pattern may have.
  static constexpr int kMaxSize = 999;
  // Registers the window class "BRUSHWND" (double clicks, no class cursor)
  // once; TRUE when it is registered. The constructor calls it.
  static BOOL RegisterWndClass();

  CKyFSLEditWnd();
  ~CKyFSLEditWnd() override;

  // Hit test of a point in scrolled client pixels: 1 corner handle, 2 right
  // handle, 3 bottom handle, 4 inside the grid, else 0 (always 0 while W or
  // H is 0).
  int PtInRect(CPoint pt);
  // Paints a cell (blue for 1, white for 0) inside its grid lines and, with
  // bInsert, writes it into m_arrBits. Nothing for a cell outside the pattern.
  void DrawPoint(CDC* pDC, CPoint cell, int nColor, int bInsert);
  // Sets (nColor 1) or clears the cell's bit; nothing outside the pattern or
  // the buffer.
  void InsertBit(CPoint cell, int nColor);

  // Shapes from m_ptAnchor to m_ptEnd through DrawPoint.
  void DrawLine(CDC* pDC, int nColor, int bInsert);
  void DrawRectangle(CDC* pDC, int nColor, int bInsert);
  void DrawRectangleFill(CDC* pDC, int nColor, int bInsert);
  void DrawEllipse(CDC* pDC, int nColor, int bInsert);
  void DrawEllipseFill(CDC* pDC, int nColor, int bInsert);
  void DrawQuarterEllipse(CDC* pDC, int nColor, int bInsert);

  // Grid lines, the two inactive squares and the three handles.
  void DrawEditGrid(CDC* pDC);
  // Every set pixel, without writing.
  void DrawBrush(CDC* pDC);
  // Moves the rubber band of a size handle drag to (0, 0, w, h) cells;
  // nothing when w or h is 0.
  void DrawElastic(int w, int h);
  // The selection frame: bOnlyFrame draws m_rcSelect (NOT-XOR, so twice
  // removes it); otherwise moves the rubber-band selection to the drag.
  void DrawSelect(int bOnlyFrame);
  // Rebuilds m_bmpCanvas and copies it to the window. Nothing without a window.
  void ReDraw();
  // Recomputes both scroll ranges after a size change; modes 0 (position 0),
  // 1 (keep the position), 2 (scroll to the end).
  void ScrollChange(UINT nVertMode, UINT nHorzMode);
  // Resizes m_arrBits from (m_nUndoWidth, m_nUndoHeight) to (m_nWidth,
  // m_nHeight); a size below 1 empties the pattern. Sizes above kMaxSize are
  // taken as kMaxSize.
  void DragBrush();
  // Copies the pixels inside m_rcSelect into m_arrFloat; 0 when the
  // selection is empty, else 1.
  int SelectToByteArray();
  // Writes (bInsert) or shows by NOT-XOR (not bInsert) the floating block;
  // committing (bInsert and nColor 1) ends the selection. 0 when there is no
  // selection or no block, else 1.
  int InsertSelect(int nColor, int bInsert);
  // Inverts every byte of the pattern after saving undo; 0 for an empty pattern.
  int InvertBrush();
  // Lays the copied block twice in a staggered lattice; 0 when there is no
  // copy or no pattern or the block does not fit at ptStart.
  int ArrangePaste(CPoint ptStart, int nXSpace, int nYSpace);
  // Empties all buffers and deletes the symbol style and the off-screen
  // bitmap; the sizes stay.
  void Clear();
  // Writes the pattern as a BMP file image (or the kept image). 0, buf
  // untouched, when there is neither.
  int ToByteBuffer(CByteArray& buf);
  // Loads a BMP file image. A 1-bit image becomes the pattern; a valid image
  // of another depth is kept whole in m_arrImage. 0, with the canvas left
  // empty, for an empty, truncated or inconsistent image or a size beyond
  // kMaxSize.
  int FromByteBuffer(CByteArray& buf);

  // Takes the undo snapshot (sizes and pixel buffer).
  void SaveUndo();
  // The host behind the parent window; null when the parent is no host.
  CKyFSLEditHost* GetHost() const;

  // Fields, in the order the dialog knows them.
  int m_nScrollX = 0;
  int m_nScrollY = 0;
  CByteArray m_arrCopy;
  CRect m_rcCopy{0, 0, 0, 0};
  CRect m_rcSelect{0, 0, 0, 0};
  CByteArray m_arrUndo;
  CByteArray m_arrBits;
  CByteArray m_arrImage;
  CByteArray m_arrFloat;
  CPoint m_ptEnd{0, 0};
  CPoint m_ptAnchor{0, 0};
  int m_nTool = KY_TOOL_PEN;
  int m_nCellSize = 6;
  int m_nUndoHeight = 0;
  int m_nUndoWidth = 0;
  int m_nDragKind = 0;
  int m_nHeight = 0;
  int m_nWidth = 0;
  CRect m_rcElastic{0, 0, 0, 0};
  CKyFillStyle* m_pVectorStyle = nullptr;
  CBitmap m_bmpCanvas;
  BOOL m_bMoveSelect = FALSE;

  // Message handlers.
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnPaint();
  afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnCaptureChanged(CWnd* pWnd);

  DECLARE_MESSAGE_MAP()

 private:
  friend class kycanvas::CanvasDC;

  // The two buttons differ only in colours and in when undo is taken.
  void ButtonDown(CPoint point, bool bRight);
  void ButtonUp(CPoint point, bool bRight);
  // Rebuilds m_bmpCanvas without showing it; FALSE without a window or a
  // client area.
  BOOL BuildCanvas();
  // Grid and cells of a consistent buffer by one stretched transfer of the
  // bits; FALSE (nothing drawn) when the buffer is not exactly H x S.
  BOOL StretchCells(CDC* pDC);
  // The rubber band of a handle drag, once, NOT-XOR.
  void DrawElasticFrame(CDC* pDC, const CRect& cells);

  // The DC of the paint in progress, which every drawing then uses.
  CDC* m_pPaintDC = nullptr;
  // TRUE while a button release gives the capture back, so that the capture
  // change it causes is not taken for a lost drag.
  bool m_bReleasing = false;
  // TRUE while a shape preview is on the window for the next move to take
  // away (the ellipses show none until the pointer first moves).
  bool m_bPreviewShown = false;
};
