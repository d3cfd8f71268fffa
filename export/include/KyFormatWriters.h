// The documents of each format, built from styles already drawn as SVG
// (KyExportPlan.h). Each returns the whole document as UTF-8 text.
//
//   IndexHtml     a page showing every SVG as a repeated fill at its
//                 physical size, with id, name and group
//   QgisStyleXml  <qgis_style version="2">: one fill symbol per style named
//                 "ID NAME", an SVGFill layer with the SVG embedded
//                 (base64), its width in millimetres, the group path as tag;
//                 then the four gradient kinds as GradientFill symbols
//   SldXml        SE 1.1: one Rule per style (named by id, selected by the
//                 feature's "fill_style" attribute) in one FeatureTypeStyle;
//                 a PolygonSymbolizer whose GraphicFill points at the SVG
//                 file, its size in metres of paper
//   MapnikXml     a <Map> holding one Style per style ("fill-ID") with a
//                 PolygonPatternSymbolizer on the SVG file, global alignment
#pragma once

#include <string>
#include <vector>

#include "KyExportPlan.h"

namespace kyexport {

std::string IndexHtml(const std::vector<DrawnStyle>& styles);

struct QgisGradientColours {
  COLORREF start = 0x000000;
  COLORREF end = 0xFFFFFF;
};
std::string QgisStyleXml(const std::vector<DrawnStyle>& styles, long rate, const QgisGradientColours& gradient);

std::string SldXml(const std::vector<DrawnStyle>& styles, long rate);

std::string MapnikXml(const std::vector<DrawnStyle>& styles, long rate);

}  // namespace kyexport
