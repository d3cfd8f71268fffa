// The canvas as a window, driven by real mouse events on the headless
// screen: every tool with both buttons, the handles, the selection, scroll
// bars, the status line, lost capture and drags beyond the window; what
// the screen shows.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "KyFSLEditTools.h"
#include "KyFillStyle.h"
#include "canvas_host.h"

namespace {

using CellSet = std::vector<std::pair<int, int>>;

constexpr DWORD kBlue = 0x0000FF;  // 0x00RRGGBB on the screen
constexpr DWORD kWhite = 0xFFFFFF;

CellSet Clipped(void (*fn)(CPoint, CPoint, const KyCellPlot&), CPoint a, CPoint b, int w, int h) {
  std::set<std::pair<int, int>> s;
  fn(a, b, [&](int x, int y) {
    if (x >= 0 && y >= 0 && x < w && y < h) s.insert({y, x});
  });
  CellSet out;
  for (auto [y, x] : s) out.emplace_back(x, y);
  return out;
}

using CanvasWindow = CanvasFixture;

TEST_F(CanvasWindow, FirstStatusLine) {
  host.NewPattern(32, 32);
  Move(Cell(0, 0));
  EXPECT_EQ(host.StatusText(), "x=1,y=1,dx=0,dy=0");
  C().m_nTool = KY_TOOL_LINE;
  Press(Cell(2, 3));
  Move(Cell(7, 1));
  EXPECT_EQ(host.StatusText(), "x=8,y=2,dx=5,dy=2");
  Release(Cell(7, 1));
}

TEST_F(CanvasWindow, PenSetsWithTheLeftButtonAndClearsWithTheRight) {
  host.NewPattern(16, 16);
  Drag({Cell(1, 1), Cell(2, 1), Cell(3, 2), Cell(3, 3)});
  EXPECT_EQ(SetCells(), (CellSet{{1, 1}, {2, 1}, {3, 2}, {3, 3}}));
  EXPECT_EQ(ScreenCell(3, 2), kBlue);
  EXPECT_EQ(C().m_arrUndo.GetSize(), 64);
  Drag({Cell(2, 1), Cell(3, 2)}, VK_RBUTTON);
  EXPECT_EQ(SetCells(), (CellSet{{1, 1}, {3, 3}}));
  EXPECT_EQ(ScreenCell(3, 2), kWhite);
}

TEST_F(CanvasWindow, EraseClearsTheCellsPassedOver) {
  host.NewPattern(8, 4);
  for (INT_PTR i = 0; i < C().m_arrBits.GetSize(); ++i) C().m_arrBits[i] = 0xFF;
  C().m_nTool = KY_TOOL_ERASE;
  Drag({Cell(2, 1), Cell(3, 1), Cell(4, 1)});
  EXPECT_FALSE(Bit(2, 1));
  EXPECT_FALSE(Bit(3, 1));
  EXPECT_FALSE(Bit(4, 1));
  EXPECT_TRUE(Bit(5, 1));
  EXPECT_TRUE(Bit(2, 2));
  Drag({Cell(6, 2), Cell(7, 2)}, VK_RBUTTON);
  EXPECT_FALSE(Bit(6, 2));
  EXPECT_FALSE(Bit(7, 2));
}

struct ShapeCase {
  int tool;
  void (*fn)(CPoint, CPoint, const KyCellPlot&);
};

const ShapeCase kShapes[] = {
    {KY_TOOL_LINE, KyRasterLine},
    {KY_TOOL_QUARTER_ELLIPSE, KyRasterQuarterEllipse},
    {KY_TOOL_RECTANGLE, KyRasterRectangle},
    {KY_TOOL_ELLIPSE, KyRasterEllipse},
    {KY_TOOL_RECTANGLE_FILL, KyRasterRectangleFill},
    {KY_TOOL_ELLIPSE_FILL, KyRasterEllipseFill},
};

TEST_F(CanvasWindow, EveryShapeToolWithBothButtons) {
  for (const ShapeCase& s : kShapes) {
    SCOPED_TRACE(s.tool);
    host.NewPattern(24, 20);
    C().m_nTool = s.tool;
    Drag({Cell(3, 4), Cell(8, 6), Cell(15, 9), Cell(12, 13)});
    const CellSet want = Clipped(s.fn, CPoint(3, 4), CPoint(12, 13), 24, 20);
    EXPECT_EQ(SetCells(), want);
    for (auto [x, y] : want) EXPECT_EQ(ScreenCell(x, y), kBlue) << x << "," << y;
    EXPECT_EQ(C().m_nDragKind, 0);
    // The right button clears the same shape out of a full pattern.
    for (INT_PTR i = 0; i < C().m_arrBits.GetSize(); ++i) C().m_arrBits[i] = 0xFF;
    C().ReDraw();
    Drag({Cell(3, 4), Cell(12, 13)}, VK_RBUTTON);
    for (auto [x, y] : want) EXPECT_FALSE(Bit(x, y)) << x << "," << y;
    EXPECT_EQ(static_cast<int>(SetCells().size()), 24 * 20 - static_cast<int>(want.size()));
  }
}

// A preview moved away and back leaves the screen as it was: NOT-XOR
// drawing takes every old preview away, with no cell left behind.
TEST_F(CanvasWindow, PreviewsComeAndGoWithoutTrace) {
  for (const ShapeCase& s : kShapes) {
    SCOPED_TRACE(s.tool);
    host.NewPattern(30, 24);
    C().InsertBit(CPoint(10, 10), 1);
    C().InsertBit(CPoint(11, 12), 1);
    C().ReDraw();
    C().m_nTool = s.tool;
    Press(Cell(5, 5));
    Move(Cell(14, 12));
    const std::vector<DWORD> first = CanvasPixels();
    Move(Cell(20, 19));
    Move(Cell(7, 16));
    Move(Cell(14, 12));
    EXPECT_EQ(CanvasPixels(), first);
    const CellSet shape = Clipped(s.fn, CPoint(5, 5), CPoint(14, 12), 30, 24);
    EXPECT_EQ(ScreenCell(shape[0].first, shape[0].second), kBlue);
    EXPECT_EQ(SetCells(), (CellSet{{10, 10}, {11, 12}}));  // nothing written yet
    Release(Cell(14, 12));
  }
}

TEST_F(CanvasWindow, SelectLiftsMovesAndDropsABlock) {
  host.NewPattern(16, 16);
  C().InsertBit(CPoint(3, 3), 1);
  C().InsertBit(CPoint(4, 4), 1);
  C().InsertBit(CPoint(9, 9), 1);
  C().ReDraw();
  C().m_nTool = KY_TOOL_SELECT;
  Drag({Cell(5, 5), Cell(4, 4), Cell(2, 2)});
  EXPECT_EQ(C().m_rcSelect, CRect(3, 3, 5, 5));
  EXPECT_EQ(SetCells(), (CellSet{{9, 9}}));  // lifted into the floating block
  EXPECT_EQ(ScreenCell(3, 3), kBlue);       // but still shown
  // Move it by dragging inside it: two cells right, five down.
  Drag({Cell(3, 3), Cell(4, 5), Cell(5, 8)});
  EXPECT_EQ(C().m_rcSelect, CRect(5, 8, 7, 10));
  EXPECT_FALSE(C().m_bMoveSelect);
  EXPECT_EQ(ScreenCell(5, 8), kBlue);
  EXPECT_EQ(ScreenCell(3, 3), kWhite);
  // A press outside commits it where it is.
  Drag({Cell(14, 1)});
  EXPECT_TRUE(C().m_rcSelect.IsRectEmpty());
  EXPECT_TRUE(C().m_arrFloat.IsEmpty());
  EXPECT_EQ(SetCells(), (CellSet{{5, 8}, {6, 9}, {9, 9}}));
}

TEST_F(CanvasWindow, CornerHandleResizesAndWritesTheEdits) {
  host.NewPattern(32, 32, 6);
  C().InsertBit(CPoint(2, 2), 1);
  const int c = 6;
  Drag({Client(32 * c + 2, 32 * c + 2), Client(20 * c + 3, 18 * c + 3), Client(10 * c + 3, 8 * c + 3)});
  EXPECT_EQ(C().m_nWidth, 10);
  EXPECT_EQ(C().m_nHeight, 8);
  EXPECT_EQ(C().m_arrBits.GetSize(), 32);
  EXPECT_TRUE(Bit(2, 2));
  EXPECT_EQ(host.WidthText(), "10");
  EXPECT_EQ(host.HeightText(), "8");
  EXPECT_EQ(C().m_nUndoWidth, 32);  // the snapshot before the resize
  EXPECT_TRUE(C().m_rcElastic.IsRectEmpty());
}

TEST_F(CanvasWindow, RightAndBottomHandles) {
  host.NewPattern(10, 10, 6);
  Drag({Client(60 + 1, 30 + 1), Client(15 * 6 + 2, 40)});  // right handle at (W c, (H/2) c)
  EXPECT_EQ(C().m_nWidth, 15);
  EXPECT_EQ(C().m_nHeight, 10);
  EXPECT_EQ(host.WidthText(), "15");
  Drag({Client(7 * 6 + 1, 60 + 1), Client(30, 4 * 6 + 2)});  // bottom handle at ((W/2) c, H c)
  EXPECT_EQ(C().m_nWidth, 15);
  EXPECT_EQ(C().m_nHeight, 4);
  EXPECT_EQ(host.HeightText(), "4");
}

TEST_F(CanvasWindow, CornerHandleToColumnZeroEmptiesThePattern) {
  host.NewPattern(12, 12, 6);
  Drag({Client(72 + 1, 72 + 1), Client(3, 40)});
  EXPECT_EQ(C().m_nWidth, 0);
  EXPECT_EQ(C().m_nHeight, 0);
  EXPECT_TRUE(C().m_arrBits.IsEmpty());
  EXPECT_EQ(C().PtInRect(CPoint(1, 1)), 0);
  Drag({Cell(1, 1), Cell(2, 2)});  // nothing to draw into
  EXPECT_TRUE(C().m_arrBits.IsEmpty());
}

TEST_F(CanvasWindow, HitTestOrderAndCursors) {
  host.NewPattern(10, 6, 6);
  EXPECT_EQ(C().PtInRect(CPoint(60, 36)), 1);
  EXPECT_EQ(C().PtInRect(CPoint(65, 41)), 1);
  EXPECT_EQ(C().PtInRect(CPoint(66, 36)), 0);
  EXPECT_EQ(C().PtInRect(CPoint(60, 18)), 2);
  EXPECT_EQ(C().PtInRect(CPoint(30, 36)), 3);
  EXPECT_EQ(C().PtInRect(CPoint(59, 35)), 4);
  EXPECT_EQ(C().PtInRect(CPoint(0, 0)), 4);
  EXPECT_EQ(C().PtInRect(CPoint(-1, 0)), 0);
  struct {
    POINT at;
    UINT shape;
  } cursors[] = {{Client(61, 37), 32642}, {Client(61, 19), 32644}, {Client(31, 37), 32645},
                 {Client(20, 20), 32515}, {Client(200, 200), 32512}};
  for (auto& k : cursors) {
    Move(k.at);
    EXPECT_EQ(KyGetCursorShape(GetCursor()), k.shape);
  }
  C().m_rcSelect = CRect(2, 2, 4, 4);
  Move(Cell(3, 3));
  EXPECT_EQ(KyGetCursorShape(GetCursor()), 32646u);  // IDC_SIZEALL
}

TEST_F(CanvasWindow, DragsBeyondTheWindowAndLostCapture) {
  host.NewPattern(20, 20, 6);
  C().m_nTool = KY_TOOL_RECTANGLE;
  // Out past the left and top of the window and released there: the end
  // is only checked against W and H, so the far cell is taken and the cells
  // outside the pattern are skipped.
  Drag({Cell(5, 5), Cell(8, 9), Client(-300, -200)});
  EXPECT_EQ(C().m_ptEnd, CPoint(-50, -33));
  EXPECT_EQ(C().m_nDragKind, 0);
  EXPECT_TRUE(Bit(5, 5));
  // Released far right and below: cells beyond the pattern are skipped.
  Drag({Cell(2, 2), Cell(19, 19), Client(2000, 1500)});
  EXPECT_EQ(C().m_ptEnd, CPoint(19, 19));
  EXPECT_TRUE(Bit(19, 2));
  // Capture taken away in mid-drag: the drag ends, the preview goes.
  C().m_nTool = KY_TOOL_RECTANGLE_FILL;
  const CellSet before = SetCells();
  Press(Cell(10, 10));
  Move(Cell(14, 14));
  ReleaseCapture();
  h.Pump();
  EXPECT_EQ(C().m_nDragKind, 0);
  Release(Cell(14, 14));
  EXPECT_EQ(SetCells(), before);
  EXPECT_EQ(ScreenCell(12, 12), kWhite);
  // A release with no press before it does nothing.
  Release(Cell(3, 3));
  EXPECT_EQ(SetCells(), before);
}

TEST_F(CanvasWindow, ScrollBarsMoveInUnitsOf50And60) {
  host.NewPattern(999, 999, 6);
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  C().GetScrollInfo(SB_VERT, &si);
  EXPECT_EQ(si.nMax, 999 * 6 / 50 + 1);
  C().GetScrollInfo(SB_HORZ, &si);
  EXPECT_EQ(si.nMax, 999 * 6 / 60 + 1);
  // The down arrow of the vertical bar, clicked.
  CRect wr;
  C().GetWindowRect(&wr);
  const int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
  h.Click(POINT{wr.right - 2 - cx / 2, wr.bottom - 2 - cy - cx / 2});
  h.Pump();
  EXPECT_EQ(C().m_nScrollY, 50);
  h.Click(POINT{wr.right - 2 - cx - cy / 2, wr.bottom - 2 - cy / 2});  // right arrow
  h.Pump();
  EXPECT_EQ(C().m_nScrollX, 60);
  C().SendMessage(WM_VSCROLL, SB_LINEUP);
  EXPECT_EQ(C().m_nScrollY, 0);
  C().SendMessage(WM_VSCROLL, SB_LINEUP);  // not below 0
  EXPECT_EQ(C().m_nScrollY, 0);
  C().SendMessage(WM_HSCROLL, SB_PAGEDOWN);
  C().GetScrollInfo(SB_HORZ, &si);
  EXPECT_EQ(C().m_nScrollX, si.nPos * 60);
  EXPECT_EQ(si.nPos, 1 + static_cast<int>(si.nPage) - 1);  // from 1, a page less one
  // Drawing lands on the cell under the pointer, scrolled.
  C().m_nTool = KY_TOOL_PEN;
  Drag({Cell(100, 3)});
  EXPECT_TRUE(Bit(100, 3));
  // Shrinking to a pattern that fits takes the bars back to 0.
  host.NewPattern(10, 10, 6);
  EXPECT_EQ(C().m_nScrollX, 0);
  EXPECT_EQ(C().m_nScrollY, 0);
}

TEST_F(CanvasWindow, DoubleClickOnASymbolStyleAsksForItsAttributes) {
  auto* style = new CKyFillStyle;
  style->CreateFillStyleVector(300, "dots", 100, 100);  // 10 mm square
  C().m_pVectorStyle = style;
  C().ReDraw();
  h.DoubleClick(Client(5, 5));
  h.Pump();
  EXPECT_EQ(host.symbolCalls, std::vector<int>{0});
  h.DoubleClick(Client(200, 200));
  h.Pump();
  EXPECT_EQ(host.symbolCalls.size(), 1u);
  // Not while a bitmap pattern is shown.
  host.NewPattern(8, 8);
  h.DoubleClick(Client(5, 5));
  h.Pump();
  EXPECT_EQ(host.symbolCalls.size(), 1u);
}

TEST_F(CanvasWindow, ResizingTo999AndBack) {
  host.NewPattern(4, 4, 2);
  C().SaveUndo();
  C().m_nWidth = C().m_nHeight = 999;
  C().DragBrush();
  C().ScrollChange(0, 0);
  C().ReDraw();
  EXPECT_EQ(C().m_arrBits.GetSize(), 999 * 128);
  Drag({Cell(100, 10), Cell(110, 10)});  // the pen writes where the pointer is seen
  EXPECT_TRUE(Bit(100, 10));
  EXPECT_TRUE(Bit(110, 10));
  EXPECT_FALSE(Bit(105, 10));
}

// ReDraw lays the cells by one stretched transfer of the bits; the pixels
// are those of the grid and a rectangle per set cell.
TEST_F(CanvasWindow, ReDrawMatchesGridAndCellByCell) {
  struct {
    int w, h, c, scroll;
  } cases[] = {{32, 32, 6, 0}, {33, 7, 2, 0}, {64, 64, 8, 0}, {20, 9, 1, 0}, {200, 150, 5, 1}, {300, 200, 7, 1}, {999, 999, 2, 1}};
  for (auto k : cases) {
    SCOPED_TRACE(testing::Message() << k.w << "x" << k.h << " at " << k.c);
    host.NewPattern(k.w, k.h, k.c);
    for (INT_PTR i = 0; i < C().m_arrBits.GetSize(); ++i) C().m_arrBits[i] = static_cast<BYTE>(i * 37 + i / 5);
    if (k.scroll) {
      C().SendMessage(WM_HSCROLL, SB_LINEDOWN);
      C().SendMessage(WM_VSCROLL, SB_LINEDOWN);
    }
    C().ReDraw();
    CRect rc;
    C().GetClientRect(&rc);
    CClientDC wdc(&C());
    CBitmap ref;
    ASSERT_TRUE(ref.CreateCompatibleBitmap(&wdc, rc.Width(), rc.Height()));
    CDC mem;
    mem.CreateCompatibleDC(&wdc);
    CBitmap* old = mem.SelectObject(&ref);
    mem.PatBlt(0, 0, rc.Width(), rc.Height(), WHITENESS);
    mem.SetWindowOrg(C().m_nScrollX, C().m_nScrollY);
    // The grid and handles drawn here in full, then every set cell.
    const int c = k.c, w = k.w, hh = k.h;
    CPen grey(PS_SOLID, 1, RGB(0xA0, 0xA0, 0xA0));
    CPen* oldPen = mem.SelectObject(&grey);
    for (int i = 0; i <= w; ++i) {
      mem.MoveTo(i * c, 0);
      mem.LineTo(i * c, hh * c);
    }
    for (int j = 0; j <= hh; ++j) {
      mem.MoveTo(0, j * c);
      mem.LineTo(w * c, j * c);
    }
    mem.Rectangle(w * c, 0, w * c + 6, 6);
    mem.Rectangle(0, hh * c, 6, hh * c + 6);
    CBrush handle(RGB(0, 0, 0xC8));
    CBrush* oldBrush = mem.SelectObject(&handle);
    for (CPoint p : {CPoint(w * c, hh * c), CPoint((w / 2) * c, hh * c), CPoint(w * c, (hh / 2) * c)})
      mem.Rectangle(p.x, p.y, p.x + 6, p.y + 6);
    mem.SelectObject(oldBrush);
    mem.SelectObject(oldPen);
    C().DrawBrush(&mem);
    mem.SelectObject(old);
    const DWORD bytes = static_cast<DWORD>(rc.Width() * rc.Height() * 4);
    std::vector<BYTE> a(bytes), b(bytes);
    ASSERT_EQ(C().m_bmpCanvas.GetBitmapBits(bytes, a.data()), bytes);
    ASSERT_EQ(ref.GetBitmapBits(bytes, b.data()), bytes);
    // Colours only: the unused top byte of a 32-bit pixel is whatever each
    // drawing path leaves there.
    int diffs = 0;
    for (DWORD i = 0; i < bytes && diffs < 5; i += 4)
      if (std::memcmp(&a[i], &b[i], 3)) {
        ++diffs;
        ADD_FAILURE() << "pixel " << (i / 4) % rc.Width() << "," << (i / 4) / rc.Width() << ": " << std::hex
                      << *reinterpret_cast<DWORD*>(&a[i]) << " against cell by cell " << *reinterpret_cast<DWORD*>(&b[i]);
      }
  }
}

}  // namespace
