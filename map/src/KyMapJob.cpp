#include "KyMapJob.h"

#include <nlohmann/json.hpp>
#include <unistd.h>

#include <cstdio>

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
  j["picture"] = {{"width", width}, {"height", height}, {"dpi", dpi}};
  j["features"] = {{"read", counts.read}, {"drawn", counts.drawn}, {"skipped", counts.SkippedTotal()}};
  json causes = json::object();
  for (const auto& [cause, n] : counts.skipped) causes[cause] = n;
  j["features"]["skipped_by_cause"] = causes;
  j["field"] = field;
  json list = json::array();
  for (const Class& c : classes) {
    json e = SpecJson(c.spec);
    e["value"] = c.value;
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
    : m_enabled(enabled && ::isatty(2)), m_start(std::chrono::steady_clock::now()), m_last(m_start) {}

TerminalProgress::~TerminalProgress() {
  if (m_shown) std::fprintf(stderr, "\r%60s\r", "");
}

void TerminalProgress::Update(long long done, long long total) {
  if (!m_enabled) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - m_start < std::chrono::milliseconds(500) || now - m_last < std::chrono::milliseconds(100)) return;
  m_last = now;
  m_shown = true;
  if (total > 0) {
    const int width = 30;
    const int filled = static_cast<int>(std::min<long long>(width, done * width / total));
    std::fprintf(stderr, "\r[%.*s%*s] %3lld%% %lld/%lld features", filled, "##############################",
                 width - filled, "", std::min<long long>(100, done * 100 / total), done, total);
  } else {
    std::fprintf(stderr, "\r%lld features", done);
  }
  std::fflush(stderr);
}

MapReport DrawMap(CDC& dc, int width, int height, CKyFillStyleLib& lib, const MapJobOptions& o,
                  const std::function<void(long long, long long)>& progress) {
  const auto start = std::chrono::steady_clock::now();
  Layer layer(o.data);
  layer.RequirePolygons();
  if (!o.crs.empty()) layer.SetTargetCrs(o.crs);

  StyleRules rules;
  if (o.rules) {
    rules = *o.rules;
  } else if (!o.classifyBy.empty()) {
    rules = ClassifyBy(o.classifyBy, layer.DistinctValues(o.classifyBy), lib);
  } else {
    // One class for the whole layer: the library's first style.
    FillSpec one;
    if (lib.GetCount() > 0) one.style = lib.FindIndex(0);
    one.label = layer.Name();
    rules.fallback = one;
  }
  if (!rules.field.empty()) layer.RequireField(rules.field);

  const Extent extent = o.extent ? *o.extent : layer.MapExtent().Grown(kMargin);
  if (!extent.HasArea()) throw MapError("the extent has no area");
  const MapView view(extent, width, height);

  MapPainter painter(dc, lib, o.align, o.print);
  for (const auto& [value, spec] : rules.classes) painter.AddClass(spec);
  const int fallback = painter.AddClass(rules.fallback);

  MapReport report;
  report.layer = layer.Name();
  report.crs = layer.MapCrs();
  report.extent = view.Fitted();
  report.width = width;
  report.height = height;
  report.dpi = dc.GetDeviceCaps(LOGPIXELSX);
  report.field = rules.field;
  std::vector<long long> perClass(rules.classes.size() + 1, 0);

  const long long total = progress ? layer.FeatureCount() : -1;
  std::unique_ptr<MapRoute> route;
  if (o.vector) {
    route = std::make_unique<VectorRoute>(*o.vector, dc, lib, painter, o.align, o.print);
  } else if (o.antialias) {
    route = std::make_unique<SmoothRoute>(dc, painter, o.align, width, height);
  } else {
    route = MakeGdiRoute(painter);
  }
  std::vector<double> xy;
  std::vector<int> sizes;
  layer.ForEachPolygon(
      rules.field,
      [&](const PolygonFeature& f) {
        if (!view.Touches(f.bounds)) return false;
        const int c = rules.ClassOf(f.value, f.valueIsNull);
        const int cls = c < 0 ? fallback : c;
        if (view.ClipRings(f.xy, f.ringSizes, kClipMargin, xy, sizes) == 0) return false;
        route->Add(cls, xy, sizes);
        ++perClass[cls];
        return true;
      },
      report.counts, [&](long long done) {
        if (progress) progress(done, total);
      });
  route->Finish();

  for (size_t i = 0; i < rules.classes.size(); ++i) {
    report.classes.push_back({rules.classes[i].first, rules.classes[i].second.label, rules.classes[i].second,
                              perClass[i]});
  }
  report.classes.push_back({"(other)", rules.fallback.label, rules.fallback, perClass[fallback]});

  if (o.legend) {
    std::vector<LegendEntry> entries;
    for (size_t i = 0; i < rules.classes.size(); ++i) entries.push_back({static_cast<int>(i), rules.classes[i].second.label});
    if (perClass[fallback] > 0 || rules.classes.empty()) entries.push_back({fallback, rules.fallback.label});
    route->Overlay(dc, DrawLegend(dc, painter, rules.field, entries, height));
  }
  report.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return report;
}

}  // namespace kymap
