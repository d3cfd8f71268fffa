#include "KyMapJob.h"

#include <nlohmann/json.hpp>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>

#include "KyCover.h"
#include "KyFillStyleLib.h"
#include "KyMapLayer.h"
#include "KyMapLegend.h"
#include "KyMapSmooth.h"
#include "KyMapVector.h"
#include "KyMapView.h"

namespace kymap {

namespace {

std::string Hex(COLORREF c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return text;
}

nlohmann::json SpecJson(const FillSpec& s) {
  static const char* const kGradients[] = {"none", "linear", "radial", "conical", "square"};
  nlohmann::json j;
  if (s.gradient > 0 && s.gradient <= 4) {
    j["gradient"] = kGradients[s.gradient];
  } else {
    j["style"] = s.style;
  }
  j["fore"] = Hex(s.fore);
  j["back"] = Hex(s.back);
  j["transparent"] = s.transparent;
  j["rate"] = s.rate;
  if (s.outline.visible) {
    j["outline"] = {{"colour", Hex(s.outline.colour)}, {"width", s.outline.widthMm}};
    if (s.outline.lineStyle >= 0) j["outline"]["linestyle"] = s.outline.lineStyle;
  } else {
    j["outline"] = false;
  }
  return j;
}

// Margin of the default extent, of the layer's larger side.
constexpr double kMargin = 0.03;
// Rings are cut this many pixels outside the picture, past any outline.
constexpr int kClipMargin = 64;

}  // namespace

std::string MapReport::ToJson() const {
  using nlohmann::json;
  json j;
  j["layer"] = layer;
  j["crs"] = crs;
  j["extent"] = {extent.minX, extent.minY, extent.maxX, extent.maxY};
  j["asked_extent"] = {asked.minX, asked.minY, asked.maxX, asked.maxY};
  j["picture"] = {{"width", width}, {"height", height}, {"dpi", dpi}};
  j["features"] = {{"read", counts.read},
                   {"drawn", counts.drawn},
                   {"repaired", counts.repaired},
                   {"skipped", counts.SkippedTotal()}};
  json causes = json::object();
  for (const auto& [cause, n] : counts.skipped) causes[cause] = n;
  j["features"]["skipped_by_cause"] = causes;
  json notes = json::array();
  for (const FeatureNote& n : counts.notes) {
    json e = {{"fid", n.fid}, {"what", n.what}};
    if (!n.name.empty()) e["name"] = n.name;
    if (!n.detail.empty()) e["detail"] = n.detail;
    notes.push_back(e);
  }
  j["features"]["notes"] = notes;
  if (counts.notesLeftOut > 0) j["features"]["notes_left_out"] = counts.notesLeftOut;
  j["legend"] = {{"place", legend}, {"entries", legendEntries}, {"fits", !legendDidNotFit}};
  j["map_area"] = {mapArea.left, mapArea.top, mapArea.right, mapArea.bottom};
  j["field"] = field;
  json list = json::array();
  for (const Class& c : classes) {
    json e = SpecJson(c.spec);
    if (c.isRange) {
      e["min"] = c.min;
      e["max"] = c.max;
    } else {
      e["value"] = c.value;
    }
    e["label"] = c.label;
    e["features"] = c.features;
    list.push_back(e);
  }
  j["classes"] = list;
  j["seconds"] = seconds;
  // Text from a data source is not always valid UTF-8.
  return j.dump(2, ' ', false, json::error_handler_t::replace);
}

TerminalProgress::TerminalProgress(bool enabled)
    : TerminalProgress(stderr, std::chrono::milliseconds(500), std::chrono::milliseconds(100)) {
  m_enabled = enabled && ::isatty(2);
}

TerminalProgress::TerminalProgress(std::FILE* terminal, std::chrono::milliseconds after,
                                   std::chrono::milliseconds every)
    : m_out(terminal),
      m_enabled(terminal != nullptr),
      m_after(after),
      m_every(every),
      m_start(std::chrono::steady_clock::now()),
      m_last(m_start - every) {}

TerminalProgress::~TerminalProgress() {
  if (m_shown) std::fprintf(m_out, "\r%*s\r", m_width, "");
}

void TerminalProgress::Update(long long done, long long total) {
  if (!m_enabled) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - m_start < m_after || now - m_last < m_every) return;
  m_last = now;
  m_shown = true;
  int n;
  if (total > 0) {
    const int width = 30;
    const int filled = static_cast<int>(std::min<long long>(width, done * width / total));
    n = std::fprintf(m_out, "\r[%.*s%*s] %3lld%% %lld/%lld features", filled, "##############################",
                     width - filled, "", std::min<long long>(100, done * 100 / total), done, total);
  } else {
    n = std::fprintf(m_out, "\r%lld features", done);
  }
  m_width = std::max(m_width, n - 1);
  std::fflush(m_out);
}

