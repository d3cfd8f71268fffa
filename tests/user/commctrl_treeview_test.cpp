// Tree views: insertion and navigation (visible order skips collapsed
// children), expansion by message and by input with its notifications,
// selection, hit testing, item data and images, deletion, and the framework
// wrapper with a reflected notification.
#include <algorithm>
#include <cstring>

#include "afxcmn.h"
#include "cc_treeview.h"
#include "control_fixture.h"
#include "screen_checks.h"

using namespace kytest;

namespace {

constexpr int kTree = 40;
constexpr DWORD kButtons = TVS_HASBUTTONS | TVS_LINESATROOT;

HTREEITEM Insert(HWND t, const char* text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST, int image = 0,
                 LPARAM data = 0) {
  TVINSERTSTRUCT is{};
  is.hParent = parent;
  is.hInsertAfter = after;
  is.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  is.item.pszText = const_cast<char*>(text);
  is.item.iImage = image;
  is.item.iSelectedImage = image;
  is.item.lParam = data;
  return TreeView_InsertItem(t, &is);
}

std::string Text(HWND t, HTREEITEM h) {
  char buf[64] = {0};
  TVITEM it{};
  it.mask = TVIF_TEXT;
  it.hItem = h;
  it.pszText = buf;
  it.cchTextMax = sizeof buf;
  return TreeView_GetItem(t, &it) ? buf : "<none>";
}

// A
// +- A1
// +- A2
//    +- A2a
// B
struct Sample {
  HTREEITEM a, a1, a2, a2a, b;
};
Sample Build(HWND t) {
  Sample s{};
  s.a = Insert(t, "A");
  s.b = Insert(t, "B");
  s.a1 = Insert(t, "A1", s.a);
  s.a2 = Insert(t, "A2", s.a);
  s.a2a = Insert(t, "A2a", s.a2);
  return s;
}

// The label's rectangle of an item, in the tree's client coordinates.
RECT LabelRect(HWND t, HTREEITEM item) {
  RECT r{};
  std::memcpy(&r, &item, sizeof(HTREEITEM));
  EXPECT_TRUE(SendMessage(t, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&r)));
  return r;
}

class TreeViewTest : public ControlFixture {
 protected:
  HWND MakeTree(DWORD style, int height = 200) {
    return Make(WC_TREEVIEW, "", style, 10, 10, 200, height, kTree);
  }
  // The action and item of the last notification of a code; {~0u, nullptr} when none came.
  std::pair<UINT, HTREEITEM> LastOf(UINT code) const {
    const NotifyRecord* r = Last(code);
    return r ? std::make_pair(r->action, r->item) : std::make_pair(~0u, HTREEITEM{});
  }
  static std::pair<UINT, HTREEITEM> Told(UINT action, HTREEITEM item) { return {action, item}; }
};

TEST_F(TreeViewTest, NavigationFollowsTheTreeAndVisibleOrderSkipsCollapsedChildren) {
  HWND t = MakeTree(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT);
  Sample s = Build(t);
  EXPECT_EQ(TreeView_GetCount(t), 5u);
  struct Step {
    HTREEITEM open;  // expanded before the step, when it is not yet
    HTREEITEM from;
    UINT code;
    HTREEITEM want;
  } steps[] = {
      {nullptr, nullptr, TVGN_ROOT, s.a},       {nullptr, s.a, TVGN_CHILD, s.a1},
      {nullptr, nullptr, TVGN_CHILD, s.a},      // NULL stands for the root
      {nullptr, s.a1, TVGN_NEXT, s.a2},         {nullptr, s.a2, TVGN_PREVIOUS, s.a1},
      {nullptr, s.a2, TVGN_NEXT, nullptr},      {nullptr, s.a2a, TVGN_PARENT, s.a2},
      {nullptr, s.a, TVGN_PARENT, nullptr},
      // Everything collapsed: the visible rows are A and B.
      {nullptr, s.a, TVGN_NEXTVISIBLE, s.b},    {nullptr, s.b, TVGN_PREVIOUSVISIBLE, s.a},
      {nullptr, s.a1, TVGN_NEXTVISIBLE, nullptr},  // a hidden item has no visible neighbours
      {nullptr, nullptr, TVGN_FIRSTVISIBLE, s.a}, {nullptr, nullptr, TVGN_LASTVISIBLE, s.b},
      {s.a, s.a, TVGN_NEXTVISIBLE, s.a1},       {s.a, s.a1, TVGN_NEXTVISIBLE, s.a2},
      {s.a, s.a2, TVGN_NEXTVISIBLE, s.b},       {s.a, s.b, TVGN_NEXTVISIBLE, nullptr},
      {s.a, s.b, TVGN_PREVIOUSVISIBLE, s.a2},   {s.a, s.a, TVGN_PREVIOUSVISIBLE, nullptr},
      {s.a, s.a2a, TVGN_NEXTVISIBLE, nullptr},  {s.a2, s.a2, TVGN_NEXTVISIBLE, s.a2a},
      {s.a2, s.a2a, TVGN_NEXTVISIBLE, s.b},     {s.a2, nullptr, TVGN_LASTVISIBLE, s.b},
  };
  for (const Step& st : steps) {
    bool open = !st.open || TreeView_GetItemState(t, st.open, TVIS_EXPANDED);
    EXPECT_TRUE(open || TreeView_Expand(t, st.open, TVE_EXPAND));
    EXPECT_EQ(TreeView_GetNextItem(t, st.from, st.code), st.want) << Text(t, st.from) << " code " << st.code;
  }
}

