// Feeds arbitrary bytes to the pattern canvas as a BMP file image. What it
// takes must come back out of ToByteBuffer: a 1-bit image as the canvas's
// own image of the same pixels (which it takes again unchanged), any other
// image byte for byte. What it refuses leaves the canvas empty. The buffer
// operations then run over what was taken, so that a size the reader let
// through shows up as an access outside the buffers.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "KyFSLEditWnd.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

void Fill(CByteArray& a, const uint8_t* data, size_t size) {
  a.SetSize(static_cast<INT_PTR>(size));
  if (size) std::memcpy(a.GetData(), data, size);
}

bool Same(const CByteArray& a, const CByteArray& b) {
  return a.GetSize() == b.GetSize() && (a.IsEmpty() || std::memcmp(a.GetData(), b.GetData(), a.GetSize()) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CKyFSLEditWnd canvas;
  CByteArray in, out;
  Fill(in, data, size);
  if (!canvas.FromByteBuffer(in)) {
    Check(canvas.m_arrBits.IsEmpty() && canvas.m_arrImage.IsEmpty() && canvas.m_nWidth == 0 && canvas.m_nHeight == 0);
    Check(canvas.ToByteBuffer(out) == 0);
    return 0;
  }
  Check(canvas.ToByteBuffer(out) == 1);
  if (canvas.m_arrBits.IsEmpty()) {
    Check(Same(out, in));
    return 0;
  }
  const int w = canvas.m_nWidth, h = canvas.m_nHeight;
  const int s = ((w - 1) / 32) * 4 + 4;
  Check(w >= 1 && w <= 999 && h >= 1 && h <= 999);
  Check(canvas.m_arrBits.GetSize() == static_cast<INT_PTR>(h) * s);
  Check(out.GetSize() == 62 + canvas.m_arrBits.GetSize());
  CKyFSLEditWnd again;
  Check(again.FromByteBuffer(out) == 1);
  Check(again.m_nWidth == w && again.m_nHeight == h && Same(again.m_arrBits, canvas.m_arrBits));

  // The buffer operations over the image as it was taken.
  canvas.DrawBrush(nullptr);
  canvas.m_rcSelect = CRect(-1, -1, w + 1, h + 1);
  Check(canvas.SelectToByteArray() == 1);
  canvas.InsertSelect(0, TRUE);
  canvas.m_rcSelect.OffsetRect(size % 7, size % 5);
  canvas.InsertSelect(1, TRUE);
  Check(canvas.InvertBrush() == 1);
  canvas.SaveUndo();
  canvas.m_nWidth = static_cast<int>(size % 1100);
  canvas.m_nHeight = h + 3;
  canvas.DragBrush();
  if (!canvas.m_arrBits.IsEmpty())
    Check(canvas.m_arrBits.GetSize() == static_cast<INT_PTR>(canvas.m_nHeight) * (((canvas.m_nWidth - 1) / 32) * 4 + 4));
  return 0;
}
