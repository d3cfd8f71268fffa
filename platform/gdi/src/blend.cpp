// Blend fast paths: the 32-bit rows four pixels at a time with SSE2 (a
// solid colour eight at a time with AVX2 where the processor has it); 24-bit
// rows sixteen pixels at a time; 16- and 15-bit words eight at a time. They
// give exactly the general loops' pixels; tests run both
// (KYGDI_NO_FAST_PATHS).
//
// The division by 100 is a multiply and shift: trunc(x / 100) for 16-bit
// lanes x in 0..25500 is x * 20972 >> 21. The multiplier is 2^21 / 100
// rounded up, too large by 0.48 / 2^21, so the error stays below
// 25500 * 0.48 / 2^21 < 0.006 and never reaches the next integer, which is
// at least 0.01 away (a test walks every x).
#include "blend.h"

#include <cstring>

#include "formats.h"
#include "rop.h"

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace kygdi {
namespace {

#if defined(__SSE2__)
inline __m128i DivideBy100(__m128i x) { return _mm_srli_epi16(_mm_mulhi_epu16(x, _mm_set1_epi16(20972)), 5); }

// Four pixels B, G, R, x: every byte times k / 100, truncated.
inline __m128i Scale(__m128i px, __m128i k) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i lo = DivideBy100(_mm_mullo_epi16(_mm_unpacklo_epi8(px, zero), k));
  const __m128i hi = DivideBy100(_mm_mullo_epi16(_mm_unpackhi_epi8(px, zero), k));
  return _mm_packus_epi16(lo, hi);
}

// The fourth byte of every pixel, which mixing leaves alone.
inline __m128i Fourth() { return _mm_set1_epi32(static_cast<int>(0xFF000000u)); }

// The bits of a where mask is set, those of b elsewhere.
inline __m128i Select(__m128i mask, __m128i a, __m128i b) {
  return _mm_or_si128(_mm_and_si128(mask, a), _mm_andnot_si128(mask, b));
}

// Every fast path below hands the pixels its vectors leave over at the end
// of a row to the format's general loop (BytePrimitives).

void SolidRow32(uint8_t* d, int n, uint32_t pixel, const BlendShares& t) {
  const uint32_t share = uint32_t(t.take[pixel & 0xFF]) | uint32_t(t.take[(pixel >> 8) & 0xFF]) << 8 |
                         uint32_t(t.take[(pixel >> 16) & 0xFF]) << 16;
  const __m128i add = _mm_set1_epi32(static_cast<int>(share));
  const __m128i k = _mm_set1_epi16(static_cast<short>(100 - t.rate));
  int i = 0;
  for (; i + 4 <= n; i += 4, d += 16) {
    const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), Select(Fourth(), px, _mm_add_epi8(Scale(px, k), add)));
  }
  BytePrimitives<Fmt32>::BlendSolidRow(d, n - i, pixel, t);
}

// SolidRow32 eight pixels at a time where the processor has AVX2 (the table
// asks before choosing it). The unpacks and packs work within each 128-bit
// half, so the bytes come back in their places.
__attribute__((target("avx2"))) void SolidRow32Avx2(uint8_t* d, int n, uint32_t pixel, const BlendShares& t) {
  const uint32_t share = uint32_t(t.take[pixel & 0xFF]) | uint32_t(t.take[(pixel >> 8) & 0xFF]) << 8 |
                         uint32_t(t.take[(pixel >> 16) & 0xFF]) << 16;
  const __m256i add = _mm256_set1_epi32(static_cast<int>(share));
  const __m256i k = _mm256_set1_epi16(static_cast<short>(100 - t.rate));
  const __m256i by100 = _mm256_set1_epi16(20972);
  const __m256i fourth = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
  const __m256i zero = _mm256_setzero_si256();
  int i = 0;
  for (; i + 8 <= n; i += 8, d += 32) {
    const __m256i px = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d));
    const __m256i lo = _mm256_mullo_epi16(_mm256_unpacklo_epi8(px, zero), k);
    const __m256i hi = _mm256_mullo_epi16(_mm256_unpackhi_epi8(px, zero), k);
    const __m256i scaled = _mm256_packus_epi16(_mm256_srli_epi16(_mm256_mulhi_epu16(lo, by100), 5),
                                               _mm256_srli_epi16(_mm256_mulhi_epu16(hi, by100), 5));
    const __m256i mixed = _mm256_add_epi8(scaled, add);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d),
                        _mm256_or_si256(_mm256_andnot_si256(fourth, mixed), _mm256_and_si256(fourth, px)));
  }
  // The SSE2 loop finishes the row. The compiler clears the upper halves of
  // the vector registers on a return but not on this tail call, and SSE2
  // code after wide code with dirty upper halves (ours or a library's) ran
  // four times slower on the benchmark machine.
  _mm256_zeroupper();
  SolidRow32(d, n - i, pixel, t);
}

