// A parent window that records what its controls tell it, for the control
// tests: WM_COMMAND notifications, owner-draw and measure requests, WM_NOTIFY
// codes with the parts of the common controls' structures the tests look at,
// and WM_VSCROLL / WM_HSCROLL.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "commctrl.h"
#include "dialog_harness.h"

struct Notice {
  UINT id;
  UINT code;
  bool operator==(const Notice& o) const { return id == o.id && code == o.code; }
};
inline std::ostream& operator<<(std::ostream& os, const Notice& n) { return os << "{" << n.id << "," << n.code << "}"; }

struct DrawRecord {
  UINT type, id, item, action, state;
  ULONG_PTR data;
};

struct NotifyRecord {
  UINT id;
  UINT code;
  UINT action = 0;             // NMTREEVIEW
  HTREEITEM item = nullptr;    // NMTREEVIEW itemNew
  HTREEITEM oldItem = nullptr; // NMTREEVIEW itemOld
  int iItem = -1;              // NMLISTVIEW / NMITEMACTIVATE
  int iSubItem = -1;
  UINT newState = 0, oldState = 0;
  int iPos = 0, iDelta = 0;    // NMUPDOWN
};

struct ScrollRecord {
  UINT msg;
  int code;
  int pos;
  HWND from;
  bool operator==(const ScrollRecord& o) const {
    return msg == o.msg && code == o.code && pos == o.pos && from == o.from;
  }
};
inline std::ostream& operator<<(std::ostream& os, const ScrollRecord& r) {
  return os << "{" << r.msg << "," << r.code << "," << r.pos << "}";
}

class ControlFixture : public testing::Test {
 protected:
  static ControlFixture*& Current() {
    static ControlFixture* c = nullptr;
    return c;
  }
  static NotifyRecord Record(NMHDR* hdr, UINT listId) {
    NotifyRecord r{static_cast<UINT>(hdr->idFrom), hdr->code};
    if (hdr->code <= TVN_FIRST && hdr->code > TVN_LAST && hdr->code != TVN_KEYDOWN && hdr->code != TVN_GETDISPINFO) {
      auto* tv = reinterpret_cast<NMTREEVIEW*>(hdr);
      r.action = tv->action;
      r.item = tv->itemNew.hItem;
      r.oldItem = tv->itemOld.hItem;
    }
    if (hdr->code <= LVN_FIRST && hdr->code > LVN_LAST && hdr->code != LVN_KEYDOWN) {
      auto* lv = reinterpret_cast<NMLISTVIEW*>(hdr);
      r.iItem = lv->iItem;
      r.iSubItem = lv->iSubItem;
      r.newState = lv->uNewState;
      r.oldState = lv->uOldState;
    }
    if (listId && hdr->idFrom == listId && (hdr->code == NM_CLICK || hdr->code == NM_DBLCLK)) {
      auto* ia = reinterpret_cast<NMITEMACTIVATE*>(hdr);
      r.iItem = ia->iItem;
      r.iSubItem = ia->iSubItem;
    }
    if (hdr->code == UDN_DELTAPOS) {
      auto* ud = reinterpret_cast<NMUPDOWN*>(hdr);
      r.iPos = ud->iPos;
      r.iDelta = ud->iDelta;
    }
    return r;
  }
  static LRESULT CALLBACK ParentProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    ControlFixture* f = Current();
    if (f && m == WM_COMMAND) {
      f->notices.push_back(Notice{LOWORD(w), HIWORD(w)});
      if (f->onCommand) f->onCommand(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l));
      return 0;
    }
    if (f && m == WM_NOTIFY) {
      f->notifies.push_back(Record(reinterpret_cast<NMHDR*>(l), f->listId));
      return f->onNotify ? f->onNotify(reinterpret_cast<NMHDR*>(l)) : 0;
    }
    if (f && (m == WM_VSCROLL || m == WM_HSCROLL)) {
      f->scrolls.push_back(ScrollRecord{m, LOWORD(w), static_cast<short>(HIWORD(w)), reinterpret_cast<HWND>(l)});
      return 0;
    }
    if (f && m == WM_DRAWITEM) {
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(l);
      f->draws.push_back(DrawRecord{d->CtlType, d->CtlID, d->itemID, d->itemAction, d->itemState, d->itemData});
      FillRect(d->hDC, &d->rcItem, GetSysColorBrush((d->itemState & ODS_SELECTED) ? COLOR_HIGHLIGHT : COLOR_WINDOW));
      return TRUE;
    }
    if (f && m == WM_MEASUREITEM) {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(l);
      if (f->measuredHeight) mi->itemHeight = f->measuredHeight;
      f->measured.push_back(mi->itemID);
      return TRUE;
    }
    return DefWindowProc(h, m, w, l);
  }
  void SetUp() override {
    Current() = this;
    WNDCLASS wc{};
    wc.lpfnWndProc = ParentProc;
    wc.lpszClassName = "KyCtlParent";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    RegisterClass(&wc);
    parent = CreateWindowEx(0, "KyCtlParent", "", WS_POPUP | WS_VISIBLE, 50, 50, 500, 400, nullptr, nullptr, nullptr,
                            nullptr);
  }
  void TearDown() override {
    if (IsWindow(parent)) DestroyWindow(parent);
    Current() = nullptr;
  }
  HWND Make(const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id, DWORD ex = 0) {
    HWND c = CreateWindowEx(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    SendMessage(c, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return c;
  }
  // Input, then the queue emptied, so that its effects are there to check.
  void ClickNow(POINT p) {
    h.Click(p);
    h.Pump();
  }
  void KeysNow(std::initializer_list<int> keys) {
    for (int k : keys) h.Key(k);
    h.Pump();
  }
  std::vector<Notice> Codes(UINT id) const {
    std::vector<Notice> out;
    for (const Notice& n : notices)
      if (n.id == id) out.push_back(n);
    return out;
  }
  // The WM_NOTIFY codes received from control id, in order.
  std::vector<UINT> NotifyCodes(UINT id) const {
    std::vector<UINT> out;
    for (const NotifyRecord& r : notifies)
      if (r.id == id) out.push_back(r.code);
    return out;
  }
  const NotifyRecord* Last(UINT code) const {
    for (auto it = notifies.rbegin(); it != notifies.rend(); ++it)
      if (it->code == code) return &*it;
    return nullptr;
  }

  DialogHarness h;
  HWND parent = nullptr;
  std::vector<Notice> notices;
  std::vector<DrawRecord> draws;
  std::vector<UINT> measured;
  UINT measuredHeight = 0;
  std::function<void(UINT, UINT, HWND)> onCommand;
  std::vector<NotifyRecord> notifies;
  std::vector<ScrollRecord> scrolls;
  std::function<LRESULT(NMHDR*)> onNotify;
  UINT listId = 0;  // the list view whose NM_CLICK / NM_DBLCLK carry an item
};
