// Browsing in the editor: into a sub-group and back with "..", selecting
// cells by clicking and through the code and name boxes, finding a style by
// its code or name from the keyboard, Edit into the canvas.
#include "editdlg_fixture.h"

namespace {

class EditDlgBrowse : public EditDlgTest {
 protected:
  void SetUp() override {
    CKyFillStyleGroup* root = lib.GetStyleGroup();
    sub = root->CreateSubGroup("Bricks");
    ASSERT_TRUE(sub);
    ASSERT_TRUE(root->CreateSubGroup("Dots"));
    ASSERT_TRUE(kytest::AddBitmap(lib, 8, "Plain", nullptr, 8, 8));
    ASSERT_TRUE(kytest::AddBitmap(lib, 9, "Check", nullptr, 16, 12));
    ASSERT_TRUE(kytest::AddBitmap(lib, 30, "Brick wall", sub, 20, 10));
    ASSERT_TRUE(kytest::AddBitmap(lib, 31, "Brick small", sub));
    Open();
  }
  CKyFillStyleGroup* sub = nullptr;
};

TEST_F(EditDlgBrowse, IntoASubGroupAndBackWithTheUpCell) {
  ClickCell(0);
  EXPECT_EQ(dlg.m_wndList.m_nSelIndex, 0);
  DoubleClickCell(0);
  EXPECT_EQ(dlg.m_pGroup, sub);
  EXPECT_EQ(Text(dlg.m_editGroup), "Bricks");
  EXPECT_EQ(Entries(dlg.m_comboCode), (std::vector<std::string>{"", "30", "31"}));
  EXPECT_EQ(Entries(dlg.m_comboName), (std::vector<std::string>{" .. ", "Brick wall", "Brick small"}));
  EXPECT_EQ(dlg.m_wndList.m_nSelIndex, -1);
  EXPECT_EQ(dlg.m_wndList.m_nEditIndex, -1);
  // Cell 0 is now the up cell.
  ClickCell(0);
  DoubleClickCell(0);
  EXPECT_EQ(dlg.m_pGroup, lib.GetStyleGroup());
  EXPECT_EQ(dlg.m_wndList.m_nSelIndex, -1);
  EXPECT_EQ(dlg.m_wndList.m_nTopIndex, 0);
  EXPECT_EQ(Entries(dlg.m_comboName), (std::vector<std::string>{"Bricks", "Dots", "Plain", "Check"}));
}

TEST_F(EditDlgBrowse, ClicksShowTheSizeAndSelectInBothBoxes) {
  ClickCell(3);  // "Check", 16 x 12
  EXPECT_EQ(dlg.m_comboCode.GetCurSel(), 3);
  EXPECT_EQ(dlg.m_comboName.GetCurSel(), 3);
  EXPECT_EQ(DialogHarness::Text(IDC_EDITOR_SEL_WIDTH, dlg.m_hWnd), "16");
  EXPECT_EQ(DialogHarness::Text(IDC_EDITOR_SEL_HEIGHT, dlg.m_hWnd), "12");
  ClickCell(4);  // the new-style cell: nothing in the boxes, no size
  EXPECT_EQ(dlg.m_wndList.m_nSelIndex, 4);
  EXPECT_EQ(dlg.m_comboCode.GetCurSel(), -1);
  EXPECT_EQ(DialogHarness::Text(IDC_EDITOR_SEL_WIDTH, dlg.m_hWnd), "0");
  h.Click(CellPoint(1), VK_RBUTTON);
  h.Pump();
  EXPECT_EQ(dlg.m_wndList.m_nSelIndex, -1);
  EXPECT_EQ(dlg.m_comboName.GetCurSel(), -1);
}

TEST_F(EditDlgBrowse, ChoosingInTheNameBoxSelectsTheCell) {
  ClickCell(2);
  PickFromCombo(dlg.m_comboName, 3);
  EXPECT_EQ(dlg.m_comboName.GetCurSel(), 3);
  EXPECT_EQ(dlg.m_wndList.m_nSelIndex, 3);
  EXPECT_EQ(dlg.m_comboCode.GetCurSel(), 3);
  PickFromCombo(dlg.m_comboCode, 1);
  EXPECT_EQ(dlg.m_wndList.m_nSelIndex, 1);
  EXPECT_EQ(dlg.m_comboName.GetCurSel(), 1);
}

TEST_F(EditDlgBrowse, EnterInTheCodeBoxFindsAStyleInAnotherGroup) {
  h.Type(IDC_EDITOR_CODE_COMBO, "31", dlg.m_hWnd);
  h.Key(VK_RETURN);
  h.Pump();
  EXPECT_EQ(dlg.m_pGroup, sub);
  EXPECT_EQ(Text(dlg.m_editGroup), "Bricks");
  EXPECT_EQ(dlg.m_wndList.m_nSelIndex, 2);  // ".." and "Brick wall" before it
  EXPECT_EQ(dlg.m_wndList.m_nEditIndex, 2);
  EXPECT_EQ(Text(dlg.m_editCode), "31");  // and its style is in the canvas
  EXPECT_EQ(dlg.m_wndCanvas.m_nWidth, 8);
  // A code nobody has changes nothing.
  h.Type(IDC_EDITOR_CODE_COMBO, "777", dlg.m_hWnd);
  h.Key(VK_RETURN);
  h.Pump();
  EXPECT_EQ(dlg.m_pGroup, sub);
  EXPECT_EQ(dlg.m_wndList.m_nSelIndex, 2);
}

TEST_F(EditDlgBrowse, EnterInTheNameBoxSearchesOnFromTheSelection) {
  h.Type(IDC_EDITOR_NAME_COMBO, "brick", dlg.m_hWnd);
  h.Key(VK_RETURN);
  h.Pump();
  EXPECT_EQ(dlg.m_pGroup, sub);
  EXPECT_EQ(dlg.m_wndList.m_nSelIndex, 1);  // "Brick wall"
  h.Type(IDC_EDITOR_NAME_COMBO, "brick", dlg.m_hWnd);
  h.Key(VK_RETURN);
  h.Pump();
  EXPECT_EQ(dlg.m_wndList.m_nSelIndex, 2);  // "Brick small", after the selected one
}

TEST_F(EditDlgBrowse, EditLoadsTheStyleIntoTheCanvas) {
  ClickCell(3);
  Button(IDC_EDITOR_EDIT);
  EXPECT_EQ(dlg.m_wndList.m_nEditIndex, 3);
  EXPECT_EQ(dlg.m_wndCanvas.m_nWidth, 16);
  EXPECT_EQ(dlg.m_wndCanvas.m_nHeight, 12);
  EXPECT_EQ(Text(dlg.m_editCode), "9");
  EXPECT_EQ(Text(dlg.m_editName), "Check");
  EXPECT_EQ(Text(dlg.m_editWidth), "16");
  EXPECT_EQ(Text(dlg.m_editHeight), "12");
  // The canvas holds the record's pattern bit for bit.
  CByteArray canvas, record;
  ASSERT_TRUE(dlg.m_wndCanvas.ToByteBuffer(canvas));
  lib.GetFillStyle(lib.FindID(9))->GetBMPArray(record);
  ASSERT_EQ(canvas.GetSize(), record.GetSize());
  for (INT_PTR i = 62; i < canvas.GetSize(); ++i) ASSERT_EQ(canvas[i], record[i]) << i;
  // Going into a group forgets the edited cell but keeps the canvas.
  ClickCell(0);
  DoubleClickCell(0);
  EXPECT_EQ(dlg.m_wndList.m_nEditIndex, -1);
  EXPECT_EQ(dlg.m_wndCanvas.m_nWidth, 16);
}

TEST_F(EditDlgBrowse, DoubleClickOnAStyleEditsIt) {
  DoubleClickCell(2);
  EXPECT_EQ(dlg.m_wndList.m_nEditIndex, 2);
  EXPECT_EQ(Text(dlg.m_editName), "Plain");
  EXPECT_EQ(dlg.m_wndCanvas.m_nWidth, 8);
}

TEST_F(EditDlgBrowse, ASymbolStyleGoesToTheCanvasAsACopy) {
  CKyFillStyle* vector = kytest::AddVector(lib, 40, "Stars", 1);
  ASSERT_TRUE(vector);
  dlg.AddCodes();
  dlg.m_wndList.ReDraw();
  ClickCell(4);
  Button(IDC_EDITOR_EDIT);
  ASSERT_TRUE(dlg.m_wndCanvas.m_pVectorStyle);
  EXPECT_NE(dlg.m_wndCanvas.m_pVectorStyle, vector);
  EXPECT_EQ(dlg.m_wndCanvas.m_pVectorStyle->GetFillStyleID(), 40);
  EXPECT_EQ(Text(dlg.m_editWidth), "0");
  EXPECT_EQ(dlg.m_wndList.m_nEditIndex, 4);
}

TEST_F(EditDlgBrowse, AStyleWhosePatternIsNoImageIsReported) {
  CByteArray junk;
  for (int i = 0; i < 70; ++i) junk.Add(static_cast<BYTE>(i));
  auto* bad = new CKyFillStyle(50, "Broken", junk, CKyFillStyle::FS_81DPI);
  ASSERT_TRUE(lib.AddFillStyle(bad, lib.GetStyleGroup()));
  dlg.AddCodes();
  ClickCell(4);
  AnswerBox(VK_RETURN);
  Button(IDC_EDITOR_EDIT);
  ASSERT_EQ(boxTexts.size(), 1u);
  EXPECT_EQ(boxTexts[0], "This fill style cannot be loaded into the editor.");
  EXPECT_EQ(dlg.m_wndList.m_nEditIndex, -1);
}

}  // namespace
