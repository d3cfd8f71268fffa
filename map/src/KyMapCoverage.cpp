#include "KyMapCoverage.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "KyCoverBlend.h"
#include "KyMapBand.h"
#include "KyMapSmooth.h"
#include "KyMapTypes.h"

namespace kymap {

namespace {

using kycover::Lerp;
using kycover::Mul;

inline uint32_t Load(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, 4);
  return v;
}

inline void Store(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }

}  // namespace

PictureRows PictureRows::Of(CDC& dc) {
  PictureRows rows;
  CBitmap* bitmap = dc.GetCurrentBitmap();
  BITMAP bm{};
  if (bitmap && bitmap->GetBitmap(&bm) && bm.bmBits && bm.bmBitsPixel == 32 && bm.bmHeight > 0) {
    rows.bits = static_cast<uint8_t*>(bm.bmBits);
    rows.stride = bm.bmWidthBytes;
    rows.width = bm.bmWidth;
    rows.height = bm.bmHeight;
  }
  return rows;
}

CoverageFill::CoverageFill(CDC& dc, int width, int height)
    : m_dc(dc), m_width(width), m_height(height), m_rows(PictureRows::Of(dc)) {
  // Only what lies inside both the picture and the section's rows.
  if (m_rows && (m_rows.width < width || m_rows.height < height)) m_rows = PictureRows{};
}

CoverageFill::~CoverageFill() = default;

template <typename Fn>
void CoverageFill::ForEachBand(kycover::Cover& cover, const CRect& rect, Fn fn) {
  const kycover::Rows reach = cover.Bounds();
  CRect r;
  if (cover.Empty() || !r.IntersectRect(&rect, CRect(0, 0, m_width, m_height)) ||
      !r.IntersectRect(&r, CRect(reach.left, reach.top, reach.right, reach.bottom))) {
    return;
  }
  for (int top = r.top; top < r.bottom; top += kBandRows) {
    const CRect band(r.left, top, r.right, std::min<int>(r.bottom, top + kBandRows));
    m_spans.clear();
    m_rowAt.assign(static_cast<size_t>(band.Height()) + 1, 0);
    cover.Render(kycover::Rows{band.left, band.top, band.right, band.bottom},
                 [&](int y, const kycover::Span* spans, size_t count) {
                   m_spans.insert(m_spans.end(), spans, spans + count);
                   m_rowAt[static_cast<size_t>(y - band.top) + 1] = m_spans.size();
                 });
    // Rows without spans end where the row above them ended.
    for (size_t i = 1; i < m_rowAt.size(); ++i) m_rowAt[i] = std::max(m_rowAt[i], m_rowAt[i - 1]);
    if (!m_spans.empty()) fn(band);
  }
}

template <typename Fn>
void CoverageFill::ForEachSpan(const CRect& band, Fn fn) const {
  for (int y = band.top; y < band.bottom; ++y) {
    const size_t i = static_cast<size_t>(y - band.top);
    for (size_t k = m_rowAt[i]; k < m_rowAt[i + 1]; ++k) fn(y, m_spans[k]);
  }
}

void CoverageFill::SetPath(const DevicePath& path) {
  m_cover.Clear();
  m_cover.Reserve(path.xy.size() / 2);
  m_cover.AddRings(path.xy.data(), path.sizes.data(), path.sizes.size());
}

void CoverageFill::PaintWhole(const DevicePath& path, const CRect& rect, const std::function<void()>& paint) {
  CRect r;
  if (path.Empty() || !r.IntersectRect(&rect, CRect(0, 0, m_width, m_height))) return;
  PixelBand before(m_dc, r), filled(m_dc, r);
  before.Grab(m_dc);
  paint();
  filled.Grab(m_dc);
  cairo_surface_t* to = before.Surface();
  cairo_surface_t* from = filled.Surface();
  cairo_surface_flush(to);
  cairo_surface_flush(from);
  uint8_t* out = cairo_image_surface_get_data(to);
  const uint8_t* fill = cairo_image_surface_get_data(from);
  const int stride = cairo_image_surface_get_stride(to);
  SetPath(path);
  // Rows the path does not reach keep what they held.
  ForEachBand(m_cover, r, [&](const CRect& band) {
    ForEachSpan(band, [&](int y, const kycover::Span& s) {
      const size_t row = static_cast<size_t>(y - r.top) * stride;
      for (int x = s.x0; x < s.x1; ++x) {
        const size_t i = row + 4u * (x - r.left);
        Store(out + i, s.cover == 255 ? Load(fill + i) : Lerp(Load(fill + i), Load(out + i), s.cover));
      }
    });
  });
  cairo_surface_mark_dirty(to);
  before.Put(m_dc);
}

