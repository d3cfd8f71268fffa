// The SLD document, read back with a parser.
#include <gtest/gtest.h>

#include "KyFormatWriters.h"
#include "drawn_styles.h"
#include "xml_tree.h"

namespace {

TEST(Sld, OneRulePerStyleWithItsGraphicFill) {
  std::string error;
  const auto doc = kytest::ParseXml(kyexport::SldXml(kytest::TwoDrawnStyles(), 45), &error);
  ASSERT_TRUE(doc) << error;
  EXPECT_EQ(doc->name, "StyledLayerDescriptor");
  EXPECT_EQ(doc->Attr("version"), "1.1.0");
  const kytest::XmlNode* fts = doc->Path("NamedLayer/UserStyle/se:FeatureTypeStyle");
  ASSERT_TRUE(fts);
  const auto rules = fts->All("se:Rule");
  ASSERT_EQ(rules.size(), 2u);
  struct Expect {
    const char* id;
    const char* title;
    const char* href;
    const char* size;
  };
  const Expect expect[] = {{"8", "8 Sand", "8-Sand.svg", "0.002508642"},
                           {"23", "23 Trees & <shrubs> -- \"old\"", "23-Trees____shrubs_____old_.svg", "0.01"}};
  for (size_t i = 0; i < 2; ++i) {
    const kytest::XmlNode& r = *rules[i];
    EXPECT_EQ(r.First("se:Name")->text, expect[i].id);
    EXPECT_EQ(r.Path("se:Description/se:Title")->text, expect[i].title);
    EXPECT_EQ(r.Path("ogc:Filter/ogc:PropertyIsEqualTo/ogc:Literal")->text, expect[i].id);
    const kytest::XmlNode* sym = r.First("se:PolygonSymbolizer");
    ASSERT_TRUE(sym);
    EXPECT_EQ(sym->Attr("uom"), "http://www.opengeospatial.org/se/units/metre");
    const kytest::XmlNode* graphic = sym->Path("se:Fill/se:GraphicFill/se:Graphic");
    ASSERT_TRUE(graphic);
    EXPECT_EQ(graphic->Path("se:ExternalGraphic/se:OnlineResource")->Attr("xlink:href"), expect[i].href);
    EXPECT_EQ(graphic->Path("se:ExternalGraphic/se:Format")->text, "image/svg+xml");
    EXPECT_EQ(graphic->First("se:Size")->text, expect[i].size);
    const kytest::XmlNode* opacity = sym->Path("se:Fill/se:SvgParameter");
    EXPECT_EQ(opacity->Attr("name"), "fill-opacity");
    EXPECT_EQ(opacity->text, "0.45");
  }
  EXPECT_EQ(rules[0]->Path("se:Description/se:Abstract")->text, "Ground/Loose, dry");
  EXPECT_EQ(rules[1]->Path("se:Description/se:Abstract"), nullptr);
}

}  // namespace
