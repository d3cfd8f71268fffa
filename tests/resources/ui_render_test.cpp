// The module's dialog templates made into windows by the window system, in
// both languages: every control where its template puts it, and the Chinese
// dialogs in their Chinese font with legible text.
#include <gtest/gtest.h>

#if __has_include("dlgtemplate.h")
#include <cstring>
#include <string>

#include "KyROZ50Module.h"
#include "afxwin.h"
#include "commctrl.h"
#include "dlgtemplate.h"
#include "resource.h"
#include "winscreen.h"

namespace {

const int kDialogIds[] = {IDD_FSL_EDIT,   IDD_FSL_ARRANGE_PASTE, IDD_FSL_OPTION_STYLE, IDD_FSL_OPTION_OPEN,
                          IDD_FSL_PICK,   IDD_FSL_SYMBOL,        IDD_FSL_EXPORT_BMP};

// Classes of the control families may be missing from this build; a plain
// window stands in for them, as the templates only need them to exist.
void EnsureClass(const char* name) {
  WNDCLASSA wc{};
  if (GetClassInfoA(nullptr, name, &wc)) return;
  wc.lpfnWndProc = DefWindowProcA;
  wc.lpszClassName = name;
  RegisterClassA(&wc);
}

INT_PTR CALLBACK Proc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

class Language {
 public:
  explicit Language(WORD lang) {
    SetThreadUILanguage(lang);
    AfxSetCodePage(lang == 2052 ? 936 : 1252);
  }
  ~Language() {
    SetThreadUILanguage(0);
    AfxSetCodePage(0);
  }
};

// A dialog made from the module's template; pages get a parent window.
class MadeDialog {
 public:
  MadeDialog(int id, bool page) {
    if (page) {
      EnsureClass("KyUiRenderHost");
      m_host = CreateWindowExA(0, "KyUiRenderHost", "", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr, nullptr,
                               nullptr, nullptr);
    }
    m_dlg = CreateDialogParamA(KyROZ50ResourceHandle(), MAKEINTRESOURCE(id), m_host, Proc, 0);
  }
  ~MadeDialog() {
    if (m_dlg) DestroyWindow(m_dlg);
    if (m_host) DestroyWindow(m_host);
  }
  HWND Get() const { return m_dlg; }

 private:
  HWND m_host = nullptr;
  HWND m_dlg = nullptr;
};

KyDialogInfo Template(int id) {
  KyDialogInfo info;
  HINSTANCE h = KyROZ50ResourceHandle();
  HRSRC res = FindResource(h, MAKEINTRESOURCE(id), RT_DIALOG);
  if (res) KyParseDialogTemplate(LockResource(LoadResource(h, res)), SizeofResource(h, res), &info);
  return info;
}

RECT ChildRect(HWND dlg, HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  POINT a{r.left, r.top}, b{r.right, r.bottom};
  ScreenToClient(dlg, &a);
  ScreenToClient(dlg, &b);
  return RECT{a.x, a.y, b.x, b.y};
}

class UiRender : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureClass("msctls_updown32");
    EnsureClass("SysListView32");
  }
};

TEST_F(UiRender, EveryControlStandsWhereItsTemplatePutsIt) {
  for (WORD lang : {WORD(1033), WORD(2052)}) {
    Language language(lang);
    for (int id : kDialogIds) {
      SCOPED_TRACE(std::to_string(id) + " in " + std::to_string(lang));
      const KyDialogInfo t = Template(id);
      ASSERT_FALSE(t.items.empty());
      MadeDialog d(id, (t.style & WS_CHILD) != 0);
      ASSERT_NE(d.Get(), nullptr) << "error " << GetLastError();
      for (size_t i = 0; i < t.items.size(); ++i) {
        const KyDialogItemInfo& it = t.items[i];
        const int cid = static_cast<WORD>(it.id);
        // An up-down that takes the control before it as its buddy moves
        // against it and narrows it by its own width.
        const bool buddy = i + 1 < t.items.size() && t.items[i + 1].className == "msctls_updown32" &&
                           (t.items[i + 1].style & UDS_AUTOBUDDY);
        if (cid == 0xFFFF) continue;  // labels and group boxes share the static id
        HWND c = GetDlgItem(d.Get(), cid);
        ASSERT_NE(c, nullptr) << cid;
        char cls[64] = {0};
        GetClassNameA(c, cls, sizeof cls);
        EXPECT_EQ(strcasecmp(cls, it.className.c_str()), 0) << cid << ": " << cls;
        if (it.className == "msctls_updown32") continue;  // an up-down moves against its buddy
        // Position and size are converted each on its own, as the dialog
        // manager does: the right edge is left + width, not the mapped x + cx.
        RECT want{it.x, it.y, it.cx, it.cy};
        MapDialogRect(d.Get(), &want);
        const RECT got = ChildRect(d.Get(), c);
        EXPECT_EQ(got.left, want.left) << cid;
        EXPECT_EQ(got.top, want.top) << cid;
        if (!buddy) {
          EXPECT_EQ(got.right - got.left, want.right) << cid;
        }
        if (it.className != "ComboBox") {  // a combo sizes its own list
          EXPECT_EQ(got.bottom - got.top, want.bottom) << cid;
        }
      }
    }
  }
}

TEST_F(UiRender, ChineseDialogsUseTheChineseFaceAndEnglishOnesTheirs) {
  const struct {
    WORD lang;
    const char* face;  // as the ANSI code page of the language spells it
    int points;
  } cases[] = {{1033, "MS Sans Serif", 8}, {2052, "\xcb\xce\xcc\xe5" /* 宋体 */, 9}};
  for (const auto& c : cases) {
    Language language(c.lang);
    MadeDialog d(IDD_FSL_PICK, false);
    ASSERT_NE(d.Get(), nullptr);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(d.Get(), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr);
    LOGFONTA lf{};
    ASSERT_NE(GetObjectA(font, sizeof lf, &lf), 0);
    EXPECT_STREQ(lf.lfFaceName, c.face) << c.lang;
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(-lf.lfHeight, MulDiv(c.points, GetDeviceCaps(screen, LOGPIXELSY), 72)) << c.lang;
    ReleaseDC(nullptr, screen);
  }
}

TEST_F(UiRender, ChineseLabelsAreDrawnAsCharacters) {
  // "查找组" in the picker's first label: each character is a square glyph
  // of many strokes, several times the ink of the question marks that text
  // read in the wrong code page turns into (about 150 dark pixels against 33).
  Language language(2052);
  MadeDialog d(IDD_FSL_PICK, false);
  ASSERT_NE(d.Get(), nullptr);
  SetWindowPos(d.Get(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ShowWindow(d.Get(), SW_SHOW);
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
  PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);
  RECT label{7, 7, 48, 18};
  MapDialogRect(d.Get(), &label);
  POINT origin{0, 0};
  ClientToScreen(d.Get(), &origin);
  int ink = 0;
  for (int y = label.top; y < label.bottom; ++y)
    for (int x = label.left; x < label.right; ++x) {
      const DWORD p = KyScreen::Get().PixelAt(origin.x + x, origin.y + y);
      ink += ((p >> 16) & 0xFF) < 0x80 && ((p >> 8) & 0xFF) < 0x80 && (p & 0xFF) < 0x80;
    }
  EXPECT_GT(ink, 90) << "three Chinese characters leave more ink";
}

}  // namespace

#endif
