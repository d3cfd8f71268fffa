// Helpers of the picker tests: a host dialog made from a template in code,
// pixels of a memory bitmap, and small libraries.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "KyFillStyleLib.h"
#include "dialog_harness.h"
#include "dlgtemplate.h"
#include "lib_builder.h"

namespace kytest {

// A modeless dialog that subclasses its controls into given objects and
// records its notifications.
class HostDlg : public CDialog {
 public:
  struct Bound {
    int id;
    CWnd* control;
  };
  HostDlg(const KyDialogTemplate& t, std::vector<Bound> bound) : m_template(t), m_bound(std::move(bound)) {}
  BOOL Make() { return CreateIndirect(m_template.Get()); }
  std::vector<std::pair<int, int>> commands;  // (id, code)
  std::vector<std::pair<WPARAM, LPARAM>> messages;  // of m_watched
  UINT m_watched = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    for (Bound& b : m_bound) DDX_Control(pDX, b.id, *b.control);
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    commands.emplace_back(LOWORD(wParam), HIWORD(wParam));
    return CDialog::OnCommand(wParam, lParam);
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (m_watched && message == m_watched) {
      messages.emplace_back(wParam, lParam);
      return 1;
    }
    return CDialog::WindowProc(message, wParam, lParam);
  }

 private:
  const KyDialogTemplate& m_template;
  std::vector<Bound> m_bound;
};

// A 32-bit bitmap selected into a memory DC, pre-filled with 0xcc.
class Canvas {
 public:
  Canvas(int w, int h) : m_w(w), m_h(h) {
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    m_dc.CreateCompatibleDC(&screen);
    m_bmp.CreateCompatibleBitmap(&screen, w, h);
    ::ReleaseDC(nullptr, screen.Detach());
    m_old = m_dc.SelectObject(&m_bmp);
    CBrush grey(RGB(0xcc, 0xcc, 0xcc));
    CRect all(0, 0, w, h);
    m_dc.FillRect(&all, &grey);
  }
  ~Canvas() { m_dc.SelectObject(m_old); }
  CDC& dc() { return m_dc; }
  COLORREF At(int x, int y) { return m_dc.GetPixel(x, y); }
  // How many pixels of rect have colour c.
  int Count(const CRect& r, COLORREF c) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += At(x, y) == c;
    return n;
  }
  bool Save(const std::string& path) { return GdiSaveDCPng(m_dc.GetSafeHdc(), path.c_str()) != FALSE; }

 private:
  int m_w, m_h;
  CDC m_dc;
  CBitmap m_bmp;
  CBitmap* m_old = nullptr;
};

inline DRAWITEMSTRUCT DrawRequest(CDC& dc, UINT item, UINT action, UINT state, const CRect& r, UINT type) {
  DRAWITEMSTRUCT d{};
  d.CtlType = type;
  d.itemID = item;
  d.itemAction = action;
  d.itemState = state;
  d.hDC = dc.GetSafeHdc();
  d.rcItem = r;
  return d;
}

}  // namespace kytest

namespace kytest {

// A library with a tree of groups:
//   root: styles 8, 9; sub-groups A, B, C
//   A: styles 10, 11; sub-group A1 (style 12), which holds A2 (styles 13, 14)
//   B: 12 styles 20..31 and 3 sub-groups B1..B3;  C: empty
struct TreeLib {
  CKyFillStyleLib lib;
  CKyFillStyleGroup* root = nullptr;
  CKyFillStyleGroup *a = nullptr, *a1 = nullptr, *a2 = nullptr, *b = nullptr, *c = nullptr;
  TreeLib() {
    root = lib.GetStyleGroup();
    a = root->CreateSubGroup("A");
    b = root->CreateSubGroup("B");
    c = root->CreateSubGroup("C");
    a1 = a->CreateSubGroup("A1");
    a2 = a1->CreateSubGroup("A2");
    AddBitmap(lib, 8, "root eight", root);
    AddBitmap(lib, 9, "root nine", root);
    AddBitmap(lib, 10, "ten", a);
    AddBitmap(lib, 11, "eleven", a);
    AddBitmap(lib, 12, "twelve", a1);
    AddBitmap(lib, 13, "deep one", a2, 38, 38);
    AddBitmap(lib, 14, "deep two", a2);
    for (long id = 20; id < 32; ++id) AddBitmap(lib, id, ("b" + std::to_string(id)).c_str(), b);
    for (const char* n : {"B1", "B2", "B3"}) b->CreateSubGroup(n);
  }
};

}  // namespace kytest
