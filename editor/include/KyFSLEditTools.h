// The shape rasterisers of the canvas's drawing tools. Each turns a drag from
// the anchor cell a to the end cell b into pattern cells and hands every cell
// to plot(x, y), unclipped; the canvas's DrawLine ... DrawQuarterEllipse
// paint them through DrawPoint. The cells depend only on the two corners.
//
// Every shape produces each of its cells once, so that painting it twice
// with NOT-XOR removes it again; the exceptions are the outline ellipse of a
// drag one or two columns wide (a = 0), whose duplicates the canvas drops.
//
// Ellipses use the midpoint method in two regions, with double decision
// values: region 1 where the curve is flatter than 45 degrees steps in x,
// region 2 steps in y. Ties go to the horizontal step in region 1 and to the
// vertical step in region 2.
#pragma once

#include <functional>

#include "afx.h"

using KyCellPlot = std::function<void(int x, int y)>;

// Bresenham from a to b inclusive; steep lines step in y.
void KyRasterLine(CPoint a, CPoint b, const KyCellPlot& plot);
// Outline of the rectangle with a and b as opposite corners.
void KyRasterRectangle(CPoint a, CPoint b, const KyCellPlot& plot);
// Every cell of that rectangle, rows from a's row toward b's.
void KyRasterRectangleFill(CPoint a, CPoint b, const KyCellPlot& plot);
// Outline of the ellipse inscribed in the drag (see the .cpp for how an odd
// width or height places it).
void KyRasterEllipse(CPoint a, CPoint b, const KyCellPlot& plot);
// The same ellipse with its inside, row spans between the outline cells.
void KyRasterEllipseFill(CPoint a, CPoint b, const KyCellPlot& plot);
// A quarter ellipse centred at (b.x, a.y) from b along its row to a along
// its column.
void KyRasterQuarterEllipse(CPoint a, CPoint b, const KyCellPlot& plot);
