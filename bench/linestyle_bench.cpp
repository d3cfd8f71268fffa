// Drawing the line-style module's own styles: the outline of a preview-sized
// rectangle in each style, and one very long line of which a little is seen.
#include <benchmark/benchmark.h>

#if __has_include("KyLineStyleLib.h")
#include "KyLineStyleLib.h"

namespace {

struct Canvas {
  Canvas(int w, int h) {
    screen = GetDC(nullptr);
    dc.CreateCompatibleDC(CDC::FromHandle(screen));
    bmp.CreateCompatibleBitmap(CDC::FromHandle(screen), w, h);
    old = dc.SelectObject(&bmp);
    dc.FillSolidRect(0, 0, w, h, RGB(255, 255, 255));
  }
  ~Canvas() {
    dc.SelectObject(old);
    ReleaseDC(nullptr, screen);
  }
  HDC screen;
  CDC dc;
  CBitmap bmp;
  CBitmap* old = nullptr;
};

void BM_StyleRectangle(benchmark::State& state) {
  CKyLineStyleLib lib;
  lib.CreateDefault();
  Canvas c(400, 300);
  CKyLineStyleObj style(lib.GetStyleObj(static_cast<int>(state.range(0))));
  style.SetLineStyle(state.range(1), RGB(0, 0, 255));
  POINT pts[5] = {{50, 50}, {50, 250}, {350, 250}, {350, 50}, {50, 50}};
  for (auto _ : state) benchmark::DoNotOptimize(style.Polyline(&c.dc, pts, 5));
  state.SetLabel(static_cast<const char*>(style.GetName()));
}
BENCHMARK(BM_StyleRectangle)->ArgsProduct({{0, 1, 2, 3, 4, 5}, {1, 4}})->Unit(benchmark::kMicrosecond);

// A line a million pixels long across a 200 x 200 bitmap: the time follows
// the visible part.
void BM_LongLineClipped(benchmark::State& state) {
  CKyLineStyleLib lib;
  lib.CreateDefault();
  Canvas c(200, 200);
  CKyLineStyleObj style(lib.GetStyleObj(static_cast<int>(state.range(0))));
  style.SetLineStyle(2, RGB(0, 0, 0));
  POINT pts[2] = {{-500000, 100}, {500000, 120}};
  for (auto _ : state) benchmark::DoNotOptimize(style.Polyline(&c.dc, pts, 2));
}
BENCHMARK(BM_LongLineClipped)->DenseRange(0, 5)->Unit(benchmark::kMicrosecond);

}  // namespace
#endif

BENCHMARK_MAIN();
