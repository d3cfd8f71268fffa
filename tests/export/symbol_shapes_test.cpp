// Where a symbol is repeated across the tile edges.
#include "../../export/src/symbol_shapes.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

TEST(SymbolShapes, WrappedPositions) {
  struct Case {
    const char* name;
    long px, py, size;
    std::vector<std::pair<long, long>> expected;
  };
  const Case cases[] = {
      {"inside", 50, 50, 60, {{50, 50}}},
      {"near the left edge", 5, 50, 60, {{5, 50}, {105, 50}}},
      {"near the right edge", 95, 50, 60, {{95, 50}, {-5, 50}}},
      {"bottom left corner", 5, 95, 60, {{5, 95}, {105, 95}, {5, -5}, {105, -5}}},
      {"top right corner", 95, 5, 60, {{95, 5}, {-5, 5}, {95, 105}, {-5, 105}}},
      // Half of 61 rounds up to 31: 31 from the edge is already across it.
      {"odd size rounds the half up", 30, 50, 61, {{30, 50}, {130, 50}}},
      {"exactly half from the edge stays single", 30, 50, 60, {{30, 50}}},
      {"larger than the tile: all nine", 50, 50, 200,
       {{50, 50}, {150, 50}, {-50, 50}, {50, 150}, {50, -50}, {150, 150}, {-50, -50}, {150, -50}, {-50, 150}}},
  };
  for (const Case& c : cases) {
    long xs[9], ys[9];
    const int n = kyexport::WrappedPositions(c.px, c.py, 100, 100, c.size, xs, ys);
    std::vector<std::pair<long, long>> got;
    for (int i = 0; i < n; ++i) got.emplace_back(xs[i], ys[i]);
    EXPECT_EQ(got, c.expected) << c.name;
  }
}

}  // namespace
