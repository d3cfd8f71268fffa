// Pattern commands in the editor: Copy, Cut, Paste with the enlarge
// question, Arrange paste through its dialog, Clear, Undo, Invert, sizes
// typed into the edits and the keyboard shortcuts.
#include "KyFSLArrangePasteDlg.h"
#include "editdlg_fixture.h"

namespace {

class EditDlgPattern : public EditDlgTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(kytest::AddBitmap(lib, 8, "Check", nullptr, 8, 8));
    Open();
    Command(ID_BRUSH_NEW);  // a clear 32 x 32 pattern in the canvas
  }
  CKyFSLEditWnd& c() { return dlg.m_wndCanvas; }
  bool Bit(int x, int y) {
    int stride = static_cast<int>(c().m_arrBits.GetSize()) / c().m_nHeight;
    return (c().m_arrBits[(c().m_nHeight - 1 - y) * stride + x / 8] >> (7 - x % 8)) & 1;
  }
  int SetBits() {
    int n = 0;
    for (int y = 0; y < c().m_nHeight; ++y)
      for (int x = 0; x < c().m_nWidth; ++x) n += Bit(x, y);
    return n;
  }
  // A floating block of w x h set pixels at the top-left corner, as a
  // Select drag leaves it.
  void Lift(int w, int h) {
    c().m_rcSelect.SetRect(0, 0, w, h);
    int r = 8 * ((w + 7) / 8);
    c().m_arrFloat.RemoveAll();
    c().m_arrFloat.SetSize(static_cast<INT_PTR>(r) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) c().m_arrFloat[y * r + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
  }
};

TEST_F(EditDlgPattern, CopyAndPasteAFloatingBlock) {
  Command(ID_BRUSH_PASTE);  // nothing copied yet
  EXPECT_TRUE(c().m_arrFloat.IsEmpty());
  Lift(4, 3);
  Command(ID_BRUSH_COPY);
  EXPECT_EQ(c().m_rcCopy, CRect(0, 0, 4, 3));
  EXPECT_EQ(c().m_arrCopy.GetSize(), 24);
  Command(ID_BRUSH_PASTE);  // commits the lifted block, floats the copy
  EXPECT_EQ(SetBits(), 12);
  EXPECT_EQ(c().m_rcSelect, CRect(0, 0, 4, 3));
  EXPECT_EQ(c().m_arrFloat.GetSize(), 24);
  Command(ID_BRUSH_INVERT);  // any command commits the float first
  EXPECT_TRUE(c().m_arrFloat.IsEmpty());
  EXPECT_EQ(SetBits(), 32 * 32 - 12);
}

TEST_F(EditDlgPattern, CutDropsTheLiftedPixels) {
  Lift(5, 5);
  Command(ID_BRUSH_CUT);
  EXPECT_TRUE(c().m_arrFloat.IsEmpty());
  EXPECT_TRUE(c().m_rcSelect.IsRectEmpty());
  EXPECT_EQ(SetBits(), 0);
  EXPECT_EQ(c().m_rcCopy, CRect(0, 0, 5, 5));
}

TEST_F(EditDlgPattern, DeleteKeyDiscardsTheFloatingBlock) {
  Lift(5, 5);
  dlg.m_wndList.SetFocus();
  h.Key(VK_DELETE);
  h.Pump();
  EXPECT_TRUE(c().m_arrFloat.IsEmpty());
  EXPECT_EQ(SetBits(), 0);
}

struct PasteCase {
  const char* name;
  int answer;
  int width, height;  // of the pattern afterwards
  bool floating;
};

// Test listings name the row, not the bytes of the struct.
void PrintTo(const PasteCase& c, std::ostream* os) { *os << c.name; }

class EditDlgPaste : public EditDlgPattern, public testing::WithParamInterface<PasteCase> {};

