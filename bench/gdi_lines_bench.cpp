// Lines on a 512 x 512 32-bit bitmap: one drawn short, across the bitmap,
// and the same line carried on a billion pixels beyond both edges. The far
// line paints the same pixels, so its time should be the short one's plus a
// constant for skipping what lies outside the clip box.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "wingdi.h"

namespace {

constexpr int kSize = 512;

class Canvas {
 public:
  explicit Canvas(int style, int width) {
    dc_ = CreateCompatibleDC(nullptr);
    bmp_ = CreateBitmap(kSize, kSize, 1, 32, nullptr);
    old_bmp_ = SelectObject(dc_, bmp_);
    pen_ = CreatePen(style, width, RGB(200, 30, 30));
    old_pen_ = SelectObject(dc_, pen_);
  }
  ~Canvas() {
    SelectObject(dc_, old_pen_);
    SelectObject(dc_, old_bmp_);
    DeleteObject(pen_);
    DeleteObject(bmp_);
    DeleteDC(dc_);
  }
  HDC dc() const { return dc_; }

 private:
  HDC dc_;
  HBITMAP bmp_;
  HPEN pen_;
  HGDIOBJ old_bmp_, old_pen_;
};

// The line through (0, 40) in direction (5, 3), `steps` steps each way.
void Draw(HDC dc, int64_t steps) {
  MoveToEx(dc, int(-5 * steps), int(40 - 3 * steps), nullptr);
  LineTo(dc, int(5 * steps), int(40 + 3 * steps));
}

// 200 steps reach past the bitmap; 2^28 steps put the ends 1.3 billion
// pixels out.
constexpr int64_t kNear = 200, kFar = int64_t(1) << 28;

void Line(benchmark::State& state, int style, int width, int64_t steps) {
  Canvas c(style, width);
  for (auto _ : state) {
    Draw(c.dc(), steps);
    benchmark::ClobberMemory();
  }
}

void BM_NearLine(benchmark::State& state) { Line(state, PS_SOLID, 1, kNear); }
void BM_FarLine(benchmark::State& state) { Line(state, PS_SOLID, 1, kFar); }
void BM_NearDashedLine(benchmark::State& state) { Line(state, PS_DASHDOT, 1, kNear); }
void BM_FarDashedLine(benchmark::State& state) { Line(state, PS_DASHDOT, 1, kFar); }
void BM_NearWideLine(benchmark::State& state) { Line(state, PS_SOLID, 7, kNear); }
void BM_FarWideLine(benchmark::State& state) { Line(state, PS_SOLID, 7, kFar); }

// An outline far larger than the bitmap: a rectangle and an ellipse whose
// edges run two billion pixels, of which a few hundred show.
void BM_FarRectangleFrame(benchmark::State& state) {
  Canvas c(PS_SOLID, 3);
  for (auto _ : state) {
    Rectangle(c.dc(), -(1 << 30), 100, 1 << 30, 400);
    benchmark::ClobberMemory();
  }
}

void BM_FarEllipse(benchmark::State& state) {
  Canvas c(PS_SOLID, 1);
  for (auto _ : state) {
    Ellipse(c.dc(), -(1 << 30), 256 - (1 << 30), 1 << 30, 256 + (1 << 30));
    benchmark::ClobberMemory();
  }
}

BENCHMARK(BM_NearLine);
BENCHMARK(BM_FarLine);
BENCHMARK(BM_NearDashedLine);
BENCHMARK(BM_FarDashedLine);
BENCHMARK(BM_NearWideLine);
BENCHMARK(BM_FarWideLine);
BENCHMARK(BM_FarRectangleFrame);
BENCHMARK(BM_FarEllipse);

}  // namespace

BENCHMARK_MAIN();
