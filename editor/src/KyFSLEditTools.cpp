// The shape rasterisers of the canvas's drawing tools.
//
// Ellipse geometry. A drag from (x0, y0) to (x1, y1) gives the half extents
// a = dx / 2 and hy = dy / 2, both truncated toward zero and keeping their
// signs, and b = |hy|. The traversal walks one quadrant in (x, y), x the
// distance from the vertical axis and y from the horizontal one, and each
// state stands for up to four cells:
//
//        XL = x1 - a - x        XR = x0 + a + x
//   YT = y0 + hy - y    (XL,YT) . . . (XR,YT)
//                          .             .
//   YB = y1 - hy + y    (XL,YB) . . . (XR,YB)
//
// The columns are taken from opposite ends of the drag, so an odd width or
// height shifts the figure by one cell: a drag of odd width to the right
// comes out two columns narrower than the drag, one to the left fills it.
#include "KyFSLEditTools.h"

#include <cstdlib>

namespace {

int Sign(int v) { return v < 0 ? -1 : 1; }

// The traversal shared by the outline and the filled ellipse. The outline
// plots the four mirrored cells of every state; the filled form plots row
// spans instead wherever a step leaves a row for good.
class EllipseWalk {
 public:
  EllipseWalk(CPoint p0, CPoint p1, const KyCellPlot& plot, bool filled)
      : m_x0(p0.x), m_y0(p0.y), m_x1(p1.x), m_y1(p1.y), m_plot(plot), m_filled(filled) {
    m_dx = m_x1 - m_x0;
    m_dy = m_y1 - m_y0;
    m_a = m_dx / 2;
    m_hy = m_dy / 2;
    m_b = std::abs(m_hy);
    m_a2 = static_cast<double>(m_a) * m_a;
    m_b2 = static_cast<double>(m_b) * m_b;
  }

  void Run() {
    int y = m_b;
    int x = (m_dx % 2 != 0 && m_dx < 0) ? -1 : 0;
    if (m_dx % 2 == 0) {
      m_plot(m_x1 - m_a, YB(y));
      m_plot(m_x1 - m_a, YT(y));
    }
    // Region 1: steps in x while the slope is below one.
    if (m_b2 * x - m_a2 * m_b < 0) {
      double d = (0.25 - m_b) * m_a2 + m_b2;
      double t = (2.0 * x + 3) * m_b2;
      do {
        bool diagonal = d > 0;
        if (!diagonal) {
          d += t;
          ++x;
        } else {
          d += (2.0 - 2.0 * y) * m_a2 + t;
          ++x;
          --y;
        }
        t += 2 * m_b2;
        if (m_filled && diagonal) {
          Span(x, YB(y));
          Span(x, YT(y));
        } else {
          Four(x, y);
        }
      } while (!(m_b2 * x - m_a2 * y >= 0));
    }
    // Region 2: steps in y down to the horizontal axis.
    if (y >= 1) {
      double d = m_a2 * (y - 1.0) * (y - 1.0) + m_b2 * (x + 0.5) * (x + 0.5) - m_a2 * m_b2;
      double t = 2 * m_b2 * (x + 1.0);
      while (y > 0) {
        if (d < 0) {
          d += (3.0 - 2.0 * y) * m_a2 + t;
          ++x;
          t += 2 * m_b2;
        } else {
          d += (3.0 - 2.0 * y) * m_a2;
        }
        --y;
        // With an even height both mirrored rows meet on the axis row.
        const bool lastRowShared = m_dy % 2 == 0 && y < 1;
        if (m_filled) {
          Span(x, YB(y));
          if (!lastRowShared) Span(x, YT(y));
        } else {
          m_plot(XR(x), YB(y));
          m_plot(XL(x), YB(y));
          if (lastRowShared) break;
          m_plot(XR(x), YT(y));
          m_plot(XL(x), YT(y));
        }
      }
    }
  }

 private:
  int XR(int x) const { return m_x0 + m_a + x; }
  int XL(int x) const { return m_x1 - m_a - x; }
  int YB(int y) const { return m_y1 - m_hy + y; }
  int YT(int y) const { return m_y0 + m_hy - y; }
  void Four(int x, int y) const {
    m_plot(XR(x), YB(y));
    m_plot(XL(x), YB(y));
    m_plot(XR(x), YT(y));
    m_plot(XL(x), YT(y));
  }
  void Span(int x, int row) const {
    for (int c = XL(x); c <= XR(x); ++c) m_plot(c, row);
  }

