// The tab control: items, selection by code and by input with its
// notifications, hit testing, the display area, and CTabCtrl.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "afxcmn.h"
#include "control_fixture.h"
#include "screen_checks.h"

using namespace kytest;

namespace {

// What the parent was told, with the selection at the time.
struct TabNotice {
  UINT code;
  int selAtTheTime;
  bool operator==(const TabNotice& o) const { return code == o.code && selAtTheTime == o.selAtTheTime; }
};
std::ostream& operator<<(std::ostream& os, const TabNotice& n) {
  return os << "{" << static_cast<int>(n.code) << "," << n.selAtTheTime << "}";
}

class TabTest : public ControlFixture {
 protected:
  void SetUp() override {
    ControlFixture::SetUp();
    tab = Make(WC_TABCONTROL, "", WS_TABSTOP, 10, 10, 300, 200, 42);
    onNotify = [this](NMHDR* nm) -> LRESULT {
      EXPECT_EQ(nm->idFrom, 42u);
      tabNotices.push_back({nm->code, TabCtrl_GetCurSel(nm->hwndFrom)});
      return nm->code == TCN_SELCHANGING && refuse;
    };
  }
  int Insert(int at, const char* text, LPARAM param = 0) {
    TCITEM it{};
    it.mask = TCIF_TEXT | TCIF_PARAM;
    it.pszText = const_cast<char*>(text);
    it.lParam = param;
    return TabCtrl_InsertItem(tab, at, &it);
  }
  std::string TextOf(int i) {
    char buf[64] = {0};
    TCITEM it{};
    it.mask = TCIF_TEXT;
    it.pszText = buf;
    it.cchTextMax = sizeof buf;
    return TabCtrl_GetItem(tab, i, &it) ? std::string(buf) : std::string("<none>");
  }
  POINT TabCentre(int i) {
    RECT r{};
    TabCtrl_GetItemRect(tab, i, &r);
    return DialogHarness::At(tab, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }

  HWND tab = nullptr;
  std::vector<TabNotice> tabNotices;
  bool refuse = false;
};

TEST_F(TabTest, ItemsAreInsertedAtTheirPlaceAndSelectedSilentlyByCode) {
  EXPECT_EQ(TabCtrl_GetCurSel(tab), -1);
  EXPECT_EQ(Insert(0, "Open"), 0);
  EXPECT_EQ(TabCtrl_GetCurSel(tab), 0);
  EXPECT_EQ(Insert(0, "Style"), 0);
  EXPECT_EQ(TabCtrl_GetCurSel(tab), 1);  // the selection stays on "Open"
  EXPECT_EQ(Insert(99, "Last", 7), 2);
  EXPECT_EQ(Insert(-1, "Bad"), -1);
  EXPECT_EQ(TabCtrl_GetItemCount(tab), 3);
  EXPECT_EQ(TextOf(0), "Style");
  EXPECT_EQ(TextOf(1), "Open");
  EXPECT_EQ(TextOf(2), "Last");
  EXPECT_EQ(TextOf(3), "<none>");
  TCITEM it{};
  it.mask = TCIF_PARAM;
  ASSERT_TRUE(TabCtrl_GetItem(tab, 2, &it));
  EXPECT_EQ(it.lParam, 7);
  // Text is cut to the caller's buffer.
  char small[4] = {0};
  it.mask = TCIF_TEXT;
  it.pszText = small;
  it.cchTextMax = sizeof small;
  ASSERT_TRUE(TabCtrl_GetItem(tab, 0, &it));
  EXPECT_STREQ(small, "Sty");
  // Selecting from code answers the previous selection and tells nobody.
  EXPECT_EQ(TabCtrl_SetCurSel(tab, 2), 1);
  EXPECT_EQ(TabCtrl_SetCurSel(tab, 2), 2);
  EXPECT_EQ(TabCtrl_SetCurSel(tab, 3), -1);
  EXPECT_EQ(TabCtrl_GetCurSel(tab), 2);
  EXPECT_TRUE(tabNotices.empty());
}

TEST_F(TabTest, DeletingMovesTheSelectionWithItsItem) {
  Insert(0, "A");
  Insert(1, "B");
  Insert(2, "C");
  TabCtrl_SetCurSel(tab, 2);
  EXPECT_TRUE(TabCtrl_DeleteItem(tab, 0));
  EXPECT_EQ(TabCtrl_GetCurSel(tab), 1);
  EXPECT_TRUE(TabCtrl_DeleteItem(tab, 1));
  EXPECT_EQ(TabCtrl_GetCurSel(tab), -1);
  EXPECT_FALSE(TabCtrl_DeleteItem(tab, 5));
  EXPECT_TRUE(TabCtrl_DeleteAllItems(tab));
  EXPECT_EQ(TabCtrl_GetItemCount(tab), 0);
}

TEST_F(TabTest, AClickAsksTheParentThenSelectsUnlessRefused) {
  Insert(0, "Style");
  Insert(1, "Open");
  struct Case {
    const char* name;
    bool refuse;
    int sel;
    std::vector<TabNotice> told;
  } cases[] = {
      {"refused", true, 0, {{TCN_SELCHANGING, 0}}},
      {"allowed", false, 1, {{TCN_SELCHANGING, 0}, {TCN_SELCHANGE, 1}}},
      {"on the selected tab: nothing", false, 1, {}},
  };
  for (const Case& c : cases) {
    refuse = c.refuse;
    tabNotices.clear();
    ClickNow(TabCentre(1));
    EXPECT_EQ(TabCtrl_GetCurSel(tab), c.sel) << c.name;
    EXPECT_EQ(tabNotices, c.told) << c.name;
  }
}

TEST_F(TabTest, ArrowKeysMoveTheSelectionWithTheFocusOnTheControl) {
  Insert(0, "A");
  Insert(1, "B");
  Insert(2, "C");
  SetFocus(tab);
  h.Key(VK_RIGHT);
  h.Key(VK_RIGHT);
  h.Key(VK_RIGHT);  // past the last: nothing
  h.Pump();
  EXPECT_EQ(TabCtrl_GetCurSel(tab), 2);
  KeysNow({VK_HOME});
  EXPECT_EQ(TabCtrl_GetCurSel(tab), 0);
  EXPECT_EQ(tabNotices.size(), 6u);
  EXPECT_EQ(SendMessage(tab, WM_GETDLGCODE, 0, 0) & DLGC_WANTARROWS, DLGC_WANTARROWS);
}

TEST_F(TabTest, HitTestingItemRectanglesAndTheDisplayArea) {
  Insert(0, "Style");
  Insert(1, "A longer caption");
  RECT r0{}, r1{};
  ASSERT_TRUE(TabCtrl_GetItemRect(tab, 0, &r0));
  ASSERT_TRUE(TabCtrl_GetItemRect(tab, 1, &r1));
  EXPECT_EQ(r0.right, r1.left);
  EXPECT_EQ(r0.top, r1.top);
  EXPECT_GT(r1.right - r1.left, r0.right - r0.left);
  TCHITTESTINFO hit{{(r1.left + r1.right) / 2, (r1.top + r1.bottom) / 2}, 0};
  EXPECT_EQ(TabCtrl_HitTest(tab, &hit), 1);
  EXPECT_EQ(hit.flags, static_cast<UINT>(TCHT_ONITEMLABEL));
  hit.pt = POINT{250, 150};
  EXPECT_EQ(TabCtrl_HitTest(tab, &hit), -1);
  EXPECT_EQ(hit.flags, static_cast<UINT>(TCHT_NOWHERE));
  EXPECT_EQ(TabCtrl_GetRowCount(tab), 1);
  // The display area goes both ways.
  RECT r{0, 0, 300, 200};
  TabCtrl_AdjustRect(tab, FALSE, &r);
  EXPECT_EQ(Edges(r), Edges({4, r.top, 296, 196}));
  EXPECT_GT(r.top, r0.bottom);  // below the row of tabs
  TabCtrl_AdjustRect(tab, TRUE, &r);
  EXPECT_EQ(Edges(r), Edges({0, 0, 300, 200}));
}

TEST_F(TabTest, TheSelectedTabIsDrawnRaisedAndJoinedToTheBody) {
  Insert(0, "Style");
  Insert(1, "Open");
  h.Pump();  // paints
  RECT r0{};
  TabCtrl_GetItemRect(tab, 0, &r0);
  POINT o = DialogHarness::At(tab, 0, 0);
  // The body's top edge is a highlight line except under the selected tab.
  EXPECT_TRUE(DialogHarness::Screenshot(testing::TempDir() + "tab_control.png"));
  DWORD face = PixelAt(POINT{o.x + (r0.left + r0.right) / 2, o.y + r0.bottom});
  EXPECT_NE(face, PixelAt(POINT{o.x + r0.right + 10, o.y + r0.bottom}));
  EXPECT_EQ(face, ScreenPixel(GetSysColor(COLOR_3DFACE)));
}

TEST_F(TabTest, TheWrapperInsertsAndSelects) {
  CTabCtrl tab;
  ASSERT_TRUE(tab.Create(WS_CHILD | WS_VISIBLE, CRect(5, 5, 250, 150), CWnd::FromHandle(parent), 7));
  EXPECT_TRUE(tab.IsKindOf(RUNTIME_CLASS(CTabCtrl)));
  EXPECT_TRUE(tab.IsKindOf(RUNTIME_CLASS(CWnd)));
  EXPECT_EQ(tab.InsertItem(0, "Style"), 0);
  EXPECT_EQ(tab.InsertItem(1, "Open"), 1);
  EXPECT_EQ(tab.InsertItem(TCIF_TEXT | TCIF_PARAM, 2, "Third", 0, 99), 2);
  EXPECT_EQ(tab.GetItemCount(), 3);
  EXPECT_EQ(tab.SetCurSel(2), 0);
  EXPECT_EQ(tab.GetCurSel(), 2);
  TCITEM it{};
  it.mask = TCIF_PARAM;
  ASSERT_TRUE(tab.GetItem(2, &it));
  EXPECT_EQ(it.lParam, 99);
  CRect r(0, 0, 200, 100);
  tab.AdjustRect(FALSE, &r);
  EXPECT_EQ(r.left, 4);
  EXPECT_TRUE(tab.DeleteItem(0));
  EXPECT_EQ(tab.GetCurSel(), 1);
  tab.DestroyWindow();
}

}  // namespace
