#include "KyMapLegend.h"

#include <algorithm>
#include <cmath>

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
    : m_dc(dc), m_painter(painter), m_title(DeviceText(Shortened(title, kMaxLabel))) {
  m_font.CreatePointFont(80, "DejaVu Sans", &dc);
  CFont* old = m_dc.SelectObject(&m_font);
  const CSize minSwatch(Mm(9), Mm(5));
  const size_t shown = std::min(entries.size(), kMaxEntries);
  for (size_t i = 0; i < shown; ++i) {
    Row r{entries[i].cls, DeviceText(Shortened(entries[i].label, kMaxLabel)),
          painter.SwatchSize(entries[i].cls, minSwatch), {}};
    m_rows.push_back(std::move(r));
  }
  if (entries.size() > shown) {
    m_rows.push_back({-1, "... and " + std::to_string(entries.size() - shown) + " more classes", {0, 0}, {}});
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

void Legend::Draw(const CPoint& at) {
  if (m_columns.empty()) return;
  const int pad = Mm(2.5), gap = Mm(1.5), columnGap = Mm(4);
  const CRect box(at.x, at.y, at.x + m_size.cx, at.y + m_size.cy);
  CBrush paper(RGB(0xFF, 0xFF, 0xFF));
  CPen frame(PS_SOLID, std::max(1, Mm(0.25)), RGB(0x50, 0x50, 0x50));
  CBrush* oldBrush = m_dc.SelectObject(&paper);
  CPen* oldPen = m_dc.SelectObject(&frame);
  m_dc.Rectangle(&box);
  m_dc.SelectObject(oldPen);
  m_dc.SelectObject(oldBrush);

  CFont* oldFont = m_dc.SelectObject(&m_font);
  m_dc.SetBkMode(TRANSPARENT);
  const COLORREF oldText = m_dc.SetTextColor(RGB(0x20, 0x20, 0x20));
  int top = box.top + pad;
  if (!m_title.empty()) {
    m_dc.TextOut(box.left + pad, top, m_title.c_str(), static_cast<int>(m_title.size()));
    top += m_titleSize.cy + gap;
  }
  int x = box.left + pad;
  for (const Column& c : m_columns) {
    int y = top;
    for (size_t i = c.first; i < c.first + c.count; ++i) {
      const Row& r = m_rows[i];
      const int rowH = std::max(r.swatch.cy, r.text.cy);
      int tx = x;
      if (r.cls >= 0) {
        const int sy = y + (rowH - r.swatch.cy) / 2;
        m_painter.Swatch(r.cls, CRect(x, sy, x + r.swatch.cx, sy + r.swatch.cy));
        tx += r.swatch.cx + gap;
        m_dc.SetBkMode(TRANSPARENT);
      }
      m_dc.TextOut(tx, y + (rowH - r.text.cy) / 2, r.label.c_str(), static_cast<int>(r.label.size()));
      y += rowH + gap;
    }
    x += c.width + columnGap;
  }
  m_dc.SetTextColor(oldText);
  m_dc.SelectObject(oldFont);
}

}  // namespace kymap
