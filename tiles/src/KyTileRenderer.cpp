#include "KyTileRenderer.h"

#include <algorithm>

#include "KyMapRoute.h"
#include "KyMapSmooth.h"
#include "KyTilePng.h"

namespace kytiles {

namespace {

// Rings are kept whole this far past the picture; a cut vertex further out
// is rounded, which can move the cut edge by part of a pixel inside.
constexpr int kClipMargin = 1024;
// The least buffer around a metatile.
constexpr int kMinBuffer = 16;
// Smooth edges keep vertices to an eighth of a pixel; the GDI's route draws
// whole pixels.
constexpr int kSmoothSteps = 8;
// Smooth covers are exact under whole-pixel moves, so every metatile must
// see the same edges inside it: rings are cut only this far out (past the
// world's width up to zoom 16), where a cut vertex's rounding cannot reach
// a sample inside.
constexpr int kSmoothMargin = 1 << 24;

}  // namespace

std::vector<Metatile> MetatilesOf(int z, const TileRange& range, int size) {
  std::vector<Metatile> out;
  if (range.Empty()) return out;
  for (int64_t y = range.y0 / size; y <= range.y1 / size; ++y) {
    for (int64_t x = range.x0 / size; x <= range.x1 / size; ++x) out.push_back(Metatile{z, x, y});
  }
  return out;
}

TileRange TilesOfMetatile(const Metatile& m, int size, const TileRange& range) {
  return TileRange{std::max(range.x0, m.x * size), std::max(range.y0, m.y * size),
                   std::min(range.x1, m.x * size + size - 1), std::min(range.y1, m.y * size + size - 1)};
}

TileRenderer::TileRenderer(const TileSetup& setup, CKyFillStyleLib& lib)
    : m_setup(setup), m_layer(setup.data), m_canvas(setup.Dpi()) {
  m_layer.RequirePolygons();
  m_layer.SetTargetCrs("EPSG:3857");
  m_lonLat = m_layer.SourceIsWgs84LonLat();
  if (!m_setup.rules.field.empty()) m_layer.RequireField(m_setup.rules.field);
  m_setup.rules.Index();
  // The classes are prepared on the device's own format.
  m_canvas.Clear(m_setup.TilePixels(), m_setup.TilePixels(), m_setup.background);
  m_painter = std::make_unique<kymap::MapPainter>(m_canvas.DC(), lib, kymap::Align::kMap, false);
  for (const auto& [value, spec] : m_setup.rules.classes) {
    m_outlineMax = std::max(m_outlineMax, m_painter->OutlinePixels(m_painter->AddClass(spec)));
  }
  m_fallback = m_painter->AddClass(m_setup.rules.fallback);
  m_outlineMax = std::max(m_outlineMax, m_painter->OutlinePixels(m_fallback));
  m_buffer = std::max(kMinBuffer, m_outlineMax + 2);
}

TileRenderer::~TileRenderer() = default;

void TileRenderer::Draw(const PictureFrame& frame, DrawCounts& counts) {
  m_canvas.Clear(frame.width, frame.height, m_setup.background);
  m_painter->SetPatternOrigin(-frame.px0, -frame.py0);
  std::unique_ptr<kymap::MapRoute> route;
  if (m_setup.antialias) {
    route = std::make_unique<kymap::SmoothRoute>(m_canvas.DC(), *m_painter, kymap::Align::kMap, frame.width,
                                                 frame.height);
  } else {
    route = kymap::MakeGdiRoute(*m_painter);
  }
  TileGeometry geometry(frame, m_setup.antialias ? kSmoothMargin : std::max(kClipMargin, m_buffer),
                        m_setup.antialias ? kSmoothSteps : 1);
  // Features just outside the picture still reach into it with their outline.
  const Extent filter = geometry.FilterExtent(m_outlineMax + 2);
  m_layer.SetSpatialFilter(&filter);
  // Features on one pixel are counted before they are projected, where
  // their degrees tell it plainly.
  if (m_lonLat) {
    m_layer.SetEarlyTooSmall([&](const Extent& lonLat) {
      if (!geometry.PlainlyBelowAPixel(lonLat)) return false;
      ++counts.belowPixel;
      return true;
    });
  }
  m_layer.ForEachPolygon(
      m_setup.rules.field,
      [&](const kymap::PolygonFeature& f) {
        using Drawn = kymap::Layer::Drawn;
        if (geometry.BelowAPixel(f)) {
          ++counts.belowPixel;
          return Drawn::kTooSmall;
        }
        if (geometry.Rings(f, m_xy, m_sizes) == 0) return Drawn::kOutside;
        const int c = m_setup.rules.ClassOf(f.value, f.valueIsNull);
        route->Add(c < 0 ? m_fallback : c, m_xy, m_sizes);
        return Drawn::kDrawn;
      },
      counts.features);
  m_layer.SetSpatialFilter(nullptr);
  m_layer.SetEarlyTooSmall({});
  route->Finish();
}

std::vector<TileImage> TileRenderer::Render(const Metatile& m, const TileRange& range, DrawCounts& counts) {
  const TileRange t = TilesOfMetatile(m, m_setup.metatile, range);
  std::vector<TileImage> out;
  if (t.Empty()) return out;
  const int tp = m_setup.TilePixels();
  PictureFrame frame;
  frame.z = m.z;
  frame.tilePixels = tp;
  frame.px0 = t.x0 * tp - m_buffer;
  frame.py0 = t.y0 * tp - m_buffer;
  frame.width = static_cast<int>(t.x1 - t.x0 + 1) * tp + 2 * m_buffer;
  frame.height = static_cast<int>(t.y1 - t.y0 + 1) * tp + 2 * m_buffer;
  const long long drawnBefore = counts.features.drawn;
  Draw(frame, counts);
  const bool anything = counts.features.drawn > drawnBefore;
  const uint32_t background = m_setup.background & 0xFFFFFF;
  // COLORREF is 0x00BBGGRR, the pixels 0x00RRGGBB.
  const uint32_t paper = ((background & 0xFF) << 16) | (background & 0xFF00) | ((background >> 16) & 0xFF);
  for (int64_t y = t.y0; y <= t.y1; ++y) {
    for (int64_t x = t.x0; x <= t.x1; ++x) {
      TileImage image;
      image.id = TileId{m.z, x, y};
      const uint32_t* first = Pixels() + static_cast<size_t>(m_buffer + (y - t.y0) * tp) * Stride() +
                              static_cast<size_t>(m_buffer + (x - t.x0) * tp);
      bool blank = true;
      for (int row = 0; anything && blank && row < tp; ++row) {
        const uint32_t* p = first + static_cast<size_t>(row) * Stride();
        blank = std::all_of(p, p + tp, [paper](uint32_t v) { return (v & 0xFFFFFF) == paper; });
      }
      if (!blank) image.png = EncodePng(first, Stride(), tp, tp);
      out.push_back(std::move(image));
    }
  }
  return out;
}

std::vector<uint8_t> TileRenderer::Swatch(int cls, int width, int height) {
  m_canvas.Clear(width, height, m_setup.background);
  m_painter->SetPatternOrigin(0, 0);
  m_painter->Swatch(cls, CRect(0, 0, width, height));
  return EncodePng(Pixels(), Stride(), width, height);
}

}  // namespace kytiles