TEST_F(TreeViewTest, InsertionPlacesFirstLastSortedAndAfter) {
  HWND t = MakeTree(0);
  HTREEITEM m = Insert(t, "m");
  Insert(t, "z");
  Insert(t, "a", TVI_ROOT, TVI_FIRST);
  Insert(t, "N", TVI_ROOT, TVI_SORT);  // after "m", before "z", whatever the case
  Insert(t, "m2", TVI_ROOT, m);
  std::vector<std::string> order;
  for (HTREEITEM h = TreeView_GetRoot(t); h; h = TreeView_GetNextSibling(t, h)) order.push_back(Text(t, h));
  EXPECT_EQ(order, (std::vector<std::string>{"a", "m", "m2", "N", "z"}));
  // A parent that is not an item fails.
  EXPECT_EQ(Insert(t, "x", reinterpret_cast<HTREEITEM>(0x12345)), nullptr);
  EXPECT_TRUE(notifies.empty());
}

TEST_F(TreeViewTest, ExpandingByMessageNotifiesUntilExpandedOnce) {
  HWND t = MakeTree(kButtons);
  Sample s = Build(t);
  EXPECT_TRUE(TreeView_Expand(t, s.a, TVE_EXPAND));
  EXPECT_EQ(NotifyCodes(kTree), (std::vector<UINT>{TVN_ITEMEXPANDING, TVN_ITEMEXPANDED}));
  EXPECT_EQ(LastOf(TVN_ITEMEXPANDED), Told(TVE_EXPAND, s.a));
  EXPECT_EQ(TreeView_GetItemState(t, s.a, TVIS_EXPANDED | TVIS_EXPANDEDONCE), TVIS_EXPANDED | TVIS_EXPANDEDONCE);

  notifies.clear();
  EXPECT_TRUE(TreeView_Expand(t, s.a, TVE_COLLAPSE));
  EXPECT_TRUE(TreeView_Expand(t, s.a, TVE_TOGGLE));
  EXPECT_TRUE(notifies.empty());  // expanded once: code changes are silent
  EXPECT_EQ(TreeView_GetItemState(t, s.a, TVIS_EXPANDED), static_cast<UINT>(TVIS_EXPANDED));

  // A leaf cannot expand; a refused expansion leaves the item as it was.
  EXPECT_FALSE(TreeView_Expand(t, s.a1, TVE_EXPAND));
  onNotify = [](NMHDR* h) -> LRESULT { return h->code == TVN_ITEMEXPANDING; };
  EXPECT_FALSE(TreeView_Expand(t, s.a2, TVE_EXPAND));
  EXPECT_EQ(TreeView_GetItemState(t, s.a2, TVIS_EXPANDED), 0u);
  EXPECT_EQ(NotifyCodes(kTree), (std::vector<UINT>{TVN_ITEMEXPANDING}));
}

