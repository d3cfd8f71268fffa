#include "KyMapVector.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "KyFillStyle.h"
#include "KyLineStyleLib.h"
#include "KyMapBand.h"
#include "KyMapSmooth.h"
#include "KyMapStroke.h"
#include "KyMapView.h"
#include "afxreplacefile.h"

namespace kymap {

namespace {

std::string Reason(const CFileException& e) { return e.GetErrorMessage().str(); }

void SetColour(cairo_t* cr, COLORREF c) {
  cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

// The box the module lays a shape's tiles and gradient in: that of the
// rounded rings. False when nothing is left after rounding.
bool ShapeBox(const DevicePath& path, CRect& box) {
  std::vector<POINT> pts;
  std::vector<int> counts;
  if (RoundRings(path.xy, path.sizes, pts, counts) == 0) return false;
  box = CRect(pts[0].x, pts[0].y, pts[0].x, pts[0].y);
  for (const POINT& q : pts) {
    box.left = std::min(box.left, q.x);
    box.top = std::min(box.top, q.y);
    box.right = std::max(box.right, q.x);
    box.bottom = std::max(box.bottom, q.y);
  }
  return true;
}

}  // namespace

// ------------------------------------------------------------------ document

struct VectorDocument::Impl {
  std::string path;
  CReplacingFile file;
  std::string failure;  // the first write's reason, if one failed
  cairo_surface_t* surface = nullptr;
  cairo_t* cr = nullptr;
  int width = 0, height = 0, dpi = 0;

  static cairo_status_t Write(void* closure, const unsigned char* data, unsigned int length) {
    Impl* d = static_cast<Impl*>(closure);
    if (!d->failure.empty()) return CAIRO_STATUS_WRITE_ERROR;
    try {
      d->file.Write(data, length);
    } catch (CFileException* e) {
      d->failure = Reason(*e);
      e->Delete();
      return CAIRO_STATUS_WRITE_ERROR;
    }
    return CAIRO_STATUS_SUCCESS;
  }
  [[noreturn]] void Fail(const std::string& reason) {
    throw MapError("cannot write '" + path + "': " + reason + " (nothing was changed)");
  }
};

VectorDocument::VectorDocument(const std::string& path, VectorKind kind, int width, int height, int dpi,
                               COLORREF paper)
    : m(std::make_unique<Impl>()) {
  m->path = path;
  m->width = width;
  m->height = height;
  m->dpi = dpi;
  CFileException error;
  if (!m->file.Begin(path.c_str(), &error)) m->Fail(Reason(error));
  const double points = 72.0 / dpi;
  if (kind == VectorKind::kPdf) {
    m->surface = cairo_pdf_surface_create_for_stream(&Impl::Write, m.get(), width * points, height * points);
    cairo_pdf_surface_set_metadata(m->surface, CAIRO_PDF_METADATA_CREATOR, "kyfsl map");
  } else {
    m->surface = cairo_svg_surface_create_for_stream(&Impl::Write, m.get(), width * points, height * points);
    cairo_svg_surface_set_document_unit(m->surface, CAIRO_SVG_UNIT_PT);
  }
  m->cr = cairo_create(m->surface);
  if (cairo_status(m->cr) != CAIRO_STATUS_SUCCESS) {
    m->file.Abort();
    m->Fail("the document cannot be made (out of memory?)");
  }
  cairo_scale(m->cr, points, points);
  SetColour(m->cr, paper);
  cairo_paint(m->cr);
}

VectorDocument::~VectorDocument() {
  if (m->cr) cairo_destroy(m->cr);
  if (m->surface) cairo_surface_destroy(m->surface);
  m->file.Abort();
}

int VectorDocument::Width() const { return m->width; }
int VectorDocument::Height() const { return m->height; }
int VectorDocument::Dpi() const { return m->dpi; }

void VectorDocument::Commit() {
  cairo_destroy(m->cr);
  m->cr = nullptr;
  cairo_surface_finish(m->surface);
  const cairo_status_t status = cairo_surface_status(m->surface);
  cairo_surface_destroy(m->surface);
  m->surface = nullptr;
  if (!m->failure.empty() || status != CAIRO_STATUS_SUCCESS) {
    m->file.Abort();
    m->Fail(m->failure.empty() ? cairo_status_to_string(status) : m->failure);
  }
  try {
    m->file.Commit();
  } catch (CFileException* e) {
    const std::string reason = Reason(*e);
    e->Delete();
    m->Fail(reason);
  }
}

// --------------------------------------------------------------------- route

struct VectorRoute::Impl {
  VectorDocument& doc;
  CDC& dc;
  CKyFillStyleLib& lib;
  MapPainter& fills;
  Align align;
  bool print;
  // The classes again at full opacity (a rate is the class's opacity in the
  // document), on the same device: tiles and gradients are drawn with them.
  MapPainter opaque;
  std::vector<int> opaqueOf;
  std::vector<std::vector<DevicePath>> paths;  // one a class, or one a feature
  std::unique_ptr<CKyLineStyleLib> lines;

