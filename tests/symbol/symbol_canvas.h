// A memory DC over a bitmap of a chosen depth for the symbol drawing tests,
// with the questions those tests ask of its pixels: where the ink is, what
// colours it has, and whether the GDI objects a call made are gone.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "KyVuv50.h"
#include "afxdc.h"
#include "gdipng.h"

namespace kytest {

// The screen the symbol tests draw for: 1920 x 1080 pixels on 508 x 286 mm.
inline void SetScreen() {
  const KyDisplaySettings s{1920, 1080, 508, 286, 32, 96};
  ASSERT_TRUE(KySetDisplaySettings(&s));
}

struct InkBox {
  int left = 0, top = 0, right = -1, bottom = -1;  // inclusive pixel bounds; right < left when empty
  long count = 0;
  bool Empty() const { return count == 0; }
  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
  // Twice the centre, so that boxes of even size compare exactly.
  int CentreX2() const { return left + right; }
  int CentreY2() const { return top + bottom; }
};

class SymbolCanvas {
 public:
  SymbolCanvas(int w, int h, int bpp, COLORREF paper = RGB(255, 255, 255)) : m_w(w), m_h(h) {
    EXPECT_TRUE(m_dc.CreateCompatibleDC(nullptr));
    EXPECT_TRUE(m_bmp.CreateBitmap(w, h, 1, static_cast<UINT>(bpp), nullptr));
    m_old = m_dc.SelectObject(m_bmp.GetSafeHandle());
    Clear(paper);
  }
  ~SymbolCanvas() { m_dc.SelectObject(m_old); }
  SymbolCanvas(const SymbolCanvas&) = delete;
  SymbolCanvas& operator=(const SymbolCanvas&) = delete;

  CDC* dc() { return &m_dc; }
  int width() const { return m_w; }

  // Paints the whole bitmap, in device pixels whatever the mapping.
  void Clear(COLORREF cr) {
    HBRUSH b = ::CreateSolidBrush(cr);
    const int saved = m_dc.SaveDC();
    m_dc.SetMapMode(MM_TEXT);
    m_dc.SetWindowOrg(0, 0);
    m_dc.SetViewportOrg(0, 0);
    const RECT all{0, 0, m_w, m_h};
    ::FillRect(m_dc.GetSafeHdc(), &all, b);
    m_dc.RestoreDC(saved);
    ::DeleteObject(b);
    m_paper = Pixels()[0];
  }

  std::vector<DWORD> Pixels() const {
    int w = 0, h = 0;
    std::vector<DWORD> px;
    EXPECT_TRUE(GdiGetBitmapPixels(static_cast<HBITMAP>(m_bmp.GetSafeHandle()), &w, &h, &px));
    return px;
  }
  DWORD At(int x, int y) const { return Pixels()[static_cast<size_t>(y) * m_w + x]; }
  DWORD Paper() const { return m_paper; }

  // The pixel this canvas keeps for a colour (16 bits lose low bits).
  DWORD Stored(COLORREF cr) {
    SymbolCanvas probe(1, 1, Bpp(), cr);
    return probe.Pixels()[0];
  }
  int Bpp() const {
    BITMAP bm{};
    const_cast<CBitmap&>(m_bmp).GetBitmap(&bm);
    return bm.bmBitsPixel;
  }

  // Bounds of every pixel that is not paper.
  InkBox Ink() const { return Box([&](DWORD p) { return p != m_paper; }); }
  std::set<DWORD> Colours() const {
    std::set<DWORD> s;
    for (DWORD p : Pixels())
      if (p != m_paper) s.insert(p);
    return s;
  }

  // Writes the bitmap to $KY_TEST_DUMPS (or test-dumps/) as name.png.
  void Dump(const std::string& name) const {
    const char* dir = std::getenv("KY_TEST_DUMPS");
    const std::string folder = dir ? dir : "test-dumps";
    std::system(("mkdir -p '" + folder + "'").c_str());
    GdiSaveBitmapPng(static_cast<HBITMAP>(m_bmp.GetSafeHandle()), (folder + "/" + name + ".png").c_str());
  }

 private:
  template <class Pred>
  InkBox Box(Pred ink) const {
    InkBox b;
    const std::vector<DWORD> px = Pixels();
    for (int y = 0; y < m_h; ++y) {
      for (int x = 0; x < m_w; ++x) {
        if (!ink(px[static_cast<size_t>(y) * m_w + x])) continue;
        if (b.count++ == 0) {
          b.left = b.right = x;
          b.top = b.bottom = y;
        }
        b.left = std::min(b.left, x);
        b.right = std::max(b.right, x);
        b.top = std::min(b.top, y);
        b.bottom = std::max(b.bottom, y);
      }
    }
    return b;
  }

  int m_w, m_h;
  CDC m_dc;
  CBitmap m_bmp;
  HGDIOBJ m_old = nullptr;
  DWORD m_paper = 0;
};

// Handles count up in steps of 4 and are never reused, so every object made
// between two probes has a handle between theirs. Collects them so that a
// test can ask whether any is still alive.
class HandleProbe {
 public:
  HandleProbe() : m_first(NewHandle()) {}
  // The number of objects made since construction that still exist.
  int Alive() const {
    const uintptr_t last = NewHandle();
    int n = 0;
    for (uintptr_t h = m_first + 4; h < last; h += 4) {
      if (::GetObjectType(reinterpret_cast<HGDIOBJ>(h)) != 0) ++n;
    }
    return n;
  }

 private:
  static uintptr_t NewHandle() {
    HBRUSH b = ::CreateSolidBrush(0);
    ::DeleteObject(b);
    return reinterpret_cast<uintptr_t>(b);
  }
  uintptr_t m_first;
};

// Symbols built for the tests, every stroke following the caller's colour
// unless said otherwise.
inline CKySymbol* FilledRect(CKySymbol* sym, CPoint2D a, CPoint2D b, BOOL bBrushFix = FALSE, COLORREF cr = 0) {
  auto* s = new CKySymStroke;
  const CPoint2D pts[4] = {a, {b.x, a.y}, b, {a.x, b.y}};
  EXPECT_TRUE(s->MakeStroke_FilledPolygon(pts, 4, 0, bBrushFix, cr));
  sym->AddStroke(s);
  return sym;
}

}  // namespace kytest
