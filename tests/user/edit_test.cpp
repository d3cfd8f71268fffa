// Edits: typing, selection, notifications, read-only and multi-line text.
#include "control_fixture.h"

namespace {

using EditTest = ControlFixture;

std::string TextOf(HWND e) { return DialogHarness::Text(e); }

TEST_F(EditTest, TypingInsertsAtTheCaretAndReportsEachChange) {
  HWND e = Make("Edit", "", ES_AUTOHSCROLL, 10, 10, 120, 20, 30, WS_EX_CLIENTEDGE);
  SetFocus(e);
  h.Type("12");
  h.Key(VK_LEFT);
  h.Type("x");
  h.Pump();
  EXPECT_EQ(TextOf(e), "1x2");
  std::vector<Notice> c = Codes(30);
  EXPECT_EQ(std::count(c.begin(), c.end(), Notice{30, EN_CHANGE}), 3);
  EXPECT_TRUE(SendMessage(e, EM_GETMODIFY, 0, 0));
  KeysNow({VK_BACK});
  EXPECT_EQ(TextOf(e), "12");
  h.Key(VK_HOME, {VK_LSHIFT});
  h.Pump();
  DWORD a = 0, b = 0;
  SendMessage(e, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  EXPECT_EQ(a, 0u);
  EXPECT_EQ(b, 1u);
  h.Type("9");
  h.Pump();
  EXPECT_EQ(TextOf(e), "92");
}

TEST_F(EditTest, SetWindowTextOfASingleLineEditReportsAChange) {
  HWND e = Make("Edit", "", 0, 10, 10, 120, 20, 31);
  SetWindowText(e, "100");
  EXPECT_EQ(Codes(31), (std::vector<Notice>{{31, EN_UPDATE}, {31, EN_CHANGE}}));
  EXPECT_FALSE(SendMessage(e, EM_GETMODIFY, 0, 0));
  HWND m = Make("Edit", "", ES_MULTILINE, 10, 40, 120, 40, 32);
  SetWindowText(m, "a\r\nb");
  EXPECT_TRUE(Codes(32).empty());
  EXPECT_EQ(SendMessage(m, EM_GETLINECOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessage(m, EM_LINEINDEX, 1, 0), 3);
}

TEST_F(EditTest, ReadOnlyEditsKeepTheirText) {
  HWND e = Make("Edit", "fixed", ES_READONLY | ES_MULTILINE, 10, 10, 120, 40, 33);
  SetFocus(e);
  h.Type("abc");
  KeysNow({VK_BACK, VK_DELETE});
  EXPECT_EQ(TextOf(e), "fixed");
  EXPECT_TRUE(Codes(33).size() <= 1u);  // at most EN_SETFOCUS
}

TEST_F(EditTest, LimitsNumbersAndUndo) {
  HWND e = Make("Edit", "", ES_NUMBER, 10, 10, 120, 20, 34);
  SendMessage(e, EM_LIMITTEXT, 3, 0);
  SetFocus(e);
  h.Type("1a2345");
  h.Pump();
  EXPECT_EQ(TextOf(e), "123");
  EXPECT_NE(std::find(notices.begin(), notices.end(), Notice{34, EN_MAXTEXT}), notices.end());
  SendMessage(e, EM_SETSEL, 0, -1);
  SendMessage(e, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("7"));
  EXPECT_EQ(TextOf(e), "7");
  EXPECT_TRUE(SendMessage(e, EM_UNDO, 0, 0));
  EXPECT_EQ(TextOf(e), "123");
}

TEST_F(EditTest, AClickPutsTheCaretAndADragSelects) {
  HWND e = Make("Edit", "", 0, 10, 10, 200, 20, 35);
  SetWindowText(e, "abcdef");
  h.Press(DialogHarness::At(e, 1, 5));
  h.MoveTo(DialogHarness::At(e, 190, 5));
  h.Release(DialogHarness::At(e, 190, 5));
  h.Pump();
  DWORD a = 9, b = 9;
  SendMessage(e, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
  EXPECT_EQ(a, 0u);
  EXPECT_EQ(b, 6u);
  EXPECT_EQ(GetFocus(), e);
}

}  // namespace
