#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "capi_fixture.h"

namespace {

using kytest::Pixels;

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF;
// Memory bytes of an opaque pixel, read as At() reads them.
constexpr uint32_t Bgra(uint32_t rgb) { return 0xFF000000u | rgb; }
constexpr uint32_t Rgba(uint32_t rgb) {
  return 0xFF000000u | (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16);
}

kyfsl_paint RedOnBlue() {
  kyfsl_paint p;
  kyfsl_paint_init(&p);
  p.fore = kRed;
  p.back = kBlue;
  p.dpi = 254;
  return p;
}

TEST(CapiDraw, TileSizeFollowsDpi) {
  kytest::LibraryPtr lib = kytest::OpenSmallLibrary();
  struct Case {
    int32_t id, dpi, width, height;
  } cases[] = {
      // Pixels = trunc(near(pixels * 254 / resolution) tenths of a mm * dpi / 254).
      {8, 254, 8, 8}, {8, 508, 16, 16}, {8, 127, 4, 4}, {9, 254, 4, 4}, {9, 300, 4, 4},
      {10, 96, 7, 7},  // 21 tenths: 7.94 pixels
      {10, 254, 21, 21},
  };
  for (const Case& c : cases) {
    kyfsl_paint p = RedOnBlue();
    p.dpi = c.dpi;
    int32_t w = 0, h = 0;
    ASSERT_EQ(kyfsl_tile_size(lib.get(), c.id, &p, &w, &h), KYFSL_OK) << kyfsl_last_error();
    EXPECT_EQ(w, c.width) << c.id << " at " << c.dpi;
    EXPECT_EQ(h, c.height) << c.id << " at " << c.dpi;
  }
}

TEST(CapiDraw, TileIsTheCheckerboardInBothByteOrders) {
  kytest::LibraryPtr lib = kytest::OpenSmallLibrary();
  for (int format : {KYFSL_BGRA, KYFSL_RGBA}) {
    Pixels px(8, 8, 0, 8);
    kyfsl_paint p = RedOnBlue();
    p.format = format;
    kyfsl_buffer b = px.Buffer();
    ASSERT_EQ(kyfsl_render_tile(lib.get(), 8, &p, &b), KYFSL_OK) << kyfsl_last_error();
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        // Set bits (entry 1 of the colour table) take the foreground.
        const uint32_t rgb = ((x + y) & 1) ? kRed : kBlue;
        EXPECT_EQ(px.At(x, y), format == KYFSL_BGRA ? Bgra(rgb) : Rgba(rgb)) << format << " " << x << "," << y;
      }
      // The padding after each row is not touched.
      EXPECT_EQ(px.bytes[static_cast<size_t>(y) * px.stride + 32], 0) << y;
    }
  }
}

TEST(CapiDraw, TransparentLeavesTheBackgroundAndItsAlpha) {
  kytest::LibraryPtr lib = kytest::OpenSmallLibrary();
  Pixels px(8, 8, 0x00000000);  // transparent black, as numpy.zeros gives
  kyfsl_paint p;
  kyfsl_paint_init(&p);  // black on white
  p.dpi = 254;
  p.transparent = 1;
  kyfsl_buffer b = px.Buffer();
  ASSERT_EQ(kyfsl_render_tile(lib.get(), 8, &p, &b), KYFSL_OK) << kyfsl_last_error();
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      // Black painted on black still counts as painted.
      EXPECT_EQ(px.At(x, y), ((x + y) & 1) ? 0xFF000000u : 0x00000000u) << x << "," << y;
    }
  }
}

