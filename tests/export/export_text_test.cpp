#include "KyExportText.h"

#include <gtest/gtest.h>

namespace {

TEST(ExportText, Numbers) {
  struct Case {
    double v;
    int decimals;
    const char* expected;
  };
  const Case cases[] = {{2.5, 6, "2.5"}, {3.0, 6, "3"}, {-0.0001, 3, "0"}, {8 * 25.4 / 81, 6, "2.508642"},
                        {1e-9, 9, "0.000000001"}, {-12.25, 1, "-12.2"}};
  for (const Case& c : cases) EXPECT_EQ(kyexport::Number(c.v, c.decimals), c.expected) << c.v;
}

TEST(ExportText, EscapesAndColours) {
  EXPECT_EQ(kyexport::XmlEscape("a<b>&\"c'"), "a&lt;b&gt;&amp;&quot;c&apos;");
  EXPECT_EQ(kyexport::HexColour(RGB(0x12, 0xAB, 0xFF)), "#12ABFF");
  EXPECT_EQ(kyexport::QgisColour(RGB(1, 2, 3), 128), "1,2,3,128");
}

TEST(ExportText, Base64) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {{"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foobar", "Zm9vYmFy"},
                        {"<svg/>", "PHN2Zy8+"}};
  for (const Case& c : cases) EXPECT_EQ(kyexport::Base64(c.in), c.out) << c.in;
}

}  // namespace
