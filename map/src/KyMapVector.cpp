#include "KyMapVector.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "KyFillStyle.h"
#include "KyFillStyleVector.h"
#include "KyLineStyleLib.h"
#include "KyMapBand.h"
#include "KyMapSmooth.h"
#include "KyMapStroke.h"
#include "KyMapView.h"
#include "KyStrokePainter.h"
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

// The number written at text[at...], its end in end; false when there is
// none.
bool NumberAt(const std::string& text, size_t at, double& value, size_t& end) {
  while (at < text.size() && text[at] == ' ') ++at;
  const char* begin = text.c_str() + at;
  char* stop = nullptr;
  value = std::strtod(begin, &stop);
  if (stop == begin) return false;
  end = at + static_cast<size_t>(stop - begin);
  return true;
}

// cairo writes a repeating pattern's step equal to its cell's box. Our
// cells hold two tiles each way, so that the cells of a tiling overlap by a
// whole tile and no reader leaves a hairline where they meet; their steps
// are set back to one tile here, in place (the number is padded with
// spaces: no offset in the file moves). The box still starts at 0 and
// holds whole tiles, so a reader that takes the box for the step (as
// Inkscape's import does) repeats the same pattern. Returns how many
// patterns were set.
int SetCellSteps(std::string& pdf) {
  int set = 0;
  for (size_t at = pdf.find("/PatternType 1"); at != std::string::npos; at = pdf.find("/PatternType 1", at + 1)) {
    const size_t end = pdf.find("stream", at);
    if (end == std::string::npos) break;
    const size_t box = pdf.find("/BBox [", at), xs = pdf.find("/XStep ", at), ys = pdf.find("/YStep ", at);
    if (box > end || xs > end || ys > end) continue;
    double b[4], x, y;
    size_t next = box + 7, xEnd, yEnd;
    bool ok = true;
    for (double& v : b) ok = ok && NumberAt(pdf, next, v, next);
    if (!ok || !NumberAt(pdf, xs + 7, x, xEnd) || !NumberAt(pdf, ys + 7, y, yEnd)) continue;
    // A repeating cell of ours: its step is its box, of whole pixels.
    // (Pictures that do not repeat have steps past their box.)
    if (b[0] != 0 || b[1] != 0 || x != b[2] || y != b[3] || std::fmod(x, 2) != 0 || std::fmod(y, 2) != 0) continue;
    auto put = [&](size_t from, size_t to, double v) {
      std::string text = std::to_string(static_cast<long>(std::lround(v)));
      text.resize(to - from - 7, ' ');
      pdf.replace(from + 7, text.size(), text);
    };
    put(xs, xEnd, x / 2);
    put(ys, yEnd, y / 2);
    ++set;
  }
  return set;
}

// A rectangle of one colour in a pattern's cell: columns x0..x1, rows
// y0..y1 (ends excluded).
struct CellRun {
  int x0, x1, y0, y1;
  long colour;
};

// How far the right and bottom edges of a cell's rectangles stop short of
// the pixel's edge, in pixels.
constexpr double kShort = 1.0 / 256;

// The pixels of a width x height grid by colour(x, y) (-1: none) as
// rectangles: runs of one colour on each row, merged with the same run on
// the rows below.
// A repeating pattern whose cell, width x height pixels from (0, 0), is
// what draw(cr) puts on it.
template <typename Draw>
cairo_pattern_t* RepeatingCell(int width, int height, Draw draw) {
  cairo_rectangle_t extents{0, 0, static_cast<double>(width), static_cast<double>(height)};
  cairo_surface_t* rec = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, &extents);
  cairo_t* cr = cairo_create(rec);
  draw(cr);
  cairo_destroy(cr);
  cairo_pattern_t* pattern = cairo_pattern_create_for_surface(rec);
  cairo_surface_destroy(rec);
  cairo_pattern_set_extend(pattern, CAIRO_EXTEND_REPEAT);
  return pattern;
}

template <typename Colour>
std::vector<CellRun> MergedRuns(int width, int height, Colour colour) {
  std::vector<CellRun> done, open, next;
  for (int y = 0; y < height; ++y) {
    next.clear();
    for (int x = 0; x < width;) {
      const long c = colour(x, y);
      int e = x + 1;
      while (e < width && colour(e, y) == c) ++e;
      if (c >= 0) next.push_back({x, e, y, y + 1, c});
      x = e;
    }
    for (CellRun& r : next) {
      auto same = std::find_if(open.begin(), open.end(), [&](const CellRun& o) {
        return o.x0 == r.x0 && o.x1 == r.x1 && o.colour == r.colour;
      });
      if (same != open.end()) {
        r.y0 = same->y0;
        open.erase(same);
      }
    }
    done.insert(done.end(), open.begin(), open.end());
    open.swap(next);
  }
  done.insert(done.end(), open.begin(), open.end());
  return done;
}

