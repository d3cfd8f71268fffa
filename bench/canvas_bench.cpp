// The pattern canvas: ReDraw of a 999 x 999 pattern at cell size 2 and of a
// 64 x 64 one at 8, and one mouse-move step of every tool, NOT-XOR preview
// and status line included, as a person drawing makes them.
#include <benchmark/benchmark.h>

#include <memory>

#include "KyFSLEditHost.h"
#include "KyFSLEditWnd.h"
#include "winscreen.h"

namespace {

class BenchHost : public CWnd, public CKyFSLEditHost {
 public:
  BenchHost() {
    WNDCLASS wc{};
    if (!GetClassInfoA(nullptr, "KyCanvasBenchHost", &wc)) {
      wc.lpfnWndProc = ::DefWindowProcA;
      wc.lpszClassName = "KyCanvasBenchHost";
      RegisterClass(&wc);
    }
    CreateEx(0, "KyCanvasBenchHost", "", WS_POPUP | WS_VISIBLE, 0, 0, 820, 640, nullptr, nullptr);
    m_width.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 20), this, 23417);
    m_height.Create(WS_CHILD | WS_VISIBLE, CRect(50, 0, 100, 20), this, 23419);
    m_status.Create(WS_CHILD | WS_VISIBLE, CRect(100, 0, 400, 20), this, 23413);
    canvas.CreateEx(WS_EX_CLIENTEDGE, "BRUSHWND", "", WS_CHILD | WS_VISIBLE, CRect(0, 24, 820, 640), this, 23412);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = 9;
    si.nPage = 10;
    canvas.SetScrollInfo(SB_VERT, &si);
    canvas.SetScrollInfo(SB_HORZ, &si);
  }
  ~BenchHost() override {
    canvas.DestroyWindow();
    DestroyWindow();
  }
  void Pattern(int w, int h, int c) {
    canvas.m_nCellSize = c;
    canvas.m_nWidth = canvas.m_nUndoWidth = w;
    canvas.m_nHeight = canvas.m_nUndoHeight = h;
    const int s = ((w - 1) / 32) * 4 + 4;
    canvas.m_arrBits.SetSize(0);
    canvas.m_arrBits.SetSize(static_cast<INT_PTR>(s) * h);
    // Half the pixels set, in diagonal bands: every cell branch is taken.
    for (INT_PTR i = 0; i < canvas.m_arrBits.GetSize(); ++i) canvas.m_arrBits[i] = (i / s) % 2 ? 0xCC : 0x33;
    canvas.m_arrUndo.Copy(canvas.m_arrBits);
    canvas.ScrollChange(0, 0);
  }
  CWnd* GetCanvasWidthEdit() override { return &m_width; }
  CWnd* GetCanvasHeightEdit() override { return &m_height; }
  CString& GetCanvasStatus() override { return m_strStatus; }
  void FillStyleSymbolAtt(int) override {}
  void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, 23413, m_strStatus); }

  CKyFSLEditWnd canvas;
  CString m_strStatus;

 private:
  CEdit m_width, m_height, m_status;
};

BenchHost& Host() {
  static BenchHost* host = [] {
    KyScreen::Get().SetSize(820, 640);
    return new BenchHost;
  }();
  return *host;
}

void Drain() {
  MSG m;
  while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&m);
}

void BM_ReDraw(benchmark::State& state) {
  BenchHost& h = Host();
  h.Pattern(static_cast<int>(state.range(0)), static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  Drain();
  for (auto _ : state) h.canvas.ReDraw();
}
BENCHMARK(BM_ReDraw)->Args({999, 2})->Args({64, 8})->Unit(benchmark::kMillisecond);

// One move of the pointer during a drag: the handler draws the old preview
// away and the new one in, and writes the status line. The pointer moves
// between two cells so that every step changes the end cell.
void BM_MouseMoveStep(benchmark::State& state) {
  BenchHost& h = Host();
  const int tool = static_cast<int>(state.range(0));
  const int size = static_cast<int>(state.range(1)), c = static_cast<int>(state.range(2));
  h.Pattern(size, size, c);
  h.canvas.m_nTool = tool;
  h.canvas.ReDraw();
  Drain();
  // From a quarter of the visible grid to three quarters of it.
  const int span = std::min(size, 600 / c);
  const CPoint from(span / 4, span / 4), to(3 * span / 4, 3 * span / 4);
  auto at = [c](CPoint cell, int d) { return MAKELPARAM(cell.x * c + c / 2 + d * c, cell.y * c + c / 2 + d * c); };
  h.canvas.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at(from, 0));
  int step = 0;
  for (auto _ : state) h.canvas.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, at(to, (++step) & 1));
  h.canvas.SendMessage(WM_LBUTTONUP, 0, at(to, 0));
  Drain();
  state.SetLabel(std::to_string(size) + "x" + std::to_string(size) + " at " + std::to_string(c));
}
BENCHMARK(BM_MouseMoveStep)
    ->ArgsProduct({benchmark::CreateDenseRange(KY_TOOL_SELECT, KY_TOOL_ELLIPSE_FILL, 1), {64}, {8}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MouseMoveStep)
    ->ArgsProduct({{KY_TOOL_RECTANGLE_FILL, KY_TOOL_ELLIPSE_FILL, KY_TOOL_ELLIPSE}, {999}, {2}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
