// The symbol pattern dialog alone: what it shows at start, the point list
// kept in step with the points by Add, Modify, Delete and clicks, typed
// values it refuses, the symbol picker it opens, and the symbol button.
#include "KyFSLSymbolDlg.h"

#include <gtest/gtest.h>

#include "KySampleSymbols.h"
#include "KySymbol.h"
#include "KyZod50Res.h"
#include "dialog_harness.h"
#include "resource.h"

namespace {

class SymbolDlgTest : public testing::Test {
 protected:
  void SetUp() override {
    res = KySampleSymbols();
    lib.m_pResSymLib = &res;
    dlg.AttachKyFillStyleLib(&lib, 0);
  }
  static std::string Text(int id) { return DialogHarness::Text(id); }
  static HWND List() { return DialogHarness::Item(IDC_SYMBOL_POINTS); }
  static int Rows() { return static_cast<int>(SendMessage(List(), LVM_GETITEMCOUNT, 0, 0)); }
  static std::string Cell(int row, int col) {
    char buf[32] = {0};
    LVITEM it{};
    it.iSubItem = col;
    it.pszText = buf;
    it.cchTextMax = sizeof buf;
    SendMessage(List(), LVM_GETITEMTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&it));
    return buf;
  }
  static int Selected() { return static_cast<int>(SendMessage(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); }
  void ClickRow(int row) {
    RECT r{};
    r.left = LVIR_BOUNDS;
    SendMessage(List(), LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r));
    h.Click(DialogHarness::At(List(), r.left + 20, (r.top + r.bottom) / 2));
  }
  void TypePoint(int x, int y) {
    h.Type(IDC_SYMBOL_POINT_X, std::to_string(x));
    h.Type(IDC_SYMBOL_POINT_Y, std::to_string(y));
  }
  // Answers a message box, keeping its text.
  void Answer() {
    h.Then([this] {
      boxes.push_back(DialogHarness::MessageBoxText());
      h.Key(VK_RETURN);
    });
  }

  DialogHarness h;
  CKySymLib res;
  CKyFillStyleLib lib;
  CKyFSLSymbolDlg dlg;
  std::vector<std::string> boxes;
};

