// Calls from several threads at once, on shared and on separate handles and
// buffers: each must give the pixels it gives alone. Run under
// ThreadSanitizer by scripts/tsan-capi.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "capi_fixture.h"

namespace {

std::vector<uint8_t> DrawAlone(kyfsl_library* lib, int32_t id, int dpi) {
  kytest::Pixels px(40, 30, 0xFFFFFFFF);
  kyfsl_paint p;
  kyfsl_paint_init(&p);
  p.dpi = dpi;
  p.anchor = KYFSL_ANCHOR_MAP;
  const double xy[] = {2, 2, 38, 5, 20, 28};
  const size_t ring = 3;
  kyfsl_buffer b = px.Buffer();
  EXPECT_EQ(kyfsl_fill(lib, id, &p, xy, &ring, 1, nullptr, &b), KYFSL_OK) << kyfsl_last_error();
  return px.bytes;
}

TEST(CapiThreads, ParallelCallsGiveTheSamePixels) {
  kytest::LibraryPtr shared = kytest::OpenSmallLibrary();
  struct Job {
    int32_t id;
    int dpi;
  } jobs[] = {{8, 96}, {9, 192}, {10, 300}, {8, 72}};
  std::vector<std::vector<uint8_t>> alone;
  for (const Job& j : jobs) alone.push_back(DrawAlone(shared.get(), j.id, j.dpi));

  std::vector<int> mismatches(4, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      // Threads 0 and 1 share a handle; 2 and 3 open their own.
      kytest::LibraryPtr own = t >= 2 ? kytest::OpenSmallLibrary() : nullptr;
      kyfsl_library* lib = own ? own.get() : shared.get();
      for (int round = 0; round < 20; ++round) {
        const Job& j = jobs[(t + round) % 4];
        if (DrawAlone(lib, j.id, j.dpi) != alone[static_cast<size_t>((t + round) % 4)]) ++mismatches[t];
        const char* name = nullptr;
        if (kyfsl_style_name(lib, 99, &name) != KYFSL_ERR_NOT_FOUND ||
            std::string(kyfsl_last_error()) != "the library has no style 99") {
          ++mismatches[t];
        }
      }
    });
  }
  for (std::thread& th : threads) th.join();
  for (int t = 0; t < 4; ++t) EXPECT_EQ(mismatches[t], 0) << "thread " << t;
}

}  // namespace