  Impl(VectorDocument& d, CDC& c, CKyFillStyleLib& l, MapPainter& f, Align a, bool p)
      : doc(d), dc(c), lib(l), fills(f), align(a), print(p), opaque(c, l, Align::kMap, p) {}

  cairo_t* Cr() { return doc.Internal().cr; }
  bool PerShape(int cls) const {
    const FillSpec& s = fills.Spec(cls);
    return s.gradient != 0 || (align == Align::kShape && s.style >= 8);
  }
  int Opaque(int cls) {
    if (static_cast<size_t>(cls) >= opaqueOf.size()) opaqueOf.resize(cls + 1, -1);
    if (opaqueOf[cls] < 0) {
      FillSpec s = fills.Spec(cls);
      s.rate = 100;
      s.outline.visible = false;
      opaqueOf[cls] = opaque.AddClass(s);
    }
    return opaqueOf[cls];
  }
  cairo_pattern_t* Cell(int cls);
  void FillClass(int cls);
  void Gradient(int cls, const DevicePath& path);
  void Stroke(int cls, const DevicePath& path);
};

// The class's tile as a repeating pattern of rectangles (null for no fill).
cairo_pattern_t* VectorRoute::Impl::Cell(int cls) {
  const FillSpec& want = fills.Spec(cls);
  if (want.style == 1) return nullptr;  // hollow
  if (want.style == 0) {
    return cairo_pattern_create_rgb(GetRValue(want.fore) / 255.0, GetGValue(want.fore) / 255.0,
                                    GetBValue(want.fore) / 255.0);
  }
  const int c = Opaque(cls);
  const CKyFillStyle* style = opaque.Style(c);
  // Hatches are eight pixels square on every device.
  const int w = style ? static_cast<int>(style->GetTileWidth()) : 8;
  const int h = style ? static_cast<int>(style->GetTileHeight()) : 8;
  if (w < 1 || h < 1 || w > 4096 || h > 4096) throw MapError("style " + std::to_string(want.style) + " has no tile");
  // Painted on black and on white: pixels that differ are not painted (a
  // transparent tile's background).
  FillSpec s = fills.Spec(cls);
  s.rate = 100;
  s.outline.visible = false;
  const CRect rect(0, 0, w, h);
  PixelBand on(dc, rect), black(dc, rect), white(dc, rect);
  MapPainter local(on.DC(), lib, Align::kMap, print);
  const int lc = local.AddClass(s);
  std::vector<int> counts = {4};
  auto paint = [&](COLORREF paper, PixelBand& into) {
    on.DC().FillSolidRect(0, 0, w, h, paper);
    std::vector<POINT> box = {{0, 0}, {w, 0}, {w, h}, {0, h}};
    local.FillOnly(lc, box, counts);
    cairo_surface_mark_dirty(on.Surface());
    cairo_surface_flush(on.Surface());
    into.Grab(on.DC());
    cairo_surface_flush(into.Surface());
  };
  paint(RGB(0, 0, 0), black);
  paint(RGB(0xFF, 0xFF, 0xFF), white);
  const uint32_t* a = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(black.Surface()));
  const uint32_t* b = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(white.Surface()));

