// Message boxes: a modal dialog with an icon, the text and the buttons of
// the box's type, laid out for the text's size.
#include <algorithm>
#include <vector>

#include "ctlutil.h"
#include "dlgtemplate.h"

namespace kyuser {
namespace {

struct BoxButton {
  int id;
  const char* text;
};

std::vector<BoxButton> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE:
      return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
    case MB_YESNOCANCEL:
      return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO:
      return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MB_RETRYCANCEL:
      return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    default:
      return {{IDOK, "OK"}};
  }
}

LPCSTR IconOf(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
      return IDI_HAND;
    case MB_ICONQUESTION:
      return IDI_QUESTION;
    case MB_ICONEXCLAMATION:
      return IDI_EXCLAMATION;
    case MB_ICONASTERISK:
      return IDI_ASTERISK;
  }
  return nullptr;
}

struct BoxInfo {
  std::vector<BoxButton> buttons;
  int defId = IDOK;
};

INT_PTR CALLBACK BoxProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_INITDIALOG) {
    SetPropA(h, "KyBoxInfo", reinterpret_cast<HANDLE>(lp));
    // The default button (MB_DEFBUTTON2, ...) starts with the focus, so that
    // Enter answers with it and not with the first button.
    auto* info = reinterpret_cast<BoxInfo*>(lp);
    if (HWND def = info ? GetDlgItem(h, info->defId) : nullptr) {
      SetFocus(def);
      return FALSE;
    }
    return TRUE;
  }
  if (msg == WM_COMMAND) {
    auto* info = static_cast<BoxInfo*>(GetPropA(h, "KyBoxInfo"));
    int id = LOWORD(wp);
    if (!info) return FALSE;
    bool has = std::any_of(info->buttons.begin(), info->buttons.end(), [id](const BoxButton& b) { return b.id == id; });
    // Escape in a box with a single OK button answers OK.
    if (!has && id == IDCANCEL && info->buttons.size() == 1 && info->buttons[0].id == IDOK) id = IDOK, has = true;
    if (has) EndDialog(h, id);
    return TRUE;
  }
  return FALSE;
}

}  // namespace
}  // namespace kyuser

using namespace kyuser;

int MessageBoxA(HWND hWnd, LPCSTR text, LPCSTR caption, UINT type) {
  BoxInfo info;
  info.buttons = ButtonsOf(type);
  LPCSTR icon = IconOf(type);
  int bx = 0, by = 0;
  KyFontBaseUnits(DefaultGuiFont(), &bx, &by);
  // Measure the text in pixels, then turn the layout into dialog units.
  HDC hdc = CreateCompatibleDC(nullptr);
  HGDIOBJ of = SelectObject(hdc, DefaultGuiFont());
  RECT tr{0, 0, 360, 0};
  const char* body = text ? text : "";
  DrawTextA(hdc, body, -1, &tr, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  SelectObject(hdc, of);
  DeleteDC(hdc);
  auto dx = [bx](int px) { return static_cast<short>(MulDiv(px, 4, bx) + 1); };
  auto dy = [by](int px) { return static_cast<short>(MulDiv(px, 8, by) + 1); };
  short margin = 7, iconW = icon ? static_cast<short>(dx(32) + 7) : 0;
  short textW = dx(tr.right - tr.left), textH = dy(std::max<int>(tr.bottom - tr.top, by));
  short bw = 50, bh = 14, gap = 5;
  short nb = static_cast<short>(info.buttons.size());
  short buttonsW = static_cast<short>(nb * bw + (nb - 1) * gap);
  short contentH = std::max<short>(textH, icon ? dy(32) : 0);
  short cx = static_cast<short>(std::max<int>(margin * 2 + iconW + textW, margin * 2 + buttonsW));
  short cy = static_cast<short>(margin + contentH + margin + bh + margin);
  KyDialogTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT, 0, 0, cx, cy,
                     caption ? caption : "Error", 0x7FFF, "MS Sans Serif");
  if (icon) t.ControlOrd(nullptr, 0x14, KY_DLG_STATIC, WS_VISIBLE | SS_ICON, margin, margin, 0, 0, 0,
                         static_cast<WORD>(reinterpret_cast<uintptr_t>(icon)));
  short textY = static_cast<short>(margin + (contentH - textH) / 2);
  t.ControlOrd(body, 0xFFFF, KY_DLG_STATIC, WS_VISIBLE | SS_LEFT | SS_NOPREFIX, static_cast<short>(margin + iconW),
               textY, textW, textH);
  int def = (type & MB_DEFMASK) >> 8;
  if (def >= nb) def = 0;
  info.defId = info.buttons[static_cast<size_t>(def)].id;
  short x = static_cast<short>((cx - buttonsW) / 2);
  for (int i = 0; i < nb; ++i) {
    DWORD style = WS_VISIBLE | WS_TABSTOP | (i == def ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | (i == 0 ? WS_GROUP : 0);
    t.ControlOrd(info.buttons[i].text, static_cast<WORD>(info.buttons[i].id), KY_DLG_BUTTON, style,
                 static_cast<short>(x + i * (bw + gap)), static_cast<short>(cy - margin - bh), bw, bh);
  }
  KyDialogInfo di;
  if (!KyParseDialogTemplate(t.Data(), t.Size(), &di)) return 0;
  HWND owner = hWnd ? GetAncestor(hWnd, GA_ROOT) : nullptr;
  INT_PTR r = DialogBoxIndirectParamA(nullptr, t.Get(), owner, BoxProc, reinterpret_cast<LPARAM>(&info));
  return r < 0 ? 0 : static_cast<int>(r);
}