TEST_F(TreeViewTest, ClickingTheButtonExpandsAndCollapsesWithNotifications) {
  HWND t = MakeTree(kButtons | TVS_HASLINES);
  Sample s = Build(t);
  TreeView_Expand(t, s.a, TVE_EXPAND);  // expanded once by code already
  TreeView_Expand(t, s.a, TVE_COLLAPSE);
  notifies.clear();
  int row = static_cast<int>(SendMessage(t, TVM_GETITEMHEIGHT, 0, 0));
  int indent = static_cast<int>(SendMessage(t, TVM_GETINDENT, 0, 0));
  POINT button = DialogHarness::At(t, indent / 2, row / 2);
  TVHITTESTINFO hti{{indent / 2, row / 2}, 0, nullptr};
  EXPECT_EQ(TreeView_HitTest(t, &hti), s.a);
  EXPECT_EQ(hti.flags, static_cast<UINT>(TVHT_ONITEMBUTTON));

  for (auto [action, next] : {std::make_pair(TVE_EXPAND, s.a1), std::make_pair(TVE_COLLAPSE, s.b)}) {
    notifies.clear();
    ClickNow(button);
    EXPECT_EQ(LastOf(TVN_ITEMEXPANDED), Told(action, s.a));
    EXPECT_EQ(TreeView_GetNextVisible(t, s.a), next);
    // A click on the button does not select.
    EXPECT_EQ(TreeView_GetSelection(t), nullptr);
  }
}

