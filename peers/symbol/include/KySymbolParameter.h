// CKySymbolParameter: how one symbol is placed when it is drawn. Callers
// build one and then write its fields directly between draws, so the fields
// are public and lie in the order of the constructor's arguments.
#pragma once

#include "KyROdi50.h"

class CKySymbolParameter {
 public:
  CKySymbolParameter(CPoint position, unsigned long size, int angle, unsigned long colour, unsigned long symbolId,
                     CStringArray* pTexts = nullptr, double scale = 1.0)
      : m_ptPosition(position),
        m_nSize(size),
        m_nAngle(angle),
        m_crColor(colour),
        m_nSymID(symbolId),
        m_pTexts(pTexts),
        m_dScale(scale) {}

  CPoint m_ptPosition;      // the anchor, in the logical units of the device context
  unsigned long m_nSize;    // one symbol size, in logical units before scaling
  int m_nAngle;             // tenths of a degree, counter-clockwise
  unsigned long m_crColor;  // COLORREF for the strokes that are not colour-fixed
  unsigned long m_nSymID;   // the symbol drawn, for callers that keep it here
  CStringArray* m_pTexts;   // texts of a symbol that shows some; not owned, may be null
  double m_dScale;          // multiplies m_nSize
};
