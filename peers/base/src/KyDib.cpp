#include "KyDib.h"

#include <cstring>

#include "dib_layout.h"

namespace {

// Limits that no genuine picture of this system reaches; a header beyond
// them is taken for a lie rather than a very large image.
constexpr uint64_t kMaxPixels = uint64_t(1) << 28;
// Run-length data can claim a large image in a few bytes; its expanded rows
// are held in memory, so it gets a smaller bound (4096 x 4096).
constexpr uint64_t kMaxRlePixels = uint64_t(1) << 24;

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;

uint16_t LE16(const BYTE* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t LE32(const BYTE* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}
void Put16(BYTE* p, uint32_t v) {
  p[0] = static_cast<BYTE>(v);
  p[1] = static_cast<BYTE>(v >> 8);
}
void Put32(BYTE* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<BYTE>(v >> (8 * i));
}

// What the headers of a BMP image say, once checked: the GDI's reading of the
// info header (the one reader of header forms and sizes), placed in the file.
struct Parsed {
  kygdi::DibLayout layout;
  size_t tableOffset = 0;  // from the start of the file image
  size_t bitsOffset = 0;
  size_t bitsBytes = 0;  // bytes the pixel data takes in the file
  bool Rle() const { return layout.compression == BI_RLE8 || layout.compression == BI_RLE4; }
  bool HasMasks() const { return layout.compression == BI_BITFIELDS; }
};

bool ParseHeaders(const BYTE* d, size_t size, Parsed& p) {
  if (!d || size < kFileHeaderBytes + 12 || d[0] != 'B' || d[1] != 'M') return false;
  const uint32_t fileSize = LE32(d + 2);
  const uint32_t offBits = LE32(d + 10);
  if (fileSize != 0 && fileSize > size) return false;  // the file says it is longer than it is
  kygdi::DibLayout& l = p.layout;
  if (!kygdi::DibParseInfo(d + kFileHeaderBytes, size - kFileHeaderBytes, &l)) return false;
  const uint64_t pixels = static_cast<uint64_t>(l.width) * static_cast<uint64_t>(l.height);
  if (pixels > (p.Rle() ? kMaxRlePixels : kMaxPixels)) return false;
  p.tableOffset = kFileHeaderBytes + l.colorTableOffset;
  // The pixels start after the colour table and inside the file.
  if (offBits < kFileHeaderBytes + l.infoBytes || offBits >= size) return false;
  p.bitsOffset = offBits;
  if (l.imageBytes > size - offBits) return false;
  p.bitsBytes = l.imageBytes;
  return true;
}

// Expands 8 or 4-bit run-length data into bottom-up rows. Runs that pass a
// row's end or the image's are cut; pixels the data skips stay index 0.
void DecodeRle(const Parsed& parsed, const BYTE* src, size_t bytes, std::vector<BYTE>& rows) {
  const kygdi::DibLayout& p = parsed.layout;
  const bool four = p.compression == BI_RLE4;
  rows.assign(p.stride * static_cast<size_t>(p.height), 0);
  int64_t x = 0, y = 0;
  auto put = [&](uint32_t index) {
    if (x < p.width && y < p.height) {
      BYTE* row = rows.data() + static_cast<size_t>(y) * p.stride;
      if (four) {
        BYTE& b = row[x / 2];
        b = (x & 1) ? static_cast<BYTE>((b & 0xF0) | (index & 0x0F)) : static_cast<BYTE>((b & 0x0F) | (index << 4));
      } else {
        row[x] = static_cast<BYTE>(index);
      }
    }
    ++x;
  };
  size_t i = 0;
  while (i + 2 <= bytes && y < p.height) {
    const uint32_t count = src[i], value = src[i + 1];
    i += 2;
    if (count) {
      for (uint32_t k = 0; k < count && x < p.width; ++k) put(four ? ((k & 1) ? value & 0x0F : value >> 4) : value);
    } else if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of image
      break;
    } else if (value == 2) {  // move right and up
      if (i + 2 > bytes) break;
      x += src[i];
      y += src[i + 1];
      i += 2;
    } else {  // `value` literal pixels, padded to a 16-bit boundary
      const size_t dataBytes = four ? (value + 1) / 2 : value;
      if (i + dataBytes > bytes) break;
      for (uint32_t k = 0; k < value && x < p.width; ++k)
        put(four ? ((k & 1) ? src[i + k / 2] & 0x0F : src[i + k / 2] >> 4) : src[i + k]);
      i += (dataBytes + 1) & ~size_t(1);
    }
  }
}

}  // namespace

