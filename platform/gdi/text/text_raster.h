// Glyphs to pixels: a run of characters becomes horizontal spans of ink in
// device coordinates, which the caller clips and paints.
#pragma once

#include <functional>
#include <vector>

#include "ansi_text.h"
#include "font_instance.h"

namespace kygdi {

// Receives one span of `width` ink pixels starting at (x, y).
using SpanSink = std::function<void(int x, int y, int width)>;

struct RunPlacement {
  int penX = 0;            // left end of the run on the baseline
  int baseline = 0;
  const int* dx = nullptr;  // per character advances, or null for the font's
  int tabWidth = 0;        // tab stops as in MeasureChars
  int underline = -1;      // index of a character to underline alone, or -1
};

// Emits the ink of chars placed as `at`, plus the font's underline and
// strike-out across the run. Returns the run's advance width.
int RasterizeRun(FontInstance& font, const std::vector<TextChar>& chars, const RunPlacement& at, const SpanSink& sink);

}  // namespace kygdi
