// Property sheets: two pages in the shape of an options sheet (a page of
// list boxes, a page of check boxes), driven by clicks and keys: tabs, OK,
// Cancel and Apply, pages made only when shown, refusals, run-time classes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "afxdlgs.h"
#include "dialog_harness.h"
#include "dlgtemplate.h"
#include "resimage.h"

namespace {

enum { IDC_ZOOM = 501, IDC_RESOLUTION, IDC_APPEND, IDC_OVERWRITE };
enum { IDD_STYLE = 7701, IDD_OPEN, IDS_CAPTION = 7710, IDS_OTHER_TITLE };

const DWORD kPageStyle = DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION;

KyDialogTemplate& StyleTemplate() {
  static KyDialogTemplate t = [] {
    KyDialogTemplate d(kPageStyle, 0, 0, 220, 100, "Style", 8, "MS Sans Serif");
    d.ListBox(IDC_ZOOM, 137, 23, 68, 63, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP);
    d.GroupBox("Resolution", 0xFFFF, 7, 7, 113, 86);
    d.GroupBox("Zoom In", 0xFFFF, 130, 7, 81, 86);
    d.ListBox(IDC_RESOLUTION, 13, 23, 100, 63, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP);
    return d;
  }();
  return t;
}

KyDialogTemplate& OpenTemplate() {
  static KyDialogTemplate t = [] {
    KyDialogTemplate d(kPageStyle, 0, 0, 220, 100, "Open", 8, "MS Sans Serif");
    d.AutoCheckBox("Append the current Lib", IDC_APPEND, 50, 30, 112, 11, WS_TABSTOP);
    d.AutoCheckBox("Overwrited the same ID?", IDC_OVERWRITE, 50, 54, 111, 12, WS_TABSTOP);
    d.GroupBox("Append", 0xFFFF, 22, 8, 174, 77);
    return d;
  }();
  return t;
}

const AFX_RESOURCE_STRING kStrings[] = {
    {IDS_CAPTION, LANGID_ENGLISH_US, "Setting..."},
    {IDS_OTHER_TITLE, LANGID_ENGLISH_US, "Renamed"},
};

AFX_RESOURCE_SECTION(RegisterSheetTemplates) {
  AFX_RESOURCE_ITEM items[] = {
      {RT_DIALOG, MAKEINTRESOURCE(IDD_STYLE), LANGID_ENGLISH_US, StyleTemplate().Data(), StyleTemplate().Size()},
      {RT_DIALOG, MAKEINTRESOURCE(IDD_OPEN), LANGID_ENGLISH_US, OpenTemplate().Data(), OpenTemplate().Size()},
  };
  AfxRegisterResources(hModule, items, 2);
  AfxRegisterStrings(hModule, kStrings, 2);
}

// The pages keep a log of what the sheet asked them.
class CStylePage : public CPropertyPage {
  DECLARE_DYNCREATE(CStylePage)
 public:
  CStylePage() : CPropertyPage(IDD_STYLE) {}
  int m_nCellSize = 6;
  std::vector<std::string> log;
  bool refuseLeave = false;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_ZOOM, m_listZoom);
    log.push_back(pDX->m_bSaveAndValidate ? "save" : "show");
  }
  BOOL OnInitDialog() override {
    CPropertyPage::OnInitDialog();
    for (const char* z : {"2 * 2", "3 * 3", "4 * 4", "5 * 5", "6 * 6", "7 * 7", "8 * 8"}) m_listZoom.AddString(z);
    m_listZoom.SetCurSel(m_nCellSize - 2);
    log.push_back("init");
    return TRUE;
  }
  BOOL OnSetActive() override {
    log.push_back("setactive");
    return CPropertyPage::OnSetActive();
  }
  BOOL OnKillActive() override {
    log.push_back("killactive");
    return refuseLeave ? FALSE : CPropertyPage::OnKillActive();
  }
  void OnOK() override { log.push_back("ok"); }
  void OnCancel() override { log.push_back("cancel"); }
  afx_msg void OnZoomChange() { m_nCellSize = m_listZoom.GetCurSel() + 2; }
  CListBox m_listZoom;
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(CStylePage, CPropertyPage)
BEGIN_MESSAGE_MAP(CStylePage, CPropertyPage)
ON_LBN_SELCHANGE(IDC_ZOOM, OnZoomChange)
END_MESSAGE_MAP()