void AddStop(cairo_pattern_t* p, double at, COLORREF c) {
  cairo_pattern_add_color_stop_rgb(p, at, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
}

// The module's linear and radial gradients in box as cairo's own, with the
// module's geometry: a linear one runs from the corner its direction points
// away from to the level of the opposite corner, a radial one from its
// centre (moved by the offsets, in percent of the box) to its farthest
// corner; fore at the start, back at the end and beyond. Null for the other
// kinds, which have no counterpart in PDF or SVG.
cairo_pattern_t* NativeGradient(const FillSpec& s, const CRect& box) {
  const double L = box.left, T = box.top, R = box.right, B = box.bottom;
  cairo_pattern_t* p = nullptr;
  if (s.gradient == 1) {
    const double a = ((s.angle % 3600 + 3600) % 3600) * M_PI / 1800, e = 0.001;
    double x1, y1, x2, y2;
    if (a < e || 2 * M_PI - a < e) {
      x1 = L, y1 = T, x2 = R, y2 = T;
    } else if (std::fabs(a - M_PI / 2) < e) {
      x1 = L, y1 = B, x2 = L, y2 = T;
    } else if (std::fabs(a - M_PI) < e) {
      x1 = R, y1 = T, x2 = L, y2 = T;
    } else if (std::fabs(a - 3 * M_PI / 2) < e) {
      x1 = L, y1 = T, x2 = L, y2 = B;
    } else {
      // From the corner behind the direction, to the foot of the opposite
      // corner on the line in the direction (y down on the device).
      if (a < M_PI / 2) {
        x1 = L, y1 = B, x2 = R, y2 = T;
      } else if (a < M_PI) {
        x1 = R, y1 = B, x2 = L, y2 = T;
      } else if (a < 3 * M_PI / 2) {
        x1 = R, y1 = T, x2 = L, y2 = B;
      } else {
        x1 = L, y1 = T, x2 = R, y2 = B;
      }
      const double dx = std::cos(a), dy = -std::sin(a);
      const double along = (x2 - x1) * dx + (y2 - y1) * dy;
      x2 = x1 + along * dx;
      y2 = y1 + along * dy;
    }
    p = cairo_pattern_create_linear(x1, y1, x2, y2);
  } else if (s.gradient == 2) {
    const long h = std::clamp(s.hOffset, -100L, 100L), v = std::clamp(s.vOffset, -100L, 100L);
    const long cx = (box.left + box.right) / 2 + box.Width() * h / 100;
    const long cy = (box.top + box.bottom) / 2 - box.Height() * v / 100;
    const double fx = h < 0 ? R : L, fy = v > 0 ? B : T;
    const double rmax = std::ceil(std::hypot(fx - cx, fy - cy));
    p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, std::max(rmax, 1.0));
  } else {
    return nullptr;
  }
  AddStop(p, 0, s.fore);
  AddStop(p, 1, s.back);
  cairo_pattern_set_extend(p, CAIRO_EXTEND_PAD);
  return p;
}

}  // namespace

// ------------------------------------------------------------------ document

struct VectorDocument::Impl {
  std::string path;
  VectorKind kind = VectorKind::kPdf;
  CReplacingFile file;
  std::string failure;  // the first write's reason, if one failed
  std::string pdf;      // a PDF is held until Commit (its cells' steps are set there)
  cairo_surface_t* surface = nullptr;
  cairo_t* cr = nullptr;
  int width = 0, height = 0, dpi = 0;
  bool overlap = false;  // the PDF's pattern cells hold two tiles each way

