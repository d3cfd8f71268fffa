// The tree view ("SysTreeView32").
//
// Items form a tree under a hidden root; a handle is a number of this
// control that is never used again, so a deleted item's handle fails
// instead of reaching another item. The rows shown are the items whose
// ancestors are all expanded, in depth-first order; `top` is the first row
// in view. One row, left to right:
//
//   |<- indent ->|<- indent ->|
//   :   |        :   [+]------[img] label
//       ^ a line down from an ancestor that has a next sibling
//
// With TVS_LINESATROOT the top-level items get a slot of their own for the
// button and lines; without it they start at the left edge.
//
// Siblings are linked both ways and a parent knows its first and last
// child, so that inserting at either end, deleting, and stepping to a
// sibling or to the next visible row touch only the neighbours: a parent
// of 100,000 children is filled and emptied in linear time. The control
// also keeps the number of visible rows as items come, go, expand and
// collapse, and the list of visible rows (for painting and hit tests) is
// built again only when it is asked for after a change. `steps` counts the
// items these walks visit, so that tests can hold them to the tree's size.
//
// Expanding by code (TVM_EXPAND) notifies TVN_ITEMEXPANDING/ED only until
// the item has once been expanded (TVIS_EXPANDEDONCE); expanding by mouse or
// keyboard always notifies.
//
// Messages: the TVM_ messages the framework's CTreeCtrl and the dialogs
// send (items, their rectangles, states and neighbours, expanding,
// selecting, hit tests, item height, colours, image lists); not sorting,
// TVM_SETINDENT, TVM_GETVISIBLECOUNT or label editing, which nothing here
// sends. Rows scroll with the shared row scroller (rowscroll.h).
//
// FIXME: no horizontal scrolling, label editing (TVS_EDITLABELS), check
// boxes (TVS_CHECKBOXES), hot tracking (TVS_TRACKSELECT), TVS_SINGLEEXPAND,
// tooltips or drag notifications.
#include <algorithm>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "cc_common.h"
#include "cc_treeview.h"
#include "rowscroll.h"

