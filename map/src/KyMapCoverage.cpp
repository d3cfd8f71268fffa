#include "KyMapCoverage.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "KyMapBand.h"
#include "KyMapSmooth.h"
#include "KyMapTypes.h"

namespace kymap {

namespace {

// a * b / 255, rounded as pixman rounds it.
inline uint32_t Mul(uint32_t a, uint32_t b) {
  const uint32_t t = a * b + 0x80;
  return (t + (t >> 8)) >> 8;
}

// fill over before by cover, byte by byte.
inline uint32_t Lerp(uint32_t fill, uint32_t before, uint32_t cover) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t f = (fill >> shift) & 0xFF, b = (before >> shift) & 0xFF;
    out |= (Mul(f, cover) + Mul(b, 255 - cover)) << shift;
  }
  return out;
}

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
  m_mask = cairo_image_surface_create(CAIRO_FORMAT_A8, std::max(width, 1), kBandRows);
  if (cairo_surface_status(m_mask) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(m_mask);
    throw MapError("a mask of " + std::to_string(width) + " x " + std::to_string(kBandRows) +
                   " pixels cannot be made (out of memory?)");
  }
}

CoverageFill::~CoverageFill() { cairo_surface_destroy(m_mask); }

void CoverageFill::Paint(const DevicePath& path, const CRect& rect, const std::function<void()>& paint) {
  CRect r;
  if (path.Empty() || !r.IntersectRect(&rect, CRect(0, 0, m_width, m_height))) return;
  // Each ring's rows: a band is drawn with the rings that reach it only (a
  // ring above or below a band crosses none of its rows, so leaves their
  // winding numbers alone).
  struct Ring {
    size_t at;
    int n;
    double top, bottom;
  };
  std::vector<Ring> rings;
  rings.reserve(path.sizes.size());
  size_t at = 0;
  for (int n : path.sizes) {
    Ring ring{at, n, path.xy[at + 1], path.xy[at + 1]};
    for (int i = 1; i < n; ++i) {
      ring.top = std::min(ring.top, path.xy[at + 2 * i + 1]);
      ring.bottom = std::max(ring.bottom, path.xy[at + 2 * i + 1]);
    }
    rings.push_back(ring);
    at += 2 * static_cast<size_t>(n);
  }
  unsigned char* data = cairo_image_surface_get_data(m_mask);
  const int stride = cairo_image_surface_get_stride(m_mask);
  for (int top = r.top; top < r.bottom; top += kBandRows) {
    const CRect band(r.left, top, r.right, std::min<int>(r.bottom, top + kBandRows));
    cairo_surface_flush(m_mask);
    for (int y = 0; y < band.Height(); ++y) std::memset(data + y * stride, 0, band.Width());
    cairo_surface_mark_dirty(m_mask);
    cairo_surface_set_device_offset(m_mask, -band.left, -band.top);
    cairo_t* cr = cairo_create(m_mask);
    cairo_rectangle(cr, band.left, band.top, band.Width(), band.Height());
    cairo_clip(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    bool any = false;
    for (const Ring& ring : rings) {
      if (ring.bottom < band.top || ring.top > band.bottom) continue;
      AddRings(cr, path.xy.data() + ring.at, &ring.n, 1);
      any = true;
    }
    if (any) cairo_fill(cr);
    const cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    if (status != CAIRO_STATUS_SUCCESS) throw MapError(std::string("the cover cannot be drawn: ") +
                                                       cairo_status_to_string(status));
    cairo_surface_flush(m_mask);
    if (!any || !Scan(band)) continue;
    if (m_rows) {
      const int saved = m_dc.SaveDC();
      Clip(band);
      paint();
      m_dc.RestoreDC(saved);
      BlendInPlace();
    } else {
      BlendThroughCopy(band, paint);
    }
  }
}

bool CoverageFill::Scan(const CRect& band) {
  m_runs.clear();
  m_partial.clear();
  const unsigned char* data = cairo_image_surface_get_data(m_mask);
  const int stride = cairo_image_surface_get_stride(m_mask);
  const int w = band.Width();
  for (int y = 0; y < band.Height(); ++y) {
    const unsigned char* row = data + y * stride;
    const int py = band.top + y;
    int x = 0;
    while (x < w) {
      // Untouched pixels, eight at a time where they can be.
      while (x + 8 <= w) {
        uint64_t v;
        std::memcpy(&v, row + x, 8);
        if (v != 0) break;
        x += 8;
      }
      while (x < w && row[x] == 0) ++x;
      if (x == w) break;
      const int start = x;
      while (x < w && row[x] != 0) {
        if (row[x] != 0xFF) {
          uint32_t before = 0;
          if (m_rows) before = Load(m_rows.bits + static_cast<size_t>(py) * m_rows.stride + 4u * (band.left + x));
          m_partial.push_back({band.left + x, py, before, row[x]});
        }
        ++x;
      }
      m_runs.push_back(RECT{band.left + start, py, band.left + x, py + 1});
    }
  }
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
