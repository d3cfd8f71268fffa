// The screen: composition of windows into the desktop's pixels, screenshots,
// and the live SDL window (skipped without an X display).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "dialog_harness.h"
#include "screen_checks.h"
#include "sdlscreen.h"

namespace {

LRESULT CALLBACK RedProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(h, &ps);
    HBRUSH br = CreateSolidBrush(RGB(255, 0, 0));
    RECT r{0, 0, 10, 10};
    FillRect(dc, &r, br);
    DeleteObject(br);
    EndPaint(h, &ps);
    return 0;
  }
  return DefWindowProc(h, m, w, l);
}

TEST(Screen, WindowsAreComposedIntoTheDesktopsPixels) {
  DialogHarness h;
  WNDCLASS wc{};
  wc.lpfnWndProc = RedProc;
  wc.lpszClassName = "KyRedWnd";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  RegisterClass(&wc);
  HWND top = CreateWindowEx(0, "KyRedWnd", "", WS_POPUP | WS_VISIBLE, 40, 30, 50, 50, nullptr, nullptr, nullptr, nullptr);
  HWND child = CreateWindowEx(0, "KyRedWnd", "", WS_CHILD | WS_VISIBLE, 20, 20, 20, 20, top, nullptr, nullptr, nullptr);
  h.Pump();
  std::vector<DWORD> px = DialogHarness::Capture(RECT{40, 30, 90, 80});
  auto at = [&](int x, int y) { return px[static_cast<size_t>(y) * 50 + x]; };
  EXPECT_EQ(at(0, 0), 0xFF0000u);   // the top window's red corner
  EXPECT_EQ(at(20, 20), 0xFF0000u);  // the child's, over its parent
  const DWORD white = kytest::ScreenPixel(GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(at(15, 15), white);
  EXPECT_EQ(at(35, 35), white);  // the child's background
  // Hiding the child shows its parent again.
  ShowWindow(child, SW_HIDE);
  h.Pump();
  px = DialogHarness::Capture(RECT{40, 30, 90, 80});
  EXPECT_EQ(at(20, 20), white);
  // A screenshot holds the same pixels.
  std::string path = testing::TempDir() + "screen_test.png";
  ASSERT_TRUE(DialogHarness::Screenshot(path));
  EXPECT_EQ(DialogHarness::DiffPixels(path), 0);
  DestroyWindow(top);
  h.Pump();
  EXPECT_GT(DialogHarness::DiffPixels(path), 0);
}

TEST(Screen, LiveWindowShowsTheSamePixels) {
  if (!getenv("DISPLAY")) GTEST_SKIP() << "no X display";
  DialogHarness h;
  KySdlWindow* w = KySdlWindow::Open(KyScreen::Get(), "screen_test");
  ASSERT_NE(w, nullptr);
  HWND top = CreateWindowEx(0, "Button", "Live", WS_POPUP | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 100, 30, nullptr,
                            nullptr, nullptr, nullptr);
  h.Pump();
  EXPECT_TRUE(w->IsOpen());
  EXPECT_EQ(KyScreen::Get().Presenter(), w);
  DestroyWindow(top);
  delete w;
  EXPECT_EQ(KyScreen::Get().Presenter(), nullptr);
}

TEST(Screen, GetDCOfAWindowDrawsIntoThatWindow) {
  DialogHarness h;
  HWND top = CreateWindowEx(0, "Static", "", WS_POPUP | WS_VISIBLE, 200, 100, 40, 40, nullptr, nullptr, nullptr, nullptr);
  h.Pump();
  HDC dc = GetDC(top);
  ASSERT_NE(dc, nullptr);
  HBRUSH br = CreateSolidBrush(RGB(0, 0, 255));
  RECT r{0, 0, 5, 5};
  FillRect(dc, &r, br);
  DeleteObject(br);
  EXPECT_EQ(ReleaseDC(top, dc), 1);
  std::vector<DWORD> px = DialogHarness::Capture(RECT{200, 100, 206, 106});
  EXPECT_EQ(px[0], 0x0000FFu);
  EXPECT_NE(px[5 * 6 + 5], 0x0000FFu);
  DestroyWindow(top);
}

// The desktop window shows the part of the screen the visible top-level
// windows cover, so that it is the size of the dialog (and of the popups
// that reach past it), not the whole screen around it.
TEST(Screen, TheLiveWindowShowsThePartTheWindowsCover) {
  DialogHarness h;
  KyScreen& screen = KyScreen::Get();
  const RECT whole{0, 0, screen.Width(), screen.Height()};
  static const struct {
    const char* name;
    RECT dialog;  // x, y, right, bottom on the screen
    RECT popup;   // empty: none
    bool hidden;  // the dialog is made but not shown
    RECT shown;
  } cases[] = {
      {"a dialog", {100, 50, 726, 546}, {0, 0, 0, 0}, false, {100, 50, 726, 546}},
      {"a popup below it", {100, 50, 726, 546}, {300, 500, 400, 650}, false, {100, 50, 726, 650}},
      {"a dialog partly off the screen", {-20, -10, 80, 90}, {0, 0, 0, 0}, false, {0, 0, 80, 90}},
      {"nothing shown", {100, 50, 726, 546}, {0, 0, 0, 0}, true, whole},
  };
  for (const auto& c : cases) {
    HWND dlg = CreateWindowEx(0, "STATIC", "", WS_POPUP | WS_CAPTION | (c.hidden ? 0 : WS_VISIBLE),
                              c.dialog.left, c.dialog.top, c.dialog.right - c.dialog.left,
                              c.dialog.bottom - c.dialog.top, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(dlg, nullptr) << c.name;
    HWND popup = nullptr;
    if (c.popup.right > c.popup.left)
      popup = CreateWindowEx(0, "STATIC", "", WS_POPUP | WS_VISIBLE | WS_BORDER, c.popup.left, c.popup.top,
                             c.popup.right - c.popup.left, c.popup.bottom - c.popup.top, dlg, nullptr, nullptr,
                             nullptr);
    h.Pump();
    EXPECT_EQ(kytest::Edges(KySdlWindow::ShownPart(screen)), kytest::Edges(c.shown)) << c.name;
    if (popup) DestroyWindow(popup);
    DestroyWindow(dlg);
  }
}
}  // namespace
