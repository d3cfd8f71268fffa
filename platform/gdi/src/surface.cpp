#include "surface.h"

#include <sys/mman.h>

#include <climits>
#include <cstdint>
#include <cstring>

namespace kygdi {

namespace {

// Blocks from this size on are mapped on their own, aligned to the huge
// page; smaller ones come from the heap. Address sanitiser builds keep
// every block on the heap, where it watches them.
#if defined(__SANITIZE_ADDRESS__)
constexpr size_t kMappedFrom = SIZE_MAX;
#else
constexpr size_t kMappedFrom = size_t{8} << 20;
#endif
constexpr size_t kHugePage = size_t{2} << 20;

size_t MappedSize(size_t bytes) { return (bytes + kHugePage - 1) / kHugePage * kHugePage; }

}  // namespace

void* AllocateZeroed(size_t bytes) {
  if (bytes < kMappedFrom) return std::calloc(bytes ? bytes : 1, 1);
  const size_t size = MappedSize(bytes);
  // Mapped with a huge page's slack, then trimmed to an aligned block.
  void* raw = mmap(nullptr, size + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (raw == MAP_FAILED) return nullptr;
  const auto start = reinterpret_cast<uintptr_t>(raw);
  const uintptr_t aligned = (start + kHugePage - 1) / kHugePage * kHugePage;
  if (aligned > start) munmap(raw, aligned - start);
  const uintptr_t end = start + size + kHugePage;
  if (end > aligned + size) munmap(reinterpret_cast<void*>(aligned + size), end - (aligned + size));
  madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);  // a hint: without it, small pages
  return reinterpret_cast<void*>(aligned);
}

void FreeZeroed(void* p, size_t bytes) {
  if (!p) return;
  if (bytes < kMappedFrom) {
    std::free(p);
    return;
  }
  munmap(p, MappedSize(bytes));
}

int Surface::StrideFor(int w, int bits_per_pixel) {
  // Device-dependent bitmaps pad each row to a 16-bit word. A 15-bit pixel
  // is stored in a whole word: counted as 15 bits, a row of 16 pixels came
  // out 30 bytes and the primitives wrote past the end of the bits.
  const int storage_bits = bits_per_pixel == 15 ? 16 : bits_per_pixel;
  return static_cast<int>(((static_cast<int64_t>(w) * storage_bits + 15) / 16) * 2);
}

bool Surface::Create(int w, int h, int bits_per_pixel) {
  const Primitives* p = PrimitivesFor(bits_per_pixel);
  if (!p || w < 0 || h < 0) return false;
  if (static_cast<uint64_t>(w) * static_cast<uint64_t>(h) > (uint64_t(1) << 28)) return false;
  const int storage_bits = bits_per_pixel == 15 ? 16 : bits_per_pixel;
  int64_t row = ((static_cast<int64_t>(w) * storage_bits + 15) / 16) * 2;
  if (row * h > INT_MAX) return false;
  width = w;
  height = h;
  bpp = bits_per_pixel;
  stride = static_cast<int>(row);
  // Fresh zeroed memory, not the old storage cleared.
  decltype(storage) fresh;
  fresh.resize(static_cast<size_t>(row * h));
  storage.swap(fresh);
  bits = storage.empty() ? nullptr : storage.data();
  funcs = (w == 0 || h == 0) ? PrimitivesFor(0) : p;
  if (w == 0 || h == 0) width = height = 0;
  return true;
}

uint32_t PixelMask(int bpp) {
  switch (bpp) {
    case 1: return 0x1;
    case 8: return 0xFF;
    case 15: return 0x7FFF;
    case 16: return 0xFFFF;
    case 24: return 0xFFFFFF;
    default: return 0xFFFFFFFF;
  }
}

namespace {
RGBQUAD Q(int r, int g, int b) { return RGBQUAD{BYTE(b), BYTE(g), BYTE(r), 0}; }

struct Palette8 {
  RGBQUAD e[256];
  Palette8() {
    // The twenty static colours at both ends, a 6 x 6 x 6 colour cube and a
    // ramp of greys between them. Black is 0 and white 255, so that the
    // bitwise raster operations keep black and white.
    static const int first[10][3] = {{0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},
                                     {0, 0, 128},     {128, 0, 128},   {0, 128, 128},   {192, 192, 192},
                                     {192, 220, 192}, {166, 202, 240}};
    static const int last[10][3] = {{255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},
                                    {0, 255, 0},     {255, 255, 0},   {0, 0, 255},     {255, 0, 255},
                                    {0, 255, 255},   {255, 255, 255}};
    for (int i = 0; i < 10; ++i) {
      e[i] = Q(first[i][0], first[i][1], first[i][2]);
      e[246 + i] = Q(last[i][0], last[i][1], last[i][2]);
    }
    int n = 10;
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b) e[n++] = Q(r * 51, g * 51, b * 51);
    for (int i = 0; i < 20; ++i) {
      int v = 8 + i * 12;
      e[n++] = Q(v, v, v);
    }
  }
};
}  // namespace

const RGBQUAD* FixedPalette8() {
  static const Palette8 p;
  return p.e;
}

uint32_t NearestPaletteIndex(const RGBQUAD* palette, int count, COLORREF c) {
  int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  uint32_t best = 0;
  int best_d = INT_MAX;
  for (int i = 0; i < count; ++i) {
    int dr = r - palette[i].rgbRed, dg = g - palette[i].rgbGreen, db = b - palette[i].rgbBlue;
    int d = dr * dr + dg * dg + db * db;
    if (d < best_d) {
      best_d = d;
      best = static_cast<uint32_t>(i);
      if (d == 0) break;
    }
  }
  return best;
}

}  // namespace kygdi