class COpenPage : public CPropertyPage {
  DECLARE_DYNCREATE(COpenPage)
 public:
  COpenPage() : CPropertyPage(IDD_OPEN) {}
  BOOL m_bAppend = FALSE;
  BOOL m_bOverwrite = FALSE;
  std::vector<std::string> log;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Check(pDX, IDC_APPEND, m_bAppend);
    DDX_Check(pDX, IDC_OVERWRITE, m_bOverwrite);
  }
  BOOL OnInitDialog() override {
    CPropertyPage::OnInitDialog();
    GetDlgItem(IDC_OVERWRITE)->EnableWindow(m_bAppend);
    log.push_back("init");
    return TRUE;
  }
  void OnOK() override { log.push_back("ok"); }
  void OnCancel() override { log.push_back("cancel"); }
  afx_msg void OnAppend() {
    UpdateData(TRUE);
    if (!m_bAppend) {
      m_bOverwrite = FALSE;
      UpdateData(FALSE);
    }
    GetDlgItem(IDC_OVERWRITE)->EnableWindow(m_bAppend);
    SetModified(TRUE);
  }
  DECLARE_MESSAGE_MAP()
};
IMPLEMENT_DYNCREATE(COpenPage, CPropertyPage)
BEGIN_MESSAGE_MAP(COpenPage, CPropertyPage)
ON_BN_CLICKED(IDC_APPEND, OnAppend)
END_MESSAGE_MAP()

class COptionSheet : public CPropertySheet {
  DECLARE_DYNAMIC(COptionSheet)
 public:
  COptionSheet(UINT nIDCaption, CWnd* pParent, UINT iSelectPage) : CPropertySheet(nIDCaption, pParent, iSelectPage) {
    AddPage(&m_pageStyle);
    AddPage(&m_pageOpen);
  }
  CStylePage m_pageStyle;
  COpenPage m_pageOpen;
};
IMPLEMENT_DYNAMIC(COptionSheet, CPropertySheet)

class PropSheetTest : public testing::Test {
 protected:
  void SetUp() override { AfxSetResourceHandle(GetModuleHandle(nullptr)); }
  // Every step ran, so the checks made inside the steps were all made.
  void TearDown() override { EXPECT_EQ(h.StepsLeft(), 0u); }
  static HWND Sheet() { return DialogHarness::Active(); }
  static HWND Tab() { return GetDlgItem(Sheet(), AFX_IDC_TAB_CONTROL); }
  static HWND Page() { return PropSheet_GetCurrentPageHwnd(Sheet()); }
  static HWND PageItem(int id) { return GetDlgItem(Page(), id); }
  void ClickTab(int i) {
    RECT r{};
    TabCtrl_GetItemRect(Tab(), i, &r);
    h.Click(DialogHarness::At(Tab(), (r.left + r.right) / 2, (r.top + r.bottom) / 2));
  }
  void ClickInPage(int id) { h.Click(DialogHarness::Centre(PageItem(id))); }
  static std::string TabText(int i) {
    char buf[64] = {0};
    TCITEM it{};
    it.mask = TCIF_TEXT;
    it.pszText = buf;
    it.cchTextMax = sizeof buf;
    TabCtrl_GetItem(Tab(), i, &it);
    return buf;
  }
  DialogHarness h;
};

