// The toolbar control and CToolBar: clicks by real input, check groups,
// the layout of buttons and separators, the TB_ messages, images, toolbar
// resources, and a look at the result.
#include <gtest/gtest.h>

#include <string>

#include "afxext.h"
#include "afxres.h"
#include "control_fixture.h"
#include "image_resources.h"
#include "screen_checks.h"

using namespace kytest;

namespace {

constexpr int kPalette = 4906;
constexpr int kSelect = 23301, kErase = 23302, kPen = 23303, kInvert = 23310;
constexpr WORD kToolbarRes = 7201, kShortToolbar = 7202, kOldToolbar = 7203, kNoBitmapToolbar = 7204;

// The strip of 16 x 15 images: image i is a square of colour i.
COLORREF ImageColor(int i) { return RGB(40 * i, 255 - 40 * i, 128); }

void RegisterAll() {
  static bool done = false;
  if (done) return;
  done = true;
  AddResource(RT_BITMAP, kToolbarRes, Dib24(16 * 4, 15, [](int x, int) { return ImageColor(x / 16); }));
  AddResource(RT_TOOLBAR, kToolbarRes, ToolbarData(16, 15, {23313, 23314, 0, 23318, 0, 23327, 23328}));
  Bytes cut = ToolbarData(16, 15, {1, 2, 3});
  cut.resize(cut.size() - 1);
  AddResource(RT_TOOLBAR, kShortToolbar, cut);
  AddResource(RT_TOOLBAR, kOldToolbar, ToolbarData(16, 15, {1, 2}, 2));
  AddResource(RT_TOOLBAR, kNoBitmapToolbar, ToolbarData(16, 15, {1, 2}));
}

TBBUTTON Button(int image, int id, BYTE style = TBSTYLE_BUTTON, BYTE state = TBSTATE_ENABLED) {
  TBBUTTON b{};
  b.iBitmap = image;
  b.idCommand = id;
  b.fsState = state;
  b.fsStyle = style;
  b.iString = -1;
  return b;
}

TBBUTTON Separator(int width = 0) { return Button(width, 0, TBSTYLE_SEP, 0); }

class ToolbarTest : public ControlFixture {
 protected:
  void SetUp() override {
    ControlFixture::SetUp();
    RegisterAll();
    AfxSetResourceHandle(GetModuleHandle(nullptr));
  }
  HWND MakeToolbar(DWORD style, int width = 300) {
    HWND tb = Make(TOOLBARCLASSNAME, nullptr, style | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 10, 10,
                   width, 60, kPalette);
    SendMessage(tb, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    return tb;
  }
  // Three check-group tools, a separator and a plain button.
  HWND MakePalette(DWORD style = TBSTYLE_FLAT) {
    HWND tb = MakeToolbar(style);
    TBBUTTON b[] = {Button(0, kSelect, TBSTYLE_CHECKGROUP, TBSTATE_ENABLED | TBSTATE_CHECKED),
                    Button(1, kErase, TBSTYLE_CHECKGROUP), Button(2, kPen, TBSTYLE_CHECKGROUP), Separator(),
                    Button(3, kInvert)};
    SendMessage(tb, TB_ADDBUTTONS, 5, reinterpret_cast<LPARAM>(b));
    return tb;
  }
  RECT ItemRect(HWND tb, int index) {
    RECT r{};
    SendMessage(tb, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    return r;
  }
  POINT CentreOf(HWND tb, int index) {
    RECT r = ItemRect(tb, index);
    return DialogHarness::At(tb, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  bool Checked(HWND tb, int id) { return SendMessage(tb, TB_ISBUTTONCHECKED, static_cast<WPARAM>(id), 0) == TRUE; }
};

TEST_F(ToolbarTest, AClickOnACheckGroupButtonUnchecksItsSiblingAndSendsTheCommand) {
  HWND tb = MakePalette();
  HWND from = nullptr;
  onCommand = [&](UINT, UINT, HWND h) { from = h; };
  ASSERT_TRUE(Checked(tb, kSelect));
  ClickNow(CentreOf(tb, 1));
  EXPECT_TRUE(Checked(tb, kErase));
  EXPECT_FALSE(Checked(tb, kSelect));
  EXPECT_FALSE(Checked(tb, kPen));
  ASSERT_EQ(notices, (std::vector<Notice>{{static_cast<UINT>(kErase), BN_CLICKED}}));

  // The checked one clicked again stays checked and still sends its command.
  ClickNow(CentreOf(tb, 1));
  EXPECT_TRUE(Checked(tb, kErase));
  EXPECT_EQ(notices.size(), 2u);

  ClickNow(CentreOf(tb, 2));
  EXPECT_TRUE(Checked(tb, kPen));
  EXPECT_FALSE(Checked(tb, kErase));
  // The plain button after the separator is outside the group.
  ClickNow(CentreOf(tb, 4));
  EXPECT_TRUE(Checked(tb, kPen));
  EXPECT_FALSE(Checked(tb, kInvert));
  EXPECT_EQ(notices.back(), (Notice{static_cast<UINT>(kInvert), BN_CLICKED}));
  EXPECT_EQ(from, tb);  // the command goes with the toolbar's handle

  // Checking by message also unchecks the group, and is not told.
  notices.clear();
  EXPECT_TRUE(SendMessage(tb, TB_CHECKBUTTON, kSelect, MAKELONG(TRUE, 0)));
  EXPECT_TRUE(Checked(tb, kSelect));
  EXPECT_FALSE(Checked(tb, kPen));
  EXPECT_TRUE(notices.empty());
}

TEST_F(ToolbarTest, OnlyAPressAndReleaseOnTheSameEnabledButtonClicks) {
  HWND tb = MakePalette();
  // Pressed on one button, released on another: nothing.
  h.Press(CentreOf(tb, 1));
  h.Pump();
  EXPECT_EQ(SendMessage(tb, TB_GETHOTITEM, 0, 0), 1);  // the mouse came over it before the press
  h.MoveTo(CentreOf(tb, 2));
  h.Release(CentreOf(tb, 2));
  h.Pump();
  EXPECT_TRUE(notices.empty());
  EXPECT_TRUE(Checked(tb, kSelect));
  // A disabled button does nothing.
  SendMessage(tb, TB_ENABLEBUTTON, kInvert, MAKELONG(FALSE, 0));
  ClickNow(CentreOf(tb, 4));
  EXPECT_TRUE(notices.empty());
  // Nor does the separator.
  ClickNow(CentreOf(tb, 3));
  EXPECT_TRUE(notices.empty());
}

TEST_F(ToolbarTest, APlainCheckButtonToggles) {
  HWND tb = MakeToolbar(0);
  TBBUTTON b = Button(0, 77, TBSTYLE_CHECK);
  SendMessage(tb, TB_ADDBUTTONS, 1, reinterpret_cast<LPARAM>(&b));
  for (bool expect : {true, false, true}) {
    ClickNow(CentreOf(tb, 0));
    EXPECT_EQ(Checked(tb, 77), expect);
  }
  EXPECT_EQ(Codes(77).size(), 3u);
}

TEST_F(ToolbarTest, ButtonsAndSeparatorsAreLaidOutInARow) {
  HWND tb = MakePalette();
  const RECT want[] = {{0, 0, 24, 22}, {24, 0, 48, 22}, {48, 0, 72, 22}, {72, 0, 80, 22}, {80, 0, 104, 22}};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Edges(ItemRect(tb, i)), Edges(want[i])) << i;
  SIZE sz{};
  ASSERT_TRUE(SendMessage(tb, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&sz)));
  EXPECT_EQ(sz.cx, 104);
  EXPECT_EQ(sz.cy, 22);
  EXPECT_EQ(SendMessage(tb, TB_GETROWS, 0, 0), 1);
  EXPECT_EQ(SendMessage(tb, TB_GETBUTTONSIZE, 0, 0), MAKELONG(24, 22));

  // A wider separator, an indent, bigger buttons.
  TBBUTTON wide = Separator(20);
  SendMessage(tb, TB_INSERTBUTTON, 1, reinterpret_cast<LPARAM>(&wide));
  SendMessage(tb, TB_SETINDENT, 5, 0);
  SendMessage(tb, TB_SETBUTTONSIZE, 0, MAKELONG(30, 28));
  EXPECT_EQ(ItemRect(tb, 0).left, 5);
  EXPECT_EQ(ItemRect(tb, 1).right - ItemRect(tb, 1).left, 20);
  EXPECT_EQ(ItemRect(tb, 2).left, 5 + 30 + 20);
  EXPECT_EQ(ItemRect(tb, 2).bottom, 28);
  // A hidden button takes no room.
  SendMessage(tb, TB_HIDEBUTTON, kErase, MAKELONG(TRUE, 0));
  EXPECT_EQ(ItemRect(tb, 3).left, 5 + 30 + 20);
  RECT r{1, 1, 1, 1};
  EXPECT_FALSE(SendMessage(tb, TB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&r)));
}

TEST_F(ToolbarTest, AWrapableToolbarWrapsToItsWidth) {
  HWND tb = MakeToolbar(TBSTYLE_FLAT | TBSTYLE_WRAPABLE, 80);
  TBBUTTON b[5];
  for (int i = 0; i < 5; ++i) b[i] = Button(i, 100 + i, TBSTYLE_CHECKGROUP);
  SendMessage(tb, TB_ADDBUTTONS, 5, reinterpret_cast<LPARAM>(b));
  // Three buttons of 24 fit in 80.
  EXPECT_EQ(ItemRect(tb, 2).top, 0);
  EXPECT_EQ(ItemRect(tb, 3).left, 0);
  EXPECT_EQ(ItemRect(tb, 3).top, 22);
  EXPECT_EQ(SendMessage(tb, TB_GETROWS, 0, 0), 2);
  // A button that ends its row by state.
  SendMessage(tb, TB_SETSTATE, 100, MAKELONG(TBSTATE_ENABLED | TBSTATE_WRAP, 0));
  EXPECT_EQ(ItemRect(tb, 1).top, 22);
  EXPECT_EQ(ItemRect(tb, 4).top, 44);
  EXPECT_EQ(SendMessage(tb, TB_GETROWS, 0, 0), 3);
  // Two rows asked for: the toolbar sets the wraps itself.
  RECT bounds{};
  SendMessage(tb, TB_SETROWS, MAKEWPARAM(2, TRUE), reinterpret_cast<LPARAM>(&bounds));
  EXPECT_EQ(SendMessage(tb, TB_GETROWS, 0, 0), 2);
  EXPECT_EQ(bounds.bottom, 44);
}

TEST_F(ToolbarTest, AutoSizeTakesTheParentsWidthAtTheTop) {
  HWND tb = Make(TOOLBARCLASSNAME, nullptr, TBSTYLE_FLAT | TBSTYLE_WRAPABLE | CCS_TOP, 0, 0, 0, 0, kPalette);
  SendMessage(tb, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  TBBUTTON b[30];
  for (int i = 0; i < 30; ++i) b[i] = Button(0, 200 + i);
  SendMessage(tb, TB_ADDBUTTONS, 30, reinterpret_cast<LPARAM>(b));
  SendMessage(tb, TB_AUTOSIZE, 0, 0);
  const LONG width = ClientEdges(parent)[2];
  // 500 / 24 = 20 buttons a row, so two rows, under the 2-pixel divider.
  EXPECT_EQ(SendMessage(tb, TB_GETROWS, 0, 0), 2);
  EXPECT_EQ(EdgesIn(tb, parent), Edges({0, 0, width, 2 + 2 * 22}));

  // CCS_NOMOVEY keeps its place.
  SetWindowLong(tb, GWL_STYLE, GetWindowLong(tb, GWL_STYLE) | CCS_NOMOVEY);
  SetWindowPos(tb, nullptr, 0, 40, 100, 10, SWP_NOZORDER);
  SendMessage(tb, TB_AUTOSIZE, 0, 0);
  EXPECT_EQ(EdgesIn(tb, parent), Edges({0, 40, width, 40 + 2 + 2 * 22}));
}

TEST_F(ToolbarTest, MessagesAnswerAsTheirDocumentationSays) {
  HWND tb = MakePalette();
  struct Case {
    const char* name;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
    LRESULT expect;
  } cases[] = {
      {"count", TB_BUTTONCOUNT, 0, 0, 5},
      {"index of a command", TB_COMMANDTOINDEX, kPen, 0, 2},
      {"index of no command", TB_COMMANDTOINDEX, 999, 0, -1},
      {"state", TB_GETSTATE, kSelect, 0, TBSTATE_ENABLED | TBSTATE_CHECKED},
      {"state of no command", TB_GETSTATE, 999, 0, -1},
      {"checked of no command", TB_ISBUTTONCHECKED, 999, 0, -1},
      {"enabled", TB_ISBUTTONENABLED, kErase, 0, TRUE},
      {"hidden", TB_ISBUTTONHIDDEN, kErase, 0, FALSE},
      {"check of no command", TB_CHECKBUTTON, 999, TRUE, FALSE},
      {"bitmap", TB_GETBITMAP, kInvert, 0, 3},
  };
  for (const Case& c : cases) EXPECT_EQ(SendMessage(tb, c.msg, c.wp, c.lp), c.expect) << c.name;
  // A hit on a button is its index; elsewhere, -1 less the index of the nearest item.
  for (auto [p, expect] : {std::pair<POINT, LRESULT>{{30, 5}, 1}, {{75, 5}, -1 - 3}, {{200, 5}, -1 - 4}})
    EXPECT_EQ(SendMessage(tb, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&p)), expect) << p.x;

  TBBUTTON got{};
  ASSERT_TRUE(SendMessage(tb, TB_GETBUTTON, 2, reinterpret_cast<LPARAM>(&got)));
  EXPECT_EQ(got.idCommand, kPen);
  EXPECT_EQ(got.iBitmap, 2);
  EXPECT_EQ(got.fsStyle, TBSTYLE_CHECKGROUP);
  EXPECT_FALSE(SendMessage(tb, TB_GETBUTTON, 9, reinterpret_cast<LPARAM>(&got)));

  TBBUTTONINFO bi{};
  bi.cbSize = sizeof bi;
  bi.dwMask = TBIF_BYINDEX | TBIF_COMMAND | TBIF_IMAGE;
  bi.idCommand = 555;
  bi.iImage = 7;
  EXPECT_TRUE(SendMessage(tb, TB_SETBUTTONINFO, 4, reinterpret_cast<LPARAM>(&bi)));
  EXPECT_EQ(SendMessage(tb, TB_COMMANDTOINDEX, 555, 0), 4);
  TBBUTTONINFO q{};
  q.cbSize = sizeof q;
  q.dwMask = TBIF_IMAGE | TBIF_STATE;
  EXPECT_EQ(SendMessage(tb, TB_GETBUTTONINFO, 555, reinterpret_cast<LPARAM>(&q)), 4);
  EXPECT_EQ(q.iImage, 7);
  EXPECT_EQ(q.fsState, TBSTATE_ENABLED);
  EXPECT_EQ(SendMessage(tb, TB_GETBUTTONINFO, 999, reinterpret_cast<LPARAM>(&q)), -1);

  EXPECT_TRUE(SendMessage(tb, TB_DELETEBUTTON, 0, 0));
  EXPECT_FALSE(SendMessage(tb, TB_DELETEBUTTON, 9, 0));
  EXPECT_EQ(SendMessage(tb, TB_COMMANDTOINDEX, kErase, 0), 0);
  EXPECT_TRUE(SendMessage(tb, TB_MOVEBUTTON, 0, 2));
  EXPECT_EQ(SendMessage(tb, TB_COMMANDTOINDEX, kErase, 0), 2);

  HWND other = reinterpret_cast<HWND>(0x99);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(tb, TB_SETPARENT, reinterpret_cast<WPARAM>(other), 0)), parent);
  EXPECT_EQ(reinterpret_cast<HWND>(SendMessage(tb, TB_SETPARENT, reinterpret_cast<WPARAM>(parent), 0)), other);
}

