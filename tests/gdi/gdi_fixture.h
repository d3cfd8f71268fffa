// Helpers of the GDI tests: a memory DC with a bitmap of a given depth, and
// reading pixels back as COLORREFs.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
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

// A white 32-bit canvas with the dialog font (11 pixels, "MS Sans Serif")
// selected, drawing text transparently.
class TextCanvas : public TestCanvas {
 public:
  TextCanvas(int w, int h) : TestCanvas(w, h, 32) {
    old_font_ = SelectObject(dc(), font_);
    SetBkMode(dc(), TRANSPARENT);
  }
  ~TextCanvas() {
    SelectObject(dc(), old_font_);
    DeleteObject(font_);
  }
  void Clear() { Fill(RGB(255, 255, 255)); }
  RECT Ink() const { return Box(0xFFFFFF, false); }  // every pixel that is not white

 private:
  HFONT font_ = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
  HGDIOBJ old_font_;
};

inline std::string Rows(std::initializer_list<const char*> rows) {
  std::string s;
  for (const char* r : rows) (s += r) += '\n';
  return s;
}
