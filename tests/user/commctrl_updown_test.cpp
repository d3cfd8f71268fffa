// Up-down controls: the buddy's text (thousands separators unless
// UDS_NOTHOUSANDS), steps by mouse and keys with UDN_DELTAPOS and
// WM_VSCROLL, limits and wrapping, reading the buddy back, alignment
// beside the buddy, and the framework wrapper.
#include "afxcmn.h"
#include "control_fixture.h"
#include "screen_checks.h"

using namespace kytest;

namespace {

using UpDownTest = ControlFixture;
constexpr int kEdit = 50;
constexpr int kSpin = 51;
constexpr DWORD kSpinStyle = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS;

struct Pair {
  HWND edit, spin;
};

class UpDownPairTest : public ControlFixture {
 protected:
  // An edit and its up-down, in place of the pair made before.
  Pair MakePair(DWORD style, int lower, int upper, int pos) {
    for (HWND old : {GetDlgItem(parent, kSpin), GetDlgItem(parent, kEdit)})
      if (old) DestroyWindow(old);
    Pair p;
    p.edit = Make("Edit", "", ES_AUTOHSCROLL, 10, 10, 80, 20, kEdit, WS_EX_CLIENTEDGE);
    p.spin = Make(UPDOWN_CLASS, "", style, 0, 0, 16, 16, kSpin);
    SendMessage(p.spin, UDM_SETRANGE32, static_cast<WPARAM>(lower), upper);
    SendMessage(p.spin, UDM_SETPOS32, 0, pos);
    scrolls.clear();
    notifies.clear();
    return p;
  }
  POINT UpArrow(HWND spin) {
    RECT r;
    GetClientRect(spin, &r);
    return DialogHarness::At(spin, r.right / 2, 2);
  }
  POINT DownArrow(HWND spin) {
    RECT r;
    GetClientRect(spin, &r);
    return DialogHarness::At(spin, r.right / 2, r.bottom - 3);
  }
};

TEST_F(UpDownPairTest, TheBuddyShowsThePositionWithThousandsSeparators) {
  struct Case {
    const char* name;
    DWORD extra;
    int pos;
    const char* text;
  } cases[] = {
      {"grouped", 0, 1024, "1,024"},
      {"nine digits", 0, 999999999, "999,999,999"},
      {"three digits", 0, 999, "999"},
      {"negative", 0, -12345, "-12,345"},
      {"no thousands", UDS_NOTHOUSANDS, 1024, "1024"},
  };
  for (const Case& c : cases) {
    Pair p = MakePair(kSpinStyle | c.extra, -999999999, 999999999, c.pos);
    EXPECT_EQ(DialogHarness::Text(p.edit), c.text) << c.name;
    EXPECT_EQ(SendMessage(p.spin, UDM_GETBUDDY, 0, 0), reinterpret_cast<LRESULT>(p.edit)) << c.name;
  }
}

TEST_F(UpDownPairTest, ARangeOf8To999999999Shows1024AndStepsByClicks) {
  Pair p = MakePair(kSpinStyle, 8, 999999999, 1024);
  EXPECT_EQ(DialogHarness::Text(p.edit), "1,024");
  // Aligned right, the edit gives up the spin's width less its two-pixel edge, which the spin covers.
  EXPECT_EQ(EdgesIn(p.edit, parent), Edges({10, 10, 10 + 80 - 16 + 2, 30}));
  EXPECT_EQ(EdgesIn(p.spin, parent), Edges({10 + 80 - 16, 10, 10 + 80, 30}));
  int lo = 0, hi = 0;
  SendMessage(p.spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lo), reinterpret_cast<LPARAM>(&hi));
  EXPECT_EQ(lo, 8);
  EXPECT_EQ(hi, 999999999);

  ClickNow(UpArrow(p.spin));
  EXPECT_EQ(DialogHarness::Text(p.edit), "1,025");
  EXPECT_EQ(NotifyCodes(kSpin), (std::vector<UINT>{UDN_DELTAPOS}));
  EXPECT_EQ(notifies[0].iPos, 1024);
  EXPECT_EQ(notifies[0].iDelta, 1);
  std::vector<ScrollRecord> want{{WM_VSCROLL, SB_THUMBPOSITION, 1025, p.spin}, {WM_VSCROLL, SB_ENDSCROLL, 0, p.spin}};
  EXPECT_EQ(scrolls, want);

  h.Click(DownArrow(p.spin));
  ClickNow(DownArrow(p.spin));
  EXPECT_EQ(DialogHarness::Text(p.edit), "1,023");
  EXPECT_EQ(SendMessage(p.spin, UDM_GETPOS32, 0, 0), 1023);
  EXPECT_EQ(notifies.back().iDelta, -1);
}

TEST_F(UpDownPairTest, TheBuddysTextIsReadBackBeforeEachStep) {
  Pair p = MakePair(kSpinStyle, 0, 100000, 5);
  SetWindowText(p.edit, "2,000");
  BOOL error = TRUE;
  EXPECT_EQ(SendMessage(p.spin, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)), 2000);
  EXPECT_FALSE(error);
  ClickNow(UpArrow(p.spin));
  EXPECT_EQ(DialogHarness::Text(p.edit), "2,001");
  // Text that is not a number in range leaves the position and reports an error.
  for (const char* bad : {"abc", "", "200001", "12x"}) {
    SetWindowText(p.edit, bad);
    EXPECT_EQ(SendMessage(p.spin, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&error)), 2001) << bad;
    EXPECT_TRUE(error) << bad;
    EXPECT_EQ(HIWORD(SendMessage(p.spin, UDM_GETPOS, 0, 0)), 1) << bad;
  }
}

