// The Mapnik style file, read back with a parser.
#include <gtest/gtest.h>

#include "KyFormatWriters.h"
#include "drawn_styles.h"
#include "xml_tree.h"

namespace {

TEST(Mapnik, OneStylePerFillStyle) {
  std::string error;
  const std::string xml = kyexport::MapnikXml(kytest::TwoDrawnStyles(), 120);
  const auto doc = kytest::ParseXml(xml, &error);
  ASSERT_TRUE(doc) << error;  // the "--" of a name must not break the comment
  EXPECT_EQ(doc->name, "Map");
  const auto styles = doc->All("Style");
  ASSERT_EQ(styles.size(), 2u);
  const char* names[] = {"fill-8", "fill-23"};
  const char* files[] = {"8-Sand.svg", "23-Trees____shrubs_____old_.svg"};
  for (size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(styles[i]->Attr("name"), names[i]);
    const kytest::XmlNode* sym = styles[i]->Path("Rule/PolygonPatternSymbolizer");
    ASSERT_TRUE(sym);
    EXPECT_EQ(sym->Attr("file"), files[i]);
    EXPECT_EQ(sym->Attr("alignment"), "global");
    EXPECT_EQ(sym->Attr("opacity"), "1");
  }
  EXPECT_NE(xml.find("<!-- 23 Trees &amp; &lt;shrubs&gt; - - &quot;old&quot; -->"), std::string::npos);
}

}  // namespace
