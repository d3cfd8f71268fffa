// PNG files of bitmaps and DCs, for looking at results and for tests. Not a
// call of the home platform; it fails in its style (FALSE, SetLastError).
//
// Pixels are 0x00RRGGBB values, top row first, `width` per row. Written
// files are a palette (of 1, 2, 4 or 8 bits a pixel) when the picture has at
// most 256 colours, and 8-bit RGB otherwise, without a time stamp: the same
// pixels give the same bytes.
#pragma once

#include <functional>
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

// Writes pixels (width * height, top row first) as a PNG. The file is
// written beside path and renamed over it, so a failure leaves an older file
// whole. FALSE with ERROR_INVALID_PARAMETER for bad sizes, or the file error
// (ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_DISK_FULL,
// ERROR_FILE_TOO_LARGE, ERROR_WRITE_FAULT).
BOOL GdiWritePngPixels(const char* path, int width, int height, const DWORD* pixels);
// The same, with the rows asked for one at a time: rows(y, out) fills width
// pixels of row y, or returns FALSE (with the last error set) to give up,
// leaving the old file. Rows are asked for top first, and once more from
// the top when the picture proves to have more than 256 colours (or has
// more than 2^26 pixels and few).
BOOL GdiWritePngRows(const char* path, int width, int height, const std::function<BOOL(int y, DWORD* row)>& rows);
// Encodes pixels (rows stride pixels apart) as PNG bytes in memory, with
// zlib's level (0-9). FALSE with ERROR_INVALID_PARAMETER for bad sizes,
// ERROR_NOT_ENOUGH_MEMORY, or ERROR_INVALID_DATA when libpng fails.
BOOL GdiEncodePng(const DWORD* pixels, int stride, int width, int height, int level, std::vector<BYTE>* out);
// Reads any PNG (every colour type and depth; alpha is dropped). FALSE with
// ERROR_FILE_NOT_FOUND or ERROR_INVALID_DATA, leaving *pixels alone.
BOOL GdiReadPngPixels(const char* path, int* width, int* height, std::vector<DWORD>* pixels);
