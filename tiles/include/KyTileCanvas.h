// KyTileCanvas: a 32-bit picture in a memory DC of the simulated display, set
// for the canvas's life to the tiles' resolution (96 dpi a scale step). The
// DC stays the same for the canvas's life, so a painter prepared on it keeps
// working when a larger picture replaces the bitmap.
#pragma once

#include <cstdint>

#include "afxdc.h"

namespace kytiles {

class TileCanvas {
 public:
  // Throws kymap::MapError when the display cannot be set or the DC made.
  // The display settings are put back by the destructor.
  explicit TileCanvas(int dpi);
  ~TileCanvas();
  TileCanvas(const TileCanvas&) = delete;
  TileCanvas& operator=(const TileCanvas&) = delete;

  CDC& DC() { return m_dc; }
  // Makes the picture at least width x height (keeping a larger one) and
  // paints its top-left width x height in colour. Throws kymap::MapError
  // when the bitmap cannot be made.
  void Clear(int width, int height, COLORREF colour);
  // The picture's rows, Stride() pixels apart, top first, 0x00RRGGBB.
  const uint32_t* Bits() const { return m_bits; }
  int Stride() const { return m_width; }

 private:
  KyDisplaySettings m_saved{};
  CDC m_dc;
  CBitmap m_bitmap;
  CBitmap* m_old = nullptr;
  uint32_t* m_bits = nullptr;
  int m_width = 0, m_height = 0;
};

}  // namespace kytiles
