// Helpers of the GDI tests: the depths every drawing test runs in, a canvas
// with the dialog font, and pictures as rows of characters. The canvas
// itself is in support/gdi_helpers.h, shared with the base tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "gdi_helpers.h"

// The depths every drawing test runs in.
inline const int kAllBpp[] = {32, 24, 16, 15, 8, 1};
inline const int kColourBpp[] = {32, 24, 16, 15, 8};

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
