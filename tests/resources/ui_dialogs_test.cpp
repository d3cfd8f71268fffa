// The module's dialog templates as it registers them: every template parses
// in both languages, and no other, with its caption, font and size, both
// languages share ids, classes, styles and geometry, and no two controls of
// our own layouts overlap.
#include <gtest/gtest.h>

#if __has_include("dlgtemplate.h")
#include <string>
#include <vector>

#include "KyROZ50Module.h"
#include "commctrl.h"
#include "dlgtemplate.h"
#include "resource.h"

namespace {

// Parses the template of one language; texts come back as UTF-8.
struct Parsed {
  bool ok = false;
  KyDialogInfo info;
};

std::string Utf8(const std::string& s, UINT cp) { return AfxCodePageToUtf8(s.data(), s.size(), cp); }

Parsed ParseDialog(int id, WORD lang) {
  Parsed p;
  HINSTANCE h = KyROZ50ResourceHandle();
  HRSRC res = FindResourceEx(h, RT_DIALOG, MAKEINTRESOURCE(id), lang);
  if (!res) return p;
  const void* data = LockResource(LoadResource(h, res));
  const UINT cp = lang == 2052 ? 936 : 1252;
  AfxSetCodePage(cp);  // the parser hands texts out in the ANSI code page
  p.ok = KyParseDialogTemplate(data, SizeofResource(h, res), &p.info) != FALSE;
  AfxSetCodePage(0);
  p.info.caption = Utf8(p.info.caption, cp);
  p.info.faceName = Utf8(p.info.faceName, cp);
  for (KyDialogItemInfo& it : p.info.items) it.title = Utf8(it.title, cp);
  return p;
}

const KyDialogItemInfo* FindItem(const KyDialogInfo& d, int id, int nth = 0) {
  for (const KyDialogItemInfo& it : d.items)
    if (static_cast<int>(static_cast<WORD>(it.id)) == static_cast<int>(static_cast<WORD>(id)) && nth-- == 0)
      return &it;
  return nullptr;
}

struct DialogCase {
  int id;
  const char* caption;
  const char* captionZh;
  short cx, cy;
  bool page;
};
const DialogCase kDialogCases[] = {
    {IDD_FSL_EDIT, "FillStyle Editor", "填充样式编辑器", 380, 274, false},
    {IDD_FSL_ARRANGE_PASTE, "Arrange Paste", "排列粘贴", 180, 64, false},
    {IDD_FSL_OPTION_STYLE, "Style", "样式", 220, 100, true},
    {IDD_FSL_OPTION_OPEN, "Open", "打开", 220, 100, true},
    {IDD_FSL_PICK, "FillStye Picker", "填充样式选择器", 354, 290, false},
    {IDD_FSL_SYMBOL, "Symbol FillStyle", "符号填充样式", 284, 174, false},
    {IDD_FSL_EXPORT_BMP, "Export BMP File", "导出BMP文件", 200, 110, false},
};

TEST(UiDialogs, EveryTemplateParsesInBothLanguagesWithItsCaptionFontAndSize) {
  for (const DialogCase& c : kDialogCases) {
    for (WORD lang : {WORD(1033), WORD(2052)}) {
      SCOPED_TRACE(std::to_string(c.id) + " in " + std::to_string(lang));
      Parsed p = ParseDialog(c.id, lang);
      ASSERT_TRUE(p.ok);
      EXPECT_EQ(p.info.caption, lang == 2052 ? c.captionZh : c.caption);
      EXPECT_EQ(p.info.cx, c.cx);
      EXPECT_EQ(p.info.cy, c.cy);
      EXPECT_TRUE(p.info.style & DS_SETFONT);
      EXPECT_EQ(p.info.faceName, lang == 2052 ? "宋体" : "MS Sans Serif");
      EXPECT_EQ(p.info.pointSize, lang == 2052 ? 9 : 8);
      if (c.page) {
        EXPECT_EQ(p.info.style & (WS_CHILD | WS_CAPTION | WS_POPUP), DWORD(WS_CHILD | WS_CAPTION));
      } else {
        EXPECT_EQ(p.info.style & (WS_POPUP | WS_CAPTION | WS_SYSMENU), DWORD(WS_POPUP | WS_CAPTION | WS_SYSMENU));
      }
    }
    EXPECT_EQ(FindResourceEx(KyROZ50ResourceHandle(), RT_DIALOG, MAKEINTRESOURCE(c.id), 1031), nullptr) << c.id;
  }
}

TEST(UiDialogs, PickerChineseTextsAreTranslations) {
  Parsed p = ParseDialog(IDD_FSL_PICK, 2052);
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(FindItem(p.info, IDOK)->title, "确定");
  EXPECT_EQ(FindItem(p.info, IDCANCEL)->title, "取消");
  EXPECT_EQ(FindItem(p.info, IDC_PICK_GRADIENT)->title, "渐变");
  EXPECT_EQ(FindItem(p.info, IDC_PICK_EDITOR)->title, "填充样式编辑器");
}

// The dialogs whose layout is ours: every control lies inside the dialog,
// no id but the static one is used twice, and no two controls overlap but a
// group box and what it holds, or an up-down and its buddy.
bool IsGroupBox(const KyDialogItemInfo& it) { return it.className == "Button" && (it.style & 0xF) == BS_GROUPBOX; }

TEST(UiDialogs, OurLayoutsHoldEveryControlInsideTheDialogWithoutOverlaps) {
  for (int id : {IDD_FSL_EDIT, IDD_FSL_ARRANGE_PASTE, IDD_FSL_SYMBOL, IDD_FSL_EXPORT_BMP})
    for (WORD lang : {WORD(1033), WORD(2052)}) {
      SCOPED_TRACE(std::to_string(id) + " in " + std::to_string(lang));
      Parsed p = ParseDialog(id, lang);
      ASSERT_TRUE(p.ok);
      const auto& items = p.info.items;
      for (size_t i = 0; i < items.size(); ++i) {
        const KyDialogItemInfo& a = items[i];
        EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.cx <= p.info.cx && a.y + a.cy <= p.info.cy)
            << "control " << i << " leaves the dialog";
        for (size_t j = i + 1; j < items.size(); ++j)
          EXPECT_TRUE(WORD(a.id) == 0xFFFF || a.id != items[j].id) << "id " << a.id << " twice";
        if (IsGroupBox(a) || !(a.style & WS_VISIBLE)) continue;
        for (size_t j = i + 1; j < items.size(); ++j) {
          const KyDialogItemInfo& b = items[j];
          if (IsGroupBox(b) || !(b.style & WS_VISIBLE)) continue;
          if (b.className == "msctls_updown32" && j == i + 1) continue;  // placed against its buddy
          // A combo's height is its drop-down list's; only its closed line counts.
          const int ah = a.className == "ComboBox" ? 12 : a.cy, bh = b.className == "ComboBox" ? 12 : b.cy;
          const bool overlap = a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + bh && b.y < a.y + ah;
          EXPECT_FALSE(overlap) << "controls " << i << " (" << a.title << ") and " << j << " (" << b.title
                                << ") overlap";
        }
      }
    }
}

TEST(UiDialogs, BothLanguagesShareIdsClassesStylesAndGeometry) {
  for (const DialogCase& c : kDialogCases) {
    SCOPED_TRACE(c.id);
    Parsed en = ParseDialog(c.id, 1033), zh = ParseDialog(c.id, 2052);
    ASSERT_TRUE(en.ok && zh.ok);
    EXPECT_EQ(en.info.style, zh.info.style);
    ASSERT_EQ(en.info.items.size(), zh.info.items.size());
    for (size_t i = 0; i < en.info.items.size(); ++i) {
      const KyDialogItemInfo &a = en.info.items[i], &b = zh.info.items[i];
      EXPECT_EQ(a.id, b.id) << i;
      EXPECT_EQ(a.className, b.className) << i;
      EXPECT_EQ(a.style, b.style) << i;
      EXPECT_EQ(a.exStyle, b.exStyle) << i;
      EXPECT_EQ((std::vector<short>{a.x, a.y, a.cx, a.cy}), (std::vector<short>{b.x, b.y, b.cx, b.cy})) << i;
      EXPECT_EQ(a.title.empty(), b.title.empty()) << i << " " << a.title;
    }
  }
}

}  // namespace

#endif
