// Symbol patterns made and changed through the editor: "New symbol
// fillStyle" with and without a symbol, a resource symbol chosen for two
// styles (copied into the library once), an own symbol that names the
// style, Cancel, and the canvas copy of a symbol style changed by a double
// click without reaching the library.
#include "KySampleSymbols.h"
#include "KySymbol.h"
#include "KyZod50Res.h"
#include "editdlg_fixture.h"

namespace {

class SymbolStyles : public EditDlgTest {
 protected:
  void SetUp() override {
    res = KySampleSymbols();
    lib.m_pResSymLib = &res;
    ASSERT_TRUE(kytest::AddBitmap(lib, 8, "Plain"));
    ASSERT_TRUE(kytest::AddBitmap(lib, 56, "Grass"));
  }
  // In the symbol dialog: sizes typed, points added, a symbol index picked
  // (-1: none), then OK.
  void FillDialog(int width, int height, std::vector<CPoint> points, int pick) {
    h.Then([this, width, height] {
      h.Type(IDC_SYMBOL_WIDTH, std::to_string(width));
      h.Type(IDC_SYMBOL_HEIGHT, std::to_string(height));
    });
    for (CPoint p : points) {
      h.Then([this, p] {
        h.Type(IDC_SYMBOL_POINT_X, std::to_string(p.x));
        h.Type(IDC_SYMBOL_POINT_Y, std::to_string(p.y));
        h.Click(IDC_SYMBOL_ADD);
      });
    }
    if (pick >= 0) {
      h.Then([this] { h.Click(IDC_SYMBOL_SELECT); });
      h.Then([this, pick] { PickInPicker(pick); });
    }
    h.Then([this] { h.Click(IDOK); });
  }
  // Double-clicks the picker's cell of an index (own symbols are shown
  // first, so the cell is the index while every own symbol is counted).
  void PickInPicker(int cell) {
    HWND list = DialogHarness::Item(IDC_KYZOD_SYMBOLS);
    pickerSelections.push_back(static_cast<int>(SendMessage(list, LB_GETCURSEL, 0, 0)));
    RECT r{};
    SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(cell), reinterpret_cast<LPARAM>(&r));
    h.DoubleClick(DialogHarness::At(list, (r.left + r.right) / 2, (r.top + r.bottom) / 2));
  }
  CKyFillStyle* Style(long id) { return lib.GetFillStyle(lib.FindID(id)); }

  CKySymLib res;
  std::vector<int> pickerSelections;
};

TEST_F(SymbolStyles, WithoutASymbolTheStyleGetsSymbolZeroAndItsIdAsName) {
  Open();
  FillDialog(120, 80, {CPoint(10, 20), CPoint(60, 50)}, -1);
  Command(ID_FSL_EDITTOOL_SYMBOL);
  EXPECT_EQ(h.StepsLeft(), 0u);
  CKyFillStyle* s = Style(57);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->GetFillStyleName(), "57");
  CKyFillStyleVector* v = s->GetFillStyleVector();
  ASSERT_TRUE(v);
  EXPECT_EQ(v->GetWidth(), 120u);
  EXPECT_EQ(v->GetHeight(), 80u);
  EXPECT_EQ(v->GetSymSize(), 60);
  EXPECT_EQ(v->GetSymAngle(), 0);
  EXPECT_EQ(v->GetSymID(), 0);
  ASSERT_EQ(v->GetPointCount(), 2);
  EXPECT_EQ(v->GetPoint(0), CPoint(10, 20));
  EXPECT_EQ(v->GetPoint(1), CPoint(60, 50));
  EXPECT_EQ(kytest::Items(lib.GetStyleGroup()), (std::vector<long>{8, 56, 57}));
  // The new cell is selected, nothing is edited, both boxes know the style.
  EXPECT_EQ(dlg.m_wndList.m_nSelIndex, 2);
  EXPECT_EQ(dlg.m_wndList.m_nEditIndex, -1);
  EXPECT_EQ(Entries(dlg.m_comboCode), (std::vector<std::string>{"8", "56", "57"}));
  EXPECT_EQ(Entries(dlg.m_comboName), (std::vector<std::string>{"Plain", "Grass", "57"}));
  EXPECT_TRUE(dlg.m_bModified);
  EXPECT_EQ(lib.GetSymLib()->GetSymbolCount(), 0);
}

