// A rectangle of the picture copied into a 32-bit top-down section that
// cairo can draw on (CAIRO_FORMAT_RGB24 has the section's layout), and
// copied back. Internal to the map library.
#pragma once

#include <cairo.h>

#include "afxdc.h"

namespace kymap {

class PixelBand {
 public:
  // A band of rect's size; throws MapError when it cannot be made.
  PixelBand(CDC& like, const CRect& rect);
  ~PixelBand();
  PixelBand(const PixelBand&) = delete;
  PixelBand& operator=(const PixelBand&) = delete;

  // The picture's pixels under the rectangle, into the band / back.
  void Grab(CDC& from);
  void Put(CDC& to);
  // A surface on the band's pixels with the picture's coordinates (its
  // device offset is the rectangle's corner).
  cairo_surface_t* Surface() const { return m_surface; }
  const CRect& Rect() const { return m_rect; }
  // The band's own memory DC (its pixels are the surface's).
  CDC& DC() { return m_dc; }
  // A copy of the band's pixels as a surface of its own, with the same
  // device offset; the caller destroys it.
  cairo_surface_t* Copy() const;

 private:
  CRect m_rect;
  CDC m_dc;
  CBitmap m_bitmap;
  CBitmap* m_old = nullptr;
  cairo_surface_t* m_surface = nullptr;
};

// Adds the rings of xy (sizes points each) as closed subpaths.
void AddRings(cairo_t* cr, const double* xy, const int* sizes, size_t rings);

}  // namespace kymap
