// Small checks shared by the window-system tests: screen pixels, whole
// rectangles in one assert, and the folder for pictures a person looks at.
#pragma once

#include <array>
#include <cstdlib>
#include <string>

#include "dialog_harness.h"

namespace kytest {

// A colour as the screen holds it (0x00RRGGBB).
inline DWORD ScreenPixel(COLORREF c) {
  return static_cast<DWORD>(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
}

// The screen's pixel at a point in screen coordinates.
inline DWORD PixelAt(POINT p) { return DialogHarness::Capture(RECT{p.x, p.y, p.x + 1, p.y + 1})[0]; }

// The four edges of a rectangle, so that one assert compares and prints them all.
inline std::array<LONG, 4> Edges(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

inline std::array<LONG, 4> WindowEdges(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return Edges(r);
}

// The window's rectangle in the client coordinates of another window.
inline std::array<LONG, 4> EdgesIn(HWND h, HWND other) {
  RECT r{};
  GetWindowRect(h, &r);
  MapWindowPoints(nullptr, other, reinterpret_cast<POINT*>(&r), 2);
  return Edges(r);
}

inline std::array<LONG, 4> ClientEdges(HWND h) {
  RECT r{};
  GetClientRect(h, &r);
  return Edges(r);
}

// $KY_TEST_DUMPS or test-dumps/, made when missing.
inline std::string DumpDir() {
  std::string dir = std::getenv("KY_TEST_DUMPS") ? std::getenv("KY_TEST_DUMPS") : "test-dumps";
  (void)std::system(("mkdir -p " + dir).c_str());
  return dir;
}

}  // namespace kytest
