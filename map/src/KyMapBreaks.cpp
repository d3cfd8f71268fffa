#include "KyMapBreaks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "KyMapTypes.h"

namespace kymap {

namespace {

std::vector<double> Quantile(const std::vector<double>& v, int k) {
  const size_t n = v.size();
  std::vector<double> b{v.front()};
  for (int i = 1; i < k; ++i) {
    const double q = static_cast<double>(i) / k;
    const double pos = q * static_cast<double>(n + 1);  // 1-based
    const double whole = std::floor(pos);
    const double r = pos - whole;
    double x;
    if (whole < 1) {
      x = v.front();
    } else if (whole >= static_cast<double>(n)) {
      x = v.back();
    } else {
      const size_t at = static_cast<size_t>(whole) - 1;
      x = (1 - r) * v[at] + r * v[at + 1];
    }
    b.push_back(x);
  }
  b.push_back(v.back());
  return b;
}

std::vector<double> Equal(const std::vector<double>& v, int k) {
  std::vector<double> b;
  const double lo = v.front(), hi = v.back();
  for (int i = 0; i < k; ++i) b.push_back(lo + (hi - lo) * i / k);
  b.push_back(hi);
  return b;
}

// Fisher's exact optimum over distinct values x with weights w.
std::vector<double> JenksExact(const std::vector<double>& x, const std::vector<double>& w, int k) {
  const size_t n = x.size();
  // Prefix sums of weight, weight * x and weight * x^2 (values centred on
  // their mean to keep the sums well conditioned).
  double mean = 0, total = 0;
  for (size_t i = 0; i < n; ++i) mean += w[i] * x[i], total += w[i];
  mean /= total;
  std::vector<double> sw(n + 1, 0), sx(n + 1, 0), sxx(n + 1, 0);
  for (size_t i = 0; i < n; ++i) {
    const double d = x[i] - mean;
    sw[i + 1] = sw[i] + w[i];
    sx[i + 1] = sx[i] + w[i] * d;
    sxx[i + 1] = sxx[i] + w[i] * d * d;
  }
  // The squared deviation of values i..j-1 from their mean.
  auto ssd = [&](size_t i, size_t j) {
    const double ww = sw[j] - sw[i], s = sx[j] - sx[i];
    return std::max(0.0, (sxx[j] - sxx[i]) - s * s / ww);
  };
  const double inf = std::numeric_limits<double>::infinity();
  // cost[c][j]: the best of the first j values in c + 1 classes.
  std::vector<std::vector<double>> cost(k, std::vector<double>(n + 1, inf));
  std::vector<std::vector<size_t>> from(k, std::vector<size_t>(n + 1, 0));
  for (size_t j = 1; j <= n; ++j) cost[0][j] = ssd(0, j);
  for (int c = 1; c < k; ++c) {
    for (size_t j = c + 1; j <= n; ++j) {
      for (size_t i = c; i < j; ++i) {
        const double v = cost[c - 1][i] + ssd(i, j);
        if (v < cost[c][j]) cost[c][j] = v, from[c][j] = i;
      }
    }
  }
  std::vector<double> b(k + 1);
  b[k] = x[n - 1];
  size_t j = n;
  for (int c = k - 1; c >= 1; --c) {
    const size_t i = from[c][j];
    b[c] = x[i - 1];  // the greatest value of the lower class
    j = i;
  }
  b[0] = x[0];
  return b;
}

std::vector<double> Jenks(const std::vector<double>& v, int k) {
  std::vector<double> x, w;
  for (double d : v) {
    if (!x.empty() && x.back() == d) {
      w.back() += 1;
    } else {
      x.push_back(d);
      w.push_back(1);
    }
  }
  if (x.size() > kJenksExact) {
    // An even sample of the sorted values, ends included: deterministic, and
    // dense where the values are.
    std::vector<double> sx, sw;
    const size_t n = v.size();
    for (size_t i = 0; i < kJenksExact; ++i) {
      const double d = v[i * (n - 1) / (kJenksExact - 1)];
      if (!sx.empty() && sx.back() == d) {
        sw.back() += 1;
      } else {
        sx.push_back(d);
        sw.push_back(1);
      }
    }
    x.swap(sx);
    w.swap(sw);
  }
  k = std::min<int>(k, static_cast<int>(x.size()));
  return JenksExact(x, w, k);
}

double NiceStep(double raw) {
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 2.5, 5.0, 10.0}) {
    if (m * power >= raw * 0.999999) return m * power;
  }
  return 10 * power;
}

std::vector<double> Pretty(const std::vector<double>& v, int k) {
  const double lo = v.front(), hi = v.back();
  const double step = NiceStep((hi - lo) / k);
  std::vector<double> b;
  const double first = std::floor(lo / step) * step;
  for (int i = 0;; ++i) {
    const double x = first + i * step;
    b.push_back(std::fabs(x) < step * 1e-9 ? 0 : x);
    if (x >= hi) break;
  }
  return b;
}

// Breaks without repeats: classes of no width are merged away.
std::vector<double> Distinct(std::vector<double> b) {
  b.erase(std::unique(b.begin(), b.end()), b.end());
  if (b.size() == 1) b.push_back(b[0]);
  return b;
}

}  // namespace

bool ParseBreakMethod(const std::string& name, BreakMethod& method) {
  static const struct {
    const char* name;
    BreakMethod method;
  } kMethods[] = {{"quantile", BreakMethod::kQuantile},
                  {"equal", BreakMethod::kEqual},
                  {"jenks", BreakMethod::kJenks},
                  {"pretty", BreakMethod::kPretty}};
  for (const auto& m : kMethods) {
    if (name == m.name) {
      method = m.method;
      return true;
    }
  }
  return false;
}

std::vector<double> Breaks(const std::vector<double>& sorted, int classes, BreakMethod method) {
  if (sorted.empty() || classes < 1) return {};
  if (sorted.front() == sorted.back()) return {sorted.front(), sorted.back()};
  switch (method) {
    case BreakMethod::kQuantile:
      return Distinct(Quantile(sorted, classes));
    case BreakMethod::kEqual:
      return Distinct(Equal(sorted, classes));
    case BreakMethod::kJenks:
      return Distinct(Jenks(sorted, classes));
    case BreakMethod::kPretty:
      return Distinct(Pretty(sorted, classes));
  }
  return {};
}

std::string LabelNumber(double v) {
  if (!std::isfinite(v)) return FormatNumber(v);
  // Six significant digits, but every digit of the whole part.
  const double mag = std::fabs(v);
  const int whole = mag >= 1 ? static_cast<int>(std::floor(std::log10(mag))) + 1 : 0;
  const int decimals = std::clamp(6 - whole, 0, 12);
  char text[400];
  std::snprintf(text, sizeof text, "%.*f", decimals, v);
  std::string s = text;
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  if (s == "-0") s = "0";
  const size_t sign = s[0] == '-' ? 1 : 0;
  size_t point = s.find('.');
  if (point == std::string::npos) point = s.size();
  for (size_t at = point; at > sign + 3; at -= 3) s.insert(at - 3, ",");
  return s;
}

std::string RangeLabel(double lo, double hi) { return LabelNumber(lo) + " \xE2\x80\x93 " + LabelNumber(hi); }

}  // namespace kymap
