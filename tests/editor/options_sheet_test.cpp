// The editor's Option command and its two-page sheet, driven by clicks: the
// labels of both lists, what the sheet shows of the editor's settings, what
// OK brings back (and the canvas redrawn at the new zoom), what Cancel
// leaves, and the overwrite box that follows the append box.
#include "KyFSLOptionDlg.h"

#include "editdlg_fixture.h"
#include "prsht.h"

namespace {

class OptionSheet : public EditDlgTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(kytest::AddBitmap(lib, 8, "Plain", nullptr, 120, 120));
    Open();
  }
  static HWND Sheet() { return DialogHarness::Active(); }
  static HWND Tab() { return GetDlgItem(Sheet(), AFX_IDC_TAB_CONTROL); }
  static HWND PageItem(int id) { return GetDlgItem(PropSheet_GetCurrentPageHwnd(Sheet()), id); }
  void ClickTab(int i) {
    RECT r{};
    TabCtrl_GetItemRect(Tab(), i, &r);
    h.Click(DialogHarness::At(Tab(), (r.left + r.right) / 2, (r.top + r.bottom) / 2));
  }
  // Scrolls entry index of a page's list into view and clicks it.
  void ClickListEntry(int id, int index) {
    HWND list = PageItem(id);
    SendMessage(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    RECT r{};
    SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    h.Click(DialogHarness::At(list, r.left + 5, (r.top + r.bottom) / 2));
  }
  static std::vector<std::string> ListTexts(HWND list) {
    std::vector<std::string> out;
    int n = static_cast<int>(SendMessage(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      char buf[64] = {0};
      SendMessage(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buf));
      out.emplace_back(buf);
    }
    return out;
  }
  int CanvasScrollMax() {
    int lo = 0, hi = 0;
    dlg.m_wndCanvas.GetScrollRange(SB_HORZ, &lo, &hi);
    return hi;
  }
  static int ListSel(int id) { return static_cast<int>(SendMessage(PageItem(id), LB_GETCURSEL, 0, 0)); }
};

TEST_F(OptionSheet, ShowsTheEditorsSettingsWithTheirLabels) {
  std::string caption;
  std::vector<std::string> zoom, resolution;
  int zoomSel = -2, resolutionSel = -2;
  h.Then([&] {
    caption = DialogHarness::Text(Sheet());
    zoom = ListTexts(PageItem(IDC_OPTION_ZOOM));
    resolution = ListTexts(PageItem(IDC_OPTION_RESOLUTION));
    zoomSel = ListSel(IDC_OPTION_ZOOM);
    resolutionSel = ListSel(IDC_OPTION_RESOLUTION);
    h.Click(IDCANCEL);
  });
  Command(ID_FSL_DIALOG_SETTING);
  EXPECT_EQ(caption, "Setting...");
  EXPECT_EQ(zoom, (std::vector<std::string>{"2 * 2", "3 * 3", "4 * 4", "5 * 5", "6 * 6", "7 * 7", "8 * 8"}));
  EXPECT_EQ(resolution, (std::vector<std::string>{"72  dpi(0.353 mm/pixel)", "81  dpi(0.313 mm/pixel)",
                                                  "96  dpi(0.265 mm/pixel)", "127 dpi(0.200 mm/pixel)",
                                                  "150 dpi(0.169 mm/pixel)", "200 dpi(0.127 mm/pixel)",
                                                  "254 dpi(0.100 mm/pixel)"}));
  EXPECT_EQ(zoomSel, 4);        // the canvas starts at 6 * 6
  EXPECT_EQ(resolutionSel, 1);  // and new patterns at 81 dpi
  EXPECT_EQ(h.StepsLeft(), 0u);
}