TEST_F(ToolbarTest, TheNotifyWindowSetWithSetParentGetsTheCommands) {
  HWND tb = MakePalette();
  HWND other = Make("Static", "", 0, 0, 0, 1, 1, 9);
  std::vector<UINT> got;
  // A window procedure of its own that records commands.
  static std::vector<UINT>* sink;
  sink = &got;
  SetWindowLongPtr(other, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND, UINT m, WPARAM w, LPARAM) -> LRESULT {
                     if (m == WM_COMMAND) sink->push_back(LOWORD(w));
                     return 0;
                   }));
  SendMessage(tb, TB_SETPARENT, reinterpret_cast<WPARAM>(other), 0);
  ClickNow(CentreOf(tb, 4));
  EXPECT_EQ(got, (std::vector<UINT>{static_cast<UINT>(kInvert)}));
  EXPECT_TRUE(notices.empty());
  DestroyWindow(tb);
}

// Bitmaps are cut into cells of the bitmap size; images land where the
// buttons' centres are.
TEST_F(ToolbarTest, AddedBitmapsAreDrawnOnTheButtons) {
  HWND tb = MakeToolbar(0);
  HBITMAP strip = LoadBitmap(GetModuleHandle(nullptr), MAKEINTRESOURCE(kToolbarRes));
  TBADDBITMAP ab{nullptr, reinterpret_cast<UINT_PTR>(strip)};
  EXPECT_EQ(SendMessage(tb, TB_ADDBITMAP, 2, reinterpret_cast<LPARAM>(&ab)), 0);
  TBADDBITMAP fromRes{GetModuleHandle(nullptr), kToolbarRes};
  EXPECT_EQ(SendMessage(tb, TB_ADDBITMAP, 4, reinterpret_cast<LPARAM>(&fromRes)), 2);
  TBADDBITMAP missing{GetModuleHandle(nullptr), 7299};
  EXPECT_EQ(SendMessage(tb, TB_ADDBITMAP, 1, reinterpret_cast<LPARAM>(&missing)), -1);
  DeleteObject(strip);  // the toolbar keeps its own copy
  TBBUTTON b[] = {Button(1, 1), Button(3, 2), Button(5, 3)};
  SendMessage(tb, TB_ADDBUTTONS, 3, reinterpret_cast<LPARAM>(b));
  h.Pump();
  // The image is centred: (24 - 16) / 2 = 4 and (22 - 15) / 2 = 3 from the corner.
  auto pixel = [&](int index, int dx, int dy) {
    RECT r = ItemRect(tb, index);
    return PixelAt(DialogHarness::At(tb, r.left + dx, r.top + dy));
  };
  EXPECT_EQ(pixel(0, 4 + 8, 3 + 7), ScreenPixel(ImageColor(1)));
  EXPECT_EQ(pixel(1, 4 + 8, 3 + 7), ScreenPixel(ImageColor(1)));  // image 3 = the second image of the resource
  EXPECT_EQ(pixel(2, 4 + 8, 3 + 7), ScreenPixel(ImageColor(3)));
  EXPECT_EQ(pixel(0, 1, 1), ScreenPixel(GetSysColor(COLOR_BTNHIGHLIGHT)));  // the raised edge
}

