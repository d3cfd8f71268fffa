// The module's dialog templates, in English (1033) and Chinese (2052): one
// table per dialog, one line per control with both texts, so that the two
// languages keep the same ids, styles and geometry (dialog units). Chinese
// texts are bytes of code page 936 with the UTF-8 text in the comment.
//
// Control kinds carry the styles a resource script's statements give (every
// control is WS_CHILD | WS_VISIBLE); a line adds bits to them and may take
// some away (`without`), as the hidden default buttons do.
#include <cstddef>
#include <stdexcept>

#include "commctrl.h"
#include "dlgtemplate.h"
#include "resource.h"
#include "resource_set.h"

namespace uires {

namespace {

enum Kind {
  kPush,      // PUSHBUTTON
  kDefPush,   // DEFPUSHBUTTON
  kCheck,     // AUTOCHECKBOX
  kGroup,     // GROUPBOX
  kLabel,     // LTEXT
  kEdit,      // EDITTEXT with ES_AUTOHSCROLL
  kList,      // LISTBOX
  kCombo,     // COMBOBOX
  kOwnerDraw, // owner-drawn push button
  kUpDown,    // "msctls_updown32"
  kListView,  // "SysListView32"
};

struct Item {
  Kind kind;
  int id;
  const char* en;
  const char* zh;
  short x, y, cx, cy;
  DWORD style = 0;    // added to the kind's styles
  DWORD exStyle = 0;
  DWORD without = 0;  // taken away from them
};

struct Dialog {
  int id;
  DWORD style;
  short cx, cy;
  const char* en;
  const char* zh;
  const Item* items;
  size_t count;
};

const DWORD kPopup = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
const DWORD kPage = DS_SETFONT | WS_CHILD | WS_DISABLED | WS_CAPTION;
const DWORD kSpin = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS;
const DWORD kSpinPlain = kSpin | UDS_NOTHOUSANDS;
const DWORD kHidden = WS_VISIBLE;

// 4905, the picker.
const Item kPick[] = {
    {kPush, IDOK, "OK", "\xc8\xb7\xb6\xa8" /* 确定 */, 290, 269, 27, 14},
    {kPush, IDCANCEL, "Cancel", "\xc8\xa1\xcf\xfb" /* 取消 */, 320, 269, 27, 14},
    {kGroup, IDC_STATIC, "Previews", "\xd4\xa4\xc0\xc0" /* 预览 */, 217, 75, 130, 85},
    {kLabel, IDC_STATIC, "Find Group", "\xb2\xe9\xd5\xd2\xd7\xe9" /* 查找组 */, 7, 7, 41, 11},
    {kLabel, IDC_STATIC, "FrColor", "\xc7\xb0\xbe\xb0\xc9\xab" /* 前景色 */, 223, 174, 29, 13},
    {kLabel, IDC_PICK_BACK_LABEL, "BkColor", "\xb1\xb3\xbe\xb0\xc9\xab" /* 背景色 */, 223, 191, 28, 11},
    {kOwnerDraw, IDC_PICK_BACK_COLOR, "", "", 254, 190, 19, 11},
    {kCheck, IDC_PICK_TRANSPARENT, "BkTransparent", "\xb1\xb3\xbe\xb0\xcd\xb8\xc3\xf7" /* 背景透明 */, 281, 171, 63, 14},
    {kOwnerDraw, IDC_PICK_FRONT_COLOR, "", "", 254, 173, 19, 12},
    {kGroup, IDC_STATIC, "Find", "\xb2\xe9\xd5\xd2" /* 查找 */, 218, 2, 129, 69},
    {kOwnerDraw, IDC_PICK_PREVIOUS, "", "", 191, 6, 15, 15, BS_ICON},
    {kEdit, IDC_PICK_INFO, "", "", 249, 52, 92, 12, ES_MULTILINE | ES_READONLY},
    {kDefPush, IDC_PICK_HIDDEN_DEFAULT, "", "", 285, 133, 26, 9, WS_DISABLED, 0, kHidden},
    {kOwnerDraw, IDC_PICK_PREVIEW, "", "", 224, 86, 117, 68, 0, WS_EX_STATICEDGE},
    {kList, IDC_PICK_STYLE_LIST, "", "", 7, 25, 202, 236,
     LBS_OWNERDRAWFIXED | LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT | WS_HSCROLL},
    {kCombo, IDC_PICK_GROUP_COMBO, "", "", 53, 6, 132, 30,
     CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_NOINTEGRALHEIGHT},
    {kPush, IDC_PICK_LINESTYLE, "LineStyle", "\xcf\xdf\xd0\xcd" /* 线型 */, 287, 208, 48, 13},
    {kGroup, IDC_STATIC, "Color", "\xd1\xd5\xc9\xab" /* 颜色 */, 217, 163, 59, 43},
    {kLabel, IDC_STATIC, "Rate:", "\xb1\xc8\xc2\xca:" /* 比率: */, 284, 190, 22, 10},
    {kGroup, IDC_STATIC, "Transparent", "\xcd\xb8\xc3\xf7" /* 透明 */, 280, 162, 67, 43},
    {kCheck, IDC_PICK_GRADIENT, "Gradient", "\xbd\xa5\xb1\xe4" /* 渐变 */, 222, 208, 49, 14},
    {kEdit, IDC_PICK_RATE, "", "", 308, 189, 25, 12},
    {kLabel, IDC_STATIC, "%", "%", 336, 190, 8, 10},
    {kGroup, IDC_STATIC, "", "", 217, 220, 130, 41},
    {kEdit, IDC_PICK_ANGLE, "", "", 243, 244, 37, 13},
    {kUpDown, IDC_PICK_ANGLE_SPIN, "", "", 276, 243, 8, 13, kSpinPlain},
    {kLabel, IDC_STATIC, "Angle", "\xbd\xc7\xb6\xc8" /* 角度 */, 221, 247, 22, 10},
    {kLabel, IDC_STATIC, "Type", "\xc0\xe0\xd0\xcd" /* 类型 */, 222, 231, 19, 10},
    {kCombo, IDC_PICK_GRADIENT_TYPE, "", "", 243, 228, 37, 55, CBS_DROPDOWNLIST | WS_VSCROLL},
    {kEdit, IDC_PICK_HOFFSET, "", "", 311, 228, 27, 13},
    {kUpDown, IDC_PICK_HOFFSET_SPIN, "", "", 335, 227, 11, 13, kSpinPlain},
    {kLabel, IDC_STATIC, "HOffset", "X\xc6\xab\xd2\xc6" /* X偏移 */, 281, 231, 30, 10},
    {kEdit, IDC_PICK_VOFFSET, "", "", 311, 244, 27, 13},
    {kUpDown, IDC_PICK_VOFFSET_SPIN, "", "", 335, 243, 11, 13, kSpinPlain},
    {kLabel, IDC_STATIC, "VOffset", "Y\xc6\xab\xd2\xc6" /* Y偏移 */, 281, 247, 30, 10},
    {kLabel, IDC_STATIC, "%", "%", 339, 231, 8, 10},
    {kLabel, IDC_STATIC, "%", "%", 339, 247, 8, 10},
    {kPush, IDC_PICK_EDITOR, "FillStyle Editor", "\xcc\xee\xb3\xe4\xd1\xf9\xca\xbd\xb1\xe0\xbc\xad\xc6\xf7" /* 填充样式编辑器 */, 217, 269, 69, 14},
    {kLabel, IDC_STATIC, "Code", "\xb1\xe0\xba\xc5" /* 编号 */, 224, 18, 20, 8},
    {kLabel, IDC_STATIC, "Name", "\xc3\xfb\xb3\xc6" /* 名称 */, 223, 35, 20, 8},
    {kCombo, IDC_PICK_FIND_CODE, "", "", 249, 14, 92, 90, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL},
    {kCombo, IDC_PICK_FIND_NAME, "", "", 249, 32, 92, 82, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL},
    {kLabel, IDC_STATIC, "Info", "\xd0\xc5\xcf\xa2" /* 信息 */, 223, 54, 20, 8},
};

// 4901, the editor. The band above y = 17 belongs to the two tool bars that
// the dialog creates; the grid and the canvas are created below the name
// combo, and the band under them holds the sizes and the status line.
const Item kEditor[] = {
    {kLabel, IDC_STATIC, "Code", "\xb1\xe0\xba\xc5" /* 编号 */, 4, 22, 20, 8},
    {kCombo, IDC_EDITOR_CODE_COMBO, "", "", 26, 20, 82, 100, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL},
    {kLabel, IDC_STATIC, "Name", "\xc3\xfb\xb3\xc6" /* 名称 */, 4, 36, 20, 8},
    {kCombo, IDC_EDITOR_NAME_COMBO, "", "", 26, 34, 82, 100, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL},
    {kPush, IDC_EDITOR_EDIT, ">>", ">>", 112, 18, 22, 9},
    {kPush, IDC_EDITOR_SAVE, "<<", "<<", 112, 29, 22, 9},
    {kPush, IDC_EDITOR_SAVE_AS, "<--", "<--", 112, 40, 22, 9},
    {kGroup, IDC_STATIC, "Edit", "\xb1\xe0\xbc\xad" /* 编辑 */, 138, 15, 238, 34},
    {kLabel, IDC_STATIC, "Code", "\xb1\xe0\xba\xc5" /* 编号 */, 144, 26, 20, 8},
    {kEdit, IDC_EDITOR_CODE, "", "", 166, 24, 56, 12},
    {kUpDown, IDC_EDITOR_CODE_SPIN, "", "", 222, 24, 10, 12, kSpin},
    {kLabel, IDC_STATIC, "Name", "\xc3\xfb\xb3\xc6" /* 名称 */, 238, 26, 20, 8},
    {kEdit, IDC_EDITOR_NAME, "", "", 260, 24, 110, 12},
    {kLabel, IDC_STATIC, "Group", "\xd7\xe9" /* 组 */, 144, 38, 22, 8},
    {kEdit, IDC_EDITOR_GROUP, "", "", 166, 36, 66, 12},
    {kLabel, IDC_STATIC, "Size", "\xb3\xdf\xb4\xe7" /* 尺寸 */, 238, 38, 20, 8},
    {kEdit, IDC_EDITOR_WIDTH, "", "", 260, 36, 40, 12},
    {kUpDown, IDC_EDITOR_WIDTH_SPIN, "", "", 300, 36, 10, 12, kSpin},
    {kLabel, IDC_STATIC, "*", "*", 314, 38, 6, 8},
    {kEdit, IDC_EDITOR_HEIGHT, "", "", 322, 36, 40, 12},
    {kUpDown, IDC_EDITOR_HEIGHT_SPIN, "", "", 362, 36, 10, 12, kSpin},
    {kLabel, IDC_STATIC, "Size", "\xb3\xdf\xb4\xe7" /* 尺寸 */, 4, 261, 20, 8},
    {kEdit, IDC_EDITOR_SEL_WIDTH, "", "", 26, 259, 36, 12},
    {kLabel, IDC_STATIC, "*", "*", 65, 261, 6, 8},
    {kEdit, IDC_EDITOR_SEL_HEIGHT, "", "", 72, 259, 36, 12},
    {kDefPush, IDC_EDITOR_HIDDEN_DEFAULT, "", "", 112, 260, 20, 9, WS_DISABLED, 0, kHidden},
    {kEdit, IDC_EDITOR_STATUS, "", "", 138, 259, 238, 12, ES_READONLY},
};

// 4902, arrange paste: no buttons, Enter and Escape close it.
const Item kArrange[] = {
    {kGroup, IDC_STATIC, "StartPoint", "\xc6\xf0\xb5\xe3" /* 起点 */, 7, 7, 84, 50},
    {kLabel, IDC_STATIC, "XCoordinate", "X\xd7\xf8\xb1\xea" /* X坐标 */, 13, 21, 42, 8},
    {kEdit, IDC_ARRANGE_X, "", "", 57, 19, 28, 12},
    {kLabel, IDC_STATIC, "YCoordinate", "Y\xd7\xf8\xb1\xea" /* Y坐标 */, 13, 37, 42, 8},
    {kEdit, IDC_ARRANGE_Y, "", "", 57, 35, 28, 12},
    {kGroup, IDC_STATIC, "Space", "\xbc\xe4\xbe\xe0" /* 间距 */, 98, 7, 74, 50},
    {kLabel, IDC_STATIC, "XSpace", "X\xbc\xe4\xbe\xe0" /* X间距 */, 104, 21, 30, 8},
    {kEdit, IDC_ARRANGE_X_SPACE, "", "", 138, 19, 28, 12},
    {kLabel, IDC_STATIC, "YSpace", "Y\xbc\xe4\xbe\xe0" /* Y间距 */, 104, 37, 30, 8},
    {kEdit, IDC_ARRANGE_Y_SPACE, "", "", 138, 35, 28, 12},
};

// 4903 and 4904, the pages of the options sheet.
const Item kOptionStyle[] = {
    {kList, IDC_OPTION_ZOOM, "", "", 137, 23, 68, 63, LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL},
    {kGroup, IDC_STATIC, "Resolution", "\xb7\xd6\xb1\xe6\xc2\xca" /* 分辨率 */, 7, 7, 113, 86},
    {kGroup, IDC_STATIC, "Zoom In", "\xb7\xc5\xb4\xf3" /* 放大 */, 130, 7, 81, 86},
    {kList, IDC_OPTION_RESOLUTION, "", "", 13, 23, 100, 63, LBS_NOINTEGRALHEIGHT | WS_VSCROLL},
};
const Item kOptionOpen[] = {
    {kCheck, IDC_OPTION_APPEND, "Append the current Lib", "\xd7\xb7\xbc\xd3\xb5\xbd\xb5\xb1\xc7\xb0\xbf\xe2" /* 追加到当前库 */, 50, 30, 112, 11},
    {kCheck, IDC_OPTION_OVERWRITE, "Overwrited the same ID?", "\xb8\xb2\xb8\xc7\xb1\xe0\xba\xc5\xcf\xe0\xcd\xac\xb5\xc4\xd1\xf9\xca\xbd\xa3\xbf" /* 覆盖编号相同的样式？ */, 50, 54, 111, 12},
    {kGroup, IDC_STATIC, "Append", "\xd7\xb7\xbc\xd3" /* 追加 */, 22, 8, 174, 77},
};

// 4914, symbol pattern attributes: sizes and symbol on the left, the points
// on the right.
const Item kSymbol[] = {
    {kGroup, IDC_STATIC, "Size", "\xb3\xdf\xb4\xe7" /* 尺寸 */, 7, 7, 132, 50},
    {kLabel, IDC_STATIC, "Width", "\xbf\xed\xb6\xc8" /* 宽度 */, 13, 21, 30, 8},
    {kEdit, IDC_SYMBOL_WIDTH, "", "", 45, 19, 40, 12},
    {kUpDown, IDC_SYMBOL_WIDTH_SPIN, "", "", 85, 19, 10, 12, kSpinPlain},
    {kLabel, IDC_STATIC, "0.1mm", "0.1mm", 99, 21, 30, 8},
    {kLabel, IDC_STATIC, "Height", "\xb8\xdf\xb6\xc8" /* 高度 */, 13, 37, 30, 8},
    {kEdit, IDC_SYMBOL_HEIGHT, "", "", 45, 35, 40, 12},
    {kUpDown, IDC_SYMBOL_HEIGHT_SPIN, "", "", 85, 35, 10, 12, kSpinPlain},
    {kLabel, IDC_STATIC, "0.1mm", "0.1mm", 99, 37, 30, 8},
    {kGroup, IDC_STATIC, "Symbol", "\xb7\xfb\xba\xc5" /* 符号 */, 7, 62, 132, 84},
    {kLabel, IDC_STATIC, "Symbol Size:", "\xb7\xfb\xba\xc5\xb4\xf3\xd0\xa1:" /* 符号大小: */, 13, 76, 50, 8},
    {kEdit, IDC_SYMBOL_SIZE, "", "", 65, 74, 40, 12},
    {kUpDown, IDC_SYMBOL_SIZE_SPIN, "", "", 105, 74, 10, 12, kSpinPlain},
    {kLabel, IDC_STATIC, "Symbol Angle:", "\xb7\xfb\xba\xc5\xbd\xc7\xb6\xc8:" /* 符号角度: */, 13, 92, 50, 8},
    {kEdit, IDC_SYMBOL_ANGLE, "", "", 65, 90, 40, 12},
    {kUpDown, IDC_SYMBOL_ANGLE_SPIN, "", "", 105, 90, 10, 12, kSpinPlain},
    {kLabel, IDC_STATIC, "Select Symbol", "\xd1\xa1\xd4\xf1\xb7\xfb\xba\xc5" /* 选择符号 */, 13, 116, 50, 8},
    {kOwnerDraw, IDC_SYMBOL_SELECT, "Select Symbol", "\xd1\xa1\xd4\xf1\xb7\xfb\xba\xc5" /* 选择符号 */, 65, 106, 40, 34},
    {kListView, IDC_SYMBOL_POINTS, "", "", 146, 7, 130, 100, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS},
    {kEdit, IDC_SYMBOL_POINT_X, "", "", 146, 111, 62, 12},
    {kEdit, IDC_SYMBOL_POINT_Y, "", "", 214, 111, 62, 12},
    {kPush, IDC_SYMBOL_ADD, "Add", "\xcc\xed\xbc\xd3" /* 添加 */, 146, 129, 40, 14},
    {kPush, IDC_SYMBOL_MODIFY, "Modify", "\xd0\xde\xb8\xc4" /* 修改 */, 191, 129, 40, 14},
    {kPush, IDC_SYMBOL_DELETE, "Delete", "\xc9\xbe\xb3\xfd" /* 删除 */, 236, 129, 40, 14},
    {kDefPush, IDOK, "Ok", "\xc8\xb7\xb6\xa8" /* 确定 */, 171, 153, 50, 14},
    {kPush, IDCANCEL, "Cancel", "\xc8\xa1\xcf\xfb" /* 取消 */, 226, 153, 50, 14},
};

// 4915, export of one pattern as a BMP file.
const Item kExport[] = {
    {kGroup, IDC_STATIC, "Color", "\xd1\xd5\xc9\xab" /* 颜色 */, 7, 7, 186, 34},
    {kLabel, IDC_STATIC, "Front Color:", "\xc7\xb0\xbe\xb0\xc9\xab:" /* 前景色: */, 13, 22, 44, 8},
    {kOwnerDraw, IDC_EXPORT_FRONT_COLOR, "", "", 59, 20, 30, 12},
    {kLabel, IDC_STATIC, "Back Color:", "\xb1\xb3\xbe\xb0\xc9\xab:" /* 背景色: */, 101, 22, 40, 8},
    {kOwnerDraw, IDC_EXPORT_BACK_COLOR, "", "", 143, 20, 30, 12},
    {kGroup, IDC_STATIC, "File", "\xce\xc4\xbc\xfe" /* 文件 */, 7, 46, 186, 34},
    {kEdit, IDC_EXPORT_PATH, "", "", 13, 60, 150, 12},
    {kPush, IDC_EXPORT_BROWSE, "...", "...", 167, 60, 20, 12},
    {kDefPush, IDOK, "Ok", "\xc8\xb7\xb6\xa8" /* 确定 */, 87, 88, 50, 14},
    {kPush, IDCANCEL, "Cancel", "\xc8\xa1\xcf\xfb" /* 取消 */, 143, 88, 50, 14},
};

const Dialog kDialogs[] = {
    {IDD_FSL_EDIT, kPopup, 380, 274, "FillStyle Editor", "\xcc\xee\xb3\xe4\xd1\xf9\xca\xbd\xb1\xe0\xbc\xad\xc6\xf7" /* 填充样式编辑器 */, kEditor, std::size(kEditor)},
    {IDD_FSL_ARRANGE_PASTE, kPopup, 180, 64, "Arrange Paste", "\xc5\xc5\xc1\xd0\xd5\xb3\xcc\xf9" /* 排列粘贴 */, kArrange, std::size(kArrange)},
    {IDD_FSL_OPTION_STYLE, kPage, 220, 100, "Style", "\xd1\xf9\xca\xbd" /* 样式 */, kOptionStyle, std::size(kOptionStyle)},
    {IDD_FSL_OPTION_OPEN, kPage, 220, 100, "Open", "\xb4\xf2\xbf\xaa" /* 打开 */, kOptionOpen, std::size(kOptionOpen)},
    {IDD_FSL_PICK, kPopup, 354, 290, "FillStye Picker", "\xcc\xee\xb3\xe4\xd1\xf9\xca\xbd\xd1\xa1\xd4\xf1\xc6\xf7" /* 填充样式选择器 */, kPick, std::size(kPick)},
    {IDD_FSL_SYMBOL, kPopup, 284, 174, "Symbol FillStyle", "\xb7\xfb\xba\xc5\xcc\xee\xb3\xe4\xd1\xf9\xca\xbd" /* 符号填充样式 */, kSymbol, std::size(kSymbol)},
    {IDD_FSL_EXPORT_BMP, kPopup, 200, 110, "Export BMP File", "\xb5\xbc\xb3\xf6""BMP\xce\xc4\xbc\xfe" /* 导出BMP文件 */, kExport, std::size(kExport)},
};

// The font of each language: the English face, and the usual Chinese UI face
// one point larger, whose characters need the room.
const char kFaceEnglish[] = "MS Sans Serif";
const char kFaceChinese[] = "\xcb\xce\xcc\xe5" /* 宋体 */;

DWORD KindStyle(Kind k) {
  const DWORD base = WS_CHILD | WS_VISIBLE;
  switch (k) {
    case kPush: return base | WS_TABSTOP | BS_PUSHBUTTON;
    case kDefPush: return base | WS_TABSTOP | BS_DEFPUSHBUTTON;
    case kCheck: return base | WS_TABSTOP | BS_AUTOCHECKBOX;
    case kGroup: return base | BS_GROUPBOX;
    case kLabel: return base | WS_GROUP | SS_LEFT;
    case kEdit: return base | WS_TABSTOP | WS_BORDER | ES_LEFT | ES_AUTOHSCROLL;
    case kList: return base | WS_TABSTOP | WS_BORDER | LBS_NOTIFY;
    case kCombo: return base | WS_TABSTOP;
    case kOwnerDraw: return base | WS_TABSTOP | BS_OWNERDRAW;
    case kUpDown: return base;
    case kListView: return base | WS_TABSTOP | WS_BORDER;
  }
  throw std::logic_error("unknown control kind");
}

KyDialogTemplate Build(const Dialog& d, bool chinese) {
  const UINT cp = chinese ? 936 : 1252;
  KyDialogTemplate t(d.style, 0, 0, d.cx, d.cy, chinese ? d.zh : d.en, chinese ? 9 : 8,
                     chinese ? kFaceChinese : kFaceEnglish, 0, cp);
  for (size_t i = 0; i < d.count; ++i) {
    const Item& it = d.items[i];
    const char* text = chinese ? it.zh : it.en;
    const DWORD style = (KindStyle(it.kind) | it.style) & ~it.without;
    const WORD id = static_cast<WORD>(it.id);
    switch (it.kind) {
      case kEdit: case kList: case kCombo:
        t.ControlOrd(nullptr, id, it.kind == kEdit ? KY_DLG_EDIT : it.kind == kList ? KY_DLG_LISTBOX : KY_DLG_COMBOBOX,
                     style, it.x, it.y, it.cx, it.cy, it.exStyle);
        break;
      case kLabel:
        t.ControlOrd(text, id, KY_DLG_STATIC, style, it.x, it.y, it.cx, it.cy, it.exStyle);
        break;
      case kUpDown:
        t.Control(text, id, "msctls_updown32", style, it.x, it.y, it.cx, it.cy, it.exStyle);
        break;
      case kListView:
        t.Control(text, id, "SysListView32", style, it.x, it.y, it.cx, it.cy, it.exStyle);
        break;
      default:
        t.ControlOrd(text, id, KY_DLG_BUTTON, style, it.x, it.y, it.cx, it.cy, it.exStyle);
        break;
    }
  }
  return t;
}

}  // namespace

void AddDialogs(std::vector<Resource>& out) {
  for (const Dialog& d : kDialogs) {
    for (bool chinese : {false, true}) {
      KyDialogTemplate t = Build(d, chinese);
      out.push_back({5, d.id, chinese ? 2052 : 1033, t.Bytes(), std::string("\"") + d.en + "\""});
    }
  }
}

}  // namespace uires