TEST_F(TreeViewTest, KeysMoveTheCaretThroughVisibleRowsAndExpand) {
  HWND t = MakeTree(kButtons);
  Sample s = Build(t);
  TreeView_SelectItem(t, s.a);
  SetFocus(t);
  notifies.clear();
  // A dialog leaves it the arrows and the letters.
  EXPECT_EQ(SendMessage(t, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS | DLGC_WANTCHARS);
  KeysNow({VK_DOWN});
  EXPECT_EQ(TreeView_GetSelection(t), s.b);  // A's children are hidden
  EXPECT_EQ(LastOf(TVN_SELCHANGED), Told(TVC_BYKEYBOARD, s.b));
  EXPECT_EQ(Last(TVN_SELCHANGED)->oldItem, s.a);
  h.Key(VK_UP);
  h.Key(VK_RIGHT);  // expands A
  h.Key(VK_RIGHT);  // then steps into it
  h.Pump();
  EXPECT_EQ(TreeView_GetSelection(t), s.a1);
  EXPECT_EQ(LastOf(TVN_ITEMEXPANDED), Told(TVE_EXPAND, s.a));
  h.Key(VK_LEFT);  // to the parent
  h.Key(VK_LEFT);  // collapses it
  h.Pump();
  EXPECT_EQ(TreeView_GetSelection(t), s.a);
  EXPECT_EQ(TreeView_GetItemState(t, s.a, TVIS_EXPANDED), 0u);
  EXPECT_EQ(LastOf(TVN_ITEMEXPANDED), Told(TVE_COLLAPSE, s.a));
}

TEST_F(TreeViewTest, SelectingByCodeRevealsTheItemAndCanBeRefused) {
  HWND t = MakeTree(kButtons);
  Sample s = Build(t);
  EXPECT_TRUE(TreeView_Select(t, s.a2a, TVGN_CARET));
  EXPECT_EQ(TreeView_GetSelection(t), s.a2a);
  EXPECT_EQ(TreeView_GetItemState(t, s.a2a, TVIS_SELECTED), static_cast<UINT>(TVIS_SELECTED));
  // Its ancestors were expanded to show it.
  EXPECT_EQ(TreeView_GetItemState(t, s.a, TVIS_EXPANDED), static_cast<UINT>(TVIS_EXPANDED));
  EXPECT_EQ(TreeView_GetItemState(t, s.a2, TVIS_EXPANDED), static_cast<UINT>(TVIS_EXPANDED));
  EXPECT_EQ(LastOf(TVN_SELCHANGED), Told(TVC_UNKNOWN, s.a2a));

  onNotify = [](NMHDR* h) -> LRESULT { return h->code == TVN_SELCHANGING; };
  EXPECT_FALSE(TreeView_SelectItem(t, s.b));
  EXPECT_EQ(TreeView_GetSelection(t), s.a2a);
  onNotify = nullptr;

  // Collapsing above the caret moves it up to the collapsed item.
  TreeView_Expand(t, s.a, TVE_COLLAPSE);
  EXPECT_EQ(TreeView_GetSelection(t), s.a);
  EXPECT_TRUE(TreeView_SelectItem(t, nullptr));
  EXPECT_EQ(TreeView_GetSelection(t), nullptr);
}

TEST_F(TreeViewTest, HitTestingNamesThePartUnderThePoint) {
  HWND t = MakeTree(kButtons | TVS_HASLINES, 100);
  HIMAGELIST il = ImageList_Create(16, 16, ILC_COLOR24, 2, 1);
  TreeView_SetImageList(t, il, TVSIL_NORMAL);
  EXPECT_EQ(TreeView_GetImageList(t, TVSIL_NORMAL), il);
  Sample s = Build(t);
  TreeView_Expand(t, s.a, TVE_EXPAND);
  int row = static_cast<int>(SendMessage(t, TVM_GETITEMHEIGHT, 0, 0));
  int indent = static_cast<int>(SendMessage(t, TVM_GETINDENT, 0, 0));
  EXPECT_GE(row, 16);
  RECT label = LabelRect(t, s.a1);
  EXPECT_EQ(label.left, 2 * indent + 17);  // two slots, the image and a pixel
  EXPECT_EQ(label.top, row);

  struct Case {
    const char* name;
    POINT pt;
    UINT flags;
    HTREEITEM item;
  } cases[] = {
      {"button of A", {indent / 2, row / 2}, TVHT_ONITEMBUTTON, s.a},
      {"icon of A", {indent + 3, row / 2}, TVHT_ONITEMICON, s.a},
      {"label of A", {indent + 18, row / 2}, TVHT_ONITEMLABEL, s.a},
      {"right of A", {190, row / 2}, TVHT_ONITEMRIGHT, s.a},
      {"indent of A1", {indent / 2, row + row / 2}, TVHT_ONITEMINDENT, s.a1},
      {"slot of the leaf A1", {indent + indent / 2, row + row / 2}, TVHT_ONITEMINDENT, s.a1},
      {"button of A2", {indent + indent / 2, 2 * row + row / 2}, TVHT_ONITEMBUTTON, s.a2},
      {"below the rows", {20, 4 * row + 2}, TVHT_NOWHERE, nullptr},
      {"above", {20, -5}, TVHT_ABOVE, nullptr},
      {"right of the window", {500, 5}, TVHT_TORIGHT, nullptr},
  };
  for (const Case& c : cases) {
    TVHITTESTINFO hti{c.pt, 0, nullptr};
    EXPECT_EQ(TreeView_HitTest(t, &hti), c.item) << c.name;
    EXPECT_EQ(hti.flags, c.flags) << c.name;
  }
  ImageList_Destroy(il);
}

// Images are drawn through their mask in the slot before the label, and the
// caret of a focused tree is highlighted.
TEST_F(TreeViewTest, ImagesAreDrawnBeforeTheLabelAndTheFocusedCaretIsHighlighted) {
  HWND t = MakeTree(kButtons | TVS_HASLINES | TVS_SHOWSELALWAYS);
  // Two 16 x 16 images on magenta, the mask colour: none, then a yellow square.
  HDC screen = GetDC(nullptr);
  HBITMAP strip = CreateCompatibleBitmap(screen, 32, 16);
  ReleaseDC(nullptr, screen);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, strip);
  RECT all{0, 0, 32, 16}, square{18, 2, 30, 14};
  HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255)), yellow = CreateSolidBrush(RGB(240, 200, 60));
  FillRect(dc, &all, magenta);
  FillRect(dc, &square, yellow);
  DeleteObject(magenta);
  DeleteObject(yellow);
  SelectObject(dc, old);
  DeleteDC(dc);
  HIMAGELIST il = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 1);
  EXPECT_EQ(ImageList_AddMasked(il, strip, RGB(255, 0, 255)), 0);
  DeleteObject(strip);
  TreeView_SetImageList(t, il, TVSIL_NORMAL);
  HTREEITEM a = Insert(t, "A", TVI_ROOT, TVI_LAST, 1), b = Insert(t, "B");
  TreeView_SelectItem(t, b);
  SetFocus(t);
  h.Pump();
  RECT la = LabelRect(t, a), lb = LabelRect(t, b);
  int middle = la.top + (la.bottom - la.top - 16) / 2;
  EXPECT_EQ(PixelAt(DialogHarness::At(t, la.left - 17 + 8, middle + 8)), 0xF0C83Cu);
  EXPECT_EQ(PixelAt(DialogHarness::At(t, la.left - 17, middle + 1)), ScreenPixel(GetSysColor(COLOR_WINDOW)));
  EXPECT_EQ(PixelAt(DialogHarness::At(t, lb.left + 1, (lb.top + lb.bottom) / 2)),
            ScreenPixel(GetSysColor(COLOR_HIGHLIGHT)));
  ImageList_Destroy(il);
}

