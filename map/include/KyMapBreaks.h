// KyMapBreaks: graduated classes of a numeric field. The breaks b0 < b1 <
// ... < bk of k classes, class i holding the values from b(i) to b(i+1)
// (a value on a break falls in the lower class), by one of four methods:
//
//   quantile  each class holds about as many values (the break at fraction
//             q is the Weibull quantile: position q (n + 1) of the sorted
//             values, interpolated)
//   equal     classes of equal width from the least value to the greatest
//   jenks     natural breaks: the least sum of squared deviations from the
//             class means, computed exactly (Fisher's dynamic programme)
//             for up to kJenksExact distinct values, on an even sample of
//             them above that
//   pretty    round breaks (1, 2, 2.5 or 5 times a power of ten) covering
//             the values, about k classes
#pragma once

#include <string>
#include <vector>

namespace kymap {

enum class BreakMethod { kQuantile, kEqual, kJenks, kPretty };

// "quantile", "equal", "jenks", "pretty"; false for anything else.
bool ParseBreakMethod(const std::string& name, BreakMethod& method);

constexpr size_t kJenksExact = 4000;

// The breaks of sorted (ascending, no NaN) values into classes classes;
// fewer classes when there are fewer distinct values. Empty for no values.
std::vector<double> Breaks(const std::vector<double>& sorted, int classes, BreakMethod method);

// A number for a legend: thousands separated by commas, at most six
// significant decimals, no trailing zeros ("1,000", "0.25", "-3.5").
std::string LabelNumber(double v);
// "1,000 – 5,000" (an en dash between spaces).
std::string RangeLabel(double lo, double hi);

}  // namespace kymap
