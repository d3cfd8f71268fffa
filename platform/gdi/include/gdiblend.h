// Mixing a colour or a bitmap into a DC at a rate in percent: calls of this
// platform's own, in its style (FALSE with SetLastError). The home
// platform's AlphaBlend mixes by an alpha with its own rounding; these give
// exactly, per colour component in the destination's own widths (8 bits, or
// the 5/6-bit fields of 16 and 15-bit words), with truncating divisions:
//
//   result = below * (100 - rate) / 100 + over * rate / 100
//
// The bits outside the colour (the fourth byte of a 32-bit pixel, bit 15 of
// a 15-bit one) keep the destination's value. Coordinates are logical, as
// for BitBlt; the DC's clipping region applies.
#pragma once

#include "wingdi.h"

#ifndef ERROR_NOT_SUPPORTED
#define ERROR_NOT_SUPPORTED 50L
#endif

// Mixes colour into the rectangle. FALSE with ERROR_INVALID_PARAMETER for a
// null rectangle or a rate outside 1..99, ERROR_INVALID_HANDLE for a bad
// DC, and ERROR_NOT_SUPPORTED when the DC's pixels are not mixed (palette
// and monochrome surfaces): the caller then paints another way.
BOOL GdiBlendRect(HDC hdc, const RECT* rect, COLORREF colour, int rate);

// Mixes cx x cy pixels of hdcSrc's bitmap from (xSrc, ySrc) into hdcDest at
// (x, y), no stretching; only the part inside the source bitmap is used.
// With hbmMask (a bitmap of the same format, read from (xSrc, ySrc) too),
// only pixels whose mask pixel is black are mixed. FALSE as GdiBlendRect,
// and with ERROR_INVALID_PARAMETER when the source or the mask is not in
// the destination's format, or the source is the destination's own bitmap.
BOOL GdiBlendBlt(HDC hdcDest, int x, int y, int cx, int cy, HDC hdcSrc, int xSrc, int ySrc, HBITMAP hbmMask,
                 int rate);
