// The toolbar control ("ToolbarWindow32").
//
// The buttons are kept in order with their states; the images are one
// strip of bitmapSize cells in the screen's format, filled by TB_ADDBITMAP
// (or, instead, an image list). Layout runs whenever buttons, sizes or the
// width change and gives every button its rectangle:
//
//   indent
//   |<->|[ 0 ][ 1 ] | [ 2 ][ 3 ]       row 0 (a separator is 8 wide unless iBitmap says)
//       [ 4 ][ 5 ]                     row 1: TBSTATE_WRAP on 3, or no room with TBSTYLE_WRAPABLE
//
// Input state lives in the button records (checked, pressed while the mouse
// holds a button, hot under the mouse of a flat toolbar); painting only
// reads it. A click is a press and a release on the same enabled button:
// only then does a check button toggle, a check-group button take the check
// from its group, and the notify window get WM_COMMAND.
//
// Messages: the TB_ messages the framework's CToolBar and CToolBarCtrl and
// the dialogs send (button states by command, buttons by index, bitmaps,
// strings, image lists, sizes, rows, styles, padding, the tooltip and the
// notify window); not pressing or marking buttons by code, indeterminate
// buttons, TB_GETRECT, TB_SETCMDID, TB_CHANGEBITMAP or TB_SETHOTITEM, which
// nothing here sends.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "cc_common.h"

namespace kyuser {
namespace {

constexpr int kSeparatorWidth = 8;
constexpr UINT_PTR kHotTimer = 1;  // polls the mouse while a button is hot

struct TbButton {
  int iBitmap = 0;
  int idCommand = 0;
  BYTE fsState = 0;
  BYTE fsStyle = 0;
  DWORD_PTR dwData = 0;
  INT_PTR iString = -1;
  std::string text;  // from TB_SETBUTTONINFO, or the string iString names
  WORD cx = 0;       // width given with TBIF_SIZE, 0 for the toolbar's
  RECT rc{};         // from the layout; empty while hidden
};

// Where a bitmap's images went, for TB_REPLACEBITMAP.
struct BitmapSource {
  HINSTANCE hInst;
  UINT_PTR nID;
  int first;
  int count;
};

struct ToolbarState : ControlState {
  std::vector<TbButton> buttons;
  std::vector<std::string> strings;
  std::vector<BitmapSource> sources;
  UINT structSize = sizeof(TBBUTTON);
  SIZE bitmapSize{16, 15};
  SIZE buttonSize{24, 22};
  HBITMAP strip = nullptr;  // images side by side, bitmapSize each
  int imageCount = 0;
  HIMAGELIST imageList = nullptr, disabledList = nullptr, hotList = nullptr;
  HWND notify = nullptr;
  HWND tooltip = nullptr;
  bool ownTooltip = false;
  int indent = 0;
  DWORD exStyle = 0;
  DWORD padding = MAKELONG(7, 6);
  int rows = 1;
  SIZE extent{0, 0};  // the buttons' bounding size after layout
  int pressed = -1;   // the button the mouse holds
  bool pressedInside = false;
  int hot = -1;

