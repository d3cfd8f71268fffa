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
  // A 32-bit bitmap made directly, not compatible with a DC of the display:
  // the display's own frame would be allocated at its full (large) size.
  HBITMAP bitmap = ::CreateBitmap(width, height, 1, 32, nullptr);
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

void PixelDevice::Put(const std::vector<uint32_t>& pixels) {
  ::SetBitmapBits(static_cast<HBITMAP>(m_bitmap.GetSafeHandle()), static_cast<DWORD>(pixels.size() * 4),
                  pixels.data());
}

void PixelDevice::Get(std::vector<uint32_t>& pixels) {
  pixels.resize(static_cast<size_t>(m_width) * static_cast<size_t>(m_height));
  GetInto(pixels.data(), pixels.size());
}

void PixelDevice::GetInto(void* pixels, size_t n) {
  ::GetBitmapBits(static_cast<HBITMAP>(m_bitmap.GetSafeHandle()), static_cast<LONG>(n * 4), pixels);
}

}  // namespace kyfsl_capi
