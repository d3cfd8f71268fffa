// Dialogs: templates, dialog units, the keyboard, modal loops, data exchange
// and validation, resources along the chain.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resimage.h"
#include "dialog_harness.h"
#include "dlgtemplate.h"
#include "screen_checks.h"

using namespace kytest;

namespace {

enum { IDC_RATE = 101, IDC_NAME, IDC_CHECK, IDC_NESTED, IDC_LABEL };

KyDialogTemplate MakeTemplate(const char* caption = "Test") {
  KyDialogTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 20, 20, 200, 100, caption, 8,
                     "MS Sans Serif");
  t.LText("Rate:", IDC_LABEL, 7, 9, 30, 8);
  t.EditText(IDC_RATE, 40, 7, 40, 12);
  t.EditText(IDC_NAME, 40, 25, 80, 12, ES_AUTOHSCROLL);
  t.AutoCheckBox("Transparent", IDC_CHECK, 7, 45, 80, 12);
  t.PushButton("More...", IDC_NESTED, 7, 80, 50, 14);
  t.DefPushButton("OK", IDOK, 90, 80, 50, 14);
  t.PushButton("Cancel", IDCANCEL, 143, 80, 50, 14);
  return t;
}

class CRateDlg : public CDialog {
 public:
  explicit CRateDlg(const KyDialogTemplate& t, CWnd* parent = nullptr) { InitModalIndirect(t.Get(), parent); }
  int m_nRate = 50;
  CString m_strName = "grid";
  int m_bCheck = FALSE;
  std::vector<std::string> events;
  INT_PTR nestedResult = 0;
  std::function<void()> onNested;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_RATE, m_nRate);
    DDV_MinMaxInt(pDX, m_nRate, 0, 100);
    DDX_Text(pDX, IDC_NAME, m_strName);
    DDX_Check(pDX, IDC_CHECK, m_bCheck);
  }
  BOOL OnInitDialog() override {
    events.push_back("init");
    return CDialog::OnInitDialog();
  }
  void OnOK() override {
    events.push_back("ok");
    CDialog::OnOK();
  }
  afx_msg void OnCheck() { events.push_back("check"); }
  afx_msg void OnNested() {
    if (onNested) onNested();
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRateDlg, CDialog)
ON_BN_CLICKED(IDC_CHECK, OnCheck)
ON_BN_CLICKED(IDC_NESTED, OnNested)
END_MESSAGE_MAP()

class DialogTest : public testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(h.StepsLeft(), 0u); }  // every step ran, with its checks
  DialogHarness h;
  KyDialogTemplate t = MakeTemplate();
  CRateDlg dlg{t};
};

TEST(DialogTemplate, BuiltBytesReadBack) {
  KyDialogTemplate t = MakeTemplate("Caption");
  KyDialogInfo info;
  ASSERT_TRUE(KyParseDialogTemplate(t.Data(), t.Size(), &info));
  EXPECT_EQ(info.caption, "Caption");
  EXPECT_EQ(info.faceName, "MS Sans Serif");
  EXPECT_EQ(info.pointSize, 8);
  ASSERT_EQ(info.items.size(), 7u);
  EXPECT_EQ(info.items[0].className, "Static");
  EXPECT_EQ(info.items[0].title, "Rate:");
  EXPECT_EQ(info.items[1].className, "Edit");
  EXPECT_EQ(info.items[5].id, static_cast<DWORD>(IDOK));
  EXPECT_EQ(info.items[5].style & BS_TYPEMASK, static_cast<DWORD>(BS_DEFPUSHBUTTON));
  // Items sit on 4-byte boundaries: the first item header right after the face name.
  const std::vector<BYTE>& b = t.Bytes();
  EXPECT_EQ(b.size() % 2, 0u);
}

TEST(DialogTemplate, TruncatedTemplatesAreRefused) {
  KyDialogTemplate t = MakeTemplate();
  KyDialogInfo info;
  for (size_t n : {size_t{0}, size_t{3}, size_t{18}, size_t{40}, static_cast<size_t>(t.Size() - 1)}) {
    SCOPED_TRACE(n);
    EXPECT_FALSE(KyParseDialogTemplate(t.Data(), n, &info));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
  }
}

TEST_F(DialogTest, DialogUnitsFollowTheTemplateFontsBaseUnits) {
  ASSERT_TRUE(dlg.CreateIndirect(t.Get()));
  HFONT font = reinterpret_cast<HFONT>(dlg.SendMessage(WM_GETFONT));
  ASSERT_NE(font, nullptr);
  int bx = 0, by = 0;
  KyFontBaseUnits(font, &bx, &by);
  RECT r{40, 7, 80, 19};
  dlg.MapDialogRect(&r);
  EXPECT_EQ(Edges(r), Edges({MulDiv(40, bx, 4), MulDiv(7, by, 8), MulDiv(80, bx, 4), MulDiv(19, by, 8)}));
  RECT wr;  // the rate edit sits there
  ::GetWindowRect(::GetDlgItem(dlg.m_hWnd, IDC_RATE), &wr);
  POINT p{wr.left, wr.top};
  dlg.ScreenToClient(&p);
  EXPECT_EQ(p.x, r.left);
  EXPECT_EQ(p.y, r.top);
  EXPECT_EQ(ClientEdges(dlg.m_hWnd), Edges({0, 0, MulDiv(200, bx, 4), MulDiv(100, by, 8)}));
  dlg.DestroyWindow();
}

