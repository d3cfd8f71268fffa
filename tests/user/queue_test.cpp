// The queue: input turned into messages, capture, double clicks, key state,
// timers, focus and cursors.
#include <gtest/gtest.h>

#include <vector>

#include "dialog_harness.h"

namespace {

struct Seen {
  HWND hwnd;
  UINT msg;
  WPARAM wp;
  LPARAM lp;
};
std::vector<Seen>* g_seen = nullptr;

LRESULT CALLBACK RecordingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (g_seen && ((m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_KEYFIRST && m <= WM_KEYLAST) || m == WM_TIMER ||
                 m == WM_SETFOCUS || m == WM_KILLFOCUS || m == WM_CAPTURECHANGED))
    g_seen->push_back(Seen{h, m, w, l});
  if (m == WM_SETCURSOR && LOWORD(l) == HTCLIENT) {
    SetCursor(LoadCursor(nullptr, IDC_CROSS));
    return TRUE;
  }
  return DefWindowProc(h, m, w, l);
}

class QueueTest : public testing::Test {
 protected:
  void SetUp() override {
    WNDCLASS wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = "KyQueueWnd";
    RegisterClass(&wc);
    g_seen = &seen;
    top = CreateWindowEx(0, "KyQueueWnd", "", WS_POPUP | WS_VISIBLE, 100, 100, 200, 200, nullptr, nullptr, nullptr,
                         nullptr);
    child = CreateWindowEx(0, "KyQueueWnd", "", WS_CHILD | WS_VISIBLE, 50, 50, 40, 40, top, nullptr, nullptr, nullptr);
    h.Pump();
    seen.clear();
  }
  void TearDown() override {
    g_seen = nullptr;
    DestroyWindow(top);
  }
  std::vector<UINT> Messages(UINT lo, UINT hi) {
    std::vector<UINT> out;
    for (const Seen& s : seen)
      if (s.msg >= lo && s.msg <= hi) out.push_back(s.msg);
    return out;
  }
  DialogHarness h;
  std::vector<Seen> seen;
  HWND top = nullptr, child = nullptr;
};

TEST_F(QueueTest, ClicksGoToTheWindowUnderTheMouseInClientCoordinates) {
  h.Click(POINT{160, 170});
  h.Pump();
  std::vector<UINT> want{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP};
  EXPECT_EQ(Messages(WM_MOUSEFIRST, WM_MOUSELAST), want);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back().hwnd, child);
  EXPECT_EQ(GET_X_LPARAM(seen.back().lp), 10);
  EXPECT_EQ(GET_Y_LPARAM(seen.back().lp), 20);
  EXPECT_EQ(KyGetCursorShape(GetCursor()), 32515u);  // IDC_CROSS, set by WM_SETCURSOR
}

TEST_F(QueueTest, TwoQuickClicksMakeADoubleClick) {
  h.DoubleClick(POINT{110, 110});
  h.Pump();
  std::vector<UINT> want{WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
  EXPECT_EQ(Messages(WM_MOUSEFIRST, WM_MOUSELAST), want);
}

TEST_F(QueueTest, CaptureTakesTheMouseEverywhere) {
  SetCapture(child);
  h.Click(POINT{20, 30});  // outside every window
  h.Pump();
  ASSERT_EQ(Messages(WM_LBUTTONDOWN, WM_LBUTTONDOWN).size(), 1u);
  for (const Seen& s : seen)
    if (s.msg == WM_LBUTTONDOWN) {
      EXPECT_EQ(s.hwnd, child);
      EXPECT_EQ(GET_X_LPARAM(s.lp), 20 - 150);
    }
  ReleaseCapture();
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Messages(WM_CAPTURECHANGED, WM_CAPTURECHANGED).size(), 1u);
}

