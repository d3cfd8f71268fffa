// The control tests' parent window, also recording what the common
// controls tell it: WM_NOTIFY codes with the parts of their structures the
// tests look at, and WM_VSCROLL / WM_HSCROLL.
#pragma once

#include <functional>

#include "commctrl.h"
#include "control_fixture.h"

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

class CommonControlFixture : public ControlFixture {
 protected:
  static CommonControlFixture*& Self() {
    static CommonControlFixture* c = nullptr;
    return c;
  }
  static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
    CommonControlFixture* f = Self();
    if (f && m == WM_NOTIFY) {
      auto* hdr = reinterpret_cast<NMHDR*>(l);
      NotifyRecord r{static_cast<UINT>(hdr->idFrom), hdr->code};
      if (hdr->code <= TVN_FIRST && hdr->code > TVN_LAST && hdr->code != TVN_KEYDOWN && hdr->code != TVN_GETDISPINFO) {
        auto* tv = reinterpret_cast<NMTREEVIEW*>(l);
        r.action = tv->action;
        r.item = tv->itemNew.hItem;
        r.oldItem = tv->itemOld.hItem;
      }
      if (hdr->code <= LVN_FIRST && hdr->code > LVN_LAST && hdr->code != LVN_KEYDOWN) {
        auto* lv = reinterpret_cast<NMLISTVIEW*>(l);
        r.iItem = lv->iItem;
        r.iSubItem = lv->iSubItem;
        r.newState = lv->uNewState;
        r.oldState = lv->uOldState;
      }
      if (f->listId && hdr->idFrom == f->listId && (hdr->code == NM_CLICK || hdr->code == NM_DBLCLK)) {
        auto* ia = reinterpret_cast<NMITEMACTIVATE*>(l);
        r.iItem = ia->iItem;
        r.iSubItem = ia->iSubItem;
      }
      if (hdr->code == UDN_DELTAPOS) {
        auto* ud = reinterpret_cast<NMUPDOWN*>(l);
        r.iPos = ud->iPos;
        r.iDelta = ud->iDelta;
      }
      f->notifies.push_back(r);
      if (f->onNotify) return f->onNotify(hdr);
      return 0;
    }
    if (f && (m == WM_VSCROLL || m == WM_HSCROLL)) {
      f->scrolls.push_back(ScrollRecord{m, LOWORD(w), static_cast<short>(HIWORD(w)), reinterpret_cast<HWND>(l)});
      return 0;
    }
    return CallWindowProc(f ? f->m_prev : DefWindowProc, h, m, w, l);
  }
  void SetUp() override {
    ControlFixture::SetUp();
    Self() = this;
    m_prev = reinterpret_cast<WNDPROC>(SetWindowLongPtr(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
  }
  void TearDown() override {
    ControlFixture::TearDown();
    Self() = nullptr;
  }
  // The codes received from control id, in order.
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

  std::vector<NotifyRecord> notifies;
  std::vector<ScrollRecord> scrolls;
  std::function<LRESULT(NMHDR*)> onNotify;
  UINT listId = 0;

 private:
  WNDPROC m_prev = nullptr;
};
