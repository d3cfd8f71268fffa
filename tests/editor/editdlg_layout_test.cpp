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

}  // namespace
