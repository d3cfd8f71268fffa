// The artwork of the built-in default library: 92 one-bit patterns, in the
// order of their ids (8 to 99).
#pragma once

#include <string>
#include <vector>

#include "tile.h"

struct Pattern {
  std::string what;  // what the pattern shows, for the contact sheet's index
  Tile tile;
};

// 60 of 8 x 8 (hatches, cross-hatches, dot screens, checks, bricks, waves,
// stipples, small marks), 19 of 33 x 33 and 7 of 66 x 66 (land cover and
// ground), 3 of 20 x 20, one each of 16 x 12, 33 x 28 and 76 x 64.
std::vector<Pattern> DefaultPatterns();