TEST_F(OptionSheet, OKGivesTheEditorTheChoicesAndRedrawsTheCanvas) {
  ClickCell(0);
  Button(IDC_EDITOR_EDIT);  // 120 cells of 6 pixels are wider than the canvas
  dlg.m_wndCanvas.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINERIGHT, 0), 0);
  h.Pump();
  ASSERT_GT(dlg.m_wndCanvas.m_nScrollX, 0);
  const int maxBefore = CanvasScrollMax();
  h.Then([&] { ClickListEntry(IDC_OPTION_RESOLUTION, 3); });  // "127 dpi(0.200 mm/pixel)"
  h.Then([&] { ClickListEntry(IDC_OPTION_ZOOM, 0); });        // "2 * 2"
  h.Then([&] { ClickTab(1); });
  h.Then([&] { h.Click(DialogHarness::Centre(PageItem(IDC_OPTION_APPEND))); });
  h.Then([&] { h.Click(DialogHarness::Centre(PageItem(IDC_OPTION_OVERWRITE))); });
  h.Then([&] { h.Click(IDOK); });
  Command(ID_FSL_DIALOG_SETTING);
  EXPECT_EQ(h.StepsLeft(), 0u);
  EXPECT_EQ(dlg.m_nResolution, CKyFillStyle::FS_127DPI);
  EXPECT_EQ(dlg.m_wndCanvas.m_nCellSize, 2);
  EXPECT_TRUE(dlg.m_bAppend);
  EXPECT_TRUE(dlg.m_bOverwrite);
  // The scroll position is reset for the new zoom.
  EXPECT_EQ(dlg.m_wndCanvas.m_nScrollX, 0);
  EXPECT_EQ(dlg.m_wndCanvas.GetScrollPos(SB_HORZ), 0);
  // The range is made again for cells a third the size.
  EXPECT_LT(CanvasScrollMax(), maxBefore);

  // The next run shows the new values, overwrite enabled.
  int zoomSel = -2, resolutionSel = -2;
  bool appendChecked = false, overwriteEnabled = false;
  h.Then([&] {
    zoomSel = ListSel(IDC_OPTION_ZOOM);
    resolutionSel = ListSel(IDC_OPTION_RESOLUTION);
    ClickTab(1);
  });
  h.Then([&] {
    appendChecked = SendMessage(PageItem(IDC_OPTION_APPEND), BM_GETCHECK, 0, 0) == BST_CHECKED;
    overwriteEnabled = IsWindowEnabled(PageItem(IDC_OPTION_OVERWRITE)) != FALSE;
    h.Click(IDCANCEL);
  });
  Command(ID_FSL_DIALOG_SETTING);
  EXPECT_EQ(zoomSel, 0);
  EXPECT_EQ(resolutionSel, 3);
  EXPECT_TRUE(appendChecked);
  EXPECT_TRUE(overwriteEnabled);
}

TEST_F(OptionSheet, CancelReturnsNothingAfterChangesOnBothPages) {
  h.Then([&] { ClickListEntry(IDC_OPTION_RESOLUTION, 6); });
  h.Then([&] { ClickListEntry(IDC_OPTION_ZOOM, 6); });
  h.Then([&] { ClickTab(1); });
  h.Then([&] { h.Click(DialogHarness::Centre(PageItem(IDC_OPTION_APPEND))); });
  h.Then([&] { h.Click(IDCANCEL); });
  Command(ID_FSL_DIALOG_SETTING);
  EXPECT_EQ(h.StepsLeft(), 0u);
  EXPECT_EQ(dlg.m_nResolution, CKyFillStyle::FS_81DPI);
  EXPECT_EQ(dlg.m_wndCanvas.m_nCellSize, 6);
  EXPECT_FALSE(dlg.m_bAppend);
  EXPECT_FALSE(dlg.m_bOverwrite);
}

TEST_F(OptionSheet, OverwriteFollowsAppend) {
  std::vector<bool> enabled;
  std::vector<bool> overwrite;
  auto look = [&] {
    enabled.push_back(IsWindowEnabled(PageItem(IDC_OPTION_OVERWRITE)) != FALSE);
    overwrite.push_back(SendMessage(PageItem(IDC_OPTION_OVERWRITE), BM_GETCHECK, 0, 0) == BST_CHECKED);
  };
  h.Then([&] { ClickTab(1); });
  h.Then([&] {
    look();  // append off: overwrite disabled
    h.Click(DialogHarness::Centre(PageItem(IDC_OPTION_APPEND)));
  });
  h.Then([&] {
    look();  // append on: overwrite enabled
    h.Click(DialogHarness::Centre(PageItem(IDC_OPTION_OVERWRITE)));
  });
  h.Then([&] {
    look();  // overwrite set
    h.Click(DialogHarness::Centre(PageItem(IDC_OPTION_APPEND)));
  });
  h.Then([&] {
    look();  // append off again: overwrite cleared and disabled
    h.Click(IDOK);
  });
  Command(ID_FSL_DIALOG_SETTING);
  EXPECT_EQ(enabled, (std::vector<bool>{false, true, true, false}));
  EXPECT_EQ(overwrite, (std::vector<bool>{false, false, true, false}));
  EXPECT_FALSE(dlg.m_bAppend);
  EXPECT_FALSE(dlg.m_bOverwrite);
}

