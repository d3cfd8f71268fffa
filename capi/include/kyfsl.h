/* kyfsl.h: fill style libraries for programs in C (and anything that can call
 * C). No framework type appears here: a library is an opaque handle, text is
 * UTF-8, pixels are the caller's 32-bit buffer.
 *
 * Every function returns a kyfsl_status; KYFSL_OK is 0. On any other value
 * kyfsl_last_error() says why, in one English sentence, and no output
 * argument has been written.
 *
 * Threads: the module underneath draws through a device layer with
 * process-wide state (the simulated display's resolution, the table of
 * drawing objects). Every call of this interface therefore takes one lock
 * inside the library for its whole run. Any call may be made from any
 * thread, on the same handle or on different handles and buffers; calls do
 * not run at the same time but one after the other. kyfsl_last_error() and
 * kyfsl_status_name() take no lock and keep their text per thread.
 *
 * Ownership is written on each function. Handles are checked: a closed
 * handle, one that never came from kyfsl_open_*, or NULL gives
 * KYFSL_ERR_HANDLE, never a crash. A handle is never given out twice: once
 * closed it stays refused, whatever is opened after it.
 *
 * Text handed out (names, group paths) is valid UTF-8: bytes that are not
 * text of the library's code page become U+FFFD. Names may hold control
 * characters; the SVG drops them from its title.
 */
#ifndef KYFSL_H
#define KYFSL_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define KYFSL_API __attribute__((visibility("default")))
#else
#define KYFSL_API
#endif

typedef enum kyfsl_status {
  KYFSL_OK = 0,
  KYFSL_ERR_ARGUMENT = 1, /* a null pointer or a value past its documented bounds */
  KYFSL_ERR_HANDLE = 2,   /* NULL, closed or foreign library handle */
  KYFSL_ERR_NOT_FOUND = 3, /* no style with that id, no group with that index */
  KYFSL_ERR_FORMAT = 4,   /* the bytes are not a fill style library, or a damaged one */
  KYFSL_ERR_IO = 5,       /* the file cannot be read */
  KYFSL_ERR_BUFFER = 6,   /* the pixel buffer is smaller than its size and stride need */
  KYFSL_ERR_RANGE = 7,    /* a coordinate is not finite or lies past the bounds below */
  KYFSL_ERR_RENDER = 8,   /* the style cannot be drawn (damaged pattern, empty tile) */
  KYFSL_ERR_MEMORY = 9    /* out of memory */
} kyfsl_status;

/* Bounds checked by the drawing calls. */
#define KYFSL_MIN_DPI 10
#define KYFSL_MAX_DPI 4800
#define KYFSL_MAX_SIZE 16384        /* pixels, each side of a buffer */
#define KYFSL_MAX_COORD 1.0e7       /* |x|, |y| in buffer pixels after the transform */
#define KYFSL_MAX_POINTS 100000000  /* points of one fill */
#define KYFSL_MAX_BYTES 0x7FFFFFFF  /* size of a library image */

typedef struct kyfsl_library kyfsl_library;

/* The message of the last failed call on this thread ("" when none has
 * failed). The text stays valid until the next call on this thread. */
KYFSL_API const char* kyfsl_last_error(void);
/* "KYFSL_OK", "KYFSL_ERR_HANDLE", ...; "unknown" for other values. Static text. */
KYFSL_API const char* kyfsl_status_name(int status);
/* The library's version, "major.minor.patch". Static text. */
KYFSL_API const char* kyfsl_version(void);

/* ---- opening and closing -------------------------------------------------
 * code_page: the code page of the library's names. 0 detects it as the kyfsl
 * command line does: 936 (GB2312/GBK) when some name is not plain ASCII and
 * every name is valid GBK (so the built-in default library reads as 936),
 * else the platform's ANSI page; or give 936, 1250, 1251, 1252 or 65001. On success *out is a new handle that
 * the caller owns and frees with kyfsl_close. */
