// CKyLineStyleObj: one line style of a CKyLineStyleLib, and how it draws.
//
// A style is a list of layers drawn one after another along the same
// polyline, all sized in units u of the line:
//
//   u = max(width, 2 device pixels measured in logical units)
//
// so that a style keeps its look at every width and stays visible when the
// width is thin for the device. Every coordinate is a logical one: the style
// draws through the DC's own mapping (any map mode, y up or down). What is
// drawn is cut to the DC's clip box first, and u and the pens are held to the
// size of that box, so that a wild width or a line far longer than the
// device costs only what is seen.
//
//   kLine   a line parallel to the path at `offset` u (positive: to the left
//           of the direction of travel as seen with y down), pen `pen` u wide
//           (0: one pixel), dashed by `dash` (lengths in u: on, off, on, ...;
//           empty: solid). The dash phase runs on across vertices.
//   kTicks  every `step` u, starting at `phase` u, a segment across the path
//           from `offset` to `offset2` u, pen `pen` u wide.
//   kTeeth  every `step` u, starting at `phase` u, a filled triangle on the
//           left side: base `length` u along the path, apex `offset` u out.
//
// A closed path (first point equal to the last) joins its last corner too,
// so that parallel lines of a rectangle meet at every corner.
#pragma once

#include <vector>

#include "afxwin.h"

class CKyLineStyleLib;

struct KyLineLayer {
  enum Kind { kLine, kTicks, kTeeth };
  Kind kind = kLine;
  double offset = 0;   // u, across the path
  double offset2 = 0;  // u, the far end of a tick
  double pen = 0;      // u; 0 draws one device pixel wide
  double step = 0;     // u, ticks and teeth
  double phase = 0;    // u
  double length = 0;   // u, base of a tooth
  std::vector<double> dash;  // u, on/off lengths
};

class CKyLineStyleObj {
 public:
  CKyLineStyleObj();
  CKyLineStyleObj(long id, const char* name, std::vector<KyLineLayer> layers);
  CKyLineStyleObj(const CKyLineStyleObj& src);
  CKyLineStyleObj& operator=(const CKyLineStyleObj& src);
  ~CKyLineStyleObj();

  long GetID() const { return m_nID; }
  const CString& GetName() const { return m_strName; }
  const std::vector<KyLineLayer>& GetLayers() const { return m_layers; }

  // The width (logical units) and colour the next Polyline draws with.
  void SetLineStyle(long width, COLORREF color);
  long GetWidth() const { return m_nWidth; }
  COLORREF GetColor() const { return m_crColor; }

  // Draws the polyline of count points in this style onto the DC that the
  // style's library holds between KeepLineStyleDC and StoreLineStyleDC.
  // FALSE (nothing drawn) when the style belongs to no library, the library
  // holds no DC, pts is NULL or count < 2.
  BOOL Polyline(const POINT* pts, int count) const;
  // The same onto pDC directly; the DC's pen, brush, background mode and
  // colours are put back before it returns. FALSE for a NULL DC, NULL pts
  // or count < 2.
  BOOL Polyline(CDC* pDC, const POINT* pts, int count) const;

  // The library the style belongs to (set when it is added to one; a copy
  // keeps it). NULL for a free-standing style.
  const CKyLineStyleLib* GetLib() const { return m_pLib; }
  void SetLib(const CKyLineStyleLib* pLib) { m_pLib = pLib; }

  // The unit u for this style's width on pDC, in logical units (>= 1).
  double UnitFor(CDC* pDC) const;

 private:
  long m_nID = -1;
  CString m_strName;
  std::vector<KyLineLayer> m_layers;
  long m_nWidth = 1;
  COLORREF m_crColor = RGB(0, 0, 0);
  const CKyLineStyleLib* m_pLib = nullptr;
};