  int m_x0, m_y0, m_x1, m_y1;
  const KyCellPlot& m_plot;
  bool m_filled;
  int m_dx = 0, m_dy = 0, m_a = 0, m_hy = 0, m_b = 0;
  double m_a2 = 0, m_b2 = 0;
};

}  // namespace

void KyRasterLine(CPoint a, CPoint b, const KyCellPlot& plot) {
  const int dx = b.x - a.x, dy = b.y - a.y;
  const int sx = Sign(dx), sy = Sign(dy);
  const int ax = std::abs(dx), ay = std::abs(dy);
  int x = a.x, y = a.y;
  if (ay > ax) {
    int e = -ay;
    for (int i = 0; i <= ay; ++i) {
      plot(x, y);
      y += sy;
      e += 2 * ax;
      if (e >= 0) {
        x += sx;
        e -= 2 * ay;
      }
    }
  } else {
    int e = -ax;
    for (int i = 0; i <= ax; ++i) {
      plot(x, y);
      x += sx;
      e += 2 * ay;
      if (e >= 0) {
        y += sy;
        e -= 2 * ax;
      }
    }
  }
}

void KyRasterRectangle(CPoint a, CPoint b, const KyCellPlot& plot) {
  const int w = std::abs(b.x - a.x), h = std::abs(b.y - a.y);
  const int sx = Sign(b.x - a.x), sy = Sign(b.y - a.y);
  plot(a.x, a.y);
  for (int i = 1; i <= w; ++i) {
    const int x = a.x + i * sx;
    plot(x, a.y);
    if (h != 0) plot(x, b.y);
  }
  // The corner cells of the far column came with the rows.
  for (int j = 1; j <= h; ++j) {
    const int y = a.y + j * sy;
    plot(a.x, y);
    if (w != 0 && y != b.y) plot(b.x, y);
  }
}

void KyRasterRectangleFill(CPoint a, CPoint b, const KyCellPlot& plot) {
  const int w = std::abs(b.x - a.x), h = std::abs(b.y - a.y);
  const int sx = Sign(b.x - a.x), sy = Sign(b.y - a.y);
  for (int j = 0; j <= h; ++j)
    for (int i = 0; i <= w; ++i) plot(a.x + i * sx, a.y + j * sy);
}

void KyRasterEllipse(CPoint a, CPoint b, const KyCellPlot& plot) { EllipseWalk(a, b, plot, false).Run(); }

void KyRasterEllipseFill(CPoint a, CPoint b, const KyCellPlot& plot) { EllipseWalk(a, b, plot, true).Run(); }

void KyRasterQuarterEllipse(CPoint a, CPoint b, const KyCellPlot& plot) {
  const int x1 = b.x, y0 = a.y;
  const int A = b.x - a.x;  // signed and whole: the centre is the corner (x1, y0)
  const int B = std::abs(b.y - a.y);
  const int sy = b.y < a.y ? -1 : 1;
  const int s = A < 0 ? 1 : -1;
  const double a2 = static_cast<double>(A) * A, b2 = static_cast<double>(B) * B;
  plot(b.x, b.y);
  int k = 0, y = B;
  if (B * a2 > 0) {
    double d = (0.25 - B) * a2 + b2;
    double t = 3 * b2;
    double u = 0;
    do {
      if (d <= 0) {
        d += t;
        ++k;
      } else {
        d += (2.0 - 2.0 * y) * a2 + t;
        ++k;
        --y;
      }
      t += 2 * b2;
      u += b2;
      plot(x1 + k * s, y0 + y * sy);
    } while (!(u - y * a2 >= 0));
  }
  if (y >= 1) {
    double d = a2 * (y - 1.0) * (y - 1.0) + b2 * (k + 0.5) * (k + 0.5) - b2 * a2;
    double t = 2 * b2 * (k + 1.0);
    while (y >= 1) {
      if (d < 0) {
        d += (3.0 - 2.0 * y) * a2 + t;
        t += 2 * b2;
        ++k;
      } else {
        d += (3.0 - 2.0 * y) * a2;
      }
      --y;
      plot(x1 + k * s, y0 + y * sy);
    }
  }
}
