#include "text_raster.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace kygdi {

namespace {

void GlyphSpans(const Glyph& g, int originX, int baseline, const SpanSink& sink) {
  const int x0 = originX + g.left;
  const int y0 = baseline - g.top;
  for (int y = 0; y < g.height; ++y) {
    int x = 0;
    while (x < g.width) {
      while (x < g.width && !g.Ink(x, y)) ++x;
      int start = x;
      while (x < g.width && g.Ink(x, y)) ++x;
      if (x > start) sink(x0 + start, y0 + y, x - start);
    }
  }
}

void Bar(int x, int width, int top, int thickness, const SpanSink& sink) {
  if (width <= 0) return;
  for (int k = 0; k < thickness; ++k) sink(x, top + k, width);
}

}  // namespace

int RasterizeRun(FontInstance& font, const std::vector<TextChar>& chars, const RunPlacement& at, const SpanSink& sink) {
  // The pen runs in 64 bits, and glyphs it takes beyond 2^30 pixels (past
  // every surface) are not drawn, so no position overflows however wild the
  // advances given.
  const int64_t far = int64_t(1) << 30;
  int64_t x = at.penX;
  for (size_t i = 0; i < chars.size(); ++i) {
    const TextChar& c = chars[i];
    int advance;
    if (at.dx) {
      advance = at.dx[i];
    } else if (c.cp == '\t' && at.tabWidth > 0) {
      const int64_t rel = x - at.penX;
      advance = static_cast<int>(std::min<int64_t>((rel / at.tabWidth + 1) * at.tabWidth - rel, INT_MAX));
    } else {
      advance = font.Advance(c.cp);
    }
    const bool placed = x >= -far && x <= far;
    if (placed && !(c.cp == '\t' && at.tabWidth > 0))
      GlyphSpans(font.GlyphFor(c.cp), static_cast<int>(x), at.baseline, sink);
    if (placed && static_cast<int>(i) == at.underline)
      Bar(static_cast<int>(x), font.Advance(c.cp), at.baseline + font.UnderlinePosition(), font.UnderlineThickness(),
          sink);
    x += advance;
  }
  const int width = static_cast<int>(std::clamp<int64_t>(x - at.penX, INT_MIN, INT_MAX));
  if (font.Underline()) Bar(at.penX, width, at.baseline + font.UnderlinePosition(), font.UnderlineThickness(), sink);
  if (font.StrikeOut())
    Bar(at.penX, width, at.baseline - font.StrikeoutPosition(), font.UnderlineThickness(), sink);
  return width;
}

}  // namespace kygdi
