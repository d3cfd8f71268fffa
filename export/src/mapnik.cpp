// A Mapnik map file that holds one style per fill style and no layers; a
// map adds layers that name the styles ("fill-23").
#include "KyExportText.h"
#include "KyFormatWriters.h"

namespace kyexport {

namespace {

// Text inside an XML comment may not hold "--" nor end in "-".
std::string CommentText(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '-' && !out.empty() && out.back() == '-') out += ' ';
    out += c;
  }
  if (!out.empty() && out.back() == '-') out += ' ';
  return out;
}

}  // namespace

std::string MapnikXml(const std::vector<DrawnStyle>& styles, long rate) {
  const std::string opacity = Number(ClampRate(rate) / 100.0, 2);
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Map>\n";
  for (const DrawnStyle& s : styles) {
    std::string about = std::to_string(s.entry.id) + " " + s.entry.name;
    if (!s.entry.group.empty()) about += " (" + s.entry.group + ")";
    xml += "  <!-- " + CommentText(XmlEscape(about)) + " -->\n";
    // Global alignment lays every polygon's tiles on one grid, as the
    // module lays its own from one origin per shape set.
    xml += "  <Style name=\"fill-" + std::to_string(s.entry.id) + "\">\n    <Rule>\n"
           "      <PolygonPatternSymbolizer file=\"" + XmlEscape(s.file) + "\" alignment=\"global\" opacity=\"" +
           opacity + "\"/>\n    </Rule>\n  </Style>\n";
  }
  return xml + "</Map>\n";
}

}  // namespace kyexport
