// The editor's Save of a large library: 10,000 styles through the editor's
// own path (the image, the file, the grid back at its top, both combo boxes
// refilled, the canvas emptied), beside 100 styles for scale, and the
// library's own Store of the same libraries.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "KyFSLEditDlg.h"
#include "KyFillStyleLib.h"
#include "winscreen.h"

namespace {

void Drain() {
  MSG m;
  while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
}

// An 8 x 8 one-bit BMP file image: 62 bytes of headers and palette, then
// eight rows of four bytes.
void Pattern(CByteArray& out, int seed) {
  out.SetSize(62 + 32);
  BYTE* b = out.GetData();
  std::fill(b, b + out.GetSize(), BYTE{0});
  auto put = [b](int at, unsigned v, int n) {
    for (int i = 0; i < n; ++i) b[at + i] = static_cast<BYTE>(v >> (8 * i));
  };
  b[0] = 'B';
  b[1] = 'M';
  put(2, 94, 4);
  put(10, 62, 4);
  put(14, 40, 4);
  put(18, 8, 4);
  put(22, 8, 4);
  put(26, 1, 2);
  put(28, 1, 2);
  put(34, 32, 4);
  put(58, 0xFFFFFF, 4);
  for (int y = 0; y < 8; ++y) b[62 + 4 * y] = static_cast<BYTE>(0x81 << (y + seed) % 8 | seed);
}

void Fill(CKyFillStyleLib& lib, int count) {
  CByteArray pattern;
  for (int i = 0; i < count; ++i) {
    Pattern(pattern, i);
    CString name;
    name.Format("Style %d", i);
    auto* s = new CKyFillStyle(8 + i, name, pattern, CKyFillStyle::FS_81DPI);
    if (!lib.AddFillStyle(s, lib.GetStyleGroup())) delete s;
  }
}

// The library's own Store of the same library, for what the editor adds.
void BM_LibraryStore(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  CKyFillStyleLib lib;
  Fill(lib, count);
  const std::string path = "/tmp/editor_commands_bench_store.bru";
  for (auto _ : state) {
    if (!lib.Store(path.c_str())) {
      state.SkipWithError("the library was not stored");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * count);
  std::remove(path.c_str());
}
BENCHMARK(BM_LibraryStore)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_EditorSaveLibrary(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  CKyFillStyleLib lib;
  Fill(lib, count);
  CKyFSLEditDlg dlg;
  dlg.AttachKyFillStyleLib(&lib);
  if (!dlg.Create(nullptr)) {
    state.SkipWithError("the editor could not be made");
    return;
  }
  Drain();
  const std::string path = "/tmp/editor_commands_bench.bru";
  dlg.m_strPath = path.c_str();
  for (auto _ : state) {
    dlg.m_bModified = TRUE;
    dlg.OnBrushlibSave();
    if (dlg.m_bModified) {
      state.SkipWithError("the library was not stored");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations() * count);
  dlg.DestroyWindow();
  Drain();
  std::remove(path.c_str());
}
BENCHMARK(BM_EditorSaveLibrary)->Arg(100)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
