// Two drawn styles for the format writer tests: a bitmap tile of 8 x 8
// pixels at 81 dpi in a group, and a symbol tile of 10 x 8 mm whose name
// needs escaping.
#pragma once

#include "KyExportPlan.h"

namespace kytest {

inline std::vector<kyexport::DrawnStyle> TwoDrawnStyles() {
  std::vector<kyexport::DrawnStyle> out(2);
  out[0].entry.id = 8;
  out[0].entry.name = "Sand";
  out[0].entry.group = "Ground/Loose, dry";
  out[0].entry.stem = "8-Sand";
  out[0].tile = {8 * 25.4 / 81, 8 * 25.4 / 81, 8, 8};
  out[0].svg = "<svg>8</svg>\n";
  out[0].file = "8-Sand.svg";
  out[1].entry.id = 23;
  out[1].entry.name = "Trees & <shrubs> -- \"old\"";
  out[1].entry.group = "";
  out[1].entry.stem = "23-Trees____shrubs_____old_";
  out[1].tile = {10, 8, 100, 80};
  out[1].svg = "<svg>23</svg>\n";
  out[1].file = "23-Trees____shrubs_____old_.svg";
  return out;
}

}  // namespace kytest
