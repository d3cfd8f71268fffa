// Helpers of the GDI tests: a memory DC with a bitmap of a given depth, and
// reading pixels back as COLORREFs.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wingdi.h"

// The depths every drawing test runs in.
inline const int kAllBpp[] = {32, 24, 16, 15, 8, 1};
inline const int kColourBpp[] = {32, 24, 16, 15, 8};

// A w x h bitmap of bpp selected into a memory DC, filled with `fill`.
class TestCanvas {
 public:
  TestCanvas(int w, int h, int bpp, COLORREF fill = RGB(255, 255, 255)) : w_(w), h_(h) {
    dc_ = CreateCompatibleDC(nullptr);
    bmp_ = CreateBitmap(w, h, 1, UINT(bpp), nullptr);
    old_ = SelectObject(dc_, bmp_);
    Fill(fill);
  }
  ~TestCanvas() {
    SelectObject(dc_, old_);
    DeleteObject(bmp_);
    DeleteDC(dc_);
  }
  TestCanvas(const TestCanvas&) = delete;
  TestCanvas& operator=(const TestCanvas&) = delete;

  void Fill(COLORREF c) {
    HBRUSH b = CreateSolidBrush(c);
    RECT r{0, 0, w_, h_};
    FillRect(dc_, &r, b);
    DeleteObject(b);
  }
  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bmp_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  // Rows of characters: '#' where the pixel is `ink`, '.' elsewhere.
  std::string Picture(COLORREF ink) const {
    std::string s;
    for (int y = 0; y < h_; ++y) {
      for (int x = 0; x < w_; ++x) s += At(x, y) == ink ? '#' : '.';
      s += '\n';
    }
    return s;
  }

 private:
  int w_, h_;
  HDC dc_;
  HBITMAP bmp_;
  HGDIOBJ old_;
};

inline std::string Rows(std::initializer_list<const char*> rows) {
  std::string s;
  for (const char* r : rows) (s += r) += '\n';
  return s;
}