void TerminalProgress::Finish() {
  if (m_shown) std::fprintf(m_out, "\n");
  m_shown = false;
  m_enabled = false;
}

namespace {

// A picture's pixels that are not the paper, counted on every other row
// and column.
long DrawnPixels(CDC& dc, const CRect& r, COLORREF paper) {
  long n = 0;
  for (int y = r.top; y < r.bottom; y += 2) {
    for (int x = r.left; x < r.right; x += 2) n += dc.GetPixel(x, y) != paper;
  }
  return n;
}

// Where the legend's panel goes and how large the map is beside it.
struct Placement {
  LegendPlace place = LegendPlace::kNone;
  CRect map;
  CPoint legendAt;
  double scale = 0;
};

double FittedScale(const Extent& e, const CRect& area) {
  if (area.Width() < 1 || area.Height() < 1) return 0;
  return std::min(area.Width() / e.Width(), area.Height() / e.Height());
}

Placement Beside(Legend& legend, LegendPlace want, const Extent& extent, int width, int height) {
  const int margin = legend.Mm(4);
  Placement best;
  best.map = CRect(0, 0, width, height);
  if (want == LegendPlace::kBeside || want == LegendPlace::kRight) {
    const CSize s = legend.Layout(height - 2 * margin);
    const int panel = s.cx + 2 * margin;
    if (s.cx > 0 && panel <= width / 2) {
      Placement p{LegendPlace::kRight, CRect(0, 0, width - panel, height), CPoint(width - margin - s.cx, margin), 0};
      p.scale = FittedScale(extent, p.map);
      if (p.scale > best.scale) best = p;
    }
  }
  if (want == LegendPlace::kBeside || want == LegendPlace::kBelow) {
    // The lowest panel whose columns fit across the picture.
    int lo = 1, hi = height / 2 - 2 * margin;
    while (lo < hi) {
      const int mid = (lo + hi) / 2;
      const CSize s = legend.Layout(mid);
      if (s.cx > 0 && s.cx <= width - 2 * margin) {
        hi = mid;
      } else {
        lo = mid + 1;
      }
    }
    const CSize s = legend.Layout(lo);
    const int panel = s.cy + 2 * margin;
    if (s.cx > 0 && s.cx <= width - 2 * margin && panel <= height / 2) {
      Placement p{LegendPlace::kBelow, CRect(0, 0, width, height - panel), CPoint(margin, height - margin - s.cy), 0};
      p.scale = FittedScale(extent, p.map);
      if (p.scale > best.scale) best = p;
    }
  }
  // Laid out again for the place chosen.
  if (best.place == LegendPlace::kRight) legend.Layout(height - 2 * margin);
  if (best.place == LegendPlace::kBelow) {
    const int panel = height - best.map.bottom;
    legend.Layout(panel - 2 * margin);
  }
  return best;
}

// The corner of the map where the legend covers the least that is drawn
// (drawn(rect) measures it); false when it does not fit over the map.
bool Inside(Legend& legend, const CRect& map, const std::function<long(const CRect&)>& drawn, CPoint& at) {
  const int margin = legend.Mm(4);
  const CSize s = legend.Layout(map.Height() * 2 / 3);
  if (s.cx <= 0 || s.cx + 2 * margin > map.Width() || s.cy + 2 * margin > map.Height()) return false;
  const CPoint corners[] = {{map.left + margin, map.bottom - margin - s.cy},
                            {map.right - margin - s.cx, map.bottom - margin - s.cy},
                            {map.left + margin, map.top + margin},
                            {map.right - margin - s.cx, map.top + margin}};
  long fewest = -1;
  for (const CPoint& c : corners) {
    const long n = drawn(CRect(c.x, c.y, c.x + s.cx, c.y + s.cy));
    if (fewest < 0 || n < fewest) fewest = n, at = c;
  }
  return true;
}

const char* PlaceName(LegendPlace p) {
  switch (p) {
    case LegendPlace::kRight:
      return "right";
    case LegendPlace::kBelow:
      return "below";
    case LegendPlace::kInside:
      return "inside";
    default:
      return "none";
  }
}

// Classes by a field: its distinct values, or graduated ranges of a numeric
// field.
StyleRules Classify(Layer& layer, const MapJobOptions& o, CKyFillStyleLib& lib, CDC& dc) {
  layer.RequireField(o.classifyBy);
  const FieldKind kind = layer.KindOf(o.classifyBy);
  if (o.classes > 0) {
    if (kind == FieldKind::kText) {
      throw MapError("--classes needs a numeric field; '" + o.classifyBy + "' holds text");
    }
    const std::vector<double> values = layer.NumericValues(o.classifyBy);
    return Graduate(o.classifyBy, Breaks(values, o.classes, o.method), lib, dc);
  }
  const std::vector<std::string> values = layer.DistinctValues(o.classifyBy);
  constexpr size_t kMostNumbers = 24;
  if (kind != FieldKind::kText && values.size() > kMostNumbers) {
    throw MapError("the field '" + o.classifyBy + "' holds " + std::to_string(values.size()) +
                   " distinct numbers: too many for a class each; class them in ranges with --classes N "
                   "(--method quantile, equal, jenks or pretty)");
  }
  return ClassifyBy(o.classifyBy, values, lib);
}

void DrawLines(MapRoute& route, CDC& dc, const MapView& view, const std::vector<std::vector<double>>& lines,
               COLORREF colour, double widthMm) {
  const double px = std::max(1.0, widthMm * dc.GetDeviceCaps(LOGPIXELSX) / 25.4);
  std::vector<std::vector<POINT>> pieces;
  for (const std::vector<double>& line : lines) view.ClipLine(line, kClipMargin, pieces);
  route.Lines(dc, pieces, colour, px);
}

// Why nothing was drawn, for the error a blank map is.
std::string NothingDrawn(const std::string& layer, const FeatureCounts& c) {
  long long outside = 0;
  for (const char* cause : {"outside the extent", "smaller than a pixel"}) {
    const auto it = c.skipped.find(cause);
    if (it != c.skipped.end()) outside += it->second;
  }
  if (outside == 0) {
    return "the layer '" + layer + "' has no polygons to draw (" + std::to_string(c.read) +
           " features read; --allow-empty draws the blank map)";
  }
  return "nothing of the layer '" + layer + "' lies inside the extent (" + std::to_string(outside) +
         " features outside it or smaller than a pixel; --allow-empty draws the blank map)";
}

}  // namespace

