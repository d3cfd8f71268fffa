// Measuring and laying out text in device pixels: the advance of a run of
// characters, and DrawText's lines (prefix marks, line and word breaks,
// tab stops, end ellipsis). Nothing here draws; text_draw does.
#pragma once

#include <vector>

#include "ansi_text.h"
#include "font_instance.h"

namespace kygdi {

// Width in pixels of chars[begin, end) laid from x = 0. Tabs advance to the
// next multiple of tabWidth when tabWidth > 0, else they are glyphs.
int MeasureChars(FontInstance& font, const std::vector<TextChar>& chars, size_t begin, size_t end,
                 int tabWidth = 0);

struct DrawTextLine {
  std::vector<TextChar> chars;
  int width = 0;
  int underline = -1;  // index into chars of the prefixed character, or -1
};

struct DrawTextLayout {
  std::vector<DrawTextLine> lines;
  int maxWidth = 0;
  int tabWidth = 0;
};

// Lays out text for DrawText in a formatting rectangle `rectWidth` pixels
// wide, following the DT_ flags of `format` that shape lines (DT_SINGLELINE,
// DT_WORDBREAK, DT_EDITCONTROL, DT_EXPANDTABS, DT_NOPREFIX, DT_HIDEPREFIX,
// DT_END_ELLIPSIS). Characters keep their byte offsets.
DrawTextLayout LayoutDrawText(FontInstance& font, const std::vector<TextChar>& text, int rectWidth, UINT format);

}  // namespace kygdi
