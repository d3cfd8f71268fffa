// Feeds arbitrary bytes to CKyDib::Load as a BMP file image, then reads
// every pixel of what it accepted, so a header that lies about its sizes
// shows up as a read past the end.
#include <cstddef>
#include <cstdint>

#include "KyDib.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CKyDib dib;
  if (!dib.Load(data, size)) return 0;
  // A run-length image may be far larger than its input; a corner and the
  // last row are enough to touch every table and row path.
  unsigned sum = 0;
  const int h = dib.GetHeight(), w = dib.GetWidth();
  for (int y = 0; y < h && y < 64; ++y)
    for (int x = 0; x < w && x < 64; ++x) sum += dib.GetPixel(x, y);
  for (int x = 0; x < w && x < 4096; ++x) sum += dib.GetPixel(x, h - 1);
  dib.Close();
  return static_cast<int>(sum & 0);
}
