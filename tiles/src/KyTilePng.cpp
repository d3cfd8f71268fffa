#include "KyTilePng.h"

#include <new>

#include "KyMapTypes.h"
#include "gdipng.h"

namespace kytiles {

std::vector<uint8_t> EncodePng(const uint32_t* pixels, int stride, int width, int height) {
  // zlib's fastest level: most tiles have few colours and are written as a
  // palette, a third of RGB's data, so they stay small (the countries'
  // z0-6 pyramid is 5.9 MB; 5.0 MB at the default level, which takes half
  // as long again).
  std::vector<BYTE> out;
  if (!GdiEncodePng(pixels, stride, width, height, 1, &out)) {
    if (GetLastError() == ERROR_NOT_ENOUGH_MEMORY) throw std::bad_alloc();
    throw kymap::MapError("a tile cannot be encoded as PNG");
  }
  return out;
}

}  // namespace kytiles
