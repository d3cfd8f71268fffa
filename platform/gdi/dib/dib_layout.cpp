#include "dib_layout.h"

namespace kygdi {

namespace {

bool KnownHeaderSize(uint32_t size) {
  // Core, info, the two bitfield extensions, v4 and v5.
  return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// A channel of `width` bits widened to 8 by repeating its bits, so that the
// largest value becomes 255 (0x1F -> 0xFF, 0x10 -> 0x84).
uint32_t Widen(uint32_t value, int width) {
  if (width <= 0) return 0;
  if (width >= 8) return (value >> (width - 8)) & 0xFF;
  uint32_t o = value << (8 - width);
  for (int have = width; have < 8; have *= 2) o |= o >> have;
  return o & 0xFF;
}

struct Channel {
  int shift = 0;
  int width = 0;
};

Channel ChannelOf(uint32_t mask) {
  Channel c;
  if (!mask) return c;
  while (!(mask & 1)) {
    mask >>= 1;
    ++c.shift;
  }
  while (mask & 1) {
    mask >>= 1;
    ++c.width;
  }
  return c;
}

}  // namespace

bool DibParseInfo(const BYTE* info, size_t available, DibLayout* out) {
  if (!info || !out || available < 4) return false;
  DibLayout l;
  l.headerSize = DibLE32(info);
  if (!KnownHeaderSize(l.headerSize) || available < l.headerSize) return false;

  int64_t width, height;
  uint16_t planes;
  uint32_t clrUsed = 0, sizeImage = 0;
  if (l.headerSize == 12) {
    width = DibLE16(info + 4);
    height = DibLE16(info + 6);
    planes = DibLE16(info + 8);
    l.bitCount = DibLE16(info + 10);
    l.colorEntryBytes = 3;
  } else {
    width = static_cast<int32_t>(DibLE32(info + 4));
    height = static_cast<int32_t>(DibLE32(info + 8));
    planes = DibLE16(info + 12);
    l.bitCount = DibLE16(info + 14);
    l.compression = DibLE32(info + 16);
    sizeImage = DibLE32(info + 20);
    clrUsed = DibLE32(info + 32);
  }
  if (planes != 1) return false;
  switch (l.bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return false;
  }
  switch (l.compression) {
    case kDibRgb: break;
    case kDibRle8: if (l.bitCount != 8) return false; break;
    case kDibRle4: if (l.bitCount != 4) return false; break;
    case kDibBitfields: if (l.bitCount != 16 && l.bitCount != 32) return false; break;
    default: return false;
  }
  if (width <= 0 || height == 0) return false;
  l.topDown = height < 0;
  if (l.topDown) height = -height;
  // Compressed images are always stored bottom-up.
  if (l.topDown && (l.compression == kDibRle8 || l.compression == kDibRle4)) return false;
  if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > kDibMaxPixels) return false;
  l.width = static_cast<int32_t>(width);
  l.height = static_cast<int32_t>(height);
  l.stride = static_cast<size_t>((static_cast<uint64_t>(width) * l.bitCount + 31) / 32 * 4);
  if (l.compression == kDibRle8 || l.compression == kDibRle4) {
    if (sizeImage == 0) return false;
    l.imageBytes = sizeImage;
  } else {
    l.imageBytes = l.stride * static_cast<size_t>(height);
  }

  if (l.bitCount <= 8) {
    const uint32_t full = 1u << l.bitCount;
    if (clrUsed > full) return false;
    l.colors = clrUsed ? clrUsed : full;
  } else {
    // A table may come with a deep image as a hint for palette devices; it
    // is skipped, not used.
    if (clrUsed > 256) return false;
    l.colors = clrUsed;
  }

