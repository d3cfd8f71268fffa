// Regions: polygon scan conversion, combination and queries.
#include <algorithm>
#include <cstring>
#include <vector>

#include "gdi_fixture.h"

namespace {

std::string Cover(HRGN r, int w, int h) {
  std::string s;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) s += PtInRegion(r, x, y) ? '#' : '.';
    s += '\n';
  }
  return s;
}

// The diamond and the pentagram in both fill modes are conformance scenes.
TEST(Region, PolygonRegionsCoverTheirInside) {
  struct Case {
    const char* name;
    std::vector<POINT> pts;
    int mode;
    const char* rows[5];
  } cases[] = {
      {"square", {{0, 0}, {4, 0}, {4, 4}, {0, 4}}, ALTERNATE, {"####.", "####.", "####.", "####.", "....."}},
      {"triangle", {{0, 0}, {4, 0}, {0, 4}}, ALTERNATE, {"####.", "###..", "##...", "#....", "....."}},
  };
  for (const Case& c : cases) {
    HRGN r = CreatePolygonRgn(c.pts.data(), int(c.pts.size()), c.mode);
    ASSERT_NE(r, nullptr) << c.name;
    EXPECT_EQ(Cover(r, 5, 5), Rows({c.rows[0], c.rows[1], c.rows[2], c.rows[3], c.rows[4]})) << c.name;
    DeleteObject(r);
  }
}

TEST(Region, PolygonRegionMatchesPolygonFill) {
  POINT pts[] = {{1, 0}, {9, 3}, {4, 9}, {0, 5}};
  HRGN r = CreatePolygonRgn(pts, 4, ALTERNATE);
  TestCanvas c(10, 10, 32);
  HGDIOBJ pen = SelectObject(c.dc(), GetStockObject(NULL_PEN));
  HGDIOBJ brush = SelectObject(c.dc(), GetStockObject(BLACK_BRUSH));
  Polygon(c.dc(), pts, 4);
  EXPECT_EQ(c.Picture(RGB(0, 0, 0)), Cover(r, 10, 10));
  SelectObject(c.dc(), pen);
  SelectObject(c.dc(), brush);
  DeleteObject(r);
}

TEST(Region, CombineModes) {
  struct Case {
    int mode;
    int type;
    const char* row;
  } cases[] = {
      {RGN_AND, SIMPLEREGION, "..##.."},
      {RGN_OR, SIMPLEREGION, "######"},
      {RGN_XOR, COMPLEXREGION, "##..##"},
      {RGN_DIFF, SIMPLEREGION, "##...."},
      {RGN_COPY, SIMPLEREGION, "####.."},
  };
  for (const Case& c : cases) {
    HRGN a = CreateRectRgn(0, 0, 4, 1), b = CreateRectRgn(2, 0, 6, 1), d = CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(CombineRgn(d, a, b, c.mode), c.type) << c.mode;
    EXPECT_EQ(Cover(d, 6, 1), std::string(c.row) + "\n") << c.mode;
    for (HRGN h : {a, b, d}) DeleteObject(h);
  }
  HRGN a = CreateRectRgn(0, 0, 2, 2), b = CreateRectRgn(5, 5, 6, 6);
  EXPECT_EQ(CombineRgn(a, a, b, RGN_AND), NULLREGION);  // the destination may be a source
  EXPECT_EQ(CombineRgn(a, a, nullptr, RGN_OR), ERROR);
  EXPECT_EQ(CombineRgn(a, a, b, 99), ERROR);
  DeleteObject(a);
  DeleteObject(b);
}

TEST(Region, BoxOffsetAndPoints) {
  HRGN r = CreateRectRgn(5, 6, 1, 2);  // corners in any order
  RECT box;
  EXPECT_EQ(GetRgnBox(r, &box), SIMPLEREGION);
  EXPECT_EQ(box.left, 1);
  EXPECT_EQ(box.top, 2);
  EXPECT_EQ(box.right, 5);
  EXPECT_EQ(box.bottom, 6);
  EXPECT_EQ(OffsetRgn(r, 10, -2), SIMPLEREGION);
  GetRgnBox(r, &box);
  EXPECT_EQ(box.left, 11);
  EXPECT_EQ(box.top, 0);
  EXPECT_TRUE(PtInRegion(r, 11, 0));
  EXPECT_FALSE(PtInRegion(r, 15, 0));  // right edge is outside
  RECT probe{14, 3, 20, 20};
  EXPECT_TRUE(RectInRegion(r, &probe));
  HRGN empty = CreateRectRgn(3, 3, 3, 9);
  EXPECT_EQ(GetRgnBox(empty, &box), NULLREGION);
  EXPECT_EQ(box.right, 0);
  DeleteObject(r);
  DeleteObject(empty);
}

