// An export planned in memory: every style drawn as SVG first, then the
// files of the chosen format built from those drawings. Nothing touches the
// disk here, so a style that cannot be drawn stops the export before any
// file exists (KyExportFiles.h writes a plan).
#pragma once

#include <string>
#include <vector>

#include "KyExportEntry.h"
#include "KySvgWriter.h"

namespace kyexport {

enum class ExportFormat { Svg, Qgis, Sld, Mapnik };

// "svg", "qgis", "sld" or "mapnik". Returns false for anything else.
bool ParseFormat(const std::string& text, ExportFormat* format);
// Whether the format writes a folder (svg, sld, mapnik) or one file (qgis).
bool WritesFolder(ExportFormat format);

struct ExportOptions {
  SvgColours colours;
  long rate = 100;  // opacity in percent; below 0 counts as 0, above 100 as 100
};

// One style drawn: its entry, its tile and SVG text and the SVG's file name.
struct DrawnStyle {
  ExportEntry entry;
  SvgTile tile;
  std::string svg;
  std::string file;  // stem + ".svg"
};

struct ExportFile {
  std::string name;  // inside the output folder; "" for the output file itself
  std::string content;
};

// Draws every entry. Returns false with *error ("style 9 has a damaged
// pattern image") for the first style that cannot be drawn.
bool DrawStyles(const std::vector<ExportEntry>& entries, const SvgColours& colours, std::vector<DrawnStyle>* drawn,
                std::string* error);

// The files of an export. Returns false with *error as DrawStyles.
bool PlanExport(ExportFormat format, const std::vector<ExportEntry>& entries, const ExportOptions& options,
                std::vector<ExportFile>* files, std::string* error);

// The opacity rate clamped to 0..100.
long ClampRate(long rate);

}  // namespace kyexport
