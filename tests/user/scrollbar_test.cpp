// Scroll bars of windows and the scroll bar control.
#include "control_fixture.h"

namespace {

using ScrollBarTest = ControlFixture;

TEST_F(ScrollBarTest, InfoIsClampedToTheRangeAndPage) {
  HWND s = Make("ScrollBar", "", SBS_HORZ, 10, 10, 200, 16, 50);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 20, 95, 0};
  EXPECT_EQ(SetScrollInfo(s, SB_CTL, &si, TRUE), 81);  // the last position is 100 - 20 + 1
  SCROLLINFO out{sizeof out, SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(s, SB_CTL, &out));
  EXPECT_EQ(out.nMax, 100);
  EXPECT_EQ(out.nPage, 20u);
  EXPECT_EQ(out.nPos, 81);
  EXPECT_EQ(SetScrollPos(s, SB_CTL, -5, TRUE), 81);
  EXPECT_EQ(GetScrollPos(s, SB_CTL), 0);
}

TEST_F(ScrollBarTest, ClicksOnTheArrowsAndTrackAreReportedToTheParent) {
  HWND s = Make("ScrollBar", "", SBS_HORZ, 10, 10, 200, 16, 51);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 50, 0};
  SetScrollInfo(s, SB_CTL, &si, TRUE);
  h.Click(DialogHarness::At(s, 5, 8));    // left arrow
  h.Click(DialogHarness::At(s, 195, 8));  // right arrow
  h.Click(DialogHarness::At(s, 30, 8));   // the track left of the thumb
  h.Pump();
  std::vector<int> codes;
  for (const ScrollRecord& r : scrolls) {
    EXPECT_EQ(r.msg, static_cast<UINT>(WM_HSCROLL));
    codes.push_back(r.code);
  }
  EXPECT_EQ(codes,
            (std::vector<int>{SB_LINELEFT, SB_ENDSCROLL, SB_LINERIGHT, SB_ENDSCROLL, SB_PAGELEFT, SB_ENDSCROLL}));
}

TEST_F(ScrollBarTest, WindowScrollBarsShowWhenTheRangeNeedsThem) {
  HWND w = Make("Static", "", SS_LEFT, 10, 10, 100, 100, 52);
  RECT before;
  GetClientRect(w, &before);
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE, 0, 9, 5, 0, 0};
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  EXPECT_TRUE(GetWindowLong(w, GWL_STYLE) & WS_VSCROLL);
  RECT after;
  GetClientRect(w, &after);
  EXPECT_EQ(after.right, before.right - GetSystemMetrics(SM_CXVSCROLL));
  si.nPage = 10;
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  EXPECT_FALSE(GetWindowLong(w, GWL_STYLE) & WS_VSCROLL);
}

}  // namespace