  // Runs of one colour on each row, merged with the same run on the rows
  // below.
  struct Run {
    int x0, x1, y0, y1;
    uint32_t colour;
  };
  std::vector<Run> done, open, next;
  for (int y = 0; y < h; ++y) {
    next.clear();
    for (int x = 0; x < w;) {
      const uint32_t pa = a[y * w + x] & 0xFFFFFF, pb = b[y * w + x] & 0xFFFFFF;
      int e = x + 1;
      if (pa != pb) {
        while (e < w && (a[y * w + e] & 0xFFFFFF) != (b[y * w + e] & 0xFFFFFF)) ++e;
        x = e;
        continue;
      }
      while (e < w && (a[y * w + e] & 0xFFFFFF) == pa && (b[y * w + e] & 0xFFFFFF) == pa) ++e;
      next.push_back({x, e, y, y + 1, pa});
      x = e;
    }
    for (Run& r : next) {
      auto same = std::find_if(open.begin(), open.end(),
                               [&](const Run& o) { return o.x0 == r.x0 && o.x1 == r.x1 && o.colour == r.colour; });
      if (same != open.end()) {
        r.y0 = same->y0;
        open.erase(same);
      }
    }
    done.insert(done.end(), open.begin(), open.end());
    open.swap(next);
  }
  done.insert(done.end(), open.begin(), open.end());

  cairo_rectangle_t extents{0, 0, static_cast<double>(w), static_cast<double>(h)};
  cairo_surface_t* rec = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents);
  cairo_t* cr = cairo_create(rec);
  std::map<uint32_t, std::vector<const Run*>> byColour;
  for (const Run& r : done) byColour[r.colour].push_back(&r);
  for (const auto& [colour, runs] : byColour) {
    cairo_set_source_rgb(cr, ((colour >> 16) & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0, (colour & 0xFF) / 255.0);
    for (const Run* r : runs) cairo_rectangle(cr, r->x0, r->y0, r->x1 - r->x0, r->y1 - r->y0);
    cairo_fill(cr);
  }
  cairo_destroy(cr);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(rec);
  cairo_surface_destroy(rec);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
  return pattern;
}

