// A small library for the C interface's tests, built with the module and
// handed over as bytes: style 8 "Checker" (8 x 8 pixels, 254 dpi, a one-pixel
// checkerboard) in the root group, style 9 "Stripe" (4 x 4, 254 dpi, only the
// top row clear, the rest set) in the group "Lines", style 10 "Fine" (8 x 8, 96 dpi) in
// "Lines/Fine". At 254 dpi the first two keep their pixels exactly: the
// module sizes tiles through whole tenths of a millimetre, truncated.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "KyFillStyleLib.h"
#include "bmp_builder.h"
#include "kyfsl.h"

namespace kytest {

inline std::vector<uint8_t> SmallLibraryImage() {
  CKyFillStyleLib lib;
  CKyFillStyleGroup* root = lib.GetStyleGroup();
  root->SetName("Root");
  CKyFillStyleGroup* lines = root->CreateSubGroup("Lines");
  CKyFillStyleGroup* fine = lines->CreateSubGroup("Fine");
  CByteArray pattern;
  ToArray(Mono(8, 8), pattern);
  lib.AddFillStyle(new CKyFillStyle(8, "Checker", pattern, CKyFillStyle::FS_254DPI), root);
  ToArray(Mono(4, 4, [](int, int y) { return y != 0; }), pattern);
  lib.AddFillStyle(new CKyFillStyle(9, "Stripe", pattern, CKyFillStyle::FS_254DPI), lines);
  ToArray(Mono(8, 8), pattern);
  lib.AddFillStyle(new CKyFillStyle(10, "Fine", pattern, CKyFillStyle::FS_96DPI), fine);
  CByteArray out;
  lib.ToByteArray(out);
  return FromArray(out);
}

// A library of one style, 8, named name (bytes of any code page), filed in
// the root group, which has the same name.
inline std::vector<uint8_t> OneStyleImage(const char* name) {
  CKyFillStyleLib lib;
  lib.GetStyleGroup()->SetName(name);
  CByteArray pattern;
  ToArray(Mono(8, 8), pattern);
  lib.AddFillStyle(new CKyFillStyle(8, name, pattern, CKyFillStyle::FS_96DPI), lib.GetStyleGroup());
  CByteArray out;
  lib.ToByteArray(out);
  return FromArray(out);
}

struct LibraryCloser {
  void operator()(kyfsl_library* lib) const { kyfsl_close(lib); }
};
using LibraryPtr = std::unique_ptr<kyfsl_library, LibraryCloser>;

inline LibraryPtr OpenSmallLibrary() {
  const std::vector<uint8_t> image = SmallLibraryImage();
  kyfsl_library* lib = nullptr;
  kyfsl_open_bytes(image.data(), image.size(), 0, &lib);
  return LibraryPtr(lib);
}

// A BGRA or RGBA buffer of w x h pixels, every pixel `fill` (bytes in memory
// order), with `pad` spare bytes at the end of each row.
struct Pixels {
  int width, height;
  size_t stride;
  std::vector<uint8_t> bytes;
  Pixels(int w, int h, uint32_t fill, size_t pad = 0)
      : width(w), height(h), stride(4 * static_cast<size_t>(w) + pad), bytes(stride * static_cast<size_t>(h)) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) Set(x, y, fill);
    }
  }
  // The four bytes of a pixel, first byte in the lowest bits.
  uint32_t At(int x, int y) const {
    const uint8_t* p = bytes.data() + static_cast<size_t>(y) * stride + 4 * static_cast<size_t>(x);
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
  }
  void Set(int x, int y, uint32_t v) {
    uint8_t* p = bytes.data() + static_cast<size_t>(y) * stride + 4 * static_cast<size_t>(x);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
  }
  kyfsl_buffer Buffer() { return kyfsl_buffer{bytes.data(), bytes.size(), width, height, stride}; }
};

}  // namespace kytest
