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
  m_mask.resize(static_cast<size_t>(std::max(width, 1)) * kBandRows);
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
    cover.Render(kycover::Rows{band.left, band.top, band.right, band.bottom}, m_mask.data(), band.Width());
    fn(band);
  }
}

void CoverageFill::SetPath(const DevicePath& path) {
  m_cover.Clear();
  m_cover.Reserve(path.xy.size() / 2);
  size_t at = 0;
  for (int n : path.sizes) {
    m_cover.AddRing(path.xy.data() + at, n);
    at += 2 * static_cast<size_t>(n);
  }
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
    for (int y = band.top; y < band.bottom; ++y) {
      const uint8_t* cov = m_mask.data() + static_cast<size_t>(y - band.top) * band.Width();
      const size_t row = static_cast<size_t>(y - r.top) * stride;
      for (int x = band.left; x < band.right; ++x) {
        const uint32_t c = cov[x - band.left];
        if (c == 0) continue;
        const size_t i = row + 4u * (x - r.left);
        Store(out + i, c == 255 ? Load(fill + i) : Lerp(Load(fill + i), Load(out + i), c));
      }
    }
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

void CoverageFill::Blend(kycover::Cover& cover, const CRect& rect, COLORREF colour, int alpha) {
  // COLORREF is 0x00BBGGRR, a 32-bit pixel 0x00RRGGBB.
  const uint32_t pixel = (static_cast<uint32_t>(GetRValue(colour)) << 16) |
                         (static_cast<uint32_t>(GetGValue(colour)) << 8) | GetBValue(colour);
  const uint32_t a = static_cast<uint32_t>(std::clamp(alpha, 0, 255));
  ForEachBand(cover, rect, [&](const CRect& band) {
    const int w = band.Width();
    auto blendRows = [&](uint8_t* bits, int stride, int x0, int y0) {
      for (int y = 0; y < band.Height(); ++y) {
        const uint8_t* cov = m_mask.data() + static_cast<size_t>(y) * w;
        uint8_t* row = bits + static_cast<size_t>(y + y0) * stride + 4u * x0;
        for (int x = 0; x < w; ++x) {
          if (!cov[x]) continue;
          const uint32_t share = a == 255 ? cov[x] : Mul(cov[x], a);
          if (share) Store(row + 4u * x, Lerp(pixel, Load(row + 4u * x), share));
        }
      }
    };
    if (m_rows) {
      blendRows(m_rows.bits, m_rows.stride, band.left, band.top);
      return;
    }
    PixelBand copy(m_dc, band);
    copy.Grab(m_dc);
    cairo_surface_t* s = copy.Surface();
    cairo_surface_flush(s);
    blendRows(cairo_image_surface_get_data(s), cairo_image_surface_get_stride(s), 0, 0);
    cairo_surface_mark_dirty(s);
    copy.Put(m_dc);
  });
}

bool CoverageFill::Scan(const CRect& band) {
  m_runs.clear();
  m_partial.clear();
  const int w = band.Width();
  const unsigned char* data = m_mask.data();
  const int stride = w;
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
