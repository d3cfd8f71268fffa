// kyfsl tiles: a pyramid of web map tiles (XYZ, Web Mercator) of GIS vector
// data drawn with a library's fill styles, into a folder with a viewer page
// or an MBTiles file.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "KyTileJob.h"
#include "KyTileSink.h"
#include "device.h"

namespace kyfsl {

namespace {

struct TilesArgs {
  std::string data;
  Source src;
  std::string output, zoom, bbox, by, styles;
  std::string background = "#FFFFFF";
  int tileSize = 256, scale = 1, metatile = 8;
  int jobs = 0;  // 0: every core
  bool resume = false, quiet = false, json = false;
  std::string antialias = "on";
};

// A short fingerprint of a styles file, so that --resume notices an edit.
std::string Fingerprint(const std::vector<unsigned char>& bytes) {
  unsigned long long h = 1469598103934665603ULL;
  for (unsigned char b : bytes) h = (h ^ b) * 1099511628211ULL;
  char text[24];
  std::snprintf(text, sizeof text, "%016llx", h);
  return text;
}

// A bar of metatiles on standard error, shown only on a terminal once the
// work has taken half a second.
class Bar {
 public:
  explicit Bar(bool enabled) : m_enabled(enabled && ::isatty(2)), m_start(Clock::now()), m_last(m_start) {}
  ~Bar() {
    if (m_shown) std::fprintf(stderr, "\r%70s\r", "");
  }
  Bar(const Bar&) = delete;
  Bar& operator=(const Bar&) = delete;
  void Update(long long done, long long total) {
    const auto now = Clock::now();
    if (!m_enabled || total <= 0 || now - m_start < std::chrono::milliseconds(500) ||
        (now - m_last < std::chrono::milliseconds(100) && done < total)) {
      return;
    }
    m_last = now;
    m_shown = true;
    const int width = 30;
    const int filled = static_cast<int>(done * width / total);
    std::fprintf(stderr, "\r[%.*s%*s] %3lld%% %lld/%lld metatiles", filled, "##############################",
                 width - filled, "", done * 100 / total, done, total);
    std::fflush(stderr);
  }

 private:
  using Clock = std::chrono::steady_clock;
  bool m_enabled;
  bool m_shown = false;
  Clock::time_point m_start, m_last;
};

int RunTiles(TilesArgs& a) {
  CheckSource(a.src);
  if (!a.by.empty() && !a.styles.empty()) throw Failure{"give either --by or --styles, not both", 2};

  kytiles::TileJobOptions o;
  o.data = a.data;
  o.classifyBy = a.by;
  o.styleKey = a.src.builtIn ? "default" : a.src.path;
  if (!a.styles.empty()) {
    const std::vector<unsigned char> bytes = ReadWholeFile(a.styles);
    o.rules = kymap::ParseStyles(std::string(bytes.begin(), bytes.end()));
    o.styleKey += "," + Fingerprint(bytes);
  }
  o.zooms = kytiles::ParseZoomRange(a.zoom);
  if (!a.bbox.empty()) o.bbox = kytiles::ParseBbox(a.bbox);
  o.tileSize = a.tileSize;
  o.scale = a.scale;
  o.metatile = a.metatile;
  o.background = ParseColour(a.background);
  if (a.antialias != "on" && a.antialias != "off") throw Failure{"--antialias must be on or off", 2};
  o.antialias = a.antialias == "on";
  o.jobs = a.jobs > 0 ? a.jobs : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  o.resume = a.resume;
  o.output = a.output;
  try {
    kytiles::CheckTileOptions(o);
  } catch (const kymap::MapError& e) {
    throw Failure{e.what(), 2};
  }

  CKyFillStyleLib lib;
  LoadLibrary(a.src, lib);

  Bar bar(!a.quiet);
  const kytiles::TileReport report =
      kytiles::RenderTiles(o, lib, [&bar](long long done, long long total) { bar.Update(done, total); });
  if (a.json) {
    std::printf("%s\n", report.ToJson().c_str());
  } else if (!a.quiet) {
    long long empty = 0, kept = 0;
    for (const auto& [z, c] : report.zooms) {
      empty += c.empty;
      kept += c.kept;
    }
    std::printf("%s: %lld tiles written, %lld empty, %lld kept from an earlier run; zoom %d-%d in %.2f s\n",
                a.output.c_str(), report.Written(), empty, kept, o.zooms.min, o.zooms.max, report.seconds);
  }
  return 0;
}

}  // namespace

void RegisterTiles(CLI::App& app, const Globals& g, Outcome& out) {
  auto* sub = app.add_subcommand("tiles", "draw GIS vector data as web map tiles (XYZ, Web Mercator): a folder or MBTiles");
  auto a = std::make_shared<TilesArgs>();
  sub->add_option("DATA", a->data, "vector data: a file or data source (PG:...), DATA:LAYER for a layer other than the first")
      ->required();
  AddSourceOptions(sub, a->src);
  sub->add_option("-o,--output", a->output, "a folder (z/x/y.png and index.html) or a file ending in .mbtiles")->required();
  sub->add_option("--zoom", a->zoom, "zoom levels, N or N-M within 0-22")->required();
  sub->add_option("--bbox", a->bbox, "west,south,east,north in degrees (default: the layer's extent)");
  sub->add_option("--by", a->by, "class the features by the values of FIELD, each with a style of the library");
  sub->add_option("--styles", a->styles, "STYLES.json mapping values of a field to whole styles");
  sub->add_option("--tile-size", a->tileSize, "tile size in pixels, 256 or 512 (default 256)");
  sub->add_option("--scale", a->scale, "1, or 2 for tiles of twice the pixels at twice the dpi (default 1)");
  sub->add_option("--metatile", a->metatile, "tiles a side drawn at once (default 8)");
  sub->add_option("--background", a->background, "colour under the features, #RRGGBB (default #FFFFFF)");
  sub->add_option("--jobs", a->jobs, "drawing processes (default: one a core)");
  sub->add_option("--antialias", a->antialias,
                  "on (default): smooth edges and outlines, seamless to the pixel; off: the module's own pixels");
  sub->add_flag("--resume", a->resume, "continue an interrupted run in OUT, keeping the tiles it finished");
  sub->add_flag("--quiet", a->quiet, "no progress and no summary");
  sub->add_flag("--json", a->json, "print what was written as JSON");
  sub->callback([a, &g, &out] {
    (void)g;
    try {
      out.status = RunTiles(*a);
    } catch (const kymap::MapError& e) {
      throw Failure{e.what()};
    }
  });
}

}  // namespace kyfsl