template <bool kMasked>
void CopyRow32(uint8_t* d, const uint8_t* s, const uint8_t* m, int n, const BlendShares& t) {
  const __m128i keep = _mm_set1_epi16(static_cast<short>(100 - t.rate));
  const __m128i take = _mm_set1_epi16(static_cast<short>(t.rate));
  const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
  int i = 0;
  for (; i + 4 <= n; i += 4, d += 16, s += 16) {
    const __m128i below = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
    const __m128i over = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    __m128i mixed = Select(Fourth(), below, _mm_add_epi8(Scale(below, keep), Scale(over, take)));
    if (kMasked) {
      const __m128i mk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m));
      m += 16;
      // All ones where the mask pixel is black.
      mixed = Select(_mm_cmpeq_epi32(_mm_and_si128(mk, colour), _mm_setzero_si128()), mixed, below);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), mixed);
  }
  BytePrimitives<Fmt32>::BlendCopyRow(d, s, kMasked ? m : nullptr, n - i, t);
}

// A source row mixed into a 24-bit row sixteen pixels (three vectors) at a
// time: every byte is a component, so the 32-bit rows' scaling serves byte
// for byte.
void CopyRow24(uint8_t* d, const uint8_t* s, const uint8_t*, int n, const BlendShares& t) {
  const __m128i keep = _mm_set1_epi16(static_cast<short>(100 - t.rate));
  const __m128i take = _mm_set1_epi16(static_cast<short>(t.rate));
  int i = 0;
  for (; i + 16 <= n; i += 16)
    for (int j = 0; j < 3; ++j, d += 16, s += 16) {
      const __m128i below = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
      const __m128i over = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_add_epi8(Scale(below, keep), Scale(over, take)));
    }
  BytePrimitives<Fmt24>::BlendCopyRow(d, s, nullptr, n - i, t);
}

// A solid colour mixed into 24-bit rows sixteen pixels (three vectors) at a
// time: every byte is a component, so each is scaled like the 32-bit ones,
// and the colour's shares repeat every three bytes, which three add vectors
// hold in phase.
void SolidRow24(uint8_t* d, int n, uint32_t pixel, const BlendShares& t) {
  const uint8_t share[3] = {t.take[pixel & 0xFF], t.take[(pixel >> 8) & 0xFF], t.take[(pixel >> 16) & 0xFF]};
  uint8_t shares[48];
  for (int j = 0; j < 48; ++j) shares[j] = share[j % 3];
  const __m128i k = _mm_set1_epi16(static_cast<short>(100 - t.rate));
  __m128i add[3];
  for (int j = 0; j < 3; ++j) add[j] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(shares + 16 * j));
  int i = 0;
  for (; i + 16 <= n; i += 16)
    for (int j = 0; j < 3; ++j, d += 16) {
      const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_add_epi8(Scale(px, k), add[j]));
    }
  BytePrimitives<Fmt24>::BlendSolidRow(d, n - i, pixel, t);
}

// A solid colour mixed into eight 16- or 15-bit words at a time: each field
// is shifted down, times 100 - rate (at most 63 * 99, inside the divide's
// range), divided, and put back; the colour's share is added to the whole
// word, as no field's sum passes its maximum. Bits outside the fields keep
// their value.
template <class F>
void SolidRowWord(uint8_t* d, int n, uint32_t pixel, const BlendShares& t) {
  uint32_t share = 0;
  for (const Field& f : F::kFields) share |= uint32_t(t.take[(pixel >> f.shift) & f.Max()]) << f.shift;
  const __m128i k = _mm_set1_epi16(static_cast<short>(100 - t.rate));
  const __m128i add = _mm_set1_epi16(static_cast<short>(share));
  const __m128i kept = _mm_set1_epi16(static_cast<short>(F::kKeep));
  int i = 0;
  for (; i + 8 <= n; i += 8, d += 16) {
    const __m128i px = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
    __m128i out = _mm_and_si128(px, kept);
    for (const Field& f : F::kFields) {
      const __m128i shift = _mm_cvtsi32_si128(f.shift);
      const __m128i v = _mm_and_si128(_mm_srl_epi16(px, shift), _mm_set1_epi16(static_cast<short>(f.Max())));
      out = _mm_or_si128(out, _mm_sll_epi16(DivideBy100(_mm_mullo_epi16(v, k)), shift));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm_add_epi16(out, add));
  }
  BytePrimitives<F>::BlendSolidRow(d, n - i, pixel, t);
}

