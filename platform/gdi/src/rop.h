// Ternary raster operations on spans.
//
// A ROP3 code's high word's low byte is a truth table: bit (P*4 + S*2 + D)
// of it is the result for pattern bit P, source bit S and destination bit D.
//
//   0xCC  S          0x88  S&D       0xEE  S|D       0x66  S^D
//   0x44  S&~D       0x33  ~S        0x11  ~(S|D)    0xC0  P&S
//   0xBB  ~S|D       0xF0  P         0xFB  P|~S|D    0x5A  P^D
//   0x55  ~D         0x00  0         0xFF  1         0xAA  D
//   0xEC  (P&D)|S    a mask pattern and its colour tile in one pass
//
// Spans are bytes, so every format works the same; fast paths for the codes
// above sit in a table, the general evaluation of the truth table last.
// KYGDI_NO_FAST_PATHS=1 in the environment turns the fast paths off so
// tests can compare both.
#pragma once

#include <cstddef>
#include <cstdint>

#include "wingdi.h"

namespace kygdi {

inline uint8_t Rop3Code(DWORD rop) { return uint8_t(rop >> 16); }
inline bool RopUsesSource(uint8_t r) { return ((r >> 2) ^ r) & 0x33; }
inline bool RopUsesPattern(uint8_t r) { return ((r >> 4) ^ r) & 0x0F; }
// The ROP3 that a ROP2 becomes when the pen is the pattern.
inline uint8_t Rop2ToRop3(int rop2) {
  int code = (rop2 - 1) & 0xF;
  uint8_t r = 0;
  for (int i = 0; i < 8; ++i) {
    int p = (i >> 2) & 1, d = i & 1;
    if ((code >> (p * 2 + d)) & 1) r |= uint8_t(1 << i);
  }
  return r;
}

// Generic truth-table evaluation on any word.
template <class T>
inline T Rop3Word(uint8_t rop, T p, T s, T d) {
  T r = 0;
  for (int i = 0; i < 8; ++i)
    if ((rop >> i) & 1) r |= ((i & 4) ? p : T(~p)) & ((i & 2) ? s : T(~s)) & ((i & 1) ? d : T(~d));
  return r;
}

// d = rop(p, s, d) over n bytes. s or p may be null when the code does not
// use them. d and s may be the same memory only for SRCCOPY.
void Rop3Span(uint8_t rop, uint8_t* d, const uint8_t* s, const uint8_t* p, size_t n);

bool FastPathsEnabled();
// Whether the processor runs AVX2 code: fast-path tables ask it before
// choosing a loop compiled for it.
bool CpuHasAvx2();

}  // namespace kygdi
