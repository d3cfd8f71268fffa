/* kyfsl_tiles.h: web map tiles through the C interface, for programs that
 * spread a pyramid over processes or machines themselves (the Python
 * package's kyroz50.tiles on Dask). A tiler opens the source and prepares
 * the classes once; each call draws one metatile and hands back its tiles'
 * PNG bytes, the same bytes `kyfsl tiles` writes.
 *
 * Threads: as the rest of the interface, every call takes the one lock. */
#ifndef KYFSL_TILES_H
#define KYFSL_TILES_H

#include "kyfsl.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct kyfsl_tiler kyfsl_tiler;

/* Opens a tiler. options: a JSON object (UTF-8) with "data" (DATA[:LAYER] or
 * a PG: connection and table), "zoom" [min, max], and optionally "by" (a
 * field), "styles" (a STYLES.json document as an object), "bbox" [west,
 * south, east, north] in degrees, "tile_size" 256|512, "scale" 1|2,
 * "metatile" (tiles a side, default 8), "antialias" (true, the default:
 * smooth edges and outlines; false: the module's own pixels), "library"
 * (what names the library for a resumed output: a path, or "default").
 * lib: the library, which must stay
 * open while the tiler lives; NULL for the built-in one. On success *out
 * holds a tiler to close with kyfsl_tiler_close. Fails with
 * KYFSL_ERR_ARGUMENT for options that are not understood and KYFSL_ERR_IO
 * for a source, layer or field that cannot be read. */
KYFSL_API int kyfsl_tiler_open(const kyfsl_library* lib, const char* options, kyfsl_tiler** out);

/* The pyramid as JSON text: {"name": layer, "bounds": [w, s, e, n],
 * "metatiles": [[z, x, y, x0, y0, x1, y1], ...]} where x0..y1 are the tiles
 * of the pyramid at that zoom. *json is the caller's to free with
 * kyfsl_free. */
KYFSL_API int kyfsl_tiler_plan(kyfsl_tiler* tiler, char** json);

/* Called once for each tile of a metatile with something drawn on it: png
 * holds size bytes, valid during the call only. */
typedef void (*kyfsl_tile_sink)(void* user, int z, int64_t x, int64_t y, const void* png, size_t size);

/* Draws metatile (z, x, y), its tiles limited to x0..x1, y0..y1 (a row of
 * the plan). Fails with KYFSL_ERR_IO when the source fails while reading,
 * KYFSL_ERR_ARGUMENT for a metatile outside the world. */
KYFSL_API int kyfsl_tiler_draw(kyfsl_tiler* tiler, int z, int64_t x, int64_t y, int64_t x0, int64_t y0, int64_t x1,
                               int64_t y1, kyfsl_tile_sink sink, void* user);

/* Closes the tiler (its connection to the source); NULL is ignored. */
KYFSL_API int kyfsl_tiler_close(kyfsl_tiler* tiler);

/* Where a tiler's pyramid is written, as `kyfsl tiles` writes it: a folder
 * of z/x/y.png files with its viewer page, or an MBTiles file (a path
 * ending in .mbtiles). One process writes; the tiles may come from
 * anywhere (kyfsl_tiler_draw on other processes or machines). */
typedef struct kyfsl_tile_output kyfsl_tile_output;

/* Opens the output of tiler's pyramid. Without resume the output must not
 * exist yet (or be an empty folder); with resume, an output begun with the
 * same options keeps its finished metatiles (kyfsl_tile_output_done). The
 * tiler must stay open while the output lives. Fails with KYFSL_ERR_IO for
 * an output that cannot be made or written, that would be overwritten, or
 * that was begun with other options. */
KYFSL_API int kyfsl_tile_output_open(kyfsl_tiler* tiler, const char* path, int resume, kyfsl_tile_output** out);

/* *done: 1 when the metatile (z, x, y) was finished by an earlier run. */
KYFSL_API int kyfsl_tile_output_done(const kyfsl_tile_output* output, int z, int64_t x, int64_t y, int* done);

/* Adds a tile (png: size bytes, copied) to the metatile being stored. */
KYFSL_API int kyfsl_tile_output_add(kyfsl_tile_output* output, int z, int64_t x, int64_t y, const void* png,
                                    size_t size);

/* Stores the tiles added since the last store as metatile (z, x, y) and
 * marks it finished, all or nothing. Fails with KYFSL_ERR_IO naming the
 * metatile and the reason (a full disk); what was stored before stays. */
KYFSL_API int kyfsl_tile_output_store(kyfsl_tile_output* output, int z, int64_t x, int64_t y);

/* Writes what shows the pyramid: a folder's index.html with Leaflet, the
 * list of its tiles and the legend; an MBTiles file's legend. */
KYFSL_API int kyfsl_tile_output_finish(kyfsl_tile_output* output);

/* Closes the output; NULL is ignored. */
KYFSL_API int kyfsl_tile_output_close(kyfsl_tile_output* output);

#ifdef __cplusplus
}
#endif

#endif
