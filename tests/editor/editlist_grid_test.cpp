// The browser grid on its own, in a plain parent window with a host that
// records what the grid tells it: cell pictures, the selection frame,
// clicks, scrolling by rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KyFSLEditList.h"
#include "dialog_harness.h"
#include "dlgtemplate.h"
#include "lib_builder.h"

namespace {

constexpr DWORD kGridStyle = 0x50800311;
constexpr int kGridId = 23411;
constexpr DWORD kBlue = 0x0000FF;  // COLORREF 0xFF0000 as the screen keeps it
constexpr DWORD kWhite = 0xFFFFFF;
constexpr DWORD kFrame = 0x404040;

class TestHost : public CKyFSLEditListHost {
 public:
  CKyFillStyleGroup* GetGridGroup() override { return group; }
  CKyFillStyleLib* GetGridLib() override { return lib; }
  void OnGridSelect(int index, CSize size) override { selects.push_back({index, size.cx, size.cy}); }
  void OnGridDoubleClick() override { ++doubleClicks; }

  struct Select {
    int index;
    long cx, cy;
  };
  CKyFillStyleGroup* group = nullptr;
  CKyFillStyleLib* lib = nullptr;
  std::vector<Select> selects;
  int doubleClicks = 0;
};

class EditListTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CKyFSLEditList::RegisterWndClass());
    KyDialogTemplate t(WS_POPUP | WS_VISIBLE | DS_SETFONT, 0, 0, 200, 200, "", 8, "MS Sans Serif");
    ASSERT_TRUE(parent.CreateIndirect(t.Get()));
    parent.MoveWindow(10, 10, 300, 300);
    parent.ShowWindow(SW_SHOW);
    host.lib = &lib;
    host.group = lib.GetStyleGroup();
  }
  void TearDown() override {
    if (grid.m_hWnd) grid.DestroyWindow();
    parent.DestroyWindow();
  }
  // Makes the grid as the editor does, at the given client size in cells.
  void MakeGrid(int width = 199, int height = 178) {
    grid.AttachHost(&host);
    ASSERT_TRUE(grid.CreateEx(WS_EX_CLIENTEDGE, "BRUSHLISTBOX", "", kGridStyle, CRect(2, 2, 2 + width, 2 + height),
                              &parent, kGridId));
    CRect client;
    grid.GetClientRect(&client);
    grid.m_nItemSize = 58;
    grid.m_nColumns = client.Width() / 58;
    grid.m_nRows = client.Height() / 58;
    SCROLLINFO si{sizeof si, SIF_ALL, 0, grid.m_nRows - 1, static_cast<UINT>(grid.m_nRows), 0, 0};
    grid.SetScrollInfo(SB_VERT, &si);
    grid.ScrollChange(0);
    grid.ReDraw();
    harness.Pump();
    if (getenv("KY_SHOT")) DialogHarness::Screenshot(getenv("KY_SHOT"));
  }
  // Screen pixels of a cell's rectangle (client coordinates of the grid).
  std::vector<DWORD> CellPixels(int index, int inset) {
    CRect r = grid.CellRect(index);
    r.DeflateRect(inset, inset);
    grid.ClientToScreen(&r);
    return DialogHarness::Capture(r);
  }
  static int Count(const std::vector<DWORD>& px, DWORD colour) {
    int n = 0;
    for (DWORD p : px) n += p == colour;
    return n;
  }
  DWORD PixelAt(int x, int y) {
    harness.Pump();
    POINT p{x, y};
    grid.ClientToScreen(&p);
    return DialogHarness::Capture(CRect(p.x, p.y, p.x + 1, p.y + 1))[0];
  }

  CKyFillStyleLib lib;
  TestHost host;
  CDialog parent;
  CKyFSLEditList grid;
  DialogHarness harness;
};

