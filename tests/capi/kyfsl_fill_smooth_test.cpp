#include <gtest/gtest.h>

#include "capi_fixture.h"

namespace {

using kytest::Pixels;

// A square with a hole whose edges fall inside pixels, on a grey buffer
// with alpha 0x40.
const double kXy[] = {3.3, 2.6, 27.7, 2.6, 27.7, 21.4, 3.3, 21.4, 10.5, 8.5, 20.5, 8.5, 20.5, 15.5, 10.5, 15.5};
const size_t kRings[] = {4, 4};

bool Inside(double x, double y) {
  const bool outer = x > 3.3 && x < 27.7 && y > 2.6 && y < 21.4;
  const bool hole = x > 10.5 && x < 20.5 && y > 8.5 && y < 15.5;
  return outer && !hole;
}

TEST(CapiFillSmooth, WholePixelsAreKyfslFillsAndUntouchedOnesKeepTheirBytes) {
  auto lib = kytest::OpenSmallLibrary();
  struct Case {
    const char* name;
    int anchor, transparent, rate;
  } cases[] = {{"shape, opaque", KYFSL_ANCHOR_SHAPE, 0, 100},
               {"map, transparent", KYFSL_ANCHOR_MAP, 1, 100},
               {"map, rate 40", KYFSL_ANCHOR_MAP, 0, 40}};
  for (const Case& c : cases) {
    kyfsl_paint p;
    kyfsl_paint_init(&p);
    p.fore = 0x1040C0;
    p.back = 0xF0E0A0;
    p.anchor = c.anchor;
    p.transparent = c.transparent;
    p.rate = c.rate;
    p.dpi = 254;
    Pixels plain(32, 24, 0x40808080), smooth(32, 24, 0x40808080);
    kyfsl_buffer pb = plain.Buffer(), sb = smooth.Buffer();
    ASSERT_EQ(KYFSL_OK, kyfsl_fill(lib.get(), 8, &p, kXy, kRings, 2, nullptr, &pb)) << c.name;
    ASSERT_EQ(KYFSL_OK, kyfsl_fill_smooth(lib.get(), 8, &p, kXy, kRings, 2, nullptr, &sb, nullptr)) << c.name;
    int edges = 0;
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 32; ++x) {
        bool all = true, none = true;
        for (double dy : {0.0, 1.0}) {
          for (double dx : {0.0, 1.0}) {
            const bool in = Inside(x + dx, y + dy);
            all = all && in;
            none = none && !in;
          }
        }
        if (all) {
          EXPECT_EQ(plain.At(x, y), smooth.At(x, y)) << c.name << " at " << x << "," << y;
        } else if (none && !Inside(x + 0.5, y + 0.5)) {
          EXPECT_EQ(0x40808080u, smooth.At(x, y)) << c.name << " at " << x << "," << y;
        } else {
          edges += smooth.At(x, y) != plain.At(x, y) && smooth.At(x, y) != 0x40808080u;
        }
      }
    }
    EXPECT_GT(edges, 40) << c.name;
  }
}

TEST(CapiFillSmooth, OffIsKyfslFillAndBadArgumentsGetItsStatus) {
  auto lib = kytest::OpenSmallLibrary();
  kyfsl_paint p;
  kyfsl_paint_init(&p);
  p.dpi = 254;  // the tiles keep their pixels
  kyfsl_fill_options off;
  kyfsl_fill_options_init(&off);
  EXPECT_EQ(1, off.antialias);
  off.antialias = 0;
  Pixels a(32, 24, 0xFF336699), b(32, 24, 0xFF336699);
  kyfsl_buffer ab = a.Buffer(), bb = b.Buffer();
  ASSERT_EQ(KYFSL_OK, kyfsl_fill(lib.get(), 9, &p, kXy, kRings, 2, nullptr, &ab));
  ASSERT_EQ(KYFSL_OK, kyfsl_fill_smooth(lib.get(), 9, &p, kXy, kRings, 2, nullptr, &bb, &off));
  EXPECT_EQ(a.bytes, b.bytes);

  const size_t two = 2;
  const double far[] = {0, 0, 1e9, 0, 0, 5};
  const size_t three = 3;
  EXPECT_EQ(KYFSL_ERR_ARGUMENT, kyfsl_fill_smooth(lib.get(), 9, &p, kXy, &two, 1, nullptr, &bb, nullptr));
  EXPECT_EQ(KYFSL_ERR_RANGE, kyfsl_fill_smooth(lib.get(), 9, &p, far, &three, 1, nullptr, &bb, nullptr));
  EXPECT_EQ(KYFSL_ERR_NOT_FOUND, kyfsl_fill_smooth(lib.get(), 77, &p, kXy, kRings, 2, nullptr, &bb, nullptr));
  EXPECT_EQ(KYFSL_ERR_ARGUMENT, kyfsl_fill_smooth(lib.get(), 9, nullptr, kXy, kRings, 2, nullptr, &bb, nullptr));
  EXPECT_EQ(KYFSL_OK, kyfsl_fill_smooth(lib.get(), 9, &p, nullptr, nullptr, 0, nullptr, &bb, nullptr));
}

}  // namespace