TEST_F(TreeViewTest, ClickingALabelSelectsThenReportsTheClick) {
  HWND t = MakeTree(kButtons, 100);
  Sample s = Build(t);
  RECT label = LabelRect(t, s.b);
  ClickNow(DialogHarness::At(t, label.left + 3, (label.top + label.bottom) / 2));
  EXPECT_EQ(TreeView_GetSelection(t), s.b);
  EXPECT_EQ(NotifyCodes(kTree), (std::vector<UINT>{NM_SETFOCUS, TVN_SELCHANGING, TVN_SELCHANGED, NM_CLICK}));
  EXPECT_EQ(LastOf(TVN_SELCHANGED), Told(TVC_BYMOUSE, s.b));
}

TEST_F(TreeViewTest, ItemsKeepTextImagesAndDataAndDeletionFreesTheirHandles) {
  HWND t = MakeTree(0, 100);
  HTREEITEM a = Insert(t, "alpha", TVI_ROOT, TVI_LAST, 3, 0x1234);
  HTREEITEM b = Insert(t, "beta", a);
  TVITEM it{};
  it.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
  it.hItem = a;
  ASSERT_TRUE(TreeView_GetItem(t, &it));
  EXPECT_EQ(it.iImage, 3);
  EXPECT_EQ(it.iSelectedImage, 3);
  EXPECT_EQ(it.lParam, 0x1234);
  EXPECT_EQ(it.cChildren, 1);
  it.mask = TVIF_TEXT | TVIF_IMAGE;
  it.pszText = const_cast<char*>("gamma");
  it.iImage = 1;
  EXPECT_TRUE(TreeView_SetItem(t, &it));
  EXPECT_EQ(Text(t, a), "gamma");
  // A short buffer gets as much as fits, ended.
  char small[3] = {'x', 'x', 'x'};
  TVITEM st{};
  st.mask = TVIF_TEXT;
  st.hItem = a;
  st.pszText = small;
  st.cchTextMax = 3;
  EXPECT_TRUE(TreeView_GetItem(t, &st));
  EXPECT_EQ(std::string(small), "ga");

  EXPECT_TRUE(TreeView_DeleteItem(t, a));  // with its child
  EXPECT_EQ(TreeView_GetCount(t), 0u);
  EXPECT_EQ(Text(t, a), "<none>");
  EXPECT_EQ(Text(t, b), "<none>");
  EXPECT_FALSE(TreeView_DeleteItem(t, b));
  EXPECT_EQ(NotifyCodes(kTree), (std::vector<UINT>{TVN_DELETEITEM, TVN_DELETEITEM}));

  notifies.clear();
  Sample s = Build(t);
  TreeView_SelectItem(t, s.a2);
  EXPECT_TRUE(TreeView_DeleteAllItems(t));
  EXPECT_EQ(TreeView_GetCount(t), 0u);
  EXPECT_EQ(TreeView_GetSelection(t), nullptr);
  EXPECT_EQ(TreeView_GetRoot(t), nullptr);
  // New items never take an old handle.
  HTREEITEM again = Insert(t, "again");
  for (HTREEITEM old : {s.a, s.a1, s.a2, s.a2a, s.b}) EXPECT_NE(again, old);
}

