// KyMapLegend: the legend of a map's classes: a title and, for each class, a
// swatch painted by the class's own fill (at least one whole tile of its
// pattern, centred) and its label. Entries flow down into columns no taller
// than the room given. Sizes are in millimetres of the device, so the legend
// keeps its size on paper at every resolution.
//
//   Legend(entries) --Layout(max height)--> size --Draw(top left)--> pixels
#pragma once

#include <string>
#include <vector>

#include "KyMapPainter.h"

namespace kymap {

struct LegendEntry {
  int cls;  // a class of the painter
  std::string label;
};

class Legend {
 public:
  // Labels longer than kMaxLabel characters are cut with "..."; past
  // kMaxEntries entries the rest are summed up in one line.
  static constexpr size_t kMaxLabel = 60;
  static constexpr size_t kMaxEntries = 1000;

  Legend(CDC& dc, MapPainter& painter, const std::string& title, const std::vector<LegendEntry>& entries);
  ~Legend();
  Legend(const Legend&) = delete;
  Legend& operator=(const Legend&) = delete;

  bool Empty() const { return m_rows.empty(); }
  // Lays the entries in columns no taller than maxHeight pixels (the box's
  // padding included) and returns the box's size; an empty size when one
  // entry alone is taller.
  CSize Layout(int maxHeight);
  // The size of the box as last laid out.
  CSize Size() const { return m_size; }
  // Draws the box as last laid out with its top left corner at at.
  void Draw(const CPoint& at);
  // Millimetres on this device, in pixels.
  int Mm(double mm) const;

 private:
  struct Row {
    int cls;  // -1: a line of text only
    std::string label;
    CSize swatch, text;
  };
  struct Column {
    size_t first, count;
    int width;
  };

  CDC& m_dc;
  MapPainter& m_painter;
  std::string m_title;
  std::vector<Row> m_rows;
  std::vector<Column> m_columns;
  CSize m_size{0, 0};
  CSize m_titleSize{0, 0};
  CFont m_font;
};

}  // namespace kymap
