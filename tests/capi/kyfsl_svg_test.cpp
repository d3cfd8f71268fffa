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

TEST(CapiSvg, TitleIsWellFormedWhateverTheName) {
  struct Case {
    const char* name;
    const char* stored;
    unsigned page;
    const char* title;
  } cases[] = {
      {"controls dropped", "A\x01<B>\x7F\tC", 1252, "<title>A&lt;B&gt;C</title>"},
      {"invalid UTF-8 replaced", "x\xFF", 65001, "<title>x\xEF\xBF\xBD</title>"},
      {"only controls: no title", "\x1B\x1B", 1252, nullptr},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> image = kytest::OneStyleImage(c.stored);
    kyfsl_library* lib = nullptr;
    ASSERT_EQ(kyfsl_open_bytes(image.data(), image.size(), c.page, &lib), KYFSL_OK) << c.name;
    kyfsl_paint p;
    kyfsl_paint_init(&p);
    char* svg = nullptr;
    ASSERT_EQ(kyfsl_style_svg(lib, 8, &p, &svg, nullptr), KYFSL_OK) << c.name << ": " << kyfsl_last_error();
    const std::string text(svg);
    kyfsl_free(svg);
    kyfsl_close(lib);
    if (c.title) {
      EXPECT_NE(text.find(c.title), std::string::npos) << c.name << "\n" << text;
    } else {
      EXPECT_EQ(text.find("<title>"), std::string::npos) << c.name << "\n" << text;
    }
    for (char ch : text) {
      const unsigned char u = static_cast<unsigned char>(ch);
      EXPECT_TRUE(u >= 0x20 || ch == '\n') << c.name << ": control byte " << int{u};
    }
  }
}

}  // namespace
