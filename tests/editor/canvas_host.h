// A stand-in for the editor dialog around the canvas: a top-level window
// with the width, height and status edits, implementing CKyFSLEditHost, and
// the canvas as its child, created as the dialog creates it. Input goes in as
// real mouse events on the headless screen through the dialog harness.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KyFSLEditHost.h"
#include "KyFSLEditWnd.h"
#include "dialog_harness.h"

class CanvasHost : public CWnd, public CKyFSLEditHost {
 public:
  enum { kWidthEdit = 23417, kHeightEdit = 23419, kStatus = 23413, kCanvas = 23412 };

  // A host window at (x, y) whose canvas client area is about cw x ch.
  BOOL Make(int x, int y, int cw, int ch) {
    WNDCLASS wc{};
    if (!GetClassInfoA(nullptr, "KyCanvasHost", &wc)) {
      wc.lpfnWndProc = ::DefWindowProcA;
      wc.lpszClassName = "KyCanvasHost";
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
      RegisterClass(&wc);
    }
    if (!CreateEx(0, "KyCanvasHost", "", WS_POPUP | WS_VISIBLE, x, y, cw + 20, ch + 60, nullptr, nullptr)) return FALSE;
    m_width.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(4, 4, 60, 24), this, kWidthEdit);
    m_height.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(64, 4, 120, 24), this, kHeightEdit);
    m_status.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(124, 4, cw + 16, 24), this, kStatus);
    if (!canvas.CreateEx(WS_EX_CLIENTEDGE, "BRUSHWND", "", WS_CHILD | WS_VISIBLE, CRect(4, 30, cw + 16, ch + 56), this,
                         kCanvas))
      return FALSE;
    // The scroll information the dialog gives the canvas: its grid's rows.
    CRect rc;
    canvas.GetClientRect(&rc);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    const int rows = rc.Height() / 58;
    si.nMax = rows - 1;
    si.nPage = static_cast<UINT>(rows);
    canvas.SetScrollInfo(SB_VERT, &si);
    canvas.SetScrollInfo(SB_HORZ, &si);
    canvas.ScrollChange(0, 0);
    canvas.ReDraw();
    return TRUE;
  }

  // A fresh w x h pattern at cell size c, as the dialog's New makes one.
  void NewPattern(int w, int h, int c = 6) {
    canvas.m_nCellSize = c;
    canvas.m_nWidth = canvas.m_nUndoWidth = w;
    canvas.m_nHeight = canvas.m_nUndoHeight = h;
    canvas.m_arrBits.RemoveAll();
    canvas.m_arrBits.SetSize(static_cast<INT_PTR>(((w - 1) / 32) * 4 + 4) * h);
    canvas.m_arrUndo.Copy(canvas.m_arrBits);
    canvas.m_rcSelect.SetRectEmpty();
    canvas.m_arrFloat.RemoveAll();
    canvas.ScrollChange(0, 0);
    canvas.ReDraw();
  }

  CWnd* GetCanvasWidthEdit() override { return &m_width; }
  CWnd* GetCanvasHeightEdit() override { return &m_height; }
  CString& GetCanvasStatus() override { return m_strStatus; }
  void FillStyleSymbolAtt(int bNew) override { symbolCalls.push_back(bNew); }
  void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, kStatus, m_strStatus); }

  std::string WidthText() const { return DialogHarness::Text(m_width.m_hWnd); }
  std::string HeightText() const { return DialogHarness::Text(m_height.m_hWnd); }
  std::string StatusText() const { return DialogHarness::Text(m_status.m_hWnd); }

  CKyFSLEditWnd canvas;
  CString m_strStatus;
  std::vector<int> symbolCalls;

 private:
  CEdit m_width, m_height, m_status;
};

// Drives the canvas with the mouse in cell or client coordinates.
class CanvasFixture : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(host.Make(40, 40, 600, 440)); }
  void TearDown() override {
    host.canvas.DestroyWindow();
    host.DestroyWindow();
  }

  CKyFSLEditWnd& C() { return host.canvas; }
  // The screen point of the middle of a cell (or of client pixel x, y).
  POINT Cell(int x, int y) {
    const int c = C().m_nCellSize;
    return DialogHarness::At(C().m_hWnd, x * c + c / 2 - C().m_nScrollX, y * c + c / 2 - C().m_nScrollY);
  }
  POINT Client(int x, int y) { return DialogHarness::At(C().m_hWnd, x, y); }

  void Event(KyInputEvent::Kind k, POINT p, int button = 0) {
    KyInputEvent e;
    e.kind = k;
    e.x = p.x;
    e.y = p.y;
    e.button = button;
    KyScreen::Get().Advance(1);
    KyScreen::Get().Inject(e);
  }
  // A press, moves through the points, and the release at the last one.
  void Drag(const std::vector<POINT>& path, int button = VK_LBUTTON) {
    KyScreen::Get().Advance(1000);
    Event(KyInputEvent::kMouseMove, path.front());
    Event(KyInputEvent::kButtonDown, path.front(), button);
    for (size_t i = 1; i < path.size(); ++i) Event(KyInputEvent::kMouseMove, path[i]);
    Event(KyInputEvent::kButtonUp, path.back(), button);
    h.Pump();
  }
  void Press(POINT p, int button = VK_LBUTTON) {
    KyScreen::Get().Advance(1000);
    Event(KyInputEvent::kMouseMove, p);
    Event(KyInputEvent::kButtonDown, p, button);
    h.Pump();
  }
  void Move(POINT p) {
    Event(KyInputEvent::kMouseMove, p);
    h.Pump();
  }
  void Release(POINT p, int button = VK_LBUTTON) {
    Event(KyInputEvent::kButtonUp, p, button);
    h.Pump();
  }

  bool Bit(int x, int y) {
    const CKyFSLEditWnd& c = C();
    const int s = static_cast<int>(c.m_arrBits.GetSize() / c.m_nHeight);
    return (c.m_arrBits[(c.m_nHeight - y - 1) * s + x / 8] & (0x80 >> (x % 8))) != 0;
  }
  std::vector<std::pair<int, int>> SetCells() {
    std::vector<std::pair<int, int>> out;
    for (int y = 0; y < C().m_nHeight; ++y)
      for (int x = 0; x < C().m_nWidth; ++x)
        if (Bit(x, y)) out.emplace_back(x, y);
    return out;
  }
  // The screen colour in the middle of a cell, 0x00RRGGBB.
  DWORD ScreenCell(int x, int y) {
    POINT p = Cell(x, y);
    return DialogHarness::Capture(CRect(p.x, p.y, p.x + 1, p.y + 1))[0];
  }
  std::vector<DWORD> CanvasPixels() {
    CRect r;
    C().GetClientRect(&r);
    POINT o = Client(0, 0);
    return DialogHarness::Capture(CRect(o.x, o.y, o.x + r.Width(), o.y + r.Height()));
  }

  DialogHarness h;
  CanvasHost host;
};