// A source row mixed into eight 16- or 15-bit words at a time, each field
// as in SolidRowWord, the two shares added before the field goes back (their
// sum never passes its maximum). With a mask, a word changes only where the
// mask word's colour bits are all 0.
template <class F, bool kMasked>
void CopyRowWord(uint8_t* d, const uint8_t* s, const uint8_t* m, int n, const BlendShares& t) {
  uint32_t colour_bits = 0;
  for (const Field& f : F::kFields) colour_bits |= f.Max() << f.shift;
  const __m128i keep = _mm_set1_epi16(static_cast<short>(100 - t.rate));
  const __m128i take = _mm_set1_epi16(static_cast<short>(t.rate));
  const __m128i kept = _mm_set1_epi16(static_cast<short>(F::kKeep));
  const __m128i colour = _mm_set1_epi16(static_cast<short>(colour_bits));
  int i = 0;
  for (; i + 8 <= n; i += 8, d += 16, s += 16) {
    const __m128i below = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d));
    const __m128i over = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
    __m128i out = _mm_and_si128(below, kept);
    for (const Field& f : F::kFields) {
      const __m128i shift = _mm_cvtsi32_si128(f.shift), max = _mm_set1_epi16(static_cast<short>(f.Max()));
      const __m128i b = _mm_and_si128(_mm_srl_epi16(below, shift), max);
      const __m128i o = _mm_and_si128(_mm_srl_epi16(over, shift), max);
      const __m128i sum = _mm_add_epi16(DivideBy100(_mm_mullo_epi16(b, keep)), DivideBy100(_mm_mullo_epi16(o, take)));
      out = _mm_or_si128(out, _mm_sll_epi16(sum, shift));
    }
    if (kMasked) {
      const __m128i mk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(m));
      m += 16;
      out = Select(_mm_cmpeq_epi16(_mm_and_si128(mk, colour), _mm_setzero_si128()), out, below);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d), out);
  }
  BytePrimitives<F>::BlendCopyRow(d, s, kMasked ? m : nullptr, n - i, t);
}
#endif

enum class BlendOp { kSolid, kCopy, kCopyMasked };

struct BlendFastPath {
  BlendOp op;
  int bpp;
  bool (*usable)();  // null: always
  BlendSolidRow solid;
  BlendCopyRow copy;
};

// Op, destination format, processor, loop.                         what it is for
const BlendFastPath kBlendFastPaths[] = {
#if defined(__SSE2__)
    {BlendOp::kSolid, 32, CpuHasAvx2, SolidRow32Avx2, nullptr},              // transparent colour fills
    {BlendOp::kSolid, 32, nullptr, SolidRow32, nullptr},                     // the same without AVX2
    {BlendOp::kCopy, 32, nullptr, nullptr, CopyRow32<false>},                // a tile or gradient mixed in
    {BlendOp::kCopyMasked, 32, nullptr, nullptr, CopyRow32<true>},           // a transparent-background tile
    {BlendOp::kSolid, 24, nullptr, SolidRow24, nullptr},                     // transparent colour fills, 24 bits
    {BlendOp::kSolid, 16, nullptr, SolidRowWord<Fmt16>, nullptr},            // the same, 5-6-5
    {BlendOp::kSolid, 15, nullptr, SolidRowWord<Fmt15>, nullptr},            // the same, x-5-5-5
    {BlendOp::kCopy, 24, nullptr, nullptr, CopyRow24},                       // a tile or gradient mixed in, 24 bits
    {BlendOp::kCopy, 16, nullptr, nullptr, CopyRowWord<Fmt16, false>},       // the same, 5-6-5
    {BlendOp::kCopyMasked, 16, nullptr, nullptr, CopyRowWord<Fmt16, true>},  // a transparent tile, 5-6-5
    {BlendOp::kCopy, 15, nullptr, nullptr, CopyRowWord<Fmt15, false>},       // a tile mixed in, x-5-5-5
    {BlendOp::kCopyMasked, 15, nullptr, nullptr, CopyRowWord<Fmt15, true>},  // a transparent tile, x-5-5-5
#endif
    {BlendOp::kSolid, 0, nullptr, nullptr, nullptr},  // the end: the format's general loop
};

const BlendFastPath* Find(BlendOp op, int bpp) {
  if (!FastPathsEnabled()) return nullptr;
  for (const BlendFastPath& f : kBlendFastPaths)
    if (f.op == op && f.bpp == bpp && (!f.usable || f.usable())) return &f;
  return nullptr;
}

}  // namespace

BlendSolidRow FindBlendSolidRow(const Primitives& p) {
  if (!p.blend_solid_row) return nullptr;
  const BlendFastPath* f = Find(BlendOp::kSolid, p.bpp);
  return f ? f->solid : p.blend_solid_row;
}

BlendCopyRow FindBlendCopyRow(const Primitives& p, bool masked) {
  if (!p.blend_copy_row) return nullptr;
  const BlendFastPath* f = Find(masked ? BlendOp::kCopyMasked : BlendOp::kCopy, p.bpp);
  return f ? f->copy : p.blend_copy_row;
}

}  // namespace kygdi