void CoverageFill::Paint(const DevicePath& path, const CRect& rect, const std::function<void()>& paint) {
  SetPath(path);
  ForEachBand(m_cover, rect, [&](const CRect& band) {
    if (!Scan(band)) return;
    if (m_rows) {
      const int saved = m_dc.SaveDC();
      Clip(band);
      paint();
      m_dc.RestoreDC(saved);
      BlendInPlace();
    } else {
      BlendThroughCopy(band, paint);
    }
  });
}

void CoverageFill::BlendStroke(const DevicePath& path, double width, const CRect& rect, COLORREF colour, int alpha) {
  CRect r;
  if (path.Empty() || !r.IntersectRect(&rect, CRect(0, 0, m_width, m_height))) return;
  // COLORREF is 0x00BBGGRR, a 32-bit pixel 0x00RRGGBB.
  const uint32_t pixel = (static_cast<uint32_t>(GetRValue(colour)) << 16) |
                         (static_cast<uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
  const uint32_t a = static_cast<uint32_t>(std::clamp(alpha, 0, 255));
  // The pixels each ring's line can touch.
  const double reach = width / 2 + 1;
  m_rings.clear();
  size_t at = 0;
  for (int n : path.sizes) {
    const double* xy = path.xy.data() + at;
    double x0 = HUGE_VAL, y0 = HUGE_VAL, x1 = -HUGE_VAL, y1 = -HUGE_VAL;
    for (int i = 0; i < n; ++i) {
      x0 = std::min(x0, xy[2 * i]), x1 = std::max(x1, xy[2 * i]);
      y0 = std::min(y0, xy[2 * i + 1]), y1 = std::max(y1, xy[2 * i + 1]);
    }
    const CRect box(static_cast<int>(std::max(-1e9, std::floor(x0 - reach))),
                    static_cast<int>(std::max(-1e9, std::floor(y0 - reach))),
                    static_cast<int>(std::min(1e9, std::ceil(x1 + reach))),
                    static_cast<int>(std::min(1e9, std::ceil(y1 + reach))));
    CRect inside;
    if (n >= 2 && inside.IntersectRect(&box, &r)) m_rings.push_back(Ring{at, n, inside});
    at += 2 * static_cast<size_t>(n);
  }
  if (m_rings.empty()) return;
  const int w = r.Width();
  const int bandRows = std::clamp(kStrokeBandBytes / w, kBandRows, std::max(kBandRows, r.Height()));
  // Zeros either side: the blend reads whole cache lines' worth.
  m_lines.assign(static_cast<size_t>(w) * bandRows + 2 * kLinePad, 0);
  m_lineFrom.assign(bandRows, INT_MAX);
  m_lineTo.assign(bandRows, INT_MIN);
  for (int top = r.top; top < r.bottom; top += bandRows) {
    const CRect band(r.left, top, r.right, std::min<int>(r.bottom, top + bandRows));
    bool any = false;
    for (const Ring& ring : m_rings) {
      CRect rows;
      if (!rows.IntersectRect(&ring.reach, &band)) continue;
      m_ringCover.Clear();
      AddRingStroke(m_ringCover, path.xy.data() + ring.at, ring.n, width, m_scratch);
      m_ringCover.Render(kycover::Rows{rows.left, rows.top, rows.right, rows.bottom},
                         [&](int y, const kycover::Span* spans, size_t count) {
                           const size_t i = static_cast<size_t>(y - band.top);
                           uint8_t* line = m_lines.data() + kLinePad + i * w - band.left;
                           for (size_t k = 0; k < count; ++k) {
                             for (int x = spans[k].x0; x < spans[k].x1; ++x) line[x] = std::max(line[x], spans[k].cover);
                           }
                           m_lineFrom[i] = std::min(m_lineFrom[i], spans[0].x0);
                           m_lineTo[i] = std::max(m_lineTo[i], spans[count - 1].x1);
                           any = true;
                         });
    }
    if (any) BlendLines(band, pixel, a);
  }
}

void CoverageFill::BlendLines(const CRect& band, uint32_t pixel, uint32_t alpha) {
  const int w = band.Width();
  // bits: the pixel (x0, y0) of the picture and the rows from it.
  auto blendRows = [&](uint8_t* bits, int stride, int x0, int y0) {
    for (int y = band.top; y < band.bottom; ++y) {
      const size_t i = static_cast<size_t>(y - band.top);
      if (m_lineFrom[i] >= m_lineTo[i]) continue;
      uint8_t* line = m_lines.data() + kLinePad + i * w - band.left;
      uint8_t* row = bits + static_cast<size_t>(y - y0) * stride;
      const int to = m_lineTo[i];
      // The picture is long out of the cache by now, and a line's pixels
      // are a few here and there along the row: their cache lines are
      // asked for all at once, so that the waits overlap.
      for (int x = m_lineFrom[i] & ~15; x < to; x += 16) {
        uint64_t a, b;
        std::memcpy(&a, line + x, 8);
        std::memcpy(&b, line + x + 8, 8);
        if (a | b) __builtin_prefetch(row + 4 * (std::max(x, m_lineFrom[i]) - x0), 1);
      }
      for (int x = m_lineFrom[i]; x < to; ++x) {
        // Untouched pixels, eight at a time where they can be.
        while (x + 8 <= to) {
          uint64_t eight;
          std::memcpy(&eight, line + x, 8);
          if (eight != 0) break;
          x += 8;
        }
        if (x >= to) break;
        if (!line[x]) continue;
        const uint32_t share = alpha == 255 ? line[x] : Mul(line[x], alpha);
        line[x] = 0;
        if (!share) continue;
        uint8_t* px = row + 4u * (x - x0);
        Store(px, share == 255 ? pixel : Lerp(pixel, Load(px), share));
      }
      m_lineFrom[i] = INT_MAX;
      m_lineTo[i] = INT_MIN;
    }
  };
  if (m_rows) {
    blendRows(m_rows.bits, m_rows.stride, 0, 0);
    return;
  }
  PixelBand copy(m_dc, band);
  copy.Grab(m_dc);
  cairo_surface_t* s = copy.Surface();
  cairo_surface_flush(s);
  blendRows(cairo_image_surface_get_data(s), cairo_image_surface_get_stride(s), band.left, band.top);
  cairo_surface_mark_dirty(s);
  copy.Put(m_dc);
}

bool CoverageFill::Scan(const CRect& band) {
  m_runs.clear();
  m_partial.clear();
  ForEachSpan(band, [&](int y, const kycover::Span& s) {
    // Spans that touch make one run of the clip.
    if (!m_runs.empty() && m_runs.back().top == y && m_runs.back().right == s.x0) {
      m_runs.back().right = s.x1;
    } else {
      m_runs.push_back(RECT{s.x0, y, s.x1, y + 1});
    }
    if (s.cover == 255) return;
    for (int x = s.x0; x < s.x1; ++x) {
      const uint32_t before = m_rows ? Load(m_rows.bits + static_cast<size_t>(y) * m_rows.stride + 4u * x) : 0;
      m_partial.push_back({x, y, before, s.cover});
    }
  });
  return !m_runs.empty();
}

void CoverageFill::Clip(const CRect& band) {
  m_regionData.resize(sizeof(RGNDATAHEADER) + m_runs.size() * sizeof(RECT));
  RGNDATA* d = reinterpret_cast<RGNDATA*>(m_regionData.data());
  d->rdh.dwSize = sizeof(RGNDATAHEADER);
  d->rdh.iType = RDH_RECTANGLES;
  d->rdh.nCount = static_cast<DWORD>(m_runs.size());
  d->rdh.nRgnSize = static_cast<DWORD>(m_runs.size() * sizeof(RECT));
  d->rdh.rcBound = band;
  std::memcpy(d->Buffer, m_runs.data(), m_runs.size() * sizeof(RECT));
  CRgn rgn;
  if (!rgn.CreateFromData(nullptr, static_cast<int>(m_regionData.size()), d)) {
    throw MapError("the cover's region cannot be made (out of memory?)");
  }
  m_dc.SelectClipRgn(&rgn, RGN_AND);
}

void CoverageFill::BlendInPlace() {
  for (const Partial& p : m_partial) {
    uint8_t* at = m_rows.bits + static_cast<size_t>(p.y) * m_rows.stride + 4u * p.x;
    const uint32_t fill = Load(at);
    // Unchanged (outside the DC's clip, or the fill's own colour): as it is.
    if (fill != p.before) Store(at, Lerp(fill, p.before, p.cover));
  }
}

void CoverageFill::BlendThroughCopy(const CRect& band, const std::function<void()>& paint) {
  PixelBand copy(m_dc, band);
  copy.Grab(m_dc);
  cairo_surface_t* s = copy.Surface();
  cairo_surface_flush(s);
  const uint8_t* bits = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  auto pixel = [&](const Partial& p) {
    return bits + static_cast<size_t>(p.y - band.top) * stride + 4u * (p.x - band.left);
  };
  for (Partial& p : m_partial) p.before = Load(pixel(p));
  const int saved = m_dc.SaveDC();
  Clip(band);
  paint();
  m_dc.RestoreDC(saved);
  copy.Grab(m_dc);
  cairo_surface_flush(s);
  for (const Partial& p : m_partial) {
    uint8_t* at = const_cast<uint8_t*>(pixel(p));
    const uint32_t fill = Load(at);
    if (fill != p.before) Store(at, Lerp(fill, p.before, p.cover));
  }
  cairo_surface_mark_dirty(s);
  copy.Put(m_dc);
}

}  // namespace kymap
