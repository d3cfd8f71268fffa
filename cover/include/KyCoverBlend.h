// Putting a pixel back between what it held and a fill by a cover, rounded
// as pixman rounds (a * b / 255 to the nearest), four 8-bit channels at once.
#pragma once

#include <cstdint>

namespace kycover {

// a * b / 255, rounded.
inline uint32_t Mul(uint32_t a, uint32_t b) {
  const uint32_t t = a * b + 0x80;
  return (t + (t >> 8)) >> 8;
}

// Mul of each byte of x by a (0..255); the same as byte by byte.
inline uint32_t Mul4(uint32_t x, uint32_t a) {
  uint32_t rb = (x & 0x00FF00FFu) * a + 0x00800080u;
  rb = ((rb + ((rb >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  uint32_t ag = ((x >> 8) & 0x00FF00FFu) * a + 0x00800080u;
  ag = (ag + ((ag >> 8) & 0x00FF00FFu)) & 0xFF00FF00u;
  return rb | ag;
}

// fill over before by cover, byte by byte: Mul(f, c) + Mul(b, 255 - c),
// which never passes 255 in a byte.
inline uint32_t Lerp(uint32_t fill, uint32_t before, uint32_t cover) {
  return Mul4(fill, cover) + Mul4(before, 255 - cover);
}

}  // namespace kycover
