// The tooltip control and CToolTipCtrl: tools shown after the initial
// delay when the owner relays its mouse messages (as a dialog's
// PreTranslateMessage does), text from the string table and from
// TTN_NEEDTEXTA / TTN_NEEDTEXTW, the toolbar's own tooltip, and a look.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "afxcmn.h"
#include "afxres.h"
#include "codepage.h"
#include "dialog_harness.h"
#include "image_resources.h"
#include "resimage.h"
#include "screen_checks.h"

namespace {

constexpr UINT kPreviousText = 23014;
constexpr int kPrevButton = 23438;

void RegisterStrings() {
  static bool done = false;
  if (done) return;
  done = true;
  static const AFX_RESOURCE_STRING strings[] = {{kPreviousText, 0, "Previous"}};
  AfxRegisterStrings(GetModuleHandle(nullptr), strings, 1);
}

struct Asked {
  UINT code;
  UINT_PTR idFrom;
  HWND from;
  UINT flags;
};

// A window that relays its messages to its tooltip, as a dialog does from
// PreTranslateMessage, and answers the tooltip's questions.
class TipHost : public CWnd {
 public:
  CToolTipCtrl tip;
  std::vector<Asked> asked;
  std::string answer = "Hello";
  bool unicode = false;

  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (tip.m_hWnd) tip.RelayEvent(pMsg);
    return CWnd::PreTranslateMessage(pMsg);
  }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_NOTIFYFORMAT && lParam == NF_QUERY) return unicode ? NFR_UNICODE : NFR_ANSI;
    return CWnd::WindowProc(message, wParam, lParam);
  }
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
    auto* nm = reinterpret_cast<NMHDR*>(lParam);
    if (nm->code == TTN_NEEDTEXTA) {
      auto* di = reinterpret_cast<NMTTDISPINFOA*>(lParam);
      asked.push_back(Asked{nm->code, nm->idFrom, nm->hwndFrom, di->uFlags});
      std::snprintf(di->szText, sizeof di->szText, "%s", answer.c_str());
      *pResult = 0;
      return TRUE;
    }
    if (nm->code == TTN_NEEDTEXTW) {
      auto* di = reinterpret_cast<NMTTDISPINFOW*>(lParam);
      asked.push_back(Asked{nm->code, nm->idFrom, nm->hwndFrom, di->uFlags});
      // "Café" as UTF-16 code units.
      const WCHAR text[] = {L'C', L'a', L'f', static_cast<WCHAR>(0x00E9), 0};
      std::memcpy(di->szText, text, sizeof text);
      *pResult = 0;
      return TRUE;
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
  }
};

class TooltipTest : public testing::Test {
 protected:
  void SetUp() override {
    RegisterStrings();
    AfxSetResourceHandle(GetModuleHandle(nullptr));
    WNDCLASS wc{};
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = "KyTipHost";
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    RegisterClass(&wc);
    ASSERT_TRUE(host.CreateEx(0, "KyTipHost", "", WS_POPUP | WS_VISIBLE, 100, 100, 400, 200, nullptr, nullptr));
    button = CreateWindowEx(0, "Button", "<", WS_CHILD | WS_VISIBLE, 20, 20, 40, 40, host.m_hWnd,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPrevButton)), nullptr, nullptr);
    other = CreateWindowEx(0, "Button", "x", WS_CHILD | WS_VISIBLE, 200, 20, 40, 40, host.m_hWnd,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(2)), nullptr, nullptr);
    ASSERT_TRUE(host.tip.Create(&host));
    h.Pump();
  }
  void TearDown() override {
    if (host.tip.m_hWnd) host.tip.DestroyWindow();
    host.DestroyWindow();
  }
  // The mouse goes to a window and stays for ms.
  void Hover(HWND over, int ms, int x = -1, int y = -1) {
    RECT r{};
    GetClientRect(over, &r);
    h.MoveTo(DialogHarness::At(over, x < 0 ? r.right / 2 : x, y < 0 ? r.bottom / 2 : y));
    h.Pump();
    Wait(ms);
  }
  void Wait(int ms) {
    KyScreen::Get().Advance(static_cast<DWORD>(ms));
    h.Pump();
  }
  bool Shown() const { return IsWindowVisible(host.tip.m_hWnd) != FALSE; }
  std::string TipText() const { return DialogHarness::Text(host.tip.m_hWnd); }

  DialogHarness h;
  TipHost host;
  HWND button = nullptr, other = nullptr;
};

