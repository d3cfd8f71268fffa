// Report list views: columns, items and sub-items, selection by code and by
// input with LVN_ITEMCHANGING/ED and NM_CLICK, full-row selection, hit
// testing, keys, deletion, and the framework wrapper.
#include "afxcmn.h"
#include "control_fixture.h"
#include "screen_checks.h"

using namespace kytest;

namespace {

constexpr int kList = 60;

class ListViewTest : public ControlFixture {
 protected:
  void SetUp() override {
    ControlFixture::SetUp();
    listId = kList;
  }
  // Two columns "X" and "Y" of 87 pixels and the rows given.
  HWND MakeList(DWORD style, DWORD ex, std::vector<std::pair<const char*, const char*>> rows) {
    HWND l = Make(WC_LISTVIEW, "", LVS_REPORT | style, 10, 10, 200, 150, kList, WS_EX_CLIENTEDGE);
    ListView_SetExtendedListViewStyle(l, ex);
    LVCOLUMN col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    col.cx = 87;
    col.pszText = const_cast<char*>("X");
    col.iSubItem = 0;
    EXPECT_EQ(ListView_InsertColumn(l, 0, &col), 0);
    col.pszText = const_cast<char*>("Y");
    col.iSubItem = 1;
    EXPECT_EQ(ListView_InsertColumn(l, 1, &col), 1);
    for (size_t i = 0; i < rows.size(); ++i) {
      LVITEM it{};
      it.mask = LVIF_TEXT;
      it.iItem = static_cast<int>(i);
      it.pszText = const_cast<char*>(rows[i].first);
      EXPECT_EQ(ListView_InsertItem(l, &it), static_cast<int>(i));
      EXPECT_TRUE(ListView_SetItemText(l, static_cast<int>(i), 1, rows[i].second));
    }
    notifies.clear();
    return l;
  }
  static std::string Cell(HWND l, int i, int sub) {
    char buf[64] = {0};
    ListView_GetItemText(l, i, sub, buf, sizeof buf);
    return buf;
  }
  // The centre of a cell in screen coordinates.
  static POINT CellPoint(HWND l, int i, int sub) {
    RECT r{LVIR_BOUNDS, sub, 0, 0};
    SendMessage(l, LVM_GETSUBITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
    if (sub == 0) r.right = r.left + 87;
    return DialogHarness::At(l, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  std::vector<UINT> Changes() const {
    std::vector<UINT> out;
    for (const NotifyRecord& r : notifies)
      if (r.code == LVN_ITEMCHANGED) out.push_back(static_cast<UINT>(r.iItem) << 8 | r.newState);
    return out;
  }
};

TEST_F(ListViewTest, ItemsAndSubItemsKeepTheirTexts) {
  HWND l = MakeList(0, 0, {{"25", "25"}, {"40", "10"}});
  EXPECT_EQ(ListView_GetItemCount(l), 2);
  EXPECT_EQ(Cell(l, 0, 0), "25");
  EXPECT_EQ(Cell(l, 1, 1), "10");
  EXPECT_EQ(Cell(l, 1, 5), "");  // a sub-item never set is empty
  // Inserting at the front moves the others down; past the end appends.
  LVITEM it{};
  it.mask = LVIF_TEXT | LVIF_PARAM;
  it.pszText = const_cast<char*>("0");
  it.lParam = 7;
  it.iItem = 0;
  EXPECT_EQ(ListView_InsertItem(l, &it), 0);
  it.iItem = 99;
  it.pszText = const_cast<char*>("last");
  EXPECT_EQ(ListView_InsertItem(l, &it), 3);
  it.iSubItem = 1;
  EXPECT_EQ(ListView_InsertItem(l, &it), -1);  // items are inserted as sub-item 0
  EXPECT_EQ(Cell(l, 1, 0), "25");
  EXPECT_EQ(Cell(l, 3, 0), "last");
  EXPECT_EQ(NotifyCodes(kList), (std::vector<UINT>{LVN_INSERTITEM, LVN_INSERTITEM}));

  LVCOLUMN col{};
  char name[8] = {0};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  col.pszText = name;
  col.cchTextMax = sizeof name;
  EXPECT_TRUE(SendMessage(l, LVM_GETCOLUMN, 1, reinterpret_cast<LPARAM>(&col)));
  EXPECT_EQ(std::string(name), "Y");
  EXPECT_EQ(col.cx, 87);
  EXPECT_EQ(col.iSubItem, 1);
  EXPECT_FALSE(SendMessage(l, LVM_GETCOLUMN, 2, reinterpret_cast<LPARAM>(&col)));

  EXPECT_TRUE(ListView_DeleteItem(l, 0));
  EXPECT_EQ(Cell(l, 0, 0), "25");
  EXPECT_FALSE(ListView_DeleteItem(l, 3));
  EXPECT_TRUE(ListView_DeleteAllItems(l));
  EXPECT_EQ(ListView_GetItemCount(l), 0);
}

TEST_F(ListViewTest, SelectingByCodeIsOfferedAndReportedAndSingleSelectionHoldsOne) {
  HWND l = MakeList(LVS_SINGLESEL | LVS_SHOWSELALWAYS, LVS_EX_FULLROWSELECT, {{"1", "a"}, {"2", "b"}, {"3", "c"}});
  EXPECT_TRUE(ListView_SetItemState(l, 0, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_EQ(NotifyCodes(kList), (std::vector<UINT>{LVN_ITEMCHANGING, LVN_ITEMCHANGED}));
  EXPECT_TRUE(ListView_SetItemState(l, 2, LVIS_SELECTED, LVIS_SELECTED));
  // Item 0 is deselected first, then item 2 selected.
  EXPECT_EQ(Changes(), (std::vector<UINT>{0u << 8 | LVIS_SELECTED, 0u << 8 | 0, 2u << 8 | LVIS_SELECTED}));
  EXPECT_EQ(ListView_GetSelectedCount(l), 1u);
  EXPECT_EQ(ListView_GetNextItem(l, -1, LVNI_SELECTED), 2);
  EXPECT_EQ(ListView_GetNextItem(l, 2, LVNI_SELECTED), -1);
  EXPECT_EQ(ListView_GetItemState(l, 2, LVIS_SELECTED | LVIS_FOCUSED), static_cast<UINT>(LVIS_SELECTED));
  // Shown across both columns, in the face colour while the list has no focus.
  h.Pump();
  RECT row{LVIR_BOUNDS, 1, 0, 0};
  SendMessage(l, LVM_GETSUBITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
  EXPECT_EQ(PixelAt(DialogHarness::At(l, row.right - 3, (row.top + row.bottom) / 2)),
            ScreenPixel(GetSysColor(COLOR_3DFACE)));

  // A refused change changes nothing.
  onNotify = [](NMHDR* h) -> LRESULT { return h->code == LVN_ITEMCHANGING; };
  EXPECT_FALSE(ListView_SetItemState(l, 1, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_EQ(ListView_GetNextItem(l, -1, LVNI_SELECTED), 2);
  onNotify = nullptr;
  // Setting a state that is already there says nothing.
  notifies.clear();
  EXPECT_TRUE(ListView_SetItemState(l, 2, LVIS_SELECTED, LVIS_SELECTED));
  EXPECT_TRUE(notifies.empty());
}

TEST_F(ListViewTest, AClickSelectsTheRowThenReportsNmClickWithTheCell) {
  HWND l = MakeList(LVS_SINGLESEL | LVS_SHOWSELALWAYS, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES,
                    {{"25", "25"}, {"40", "10"}});
  ClickNow(CellPoint(l, 1, 1));
  EXPECT_EQ(ListView_GetNextItem(l, -1, LVNI_SELECTED), 1);
  EXPECT_EQ(ListView_GetNextItem(l, -1, LVNI_FOCUSED), 1);
  ASSERT_FALSE(notifies.empty());
  EXPECT_EQ(notifies.back().code, static_cast<UINT>(NM_CLICK));  // after the selection changed
  EXPECT_EQ(notifies.back().iItem, 1);
  EXPECT_EQ(notifies.back().iSubItem, 1);

  // A click below the rows clears the selection and reports item -1.
  RECT client{};
  GetClientRect(l, &client);
  ClickNow(DialogHarness::At(l, 20, client.bottom - 5));
  EXPECT_EQ(ListView_GetSelectedCount(l), 0u);
  EXPECT_EQ(notifies.back().code, static_cast<UINT>(NM_CLICK));
  EXPECT_EQ(notifies.back().iItem, -1);
}

TEST_F(ListViewTest, WithoutFullRowSelectionOnlyTheFirstColumnSelects) {
  HWND l = MakeList(LVS_SINGLESEL, 0, {{"25", "25"}, {"40", "10"}});
  ClickNow(CellPoint(l, 1, 1));
  EXPECT_EQ(ListView_GetSelectedCount(l), 0u);
  ClickNow(CellPoint(l, 1, 0));
  EXPECT_EQ(ListView_GetNextItem(l, -1, LVNI_SELECTED), 1);

  struct Case {
    const char* name;
    int x, dy;
    UINT flags;
    int item;
  } cases[] = {
      {"first column", 20, 0, LVHT_ONITEMLABEL, 0},
      {"second column", 120, 0, LVHT_NOWHERE, -1},
      {"past the columns", 190, 0, LVHT_NOWHERE, -1},
      {"below the rows", 20, 4, LVHT_NOWHERE, -1},
  };
  RECT r{LVIR_BOUNDS, 0, 0, 0};
  SendMessage(l, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
  int rowH = r.bottom - r.top;
  for (const Case& c : cases) {
    LVHITTESTINFO hti{};
    hti.pt = POINT{c.x, r.top + rowH / 2 + c.dy * rowH};
    EXPECT_EQ(ListView_HitTest(l, &hti), c.item) << c.name;
    EXPECT_EQ(hti.flags, c.flags) << c.name;
  }
  LVHITTESTINFO sub{};
  sub.pt = POINT{120, r.top + 2};
  EXPECT_EQ(ListView_SubItemHitTest(l, &sub), 0);
  EXPECT_EQ(sub.iSubItem, 1);
}

TEST_F(ListViewTest, ArrowKeysMoveTheSelectionAndHeaderClicksAreReported) {
  HWND l = MakeList(LVS_SINGLESEL, LVS_EX_FULLROWSELECT, {{"1", "a"}, {"2", "b"}, {"3", "c"}});
  SetFocus(l);
  h.Key(VK_DOWN);  // nothing focused yet: the first row
  KeysNow({VK_DOWN, VK_END, VK_UP});
  EXPECT_EQ(ListView_GetNextItem(l, -1, LVNI_SELECTED), 1);
  EXPECT_EQ(ListView_GetSelectedCount(l), 1u);
  notifies.clear();
  h.Click(DialogHarness::At(l, 100, 3));  // the header of column "Y"
  h.Pump();
  const NotifyRecord* r = Last(LVN_COLUMNCLICK);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->iSubItem, 1);
}

TEST_F(ListViewTest, TheWrapperBuildsColumnsAndRowsAsTheSymbolListDoes) {
  CWnd* owner = CWnd::FromHandle(parent);
  CListCtrl list;
  ASSERT_TRUE(list.Create(WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, CRect(10, 10, 200, 150), owner,
                          kList));
  list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  EXPECT_EQ(list.GetExtendedStyle(), static_cast<DWORD>(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES));
  EXPECT_EQ(list.InsertColumn(0, "X", LVCFMT_LEFT, 87, 0), 0);
  EXPECT_EQ(list.InsertColumn(1, "Y", LVCFMT_LEFT, 87, 1), 1);
  EXPECT_EQ(list.GetColumnWidth(1), 87);
  for (int i = 0; i < 3; ++i) {
    CString x, y;
    x.Format("%d", 10 * i);
    y.Format("%d", 5 * i);
    EXPECT_EQ(list.InsertItem(i, x), i);
    EXPECT_TRUE(list.SetItemText(i, 1, y));
    EXPECT_TRUE(list.SetItemData(i, static_cast<DWORD_PTR>(100 + i)));
  }
  EXPECT_EQ(list.GetItemText(2, 1), CString("10"));
  EXPECT_EQ(list.GetItemData(1), 101u);
  EXPECT_TRUE(list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
  POSITION pos = list.GetFirstSelectedItemPosition();
  ASSERT_NE(pos, nullptr);
  EXPECT_EQ(list.GetNextSelectedItem(pos), 2);
  EXPECT_EQ(pos, nullptr);
  LVFINDINFO fi{};
  fi.flags = LVFI_PARAM;
  fi.lParam = 101;
  EXPECT_EQ(list.FindItem(&fi), 1);
  fi.flags = LVFI_STRING;
  fi.psz = "20";
  EXPECT_EQ(list.FindItem(&fi), 2);
  CRect cell;
  EXPECT_TRUE(list.GetSubItemRect(0, 1, LVIR_BOUNDS, cell));
  EXPECT_EQ(cell.left, 87);
  EXPECT_EQ(cell.Width(), 87);
  EXPECT_TRUE(list.DeleteItem(2));
  EXPECT_EQ(list.GetSelectedCount(), 0u);
  EXPECT_EQ(list.GetFirstSelectedItemPosition(), nullptr);
  list.DestroyWindow();
}

}  // namespace
