#include <gtest/gtest.h>

#include "KyFormatWriters.h"
#include "drawn_styles.h"

namespace {

TEST(IndexHtml, EveryStyleAsARepeatedFillAtItsSize) {
  const std::string html = kyexport::IndexHtml(kytest::TwoDrawnStyles());
  const char* expected[] = {
      "<div class=\"style\"><div class=\"fill\" style=\"background-image: url('8-Sand.svg'); background-size: "
      "2.508642mm 2.508642mm\"></div><div class=\"name\">8 Sand</div><div class=\"group\">Ground/Loose, dry</div>"
      "</div>\n",
      "<div class=\"style\"><div class=\"fill\" style=\"background-image: url('23-Trees____shrubs_____old_.svg'); "
      "background-size: 10mm 8mm\"></div><div class=\"name\">23 Trees &amp; &lt;shrubs&gt; -- &quot;old&quot;</div>"
      "<div class=\"group\"></div></div>\n"};
  for (const char* e : expected) EXPECT_NE(html.find(e), std::string::npos) << e;
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
}

}  // namespace
