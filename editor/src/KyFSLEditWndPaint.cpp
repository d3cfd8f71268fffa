// How the canvas paints: cells, the shapes of the tools, the grid and its
// handles, the floating block and the frames drawn NOT-XOR over the window,
// the off-screen bitmap that ReDraw rebuilds, and the scroll bars.
//
// Everything is drawn in cell coordinates scaled by c = m_nCellSize on a DC
// whose window origin is the scroll offset. Previews, the selection frame,
// the floating block and the rubber band are drawn with R2_NOTXORPEN: a
// figure drawn twice leaves the screen as it was, so moving one costs two
// drawings and no rebuild.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

#include "KyDib.h"
#include "KyFSLEditTools.h"
#include "KyFSLEditWndImpl.h"
#include "KyFillStyle.h"

using namespace kycanvas;

namespace {

constexpr COLORREF kCellSet = 0xFF0000;    // blue, a drawn pixel
constexpr COLORREF kCellClear = 0xFFFFFF;  // white
constexpr COLORREF kGrid = 0xA0A0A0;
constexpr COLORREF kHandle = 0xC80000;
constexpr int kHandleSize = 6;
constexpr int kVertUnit = 50;
constexpr int kHorzUnit = 60;

// A rectangle drawn only when it has an inside; an empty frame would leave a
// dot that the next NOT-XOR drawing does not take away.
void DrawFrame(CDC* pDC, CRect r) {
  r.NormalizeRect();
  if (r.Width() > 0 && r.Height() > 0) pDC->Rectangle(&r);
}

// Runs a rasteriser and hands each distinct cell to paint once. Ellipses
// walk some cells twice where their mirrored halves meet (drags one or two
// columns wide, of odd width to the left or odd height upward, and flat ones
// whose first region reaches the axis row); a NOT-XOR preview would show
// those as gaps. A first pass finds the cells' box, the second paints.
void PaintOnce(void (*raster)(CPoint, CPoint, const KyCellPlot&), CPoint a, CPoint b,
               const std::function<void(int, int)>& paint) {
  int x0 = INT_MAX, y0 = INT_MAX, x1 = INT_MIN, y1 = INT_MIN;
  raster(a, b, [&](int x, int y) {
    x0 = std::min(x0, x);
    y0 = std::min(y0, y);
    x1 = std::max(x1, x);
    y1 = std::max(y1, y);
  });
  if (x0 > x1) return;
  const long long w = static_cast<long long>(x1) - x0 + 1, h = static_cast<long long>(y1) - y0 + 1;
  std::vector<bool> seen(static_cast<size_t>(w * h));
  raster(a, b, [&](int x, int y) {
    const size_t i = static_cast<size_t>((y - y0) * w + (x - x0));
    if (seen[i]) return;
    seen[i] = true;
    paint(x, y);
  });
}

}  // namespace

namespace kycanvas {

CellPainter::CellPainter(CKyFSLEditWnd& wnd, CDC* pDC, int nColor)
    : m_wnd(wnd), m_pDC(pDC), m_nColor(nColor), m_c(CellSize(wnd)) {
  if (!m_pDC) return;
  m_brush.CreateSolidBrush(nColor ? kCellSet : kCellClear);
  m_pOldPen = m_pDC->SelectStockObject(NULL_PEN);
  m_pOldBrush = m_pDC->SelectObject(&m_brush);
  // A cell is a plain rectangle of the brush: a pattern block transfer with
  // the raster operation of the DC's mix mode paints the same pixels as the
  // null-pen Rectangle, for a fraction of the cost.
  switch (m_pDC->GetROP2()) {
    case R2_COPYPEN:
      m_rop = PATCOPY;
      break;
    case R2_NOTXORPEN:
      m_rop = 0x00A50065;  // PDxn: NOT (pattern XOR destination)
      break;
    default:
      m_rop = 0;
      break;
  }
}

CellPainter::~CellPainter() {
  if (!m_pDC) return;
  if (m_pOldBrush) m_pDC->SelectObject(m_pOldBrush);
  if (m_pOldPen) m_pDC->SelectObject(m_pOldPen);
}

void CellPainter::Paint(CPoint cell, int bInsert) {
  if (cell.x < 0 || cell.y < 0 || cell.x >= Width(m_wnd) || cell.y >= Height(m_wnd)) return;
  if (m_pDC) {
    // With the null pen a rectangle leaves out its right and bottom edges,
    // so this fills the cell inside its grid lines.
    const int x = cell.x * m_c, y = cell.y * m_c;
    if (m_rop)
      m_pDC->PatBlt(x + 1, y + 1, m_c - 1, m_c - 1, m_rop);
    else
      m_pDC->Rectangle(x + 1, y + 1, x + m_c + 1, y + m_c + 1);
  }
  if (bInsert) m_wnd.InsertBit(cell, m_nColor);
}

}  // namespace kycanvas