TEST_F(ToolbarTest, ACToolBarLoadsItsButtonsAndImagesFromAToolbarResource) {
  CWnd* owner = CWnd::FromHandle(parent);
  CToolBar bar;
  ASSERT_TRUE(bar.CreateEx(owner, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP | CBRS_TOOLTIPS));
  EXPECT_EQ(bar.GetDlgCtrlID(), AFX_IDW_TOOLBAR);
  ASSERT_TRUE(bar.LoadToolBar(kToolbarRes));
  EXPECT_EQ(bar.GetCount(), 7);
  const UINT ids[] = {23313, 23314, 0, 23318, 0, 23327, 23328};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(bar.GetItemID(i), ids[i]) << i;
    UINT nID, nStyle;
    int image;
    bar.GetButtonInfo(i, nID, nStyle, image);
    EXPECT_EQ(nStyle, ids[i] ? TBBS_BUTTON : TBBS_SEPARATOR) << i;
  }
  EXPECT_EQ(bar.CommandToIndex(23318), 3);
  EXPECT_EQ(bar.CommandToIndex(1), -1);
  UINT nID, nStyle;
  int image;
  bar.GetButtonInfo(5, nID, nStyle, image);
  EXPECT_EQ(image, 3);  // separators take no image
  CRect r;
  bar.GetItemRect(1, &r);
  EXPECT_EQ(r.Width(), 23);  // 16 + 7 wide, as the resource's images ask
  EXPECT_EQ(r.Height(), 22);
  EXPECT_EQ(bar.GetToolBarCtrl().GetButtonCount(), 7);
  EXPECT_EQ(bar.GetToolBarCtrl().m_hWnd, bar.m_hWnd);
  ASSERT_NE(bar.GetToolBarCtrl().GetToolTips(), nullptr);

  // Styles in the framework's encoding: a button made a check box toggles.
  bar.SetButtonStyle(0, TBBS_CHECKBOX);
  EXPECT_EQ(bar.GetButtonStyle(0), static_cast<UINT>(TBBS_CHECKBOX));
  bar.MoveWindow(10, 100, 300, 25);
  ClickNow(DialogHarness::At(bar.m_hWnd, (r.left + r.right) / 2 - 23, 10));
  EXPECT_EQ(bar.GetButtonStyle(0), static_cast<UINT>(TBBS_CHECKBOX | TBBS_CHECKED));
  EXPECT_EQ(notices.back(), (Notice{23313, BN_CLICKED}));
  bar.SetButtonStyle(0, TBBS_BUTTON | TBBS_DISABLED);
  EXPECT_FALSE(bar.GetToolBarCtrl().IsButtonEnabled(23313));

  CSize fixed = bar.CalcFixedLayout(TRUE, TRUE);
  EXPECT_EQ(fixed.cx, 500);
  EXPECT_EQ(fixed.cy, 22);

  // Bad resources leave a bar as it was.
  CToolBar plain;
  ASSERT_TRUE(plain.Create(owner));
  ASSERT_TRUE(plain.LoadToolBar(kToolbarRes));
  for (WORD bad : {kShortToolbar, kOldToolbar, kNoBitmapToolbar, static_cast<WORD>(7298)})
    EXPECT_FALSE(plain.LoadToolBar(bad)) << bad;
  EXPECT_EQ(plain.GetCount(), 7);
  EXPECT_EQ(plain.GetItemID(0), 23313u);
}

