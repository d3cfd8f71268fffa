// KyTilePng: a tile's pixels as PNG bytes in memory (a palette when the tile
// has at most 256 colours, else 8-bit RGB; no time stamp: the same pixels
// always give the same bytes).
#pragma once

#include <cstdint>
#include <vector>

namespace kytiles {

// Encodes width x height pixels (0x00RRGGBB, rows stride pixels apart, top
// first). Throws std::bad_alloc when libpng cannot get memory; any other
// libpng failure throws kymap::MapError.
std::vector<uint8_t> EncodePng(const uint32_t* pixels, int stride, int width, int height);

}  // namespace kytiles
