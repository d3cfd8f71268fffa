// The colour chooser: its conversions, and the field and edits driven by real input.
#include "KyColorDlg.h"

#include "controls_fixture.h"

namespace {

struct HslCase {
  const char* name;
  COLORREF rgb;
  int h, s, l;
};
const HslCase kHsl[] = {
    {"black", RGB(0, 0, 0), 0, 0, 0},         {"white", RGB(255, 255, 255), 0, 0, 100},
    {"red", RGB(255, 0, 0), 0, 100, 50},      {"lime", RGB(0, 255, 0), 120, 100, 50},
    {"blue", RGB(0, 0, 255), 240, 100, 50},   {"yellow", RGB(255, 255, 0), 60, 100, 50},
    {"cyan", RGB(0, 255, 255), 180, 100, 50}, {"magenta", RGB(255, 0, 255), 300, 100, 50},
    {"grey", RGB(128, 128, 128), 0, 0, 50},   {"navy-ish", RGB(18, 52, 86), 210, 65, 20},
};

TEST(ColorDlg, HslConversionBothWays) {
  for (const HslCase& c : kHsl) {
    int h = -1, s = -1, l = -1;
    CKyColorDlg::RGBToHSL(c.rgb, &h, &s, &l);
    EXPECT_EQ(h, c.h) << c.name;
    EXPECT_EQ(s, c.s) << c.name;
    EXPECT_EQ(l, c.l) << c.name;
    // Exact back for the pure colours; the others lose to the rounding.
    if (std::string(c.name) != "navy-ish" && std::string(c.name) != "grey") {
      EXPECT_EQ(CKyColorDlg::HSLToRGB(c.h, c.s, c.l), c.rgb) << c.name;
    }
  }
  // Out-of-range inputs wrap (hue) or clamp (the others) instead of failing.
  EXPECT_EQ(CKyColorDlg::HSLToRGB(360, 100, 50), RGB(255, 0, 0));
  EXPECT_EQ(CKyColorDlg::HSLToRGB(-120, 100, 50), RGB(0, 0, 255));
  EXPECT_EQ(CKyColorDlg::HSLToRGB(0, 500, 200), RGB(255, 255, 255));
  EXPECT_EQ(CKyColorDlg::HSLToRGB(0, -5, -5), RGB(0, 0, 0));
}

TEST(ColorDlg, FieldClickSetsHueAndSaturation) {
  DialogHarness h;
  CKyColorDlg dlg(RGB(0, 0, 0));
  h.Then([&] {
    HWND d = DialogHarness::Active();
    // The field's top-left corner: hue 0, saturation 100; black brings the
    // lightness to 50.
    CRect f(7, 7, 135, 79);
    MapDialogRect(d, &f);
    h.Click(DialogHarness::At(d, f.left, f.top));
  });
  h.Then([&] {
    EXPECT_EQ(dlg.GetColor(), RGB(255, 0, 0));
    EXPECT_EQ(DialogHarness::Text(IDC_KYDEZ_HUE), "0");
    EXPECT_EQ(DialogHarness::Text(IDC_KYDEZ_SAT), "100");
    EXPECT_EQ(DialogHarness::Text(IDC_KYDEZ_LIGHT), "50");
    EXPECT_EQ(DialogHarness::Text(IDC_KYDEZ_RED), "255");
    h.Type(IDC_KYDEZ_HUE, "120");
  });
  h.Then([&] {
    EXPECT_EQ(dlg.GetColor(), RGB(0, 255, 0));
    EXPECT_EQ(DialogHarness::Text(IDC_KYDEZ_GREEN), "255");
    EXPECT_EQ(DialogHarness::Text(IDC_KYDEZ_RED), "0");
    h.Key(VK_RETURN);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetColor(), RGB(0, 255, 0));
}

TEST(ColorDlg, ChineseTemplateLoads) {
  DialogHarness h;
  SetThreadUILanguage(2052);
  AfxSetCodePage(936);  // texts come out of the dialog manager in the ANSI page
  CKyColorDlg dlg(RGB(10, 20, 30));
  h.Then([&] {
    EXPECT_EQ(DialogHarness::Text(DialogHarness::Active()), "\xd1\xd5\xc9\xab");  // 颜色
    EXPECT_EQ(DialogHarness::Text(IDOK), "\xc8\xb7\xb6\xa8");                      // 确定
    h.Screenshot(DumpPath("color-chooser-zh.png"));
    h.Click(IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  SetThreadUILanguage(0);  // back to the language of the locale
  AfxSetCodePage(0);
  EXPECT_EQ(dlg.GetColor(), RGB(10, 20, 30));
}

}  // namespace
