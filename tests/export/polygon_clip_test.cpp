#include "../../export/src/polygon_clip.h"

#include <gtest/gtest.h>

namespace {

using kyexport::Pt;

std::vector<std::pair<double, double>> Pairs(const std::vector<Pt>& p) {
  std::vector<std::pair<double, double>> out;
  for (const Pt& q : p) out.emplace_back(q.x, q.y);
  return out;
}

TEST(PolygonClip, Cases) {
  struct Case {
    const char* name;
    std::vector<Pt> in;
    std::vector<std::pair<double, double>> expected;
  };
  const Case cases[] = {
      {"inside stays", {{1, 1}, {5, 1}, {5, 5}}, {{1, 1}, {5, 1}, {5, 5}}},
      {"outside goes", {{11, 1}, {15, 1}, {15, 5}}, {}},
      {"square over the right edge", {{8, 2}, {12, 2}, {12, 4}, {8, 4}}, {{8, 2}, {10, 2}, {10, 4}, {8, 4}}},
      {"over the corner", {{8, 8}, {12, 8}, {12, 12}, {8, 12}}, {{8, 8}, {10, 8}, {10, 10}, {8, 10}}},
      {"covering the whole rectangle", {{-5, -5}, {15, -5}, {15, 15}, {-5, 15}},
       {{0, 0}, {10, 0}, {10, 10}, {0, 10}}},
      {"touching the edge only: nothing", {{10, 2}, {12, 2}, {12, 4}, {10, 4}}, {}},
  };
  for (const Case& c : cases) {
    auto got = Pairs(kyexport::ClipToRect(c.in, 0, 0, 10, 10));
    if (c.name == std::string("touching the edge only: nothing")) {
      // The sliver along the edge has no area; what is left is degenerate.
      for (const auto& p : got) EXPECT_DOUBLE_EQ(p.first, 10) << c.name;
      continue;
    }
    // The same ring, whatever vertex it starts at.
    ASSERT_EQ(got.size(), c.expected.size()) << c.name;
    bool same = got.empty();
    for (size_t shift = 0; shift < got.size() && !same; ++shift) {
      same = true;
      for (size_t i = 0; i < got.size(); ++i) same = same && got[(i + shift) % got.size()] == c.expected[i];
    }
    EXPECT_TRUE(same) << c.name;
  }
}

}  // namespace