TEST_F(SymbolStyles, AResourceSymbolChosenTwiceIsCopiedOnce) {
  Open();
  ASSERT_EQ(dlg.m_nSymCount, 0);
  FillDialog(100, 100, {CPoint(25, 25)}, 2);  // the star
  Command(ID_FSL_EDITTOOL_SYMBOL);
  FillDialog(50, 50, {CPoint(5, 5)}, 2);
  Command(ID_FSL_EDITTOOL_SYMBOL);
  EXPECT_EQ(h.StepsLeft(), 0u);
  ASSERT_EQ(lib.GetSymLib()->GetSymbolCount(), 1);
  const long own = lib.GetSymLib()->GetSymbolID(0);
  EXPECT_EQ(own, 10);
  EXPECT_EQ(lib.GetSymLib()->GetSymbolEx(10)->GetSymName(), "star");
  // The copy is the resource symbol, strokes and all, under its new id.
  CKySymbol expected(*res.GetSymbolEx(kySampleStar));
  expected.SetSymId(10);
  EXPECT_TRUE(*lib.GetSymLib()->GetSymbolEx(10) == expected);
  ASSERT_TRUE(Style(57) && Style(58));
  EXPECT_EQ(Style(57)->GetFillStyleVector()->GetSymID(), own);
  EXPECT_EQ(Style(58)->GetFillStyleVector()->GetSymID(), own);
  EXPECT_EQ(Style(57)->GetFillStyleName(), "star");
  EXPECT_EQ(Style(58)->GetFillStyleName(), "star");
  ASSERT_EQ(dlg.m_arrAddedSymbols.GetSize(), 1);
  EXPECT_EQ(dlg.m_arrAddedSymbols[0], static_cast<DWORD>(kySampleStar));
  // The picker opened with nothing chosen each time.
  EXPECT_EQ(pickerSelections, (std::vector<int>{-1, -1}));
  // The library's own symbols are stored with it.
  std::string path = testing::TempDir() + "symboldlg_two.bru";
  ASSERT_TRUE(lib.Store(path.c_str()));
  CKyFillStyleLib back;
  ASSERT_TRUE(back.Load(path.c_str()));
  EXPECT_EQ(back.GetSymLib()->GetSymbolCount(), 1);
  EXPECT_EQ(back.GetFillStyle(back.FindID(58))->GetFillStyleVector()->GetSymID(), 10);
}

TEST_F(SymbolStyles, AnOwnSymbolNamesTheStyle) {
  CKySymbol* mine = new CKySymbol(*res.GetSymbolEx(kySampleTree));
  mine->SetSymName("oak");
  const long mineID = lib.AddSymbol(mine);
  ASSERT_GE(mineID, 0);
  Open();
  ASSERT_EQ(dlg.m_nSymCount, 1);
  FillDialog(100, 100, {}, 0);
  Command(ID_FSL_EDITTOOL_SYMBOL);
  ASSERT_TRUE(Style(57));
  EXPECT_EQ(Style(57)->GetFillStyleName(), "oak");
  EXPECT_EQ(Style(57)->GetFillStyleVector()->GetSymID(), mineID);
  EXPECT_EQ(Style(57)->GetFillStyleVector()->GetPointCount(), 0);
  EXPECT_EQ(lib.GetSymLib()->GetSymbolCount(), 1);
  EXPECT_EQ(dlg.m_arrAddedSymbols.GetSize(), 0);
}

TEST_F(SymbolStyles, CancelCreatesNothing) {
  Open();
  h.Then([&] {
    h.Type(IDC_SYMBOL_WIDTH, "300");
    h.Click(IDC_SYMBOL_SELECT);
  });
  h.Then([&] { PickInPicker(1); });
  h.Then([&] { h.Click(IDCANCEL); });
  Command(ID_FSL_EDITTOOL_SYMBOL);
  EXPECT_EQ(h.StepsLeft(), 0u);
  EXPECT_EQ(lib.GetCount(), 2);
  EXPECT_EQ(lib.GetSymLib()->GetSymbolCount(), 0);
  EXPECT_EQ(Entries(dlg.m_comboCode).size(), 2u);
  EXPECT_FALSE(dlg.m_bModified);
  EXPECT_EQ(dlg.m_arrAddedSymbols.GetSize(), 0);
}

TEST_F(SymbolStyles, WithoutAResourceLibraryOnlyOwnSymbolsArePicked) {
  lib.m_pResSymLib = nullptr;
  Open();
  int cells = -1;
  h.Then([&] { h.Click(IDC_SYMBOL_SELECT); });
  h.Then([&] {
    cells = static_cast<int>(SendDlgItemMessage(DialogHarness::Active(), IDC_KYZOD_SYMBOLS, LB_GETCOUNT, 0, 0));
    h.Click(IDOK);  // OK with nothing chosen
  });
  h.Then([&] { h.Click(IDOK); });
  Command(ID_FSL_EDITTOOL_SYMBOL);
  EXPECT_EQ(cells, 0);
  ASSERT_TRUE(Style(57));
  EXPECT_EQ(Style(57)->GetFillStyleVector()->GetSymID(), 0);
}

