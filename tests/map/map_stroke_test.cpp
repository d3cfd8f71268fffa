// A plain outline's cover is the area within half its width of the ring:
// squares, sharp turns and spikes, rings of tiny segments, two-point rings,
// and it moves with the ring by whole pixels exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "KyCover.h"
#include "KyCoverBlend.h"
#include "KyMapCoverage.h"
#include "KyMapStroke.h"
#include "map_fixture.h"

namespace {

using kycover::Cover;
using kycover::Rows;

// Every ring's line of path into one cover.
void AddStroke(Cover& cover, const kymap::DevicePath& path, double width) {
  kymap::StrokeScratch scratch;
  size_t at = 0;
  for (int n : path.sizes) {
    kymap::AddRingStroke(cover, path.xy.data() + at, n, width, scratch);
    at += 2 * static_cast<size_t>(n);
  }
}

std::vector<uint8_t> StrokeCover(const std::vector<double>& ring, double width, const Rows& rows) {
  kymap::DevicePath path;
  path.xy = ring;
  path.sizes = {static_cast<int>(ring.size() / 2)};
  Cover c;
  AddStroke(c, path, width);
  const int w = rows.right - rows.left;
  std::vector<uint8_t> m(static_cast<size_t>(w) * (rows.bottom - rows.top));
  c.Render(rows, m.data(), w);
  return m;
}

double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
  const double vx = bx - ax, vy = by - ay, len2 = vx * vx + vy * vy;
  const double t = len2 > 0 ? std::clamp(((px - ax) * vx + (py - ay) * vy) / len2, 0.0, 1.0) : 0;
  return std::hypot(px - ax - t * vx, py - ay - t * vy);
}

// The share of pixel (x, y) within half of width of the closed ring, on a
// 32 x 32 grid of samples.
double Within(const std::vector<double>& ring, double width, int x, int y) {
  const size_t n = ring.size() / 2;
  int in = 0;
  for (int j = 0; j < 32; ++j) {
    for (int i = 0; i < 32; ++i) {
      const double px = x + (i + 0.5) / 32, py = y + (j + 0.5) / 32;
      for (size_t k = 0; k < n; ++k) {
        const size_t l = (k + 1) % n;
        if (SegmentDistance(px, py, ring[2 * k], ring[2 * k + 1], ring[2 * l], ring[2 * l + 1]) <= width / 2) {
          ++in;
          break;
        }
      }
    }
  }
  return in / 1024.0;
}

TEST(Stroke, CoversTheAreaWithinHalfItsWidth) {
  std::vector<double> circle;  // sixty segments of half a pixel
  for (int i = 0; i < 60; ++i) {
    circle.push_back(10.1 + 4.7 * std::cos(i * M_PI / 30));
    circle.push_back(9.8 + 4.7 * std::sin(i * M_PI / 30));
  }
  // Rings whose line never folds over itself: to the sampling and the
  // joins' chords.
  const std::vector<std::vector<double>> plain = {
      {3.3, 2.7, 15.3, 2.7, 15.3, 14.7, 3.3, 14.7},  // a square
      {9.7, 9.2, 12.1, 12.9},                        // two points: a capsule
      circle,
  };
  // Sharp turns and a spike: where the line folds over itself a pixel
  // holding both its edges counts their shares twice; nothing is missing
  // inside nor drawn outside.
  const std::vector<std::vector<double>> folded = {
      {2.5, 3.1, 17.2, 5.6, 3.4, 6.9, 16.8, 15.2, 9.1, 16.4},
      {4.2, 9.3, 16.7, 9.9, 4.1, 10.2},
  };
  for (double width : {1.0, 2.5}) {
    for (size_t r = 0; r < plain.size() + folded.size(); ++r) {
      const bool isPlain = r < plain.size();
      const std::vector<double>& ring = isPlain ? plain[r] : folded[r - plain.size()];
      const std::vector<uint8_t> m = StrokeCover(ring, width, Rows{0, 0, 20, 20});
      for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
          const double want = Within(ring, width, x, y), got = m[y * 20 + x] / 255.0;
          if (isPlain) {
            EXPECT_NEAR(want, got, 0.06) << "ring " << r << " width " << width << " at " << x << ", " << y;
          } else if (want == 1 || want == 0) {
            EXPECT_NEAR(want, got, 0.06) << "ring " << r << " width " << width << " at " << x << ", " << y;
          } else {
            EXPECT_GE(got, want - 0.06) << "ring " << r << " width " << width << " at " << x << ", " << y;
          }
        }
      }
    }
  }
}

