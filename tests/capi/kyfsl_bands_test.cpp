// Fills cost and hold what their shape covers: the draw is cut to the
// shape's box and drawn a band of rows at a time. Both must leave every
// pixel as one drawing of the whole buffer would.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "capi_fixture.h"

namespace {

using kytest::Pixels;

// Sets KYFSL_BAND_PIXELS for its lifetime.
class BandPixels {
 public:
  explicit BandPixels(long pixels) { setenv("KYFSL_BAND_PIXELS", std::to_string(pixels).c_str(), 1); }
  ~BandPixels() { unsetenv("KYFSL_BAND_PIXELS"); }
};

// A background every pixel of which differs from its neighbours, alpha
// included, so that painted and untouched pixels cannot be mixed up.
Pixels Background(int w, int h, int dx = 0, int dy = 0) {
  Pixels px(w, h, 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const uint32_t u = static_cast<uint32_t>(x + dx) * 2654435761u ^ static_cast<uint32_t>(y + dy) * 40503u;
      px.Set(x, y, u);
    }
  }
  return px;
}

// A shape in a 48 x 48 box: a twelve-pointed star with a square hole, a
// ring of 180 points and a thin spike that spans the box from top to
// bottom with all its points outside any band but the first and last.
struct Shape {
  std::vector<double> xy;
  std::vector<size_t> rings;
};

Shape TestShape() {
  Shape s;
  for (int i = 0; i < 24; ++i) {
    const double a = i * M_PI / 12, r = i % 2 ? 9 : 22;
    s.xy.push_back(24 + r * std::cos(a));
    s.xy.push_back(24 + r * std::sin(a));
  }
  s.rings.push_back(24);
  for (double v : {20.0, 20.0, 28.0, 20.0, 28.0, 28.0, 20.0, 28.0}) s.xy.push_back(v);
  s.rings.push_back(4);
  for (int i = 0; i < 180; ++i) {
    s.xy.push_back(38 + 6.5 * std::cos(i * M_PI / 90));
    s.xy.push_back(38 + 6.5 * std::sin(i * M_PI / 90));
  }
  s.rings.push_back(180);
  for (double v : {2.0, 0.0, 5.0, 0.0, 4.0, 47.0}) s.xy.push_back(v);
  s.rings.push_back(3);
  return s;
}

struct PaintCase {
  const char* name;
  int32_t position;  // of the style in the default library
  int anchor;
  int transparent, rate, format;
};

const PaintCase kPaints[] = {
    {"opaque, shape", 5, KYFSL_ANCHOR_SHAPE, 0, 100, KYFSL_BGRA},
    {"transparent, map", 5, KYFSL_ANCHOR_MAP, 1, 100, KYFSL_RGBA},
    {"rate 40, shape", 20, KYFSL_ANCHOR_SHAPE, 0, 40, KYFSL_BGRA},
    {"transparent rate 70, map", 40, KYFSL_ANCHOR_MAP, 1, 70, KYFSL_BGRA},
    {"last style, shape", 91, KYFSL_ANCHOR_SHAPE, 1, 100, KYFSL_RGBA},
    {"last style, map", 91, KYFSL_ANCHOR_MAP, 0, 60, KYFSL_BGRA},
};

class CapiBands : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(kyfsl_open_default(0, &m_lib), KYFSL_OK) << kyfsl_last_error(); }
  void TearDown() override { kyfsl_close(m_lib); }

  int32_t IdOf(int32_t position) {
    int32_t id = 0;
    EXPECT_EQ(kyfsl_style_id(m_lib, static_cast<size_t>(position), &id), KYFSL_OK) << kyfsl_last_error();
    return id;
  }

  kyfsl_paint PaintOf(const PaintCase& c, int ox, int oy) {
    kyfsl_paint p;
    kyfsl_paint_init(&p);
    p.fore = 0xB23A12;
    p.back = 0x2A4D9B;
    p.dpi = 150;
    p.anchor = c.anchor;
    p.origin_x = ox;
    p.origin_y = oy;
    p.transparent = c.transparent;
    p.rate = c.rate;
    p.format = c.format;
    return p;
  }

  // The shape moved by (dx, dy) into px.
  void Fill(const PaintCase& c, Pixels& px, double dx, double dy, int ox, int oy) {
    const Shape s = TestShape();
    const double t[6] = {1, 0, dx, 0, 1, dy};
    kyfsl_paint p = PaintOf(c, ox, oy);
    kyfsl_buffer b = px.Buffer();
    ASSERT_EQ(kyfsl_fill(m_lib, IdOf(c.position), &p, s.xy.data(), s.rings.data(), s.rings.size(), t, &b), KYFSL_OK)
        << c.name << ": " << kyfsl_last_error();
  }

  kyfsl_library* m_lib = nullptr;
};

