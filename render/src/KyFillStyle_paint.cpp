// Painting a prepared tile into rectangles and polygons, opaque, through the
// transparent mask pair, or blended at a rate.
#include <vector>

#include "BmpImage.h"
#include "KyDib.h"
#include "KyErrorMsg.h"
#include "KyEspecialFill.h"
#include "KyFillStyle.h"
#include "RenderMath.h"
#include "TileGrid.h"

namespace {

constexpr DWORD kSrcCopy = 0x00CC0020;
constexpr DWORD kSrcAnd = 0x008800C6;
constexpr DWORD kSrcPaint = 0x00EE0086;
// (D & P) | S: SRCAND of a pattern, then SRCPAINT of the source, in one pass.
constexpr DWORD kMaskPatternPaint = 0x00EC02E8;

bool HasBitmap(const CBitmap& b) { return b.GetSafeHandle() != nullptr; }

// The transparent pair at rate 100 in one pass over the device: the mask
// becomes a pattern brush laid from the rectangle's corner, the foreground is
// laid in bands as the source, and each pixel is (D & mask) | fore, the very
// bits of an AND pass followed by an OR pass. FALSE, with nothing painted,
// when the brush cannot be made or the mask is monochrome (a monochrome
// pattern brush would take the DC's colours instead of its own bits).
BOOL PaintPairInOnePass(CDC* pDC, CDC& mem, CBitmap& fore, CBitmap& mask, const CRect& rect, int w, int h) {
  BITMAP bm;
  if (!mask.GetBitmap(&bm) || bm.bmBitsPixel < 8) return FALSE;
  CBrush brush;
  if (!brush.CreatePatternBrush(&mask)) return FALSE;
  // The brush origin is in device units.
  CPoint corner(rect.left, rect.top);
  pDC->LPtoDP(&corner);
  const CPoint oldOrg = pDC->SetBrushOrg(corner);
  CBrush* oldBrush = pDC->SelectObject(&brush);
  CBitmap* const tiles[] = {&fore};
  ky::LayTiles(pDC, tiles, rect, w, h, [&](CBitmap* const* src, int x, int y, int cx, int cy) {
    CBitmap* old = mem.SelectObject(src[0]);
    pDC->BitBlt(x, y, cx, cy, &mem, 0, 0, kMaskPatternPaint);
    mem.SelectObject(old);
  });
  pDC->SelectObject(oldBrush);
  pDC->SetBrushOrg(oldOrg);
  return TRUE;
}

}  // namespace

CRect CKyFillStyle::AnchoredRect(const CRect& rect, int w, int h) const {
  if (!m_bPatternOrigin || rect.IsRectEmpty()) return rect;
  return ky::GrowToGrid(rect, m_ptPatternOrigin, w, h);
}

BOOL CKyFillStyle::Display(CDC* pDC, CRect* pRect, long rate) {
  if (!pDC || !pRect) return FALSE;
  const int w = m_nTileWidth, h = m_nTileHeight;
  if (w < 2 || h < 2) return FALSE;
  const int horzRes = pDC->GetDeviceCaps(HORZRES);
  const int vertRes = pDC->GetDeviceCaps(VERTRES);
  CDC mem;
  if (!mem.CreateCompatibleDC(pDC) || !HasBitmap(m_bmpPattern)) return FALSE;

  CRect rect(*pRect);
  ky::DeviceFrame frame(pDC, rect);
  const CRect screen(0, 0, horzRes, vertRes);
  rect.IntersectRect(&rect, &screen);
  PaintPattern(pDC, mem, rect, rate);
  return TRUE;
}

// The brush is laid from the grid's corner: one transfer over the
// rectangle through the DC's clip, the pixels of a copy of each piece. Not
// for a monochrome tile (a monochrome pattern brush takes the DC's colours
// instead of its own bits) or one larger than m_nTileWidth x m_nTileHeight
// (the pieces use only its top-left part).
BOOL CKyFillStyle::PaintTileAsBrush(CDC* pDC, const CRect& rect, const CRect& grid) {
  if (m_hBrushTile != m_bmpPattern.GetSafeHandle()) {
    m_brPattern.DeleteObject();
    m_hBrushTile = nullptr;
    BITMAP bm;
    if (!m_bmpPattern.GetBitmap(&bm) || bm.bmBitsPixel < 8 || bm.bmWidth != m_nTileWidth ||
        bm.bmHeight != m_nTileHeight || !m_brPattern.CreatePatternBrush(&m_bmpPattern))
      return FALSE;
    m_hBrushTile = m_bmpPattern.GetSafeHandle();
  }
  if (!m_brPattern.GetSafeHandle()) return FALSE;
  CPoint corner(grid.left, grid.top);
  pDC->LPtoDP(&corner);
  const CPoint oldOrg = pDC->SetBrushOrg(corner);
  CBrush* oldBrush = pDC->SelectObject(&m_brPattern);
  pDC->PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATCOPY);
  pDC->SelectObject(oldBrush);
  pDC->SetBrushOrg(oldOrg);
  return TRUE;
}

