// A 32-bit canvas to draw line styles on through the framework's CDC,
// pre-filled with 0xCC so that untouched pixels show, read back as 0x00RRGGBB.
#pragma once

#include <vector>

#include "afxwin.h"
#include "gdi_helpers.h"

class LineCanvas : public TestCanvas {
 public:
  LineCanvas(int w, int h) : TestCanvas(w, h, 32, RGB(0xCC, 0xCC, 0xCC)) { m_dc.Attach(dc()); }
  ~LineCanvas() { m_dc.Detach(); }
  CDC* DC() { return &m_dc; }
  DWORD At(int x, int y) const {
    COLORREF c = TestCanvas::At(x, y);
    return static_cast<DWORD>(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
  }
  // The rows of the canvas that hold a pixel of the colour in column x.
  std::vector<int> RowsWith(DWORD rgb, int x) const {
    std::vector<int> out;
    for (int y = 0; y < h(); ++y)
      if (At(x, y) == rgb) out.push_back(y);
    return out;
  }

 private:
  CDC m_dc;
};

constexpr DWORD kBlank = 0xCCCCCC;
constexpr DWORD kRed = 0xFF0000;  // RGB(255, 0, 0) read back
