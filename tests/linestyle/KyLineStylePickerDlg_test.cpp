// The line style picker driven by real input: entries clicked, the width
// typed, the colour picked through the button's popup, OK and Cancel.
#include "KyLineStylePickerDlg.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "KyColorPopup.h"
#include "KyZod50Res.h"
#include "dialog_harness.h"

namespace {

POINT EntryPoint(int index) {
  HWND list = DialogHarness::Item(IDC_KYZOD_STYLES);
  RECT r{};
  SendMessage(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  return DialogHarness::At(list, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

std::string Dump(const char* name) {
  std::filesystem::create_directories("test-dumps");
  return std::string("test-dumps/") + name;
}

class LineStylePicker : public testing::Test {
 protected:
  void SetUp() override { lib.CreateDefault(); }
  CKyLineStyleLib lib;
  DialogHarness h;
};

TEST_F(LineStylePicker, ShowsPenStylesThenTheLibraryAndSelectsTheCurrentOne) {
  CKyLineStylePickerDlg dlg;
  dlg.AttachLineStyleLib(&lib);
  dlg.SetCurSelStyle(8);
  dlg.SetCurSelWidth(3);
  dlg.SetCurSelColor(RGB(0, 128, 0));
  h.Then([&] {
    HWND list = DialogHarness::Item(IDC_KYZOD_STYLES);
    EXPECT_EQ(SendMessage(list, LB_GETCOUNT, 0, 0), 12);
    EXPECT_EQ(SendMessage(list, LB_GETCURSEL, 0, 0), 8);  // six pen styles, then 6, 7, 8
    EXPECT_EQ(DialogHarness::Text(IDC_KYZOD_NAME), "Railway");
    EXPECT_EQ(DialogHarness::Text(IDC_KYZOD_WIDTH), "3");
    char text[64] = {0};
    SendMessage(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Solid");
    SendMessage(list, LB_GETTEXT, 11, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Wall");
    h.Screenshot(Dump("linestyle-picker.png"));
    h.Click(IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.GetCurSelStyle(), 8);
  EXPECT_EQ(dlg.GetCurSelWidth(), 3);
  EXPECT_EQ(dlg.GetCurSelColor(), RGB(0, 128, 0));
}

TEST_F(LineStylePicker, OkReturnsStyleWidthAndColourChosen) {
  CKyLineStylePickerDlg dlg;
  dlg.AttachLineStyleLib(&lib);
  dlg.SetCurSelStyle(0);
  dlg.SetCurSelWidth(1);
  dlg.SetCurSelColor(RGB(0, 0, 0));
  h.Then([&] {
    h.Click(EntryPoint(2));                   // dot
    for (int i = 0; i < 7; ++i) h.Key(VK_DOWN);  // on to the fence with teeth, scrolling
  });
  h.Then([&] {
    EXPECT_EQ(DialogHarness::Text(IDC_KYZOD_NAME), "Fence with teeth");
    h.Type(IDC_KYZOD_WIDTH, "12");
    h.Click(IDC_KYZOD_COLOR);
  });
  h.Then([&] {
    // The popup is the active window now: the button is found from the dialog.
    auto* button = dynamic_cast<CKyButtonColorPicker*>(
        CWnd::FromHandlePermanent(GetDlgItem(dlg.GetSafeHwnd(), IDC_KYZOD_COLOR)));
    ASSERT_NE(button, nullptr);
    CKyColorPopup* popup = button->GetPopup();
    ASSERT_NE(popup, nullptr);
    CRect r = popup->EntryRect(16);  // red
    h.Click(DialogHarness::At(popup->GetSafeHwnd(), r.CenterPoint().x, r.CenterPoint().y));
  });
  h.Then([&] { h.Click(IDOK); });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetCurSelStyle(), 9);
  EXPECT_EQ(dlg.GetCurSelWidth(), 12);
  EXPECT_EQ(dlg.GetCurSelColor(), RGB(255, 0, 0));
}

TEST_F(LineStylePicker, DoubleClickIsOkAndPenStylesComeBackAsTheirIds) {
  CKyLineStylePickerDlg dlg;
  dlg.AttachLineStyleLib(&lib);
  h.Then([&] { h.DoubleClick(EntryPoint(3)); });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetCurSelStyle(), 3);  // PS_DASHDOT
}

TEST_F(LineStylePicker, WidthOutOfRangeGetsTheRangeMessageAndStaysOpen) {
  CKyLineStylePickerDlg dlg;
  dlg.AttachLineStyleLib(&lib);
  dlg.SetCurSelWidth(4);
  std::string message;
  h.Then([&] {
    h.Type(IDC_KYZOD_WIDTH, "0");
    h.Click(IDOK);
  });
  h.Then([&] {
    message = DialogHarness::MessageBoxText();
    h.Key(VK_RETURN);
  });
  h.Then([&] {
    EXPECT_TRUE(IsWindow(DialogHarness::Item(IDC_KYZOD_STYLES)));
    h.Type(IDC_KYZOD_WIDTH, "7");
    h.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_NE(message.find("1"), std::string::npos) << message;
  EXPECT_NE(message.find("1000"), std::string::npos) << message;
  EXPECT_EQ(dlg.GetCurSelWidth(), 7);
}

TEST_F(LineStylePicker, SpinStepsTheWidth) {
  CKyLineStylePickerDlg dlg;
  dlg.AttachLineStyleLib(&lib);
  dlg.SetCurSelWidth(5);
  h.Then([&] {
    HWND spin = DialogHarness::Item(IDC_KYZOD_WIDTH_SPIN);
    ASSERT_NE(spin, nullptr);
    RECT r{};
    GetClientRect(spin, &r);
    h.Click(DialogHarness::At(spin, r.right / 2, r.bottom / 4));  // the upper arrow
    h.Click(DialogHarness::At(spin, r.right / 2, r.bottom / 4));
  });
  h.Then([&] {
    EXPECT_EQ(DialogHarness::Text(IDC_KYZOD_WIDTH), "7");
    h.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetCurSelWidth(), 7);
}

TEST_F(LineStylePicker, UnknownStyleSelectsNothingAndKeepsTheId) {
  CKyLineStylePickerDlg dlg;
  dlg.AttachLineStyleLib(&lib);
  dlg.SetCurSelStyle(77);
  dlg.SetCurSelWidth(-9);  // shown clamped
  h.Then([&] {
    EXPECT_EQ(SendDlgItemMessage(DialogHarness::Active(), IDC_KYZOD_STYLES, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(DialogHarness::Text(IDC_KYZOD_WIDTH), "1");
    h.Click(IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetCurSelStyle(), 77);
  EXPECT_EQ(dlg.GetCurSelWidth(), 1);
}

TEST_F(LineStylePicker, WithoutLibraryOnlyThePenStyles) {
  CKyLineStylePickerDlg dlg;
  dlg.SetCurSelStyle(7);
  h.Then([&] {
    EXPECT_EQ(SendDlgItemMessage(DialogHarness::Active(), IDC_KYZOD_STYLES, LB_GETCOUNT, 0, 0), 6);
    EXPECT_EQ(SendDlgItemMessage(DialogHarness::Active(), IDC_KYZOD_STYLES, LB_GETCURSEL, 0, 0), LB_ERR);
    h.Key(VK_ESCAPE);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(dlg.EntryOfStyle(7), -1);
  EXPECT_EQ(dlg.StyleOfEntry(6), -1);
  EXPECT_EQ(dlg.StyleOfEntry(5), 5);
  EXPECT_EQ(dlg.StyleOfEntry(-1), -1);
}

TEST_F(LineStylePicker, ChineseTemplate) {
  SetThreadUILanguage(2052);
  AfxSetCodePage(936);
  CKyLineStyleLib zh;
  zh.CreateDefault();
  CKyLineStylePickerDlg dlg;
  dlg.AttachLineStyleLib(&zh);
  dlg.SetCurSelStyle(6);
  h.Then([&] {
    EXPECT_EQ(DialogHarness::Text(DialogHarness::Active()), "\xcf\xdf\xd0\xcd");  // 线型
    EXPECT_EQ(DialogHarness::Text(IDC_KYZOD_NAME), "\xcb\xab\xcf\xdf");           // 双线
    h.Screenshot(Dump("linestyle-picker-zh.png"));
    h.Click(IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  AfxSetCodePage(0);
  SetThreadUILanguage(0);  // back to the language of the locale
}

}  // namespace
