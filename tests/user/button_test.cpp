// Buttons: clicks, check boxes, radio groups, owner drawing, and a button
// destroyed inside its own notification.
#include "control_fixture.h"

namespace {

using ButtonTest = ControlFixture;

TEST_F(ButtonTest, ACheckBoxClickTogglesItAndTellsTheParent) {
  HWND b = Make("Button", "Check", BS_AUTOCHECKBOX | WS_TABSTOP, 10, 10, 100, 20, 7);
  ClickNow(DialogHarness::Centre(b));
  EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(Codes(7), (std::vector<Notice>{{7, BN_CLICKED}}));
  EXPECT_EQ(GetFocus(), b);
  ClickNow(DialogHarness::Centre(b));
  EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(Codes(7).size(), 2u);

  // Setting the check from code tells nobody; BM_CLICK is a click.
  notices.clear();
  SendMessage(b, BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(notices.empty());
  SendMessage(b, BM_CLICK, 0, 0);
  EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(Codes(7).size(), 1u);
}

TEST_F(ButtonTest, AReleaseOutsideIsNoClick) {
  HWND b = Make("Button", "Push", BS_PUSHBUTTON, 10, 10, 80, 24, 8);
  h.Press(DialogHarness::Centre(b));
  h.Pump();
  EXPECT_TRUE(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
  h.MoveTo(POINT{300, 300});
  h.Release(POINT{300, 300});
  h.Pump();
  EXPECT_FALSE(SendMessage(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
  EXPECT_TRUE(Codes(8).empty());
}

TEST_F(ButtonTest, AutoRadioButtonsTakeTheCheckFromTheirGroup) {
  HWND a = Make("Button", "A", BS_AUTORADIOBUTTON | WS_GROUP, 10, 10, 80, 20, 1);
  HWND b = Make("Button", "B", BS_AUTORADIOBUTTON, 10, 30, 80, 20, 2);
  HWND c = Make("Button", "C", BS_AUTORADIOBUTTON, 10, 50, 80, 20, 3);
  HWND other = Make("Button", "D", BS_AUTORADIOBUTTON | WS_GROUP, 10, 70, 80, 20, 4);
  SendMessage(a, BM_SETCHECK, BST_CHECKED, 0);
  SendMessage(other, BM_SETCHECK, BST_CHECKED, 0);
  ClickNow(DialogHarness::Centre(c));
  EXPECT_EQ(SendMessage(a, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessage(b, BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(SendMessage(c, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(SendMessage(other, BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(ButtonTest, OwnerDrawnButtonsAreToldWhatChanged) {
  HWND b = Make("Button", "", BS_OWNERDRAW, 10, 10, 40, 20, 9);
  h.Pump();
  ASSERT_FALSE(draws.empty());
  EXPECT_EQ(draws[0].type, static_cast<UINT>(ODT_BUTTON));
  EXPECT_EQ(draws[0].id, 9u);
  EXPECT_EQ(draws[0].action, static_cast<UINT>(ODA_DRAWENTIRE));
  draws.clear();
  h.Press(DialogHarness::Centre(b));
  h.Pump();
  // The press: the focus arrives, then the selection.
  bool sawFocus = false, sawSelect = false;
  for (const DrawRecord& d : draws) {
    if (d.action == ODA_FOCUS && (d.state & ODS_FOCUS)) sawFocus = true;
    if (d.action == ODA_SELECT && (d.state & ODS_SELECTED)) sawSelect = true;
  }
  EXPECT_TRUE(sawFocus);
  EXPECT_TRUE(sawSelect);
  draws.clear();
  h.Release(DialogHarness::Centre(b));
  h.Pump();
  ASSERT_FALSE(draws.empty());
  EXPECT_EQ(draws.back().action, static_cast<UINT>(ODA_SELECT));
  EXPECT_FALSE(draws.back().state & ODS_SELECTED);
  EXPECT_EQ(Codes(9), (std::vector<Notice>{{9, BN_CLICKED}}));
  EnableWindow(b, FALSE);
  draws.clear();
  h.Pump();
  ASSERT_FALSE(draws.empty());
  EXPECT_TRUE(draws.back().state & ODS_DISABLED);
}

TEST_F(ButtonTest, AButtonDestroyedInItsOwnNotificationDoesNoHarm) {
  HWND b = Make("Button", "Bye", BS_PUSHBUTTON, 10, 10, 80, 24, 5);
  onCommand = [](UINT, UINT, HWND from) { DestroyWindow(from); };
  ClickNow(DialogHarness::Centre(b));
  EXPECT_FALSE(IsWindow(b));
  EXPECT_EQ(Codes(5).size(), 1u);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ButtonTest, GroupBoxesLetClicksThrough) {
  HWND box = Make("Button", "Group", BS_GROUPBOX, 10, 10, 200, 100, 10);
  (void)box;
  HWND inside = Make("Button", "In", BS_AUTOCHECKBOX, 20, 30, 80, 20, 11);
  EXPECT_EQ(WindowFromPoint(DialogHarness::Centre(inside)), inside);
  POINT onBox{60 + 150, 50 + 90};
  EXPECT_EQ(WindowFromPoint(onBox), parent);
}

}  // namespace
