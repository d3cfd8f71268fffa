#include "KyTilePng.h"

#include <new>

#include "KyMapTypes.h"
#include "gdipng.h"

namespace kytiles {

std::vector<uint8_t> EncodePng(const uint32_t* pixels, int stride, int width, int height) {
  // Tiles are small and read many times: zlib's default level.
  std::vector<BYTE> out;
  if (!GdiEncodePng(pixels, stride, width, height, 6, &out)) {
    if (GetLastError() == ERROR_NOT_ENOUGH_MEMORY) throw std::bad_alloc();
    throw kymap::MapError("a tile cannot be encoded as PNG");
  }
  return out;
}

}  // namespace kytiles
