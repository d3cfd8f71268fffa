// The tile grid and the device frame shared by the painting operations.
//
//   left                       right
//   +------+------+------+---+
//   | full | full | full | R |   R: right column, colRem wide
//   +------+------+------+---+
//   |  B   |  B   |  B   | C |   B: bottom row, rowRem high; C: the corner
//   +------+------+------+---+
//
// Every piece is copied from the tile's origin, so the pattern is anchored at
// the rectangle's top-left corner and a partial piece shows the left and top
// part of the tile. Pieces come in that order: full tiles row by row, the
// right column, the bottom row, the corner.
#pragma once

#include <algorithm>

#include "afxdc.h"

namespace ky {

template <typename Piece>
void ForEachTilePiece(const CRect& r, int w, int h, Piece piece) {
  if (w <= 0 || h <= 0) return;
  const int width = r.Width(), height = r.Height();
  if (width <= 0 || height <= 0) return;
  const int cols = width / w, colRem = width % w;
  const int rows = height / h, rowRem = height % h;
  for (int j = 0; j < rows; ++j) {
    for (int i = 0; i < cols; ++i) piece(r.left + i * w, r.top + j * h, w, h);
  }
  if (colRem > 0) {
    for (int j = 0; j < rows; ++j) piece(r.right - colRem, r.top + j * h, colRem, h);
  }
  if (rowRem > 0) {
    for (int i = 0; i < cols; ++i) piece(r.left + i * w, r.bottom - rowRem, w, rowRem);
  }
  if (colRem > 0 && rowRem > 0) piece(r.right - colRem, r.bottom - rowRem, colRem, rowRem);
}

// Lays one or more tiles of w x h (a tile, or a mask and its foreground)
// over a rectangle with the pixels of ForEachTilePiece, a row at a time:
// each tile is first repeated across a band as wide as the rectangle, and
// each row of tiles is then one transfer per band from its origin. Pieces do
// not overlap, so per-pixel operations (copies, AND then OR, blending) give
// the same pixels as piece by piece, with about cols + rows transfers
// instead of cols x rows. `paint(srcs, x, y, cx, cy)` copies from the
// origin of each srcs[k]: the bands, or the tiles themselves when a band
// cannot be made or the rectangle is no wider than a tile.
template <size_t N, typename Paint>
void LayTiles(CDC* pDC, CBitmap* const (&tiles)[N], const CRect& r, int w, int h, Paint paint) {
  if (w <= 0 || h <= 0 || r.Width() <= 0 || r.Height() <= 0) return;
  const int width = r.Width(), height = r.Height();
  CBitmap bands[N];
  CBitmap* srcs[N];
  bool banded = width > w;
  CDC tileDC, bandDC;
  banded = banded && tileDC.CreateCompatibleDC(pDC) && bandDC.CreateCompatibleDC(pDC);
  for (size_t k = 0; banded && k < N; ++k) {
    if (!bands[k].CreateCompatibleBitmap(pDC, width, h)) {
      banded = false;
      break;
    }
    CBitmap* oldTile = tileDC.SelectObject(tiles[k]);
    CBitmap* oldBand = bandDC.SelectObject(&bands[k]);
    for (int x = 0; x < width; x += w) bandDC.BitBlt(x, 0, std::min(w, width - x), h, &tileDC, 0, 0, 0x00CC0020);
    bandDC.SelectObject(oldBand);
    tileDC.SelectObject(oldTile);
    srcs[k] = &bands[k];
  }
  if (!banded) {
    ForEachTilePiece(r, w, h, [&](int x, int y, int cx, int cy) { paint(tiles, x, y, cx, cy); });
    return;
  }
  const int rows = height / h, rowRem = height % h;
  for (int j = 0; j < rows; ++j) paint(srcs, r.left, r.top + j * h, width, h);
  if (rowRem > 0) paint(srcs, r.left, r.bottom - rowRem, width, rowRem);
}

// Floor of a / b for b > 0, whatever the sign of a.
inline long long FloorDiv(long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The rectangle grown up and left so that its corner lies on the grid of
// w x h tiles through origin; right and bottom stay.
inline CRect GrowToGrid(const CRect& r, CPoint origin, int w, int h) {
  if (w <= 0 || h <= 0) return r;
  CRect g(r);
  g.left = static_cast<int>(origin.x + FloorDiv(static_cast<long long>(r.left) - origin.x, w) * w);
  g.top = static_cast<int>(origin.y + FloorDiv(static_cast<long long>(r.top) - origin.y, h) * h);
  return g;
}

// Keeps painting inside a rectangle for the life of the object when a grid
// grown past it is laid: the DC's state is saved and the clip intersected
// with the rectangle, and put back on every way out. Nothing happens when
// the grid is the rectangle itself.
class ClipToRect {
 public:
  ClipToRect(CDC* pDC, const CRect& rect, const CRect& grid) : m_pDC(pDC) {
    if (::EqualRect(&grid, &rect)) return;
    m_saved = pDC->SaveDC();
    if (m_saved) pDC->IntersectClipRect(&rect);
  }
  ~ClipToRect() {
    if (m_saved) m_pDC->RestoreDC(m_saved);
  }
  ClipToRect(const ClipToRect&) = delete;
  ClipToRect& operator=(const ClipToRect&) = delete;

 private:
  CDC* m_pDC;
  int m_saved = 0;
};

// Puts a DC into device units for the life of the object: a rectangle given
// in logical units is converted, the DC switched to MM_TEXT with its window
// origin at (0, 0); the map mode, its extents (which a change of mode
// resets) and the window origin are put back on every way out.
class DeviceFrame {
 public:
  DeviceFrame(CDC* pDC, CRect& rect) : DeviceFrame(pDC) {
    if (m_mapMode != MM_TEXT) {
      pDC->LPtoDP(reinterpret_cast<LPPOINT>(&rect), 2);
      Enter();
    }
    rect.NormalizeRect();
  }
  // For coordinates that are device units already.
  struct InDeviceUnits {};
  DeviceFrame(CDC* pDC, InDeviceUnits) : DeviceFrame(pDC) { Enter(); }
  ~DeviceFrame() {
    m_pDC->SetMapMode(m_mapMode);
    if (m_mapMode == MM_ISOTROPIC || m_mapMode == MM_ANISOTROPIC) {
      m_pDC->SetWindowExt(m_windowExt);
      m_pDC->SetViewportExt(m_viewportExt);
    }
    m_pDC->SetWindowOrg(m_windowOrg);
  }
  DeviceFrame(const DeviceFrame&) = delete;
  DeviceFrame& operator=(const DeviceFrame&) = delete;

 private:
  explicit DeviceFrame(CDC* pDC)
      : m_pDC(pDC),
        m_mapMode(pDC->GetMapMode()),
        m_windowOrg(pDC->GetWindowOrg()),
        m_windowExt(pDC->GetWindowExt()),
        m_viewportExt(pDC->GetViewportExt()) {}
  void Enter() {
    m_pDC->SetMapMode(MM_TEXT);
    m_pDC->SetWindowOrg(0, 0);
  }

  CDC* m_pDC;
  int m_mapMode;
  CPoint m_windowOrg;
  CSize m_windowExt, m_viewportExt;
};

}  // namespace ky