TEST_F(ToolbarTest, TheFrameworkWrapperAddsBitmapsAndButtons) {
  CToolBarCtrl ctrl;
  ASSERT_TRUE(ctrl.Create(WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_WRAPABLE | TBSTYLE_TOOLTIPS | CCS_NOMOVEY |
                              CCS_TOP,
                          CRect(0, 0, 0, 0), CWnd::FromHandle(parent), kPalette));
  EXPECT_EQ(ctrl.AddBitmap(4, kToolbarRes), 0);
  EXPECT_EQ(ctrl.AddBitmap(1, 7299u), -1);
  TBBUTTON b[] = {Button(0, kSelect, TBSTYLE_CHECKGROUP, TBSTATE_ENABLED | TBSTATE_CHECKED),
                  Button(1, kErase, TBSTYLE_CHECKGROUP)};
  ASSERT_TRUE(ctrl.AddButtons(2, b));
  ctrl.AutoSize();
  EXPECT_EQ(ctrl.GetButtonCount(), 2);
  EXPECT_TRUE(ctrl.IsButtonChecked(kSelect));
  EXPECT_TRUE(ctrl.CheckButton(kErase));
  EXPECT_FALSE(ctrl.IsButtonChecked(kSelect));
  EXPECT_EQ(ctrl.CommandToIndex(kErase), 1u);
  EXPECT_EQ(ctrl.GetButtonSize(), CSize(24, 22));
  ASSERT_NE(ctrl.GetToolTips(), nullptr);
  EXPECT_EQ(ctrl.GetToolTips()->GetToolCount(), 2);
  CRect r;
  ASSERT_TRUE(ctrl.GetItemRect(1, &r));
  EXPECT_EQ(r.left, 24);
}