void CKyFillStyle::PaintPattern(CDC* pDC, CDC& mem, const CRect& rect, long rate) {
  CBitmap* const tiles[] = {&m_bmpPattern};
  const CRect grid = AnchoredRect(rect, m_nTileWidth, m_nTileHeight);
  if (rate == 100 && !rect.IsRectEmpty() && PaintTileAsBrush(pDC, rect, grid)) return;
  ky::ClipToRect clip(pDC, rect, grid);
  ky::LayTiles(pDC, tiles, grid, m_nTileWidth, m_nTileHeight, [&](CBitmap* const* src, int x, int y, int cx, int cy) {
    if (rate == 100) {
      CBitmap* old = mem.SelectObject(src[0]);
      pDC->BitBlt(x, y, cx, cy, &mem, 0, 0, kSrcCopy);
      mem.SelectObject(old);
    } else {
      CKyEspecialFill::TransparentBitblt(pDC, src[0], x, y, cx, cy, rate);
    }
  });
}

BOOL CKyFillStyle::DisplayEx(CDC* pDC, CRect* pRect, int bNoDeviceClip, long rate) {
  if (!pDC || !pRect) return FALSE;
  const int w = m_nTileWidth, h = m_nTileHeight;
  if (w < 2 || h < 2) return FALSE;
  const int horzRes = pDC->GetDeviceCaps(HORZRES);
  const int vertRes = pDC->GetDeviceCaps(VERTRES);
  CRect rect(*pRect);
  ky::DeviceFrame frame(pDC, rect);
  if (!bNoDeviceClip) {
    const CRect screen(0, 0, horzRes, vertRes);
    rect.IntersectRect(&rect, &screen);
  }
  CDC mem;
  if (!mem.CreateCompatibleDC(pDC)) {
    KyGetErrorMsgObj()->CatchLastError();
    return FALSE;
  }

  const bool pair = pDC->GetBkMode() != OPAQUE && (IsSingleColor() || m_pVector);
  if (pair) {
    if (!HasBitmap(m_bmpMask) || !HasBitmap(m_bmpFore)) return TRUE;
    const CRect grid = AnchoredRect(rect, w, h);
    ky::ClipToRect clip(pDC, rect, grid);
    if (rate == 100 && PaintPairInOnePass(pDC, mem, m_bmpFore, m_bmpMask, grid, w, h)) return TRUE;
    CDC fore;
    if (rate == 100 && !fore.CreateCompatibleDC(pDC)) return FALSE;
    // The colour bitmap comes first, the mask second, in both forms.
    CBitmap* const tiles[] = {&m_bmpFore, &m_bmpMask};
    ky::LayTiles(pDC, tiles, grid, w, h, [&](CBitmap* const* src, int x, int y, int cx, int cy) {
      if (rate == 100) {
        CBitmap* oldMask = mem.SelectObject(src[1]);
        CBitmap* oldFore = fore.SelectObject(src[0]);
        pDC->BitBlt(x, y, cx, cy, &mem, 0, 0, kSrcAnd);
        pDC->BitBlt(x, y, cx, cy, &fore, 0, 0, kSrcPaint);
        fore.SelectObject(oldFore);
        mem.SelectObject(oldMask);
      } else {
        CKyEspecialFill::TransparentBitbltMask(pDC, src[0], src[1], x, y, cx, cy, rate);
      }
    });
    return TRUE;
  }

  if (!HasBitmap(m_bmpPattern)) return TRUE;
  PaintPattern(pDC, mem, rect, rate);
  return TRUE;
}