TEST(Region, ExtSelectClipRgnCombinesWithTheClip) {
  TestCanvas c(6, 1, 32);
  HRGN a = CreateRectRgn(0, 0, 4, 1), b = CreateRectRgn(2, 0, 6, 1);
  EXPECT_EQ(ExtSelectClipRgn(c.dc(), a, RGN_COPY), SIMPLEREGION);
  EXPECT_EQ(ExtSelectClipRgn(c.dc(), b, RGN_AND), SIMPLEREGION);
  PatBlt(c.dc(), 0, 0, 6, 1, BLACKNESS);
  EXPECT_EQ(c.Picture(RGB(0, 0, 0)), "..##..\n");
  // The clip is a copy: changing the region afterwards changes nothing.
  SetRectRgn(a, 0, 0, 6, 1);
  PatBlt(c.dc(), 0, 0, 6, 1, BLACKNESS);
  EXPECT_EQ(c.Picture(RGB(0, 0, 0)), "..##..\n");
  EXPECT_EQ(ExtSelectClipRgn(c.dc(), nullptr, RGN_COPY), SIMPLEREGION);
  EXPECT_EQ(ExtSelectClipRgn(c.dc(), nullptr, RGN_AND), ERROR);
  EXPECT_EQ(ExtSelectClipRgn(c.dc(), a, RGN_DIFF), NULLREGION);
  DeleteObject(a);
  DeleteObject(b);
}

// Seeded polygons of many vertices in rings apart (rows between them cross
// no edge), horizontal and vertical runs, parts outside the picture: each
// pixel is tested against every edge on its own, the point's crossings to
// its left counted (ALTERNATE) or weighed by direction (WINDING).
TEST(Region, ScannedPolygonsMatchAPointByPointTest) {
  uint32_t seed = 777;
  auto next = [&seed](int n) {
    seed = seed * 1103515245u + 12345u;
    return int((seed >> 8) % uint32_t(n));
  };
  constexpr int kW = 48, kH = 64;
  for (int c = 0; c < 60; ++c) {
    std::vector<POINT> pts;
    std::vector<INT> counts;
    const int rings = 1 + next(3);
    for (int k = 0; k < rings; ++k) {
      const int top = -4 + next(kH + 4), n = 3 + next(k == 0 ? 40 : 6);
      for (int i = 0; i < n; ++i) {
        POINT p{-6 + next(kW + 12), top + next(12)};
        if (i > 0 && next(5) == 0) {
          if (next(2))
            p.x = pts.back().x;
          else
            p.y = pts.back().y;
        }
        pts.push_back(p);
      }
      counts.push_back(n);
    }
    for (int mode : {ALTERNATE, WINDING}) {
      HRGN r = CreatePolyPolygonRgn(pts.data(), counts.data(), rings, mode);
      ASSERT_NE(r, nullptr) << "case " << c;
      for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) {
          int crossings = 0, wind = 0;
          size_t first = 0;
          for (INT n : counts) {
            for (INT i = 0; i < n; ++i) {
              const POINT a = pts[first + size_t(i)], b = pts[first + size_t((i + 1) % n)];
              if (std::min(a.y, b.y) > y || std::max(a.y, b.y) <= y) continue;
              const double cx = a.x + double(y - a.y) * (b.x - a.x) / double(b.y - a.y);
              if (cx > x) continue;
              ++crossings;
              wind += a.y < b.y ? 1 : -1;
            }
            first += size_t(n);
          }
          const bool in = mode == ALTERNATE ? crossings % 2 == 1 : wind != 0;
          ASSERT_EQ(in, bool(PtInRegion(r, x, y))) << "case " << c << " mode " << mode << " at " << x << "," << y;
        }
      DeleteObject(r);
    }
  }
}

