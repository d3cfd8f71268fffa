#include "pixel_device.h"

#include <algorithm>

#include "capi_internal.h"

namespace kyfsl_capi {

PixelDevice::PixelDevice(int width, int height, int dpi) : m_width(width), m_height(height) {
  KyGetDisplaySettings(&m_saved);
  // At least five inches, so that any tile of the module fits the display.
  const int inches5 = std::max(1, (std::max({width, height, 5 * dpi}) + 5 * dpi - 1) / (5 * dpi));
  KyDisplaySettings s = m_saved;
  s.nHorzRes = s.nVertRes = 5 * dpi * inches5;
  s.nHorzSize = s.nVertSize = 127 * inches5;
  s.nBitsPixel = 32;
  s.nLogPixels = dpi;
  if (!KySetDisplaySettings(&s)) throw Error{KYFSL_ERR_MEMORY, "the drawing device cannot be set up"};
  // A top-down 32-bit section made directly, not compatible with a DC of the
  // display (whose own frame would be allocated at its full, large, size);
  // its memory is read and written in place.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  m_bits = static_cast<uint32_t*>(bits);
  if (!m_dc.CreateCompatibleDC(nullptr) || !bitmap || !m_bitmap.Attach(bitmap)) {
    if (bitmap && !m_bitmap.GetSafeHandle()) ::DeleteObject(bitmap);
    m_dc.DeleteDC();
    KySetDisplaySettings(&m_saved);
    throw Error{KYFSL_ERR_MEMORY, "the drawing device cannot be made (out of memory?)"};
  }
  m_old = m_dc.SelectObject(&m_bitmap);
}

PixelDevice::~PixelDevice() {
  if (m_old) m_dc.SelectObject(m_old);
  m_dc.DeleteDC();
  m_bitmap.DeleteObject();
  KySetDisplaySettings(&m_saved);
}

}  // namespace kyfsl_capi