KYFSL_API int kyfsl_open_file(const char* path, unsigned code_page, kyfsl_library** out);
/* data is copied; the caller keeps it. size 0 is KYFSL_ERR_FORMAT. */
KYFSL_API int kyfsl_open_bytes(const void* data, size_t size, unsigned code_page, kyfsl_library** out);
KYFSL_API int kyfsl_open_default(unsigned code_page, kyfsl_library** out);
/* Frees the handle and every string and array it handed out. A second close
 * of the same handle is KYFSL_ERR_HANDLE. */
KYFSL_API int kyfsl_close(kyfsl_library* lib);

/* ---- styles ---------------------------------------------------------------
 * Styles are named by id (8 and above). Strings and arrays handed out are
 * owned by the handle and stay valid until kyfsl_close. */
KYFSL_API int kyfsl_style_count(const kyfsl_library* lib, size_t* count);
/* The id of the style at position index, 0 to count - 1, ascending by id. */
KYFSL_API int kyfsl_style_id(const kyfsl_library* lib, size_t index, int32_t* id);
/* The style's name, UTF-8. */
KYFSL_API int kyfsl_style_name(const kyfsl_library* lib, int32_t id, const char** name);
/* "Root/Hatches/Fine", UTF-8, of the group that files the style; "" when no
 * group does. */
KYFSL_API int kyfsl_style_group(const kyfsl_library* lib, int32_t id, const char** path);

typedef enum kyfsl_kind { KYFSL_KIND_BITMAP = 0, KYFSL_KIND_SYMBOL = 1 } kyfsl_kind;

typedef struct kyfsl_style_info {
  int32_t id;
  int32_t kind;        /* kyfsl_kind */
  int32_t width;       /* bitmap: pattern pixels; symbol: tenths of a millimetre */
  int32_t height;
  double width_mm;     /* physical size of one tile */
  double height_mm;
  int32_t resolution;  /* bitmap: dots per inch of the pattern; symbol: 0 */
} kyfsl_style_info;
KYFSL_API int kyfsl_style_info_get(const kyfsl_library* lib, int32_t id, kyfsl_style_info* info);

/* ---- groups ----------------------------------------------------------------
 * Groups in tree order, the root first; each with its path and the ids it
 * files directly. */
KYFSL_API int kyfsl_group_count(const kyfsl_library* lib, size_t* count);
KYFSL_API int kyfsl_group_path(const kyfsl_library* lib, size_t index, const char** path);
KYFSL_API int kyfsl_group_styles(const kyfsl_library* lib, size_t index, const int32_t** ids, size_t* count);

/* ---- drawing ---------------------------------------------------------------
 * Colours are 0xRRGGBB. Pixels are 4 bytes, in the order format names. The
 * colour bytes are drawn as the module draws on a 32-bit display; the alpha
 * byte of a pixel the fill leaves alone is kept, of a pixel it paints becomes
 * a + (255 - a) * rate / 100 (255 at rate 100).
 *
 * kyfsl_render_tile and kyfsl_fill draw in place, a band of rows at a time:
 * besides the caller's buffer (and a fill's points, about 16 bytes each)
 * they hold about 8 MB whatever the buffer's size, and a fill costs what its
 * shape's box within the buffer covers, not the whole buffer. */
typedef enum kyfsl_format { KYFSL_BGRA = 0, KYFSL_RGBA = 1 } kyfsl_format;
typedef enum kyfsl_anchor {
  KYFSL_ANCHOR_SHAPE = 0, /* tiles start at each shape's bounding box */
  KYFSL_ANCHOR_MAP = 1    /* tiles lie on one grid through (origin_x, origin_y) */
} kyfsl_anchor;

