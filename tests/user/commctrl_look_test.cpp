// What the common controls look like together in a dialog: a tree with
// folder images, expanded and collapsed nodes and a selection, a report
// list with grid lines and a selected row, and an edit with an up-down.
// The screenshot is kept for a person to look at; the asserts check the
// pixels that must be there.
#include <cstring>

#include "commctrl_fixture.h"
#include "dlgtemplate.h"

namespace {

constexpr int kTree = 70, kList = 71, kEdit = 72, kSpin = 73;

DWORD Pixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// Two 16 x 16 folders on magenta: closed, then open.
HBITMAP FolderStrip() {
  HDC screen = GetDC(nullptr);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 32, 16);
  ReleaseDC(nullptr, screen);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, bmp);
  RECT all{0, 0, 32, 16};
  HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
  FillRect(dc, &all, magenta);
  HBRUSH yellow = CreateSolidBrush(RGB(240, 200, 60));
  HBRUSH dark = CreateSolidBrush(RGB(150, 110, 20));
  for (int k = 0; k < 2; ++k) {
    int x = k * 16;
    RECT tab{x + 1, 3, x + 7, 5}, body{x + 1, 5, x + 15, 14};
    FillRect(dc, &tab, dark);
    FillRect(dc, &body, dark);
    RECT inner{x + 2, 6, x + 14, 13};
    FillRect(dc, &inner, yellow);
    if (k == 1) {
      RECT lid{x + 4, 8, x + 15, 13};
      FillRect(dc, &lid, dark);
      RECT lidIn{x + 5, 9, x + 14, 12};
      FillRect(dc, &lidIn, yellow);
    }
  }
  DeleteObject(magenta);
  DeleteObject(yellow);
  DeleteObject(dark);
  SelectObject(dc, old);
  DeleteDC(dc);
  return bmp;
}

INT_PTR CALLBACK LookProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

TEST(CommonControlLook, TreeListAndUpDownInADialog) {
  DialogHarness h;
  KyDialogTemplate t(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 10, 10, 300, 150,
                     "Common controls", 8, "MS Sans Serif");
  t.Control("", kTree, WC_TREEVIEW,
            WS_VISIBLE | WS_BORDER | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
            7, 7, 110, 120);
  t.Control("", kList, WC_LISTVIEW, WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
            125, 7, 120, 90);
  t.EditText(kEdit, 125, 105, 60, 13, ES_AUTOHSCROLL);
  t.Control("", kSpin, UPDOWN_CLASS,
            WS_VISIBLE | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS, 185, 105, 10, 13);
  t.DefPushButton("OK", IDOK, 250, 7, 43, 14);
  HWND dlg = CreateDialogIndirectParam(nullptr, t.Get(), nullptr, LookProc, 0);
  ASSERT_NE(dlg, nullptr);
  HWND tree = GetDlgItem(dlg, kTree), list = GetDlgItem(dlg, kList), edit = GetDlgItem(dlg, kEdit),
       spin = GetDlgItem(dlg, kSpin);
  ASSERT_TRUE(tree && list && edit && spin);

  HIMAGELIST il = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 10, 5);
  HBITMAP strip = FolderStrip();
  EXPECT_EQ(ImageList_AddMasked(il, strip, RGB(255, 0, 255)), 0);
  DeleteObject(strip);
  TreeView_SetImageList(tree, il, TVSIL_NORMAL);
  auto add = [&](const char* text, HTREEITEM parent) {
    TVINSERTSTRUCT is{};
    is.hParent = parent;
    is.hInsertAfter = TVI_LAST;
    is.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    is.item.pszText = const_cast<char*>(text);
    return TreeView_InsertItem(tree, &is);
  };
  HTREEITEM lib = add("Library", TVI_ROOT);
  HTREEITEM bricks = add("Bricks", lib);
  add("Red", bricks);
  add("Grey", bricks);
  HTREEITEM water = add("Water", lib);
  add("Rivers", water);  // stays collapsed
  add("Forest", lib);
  add("Sand", TVI_ROOT);
  for (HTREEITEM e : {lib, bricks}) {
    TreeView_Expand(tree, e, TVE_EXPAND);
    TVITEM it{};
    it.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    it.hItem = e;
    it.iImage = it.iSelectedImage = 1;
    TreeView_SetItem(tree, &it);
  }
  TreeView_SelectItem(tree, water);

  ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  LVCOLUMN col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  col.cx = 87;
  col.pszText = const_cast<char*>("X");
  ListView_InsertColumn(list, 0, &col);
  col.pszText = const_cast<char*>("Y");
  col.iSubItem = 1;
  ListView_InsertColumn(list, 1, &col);
  const char* rows[][2] = {{"25", "25"}, {"75", "25"}, {"50", "75"}};
  for (int i = 0; i < 3; ++i) {
    LVITEM it{};
    it.mask = LVIF_TEXT;
    it.iItem = i;
    it.pszText = const_cast<char*>(rows[i][0]);
    ListView_InsertItem(list, &it);
    ListView_SetItemText(list, i, 1, rows[i][1]);
  }
  ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);

  SendMessage(spin, UDM_SETRANGE32, 8, 999999999);
  SendMessage(spin, UDM_SETPOS32, 0, 1024);
  EXPECT_EQ(DialogHarness::Text(edit), "1,024");
  SetFocus(tree);
  h.Pump();

  std::string path = testing::TempDir() + "commctrl_look.png";
  EXPECT_TRUE(DialogHarness::Screenshot(path));
  std::printf("screenshot: %s\n", path.c_str());

  // The caret's label is highlighted in the focused tree.
  RECT label{};
  std::memcpy(&label, &water, sizeof(HTREEITEM));
  ASSERT_TRUE(SendMessage(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label)));
  POINT p{label.left + 1, (label.top + label.bottom) / 2};
  ClientToScreen(tree, &p);
  EXPECT_EQ(DialogHarness::Capture(RECT{p.x, p.y, p.x + 1, p.y + 1})[0], Pixel(GetSysColor(COLOR_HIGHLIGHT)));
  // The open folder of "Library" is drawn where its image goes.
  RECT libLabel{};
  std::memcpy(&libLabel, &lib, sizeof(HTREEITEM));
  SendMessage(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&libLabel));
  POINT f{libLabel.left - 17 + 8, libLabel.top + (libLabel.bottom - libLabel.top - 16) / 2 + 10};
  ClientToScreen(tree, &f);
  EXPECT_EQ(DialogHarness::Capture(RECT{f.x, f.y, f.x + 1, f.y + 1})[0], 0xF0C83Cu);
  // The list's selected row is highlighted across both columns, though the list has no focus.
  RECT row{LVIR_BOUNDS, 1, 0, 0};
  SendMessage(list, LVM_GETSUBITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  POINT q{row.right - 3, (row.top + row.bottom) / 2};
  ClientToScreen(list, &q);
  EXPECT_EQ(DialogHarness::Capture(RECT{q.x, q.y, q.x + 1, q.y + 1})[0], Pixel(GetSysColor(COLOR_3DFACE)));

  DestroyWindow(dlg);
  ImageList_Destroy(il);
}

}  // namespace
