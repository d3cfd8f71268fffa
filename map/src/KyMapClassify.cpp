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