TEST(Region, BadArgumentsFail) {
  POINT p[3] = {{0, 0}, {1, 0}, {0, 1}};
  EXPECT_EQ(CreatePolygonRgn(nullptr, 3, ALTERNATE), nullptr);
  EXPECT_EQ(CreatePolygonRgn(p, 3, 7), nullptr);
  EXPECT_EQ(CreatePolygonRgn(p, -1, ALTERNATE), nullptr);
  INT bad_counts[] = {3, -2};
  EXPECT_EQ(CreatePolyPolygonRgn(p, bad_counts, 2, ALTERNATE), nullptr);
  RECT box;
  EXPECT_EQ(GetRgnBox(nullptr, &box), ERROR);
  EXPECT_FALSE(PtInRegion(nullptr, 0, 0));
  // Wild coordinates are scanned only where rows can exist.
  POINT huge[] = {{0, -2000000000}, {10, 2000000000}, {-10, 0}};
  HRGN r = CreatePolygonRgn(huge, 3, ALTERNATE);
  EXPECT_NE(r, nullptr);
  DeleteObject(r);
}

}  // namespace

namespace {

// Blits through a clip region of many bands paint exactly the pixels inside
// both the clip and the blit (the clip's rows are found by search, not by a
// full intersection). Seeded cases; rerun one with its number.
TEST(Region, BlitsThroughManyBandsPaintExactlyTheClippedPixels) {
  uint32_t seed = 12345;
  auto next = [&seed](int n) {
    seed = seed * 1103515245u + 12345u;
    return int((seed >> 8) % uint32_t(n));
  };
  for (int c = 0; c < 40; ++c) {
    TestCanvas canvas(64, 48, 32, RGB(0, 0, 0));
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    for (int k = 0; k < 12; ++k) {
      const int x = next(60), y = next(44);
      HRGN r = CreateRectRgn(x, y, x + 1 + next(20), y + 1 + next(10));
      CombineRgn(clip, clip, r, k % 4 == 3 ? RGN_XOR : RGN_OR);
      DeleteObject(r);
    }
    SelectClipRgn(canvas.dc(), clip);
    const int x = next(50), y = next(40), w = 1 + next(30), h = 1 + next(20);
    ASSERT_TRUE(PatBlt(canvas.dc(), x, y, w, h, WHITENESS)) << "case " << c;
    SelectClipRgn(canvas.dc(), nullptr);  // GetPixel reads only inside the clip
    for (int py = 0; py < 48; ++py)
      for (int px = 0; px < 64; ++px) {
        const bool in = px >= x && px < x + w && py >= y && py < y + h && PtInRegion(clip, px, py);
        ASSERT_EQ(in ? RGB(255, 255, 255) : RGB(0, 0, 0), canvas.At(px, py)) << "case " << c << " at " << px << "," << py;
      }
    DeleteObject(clip);
  }
}

// A copy downwards inside one bitmap through a clip whose bands have the
// same spans after the cut reads every source row before it is written.
TEST(Region, ACopyDownInsideOneBitmapThroughBandsKeepsItsSource) {
  TestCanvas canvas(8, 8, 32, RGB(0, 0, 0));
  for (int y = 0; y < 8; ++y) {
    HBRUSH b = CreateSolidBrush(RGB(y * 30, 0, 0));
    RECT row{0, y, 8, y + 1};
    FillRect(canvas.dc(), &row, b);
    DeleteObject(b);
  }
  // Two bands: columns 0..5 in rows 0..4, columns 0..7 in rows 4..8; cut to
  // columns 0..4 they have the same spans.
  HRGN clip = CreateRectRgn(0, 0, 6, 4);
  HRGN lower = CreateRectRgn(0, 4, 8, 8);
  CombineRgn(clip, clip, lower, RGN_OR);
  SelectClipRgn(canvas.dc(), clip);
  ASSERT_TRUE(BitBlt(canvas.dc(), 0, 2, 4, 6, canvas.dc(), 0, 0, SRCCOPY));
  SelectClipRgn(canvas.dc(), nullptr);
  for (int y = 2; y < 8; ++y) EXPECT_EQ(RGB((y - 2) * 30, 0, 0), canvas.At(1, y)) << y;
  DeleteObject(lower);
  DeleteObject(clip);
}

}  // namespace

namespace {

// A region's data as GetRegionData gives it.
std::vector<char> DataOf(HRGN r) {
  std::vector<char> data(GetRegionData(r, 0, nullptr));
  EXPECT_EQ(GetRegionData(r, DWORD(data.size()), reinterpret_cast<RGNDATA*>(data.data())), data.size());
  return data;
}

}  // namespace

