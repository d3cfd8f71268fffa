// Styled Layer Descriptor 1.1 with Symbology Encoding 1.1.
#include "KyExportText.h"
#include "KyFormatWriters.h"

namespace kyexport {

std::string SldXml(const std::vector<DrawnStyle>& styles, long rate) {
  const std::string opacity = Number(ClampRate(rate) / 100.0, 2);
  std::string xml =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<StyledLayerDescriptor version=\"1.1.0\" xmlns=\"http://www.opengis.net/sld\" "
      "xmlns:se=\"http://www.opengis.net/se\" xmlns:ogc=\"http://www.opengis.net/ogc\" "
      "xmlns:xlink=\"http://www.w3.org/1999/xlink\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
      "xsi:schemaLocation=\"http://www.opengis.net/sld "
      "http://schemas.opengis.net/sld/1.1.0/StyledLayerDescriptor.xsd\">\n"
      "  <NamedLayer>\n    <se:Name>fill styles</se:Name>\n    <UserStyle>\n      <se:Name>fill styles</se:Name>\n"
      "      <se:FeatureTypeStyle>\n";
  for (const DrawnStyle& s : styles) {
    const std::string id = std::to_string(s.entry.id);
    xml += "        <se:Rule>\n          <se:Name>" + id + "</se:Name>\n";
    xml += "          <se:Description>\n            <se:Title>" + XmlEscape(id + " " + s.entry.name) +
           "</se:Title>\n";
    if (!s.entry.group.empty()) xml += "            <se:Abstract>" + XmlEscape(s.entry.group) + "</se:Abstract>\n";
    xml += "          </se:Description>\n";
    xml += "          <ogc:Filter>\n            <ogc:PropertyIsEqualTo>\n"
           "              <ogc:PropertyName>fill_style</ogc:PropertyName>\n"
           "              <ogc:Literal>" + id + "</ogc:Literal>\n"
           "            </ogc:PropertyIsEqualTo>\n          </ogc:Filter>\n";
    // Sizes in metres of paper, so that the tile keeps its physical width.
    xml += "          <se:PolygonSymbolizer uom=\"http://www.opengeospatial.org/se/units/metre\">\n"
           "            <se:Fill>\n              <se:GraphicFill>\n                <se:Graphic>\n"
           "                  <se:ExternalGraphic>\n"
           "                    <se:OnlineResource xlink:type=\"simple\" xlink:href=\"" + XmlEscape(s.file) + "\"/>\n"
           "                    <se:Format>image/svg+xml</se:Format>\n"
           "                  </se:ExternalGraphic>\n"
           "                  <se:Size>" + Number(s.tile.widthMm / 1000.0, 9) + "</se:Size>\n"
           "                </se:Graphic>\n              </se:GraphicFill>\n"
           "              <se:SvgParameter name=\"fill-opacity\">" + opacity + "</se:SvgParameter>\n"
           "            </se:Fill>\n          </se:PolygonSymbolizer>\n        </se:Rule>\n";
  }
  xml += "      </se:FeatureTypeStyle>\n    </UserStyle>\n  </NamedLayer>\n</StyledLayerDescriptor>\n";
  return xml;
}

}  // namespace kyexport
