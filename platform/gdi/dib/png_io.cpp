// PNG files of 0x00RRGGBB pixels, through libpng. Written images are 8-bit
// RGB without a time stamp, so the same pixels always give the same bytes;
// they are written row by row through a replacing file, so a failure leaves
// an older file whole.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include "afxreplacefile.h"
#include "gdipng.h"

namespace {

// libpng's own handlers print to stderr; a failure here is reported by
// the result alone.
void PngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void PngWarning(png_structp, png_const_charp) {}

struct File {
  FILE* f = nullptr;
  ~File() {
    if (f) fclose(f);
  }
};

}  // namespace

namespace {

// libpng hands the encoded bytes here; they go to the temporary file of the
// replacing writer, and a failed write ends the encoding.
struct Sink {
  CReplacingFile file;
  DWORD error = ERROR_SUCCESS;
};

void SinkWrite(png_structp png, png_bytep data, size_t length) {
  Sink* sink = static_cast<Sink*>(png_get_io_ptr(png));
  bool failed = false;
  try {
    sink->file.Write(data, static_cast<UINT>(length));
  } catch (CFileException* e) {
    sink->error = static_cast<DWORD>(e->m_lOsError);
    e->Delete();
    failed = true;
  }
  // Outside the handler: png_error leaves by longjmp.
  if (failed) png_error(png, "write failed");
}

void SinkFlush(png_structp) {}

}  // namespace

BOOL GdiWritePngRows(const char* path, int width, int height, const std::function<BOOL(int y, DWORD* row)>& rows) {
  if (!path || !rows || width <= 0 || height <= 0 || width > 1 << 20 || height > 1 << 20) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // Declared before setjmp so that a longjmp out of libpng leaves them valid.
  Sink sink;
  std::vector<DWORD> pixels(static_cast<size_t>(width));
  std::vector<png_byte> row(static_cast<size_t>(width) * 3);
  CFileException error;
  if (!sink.file.Begin(path, &error)) return FALSE;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    sink.file.Abort();
    SetLastError(sink.error != ERROR_SUCCESS ? sink.error : ERROR_WRITE_FAULT);
    return FALSE;
  }
  png_set_write_fn(png, &sink, SinkWrite, SinkFlush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  // Speed over the last few per cent of size: maps and swatch sheets are
  // mostly flat colour, which the Sub filter and zlib's fastest level
  // already shrink well; trying every filter on every row at the default
  // level made a 35-megapixel page take many seconds.
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  png_set_compression_level(png, 1);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    if (!rows(y, pixels.data())) {
      // The row source has set the last error.
      png_destroy_write_struct(&png, &info);
      sink.file.Abort();
      return FALSE;
    }
    for (int x = 0; x < width; ++x) {
      row[3 * x] = static_cast<png_byte>(pixels[x] >> 16);
      row[3 * x + 1] = static_cast<png_byte>(pixels[x] >> 8);
      row[3 * x + 2] = static_cast<png_byte>(pixels[x]);
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  try {
    sink.file.Commit();
  } catch (CFileException* e) {
    SetLastError(static_cast<DWORD>(e->m_lOsError));
    e->Delete();
    return FALSE;
  }
  return TRUE;
}

BOOL GdiWritePngPixels(const char* path, int width, int height, const DWORD* pixels) {
  if (!pixels) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return GdiWritePngRows(path, width, height, [&](int y, DWORD* row) {
    std::memcpy(row, pixels + static_cast<size_t>(y) * width, static_cast<size_t>(width) * sizeof(DWORD));
    return TRUE;
  });
}

BOOL GdiReadPngPixels(const char* path, int* width, int* height, std::vector<DWORD>* pixels) {
  if (!path || !width || !height || !pixels) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  File file;
  file.f = fopen(path, "rb");
  if (!file.f) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return FALSE;
  }
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  // Declared before setjmp so that a longjmp out of libpng leaves them valid.
  std::vector<png_byte> image;
  std::vector<png_bytep> rows;
  std::vector<DWORD> out;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
  }
  png_init_io(png, file.f);
  png_set_user_limits(png, 1 << 16, 1 << 16);
  png_read_info(png, info);
  // Every colour type and depth becomes 8-bit RGBA.
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
  if (png_get_rowbytes(png, info) != static_cast<size_t>(w) * 4) png_error(png, "unexpected row layout");
  // Interlaced images need the whole image in memory; read it as one.
  image.resize(static_cast<size_t>(w) * 4 * h);
  rows.resize(h);
  for (png_uint_32 y = 0; y < h; ++y) rows[y] = image.data() + static_cast<size_t>(y) * w * 4;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  out.resize(static_cast<size_t>(w) * h);
  for (size_t i = 0; i < out.size(); ++i) {
    const png_byte* p = image.data() + i * 4;
    out[i] = static_cast<DWORD>(p[0]) << 16 | static_cast<DWORD>(p[1]) << 8 | p[2];
  }
  png_destroy_read_struct(&png, &info, nullptr);
  *width = static_cast<int>(w);
  *height = static_cast<int>(h);
  pixels->swap(out);
  return TRUE;
}
