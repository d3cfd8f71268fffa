// kyfsl map: a map of GIS vector data (any source GDAL/OGR reads) drawn with
// a library's fill styles, classed by a field or by a STYLES.json file.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include "KyMapJob.h"
#include "KyMapVector.h"
#include "KyMapView.h"
#include "device.h"

namespace kyfsl {

namespace {

struct MapArgs {
  std::string data;
  Source src;
  std::string output;
  std::string size, paper, extent, crs, by, styles;
  std::string align = "map";
  std::string background = "#FFFFFF";
  std::string antialias = "on";
  std::string format;
  std::string legend;  // "" none; beside, right, below, inside
  std::string legendFile, method = "quantile";
  std::optional<std::string> title;
  int dpi = 96;
  int classes = 0, minSize = 0;
  double graticule = 0;
  bool dpiGiven = false;
  bool print = false, quiet = false, json = false;
  bool allowEmpty = false, allowNetwork = false, keepGoing = false;
};

// The printer the print route draws on works at this resolution.
constexpr int kPrinterDpi = 600;

kymap::Extent ParseExtent(const std::string& text) {
  double v[4];
  const char* p = text.c_str();
  for (int i = 0; i < 4; ++i) {
    char* end = nullptr;
    v[i] = std::strtod(p, &end);
    if (end == p || (i < 3 && *end != ',') || (i == 3 && *end != '\0')) {
      throw Failure{"--extent '" + text + "' is not minx,miny,maxx,maxy", 2};
    }
    if (!std::isfinite(v[i])) {
      throw Failure{"--extent '" + text + "': '" + std::string(p, static_cast<size_t>(end - p)) + "' is not " +
                    (std::isnan(v[i]) ? "a number" : "a finite number"), 2};
    }
    p = end + 1;
  }
  const kymap::Extent e{v[0], v[1], v[2], v[3]};
  if (!e.HasArea()) throw Failure{"--extent '" + text + "' has no area (min must be below max)", 2};
  return e;
}

kymap::LegendPlace LegendPlaceOf(const std::string& text) {
  if (text.empty()) return kymap::LegendPlace::kNone;
  if (text == "beside" || text == "outside") return kymap::LegendPlace::kBeside;
  if (text == "right") return kymap::LegendPlace::kRight;
  if (text == "below") return kymap::LegendPlace::kBelow;
  if (text == "inside") return kymap::LegendPlace::kInside;
  throw Failure{"--legend must be beside, right, below or inside", 2};
}

// "800x600": two whole numbers of at least one, nothing else. A number too
// large for the picture is left to the size check, which names the bound.
std::pair<int, int> ParseSize(const std::string& text) {
  const size_t x = text.find('x');
  if (x == std::string::npos || x == 0 || x + 1 == text.size() || text.find_first_not_of("0123456789") != x ||
      text.find_first_not_of("0123456789", x + 1) != std::string::npos) {
    throw Failure{"--size '" + text + "' must be WxH of positive numbers", 2};
  }
  const auto side = [](const std::string& digits) {
    const unsigned long long v = std::strtoull(digits.c_str(), nullptr, 10);
    return static_cast<int>(std::min<unsigned long long>(v, 1000000000ULL));
  };
  const int width = side(text.substr(0, x)), height = side(text.substr(x + 1));
  if (width < 1 || height < 1) throw Failure{"--size '" + text + "' must be WxH of positive numbers", 2};
  return {width, height};
}

void PictureSize(const MapArgs& a, int dpi, int& width, int& height) {
  if (!a.size.empty() && !a.paper.empty()) throw Failure{"give either --size or --paper, not both", 2};
  if (!a.size.empty()) {
    std::tie(width, height) = ParseSize(a.size);
  } else {
    kymap::PaperPixels(a.paper.empty() ? "A4,landscape" : a.paper, dpi, width, height);
  }
  kymap::CheckPictureSize(width, height);
}

int RunMap(MapArgs& a, const Globals& g) {
  CheckSource(a.src);
  if (a.print && a.dpiGiven && a.dpi != kPrinterDpi) {
    throw Failure{"--print draws at the printer's " + std::to_string(kPrinterDpi) + " dpi; leave out --dpi", 2};
  }
  const int dpi = a.print ? kPrinterDpi : a.dpi;
  if (dpi < 10 || dpi > 4800) throw Failure{"--dpi must be between 10 and 4800", 2};
  if (a.align != "map" && a.align != "shape") throw Failure{"--align must be map or shape", 2};
  if (a.antialias != "on" && a.antialias != "off") throw Failure{"--antialias must be on or off", 2};
  if (!a.by.empty() && !a.styles.empty()) throw Failure{"give either --by or --styles, not both", 2};
  std::string format = a.format;
  if (format.empty()) {
    const size_t dot = a.output.rfind('.');
    std::string ext = dot == std::string::npos ? "" : a.output.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (ext == "pdf" || ext == "svg") format = ext;
  } else if (format != "png" && format != "bmp" && format != "pdf" && format != "svg") {
    throw Failure{"--format must be png, bmp, pdf or svg", 2};
  }
  const bool vector = format == "pdf" || format == "svg";
  if (!vector) {
    const PictureKind kind = PictureKindOf(a.output);  // refuses any other kind before anything is drawn
    if (!format.empty() && (format == "png") != (kind == PictureKind::kPng)) {
      throw Failure{"'" + a.output + "': --format " + format + " needs a ." + format + " file", 2};
    }
  }

  kymap::MapJobOptions o;
  o.data = a.data;
  o.crs = a.crs;
  o.nameCrs = a.json;  // only the JSON report names it
  if (!a.extent.empty()) o.extent = ParseExtent(a.extent);
  o.classifyBy = a.by;
  if (!a.styles.empty()) {
    const std::vector<unsigned char> bytes = ReadWholeFile(a.styles);
    o.rules = kymap::ParseStyles(std::string(bytes.begin(), bytes.end()));
  }
  o.align = a.align == "shape" ? kymap::Align::kShape : kymap::Align::kMap;
  o.legend = LegendPlaceOf(a.legend);
  o.title = a.title;
  o.print = a.print;
  o.antialias = a.antialias == "on";
  if (a.classes < 0 || a.classes > 100) throw Failure{"--classes must be 1 to 100", 2};
  if (a.classes > 0 && a.by.empty()) throw Failure{"--classes goes with --by FIELD", 2};
  if (!kymap::ParseBreakMethod(a.method, o.method)) {
    throw Failure{"--method must be quantile, equal, jenks or pretty", 2};
  }
  o.classes = a.classes;
  if (!(a.graticule >= 0 && a.graticule <= 90)) throw Failure{"--graticule must be 0 to 90 degrees", 2};
  o.graticule = a.graticule;
  if (a.minSize < 0 || a.minSize > 100) throw Failure{"--min-size must be 0 to 100 pixels", 2};
  o.minSize = a.minSize;
  o.allowEmpty = a.allowEmpty;
  o.allowNetwork = a.allowNetwork;
  o.keepGoing = a.keepGoing;
  o.paper = ParseColour(a.background);
  if (!a.legendFile.empty()) PictureKindOf(a.legendFile);

  int width = 0, height = 0;
  PictureSize(a, dpi, width, height);

  CKyFillStyleLib lib;
  LoadLibrary(a.src, lib);

  DeviceOptions d;
  d.width = width;
  d.height = height;
  d.dpi = dpi;
  d.printer = a.print;
  d.paper = a.background;
  Canvas canvas(d);

  std::unique_ptr<kymap::VectorDocument> doc;
  if (vector) {
    doc = std::make_unique<kymap::VectorDocument>(a.output, format == "pdf" ? kymap::VectorKind::kPdf : kymap::VectorKind::kSvg,
                                                  width, height, dpi, ParseColour(a.background));
    o.vector = doc.get();
  }
  std::unique_ptr<Canvas> legendCanvas;
  if (!a.legendFile.empty()) {
    o.legendPicture = [&](int w, int h) -> CDC* {
      DeviceOptions ld = d;
      ld.width = w;
      ld.height = h;
      kymap::CheckPictureSize(w, h);
      legendCanvas = std::make_unique<Canvas>(ld);
      return &legendCanvas->DC();
    };
  }

  kymap::MapReport report;
  {
    kymap::TerminalProgress bar(!a.quiet);
    report = kymap::DrawMap(canvas.DC(), width, height, lib, o,
                            [&bar](long long done, long long total) { bar.Update(done, total); });
    bar.Finish();
  }
  if (doc) {
    doc->Commit();
  } else {
    canvas.Save(a.output);
  }
  if (legendCanvas) legendCanvas->Save(a.legendFile);
  if (report.legendDidNotFit) {
    std::fprintf(stderr, "kyfsl: the legend of %zu entries does not fit %s the map; %s\n", report.legendEntries,
                 o.legend == kymap::LegendPlace::kInside ? "over" : "beside",
                 a.legendFile.empty() ? "--legend-file FILE writes it as a picture of its own"
                                      : ("it is in " + a.legendFile).c_str());
  }
  if (a.json) {
    std::printf("%s\n", report.ToJson().c_str());
  } else if (!a.quiet) {
    std::printf("%s: %lld features read, %lld drawn (%lld repaired), %lld skipped; %dx%d at %d dpi in %.2f s\n",
                a.output.c_str(), report.counts.read, report.counts.drawn, report.counts.repaired,
                report.counts.SkippedTotal(), width, height, dpi, report.seconds);
    for (const auto& [cause, n] : report.counts.skipped) std::printf("  skipped, %s: %lld\n", cause.c_str(), n);
    constexpr size_t kNamed = 20;
    for (size_t i = 0; i < report.counts.notes.size() && i < kNamed; ++i) {
      const kymap::FeatureNote& n = report.counts.notes[i];
      std::printf("  %s: feature %lld%s%s%s%s\n", n.what.c_str(), n.fid, n.name.empty() ? "" : " (",
                  n.name.c_str(), n.name.empty() ? "" : ")", n.detail.empty() ? "" : (": " + n.detail).c_str());
    }
    if (report.counts.notes.size() > kNamed) {
      std::printf("  and %zu more (--json lists them all)\n", report.counts.notes.size() - kNamed);
    }
  }
  (void)g;
  return 0;
}

}  // namespace

void RegisterMap(CLI::App& app, const Globals& g, Outcome& out) {
  auto* sub = app.add_subcommand("map", "draw GIS vector data (any GDAL/OGR source) with a library's fill styles");
  auto a = std::make_shared<MapArgs>();
  sub->add_option("DATA", a->data, "vector data: a file or data source, DATA:LAYER for a layer other than the first")
      ->required();
  AddSourceOptions(sub, a->src);
  sub->add_option("-o,--output", a->output, "picture to write (.png, .bmp, or a vector .pdf or .svg)")->required();
  sub->add_option("--size", a->size, "picture size in pixels, WxH");
  sub->add_option("--paper", a->paper, "paper size: A0-A6, B4, B5, Letter, Legal, Tabloid[,landscape] (default A4,landscape)");
  sub->add_option_function<int>("--dpi", [a](int v) { a->dpi = v, a->dpiGiven = true; }, "resolution (default 96)");
  sub->add_flag("--print", a->print, "draw on the printer's route (the pattern images at 600 dpi)");
  sub->add_option("--extent", a->extent, "minx,miny,maxx,maxy in the map's CRS (default: the layer's, with a margin)");
  sub->add_option("--crs", a->crs, "reproject to EPSG:N or a PROJ string (default: the layer's own CRS)");
  sub->add_option("--by", a->by, "class the features by the values of FIELD, each with a style of the library");
  sub->add_option("--styles", a->styles, "STYLES.json mapping values of a field to whole styles");
  sub->add_option("--align", a->align, "map: patterns continue across shared borders (default); shape: each shape's own");
  sub->add_option("--antialias", a->antialias,
                  "on: smooth edges and outlines, patterns pixel for pixel (default); off: the module's own pixels");
  sub->add_option("--format", a->format, "png, bmp, pdf or svg (default: from the output's extension)");
  sub->add_option("--background", a->background, "colour of the paper, #RRGGBB (default #FFFFFF)");
  CLI::Option* legendOption = sub->add_option("--legend", a->legend,
                  "draw a legend of the classes: beside the map (the default: right or below, whichever leaves the "
                  "map larger), right, below, or inside (over the map, in the emptiest corner)")
      ->expected(0, 1);
  sub->add_option("--legend-file", a->legendFile, "also write the legend as a picture of its own (.png or .bmp)");
  sub->add_option_function<std::string>("--title", [a](const std::string& v) { a->title = v; },
                                        "the legend's title (default: the field's name)");
  sub->add_option("--classes", a->classes, "with --by on a numeric field: N graduated classes");
  sub->add_option("--method", a->method, "how --classes breaks the values: quantile (default), equal, jenks, pretty");
  sub->add_option("--graticule", a->graticule, "draw meridians and parallels every DEGREES, and the map's edge");
  sub->add_option("--min-size", a->minSize, "draw features smaller than a pixel N pixels wide (default 0: skip them)");
  sub->add_flag("--allow-empty", a->allowEmpty, "write the picture even when nothing is drawn");
  sub->add_flag("--allow-network", a->allowNetwork, "let GDAL read over the network and through virtual drivers");
  sub->add_flag("--keep-going", a->keepGoing, "draw what can be read of a damaged source, counting the rest");
  sub->add_flag("--quiet", a->quiet, "no progress and no summary");
  sub->add_flag("--json", a->json, "print what was drawn as JSON");
  sub->callback([a, &g, &out, legendOption] {
    if (legendOption->count() > 0 && a->legend.empty()) a->legend = "beside";
    try {
      out.status = RunMap(*a, g);
    } catch (const kymap::MapError& e) {
      throw Failure{e.what()};
    }
  });
}

}  // namespace kyfsl
