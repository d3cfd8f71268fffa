// Libraries with very many groups: reading the image, walking the tree by
// index as `info` and `tree` do, finding the group of every style as `list`
// does, and opening the picker and the editor on them. Every one must grow
// linearly (or n log n) with the number of groups. Beside them, the same
// walk over a std::vector of names and a std::map built from them: the
// bound a tree of this kind can approach.
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

#include "KyFSLPickDlg.h"
#include "commctrl.h"
#include "KyFillStyleLib.h"
#include "KyLineStyleLib.h"
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

// n sibling groups under the root, one style in every hundredth.
CByteArray& ImageWithGroups(long n) {
  static std::map<long, CByteArray*> cache;
  CByteArray*& image = cache[n];
  if (image) return *image;
  image = new CByteArray;
  CKyFillStyleLib lib;
  CByteArray pattern;
  pattern.SetSize(94);
  pattern[0] = 'B';
  pattern[1] = 'M';
  lib.AddFillStyle(new CKyFillStyle(8, "first", pattern, CKyFillStyle::FS_81DPI), lib.GetStyleGroup());
  CKyFillStyleGroup* root = lib.GetStyleGroup();
  for (long i = 0; i < n; ++i) {
    CString name;
    name.Format("group %ld", i);
    CKyFillStyleGroup* g = root->CreateSubGroup(name);
    if (i % 100 == 0 && g) {
      lib.AddFillStyle(new CKyFillStyle(9 + i / 100, name, pattern, CKyFillStyle::FS_81DPI), g);
    }
  }
  lib.ToByteArray(*image);
  return *image;
}

void BM_LoadGroups(benchmark::State& state) {
  CByteArray& image = ImageWithGroups(state.range(0));
  for (auto _ : state) {
    CKyFillStyleLib lib;
    benchmark::DoNotOptimize(lib.FromByteArray(image));
  }
  state.SetComplexityN(state.range(0));
}

// Every group by index, the way the command line and the dialogs walk.
void BM_WalkGroupsByIndex(benchmark::State& state) {
  CKyFillStyleLib lib;
  lib.FromByteArray(ImageWithGroups(state.range(0)));
  CKyFillStyleGroup* root = lib.GetStyleGroup();
  for (auto _ : state) {
    long names = 0;
    for (long i = 0; i < root->GetSubGroupCount(); ++i) names += root->SubGroup(i)->GetName().GetLength();
    benchmark::DoNotOptimize(names);
  }
  state.SetComplexityN(state.range(0));
}

// The bound: the same names in a vector.
void BM_WalkNamesInVector(benchmark::State& state) {
  std::vector<std::string> names;
  for (long i = 0; i < state.range(0); ++i) names.push_back("group " + std::to_string(i));
  for (auto _ : state) {
    long total = 0;
    for (const std::string& n : names) total += static_cast<long>(n.size());
    benchmark::DoNotOptimize(total);
  }
  state.SetComplexityN(state.range(0));
}

// A sub-group looked up by name in every group (as merging and importing
// into a group path do), against std::map.
void BM_SubGroupByName(benchmark::State& state) {
  CKyFillStyleLib lib;
  lib.FromByteArray(ImageWithGroups(state.range(0)));
  CKyFillStyleGroup* root = lib.GetStyleGroup();
  CString last;
  last.Format("group %ld", static_cast<long>(state.range(0) - 1));
  for (auto _ : state) benchmark::DoNotOptimize(root->SubGroup(last));
  state.SetComplexityN(state.range(0));
}

void BM_MapByName(benchmark::State& state) {
  std::map<std::string, long> names;
  for (long i = 0; i < state.range(0); ++i) names["group " + std::to_string(i)] = i;
  const std::string last = "group " + std::to_string(state.range(0) - 1);
  for (auto _ : state) benchmark::DoNotOptimize(names.find(last));
  state.SetComplexityN(state.range(0));
}

// The picker on the library, from construction to the first painted frame,
// and its closing (which empties its group tree) timed too or not.
void PickerOnGroups(benchmark::State& state, bool timeClosing) {
  CKyFillStyleLib lib;
  lib.FromByteArray(ImageWithGroups(state.range(0)));
  CKyLineStyleLib lines;
  lines.CreateDefault();
  for (auto _ : state) {
    CKyFSLPickDlg dlg;
    dlg.AttachKyStyleLib(&lib, &lines);
    dlg.SetCurSelStyle(8);
    if (!dlg.Create(IDD_FSL_PICK)) {
      state.SkipWithError("the picker's template cannot be made");
      break;
    }
    dlg.ShowWindow(SW_SHOW);
    Drain();
    if (!timeClosing) state.PauseTiming();
    dlg.DestroyWindow();
    Drain();
    if (!timeClosing) state.ResumeTiming();
  }
  state.SetComplexityN(state.range(0));
}

void BM_OpenPickerOnGroups(benchmark::State& state) { PickerOnGroups(state, false); }
void BM_OpenAndClosePickerOnGroups(benchmark::State& state) { PickerOnGroups(state, true); }

// A tree view filled with n siblings under one expanded item, painted, and
// emptied, as the picker's group tree is on every rebuild.
void BM_TreeViewFillAndEmpty(benchmark::State& state) {
  HWND tree = CreateWindowEx(0, WC_TREEVIEW, "", WS_POPUP | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES, 0, 0, 200,
                             300, nullptr, nullptr, nullptr, nullptr);
  if (!tree) {
    state.SkipWithError("no tree view");
    return;
  }
  for (auto _ : state) {
    TVINSERTSTRUCT is{};
    is.hParent = TVI_ROOT;
    is.hInsertAfter = TVI_LAST;
    is.item.mask = TVIF_TEXT | TVIF_STATE;
    is.item.pszText = const_cast<char*>("root");
    is.item.state = is.item.stateMask = TVIS_EXPANDED;
    is.hParent = TreeView_InsertItem(tree, &is);
    is.item.mask = TVIF_TEXT;
    is.item.pszText = const_cast<char*>("group");
    for (long i = 0; i < state.range(0); ++i) TreeView_InsertItem(tree, &is);
    UpdateWindow(tree);
    TreeView_DeleteAllItems(tree);
  }
  DestroyWindow(tree);
  state.SetComplexityN(state.range(0));
}

// The bound: the same items pushed into and cleared from a std::vector.
void BM_VectorFillAndEmpty(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<std::string> items;
    for (long i = 0; i < state.range(0); ++i) items.emplace_back("group");
    benchmark::DoNotOptimize(items.data());
  }
  state.SetComplexityN(state.range(0));
}

// The smoke run of the debug build takes only the smallest size.
BENCHMARK(BM_LoadGroups)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkGroupsByIndex)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkNamesInVector)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SubGroupByName)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MapByName)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_OpenPickerOnGroups)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenAndClosePickerOnGroups)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TreeViewFillAndEmpty)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VectorFillAndEmpty)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