TEST(CapiDraw, RateMixesColourAndRaisesAlpha) {
  kytest::LibraryPtr lib = kytest::OpenSmallLibrary();
  Pixels px(8, 8, 0x00FFFFFF);  // white, alpha 0
  kyfsl_paint p = RedOnBlue();
  p.rate = 50;
  kyfsl_buffer b = px.Buffer();
  ASSERT_EQ(kyfsl_render_tile(lib.get(), 8, &p, &b), KYFSL_OK) << kyfsl_last_error();
  EXPECT_EQ(px.At(0, 0) >> 24, 127u);
  EXPECT_NE(px.At(0, 0) & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_NE(px.At(0, 0) & 0xFFFFFF, kRed);
  p.rate = 0;
  Pixels none(8, 8, 0x00FFFFFF);
  b = none.Buffer();
  ASSERT_EQ(kyfsl_render_tile(lib.get(), 8, &p, &b), KYFSL_OK) << kyfsl_last_error();
  EXPECT_EQ(none.bytes, Pixels(8, 8, 0x00FFFFFF).bytes);
}

// The tile's colour on row y for the stripe style: its clear top row takes
// the background, the other three the foreground.
uint32_t StripeAt(int y, int oy) {
  return (((y - oy) % 4 + 4) % 4) == 0 ? Bgra(kBlue) : Bgra(kRed);
}

TEST(CapiDraw, FillWithAHoleAnchoredToShapeOrMap) {
  kytest::LibraryPtr lib = kytest::OpenSmallLibrary();
  // A 14 x 14 square at (3, 3) with a 4 x 4 hole at (8, 8), given in units
  // of half a pixel through the transform.
  const double xy[] = {6, 6, 34, 6, 34, 34, 6, 34, 16, 16, 24, 16, 24, 24, 16, 24};
  const size_t rings[] = {4, 4};
  const double half[6] = {0.5, 0, 0, 0, 0.5, 0};
  struct Case {
    const char* name;
    int anchor;
    int ox, oy;  // where the tile rows start
  } cases[] = {{"shape", KYFSL_ANCHOR_SHAPE, 3, 3}, {"map", KYFSL_ANCHOR_MAP, 0, 0}, {"map 1,2", KYFSL_ANCHOR_MAP, 1, 2}};
  for (const Case& c : cases) {
    Pixels px(24, 24, 0x00FFFFFF);
    kyfsl_paint p = RedOnBlue();
    p.anchor = c.anchor;
    if (c.anchor == KYFSL_ANCHOR_MAP) {
      p.origin_x = c.ox;
      p.origin_y = c.oy;
    }
    kyfsl_buffer b = px.Buffer();
    ASSERT_EQ(kyfsl_fill(lib.get(), 9, &p, xy, rings, 2, half, &b), KYFSL_OK) << kyfsl_last_error();
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 24; ++x) {
        const bool inSquare = x >= 3 && x < 17 && y >= 3 && y < 17;
        const bool inHole = x >= 8 && x < 12 && y >= 8 && y < 12;
        const uint32_t want = inSquare && !inHole ? StripeAt(y, c.oy) : 0x00FFFFFFu;
        ASSERT_EQ(px.At(x, y), want) << c.name << " " << x << "," << y;
      }
    }
  }
}

