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

typedef struct _cairo cairo_t;

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
  // What the box as last laid out with its top left corner at at is made
  // of, in device pixels.
  struct Plan {
    CRect box;          // filled white, framed
    int frame = 1;      // the frame's width
    struct Swatch {
      int cls;
      CRect rect;
    };
    std::vector<Swatch> swatches;
    struct Text {
      CPoint at;         // the top left corner of its line
      std::string utf8;  // as given (cut to kMaxLabel)
    };
    std::vector<Text> texts;
    int ascent = 0;  // of the font, from a line's top to its baseline
    int em = 0;      // the font's size
  };
  Plan Planned(const CPoint& at) const;
  static constexpr COLORREF kFrame = RGB(0x50, 0x50, 0x50);
  static constexpr COLORREF kText = RGB(0x20, 0x20, 0x20);
  static constexpr const char* kFont = "DejaVu Sans";
  // Draws the box as last laid out with its top left corner at at. smooth:
  // its text anti-aliased (through cairo, in the same font and place).
  void Draw(const CPoint& at, bool smooth = false);
  // Millimetres on this device, in pixels.
  int Mm(double mm) const;

 private:
  struct Row {
    int cls;  // -1: a line of text only
    std::string label;  // in the device's code page
    std::string utf8;
    CSize swatch, text;
  };
  struct Column {
    size_t first, count;
    int width;
  };

  CDC& m_dc;
  MapPainter& m_painter;
  std::string m_titleUtf8;
  std::string m_title;
  std::vector<Row> m_rows;
  std::vector<Column> m_columns;
  CSize m_size{0, 0};
  CSize m_titleSize{0, 0};
  CFont m_font;
  int m_ascent = 0, m_em = 0;
};

// The plan's text on a cairo context in device pixels, in the legend's
// font: real text (a PDF embeds the font), anti-aliased on a raster.
void PaintLegendText(cairo_t* cr, const Legend::Plan& plan);

}  // namespace kymap
