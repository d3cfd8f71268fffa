// The block columns (copy under a ROP3, pattern rectangles), written once
// over a span layout L:
//   L::kSpanBytes              bytes per pixel in span form
//   L::Begin(s, x, y, w, tmp)  the destination span (the memory itself, or
//                              tmp filled from it)
//   L::End(s, x, y, w, span)   writes a span from Begin back
//   L::Source(s, x, y, w, tmp, copy)
//                              a source span that stays valid while the
//                              destination changes: the memory itself unless
//                              copy is set or the layout must unpack
// Both columns give exactly the bytes of the ROP3 engine on spans, so every
// format keeps the pixels it had when blits went a pixel at a time.
#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "objects.h"
#include "rop.h"

namespace kygdi {

template <class L>
struct BlockPrimitives {
  static void CopyRects(Surface& s, const RECT* rects, int count, const Surface& src, int dx, int dy, uint8_t rop) {
    const bool same = &s == &src;
    // In one bitmap nothing may be written before it is read as source:
    // rows (and the rectangles, which come in bands top to bottom, left to
    // right) run bottom-up when the destination lies below its source, and
    // right to left on one row when it lies to the right; a source span on
    // the destination's own row is copied out first.
    const bool bottom_up = same && dy < 0, backwards = same && (dy < 0 || (dy == 0 && dx < 0));
    std::vector<uint8_t> dst_tmp, src_tmp;
    for (int i = 0; i < count; ++i) {
      const RECT& r = rects[backwards ? count - 1 - i : i];
      const int w = r.right - r.left;
      if (w <= 0) continue;
      const size_t n = size_t(w) * L::kSpanBytes;
      dst_tmp.resize(n);
      src_tmp.resize(n);
      for (int k = 0; k < r.bottom - r.top; ++k) {
        const int y = bottom_up ? r.bottom - 1 - k : r.top + k;
        const uint8_t* sp = L::Source(src, r.left + dx, y + dy, w, src_tmp.data(), same && dy == 0);
        uint8_t* d = L::Begin(s, r.left, y, w, dst_tmp.data());
        Rop3Span(rop, d, sp, nullptr, n);
        L::End(s, r.left, y, w, d);
      }
    }
  }

  // A rectangle makes its pattern spans once, one per row of the tile (up
  // to this many bytes); each row is then one pass of the ROP3, a plain
  // copy for PATCOPY.
  static constexpr size_t kPatternCacheBytes = size_t(1) << 20;

  static void PatternRects(Surface& s, const RECT* rects, int count, const RealisedBrush& b, uint8_t rop) {
    std::vector<uint8_t> pat, dst_tmp, keep, mask;
    if (rop == 0xF0 && b.mask.empty() && count > 1) {
      // The brush's repeated rows are made once, as wide as the widest
      // rectangle, instead of growing with the rectangles.
      int widest = 0;
      for (int i = 0; i < count; ++i) widest = std::max(widest, int(rects[i].right - rects[i].left));
      if (widest >= 4 * b.tile_w && FastPathsEnabled()) b.WideRow(0, widest + b.tile_w);
    }
    for (int i = 0; i < count; ++i) {
      const RECT& r = rects[i];
      const int w = r.right - r.left, h = r.bottom - r.top;
      if (w <= 0 || h <= 0) continue;
      const size_t n = size_t(w) * L::kSpanBytes;
      dst_tmp.resize(n);
      // A rectangle no taller than the tile uses each pattern span once:
      // under PATCOPY it goes straight into the destination.
      if (rop == 0xF0 && b.mask.empty() && h <= b.tile_h && FastPathsEnabled()) {
        for (int y = r.top; y < r.bottom; ++y) {
          uint8_t* d = L::Begin(s, r.left, y, w, dst_tmp.data());
          b.PatternSpan(r.left, y, w, d);
          L::End(s, r.left, y, w, d);
        }
        continue;
      }
      const int rows = std::min(b.tile_h, h);
      const bool cached = size_t(rows) * n <= kPatternCacheBytes;
      pat.resize(cached ? size_t(rows) * n : n);
      if (cached)
        for (int j = 0; j < rows; ++j) b.PatternSpan(r.left, r.top + j, w, pat.data() + size_t(j) * n);
      for (int y = r.top; y < r.bottom; ++y) {
        const uint8_t* p = pat.data();
        if (cached)
          p += size_t((y - r.top) % b.tile_h) * n;
        else
          b.PatternSpan(r.left, y, w, pat.data());
        uint8_t* d = L::Begin(s, r.left, y, w, dst_tmp.data());
        if (b.mask.empty()) {
          Rop3Span(rop, d, nullptr, p, n);
        } else {
          keep.assign(d, d + n);
          mask.resize(size_t(w));
          b.MaskSpan(r.left, y, w, mask.data());
          Rop3Span(rop, d, nullptr, p, n);
          for (int x = 0; x < w; ++x)
            if (!mask[size_t(x)])
              std::memcpy(d + size_t(x) * L::kSpanBytes, keep.data() + size_t(x) * L::kSpanBytes, L::kSpanBytes);
        }
        L::End(s, r.left, y, w, d);
      }
    }
  }
};

}  // namespace kygdi