TEST_P(EditDlgPaste, ABlockLargerThanThePattern) {
  const PasteCase& p = GetParam();
  // A 40 x 10 block copied, pasted into the 32 x 32 pattern.
  Lift(40, 10);
  Command(ID_BRUSH_COPY);
  Command(ID_BRUSH_CUT);
  AnswerBox(p.answer);
  Command(ID_BRUSH_PASTE);
  ASSERT_EQ(boxTexts.size(), 1u);
  EXPECT_EQ(boxTexts[0],
            "The image in the clipboard is larger than the bitmap ,would you like the bitmap enlarged?");
  EXPECT_EQ(c().m_nWidth, p.width);
  EXPECT_EQ(c().m_nHeight, p.height);
  EXPECT_EQ(Text(dlg.m_editWidth), std::to_string(p.width));
  EXPECT_EQ(!c().m_arrFloat.IsEmpty(), p.floating);
  if (!p.floating) return;
  Command(ID_EDITTOOL_PEN);  // a tool change commits the block
  // Cut at the pattern's edge when it was not enlarged.
  EXPECT_EQ(SetBits(), std::min(40, p.width) * 10);
}

INSTANTIATE_TEST_SUITE_P(Answers, EditDlgPaste,
                         testing::Values(PasteCase{"yes", 'Y', 40, 32, true}, PasteCase{"no", 'N', 32, 32, true},
                                         PasteCase{"cancel", VK_ESCAPE, 32, 32, false}),
                         [](const testing::TestParamInfo<PasteCase>& i) { return std::string(i.param.name); });

TEST_F(EditDlgPattern, ArrangePasteTakesTheDialogsValues) {
  Lift(2, 2);
  Command(ID_BRUSH_COPY);
  Command(ID_BRUSH_CUT);
  h.Then([this] {
    EXPECT_EQ(DialogHarness::Text(DialogHarness::Active()), "Arrange Paste");
    h.Type(IDC_ARRANGE_X, "1");
    h.Type(IDC_ARRANGE_Y, "2");
    h.Type(IDC_ARRANGE_X_SPACE, "20");
    h.Type(IDC_ARRANGE_Y_SPACE, "20");
    h.Key(VK_RETURN);
  });
  Command(ID_BRUSH_ARRANGEPASTE);
  // Spaces of 20 need a 40 x 40 pattern; the copies at (1, 2) and (21, 22).
  EXPECT_EQ(c().m_nWidth, 40);
  EXPECT_EQ(c().m_nHeight, 40);
  EXPECT_EQ(Text(dlg.m_editWidth), "40");
  EXPECT_EQ(SetBits(), 8);
  EXPECT_TRUE(Bit(1, 2));
  EXPECT_TRUE(Bit(22, 23));
  EXPECT_FALSE(Bit(0, 0));
}

TEST_F(EditDlgPattern, ArrangePasteClosedWithEscapeStillDelivers) {
  Lift(2, 2);
  Command(ID_BRUSH_COPY);
  Command(ID_BRUSH_CUT);
  h.Then([this] {
    h.Type(IDC_ARRANGE_X, "3");
    h.Type(IDC_ARRANGE_X_SPACE, "999");  // beyond 500: not taken
    h.Key(VK_ESCAPE);
  });
  Command(ID_BRUSH_ARRANGEPASTE);
  EXPECT_EQ(c().m_nWidth, 32);
  EXPECT_TRUE(Bit(3, 0));
  EXPECT_TRUE(Bit(3, 1));
  EXPECT_EQ(SetBits(), 4);  // spaces 0: the second copy lies on the first
}

TEST_F(EditDlgPattern, ArrangePasteValidatesOnEnter) {
  Lift(2, 2);
  Command(ID_BRUSH_COPY);
  h.Then([this] {
    h.Type(IDC_ARRANGE_Y, "201");
    h.Key(VK_RETURN);
  });
  h.Then([this] {
    boxTexts.push_back(DialogHarness::MessageBoxText());
    h.Key(VK_RETURN);
  });
  h.Then([this] {
    EXPECT_EQ(DialogHarness::Text(DialogHarness::Active()), "Arrange Paste");  // still open
    h.Type(IDC_ARRANGE_Y, "4");
    h.Key(VK_RETURN);
  });
  Command(ID_BRUSH_ARRANGEPASTE);
  ASSERT_EQ(boxTexts.size(), 1u);
  EXPECT_NE(boxTexts[0].find("200"), std::string::npos);
  EXPECT_TRUE(Bit(0, 4));
}

