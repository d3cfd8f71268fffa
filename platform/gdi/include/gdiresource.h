// Bitmaps made from packed DIBs: a BITMAPINFOHEADER (or a core header), its
// masks and colour table, then the rows, with no file header in front. That
// is an RT_BITMAP resource, and a .bmp file after its 14-byte file header.
// Not a call of the home platform: the window system's LoadBitmap,
// LoadImage and icons, and CBitmap::LoadBitmap, are built on it.
#pragma once

#include <cstddef>

#include "wingdi.h"
#include "winres.h"

// What kind of bitmap to make.
#define KY_DIB_DEVICE 0x0000   // device-dependent: the screen's format, or 1 bit for a black and white DIB
#define KY_DIB_SECTION 0x0001  // a DIB section of the DIB's own depth (32 bits for depths it cannot share)
#define KY_DIB_MONO 0x0002     // 1 bit: black for dark pixels, white for light ones
#define KY_DIB_SCREEN 0x0004   // device-dependent in the screen's format, even for a black and white DIB

// The bitmap of the cb bytes at pPacked. NULL with ERROR_INVALID_DATA when
// the header is damaged, sizes more than cb holds or is of a kind this GDI
// does not read (a PNG or JPEG image); ERROR_INVALID_PARAMETER for no bytes.
HBITMAP KyCreateBitmapFromPackedDib(const void* pPacked, size_t cb, UINT kind);
// The RT_BITMAP resource lpName of hInstance (NULL: the executable) made
// into a bitmap of that kind; NULL with FindResource's error when it is
// missing, else as KyCreateBitmapFromPackedDib.
HBITMAP KyLoadBitmapResource(HINSTANCE hInstance, LPCSTR lpName, UINT kind);
