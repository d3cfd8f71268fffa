// CKySymStroke: one drawing element of a symbol.
//
// Units. A symbol is laid out in symbol sizes: 1.0 is the symbol's size, the
// anchor (the point at which the symbol is placed) is (0, 0) and the symbol's
// nominal extent is -0.5 .. 0.5 on both axes, x to the right and y downward.
// Drawing maps one symbol size to the size of the drawing parameter (times its
// scale). GetStrokeRect reports bounds in symbol units instead, 255 units per
// symbol size, so (-0.5, -0.5)..(0.5, 0.5) is the rectangle (-128, -128, 128,
// 128) after outward rounding.
//
// Stroke types (GetStrokeType):
//    0  empty: what the default constructor makes; no points, draws nothing
//    1  polyline: 2 or more points, an open line drawn with the pen
//    2  polygon: 3 or more points, closed; outlined, and also filled when the
//       fill flag is set
//    3  rectangle: 2 points, opposite corners; outlined, filled with the flag
//    4  ellipse: 2 points, opposite corners of its bounding rectangle;
//       outlined, filled with the flag
//   10  filled polygon: 3 or more points, filled with the brush, no outline
//   11  filled ellipse: 2 points as for 4, filled with the brush, no outline
// Types 10 and 11 always carry the fill flag; type 1 and 0 never do.
//
// Colour. A stroke has one colour of its own. "Pen fix" and "brush fix" say
// whether the outline and the fill keep that colour; when a flag is clear (the
// default) that part draws in the colour of the drawing parameter instead, so
// that a symbol follows the colour its caller asks for. MakePenFix(0) and
// MakeBrushFix(0) thus make a stroke draw wholly in the parameter's colour.
//
// Pen style: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none (the
// GDI PS_ values). Brush style: 0 solid, 1..6 the hatches HS_HORIZONTAL ..
// HS_DIAGCROSS (the HS_ value + 1). Pen width is in symbol sizes; 0 is the
// thinnest line the device can draw.
//
// A stroke is always valid: every Make* call checks its arguments and, when
// they are not acceptable, returns FALSE and leaves the stroke as it was.
#pragma once

#include <vector>

#include "KyROdi50.h"

class CKySymStroke {
 public:
  enum StrokeType : BYTE {
    typeEmpty = 0,
    typePolyline = 1,
    typePolygon = 2,
    typeRectangle = 3,
    typeEllipse = 4,
    typeFilledPolygon = 10,
    typeFilledEllipse = 11,
  };
  enum {
    penStyleLast = 5,     // PS_NULL
    brushStyleLast = 6,   // HS_DIAGCROSS + 1
  };
  // Limits that keep every stroke drawable with integer device coordinates.
  static constexpr double kMaxExtent = 256.0;  // |coordinate| and pen width, in symbol sizes
  static constexpr int kMaxPoints = 65536;

  CKySymStroke() = default;

  BYTE GetStrokeType() const { return m_byType; }
  BOOL IsFilled() const { return m_bFill; }
  BOOL IsPenFix() const { return m_bPenFix; }
  BOOL IsBrushFix() const { return m_bBrushFix; }
  int GetPenStyle() const { return m_nPenStyle; }
  int GetBrushStyle() const { return m_nBrushStyle; }
  double GetPenWidth() const { return m_dPenWidth; }
  COLORREF GetColor() const { return m_crColor; }
  int GetPointCount() const { return static_cast<int>(m_points.size()); }
  // The point at an index, in symbol sizes; (0, 0) for an index out of range.
  CPoint2D GetPoint(int index) const;

  // The bounds of the stroke's geometry (pen width not included) in symbol
  // units, 255 per symbol size, rounded outward. FALSE, and pRect left as it
  // was, for an empty stroke or a null pRect.
  BOOL GetStrokeRect(CRect* pRect) const;

  // The makers. Points are in symbol sizes. FALSE when a point or the pen
  // width is not finite or lies beyond kMaxExtent, a count does not fit the
  // type, or a style is out of range; the stroke is then unchanged.
  BOOL MakeStroke_Polyline(const CPoint2D* pts, int n, double dPenWidth, int nPenStyle, BOOL bPenFix,
                           COLORREF crColor);
  BOOL MakeStroke_Polygon(const CPoint2D* pts, int n, double dPenWidth, BOOL bFill, int nPenStyle,
                          int nBrushStyle, BOOL bPenFix, BOOL bBrushFix, COLORREF crColor);
  // Called by the mask of a symbol pattern tile as (c1, c2, 0, 1, 0, 0, 0, 0,
  // 0xFFFFFF): the thinnest solid outline, filled with a solid brush, both in
  // the parameter's colour.
  BOOL MakeStroke_Rectangle(const CPoint2D& c1, const CPoint2D& c2, double dPenWidth, BOOL bFill,
                            int nPenStyle, int nBrushStyle, BOOL bPenFix, BOOL bBrushFix, COLORREF crColor);
  BOOL MakeStroke_Ellipse(const CPoint2D& c1, const CPoint2D& c2, double dPenWidth, BOOL bFill,
                          int nPenStyle, int nBrushStyle, BOOL bPenFix, BOOL bBrushFix, COLORREF crColor);
  BOOL MakeStroke_FilledPolygon(const CPoint2D* pts, int n, int nBrushStyle, BOOL bBrushFix, COLORREF crColor);
  BOOL MakeStroke_FilledEllipse(const CPoint2D& c1, const CPoint2D& c2, int nBrushStyle, BOOL bBrushFix,
                                COLORREF crColor);

  // Sets whether the outline (pen) or the fill (brush) keeps the stroke's own
  // colour; 0 makes it follow the drawing parameter's colour.
  void MakePenFix(BOOL bFix) { m_bPenFix = bFix ? TRUE : FALSE; }
  void MakeBrushFix(BOOL bFix) { m_bBrushFix = bFix ? TRUE : FALSE; }

  // The general maker behind the others and behind the byte image reader:
  // TRUE and the stroke replaced when the values form a valid stroke of the
  // type (see the table above), FALSE and the stroke unchanged otherwise.
  BOOL Make(BYTE byType, const CPoint2D* pts, int n, double dPenWidth, BOOL bFill, int nPenStyle,
            int nBrushStyle, BOOL bPenFix, BOOL bBrushFix, COLORREF crColor);
  // Whether the values would form a valid stroke; Make's check.
  static BOOL IsValid(BYTE byType, const CPoint2D* pts, int n, double dPenWidth, BOOL bFill, int nPenStyle,
                      int nBrushStyle);

  bool operator==(const CKySymStroke& o) const;
  bool operator!=(const CKySymStroke& o) const { return !(*this == o); }

 private:
  BYTE m_byType = typeEmpty;
  BOOL m_bFill = FALSE;
  BOOL m_bPenFix = FALSE;
  BOOL m_bBrushFix = FALSE;
  int m_nPenStyle = 0;
  int m_nBrushStyle = 0;
  double m_dPenWidth = 0.0;
  COLORREF m_crColor = 0;
  std::vector<CPoint2D> m_points;
};
