// The colour picker button, its popup and the colour chooser behind
// "More...", driven by real input through the dialog harness.
#include "KyButtonColorPicker.h"

#include "controls_fixture.h"

BEGIN_MESSAGE_MAP(CHostDlg, CDialog)
ON_MESSAGE(WM_COLORPICKER_SELCHANGE, OnColor)
ON_BN_CLICKED(IDC_T_FLAT, OnFlat)
END_MESSAGE_MAP()

namespace {

// The screen point at the middle of a popup entry.
POINT EntryPoint(CKyColorPopup* popup, int index) {
  CRect r = popup->EntryRect(index);
  return DialogHarness::At(popup->GetSafeHwnd(), r.CenterPoint().x, r.CenterPoint().y);
}

// The owner-drawn button, and a plain push button of the template subclassed
// as one: a click opens the popup below the button, a pick sends the colour
// and the button's id.
TEST(ColorPicker, ClickOpensPopupAndPickSendsColourAndId) {
  const struct {
    int id;
    CKyButtonColorPicker CHostDlg::*button;
    int entry;
    COLORREF colour;
  } cases[] = {{IDC_T_COLOR, &CHostDlg::m_btnColor, 13, RGB(0, 0, 255)},
               {IDC_T_COLOR2, &CHostDlg::m_btnColor2, 16, RGB(255, 0, 0)}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.id);
    DialogHarness h;
    CHostDlg dlg;
    CKyButtonColorPicker& button = dlg.*c.button;
    h.Then([&] {
      button.SetColor(RGB(1, 2, 3));
      h.Click(c.id);
    });
    h.Then([&] {
      CKyColorPopup* popup = button.GetPopup();
      ASSERT_NE(popup, nullptr);
      EXPECT_TRUE(IsWindowVisible(popup->GetSafeHwnd()));
      char cls[32] = {0};
      GetClassName(popup->GetSafeHwnd(), cls, sizeof cls);
      EXPECT_STREQ(cls, CKyColorPopup::ClassName());
      // Below the button, left edges aligned.
      CRect b, p;
      GetWindowRect(button.GetSafeHwnd(), &b);
      GetWindowRect(popup->GetSafeHwnd(), &p);
      EXPECT_EQ(p.left, b.left);
      EXPECT_EQ(p.top, b.bottom);
      EXPECT_TRUE(dlg.notices.empty());
      if (c.id == IDC_T_COLOR) h.Screenshot(DumpPath("color-popup.png"));
      h.Click(EntryPoint(popup, c.entry));
    });
    h.Then([&] {
      EXPECT_EQ(button.GetPopup(), nullptr);
      ASSERT_EQ(dlg.notices.size(), 1u);
      EXPECT_EQ(dlg.notices[0].color, c.colour);
      EXPECT_EQ(dlg.notices[0].id, c.id);
      EXPECT_EQ(button.GetColor(), c.colour);
      h.Click(IDOK);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(h.StepsLeft(), 0u);
  }
}

TEST(ColorPicker, EscapeAndClickOutsideCloseWithoutNotice) {
  DialogHarness h;
  CHostDlg dlg;
  h.Then([&] { h.Click(IDC_T_COLOR); });
  h.Then([&] {
    ASSERT_NE(dlg.m_btnColor.GetPopup(), nullptr);
    h.Key(VK_ESCAPE);
  });
  h.Then([&] {
    EXPECT_EQ(dlg.m_btnColor.GetPopup(), nullptr);
    // The dialog is still up: Escape went to the popup only.
    EXPECT_TRUE(IsWindow(dlg.GetSafeHwnd()));
    h.Click(IDC_T_COLOR);
  });
  h.Then([&] {
    ASSERT_NE(dlg.m_btnColor.GetPopup(), nullptr);
    CRect r;
    GetWindowRect(dlg.GetSafeHwnd(), &r);
    h.Click(POINT{r.right - 5, r.bottom - 40});  // the dialog's face, outside the popup
  });
  h.Then([&] {
    EXPECT_EQ(dlg.m_btnColor.GetPopup(), nullptr);
    EXPECT_TRUE(dlg.notices.empty());
    EXPECT_EQ(dlg.m_btnColor.GetColor(), RGB(0, 0, 0));
    h.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(ColorPicker, KeyboardOpensStepsAndPicks) {
  DialogHarness h;
  CHostDlg dlg;
  h.Then([&] {
    dlg.m_btnColor.SetColor(RGB(0, 0, 0));  // entry 0
    dlg.m_btnColor.SetFocus();
    h.Key(VK_SPACE);
  });
  h.Then([&] {
    CKyColorPopup* popup = dlg.m_btnColor.GetPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetHot(), 0);
    h.Key(VK_RIGHT);
    h.Key(VK_RIGHT);
    h.Key(VK_DOWN);  // entry 10: teal's row, third column
  });
  h.Then([&] {
    ASSERT_NE(dlg.m_btnColor.GetPopup(), nullptr);
    EXPECT_EQ(dlg.m_btnColor.GetPopup()->GetHot(), 10);
    h.Key(VK_RETURN);
  });
  h.Then([&] {
    ASSERT_EQ(dlg.notices.size(), 1u);
    EXPECT_EQ(dlg.notices[0].color, CKyColorPopup::Palette()[10]);
    EXPECT_TRUE(IsWindow(dlg.GetSafeHwnd()));  // Enter went to the popup, not to OK
    h.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(ColorPicker, MoreOpensChooserWhoseColourIsSentOnOkOnly) {
  DialogHarness h;
  CHostDlg dlg;
  h.Then([&] { h.Click(IDC_T_COLOR); });
  h.Then([&] { h.Click(EntryPoint(dlg.m_btnColor.GetPopup(), CKyColorPopup::kMoreEntry)); });
  h.Then([&] {
    h.Type(IDC_KYDEZ_RED, "200");
    h.Click(IDCANCEL);
  });
  h.Then([&] {
    // Cancelled: nothing sent, the popup gone.
    EXPECT_TRUE(dlg.notices.empty());
    EXPECT_EQ(dlg.m_btnColor.GetPopup(), nullptr);
    h.Click(IDC_T_COLOR);
  });
  h.Then([&] { h.Click(EntryPoint(dlg.m_btnColor.GetPopup(), CKyColorPopup::kMoreEntry)); });
  h.Then([&] {
    // In the chooser's own loop.
    HWND chooser = DialogHarness::Active();
    ASSERT_NE(GetDlgItem(chooser, IDC_KYDEZ_RED), nullptr);
    EXPECT_EQ(DialogHarness::Text(IDC_KYDEZ_RED), "0");
    h.Type(IDC_KYDEZ_RED, "18");
    h.Type(IDC_KYDEZ_GREEN, "52");
    h.Type(IDC_KYDEZ_BLUE, "86");
  });
  h.Then([&] {
    // The hue, saturation and lightness of RGB(18, 52, 86).
    EXPECT_EQ(DialogHarness::Text(IDC_KYDEZ_HUE), "210");
    EXPECT_EQ(DialogHarness::Text(IDC_KYDEZ_SAT), "65");
    EXPECT_EQ(DialogHarness::Text(IDC_KYDEZ_LIGHT), "20");
    h.Screenshot(DumpPath("color-chooser.png"));
    h.Click(IDOK);
  });
  h.Then([&] {
    ASSERT_EQ(dlg.notices.size(), 1u);
    EXPECT_EQ(dlg.notices[0].color, RGB(18, 52, 86));
    EXPECT_EQ(dlg.m_btnColor.GetPopup(), nullptr);
    h.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(ColorPicker, SwatchShowsTheColourSetFromCodeAndDisabledShowsNone) {
  DialogHarness h;
  CHostDlg dlg;
  // The middle of the swatch, which spans from 5 pixels in to the arrow, as 0x00RRGGBB.
  auto swatch = [&] {
    CRect r;
    GetWindowRect(dlg.m_btnColor.GetSafeHwnd(), &r);
    const int x = (r.left + 5 + r.right - 18) / 2, y = (r.top + r.bottom) / 2;
    return DialogHarness::Capture(CRect(x, y, x + 1, y + 1))[0];
  };
  h.Then([&] {
    // Set from code, twice: shown, and nobody is told.
    dlg.m_btnColor.SetColor(RGB(0x12, 0x34, 0x56));
    dlg.m_btnColor.SetColor(RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(dlg.m_btnColor.GetColor(), RGB(0x12, 0x34, 0x56));
    EXPECT_TRUE(dlg.notices.empty());
  });
  h.Then([&] {
    EXPECT_EQ(swatch(), 0x123456u);
    dlg.m_btnColor.EnableWindow(FALSE);
  });
  h.Then([&] {
    // Disabled: the face shows through the empty frame.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(swatch(), static_cast<DWORD>(GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face)));
    // A disabled button opens nothing.
    EXPECT_FALSE(dlg.m_btnColor.OpenPopup());
    h.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
}

TEST(ColorPicker, DialogClosingWithPopupOpenLeavesNothingBehind) {
  DialogHarness h;
  CHostDlg dlg;
  HWND popup = nullptr;
  h.Then([&] { h.Click(IDC_T_COLOR); });
  h.Then([&] {
    ASSERT_NE(dlg.m_btnColor.GetPopup(), nullptr);
    popup = dlg.m_btnColor.GetPopup()->GetSafeHwnd();
    dlg.EndDialog(IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_EQ(dlg.m_btnColor.GetPopup(), nullptr);
  EXPECT_TRUE(dlg.notices.empty());
}

}  // namespace