TEST(Stroke, NeighboursOutlinesAddUpWhicheverWayTheirRingsTurn) {
  // Two squares sharing the border x = 10, one turning each way, and a
  // two-point ring along the first square's top: each outline is one turn
  // the same way, so where they lie on each other they are covered once,
  // never cancelled.
  kymap::DevicePath path;
  path.xy = {4.3, 4.7, 10,  4.7,  10,   14.2, 4.3,  14.2,  // clockwise on the screen
             10,  4.7, 10,  14.2, 15.6, 14.2, 15.6, 4.7,   // counter-clockwise
             5.1, 4.7, 9.2, 4.7};                          // there and back
  path.sizes = {4, 4, 2};
  for (double width : {1.0, 1.5}) {
    Cover both;
    AddStroke(both, path, width);
    std::vector<uint8_t> m(20 * 20);
    both.Render(Rows{0, 0, 20, 20}, m.data(), 20);
    const std::vector<uint8_t> alone = StrokeCover({4.3, 4.7, 10, 4.7, 10, 14.2, 4.3, 14.2}, width, Rows{0, 0, 20, 20});
    for (int y = 7; y < 12; ++y) {
      // The shared border's column, and the top edge's row.
      EXPECT_GE(m[y * 20 + 9], alone[y * 20 + 9]) << y;
      EXPECT_GE(m[y * 20 + 10], alone[y * 20 + 10]) << y;
    }
    for (int x = 5; x < 9; ++x) EXPECT_GE(m[4 * 20 + x], alone[4 * 20 + x]) << x;
    EXPECT_EQ(255, m[9 * 20 + 9] | m[9 * 20 + 10] ? std::max(m[9 * 20 + 9], m[9 * 20 + 10]) : 0);
  }
}

// The picture's pixels after a plain black line along path's rings.
std::vector<COLORREF> Lines(const std::vector<double>& xy, const std::vector<int>& sizes, bool section) {
  std::unique_ptr<kymaptest::Screen> screen =
      section ? std::make_unique<kymaptest::SectionScreen>(24, 20) : std::make_unique<kymaptest::Screen>(24, 20);
  kymap::DevicePath path;
  path.xy = xy;
  path.sizes = sizes;
  {
    kymap::CoverageFill fill(screen->dc, 24, 20);
    fill.BlendStroke(path, 1.0, CRect(0, 0, 24, 20), RGB(0, 0, 0), 200);
  }
  std::vector<COLORREF> px;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 24; ++x) px.push_back(screen->dc.GetPixel(x, y));
  }
  return px;
}

TEST(Stroke, ABorderTwoRingsShareIsDrawnOnce) {
  // Two squares sharing the border x = 10.3 (one turning each way): along
  // it the picture is the one square's line alone, to the level, on a
  // section's own rows and through a copy.
  const std::vector<double> left = {4.3, 4.7, 10.3, 4.7, 10.3, 14.2, 4.3, 14.2},
                            right = {10.3, 4.7, 10.3, 14.2, 15.6, 14.2, 15.6, 4.7};
  std::vector<double> both = left;
  both.insert(both.end(), right.begin(), right.end());
  for (bool section : {true, false}) {
    const std::vector<COLORREF> one = Lines(left, {4}, section), two = Lines(both, {4, 4}, section);
    for (int y = 6; y < 13; ++y) {
      for (int x = 9; x <= 11; ++x) EXPECT_EQ(one[y * 24 + x], two[y * 24 + x]) << x << ", " << y;
    }
    EXPECT_NE(one[9 * 24 + 10], RGB(0xCC, 0xCC, 0xCC));  // the line is there
    EXPECT_EQ(two, Lines(both, {4, 4}, !section));
  }
}

