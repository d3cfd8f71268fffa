// A C++ program of another project: opens the built-in library through the
// installed module and fills a rectangle with one of its bitmap patterns.
#include <cstdio>

#include "KyFillStyle.h"
#include "KyFillStyleLib.h"
#include "afxdc.h"

int main() {
  CKyFillStyleLib lib;
  if (!lib.CreateDefault()) {
    std::fprintf(stderr, "consumer++: the built-in library cannot be opened\n");
    return 1;
  }
  const long position = lib.FindID(8);
  CKyFillStyle* style = lib.GetFillStyle(position);
  if (!style) {
    std::fprintf(stderr, "consumer++: the built-in library has no style 8\n");
    return 1;
  }
  CDC dc;
  CBitmap bitmap;
  if (!dc.CreateCompatibleDC(nullptr) || !bitmap.CreateBitmap(64, 64, 1, 32, nullptr)) return 1;
  CBitmap* old = dc.SelectObject(&bitmap);
  dc.FillSolidRect(0, 0, 64, 64, RGB(0, 0, 255));
  CRect rect(0, 0, 64, 64);
  CSize natural(0, 0);
  const bool drawn = style->SetFillStyleEx(&dc, RGB(255, 0, 0), RGB(255, 255, 255), natural, 1.0) &&
                     style->Display(&dc, &rect, 100);
  int red = 0, white = 0;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const COLORREF c = dc.GetPixel(x, y);
      red += c == RGB(255, 0, 0);
      white += c == RGB(255, 255, 255);
    }
  }
  style->ReleaseBMP();
  dc.SelectObject(old);
  std::printf("%ld styles; style 8 \"%s\" fills 64x64 with %d foreground and %d background pixels\n", lib.GetCount(),
              static_cast<const char*>(lib.GetFillStyleName(position)), red, white);
  // Every pixel is the pattern's: foreground or background, none left blue.
  return drawn && red > 0 && white > 0 && red + white == 64 * 64 ? 0 : 1;
}
