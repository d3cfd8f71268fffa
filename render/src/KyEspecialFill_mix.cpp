// Mixing of raw device bits, the inner loops of every transparent fill.
//
// Invariant: each component is mixed on its own, in the width it has in the
// device's layout (8 bits, or 5/6 bits of a word), as
//
//   below * (100 - rate) / 100 + over * rate / 100      (both truncated)
//
// The two shares never add up past the component's maximum, so the sum is
// stored as it is. Both shares are looked up in tables built once per call:
// a component has at most 256 values, and a table lookup gives exactly the
// truncated quotient the formula asks for. The 32-bit solid fill, the hot
// path of large areas, runs four pixels at a time with SSE2; the division by
// 100 there is a multiply and shift that is exact for every product that can
// occur (0..25500), see DivideBy100.
#include <algorithm>

#include "KyEspecialFill.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// share[v] = trunc(v * k / 100) for every 8-bit v.
struct ShareTable {
  BYTE v[256];
  explicit ShareTable(long k) {
    for (int i = 0; i < 256; ++i) v[i] = static_cast<BYTE>(i * k / 100);
  }
};

inline WORD ReadWord(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }
inline void WriteWord(BYTE* p, WORD w) {
  p[0] = static_cast<BYTE>(w);
  p[1] = static_cast<BYTE>(w >> 8);
}

// The mask's foreground: black in the device's layout.
inline bool IsBlack(const BYTE* p, int bitsPixel) {
  switch (bitsPixel) {
    case 32:
    case 24:
      return p[0] == 0 && p[1] == 0 && p[2] == 0;
    case 16:
      return ReadWord(p) == 0;
    default:  // 15
      return (ReadWord(p) & 0x7FFF) == 0;
  }
}

#if defined(__SSE2__)
// trunc(x / 100) for 16-bit lanes x in 0..25500: x * 20972 >> 21. The
// multiplier is 2^21 / 100 rounded up, too large by 0.48 / 2^21, so the
// error stays below 25500 * 0.48 / 2^21 < 0.006 and never reaches the next
// integer, whose distance is at least 0.01 (the test walks every x).
inline __m128i DivideBy100(__m128i x) { return _mm_srli_epi16(_mm_mulhi_epu16(x, _mm_set1_epi16(20972)), 5); }

// 32-bit rows: per pixel B, G, R mixed, the fourth byte kept.
void MixColour32Sse2(BYTE* row, int width, long keep, const BYTE share[4]) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i k = _mm_set1_epi16(static_cast<short>(keep));
  const __m128i add = _mm_setr_epi8(static_cast<char>(share[0]), static_cast<char>(share[1]),
                                    static_cast<char>(share[2]), 0, static_cast<char>(share[0]),
                                    static_cast<char>(share[1]), static_cast<char>(share[2]), 0,
                                    static_cast<char>(share[0]), static_cast<char>(share[1]),
                                    static_cast<char>(share[2]), 0, static_cast<char>(share[0]),
                                    static_cast<char>(share[1]), static_cast<char>(share[2]), 0);
  const __m128i fourth = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  int x = 0;
  for (; x + 4 <= width; x += 4) {
    BYTE* p = row + 4 * x;
    const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i lo = DivideBy100(_mm_mullo_epi16(_mm_unpacklo_epi8(px, zero), k));
    const __m128i hi = DivideBy100(_mm_mullo_epi16(_mm_unpackhi_epi8(px, zero), k));
    __m128i mixed = _mm_add_epi8(_mm_packus_epi16(lo, hi), add);
    mixed = _mm_or_si128(_mm_andnot_si128(fourth, mixed), _mm_and_si128(fourth, px));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p), mixed);
  }
  const ShareTable keepTable(keep);
  for (; x < width; ++x) {
    BYTE* p = row + 4 * x;
    p[0] = static_cast<BYTE>(keepTable.v[p[0]] + share[0]);
    p[1] = static_cast<BYTE>(keepTable.v[p[1]] + share[1]);
    p[2] = static_cast<BYTE>(keepTable.v[p[2]] + share[2]);
  }
}
#endif

}  // namespace

