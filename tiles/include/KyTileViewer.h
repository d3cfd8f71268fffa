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
// path), the legend's swatches from legend/N.png beside it.
std::string ViewerPage(const PyramidInfo& info, const std::string& tileUrl);

// Writes the page as folder/index.html, the swatches as folder/legend/N.png
// and Leaflet as folder/leaflet/. Throws MapError naming the file that
// cannot be written, or Leaflet's folder when it is missing.
void WriteViewer(const std::string& folder, const PyramidInfo& info, const std::string& tileUrl);

}  // namespace kytiles
