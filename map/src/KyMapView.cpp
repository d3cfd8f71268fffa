#include "KyMapView.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

#include "KyMapClip.h"

namespace kymap {

namespace {

using Pt = ClipPt;

// The conversion to whole pixels used throughout rendering: half away from
// zero.
LONG Near(double v) { return static_cast<LONG>(v > 0 ? v + 0.5 : v - 0.5); }

}  // namespace

MapView::MapView(const Extent& extent, int width, int height, int left, int top)
    : m_width(width), m_height(height), m_left(left), m_top(top) {
  if (!extent.HasArea()) throw MapError("the extent has no area");
  if (width < 1 || height < 1) throw MapError("the picture has no pixels");
  m_scale = std::min(width / extent.Width(), height / extent.Height());
  const double cx = (extent.minX + extent.maxX) / 2, cy = (extent.minY + extent.maxY) / 2;
  const double hw = width / m_scale / 2, hh = height / m_scale / 2;
  m_fitted = Extent{cx - hw, cy - hh, cx + hw, cy + hh};
  if (!m_fitted.HasArea() || !std::isfinite(m_scale) || m_scale <= 0) throw MapError("the extent has no area");
}

bool MapView::Touches(const Extent& b) const {
  return b.maxX >= m_fitted.minX && b.minX <= m_fitted.maxX && b.maxY >= m_fitted.minY && b.minY <= m_fitted.maxY;
}

int MapView::ClipRings(const std::vector<double>& xy, const std::vector<int>& ringSizes, int margin,
                       std::vector<double>& out, std::vector<int>& counts) const {
  out.clear();
  counts.clear();
  const double left = m_left - margin, top = m_top - margin;
  const double right = m_left + m_width + margin, bottom = m_top + m_height + margin;
  std::vector<Pt> ring, scratch;
  size_t at = 0;
  for (int n : ringSizes) {
    ring.clear();
    for (int i = 0; i < n; ++i, at += 2) ring.push_back(Pt{DeviceX(xy[at]), DeviceY(xy[at + 1])});
    // Each ring is cut to the rectangle on its own: inside the rectangle the
    // alternate rule counts the same crossings as before.
    ClipEdge(ring, scratch, [&](const Pt& p) { return p.x >= left; },
             [&](const Pt& a, const Pt& b) { return Pt{left, a.y + (b.y - a.y) * (left - a.x) / (b.x - a.x)}; });
    ClipEdge(ring, scratch, [&](const Pt& p) { return p.x <= right; },
             [&](const Pt& a, const Pt& b) { return Pt{right, a.y + (b.y - a.y) * (right - a.x) / (b.x - a.x)}; });
    ClipEdge(ring, scratch, [&](const Pt& p) { return p.y >= top; },
             [&](const Pt& a, const Pt& b) { return Pt{a.x + (b.x - a.x) * (top - a.y) / (b.y - a.y), top}; });
    ClipEdge(ring, scratch, [&](const Pt& p) { return p.y <= bottom; },
             [&](const Pt& a, const Pt& b) { return Pt{a.x + (b.x - a.x) * (bottom - a.y) / (b.y - a.y), bottom}; });
    if (ring.size() < 3) continue;
    for (const Pt& p : ring) {
      out.push_back(p.x);
      out.push_back(p.y);
    }
    counts.push_back(static_cast<int>(ring.size()));
  }
  return static_cast<int>(counts.size());
}

int MapView::ClipRings(const std::vector<double>& xy, const std::vector<int>& ringSizes, int margin,
                       std::vector<POINT>& pts, std::vector<int>& counts) const {
  std::vector<double> exact;
  std::vector<int> sizes;
  ClipRings(xy, ringSizes, margin, exact, sizes);
  return RoundRings(exact, sizes, pts, counts);
}

int RoundRings(const std::vector<double>& xy, const std::vector<int>& sizes, std::vector<POINT>& pts,
               std::vector<int>& counts) {
  pts.clear();
  counts.clear();
  size_t at = 0;
  for (int n : sizes) {
    const size_t first = pts.size();
    for (int i = 0; i < n; ++i, at += 2) {
      const POINT q{Near(xy[at]), Near(xy[at + 1])};
      if (pts.size() > first && pts.back().x == q.x && pts.back().y == q.y) continue;
      pts.push_back(q);
    }
    while (pts.size() > first + 1 && pts.back().x == pts[first].x && pts.back().y == pts[first].y) pts.pop_back();
    if (pts.size() - first < 3) {
      pts.resize(first);
      continue;
    }
    counts.push_back(static_cast<int>(pts.size() - first));
  }
  return static_cast<int>(counts.size());
}

void MapView::ClipLine(const std::vector<double>& xy, int margin, std::vector<std::vector<POINT>>& pieces) const {
  const double x0 = m_left - margin, y0 = m_top - margin;
  const double x1 = m_left + m_width + margin, y1 = m_top + m_height + margin;
  std::vector<POINT> piece;
  auto flush = [&] {
    if (piece.size() >= 2) pieces.push_back(piece);
    piece.clear();
  };
  for (size_t i = 0; i + 3 < xy.size(); i += 2) {
    // Liang-Barsky: the part of the segment a-b inside the rectangle.
    const double ax = DeviceX(xy[i]), ay = DeviceY(xy[i + 1]);
    const double dx = DeviceX(xy[i + 2]) - ax, dy = DeviceY(xy[i + 3]) - ay;
    double t0 = 0, t1 = 1;
    bool inside = true;
    const double p[4] = {-dx, dx, -dy, dy}, q[4] = {ax - x0, x1 - ax, ay - y0, y1 - ay};
    for (int k = 0; k < 4 && inside; ++k) {
      if (p[k] == 0) {
        inside = q[k] >= 0;
      } else if (p[k] < 0) {
        t0 = std::max(t0, q[k] / p[k]);
      } else {
        t1 = std::min(t1, q[k] / p[k]);
      }
    }
    if (!inside || t0 > t1) {
      flush();
      continue;
    }
    const POINT a{Near(ax + t0 * dx), Near(ay + t0 * dy)}, b{Near(ax + t1 * dx), Near(ay + t1 * dy)};
    if (piece.empty() || piece.back().x != a.x || piece.back().y != a.y) {
      flush();
      piece.push_back(a);
    }
    piece.push_back(b);
    if (t1 < 1) flush();
  }
  flush();
}

bool PaperSize(const std::string& name, double& widthMm, double& heightMm) {
  static const struct {
    const char* name;
    double w, h;
  } kPapers[] = {
      {"a0", 841, 1189}, {"a1", 594, 841},     {"a2", 420, 594},     {"a3", 297, 420},
      {"a4", 210, 297},  {"a5", 148, 210},     {"a6", 105, 148},     {"b4", 250, 353},
      {"b5", 176, 250},  {"letter", 215.9, 279.4}, {"legal", 215.9, 355.6}, {"tabloid", 279.4, 431.8},
  };
  std::string lower;
  for (char c : name) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const auto& p : kPapers) {
    if (lower == p.name) {
      widthMm = p.w;
      heightMm = p.h;
      return true;
    }
  }
  return false;
}