typedef struct kyfsl_paint {
  uint32_t fore;        /* 1-bit patterns and symbols: the pattern's colour */
  uint32_t back;        /* their background */
  int32_t transparent;  /* nonzero: the background is not painted */
  int32_t rate;         /* opacity in percent, 0 to 100 */
  int32_t dpi;          /* pixels per inch of the buffer, KYFSL_MIN_DPI to KYFSL_MAX_DPI */
  int32_t format;       /* kyfsl_format */
  int32_t anchor;       /* kyfsl_anchor */
  int32_t origin_x;     /* KYFSL_ANCHOR_MAP: a tile corner, buffer pixels */
  int32_t origin_y;
} kyfsl_paint;
/* Black on white, opaque, rate 100, 96 dpi, BGRA, anchored per shape. */
KYFSL_API void kyfsl_paint_init(kyfsl_paint* paint);

typedef struct kyfsl_buffer {
  void* pixels;   /* row 0 first */
  size_t size;    /* bytes the caller owns at pixels */
  int32_t width;  /* 1 to KYFSL_MAX_SIZE */
  int32_t height;
  size_t stride;  /* bytes from one row to the next, at least 4 * width */
} kyfsl_buffer;

/* The tile of the style at the paint's dpi, in pixels. */
KYFSL_API int kyfsl_tile_size(const kyfsl_library* lib, int32_t id, const kyfsl_paint* paint, int32_t* width,
                              int32_t* height);
/* Covers the whole buffer with the style, a tile corner at (0, 0). A buffer
 * of kyfsl_tile_size holds one tile. */
KYFSL_API int kyfsl_render_tile(const kyfsl_library* lib, int32_t id, const kyfsl_paint* paint,
                                const kyfsl_buffer* buffer);
/* Fills polygons: rings of points xy (x0, y0, x1, y1, ...), ring_count
 * rings of ring_sizes[i] points each (at least 3; the rings need not be
 * closed), together one shape whose holes follow the alternate rule.
 * transform maps a point to buffer pixels,
 *   px = t[0] * x + t[1] * y + t[2],  py = t[3] * x + t[4] * y + t[5],
 * rounded half away from zero; NULL is the identity. Points that are not
 * finite or land past KYFSL_MAX_COORD are KYFSL_ERR_RANGE. */
KYFSL_API int kyfsl_fill(const kyfsl_library* lib, int32_t id, const kyfsl_paint* paint, const double* xy,
                         const size_t* ring_sizes, size_t ring_count, const double transform[6],
                         const kyfsl_buffer* buffer);

/* Options of kyfsl_fill_smooth. */
typedef struct kyfsl_fill_options {
  int32_t antialias; /* nonzero (the default): edges smooth, the pixels a shape covers whole exactly those of
                        kyfsl_fill; zero: the same pixels as kyfsl_fill */
} kyfsl_fill_options;
/* Anti-aliasing on. */
KYFSL_API void kyfsl_fill_options_init(kyfsl_fill_options* options);
/* kyfsl_fill with options (NULL: the defaults of kyfsl_fill_options_init).
 * Anti-aliased, the shape is laid exactly as kyfsl_fill lays it (same tile,
 * phase, background and rate) over the shape's box, and each pixel of the
 * box keeps that fill in the share of it the shape covers (the points are
 * taken unrounded), its old bytes, alpha too, in the rest. Same statuses as
 * kyfsl_fill. */
KYFSL_API int kyfsl_fill_smooth(const kyfsl_library* lib, int32_t id, const kyfsl_paint* paint, const double* xy,
                                const size_t* ring_sizes, size_t ring_count, const double transform[6],
                                const kyfsl_buffer* buffer, const kyfsl_fill_options* options);

/* ---- SVG -------------------------------------------------------------------
 * One tile of the style as an SVG document at its physical size (paint's
 * fore, back and transparent are used; the rest is ignored). On success *svg
 * is a NUL-terminated UTF-8 text of *length bytes that the caller frees with
 * kyfsl_free. length may be NULL. */
KYFSL_API int kyfsl_style_svg(const kyfsl_library* lib, int32_t id, const kyfsl_paint* paint, char** svg,
                              size_t* length);
/* Frees text from kyfsl_style_svg; NULL is allowed. */
KYFSL_API void kyfsl_free(void* p);

#ifdef __cplusplus
}
#endif

#endif /* KYFSL_H */
