#include "KyTileCanvas.h"

#include <algorithm>

#include "KyMapTypes.h"

namespace kytiles {

namespace {

// The display is 5 * dpi * m pixels over 127 * m millimetres: its pixels per
// millimetre are exactly dpi / 25.4, so a pattern has its physical size, and
// any tile of the module fits it. The painting operations cut what they lay
// to the display, so it must hold the largest picture: m = 16 holds a
// metatile of 8 x 8 tiles of 512 pixels at scale 2 (192 dpi) and its buffer.
constexpr int kDisplayInches = 5 * 16;

}  // namespace

TileCanvas::TileCanvas(int dpi) {
  KyGetDisplaySettings(&m_saved);
  KyDisplaySettings s = m_saved;
  s.nHorzRes = s.nVertRes = kDisplayInches * dpi;
  s.nHorzSize = s.nVertSize = 127 * kDisplayInches / 5;
  s.nBitsPixel = 32;
  s.nLogPixels = dpi;
  if (!KySetDisplaySettings(&s)) throw kymap::MapError("the drawing device cannot be set up");
  if (!m_dc.CreateCompatibleDC(nullptr)) {
    KySetDisplaySettings(&m_saved);
    throw kymap::MapError("the drawing device cannot be made (out of memory?)");
  }
}

TileCanvas::~TileCanvas() {
  if (m_old) m_dc.SelectObject(m_old);
  m_dc.DeleteDC();
  m_bitmap.DeleteObject();
  KySetDisplaySettings(&m_saved);
}

void TileCanvas::Clear(int width, int height, COLORREF colour) {
  if (width > m_dc.GetDeviceCaps(HORZRES) || height > m_dc.GetDeviceCaps(VERTRES)) {
    throw kymap::MapError("a picture of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels is larger than the drawing device (fewer tiles a metatile)");
  }
  if (width > m_width || height > m_height) {
    const int w = std::max(width, m_width), h = std::max(height, m_height);
    // A top-down section made directly: one compatible with the display
    // would allocate the display's whole frame.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP made = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!made) throw kymap::MapError("a picture of " + std::to_string(w) + " x " + std::to_string(h) +
                                     " pixels cannot be made (out of memory?)");
    if (m_old) m_dc.SelectObject(m_old);
    m_bitmap.DeleteObject();
    m_bitmap.Attach(made);
    m_old = m_dc.SelectObject(&m_bitmap);
    m_bits = static_cast<uint32_t*>(bits);
    m_width = w;
    m_height = h;
  }
  m_dc.FillSolidRect(0, 0, width, height, colour);
}

}  // namespace kytiles