void CKyFSLEditWnd::DrawPoint(CDC* pDC, CPoint cell, int nColor, int bInsert) {
  CellPainter(*this, pDC, nColor).Paint(cell, bInsert);
}

void CKyFSLEditWnd::DrawLine(CDC* pDC, int nColor, int bInsert) {
  CellPainter p(*this, pDC, nColor);
  KyRasterLine(m_ptAnchor, m_ptEnd, [&](int x, int y) { p.Paint(CPoint(x, y), bInsert); });
}

void CKyFSLEditWnd::DrawRectangle(CDC* pDC, int nColor, int bInsert) {
  CellPainter p(*this, pDC, nColor);
  KyRasterRectangle(m_ptAnchor, m_ptEnd, [&](int x, int y) { p.Paint(CPoint(x, y), bInsert); });
}

void CKyFSLEditWnd::DrawRectangleFill(CDC* pDC, int nColor, int bInsert) {
  CellPainter p(*this, pDC, nColor);
  KyRasterRectangleFill(m_ptAnchor, m_ptEnd, [&](int x, int y) { p.Paint(CPoint(x, y), bInsert); });
}

void CKyFSLEditWnd::DrawEllipse(CDC* pDC, int nColor, int bInsert) {
  CellPainter p(*this, pDC, nColor);
  PaintOnce(KyRasterEllipse, m_ptAnchor, m_ptEnd, [&](int x, int y) { p.Paint(CPoint(x, y), bInsert); });
}

void CKyFSLEditWnd::DrawEllipseFill(CDC* pDC, int nColor, int bInsert) {
  CellPainter p(*this, pDC, nColor);
  PaintOnce(KyRasterEllipseFill, m_ptAnchor, m_ptEnd, [&](int x, int y) { p.Paint(CPoint(x, y), bInsert); });
}

void CKyFSLEditWnd::DrawQuarterEllipse(CDC* pDC, int nColor, int bInsert) {
  CellPainter p(*this, pDC, nColor);
  PaintOnce(KyRasterQuarterEllipse, m_ptAnchor, m_ptEnd, [&](int x, int y) { p.Paint(CPoint(x, y), bInsert); });
}

int CKyFSLEditWnd::PtInRect(CPoint pt) {
  const int w = Width(*this), h = Height(*this), c = CellSize(*this);
  if (w < 1 || h < 1) return 0;
  auto handle = [](int x, int y) { return CRect(x, y, x + kHandleSize, y + kHandleSize); };
  if (handle(w * c, h * c).PtInRect(pt)) return 1;
  if (handle(w * c, (h / 2) * c).PtInRect(pt)) return 2;
  if (handle((w / 2) * c, h * c).PtInRect(pt)) return 3;
  if (CRect(0, 0, w * c, h * c).PtInRect(pt)) return 4;
  return 0;
}