  l.colorTableOffset = l.headerSize;
  if (l.bitCount == 16) {
    l.masks[0] = 0x7C00, l.masks[1] = 0x03E0, l.masks[2] = 0x001F;
  } else {
    l.masks[0] = 0xFF0000, l.masks[1] = 0x00FF00, l.masks[2] = 0x0000FF;
  }
  if (l.compression == kDibBitfields) {
    if (l.headerSize == 40) {
      if (available < 52) return false;
      l.colorTableOffset = 52;
    }
    for (int i = 0; i < 3; ++i) l.masks[i] = DibLE32(info + 40 + 4 * i);
    if (!l.masks[0] && !l.masks[1] && !l.masks[2]) return false;
  }
  l.infoBytes = l.colorTableOffset + static_cast<size_t>(l.colors) * l.colorEntryBytes;
  if (l.infoBytes > available) return false;
  *out = l;
  return true;
}

bool DibDecodeRle(const DibLayout& layout, const BYTE* bits, size_t bytes, std::vector<BYTE>& rows) {
  const bool four = layout.compression == kDibRle4;
  if (!four && layout.compression != kDibRle8) return false;
  rows.assign(layout.stride * static_cast<size_t>(layout.height), 0);
  int64_t x = 0, y = 0;
  auto put = [&](uint32_t index) {
    if (x < layout.width && y < layout.height) {
      BYTE* row = rows.data() + static_cast<size_t>(y) * layout.stride;
      if (four) {
        BYTE& b = row[x / 2];
        b = (x & 1) ? static_cast<BYTE>((b & 0xF0) | (index & 0x0F)) : static_cast<BYTE>((b & 0x0F) | (index << 4));
      } else {
        row[x] = static_cast<BYTE>(index);
      }
    }
    ++x;
  };
  size_t p = 0;
  while (p + 2 <= bytes && y < layout.height) {
    const uint32_t count = bits[p], value = bits[p + 1];
    p += 2;
    if (count) {
      for (uint32_t i = 0; i < count && x < layout.width; ++i)
        put(four ? ((i & 1) ? value & 0x0F : value >> 4) : value);
    } else if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // delta
      if (p + 2 > bytes) break;
      x += bits[p];
      y += bits[p + 1];
      p += 2;
    } else {  // `value` literal pixels, padded to a 16-bit boundary
      const size_t dataBytes = four ? (value + 1) / 2 : value;
      if (p + dataBytes > bytes) break;
      for (uint32_t i = 0; i < value && x < layout.width; ++i)
        put(four ? ((i & 1) ? bits[p + i / 2] & 0x0F : bits[p + i / 2] >> 4) : bits[p + i]);
      p += (dataBytes + 1) & ~size_t(1);
    }
  }
  return true;
}

void DibDecodeRow(const DibLayout& layout, const BYTE* colorTable, const BYTE* row, int x0, int n,
                  uint32_t* out) {
  auto fromTable = [&](uint32_t index) -> uint32_t {
    if (index >= layout.colors || !colorTable) return 0;
    const BYTE* e = colorTable + static_cast<size_t>(index) * layout.colorEntryBytes;
    return static_cast<uint32_t>(e[0]) | static_cast<uint32_t>(e[1]) << 8 | static_cast<uint32_t>(e[2]) << 16;
  };
  switch (layout.bitCount) {
    case 1:
      for (int i = 0; i < n; ++i) {
        const int x = x0 + i;
        out[i] = fromTable((row[x >> 3] >> (7 - (x & 7))) & 1);
      }
      return;
    case 4:
      for (int i = 0; i < n; ++i) {
        const int x = x0 + i;
        out[i] = fromTable((x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4);
      }
      return;
    case 8:
      for (int i = 0; i < n; ++i) out[i] = fromTable(row[x0 + i]);
      return;
    case 24:
      for (int i = 0; i < n; ++i) {
        const BYTE* p = row + static_cast<size_t>(x0 + i) * 3;
        out[i] = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16;
      }
      return;
    default: {
      const Channel r = ChannelOf(layout.masks[0]), g = ChannelOf(layout.masks[1]), b = ChannelOf(layout.masks[2]);
      for (int i = 0; i < n; ++i) {
        const uint32_t v = layout.bitCount == 16 ? DibLE16(row + static_cast<size_t>(x0 + i) * 2)
                                                 : DibLE32(row + static_cast<size_t>(x0 + i) * 4);
        out[i] = Widen((v & layout.masks[0]) >> r.shift, r.width) << 16 |
                 Widen((v & layout.masks[1]) >> g.shift, g.width) << 8 | Widen((v & layout.masks[2]) >> b.shift, b.width);
      }
    }
  }
}

}  // namespace kygdi
