// kyfsl dialogs: draws each of the module's dialog templates, empty and
// without the logic of its dialog class, into PNG files, to check the
// templates by eye: DIR/<id>-<lang>.png.
//
// The template's controls are made by the window system as they stand.
// Window classes that the module or the control families register at run
// time (the canvas and the grid of the editor, up-downs and list views while
// their family is missing) get a placeholder that shows the class name;
// owner-drawn buttons are drawn as plain raised frames with their text. The
// editor also gets placeholders where it creates its grid, its canvas and
// its command bar, so that its layout can be judged whole.
#include "kyfsl.h"

#if __has_include("dlgtemplate.h")
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "KyROZ50Module.h"
#include "afxwin.h"
#include "gdipng.h"
#include "resource.h"
#include "winscreen.h"

namespace kyfsl {

namespace {

struct DialogName {
  int id;
  const char* name;
  bool page;  // a property page: a child window with a caption
};
const DialogName kDialogs[] = {
    {IDD_FSL_EDIT, "editor", false},         {IDD_FSL_ARRANGE_PASTE, "arrange-paste", false},
    {IDD_FSL_OPTION_STYLE, "option-style", true}, {IDD_FSL_OPTION_OPEN, "option-open", true},
    {IDD_FSL_PICK, "picker", false},         {IDD_FSL_SYMBOL, "symbol", false},
    {IDD_FSL_EXPORT_BMP, "export-bmp", false},
};

const char* const kPlaceholderClasses[] = {"msctls_updown32", "SysListView32", "ToolbarWindow32", "BRUSHWND",
                                           "BRUSHLISTBOX"};
const char kPageHostClass[] = "KyfslPageHost";

LRESULT CALLBACK PlaceholderProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_PAINT) return DefWindowProcA(hwnd, msg, wp, lp);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  RECT r;
  GetClientRect(hwnd, &r);
  char cls[64] = {0};
  GetClassNameA(hwnd, cls, sizeof cls);
  const bool updown = std::strcmp(cls, "msctls_updown32") == 0;
  FillRect(dc, &r, GetSysColorBrush(updown ? COLOR_BTNFACE : COLOR_WINDOW));
  if (updown) {
    // Two raised halves with a small arrow each.
    RECT up = r, down = r;
    up.bottom = down.top = (r.top + r.bottom) / 2;
    DrawEdge(dc, &up, EDGE_RAISED, BF_RECT);
    DrawEdge(dc, &down, EDGE_RAISED, BF_RECT);
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    const int cx = (r.left + r.right) / 2;
    for (int i = 0; i < 3; ++i) {
      RECT a{cx - i, up.top + 2 + i, cx + i + 1, up.top + 3 + i};
      FillRect(dc, &a, black);
      RECT b{cx - i, down.bottom - 3 - i, cx + i + 1, down.bottom - 2 - i};
      FillRect(dc, &b, black);
    }
  } else {
    HBRUSH grey = GetSysColorBrush(COLOR_BTNSHADOW);
    FrameRect(dc, &r, grey);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    DrawTextA(dc, cls, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
  }
  EndPaint(hwnd, &ps);
  return 0;
}

void RegisterPlaceholders() {
  for (const char* name : kPlaceholderClasses) {
    WNDCLASSA wc{};
    if (GetClassInfoA(nullptr, name, &wc)) continue;
    wc.lpfnWndProc = PlaceholderProc;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    RegisterClassA(&wc);
  }
  WNDCLASSA host{};
  if (!GetClassInfoA(nullptr, kPageHostClass, &host)) {
    host.lpfnWndProc = DefWindowProcA;
    host.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    host.lpszClassName = kPageHostClass;
    RegisterClassA(&host);
  }
}

// Owner-drawn buttons as raised frames with their text, so that they can be
// found in the picture.
INT_PTR CALLBACK EmptyDialogProc(HWND hDlg, UINT msg, WPARAM, LPARAM lp) {
  if (msg == WM_INITDIALOG) return TRUE;
  if (msg == WM_DRAWITEM) {
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
    if (dis->CtlType != ODT_BUTTON) return FALSE;
    RECT r = dis->rcItem;
    FillRect(dis->hDC, &r, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dis->hDC, &r, EDGE_RAISED, BF_RECT);
    char text[128] = {0};
    GetWindowTextA(dis->hwndItem, text, sizeof text);
    SetBkMode(dis->hDC, TRANSPARENT);
    DrawTextA(dis->hDC, text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return TRUE;
  }
  (void)hDlg;
  return FALSE;
}

// Where the editor puts its grid, canvas and command bar (client pixels).
void AddEditorPlaceholders(HWND hDlg) {
  RECT client, combo;
  GetClientRect(hDlg, &client);
  HWND name = GetDlgItem(hDlg, IDC_EDITOR_NAME_COMBO);
  if (!name) return;
  GetWindowRect(name, &combo);
  POINT corners[2] = {{combo.left, combo.top}, {combo.right, combo.bottom}};
  ScreenToClient(hDlg, &corners[0]);
  ScreenToClient(hDlg, &corners[1]);
  const int y0 = corners[1].y + (corners[1].y - corners[0].y) / 3;
  HINSTANCE inst = nullptr;
  CreateWindowExA(WS_EX_CLIENTEDGE, "BRUSHLISTBOX", "", WS_CHILD | WS_VISIBLE, 2, y0, 201 - 2,
                  client.bottom - 30 - y0, hDlg, reinterpret_cast<HMENU>(IDC_EDITOR_GRID), inst, nullptr);
  CreateWindowExA(WS_EX_CLIENTEDGE, "BRUSHWND", "", WS_CHILD | WS_VISIBLE, 204, y0, client.right - 2 - 204,
                  client.bottom - 30 - y0, hDlg, reinterpret_cast<HMENU>(IDC_EDITOR_CANVAS), inst, nullptr);
  CreateWindowExA(0, "ToolbarWindow32", "", WS_CHILD | WS_VISIBLE, 10, 1, client.right - 10, 25, hDlg,
                  reinterpret_cast<HMENU>(0xE800), inst, nullptr);
}

void Pump() {
  MSG m;
  for (int i = 0; i < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE);  // the queue composes the screen when it looks
}

bool SaveWindow(HWND hwnd, const std::string& path) {
  RECT r;
  GetWindowRect(hwnd, &r);
  KyScreen& s = KyScreen::Get();
  std::vector<DWORD> px;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) px.push_back(s.PixelAt(x, y));
  return GdiWritePngPixels(path.c_str(), r.right - r.left, r.bottom - r.top, px.data()) != FALSE;
}

// Makes the folder and those above it that are missing, as mkdir -p does.
void MakeFolders(const std::string& dir) {
  for (size_t at = 1; at <= dir.size(); ++at) {
    if (at < dir.size() && dir[at] != '/') continue;
    const std::string part = dir.substr(0, at);
    struct stat st {};
    if (::stat(part.c_str(), &st) == 0) {
      if (!S_ISDIR(st.st_mode)) throw Failure{"'" + part + "' is a file, not a folder"};
      continue;
    }
    if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) {
      throw Failure{"cannot make the folder '" + part + "': " + std::strerror(errno)};
    }
  }
}

