// A memory DC holding a bitmap of a given depth, for the tests that draw
// through the GDI (gdi, base, controls, linestyle): pixels read back as COLORREFs, as
// 0x00RRGGBB values of a 32-bit canvas, or as the bitmap's own bytes.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "wingdi.h"

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
  // The bitmap's bytes, rows padded as the bitmap keeps them; and setting them.
  std::vector<uint8_t> Bytes() const {
    BITMAP bm{};
    GetObject(bmp_, sizeof bm, &bm);
    std::vector<uint8_t> v(size_t(bm.bmWidthBytes) * size_t(bm.bmHeight));
    GetBitmapBits(bmp_, LONG(v.size()), v.data());
    return v;
  }
  void SetBytes(const std::vector<uint8_t>& v) { SetBitmapBits(bmp_, DWORD(v.size()), v.data()); }
  // Takes the bitmap out of the DC (as calls that read a bitmap want) and puts it back.
  void Deselect() { SelectObject(dc_, old_); }
  void Reselect() { SelectObject(dc_, bmp_); }
  int w() const { return w_; }
  int h() const { return h_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  // The pixels of a 32-bit canvas as 0x00RRGGBB, top row first.
  std::vector<DWORD> Pixels() const {
    std::vector<DWORD> px(size_t(w_) * size_t(h_));
    GetBitmapBits(bmp_, LONG(px.size() * 4), px.data());
    for (DWORD& p : px) p &= 0xFFFFFF;
    return px;
  }
  // The bounding box of the pixels (of a 32-bit canvas) that are `value`,
  // or with match false are not; empty when there are none.
  RECT Box(DWORD value, bool match = true) const {
    RECT r{w_, h_, 0, 0};
    const std::vector<DWORD> px = Pixels();
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x)
        if ((px[size_t(y) * size_t(w_) + size_t(x)] == value) == match) {
          r.left = std::min<LONG>(r.left, x);
          r.top = std::min<LONG>(r.top, y);
          r.right = std::max<LONG>(r.right, x + 1);
          r.bottom = std::max<LONG>(r.bottom, y + 1);
        }
    if (r.right == 0) r = RECT{0, 0, 0, 0};
    return r;
  }
  int Count(DWORD value) const {
    const std::vector<DWORD> px = Pixels();
    return int(std::count(px.begin(), px.end(), value));
  }
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
