// The picker's interactive costs on the built-in default library: a full
// redraw of the style list (every visible swatch prepared, drawn and
// released, as the list's DrawItem does when the window system asks), one
// swatch on its own, and opening the picker to its first painted frame.
// A redraw must stay well under a frame (16 ms).
#include <benchmark/benchmark.h>

#include "KyFSLPickDlg.h"
#include "KyFSLPickList.h"
#include "KyFillStyleLib.h"
#include "KyLineStyleLib.h"
#include "dlgtemplate.h"
#include "resource.h"
#include "winscreen.h"

namespace {

void Drain() {
  MSG m;
  while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
}

CKyFillStyleLib& DefaultLibrary() {
  static CKyFillStyleLib lib;
  static bool made = lib.CreateDefault() != FALSE;
  (void)made;
  return lib;
}

// The list as the picker makes it: the template's list box with cells of
// 95 x 110 pixels, showing the root group.
class ListHost : public CDialog {
 public:
  ListHost() {
    static KyDialogTemplate t = [] {
      KyDialogTemplate d(WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 0, 220, 270, "bench", 8, "MS Sans Serif");
      d.ListBox(IDC_PICK_STYLE_LIST, 7, 25, 202, 236,
                LBS_OWNERDRAWFIXED | LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | WS_HSCROLL | WS_BORDER);
      return d;
    }();
    CreateIndirect(t.Get());
    m_list.SubclassDlgItem(IDC_PICK_STYLE_LIST, this);
    m_list.SetItemHeight(0, 110);
    m_list.SetColumnWidth(95);
    m_list.m_pLib = &DefaultLibrary();
    m_list.UpdateGroup(DefaultLibrary().GetStyleGroup());
    Drain();
  }
  ~ListHost() override { DestroyWindow(); }
  CKyFSLPickList m_list;
};

void BM_StyleListFullRedraw(benchmark::State& state) {
  ListHost host;
  // Scrolled to the library's own styles, past the eight built-in fills.
  host.m_list.SetTopIndex(static_cast<int>(state.range(0)));
  Drain();
  for (auto _ : state) {
    host.m_list.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
  RECT client;
  host.m_list.GetClientRect(&client);
  int visible = 0;
  for (int i = 0; i < host.m_list.GetCount(); ++i) {
    RECT r;
    host.m_list.GetItemRect(i, &r);
    RECT both;
    visible += IntersectRect(&both, &r, &client) ? 1 : 0;
  }
  state.counters["swatches"] = visible;
}
BENCHMARK(BM_StyleListFullRedraw)->Arg(0)->Arg(8)->Arg(60)->Unit(benchmark::kMillisecond);

// One library swatch: prepare the tile, lay it, frame it, release it.
void BM_StyleSwatch(benchmark::State& state) {
  CKyFillStyleLib& lib = DefaultLibrary();
  CDC screen;
  screen.Attach(::GetDC(nullptr));
  CDC mem;
  mem.CreateCompatibleDC(&screen);
  CBitmap bmp;
  bmp.CreateCompatibleBitmap(&screen, 95, 110);
  CBitmap* old = mem.SelectObject(&bmp);
  const long id = lib.FindIndex(state.range(0));
  CRect r(30, 20, 80, 70);
  for (auto _ : state) {
    CKyFillStyle* s = lib.CreateFillStyle(&mem, id, 0xFF0000, 0xFFFFFF, CSize(0, 0), 1.0);
    if (s) {
      s->Display(&mem, &r, 100);
      s->ReleaseBMP();
    }
    benchmark::DoNotOptimize(s);
  }
  mem.SelectObject(old);
  ::ReleaseDC(nullptr, screen.Detach());
}
BENCHMARK(BM_StyleSwatch)->Arg(0)->Arg(40)->Arg(91)->Unit(benchmark::kMicrosecond);

// Construct, start up (OnInitDialog, the list, the tree, the preview) and
// paint the first frame, then close.
void BM_OpenPickerToFirstFrame(benchmark::State& state) {
  CKyLineStyleLib lines;
  lines.CreateDefault();
  for (auto _ : state) {
    CKyFSLPickDlg dlg;
    dlg.AttachKyStyleLib(&DefaultLibrary(), &lines);
    dlg.SetCurSelStyle(state.range(0));
    if (!dlg.Create(IDD_FSL_PICK)) {
      state.SkipWithError("the picker's template cannot be made");
      break;
    }
    dlg.ShowWindow(SW_SHOW);
    Drain();
    state.PauseTiming();
    dlg.DestroyWindow();
    Drain();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenPickerToFirstFrame)->Arg(-1)->Arg(40)->Unit(benchmark::kMillisecond);

// Redrawing the preview after a change (colour, rate, selection).
void BM_PreviewRedraw(benchmark::State& state) {
  CKyLineStyleLib lines;
  lines.CreateDefault();
  CKyFSLPickDlg dlg;
  dlg.AttachKyStyleLib(&DefaultLibrary(), &lines);
  dlg.SetCurSelStyle(DefaultLibrary().FindIndex(10));
  dlg.SetGradientType(state.range(0));
  if (!dlg.Create(IDD_FSL_PICK)) {
    state.SkipWithError("the picker's template cannot be made");
    return;
  }
  Drain();
  for (auto _ : state) dlg.DrawPreviews();
  dlg.DestroyWindow();
}
BENCHMARK(BM_PreviewRedraw)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
