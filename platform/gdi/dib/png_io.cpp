// PNG files of 0x00RRGGBB pixels, through libpng. Written images are a
// palette when the picture has at most 256 colours (a byte a pixel or less,
// so a third of the data to compress) and 8-bit RGB otherwise, without a
// time stamp, so the same pixels always give the same bytes; files are
// written row by row through a replacing file, so a failure leaves an older
// file whole.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <functional>
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

// The colours of a picture while there are at most 256, each with its
// index in the order first seen: an open-addressed table of four times as
// many slots, and the last colour asked for at hand (rows are mostly runs).
class Palette {
 public:
  void Clear() {
    m_keys.assign(kSlots, 0);
    m_colours.clear();
    m_last = kNone;
  }
  // Adds a row's colours and writes their indices to out (when given);
  // false once the picture has more than 256 colours.
  bool Add(const DWORD* row, int width, png_byte* out) {
    for (int x = 0; x < width; ++x) {
      const DWORD c = row[x] & 0x00FFFFFF;
      if (c != m_last) {
        m_last = c;
        size_t i = Slot(c);
        while (m_keys[i] != 0 && m_keys[i] != c + 1) i = (i + 1) % kSlots;
        if (m_keys[i] == 0) {
          if (m_colours.size() == 256) return false;
          m_keys[i] = c + 1;
          m_index[i] = static_cast<png_byte>(m_colours.size());
          m_colours.push_back(c);
        }
        m_lastIndex = m_index[i];
      }
      if (out) out[x] = m_lastIndex;
    }
    return true;
  }
  // The indices of a row of colours already added.
  void Indices(const DWORD* row, int width, png_byte* out) const {
    DWORD last = kNone;
    png_byte index = 0;
    for (int x = 0; x < width; ++x) {
      const DWORD c = row[x] & 0x00FFFFFF;
      if (c != last) {
        size_t i = Slot(c);
        while (m_keys[i] != c + 1) i = (i + 1) % kSlots;
        last = c, index = m_index[i];
      }
      out[x] = index;
    }
  }
  const std::vector<DWORD>& Colours() const { return m_colours; }
  // The fewest bits a pixel that hold every index.
  int Depth() const {
    const size_t n = m_colours.size();
    return n <= 2 ? 1 : n <= 4 ? 2 : n <= 16 ? 4 : 8;
  }

 private:
  static constexpr size_t kSlots = 1024;
  static constexpr DWORD kNone = 0xFFFFFFFF;
  static size_t Slot(DWORD c) { return (c * 2654435761u) >> 22; }
  std::vector<DWORD> m_keys = std::vector<DWORD>(kSlots, 0);  // colour + 1, 0 for none
  png_byte m_index[kSlots] = {};
  std::vector<DWORD> m_colours;
  DWORD m_last = kNone;  // the colour Add last met, and its index
  png_byte m_lastIndex = 0;
};

// A libpng writer with our handlers; false (ERROR_NOT_ENOUGH_MEMORY) when
// libpng cannot get memory for it.
bool CreateWriter(png_structp* png, png_infop* info) {
  *png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
  *info = *png ? png_create_info_struct(*png) : nullptr;
  if (*info) return true;
  png_destroy_write_struct(png, nullptr);
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return false;
}

// What the encoding needs, made before libpng's setjmp so that a longjmp
// out of it leaves them valid.
struct Scratch {
  explicit Scratch(int width) : pixels(static_cast<size_t>(width)), row(static_cast<size_t>(width) * 3) {}
  std::vector<DWORD> pixels;
  std::vector<png_byte> row, indices;
  Palette palette;
};

// Pictures up to this many pixels keep their palette's indices from the
// first pass; larger ones ask for their rows again.
constexpr size_t kKeptIndices = size_t{64} << 20;