StyleRules RulesFor(Layer& layer, CKyFillStyleLib& lib, const MapJobOptions& o, CDC& dc) {
  StyleRules rules;
  if (o.rules) {
    rules = *o.rules;
  } else if (!o.classifyBy.empty()) {
    rules = Classify(layer, o, lib, dc);
  } else {
    // One class for the whole layer: the library's first style.
    FillSpec one;
    if (lib.GetCount() > 0) one.style = lib.FindIndex(0);
    one.label = layer.Name();
    rules.fallback = one;
  }
  if (!rules.field.empty()) {
    layer.RequireField(rules.field);
    rules.MatchFieldKind(layer.KindOf(rules.field));
  }
  return rules;
}

MapReport DrawMap(CDC& dc, int width, int height, CKyFillStyleLib& lib, const MapJobOptions& o,
                  const std::function<void(long long, long long)>& progress) {
  const auto start = std::chrono::steady_clock::now();
  Layer layer(o.data, o.allowNetwork);
  layer.RequirePolygons();
  layer.SetKeepGoing(o.keepGoing);
  if (!o.crs.empty()) layer.SetTargetCrs(o.crs);

  StyleRules rules = RulesFor(layer, lib, o, dc);

  Extent extent;
  if (o.extent) {
    extent = *o.extent;
  } else {
    try {
      FeatureCounts read;
      read.read = -1;  // stays so when the read itself fails
      try {
        extent = layer.MapExtent(&read).Grown(kMargin);
      } catch (const MapError&) {
        if (read.read < 0) throw;
        throw MapError(NothingDrawn(layer.Name(), read));
      }
      // No margin past the edge of a projected world.
      Extent world;
      if (layer.WorldBounds(world)) {
        extent.minX = std::max(extent.minX, world.minX);
        extent.minY = std::max(extent.minY, world.minY);
        extent.maxX = std::min(extent.maxX, world.maxX);
        extent.maxY = std::min(extent.maxY, world.maxY);
      }
    } catch (const MapError&) {
      if (!o.allowEmpty) throw;
      extent = Extent{0, 0, 1, 1};
    }
  }
  if (!extent.HasArea()) throw MapError("the extent has no area");

  MapPainter painter(dc, lib, o.align, o.print);
  for (const auto& [value, spec] : rules.classes) painter.AddClass(spec);
  const int fallback = painter.AddClass(rules.fallback);

  // The legend's entries; its panel decides the map's room.
  std::vector<LegendEntry> entries;
  for (size_t i = 0; i < rules.classes.size(); ++i) entries.push_back({static_cast<int>(i), rules.classes[i].second.label});
  const std::string title = o.title ? *o.title : rules.field;
  std::unique_ptr<Legend> legend;
  Placement placement;
  placement.map = CRect(0, 0, width, height);
  MapReport report;
  if (o.legend != LegendPlace::kNone) {
    // The fallback's entry is known only after drawing; its room is kept.
    std::vector<LegendEntry> room = entries;
    room.push_back({fallback, rules.fallback.label});
    legend = std::make_unique<Legend>(dc, painter, title, room);
    if (o.legend != LegendPlace::kInside) {
      placement = Beside(*legend, o.legend, extent, width, height);
      report.legendDidNotFit = placement.place == LegendPlace::kNone;
    }
  }
  const MapView view(extent, placement.map.Width(), placement.map.Height(), placement.map.left, placement.map.top);

  report.layer = layer.Name();
  if (o.nameCrs) report.crs = layer.MapCrs();
  report.extent = view.Fitted();
  report.asked = extent;
  report.width = width;
  report.height = height;
  report.dpi = dc.GetDeviceCaps(LOGPIXELSX);
  report.field = rules.field;
  report.mapArea = placement.map;
  std::vector<long long> perClass(rules.classes.size() + 1, 0);

  std::unique_ptr<MapRoute> route;
  VectorRoute* vector = nullptr;
  if (o.vector) {
    auto own = std::make_unique<VectorRoute>(*o.vector, dc, lib, painter, o.align, o.print);
    vector = own.get();
    route = std::move(own);
  } else if (o.antialias) {
    route = std::make_unique<SmoothRoute>(dc, painter, o.align, width, height);
  } else {
    route = MakeGdiRoute(painter);
  }
  if (o.graticule > 0) DrawLines(*route, dc, view, layer.Graticule(o.graticule), RGB(0xB4, 0xB4, 0xB4), 0.1);

  const long long total = progress ? layer.FeatureCount() : -1;
  std::vector<double> xy;
  std::vector<int> sizes;
  const double scale = view.Scale();
  const bool wholePixels = !o.vector && !o.antialias;
  // A document's shapes are not drawn on the device: a legend inside the
  // map measures what they cover from their rings.
  kycover::Cover shapes;
  const bool measureShapes = vector && o.legend == LegendPlace::kInside;
  std::vector<POINT> rounded;
  std::vector<int> roundedSizes;
  layer.ForEachPolygon(
      rules.field,
      [&](const PolygonFeature& f) {
        if (!view.Touches(f.bounds)) return Layer::Drawn::kOutside;
        const int c = rules.ClassOf(f.value, f.valueIsNull, f.number);
        const int cls = c < 0 ? fallback : c;
        if (view.ClipRings(f.xy, f.ringSizes, kClipMargin, xy, sizes) == 0) return Layer::Drawn::kOutside;
        // What the picture cannot show: on whole pixels, a feature that
        // rounds away; smoothed, one narrower or lower than a pixel, which
        // only minSize changes (it is drawn as far as it covers pixels).
        const bool small = wholePixels ? RoundRings(xy, sizes, rounded, roundedSizes) == 0
                                       : f.bounds.Width() * scale < 1 || f.bounds.Height() * scale < 1;
        if (small && wholePixels && o.minSize <= 0) return Layer::Drawn::kTooSmall;
        if (small && o.minSize > 0) {
          // A square of minSize pixels on the pixel grid about the
          // feature's centre.
          const double x = std::floor(view.DeviceX((f.bounds.minX + f.bounds.maxX) / 2)) - (o.minSize - 1) / 2;
          const double y = std::floor(view.DeviceY((f.bounds.minY + f.bounds.maxY) / 2)) - (o.minSize - 1) / 2;
          const double s = o.minSize;
          xy = {x, y, x + s, y, x + s, y + s, x, y + s};
          sizes = {4};
        }
        route->Add(cls, xy, sizes);
        if (measureShapes) shapes.AddRings(xy.data(), sizes.data(), sizes.size());
        ++perClass[cls];
        return Layer::Drawn::kDrawn;
      },
      report.counts, [&](long long done) {
        if (progress) progress(done, total);
      });
  route->Finish();
  if (o.graticule > 0) DrawLines(*route, dc, view, layer.NeatLine(), RGB(0x40, 0x40, 0x40), 0.25);
  if (report.counts.drawn == 0 && !o.allowEmpty) throw MapError(NothingDrawn(layer.Name(), report.counts));

  for (size_t i = 0; i < rules.classes.size(); ++i) {
    MapReport::Class c{rules.classes[i].first, rules.classes[i].second.label, rules.classes[i].second, perClass[i]};
    if (const ValueRange* r = rules.RangeOf(static_cast<int>(i))) c.isRange = true, c.min = r->min, c.max = r->max;
    report.classes.push_back(c);
  }
  report.classes.push_back({"(other)", rules.fallback.label, rules.fallback, perClass[fallback]});

  if (perClass[fallback] > 0 || rules.classes.empty()) entries.push_back({fallback, rules.fallback.label});
  report.legendEntries = entries.size();
  if (legend && !report.legendDidNotFit) {
    legend = std::make_unique<Legend>(dc, painter, title, entries);
    CPoint at;
    if (o.legend == LegendPlace::kInside) {
      const auto drawn = [&](const CRect& r) -> long {
        if (!measureShapes) return DrawnPixels(dc, r, o.paper);
        long covered = 0;
        shapes.Render(kycover::Rows{r.left, r.top, r.right, r.bottom},
                      [&](int, const kycover::Span* spans, size_t count) {
                        for (size_t i = 0; i < count; ++i) covered += (spans[i].x1 - spans[i].x0) * spans[i].cover;
                      });
        return covered / 255;
      };
      if (Inside(*legend, placement.map, drawn, at)) {
        if (vector) {
          vector->DrawLegend(legend->Planned(at));
        } else {
          legend->Draw(at, o.antialias);
        }
        report.legend = "inside";
      } else {
        report.legendDidNotFit = true;
      }
    } else {
      // The panel is the paper's again (outlines and lines that ran past
      // the map's edge are cut there), then the legend on it.
      const CRect panel = placement.place == LegendPlace::kRight
                              ? CRect(placement.map.right, 0, width, height)
                              : CRect(0, placement.map.bottom, width, height);
      // Laid out again without the fallback's room where it has no entry.
      placement = Beside(*legend, placement.place, extent, width, height);
      if (vector) {
        vector->Clear(panel, o.paper);
        vector->DrawLegend(legend->Planned(placement.legendAt));
      } else {
        dc.FillSolidRect(&panel, o.paper);
        legend->Draw(placement.legendAt, o.antialias);
      }
      report.legend = PlaceName(placement.place);
    }
  }
  if (o.legendPicture) {
    // A legend of its own, laid out in columns as tall as an A4 page.
    Legend measure(dc, painter, title, entries);
    const CSize s = measure.Layout(std::max(measure.Mm(297), 1));
    if (s.cx > 0 && s.cy > 0) {
      if (CDC* other = o.legendPicture(s.cx, s.cy)) {
        MapPainter own(*other, lib, o.align, o.print);
        for (const auto& [value, spec] : rules.classes) own.AddClass(spec);
        own.AddClass(rules.fallback);
        Legend picture(*other, own, title, entries);
        picture.Layout(s.cy);
        picture.Draw(CPoint(0, 0));
      }
    }
  }
  report.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return report;
}

}  // namespace kymap