BOOL CKyDib::Load(CByteArray& data, int nStart) {
  if (nStart < 0 || nStart > data.GetSize()) {
    Close();
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
  }
  const BYTE* base = data.GetData();
  return Load(base ? base + nStart : nullptr, static_cast<size_t>(data.GetSize() - nStart));
}

BOOL CKyDib::ReadHeader(const BYTE* data, size_t size, KyBmpHeader* out) {
  Parsed p;
  if (!out || !ParseHeaders(data, size, p)) return FALSE;
  const kygdi::DibLayout& l = p.layout;
  out->width = l.width;
  out->height = l.height;
  out->topDown = l.topDown;
  out->bitCount = l.bitCount;
  out->headerSize = l.headerSize;
  out->colors = static_cast<int>(l.colors);
  out->colorEntryBytes = static_cast<int>(l.colorEntryBytes);
  out->colorTableOffset = p.tableOffset;
  out->bitsOffset = p.bitsOffset;
  return TRUE;
}

BOOL CKyDib::Load(const BYTE* d, size_t size) {
  Close();
  Parsed parsed;
  if (!ParseHeaders(d, size, parsed)) {
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
  }
  const kygdi::DibLayout& p = parsed.layout;
  const size_t maskBytes = parsed.HasMasks() ? 12 : 0;
  std::vector<BYTE> info(kInfoHeaderBytes + maskBytes + static_cast<size_t>(p.colors) * 4, 0);
  BYTE* h = info.data();
  Put32(h, kInfoHeaderBytes);
  Put32(h + 4, static_cast<uint32_t>(p.width));
  Put32(h + 8, static_cast<uint32_t>(p.topDown ? -p.height : p.height));
  Put16(h + 12, 1);
  Put16(h + 14, p.bitCount);
  Put32(h + 16, parsed.HasMasks() ? BI_BITFIELDS : BI_RGB);
  Put32(h + 20, static_cast<uint32_t>(p.stride * static_cast<size_t>(p.height)));
  Put32(h + 24, 0);
  Put32(h + 28, 0);
  Put32(h + 32, p.colors);
  Put32(h + 36, 0);
  for (int i = 0; i < 3 && parsed.HasMasks(); ++i) Put32(h + 40 + 4 * i, p.masks[i]);
  BYTE* table = h + kInfoHeaderBytes + maskBytes;
  for (uint32_t i = 0; i < p.colors; ++i) {
    const BYTE* e = d + parsed.tableOffset + static_cast<size_t>(i) * p.colorEntryBytes;
    table[4 * i] = e[0];
    table[4 * i + 1] = e[1];
    table[4 * i + 2] = e[2];
  }

  std::vector<BYTE> bits;
  if (parsed.Rle())
    DecodeRle(parsed, d + parsed.bitsOffset, parsed.bitsBytes, bits);
  else
    bits.assign(d + parsed.bitsOffset, d + parsed.bitsOffset + parsed.bitsBytes);

  m_info.swap(info);
  m_bits.swap(bits);
  m_width = p.width;
  m_height = p.height;
  m_topDown = p.topDown;
  m_bitCount = p.bitCount;
  m_colors = static_cast<int>(p.bitCount <= 8 ? p.colors : 0);
  m_stride = p.stride;
  return TRUE;
}