void CKyFSLEditWnd::DrawEditGrid(CDC* pDC) {
  const int w = Width(*this), h = Height(*this), c = CellSize(*this);
  if (!pDC || w < 1 || h < 1) return;
  CPen pen(PS_SOLID, 1, kGrid);
  CPen* oldPen = pDC->SelectObject(&pen);
  // Only the lines and parts of lines inside the clip box are drawn: the
  // same pixels, without two thousand lines of a large pattern mostly out
  // of view.
  CRect clip(0, 0, w * c + 1, h * c + 1);
  CRect box;
  if (pDC->GetClipBox(&box) != ERROR) clip.IntersectRect(&clip, &box);
  if (!clip.IsRectEmpty()) {
    const int top = clip.top, bottom = std::min(h * c, static_cast<int>(clip.bottom));
    const int left = clip.left, right = std::min(w * c, static_cast<int>(clip.right));
    for (int i = std::max(0, left / c); i <= w && i * c < clip.right; ++i) {
      pDC->MoveTo(i * c, top);
      pDC->LineTo(i * c, bottom);
    }
    for (int j = std::max(0, top / c); j <= h && j * c < clip.bottom; ++j) {
      pDC->MoveTo(left, j * c);
      pDC->LineTo(right, j * c);
    }
  }
  pDC->Rectangle(w * c, 0, w * c + kHandleSize, kHandleSize);
  pDC->Rectangle(0, h * c, kHandleSize, h * c + kHandleSize);
  CBrush brush(kHandle);
  CBrush* oldBrush = pDC->SelectObject(&brush);
  pDC->Rectangle(w * c, h * c, w * c + kHandleSize, h * c + kHandleSize);
  pDC->Rectangle((w / 2) * c, h * c, (w / 2) * c + kHandleSize, h * c + kHandleSize);
  pDC->Rectangle(w * c, (h / 2) * c, w * c + kHandleSize, (h / 2) * c + kHandleSize);
  pDC->SelectObject(oldBrush);
  pDC->SelectObject(oldPen);
}

void CKyFSLEditWnd::DrawBrush(CDC* pDC) {
  const int w = Width(*this), h = Height(*this), s = Stride(*this);
  if (w < 1 || h < 1) return;
  CellPainter p(*this, pDC, 1);
  const BYTE* bits = m_arrBits.GetData();
  const int used = std::min(s, (w + 7) / 8);
  for (int y = 0; y < h; ++y) {
    const BYTE* row = bits + static_cast<size_t>(m_nHeight - y - 1) * s;
    for (int b = 0; b < used; ++b) {
      if (!row[b]) continue;  // most bytes of a pattern are clear
      for (int x = b * 8; x < std::min(w, b * 8 + 8); ++x)
        if (row[b] & (0x80 >> (x % 8))) p.Paint(CPoint(x, y), FALSE);
    }
  }
}

BOOL CKyFSLEditWnd::StretchCells(CDC* pDC) {
  // The buffer is the pixel data of a 1-bit DIB: stretched c times onto the
  // grid, with the grid drawn over it, it gives the pixels of grid + cells
  // (the cells never touch a grid line or a handle), with one transfer in
  // place of a rectangle per cell. Only a buffer of exactly H x S bytes.
  const int w = Width(*this), h = Height(*this), c = CellSize(*this);
  if (w < 1 || h < 1 || w != m_nWidth || h != m_nHeight ||
      m_arrBits.GetSize() != static_cast<INT_PTR>(h) * RowBytesFor(w))
    return FALSE;
  struct {
    BITMAPINFOHEADER hdr;
    RGBQUAD colours[2];
  } info{};
  info.hdr.biSize = sizeof info.hdr;
  info.hdr.biWidth = w;
  info.hdr.biHeight = h;
  info.hdr.biPlanes = 1;
  info.hdr.biBitCount = 1;
  info.colours[0] = RGBQUAD{0xFF, 0xFF, 0xFF, 0};  // clear: white
  info.colours[1] = RGBQUAD{0xFF, 0x00, 0x00, 0};  // set: blue (blue, green, red)
  // Only the cells in view are transferred: source rows of a bottom-up
  // image count from its bottom.
  CRect rc;
  GetClientRect(&rc);
  const int x0 = std::clamp(m_nScrollX / c, 0, w), y0 = std::clamp(m_nScrollY / c, 0, h);
  const int nx = std::min(w - x0, rc.Width() / c + 2), ny = std::min(h - y0, rc.Height() / c + 2);
  if (nx > 0 && ny > 0 &&
      StretchDIBits(pDC->GetSafeHdc(), x0 * c, y0 * c, nx * c, ny * c, x0, h - y0 - ny, nx, ny, m_arrBits.GetData(),
                    reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY) == 0)
    return FALSE;
  DrawEditGrid(pDC);
  return TRUE;
}

