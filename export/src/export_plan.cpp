#include "KyExportPlan.h"

#include "KyFormatWriters.h"

namespace kyexport {

bool ParseFormat(const std::string& text, ExportFormat* format) {
  static const struct {
    const char* name;
    ExportFormat format;
  } kFormats[] = {
      {"svg", ExportFormat::Svg}, {"qgis", ExportFormat::Qgis}, {"sld", ExportFormat::Sld},
      {"mapnik", ExportFormat::Mapnik}};
  for (const auto& f : kFormats) {
    if (text == f.name) {
      *format = f.format;
      return true;
    }
  }
  return false;
}

bool WritesFolder(ExportFormat format) { return format != ExportFormat::Qgis; }

long ClampRate(long rate) { return rate < 0 ? 0 : rate > 100 ? 100 : rate; }

bool DrawStyles(const std::vector<ExportEntry>& entries, const SvgColours& colours, std::vector<DrawnStyle>* drawn,
                std::string* error) {
  drawn->clear();
  for (const ExportEntry& e : entries) {
    DrawnStyle d;
    d.entry = e;
    std::string why;
    if (!SvgTileOf(*e.style, &d.tile, &why) ||
        (d.svg = StyleToSvg(*e.style, colours, std::to_string(e.id) + " " + e.name, &why)).empty()) {
      *error = "style " + std::to_string(e.id) + " " + why;
      drawn->clear();
      return false;
    }
    d.file = e.stem + ".svg";
    drawn->push_back(std::move(d));
  }
  return true;
}

bool PlanExport(ExportFormat format, const std::vector<ExportEntry>& entries, const ExportOptions& options,
                std::vector<ExportFile>* files, std::string* error) {
  files->clear();
  std::vector<DrawnStyle> drawn;
  if (!DrawStyles(entries, options.colours, &drawn, error)) return false;
  const long rate = ClampRate(options.rate);
  switch (format) {
    case ExportFormat::Qgis:
      files->push_back({"", QgisStyleXml(drawn, rate, QgisGradientColours{options.colours.fore, options.colours.back})});
      return true;
    case ExportFormat::Svg:
      files->push_back({"index.html", IndexHtml(drawn)});
      for (DrawnStyle& d : drawn) d.svg = WithOpacity(d.svg, rate);
      break;
    case ExportFormat::Sld:
      files->push_back({"styles.sld", SldXml(drawn, rate)});
      break;
    case ExportFormat::Mapnik:
      files->push_back({"mapnik.xml", MapnikXml(drawn, rate)});
      break;
  }
  for (DrawnStyle& d : drawn) files->push_back({d.file, std::move(d.svg)});
  return true;
}

}  // namespace kyexport
