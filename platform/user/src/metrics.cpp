// System metrics and the user interface's fonts.
#include <cstring>

#include "winscreen.h"
#include "wnd.h"

namespace kyuser {

int Metric(int index) {
  switch (index) {
    case SM_CXSCREEN:
      return KyScreen::Get().Width();
    case SM_CYSCREEN:
      return KyScreen::Get().Height();
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CYVTHUMB:
    case SM_CXHTHUMB:
      return 16;
    case SM_CYCAPTION:
      return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
      return 4;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
      return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
      return 16;
    case SM_CYMENU:
      return 19;
    case SM_CXMIN:
      return 112;
    case SM_CYMIN:
      return 27;
    case SM_CXSIZE:
    case SM_CYSIZE:
      return 18;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
      return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
  }
  return 0;
}

namespace {
HFONT MakeGuiFont(int weight) {
  LOGFONTA lf{};
  lf.lfHeight = -11;  // 8 points at 96 pixels per inch
  lf.lfWeight = weight;
  lf.lfCharSet = DEFAULT_CHARSET;
  strcpy(lf.lfFaceName, "MS Sans Serif");
  return CreateFontIndirectA(&lf);
}
}  // namespace

HFONT DefaultGuiFont() {
  static HFONT f = MakeGuiFont(FW_NORMAL);
  return f;
}

HFONT BoldGuiFont() {
  static HFONT f = MakeGuiFont(FW_BOLD);
  return f;
}

}  // namespace kyuser

int GetSystemMetrics(int index) { return kyuser::Metric(index); }

namespace {
// Base units of a font in a DC: the average width of the 52 letters and the
// cell height, as the dialog manager measures them.
void FontBaseUnits(HFONT font, int* cx, int* cy) {
  HDC hdc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(hdc, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(hdc, &tm);
  SIZE sz{0, 0};
  static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  GetTextExtentPoint32A(hdc, kLetters, 52, &sz);
  SelectObject(hdc, old);
  DeleteDC(hdc);
  *cx = (sz.cx / 26 + 1) / 2;
  *cy = tm.tmHeight;
  if (*cx <= 0) *cx = 6;
  if (*cy <= 0) *cy = 13;
}
}  // namespace

void KyFontBaseUnits(HFONT font, int* cx, int* cy) { FontBaseUnits(font, cx, cy); }

LONG GetDialogBaseUnits() {
  static int cx = 0, cy = 0;
  if (!cx) FontBaseUnits(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)), &cx, &cy);
  return MAKELONG(cx, cy);
}