TEST_F(QueueTest, LeftAndRightControlAreToldApart) {
  SetFocus(child);
  h.KeyDown(VK_LCONTROL);
  h.Pump();
  EXPECT_LT(GetKeyState(VK_LCONTROL), 0);
  EXPECT_GE(GetKeyState(VK_RCONTROL), 0);
  EXPECT_LT(GetKeyState(VK_CONTROL), 0);
  h.KeyDown(VK_RCONTROL);
  h.KeyUp(VK_LCONTROL);
  h.Pump();
  EXPECT_GE(GetKeyState(VK_LCONTROL), 0);
  EXPECT_LT(GetKeyState(VK_RCONTROL), 0);
  EXPECT_LT(GetKeyState(VK_CONTROL), 0);
  h.KeyUp(VK_RCONTROL);
  h.Pump();
  EXPECT_GE(GetKeyState(VK_CONTROL), 0);
  // The messages carry the side-less code, the right side marked extended.
  bool sawExtended = false;
  for (const Seen& s : seen)
    if (s.msg == WM_KEYDOWN) {
      EXPECT_EQ(s.wp, static_cast<WPARAM>(VK_CONTROL));
      if (s.lp & (1 << 24)) sawExtended = true;
    }
  EXPECT_TRUE(sawExtended);
}

TEST_F(QueueTest, KeysGoToTheFocusAndControlLettersTranslate) {
  SetFocus(child);
  h.Key(VK_RETURN);
  MSG m;
  std::vector<UINT> got;
  while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
    got.push_back(m.message);
    EXPECT_EQ(m.hwnd, child);
    TranslateMessage(&m);
  }
  std::vector<UINT> want{WM_KEYDOWN, WM_CHAR, WM_KEYUP};
  EXPECT_EQ(got, want);
}

TEST_F(QueueTest, FocusMovesWithKillAndSetFocus) {
  SetFocus(top);
  seen.clear();
  EXPECT_EQ(SetFocus(child), top);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].msg, static_cast<UINT>(WM_KILLFOCUS));
  EXPECT_EQ(seen[0].hwnd, top);
  EXPECT_EQ(seen[1].msg, static_cast<UINT>(WM_SETFOCUS));
  EXPECT_EQ(GetFocus(), child);
  EnableWindow(child, FALSE);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_EQ(SetFocus(child), nullptr);  // a disabled window takes no focus
}

TEST_F(QueueTest, TimersFireWhenTheClockPassesThem) {
  ASSERT_EQ(SetTimer(top, 5, 100, nullptr), 5u);
  h.Pump();
  EXPECT_TRUE(Messages(WM_TIMER, WM_TIMER).empty());
  KyScreen::Get().Advance(100);
  h.Pump();
  EXPECT_EQ(Messages(WM_TIMER, WM_TIMER).size(), 1u);
  EXPECT_TRUE(KillTimer(top, 5));
  EXPECT_FALSE(KillTimer(top, 5));
}

TEST_F(QueueTest, AHeadlessQueueThatCanNeverFillGivesUp) {
  MSG m;
  while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&m);
  EXPECT_EQ(GetMessage(&m, nullptr, 0, 0), -1);
  PostQuitMessage(3);
  EXPECT_EQ(GetMessage(&m, nullptr, 0, 0), FALSE);
  EXPECT_EQ(m.wParam, 3u);
}

TEST_F(QueueTest, SystemCursorsLoadAndUnknownOnesFail) {
  EXPECT_NE(LoadCursor(nullptr, IDC_SIZEWE), nullptr);
  EXPECT_EQ(KyGetCursorShape(LoadCursor(nullptr, IDC_SIZENS)), 32645u);
  EXPECT_EQ(LoadCursor(nullptr, MAKEINTRESOURCE(1)), nullptr);
  SetCursor(LoadCursor(nullptr, IDC_WAIT));
  EXPECT_EQ(KyScreen::Get().CursorShape(), 32514u);
  POINT p;
  h.MoveTo(POINT{7, 9});
  h.Pump();
  ASSERT_TRUE(GetCursorPos(&p));
  EXPECT_EQ(p.x, 7);
  EXPECT_EQ(p.y, 9);
}

}  // namespace
