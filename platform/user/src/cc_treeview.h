// What the tree view tells about its own work, for tests that hold its
// walks to the size of the tree.
#pragma once

#include <cstdint>

#include "winuser.h"

namespace kyuser {

// The number of items the tree view's walks (over siblings and visible
// rows) have visited since the control was made; 0 for a window that is
// not a tree view.
uint64_t TreeViewSteps(HWND h);

}  // namespace kyuser