void VectorRoute::Impl::FillClass(int cls) {
  const FillSpec& want = fills.Spec(cls);
  if (want.gradient != 0) {
    for (const DevicePath& path : paths[cls]) Gradient(cls, path);
    return;
  }
  cairo_pattern_t* pattern = Cell(cls);
  if (!pattern) return;
  cairo_t* cr = Cr();
  for (const DevicePath& path : paths[cls]) {
    if (path.Empty()) continue;
    cairo_matrix_t m;
    cairo_matrix_init_identity(&m);
    CRect box;
    if (PerShape(cls)) {
      if (!ShapeBox(path, box)) continue;
      cairo_matrix_init_translate(&m, -box.left, -box.top);
    }
    cairo_pattern_set_matrix(pattern, &m);
    cairo_save(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    AddRings(cr, path.xy.data(), path.sizes.data(), path.sizes.size());
    cairo_clip(cr);
    cairo_set_source(cr, pattern);
    if (want.rate >= 100) {
      cairo_paint(cr);
    } else {
      cairo_paint_with_alpha(cr, std::max(0L, want.rate) / 100.0);
    }
    cairo_restore(cr);
  }
  cairo_pattern_destroy(pattern);
}

// The module's gradient for the shape's box, as a picture at the device's
// resolution cut to the shape.
void VectorRoute::Impl::Gradient(int cls, const DevicePath& path) {
  CRect box, r;
  if (!ShapeBox(path, box) || !r.IntersectRect(&box, CRect(0, 0, doc.Width(), doc.Height()))) return;
  PixelBand before(dc, r), after(dc, r);
  before.Grab(dc);
  std::vector<POINT> pts = {{box.left, box.top}, {box.right, box.top}, {box.right, box.bottom}, {box.left, box.bottom}};
  std::vector<int> counts = {4};
  opaque.FillOnly(Opaque(cls), pts, counts);
  after.Grab(dc);
  before.Put(dc);
  cairo_surface_t* picture = after.Copy();
  cairo_t* cr = Cr();
  cairo_save(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  AddRings(cr, path.xy.data(), path.sizes.data(), path.sizes.size());
  cairo_clip(cr);
  cairo_set_source_surface(cr, picture, 0, 0);
  cairo_paint_with_alpha(cr, std::clamp(fills.Spec(cls).rate, 0L, 100L) / 100.0);
  cairo_restore(cr);
  cairo_surface_destroy(picture);
}

void VectorRoute::Impl::Stroke(int cls, const DevicePath& path) {
  const Outline& o = fills.Spec(cls).outline;
  const double width = o.widthMm * doc.Dpi() / 25.4;
  if (!(width > 0) || path.Empty()) return;
  CKyLineStyleObj held;
  const CKyLineStyleObj* style = nullptr;
  if (o.lineStyle >= 0) {
    if (!lines) {
      lines = std::make_unique<CKyLineStyleLib>();
      lines->CreateDefault();
    }
    const int index = lines->FindID(o.lineStyle);
    if (index >= 0) {
      held = lines->GetStyleObj(index);
      style = &held;
    }
  }
  cairo_save(Cr());
  StrokeOutline(Cr(), path, o.colour, width, style, false);
  cairo_restore(Cr());
}

VectorRoute::VectorRoute(VectorDocument& doc, CDC& dc, CKyFillStyleLib& lib, MapPainter& fills, Align align,
                         bool print)
    : m(std::make_unique<Impl>(doc, dc, lib, fills, align, print)) {}

VectorRoute::~VectorRoute() = default;

void VectorRoute::Add(int cls, const std::vector<double>& xy, const std::vector<int>& sizes) {
  if (cls < 0) return;
  if (static_cast<size_t>(cls) >= m->paths.size()) m->paths.resize(cls + 1);
  std::vector<DevicePath>& p = m->paths[cls];
  if (m->PerShape(cls) || p.empty()) p.emplace_back();
  AppendFeature(p.back(), xy, sizes);
}

void VectorRoute::Finish() {
  // Clipped to the page: a shape that runs past it ends at its edge.
  cairo_t* cr = m->Cr();
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, m->doc.Width(), m->doc.Height());
  cairo_clip(cr);
  for (size_t cls = 0; cls < m->paths.size(); ++cls) m->FillClass(static_cast<int>(cls));
  for (size_t cls = 0; cls < m->paths.size(); ++cls) {
    if (!m->fills.Spec(static_cast<int>(cls)).outline.visible) continue;
    for (const DevicePath& path : m->paths[cls]) m->Stroke(static_cast<int>(cls), path);
  }
  cairo_restore(cr);
  m->paths.clear();
}

void VectorRoute::Lines(CDC& dc, const std::vector<std::vector<POINT>>& lines, COLORREF colour, double width) {
  (void)dc;
  cairo_t* cr = m->Cr();
  cairo_save(cr);
  cairo_set_source_rgb(cr, GetRValue(colour) / 255.0, GetGValue(colour) / 255.0, GetBValue(colour) / 255.0);
  cairo_set_line_width(cr, width);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  for (const std::vector<POINT>& line : lines) {
    if (line.size() < 2) continue;
    cairo_move_to(cr, line[0].x + 0.5, line[0].y + 0.5);
    for (size_t i = 1; i < line.size(); ++i) cairo_line_to(cr, line[i].x + 0.5, line[i].y + 0.5);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
}

void VectorRoute::Overlay(CDC& dc, const CRect& rect) {
  CRect r;
  if (!r.IntersectRect(&rect, CRect(0, 0, m->doc.Width(), m->doc.Height()))) return;
  PixelBand band(dc, r);
  band.Grab(dc);
  cairo_surface_t* picture = band.Copy();
  cairo_t* cr = m->Cr();
  cairo_save(cr);
  cairo_rectangle(cr, r.left, r.top, r.Width(), r.Height());
  cairo_clip(cr);
  cairo_set_source_surface(cr, picture, 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_surface_destroy(picture);
}

}  // namespace kymap
