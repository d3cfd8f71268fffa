// Combo boxes: drop-down lists, editable drop-downs with their edit child,
// owner-drawn items with strings, and the CB_ messages.
#include "control_fixture.h"

namespace {

using ComboBoxTest = ControlFixture;

int Add(HWND c, const char* s) { return static_cast<int>(SendMessage(c, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s))); }

TEST_F(ComboBoxTest, ADropDownListOpensOnAClickAndReportsTheChoice) {
  HWND c = Make("ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL, 10, 10, 120, 120, 40);
  for (const char* s : {"None", "Linear", "Radial"}) Add(c, s);
  RECT wr;
  GetWindowRect(c, &wr);
  EXPECT_LT(wr.bottom - wr.top, 40);  // the window is only the selection field
  ClickNow(DialogHarness::Centre(c));
  ASSERT_TRUE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0));
  // The list shows under the box; pick its third item.
  RECT dropped;
  SendMessage(c, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  int itemH = static_cast<int>(SendMessage(c, CB_GETITEMHEIGHT, 0, 0));
  POINT p{wr.left + 10, wr.bottom + 1 + itemH * 2 + itemH / 2};
  h.MoveTo(p);
  ClickNow(p);
  EXPECT_FALSE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0));
  EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 2);
  EXPECT_EQ(DialogHarness::Text(c), "Radial");
  std::vector<Notice> want{{40, CBN_SETFOCUS}, {40, CBN_DROPDOWN}, {40, CBN_SELCHANGE}, {40, CBN_SELENDOK},
                           {40, CBN_CLOSEUP}};
  EXPECT_EQ(Codes(40), want);
}

TEST_F(ComboBoxTest, ArrowKeysChangeTheSelectionOfAClosedList) {
  HWND c = Make("ComboBox", "", CBS_DROPDOWNLIST, 10, 10, 120, 120, 41);
  for (const char* s : {"a", "b", "c"}) Add(c, s);
  SendMessage(c, CB_SETCURSEL, 0, 0);
  SetFocus(c);
  notices.clear();
  KeysNow({VK_DOWN});
  EXPECT_EQ(SendMessage(c, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(Codes(41), (std::vector<Notice>{{41, CBN_SELCHANGE}}));
  // Escape closes a dropped list without a choice.
  KeysNow({VK_F4, VK_DOWN});
  KeysNow({VK_ESCAPE});
  EXPECT_FALSE(SendMessage(c, CB_GETDROPPEDSTATE, 0, 0));
}

TEST_F(ComboBoxTest, AnEditableDropDownTypesIntoItsEditChild) {
  HWND c = Make("ComboBox", "", CBS_DROPDOWN | CBS_AUTOHSCROLL, 10, 10, 120, 120, 42);
  HWND edit = GetDlgItem(c, 1001);
  ASSERT_NE(edit, nullptr);
  Add(c, "23");
  Add(c, "24");
  h.Click(DialogHarness::Centre(edit));
  h.Type("2");
  h.Pump();
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(DialogHarness::Text(c), "2");
  std::vector<Notice> c42 = Codes(42);
  EXPECT_NE(std::find(c42.begin(), c42.end(), Notice{42, CBN_EDITCHANGE}), c42.end());
  SendMessage(c, CB_SETCURSEL, 1, 0);
  EXPECT_EQ(DialogHarness::Text(edit), "24");
  char buf[8];
  EXPECT_EQ(SendMessage(c, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(buf)), 2);
  EXPECT_STREQ(buf, "23");
  EXPECT_EQ(SendMessage(c, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("24")), 1);
  EXPECT_EQ(SendMessage(c, CB_GETLBTEXT, 7, reinterpret_cast<LPARAM>(buf)), CB_ERR);
}

TEST_F(ComboBoxTest, OwnerDrawnItemsWithStringsAreDrawnByTheParent) {
  measuredHeight = 18;
  HWND c = Make("ComboBox", "", CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 10, 10, 120, 120, 43);
  // The field (-1) and the items (0) are measured.
  EXPECT_EQ(measured, (std::vector<UINT>{static_cast<UINT>(-1), 0u}));
  Add(c, "Hatches");
  Add(c, "Bricks");
  SendMessage(c, CB_SETITEMDATA, 1, 99);
  SendMessage(c, CB_SETCURSEL, 1, 0);
  h.Pump();
  ASSERT_FALSE(draws.empty());
  const DrawRecord& d = draws.back();
  EXPECT_EQ(d.type, static_cast<UINT>(ODT_COMBOBOX));
  EXPECT_EQ(d.id, 43u);
  EXPECT_EQ(d.item, 1u);
  EXPECT_EQ(d.data, 99u);
  EXPECT_TRUE(d.state & ODS_COMBOBOXEDIT);
  char buf[16];
  SendMessage(c, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(buf));
  EXPECT_STREQ(buf, "Hatches");
}

}  // namespace