  static cairo_status_t Write(void* closure, const unsigned char* data, unsigned int length) {
    Impl* d = static_cast<Impl*>(closure);
    if (!d->failure.empty()) return CAIRO_STATUS_WRITE_ERROR;
    try {
      if (d->kind == VectorKind::kPdf) {
        d->pdf.append(reinterpret_cast<const char*>(data), length);
      } else {
        d->file.Write(data, length);
      }
    } catch (CFileException* e) {
      d->failure = Reason(*e);
      e->Delete();
      return CAIRO_STATUS_WRITE_ERROR;
    } catch (const std::bad_alloc&) {
      d->failure = "out of memory";
      return CAIRO_STATUS_NO_MEMORY;
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
  m->kind = kind;
  m->overlap = kind == VectorKind::kPdf;
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
    if (m->kind == VectorKind::kPdf) {
      SetCellSteps(m->pdf);
      m->file.Write(m->pdf.data(), static_cast<UINT>(m->pdf.size()));
    }
    m->file.Commit();
  } catch (CFileException* e) {
    const std::string reason = Reason(*e);
    e->Delete();
    m->file.Abort();
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
  cairo_pattern_t* SymbolCell(int cls, CKyFillStyleVector& symbols, int w, int h);
  void FillClass(int cls);
  void Swatch(int cls, const CRect& rect);
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
  // A symbol pattern on its background is drawn as the symbols' shapes;
  // with a transparent background the module's mask decides what shows
  // around each symbol, which its pixels carry.
  CKyFillStyleVector* symbols = style && !want.transparent ? style->GetFillStyleVector() : nullptr;
  if (symbols) {
    if (cairo_pattern_t* pattern = SymbolCell(cls, *symbols, w, h)) return pattern;
  }
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

  // A PDF's cell holds two tiles each way (its step is one). A pixel that
  // differs on black and on white is not painted (-1).
  const int copies = doc.Internal().overlap ? 2 : 1, cw = copies * w, ch = copies * h;
  auto colour = [&](int x, int y) -> long {
    const int i = (y % h) * w + x % w;
    return (a[i] & 0xFFFFFF) == (b[i] & 0xFFFFFF) ? static_cast<long>(a[i] & 0xFFFFFF) : -1;
  };
  // The colour most pixels have is laid first under every painted pixel,
  // the others over it: no edge between two colours of the cell is an
  // edge of both, where readers would let the paper show through.
  std::map<long, int> count;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) ++count[colour(x, y)];
  }
  count.erase(-1);
  long base = -1;
  for (const auto& [c, n] : count) {
    if (base < 0 || n > count[base]) base = c;
  }
  std::vector<CellRun> under = MergedRuns(cw, ch, [&](int x, int y) { return colour(x, y) < 0 ? -1L : base; });
  std::vector<CellRun> over = MergedRuns(cw, ch, [&](int x, int y) {
    const long c = colour(x, y);
    return c == base ? -1L : c;
  });

