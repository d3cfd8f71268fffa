#include "blit_source.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "formats.h"

namespace kygdi {
namespace {

// A source row of format S as destination pixels of format D in one pass:
// the very pixels of the row converter's four calls.
template <class S, class D>
inline __attribute__((always_inline)) void ConvertLoop(const uint8_t* s, uint8_t* d, int n) {
  for (int i = 0; i < n; ++i, s += S::kBytes, d += D::kBytes) D::Store(d, D::FromColour(S::ToColour(S::Load(s))));
}

// The busiest pairs written out on whole words, the same arithmetic as the
// trait calls above (a 5- or 6-bit field read back repeats its top bits; a
// byte written to a field keeps its top bits), so that the compiler can
// turn the loops into vector code.
template <>
inline __attribute__((always_inline)) void ConvertLoop<Fmt16, Fmt32>(const uint8_t* s, uint8_t* d, int n) {
  for (int i = 0; i < n; ++i) {
    uint16_t v;
    std::memcpy(&v, s + 2 * i, 2);
    const uint32_t r = (v >> 11) & 0x1F, g = (v >> 5) & 0x3F, b = v & 0x1Fu;
    const uint32_t o = (((r << 3) | (r >> 2)) << 16) | (((g << 2) | (g >> 4)) << 8) | ((b << 3) | (b >> 2));
    std::memcpy(d + 4 * i, &o, 4);
  }
}

template <>
inline __attribute__((always_inline)) void ConvertLoop<Fmt32, Fmt16>(const uint8_t* s, uint8_t* d, int n) {
  for (int i = 0; i < n; ++i) {
    uint32_t v;
    std::memcpy(&v, s + 4 * i, 4);
    // Each field moved into place on the whole word, then one narrowing.
    const uint16_t o = uint16_t(((v >> 8) & 0xF800) | ((v >> 5) & 0x07E0) | ((v >> 3) & 0x001F));
    std::memcpy(d + 2 * i, &o, 2);
  }
}

template <>
inline __attribute__((always_inline)) void ConvertLoop<Fmt24, Fmt32>(const uint8_t* s, uint8_t* d, int n) {
  for (int i = 0; i < n; ++i) {
    const uint32_t o = uint32_t(s[3 * i]) | uint32_t(s[3 * i + 1]) << 8 | uint32_t(s[3 * i + 2]) << 16;
    std::memcpy(d + 4 * i, &o, 4);
  }
}

// The loops as they are, and compiled for AVX2 (wider vectors for the same
// arithmetic), which the table takes where the processor has it.
template <class S, class D>
void ConvertRow(const uint8_t* s, uint8_t* d, int n) {
  ConvertLoop<S, D>(s, d, n);
}
template <class S, class D>
__attribute__((target("avx2"))) void ConvertRowAvx2(const uint8_t* s, uint8_t* d, int n) {
  ConvertLoop<S, D>(s, d, n);
}

struct ConvertFastPath {
  int src_bpp, dst_bpp;
  bool (*usable)();  // null: always
  FusedRow row;
};

// Source, destination, processor, loop. Every pair of colour formats;
// palette and monochrome ones take the general path.
const ConvertFastPath kConvertFastPaths[] = {
    {16, 32, CpuHasAvx2, ConvertRowAvx2<Fmt16, Fmt32>},  // 16-bit pictures onto a 32-bit screen
    {32, 16, CpuHasAvx2, ConvertRowAvx2<Fmt32, Fmt16>},  // a 32-bit picture onto a 16-bit device
    {24, 32, CpuHasAvx2, ConvertRowAvx2<Fmt24, Fmt32>},  // 24-bit pictures onto a 32-bit screen
    {16, 32, nullptr, ConvertRow<Fmt16, Fmt32>},
    {15, 32, nullptr, ConvertRow<Fmt15, Fmt32>},
    {24, 32, nullptr, ConvertRow<Fmt24, Fmt32>},
    {32, 16, nullptr, ConvertRow<Fmt32, Fmt16>},
    {32, 15, nullptr, ConvertRow<Fmt32, Fmt15>},
    {32, 24, nullptr, ConvertRow<Fmt32, Fmt24>},
    {24, 16, nullptr, ConvertRow<Fmt24, Fmt16>},
    {24, 15, nullptr, ConvertRow<Fmt24, Fmt15>},
    {16, 24, nullptr, ConvertRow<Fmt16, Fmt24>},
    {15, 24, nullptr, ConvertRow<Fmt15, Fmt24>},
    {16, 15, nullptr, ConvertRow<Fmt16, Fmt15>},
    {15, 16, nullptr, ConvertRow<Fmt15, Fmt16>},
};

}  // namespace

FusedRow FindFusedRow(int src_bpp, int dst_bpp) {
  if (!FastPathsEnabled()) return nullptr;
  for (const ConvertFastPath& f : kConvertFastPaths)
    if (f.src_bpp == src_bpp && f.dst_bpp == dst_bpp && (!f.usable || f.usable())) return f.row;
  return nullptr;
}

RowConverter::RowConverter(const Surface& src, const Surface& dst, const DC& dc, COLORREF src_bk)
    : src_(src), dst_(dst) {
  if (src.bpp == dst.bpp) {
    kind_ = Kind::kSame;
  } else if (src.bpp == 1) {
    kind_ = Kind::kFromMono;
    mono_[0] = dst.ColourToPixel(ResolveColour(dc.st.text_colour));
    mono_[1] = dst.ColourToPixel(ResolveColour(dc.st.bk_colour));
  } else if (dst.bpp == 1) {
    kind_ = Kind::kToMono;
    src_bk_ = src.ColourToPixel(ResolveColour(src_bk));
  } else {
    kind_ = Kind::kColour;
  }
}

void RowConverter::Convert(uint32_t* v, int n) const {
  switch (kind_) {
    case Kind::kSame: return;
    case Kind::kFromMono:
      for (int i = 0; i < n; ++i) v[i] = mono_[v[i] & 1];
      return;
    case Kind::kToMono:
      for (int i = 0; i < n; ++i) v[i] = v[i] == src_bk_ ? 1u : 0u;
      return;
    case Kind::kColour:
      src_.funcs->to_colour_row(v, n);
      dst_.funcs->from_colour_row(v, n);
      return;
  }
}

SourceRows::SourceRows(const DC& dc, const BlitPlan& plan, const BlitSource& src)
    : plan_(plan),
      src_(*src.surface),
      dst_(dc.Target()),
      convert_(*src.surface, dc.Target(), dc, src.bk_colour),
      same_surface_(src.surface == &dc.Target()),
      and_scans_(dc.st.stretch_mode == BLACKONWHITE),
      or_scans_(dc.st.stretch_mode == WHITEONBLACK),
      fused_(FindFusedRow(src_.bpp, dst_.bpp)) {}

const uint8_t* SourceRows::Row(int x, int y, int w) {
  span_.resize(size_t(w) * size_t(dst_.funcs->span_bytes));
  values_.resize(size_t(w));
  return plan_.stretch ? Stretched(x, y, w) : Straight(x, y, w);
}

bool SourceRows::RowInto(int x, int y, int w, uint8_t* out) {
  if (plan_.stretch || !fused_ || src_.bpp == dst_.bpp) return false;
  const int sx = int(x - plan_.dr.left + plan_.sr.left), sy = int(y - plan_.dr.top + plan_.sr.top);
  fused_(src_.Row(sy) + size_t(sx) * size_t(src_.funcs->span_bytes), out, w);
  return true;
}

const uint8_t* SourceRows::Straight(int x, int y, int w) {
  const int sx = int(x - plan_.dr.left + plan_.sr.left), sy = int(y - plan_.dr.top + plan_.sr.top);
  if (src_.bpp == dst_.bpp) {
    // The bitmap's own bytes, unless they are about to be written.
    if (src_.bpp >= 8 && !same_surface_) return src_.Row(sy) + size_t(sx) * size_t(src_.funcs->span_bytes);
    src_.funcs->span_read(src_, sx, sy, w, span_.data());
    return span_.data();
  }
  if (fused_) {
    fused_(src_.Row(sy) + size_t(sx) * size_t(src_.funcs->span_bytes), span_.data(), w);
    return span_.data();
  }
  raw_.resize(size_t(w) * size_t(src_.funcs->span_bytes));
  src_.funcs->span_read(src_, sx, sy, w, raw_.data());
  src_.funcs->load_row(raw_.data(), w, values_.data());
  convert_.Convert(values_.data(), w);
  dst_.funcs->store_row(span_.data(), values_.data(), w);
  return span_.data();
}

const uint32_t* SourceRows::SourceValues(int sy) {
  // A row read from the destination's own bitmap may have changed since.
  if (sy == row_values_y_ && !same_surface_) return row_values_.data();
  raw_.resize(size_t(src_.width) * size_t(src_.funcs->span_bytes));
  row_values_.resize(size_t(src_.width));
  src_.funcs->span_read(src_, 0, sy, src_.width, raw_.data());
  src_.funcs->load_row(raw_.data(), src_.width, row_values_.data());
  row_values_y_ = sy;
  return row_values_.data();
}

namespace {

// The range of source pixels [first, last] that destination pixel i0 covers
// when shrinking. 128-bit products: an index and an extent may each be near 2^32.
std::pair<int64_t, int64_t> SourceRange(int64_t i0, int64_t n_dst, int64_t n_src, int64_t base) {
  int64_t a = base + int64_t(__int128(i0) * n_src / n_dst), b = base + int64_t(__int128(i0 + 1) * n_src / n_dst) - 1;
  return {a, std::max(a, b)};
}

// The source pixel whose centre maps nearest to destination pixel i.
int64_t NearestSource(int64_t i, int64_t n_dst, int64_t n_src, int64_t base) {
  return base + int64_t((__int128(2 * i + 1) * n_src) / (2 * __int128(n_dst)));
}

}  // namespace

void SourceRows::MapColumns(int x, int w) {
  if (x == cols_x_ && w == cols_w_) return;
  cols_x_ = x;
  cols_w_ = w;
  col_first_.resize(size_t(w));
  col_last_.resize(size_t(w));
  const int64_t dw = plan_.dr.Width(), sw = plan_.sr.Width();
  const bool ranges = sw > dw && (and_scans_ || or_scans_);
  for (int i = 0; i < w; ++i) {
    // Mirrored when the signs of the widths differ.
    int64_t c = x + i - plan_.dr.left;
    if (plan_.flip_x) c = dw - 1 - c;
    auto clamp = [&](int64_t v) { return int(std::clamp<int64_t>(v, 0, src_.width - 1)); };
    if (ranges) {
      auto rg = SourceRange(c, dw, sw, plan_.sr.left);
      col_first_[size_t(i)] = clamp(rg.first);
      col_last_[size_t(i)] = clamp(rg.second);
    } else {
      col_first_[size_t(i)] = col_last_[size_t(i)] = clamp(NearestSource(c, dw, sw, plan_.sr.left));
    }
  }
}

const uint8_t* SourceRows::Stretched(int x, int y, int w) {
  const int64_t dh = plan_.dr.Height(), sh = plan_.sr.Height();
  int64_t i = y - plan_.dr.top;
  if (plan_.flip_y) i = dh - 1 - i;
  // Rows of the source that this destination row takes: all it covers when
  // shrinking under BLACKONWHITE or WHITEONBLACK, else the nearest.
  auto clamp = [&](int64_t v) { return int(std::clamp<int64_t>(v, 0, src_.height - 1)); };
  int rows_from, rows_to;
  if (sh > dh && (and_scans_ || or_scans_)) {
    auto rg = SourceRange(i, dh, sh, plan_.sr.top);
    rows_from = clamp(rg.first);
    rows_to = clamp(rg.second);
  } else {
    rows_from = rows_to = clamp(NearestSource(i, dh, sh, plan_.sr.top));
  }
  MapColumns(x, w);
  uint32_t* out = values_.data();
  for (int sy = rows_from; sy <= rows_to; ++sy) {
    const uint32_t* row = SourceValues(sy);
    for (int k = 0; k < w; ++k) {
      uint32_t v = row[col_first_[size_t(k)]];
      for (int q = col_first_[size_t(k)] + 1; q <= col_last_[size_t(k)]; ++q)
        v = and_scans_ ? (v & row[q]) : (v | row[q]);
      if (sy == rows_from)
        out[k] = v;
      else
        out[k] = and_scans_ ? (out[k] & v) : (out[k] | v);
    }
  }
  convert_.Convert(out, w);
  dst_.funcs->store_row(span_.data(), out, w);
  return span_.data();
}

}  // namespace kygdi
