#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "KyMapBreaks.h"

namespace {

using kymap::BreakMethod;
using kymap::Breaks;

// The sum of squared deviations from the class means of classes split at
// the given indices (class c holds values[cut[c]] .. values[cut[c + 1] - 1]).
double Deviation(const std::vector<double>& v, const std::vector<size_t>& cut) {
  double total = 0;
  for (size_t c = 0; c + 1 < cut.size(); ++c) {
    double mean = 0;
    for (size_t i = cut[c]; i < cut[c + 1]; ++i) mean += v[i];
    mean /= static_cast<double>(cut[c + 1] - cut[c]);
    for (size_t i = cut[c]; i < cut[c + 1]; ++i) total += (v[i] - mean) * (v[i] - mean);
  }
  return total;
}

// Every way of cutting sorted values into k classes, between distinct values.
double BruteForceBest(const std::vector<double>& v, int k) {
  double best = std::numeric_limits<double>::infinity();
  std::vector<size_t> cut(k + 1);
  cut[0] = 0;
  cut[k] = v.size();
  std::function<void(int, size_t)> walk = [&](int c, size_t from) {
    if (c == k) {
      best = std::min(best, Deviation(v, cut));
      return;
    }
    for (size_t i = from; i + (k - c) <= v.size(); ++i) {
      if (v[i - 1] == v[i]) continue;  // a cut inside a run of one value
      cut[c] = i;
      walk(c + 1, i + 1);
    }
  };
  walk(1, 1);
  return best;
}

// The deviation of the classes the breaks make (a value on a break in the
// lower class).
double DeviationOf(const std::vector<double>& v, const std::vector<double>& b) {
  std::vector<size_t> cut{0};
  for (size_t c = 1; c + 1 < b.size(); ++c) {
    size_t i = cut.back();
    while (i < v.size() && v[i] <= b[c]) ++i;
    cut.push_back(i);
  }
  cut.push_back(v.size());
  return Deviation(v, cut);
}

TEST(MapBreaks, QuantileEqualAndPrettyBreaksOfASmallSet) {
  const std::vector<double> v = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 100};
  // Weibull quantiles: position q (n + 1) = 5.25, 10.5, 15.75 of 20 values.
  EXPECT_EQ((std::vector<double>{1, 5.25, 10.5, 15.75, 100}), Breaks(v, 4, BreakMethod::kQuantile));
  EXPECT_EQ((std::vector<double>{1, 25.75, 50.5, 75.25, 100}), Breaks(v, 4, BreakMethod::kEqual));
  EXPECT_EQ((std::vector<double>{0, 25, 50, 75, 100}), Breaks(v, 4, BreakMethod::kPretty));
  // One distinct value: one class.
  EXPECT_EQ((std::vector<double>{7, 7}), Breaks({7, 7, 7}, 5, BreakMethod::kJenks));
  EXPECT_TRUE(Breaks({}, 5, BreakMethod::kQuantile).empty());
}

TEST(MapBreaks, JenksFindsTheKnownOptimumOfATextbookSet) {
  // Three clear groups.
  const std::vector<double> v = {4, 5, 9, 10, 10, 11, 25, 26, 27, 28, 29, 30, 52, 54, 56};
  EXPECT_EQ((std::vector<double>{4, 11, 30, 56}), Breaks(v, 3, BreakMethod::kJenks));
}

TEST(MapBreaks, JenksEqualsABruteForceSearchOnRandomSets) {
  std::mt19937 random(20261207);
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE(round);
    std::uniform_int_distribution<int> size(5, 14), value(0, 60);
    std::vector<double> v(size(random));
    for (double& x : v) x = value(random);
    std::sort(v.begin(), v.end());
    for (int k = 2; k <= 4; ++k) {
      const std::vector<double> b = Breaks(v, k, BreakMethod::kJenks);
      if (b.size() < static_cast<size_t>(k + 1)) continue;  // fewer distinct values than classes
      EXPECT_NEAR(BruteForceBest(v, k), DeviationOf(v, b), 1e-9) << "k=" << k;
    }
  }
}

TEST(MapBreaks, LabelsAreRoundWithThousandsSeparated) {
  struct Case {
    double v;
    const char* text;
  } const cases[] = {{1000, "1,000"}, {140, "140"}, {-3.5, "-3.5"}, {0.25, "0.25"}, {1234567.891, "1,234,568"},
                     {1328474.3333333, "1,328,474"}, {12.3456789, "12.3457"}, {0, "0"}, {-0.0, "0"},
                     {0.000123456, "0.000123"}, {-1234, "-1,234"}, {999, "999"}};
  for (const Case& c : cases) EXPECT_EQ(c.text, kymap::LabelNumber(c.v)) << c.v;
  EXPECT_EQ("1,000 \xE2\x80\x93 5,000", kymap::RangeLabel(1000, 5000));
}

}  // namespace
