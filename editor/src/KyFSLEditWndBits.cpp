// The canvas's pixel buffer: single bits, the undo snapshot, resizing,
// inverting, lifting a selection into a packed block, Arrange paste, Clear.
#include <cstring>
#include <vector>

#include "KyFSLEditWndImpl.h"
#include "KyFillStyle.h"

using namespace kycanvas;

namespace {

// Clears the bits of pixels from..to-1 of one row.
void ClearBits(BYTE* row, int from, int to) {
  for (int x = from; x < to; ++x) row[x / 8] &= static_cast<BYTE>(~(0x80 >> (x % 8)));
}

// A selection whose packed block would not fit in memory sensibly is refused.
constexpr long long kMaxBlockBytes = 64LL << 20;

}  // namespace

void CKyFSLEditWnd::InsertBit(CPoint cell, int nColor) {
  const long long o = BitOffset(*this, cell.x, cell.y);
  if (o < 0) return;
  BYTE& b = m_arrBits[static_cast<INT_PTR>(o)];
  const BYTE mask = static_cast<BYTE>(0x80 >> (cell.x % 8));
  b = nColor ? static_cast<BYTE>(b | mask) : static_cast<BYTE>(b & ~mask);
}

void CKyFSLEditWnd::SaveUndo() {
  m_nUndoHeight = m_nHeight;
  m_nUndoWidth = m_nWidth;
  m_arrUndo.Copy(m_arrBits);
}

