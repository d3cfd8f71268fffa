// PixelDevice: a 32-bit device bitmap in a memory DC of the simulated display,
// set for the time of one call to the caller's resolution. The display is
// made 5 * dpi * m pixels over 127 * m millimetres (m whole), so that its
// pixels per millimetre are exactly dpi / 25.4 and tiles come out the same
// size whatever the buffer's size.
#pragma once

#include <cstdint>
#include <vector>

#include "afxdc.h"

namespace kyfsl_capi {

class PixelDevice {
 public:
  // Throws Error (KYFSL_ERR_MEMORY) when the device cannot be made. The
  // display settings are put back by the destructor.
  PixelDevice(int width, int height, int dpi);
  ~PixelDevice();
  PixelDevice(const PixelDevice&) = delete;
  PixelDevice& operator=(const PixelDevice&) = delete;

  CDC& DC() { return m_dc; }
  // The device's own rows, width pixels of 0x00RRGGBB each, top row first:
  // the bitmap is a section whose memory the drawing reads and writes.
  uint32_t* Bits() { return m_bits; }
  size_t Size() const { return static_cast<size_t>(m_width) * static_cast<size_t>(m_height); }

 private:
  int m_width, m_height;
  KyDisplaySettings m_saved{};
  CDC m_dc;
  CBitmap m_bitmap;
  CBitmap* m_old = nullptr;
  uint32_t* m_bits = nullptr;
};

}  // namespace kyfsl_capi