void CKyFSLEditWnd::DrawElasticFrame(CDC* pDC, const CRect& cells) {
  if (!pDC) return;
  const int c = CellSize(*this);
  CPen pen(PS_DOT, 1, RGB(0, 0, 0));
  CPen* oldPen = pDC->SelectObject(&pen);
  CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);
  const int oldRop = pDC->SetROP2(R2_NOTXORPEN);
  DrawFrame(pDC, CRect(0, 0, (cells.right - cells.left) * c, (cells.bottom - cells.top) * c));
  pDC->SetROP2(oldRop);
  pDC->SelectObject(oldBrush);
  pDC->SelectObject(oldPen);
}

void CKyFSLEditWnd::DrawElastic(int w, int h) {
  if (w == 0 || h == 0) return;
  CanvasDC dc(*this);
  DrawElasticFrame(dc.Get(), m_rcElastic);  // takes the old band away
  m_rcElastic.SetRect(0, 0, w, h);
  DrawElasticFrame(dc.Get(), m_rcElastic);
}

void CKyFSLEditWnd::DrawSelect(int bOnlyFrame) {
  const int c = CellSize(*this);
  CanvasDC dc(*this);
  CDC* pDC = dc.Get();
  CPen pen(PS_SOLID, 2, RGB(0, 0, 0));
  CPen* oldPen = nullptr;
  CGdiObject* oldBrush = nullptr;
  int oldRop = 0;
  if (pDC) {
    oldPen = pDC->SelectObject(&pen);
    oldBrush = pDC->SelectStockObject(NULL_BRUSH);
    oldRop = pDC->SetROP2(R2_NOTXORPEN);
  }
  auto scaled = [c](const CRect& r) { return CRect(r.left * c, r.top * c, r.right * c, r.bottom * c); };
  if (pDC && !m_rcSelect.IsRectEmpty()) DrawFrame(pDC, scaled(m_rcSelect));
  if (!bOnlyFrame) {
    CRect r(m_ptAnchor.x, m_ptAnchor.y, m_ptEnd.x + 1, m_ptEnd.y + 1);
    if (pDC) DrawFrame(pDC, scaled(r));
    // A drag to the left or upward selects from the end cell + 1 to the
    // anchor cell - 1: the corners are swapped, not moved.
    if (r.right < r.left) std::swap(r.left, r.right);
    if (r.bottom < r.top) std::swap(r.top, r.bottom);
    m_rcSelect = r;
  }
  if (pDC) {
    pDC->SetROP2(oldRop);
    pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldPen);
  }
}

int CKyFSLEditWnd::InsertSelect(int nColor, int bInsert) {
  if (m_rcSelect.IsRectEmpty() || m_arrFloat.IsEmpty()) return 0;
  const int w = m_rcSelect.Width(), h = m_rcSelect.Height();
  const long long r = BlockRowBytes(w), size = m_arrFloat.GetSize();
  const BYTE* block = m_arrFloat.GetData();
  CanvasDC dc(*this);
  if (dc.Get() && !bInsert) dc.Get()->SetROP2(R2_NOTXORPEN);
  {
    kycanvas::CellPainter p(*this, dc.Get(), bInsert ? nColor : 1);
    // Clear bits of the block never touch the pattern: a dropped block is
    // merged over the pixels below it.
    for (int row = 0; row < h && row * r < size; ++row)
      for (int col = 0; col < w; ++col) {
        const long long o = row * r + col / 8;
        if (o >= size) break;
        if (block[o] & (0x80 >> (col % 8))) p.Paint(CPoint(m_rcSelect.left + col, m_rcSelect.top + row), bInsert);
      }
  }
  if (bInsert && nColor) {
    m_rcSelect.SetRectEmpty();
    m_arrFloat.RemoveAll();
    ReDraw();
  }
  return 1;
}

