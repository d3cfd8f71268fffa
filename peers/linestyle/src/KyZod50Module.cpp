// The line-style module's entry point and resources: its strings and the
// templates of its two dialogs, in English and Chinese, joined to the
// resource chain when the library is loaded.
#include <iterator>
#include <new>

#include "KyZod50Res.h"
#include "afxdllx.h"
#include "commctrl.h"
#include "dlgtemplate.h"

namespace {

AFX_EXTENSION_MODULE KyZod50DLL = {FALSE, NULL, NULL, NULL, NULL};

struct Texts {
  const char* lineCaption;
  const char* style;
  const char* width;
  const char* color;
  const char* symbolCaption;
  const char* ok;
  const char* cancel;
  UINT codePage;
};

const Texts kEnglish = {"Line Style", "Style:", "Width:", "Color:", "Select Symbol", "OK", "Cancel", 1252};
// 线型, 样式:, 线宽:, 颜色:, 选择符号, 确定, 取消
const Texts kChinese = {"\xcf\xdf\xd0\xcd", "\xd1\xf9\xca\xbd:", "\xcf\xdf\xbf\xed:", "\xd1\xd5\xc9\xab:",
                        "\xd1\xa1\xd4\xf1\xb7\xfb\xba\xc5", "\xc8\xb7\xb6\xa8", "\xc8\xa1\xcf\xfb", 936};

const DWORD kDialogStyle = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

KyDialogTemplate MakeLineStyleTemplate(const Texts& t) {
  KyDialogTemplate d(kDialogStyle, 0, 0, 220, 168, t.lineCaption, 8, "MS Sans Serif", 0, t.codePage);
  d.LText(t.style, 0xFFFF, 7, 7, 60, 8);
  d.ControlOrd(nullptr, IDC_KYZOD_STYLES, KY_DLG_LISTBOX,
               LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER |
                   WS_TABSTOP | WS_VISIBLE,
               7, 18, 130, 126);
  d.LText(t.width, 0xFFFF, 145, 18, 60, 8);
  d.EditText(IDC_KYZOD_WIDTH, 145, 28, 50, 12, ES_NUMBER | WS_TABSTOP);
  d.Control(nullptr, IDC_KYZOD_WIDTH_SPIN, UPDOWN_CLASS,
            UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS | WS_VISIBLE, 195, 28,
            10, 12);
  d.LText(t.color, 0xFFFF, 145, 46, 60, 8);
  d.PushButton("", IDC_KYZOD_COLOR, 145, 56, 50, 14, BS_OWNERDRAW | WS_TABSTOP);
  d.ControlOrd(nullptr, IDC_KYZOD_PREVIEW, KY_DLG_STATIC, SS_OWNERDRAW | WS_VISIBLE, 145, 78, 68, 40);
  d.LText("", IDC_KYZOD_NAME, 7, 150, 130, 8);
  d.DefPushButton(t.ok, IDOK, 145, 130, 68, 14, WS_TABSTOP);
  d.PushButton(t.cancel, IDCANCEL, 145, 148, 68, 14, WS_TABSTOP);
  return d;
}

KyDialogTemplate MakeSymbolTemplate(const Texts& t) {
  KyDialogTemplate d(kDialogStyle, 0, 0, 252, 172, t.symbolCaption, 8, "MS Sans Serif", 0, t.codePage);
  d.ControlOrd(nullptr, IDC_KYZOD_SYMBOLS, KY_DLG_LISTBOX,
               LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT |
                   WS_HSCROLL | WS_BORDER | WS_TABSTOP | WS_VISIBLE,
               7, 7, 238, 136);
  d.LText("", IDC_KYZOD_SYMNAME, 7, 150, 120, 8);
  d.DefPushButton(t.ok, IDOK, 137, 151, 50, 14, WS_TABSTOP);
  d.PushButton(t.cancel, IDCANCEL, 195, 151, 50, 14, WS_TABSTOP);
  return d;
}

const AFX_RESOURCE_STRING kStrings[] = {
    {IDS_KYZOD_PEN_SOLID, 1033, "Solid"},
    {IDS_KYZOD_PEN_DASH, 1033, "Dash"},
    {IDS_KYZOD_PEN_DOT, 1033, "Dot"},
    {IDS_KYZOD_PEN_DASHDOT, 1033, "Dash-Dot"},
    {IDS_KYZOD_PEN_DASHDOTDOT, 1033, "Dash-Dot-Dot"},
    {IDS_KYZOD_PEN_NULL, 1033, "Null"},
    {IDS_KYZOD_STYLE_FIRST + 0, 1033, "Double line"},
    {IDS_KYZOD_STYLE_FIRST + 1, 1033, "Dash-dot with ticks"},
    {IDS_KYZOD_STYLE_FIRST + 2, 1033, "Railway"},
    {IDS_KYZOD_STYLE_FIRST + 3, 1033, "Fence with teeth"},
    {IDS_KYZOD_STYLE_FIRST + 4, 1033, "Boundary"},
    {IDS_KYZOD_STYLE_FIRST + 5, 1033, "Wall"},
    {IDS_KYZOD_OWN_SYMBOLS, 1033, "Own symbols"},
    {IDS_KYZOD_RES_SYMBOLS, 1033, "Resource symbols"},
    {IDS_KYZOD_PEN_SOLID, 2052, "\xca\xb5\xcf\xdf"},                          // 实线
    {IDS_KYZOD_PEN_DASH, 2052, "\xd0\xe9\xcf\xdf"},                           // 虚线
    {IDS_KYZOD_PEN_DOT, 2052, "\xb5\xe3\xcf\xdf"},                            // 点线
    {IDS_KYZOD_PEN_DASHDOT, 2052, "\xb5\xe3\xbb\xae\xcf\xdf"},                // 点划线
    {IDS_KYZOD_PEN_DASHDOTDOT, 2052, "\xcb\xab\xb5\xe3\xbb\xae\xcf\xdf"},     // 双点划线
    {IDS_KYZOD_PEN_NULL, 2052, "\xbf\xd5\xcf\xdf"},                           // 空线
    {IDS_KYZOD_STYLE_FIRST + 0, 2052, "\xcb\xab\xcf\xdf"},                    // 双线
    {IDS_KYZOD_STYLE_FIRST + 1, 2052, "\xb4\xf8\xbf\xcc\xb6\xc8\xb5\xe3\xbb\xae\xcf\xdf"},  // 带刻度点划线
    {IDS_KYZOD_STYLE_FIRST + 2, 2052, "\xcc\xfa\xc2\xb7"},                    // 铁路
    {IDS_KYZOD_STYLE_FIRST + 3, 2052, "\xb4\xf8\xb3\xdd\xd5\xa4\xc0\xb8"},    // 带齿栅栏
    {IDS_KYZOD_STYLE_FIRST + 4, 2052, "\xbd\xe7\xcf\xdf"},                    // 界线
    {IDS_KYZOD_STYLE_FIRST + 5, 2052, "\xc7\xbd"},                            // 墙
    {IDS_KYZOD_OWN_SYMBOLS, 2052, "\xd7\xd4\xd3\xd0\xb7\xfb\xba\xc5"},        // 自有符号
    {IDS_KYZOD_RES_SYMBOLS, 2052, "\xd7\xca\xd4\xb4\xb7\xfb\xba\xc5"},        // 资源符号
};

}  // namespace

