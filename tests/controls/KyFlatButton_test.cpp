// The flat button: its icon, and the edge that follows the mouse.
#include "KyFlatButton.h"

#include "controls_fixture.h"

namespace {

DWORD ToRGB(COLORREF c) { return static_cast<DWORD>(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c)); }

TEST(FlatButton, ShowsItsIconCentredAtTheSizeGiven) {
  DialogHarness h;
  CHostDlg dlg;
  HICON icon = LoadIcon(nullptr, IDI_EXCLAMATION);
  ASSERT_NE(icon, nullptr);
  h.Then([&] {
    EXPECT_EQ(dlg.m_btnFlat.SetIcon(icon, 32, 32), nullptr);
    EXPECT_EQ(dlg.m_btnFlat.GetIcon(), icon);
    EXPECT_EQ(dlg.m_btnFlat.GetIconSize(), CSize(32, 32));
  });
  h.Then([&] {
    CRect r;
    GetWindowRect(dlg.m_btnFlat.GetSafeHwnd(), &r);
    const CPoint c = r.CenterPoint();
    const int x0 = r.left + (r.Width() - 32) / 2, y0 = r.top + (r.Height() - 32) / 2;
    // The icon's 32 x 32 pixels hold some of its own; around them the face.
    const DWORD face = ToRGB(GetSysColor(COLOR_BTNFACE));
    std::vector<DWORD> px = DialogHarness::Capture(CRect(x0, y0, x0 + 32, y0 + 32));
    int drawn = 0;
    for (DWORD p : px) drawn += p != face;
    EXPECT_GT(drawn, 32);
    px = DialogHarness::Capture(CRect(x0 - 2, y0 - 2, x0, y0 + 32));
    for (DWORD p : px) EXPECT_EQ(p, face);
    px = DialogHarness::Capture(CRect(x0 + 32, y0, x0 + 34, y0 + 32));
    for (DWORD p : px) EXPECT_EQ(p, face);
    // Flat: no edge while the mouse is elsewhere.
    px = DialogHarness::Capture(CRect(r.left, c.y, r.left + 1, c.y + 1));
    EXPECT_EQ(px[0], ToRGB(GetSysColor(COLOR_BTNFACE)));
    h.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(FlatButton, RaisesUnderTheMouseAndClicks) {
  DialogHarness h;
  CHostDlg dlg;
  h.Then([&] { h.MoveTo(DialogHarness::Centre(DialogHarness::Item(IDC_T_FLAT))); });
  h.Then([&] {
    EXPECT_TRUE(dlg.m_btnFlat.IsHot());
    CRect r;
    GetWindowRect(dlg.m_btnFlat.GetSafeHwnd(), &r);
    // The raised edge: a highlight line on the left.
    std::vector<DWORD> px = DialogHarness::Capture(CRect(r.left, r.top + 5, r.left + 1, r.top + 6));
    EXPECT_EQ(px[0], ToRGB(GetSysColor(COLOR_BTNHIGHLIGHT)));
    h.MoveTo(DialogHarness::Centre(DialogHarness::Item(IDC_T_OTHER)));
  });
  h.Then([&] {
    EXPECT_FALSE(dlg.m_btnFlat.IsHot());
    EXPECT_NE(GetCapture(), dlg.m_btnFlat.GetSafeHwnd());
    h.Click(IDC_T_FLAT);
  });
  h.Then([&] {
    EXPECT_EQ(dlg.flatClicks, 1);
    EXPECT_TRUE(dlg.m_btnFlat.IsHot());  // the mouse is still over it
    h.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(FlatButton, WithoutIconDrawsItsTextAndKeepsNoIcon) {
  CKyFlatButton b;
  EXPECT_EQ(b.GetIcon(), nullptr);
  EXPECT_EQ(b.SetIcon(nullptr, 0, -3), nullptr);
  EXPECT_EQ(b.GetIconSize(), CSize(32, 32));  // a size of nothing counts as 32
  HICON icon = LoadIcon(nullptr, IDI_APPLICATION);
  EXPECT_EQ(b.SetIcon(icon, CSize(16, 24)), nullptr);
  EXPECT_EQ(b.GetIconSize(), CSize(16, 24));
  EXPECT_EQ(b.SetIcon(nullptr), icon);
  EXPECT_EQ(b.GetIconSize(), CSize(32, 32));
  EXPECT_FALSE(b.IsHot());
}

}  // namespace
