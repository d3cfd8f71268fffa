// The module's dialog templates as it registers them: every template parses
// in both languages, and each control has the id, class, style, geometry and
// text the dialog classes rely on.
#include <gtest/gtest.h>

#if __has_include("dlgtemplate.h")
#include <algorithm>
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
  }
}

TEST(UiDialogs, NoOtherLanguageIsRegistered) {
  for (const DialogCase& c : kDialogCases)
    EXPECT_EQ(FindResourceEx(KyROZ50ResourceHandle(), RT_DIALOG, MAKEINTRESOURCE(c.id), 1031), nullptr) << c.id;
}

// The picker's template, line by line in its order, with the styles each
// control must have (`must`) and must not have (`mustNot`).
struct ItemCase {
  int id;
  const char* cls;
  const char* text;  // English; nullptr: not checked (a control without a caption)
  short x, y, cx, cy;
  DWORD must;
  DWORD mustNot = 0;
  DWORD exMust = 0;
};

const DWORD kVis = WS_CHILD | WS_VISIBLE;
const DWORD kUpDownStyle = kVis | UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS;

const ItemCase kPickItems[] = {
    {IDOK, "Button", "OK", 290, 269, 27, 14, kVis | BS_PUSHBUTTON, BS_DEFPUSHBUTTON},
    {IDCANCEL, "Button", "Cancel", 320, 269, 27, 14, kVis | BS_PUSHBUTTON},
    {-1, "Button", "Previews", 217, 75, 130, 85, kVis | BS_GROUPBOX},
    {-1, "Static", "Find Group", 7, 7, 41, 11, kVis | SS_LEFT},
    {-1, "Static", "FrColor", 223, 174, 29, 13, kVis},
    {23442, "Static", "BkColor", 223, 191, 28, 11, kVis},
    {23435, "Button", nullptr, 254, 190, 19, 11, kVis | BS_OWNERDRAW},
    {23436, "Button", "BkTransparent", 281, 171, 63, 14, kVis | BS_AUTOCHECKBOX},
    {23437, "Button", nullptr, 254, 173, 19, 12, kVis | BS_OWNERDRAW},
    {-1, "Button", "Find", 218, 2, 129, 69, kVis | BS_GROUPBOX},
    {23438, "Button", "", 191, 6, 15, 15, kVis | BS_OWNERDRAW | BS_ICON},
    {23439, "Edit", nullptr, 249, 52, 92, 12, kVis | ES_MULTILINE | ES_READONLY},
    {23409, "Button", nullptr, 285, 133, 26, 9, WS_CHILD | BS_DEFPUSHBUTTON | WS_DISABLED, WS_VISIBLE},
    {23440, "Button", nullptr, 224, 86, 117, 68, kVis | BS_OWNERDRAW, 0, WS_EX_STATICEDGE},
    {23441, "ListBox", nullptr, 7, 25, 202, 236,
     kVis | LBS_OWNERDRAWFIXED | LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | WS_HSCROLL | WS_BORDER},
    {23434, "ComboBox", nullptr, 53, 6, 132, 30, kVis | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_NOINTEGRALHEIGHT},
    {23443, "Button", "LineStyle", 287, 208, 48, 13, kVis | BS_PUSHBUTTON},
    {-1, "Button", "Color", 217, 163, 59, 43, kVis | BS_GROUPBOX},
    {-1, "Static", "Rate:", 284, 190, 22, 10, kVis},
    {-1, "Button", "Transparent", 280, 162, 67, 43, kVis | BS_GROUPBOX},
    {23444, "Button", "Gradient", 222, 208, 49, 14, kVis | BS_AUTOCHECKBOX},
    {23466, "Edit", nullptr, 308, 189, 25, 12, kVis},
    {-1, "Static", "%", 336, 190, 8, 10, kVis},
    {-1, "Button", "", 217, 220, 130, 41, kVis | BS_GROUPBOX},
    {23464, "Edit", nullptr, 243, 244, 37, 13, kVis},
    {23465, "msctls_updown32", nullptr, 276, 243, 8, 13, kUpDownStyle},
    {-1, "Static", "Angle", 221, 247, 22, 10, kVis},
    {-1, "Static", "Type", 222, 231, 19, 10, kVis},
    {23467, "ComboBox", nullptr, 243, 228, 37, 55, kVis | CBS_DROPDOWNLIST | WS_VSCROLL},
    {23468, "Edit", nullptr, 311, 228, 27, 13, kVis},
    {23469, "msctls_updown32", nullptr, 335, 227, 11, 13, kUpDownStyle},
    {-1, "Static", "HOffset", 281, 231, 30, 10, kVis},
    {23470, "Edit", nullptr, 311, 244, 27, 13, kVis},
    {23471, "msctls_updown32", nullptr, 335, 243, 11, 13, kUpDownStyle},
    {-1, "Static", "VOffset", 281, 247, 30, 10, kVis},
    {-1, "Static", "%", 339, 231, 8, 10, kVis},
    {-1, "Static", "%", 339, 247, 8, 10, kVis},
    {23472, "Button", "FillStyle Editor", 217, 269, 69, 14, kVis | BS_PUSHBUTTON},
    {-1, "Static", "Code", 224, 18, 20, 8, kVis},
    {-1, "Static", "Name", 223, 35, 20, 8, kVis},
    {23473, "ComboBox", nullptr, 249, 14, 92, 90, kVis | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL},
    {23474, "ComboBox", nullptr, 249, 32, 92, 82, kVis | CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL},
    {-1, "Static", "Info", 223, 54, 20, 8, kVis},
};