  ~ToolbarState() override {
    if (strip) DeleteObject(strip);
  }
};

ToolbarState* State(Wnd* w) { return StateOf<ToolbarState>(w); }

bool IsSep(const TbButton& b) { return (b.fsStyle & TBSTYLE_SEP) != 0; }
bool Hidden(const TbButton& b) { return (b.fsState & TBSTATE_HIDDEN) != 0; }
bool Enabled(const TbButton& b) { return (b.fsState & TBSTATE_ENABLED) != 0; }

int IndexOf(ToolbarState* s, WPARAM id) {
  for (size_t i = 0; i < s->buttons.size(); ++i)
    if (s->buttons[i].idCommand == static_cast<int>(id)) return static_cast<int>(i);
  return -1;
}

bool HasText(ToolbarState* s) {
  for (const TbButton& b : s->buttons)
    if (!IsSep(b) && !b.text.empty()) return true;
  return false;
}

int TextHeight(Wnd* w) { return FontHeightOf(ControlFont(w)) + 2; }

int ButtonHeight(Wnd* w, ToolbarState* s) {
  int h = std::max<int>(s->buttonSize.cy, s->bitmapSize.cy + HIWORD(s->padding));
  if (HasText(s) && !(w->style & TBSTYLE_LIST)) h += TextHeight(w);
  return h;
}

int ButtonWidth(ToolbarState* s, const TbButton& b) {
  if (IsSep(b)) return b.iBitmap > 0 ? b.iBitmap : kSeparatorWidth;
  if (b.cx) return b.cx;
  return std::max<int>(s->buttonSize.cx, s->bitmapSize.cx + LOWORD(s->padding));
}

int TopMargin(Wnd* w) { return (w->style & CCS_NODIVIDER) ? 0 : 2; }

// Gives each button its rectangle for a client `width` (0: one row unless
// buttons say TBSTATE_WRAP).
void LayoutFor(Wnd* w, ToolbarState* s, int width) {
  const bool wrapable = (w->style & TBSTYLE_WRAPABLE) && width > 0;
  const int bh = ButtonHeight(w, s), top = TopMargin(w);
  int x = s->indent, y = top, rows = 1, right = 0;
  bool rowEmpty = true;
  for (size_t i = 0; i < s->buttons.size(); ++i) {
    TbButton& b = s->buttons[i];
    if (Hidden(b)) {
      b.rc = RECT{0, 0, 0, 0};
      continue;
    }
    int bw = ButtonWidth(s, b);
    if (wrapable && !rowEmpty && x + bw > width) {
      x = s->indent, y += bh, ++rows, rowEmpty = true;
      // A separator that would open a row only separates the rows.
      if (IsSep(b)) {
        b.rc = RECT{x, y, x, y};
        continue;
      }
    }
    b.rc = RECT{x, y, x + bw, y + bh};
    x += bw;
    right = std::max(right, x);
    rowEmpty = false;
    if ((b.fsState & TBSTATE_WRAP) && i + 1 < s->buttons.size()) x = s->indent, y += bh, ++rows, rowEmpty = true;
  }
  s->rows = rows;
  s->extent = SIZE{right, rowEmpty && rows > 1 ? y : y + bh};
  if (s->buttons.empty()) s->extent = SIZE{0, top + bh};
}

void UpdateTools(Wnd* w, ToolbarState* s);

void Layout(Wnd* w) {
  ToolbarState* s = State(w);
  LayoutFor(w, s, w->ClientWidth());
  UpdateTools(w, s);
  InvalidateRect(w->handle, nullptr, TRUE);
}

// The tooltip's tools follow the buttons: one per command, over its rectangle.
void UpdateTools(Wnd* w, ToolbarState* s) {
  if (!s->tooltip || !IsWindow(s->tooltip)) return;
  // Every tool of this toolbar goes (a shared tooltip keeps the others'),
  // then the buttons' come back.
  std::vector<TOOLINFOA> mine;
  for (WPARAM k = 0;; ++k) {
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    if (!SendMessageA(s->tooltip, TTM_ENUMTOOLSA, k, reinterpret_cast<LPARAM>(&ti))) break;
    if (ti.hwnd == w->handle) mine.push_back(ti);
  }
  for (TOOLINFOA& ti : mine) SendMessageA(s->tooltip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
  for (const TbButton& b : s->buttons) {
    if (IsSep(b) || Hidden(b)) continue;
    TOOLINFOA t{};
    t.cbSize = sizeof t;
    t.hwnd = w->handle;
    t.uId = static_cast<UINT_PTR>(b.idCommand);
    t.rect = b.rc;
    t.lpszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(s->tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&t));
  }
}

void InvalidateButton(Wnd* w, int i) {
  ToolbarState* s = State(w);
  if (i < 0 || i >= static_cast<int>(s->buttons.size())) return;
  InvalidateRect(w->handle, &s->buttons[static_cast<size_t>(i)].rc, TRUE);
}

// The run of group buttons around i, ended by a separator or a button
// without TBSTYLE_GROUP.
void GroupRange(ToolbarState* s, int i, int* first, int* last) {
  int n = static_cast<int>(s->buttons.size());
  *first = *last = i;
  while (*first > 0 && (s->buttons[static_cast<size_t>(*first - 1)].fsStyle & TBSTYLE_GROUP) &&
         !IsSep(s->buttons[static_cast<size_t>(*first - 1)]))
    --*first;
  while (*last + 1 < n && (s->buttons[static_cast<size_t>(*last + 1)].fsStyle & TBSTYLE_GROUP) &&
         !IsSep(s->buttons[static_cast<size_t>(*last + 1)]))
    ++*last;
}

// Checks or unchecks button i; checking a check-group button unchecks the
// others of its group.
void SetChecked(Wnd* w, int i, bool check) {
  ToolbarState* s = State(w);
  TbButton& b = s->buttons[static_cast<size_t>(i)];
  if (check && (b.fsStyle & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP) {
    int first, last;
    GroupRange(s, i, &first, &last);
    for (int k = first; k <= last; ++k) {
      TbButton& o = s->buttons[static_cast<size_t>(k)];
      if (k != i && (o.fsState & TBSTATE_CHECKED)) {
        o.fsState &= static_cast<BYTE>(~TBSTATE_CHECKED);
        InvalidateButton(w, k);
      }
    }
  }
  BYTE next = check ? static_cast<BYTE>(b.fsState | TBSTATE_CHECKED) : static_cast<BYTE>(b.fsState & ~TBSTATE_CHECKED);
  if (next != b.fsState) {
    b.fsState = next;
    InvalidateButton(w, i);
  }
}

// ---------------------------------------------------------------- images
// Grows the strip to hold `count` images and returns it.
bool EnsureStrip(ToolbarState* s, int count) {
  int have = 0;
  if (s->strip) {
    BITMAP bm{};
    GetObject(s->strip, sizeof bm, &bm);
    have = s->bitmapSize.cx > 0 ? bm.bmWidth / s->bitmapSize.cx : 0;
  }
  if (count <= have) return true;
  int cap = std::max(count, have * 2);
  HDC screen = GetDC(nullptr);
  HBITMAP grown = CreateCompatibleBitmap(screen, cap * s->bitmapSize.cx, s->bitmapSize.cy);
  if (!grown) {
    ReleaseDC(nullptr, screen);
    return false;
  }
  HDC to = CreateCompatibleDC(screen);
  HGDIOBJ ot = SelectObject(to, grown);
  RECT all{0, 0, cap * s->bitmapSize.cx, s->bitmapSize.cy};
  FillRect(to, &all, GetSysColorBrush(COLOR_BTNFACE));
  if (s->strip) {
    HDC from = CreateCompatibleDC(screen);
    HGDIOBJ of = SelectObject(from, s->strip);
    BitBlt(to, 0, 0, have * s->bitmapSize.cx, s->bitmapSize.cy, from, 0, 0, SRCCOPY);
    SelectObject(from, of);
    DeleteDC(from);
    DeleteObject(s->strip);
  }
  SelectObject(to, ot);
  DeleteDC(to);
  ReleaseDC(nullptr, screen);
  s->strip = grown;
  return true;
}

// Copies `count` images of hbm into the strip from image `at` on.
bool CopyImages(ToolbarState* s, HBITMAP hbm, int at, int count) {
  if (!EnsureStrip(s, at + count)) return false;
  HDC screen = GetDC(nullptr);
  HDC from = CreateCompatibleDC(screen), to = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ of = SelectObject(from, hbm), ot = SelectObject(to, s->strip);
  SetTextColor(to, RGB(0, 0, 0));  // a monochrome bitmap: 0 black, 1 white
  SetBkColor(to, RGB(255, 255, 255));
  BitBlt(to, at * s->bitmapSize.cx, 0, count * s->bitmapSize.cx, s->bitmapSize.cy, from, 0, 0, SRCCOPY);
  SelectObject(from, of);
  SelectObject(to, ot);
  DeleteDC(from);
  DeleteDC(to);
  return true;
}

// The bitmap of a TBADDBITMAP (to be deleted when `loaded`), NULL when it
// cannot be had.
HBITMAP SourceBitmap(HINSTANCE hInst, UINT_PTR nID, bool* loaded) {
  *loaded = false;
  if (!hInst) return reinterpret_cast<HBITMAP>(nID);
  if (hInst == HINST_COMMCTRL) return nullptr;  // FIXME: the standard button images are not drawn yet.
  *loaded = true;
  return LoadBitmapA(hInst, MAKEINTRESOURCE(nID));
}

LRESULT AddBitmap(ToolbarState* s, int count, const TBADDBITMAP* ab) {
  if (!ab || count <= 0) return -1;
  bool loaded;
  HBITMAP hbm = SourceBitmap(ab->hInst, ab->nID, &loaded);
  if (!hbm || GetObjectType(hbm) != OBJ_BITMAP) return -1;
  // The same bitmap added again gives its images again.
  for (const BitmapSource& src : s->sources)
    if (src.hInst == ab->hInst && src.nID == ab->nID && !loaded) return src.first;
  int first = s->imageCount;
  bool ok = CopyImages(s, hbm, first, count);
  if (loaded) DeleteObject(hbm);
  if (!ok) return -1;
  s->imageCount += count;
  s->sources.push_back(BitmapSource{ab->hInst, ab->nID, first, count});
  return first;
}

BOOL ReplaceBitmap(Wnd* w, ToolbarState* s, const TBREPLACEBITMAP* rb) {
  if (!rb) return FALSE;
  for (BitmapSource& src : s->sources) {
    if (src.hInst != rb->hInstOld || src.nID != rb->nIDOld) continue;
    bool loaded;
    HBITMAP hbm = SourceBitmap(rb->hInstNew, rb->nIDNew, &loaded);
    if (!hbm) return FALSE;
    int count = rb->nButtons > 0 ? std::min(rb->nButtons, src.count) : src.count;
    bool ok = CopyImages(s, hbm, src.first, count);
    if (loaded) DeleteObject(hbm);
    if (!ok) return FALSE;
    src.hInst = rb->hInstNew, src.nID = rb->nIDNew;
    InvalidateRect(w->handle, nullptr, TRUE);
    return TRUE;
  }
  return FALSE;
}

// ---------------------------------------------------------------- painting
// A checked button that the mouse does not hold shows a dithered face.
HBRUSH DitherBrush() {
  static HBRUSH brush = [] {
    WORD bits[8];
    for (int i = 0; i < 8; ++i) bits[i] = static_cast<WORD>((i & 1) ? 0xAAAA : 0x5555);
    HBITMAP bm = CreateBitmap(8, 8, 1, 1, bits);
    HBRUSH b = CreatePatternBrush(bm);
    DeleteObject(bm);
    return b;
  }();
  return brush;
}

void FillDithered(HDC hdc, const RECT& r) {
  COLORREF ot = SetTextColor(hdc, GetSysColor(COLOR_BTNFACE)), ob = SetBkColor(hdc, GetSysColor(COLOR_BTNHIGHLIGHT));
  FillRect(hdc, &r, DitherBrush());
  SetTextColor(hdc, ot);
  SetBkColor(hdc, ob);
}

// A disabled image: its shape embossed, a highlight copy one pixel down
// and right under a shadow copy. The shape is every pixel that is neither
// the button face nor white, as the strip's images are drawn on the face.
void DrawEmbossed(HDC hdc, HDC src, int sx, int sy, int cx, int cy, int x, int y) {
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (int pass = 0; pass < 2; ++pass) {
    COLORREF ink = GetSysColor(pass == 0 ? COLOR_BTNHIGHLIGHT : COLOR_BTNSHADOW);
    int off = pass == 0 ? 1 : 0;
    for (int j = 0; j < cy; ++j)
      for (int i = 0; i < cx; ++i) {
        COLORREF c = GetPixel(src, sx + i, sy + j);
        if (c == CLR_INVALID || c == face || c == RGB(255, 255, 255)) continue;
        SetPixelV(hdc, x + i + off, y + j + off, ink);
      }
  }
}

void DrawImage(Wnd* w, ToolbarState* s, HDC hdc, const TbButton& b, int x, int y, bool hot) {
  bool enabled = Enabled(b);
  HIMAGELIST list = !enabled && s->disabledList ? s->disabledList : hot && s->hotList ? s->hotList : s->imageList;
  if (list) {
    if (enabled || list == s->disabledList) {
      ImageList_Draw(list, b.iBitmap, hdc, x, y, ILD_TRANSPARENT);
    } else {
      // Drawn once into a bitmap of its own so that its shape can be embossed.
      HDC mem = CreateCompatibleDC(hdc);
      HBITMAP bm = CreateCompatibleBitmap(hdc, s->bitmapSize.cx, s->bitmapSize.cy);
      HGDIOBJ ob = SelectObject(mem, bm);
      RECT r{0, 0, s->bitmapSize.cx, s->bitmapSize.cy};
      FillRect(mem, &r, GetSysColorBrush(COLOR_BTNFACE));
      ImageList_Draw(list, b.iBitmap, mem, 0, 0, ILD_TRANSPARENT);
      DrawEmbossed(hdc, mem, 0, 0, s->bitmapSize.cx, s->bitmapSize.cy, x, y);
      SelectObject(mem, ob);
      DeleteObject(bm);
      DeleteDC(mem);
    }
    return;
  }
  if (!s->strip || b.iBitmap < 0 || b.iBitmap >= s->imageCount) return;
  HDC mem = CreateCompatibleDC(hdc);
  HGDIOBJ ob = SelectObject(mem, s->strip);
  int sx = b.iBitmap * s->bitmapSize.cx;
  if (enabled)
    BitBlt(hdc, x, y, s->bitmapSize.cx, s->bitmapSize.cy, mem, sx, 0, SRCCOPY);
  else
    DrawEmbossed(hdc, mem, sx, 0, s->bitmapSize.cx, s->bitmapSize.cy, x, y);
  SelectObject(mem, ob);
  DeleteDC(mem);
  (void)w;
}

void PaintButton(Wnd* w, ToolbarState* s, HDC hdc, int i) {
  const TbButton& b = s->buttons[static_cast<size_t>(i)];
  RECT r = b.rc;
  const bool flat = (w->style & TBSTYLE_FLAT) != 0;
  if (IsSep(b)) {
    if (flat && r.right > r.left) {
      // An etched line down the middle.
      int x = (r.left + r.right) / 2 - 1;
      RECT line{x, r.top + 1, x + 2, r.bottom - 1};
      DrawEdge(hdc, &line, EDGE_ETCHED, BF_LEFT);
    }
    return;
  }
  const bool held = (b.fsState & TBSTATE_PRESSED) || (s->pressed == i && s->pressedInside);
  const bool checked = (b.fsState & TBSTATE_CHECKED) != 0;
  const bool hot = flat && s->hot == i && Enabled(b);
  if (checked && !held) FillDithered(hdc, RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1});
  if (held || checked)
    DrawEdge(hdc, &r, flat ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
  else if (!flat)
    DrawEdge(hdc, &r, EDGE_RAISED, BF_RECT | BF_SOFT);
  else if (hot)
    DrawEdge(hdc, &r, BDR_RAISEDINNER, BF_RECT);
  const int shift = (held || checked) ? 1 : 0;
  const bool text = !b.text.empty() && !(w->style & TBSTYLE_LIST);
  const int textH = HasText(s) && !(w->style & TBSTYLE_LIST) ? TextHeight(w) : 0;
  int ix = r.left + (r.right - r.left - s->bitmapSize.cx) / 2 + shift;
  int iy = r.top + (r.bottom - r.top - textH - s->bitmapSize.cy) / 2 + shift;
  DrawImage(w, s, hdc, b, ix, iy, hot);
  if (text) {
    RECT tr{r.left + 1 + shift, r.bottom - textH - 1 + shift, r.right - 1 + shift, r.bottom - 1 + shift};
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
    if (Enabled(b))
      DrawTextA(hdc, b.text.c_str(), -1, &tr, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    else
      DrawDisabledText(hdc, b.text.c_str(), -1, tr, DT_CENTER | DT_SINGLELINE);
  }
}

void Paint(Wnd* w, HDC hdc) {
  ToolbarState* s = State(w);
  RECT all{0, 0, w->ClientWidth(), w->ClientHeight()};
  FillRect(hdc, &all, GetSysColorBrush(COLOR_BTNFACE));
  if (!(w->style & CCS_NODIVIDER)) {
    RECT line{0, 0, all.right, 2};
    DrawEdge(hdc, &line, EDGE_ETCHED, BF_TOP);
  }
  HGDIOBJ of = SelectObject(hdc, ControlFont(w));
  for (size_t i = 0; i < s->buttons.size(); ++i)
    if (!Hidden(s->buttons[i])) PaintButton(w, s, hdc, static_cast<int>(i));
  SelectObject(hdc, of);
}

// ---------------------------------------------------------------- input
// The enabled, visible, non-separator button under a client point; -1 for none.
int ButtonAt(ToolbarState* s, POINT p) {
  for (size_t i = 0; i < s->buttons.size(); ++i) {
    const TbButton& b = s->buttons[i];
    if (!Hidden(b) && !IsSep(b) && PtInRect(&b.rc, p)) return static_cast<int>(i);
  }
  return -1;
}

HWND NotifyWindow(Wnd* w) {
  ToolbarState* s = State(w);
  return s->notify && IsWindow(s->notify) ? s->notify : GetParent(w->handle);
}

void SendNotify(Wnd* w, NMHDR* nm, UINT code) {
  nm->hwndFrom = w->handle;
  nm->idFrom = w->id;
  nm->code = code;
  SendMessageA(NotifyWindow(w), WM_NOTIFY, w->id, reinterpret_cast<LPARAM>(nm));
}

void SetHot(Wnd* w, int i) {
  ToolbarState* s = State(w);
  if (!(w->style & TBSTYLE_FLAT)) i = -1;
  if (i == s->hot) return;
  NMTBHOTITEM nm{};
  nm.idOld = s->hot >= 0 ? s->buttons[static_cast<size_t>(s->hot)].idCommand : 0;
  nm.idNew = i >= 0 ? s->buttons[static_cast<size_t>(i)].idCommand : 0;
  nm.dwFlags = HICF_MOUSE | (i < 0 ? HICF_LEAVING : 0);
  InvalidateButton(w, s->hot);
  s->hot = i;
  InvalidateButton(w, i);
  if (i >= 0)
    SetTimer(w->handle, kHotTimer, 100, nullptr);
  else
    KillTimer(w->handle, kHotTimer);
  SendNotify(w, &nm.hdr, TBN_HOTITEMCHANGE);
}

void Relay(Wnd* w, UINT msg, WPARAM wp, LPARAM lp) {
  ToolbarState* s = State(w);
  if (!s->tooltip || !IsWindow(s->tooltip)) return;
  MSG m{w->handle, msg, wp, lp, GetMessageTime(), {0, 0}};
  GetCursorPos(&m.pt);
  SendMessageA(s->tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

void ButtonDown(Wnd* w, POINT p) {
  ToolbarState* s = State(w);
  int i = ButtonAt(s, p);
  if (i < 0 || !Enabled(s->buttons[static_cast<size_t>(i)])) return;
  TbButton& b = s->buttons[static_cast<size_t>(i)];
  if (b.fsStyle & TBSTYLE_DROPDOWN) {
    NMTOOLBARA nm{};
    nm.iItem = b.idCommand;
    nm.rcButton = b.rc;
    SendNotify(w, &nm.hdr, TBN_DROPDOWN);
    return;
  }
  SetCapture(w->handle);
  s->pressed = i;
  s->pressedInside = true;
  InvalidateButton(w, i);
}

void ButtonUp(Wnd* w, POINT p) {
  ToolbarState* s = State(w);
  int i = s->pressed;
  if (i < 0) return;
  s->pressed = -1;
  bool inside = s->pressedInside && ButtonAt(s, p) == i;
  s->pressedInside = false;
  if (GetCapture() == w->handle) ReleaseCapture();
  if (i >= static_cast<int>(s->buttons.size())) return;
  InvalidateButton(w, i);
  TbButton& b = s->buttons[static_cast<size_t>(i)];
  if (!inside || !Enabled(b)) return;
  if ((b.fsStyle & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP)
    SetChecked(w, i, true);  // clicking the checked one leaves it checked
  else if (b.fsStyle & TBSTYLE_CHECK)
    SetChecked(w, i, !(b.fsState & TBSTATE_CHECKED));
  int id = b.idCommand;
  SendMessageA(NotifyWindow(w), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(w->handle));
}

// ---------------------------------------------------------------- sizes
void AutoSize(Wnd* w) {
  ToolbarState* s = State(w);
  if (w->style & CCS_NORESIZE) {
    Layout(w);
    return;
  }
  HWND parent = GetParent(w->handle);
  RECT pr{};
  if (parent) GetClientRect(parent, &pr);
  int x = w->rcWindow.left, y = w->rcWindow.top, cx = w->Width();
  if (!(w->style & CCS_NOPARENTALIGN)) {
    x = 0;
    cx = pr.right - pr.left;
  } else if (cx <= 0) {
    LayoutFor(w, s, 0);
    cx = s->extent.cx;
  }
  // The frame's thickness is kept around the client size the buttons need.
  int frameX = w->Width() - w->ClientWidth(), frameY = w->Height() - w->ClientHeight();
  LayoutFor(w, s, cx - frameX);
  int cy = s->extent.cy + frameY;
  UINT dir = w->style & 3;
  if (!(w->style & (CCS_NOPARENTALIGN | CCS_NOMOVEY))) {
    if (dir == CCS_BOTTOM)
      y = pr.bottom - cy;
    else
      y = 0;
  }
  SetWindowPos(w->handle, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout(w);
}

// Rows that greedy wrapping at `width` makes, marking the buttons that end
// a row with TBSTATE_WRAP when mark.
int WrapAt(ToolbarState* s, int width, bool mark) {
  int x = 0, rows = 1, last = -1;
  for (size_t i = 0; i < s->buttons.size(); ++i) {
    TbButton& b = s->buttons[i];
    if (mark) b.fsState &= static_cast<BYTE>(~TBSTATE_WRAP);
    if (Hidden(b)) continue;
    int bw = ButtonWidth(s, b);
    if (x > 0 && x + bw > width) {
      if (mark && last >= 0) s->buttons[static_cast<size_t>(last)].fsState |= TBSTATE_WRAP;
      x = 0, ++rows;
    }
    x += bw;
    last = static_cast<int>(i);
  }
  return rows;
}

// Wraps the buttons into nRows rows, or the nearest count it can make (more
// when bLarger, fewer otherwise), by setting TBSTATE_WRAP; sizes the window
// unless CCS_NORESIZE and gives the bounds of the buttons in out.
void SetRows(Wnd* w, int nRows, bool bLarger, RECT* out) {
  ToolbarState* s = State(w);
  nRows = std::max(1, nRows);
  int total = 0, widest = 0;
  for (const TbButton& b : s->buttons)
    if (!Hidden(b)) total += ButtonWidth(s, b), widest = std::max(widest, ButtonWidth(s, b));
  // The narrowest width that gives exactly nRows rows; when no width does,
  // the nearest count above (bLarger) or below it.
  int exact = -1, above = -1, below = -1;
  for (int width = std::max(widest, 1); width <= std::max(total, 1); ++width) {
    int rows = WrapAt(s, width, false);
    if (rows == nRows && exact < 0) exact = width;
    if (rows > nRows) above = width;  // the widest of these has the fewest rows above
    if (rows < nRows && below < 0) below = width;
  }
  int width = exact >= 0 ? exact : bLarger ? (above >= 0 ? above : below) : (below >= 0 ? below : above);
  if (width < 0) width = std::max(total, 1);
  WrapAt(s, std::max(width, 1), true);
  LayoutFor(w, s, 0);
  RECT r{0, 0, s->extent.cx, s->extent.cy};
  if (!(w->style & CCS_NORESIZE))
    SetWindowPos(w->handle, nullptr, 0, 0, r.right + w->Width() - w->ClientWidth(),
                 r.bottom + w->Height() - w->ClientHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  Layout(w);
  if (out) *out = r;
}

// ---------------------------------------------------------------- buttons
bool InsertButtons(Wnd* w, int at, int count, const BYTE* data) {
  ToolbarState* s = State(w);
  if (!data || count <= 0 || s->structSize < offsetof(TBBUTTON, dwData)) return false;
  if (at < 0 || at > static_cast<int>(s->buttons.size())) at = static_cast<int>(s->buttons.size());
  std::vector<TbButton> add;
  for (int k = 0; k < count; ++k) {
    // The caller's structures may be shorter than ours (an older size).
    TBBUTTON in{};
    std::memcpy(&in, data + static_cast<size_t>(k) * s->structSize, std::min<size_t>(s->structSize, sizeof in));
    TbButton b;
    b.iBitmap = in.iBitmap;
    b.idCommand = in.idCommand;
    b.fsState = in.fsState;
    b.fsStyle = in.fsStyle;
    b.dwData = in.dwData;
    b.iString = s->structSize >= sizeof(TBBUTTON) ? in.iString : -1;
    if (b.iString >= 0 && b.iString < static_cast<INT_PTR>(s->strings.size()))
      b.text = s->strings[static_cast<size_t>(b.iString)];
    else if (b.iString > 0xFFFF)
      b.text = reinterpret_cast<const char*>(b.iString);  // a string pointer
    add.push_back(b);
  }
  s->buttons.insert(s->buttons.begin() + at, add.begin(), add.end());
  if (s->pressed >= at) s->pressed += count;
  if (s->hot >= at) s->hot += count;
  Layout(w);
  return true;
}

bool DeleteButton(Wnd* w, int i) {
  ToolbarState* s = State(w);
  if (i < 0 || i >= static_cast<int>(s->buttons.size())) return false;
  s->buttons.erase(s->buttons.begin() + i);
  if (s->pressed == i) s->pressed = -1, s->pressedInside = false;
  if (s->pressed > i) --s->pressed;
  if (s->hot == i) s->hot = -1;
  if (s->hot > i) --s->hot;
  Layout(w);
  return true;
}

LRESULT AddStrings(ToolbarState* s, WPARAM wp, LPARAM lp) {
  int first = static_cast<int>(s->strings.size());
  if (wp) {
    // A string resource of the module wParam.
    char buf[512];
    int n = LoadString(reinterpret_cast<HINSTANCE>(wp), static_cast<UINT>(lp), buf, sizeof buf);
    if (n <= 0) return -1;
    s->strings.emplace_back(buf, static_cast<size_t>(n));
    return first;
  }
  const char* p = reinterpret_cast<const char*>(lp);
  if (!p) return -1;
  // NUL-separated, ending with an empty string.
  while (*p) {
    s->strings.emplace_back(p);
    p += std::strlen(p) + 1;
  }
  return static_cast<int>(s->strings.size()) > first ? first : -1;
}

// TB_GET/SETBUTTONINFO: the button by id, or by index with TBIF_BYINDEX.
int InfoIndex(ToolbarState* s, WPARAM wp, const TBBUTTONINFOA* bi) {
  if (!bi || bi->cbSize < sizeof(TBBUTTONINFOA)) return -1;
  if (bi->dwMask & TBIF_BYINDEX) return wp < s->buttons.size() ? static_cast<int>(wp) : -1;
  return IndexOf(s, wp);
}

LRESULT GetButtonInfo(ToolbarState* s, WPARAM wp, TBBUTTONINFOA* bi) {
  int i = InfoIndex(s, wp, bi);
  if (i < 0) return -1;
  const TbButton& b = s->buttons[static_cast<size_t>(i)];
  if (bi->dwMask & TBIF_COMMAND) bi->idCommand = b.idCommand;
  if (bi->dwMask & TBIF_IMAGE) bi->iImage = b.iBitmap;
  if (bi->dwMask & TBIF_STATE) bi->fsState = b.fsState;
  if (bi->dwMask & TBIF_STYLE) bi->fsStyle = b.fsStyle;
  if (bi->dwMask & TBIF_LPARAM) bi->lParam = b.dwData;
  if (bi->dwMask & TBIF_SIZE) bi->cx = static_cast<WORD>(b.rc.right - b.rc.left);
  if ((bi->dwMask & TBIF_TEXT) && bi->pszText && bi->cchText > 0) {
    size_t n = std::min(b.text.size(), static_cast<size_t>(bi->cchText - 1));
    std::memcpy(bi->pszText, b.text.data(), n);
    bi->pszText[n] = 0;
  }
  return i;
}

LRESULT SetButtonInfo(Wnd* w, ToolbarState* s, WPARAM wp, const TBBUTTONINFOA* bi) {
  int i = InfoIndex(s, wp, bi);
  if (i < 0) return FALSE;
  TbButton& b = s->buttons[static_cast<size_t>(i)];
  bool relayout = false;
  if (bi->dwMask & TBIF_COMMAND) b.idCommand = bi->idCommand;
  if (bi->dwMask & TBIF_IMAGE) relayout |= IsSep(b) && b.iBitmap != bi->iImage, b.iBitmap = bi->iImage;
  if (bi->dwMask & TBIF_STATE) relayout |= ((b.fsState ^ bi->fsState) & (TBSTATE_HIDDEN | TBSTATE_WRAP)) != 0,
                               b.fsState = bi->fsState;
  if (bi->dwMask & TBIF_STYLE) relayout |= ((b.fsStyle ^ bi->fsStyle) & TBSTYLE_SEP) != 0, b.fsStyle = bi->fsStyle;
  if (bi->dwMask & TBIF_LPARAM) b.dwData = bi->lParam;
  if (bi->dwMask & TBIF_SIZE) relayout |= b.cx != bi->cx, b.cx = bi->cx;
  if (bi->dwMask & TBIF_TEXT) {
    bool hadText = HasText(s);
    b.text = bi->pszText ? bi->pszText : "";
    relayout |= hadText != HasText(s);
  }
  if (relayout)
    Layout(w);
  else
    InvalidateButton(w, i);
  return TRUE;
}

// TB_HITTEST: the index of the button under the point, or for a separator
// or a point beside every button, -1 minus the nearest index.
LRESULT HitTest(ToolbarState* s, const POINT* p) {
  if (!p) return -1;
  int nearest = -1;
  long best = 0;
  for (size_t i = 0; i < s->buttons.size(); ++i) {
    const TbButton& b = s->buttons[i];
    if (Hidden(b)) continue;
    if (PtInRect(&b.rc, *p)) return IsSep(b) ? -1 - static_cast<LRESULT>(i) : static_cast<LRESULT>(i);
    long dx = p->x < b.rc.left ? b.rc.left - p->x : p->x >= b.rc.right ? p->x - b.rc.right + 1 : 0;
    long dy = p->y < b.rc.top ? b.rc.top - p->y : p->y >= b.rc.bottom ? p->y - b.rc.bottom + 1 : 0;
    if (nearest < 0 || dx + dy < best) nearest = static_cast<int>(i), best = dx + dy;
  }
  return nearest < 0 ? -1 : -1 - static_cast<LRESULT>(nearest);
}

// Sets or clears a state bit of the button with the command id.
LRESULT ChangeState(Wnd* w, WPARAM id, BYTE bit, bool on) {
  ToolbarState* s = State(w);
  int i = IndexOf(s, id);
  if (i < 0) return FALSE;
  if (bit == TBSTATE_CHECKED) {
    SetChecked(w, i, on);
    return TRUE;
  }
  TbButton& b = s->buttons[static_cast<size_t>(i)];
  BYTE next = on ? static_cast<BYTE>(b.fsState | bit) : static_cast<BYTE>(b.fsState & ~bit);
  if (next == b.fsState) return TRUE;
  b.fsState = next;
  if (bit == TBSTATE_HIDDEN)
    Layout(w);
  else
    InvalidateButton(w, i);
  if (bit == TBSTATE_ENABLED && !on && s->pressed == i) {
    s->pressed = -1;
    if (GetCapture() == w->handle) ReleaseCapture();
  }
  return TRUE;
}

LRESULT StateBit(ToolbarState* s, WPARAM id, BYTE bit) {
  int i = IndexOf(s, id);
  if (i < 0) return -1;
  return (s->buttons[static_cast<size_t>(i)].fsState & bit) ? TRUE : FALSE;
}

// ---------------------------------------------------------------- messages
LRESULT OnCreate(Wnd* w, ToolbarState* s, LPARAM lp) {
  auto* cs = reinterpret_cast<CREATESTRUCTA*>(lp);
  s->notify = cs ? cs->hwndParent : nullptr;
  if (w->style & TBSTYLE_TOOLTIPS) {
    s->tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASS, nullptr, WS_POPUP, 0, 0, 0, 0, w->handle, nullptr,
                                 w->hInstance, nullptr);
    s->ownTooltip = s->tooltip != nullptr;
  }
  LayoutFor(w, s, w->ClientWidth());
  return 0;
}

LRESULT OnDestroy(Wnd* w, ToolbarState* s) {
  KillTimer(w->handle, kHotTimer);
  if (s->ownTooltip && IsWindow(s->tooltip)) DestroyWindow(s->tooltip);
  s->tooltip = nullptr;
  return 0;
}

LRESULT OnSize(Wnd* w, ToolbarState* s) {
  LayoutFor(w, s, w->ClientWidth());
  UpdateTools(w, s);
  InvalidateRect(w->handle, nullptr, TRUE);
  return 0;
}

// While a button is held the mouse only decides whether it looks pressed;
// otherwise the enabled button under it is hot.
LRESULT OnMouseMove(Wnd* w, ToolbarState* s, WPARAM wp, LPARAM lp) {
  Relay(w, WM_MOUSEMOVE, wp, lp);
  POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  if (s->pressed >= 0) {
    bool inside = ButtonAt(s, p) == s->pressed;
    if (inside != s->pressedInside) {
      s->pressedInside = inside;
      InvalidateButton(w, s->pressed);
    }
    return 0;
  }
  int i = ButtonAt(s, p);
  SetHot(w, i >= 0 && Enabled(s->buttons[static_cast<size_t>(i)]) ? i : -1);
  return 0;
}

// Without a leave message of its own the toolbar looks where the mouse went.
LRESULT OnTimer(Wnd* w, ToolbarState* s, WPARAM id, LPARAM lp) {
  if (id != kHotTimer) return DefWindowProcA(w->handle, WM_TIMER, id, lp);
  POINT p;
  GetCursorPos(&p);
  if (WindowFromPoint(p) != w->handle && s->pressed < 0) SetHot(w, -1);
  return 0;
}

LRESULT OnCaptureChanged(Wnd* w, ToolbarState* s, LPARAM lp) {
  if (s->pressed >= 0 && reinterpret_cast<HWND>(lp) != w->handle) {
    InvalidateButton(w, s->pressed);
    s->pressed = -1;
    s->pressedInside = false;
  }
  return 0;
}

// The tooltip asks the toolbar; the toolbar's owner answers, and a button's
// own text is the answer when the owner gives none.
LRESULT OnNotify(Wnd* w, ToolbarState* s, WPARAM wp, LPARAM lp) {
  auto* nm = reinterpret_cast<NMHDR*>(lp);
  if (!nm || nm->hwndFrom != s->tooltip) return DefWindowProcA(w->handle, WM_NOTIFY, wp, lp);
  LRESULT r = SendMessageA(NotifyWindow(w), WM_NOTIFY, wp, lp);
  if (nm->code == TTN_GETDISPINFOA) {
    auto* di = reinterpret_cast<NMTTDISPINFOA*>(lp);
    bool empty = !di->lpszText || (!IS_INTRESOURCE(di->lpszText) && di->lpszText[0] == 0);
    int i = IndexOf(s, nm->idFrom);
    if (empty && i >= 0 && !s->buttons[static_cast<size_t>(i)].text.empty()) {
      const std::string& t = s->buttons[static_cast<size_t>(i)].text;
      size_t n = std::min(t.size(), sizeof di->szText - 1);
      std::memcpy(di->szText, t.data(), n);
      di->szText[n] = 0;
      di->lpszText = di->szText;
    }
  }
  return r;
}

LRESULT OnNotifyFormat(Wnd* w, ToolbarState* s, WPARAM wp, LPARAM lp) {
  if (reinterpret_cast<HWND>(wp) == s->tooltip && lp == NF_QUERY)
    return SendMessageA(NotifyWindow(w), WM_NOTIFYFORMAT, reinterpret_cast<WPARAM>(w->handle), NF_QUERY);
  return DefWindowProcA(w->handle, WM_NOTIFYFORMAT, wp, lp);
}

LRESULT SetState(Wnd* w, ToolbarState* s, WPARAM id, BYTE next) {
  int i = IndexOf(s, id);
  if (i < 0) return FALSE;
  TbButton& b = s->buttons[static_cast<size_t>(i)];
  bool relayout = ((b.fsState ^ next) & (TBSTATE_HIDDEN | TBSTATE_WRAP)) != 0;
  b.fsState = next;
  if (relayout)
    Layout(w);
  else
    InvalidateButton(w, i);
  return TRUE;
}

LRESULT GetButton(ToolbarState* s, size_t i, TBBUTTON* out) {
  if (i >= s->buttons.size() || !out) return FALSE;
  const TbButton& b = s->buttons[i];
  TBBUTTON t{};
  t.iBitmap = b.iBitmap;
  t.idCommand = b.idCommand;
  t.fsState = b.fsState;
  t.fsStyle = b.fsStyle;
  t.dwData = b.dwData;
  t.iString = b.iString;
  std::memcpy(out, &t, std::min<size_t>(s->structSize, sizeof t));
  return TRUE;
}

LRESULT GetItemRect(ToolbarState* s, size_t i, RECT* r) {
  if (i >= s->buttons.size() || !r || Hidden(s->buttons[i])) return FALSE;
  *r = s->buttons[i].rc;
  return TRUE;
}

LRESULT MoveButton(Wnd* w, ToolbarState* s, size_t from, size_t to) {
  if (from >= s->buttons.size() || to >= s->buttons.size()) return FALSE;
  TbButton b = s->buttons[from];
  s->buttons.erase(s->buttons.begin() + static_cast<long>(from));
  s->buttons.insert(s->buttons.begin() + static_cast<long>(to), b);
  Layout(w);
  return TRUE;
}

// An image list of its own sets the image size.
LRESULT SetImageList(Wnd* w, ToolbarState* s, HIMAGELIST list) {
  HIMAGELIST old = s->imageList;
  s->imageList = list;
  int cx = 0, cy = 0;
  if (s->imageList && ImageList_GetIconSize(s->imageList, &cx, &cy)) {
    s->bitmapSize = SIZE{cx, cy};
    Layout(w);
  }
  InvalidateRect(w->handle, nullptr, TRUE);
  return reinterpret_cast<LRESULT>(old);
}

LRESULT SetOtherImageList(Wnd* w, HIMAGELIST* slot, HIMAGELIST list) {
  HIMAGELIST old = *slot;
  *slot = list;
  InvalidateRect(w->handle, nullptr, TRUE);
  return reinterpret_cast<LRESULT>(old);
}

LRESULT SetBitmapSize(Wnd* w, ToolbarState* s, int cx, int cy) {
  if (cx <= 0 || cy <= 0) return FALSE;
  if (cx == s->bitmapSize.cx && cy == s->bitmapSize.cy) return TRUE;
  // The strip is cut in cells of this size, so it starts over.
  if (s->strip) DeleteObject(s->strip);
  s->strip = nullptr;
  s->imageCount = 0;
  s->sources.clear();
  s->bitmapSize = SIZE{cx, cy};
  Layout(w);
  return TRUE;
}

LRESULT SetButtonSize(Wnd* w, ToolbarState* s, int cx, int cy) {
  if (cx > 0) s->buttonSize.cx = cx;
  if (cy > 0) s->buttonSize.cy = cy;
  Layout(w);
  return TRUE;
}

LRESULT GetMaxSize(ToolbarState* s, SIZE* sz) {
  if (!sz) return FALSE;
  *sz = s->extent;
  return TRUE;
}

LRESULT SetExtendedStyle(Wnd* w, ToolbarState* s, DWORD style) {
  DWORD old = s->exStyle;
  s->exStyle = style;
  InvalidateRect(w->handle, nullptr, TRUE);
  return old;
}

LRESULT SetPadding(Wnd* w, ToolbarState* s, DWORD padding) {
  DWORD old = s->padding;
  s->padding = padding;
  Layout(w);
  return old;
}

// A tooltip given from outside replaces (and destroys) the toolbar's own.
LRESULT SetToolTips(Wnd* w, ToolbarState* s, HWND tip) {
  if (s->ownTooltip && s->tooltip && s->tooltip != tip && IsWindow(s->tooltip)) DestroyWindow(s->tooltip);
  s->tooltip = tip;
  s->ownTooltip = false;
  UpdateTools(w, s);
  return 0;
}

LRESULT SetNotifyWindow(ToolbarState* s, HWND notify) {
  HWND old = s->notify;
  s->notify = notify;
  return reinterpret_cast<LRESULT>(old);
}

// The TB_ messages: buttons by command and by index, images and strings,
// sizes and layout, tooltips and the notify window.
LRESULT ToolbarMessage(Wnd* w, ToolbarState* s, UINT msg, WPARAM wp, LPARAM lp) {
  int i = IndexOf(s, wp);
  switch (msg) {
    case TB_ENABLEBUTTON: return ChangeState(w, wp, TBSTATE_ENABLED, LOWORD(lp) != 0);
    case TB_CHECKBUTTON: return ChangeState(w, wp, TBSTATE_CHECKED, LOWORD(lp) != 0);
    case TB_HIDEBUTTON: return ChangeState(w, wp, TBSTATE_HIDDEN, LOWORD(lp) != 0);
    case TB_ISBUTTONENABLED: return StateBit(s, wp, TBSTATE_ENABLED);
    case TB_ISBUTTONCHECKED: return StateBit(s, wp, TBSTATE_CHECKED);
    case TB_ISBUTTONHIDDEN: return StateBit(s, wp, TBSTATE_HIDDEN);
    case TB_SETSTATE: return SetState(w, s, wp, static_cast<BYTE>(LOWORD(lp)));
    case TB_GETSTATE: return i < 0 ? -1 : s->buttons[static_cast<size_t>(i)].fsState;
    case TB_COMMANDTOINDEX: return i;
    case TB_GETBITMAP: return i < 0 ? -1 : s->buttons[static_cast<size_t>(i)].iBitmap;
    case TB_BUTTONSTRUCTSIZE: s->structSize = static_cast<UINT>(wp); return 0;
    case TB_ADDBUTTONSA: return InsertButtons(w, -1, static_cast<int>(wp), reinterpret_cast<const BYTE*>(lp));
    case TB_INSERTBUTTONA: return InsertButtons(w, static_cast<int>(wp), 1, reinterpret_cast<const BYTE*>(lp));
    case TB_DELETEBUTTON: return DeleteButton(w, static_cast<int>(wp));
    case TB_GETBUTTON: return GetButton(s, wp, reinterpret_cast<TBBUTTON*>(lp));
    case TB_BUTTONCOUNT: return static_cast<LRESULT>(s->buttons.size());
    case TB_GETITEMRECT: return GetItemRect(s, wp, reinterpret_cast<RECT*>(lp));
    case TB_MOVEBUTTON: return MoveButton(w, s, wp, static_cast<size_t>(lp));
    case TB_GETBUTTONINFOA: return GetButtonInfo(s, wp, reinterpret_cast<TBBUTTONINFOA*>(lp));
    case TB_SETBUTTONINFOA: return SetButtonInfo(w, s, wp, reinterpret_cast<const TBBUTTONINFOA*>(lp));
    case TB_HITTEST: return HitTest(s, reinterpret_cast<const POINT*>(lp));
    case TB_GETHOTITEM: return s->hot;
    case TB_ADDBITMAP: return AddBitmap(s, static_cast<int>(wp), reinterpret_cast<const TBADDBITMAP*>(lp));
    case TB_REPLACEBITMAP: return ReplaceBitmap(w, s, reinterpret_cast<const TBREPLACEBITMAP*>(lp));
    case TB_ADDSTRINGA: return AddStrings(s, wp, lp);
    case TB_SETIMAGELIST: return SetImageList(w, s, reinterpret_cast<HIMAGELIST>(lp));
    case TB_GETIMAGELIST: return reinterpret_cast<LRESULT>(s->imageList);
    case TB_SETDISABLEDIMAGELIST: return SetOtherImageList(w, &s->disabledList, reinterpret_cast<HIMAGELIST>(lp));
    case TB_SETHOTIMAGELIST: return SetOtherImageList(w, &s->hotList, reinterpret_cast<HIMAGELIST>(lp));
    case TB_SETBITMAPSIZE: return SetBitmapSize(w, s, LOWORD(lp), HIWORD(lp));
    case TB_SETBUTTONSIZE: return SetButtonSize(w, s, LOWORD(lp), HIWORD(lp));
    case TB_GETBUTTONSIZE:
      return MAKELONG(std::max<int>(s->buttonSize.cx, s->bitmapSize.cx + LOWORD(s->padding)), ButtonHeight(w, s));
    case TB_AUTOSIZE: AutoSize(w); return 0;
    case TB_SETROWS: SetRows(w, LOWORD(wp), HIWORD(wp) != 0, reinterpret_cast<RECT*>(lp)); return 0;
    case TB_GETROWS: return s->rows;
    case TB_SETINDENT:
      s->indent = static_cast<int>(wp);
      Layout(w);
      return TRUE;
    case TB_GETMAXSIZE: return GetMaxSize(s, reinterpret_cast<SIZE*>(lp));
    case TB_SETSTYLE:
      SetWindowLongA(w->handle, GWL_STYLE, static_cast<LONG>(lp));
      Layout(w);
      return 0;
    case TB_GETSTYLE: return static_cast<LRESULT>(w->style);
    case TB_SETEXTENDEDSTYLE: return SetExtendedStyle(w, s, static_cast<DWORD>(lp));
    case TB_GETEXTENDEDSTYLE: return s->exStyle;
    case TB_SETPADDING: return SetPadding(w, s, static_cast<DWORD>(lp));
    case TB_GETTOOLTIPS: return reinterpret_cast<LRESULT>(s->tooltip);
    case TB_SETTOOLTIPS: return SetToolTips(w, s, reinterpret_cast<HWND>(wp));
    case TB_SETPARENT: return SetNotifyWindow(s, reinterpret_cast<HWND>(wp));
  }
  return DefWindowProcA(w->handle, msg, wp, lp);
}

LRESULT CALLBACK ToolbarProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* w = FromHandleQuiet(h);
  if (!w) return 0;
  ToolbarState* s = State(w);
  switch (msg) {
    case WM_CREATE: return OnCreate(w, s, lp);
    case WM_DESTROY: return OnDestroy(w, s);
    case WM_SIZE: return OnSize(w, s);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return PaintControl(w, [w](HDC hdc) { Paint(w, hdc); });
    case WM_PRINTCLIENT: Paint(w, reinterpret_cast<HDC>(wp)); return 0;
    case WM_GETDLGCODE: return 0;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Relay(w, msg, wp, lp);
      ButtonDown(w, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      return 0;
    case WM_LBUTTONUP:
      Relay(w, msg, wp, lp);
      ButtonUp(w, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
      return 0;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: Relay(w, msg, wp, lp); break;
    case WM_MOUSEMOVE: return OnMouseMove(w, s, wp, lp);
    case WM_TIMER: return OnTimer(w, s, wp, lp);
    case WM_CAPTURECHANGED: return OnCaptureChanged(w, s, lp);
    case WM_NOTIFY: return OnNotify(w, s, wp, lp);
    case WM_NOTIFYFORMAT: return OnNotifyFormat(w, s, wp, lp);
    case WM_STYLECHANGED: Layout(w); return 0;
    case WM_SETFONT:
      w->font = reinterpret_cast<HFONT>(wp);
      Layout(w);
      return 0;
  }
  if (msg >= WM_USER) return ToolbarMessage(w, s, msg, wp, lp);
  return DefWindowProcA(h, msg, wp, lp);
}

const KyCommonClassRegistrar kReg([] { RegisterCommonClass(TOOLBARCLASSNAME, ToolbarProc); });

}  // namespace
}  // namespace kyuser
