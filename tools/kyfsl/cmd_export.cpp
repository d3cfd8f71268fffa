// kyfsl export: a library's styles for other map programs (SVG tiles, QGIS
// style XML, SLD, Mapnik XML).
#include <cctype>

#include "KyExportFiles.h"
#include "afxreplacefile.h"
#include "device.h"

namespace kyfsl {

namespace {

struct ExportArgs {
  Source src;
  std::string format;
  std::string output;
  std::string fore = "#000000";
  std::string back = "#FFFFFF";
  bool transparent = false;
  long rate = 100;
  std::string ids;
  UINT codePage = 0;
};

// Library text as UTF-8; bytes that are not text of the code page are
// refused rather than shown as replacement marks.
kyexport::NameDecoder ExportNameDecoder(const Globals& g) {
  return [g](const CString& text, std::string* utf8) {
    try {
      *utf8 = ToUtf8(text, g);
      return FromUtf8(*utf8, g) == text;
    } catch (const Failure&) {
      return false;
    }
  };
}

bool EndsWithXml(const std::string& path) {
  if (path.size() < 4 || path.find('/', path.size() - 4) != std::string::npos) return false;
  std::string ext = path.substr(path.size() - 4);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".xml";
}

bool WriteWhole(const std::string& path, const std::string& content, std::string* error) {
  CFileException e;
  if (AfxWriteFileReplacing(path.c_str(), content.data(), content.size(), &e)) return true;
  e.m_strFileName.Empty();
  *error = e.GetErrorMessage().str();
  return false;
}

int RunExport(const ExportArgs& a, const Globals& global) {
  kyexport::ExportFormat format;
  if (!kyexport::ParseFormat(a.format, &format)) {
    throw Failure{"unknown format '" + a.format + "': use svg, qgis, sld or mapnik", 2};
  }
  CheckSource(a.src);
  // QGIS's Style Manager offers only .xml files to import: a style file
  // without the extension would be written but never found.
  if (format == kyexport::ExportFormat::Qgis && !EndsWithXml(a.output)) {
    throw Failure{"'" + a.output + "': the QGIS style must be named .xml", 2};
  }
  kyexport::ExportOptions options;
  options.colours = kyexport::SvgColours{ParseColour(a.fore), ParseColour(a.back), a.transparent};
  options.rate = a.rate;
  std::vector<kyexport::IdRange> ranges;
  if (!a.ids.empty()) {
    for (const auto& [first, last] : ParseIdRanges(a.ids)) ranges.push_back({first, last});
  }

  CKyFillStyleLib lib;
  LoadLibrary(a.src, lib);
  Globals g = global;
  if (a.codePage) g.codePage = a.codePage;
  g = ForLibrary(g, lib);
  std::vector<kyexport::ExportEntry> entries;
  std::vector<kyexport::ExportFile> files;
  std::string error;
  if (!kyexport::CollectEntriesInRanges(lib, ranges, ExportNameDecoder(g), &entries, &error) ||
      !kyexport::PlanExport(format, entries, options, &files, &error) ||
      !kyexport::WritePlan(files, a.output, kyexport::WritesFolder(format), WriteWhole, &error)) {
    throw Failure{error};
  }
  std::printf("exported %zu styles to '%s'\n", entries.size(), a.output.c_str());
  return 0;
}

}  // namespace

void RegisterExport(CLI::App& app, const Globals& g, Outcome& out) {
  auto* sub = app.add_subcommand("export", "write styles for other map programs: svg, qgis, sld or mapnik");
  auto a = std::make_shared<ExportArgs>();
  AddSourceOptions(sub, a->src);
  sub->add_option("--format", a->format, "svg (a folder of .svg files and index.html), qgis (a style .xml), "
                                         "sld or mapnik (a folder: the style file and the .svg files)")
      ->required();
  sub->add_option("-o,--output", a->output, "folder to write (svg, sld, mapnik) or .xml file (qgis)")->required();
  sub->add_option("--fore", a->fore, "foreground colour #RRGGBB of two-colour patterns and symbols");
  sub->add_option("--back", a->back, "background colour #RRGGBB");
  sub->add_flag("--transparent", a->transparent, "leave the background of two-colour patterns and symbols out");
  sub->add_option("--rate", a->rate, "opacity in percent (default 100)");
  sub->add_option("--ids", a->ids, "styles to export, e.g. 8,9,12-15 (default: all)");
  sub->add_option("--codepage", a->codePage, "code page of the library's names (default: 936 for --default)");
  sub->callback([a, &g, &out] { out.status = RunExport(*a, g); });
}

}  // namespace kyfsl
