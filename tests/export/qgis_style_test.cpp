// The QGIS style XML, read back with a parser.
#include <gtest/gtest.h>

#include "KyExportText.h"
#include "KyFormatWriters.h"
#include "drawn_styles.h"
#include "xml_tree.h"

namespace {

std::map<std::string, std::string> Props(const kytest::XmlNode& layer) {
  std::map<std::string, std::string> out;
  for (const kytest::XmlNode* p : layer.All("prop")) out[p->Attr("k")] = p->Attr("v");
  return out;
}

TEST(QgisStyle, OneSvgFillSymbolPerStyleThenTheGradients) {
  const auto styles = kytest::TwoDrawnStyles();
  std::string error;
  const auto doc = kytest::ParseXml(kyexport::QgisStyleXml(styles, 60, {RGB(255, 0, 0), RGB(0, 0, 255)}), &error);
  ASSERT_TRUE(doc) << error;
  EXPECT_EQ(doc->name, "qgis_style");
  EXPECT_EQ(doc->Attr("version"), "2");
  const auto symbols = doc->First("symbols")->All("symbol");
  ASSERT_EQ(symbols.size(), 6u);

  struct Expect {
    const char* name;
    const char* tags;
    const char* width;
    std::string svg;
  };
  const Expect fills[] = {{"8 Sand", "Ground/Loose; dry", "2.508642", "<svg>8</svg>\n"},
                          {"23 Trees & <shrubs> -- \"old\"", "", "10", "<svg>23</svg>\n"}};
  for (size_t i = 0; i < 2; ++i) {
    const kytest::XmlNode& s = *symbols[i];
    EXPECT_EQ(s.Attr("name"), fills[i].name);
    EXPECT_EQ(s.Attr("type"), "fill");
    EXPECT_EQ(s.Attr("alpha"), "0.6");
    EXPECT_EQ(s.Attr("tags"), fills[i].tags);
    const kytest::XmlNode* layer = s.First("layer");
    ASSERT_TRUE(layer);
    EXPECT_EQ(layer->Attr("class"), "SVGFill");
    auto props = Props(*layer);
    EXPECT_EQ(props["svgFile"], "base64:" + kyexport::Base64(fills[i].svg));
    EXPECT_EQ(props["width"], fills[i].width);
    EXPECT_EQ(props["pattern_width_unit"], "MM");
    // The outline sub-symbol draws nothing.
    const kytest::XmlNode* outline = layer->Path("symbol/layer");
    ASSERT_TRUE(outline);
    EXPECT_EQ(Props(*outline)["line_style"], "no");
  }

  struct Gradient {
    const char* name;
    const char* type;
    const char* colourType;
    const char* p1;
    const char* p2;
  };
  const Gradient gradients[] = {{"Linear", "0", "0", "0,0.5", "1,0.5"},
                                {"Radial", "1", "0", "0.5,0.5", "0,0"},
                                {"Conical", "2", "1", "0.5,0.5", "1,0.5"},
                                {"Square", "1", "0", "0.5,0.5", "0,0"}};
  for (size_t i = 0; i < 4; ++i) {
    const kytest::XmlNode& s = *symbols[2 + i];
    EXPECT_EQ(s.Attr("name"), gradients[i].name);
    EXPECT_EQ(s.Attr("tags"), "Gradients");
    ASSERT_TRUE(s.First("layer"));
    EXPECT_EQ(s.First("layer")->Attr("class"), "GradientFill");
    auto props = Props(*s.First("layer"));
    EXPECT_EQ(props["type"], gradients[i].type) << gradients[i].name;
    EXPECT_EQ(props["color_type"], gradients[i].colourType) << gradients[i].name;
    EXPECT_EQ(props["color"], "255,0,0,255");
    EXPECT_EQ(props["gradient_color2"], "0,0,255,255");
    EXPECT_EQ(props["reference_point1"], gradients[i].p1) << gradients[i].name;
    EXPECT_EQ(props["reference_point2"], gradients[i].p2) << gradients[i].name;
  }
  // The conical ramp runs start, end, start, so both halves match.
  auto conical = Props(*symbols[4]->First("layer"));
  EXPECT_EQ(conical["color1"], "255,0,0,255");
  EXPECT_EQ(conical["color2"], "255,0,0,255");
  EXPECT_EQ(conical["stops"], "0.5;0,0,255,255");
}

TEST(QgisStyle, RateIsClamped) {
  const auto styles = kytest::TwoDrawnStyles();
  for (auto [rate, alpha] : {std::pair<long, const char*>{-5, "0"}, {250, "1"}, {100, "1"}}) {
    const auto doc = kytest::ParseXml(kyexport::QgisStyleXml(styles, rate, {}), nullptr);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->First("symbols")->First("symbol")->Attr("alpha"), alpha) << rate;
  }
}

}  // namespace
