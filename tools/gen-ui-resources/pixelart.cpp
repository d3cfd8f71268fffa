#include "pixelart.h"

#include <cstdlib>
#include <stdexcept>

namespace uires {

namespace {

const char kLegend[] = "krgybptsdRGYBMCW";

const uint32_t kVga[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

void Put16(Bytes& b, int v) {
  b.push_back(static_cast<uint8_t>(v & 0xFF));
  b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}
void Put32(Bytes& b, long v) {
  unsigned long u = static_cast<unsigned long>(v);
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>((u >> (8 * i)) & 0xFF));
}

void PutInfoHeader(Bytes& b, int width, int height, int bitCount, long imageSize, int colours) {
  Put32(b, 40);
  Put32(b, width);
  Put32(b, height);
  Put16(b, 1);
  Put16(b, bitCount);
  Put32(b, 0);  // BI_RGB
  Put32(b, imageSize);
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, colours);
  Put32(b, 0);
}

void PutVgaTable(Bytes& b) {
  for (uint32_t c : kVga) {
    b.push_back(static_cast<uint8_t>(c & 0xFF));          // blue
    b.push_back(static_cast<uint8_t>((c >> 8) & 0xFF));   // green
    b.push_back(static_cast<uint8_t>((c >> 16) & 0xFF));  // red
    b.push_back(0);
  }
}

// Rows of 4-bit indices, bottom-up, each padded to 4 bytes.
void PutRows4(Bytes& b, const PixelArt& art, int background) {
  const int rowBytes = (art.Width() * 4 + 31) / 32 * 4;
  for (int y = art.Height() - 1; y >= 0; --y) {
    Bytes row(static_cast<size_t>(rowBytes), 0);
    for (int x = 0; x < art.Width(); ++x) {
      int i = art.Get(x, y);
      if (i == kBackground) i = background;
      row[static_cast<size_t>(x / 2)] |= static_cast<uint8_t>(x % 2 ? i : i << 4);
    }
    b.insert(b.end(), row.begin(), row.end());
  }
}

}  // namespace

PixelArt::PixelArt(int width, int height)
    : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width * height), kBackground) {}

int LegendIndex(char c) {
  if (c == '.') return kBackground;
  for (int i = 0; i < 16; ++i)
    if (kLegend[i] == c) return i;
  return -2;
}

uint32_t VgaColour(int index) { return kVga[index & 15]; }

PixelArt PixelArt::FromRows(const char* name, const std::vector<std::string>& rows) {
  if (rows.empty()) throw std::runtime_error(std::string(name) + ": no rows");
  const int w = static_cast<int>(rows[0].size());
  PixelArt art(w, static_cast<int>(rows.size()));
  for (size_t y = 0; y < rows.size(); ++y) {
    if (static_cast<int>(rows[y].size()) != w)
      throw std::runtime_error(std::string(name) + ": row " + std::to_string(y) + " is " +
                               std::to_string(rows[y].size()) + " pixels, not " + std::to_string(w));
    for (int x = 0; x < w; ++x) {
      int i = LegendIndex(rows[y][static_cast<size_t>(x)]);
      if (i == -2)
        throw std::runtime_error(std::string(name) + ": row " + std::to_string(y) + " has '" +
                                 rows[y][static_cast<size_t>(x)] + "', which the legend does not know");
      art.Set(x, static_cast<int>(y), i);
    }
  }
  return art;
}

int PixelArt::Get(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return kBackground;
  return m_pixels[static_cast<size_t>(y * m_width + x)];
}

void PixelArt::Set(int x, int y, int index) {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
  m_pixels[static_cast<size_t>(y * m_width + x)] = index;
}

void PixelArt::FillRect(int x0, int y0, int x1, int y1, int index) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) Set(x, y, index);
}

void PixelArt::FrameRect(int x0, int y0, int x1, int y1, int index) {
  Line(x0, y0, x1, y0, index);
  Line(x0, y1, x1, y1, index);
  Line(x0, y0, x0, y1, index);
  Line(x1, y0, x1, y1, index);
}

void PixelArt::Line(int x0, int y0, int x1, int y1, int index) {
  // Bresenham, both ends drawn.
  int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    Set(x0, y0, index);
    if (x0 == x1 && y0 == y1) break;
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y0 += sy;
    }
  }
}

void PixelArt::Blit(const PixelArt& src, int x, int y, int scale) {
  for (int sy = 0; sy < src.Height(); ++sy)
    for (int sx = 0; sx < src.Width(); ++sx) {
      int i = src.Get(sx, sy);
      if (i == kBackground) continue;
      FillRect(x + sx * scale, y + sy * scale, x + sx * scale + scale - 1, y + sy * scale + scale - 1, i);
    }
}

PixelArt Strip(const std::vector<PixelArt>& images) {
  if (images.empty()) return PixelArt(0, 0);
  const int w = images[0].Width(), h = images[0].Height();
  PixelArt strip(w * static_cast<int>(images.size()), h);
  for (size_t i = 0; i < images.size(); ++i) {
    if (images[i].Width() != w || images[i].Height() != h)
      throw std::runtime_error("strip image " + std::to_string(i) + " differs in size from the first");
    strip.Blit(images[i], static_cast<int>(i) * w, 0);
  }
  return strip;
}

Bytes EncodeDib4(const PixelArt& art, int background) {
  Bytes b;
  const long rowBytes = (art.Width() * 4 + 31) / 32 * 4;
  PutInfoHeader(b, art.Width(), art.Height(), 4, rowBytes * art.Height(), 16);
  PutVgaTable(b);
  PutRows4(b, art, background);
  return b;
}

Bytes EncodeIconImage(const PixelArt& art) {
  Bytes b;
  const long xorBytes = (art.Width() * 4 + 31) / 32 * 4 * art.Height();
  const int maskRow = (art.Width() + 31) / 32 * 4;
  const long andBytes = static_cast<long>(maskRow) * art.Height();
  PutInfoHeader(b, art.Width(), art.Height() * 2, 4, xorBytes + andBytes, 16);
  PutVgaTable(b);
  PutRows4(b, art, 0);  // transparent pixels are black in the XOR image
  for (int y = art.Height() - 1; y >= 0; --y) {
    Bytes row(static_cast<size_t>(maskRow), 0);
    for (int x = 0; x < art.Width(); ++x)
      if (art.Get(x, y) == kBackground) row[static_cast<size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

}  // namespace uires
