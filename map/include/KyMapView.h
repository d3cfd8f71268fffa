// KyMapView: where the map's extent lands on the picture, and the sizes of
// paper. The extent is fitted into the picture with one scale on both axes
// (nothing is stretched): its shorter side grows about the centre.
//
//   map units --ToDevice--> device pixels (y down) --ClipRings--> POINTs
#pragma once

#include <string>
#include <vector>

#include "KyMapTypes.h"
#include "windef.h"

namespace kymap {

class MapView {
 public:
  // The map takes width x height pixels of the picture from (left, top).
  // Throws MapError when the extent has no area or the picture no pixels.
  MapView(const Extent& extent, int width, int height, int left = 0, int top = 0);

  const Extent& Fitted() const { return m_fitted; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  int Left() const { return m_left; }
  int Top() const { return m_top; }
  // Pixels per map unit.
  double Scale() const { return m_scale; }
  double DeviceX(double x) const { return m_left + (x - m_fitted.minX) * m_scale; }
  double DeviceY(double y) const { return m_top + (m_fitted.maxY - y) * m_scale; }
  // Whether map bounds reach into the picture.
  bool Touches(const Extent& bounds) const;
  // The rings of xy (ringSizes points each) in device pixels, each clipped
  // to the picture grown by margin pixels and rounded; rings that vanish are
  // left out. Returns the number of rings kept (counts holds their sizes).
  int ClipRings(const std::vector<double>& xy, const std::vector<int>& ringSizes, int margin,
                std::vector<POINT>& pts, std::vector<int>& counts) const;
  // The same rings cut to the same rectangle, unrounded (x, y pairs); rings
  // left with fewer than three points are dropped.
  int ClipRings(const std::vector<double>& xy, const std::vector<int>& ringSizes, int margin,
                std::vector<double>& out, std::vector<int>& counts) const;
  // A polyline of map coordinates (x, y pairs) in device pixels, cut into
  // the pieces that lie within the picture grown by margin pixels.
  void ClipLine(const std::vector<double>& xy, int margin, std::vector<std::vector<POINT>>& pieces) const;

 private:
  Extent m_fitted;
  int m_width, m_height;
  int m_left, m_top;
  double m_scale;
};

// Rings of device coordinates (x, y pairs, sizes points each) rounded to
// whole pixels as the GDI route draws them: repeated points are dropped, and
// rings left with fewer than three. Returns the number of rings kept.
int RoundRings(const std::vector<double>& xy, const std::vector<int>& sizes, std::vector<POINT>& pts,
               std::vector<int>& counts);

// The size of a paper in millimetres, portrait: A0 to A6, B4, B5, Letter,
// Legal, Tabloid (case does not matter). False for any other name.
bool PaperSize(const std::string& name, double& widthMm, double& heightMm);
// "A4" or "A4,landscape" at dpi as pixels. Throws MapError for an unknown
// paper or orientation.
void PaperPixels(const std::string& spec, int dpi, int& width, int& height);

// The largest picture a map may be: 16384 pixels a side and 1 GiB of
// 32-bit pixels. Throws MapError naming the size and the bound.
void CheckPictureSize(int width, int height);

}  // namespace kymap