AFX_RESOURCE_SECTION(RegisterKyZod50Resources) {
  // Built on first use and kept for the life of the process: the resource
  // items point into them.
  static const KyDialogTemplate lineEn = MakeLineStyleTemplate(kEnglish);
  static const KyDialogTemplate lineZh = MakeLineStyleTemplate(kChinese);
  static const KyDialogTemplate symEn = MakeSymbolTemplate(kEnglish);
  static const KyDialogTemplate symZh = MakeSymbolTemplate(kChinese);
  const AFX_RESOURCE_ITEM items[] = {
      {RT_DIALOG, MAKEINTRESOURCE(IDD_KYZOD_LINESTYLE), 1033, lineEn.Data(), lineEn.Size()},
      {RT_DIALOG, MAKEINTRESOURCE(IDD_KYZOD_LINESTYLE), 2052, lineZh.Data(), lineZh.Size()},
      {RT_DIALOG, MAKEINTRESOURCE(IDD_KYZOD_SYMBOL), 1033, symEn.Data(), symEn.Size()},
      {RT_DIALOG, MAKEINTRESOURCE(IDD_KYZOD_SYMBOL), 2052, symZh.Data(), symZh.Size()},
  };
  AfxRegisterResources(hModule, items, std::size(items));
  AfxRegisterStrings(hModule, kStrings, std::size(kStrings));
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
  if (dwReason == DLL_PROCESS_ATTACH) {
    if (!AfxInitExtensionModule(KyZod50DLL, hInstance)) return 0;
    // Joins the application's resource chain for the life of the process; a
    // failed allocation only leaves the module's resources off the chain.
    new (std::nothrow) CDynLinkLibrary(KyZod50DLL);
  } else if (dwReason == DLL_PROCESS_DETACH) {
    AfxTermExtensionModule(KyZod50DLL);
  }
  return 1;
}
