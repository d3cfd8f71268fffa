// Styles in the editor: drawing and Save ("<<") back into the edited cell,
// Save as ("<--") into the selected one, codes typed by the user, New
// fillStyle, New subgroup and Delete with each answer to "Go up?".
#include "editdlg_fixture.h"

namespace {

class EditDlgStyles : public EditDlgTest {
 protected:
  void SetUp() override {
    CKyFillStyleGroup* root = lib.GetStyleGroup();
    sub = root->CreateSubGroup("Bricks");
    ASSERT_TRUE(sub);
    ASSERT_TRUE(kytest::AddBitmap(lib, 8, "Plain", nullptr, 8, 8));
    ASSERT_TRUE(kytest::AddBitmap(lib, 9, "Check", nullptr, 16, 12));
    ASSERT_TRUE(kytest::AddBitmap(lib, 30, "Brick wall", sub, 20, 10));
    Open();
  }
  // Clicks pattern cell (x, y) of the canvas with the current tool.
  void ClickCanvas(int x, int y, int button = VK_LBUTTON) {
    int c = dlg.m_wndCanvas.m_nCellSize;
    h.Click(DialogHarness::At(dlg.m_wndCanvas, x * c + c / 2, y * c + c / 2), button);
    h.Pump();
  }
  // The pattern bit of the record with the id, or -1 without such a record.
  int RecordBit(long id, int x, int y) {
    CKyFillStyle* s = lib.GetFillStyle(lib.FindID(id));
    if (!s) return -1;
    CByteArray b;
    s->GetBMPArray(b);
    int w = static_cast<int>(b[18] | b[19] << 8), hgt = static_cast<int>(b[22] | b[23] << 8);
    int stride = ((w + 31) / 32) * 4;
    BYTE byte = b[62 + (hgt - 1 - y) * stride + x / 8];
    return (byte >> (7 - x % 8)) & 1;
  }
  CKyFillStyleGroup* sub = nullptr;
};

TEST_F(EditDlgStyles, DrawAndSaveWritesTheRecordBack) {
  ClickCell(1);  // "Plain", a checkerboard: (0,0) clear, (1,0) set
  Button(IDC_EDITOR_SAVE);  // no cell edited yet: nothing
  EXPECT_FALSE(dlg.m_bModified);
  Button(IDC_EDITOR_EDIT);
  ASSERT_EQ(RecordBit(8, 0, 0), 0);
  ClickCanvas(0, 0);  // the pen sets the cell
  EXPECT_EQ(dlg.m_wndCanvas.m_arrBits[(8 - 1) * 4] & 0x80, 0x80);
  EXPECT_EQ(RecordBit(8, 0, 0), 0);  // not in the library yet
  h.Type(IDC_EDITOR_NAME, "Plain dark", dlg.m_hWnd);
  Button(IDC_EDITOR_SAVE);
  EXPECT_EQ(RecordBit(8, 0, 0), 1);
  EXPECT_EQ(RecordBit(8, 1, 0), 1);
  CKyFillStyle* s = lib.GetFillStyle(lib.FindID(8));
  ASSERT_TRUE(s);
  EXPECT_EQ(s->GetFillStyleName(), "Plain dark");
  EXPECT_EQ(s->GetResolution(), CKyFillStyle::FS_81DPI);
  EXPECT_EQ(kytest::Items(lib.GetStyleGroup()), (std::vector<long>{8, 9}));
  EXPECT_EQ(Entries(dlg.m_comboName)[1], "Plain dark");
  EXPECT_EQ(dlg.m_comboCode.GetCurSel(), 1);
  EXPECT_TRUE(dlg.m_bModified);
  EXPECT_TRUE(lib.IsModified());
  // The record is the canvas's BMP image byte for byte.
  CByteArray canvas, record;
  dlg.m_wndCanvas.ToByteBuffer(canvas);
  s->GetBMPArray(record);
  ASSERT_EQ(canvas.GetSize(), record.GetSize());
  for (INT_PTR i = 0; i < canvas.GetSize(); ++i) ASSERT_EQ(canvas[i], record[i]) << i;
}

TEST_F(EditDlgStyles, SaveUnderAnotherStylesCodeTakesTheNextFreeIdAndSeparatorsAreRead) {
  ClickCell(1);
  Button(IDC_EDITOR_EDIT);
  h.Type(IDC_EDITOR_CODE, "9", dlg.m_hWnd);
  Button(IDC_EDITOR_SAVE);
  // 8 was replaced by a record numbered max + 1; 9 is untouched.
  EXPECT_EQ(lib.FindID(8), -1);
  EXPECT_GE(lib.FindID(31), 0);
  EXPECT_EQ(kytest::Items(lib.GetStyleGroup()), (std::vector<long>{31, 9}));
  EXPECT_EQ(Entries(dlg.m_comboCode)[1], "31");
  EXPECT_EQ(Text(dlg.m_editCode), "9");  // Save shows the new id in the combo only
  // Thousands separators are read; Enter in the code edit saves.
  ClickCell(1);
  Button(IDC_EDITOR_EDIT);
  h.Type(IDC_EDITOR_CODE, "1,024", dlg.m_hWnd);
  h.Key(VK_RETURN);
  h.Pump();
  EXPECT_GE(lib.FindID(1024), 0);
  EXPECT_EQ(lib.FindID(31), -1);
  EXPECT_EQ(Entries(dlg.m_comboCode)[1], "1024");
}

TEST_F(EditDlgStyles, CodesTheLibraryCannotTakeAreReported) {
  ClickCell(1);
  Button(IDC_EDITOR_EDIT);
  for (const char* bad : {"abc", "-5", "7", "4294967296", "12x"}) {
    boxTexts.clear();
    h.Type(IDC_EDITOR_CODE, bad, dlg.m_hWnd);
    AnswerBox(VK_RETURN);
    Button(IDC_EDITOR_SAVE);
    ASSERT_EQ(boxTexts.size(), 1u) << bad;
    EXPECT_EQ(boxTexts[0], "The code must be a whole number of 8 or more.") << bad;
    EXPECT_GE(lib.FindID(8), 0) << bad;
    EXPECT_EQ(lib.GetCount(), 3) << bad;
  }
  EXPECT_FALSE(dlg.m_bModified);
}

TEST_F(EditDlgStyles, SaveAsReplacesTheSelectedStyle) {
  ClickCell(1);
  Button(IDC_EDITOR_EDIT);  // "Plain" in the canvas
  ClickCell(2);             // "Check" selected
  Button(IDC_EDITOR_SAVE_AS);
  // Check's record now holds Plain's pattern under the code typed (8 is
  // taken, so it becomes max + 1 = 31).
  EXPECT_EQ(lib.FindID(9), -1);
  EXPECT_EQ(kytest::Items(lib.GetStyleGroup()), (std::vector<long>{8, 31}));
  EXPECT_EQ(lib.GetFillStyleSize(lib.FindID(31)), CSize(8, 8));
  EXPECT_EQ(Text(dlg.m_editCode), "31");  // Save as shows it in the edit too
  EXPECT_EQ(Entries(dlg.m_comboCode)[2], "31");
  EXPECT_EQ(dlg.m_wndList.m_nEditIndex, 2);
}

TEST_F(EditDlgStyles, SaveAsOnTheNewCellAppendsAndOnAGroupFilesIntoIt) {
  ClickCell(2);
  Button(IDC_EDITOR_EDIT);  // "Check"
  h.Type(IDC_EDITOR_CODE, "40", dlg.m_hWnd);
  ClickCell(3);  // the new-style cell
  Button(IDC_EDITOR_SAVE_AS);
  EXPECT_EQ(kytest::Items(lib.GetStyleGroup()), (std::vector<long>{8, 9, 40}));
  EXPECT_EQ(lib.GetCount(), 4);
  h.Type(IDC_EDITOR_CODE, "41", dlg.m_hWnd);
  ClickCell(0);  // the sub-group
  Button(IDC_EDITOR_SAVE_AS);
  EXPECT_EQ(kytest::Items(sub), (std::vector<long>{30, 41}));
  EXPECT_EQ(lib.GetCount(), 5);
}

TEST_F(EditDlgStyles, NewFillStyleMakesA32By32Style) {
  Command(ID_BRUSH_NEW);
  ASSERT_EQ(lib.GetCount(), 4);
  long id = 31;  // the largest id + 1
  CKyFillStyle* s = lib.GetFillStyle(lib.FindID(id));
  ASSERT_TRUE(s);
  EXPECT_EQ(s->GetFillStyleName(), "New FillStyle");
  CByteArray b;
  s->GetBMPArray(b);
  EXPECT_EQ(b.GetSize(), 190);  // 62 + 32 rows of 4 bytes
  EXPECT_EQ(lib.GetFillStyleSize(lib.FindID(id)), CSize(32, 32));
  EXPECT_EQ(Text(dlg.m_editCode), "31");
  EXPECT_EQ(Text(dlg.m_editName), "New FillStyle");
  EXPECT_EQ(Text(dlg.m_editWidth), "32");
  EXPECT_EQ(dlg.m_wndList.m_nSelIndex, 3);
  EXPECT_EQ(dlg.m_wndList.m_nEditIndex, 3);
  EXPECT_EQ(Entries(dlg.m_comboCode), (std::vector<std::string>{"", "8", "9", "31"}));
  EXPECT_TRUE(dlg.m_bModified);
}

TEST_F(EditDlgStyles, EditOnTheNewCellOfAnEmptyLibraryStartsAtEight) {
  dlg.DestroyWindow();
  CKyFillStyleLib empty;
  CKyFSLEditDlg fresh;
  fresh.AttachKyFillStyleLib(&empty);
  ASSERT_TRUE(fresh.Create(nullptr));
  fresh.ShowWindow(SW_SHOW);
  h.Pump();
  CRect r = fresh.m_wndList.CellRect(0);
  h.DoubleClick(DialogHarness::At(fresh.m_wndList, r.CenterPoint().x, r.CenterPoint().y));
  h.Pump();
  EXPECT_EQ(empty.GetCount(), 1);
  EXPECT_GE(empty.FindID(8), 0);
  fresh.DestroyWindow();
}

TEST_F(EditDlgStyles, NewSubgroupIsNumberedAndCountsAsAChange) {
  Command(ID_BRUSHLIB_SUBGROUP);
  CKyFillStyleGroup* root = lib.GetStyleGroup();
  ASSERT_EQ(root->GetSubGroupCount(), 2);
  EXPECT_EQ(root->SubGroup(1)->GetName(), "New Group2");
  EXPECT_EQ(Entries(dlg.m_comboName), (std::vector<std::string>{"Bricks", "New Group2", "Plain", "Check"}));
  EXPECT_EQ(dlg.m_wndList.m_nSelIndex, 1);
  EXPECT_TRUE(dlg.m_bModified);
}

TEST_F(EditDlgStyles, RenamingTheGroupWithEnter) {
  TypeEnter(IDC_EDITOR_GROUP, "All styles");
  EXPECT_EQ(lib.GetStyleGroup()->GetName(), "All styles");
  EXPECT_TRUE(dlg.m_bModified);
  // A name the tree refuses (a sibling has it) is put back.
  DoubleClickCell(0);
  ASSERT_TRUE(lib.GetStyleGroup()->CreateSubGroup("Taken"));
  TypeEnter(IDC_EDITOR_GROUP, "Taken");
  EXPECT_EQ(sub->GetName(), "Bricks");
  EXPECT_EQ(Text(dlg.m_editGroup), "Bricks");
}

struct DeleteCase {
  const char* name;
  int answer;  // 'Y', 'N' or VK_ESCAPE
};

// Test listings name the row, not the bytes of the struct.
void PrintTo(const DeleteCase& c, std::ostream* os) { *os << c.name; }

class EditDlgDeleteStyle : public EditDlgStyles, public testing::WithParamInterface<DeleteCase> {};

TEST_P(EditDlgDeleteStyle, InASubGroupAsksGoUp) {
  const DeleteCase& c = GetParam();
  DoubleClickCell(0);  // into "Bricks"
  ClickCell(1);        // "Brick wall"
  AnswerBox(c.answer);
  Command(ID_BRUSH_DELETE);
  ASSERT_EQ(boxTexts.size(), 1u) << c.name;
  EXPECT_EQ(boxTexts[0], "Go up?");
  if (c.answer == 'Y') {
    EXPECT_TRUE(kytest::Items(sub).empty());
    EXPECT_EQ(kytest::Items(lib.GetStyleGroup()), (std::vector<long>{8, 9, 30}));
    EXPECT_EQ(lib.GetCount(), 3);
  } else if (c.answer == 'N') {
    EXPECT_TRUE(kytest::Items(sub).empty());
    EXPECT_EQ(lib.FindID(30), -1);
    EXPECT_EQ(lib.GetCount(), 2);
  } else {
    EXPECT_EQ(kytest::Items(sub), (std::vector<long>{30}));
    EXPECT_FALSE(dlg.m_bModified);
    return;
  }
  // The last style went: the cell before it is selected.
  EXPECT_EQ(dlg.m_wndList.m_nSelIndex, 0);
  EXPECT_EQ(dlg.m_wndList.m_nEditIndex, -1);
  EXPECT_EQ(Entries(dlg.m_comboName), (std::vector<std::string>{" .. "}));
  EXPECT_TRUE(dlg.m_bModified);
}

TEST_P(EditDlgDeleteStyle, ASubGroupWithContentAsksGoUp) {
  const DeleteCase& c = GetParam();
  ClickCell(0);
  AnswerBox(c.answer);
  Command(ID_BRUSH_DELETE);
  ASSERT_EQ(boxTexts.size(), 1u);
  CKyFillStyleGroup* root = lib.GetStyleGroup();
  if (c.answer == 'Y') {
    EXPECT_EQ(root->GetSubGroupCount(), 0);
    EXPECT_EQ(kytest::Items(root), (std::vector<long>{8, 9, 30}));
  } else if (c.answer == 'N') {
    EXPECT_EQ(root->GetSubGroupCount(), 0);
    EXPECT_EQ(lib.FindID(30), -1);
  } else {
    EXPECT_EQ(root->GetSubGroupCount(), 1);
    EXPECT_EQ(lib.GetCount(), 3);
  }
}

INSTANTIATE_TEST_SUITE_P(Answers, EditDlgDeleteStyle,
                         testing::Values(DeleteCase{"yes", 'Y'}, DeleteCase{"no", 'N'},
                                         DeleteCase{"cancel", VK_ESCAPE}),
                         [](const testing::TestParamInfo<DeleteCase>& i) { return std::string(i.param.name); });

TEST_F(EditDlgStyles, DeleteInTheRootAsksNothing) {
  ClickCell(2);  // "Check", the last style
  Command(ID_BRUSH_DELETE);
  EXPECT_TRUE(boxTexts.empty());
  EXPECT_EQ(lib.FindID(9), -1);
  EXPECT_EQ(dlg.m_wndList.m_nSelIndex, 1);
  // Delete on the new-style cell and with nothing selected does nothing.
  ClickCell(2);
  Command(ID_BRUSH_DELETE);
  h.Click(CellPoint(0), VK_RBUTTON);
  h.Pump();
  Command(ID_BRUSH_DELETE);
  EXPECT_EQ(lib.GetCount(), 2);
}

TEST_F(EditDlgStyles, DeletingEveryStyleLeavesAnEmptyLibraryToWorkOn) {
  ClickCell(2);
  Command(ID_BRUSH_DELETE);
  ClickCell(1);
  Command(ID_BRUSH_DELETE);
  DoubleClickCell(0);
  ClickCell(1);
  AnswerBox('N');
  Command(ID_BRUSH_DELETE);
  EXPECT_EQ(lib.GetCount(), 0);
  // Save of an empty library writes nothing and asks nothing.
  Command(ID_BRUSHLIB_SAVE);
  EXPECT_EQ(boxTexts.size(), 1u);
  EXPECT_TRUE(dlg.m_strPath.IsEmpty());
}

}  // namespace
