#include "text_layout.h"

#include <algorithm>

#include "wingdi_text.h"

namespace kygdi {

namespace {

bool IsSpace(uint32_t cp) { return cp == ' ' || cp == '\t'; }

// A character that may end a line on its own: East Asian text has no
// spaces, so each ideograph (each double-byte character) is a word.
bool BreaksAlone(const TextChar& c) { return c.length == 2 || (c.cp >= 0x2E80 && c.cp <= 0xFFEF); }

int Advance(FontInstance& font, const TextChar& c, int x, int tabWidth) {
  if (c.cp == '\t' && tabWidth > 0) return (x / tabWidth + 1) * tabWidth - x;
  return font.Advance(c.cp);
}

// Removes prefix marks: "&x" underlines x, "&&" is one '&'. A mark at the
// very end is dropped.
std::vector<TextChar> StripPrefixes(const std::vector<TextChar>& in, int* underline) {
  std::vector<TextChar> out;
  out.reserve(in.size());
  *underline = -1;
  for (size_t i = 0; i < in.size(); ++i) {
    if (in[i].cp == '&') {
      if (i + 1 >= in.size()) break;
      ++i;
      if (in[i].cp != '&') *underline = static_cast<int>(out.size());
    }
    out.push_back(in[i]);
  }
  return out;
}

// Splits at CR LF, LF or CR.
std::vector<std::vector<TextChar>> SplitLines(const std::vector<TextChar>& in, const std::vector<int>& marks,
                                              std::vector<int>* lineMarks) {
  std::vector<std::vector<TextChar>> lines(1);
  lineMarks->assign(1, -1);
  for (size_t i = 0; i < in.size(); ++i) {
    if (in[i].cp == '\r' || in[i].cp == '\n') {
      if (in[i].cp == '\r' && i + 1 < in.size() && in[i + 1].cp == '\n') ++i;
      lines.emplace_back();
      lineMarks->push_back(-1);
      continue;
    }
    if (marks[i]) lineMarks->back() = static_cast<int>(lines.back().size());
    lines.back().push_back(in[i]);
  }
  return lines;
}

}  // namespace

int MeasureChars(FontInstance& font, const std::vector<TextChar>& chars, size_t begin, size_t end, int tabWidth) {
  int x = 0;
  for (size_t i = begin; i < end && i < chars.size(); ++i) x += Advance(font, chars[i], x, tabWidth);
  return x;
}

DrawTextLayout LayoutDrawText(FontInstance& font, const std::vector<TextChar>& text, int rectWidth, UINT format) {
  DrawTextLayout out;
  if (format & DT_EXPANDTABS) out.tabWidth = 8 * std::max<LONG>(1, font.Metrics().tmAveCharWidth);
  const int tab = out.tabWidth;

  int mark = -1;
  std::vector<TextChar> chars = (format & DT_NOPREFIX) ? text : StripPrefixes(text, &mark);
  if (format & DT_HIDEPREFIX) mark = -1;
  std::vector<int> marks(chars.size(), 0);
  if (mark >= 0) marks[static_cast<size_t>(mark)] = 1;

  std::vector<std::vector<TextChar>> paragraphs;
  std::vector<int> paraMarks;
  if (format & DT_SINGLELINE) {
    paragraphs.push_back(chars);
    paraMarks.push_back(mark);
  } else {
    paragraphs = SplitLines(chars, marks, &paraMarks);
  }

  for (size_t p = 0; p < paragraphs.size(); ++p) {
    const std::vector<TextChar>& para = paragraphs[p];
    const bool wrap = (format & DT_WORDBREAK) && !(format & DT_SINGLELINE);
    size_t start = 0;
    do {
      size_t end = para.size();
      if (wrap) {
        // Greedy: take words while they fit; a word wider than the rectangle
        // stands alone on its line (and is cut between characters only for
        // an edit control).
        size_t i = start, lastFit = start;
        int x = 0;
        while (i < para.size()) {
          size_t wordEnd = i;
          if (BreaksAlone(para[i])) {
            wordEnd = i + 1;
          } else {
            while (wordEnd < para.size() && !IsSpace(para[wordEnd].cp) && !BreaksAlone(para[wordEnd])) ++wordEnd;
          }
          int wx = x;
          for (size_t k = i; k < wordEnd; ++k) wx += Advance(font, para[k], wx, tab);
          if (wx > rectWidth && lastFit > start) break;
          if (wx > rectWidth && (format & DT_EDITCONTROL)) {
            size_t k = i;
            int cx = x;
            while (k < wordEnd) {
              int a = Advance(font, para[k], cx, tab);
              if (cx + a > rectWidth && k > start) break;
              cx += a;
              ++k;
            }
            lastFit = k;
            break;
          }
          x = wx;
          lastFit = wordEnd;
          i = wordEnd;
          // Spaces after a word ride on this line but do not make it wider.
          while (i < para.size() && IsSpace(para[i].cp)) {
            x += Advance(font, para[i], x, tab);
            ++i;
          }
          if (wx > rectWidth) break;
        }
        end = std::max(lastFit, start + (para.empty() ? 0 : 1));
        end = std::min(end, para.size());
      }
      DrawTextLine line;
      line.chars.assign(para.begin() + static_cast<ptrdiff_t>(start), para.begin() + static_cast<ptrdiff_t>(end));
      while (wrap && !line.chars.empty() && IsSpace(line.chars.back().cp)) line.chars.pop_back();
      int m = paraMarks[p];
      if (m >= static_cast<int>(start) && m < static_cast<int>(end)) line.underline = m - static_cast<int>(start);
      line.width = MeasureChars(font, line.chars, 0, line.chars.size(), tab);

      if ((format & DT_END_ELLIPSIS) && line.width > rectWidth) {
        const TextChar dot = {'.', line.chars.empty() ? 0 : line.chars.back().offset, 1};
        const int dots = 3 * font.Advance('.');
        while (!line.chars.empty() && MeasureChars(font, line.chars, 0, line.chars.size(), tab) + dots > rectWidth)
          line.chars.pop_back();
        if (line.underline >= static_cast<int>(line.chars.size())) line.underline = -1;
        for (int k = 0; k < 3; ++k) line.chars.push_back(dot);
        line.width = MeasureChars(font, line.chars, 0, line.chars.size(), tab);
      }
      out.maxWidth = std::max(out.maxWidth, line.width);
      out.lines.push_back(std::move(line));

      start = end;
      // Skip the spaces that ended the line.
      while (wrap && start < para.size() && IsSpace(para[start].cp)) ++start;
    } while (start < para.size());
  }
  return out;
}

}  // namespace kygdi