TEST_F(OptionSheet, ChineseCaptionsTabsAndLabels) {
  SetThreadUILanguage(2052);
  AfxSetCodePage(936);  // the templates' texts come out as GB2312
  CString expectedCaption;
  expectedCaption.LoadString(IDS_SETTING);
  std::string caption, tab0, tab1, append, overwrite;
  auto tabText = [](int i) {
    char buf[64] = {0};
    TCITEM it{};
    it.mask = TCIF_TEXT;
    it.pszText = buf;
    it.cchTextMax = sizeof buf;
    TabCtrl_GetItem(Tab(), i, &it);
    return std::string(buf);
  };
  h.Then([&] {
    caption = DialogHarness::Text(Sheet());
    tab0 = tabText(0);
    tab1 = tabText(1);
    ClickTab(1);
  });
  h.Then([&] {
    append = DialogHarness::Text(PageItem(IDC_OPTION_APPEND));
    overwrite = DialogHarness::Text(PageItem(IDC_OPTION_OVERWRITE));
    h.Click(IDCANCEL);
  });
  Command(ID_FSL_DIALOG_SETTING);
  SetThreadUILanguage(0);
  AfxSetCodePage(0);
  EXPECT_EQ(caption, std::string(expectedCaption));
  EXPECT_NE(caption, "Setting...");
  EXPECT_EQ(tab0, "\xd1\xf9\xca\xbd");      // 样式
  EXPECT_EQ(tab1, "\xb4\xf2\xbf\xaa");      // 打开
  EXPECT_EQ(append, "\xd7\xb7\xbc\xd3\xb5\xbd\xb5\xb1\xc7\xb0\xbf\xe2");  // 追加到当前库
  EXPECT_EQ(overwrite,
            "\xb8\xb2\xb8\xc7\xb1\xe0\xba\xc5\xcf\xe0\xcd\xac\xb5\xc4\xd1\xf9\xca\xbd\xa3\xbf");  // 覆盖编号相同的样式？
}

// The pages alone: values that the lists do not offer select nothing and
// come back unchanged; the page that is never shown keeps its values.
TEST(OptionPages, ValuesOutsideTheListsSelectNothing) {
  DialogHarness h;
  CKyFSLOptionDlg sheet(IDS_SETTING);
  sheet.m_pageStyle.m_nCellSize = 9;
  sheet.m_pageStyle.m_nResolution = 300;
  sheet.m_pageOpen.m_bAppend = TRUE;
  sheet.m_pageOpen.m_bOverwrite = TRUE;
  int zoomSel = 0, resolutionSel = 0;
  h.Then([&] {
    HWND page = PropSheet_GetCurrentPageHwnd(DialogHarness::Active());
    zoomSel = static_cast<int>(SendDlgItemMessage(page, IDC_OPTION_ZOOM, LB_GETCURSEL, 0, 0));
    resolutionSel = static_cast<int>(SendDlgItemMessage(page, IDC_OPTION_RESOLUTION, LB_GETCURSEL, 0, 0));
    h.Click(IDOK);
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(zoomSel, LB_ERR);
  EXPECT_EQ(resolutionSel, LB_ERR);
  EXPECT_EQ(sheet.m_pageStyle.m_nCellSize, 9);
  EXPECT_EQ(sheet.m_pageStyle.m_nResolution, 300);
  EXPECT_EQ(sheet.m_pageOpen.m_hWnd, nullptr);
  EXPECT_TRUE(sheet.m_pageOpen.m_bAppend);
  EXPECT_TRUE(sheet.m_pageOpen.m_bOverwrite);
}

}  // namespace