TEST_F(EditListTest, RootWithTwoGroupsAndFiveStylesNumbersTheCells) {
  CKyFillStyleGroup* root = lib.GetStyleGroup();
  ASSERT_TRUE(root->CreateSubGroup("A"));
  ASSERT_TRUE(root->CreateSubGroup("B"));
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(kytest::AddBitmap(lib, 8 + i, "s"));
  MakeGrid(199, 240);  // 3 columns, 4 rows: cells 0..11 are on screen
  EXPECT_EQ(grid.m_nColumns, 3);
  EXPECT_EQ(grid.m_nRows, 4);
  KyFSLGridCells c = grid.Cells();
  EXPECT_TRUE(c.IsSubGroup(0));
  EXPECT_TRUE(c.IsSubGroup(1));
  for (int i = 2; i <= 6; ++i) EXPECT_TRUE(c.IsStyle(i)) << i;
  EXPECT_TRUE(c.IsNew(7));
  // Swatches in blue on white; cells behind the new-style cell stay white.
  for (int i = 2; i <= 6; ++i) {
    std::vector<DWORD> px = CellPixels(i, 2);
    EXPECT_GT(Count(px, kBlue), 0) << "cell " << i;
    EXPECT_EQ(Count(px, kBlue) + Count(px, kWhite), static_cast<int>(px.size())) << "cell " << i;
  }
  for (int i = 8; i < 12; ++i) {
    std::vector<DWORD> px = CellPixels(i, 2);
    EXPECT_EQ(Count(px, kWhite), static_cast<int>(px.size())) << "cell " << i;
  }
}

TEST_F(EditListTest, ScrollChangeOfTheThreeByTwoExample) {
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(kytest::AddBitmap(lib, 8 + i, "s"));
  MakeGrid(199, 124);  // 3 columns, 2 rows
  ASSERT_EQ(grid.m_nColumns, 3);
  ASSERT_EQ(grid.m_nRows, 2);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  grid.GetScrollInfo(SB_VERT, &si);
  EXPECT_EQ(si.nMax, 6);  // 20 div 3 rows
  EXPECT_EQ(si.nPage, 2u);
  EXPECT_EQ(si.nPos, 0);
  EXPECT_TRUE(grid.ScrollChange(10));
  EXPECT_EQ(grid.GetScrollPos(SB_VERT), 2);
  EXPECT_EQ(grid.m_nTopIndex, 6);  // cells 6 to 11 visible
  EXPECT_FALSE(grid.ScrollChange(10));
  // Back up: an index above the visible cells scrolls to its row.
  EXPECT_TRUE(grid.ScrollChange(1));
  EXPECT_EQ(grid.m_nTopIndex, 0);
  // Never beyond the last page: the new-style cell 20 is on row 6.
  EXPECT_TRUE(grid.ScrollChange(20));
  EXPECT_EQ(grid.GetScrollPos(SB_VERT), 5);
  EXPECT_EQ(grid.m_nTopIndex, 15);
  EXPECT_TRUE(grid.ScrollChange(-1));
  EXPECT_EQ(grid.m_nTopIndex, 0);
}

TEST_F(EditListTest, EverythingFitsResetsTheRange) {
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(kytest::AddBitmap(lib, 8 + i, "s"));
  MakeGrid(199, 124);
  ASSERT_TRUE(grid.ScrollChange(10));
  lib.RemoveAll();
  // Nothing left to scroll: range back to one page, position 0.
  EXPECT_TRUE(grid.ScrollChange(0));
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  grid.GetScrollInfo(SB_VERT, &si);
  EXPECT_EQ(si.nMax, 1);
  EXPECT_EQ(si.nPos, 0);
  EXPECT_EQ(grid.m_nTopIndex, 0);
  EXPECT_FALSE(grid.ScrollChange(0));
}

// A click on a cell tells the host the cell and its style's size (a folder
// has none); a click right of the last column does nothing.
TEST_F(EditListTest, ClicksSelectAndTellTheHostTheStyleSize) {
  ASSERT_TRUE(lib.GetStyleGroup()->CreateSubGroup("A"));
  ASSERT_TRUE(kytest::AddBitmap(lib, 8, "a", nullptr, 12, 10));
  MakeGrid();
  host.selects.clear();
  harness.Click(DialogHarness::At(grid, 58 + 20, 20));  // cell 1, the style
  harness.Click(DialogHarness::At(grid, 20, 20));       // the folder
  harness.Click(DialogHarness::At(grid, 58 * 3 + 1, 20));
  harness.Pump();
  ASSERT_EQ(host.selects.size(), 2u);
  EXPECT_EQ((std::vector<long>{host.selects[0].index, host.selects[0].cx, host.selects[0].cy}),
            (std::vector<long>{1, 12, 10}));
  EXPECT_EQ((std::vector<long>{host.selects[1].index, host.selects[1].cx}), (std::vector<long>{0, 0}));
  EXPECT_EQ(grid.m_nSelIndex, 0);
  // A right click takes the selection away.
  harness.Click(DialogHarness::At(grid, 20, 20), VK_RBUTTON);
  harness.Pump();
  ASSERT_EQ(host.selects.size(), 3u);
  EXPECT_EQ(host.selects[2].index, -1);
  EXPECT_EQ(grid.m_nSelIndex, -1);
}

