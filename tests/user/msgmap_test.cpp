// The framework's message routing: message maps, commands and control
// notifications, reflection to the control's own object, owner drawing,
// WM_USER messages, PreTranslateMessage and subclassing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dialog_harness.h"
#include "dlgtemplate.h"

namespace {

enum { IDC_LIST = 200, IDC_SWATCH, IDC_CHECK, IDC_COMBO };
#define WM_CHANGEGROUPPICKER (WM_USER + 1055)

std::vector<std::string>* g_events = nullptr;
void Log(const std::string& s) {
  if (g_events) g_events->push_back(s);
}

class CLoggingList : public CListBox {
 public:
  void DrawItem(LPDRAWITEMSTRUCT d) override { Log("list-draw " + std::to_string(d->itemID)); }
  void MeasureItem(LPMEASUREITEMSTRUCT m) override { m->itemHeight = 40; }

 protected:
  afx_msg void OnKillfocus() { Log("list-killfocus"); }
  afx_msg void OnLButtonDown(UINT nFlags, CPoint p) {
    Log("list-lbuttondown");
    CListBox::OnLButtonDown(nFlags, p);
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLoggingList, CListBox)
ON_CONTROL_REFLECT(LBN_KILLFOCUS, OnKillfocus)
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class CSwatch : public CButton {
 public:
  void DrawItem(LPDRAWITEMSTRUCT d) override { Log("swatch-draw " + std::to_string(d->itemAction)); }
};

class CRouteDlg : public CDialog {
 public:
  explicit CRouteDlg(LPCDLGTEMPLATE t) { InitModalIndirect(t); }
  CLoggingList m_list;
  CSwatch m_swatch;
  WPARAM picked = 0;
  int preTranslated = 0;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_LIST, m_list);
    DDX_Control(pDX, IDC_SWATCH, m_swatch);
  }
  BOOL PreTranslateMessage(MSG* pMsg) override {
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F2) {
      ++preTranslated;
      return TRUE;
    }
    return CDialog::PreTranslateMessage(pMsg);
  }
  afx_msg void OnSelchangeList() { Log("dlg-selchange"); }
  afx_msg void OnDblclkList() { Log("dlg-dblclk"); }
  afx_msg void OnKillfocusList() { Log("dlg-killfocus"); }
  afx_msg void OnCheck() { Log("dlg-check"); }
  afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT d) {
    Log("dlg-drawitem " + std::to_string(nIDCtl));
    CDialog::OnDrawItem(nIDCtl, d);
  }
  afx_msg LRESULT OnChangeGroupPicker(WPARAM wParam, LPARAM) {
    picked = wParam;
    return 5;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRouteDlg, CDialog)
ON_LBN_SELCHANGE(IDC_LIST, OnSelchangeList)
ON_LBN_DBLCLK(IDC_LIST, OnDblclkList)
ON_LBN_KILLFOCUS(IDC_LIST, OnKillfocusList)
ON_BN_CLICKED(IDC_CHECK, OnCheck)
ON_WM_DRAWITEM()
ON_MESSAGE(WM_CHANGEGROUPPICKER, OnChangeGroupPicker)
END_MESSAGE_MAP()

KyDialogTemplate& Template() {
  static KyDialogTemplate t = [] {
    KyDialogTemplate d(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 0, 220, 150, "Routes", 8, "MS Sans Serif");
    d.ListBox(IDC_LIST, 7, 7, 120, 100, LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT);
    d.PushButton("", IDC_SWATCH, 140, 7, 30, 14, BS_OWNERDRAW);
    d.AutoCheckBox("Check", IDC_CHECK, 140, 30, 60, 12);
    d.DefPushButton("OK", IDOK, 110, 125, 50, 14);
    d.PushButton("Cancel", IDCANCEL, 163, 125, 50, 14);
    return d;
  }();
  return t;
}