TEST(Stroke, ManyRingsDrawAsTheLargerShareOfEachRingsOwnLine) {
  // A grid of jittered cells sharing their borders and a ring round them
  // all (whose lines meet many others'), drawn at once, against each ring's
  // line covered alone and joined by the larger share, blended here.
  constexpr int kW = 90, kH = 70;
  std::vector<double> xy;
  std::vector<int> sizes;
  auto corner = [](int i, int j) {
    return std::pair<double, double>{6 + i * 5.3 + 0.7 * std::sin(i * 3.1 + j), 5 + j * 4.9 + 0.6 * std::cos(j * 2.3 + i)};
  };
  for (int j = 0; j < 11; ++j) {
    for (int i = 0; i < 14; ++i) {
      for (auto [di, dj] : {std::pair{0, 0}, {1, 0}, {1, 1}, {0, 1}}) {
        const auto [x, y] = corner(i + di, j + dj);
        xy.insert(xy.end(), {x, y});
      }
      sizes.push_back(4);
    }
  }
  xy.insert(xy.end(), {3.5, 2.5, 84.5, 2.5, 84.5, 66.5, 3.5, 66.5});
  sizes.push_back(4);
  std::vector<uint8_t> share(kW * kH, 0);
  kymap::StrokeScratch scratch;
  size_t at = 0;
  for (int n : sizes) {
    Cover alone;
    kymap::AddRingStroke(alone, xy.data() + at, n, 1.3, scratch);
    at += 2 * static_cast<size_t>(n);
    std::vector<uint8_t> m(kW * kH);
    alone.Render(Rows{0, 0, kW, kH}, m.data(), kW);
    for (size_t k = 0; k < m.size(); ++k) share[k] = std::max(share[k], m[k]);
  }
  for (bool section : {true, false}) {
    std::unique_ptr<kymaptest::Screen> screen = section ? std::make_unique<kymaptest::SectionScreen>(kW, kH)
                                                        : std::make_unique<kymaptest::Screen>(kW, kH);
    kymap::DevicePath path;
    path.xy = xy;
    path.sizes = sizes;
    {
      kymap::CoverageFill fill(screen->dc, kW, kH);
      fill.BlendStroke(path, 1.3, CRect(0, 0, kW, kH), RGB(0x20, 0x40, 0x80), 200);
    }
    long differ = 0;
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        const uint32_t s = kycover::Mul(share[y * kW + x], 200);
        const uint32_t want = s ? kycover::Lerp(0x204080, 0xCCCCCC, s) : 0xCCCCCC;
        const COLORREF got = screen->dc.GetPixel(x, y);
        differ += RGB((want >> 16) & 0xFF, (want >> 8) & 0xFF, want & 0xFF) != got;
      }
    }
    EXPECT_EQ(0, differ) << (section ? "section" : "copy");
  }
}

TEST(Stroke, MovesWithItsRingByWholePixels) {
  const std::vector<double> ring = {2.5, 3.125, 17.25, 5.5, 3.375, 6.875, 16.75, 15.25, 9.125, 16.375};
  std::vector<double> moved = ring;
  for (size_t i = 0; i < moved.size(); i += 2) moved[i] += 4093, moved[i + 1] -= 77;
  EXPECT_EQ(StrokeCover(ring, 1.7, Rows{0, 0, 20, 20}), StrokeCover(moved, 1.7, Rows{4093, -77, 4113, -57}));
}

}  // namespace