TEST_F(EditListTest, SelectionFrameIsNotXorAndSurvivesReDraw) {
  ASSERT_TRUE(kytest::AddBitmap(lib, 8, "a"));
  MakeGrid();
  // Cell 1 is the new-style cell; its frame lies on the cell's outer edge.
  EXPECT_NE(PixelAt(58 + 20, 0), kFrame);
  grid.BrushSelect(1);
  EXPECT_EQ(PixelAt(58 + 20, 0), kFrame);
  grid.ReDraw();
  EXPECT_EQ(PixelAt(58 + 20, 0), kFrame);
  EXPECT_EQ(grid.m_nSelIndex, 1);
  grid.BrushSelect(0);  // moving the frame erases the old one
  EXPECT_NE(PixelAt(58 + 20, 0), kFrame);
  EXPECT_EQ(PixelAt(20, 0), kFrame);
}

TEST_F(EditListTest, IndicesOutOfRangeAreIgnored) {
  ASSERT_TRUE(kytest::AddBitmap(lib, 8, "a"));
  MakeGrid();
  grid.BrushSelect(0);
  host.selects.clear();
  grid.BrushSelect(-2);
  grid.BrushSelect(2);  // beyond the new-style cell 1
  EXPECT_TRUE(host.selects.empty());
  EXPECT_EQ(grid.m_nSelIndex, 0);
  EXPECT_EQ(grid.CellFromPoint(CPoint(-1, 5)), -1);
}

TEST_F(EditListTest, VerticalBarScrollsByRows) {
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(kytest::AddBitmap(lib, 8 + i, "s"));
  MakeGrid(199, 124);
  grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0));
  EXPECT_EQ(grid.GetScrollPos(SB_VERT), 1);
  EXPECT_EQ(grid.m_nTopIndex, 3);
  grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0));  // + (page - 1)
  EXPECT_EQ(grid.GetScrollPos(SB_VERT), 2);
  grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0));
  grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0));
  grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0));
  EXPECT_EQ(grid.GetScrollPos(SB_VERT), 0);
  EXPECT_EQ(grid.m_nTopIndex, 0);
  // Line down stops at maximum - rows + 1 = 5.
  for (int i = 0; i < 10; ++i) grid.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0));
  EXPECT_EQ(grid.GetScrollPos(SB_VERT), 5);
  EXPECT_EQ(grid.m_nTopIndex, 15);
}

// The wheel over the grid scrolls it a row of cells a notch, within the
// same limits as the bar, whichever control has the focus; half notches (of
// a touchpad) add up.
TEST_F(EditListTest, TheWheelScrollsByRows) {
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(kytest::AddBitmap(lib, 8 + i, "s"));
  MakeGrid(199, 124);
  ::SetFocus(parent.m_hWnd);
  static const struct {
    const char* name;
    int delta;  // in 1/120 of a notch, positive away from the user
    int pos;    // the bar's position after it
  } steps[] = {
      {"one notch towards the user", -WHEEL_DELTA, 1},
      {"two more", -2 * WHEEL_DELTA, 3},
      {"half a notch", -WHEEL_DELTA / 2, 3},
      {"the other half", -WHEEL_DELTA / 2, 4},
      {"ten more stop at the end", -10 * WHEEL_DELTA, 5},
      {"one notch away", WHEEL_DELTA, 4},
      {"ten away stop at the top", 10 * WHEEL_DELTA, 0},
  };
  CRect r;
  grid.GetWindowRect(&r);
  for (const auto& s : steps) {
    if (s.delta % WHEEL_DELTA == 0) {
      DialogHarness::Wheel(r.CenterPoint(), s.delta / WHEEL_DELTA);  // through the screen, as a mouse
    } else {
      grid.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, s.delta), MAKELPARAM(r.CenterPoint().x, r.CenterPoint().y));
    }
    harness.Pump();
    EXPECT_EQ(grid.GetScrollPos(SB_VERT), s.pos) << s.name;
    EXPECT_EQ(grid.m_nTopIndex, 3 * s.pos) << s.name;
  }
}

}  // namespace