// The low four bits of a button's style are its kind, not flags.
void ExpectStyle(DWORD actual, const ItemCase& c) {
  if (std::string(c.cls) == "Button") {
    EXPECT_EQ(actual & 0xF, c.must & 0xF) << "button kind";
    EXPECT_EQ(actual & c.must & ~DWORD(0xF), c.must & ~DWORD(0xF));
    if (c.mustNot & 0xF) {
      EXPECT_NE(actual & 0xF, c.mustNot & 0xF);
    }
    EXPECT_EQ(actual & c.mustNot & ~DWORD(0xF), 0u);
  } else if (std::string(c.cls) == "ComboBox") {
    EXPECT_EQ(actual & 0x3, c.must & 0x3) << "combo kind";
    EXPECT_EQ(actual & c.must, c.must);
  } else {
    EXPECT_EQ(actual & c.must, c.must);
    EXPECT_EQ(actual & c.mustNot, 0u);
  }
}

TEST(UiDialogs, PickerControlsInTheirOrderInBothLanguages) {
  for (WORD lang : {WORD(1033), WORD(2052)}) {
    Parsed p = ParseDialog(IDD_FSL_PICK, lang);
    ASSERT_TRUE(p.ok);
    ASSERT_EQ(p.info.items.size(), std::size(kPickItems));
    for (size_t i = 0; i < std::size(kPickItems); ++i) {
      const ItemCase& c = kPickItems[i];
      const KyDialogItemInfo& it = p.info.items[i];
      SCOPED_TRACE("item " + std::to_string(i) + " (" + std::to_string(c.id) + ") in " + std::to_string(lang));
      EXPECT_EQ(static_cast<WORD>(it.id), static_cast<WORD>(c.id));
      EXPECT_EQ(it.className, c.cls);
      EXPECT_EQ(it.x, c.x);
      EXPECT_EQ(it.y, c.y);
      EXPECT_EQ(it.cx, c.cx);
      EXPECT_EQ(it.cy, c.cy);
      ExpectStyle(it.style, c);
      EXPECT_EQ(it.exStyle & c.exMust, c.exMust);
      if (c.text && lang == 1033) {
        EXPECT_EQ(it.title, c.text);
      }
      if (c.text && *c.text && lang == 2052) {
        EXPECT_FALSE(it.title.empty());
        EXPECT_EQ(it.title.find("\xEF\xBF\xBD"), std::string::npos) << "a byte that is no GB2312 character";
      }
    }
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

TEST(UiDialogs, OptionPagesAsTheSheetExpects) {
  const ItemCase style[] = {
      {23431, "ListBox", nullptr, 137, 23, 68, 63,
       kVis | LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER},
      {-1, "Button", "Resolution", 7, 7, 113, 86, kVis | BS_GROUPBOX},
      {-1, "Button", "Zoom In", 130, 7, 81, 86, kVis | BS_GROUPBOX},
      {23432, "ListBox", nullptr, 13, 23, 100, 63, kVis | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER,
       LBS_SORT},
  };
  const ItemCase open[] = {
      {23430, "Button", "Append the current Lib", 50, 30, 112, 11, kVis | BS_AUTOCHECKBOX},
      {23433, "Button", "Overwrited the same ID?", 50, 54, 111, 12, kVis | BS_AUTOCHECKBOX},
      {-1, "Button", "Append", 22, 8, 174, 77, kVis | BS_GROUPBOX},
  };
  const struct {
    int id;
    const ItemCase* items;
    size_t count;
  } pages[] = {{IDD_FSL_OPTION_STYLE, style, std::size(style)}, {IDD_FSL_OPTION_OPEN, open, std::size(open)}};
  for (const auto& page : pages)
    for (WORD lang : {WORD(1033), WORD(2052)}) {
      Parsed p = ParseDialog(page.id, lang);
      ASSERT_TRUE(p.ok);
      ASSERT_EQ(p.info.items.size(), page.count);
      for (size_t i = 0; i < page.count; ++i) {
        const ItemCase& c = page.items[i];
        const KyDialogItemInfo& it = p.info.items[i];
        SCOPED_TRACE(std::to_string(page.id) + " item " + std::to_string(i) + " in " + std::to_string(lang));
        EXPECT_EQ(static_cast<WORD>(it.id), static_cast<WORD>(c.id));
        EXPECT_EQ(it.className, c.cls);
        EXPECT_EQ((std::vector<short>{it.x, it.y, it.cx, it.cy}), (std::vector<short>{c.x, c.y, c.cx, c.cy}));
        ExpectStyle(it.style, c);
        if (c.text && lang == 1033) {
          EXPECT_EQ(it.title, c.text);
        }
      }
    }
}

// The dialogs whose layout is ours: each named control exists once with its
// class and text, every control lies inside the dialog, and no two controls
// overlap but a group box and what it holds, or an up-down and its buddy.
struct NamedControl {
  int id;
  const char* cls;
  const char* text;  // nullptr: not checked
};

const NamedControl kEditorControls[] = {
    {23401, "Button", ">>"}, {23414, "Button", "<<"}, {23415, "Button", "<--"},
    {23402, "ComboBox", nullptr}, {23422, "ComboBox", nullptr}, {23403, "Edit", nullptr},
    {23404, "msctls_updown32", nullptr}, {23418, "Edit", nullptr}, {23423, "Edit", nullptr},
    {23417, "Edit", nullptr}, {23428, "msctls_updown32", nullptr}, {23419, "Edit", nullptr},
    {23429, "msctls_updown32", nullptr}, {23420, "Edit", nullptr}, {23421, "Edit", nullptr},
    {23413, "Edit", nullptr}, {23410, "Button", nullptr},
};
const NamedControl kArrangeControls[] = {
    {23424, "Edit", nullptr}, {23425, "Edit", nullptr}, {23427, "Edit", nullptr}, {23426, "Edit", nullptr},
};
const NamedControl kSymbolControls[] = {
    {23446, "Edit", nullptr}, {23447, "msctls_updown32", nullptr}, {23448, "Edit", nullptr},
    {23449, "msctls_updown32", nullptr}, {23450, "Edit", nullptr}, {23451, "msctls_updown32", nullptr},
    {23452, "Edit", nullptr}, {23453, "msctls_updown32", nullptr}, {23445, "Button", "Select Symbol"},
    {23444, "SysListView32", nullptr}, {23454, "Edit", nullptr}, {23455, "Edit", nullptr},
    {23456, "Button", "Add"}, {23458, "Button", "Modify"}, {23457, "Button", "Delete"},
    {IDOK, "Button", "Ok"}, {IDCANCEL, "Button", "Cancel"},
};
const NamedControl kExportControls[] = {
    {23461, "Button", nullptr}, {23462, "Button", nullptr}, {23459, "Edit", nullptr},
    {23460, "Button", "..."}, {IDOK, "Button", "Ok"}, {IDCANCEL, "Button", "Cancel"},
};

struct LayoutCase {
  int id;
  const NamedControl* controls;
  size_t count;
  std::vector<std::string> labels;  // texts that must appear, in English
};

bool IsGroupBox(const KyDialogItemInfo& it) { return it.className == "Button" && (it.style & 0xF) == BS_GROUPBOX; }

TEST(UiDialogs, OurLayoutsHoldEveryControlInsideTheDialogWithoutOverlaps) {
  const LayoutCase cases[] = {
      {IDD_FSL_EDIT, kEditorControls, std::size(kEditorControls), {"Code", "Name", "Group", "Size", "Edit"}},
      {IDD_FSL_ARRANGE_PASTE, kArrangeControls, std::size(kArrangeControls),
       {"StartPoint", "XCoordinate", "YCoordinate", "Space", "XSpace", "YSpace"}},
      {IDD_FSL_SYMBOL, kSymbolControls, std::size(kSymbolControls),
       {"Size", "Width", "Height", "0.1mm", "Symbol", "Symbol Size:", "Symbol Angle:"}},
      {IDD_FSL_EXPORT_BMP, kExportControls, std::size(kExportControls),
       {"Color", "Front Color:", "Back Color:", "File"}},
  };
  for (const LayoutCase& c : cases)
    for (WORD lang : {WORD(1033), WORD(2052)}) {
      SCOPED_TRACE(std::to_string(c.id) + " in " + std::to_string(lang));
      Parsed p = ParseDialog(c.id, lang);
      ASSERT_TRUE(p.ok);
      for (size_t i = 0; i < c.count; ++i) {
        const NamedControl& n = c.controls[i];
        const KyDialogItemInfo* it = FindItem(p.info, n.id);
        ASSERT_NE(it, nullptr) << n.id;
        EXPECT_EQ(FindItem(p.info, n.id, 1), nullptr) << n.id << " twice";
        EXPECT_EQ(it->className, n.cls) << n.id;
        if (n.text && lang == 1033) {
          EXPECT_EQ(it->title, n.text) << n.id;
        }
      }
      if (lang == 1033) {
        for (const std::string& label : c.labels) {
          EXPECT_TRUE(std::any_of(p.info.items.begin(), p.info.items.end(),
                                  [&](const KyDialogItemInfo& it) { return it.title == label; }))
              << label;
        }
      }
      const auto& items = p.info.items;
      for (size_t i = 0; i < items.size(); ++i) {
        const KyDialogItemInfo& a = items[i];
        EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.cx <= p.info.cx && a.y + a.cy <= p.info.cy)
            << "control " << i << " leaves the dialog";
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
