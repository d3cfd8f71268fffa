// CKyGeoStyle: the whole style of an area (outline and fill) as the picker
// takes and returns it. A plain 44-byte record, passed by value; its layout
// is fixed (little-endian) and checked below.
#pragma once

#include <cstddef>

#include "afx.h"

class CKyGeoStyle {
 public:
  // Defaults: a solid black outline of 0.1 mm, no fill, black on white,
  // opaque, no gradient.
  CKyGeoStyle();

  DWORD m_dwReserved[3];      // owned by other modules, never touched here
  LONG m_nLineStyle;          // 0..5 pen styles, 6+ a line-style library id
  LONG m_nLineWidth;          // tenths of a millimetre
  COLORREF m_crLineColor;
  LONG m_nFillStyle;          // 0..7 built-in fills, 8+ library styles, -1 none
  COLORREF m_crFillFore;
  LONG m_crFillBack;          // a colour; negative means a transparent background
  BYTE m_byFillRate;          // opacity, 0..100
  BYTE m_byGradientType;      // 0 none, 1 linear, 2 radial, 3 conical, 4 square
  SHORT m_sGradientAngle;     // tenths of a degree
  SHORT m_sGradientHOffset;   // percent, -100..100
  SHORT m_sGradientVOffset;   // percent, -100..100
};

static_assert(sizeof(CKyGeoStyle) == 44, "CKyGeoStyle is a 44-byte record");
static_assert(offsetof(CKyGeoStyle, m_dwReserved) == 0);
static_assert(offsetof(CKyGeoStyle, m_nLineStyle) == 12);
static_assert(offsetof(CKyGeoStyle, m_nLineWidth) == 16);
static_assert(offsetof(CKyGeoStyle, m_crLineColor) == 20);
static_assert(offsetof(CKyGeoStyle, m_nFillStyle) == 24);
static_assert(offsetof(CKyGeoStyle, m_crFillFore) == 28);
static_assert(offsetof(CKyGeoStyle, m_crFillBack) == 32);
static_assert(offsetof(CKyGeoStyle, m_byFillRate) == 36);
static_assert(offsetof(CKyGeoStyle, m_byGradientType) == 37);
static_assert(offsetof(CKyGeoStyle, m_sGradientAngle) == 38);
static_assert(offsetof(CKyGeoStyle, m_sGradientHOffset) == 40);
static_assert(offsetof(CKyGeoStyle, m_sGradientVOffset) == 42);
