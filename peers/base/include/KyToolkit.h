// Small GDI helpers of the base module.
#pragma once

#include "afx.h"
#include "wingdi.h"

class CKyToolkit {
 public:
  // Writes hBitmap as a .bmp file at path: 1 bit per pixel for a monochrome
  // bitmap, 8 bits with the device's palette for an 8-bit one, 24 bits for
  // every other depth; rows bottom-up, uncompressed. hDC gives the colours
  // (NULL: the display). pColors, when not null, holds two colour table
  // entries (blue, green, red, 0 each: 8 bytes) that replace black and white
  // in a monochrome file. Returns FALSE with the last error set for a bad
  // handle (ERROR_INVALID_HANDLE), a null path (ERROR_INVALID_PARAMETER) or a
  // file that cannot be written (the file error); a failed write leaves the
  // file at path as it was (see AfxWriteFileReplacing).
  static BOOL SaveBitmapFile(HDC hDC, HBITMAP hBitmap, char* path, unsigned char* pColors = nullptr);
};
