// CKyEspecialFill: static operations that paint semi-transparent fills and
// two-colour gradients with plain GDI. The class holds nothing; every call
// makes and deletes its own DCs, bitmaps, pens, brushes and regions.
//
// Blending is done in software over the device's raw bits: the covered device
// area is copied into an off-screen bitmap, its GetBitmapBits rows are mixed
// with the fill, written back and copied to the device. Per component, with
// integer arithmetic and truncating divisions:
//
//   result = below * (100 - rate) / 100 + over * rate / 100
//
// Raw pixel layouts (rows of bmWidthBytes, top row first):
//   32 bits  B G R x       x is never changed
//   24 bits  B G R
//   16 bits  word rrrrrggg gggbbbbb   fill colour reduced to 5/6/5 bits
//   15 bits  word Xrrrrrgg gggbbbbb   X is kept
//   below 15 (palette devices) opaque fills and copies instead of a blend;
//   other depths of 15 or more are left unchanged.
//
// Rates below 0 count as 0 (nothing painted), above 100 as 100 (opaque).
// Gradients (type 1 linear, 2 radial, 3 conical, 4 square) are rendered
// into a bitmap of the visible rectangle and copied with TransparentBitblt.
#pragma once

#include <vector>

#include "afx.h"
#include "afxdc.h"

class CKyEspecialFill {
 public:
  enum GradientType : long {
    GRADIENT_NONE = 0,
    GRADIENT_LINEAR = 1,
    GRADIENT_RADIAL = 2,
    GRADIENT_CONICAL = 3,
    GRADIENT_SQUARE = 4,
  };

  // ---------------------------------------------------------- transparent fills
  // Fills pRect (logical units) with cr at the rate. TRUE when nothing is to
  // be painted (rate 0) and after an opaque fill (rate 100, palette device);
  // FALSE for a null DC or rectangle, a rectangle that misses the device, or
  // a memory DC, bitmap or brush that cannot be made; otherwise the result of
  // the final block transfer. With bPrint, device rectangles over 2001 pixels
  // are painted in tiles of 2000 x 2000 device pixels (TRUE).
  static BOOL TransparentRectangle(CDC* pDC, CRect* pRect, COLORREF cr, int bPrint, long rate);
  // Copies pBitmap (a bitmap compatible with pDC) to (x, y), size (cx, cy),
  // logical units, mixed with the device at the rate. Only the part of the
  // bitmap that the size covers is blended and copied. FALSE for cx or cy 0,
  // a null argument, a bitmap that cannot be read, a memory DC or bitmap that
  // cannot be made, or a device whose raw layout is not the bitmap's; TRUE
  // for rate 0; otherwise the result of the block transfer.
  static BOOL TransparentBitblt(CDC* pDC, CBitmap* pBitmap, int x, int y, int cx, int cy, long rate);
  // As TransparentBitblt for a mask pair: pColour holds the foreground in
  // colour on black, pMask the foreground black on white. Only where the mask
  // is black is the colour mixed in. FALSE when the two bitmaps differ in
  // width, height or depth (nothing painted), and as TransparentBitblt.
  static BOOL TransparentBitbltMask(CDC* pDC, CBitmap* pColour, CBitmap* pMask, int x, int y, int cx, int cy,
                                    long rate);
  // Fills the polygon (logical points, alternate filling) with cr at the rate
  // through a clipping region. When the region cannot be made the whole
  // device area is used. On the way out the DC's clipping is pPrintRgn
  // (printing) or none. FALSE for a null DC, a null point list with points,
  // or an empty area; else TRUE.
  static BOOL TransparentPolygon(CDC* pDC, POINT* pts, int count, COLORREF cr, int bPrint, long rate,
                                 CRgn* pPrintRgn);
  // As TransparentPolygon for nPolys polygons of counts[i] points each.
  static BOOL TransparentPolyPolygon(CDC* pDC, POINT* pts, int* counts, int nPolys, COLORREF cr, int bPrint,
                                     long rate, CRgn* pPrintRgn);

  // ---------------------------------------------------------- gradient fills
  // Paints a gradient from crStart to crEnd into pRect (logical units).
  // angle in tenths of a degree counter-clockwise (0 = left to right),
  // offsets in percent (clamped to -100..100, positive = right and up).
  // Equal colours or a type outside 1..4 paint an opaque solid crStart fill
  // (TRUE). FALSE for a null DC or rectangle, an empty device rectangle, or
  // a renderer that cannot make its DC or bitmap; otherwise the result of
  // the transparent copy. The DC's map mode and window origin are restored.
  static BOOL GradientRectangle(CDC* pDC, CRect* pRect, COLORREF crStart, COLORREF crEnd, long angle,
                                long hOffset, long vOffset, long type, int bPrint, long rate);
  // Paints the gradient into the polygon's bounding box through a clipping
  // region. FALSE when the region cannot be made or is empty; otherwise the
  // result of GradientRectangle. The clipping is left as TransparentPolygon
  // leaves it.
  static BOOL GradientPolygon(CDC* pDC, POINT* pts, int count, COLORREF crStart, COLORREF crEnd, long angle,
                              long hOffset, long vOffset, long type, int bPrint, long rate, CRgn* pPrintRgn);
  static BOOL GradientPolyPolygon(CDC* pDC, POINT* pts, int* counts, int nPolys, COLORREF crStart,
                                  COLORREF crEnd, long angle, long hOffset, long vOffset, long type, int bPrint,
                                  long rate, CRgn* pPrintRgn);