TEST_F(CapiBands, AFillTouchesOnlyItsShapeWhereverItLies) {
  for (const PaintCase& c : kPaints) {
    // The shape alone in a buffer of its size, then at (61, 37) of a larger
    // buffer whose pixels there are the same: those pixels come out the
    // same and no other pixel changes.
    Pixels alone = Background(48, 48, 61, 37);
    Fill(c, alone, 0, 0, 5, 7);
    Pixels wide = Background(300, 200);
    const Pixels before = wide;
    Fill(c, wide, 61, 37, 66, 44);
    for (int y = 0; y < 200; ++y) {
      for (int x = 0; x < 300; ++x) {
        const bool inside = x >= 61 && x < 61 + 48 && y >= 37 && y < 37 + 48;
        ASSERT_EQ(wide.At(x, y), inside ? alone.At(x - 61, y - 37) : before.At(x, y)) << c.name << " " << x << "," << y;
      }
    }
  }
}

TEST_F(CapiBands, AShapeAcrossTheEdgeFillsTheSamePixels) {
  // Anchored to the map, a shape half outside the buffer paints what the
  // same shape does in a buffer that holds it whole.
  for (const PaintCase& c : kPaints) {
    if (c.anchor != KYFSL_ANCHOR_MAP) continue;
    Pixels whole = Background(96, 96, -30, -20);
    Fill(c, whole, 0, 0, 3, 1);
    Pixels cut = Background(40, 40);
    Fill(c, cut, -30, -20, -27, -19);
    for (int y = 0; y < 40; ++y) {
      for (int x = 0; x < 40; ++x) ASSERT_EQ(cut.At(x, y), whole.At(x + 30, y + 20)) << c.name << " " << x << "," << y;
    }
  }
}

TEST_F(CapiBands, BandsGiveThePixelsOfOneDrawing) {
  const long bands[] = {60 /* one row */, 3 * 60, 7 * 60 + 5, 1000 * 60};
  for (const PaintCase& c : kPaints) {
    Pixels one = Background(60, 56);
    Fill(c, one, 5, 4, 2, 3);
    for (long pixels : bands) {
      BandPixels setting(pixels);
      Pixels banded = Background(60, 56);
      Fill(c, banded, 5, 4, 2, 3);
      EXPECT_EQ(banded.bytes, one.bytes) << c.name << ", bands of " << pixels << " pixels";
    }
  }
}

TEST_F(CapiBands, TilesInBandsAreTheTileOfOneDrawing) {
  for (const PaintCase& c : kPaints) {
    kyfsl_paint p = PaintOf(c, 0, 0);
    const int32_t id = IdOf(c.position);
    Pixels one = Background(53, 41, 0, 0);
    kyfsl_buffer b = one.Buffer();
    ASSERT_EQ(kyfsl_render_tile(m_lib, id, &p, &b), KYFSL_OK) << kyfsl_last_error();
    for (long pixels : {1L, 53L * 4, 53L * 40}) {
      BandPixels setting(pixels);
      Pixels banded = Background(53, 41, 0, 0);
      b = banded.Buffer();
      ASSERT_EQ(kyfsl_render_tile(m_lib, id, &p, &b), KYFSL_OK) << kyfsl_last_error();
      EXPECT_EQ(banded.bytes, one.bytes) << c.name << ", bands of " << pixels << " pixels";
    }
  }
}

TEST_F(CapiBands, AShapeOutsideTheBufferChangesNothing) {
  Pixels px = Background(20, 20);
  const Pixels before = px;
  for (const PaintCase& c : kPaints) {
    const struct {
      double dx, dy;
    } moves[] = {{-60, 0}, {0, 30}, {-49, -49}, {21, 0}};
    for (const auto& m : moves) {
      Fill(c, px, m.dx, m.dy, 0, 0);
      ASSERT_EQ(px.bytes, before.bytes) << c.name << " at " << m.dx << "," << m.dy;
    }
  }
}

}  // namespace
