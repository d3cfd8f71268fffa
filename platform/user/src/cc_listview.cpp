// The list view ("SysListView32"), drawn as a report: a header of columns
// over one row per item, each column showing one sub-item's text.
//
//   +--------+--------+
//   | X      | Y      |   header (not with LVS_NOCOLUMNHEADER)
//   +--------+--------+
//   | 25     | 25     |   row 0 = item 0, top = the first row in view
//   | 40     | 10     |
//
// A column shows the sub-item its iSubItem names. Without
// LVS_EX_FULLROWSELECT only the first column's label takes the highlight
// and the clicks. State changes, by code or by input, are offered to the
// parent (LVN_ITEMCHANGING, which may refuse) and reported
// (LVN_ITEMCHANGED). A click reports NM_CLICK when the button is released,
// after the selection changed.
//
// Messages: the LVM_ messages the framework's CListCtrl and the dialogs
// send (items, sub-item texts and states, columns, hit tests, rectangles,
// colours, image lists, extended styles); others go to DefWindowProc.
// Rows scroll with the shared row scroller (rowscroll.h).
//
// FIXME: the icon views draw as a report without a header; no label
// editing, no header window of its own, no column dragging.
#include <algorithm>
#include <memory>
#include <vector>

#include "cc_common.h"
#include "rowscroll.h"

