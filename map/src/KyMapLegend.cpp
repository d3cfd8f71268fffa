#include "KyMapLegend.h"

#include <algorithm>
#include <cmath>

#include "KyMapBand.h"
#include "codepage.h"

namespace kymap {

namespace {

// At most max characters of UTF-8 text, cut on a character's boundary.
std::string Shortened(const std::string& text, size_t max) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (++chars > max) return text.substr(0, i) + "...";
  }
  return text;
}

// UTF-8 text (as data sources give it) in the code page the device's text
// is drawn in; a character the page lacks becomes '?'.
std::string DeviceText(const std::string& utf8) {
  std::string out;
  if (AfxUtf8ToCodePage(utf8, out)) return out;
  out.clear();
  for (size_t i = 0; i < utf8.size();) {
    size_t n = 1;
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c >= 0xF0) {
      n = 4;
    } else if (c >= 0xE0) {
      n = 3;
    } else if (c >= 0xC0) {
      n = 2;
    }
    std::string one;
    out += AfxUtf8ToCodePage(utf8.substr(i, n), one) ? one : "?";
    i += n;
  }
  return out;
}

}  // namespace

Legend::Legend(CDC& dc, MapPainter& painter, const std::string& title, const std::vector<LegendEntry>& entries)
    : m_dc(dc),
      m_painter(painter),
      m_titleUtf8(Shortened(title, kMaxLabel)),
      m_title(DeviceText(m_titleUtf8)) {
  m_font.CreatePointFont(80, kFont, &dc);
  CFont* old = m_dc.SelectObject(&m_font);
  TEXTMETRIC tm{};
  m_dc.GetTextMetrics(&tm);
  m_ascent = tm.tmAscent;
  m_em = tm.tmHeight - tm.tmInternalLeading;
  const CSize minSwatch(Mm(9), Mm(5));
  const size_t shown = std::min(entries.size(), kMaxEntries);
  for (size_t i = 0; i < shown; ++i) {
    const std::string utf8 = Shortened(entries[i].label, kMaxLabel);
    Row r{entries[i].cls, DeviceText(utf8), utf8, painter.SwatchSize(entries[i].cls, minSwatch), {}};
    m_rows.push_back(std::move(r));
  }
  if (entries.size() > shown) {
    const std::string more = "... and " + std::to_string(entries.size() - shown) + " more classes";
    m_rows.push_back({-1, more, more, {0, 0}, {}});
  }
  for (Row& r : m_rows) {
    const std::string& t = r.label;
    r.text = t.empty() ? CSize(0, m_dc.GetTextExtent("Ag", 2).cy) : m_dc.GetTextExtent(t.c_str(), static_cast<int>(t.size()));
  }
  if (!m_title.empty()) m_titleSize = m_dc.GetTextExtent(m_title.c_str(), static_cast<int>(m_title.size()));
  m_dc.SelectObject(old);
}

Legend::~Legend() = default;

int Legend::Mm(double mm) const {
  return static_cast<int>(std::lround(mm * m_dc.GetDeviceCaps(LOGPIXELSX) / 25.4));
}

CSize Legend::Layout(int maxHeight) {
  m_columns.clear();
  m_size = CSize(0, 0);
  if (m_rows.empty()) return m_size;
  const int pad = Mm(2.5), gap = Mm(1.5), columnGap = Mm(4);
  const int titleH = m_title.empty() ? 0 : m_titleSize.cy + gap;
  const int room = maxHeight - 2 * pad - titleH;
  int height = 0, width = 0;
  Column column{0, 0, 0};
  int columnH = 0;
  for (size_t i = 0; i < m_rows.size(); ++i) {
    const Row& r = m_rows[i];
    const int rowH = std::max(r.swatch.cy, r.text.cy);
    const int rowW = (r.swatch.cx ? r.swatch.cx + gap : 0) + r.text.cx;
    if (rowH > room) return m_size;  // an entry taller than the room: no layout
    const int add = (column.count ? gap : 0) + rowH;
    if (column.count && columnH + add > room) {
      m_columns.push_back(column);
      width += column.width + columnGap;
      column = Column{i, 0, 0};
      columnH = 0;
    }
    columnH += column.count ? gap + rowH : rowH;
    column.width = std::max(column.width, rowW);
    ++column.count;
    height = std::max(height, columnH);
  }
  m_columns.push_back(column);
  width += column.width;
  width = std::max(width, static_cast<int>(m_titleSize.cx));
  m_size = CSize(width + 2 * pad, height + titleH + 2 * pad);
  return m_size;
}

