#include "KyGeoStyle.h"

CKyGeoStyle::CKyGeoStyle()
    : m_dwReserved{0, 0, 0},
      m_nLineStyle(0),
      m_nLineWidth(1),
      m_crLineColor(RGB(0, 0, 0)),
      m_nFillStyle(-1),
      m_crFillFore(RGB(0, 0, 0)),
      m_crFillBack(static_cast<LONG>(RGB(255, 255, 255))),
      m_byFillRate(100),
      m_byGradientType(0),
      m_sGradientAngle(0),
      m_sGradientHOffset(0),
      m_sGradientVOffset(0) {}
