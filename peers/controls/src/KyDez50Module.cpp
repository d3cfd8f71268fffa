// The controls module's entry point and resources: its strings and the
// colour chooser's template, in English and Chinese, joined to the resource
// chain when the library is loaded.
#include <iterator>
#include <new>

#include "KyDez50Res.h"
#include "afxdllx.h"
#include "dlgtemplate.h"

namespace {

AFX_EXTENSION_MODULE KyDez50DLL = {FALSE, NULL, NULL, NULL, NULL};

struct ColorTexts {
  const char* caption;
  const char* red;
  const char* green;
  const char* blue;
  const char* hue;
  const char* sat;
  const char* light;
  const char* ok;
  const char* cancel;
  UINT codePage;
};

const ColorTexts kEnglish = {"Color", "Red:", "Green:", "Blue:", "Hue:", "Sat:", "Lum:", "OK", "Cancel", 1252};
// 颜色, 红:, 绿:, 蓝:, 色调:, 饱和度:, 亮度:, 确定, 取消
const ColorTexts kChinese = {"\xd1\xd5\xc9\xab", "\xba\xec:", "\xc2\xcc:", "\xc0\xb6:",
                             "\xc9\xab\xb5\xf7:", "\xb1\xa5\xba\xcd\xb6\xc8:", "\xc1\xc1\xb6\xc8:",
                             "\xc8\xb7\xb6\xa8", "\xc8\xa1\xcf\xfb", 936};

// Layout in dialog units; the field, the bar and the sample (top row) are
// painted by the dialog itself and have no controls.
KyDialogTemplate MakeColorTemplate(const ColorTexts& t) {
  KyDialogTemplate d(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 230, 150, t.caption, 8,
                     "MS Sans Serif", 0, t.codePage);
  const char* left[3] = {t.red, t.green, t.blue};
  const char* right[3] = {t.hue, t.sat, t.light};
  const WORD leftIds[3] = {IDC_KYDEZ_RED, IDC_KYDEZ_GREEN, IDC_KYDEZ_BLUE};
  const WORD rightIds[3] = {IDC_KYDEZ_HUE, IDC_KYDEZ_SAT, IDC_KYDEZ_LIGHT};
  for (int i = 0; i < 3; ++i) {
    const short y = static_cast<short>(88 + 16 * i);
    d.LText(left[i], 0xFFFF, 7, static_cast<short>(y + 2), 30, 8);
    d.EditText(leftIds[i], 38, y, 28, 12, ES_NUMBER | WS_TABSTOP);
    d.LText(right[i], 0xFFFF, 76, static_cast<short>(y + 2), 38, 8);
    d.EditText(rightIds[i], 116, y, 28, 12, ES_NUMBER | WS_TABSTOP);
  }
  d.DefPushButton(t.ok, IDOK, 173, 112, 50, 14, WS_TABSTOP);
  d.PushButton(t.cancel, IDCANCEL, 173, 130, 50, 14, WS_TABSTOP);
  return d;
}

const AFX_RESOURCE_STRING kStrings[] = {
    {IDS_KYDEZ_MORE, 1033, "More..."},
    {IDS_KYDEZ_CAPTION, 1033, "Color"},
    {IDS_KYDEZ_MORE, 2052, "\xb8\xfc\xb6\xe0..."},  // 更多...
    {IDS_KYDEZ_CAPTION, 2052, "\xd1\xd5\xc9\xab"},  // 颜色
};

}  // namespace

AFX_RESOURCE_SECTION(RegisterKyDez50Resources) {
  // Built on first use and kept for the life of the process: the resource
  // items point into them.
  static const KyDialogTemplate english = MakeColorTemplate(kEnglish);
  static const KyDialogTemplate chinese = MakeColorTemplate(kChinese);
  const AFX_RESOURCE_ITEM items[] = {
      {RT_DIALOG, MAKEINTRESOURCE(IDD_KYDEZ_COLOR), 1033, english.Data(), english.Size()},
      {RT_DIALOG, MAKEINTRESOURCE(IDD_KYDEZ_COLOR), 2052, chinese.Data(), chinese.Size()},
  };
  AfxRegisterResources(hModule, items, std::size(items));
  AfxRegisterStrings(hModule, kStrings, std::size(kStrings));
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
  if (dwReason == DLL_PROCESS_ATTACH) {
    if (!AfxInitExtensionModule(KyDez50DLL, hInstance)) return 0;
    // Joins the application's resource chain for the life of the process; a
    // failed allocation only leaves the module's resources off the chain.
    new (std::nothrow) CDynLinkLibrary(KyDez50DLL);
  } else if (dwReason == DLL_PROCESS_DETACH) {
    AfxTermExtensionModule(KyDez50DLL);
  }
  return 1;
}
