// The resources the generator makes, in the order they are written out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pixelart.h"

namespace uires {

struct Resource {
  int type;      // RT_ ordinal
  int id;
  int language;  // 1033, 2052, or 0 for the one variant
  Bytes bytes;
  std::string what;  // a line of comment in the generated file
};

// The seven dialog templates in English and Chinese (dialogs.cpp).
void AddDialogs(std::vector<Resource>& out);
// Toolbars, bitmaps and the icon group with its images (art_*.cpp, artwork.cpp).
void AddArtwork(std::vector<Resource>& out);

// The pictures by name, for review ("4909", "4911", "tools", ...).
struct NamedArt {
  std::string name;
  PixelArt art;
  int background;  // VGA index the background is shown in
};
std::vector<NamedArt> ArtworkForReview();

}  // namespace uires
