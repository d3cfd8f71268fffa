// ANSI bytes to characters. Each character keeps the byte range it came
// from, because DrawText breaks, cuts and underlines by byte position while
// the font works on code points.
#pragma once

#include <cstdint>
#include <vector>

#include "windef.h"

namespace kygdi {

struct TextChar {
  uint32_t cp;     // Unicode code point; U+FFFD for bytes the page cannot read
  int offset;      // first byte in the source
  int length;      // 1, or 2 for a double-byte character
};

// Splits `count` bytes of code page `codePage` (CP_ACP: the process's page)
// into characters. A lead byte at the very end stands alone.
std::vector<TextChar> DecodeAnsi(const char* text, int count, UINT codePage);

}  // namespace kygdi
