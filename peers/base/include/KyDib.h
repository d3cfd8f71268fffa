// CKyDib: a device-independent bitmap held in memory and drawn with its own
// colour table, whatever the device's format.
//
// Load takes a whole BMP file image (file header, info header, colour table,
// pixel rows) and checks it before it keeps anything: every offset, size,
// count and depth must agree with the bytes that are there. Depths 1, 4, 8,
// 16, 24 and 32 bits, bottom-up and top-down rows, uncompressed, bit fields,
// and 8 and 4-bit run-length encoding are read.
#pragma once

#include <cstddef>
#include <vector>

#include "afx.h"
#include "afxdc.h"

// What the headers of a whole BMP file image say, once checked against its
// bytes: every header the reader takes (12-byte core, 40-byte info, the
// bit-field, v4 and v5 forms) gives the same fields, so no caller reads a
// field at a fixed offset.
struct KyBmpHeader {
  int width = 0;
  int height = 0;  // always positive; see topDown
  bool topDown = false;
  int bitCount = 0;
  size_t headerSize = 0;      // of the info header: 12, 40, 52, 56, 108 or 124
  int colors = 0;             // colour table entries (1 or 2 for a 1-bit image)
  int colorEntryBytes = 4;    // 3 in a core header's table
  size_t colorTableOffset = 0;  // from the start of the file image
  size_t bitsOffset = 0;        // the pixel rows, from the start of the file image
};

class CKyDib {
 public:
  // Reads and checks the headers of the BMP file image of `size` bytes at
  // data, exactly as Load does, without taking the pixels. FALSE (and *out
  // untouched) when Load would refuse the image.
  static BOOL ReadHeader(const BYTE* data, size_t size, KyBmpHeader* out);

  CKyDib() = default;
  ~CKyDib() { Close(); }
  CKyDib(const CKyDib&) = delete;
  CKyDib& operator=(const CKyDib&) = delete;

  // Reads the BMP file image that starts at byte nStart of data. Returns
  // FALSE, holding nothing (as after Close), when the image is truncated or
  // its headers disagree with its size; the last error is then
  // ERROR_INVALID_DATA.
  BOOL Load(CByteArray& data, int nStart = 0);
  // The same from raw bytes.
  BOOL Load(const BYTE* data, size_t size);

  // Draws the whole image stretched onto (0, 0, cx, cy) of pDC. FALSE when
  // nothing is loaded or the device refuses.
  BOOL Draw(CDC* pDC, int cx, int cy);
  // Stretches the source rectangle (xSrc, ySrc, cxSrc, cySrc), counted from
  // the image's top-left corner, onto (x, y, cx, cy). FALSE as Draw.
  BOOL FreeDraw(CDC* pDC, int x, int y, int cx, int cy, int xSrc, int ySrc, int cxSrc, int cySrc);

  // Frees what Load made; the object can load again.
  void Close();

  BOOL IsValid() const { return !m_info.empty(); }
  int GetWidth() const { return m_width; }
  int GetHeight() const { return m_height; }
  int GetBitCount() const { return m_bitCount; }
  // Entries of the colour table, 0 for a true-colour image.
  int GetColorCount() const { return m_colors; }
  // The colour of pixel (x, y) from the top-left, CLR_INVALID outside.
  COLORREF GetPixel(int x, int y) const;
  // The header and colour table (a BITMAPINFO) and the rows, null when
  // nothing is loaded.
  const BITMAPINFO* GetInfo() const {
    return m_info.empty() ? nullptr : reinterpret_cast<const BITMAPINFO*>(m_info.data());
  }
  const BYTE* GetBits() const { return m_bits.empty() ? nullptr : m_bits.data(); }

 private:
  // Header, masks and colour table as BITMAPINFOHEADER and RGBQUADs (a core
  // header is widened to that form); rows uncompressed, in the file's order.
  std::vector<BYTE> m_info;
  std::vector<BYTE> m_bits;
  int m_width = 0;
  int m_height = 0;
  bool m_topDown = false;
  int m_bitCount = 0;
  int m_colors = 0;
  size_t m_stride = 0;
};