TEST_F(DialogTest, EnterPressesTheDefaultButtonAndUpdatesData) {
  h.Then([&] {
    EXPECT_EQ(h.Text(IDC_RATE), "50");
    h.Type(IDC_RATE, "75");
  });
  h.Then([&] { h.Key(VK_RETURN); });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_nRate, 75);
  EXPECT_EQ(dlg.m_strName, "grid");
  EXPECT_EQ(dlg.events, (std::vector<std::string>{"init", "ok"}));
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(DialogTest, EscapeCancelsWithoutExchangeAndAFocusedPushButtonTakesEnter) {
  h.Then([&] { h.Type(IDC_RATE, "10"); });
  h.Then([&] { h.Key(VK_ESCAPE); });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.m_nRate, 50);
  h.Then([&] {
    SetFocus(h.Item(IDCANCEL));
    h.Key(VK_RETURN);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, RangeValidationReportsTheStandardMessageAndStops) {
  h.Then([&] {
    h.Type(IDC_RATE, "150");
    h.Type(IDC_NAME, "changed");
  });
  h.Then([&] { h.Click(IDOK); });
  h.Then([&] {
    // The message box is up, in a loop of its own.
    EXPECT_EQ(h.MessageBoxText(), "Please enter an integer between 0 and 100.");
    EXPECT_TRUE(DialogHarness::Screenshot(testing::TempDir() + "range_message.png"));
    h.Key(VK_RETURN);
  });
  h.Then([&] {
    // Back in the dialog: the edit that failed has the focus and its text selected.
    HWND rate = h.Item(IDC_RATE);
    EXPECT_EQ(GetFocus(), rate);
    DWORD a = 0, b = 0;
    SendMessage(rate, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b));
    EXPECT_EQ(a, 0u);
    EXPECT_EQ(b, 3u);
    h.Click(IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.m_nRate, 50);           // the member keeps its value
  EXPECT_EQ(dlg.m_strName, "grid");     // the exchange stopped before the name
}

TEST_F(DialogTest, TextThatIsNoNumberIsRefused) {
  h.Then([&] { h.Type(IDC_RATE, "12x"); });
  h.Then([&] { h.Key(VK_RETURN); });
  h.Then([&] {
    EXPECT_EQ(h.MessageBoxText(), "Please enter an integer.");
    h.Key(VK_ESCAPE);  // a box with only OK answers Escape with OK
  });
  h.Then([&] { h.Key(VK_ESCAPE); });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST_F(DialogTest, ANestedModalDialogReturnsItsOwnResult) {
  KyDialogTemplate t = MakeTemplate("Outer");
  KyDialogTemplate t2 = MakeTemplate("Inner");
  CRateDlg outer(t);
  outer.onNested = [&] {
    CRateDlg inner(t2, &outer);
    outer.nestedResult = inner.DoModal();
    // The outer dialog was disabled while the inner one ran.
    EXPECT_TRUE(outer.IsWindowEnabled());
  };
  HWND outerWnd = nullptr;
  h.Then([&] {
    outerWnd = h.Active();
    h.Click(IDC_NESTED);
  });
  h.Then([&] {
    EXPECT_EQ(h.Text(h.Active()), "Inner");
    EXPECT_FALSE(IsWindowEnabled(outerWnd));
    h.Key(VK_ESCAPE);
  });
  h.Then([&] {
    EXPECT_EQ(h.Active(), outerWnd);
    h.Key(VK_RETURN);
  });
  EXPECT_EQ(outer.DoModal(), IDOK);
  EXPECT_EQ(outer.nestedResult, IDCANCEL);
}

TEST_F(DialogTest, TabOrderIsTheTemplatesOrderAndSkipsDisabledControls) {
  ASSERT_TRUE(dlg.CreateIndirect(t.Get()));
  dlg.ShowWindow(SW_SHOW);
  h.Pump();
  HWND rate = dlg.GetDlgItem(IDC_RATE)->m_hWnd;
  EXPECT_EQ(GetFocus(), rate);  // the first tab stop
  ::EnableWindow(dlg.GetDlgItem(IDC_NAME)->m_hWnd, FALSE);
  h.Key(VK_TAB);
  h.Pump();
  EXPECT_EQ(GetFocus(), dlg.GetDlgItem(IDC_CHECK)->m_hWnd);
  h.Key(VK_TAB, {VK_LSHIFT});
  h.Pump();
  EXPECT_EQ(GetFocus(), rate);
  // Space on the check box clicks it.
  dlg.GetDlgItem(IDC_CHECK)->SetFocus();
  h.Key(VK_SPACE);
  h.Pump();
  EXPECT_TRUE(h.IsChecked(IDC_CHECK, dlg.m_hWnd));
  EXPECT_EQ(dlg.events, (std::vector<std::string>{"init", "check"}));
  dlg.DestroyWindow();
}

TEST_F(DialogTest, AnUnknownControlClassFailsTheDialog) {
  KyDialogTemplate t(WS_POPUP | WS_CAPTION, 0, 0, 100, 50, "Bad", 8, "MS Sans Serif");
  t.Control("x", 5, "NoSuchControlClass", WS_VISIBLE, 5, 5, 20, 10);
  CDialog dlg;
  dlg.InitModalIndirect(t.Get());
  EXPECT_EQ(dlg.DoModal(), -1);
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  EXPECT_EQ(HWND(nullptr), CreateDialogIndirectParam(nullptr, t.Get(), nullptr, nullptr, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
  // DS_NOFAILCREATE makes the dialog without the control.
  KyDialogTemplate t2(WS_POPUP | WS_CAPTION | DS_NOFAILCREATE, 0, 0, 100, 50, "Bad", 8, "MS Sans Serif");
  t2.Control("x", 5, "NoSuchControlClass", WS_VISIBLE, 5, 5, 20, 10);
  HWND d = CreateDialogIndirectParam(nullptr, t2.Get(), nullptr, nullptr, 0);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(GetDlgItem(d, 5), nullptr);
  DestroyWindow(d);
}

TEST_F(DialogTest, AMissingControlFailsTheExchangeWithoutACrash) {
  KyDialogTemplate t(WS_POPUP | WS_CAPTION, 0, 0, 100, 50, "Few", 8, "MS Sans Serif");
  t.DefPushButton("OK", IDOK, 5, 5, 40, 14);
  struct CFew : CDialog {
    int v = 3;
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, 999, v); }
  } dlg;
  ASSERT_TRUE(dlg.CreateIndirect(t.Get()));
  EXPECT_FALSE(dlg.UpdateData(TRUE));
  EXPECT_EQ(dlg.v, 3);
  dlg.DestroyWindow();
}

TEST_F(DialogTest, ModelessDialogsRunInTheCallersLoop) {
  ASSERT_TRUE(dlg.CreateIndirect(t.Get()));
  dlg.ShowWindow(SW_SHOW);
  h.Click(IDC_CHECK, dlg.m_hWnd);
  h.Pump();
  EXPECT_TRUE(h.IsChecked(IDC_CHECK, dlg.m_hWnd));
  ASSERT_TRUE(dlg.UpdateData(TRUE));
  EXPECT_EQ(dlg.m_bCheck, TRUE);
  h.Click(IDC_CHECK, dlg.m_hWnd);
  h.Pump();
  EXPECT_FALSE(h.IsChecked(IDC_CHECK, dlg.m_hWnd));
  dlg.DestroyWindow();
  EXPECT_FALSE(::IsWindow(dlg.m_hWnd));
}

// A template registered as a resource of this test program, in two languages.
KyDialogTemplate& English() {
  static KyDialogTemplate t(WS_POPUP | WS_CAPTION, 0, 0, 100, 50, "English", 8, "MS Sans Serif");
  return t;
}
KyDialogTemplate& Chinese() {
  static KyDialogTemplate t(WS_POPUP | WS_CAPTION, 0, 0, 100, 50, "Chinese", 8, "MS Sans Serif");
  return t;
}

AFX_RESOURCE_SECTION(RegisterTestDialogs) {
  AFX_RESOURCE_ITEM items[] = {
      {RT_DIALOG, MAKEINTRESOURCE(4905), LANGID_ENGLISH_US, English().Data(), English().Size()},
      {RT_DIALOG, MAKEINTRESOURCE(4905), LANGID_CHINESE_SIMPLIFIED, Chinese().Data(), Chinese().Size()},
  };
  AfxRegisterResources(hModule, items, 2);
}

TEST_F(DialogTest, TemplatesComeFromResourcesInTheUserLanguage) {
  AfxSetResourceHandle(GetModuleHandle(nullptr));
  for (auto [lang, caption] : {std::pair<LANGID, const char*>{LANGID_ENGLISH_US, "English"},
                               std::pair<LANGID, const char*>{LANGID_CHINESE_SIMPLIFIED, "Chinese"}}) {
    SetThreadUILanguage(lang);
    CDialog dlg(4905);
    ASSERT_TRUE(dlg.Create(4905)) << caption;
    EXPECT_EQ(h.Text(dlg.m_hWnd), caption);
    dlg.DestroyWindow();
  }
  SetThreadUILanguage(0);
  CDialog missing(4999);
  EXPECT_EQ(missing.DoModal(), -1);
}

}  // namespace
