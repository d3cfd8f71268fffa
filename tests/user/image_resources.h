// Builds bitmap, icon and toolbar resources in the home platform's layouts
// for the tests, and registers them as resources of the test program.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialog_harness.h"
#include "resimage.h"
#include "winuser.h"

namespace kytest {

using Bytes = std::vector<uint8_t>;
using PixelFn = std::function<COLORREF(int x, int y)>;  // y from the top
using BitFn = std::function<bool(int x, int y)>;

inline void Put(Bytes& v, size_t at, uint32_t x, int bytes) {
  if (v.size() < at + static_cast<size_t>(bytes)) v.resize(at + static_cast<size_t>(bytes));
  for (int i = 0; i < bytes; ++i) v[at + static_cast<size_t>(i)] = static_cast<uint8_t>(x >> (8 * i));
}

// A BITMAPINFOHEADER at the start of v; the fields not set are 0.
inline void InfoHeader(Bytes& v, int w, int h, int bpp, int colors) {
  v.resize(40, 0);
  Put(v, 0, 40, 4);
  Put(v, 4, static_cast<uint32_t>(w), 4);
  Put(v, 8, static_cast<uint32_t>(h), 4);
  Put(v, 12, 1, 2);
  Put(v, 14, static_cast<uint32_t>(bpp), 2);
  Put(v, 32, static_cast<uint32_t>(colors), 4);
}

// Appends the bottom-up rows of a 24- or 32-bit image (alpha from the
// colour's top byte for 32 bits).
inline void AppendRows(Bytes& v, int w, int h, int bpp, const PixelFn& px) {
  size_t stride = (static_cast<size_t>(w) * bpp + 31) / 32 * 4;
  for (int y = h - 1; y >= 0; --y) {
    size_t at = v.size();
    v.resize(at + stride, 0);
    for (int x = 0; x < w; ++x) {
      COLORREF c = px(x, y);
      uint8_t* p = v.data() + at + static_cast<size_t>(x) * (bpp / 8);
      p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
      if (bpp == 32) p[3] = static_cast<uint8_t>(c >> 24);
    }
  }
}

inline void AppendBits(Bytes& v, int w, int h, const BitFn& bit) {
  size_t stride = (static_cast<size_t>(w) + 31) / 32 * 4;
  for (int y = h - 1; y >= 0; --y) {
    size_t at = v.size();
    v.resize(at + stride, 0);
    for (int x = 0; x < w; ++x)
      if (bit(x, y)) v[at + static_cast<size_t>(x) / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
  }
}

// An RT_BITMAP: a 24-bit DIB without its file header.
inline Bytes Dib24(int w, int h, const PixelFn& px) {
  Bytes v;
  InfoHeader(v, w, h, 24, 0);
  AppendRows(v, w, h, 24, px);
  return v;
}

// A 1-bit DIB with the colour table given (index 0, index 1).
inline Bytes Dib1(int w, int h, COLORREF c0, COLORREF c1, const BitFn& bit) {
  Bytes v;
  InfoHeader(v, w, h, 1, 2);
  Put(v, 40, (GetRValue(c0) << 16) | (GetGValue(c0) << 8) | GetBValue(c0), 4);
  Put(v, 44, (GetRValue(c1) << 16) | (GetGValue(c1) << 8) | GetBValue(c1), 4);
  AppendBits(v, w, h, bit);
  return v;
}

// An RT_ICON image: the header of twice the height, XOR rows, AND rows.
inline Bytes IconImage(int w, int h, int bpp, const PixelFn& color, const BitFn& mask) {
  Bytes v;
  InfoHeader(v, w, 2 * h, bpp, 0);
  AppendRows(v, w, h, bpp, color);
  AppendBits(v, w, h, mask);
  return v;
}

struct GroupEntry {
  int w, h, bpp;
  WORD nId;
  size_t bytes;
};

// An RT_GROUP_ICON directory.
inline Bytes IconGroup(const std::vector<GroupEntry>& entries) {
  Bytes v;
  Put(v, 2, 1, 2);  // reserved, then type 1
  Put(v, 4, static_cast<uint32_t>(entries.size()), 2);
  for (const GroupEntry& e : entries) {
    size_t at = v.size();
    Put(v, at, static_cast<uint32_t>(e.w & 0xFF), 1);
    Put(v, at + 1, static_cast<uint32_t>(e.h & 0xFF), 1);
    Put(v, at + 4, 1, 2);  // no palette, reserved, one plane
    Put(v, at + 6, static_cast<uint32_t>(e.bpp), 2);
    Put(v, at + 8, static_cast<uint32_t>(e.bytes), 4);
    Put(v, at + 12, e.nId, 2);
  }
  return v;
}

// An RT_TOOLBAR: version 1, the image size, then the ids (0: separator).
inline Bytes ToolbarData(int w, int h, const std::vector<WORD>& ids, WORD version = 1) {
  Bytes v;
  Put(v, 0, version, 2);
  Put(v, 2, static_cast<uint32_t>(w), 2);
  Put(v, 4, static_cast<uint32_t>(h), 2);
  Put(v, 6, static_cast<uint32_t>(ids.size()), 2);
  for (WORD id : ids) Put(v, v.size(), id, 2);
  return v;
}

// Registers bytes as a resource of the test program; they live as long as it.
inline void AddResource(LPCSTR type, WORD id, Bytes bytes) {
  static std::vector<std::unique_ptr<Bytes>> keep;
  keep.push_back(std::make_unique<Bytes>(std::move(bytes)));
  AFX_RESOURCE_ITEM item{type, MAKEINTRESOURCE(id), 0, keep.back()->data(), static_cast<DWORD>(keep.back()->size())};
  AfxRegisterResources(GetModuleHandle(nullptr), &item, 1);
}

// A part of the screen, each pixel made a square of `zoom`, for looking at.
inline bool SaveZoomed(const std::string& path, POINT at, int w, int h, int zoom) {
  std::vector<DWORD> px = DialogHarness::Capture(RECT{at.x, at.y, at.x + w, at.y + h});
  std::vector<DWORD> big(static_cast<size_t>(w * zoom) * static_cast<size_t>(h * zoom));
  for (int y = 0; y < h * zoom; ++y)
    for (int x = 0; x < w * zoom; ++x)
      big[static_cast<size_t>(y) * static_cast<size_t>(w * zoom) + static_cast<size_t>(x)] =
          px[static_cast<size_t>(y / zoom) * static_cast<size_t>(w) + static_cast<size_t>(x / zoom)];
  return GdiWritePngPixels(path.c_str(), w * zoom, h * zoom, big.data()) != FALSE;
}

}  // namespace kytest
