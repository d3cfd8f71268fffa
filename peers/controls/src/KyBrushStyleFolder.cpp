// The brushes of the built-in fills, and the patterns for library indexes.
#include "KyBrushStyleFolder.h"

#include <cstring>

namespace {

// Built-in index -> hatch style; the order of the built-in fills is not the
// order of the HS_ constants.
const int kHatchOfIndex[8] = {-1, -1, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS, HS_FDIAGONAL, HS_HORIZONTAL, HS_VERTICAL};

// Rows top first, bit 7 leftmost; 1 is the colour, 0 white.
const BYTE kPatterns[CKyBrushStyleFolder::kPatternCount][8] = {
    {0x88, 0x00, 0x22, 0x00, 0x88, 0x00, 0x22, 0x00},  // dots
    {0xFF, 0x80, 0x80, 0x80, 0xFF, 0x08, 0x08, 0x08},  // bricks
    {0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80},  // grid
    {0x18, 0x24, 0x42, 0x81, 0x00, 0x00, 0x00, 0x00},  // zigzag
    {0xF0, 0xF0, 0xF0, 0xF0, 0x0F, 0x0F, 0x0F, 0x0F},  // checks
    {0x10, 0x28, 0x44, 0x82, 0x44, 0x28, 0x10, 0x00},  // diamonds
    {0x88, 0x54, 0x22, 0x45, 0x88, 0x15, 0x22, 0x51},  // weave
    {0x00, 0x10, 0x10, 0x7C, 0x10, 0x10, 0x00, 0x00},  // crosses
};

// A packed 1-bit DIB of the pattern: info header, two colour table entries
// (white, then the colour), eight bottom-up rows padded to 4 bytes.
struct PackedPattern {
  BITMAPINFOHEADER header;
  RGBQUAD colours[2];
  DWORD rows[8];
};

}  // namespace

int CKyBrushStyleFolder::HatchStyle(int index) { return index >= 0 && index < 8 ? kHatchOfIndex[index] : -1; }

const BYTE* CKyBrushStyleFolder::PatternRows(int index) {
  return index < kBuiltInCount ? nullptr : kPatterns[(index - kBuiltInCount) % kPatternCount];
}

BOOL CKyBrushStyleFolder::CreateBrush(CBrush& brush, int index, COLORREF cr) {
  brush.DeleteObject();
  if (index < 0) return FALSE;
  cr &= 0x00FFFFFF;
  if (index == 0) return brush.CreateSolidBrush(cr);
  // Deleting a stock object does nothing, so the brush may own it like any other.
  if (index == 1) return brush.Attach(GetStockObject(NULL_BRUSH));
  if (index < kBuiltInCount) return brush.CreateHatchBrush(kHatchOfIndex[index], cr);

  PackedPattern p;
  std::memset(&p, 0, sizeof p);
  p.header.biSize = sizeof(BITMAPINFOHEADER);
  p.header.biWidth = 8;
  p.header.biHeight = 8;
  p.header.biPlanes = 1;
  p.header.biBitCount = 1;
  p.header.biCompression = BI_RGB;
  p.header.biClrUsed = 2;
  p.colours[0] = RGBQUAD{0xFF, 0xFF, 0xFF, 0};
  p.colours[1] = RGBQUAD{GetBValue(cr), GetGValue(cr), GetRValue(cr), 0};
  const BYTE* rows = PatternRows(index);
  for (int y = 0; y < 8; ++y) {
    BYTE* row = reinterpret_cast<BYTE*>(&p.rows[7 - y]);
    row[0] = rows[y];
  }
  return brush.CreateDIBPatternBrush(&p, DIB_RGB_COLORS);
}