TEST_F(SymbolStyles, ADoubleClickChangesOnlyTheCanvasCopy) {
  Open();
  FillDialog(100, 80, {CPoint(50, 40)}, 4);  // the reed tuft, copied as own symbol 10
  Command(ID_FSL_EDITTOOL_SYMBOL);
  ASSERT_TRUE(Style(57));
  ClickCell(2);
  Button(IDC_EDITOR_EDIT);
  ASSERT_TRUE(dlg.m_wndCanvas.m_pVectorStyle);
  std::vector<std::string> shown;
  int pointRows = -1;
  h.Then([&] {
    for (int id : {IDC_SYMBOL_WIDTH, IDC_SYMBOL_HEIGHT, IDC_SYMBOL_SIZE, IDC_SYMBOL_POINT_X, IDC_SYMBOL_POINT_Y})
      shown.push_back(DialogHarness::Text(id));
    pointRows = static_cast<int>(SendDlgItemMessage(DialogHarness::Active(), IDC_SYMBOL_POINTS, LVM_GETITEMCOUNT, 0, 0));
    h.Type(IDC_SYMBOL_WIDTH, "140");
    h.Type(IDC_SYMBOL_ANGLE, "450");
    h.Click(IDC_SYMBOL_SELECT);
  });
  // The copy made in this run is shown as the resource symbol it came from.
  h.Then([&] { PickInPicker(4); });
  h.Then([&] { h.Click(IDOK); });
  // Double click inside the tile drawn at the canvas's top-left corner.
  h.DoubleClick(DialogHarness::At(dlg.m_wndCanvas, 10, 10));
  h.Pump();
  EXPECT_EQ(h.StepsLeft(), 0u);
  EXPECT_EQ(shown, (std::vector<std::string>{"100", "80", "60", "50", "40"}));
  EXPECT_EQ(pointRows, 1);
  EXPECT_EQ(pickerSelections, (std::vector<int>{-1, 4}));
  CKyFillStyleVector* canvas = dlg.m_wndCanvas.m_pVectorStyle->GetFillStyleVector();
  EXPECT_EQ(canvas->GetWidth(), 140u);
  EXPECT_EQ(canvas->GetSymAngle(), 450);
  EXPECT_EQ(canvas->GetSymID(), 10);  // the same copy, not a second one
  EXPECT_EQ(lib.GetSymLib()->GetSymbolCount(), 1);
  // The library's record is as it was until Save.
  EXPECT_EQ(Style(57)->GetFillStyleVector()->GetWidth(), 100u);
  EXPECT_EQ(Style(57)->GetFillStyleVector()->GetSymAngle(), 0);
  Button(IDC_EDITOR_SAVE);
  ASSERT_TRUE(Style(57));
  EXPECT_EQ(Style(57)->GetFillStyleVector()->GetWidth(), 140u);
  EXPECT_EQ(Style(57)->GetFillStyleVector()->GetSymAngle(), 450);
}

TEST_F(SymbolStyles, ALibraryCommandForgetsTheCopies) {
  Open();
  FillDialog(100, 100, {}, 1);  // the cross
  Command(ID_FSL_EDITTOOL_SYMBOL);
  ASSERT_EQ(dlg.m_arrAddedSymbols.GetSize(), 1);
  std::string path = testing::TempDir() + "symboldlg_forget.bru";
  KySetFileDialogAnswer(path.c_str());
  Command(ID_BRUSHLIB_SAVEAS);
  // Stored: the copy is now one of the library's own symbols.
  EXPECT_EQ(dlg.m_arrAddedSymbols.GetSize(), 0);
  EXPECT_EQ(dlg.m_nSymCount, 1);
  // The picker now shows the copy first; the cross of the resource library
  // is cell 1 + 1, and taking it again makes a new copy.
  FillDialog(100, 100, {}, 2);
  Command(ID_FSL_EDITTOOL_SYMBOL);
  EXPECT_EQ(lib.GetSymLib()->GetSymbolCount(), 2);
  ASSERT_EQ(dlg.m_arrAddedSymbols.GetSize(), 1);
  EXPECT_EQ(dlg.m_arrAddedSymbols[0], static_cast<DWORD>(kySampleCross));
  // Taking the first copy as an own symbol reuses it.
  FillDialog(100, 100, {}, 0);
  Command(ID_FSL_EDITTOOL_SYMBOL);
  EXPECT_EQ(lib.GetSymLib()->GetSymbolCount(), 2);
  EXPECT_EQ(lib.GetFillStyle(lib.FindID(lib.GetMaxID()))->GetFillStyleVector()->GetSymID(), 10);
}

}  // namespace