// Renders a toolbar with separators, checked, pressed and disabled buttons
// to test-dumps/ to look at.
TEST_F(ToolbarTest, LookAtIt) {
  for (DWORD style : {static_cast<DWORD>(TBSTYLE_FLAT), static_cast<DWORD>(0)}) {
    HWND tb = Make(TOOLBARCLASSNAME, nullptr, style | CCS_NORESIZE | CCS_NOPARENTALIGN, 10, style ? 10 : 50, 300, 28,
                   kPalette);
    SendMessage(tb, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TBADDBITMAP ab{GetModuleHandle(nullptr), kToolbarRes};
    SendMessage(tb, TB_ADDBITMAP, 4, reinterpret_cast<LPARAM>(&ab));
    TBBUTTON b[] = {Button(0, 1, TBSTYLE_CHECKGROUP, TBSTATE_ENABLED | TBSTATE_CHECKED),
                    Button(1, 2, TBSTYLE_CHECKGROUP), Separator(),
                    Button(2, 3, TBSTYLE_BUTTON, TBSTATE_ENABLED | TBSTATE_PRESSED), Separator(),
                    Button(3, 4, TBSTYLE_BUTTON, 0), Button(0, 5)};
    SendMessage(tb, TB_ADDBUTTONS, 7, reinterpret_cast<LPARAM>(b));
  }
  h.Pump();
  EXPECT_TRUE(SaveZoomed(DumpDir() + "/toolbar.png", DialogHarness::At(parent, 0, 0), 330, 90, 3));
}

}  // namespace
