// The symbol picker: own symbols first, then the resource symbols; the index
// it returns; missing libraries.
#include "KyLslExtSymPickerDlg.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "KySampleSymbols.h"
#include "KySymbol.h"
#include "KyZod50Res.h"
#include "dialog_harness.h"

namespace {

POINT CellPoint(int cell) {
  HWND list = DialogHarness::Item(IDC_KYZOD_SYMBOLS);
  RECT r{};
  SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(cell), reinterpret_cast<LPARAM>(&r));
  return DialogHarness::At(list, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

LRESULT CurCell() { return SendDlgItemMessage(DialogHarness::Active(), IDC_KYZOD_SYMBOLS, LB_GETCURSEL, 0, 0); }

class SymbolPicker : public testing::Test {
 protected:
  void SetUp() override {
    own = KySampleSymbols();
    res = KySampleSymbols();
    ASSERT_GE(own.GetSymbolCount(), 4);
  }
  CKySymLib own, res;
  DialogHarness h;
};

TEST_F(SymbolPicker, IndexesOwnFirstThenResource) {
  CKyLslExtSymPickerDlg dlg;
  dlg.AttachLineSymLib(&own, 3);
  dlg.AttachResSymLib(&res);
  const int k = 3, r = static_cast<int>(res.GetSymbolCount());
  EXPECT_EQ(dlg.CellCount(), k + r);
  EXPECT_EQ(dlg.IndexOfCell(0), 0);
  EXPECT_EQ(dlg.IndexOfCell(2), 2);
  EXPECT_EQ(dlg.IndexOfCell(3), 3);  // the first resource symbol is index n
  EXPECT_EQ(dlg.IndexOfCell(k + r), -1);
  EXPECT_EQ(dlg.IndexOfCell(-1), -1);
  EXPECT_EQ(dlg.CellOfIndex(3 + 1), 4);
  EXPECT_EQ(dlg.CellOfIndex(3 + r), -1);
  EXPECT_EQ(dlg.SymbolOfIndex(1), own.GetSymbolAt(1));
  EXPECT_EQ(dlg.SymbolOfIndex(3), res.GetSymbolAt(0));
  EXPECT_EQ(dlg.SymbolOfIndex(-5), nullptr);
}

TEST_F(SymbolPicker, NBeyondTheOwnCountKeepsTheResourceIndexes) {
  CKyLslExtSymPickerDlg dlg;
  const long count = own.GetSymbolCount();
  dlg.AttachLineSymLib(&own, count + 5);  // five own symbols copied elsewhere meanwhile
  dlg.AttachResSymLib(&res);
  EXPECT_EQ(dlg.IndexOfCell(static_cast<int>(count)), count + 5);
  EXPECT_EQ(dlg.CellOfIndex(static_cast<int>(count + 2)), -1);  // an own index with no symbol
  EXPECT_EQ(dlg.SymbolOfIndex(static_cast<int>(count + 5)), res.GetSymbolAt(0));
  dlg.AttachLineSymLib(&own, -3);  // below 0 counts as 0
  EXPECT_EQ(dlg.IndexOfCell(0), 0);
  EXPECT_EQ(dlg.SymbolOfIndex(0), res.GetSymbolAt(0));
}

TEST_F(SymbolPicker, OpensAtTheIndexAndReturnsTheOneClicked) {
  CKyLslExtSymPickerDlg dlg;
  dlg.AttachLineSymLib(&own, 2);
  dlg.AttachResSymLib(&res);
  dlg.SetIndex(2 + 1);  // the second resource symbol
  h.Then([&] {
    EXPECT_EQ(CurCell(), 3);
    EXPECT_EQ(DialogHarness::Text(IDC_KYZOD_SYMNAME), std::string(res.GetSymbolAt(1)->GetSymName()));
    std::filesystem::create_directories("test-dumps");
    h.Screenshot("test-dumps/symbol-picker.png");
    h.Click(CellPoint(1));
  });
  h.Then([&] {
    EXPECT_EQ(DialogHarness::Text(IDC_KYZOD_SYMNAME), std::string(own.GetSymbolAt(1)->GetSymName()));
    h.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetIndex(), 1);
}

TEST_F(SymbolPicker, DoubleClickOnAResourceSymbolIsOk) {
  CKyLslExtSymPickerDlg dlg;
  dlg.AttachLineSymLib(&own, 2);
  dlg.AttachResSymLib(&res);
  h.Then([&] { h.DoubleClick(CellPoint(4)); });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetIndex(), 2 + 2);
}

TEST_F(SymbolPicker, CancelKeepsTheIndex) {
  CKyLslExtSymPickerDlg dlg;
  dlg.AttachLineSymLib(&own, 2);
  dlg.SetIndex(1);
  h.Then([&] {
    h.Click(CellPoint(0));
    h.Key(VK_ESCAPE);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.GetIndex(), 1);
}

TEST_F(SymbolPicker, NullResourceLibraryShowsOwnOnly) {
  CKyLslExtSymPickerDlg dlg;
  dlg.AttachLineSymLib(&own, 3);
  dlg.AttachResSymLib(nullptr);
  dlg.SetIndex(3);  // a resource index, and there is none
  h.Then([&] {
    EXPECT_EQ(SendDlgItemMessage(DialogHarness::Active(), IDC_KYZOD_SYMBOLS, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(CurCell(), LB_ERR);
    EXPECT_EQ(DialogHarness::Text(IDC_KYZOD_SYMNAME), "");
    h.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetIndex(), -1);  // OK with nothing selected
}

TEST_F(SymbolPicker, NoLibrariesAtAll) {
  CKyLslExtSymPickerDlg dlg;
  dlg.SetIndex(0);
  h.Then([&] {
    EXPECT_EQ(SendDlgItemMessage(DialogHarness::Active(), IDC_KYZOD_SYMBOLS, LB_GETCOUNT, 0, 0), 0);
    h.Click(POINT{CellPoint(0)});
    h.Key(VK_RETURN);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetIndex(), -1);
  EXPECT_EQ(dlg.SymbolOfIndex(0), nullptr);
}

TEST_F(SymbolPicker, ChineseTemplate) {
  SetThreadUILanguage(2052);
  AfxSetCodePage(936);
  CKyLslExtSymPickerDlg dlg;
  dlg.AttachLineSymLib(&own, 1);
  h.Then([&] {
    EXPECT_EQ(DialogHarness::Text(DialogHarness::Active()), "\xd1\xa1\xd4\xf1\xb7\xfb\xba\xc5");  // 选择符号
    h.Click(IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  AfxSetCodePage(0);
  SetThreadUILanguage(0);
}

}  // namespace