TEST_F(TooltipTest, AToolWithAStringIdShowsItAfterTheInitialDelay) {
  ASSERT_TRUE(host.tip.AddTool(CWnd::FromHandle(button), kPreviousText));
  host.tip.Activate(TRUE);
  Hover(button, 400);
  EXPECT_FALSE(Shown());
  Wait(150);
  ASSERT_TRUE(Shown());
  EXPECT_EQ(TipText(), "Previous");
  // Under the mouse, and above everything else.
  RECT tr{};
  GetWindowRect(host.tip.m_hWnd, &tr);
  POINT c = DialogHarness::Centre(button);
  EXPECT_EQ(tr.left, c.x);
  EXPECT_GT(tr.top, c.y);
  EXPECT_TRUE(GetWindowLong(host.tip.m_hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetActiveWindow(), host.m_hWnd);  // the tip takes no activation
  // It goes after the autopop delay, and stays away while the mouse stays.
  Wait(5000);
  EXPECT_FALSE(Shown());
  Wait(1000);
  EXPECT_FALSE(Shown());
}

TEST_F(TooltipTest, LeavingTheToolPressingAButtonOrDeactivatingHidesTheTip) {
  host.tip.AddTool(CWnd::FromHandle(button), kPreviousText);
  Hover(button, 600);
  ASSERT_TRUE(Shown());
  Hover(other, 0);
  EXPECT_FALSE(Shown());
  // Back within the reshow delay: it comes back quickly.
  Hover(button, 150);
  EXPECT_TRUE(Shown());
  // A press hides it until the mouse has left the tool.
  h.Click(DialogHarness::Centre(button));
  h.Pump();
  EXPECT_FALSE(Shown());
  Hover(button, 1000, 10, 10);
  EXPECT_FALSE(Shown());
  Hover(other, 2000);
  Hover(button, 600);
  EXPECT_TRUE(Shown());
  // An inactive tooltip hides and shows nothing until it is active again.
  host.tip.Activate(FALSE);
  EXPECT_FALSE(Shown());
  Hover(other, 2000);
  Hover(button, 1000);
  EXPECT_FALSE(Shown());
  host.tip.Activate(TRUE);
  Hover(other, 0);
  Hover(button, 600);
  EXPECT_TRUE(Shown());
}

TEST_F(TooltipTest, CallbackTextIsAskedForWithNeedTextA) {
  host.tip.AddTool(CWnd::FromHandle(button));  // LPSTR_TEXTCALLBACK
  Hover(button, 600);
  ASSERT_EQ(host.asked.size(), 1u);
  EXPECT_EQ(host.asked[0].code, TTN_NEEDTEXTA);
  EXPECT_EQ(host.asked[0].idFrom, reinterpret_cast<UINT_PTR>(button));
  EXPECT_EQ(host.asked[0].from, host.tip.m_hWnd);
  EXPECT_TRUE(host.asked[0].flags & TTF_IDISHWND);
  EXPECT_EQ(TipText(), "Hello");
  // Asked again at every showing.
  host.answer = "Again";
  Hover(other, 3000);
  Hover(button, 600);
  EXPECT_EQ(host.asked.size(), 2u);
  EXPECT_EQ(TipText(), "Again");
  // An empty answer shows nothing.
  host.answer = "";
  Hover(other, 3000);
  Hover(button, 600);
  EXPECT_FALSE(Shown());
}

TEST_F(TooltipTest, AUnicodeOwnerIsAskedWithNeedTextW) {
  AfxSetCodePage(1252);
  host.unicode = true;
  host.tip.AddTool(CWnd::FromHandle(button));
  Hover(button, 600);
  ASSERT_EQ(host.asked.size(), 1u);
  EXPECT_EQ(host.asked[0].code, TTN_NEEDTEXTW);
  EXPECT_EQ(TipText(), "Caf\xE9");
  AfxSetCodePage(0);
}

TEST_F(TooltipTest, RectangleToolsOfAWindow) {
  CRect left(0, 0, 100, 100), right(300, 0, 400, 100);
  ASSERT_TRUE(host.tip.AddTool(&host, "Left", &left, 5));
  ASSERT_TRUE(host.tip.AddTool(&host, "Right", &right, 6));
  EXPECT_EQ(host.tip.GetToolCount(), 2);
  Hover(host.m_hWnd, 600, 150, 150);
  EXPECT_FALSE(Shown());
  Hover(host.m_hWnd, 600, 350, 150);
  EXPECT_FALSE(Shown());
  Hover(host.m_hWnd, 600, 350, 50);
  ASSERT_TRUE(Shown());
  EXPECT_EQ(TipText(), "Right");
  // The tip follows a change of text while it is shown.
  host.tip.UpdateTipText("Right side", &host, 6);
  EXPECT_EQ(TipText(), "Right side");

  CString text;
  host.tip.GetText(text, &host, 5);
  EXPECT_EQ(std::string(text), "Left");
  CToolInfo info;
  ASSERT_TRUE(host.tip.GetToolInfo(info, &host, 6));
  EXPECT_EQ(info.rect.left, 300);
  EXPECT_EQ(std::string(info.szText), "Right side");
  EXPECT_FALSE(host.tip.GetToolInfo(info, &host, 7));
  TOOLINFO hit{};
  EXPECT_TRUE(host.tip.HitTest(&host, CPoint(10, 10), &hit));
  EXPECT_EQ(hit.uId, 5u);
  EXPECT_FALSE(host.tip.HitTest(&host, CPoint(150, 10), &hit));
  CRect moved(0, 100, 100, 200);
  host.tip.SetToolRect(&host, 5, &moved);
  EXPECT_TRUE(host.tip.HitTest(&host, CPoint(10, 150), &hit));
  host.tip.DelTool(&host, 6);
  EXPECT_FALSE(Shown());
  EXPECT_EQ(host.tip.GetToolCount(), 1);
}

TEST_F(TooltipTest, DelaysAndColours) {
  struct Case {
    DWORD which;
    int set;
    int initial, autopop, reshow;
  } cases[] = {
      {TTDT_AUTOMATIC, 300, 300, 3000, 60},
      {TTDT_INITIAL, 50, 50, 3000, 60},
      {TTDT_AUTOPOP, 700, 50, 700, 60},
      {TTDT_RESHOW, 10, 50, 700, 10},
      {TTDT_AUTOMATIC, -1, 500, 5000, 100},
  };
  for (const Case& c : cases) {
    host.tip.SetDelayTime(c.which, c.set);
    EXPECT_EQ(host.tip.GetDelayTime(TTDT_INITIAL), c.initial) << c.which << " " << c.set;
    EXPECT_EQ(host.tip.GetDelayTime(TTDT_AUTOPOP), c.autopop) << c.which << " " << c.set;
    EXPECT_EQ(host.tip.GetDelayTime(TTDT_RESHOW), c.reshow) << c.which << " " << c.set;
  }
  host.tip.SetDelayTime(100u);
  host.tip.AddTool(CWnd::FromHandle(button), "Quick");
  Hover(button, 120);
  EXPECT_TRUE(Shown());
  host.tip.SetTipBkColor(RGB(1, 2, 3));
  host.tip.SetTipTextColor(RGB(4, 5, 6));
  EXPECT_EQ(host.tip.GetTipBkColor(), RGB(1, 2, 3));
  EXPECT_EQ(host.tip.GetTipTextColor(), RGB(4, 5, 6));
  EXPECT_EQ(host.tip.SetMaxTipWidth(200), -1);
  EXPECT_EQ(host.tip.GetMaxTipWidth(), 200);
  host.tip.Pop();
  EXPECT_FALSE(Shown());
}

TEST_F(TooltipTest, BadToolDescriptionsAreRefused) {
  TOOLINFO ti{};
  ti.cbSize = 8;
  ti.hwnd = host.m_hWnd;
  EXPECT_FALSE(::SendMessage(host.tip.m_hWnd, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&ti)));
  EXPECT_FALSE(::SendMessage(host.tip.m_hWnd, TTM_ADDTOOL, 0, 0));
  EXPECT_EQ(host.tip.GetToolCount(), 0);
  MSG junk{};
  host.tip.RelayEvent(&junk);
  host.tip.RelayEvent(nullptr);
  EXPECT_FALSE(Shown());
}