namespace kyuser {
namespace {

constexpr int kButton = 9;  // the plus/minus box, odd so that it has a middle

struct TreeItem {
  HTREEITEM handle = nullptr;
  TreeItem* parent = nullptr;
  TreeItem* first = nullptr;  // children
  TreeItem* last = nullptr;
  TreeItem* prev = nullptr;  // siblings
  TreeItem* next = nullptr;
  bool dying = false;  // being deleted: nothing may be inserted under it
  std::string text;
  bool textCallback = false;
  int image = 0;
  int selImage = 0;
  UINT state = 0;
  LPARAM lParam = 0;
  int children = -2;  // cChildren as set; -2 = as the item's children say
  int depth = 0;      // top-level items are 0
};

struct TreeState : ControlState {
  TreeItem root;
  std::map<HTREEITEM, std::unique_ptr<TreeItem>> items;
  uintptr_t nextHandle = 0x100;
  TreeItem* caret = nullptr;
  TreeItem* drop = nullptr;
  int rowCount = 0;              // visible rows
  std::vector<TreeItem*> rows;   // the visible rows, when rowsValid
  bool rowsValid = true;
  uint64_t steps = 0;            // items visited by walks (see the top)
  RowScroll scroll;  // top: the first row in view
  int indent = 19;
  int itemHeight = 0;  // 0: from the font and images
  HIMAGELIST normal = nullptr;
  HIMAGELIST stateList = nullptr;
  COLORREF bk = CLR_NONE;
  COLORREF text = CLR_NONE;
  HWND notify = nullptr;
  bool clickPending = false;
};

TreeState* State(Wnd* w) { return StateOf<TreeState>(w); }

TreeItem* Item(TreeState* s, HTREEITEM h) {
  auto it = s->items.find(h);
  return it == s->items.end() ? nullptr : it->second.get();
}

bool IsRootHandle(HTREEITEM h) { return h == nullptr || h == TVI_ROOT; }

bool HasKids(const TreeItem* t) { return t->children == -2 ? t->first != nullptr : t->children != 0; }
bool Expanded(const TreeItem* t) { return (t->state & TVIS_EXPANDED) != 0; }

// The item is shown: every ancestor is expanded.
bool Visible(const TreeItem* t) {
  for (const TreeItem* p = t->parent; p && p->parent; p = p->parent)
    if (!Expanded(p)) return false;
  return true;
}

// The rows an expanded t shows below itself.
int RowsBelow(TreeState* s, const TreeItem* t) {
  int n = 0;
  for (const TreeItem* k = t->first; k; k = k->next) {
    ++s->steps;
    n += 1 + (Expanded(k) ? RowsBelow(s, k) : 0);
  }
  return n;
}

// Puts t under parent after `after` (nullptr: first).
void Link(TreeState* s, TreeItem* parent, TreeItem* after, TreeItem* t) {
  t->parent = parent;
  t->prev = after;
  t->next = after ? after->next : parent->first;
  (t->prev ? t->prev->next : parent->first) = t;
  (t->next ? t->next->prev : parent->last) = t;
  if (Visible(t)) ++s->rowCount;
  s->rowsValid = false;
}

// Takes t (without children: they are gone first) out of its parent's list.
void Unlink(TreeState* s, TreeItem* t) {
  if (Visible(t)) --s->rowCount;
  (t->prev ? t->prev->next : t->parent->first) = t->next;
  (t->next ? t->next->prev : t->parent->last) = t->prev;
  t->prev = t->next = nullptr;
  s->rowsValid = false;
}

// Every expansion change comes here, to keep the row count.
void SetExpanded(TreeState* s, TreeItem* t, bool on) {
  if (Expanded(t) == on) return;
  int below = Visible(t) ? RowsBelow(s, t) : 0;
  if (on) {
    t->state |= TVIS_EXPANDED;
    s->rowCount += below;
  } else {
    t->state &= ~TVIS_EXPANDED;
    s->rowCount -= below;
  }
  s->rowsValid = false;
}

void Rows(TreeState* s, TreeItem* t, std::vector<TreeItem*>* out) {
  for (TreeItem* k = t->first; k; k = k->next) {
    ++s->steps;
    out->push_back(k);
    if (Expanded(k)) Rows(s, k, out);
  }
}

const std::vector<TreeItem*>& VisibleRows(TreeState* s) {
  if (!s->rowsValid) {
    s->rows.clear();
    s->rows.reserve(static_cast<size_t>(s->rowCount));
    Rows(s, &s->root, &s->rows);
    s->rowsValid = true;
  }
  return s->rows;
}

int RowOf(TreeState* s, const TreeItem* t) {
  const std::vector<TreeItem*>& rows = VisibleRows(s);
  auto it = std::find(rows.begin(), rows.end(), t);
  return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

int ImageCx(TreeState* s) {
  int cx = 0, cy = 0;
  return s->normal && ImageList_GetIconSize(s->normal, &cx, &cy) ? cx : 0;
}
int StateCx(TreeState* s) {
  int cx = 0, cy = 0;
  return s->stateList && ImageList_GetIconSize(s->stateList, &cx, &cy) ? cx : 0;
}

int RowHeight(Wnd* w, TreeState* s) {
  if (s->itemHeight > 0) return s->itemHeight;
  int h = FontHeightOf(CommonFont(w)) + 3;
  int cx = 0, cy = 0;
  if (s->normal && ImageList_GetIconSize(s->normal, &cx, &cy)) h = std::max(h, cy);
  if (s->stateList && ImageList_GetIconSize(s->stateList, &cx, &cy)) h = std::max(h, cy);
  return h;
}

int PageRows(Wnd* w, TreeState* s) { return std::max(1, w->ClientHeight() / RowHeight(w, s)); }

// Where the parts of an item's row are, in client coordinates.
struct RowGeom {
  int slotLeft;   // the button slot: [slotLeft, content)
  int content;    // state image, image, then label
  int imageLeft;
  int labelLeft;
  int labelRight;
  int top, bottom;
  bool hasSlot;
};

std::string TextOf(Wnd* w, TreeState* s, TreeItem* t);

RowGeom Geometry(Wnd* w, TreeState* s, TreeItem* t, int row, HDC measure) {
  RowGeom g{};
  bool atRoot = (w->style & TVS_LINESATROOT) != 0;
  int level = t->depth + (atRoot ? 1 : 0);
  g.content = level * s->indent;
  g.hasSlot = level > 0;
  g.slotLeft = g.content - s->indent;
  int x = g.content;
  if (s->stateList && ((t->state & TVIS_STATEIMAGEMASK) >> 12)) x += StateCx(s);
  g.imageLeft = x;
  if (s->normal) x += ImageCx(s) + 1;
  g.labelLeft = x;
  std::string text = TextOf(w, s, t);
  SIZE sz{0, 0};
  HDC dc = measure ? measure : CreateCompatibleDC(nullptr);
  HGDIOBJ of = SelectObject(dc, CommonFont(w));
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &sz);
  SelectObject(dc, of);
  if (!measure) DeleteDC(dc);
  g.labelRight = g.labelLeft + sz.cx + 4;
  g.top = (row - s->scroll.top) * RowHeight(w, s);
  g.bottom = g.top + RowHeight(w, s);
  return g;
}

std::string TextOf(Wnd* w, TreeState* s, TreeItem* t) {
  if (!t->textCallback) return t->text;
  char buf[260] = {0};
  NMTVDISPINFOA di{};
  di.item.mask = TVIF_TEXT;
  di.item.hItem = t->handle;
  di.item.pszText = buf;
  di.item.cchTextMax = sizeof buf;
  di.item.lParam = t->lParam;
  SendNotify(w, TVN_GETDISPINFO, &di.hdr);
  (void)s;
  if (!di.item.pszText) return std::string();
  buf[sizeof buf - 1] = 0;
  return di.item.pszText == buf ? std::string(buf) : std::string(di.item.pszText);
}

int ImageOf(Wnd* w, TreeItem* t, bool selected) {
  int i = selected ? t->selImage : t->image;
  if (i != I_IMAGECALLBACK) return i;
  NMTVDISPINFOA di{};
  di.item.mask = selected ? TVIF_SELECTEDIMAGE : TVIF_IMAGE;
  di.item.hItem = t->handle;
  di.item.lParam = t->lParam;
  SendNotify(w, TVN_GETDISPINFO, &di.hdr);
  return selected ? di.item.iSelectedImage : di.item.iImage;
}

void FillItem(TreeItem* t, TVITEMA* out) {
  out->hItem = t->handle;
  out->state = t->state;
  out->iImage = t->image;
  out->iSelectedImage = t->selImage;
  out->lParam = t->lParam;
  out->cChildren = HasKids(t) ? 1 : 0;
  out->mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
}

int RowCount(TreeState* s) { return s->rowCount; }

void UpdateScroll(Wnd* w) {
  TreeState* s = State(w);
  if ((w->style & TVS_NOSCROLL) || !s->scroll.BeginBars()) return;
  SetRowBar(w->handle, SB_VERT, s->scroll.top, RowCount(s), PageRows(w, s), 0);
  s->scroll.EndBars(w->handle);
}

void SetTop(Wnd* w, int top) {
  TreeState* s = State(w);
  s->scroll.MoveTo(w->handle, ClampTopRow(top, RowCount(s), PageRows(w, s)));
  UpdateScroll(w);
}

// Keeps the rows in view after the tree changed shape.
void Relayout(Wnd* w) {
  SetTop(w, State(w)->scroll.top);
  InvalidateRect(w->handle, nullptr, TRUE);
}

bool Expand(Wnd* w, TreeItem* t, UINT code, UINT how);
bool DeleteTree(Wnd* w, TreeItem* t, bool notify);

// Expands the ancestors (by code) and scrolls the item into view.
void EnsureVisible(Wnd* w, TreeItem* t) {
  std::vector<TreeItem*> chain;
  for (TreeItem* p = t->parent; p && p->parent; p = p->parent) chain.push_back(p);
  HWND h = w->handle;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    if (!Expanded(*it)) Expand(w, *it, TVE_EXPAND, TVC_UNKNOWN);
    if (!FromHandleQuiet(h)) return;
  }
  TreeState* s = State(w);
  int row = RowOf(s, t);
  if (row < 0) return;
  int top = TopToReveal(row, s->scroll.top, PageRows(w, s));
  if (top != s->scroll.top) SetTop(w, top);
}

// TVN_SELCHANGING (may refuse) and TVN_SELCHANGED around a caret move.
bool SelectCaret(Wnd* w, TreeItem* t, UINT action) {
  TreeState* s = State(w);
  if (t == s->caret) {
    if (t) EnsureVisible(w, t);
    return true;
  }
  HWND h = w->handle;
  NMTREEVIEWA nm{};
  nm.action = action;
  if (s->caret) FillItem(s->caret, &nm.itemOld);
  if (t) FillItem(t, &nm.itemNew);
  if (SendNotify(w, TVN_SELCHANGING, &nm.hdr)) return false;
  if (!FromHandleQuiet(h)) return false;
  // The items may have gone while the parent was asked.
  TreeItem* old = s->caret;
  if (t && !Item(s, nm.itemNew.hItem)) return false;
  if (old) old->state &= ~TVIS_SELECTED;
  s->caret = t;
  if (t) t->state |= TVIS_SELECTED;
  if (t) EnsureVisible(w, t);
  if (!FromHandleQuiet(h)) return false;
  InvalidateRect(h, nullptr, TRUE);
  NMTREEVIEWA done{};
  done.action = action;
  if (old && Item(s, nm.itemOld.hItem)) FillItem(old, &done.itemOld);
  if (s->caret) FillItem(s->caret, &done.itemNew);
  SendNotify(w, TVN_SELCHANGED, &done.hdr);
  return true;
}

bool InSubtree(const TreeItem* t, const TreeItem* top) {
  for (; t; t = t->parent)
    if (t == top) return true;
  return false;
}

// how: TVC_UNKNOWN for code (TVM_EXPAND), TVC_BYMOUSE / TVC_BYKEYBOARD for input.
bool Expand(Wnd* w, TreeItem* t, UINT code, UINT how) {
  TreeState* s = State(w);
  UINT action = code & 3;
  if (action == 0) return false;
  bool expanded = Expanded(t);
  bool want = action == TVE_TOGGLE ? !expanded : action == TVE_EXPAND;
  if (want && !HasKids(t)) return false;
  if (want == expanded && !(code & TVE_COLLAPSERESET)) return true;
  bool notify = how != TVC_UNKNOWN || !(t->state & TVIS_EXPANDEDONCE);
  HWND h = w->handle;
  HTREEITEM handle = t->handle;
  UINT done = want ? TVE_EXPAND : TVE_COLLAPSE;
  if (notify) {
    NMTREEVIEWA nm{};
    nm.action = done;
    FillItem(t, &nm.itemNew);
    if (SendNotify(w, TVN_ITEMEXPANDING, &nm.hdr)) return false;
    if (!FromHandleQuiet(h) || !(t = Item(s, handle))) return false;
  }
  if (want) {
    SetExpanded(s, t, true);
    t->state |= TVIS_EXPANDEDONCE;
  } else {
    SetExpanded(s, t, false);
    if (code & TVE_COLLAPSERESET) {
      t->state &= ~TVIS_EXPANDEDONCE;
      // The children go; the item keeps its button only if cChildren says so.
      while (t->first) {
        if (s->caret && InSubtree(s->caret, t->first)) s->caret = nullptr;
        if (!DeleteTree(w, t->first, true) || !(t = Item(s, handle))) return false;
      }
    }
    // A caret inside the collapsed part moves up to the item.
    if (s->caret && s->caret != t && InSubtree(s->caret, t)) SelectCaret(w, t, how);
    if (!FromHandleQuiet(h) || !(t = Item(s, handle))) return false;
  }
  Relayout(w);
  if (notify) {
    NMTREEVIEWA nm{};
    nm.action = done;
    FillItem(t, &nm.itemNew);
    SendNotify(w, TVN_ITEMEXPANDED, &nm.hdr);
  }
  return true;
}

// Deletes t's children, first to last, then t (unless it is the hidden
// root), each told to the parent window as it goes. False when the window
// went away meanwhile: then nothing of it may be touched.
bool DeleteTree(Wnd* w, TreeItem* t, bool notify) {
  TreeState* s = State(w);
  HWND h = w->handle;
  t->dying = true;
  while (TreeItem* k = t->first) {
    ++s->steps;
    if (!DeleteTree(w, k, notify)) return false;
  }
  if (t == &s->root) {
    t->dying = false;
    return true;
  }
  if (notify) {
    NMTREEVIEWA nm{};
    FillItem(t, &nm.itemOld);
    SendNotify(w, TVN_DELETEITEM, &nm.hdr);
    if (!FromHandleQuiet(h)) return false;
  }
  if (s->caret == t) s->caret = nullptr;
  if (s->drop == t) s->drop = nullptr;
  Unlink(s, t);
  s->items.erase(t->handle);
  return true;
}

LRESULT DeleteItem(Wnd* w, LPARAM lp) {
  TreeState* s = State(w);
  HTREEITEM h = reinterpret_cast<HTREEITEM>(lp);
  HWND hwnd = w->handle;
  if (IsRootHandle(h)) {
    if (s->root.dying) return FALSE;
    s->caret = nullptr;
    DeleteTree(w, &s->root, true);
    if (!FromHandleQuiet(hwnd)) return TRUE;
    s->scroll.top = 0;
    Relayout(w);
    return TRUE;
  }
  TreeItem* t = Item(s, h);
  // An item being deleted (asked about from its own TVN_DELETEITEM) goes
  // once.
  if (!t || t->dying) return FALSE;
  // A caret inside the deleted part moves to the next sibling, else the
  // previous one, else the parent.
  TreeItem* next = nullptr;
  if (s->caret && InSubtree(s->caret, t)) {
    if (t->next) next = t->next;
    else if (t->prev) next = t->prev;
    else if (t->parent != &s->root) next = t->parent;
  }
  bool movedCaret = s->caret && InSubtree(s->caret, t);
  TreeItem* parent = t->parent;
  DeleteTree(w, t, true);
  if (!FromHandleQuiet(hwnd)) return TRUE;
  if (parent != &s->root && !parent->first && parent->children == -2) SetExpanded(s, parent, false);
  if (movedCaret && next) SelectCaret(w, next, TVC_UNKNOWN);
  if (!FromHandleQuiet(hwnd)) return TRUE;
  Relayout(w);
  return TRUE;
}

LRESULT InsertItem(Wnd* w, const TVINSERTSTRUCTA* is) {
  TreeState* s = State(w);
  if (!is) return 0;
  TreeItem* parent = IsRootHandle(is->hParent) ? &s->root : Item(s, is->hParent);
  if (!parent || parent->dying) return 0;
  auto owned = std::make_unique<TreeItem>();
  TreeItem* t = owned.get();
  const TVITEMA& in = is->item;
  if (in.mask & TVIF_TEXT) {
    if (in.pszText == LPSTR_TEXTCALLBACK) t->textCallback = true;
    else if (in.pszText) t->text = in.pszText;
  }
  if (in.mask & TVIF_IMAGE) t->image = in.iImage;
  if (in.mask & TVIF_SELECTEDIMAGE) t->selImage = in.iSelectedImage;
  if (in.mask & TVIF_PARAM) t->lParam = in.lParam;
  if (in.mask & TVIF_CHILDREN) t->children = in.cChildren;
  // The selection and expansion are the control's; the others are the caller's.
  if (in.mask & TVIF_STATE) t->state = in.state & in.stateMask & ~(TVIS_SELECTED | TVIS_EXPANDEDONCE);
  t->depth = parent == &s->root ? 0 : parent->depth + 1;
  t->handle = reinterpret_cast<HTREEITEM>(s->nextHandle);
  s->nextHandle += 4;
  // The sibling to follow: the last one, none (first), the one named when
  // it is a sibling, or the last one whose text sorts before the new text.
  TreeItem* after = parent->last;
  if (is->hInsertAfter == TVI_FIRST) {
    after = nullptr;
  } else if (is->hInsertAfter == TVI_SORT) {
    after = nullptr;
    for (TreeItem* k = parent->first; k; k = k->next) {
      ++s->steps;
      if (!k->textCallback && CompareNoCase(t->text, k->text) < 0) break;
      after = k;
    }
  } else if (is->hInsertAfter != TVI_LAST) {
    TreeItem* named = Item(s, is->hInsertAfter);
    if (named && named->parent == parent) after = named;
  }
  Link(s, parent, after, t);
  HTREEITEM h = t->handle;
  s->items[h] = std::move(owned);
  if (Visible(t)) Relayout(w);
  return reinterpret_cast<LRESULT>(h);
}

BOOL GetItem(Wnd* w, TVITEMA* item) {
  TreeState* s = State(w);
  if (!item) return FALSE;
  TreeItem* t = Item(s, item->hItem);
  if (!t) return FALSE;
  if (item->mask & TVIF_TEXT) CopyText(TextOf(w, s, t), item->pszText, item->cchTextMax);
  if (item->mask & TVIF_IMAGE) item->iImage = t->image;
  if (item->mask & TVIF_SELECTEDIMAGE) item->iSelectedImage = t->selImage;
  if (item->mask & TVIF_PARAM) item->lParam = t->lParam;
  if (item->mask & TVIF_STATE) item->state = t->state & item->stateMask;
  if (item->mask & TVIF_CHILDREN) item->cChildren = t->children == -2 ? (t->first ? 1 : 0) : t->children;
  return TRUE;
}

BOOL SetItem(Wnd* w, const TVITEMA* item) {
  TreeState* s = State(w);
  if (!item) return FALSE;
  TreeItem* t = Item(s, item->hItem);
  if (!t) return FALSE;
  if (item->mask & TVIF_TEXT) {
    t->textCallback = item->pszText == LPSTR_TEXTCALLBACK;
    t->text = t->textCallback || !item->pszText ? std::string() : std::string(item->pszText);
  }
  if (item->mask & TVIF_IMAGE) t->image = item->iImage;
  if (item->mask & TVIF_SELECTEDIMAGE) t->selImage = item->iSelectedImage;
  if (item->mask & TVIF_PARAM) t->lParam = item->lParam;
  if (item->mask & TVIF_CHILDREN) t->children = item->cChildren;
  if (item->mask & TVIF_STATE) {
    // Selection goes through the caret; the rest is stored as given.
    UINT mask = item->stateMask & ~TVIS_SELECTED;
    if (mask & TVIS_EXPANDED) SetExpanded(s, t, (item->state & TVIS_EXPANDED) != 0);
    t->state = (t->state & ~mask) | (item->state & mask);
  }
  Relayout(w);
  return TRUE;
}

// The row after (step 1) or before (step -1) a visible item, found from
// its neighbours: an expanded item's first child; else the next sibling of
// the item or of its nearest ancestor that has one. Backwards: the previous
// sibling's last visible descendant, else the parent.
TreeItem* NextVisible(TreeState* s, TreeItem* t, int step) {
  if (!t || !Visible(t)) return nullptr;
  if (step > 0) {
    if (Expanded(t) && t->first) return t->first;
    for (; t && t != &s->root; t = t->parent) {
      ++s->steps;
      if (t->next) return t->next;
    }
    return nullptr;
  }
  if (!t->prev) return t->parent == &s->root ? nullptr : t->parent;
  for (t = t->prev; Expanded(t) && t->last; t = t->last) ++s->steps;
  return t;
}

TreeItem* Sibling(TreeItem* t, int step) { return step > 0 ? t->next : t->prev; }

LRESULT GetNextItem(Wnd* w, UINT code, HTREEITEM h) {
  TreeState* s = State(w);
  TreeItem* t = IsRootHandle(h) ? nullptr : Item(s, h);
  TreeItem* r = nullptr;
  switch (code) {
    case TVGN_ROOT:
      r = s->root.first;
      break;
    case TVGN_CARET:
      r = s->caret;
      break;
    case TVGN_DROPHILITE:
      r = s->drop;
      break;
    case TVGN_FIRSTVISIBLE: {
      const std::vector<TreeItem*>& rows = VisibleRows(s);
      r = s->scroll.top < static_cast<int>(rows.size()) ? rows[static_cast<size_t>(s->scroll.top)] : nullptr;
      break;
    }
    case TVGN_LASTVISIBLE: {
      const std::vector<TreeItem*>& rows = VisibleRows(s);
      r = rows.empty() ? nullptr : rows.back();
      break;
    }
    case TVGN_CHILD: {
      TreeItem* p = IsRootHandle(h) ? &s->root : t;
      r = p ? p->first : nullptr;
      break;
    }
    case TVGN_NEXT:
      r = t ? Sibling(t, 1) : nullptr;
      break;
    case TVGN_PREVIOUS:
      r = t ? Sibling(t, -1) : nullptr;
      break;
    case TVGN_PARENT:
      r = t && t->parent != &s->root ? t->parent : nullptr;
      break;
    case TVGN_NEXTVISIBLE:
      r = NextVisible(s, t, 1);
      break;
    case TVGN_PREVIOUSVISIBLE:
      r = NextVisible(s, t, -1);
      break;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      break;
  }
  return reinterpret_cast<LRESULT>(r ? r->handle : nullptr);
}

TreeItem* HitTest(Wnd* w, TVHITTESTINFO* hti) {
  TreeState* s = State(w);
  POINT p = hti->pt;
  hti->hItem = nullptr;
  hti->flags = 0;
  if (p.y < 0) hti->flags |= TVHT_ABOVE;
  if (p.y >= w->ClientHeight()) hti->flags |= TVHT_BELOW;
  if (p.x < 0) hti->flags |= TVHT_TOLEFT;
  if (p.x >= w->ClientWidth()) hti->flags |= TVHT_TORIGHT;
  if (hti->flags) return nullptr;
  const std::vector<TreeItem*>& rows = VisibleRows(s);
  int row = s->scroll.top + p.y / RowHeight(w, s);
  if (row >= static_cast<int>(rows.size())) {
    hti->flags = TVHT_NOWHERE;
    return nullptr;
  }
  TreeItem* t = rows[static_cast<size_t>(row)];
  RowGeom g = Geometry(w, s, t, row, nullptr);
  if (p.x < g.content) {
    bool button = (w->style & TVS_HASBUTTONS) && g.hasSlot && HasKids(t) && p.x >= g.slotLeft;
    hti->flags = button ? TVHT_ONITEMBUTTON : TVHT_ONITEMINDENT;
  } else if (p.x < g.imageLeft) {
    hti->flags = TVHT_ONITEMSTATEICON;
  } else if (p.x < g.labelLeft) {
    hti->flags = TVHT_ONITEMICON;
  } else if (p.x < g.labelRight) {
    hti->flags = TVHT_ONITEMLABEL;
  } else {
    hti->flags = TVHT_ONITEMRIGHT;
  }
  hti->hItem = t->handle;
  return t;
}

// ---------------------------------------------------------------- painting
void DrawButton(HDC hdc, int cx, int cy, bool expanded) {
  RECT box{cx - kButton / 2, cy - kButton / 2, cx + kButton / 2 + 1, cy + kButton / 2 + 1};
  FillRect(hdc, &box, GetSysColorBrush(COLOR_WINDOW));
  FrameRect(hdc, &box, GetSysColorBrush(COLOR_3DSHADOW));
  HBRUSH ink = GetSysColorBrush(COLOR_WINDOWTEXT);
  RECT minus{cx - 2, cy, cx + 3, cy + 1};
  FillRect(hdc, &minus, ink);
  if (!expanded) {
    RECT bar{cx, cy - 2, cx + 1, cy + 3};
    FillRect(hdc, &bar, ink);
  }
}

void PaintRow(Wnd* w, TreeState* s, HDC hdc, TreeItem* t, int row, bool focused) {
  RowGeom g = Geometry(w, s, t, row, hdc);
  int mid = (g.top + g.bottom) / 2;
  COLORREF line = GetSysColor(COLOR_3DSHADOW);
  bool atRoot = (w->style & TVS_LINESATROOT) != 0;
  if (w->style & TVS_HASLINES) {
    // Lines down past this row from ancestors that continue below.
    int level = t->depth + (atRoot ? 1 : 0);
    TreeItem* a = t->parent;
    for (int l = level - 2; l >= 0 && a && a->parent; --l, a = a->parent) {
      if (Sibling(a, 1)) DottedVLine(hdc, l * s->indent + s->indent / 2, g.top, g.bottom - 1, line);
    }
    if (g.hasSlot) {
      int x = g.slotLeft + s->indent / 2;
      bool first = t->parent == &s->root && t->parent->first == t;
      DottedVLine(hdc, x, first ? mid : g.top, Sibling(t, 1) ? g.bottom - 1 : mid, line);
      DottedHLine(hdc, x, g.content - 2, mid, line);
    }
  }
  if ((w->style & TVS_HASBUTTONS) && g.hasSlot && HasKids(t))
    DrawButton(hdc, g.slotLeft + s->indent / 2, mid, Expanded(t));
  UINT stateImage = (t->state & TVIS_STATEIMAGEMASK) >> 12;
  int cx = 0, cy = 0;
  if (s->stateList && stateImage && ImageList_GetIconSize(s->stateList, &cx, &cy))
    ImageList_Draw(s->stateList, static_cast<int>(stateImage), hdc, g.content, g.top + (g.bottom - g.top - cy) / 2,
                   ILD_NORMAL);
  bool selected = s->caret == t || s->drop == t;
  if (s->normal && ImageList_GetIconSize(s->normal, &cx, &cy)) {
    int i = ImageOf(w, t, s->caret == t);
    if (i >= 0) ImageList_Draw(s->normal, i, hdc, g.imageLeft, g.top + (g.bottom - g.top - cy) / 2, ILD_NORMAL);
  }
  std::string text = TextOf(w, s, t);
  RECT label{g.labelLeft, g.top, g.labelRight, g.bottom};
  // Full-row selection cannot go with lines: the lines win.
  if ((w->style & TVS_FULLROWSELECT) && !(w->style & TVS_HASLINES)) label.right = w->ClientWidth();
  COLORREF fg = ColourOr(s->text, COLOR_WINDOWTEXT);
  bool show = selected && (focused || s->drop == t || (w->style & TVS_SHOWSELALWAYS));
  if (show) {
    bool active = focused || s->drop == t;
    FillRect(hdc, &label, GetSysColorBrush(active ? COLOR_HIGHLIGHT : COLOR_3DFACE));
    fg = GetSysColor(active ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
  }
  SetTextColor(hdc, (w->style & WS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT) : fg);
  SetBkMode(hdc, TRANSPARENT);
  RECT tr{g.labelLeft + 2, g.top, g.labelRight, g.bottom};
  DrawTextA(hdc, text.c_str(), static_cast<int>(text.size()), &tr, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (focused && s->caret == t) DrawFocusRect(hdc, &label);
}

void Paint(Wnd* w, HDC hdc) {
  TreeState* s = State(w);
  RECT client{0, 0, w->ClientWidth(), w->ClientHeight()};
  HBRUSH bg = CreateSolidBrush(ColourOr(s->bk, COLOR_WINDOW));
  FillRect(hdc, &client, bg);
  DeleteObject(bg);
  HGDIOBJ of = SelectObject(hdc, CommonFont(w));
  // The rows in view, copied: a callback asked for a row's text may change
  // the tree.
  const std::vector<TreeItem*>& all = VisibleRows(s);
  int first = std::min(static_cast<int>(all.size()), s->scroll.top);
  int last = std::min(static_cast<int>(all.size()), s->scroll.top + PageRows(w, s) + 1);
  std::vector<TreeItem*> rows(all.begin() + first, all.begin() + last);
  bool focused = CurrentFocus() == w->handle;
  for (int r = first; r < last; ++r) PaintRow(w, s, hdc, rows[static_cast<size_t>(r - first)], r, focused);
  SelectObject(hdc, of);
}

// ---------------------------------------------------------------- input
void Click(Wnd* w, POINT p, bool dbl) {
  TreeState* s = State(w);
  HWND h = w->handle;
  TVHITTESTINFO hti{p, 0, nullptr};
  TreeItem* t = HitTest(w, &hti);
  if (!t) return;
  HTREEITEM handle = t->handle;
  if (hti.flags & TVHT_ONITEMBUTTON) {
    if (!dbl) Expand(w, t, TVE_TOGGLE, TVC_BYMOUSE);
    return;
  }
  bool onRow = (hti.flags & TVHT_ONITEM) ||
               ((w->style & TVS_FULLROWSELECT) && !(w->style & TVS_HASLINES) && (hti.flags & TVHT_ONITEMRIGHT));
  if (!onRow) return;
  if (dbl) {
    NMHDR nm{};
    if (SendNotify(w, NM_DBLCLK, &nm)) return;
    if (!FromHandleQuiet(h) || !(t = Item(s, handle))) return;
    Expand(w, t, TVE_TOGGLE, TVC_BYMOUSE);
    return;
  }
  SelectCaret(w, t, TVC_BYMOUSE);
}

void Key(Wnd* w, UINT vk) {
  TreeState* s = State(w);
  HWND h = w->handle;
  NMTVKEYDOWN kd{};
  kd.wVKey = static_cast<WORD>(vk);
  SendNotify(w, TVN_KEYDOWN, &kd.hdr);
  if (!FromHandleQuiet(h)) return;
  std::vector<TreeItem*> rows = VisibleRows(s);
  if (rows.empty()) return;
  TreeItem* c = s->caret;
  if (!c) {
    SelectCaret(w, rows.front(), TVC_BYKEYBOARD);
    return;
  }
  int row = RowOf(s, c);
  int page = PageRows(w, s);
  int n = static_cast<int>(rows.size());
  TreeItem* target = nullptr;
  switch (vk) {
    case VK_UP: target = row > 0 ? rows[static_cast<size_t>(row - 1)] : nullptr; break;
    case VK_DOWN: target = row + 1 < n ? rows[static_cast<size_t>(row + 1)] : nullptr; break;
    case VK_HOME: target = rows.front(); break;
    case VK_END: target = rows.back(); break;
    case VK_PRIOR: target = rows[static_cast<size_t>(std::max(row - page + 1, 0))]; break;
    case VK_NEXT: target = rows[static_cast<size_t>(std::min(row + page - 1, n - 1))]; break;
    case VK_LEFT:
      if (Expanded(c) && HasKids(c)) Expand(w, c, TVE_COLLAPSE, TVC_BYKEYBOARD);
      else if (c->parent != &s->root) target = c->parent;
      break;
    case VK_RIGHT:
      if (!Expanded(c) && HasKids(c)) Expand(w, c, TVE_EXPAND, TVC_BYKEYBOARD);
      else if (c->first) target = c->first;
      break;
    case VK_ADD: Expand(w, c, TVE_EXPAND, TVC_BYKEYBOARD); break;
    case VK_SUBTRACT: Expand(w, c, TVE_COLLAPSE, TVC_BYKEYBOARD); break;
    case VK_RETURN: {
      NMHDR nm{};
      SendNotify(w, NM_RETURN, &nm);
      break;
    }
  }
  if (target && FromHandleQuiet(h)) SelectCaret(w, target, TVC_BYKEYBOARD);
}

// ---------------------------------------------------------------- messages
LRESULT OnNcCreate(Wnd* w, TreeState* s, WPARAM wp, LPARAM lp) {
  const CREATESTRUCTA* cs = reinterpret_cast<const CREATESTRUCTA*>(lp);
  s->notify = cs ? cs->hwndParent : nullptr;
  return CreateWithoutBars(w, wp, lp);
}

// A press selects or toggles at once and reports NM_CLICK when the button
// comes up; a double click toggles the item.
LRESULT OnLButton(Wnd* w, TreeState* s, UINT msg, LPARAM lp) {
  if (!FocusOnClick(w)) return 0;
  s->clickPending = msg == WM_LBUTTONDOWN;
  Click(w, POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}, msg == WM_LBUTTONDBLCLK);
  return 0;
}

LRESULT OnLButtonUp(Wnd* w, TreeState* s) {
  if (s->clickPending) {
    s->clickPending = false;
    NMHDR nm{};
    SendNotify(w, NM_CLICK, &nm);
  }
  return 0;
}

LRESULT OnVScroll(Wnd* w, TreeState* s, WPARAM wp) {
  int top = 0;
  if (RowsFromBar(wp, s->scroll.top, 1, PageRows(w, s), RowCount(s), &top)) SetTop(w, top);
  return 0;
}

LRESULT GetItemRectMsg(Wnd* w, TreeState* s, BOOL labelOnly, RECT* r) {
  if (!r) return FALSE;
  TreeItem* t = Item(s, *reinterpret_cast<HTREEITEM*>(r));
  if (!t || !Visible(t)) return FALSE;
  RowGeom g = Geometry(w, s, t, RowOf(s, t), nullptr);
  *r = labelOnly ? RECT{g.labelLeft, g.top, g.labelRight, g.bottom} : RECT{0, g.top, w->ClientWidth(), g.bottom};
  return TRUE;
}

HIMAGELIST* ImageListSlot(TreeState* s, WPARAM which) {
  return which == TVSIL_STATE ? &s->stateList : which == TVSIL_NORMAL ? &s->normal : nullptr;
}

LRESULT SetImageList(Wnd* w, TreeState* s, WPARAM which, LPARAM lp) {
  HIMAGELIST* slot = ImageListSlot(s, which);
  if (!slot) return 0;
  HIMAGELIST old = *slot;
  *slot = reinterpret_cast<HIMAGELIST>(lp);
  Relayout(w);
  return reinterpret_cast<LRESULT>(old);
}

// TVGN_CARET selects; TVGN_DROPHILITE marks a drop target;
// TVGN_FIRSTVISIBLE scrolls the item to the top.
LRESULT SelectItem(Wnd* w, TreeState* s, WPARAM code, HTREEITEM hi) {
  TreeItem* t = hi ? Item(s, hi) : nullptr;
  if (hi && !t) return FALSE;
  switch (code & 0xFF) {
    case TVGN_CARET:
      return SelectCaret(w, t, TVC_UNKNOWN);
    case TVGN_DROPHILITE:
      s->drop = t;
      InvalidateRect(w->handle, nullptr, TRUE);
      return TRUE;
    case TVGN_FIRSTVISIBLE:
      if (!t) return FALSE;
      EnsureVisible(w, t);
      if (!FromHandleQuiet(w->handle)) return FALSE;
      SetTop(w, RowOf(s, t));
      return TRUE;
  }
  return FALSE;
}

LRESULT HitTestMsg(Wnd* w, TVHITTESTINFO* hti) {
  if (!hti) return 0;
  TreeItem* t = HitTest(w, hti);
  return reinterpret_cast<LRESULT>(t ? t->handle : nullptr);
}

LRESULT EnsureVisibleMsg(Wnd* w, TreeState* s, HTREEITEM hi) {
  TreeItem* t = Item(s, hi);
  if (!t) return FALSE;
  EnsureVisible(w, t);
  return TRUE;
}

LRESULT SetItemHeight(Wnd* w, TreeState* s, WPARAM wp) {
  int old = RowHeight(w, s);
  int v = static_cast<int>(static_cast<short>(LOWORD(wp)));
  s->itemHeight = v <= 0 ? 0 : v;
  Relayout(w);
  return old;
}

// CLR_NONE (the system colour) reads as -1.
LRESULT ColourOrMinusOne(COLORREF c) { return static_cast<LRESULT>(c == CLR_NONE ? static_cast<COLORREF>(-1) : c); }

LRESULT SetColour(Wnd* w, COLORREF* slot, LPARAM lp) {
  COLORREF old = *slot;
  *slot = static_cast<COLORREF>(lp);
  InvalidateRect(w->handle, nullptr, TRUE);
  return ColourOrMinusOne(old);
}

// The TVM_ messages: items, their rectangles and states, colours and image
// lists.
LRESULT TreeMessage(Wnd* w, TreeState* s, UINT msg, WPARAM wp, LPARAM lp) {
  HTREEITEM item = reinterpret_cast<HTREEITEM>(lp);
  switch (msg) {
    case TVM_INSERTITEM: return InsertItem(w, reinterpret_cast<const TVINSERTSTRUCTA*>(lp));
    case TVM_DELETEITEM: return DeleteItem(w, lp);
    case TVM_EXPAND: {
      TreeItem* t = Item(s, item);
      return t ? Expand(w, t, static_cast<UINT>(wp), TVC_UNKNOWN) : FALSE;
    }
    case TVM_GETITEMRECT: return GetItemRectMsg(w, s, static_cast<BOOL>(wp), reinterpret_cast<RECT*>(lp));
    case TVM_GETCOUNT: return static_cast<LRESULT>(s->items.size());
    case TVM_GETINDENT: return s->indent;
    case TVM_GETIMAGELIST: {
      HIMAGELIST* slot = ImageListSlot(s, wp);
      return reinterpret_cast<LRESULT>(slot ? *slot : nullptr);
    }
    case TVM_SETIMAGELIST: return SetImageList(w, s, wp, lp);
    case TVM_GETNEXTITEM: return GetNextItem(w, static_cast<UINT>(wp), item);
    case TVM_SELECTITEM: return SelectItem(w, s, wp, item);
    case TVM_GETITEM: return GetItem(w, reinterpret_cast<TVITEMA*>(lp));
    case TVM_SETITEM: return SetItem(w, reinterpret_cast<const TVITEMA*>(lp));
    case TVM_GETITEMSTATE: {
      TreeItem* t = Item(s, reinterpret_cast<HTREEITEM>(wp));
      return t ? static_cast<LRESULT>(t->state & static_cast<UINT>(lp)) : 0;
    }
    case TVM_HITTEST: return HitTestMsg(w, reinterpret_cast<TVHITTESTINFO*>(lp));
    case TVM_ENSUREVISIBLE: return EnsureVisibleMsg(w, s, item);
    case TVM_SETITEMHEIGHT: return SetItemHeight(w, s, wp);
    case TVM_GETITEMHEIGHT: return RowHeight(w, s);
    case TVM_SETBKCOLOR: return SetColour(w, &s->bk, lp);
    case TVM_SETTEXTCOLOR: return SetColour(w, &s->text, lp);
    case TVM_GETBKCOLOR: return ColourOrMinusOne(s->bk);
    case TVM_GETTEXTCOLOR: return ColourOrMinusOne(s->text);
  }
  return DefWindowProcA(w->handle, msg, wp, lp);
}

LRESULT CALLBACK TreeViewProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  Wnd* w = FromHandleQuiet(h);
  if (!w) return 0;
  TreeState* s = State(w);
  switch (msg) {
    case WM_NCCREATE: return OnNcCreate(w, s, wp, lp);
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
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return OnLButton(w, s, msg, lp);
    case WM_LBUTTONUP: return OnLButtonUp(w, s);
    case WM_RBUTTONDOWN: {
      NMHDR nm{};
      SendNotify(w, NM_RCLICK, &nm);
      return 0;
    }
    case WM_KEYDOWN: Key(w, static_cast<UINT>(wp)); return 0;
    case WM_VSCROLL: return OnVScroll(w, s, wp);
    case WM_MOUSEWHEEL: SetTop(w, RowsFromWheel(wp, s->scroll.top, 3)); return 0;
    case WM_NCDESTROY:
      s->caret = nullptr;
      DeleteTree(w, &s->root, false);
      return DefWindowProcA(h, msg, wp, lp);
  }
  if (msg >= TV_FIRST && msg < TV_FIRST + 0x100) return TreeMessage(w, s, msg, wp, lp);
  return DefWindowProcA(h, msg, wp, lp);
}

const KyCommonClassRegistrar kRegisterTreeView([] { RegisterCommonClass(WC_TREEVIEW, TreeViewProc); });

}  // namespace

uint64_t TreeViewSteps(HWND h) {
  char cls[32] = {0};
  Wnd* w = FromHandleQuiet(h);
  if (!w || !GetClassNameA(h, cls, sizeof cls) || CompareNoCase(cls, WC_TREEVIEW) != 0) return 0;
  return State(w)->steps;
}

}  // namespace kyuser
