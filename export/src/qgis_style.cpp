// The style XML that the QGIS Style Manager imports (qgis_style version 2).
#include "KyExportText.h"
#include "KyFormatWriters.h"

namespace kyexport {

namespace {

std::string Prop(const std::string& key, const std::string& value) {
  return "        <prop k=\"" + key + "\" v=\"" + XmlEscape(value) + "\"/>\n";
}

// A fill symbol layer of SVGFill or GradientFill has an outline sub-symbol
// that QGIS would draw as a thin black line; ours draws none.
std::string NoOutline(const std::string& owner) {
  return "        <symbol alpha=\"1\" clip_to_extent=\"1\" type=\"line\" force_rhr=\"0\" name=\"@" + XmlEscape(owner) +
         "@0\">\n"
         "          <layer class=\"SimpleLine\" enabled=\"1\" locked=\"0\" pass=\"0\">\n"
         "            <prop k=\"line_style\" v=\"no\"/>\n"
         "            <prop k=\"line_width\" v=\"0\"/>\n"
         "          </layer>\n"
         "        </symbol>\n";
}

std::string SymbolOpen(const std::string& name, double alpha, const std::string& tags) {
  return "    <symbol alpha=\"" + Number(alpha, 4) + "\" clip_to_extent=\"1\" type=\"fill\" force_rhr=\"0\" name=\"" +
         XmlEscape(name) + "\" tags=\"" + XmlEscape(tags) + "\">\n";
}

std::string SvgFillSymbol(const DrawnStyle& s, double alpha) {
  const std::string name = std::to_string(s.entry.id) + " " + s.entry.name;
  // QGIS splits tags at commas; a comma in a group name must not cut the
  // path in two.
  std::string tag = s.entry.group;
  for (char& c : tag) {
    if (c == ',') c = ';';
  }
  std::string out = SymbolOpen(name, alpha, tag);
  out += "      <layer class=\"SVGFill\" enabled=\"1\" locked=\"0\" pass=\"0\">\n";
  out += Prop("angle", "0");
  out += Prop("svgFile", "base64:" + Base64(s.svg));
  out += Prop("width", Number(s.tile.widthMm));
  out += Prop("pattern_width_unit", "MM");
  out += Prop("svg_outline_width", "0");
  out += Prop("svg_outline_width_unit", "MM");
  out += Prop("outline_width_unit", "MM");
  out += NoOutline(name);
  out += "      </layer>\n    </symbol>\n";
  return out;
}

// The picker's four gradient kinds. QGIS has no square gradient; it is
// drawn as the radial one, circles instead of squares around the same centre
// with the same colours.
std::string GradientSymbol(const char* name, int type, const QgisGradientColours& g, double alpha) {
  std::string out = SymbolOpen(name, alpha, "Gradients");
  out += "      <layer class=\"GradientFill\" enabled=\"1\" locked=\"0\" pass=\"0\">\n";
  out += Prop("type", std::to_string(type == 3 ? 1 : type));
  out += Prop("coordinate_mode", "0");  // the feature's bounding box
  out += Prop("spread", "0");           // pad
  out += Prop("angle", "0");
  out += Prop("color", QgisColour(g.start));
  out += Prop("gradient_color2", QgisColour(g.end));
  switch (type) {
    case 0:  // linear: start on the left, end on the right
      out += Prop("color_type", "0");
      out += Prop("reference_point1", "0,0.5");
      out += Prop("reference_point2", "1,0.5");
      break;
    case 1:  // radial and square: start at the centre, end at the corners
    case 3:
      out += Prop("color_type", "0");
      out += Prop("reference_point1", "0.5,0.5");
      out += Prop("reference_point2", "0,0");
      break;
    case 2:  // conical: start to the right, end opposite, both halves alike
      out += Prop("color_type", "1");
      out += Prop("rampType", "gradient");
      out += Prop("color1", QgisColour(g.start));
      out += Prop("color2", QgisColour(g.start));
      out += Prop("stops", "0.5;" + QgisColour(g.end));
      out += Prop("discrete", "0");
      out += Prop("reference_point1", "0.5,0.5");
      out += Prop("reference_point2", "1,0.5");
      break;
  }
  out += Prop("reference_point1_iscentroid", "0");
  out += Prop("reference_point2_iscentroid", "0");
  out += NoOutline(name);
  out += "      </layer>\n    </symbol>\n";
  return out;
}

}  // namespace

std::string QgisStyleXml(const std::vector<DrawnStyle>& styles, long rate, const QgisGradientColours& gradient) {
  const double alpha = ClampRate(rate) / 100.0;
  std::string xml = "<!DOCTYPE qgis_style>\n<qgis_style version=\"2\">\n  <symbols>\n";
  for (const DrawnStyle& s : styles) xml += SvgFillSymbol(s, alpha);
  xml += GradientSymbol("Linear", 0, gradient, alpha);
  xml += GradientSymbol("Radial", 1, gradient, alpha);
  xml += GradientSymbol("Conical", 2, gradient, alpha);
  xml += GradientSymbol("Square", 3, gradient, alpha);
  xml += "  </symbols>\n  <colorramps/>\n</qgis_style>\n";
  return xml;
}

}  // namespace kyexport
