// List boxes: sorting, finding, selection by mouse and keys with their
// notifications, owner drawing, and multi-column layout with its scroll bar.
#include "control_fixture.h"

namespace {

using ListBoxTest = ControlFixture;

int Add(HWND l, const char* s) { return static_cast<int>(SendMessage(l, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s))); }
std::string TextOf(HWND l, int i) {
  char buf[64] = {0};
  SendMessage(l, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
  return buf;
}

TEST_F(ListBoxTest, SortedListsInsertInOrderWithoutCase) {
  HWND l = Make("ListBox", "", LBS_SORT | LBS_NOTIFY | WS_VSCROLL, 10, 10, 120, 100, 20);
  EXPECT_EQ(Add(l, "pear"), 0);
  EXPECT_EQ(Add(l, "Apple"), 0);
  EXPECT_EQ(Add(l, "fig"), 1);
  EXPECT_EQ(Add(l, "banana"), 1);
  EXPECT_EQ(TextOf(l, 0), "Apple");
  EXPECT_EQ(TextOf(l, 3), "pear");
  EXPECT_EQ(SendMessage(l, LB_GETCOUNT, 0, 0), 4);
  EXPECT_EQ(SendMessage(l, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("F")), 2);
  EXPECT_EQ(SendMessage(l, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("PEAR")), 3);
  EXPECT_EQ(SendMessage(l, LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("kiwi")), LB_ERR);
  // Bad indices fail.
  EXPECT_EQ(SendMessage(l, LB_SETCURSEL, 5, 0), LB_ERR);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), LB_ERR);
  EXPECT_EQ(SendMessage(l, LB_DELETESTRING, 4, 0), LB_ERR);
  EXPECT_EQ(SendMessage(l, LB_GETTEXTLEN, 9, 0), LB_ERR);
  EXPECT_EQ(SendMessage(l, LB_GETITEMDATA, static_cast<WPARAM>(-2), 0), LB_ERR);
  EXPECT_EQ(SendMessage(l, LB_SETITEMHEIGHT, 0, 300), LB_ERR);
  // LB_SELECTSTRING searches after the start and wraps.
  EXPECT_EQ(SendMessage(l, LB_SELECTSTRING, 2, reinterpret_cast<LPARAM>("b")), 1);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(notices.empty());  // selections by code are not reported
  EXPECT_EQ(SendMessage(l, LB_DELETESTRING, 0, 0), 3);  // the count left
}

TEST_F(ListBoxTest, ADoubleClickSendsDblClkAfterSelChange) {
  HWND l = Make("ListBox", "", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 10, 10, 120, 100, 21);
  SendMessage(l, LB_SETITEMHEIGHT, 0, 16);
  for (const char* s : {"a", "b", "c"}) Add(l, s);
  h.DoubleClick(DialogHarness::At(l, 20, 16 + 8));
  h.Pump();
  std::vector<Notice> want{{21, LBN_SETFOCUS}, {21, LBN_SELCHANGE}, {21, LBN_DBLCLK}};
  EXPECT_EQ(Codes(21), want);
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 1);
}

TEST_F(ListBoxTest, ArrowKeysMoveTheSelectionAndFocusLossIsReported) {
  HWND l = Make("ListBox", "", LBS_NOTIFY, 10, 10, 120, 100, 22);
  HWND other = Make("Button", "x", BS_PUSHBUTTON, 200, 10, 50, 20, 23);
  for (const char* s : {"a", "b", "c"}) Add(l, s);
  SetFocus(l);
  SendMessage(l, LB_SETCURSEL, 0, 0);
  notices.clear();
  h.Key(VK_DOWN);
  h.Key(VK_DOWN);
  h.Key(VK_DOWN);  // stays on the last
  h.Pump();
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(Codes(22).size(), 3u);
  SetFocus(other);
  EXPECT_EQ(Codes(22).back(), (Notice{22, LBN_KILLFOCUS}));
}

