// Cost of the library's storage and lookup as the library grows: reading
// and writing an image and merging one should grow linearly, FindID
// logarithmically. Compared with the same bytes copied by memcpy and with a
// std::map lookup, the bounds a library of this kind can approach.
#include <benchmark/benchmark.h>

#include <cstring>
#include <map>
#include <random>
#include <vector>

#include "KyFillStyleLib.h"

namespace {

class Lib : public CKyFillStyleLib {
 public:
  using CKyFillStyleLib::AppendFromByteArray;
};

// A library of n 8x8 bitmap styles (ids 8, 10, 12, ...) in 16 groups.
void Fill(CKyFillStyleLib& lib, long n, long firstID = 8) {
  CByteArray pattern;
  pattern.SetSize(94);
  pattern[0] = 'B';
  pattern[1] = 'M';
  CKyFillStyleGroup* groups[16];
  for (int g = 0; g < 16; ++g) {
    CString name;
    name.Format("group %d", g);
    groups[g] = lib.GetStyleGroup()->CreateSubGroup(name);
    if (!groups[g]) groups[g] = lib.GetStyleGroup()->SubGroup(name);
  }
  for (long i = 0; i < n; ++i) {
    CString name;
    name.Format("style %ld", i);
    lib.AddFillStyle(new CKyFillStyle(firstID + 2 * i, name, pattern, CKyFillStyle::FS_81DPI), groups[i % 16]);
  }
}

CByteArray& ImageOf(long n) {
  static std::map<long, CByteArray*> cache;
  CByteArray*& image = cache[n];
  if (!image) {
    image = new CByteArray;
    CKyFillStyleLib lib;
    Fill(lib, n);
    lib.ToByteArray(*image);
  }
  return *image;
}

void BM_FromByteArray(benchmark::State& state) {
  CByteArray& image = ImageOf(state.range(0));
  for (auto _ : state) {
    CKyFillStyleLib lib;
    benchmark::DoNotOptimize(lib.FromByteArray(image));
  }
  state.SetBytesProcessed(state.iterations() * image.GetSize());
  state.SetComplexityN(state.range(0));
}

void BM_ToByteArray(benchmark::State& state) {
  CKyFillStyleLib lib;
  Fill(lib, state.range(0));
  CByteArray out;
  for (auto _ : state) benchmark::DoNotOptimize(lib.ToByteArray(out));
  state.SetBytesProcessed(state.iterations() * out.GetSize());
  state.SetComplexityN(state.range(0));
}

void BM_CopyImageMemcpy(benchmark::State& state) {
  CByteArray& image = ImageOf(state.range(0));
  std::vector<BYTE> to(static_cast<size_t>(image.GetSize()));
  for (auto _ : state) {
    std::memcpy(to.data(), image.GetData(), to.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * image.GetSize());
}

void BM_FindID(benchmark::State& state) {
  CKyFillStyleLib lib;
  Fill(lib, state.range(0));
  std::mt19937 rng(7);
  std::uniform_int_distribution<long> pick(8, 8 + 2 * state.range(0));
  std::vector<long> probes(1024);
  for (long& p : probes) p = pick(rng);
  size_t k = 0;
  for (auto _ : state) benchmark::DoNotOptimize(lib.FindID(probes[k++ & 1023]));
  state.SetComplexityN(state.range(0));
}

void BM_StdMapFind(benchmark::State& state) {
  std::map<long, long> m;
  for (long i = 0; i < state.range(0); ++i) m[8 + 2 * i] = i;
  std::mt19937 rng(7);
  std::uniform_int_distribution<long> pick(8, 8 + 2 * state.range(0));
  std::vector<long> probes(1024);
  for (long& p : probes) p = pick(rng);
  size_t k = 0;
  for (auto _ : state) benchmark::DoNotOptimize(m.find(probes[k++ & 1023]));
}

void BM_AppendFromByteArray(benchmark::State& state) {
  // Half of the appended ids clash with the library's.
  CKyFillStyleLib other;
  Fill(other, state.range(0), 9 + state.range(0));
  CByteArray image;
  other.ToByteArray(image);
  for (auto _ : state) {
    state.PauseTiming();
    auto* lib = new Lib;
    Fill(*lib, state.range(0));
    state.ResumeTiming();
    benchmark::DoNotOptimize(lib->AppendFromByteArray(image, TRUE));
    state.PauseTiming();
    delete lib;
    state.ResumeTiming();
  }
  state.SetComplexityN(state.range(0));
}

}  // namespace

BENCHMARK(BM_FromByteArray)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_ToByteArray)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_CopyImageMemcpy)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindID)->Arg(1000)->Arg(10000)->Arg(100000)->Complexity(benchmark::oLogN);
BENCHMARK(BM_StdMapFind)->Arg(1000)->Arg(10000)->Arg(100000);
BENCHMARK(BM_AppendFromByteArray)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK_MAIN();
