// Pixel art of the module's bitmaps and icon: images drawn in the sixteen
// colours of the standard VGA palette, written as text rows, and their
// encodings as the platform stores them (a DIB without file header, an icon
// image with its AND mask).
//
// A row is one character per pixel. The legend:
//
//   k black      r maroon     g green      y olive
//   b navy       p purple     t teal       s silver
//   d grey       R red        G lime       Y yellow
//   B blue       M magenta    C cyan       W white
//   .            the image's background (chosen when the image is encoded)
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace uires {

typedef std::vector<uint8_t> Bytes;

// Palette index of the background before it is given a colour.
constexpr int kBackground = -1;

class PixelArt {
 public:
  PixelArt(int width, int height);
  // Rows of exactly `width` legend characters each; throws std::runtime_error
  // naming the image for a row of another length or an unknown character.
  static PixelArt FromRows(const char* name, const std::vector<std::string>& rows);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  int Get(int x, int y) const;
  void Set(int x, int y, int index);  // outside the image: ignored

  // Drawing helpers for the larger pictures (indices of the VGA palette).
  void FillRect(int x0, int y0, int x1, int y1, int index);    // inclusive
  void FrameRect(int x0, int y0, int x1, int y1, int index);   // inclusive
  void Line(int x0, int y0, int x1, int y1, int index);
  // Copies another image at (x, y), leaving out its background pixels,
  // enlarged `scale` times.
  void Blit(const PixelArt& src, int x, int y, int scale = 1);

 private:
  int m_width, m_height;
  std::vector<int> m_pixels;  // kBackground or 0..15, rows top-down
};

// Strip of images side by side, all of one size (the toolbar bitmaps).
PixelArt Strip(const std::vector<PixelArt>& images);

// Palette index of a legend character, or -2 for none.
int LegendIndex(char c);
// RGB of a VGA palette index (0x00RRGGBB).
uint32_t VgaColour(int index);

// A 4-bit DIB (BITMAPINFOHEADER, 16-entry colour table, bottom-up rows), the
// background painted in palette colour `background`.
Bytes EncodeDib4(const PixelArt& art, int background);

// An icon image (RT_ICON): 4-bit XOR image with the doubled height in its
// header, then the 1-bit AND mask; the background is transparent.
Bytes EncodeIconImage(const PixelArt& art);

}  // namespace uires
