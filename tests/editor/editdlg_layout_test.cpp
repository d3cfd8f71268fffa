// The editor's start-up: its controls, the grid and the canvas where they
// belong, the combo boxes filled, the clean state, tooltips of the bars.
#include "editdlg_fixture.h"

namespace {

TEST_F(EditDlgTest, StartsOnTheRootGroup) {
  ASSERT_TRUE(lib.GetStyleGroup()->CreateSubGroup("Bricks"));
  ASSERT_TRUE(kytest::AddBitmap(lib, 20, "Dots"));
  ASSERT_TRUE(kytest::AddBitmap(lib, 9, "Lines"));
  Open();
  if (getenv("KY_SHOT")) DialogHarness::Screenshot(getenv("KY_SHOT"));
  EXPECT_EQ(dlg.m_pGroup, lib.GetStyleGroup());
  EXPECT_EQ(dlg.m_wndList.m_nItemSize, 58);
  EXPECT_EQ(dlg.m_wndList.m_nColumns, 3);
  EXPECT_GT(dlg.m_wndList.m_nRows, 0);
  EXPECT_EQ(Entries(dlg.m_comboCode), (std::vector<std::string>{"", "20", "9"}));
  EXPECT_EQ(Entries(dlg.m_comboName), (std::vector<std::string>{"Bricks", "Dots", "Lines"}));
  EXPECT_FALSE(dlg.m_bModified);
  EXPECT_TRUE(dlg.m_strPath.IsEmpty());
  EXPECT_EQ(dlg.m_wndCanvas.m_nCellSize, 6);
}

// Each button of the command bar and of the tool palette lies where a click
// reaches it: the window under its centre is its own bar, not the other.
TEST_F(EditDlgTest, EveryBarButtonCanBeClicked) {
  Open();
  struct Bar {
    HWND hwnd;
    int count;
  };
  CToolBarCtrl& commands = dlg.m_wndCommandBar.GetToolBarCtrl();
  const Bar bars[] = {{dlg.m_wndToolPalette.m_hWnd, dlg.m_wndToolPalette.GetButtonCount()},
                      {commands.m_hWnd, commands.GetButtonCount()}};
  EXPECT_EQ(bars[0].count, 12);
  EXPECT_EQ(bars[1].count, 20);  // 16 buttons, 4 separators
  for (const Bar& bar : bars) {
    for (int i = 0; i < bar.count; ++i) {
      RECT r;
      ASSERT_TRUE(::SendMessage(bar.hwnd, TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)));
      POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
      ::ClientToScreen(bar.hwnd, &p);
      EXPECT_EQ(::WindowFromPoint(p), bar.hwnd) << "button " << i;
    }
  }
  EXPECT_EQ(commands.CommandToIndex(ID_FSL_DIALOG_SETTING), 19u);
}

}  // namespace