void CKyFSLEditWnd::DragBrush() {
  m_nWidth = std::min(m_nWidth, static_cast<int>(kMaxSize));
  m_nHeight = std::min(m_nHeight, static_cast<int>(kMaxSize));
  if (m_nWidth < 1 || m_nHeight < 1) {
    m_nWidth = m_nHeight = 0;
    m_arrBits.RemoveAll();
    return;
  }
  const int w0 = m_nUndoWidth, h0 = m_nUndoHeight, w1 = m_nWidth, h1 = m_nHeight;
  const int s0 = RowBytesFor(w0), s1 = RowBytesFor(w1);
  const BYTE* old = m_arrBits.GetData();
  const long long size = m_arrBits.GetSize();

  if (w0 < 1 || h0 < 1 || w0 > kMaxSize || h0 > kMaxSize || size != static_cast<long long>(h0) * s0) {
    // The buffer does not have the size the undo fields claim (or there is
    // none): start clear and carry over what the buffer's own rows hold.
    std::vector<BYTE> out(static_cast<size_t>(h1) * s1, 0);
    const long long sOld = h0 > 0 ? size / h0 : 0;
    for (int y = 0; y < std::min(h0, h1); ++y)
      for (int x = 0; x < std::min(w0, w1) && x / 8 < sOld; ++x) {
        const long long o = static_cast<long long>(h0 - y - 1) * sOld + x / 8;
        if (old[o] & (0x80 >> (x % 8))) out[static_cast<size_t>(h1 - y - 1) * s1 + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
      }
    m_arrBits.SetSize(0);
    m_arrBits.SetSize(static_cast<INT_PTR>(out.size()));
    std::memcpy(m_arrBits.GetData(), out.data(), out.size());
    return;
  }

  std::vector<BYTE> v(old, old + size);
  // Rows are bottom-up, so rows added or dropped at the start of the buffer
  // are the bottom rows of the picture; the top rows keep their places.
  if (h1 > h0)
    v.insert(v.begin(), static_cast<size_t>(h1 - h0) * s0, 0);
  else if (h1 < h0)
    v.erase(v.begin(), v.begin() + static_cast<ptrdiff_t>(h0 - h1) * s0);
  if (w1 < w0) {
    if (s1 < s0) {
      std::vector<BYTE> n(static_cast<size_t>(h1) * s1);
      for (int r = 0; r < h1; ++r) std::memcpy(&n[static_cast<size_t>(r) * s1], &v[static_cast<size_t>(r) * s0], s1);
      v.swap(n);
    }
    for (int r = 0; r < h1; ++r) ClearBits(&v[static_cast<size_t>(r) * s1], w1, s1 * 8);
  } else if (w1 > w0) {
    if (s1 > s0) {
      std::vector<BYTE> n(static_cast<size_t>(h1) * s1, 0);
      for (int r = 0; r < h1; ++r) std::memcpy(&n[static_cast<size_t>(r) * s1], &v[static_cast<size_t>(r) * s0], s0);
      v.swap(n);
    }
    // The old padding becomes pixels: clear it, whatever an Invert left there.
    for (int r = 0; r < h1; ++r) ClearBits(&v[static_cast<size_t>(r) * s1], w0, s0 * 8);
  }
  m_arrBits.SetSize(0);
  m_arrBits.SetSize(static_cast<INT_PTR>(v.size()));
  std::memcpy(m_arrBits.GetData(), v.data(), v.size());
}

int CKyFSLEditWnd::InvertBrush() {
  if (m_arrBits.IsEmpty()) return 0;
  SaveUndo();
  BYTE* p = m_arrBits.GetData();
  for (INT_PTR i = 0; i < m_arrBits.GetSize(); ++i) p[i] = static_cast<BYTE>(~p[i]);
  return 1;
}

int CKyFSLEditWnd::SelectToByteArray() {
  const int w = m_rcSelect.Width(), h = m_rcSelect.Height();
  if (w < 1 || h < 1) return 0;
  const long long r = BlockRowBytes(w);
  if (r * h > kMaxBlockBytes) return 0;
  m_arrFloat.RemoveAll();
  m_arrFloat.SetSize(static_cast<INT_PTR>(r * h));
  BYTE* p = m_arrFloat.GetData();
  // Only cells of the pattern can be set; the rest of the block stays clear.
  const int y0 = std::max(0, m_rcSelect.top), y1 = std::min(Height(*this), m_rcSelect.bottom);
  const int x0 = std::max(0, m_rcSelect.left), x1 = std::min(Width(*this), m_rcSelect.right);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (GetBit(*this, x, y)) {
        const int c = x - m_rcSelect.left, row = y - m_rcSelect.top;
        p[row * r + c / 8] |= static_cast<BYTE>(0x80 >> (c % 8));
      }
  return 1;
}

int CKyFSLEditWnd::ArrangePaste(CPoint ptStart, int nXSpace, int nYSpace) {
  if (m_arrCopy.IsEmpty() || m_arrBits.IsEmpty()) return 0;
  SaveUndo();
  const long long needW = 2LL * nXSpace, needH = 2LL * nYSpace;
  if (m_nWidth < needW || m_nHeight < needH) {
    // Both sizes are set, even where one was large enough.
    m_nWidth = static_cast<int>(std::clamp<long long>(needW, 0, kMaxSize));
    m_nHeight = static_cast<int>(std::clamp<long long>(needH, 0, kMaxSize));
    DragBrush();
    ShowSize(*this, true, true);
  }
  if (static_cast<long long>(m_rcCopy.Width()) + ptStart.x > m_nWidth ||
      static_cast<long long>(m_rcCopy.Height()) + ptStart.y > m_nHeight || m_arrBits.IsEmpty())
    return 0;
  std::memset(m_arrBits.GetData(), 0, static_cast<size_t>(m_arrBits.GetSize()));
  m_rcSelect = m_rcCopy;
  m_rcSelect.OffsetRect(ptStart.x, ptStart.y);
  m_arrFloat.Copy(m_arrCopy);
  InsertSelect(1, TRUE);
  // The second copy is cut off where it leaves the pattern.
  m_rcSelect = m_rcCopy;
  m_rcSelect.OffsetRect(ptStart.x + nXSpace, ptStart.y + nYSpace);
  m_arrFloat.Copy(m_arrCopy);
  InsertSelect(1, TRUE);
  ScrollChange(0, 0);
  return 1;
}

void CKyFSLEditWnd::Clear() {
  m_arrCopy.RemoveAll();
  m_arrUndo.RemoveAll();
  m_arrBits.RemoveAll();
  m_arrImage.RemoveAll();
  m_arrFloat.RemoveAll();
  delete m_pVectorStyle;
  m_pVectorStyle = nullptr;
  m_bmpCanvas.DeleteObject();
}
