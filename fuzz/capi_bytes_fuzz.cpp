// Feeds bytes to the C interface: the first bytes choose a dpi, a buffer
// size and a few points, the rest is a library image. Every style that
// opens is asked for its name, group, size and SVG, drawn as a tile and
// filled through the points.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "kyfsl.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 16) return 0;
  kyfsl_paint paint;
  kyfsl_paint_init(&paint);
  paint.dpi = 8 + data[0] * 2;  // 8 to 518: a few below the bound
  paint.transparent = data[1] & 1;
  paint.rate = data[1] >> 1;    // 0 to 127: some past the bound
  paint.anchor = data[2] & 1;
  const int width = 1 + data[3] % 48, height = 1 + data[4] % 48;
  double xy[6];
  for (int i = 0; i < 6; ++i) xy[i] = static_cast<int8_t>(data[5 + i]) * 0.75;
  const double transform[6] = {1 + data[11] / 64.0, 0, 0, 0, 1, static_cast<double>(data[12])};
  data += 16;
  size -= 16;

  kyfsl_library* lib = nullptr;
  if (kyfsl_open_bytes(data, size, 0, &lib) != KYFSL_OK) return 0;
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0x5A);
  kyfsl_buffer buffer{pixels.data(), pixels.size(), width, height, static_cast<size_t>(width) * 4};
  size_t count = 0;
  kyfsl_style_count(lib, &count);
  for (size_t i = 0; i < count && i < 16; ++i) {
    int32_t id = 0;
    if (kyfsl_style_id(lib, i, &id) != KYFSL_OK) __builtin_trap();
    const char* text = nullptr;
    if (kyfsl_style_name(lib, id, &text) != KYFSL_OK || !text) __builtin_trap();
    if (kyfsl_style_group(lib, id, &text) != KYFSL_OK || !text) __builtin_trap();
    kyfsl_style_info info;
    kyfsl_style_info_get(lib, id, &info);
    int32_t w = 0, h = 0;
    kyfsl_tile_size(lib, id, &paint, &w, &h);
    kyfsl_render_tile(lib, id, &paint, &buffer);
    const size_t ring = 3;
    kyfsl_fill(lib, id, &paint, xy, &ring, 1, transform, &buffer);
    char* svg = nullptr;
    if (kyfsl_style_svg(lib, id, &paint, &svg, nullptr) == KYFSL_OK) kyfsl_free(svg);
  }
  size_t groups = 0;
  kyfsl_group_count(lib, &groups);
  for (size_t g = 0; g < groups; ++g) {
    const int32_t* ids = nullptr;
    size_t n = 0;
    if (kyfsl_group_styles(lib, g, &ids, &n) != KYFSL_OK) __builtin_trap();
    for (size_t k = 0; k < n; ++k) (void)ids[k];
  }
  if (kyfsl_close(lib) != KYFSL_OK) __builtin_trap();
  return 0;
}