TEST(CapiDraw, BadBuffersAndPaintsAreRefused) {
  kytest::LibraryPtr lib = kytest::OpenSmallLibrary();
  Pixels px(8, 8, 0);
  struct Case {
    const char* name;
    void (*change)(kyfsl_paint&, kyfsl_buffer&);
    int status;
    const char* message;
  } cases[] = {
      {"stride short", [](kyfsl_paint&, kyfsl_buffer& b) { b.stride = 31; }, KYFSL_ERR_BUFFER,
       "stride 31 is less than the 32 bytes of a row"},
      {"size short", [](kyfsl_paint&, kyfsl_buffer& b) { b.size = 255; }, KYFSL_ERR_BUFFER,
       "the buffer's 255 bytes cannot hold 8 rows of stride 32"},
      {"stride overflows", [](kyfsl_paint&, kyfsl_buffer& b) { b.stride = std::numeric_limits<size_t>::max() / 2; },
       KYFSL_ERR_BUFFER, nullptr},
      {"no pixels", [](kyfsl_paint&, kyfsl_buffer& b) { b.pixels = nullptr; }, KYFSL_ERR_ARGUMENT,
       "buffer pixels is NULL"},
      {"zero wide", [](kyfsl_paint&, kyfsl_buffer& b) { b.width = 0; }, KYFSL_ERR_ARGUMENT,
       "a buffer of 0 x 8 pixels is not 1 to 16384 each side"},
      {"too high", [](kyfsl_paint&, kyfsl_buffer& b) { b.height = 16385; }, KYFSL_ERR_ARGUMENT, nullptr},
      {"dpi low", [](kyfsl_paint& p, kyfsl_buffer&) { p.dpi = 9; }, KYFSL_ERR_ARGUMENT,
       "dpi 9 is not between 10 and 4800"},
      {"dpi high", [](kyfsl_paint& p, kyfsl_buffer&) { p.dpi = 4801; }, KYFSL_ERR_ARGUMENT, nullptr},
      {"rate high", [](kyfsl_paint& p, kyfsl_buffer&) { p.rate = 101; }, KYFSL_ERR_ARGUMENT,
       "rate 101 is not between 0 and 100"},
      {"rate low", [](kyfsl_paint& p, kyfsl_buffer&) { p.rate = -1; }, KYFSL_ERR_ARGUMENT, nullptr},
      {"colour", [](kyfsl_paint& p, kyfsl_buffer&) { p.fore = 0x1000000; }, KYFSL_ERR_ARGUMENT,
       "colours are 0xRRGGBB, at most 0xFFFFFF"},
      {"format", [](kyfsl_paint& p, kyfsl_buffer&) { p.format = 2; }, KYFSL_ERR_ARGUMENT, nullptr},
      {"anchor", [](kyfsl_paint& p, kyfsl_buffer&) { p.anchor = -1; }, KYFSL_ERR_ARGUMENT, nullptr},
  };
  const std::vector<uint8_t> before = px.bytes;
  for (const Case& c : cases) {
    kyfsl_paint p = RedOnBlue();
    kyfsl_buffer b = px.Buffer();
    c.change(p, b);
    EXPECT_EQ(kyfsl_render_tile(lib.get(), 8, &p, &b), c.status) << c.name;
    if (c.message) {
      EXPECT_STREQ(kyfsl_last_error(), c.message) << c.name;
    }
    const double xy[] = {0, 0, 4, 0, 4, 4};
    const size_t ring = 3;
    EXPECT_EQ(kyfsl_fill(lib.get(), 8, &p, xy, &ring, 1, nullptr, &b), c.status) << c.name;
  }
  EXPECT_EQ(px.bytes, before);
  kyfsl_paint p = RedOnBlue();
  kyfsl_buffer b = px.Buffer();
  EXPECT_EQ(kyfsl_render_tile(lib.get(), 8, nullptr, &b), KYFSL_ERR_ARGUMENT);
  EXPECT_EQ(kyfsl_render_tile(lib.get(), 8, &p, nullptr), KYFSL_ERR_ARGUMENT);
  EXPECT_EQ(kyfsl_render_tile(lib.get(), 99, &p, &b), KYFSL_ERR_NOT_FOUND);
}

TEST(CapiDraw, BadCoordinatesAreRefused) {
  kytest::LibraryPtr lib = kytest::OpenSmallLibrary();
  Pixels px(8, 8, 0);
  const double nan = std::nan("");
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* name;
    double x;
    double t0;
    size_t ring;
    int status;
    const char* message;
  } cases[] = {
      {"NaN", nan, 1, 3, KYFSL_ERR_RANGE,
       "point 1 is not finite or lies more than 1e7 pixels from the buffer's origin"},
      {"infinite", inf, 1, 3, KYFSL_ERR_RANGE, nullptr},
      {"enormous", 2e7, 1, 3, KYFSL_ERR_RANGE, nullptr},
      {"overflowing transform", 1e300, 1e300, 3, KYFSL_ERR_RANGE, nullptr},
      {"NaN transform", 1, nan, 3, KYFSL_ERR_RANGE, "the transform is not finite"},
      {"two points", 1, 1, 2, KYFSL_ERR_ARGUMENT, "ring 0 has 2 points; a ring needs at least 3"},
  };
  kyfsl_paint p = RedOnBlue();
  for (const Case& c : cases) {
    const double xy[] = {0, 0, c.x, 0, 4, 4};
    const double t[6] = {c.t0, 0, 0, 0, 1, 0};
    kyfsl_buffer b = px.Buffer();
    EXPECT_EQ(kyfsl_fill(lib.get(), 8, &p, xy, &c.ring, 1, t, &b), c.status) << c.name;
    if (c.message) {
      EXPECT_STREQ(kyfsl_last_error(), c.message) << c.name;
    }
  }
  kyfsl_buffer b = px.Buffer();
  EXPECT_EQ(kyfsl_fill(lib.get(), 8, &p, nullptr, nullptr, 0, nullptr, &b), KYFSL_OK) << "no rings";
  const size_t ring = 3;
  EXPECT_EQ(kyfsl_fill(lib.get(), 8, &p, nullptr, &ring, 1, nullptr, &b), KYFSL_ERR_ARGUMENT);
  EXPECT_STREQ(kyfsl_last_error(), "xy is NULL");
}

}  // namespace