TEST_F(TreeViewTest, APopupTreeReportsToTheWindowItWasMadeFor) {
  // As a drop-down tree is made: a popup whose parent argument is the dialog.
  HWND t = CreateWindowEx(0, WC_TREEVIEW, "", WS_POPUP | WS_BORDER | TVS_HASBUTTONS | TVS_LINESATROOT, 0, 0, 10, 10,
                          parent, nullptr, nullptr, nullptr);
  ASSERT_NE(t, nullptr);
  Sample s = Build(t);
  TreeView_Expand(t, s.a, TVE_EXPAND);
  ASSERT_FALSE(notifies.empty());
  EXPECT_EQ(notifies.back().code, static_cast<UINT>(TVN_ITEMEXPANDED));
  EXPECT_EQ(notifies.back().id, 0u);
  // Its image list is reached through the framework's wrapper and draws.
  HIMAGELIST il = ImageList_Create(16, 16, ILC_COLOR24, 10, 5);
  ImageList_SetImageCount(il, 2);
  TreeView_SetImageList(t, il, TVSIL_NORMAL);
  CTreeCtrl tree;
  ASSERT_TRUE(tree.Attach(t));
  CImageList* images = tree.GetImageList(TVSIL_NORMAL);
  ASSERT_NE(images, nullptr);
  EXPECT_EQ(images->m_hImageList, il);
  EXPECT_EQ(images->GetImageCount(), 2);
  CDC dc;
  dc.CreateCompatibleDC(nullptr);
  CBitmap bmp;
  bmp.CreateBitmap(20, 20, 1, 32, nullptr);
  CBitmap* old = dc.SelectObject(&bmp);
  EXPECT_TRUE(images->Draw(&dc, 0, CPoint(4, 2), ILD_NORMAL));
  dc.SelectObject(old);
  tree.DestroyWindow();
  // The wrapper did not own the list: it is still there.
  EXPECT_EQ(ImageList_GetImageCount(il), 2);
  ImageList_Destroy(il);
}

// A tree that changes its images on the reflected expansion notification,
// as a folder tree does: open folder when expanded, closed otherwise.
class FolderTree : public CTreeCtrl {
 public:
  int reflected = 0;

 protected:
  afx_msg void OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult) {
    auto* nm = reinterpret_cast<NMTREEVIEW*>(pNMHDR);
    int image = nm->action == TVE_EXPAND ? 1 : 0;
    SetItemImage(nm->itemNew.hItem, image, image);
    ++reflected;
    *pResult = 0;
  }
  DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(FolderTree, CTreeCtrl)
ON_NOTIFY_REFLECT(TVN_ITEMEXPANDED, OnItemExpanded)
END_MESSAGE_MAP()

