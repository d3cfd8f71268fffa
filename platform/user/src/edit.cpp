// The "Edit" class: single-line and multi-line text with a caret, a
// selection, typing, the clipboard commands and one level of undo.
//
// The text is the window text itself (Wnd::text), in the ANSI code page;
// positions are byte offsets that never split a double-byte character.
// Multi-line text keeps CR LF between lines; without ES_AUTOHSCROLL long
// lines wrap at word boundaries. Layout is computed again on every use: edit
// texts in dialogs are short.
//
// Messages: the EM_ messages the framework's CEdit, the combo box and the
// dialogs send (selection, replacing, modified flag, line count and index,
// text limit, undo, scrolling to the caret) and the clipboard's WM_CUT,
// WM_COPY, WM_PASTE, WM_CLEAR and WM_UNDO; the password character comes
// from ES_PASSWORD only.
#include <algorithm>
#include <cstring>

#include "codepage.h"
#include "ctlutil.h"

namespace kyuser {
namespace {

std::string& Clipboard() {
  static auto* s = new std::string();
  return *s;
}

struct Line {
  int start;
  int end;  // excludes the line break
};

struct EditState : ControlState {
  int anchor = 0;
  int caret = 0;
  int limit = 0x7FFFFFFE;
  bool modified = false;
  bool tracking = false;
  std::string undoText;
  int undoCaret = 0;
  bool canUndo = false;
  int scrollX = 0;
  int firstLine = 0;
  char password = 0;
  char pendingLead = 0;
};

EditState* State(Wnd* w) { return StateOf<EditState>(w); }

bool Multi(Wnd* w) { return (w->style & ES_MULTILINE) != 0; }
bool ReadOnly(Wnd* w) { return (w->style & ES_READONLY) != 0; }
constexpr int kMargin = 2;

int SelMin(EditState* s) { return std::min(s->anchor, s->caret); }
int SelMax(EditState* s) { return std::max(s->anchor, s->caret); }

// Steps over whole characters of the ANSI code page.
int NextPos(const std::string& t, int i) {
  if (i >= static_cast<int>(t.size())) return static_cast<int>(t.size());
  if (t[i] == '\r' && i + 1 < static_cast<int>(t.size()) && t[i + 1] == '\n') return i + 2;
  if (IsDBCSLeadByte(static_cast<BYTE>(t[i])) && i + 1 < static_cast<int>(t.size())) return i + 2;
  return i + 1;
}
int PrevPos(const std::string& t, int i) {
  if (i <= 0) return 0;
  int p = 0, last = 0;
  while (p < i) {
    last = p;
    p = NextPos(t, p);
  }
  return last;
}
int Snap(const std::string& t, int i) {
  i = std::clamp(i, 0, static_cast<int>(t.size()));
  int p = 0;
  while (p < i) {
    int n = NextPos(t, p);
    if (n > i) return p;
    p = n;
  }
  return p;
}

class Measure {
 public:
  explicit Measure(Wnd* w) : m_hdc(CreateCompatibleDC(nullptr)) { m_old = SelectObject(m_hdc, ControlFont(w)); }
  ~Measure() {
    SelectObject(m_hdc, m_old);
    DeleteDC(m_hdc);
  }
  int Width(const char* s, int n) {
    if (n <= 0) return 0;
    SIZE sz{0, 0};
    GetTextExtentPoint32A(m_hdc, s, n, &sz);
    return sz.cx;
  }
  int Height() { return FontHeight(m_hdc); }