Legend::Plan Legend::Planned(const CPoint& at) const {
  Plan plan;
  if (m_columns.empty()) return plan;
  const int pad = Mm(2.5), gap = Mm(1.5), columnGap = Mm(4);
  plan.box = CRect(at.x, at.y, at.x + m_size.cx, at.y + m_size.cy);
  plan.frame = std::max(1, Mm(0.25));
  plan.ascent = m_ascent;
  plan.em = m_em;
  int top = plan.box.top + pad;
  if (!m_title.empty()) {
    plan.texts.push_back({CPoint(plan.box.left + pad, top), m_titleUtf8});
    top += m_titleSize.cy + gap;
  }
  int x = plan.box.left + pad;
  for (const Column& c : m_columns) {
    int y = top;
    for (size_t i = c.first; i < c.first + c.count; ++i) {
      const Row& r = m_rows[i];
      const int rowH = std::max(r.swatch.cy, r.text.cy);
      int tx = x;
      if (r.cls >= 0) {
        const int sy = y + (rowH - r.swatch.cy) / 2;
        plan.swatches.push_back({r.cls, CRect(x, sy, x + r.swatch.cx, sy + r.swatch.cy)});
        tx += r.swatch.cx + gap;
      }
      plan.texts.push_back({CPoint(tx, y + (rowH - r.text.cy) / 2), r.utf8});
      y += rowH + gap;
    }
    x += c.width + columnGap;
  }
  return plan;
}

void Legend::Draw(const CPoint& at, bool smooth) {
  const Plan plan = Planned(at);
  if (plan.box.IsRectEmpty()) return;
  CBrush paper(RGB(0xFF, 0xFF, 0xFF));
  CPen frame(PS_SOLID, plan.frame, kFrame);
  CBrush* oldBrush = m_dc.SelectObject(&paper);
  CPen* oldPen = m_dc.SelectObject(&frame);
  m_dc.Rectangle(&plan.box);
  m_dc.SelectObject(oldPen);
  m_dc.SelectObject(oldBrush);
  for (const Plan::Swatch& s : plan.swatches) m_painter.Swatch(s.cls, s.rect);
  if (smooth) {
    CRect inside = plan.box;
    inside.DeflateRect(plan.frame, plan.frame);
    PixelBand band(m_dc, inside);
    band.Grab(m_dc);
    cairo_t* cr = cairo_create(band.Surface());
    PaintLegendText(cr, plan);
    cairo_destroy(cr);
    band.Put(m_dc);
    return;
  }
  CFont* oldFont = m_dc.SelectObject(&m_font);
  m_dc.SetBkMode(TRANSPARENT);
  const COLORREF oldText = m_dc.SetTextColor(kText);
  for (const Plan::Text& t : plan.texts) {
    const std::string text = DeviceText(t.utf8);
    m_dc.TextOut(t.at.x, t.at.y, text.c_str(), static_cast<int>(text.size()));
  }
  m_dc.SetTextColor(oldText);
  m_dc.SelectObject(oldFont);
}

void PaintLegendText(cairo_t* cr, const Legend::Plan& plan) {
  cairo_save(cr);
  cairo_select_font_face(cr, Legend::kFont, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, plan.em);
  cairo_set_source_rgb(cr, GetRValue(Legend::kText) / 255.0, GetGValue(Legend::kText) / 255.0,
                       GetBValue(Legend::kText) / 255.0);
  for (const Legend::Plan::Text& t : plan.texts) {
    if (t.utf8.empty()) continue;
    cairo_move_to(cr, t.at.x, t.at.y + plan.ascent);
    cairo_show_text(cr, t.utf8.c_str());
  }
  cairo_restore(cr);
}

}  // namespace kymap
