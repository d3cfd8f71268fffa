// Metatiles drawn on forked processes. The display settings and the GDI's
// object tables are process-wide, so drawing in parallel means processes,
// not threads. Each worker makes its own renderer (and so its own connection
// to the source) after the fork, draws the metatiles it is sent, and sends
// back their tiles' bytes through a pipe:
//
//   parent --[metatile, range]--> worker
//   parent <--T tile | T tile ... | D counts-- worker     (or E message)
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "KyTileRenderer.h"

namespace kytiles {

struct MetatileWork {
  Metatile metatile;
  TileRange range;  // the pyramid's tiles at the metatile's zoom
};

using MakeRenderer = std::function<std::unique_ptr<TileRenderer>()>;
using TakeTiles = std::function<void(const MetatileWork&, const std::vector<TileImage>&, const DrawCounts&)>;

// Draws every work item on up to processes worker processes and hands each
// metatile's tiles to take() in this process, as the metatiles finish. When
// a worker fails (an error, or the process dies), no more work is sent out,
// the metatiles already being drawn are finished and taken, and MapError
// names the failed metatile. An exception from take() stops the workers and
// is passed on.
void DrawOnProcesses(int processes, const std::vector<MetatileWork>& work, const MakeRenderer& make,
                     const TakeTiles& take);

}  // namespace kytiles
