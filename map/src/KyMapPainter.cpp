#include "KyMapPainter.h"

#include <algorithm>
#include <cmath>

#include "KyEspecialFill.h"
#include "KyFillStyleLib.h"
#include "KyLineStyleLib.h"

namespace kymap {

namespace {

// The hatch of built-in fills 2..7, in their order.
int HatchOf(long style) {
  static const int kHatches[] = {HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS, HS_FDIAGONAL, HS_HORIZONTAL, HS_VERTICAL};
  return style >= 2 && style <= 7 ? kHatches[style - 2] : -1;
}

}  // namespace

struct MapPainter::Prepared {
  FillSpec spec;
  std::shared_ptr<CKyFillStyle> style;  // a prepared copy of a library style
  int outlinePx = 0;
  int lineStyle = -1;  // index in the line style library
  std::vector<POINT> closed;
  std::vector<DWORD> closedCounts;
};

MapPainter::MapPainter(CDC& dc, CKyFillStyleLib& lib, Align align, bool print, POINT origin)
    : m_dc(dc), m_lib(lib), m_align(align), m_print(print), m_originX(origin.x), m_originY(origin.y) {}

MapPainter::~MapPainter() = default;

int MapPainter::AddClass(const FillSpec& spec) {
  auto p = std::make_unique<Prepared>();
  p->spec = spec;
  if (spec.gradient == 0 && spec.style >= 8) {
    std::shared_ptr<CKyFillStyle>& prepared = m_prepared[{spec.style, spec.fore, spec.back, spec.transparent}];
    if (!prepared) {
      const long position = m_lib.FindID(spec.style);
      CKyFillStyle* record = position < 0 ? nullptr : m_lib.GetFillStyle(position);
      if (!record) {
        m_prepared.erase({spec.style, spec.fore, spec.back, spec.transparent});
        throw MapError("style " + std::to_string(spec.style) + " is not in the library");
      }
      auto style = std::make_shared<CKyFillStyle>();
      *style = *record;
      m_dc.SetBkMode(spec.transparent ? TRANSPARENT : OPAQUE);
      CSize natural(0, 0);
      if (!style->SetFillStyleEx(&m_dc, spec.fore, spec.back, natural, 1.0)) {
        m_prepared.erase({spec.style, spec.fore, spec.back, spec.transparent});
        throw MapError("style " + std::to_string(spec.style) + " cannot be prepared for this device");
      }
      Anchor(*style);
      prepared = std::move(style);
    }
    p->style = prepared;
  }
  if (spec.outline.visible) {
    const double px = spec.outline.widthMm * m_dc.GetDeviceCaps(LOGPIXELSX) / 25.4;
    p->outlinePx = std::max(1, static_cast<int>(std::lround(px)));
  }
  if (spec.outline.visible && spec.outline.lineStyle >= 0) {
    if (!m_lines) {
      m_lines = std::make_unique<CKyLineStyleLib>();
      m_lines->CreateDefault();
    }
    p->lineStyle = m_lines->FindID(spec.outline.lineStyle);
    if (p->lineStyle < 0) {
      throw MapError("line style " + std::to_string(spec.outline.lineStyle) + " is not one of the line styles (" +
                     std::to_string(CKyLineStyleLib::kFirstID) + " to " +
                     std::to_string(CKyLineStyleLib::kFirstID + m_lines->Count() - 1) + ")");
    }
  }
  m_classes.push_back(std::move(p));
  return static_cast<int>(m_classes.size() - 1);
}

const FillSpec& MapPainter::Spec(int cls) const { return m_classes.at(cls)->spec; }

const CKyFillStyle* MapPainter::Style(int cls) const { return m_classes.at(cls)->style.get(); }

int MapPainter::OutlinePixels(int cls) const { return m_classes.at(cls)->outlinePx; }

void MapPainter::Draw(int cls, std::vector<POINT>& pts, std::vector<int>& counts) {
  if (counts.empty()) return;
  Prepared& p = *m_classes.at(cls);
  Fill(p, pts, counts);
  if (p.outlinePx > 0) Stroke(p, pts, counts);
}

void MapPainter::FillOnly(int cls, std::vector<POINT>& pts, std::vector<int>& counts) {
  if (!counts.empty()) Fill(*m_classes.at(cls), pts, counts);
}

void MapPainter::Fill(Prepared& p, std::vector<POINT>& pts, std::vector<int>& counts) {
  const FillSpec& s = p.spec;
  const int n = static_cast<int>(counts.size());
  const int print = m_print ? TRUE : FALSE;
  m_dc.SetBkMode(s.transparent ? TRANSPARENT : OPAQUE);
  if (s.gradient != 0) {
    CKyEspecialFill::GradientPolyPolygon(&m_dc, pts.data(), counts.data(), n, s.fore, s.back, s.angle, s.hOffset,
                                         s.vOffset, s.gradient, print, s.rate, nullptr);
  } else if (p.style) {
    p.style->PolyPolygon(&m_dc, pts.data(), counts.data(), n, print, s.rate);
  } else if (s.style == 0) {
    CKyEspecialFill::TransparentPolyPolygon(&m_dc, pts.data(), counts.data(), n, s.fore, print, s.rate, nullptr);
  } else if (const int hatch = HatchOf(s.style); hatch >= 0) {
    // Hatch brushes are laid from the device origin, as the GDI lays them.
    CBrush brush;
    brush.CreateHatchBrush(hatch, s.fore);
    CBrush* oldBrush = m_dc.SelectObject(&brush);
    CGdiObject* oldPen = m_dc.SelectStockObject(NULL_PEN);
    const COLORREF oldBack = m_dc.SetBkColor(s.back);
    const int oldFill = m_dc.SetPolyFillMode(ALTERNATE);
    m_dc.PolyPolygon(pts.data(), counts.data(), n);
    m_dc.SetPolyFillMode(oldFill);
    m_dc.SetBkColor(oldBack);
    m_dc.SelectObject(oldPen);
    m_dc.SelectObject(oldBrush);
  }
  // Built-in fill 1 is hollow: only the outline shows.
}

void MapPainter::Stroke(Prepared& p, const std::vector<POINT>& pts, const std::vector<int>& counts) {
  // Each ring closed on its first point.
  p.closed.clear();
  p.closedCounts.clear();
  size_t at = 0;
  for (int n : counts) {
    p.closed.insert(p.closed.end(), pts.begin() + at, pts.begin() + at + n);
    p.closed.push_back(pts[at]);
    p.closedCounts.push_back(static_cast<DWORD>(n + 1));
    at += n;
  }
  if (p.lineStyle >= 0) {
    CKyLineStyleObj line = m_lines->GetStyleObj(p.lineStyle);
    line.SetLineStyle(p.outlinePx, p.spec.outline.colour);
    size_t from = 0;
    for (DWORD n : p.closedCounts) {
      line.Polyline(&m_dc, p.closed.data() + from, static_cast<int>(n));
      from += n;
    }
    return;
  }
  CPen pen(PS_SOLID, p.outlinePx, p.spec.outline.colour);
  CPen* old = m_dc.SelectObject(&pen);
  m_dc.PolyPolyline(p.closed.data(), p.closedCounts.data(), static_cast<int>(p.closedCounts.size()));
  m_dc.SelectObject(old);
}

namespace {

// v modulo a positive period, in [0, period).
LONG Phase(long long v, long period) {
  const long long r = v % period;
  return static_cast<LONG>(r < 0 ? r + period : r);
}

// Hatch brushes repeat every eight pixels.
constexpr long kHatchPeriod = 8;

}  // namespace

void MapPainter::Anchor(CKyFillStyle& style) const {
  if (m_align != Align::kMap) return;
  const POINT origin{Phase(m_originX, std::max(1L, style.GetTileWidth())),
                     Phase(m_originY, std::max(1L, style.GetTileHeight()))};
  style.SetPatternOrigin(&origin);
}

void MapPainter::SetPatternOrigin(long long x, long long y) {
  m_originX = x;
  m_originY = y;
  for (auto& [key, style] : m_prepared) Anchor(*style);
  if (m_align == Align::kMap) m_dc.SetBrushOrg(Phase(x, kHatchPeriod), Phase(y, kHatchPeriod));
}

CSize MapPainter::SwatchSize(int cls, const CSize& minimum) const {
  const Prepared& p = *m_classes.at(cls);
  CSize size = minimum;
  if (p.style) {
    // A whole tile and a pixel of its neighbours each side, so that the
    // swatch shows how the tile joins up.
    size.cx = std::max(size.cx, static_cast<LONG>(p.style->GetTileWidth() + 2));
    size.cy = std::max(size.cy, static_cast<LONG>(p.style->GetTileHeight() + 2));
  }
  return size;
}

void MapPainter::Swatch(int cls, const CRect& rect) {
  Prepared& p = *m_classes.at(cls);
  if (p.style) {
    // One tile centred in the swatch, then the map's anchor again.
    const POINT centred{static_cast<LONG>((rect.left + rect.right - p.style->GetTileWidth()) / 2),
                        static_cast<LONG>((rect.top + rect.bottom - p.style->GetTileHeight()) / 2)};
    p.style->SetPatternOrigin(&centred);
  }
  std::vector<POINT> pts = {{rect.left, rect.top}, {rect.right, rect.top}, {rect.right, rect.bottom},
                            {rect.left, rect.bottom}};
  std::vector<int> counts = {4};
  Fill(p, pts, counts);
  if (p.style) {
    p.style->SetPatternOrigin(nullptr);
    Anchor(*p.style);
  }
  CPen pen(PS_SOLID, 1, p.spec.outline.visible ? p.spec.outline.colour : RGB(0x40, 0x40, 0x40));
  CPen* old = m_dc.SelectObject(&pen);
  CGdiObject* oldBrush = m_dc.SelectStockObject(NULL_BRUSH);
  m_dc.Rectangle(&rect);
  m_dc.SelectObject(oldBrush);
  m_dc.SelectObject(old);
}

}  // namespace kymap
