// Feeds arbitrary bytes to KyCreateBitmapFromPackedDib as an RT_BITMAP
// resource (a DIB without its file header), the first byte choosing the
// kind of bitmap, so that a header that lies about its rows or colours
// shows up as a read past the end.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "gdiresource.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  static const UINT kKinds[] = {KY_DIB_DEVICE, KY_DIB_SECTION, KY_DIB_MONO, KY_DIB_SCREEN};
  UINT kind = kKinds[data[0] % 4];
  // A copy of exactly the bytes given, so that the sanitizer sees its end.
  std::vector<uint8_t> dib(data + 1, data + size);
  HBITMAP bm = KyCreateBitmapFromPackedDib(dib.empty() ? nullptr : dib.data(), dib.size(), kind);
  if (bm) DeleteObject(bm);
  return 0;
}