TEST_F(SymbolDlgTest, StartsWithItsDefaultsAndAnEmptyList) {
  std::vector<std::string> shown;
  std::string caption;
  int rows = -1;
  h.Then([&] {
    caption = DialogHarness::Text(DialogHarness::Active());
    for (int id : {IDC_SYMBOL_WIDTH, IDC_SYMBOL_HEIGHT, IDC_SYMBOL_SIZE, IDC_SYMBOL_ANGLE, IDC_SYMBOL_POINT_X,
                   IDC_SYMBOL_POINT_Y})
      shown.push_back(Text(id));
    rows = Rows();
    h.Click(IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(caption, "Symbol FillStyle");
  EXPECT_EQ(shown, (std::vector<std::string>{"100", "100", "60", "0", "25", "25"}));
  EXPECT_EQ(rows, 0);
  EXPECT_TRUE(dlg.m_arrPoints.IsEmpty());
}

TEST_F(SymbolDlgTest, GivenPointsAreListedAndTheFirstIsSelected) {
  dlg.m_arrPoints.Add(CPoint(7, 9));
  dlg.m_arrPoints.Add(CPoint(-3, 120));
  std::vector<std::string> cells;
  int sel = -2;
  std::string x, y;
  h.Then([&] {
    for (int r = 0; r < Rows(); ++r) {
      cells.push_back(Cell(r, 0));
      cells.push_back(Cell(r, 1));
    }
    sel = Selected();
    x = Text(IDC_SYMBOL_POINT_X);
    y = Text(IDC_SYMBOL_POINT_Y);
    h.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(cells, (std::vector<std::string>{"7", "9", "-3", "120"}));
  EXPECT_EQ(sel, 0);
  EXPECT_EQ(x, "7");
  EXPECT_EQ(y, "9");
}

TEST_F(SymbolDlgTest, AddModifyDeleteAndClicksKeepListAndPointsInStep) {
  std::vector<int> sel;
  std::vector<std::string> edits;
  h.Then([&] {
    // Without a selected row, Modify and Delete do nothing.
    h.Click(IDC_SYMBOL_MODIFY);
    h.Click(IDC_SYMBOL_DELETE);
  });
  h.Then([&] {
    sel.push_back(Rows());
    TypePoint(10, 20);
    h.Click(IDC_SYMBOL_ADD);
  });
  h.Then([&] {
    TypePoint(30, 40);
    h.Click(IDC_SYMBOL_ADD);
  });
  h.Then([&] {
    TypePoint(30, 40);  // duplicates are allowed
    h.Click(IDC_SYMBOL_ADD);
  });
  h.Then([&] {
    sel.push_back(Selected());  // the row just added
    ClickRow(0);
  });
  h.Then([&] {
    sel.push_back(Selected());
    edits.push_back(Text(IDC_SYMBOL_POINT_X));
    edits.push_back(Text(IDC_SYMBOL_POINT_Y));
    TypePoint(11, 22);
    h.Click(IDC_SYMBOL_MODIFY);
  });
  h.Then([&] {
    edits.push_back(Cell(0, 0));
    edits.push_back(Cell(0, 1));
    ClickRow(1);
  });
  h.Then([&] { h.Click(IDC_SYMBOL_DELETE); });
  h.Then([&] {
    sel.push_back(Rows());
    h.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(sel, (std::vector<int>{0, 2, 0, 2}));
  EXPECT_TRUE(boxes.empty());
  EXPECT_EQ(edits, (std::vector<std::string>{"10", "20", "11", "22"}));
  ASSERT_EQ(dlg.m_arrPoints.GetSize(), 2);
  EXPECT_EQ(dlg.m_arrPoints[0], CPoint(11, 22));
  EXPECT_EQ(dlg.m_arrPoints[1], CPoint(30, 40));
}

struct BadValue {
  const char* name;
  int id;
  const char* text;
  const char* message;
};

const BadValue kBadValues[] = {
    {"text", IDC_SYMBOL_WIDTH, "wide", "Please enter an integer."},
    {"negative", IDC_SYMBOL_HEIGHT, "-5", "Please enter an integer between 0 and 1000."},
    {"beyond 32 bits", IDC_SYMBOL_SIZE, "4294967296", "Please enter an integer."},
    {"angle", IDC_SYMBOL_ANGLE, "3601", "Please enter an integer between 0 and 3600."},
    {"point", IDC_SYMBOL_POINT_X, "1.5", "Please enter an integer."},
};

TEST_F(SymbolDlgTest, TypedValuesThatAreRefusedKeepTheDialogOpen) {
  for (const BadValue& c : kBadValues) {
    SCOPED_TRACE(c.name);
    boxes.clear();
    CKyFSLSymbolDlg one;
    one.AttachKyFillStyleLib(&lib, 0);
    bool stillOpen = false;
    h.Then([&] {
      h.Type(c.id, c.text);
      h.Click(IDOK);
    });
    Answer();
    h.Then([&] {
      stillOpen = DialogHarness::Item(IDC_SYMBOL_WIDTH) != nullptr;
      h.Click(IDCANCEL);
    });
    EXPECT_EQ(one.DoModal(), IDCANCEL);
    EXPECT_TRUE(stillOpen);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], c.message);
  }
}

TEST_F(SymbolDlgTest, SelectSymbolOpensThePickerOnBothLibraries) {
  CKySymbol* mine = new CKySymbol;
  mine->SetSymName("mine");
  ASSERT_GE(lib.AddSymbol(mine), 0);
  dlg.AttachKyFillStyleLib(&lib, 1);
  dlg.m_nSymIndex = 3;  // resource position 2, the star
  int shownCell = -2, cells = 0;
  h.Then([&] { h.Click(IDC_SYMBOL_SELECT); });
  h.Then([&] {
    HWND list = DialogHarness::Item(IDC_KYZOD_SYMBOLS);
    shownCell = static_cast<int>(SendMessage(list, LB_GETCURSEL, 0, 0));
    cells = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
    RECT r{};
    SendMessage(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    h.DoubleClick(DialogHarness::At(list, (r.left + r.right) / 2, (r.top + r.bottom) / 2));
  });
  h.Then([&] { h.Click(IDOK); });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(cells, 7);  // one own symbol, six samples
  EXPECT_EQ(shownCell, 3);
  EXPECT_EQ(dlg.m_nSymIndex, 0);
}

// The symbol button looks like a push button (raised edge, face inside),
// with or without a symbol on it: without one it was a plain face-coloured
// square that nobody could see.
TEST_F(SymbolDlgTest, TheButtonIsARaisedButtonWithTheChosenSymbolOnItsFace) {
  dlg.m_nSymIndex = 2;  // the star
  std::vector<DWORD> withSymbol, without;
  int width = 0, height = 0;
  auto capture = [&](std::vector<DWORD>& out) {
    HWND b = DialogHarness::Item(IDC_SYMBOL_SELECT);
    RECT r{};
    GetWindowRect(b, &r);
    width = r.right - r.left;
    height = r.bottom - r.top;
    out = DialogHarness::Capture(r);
  };
  h.Then([&] { capture(withSymbol); });
  h.Then([&] { h.Click(IDCANCEL); });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  CKyFSLSymbolDlg none;
  none.AttachKyFillStyleLib(&lib, 0);
  h.Then([&] { capture(without); });
  h.Then([&] { h.Click(IDCANCEL); });
  EXPECT_EQ(none.DoModal(), IDCANCEL);
  auto rgb = [](int colour) {
    const COLORREF c = GetSysColor(colour);
    return static_cast<DWORD>((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
  };
  ASSERT_GT(width, 8);
  ASSERT_GT(height, 8);
  ASSERT_EQ(without.size(), static_cast<size_t>(width * height));
  auto at = [&](const std::vector<DWORD>& px, int x, int y) { return px[static_cast<size_t>(y * width + x)]; };
  // Where each ring of the edge is, and its colour: light outside top and
  // left, dark outside bottom and right, then highlight and shadow.
  static const struct {
    const char* name;
    int x, y;  // negative: from the right or the bottom
    int colour;
  } points[] = {
      {"outer top", 5, 0, COLOR_3DLIGHT},          {"outer left", 0, 5, COLOR_3DLIGHT},
      {"outer bottom", 5, -1, COLOR_3DDKSHADOW},   {"outer right", -1, 5, COLOR_3DDKSHADOW},
      {"inner top", 5, 1, COLOR_BTNHIGHLIGHT},     {"inner left", 1, 5, COLOR_BTNHIGHLIGHT},
      {"inner bottom", 5, -2, COLOR_BTNSHADOW},    {"inner right", -2, 5, COLOR_BTNSHADOW},
      {"face", 3, 3, COLOR_BTNFACE},               {"face at the far corner", -3, -3, COLOR_BTNFACE},
  };
  for (const auto& p : points) {
    const int x = p.x < 0 ? width + p.x : p.x, y = p.y < 0 ? height + p.y : p.y;
    EXPECT_EQ(at(without, x, y), rgb(p.colour)) << "without a symbol: " << p.name;
    EXPECT_EQ(at(withSymbol, x, y), rgb(p.colour)) << "with a symbol: " << p.name;
  }
  // Without a symbol the face is empty; with one, the symbol is on it in
  // black.
  size_t blackWithout = 0, black = 0;
  for (DWORD p : without) blackWithout += p == 0 ? 1 : 0;
  for (DWORD p : withSymbol) black += p == 0 ? 1 : 0;
  EXPECT_EQ(blackWithout, 0u);
  EXPECT_GT(black, 20u);
}

TEST(SymbolDlgIndex, ResolvesOwnAndResourcePositions) {
  CKyFillStyleLib lib;
  CKySymbol* mine = new CKySymbol;
  mine->SetSymName("mine");
  long mineID = lib.AddSymbol(mine);
  ASSERT_GE(mineID, 0);
  EXPECT_EQ(CKyFSLSymbolDlg::SymbolOfIndex(&lib, 1, 0), mine);
  EXPECT_EQ(CKyFSLSymbolDlg::SymbolOfIndex(&lib, 1, 1), nullptr);  // no resource library
  CKySymLib res = KySampleSymbols();
  lib.m_pResSymLib = &res;
  ASSERT_NE(CKyFSLSymbolDlg::SymbolOfIndex(&lib, 1, 1), nullptr);
  EXPECT_EQ(CKyFSLSymbolDlg::SymbolOfIndex(&lib, 1, 1)->GetSymName(), "dot");
  EXPECT_EQ(CKyFSLSymbolDlg::SymbolOfIndex(&lib, 1, 6)->GetSymName(), "rock");
  EXPECT_EQ(CKyFSLSymbolDlg::SymbolOfIndex(&lib, 1, 7), nullptr);
  EXPECT_EQ(CKyFSLSymbolDlg::SymbolOfIndex(&lib, 1, -1), nullptr);
  EXPECT_EQ(CKyFSLSymbolDlg::SymbolOfIndex(nullptr, 1, 0), nullptr);
  // n beyond the own count: the resource indexes still start at n.
  EXPECT_EQ(CKyFSLSymbolDlg::SymbolOfIndex(&lib, 3, 1), nullptr);
  EXPECT_EQ(CKyFSLSymbolDlg::SymbolOfIndex(&lib, 3, 3)->GetSymName(), "dot");
}

}  // namespace