 private:
  HDC m_hdc;
  HGDIOBJ m_old;
};

std::string Shown(Wnd* w, const std::string& t) {
  EditState* s = State(w);
  if (s->password && !Multi(w)) return std::string(t.size(), s->password);
  return t;
}

std::vector<Line> Layout(Wnd* w, Measure& m) {
  const std::string& t = w->text;
  std::vector<Line> lines;
  if (!Multi(w)) {
    lines.push_back(Line{0, static_cast<int>(t.size())});
    return lines;
  }
  int width = w->ClientWidth() - 2 * kMargin;
  bool wrap = !(w->style & ES_AUTOHSCROLL) && width > 0;
  int start = 0;
  int n = static_cast<int>(t.size());
  while (true) {
    int end = start;
    while (end < n && !(t[end] == '\r' && end + 1 < n && t[end + 1] == '\n')) ++end;
    // [start, end) is one hard line; cut it into pieces that fit.
    int s0 = start;
    while (wrap && m.Width(t.data() + s0, end - s0) > width) {
      int fit = s0, lastSpace = -1;
      for (int p = s0; p < end; p = NextPos(t, p)) {
        if (m.Width(t.data() + s0, NextPos(t, p) - s0) > width) break;
        fit = NextPos(t, p);
        if (t[p] == ' ') lastSpace = NextPos(t, p);
      }
      int cut = lastSpace > s0 ? lastSpace : std::max(fit, NextPos(t, s0));
      lines.push_back(Line{s0, cut});
      s0 = cut;
    }
    lines.push_back(Line{s0, end});
    if (end >= n) break;
    start = end + 2;
  }
  return lines;
}

int LineOf(const std::vector<Line>& lines, int pos) {
  for (int i = static_cast<int>(lines.size()) - 1; i >= 0; --i)
    if (pos >= lines[i].start) return i;
  return 0;
}

int VisibleLines(Wnd* w, Measure& m) { return std::max(1, w->ClientHeight() / std::max(1, m.Height())); }

void EnsureCaretVisible(Wnd* w) {
  EditState* s = State(w);
  Measure m(w);
  auto lines = Layout(w, m);
  int li = LineOf(lines, s->caret);
  std::string shown = Shown(w, w->text);
  int x = m.Width(shown.data() + lines[li].start, s->caret - lines[li].start);
  int width = w->ClientWidth() - 2 * kMargin;
  if (x - s->scrollX > width) s->scrollX = x - width + width / 3;
  if (x < s->scrollX) s->scrollX = std::max(0, x - width / 3);
  if (!Multi(w) && !(w->style & ES_AUTOHSCROLL)) s->scrollX = 0;
  if (Multi(w)) {
    int vis = VisibleLines(w, m);
    if (li < s->firstLine) s->firstLine = li;
    if (li >= s->firstLine + vis) s->firstLine = li - vis + 1;
  }
}

void Changed(Wnd* w) {
  State(w)->modified = true;
  EnsureCaretVisible(w);
  InvalidateRect(w->handle, nullptr, FALSE);
  HWND h = w->handle;
  NotifyParent(w, EN_UPDATE);
  if (FromHandleQuiet(h)) NotifyParent(w, EN_CHANGE);
}

void Moved(Wnd* w) {
  EnsureCaretVisible(w);
  InvalidateRect(w->handle, nullptr, FALSE);
}

// Replaces the selection with text; false when nothing could go in.
bool Replace(Wnd* w, std::string text, bool undoable) {
  EditState* s = State(w);
  int a = SelMin(s), b = SelMax(s);
  int room = s->limit - (static_cast<int>(w->text.size()) - (b - a));
  if (room < static_cast<int>(text.size())) {
    text.resize(static_cast<size_t>(std::max(room, 0)));
    text.resize(static_cast<size_t>(Snap(text, static_cast<int>(text.size()))));
    NotifyParent(w, EN_MAXTEXT);
    if (text.empty() && a == b) return false;
  }
  if (undoable) {
    s->undoText = w->text;
    s->undoCaret = s->caret;
    s->canUndo = true;
  }
  w->text.replace(static_cast<size_t>(a), static_cast<size_t>(b - a), text);
  s->anchor = s->caret = a + static_cast<int>(text.size());
  return true;
}

int CharFromPoint(Wnd* w, POINT p) {
  EditState* s = State(w);
  Measure m(w);
  auto lines = Layout(w, m);
  int li = Multi(w) ? std::clamp(s->firstLine + p.y / std::max(1, m.Height()), 0, static_cast<int>(lines.size()) - 1) : 0;
  std::string shown = Shown(w, w->text);
  int x = p.x - kMargin + s->scrollX;
  const Line& L = lines[li];
  int best = L.start;
  for (int q = L.start; q < L.end;) {
    int n = NextPos(shown, q);
    int left = m.Width(shown.data() + L.start, q - L.start);
    int right = m.Width(shown.data() + L.start, n - L.start);
    if (x < (left + right) / 2) return q;
    best = n;
    q = n;
  }
  return std::min(best, L.end);
}

void Paint(Wnd* w, HDC hdc) {
  EditState* s = State(w);
  bool disabled = (w->style & WS_DISABLED) != 0;
  HBRUSH br = ControlColor(w, hdc, (ReadOnly(w) || disabled) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
  COLORREF textColour = disabled ? GetSysColor(COLOR_GRAYTEXT) : GetTextColor(hdc);
  RECT r{0, 0, w->ClientWidth(), w->ClientHeight()};
  FillRect(hdc, &r, br);
  HGDIOBJ oldFont = SelectObject(hdc, ControlFont(w));
  Measure m(w);
  int lh = m.Height();
  auto lines = Layout(w, m);
  std::string shown = Shown(w, w->text);
  bool focus = CurrentFocus() == w->handle;
  bool showSel = focus || (w->style & ES_NOHIDESEL);
  int a = SelMin(s), b = SelMax(s);
  SetBkMode(hdc, TRANSPARENT);
  int first = Multi(w) ? s->firstLine : 0;
  for (int li = first; li < static_cast<int>(lines.size()); ++li) {
    int y = Multi(w) ? (li - first) * lh : 1;
    if (y > r.bottom) break;
    const Line& L = lines[li];
    int x0 = kMargin - s->scrollX;
    const char* base = shown.data() + L.start;
    // Three runs: before, inside and after the selection.
    int cuts[4] = {L.start, std::clamp(a, L.start, L.end), std::clamp(b, L.start, L.end), L.end};
    for (int k = 0; k < 3; ++k) {
      int from = cuts[k], to = cuts[k + 1];
      if (to <= from) continue;
      int x = x0 + m.Width(base, from - L.start);
      int wpx = m.Width(shown.data() + from, to - from);
      bool sel = k == 1 && showSel && a != b;
      if (sel) {
        RECT hr{x, y, x + wpx, y + lh};
        FillRect(hdc, &hr, GetSysColorBrush(COLOR_HIGHLIGHT));
        SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
      } else {
        SetTextColor(hdc, textColour);
      }
      TextOutA(hdc, x, y, shown.data() + from, to - from);
    }
  }
  if (focus) {
    int li = LineOf(lines, s->caret);
    int y = Multi(w) ? (li - first) * lh : 1;
    int x = kMargin - s->scrollX + m.Width(shown.data() + lines[li].start, s->caret - lines[li].start);
    RECT c{x, y, x + 1, y + lh};
    FillRect(hdc, &c, GetSysColorBrush(COLOR_WINDOWTEXT));
  }
  SelectObject(hdc, oldFont);
}

int WordStart(const std::string& t, int i) {
  while (i > 0 && t[i - 1] == ' ') --i;
  while (i > 0 && t[i - 1] != ' ' && t[i - 1] != '\n') --i;
  return i;
}
int WordEnd(const std::string& t, int i) {
  int n = static_cast<int>(t.size());
  while (i < n && t[i] != ' ' && t[i] != '\r') ++i;
  while (i < n && t[i] == ' ') ++i;
  return i;
}

void MoveCaret(Wnd* w, int pos, bool extend) {
  EditState* s = State(w);
  s->caret = Snap(w->text, pos);
  if (!extend) s->anchor = s->caret;
  Moved(w);
}

void KeyDown(Wnd* w, int vk) {
  EditState* s = State(w);
  bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
  const std::string& t = w->text;
  switch (vk) {
    case VK_LEFT:
      if (!shift && s->anchor != s->caret) return MoveCaret(w, SelMin(s), false);
      return MoveCaret(w, ctrl ? WordStart(t, s->caret) : PrevPos(t, s->caret), shift);
    case VK_RIGHT:
      if (!shift && s->anchor != s->caret) return MoveCaret(w, SelMax(s), false);
      return MoveCaret(w, ctrl ? WordEnd(t, s->caret) : NextPos(t, s->caret), shift);
    case VK_HOME:
    case VK_END:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: {
      Measure m(w);
      auto lines = Layout(w, m);
      int li = LineOf(lines, s->caret);
      if (vk == VK_HOME) return MoveCaret(w, ctrl ? 0 : lines[li].start, shift);
      if (vk == VK_END) return MoveCaret(w, ctrl ? static_cast<int>(t.size()) : lines[li].end, shift);
      if (!Multi(w)) return;
      int step = (vk == VK_PRIOR || vk == VK_NEXT) ? VisibleLines(w, m) : 1;
      int target = std::clamp(li + ((vk == VK_UP || vk == VK_PRIOR) ? -step : step), 0, static_cast<int>(lines.size()) - 1);
      int x = m.Width(t.data() + lines[li].start, s->caret - lines[li].start);
      int best = lines[target].start;
      for (int q = lines[target].start; q <= lines[target].end; q = NextPos(t, q)) {
        if (m.Width(t.data() + lines[target].start, q - lines[target].start) > x) break;
        best = q;
        if (q == lines[target].end) break;
      }
      return MoveCaret(w, best, shift);
    }
    case VK_DELETE:
      if (ReadOnly(w)) return MessageBeep(0), void();
      if (shift) {
        SendMessageA(w->handle, WM_CUT, 0, 0);
        return;
      }
      if (s->anchor == s->caret) s->caret = NextPos(t, s->caret);
      if (s->anchor != s->caret && Replace(w, "", true)) Changed(w);
      return;
    case VK_INSERT:
      if (ctrl) SendMessageA(w->handle, WM_COPY, 0, 0);
      if (shift) SendMessageA(w->handle, WM_PASTE, 0, 0);
      return;
  }
}

void Char(Wnd* w, BYTE ch) {
  EditState* s = State(w);
  HWND h = w->handle;
  switch (ch) {
    case 1:  // Control+A
      s->anchor = 0;
      s->caret = static_cast<int>(w->text.size());
      return Moved(w);
    case 3:
      SendMessageA(h, WM_COPY, 0, 0);
      return;
    case 22:
      SendMessageA(h, WM_PASTE, 0, 0);
      return;
    case 24:
      SendMessageA(h, WM_CUT, 0, 0);
      return;
    case 26:
      SendMessageA(h, WM_UNDO, 0, 0);
      return;
    case 27:
      return;
  }
  if (ReadOnly(w)) {
    MessageBeep(0);
    return;
  }
  std::string text;
  if (ch == 8) {
    if (s->anchor == s->caret) s->anchor = PrevPos(w->text, s->caret);
    if (s->anchor != s->caret && Replace(w, "", true)) Changed(w);
    return;
  }
  if (ch == '\r' || ch == '\n') {
    if (!Multi(w)) return MessageBeep(0), void();
    text = "\r\n";
  } else if (ch == '\t') {
    if (!Multi(w)) return;
    text = "\t";
  } else if (ch < 0x20) {
    return;
  } else if (s->pendingLead) {
    text = std::string{s->pendingLead, static_cast<char>(ch)};
    s->pendingLead = 0;
  } else if (IsDBCSLeadByte(ch)) {
    s->pendingLead = static_cast<char>(ch);
    return;
  } else {
    char c = static_cast<char>(ch);
    if ((w->style & ES_NUMBER) && !(c >= '0' && c <= '9')) return MessageBeep(0), void();
    if (w->style & ES_UPPERCASE) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    if (w->style & ES_LOWERCASE) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    text = std::string(1, c);
  }
  if (Replace(w, text, true)) Changed(w);
}

// One line: a break in the given text ends it.
std::string FirstLineOf(std::string t, Wnd* w) {
  if (!Multi(w)) {
    size_t cut = t.find_first_of("\r\n");
    if (cut != std::string::npos) t.resize(cut);
  }
  return t;
}

// ---------------------------------------------------------------- messages
LRESULT OnNcCreate(Wnd* w, EditState* s, WPARAM wp, LPARAM lp) {
  if (w->style & ES_PASSWORD) s->password = '*';
  w->text = FirstLineOf(w->text, w);
  return DefWindowProcA(w->handle, WM_NCCREATE, wp, lp);
}

// A multi-line edit with ES_WANTRETURN keeps the Enter key from the dialog.
LRESULT OnGetDlgCode(Wnd* w, LPARAM lp) {
  LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  const MSG* m = reinterpret_cast<const MSG*>(lp);
  if (Multi(w) && m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN && (w->style & ES_WANTRETURN))
    code |= DLGC_WANTALLKEYS;
  return code;
}

// New text starts over: caret, scrolling, modified flag and undo.
LRESULT OnSetText(Wnd* w, EditState* s, LPARAM lp) {
  const char* t = reinterpret_cast<const char*>(lp);
  w->text = FirstLineOf(t ? t : "", w);
  s->anchor = s->caret = 0;
  s->scrollX = 0;
  s->firstLine = 0;
  s->modified = false;
  s->canUndo = false;
  InvalidateRect(w->handle, nullptr, FALSE);
  // A single-line edit reports a change of its text even when code made it.
  if (!Multi(w)) {
    NotifyParent(w, EN_UPDATE);
    if (FromHandleQuiet(w->handle)) NotifyParent(w, EN_CHANGE);
  }
  return TRUE;
}

LRESULT OnLButtonDown(Wnd* w, EditState* s, WPARAM keys, LPARAM lp) {
  if (!FocusOnClick(w)) return 0;
  MoveCaret(w, CharFromPoint(w, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}), (keys & MK_SHIFT) != 0);
  s->tracking = true;
  SetCapture(w->handle);
  return 0;
}

LRESULT OnLButtonUp(Wnd* w, EditState* s) {
  if (s->tracking) {
    s->tracking = false;
    if (GetCapture() == w->handle) ReleaseCapture();
  }
  return 0;
}

// A double click selects the word under the mouse.
LRESULT OnLButtonDblClk(Wnd* w, EditState* s, LPARAM lp) {
  int pos = CharFromPoint(w, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
  s->anchor = WordStart(w->text, pos);
  s->caret = WordEnd(w->text, pos);
  Moved(w);
  return 0;
}

LRESULT OnFocus(Wnd* w, UINT msg) {
  InvalidateRect(w->handle, nullptr, FALSE);
  NotifyParent(w, msg == WM_SETFOCUS ? EN_SETFOCUS : EN_KILLFOCUS);
  return 0;
}

// Positions past 0xFFFF show in the pointers only.
LRESULT GetSel(EditState* s, WPARAM start, LPARAM end) {
  DWORD a = static_cast<DWORD>(SelMin(s)), b = static_cast<DWORD>(SelMax(s));
  if (start) *reinterpret_cast<DWORD*>(start) = a;
  if (end) *reinterpret_cast<DWORD*>(end) = b;
  return MAKELONG(std::min<DWORD>(a, 0xFFFF), std::min<DWORD>(b, 0xFFFF));
}

// A start of -1 drops the selection; positions out of the text mean its end.
LRESULT SetSel(Wnd* w, EditState* s, int a, int b) {
  int n = static_cast<int>(w->text.size());
  if (a == -1) {
    s->anchor = s->caret;
  } else {
    if (b < 0 || b > n) b = n;
    if (a < 0 || a > n) a = n;
    s->anchor = Snap(w->text, a);
    s->caret = Snap(w->text, b);
  }
  Moved(w);
  return 0;
}

LRESULT LineIndex(Wnd* w, EditState* s, int li) {
  Measure m(w);
  auto lines = Layout(w, m);
  if (li == -1) li = LineOf(lines, s->caret);
  if (li < 0 || li >= static_cast<int>(lines.size())) return -1;
  return lines[li].start;
}

LRESULT Undo(Wnd* w, EditState* s) {
  if (!s->canUndo) return FALSE;
  std::swap(w->text, s->undoText);
  s->anchor = s->caret = Snap(w->text, s->undoCaret);
  Changed(w);
  return TRUE;
}

LRESULT Copy(Wnd* w, EditState* s) {
  if (s->anchor != s->caret && !s->password) Clipboard() = w->text.substr(SelMin(s), SelMax(s) - SelMin(s));
  return 0;
}

LRESULT Clear(Wnd* w, EditState* s) {
  if (ReadOnly(w) || s->anchor == s->caret) return 0;
  if (Replace(w, "", true)) Changed(w);
  return 0;
}

LRESULT Cut(Wnd* w, EditState* s) {
  if (ReadOnly(w)) return 0;
  SendMessageA(w->handle, WM_COPY, 0, 0);
  return Clear(w, s);
}

LRESULT Paste(Wnd* w) {
  if (ReadOnly(w)) return 0;
  if (Replace(w, FirstLineOf(Clipboard(), w), true)) Changed(w);
  return 0;
}

// The EM_ messages: selection, replacing, lines, limit and undo.
LRESULT EditMessage(Wnd* w, EditState* s, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case EM_GETSEL: return GetSel(s, wp, lp);
    case EM_SETSEL: return SetSel(w, s, static_cast<int>(static_cast<INT_PTR>(wp)), static_cast<int>(lp));
    case EM_REPLACESEL: {
      // Code may replace the text of a read-only edit; only typing is refused.
      const char* t = reinterpret_cast<const char*>(lp);
      if (Replace(w, t ? t : "", wp != 0)) Changed(w);
      return 0;
    }
    case EM_GETMODIFY: return s->modified;
    case EM_GETLINECOUNT: {
      Measure m(w);
      return static_cast<LRESULT>(Layout(w, m).size());
    }
    case EM_LINEINDEX: return LineIndex(w, s, static_cast<int>(static_cast<INT_PTR>(wp)));
    case EM_LIMITTEXT:
      s->limit = wp ? static_cast<int>(std::min<WPARAM>(wp, 0x7FFFFFFE)) : 0x7FFFFFFE;
      return 0;
    case EM_UNDO: return Undo(w, s);
    case EM_SCROLLCARET:
      EnsureCaretVisible(w);
      InvalidateRect(w->handle, nullptr, FALSE);
      return TRUE;
  }
  return DefWindowProcA(w->handle, msg, wp, lp);
}

}  // namespace

LRESULT CALLBACK EditProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* w = FromHandleQuiet(h);
  if (!w) return 0;
  EditState* s = State(w);
  switch (msg) {
    case WM_NCCREATE: return OnNcCreate(w, s, wp, lp);
    case WM_GETDLGCODE: return OnGetDlgCode(w, lp);
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return PaintControl(w, [w](HDC hdc) { Paint(w, hdc); });
    case WM_SETTEXT: return OnSetText(w, s, lp);
    case WM_CHAR: Char(w, static_cast<BYTE>(wp)); return 0;
    case WM_KEYDOWN: KeyDown(w, static_cast<int>(wp)); return 0;
    case WM_LBUTTONDOWN: return OnLButtonDown(w, s, wp, lp);
    case WM_MOUSEMOVE:
      if (s->tracking) MoveCaret(w, CharFromPoint(w, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}), true);
      return 0;
    case WM_LBUTTONUP: return OnLButtonUp(w, s);
    case WM_LBUTTONDBLCLK: return OnLButtonDblClk(w, s, lp);
    case WM_CAPTURECHANGED: s->tracking = false; return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return OnFocus(w, msg);
    case WM_ENABLE:
    case WM_SIZE: InvalidateRect(h, nullptr, FALSE); return 0;
    case WM_UNDO: return Undo(w, s);
    case WM_COPY: return Copy(w, s);
    case WM_CUT: return Cut(w, s);
    case WM_CLEAR: return Clear(w, s);
    case WM_PASTE: return Paste(w);
  }
  if (msg >= EM_GETSEL && msg <= 0x00FF) return EditMessage(w, s, msg, wp, lp);
  return DefWindowProcA(h, msg, wp, lp);
}

}  // namespace kyuser
