#include "KyFillStyleLib.h"
#include "KyMapStyles.h"

namespace kymap {

namespace {

// Twelve colours that stay apart from one another on white paper.
constexpr COLORREF kPalette[] = {
    RGB(0x1B, 0x7A, 0x3E), RGB(0xB2, 0x3A, 0x12), RGB(0x2A, 0x4D, 0x9B), RGB(0x8E, 0x2C, 0x86),
    RGB(0x9A, 0x7B, 0x0A), RGB(0x0E, 0x7C, 0x86), RGB(0xC2, 0x18, 0x5B), RGB(0x4E, 0x34, 0x2E),
    RGB(0x55, 0x8B, 0x2F), RGB(0xE6, 0x5C, 0x00), RGB(0x37, 0x47, 0x4F), RGB(0x6A, 0x1B, 0x9A),
};

}  // namespace

StyleRules ClassifyBy(const std::string& field, const std::vector<std::string>& values, CKyFillStyleLib& lib) {
  StyleRules rules;
  rules.field = field;
  const long count = lib.GetCount();
  const size_t k = values.size();
  for (size_t i = 0; i < k; ++i) {
    FillSpec spec;
    if (count > 0) {
      // Spread over the library, so that neighbouring classes do not take
      // the near-twins that libraries keep side by side.
      const long position = k <= static_cast<size_t>(count) ? static_cast<long>(i * count / k)
                                                             : static_cast<long>(i % count);
      spec.style = lib.FindIndex(position);
    }
    spec.fore = kPalette[i % (sizeof(kPalette) / sizeof(kPalette[0]))];
    spec.back = RGB(0xFF, 0xFF, 0xFF);
    spec.label = values[i];
    rules.classes.emplace_back(values[i], spec);
  }
  rules.Index();
  return rules;
}

}  // namespace kymap

#include <algorithm>
#include <cmath>

#include "KyFillStyle.h"
#include "KyMapBreaks.h"
#include "afxdc.h"

namespace kymap {

namespace {

// A sequential ramp from pale yellow through orange to dark red.
constexpr COLORREF kRamp[] = {RGB(0xFF, 0xF5, 0xB8), RGB(0xFE, 0xD9, 0x76), RGB(0xFD, 0x8D, 0x3C),
                              RGB(0xE3, 0x1A, 0x1C), RGB(0x80, 0x00, 0x26)};

COLORREF RampAt(double t) {
  const int last = static_cast<int>(sizeof(kRamp) / sizeof(kRamp[0])) - 1;
  const double at = std::clamp(t, 0.0, 1.0) * last;
  const int i = std::min(last - 1, static_cast<int>(at));
  const double f = at - i;
  auto mix = [f](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * f)); };
  return RGB(mix(GetRValue(kRamp[i]), GetRValue(kRamp[i + 1])), mix(GetGValue(kRamp[i]), GetGValue(kRamp[i + 1])),
             mix(GetBValue(kRamp[i]), GetBValue(kRamp[i + 1])));
}

// The share of a 48 x 48 square the style paints in its fore colour on dc's
// kind of device; -1 when it cannot be prepared.
double Ink(CKyFillStyle& record, CDC& dc) {
  constexpr int kSide = 48;
  CDC mem;
  mem.CreateCompatibleDC(&dc);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&dc, kSide, kSide);
  CBitmap* old = mem.SelectObject(&bitmap);
  CKyFillStyle style;
  style = record;
  CSize natural(0, 0);
  double ink = -1;
  mem.SetBkMode(OPAQUE);
  if (style.SetFillStyleEx(&mem, RGB(0, 0, 0), RGB(0xFF, 0xFF, 0xFF), natural, 1.0)) {
    CRect rect(0, 0, kSide, kSide);
    style.Draw(&mem, &rect, 100);
    int dark = 0;
    for (int y = 0; y < kSide; ++y) {
      for (int x = 0; x < kSide; ++x) dark += GetRValue(mem.GetPixel(x, y)) < 0x80;
    }
    ink = static_cast<double>(dark) / (kSide * kSide);
  }
  mem.SelectObject(old);
  return ink;
}

}  // namespace

StyleRules Graduate(const std::string& field, const std::vector<double>& breaks, CKyFillStyleLib& lib, CDC& dc) {
  StyleRules rules;
  rules.field = field;
  if (breaks.size() < 2) return rules;
  const size_t k = breaks.size() - 1;
  // The library's styles from light to dark, patterns that cover some but
  // not all of their tile.
  std::vector<std::pair<double, long>> byInk;
  for (long i = 0; i < lib.GetCount(); ++i) {
    CKyFillStyle* record = lib.GetFillStyle(i);
    if (!record) continue;
    const double ink = Ink(*record, dc);
    if (ink > 0.02 && ink < 0.98) byInk.emplace_back(ink, record->GetFillStyleID());
  }
  std::sort(byInk.begin(), byInk.end());
  for (size_t i = 0; i < k; ++i) {
    FillSpec spec;
    const double t = k == 1 ? 1.0 : static_cast<double>(i) / (k - 1);
    if (byInk.size() >= k) {
      spec.style = byInk[static_cast<size_t>(std::lround(t * (byInk.size() - 1)))].second;
    } else {
      spec.style = 0;  // a solid fill: the ramp alone tells the classes apart
    }
    spec.fore = RampAt(t);
    spec.back = RGB(0xFF, 0xFF, 0xFF);
    spec.label = RangeLabel(breaks[i], breaks[i + 1]);
    rules.ranges.push_back({static_cast<int>(i), breaks[i], breaks[i + 1]});
    rules.classes.emplace_back(spec.label, spec);
  }
  rules.Index();
  return rules;
}

}  // namespace kymap