int RenderDialogs(const std::string& dir, const std::string& lang) {
  if (lang != "en" && lang != "zh" && lang != "both") throw Failure{"--lang is en, zh or both"};
  HINSTANCE module = KyROZ50ResourceHandle();
  if (!module) throw Failure{"the module's resources are not loaded"};
  MakeFolders(dir);
  KyScreen::Get().SetPresenter(nullptr);
  KyScreen::Get().SetSize(1024, 768);
  RegisterPlaceholders();
  int written = 0;
  for (const char* l : {"en", "zh"}) {
    if (lang != "both" && lang != l) continue;
    const bool zh = std::strcmp(l, "zh") == 0;
    SetThreadUILanguage(zh ? 2052 : 1033);
    AfxSetCodePage(zh ? 936 : 1252);
    for (const DialogName& d : kDialogs) {
      HWND host = nullptr;
      if (d.page) {
        host = CreateWindowExA(0, kPageHostClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 600, 400, nullptr, nullptr,
                               nullptr, nullptr);
      }
      HWND dlg = CreateDialogParamA(module, MAKEINTRESOURCE(d.id), host, EmptyDialogProc, 0);
      if (!dlg) {
        if (host) DestroyWindow(host);
        throw Failure{"dialog " + std::to_string(d.id) + " (" + l + ") cannot be created: error " +
                      std::to_string(GetLastError())};
      }
      if (d.id == IDD_FSL_EDIT) AddEditorPlaceholders(dlg);
      if (host) {
        RECT r;
        GetWindowRect(dlg, &r);
        MoveWindow(host, 0, 0, r.right - r.left, r.bottom - r.top, TRUE);
        SetWindowPos(dlg, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
      }
      ShowWindow(dlg, SW_SHOW);
      Pump();
      const std::string path = dir + "/" + std::to_string(d.id) + "-" + d.name + "-" + l + ".png";
      const bool ok = SaveWindow(dlg, path);
      DestroyWindow(dlg);
      if (host) DestroyWindow(host);
      Pump();
      if (!ok) throw Failure{"cannot write " + path};
      std::printf("%s\n", path.c_str());
      ++written;
    }
  }
  SetThreadUILanguage(0);
  AfxSetCodePage(0);
  return written ? 0 : 1;
}

}  // namespace

void RegisterDialogs(CLI::App& app, const Globals&, Outcome& out) {
  auto* sub = app.add_subcommand("dialogs", "draw each dialog template of the module, empty, as DIR/<id>-<name>-<lang>.png");
  auto dir = std::make_shared<std::string>();
  auto lang = std::make_shared<std::string>("both");
  sub->add_option("--out", *dir, "folder to write into")->required();
  sub->add_option("--lang", *lang, "en, zh or both (default)");
  sub->callback([dir, lang, &out] { out.status = RenderDialogs(*dir, *lang); });
}

}  // namespace kyfsl

#else  // built without the window system

namespace kyfsl {
void RegisterDialogs(CLI::App&, const Globals&, Outcome&) {}
}  // namespace kyfsl

#endif
