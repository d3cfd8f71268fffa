// The layout of a device-independent bitmap, read from its info header.
//
// A DIB is described by a header (BITMAPCOREHEADER, BITMAPINFOHEADER or one
// of its longer versions), optional channel masks, a colour table, and the
// pixel rows, each padded to a multiple of 4 bytes:
//
//   +--------+-------+--------------+           +-----------------+
//   | header | masks | colour table |   ...     | row 0 | row 1 ..|
//   +--------+-------+--------------+           +-----------------+
//   ^ info                                       ^ bits (bottom row first
//                                                  unless the height is negative)
//
// DibParseInfo checks every field that sizes something before anything is
// computed from it, so a layout that comes back is safe to index: rows are
// `stride` bytes, `imageBytes` is their sum (or the compressed size), and the
// colour table holds `colors` entries of `colorEntryBytes` bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "windef.h"

namespace kygdi {

enum DibCompression : uint32_t { kDibRgb = 0, kDibRle8 = 1, kDibRle4 = 2, kDibBitfields = 3 };

struct DibLayout {
  uint32_t headerSize = 0;   // 12 for a core header, 40 and more otherwise
  int32_t width = 0;
  int32_t height = 0;        // always positive; see topDown
  bool topDown = false;
  uint16_t bitCount = 0;
  uint32_t compression = kDibRgb;
  size_t stride = 0;         // bytes per row, a multiple of 4
  size_t imageBytes = 0;     // bytes of pixel data the bits must hold
  uint32_t colors = 0;       // colour table entries
  uint32_t colorEntryBytes = 4;  // 3 for a core header (RGBTRIPLE)
  size_t colorTableOffset = 0;   // from the start of the header
  size_t infoBytes = 0;      // header + masks + colour table
  uint32_t masks[3] = {0, 0, 0};  // red, green, blue for 16 and 32 bits
};

// The largest image we accept, in pixels.
constexpr uint64_t kDibMaxPixels = uint64_t(1) << 28;

// Reads the header at info, of which `available` bytes may be read (SIZE_MAX
// when the caller vouches for a well-formed BITMAPINFO). Returns false for a
// header that is truncated or sizes anything impossibly.
bool DibParseInfo(const BYTE* info, size_t available, DibLayout* out);

// Decodes an RLE8 or RLE4 stream of `bytes` bytes into bottom-up rows of 8
// or 4 bits per pixel (`layout.stride` bytes each). Runs that pass the end
// of a row or the image are cut; pixels the stream skips stay 0.
bool DibDecodeRle(const DibLayout& layout, const BYTE* bits, size_t bytes, std::vector<BYTE>& rows);

// Converts pixels [x0, x0 + n) of one uncompressed row to 0x00RRGGBB values,
// using the colour table for the indexed depths. Indexes past the table
// give black.
void DibDecodeRow(const DibLayout& layout, const BYTE* colorTable, const BYTE* row, int x0, int n,
                  uint32_t* out);

inline uint16_t DibLE16(const BYTE* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t DibLE32(const BYTE* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace kygdi
