// A parent window that records its controls' notifications and owner-draw
// requests, for the control tests.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

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

class ControlFixture : public testing::Test {
 protected:
  static ControlFixture*& Current() {
    static ControlFixture* c = nullptr;
    return c;
  }
  static LRESULT CALLBACK ParentProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    ControlFixture* f = Current();
    if (f && m == WM_COMMAND) {
      f->notices.push_back(Notice{LOWORD(w), HIWORD(w)});
      if (f->onCommand) f->onCommand(LOWORD(w), HIWORD(w), reinterpret_cast<HWND>(l));
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

  DialogHarness h;
  HWND parent = nullptr;
  std::vector<Notice> notices;
  std::vector<DrawRecord> draws;
  std::vector<UINT> measured;
  UINT measuredHeight = 0;
  std::function<void(UINT, UINT, HWND)> onCommand;
};