TEST_F(UpDownPairTest, LimitsStopOrWrapAndTheParentMayRefuseAStep) {
  Pair p = MakePair(kSpinStyle, 0, 3, 3);
  ClickNow(UpArrow(p.spin));
  EXPECT_EQ(SendMessage(p.spin, UDM_GETPOS32, 0, 0), 3);
  EXPECT_EQ(scrolls, (std::vector<ScrollRecord>{{WM_VSCROLL, SB_ENDSCROLL, 0, p.spin}}));  // nothing moved

  p = MakePair(kSpinStyle | UDS_WRAP, 0, 3, 3);
  ClickNow(UpArrow(p.spin));
  EXPECT_EQ(SendMessage(p.spin, UDM_GETPOS32, 0, 0), 0);
  ClickNow(DownArrow(p.spin));
  EXPECT_EQ(SendMessage(p.spin, UDM_GETPOS32, 0, 0), 3);

  onNotify = [](NMHDR* hdr) -> LRESULT { return hdr->code == UDN_DELTAPOS; };
  ClickNow(DownArrow(p.spin));
  EXPECT_EQ(SendMessage(p.spin, UDM_GETPOS32, 0, 0), 3);
  // The parent may change the step instead.
  onNotify = [](NMHDR* hdr) -> LRESULT {
    if (hdr->code == UDN_DELTAPOS) reinterpret_cast<NMUPDOWN*>(hdr)->iDelta = -2;
    return 0;
  };
  ClickNow(DownArrow(p.spin));
  EXPECT_EQ(SendMessage(p.spin, UDM_GETPOS32, 0, 0), 1);
}

TEST_F(UpDownPairTest, ArrowKeysInTheBuddyStep) {
  Pair p = MakePair(kSpinStyle, 0, 3600, 10);
  SetFocus(p.edit);
  KeysNow({VK_UP, VK_UP, VK_DOWN});
  EXPECT_EQ(DialogHarness::Text(p.edit), "11");
  EXPECT_EQ(SendMessage(p.edit, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
  // Without UDS_ARROWKEYS the buddy's keys are its own.
  p = MakePair(UDS_SETBUDDYINT | UDS_AUTOBUDDY, 0, 3600, 10);
  SetFocus(p.edit);
  KeysNow({VK_UP});
  EXPECT_EQ(DialogHarness::Text(p.edit), "10");
}

TEST_F(UpDownTest, TheDefaultRangeRunsDownwardAndSixteenBitCallsPackTheirValues) {
  HWND spin = Make(UPDOWN_CLASS, "", 0, 10, 10, 16, 30, kSpin);
  EXPECT_EQ(SendMessage(spin, UDM_GETRANGE, 0, 0), MAKELONG(0, 100));  // upper 0, lower 100
  EXPECT_EQ(SendMessage(spin, UDM_SETPOS, 0, MAKELPARAM(50, 0)), 0);
  RECT r;
  GetClientRect(spin, &r);
  h.Click(DialogHarness::At(spin, 5, 2));  // the up arrow moves toward upper: down
  h.Pump();
  EXPECT_EQ(LOWORD(SendMessage(spin, UDM_GETPOS, 0, 0)), 49);
  SendMessage(spin, UDM_SETRANGE, 0, MAKELPARAM(10, -10));
  EXPECT_EQ(static_cast<DWORD>(SendMessage(spin, UDM_GETRANGE, 0, 0)), static_cast<DWORD>(MAKELONG(10, static_cast<WORD>(-10))));
  EXPECT_EQ(SendMessage(spin, UDM_SETPOS, 0, MAKELPARAM(99, 0)), 49);  // the old position
  EXPECT_EQ(LOWORD(SendMessage(spin, UDM_GETPOS, 0, 0)), 10);          // clamped
  EXPECT_EQ(SendMessage(spin, UDM_SETBASE, 7, 0), 0);                  // only 10 and 16
  EXPECT_EQ(SendMessage(spin, UDM_GETBASE, 0, 0), 10);
}

TEST_F(UpDownTest, TheWrapperSetsBuddyRangeBaseAndAccelerators) {
  CWnd* owner = CWnd::FromHandle(parent);
  CEdit edit;
  ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_BORDER, CRect(10, 10, 90, 30), owner, kEdit));
  CSpinButtonCtrl spin;
  ASSERT_TRUE(spin.Create(WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT, CRect(0, 0, 16, 16), owner, kSpin));
  EXPECT_EQ(spin.SetBuddy(&edit), nullptr);
  EXPECT_EQ(spin.GetBuddy()->m_hWnd, edit.m_hWnd);
  spin.SetRange32(0, 999);
  int lo = -1, hi = -1;
  spin.GetRange32(lo, hi);
  EXPECT_EQ(lo, 0);
  EXPECT_EQ(hi, 999);
  spin.SetRange(-5, 5);
  spin.GetRange(lo, hi);
  EXPECT_EQ(lo, -5);
  EXPECT_EQ(hi, 5);
  spin.SetRange32(0, 99999);
  EXPECT_EQ(spin.SetPos32(1024), 0);
  EXPECT_EQ(DialogHarness::Text(edit.m_hWnd), "1,024");
  EXPECT_EQ(spin.SetBase(16), 10);
  EXPECT_EQ(DialogHarness::Text(edit.m_hWnd), "0x0400");
  EXPECT_EQ(spin.GetPos32(), 1024);
  UDACCEL accel[2] = {{0, 10}, {1, 100}};
  EXPECT_TRUE(spin.SetAccel(2, accel));
  UDACCEL back[3] = {};
  EXPECT_EQ(spin.GetAccel(3, back), 2u);
  EXPECT_EQ(back[1].nInc, 100u);
  spin.DestroyWindow();
  edit.DestroyWindow();
}

}  // namespace
