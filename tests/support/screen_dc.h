// A simulated screen and a memory DC on a canvas of it, pre-filled with grey
// 0xCC, for drawing tests. The display settings in force before are put back
// when it goes.
#pragma once

#include <algorithm>

#include "afxdc.h"

namespace kytest {

// The screen most rendering tests draw on: 1024 x 768 pixels over
// 320 x 240 mm (an 8-pixel pattern of 81 dpi is 8 pixels on it).
inline KyDisplaySettings StandardScreen(int bpp = 32) { return KyDisplaySettings{1024, 768, 320, 240, bpp, 96}; }

// A screen as large as the canvas at dpi; its physical size, in whole
// millimetres, follows from them.
inline KyDisplaySettings ScreenAtDpi(int width, int height, int bpp, int dpi) {
  return KyDisplaySettings{width, height, std::max(1, static_cast<int>(width * 25.4 / dpi + 0.5)),
                           std::max(1, static_cast<int>(height * 25.4 / dpi + 0.5)), bpp, dpi};
}

class ScreenDC {
 public:
  ScreenDC(KyDisplaySettings display, int width, int height) {
    KyGetDisplaySettings(&saved_);
    KySetDisplaySettings(&display);
    dc.CreateCompatibleDC(nullptr);
    // Compatible with the screen: a new memory DC holds a 1 x 1 monochrome
    // bitmap, and a bitmap compatible with it would be monochrome too.
    HDC screen = ::GetDC(nullptr);
    canvas.Attach(::CreateCompatibleBitmap(screen, width, height));
    ::ReleaseDC(nullptr, screen);
    old_ = dc.SelectObject(&canvas);
    dc.FillSolidRect(0, 0, width, height, RGB(0xCC, 0xCC, 0xCC));
  }
  ~ScreenDC() {
    dc.SelectObject(old_);
    KySetDisplaySettings(&saved_);
  }
  ScreenDC(const ScreenDC&) = delete;
  ScreenDC& operator=(const ScreenDC&) = delete;
  COLORREF At(int x, int y) { return dc.GetPixel(x, y); }

  CDC dc;
  CBitmap canvas;

 private:
  KyDisplaySettings saved_;
  CBitmap* old_ = nullptr;
};

}  // namespace kytest
