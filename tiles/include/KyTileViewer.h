// KyTileViewer: the page that shows a pyramid on a Leaflet map, with the
// legend of its classes. Leaflet comes from the Debian package libjs-leaflet
// and is copied beside the page, so nothing is fetched when it is viewed.
#pragma once

#include <string>

#include "KyTileSink.h"

namespace kytiles {

// Where libjs-leaflet installs Leaflet.
constexpr const char* kLeafletDir = "/usr/share/javascript/leaflet";

// The page: tiles from tileUrl ("{z}/{x}/{y}.png" beside it, or a server's
// path), the legend's swatches from legend/N.png beside it. A listed page
// reads the tiles there are from tiles.js beside it (TileList) and asks only
// for those, so the tiles left out for having nothing on them show the
// background without a failed request; an unlisted one asks for every tile
// (a server answers the missing ones with the background).
std::string ViewerPage(const PyramidInfo& info, const std::string& tileUrl, bool listed = false);

// The script tiles.js of a folder of tiles: "var kyfslTiles = {z: {x:
// [[y0, y1], ...]}};", the runs of rows of the z/x/y.png files it holds.
std::string TileList(const std::string& folder);

// Writes the page as folder/index.html, listed, with folder/tiles.js, the
// swatches as folder/legend/N.png and Leaflet as folder/leaflet/. Throws
// MapError naming the file that cannot be written, or Leaflet's folder when
// it is missing.
void WriteViewer(const std::string& folder, const PyramidInfo& info, const std::string& tileUrl);

}  // namespace kytiles