// The toolbar's own tooltip asks the toolbar's owner, with the button's
// command as idFrom; the look of a toolbar with its tip shown is saved.
TEST_F(TooltipTest, AToolbarsTooltipAsksItsOwnerByCommand) {
  CToolBarCtrl bar;
  ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE |
                             CCS_NOPARENTALIGN,
                         CRect(10, 80, 200, 110), &host, 4906));
  TBBUTTON b[3] = {{0, 23301, TBSTATE_ENABLED | TBSTATE_CHECKED, TBSTYLE_CHECKGROUP, {}, 0, -1},
                   {1, 23302, TBSTATE_ENABLED, TBSTYLE_CHECKGROUP, {}, 0, -1},
                   {2, 23303, TBSTATE_ENABLED, TBSTYLE_CHECKGROUP, {}, 0, -1}};
  ASSERT_TRUE(bar.AddButtons(3, b));
  HBITMAP strip = CreateBitmap(48, 15, 1, 1, nullptr);
  CBitmap* pStrip = CBitmap::FromHandle(strip);
  EXPECT_EQ(bar.AddBitmap(3, pStrip), 0);
  host.answer = "Erase";
  CRect r;
  bar.GetItemRect(1, &r);
  Hover(bar.m_hWnd, 600, r.CenterPoint().x, r.CenterPoint().y);
  ASSERT_FALSE(host.asked.empty());
  EXPECT_EQ(host.asked.back().code, TTN_NEEDTEXTA);
  EXPECT_EQ(host.asked.back().idFrom, 23302u);
  CToolTipCtrl* tips = bar.GetToolTips();
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(host.asked.back().from, tips->m_hWnd);
  EXPECT_TRUE(IsWindowVisible(tips->m_hWnd));
  EXPECT_EQ(DialogHarness::Text(tips->m_hWnd), "Erase");
  EXPECT_EQ(bar.GetHotItem(), 1);

  POINT corner = DialogHarness::At(host.m_hWnd, 0, 60);
  EXPECT_TRUE(kytest::SaveZoomed(kytest::DumpDir() + "/toolbar-tooltip.png", corner, 300, 110, 3));
  DeleteObject(strip);
}

}  // namespace
