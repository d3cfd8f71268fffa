#include <gtest/gtest.h>

#include <tuple>

#include "KyFillStyleLib.h"
#include "KyMapStyles.h"

namespace {

using kymap::MapError;
using kymap::ParseStyles;

TEST(StylesFile, AWholeFileIsRead) {
  const kymap::StyleRules r = ParseStyles(R"({
    "field": "landuse",
    "default": {"style": 1, "outline": false},
    "classes": {
      "forest": {"style": 72, "fore": "#2E7D32", "back": "#E8F5E9", "transparent": true, "rate": 60,
                 "outline": {"colour": "#102030", "width": 0.5, "linestyle": 7}},
      "lake": {"gradient": "radial", "fore": "#FFFFFF", "back": "#1565C0", "angle": 450, "offset": [-20, 30],
               "label": "Lakes"}
    }})");
  EXPECT_EQ("landuse", r.field);
  ASSERT_EQ(2u, r.classes.size());
  const kymap::FillSpec& forest = r.classes[0].second;
  EXPECT_EQ("forest", r.classes[0].first);
  const std::string name = "forest";
  EXPECT_EQ(std::make_tuple(72L, RGB(0x2E, 0x7D, 0x32), RGB(0xE8, 0xF5, 0xE9), true, 60L, name),
            std::tie(forest.style, forest.fore, forest.back, forest.transparent, forest.rate, forest.label));
  EXPECT_EQ(std::make_tuple(RGB(0x10, 0x20, 0x30), 0.5, 7),
            std::tie(forest.outline.colour, forest.outline.widthMm, forest.outline.lineStyle));
  const kymap::FillSpec& lake = r.classes[1].second;
  EXPECT_EQ(std::make_tuple(2L, 450L, -20L, 30L, std::string("Lakes")),
            std::tie(lake.gradient, lake.angle, lake.hOffset, lake.vOffset, lake.label));
  EXPECT_EQ(1, r.fallback.style);
  EXPECT_FALSE(r.fallback.outline.visible);
  EXPECT_EQ(0, r.ClassOf("forest", false));
  EXPECT_EQ(1, r.ClassOf("lake", false));
  EXPECT_EQ(-1, r.ClassOf("forest", true));
  EXPECT_EQ(-1, r.ClassOf("urban", false));
}

TEST(StylesFile, MistakesSayWhereTheyAre) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"{\n  \"field\": \"a\",\n  \"classes\": {,}\n}",
       "STYLES.json: parse error at line 3, column 15: syntax error while parsing object key - unexpected ','; "
       "expected string literal"},
      {"[]", "STYLES.json: (top): must be an object with field, classes and default"},
      {R"({"field": "a", "classes": {"x": {"fore": "red"}}})",
       "STYLES.json: classes.x.fore: colour 'red' is not #RRGGBB"},
      {R"({"field": "a", "classes": {"x": {"rate": 101}}})", "STYLES.json: classes.x.rate: must be 0 to 100"},
      {R"({"field": "a", "classes": {"x": {"style": -3}}})",
       "STYLES.json: classes.x.style: must be 0 to 2147483647"},
      {R"({"field": "a", "classes": {"x": {"style": 8.5}}})", "STYLES.json: classes.x.style: must be a whole number"},
      {R"({"field": "a", "classes": {"x": {"gradient": "spiral"}}})",
       "STYLES.json: classes.x.gradient: 'spiral' is not none, linear, radial, conical or square"},
      {R"({"field": "a", "classes": {"x": {"colour": "#000000"}}})",
       "STYLES.json: classes.x.colour: is not a key of a style (style, gradient, angle, offset, fore, back, "
       "transparent, rate, label, outline)"},
      {R"({"field": "a", "classes": {"x": {"outline": {"width": -1}}}})",
       "STYLES.json: classes.x.outline.width: must be 0 to 50 (mm)"},
      {R"({"field": "a", "classes": {"x": {"offset": [1]}}})",
       "STYLES.json: classes.x.offset: must be [horizontal, vertical] in percent"},
      {R"({"classes": {"x": {}}})", "STYLES.json: field: is missing: the classes need a field"},
      {R"({"field": "a", "colours": {}})",
       "STYLES.json: colours: is not a key of a style file (field, classes, ranges, default)"},
      {R"({"field": "a", "classes": {"x": {"style": 9}, "x": {"style": 10}}})", "STYLES.json: x: is given twice"},
      {R"({"field": "a", "field": "b"})", "STYLES.json: field: is given twice"},
      {R"({"field": "a", "classes": {"x": {"outline": {"linestyle": 18446744073709551615}}}})",
       "STYLES.json: classes.x.outline.linestyle: must be -1 to 1000000"},
      {"{\"field\": \"a\", \"classes\": {\"x\\u0000y\": {\"fore\": \"red\"}}}",
       "STYLES.json: classes.x\\x00y.fore: colour 'red' is not #RRGGBB"},
      {R"({"field": "a", "ranges": [{"min": 5, "max": 1}]})", "STYLES.json: ranges[0]: min must not be above max"},
      {R"({"field": "a", "ranges": [{"max": 1}]})", "STYLES.json: ranges[0]: must be a style with min and max"},
      {R"({"field": "a", "ranges": [{"min": 0, "max": 1, "colour": "#000000"}]})",
       "STYLES.json: ranges[0].colour: is not a key of a range (min, max, style, gradient, angle, offset, fore, back, "
       "transparent, rate, label, outline)"},
      {R"({"field": "a", "classes": {"x": {"rate": 5E+88888}}})",
       "STYLES.json: number overflow parsing '5E+88888'"},
      {"", "STYLES.json: parse error at line 1, column 1: syntax error while parsing value - unexpected end of input; "
           "expected '[', '{', or a literal"},
  };
  for (const Case& c : cases) {
    try {
      ParseStyles(c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const MapError& e) {
      EXPECT_EQ(std::string(c.message), e.what()) << c.text;
    }
  }
}

