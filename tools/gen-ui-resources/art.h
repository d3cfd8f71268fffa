// The pictures, each drawn by a function of its own.
#pragma once

#include "pixelart.h"

namespace uires {

// 48 x 48 cell pictures of the browser grid (background white).
PixelArt FolderCell();      // 4909
PixelArt FolderUpCell();    // 4910
PixelArt NewStyleCell();    // 4908
// The group tree's strip of 16 x 16 images: closed folder, open folder
// (background black, the tree's mask colour).
PixelArt TreeImages();      // 4911
// The picker's icon in the size asked for (32 or 16).
PixelArt PickIcon(int size);  // 4912
// The 16 x 16 images of the tool palette (12) and of the command bar (one
// per button, separators left out), in button order.
std::vector<PixelArt> ToolImages();
std::vector<PixelArt> CommandImages();

}  // namespace uires
