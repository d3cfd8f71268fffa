#include "KyMapLegend.h"

#include <algorithm>
#include <cmath>

namespace kymap {

namespace {

int Mm(CDC& dc, double mm) { return static_cast<int>(std::lround(mm * dc.GetDeviceCaps(LOGPIXELSX) / 25.4)); }

CSize TextSize(CDC& dc, const std::string& text) {
  return dc.GetTextExtent(text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

CRect DrawLegend(CDC& dc, MapPainter& painter, const std::string& title, const std::vector<LegendEntry>& entries,
                 int pictureHeight) {
  if (entries.empty()) return CRect(0, 0, 0, 0);
  CFont font;
  font.CreatePointFont(80, "DejaVu Sans", &dc);
  CFont* oldFont = dc.SelectObject(&font);
  const int pad = Mm(dc, 2.5), gap = Mm(dc, 1.5);
  const int swatchW = Mm(dc, 9), swatchH = Mm(dc, 5);
  const int rowH = std::max(swatchH, static_cast<int>(TextSize(dc, "Ag").cy)) + gap;
  int textW = TextSize(dc, title).cx;
  for (const LegendEntry& e : entries) textW = std::max(textW, static_cast<int>(swatchW + gap + TextSize(dc, e.label).cx));
  const int titleH = title.empty() ? 0 : static_cast<int>(TextSize(dc, title).cy) + gap;
  const int boxW = textW + 2 * pad;
  const int boxH = titleH + static_cast<int>(entries.size()) * rowH - gap + 2 * pad;
  const int margin = Mm(dc, 4);
  const CRect box(margin, pictureHeight - margin - boxH, margin + boxW, pictureHeight - margin);

  CBrush paper(RGB(0xFF, 0xFF, 0xFF));
  CPen frame(PS_SOLID, std::max(1, Mm(dc, 0.25)), RGB(0x50, 0x50, 0x50));
  CBrush* oldBrush = dc.SelectObject(&paper);
  CPen* oldPen = dc.SelectObject(&frame);
  dc.Rectangle(&box);
  dc.SelectObject(oldPen);
  dc.SelectObject(oldBrush);

  dc.SetBkMode(TRANSPARENT);
  const COLORREF oldText = dc.SetTextColor(RGB(0x20, 0x20, 0x20));
  int y = box.top + pad;
  if (!title.empty()) {
    dc.TextOut(box.left + pad, y, title.c_str(), static_cast<int>(title.size()));
    y += titleH;
  }
  for (const LegendEntry& e : entries) {
    const CRect swatch(box.left + pad, y, box.left + pad + swatchW, y + swatchH);
    painter.Swatch(e.cls, swatch);
    dc.SetBkMode(TRANSPARENT);
    const int ty = y + (swatchH - static_cast<int>(TextSize(dc, e.label).cy)) / 2;
    dc.TextOut(swatch.right + gap, ty, e.label.c_str(), static_cast<int>(e.label.size()));
    y += rowH;
  }
  dc.SetTextColor(oldText);
  dc.SelectObject(oldFont);
  return box;
}

}  // namespace kymap
