// A fill painted through the anti-aliased cover of a path, in bands of rows.
// Internal to the map library.
//
// For each band the path's cover is taken (kycover::Cover, the non-zero
// rule, exact under whole-pixel moves) as spans of touched pixels. The fill is painted on
// the picture once per band with those runs as the DC's clip (intersected
// with any clip it has), so it lands only where the path is; then each pixel
// the path covers in part is put back between what it held and the fill, by
// its cover, rounded as pixman rounds: a pixel covered whole keeps the fill's
// very pixel, one not covered keeps its own.
//
// When the DC holds a 32-bit DIB section its rows are read and written in
// place; other devices go through a copy of the band.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "KyCover.h"
#include "KyMapStroke.h"
#include "afxdc.h"

namespace kymap {

struct DevicePath;

// The rows of a 32-bit DIB section selected into a DC, or none.
struct PictureRows {
  uint8_t* bits = nullptr;
  int stride = 0, width = 0, height = 0;
  explicit operator bool() const { return bits != nullptr; }
  static PictureRows Of(CDC& dc);
};

class CoverageFill {
 public:
  // dc: the picture, width x height pixels.
  CoverageFill(CDC& dc, int width, int height);
  ~CoverageFill();
  CoverageFill(const CoverageFill&) = delete;
  CoverageFill& operator=(const CoverageFill&) = delete;

  // Paints the picture with paint() (a fill that honours the DC's clip)
  // through path's cover inside rect.
  void Paint(const DevicePath& path, const CRect& rect, const std::function<void()>& paint);
  // The same for a fill that sets a clip of its own (gradients, the plain
  // colour): it paints the whole of rect, and each pixel is then put back
  // between what it held and the fill by the path's cover.
  void PaintWhole(const DevicePath& path, const CRect& rect, const std::function<void()>& paint);
  // Blends colour over the picture where a plain line width pixels wide
  // runs along every ring of path, inside rect, times alpha (0..255). Each
  // ring's line is covered on its own and the lines are joined by the larger
  // share of each pixel: a border two rings share is drawn once, as one
  // line, not twice as dark.
  void BlendStroke(const DevicePath& path, double width, const CRect& rect, COLORREF colour, int alpha);

  // Rows a band holds.
  static constexpr int kBandRows = 64;
  // The bytes of a band of the lines' shares at most (when the picture is
  // narrower than this over kBandRows).
  static constexpr int kStrokeBandBytes = 4 << 20;

 private:
  struct Partial {
    int x, y;
    uint32_t before;
    uint8_t cover;
  };
  void SetPath(const DevicePath& path);
  // Reads the band's spans into runs and partly covered pixels; false when
  // the path touches none of it.
  bool Scan(const CRect& band);
  // The bands of rect (inside the picture and the cover's rows) the cover
  // touches, top down, each with its spans taken.
  template <typename Fn>
  void ForEachBand(kycover::Cover& cover, const CRect& rect, Fn fn);
  // fn(y, span) for the band's spans, top down, left to right.
  template <typename Fn>
  void ForEachSpan(const CRect& band, Fn fn) const;
  void Clip(const CRect& band);
  void BlendInPlace();
  void BlendThroughCopy(const CRect& band, const std::function<void()>& paint);

  CDC& m_dc;
  int m_width, m_height;
  PictureRows m_rows;
  kycover::Cover m_cover;
  struct Ring {
    size_t at;  // its first point in the path's xy
    int n;
    CRect reach;
  };
  // Puts the band's shares of the lines (m_lines, a byte a pixel) over the
  // picture and clears them.
  void BlendLines(const CRect& band, uint32_t pixel, uint32_t alpha);

  std::vector<kycover::Span> m_spans;  // a band's spans
  std::vector<size_t> m_rowAt;         // row i's spans: [m_rowAt[i], m_rowAt[i + 1])
  std::vector<RECT> m_runs;
  std::vector<Partial> m_partial;
  std::vector<char> m_regionData;
  kycover::Cover m_ringCover;
  StrokeScratch m_scratch;
  std::vector<Ring> m_rings;
  std::vector<uint8_t> m_lines;  // kLinePad bytes, the rows, kLinePad bytes
  static constexpr size_t kLinePad = 16;
  std::vector<int> m_lineFrom, m_lineTo;  // each row's touched columns, [from, to)
};

}  // namespace kymap
