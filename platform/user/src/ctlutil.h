// Helpers the standard controls share: their font, the colours their parent
// gives them, owner-draw requests and etched disabled text.
#pragma once

#include "wnd.h"

namespace kyuser {

// A control's state record (one struct per control), made on first use.
template <typename State>
State* StateOf(Wnd* w) {
  if (!w->control) w->control = std::make_unique<State>();
  return static_cast<State*>(w->control.get());
}
// The control's font (WM_SETFONT), else the system font.
HFONT ControlFont(Wnd* w);
// Sends WM_CTLCOLOR* to the parent (or the combo that owns a list) and
// returns the brush to fill with; the DC gets the parent's colours.
HBRUSH ControlColor(Wnd* w, HDC hdc, UINT msg);
// Text as the disabled state shows it: a highlight copy one pixel down and
// right, then the shadow colour.
void DrawDisabledText(HDC hdc, const char* text, int len, RECT r, UINT fmt);
// Height of a line of the DC's current font.
int FontHeight(HDC hdc);
int FontHeightOf(HFONT f);
// WM_PAINT of a control: paint(hdc) draws between BeginPaint and EndPaint.
template <typename Paint>
LRESULT PaintControl(Wnd* w, Paint paint) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(w->handle, &ps);
  if (hdc) paint(hdc);
  EndPaint(w->handle, &ps);
  return 0;
}
// A click on a control takes the focus first; false when the control went
// away while the focus moved.
bool FocusOnClick(Wnd* w);
// Fills a DRAWITEMSTRUCT and sends WM_DRAWITEM to target.
void SendDrawItem(Wnd* target, UINT ctlType, UINT ctlId, HWND item, UINT itemId, UINT action, UINT state, HDC hdc,
                  const RECT& rc, ULONG_PTR data);

}  // namespace kyuser

namespace kyuser {
// The list of a combo box tells its combo what the mouse did: an item was
// picked (commit) or the list was left (cancel). The list keeps the items;
// the combo forwards its CB_ messages to it.
void ComboListDone(Wnd* combo, bool commit);
// The list window of a combo box, made with it; it shows owner-drawn items
// for the combo (ODT_COMBOBOX, the combo's id and handle).
void SetListCombo(Wnd* list, Wnd* combo);
}  // namespace kyuser

namespace kyuser {
// Adds a common control family's class registration, which runs once with
// the system classes (or at once, when they are registered already):
//   static const KyCommonClassRegistrar kReg([] { RegisterClassA(&wc); ... });
struct KyCommonClassRegistrar {
  explicit KyCommonClassRegistrar(void (*registerClasses)());
};
// Runs every registration added so far; later ones run as they are added.
void RunCommonClassRegistrars();
}  // namespace kyuser
