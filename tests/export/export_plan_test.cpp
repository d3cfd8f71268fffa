// Which files each format plans, and a style that cannot be drawn.
#include "KyExportPlan.h"

#include <gtest/gtest.h>

#include "lib_builder.h"

namespace {

using kyexport::ExportFormat;

std::vector<kyexport::ExportEntry> Entries(CKyFillStyleLib& lib) {
  std::vector<kyexport::ExportEntry> entries;
  std::string error;
  EXPECT_TRUE(kyexport::CollectEntries(lib, {}, kyexport::CodePageDecoder(936), &entries, &error)) << error;
  return entries;
}

TEST(ExportPlan, Formats) {
  struct Case {
    const char* text;
    bool ok;
    ExportFormat format;
    bool folder;
  };
  const Case cases[] = {{"svg", true, ExportFormat::Svg, true},
                        {"qgis", true, ExportFormat::Qgis, false},
                        {"sld", true, ExportFormat::Sld, true},
                        {"mapnik", true, ExportFormat::Mapnik, true},
                        {"SVG", false, ExportFormat::Svg, true},
                        {"png", false, ExportFormat::Svg, true}};
  for (const Case& c : cases) {
    ExportFormat f = ExportFormat::Svg;
    EXPECT_EQ(kyexport::ParseFormat(c.text, &f), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(f, c.format) << c.text;
      EXPECT_EQ(kyexport::WritesFolder(f), c.folder) << c.text;
    }
  }
}

TEST(ExportPlan, FilesOfEachFormat) {
  CKyFillStyleLib lib;
  kytest::AddBitmap(lib, 8, "a");
  kytest::AddBitmap(lib, 9, "b c");
  const auto entries = Entries(lib);
  struct Case {
    ExportFormat format;
    std::vector<std::string> names;
  };
  const Case cases[] = {{ExportFormat::Svg, {"index.html", "8-a.svg", "9-b_c.svg"}},
                        {ExportFormat::Qgis, {""}},
                        {ExportFormat::Sld, {"styles.sld", "8-a.svg", "9-b_c.svg"}},
                        {ExportFormat::Mapnik, {"mapnik.xml", "8-a.svg", "9-b_c.svg"}}};
  for (const Case& c : cases) {
    std::vector<kyexport::ExportFile> files;
    std::string error;
    ASSERT_TRUE(kyexport::PlanExport(c.format, entries, {}, &files, &error)) << error;
    std::vector<std::string> names;
    for (const auto& f : files) names.push_back(f.name);
    EXPECT_EQ(names, c.names);
    for (const auto& f : files) EXPECT_FALSE(f.content.empty()) << f.name;
  }
}

// Only the SVG format's own files carry the rate; SLD and Mapnik say it in
// their XML and use the plain tiles.
TEST(ExportPlan, RateGoesIntoTheSvgFilesOfTheSvgFormatOnly) {
  CKyFillStyleLib lib;
  kytest::AddBitmap(lib, 8, "a");
  const auto entries = Entries(lib);
  const struct {
    ExportFormat format;
    bool inSvg;
  } cases[] = {{ExportFormat::Svg, true}, {ExportFormat::Sld, false}, {ExportFormat::Mapnik, false}};
  for (const auto& c : cases) {
    kyexport::ExportOptions options;
    options.rate = 40;
    std::vector<kyexport::ExportFile> files;
    std::string error;
    ASSERT_TRUE(kyexport::PlanExport(c.format, entries, options, &files, &error)) << error;
    ASSERT_EQ(files.back().name, "8-a.svg");
    EXPECT_EQ(files.back().content.find("<g opacity=\"0.4\">") != std::string::npos, c.inSvg);
  }
}

TEST(ExportPlan, AStyleThatCannotBeDrawnStopsThePlan) {
  CKyFillStyleLib lib;
  kytest::AddBitmap(lib, 8, "a");
  kytest::AddVector(lib, 9, "v", 99);  // symbol 99 is not in the library's symbol library
  std::vector<kyexport::ExportFile> files;
  std::string error;
  EXPECT_FALSE(kyexport::PlanExport(ExportFormat::Svg, Entries(lib), {}, &files, &error));
  EXPECT_EQ(error, "style 9 draws symbol 99, which the library's symbol library lacks");
  EXPECT_TRUE(files.empty());
}

}  // namespace