 protected:
  // pi / 1800: a tenth of a degree in radians.
  static constexpr double kRadiansPerTenth = 0.0017453292519943296;

  // ---------------------------------------------------------- gradient renderers
  // Each takes the device rectangle before clipping, clips a copy to the
  // device area unless bPrint, replaces `bitmap` with a compatible bitmap of
  // the clipped size and draws into it with (0, 0) at the clipped corner.
  // FALSE when a memory DC or the bitmap cannot be made; the centred kinds
  // also when the clipped rectangle is narrower or lower than 2 pixels.
  // With pDirect (pDC in the MM_TEXT frame) they draw the same pixels
  // straight onto it instead, at the clipped rectangle, and leave `bitmap`
  // alone: an opaque gradient needs no bitmap.
  static BOOL GetLinearBitmap(CDC* pDC, CRect* pRect, COLORREF crStart, COLORREF crEnd, long angle,
                              CBitmap& bitmap, int bPrint, CDC* pDirect = nullptr);
  static BOOL GetRadialBitmap(CDC* pDC, CRect* pRect, COLORREF crStart, COLORREF crEnd, long hOffset,
                              long vOffset, CBitmap& bitmap, int bPrint, CDC* pDirect = nullptr);
  static BOOL GetConicalBitmap(CDC* pDC, CRect* pRect, COLORREF crStart, COLORREF crEnd, long angle,
                               long hOffset, long vOffset, CBitmap& bitmap, int bPrint, CDC* pDirect = nullptr);
  static BOOL GetSquareBitmap(CDC* pDC, CRect* pRect, COLORREF crStart, COLORREF crEnd, long angle,
                              long hOffset, long vOffset, CBitmap& bitmap, int bPrint, CDC* pDirect = nullptr);

  // ---------------------------------------------------------- gradient geometry
  // The colour axis of a linear gradient at angle (radians) in rect: from the
  // corner the direction points away from to the level of the opposite one.
  static void GetEndPointOfColor(double angle, CRect& rect, CPoint& p1, CPoint& p2);
  // colour = c1 + (c2 - c1) * min(|p - p1| / |p2 - p1|, 1) per component,
  // truncated; c2 when p1 = p2.
  static void GetColor(CPoint& p1, CPoint& p2, COLORREF c1, COLORREF c2, CPoint& p, DWORD& colour);
  // p becomes the foot of the perpendicular from p onto the line a-b.
  static void GetVerticalPoint(CPoint a, CPoint b, CPoint& p);
  // Keeps the dominant coordinate of p and moves p onto the line a-b.
  static void GetSectionPoint(CPoint a, CPoint b, CPoint& p);
  // atan2(a.y - b.y, a.x - b.x) in radians.
  static double CalAzimuth(CPoint a, CPoint b);

