// Where a gradient renderer draws: pixels of the visible rectangle with
// (0, 0) at its top-left corner, either
//   - a new bitmap compatible with the device, in a memory DC of its own
//     (the caller then copies or mixes the bitmap onto the device), or
//   - the device itself, for an opaque gradient: the DC is saved, its
//     viewport moved to the rectangle's corner, its clip cut to the
//     rectangle, its drawing state set as a new memory DC has it, and the
//     rectangle painted black, as a new bitmap starts. Every figure then
//     lands on exactly the pixels the bitmap would have carried to the same
//     place, through the same clip, and no bitmap of the rectangle's size is
//     made (a 4096 x 4096 gradient used to allocate and clear 64 MiB).
// The DC is put back when the canvas goes.
#pragma once

#include "KyErrorMsg.h"
#include "afxdc.h"

namespace ky {

class GradientCanvas {
 public:
  GradientCanvas(CDC* pDC, CBitmap& bitmap, CDC* pDirect) : m_pDC(pDC), m_bitmap(bitmap), m_pDirect(pDirect) {}
  ~GradientCanvas() {
    if (m_hOldBitmap) ::SelectObject(m_mem.m_hDC, m_hOldBitmap);
    if (m_nSaved) m_pDirect->RestoreDC(m_nSaved);
  }
  GradientCanvas(const GradientCanvas&) = delete;
  GradientCanvas& operator=(const GradientCanvas&) = delete;

  // The memory DC, before the geometry is known. FALSE (recorded with the
  // error object) when it cannot be made.
  BOOL MakeDC() {
    if (m_pDirect) return TRUE;
    if (m_mem.CreateCompatibleDC(m_pDC)) return TRUE;
    KyGetErrorMsgObj()->CatchLastError();
    return FALSE;
  }
  CDC& DC() { return m_pDirect ? *m_pDirect : m_mem; }

  // Readies the pixels of `clip` (device units). FALSE (recorded) when the
  // bitmap or the DC's state cannot be made, and FALSE on the device when
  // `clip` is empty.
  BOOL Open(const CRect& clip) {
    if (!m_pDirect) {
      m_bitmap.DeleteObject();
      if (!m_bitmap.CreateCompatibleBitmap(m_pDC, clip.Width(), clip.Height())) {
        KyGetErrorMsgObj()->CatchLastError();
        return FALSE;
      }
      m_hOldBitmap = ::SelectObject(m_mem.m_hDC, m_bitmap.m_hObject);
      return TRUE;
    }
    // Nothing visible: nothing is drawn, and the gradient reports it, as the
    // copy of an empty bitmap does.
    if (clip.Width() <= 0 || clip.Height() <= 0) return FALSE;
    CDC& dc = *m_pDirect;
    m_nSaved = dc.SaveDC();
    if (!m_nSaved) {
      KyGetErrorMsgObj()->CatchLastError();
      return FALSE;
    }
    dc.OffsetViewportOrg(clip.left, clip.top);
    dc.IntersectClipRect(0, 0, clip.Width(), clip.Height());
    dc.SetROP2(R2_COPYPEN);
    dc.SetPolyFillMode(ALTERNATE);
    dc.SetArcDirection(AD_COUNTERCLOCKWISE);
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(RGB(255, 255, 255));
    dc.SelectStockObject(BLACK_PEN);
    dc.SelectStockObject(WHITE_BRUSH);
    dc.MoveTo(0, 0);
    dc.PatBlt(0, 0, clip.Width(), clip.Height(), BLACKNESS);
    return TRUE;
  }

 private:
  CDC* m_pDC;
  CBitmap& m_bitmap;
  CDC* m_pDirect;
  CDC m_mem;
  HGDIOBJ m_hOldBitmap = nullptr;
  int m_nSaved = 0;
};

}  // namespace ky
