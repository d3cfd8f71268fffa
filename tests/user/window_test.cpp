// Windows: classes, creation and destruction, the tree, geometry, and calls
// on windows that are gone.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_harness.h"
#include "screen_checks.h"
#include "winuser.h"

using namespace kytest;

namespace {

std::vector<UINT>* g_log = nullptr;

LRESULT CALLBACK LoggingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (g_log && (m == WM_CREATE || m == WM_DESTROY || m == WM_NCDESTROY || m == WM_USER + 7)) g_log->push_back(m);
  if (m == WM_USER + 7) return static_cast<LRESULT>(w + l);
  return DefWindowProc(h, m, w, l);
}

ATOM RegisterTestClass(const char* name) {
  WNDCLASS wc{};
  wc.lpfnWndProc = LoggingProc;
  wc.lpszClassName = name;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  return RegisterClass(&wc);
}

class WindowTest : public testing::Test {
 protected:
  void SetUp() override {
    RegisterTestClass("KYTESTWND");
    g_log = &log;
  }
  void TearDown() override {
    g_log = nullptr;
    for (HWND h : made)
      if (IsWindow(h)) DestroyWindow(h);
  }
  HWND Make(DWORD style, int x, int y, int w, int h, HWND parent = nullptr, int id = 0, DWORD ex = 0) {
    HWND r = CreateWindowEx(ex, "KyTestWnd", "t", style, x, y, w, h, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    made.push_back(r);
    return r;
  }
  std::vector<UINT> log;
  std::vector<HWND> made;
};

TEST_F(WindowTest, ClassesAreFoundWithoutCaseAndRegisteredOnce) {
  WNDCLASS wc{};
  EXPECT_TRUE(GetClassInfo(nullptr, "kytestwnd", &wc));
  EXPECT_EQ(wc.lpfnWndProc, &LoggingProc);
  EXPECT_EQ(RegisterTestClass("KyTestWnd"), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
  EXPECT_EQ(CreateWindowEx(0, "NoSuchClass", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
  // A child needs a parent.
  EXPECT_EQ(CreateWindowEx(0, "KyTestWnd", "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));
}

TEST_F(WindowTest, RectanglesAndCoordinates) {
  HWND top = Make(WS_POPUP | WS_VISIBLE | WS_CAPTION, 100, 50, 300, 200);
  HWND child = Make(WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 20, 50, 40, top, 77);
  EXPECT_EQ(WindowEdges(top), Edges({100, 50, 400, 250}));
  // A caption (18 + 1) and a 3-pixel dialog frame on each side.
  EXPECT_EQ(ClientEdges(top), Edges({0, 0, 300 - 6, 200 - 6 - 19}));
  POINT p{0, 0};
  ClientToScreen(top, &p);
  EXPECT_EQ(p.x, 103);
  EXPECT_EQ(p.y, 72);
  EXPECT_EQ(WindowEdges(child), Edges({113, 92, 163, 132}));
  EXPECT_EQ(ClientEdges(child), Edges({0, 0, 48, 38}));
  POINT q{120, 100};
  ScreenToClient(child, &q);
  EXPECT_EQ(q.x, 120 - 114);
  EXPECT_EQ(q.y, 100 - 93);
  EXPECT_EQ(WindowFromPoint(POINT{130, 110}), child);
  EXPECT_EQ(WindowFromPoint(POINT{300, 200}), top);
  EXPECT_EQ(GetDlgItem(top, 77), child);
  EXPECT_EQ(GetDlgItem(top, 78), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CONTROL_ID_NOT_FOUND));
  EXPECT_EQ(GetParent(child), top);
  ASSERT_TRUE(SetWindowPos(child, nullptr, 5, 6, 70, 30, SWP_NOZORDER));
  EXPECT_EQ(WindowEdges(child), Edges({108, 78, 178, 108}));
}

TEST_F(WindowTest, ShowAndEnableReturnThePreviousStateAndTextAndLongsAreKept) {
  HWND top = Make(WS_POPUP, 0, 0, 100, 100);
  EXPECT_FALSE(ShowWindow(top, SW_SHOW));  // was hidden
  EXPECT_TRUE(ShowWindow(top, SW_HIDE));   // was visible
  EXPECT_FALSE(IsWindowVisible(top));
  EXPECT_FALSE(EnableWindow(top, FALSE));  // was enabled
  EXPECT_TRUE(EnableWindow(top, TRUE));    // was disabled
  EXPECT_TRUE(IsWindowEnabled(top));
  ASSERT_TRUE(SetWindowText(top, "Fill styles"));
  char buf[6];
  EXPECT_EQ(GetWindowText(top, buf, sizeof buf), 5);
  EXPECT_STREQ(buf, "Fill ");
  EXPECT_EQ(GetWindowTextLength(top), 11);
  EXPECT_EQ(SetWindowLongPtr(top, GWLP_USERDATA, 1234), 0);
  EXPECT_EQ(GetWindowLongPtr(top, GWLP_USERDATA), 1234);
  EXPECT_EQ(GetWindowLongPtr(top, 64), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
}

TEST_F(WindowTest, DestructionOrderAndDeadHandles) {
  HWND top = Make(WS_POPUP, 0, 0, 100, 100);
  HWND child = Make(WS_CHILD, 0, 0, 10, 10, top, 1);
  log.clear();
  ASSERT_TRUE(DestroyWindow(top));
  // WM_DESTROY parent first, WM_NCDESTROY children first.
  std::vector<UINT> want{WM_DESTROY, WM_DESTROY, WM_NCDESTROY, WM_NCDESTROY};
  EXPECT_EQ(log, want);
  EXPECT_FALSE(IsWindow(top));
  EXPECT_FALSE(IsWindow(child));
  SetLastError(0);
  EXPECT_EQ(SendMessage(top, WM_USER + 7, 1, 2), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_FALSE(PostMessage(child, WM_USER + 7, 0, 0));
  EXPECT_FALSE(SetWindowText(top, "x"));
  EXPECT_FALSE(DestroyWindow(top));
  RECT r;
  EXPECT_FALSE(GetWindowRect(child, &r));
  EXPECT_EQ(GetParent(child), nullptr);
}

TEST_F(WindowTest, UserMessagesSentAndPosted) {
  HWND top = Make(WS_POPUP, 0, 0, 100, 100);
  EXPECT_EQ(SendMessage(top, WM_USER + 7, 40, 2), 42);
  log.clear();
  ASSERT_TRUE(PostMessage(top, WM_USER + 7, 1, 1));
  EXPECT_TRUE(log.empty());
  MSG m;
  ASSERT_TRUE(PeekMessage(&m, nullptr, WM_USER, WM_USER + 100, PM_REMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_USER + 7));
  EXPECT_EQ(DispatchMessage(&m), 2);
  EXPECT_EQ(log.size(), 1u);
}

TEST_F(WindowTest, ChildrenAreInCreationOrderAndOwnedPopupsDieWithTheirOwner) {
  HWND top = Make(WS_POPUP, 0, 0, 100, 100);
  HWND popup = Make(WS_POPUP, 0, 0, 10, 10, top);
  EXPECT_EQ(GetWindow(popup, GW_OWNER), top);
  EXPECT_EQ(GetParent(popup), top);
  HWND a = Make(WS_CHILD, 0, 0, 10, 10, top, 1);
  HWND b = Make(WS_CHILD, 0, 0, 10, 10, top, 2);
  EXPECT_EQ(GetWindow(top, GW_CHILD), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  SetWindowPos(b, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindow(top, GW_CHILD), b);
  DestroyWindow(top);
  EXPECT_FALSE(IsWindow(popup));
}

TEST_F(WindowTest, SetWindowPosActivatesATopLevelWindowUnlessAskedNotTo) {
  HWND owner = Make(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  SetActiveWindow(owner);
  HWND quiet = Make(WS_POPUP, 10, 10, 20, 20, owner);
  SetWindowPos(quiet, HWND_NOTOPMOST, 20, 20, 30, 30, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  EXPECT_TRUE(IsWindowVisible(quiet));
  EXPECT_EQ(GetActiveWindow(), owner);
  HWND popup = Make(WS_POPUP, 10, 10, 20, 20, owner);
  SetWindowPos(popup, HWND_NOTOPMOST, 20, 20, 30, 30, SWP_SHOWWINDOW);
  EXPECT_TRUE(IsWindowVisible(popup));
  EXPECT_EQ(GetActiveWindow(), popup);
  EXPECT_EQ(GetFocus(), popup);
  // Children are never activated.
  HWND child = Make(WS_CHILD, 0, 0, 5, 5, owner, 3);
  SetWindowPos(child, nullptr, 1, 1, 5, 5, SWP_SHOWWINDOW | SWP_NOZORDER);
  EXPECT_EQ(GetActiveWindow(), popup);
}

}  // namespace