  // ---------------------------------------------------------- blending helpers
  // near(x): half away from zero, then truncated toward zero.
  static LONG Near(double x);
  // Clamps an opacity rate to 0..100.
  static long ClampRate(long rate);
  // Mixes cr into every pixel of `height` rows of `width` pixels of raw
  // device bits. Depths other than 15, 16, 24 and 32 are left unchanged.
  static void MixColour(BYTE* bits, LONG widthBytes, int bitsPixel, int width, int height, COLORREF cr,
                        long rate);
  // Mixes `over` into `below` for `height` rows of `width` pixels, both with
  // the same layout. With a mask, only pixels where the mask is black.
  static void MixBits(BYTE* below, const BYTE* over, const BYTE* mask, LONG widthBytes, int bitsPixel,
                      int width, int height, long rate);
  // The blending half of TransparentBitblt and TransparentBitbltMask, in the
  // working frame: copies the device area at pt (device units) into a
  // bitmap like pOver (whose BITMAP is bm), mixes pOver into it (only where
  // pMask is black when there is a mask) over min(size, bitmap) pixels and
  // copies that block back. FALSE when a bitmap cannot be made or read or the
  // device's layout is not the bitmap's; else the block transfer's result.
  static BOOL BlendBitmap(CDC* pDC, CDC& memDC, CBitmap* pOver, CBitmap* pMask, const BITMAP& bm, CPoint pt,
                          CSize size, long rate);
  // Copies the points, converts them to device units and makes an
  // alternate-filled region: one polygon of counts[0] points, or with
  // bPolyPolygon nPolys polygons. FALSE when the region cannot be made (no
  // points, a negative count, a failed creation).
  static BOOL MakeDeviceRegion(CDC* pDC, const POINT* pts, const int* counts, int nPolys, BOOL bPolyPolygon,
                               CRgn& rgn);
  // The number of points of nPolys polygons; -1 for a negative count or a
  // total past the range of int.
  static long CountPoints(const int* counts, int nPolys);
  // A device rectangle (inside the device) mixed with cr at rate 1..99 in
  // the working frame, by the GDI's blend column or the long way through two
  // off-screen bitmaps; opaque on a palette device. FALSE when a bitmap of
  // the long way cannot be made or read.
  static BOOL BlendDeviceRect(CDC* pDC, const CRect& dev, COLORREF cr, long rate);
  // TransparentRectangle of a rectangle already in device units: clipped to
  // the device, opaque at rate 100, a printer's large rectangle in tiles.
  // FALSE when nothing of it lies on the device.
  static BOOL TransparentDeviceRect(CDC* pDC, CRect dev, COLORREF cr, int bPrint, long rate);
  // TransparentPolygon and TransparentPolyPolygon.
  static BOOL TransparentRegion(CDC* pDC, POINT* pts, const int* counts, int nPolys, BOOL bPolyPolygon,
                                COLORREF cr, int bPrint, long rate, CRgn* pPrintRgn);
  // GradientRectangle of a rectangle already in device units.
  static BOOL GradientDeviceRect(CDC* pDC, CRect rect, COLORREF crStart, COLORREF crEnd, long angle, long hOffset,
                                 long vOffset, long type, int bPrint, long rate);
  // GradientPolygon and GradientPolyPolygon.
  static BOOL GradientRegion(CDC* pDC, POINT* pts, const int* counts, int nPolys, BOOL bPolyPolygon,
                             COLORREF crStart, COLORREF crEnd, long angle, long hOffset, long vOffset, long type,
                             int bPrint, long rate, CRgn* pPrintRgn);
  // Puts the clipping back after a polygon fill: pPrintRgn when printing
  // (none for a null one), else none.
  static void RestoreClip(CDC* pDC, int bPrint, CRgn* pPrintRgn);
  // The pieces that cover `rect` (normalized) with tiles of `tile`: full
  // tiles row by row from the top-left corner, then the right column, the
  // bottom row and the corner piece. A tile side below 1 counts as 1.
  static std::vector<CRect> SplitRect(const CRect& rect, CSize tile);

  // Geometry shared by the centred kinds, from the unclipped device
  // rectangle: the centre moved by the offsets, rmax (ceiling of its distance
  // to the far corner), the clipped rectangle and its distance d and
  // half-diagonal hd, the centre relative to the bitmap and the ring step
  // and pen width.
  struct CCentredGeometry {
    CRect clip;
    CPoint centre;
    CPoint rel;
    long rmax = 0;
    double d = 0.0;
    double hd = 0.0;
    long step = 1;
    long penWidth = 1;
  };
  static void GetCentredGeometry(CDC* pDC, const CRect& rect, long hOffset, long vOffset, int bPrint,
                                 CCentredGeometry& g);
  // The colour of radius r of a centred gradient.
  static COLORREF RingColour(const CCentredGeometry& g, long r, COLORREF crStart, COLORREF crEnd);
  // The body shared by the radial and square gradients: into a bitmap of the
  // clipped rectangle, a filled dot of crStart at the centre when it is
  // visible, then outlines of wide pens from the first radius that reaches
  // the rectangle to the last, each in its ring colour. shape(dc, x, y, r, angle, dot)
  // draws the figure of radius r about (x, y) with the selected pen and
  // brush; dot is true for the centre dot. FALSE as the two renderers.
  static BOOL DrawCentredRings(CDC* pDC, CRect* pRect, COLORREF crStart, COLORREF crEnd, long hOffset,
                               long vOffset, CBitmap& bitmap, int bPrint,
                               void (*shape)(CDC& dc, int x, int y, int r, long angle, bool dot), long angle,
                               CDC* pDirect);

  // Switches a DC to MM_TEXT and puts its map mode and window origin back
  // when it goes. With bAlwaysResetOrigin the window origin is set to (0, 0)
  // whatever the previous mode; otherwise only when the mode was not MM_TEXT.
  class CWorkFrame {
   public:
    CWorkFrame(CDC* pDC, BOOL bAlwaysResetOrigin);
    ~CWorkFrame() { Restore(); }
    CWorkFrame(const CWorkFrame&) = delete;
    CWorkFrame& operator=(const CWorkFrame&) = delete;
    void Restore();

   private:
    CDC* m_pDC;
    int m_nOldMode;
    CPoint m_ptOldOrg;
    CSize m_szWindowExt, m_szViewportExt;
    BOOL m_bActive;
  };
  // Selects an object into a DC and the previous one back when it goes.
  class CSelect {
   public:
    CSelect(HDC hDC, HGDIOBJ hObject) : m_hDC(hDC), m_hOld(hObject ? ::SelectObject(hDC, hObject) : nullptr) {}
    ~CSelect() { Restore(); }
    CSelect(const CSelect&) = delete;
    CSelect& operator=(const CSelect&) = delete;
    BOOL IsSelected() const { return m_hOld != nullptr; }
    void Restore() {
      if (m_hOld) ::SelectObject(m_hDC, m_hOld);
      m_hOld = nullptr;
    }

   private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
  };
};
