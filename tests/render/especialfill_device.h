// Devices for the CKyEspecialFill tests: the display set to a size and
// depth, a memory DC on a bitmap of the whole display (so that HORZRES and
// VERTRES are the bitmap's size) and raw pixel access.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "afxdc.h"

namespace kytest {

// Display geometry: w x h pixels at bpp, 96 pixels per inch.
inline void SetDisplay(int w, int h, int bpp) {
  KyDisplaySettings s{w, h, w * 254 / 960, h * 254 / 960, bpp, 96};
  ASSERT_TRUE(KySetDisplaySettings(&s));
}

// Puts a DC into device units for as long as it lives.
class DeviceUnits {
 public:
  explicit DeviceUnits(HDC hdc) : m_hdc(hdc), m_saved(::SaveDC(hdc)) {
    ::SetMapMode(hdc, MM_TEXT);
    ::SetWindowOrgEx(hdc, 0, 0, nullptr);
    ::SetViewportOrgEx(hdc, 0, 0, nullptr);
    ::SelectClipRgn(hdc, nullptr);
  }
  ~DeviceUnits() { ::RestoreDC(m_hdc, m_saved); }

 private:
  HDC m_hdc;
  int m_saved;
};

class FillDevice {
 public:
  FillDevice(int w, int h, int bpp, COLORREF paper = RGB(255, 255, 255)) : m_w(w), m_h(h) {
    SetDisplay(w, h, bpp);
    HDC screen = ::GetDC(nullptr);
    m_bitmap.Attach(::CreateCompatibleBitmap(screen, w, h));
    ::ReleaseDC(nullptr, screen);
    dc.CreateCompatibleDC(nullptr);
    m_old = ::SelectObject(dc.m_hDC, m_bitmap.m_hObject);
    Paint(paper);
  }
  ~FillDevice() {
    if (m_old) ::SelectObject(dc.m_hDC, m_old);
  }
  FillDevice(const FillDevice&) = delete;
  FillDevice& operator=(const FillDevice&) = delete;

  void Paint(COLORREF c) {
    CBrush brush(c);
    CRect all(0, 0, m_w, m_h);
    ::FillRect(dc.m_hDC, &all, (HBRUSH)brush.m_hObject);
  }
  int Width() const { return m_w; }
  int Height() const { return m_h; }
  CBitmap& Bitmap() { return m_bitmap; }

  BITMAP Info() {
    BITMAP bm{};
    m_bitmap.GetBitmap(&bm);
    return bm;
  }
  std::vector<BYTE> Raw() {
    BITMAP bm = Info();
    std::vector<BYTE> bits(static_cast<size_t>(bm.bmWidthBytes) * bm.bmHeight);
    m_bitmap.GetBitmapBits(static_cast<DWORD>(bits.size()), bits.data());
    return bits;
  }
  // The raw bytes of pixel (x, y): 4, 3, 2 or 1 of them.
  std::vector<BYTE> RawAt(int x, int y) {
    BITMAP bm = Info();
    const int bytes = (bm.bmBitsPixel + 7) / 8;
    std::vector<BYTE> all = Raw();
    const size_t at = static_cast<size_t>(y) * bm.bmWidthBytes + static_cast<size_t>(x) * bytes;
    return std::vector<BYTE>(all.begin() + at, all.begin() + at + bytes);
  }
  // 0x00RRGGBB of every pixel, top row first, as GetPixel sees them in
  // device units, whatever mapping the test has set.
  std::vector<DWORD> Pixels() {
    DeviceUnits units(dc.m_hDC);
    std::vector<DWORD> px;
    px.reserve(static_cast<size_t>(m_w) * m_h);
    for (int y = 0; y < m_h; ++y)
      for (int x = 0; x < m_w; ++x) {
        const COLORREF c = ::GetPixel(dc.m_hDC, x, y);
        px.push_back(((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF));
      }
    return px;
  }
  DWORD PixelAt(int x, int y) {
    DeviceUnits units(dc.m_hDC);
    const COLORREF c = ::GetPixel(dc.m_hDC, x, y);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  }

  CDC dc;

 private:
  int m_w, m_h;
  CBitmap m_bitmap;
  HGDIOBJ m_old = nullptr;
};

// A bitmap compatible with the device (like the bitmap selected into it),
// filled with one colour.
inline void MakeSolidBitmap(CDC& dc, CBitmap& bitmap, int w, int h, COLORREF c) {
  bitmap.Attach(::CreateCompatibleBitmap(dc.m_hDC, w, h));
  HDC mem = ::CreateCompatibleDC(dc.m_hDC);
  HGDIOBJ old = ::SelectObject(mem, bitmap.m_hObject);
  HBRUSH brush = ::CreateSolidBrush(c);
  RECT r{0, 0, w, h};
  ::FillRect(mem, &r, brush);
  ::SelectObject(mem, old);
  ::DeleteObject(brush);
  ::DeleteDC(mem);
}

}  // namespace kytest