void CKyDib::Close() {
  std::vector<BYTE>().swap(m_info);
  std::vector<BYTE>().swap(m_bits);
  m_width = m_height = m_bitCount = m_colors = 0;
  m_topDown = false;
  m_stride = 0;
}

COLORREF CKyDib::GetPixel(int x, int y) const {
  if (!IsValid() || x < 0 || y < 0 || x >= m_width || y >= m_height) return CLR_INVALID;
  const size_t row = static_cast<size_t>(m_topDown ? y : m_height - 1 - y);
  const BYTE* r = m_bits.data() + row * m_stride;
  const BYTE* h = m_info.data();
  const bool masks = LE32(h + 16) == BI_BITFIELDS;
  const BYTE* table = h + kInfoHeaderBytes + (masks ? 12 : 0);
  auto entry = [&](uint32_t i) -> COLORREF {
    if (i >= static_cast<uint32_t>(m_colors)) return RGB(0, 0, 0);
    return RGB(table[4 * i + 2], table[4 * i + 1], table[4 * i]);
  };
  switch (m_bitCount) {
    case 1: return entry((r[x >> 3] >> (7 - (x & 7))) & 1);
    case 4: return entry((x & 1) ? r[x >> 1] & 0x0F : r[x >> 1] >> 4);
    case 8: return entry(r[x]);
    case 24: return RGB(r[3 * x + 2], r[3 * x + 1], r[3 * x]);
    default: break;
  }
  uint32_t v = m_bitCount == 16 ? LE16(r + 2 * x) : LE32(r + 4 * x);
  uint32_t m[3];
  if (masks) {
    for (int i = 0; i < 3; ++i) m[i] = LE32(h + 40 + 4 * i);
  } else if (m_bitCount == 16) {
    m[0] = 0x7C00, m[1] = 0x03E0, m[2] = 0x001F;
  } else {
    m[0] = 0xFF0000, m[1] = 0x00FF00, m[2] = 0x0000FF;
  }
  BYTE c[3];
  for (int i = 0; i < 3; ++i) {
    uint32_t mask = m[i];
    if (!mask) {
      c[i] = 0;
      continue;
    }
    int shift = 0, width = 0;
    while (!(mask & 1)) mask >>= 1, ++shift;
    while (mask & 1) mask >>= 1, ++width;
    uint32_t val = (v >> shift) & ((width >= 32) ? 0xFFFFFFFFu : ((1u << width) - 1));
    // Widened by repeating its bits, so the channel's largest value is 255.
    uint32_t o = width >= 8 ? val >> (width - 8) : val << (8 - width);
    for (int have = width; have < 8 && have > 0; have *= 2) o |= o >> have;
    c[i] = static_cast<BYTE>(o);
  }
  return RGB(c[0], c[1], c[2]);
}

BOOL CKyDib::Draw(CDC* pDC, int cx, int cy) {
  return FreeDraw(pDC, 0, 0, cx, cy, 0, 0, m_width, m_height);
}

BOOL CKyDib::FreeDraw(CDC* pDC, int x, int y, int cx, int cy, int xSrc, int ySrc, int cxSrc, int cySrc) {
  if (!IsValid() || !pDC || !pDC->GetSafeHdc()) return FALSE;
  HDC hdc = pDC->GetSafeHdc();
  // The platform counts a bottom-up image's source rows from its last line.
  const int yDib = m_topDown ? ySrc : m_height - ySrc - cySrc;
  // Colour on colour, so that a shrunk picture keeps its colours instead of
  // merging rows by AND as the default mode would.
  const int oldMode = SetStretchBltMode(hdc, COLORONCOLOR);
  const int lines = StretchDIBits(hdc, x, y, cx, cy, xSrc, yDib, cxSrc, cySrc, m_bits.data(), GetInfo(),
                                  DIB_RGB_COLORS, SRCCOPY);
  if (oldMode) SetStretchBltMode(hdc, oldMode);
  return lines != 0 && lines != static_cast<int>(GDI_ERROR);
}