void CKyFSLEditWnd::ReDraw() {
  if (!BuildCanvas()) return;
  CRect rc;
  GetClientRect(&rc);
  CanvasDC dc(*this);
  CDC mem;
  if (!dc.Get() || !mem.CreateCompatibleDC(dc.Get())) return;
  dc.Get()->SetWindowOrg(0, 0);
  CBitmap* old = mem.SelectObject(&m_bmpCanvas);
  dc.Get()->BitBlt(0, 0, rc.Width(), rc.Height(), &mem, 0, 0, SRCCOPY);
  mem.SelectObject(old);
}

BOOL CKyFSLEditWnd::BuildCanvas() {
  if (!m_hWnd) return FALSE;
  CRect rc;
  GetClientRect(&rc);
  m_bmpCanvas.DeleteObject();
  if (rc.Width() < 1 || rc.Height() < 1) return FALSE;
  CClientDC dc(this);
  if (!m_bmpCanvas.CreateCompatibleBitmap(&dc, rc.Width(), rc.Height())) return FALSE;
  CDC mem;
  if (!mem.CreateCompatibleDC(&dc)) return FALSE;
  CBitmap* oldBitmap = mem.SelectObject(&m_bmpCanvas);
  mem.PatBlt(0, 0, rc.Width(), rc.Height(), WHITENESS);
  mem.SetWindowOrg(m_nScrollX, m_nScrollY);
  if (!StretchCells(&mem)) {
    DrawEditGrid(&mem);
    DrawBrush(&mem);
  }
  mem.SetWindowOrg(0, 0);
  if (!m_arrImage.IsEmpty()) {
    // Shown at its own pixel size, from its own header.
    CKyDib dib;
    if (m_arrImage.GetSize() >= 26 && dib.Load(m_arrImage, 0)) {
      const BYTE* p = m_arrImage.GetData();
      const int32_t w = static_cast<int32_t>(p[18] | p[19] << 8 | p[20] << 16 | static_cast<uint32_t>(p[21]) << 24);
      const int32_t h = static_cast<int32_t>(p[22] | p[23] << 8 | p[24] << 16 | static_cast<uint32_t>(p[25]) << 24);
      dib.Draw(&mem, w, h < 0 ? -h : h);
    }
  } else if (m_pVectorStyle && m_pVectorStyle->GetFillStyleVector()) {
    CKyFillStyleVector* v = m_pVectorStyle->GetFillStyleVector();
    CSize tile(static_cast<int>(std::min<unsigned long>(v->GetWidth(), 1000000)),
               static_cast<int>(std::min<unsigned long>(v->GetHeight(), 1000000)));
    mem.SetMapMode(MM_LOMETRIC);
    mem.LPtoDP(&tile);
    mem.SetMapMode(MM_TEXT);
    if (m_pVectorStyle->SetFillStyle(&mem, 0xFF0000, 0xF0F0F0, CSize(0, 0), 1.0)) {
      CRect r(0, 0, std::abs(tile.cx), std::abs(tile.cy));
      m_pVectorStyle->Display(&mem, &r, 100);
    }
    m_pVectorStyle->ReleaseBMP();
  }
  mem.SelectObject(oldBitmap);
  return TRUE;
}

void CKyFSLEditWnd::OnPaint() {
  CPaintDC dc(this);
  // Cells written by a Pen or Erase drag reach the bitmap only at the
  // release; a paint in the middle of one must not take them off screen.
  if (m_nDragKind == 4 && (m_nTool == KY_TOOL_PEN || m_nTool == KY_TOOL_ERASE)) BuildCanvas();
  if (m_bmpCanvas.GetSafeHandle()) {
    CRect rc;
    GetClientRect(&rc);
    CDC mem;
    if (mem.CreateCompatibleDC(&dc)) {
      CBitmap* old = mem.SelectObject(&m_bmpCanvas);
      dc.BitBlt(0, 0, rc.Width(), rc.Height(), &mem, 0, 0, SRCCOPY);
      mem.SelectObject(old);
    }
  }
  // What is drawn NOT-XOR over the bitmap is drawn again, so that the next
  // NOT-XOR drawing still takes it away: the floating block and its frame,
  // and during a drag the shape preview or the rubber band.
  m_pPaintDC = &dc;
  InsertSelect(1, FALSE);
  DrawSelect(TRUE);
  {
    CanvasDC cdc(*this);
    if (m_nDragKind == 4 && IsShapeTool(m_nTool) && m_bPreviewShown) {
      cdc.Get()->SetROP2(R2_NOTXORPEN);
      DrawShape(*this, cdc.Get(), 1, FALSE);
    } else if (m_nDragKind >= 1 && m_nDragKind <= 3) {
      DrawElasticFrame(cdc.Get(), m_rcElastic);
    }
  }
  m_pPaintDC = nullptr;
}