TEST(StylesFile, ColoursAreExactlySevenCharacters) {
  EXPECT_EQ(RGB(0x12, 0x34, 0x56), kymap::ParseColour("#123456"));
  EXPECT_EQ(RGB(0xAB, 0xCD, 0xEF), kymap::ParseColour("#abcdef"));
  for (const char* bad : {"123456", "#12345", "#1234567", "#12345G", "#-12345", "# 12345"}) {
    EXPECT_THROW(kymap::ParseColour(bad), MapError) << bad;
  }
}

TEST(Classification, ValuesTakeStylesSpreadOverTheLibraryInOrder) {
  CKyFillStyleLib lib;
  ASSERT_TRUE(lib.CreateDefault());
  const long n = lib.GetCount();
  const kymap::StyleRules r = kymap::ClassifyBy("continent", {"Africa", "Asia", "Europe", "Oceania"}, lib);
  ASSERT_EQ(4u, r.classes.size());
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(lib.FindIndex(static_cast<long>(i * n / 4)), r.classes[i].second.style) << i;
    EXPECT_EQ(r.classes[i].first, r.classes[i].second.label);
  }
  EXPECT_NE(r.classes[0].second.fore, r.classes[1].second.fore);
  EXPECT_EQ(2, r.ClassOf("Europe", false));
  // More values than styles: the library is used round.
  std::vector<std::string> many;
  for (long i = 0; i < n + 3; ++i) many.push_back(std::to_string(i));
  const kymap::StyleRules m = kymap::ClassifyBy("v", many, lib);
  EXPECT_EQ(lib.FindIndex(2), m.classes[static_cast<size_t>(n + 2)].second.style);
}

TEST(StylesFile, RangesAndNumericKeysMatchNumbers) {
  kymap::StyleRules r = ParseStyles(R"({"field": "pop",
    "ranges": [{"min": 1000, "max": 5000, "style": 9}, {"min": 5000, "max": 1e9, "fore": "#800000"}],
    "classes": {"140": {"style": 10}, "2.50": {"style": 11}}})");
  // Single values first, then the ranges, in their order.
  ASSERT_EQ(4u, r.classes.size());
  EXPECT_EQ("1,000 \xE2\x80\x93 5,000", r.classes[2].second.label);
  EXPECT_EQ(9, r.classes[2].second.style);
  r.MatchFieldKind(kymap::FieldKind::kReal);
  EXPECT_EQ("140", r.classes[0].first);
  EXPECT_EQ("2.5", r.classes[1].first);
  EXPECT_EQ(0, r.ClassOf("140", false, 140));
  EXPECT_EQ(1, r.ClassOf("2.5", false, 2.5));
  EXPECT_EQ(2, r.ClassOf("5000", false, 5000));  // a value on a break: the lower class
  EXPECT_EQ(3, r.ClassOf("5001", false, 5001));
  EXPECT_EQ(-1, r.ClassOf("999", false, 999));
  // Whole number fields read "140.0" as 140; a key that is not a number, or
  // two keys of one number, are mistakes.
  kymap::StyleRules w = ParseStyles(R"({"field": "n", "classes": {"140.0": {"style": 10}}})");
  w.MatchFieldKind(kymap::FieldKind::kInteger);
  EXPECT_EQ("140", w.classes[0].first);
  struct Case {
    const char* text;
    kymap::FieldKind kind;
    const char* message;
  } const cases[] = {
      {R"({"field": "n", "classes": {"abc": {}}})", kymap::FieldKind::kInteger,
       "STYLES.json: classes.abc: the field 'n' holds numbers, and this key is not one"},
      {R"({"field": "n", "classes": {"140": {}, "140.0": {}}})", kymap::FieldKind::kReal,
       "STYLES.json: classes.140.0: the number 140 has a class already"},
      {R"({"field": "n", "ranges": [{"min": 0, "max": 1}]})", kymap::FieldKind::kText,
       "STYLES.json: ranges: the field 'n' holds text, not numbers"},
  };
  for (const Case& c : cases) {
    kymap::StyleRules rules = ParseStyles(c.text);
    try {
      rules.MatchFieldKind(c.kind);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const MapError& e) {
      EXPECT_EQ(std::string(c.message), e.what());
    }
  }
}

}  // namespace
