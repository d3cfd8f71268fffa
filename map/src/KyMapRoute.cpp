#include "KyMapRoute.h"

#include <algorithm>
#include <cmath>

#include "KyMapView.h"

namespace kymap {

namespace {

class GdiRoute : public MapRoute {
 public:
  explicit GdiRoute(MapPainter& painter) : m_painter(painter) {}
  void Add(int cls, const std::vector<double>& xy, const std::vector<int>& sizes) override {
    if (RoundRings(xy, sizes, m_pts, m_counts) > 0) m_painter.Draw(cls, m_pts, m_counts);
  }

 private:
  MapPainter& m_painter;
  std::vector<POINT> m_pts;
  std::vector<int> m_counts;
};

}  // namespace

void MapRoute::Lines(CDC& dc, const std::vector<std::vector<POINT>>& lines, COLORREF colour, double width) {
  CPen pen(PS_SOLID, std::max(1, static_cast<int>(std::lround(width))), colour);
  CPen* old = dc.SelectObject(&pen);
  for (const std::vector<POINT>& line : lines) dc.Polyline(line.data(), static_cast<int>(line.size()));
  dc.SelectObject(old);
}

std::unique_ptr<MapRoute> MakeGdiRoute(MapPainter& painter) { return std::make_unique<GdiRoute>(painter); }

}  // namespace kymap