void CKyEspecialFill::MixColour(BYTE* bits, LONG widthBytes, int bitsPixel, int width, int height, COLORREF cr,
                                long rate) {
  if (!bits || width <= 0 || height <= 0) return;
  if (bitsPixel != 32 && bitsPixel != 24 && bitsPixel != 16 && bitsPixel != 15) return;
  // A row never runs past its stride, whatever width the caller gives.
  width = std::min<long>(width, widthBytes / (bitsPixel == 32 ? 4 : bitsPixel == 24 ? 3 : 2));
  const long keep = 100 - rate;
  const ShareTable keepTable(keep);
  const int red = cr & 0xFF, green = (cr >> 8) & 0xFF, blue = (cr >> 16) & 0xFF;
  for (int y = 0; y < height; ++y) {
    BYTE* row = bits + static_cast<size_t>(y) * static_cast<size_t>(widthBytes);
    switch (bitsPixel) {
      case 32:
      case 24: {
        // The fill's share is the same for the whole row.
        const BYTE share[4] = {static_cast<BYTE>(blue * rate / 100), static_cast<BYTE>(green * rate / 100),
                               static_cast<BYTE>(red * rate / 100), 0};
        if (bitsPixel == 32) {
#if defined(__SSE2__)
          MixColour32Sse2(row, width, keep, share);
#else
          for (int x = 0; x < width; ++x) {
            BYTE* p = row + 4 * x;
            p[0] = static_cast<BYTE>(keepTable.v[p[0]] + share[0]);
            p[1] = static_cast<BYTE>(keepTable.v[p[1]] + share[1]);
            p[2] = static_cast<BYTE>(keepTable.v[p[2]] + share[2]);
          }
#endif
        } else {
          for (int x = 0; x < width; ++x) {
            BYTE* p = row + 3 * x;
            p[0] = static_cast<BYTE>(keepTable.v[p[0]] + share[0]);
            p[1] = static_cast<BYTE>(keepTable.v[p[1]] + share[1]);
            p[2] = static_cast<BYTE>(keepTable.v[p[2]] + share[2]);
          }
        }
        break;
      }
      case 16: {
        const int sr = (red >> 3) * rate / 100, sg = (green >> 2) * rate / 100, sb = (blue >> 3) * rate / 100;
        for (int x = 0; x < width; ++x) {
          BYTE* p = row + 2 * x;
          const WORD w = ReadWord(p);
          const int r = keepTable.v[(w >> 11) & 31] + sr;
          const int g = keepTable.v[(w >> 5) & 63] + sg;
          const int b = keepTable.v[w & 31] + sb;
          WriteWord(p, static_cast<WORD>((r << 11) | (g << 5) | b));
        }
        break;
      }
      case 15: {
        const int sr = (red >> 3) * rate / 100, sg = (green >> 3) * rate / 100, sb = (blue >> 3) * rate / 100;
        for (int x = 0; x < width; ++x) {
          BYTE* p = row + 2 * x;
          const WORD w = ReadWord(p);
          const int r = keepTable.v[(w >> 10) & 31] + sr;
          const int g = keepTable.v[(w >> 5) & 31] + sg;
          const int b = keepTable.v[w & 31] + sb;
          WriteWord(p, static_cast<WORD>((w & 0x8000) | (r << 10) | (g << 5) | b));
        }
        break;
      }
    }
  }
}

void CKyEspecialFill::MixBits(BYTE* below, const BYTE* over, const BYTE* mask, LONG widthBytes, int bitsPixel,
                              int width, int height, long rate) {
  if (!below || !over || width <= 0 || height <= 0) return;
  if (bitsPixel != 32 && bitsPixel != 24 && bitsPixel != 16 && bitsPixel != 15) return;
  const ShareTable keep(100 - rate), take(rate);
  const int bytes = bitsPixel == 32 ? 4 : bitsPixel == 24 ? 3 : 2;
  width = std::min<long>(width, widthBytes / bytes);
  for (int y = 0; y < height; ++y) {
    const size_t at = static_cast<size_t>(y) * static_cast<size_t>(widthBytes);
    BYTE* d = below + at;
    const BYTE* s = over + at;
    const BYTE* m = mask ? mask + at : nullptr;
    for (int x = 0; x < width; ++x, d += bytes, s += bytes) {
      if (m) {
        const bool black = IsBlack(m, bitsPixel);
        m += bytes;
        if (!black) continue;
      }
      if (bytes >= 3) {
        d[0] = static_cast<BYTE>(keep.v[d[0]] + take.v[s[0]]);
        d[1] = static_cast<BYTE>(keep.v[d[1]] + take.v[s[1]]);
        d[2] = static_cast<BYTE>(keep.v[d[2]] + take.v[s[2]]);
      } else if (bitsPixel == 16) {
        const WORD a = ReadWord(d), b = ReadWord(s);
        const int r = keep.v[(a >> 11) & 31] + take.v[(b >> 11) & 31];
        const int g = keep.v[(a >> 5) & 63] + take.v[(b >> 5) & 63];
        const int bl = keep.v[a & 31] + take.v[b & 31];
        WriteWord(d, static_cast<WORD>((r << 11) | (g << 5) | bl));
      } else {
        const WORD a = ReadWord(d), b = ReadWord(s);
        const int r = keep.v[(a >> 10) & 31] + take.v[(b >> 10) & 31];
        const int g = keep.v[(a >> 5) & 31] + take.v[(b >> 5) & 31];
        const int bl = keep.v[a & 31] + take.v[b & 31];
        WriteWord(d, static_cast<WORD>((a & 0x8000) | (r << 10) | (g << 5) | bl));
      }
    }
  }
}