namespace kyuser {
namespace {

struct Column {
  std::string text;
  int fmt = LVCFMT_LEFT;
  int cx = 50;
  int subItem = 0;
  int image = -1;
};

struct Row {
  std::vector<std::string> texts;  // by sub-item
  std::vector<bool> callback;
  int image = 0;
  UINT state = 0;
  LPARAM lParam = 0;
  int indent = 0;
};

struct ListState : ControlState {
  std::vector<Column> columns;
  std::vector<Row> rows;
  DWORD exStyle = 0;
  RowScroll scroll;  // top: the first row in view
  int scrollX = 0;
  int mark = -1;  // the selection mark (anchor of shift clicks)
  HIMAGELIST normal = nullptr, small = nullptr, stateList = nullptr;
  COLORREF bk = CLR_NONE, text = CLR_NONE;
  bool clickPending = false;
  POINT clickPoint{};
};

ListState* State(Wnd* w) { return StateOf<ListState>(w); }

int Count(ListState* s) { return static_cast<int>(s->rows.size()); }
bool Valid(ListState* s, int i) { return i >= 0 && i < Count(s); }
bool FullRow(ListState* s) { return (s->exStyle & LVS_EX_FULLROWSELECT) != 0; }

int HeaderHeight(Wnd* w) {
  if (w->style & LVS_NOCOLUMNHEADER) return 0;
  return FontHeightOf(CommonFont(w)) + 7;
}

int SmallCx(ListState* s) {
  int cx = 0, cy = 0;
  return s->small && ImageList_GetIconSize(s->small, &cx, &cy) ? cx : 0;
}

int RowHeight(Wnd* w, ListState* s) {
  int h = FontHeightOf(CommonFont(w)) + 2;
  int cx = 0, cy = 0;
  if (s->small && ImageList_GetIconSize(s->small, &cx, &cy)) h = std::max(h, cy + 1);
  if (s->exStyle & LVS_EX_GRIDLINES) h += 1;
  return h;
}

int PageRows(Wnd* w, ListState* s) {
  return std::max(1, (w->ClientHeight() - HeaderHeight(w)) / RowHeight(w, s));
}

int TotalWidth(ListState* s) {
  int t = 0;
  for (const Column& c : s->columns) t += c.cx;
  return t;
}

int ColumnLeft(ListState* s, int col) {
  int x = -s->scrollX;
  for (int c = 0; c < col; ++c) x += s->columns[static_cast<size_t>(c)].cx;
  return x;
}

int RowTop(Wnd* w, ListState* s, int i) { return HeaderHeight(w) + (i - s->scroll.top) * RowHeight(w, s); }

std::string SubText(Wnd* w, ListState* s, int i, int sub) {
  Row& r = s->rows[static_cast<size_t>(i)];
  size_t k = static_cast<size_t>(sub);
  bool cb = k < r.callback.size() && r.callback[k];
  if (!cb) return k < r.texts.size() ? r.texts[k] : std::string();
  char buf[260] = {0};
  NMLVDISPINFOA di{};
  di.item.mask = LVIF_TEXT;
  di.item.iItem = i;
  di.item.iSubItem = sub;
  di.item.pszText = buf;
  di.item.cchTextMax = sizeof buf;
  di.item.lParam = r.lParam;
  SendNotify(w, LVN_GETDISPINFO, &di.hdr);
  buf[sizeof buf - 1] = 0;
  if (!di.item.pszText) return std::string();
  return di.item.pszText == buf ? std::string(buf) : std::string(di.item.pszText);
}

void SetSubText(Row& r, int sub, LPCSTR text) {
  size_t k = static_cast<size_t>(sub);
  if (r.texts.size() <= k) {
    r.texts.resize(k + 1);
    r.callback.resize(k + 1, false);
  }
  r.callback[k] = text == LPSTR_TEXTCALLBACK;
  r.texts[k] = r.callback[k] || !text ? std::string() : std::string(text);
}

// Rows on the vertical bar, pixels on the horizontal one.
void UpdateScroll(Wnd* w) {
  ListState* s = State(w);
  if ((w->style & LVS_NOSCROLL) || !s->scroll.BeginBars()) return;
  HWND h = w->handle;
  SetRowBar(h, SB_VERT, s->scroll.top, Count(s), PageRows(w, s), 0);
  if (FromHandleQuiet(h)) SetRowBar(h, SB_HORZ, s->scrollX, TotalWidth(s), std::max(w->ClientWidth(), 1), 0);
  s->scroll.EndBars(h);
}

void SetTop(Wnd* w, int top) {
  ListState* s = State(w);
  s->scroll.MoveTo(w->handle, ClampTopRow(top, Count(s), PageRows(w, s)));
  UpdateScroll(w);
}

void SetScrollX(Wnd* w, int x) {
  ListState* s = State(w);
  x = std::clamp(x, 0, std::max(TotalWidth(s) - w->ClientWidth(), 0));
  if (x != s->scrollX) {
    s->scrollX = x;
    InvalidateRect(w->handle, nullptr, TRUE);
  }
  UpdateScroll(w);
}

void Relayout(Wnd* w) {
  ListState* s = State(w);
  SetTop(w, s->scroll.top);
  SetScrollX(w, s->scrollX);
  InvalidateRect(w->handle, nullptr, TRUE);
}

void EnsureVisible(Wnd* w, int i) {
  ListState* s = State(w);
  if (!Valid(s, i)) return;
  int top = TopToReveal(i, s->scroll.top, PageRows(w, s));
  if (top != s->scroll.top) SetTop(w, top);
}

// Changes the state bits of mask on item i, asking and telling the parent.
// False when the parent refused or the control went away.
bool ChangeState(Wnd* w, int i, UINT state, UINT mask) {
  ListState* s = State(w);
  Row& r = s->rows[static_cast<size_t>(i)];
  UINT next = (r.state & ~mask) | (state & mask);
  if (next == r.state) return true;
  HWND h = w->handle;
  NMLISTVIEW nm{};
  nm.iItem = i;
  nm.uNewState = next;
  nm.uOldState = r.state;
  nm.uChanged = LVIF_STATE;
  nm.lParam = r.lParam;
  if (SendNotify(w, LVN_ITEMCHANGING, &nm.hdr)) return false;
  if (!FromHandleQuiet(h) || !Valid(s, i)) return false;
  UINT old = s->rows[static_cast<size_t>(i)].state;
  s->rows[static_cast<size_t>(i)].state = (old & ~mask) | (state & mask);
  InvalidateRect(h, nullptr, TRUE);
  nm.uOldState = old;
  nm.uNewState = s->rows[static_cast<size_t>(i)].state;
  SendNotify(w, LVN_ITEMCHANGED, &nm.hdr);
  return FromHandleQuiet(h) != nullptr;
}

// One item focused and, with LVS_SINGLESEL, one selected: others lose the
// bits before an item gains them.
bool SetState(Wnd* w, int i, UINT state, UINT mask) {
  ListState* s = State(w);
  HWND h = w->handle;
  if ((mask & LVIS_FOCUSED) && (state & LVIS_FOCUSED))
    for (int k = 0; k < Count(s); ++k)
      if (k != i && (s->rows[static_cast<size_t>(k)].state & LVIS_FOCUSED)) {
        if (!ChangeState(w, k, 0, LVIS_FOCUSED)) return false;
      }
  if ((mask & LVIS_SELECTED) && (state & LVIS_SELECTED) && (w->style & LVS_SINGLESEL))
    for (int k = 0; k < Count(s); ++k)
      if (k != i && (s->rows[static_cast<size_t>(k)].state & LVIS_SELECTED)) {
        if (!ChangeState(w, k, 0, LVIS_SELECTED)) return false;
      }
  if (!FromHandleQuiet(h) || !Valid(s, i)) return false;
  return ChangeState(w, i, state, mask);
}

LRESULT SetItemState(Wnd* w, int i, const LVITEMA* item) {
  ListState* s = State(w);
  if (!item) return FALSE;
  HWND h = w->handle;
  if (i == -1) {
    for (int k = 0; k < Count(s); ++k) {
      if (!ChangeState(w, k, item->state, item->stateMask) && !FromHandleQuiet(h)) return FALSE;
    }
    return TRUE;
  }
  if (!Valid(s, i)) return FALSE;
  bool ok = SetState(w, i, item->state, item->stateMask);
  if (ok && (item->stateMask & item->state & LVIS_SELECTED) && FromHandleQuiet(h)) s->mark = i;
  return ok;
}

int SelectedCount(ListState* s) {
  int n = 0;
  for (const Row& r : s->rows) n += (r.state & LVIS_SELECTED) ? 1 : 0;
  return n;
}

int InsertItem(Wnd* w, const LVITEMA* item) {
  ListState* s = State(w);
  if (!item || item->iSubItem != 0 || item->iItem < 0) return -1;
  Row r;
  if (item->mask & LVIF_TEXT) SetSubText(r, 0, item->pszText);
  if (item->mask & LVIF_IMAGE) r.image = item->iImage;
  if (item->mask & LVIF_PARAM) r.lParam = item->lParam;
  if (item->mask & LVIF_INDENT) r.indent = item->iIndent;
  UINT state = (item->mask & LVIF_STATE) ? item->state & item->stateMask : 0;
  int at = std::min(item->iItem, Count(s));
  if (w->style & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) {
    bool desc = (w->style & LVS_SORTDESCENDING) != 0;
    std::string t = r.texts.empty() ? std::string() : r.texts[0];
    at = 0;
    while (at < Count(s)) {
      const Row& o = s->rows[static_cast<size_t>(at)];
      int c = CompareNoCase(t, o.texts.empty() ? std::string() : o.texts[0]);
      if (desc ? c > 0 : c < 0) break;
      ++at;
    }
  }
  s->rows.insert(s->rows.begin() + at, std::move(r));
  if (s->mark >= at) ++s->mark;
  HWND h = w->handle;
  Relayout(w);
  NMLISTVIEW nm{};
  nm.iItem = at;
  nm.lParam = s->rows[static_cast<size_t>(at)].lParam;
  SendNotify(w, LVN_INSERTITEM, &nm.hdr);
  if (!FromHandleQuiet(h)) return at;
  if (state && Valid(s, at)) SetState(w, at, state, state);
  return at;
}

BOOL DeleteItem(Wnd* w, int i) {
  ListState* s = State(w);
  if (!Valid(s, i)) return FALSE;
  HWND h = w->handle;
  NMLISTVIEW nm{};
  nm.iItem = i;
  nm.lParam = s->rows[static_cast<size_t>(i)].lParam;
  SendNotify(w, LVN_DELETEITEM, &nm.hdr);
  if (!FromHandleQuiet(h) || !Valid(s, i)) return FALSE;
  s->rows.erase(s->rows.begin() + i);
  if (s->mark == i) s->mark = -1;
  else if (s->mark > i) --s->mark;
  Relayout(w);
  return TRUE;
}

BOOL DeleteAll(Wnd* w) {
  ListState* s = State(w);
  HWND h = w->handle;
  NMLISTVIEW nm{};
  nm.iItem = -1;
  // A parent that answers TRUE needs no LVN_DELETEITEM per item.
  bool each = !SendNotify(w, LVN_DELETEALLITEMS, &nm.hdr);
  if (!FromHandleQuiet(h)) return FALSE;
  if (each)
    for (int i = 0; i < Count(s); ++i) {
      NMLISTVIEW one{};
      one.iItem = i;
      one.lParam = s->rows[static_cast<size_t>(i)].lParam;
      SendNotify(w, LVN_DELETEITEM, &one.hdr);
      if (!FromHandleQuiet(h)) return FALSE;
    }
  s->rows.clear();
  s->mark = -1;
  s->scroll.top = 0;
  Relayout(w);
  return TRUE;
}

BOOL GetItem(Wnd* w, LVITEMA* item) {
  ListState* s = State(w);
  if (!item || !Valid(s, item->iItem) || item->iSubItem < 0) return FALSE;
  Row& r = s->rows[static_cast<size_t>(item->iItem)];
  if (item->mask & LVIF_TEXT) CopyText(SubText(w, s, item->iItem, item->iSubItem), item->pszText, item->cchTextMax);
  if (item->iSubItem == 0) {
    if (item->mask & LVIF_IMAGE) item->iImage = r.image;
    if (item->mask & LVIF_PARAM) item->lParam = r.lParam;
    if (item->mask & LVIF_STATE) item->state = r.state & item->stateMask;
    if (item->mask & LVIF_INDENT) item->iIndent = r.indent;
  }
  return TRUE;
}

BOOL SetItem(Wnd* w, const LVITEMA* item) {
  ListState* s = State(w);
  if (!item || !Valid(s, item->iItem) || item->iSubItem < 0) return FALSE;
  Row& r = s->rows[static_cast<size_t>(item->iItem)];
  if (item->mask & LVIF_TEXT) SetSubText(r, item->iSubItem, item->pszText);
  if (item->iSubItem == 0) {
    if (item->mask & LVIF_IMAGE) r.image = item->iImage;
    if (item->mask & LVIF_PARAM) r.lParam = item->lParam;
    if (item->mask & LVIF_INDENT) r.indent = item->iIndent;
  }
  InvalidateRect(w->handle, nullptr, TRUE);
  if ((item->mask & LVIF_STATE) && item->iSubItem == 0) return SetItemState(w, item->iItem, item);
  return TRUE;
}

int GetNextItem(ListState* s, int start, UINT flags) {
  UINT want = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
  int step = (flags & LVNI_ABOVE) ? -1 : 1;
  int i = start < 0 ? (step > 0 ? 0 : -1) : start + step;
  if (start < 0 && step < 0) return -1;
  for (; i >= 0 && i < Count(s); i += step)
    if ((s->rows[static_cast<size_t>(i)].state & want) == want) return i;
  return -1;
}

// The rectangle of one part of item i in client coordinates.
RECT ItemRect(Wnd* w, ListState* s, int i, int code) {
  int top = RowTop(w, s, i), bottom = top + RowHeight(w, s);
  int left = -s->scrollX;
  int c0 = s->columns.empty() ? w->ClientWidth() : s->columns[0].cx;
  int icon = SmallCx(s);
  switch (code) {
    case LVIR_ICON:
      return RECT{left, top, left + icon, bottom};
    case LVIR_LABEL:
      return RECT{left + icon, top, left + c0, bottom};
    case LVIR_SELECTBOUNDS:
      return FullRow(s) ? RECT{left, top, left + TotalWidth(s), bottom} : RECT{left, top, left + c0, bottom};
    default:
      return RECT{left, top, left + std::max(TotalWidth(s), c0), bottom};
  }
}

int HitTest(Wnd* w, LVHITTESTINFO* hti, bool sub) {
  ListState* s = State(w);
  POINT p = hti->pt;
  hti->flags = 0;
  hti->iItem = -1;
  if (sub) hti->iSubItem = -1;
  if (p.y < HeaderHeight(w) && p.y >= 0) {
    hti->flags = LVHT_NOWHERE;
    return -1;
  }
  if (p.y < 0) hti->flags |= LVHT_ABOVE;
  if (p.y >= w->ClientHeight()) hti->flags |= LVHT_BELOW;
  if (p.x < 0) hti->flags |= LVHT_TOLEFT;
  if (p.x >= w->ClientWidth()) hti->flags |= LVHT_TORIGHT;
  if (hti->flags) return -1;
  int i = s->scroll.top + (p.y - HeaderHeight(w)) / RowHeight(w, s);
  if (!Valid(s, i)) {
    hti->flags = LVHT_NOWHERE;
    return -1;
  }
  int x = -s->scrollX;
  int col = -1;
  for (size_t c = 0; c < s->columns.size(); ++c) {
    if (p.x >= x && p.x < x + s->columns[c].cx) col = static_cast<int>(c);
    x += s->columns[c].cx;
  }
  RECT icon = ItemRect(w, s, i, LVIR_ICON), label = ItemRect(w, s, i, LVIR_LABEL);
  if (PtInRect(&icon, p)) hti->flags = LVHT_ONITEMICON;
  else if (PtInRect(&label, p)) hti->flags = LVHT_ONITEMLABEL;
  else if (sub && col >= 0) hti->flags = LVHT_ONITEMLABEL;
  else if (FullRow(s) && col >= 0) hti->flags = LVHT_ONITEMLABEL;
  else hti->flags = LVHT_NOWHERE;
  if (sub) hti->iSubItem = col;
  if (hti->flags == LVHT_NOWHERE) return -1;
  hti->iItem = i;
  return i;
}

int InsertColumn(Wnd* w, int at, const LVCOLUMNA* col) {
  ListState* s = State(w);
  if (!col || at < 0) return -1;
  Column c;
  if (col->mask & LVCF_TEXT) c.text = col->pszText ? col->pszText : "";
  if (col->mask & LVCF_FMT) c.fmt = col->fmt;
  if (col->mask & LVCF_WIDTH) c.cx = std::max(col->cx, 0);
  c.subItem = (col->mask & LVCF_SUBITEM) ? col->iSubItem : at;
  if (col->mask & LVCF_IMAGE) c.image = col->iImage;
  at = std::min(at, static_cast<int>(s->columns.size()));
  s->columns.insert(s->columns.begin() + at, c);
  Relayout(w);
  return at;
}

BOOL GetColumn(ListState* s, int i, LVCOLUMNA* col) {
  if (!col || i < 0 || i >= static_cast<int>(s->columns.size())) return FALSE;
  const Column& c = s->columns[static_cast<size_t>(i)];
  if (col->mask & LVCF_TEXT) CopyText(c.text, col->pszText, col->cchTextMax);
  if (col->mask & LVCF_FMT) col->fmt = c.fmt;
  if (col->mask & LVCF_WIDTH) col->cx = c.cx;
  if (col->mask & LVCF_SUBITEM) col->iSubItem = c.subItem;
  if (col->mask & LVCF_IMAGE) col->iImage = c.image;
  if (col->mask & LVCF_ORDER) col->iOrder = i;
  return TRUE;
}

BOOL SetColumn(Wnd* w, int i, const LVCOLUMNA* col) {
  ListState* s = State(w);
  if (!col || i < 0 || i >= static_cast<int>(s->columns.size())) return FALSE;
  Column& c = s->columns[static_cast<size_t>(i)];
  if (col->mask & LVCF_TEXT) c.text = col->pszText ? col->pszText : "";
  if (col->mask & LVCF_FMT) c.fmt = col->fmt;
  if (col->mask & LVCF_WIDTH) c.cx = std::max(col->cx, 0);
  if (col->mask & LVCF_SUBITEM) c.subItem = col->iSubItem;
  if (col->mask & LVCF_IMAGE) c.image = col->iImage;
  Relayout(w);
  return TRUE;
}

int StringWidth(Wnd* w, const std::string& t) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ of = SelectObject(dc, CommonFont(w));
  SIZE sz{0, 0};
  GetTextExtentPoint32A(dc, t.c_str(), static_cast<int>(t.size()), &sz);
  SelectObject(dc, of);
  DeleteDC(dc);
  return sz.cx;
}

BOOL SetColumnWidth(Wnd* w, int i, int cx) {
  ListState* s = State(w);
  if (i < 0 || i >= static_cast<int>(s->columns.size())) return FALSE;
  Column& c = s->columns[static_cast<size_t>(i)];
  if (cx == LVSCW_AUTOSIZE || cx == LVSCW_AUTOSIZE_USEHEADER) {
    int widest = cx == LVSCW_AUTOSIZE_USEHEADER ? StringWidth(w, c.text) + 12 : 0;
    for (int k = 0; k < Count(s); ++k) widest = std::max(widest, StringWidth(w, SubText(w, s, k, c.subItem)) + 12);
    if (i == 0) widest += SmallCx(s);
    cx = widest;
  }
  c.cx = std::max(cx, 0);
  Relayout(w);
  return TRUE;
}

// ---------------------------------------------------------------- painting
void PaintHeader(Wnd* w, ListState* s, HDC hdc) {
  int hh = HeaderHeight(w);
  if (!hh) return;
  int x = -s->scrollX;
  SetBkMode(hdc, TRANSPARENT);
  SetTextColor(hdc, GetSysColor(COLOR_BTNTEXT));
  for (const Column& c : s->columns) {
    RECT r{x, 0, x + c.cx, hh};
    FillRect(hdc, &r, GetSysColorBrush(COLOR_3DFACE));
    DrawEdge(hdc, &r, BDR_RAISEDINNER | BDR_RAISEDOUTER, BF_RECT);
    RECT t{r.left + 6, r.top, r.right - 6, r.bottom};
    UINT align = (c.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT ? DT_RIGHT
                 : (c.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER ? DT_CENTER : DT_LEFT;
    DrawTextA(hdc, c.text.c_str(), static_cast<int>(c.text.size()), &t,
              align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    x += c.cx;
  }
  if (x < w->ClientWidth()) {
    RECT r{x, 0, w->ClientWidth(), hh};
    FillRect(hdc, &r, GetSysColorBrush(COLOR_3DFACE));
    DrawEdge(hdc, &r, BDR_RAISEDINNER | BDR_RAISEDOUTER, BF_RECT);
  }
}

void PaintRow(Wnd* w, ListState* s, HDC hdc, int i, bool focused) {
  const Row& r = s->rows[static_cast<size_t>(i)];
  RECT sel = ItemRect(w, s, i, LVIR_SELECTBOUNDS);
  bool selected = (r.state & LVIS_SELECTED) != 0;
  bool show = selected && (focused || (w->style & LVS_SHOWSELALWAYS));
  if (!FullRow(s)) {
    // Only the label (the first column without its icon) is highlighted.
    sel.left += SmallCx(s);
  }
  if (show) FillRect(hdc, &sel, GetSysColorBrush(focused ? COLOR_HIGHLIGHT : COLOR_3DFACE));
  COLORREF normal = ColourOr(s->text, COLOR_WINDOWTEXT);
  COLORREF high = GetSysColor(focused ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
  int top = RowTop(w, s, i), bottom = top + RowHeight(w, s);
  int x = -s->scrollX;
  SetBkMode(hdc, TRANSPARENT);
  for (size_t c = 0; c < s->columns.size(); ++c) {
    const Column& col = s->columns[c];
    RECT cell{x, top, x + col.cx, bottom};
    int textLeft = cell.left + 6;
    if (c == 0) {
      textLeft = cell.left + 2;
      int cx = 0, cy = 0;
      if (s->small && ImageList_GetIconSize(s->small, &cx, &cy)) {
        if (r.image >= 0)
          ImageList_Draw(s->small, r.image, hdc, cell.left, top + (bottom - top - cy) / 2, ILD_NORMAL);
        textLeft += cx;
      }
    }
    std::string text = SubText(w, s, i, col.subItem);
    bool lit = show && (c == 0 || FullRow(s));
    SetTextColor(hdc, (w->style & WS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : lit ? high : normal);
    RECT t{textLeft, top, cell.right - 6, bottom};
    UINT align = (col.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT ? DT_RIGHT
                 : (col.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_CENTER ? DT_CENTER : DT_LEFT;
    int saved = SaveDC(hdc);
    IntersectClipRect(hdc, cell.left, cell.top, cell.right, cell.bottom);
    DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &t,
              align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    RestoreDC(hdc, saved);
    x += col.cx;
  }
  if (focused && (r.state & LVIS_FOCUSED)) DrawFocusRect(hdc, &sel);
}

void PaintGrid(Wnd* w, ListState* s, HDC hdc) {
  HBRUSH line = GetSysColorBrush(COLOR_3DFACE);
  int hh = HeaderHeight(w), rh = RowHeight(w, s);
  int right = std::min(w->ClientWidth(), TotalWidth(s) - s->scrollX);
  for (int y = hh + rh - 1; y < w->ClientHeight(); y += rh) {
    RECT r{0, y, std::max(right, 0), y + 1};
    FillRect(hdc, &r, line);
  }
  int x = -s->scrollX;
  for (const Column& c : s->columns) {
    x += c.cx;
    RECT r{x - 1, hh, x, w->ClientHeight()};
    FillRect(hdc, &r, line);
  }
}

void Paint(Wnd* w, HDC hdc) {
  ListState* s = State(w);
  RECT client{0, 0, w->ClientWidth(), w->ClientHeight()};
  HBRUSH bg = CreateSolidBrush(ColourOr(s->bk, COLOR_WINDOW));
  FillRect(hdc, &client, bg);
  DeleteObject(bg);
  HGDIOBJ of = SelectObject(hdc, CommonFont(w));
  bool focused = CurrentFocus() == w->handle;
  if (s->exStyle & LVS_EX_GRIDLINES) PaintGrid(w, s, hdc);
  int last = std::min(Count(s), s->scroll.top + PageRows(w, s) + 1);
  int saved = SaveDC(hdc);
  IntersectClipRect(hdc, 0, HeaderHeight(w), client.right, client.bottom);
  for (int i = s->scroll.top; i < last; ++i) PaintRow(w, s, hdc, i, focused);
  RestoreDC(hdc, saved);
  PaintHeader(w, s, hdc);
  SelectObject(hdc, of);
}

// ---------------------------------------------------------------- input
void ClickItem(Wnd* w, int i, WPARAM keys) {
  ListState* s = State(w);
  HWND h = w->handle;
  bool multi = !(w->style & LVS_SINGLESEL);
  if (i < 0) {
    if (!(keys & (MK_CONTROL | MK_SHIFT)))
      for (int k = 0; k < Count(s) && FromHandleQuiet(h); ++k) ChangeState(w, k, 0, LVIS_SELECTED);
    return;
  }
  if (multi && (keys & MK_CONTROL)) {
    UINT now = s->rows[static_cast<size_t>(i)].state & LVIS_SELECTED;
    if (SetState(w, i, (now ? 0 : LVIS_SELECTED) | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED) && !now) s->mark = i;
    return;
  }
  if (multi && (keys & MK_SHIFT) && Valid(s, s->mark)) {
    int a = std::min(s->mark, i), b = std::max(s->mark, i);
    for (int k = 0; k < Count(s) && FromHandleQuiet(h); ++k)
      ChangeState(w, k, k >= a && k <= b ? LVIS_SELECTED : 0, LVIS_SELECTED);
    if (FromHandleQuiet(h) && Valid(s, i)) SetState(w, i, LVIS_FOCUSED, LVIS_FOCUSED);
    return;
  }
  for (int k = 0; k < Count(s) && FromHandleQuiet(h); ++k)
    if (k != i) ChangeState(w, k, 0, LVIS_SELECTED);
  if (FromHandleQuiet(h) && Valid(s, i) &&
      SetState(w, i, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED))
    s->mark = i;
}

void FillActivate(Wnd* w, POINT p, NMITEMACTIVATE* nm) {
  LVHITTESTINFO hti{};
  hti.pt = p;
  HitTest(w, &hti, true);
  nm->iItem = hti.flags & LVHT_ONITEM ? hti.iItem : -1;
  nm->iSubItem = hti.iSubItem < 0 ? 0 : hti.iSubItem;
  nm->ptAction = p;
  nm->uKeyFlags = 0;
  if (GetKeyState(VK_CONTROL) < 0) nm->uKeyFlags |= 0x0001;  // LVKF_CONTROL
  if (GetKeyState(VK_SHIFT) < 0) nm->uKeyFlags |= 0x0002;    // LVKF_SHIFT
}

void Key(Wnd* w, UINT vk) {
  ListState* s = State(w);
  HWND h = w->handle;
  NMLVKEYDOWN kd{};
  kd.wVKey = static_cast<WORD>(vk);
  SendNotify(w, LVN_KEYDOWN, &kd.hdr);
  if (!FromHandleQuiet(h) || Count(s) == 0) return;
  int cur = GetNextItem(s, -1, LVNI_FOCUSED);
  int page = PageRows(w, s);
  int n = Count(s);
  int target = -1;
  switch (vk) {
    case VK_UP: target = cur < 0 ? 0 : std::max(cur - 1, 0); break;
    case VK_DOWN: target = cur < 0 ? 0 : std::min(cur + 1, n - 1); break;
    case VK_HOME: target = 0; break;
    case VK_END: target = n - 1; break;
    case VK_PRIOR: target = std::max((cur < 0 ? 0 : cur) - page + 1, 0); break;
    case VK_NEXT: target = std::min((cur < 0 ? 0 : cur) + page - 1, n - 1); break;
    case VK_RETURN: {
      NMHDR nm{};
      SendNotify(w, NM_RETURN, &nm);
      return;
    }
    default: return;
  }
  WPARAM keys = GetKeyState(VK_SHIFT) < 0 ? MK_SHIFT : 0;
  ClickItem(w, target, keys);
  if (FromHandleQuiet(h)) EnsureVisible(w, target);
}

int FindItem(Wnd* w, int start, const LVFINDINFOA* fi) {
  ListState* s = State(w);
  if (!fi) return -1;
  int n = Count(s);
  for (int k = 0; k < n; ++k) {
    int i = start + 1 + k;
    if (i >= n) {
      if (!(fi->flags & LVFI_WRAP)) return -1;
      i -= n;
    }
    const Row& r = s->rows[static_cast<size_t>(i)];
    if (fi->flags & LVFI_PARAM) {
      if (r.lParam == fi->lParam) return i;
      continue;
    }
    if ((fi->flags & (LVFI_STRING | LVFI_PARTIAL)) && fi->psz) {
      std::string t = SubText(w, s, i, 0), want = fi->psz;
      if (fi->flags & LVFI_PARTIAL) t = t.substr(0, want.size());
      if (CompareNoCase(t, want) == 0) return i;
    }
  }
  return -1;
}

// ---------------------------------------------------------------- messages
// A press on a column header reports LVN_COLUMNCLICK; on the rows it
// selects at once and reports NM_CLICK when the button comes up.
LRESULT OnLButtonDown(Wnd* w, ListState* s, WPARAM keys, LPARAM lp) {
  if (!FocusOnClick(w)) return 0;
  POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  if (p.y >= 0 && p.y < HeaderHeight(w)) {
    int x = -s->scrollX;
    for (size_t c = 0; c < s->columns.size(); ++c) {
      if (p.x >= x && p.x < x + s->columns[c].cx && !(w->style & LVS_NOSORTHEADER)) {
        NMLISTVIEW nm{};
        nm.iItem = -1;
        nm.iSubItem = static_cast<int>(c);
        SendNotify(w, LVN_COLUMNCLICK, &nm.hdr);
        break;
      }
      x += s->columns[c].cx;
    }
    return 0;
  }
  LVHITTESTINFO hti{};
  hti.pt = p;
  ClickItem(w, HitTest(w, &hti, false), keys);
  if (!FromHandleQuiet(w->handle)) return 0;
  s->clickPending = true;
  s->clickPoint = p;
  return 0;
}

LRESULT OnLButtonUp(Wnd* w, ListState* s) {
  if (s->clickPending) {
    s->clickPending = false;
    NMITEMACTIVATE nm{};
    FillActivate(w, s->clickPoint, &nm);
    SendNotify(w, NM_CLICK, &nm.hdr);
  }
  return 0;
}

// NM_DBLCLK or NM_RCLICK for the item under the point; a double click on an
// item then activates it (LVN_ITEMACTIVATE).
LRESULT OnClickNotify(Wnd* w, UINT code, LPARAM lp) {
  NMITEMACTIVATE nm{};
  FillActivate(w, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}, &nm);
  SendNotify(w, code, &nm.hdr);
  if (code == NM_DBLCLK && FromHandleQuiet(w->handle) && nm.iItem >= 0) {
    NMITEMACTIVATE act = nm;
    SendNotify(w, LVN_ITEMACTIVATE, &act.hdr);
  }
  return 0;
}

LRESULT OnVScroll(Wnd* w, ListState* s, WPARAM wp) {
  int top = 0;
  if (RowsFromBar(wp, s->scroll.top, 1, PageRows(w, s), Count(s), &top)) SetTop(w, top);
  return 0;
}

// The horizontal bar counts pixels, 8 a line.
LRESULT OnHScroll(Wnd* w, ListState* s, WPARAM wp) {
  int page = std::max(w->ClientWidth(), 1);
  switch (LOWORD(wp)) {
    case SB_LINELEFT: SetScrollX(w, s->scrollX - 8); break;
    case SB_LINERIGHT: SetScrollX(w, s->scrollX + 8); break;
    case SB_PAGELEFT: SetScrollX(w, s->scrollX - page); break;
    case SB_PAGERIGHT: SetScrollX(w, s->scrollX + page); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: SetScrollX(w, static_cast<int>(HIWORD(wp))); break;
  }
  return 0;
}

LRESULT SetColour(Wnd* w, COLORREF* slot, LPARAM lp) {
  *slot = static_cast<COLORREF>(lp);
  InvalidateRect(w->handle, nullptr, TRUE);
  return TRUE;
}

HIMAGELIST* ImageListSlot(ListState* s, WPARAM which) {
  return which == LVSIL_NORMAL ? &s->normal : which == LVSIL_SMALL ? &s->small
         : which == LVSIL_STATE ? &s->stateList : nullptr;
}

LRESULT SetImageList(Wnd* w, ListState* s, WPARAM which, LPARAM lp) {
  HIMAGELIST* slot = ImageListSlot(s, which);
  if (!slot) return 0;
  HIMAGELIST old = *slot;
  *slot = reinterpret_cast<HIMAGELIST>(lp);
  Relayout(w);
  return reinterpret_cast<LRESULT>(old);
}

LRESULT GetItemRectMsg(Wnd* w, ListState* s, int i, RECT* r) {
  if (!r || !Valid(s, i)) return FALSE;
  *r = ItemRect(w, s, i, r->left);
  return TRUE;
}

// r->top names the sub-item and r->left the part; sub-item 0 stands for the
// whole row, as the bounds of the item.
LRESULT GetSubItemRect(Wnd* w, ListState* s, int i, RECT* r) {
  if (!r || !Valid(s, i) || r->top < 0 || r->top >= static_cast<int>(s->columns.size())) return FALSE;
  int sub = r->top, code = r->left;
  if (sub == 0) {
    *r = ItemRect(w, s, i, code == LVIR_LABEL ? LVIR_LABEL : code == LVIR_ICON ? LVIR_ICON : LVIR_BOUNDS);
    return TRUE;
  }
  int left = ColumnLeft(s, sub), top = RowTop(w, s, i);
  *r = RECT{left, top, left + s->columns[static_cast<size_t>(sub)].cx, top + RowHeight(w, s)};
  return TRUE;
}

LRESULT GetItemText(Wnd* w, ListState* s, int i, LVITEMA* item) {
  if (!item || !Valid(s, i) || item->iSubItem < 0) return 0;
  return CopyText(SubText(w, s, i, item->iSubItem), item->pszText, item->cchTextMax);
}

LRESULT SetItemText(Wnd* w, ListState* s, int i, const LVITEMA* item) {
  if (!item || !Valid(s, i) || item->iSubItem < 0) return FALSE;
  SetSubText(s->rows[static_cast<size_t>(i)], item->iSubItem, item->pszText);
  InvalidateRect(w->handle, nullptr, TRUE);
  return TRUE;
}

LRESULT SetExtendedStyle(Wnd* w, ListState* s, WPARAM mask, LPARAM style) {
  DWORD old = s->exStyle;
  DWORD m = mask ? static_cast<DWORD>(mask) : 0xFFFFFFFF;
  s->exStyle = (s->exStyle & ~m) | (static_cast<DWORD>(style) & m);
  Relayout(w);
  return old;
}

// The LVM_ messages: items, columns, colours and image lists.
LRESULT ListMessage(Wnd* w, ListState* s, UINT msg, WPARAM wp, LPARAM lp) {
  int i = static_cast<int>(wp);
  int columns = static_cast<int>(s->columns.size());
  switch (msg) {
    case LVM_GETBKCOLOR: return static_cast<LRESULT>(ColourOr(s->bk, COLOR_WINDOW));
    case LVM_SETBKCOLOR: return SetColour(w, &s->bk, lp);
    case LVM_GETTEXTCOLOR: return static_cast<LRESULT>(ColourOr(s->text, COLOR_WINDOWTEXT));
    case LVM_SETTEXTCOLOR: return SetColour(w, &s->text, lp);
    case LVM_GETIMAGELIST: {
      HIMAGELIST* slot = ImageListSlot(s, wp);
      return reinterpret_cast<LRESULT>(slot ? *slot : nullptr);
    }
    case LVM_SETIMAGELIST: return SetImageList(w, s, wp, lp);
    case LVM_GETITEMCOUNT: return Count(s);
    case LVM_GETITEM: return GetItem(w, reinterpret_cast<LVITEMA*>(lp));
    case LVM_SETITEM: return SetItem(w, reinterpret_cast<const LVITEMA*>(lp));
    case LVM_INSERTITEM: return InsertItem(w, reinterpret_cast<const LVITEMA*>(lp));
    case LVM_DELETEITEM: return DeleteItem(w, i);
    case LVM_DELETEALLITEMS: return DeleteAll(w);
    case LVM_GETNEXTITEM: return GetNextItem(s, i, LOWORD(lp));
    case LVM_FINDITEM: return FindItem(w, i, reinterpret_cast<const LVFINDINFOA*>(lp));
    case LVM_GETITEMRECT: return GetItemRectMsg(w, s, i, reinterpret_cast<RECT*>(lp));
    case LVM_GETSUBITEMRECT: return GetSubItemRect(w, s, i, reinterpret_cast<RECT*>(lp));
    case LVM_HITTEST: return lp ? HitTest(w, reinterpret_cast<LVHITTESTINFO*>(lp), false) : -1;
    case LVM_SUBITEMHITTEST: return lp ? HitTest(w, reinterpret_cast<LVHITTESTINFO*>(lp), true) : -1;
    case LVM_ENSUREVISIBLE:
      if (!Valid(s, i)) return FALSE;
      EnsureVisible(w, i);
      return TRUE;
    case LVM_REDRAWITEMS: InvalidateRect(w->handle, nullptr, TRUE); return TRUE;
    case LVM_GETCOLUMN: return GetColumn(s, i, reinterpret_cast<LVCOLUMNA*>(lp));
    case LVM_SETCOLUMN: return SetColumn(w, i, reinterpret_cast<const LVCOLUMNA*>(lp));
    case LVM_INSERTCOLUMN: return InsertColumn(w, i, reinterpret_cast<const LVCOLUMNA*>(lp));
    case LVM_GETCOLUMNWIDTH: return i >= 0 && i < columns ? s->columns[static_cast<size_t>(i)].cx : 0;
    case LVM_SETCOLUMNWIDTH: return SetColumnWidth(w, i, static_cast<short>(LOWORD(lp)));
    case LVM_SETITEMSTATE: return SetItemState(w, i, reinterpret_cast<const LVITEMA*>(lp));
    case LVM_GETITEMSTATE:
      return Valid(s, i) ? static_cast<LRESULT>(s->rows[static_cast<size_t>(i)].state & static_cast<UINT>(lp)) : 0;
    case LVM_GETITEMTEXT: return GetItemText(w, s, i, reinterpret_cast<LVITEMA*>(lp));
    case LVM_SETITEMTEXT: return SetItemText(w, s, i, reinterpret_cast<const LVITEMA*>(lp));
    case LVM_GETSELECTEDCOUNT: return SelectedCount(s);
    case LVM_SETEXTENDEDLISTVIEWSTYLE: return SetExtendedStyle(w, s, wp, lp);
    case LVM_GETEXTENDEDLISTVIEWSTYLE: return s->exStyle;
  }
  return DefWindowProcA(w->handle, msg, wp, lp);
}

LRESULT CALLBACK ListViewProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* w = FromHandleQuiet(h);
  if (!w) return 0;
  ListState* s = State(w);
  switch (msg) {
    case WM_NCCREATE: return CreateWithoutBars(w, wp, lp);
    case WM_SIZE: Relayout(w); return 0;
    case WM_SETFONT:
      DefWindowProcA(h, msg, wp, lp);
      Relayout(w);
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: return PaintControl(w, [w](HDC hdc) { Paint(w, hdc); });
    case WM_SETFOCUS:
    case WM_KILLFOCUS: return FocusChanged(w, msg);
    case WM_ENABLE: InvalidateRect(h, nullptr, TRUE); return 0;
    case WM_LBUTTONDOWN: return OnLButtonDown(w, s, wp, lp);
    case WM_LBUTTONUP: return OnLButtonUp(w, s);
    case WM_LBUTTONDBLCLK: return OnClickNotify(w, NM_DBLCLK, lp);
    case WM_RBUTTONDOWN: return OnClickNotify(w, NM_RCLICK, lp);
    case WM_KEYDOWN: Key(w, static_cast<UINT>(wp)); return 0;
    case WM_VSCROLL: return OnVScroll(w, s, wp);
    case WM_HSCROLL: return OnHScroll(w, s, wp);
    case WM_MOUSEWHEEL: SetTop(w, RowsFromWheel(wp, s->scroll.top, 3)); return 0;
  }
  if (msg >= LVM_FIRST && msg < LVM_FIRST + 0x100) return ListMessage(w, s, msg, wp, lp);
  return DefWindowProcA(h, msg, wp, lp);
}

const KyCommonClassRegistrar kRegisterListView([] { RegisterCommonClass(WC_LISTVIEW, ListViewProc); });

}  // namespace
}  // namespace kyuser