// Writes the image of rows into png, whose output is set: the palette when
// the picture has few colours, else RGB with the Sub filter, which suits
// flat colour and repeating patterns. False when rows gives up.
bool EncodeRows(png_structp png, png_infop info, int width, int height, int level,
                const std::function<BOOL(int y, DWORD* row)>& rows, Scratch& s) {
  s.palette.Clear();
  const size_t area = static_cast<size_t>(width) * static_cast<size_t>(height);
  const bool keep = area <= kKeptIndices;
  s.indices.resize(keep ? area : 0);
  bool few = true;
  for (int y = 0; y < height && few; ++y) {
    if (!rows(y, s.pixels.data())) return false;
    few = s.palette.Add(s.pixels.data(), width, keep ? &s.indices[static_cast<size_t>(y) * width] : nullptr);
  }
  const auto w = static_cast<png_uint_32>(width), h = static_cast<png_uint_32>(height);
  if (few) {
    png_set_IHDR(png, info, w, h, s.palette.Depth(), PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_color colours[256];
    const std::vector<DWORD>& c = s.palette.Colours();
    for (size_t i = 0; i < c.size(); ++i) {
      colours[i] =
          png_color{static_cast<png_byte>(c[i] >> 16), static_cast<png_byte>(c[i] >> 8), static_cast<png_byte>(c[i])};
    }
    png_set_PLTE(png, info, colours, static_cast<int>(c.size()));
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  } else {
    png_set_IHDR(png, info, w, h, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
  }
  png_set_compression_level(png, level);
  png_write_info(png, info);
  if (few) png_set_packing(png);  // an index a byte in, packed to the depth
  for (int y = 0; y < height; ++y) {
    if (few && keep) {
      png_write_row(png, &s.indices[static_cast<size_t>(y) * width]);
      continue;
    }
    if (!rows(y, s.pixels.data())) return false;
    if (few) {
      s.palette.Indices(s.pixels.data(), width, s.row.data());
    } else {
      for (int x = 0; x < width; ++x) {
        s.row[3 * x] = static_cast<png_byte>(s.pixels[x] >> 16);
        s.row[3 * x + 1] = static_cast<png_byte>(s.pixels[x] >> 8);
        s.row[3 * x + 2] = static_cast<png_byte>(s.pixels[x]);
      }
    }
    png_write_row(png, s.row.data());
  }
  png_write_end(png, nullptr);
  return true;
}

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
  Scratch scratch(width);
  CFileException error;
  if (!sink.file.Begin(path, &error)) return FALSE;
  png_structp png = nullptr;
  png_infop info = nullptr;
  if (!CreateWriter(&png, &info)) return FALSE;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    sink.file.Abort();
    SetLastError(sink.error != ERROR_SUCCESS ? sink.error : ERROR_WRITE_FAULT);
    return FALSE;
  }
  png_set_write_fn(png, &sink, SinkWrite, SinkFlush);
  // Speed over the last few per cent of size: maps and swatch sheets are
  // mostly flat colour, which zlib's fastest level already shrinks well;
  // trying every filter on every row at the default level made a
  // 35-megapixel page take many seconds.
  if (!EncodeRows(png, info, width, height, 1, rows, scratch)) {
    // The row source has set the last error.
    png_destroy_write_struct(&png, &info);
    sink.file.Abort();
    return FALSE;
  }
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

namespace {

void MemoryWrite(png_structp png, png_bytep data, size_t length) {
  auto* out = static_cast<std::vector<BYTE>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

}  // namespace

BOOL GdiEncodePng(const DWORD* pixels, int stride, int width, int height, int level, std::vector<BYTE>* out) {
  if (!pixels || !out || width <= 0 || height <= 0 || width > 1 << 20 || height > 1 << 20 || stride < width ||
      level < 0 || level > 9) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  // Declared before setjmp so that a longjmp out of libpng leaves them valid.
  std::vector<BYTE> bytes;
  Scratch scratch(width);
  png_structp png = nullptr;
  png_infop info = nullptr;
  if (!CreateWriter(&png, &info)) return FALSE;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
  }
  png_set_write_fn(png, &bytes, MemoryWrite, [](png_structp) {});
  EncodeRows(
      png, info, width, height, level,
      [&](int y, DWORD* row) {
        std::memcpy(row, pixels + static_cast<size_t>(y) * stride, sizeof(DWORD) * width);
        return TRUE;
      },
      scratch);
  png_destroy_write_struct(&png, &info);
  out->swap(bytes);
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
