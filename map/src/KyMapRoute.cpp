#include "KyMapRoute.h"

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

std::unique_ptr<MapRoute> MakeGdiRoute(MapPainter& painter) { return std::make_unique<GdiRoute>(painter); }

}  // namespace kymap
