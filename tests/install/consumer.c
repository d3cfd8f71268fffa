/* A program of another project: lists the built-in library's first styles and
 * draws one tile through the installed C interface. */
#include <kyfsl.h>
#include <stdio.h>
#include <stdlib.h>

int main(void) {
  kyfsl_library* lib = NULL;
  if (kyfsl_open_default(0, &lib) != KYFSL_OK) {
    fprintf(stderr, "consumer: %s\n", kyfsl_last_error());
    return 1;
  }
  size_t count = 0;
  int32_t id = 0;
  const char* name = NULL;
  kyfsl_style_count(lib, &count);
  kyfsl_style_id(lib, 0, &id);
  kyfsl_style_name(lib, id, &name);
  kyfsl_paint paint;
  kyfsl_paint_init(&paint);
  int32_t w = 0, h = 0;
  if (kyfsl_tile_size(lib, id, &paint, &w, &h) != KYFSL_OK) return 1;
  unsigned char* pixels = calloc((size_t)w * (size_t)h, 4);
  kyfsl_buffer buffer = {pixels, (size_t)w * (size_t)h * 4, w, h, (size_t)w * 4};
  const int status = kyfsl_render_tile(lib, id, &paint, &buffer);
  printf("%zu styles; style %d \"%s\", a %dx%d tile: %s\n", count, id, name, w, h, kyfsl_status_name(status));
  free(pixels);
  kyfsl_close(lib);
  return status == KYFSL_OK ? 0 : 1;
}