  return RepeatingCell(cw, ch, [&](cairo_t* cr) {
    for (const std::vector<CellRun>* runs : {&under, &over}) {
      std::map<long, std::vector<const CellRun*>> byColour;
      for (const CellRun& r : *runs) byColour[r.colour].push_back(&r);
      for (const auto& [c, list] : byColour) {
        cairo_set_source_rgb(cr, ((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0);
        for (const CellRun* r : list) {
          // poppler counts a pixel whose left or top edge a shape's right or
          // bottom edge touches as partly covered: those edges stop a trace
          // short of the pixel (an exact reader shows the colour under it at
          // that fraction in one pixel, under a level).
          const double right = r->x1 < cw ? kShort : 0, bottom = r->y1 < ch ? kShort : 0;
          cairo_rectangle(cr, r->x0, r->y0, r->x1 - r->x0 - right, r->y1 - r->y0 - bottom);
        }
        cairo_fill(cr);
      }
    }
  });
}

namespace {

// One stroke of a symbol as the symbol module lays it on the tile's pixels.
struct SymbolShape {
  enum Kind { kPolygon, kPolyline, kEllipse } kind = kPolygon;
  std::vector<POINT> points;  // a polygon's or polyline's vertices
  RECT box{};                 // an upright ellipse's box, as the device's Ellipse takes it
  bool fill = false;
  COLORREF fillColour = 0;
  int pen = -1;  // width in pixels, -1 for none
  COLORREF penColour = 0;
};

// The strokes of a symbol at a placement; false when one is drawn in a way
// a path does not say (a hatched fill, a dashed pen).
bool SymbolShapes(CDC& mem, CKySymbol& symbol, const CKySymbolParameter& param, std::vector<SymbolShape>& out) {
  CKySymbolPlacement place;
  if (!CKySymbolPlacement::FromParameter(&mem, param, &place)) return false;
  const CKyStrokePainter painter(&mem, place, param.m_crColor, 1);
  for (int i = 0; i < symbol.GetCount(); ++i) {
    const CKySymStroke& s = *symbol.GetLastStroke(i);
    const BYTE type = s.GetStrokeType();
    const bool pen = type >= CKySymStroke::typePolyline && type <= CKySymStroke::typeEllipse &&
                     s.GetPenStyle() != CKySymStroke::penStyleLast;
    if ((pen && s.GetPenStyle() != 0) || (s.IsFilled() && s.GetBrushStyle() != 0)) return false;
    if (!pen && !s.IsFilled()) continue;
    SymbolShape shape;
    shape.fill = s.IsFilled();
    shape.fillColour = s.IsBrushFix() ? s.GetColor() : param.m_crColor;
    shape.pen = pen ? std::max(1, painter.PenWidth(s)) : -1;
    shape.penColour = s.IsPenFix() ? s.GetColor() : param.m_crColor;
    if (painter.UprightEllipseBox(s, &shape.box)) {
      shape.kind = SymbolShape::kEllipse;
    } else {
      shape.points = painter.Vertices(s);
      if (shape.points.empty()) continue;
      shape.kind = type == CKySymStroke::typePolyline ? SymbolShape::kPolyline : SymbolShape::kPolygon;
    }
    out.push_back(std::move(shape));
  }
  return true;
}

// An ellipse spanning x0..x1, y0..y1 as a path.
void AddEllipse(cairo_t* cr, double x0, double y0, double x1, double y1) {
  if (x1 <= x0 || y1 <= y0) return;
  cairo_save(cr);
  cairo_translate(cr, (x0 + x1) / 2, (y0 + y1) / 2);
  cairo_scale(cr, (x1 - x0) / 2, (y1 - y0) / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

// A shape in the device's pixel rules: a fill without a pen from x0 to x1
// covers x0 .. x1 - 1 (the path on the vertices), a pen is centred on the
// pixels it draws (the path half a pixel in).
void PaintShape(cairo_t* cr, const SymbolShape& s) {
  auto path = [&](double in) {
    cairo_new_path(cr);
    if (s.kind == SymbolShape::kEllipse) {
      // The device fills the box's pixels, left and top to right and bottom.
      AddEllipse(cr, s.box.left + in, s.box.top + in, s.box.right - in, s.box.bottom - in);
      return;
    }
    for (size_t i = 0; i < s.points.size(); ++i) {
      const double x = s.points[i].x + in, y = s.points[i].y + in;
      i == 0 ? cairo_move_to(cr, x, y) : cairo_line_to(cr, x, y);
    }
    if (s.kind == SymbolShape::kPolygon) cairo_close_path(cr);
  };
  if (s.fill && s.kind != SymbolShape::kPolyline) {
    path(0);
    SetColour(cr, s.fillColour);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill(cr);
  }
  if (s.pen > 0) {
    path(0.5);
    SetColour(cr, s.penColour);
    cairo_set_line_width(cr, s.pen);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
  }
}

}  // namespace

// A symbol pattern's cell on its background as the symbols' own shapes,
// laid out as the module's tile lays them (each tile of the cell clipped to
// itself, as its pixels are); null when a symbol is drawn in a way a path
// does not say, or the layout does not come to the prepared tile's size:
// the pixels' rectangles then take it.
cairo_pattern_t* VectorRoute::Impl::SymbolCell(int cls, CKyFillStyleVector& symbols, int w, int h) {
  const FillSpec& want = fills.Spec(cls);
  std::vector<SymbolShape> shapes;
  bool drawable = true;
  CSize tile(0, 0);
  if (!symbols.ForEachSymbolCopy(&dc, want.fore, 1.0, &tile,
                                 [&](CDC& mem, CKySymbol& symbol, CKySymbolParameter& param) {
                                   drawable = drawable && SymbolShapes(mem, symbol, param, shapes);
                                 }) ||
      !drawable || tile.cx != w || tile.cy != h) {
    return nullptr;
  }
  const int copies = doc.Internal().overlap ? 2 : 1;
  return RepeatingCell(copies * w, copies * h, [&](cairo_t* cr) {
    for (int ty = 0; ty < copies; ++ty) {
      for (int tx = 0; tx < copies; ++tx) {
        cairo_save(cr);
        cairo_rectangle(cr, tx * w, ty * h, w, h);
        cairo_clip(cr);
        SetColour(cr, want.back);
        cairo_paint(cr);
        cairo_translate(cr, tx * w, ty * h);
        for (const SymbolShape& s : shapes) PaintShape(cr, s);
        cairo_restore(cr);
      }
    }
  });
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

// A legend's swatch: the class's pattern with a tile centred in the
// rectangle (as the device's swatch lays it), framed by a pixel-wide line.
void VectorRoute::Impl::Swatch(int cls, const CRect& rect) {
  const FillSpec& want = fills.Spec(cls);
  const double l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
  if (want.gradient != 0) {
    DevicePath box;
    box.xy = {l, t, r, t, r, b, l, b};
    box.sizes = {4};
    Gradient(cls, box);
  } else if (cairo_pattern_t* pattern = Cell(cls)) {
    cairo_matrix_t m;
    cairo_matrix_init_identity(&m);
    if (const CKyFillStyle* style = want.style >= 8 ? opaque.Style(Opaque(cls)) : nullptr) {
      const long cx = (rect.left + rect.right - static_cast<long>(style->GetTileWidth())) / 2;
      const long cy = (rect.top + rect.bottom - static_cast<long>(style->GetTileHeight())) / 2;
      cairo_matrix_init_translate(&m, -cx, -cy);
    }
    cairo_pattern_set_matrix(pattern, &m);
    cairo_t* cr = Cr();
    cairo_save(cr);
    // Inside the frame, which covers the outer pixels: poppler takes in the
    // row and column a rectangle's far edges touch when it fills it with a
    // pattern.
    cairo_rectangle(cr, l + 1, t + 1, r - l - 2, b - t - 2);
    cairo_set_source(cr, pattern);
    if (want.rate >= 100) {
      cairo_fill(cr);
    } else {
      cairo_clip(cr);
      cairo_paint_with_alpha(cr, std::max(0L, want.rate) / 100.0);
    }
    cairo_restore(cr);
    cairo_pattern_destroy(pattern);
  }
  cairo_t* cr = Cr();
  cairo_save(cr);
  SetColour(cr, want.outline.visible ? want.outline.colour : RGB(0x40, 0x40, 0x40));
  cairo_set_line_width(cr, 1);
  cairo_rectangle(cr, l + 0.5, t + 0.5, r - l - 1, b - t - 1);
  cairo_stroke(cr);
  cairo_restore(cr);
}

// The module's gradient for the shape's box, as a picture at the device's
// resolution cut to the shape.
void VectorRoute::Impl::Gradient(int cls, const DevicePath& path) {
  CRect box, r;
  if (!ShapeBox(path, box) || !r.IntersectRect(&box, CRect(0, 0, doc.Width(), doc.Height()))) return;
  if (cairo_pattern_t* native = NativeGradient(fills.Spec(cls), box)) {
    cairo_t* cr = Cr();
    cairo_save(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    AddRings(cr, path.xy.data(), path.sizes.data(), path.sizes.size());
    cairo_clip(cr);
    cairo_set_source(cr, native);
    cairo_paint_with_alpha(cr, std::clamp(fills.Spec(cls).rate, 0L, 100L) / 100.0);
    cairo_restore(cr);
    cairo_pattern_destroy(native);
    return;
  }
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

void VectorRoute::Clear(const CRect& rect, COLORREF colour) {
  cairo_t* cr = m->Cr();
  cairo_save(cr);
  SetColour(cr, colour);
  cairo_rectangle(cr, rect.left, rect.top, rect.Width(), rect.Height());
  cairo_fill(cr);
  cairo_restore(cr);
}

void VectorRoute::DrawLegend(const Legend::Plan& plan) {
  if (plan.box.IsRectEmpty()) return;
  cairo_t* cr = m->Cr();
  cairo_save(cr);
  const CRect& box = plan.box;
  SetColour(cr, RGB(0xFF, 0xFF, 0xFF));
  cairo_rectangle(cr, box.left, box.top, box.Width(), box.Height());
  cairo_fill(cr);
  // The frame's pen is centred on the box's outer pixels, as the device's.
  SetColour(cr, Legend::kFrame);
  cairo_set_line_width(cr, plan.frame);
  cairo_rectangle(cr, box.left + 0.5, box.top + 0.5, box.Width() - 1, box.Height() - 1);
  cairo_stroke(cr);
  for (const Legend::Plan::Swatch& s : plan.swatches) m->Swatch(s.cls, s.rect);
  PaintLegendText(cr, plan);
  cairo_restore(cr);
}

}  // namespace kymap