TEST_F(ListBoxTest, OwnerDrawFixedListsMeasureOnceAndDrawBySelection) {
  measuredHeight = 30;
  HWND l = Make("ListBox", "", LBS_OWNERDRAWFIXED | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 10, 10, 120, 100, 24);
  EXPECT_EQ(measured, (std::vector<UINT>{0}));
  EXPECT_EQ(SendMessage(l, LB_GETITEMHEIGHT, 0, 0), 30);
  // Without LBS_HASSTRINGS the "string" is the item data.
  SendMessage(l, LB_ADDSTRING, 0, 0x1234);
  SendMessage(l, LB_ADDSTRING, 0, 0x5678);
  EXPECT_EQ(SendMessage(l, LB_GETITEMDATA, 1, 0), 0x5678);
  h.Pump();
  ASSERT_GE(draws.size(), 2u);
  EXPECT_EQ(draws[0].type, static_cast<UINT>(ODT_LISTBOX));
  EXPECT_EQ(draws[0].action, static_cast<UINT>(ODA_DRAWENTIRE));
  EXPECT_EQ(draws[1].data, 0x5678u);
  draws.clear();
  SendMessage(l, LB_SETCURSEL, 1, 0);
  ASSERT_FALSE(draws.empty());
  EXPECT_EQ(draws.back().item, 1u);
  EXPECT_EQ(draws.back().action, static_cast<UINT>(ODA_SELECT));
  EXPECT_TRUE(draws.back().state & ODS_SELECTED);
  RECT r;
  ASSERT_EQ(SendMessage(l, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r)), 1);
  EXPECT_EQ(r.top, 30);
  EXPECT_EQ(r.bottom, 60);
}

TEST_F(ListBoxTest, MultiColumnListsFillColumnsAndScrollSideways) {
  HWND l = Make("ListBox", "", LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | WS_HSCROLL, 10, 10, 204, 120, 25,
                WS_EX_CLIENTEDGE);
  SendMessage(l, LB_SETITEMHEIGHT, 0, 40);
  SendMessage(l, LB_SETCOLUMNWIDTH, 50, 0);
  for (int i = 0; i < 20; ++i) Add(l, "");
  RECT cr;
  GetClientRect(l, &cr);
  int rows = cr.bottom / 40;
  ASSERT_GE(rows, 1);
  RECT r;
  SendMessage(l, LB_GETITEMRECT, static_cast<WPARAM>(rows), reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.left, 50);  // the first item of the second column
  EXPECT_EQ(r.top, 0);
  EXPECT_TRUE(GetWindowLong(l, GWL_STYLE) & WS_HSCROLL);  // 20 items do not fit 4 columns
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(l, SB_HORZ, &si));
  EXPECT_EQ(si.nMax, (20 + rows - 1) / rows - 1);
  EXPECT_EQ(si.nPage, static_cast<UINT>(cr.right / 50));
  SendMessage(l, WM_HSCROLL, SB_LINERIGHT, 0);
  EXPECT_EQ(SendMessage(l, LB_GETTOPINDEX, 0, 0), rows);
  SendMessage(l, LB_SETCURSEL, 19, 0);  // scrolls the last item into view
  SendMessage(l, LB_GETITEMRECT, 19, reinterpret_cast<LPARAM>(&r));
  EXPECT_LE(r.right, cr.right);
  EXPECT_GE(r.left, 0);
  // Right arrow moves a column.
  SetFocus(l);
  SendMessage(l, LB_SETCURSEL, 0, 0);
  KeysNow({VK_RIGHT});
  EXPECT_EQ(SendMessage(l, LB_GETCURSEL, 0, 0), rows);
}

TEST_F(ListBoxTest, AListDestroyedInItsOwnNotificationDoesNoHarm) {
  HWND l = Make("ListBox", "", LBS_NOTIFY, 10, 10, 120, 100, 26);
  for (const char* s : {"a", "b"}) Add(l, s);
  onCommand = [](UINT, UINT code, HWND from) {
    if (code == LBN_SELCHANGE) DestroyWindow(from);
  };
  h.DoubleClick(DialogHarness::At(l, 10, 5));
  KeysNow({VK_DOWN});
  EXPECT_FALSE(IsWindow(l));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(Codes(26).back(), (Notice{26, LBN_SELCHANGE}));
}
}  // namespace
