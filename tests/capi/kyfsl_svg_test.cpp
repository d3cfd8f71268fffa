#include <gtest/gtest.h>

#include <string>

#include "capi_fixture.h"

namespace {

TEST(CapiSvg, StyleAsSvgAtItsPhysicalSizeOrAnError) {
  kytest::LibraryPtr lib = kytest::OpenSmallLibrary();
  kyfsl_paint p;
  kyfsl_paint_init(&p);
  p.fore = 0x123456;
  char* svg = nullptr;
  size_t length = 0;
  ASSERT_EQ(kyfsl_style_svg(lib.get(), 8, &p, &svg, &length), KYFSL_OK) << kyfsl_last_error();
  const std::string text(svg);
  kyfsl_free(svg);
  EXPECT_EQ(text.size(), length);
  EXPECT_NE(text.find("width=\"0.8mm\""), std::string::npos) << text;
  EXPECT_NE(text.find("#123456"), std::string::npos) << text;
  EXPECT_NE(text.find("<title>Checker</title>"), std::string::npos) << text;
  EXPECT_EQ(kyfsl_style_svg(lib.get(), 8, &p, &svg, nullptr), KYFSL_OK);
  kyfsl_free(svg);
  // Bad arguments give no text.
  svg = nullptr;
  EXPECT_EQ(kyfsl_style_svg(lib.get(), 8, &p, nullptr, nullptr), KYFSL_ERR_ARGUMENT);
  EXPECT_EQ(kyfsl_style_svg(lib.get(), 8, nullptr, &svg, nullptr), KYFSL_ERR_ARGUMENT);
  EXPECT_EQ(kyfsl_style_svg(lib.get(), 12, &p, &svg, nullptr), KYFSL_ERR_NOT_FOUND);
  EXPECT_EQ(kyfsl_style_svg(nullptr, 8, &p, &svg, nullptr), KYFSL_ERR_HANDLE);
  EXPECT_EQ(svg, nullptr);
  kyfsl_free(nullptr);
}

}  // namespace