class MessageMapTest : public testing::Test {
 protected:
  void SetUp() override { g_events = &events; }
  void TearDown() override { g_events = nullptr; }
  std::vector<std::string> events;
  DialogHarness h;
  CRouteDlg dlg{Template().Get()};
  bool Saw(const std::string& e) const { return std::find(events.begin(), events.end(), e) != events.end(); }
};

TEST_F(MessageMapTest, NotificationsReachTheDialogAndReflectionReachesTheControl) {
  ASSERT_TRUE(dlg.CreateIndirect(Template().Get()));
  dlg.ShowWindow(SW_SHOW);
  for (int i = 0; i < 3; ++i) dlg.m_list.AddString("");
  // Items were measured before the object was attached: the list keeps its font's height.
  dlg.m_list.SetItemHeight(0, 30);
  h.Pump();
  events.clear();
  h.DoubleClick(DialogHarness::At(dlg.m_list.m_hWnd, 10, 45));
  h.Pump();
  // The list's own handler runs first, then the notifications go to the dialog.
  std::vector<std::string> want{"list-lbuttondown", "dlg-selchange", "dlg-dblclk"};
  std::vector<std::string> got;
  for (const std::string& e : events)
    if (e.rfind("list-draw", 0) != 0 && e.rfind("dlg-drawitem", 0) != 0 && e.rfind("swatch", 0) != 0) got.push_back(e);
  EXPECT_EQ(got, want);
  EXPECT_EQ(dlg.m_list.GetCurSel(), 1);
  // The list's items were drawn by its own object, through the dialog's OnDrawItem.
  EXPECT_TRUE(Saw("list-draw 1"));
  EXPECT_TRUE(Saw("dlg-drawitem 200"));
  // A reflected notification is eaten by the control: the dialog never sees it.
  events.clear();
  dlg.GetDlgItem(IDC_CHECK)->SetFocus();
  EXPECT_TRUE(Saw("list-killfocus"));
  EXPECT_FALSE(Saw("dlg-killfocus"));
  dlg.DestroyWindow();
}

TEST_F(MessageMapTest, CommandsOwnerDrawUserMessagesAndTheObjectsOfWindows) {
  ASSERT_TRUE(dlg.CreateIndirect(Template().Get()));
  dlg.ShowWindow(SW_SHOW);
  h.Pump();
  EXPECT_TRUE(Saw("swatch-draw 1"));
  events.clear();
  h.Click(IDC_CHECK, dlg.m_hWnd);
  h.Pump();
  EXPECT_TRUE(Saw("dlg-check"));
  EXPECT_EQ(dlg.SendMessage(WM_CHANGEGROUPPICKER, 1234, 0), 5);
  EXPECT_EQ(dlg.picked, 1234u);

  // Objects and windows: the dialog's own objects are permanent, others temporary.
  EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_hWnd), &dlg);
  EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_list.m_hWnd), &dlg.m_list);
  CWnd* check = dlg.GetDlgItem(IDC_CHECK);
  ASSERT_NE(check, nullptr);
  EXPECT_EQ(CWnd::FromHandlePermanent(check->m_hWnd), nullptr);
  EXPECT_EQ(check->GetParentOwner(), &dlg);
  EXPECT_EQ(dlg.GetDlgItem(12345), nullptr);
  // Subclassing twice fails; the first object keeps the window.
  CListBox again;
  EXPECT_FALSE(again.SubclassDlgItem(IDC_LIST, &dlg));
  HWND list = dlg.m_list.m_hWnd;
  dlg.DestroyWindow();
  EXPECT_EQ(dlg.m_list.m_hWnd, nullptr);
  EXPECT_FALSE(::IsWindow(list));
}

TEST_F(MessageMapTest, PreTranslateMessageSeesKeysFirst) {
  h.Then([&] {
    h.Key(VK_F2);
    h.Key(VK_ESCAPE);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.preTranslated, 1);
}

}  // namespace
