#include "KyMapBand.h"

#include "KyMapTypes.h"

namespace kymap {

PixelBand::PixelBand(CDC& like, const CRect& rect) : m_rect(rect) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = rect.Width();
  info.bmiHeader.biHeight = -rect.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits || !m_dc.CreateCompatibleDC(&like) || !m_bitmap.Attach(bitmap)) {
    if (bitmap && !m_bitmap.GetSafeHandle()) ::DeleteObject(bitmap);
    throw MapError("a band of " + std::to_string(rect.Width()) + " x " + std::to_string(rect.Height()) +
                   " pixels cannot be made (out of memory?)");
  }
  m_old = m_dc.SelectObject(&m_bitmap);
  m_surface = cairo_image_surface_create_for_data(static_cast<unsigned char*>(bits), CAIRO_FORMAT_RGB24,
                                                  rect.Width(), rect.Height(), rect.Width() * 4);
  if (cairo_surface_status(m_surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(m_surface);
    m_dc.SelectObject(m_old);
    throw MapError("a drawing surface cannot be made (out of memory?)");
  }
  cairo_surface_set_device_offset(m_surface, -rect.left, -rect.top);
}

PixelBand::~PixelBand() {
  cairo_surface_destroy(m_surface);
  if (m_old) m_dc.SelectObject(m_old);
}

void PixelBand::Grab(CDC& from) {
  cairo_surface_flush(m_surface);
  m_dc.BitBlt(0, 0, m_rect.Width(), m_rect.Height(), &from, m_rect.left, m_rect.top, SRCCOPY);
  cairo_surface_mark_dirty(m_surface);
}

void PixelBand::Put(CDC& to) {
  cairo_surface_flush(m_surface);
  to.BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), &m_dc, 0, 0, SRCCOPY);
}

cairo_surface_t* PixelBand::Copy() const {
  cairo_surface_flush(m_surface);
  cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_RGB24, m_rect.Width(), m_rect.Height());
  cairo_t* cr = cairo_create(copy);
  // The band's surface has its device offset: its pixel (0, 0) is the
  // pattern's point (left, top).
  cairo_set_source_surface(cr, m_surface, -m_rect.left, -m_rect.top);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr);
  cairo_destroy(cr);
  cairo_surface_set_device_offset(copy, -m_rect.left, -m_rect.top);
  return copy;
}

void AddRings(cairo_t* cr, const double* xy, const int* sizes, size_t rings) {
  for (size_t r = 0; r < rings; ++r) {
    cairo_move_to(cr, xy[0], xy[1]);
    for (int i = 1; i < sizes[r]; ++i) cairo_line_to(cr, xy[2 * i], xy[2 * i + 1]);
    cairo_close_path(cr);
    xy += 2 * sizes[r];
  }
}

}  // namespace kymap
