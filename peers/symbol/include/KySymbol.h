// CKySymbol: a named symbol, an ordered list of strokes drawn first to last.
// The symbol owns its strokes: AddStroke takes the pointer over, and the
// destructor and RemoveAll delete them. Copying (the copy constructor and
// operator=) copies every stroke, never shares one.
#pragma once

#include <memory>
#include <vector>

#include "KySymStroke.h"
#include "KySymbolParameter.h"

class CDC;

class CKySymbol {
 public:
  CKySymbol() = default;
  CKySymbol(const CKySymbol& src) { *this = src; }
  // A deep copy: id, name and a copy of every stroke. The target's own
  // strokes are deleted first; assigning a symbol to itself changes nothing.
  CKySymbol& operator=(const CKySymbol& src);
  ~CKySymbol() = default;

  // The id is unsigned 32-bit; a symbol library takes ids 0 .. 0x7FFFFFFF.
  void SetSymId(DWORD id) { m_nSymId = id; }
  DWORD GetSymId() const { return m_nSymId; }
  void SetSymName(const CString& name) { m_strName = name; }
  CString GetSymName() const { return m_strName; }

  int GetCount() const { return static_cast<int>(m_strokes.size()); }
  // The stroke at index 0 .. count - 1 (still owned by the symbol); null
  // out of range.
  CKySymStroke* GetLastStroke(int index) const;
  // Appends the stroke and takes ownership of it. FALSE (nothing taken) for a
  // null stroke or one that this symbol holds already.
  BOOL AddStroke(CKySymStroke* pStroke);
  // Deletes every stroke.
  void RemoveAll() { m_strokes.clear(); }

  // The bounds of all strokes in symbol units (see CKySymStroke); FALSE, and
  // pRect left as it was, when no stroke has points or pRect is null.
  BOOL GetSymbolRect(CRect* pRect) const;

  // Same id, name and strokes.
  bool operator==(const CKySymbol& o) const;
  bool operator!=(const CKySymbol& o) const { return !(*this == o); }

  // Drawing into a device context (KySymbolDraw.cpp; KySymbolPlacement.h
  // says how symbol sizes, angles and map modes meet the device). The DC's
  // state is as it was when either returns, and every pen and brush made is
  // deleted.
  //
  // Draws the symbol with its anchor at param.m_ptPosition, one symbol size
  // mapped to param.m_nSize * param.m_dScale logical units, turned by
  // param.m_nAngle tenths of a degree counter-clockwise as seen on the page,
  // the pens and brushes that are not fixed in param.m_crColor. bPrinting
  // says the DC is a printer's: its thinnest line is then 0.1 mm instead of
  // one pixel. FALSE when the DC is null or cannot be saved, the scale is
  // negative or not finite, the symbol would reach beyond the device's
  // coordinates (ERROR_INVALID_PARAMETER), or a pen or brush cannot be made
  // (the base module's error object records it; the other strokes are still
  // drawn). A symbol without strokes, or a size of 0, draws nothing: TRUE.
  BOOL Draw(CDC* pDC, CKySymbolParameter& param, int bPrinting, int nReserved1 = 0, int nReserved2 = 0);
  // Draws a preview in colour cr that fills rect (logical units of pDC): the
  // bounds of the symbol's points, widened by its widest pen, scaled to fit
  // with the aspect kept and centred, unturned; a symbol whose points have
  // no extent is shown at its nominal extent. FALSE as above, and for a rect
  // that is empty on the device.
  BOOL Draw(CDC* pDC, RECT& rect, COLORREF cr);

 private:
  DWORD m_nSymId = 0;
  CString m_strName;
  std::vector<std::unique_ptr<CKySymStroke>> m_strokes;
};
