// Scrolling a column of equal rows, as the list box, the list view and the
// tree view do: `top` is the first row in view, a page is as many rows as
// the client area holds, and the scroll bar counts rows (or, for a list box
// in columns, columns).
//
//   row 0         scrolled out
//   row 1
//   row top       the first row drawn; the bar's position
//   ...           page rows in view
//   row count-1
//
// The control keeps one RowScroll in its state and asks it where a bar
// code, a wheel turn or a row to reveal puts the top; it clamps and draws.
#pragma once

#include "wnd.h"

namespace kyuser {

struct RowScroll {
  int top = 0;            // the first row in view
  bool updating = false;  // a scroll bar is being set: see BeginBars

  // Moves the view to newTop (the caller has clamped it) and invalidates the
  // window; false when it is already there.
  bool MoveTo(HWND h, int newTop);
  // Setting a bar can show or hide it, resize the window and come back to
  // the control's bar update: the nested update must do nothing. False when
  // an update is running already; otherwise EndBars must follow.
  bool BeginBars();
  // Ends the update, unless the window went away meanwhile (then this
  // record is being freed and is left alone).
  void EndBars(HWND h);
};

// The top row a WM_VSCROLL (or WM_HSCROLL) code asks for: a line is `unit`
// rows, a page `page` rows, the thumb's position counts in units and the
// bottom is `count`. False for codes that do not scroll (SB_ENDSCROLL).
bool RowsFromBar(WPARAM wp, int top, int unit, int page, int count, int* newTop);
// The top row after a WM_MOUSEWHEEL turn, `unit` rows a notch.
int RowsFromWheel(WPARAM wp, int top, int unit);
// top kept in [0, count - page], so that a full page shows the last row.
int ClampTopRow(int top, int count, int page);
// The top that brings row into a view of page rows, moving as little as it
// can; top itself when the row shows already.
int TopToReveal(int row, int top, int page);
// Shows rows [pos, pos + page) of count on one of the window's scroll bars.
void SetRowBar(HWND h, int bar, int pos, int count, int page, UINT extraFlags);

}  // namespace kyuser
