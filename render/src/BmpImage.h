// A pattern's BMP file image as the rendering reads and colours it. The
// headers are read by CKyDib's reader, the one that also decodes the image,
// so every header form it draws also sizes the tile and takes the colours.
#pragma once

#include "KyDib.h"
#include "afx.h"

namespace ky {

// FALSE when CKyDib would refuse the image (truncated, or headers that do
// not agree with its bytes); out is then untouched.
BOOL ReadBmpHeader(const CByteArray& image, KyBmpHeader& out);

// Gives a 1-bit image the caller's colours: colour table entry 0 becomes the
// background, entry 1 the foreground (blue, green, red; a reserved byte
// stays), wherever the header puts the table and in its entry size. A
// one-entry table is rebuilt with two entries, moving the pixels by one
// entry and correcting the file size, the pixel offset and the entry count,
// so that the pixels are never overwritten. `header` must be what
// ReadBmpHeader said of this image; other depths are left alone.
void ColourMonoImage(CByteArray& image, const KyBmpHeader& header, COLORREF crFore, COLORREF crBack);

}  // namespace ky
