// kyfsl edit: the library editor on a library file or the built-in default
// library, in a real window (SDL2, on a desktop or under Xvfb) or rendered
// headless into a picture. Save in the editor writes the file it was opened
// on; a file that does not exist yet is created by the first Save.
//
//   kyfsl edit maps.bru                      edit in a window
//   kyfsl edit --default --lang zh           the built-in library, Chinese dialogs
//   kyfsl edit maps.bru --screenshot e.png   render headless and write the screen
//   kyfsl edit maps.bru --after 5000         end a live run after 5 s (for scripts)
#include "kyfsl.h"

#ifdef KYFSL_WITH_EDITOR

#include <sys/stat.h>

#include <cstdio>

#include "KyFSLEditDlg.h"
#include "KySampleSymbols.h"
#include "codepage.h"
#include "sdlscreen.h"
#include "winnls.h"

namespace kyfsl {

namespace {

constexpr int kScreenWidth = 720;
constexpr int kScreenHeight = 540;

// The editor on a file: the path it saves to is the file it was opened on.
class CEditorOnFile : public CKyFSLEditDlg {
 public:
  CString m_strOpenedPath;

 protected:
  BOOL OnInitDialog() override {
    BOOL r = CKyFSLEditDlg::OnInitDialog();
    m_strPath = m_strOpenedPath;
    CenterWindow();
    return r;
  }
};

CEditorOnFile* g_running = nullptr;
std::string g_shotAfter;

struct EditOptions {
  Source src;
  std::string lang = "en";
  std::string screenshot;
  int after = -1;
};

bool FileExists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0;
}

int RunEdit(const EditOptions& o, const Globals& g) {
  if (o.src.builtIn && !o.src.path.empty()) throw Failure{"give either LIB or --default, not both", 2};
  if (!o.src.builtIn && o.src.path.empty()) throw Failure{"give a library file or --default", 2};
  bool chinese = o.lang == "zh";
  // The dialogs' texts come in the ANSI code page: Chinese needs 936, and so
  // do the built-in library's GB2312 names (other libraries are looked at
  // once read).
  UINT page = g.codePage ? g.codePage : (chinese || o.src.builtIn ? 936u : 0u);
  if (page) AfxSetCodePage(page);
  SetThreadUILanguage(chinese ? 2052 : 1033);

  CKyFillStyleLib lib;
  if (o.src.builtIn) {
    LoadLibrary(o.src, lib);
  } else if (FileExists(o.src.path)) {
    LoadLibrary(o.src, lib);
  } else {
    CString root;
    root.LoadString(23009);  // "Root Group"
    lib.GetStyleGroup()->SetName(root);
    std::fprintf(stderr, "kyfsl: '%s' does not exist yet: a new library, written there by Save\n",
                 o.src.path.c_str());
  }
  if (!page && ForLibrary(g, lib).codePage == 936) AfxSetCodePage(936);

  // The symbols a host would offer beside the library's own: here the
  // sample symbols, for new symbol patterns.
  CKySymLib samples = KySampleSymbols();
  lib.m_pResSymLib = &samples;

  KyScreen::Get().SetSize(kScreenWidth, kScreenHeight);
  CEditorOnFile dlg;
  dlg.AttachKyFillStyleLib(&lib);
  if (!o.src.builtIn) dlg.m_strOpenedPath = o.src.path.c_str();

  if (!o.screenshot.empty() && o.after < 0) {
    if (!dlg.Create(nullptr)) throw Failure{"the editor dialog cannot be made"};
    dlg.ShowWindow(SW_SHOW);
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (dlg.PreTranslateMessage(&m)) continue;
      TranslateMessage(&m);
      DispatchMessage(&m);
    }
    BOOL ok = KyScreen::Get().SavePng(o.screenshot.c_str());
    dlg.DestroyWindow();
    if (!ok) throw Failure{"cannot write '" + o.screenshot + "'"};
    return 0;
  }

  KySdlWindow* window = KySdlWindow::Open(KyScreen::Get(), "kyfsl edit");
  if (!window) {
    throw Failure{"the display cannot be opened to show the editor on (set DISPLAY, or use --screenshot)", 2};
  }
  if (o.after >= 0) {
    g_running = &dlg;
    g_shotAfter = o.screenshot;
    SetTimer(nullptr, 0, static_cast<UINT>(o.after), [](HWND, UINT, UINT_PTR, DWORD) {
      if (!g_shotAfter.empty()) KyScreen::Get().SavePng(g_shotAfter.c_str());
      // A scripted end: no question about unsaved changes.
      if (g_running) g_running->EndDialog(IDCANCEL);
    });
  }
  INT_PTR r = dlg.DoModal();
  g_running = nullptr;
  delete window;
  if (r == -1) throw Failure{"the editor dialog cannot be made"};
  return 0;
}

}  // namespace

void RegisterEdit(CLI::App& app, const Globals& g, Outcome& out) {
  auto* sub = app.add_subcommand("edit", "open the library editor on a library, in a window or headless");
  auto o = std::make_shared<EditOptions>();
  AddSourceOptions(sub, o->src);
  sub->add_option("--lang", o->lang, "language of the dialogs: en or zh")->check(CLI::IsMember({"en", "zh"}));
  sub->add_option("--screenshot", o->screenshot, "render headless and write the screen (.png); with --after, "
                                                 "write it at the end of the live run");
  sub->add_option("--after", o->after, "end a live run after this many milliseconds");
  sub->callback([o, &g, &out] { out.status = RunEdit(*o, g); });
}

}  // namespace kyfsl

#endif  // KYFSL_WITH_EDITOR