TEST_F(PropSheetTest, TheSheetShowsItsCaptionTabsAndTheFirstPage) {
  COptionSheet sheet(IDS_CAPTION, nullptr, 0);
  h.Then([&] {
    EXPECT_EQ(h.Text(Sheet()), "Setting...");
    EXPECT_EQ(TabText(0), "Style");
    EXPECT_EQ(TabText(1), "Open");
    EXPECT_EQ(sheet.m_pageOpen.m_hWnd, nullptr);  // a page never shown is never made
    // The page sits inside the tab control, below the tabs.
    RECT page{}, tab{};
    GetWindowRect(Page(), &page);
    GetWindowRect(Tab(), &tab);
    EXPECT_GT(page.left, tab.left);
    EXPECT_GT(page.top, tab.top + 10);
    EXPECT_LT(page.right, tab.right);
    EXPECT_LT(page.bottom, tab.bottom);
    EXPECT_TRUE(DialogHarness::Screenshot(testing::TempDir() + "property_sheet_style.png"));
    h.Click(IDOK);
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(sheet.m_pageStyle.log,
            (std::vector<std::string>{"show", "init", "setactive", "killactive", "save", "ok"}));
  EXPECT_TRUE(sheet.m_pageOpen.log.empty());
  EXPECT_EQ(sheet.m_hWnd, nullptr);
}

TEST_F(PropSheetTest, ChoicesOnBothPagesComeBackOnOK) {
  COptionSheet sheet(IDS_CAPTION, nullptr, 0);
  sheet.m_pageStyle.m_nCellSize = 6;
  h.Then([&] {
    EXPECT_EQ(SendMessage(PageItem(IDC_ZOOM), LB_GETCURSEL, 0, 0), 4);  // "6 * 6"
    RECT r{};
    SendMessage(PageItem(IDC_ZOOM), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
    h.Click(DialogHarness::At(PageItem(IDC_ZOOM), r.left + 5, (r.top + r.bottom) / 2));  // "2 * 2"
  });
  h.Then([&] { ClickTab(1); });
  h.Then([&] {
    EXPECT_FALSE(IsWindowEnabled(PageItem(IDC_OVERWRITE)));
    ClickInPage(IDC_APPEND);
  });
  h.Then([&] {
    EXPECT_TRUE(IsWindowEnabled(PageItem(IDC_OVERWRITE)));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Sheet(), ID_APPLY_NOW)));
    ClickInPage(IDC_OVERWRITE);
  });
  h.Then([&] {
    EXPECT_TRUE(DialogHarness::Screenshot(testing::TempDir() + "property_sheet_open.png"));
    h.Click(IDOK);
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(sheet.m_pageStyle.m_nCellSize, 2);
  EXPECT_EQ(sheet.m_pageOpen.m_bAppend, TRUE);
  EXPECT_EQ(sheet.m_pageOpen.m_bOverwrite, TRUE);
  // Both pages were told OK, in page order.
  EXPECT_EQ(sheet.m_pageStyle.log.back(), "ok");
  EXPECT_EQ(sheet.m_pageOpen.log, (std::vector<std::string>{"init", "ok"}));
}

TEST_F(PropSheetTest, CancelTellsThePagesAndReturnsIDCANCEL) {
  COptionSheet sheet(IDS_CAPTION, nullptr, 1);
  h.Then([&] { ClickInPage(IDC_APPEND); });
  h.Then([&] { ClickTab(0); });
  h.Then([&] { h.Click(IDCANCEL); });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  // Leaving the page took its values; it is the caller's to ignore them.
  EXPECT_EQ(sheet.m_pageOpen.m_bAppend, TRUE);
  EXPECT_EQ(sheet.m_pageOpen.log, (std::vector<std::string>{"init", "cancel"}));
  EXPECT_EQ(sheet.m_pageStyle.log.back(), "cancel");
}

TEST_F(PropSheetTest, TheStartPageIsShownFirst) {
  COptionSheet sheet(IDS_CAPTION, nullptr, 1);
  h.Then([&] {
    EXPECT_EQ(TabCtrl_GetCurSel(Tab()), 1);
    EXPECT_EQ(GetFocus(), PageItem(IDC_APPEND));  // the page's first control starts with the focus
    h.Key(VK_ESCAPE);
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(sheet.m_pageStyle.m_hWnd, nullptr);
  EXPECT_TRUE(sheet.m_pageStyle.log.empty());
}

TEST_F(PropSheetTest, EnterPressesOKAndKeysMoveThroughThePages) {
  COptionSheet sheet(IDS_CAPTION, nullptr, 0);
  std::vector<int> tabOrder;
  h.Then([&] { h.Key(VK_TAB, {VK_LCONTROL}); });
  h.Then([&] { EXPECT_EQ(TabCtrl_GetCurSel(Tab()), 1); });
  for (int i = 0; i < 5; ++i)
    h.Then([&] {
      tabOrder.push_back(GetDlgCtrlID(GetFocus()));
      h.Key(VK_TAB);
    });
  h.Then([&] { h.Key(VK_SPACE); });  // on the first check box again, after a full round
  h.Then([&] { h.Key(VK_RETURN); });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  // The focus left the hidden page for the tab control; Tab goes through
  // the page's controls and the sheet's buttons, skipping what is disabled
  // (the overwrite box, Apply).
  EXPECT_EQ(tabOrder, (std::vector<int>{AFX_IDC_TAB_CONTROL, IDC_APPEND, IDOK, IDCANCEL, AFX_IDC_TAB_CONTROL}));
  EXPECT_EQ(sheet.m_pageOpen.m_bAppend, TRUE);
}

TEST_F(PropSheetTest, APageThatRefusesToBeLeftKeepsItsTabAndTheSheet) {
  COptionSheet sheet(IDS_CAPTION, nullptr, 0);
  sheet.m_pageStyle.refuseLeave = true;
  h.Then([&] { ClickTab(1); });
  h.Then([&] {
    EXPECT_EQ(TabCtrl_GetCurSel(Tab()), 0);
    h.Click(IDOK);
  });
  h.Then([&] {
    EXPECT_TRUE(IsWindow(sheet.m_hWnd) && IsWindowVisible(sheet.m_hWnd));
    sheet.m_pageStyle.refuseLeave = false;
    h.Click(IDOK);
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(sheet.m_pageOpen.m_hWnd, nullptr);
}

TEST_F(PropSheetTest, ApplyTakesTheValuesAndStaysOpen) {
  COptionSheet sheet(IDS_CAPTION, nullptr, 1);
  h.Then([&] {
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Sheet(), ID_APPLY_NOW)));
    ClickInPage(IDC_APPEND);
  });
  h.Then([&] { h.Click(ID_APPLY_NOW); });
  h.Then([&] {
    EXPECT_TRUE(IsWindowVisible(sheet.m_hWnd));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Sheet(), ID_APPLY_NOW)));
    h.Click(IDCANCEL);
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(sheet.m_pageOpen.log, (std::vector<std::string>{"init", "ok", "cancel"}));
}

TEST_F(PropSheetTest, PagesAreCountedAndActivatedByCode) {
  COptionSheet sheet(IDS_CAPTION, nullptr, 0);
  EXPECT_EQ(sheet.GetPageCount(), 2);
  EXPECT_EQ(sheet.GetPage(1), &sheet.m_pageOpen);
  EXPECT_EQ(sheet.GetPage(2), nullptr);
  EXPECT_EQ(sheet.GetPageIndex(&sheet.m_pageOpen), 1);
  EXPECT_EQ(sheet.GetActivePage(), &sheet.m_pageStyle);
  EXPECT_TRUE(sheet.SetActivePage(1));
  EXPECT_EQ(sheet.GetActiveIndex(), 1);
  EXPECT_FALSE(sheet.SetActivePage(5));
  EXPECT_EQ(sheet.GetTabControl(), nullptr);
  h.Then([&] {
    EXPECT_EQ(TabCtrl_GetCurSel(Tab()), 1);
    EXPECT_TRUE(sheet.SetActivePage(&sheet.m_pageStyle));
    EXPECT_EQ(sheet.GetActiveIndex(), 0);
    EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 0);
    EXPECT_TRUE(IsWindowVisible(sheet.m_pageStyle.m_hWnd));
    EXPECT_FALSE(IsWindowVisible(sheet.m_pageOpen.m_hWnd));
    sheet.PressButton(PSBTN_CANCEL);
  });
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  sheet.RemovePage(&sheet.m_pageStyle);
  EXPECT_EQ(sheet.GetPageCount(), 1);
  EXPECT_EQ(sheet.GetPage(0), &sheet.m_pageOpen);
}

TEST_F(PropSheetTest, ACaptionStringReplacesTheTemplateCaptionOnTheTab) {
  CPropertySheet sheet("Plain");
  CPropertyPage page(IDD_OPEN, IDS_OTHER_TITLE);
  sheet.AddPage(&page);
  h.Then([&] {
    EXPECT_EQ(TabText(0), "Renamed");
    h.Key(VK_RETURN);
  });
  EXPECT_EQ(sheet.DoModal(), IDOK);
}

TEST_F(PropSheetTest, ASheetThatCannotBeMadeReturnsMinusOne) {
  CPropertySheet empty("Empty");
  EXPECT_EQ(empty.DoModal(), -1);
  CPropertySheet missing("Missing");
  CPropertyPage page(4999);
  missing.AddPage(&page);
  EXPECT_EQ(missing.DoModal(), -1);
  EXPECT_EQ(missing.m_hWnd, nullptr);
  COptionSheet unanswered(IDS_CAPTION, nullptr, 0);  // no steps: the headless queue gives up
  EXPECT_EQ(unanswered.DoModal(), -1);
}

TEST_F(PropSheetTest, AModelessSheetRunsInTheCallersLoopAndOKDestroysIt) {
  COptionSheet sheet(IDS_CAPTION, nullptr, 1);
  ASSERT_TRUE(sheet.Create());
  EXPECT_TRUE(IsWindowVisible(sheet.m_hWnd));
  h.Click(DialogHarness::Centre(GetDlgItem(sheet.m_pageOpen.m_hWnd, IDC_APPEND)));
  h.Pump();
  h.Click(DialogHarness::Centre(GetDlgItem(sheet.m_hWnd, IDOK)));
  h.Pump();
  EXPECT_EQ(sheet.m_hWnd, nullptr);
  EXPECT_EQ(sheet.m_pageOpen.m_bAppend, TRUE);
  EXPECT_EQ(sheet.m_pageOpen.log, (std::vector<std::string>{"init", "ok"}));
}

TEST_F(PropSheetTest, RunTimeClassesChainUpToCWnd) {
  COptionSheet sheet(IDS_CAPTION, nullptr, 0);
  EXPECT_STREQ(sheet.GetRuntimeClass()->m_lpszClassName, "COptionSheet");
  EXPECT_TRUE(sheet.IsKindOf(RUNTIME_CLASS(CPropertySheet)));
  EXPECT_TRUE(sheet.IsKindOf(RUNTIME_CLASS(CWnd)));
  EXPECT_TRUE(sheet.IsKindOf(RUNTIME_CLASS(CCmdTarget)));
  EXPECT_FALSE(sheet.IsKindOf(RUNTIME_CLASS(CDialog)));
  EXPECT_TRUE(sheet.m_pageOpen.IsKindOf(RUNTIME_CLASS(CPropertyPage)));
  EXPECT_TRUE(sheet.m_pageOpen.IsKindOf(RUNTIME_CLASS(CDialog)));
  // Sheets are not made by name; pages declared creatable are.
  EXPECT_EQ(CRuntimeClass::CreateObject("COptionSheet"), nullptr);
  std::unique_ptr<CObject> page(CRuntimeClass::CreateObject("COpenPage"));
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(page->IsKindOf(RUNTIME_CLASS(COpenPage)));
  EXPECT_EQ(static_cast<COpenPage*>(page.get())->m_bAppend, FALSE);
  std::unique_ptr<CObject> wnd(RUNTIME_CLASS(CWnd)->CreateObject());
  EXPECT_NE(wnd, nullptr);
}

}  // namespace
