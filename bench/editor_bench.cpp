// Cost of the editor's steps: the grid's ReDraw of a screen of swatches of
// the built-in library, moving the selection, loading a style into the
// canvas, writing it back, and saving a library of 10,000 styles through the
// editor's Save (its refresh included) against the library's own Store. An
// interactive step should stay well under a frame (16 ms).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "KyFSLEditDlg.h"
#include "winscreen.h"

namespace {

// The editor made modeless on the headless screen, with its queue drained.
struct Editor {
  explicit Editor(CKyFillStyleLib& lib) {
    KyScreen::Get().SetSize(800, 600);
    dlg.AttachKyFillStyleLib(&lib);
    ok = dlg.Create(nullptr) != FALSE;
    if (ok) dlg.ShowWindow(SW_SHOW);
    Drain();
  }
  ~Editor() {
    if (dlg.m_hWnd) dlg.DestroyWindow();
    Drain();
  }
  static void Drain() {
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessage(&m);
    }
  }
  CKyFSLEditDlg dlg;
  bool ok = false;
};

// n 32 x 32 bitmap styles with ids from 8 in the root group.
void Fill(CKyFillStyleLib& lib, long n) {
  CByteArray pattern;
  pattern.SetSize(190);
  for (INT_PTR i = 0; i < pattern.GetSize(); ++i) pattern[i] = static_cast<BYTE>(i * 37);
  const BYTE header[] = {'B', 'M', 190, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0, 40, 0, 0, 0, 32, 0, 0, 0, 32, 0, 0, 0, 1, 0, 1, 0};
  for (size_t i = 0; i < sizeof header; ++i) pattern[static_cast<INT_PTR>(i)] = header[i];
  for (INT_PTR i = 30; i < 62; ++i) pattern[i] = 0;
  for (long k = 0; k < n; ++k) {
    CString name;
    name.Format("style %ld", k);
    auto* s = new CKyFillStyle(8 + k, name, pattern, CKyFillStyle::FS_81DPI);
    if (!lib.AddFillStyle(s, lib.GetStyleGroup())) delete s;
  }
}

void BM_GridReDrawDefaultLibrary(benchmark::State& state) {
  CKyFillStyleLib lib;
  lib.CreateDefault();
  Editor e(lib);
  if (!e.ok) return state.SkipWithError("editor not made");
  for (auto _ : state) e.dlg.m_wndList.ReDraw();
  state.counters["cells"] = e.dlg.m_wndList.m_nColumns * e.dlg.m_wndList.m_nRows;
}
BENCHMARK(BM_GridReDrawDefaultLibrary)->Unit(benchmark::kMillisecond);

void BM_GridSelectionMoves(benchmark::State& state) {
  CKyFillStyleLib lib;
  lib.CreateDefault();
  Editor e(lib);
  if (!e.ok) return state.SkipWithError("editor not made");
  int i = 0;
  for (auto _ : state) e.dlg.m_wndList.BrushSelect(i++ % 12);
}
BENCHMARK(BM_GridSelectionMoves)->Unit(benchmark::kMicrosecond);

void BM_EditStyleIntoCanvas(benchmark::State& state) {
  CKyFillStyleLib lib;
  lib.CreateDefault();
  Editor e(lib);
  if (!e.ok) return state.SkipWithError("editor not made");
  e.dlg.m_wndList.BrushSelect(2);
  for (auto _ : state) e.dlg.OnEditButton();
}
BENCHMARK(BM_EditStyleIntoCanvas)->Unit(benchmark::kMillisecond);

void BM_SaveStyleIn10000(benchmark::State& state) {
  CKyFillStyleLib lib;
  Fill(lib, 10000);
  Editor e(lib);
  if (!e.ok) return state.SkipWithError("editor not made");
  e.dlg.m_wndList.BrushSelect(5000);
  e.dlg.OnEditButton();
  for (auto _ : state) e.dlg.OnSaveButton();
}
BENCHMARK(BM_SaveStyleIn10000)->Unit(benchmark::kMillisecond);

const std::string& TempFile() {
  static const std::string path = [] {
    char name[] = "/tmp/editor_benchXXXXXX";
    int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    return std::string(name) + ".bru";
  }();
  return path;
}

void BM_SaveLibrary10000ThroughEditor(benchmark::State& state) {
  CKyFillStyleLib lib;
  Fill(lib, 10000);
  Editor e(lib);
  if (!e.ok) return state.SkipWithError("editor not made");
  e.dlg.m_strPath = TempFile().c_str();
  for (auto _ : state) {
    e.dlg.m_bModified = TRUE;
    if (!e.dlg.SaveLibrary(FALSE)) return state.SkipWithError("not saved");
  }
  std::remove(TempFile().c_str());
}
BENCHMARK(BM_SaveLibrary10000ThroughEditor)->Unit(benchmark::kMillisecond);

void BM_StoreLibrary10000(benchmark::State& state) {
  CKyFillStyleLib lib;
  Fill(lib, 10000);
  for (auto _ : state)
    if (!lib.Store(TempFile().c_str())) return state.SkipWithError("not stored");
  std::remove(TempFile().c_str());
}
BENCHMARK(BM_StoreLibrary10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
