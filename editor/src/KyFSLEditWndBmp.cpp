// The canvas's exchange form: a whole BMP file image.
//
//   0 "BM" | 2 file size | 6 reserved 0, 0 | 10 offset of the pixels, 62
//   14 info header (40 bytes): size 40, W, H (bottom-up), planes 1, 1 bit,
//      no compression, image size 0, 10000 pixels per metre both ways,
//      colours used 0, important 0
//   54 palette: white (255, 255, 255, 0), black (0, 0, 0, 0)
//   62 m_arrBits, H rows of S bytes
//
// Reading checks every length against the buffer before it copies a byte:
// an image is taken only when its headers, its size and its rows are all
// there.
#include <cstring>

#include "KyDib.h"
#include "KyFSLEditWndImpl.h"
#include "KyFillStyle.h"

using namespace kycanvas;

namespace {

constexpr int kFileHeader = 14;
constexpr int kInfoHeader = 40;
constexpr int kPixelOffset = 62;

void Put16(BYTE* p, unsigned v) {
  p[0] = static_cast<BYTE>(v);
  p[1] = static_cast<BYTE>(v >> 8);
}
void Put32(BYTE* p, unsigned long v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<BYTE>(v >> (8 * i));
}
unsigned Get16(const BYTE* p) { return p[0] | (p[1] << 8); }
long Get32(const BYTE* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                              (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24));
}

}  // namespace

int CKyFSLEditWnd::ToByteBuffer(CByteArray& buf) {
  if (m_arrBits.IsEmpty()) {
    if (m_arrImage.IsEmpty()) return 0;
    buf.Copy(m_arrImage);
    return 1;
  }
  const INT_PTR bits = m_arrBits.GetSize();
  buf.RemoveAll();
  buf.SetSize(kPixelOffset + bits);
  BYTE* p = buf.GetData();
  p[0] = 'B';
  p[1] = 'M';
  Put32(p + 2, static_cast<unsigned long>(kPixelOffset + bits));
  Put32(p + 10, kPixelOffset);
  Put32(p + 14, kInfoHeader);
  Put32(p + 18, static_cast<unsigned long>(m_nWidth));
  Put32(p + 22, static_cast<unsigned long>(m_nHeight));
  Put16(p + 26, 1);
  Put16(p + 28, 1);
  Put32(p + 38, 10000);
  Put32(p + 42, 10000);
  p[54] = p[55] = p[56] = 255;  // palette entry 0 white, entry 1 black
  std::memcpy(p + kPixelOffset, m_arrBits.GetData(), static_cast<size_t>(bits));
  return 1;
}

int CKyFSLEditWnd::FromByteBuffer(CByteArray& buf) {
  m_arrImage.RemoveAll();
  m_arrBits.RemoveAll();
  m_arrUndo.RemoveAll();
  m_nWidth = m_nHeight = m_nUndoWidth = m_nUndoHeight = 0;
  delete m_pVectorStyle;
  m_pVectorStyle = nullptr;

  const long long size = buf.GetSize();
  if (size < kFileHeader + kInfoHeader) return 0;
  const BYTE* p = buf.GetData();
  // What the library refuses (planes, header size, a file size that lies)
  // the canvas refuses too: the headers go through the pattern reader's
  // checks first.
  KyBmpHeader checked;
  if (!CKyDib::ReadHeader(p, static_cast<size_t>(size), &checked)) return 0;
  const long infoSize = Get32(p + 14);
  const long width = Get32(p + 18), height = Get32(p + 22);
  const unsigned bitCount = Get16(p + 28);
  const long compression = Get32(p + 30);
  const long imageSize = Get32(p + 34);
  const long long offset = static_cast<uint32_t>(Get32(p + 10));
  // Sizes the editor could never show are refused before anything else; a
  // negative height is a top-down image.
  const long long rows = height < 0 ? -static_cast<long long>(height) : height;
  if (infoSize < kInfoHeader || width < 1 || width > kMaxSize || rows < 1 || rows > kMaxSize) return 0;

  if (bitCount != 1) {
    // Another depth is kept whole, not edited, once the base module's reader
    // finds it consistent (so that drawing it later reads only what is there).
    CKyDib dib;
    if (!dib.Load(p, static_cast<size_t>(size))) return 0;
    m_arrImage.Copy(buf);
    return 1;
  }
  if (compression != 0) return 0;
  const int s = RowBytesFor(static_cast<int>(width));
  const long long need = rows * s;
  if (imageSize != 0 && (imageSize < need || static_cast<uint32_t>(imageSize) > size)) return 0;
  if (offset < kFileHeader + infoSize || offset > size || size - offset < need) return 0;

  m_arrBits.SetSize(static_cast<INT_PTR>(need));
  BYTE* out = m_arrBits.GetData();
  if (height > 0) {
    std::memcpy(out, p + offset, static_cast<size_t>(need));
  } else {
    // Top-down rows are turned bottom-up, the form the canvas edits.
    for (long long r = 0; r < rows; ++r) std::memcpy(out + (rows - 1 - r) * s, p + offset + r * s, s);
  }
  m_arrUndo.Copy(m_arrBits);
  m_nWidth = m_nUndoWidth = static_cast<int>(width);
  m_nHeight = m_nUndoHeight = static_cast<int>(rows);
  return 1;
}