BOOL CKyFSLEditWnd::OnEraseBkgnd(CDC*) {
  return TRUE;  // the off-screen bitmap covers the whole client area
}

namespace {

// One bar of ScrollChange: n units for the pattern's extent.
int ChangeBar(CWnd& wnd, int nBar, int n, UINT nMode, int unit, int current) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  wnd.GetScrollInfo(nBar, &si, SIF_ALL);
  if (n == si.nMax) return current;  // the bar is left alone
  const int page = static_cast<int>(si.nPage);
  si.fMask = SIF_RANGE | SIF_POS;
  si.nMin = 0;
  if (n <= page) {
    si.nMax = page - 1;
    si.nPos = 0;
  } else {
    si.nMax = n;
    si.nPos = nMode == 0 ? 0 : nMode == 1 ? si.nPos : n - page + 1;
  }
  wnd.SetScrollInfo(nBar, &si, TRUE);
  return wnd.GetScrollPos(nBar) * unit;
}

// The new position of a scroll request, or the old one when it does not move.
int ScrollTarget(const SCROLLINFO& si, UINT nSBCode) {
  const int page = static_cast<int>(si.nPage), last = si.nMax - page + 1;
  switch (nSBCode) {
    case SB_LINEUP:
      return si.nPos == 0 ? si.nPos : si.nPos - 1;
    case SB_LINEDOWN:
      return si.nPos >= last ? si.nPos : si.nPos + 1;
    case SB_PAGEUP:
      return std::max(si.nMin, si.nPos - page + 1);
    case SB_PAGEDOWN:
      return std::min(last, si.nPos + page - 1);
    case SB_THUMBTRACK:
      return si.nTrackPos;
    default:
      return si.nPos;
  }
}

}  // namespace

void CKyFSLEditWnd::ScrollChange(UINT nVertMode, UINT nHorzMode) {
  if (!m_hWnd) return;
  const int c = CellSize(*this);
  m_nScrollY = ChangeBar(*this, SB_VERT, (Height(*this) * c) / kVertUnit + 1, nVertMode, kVertUnit, m_nScrollY);
  m_nScrollX = ChangeBar(*this, SB_HORZ, (Width(*this) * c) / kHorzUnit + 1, nHorzMode, kHorzUnit, m_nScrollX);
}

void CKyFSLEditWnd::OnVScroll(UINT nSBCode, UINT, CScrollBar*) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(SB_VERT, &si, SIF_ALL);
  const int pos = ScrollTarget(si, nSBCode);
  if (pos == si.nPos) return;
  m_nScrollY = pos * kVertUnit;
  SetScrollPos(SB_VERT, pos, TRUE);
  ReDraw();
  InsertSelect(1, FALSE);
  DrawSelect(TRUE);
}

void CKyFSLEditWnd::OnHScroll(UINT nSBCode, UINT, CScrollBar*) {
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_ALL;
  GetScrollInfo(SB_HORZ, &si, SIF_ALL);
  const int pos = ScrollTarget(si, nSBCode);
  if (pos == si.nPos) return;
  m_nScrollX = pos * kHorzUnit;
  SetScrollPos(SB_HORZ, pos, TRUE);
  ReDraw();
  InsertSelect(1, FALSE);
  DrawSelect(TRUE);
}
