// PNG files of bitmaps and DCs, for looking at results and for tests. Not a
// call of the home platform; it fails in its style (FALSE, SetLastError).
//
// Pixels are 0x00RRGGBB values, top row first, `width` per row. Written
// files are 8-bit RGB without a time stamp: the same pixels give the same
// bytes.
#pragma once

#include <vector>

#include "wingdi.h"

// Writes the bitmap's pixels as seen through a 32-bit DIB. FALSE for a bad
// handle (ERROR_INVALID_HANDLE) or a file that cannot be written
// (ERROR_PATH_NOT_FOUND, ERROR_WRITE_FAULT).
BOOL GdiSaveBitmapPng(HBITMAP hbm, const char* path);
// Writes what the DC draws on: its selected bitmap, or the pixels of a
// display or printer DC. FALSE as GdiSaveBitmapPng.
BOOL GdiSaveDCPng(HDC hdc, const char* path);

// Reads the pixels of a bitmap as GdiSaveBitmapPng writes them. FALSE for a
// bad handle.
BOOL GdiGetBitmapPixels(HBITMAP hbm, int* width, int* height, std::vector<DWORD>* pixels);

BOOL GdiWritePngPixels(const char* path, int width, int height, const DWORD* pixels);
// Reads any PNG (every colour type and depth; alpha is dropped). FALSE with
// ERROR_FILE_NOT_FOUND or ERROR_INVALID_DATA, leaving *pixels alone.
BOOL GdiReadPngPixels(const char* path, int* width, int* height, std::vector<DWORD>* pixels);