TEST_F(TreeViewTest, TheWrapperReflectsTheExpansionToTheControlItself) {
  // Reflection is the framework's: the parent must be a window of its own.
  CWnd host;
  ASSERT_TRUE(host.CreateEx(0, "KyCtlParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
  FolderTree tree;
  ASSERT_TRUE(tree.Create(WS_VISIBLE | TVS_HASBUTTONS | TVS_LINESATROOT, CRect(10, 10, 200, 150), &host, kTree));
  CImageList images;
  ASSERT_TRUE(images.Create(16, 16, ILC_COLOR24, 10, 5));
  EXPECT_EQ(tree.SetImageList(&images, TVSIL_NORMAL), nullptr);
  EXPECT_EQ(tree.GetImageList(TVSIL_NORMAL), &images);
  HTREEITEM root = tree.InsertItem("root", 0, 0);
  HTREEITEM child = tree.InsertItem("child", 0, 0, root);
  tree.SetItemData(child, 77);
  EXPECT_EQ(tree.GetItemData(child), 77u);
  EXPECT_EQ(tree.GetItemText(child), CString("child"));
  EXPECT_TRUE(tree.ItemHasChildren(root));
  EXPECT_TRUE(tree.Expand(root, TVE_EXPAND));
  EXPECT_EQ(tree.reflected, 1);
  int image = -1, selected = -1;
  EXPECT_TRUE(tree.GetItemImage(root, image, selected));
  EXPECT_EQ(image, 1);
  EXPECT_EQ(selected, 1);
  EXPECT_EQ(tree.GetNextVisibleItem(root), child);
  UINT flags = 0;
  EXPECT_EQ(tree.HitTest(CPoint(500, 500), &flags), nullptr);
  tree.DeleteAllItems();
  EXPECT_EQ(tree.GetCount(), 0u);
  tree.DestroyWindow();
  host.DestroyWindow();
}

}  // namespace

// Filling, walking and emptying a tree of many siblings visits each item a
// bounded number of times: the steps the control counts stay within a few
// per item, and the row count the scroll bar shows follows every change.
namespace {

constexpr int kMany = 2000;

struct ManyTree {
  HWND t;
  HTREEITEM parent;
  std::vector<HTREEITEM> kids;
};

// kMany children under an expanded top-level item, appended one by one.
ManyTree FillMany(HWND t, HTREEITEM after = TVI_LAST) {
  ManyTree m{t, Insert(t, "parent"), {}};
  TVITEM open{};
  open.mask = TVIF_STATE;
  open.hItem = m.parent;
  open.state = open.stateMask = TVIS_EXPANDED;
  TreeView_SetItem(t, &open);
  for (int i = 0; i < kMany; ++i) {
    HTREEITEM where = after == nullptr && !m.kids.empty() ? m.kids.back() : after == nullptr ? TVI_LAST : after;
    m.kids.push_back(Insert(t, "child", m.parent, where));
  }
  return m;
}

// The rows the scroll bar counts (one for none: its range is 0 to 0).
int ScrollRows(HWND t) {
  SCROLLINFO si{sizeof si, SIF_RANGE, 0, 0, 0, 0, 0};
  return GetScrollInfo(t, SB_VERT, &si) ? si.nMax + 1 : -1;
}

TEST_F(TreeViewTest, ManySiblingsCostAFewStepsEach) {
  static const struct {
    const char* name;
    HTREEITEM after;  // how the children are appended; nullptr: after the previous one
    void (*work)(ManyTree& m);
    int rows;        // visible rows after the work
    int deletions;   // TVN_DELETEITEM notifications during the work
  } cases[] = {
      {"append at the end", TVI_LAST, [](ManyTree&) {}, kMany + 1, 0},
      {"append at the front", TVI_FIRST, [](ManyTree&) {}, kMany + 1, 0},
      {"append after the previous", nullptr, [](ManyTree&) {}, kMany + 1, 0},
      {"delete everything", TVI_LAST, [](ManyTree& m) { TreeView_DeleteAllItems(m.t); }, 1, kMany + 1},
      {"delete the parent", TVI_LAST, [](ManyTree& m) { TreeView_DeleteItem(m.t, m.parent); }, 1, kMany + 1},
      {"delete each child, first to last", TVI_LAST,
       [](ManyTree& m) {
         for (HTREEITEM k : m.kids) TreeView_DeleteItem(m.t, k);
       },
       1, kMany},
      {"delete each child, last to first", TVI_LAST,
       [](ManyTree& m) {
         for (auto k = m.kids.rbegin(); k != m.kids.rend(); ++k) TreeView_DeleteItem(m.t, *k);
       },
       1, kMany},
      {"collapse and reset", TVI_LAST, [](ManyTree& m) { TreeView_Expand(m.t, m.parent, TVE_COLLAPSE | TVE_COLLAPSERESET); },
       1, kMany},
      {"collapse and expand", TVI_LAST,
       [](ManyTree& m) {
         TreeView_Expand(m.t, m.parent, TVE_COLLAPSE);
         TreeView_Expand(m.t, m.parent, TVE_EXPAND);
       },
       kMany + 1, 0},
      {"walk the siblings", TVI_LAST,
       [](ManyTree& m) {
         int n = 0;
         for (HTREEITEM k = TreeView_GetChild(m.t, m.parent); k; k = TreeView_GetNextSibling(m.t, k)) ++n;
         EXPECT_EQ(n, kMany);
       },
       kMany + 1, 0},
      {"walk the visible rows down and up", TVI_LAST,
       [](ManyTree& m) {
         int n = 0;
         HTREEITEM k = TreeView_GetRoot(m.t);
         for (HTREEITEM next = k; next; next = TreeView_GetNextVisible(m.t, k)) k = next, ++n;
         EXPECT_EQ(k, m.kids.back());
         for (; k; k = TreeView_GetPrevVisible(m.t, k)) ++n;
         EXPECT_EQ(n, 2 * (kMany + 1));
       },
       kMany + 1, 0},
  };
  for (const auto& c : cases) {
    HWND t = MakeTree(kButtons | TVS_HASLINES);
    notifies.clear();
    ManyTree m = FillMany(t, c.after);
    ASSERT_EQ(TreeView_GetCount(t), static_cast<UINT>(kMany + 1)) << c.name;
    EXPECT_EQ(ScrollRows(t), kMany + 1) << c.name;
    c.work(m);
    UpdateWindow(t);
    EXPECT_EQ(ScrollRows(t), c.rows) << c.name;
    std::vector<UINT> codes = NotifyCodes(kTree);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), static_cast<UINT>(TVN_DELETEITEM)), c.deletions) << c.name;
    // A few steps per item; a walk through the siblings for every insert or
    // delete would take kMany times as many.
    EXPECT_LE(kyuser::TreeViewSteps(t), 4u * kMany) << c.name;
    DestroyWindow(t);
  }
}

}  // namespace