TEST(Region, ExtCreateRegionRebuildsARegionFromItsData) {
  // Overlapping and touching rectangles in any order: the union.
  const RECT rects[] = {{4, 1, 6, 5}, {0, 0, 3, 2}, {2, 1, 5, 2}, {0, 4, 1, 5}};
  std::vector<char> data(sizeof(RGNDATAHEADER) + sizeof rects);
  auto* d = reinterpret_cast<RGNDATA*>(data.data());
  d->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, 4, sizeof rects, {0, 0, 0, 0}};
  std::memcpy(d->Buffer, rects, sizeof rects);
  HRGN r = ExtCreateRegion(nullptr, DWORD(data.size()), d);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(Cover(r, 7, 6), Rows({"###....", "######.", "....##.", "....##.", "#...##.", "......."}));
  // Round trip through GetRegionData, identity matrix given.
  const XFORM unit{1, 0, 0, 1, 0, 0};
  std::vector<char> again = DataOf(r);
  HRGN copy = ExtCreateRegion(&unit, DWORD(again.size()), reinterpret_cast<RGNDATA*>(again.data()));
  ASSERT_NE(copy, nullptr);
  EXPECT_TRUE(EqualRgn(r, copy));
  // No rectangles: an empty region.
  RGNDATA empty{{sizeof(RGNDATAHEADER), RDH_RECTANGLES, 0, 0, {0, 0, 0, 0}}, {0}};
  HRGN none = ExtCreateRegion(nullptr, sizeof(RGNDATAHEADER), &empty);
  ASSERT_NE(none, nullptr);
  RECT box;
  EXPECT_EQ(GetRgnBox(none, &box), NULLREGION);
  DeleteObject(r);
  DeleteObject(copy);
  DeleteObject(none);
}

TEST(Region, ExtCreateRegionRefusesDataItDoesNotHold) {
  const RECT rect{0, 0, 2, 2};
  std::vector<char> data(sizeof(RGNDATAHEADER) + sizeof rect);
  auto* d = reinterpret_cast<RGNDATA*>(data.data());
  d->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, 1, sizeof rect, {0, 0, 2, 2}};
  std::memcpy(d->Buffer, &rect, sizeof rect);
  // More rectangles than the bytes hold, a short buffer, a wrong header, a
  // transform, no data.
  d->rdh.nCount = 2;
  EXPECT_EQ(ExtCreateRegion(nullptr, DWORD(data.size()), d), nullptr);
  d->rdh.nCount = 1;
  EXPECT_EQ(ExtCreateRegion(nullptr, sizeof(RGNDATAHEADER) - 1, d), nullptr);
  d->rdh.dwSize = 0;
  EXPECT_EQ(ExtCreateRegion(nullptr, DWORD(data.size()), d), nullptr);
  d->rdh.dwSize = sizeof(RGNDATAHEADER);
  const XFORM twice{2, 0, 0, 2, 0, 0};
  EXPECT_EQ(ExtCreateRegion(&twice, DWORD(data.size()), d), nullptr);
  EXPECT_EQ(ExtCreateRegion(nullptr, 0, nullptr), nullptr);
  HRGN ok = ExtCreateRegion(nullptr, DWORD(data.size()), d);
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(Cover(ok, 3, 3), Rows({"##.", "##.", "..."}));
  DeleteObject(ok);
}

namespace {

TEST(Region, AnUprightRectangleIsTheSameRegionAsAnyPolygonOfItsShape) {
  // Four corners (the quick way) against five, one repeated (the rows' own
  // way): every order of the corners, both fill modes, corners off the
  // origin on both sides and degenerate ones.
  const int xs[] = {-7, -1, 0, 3, 3, 12}, ys[] = {-5, 0, 2, 2, 9};
  for (int x0 : xs) {
    for (int x1 : xs) {
      for (int y0 : ys) {
        for (int y1 : ys) {
          const POINT box[4] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
          for (int start = 0; start < 4; ++start) {
            for (bool reverse : {false, true}) {
              POINT four[4], five[5];
              for (int i = 0; i < 4; ++i) four[i] = box[(start + (reverse ? 4 - i : i)) % 4];
              std::copy(four, four + 4, five);
              five[4] = four[3];
              for (int mode : {ALTERNATE, WINDING}) {
                HRGN quick = CreatePolygonRgn(four, 4, mode), rows = CreatePolygonRgn(five, 5, mode);
                EXPECT_TRUE(EqualRgn(quick, rows)) << x0 << "," << y0 << " " << x1 << "," << y1 << " " << start;
                DeleteObject(quick);
                DeleteObject(rows);
              }
            }
          }
        }
      }
    }
  }
}

}  // namespace