TEST_F(EditDlgPattern, ClearUndoAndRedo) {
  Command(ID_BRUSH_INVERT);
  EXPECT_EQ(SetBits(), 1024);
  Command(ID_BRUSH_CLEAR);
  EXPECT_EQ(SetBits(), 0);
  Command(ID_BRUSH_UNDO);
  EXPECT_EQ(SetBits(), 1024);
  Command(ID_BRUSH_UNDO);  // a second Undo redoes
  EXPECT_EQ(SetBits(), 0);
}

TEST_F(EditDlgPattern, SizesTypedIntoTheEdits) {
  Command(ID_BRUSH_INVERT);
  TypeEnter(IDC_EDITOR_WIDTH, "10");
  EXPECT_EQ(c().m_nWidth, 10);
  EXPECT_EQ(c().m_nHeight, 32);
  EXPECT_EQ(c().m_arrBits.GetSize(), 32 * 4);
  EXPECT_EQ(SetBits(), 320);
  Command(ID_BRUSH_UNDO);
  EXPECT_EQ(c().m_nWidth, 32);
  EXPECT_EQ(Text(dlg.m_editWidth), "32");
  // Text that is no size is put back instead of emptying the pattern.
  TypeEnter(IDC_EDITOR_HEIGHT, "tall");
  EXPECT_EQ(c().m_nHeight, 32);
  EXPECT_EQ(Text(dlg.m_editHeight), "32");
  TypeEnter(IDC_EDITOR_HEIGHT, "5000");
  EXPECT_EQ(c().m_nHeight, 32);
}

TEST_F(EditDlgPattern, UndoOnAnEmptyCanvasDoesNothing) {
  c().Clear();
  c().m_nWidth = c().m_nHeight = 0;
  Command(ID_BRUSH_UNDO);
  Command(ID_BRUSH_CLEAR);
  Command(ID_BRUSH_INVERT);
  EXPECT_EQ(c().m_nWidth, 0);
  EXPECT_TRUE(c().m_arrBits.IsEmpty());
  // Sizes typed with no pattern come back as they were.
  TypeEnter(IDC_EDITOR_WIDTH, "12");
  EXPECT_EQ(Text(dlg.m_editWidth), "0");
}

TEST_F(EditDlgPattern, LeftControlShortcutsOnly) {
  Command(ID_BRUSH_INVERT);
  dlg.m_wndList.SetFocus();
  h.Key('Z', {VK_RCONTROL});  // the right Control key: nothing
  h.Pump();
  EXPECT_EQ(SetBits(), 1024);
  h.Key('Z', {VK_LCONTROL});
  h.Pump();
  EXPECT_EQ(SetBits(), 0);
  Lift(3, 3);
  h.Key('C', {VK_LCONTROL});
  h.Pump();
  EXPECT_EQ(c().m_rcCopy, CRect(0, 0, 3, 3));
  h.Key('X', {VK_LCONTROL});
  h.Pump();
  EXPECT_TRUE(c().m_arrFloat.IsEmpty());
  h.Key('V', {VK_LCONTROL});
  h.Pump();
  EXPECT_EQ(c().m_rcSelect, CRect(0, 0, 3, 3));
  EXPECT_FALSE(c().m_arrFloat.IsEmpty());
}

TEST_F(EditDlgPattern, ToolButtonsSetTheCanvasTool) {
  Lift(2, 2);
  Command(ID_EDITTOOL_LINE);
  EXPECT_EQ(c().m_nTool, ID_EDITTOOL_LINE);
  EXPECT_EQ(SetBits(), 4);  // the floating block was committed
  for (UINT id = ID_EDITTOOL_SELECT; id <= ID_EDITTOOL_ELLIPSEFILL; ++id) {
    Command(id);
    EXPECT_EQ(c().m_nTool, static_cast<int>(id));
  }
}

}  // namespace
