// What the common controls share: the window they notify, their font and
// colours, and the dotted lines of trees and focus.
#pragma once

#include <string>

#include "commctrl.h"
#include "ctlutil.h"

namespace kyuser {

// The window a common control reports to: its parent, or for a popup the
// owner it was made with.
Wnd* NotifyTarget(Wnd* w);
// Fills hdr (hwndFrom, idFrom, code) and sends WM_NOTIFY to the target;
// its result, 0 when there is none.
LRESULT SendNotify(Wnd* w, UINT code, NMHDR* hdr);
// WM_SETFONT's font, else the dialog font of the system.
HFONT CommonFont(Wnd* w);
// A colour set by a control's message, or the system colour for
// CLR_DEFAULT / CLR_NONE.
COLORREF ColourOr(COLORREF c, int sysColor);
// One-pixel dotted lines, every other pixel starting on even coordinates,
// so that lines of neighbouring rows meet in step.
void DottedHLine(HDC hdc, int x0, int x1, int y, COLORREF c);
void DottedVLine(HDC hdc, int x, int y0, int y1, COLORREF c);
// Copies text into a caller's buffer of cch characters, always ended; the
// characters copied without the end.
int CopyText(const std::string& text, LPSTR buf, int cch);
// Case-blind comparison of ANSI texts, as the sorted controls order.
int CompareNoCase(const std::string& a, const std::string& b);
// WM_NCCREATE of a control whose scroll bars show only when its rows need
// them: the default handling, then WS_VSCROLL and WS_HSCROLL taken off.
LRESULT CreateWithoutBars(Wnd* w, WPARAM wp, LPARAM lp);
// WM_SETFOCUS / WM_KILLFOCUS of a list or tree: the selection is drawn anew
// (it shows differently without the focus) and NM_SETFOCUS / NM_KILLFOCUS
// reported. 0.
LRESULT FocusChanged(Wnd* w, UINT msg);
// Registers one common control class: global, with the arrow cursor and
// the class style given (double clicks unless told otherwise).
void RegisterCommonClass(const char* name, WNDPROC proc, UINT style = CS_DBLCLKS);

}  // namespace kyuser
