#include "rop.h"

#include <cstdlib>
#include <cstring>

namespace kygdi {

bool FastPathsEnabled() {
  static const bool enabled = [] {
    const char* e = std::getenv("KYGDI_NO_FAST_PATHS");
    return !(e && *e && *e != '0');
  }();
  return enabled;
}

bool CpuHasAvx2() { return __builtin_cpu_supports("avx2"); }

namespace {

template <class Op>
void Apply(uint8_t* d, const uint8_t* s, const uint8_t* p, size_t n, Op op) {
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t dv, sv = 0, pv = 0;
    std::memcpy(&dv, d + i, 8);
    if (s) std::memcpy(&sv, s + i, 8);
    if (p) std::memcpy(&pv, p + i, 8);
    dv = op(pv, sv, dv);
    std::memcpy(d + i, &dv, 8);
  }
  for (; i < n; ++i) {
    uint8_t r = uint8_t(op(uint64_t(p ? p[i] : 0), uint64_t(s ? s[i] : 0), uint64_t(d[i])));
    d[i] = r;
  }
}

}  // namespace

void Rop3Span(uint8_t rop, uint8_t* d, const uint8_t* s, const uint8_t* p, size_t n) {
  if (n == 0) return;
  if (FastPathsEnabled()) {
    switch (rop) {
      case 0xCC: std::memmove(d, s, n); return;                                                    // S
      case 0xF0: std::memcpy(d, p, n); return;                                                     // P
      case 0x00: std::memset(d, 0, n); return;                                                     // 0
      case 0xFF: std::memset(d, 0xFF, n); return;                                                  // 1
      case 0xAA: return;                                                                           // D
      case 0x88: Apply(d, s, p, n, [](uint64_t, uint64_t s, uint64_t d) { return s & d; }); return;  // S&D
      case 0xEE: Apply(d, s, p, n, [](uint64_t, uint64_t s, uint64_t d) { return s | d; }); return;  // S|D
      case 0x66: Apply(d, s, p, n, [](uint64_t, uint64_t s, uint64_t d) { return s ^ d; }); return;  // S^D
      case 0x44: Apply(d, s, p, n, [](uint64_t, uint64_t s, uint64_t d) { return s & ~d; }); return;
      case 0x33: Apply(d, s, p, n, [](uint64_t, uint64_t s, uint64_t) { return ~s; }); return;
      case 0x11: Apply(d, s, p, n, [](uint64_t, uint64_t s, uint64_t d) { return ~(s | d); }); return;
      case 0xC0: Apply(d, s, p, n, [](uint64_t p, uint64_t s, uint64_t) { return p & s; }); return;
      case 0xBB: Apply(d, s, p, n, [](uint64_t, uint64_t s, uint64_t d) { return ~s | d; }); return;
      case 0x5A: Apply(d, s, p, n, [](uint64_t p, uint64_t, uint64_t d) { return p ^ d; }); return;
      case 0x55: Apply(d, s, p, n, [](uint64_t, uint64_t, uint64_t d) { return ~d; }); return;
      case 0xFB: Apply(d, s, p, n, [](uint64_t p, uint64_t s, uint64_t d) { return p | ~s | d; }); return;
      case 0xEC: Apply(d, s, p, n, [](uint64_t p, uint64_t s, uint64_t d) { return (p & d) | s; }); return;
      default: break;
    }
  }
  if (rop == 0xCC && s == d) return;
  Apply(d, s, p, n, [rop](uint64_t p, uint64_t s, uint64_t d) { return Rop3Word<uint64_t>(rop, p, s, d); });
}

}  // namespace kygdi