void PaperPixels(const std::string& spec, int dpi, int& width, int& height) {
  const size_t comma = spec.find(',');
  const std::string name = spec.substr(0, comma);
  const std::string orientation = comma == std::string::npos ? "portrait" : spec.substr(comma + 1);
  std::string word;  // words are taken in any case
  for (char c : orientation) word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  double w = 0, h = 0;
  if (!PaperSize(name, w, h)) {
    throw MapError("unknown paper '" + name + "' (A0 to A6, B4, B5, Letter, Legal, Tabloid)");
  }
  if (word == "landscape") {
    std::swap(w, h);
  } else if (word != "portrait") {
    throw MapError("paper orientation '" + orientation + "' is not portrait or landscape");
  }
  width = static_cast<int>(std::lround(w / 25.4 * dpi));
  height = static_cast<int>(std::lround(h / 25.4 * dpi));
}

void CheckPictureSize(int width, int height) {
  constexpr long long kMaxSide = 16384, kMaxBytes = 1LL << 30;
  const long long bytes = 4LL * width * height;
  if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide || bytes > kMaxBytes) {
    throw MapError("a picture of " + std::to_string(width) + " x " + std::to_string(height) +
                   " pixels is past the bound of 16384 pixels a side and 1 GiB (a smaller paper, size or dpi)");
  }
}

}  // namespace kymap
