// KyTileGeometry: a feature's rings as pixels of a picture that is a block of
// the world's pixels at one zoom.
//
// Every vertex is first rounded to a grid of the world's pixels at the zoom
// (whole pixels, or a fraction of a pixel for smooth edges), which does not
// depend on the picture: the same feature gives the same vertices in every
// metatile, and a border shared by two features stays shared (the rounding
// is the generalisation: vertices that fall on one grid point, and vertices
// on a straight line between their neighbours, are dropped). Only then is
// the picture's corner subtracted, exactly.
//
//        world pixel grid (zoom z)
//   (0,0) +-------------------------------------+
//         |   picture at (px0, py0) +--------+  |
//         |                         |  rings |  |   device = world - (px0, py0)
//         |                         +--------+  |
//         +-------------------------------------+
//
// Rings reaching further than the clip margin past the picture are cut there
// (the cut vertex is rounded): inside the picture, the pixels are those of
// the uncut ring as long as its edges stay within the margin.
#pragma once

#include <cstdint>
#include <vector>

#include "KyMapLayer.h"
#include "KyTileMath.h"

namespace kytiles {

// A picture: width x height pixels whose top-left pixel is world pixel
// (px0, py0) of zoom z, tiles of tilePixels.
struct PictureFrame {
  int z = 0;
  int tilePixels = 256;
  int64_t px0 = 0, py0 = 0;
  int width = 0, height = 0;
};

class TileGeometry {
 public:
  // margin: how far past the picture rings are kept whole, in pixels;
  // steps: grid points a pixel (1, or a power of two up to 256).
  TileGeometry(const PictureFrame& frame, int margin, int steps = 1);

  // The feature's extent grown by grow pixels, in Web Mercator metres: what
  // a spatial filter for this picture reads.
  Extent FilterExtent(int grow) const;
  // True when the feature spans less than one pixel both across and down:
  // it is counted, not drawn.
  bool BelowAPixel(const kymap::PolygonFeature& f) const;
  // The same judged from the feature's extent in longitude and latitude on
  // WGS 84, before it is projected: true only when it is plainly so (a
  // ten-thousandth of a pixel below), so that it never differs from
  // BelowAPixel on the projected feature.
  bool PlainlyBelowAPixel(const Extent& lonLat) const;
  // The feature's rings in device pixels of the picture (x, y pairs, y
  // down), generalised and cut; rings that vanish are left out. Returns the
  // number of rings kept (sizes holds their points).
  int Rings(const kymap::PolygonFeature& f, std::vector<double>& xy, std::vector<int>& sizes);

 private:
  PictureFrame m_frame;
  WorldPixels m_world;
  int m_margin;
  int m_steps;
  std::vector<int64_t> m_ring;  // x, y pairs of the ring being made
};

}  // namespace kytiles
