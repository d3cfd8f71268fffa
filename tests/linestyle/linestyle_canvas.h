// A bitmap of the screen's format to draw line styles on, pre-filled with
// 0xCC so that untouched pixels show, read back as 0x00RRGGBB.
#pragma once

#include <vector>

#include "afxwin.h"

class LineCanvas {
 public:
  LineCanvas(int w, int h) : m_w(w), m_h(h) {
    m_screen = GetDC(nullptr);
    m_dc.CreateCompatibleDC(CDC::FromHandle(m_screen));
    m_bmp.CreateCompatibleBitmap(CDC::FromHandle(m_screen), w, h);
    m_old = m_dc.SelectObject(&m_bmp);
    m_dc.FillSolidRect(0, 0, w, h, RGB(0xCC, 0xCC, 0xCC));
  }
  ~LineCanvas() {
    m_dc.SelectObject(m_old);
    ReleaseDC(nullptr, m_screen);
  }
  CDC* DC() { return &m_dc; }
  DWORD At(int x, int y) {
    COLORREF c = ::GetPixel(m_dc.GetSafeHdc(), x, y);
    return static_cast<DWORD>(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
  }
  // Rows (or columns) of the canvas that hold a pixel of the colour.
  std::vector<int> RowsWith(DWORD rgb, int x) {
    std::vector<int> out;
    for (int y = 0; y < m_h; ++y)
      if (At(x, y) == rgb) out.push_back(y);
    return out;
  }
  int Count(DWORD rgb) {
    int n = 0;
    for (int y = 0; y < m_h; ++y)
      for (int x = 0; x < m_w; ++x) n += At(x, y) == rgb;
    return n;
  }

 private:
  int m_w, m_h;
  HDC m_screen;
  CDC m_dc;
  CBitmap m_bmp;
  CBitmap* m_old = nullptr;
};

constexpr DWORD kBlank = 0xCCCCCC;
constexpr DWORD kRed = 0xFF0000;  // RGB(255, 0, 0) read back
