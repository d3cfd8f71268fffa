// Small GeoJSON layers written by the tests, and a screen DC of any depth
// to draw maps on.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "afxdc.h"
#include "screen_dc.h"

namespace kymaptest {

// A folder of its own for the test's files, removed afterwards.
class TempDir {
 public:
  TempDir() {
    char name[] = "/tmp/kymap-test-XXXXXX";
    path_ = ::mkdtemp(name);
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  std::string Write(const std::string& file, const std::string& text) const {
    const std::string p = path_ + "/" + file;
    std::ofstream(p) << text;
    return p;
  }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// A FeatureCollection of features given as {"properties": ..., "geometry": ...} bodies.
inline std::string Collection(const std::string& features) {
  return R"({"type": "FeatureCollection", "crs": {"type": "name", "properties": {"name": "urn:ogc:def:crs:EPSG::3857"}},
  "features": [)" + features + "]}";
}

inline std::string Feature(const std::string& properties, const std::string& geometry) {
  return R"({"type": "Feature", "properties": )" + properties + R"(, "geometry": )" + geometry + "}";
}

inline std::string Box(double x0, double y0, double x1, double y1) {
  char text[256];
  std::snprintf(text, sizeof text, "[[%g, %g], [%g, %g], [%g, %g], [%g, %g], [%g, %g]]", x0, y0, x1, y0, x1, y1, x0,
                y1, x0, y0);
  return text;
}

// A simulated screen at the given depth and resolution with a memory DC on
// a canvas of width x height, pre-filled with 0xCC grey.
class Screen : public kytest::ScreenDC {
 public:
  Screen(int width, int height, int bpp = 32, int dpi = 96)
      : ScreenDC(kytest::ScreenAtDpi(width, height, bpp, dpi), width, height) {}
  // A section screen may be held as a screen.
  virtual ~Screen() = default;
};

// A 32-bit screen whose canvas is a DIB section (kyfsl map's own canvas),
// whose rows the anti-aliased route reads and writes in place.
class SectionScreen : public Screen {
 public:
  SectionScreen(int width, int height, int dpi = 96) : Screen(width, height, 32, dpi) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    section.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    dc.SelectObject(&section);
    dc.FillSolidRect(0, 0, width, height, RGB(0xCC, 0xCC, 0xCC));
  }
  ~SectionScreen() { dc.SelectObject(&canvas); }
  CBitmap section;
};

}  // namespace kymaptest