BOOL CKyFillStyle::Draw(CDC* pDC, CRect* pRect, long rate) {
  if (!pDC || !pRect) return FALSE;
  if (rate != 100) return DisplayEx(pDC, pRect, TRUE, rate);
  if (m_nType == FS_TYPE_VECTOR) return m_pVector ? DisplayEx(pDC, pRect, TRUE, 100) : FALSE;
  if (m_arrBMP.IsEmpty()) return FALSE;
  if (pDC->GetBkMode() == TRANSPARENT && IsSingleColor()) return DisplayEx(pDC, pRect, TRUE, 100);

  CByteArray copy;
  copy.Copy(m_arrBMP);
  KyBmpHeader bmp;
  if (!ky::ReadBmpHeader(copy, bmp)) return FALSE;
  ky::ColourMonoImage(copy, bmp, m_crFore, m_crBack);
  CKyDib dib;
  if (!dib.Load(copy, 0)) return FALSE;
  copy.RemoveAll();

  const LONG srcW = bmp.width, srcH = bmp.height;
  CSize tile(m_nTileWidth, m_nTileHeight);
  if (tile.cx == 0 && tile.cy == 0) {
    if (m_nResolution == 0) {
      dib.Close();
      return FALSE;
    }
    tile = CSize(static_cast<int>(static_cast<long long>(srcW) * 254 / m_nResolution),
                 static_cast<int>(static_cast<long long>(srcH) * 254 / m_nResolution));
    pDC->LPtoDP(&tile);
  }
  // A half-failed preparation can leave one side 0; there is no tile to lay.
  if (tile.cx < 1 || tile.cy < 1) {
    dib.Close();
    return FALSE;
  }

  CRect rect(*pRect);
  {
    ky::DeviceFrame frame(pDC, rect);
    const CRect grid = AnchoredRect(rect, tile.cx, tile.cy);
    ky::ClipToRect clip(pDC, rect, grid);
    ky::ForEachTilePiece(grid, tile.cx, tile.cy, [&](int x, int y, int cx, int cy) {
      if (cx == tile.cx && cy == tile.cy) {
        dib.FreeDraw(pDC, x, y, cx, cy, 0, 0, srcW, srcH);
        return;
      }
      // A partial piece is the top-left part of a whole stretched tile: the
      // whole tile is drawn through a clip of the piece. Stretching a part of
      // the image into the piece instead would round the part down, losing
      // the pattern's last rows and columns (all of them in a piece smaller
      // than one image pixel's share) and drawing the rest at another scale.
      const int saved = pDC->SaveDC();
      pDC->IntersectClipRect(x, y, x + cx, y + cy);
      dib.FreeDraw(pDC, x, y, tile.cx, tile.cy, 0, 0, srcW, srcH);
      pDC->RestoreDC(saved);
    });
  }
  dib.Close();
  return TRUE;
}

namespace {

// The shared body of Polygon and PolyPolygon once the region is made.
BOOL FillRegion(CKyFillStyle& style, CDC* pDC, CRgn& rgn, BOOL made, int bPrint, long rate) {
  const int horzRes = pDC->GetDeviceCaps(HORZRES);
  const int vertRes = pDC->GetDeviceCaps(VERTRES);
  if (!made) {
    rgn.DeleteObject();
    rgn.CreateRectRgn(0, 0, horzRes, vertRes);
  } else if (!bPrint) {
    CRgn screen;
    screen.CreateRectRgn(0, 0, horzRes, vertRes);
    rgn.CombineRgn(&rgn, &screen, RGN_AND);
  }
  pDC->SelectClipRgn(&rgn, RGN_AND);
  CRect box;
  rgn.GetRgnBox(&box);
  if (bPrint) {
    // Printing sizes the tile from logical units: the box goes back to them.
    pDC->DPtoLP(reinterpret_cast<LPPOINT>(&box), 2);
    style.Draw(pDC, &box, rate);
    pDC->SelectClipRgn(style.GetPrintRgn(), RGN_COPY);
  } else {
    // The box stays in device units: through logical units it would snap to
    // their grid, losing edge pixels of the shape and moving the tiles.
    {
      ky::DeviceFrame frame(pDC, ky::DeviceFrame::InDeviceUnits{});
      style.DisplayEx(pDC, &box, FALSE, rate);
    }
    pDC->SelectClipRgn(nullptr);
  }
  rgn.DeleteObject();
  return TRUE;
}

void SelectPrintRgn(CKyFillStyle& style, CDC* pDC, int bPrint) {
  CRgn* print = style.GetPrintRgn();
  if (bPrint && print && print->GetSafeHandle()) pDC->SelectClipRgn(print, RGN_COPY);
}

}  // namespace

BOOL CKyFillStyle::Polygon(CDC* pDC, POINT* pts, int count, int bPrint, long rate) {
  // No points is no shape: nothing is painted (a region that cannot be made
  // would otherwise stand for the whole device).
  if (!pDC || !pts || count < 1) return TRUE;
  std::vector<POINT> dev(pts, pts + count);
  pDC->LPtoDP(dev.data(), count);
  SelectPrintRgn(*this, pDC, bPrint);
  CRgn rgn;
  const BOOL made = rgn.CreatePolygonRgn(dev.data(), count, ALTERNATE);
  return FillRegion(*this, pDC, rgn, made, bPrint, rate);
}

BOOL CKyFillStyle::PolyPolygon(CDC* pDC, POINT* pts, int* counts, int nPolys, int bPrint, long rate) {
  if (!pDC || !pts || !counts || nPolys < 1) return TRUE;
  long long total = 0;
  for (int i = 0; i < nPolys; ++i) {
    if (counts[i] < 0) return TRUE;
    total += counts[i];
  }
  if (total < 1 || total > 0x7FFFFFFF) return TRUE;
  std::vector<POINT> dev(pts, pts + total);
  pDC->LPtoDP(dev.data(), static_cast<int>(total));
  SelectPrintRgn(*this, pDC, bPrint);
  CRgn rgn;
  const BOOL made = rgn.CreatePolyPolygonRgn(dev.data(), counts, nPolys, ALTERNATE);
  return FillRegion(*this, pDC, rgn, made, bPrint, rate);
}
