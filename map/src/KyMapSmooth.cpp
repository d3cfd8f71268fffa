#include "KyMapSmooth.h"

#include <algorithm>
#include <cmath>

#include "KyLineStyleLib.h"
#include "KyMapBand.h"
#include "KyMapCoverage.h"
#include "KyMapStroke.h"
#include "KyMapView.h"

namespace kymap {

namespace {

// Twice the signed area; positive for a ring running clockwise on a screen
// with y down.
double Area2(const double* xy, int n) {
  double sum = 0;
  for (int i = 0, j = n - 1; i < n; j = i++) sum += xy[2 * j] * xy[2 * i + 1] - xy[2 * i] * xy[2 * j + 1];
  return sum;
}

// Whether (x, y) is inside the ring by the alternate rule.
bool Inside(const double* xy, int n, double x, double y) {
  bool in = false;
  for (int i = 0, j = n - 1; i < n; j = i++) {
    const double xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
    if ((yi > y) != (yj > y) && x < xj + (xi - xj) * (y - yj) / (yi - yj)) in = !in;
  }
  return in;
}

// The bounding box of the path's points, or false for none.
bool Bounds(const DevicePath& path, double& x0, double& y0, double& x1, double& y1) {
  if (path.xy.empty()) return false;
  x0 = x1 = path.xy[0];
  y0 = y1 = path.xy[1];
  for (size_t i = 0; i + 1 < path.xy.size(); i += 2) {
    x0 = std::min(x0, path.xy[i]);
    x1 = std::max(x1, path.xy[i]);
    y0 = std::min(y0, path.xy[i + 1]);
    y1 = std::max(y1, path.xy[i + 1]);
  }
  return true;
}

}  // namespace

void AppendFeature(DevicePath& path, const std::vector<double>& xy, const std::vector<int>& sizes) {
  std::vector<size_t> starts;
  size_t at = 0;
  for (int n : sizes) {
    starts.push_back(at);
    at += 2 * static_cast<size_t>(std::max(n, 0));
  }
  for (size_t r = 0; r < sizes.size(); ++r) {
    const int n = sizes[r];
    if (n < 3) continue;
    const double* ring = xy.data() + starts[r];
    int depth = 0;
    for (size_t o = 0; o < sizes.size() && sizes.size() > 1; ++o) {
      if (o != r && sizes[o] >= 3 && Inside(xy.data() + starts[o], sizes[o], ring[0], ring[1])) ++depth;
    }
    const bool clockwise = depth % 2 == 0;
    const bool reverse = (Area2(ring, n) > 0) != clockwise;
    for (int i = 0; i < n; ++i) {
      const int k = reverse ? n - 1 - i : i;
      path.xy.push_back(ring[2 * k]);
      path.xy.push_back(ring[2 * k + 1]);
    }
    path.sizes.push_back(n);
    path.reversed.push_back(reverse);
  }
}

struct SmoothRoute::Class {
  std::vector<DevicePath> paths;  // one for a class painted whole, else one a feature
};

SmoothRoute::SmoothRoute(CDC& dc, MapPainter& fills, Align align, int width, int height)
    : m_dc(dc),
      m_fills(fills),
      m_align(align),
      m_width(width),
      m_height(height),
      m_pixelsPerMm(dc.GetDeviceCaps(LOGPIXELSX) / 25.4) {}

SmoothRoute::~SmoothRoute() = default;

bool SmoothRoute::PerShape(int cls) const {
  const FillSpec& s = m_fills.Spec(cls);
  return s.gradient != 0 || (m_align == Align::kShape && s.style >= 8);
}

void SmoothRoute::Add(int cls, const std::vector<double>& xy, const std::vector<int>& sizes) {
  if (cls < 0) return;
  if (static_cast<size_t>(cls) >= m_classes.size()) m_classes.resize(cls + 1);
  Class& c = m_classes[cls];
  if (PerShape(cls) || c.paths.empty()) c.paths.emplace_back();
  AppendFeature(c.paths.back(), xy, sizes);
}

void SmoothRoute::Finish() {
  for (size_t cls = 0; cls < m_classes.size(); ++cls) {
    const bool perShape = PerShape(static_cast<int>(cls));
    for (const DevicePath& path : m_classes[cls].paths) {
      if (path.Empty()) continue;
      CRect box;
      if (perShape) {
        // The box the module lays a shape's tiles and gradient in: that of
        // the rounded rings the GDI route draws.
        std::vector<POINT> pts;
        std::vector<int> counts;
        if (RoundRings(path.xy, path.sizes, pts, counts) == 0) continue;
        box = CRect(pts[0].x, pts[0].y, pts[0].x, pts[0].y);
        for (const POINT& q : pts) {
          box.left = std::min(box.left, q.x);
          box.top = std::min(box.top, q.y);
          box.right = std::max(box.right, q.x);
          box.bottom = std::max(box.bottom, q.y);
        }
      } else {
        double x0, y0, x1, y1;
        Bounds(path, x0, y0, x1, y1);
        box = CRect(static_cast<int>(std::floor(x0)) - 1, static_cast<int>(std::floor(y0)) - 1,
                    static_cast<int>(std::ceil(x1)) + 1, static_cast<int>(std::ceil(y1)) + 1);
      }
      Composite(static_cast<int>(cls), path, box);
    }
  }
  for (size_t cls = 0; cls < m_classes.size(); ++cls) {
    if (!m_fills.Spec(static_cast<int>(cls)).outline.visible) continue;
    for (const DevicePath& path : m_classes[cls].paths) Stroke(static_cast<int>(cls), path);
  }
  m_classes.clear();
}

void SmoothRoute::Composite(int cls, const DevicePath& path, const CRect& fillBox) {
  std::vector<POINT> box = {{fillBox.left, fillBox.top},
                            {fillBox.right, fillBox.top},
                            {fillBox.right, fillBox.bottom},
                            {fillBox.left, fillBox.bottom}};
  std::vector<int> counts = {4};
  const FillSpec& s = m_fills.Spec(cls);
  if (s.gradient == 0 && s.style != 0) {
    // The library's patterns and the hatches fill through the DC's clip:
    // they are painted only where the path is, band by band.
    if (!m_cover) m_cover = std::make_unique<CoverageFill>(m_dc, m_width, m_height);
    m_cover->Paint(path, fillBox, [&] { m_fills.FillOnly(cls, box, counts); });
    return;
  }
  // Gradients and the plain colour set a clip of their own: the whole box
  // is filled, and what the path leaves is put back.
  if (!m_cover) m_cover = std::make_unique<CoverageFill>(m_dc, m_width, m_height);
  m_cover->PaintWhole(path, fillBox, [&] { m_fills.FillOnly(cls, box, counts); });
}

void SmoothRoute::Stroke(int cls, const DevicePath& path) {
  const Outline& o = m_fills.Spec(cls).outline;
  const double width = o.widthMm * m_pixelsPerMm;
  if (!(width > 0) || path.Empty()) return;
  const CKyLineStyleObj* style = nullptr;
  CKyLineStyleObj held;
  if (o.lineStyle >= 0) {
    if (!m_lines) {
      m_lines = std::make_unique<CKyLineStyleLib>();
      m_lines->CreateDefault();
    }
    const int index = m_lines->FindID(o.lineStyle);
    if (index >= 0) {
      held = m_lines->GetStyleObj(index);
      style = &held;
    }
  }
  const double reach = OutlineReach(width, style);
  double x0, y0, x1, y1;
  Bounds(path, x0, y0, x1, y1);
  const int grow = static_cast<int>(std::ceil(reach)) + 2;
  CRect r;
  const CRect around(static_cast<int>(std::floor(x0)) - grow, static_cast<int>(std::floor(y0)) - grow,
                     static_cast<int>(std::ceil(x1)) + grow, static_cast<int>(std::ceil(y1)) + grow);
  if (!r.IntersectRect(&around, CRect(0, 0, m_width, m_height))) return;
  if (!style) {
    // A plain line: its polygons' cover, exact under whole-pixel moves. On
    // pixels a line thinner than a pixel is a pixel wide at that opacity.
    if (!m_cover) m_cover = std::make_unique<CoverageFill>(m_dc, m_width, m_height);
    m_cover->BlendStroke(path, std::max(1.0, width), r, o.colour, static_cast<int>(std::lround(255 * std::min(1.0, width))));
    return;
  }
  const PictureRows rows = PictureRows::Of(m_dc);
  CRgn clip;
  clip.CreateRectRgn(0, 0, 0, 0);
  if (rows && rows.width >= m_width && rows.height >= m_height && ::GetClipRgn(m_dc.GetSafeHdc(), clip) == 0) {
    // Straight onto the picture's own rows.
    cairo_surface_t* s =
        cairo_image_surface_create_for_data(rows.bits, CAIRO_FORMAT_RGB24, m_width, m_height, rows.stride);
    cairo_t* cr = cairo_create(s);
    cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
    cairo_clip(cr);
    StrokeOutline(cr, path, o.colour, width, style, true);
    cairo_destroy(cr);
    cairo_surface_flush(s);
    cairo_surface_destroy(s);
    return;
  }
  PixelBand band(m_dc, r);
  band.Grab(m_dc);
  cairo_t* cr = cairo_create(band.Surface());
  StrokeOutline(cr, path, o.colour, width, style, true);
  cairo_destroy(cr);
  band.Put(m_dc);
}

}  // namespace kymap
